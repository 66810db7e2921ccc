#pragma once
// What a server database needs for the translated SQL: the case-insensitive
// collation "ci" our schema declares on text columns ("È" = "è", but
// "è" <> "e") and the legacy run-time functions the translator calls
// (vb_mid, vb_like, vb_first...), written in SQL and PL/pgSQL with the same
// meaning as on SQLite. Every function takes its value argument as text,
// a number, a timestamp, a flag or an untyped literal alike.
#include <string>
#include <vector>

#include "platform/dati/Motore.h"

namespace dati {

// Creates the collation and the functions in the current schema of the
// connection's database. Idempotent; when the installed version is already
// this one it only reads one catalog row. Runs in a transaction of its own
// (nested when the caller has one open) under an advisory lock, so two
// workstations opening a new database at once do not collide.
void InstallaRuntimeServer(Connessione& connessione);

// The statements InstallaRuntimeServer runs, in order.
std::vector<std::string> IstruzioniRuntimeServer();

}  // namespace dati

#pragma once
// Settings of the SQLite engine beyond the common interface.
#include <string>

#include "platform/dati/Motore.h"

namespace dati {

// How long a writer waits for another process's write lock before giving up
// with 3260, in milliseconds (default 10000). The global value applies to
// connections opened afterwards; the second form changes one open SQLite
// connection and answers false for a connection of another engine.
void ImpostaAttesaBloccoMs(int ms);
int AttesaBloccoMs();
bool ImpostaAttesaBloccoMs(Connessione& connessione, int ms);

// The file as an SQLite URI ("file:" + its absolute path, "%", "?", "#" and
// control characters escaped) opened read-only: a reader sees the main file
// and its WAL together and never checkpoints nor removes the WAL;
// `immutabile` also tells SQLite that nobody writes it meanwhile.
std::string IndirizzoFileSQLite(const std::string& file, bool immutabile = false);

}  // namespace dati

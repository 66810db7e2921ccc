#pragma once
// Settings of the SQLite engine beyond the common interface.
#include "platform/dati/Motore.h"

namespace dati {

// How long a writer waits for another process's write lock before giving up
// with 3260, in milliseconds (default 10000). The global value applies to
// connections opened afterwards; the second form changes one open SQLite
// connection and answers false for a connection of another engine.
void ImpostaAttesaBloccoMs(int ms);
int AttesaBloccoMs();
bool ImpostaAttesaBloccoMs(Connessione& connessione, int ms);

}  // namespace dati

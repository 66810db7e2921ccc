#pragma once
// Settings and helpers of the database-server engine (ODBC) beyond the
// common interface of Motore.h.
#include <string>

#include "platform/dati/Motore.h"

namespace dati {

// How long a statement waits for a row or table another session holds
// before failing with 3260, in milliseconds (default 10000). It applies to
// connections opened afterwards (the server's lock_timeout).
void ImpostaAttesaBloccoServerMs(int ms);
int AttesaBloccoServerMs();

// The connect text handed to the driver manager for what ApriOdbc received:
// "ODBC;" dropped, attributes re-read and written anew, the password always
// in ODBC braces ("}" doubled), any other value braced when it holds a
// delimiter, so that no value can add attributes of its own. Login and
// password given apart fill in UID and PWD when the text has none. Raises
// 3146 on a text that cannot be read (an unclosed brace).
std::string TestoConnessioneOdbc(const std::string& connessione, const std::string& utente = {},
                                 const std::string& password = {});

}  // namespace dati

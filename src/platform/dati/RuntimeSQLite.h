#pragma once
// What every SQLite connection of the program carries besides the engine
// itself: the legacy run-time functions the translated SQL calls (vb_mid,
// vb_like, vb_first...), the NOCASE collation replaced by our own case fold
// (so "È" = "è" in keys, comparisons and ORDER BY), and the stored form of
// dates shared by the functions and the engine's value binding.
#include <sqlite3.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Date.h"

namespace dati::sqlite {

// A run-time function that failed leaves here the legacy error it raised
// (13, 5, 6, 94...), so the statement that called it fails with that number
// rather than with a generic engine error. numero 0 = nothing pending.
struct ErroreFunzione {
  long numero = 0;
  std::string descrizione;
};

// Registers the collation and all functions on `db`; `errore` must outlive
// the connection. Returns the first SQLite error code, SQLITE_OK when all
// went in.
int RegistraRuntime(sqlite3* db, ErroreFunzione* errore);

// Stored form of a date: "YYYY-MM-DD", or "YYYY-MM-DD HH:MM:SS" when it has
// a time (a zero time is always written short, so equality works).
std::string TestoData(vb::Date d);
// Reads exactly the stored form ("T" also accepted between day and time);
// false on anything else, impossible days included.
bool LeggiDataMemorizzata(const char* p, size_t n, vb::Date& out);
// Stored form or any date text the legacy accepted ("dd/mm/yyyy"...).
bool LeggiData(std::string_view testo, vb::Date& out);

// The collation: letter case ignored; letters ordered first without their
// accents ("àrea" among the words in "a"), then by accent, so that a text
// equals only itself in another letter case ("è" <> "e").
int ConfrontaSenzaMaiuscole(std::string_view a, std::string_view b);

// The legacy division operators on numbers already read, shared by the
// engine's functions and the search in memory. All three raise 11 on a
// zero divisor. `\` and Mod first round both sides to whole Longs (halves
// to even, 6 beyond the Long range); the quotient is truncated, the
// remainder takes the sign of the dividend.
double Diviso(double a, double b);
long DivisoIntero(double a, double b);
long Resto(double a, double b);

// Indexes built under an earlier order of the collation would no longer
// find their rows: a database opened for the first time since is
// reindexed once (its user_version then records it). A database that
// cannot be written is left as it is.
void AllineaOrdineTesti(sqlite3* db);

}  // namespace dati::sqlite

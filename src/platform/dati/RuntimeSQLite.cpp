#include "platform/dati/RuntimeSQLite.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/Variant.h"

namespace dati::sqlite {

// ---------------------------------------------------------------- dates

std::string TestoData(vb::Date d) {
  char buf[32];
  const int a = d.Year(), m = d.Month(), g = d.Day();
  if (!d.HasTime()) {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", a, m, g);
  } else {
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", a, m, g, d.Hour(), d.Minute(),
                  d.Second());
  }
  return buf;
}

bool LeggiDataMemorizzata(const char* p, size_t n, vb::Date& out) {
  if (n != 10 && n != 19) return false;
  auto cifra = [&](size_t i) { return p[i] >= '0' && p[i] <= '9'; };
  auto due = [&](size_t i) { return (p[i] - '0') * 10 + (p[i + 1] - '0'); };
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (!cifra(i)) return false;
  if (p[4] != '-' || p[7] != '-') return false;
  const int a = due(0) * 100 + due(2), m = due(5), g = due(8);
  if (a < 100 || m < 1 || m > 12 || g < 1 || g > vb::GiorniDelMese(a, m)) return false;
  if (n == 10) {
    out = vb::Date::FromYmd(a, m, g);
    return true;
  }
  if ((p[10] != ' ' && p[10] != 'T') || p[13] != ':' || p[16] != ':') return false;
  for (size_t i : {11, 12, 14, 15, 17, 18})
    if (!cifra(i)) return false;
  const int h = due(11), mi = due(14), s = due(17);
  if (h > 23 || mi > 59 || s > 59) return false;
  out = vb::Date::FromYmdHms(a, m, g, h, mi, s);
  return true;
}

bool LeggiData(std::string_view t, vb::Date& out) {
  if (LeggiDataMemorizzata(t.data(), t.size(), out)) return true;
  if (auto d = vb::Date::Parse(t)) {
    out = *d;
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- division

namespace {
int64_t Lungo(double x) { return vb::ArrotondaPari(x, INT32_MIN, INT32_MAX); }
}  // namespace

double Diviso(double a, double b) {
  if (b == 0) vb::Solleva(vb::ErrDivisionePerZero);
  return a / b;
}

long DivisoIntero(double a, double b) {
  const int64_t x = Lungo(a), y = Lungo(b);
  if (y == 0) vb::Solleva(vb::ErrDivisionePerZero);
  const int64_t q = x / y;  // -2147483648 \ -1 leaves the Long range
  if (q > INT32_MAX) vb::Solleva(vb::ErrOverflow);
  return static_cast<long>(q);
}

long Resto(double a, double b) {
  const int64_t x = Lungo(a), y = Lungo(b);
  if (y == 0) vb::Solleva(vb::ErrDivisionePerZero);
  return static_cast<long>(x % y);
}

// ---------------------------------------------------------------- collation

namespace {

// Letters of U+00C0..U+017F as their plain letters, for the first level of
// the order: "àrea" sorts among the words in "a", as the legacy engine
// sorted it, not after "z".
const char* const kBase[192] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i", "d", "n", "o", "o",
    "o", "o", "o", "\xC3\x97", "o", "u", "u", "u", "u", "y", "th", "ss", "a", "a", "a", "a", "a", "a", "ae",
    "c", "e", "e", "e", "e", "i", "i", "i", "i", "d", "n", "o", "o", "o", "o", "o", "\xC3\xB7", "o", "u", "u",
    "u", "u", "y", "th", "y", "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d",
    "d", "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g", "g", "g", "g",
    "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i", "i", "i", "ij", "ij", "j", "j",
    "k", "k", "k", "l", "l", "l", "l", "l", "l", "l", "l", "l", "l", "n", "n", "n", "n", "n", "n", "n",
    "n", "n", "o", "o", "o", "o", "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s",
    "s", "s", "s", "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u", "u",
    "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s"};

// A folded text with its accented letters made plain.
std::string SenzaAccenti(const std::string& piegata) {
  std::string out;
  out.reserve(piegata.size());
  size_t i = 0;
  while (i < piegata.size()) {
    const unsigned char c = static_cast<unsigned char>(piegata[i]);
    // U+00C0..U+017F are the two-byte sequences C3 80 .. C5 BF.
    if (c >= 0xC3 && c <= 0xC5 && i + 1 < piegata.size()) {
      const unsigned char d = static_cast<unsigned char>(piegata[i + 1]);
      if ((d & 0xC0) == 0x80) {
        const unsigned cp = ((c & 0x1Fu) << 6) | (d & 0x3Fu);
        if (cp >= 0xC0 && cp < 0x180) {
          out += kBase[cp - 0xC0];
          i += 2;
          continue;
        }
      }
    }
    out.push_back(static_cast<char>(c));
    ++i;
  }
  return out;
}

}  // namespace

int ConfrontaSenzaMaiuscole(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  // Plain ASCII, the usual case: fold on the fly without allocating.
  for (; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if ((x | y) & 0x80) break;
    if (x != y) {
      if (x >= 'A' && x <= 'Z') x += 32;
      if (y >= 'A' && y <= 'Z') y += 32;
      if (x != y) return x < y ? -1 : 1;
    }
  }
  if (i == n) return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  // Everything before i was one-byte characters, so i starts a character on
  // both sides and the folded rests decide: first their letters without
  // accents, then, between texts equal so far, the accents themselves (a
  // text equals only the same text in another letter case).
  const std::string x = vb::Piega(a.substr(i)), y = vb::Piega(b.substr(i));
  int r = SenzaAccenti(x).compare(SenzaAccenti(y));
  if (r == 0) r = x.compare(y);
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

void AllineaOrdineTesti(sqlite3* db) {
  auto versione = [db] {
    sqlite3_stmt* st = nullptr;
    int v = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      v = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    return v;
  };
  if (versione() != 0) return;  // already in this order (or unreadable: left to the caller)
  if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return;
  bool ok = true;
  if (versione() == 0)
    ok = sqlite3_exec(db, "REINDEX NOCASE", nullptr, nullptr, nullptr) == SQLITE_OK &&
         sqlite3_exec(db, "PRAGMA user_version = 1", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_exec(db, ok ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
  if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

namespace {

int Collazione(void*, int na, const void* pa, int nb, const void* pb) {
  return ConfrontaSenzaMaiuscole(std::string_view(static_cast<const char*>(pa), na),
                                 std::string_view(static_cast<const char*>(pb), nb));
}

// ---------------------------------------------------------------- values in

using Arg = sqlite3_value*;

bool Nullo(Arg v) { return sqlite3_value_type(v) == SQLITE_NULL; }

std::string_view Byte(Arg v) {
  if (sqlite3_value_type(v) == SQLITE_BLOB) {
    const void* p = sqlite3_value_blob(v);
    return p ? std::string_view(static_cast<const char*>(p), sqlite3_value_bytes(v))
             : std::string_view();
  }
  const unsigned char* p = sqlite3_value_text(v);
  if (!p) return {};
  return std::string_view(reinterpret_cast<const char*>(p), sqlite3_value_bytes(v));
}

// Text of a value as the legacy saw it: numbers with the Italian CStr.
std::string Testo(Arg v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return std::to_string(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return vb::TestoDouble(sqlite3_value_double(v));
    case SQLITE_NULL: return {};
    default: return std::string(Byte(v));
  }
}

vb::Variant Valore(Arg v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: {
      const int64_t i = sqlite3_value_int64(v);
      if (i >= INT32_MIN && i <= INT32_MAX) return vb::Variant(static_cast<int>(i));
      return vb::Variant(static_cast<double>(i));
    }
    case SQLITE_FLOAT: return vb::Variant(sqlite3_value_double(v));
    case SQLITE_NULL: return vb::Variant(vb::Null);
    default: return vb::Variant(Byte(v));
  }
}

double Numero(Arg v) {
  switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return static_cast<double>(sqlite3_value_int64(v));
    case SQLITE_FLOAT: return sqlite3_value_double(v);
    default: return Valore(v).ToDouble();  // Italian text; 13 otherwise, 94 on Null
  }
}

long Intero(Arg v) {
  if (sqlite3_value_type(v) == SQLITE_INTEGER) {
    const int64_t i = sqlite3_value_int64(v);
    if (i < INT32_MIN || i > INT32_MAX) vb::Solleva(vb::ErrOverflow);
    return static_cast<long>(i);
  }
  return static_cast<long>(vb::ArrotondaPari(Numero(v), INT32_MIN, INT32_MAX));
}

vb::Date Data(Arg v) {
  const int t = sqlite3_value_type(v);
  if (t == SQLITE_TEXT || t == SQLITE_BLOB) {
    vb::Date d;
    if (LeggiData(Byte(v), d)) return d;
    vb::Solleva(vb::ErrTipoNonCorrisp);
  }
  return vb::Variant(Numero(v)).ToDate();
}

// Interval names compare without regard to case, as in the legacy.
std::string Intervallo(Arg v) {
  std::string s = vb::LCase(vb::Trim(Testo(v)));
  return s;
}

// ---------------------------------------------------------------- values out

void Ris(sqlite3_context* c, std::string_view s) {
  // An empty text must not pass a null pointer: SQLite would make it NULL.
  sqlite3_result_text64(c, s.empty() ? "" : s.data(), s.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}
void Ris(sqlite3_context* c, int64_t i) { sqlite3_result_int64(c, i); }
void RisD(sqlite3_context* c, double d) { sqlite3_result_double(c, d); }
void RisData(sqlite3_context* c, vb::Date d) { Ris(c, TestoData(d)); }
void RisFlag(sqlite3_context* c, bool b) { sqlite3_result_int(c, b ? -1 : 0); }

// Null in, Null out: true when the result is already set.
bool AlcunNullo(sqlite3_context* c, int n, Arg* v) {
  for (int i = 0; i < n; ++i)
    if (Nullo(v[i])) {
      sqlite3_result_null(c);
      return true;
    }
  return false;
}

// ---------------------------------------------------------------- functions

using Corpo = void (*)(sqlite3_context*, int, Arg*);

void Segnala(sqlite3_context* c, long numero, const std::string& descrizione) {
  auto* e = static_cast<ErroreFunzione*>(sqlite3_user_data(c));
  if (e) {
    e->numero = numero;
    e->descrizione = descrizione;
  }
  sqlite3_result_error(c, descrizione.c_str(), -1);
}

template <Corpo F>
void Protetto(sqlite3_context* c, int n, Arg* v) {
  try {
    F(c, n, v);
  } catch (const vb::Errore& e) {
    Segnala(c, e.Number(), e.Description());
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(c);
  } catch (const std::exception& e) {
    Segnala(c, 5, e.what());
  }
}

void FUCase(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::UCase(Testo(v[0])));
}
void FLCase(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::LCase(Testo(v[0])));
}

void FMid(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const long inizio = Intero(v[1]);
  const long quanti = n > 2 ? Intero(v[2]) : -1;
  if (n > 2 && quanti < 0) vb::Solleva(vb::ErrChiamataNonValida);
  Ris(c, vb::Mid(Testo(v[0]), inizio, quanti));
}
void FLeft(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::Left(Testo(v[0]), Intero(v[1])));
}
void FRight(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::Right(Testo(v[0]), Intero(v[1])));
}
void FLen(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, static_cast<int64_t>(vb::Len(Testo(v[0]))));
}

void FInStr(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const long inizio = n == 3 ? Intero(v[0]) : 1;
  const std::string s = Testo(v[n - 2]), cerca = Testo(v[n - 1]);
  if (inizio < 1) vb::Solleva(vb::ErrChiamataNonValida);
  if (s.empty() || inizio > vb::Len(s)) return Ris(c, int64_t{0});
  if (cerca.empty()) return Ris(c, static_cast<int64_t>(inizio));
  Ris(c, static_cast<int64_t>(vb::InStr(inizio, s, cerca, vb::vbTextCompare)));
}

void FTrim(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::Trim(Testo(v[0])));
}
void FLTrim(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::LTrim(Testo(v[0])));
}
void FRTrim(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::RTrim(Testo(v[0])));
}

void FReplace(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::Replace(Testo(v[0]), Testo(v[1]), Testo(v[2]), 1, -1, vb::vbTextCompare));
}

// A number passes through: the legacy would first turn it into Italian text
// and stop at the comma, which no query of the program relies on.
void FVal(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const int t = sqlite3_value_type(v[0]);
  if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return sqlite3_result_value(c, v[0]);
  RisD(c, vb::Val(Byte(v[0])));
}

void FIsNumeric(sqlite3_context* c, int, Arg* v) {
  switch (sqlite3_value_type(v[0])) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return RisFlag(c, true);
    case SQLITE_TEXT: {
      double d;
      return RisFlag(c, vb::LeggiDoubleIt(Byte(v[0]), d));
    }
    default: return RisFlag(c, false);
  }
}

// Text of a value; a text holding exactly a stored date is a date, shown as
// the legacy CStr showed dates.
void FCStr(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  if (sqlite3_value_type(v[0]) == SQLITE_TEXT) {
    const std::string_view s = Byte(v[0]);
    vb::Date d;
    if (LeggiDataMemorizzata(s.data(), s.size(), d)) return Ris(c, d.ToString());
    return Ris(c, s);
  }
  Ris(c, Testo(v[0]));
}

void FCInt(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, static_cast<int64_t>(Valore(v[0]).ToInt()));
}
void FCLng(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, static_cast<int64_t>(Valore(v[0]).ToLong()));
}
void FCDbl(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisD(c, Valore(v[0]).ToDouble());
}
void FCCur(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisD(c, Valore(v[0]).ToCurrency().ToDouble());
}
void FCDate(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisData(c, Data(v[0]));
}

void FNz(sqlite3_context* c, int n, Arg* v) {
  if (!Nullo(v[0])) return sqlite3_result_value(c, v[0]);
  if (n > 1) return sqlite3_result_value(c, v[1]);
  Ris(c, std::string_view());
}

void FYear(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Year()});
}
void FMonth(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Month()});
}
void FDay(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Day()});
}
void FHour(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Hour()});
}
void FMinute(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Minute()});
}
void FSecond(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Data(v[0]).Second()});
}
// Weekday(d[, first]): first 1 = Sunday (the default), 0 = the system's,
// Monday with Italian settings.
void FWeekday(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const int w = Data(v[0]).Weekday();
  long primo = n > 1 ? Intero(v[1]) : 1;
  if (primo < 0 || primo > 7) vb::Solleva(vb::ErrChiamataNonValida);
  if (primo == 0) primo = 2;
  Ris(c, static_cast<int64_t>((w - primo + 7) % 7 + 1));
}

void FDate(sqlite3_context* c, int, Arg*) { RisData(c, vb::Date::Today()); }
void FNow(sqlite3_context* c, int, Arg*) { RisData(c, vb::Date::Now()); }

void FDateAdd(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisData(c, Data(v[2]).Add(Intervallo(v[0]), Numero(v[1])));
}

// Seconds on a straight time line: whole day plus the positive time of day
// (the serial of a day before 1899 carries its time as a positive fraction).
int64_t SecondiLineari(vb::Date d) {
  const double v = d.Serial();
  const double t = std::trunc(v);
  return static_cast<int64_t>(t) * 86400 + std::llround(std::fabs(v - t) * 86400.0);
}

int64_t DivisioneInferiore(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// DateDiff counts the boundaries crossed between the two dates: years,
// quarters, months, days, Sundays ("ww"), whole weeks ("w"), hours...
void FDateDiff(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const std::string iv = Intervallo(v[0]);
  const vb::Date d1 = Data(v[1]), d2 = Data(v[2]);
  const int64_t l1 = SecondiLineari(d1), l2 = SecondiLineari(d2);
  const int64_t g1 = DivisioneInferiore(l1, 86400), g2 = DivisioneInferiore(l2, 86400);
  int64_t r;
  if (iv == "yyyy") r = d2.Year() - d1.Year();
  else if (iv == "q") r = (d2.Year() * 4LL + (d2.Month() - 1) / 3) - (d1.Year() * 4LL + (d1.Month() - 1) / 3);
  else if (iv == "m") r = (d2.Year() - d1.Year()) * 12LL + (d2.Month() - d1.Month());
  else if (iv == "d" || iv == "y") r = g2 - g1;
  else if (iv == "w") r = (g2 - g1) / 7;
  // Serial 1 (31/12/1899) was a Sunday: weeks counted from Sundays.
  else if (iv == "ww") r = DivisioneInferiore(g2 - 1, 7) - DivisioneInferiore(g1 - 1, 7);
  else if (iv == "h") r = DivisioneInferiore(l2, 3600) - DivisioneInferiore(l1, 3600);
  else if (iv == "n") r = DivisioneInferiore(l2, 60) - DivisioneInferiore(l1, 60);
  else if (iv == "s") r = l2 - l1;
  else vb::Solleva(vb::ErrChiamataNonValida);
  Ris(c, r);
}

void FDateSerial(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  long a = Intero(v[0]);
  if (a >= 0 && a < 30) a += 2000;
  else if (a >= 30 && a < 100) a += 1900;
  RisData(c, vb::Date::FromYmd(static_cast<int>(a), static_cast<int>(Intero(v[1])),
                               static_cast<int>(Intero(v[2]))));
}
void FDateValue(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisData(c, Data(v[0]).DateOnly());
}

// Chr and Asc work on the Windows ANSI code page, as the legacy did.
std::string Carattere(long codice) {
  if (codice < 0 || codice > 255) vb::Solleva(vb::ErrChiamataNonValida);
  const char b = static_cast<char>(codice);
  return vb::DaWindows1252(std::string_view(&b, 1));
}

void FChr(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, Carattere(Intero(v[0])));
}

void FAsc(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const std::u32string s = vb::InCodici(Testo(v[0]));
  if (s.empty()) vb::Solleva(vb::ErrChiamataNonValida);
  const char32_t cp = s[0];
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return Ris(c, int64_t{cp});
  for (int b = 0x80; b < 0xA0; ++b) {
    const char ch = static_cast<char>(b);
    if (vb::InCodici(vb::DaWindows1252(std::string_view(&ch, 1)))[0] == cp) return Ris(c, int64_t{b});
  }
  Ris(c, int64_t{'?'});
}

void FSpace(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const long k = Intero(v[0]);
  if (k < 0) vb::Solleva(vb::ErrChiamataNonValida);
  Ris(c, vb::Space(k));
}

void FString(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const long k = Intero(v[0]);
  const int t = sqlite3_value_type(v[1]);
  std::string ch = (t == SQLITE_INTEGER || t == SQLITE_FLOAT) ? Carattere(Intero(v[1]))
                                                               : vb::Left(Testo(v[1]), 1);
  if (ch.empty()) vb::Solleva(vb::ErrChiamataNonValida);
  Ris(c, vb::StringDi(k, ch));
}

// Str: decimal point, a leading blank where the sign would go.
void FStr(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  std::string s;
  bool negativo;
  if (sqlite3_value_type(v[0]) == SQLITE_INTEGER) {
    const int64_t i = sqlite3_value_int64(v[0]);
    s = std::to_string(i);
    negativo = i < 0;
  } else {
    const double d = Numero(v[0]);
    s = vb::TestoDouble(d);
    std::replace(s.begin(), s.end(), ',', '.');
    negativo = d < 0;
  }
  Ris(c, negativo ? s : " " + s);
}

bool Intera(Arg v) { return sqlite3_value_type(v) == SQLITE_INTEGER; }

void FAbs(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  if (Intera(v[0])) {
    const int64_t i = sqlite3_value_int64(v[0]);
    if (i == INT64_MIN) return RisD(c, -static_cast<double>(i));
    return Ris(c, i < 0 ? -i : i);
  }
  RisD(c, std::fabs(Numero(v[0])));
}
void FInt(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  if (Intera(v[0])) return sqlite3_result_value(c, v[0]);
  RisD(c, std::floor(Numero(v[0])));
}
void FFix(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  if (Intera(v[0])) return sqlite3_result_value(c, v[0]);
  RisD(c, std::trunc(Numero(v[0])));
}
void FSgn(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const double d = Numero(v[0]);
  Ris(c, int64_t{d > 0 ? 1 : d < 0 ? -1 : 0});
}

// Round halves to even on the decimal value the user sees (2.675 is
// 2.675, not the binary number just below it).
void FRound(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const long dec = n > 1 ? Intero(v[1]) : 0;
  if (dec < 0) vb::Solleva(vb::ErrChiamataNonValida);
  if (Intera(v[0])) return sqlite3_result_value(c, v[0]);
  const double x = Numero(v[0]);
  vb::Decimale d;
  if (dec > 22 || !vb::DecimaleDaDouble(x, d)) return RisD(c, x);
  const auto scalato = vb::InteroScalato(d, static_cast<int>(dec));
  if (!scalato) return RisD(c, x);
  double r = static_cast<double>(*scalato) / std::pow(10.0, static_cast<double>(dec));
  if (r == 0) r = 0;  // no "-0"
  RisD(c, r);
}

void FMod(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{Resto(Numero(v[0]), Numero(v[1]))});
}
void FDiv(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  RisD(c, Diviso(Numero(v[0]), Numero(v[1])));
}
void FDivIntero(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, int64_t{DivisoIntero(Numero(v[0]), Numero(v[1]))});
}

void FFormat(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  Ris(c, vb::FunzioniComuni::Istanza().Formatta(Valore(v[0]), Testo(v[1])));
}

void FConcat(sqlite3_context* c, int, Arg* v) {
  if (Nullo(v[0]) && Nullo(v[1])) return sqlite3_result_null(c);
  Ris(c, Testo(v[0]) + Testo(v[1]));
}

// ---------------------------------------------------------------- Like

// One element of a Jet pattern, over folded characters.
struct Elemento {
  enum Tipo : uint8_t { Lettera, Uno, Cifra, Classe, Stella } tipo;
  char32_t c = 0;
  bool negata = false;
  std::vector<std::pair<char32_t, char32_t>> intervalli;

  bool Accetta(char32_t x) const {
    switch (tipo) {
      case Lettera: return x == c;
      case Uno: return true;
      case Cifra: return x >= '0' && x <= '9';
      case Classe: {
        bool dentro = false;
        for (const auto& [a, b] : intervalli)
          if (x >= a && x <= b) {
            dentro = true;
            break;
          }
        return dentro != negata;
      }
      case Stella: return false;
    }
    return false;
  }
};

[[noreturn]] void SchemaNonValido() { vb::Solleva(93, "Stringa di modello non valida"); }

std::vector<Elemento> CompilaSchema(const std::u32string& p) {
  std::vector<Elemento> out;
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t ch = p[i];
    Elemento e{};
    if (ch == '*') {
      if (!out.empty() && out.back().tipo == Elemento::Stella) continue;
      e.tipo = Elemento::Stella;
    } else if (ch == '?') {
      e.tipo = Elemento::Uno;
    } else if (ch == '#') {
      e.tipo = Elemento::Cifra;
    } else if (ch == '[') {
      const size_t fine = p.find(']', i + 1);
      if (fine == std::u32string::npos) SchemaNonValido();
      size_t k = i + 1;
      if (fine == k) {  // "[]" stands for nothing at all
        i = fine;
        continue;
      }
      e.tipo = Elemento::Classe;
      if (p[k] == '!' && fine > k + 1) {
        e.negata = true;
        ++k;
      }
      while (k < fine) {
        const char32_t a = p[k];
        if (k + 2 < fine && p[k + 1] == '-') {
          const char32_t b = p[k + 2];
          if (b < a) SchemaNonValido();
          e.intervalli.emplace_back(a, b);
          k += 3;
        } else {
          e.intervalli.emplace_back(a, a);
          ++k;
        }
      }
      i = fine;
    } else {
      e.tipo = Elemento::Lettera;
      e.c = ch;
    }
    out.push_back(std::move(e));
  }
  return out;
}

// Every element but "*" takes exactly one character, so the classic
// two-pointer walk with one backtrack point is enough.
bool Corrisponde(const std::u32string& s, const std::vector<Elemento>& p) {
  size_t i = 0, j = 0, stella = std::string::npos, ripresa = 0;
  while (i < s.size()) {
    if (j < p.size() && p[j].tipo != Elemento::Stella && p[j].Accetta(s[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j].tipo == Elemento::Stella) {
      stella = j++;
      ripresa = i;
    } else if (stella != std::string::npos) {
      j = stella + 1;
      i = ++ripresa;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j].tipo == Elemento::Stella) ++j;
  return j == p.size();
}

using Schema = std::vector<Elemento>;

void FLike(sqlite3_context* c, int n, Arg* v) {
  if (AlcunNullo(c, n, v)) return;
  const std::u32string s = vb::InCodici(vb::Piega(Testo(v[0])));
  // A constant pattern is compiled once per statement, not once per row.
  if (const auto* pronto = static_cast<const Schema*>(sqlite3_get_auxdata(c, 1)))
    return RisFlag(c, Corrisponde(s, *pronto));
  Schema schema = CompilaSchema(vb::InCodici(vb::Piega(Testo(v[1]))));
  RisFlag(c, Corrisponde(s, schema));
  // SQLite may drop the copy at once (a pattern that varies by row), so it
  // is handed over only after use.
  sqlite3_set_auxdata(c, 1, new Schema(std::move(schema)),
                      [](void* p) { delete static_cast<Schema*>(p); });
}

// ---------------------------------------------------------------- First / Last

struct Accumulo {
  sqlite3_value* valore;
  bool visto;
};

void PassoPrimo(sqlite3_context* c, int, Arg* v) {
  auto* a = static_cast<Accumulo*>(sqlite3_aggregate_context(c, sizeof(Accumulo)));
  if (!a) return sqlite3_result_error_nomem(c);
  if (a->visto) return;
  a->valore = sqlite3_value_dup(v[0]);
  if (!a->valore) return sqlite3_result_error_nomem(c);
  a->visto = true;
}

void PassoUltimo(sqlite3_context* c, int, Arg* v) {
  auto* a = static_cast<Accumulo*>(sqlite3_aggregate_context(c, sizeof(Accumulo)));
  if (!a) return sqlite3_result_error_nomem(c);
  sqlite3_value* nuovo = sqlite3_value_dup(v[0]);
  if (!nuovo) return sqlite3_result_error_nomem(c);
  sqlite3_value_free(a->valore);
  a->valore = nuovo;
  a->visto = true;
}

void FineAccumulo(sqlite3_context* c) {
  auto* a = static_cast<Accumulo*>(sqlite3_aggregate_context(c, 0));
  if (!a || !a->valore) return sqlite3_result_null(c);
  sqlite3_result_value(c, a->valore);
  sqlite3_value_free(a->valore);
  a->valore = nullptr;
}

// ---------------------------------------------------------------- table

struct Funzione {
  const char* nome;
  int minArg, maxArg;
  bool deterministica;
  Corpo corpo;
};

const Funzione kFunzioni[] = {
    {"vb_ucase", 1, 1, true, Protetto<FUCase>},
    {"vb_lcase", 1, 1, true, Protetto<FLCase>},
    {"vb_mid", 2, 3, true, Protetto<FMid>},
    {"vb_left", 2, 2, true, Protetto<FLeft>},
    {"vb_right", 2, 2, true, Protetto<FRight>},
    {"vb_len", 1, 1, true, Protetto<FLen>},
    {"vb_instr", 2, 3, true, Protetto<FInStr>},
    {"vb_trim", 1, 1, true, Protetto<FTrim>},
    {"vb_ltrim", 1, 1, true, Protetto<FLTrim>},
    {"vb_rtrim", 1, 1, true, Protetto<FRTrim>},
    {"vb_replace", 3, 3, true, Protetto<FReplace>},
    {"vb_val", 1, 1, true, Protetto<FVal>},
    {"vb_isnumeric", 1, 1, true, Protetto<FIsNumeric>},
    {"vb_cstr", 1, 1, true, Protetto<FCStr>},
    {"vb_cint", 1, 1, true, Protetto<FCInt>},
    {"vb_clng", 1, 1, true, Protetto<FCLng>},
    {"vb_cdbl", 1, 1, true, Protetto<FCDbl>},
    {"vb_ccur", 1, 1, true, Protetto<FCCur>},
    {"vb_cdate", 1, 1, true, Protetto<FCDate>},
    {"vb_nz", 1, 2, true, Protetto<FNz>},
    {"vb_year", 1, 1, true, Protetto<FYear>},
    {"vb_month", 1, 1, true, Protetto<FMonth>},
    {"vb_day", 1, 1, true, Protetto<FDay>},
    {"vb_hour", 1, 1, true, Protetto<FHour>},
    {"vb_minute", 1, 1, true, Protetto<FMinute>},
    {"vb_second", 1, 1, true, Protetto<FSecond>},
    {"vb_weekday", 1, 2, true, Protetto<FWeekday>},
    {"vb_date", 0, 0, false, Protetto<FDate>},
    {"vb_now", 0, 0, false, Protetto<FNow>},
    {"vb_dateadd", 3, 3, true, Protetto<FDateAdd>},
    {"vb_datediff", 3, 3, true, Protetto<FDateDiff>},
    {"vb_dateserial", 3, 3, true, Protetto<FDateSerial>},
    {"vb_datevalue", 1, 1, true, Protetto<FDateValue>},
    {"vb_chr", 1, 1, true, Protetto<FChr>},
    {"vb_asc", 1, 1, true, Protetto<FAsc>},
    {"vb_space", 1, 1, true, Protetto<FSpace>},
    {"vb_string", 2, 2, true, Protetto<FString>},
    {"vb_str", 1, 1, true, Protetto<FStr>},
    {"vb_abs", 1, 1, true, Protetto<FAbs>},
    {"vb_int", 1, 1, true, Protetto<FInt>},
    {"vb_fix", 1, 1, true, Protetto<FFix>},
    {"vb_sgn", 1, 1, true, Protetto<FSgn>},
    {"vb_round", 1, 2, true, Protetto<FRound>},
    {"vb_format", 2, 2, true, Protetto<FFormat>},
    {"vb_like", 2, 2, true, Protetto<FLike>},
    {"vb_concat", 2, 2, true, Protetto<FConcat>},
    {"vb_mod", 2, 2, true, Protetto<FMod>},
    {"vb_div", 2, 2, true, Protetto<FDiv>},
    {"vb_intdiv", 2, 2, true, Protetto<FDivIntero>},
};

}  // namespace

int RegistraRuntime(sqlite3* db, ErroreFunzione* errore) {
  int rc = sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, Collazione, nullptr);
  if (rc != SQLITE_OK) return rc;
  for (const Funzione& f : kFunzioni) {
    const int flag = SQLITE_UTF8 | (f.deterministica ? SQLITE_DETERMINISTIC : 0);
    for (int n = f.minArg; n <= f.maxArg; ++n) {
      rc = sqlite3_create_function_v2(db, f.nome, n, flag, errore, f.corpo, nullptr, nullptr,
                                      nullptr);
      if (rc != SQLITE_OK) return rc;
    }
  }
  // First and Last answer by the order rows arrive in: not deterministic.
  rc = sqlite3_create_function_v2(db, "vb_first", 1, SQLITE_UTF8, errore, nullptr, PassoPrimo,
                                  FineAccumulo, nullptr);
  if (rc != SQLITE_OK) return rc;
  return sqlite3_create_function_v2(db, "vb_last", 1, SQLITE_UTF8, errore, nullptr, PassoUltimo,
                                    FineAccumulo, nullptr);
}

}  // namespace dati::sqlite

// The database-server engine: PostgreSQL reached through unixODBC and the
// psqlODBC driver. Statements arrive already in the server's dialect; this
// layer binds parameters, reads whole results into memory, nests
// transactions with savepoints and turns the server's SQLSTATEs into the
// legacy error numbers the program compares.
//
// Everything crosses the driver manager as UTF-16 (the "W" calls and
// SQL_C_WCHAR values): the Unicode driver then never depends on the
// process locale, and texts come back as the UTF-8 the program uses.
#include "platform/dati/MotoreOdbc.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <iterator>

#include "platform/Errore.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/dati/Schema.h"

namespace dati {

namespace {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC with 16-bit SQLWCHAR expected");

std::atomic<int> gAttesaMs{10000};

constexpr long kErrSenzaTransazione = 3034;
constexpr long kErrCampoObbligatorio = 3314;
constexpr const char* kOrigine = "ODBC";

// ---------------------------------------------------------------- UTF-16

std::u16string Utf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    }
    // Rare path: decode one character through the shared UTF-8 reader.
    size_t j = i + 1;
    while (j < s.size() && (static_cast<unsigned char>(s[j]) & 0xC0) == 0x80 && j - i < 4) ++j;
    for (char32_t cp : vb::InCodici(s.substr(i, j - i))) {
      if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
      } else {
        out.push_back(static_cast<char16_t>(cp));
      }
    }
    i = j;
  }
  return out;
}

void Utf8(const char16_t* p, size_t n, std::string& out) {
  out.clear();
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    char32_t c = p[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && p[i + 1] >= 0xDC00 && p[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (p[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::string Utf8(const char16_t* p, size_t n) {
  std::string s;
  Utf8(p, n, s);
  return s;
}

SQLWCHAR* W(std::u16string& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

// ---------------------------------------------------------------- errors

struct Diagnosi {
  std::string stato;      // SQLSTATE of the first record
  std::string messaggio;  // all records, as the server and the driver wrote them
};

Diagnosi LeggiDiagnosi(SQLSMALLINT tipo, SQLHANDLE h) {
  Diagnosi d;
  if (!h) return d;
  for (SQLSMALLINT rec = 1; rec < 20; ++rec) {
    char16_t stato[6] = {};
    SQLINTEGER nativo = 0;
    std::u16string msg(1024, u'\0');
    SQLSMALLINT lung = 0;
    SQLRETURN r = SQLGetDiagRecW(tipo, h, rec, reinterpret_cast<SQLWCHAR*>(stato), &nativo, W(msg),
                                 static_cast<SQLSMALLINT>(msg.size()), &lung);
    if (r == SQL_SUCCESS_WITH_INFO && lung >= static_cast<SQLSMALLINT>(msg.size())) {
      msg.assign(static_cast<size_t>(lung) + 1, u'\0');
      r = SQLGetDiagRecW(tipo, h, rec, reinterpret_cast<SQLWCHAR*>(stato), &nativo, W(msg),
                         static_cast<SQLSMALLINT>(msg.size()), &lung);
    }
    if (!SQL_SUCCEEDED(r)) break;
    if (d.stato.empty()) d.stato = Utf8(stato, 5);
    msg.resize(std::min<size_t>(static_cast<size_t>(std::max<SQLSMALLINT>(lung, 0)), msg.size()));
    std::string m = Utf8(msg.data(), msg.size());
    if (!d.messaggio.empty()) d.messaggio += " / ";
    d.messaggio += m;
  }
  return d;
}

// The server's own words, without the driver's wrapping.
std::string Pulisci(std::string m) {
  for (const char* coda : {";\nError while executing the query", "\nError while executing the query"}) {
    size_t p;
    while ((p = m.find(coda)) != std::string::npos) m.erase(p, std::strlen(coda));
  }
  for (const char* testa : {"ERROR: ", "ERRORE: "}) {
    if (m.rfind(testa, 0) == 0) m.erase(0, std::strlen(testa));
  }
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ' || m.back() == ';')) m.pop_back();
  for (char& c : m)
    if (c == '\n') c = ' ';
  return m;
}

// Refused logins come back from psqlODBC as a generic 08001 carrying the
// server's message (the server's own 28P01 does not survive libpq), so the
// message decides; a driver that passes the SQLSTATE through is read first.
bool LoginRifiutato(const Diagnosi& d) {
  if (d.stato.rfind("28", 0) == 0) return true;
  const std::string m = vb::LCase(d.messaggio);
  for (const char* s : {"authentication failed", "autenticazione", "no password supplied",
                        "password", "pg_hba.conf", "role \"", "ruolo \""})
    if (m.find(s) != std::string::npos) return true;
  return false;
}

[[noreturn]] void SollevaDiagnosi(const Diagnosi& d) {
  const std::string& s = d.stato;
  long numero = ErrOdbc;
  std::string testo = "Chiamata ODBC non riuscita";
  if (s.size() == 5 && s[0] == 'V' && s[1] == 'B') {
    // A run-time function of ours raised a legacy error (13, 5, 6...).
    long n = 0;
    std::from_chars(s.data() + 2, s.data() + 5, n);
    if (n > 0) vb::Solleva(n, Pulisci(d.messaggio), kOrigine);
  }
  // A character the server's texts cannot hold (Chr(0) of a statement).
  if (s == "22021") vb::Solleva(ErrTipoDati, Pulisci(d.messaggio), kOrigine);
  if (s == "23505") {
    numero = ErrChiaveDuplicata;
    testo = "Chiave duplicata: il valore è già presente";
  } else if (s == "40001") {
    numero = ErrRigaCambiata;
    testo = "Dati modificati da un altro utente";
  } else if (s == "55P03" || s == "40P01" || s == "57014") {
    numero = ErrBloccato;
    testo = "Dati bloccati da un altro utente";
  } else if (s.rfind("28", 0) == 0) {
    numero = ErrLoginServer;
    testo = "Accesso al server rifiutato";
  } else if (s == "42P01") {
    numero = ErrTabellaInesistente;
    testo = "Tabella o query inesistente";
  } else if (s == "42703") {
    numero = ErrParametri;
    testo = "Campo sconosciuto o parametri insufficienti";
  } else if (s == "07002") {
    numero = ErrParametri;
    testo = "Parametri non corrispondenti";
  } else if (s == "42601") {
    numero = ErrSintassi;
    testo = "Errore di sintassi nell'istruzione SQL";
  } else if (s == "22001") {
    numero = ErrCampoPiccolo;
    testo = "Il campo è troppo piccolo per accettare la quantità di dati che si è tentato di aggiungere";
  } else if (s == "22003") {
    numero = vb::ErrOverflow;
    testo = "Overflow: il valore è fuori dall'intervallo del campo";
  } else if (s == "22P02") {
    numero = ErrTipoDati;
    testo = "Tipo di dati non corrispondente";
  } else if (s == "23502") {
    numero = kErrCampoObbligatorio;
    testo = "Campo obbligatorio senza valore";
  }
  std::string m = Pulisci(d.messaggio);
  vb::Solleva(numero, m.empty() ? testo : testo + " (" + m + ")", kOrigine);
}

// ---------------------------------------------------------------- connect text

struct Attributo {
  std::string chiave;  // upper case
  std::string valore;
};

std::string Maiuscolo(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return s;
}

std::string SenzaSpazi(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return std::string(s.substr(a, b - a));
}

[[noreturn]] void TestoNonValido(const std::string& motivo) {
  vb::Solleva(ErrOdbc, "Testo di connessione ODBC non valido: " + motivo, kOrigine);
}

// Attributes "KEY=value;KEY={value with ; and }} inside};..." in order.
std::vector<Attributo> LeggiAttributi(std::string_view t) {
  std::vector<Attributo> out;
  size_t i = 0;
  while (i < t.size()) {
    while (i < t.size() && (t[i] == ';' || t[i] == ' ' || t[i] == '\t')) ++i;
    if (i >= t.size()) break;
    const size_t uguale = t.find('=', i);
    const size_t pv = t.find(';', i);
    if (uguale == std::string_view::npos || (pv != std::string_view::npos && pv < uguale)) {
      // A word without "=": nothing a driver could use.
      i = pv == std::string_view::npos ? t.size() : pv + 1;
      continue;
    }
    Attributo a;
    a.chiave = Maiuscolo(SenzaSpazi(t.substr(i, uguale - i)));
    i = uguale + 1;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i < t.size() && t[i] == '{') {
      ++i;
      bool chiusa = false;
      while (i < t.size()) {
        if (t[i] == '}') {
          if (i + 1 < t.size() && t[i + 1] == '}') {
            a.valore.push_back('}');
            i += 2;
            continue;
          }
          ++i;
          chiusa = true;
          break;
        }
        a.valore.push_back(t[i++]);
      }
      if (!chiusa) TestoNonValido("parentesi graffa non chiusa");
      while (i < t.size() && t[i] != ';') {
        if (t[i] != ' ' && t[i] != '\t') TestoNonValido("testo dopo una parentesi graffa");
        ++i;
      }
    } else {
      const size_t fine = t.find(';', i);
      a.valore = SenzaSpazi(t.substr(i, fine == std::string_view::npos ? std::string_view::npos : fine - i));
      i = fine == std::string_view::npos ? t.size() : fine;
    }
    if (a.chiave.empty()) continue;
    if (a.chiave == "USER" || a.chiave == "USERNAME" || a.chiave == "USER ID") a.chiave = "UID";
    if (a.chiave == "PASSWORD") a.chiave = "PWD";
    // ODBC: the first occurrence of a keyword counts.
    bool gia = false;
    for (const auto& x : out) gia = gia || x.chiave == a.chiave;
    if (!gia) out.push_back(std::move(a));
  }
  return out;
}

std::string TraGraffe(const std::string& v) {
  std::string s = "{";
  for (char c : v) {
    s.push_back(c);
    if (c == '}') s.push_back('}');
  }
  s.push_back('}');
  return s;
}

const Attributo* Trova(const std::vector<Attributo>& a, const char* chiave) {
  for (const auto& x : a)
    if (x.chiave == chiave) return &x;
  return nullptr;
}

// What psqlODBC should do on a failed statement inside a transaction, as
// the "Protocol" attribute tells it: 2 = undo that statement only.
int LivelloRollbackDriver(const std::vector<Attributo>& a) {
  const Attributo* p = Trova(a, "PROTOCOL");
  if (!p) return 2;
  const size_t t = p->valore.rfind('-');
  if (t == std::string::npos || t + 1 >= p->valore.size()) return 2;
  return p->valore[t + 1] - '0';
}

std::vector<Attributo> AttributiConnessione(const std::string& connessione, const std::string& utente,
                                            const std::string& password) {
  std::string t = SenzaSpazi(connessione);
  if (t.size() >= 5 && Maiuscolo(t.substr(0, 5)) == "ODBC;") t.erase(0, 5);
  std::vector<Attributo> a;
  if (t.find('=') == std::string::npos) {
    // A bare data-source name.
    t = SenzaSpazi(t);
    while (!t.empty() && t.back() == ';') t.pop_back();
    if (t.empty()) TestoNonValido("nessuna origine dati");
    a.push_back({"DSN", t});
  } else {
    a = LeggiAttributi(t);
  }
  if (!utente.empty() && !Trova(a, "UID")) a.push_back({"UID", utente});
  if (!password.empty() && !Trova(a, "PWD")) a.push_back({"PWD", password});
  if (!Trova(a, "DSN") && !Trova(a, "DRIVER") && !Trova(a, "FILEDSN"))
    TestoNonValido("manca DSN, FILEDSN o DRIVER");
  // psqlODBC: flags as SQL_BIT rather than "1"/"0" texts, and a failing
  // statement inside a transaction undone alone (the driver sends its
  // savepoint in the same round trip as the statement).
  if (!Trova(a, "BOOLSASCHAR")) a.push_back({"BOOLSASCHAR", "0"});
  if (!Trova(a, "PROTOCOL")) a.push_back({"PROTOCOL", "7.4-2"});
  return a;
}

std::string ComponiTesto(const std::vector<Attributo>& a) {
  std::string out;
  auto scrivi = [&](const Attributo& x) {
    std::string chiave = x.chiave == "BOOLSASCHAR" ? "BoolsAsChar"
                         : x.chiave == "PROTOCOL"  ? "Protocol"
                                                   : x.chiave;
    bool graffe = x.chiave == "DRIVER" || x.chiave == "PWD" ||
                  x.valore.find_first_of(";{}") != std::string::npos ||
                  (!x.valore.empty() && (x.valore.front() == ' ' || x.valore.back() == ' '));
    if (!out.empty()) out += ';';
    out += chiave + "=" + (graffe ? TraGraffe(x.valore) : x.valore);
  };
  // The data source or driver first, as the driver manager expects.
  for (const char* k : {"DSN", "FILEDSN", "DRIVER"})
    if (const Attributo* x = Trova(a, k)) scrivi(*x);
  for (const auto& x : a)
    if (x.chiave != "DSN" && x.chiave != "FILEDSN" && x.chiave != "DRIVER") scrivi(x);
  return out;
}

// The zone of the workstation's clock ("Europe/Rome"), so that vb_now() on
// the server reads what Now() reads on the client. Empty when unknown.
std::string FusoLocale() {
  std::string z;
  if (const char* tz = std::getenv("TZ"); tz && *tz) {
    z = tz;
    if (!z.empty() && z[0] == ':') z.erase(0, 1);
  } else {
    char buf[512];
    const ssize_t n = ::readlink("/etc/localtime", buf, sizeof buf - 1);
    if (n > 0) {
      std::string p(buf, static_cast<size_t>(n));
      const size_t k = p.find("zoneinfo/");
      if (k != std::string::npos) z = p.substr(k + 9);
    }
  }
  if (z.empty() || z.size() > 64 || z[0] == '/') return {};
  for (char c : z)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '_' || c == '-' || c == '+'))
      return {};
  return z;
}

// ---------------------------------------------------------------- statements

class Istruzione {
 public:
  explicit Istruzione(SQLHDBC dbc) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h_)))
      SollevaDiagnosi(LeggiDiagnosi(SQL_HANDLE_DBC, dbc));
  }
  ~Istruzione() {
    if (h_) SQLFreeHandle(SQL_HANDLE_STMT, h_);
  }
  Istruzione(const Istruzione&) = delete;
  Istruzione& operator=(const Istruzione&) = delete;
  SQLHSTMT h() const { return h_; }
  void Verifica(SQLRETURN r) const {
    if (r == SQL_ERROR || r == SQL_INVALID_HANDLE) SollevaDiagnosi(LeggiDiagnosi(SQL_HANDLE_STMT, h_));
  }

 private:
  SQLHSTMT h_ = nullptr;
};

// Positions of the "?" markers, skipping literals, quoted names, dollar
// quoted bodies and comments.
std::vector<size_t> Segnaposti(std::string_view s) {
  std::vector<size_t> out;
  auto ident = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
  };
  const size_t n = s.size();
  size_t i = 0;
  while (i < n) {
    const char c = s[i];
    if (c == '\'') {
      const bool conEscape = i > 0 && (s[i - 1] == 'E' || s[i - 1] == 'e') && (i < 2 || !ident(s[i - 2]));
      ++i;
      while (i < n) {
        if (conEscape && s[i] == '\\') {
          i += 2;
          continue;
        }
        if (s[i] == '\'') {
          if (i + 1 < n && s[i + 1] == '\'') {
            i += 2;
            continue;
          }
          break;
        }
        ++i;
      }
      ++i;
    } else if (c == '"') {
      const size_t f = s.find('"', i + 1);
      i = f == std::string_view::npos ? n : f + 1;
    } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
      const size_t f = s.find('\n', i);
      i = f == std::string_view::npos ? n : f + 1;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      int livello = 0;
      while (i < n) {
        if (s[i] == '/' && i + 1 < n && s[i + 1] == '*') {
          ++livello;
          i += 2;
        } else if (s[i] == '*' && i + 1 < n && s[i + 1] == '/') {
          i += 2;
          if (--livello == 0) break;
        } else {
          ++i;
        }
      }
    } else if (c == '$' && (i == 0 || !ident(s[i - 1]))) {
      size_t k = i + 1;
      if (k < n && (std::isalpha(static_cast<unsigned char>(s[k])) || s[k] == '_')) {
        while (k < n && (std::isalnum(static_cast<unsigned char>(s[k])) || s[k] == '_')) ++k;
      }
      if (k < n && s[k] == '$') {
        const std::string_view tag = s.substr(i, k - i + 1);
        const size_t f = s.find(tag, k + 1);
        i = f == std::string_view::npos ? n : f + tag.size();
      } else {
        i = k;
      }
    } else {
      if (c == '?') out.push_back(i);
      ++i;
    }
  }
  return out;
}

// One bound parameter: its buffer lives until the statement has run.
struct Parametro {
  std::u16string testo;
  std::string ascii;
  SQLINTEGER intero = 0;
  double doppio = 0;
  SQLLEN ind = 0;
};

double DaSingle(float f) {
  char buf[32];
  auto fine = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = f;
  std::from_chars(buf, fine, d);
  return d;
}

std::string TestoTimestamp(vb::Date d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.Year(), d.Month(), d.Day(),
                d.Hour(), d.Minute(), d.Second());
  return buf;
}

// The server's texts cannot hold the character of code 0, and the driver
// would drop it and what follows: the text is refused, never changed.
[[noreturn]] void SollevaNul() {
  vb::Solleva(ErrTipoDati,
              "Il testo contiene il carattere nullo (Chr(0)), che il database server non può memorizzare",
              kOrigine);
}

// Binds `par` to the markers of `sql` and gives back the text to run: a
// Double goes with an explicit float8 cast, since psqlODBC sends doubles
// untyped and the server would otherwise pick a text overload for them.
std::string Lega(const Istruzione& st, const std::string& sql, const std::vector<vb::Variant>& par,
                 std::vector<Parametro>& buf) {
  if (sql.find('\0') != std::string::npos) SollevaNul();
  const std::vector<size_t> pos = Segnaposti(sql);
  if (pos.size() != par.size())
    vb::Solleva(ErrParametri,
                "Parametri non corrispondenti: previsti " + std::to_string(pos.size()) +
                    ", forniti " + std::to_string(par.size()),
                kOrigine);
  buf.assign(par.size(), Parametro{});
  std::string testo;
  size_t copiato = 0;
  for (size_t i = 0; i < par.size(); ++i) {
    const vb::Variant& v = par[i];
    Parametro& p = buf[i];
    const SQLUSMALLINT k = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN r = SQL_SUCCESS;
    switch (v.VarType()) {
      case vb::vbBoolean:
        p.intero = v.ToBool() ? -1 : 0;
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_SMALLINT, 5, 0, &p.intero, 0, nullptr);
        break;
      case vb::vbByte:
      case vb::vbInteger:
        p.intero = v.ToLong();
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_SMALLINT, 5, 0, &p.intero, 0, nullptr);
        break;
      case vb::vbLong:
        p.intero = v.ToLong();
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 10, 0, &p.intero, 0, nullptr);
        break;
      case vb::vbSingle:
      case vb::vbDouble:
        p.doppio = v.VarType() == vb::vbSingle ? DaSingle(v.ToSingle()) : v.ToDouble();
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &p.doppio, 0, nullptr);
        testo.append(sql, copiato, pos[i] + 1 - copiato);
        testo += "::float8";
        copiato = pos[i] + 1;
        break;
      case vb::vbCurrency:
        p.ascii = v.ToCurrency().ToSqlText();
        p.ind = static_cast<SQLLEN>(p.ascii.size());
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_NUMERIC, 19, 4, p.ascii.data(),
                             p.ind, &p.ind);
        break;
      case vb::vbDate:
        p.ascii = TestoTimestamp(v.ToDate());
        p.ind = static_cast<SQLLEN>(p.ascii.size());
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_TYPE_TIMESTAMP, 19, 0,
                             p.ascii.data(), p.ind, &p.ind);
        break;
      case vb::vbString: {
        // Untyped for the server, which reads it as the column or the
        // function argument it meets.
        if (v.StringPtr()->find('\0') != std::string::npos) SollevaNul();
        p.testo = Utf16(*v.StringPtr());
        p.ind = static_cast<SQLLEN>(p.testo.size() * sizeof(char16_t));
        const SQLULEN dim = std::max<SQLULEN>(1, p.testo.size());
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, dim, 0,
                             W(p.testo), p.ind, &p.ind);
        break;
      }
      default:  // Null, Empty, Missing
        p.ind = SQL_NULL_DATA;
        r = SQLBindParameter(st.h(), k, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, &p.intero, 0, &p.ind);
        break;
    }
    st.Verifica(r);
  }
  if (copiato == 0) return sql;
  testo.append(sql, copiato, std::string::npos);
  return testo;
}

// ---------------------------------------------------------------- reading

enum class Lettura : uint8_t { Bit, Corto, Lungo, Grande, Reale, Doppio, Numerico, Data, Ora, Testo, Binario };

struct ColonnaLetta {
  Lettura modo = Lettura::Testo;
  SQLSMALLINT tipoC = SQL_C_WCHAR;
  SQLSMALLINT decimali = 0;
  SQLLEN larghezza = 0;  // bytes per row in the buffer
  std::vector<char> dati;
  std::vector<SQLLEN> ind;
};

constexpr SQLLEN kTestoInRiga = 256;  // characters bound per row for long texts

void Prepara(ColonnaLetta& c, SQLSMALLINT tipoSql, SQLULEN dimensione, SQLSMALLINT decimali) {
  c.decimali = decimali;
  switch (tipoSql) {
    case SQL_BIT: c.modo = Lettura::Bit; c.tipoC = SQL_C_BIT; c.larghezza = 1; break;
    case SQL_TINYINT:
    case SQL_SMALLINT: c.modo = Lettura::Corto; c.tipoC = SQL_C_SSHORT; c.larghezza = sizeof(SQLSMALLINT); break;
    case SQL_INTEGER: c.modo = Lettura::Lungo; c.tipoC = SQL_C_SLONG; c.larghezza = sizeof(SQLINTEGER); break;
    case SQL_BIGINT: c.modo = Lettura::Grande; c.tipoC = SQL_C_SBIGINT; c.larghezza = sizeof(SQLBIGINT); break;
    case SQL_REAL: c.modo = Lettura::Reale; c.tipoC = SQL_C_FLOAT; c.larghezza = sizeof(SQLREAL); break;
    case SQL_FLOAT:
    case SQL_DOUBLE: c.modo = Lettura::Doppio; c.tipoC = SQL_C_DOUBLE; c.larghezza = sizeof(SQLDOUBLE); break;
    case SQL_NUMERIC:
    case SQL_DECIMAL: c.modo = Lettura::Numerico; c.tipoC = SQL_C_CHAR; c.larghezza = 80; break;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP:
      c.modo = Lettura::Data;
      c.tipoC = SQL_C_TYPE_TIMESTAMP;
      c.larghezza = sizeof(SQL_TIMESTAMP_STRUCT);
      break;
    case SQL_TYPE_TIME:
    case SQL_TIME: c.modo = Lettura::Ora; c.tipoC = SQL_C_TYPE_TIME; c.larghezza = sizeof(SQL_TIME_STRUCT); break;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      c.modo = Lettura::Binario;
      c.tipoC = SQL_C_BINARY;
      c.larghezza = dimensione > 0 && dimensione <= 1024 ? static_cast<SQLLEN>(dimensione) : 1024;
      break;
    default: {
      // Every text kind, and whatever else the server has (uuid, interval):
      // its text. Bounded columns get room for their whole declared length.
      c.modo = Lettura::Testo;
      c.tipoC = SQL_C_WCHAR;
      const SQLLEN car = dimensione > 0 && dimensione <= 2000 ? static_cast<SQLLEN>(dimensione) : kTestoInRiga;
      c.larghezza = (car + 1) * static_cast<SQLLEN>(sizeof(char16_t));
      break;
    }
  }
}

bool Troncato(const ColonnaLetta& c, SQLLEN ind) {
  if (ind == SQL_NULL_DATA) return false;
  if (ind == SQL_NO_TOTAL) return true;
  if (c.modo == Lettura::Testo) return ind > c.larghezza - static_cast<SQLLEN>(sizeof(char16_t));
  if (c.modo == Lettura::Numerico) return ind > c.larghezza - 1;
  if (c.modo == Lettura::Binario) return ind > c.larghezza;
  return false;
}

// The whole value of a column whose bound buffer was too small.
std::string LeggiIntero(const Istruzione& st, SQLUSMALLINT col, SQLSMALLINT tipoC, bool& nullo) {
  std::string out;
  nullo = false;
  std::vector<char> pezzo(16384);
  std::u16string w;
  for (;;) {
    SQLLEN ind = 0;
    const SQLRETURN r = SQLGetData(st.h(), col, tipoC, pezzo.data(), static_cast<SQLLEN>(pezzo.size()), &ind);
    if (r == SQL_NO_DATA) break;
    st.Verifica(r);
    if (ind == SQL_NULL_DATA) {
      nullo = true;
      return {};
    }
    size_t n;
    const size_t term = tipoC == SQL_C_WCHAR ? sizeof(char16_t) : tipoC == SQL_C_CHAR ? 1 : 0;
    if (ind == SQL_NO_TOTAL || ind > static_cast<SQLLEN>(pezzo.size() - term)) n = pezzo.size() - term;
    else n = static_cast<size_t>(ind);
    if (tipoC == SQL_C_WCHAR) {
      n -= n % sizeof(char16_t);
      w.append(reinterpret_cast<const char16_t*>(pezzo.data()), n / sizeof(char16_t));
    } else {
      out.append(pezzo.data(), n);
    }
    if (r == SQL_SUCCESS) break;
  }
  if (tipoC == SQL_C_WCHAR) Utf8(w.data(), w.size(), out);
  return out;
}

double DoppioDaTesto(std::string_view t) {
  vb::Decimale d;
  if (vb::LeggiDecimale(t, vb::StileNumero::Punto, d)) return vb::DoubleDaDecimale(d);
  if (t == "NaN") return std::nan("");
  return 0;
}

vb::Variant DataDa(const SQL_TIMESTAMP_STRUCT& ts) {
  try {
    return vb::Date::FromYmdHms(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second);
  } catch (const vb::Errore&) {
    // Out of the legacy range (year < 100): the text rather than nothing.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02u:%02u:%02u", ts.year, ts.month, ts.day, ts.hour,
                  ts.minute, ts.second);
    return std::string(buf);
  }
}

// The engine's natural value of one cell.
vb::Variant Naturale(const ColonnaLetta& c, size_t riga, const std::string* intero) {
  const char* p = c.dati.data() + riga * static_cast<size_t>(c.larghezza);
  const SQLLEN ind = c.ind[riga];
  switch (c.modo) {
    case Lettura::Bit: return *reinterpret_cast<const unsigned char*>(p) != 0;
    case Lettura::Corto: {
      SQLSMALLINT v;
      std::memcpy(&v, p, sizeof v);
      return static_cast<int16_t>(v);
    }
    case Lettura::Lungo: {
      SQLINTEGER v;
      std::memcpy(&v, p, sizeof v);
      return static_cast<int>(v);
    }
    case Lettura::Grande: {
      SQLBIGINT v;
      std::memcpy(&v, p, sizeof v);
      if (v >= INT32_MIN && v <= INT32_MAX) return static_cast<int>(v);
      return static_cast<double>(v);
    }
    case Lettura::Reale: {
      SQLREAL v;
      std::memcpy(&v, p, sizeof v);
      return DaSingle(v);
    }
    case Lettura::Doppio: {
      SQLDOUBLE v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    case Lettura::Numerico: {
      const std::string_view t = intero ? std::string_view(*intero) : std::string_view(p, static_cast<size_t>(ind));
      if (c.decimali == 4) {
        vb::Currency cur;
        if (vb::Currency::TryFromText(t, cur, true)) return cur;
      }
      return DoppioDaTesto(t);
    }
    case Lettura::Data: {
      SQL_TIMESTAMP_STRUCT ts;
      std::memcpy(&ts, p, sizeof ts);
      return DataDa(ts);
    }
    case Lettura::Ora: {
      SQL_TIME_STRUCT t;
      std::memcpy(&t, p, sizeof t);
      return vb::Date::FromSerial((t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0);
    }
    case Lettura::Binario:
      if (intero) return *intero;
      return std::string(p, static_cast<size_t>(ind));
    case Lettura::Testo: {
      if (intero) return *intero;
      std::string s;
      Utf8(reinterpret_cast<const char16_t*>(p), static_cast<size_t>(ind) / sizeof(char16_t), s);
      return vb::Variant(std::move(s));
    }
  }
  return vb::Null;
}

// Conversion to the kind the caller asked for, as the SQLite engine does:
// the legacy conversions, raising 6 or 13 where they would.
vb::Variant Converti(vb::Variant v, TipoCampo tipo, const ColonnaLetta& c, size_t riga,
                     const std::string* intero) {
  if (v.IsNull()) return v;
  switch (tipo) {
    case TipoCampo::Ignoto: return v;
    case TipoCampo::Testo:
    case TipoCampo::Memo: return v.IsString() ? v : vb::Variant(v.ToString());
    case TipoCampo::Byte: return v.ToByte();
    case TipoCampo::Intero: return v.ToInt();
    case TipoCampo::Lungo: return v.ToLong();
    case TipoCampo::Doppio: return v.ToDouble();
    case TipoCampo::Importo:
      if (c.modo == Lettura::Numerico) {
        // Exactly the decimal the server holds, rounded to four places.
        const char* p = c.dati.data() + riga * static_cast<size_t>(c.larghezza);
        const std::string_view t =
            intero ? std::string_view(*intero) : std::string_view(p, static_cast<size_t>(c.ind[riga]));
        vb::Decimale d;
        if (vb::LeggiDecimale(t, vb::StileNumero::Punto, d)) {
          auto raw = vb::InteroScalato(d, 4);
          if (!raw) vb::Solleva(vb::ErrOverflow);
          return vb::Currency::FromRaw(*raw);
        }
      }
      return v.ToCurrency();
    case TipoCampo::Data:
      if (v.IsString()) {
        if (auto d = vb::Date::Parse(*v.StringPtr())) return *d;
        return v;  // no date: the text stays what it is
      }
      return v.ToDate();
    case TipoCampo::SiNo: return v.ToBool();
  }
  return v;
}

// ---------------------------------------------------------------- connection

class ConnessioneOdbc;
bool BloccaLettori(std::string_view sql);

// A server cursor read in blocks, in one of two ways.
//
// On a reading session of its own (a second connection with the same
// connect text, taken from a small pool): a plain cursor inside a
// read-only REPEATABLE READ transaction of that session. The server
// computes rows only as they are fetched, so the first ones come at once
// whatever the size of the result; the transaction's snapshot keeps the
// rows of the moment the cursor opened, lets them be read again from the
// first (a SCROLL cursor) and counted in the same snapshot. The program's
// own connection stays free for its writes, commits and rollbacks.
//
// On the connection itself, declared WITH HOLD, when no reading session
// can be had: the server computes the whole result at once and keeps it
// until the cursor is closed, whatever the connection does meanwhile.
//
// Either way no statement stays open between two reads, so any number of
// cursors can be open at once.
class CursoreOdbc final : public Cursore {
 public:
  CursoreOdbc(ConnessioneOdbc* conn, std::unique_ptr<ConnessioneOdbc> lettore, std::string nome, std::string sql,
              const std::vector<TipoCampo>* tipi);
  ~CursoreOdbc() override;
  void Leggi(size_t almeno, std::vector<std::vector<vb::Variant>>& righe) override;
  bool Finito() const override {
    return inMemoria_ ? consegnate_ >= memoria_.size() : finito_ && pronte_.empty();
  }
  std::optional<long> Conta() override;
  bool Riavvolgibile() const override { return lettore_ != nullptr || inMemoria_; }
  bool Riavvolgi() override;
  // The connection closes: the reading session goes with it.
  void Stacca();
  // The connection is about to take a lock the reading session's own would
  // block (a table dropped or altered): every row is read into memory and
  // the session given back.
  void Scarica();
  bool SuLettore() const { return lettore_ != nullptr; }

 private:
  void Prendi(size_t quante);
  void Chiudi();
  void RestituisciLettore();

  ConnessioneOdbc* conn_;
  std::unique_ptr<ConnessioneOdbc> lettore_;  // the reading session, when the cursor has one
  std::string nome_;
  std::string sql_;
  // After Scarica: the whole result, and how many rows were handed out.
  bool inMemoria_ = false;
  std::vector<std::vector<vb::Variant>> memoria_;
  size_t consegnate_ = 0;
  std::optional<long> conta_;
  std::vector<TipoCampo> tipi_;
  bool conTipi_ = false;
  std::vector<std::vector<vb::Variant>> pronte_;  // fetched, not handed out yet
  size_t blocco_ = 64;
  bool finito_ = false;
  bool staccato_ = false;
  std::exception_ptr errore_;
};

class ConnessioneOdbc final : public Connessione {
 public:
  ConnessioneOdbc(const std::string& connessione, const std::string& utente, const std::string& password);
  ~ConnessioneOdbc() override;

  TipoMotore Tipo() const override { return TipoMotore::Server; }
  long Esegui(const std::string& sql, const std::vector<vb::Variant>& parametri) override;
  Risultato Interroga(const std::string& sql, const std::vector<vb::Variant>& parametri,
                      const std::vector<TipoCampo>* tipi) override;
  std::unique_ptr<Cursore> ApriCursore(const std::string& sql, const std::vector<TipoCampo>* tipi) override;
  void IniziaTransazione() override;
  void ConfermaTransazione() override;
  void AnnullaTransazione() override;
  int LivelloTransazione() const override { return livello_; }
  const Catalogo& LeggiCatalogo() override;
  void AzzeraCatalogo() override {
    catalogo_.Svuota();
    catalogoLetto_ = false;
  }

 private:
  void Diretta(const std::string& sql);
  void Verifica(SQLRETURN r) const {
    if (r == SQL_ERROR || r == SQL_INVALID_HANDLE) SollevaDiagnosi(LeggiDiagnosi(SQL_HANDLE_DBC, dbc_));
  }
  void Autocommit(bool si);
  void FineTransazione(SQLSMALLINT come);
  template <class F>
  auto Protetta(F&& f) -> decltype(f());
  Risultato Leggi(const Istruzione& st, const std::vector<TipoCampo>* tipi);

  friend class CursoreOdbc;
  void ChiudiCursore(CursoreOdbc* c, const std::string& nome);
  std::unique_ptr<Cursore> ApriSuLettore(const std::string& sql, const std::vector<TipoCampo>* tipi);
  void Restituisci(std::unique_ptr<ConnessioneOdbc> l);
  bool FineLettura();
  bool Persa() const {
    SQLUINTEGER morta = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(dbc_, SQL_ATTR_CONNECTION_DEAD, &morta, 0, nullptr)) &&
           morta == SQL_CD_TRUE;
  }
  std::vector<CursoreOdbc*> cursori_;
  long prossimoCursore_ = 0;
  // What opens the reading sessions: the same text this connection opened
  // with. Idle sessions wait in the pool; a connection never holds more
  // than a few at once (the server's connection count is shared by every
  // workstation), beyond them cursors are held on the connection itself.
  std::string connessione_, utente_, password_;
  std::vector<std::unique_ptr<ConnessioneOdbc>> lettori_;
  bool senzaLettori_ = false;  // a session could not be opened: not tried again
  std::string Savepoint(int livello) const { return "ddt_sp" + std::to_string(livello); }

  SQLHENV env_ = nullptr;
  SQLHDBC dbc_ = nullptr;
  bool connessa_ = false;
  int livello_ = 0;
  // The driver undoes a failing statement alone (psqlODBC's own statement
  // savepoint); otherwise this layer wraps each statement in one.
  bool rollbackDelDriver_ = false;
  bool savepointAperto_ = false;
  Catalogo catalogo_;
  bool catalogoLetto_ = false;
};

ConnessioneOdbc::ConnessioneOdbc(const std::string& connessione, const std::string& utente,
                                 const std::string& password)
    : connessione_(connessione), utente_(utente), password_(password) {
  const std::vector<Attributo> attr = AttributiConnessione(connessione, utente, password);
  std::u16string testo = Utf16(ComponiTesto(attr));
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_)))
    vb::Solleva(ErrOdbc, "Impossibile inizializzare il gestore ODBC", kOrigine);
  SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_))) {
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
    vb::Solleva(ErrOdbc, "Impossibile inizializzare il gestore ODBC", kOrigine);
  }
  SQLSetConnectAttr(dbc_, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(20), 0);
  const SQLRETURN r = SQLDriverConnectW(dbc_, nullptr, W(testo), static_cast<SQLSMALLINT>(testo.size()),
                                        nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  // The password must not linger in memory longer than needed.
  std::fill(testo.begin(), testo.end(), u'\0');
  if (!SQL_SUCCEEDED(r)) {
    const Diagnosi d = LeggiDiagnosi(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
    dbc_ = nullptr;
    env_ = nullptr;
    const std::string m = Pulisci(d.messaggio);
    if (LoginRifiutato(d))
      vb::Solleva(ErrLoginServer, "Accesso al server rifiutato (" + m + ")", kOrigine);
    vb::Solleva(ErrOdbc, "Connessione al server non riuscita (" + m + ")", kOrigine);
  }
  connessa_ = true;
  try {
    char16_t nome[128] = {};
    SQLSMALLINT lung = 0;
    SQLGetInfoW(dbc_, SQL_DRIVER_NAME, nome, sizeof nome, &lung);
    const std::string driver = vb::LCase(Utf8(nome, std::char_traits<char16_t>::length(nome)));
    rollbackDelDriver_ = driver.find("psqlodbc") != std::string::npos && LivelloRollbackDriver(attr) == 2;
    Diretta("SET client_encoding TO 'UTF8'; SET lock_timeout = " + std::to_string(gAttesaMs.load()));
    if (const std::string fuso = FusoLocale(); !fuso.empty()) {
      try {
        Diretta("SET TimeZone TO '" + fuso + "'");
      } catch (const vb::Errore&) {
        // A zone the server does not know: its own stays.
      }
    }
  } catch (...) {
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
    throw;
  }
}

ConnessioneOdbc::~ConnessioneOdbc() {
  for (CursoreOdbc* c : cursori_) c->Stacca();
  lettori_.clear();
  std::fill(password_.begin(), password_.end(), '\0');
  if (dbc_) {
    if (connessa_) {
      // A reading session ends its transaction here too: the driver
      // refuses to disconnect with one open.
      SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
      SQLDisconnect(dbc_);
    }
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
  }
  if (env_) SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

void ConnessioneOdbc::Diretta(const std::string& sql) {
  Istruzione st(dbc_);
  std::u16string w = Utf16(sql);
  st.Verifica(SQLExecDirectW(st.h(), W(w), static_cast<SQLINTEGER>(w.size())));
  // Several statements in one text: run through every result so that an
  // error in a later one is not lost.
  while (true) {
    const SQLRETURN r = SQLMoreResults(st.h());
    if (r == SQL_NO_DATA) break;
    st.Verifica(r);
    if (!SQL_SUCCEEDED(r)) break;
  }
}

template <class F>
auto ConnessioneOdbc::Protetta(F&& f) -> decltype(f()) {
  if (livello_ == 0 || rollbackDelDriver_) return f();
  // One savepoint per statement: the server aborts the whole transaction
  // on a failed statement, the legacy engine undid that statement alone.
  Diretta(savepointAperto_ ? "RELEASE SAVEPOINT ddt_istr; SAVEPOINT ddt_istr" : "SAVEPOINT ddt_istr");
  savepointAperto_ = true;
  try {
    return f();
  } catch (...) {
    try {
      Diretta("ROLLBACK TO SAVEPOINT ddt_istr");
    } catch (...) {
    }
    throw;
  }
}

long ConnessioneOdbc::Esegui(const std::string& sql, const std::vector<vb::Variant>& parametri) {
  if (!cursori_.empty() && BloccaLettori(sql)) {
    const std::vector<CursoreOdbc*> aperti = cursori_;
    for (CursoreOdbc* c : aperti) c->Scarica();
  }
  return Protetta([&]() -> long {
    Istruzione st(dbc_);
    std::vector<Parametro> buf;
    std::u16string w = Utf16(Lega(st, sql, parametri, buf));
    const SQLRETURN r = SQLExecDirectW(st.h(), W(w), static_cast<SQLINTEGER>(w.size()));
    if (r == SQL_NO_DATA) return 0;
    st.Verifica(r);
    SQLSMALLINT colonne = 0;
    SQLNumResultCols(st.h(), &colonne);
    if (colonne > 0) return 0;
    SQLLEN righe = 0;
    if (!SQL_SUCCEEDED(SQLRowCount(st.h(), &righe)) || righe < 0) return 0;
    return static_cast<long>(righe);
  });
}

Risultato ConnessioneOdbc::Interroga(const std::string& sql, const std::vector<vb::Variant>& parametri,
                                     const std::vector<TipoCampo>* tipi) {
  return Protetta([&]() -> Risultato {
    Istruzione st(dbc_);
    std::vector<Parametro> buf;
    std::u16string w = Utf16(Lega(st, sql, parametri, buf));
    const SQLRETURN r = SQLExecDirectW(st.h(), W(w), static_cast<SQLINTEGER>(w.size()));
    if (r == SQL_NO_DATA) return Risultato{};
    st.Verifica(r);
    return Leggi(st, tipi);
  });
}

Risultato ConnessioneOdbc::Leggi(const Istruzione& st, const std::vector<TipoCampo>* tipi) {
  Risultato ris;
  SQLSMALLINT nc = 0;
  st.Verifica(SQLNumResultCols(st.h(), &nc));
  if (nc <= 0) return ris;
  const size_t n = static_cast<size_t>(nc);
  ris.colonne.resize(n);
  std::vector<ColonnaLetta> col(n);
  SQLLEN larghezzaRiga = 0;
  bool tuttiNaturali = true;
  for (size_t i = 0; i < n; ++i) {
    char16_t nome[256] = {};
    SQLSMALLINT lnome = 0, tipoSql = 0, decimali = 0, nullabile = 0;
    SQLULEN dimensione = 0;
    st.Verifica(SQLDescribeColW(st.h(), static_cast<SQLUSMALLINT>(i + 1), reinterpret_cast<SQLWCHAR*>(nome), 256,
                                &lnome, &tipoSql, &dimensione, &decimali, &nullabile));
    ris.colonne[i].nome = Utf8(nome, static_cast<size_t>(std::clamp<SQLSMALLINT>(lnome, 0, 255)));
    if (tipi && i < tipi->size()) ris.colonne[i].tipo = (*tipi)[i];
    if (ris.colonne[i].tipo != TipoCampo::Ignoto) tuttiNaturali = false;
    Prepara(col[i], tipoSql, dimensione, decimali);
    larghezzaRiga += col[i].larghezza + static_cast<SQLLEN>(sizeof(SQLLEN));
  }
  // Rows fetched in blocks into column-wise buffers: one driver call per
  // block rather than one per cell.
  const SQLULEN blocco = static_cast<SQLULEN>(std::clamp<SQLLEN>((SQLLEN{1} << 20) / std::max<SQLLEN>(larghezzaRiga, 1), 1, 256));
  SQLULEN lette = 0;
  std::vector<SQLUSMALLINT> stato(blocco);
  st.Verifica(SQLSetStmtAttr(st.h(), SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0));
  st.Verifica(SQLSetStmtAttr(st.h(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blocco), 0));
  st.Verifica(SQLSetStmtAttr(st.h(), SQL_ATTR_ROWS_FETCHED_PTR, &lette, 0));
  st.Verifica(SQLSetStmtAttr(st.h(), SQL_ATTR_ROW_STATUS_PTR, stato.data(), 0));
  for (size_t i = 0; i < n; ++i) {
    ColonnaLetta& c = col[i];
    c.dati.assign(static_cast<size_t>(c.larghezza) * blocco, 0);
    c.ind.assign(blocco, 0);
    st.Verifica(SQLBindCol(st.h(), static_cast<SQLUSMALLINT>(i + 1), c.tipoC, c.dati.data(), c.larghezza, c.ind.data()));
  }
  std::string intero;
  for (;;) {
    const SQLRETURN r = SQLFetch(st.h());
    if (r == SQL_NO_DATA) break;
    st.Verifica(r);
    for (SQLULEN k = 0; k < lette; ++k) {
      if (stato[k] == SQL_ROW_NOROW || stato[k] == SQL_ROW_DELETED) continue;
      std::vector<vb::Variant>& riga = ris.righe.emplace_back();
      riga.reserve(n);
      bool posizionata = false;
      for (size_t i = 0; i < n; ++i) {
        const ColonnaLetta& c = col[i];
        const SQLLEN ind = c.ind[k];
        if (ind == SQL_NULL_DATA) {
          riga.emplace_back(vb::Null);
          continue;
        }
        const std::string* lungo = nullptr;
        if (Troncato(c, ind)) {
          // A value longer than its slot: read it whole from the row.
          if (!posizionata) {
            st.Verifica(SQLSetPos(st.h(), static_cast<SQLSETPOSIROW>(k + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE));
            posizionata = true;
          }
          bool nullo = false;
          intero = LeggiIntero(st, static_cast<SQLUSMALLINT>(i + 1), c.tipoC, nullo);
          if (nullo) {
            riga.emplace_back(vb::Null);
            continue;
          }
          lungo = &intero;
        }
        vb::Variant v = Naturale(c, k, lungo);
        if (!tuttiNaturali) v = Converti(std::move(v), ris.colonne[i].tipo, c, k, lungo);
        riga.push_back(std::move(v));
      }
    }
  }
  return ris;
}

constexpr size_t kLettoriAperti = 4;    // reading sessions held by cursors of one connection
constexpr size_t kLettoriInAttesa = 2;  // idle ones kept for the next cursor

// Statements that take a lock a reading session's own share lock would
// hold up (the program's connection would wait for itself until its lock
// timeout).
bool BloccaLettori(std::string_view sql) {
  size_t i = 0;
  while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
  size_t j = i;
  while (j < sql.size() && std::isalpha(static_cast<unsigned char>(sql[j]))) ++j;
  const std::string w = Maiuscolo(std::string(sql.substr(i, j - i)));
  if (w == "CREATE") {
    // CREATE OR REPLACE VIEW locks the view it replaces.
    const std::string resto = Maiuscolo(std::string(sql.substr(j, 40)));
    return resto.find("OR REPLACE") != std::string::npos && resto.find("VIEW") != std::string::npos;
  }
  for (const char* k : {"DROP", "ALTER", "TRUNCATE", "LOCK", "CLUSTER", "REINDEX", "VACUUM", "REFRESH"})
    if (w == k) return true;
  return false;
}

std::unique_ptr<Cursore> ConnessioneOdbc::ApriCursore(const std::string& sql, const std::vector<TipoCampo>* tipi) {
  // Inside a transaction the rows must include its own uncommitted writes,
  // which only this connection sees; a held cursor would also be computed
  // at its commit, and dropped by its rollback: the rows are read whole.
  if (livello_ > 0) return Connessione::ApriCursore(sql, tipi);
  if (auto c = ApriSuLettore(sql, tipi)) return c;
  const std::string nome = "ddt_cur" + std::to_string(++prossimoCursore_);
  try {
    Diretta("DECLARE " + nome + " NO SCROLL CURSOR WITH HOLD FOR " + sql);
  } catch (const vb::Errore&) {
    // No cursor for this text (a query that takes locks, say): the plain
    // reading runs it, and raises its error if it has one.
    return Connessione::ApriCursore(sql, tipi);
  }
  return std::make_unique<CursoreOdbc>(this, nullptr, nome, std::string(), tipi);
}

std::unique_ptr<Cursore> ConnessioneOdbc::ApriSuLettore(const std::string& sql, const std::vector<TipoCampo>* tipi) {
  if (senzaLettori_) return nullptr;
  size_t inUso = 0;
  for (const CursoreOdbc* c : cursori_) inUso += c->SuLettore() ? 1 : 0;
  if (inUso >= kLettoriAperti) return nullptr;
  std::unique_ptr<ConnessioneOdbc> l;
  if (!lettori_.empty()) {
    l = std::move(lettori_.back());
    lettori_.pop_back();
  } else {
    try {
      l = std::make_unique<ConnessioneOdbc>(connessione_, utente_, password_);
      // Every transaction of the session reads one snapshot and writes
      // nothing; the driver opens one with the cursor's first statement.
      l->Diretta("SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY");
      l->Autocommit(false);
    } catch (const vb::Errore&) {
      // The server takes no more connections, say: cursors are held here.
      senzaLettori_ = true;
      return nullptr;
    }
  }
  const std::string nome = "ddt_cur" + std::to_string(++prossimoCursore_);
  try {
    l->Diretta("DECLARE " + nome + " SCROLL CURSOR FOR " + sql);
  } catch (const vb::Errore&) {
    // A text the session will not read (one that writes or takes locks):
    // the connection itself tries it.
    Restituisci(std::move(l));
    return nullptr;
  }
  try {
    return std::make_unique<CursoreOdbc>(this, std::move(l), nome, sql, tipi);
  } catch (const vb::Errore&) {
    // A failure at the first rows (a query that writes, which the session
    // refuses): the session went back with the cursor, and the connection
    // itself runs the query, raising its error if it has one.
    return nullptr;
  }
}

bool ConnessioneOdbc::FineLettura() {
  // Ends the session's transaction, its cursor and its snapshot with it.
  return SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK));
}

void ConnessioneOdbc::Restituisci(std::unique_ptr<ConnessioneOdbc> l) {
  // A session that cannot end its transaction (one the server closed) is
  // not reused.
  if (!l->FineLettura()) return;
  if (lettori_.size() < kLettoriInAttesa) lettori_.push_back(std::move(l));
}

void ConnessioneOdbc::ChiudiCursore(CursoreOdbc* c, const std::string& nome) {
  cursori_.erase(std::remove(cursori_.begin(), cursori_.end(), c), cursori_.end());
  if (nome.empty()) return;
  try {
    Protetta([&] { Diretta("CLOSE " + nome); });
  } catch (const vb::Errore&) {
    // A connection that broke meanwhile holds no cursor any more.
  }
}

CursoreOdbc::CursoreOdbc(ConnessioneOdbc* conn, std::unique_ptr<ConnessioneOdbc> lettore, std::string nome,
                         std::string sql, const std::vector<TipoCampo>* tipi)
    : conn_(conn), lettore_(std::move(lettore)), nome_(std::move(nome)), sql_(std::move(sql)) {
  if (tipi) {
    tipi_ = *tipi;
    conTipi_ = true;
  }
  conn_->cursori_.push_back(this);
  try {
    // The first block tells the columns.
    Prendi(blocco_);
  } catch (...) {
    Chiudi();
    throw;
  }
}

CursoreOdbc::~CursoreOdbc() {
  if (!staccato_) Chiudi();
}

void CursoreOdbc::RestituisciLettore() {
  if (!lettore_) return;
  if (conn_) conn_->Restituisci(std::move(lettore_));
  lettore_.reset();
}

void CursoreOdbc::Chiudi() {
  if (!conn_) return;
  ConnessioneOdbc* c = conn_;
  if (lettore_) {
    RestituisciLettore();
    conn_ = nullptr;
    c->ChiudiCursore(this, std::string());
  } else {
    conn_ = nullptr;
    c->ChiudiCursore(this, finito_ ? std::string() : nome_);
  }
  finito_ = true;
}

void CursoreOdbc::Stacca() {
  lettore_.reset();
  conn_ = nullptr;
  staccato_ = true;
}

void CursoreOdbc::Prendi(size_t quante) {
  Risultato r;
  if (lettore_) {
    try {
      r = lettore_->Interroga("FETCH FORWARD " + std::to_string(quante) + " FROM " + nome_, {},
                              conTipi_ ? &tipi_ : nullptr);
    } catch (const vb::Errore& e) {
      if (e.Number() != ErrOdbc || !lettore_->Persa()) throw;
      // The session lost (closed by the server after waiting too long
      // idle, say): its snapshot is gone with it.
      vb::Solleva(ErrOdbc,
                  "Lettura interrotta: il server ha chiuso la sessione che leggeva il recordset; "
                  "riaprire il recordset (" + e.Description() + ")",
                  kOrigine);
    }
  } else {
    r = conn_->Interroga("FETCH FORWARD " + std::to_string(quante) + " FROM " + nome_, {},
                         conTipi_ ? &tipi_ : nullptr);
  }
  if (colonne_.empty()) colonne_ = std::move(r.colonne);
  if (r.righe.size() < quante) {
    finito_ = true;
    if (!lettore_) {
      // A held cursor keeps the whole result on the server: closed now.
      ConnessioneOdbc* c = conn_;
      conn_ = nullptr;
      c->ChiudiCursore(this, nome_);
    }
    // On a reading session the cursor stays until it goes, so that the
    // rows can be read again from the same snapshot.
  }
  if (pronte_.empty()) pronte_ = std::move(r.righe);
  else std::move(r.righe.begin(), r.righe.end(), std::back_inserter(pronte_));
}

void CursoreOdbc::Leggi(size_t almeno, std::vector<std::vector<vb::Variant>>& righe) {
  if (errore_) std::rethrow_exception(errore_);
  if (staccato_) vb::Solleva(3420, "Oggetto non valido: il database del recordset è stato chiuso", kOrigine);
  if (inMemoria_) {
    const size_t fino = std::min(memoria_.size(), consegnate_ + std::max(almeno, blocco_));
    for (; consegnate_ < fino; ++consegnate_) righe.push_back(memoria_[consegnate_]);
    return;
  }
  try {
    while (pronte_.size() < almeno && !finito_) {
      // Blocks grow while the caller keeps walking: a list shows its first
      // rows at once, a walk of the whole result pays few round trips.
      blocco_ = std::min<size_t>(blocco_ * 4, 4096);
      Prendi(std::max(blocco_, almeno - pronte_.size()));
    }
  } catch (...) {
    errore_ = std::current_exception();
    Chiudi();
    throw;
  }
  consegnate_ += pronte_.size();
  if (righe.empty()) righe = std::move(pronte_);
  else std::move(pronte_.begin(), pronte_.end(), std::back_inserter(righe));
  pronte_.clear();
}

bool CursoreOdbc::Riavvolgi() {
  if (errore_ || staccato_) return false;
  if (inMemoria_) {
    consegnate_ = 0;
    return true;
  }
  if (!lettore_) return false;
  try {
    lettore_->Diretta("MOVE ABSOLUTE 0 IN " + nome_);
  } catch (const vb::Errore& e) {
    // The next read raises why.
    if (!lettore_->Persa()) {
      errore_ = std::current_exception();
      Chiudi();
      return false;
    }
    errore_ = std::make_exception_ptr(vb::Errore(
        ErrOdbc,
        "Lettura interrotta: il server ha chiuso la sessione che leggeva il recordset; riaprire il recordset (" +
            e.Description() + ")",
        kOrigine));
    Chiudi();
    return false;
  }
  pronte_.clear();
  finito_ = false;
  blocco_ = 64;
  consegnate_ = 0;
  return true;
}

std::optional<long> CursoreOdbc::Conta() {
  if (conta_ || inMemoria_) return inMemoria_ ? std::optional<long>(static_cast<long>(memoria_.size())) : conta_;
  if (!lettore_ || errore_) return std::nullopt;
  // The session's snapshot is the cursor's: the count is that of the rows
  // the cursor gives.
  try {
    const Risultato r = lettore_->Interroga("SELECT count(*) FROM (" + sql_ + "\n) ddt_conta", {}, nullptr);
    if (r.righe.size() == 1 && r.righe[0].size() == 1 && !r.righe[0][0].IsNull())
      conta_ = static_cast<long>(r.righe[0][0].ToDouble());
  } catch (const vb::Errore&) {
    // No count: the caller reads to the end instead.
  }
  return conta_;
}

void CursoreOdbc::Scarica() {
  if (!lettore_ || errore_ || staccato_) return;
  try {
    lettore_->Diretta("MOVE ABSOLUTE 0 IN " + nome_);
    pronte_.clear();
    finito_ = false;
    while (!finito_) Prendi(4096);
  } catch (...) {
    errore_ = std::current_exception();
    Chiudi();
    return;
  }
  memoria_ = std::move(pronte_);
  pronte_.clear();
  inMemoria_ = true;
  consegnate_ = std::min(consegnate_, memoria_.size());
  RestituisciLettore();
}

// ---------------------------------------------------------------- transactions

void ConnessioneOdbc::Autocommit(bool si) {
  Verifica(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT,
                             reinterpret_cast<SQLPOINTER>(si ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF),
                             SQL_IS_UINTEGER));
}

void ConnessioneOdbc::IniziaTransazione() {
  if (livello_ == 0) {
    // The driver opens the server's transaction with the next statement.
    Autocommit(false);
    savepointAperto_ = false;
  } else {
    // The statement savepoint goes first: released later, it would take
    // this one with it.
    Diretta(std::string(savepointAperto_ ? "RELEASE SAVEPOINT ddt_istr; " : "") + "SAVEPOINT " +
            Savepoint(livello_));
    savepointAperto_ = false;
  }
  ++livello_;
}

void ConnessioneOdbc::FineTransazione(SQLSMALLINT come) {
  const SQLRETURN r = SQLEndTran(SQL_HANDLE_DBC, dbc_, come);
  const Diagnosi d = SQL_SUCCEEDED(r) ? Diagnosi{} : LeggiDiagnosi(SQL_HANDLE_DBC, dbc_);
  livello_ = 0;
  savepointAperto_ = false;
  if (!SQL_SUCCEEDED(r)) {
    // Whatever failed, nothing may stay open for the next statement to
    // commit by accident.
    SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), SQL_IS_UINTEGER);
    SollevaDiagnosi(d);
  }
  Autocommit(true);
}

void ConnessioneOdbc::ConfermaTransazione() {
  if (livello_ == 0) vb::Solleva(kErrSenzaTransazione, "Commit o rollback senza BeginTrans", kOrigine);
  if (livello_ > 1) {
    Diretta("RELEASE SAVEPOINT " + Savepoint(livello_ - 1));
    savepointAperto_ = false;
    --livello_;
    return;
  }
  FineTransazione(SQL_COMMIT);
}

void ConnessioneOdbc::AnnullaTransazione() {
  if (livello_ == 0) vb::Solleva(kErrSenzaTransazione, "Commit o rollback senza BeginTrans", kOrigine);
  if (livello_ > 1) {
    const std::string sp = Savepoint(livello_ - 1);
    Diretta("ROLLBACK TO SAVEPOINT " + sp + "; RELEASE SAVEPOINT " + sp);
    savepointAperto_ = false;
    --livello_;
    return;
  }
  FineTransazione(SQL_ROLLBACK);
}

// ---------------------------------------------------------------- catalog

TipoCampo TipoServer(const std::string& tipo, int scala, const std::string& nota) {
  const std::string n = vb::LCase(vb::Trim(nota));
  if (tipo == "varchar" || tipo == "bpchar" || tipo == "char" || tipo == "name" || tipo == "citext" ||
      tipo == "uuid")
    return TipoCampo::Testo;
  if (tipo == "text" || tipo == "json" || tipo == "jsonb" || tipo == "xml") return TipoCampo::Memo;
  if (tipo == "int2") {
    if (n == "sino") return TipoCampo::SiNo;
    if (n == "byte") return TipoCampo::Byte;
    return TipoCampo::Intero;
  }
  if (tipo == "int4" || tipo == "int8" || tipo == "oid") return TipoCampo::Lungo;
  if (tipo == "numeric") return scala == 4 ? TipoCampo::Importo : TipoCampo::Doppio;
  if (tipo == "money") return TipoCampo::Importo;
  if (tipo == "float4" || tipo == "float8") return TipoCampo::Doppio;
  if (tipo == "timestamp" || tipo == "timestamptz" || tipo == "date" || tipo == "time" || tipo == "timetz")
    return TipoCampo::Data;
  if (tipo == "bool" || tipo == "bit") return TipoCampo::SiNo;
  return TipoCampo::Ignoto;
}

const Catalogo& ConnessioneOdbc::LeggiCatalogo() {
  if (catalogoLetto_) return catalogo_;
  catalogo_.Svuota();
  // Domains read as their base type; lengths and scales come out of the
  // type modifier.
  const Risultato col = Interroga(
      "SELECT c.relname::text, a.attname::text, "
      " (CASE WHEN t.typtype = 'd' THEN b.typname ELSE t.typname END)::text, "
      " (CASE WHEN t.typtype = 'd' THEN t.typtypmod ELSE a.atttypmod END)::int, "
      " a.attnotnull::int, "
      " (a.attidentity <> '' OR coalesce(pg_get_expr(d.adbin, d.adrelid), '') LIKE 'nextval(%')::int, "
      " coalesce(col_description(c.oid, a.attnum), '')::text "
      "FROM pg_class c "
      "JOIN pg_namespace s ON s.oid = c.relnamespace "
      "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
      "JOIN pg_type t ON t.oid = a.atttypid "
      "LEFT JOIN pg_type b ON b.oid = t.typbasetype "
      "LEFT JOIN pg_attrdef d ON d.adrelid = c.oid AND d.adnum = a.attnum "
      "WHERE s.nspname = current_schema() AND c.relkind IN ('r', 'p', 'v', 'm', 'f') "
      "ORDER BY c.relname, a.attnum",
      {}, nullptr);
  std::vector<TabellaCat> tabelle;
  for (const auto& r : col.righe) {
    const std::string tabella = vb::LCase(r[0].ToString());
    if (tabelle.empty() || tabelle.back().nome != tabella) {
      tabelle.emplace_back();
      tabelle.back().nome = tabella;
    }
    ColonnaCat c;
    c.nome = vb::LCase(r[1].ToString());
    const std::string tipo = r[2].IsNull() ? std::string() : r[2].ToString();
    const int mod = r[3].IsNull() ? -1 : r[3].ToLong();
    int scala = -1;
    if (tipo == "numeric" && mod >= 4) scala = (mod - 4) & 0xFFFF;
    c.tipo = TipoServer(tipo, scala, r[6].ToString());
    if (c.tipo == TipoCampo::Testo && (tipo == "varchar" || tipo == "bpchar") && mod >= 4) c.lunghezza = mod - 4;
    c.obbligatoria = r[4].ToLong() != 0;
    c.autoincremento = r[5].ToLong() != 0;
    tabelle.back().colonne.push_back(std::move(c));
  }
  // Primary key and unique indexes, columns in key order; an index over an
  // expression or a partial one is no key.
  const Risultato chiavi = Interroga(
      "SELECT c.relname::text, i.indexrelid::int8, i.indisprimary::int, a.attname::text "
      "FROM pg_index i "
      "JOIN pg_class c ON c.oid = i.indrelid "
      "JOIN pg_namespace s ON s.oid = c.relnamespace "
      "CROSS JOIN LATERAL unnest(i.indkey::int2[]) WITH ORDINALITY k(num, pos) "
      "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum = k.num "
      "WHERE s.nspname = current_schema() AND (i.indisprimary OR i.indisunique) "
      " AND i.indpred IS NULL AND NOT (0 = ANY (i.indkey::int2[])) AND k.pos <= i.indnkeyatts "
      "ORDER BY c.relname, i.indisprimary DESC, i.indexrelid, k.pos",
      {}, nullptr);
  for (auto& t : tabelle) {
    double indice = -1;
    for (const auto& r : chiavi.righe) {
      if (vb::LCase(r[0].ToString()) != t.nome) continue;
      const std::string campo = vb::LCase(r[3].ToString());
      if (r[2].ToLong() != 0) {
        t.chiave.push_back(campo);
        continue;
      }
      const double id = r[1].ToDouble();
      if (id != indice) {
        t.uniche.emplace_back();
        indice = id;
      }
      t.uniche.back().push_back(campo);
    }
    // The server keeps the names folded to lower case; captions and field
    // names show them as the program's schema spells them.
    GrafiaDelloSchema(t);
    catalogo_.Aggiungi(std::move(t));
  }
  catalogoLetto_ = true;
  return catalogo_;
}

}  // namespace

void ImpostaAttesaBloccoServerMs(int ms) { gAttesaMs.store(std::max(ms, 0)); }
int AttesaBloccoServerMs() { return gAttesaMs.load(); }

std::string TestoConnessioneOdbc(const std::string& connessione, const std::string& utente,
                                 const std::string& password) {
  return ComponiTesto(AttributiConnessione(connessione, utente, password));
}

std::unique_ptr<Connessione> ApriOdbc(const std::string& connessione, const std::string& utente,
                                      const std::string& password) {
  return std::make_unique<ConnessioneOdbc>(connessione, utente, password);
}

}  // namespace dati

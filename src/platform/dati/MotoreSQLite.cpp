// The SQLite engine: a company database is one file, shared by several
// processes of the program (one per workstation session) that write it in
// turns. WAL lets readers go on while one writer works; a writer that finds
// the file taken waits up to the lock wait and then fails with 3260, which
// the program answers by asking the user to retry.
#include "platform/dati/MotoreSQLite.h"

#include <sqlite3.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <list>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/RuntimeSQLite.h"

namespace dati {

namespace {

std::atomic<int> gAttesaMs{10000};

constexpr long kErrSenzaTransazione = 3034;
constexpr long kErrDopoIstruzione = 3142;
constexpr long kErrCampoObbligatorio = 3314;
constexpr size_t kIstruzioniInMemoria = 64;

// ---------------------------------------------------------------- errors

// A value the column cannot hold, refused by the checks the schema puts on
// its tables: "ddt:<legacy number>:<table>.<column>".
[[noreturn]] void SollevaControllo(const std::string& messaggio) {
  const std::string resto = messaggio.substr(kPrefissoControllo.size());
  long numero = 0;
  const auto [fine, ec] = std::from_chars(resto.data(), resto.data() + resto.size(), numero);
  std::string campo = fine < resto.data() + resto.size() && *fine == ':' ? std::string(fine + 1, resto.data() + resto.size()) : "";
  if (const size_t p = campo.find(" ("); p != std::string::npos) campo.erase(p);
  switch (ec == std::errc() ? numero : 0) {
    case ErrCampoPiccolo:
      vb::Solleva(ErrCampoPiccolo,
                  "Il campo " + campo + " è troppo piccolo per accettare la quantità di dati che si è "
                  "tentato di aggiungere",
                  "SQLite");
    case vb::ErrOverflow:
      vb::Solleva(vb::ErrOverflow, "Overflow: il valore è fuori dall'intervallo del campo " + campo, "SQLite");
    case ErrTipoDati:
      vb::Solleva(ErrTipoDati, "Tipo di dati non corrispondente: il campo " + campo + " accetta solo numeri",
                  "SQLite");
    default:
      vb::Solleva(ErrOdbc, "Valore non accettato dal campo " + campo, "SQLite");
  }
}


[[noreturn]] void SollevaMotore(int estesa, const std::string& messaggio) {
  long numero = ErrOdbc;
  const char* testo = "Errore del motore di database";
  const int primario = estesa & 0xFF;
  auto contiene = [&](const char* s) { return messaggio.find(s) != std::string::npos; };
  if (estesa == SQLITE_CONSTRAINT_TRIGGER && messaggio.rfind(kPrefissoControllo, 0) == 0)
    SollevaControllo(messaggio);
  if (estesa == SQLITE_CONSTRAINT_PRIMARYKEY || estesa == SQLITE_CONSTRAINT_UNIQUE) {
    numero = ErrChiaveDuplicata;
    testo = "Chiave duplicata: il valore è già presente";
  } else if (estesa == SQLITE_CONSTRAINT_NOTNULL) {
    numero = kErrCampoObbligatorio;
    testo = "Campo obbligatorio senza valore";
  } else if (primario == SQLITE_BUSY || primario == SQLITE_LOCKED) {
    numero = ErrBloccato;
    testo = "Dati bloccati da un altro utente";
  } else if (primario == SQLITE_NOTADB || primario == SQLITE_CORRUPT) {
    numero = ErrFileDbIllegibile;
    testo = "Formato di database non riconosciuto o file danneggiato";
  } else if (primario == SQLITE_FULL) {
    numero = ErrDiscoPieno;
    testo = "Spazio su disco insufficiente: il database non può crescere, nulla è stato salvato";
  } else if (primario == SQLITE_READONLY) {
    numero = ErrNonAggiornabile;
    testo = "Impossibile salvare: il database della ditta è aperto in sola lettura "
            "(la cartella o il supporto che lo contiene non permette di scrivere)";
  } else if (primario == SQLITE_RANGE) {
    numero = ErrParametri;
    testo = "Parametri non corrispondenti";
  } else if (contiene("no such table")) {
    numero = ErrTabellaInesistente;
    testo = "Tabella o query inesistente";
  } else if (contiene("no such column")) {
    numero = ErrParametri;
    testo = "Campo sconosciuto o parametri insufficienti";
  } else if (contiene("syntax error") || contiene("incomplete input") ||
             contiene("unrecognized token")) {
    numero = ErrSintassi;
    testo = "Errore di sintassi nell'istruzione SQL";
  } else if (contiene("parser stack overflow") || contiene("Expression tree is too large") ||
             contiene("too many terms in compound SELECT")) {
    // Nesting the translator accepts but the engine's own parser does not.
    numero = 3360;
    testo = "Query troppo complessa";
  }
  vb::Solleva(numero, std::string(testo) + " (" + messaggio + ")", "SQLite");
}

// ---------------------------------------------------------------- statements

struct Istruzione {
  std::string sql;
  sqlite3_stmt* st = nullptr;
  Istruzione(std::string s, sqlite3_stmt* p) : sql(std::move(s)), st(p) {}
  Istruzione(const Istruzione&) = delete;
  Istruzione& operator=(const Istruzione&) = delete;
  ~Istruzione() { sqlite3_finalize(st); }
};

// Leaves a statement ready for the next use, whatever happened to this one.
struct Riavvolgi {
  sqlite3_stmt* st;
  ~Riavvolgi() {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
  }
};

struct ChiudiDb {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};

// A -wal file holding frames: the database is there even if the main file
// has not been written yet.
bool WalConDati(const std::string& file) {
  std::error_code ec;
  const auto n = std::filesystem::file_size(file + "-wal", ec);
  return !ec && n > 32;
}

// Whether this process may write the file and make its -wal and -shm
// beside it (a read-only mount refuses even the administrator).
bool Scrivibile(const std::string& file) {
  std::filesystem::path cartella = std::filesystem::path(file).parent_path();
  if (cartella.empty()) cartella = ".";
  return ::access(file.c_str(), W_OK) == 0 && ::access(cartella.c_str(), W_OK) == 0;
}

bool SoloSeparatori(const char* p, const char* fine) {
  for (; p < fine; ++p)
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') return false;
  return true;
}

// ---------------------------------------------------------------- values

// A Single goes in as the decimal the user typed (1,1 and not 1,10000002).
double DaSingle(float f) {
  char buf[32];
  auto fine = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = f;
  std::from_chars(buf, fine, d);
  return d;
}

void Lega(sqlite3_stmt* st, const std::vector<vb::Variant>& par) {
  const int attesi = sqlite3_bind_parameter_count(st);
  if (attesi != static_cast<int>(par.size()))
    vb::Solleva(ErrParametri, "Parametri non corrispondenti: previsti " + std::to_string(attesi) +
                                  ", forniti " + std::to_string(par.size()),
                "SQLite");
  for (int i = 0; i < attesi; ++i) {
    const vb::Variant& p = par[static_cast<size_t>(i)];
    const int k = i + 1;
    switch (p.VarType()) {
      case vb::vbBoolean: sqlite3_bind_int(st, k, p.ToBool() ? -1 : 0); break;
      case vb::vbByte:
      case vb::vbInteger:
      case vb::vbLong: sqlite3_bind_int64(st, k, p.ToLong()); break;
      case vb::vbSingle: sqlite3_bind_double(st, k, DaSingle(p.ToSingle())); break;
      case vb::vbDouble: sqlite3_bind_double(st, k, p.ToDouble()); break;
      case vb::vbCurrency: sqlite3_bind_double(st, k, p.ToCurrency().ToDouble()); break;
      case vb::vbDate: {
        const std::string t = sqlite::TestoData(p.ToDate());
        sqlite3_bind_text64(st, k, t.data(), t.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
      }
      case vb::vbString: {
        // The parameters outlive the statement's run (bindings are cleared
        // before returning), so the text is not copied.
        const std::string* s = p.StringPtr();
        sqlite3_bind_text64(st, k, s->data(), s->size(), SQLITE_STATIC, SQLITE_UTF8);
        break;
      }
      default: sqlite3_bind_null(st, k); break;  // Empty, Null, Missing
    }
  }
}

inline std::string_view TestoColonna(sqlite3_stmt* st, int i) {
  const unsigned char* p = sqlite3_column_text(st, i);
  const int n = sqlite3_column_bytes(st, i);
  return p ? std::string_view(reinterpret_cast<const char*>(p), static_cast<size_t>(n))
           : std::string_view();
}

inline void Naturale(sqlite3_stmt* st, int i, std::vector<vb::Variant>& riga) {
  switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_column_int64(st, i);
      if (v >= INT32_MIN && v <= INT32_MAX) riga.emplace_back(static_cast<int>(v));
      else riga.emplace_back(static_cast<double>(v));
      break;
    }
    case SQLITE_FLOAT: riga.emplace_back(sqlite3_column_double(st, i)); break;
    case SQLITE_TEXT: riga.emplace_back(TestoColonna(st, i)); break;
    case SQLITE_BLOB: {
      const void* p = sqlite3_column_blob(st, i);
      const int n = sqlite3_column_bytes(st, i);
      riga.emplace_back(p ? std::string_view(static_cast<const char*>(p), static_cast<size_t>(n))
                          : std::string_view());
      break;
    }
    default: riga.emplace_back(vb::Null); break;
  }
}

// A stored value that is no number of the kind asked: convert it the
// legacy way (Italian text), raising 13 or 6 as CInt and friends would.
vb::Variant NaturaleSingolo(sqlite3_stmt* st, int i) {
  std::vector<vb::Variant> v;
  Naturale(st, i, v);
  return v.front();
}

inline void Convertita(sqlite3_stmt* st, int i, TipoCampo tipo, std::vector<vb::Variant>& riga) {
  const int t = sqlite3_column_type(st, i);
  if (t == SQLITE_NULL) {
    riga.emplace_back(vb::Null);
    return;
  }
  switch (tipo) {
    case TipoCampo::Testo:
    case TipoCampo::Memo:
      if (t == SQLITE_FLOAT) riga.emplace_back(vb::Variant(sqlite3_column_double(st, i)).ToString());
      else riga.emplace_back(TestoColonna(st, i));
      return;
    case TipoCampo::Lungo:
      if (t == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(st, i);
        if (v < INT32_MIN || v > INT32_MAX) vb::Solleva(vb::ErrOverflow);
        riga.emplace_back(static_cast<int>(v));
      } else {
        riga.emplace_back(NaturaleSingolo(st, i).ToLong());
      }
      return;
    case TipoCampo::Intero:
      if (t == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(st, i);
        if (v < INT16_MIN || v > INT16_MAX) vb::Solleva(vb::ErrOverflow);
        riga.emplace_back(static_cast<int16_t>(v));
      } else {
        riga.emplace_back(NaturaleSingolo(st, i).ToInt());
      }
      return;
    case TipoCampo::Byte:
      if (t == SQLITE_INTEGER) {
        const sqlite3_int64 v = sqlite3_column_int64(st, i);
        if (v < 0 || v > 255) vb::Solleva(vb::ErrOverflow);
        riga.emplace_back(static_cast<uint8_t>(v));
      } else {
        riga.emplace_back(NaturaleSingolo(st, i).ToByte());
      }
      return;
    case TipoCampo::Doppio:
      if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) riga.emplace_back(sqlite3_column_double(st, i));
      else riga.emplace_back(NaturaleSingolo(st, i).ToDouble());
      return;
    case TipoCampo::Importo:
      if (t == SQLITE_INTEGER) riga.emplace_back(vb::Currency::FromLong(sqlite3_column_int64(st, i)));
      else if (t == SQLITE_FLOAT) riga.emplace_back(vb::Currency::FromDouble(sqlite3_column_double(st, i)));
      else riga.emplace_back(NaturaleSingolo(st, i).ToCurrency());
      return;
    case TipoCampo::Data:
      if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) {
        riga.emplace_back(vb::Variant(sqlite3_column_double(st, i)).ToDate());
      } else {
        const std::string_view s = TestoColonna(st, i);
        vb::Date d;
        // Something that is no date stays the text it is rather than
        // failing the whole result.
        if (sqlite::LeggiData(s, d)) riga.emplace_back(d);
        else riga.emplace_back(s);
      }
      return;
    case TipoCampo::SiNo:
      if (t == SQLITE_INTEGER) riga.emplace_back(sqlite3_column_int64(st, i) != 0);
      else if (t == SQLITE_FLOAT) riga.emplace_back(sqlite3_column_double(st, i) != 0);
      else riga.emplace_back(NaturaleSingolo(st, i).ToBool());
      return;
    case TipoCampo::Ignoto: break;
  }
  Naturale(st, i, riga);
}

// ---------------------------------------------------------------- catalog

// Declared type -> kind of field, with the length of texts. Our own schema
// writes the first name of each group; the others come from databases made
// by hand or by other tools.
TipoCampo TipoDichiarato(std::string_view dichiarato, int& lunghezza, bool& contatore) {
  lunghezza = 0;
  contatore = false;
  std::string t = vb::UCase(vb::Trim(dichiarato));
  std::vector<int> arg;
  std::string base = t;
  if (size_t p = t.find('('); p != std::string::npos) {
    base = t.substr(0, p);
    size_t q = t.find(')', p);
    std::string dentro = t.substr(p + 1, q == std::string::npos ? std::string::npos : q - p - 1);
    for (const std::string& a : vb::Split(dentro, ",")) {
      int v = 0;
      std::string x = vb::Trim(a);
      auto r = std::from_chars(x.data(), x.data() + x.size(), v);
      arg.push_back(r.ec == std::errc() ? v : 0);
    }
  }
  // One blank between words: "DOUBLE  PRECISION" = "DOUBLE PRECISION".
  std::string b;
  for (char c : base) {
    if (c == ' ' || c == '\t') {
      if (!b.empty() && b.back() != ' ') b.push_back(' ');
    } else {
      b.push_back(c);
    }
  }
  while (!b.empty() && b.back() == ' ') b.pop_back();
  auto una = [&](std::initializer_list<const char*> nomi) {
    for (const char* n : nomi)
      if (b == n) return true;
    return false;
  };
  if (b.empty()) return TipoCampo::Ignoto;
  if (una({"VARCHAR", "CHAR", "NVARCHAR", "NCHAR", "CHARACTER", "CHARACTER VARYING",
           "VARYING CHARACTER", "NATIVE CHARACTER", "VARCHAR2", "STRING"}) ||
      (una({"TEXT"}) && !arg.empty())) {
    lunghezza = arg.empty() ? 0 : arg[0];
    return TipoCampo::Testo;
  }
  if (una({"TEXT", "MEMO", "LONGTEXT", "MEDIUMTEXT", "CLOB", "NTEXT", "LONGCHAR", "NOTE",
           "LONG VARCHAR"}))
    return TipoCampo::Memo;
  if (una({"TINYINT", "BYTE", "INT1", "UNSIGNED TINYINT"})) return TipoCampo::Byte;
  if (una({"SMALLINT", "SHORT", "INT2", "INTEGER2"})) return TipoCampo::Intero;
  if (una({"COUNTER", "AUTOINCREMENT", "AUTONUMBER"})) {
    contatore = true;
    return TipoCampo::Lungo;
  }
  if (una({"INTEGER", "INT", "LONG", "INT4", "INTEGER4", "MEDIUMINT", "BIGINT", "INT8",
           "UNSIGNED BIG INT"}))
    return TipoCampo::Lungo;
  if (una({"CURRENCY", "MONEY", "SMALLMONEY"})) return TipoCampo::Importo;
  if (una({"NUMERIC", "DECIMAL"}))
    return arg.size() >= 2 && arg[1] == 4 ? TipoCampo::Importo : TipoCampo::Doppio;
  if (una({"DOUBLE", "DOUBLE PRECISION", "FLOAT", "FLOAT8", "FLOAT4", "REAL", "SINGLE",
           "NUMBER", "IEEEDOUBLE", "IEEESINGLE"}))
    return TipoCampo::Doppio;
  if (una({"DATETIME", "DATE", "TIMESTAMP", "TIME", "SMALLDATETIME"})) return TipoCampo::Data;
  if (una({"BIT", "BOOLEAN", "BOOL", "YESNO", "LOGICAL", "LOGICAL1"})) return TipoCampo::SiNo;
  // Anything else: SQLite's own affinity rules.
  if (b.find("INT") != std::string::npos) return TipoCampo::Lungo;
  if (b.find("CHAR") != std::string::npos || b.find("CLOB") != std::string::npos ||
      b.find("TEXT") != std::string::npos)
    return TipoCampo::Memo;
  if (b.find("REAL") != std::string::npos || b.find("FLOA") != std::string::npos ||
      b.find("DOUB") != std::string::npos)
    return TipoCampo::Doppio;
  return TipoCampo::Ignoto;
}

// ---------------------------------------------------------------- reading as the caller moves

// A second handle on the file that only reads: a cursor steps its statement
// there, so nothing this connection does meanwhile meets a statement still
// stepping (a write under a scan sees rows changed or twice, a rollback
// aborts the pending reads, and a write transaction cannot begin on a
// snapshot older than another process's commit). Under WAL the handle
// keeps the snapshot of the moment the cursor opened until its last row,
// without holding back this connection's writes or anyone else's.
struct Lettore {
  std::unique_ptr<sqlite3, ChiudiDb> db;
  sqlite::ErroreFunzione errore;
  std::unordered_map<std::string, sqlite3_stmt*> istruzioni;
  Lettore() = default;
  Lettore(const Lettore&) = delete;
  Lettore& operator=(const Lettore&) = delete;
  ~Lettore() {
    for (auto& [sql, st] : istruzioni) sqlite3_finalize(st);
  }
  [[noreturn]] void Fallisci(int rc) {
    if (errore.numero != 0) {
      const long n = errore.numero;
      std::string d = std::move(errore.descrizione);
      errore = {};
      vb::Solleva(n, std::move(d), "SQLite");
    }
    int estesa = sqlite3_extended_errcode(db.get());
    if (estesa == SQLITE_OK) estesa = rc;
    SollevaMotore(estesa, sqlite3_errmsg(db.get()));
  }
  // nullptr when the text does not prepare here (the caller then reads on
  // the connection itself, which raises the proper error if there is one).
  sqlite3_stmt* Prepara(const std::string& sql) {
    if (auto it = istruzioni.find(sql); it != istruzioni.end()) return it->second;
    sqlite3_stmt* st = nullptr;
    const char* coda = nullptr;
    if (sqlite3_prepare_v3(db.get(), sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &st,
                           &coda) != SQLITE_OK ||
        !st || !sqlite3_stmt_readonly(st) || (coda && !SoloSeparatori(coda, sql.data() + sql.size()))) {
      sqlite3_finalize(st);
      return nullptr;
    }
    if (istruzioni.size() >= kIstruzioniInMemoria) {
      // The statement of the cursor that holds this handle stays.
      for (auto it = istruzioni.begin(); it != istruzioni.end();) {
        if (sqlite3_stmt_busy(it->second)) {
          ++it;
          continue;
        }
        sqlite3_finalize(it->second);
        it = istruzioni.erase(it);
      }
    }
    istruzioni.emplace(sql, st);
    return st;
  }
};

class ConnessioneSQLite;

class CursoreSQLite final : public Cursore {
 public:
  CursoreSQLite(ConnessioneSQLite* conn, std::unique_ptr<Lettore> lettore, sqlite3_stmt* st, std::string sql,
                const std::vector<TipoCampo>* tipi);
  ~CursoreSQLite() override;
  void Leggi(size_t almeno, std::vector<std::vector<vb::Variant>>& righe) override;
  bool Finito() const override { return finito_; }
  std::optional<long> Conta() override;
  bool Riavvolgibile() const override { return lettore_ != nullptr; }
  bool Riavvolgi() override;
  // The connection closes: the statement and the reading handle go with it.
  void Stacca();

 private:
  void Chiudi();

  ConnessioneSQLite* conn_;
  std::unique_ptr<Lettore> lettore_;
  sqlite3_stmt* st_;
  std::string sql_;
  bool tuttiNaturali_ = true;
  bool finito_ = false;
  bool staccato_ = false;
  size_t blocco_ = 64;
  std::optional<long> conta_;
  std::exception_ptr errore_;
};

// ---------------------------------------------------------------- connection

class ConnessioneSQLite final : public Connessione {
 public:
  ConnessioneSQLite(const std::string& file, bool crea);
  ~ConnessioneSQLite() override;

  TipoMotore Tipo() const override { return TipoMotore::SQLite; }
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

  void ImpostaAttesa(int ms) {
    attesaMs_ = std::max(ms, 0);
    sqlite3_busy_timeout(db_.get(), attesaMs_);
    for (auto& l : lettori_) sqlite3_busy_timeout(l->db.get(), attesaMs_);
  }

  // Reading handles: taken by a cursor while it has rows to give, then
  // given back for the next one.
  void Restituisci(std::unique_ptr<Lettore> l);
  void Dimentica(CursoreSQLite* c) { cursori_.erase(std::remove(cursori_.begin(), cursori_.end(), c), cursori_.end()); }

 private:
  sqlite3_stmt* Prepara(const std::string& sql);
  [[noreturn]] void Fallisci(int rc);
  void Diretto(const char* sql);
  void Comando(const std::string& sql);
  std::string Savepoint(int livello) const { return "ddt_sp" + std::to_string(livello); }

  std::string file_;
  std::unique_ptr<sqlite3, ChiudiDb> db_;
  sqlite::ErroreFunzione erroreFunzione_;
  // Most recently used first; the index points into the list by SQL text.
  std::list<Istruzione> usate_;
  std::unordered_map<std::string_view, std::list<Istruzione>::iterator> indice_;
  int livello_ = 0;
  bool solaLettura_ = false;
  Catalogo catalogo_;
  bool catalogoLetto_ = false;
  int attesaMs_ = 0;
  // Cursors read on handles of their own only under WAL: with a rollback
  // journal a reader's lock would stop this connection's own commits.
  bool wal_ = false;
  std::vector<std::unique_ptr<Lettore>> lettori_;  // idle
  std::vector<CursoreSQLite*> cursori_;            // open on a handle
};

constexpr size_t kLettoriInAttesa = 4;
constexpr size_t kBloccoMassimo = 4096;

ConnessioneSQLite::ConnessioneSQLite(const std::string& file, bool crea) : file_(file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const bool esiste = fs::exists(file, ec);
  if (!crea && !esiste)
    vb::Solleva(ErrFileDbNonTrovato, "File di database non trovato: '" + file + "'", "SQLite");
  // Opening a company never makes one: SQLite would take a file of no
  // bytes for a new empty database and write it as such.
  if (!crea && fs::is_regular_file(file, ec) && fs::file_size(file, ec) == 0 && !WalConDati(file))
    vb::Solleva(ErrFileDbIllegibile,
                "Il file '" + file + "' è vuoto: non è un database della ditta", "SQLite");
  // A company in a folder or on a medium that cannot be written is read
  // all the same; a save then says why it is refused.
  solaLettura_ = !crea && esiste && !Scrivibile(file);
  sqlite3* db = nullptr;
  int rc;
  if (solaLettura_) {
    // Without its -wal and -shm, which cannot be made here, SQLite reads a
    // WAL file only when told that nobody writes it meanwhile.
    const bool senzaWal = !fs::exists(file + "-wal", ec) && !fs::exists(file + "-shm", ec);
    rc = sqlite3_open_v2(IndirizzoFileSQLite(file, senzaWal).c_str(), &db,
                         SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
  } else {
    const int flag = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (crea ? SQLITE_OPEN_CREATE : 0);
    rc = sqlite3_open_v2(file.c_str(), &db, flag, nullptr);
  }
  db_.reset(db);
  if (rc != SQLITE_OK) {
    const std::string msg = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    if ((rc & 0xFF) == SQLITE_CANTOPEN)
      vb::Solleva(ErrFileDbNonTrovato,
                  "Impossibile aprire il file di database '" + file + "' (" + msg + ")", "SQLite");
    SollevaMotore(rc, msg);
  }
  sqlite3_extended_result_codes(db_.get(), 1);
  if (sqlite::RegistraRuntime(db_.get(), &erroreFunzione_) != SQLITE_OK) Fallisci(SQLITE_ERROR);
  ImpostaAttesa(gAttesaMs.load());
  // A file that is no database shows only at the first read of its header.
  try {
    Diretto("PRAGMA schema_version");
  } catch (const vb::Errore& e) {
    const int codice = sqlite3_errcode(db_.get());
    if (e.Number() == ErrFileDbIllegibile || codice == SQLITE_NOTADB)
      vb::Solleva(ErrFileDbIllegibile,
                  "Il file '" + file + "' non è un database riconosciuto o è danneggiato", "SQLite");
    if (codice == SQLITE_CANTOPEN)
      vb::Solleva(ErrFileDbNonTrovato, "Impossibile aprire il file di database '" + file + "'",
                  "SQLite");
    throw;
  }
  if (!solaLettura_) Diretto("PRAGMA journal_mode=WAL");
  Diretto("PRAGMA synchronous=FULL");
  Diretto("PRAGMA foreign_keys=OFF");
  sqlite::AllineaOrdineTesti(db_.get());
  {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_.get(), "PRAGMA journal_mode", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
      wal_ = vb::UgualeTesto(TestoColonna(st, 0), "wal");
    sqlite3_finalize(st);
  }
}

ConnessioneSQLite::~ConnessioneSQLite() {
  for (CursoreSQLite* c : std::vector<CursoreSQLite*>(cursori_)) c->Stacca();
  lettori_.clear();
  if (db_ && !sqlite3_get_autocommit(db_.get())) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
  indice_.clear();
  usate_.clear();  // statements go before the connection closes
}

void ConnessioneSQLite::Fallisci(int rc) {
  if (erroreFunzione_.numero != 0) {
    const long n = erroreFunzione_.numero;
    std::string d = std::move(erroreFunzione_.descrizione);
    erroreFunzione_ = {};
    vb::Solleva(n, std::move(d), "SQLite");
  }
  int estesa = sqlite3_extended_errcode(db_.get());
  if (estesa == SQLITE_OK) estesa = rc;
  SollevaMotore(estesa, sqlite3_errmsg(db_.get()));
}

void ConnessioneSQLite::Diretto(const char* sql) {
  if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fallisci(SQLITE_ERROR);
}

sqlite3_stmt* ConnessioneSQLite::Prepara(const std::string& sql) {
  if (auto it = indice_.find(sql); it != indice_.end()) {
    if (it->second != usate_.begin()) usate_.splice(usate_.begin(), usate_, it->second);
    return it->second->st;
  }
  sqlite3_stmt* st = nullptr;
  const char* coda = nullptr;
  const char* fine = sql.data() + sql.size();
  int rc = sqlite3_prepare_v3(db_.get(), sql.data(), static_cast<int>(sql.size()),
                              SQLITE_PREPARE_PERSISTENT, &st, &coda);
  if (rc != SQLITE_OK) Fallisci(rc);
  if (!st) vb::Solleva(ErrSintassi, "Istruzione SQL vuota", "SQLite");
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guardia(st, sqlite3_finalize);
  // One statement per call: whatever follows would silently be dropped.
  while (coda && coda < fine && !SoloSeparatori(coda, fine)) {
    sqlite3_stmt* altra = nullptr;
    const char* dopo = nullptr;
    rc = sqlite3_prepare_v2(db_.get(), coda, static_cast<int>(fine - coda), &altra, &dopo);
    if (rc != SQLITE_OK) Fallisci(rc);
    if (altra) {
      sqlite3_finalize(altra);
      vb::Solleva(kErrDopoIstruzione, "Caratteri trovati dopo la fine dell'istruzione SQL",
                  "SQLite");
    }
    if (dopo == coda) break;
    coda = dopo;
  }
  usate_.emplace_front(sql, guardia.release());
  indice_.emplace(usate_.front().sql, usate_.begin());
  if (usate_.size() > kIstruzioniInMemoria) {
    indice_.erase(usate_.back().sql);
    usate_.pop_back();
  }
  return st;
}

void ConnessioneSQLite::Comando(const std::string& sql) {
  erroreFunzione_ = {};
  sqlite3_stmt* st = Prepara(sql);
  Riavvolgi r{st};
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) Fallisci(rc);
}

long ConnessioneSQLite::Esegui(const std::string& sql, const std::vector<vb::Variant>& parametri) {
  erroreFunzione_ = {};
  sqlite3_stmt* st = Prepara(sql);
  Riavvolgi r{st};
  Lega(st, parametri);
  const sqlite3_int64 prima = sqlite3_total_changes64(db_.get());
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) Fallisci(rc);
  // sqlite3_changes keeps the count of the last INSERT/UPDATE/DELETE, which
  // would be wrong for a CREATE or a SELECT run here.
  if (sqlite3_total_changes64(db_.get()) == prima) return 0;
  return static_cast<long>(sqlite3_changes64(db_.get()));
}

Risultato ConnessioneSQLite::Interroga(const std::string& sql,
                                       const std::vector<vb::Variant>& parametri,
                                       const std::vector<TipoCampo>* tipi) {
  erroreFunzione_ = {};
  sqlite3_stmt* st = Prepara(sql);
  Riavvolgi r{st};
  Lega(st, parametri);
  Risultato ris;
  const int nc = sqlite3_column_count(st);
  ris.colonne.resize(static_cast<size_t>(nc));
  bool tuttiNaturali = true;
  for (int i = 0; i < nc; ++i) {
    ColonnaRis& c = ris.colonne[static_cast<size_t>(i)];
    const char* nome = sqlite3_column_name(st, i);
    c.nome = nome ? nome : "";
    if (tipi && static_cast<size_t>(i) < tipi->size()) c.tipo = (*tipi)[static_cast<size_t>(i)];
    if (c.tipo != TipoCampo::Ignoto) tuttiNaturali = false;
  }
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    std::vector<vb::Variant>& riga = ris.righe.emplace_back();
    riga.reserve(static_cast<size_t>(nc));
    if (tuttiNaturali) {
      for (int i = 0; i < nc; ++i) Naturale(st, i, riga);
    } else {
      for (int i = 0; i < nc; ++i) Convertita(st, i, ris.colonne[static_cast<size_t>(i)].tipo, riga);
    }
  }
  if (rc != SQLITE_DONE) Fallisci(rc);
  return ris;
}

std::unique_ptr<Cursore> ConnessioneSQLite::ApriCursore(const std::string& sql, const std::vector<TipoCampo>* tipi) {
  // Inside a transaction the rows must include this connection's own
  // uncommitted writes, which only this handle sees: read whole here.
  // A company opened read-only has no -shm another handle could share.
  if (livello_ > 0 || !wal_ || solaLettura_ || !sqlite3_get_autocommit(db_.get()))
    return Connessione::ApriCursore(sql, tipi);
  std::unique_ptr<Lettore> l;
  if (!lettori_.empty()) {
    l = std::move(lettori_.back());
    lettori_.pop_back();
  } else {
    l = std::make_unique<Lettore>();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    l->db.reset(db);
    if (rc != SQLITE_OK || sqlite::RegistraRuntime(db, &l->errore) != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA query_only=1", nullptr, nullptr, nullptr) != SQLITE_OK)
      return Connessione::ApriCursore(sql, tipi);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, attesaMs_);
  }
  sqlite3_stmt* st = l->Prepara(sql);
  // A transaction of the reading handle keeps its snapshot from the first
  // row to the cursor's end, so the rows can be read again the same.
  if (!st || sqlite3_exec(l->db.get(), "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    Restituisci(std::move(l));
    return Connessione::ApriCursore(sql, tipi);
  }
  auto c = std::make_unique<CursoreSQLite>(this, std::move(l), st, sql, tipi);
  cursori_.push_back(c.get());
  return c;
}

void ConnessioneSQLite::Restituisci(std::unique_ptr<Lettore> l) {
  if (lettori_.size() < kLettoriInAttesa) lettori_.push_back(std::move(l));
}

CursoreSQLite::CursoreSQLite(ConnessioneSQLite* conn, std::unique_ptr<Lettore> lettore, sqlite3_stmt* st,
                             std::string sql, const std::vector<TipoCampo>* tipi)
    : conn_(conn), lettore_(std::move(lettore)), st_(st), sql_(std::move(sql)) {
  const int nc = sqlite3_column_count(st_);
  colonne_.resize(static_cast<size_t>(nc));
  for (int i = 0; i < nc; ++i) {
    ColonnaRis& c = colonne_[static_cast<size_t>(i)];
    const char* nome = sqlite3_column_name(st_, i);
    c.nome = nome ? nome : "";
    if (tipi && static_cast<size_t>(i) < tipi->size()) c.tipo = (*tipi)[static_cast<size_t>(i)];
    if (c.tipo != TipoCampo::Ignoto) tuttiNaturali_ = false;
  }
}

CursoreSQLite::~CursoreSQLite() {
  if (!staccato_) {
    Chiudi();
    conn_->Dimentica(this);
  }
}

void CursoreSQLite::Chiudi() {
  if (!lettore_) return;
  sqlite3_reset(st_);
  // Ends the reading handle's snapshot.
  if (sqlite3_exec(lettore_->db.get(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK &&
      !sqlite3_get_autocommit(lettore_->db.get())) {
    sqlite3_exec(lettore_->db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    if (!sqlite3_get_autocommit(lettore_->db.get())) {
      lettore_.reset();  // a handle that cannot end its transaction is not reused
      return;
    }
  }
  lettore_->errore = {};
  if (conn_) conn_->Restituisci(std::move(lettore_));
  lettore_.reset();
}

void CursoreSQLite::Stacca() {
  if (lettore_) sqlite3_reset(st_);
  lettore_.reset();
  conn_ = nullptr;
  staccato_ = true;
}

void CursoreSQLite::Leggi(size_t almeno, std::vector<std::vector<vb::Variant>>& righe) {
  if (errore_) std::rethrow_exception(errore_);
  if (staccato_) vb::Solleva(3420, "Oggetto non valido: il database del recordset è stato chiuso", "SQLite");
  if (finito_) return;
  sqlite3_stmt* st = st_;
  const int nc = static_cast<int>(colonne_.size());
  const size_t voglio = std::max(almeno, blocco_);
  // Blocks grow while the caller keeps walking: a list shows its first
  // rows at once, a walk of the whole result pays few calls.
  blocco_ = std::min(blocco_ * 2, kBloccoMassimo);
  try {
    for (size_t n = 0; n < voglio; ++n) {
      const int rc = sqlite3_step(st);
      if (rc == SQLITE_DONE) {
        // The handle stays with the cursor until it goes: its snapshot
        // lets the rows be read again.
        finito_ = true;
        sqlite3_reset(st);
        return;
      }
      if (rc != SQLITE_ROW) lettore_->Fallisci(rc);
      std::vector<vb::Variant> riga;
      riga.reserve(static_cast<size_t>(nc));
      if (tuttiNaturali_) {
        for (int i = 0; i < nc; ++i) Naturale(st, i, riga);
      } else {
        for (int i = 0; i < nc; ++i) Convertita(st, i, colonne_[static_cast<size_t>(i)].tipo, riga);
      }
      righe.push_back(std::move(riga));
    }
  } catch (...) {
    errore_ = std::current_exception();
    finito_ = true;
    Chiudi();
    throw;
  }
}

bool CursoreSQLite::Riavvolgi() {
  if (!lettore_ || errore_) return false;
  sqlite3_reset(st_);
  finito_ = false;
  return true;
}

// The statement without its closing ORDER BY, when the order cannot change
// which rows it gives (no LIMIT after it): counting needs no sort, and
// SQLite does not drop the ORDER BY of a subquery by itself, so a count of
// a million ordered rows sorted (or walked an index) for nothing.
bool CarattereNome(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || (c & 0x80); }

// The word `parola` at `i` of `sql`, standing alone.
bool ParolaIn(const std::string& sql, size_t i, std::string_view parola) {
  return sql.size() - i >= parola.size() && vb::UgualeTesto(sql.substr(i, parola.size()), std::string(parola)) &&
         (i == 0 || !CarattereNome(sql[i - 1])) &&
         (sql.size() - i == parola.size() || !CarattereNome(sql[i + parola.size()]));
}

std::string SenzaOrdineFinale(const std::string& sql) {
  size_t ultimo = std::string::npos;
  int livello = 0;
  for (size_t i = 0; i < sql.size(); ++i) {
    const char c = sql[i];
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      const char fine = c == '[' ? ']' : c;
      for (++i; i < sql.size(); ++i)
        if (sql[i] == fine) {
          if (fine != ']' && i + 1 < sql.size() && sql[i + 1] == fine) ++i;
          else break;
        }
    } else if (c == '(') {
      ++livello;
    } else if (c == ')') {
      --livello;
    } else if (livello == 0 && ParolaIn(sql, i, "ORDER")) {
      size_t j = i + 5;
      while (j < sql.size() && std::isspace(static_cast<unsigned char>(sql[j]))) ++j;
      if (ParolaIn(sql, j, "BY")) ultimo = i;
    } else if (livello == 0 && ultimo != std::string::npos && (ParolaIn(sql, i, "LIMIT") || ParolaIn(sql, i, "OFFSET"))) {
      return sql;
    }
  }
  return ultimo == std::string::npos ? sql : sql.substr(0, ultimo);
}

std::optional<long> CursoreSQLite::Conta() {
  if (conta_ || finito_ || !lettore_) return conta_;
  // Run on the reading handle while the cursor's statement is still
  // pending: both read the same snapshot, so the count is that of the
  // rows the cursor will give.
  sqlite3_stmt* st = lettore_->Prepara("SELECT count(*) FROM (" + SenzaOrdineFinale(sql_) + ")");
  if (!st) return std::nullopt;
  struct Riavvolgi r{st};
  if (sqlite3_step(st) != SQLITE_ROW) {
    lettore_->errore = {};
    return std::nullopt;
  }
  conta_ = static_cast<long>(sqlite3_column_int64(st, 0));
  return conta_;
}

// ---------------------------------------------------------------- transactions

void ConnessioneSQLite::IniziaTransazione() {
  if (livello_ == 0) {
    // IMMEDIATE takes the write lock now, through the busy wait: a deferred
    // transaction that reads first and writes later can find the snapshot
    // stale and fail at once, without waiting at all. A database opened
    // read-only takes no lock: its reads go on, its first write is refused.
    Comando(solaLettura_ ? "BEGIN" : "BEGIN IMMEDIATE");
  } else {
    Comando("SAVEPOINT " + Savepoint(livello_));
  }
  ++livello_;
}

void ConnessioneSQLite::ConfermaTransazione() {
  if (livello_ == 0)
    vb::Solleva(kErrSenzaTransazione, "Commit o rollback senza BeginTrans", "SQLite");
  if (sqlite3_get_autocommit(db_.get())) {
    // The engine itself already rolled everything back (disk full, I/O).
    livello_ = 0;
    vb::Solleva(ErrOdbc, "La transazione è stata annullata dal motore di database", "SQLite");
  }
  if (livello_ > 1) {
    Comando("RELEASE " + Savepoint(livello_ - 1));
    --livello_;
    return;
  }
  erroreFunzione_ = {};
  sqlite3_stmt* st = Prepara("COMMIT");
  int rc;
  int estesa = SQLITE_OK;
  std::string msg;
  {
    Riavvolgi r{st};
    rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
      estesa = sqlite3_extended_errcode(db_.get());
      msg = sqlite3_errmsg(db_.get());
    }
  }
  livello_ = 0;
  if (rc == SQLITE_DONE) return;
  // The busy wait has already run out: do not leave a transaction half
  // open for the next statement to commit by accident.
  if (!sqlite3_get_autocommit(db_.get())) sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
  SollevaMotore(estesa == SQLITE_OK ? rc : estesa, msg);
}

void ConnessioneSQLite::AnnullaTransazione() {
  if (livello_ == 0)
    vb::Solleva(kErrSenzaTransazione, "Commit o rollback senza BeginTrans", "SQLite");
  if (sqlite3_get_autocommit(db_.get())) {
    livello_ = 0;  // nothing left to undo
    return;
  }
  if (livello_ > 1) {
    const std::string sp = Savepoint(livello_ - 1);
    Comando("ROLLBACK TO " + sp);
    Comando("RELEASE " + sp);
    --livello_;
    return;
  }
  livello_ = 0;
  Comando("ROLLBACK");
}

// ---------------------------------------------------------------- catalog

const Catalogo& ConnessioneSQLite::LeggiCatalogo() {
  if (catalogoLetto_) return catalogo_;
  catalogo_.Svuota();
  const Risultato tabelle = Interroga(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
      "ESCAPE '\\'",
      {}, nullptr);
  for (const auto& rt : tabelle.righe) {
    TabellaCat t;
    t.nome = rt[0].ToString();
    const Risultato col = Interroga(
        "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?) ORDER BY cid", {t.nome},
        nullptr);
    std::vector<std::pair<int, std::string>> chiave;
    for (const auto& rc : col.righe) {
      ColonnaCat c;
      c.nome = rc[0].ToString();
      bool contatore = false;
      c.tipo = TipoDichiarato(rc[1].IsNull() ? std::string() : rc[1].ToString(), c.lunghezza,
                              contatore);
      c.obbligatoria = rc[2].ToLong() != 0;
      int autoinc = 0;
      if (sqlite3_table_column_metadata(db_.get(), "main", t.nome.c_str(), c.nome.c_str(),
                                        nullptr, nullptr, nullptr, nullptr,
                                        &autoinc) == SQLITE_OK &&
          autoinc)
        contatore = true;
      c.autoincremento = contatore;
      if (const int pk = rc[3].ToLong(); pk > 0) chiave.emplace_back(pk, c.nome);
      t.colonne.push_back(std::move(c));
    }
    std::sort(chiave.begin(), chiave.end());
    for (auto& [n, nome] : chiave) t.chiave.push_back(std::move(nome));
    const Risultato indici = Interroga(
        "SELECT name, \"unique\", origin, partial FROM pragma_index_list(?) ORDER BY seq DESC",
        {t.nome}, nullptr);
    for (const auto& ri : indici.righe) {
      // Unique constraints and unique indexes; the primary key is apart and
      // a partial index does not make its columns a key.
      if (ri[1].ToLong() == 0 || ri[2].ToString() == "pk" || ri[3].ToLong() != 0) continue;
      const Risultato campi = Interroga(
          "SELECT name FROM pragma_index_info(?) ORDER BY seqno", {ri[0].ToString()}, nullptr);
      std::vector<std::string> u;
      bool espressione = false;
      for (const auto& rcampo : campi.righe) {
        if (rcampo[0].IsNull()) espressione = true;
        else u.push_back(rcampo[0].ToString());
      }
      if (!espressione && !u.empty()) t.uniche.push_back(std::move(u));
    }
    catalogo_.Aggiungi(std::move(t));
  }
  catalogoLetto_ = true;
  return catalogo_;
}

}  // namespace

void ImpostaAttesaBloccoMs(int ms) { gAttesaMs.store(std::max(ms, 0)); }
int AttesaBloccoMs() { return gAttesaMs.load(); }

bool ImpostaAttesaBloccoMs(Connessione& connessione, int ms) {
  auto* c = dynamic_cast<ConnessioneSQLite*>(&connessione);
  if (!c) return false;
  c->ImpostaAttesa(ms);
  return true;
}

std::unique_ptr<Connessione> ApriSQLite(const std::string& file, bool crea) {
  // Results are materialised (a list of 100k rows is some 30 MB of small
  // blocks) and freed soon after, over and over. glibc would hand that
  // memory back to the system after each one and fault it in again page by
  // page for the next, which costs more than reading the rows: keep it.
  static std::once_flag memoria;
  std::call_once(memoria, [] {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
  });
  return std::make_unique<ConnessioneSQLite>(file, crea);
}

// The file as an SQLite URI ("file:" + path with %, ? and # escaped),
// read-only and, when asked, immutable.
std::string IndirizzoFileSQLite(const std::string& file, bool immutabile) {
  std::string u = "file:";
  for (unsigned char c : std::filesystem::absolute(file).string()) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", c);
      u += buf;
    } else {
      u.push_back(static_cast<char>(c));
    }
  }
  return u + (immutabile ? "?mode=ro&immutable=1" : "?mode=ro");
}

}  // namespace dati

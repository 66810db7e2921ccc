#pragma once
// The engines under the data layer: SQLite (a company database is one
// file) and a database server reached through ODBC. They take SQL already
// translated into their own dialect; the legacy dialect the program writes
// is translated by the layer above (Traduttore). Engine errors surface as
// vb::Errore with the legacy numbers the program compares:
//   3022 duplicate key, 3197 row changed by another user, 3260 locked by
//   another user (a writer that waited too long), 3021 no current row,
//   3031 wrong password of a file database, 3059 server login refused,
//   3343 unreadable database file, 3024 file not found, 3078 unknown table,
//   3061 unknown column or too few parameters, 3075 syntax error,
//   3360 query too complex (nested deeper than the engine takes),
//   3146 any other server call failure, 3026 disk full, 3163 text longer
//   than its column, 6 number out of its column's range, 3464 value of the
//   wrong kind, 3027 database opened read-only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Variant.h"

namespace dati {

enum ErroreDb : long {
  ErrNessunRecordCorrente = 3021,
  ErrChiaveDuplicata = 3022,
  ErrFileDbNonTrovato = 3024,
  ErrPasswordDb = 3031,
  ErrLoginServer = 3059,
  ErrParametri = 3061,
  ErrSintassi = 3075,
  ErrTabellaInesistente = 3078,
  ErrOdbc = 3146,
  ErrRigaCambiata = 3197,
  ErrBloccato = 3260,
  ErrFileDbIllegibile = 3343,
  ErrQueryComplessa = 3360,
  ErrNonAggiornabile = 3027,
  ErrCampoNonAggiornabile = 3164,
  ErrDiscoPieno = 3026,
  ErrCampoPiccolo = 3163,   // text longer than its column
  ErrTipoDati = 3464,       // a value of the wrong kind for its column
};

// Message with which the checks the schema puts on a table refuse a value
// (SQLite): this prefix, the legacy number, ":" and "Table.Column".
inline constexpr std::string_view kPrefissoControllo = "ddt:";

// Kind of a stored column, as the program sees it.
enum class TipoCampo : uint8_t {
  Ignoto,    // expression of no known kind: the engine's natural value
  Testo,     // text up to `lunghezza` characters, compared without regard to case
  Memo,      // long text
  Byte,
  Intero,    // 16-bit Integer
  Lungo,     // 32-bit Long
  Doppio,    // Double
  Importo,   // four-decimal fixed point (Currency)
  Data,      // date with optional time
  SiNo,      // Boolean flag, stored as -1 / 0
};

// The type code the legacy data library reports for a column kind (the
// grids' "type" property): 10 for a text or an expression of no known kind.
constexpr int16_t CodiceTipo(TipoCampo t) {
  switch (t) {
    case TipoCampo::SiNo: return 1;
    case TipoCampo::Byte: return 2;
    case TipoCampo::Intero: return 3;
    case TipoCampo::Lungo: return 4;
    case TipoCampo::Importo: return 5;
    case TipoCampo::Doppio: return 7;
    case TipoCampo::Data: return 8;
    case TipoCampo::Memo: return 12;
    case TipoCampo::Testo:
    case TipoCampo::Ignoto: return 10;
  }
  return 10;
}

enum class TipoMotore : uint8_t { SQLite, Server };

struct ColonnaCat {
  std::string nome;
  TipoCampo tipo = TipoCampo::Testo;
  int lunghezza = 0;  // texts; 0 = unbounded
  bool obbligatoria = false;
  bool autoincremento = false;
};

struct TabellaCat {
  std::string nome;
  std::vector<ColonnaCat> colonne;
  std::vector<std::string> chiave;                // primary key columns, in order
  std::vector<std::vector<std::string>> uniche;   // unique indexes
  // Index of a column by name without regard to case; -1 when absent.
  int Colonna(std::string_view nome) const;
};

// What the database holds: read from the engine when the connection opens,
// refreshed after the layer itself changes the schema.
class Catalogo {
 public:
  void Aggiungi(TabellaCat t);
  const TabellaCat* Tabella(std::string_view nome) const;  // without regard to case
  std::vector<std::string> NomiTabelle() const;
  void Svuota() { tabelle_.clear(); }

 private:
  std::unordered_map<std::string, TabellaCat> tabelle_;  // key: folded name
};

// One column of a result.
struct ColonnaRis {
  std::string nome;                 // as the query names it
  TipoCampo tipo = TipoCampo::Ignoto;
};

// A whole result held in memory: the recordsets walk it freely and know
// their exact row count.
struct Risultato {
  std::vector<ColonnaRis> colonne;
  std::vector<std::vector<vb::Variant>> righe;
};

// A query read as the caller moves: rows come from the engine in blocks
// when asked for, never all at once unless the caller walks to the end.
// Engines that cannot read so give the whole result in the first block.
class Cursore {
 public:
  virtual ~Cursore() = default;
  const std::vector<ColonnaRis>& Colonne() const { return colonne_; }
  // Appends at least `almeno` rows to `righe` (fewer only at the end of the
  // result); more may come, as many as the engine reads at a time.
  // A failure is raised again by every later call.
  virtual void Leggi(size_t almeno, std::vector<std::vector<vb::Variant>>& righe) = 0;
  // True once every row has been handed out.
  virtual bool Finito() const = 0;
  // The number of rows of the whole result as the cursor sees it, when the
  // engine can tell without handing them out; nothing otherwise.
  virtual std::optional<long> Conta() { return std::nullopt; }
  // Whether the cursor can start again from its first row with the same
  // rows (Riavvolgi), and doing so; false when it cannot.
  virtual bool Riavvolgibile() const { return false; }
  virtual bool Riavvolgi() { return false; }

 protected:
  std::vector<ColonnaRis> colonne_;
};

class Connessione {
 public:
  virtual ~Connessione() = default;
  virtual TipoMotore Tipo() const = 0;

  // Runs one statement in the engine's dialect; `parametri` bind to "?"
  // markers in order. Returns the rows the statement touched.
  virtual long Esegui(const std::string& sql, const std::vector<vb::Variant>& parametri = {}) = 0;
  // Runs a query. `tipi`, when given, tells the kind of each result column
  // (by position): the engine converts stored values to those kinds (dates
  // from their stored form, amounts rounded to four decimals, flags to
  // Boolean); missing or Ignoto kinds give the engine's natural value.
  virtual Risultato Interroga(const std::string& sql, const std::vector<vb::Variant>& parametri = {},
                              const std::vector<TipoCampo>* tipi = nullptr) = 0;
  // The same query read as the caller moves (see Cursore). The rows are
  // those of the moment it opens: writes made afterwards, on this
  // connection or by others, do not show in it. The cursor must not
  // outlive the connection; one left open when the connection closes
  // raises 3420 on its next read. By default the whole result is read here.
  virtual std::unique_ptr<Cursore> ApriCursore(const std::string& sql,
                                               const std::vector<TipoCampo>* tipi = nullptr);

  // Transactions nest: the outermost begins and commits the engine's own,
  // the inner ones use savepoints.
  virtual void IniziaTransazione() = 0;
  virtual void ConfermaTransazione() = 0;
  virtual void AnnullaTransazione() = 0;
  virtual int LivelloTransazione() const = 0;

  // The schema as the engine holds it (read on first use).
  virtual const Catalogo& LeggiCatalogo() = 0;
  virtual void AzzeraCatalogo() = 0;
};

// A cursor over a result already read whole.
std::unique_ptr<Cursore> CursoreDa(Risultato r);

// Undoes, after an error, the transaction levels opened above `livello`,
// without hiding the error: a commit that failed has already closed the
// engine's transaction, and a rollback raising 3034 (or a disk error of its
// own) must not take the place of the first error, which the caller
// raises again.
inline void AnnullaDopoErrore(Connessione& c, int livello) noexcept {
  while (c.LivelloTransazione() > livello) {
    const int prima = c.LivelloTransazione();
    try {
      c.AnnullaTransazione();
    } catch (...) {
    }
    if (c.LivelloTransazione() >= prima) break;
  }
}

// SQLite file database. Raises 3024 when the file is missing and `crea` is
// false, 3343 when it is no readable database.
std::unique_ptr<Connessione> ApriSQLite(const std::string& file, bool crea = false);

// Database server through ODBC: a connect text "ODBC;DSN=...;UID=...;PWD=..."
// (the "ODBC;" prefix optional) or a data-source name with login and
// password given apart. Values are quoted so that a ";" in a password
// cannot add attributes. Raises 3059 on a refused login.
std::unique_ptr<Connessione> ApriOdbc(const std::string& connessione, const std::string& utente = {},
                                      const std::string& password = {});

}  // namespace dati

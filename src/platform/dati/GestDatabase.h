#pragma once
// The database manager: connections by key, action statements, named
// values, and the translation of the legacy dialect for each engine.
//
// A connection is opened on a file path (a SQLite company database, one
// file) or on a database server: a connect text beginning "ODBC;", a name
// ending ".dsn", or a name without any "." (a data-source name), with the
// login of the named values "DbSqlPubUID" / "DbSqlPubPWD". SQLite files have
// no password: "DbAccPWD" is kept but not needed. The manager keeps
// "DbTipoSql:" + key itself: True for a server connection.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/Variant.h"
#include "platform/dati/Motore.h"
#include "platform/dati/Traduttore.h"

namespace dati {

// What the legacy handle of a connection offered beside the manager.
struct DbConnessioneInfo {
  long RecordsAffected = 0;
};

class GestDatabase {
 public:
  GestDatabase() = default;
  ~GestDatabase();
  GestDatabase(const GestDatabase&) = delete;
  GestDatabase& operator=(const GestDatabase&) = delete;

  // Opens `nome` (or the connect text `connessione` when given) as a new
  // connection and gives back its key. Raises the engine's error numbers.
  std::string ApriDatabase(const std::string& nome, int opzioni = 0, bool esclusivo = false,
                           bool solaLettura = false, const std::string& connessione = {});
  // Opens a SQLite file, creating it when missing (the demo and the tests).
  std::string CreaDatabase(const std::string& file);
  void ChiudiDatabase(const std::string& chiave);
  bool Aperta(const std::string& chiave) const;

  // Runs an action statement of the legacy dialect; with option 64 the text
  // goes to the engine unchanged. Returns the rows it touched.
  long EseguiSql(const std::string& chiave, const std::string& sql, int opzioni = 0);

  vb::Variant LeggiVar(const std::string& nome, int tipo = 12) const;
  void ScriviVar(const std::string& nome, int tipo, const vb::Variant& valore);

  DbConnessioneInfo& DbConnessione(const std::string& chiave);

  // For the recordsets and the transactions.
  Connessione& Motore(const std::string& chiave);
  // The connection of a key as the legacy callers ask for "its database"
  // (they read which tables and fields exist from its catalog); no
  // statement is run.
  Connessione& EseguiSqlDb(const std::string& chiave) { return Motore(chiave); }
  // The translation of `sql` for that connection, cached by text.
  std::shared_ptr<const Traduzione> Traduci(const std::string& chiave, const std::string& sql);

 private:
  struct Conn {
    std::unique_ptr<Connessione> motore;
    DbConnessioneInfo info;
    std::map<std::string, std::shared_ptr<const Traduzione>> cache;
  };
  Conn& Trova(const std::string& chiave);
  std::string Registra(std::unique_ptr<Connessione> c);

  std::map<std::string, Conn> conn_;
  std::map<std::string, vb::Variant> variabili_;  // key: folded name
  long prossima_ = 0;
};

// True when `nome` names a server database (legacy rule: "ODBC;" prefix,
// ".dsn" ending, or no "." at all).
bool NomeServer(const std::string& nome);

}  // namespace dati

#include "platform/dati/GestDatabase.h"

#include "platform/Errore.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/dati/Transazioni.h"

namespace dati {

namespace {
constexpr size_t kCacheTraduzioni = 512;
}

bool NomeServer(const std::string& nome) {
  std::string n = vb::Trim(nome);
  if (vb::UgualeTesto(vb::Left(n, 5), "ODBC;")) return true;
  if (n.size() >= 4 && vb::UgualeTesto(vb::Right(n, 4), ".dsn")) return true;
  return n.find('.') == std::string::npos && n.find('/') == std::string::npos;
}

GestDatabase::~GestDatabase() {
  for (auto& [k, c] : conn_) DimenticaConnessione(c.motore.get());
}

std::string GestDatabase::Registra(std::unique_ptr<Connessione> c) {
  std::string chiave = "Db" + std::to_string(++prossima_);
  RegistraConnessione(c.get());
  const bool server = c->Tipo() == TipoMotore::Server;
  conn_[chiave].motore = std::move(c);
  variabili_[vb::Piega("DbTipoSql:" + chiave)] = server;
  return chiave;
}

std::string GestDatabase::ApriDatabase(const std::string& nome, int, bool, bool,
                                       const std::string& connessione) {
  std::string testo = vb::Trim(connessione).empty() ? nome : connessione;
  if (NomeServer(testo) || !vb::Trim(connessione).empty()) {
    std::string uid = LeggiVar("DbSqlPubUID").IsEmpty() ? "" : LeggiVar("DbSqlPubUID").ToString();
    std::string pwd = LeggiVar("DbSqlPubPWD").IsEmpty() ? "" : LeggiVar("DbSqlPubPWD").ToString();
    std::string conn = testo;
    if (!vb::UgualeTesto(vb::Left(conn, 5), "ODBC;")) {
      conn = conn.size() >= 4 && vb::UgualeTesto(vb::Right(conn, 4), ".dsn") ? "ODBC;FILEDSN=" + conn
                                                                              : "ODBC;DSN=" + conn;
    }
    return Registra(ApriOdbc(conn, uid, pwd));
  }
  return Registra(ApriSQLite(vb::PercorsoLocale(nome), false));
}

std::string GestDatabase::CreaDatabase(const std::string& file) {
  return Registra(ApriSQLite(vb::PercorsoLocale(file), true));
}

void GestDatabase::ChiudiDatabase(const std::string& chiave) {
  auto it = conn_.find(chiave);
  if (it == conn_.end()) return;
  DimenticaConnessione(it->second.motore.get());
  conn_.erase(it);
  variabili_.erase(vb::Piega("DbTipoSql:" + chiave));
}

bool GestDatabase::Aperta(const std::string& chiave) const { return conn_.count(chiave) > 0; }

GestDatabase::Conn& GestDatabase::Trova(const std::string& chiave) {
  auto it = conn_.find(chiave);
  if (it == conn_.end())
    vb::Solleva(3420, "Connessione al database non aperta: \"" + chiave + "\"");
  return it->second;
}

Connessione& GestDatabase::Motore(const std::string& chiave) { return *Trova(chiave).motore; }

DbConnessioneInfo& GestDatabase::DbConnessione(const std::string& chiave) { return Trova(chiave).info; }

std::shared_ptr<const Traduzione> GestDatabase::Traduci(const std::string& chiave, const std::string& sql) {
  Conn& c = Trova(chiave);
  auto it = c.cache.find(sql);
  if (it != c.cache.end()) return it->second;
  auto t = std::make_shared<const Traduzione>(dati::Traduci(sql, c.motore->Tipo(), c.motore->LeggiCatalogo()));
  if (c.cache.size() >= kCacheTraduzioni) c.cache.clear();
  c.cache.emplace(sql, t);
  return t;
}

long GestDatabase::EseguiSql(const std::string& chiave, const std::string& sql, int opzioni) {
  Conn& c = Trova(chiave);
  PartecipaTransazione(*c.motore);
  long n;
  if (opzioni & 64) {
    n = c.motore->Esegui(sql);
  } else {
    auto t = Traduci(chiave, sql);
    if (t->tipo == Traduzione::Select)
      vb::Solleva(3065, "Impossibile eseguire una query di selezione come istruzione di comando");
    n = c.motore->Esegui(t->sql);
    if (t->modificaSchema) {
      c.motore->AzzeraCatalogo();
      c.cache.clear();
    }
  }
  c.info.RecordsAffected = n;
  return n;
}

vb::Variant GestDatabase::LeggiVar(const std::string& nome, int) const {
  auto it = variabili_.find(vb::Piega(nome));
  return it == variabili_.end() ? vb::Variant() : it->second;
}

void GestDatabase::ScriviVar(const std::string& nome, int, const vb::Variant& valore) {
  variabili_[vb::Piega(nome)] = valore;
}

}  // namespace dati

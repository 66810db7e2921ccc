// Every statement the program sends runs on both engines over the company
// schema: a statement the layer cannot translate, or that names a table or
// column the schema lacks, shows up here.
#include <gtest/gtest.h>

#include "CorpusSql.h"
#include "ServerDiProva.h"
#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/Transazioni.h"
#include "support/CartellaTemp.h"

using namespace dati;

namespace {

void Esegui(GestDatabase& db, const std::string& k, bool server) {
  GestRecordset rs;
  int errori = 0;
  for (const auto& r : prova::CorpusSql()) {
    const bool passante = r.sql.rfind("SET ", 0) == 0;
    if (passante && !server) continue;
    IniziaTransWorkspace();
    try {
      if (passante) db.EseguiSql(k, r.sql, 64);
      else if (r.tipo == "action") db.EseguiSql(k, r.sql);
      else rs.ApriRecordset(db, k, "c", r.sql, false, r.tipo == "select-upd" ? 2 : 4);
    } catch (const vb::Errore& e) {
      ++errori;
      ADD_FAILURE() << r.etichetta << "\n" << r.sql << "\n-> " << e.Number() << " " << e.Description()
                    << "\n=> " << db.Traduci(k, r.sql)->sql;
    }
    rs.ChiudiRecordset("c");
    AnnullaTransWorkspace();
  }
  EXPECT_EQ(errori, 0);
}

}  // namespace

TEST(CorpusMotori, EveryStatementRunsOnSQLite) {
  prova::CartellaTemp dir("corpus");
  GestDatabase db;
  std::string k = db.CreaDatabase(dir.Percorso("ditta.db"));
  CreaSchema(db.Motore(k), SchemaDitta());
  CreaSchema(db.Motore(k), SchemaMenu());  // the memo table of the menu database
  Esegui(db, k, false);
}

TEST(CorpusMotori, EveryStatementRunsOnTheServer) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer server;
  GestDatabase db;
  std::string k = db.ApriDatabase("", 0, false, false, server.Connessione());
  CreaSchema(db.Motore(k), SchemaDitta());
  CreaSchema(db.Motore(k), SchemaMenu());  // the memo table of the menu database
  Esegui(db, k, true);
}

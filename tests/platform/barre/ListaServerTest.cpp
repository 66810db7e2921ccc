// The list criteria on the database server: the same literals and patterns
// select the same rows as on the file database, and typed quotes and
// wildcards never become SQL.
#include <gtest/gtest.h>

#include "platform/MsgBox.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/dati/Recordset.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/ui/Headless.h"

namespace {

TEST(ListaServer, EveryKindOfCriterionSelectsTheSameRowsOnTheServer) {
  SALTA_SENZA_SERVER();
  ui::HeadlessAttivo();
  prova::DatabaseServer server;
  server.Apri();  // the company database's run time, as its set-up installs it
  dati::GestDatabase db;
  const std::string k = db.ApriDatabase("", 0, false, false, server.Connessione());
  db.EseguiSql(k,
               "CREATE TABLE ListaProva (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, DataRif TIMESTAMP, "
               "Cliente VARCHAR(10), RifCli VARCHAR(30), Stato VARCHAR(1), Importo NUMERIC(19,4), "
               "PRIMARY KEY (Anno, NumRif))",
               64);
  const auto& fc = vb::FunzioniComuni::Istanza();
  for (int i = 1; i <= 40; ++i)
    db.EseguiSql(k, "Insert into ListaProva Values (" + std::to_string(2023 + i % 2) + ", " + std::to_string(i) + ", " +
                        fc.ValoreSql(vb::Date::FromYmd(2024, 1, i), vb::vbDate) + ", 'C" + std::to_string(i % 7) +
                        "', 'Rif " + std::to_string(i) + "', " + (i % 3 == 0 ? "'S'" : "Null") + ", " + std::to_string(i) +
                        ".5)");
  std::vector<std::string> messaggi;
  auto vecchio = vb::ImpostaGestoreMsgBox([&](const std::string& t, int, const std::string&) {
    messaggi.push_back(t);
    return vb::vbOK;
  });
  prova::FormListaProva f(db, k);
  f.Load();
  struct Caso {
    std::vector<std::pair<int, std::string>> valori;
    long righe;
  };
  const std::vector<Caso> casi = {
      {{}, 40},
      {{{10, "2024"}, {20, "2024"}}, 20},
      {{{30, "10"}, {40, "19"}}, 10},
      {{{50, "05/01/2024"}, {60, "07/01/2024"}}, 3},
      {{{70, "C3"}}, 6},
      {{{80, "Rif 1"}}, 11},
      {{{90, "S"}}, 13},
      {{{10, "2024"}, {90, "Normale"}}, 13},
      {{{70, "O'Brien"}}, 0},
      {{{80, "*"}}, 0},
      {{{80, "50%"}}, 0},
  };
  for (const auto& c : casi) {
    for (int i = 10; i <= 90; i += 10) f.C("txt", i).SetText("");
    for (const auto& [n, v] : c.valori) f.C("txt", n).SetText(v);
    f.ButtonComando("Ricerca");
    ASSERT_NE(f.ogComlin.Recordset(), nullptr) << (messaggi.empty() ? "" : messaggi.back());
    EXPECT_EQ(f.ogComlin.Recordset()->RecordCount(), c.righe) << f.osSql;
  }
  EXPECT_TRUE(messaggi.empty()) << messaggi.front();
  vb::ImpostaGestoreMsgBox(vecchio);
}

}  // namespace

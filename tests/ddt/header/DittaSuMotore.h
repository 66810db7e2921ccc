#pragma once
// The demonstration company made afresh for each test, on a SQLite file or
// on the test server by the test's parameter, for the tests where several
// programs (processes of their own) work on one company: each opens its own
// connection with `Apri`. The server case is skipped when no test server is
// configured.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "support/CartellaTemp.h"

namespace prova {

enum class Motore { SQLite, Server };

class DittaSuMotore : public ::testing::TestWithParam<Motore> {
 protected:
  explicit DittaSuMotore(const std::string& cartella) : dir_(cartella) {}

  // Schema and demonstration company; a derived SetUp adds its own rows
  // after it unless the test was skipped.
  void SetUp() override {
    if (GetParam() == Motore::Server) {
      if (ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      server_ = std::make_unique<DatabaseServer>();
      connessione_ = server_->Connessione();
      dati::CreaSchema(*server_->Apri(), dati::SchemaDitta());
    } else {
      connessione_ = dir_.Percorso("ditta.db");
      dati::GestDatabase db;
      const std::string k = db.CreaDatabase(connessione_);
      dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
    }
    dati::GestDatabase db;
    dati::CreaDittaDemo(db, Apri(db));
  }

  // A connection of its own to the company, under the key returned.
  std::string Apri(dati::GestDatabase& db) const {
    return GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, connessione_)
                                        : db.ApriDatabase(connessione_);
  }

  CartellaTemp dir_;
  std::unique_ptr<DatabaseServer> server_;
  std::string connessione_;
};

}  // namespace prova

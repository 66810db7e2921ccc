// The line page on both engines: a save and a delete go through in their
// hook order, and two windows on one row: the later save is refused, its
// values kept, nothing half-written; after "Aggiorna" it saves.
#include <gtest/gtest.h>

#include "platform/MsgBox.h"
#include "platform/barre/RigheFormProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using prova::FormRigheProva;
using Log = std::vector<std::string>;

namespace {

enum class Motore { SQLite, Server };

class RigheMotori : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo();
    if (GetParam() == Motore::Server) {
      SALTA_SENZA_SERVER();
      server_ = std::make_unique<prova::DatabaseServer>();
      server_->Apri();  // the company database's run time, as its set-up installs it
      connessione_ = server_->Connessione();
      dati::GestDatabase db;
      const std::string k = Apri(db);
      db.EseguiSql(k,
                   "CREATE TABLE RigheProva (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, RigDet SMALLINT NOT NULL, "
                   "Articolo VARCHAR(20), Qta DOUBLE PRECISION, Prezzo NUMERIC(19,4), DataCons TIMESTAMP, "
                   "GruppoVen VARCHAR(2), MastroVen VARCHAR(2), ContoVen VARCHAR(4), Nota VARCHAR(200), "
                   "PRIMARY KEY (Anno, NumRif, RigDet))",
                   64);
    } else {
      connessione_ = dir_.Percorso("ditta.db");
      dati::GestDatabase db;
      prova::CreaRigheProva(db, db.CreaDatabase(connessione_));
    }
    dati::GestDatabase db;
    const std::string k = Apri(db);
    for (int r = 1; r <= 4; ++r)
      db.EseguiSql(k, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo, Qta) Values (2026, 7, " + std::to_string(r) +
                          ", 'ART" + std::to_string(r) + "', " + std::to_string(r) + ")");
    vecchio_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return vb::vbYes;
    });
  }
  void TearDown() override {
    if (vecchio_) vb::ImpostaGestoreMsgBox(vecchio_);
  }
  std::string Apri(dati::GestDatabase& db) const {
    return GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, connessione_) : db.ApriDatabase(connessione_);
  }
  vb::Variant Valore(const std::string& campo, const std::string& where) {
    dati::GestDatabase db;
    const std::string k = Apri(db);
    dati::GestRecordset g;
    const std::string r = g.ApriRecordset(db, k, "", "Select " + campo + " From RigheProva Where " + where, false, 4);
    vb::Variant v = g.NessunRecord(r) ? vb::Variant() : g.LeggiCampoNull(r, campo);
    g.ChiudiRecordset(r);
    return v;
  }

  prova::CartellaTemp dir_{"righemotori"};
  std::unique_ptr<prova::DatabaseServer> server_;
  std::string connessione_;
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox vecchio_;
};

TEST_P(RigheMotori, SaveAndThreeRowDeleteInTheirHookOrder) {
  dati::GestDatabase db;
  const std::string k = Apri(db);
  FormRigheProva f(db, k, 2026, 7);
  f.Load();
  f.C("txt", 20).SetText("VITE");
  f.C("txt", 40).SetText("12,3456");
  f.log.clear();
  EXPECT_EQ(f.ButtonComando("Salva"), "");
  EXPECT_EQ(f.log, (Log{"B0", "B10", "B3", "B13", "A13", "A3", "A10"}));
  EXPECT_EQ(Valore("Articolo", "RigDet = 1").ToString(), "VITE");
  EXPECT_EQ(Valore("Prezzo", "RigDet = 1").ToCurrency(), vb::Currency::FromText("12,3456"));
  dati::Recordset& rs = *f.ogLinPag.Recordset();
  for (int p : {0, 1, 2}) {
    rs.SetAbsolutePosition(p);
    f.ogLinPag.SelBookmarks().push_back(rs.Bookmark());
  }
  f.log.clear();
  EXPECT_EQ(f.ButtonComando("Cancella"), "");
  EXPECT_EQ(f.log, (Log{"B17", "B19", "A19", "B19", "A19", "B19", "A19", "A17", "A16"}));
  EXPECT_TRUE(Valore("RigDet", "RigDet < 4").IsEmpty());
  EXPECT_EQ(f.C("txt", 10).Text(), "4");
}

TEST_P(RigheMotori, TheLaterOfTwoSavesOfOneRowIsRefusedAndSavesAfterAggiorna) {
  dati::GestDatabase db1, db2;
  const std::string k1 = Apri(db1), k2 = Apri(db2);
  FormRigheProva a(db1, k1, 2026, 7), b(db2, k2, 2026, 7);
  a.Load();
  b.Load();
  a.C("txt", 20).SetText("PRIMA");
  b.C("txt", 20).SetText("SECONDA");
  b.C("txt", 70).SetText("nota di b");
  EXPECT_EQ(a.ButtonComando("Salva"), "");
  const std::string r = b.ButtonComando("Salva");
  EXPECT_NE(r.find("modificata da un altro utente"), std::string::npos) << r;
  EXPECT_EQ(b.log.back(), "A10:" + r);
  // nothing of b's written, b's values still pending
  EXPECT_EQ(Valore("Articolo", "RigDet = 1").ToString(), "PRIMA");
  EXPECT_TRUE(Valore("Nota", "RigDet = 1").IsNull());
  EXPECT_EQ(b.C("txt", 20).Text(), "SECONDA");
  EXPECT_EQ(b.ogLinPag.VarDati(-1).ToString(), "Articolo,Nota");
  // "Aggiorna" (not saving first) shows the stored row; typed again, it saves
  b.ogLinPag.ScriviVarPagina("AggNoSalva", 12, "S");
  b.ButtonComando("Aggiorna");
  EXPECT_EQ(b.C("txt", 20).Text(), "PRIMA");
  b.C("txt", 20).SetText("SECONDA");
  EXPECT_EQ(b.ButtonComando("Salva"), "");
  EXPECT_EQ(Valore("Articolo", "RigDet = 1").ToString(), "SECONDA");
}

INSTANTIATE_TEST_SUITE_P(Motori, RigheMotori, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

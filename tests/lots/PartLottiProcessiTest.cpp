// A program killed in the middle of a split by batch and lot: the working
// lines of the DDT are exactly as before the split, on a SQLite file and on
// the test server. The program is a process of its own that kills itself
// inside the split (DDT_ARRESTO_RIGHE "PartLotti").
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "ddt/header/DittaSuMotore.h"
#include "ddt/lines/NumeriProva.h"
#include "lots/frmPartLottoDiv.h"
#include "support/Processi.h"

namespace prova {
namespace {

class PartLottiProcessi : public NumeriProva, public ::testing::WithParamInterface<Motore> {
 protected:
  void SetUp() override {
    NumeriProva::SetUp();
    if (GetParam() == Motore::Server && !ApriSuServer(server_))
      GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  }
  void ConnessionePropria() {
    new std::shared_ptr<dati::GestDatabase>(db_);
    new std::shared_ptr<aiuti::AiutiDecodifica>(aiuti_);
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = server_ ? db_->ApriDatabase("", 0, false, false, server_->Connessione())
                    : db_->ApriDatabase(dir_.Percorso("ditta.db"));
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
    ApriAiuti();
  }
  std::string Lavoro() {
    return Elenco("Select RigDet, RigLiv, Descrizione, DescPers1, Qta from DdtDettApp Where Anno = 2026 And "
                  "NumRif = 3 Order By RigDet",
                  {"RigDet", "RigLiv", "Descrizione", "DescPers1", "Qta"});
  }
  std::unique_ptr<DatabaseServer> server_;
};

TEST_P(PartLottiProcessi, AProgramKilledInASplitLeavesTheWorkingLinesAsTheyWere) {
  Linee(4);
  Sql("Delete from LockGest");
  std::string prima;
  {
    // The working copy as the split finds it: the lines opened once.
    frmDDTDett& d = Righe(kDdt);
    prima = Lavoro();
    d.mbSalvaInUscita = false;
    frmDDTDett::Rilascia();
    f_.reset();
  }
  EXPECT_FALSE(prima.empty());
  Sql("Delete from LockGest");
  const pid_t p = Figlio([&] {
    ConnessionePropria();
    frmDDTDett& d = Righe(kDdt);
    VaiA(d, 2);
    d.ComPartLotti_Click();
    frmPartLottoDiv& f = *d.mfrmPartLottoDiv;
    f.txt(10).SetText("P");
    f.txt(110).SetText("A");
    f.txt(210).SetText("1");
    f.txt(20).SetText("P");
    f.txt(120).SetText("B");
    f.txt(220).SetText("1");
    setenv("DDT_ARRESTO_RIGHE", "PartLotti", 1);
    f.Click(f.C("comOk"));
    return 103;  // never here: killed on the way
  });
  EXPECT_EQ(Attendi(p), -1) << "the program was not killed in the split";
  EXPECT_EQ(Lavoro(), prima);
}

INSTANTIATE_TEST_SUITE_P(Motori, PartLottiProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace
}  // namespace prova

// The batch/lot split dialog and the list of the pairs loaded on the screen
// (Qt, offscreen), opened from the lines of demo DDT 3. Every caption
// whole, nothing covering anything else.
#include <QApplication>

#include <string>

#include "ddt/header/qt/QtTestata.h"
#include "ddt/lines/RigheProva.h"
#include "lots/frmLisPartLot.h"
#include "lots/frmPartLottoDiv.h"
#include "platform/qt/ControlliInteri.h"
#include "platform/ui/Griglia.h"

namespace prova {
namespace {
using namespace dati::demo;

class PartLottiQt : public RigheProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    RigheProva::SetUp();
    ui::ImpostaBackend(&qt_);
    Param("Mag.AnnoCorr", "2026");
    Param("Mag.DataInizio", "01/01/2026");
    Param("Mag.DataFine", "31/12/2026");
  }
  void TearDown() override {
    RigheProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtProva qt_;
};

TEST_F(PartLottiQt, TheSplitDialogAndThePairs) {
  Sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoDest) Values (2026, 80, '2026-11-02', "
      "'CAR', '01')");
  const char* coppie[][2] = {{"P-2026-11", "L2026-045"}, {"P-2026-11", "L2026-052"}, {"P-2026-12", "L2026-061"}};
  for (int i = 0; i < 3; ++i)
    Sql("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, DescPers1, DescPers3) Values (2026, 80, " +
        std::to_string(i + 1) + ", " + std::to_string(i + 1) + ", '" + kArticoloLotti + "', 1, '" + coppie[i][0] +
        "', '" + coppie[i][1] + "')");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.ComPartLotti_Click();
  ASSERT_TRUE(d.mfrmPartLottoDiv && d.mfrmPartLottoDiv->Visible());
  frmPartLottoDiv& f = *d.mfrmPartLottoDiv;
  f.txt(110).SetText("L2026-045");
  f.txt(210).SetText("2");
  f.txt(120).SetText("L2026-052");
  f.txt(220).SetText("4");
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(f.txt(250)));
  FotoControllata(f, "part-suddivisione.png");
  // The pairs of the oil, from the first batch box.
  f.osArticolo = kArticoloLotti;
  f.miIndCerca = 30;
  f.CercaPartita();
  frmLisPartLot* l = nullptr;
  for (ui::Form* x : ui::Forms())
    if (x->Name() == "frmLisPartLot" && x->Visible()) l = static_cast<frmLisPartLot*>(x);
  ASSERT_NE(l, nullptr);
  QApplication::processEvents();
  auto& g = static_cast<ui::Griglia&>(l->C("dbgLista"));
  EXPECT_EQ(g.NumRigheEsatto(), 5);  // with the demo company's two pairs
  FotoControllata(*l, "part-lista-coppie.png");
  g.VaiARiga(2);
  ui::utente::Clicca(l->C("comOk"));
  EXPECT_EQ(f.txt(30).Text(), "P-2026-12");
  EXPECT_EQ(f.txt(130).Text(), "L2026-061");
  ui::utente::Clicca(f.C("ComAnnulla"));
  EXPECT_TRUE(d.Enabled());
}

}  // namespace
}  // namespace prova

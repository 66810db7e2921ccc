// The level matrix on the screen (Qt, offscreen), opened from the line of
// MAGLIA01 of demo DDT 4: the 4 x 3 matrix with its captions, the line's
// quantities, the detail panel of the current cell and the totals; then a
// matrix of 20 rows with its scroll bar. Every caption whole, nothing
// covering anything else; the pictures are kept in the tests' folder.
#include <QApplication>

#include "ddt/header/qt/QtTestata.h"
#include "levels/MatriceProva.h"
#include "platform/qt/ControlliInteri.h"

namespace prova {
namespace {

class MatriceQt : public MatriceProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    MatriceProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    MatriceProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtProva qt_;
};

TEST_F(MatriceQt, TheMatrixOfALineOfMaglia) {
  frmDDTDett& d = RigheProva::Righe(dati::demo::kDdtInterno);
  ASSERT_TRUE(ApriMatriceLivelli(d));
  frmGestLivelli& f = *d.mfrmMatrice;
  QApplication::processEvents();
  EXPECT_EQ(f.K1() * f.K2(), 12);
  for (int k = 1; k <= 12; ++k) EXPECT_TRUE(MostratoQt(f.txtLiv(k))) << k;
  EXPECT_EQ(f.lab(270).Caption(), "3");
  FotoControllata(f, "matrice-livelli.png");
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

TEST_F(MatriceQt, TwentyRowsWithTheirScrollBar) {
  Gruppo("VENTI", Numerati("R", 20));
  apri_.dati.osLivGruppo1 = "VENTI";
  apri_.dati.osLivGruppo2 = "";
  Riga("R003", "~ç~", 4, 12.5);
  frmGestLivelli& f = Apri("");
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(f.C("VScr")));
  EXPECT_TRUE(MostratoQt(f.txtLiv(1)));
  // The sheet of cells is taller than its window by design: only the
  // captions are checked, and the picture kept.
  QApplication::processEvents();
  DidascalieIntere(f);
  EXPECT_TRUE(ui::SalvaSchermata(f, FileSchermata("matrice-venti-righe.png")));
}

}  // namespace
}  // namespace prova

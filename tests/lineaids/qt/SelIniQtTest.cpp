// The import layout chooser on the screen (Qt, offscreen): three layouts,
// the one in use selected; every caption whole, nothing covering anything
// else.
#include <QApplication>

#include <fstream>

#include "lineaids/CompetenzaProva.h"
#include "lineaids/frmSelIniCarFile.h"
#include "platform/qt/ControlliInteri.h"
#include "support/CartellaTemp.h"

namespace prova {
namespace {

class SelIniQt : public CompetenzaProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    CompetenzaProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    CompetenzaProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  ui::BackendQt qt_;
  CartellaTemp dir_{"selini"};
};

TEST_F(SelIniQt, ThreeLayoutsTheOneInUseSelected) {
  G().gsFileIni = dir_.Percorso("velnor.ini");
  std::ofstream(G().gsFileIni) << "[LettArtDafile]\nDescr=Lettore di magazzino (campi fissi)\n"
                                  "[LettArtDafileTab]\nDescr=File separato da tabulazioni\n"
                                  "[LettArtDafileCsv]\nDescr=Esportazione gestionale (campi tra virgolette)\n";
  frmSelIniCarFile f;
  f.Load();
  f.osLettArtDafile = "LettArtDafileTab";
  f.SetosDaChi("Bar");
  ASSERT_TRUE(f.mostra());
  f.Show(0);
  QApplication::processEvents();
  EXPECT_EQ(f.LisParamIni().ListCount(), 3);
  EXPECT_EQ(f.LisParamIni().ListIndex(), 1);
  EXPECT_TRUE(MostratoQt(f.C("comOk")));
  FotoControllata(f, "selini-layout.png");
  f.ComAnnulla_Click();
}

}  // namespace
}  // namespace prova

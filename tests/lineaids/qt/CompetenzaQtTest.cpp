// The accrual dialog on the screen (Qt, offscreen): a monthly period across
// two years with its three shares, and the same dialog of a supplier with
// no accrual; every caption whole, nothing covering anything else.
#include <QApplication>

#include "lineaids/CompetenzaProva.h"
#include "platform/qt/ControlliInteri.h"

namespace prova {
namespace {

class BackendCompetenzaQt : public ui::BackendQt {
 public:
  std::vector<std::string> messaggi;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() == "frmMsgCom") {
      messaggi.push_back(f.C("LabMessaggio").Text());
      if (f.Esiste("ComEsegui", 0)) ui::utente::Clicca(f.C("ComEsegui", 0));
      if (f.Visible()) f.Hide();
      return;
    }
    ui::BackendQt::AttendiModale(f);
  }
};

class CompetenzaQt : public CompetenzaProva {
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
  BackendCompetenzaQt qt_;
};

TEST_F(CompetenzaQt, AMonthlyPeriodAcrossTwoYears) {
  FrmCompetenza& f = Apri("M", "01/12/2005", "31/01/2007", "12.345.678,90");
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(f.txt(10)));
  EXPECT_TRUE(MostratoQt(f.Opt(2)));
  EXPECT_FALSE(f.lab(30).Caption().empty());
  EXPECT_FALSE(f.lab(50).Caption().empty());
  FotoControllata(f, "competenza-mensile.png");
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

TEST_F(CompetenzaQt, ASupplierWithNoAccrual) {
  FrmCompetenza& f = Apri("", "", "", "1.200,00", 2006, false);
  QApplication::processEvents();
  EXPECT_EQ(f.label1(150).Caption(), "Fornitore:");
  EXPECT_FALSE(f.txt(10).Enabled());
  FotoControllata(f, "competenza-fornitore.png");
}

}  // namespace
}  // namespace prova

// A new DDT on the screen (Qt, offscreen) as a user begins it: 0 typed as
// the number, the document type and the customer typed and left with Tab,
// the customer's declaration of intent chosen in the look-up that offers
// it. The first page shows what the customer brought; one picture kept in
// the tests' folder to be looked at.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include <string>
#include <vector>

#include "ddt/header/qt/QtTestata.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"

namespace {

namespace demo = dati::demo;

// The Qt bench, with the user choosing the first row of a look-up window
// that opens by itself.
class BackendScelta : public prova::BackendQtProva {
 public:
  std::vector<std::string> aiuti;
  void AttendiModale(ui::Form& f) override {
    if (auto* a = dynamic_cast<aiuti::FinestraAiuto*>(&f)) {
      aiuti.push_back(a->CodiceMostrato(0));
      a->VaiARiga(0);
      a->Scegli();
      if (a->Visible()) a->Hide();
      return;
    }
    prova::BackendQtProva::AttendiModale(f);
  }
};

class NuovoQt : public prova::TestataProva {
 protected:
  static void SetUpTestSuite() { prova::AvviaQtProva(); }
  void SetUp() override {
    TestataProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    TestataProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }

  // The text of a shown label, whole in its width in the font on the screen.
  static void TestoIntero(ui::Controllo& c) {
    auto* l = qobject_cast<QLabel*>(ui::BackendQt::Widget(c));
    ASSERT_NE(l, nullptr) << c.Name() << "(" << c.Index() << ")";
    if (!l->isVisible() || l->text().isEmpty()) return;
    EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width())
        << c.Name() << "(" << c.Index() << "): " << l->text().toStdString();
  }

  BackendScelta qt_;
};

TEST_F(NuovoQt, ANewDdtShowsTheCustomerTypedAndWhatItBrought) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  QApplication::processEvents();
  // A new DDT: 0 as the number, then "Ricerca".
  ui::utente::Digita(f.txt(10), "0");
  ui::utente::BottoneBarra(f.C("tolComPag"), "Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
  QApplication::processEvents();
  // The document type, then the customer, each left with Tab.
  ui::utente::Digita(f.txt(40), demo::kDocDdt);
  ui::utente::Premi(f, ui::vbKeyTab);
  ui::utente::Digita(f.txt(80), demo::kContoCliente3);
  ui::utente::Premi(f, ui::vbKeyTab);
  QApplication::processEvents();
  f.SistemaPagina(0, false);
  QApplication::processEvents();

  EXPECT_FALSE(f.lab(40).Caption().empty());
  EXPECT_EQ(f.lab(80).Caption(), "Alimentari Bianchi Snc");
  EXPECT_FALSE(f.txt(220).Text().empty());
  EXPECT_FALSE(f.lab(220).Caption().empty());
  // The customer's declarations were offered; the first one chosen shows.
  ASSERT_EQ(qt_.aiuti.size(), 1u);
  EXPECT_EQ(f.txt(310).Text(), qt_.aiuti.front());
  EXPECT_FALSE(f.lab(310).Caption().empty());
  EXPECT_FALSE(f.lab(318).Caption().empty());

  // What the first page, the header and the totals show is whole; the
  // letter of intent is free text of two lines, cut at the end.
  for (int n : {40, 80, 81, 82, 83, 84, 85, 200, 220, 250, 270, 310, 312, 314, 316, 318, 319})
    TestoIntero(f.lab(n));
  for (int n : {130, 140, 150, 160, 170}) {
    TestoIntero(f.label1(n));
    TestoIntero(f.lab(n));
  }

  const std::string png = prova::FileSchermata("testata-nuovo-cliente.png");
  ASSERT_TRUE(ui::SalvaSchermata(f, png));
  EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

}  // namespace

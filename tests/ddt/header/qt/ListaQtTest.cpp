// The DDT list window on the screen (Qt, offscreen): loaded on the demo
// company, its four DDTs of the working year listed, one picture kept in
// the tests' folder to be looked at.
#include <QApplication>
#include <QImage>

#include "ddt/header/TestataProva.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"
#include "platform/ui/Griglia.h"

namespace {

// The Qt backend, with the common message window answered so that no
// message waits for a user.
class BackendQtLista : public ui::BackendQt {
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

class ListaQt : public prova::TestataProva {
 protected:
  static void SetUpTestSuite() { prova::AvviaQtProva(); }
  void SetUp() override {
    prova::TestataProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    if (l_ && l_->Caricata()) l_->Unload();
    l_.reset();
    prova::TestataProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtLista qt_;
  std::unique_ptr<frmDdtTestLis> l_;
};

TEST_F(ListaQt, DemoDdtsListedWithTheirCriteria) {
  l_ = std::make_unique<frmDdtTestLis>();
  frmDdtTestLis& l = *l_;
  l.Load();
  l.Show();
  l.txt(160).SetText("");
  l.ButtonComando("Ricerca");
  QApplication::processEvents();
  ASSERT_EQ(l.dbgRiga().NumRighe(), 4);
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  auto* finestra = ui::BackendQt::Finestra(l);
  ASSERT_NE(finestra, nullptr);
  const std::string png = prova::FileSchermata("lista-ddt.png");
  ASSERT_TRUE(ui::SalvaSchermata(l, png));
  const QImage img(QString::fromStdString(png));
  EXPECT_FALSE(img.isNull());
  EXPECT_GT(img.width(), 600);
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

}  // namespace

// The DDT list window on the screen (Qt, offscreen): loaded on the demo
// company, its four DDTs of the working year listed, one picture kept in
// the tests' folder to be looked at.
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include "ddt/header/qt/QtTestata.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"
#include "platform/ui/Griglia.h"

namespace {

class ListaQt : public prova::TestataQt {
 protected:
  void TearDown() override {
    if (l_ && l_->Caricata()) l_->Unload();
    l_.reset();
    prova::TestataQt::TearDown();
  }
  std::unique_ptr<frmDdtTestLis> l_;
};

TEST_F(ListaQt, DemoDdtsListedWithTheirCriteria) {
  l_ = std::make_unique<frmDdtTestLis>();
  frmDdtTestLis& l = *l_;
  l.Load();
  l.Show();
  l.txt(160).SetText("");
  // The criteria as "Azzera" leaves them show their items: account type
  // "Cliente", state "Normale"; then every state, to list the four DDTs.
  l.ButtonComando("AzzSel");
  QApplication::processEvents();
  auto* tipo = qobject_cast<QComboBox*>(ui::BackendQt::Widget(l.cob(80)));
  auto* stato = qobject_cast<QComboBox*>(ui::BackendQt::Widget(l.cob(150)));
  ASSERT_NE(tipo, nullptr);
  ASSERT_NE(stato, nullptr);
  EXPECT_EQ(tipo->currentText().toStdString(), "Cliente");
  EXPECT_EQ(stato->currentText().toStdString(), "Normale");
  ui::utente::Scegli(l.cob(150), 3);
  QApplication::processEvents();
  EXPECT_EQ(stato->currentText().toStdString(), "Tutti");
  EXPECT_EQ(l.txt(150).Text(), "4");
  l.ButtonComando("Ricerca");
  QApplication::processEvents();
  ASSERT_EQ(l.dbgRiga().NumRighe(), 4);
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  // Every shown column holds its heading and its values whole, in the
  // fonts the grid uses on the screen; free-text columns may be cut.
  ui::Griglia& g = l.dbgRiga();
  const int mostrate = prova::ColonneIntere(g, {"Descrizione", "Rif.Cliente", "Note", "Documento"});
  EXPECT_EQ(mostrate, 10);
  EXPECT_EQ(g.TestoCella(1L, 8), "Stampato");
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

// The header window on the screen (Qt, offscreen): the window loaded on the
// demo company as the menu opens it, a stored DDT on show, then each of the
// six pages in front, one picture each, kept in the tests' folder to be
// looked at.
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QTabBar>
#include <QTableView>
#include <QWidget>

#include <algorithm>
#include <set>

#include "ddt/header/qt/QtTestata.h"
#include "platform/qt/BackendQt.h"
#include "platform/ui/Griglia.h"
#include "platform/qt/ProvaQt.h"

namespace {

using prova::ColonneIntere;
using prova::TestataQt;

TEST_F(TestataQt, EachPageInFrontHasItsPicture) {
  // Two free descriptions captioned by the company.
  Param("Fat.DescLibTest1", "Colore");
  Param("Fat.DescLibTest2", "Imballo");
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  // A stored DDT of the demo company on show.
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ogComPag().EseguiTasto("Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
  QApplication::processEvents();
  ui::Controllo& schede = f.C("TasPagine");
  ASSERT_EQ(schede.NumElementi(), 6);
  auto* finestra = ui::BackendQt::Finestra(f);
  ASSERT_NE(finestra, nullptr);
  for (int tab = 1; tab <= 6; ++tab) {
    if (tab == 1) f.SistemaPagina(0, false);
    else schede.SetSelectedTab(tab);
    QApplication::processEvents();
    // The page in front is the one of the tab, over the strip's client area.
    QWidget* pagina = ui::BackendQt::Widget(f.C("PicPagine", tab - 1));
    ASSERT_NE(pagina, nullptr);
    EXPECT_TRUE(pagina->isVisible());
    const QWidget* sopra = pagina->parentWidget()->childAt(pagina->geometry().center());
    while (sopra && sopra->parentWidget() != pagina->parentWidget()) sopra = sopra->parentWidget();
    EXPECT_EQ(sopra, pagina) << "page " << tab - 1 << " not in front";
    // The page leaves the row of tabs uncovered, and the marker lies under
    // the selected tab, as wide as it.
    QWidget* striscia = ui::BackendQt::Widget(schede);
    auto* linguette = striscia->findChild<QTabBar*>();
    ASSERT_NE(linguette, nullptr);
    EXPECT_LE(striscia->y() + linguette->height(), pagina->y());
    const QRect posto = linguette->tabRect(tab - 1).translated(striscia->pos());
    QWidget* segno = ui::BackendQt::Widget(f.C("PicEvid", 0));
    ASSERT_NE(segno, nullptr);
    if (segno->isVisible()) {
      EXPECT_NEAR(segno->x(), posto.x(), 2);
      EXPECT_NEAR(segno->width(), posto.width(), 2);
      EXPECT_NEAR(segno->y() + segno->height() / 2, posto.bottom(), 3);
    }
    const std::string png = prova::FileSchermata("testata-pagina-" + std::to_string(tab) + ".png");
    ASSERT_TRUE(ui::SalvaSchermata(f, png));
    EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
  }
  // The lines and the documents of origin show their columns whole.
  auto& dett = dynamic_cast<ui::Griglia&>(f.C("dbgDett"));
  ASSERT_EQ(dett.NumRighe(), 3);
  EXPECT_GE(ColonneIntere(dett, {"_Descrizione", "NotaSopra", "NotaSotto"}), 12);
  auto& prov = dynamic_cast<ui::Griglia&>(f.C("dbgProvenienza"));
  ASSERT_TRUE(prov.Visible());
  ASSERT_GE(prov.NumRighe(), 1);
  EXPECT_EQ(ColonneIntere(prov, {}), 4);
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

}  // namespace

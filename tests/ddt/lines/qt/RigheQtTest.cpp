// The line window on the screen (Qt, offscreen): the lines of demo DDT 3
// with the first page, the second page, and the panel of a descriptive
// line. Every shown caption is whole in its width and no two shown
// controls of one container overlap; the pictures are kept in the tests'
// folder to be looked at.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QAbstractButton>
#include <QLabel>
#include <QWidget>

#include <string>
#include <vector>

#include "ddt/header/qt/QtTestata.h"
#include "ddt/lines/RigheProva.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/ProvaQt.h"

namespace prova {
namespace {
using namespace dati::demo;

class RigheQt : public RigheProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    RigheProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    RigheProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }

  // Shown on the screen, up through its containers.
  static bool Mostrato(const ui::Controllo& c) {
    QWidget* w = ui::BackendQt::Widget(c);
    return w && w->isVisible();
  }

  // Every shown label holds its caption whole, every shown button and
  // check box its text.
  static void DidascalieIntere(ui::Form& f) {
    for (const auto& c : f.Controlli()) {
      if ((c->tipo() == ui::Tipo::CommandButton || c->tipo() == ui::Tipo::CheckBox) && Mostrato(*c)) {
        auto* b = qobject_cast<QAbstractButton*>(ui::BackendQt::Widget(*c));
        if (!b) continue;
        QString t = b->text();
        t.remove('&');
        const int margine = c->tipo() == ui::Tipo::CheckBox ? 24 : 8;
        EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(t) + margine, b->width())
            << c->Name() << "(" << c->Index() << "): " << t.toStdString();
      }
      if (c->tipo() != ui::Tipo::Label || !Mostrato(*c)) continue;
      auto* l = qobject_cast<QLabel*>(ui::BackendQt::Widget(*c));
      if (!l || l->text().isEmpty()) continue;
      EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width())
          << c->Name() << "(" << c->Index() << "): " << l->text().toStdString();
    }
  }

  // No two shown controls of one container cover each other, and each
  // lies inside its container.
  static void NessunaSovrapposizione(ui::Form& f) {
    std::vector<ui::Controllo*> mostrati;
    for (const auto& c : f.Controlli()) {
      if (!Mostrato(*c)) continue;
      if (c->tipo() == ui::Tipo::Toolbar || c->tipo() == ui::Tipo::StatusBar || c->tipo() == ui::Tipo::Timer) continue;
      if (c->Width() <= 0 || c->Height() <= 0) continue;
      // the focus traps sit below the main page on purpose, out of sight
      if (c->Name() == "TextSpost") continue;
      mostrati.push_back(c.get());
    }
    for (size_t i = 0; i < mostrati.size(); ++i) {
      const ui::Controllo& a = *mostrati[i];
      if (const ui::Controllo* k = a.Container()) {
        EXPECT_LE(a.Left() + a.Width(), k->Width()) << a.Name() << "(" << a.Index() << ") in " << k->Name();
        EXPECT_LE(a.Top() + a.Height(), k->Height()) << a.Name() << "(" << a.Index() << ") in " << k->Name();
      }
      for (size_t j = i + 1; j < mostrati.size(); ++j) {
        const ui::Controllo& b = *mostrati[j];
        if (a.Container() != b.Container()) continue;
        const bool copre = a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() &&
                           a.Top() < b.Top() + b.Height() && b.Top() < a.Top() + a.Height();
        // The tab strip holds its pages.
        const bool schede = a.tipo() == ui::Tipo::TabStrip || b.tipo() == ui::Tipo::TabStrip;
        EXPECT_FALSE(copre && !schede) << a.Name() << "(" << a.Index() << ") / " << b.Name() << "(" << b.Index() << ")";
      }
    }
  }

  void Foto(frmDDTDett& d, const std::string& nome) {
    QApplication::processEvents();
    DidascalieIntere(d);
    NessunaSovrapposizione(d);
    const std::string png = FileSchermata(nome);
    ASSERT_TRUE(ui::SalvaSchermata(d, png));
    EXPECT_FALSE(QImage(QString::fromStdString(png)).isNull());
  }

  BackendQtProva qt_;
};

TEST_F(RigheQt, TheLinesOfDemoDdt3OnTheirFirstAndSecondPage) {
  frmDDTDett& d = Righe(kDdtModificabile);
  QApplication::processEvents();
  EXPECT_TRUE(Mostrato(d.dbgRiga()));
  EXPECT_TRUE(Mostrato(d.txt(20)));
  EXPECT_TRUE(Mostrato(d.txt(30)));
  EXPECT_GT(d.dbgRiga().NumRighe(), 0);
  Foto(d, "righe-pagina1.png");

  // The second page in front.
  d.C("TasPagine").SetSelectedTab(2);
  d.C("PicDati", 1).SetVisible(false);
  d.C("PicDati", 2).SetVisible(true);
  EXPECT_TRUE(Mostrato(d.txt(420)));
  EXPECT_TRUE(Mostrato(d.cob(410)));
  Foto(d, "righe-pagina2.png");
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

TEST_F(RigheQt, TheFirstPageWithEveryOptionalFieldShown) {
  ParPers("Vendite", "QtaDaDimen", "S");
  G().gsDescPersDet1 = "Colore";
  G().gsDescPersDet2 = "Finitura";
  G().gsDescPersDet3 = "Taglia";
  G().gsDescPersDet4 = "Lotto cliente";
  frmDDTDett& d = Righe(kDdtModificabile);
  // What a margin-scheme document, a batch search and a stock warning add.
  d.C("PicBeneUsato").SetVisible(true);
  d.C("ComHlp", 220).SetVisible(true);
  d.label1(210).SetVisible(true);
  d.C("com", 117).SetVisible(true);
  d.C("ComPartLotti").SetVisible(true);
  for (int n : {23, 24, 20}) d.label1(n).SetVisible(true);
  d.label1(28).SetVisible(true);
  QApplication::processEvents();
  for (int n : {220, 230, 265, 267, 250, 260, 270, 195}) EXPECT_TRUE(Mostrato(d.txt(n))) << n;
  Foto(d, "righe-pagina1-tutto.png");
}

TEST_F(RigheQt, ADescriptiveLineShowsItsOwnPanel) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().EseguiTasto("Nuovo"), "");
  d.ComTipoRiga_Click(0);
  ASSERT_EQ(d.txt(18).Text(), "D");
  d.txt(425).SetText("Merce consegnata al piano terra, scarico a cura del destinatario");
  QApplication::processEvents();
  EXPECT_TRUE(Mostrato(d.txt(425)));
  EXPECT_TRUE(Mostrato(d.cob(435)));
  EXPECT_FALSE(Mostrato(d.txt(20)));
  EXPECT_EQ(d.cob(435).Text(), "Anche sul doc. di Evasione");
  Foto(d, "righe-descrittiva.png");

  // And the panel of a command line.
  d.ComTipoRiga_Click(2);
  ASSERT_EQ(d.txt(18).Text(), "C");
  QApplication::processEvents();
  EXPECT_TRUE(Mostrato(d.cob(900)));
  Foto(d, "righe-comando.png");
}

}  // namespace
}  // namespace prova

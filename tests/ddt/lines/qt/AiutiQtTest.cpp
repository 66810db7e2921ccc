// The line's aids on the screen (Qt, offscreen), opened from the lines of
// demo DDT 3: the language-note dialog with its grid, the accrual dialog,
// and the stock labels with a long figure and a warning. Every caption
// whole, nothing covering anything else; the pictures are kept in the
// tests' folder.
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>

#include <string>

#include "ddt/header/qt/QtTestata.h"
#include "ddt/lines/RigheProva.h"
#include "ddt/lines/frmNotaLingua.h"
#include "lineaids/FrmCompetenza.h"
#include "platform/qt/ControlliInteri.h"

namespace prova {
namespace {
using namespace dati::demo;

class AiutiQt : public RigheProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    RigheProva::SetUp();
    ui::ImpostaBackend(&qt_);
    Param("Mag.AnnoCorr", "2026");
    Param("Mag.DataInizio", "01/01/2026");
    Param("Mag.DataFine", "31/12/2026");
    Param("CoGe.AnnoCorr", "2026");
    Param("CoGe.DataInizCont", "01/01/2026");
    Param("CoGe.DataFineCont", "31/12/2026");
  }
  void TearDown() override {
    RigheProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtProva qt_;
};

TEST_F(AiutiQt, TheLanguageNoteDialogOverTheLines) {
  ParPers("Vendite", "NotaLinguaDove", "AS");
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  d.txt(20).SetText(kArticoloViti);
  d.txt(26).SetText("Viti in acciaio inox M4x10, scatola da 100");
  int f11 = ui::vbKeyF11;
  d.Form_KeyDown(f11, 0);
  ASSERT_TRUE(d.mfrmNotaLingua && d.mfrmNotaLingua->Visible());
  frmNotaLingua& f = *d.mfrmNotaLingua;
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(f.GriNote()));
  EXPECT_EQ(f.GriNote().NumRighe(), 2);
  EXPECT_EQ(ColonneIntere(f.GriNote(), {"DesLunga"}), 2);
  FotoControllata(f, "nota-lingua.png");
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_FALSE(d.txt(420).Text().empty());
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

TEST_F(AiutiQt, TheAccrualDialogOfTheLineShown) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.msCompGiornMens = "M";
  d.txt(117).SetText("01/10/2026");
  d.txt(118).SetText("31/03/2027");
  d.MostraCompetenza();
  ASSERT_TRUE(d.mfrmCompetenza);
  FrmCompetenza& f = *d.mfrmCompetenza;
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(f.txt(10)));
  EXPECT_FALSE(d.Enabled());
  FotoControllata(f, "competenza-riga.png");
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.txt(119).Text(), "M");
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

TEST_F(AiutiQt, TheStockLabelsHoldALongFigureAndTheWarning) {
  ParPers("MagaVen", "SegnSottoScorta", "S");
  G().giNumDecQtaMag = 2;
  Sql(std::string("Delete From ArticoliProg Where Articolo = '") + kArticoloPromo + "'");
  for (const auto& [mag, qta] : {std::pair{kMagCentrale, "1234.5"}, std::pair{kMagNegozio, "10000.25"}})
    Sql(std::string("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, "
                    "QtaCarico, QtaScarico, QtaOrdFor, QtaImpCli) Values (2026, '") +
        mag + "', '" + kArticoloPromo + "', '~ç~', '~ç~', " + qta + ", 0, 0, 0, 0)");
  Sql(std::string("Insert Into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('") +
      kArticoloPromo + "', '" + kMagCentrale + "', '~ç~', '~ç~', 10000)");
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  d.osMagazzino = kMagCentrale;
  d.txt(20).SetText(kArticoloPromo);
  d.txt(30).SetText("1");
  d.MostraDispGiac();
  QApplication::processEvents();
  EXPECT_EQ(d.lab(210).Caption(), "1234,5 / 11234,75");
  EXPECT_EQ(d.label1(210).Caption(), "Sottoscorta(10000)");
  for (ui::Controllo* c : {&d.lab(200), &d.lab(210), &d.label1(210)}) {
    ASSERT_TRUE(MostratoQt(*c)) << c->Name();
    auto* l = qobject_cast<QLabel*>(ui::BackendQt::Widget(*c));
    ASSERT_NE(l, nullptr);
    EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->contentsRect().width())
        << c->Name() << "(" << c->Index() << "): " << l->text().toStdString();
  }
  const std::string png = FileSchermata("righe-giacenza.png");
  ASSERT_TRUE(ui::SalvaSchermata(d, png));
}

// A line typed as the user types it: the article's defaults, the list
// price, the customer's discount, the amount and the stock, all readable.
TEST_F(AiutiQt, AWholeLineTypedShowsEveryValueItBrought) {
  G().giNumDecLire = kDecimaliLira;
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  auto digita = [&](int n, const std::string& testo, int prossimo) {
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(n))) << n;
    ui::utente::Digita(d.txt(n), testo);
    ui::utente::Fuoco(d.txt(prossimo));
  };
  digita(20, kArticoloViti, 26);
  digita(30, "4", 60);
  QApplication::processEvents();
  EXPECT_FALSE(d.txt(60).Text().empty());
  EXPECT_FALSE(d.txt(70).Text().empty());
  for (int n : {26, 60, 70, 130, 140, 160}) EXPECT_TRUE(MostratoQt(d.txt(n))) << n;
  DidascalieIntere(d);
  const std::string png = FileSchermata("righe-riga-digitata.png");
  ASSERT_TRUE(ui::SalvaSchermata(d, png));
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

}  // namespace
}  // namespace prova

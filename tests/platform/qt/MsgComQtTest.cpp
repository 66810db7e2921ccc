// The program's message window shown by the Qt backend as a real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "common/frmMsgCom.h"
#include "platform/qt/BackendQt.h"
#include "platform/qt/Interno.h"
#include "platform/ui/Headless.h"

TEST(MsgComQt, ShownAsARealWindowAndAnswered) {
  static char nome[] = "test_qt";
  static char* argv[] = {nome, nullptr};
  ui::AvviaQt(1, argv);
  ui::ImpostaBackend(ui::BackendQtAttivo());
  const char* base = std::getenv("DDT_TEST_TMP");
  const std::filesystem::path dir = base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
  std::filesystem::create_directories(dir);
  const std::string png = (dir / "msgcom-qt.png").string();
  std::filesystem::remove(png);

  bool finestra = false, salvata = false, cornice = false;
  QTimer::singleShot(150, [&] {
    frmMsgCom* f = frmMsgCom::Istanza();
    if (!f) return;
    QWidget* w = ui::BackendQt::Finestra(*f);
    finestra = w != nullptr && QApplication::activeModalWidget() != nullptr;
    // A fixed frame with no title buttons: the answer comes from its own.
    cornice = w && !(w->windowFlags() & Qt::WindowCloseButtonHint) &&
              !(w->windowFlags() & Qt::WindowMaximizeButtonHint) && w->minimumSize() == w->maximumSize();
    salvata = ui::SalvaSchermata(*f, png);
    ui::utente::Clicca(f->C("ComEsegui", 1));  // "&No"
  });
  const int risposta = frmMsgCom::msgCom("Salvare le modifiche al documento?", "&Sì", vb::Variant("&No"));
  EXPECT_TRUE(finestra);
  EXPECT_TRUE(cornice);
  EXPECT_TRUE(salvata);
  EXPECT_EQ(risposta, 2);
  EXPECT_GT(std::filesystem::file_size(png), 1000u);
  ui::ImpostaBackend(nullptr);
}

namespace {

void AvviaQtProva() {
  static char nome[] = "test_qt";
  static char* argv[] = {nome, nullptr};
  ui::AvviaQt(1, argv);
  ui::ImpostaBackend(ui::BackendQtAttivo());
}

std::string Immagine(const std::string& nome) {
  const char* base = std::getenv("DDT_TEST_TMP");
  const std::filesystem::path dir = base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
  std::filesystem::create_directories(dir);
  return (dir / nome).string();
}

// The columns of a picture holding ink (dark pixels of text) within the
// rows [y0, y1) and the columns [x0, x1): first and last, -1 when none.
std::pair<int, int> ColonneInchiostro(const QImage& img, int y0, int y1, int x0 = 0, int x1 = 1 << 20) {
  int primo = -1, ultimo = -1;
  for (int x = std::max(0, x0); x < std::min(img.width(), x1); ++x)
    for (int y = std::max(0, y0); y < std::min(img.height(), y1); ++y)
      if (qGray(img.pixel(x, y)) < 100) {
        if (primo < 0) primo = x;
        ultimo = x;
        break;
      }
  return {primo, ultimo};
}

QWidget* Widget(frmMsgCom& f, const std::string& nome, int indice = -1) {
  return ui::qt::WidgetDi(indice < 0 ? f.C(nome) : f.C(nome, indice));
}

}  // namespace

// The scrolling box honours its centred alignment and keeps its text off
// the border.
TEST(MsgComQt, ScrollingTextCentredInsideItsBorder) {
  AvviaQtProva();
  const std::string png = Immagine("msgcom-qt-scorrevole.png");
  Qt::Alignment allineamento;
  double margine = 0;
  std::pair<int, int> corta{-1, -1}, lunga{-1, -1};
  int largo = 0;
  QTimer::singleShot(150, [&] {
    frmMsgCom* f = frmMsgCom::Istanza();
    if (!f) return;
    auto* pe = qobject_cast<QPlainTextEdit*>(Widget(*f, "txtMessaggio"));
    if (pe) {
      allineamento = pe->document()->defaultTextOption().alignment();
      margine = pe->document()->documentMargin();
      const QImage img = pe->viewport()->grab().toImage();
      largo = img.width();
      const int riga = pe->fontMetrics().lineSpacing();
      const int sopra = static_cast<int>(margine);
      corta = ColonneInchiostro(img, sopra, sopra + riga);
      lunga = ColonneInchiostro(img, sopra + riga, sopra + 2 * riga);
    }
    ui::SalvaSchermata(*f, png);
    ui::utente::Clicca(f->C("ComEsegui", 0));
  });
  const int risposta = frmMsgCom::msgCom("Riga corta\nUna seconda riga, piu' lunga della prima di parecchio", "&Ok",
                                         vb::Missing, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1,
                                         vb::Missing, true);
  EXPECT_EQ(risposta, 1);
  EXPECT_TRUE(allineamento & Qt::AlignHCenter);
  EXPECT_GE(margine, 3.0);
  ASSERT_GE(corta.first, 0);
  ASSERT_GE(lunga.first, 0);
  // Both lines centred in the box: their middles agree with its middle.
  EXPECT_NEAR((corta.first + corta.second) / 2.0, largo / 2.0, 8.0);
  EXPECT_NEAR((lunga.first + lunga.second) / 2.0, largo / 2.0, 8.0);
  EXPECT_GT(corta.first, lunga.first + 20);
  EXPECT_TRUE(std::filesystem::exists(png));
  ui::ImpostaBackend(nullptr);
}

// A caption wider than its button ends in "..." and keeps its access key;
// the text is not cut at both ends.
TEST(MsgComQt, LongCaptionEndsInDotsKeepingItsAccessKey) {
  AvviaQtProva();
  const std::string png = Immagine("msgcom-qt-bottone-lungo.png");
  const QString lunga = QString::fromUtf8("&Cancellare tutte le righe del documento");
  QString disegnata, breve, testo;
  std::pair<int, int> inchiostro{-1, -1};
  int largo = 0;
  QTimer::singleShot(150, [&] {
    frmMsgCom* f = frmMsgCom::Istanza();
    if (!f) return;
    QWidget* b = Widget(*f, "ComEsegui", 0);
    if (auto* pb = qobject_cast<QPushButton*>(b)) {
      testo = pb->text();
      disegnata = ui::qt::CaptionDisegnata(pb);
      breve = ui::qt::CaptionDisegnata(Widget(*f, "ComEsegui", 1));
      const QImage img = pb->grab().toImage();
      largo = img.width();
      // Inside the frame (3 pixels each side), the text keeps off it.
      inchiostro = ColonneInchiostro(img, img.height() / 4, img.height() * 3 / 4, 3, img.width() - 3);
    }
    ui::SalvaSchermata(*f, png);
    ui::utente::Clicca(f->C("ComEsegui", 1));
  });
  const int risposta = frmMsgCom::msgCom("Cancellare?", ui::qt::S(lunga), vb::Variant("&No"));
  EXPECT_EQ(risposta, 2);
  EXPECT_EQ(testo, lunga);  // the access key stays the button's
  EXPECT_TRUE(disegnata.startsWith(QStringLiteral("&Cancel"))) << disegnata.toStdString();
  EXPECT_TRUE(disegnata.endsWith(QChar(0x2026))) << disegnata.toStdString();
  EXPECT_EQ(breve, QStringLiteral("&No"));
  ASSERT_GE(inchiostro.first, 0);
  EXPECT_GE(inchiostro.first, 5);
  EXPECT_LE(inchiostro.second, largo - 6);
  ui::ImpostaBackend(nullptr);
}

// The button Enter presses is the one drawn as the default: the button that
// holds the focus (piComDefault), whatever the number of buttons.
TEST(MsgComQt, TheButtonEnterPressesIsMarked) {
  AvviaQtProva();
  const struct {
    int bottoni, predefinito, segnato;
  } casi[] = {{1, 1, 0}, {2, 1, 0}, {2, 2, 1}, {3, 1, 0}, {3, 2, 1}, {3, 3, 2}, {3, 0, 0}, {2, 5, 0}};
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.bottoni) + " bottoni, predefinito " + std::to_string(c.predefinito));
    const std::string png =
        Immagine("msgcom-qt-predefinito-" + std::to_string(c.bottoni) + "-" + std::to_string(c.predefinito) + ".png");
    std::vector<bool> segnati;
    QTimer::singleShot(150, [&] {
      frmMsgCom* f = frmMsgCom::Istanza();
      if (!f) return;
      for (int i = 0; i < c.bottoni; ++i) segnati.push_back(ui::qt::BottoneSegnato(Widget(*f, "ComEsegui", i)));
      ui::SalvaSchermata(*f, png);
      ui::utente::Premi(*f, ui::vbKeyReturn);
    });
    const int risposta =
        frmMsgCom::msgCom("Quale?", "&Primo", c.bottoni > 1 ? vb::Variant("&Secondo") : vb::Variant(vb::Missing),
                          c.bottoni > 2 ? vb::Variant("&Terzo") : vb::Variant(vb::Missing), vb::Missing, 80, false,
                          600, vb::Missing, c.predefinito);
    ASSERT_EQ(segnati.size(), static_cast<size_t>(c.bottoni));
    for (int i = 0; i < c.bottoni; ++i) EXPECT_EQ(segnati[static_cast<size_t>(i)], i == c.segnato) << "bottone " << i + 1;
    EXPECT_EQ(risposta, c.segnato + 1);
  }
  ui::ImpostaBackend(nullptr);
}

// The program's message window shown by the Qt backend as a real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "common/frmMsgCom.h"
#include "platform/qt/BackendQt.h"
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

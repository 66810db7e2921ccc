// A modal window opened from the program's clock (a menu command served by
// it shows its message): its wait still runs the timers and the input
// sources, as any other modal wait does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/qt/BackendQt.h"
#include "platform/ui/Form.h"

using namespace ui;

namespace {

class Modale : public Form {
 public:
  Modale() : Form("frmModale") { SetCaption("Messaggio"); }
  int scatti = 0;
  void Timer(Controllo&) override {
    // The user answers after a few ticks of the window's own timer.
    if (++scatti == 5) Hide();
  }
};

}  // namespace

TEST(AttesaModaleQt, AModalWindowOpenedFromTheClockStillRunsTimersAndSources) {
  static char nome[] = "test_qt";
  static char* argv[] = {nome, nullptr};
  AvviaQt(1, argv);
  ImpostaBackend(BackendQtAttivo());
  Modale dialogo;
  dialogo.Crea(Tipo::Timer, "tim").SetInterval(10);
  bool aperta = false, chiusa = false, scaduto = false;
  int servitiDurante = 0;
  const int sorgente = AggiungiSorgente(-1, [&] {
    if (aperta) {
      if (!chiusa) ++servitiDurante;
      return;
    }
    // Served by the clock: the command's message, modal.
    aperta = true;
    dialogo.Show(1);
    chiusa = true;
  });
  // A safety net: a wait nobody serves would hang the run. Bound to a
  // local object so that, unused, it dies with the test and never reaches
  // the window after it has gone.
  QObject rete;
  QTimer::singleShot(3000, &rete, [&] {
    scaduto = true;
    dialogo.Hide();
  });
  QElapsedTimer t;
  t.start();
  while (!chiusa && t.elapsed() < 4000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  RimuoviSorgente(sorgente);
  dialogo.Unload();
  EXPECT_TRUE(chiusa);
  EXPECT_FALSE(scaduto) << "the modal wait ran no timer";
  EXPECT_GE(dialogo.scatti, 5);
  EXPECT_GT(servitiDurante, 0) << "the modal wait served no input source";
}

// The delivery-note program. The suite's menu server starts it with its
// switches (/M menu, /P key and window, /F form) and drives it from then on:
// start-up connects to the menu, opens the company database and the form
// the menu asked for; the program then lives on menu commands, window
// events and timers until its last form has closed. It exits 0, or 1 when
// start-up failed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "common/Globali.h"
#include "common/mainDdt.h"
#ifdef DDT_QT
#include "platform/qt/BackendQt.h"
#endif
#include "platform/MsgBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"
#include "startup/RegistroForm.h"

namespace {

bool DesktopPresente() {
  for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* s = std::getenv(v);
    if (s && *s) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // The legacy Command$: the arguments after the program's name.
  std::string riga;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) riga += ' ';
    riga += argv[i];
  }
  G().gsRigaComando = riga;
  vb::ImpostaTitoloApplicazione("DDT");
  avvio::RegistraFormProgramma();

#ifdef DDT_QT
  if (!DesktopPresente()) {
    std::fputs(
        "ddt: serve un desktop (DISPLAY o WAYLAND_DISPLAY non impostati).\n"
        "     Senza schermo: xvfb-run -a <comando>, oppure QT_QPA_PLATFORM=offscreen.\n",
        stderr);
    return 1;
  }
  ui::AvviaQt(argc, argv);
  mainDdt::Main();
  // No loop of its own: menu commands, window events and timers run until
  // the end check has unloaded the last form.
  ui::CicloQt();
#else
  (void)DesktopPresente;
  std::fputs("ddt: costruito senza interfaccia grafica (Qt 6 non trovato).\n", stderr);
  mainDdt::Main();
  while (!ui::Forms().empty()) {
    ui::HeadlessAttivo().AvanzaTempo(10);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
#endif
  return G().giCodiceUscita;
}

// Placeholder until this part of the window is written: the shell's notice.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::CreaControlli() {
  SetCaption("Gestione DDT");
  Move(0, 0, 9000, 3600);
  auto& avviso = Crea(ui::Tipo::Label, "labAvviso");
  avviso.Move(360, 360, 8160, 1500);
  avviso.SetWordWrap(true);
  avviso.SetCaption(
      "La gestione dei documenti di trasporto non è ancora disponibile in questa versione: "
      "il programma è collegato al menu e alla ditta, e si chiude con Esci o dal menu.");
  auto& esci = Crea(ui::Tipo::CommandButton, "cmdEsci");
  esci.Move(7200, 2400, 1320, 420);
  esci.SetCaption("&Esci");
  esci.SetTabIndex(0);
}

// The look-up keys of the header's text boxes and the buttons beside them.
#include <array>
#include <utility>
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

void frmDdtTest::ComHlp_Click(int Index) {
  if (Index == 1610) {
    MostraScad(false);
    return;
  }
  // The button beside a field: the field takes the focus and F2 opens its
  // look-up.
  if (!Esiste("txt", Index)) return;
  ui::Controllo& t = txt(Index);
  if (!t.PuoFuoco()) return;
  FunVarie::SimulaTastoCampo(*this, Index, ui::vbKeyF2, false);
}
void frmDdtTest::txt_KeyUp(int Index, int& KeyCode, int Shift) { (void)Index, (void)KeyCode, (void)Shift; }

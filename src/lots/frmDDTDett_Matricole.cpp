// Serial numbers and batch/lot splitting of a line: not part of this
// version yet; their commands say so and change nothing.
#include <string>

#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"

using DettUtil::NonDisponibile;

bool frmDDTDett::GestMatricole(bool pbMessaggi) {
  if (pbMessaggi) NonDisponibile("La gestione delle matricole");
  return false;
}
void frmDDTDett::ComPartLotti_Click() { NonDisponibile("La divisione per partita e lotto"); }

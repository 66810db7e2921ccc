// Lot traceability of a line: not part of this version yet; the command
// says so and changes nothing.
#include <string>

#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"

using DettUtil::NonDisponibile;

bool frmDDTDett::GestTracc(bool pbMessaggi, bool) {
  if (pbMessaggi) NonDisponibile("La gestione dei lotti");
  return false;
}
void frmDDTDett::DopoGestTracc() {}

// The deferred steps: one tick of the one-shot timer runs the step armed.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::timLinPag_Timer() {
  timLinPag().SetEnabled(false);
  miStatoTimer = 0;
}

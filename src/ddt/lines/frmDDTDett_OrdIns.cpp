// The terminal's personal entry order of the line fields.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::DettOrdIns() {}
void frmDDTDett::DettOrdInsTab() {}
void frmDDTDett::DettOrdInsRip() { mbOrdInsPers = false; }

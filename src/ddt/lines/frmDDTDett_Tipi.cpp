// Mandatory fields of the line kinds and what this terminal may not touch.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::DisabCampiTerminale() {}
void frmDDTDett::DisCampiLiv(bool) {}
void frmDDTDett::LivQtaDef() {}

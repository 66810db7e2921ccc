// The quantity from the dimensions of the packages.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::CalcQtaDaDimens() {}

// The grid's columns and the terminal's personal column list.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::DettOrdCol() { mbColPers = false; }

void frmDDTDett::PersColonne() {}

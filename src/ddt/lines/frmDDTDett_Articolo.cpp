// The article of the line: its display and the line's defaults.
#include "ddt/lines/frmDDTDett.h"

bool frmDDTDett::ArtDescrToApp() { return false; }

void frmDDTDett::MostraArticolo(bool, bool, bool, bool) {}

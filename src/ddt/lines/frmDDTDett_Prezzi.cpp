// The line's price search, unit price and amount.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::CercaListino() {}
void frmDDTDett::CercaPrezzo() {}
void frmDDTDett::CalcPrezzo(int16_t) {}
void frmDDTDett::CalcDaUnitario() {}
void frmDDTDett::CalcDaTotale() {}

// Accrual dates of the line and its notes in other languages.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::MostraCompetenza() {}
void frmDDTDett::DopoCompetenza() {}
void frmDDTDett::DopoChiediNotaLingua() {}
void frmDDTDett::CercaPartita() {}

void frmDDTDett::ChiediNotaLingua() {}

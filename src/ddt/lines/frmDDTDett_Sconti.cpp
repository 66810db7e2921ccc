// The line's discount chain and promotions.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::ElaboraSconti(bool, bool, bool, bool) {}
void frmDDTDett::SbiancaSconti() {}
void frmDDTDett::CalcScontoTot(bool) {}
void frmDDTDett::AzzRicSconto() {}
void frmDDTDett::VerificaPromozione() {}

void frmDDTDett::MostraScontoTot(bool, bool) {}
void frmDDTDett::AzzMemSconti() {}

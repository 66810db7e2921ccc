// The decoders of the line's coded fields.
#include <string>

#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::MostraIva(bool) {}
void frmDDTDett::MostraUM(bool) {}
void frmDDTDett::MostraCentroDiCosto(bool) {}
void frmDDTDett::MostraTipoDocProv(bool) {}
void frmDDTDett::MostraBeneUsato() {}
void frmDDTDett::MostraCRicavi(bool, bool, const std::string&) {}

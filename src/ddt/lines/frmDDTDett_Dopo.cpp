// The after-hooks of the line page. They never stop an operation.
#include "ddt/lines/frmDDTDett.h"

vb::Variant frmDDTDett::PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  switch (piOper) {
    case 4:
      DopoAnnulla(pvRit);
      return int16_t(0);
    case 7:
      DopoCambioStato(pvRit, pvArray);
      return int16_t(0);
    case 8:
      DopoNuovo(pvRit);
      return int16_t(0);
    case 10:
      DopoSalva(pvRit);
      return {};
    case 13:
      DopoScrivi(pvRit);
      return int16_t(0);
    case 16:
      DopoMostra(pvRit);
      return int16_t(0);
    case 17:
      DopoCancSel(pvRit);
      return int16_t(0);
    default:
      return int16_t(0);
  }
}

void frmDDTDett::DopoAnnulla(vb::Variant& pvRit) { (void)pvRit; }
void frmDDTDett::DopoCambioStato(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvRit;
  (void)pvArray;
}
void frmDDTDett::DopoNuovo(vb::Variant& pvRit) { (void)pvRit; }
void frmDDTDett::DopoSalva(vb::Variant& pvRit) { (void)pvRit; }
void frmDDTDett::DopoScrivi(vb::Variant& pvRit) { (void)pvRit; }
void frmDDTDett::DopoMostra(vb::Variant& pvRit) { (void)pvRit; }
void frmDDTDett::DopoCancSel(vb::Variant& pvRit) { (void)pvRit; }

// The before-hooks of the line page: what changed (0), the field checks of
// a save (3), the save (10), the write of the row (13), a new line (8), the
// deletion of the selection (17) and of each row (19). 0 or empty lets the
// page go on; 1 stops it with the reason in pvRit.
#include "ddt/lines/frmDDTDett.h"

vb::Variant frmDDTDett::PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvArray;
  switch (piOper) {
    case 0:
      return PrimaVarDati(pvRit);
    case 3:
      return PrimaControlli(pvRit);
    case 8:
      return PrimaNuovo(pvRit);
    case 10:
      return PrimaSalva(pvRit);
    case 13:
      return PrimaScrivi(pvRit);
    case 17:
      return PrimaCancSel(pvRit);
    case 19:
      return PrimaCancRiga(pvRit);
    default:
      return int16_t(0);
  }
}

vb::Variant frmDDTDett::PrimaVarDati(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaControlli(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaSalva(vb::Variant& pvRit) {
  if (ogLinPag().Stato() == 2 || txt(10).Text().empty()) {
    const vb::Variant r = RicUltNum();
    if (!r.ToString().empty()) {
      pvRit = r;
      return int16_t(1);
    }
  }
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaScrivi(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaNuovo(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaCancSel(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}
vb::Variant frmDDTDett::PrimaCancRiga(vb::Variant& pvRit) {
  (void)pvRit;
  return int16_t(0);
}

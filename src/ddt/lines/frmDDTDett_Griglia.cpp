// Grid events, tab pages, resizing and the focus traps.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::ComTipoRic_Click() {}
void frmDDTDett::ColBackAutoSalva() {}
void frmDDTDett::dbgRiga_DblClick() {}
void frmDDTDett::dbgRiga_RowColChange(const vb::Variant& LastRow, int LastCol) {
  if (HaPagina()) ogLinPag().RigaColCambiata(LastRow, LastCol);
}
void frmDDTDett::dbgRiga_SelChange(int& Cancel) { (void)Cancel; }
void frmDDTDett::Form_Resize() {}
void frmDDTDett::TasPagine_Click() {}
void frmDDTDett::SistemaPagina(int16_t piCorrente, bool pbSetFocus) {
  (void)piCorrente;
  (void)pbSetFocus;
}
void frmDDTDett::TextSpost_Click(int Index) { (void)Index; }
void frmDDTDett::TextSpost_GotFocus(int Index) { (void)Index; }
void frmDDTDett::PosDoppioClick() {}
void frmDDTDett::AggVisRighe(int32_t& plRipoRiga) { (void)plRipoRiga; }

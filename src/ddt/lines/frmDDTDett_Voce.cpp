// What the grid needs of the line entry: the read/write mode, entry and
// exit of the fields, the line kind and its panels, the deletion check,
// the insertion at a position. The decoders and the pricing complete it.
#include "ddt/lines/frmDDTDett.h"

void frmDDTDett::SetoiAbilRW(int16_t piValore) {
  oiAbilRW = piValore;
  if (HaPagina()) ogLinPag().SetoiAbilRW(piValore);
}

void frmDDTDett::txt_GotFocus(int Index) { (void)Index; }
void frmDDTDett::txt_LostFocus(int Index) { (void)Index; }
void frmDDTDett::GotTxtActive() {}
void frmDDTDett::LostTxtActive() {}
void frmDDTDett::VisualDettDescr(bool pbFocus) { (void)pbFocus; }
void frmDDTDett::AggNonText() {}
void frmDDTDett::ComTipoRiga_Click(int Index) { (void)Index; }
int16_t frmDDTDett::DettNonCanc(std::string& psTesto) {
  psTesto.clear();
  return 0;
}
void frmDDTDett::CompletaInserisci(std::string& psKey) { psKey = "Nuovo"; }
void frmDDTDett::AnnullaIns(bool pbSempre) { (void)pbSempre; }

// What the line entry shows of the current line: its decoders come with
// the line entry.
void frmDDTDett::MostraArticolo(bool, bool, bool, bool) {}
void frmDDTDett::MostraIva(bool) {}
void frmDDTDett::MostraUM(bool) {}
void frmDDTDett::MostraCentroDiCosto(bool) {}
void frmDDTDett::MostraTipoDocProv(bool) {}
void frmDDTDett::MostraBeneUsato() {}
void frmDDTDett::MostraCRicavi(bool, bool, const std::string&) {}
void frmDDTDett::MostraScontoTot(bool, bool) {}
void frmDDTDett::AbilDescArt(bool) {}
void frmDDTDett::AbilDisabArtRiepil(bool) {}
void frmDDTDett::DisabSeLivelli(bool, bool) {}
void frmDDTDett::AzzMemSconti() {}
void frmDDTDett::ChiediNotaLingua() {}

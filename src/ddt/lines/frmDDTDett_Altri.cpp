// The level, lot, serial, batch and import windows of a line are not part
// of this version: their commands say so and change nothing.
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"

namespace {
void NonDisponibile(const std::string& psFunzione) {
  frmMsgCom::msgCom(psFunzione + " non è ancora disponibile in questa versione del programma.", "&Ok");
}
}  // namespace

bool frmDDTDett::GestLivelli(bool pbMessaggi) {
  if (pbMessaggi) NonDisponibile("La gestione dei livelli");
  return false;
}
void frmDDTDett::DopoGestLivelli() {}
void frmDDTDett::NascondiPicLiv() {
  C("picLivelli").SetVisible(false);
  for (int n : {21, 22}) {
    txt(n).SetText("");
    lab(n).SetCaption("");
  }
}
void frmDDTDett::AbilLivelliCrea() {}
void frmDDTDett::LivelloUnico() {}
void frmDDTDett::SalDatiLiv() {}
bool frmDDTDett::GestMatricole(bool pbMessaggi) {
  if (pbMessaggi) NonDisponibile("La gestione delle matricole");
  return false;
}
bool frmDDTDett::GestTracc(bool pbMessaggi, bool) {
  if (pbMessaggi) NonDisponibile("La gestione dei lotti");
  return false;
}
void frmDDTDett::DopoGestTracc() {}
void frmDDTDett::ComPartLotti_Click() { NonDisponibile("La divisione per partita e lotto"); }
void frmDDTDett::ImpLetDaFile(const std::string&, bool) { mbLettArtDafile = false; }
void frmDDTDett::ImpLetDaFileMatr(const std::string&, bool) { mbLettMatrDafile = false; }
void frmDDTDett::LeggiDaFileBarCode() { NonDisponibile("La lettura degli articoli da file"); }
void frmDDTDett::LeggiDaFileMatricole() { NonDisponibile("La lettura delle matricole da file"); }
void frmDDTDett::FineLetCodBar() {}
void frmDDTDett::FineLetMatr(bool) {}
void frmDDTDett::AggDaOrdi() {}
void frmDDTDett::RicDaOrdi() { NonDisponibile("Il riordino degli articoli"); }
void frmDDTDett::CancRigaRAEE(const std::string&) {}
void frmDDTDett::AggRigaRAEE() {}
void frmDDTDett::AggSelRAEE() {}
void frmDDTDett::InsVarRigaRAEE() { miStatoRaee = 0; }
void frmDDTDett::CreaRigArtRAEE() {}
void frmDDTDett::DopoInsVarRigaRAEE() { miStatoRaee = 0; }

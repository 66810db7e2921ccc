// The deposit lines: the returnable packaging the DDT's lines carry,
// rebuilt as lines of their own.
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"
#include "services/ComLock.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

[[maybe_unused]] void NonDisponibile(const std::string& psFunzione) {
  frmMsgCom::msgCom(psFunzione + " non è ancora disponibile in questa versione del programma.", "&Ok");
}

// Whether the shown DDT is free: its lock is taken under a key of its own
// and given back at once. A DDT in use by another user gets the lock
// routine's message and answers false.
[[maybe_unused]] bool DdtLibero(const frmDdtTest& f) {
  const auto& fc = FC();
  const int16_t anno = fc.ValInt(vb::Variant(f.txt(20).Text()), true, true);
  const int32_t numRif = static_cast<int32_t>(fc.ValDouble(vb::Variant(f.txt(10).Text()), true));
  std::string chiave, utente, varie;
  std::string gestione = G().gsTipoDoc;
  int16_t nuovo = -1;
  const int16_t esito =
      ComLock::BloccaDoc("S", G().gsTipoDoc, anno, numRif, nuovo, -1, chiave, "il DDT", utente, gestione, varie);
  if (!chiave.empty()) ComLock::SbloccaDoc(&chiave, -1);
  return esito == ComLock::kBloccoPreso;
}

// Saves a header with pending changes; false when the command must stop:
// a new DDT (its first save opens its lines by itself) or changes still
// pending (the save was refused and said why).
[[maybe_unused]] bool SalvaPrima(frmDdtTest& f) {
  if (!f.InVar()) return true;
  const int modo = f.HaBarra() ? f.ogComPag().oiFlagOpe() : 0;
  f.ButtonComando("Salva");
  if (modo == 2) return false;
  return !f.InVar();
}

}  // namespace

void frmDdtTest::CalcVuoti() {
  if (!mbGestVuotiCauz) return;
  if (frmMsgCom::msgCom("Confermi ricalcolo cauzione", "&Ok", vb::Variant("&Annulla")) == 2) return;
  NonDisponibile("Il ricalcolo delle cauzioni");
}
void frmDdtTest::RenumRigheDet(int32_t& plRigDet, int32_t& plRigLiv) { (void)plRigDet, (void)plRigLiv; }

void frmDdtTest::CreoArtVuoto(const std::string& psArticolo, double pdQta, int32_t& plRigDet, int32_t& plRigLiv) {
  (void)psArticolo, (void)pdQta, (void)plRigDet, (void)plRigLiv;
}

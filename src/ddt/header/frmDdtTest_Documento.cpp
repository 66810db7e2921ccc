// The document commands of the header: the lines, the expenses, printing,
// the restore of a printed DDT and of an evaded one, the deposit lines, and
// the return from the line and expense windows. Each command first makes
// its own refusals (a header to save first, a window already open, the DDT
// in use by another user); the windows and programs behind them are not
// part of this version yet, so past the refusals the command says so and
// leaves the DDT as it was, holding no lock.
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

void NonDisponibile(const std::string& psFunzione) {
  frmMsgCom::msgCom(psFunzione + " non è ancora disponibile in questa versione del programma.", "&Ok");
}

// Whether the shown DDT is free: its lock is taken under a key of its own
// and given back at once. A DDT in use by another user gets the lock
// routine's message and answers false.
bool DdtLibero(const frmDdtTest& f) {
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
bool SalvaPrima(frmDdtTest& f) {
  if (!f.InVar()) return true;
  const int modo = f.HaBarra() ? f.ogComPag().oiFlagOpe() : 0;
  f.ButtonComando("Salva");
  if (modo == 2) return false;
  return !f.InVar();
}

}  // namespace

void frmDdtTest::GestDettaglio(bool pbDopoDup, int16_t& piGestDupl) {
  (void)piGestDupl;
  if (!SalvaPrima(*this)) return;
  if (oiInDett > 0) return;
  if (!pbDopoDup && !DdtLibero(*this)) return;
  NonDisponibile("La gestione delle righe del DDT");
}

void frmDdtTest::StampaDoc() {
  try {
    if (!SalvaPrima(*this)) return;
    NonDisponibile("La stampa del DDT");
  } catch (const vb::Errore& e) {
    frmMsgCom::msgCom("(StampaDoc) Errore n°" + std::to_string(FC().CodiceErrore(e.Number())) + " :" +
                          e.Description(),
                      "&Ok");
  }
}

void frmDdtTest::Ripristino() {
  if (frmMsgCom::msgCom("Confermi ripristino del DDT da stato stampato", "&Ok", vb::Variant("&Annulla")) != 1) return;
  NonDisponibile("Il ripristino del DDT stampato");
}

void frmDdtTest::RipEvasione() {
  if (InVar()) {
    frmMsgCom::msgCom("Salvare la testata prima di ripristinare evasione", "&Ok");
    return;
  }
  if (frmMsgCom::msgCom("Confermi ripristino del DDT da stato evaso a stato stampato", "&Ok",
                        vb::Variant("&Annulla")) != 1)
    return;
  const ui::Controllo* evasione = Trova("lab", 2000);
  const bool conFattura = evasione && !vb::Trim(evasione->Caption()).empty();
  const int modo = HaBarra() ? ogComPag().oiFlagOpe() : 0;
  if (conFattura || !vb::UgualeTesto(txt(110).Text(), "E") || modo != 1) {
    frmMsgCom::msgCom("Non è possibile annullare l'evasione", "&Ok");
    return;
  }
  NonDisponibile("Il ripristino dell'evasione del DDT");
}

// The line window closing: the header is enabled again and, when the
// lines were stored, its footer, totals and line grid follow them.
void frmDdtTest::DopoGestDettaglio(bool pbAgg, bool pbOk) {
  SetEnabled(true);
  Show();
  olPosDett = -1;
  if (pbOk) {
    if (pbAgg && AggPiede(false)) ButtonComando("Salva");
    MostraPdcDicIntenti(true, true);
    ComLock::SbloccaDoc(nullptr, -1);
    MostraDett();
    VerContrDoppio();
  }
  ui::Screen().MousePointer = 0;
  if (!mbScaricato)
    if (ui::Controllo* t = Trova("timComPag")) t->SetEnabled(true);
  oiInDett = -1;
}

bool frmDdtTest::CancMovimRientro(int16_t& piAnnoMovimRientro, int32_t& plNumMovimRientro) {
  (void)piAnnoMovimRientro, (void)plNumMovimRientro;
  return false;
}

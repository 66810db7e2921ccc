// Deletion of the DDT shown: the before hook of the bar's delete refuses a
// printed or evaded DDT, guards the stock of the lots the DDT loaded, asks,
// and then, under the DDT's lock and inside one transaction of the window,
// gives the source documents back, deletes the DDT's rows and re-evaluates
// its lots; the bar deletes the header row in the same transaction and the
// after hook commits it. A refusal or a failure on the way rolls back and
// releases the lock: nothing changes.
#include <string>
#include <vector>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/header/frmDdtTest.h"
#include "lots/UtilLotto.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/ComLock.h"
#include "services/UtilDocFattGest.h"
#include "stock/DisAggProvFat.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

int Messaggio(const std::string& testo, const std::string& com1 = "&Ok", const vb::Variant& com2 = vb::Missing) {
  return frmMsgCom::msgCom(testo, com1, com2, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
}

bool Eq(const std::string& a, const char* b) { return vb::UgualeTesto(vb::Trim(a), b); }

// The kinds of source documents a give-back works on.
bool ConFonti(const std::string& provenienza) {
  return Eq(provenienza, "D") || Eq(provenienza, "O") || Eq(provenienza, "P");
}

}  // namespace

vb::Variant frmDdtTest::Cancella(vb::Variant& pvRit) {
  Globali& g = G();
  const vb::Variant rifiuto(int16_t(1));

  // A printed or evaded DDT is not deleted.
  const std::string stato = txt(110).Text();
  if (!Fc().Vuoto(stato)) {
    std::string didascalia = lab(110).Caption();
    if (didascalia.empty()) didascalia = Eq(stato, "E") ? "Evaso" : Eq(stato, "S") ? "Stampato" : vb::Trim(stato);
    std::string testo = "Impossibile Cancellare Ddt con stato " + didascalia;
    if (Eq(stato, "S")) testo += "\r\nPrima annullare la stampa con l'apposito comando";
    Messaggio(testo);
    pvRit = rifiuto;
    return rifiuto;
  }

  const int16_t anno = Fc().ValInt(txt(20).Text());
  const int32_t numero = Fc().ValLong(txt(10).Text());
  const std::string magProv = txt(290).Text(), magDest = txt(88).Text();
  std::string magScar, magCar, gruppo, mastro, conto;
  if (!msLottoTipOpe.empty())
    UtilLotto::CalcMagaScarCar(msLottoTipOpe, "M", "C", magProv, magDest, magScar, magCar, gruppo, mastro, conto);

  // The lots the DDT loaded must stay covered by what was loaded.
  if ((Eq(msLottoTipOpe, "I") || Eq(msLottoTipOpe, "C")) && (miTracQtaVer == 1 || miTracQtaVer == 3)) {
    std::string testo;
    const int16_t esito =
        UtilLotto::VerifCancLotti(msLottoTipOpe, "DdtRintraccia", anno, numero, magScar, magCar, "d", testo, -1);
    if (esito > 0 && Messaggio(testo, "&Ok", vb::Variant("Proseguire con la cancellazione")) != 2) {
      pvRit = vb::Variant(static_cast<int32_t>(esito));
      return rifiuto;
    }
  }

  if (Messaggio("Confermi cancellazione di questo Ddt\r\nE di tutti i relativi dettagli", "&Ok",
                vb::Variant("Annulla")) != 1) {
    pvRit = rifiuto;
    return rifiuto;
  }
  FunVarie::Clessidra(-1);

  // The lock first, outside the transaction, so that the others see it
  // from now on; then everything else inside it.
  // A lock the window still holds here is left over (a duplicate whose
  // line window did not open): with the header in use no sub-window needs
  // it, and kept it would stand for this DDT's lock or refuse it as in use.
  const std::string provenienza = txt(126).Text();
  if (!g.gsKeyRecLock.empty()) ComLock::SbloccaDoc(nullptr, -1);
  int16_t nuovo = -1;
  std::string chiave = "Standard", utente, gestione = vb::Trim(g.gsTipoDoc), varie;
  if (ComLock::BloccaDoc(ConFonti(provenienza) ? "D" : "6", g.gsTipoDoc, anno, numero, nuovo, -1, chiave,
                         "Il movimento", utente, gestione, varie) > 0) {
    if (ConFonti(provenienza))
      Messaggio("Documento in uso da altro utente: Non è possibile proseguire con la cancellazione ");
    ComLock::SbloccaDoc(nullptr, -1);
    FunVarie::Clessidra(0);
    pvRit = rifiuto;
    return rifiuto;
  }
  barre::BarraRecord& barra = ogComPag();
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  barra.SetTransPropria(0);
  auto annulla = [&] {
    try {
      utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    } catch (const vb::Errore&) {
    }
    barra.SetTransPropria(-1);
    ComLock::SbloccaDoc(nullptr, -1);
    FunVarie::Clessidra(0);
  };
  try {
    // The lots are read while the rows are there, evaluated once they are gone.
    std::vector<UtilLotto::LottoRighe> lotti;
    if (!msLottoTipOpe.empty()) lotti = UtilLotto::LottiRighe(g.gsTabRintraccia, anno, numero, -1);

    std::string msg;
    const int16_t resa = DisAggProvFat::DisAggDocProv(txt(450).Text(), provenienza, anno, numero, g.gsKeyRecLock,
                                                      g.gsTipoDoc, g.gsTipoDoc, false, msg, vb::Variant(int16_t(0)),
                                                      "", false, false);
    if (resa == DisAggProvFat::kInUso || resa == DisAggProvFat::kNonProseguire) {
      annulla();
      pvRit = rifiuto;
      return rifiuto;
    }
    if (UtilDocFattGest::CancDoc(g.gsTipoDoc, anno, numero, g.gsKeyRecLock, vb::Missing, false, true, false)
            .ToLong() != 0) {
      annulla();
      pvRit = rifiuto;
      return rifiuto;
    }
    if (!lotti.empty()) UtilLotto::AggStatoLotti(lotti, msLottoTipOpe, magScar, magCar, anno, numero, -1, "d");
  } catch (...) {
    annulla();
    throw;
  }
  return vb::Variant(int16_t(0));
}

void frmDdtTest::DopoCancella(vb::Variant& pvRit) {
  barre::BarraRecord& barra = ogComPag();
  if (barra.TransPropria() == 0) {
    const bool cancellato = Fc().Vuoto(pvRit, vb::vbString, 1, false);
    try {
      if (cancellato) utilprg::TransConferma(0, -1, nullptr, -1, "");
      else utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    } catch (const vb::Errore& e) {
      // A commit that fails leaves everything as it was: the DDT is still
      // there, with its rows.
      try {
        utilprg::TransAnnulla(0, -1, nullptr, -1, "");
      } catch (const vb::Errore&) {
      }
      frmMsgCom::MsgErrfrm(e);
      pvRit = vb::Variant(static_cast<int32_t>(e.Number()));
    }
    barra.SetTransPropria(-1);
  }
  ComLock::SbloccaDoc(nullptr, -1);
  FunVarie::Clessidra(0);
}

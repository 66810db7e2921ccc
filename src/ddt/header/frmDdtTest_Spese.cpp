// The automatic expense rows a save adds or rechecks, and the hand-off to
// the expense window and back.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmInElab.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "expenses/AggSpeBan.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "services/ComLock.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

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

// Year and number of the shown DDT, as the expense routines key its rows.
int16_t AnnoDdt(const frmDdtTest& f) { return FC().ValInt(vb::Variant(f.txt(20).Text()), true, true); }
int32_t NumRifDdt(const frmDdtTest& f) {
  return static_cast<int32_t>(FC().ValDouble(vb::Variant(f.txt(10).Text()), true));
}

// An expense routine's failure, as the header shows it.
void MostraErrSpese(int32_t plErr, const std::string& psErr) {
  frmMsgCom::MsgErrfrm(vb::Variant(psErr), vb::Variant(static_cast<int>(plErr)));
}

// A recheck's answer: an error shown (False), or lines and footer marked.
bool EsitoVerifica(const vb::Variant& esito, int32_t plErr, const std::string& psErr, bool& pbRigheCambiate,
                   bool& pbPiede) {
  if (esito.ToLong() != 0) {
    MostraErrSpese(plErr, psErr);
    return false;
  }
  pbRigheCambiate = true;
  pbPiede = true;
  return true;
}

std::string Literale(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }

// The codes the DDT holds already stay out of what is appended to a new
// DDT: a standard expense that is also the customer's, the pension fund's
// or the payment's charge is charged once.
std::string SenzaPresenti(const std::string& psFiltro, int16_t piAnno, int32_t plNumRif) {
  return psFiltro + " And Spesa Not In (Select Spesa From " + G().gsTabSpese +
         " Where Anno = " + FC().ValoreSql(vb::Variant(piAnno), vb::vbInteger) +
         " And NumRif = " + FC().ValoreSql(vb::Variant(static_cast<int>(plNumRif)), vb::vbLong) + ")";
}

}  // namespace

// The bank charge of the payment terms, old values against new; the
// customers' own flag decides whether each side is charged.
bool frmDdtTest::VerAggCambioSpesePag(bool& pbRigheCambiate, bool& pbPiede) {
  if (!mbVerSpesePag) return true;
  int32_t err = 0;
  std::string testo;
  const vb::Variant esito = AggSpeBan::VerifSpeseBanPag(
      G().gsTabSpese, AnnoDdt(*this), NumRifDdt(*this), msSegnoDocPrec, msSegnoDoc, msClientePrec, txt(80).Text(),
      msPagamentoPrec, txt(220).Text(), msMonetaPrec, txt(400).Text(), txt(270).Text(), err, testo);
  return EsitoVerifica(esito, err, testo, pbRigheCambiate, pbPiede);
}

// The stamp duty of the payment terms: the header's check box says whether
// the customer pays it, and the row keeps the expense's own VAT code.
bool frmDdtTest::VerAggCambioSpesePerc(bool& pbRigheCambiate, bool& pbPiede) {
  if (!mbVerSpesePerc) return true;
  const std::string bolli = Esiste("che", 430) && C("che", 430).Value() == 1 ? "S" : "N";
  int32_t err = 0;
  std::string testo;
  const vb::Variant esito = AggSpeBan::VerifSpeseBolli(
      G().gsTabSpese, AnnoDdt(*this), NumRifDdt(*this), msSegnoDocPrec, msSegnoDoc, msClientePrec, txt(80).Text(),
      msPagamentoPrec, txt(220).Text(), msMonetaPrec, txt(400).Text(), "", err, testo,
      vb::Variant(msAddebitoBolliPrec), vb::Variant(bolli));
  return EsitoVerifica(esito, err, testo, pbRigheCambiate, pbPiede);
}

// The customer's fixed expense after a change of customer, and the pension
// fund's expense while the DDT holds none.
bool frmDdtTest::AggSpesaClie(bool& pbRigheCambiate, bool& pbPiede) {
  bool cambiate = false;
  const int16_t anno = AnnoDdt(*this);
  const int32_t numRif = NumRifDdt(*this);
  const std::string moneta = txt(400).Text(), iva = txt(270).Text();
  int32_t err = 0;
  std::string testo;
  if (!vb::UgualeTesto(msSpesaCli, msSpesaCliPrec) && mbSpesaClieAutom) {
    const long esito = AggSpeBan::SostSpesaDoc(G().gsTabSpese, anno, numRif, msSpesaCliPrec, msSpesaCli,
                                               msSegnoDocPrec, msSegnoDoc, moneta, iva, err, testo)
                           .ToLong();
    if (esito > 0) {
      MostraErrSpese(err, testo);
      return false;
    }
    if (esito < 0) cambiate = true;
  }
  msSpesaCliPrec = msSpesaCli;
  if (!AggSpeBan::EsisteCassaPrev(G().gsTabSpese, anno, numRif).ToBool()) {
    const std::string cassa = servizi::Testo(servizi::ParamDitta("CauCon.SpesaCassaPrev"));
    if (!FC().Vuoto(vb::Variant(cassa))) {
      const long esito = AggSpeBan::SostSpesaDoc(G().gsTabSpese, anno, numRif, cassa, mbCassaPrev ? cassa : "",
                                                 msSegnoDocPrec, msSegnoDoc, moneta, iva, err, testo)
                             .ToLong();
      if (esito > 0) {
        MostraErrSpese(err, testo);
        return false;
      }
      if (esito < 0) cambiate = true;
    }
  }
  if (cambiate) {
    pbRigheCambiate = true;
    pbPiede = true;
  }
  return true;
}

// The expenses of a DDT just stored for the first time: the standard ones,
// the pension fund's for a subject customer, the customer's own. Each call
// reports its own failure and the next still runs.
bool frmDdtTest::AggSpeseStandard(bool& pbPiede) {
  bool ok = true;
  const int16_t anno = AnnoDdt(*this);
  const int32_t numRif = NumRifDdt(*this);
  const std::string moneta = txt(400).Text(), iva = txt(270).Text();
  auto inserisci = [&](const std::string& filtro) {
    int32_t err = 0;
    std::string testo;
    const vb::Variant esito = AggSpeBan::InsSpeseStandard(G().gsTabSpese, anno, numRif, msSegnoDoc, moneta, iva,
                                                          pbPiede, err, testo, SenzaPresenti(filtro, anno, numRif));
    if (esito.ToLong() != 0) {
      MostraErrSpese(err, testo);
      ok = false;
    }
  };
  inserisci(" Where Standard = 'S'");
  const std::string cassa = servizi::Testo(servizi::ParamDitta("CauCon.SpesaCassaPrev"));
  if (!FC().Vuoto(vb::Variant(cassa)) && mbCassaPrev) inserisci(" Where Spesa = " + Literale(cassa));
  if (mbSpesaClieAutom && !FC().Vuoto(vb::Variant(msSpesaCli))) inserisci(" Where Spesa = " + Literale(msSpesaCli));
  return ok;
}

void frmDdtTest::GestSpese() {
  if (InVar()) {
    frmMsgCom::msgCom("Salvare la testata prima di passare alla gestione Spese", "&Ok", vb::Missing, vb::Missing,
                      vb::Missing, 80, false, 600, vb::Missing, 1);
    return;
  }
  if (oiInDett > 0) return;
  const Globali& g = G();
  const auto& fc = FC();
  // The DDT stays locked under the lock module's own key while its
  // expenses are open: DopoGestSpese releases it.
  std::string chiave = "Standard", utente, varie, gestione = vb::Trim(g.gsTipoDoc);
  int16_t nuovo = -1;
  if (ComLock::BloccaDoc("S", g.gsTipoDoc, AnnoDdt(*this), NumRifDdt(*this), nuovo, -1, chiave, "Il DDT", utente,
                         gestione, varie) != ComLock::kBloccoPreso)
    return;
  frmSpeseDoc& s = FrmSpeseDoc();
  s.ofrmTest = this;
  s.osCaption = " DDT";
  s.osKeyAttivazione = vb::Trim(fc.LeggiSwitch(g.gsRigaComando, "F"));
  s.osParam = osParam;
  s.osAnnoRif = txt(20).Text();
  s.osNumRif = txt(10).Text();
  s.osIvaTest = txt(270).Text();
  s.osMoneta = txt(400).Text();
  s.osSpesa = msSpesaCli;
  s.oiNumDecMon = miNumDecMon;
  s.osNumDecMon = fc.MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^");
  s.osSoggRitAcc = fc.ValDouble(vb::Variant(txt(275).Text()), true, true) > 0 ? "S" : "N";
  oiInDett = 2;
  SetEnabled(false);
  s.SetosKeySec(msKeySec);
  s.TabellaStd(g.gsTabSpese, "", 1, true, false);
  if (s.oiLoadOk() != 1) {
    // The window did not load and has told why: the DDT goes back to the
    // user untouched, neither recomputed nor saved.
    if (s.Caricata()) s.Unload();
    SetEnabled(true);
    ComLock::SbloccaDoc(nullptr, -1);
    oiInDett = -1;
    return;
  }
  s.osKeyLancia = osKeyLancia;
  s.osKeySecLancia = osKeySecLancia;
  s.osParamLancia = osParamLancia;
  // The list print belongs to the print dialogs, not here yet: the list
  // commands say so.
  s.ogComlin().FormStampa(nullptr);
  s.ogComlin().FormStampaInCorso(nullptr);
  s.SetoiAbilRW(vb::UgualeTesto(txt(110).Text(), "E") ? int16_t(0) : oiAbilRW);
}

void frmDdtTest::DopoGestSpese() {
  SetEnabled(true);
  Show();
  olPosDett = -1;
  if (!vb::UgualeTesto(txt(110).Text(), "E") && AggPiede(false)) ButtonComando("Salva");
  ComLock::SbloccaDoc(nullptr, -1);
  ui::Screen().MousePointer = 0;
  if (!mbScaricato)
    if (ui::Controllo* t = Trova("timComPag")) t->SetEnabled(true);
  oiInDett = -1;
}

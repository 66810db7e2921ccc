// The after-hooks of the line page. They never stop an operation: they
// keep the window in step with what the page has just done (defaults of a
// new line, the line shown, the buttons of the page state, the totals,
// the numbers after a delete, the deferred level or lot rows).
#include <algorithm>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Tipo(const std::string& psTipo, const char* psCodice) { return vb::UgualeTesto(vb::Trim(psTipo), psCodice); }

// Runs a step whose failure must not stop the ones after it.
template <class F>
void Ignora(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

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

// ------------------------------------------------------------ code 4

void frmDDTDett::DopoAnnulla(vb::Variant& pvRit) {
  (void)pvRit;
  txt(10).SetBackColor(G().glColoreSfondo);
}

// ------------------------------------------------------------ code 7

void frmDDTDett::DopoCambioStato(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvRit;
  if (pvArray.empty()) vb::Solleva(9, "Indice non compreso nell'intervallo");
  const int stato = static_cast<int>(pvArray[0].ToInt());
  auto& p = ogLinPag();

  if (stato != 2) {
    miRigaIns = 0;
    mbInsInMezzo = false;
    p.ImpInsPosizione(0);
    p.ImpPosInserimento(-1);
    p.ImpRigaInserimento(-1);
    // The form's own tab order again.
    OrdInsRipristina();
  } else {
    // The personal entry order at the head of the tab order, the focus on
    // its first field (the page's start field without one).
    OrdInsNuovaRiga();
  }

  // The buttons of the state; errors past the focus are ignored.
  Ignora([&] {
    ui::Controllo& tol = tolLinPag();
    auto abil = [&](const char* k, bool v) {
      if (tol.HaElem(k)) tol.Elem(k).Enabled = v;
    };
    if (stato == 1) {
      abil("Copia", true);
      abil("Taglia", true);
      abil("Inserisci", true);
      abil("Incolla", miCopiaTaglia != 0);
      abil("Tracc", Tipo(txt(18).Text(), "A") && tol.HaElem("Tracc") && tol.Elem("Tracc").Visible);
    } else {
      abil("Inserisci", stato == 2);
      for (const char* k : {"Copia", "Taglia", "Incolla", "Tracc"}) abil(k, false);
    }
    const int ora = p.Stato();
    if (ora == 2 || (ora == 1 && (!osLivGruppo1.empty() || !osLivGruppo2.empty()))) {
      AbilLivelliCrea();
      abil("Livelli", true);
    } else {
      abil("LivelliCrea", false);
      abil("Livelli", false);
    }
    tol.ElementoCambiato();
  });
}

// ------------------------------------------------------------ code 8

void frmDDTDett::DopoNuovo(vb::Variant& pvRit) {
  (void)pvRit;
  auto& p = ogLinPag();
  if (Fc().Vuoto(vb::Variant(osStato))) {
    txt(18).SetText("A");
  } else {
    // On a printed or evaded DDT only descriptive lines may be added.
    txt(18).SetText("D");
    txt(100).SetText("");
    txt(160).SetText("");
    txt(410).SetText("S");
    if (p.HaCampo("CentroDiCosto")) p.Campi("CentroDiCosto").oiObblig = 0;
  }
  if (Esiste("lab", 195)) lab(195).SetCaption("");
  mvDesLunga = std::string();
  if (osDoveStampoDesLung == "3" || osDoveStampoDesLung == "4") txt(400).SetText("0");
  msCdcObblig.clear();
  AggNonText();
  VisualDettDescr(true);
  AbilDescArt(true);
  miArtMostrato = -1;
  for (int n : {20, 26, 23})
    if (Esiste("label1", n)) label1(n).SetVisible(false);
  AbilDisabArtRiepil(true);
  // A new line is typed from the start of its page, also after a line taken
  // from another document (whose entry began at the quantity): the focus
  // the page gives it next stays on the article, which a hop to the
  // quantity would leave, making the untouched line a manual one.
  p.CtrlSecondoCampo(Tipo(txt(18).Text(), "D") ? txt(425) : txt(20));
  msPercProvvArt1.clear();
  msPercProvvArt2.clear();
  msCauzioneArt.clear();
  mbCodBarSalvato = false;
}

// ------------------------------------------------------------ code 10

void frmDDTDett::DopoSalva(vb::Variant& pvRit) {
  if (!pvRit.IsString() || !pvRit.ToString().empty()) return;
  const auto& fc = Fc();
  if (!txt(21).Text().empty() && !txt(22).Text().empty() && !mbAggLivelli) SalDatiLiv();
  if (miStatoRaee >= 2) mlRigLivRaee = fc.ValLong(vb::Variant(lab(15).Caption()), true, true);
  if (mbRinumera) {
    mbRinumera = false;
    int32_t riga = -1;
    Ignora([&] { AggVisRighe(riga); });
    Ignora([&] { RenumRighe(ogLinPag().OggDati(), ogLinPag().ChiaveDati(), masNomeCampo[10], 1); });
    miNoEventiGriglia = 0;
    riga = -1;
    Ignora([&] { AggVisRighe(riga); });
  }
}

// ------------------------------------------------------------ code 13

void frmDDTDett::DopoScrivi(vb::Variant& pvRit) {
  (void)pvRit;
  const Globali& g = G();
  const auto& fc = Fc();
  auto& p = ogLinPag();
  // The row as written: the old amount goes in every case (a line that
  // stops counting takes it off), the new one only when the row counts.
  double val = 0, qta = 0;
  if (RigaContata(CampoRigaPag("TipoRiga"), CampoRigaPag("Omaggio"))) {
    val = fc.ValDouble(CampoRigaPag("ValTotale"), true);
    qta = fc.ValDouble(CampoRigaPag("Qta"), true);
  }
  const double prec = mdValTotalePrec, qtaPrec = mdQtaPrec;
  mdValTotalePrec = 0;
  mdQtaPrec = 0;
  AggTotaliDiff(val - prec, qta - qtaPrec);

  const bool nuova = p.Stato() == 2;
  if (!((!mbAggLivelli && txt(21).Text().empty() && C("picLivelli").Visible()) || nuova)) return;
  const std::string liv2 = txt(22).Text();
  const bool livelli = vb::UgualeTesto(g.gsGesTaglie, "S") && (!osLivGruppo1.empty() || !osLivGruppo2.empty()) &&
                       (oiLivelliCrea != 0 || (txt(21).Text().empty() && (liv2.empty() || liv2 == "~ç~")));
  if (livelli) {
    if (p.PosInserimento() > 0) {
      mlInsPosizSalv = static_cast<int32_t>(p.PosInserimento());
      miInsRigaSalv = static_cast<int16_t>(p.RigaInserimento());
      p.ImpPosInserimento(-1);
      p.ImpInsPosizione(0);
      p.ImpRigaInserimento(-1);
    }
    if (!nuova) oiLivelliCrea = -2;
    ArmaTimer(1);
  } else if (vb::UgualeTesto(msGestRintraccia, "O")) {
    ArmaTimer(8);
  }
}

// ------------------------------------------------------------ code 16

void frmDDTDett::DopoMostra(vb::Variant& pvRit) {
  (void)pvRit;
  auto& p = ogLinPag();
  // A line just put on screen has its article not yet shown, and a save
  // after a barcode may run again for it. The display of a stored article
  // line below shows its article: leaving that code unchanged then keeps
  // the stored price, unit, VAT and discounts instead of taking the
  // article's defaults again.
  miArtMostrato = -1;
  mbCodBarSalvato = false;
  osLivGruppo1.clear();
  osLivGruppo2.clear();
  NascondiPicLiv();
  AggNonText();
  msArtRaeeRiga.clear();
  const std::string tipo = txt(18).Text();
  auto obbligCdc = [&](int v) {
    if (p.HaCampo("CentroDiCosto")) p.Campi("CentroDiCosto").oiObblig = v;
  };
  if (Tipo(tipo, "A") || Tipo(tipo, "M")) {
    if (p.Stato() != 2) {
      MostraIva(false);
      MostraArticolo(false, false, false, true);
      MostraUM(false);
      MostraCRicavi(false, false, "");
      MostraCentroDiCosto(false);
      MostraBeneUsato();
      MostraScontoTot(false, false);
      MostraTipoDocProv(false);
      msArtRaeeRiga = msArtRaee;
      AziendaUtil::DecodCodice("Contratti", txt(830), Esiste("lab", 830) ? &lab(830) : nullptr, {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                               0, "", nullptr, 0, &dbgRiga());
    }
    if (!lab(540).Caption().empty()) {
      AbilDisabArtRiepil(false);
      p.CtrlSecondoCampo(txt(30));
    } else {
      AbilDisabArtRiepil(true);
      p.CtrlSecondoCampo(txt(20));
    }
  } else if (!Tipo(tipo, "D")) {
    p.CtrlSecondoCampo(cob(900));
    obbligCdc(0);
  } else {
    p.CtrlSecondoCampo(txt(425));
    ui::Controllo& tol = tolLinPag();
    for (const char* k : {"LivelliCrea", "Livelli"})
      if (tol.HaElem(k)) tol.Elem(k).Enabled = false;
    tol.ElementoCambiato();
    obbligCdc(0);
  }
  DisabSeLivelli(false, true);
  auto pagina = [](const std::string& t) { return Tipo(t, "D") || Tipo(t, "C"); };
  VisualDettDescr(!vb::UgualeTesto(tipo, msTipoRigaPrec) && (pagina(tipo) || pagina(msTipoRigaPrec)));
  msTipoRigaPrec = tipo;
}

// ------------------------------------------------------------ code 17

void frmDDTDett::DopoCancSel(vb::Variant& pvRit) {
  if (!pvRit.IsString() || !pvRit.ToString().empty()) return;
  if (miRigaCanc > 0) {
    int32_t banda = 10000;
    SpostaRighe(masNomeCampo[10], G().gsTabDettApp, miRigaCanc, -1, banda);
    miRigaCanc = 0;
  } else {
    RenumRighe(ogLinPag().OggDati(), ogLinPag().ChiaveDati(), masNomeCampo[10], 1);
  }
}

// The exit hub of the line fields: what leaving each field checks, the
// message it leaves in the status bar and the recalculation it starts. The
// same handler runs when the user leaves a field and when a procedure that
// filled a field by program asks for its consequences.
#include <cmath>
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "lots/UtilLotto.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

using namespace DettUtil;

namespace {

bool Numerico(int n) { return n == 30 || n == 60 || n == 70 || n == 180 || n == 190; }
bool Dimensione(int n) { return n == 250 || n == 260 || n == 270 || n == 800 || n == 810 || n == 820; }
int Gemello(int n) { return n < 800 ? n + 550 : n - 550; }

}  // namespace

// ---- small helpers of the hub

void frmDDTDett::TracciaCampi(const std::string& psVoce) {
  if (mpTracciaCampi) mpTracciaCampi->push_back(psVoce);
}

bool frmDDTDett::ArticoloValido() const { return txt(20).BackColor() != G().glColoreErrore; }

std::string frmDDTDett::TestoPannello() const {
  if (!Esiste("staMessaggi")) return {};
  ui::Controllo& s = C("staMessaggi");
  return s.HaElem("Messaggio") ? s.Elem("Messaggio").Caption : std::string();
}

std::string frmDDTDett::TestoCampoNum(int piIndice, double pdValore) const {
  if (!std::isfinite(pdValore)) vb::Solleva(vb::ErrOverflow, "Overflow");
  std::string maschera;
  const std::string& col = NomeCampo(piIndice);
  if (mpLinPag && !col.empty() && mpLinPag->HaCampo(col)) maschera = mpLinPag->Campi(col).osMaschera;
  if (maschera.empty()) return FC().MascheraNum(vb::Variant(pdValore), 0, {}, false, "#,##0");
  return FC().Formatta(vb::Variant(pdValore), maschera);
}

// ---- the hub

void frmDDTDett::txt_LostFocus(int Index) {
  if (mbInChiusura) return;
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  try {
    UscitaCampo(Index);
  } catch (...) {
    // A decoder, a search or an overflow that fails is told to the user and
    // leaves the field to be looked at again: the event itself never fails.
    MostraErrore(std::current_exception());
    SenzaErrori([&] {
      if (!mbInChiusura && Esiste("txt", Index)) txt(Index).SetBackColor(G().glColoreErrore);
    });
  }
}

void frmDDTDett::CampoDaCodice(int piIndice, const std::string& psTesto) {
  if (!ValidoIndice(piIndice) || !Esiste("txt", piIndice)) return;
  ui::Controllo& t = txt(piIndice);
  masValIngresso[static_cast<size_t>(piIndice)] =
      t.BackColor() == G().glColoreErrore ? std::string(kInErrore) : t.Text();
  t.SetText(psTesto);
  txt_LostFocus(piIndice);
}

void frmDDTDett::UscitaCampo(int Index) {
  const Globali& g = G();
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  MsgPannello("");
  const std::string ingresso = masValIngresso[static_cast<size_t>(Index)];
  const std::string& col = NomeCampo(Index);
  const bool legato = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
  auto inErrore = [&](const ui::Controllo& c) { return c.BackColor() == g.glColoreErrore; };
  // The check and format of the page, or of the utility object for a
  // dimension shown on the other page while quantities come from them.
  auto controllaNumero = [&] {
    if (Dimensione(Index) && (Index >= 800 ? mbQtaDaDimen : !legato)) {
      const std::string& colGemello = NomeCampo(Gemello(Index));
      std::string maschera = "#,###.####";
      if (HaPagina() && !colGemello.empty() && ogLinPag().HaCampo(colGemello))
        maschera = ogLinPag().Campi(colGemello).osMaschera;
      vb::FunzioniComuniUi::EsceCampo(t, 5, maschera);
    } else if (legato) {
      ogLinPag().CampoLostFocus(col, col);
    }
  };

  // Unchanged, with the article not in error: only the format. The article
  // and the packages always run their step.
  if (t.Text() == ingresso && ArticoloValido() && Index != 20 && Index != 40) {
    if (Numerico(Index) || Dimensione(Index)) controllaNumero();
    else if (Index == 160) t.SetText(FC().Formatta(vb::Variant(t.Text()), "Conto"));
    return;
  }
  const bool cambiato = !Uguale(t.Text(), ingresso);

  switch (Index) {
    case 20:
      UscitaArticolo(cambiato);
      break;
    case 21:
    case 22: {
      if (cambiato) {
        TracciaCampi("MostraDispGiac");
        MostraDispGiac();
        TracciaCampi("CercaListino");
        CercaListino();
        TracciaCampi("ElaboraSconti(1,1,1,0)");
        ElaboraSconti(true, true, true, false);
        TracciaCampi("LivQtaDef");
        LivQtaDef();
        TracciaCampi("CalcPrezzo(1)");
        CalcPrezzo(1);
      }
      TracciaCampi("DecodCodice(Livello)");
      AziendaUtil::DecodCodice("Livello", t, &lab(Index), {aiuti::ChiaveAgg(txt(20)), aiuti::ChiaveAgg(Index == 21 ? 1 : 2)},
                               0, 0, "", nullptr, "", "", 0, vb::Missing, -1, -1);
      if (Index == 22 && inErrore(t)) MsgPannello("Codice Livello non valido");
      break;
    }
    case 26: {
      const bool articolo = !Vuoto(txt(20).Text());
      if (articolo) {
        TracciaCampi("AbilDescArt(0)");
        AbilDescArt(false);
      }
      label1(23).SetVisible(false);
      TracciaCampi("ArtDescrToApp");
      if (ArtDescrToApp()) {
        txt(23).SetText(t.Text());
        if (articolo) label1(23).SetVisible(true);
      } else {
        txt(23).SetText("");
      }
      break;
    }
    case 30:
    case 60:
    case 70:
      UscitaNumero(Index, cambiato);
      break;
    case 40:
      UscitaColli();
      break;
    case 80:
      TracciaCampi("MostraScontoTot(1,1)");
      MostraScontoTot(true, true);
      break;
    case 90:
    case 100:
    case 110:
    case 120:
      TracciaCampi("CalcScontoTot(1)");
      CalcScontoTot(true);
      break;
    case 130:
      if (cambiato || inErrore(t)) {
        TracciaCampi("MostraIva(1)");
        MostraIva(true);
      }
      break;
    case 140: {
      TracciaCampi("MostraUM(1)");
      MostraUM(true);
      if (inErrore(t)) {
        MsgPannello("Codice Unità di Misura non valido");
        break;
      }
      if (cambiato) {
        ui::Controllo& fattore = txt(150);
        masValIngresso[150] = fattore.Text();
        const std::string um = t.Text();
        if (Uguale(um, msArtUMVen)) fattore.SetText(msFatConVen);
        else if (Uguale(um, msArtUMAcq)) fattore.SetText(msFatConAcq);
        else if (Uguale(um, msArtUM)) fattore.SetText("1");
        else fattore.SetText("");
      }
      if (mbQtaDaDimen) {
        TracciaCampi("CalcQtaDaDimens");
        CalcQtaDaDimens();
      }
      break;
    }
    case 160: {
      const bool trattino = t.Text().find('-') != std::string::npos;
      t.SetBackColor(trattino ? g.glColoreErrore : g.glColoreSfondo);
      if (trattino) MsgPannello("Non usare - nel campo conto");
      const std::string scritto = t.Text();
      t.SetText(FC().Formatta(vb::Variant(scritto), "Conto"));
      TracciaCampi("MostraCRicavi(1,1," + scritto + ")");
      MostraCRicavi(true, true, scritto);
      // The decoder paints an account it finds in the normal colour: the
      // hyphens typed keep the field marked all the same.
      if (trattino) t.SetBackColor(g.glColoreErrore);
      break;
    }
    case 165:
      TracciaCampi("MostraCentroDiCosto(1)");
      MostraCentroDiCosto(true);
      break;
    case 180:
    case 190:
      controllaNumero();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      break;
    case 195:
      TracciaCampi("MostraBeneUsato");
      MostraBeneUsato();
      break;
    case 250:
    case 260:
    case 270:
    case 800:
    case 810:
    case 820: {
      controllaNumero();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      txt(Gemello(Index)).SetText(t.Text());
      if (mbQtaDaDimen) {
        TracciaCampi("CalcQtaDaDimens");
        CalcQtaDaDimens();
      }
      break;
    }
    case 420:
    case 440: {
      const int nModo = Index == 420 ? 410 : 430;
      ui::Controllo& modo = txt(nModo);
      const std::string& def = Index == 420 ? msDoveStampoSopra : msDoveStampoSotto;
      if (!Vuoto(t.Text()) && Uguale(vb::Trim(modo.Text()), "N") && !Vuoto(def)) {
        // The list first: its choice writes the code it shows into the
        // field, and a default it does not list must stay there all the same.
        FunVarie::PosizCombo(cob(nModo), vb::Variant(def), Vettore(mavStampaNota), true, true);
        modo.SetText(def);
      }
      break;
    }
    case 425:
    case 910:
      // Both kinds of line keep their text in the note above.
      txt(420).SetText(t.Text());
      break;
    case 830:
      TracciaCampi("DecodCodice(Contratti)");
      AziendaUtil::DecodCodice("Contratti", t, Esiste("lab", 830) ? &lab(830) : nullptr, {}, 0, 0, "", nullptr, "",
                               "", 0, vb::Missing, -1, -1, "", nullptr, -1, &dbgRiga());
      break;
    default:
      break;
  }
}

void frmDDTDett::UscitaArticolo(bool pbCambiato) {
  const Globali& g = G();
  ui::Controllo& t = txt(20);
  std::string ingresso = masValIngresso[20];
  // Without its page (before the load has made it) the line is no stored one.
  const int stato = HaPagina() ? ogLinPag().Stato() : 0;
  if (stato == 1) {
    // A field entered in error has no code to compare with: the stored one
    // of the line stands for it.
    if (ingresso == kInErrore) {
      const vb::Variant salvato = CampoRigaPag("Articolo");
      ingresso = servizi::Testo(salvato);
    }
    std::string gruppo, mastro, conto, lotto;
    int16_t nrProg = 0;
    if (UtilLotto::CercaLottoRiga(ingresso, t.Text(), g.gsTabRintracciaApp, FC().ValInt(vb::Variant(txt(600).Text())),
                                  FC().ValLong(vb::Variant(txt(610).Text())), gruppo, mastro, conto, lotto, nrProg,
                                  FC().ValLong(vb::Variant(lab(15).Caption())))) {
      std::string testo = "In questa riga è stato inserito il lotto del fornitore " + gruppo + "-" + mastro + "-" +
                          conto + "\r\nCodice lotto: " + lotto;
      if (nrProg > 1) testo += " nr. " + std::to_string(nrProg);
      testo += " e non è quindi possibile cambiare il codice articolo";
      frmMsgCom::msgCom(testo, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
      MsgPannello("Non cambiabile Articolo con lotto");
      t.SetText(ingresso);
      return;
    }
  }

  const bool inErrore = !ArticoloValido();
  if (miArtMostrato != 1 || inErrore || (vb::Trim(t.Text()).empty() && !txt(26).Enabled() && Enabled()) ||
      pbCambiato) {
    TracciaCampi(std::string("MostraArticolo(1,") + (mbArtDaAiuto ? "1" : "0") + ",1," + (pbCambiato ? "1" : "0") +
                 ")");
    MostraArticolo(true, mbArtDaAiuto, true, pbCambiato);
  } else {
    TracciaCampi("DisabSeLivelli(1,1)");
    DisabSeLivelli(true, true);
  }

  // Typing a new code and leaving for the description goes on to the
  // levels, or to the quantity.
  if (pbCambiato && !Vuoto(t.Text()) && ActiveControl() == &txt(26))
    mainDdt::DaiFocus(C("picLivelli").Visible() ? txt(21) : txt(30));

  if (!ArticoloValido() && !Uguale(vb::Left(TestoPannello(), 8), "Articolo")) MsgPannello("Codice Articolo non valido");

  // A barcode read on a new line with its price stores the line at once.
  if (HaPagina() && ogLinPag().Stato() == 2 && g.giKeyRicDdt == 1 && obCodBarLostFocusSalva && !mbCodBarSalvato &&
      !FC().Vuoto(vb::Variant(txt(60).Text()), vb::vbDate) && ArticoloValido()) {
    mbCodBarSalvato = true;
    TracciaCampi("ButtonComando(Salva)");
    ButtonComando("Salva");
  }
}

void frmDDTDett::UscitaNumero(int Index, bool pbCambiato) {
  ui::Controllo& t = txt(Index);
  const std::string articolo = vb::Trim(txt(20).Text());
  if (Index == 30 && pbCambiato) {
    if (!articolo.empty() && !Uguale(vb::Trim(txt(175).Text()), "S")) {
      TracciaCampi("RicScontoQta");
      if (UtilDocFattGest::RicScontoQta(articolo, vb::Variant(t.Text()), osMoneta, odQtaPrezzo, osModScontoQta,
                                        osScontoQta, txt(120).Text(), osIntTipo, osIntest, osCategoria, osArtGruppo,
                                        osArtSottoGru, osTabSconti, mdPercRidProvvQta)) {
        TracciaCampi("ElaboraSconti(1,0,0,0)");
        ElaboraSconti(true, false, false, false);
      }
    }
    // The packages follow the quantity while nobody filled them.
    const double pezzi = FC().ValDouble(vb::Variant(lab(50).Caption()));
    if (pezzi > 0 && !mbQtaDaDimen && Vuoto(txt(40).Text())) {
      const double colli = FC().Arrotonda(vb::Variant(FC().ValDouble(vb::Variant(t.Text())) / pezzi), "S", 1,
                                          obColliDec ? std::optional<int>(-2) : std::nullopt);
      txt(40).SetText(TestoCampoNum(40, colli));
    }
    if (Uguale(msSegnSottoScorta, "S") && !articolo.empty() && ArticoloValido()) {
      TracciaCampi("MostraDispGiac");
      MostraDispGiac();
    }
  }
  const std::string& col = NomeCampo(Index);
  if (HaPagina() && !col.empty() && ogLinPag().HaCampo(col)) ogLinPag().CampoLostFocus(col, col);
  if (t.BackColor() == G().glColoreErrore) {
    MsgPannello("Campo numerico: valore non valido");
    return;
  }
  if (!pbCambiato) return;
  if (Index == 30) {
    if (FC().ValDouble(vb::Variant(t.Text())) != 0) {
      TracciaCampi("CalcPrezzo(0)");
      CalcPrezzo(0);
    }
  } else {
    TracciaCampi(Index == 60 ? "CalcPrezzo(1)" : "CalcPrezzo(2)");
    CalcPrezzo(Index == 60 ? 1 : 2);
  }
}

void frmDDTDett::UscitaColli() {
  ui::Controllo& t = txt(40);
  const std::string& col = NomeCampo(40);
  if (HaPagina() && !col.empty() && ogLinPag().HaCampo(col)) ogLinPag().CampoLostFocus(col, col);
  if (t.BackColor() == G().glColoreErrore) {
    MsgPannello("Campo numerico: valore non valido");
    return;
  }
  const std::string ingresso = masValIngresso[40];
  const double pezzi = FC().ValDouble(vb::Variant(lab(50).Caption()));
  if (pezzi > 0 && !mbQtaDaDimen) {
    // The quantity follows the packages only while it is still the one the
    // old packages gave (or none): a quantity typed otherwise stays.
    const double vecchia =
        FC().ValDouble(vb::Variant(TestoCampoNum(30, FC().ValDouble(vb::Variant(ingresso)) * pezzi)));
    const double qta = FC().ValDouble(vb::Variant(txt(30).Text()));
    if (FunVarie::ArrotConfronta(vb::Variant(qta), vb::Variant(vecchia), -8) == 0 || qta == 0) {
      const std::string nuova = TestoCampoNum(30, FC().ValDouble(vb::Variant(t.Text())) * pezzi);
      masValIngresso[30] = txt(30).Text();
      txt(30).SetText(nuova);
      txt_LostFocus(30);
    }
  }
  if (t.Text() != ingresso && mbQtaDaDimen) {
    TracciaCampi("CalcQtaDaDimens");
    CalcQtaDaDimens();
  }
}

// ---- the field holding the focus, for the grid and the timer

void frmDDTDett::LostTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    msCtrlAttivo = a ? a->Name() : std::string();
    if (a && Uguale(a->Name(), "txt")) txt_LostFocus(a->Index());
  });
}

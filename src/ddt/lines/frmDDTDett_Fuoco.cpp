// Field entry, function keys and look-ups of the line fields. Entering a
// field prepares it for editing and remembers what it held, which its exit
// compares against; F2 to F7 open the look-ups of the coded fields and give
// the unit price its own commands.
#include <cmath>
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

using namespace DettUtil;

namespace {

constexpr int kF2 = 113, kF3 = 114, kF4 = 115, kF7 = 118;

aiuti::RisultatoAiuti& Risultato() {
  if (!G().goZelAiuto) vb::Solleva(vb::ErrOggettoNonImpostato, "Libreria degli aiuti non inizializzata");
  return G().goZelAiuto->Risultato();
}

}  // namespace

// ---- entry

void frmDDTDett::txt_GotFocus(int Index) {
  if (mbInChiusura) return;
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  try {
    ui::Controllo& t = txt(Index);
    const std::string& col = NomeCampo(Index);
    const bool legato = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
    switch (Index) {
      case 20:
        TracciaCampi("DisCampiLiv(1)");
        DisCampiLiv(true);
        break;
      case 30: case 40: case 60: case 70: case 150: case 180: case 190:
      case 250: case 260: case 270: case 800: case 810: case 820:
        if (Index >= 800 && mbQtaDaDimen) vb::FunzioniComuniUi::EntraCampo(t, 5);
        else if (legato) ogLinPag().CampoGotFocus(col, col);
        if (Index == 60)
          MsgPannello(std::string("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario") +
                      (mbMostraCostoUltimo ? "; F4=Mostra costo ultimo" : ""));
        break;
      case 160:
        t.SetText(FC().FormatTipo(vb::Variant(t.Text()), "Conto"));
        break;
      case 420: case 440:
        MsgPannello("F7=Inserisce nella nota la descrizione lunga");
        break;
      default:
        break;
    }
    masValIngresso[static_cast<size_t>(Index)] =
        t.BackColor() == G().glColoreErrore ? std::string(kInErrore) : t.Text();
    FunVarie::SelezTesto();
    AziendaUtil::ColoraGotFocus(t, 0);
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDDTDett::GotTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    if (a && Uguale(a->Name(), "txt")) txt_GotFocus(a->Index());
  });
}

// ---- function keys

void frmDDTDett::txt_KeyUp(int Index, int& KeyCode, int Shift) {
  if (KeyCode < kF2 || KeyCode > kF7) return;
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  if (Shift != 0 && Index != 20) return;
  const int16_t tasto = static_cast<int16_t>(KeyCode);
  int16_t scelto = 0;
  try {
    auto aiuto = [&](const char* tipo, int n, const aiuti::ChiaveAgg& agg = {}, int16_t opzione = 0) {
      TracciaCampi(std::string("ApriAiuto(") + tipo + ")");
      AziendaUtil::ApriAiuto(tipo, txt(n), Esiste("lab", n) ? &lab(n) : nullptr, tasto, agg, scelto, "", opzione);
    };
    switch (Index) {
      case 20: {
        if (Shift == 0 && KeyCode > kF4) break;
        // The article look-up is under way until it has closed, whatever
        // happens inside it.
        struct InCorso {
          bool& b;
          explicit InCorso(bool& pb) : b(pb) { b = true; }
          ~InCorso() { b = false; }
        } inCorso(mbArtDaAiuto);
        if (Shift == 0) {
          TracciaCampi("ApriAiuto(Articolo)");
          AziendaUtil::ApriAiuto("Articolo", txt(20), &txt(26), tasto, {}, scelto);
        } else {
          // Shifted: the look-up three keys up, with the addressee and its
          // price list, without pictures.
          Globali& g = G();
          const std::string immagini = g.gsImmaginiArt;
          g.gsImmaginiArt = "N";
          try {
            TracciaCampi("ApriAiuto(Articolo," + std::to_string(tasto + 3) + ")");
            AziendaUtil::ApriAiuto("Articolo", txt(20), &txt(26), static_cast<int16_t>(tasto + 3), {}, scelto,
                                   txt(670).Text() + "^|" + txt(700).Text());
          } catch (...) {
            g.gsImmaginiArt = immagini;
            throw;
          }
          g.gsImmaginiArt = immagini;
        }
        // In barcode mode the field takes what a reader would have given;
        // an article without a barcode keeps its code rather than none.
        if (G().giKeyRicDdt == 1 && scelto != 0) {
          const std::string codBar = vb::Trim(servizi::Testo(Risultato().RetVal("BarCode")));
          if (!codBar.empty()) txt(20).SetText(codBar);
        }
        break;
      }
      case 21:
      case 22:
        aiuto("Livello", Index, {aiuti::ChiaveAgg(txt(20)), aiuti::ChiaveAgg(Index == 21 ? 1 : 2)});
        break;
      case 60:
        if (KeyCode == kF2) {
          txt(70).SetText("");
          TracciaCampi("AzzRicSconto");
          AzzRicSconto();
          TracciaCampi("CercaListino");
          CercaListino();
          TracciaCampi("ElaboraSconti(1,1,1,0)");
          ElaboraSconti(true, true, true, false);
        } else if (KeyCode == kF3) {
          PrezzoDaListini(tasto);
        } else if (KeyCode == kF7) {
          IvaPrezzo();
        } else if (KeyCode == kF4 && mbMostraCostoUltimo && !Vuoto(txt(20).Text())) {
          TracciaCampi("MostraUltCosto");
          AziendaUtil::MostraUltCosto(vb::Trim(txt(20).Text()), FC().ValInt(vb::Variant(txt(600).Text())));
        }
        break;
      case 80:
        if (KeyCode == kF2) {
          TracciaCampi("AzzRicSconto");
          AzzRicSconto();
          TracciaCampi("ElaboraSconti(1,1,1,0)");
          ElaboraSconti(true, true, true, false);
        }
        break;
      case 130:
        aiuto("Iva", 130);
        break;
      case 140:
        aiuto("ArtUm", 140, {}, -1);
        break;
      case 160:
        aiuto("Conto", 160, aiuti::ChiaveAgg("1"), -1);
        break;
      case 165:
        aiuto("CentroDiCosto", 165);
        break;
      case 195:
        aiuto("BeniUsati:BeneUsato", 195);
        break;
      case 220:
        if (KeyCode == kF2 && obRicPartLotti) {
          TracciaCampi("CercaPartita");
          CercaPartita();
        }
        break;
      case 420:
      case 440:
        // The selection (the whole note right after entering it) gives way.
        if (KeyCode == kF7) txt(Index).SetSelText(servizi::Testo(mvDesLunga));
        break;
      case 830:
        aiuto("Contratti", 830, {}, -1);
        break;
      default:
        break;
    }
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

std::string frmDDTDett::TestoPrezzo(double pdValore) const {
  if (!std::isfinite(pdValore)) vb::Solleva(vb::ErrOverflow, "Overflow");
  return FC().MascheraNum(vb::Variant(pdValore), oiNumDecMonGes, {}, false, "#,##0");
}

void frmDDTDett::PrezzoDaListini(int piTasto) {
  const Globali& g = G();
  int16_t scelto = 0;
  TracciaCampi("ApriAiuto(ArtListino)");
  AziendaUtil::ApriAiuto("ArtListino", txt(20), &txt(60), static_cast<int16_t>(piTasto),
                         {aiuti::ChiaveAgg(vb::Missing), aiuti::ChiaveAgg(vb::Missing), aiuti::ChiaveAgg(vb::Missing),
                          aiuti::ChiaveAgg(osDataRif)},
                         scelto);
  if (scelto == 0) return;
  aiuti::RisultatoAiuti& r = Risultato();
  const bool lira = Uguale(osMoneta, g.gsCodLira);
  double prezzo = FC().ValDouble(r.RetVal(lira ? "PrezzoLire" : "Prezzo"));
  // A list kept in euro gives a document in another currency its price at
  // the document's rate, as the price search does.
  if (!lira && !Uguale(osMoneta, g.gsCodEuro))
    prezzo = UtilDocFattGest::PrezzoInMonetaDoc(prezzo, servizi::Testo(r.RetVal("ArtListini.Listino")), osMoneta,
                                                vb::Variant(osCambio),
                                                Vuoto(osMonOper) ? vb::Missing : vb::Variant(osMonOper));
  if (!Uguale(msSettore, "N")) {
    // The zone's amount comes off a list price, never below zero unless
    // the list price itself was negative.
    const ProtSottoForm* testata = Opener();
    const double zona = testata ? (lira ? testata->ZonaScontoLire() : testata->ZonaSconto()) : 0;
    const double netto = prezzo - zona;
    prezzo = prezzo >= 0 ? FC().ValDouble(FC().Massimo({vb::Variant(0.0), vb::Variant(netto)})) : netto;
  }
  std::string testo = TestoPrezzo(prezzo);
  const vb::Variant ivato = r.RetVal("Listino.Ivato");
  if (!ivato.IsNull() && !ivato.IsEmpty() && !Uguale(vb::Trim(servizi::Testo(ivato)), vb::Trim(osPrzIvato))) {
    const double p = FC().ValDouble(vb::Variant(testo));
    const double perc = odPercIva;
    testo = TestoPrezzo(Uguale(osPrzIvato, "S") ? AziendaUtil::AggiungiIva(p, perc, oiNumDecMonGes, "A")
                                                : AziendaUtil::ScorporaIva(p, perc, oiNumDecMonGes));
  }
  txt(60).SetText(testo);
  TracciaCampi("CalcPrezzo(1)");
  CalcPrezzo(1);
}

void frmDDTDett::IvaPrezzo() {
  const double p = FC().ValDouble(vb::Variant(txt(60).Text()));
  const double perc = odPercIva;
  txt(60).SetText(TestoPrezzo(Uguale(osPrzIvato, "S") ? AziendaUtil::AggiungiIva(p, perc, oiNumDecMonGes, "A")
                                                       : AziendaUtil::ScorporaIva(p, perc, oiNumDecMonGes)));
  TracciaCampi("CalcPrezzo(1)");
  CalcPrezzo(1);
}

// ---- look-up buttons and the row counter

void frmDDTDett::ComHlp_Click(int Index) {
  try {
    FunVarie::SimulaTastoCampo(*this, Index, kF2, false);
    // The price and the discounts were read again: their hints and entry
    // values follow.
    if (Index == 60 || Index == 80) txt_GotFocus(Index);
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDDTDett::txtRiga_GotFocus() {
  SenzaErrori([] { FunVarie::SpostaFocus(1); });
}

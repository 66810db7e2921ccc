// The before-hooks of the line page: what changed (0), the field checks of
// a save (3), the save (10), the write of the row (13), a new line (8), the
// deletion of the selection (17) and of each row (19). 0 or empty lets the
// page go on; 1 stops it with the reason in pvRit.
//
// The totals strip is kept by difference between two refreshes: the write
// of a row takes the stored amount off and adds the new one, the deletion
// of a row takes its amount off. Both sides follow the rule of the full
// count (RigaContata), and both read the row itself, so that the strip
// always shows what the next refresh computes.
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Tipo(const std::string& psTipo, const char* psCodice) { return vb::UgualeTesto(vb::Trim(psTipo), psCodice); }

// Puts a flag back when the block ends, also through an error.
class RipristinaFlag {
 public:
  RipristinaFlag(bool& pb, bool pbValore) : b_(pb) { b_ = pbValore; }
  ~RipristinaFlag() { b_ = false; }
  RipristinaFlag(const RipristinaFlag&) = delete;
  RipristinaFlag& operator=(const RipristinaFlag&) = delete;

 private:
  bool& b_;
};

}  // namespace

// ------------------------------------------------------------ shared

bool frmDDTDett::RigaContata(const vb::Variant& pvTipoRiga, const vb::Variant& pvOmaggio) {
  // Compared as the sums' query compares them.
  const std::string tipo = vb::RTrim(servizi::Testo(pvTipoRiga));
  return (tipo == "A" || tipo == "M") && vb::RTrim(servizi::Testo(pvOmaggio)) == "N";
}

void frmDDTDett::AggTotaliDiff(double pdValDiff, double pdQtaDiff) {
  const Globali& g = G();
  const auto& fc = Fc();
  if (pdValDiff != 0) {
    const double merce = fc.ValDouble(vb::Variant(lab(280).Caption()), true) + pdValDiff;
    lab(280).SetCaption(fc.MascheraNum(vb::Variant(merce), oiNumDecMon, {}, false, "#,##^", 0, "", "0"));
    // The other currency converts the total as it is shown.
    double lire = 0, euro = 0, doc = 0;
    AziendaUtil::ConvLireEuro(vb::Variant(fc.ValDouble(vb::Variant(lab(280).Caption()), true)),
                              vb::Variant(fc.ValDouble(vb::Variant(osCambio), true)), vb::Variant(osMonOper),
                              vb::Variant(osMoneta), lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                              vb::Missing, false, false, "E", "E", vb::Variant(int16_t(0)));
    const bool inLire = !vb::UgualeTesto(osMoneta, g.gsCodLira) &&
                        (vb::UgualeTesto(osMoneta, g.gsCodEuro) || !vb::UgualeTesto(g.gsMonetaDitta, g.gsCodEuro));
    lab(275).SetCaption(inLire ? fc.MascheraNum(vb::Variant(lire), g.giNumDecLire, {}, false, "#,###", 0, "", "^")
                               : fc.MascheraNum(vb::Variant(euro), g.giNumDecEuro, {}, false, "#,##^", 0, "", "0"));
  }
  if (pdQtaDiff != 0) {
    const double qta = fc.ValDouble(vb::Variant(lab(285).Caption()), true) + pdQtaDiff;
    lab(285).SetCaption(fc.MascheraNum(vb::Variant(qta), g.giNumDecQtaMag, {}, false, "#,##0", 0, "", "^"));
  }
}

vb::Variant frmDDTDett::CampoRigaPag(const std::string& psColonna) {
  auto& p = ogLinPag();
  dati::Recordset* rs = p.Recordset();
  if (!rs || rs->NessunaCorrente()) return vb::Variant(vb::Null);
  return p.OggDati().LeggiCampo(p.ChiaveDati(), psColonna);
}

void frmDDTDett::MsgStato(const std::string& psTesto) {
  if (!Esiste("staMessaggi") || !C("staMessaggi").HaElem("Messaggio")) return;
  C("staMessaggi").Elem("Messaggio").Caption = psTesto;
  C("staMessaggi").ElementoCambiato();
}

// ------------------------------------------------------------ dispatch

vb::Variant frmDDTDett::PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvArray;
  switch (piOper) {
    case 0:
      return PrimaVarDati(pvRit);
    case 3:
      return PrimaControlli(pvRit);
    case 8:
      return PrimaNuovo(pvRit);
    case 10:
      return PrimaSalva(pvRit);
    case 13:
      return PrimaScrivi(pvRit);
    case 17:
      return PrimaCancSel(pvRit);
    case 19:
      return PrimaCancRiga(pvRit);
    default:
      return int16_t(0);
  }
}

// ------------------------------------------------------------ code 0

vb::Variant frmDDTDett::PrimaVarDati(vb::Variant& pvRit) {
  // A changed level code is a change, though no column holds it.
  if (txt(21).Text() != msLivello1Salvato || txt(22).Text() != msLivello2Salvato) {
    pvRit = std::string("Livelli");
    return int16_t(1);
  }
  // On a printed DDT the description and the notes may change.
  if (mbVerifStampato) {
    pvRit = std::string("N-Descrizione,NotaSopraStamp,NotaSopra,NotaSottoStamp,NotaSotto");
    return int16_t(0);
  }
  return int16_t(0);
}

// ------------------------------------------------------------ code 10

vb::Variant frmDDTDett::PrimaSalva(vb::Variant& pvRit) {
  const auto& fc = Fc();
  const std::string tipo = txt(18).Text();
  const bool descrOComando = Tipo(tipo, "D") || Tipo(tipo, "C");

  if (!fc.Vuoto(vb::Variant(osStato)) && !descrOComando) {
    std::string cambi;
    {
      RipristinaFlag verifica(mbVerifStampato, true);
      cambi = servizi::Testo(ogLinPag().VarDati(-1));
    }
    if (!cambi.empty()) {
      const std::string msg = "DDT già stampato\r\nSi possono modificare soltanto righe descrittive o di comando o la "
                              "descrizione dell'articolo o le note sopra e sotto";
      frmMsgCom::msgCom(msg, "&Ok");
      // The edits go without the page's question; the question comes back
      // whatever the cancel did.
      ogLinPag().ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
      try {
        ButtonComando("Annulla");
      } catch (...) {
        ogLinPag().ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
        throw;
      }
      ogLinPag().ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
      MsgStato(msg);
      return int16_t(1);
    }
  }

  if (fc.ValInt(vb::Variant(txt(10).Text()), false, true) == 0) {
    const std::string r = servizi::Testo(RicUltNum());
    if (!r.empty()) {
      pvRit = r;
      return int16_t(1);
    }
  }

  if (fc.Vuoto(vb::Variant(txt(20).Text()), vb::vbString, 1, false) &&
      fc.Vuoto(vb::Variant(txt(23).Text()), vb::vbString, 1, false) && !descrOComando) {
    frmMsgCom::msgCom("Manca l'articolo o descrizione non compilata", "&Ok");
    if (txt(20).PuoFuoco()) txt(20).SetFocus();
    pvRit = std::string("Articolo");
    return int16_t(1);
  }

  if (obRicPartLotti && Tipo(tipo, "A")) {
    int16_t anno = miAnnoMag;
    std::string articolo = txt(20).Text(), partita = txt(220).Text(), lotto = txt(265).Text();
    const vb::Variant ok = mainDdt::VerifCaricoPartita(anno, articolo, partita, lotto);
    if (!ok.IsEmpty() && !ok.IsNull() && !ok.ToBool()) {
      if (txt(220).PuoFuoco()) txt(220).SetFocus();
      pvRit = std::string("DescPers1");
      return int16_t(1);
    }
  }
  return int16_t(0);
}

// ------------------------------------------------------------ code 3

vb::Variant frmDDTDett::PrimaControlli(vb::Variant& pvRit) {
  const Globali& g = G();
  const auto& fc = Fc();
  const std::string tipo = txt(18).Text();
  auto rifiuta = [&](const std::string& msg, const char* colonna, ui::Controllo* fuoco) {
    frmMsgCom::msgCom(msg, "&Ok");
    MsgStato(msg);
    if (fuoco && fuoco->PuoFuoco()) fuoco->SetFocus();
    pvRit = std::string(colonna);
    return vb::Variant(int16_t(1));
  };
  const std::string liv1 = txt(21).Text(), liv2 = txt(22).Text();
  const bool pannello = C("picLivelli").Visible();

  if (Tipo(tipo, "A")) {
    if (pannello && (txt(21).BackColor() == g.glColoreErrore || txt(22).BackColor() == g.glColoreErrore))
      return rifiuta("Codice livello non valido", "Livelli", nullptr);
    if (pannello && ((liv1.empty() && !msLivello1Salvato.empty()) || (liv2.empty() && !msLivello2Salvato.empty())))
      return rifiuta("Impossibile sbiancare il livello", "Livelli", nullptr);
    if (pannello && ((liv1.empty() && !liv2.empty() && liv2 != "~ç~") || (liv2.empty() && !liv1.empty())))
      return rifiuta("Campi livello compilati parzialmente", "Livelli", nullptr);
    if (!liv1.empty() && !liv2.empty() && fc.ValDouble(vb::Variant(txt(30).Text()), true) == 0)
      return rifiuta("Quantità obbligatoria se convilati i livelli", "Livelli", nullptr);
  }
  if (Tipo(tipo, "A") || Tipo(tipo, "M")) {
    if (vb::UgualeTesto(osRegimeMargine, "S") && Esiste("txt", 195) && fc.Vuoto(vb::Variant(txt(195).Text())))
      return rifiuta("Campo Bene Usato obbligatorio", "BeneUsato", &txt(195));
  } else if (Tipo(tipo, "C")) {
    if (fc.Vuoto(vb::Variant(txt(900).Text())))
      return rifiuta("Non è stato scelto il tipo di comando", "Comando", &cob(900));
    if (vb::UgualeTesto(vb::Trim(txt(900).Text()), "SR")) {
      const std::string par = vb::Trim(txt(910).Text());
      if (par.empty()) return rifiuta("Inserire il numero di righe da saltare", "Comando", &txt(910));
      if (!vb::Variant(par).IsNumeric())
        return rifiuta("Il parametro per questo comando deve essere un numero", "Comando", &txt(910));
    }
  }
  return int16_t(0);
}

// ------------------------------------------------------------ code 13

vb::Variant frmDDTDett::PrimaScrivi(vb::Variant& pvRit) {
  (void)pvRit;
  const Globali& g = G();
  const auto& fc = Fc();
  auto& p = ogLinPag();
  const bool memorizzata = p.Stato() == 1;
  const int16_t anno = fc.ValInt(vb::Variant(txt(600).Text()), false, true);
  const int32_t numRif = fc.ValLong(vb::Variant(txt(610).Text()), true, true);

  // A stored line that takes another article loses the rows that belonged
  // to the old one: its level rows and its serial numbers.
  if (memorizzata &&
      !vb::UgualeTesto(vb::Trim(txt(20).Text()), vb::Trim(servizi::Testo(CampoRigaPag("Articolo"))))) {
    UtilDocFattGest::SvuotaApp(anno, numRif, vb::Missing, vb::Variant(g.gsTabLivApp),
                               vb::Variant(fc.ValLong(vb::Variant(lab(15).Caption()), true, true)), true,
                               vb::Variant(g.gsTabMatrApp));
  }

  // What the row adds to the totals now; the after-hook puts the new
  // amount in its place.
  mdValTotalePrec = 0;
  mdQtaPrec = 0;
  if (memorizzata && RigaContata(CampoRigaPag("TipoRiga"), CampoRigaPag("Omaggio"))) {
    mdValTotalePrec = fc.ValDouble(CampoRigaPag("ValTotale"), true);
    mdQtaPrec = fc.ValDouble(CampoRigaPag("Qta"), true);
  }

  // The eco-fee line that follows an article line.
  if (mbAggLivelli && mbRaeeDaCreare) {
    mdQtaRaee = fc.ValDouble(vb::Variant(txt(30).Text()), true);
    return int16_t(0);
  }
  mdQtaRaee = 0;
  mbRaeeDaCreare = false;
  mlRigLivRaee = 0;
  msArtRaeeDaCreare.clear();
  if (!memorizzata) {
    if (!msArtRaee.empty()) {
      mbRaeeDaCreare = true;
      mdQtaRaee = fc.ValDouble(vb::Variant(txt(30).Text()), true);
      mlRigLivRaee = fc.ValLong(vb::Variant(lab(15).Caption()), true, true) + 1;
      txt(215).SetText(std::to_string(mlRigLivRaee));
      msArtRaeeDaCreare = msArtRaee;
    }
  } else if (!vb::UgualeTesto(msArtRaeeRiga, msArtRaee)) {
    if (!msArtRaeeRiga.empty()) {
      CancRigaRAEE(msArtRaeeRiga);
      mbRinumera = true;
    }
    if (!msArtRaee.empty()) miStatoRaee = 1;
  } else if (!msArtRaee.empty()) {
    AggRigaRAEE();
  }
  return int16_t(0);
}

// ------------------------------------------------------------ code 8

vb::Variant frmDDTDett::PrimaNuovo(vb::Variant& pvRit) {
  (void)pvRit;
  if (Esiste("txt", 26)) txt(26).SetText("");
  for (int n : {50, 80, 130, 140, 160, 165, 200, 210, 830})
    if (Esiste("lab", n)) lab(n).SetCaption("");
  for (int n : {210, 24})
    if (Esiste("label1", n)) label1(n).SetVisible(false);
  NascondiPicLiv();
  AzzMemSconti();
  for (std::string& v : masValIngresso)
    if (!v.empty()) v.clear();
  osLivGruppo1.clear();
  osLivGruppo2.clear();
  msLivello1Salvato.clear();
  msLivello2Salvato.clear();
  DisabSeLivelli(false, true);
  msTipoCompConto.clear();
  msGestRintraccia.clear();
  msArtRaee.clear();
  return int16_t(0);
}

// ------------------------------------------------------------ code 17

vb::Variant frmDDTDett::PrimaCancSel(vb::Variant& pvRit) {
  const auto& fc = Fc();
  auto& p = ogLinPag();
  if (p.SelBookmarks().size() > 1) miRigaCanc = 0;
  else miRigaCanc = fc.ValInt(CampoRigaPag("RigDet"), false, true);

  std::string testo;
  const int16_t codice = DettNonCanc(testo);
  if (codice != 0) {
    bool avanti = false;
    if (!testo.empty()) {
      avanti = frmMsgCom::msgCom(testo, "&Ok", vb::Variant("Proseguire con la cancellazione")) == 2;
    } else if (codice == 1) {
      frmMsgCom::msgCom("Documento già stampato: Impossibile cancellare righe di articoli", "&Ok");
    } else if (codice == 2) {
      frmMsgCom::msgCom("Riga Proveniente da altro documento: Impossibile cancellare righe di articoli", "&Ok");
    }
    if (!avanti) {
      pvRit = std::string("1");
      return std::string("1");
    }
  }
  AggSelRAEE();
  return int16_t(0);
}

// ------------------------------------------------------------ code 19

vb::Variant frmDDTDett::PrimaCancRiga(vb::Variant& pvRit) {
  (void)pvRit;
  const Globali& g = G();
  const auto& fc = Fc();
  // Kind and free-goods flag of the row going, not of the boxes: with
  // several rows selected the boxes show another line.
  const vb::Variant tipoRiga = CampoRigaPag("TipoRiga");
  if (RigaContata(tipoRiga, CampoRigaPag("Omaggio")))
    AggTotaliDiff(-fc.ValDouble(CampoRigaPag("ValTotale"), true), -fc.ValDouble(CampoRigaPag("Qta"), true));

  const int16_t anno = fc.ValInt(CampoRigaPag("Anno"), false, true);
  const int32_t numRif = fc.ValLong(CampoRigaPag("NumRif"), true, true);
  int32_t rigLiv = fc.ValLong(CampoRigaPag("RigLiv"), true, true);

  if (!fc.Vuoto(vb::Variant(osLottoTipOpe)) && Tipo(servizi::Testo(tipoRiga), "A") &&
      (!vb::UgualeTesto(msGestRintraccia, "N") || miRigaCanc == 0)) {
    std::string scarico, carico, gruppo, mastro, conto;
    UtilLotto::CalcMagaScarCar(osLottoTipOpe, "M", "C", osMagazzino, osMagazzDest, scarico, carico, gruppo, mastro,
                               conto);
    // A lot state that could not be written must not be left behind by
    // rows that go all the same: the line stays.
    if (!UtilLotto::AggStatoLottiRighe(osLottoTipOpe, g.gsTabRintracciaApp, anno, numRif, scarico, carico, "da",
                                       rigLiv)) {
      pvRit = std::string("Stato dei lotti non aggiornato");
      return int16_t(1);
    }
  }

  rigLiv = fc.ValLong(CampoRigaPag("RigLiv"), true, true);
  UtilDocFattGest::SvuotaApp(anno, numRif, vb::Missing, vb::Variant(g.gsTabLivApp), vb::Variant(rigLiv), true,
                             vb::Variant(g.gsTabMatrApp), vb::Variant(g.gsTabRintracciaApp));
  return int16_t(0);
}

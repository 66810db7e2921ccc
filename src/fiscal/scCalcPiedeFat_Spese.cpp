// Footer phases 4 and 5: the expense rows, and the apportionment of the
// expenses that have no VAT code of their own over the VAT codes.
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The rounding mode of a per-instalment stamp expense travels in the
// code's SoggScontoPagam. A letter that is no rounding mode ("N", the
// flag's own default, or empty) rounds to the nearest.
std::string ModoArrotBolli(const std::string& psModo) {
  const std::string m = vb::UCase(vb::Trim(psModo));
  if (m == "A" || m == "S" || m == "I" || m == "T") return m;
  return "A";
}

}  // namespace

void scCalcPiedeFat::AggiungiSpesaTotali(const std::string& psRifStampa, vb::Currency pcImporto) {
  if (!ogSpese.LeggiVoce(psRifStampa)) ogSpese.AggiungiVoce(psRifStampa, true, vb::Variant(vb::Currency()));
  vb::Variant valore;
  ogSpese.AggiungiVoceSpesa(psRifStampa, true, valore);
  ogSpese.AggiungiVoce(psRifStampa, true, vb::Variant(valore.ToCurrency() + pcImporto));
  odTotSpese += pcImporto;
}

// ------------------------------------------------ phase 4: the expenses

void scCalcPiedeFat::LeggiSpese() {
  msFase = "Lettura Spese";
  mbBolliScad = false;
  if (!FC().Vuoto(vb::Variant(osTabSpese))) {
    const std::string& E = osTabSpese;
    const std::string k =
        Apri(PrepSqlSpese());
    const std::string nCassaPrev = E + ".CassaPrev", nSoggRitAcc = E + ".SoggRitAcc",
                      nTipoAddE = E + ".TipoAddebito", nIva = E + ".Iva",
                      nPercentuale = E + ".Percentuale", nImporto = E + ".Importo",
                      nImportoMin = E + ".ImportoMin", nImportoMax = E + ".ImportoMax", nRiga = E + ".Riga";
    if (!moRs->NessunRecord(k)) {
      for (; !moRs->FineRec(k); moRs->ProssimoRec(k)) {
        // Pension-fund rows belong to the withholding phase; a withholding
        // run counts only the rows subject to withholding.
        if (vb::UgualeTesto(Testo(k, nCassaPrev), "S")) continue;
        if (mbCalcRitAcc && !vb::UgualeTesto(Testo(k, nSoggRitAcc), "S")) continue;

        if (vb::UgualeTesto(Testo(k, nTipoAddE), "T")) {
          // A stamp charged on each instalment: with bills it replaces the
          // stamp parameters of the stamp table.
          if (msTipoEffetto == "3") {
            mbBolli = true;
            mbBolliScad = true;
            msIvaBolli = Testo(k, nIva);
            osGruppoBol = Testo(k, "spese.gruppo");
            osMastroBol = Testo(k, "spese.Mastro");
            osContoBol = Testo(k, "spese.conto");
            msContoBolli = osGruppoBol + osMastroBol + osContoBol;
            mcPercBolli = vb::Currency::FromDouble(Numero(k, nPercentuale));
            mcArrotBolli = Importo(k, "spese.ImportoLire");
            msModoArrBolli = ModoArrotBolli(Testo(k, "spese.SoggScontoPagam"));
            mdMinBolli = Numero(k, "spese.ImportoMin");
            mdMaxBolli = Numero(k, "spese.ImportoMax");
          }
          continue;
        }

        const std::string conto = Testo(k, "spese.gruppo") + Testo(k, "spese.Mastro") + Testo(k, "spese.conto");
        const bool daRipartire = vb::UgualeTesto(Testo(k, "Spese.AddebitoIva"), "R");
        const std::string rifStampa = Testo(k, "Spese.RifStampa");
        const std::string iva = daRipartire ? std::string(kIvaDaRipartire) : Testo(k, nIva);
        const std::string tipo = Testo(k, "Spese.TipoAddebito");
        const vb::Currency massimo = Arr(Importo(k, nImportoMax));
        const vb::Currency minimo = Arr(Importo(k, nImportoMin));
        const vb::Currency zero;
        vb::Currency importo;

        if (vb::UgualeTesto(tipo, "P") || vb::UgualeTesto(tipo, "S")) {
          const double base =
              vb::UgualeTesto(tipo, "P")
                  ? Numero(k, nPercentuale) * mcMerceNetta.ToDouble() / 100
                  : Numero(mkTesta, osTabTesta + ".Peso") * Importo(k, nImporto).ToDouble();
          importo = ArrDouble(base);
          if (massimo > zero && importo > massimo) importo = massimo;
          if (minimo > zero && importo < minimo) importo = minimo;
          ogSpesePerc.AggiungiVoce(std::to_string(FC().ValLong(Campo(k, nRiga))), true, vb::Variant(importo));
        } else {
          // A fixed amount is charged by the goods total against its limits;
          // with a single limit the rule is the one the expense codes were
          // set up with: a minimum charges up to it, a maximum from it on.
          const int suMin = FunVarie::ArrotConfronta(vb::Variant(mcMerceNetta), vb::Variant(minimo), -8);
          const int suMax = FunVarie::ArrotConfronta(vb::Variant(mcMerceNetta), vb::Variant(massimo), -8);
          bool addebita;
          if (minimo > zero && massimo > zero) addebita = suMin >= 0 && suMax <= 0;
          else if (minimo > zero) addebita = suMin <= 0;
          else if (massimo > zero) addebita = suMax >= 0;
          else addebita = true;
          importo = addebita ? Arr(Importo(k, nImporto)) : zero;
        }

        scIva& v = VoceIva(iva, k, daRipartire);
        AssicuraConto(v, conto, "", "");
        const bool scontabile =
            vb::UgualeTesto(Testo(k, "Spese.SoggScontoPagam"), "S") && odScontoPag != zero;
        if (scontabile && mbScoPagSuDett)
          importo = vb::Currency::FromDouble(
              AziendaUtil::CalcNetto(vb::Variant(importo), vb::Variant(odScontoPag), miNumDec, true));
        Somma(v,
              scontabile && !mbScoPagSuDett ? &ImportiRiepilogo::odSValSpesePerSco
                                            : &ImportiRiepilogo::odSValSpese,
              conto, "", "", importo);
        AggiungiSpesaTotali(rifStampa, importo);
      }
    }
    moRs->ChiudiRecordset(k);
  }
  if (msPrezziIvati == "S") CalcIvSpese(miNumDec);
  // With expenses to apportion the payment discount waits for the spread.
  if (!ogIve.obEsiste(kIvaDaRipartire)) CalcScontoPag(msPrezziIvati, miNumDec);
  CalcIva(msPrezziIvati, miNumDec);
}

// ------------------------------------- phase 5: apportionment of expenses

void scCalcPiedeFat::RipartizioneIvaSpese() {
  msFase = "Ripartizione IVA spese";
  obFattEsente = true;
  for (const auto& pv : ogIve.ocCollIva) {
    if (vb::UgualeTesto(pv->osIva, kIvaDaRipartire)) continue;
    if (!pv->obIvaEsente) obFattEsente = false;
  }
  if (!ogIve.obEsiste(kIvaDaRipartire)) return;
  Ripartisci();
  CalcScontoPag(msPrezziIvati, miNumDec);
  CalcIva(msPrezziIvati, miNumDec);
}

namespace {

// Shares of an amount at the given incidences: each rounded to the
// decimals, the last taking what the others leave, so that they add up.
std::vector<vb::Currency> Quote(vb::Currency pcValore, const std::vector<vb::Currency>& pcIncid,
                                int16_t piNumDec) {
  std::vector<vb::Currency> q(pcIncid.size());
  vb::Currency assegnato;
  for (size_t i = 0; i + 1 < pcIncid.size(); ++i) {
    q[i] = vb::Currency::FromDouble(calcolo::Arr((pcValore * pcIncid[i]).ToDouble() / 100, "A", piNumDec));
    assegnato += q[i];
  }
  if (!q.empty()) q.back() = pcValore - assegnato;
  return q;
}

vb::Currency Iva(vb::Currency pcImporto, vb::Currency pcAliquota, int16_t piNumDec) {
  return vb::Currency::FromDouble(
      AziendaUtil::CalcImposta(vb::Variant(pcImporto), vb::Variant(pcAliquota), piNumDec));
}

}  // namespace

bool scCalcPiedeFat::Ripartisci() {
  scIva& daRip = ogIve.ogIva(kIvaDaRipartire);
  const bool ivati = msPrezziIvati == "S";
  std::vector<scIva*> codici;
  bool tuttiEsenti = true;
  for (const auto& pv : ogIve.ocCollIva) {
    if (vb::UgualeTesto(pv->osIva, kIvaDaRipartire)) continue;
    codici.push_back(pv.get());
    if (!pv->obIvaEsente) tuttiEsenti = false;
    pv->odIncid = vb::Currency();
  }
  // In a withholding run the base is the taxable and exempt amount,
  // wherever the expenses sit: with nothing to spread them over they stay
  // under their own key and the base is still right.
  if (codici.empty()) {
    if (mbCalcRitAcc) return false;
    AggErrore(0, "Spese da ripartire senza un codice IVA su cui ripartirle: restano sotto \"" +
                     std::string(kDescrDaRipartire) + "\"");
    return false;
  }

  if (tuttiEsenti) {
    // A wholly exempt document: everything goes to the first code.
    scIva& primo = *codici.front();
    primo.odSVal += daRip.odSVal;
    primo.odSValPerSco += daRip.odSValPerSco;
    const vb::Currency s1 = Arr(daRip.odSValSpese);
    const vb::Currency s2 = Arr(daRip.odSValSpesePerSco);
    primo.odSValSpese += s1;
    primo.odSValSpesePerSco += s2;
    primo.odSpeseRipart += s1 + s2;
    if (ivati) {
      // On an exempt code the amounts with VAT are the amounts themselves.
      primo.odSValIvSpese += s1;
      primo.odSValIvSpesePerSco += s2;
    }
    for (const auto& pc : daRip.ocCollControPte) {
      AssicuraConto(primo, pc->osConto, "", "");
      scControP& a = primo.ogControp(pc->osConto);
      scControPCDCComp& r = a.ogCdcComp("", "");
      a.odSVal += pc->odSVal;
      r.odSVal += pc->odSVal;
      a.odSValPerSco += pc->odSValPerSco;
      r.odSValPerSco += pc->odSValPerSco;
    }
    ogIve.ocCollIva.Remove(kIvaDaRipartire);
    return true;
  }

  // Incidences over the taxable amount of the non-exempt codes: exempt
  // codes beside them change nothing. Codes whose taxable amount goes the
  // other way from the whole (a credit among sales) take no share.
  vb::Currency base;
  for (scIva* c : codici)
    if (!c->obIvaEsente) base += c->odImpon;
  if (base == vb::Currency()) {
    if (mbCalcRitAcc) return false;
    AggErrore(0, "Imponibile nullo: le spese da ripartire restano sotto \"" +
                     std::string(kDescrDaRipartire) + "\"");
    return false;
  }
  const bool positivo = base > vb::Currency();
  std::vector<scIva*> ammessi;
  vb::Currency baseAmmessi;
  for (scIva* c : codici) {
    if (c->obIvaEsente || c->odImpon == vb::Currency()) continue;
    if ((c->odImpon > vb::Currency()) != positivo) continue;
    ammessi.push_back(c);
    baseAmmessi += c->odImpon;
  }
  vb::Currency somma;
  for (size_t i = 0; i < ammessi.size(); ++i) {
    scIva& c = *ammessi[i];
    if (i + 1 == ammessi.size()) {
      // The last incidence closes the sum at exactly 100.
      c.odIncid = vb::Currency::FromLong(100) - somma;
    } else {
      const double q = FC().ElabImporto(c.odImpon * vb::Currency::FromLong(100), baseAmmessi);
      c.odIncid = vb::Currency::FromDouble(calcolo::Arr(q, "A", 3));
    }
    somma += c.odIncid;
  }
  std::vector<scIva*> destinatari;
  std::vector<vb::Currency> incid;
  for (scIva* c : ammessi) {
    if (c->odIncid > vb::Currency()) {
      destinatari.push_back(c);
      incid.push_back(c->odIncid);
    }
  }

  const auto qSVal = Quote(daRip.odSVal, incid, miNumDec);
  const auto qSValPerSco = Quote(daRip.odSValPerSco, incid, miNumDec);
  const auto qSpese = Quote(daRip.odSValSpese, incid, miNumDec);
  const auto qSpesePerSco = Quote(daRip.odSValSpesePerSco, incid, miNumDec);
  for (size_t i = 0; i < destinatari.size(); ++i) {
    scIva& t = *destinatari[i];
    t.odSVal += qSVal[i];
    t.odSValPerSco += qSValPerSco[i];
    t.odSValSpese += qSpese[i];
    t.odSValSpesePerSco += qSpesePerSco[i];
    if (!ivati) {
      t.odSpeseRipart += qSpese[i] + qSpesePerSco[i];
    } else {
      // Prices with VAT: each share takes the VAT of the code it lands on.
      // The net shares go along too, so that a later recomputation of the
      // amounts with VAT finds them.
      const vb::Currency s1 = qSpese[i] + Iva(qSpese[i], t.odAliquota, miNumDec);
      const vb::Currency s2 = qSpesePerSco[i] + Iva(qSpesePerSco[i], t.odAliquota, miNumDec);
      t.odSValIvSpese += s1;
      t.odSValIvSpesePerSco += s2;
      t.odSpeseRipart += qSpese[i] + s2;
    }
  }
  for (const auto& pc : daRip.ocCollControPte) {
    const std::string& conto = pc->osConto;
    const auto cSVal = Quote(pc->odSVal, incid, miNumDec);
    const auto cSValPerSco = Quote(pc->odSValPerSco, incid, miNumDec);
    const auto cSpese = Quote(pc->odSValSpese, incid, miNumDec);
    const auto cSpesePerSco = Quote(pc->odSValSpesePerSco, incid, miNumDec);
    // At the account level the amounts with VAT are shared as they stand:
    // no VAT is added to them a second time.
    const auto cIvSpese = Quote(pc->odSValIvSpese, incid, miNumDec);
    const auto cIvSpesePerSco = Quote(pc->odSValIvSpesePerSco, incid, miNumDec);
    for (size_t i = 0; i < destinatari.size(); ++i) {
      scIva& t = *destinatari[i];
      AssicuraConto(t, conto, "", "");
      scControP& a = t.ogControp(conto);
      scControPCDCComp& r = a.ogCdcComp("", "");
      for (ImportiRiepilogo* livello : {static_cast<ImportiRiepilogo*>(&a), static_cast<ImportiRiepilogo*>(&r)}) {
        livello->odSVal += cSVal[i];
        livello->odSValPerSco += cSValPerSco[i];
        livello->odSValSpese += cSpese[i];
        livello->odSValSpesePerSco += cSpesePerSco[i];
        if (ivati) {
          livello->odSValIvSpese += cIvSpese[i];
          livello->odSValIvSpesePerSco += cIvSpesePerSco[i];
        }
      }
    }
  }
  ogIve.ocCollIva.Remove(kIvaDaRipartire);
  return true;
}

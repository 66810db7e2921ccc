// Footer phases 7 to 9: the totals, the stamp duty and the amount to be
// paid; the instalment stamps and the totals by discount step.
#include <algorithm>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/ScadUtil.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

}  // namespace

// ------------------------------------------------ phase 7: the totals

void scCalcPiedeFat::CalcolaTotali() {
  msFase = "Calcolo totali";
  odTotMerce = odTotEsente = odTotEsenteAppBol = odTotImponibile = odTotImpOmaggi = vb::Currency();
  oiNumSconti = 0;
  const bool ivati = msPrezziIvati == "S";
  for (const auto& pv : ogIve.ocCollIva) oiNumSconti = std::max(oiNumSconti, pv->oiNumSconti);
  mdTotMerceSco.assign(static_cast<size_t>(oiNumSconti) + 1, 0.0);

  for (const auto& pv : ogIve.ocCollIva) {
    scIva& v = *pv;
    auto netto = [&](vb::Currency x) {
      if (!ivati) return x;
      return vb::Currency::FromDouble(AziendaUtil::ScorporaIva(vb::Variant(x), vb::Variant(v.odAliquota), miNumDec));
    };
    auto nettoD = [&](double x) {
      return ivati ? AziendaUtil::ScorporaIva(vb::Variant(x), vb::Variant(v.odAliquota), miNumDec) : x;
    };
    odTotMerce += netto(v.odMerce);
    const int16_t n = v.oiNumSconti;
    for (int16_t i = 1; i <= oiNumSconti; ++i)
      mdTotMerceSco[static_cast<size_t>(i)] += nettoD(v.odMerceSco(std::min(i, n == 0 ? i : n)));
    const vb::Currency g = netto(v.odSValOmaggio + (v.odSValOmaggioPerSco - v.odScoPagamOmaggio));
    odTotOmaggi += g + v.odImpOmaggioT + v.odIvaOmaggioT;
    odTotOmaggiNoIva += g + v.odImpOmaggioT;
    if (v.obIvaEsente) {
      odTotEsente += v.odImpon;
      if (!vb::UgualeTesto(v.osApplBolloEse, "N")) odTotEsenteAppBol += v.odImpon;
      odTotIva += v.odImpos;
    } else {
      odTotImpOmaggi += g;
      odTotImponibile += v.odImpon;
    }
  }
  odTotFattura = odTotImponibile + odTotIva + odTotEsente;

  odTotBolli = vb::Currency();
  odTotBolliScad = 0;
  mdSpeseScad.assign(2, 0.0);
  obBolliEsenti = true;
}

double scCalcPiedeFat::odTotMerceSco(int16_t piIndSco) const {
  if (piIndSco < 1 || piIndSco > oiNumSconti || static_cast<size_t>(piIndSco) >= mdTotMerceSco.size()) return 0;
  return mdTotMerceSco[static_cast<size_t>(piIndSco)];
}

double scCalcPiedeFat::odSpeseScad(int16_t piNumScad) const {
  if (piNumScad < 0 || static_cast<size_t>(piNumScad) >= mdSpeseScad.size()) vb::Solleva(vb::ErrIndice);
  return mdSpeseScad[static_cast<size_t>(piNumScad)];
}

void scCalcPiedeFat::odSpeseScad(int16_t piNumScad, double pdSpesaScad) {
  if (piNumScad < 0 || static_cast<size_t>(piNumScad) >= mdSpeseScad.size()) vb::Solleva(vb::ErrIndice);
  mdSpeseScad[static_cast<size_t>(piNumScad)] = pdSpesaScad;
}

int16_t scCalcPiedeFat::oiSpeseScadNum() const {
  if (mdSpeseScad.size() < 2) return 0;
  const size_t ultimo = mdSpeseScad.size() - 1;
  if (ultimo == 1 && FunVarie::ArrotConfronta(vb::Variant(mdSpeseScad[1]), vb::Variant(0), -8) == 0) return 0;
  return static_cast<int16_t>(ultimo);
}

// ----------------------------------------------- phase 8: stamp duty

// The VAT data of the stamp key, read by that key: the stamp key may come
// from a per-instalment stamp expense, with no stamp-table row behind it.
bool scCalcPiedeFat::VerificaBolliTabIva(std::string& psTipoIva, std::string& psDescr,
                                          std::string& psDescrLunga, std::string& psDescrMemo,
                                          vb::Currency& pcAliquota, std::string& psApplBolloEse) {
  const std::string k = Apri("Select * From TabIva Where TabIva.Iva = " + FC().ValoreSql(vb::Variant(msIvaBolli), vb::vbString));
  if (moRs->NessunRecord(k)) {
    moRs->ChiudiRecordset(k);
    return false;
  }
  psTipoIva = vb::Trim(Testo(k, "TipoIva"));
  psDescr = Testo(k, "DescrizioneBreve");
  psDescrLunga = Testo(k, "Descrizione");
  psDescrMemo = Testo(k, "DescrMemo");
  pcAliquota = Importo(k, "Aliquota");
  psApplBolloEse = Testo(k, "ApplBolloEse");
  moRs->ChiudiRecordset(k);
  return true;
}

void scCalcPiedeFat::CalcolaBolli(const vb::Variant& pvAddBolli) {
  std::string tipoIva, descr, descrLunga, descrMemo, applBolloEse;
  vb::Currency aliquota;
  bool trovata = false;
  if (ogIve.obEsiste(msIvaBolli))
    tipoIva = ogIve.ogIva(msIvaBolli).osTipoIva;
  else
    trovata = VerificaBolliTabIva(tipoIva, descr, descrLunga, descrMemo, aliquota, applBolloEse);
  obBolliEsenti = fiscal::TipoIvaEsente(tipoIva);
  msFase = "Calcolo Bolli";

  const std::string T = osTabTesta;
  const std::string interruttore =
      pvAddBolli.IsMissing() ? Testo(mkTesta, T + ".Bolli") : (pvAddBolli.IsNull() ? "" : pvAddBolli.ToString());
  const bool aggiungi = vb::UgualeTesto(interruttore, "S");
  const std::string segno = vb::Trim(Testo(mkTesta, "FattDocumenti.Segno"));
  const vb::Currency zero;

  auto aggiungiBollo = [&](vb::Currency bollo) {
    odTotFattura += bollo;
    if (obBolliEsenti) odTotEsente += bollo;
    odTotBolli += bollo;
  };

  // The fixed stamp of an invoice whose exempt part exceeds the threshold.
  if (aggiungi && odTotEsenteAppBol > zero && odTotEsenteAppBol > mcMaxNoBollo &&
      !vb::UgualeTesto(fiscal::LeggiParam("Fat.Onlus"), "S")) {
    vb::Currency bollo = mcBolloEsente;
    if (segno == "-") bollo = -bollo;
    aggiungiBollo(bollo);
  }

  // The stamps of the instalments.
  if (aggiungi && segno == "+" && vb::UgualeTesto(Testo(mkTesta, "PagTipi.AddBolli"), "S")) {
    vb::Currency netto = odTotFattura - odAbbuono - odAcconto - odTotOmaggi - odRitAcc;
    if (obCassaPrevNoImpon) netto -= ouTotCassaPrev;
    int16_t n = FC().ValInt(Campo(mkTesta, "Pagamenti.NumScad"));
    if (n == 0) n = 1;
    if (msTipoEffetto == "3" && mbBolliScad) {
      std::vector<vb::Date> date;
      std::vector<double> importi, spese;
      int16_t numScad = 0, numErr = 0;
      std::string errori;
      vb::Date decorrenza;
      const vb::Variant dataRif = FC().ValData(Campo(mkTesta, T + ".DataRif"));
      ScadUtil::CalcScadenze(dataRif.IsDate() ? dataRif.ToDate() : vb::Date(),
                             (netto - odTotIva).ToDouble(), odTotIva.ToDouble(), Testo(mkTesta, T + ".Pagamento"),
                             Testo(mkTesta, T + ".GruppoCli"), Testo(mkTesta, T + ".MastroCli"),
                             Testo(mkTesta, T + ".ContoCli"), miNumDec, date, importi, numScad, numErr, errori, 1,
                             mcPercBolli, spese, mcArrotBolli, msModoArrBolli, mdMinBolli, mdMaxBolli, decorrenza);
      if (numScad > 0 && numErr == 0) {
        odTotBolliScad = 0;
        mdSpeseScad.assign(spese.size(), 0.0);
        for (size_t i = 1; i < spese.size(); ++i) {
          odTotBolliScad += spese[i];
          mdSpeseScad[i] = spese[i];
        }
        aggiungiBollo(vb::Currency::FromDouble(odTotBolliScad));
      } else if (numErr > 0) {
        // The schedule's own lines, then what they mean for this footer.
        std::string resto = errori;
        for (size_t p = resto.find("\r\n"); p != std::string::npos; p = resto.find("\r\n")) {
          AggRigaLog(resto.substr(0, p + 2));
          resto.erase(0, p + 2);
        }
        AggErrore(0, "Bolli sulle scadenze non calcolati");
      }
    } else if (msTipoEffetto == "3") {
      // Bills: a per-mille stamp on each, never below the second bracket.
      vb::Currency bollo =
          vb::Currency::FromDouble(calcolo::Pulisci(netto.ToDouble() / n * mcPercBolli.ToDouble() / 1000));
      bollo = vb::Currency::FromDouble(FC().Arrotonda(vb::Variant(bollo), "S", mcArrotBolli.ToDouble()));
      if (bollo < mcBolloScag[2]) bollo = mcBolloScag[2];
      aggiungiBollo(bollo * n);
    } else if (msTipoEffetto == "1") {
      // Bank receipts: the first bracket that holds an instalment with its
      // own stamp.
      vb::Currency bollo = mcBolloScag[5];
      for (int i = 1; i <= 5; ++i) {
        if (netto + mcBolloScag[i] * n <= mcScaglione[i] * n) {
          bollo = mcBolloScag[i];
          break;
        }
      }
      aggiungiBollo(bollo * n);
    }
  }

  if (odTotBolli == zero) return;
  if (!ogIve.obEsiste(msIvaBolli)) {
    if (!trovata) vb::Solleva(vb::ErrUsoNull, "Manca il codice IVA dei bolli '" + msIvaBolli + "'");
    ogIve.AddIva(msIvaBolli);
    scIva& v = ogIve.ogIva(msIvaBolli);
    v.osDescrizione = descr;
    v.osDescrLunga = descrLunga;
    v.osDescrMemo = descrMemo;
    v.odAliquota = aliquota;
    v.osTipoIva = tipoIva;
    v.obIvaEsente = obBolliEsenti;
    v.osApplBolloEse = applBolloEse;
  }
  scIva& v = ogIve.ogIva(msIvaBolli);
  AssicuraConto(v, msContoBolli, "", "");
  Somma(v, &ImportiRiepilogo::odSVal, msContoBolli, "", "", odTotBolli);
  Somma(v, &ImportiRiepilogo::odImpon, msContoBolli, "", "", odTotBolli);
  v.obIvaBolli = true;
}

// ------------------------------------------------ phase 9: to be paid

void scCalcPiedeFat::ParteFinale() {
  msFase = "Parte finale";
  odTotPagare = odTotFattura - odAbbuono - odAcconto - odTotOmaggi - odRitAcc;
  if (obCassaPrevNoImpon) odTotPagare -= ouTotCassaPrev;
}

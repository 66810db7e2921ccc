// Footer phase 3: the lines of the document into the VAT summary.
#include <cmath>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string TestoData(const vb::Variant& v) {
  vb::Variant d = FC().ValData(v);
  return d.IsDate() ? d.ToDate().ToDateText() : std::string();
}

}  // namespace

// ------------------------------------------------- summary bookkeeping

scIva& scCalcPiedeFat::VoceIva(const std::string& psIva, const std::string& k, bool pbDaRipartire) {
  if (!ogIve.obEsiste(psIva)) {
    ogIve.AddIva(psIva);
    scIva& v = ogIve.ogIva(psIva);
    if (pbDaRipartire) {
      v.osDescrizione = kDescrDaRipartire;
      v.osDescrLunga = kDescrDaRipartire;
      v.osDescrMemo.clear();
      v.osTipoIva.clear();
      v.odAliquota = vb::Currency();
      v.obIvaEsente = false;
    } else {
      v.osDescrizione = Testo(k, "TabIva.DescrizioneBreve");
      v.osDescrLunga = Testo(k, "TabIva.Descrizione");
      v.osDescrMemo = Testo(k, "TabIva.DescrMemo");
      v.osTipoIva = vb::Trim(Testo(k, "TabIva.TipoIva"));
      // A VAT code without its row in TabIva has no rate: that ends the run.
      vb::Variant aliquota = Campo(k, "TabIva.Aliquota");
      if (aliquota.IsNull() || aliquota.IsEmpty())
        vb::Solleva(vb::ErrUsoNull, "Manca l'aliquota del codice IVA '" + psIva + "'");
      v.odAliquota = aliquota.ToCurrency();
      v.obIvaEsente = fiscal::TipoIvaEsente(v.osTipoIva);
    }
    v.osApplBolloEse = Testo(k, "TabIva.ApplBolloEse");
  }
  return ogIve.ogIva(psIva);
}

void scCalcPiedeFat::AssicuraConto(scIva& iva, const std::string& psConto, const std::string& psCdc,
                                   const std::string& psComp) {
  if (iva.obCPEsiste(psConto)) {
    if (!iva.obCdcCompEsiste(psConto, psCdc, psComp)) iva.AddCdcComp(psConto, psCdc, psComp);
  } else {
    iva.AddControP(psConto, psCdc, psComp);
  }
}

void scCalcPiedeFat::Somma(scIva& iva, ImportoRiepilogo membro, const std::string& psConto,
                           const std::string& psCdc, const std::string& psComp, vb::Currency pcImporto) {
  iva.*membro += pcImporto;
  scControP& conto = iva.ogControp(psConto);
  conto.*membro += pcImporto;
  conto.ogCdcComp(psCdc, psComp).*membro += pcImporto;
}

// ----------------------------------------------------------- the lines

namespace {

// A double that is an exact decimal of at most `cifre` decimals, as an
// integer of that scale; false when it is not (or too large).
bool Scalato(double v, int cifre, __int128& out) {
  double scala = 1;
  for (int i = 0; i < cifre; ++i) scala *= 10;
  const double x = v * scala;
  if (!(x > -9e17 && x < 9e17)) return false;
  const long long n = std::llround(x);
  if (static_cast<double>(n) / scala != v) return false;
  out = n;
  return true;
}

__int128 Potenza10(int n) {
  __int128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// n / d rounded half away from zero (d > 0).
__int128 DividiArr(__int128 n, __int128 d) {
  const bool neg = n < 0;
  if (neg) n = -n;
  __int128 q = n / d;
  if ((n % d) * 2 >= d) ++q;
  return neg ? -q : q;
}

double InDouble(__int128 n, int decimali) {
  return calcolo::Pulisci(static_cast<double>(n) / static_cast<double>(Potenza10(decimali)));
}

}  // namespace

// AziendaUtil::CalcImporto(price, quantity, discount, flag, decimals) -
// quantity x the net price, the net rounded to the decimals with the flag
// or else to 8 - then, with pbArrotonda, the amount rounded to the
// decimals. The lines of a large document ask for it thousands of times,
// so it is worked out here on exact decimals (a percentage of at most 6
// decimals, a quantity of at most 6); any other value goes to the service.
double scCalcPiedeFat::ImportoScontato(vb::Currency pcPrezzo, double pdQta, double pdPerc, bool pbArrUnit,
                                       bool pbArrotonda) const {
  __int128 q6 = 0, p6 = 0;
  if (miNumDec >= 0 && miNumDec <= 8 && Scalato(pdQta, 6, q6) && Scalato(pdPerc, 6, p6)) {
    // price (1e-4) x (100 - perc) (1e-6) / 100: units of 1e-12.
    const __int128 netto12 = static_cast<__int128>(pcPrezzo.Raw()) * (Potenza10(8) - p6);
    const int decNetto = pbArrUnit ? miNumDec : 8;
    const __int128 netto = DividiArr(netto12, Potenza10(12 - decNetto));
    const __int128 importo = q6 * netto;  // units of 10^-(6 + decNetto)
    const int decImporto = 6 + decNetto;
    if (pbArrotonda && decImporto > miNumDec)
      return InDouble(DividiArr(importo, Potenza10(decImporto - miNumDec)), miNumDec);
    return InDouble(importo, decImporto);
  }
  double importo =
      AziendaUtil::CalcImporto(vb::Variant(pcPrezzo), vb::Variant(pdQta), vb::Variant(pdPerc), pbArrUnit, miNumDec);
  if (pbArrotonda) importo = calcolo::Arr(importo, "A", miNumDec);
  return importo;
}

// The single percentage of a discount chain; the lines of a document
// repeat a handful of chains, each folded once per run.
double scCalcPiedeFat::PercSconto(const std::string& psCatena) {
  auto it = mmPercSconto.find(psCatena);
  if (it != mmPercSconto.end()) return it->second;
  bool errore = false;
  const double perc = AziendaUtil::CalcPercSconto(psCatena, errore, 0, 6);
  mmPercSconto.emplace(psCatena, perc);
  return perc;
}

bool scCalcPiedeFat::LeggiDettagli() {
  msFase = "Lettura Dettagli Normali";
  const std::string& D = osTabDett;
  const std::string& L = osTabLiv;
  const bool livelli = !FC().Vuoto(vb::Variant(L)) && mbGesTaglie;
  mkDett = Apri(PrepSqlDett(mbGestVuotiCauz));
  if (moRs->NessunRecord(mkDett)) {
    if (obErrNoDett) {
      AggErrore(0, "Documento senza dettagli: " + std::to_string(mlNumRif) + " " + std::to_string(miAnno));
      return false;
    }
    // A document of expense rows alone still gets its expenses, VAT and
    // totals: the later phases run on an empty summary.
    mcMerceNetta = vb::Currency();
    return true;
  }

  // Names asked once: the walk asks the same ones for every row. Line and
  // level-row tables share several column names, so both are qualified.
  const std::string nTipoRiga = D + ".TipoRiga", nSoggRitAcc = D + ".SoggRitAcc",
                    nOmaggio = D + ".Omaggio", nCdc = D + ".CentroDiCosto",
                    nCompGM = D + ".CompGiornMens", nDataDa = D + ".DataCompDa",
                    nDataA = D + ".DataCompA", nIva = D + ".Iva", nBeneUsato = D + ".BeneUsato",
                    nFlScontoPag = D + ".FlScontoPag", nDValTot = D + ".ValTotale",
                    nDValUnit = D + ".ValUnitario", nDQta = D + ".Qta", nDSconto = D + ".ScontoTot",
                    nLivello1 = L + ".Livello1", nLValTot = L + ".ValTotale",
                    nLValUnit = L + ".ValUnitario", nLQta = L + ".Qta", nLSconto = L + ".ScontoTot";
  const bool margine = vb::UgualeTesto(msRegimeMargine, "S");
  oiNumSconti = 0;

  for (; !moRs->FineRec(mkDett); moRs->ProssimoRec(mkDett)) {
    const std::string tipoRiga = Testo(mkDett, nTipoRiga);
    if (!vb::UgualeTesto(tipoRiga, "M") && !vb::UgualeTesto(tipoRiga, "A")) continue;
    if (mbCalcRitAcc && !vb::UgualeTesto(Testo(mkDett, nSoggRitAcc), "S")) continue;

    const std::string omaggio = Testo(mkDett, nOmaggio);
    const bool omaggioI = vb::UgualeTesto(omaggio, "I");
    const bool omaggioS = vb::UgualeTesto(omaggio, "S");
    if (omaggioI) obOmaSIvaPres = true;
    else if (omaggioS) obOmaTotPres = true;

    std::string conto = Testo(mkDett, "Conto");
    if (FC().Vuoto(vb::Variant(conto))) conto = msContoVenDef;
    const std::string cdc = Testo(mkDett, nCdc);
    std::string competenza;
    const std::string compGM = Testo(mkDett, nCompGM);
    const vb::Variant dataDa = Campo(mkDett, nDataDa);
    if (!FC().Vuoto(vb::Variant(compGM)) && !FC().Vuoto(dataDa, vb::vbDate))
      competenza = compGM + TestoData(dataDa) + TestoData(Campo(mkDett, nDataA));

    std::string iva = Testo(mkDett, nIva);
    const std::string beneUsato = Testo(mkDett, nBeneUsato);
    if (margine && !FC().Vuoto(vb::Variant(beneUsato))) iva += "~§" + beneUsato;

    const bool daLivello = livelli && vb::Len(Testo(mkDett, nLivello1)) > 0;
    const vb::Currency importo = Arr(Importo(mkDett, daLivello ? nLValTot : nDValTot));

    scIva& v = VoceIva(iva, mkDett, false);
    AssicuraConto(v, conto, cdc, competenza);

    const bool perSconto = odScontoPag != vb::Currency() &&
                           vb::UgualeTesto(Testo(mkDett, nFlScontoPag), "S") && !mbScoPagSuDett;
    if (omaggioI) {
      Somma(v, perSconto ? &ImportiRiepilogo::odSValOmaggioPerSco : &ImportiRiepilogo::odSValOmaggio,
            conto, cdc, competenza, importo);
      continue;
    }
    if (omaggioS) {
      Somma(v, &ImportiRiepilogo::odSValOmaggioT, conto, cdc, competenza, importo);
      continue;
    }
    Somma(v, perSconto ? &ImportiRiepilogo::odSValPerSco : &ImportiRiepilogo::odSVal, conto, cdc,
          competenza, importo);
    const bool cauzione = vb::UgualeTesto(Testo(mkDett, "ArtCauzione"), "S") && mbGestVuotiCauz;
    if (!vb::UgualeTesto(omaggio, "N") || cauzione) continue;

    Somma(v, &ImportiRiepilogo::odMerce, conto, cdc, competenza, importo);
    // A withholding run is read for its taxable amounts alone.
    if (mbCalcRitAcc) continue;
    const vb::Currency prezzo = Importo(mkDett, daLivello ? nLValUnit : nDValUnit);
    const double qta = Numero(mkDett, daLivello ? nLQta : nDQta);
    const std::string sconto = Testo(mkDett, daLivello ? nLSconto : nDSconto);

    // Goods after each step of the discount chain (index 1: full price).
    const double pieno = ImportoScontato(prezzo, qta, 0, false, false);
    if (!FC().Vuoto(vb::Variant(sconto)) && vb::Replace(sconto, " ", "") != "0") {
      std::vector<std::string> termini;
      const long nTermini = FC().Dividi(sconto, "+", termini);
      const int16_t n = static_cast<int16_t>(nTermini + 1);
      v.PrepMerceSco(n);
      const bool arrUnit = G().gbArrUnitIntermedio;
      std::string parziale;
      for (int16_t i = 2; i <= v.oiNumSconti; ++i) {
        // Past its own chain a line counts with its whole chain.
        if (i <= n) {
          if (i > 2) parziale += "+";
          parziale += termini[static_cast<size_t>(i - 1)];
        }
        const double perc = PercSconto(parziale);
        const double scontato = ImportoScontato(prezzo, qta, perc, arrUnit, !arrUnit);
        v.odMerceSco(i, v.odMerceSco(i) + scontato);
      }
    } else {
      if (v.oiNumSconti == 0) v.PrepMerceSco(1);
      const double arrotondato = ImportoScontato(prezzo, qta, 0, false, true);
      for (int16_t i = 2; i <= v.oiNumSconti; ++i) v.odMerceSco(i, v.odMerceSco(i) + arrotondato);
    }
    v.odMerceSco(1, v.odMerceSco(1) + pieno);
  }

  // The goods net of VAT: the base of the percentage and fixed expenses.
  mcMerceNetta = vb::Currency();
  for (const auto& pv : ogIve.ocCollIva) {
    if (msPrezziIvati == "S")
      mcMerceNetta += vb::Currency::FromDouble(
          AziendaUtil::ScorporaIva(vb::Variant(pv->odMerce), vb::Variant(pv->odAliquota), miNumDec));
    else
      mcMerceNetta += pv->odMerce;
  }
  return true;
}

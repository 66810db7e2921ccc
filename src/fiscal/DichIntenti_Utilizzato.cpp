// The amounts already used under a declaration of intent.
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/DichIntenti.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"

namespace DichIntenti {

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The keys and amounts of the last calculation, kept for the program run.
std::string msGruppoDich, msMastroDich, msContoDich;
int16_t miCodDich = 0;
double mdUtilFatture = 0, mdUtilDdt = 0, mdUtilOrdini = 0;
std::string msQualeTot;

std::string Lit(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }

struct TabelleDoc {
  const char* testa;
  const char* dett;
  const char* liv;
  const char* spese;
};

TabelleDoc Tabelle(const std::string& psTipoDoc) {
  if (vb::UgualeTesto(psTipoDoc, "F")) return {"FatTest", "FatDett", "FatLiv", "FatSpese"};
  if (vb::UgualeTesto(psTipoDoc, "D")) return {"DdtTest", "DdtDett", "DdtLiv", "DdtSpese"};
  return {"OrdVenTest", "OrdVenDett", "OrdVenLiv", "OrdVenSpese"};
}

// The documents that count: DDTs printed or not yet printed (not evaded),
// orders without a state, every invoice.
std::string CondizioneStato(const std::string& T, const std::string& psTipoDoc) {
  if (vb::UgualeTesto(psTipoDoc, "D"))
    return " And (" + T + ".Stato = " + Lit("S") + " Or " + T + ".Stato Is Null)";
  if (vb::UgualeTesto(psTipoDoc, "O")) return " And " + T + ".Stato Is Null";
  return {};
}

std::string CondizioneCliente(const std::string& T) {
  return " Where " + T + ".GruppoCli = " + Lit(msGruppoDich) + " And " + T + ".MastroCli = " + Lit(msMastroDich) +
         " And " + T + ".ContoCli = " + Lit(msContoDich) + " And " + T +
         ".PdcDicIntenti = " + FC().ValoreSql(vb::Variant(miCodDich), vb::vbInteger);
}

double Arrotonda(vb::Currency v) { return FC().Arrotonda(vb::Variant(v), "A", 1, -G().giNumDecEuro); }

}  // namespace

void AzzeraMemoria() {
  msGruppoDich.clear();
  msMastroDich.clear();
  msContoDich.clear();
  miCodDich = 0;
  mdUtilFatture = mdUtilDdt = mdUtilOrdini = 0;
  msQualeTot.clear();
}

std::string PrepSqlTotaliDich(const std::string& psTabTesta, const std::string& psTipoDoc,
                              const std::string& psQualeTot) {
  const std::string& T = psTabTesta;
  std::string s;
  if (vb::UgualeTesto(psTipoDoc, "F")) {
    s = "Select sum(TotDocum * iif(FattDocumenti.segno = '-',-1,1)) as Totale"
        ", sum(TotMerce * iif(FattDocumenti.segno = '-',-1,1)) as MerceTot"
        ", sum(TotIva * iif(FattDocumenti.segno = '-',-1,1)) as IvaTot"
        ", sum(TotImpon * iif(FattDocumenti.segno = '-',-1,1)) as ImponTot"
        " From " + T + " Left Join FattDocumenti" + " on " + T + ".FattDocumento = FattDocumenti.FattDocumento";
  } else {
    s = "Select sum(TotDocum) as Totale, sum(TotMerce) as MerceTot, sum(TotIva) as IvaTot, sum(TotImpon) as ImponTot"
        " From " + T;
  }
  s += CondizioneCliente(T);
  if (vb::UgualeTesto(psQualeTot, "M"))
    s += " And (isnull(" + T + ".ScontoPag) or " + T + ".ScontoPag = '0')";
  return s;
}

std::string PrepSqlDocScontoPag(const std::string& psTabTesta, const std::string& psTipoDoc) {
  const std::string& T = psTabTesta;
  std::string s = "Select " + T + ".Anno," + T + ".NumRif";
  if (vb::UgualeTesto(psTipoDoc, "F"))
    s += ", FattDocumenti.segno From " + T + " Left Join FattDocumenti on " + T +
         ".FattDocumento = FattDocumenti.FattDocumento";
  else
    s += " From " + T;
  s += CondizioneCliente(T);
  s += " And not isnull(" + T + ".ScontoPag)" + " And " + T + ".ScontoPag <> '0'";
  s += CondizioneStato(T, psTipoDoc);
  return s;
}

double CalcUtilizzatoTipoDoc(const std::string& psTipoDoc, const std::string& psQualeTot) {
  double importo = 0;
  dati::GestRecordset rs;
  try {
    const TabelleDoc t = Tabelle(psTipoDoc);
    scCalcPiedeFat piede;
    piede.osTabTesta = t.testa;
    piede.osTabDett = t.dett;
    piede.osTabLiv = t.liv;
    piede.osTabSpese = t.spese;
    dati::GestDatabase& db = fiscal::DbAzienda();
    const std::string& conn = G().gsConnAzienda;
    std::string k = rs.ApriRecordset(
        db, conn, "", PrepSqlTotaliDich(piede.osTabTesta, psTipoDoc, psQualeTot) + CondizioneStato(piede.osTabTesta, psTipoDoc),
        false, 4);
    // With no document the sums are Null: nothing used.
    // The sums are amounts: worked out as amounts, so that a half cent
    // rounds as it is and not as its nearest binary double.
    auto somma = [&](const char* nome) {
      vb::Variant v = rs.LeggiCampoNull(k, nome);
      if (v.IsNull() || v.IsEmpty()) return vb::Currency();
      return v.IsString() ? vb::Currency::FromDouble(FC().ValDouble(v)) : v.ToCurrency();
    };
    if (vb::UgualeTesto(psQualeTot, "E")) {
      importo = Arrotonda(somma("Totale") - somma("IvaTot") - somma("ImponTot"));
    } else if (vb::UgualeTesto(psQualeTot, "M")) {
      importo = somma("MerceTot").ToDouble();
      rs.ChiudiRecordset(k);
      // Documents with a payment discount: their goods recomputed net of it,
      // with the sign and state the sums above apply.
      k = rs.ApriRecordset(db, conn, "", PrepSqlDocScontoPag(piede.osTabTesta, psTipoDoc), false, 4);
      const bool fatture = vb::UgualeTesto(psTipoDoc, "F");
      for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
        const int16_t anno = FC().ValInt(rs.LeggiCampo(k, "Anno", vb::vbInteger));
        const int32_t numRif = FC().ValLong(rs.LeggiCampo(k, "NumRif", vb::vbLong));
        piede.CalcPiedeFat(anno, numRif, false, -1);
        vb::Currency merce = piede.odTotMerce;
        for (const auto& pv : piede.ogIve.ocCollIva) merce -= pv->odScoPagam;
        const bool negativo = fatture && vb::Trim(rs.LeggiCampo(k, "segno").ToString()) == "-";
        importo += negativo ? -merce.ToDouble() : merce.ToDouble();
      }
    } else {
      importo = Arrotonda(somma("Totale"));
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    importo = 0;
  }
  return importo;
}

void CalcUtilizzatoDich(int16_t piCodDich, const std::string& psGruppo, const std::string& psMastro,
                        const std::string& psConto, double& pdUtilFatture, double& pdUtilDdt, double& pdUtilOrdini,
                        bool pbForza) {
  const bool cambiati = !vb::UgualeTesto(psGruppo, msGruppoDich) || !vb::UgualeTesto(psMastro, msMastroDich) ||
                        !vb::UgualeTesto(psConto, msContoDich) || piCodDich != miCodDich;
  if (!cambiati && !pbForza) {
    pdUtilFatture = mdUtilFatture;
    pdUtilDdt = mdUtilDdt;
    pdUtilOrdini = mdUtilOrdini;
    return;
  }
  msGruppoDich = psGruppo;
  msMastroDich = psMastro;
  msContoDich = psConto;
  miCodDich = piCodDich;
  if (piCodDich == 0) {
    mdUtilFatture = mdUtilDdt = mdUtilOrdini = 0;
    return;
  }
  if (FC().Vuoto(vb::Variant(msQualeTot))) {
    msQualeTot = vb::UCase(vb::Trim(fiscal::LeggiParPers("Tutti", "DichIntentiQualeTot", "D")));
    if (msQualeTot != "E" && msQualeTot != "M") msQualeTot = "D";
  }
  mdUtilFatture = CalcUtilizzatoTipoDoc("F", msQualeTot);
  pdUtilFatture = mdUtilFatture;
  mdUtilDdt = CalcUtilizzatoTipoDoc("D", msQualeTot);
  pdUtilDdt = mdUtilDdt;
  mdUtilOrdini = CalcUtilizzatoTipoDoc("O", msQualeTot);
  pdUtilOrdini = mdUtilOrdini;
}

}  // namespace DichIntenti

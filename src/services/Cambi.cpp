// Lira and euro conversion and the rounding tables. Every conversion goes
// through the euro: a foreign amount reaches the euro by its own rate, the
// lira is reached from the euro by the fixed company rate.
#include <optional>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"
#include "services/DbDitta.h"

namespace AziendaUtil {

using calcolo::Arr;
using calcolo::Pulisci;

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Testo(const vb::Variant& v) { return v.IsMissing() || v.IsNull() ? std::string() : v.ToString(); }

int16_t Decimali(const vb::Variant& pvNumDec, int16_t predefiniti) {
  return pvNumDec.IsMissing() ? predefiniti : FC().ValInt(pvNumDec);
}

// The rate of a currency that is neither the euro: a rate that is missing
// or 0 would leave the amount unconverted (or make it 0) without anybody
// noticing, so it stops the conversion with the currency's name.
double Cambio(const vb::Variant& pvCambio, const std::string& psMoneta, const char* psOrigine) {
  double k = 0;
  if (!FC().Vuoto(pvCambio) && !pvCambio.IsMissing()) k = FC().ValDouble(pvCambio);
  if (k == 0)
    vb::Solleva(vb::ErrChiamataNonValida,
                "Cambio della moneta \"" + psMoneta +
                    "\" mancante o pari a zero: impossibile convertire l'importo",
                psOrigine);
  return k;
}

// One side of the rounding bands, read once per run.
struct Scaglioni {
  std::vector<double> finoA;
  std::vector<double> valArrot;
  std::vector<std::string> tipoArrot;
  bool caricata = false;
};
Scaglioni gLire;
Scaglioni gEuro;

bool LatoLire(const std::string& psLato) { return vb::UgualeTesto(psLato, "L"); }

}  // namespace

double ConvInEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                  const vb::Variant& pvOper, const vb::Variant& pvMoneta, bool pbArrot,
                  const vb::Variant& pvNumDec, bool pbTabella) {
  const Globali& g = G();
  const std::string moneta = pvMoneta.IsMissing() ? g.gsMonetaDitta : Testo(pvMoneta);
  double euro;
  const double importo = FC().ValDouble(pvImporto, true);
  if (vb::UgualeTesto(moneta, g.gsCodEuro)) {
    euro = importo;
  } else {
    const bool lira = vb::UgualeTesto(moneta, g.gsCodLira);
    const double k = lira ? Cambio(vb::Variant(g.gsCambioLiraEuro), moneta, "AziendaUtil.ConvInEuro")
                          : Cambio(pvCambio, moneta, "AziendaUtil.ConvInEuro");
    const std::string oper = lira ? g.gsOperCambio : pvOper.IsMissing() ? g.gsOperCambio : Testo(pvOper);
    euro = oper == "/" ? importo / k : k * importo;
  }
  euro = Pulisci(euro);
  if (pbTabella) return ArrotTabella(euro, "E");
  if (pbArrot) return Arr(euro, "A", Decimali(pvNumDec, g.giNumDecEuro));
  return euro;
}

double ConvDaEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                  const vb::Variant& pvOper, const vb::Variant& pvMoneta, bool pbArrot,
                  const vb::Variant& pvNumDec, bool pbTabella) {
  const Globali& g = G();
  const std::string moneta = pvMoneta.IsMissing() ? g.gsMonetaDitta : Testo(pvMoneta);
  double ris;
  const double importo = FC().ValDouble(pvImporto, true);
  if (vb::UgualeTesto(moneta, g.gsCodEuro)) {
    ris = importo;
  } else {
    const bool lira = vb::UgualeTesto(moneta, g.gsCodLira);
    const double k = lira ? Cambio(vb::Variant(g.gsCambioLiraEuro), moneta, "AziendaUtil.ConvDaEuro")
                          : Cambio(pvCambio, moneta, "AziendaUtil.ConvDaEuro");
    const std::string oper = lira ? g.gsOperCambio : Testo(pvOper);
    ris = oper == "*" ? importo / k : importo * k;
  }
  ris = Pulisci(ris);
  if (pbTabella) return ArrotTabella(ris, "L");
  if (pbArrot) return Arr(ris, "A", Decimali(pvNumDec, g.giNumDecLire));
  return ris;
}

double ConvLireEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                    const vb::Variant& pvOper, const vb::Variant& pvMoneta, double& pdLire,
                    double& pdEuro, double& pdImpDoc, bool pbArrLire, bool pbArrEuro,
                    bool pbArrDoc, const vb::Variant& pvDecLire, const vb::Variant& pvDecEuro,
                    const vb::Variant& pvDecDoc, bool pbTabLire, bool pbTabEuro,
                    const std::string& psTipo, const std::string& psLato,
                    const vb::Variant& pvDaArrotondato) {
  const Globali& g = G();
  const vb::Variant moneta = pvMoneta.IsMissing() ? vb::Variant(g.gsMonetaDitta) : pvMoneta;
  const vb::Variant decLire = pvDecLire.IsMissing() ? vb::Variant(g.giNumDecLire) : pvDecLire;
  const vb::Variant decEuro = pvDecEuro.IsMissing() ? vb::Variant(g.giNumDecEuro) : pvDecEuro;
  const vb::Variant decDoc = pvDecDoc.IsMissing() ? vb::Variant(g.giNumDecEuro) : pvDecDoc;
  // Only -1 counts as set: the legacy callers pass True or 0.
  const bool daArrotondato =
      !pvDaArrotondato.IsMissing() && !FC().Vuoto(pvDaArrotondato) && FC().ValInt(pvDaArrotondato) == -1;
  const vb::Variant lira(g.gsCodLira);
  const vb::Variant oper(g.gsOperCambio);
  auto inLire = [&](double euro) {
    return ConvDaEuro(euro, 1, oper, lira, pbArrLire, decLire, pbTabLire);
  };
  auto daLireInEuro = [&](double lire) {
    return ConvInEuro(lire, 1, oper, lira, pbArrEuro, decEuro, pbTabEuro);
  };
  const double importo = FC().ValDouble(pvImporto, true);

  if (vb::UgualeTesto(psTipo, "M")) {
    if (LatoLire(psLato)) {
      pdLire = importo;
      pdEuro = ConvInEuro(importo, 1, oper, lira, false, vb::Missing, false);
    } else {
      pdEuro = importo;
      pdLire = inLire(importo);
    }
    pdImpDoc = ConvDaEuro(pdEuro, pvCambio, pvOper, moneta, pbArrDoc, decDoc, false);
    return pdImpDoc;
  }

  const std::string codice = moneta.ToString();
  if (vb::UgualeTesto(codice, g.gsCodEuro)) {
    pdLire = inLire(importo);
    pdEuro = daArrotondato ? daLireInEuro(pdLire) : importo;
    pdImpDoc = pdEuro;
  } else if (vb::UgualeTesto(codice, g.gsCodLira)) {
    pdEuro = daLireInEuro(importo);
    pdLire = daArrotondato ? inLire(pdEuro) : importo;
    pdImpDoc = pdLire;
  } else {
    if (vb::UgualeTesto(psTipo, "E") && daArrotondato) {
      pdEuro = ConvInEuro(importo, pvCambio, pvOper, moneta, pbArrEuro, decEuro, pbTabEuro);
      pdLire = inLire(pdEuro);
    } else {
      const double euroPieno = ConvInEuro(importo, pvCambio, pvOper, moneta, false, vb::Missing, false);
      pdLire = inLire(euroPieno);
      pdEuro = daArrotondato ? daLireInEuro(pdLire)
                             : ConvInEuro(importo, pvCambio, pvOper, moneta, pbArrEuro, decEuro, pbTabEuro);
    }
    pdImpDoc = importo;
  }
  return vb::UgualeTesto(g.gsMonetaDitta, g.gsCodLira) ? pdLire : pdEuro;
}

double LireInEuro(const vb::Variant& pvImporto, bool pbTabella, bool pbArrot,
                  const vb::Variant& pvNumDec) {
  double lire = 0, euro = 0, doc = 0;
  ConvLireEuro(pvImporto, 1, vb::Variant(G().gsOperCambio), vb::Variant(G().gsCodLira), lire, euro, doc,
               true, pbArrot, true, vb::Missing, pvNumDec, vb::Missing, false, pbTabella, "E", "E",
               false);
  return euro;
}

double EuroInLire(const vb::Variant& pvImporto, bool pbTabella, bool pbArrot,
                  const vb::Variant& pvNumDec) {
  double lire = 0, euro = 0, doc = 0;
  ConvLireEuro(pvImporto, 1, vb::Variant(G().gsOperCambio), vb::Variant(G().gsCodEuro), lire, euro, doc,
               pbArrot, true, true, pvNumDec, vb::Missing, vb::Missing, pbTabella, false, "E", "E",
               false);
  return lire;
}

int16_t LeggiMoneta(const std::string& psMoneta, int16_t* piNumDecGest, int16_t* piNumDec,
                    std::string& psOper, std::string& psCee) {
  dati::GestRecordset rs;
  const std::string k =
      rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                       "Select * from Monete where moneta = " + FC().ValoreSql(psMoneta, vb::vbString),
                       false, 4);
  int32_t numDec = 2, numDecGest = 2;
  psOper = "/";
  psCee = "N";
  if (!rs.NessunRecord(k)) {
    numDec = FC().ValLong(rs.LeggiCampo(k, "NumDec"));
    numDecGest = FC().ValLong(rs.LeggiCampo(k, "NumDecGest"));
    psOper = rs.LeggiCampo(k, "Operatore").ToString();
    psCee = rs.LeggiCampo(k, "Cee").ToString();
  }
  rs.ChiudiRecordset(k);
  if (piNumDec) *piNumDec = static_cast<int16_t>(numDec);
  if (piNumDecGest) *piNumDecGest = static_cast<int16_t>(numDecGest);
  return static_cast<int16_t>(piNumDecGest && !piNumDec ? numDecGest : numDec);
}

double ArrotTabella(const vb::Variant& pvImporto, const std::string& psLato) {
  Scaglioni& s = LatoLire(psLato) ? gLire : gEuro;
  const double ris = ArrotScaglioni(pvImporto, LatoLire(psLato) ? "L" : "E", s.finoA, s.valArrot, s.tipoArrot);
  // Only a call that went through marks the side as read: a load that
  // failed is tried again next time.
  s.caricata = true;
  return ris;
}

double ArrotScaglioni(const vb::Variant& pvImporto, const std::string& psLato,
                      std::vector<double>& pdFinoA, std::vector<double>& pdValArrot,
                      std::vector<std::string>& psTipoArrot) {
  const bool lire = LatoLire(psLato);
  if ((lire && !gLire.caricata) || (vb::UgualeTesto(psLato, "E") && !gEuro.caricata)) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                           std::string("Select * from") + (lire ? " ArrotLire" : " ArrotEuro") +
                                               " Order By FinoA",
                                           false, 4);
    pdFinoA.clear();
    pdValArrot.clear();
    psTipoArrot.clear();
    if (!rs.NessunRecord(k)) {
      const long n = rs.NumRecord(k);
      pdFinoA.reserve(static_cast<size_t>(n));
      while (!rs.FineRec(k)) {
        pdFinoA.push_back(FC().ValDouble(rs.LeggiCampo(k, "FinoA")));
        pdValArrot.push_back(FC().ValDouble(rs.LeggiCampo(k, "ValArrot")));
        psTipoArrot.push_back(rs.LeggiCampo(k, "TipoArrot").ToString());
        rs.ProssimoRec(k);
      }
    } else {
      psTipoArrot.assign(1, "Nessuno");
    }
    rs.ChiudiRecordset(k);
  }
  const double v = Pulisci(FC().ValDouble(pvImporto));
  if (psTipoArrot.empty() || vb::UgualeTesto(psTipoArrot[0], "Nessuno"))
    return Arr(v, "A", lire ? G().giNumDecLire : G().giNumDecEuro);
  size_t i = 0;
  while (i + 1 < pdFinoA.size() && pdFinoA[i] < v) ++i;
  return FC().Arrotonda(vb::Variant(v), psTipoArrot[i], pdValArrot[i], std::nullopt);
}

void AzzeraArrotTabelle() {
  gLire = Scaglioni{};
  gEuro = Scaglioni{};
}

}  // namespace AziendaUtil

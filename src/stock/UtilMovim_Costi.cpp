// A movement row on the article's cost row, its supplier record and the
// share of the movement's expenses.
#include <cmath>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "stock/UtilMovim.h"
#include "stock/UtilMovim_Interno.h"

namespace UtilMovim {

using namespace interno;

namespace {

// Is the registration date on or after the stored one (an empty stored
// date lets it through)?
bool NonPrima(const vb::Variant& dataReg, const vb::Variant& memorizzata) {
  if (!DataValida(memorizzata)) return true;
  if (!DataValida(dataReg)) return false;
  return dataReg.ToDate().Serial() >= memorizzata.ToDate().Serial();
}

}  // namespace

void AggArticoliCosti(const std::string& psAggDis, dati::GestRecordset& pgRecordset, const std::string& psKeyTes,
                      const std::string& psKeyRig, const std::string& psRighe, const std::string& psTabRighe,
                      const std::string& psKeyCosti, double pdVarGiac, int16_t piFattMedioC, double pdTotSpese,
                      const std::string& psTipoSpese) {
  dati::GestRecordset& rs = pgRecordset;
  const std::string& kt = psKeyTes;
  const std::string& kr = psKeyRig;
  const std::string& kc = psKeyCosti;
  const Globali& g = G();
  StatoRiga& st = Stato();
  const bool applica = !Ug(psAggDis, "D");

  // 1. The level pair the costs are kept by.
  std::string l1 = "~ç~", l2 = "~ç~";
  const int16_t flagLivLis = I(rs, kr, "Articoli.FlagLivLis");
  if (Ug(psRighe, "L")) {
    if (flagLivLis >= 1) l1 = T(rs, kr, psTabRighe + ".Livello1");
    if (flagLivLis >= 2) l2 = T(rs, kr, psTabRighe + ".Livello2");
  }
  const int16_t anno = I(rs, kt, "MovMagTes.Anno");
  const std::string articolo = T(rs, kr, "Articolo");

  // 2. The cost row: a reversal never creates one.
  if (rs.NessunRecord(kc)) {
    if (!applica) return;
    rs.NuovoRecord(kc);
    rs.ScriviCampo(kc, "Anno", vb::Variant(anno));
    rs.ScriviCampo(kc, "Articolo", vb::Variant(articolo));
    rs.ScriviCampo(kc, "Livello1", vb::Variant(l1));
    rs.ScriviCampo(kc, "Livello2", vb::Variant(l2));
  } else {
    rs.ModificaRecord(kc);
  }

  // 3. Stock sign and direction.
  const std::string carScar = vb::UCase(vb::Trim(T(rs, kt, "MagCausali.CarScar")));
  const std::string segno = vb::Trim(T(rs, kt, "MagCausali.Segno"));
  double s = 0;
  if (carScar == "C") s = segno == "-" ? -1 : 1;
  else if (carScar == "S") s = segno == "+" ? -1 : 1;
  const double d = applica ? 1 : -1;
  const bool iniziale = Ug(T(rs, kt, "MagCausali.TipoMov"), "V");
  const bool medioPon = Ug(T(rs, kt, "MagCausali.AggMedioPon"), "S");
  const bool costoUlt = Ug(T(rs, kt, "MagCausali.AggCostoUlt"), "S");
  const bool medioCar = Ug(T(rs, kt, "MagCausali.AggMedioCar"), "S");
  const vb::Variant dataReg = rs.LeggiCampo(kt, "MovMagTes.DataReg");

  // 4. Weighted average: not recomputed backwards, only marked untrusted.
  if (medioPon && s != 0 && st.mdQtaMov >= 0) {
    if (!applica) {
      rs.ScriviCampo(kc, "CMPValido", vb::Variant("N"));
    } else {
      if (iniziale && D(rs, kc, "MedioPonderale") != 0 && st.mdQtaIniPrec != 0 &&
          FunVarie::ArrotConfronta(vb::Variant(D(rs, kc, "MedioPonderale")),
                                   vb::Variant(st.mdValIniPrec / st.mdQtaIniPrec), -8) != 0)
        rs.ScriviCampo(kc, "CMPValido", vb::Variant("N"));
      vb::Variant giac;
      AziendaUtil::CalcGiacenza(articolo, anno, vb::Missing, vb::Variant(l1), vb::Variant(l2), nullptr, &giac,
                                nullptr, vb::Variant("G"));
      const double gq = Fc().ValDouble(giac);
      struct Lato {
        const char* colonna;
        double unit, val;
        int16_t dec;
      };
      const Lato lati[2] = {{"MedioPonderaleLire", st.mdUnitLireMov, st.mdValLireMov, g.giNumDecGestLire},
                            {"MedioPonderale", st.mdUnitEuroMov, st.mdValEuroMov, g.giNumDecGestEuro}};
      if (FunVarie::ArrotConfronta(vb::Variant(gq), vb::Variant(0.0), -8) > 0) {
        for (const Lato& l : lati) {
          const double val = st.mdQtaMov > 0 ? s * l.unit * st.mdQtaMov : s * l.val;
          rs.ScriviCampo(kc, l.colonna, vb::Variant(R(((gq - pdVarGiac) * D(rs, kc, l.colonna) + val) / gq, l.dec)));
        }
      }
      for (const Lato& l : lati)
        if (D(rs, kc, l.colonna) <= 0 || gq <= 0) rs.ScriviCampo(kc, l.colonna, vb::Variant(std::max(s * l.unit, 0.0)));
    }
  }

  // 5. Last cost, with the row's expense share in euro, and the lists.
  if (applica && costoUlt && s != 0 && st.mdUnitEuroMov != 0 && st.mdQtaMov > 0 &&
      NonPrima(dataReg, rs.LeggiCampo(kc, "DataCostoUltimo"))) {
    rs.ScriviCampo(kc, "DataCostoUltimo", dataReg);
    rs.ScriviCampo(kc, "CostoUltimoLire", vb::Variant(st.mdUnitLireMov));
    const double quota = CalcQuotaSpese(T(rs, kt, "MagCausali.RipartSpese"), D(rs, kt, "MovMagTes.ImportoSpese"),
                                        pdTotSpese, psTipoSpese, D(rs, kr, psTabRighe + ".Qta"),
                                        D(rs, kr, psTabRighe + ".ValTotale"), st.mdUnitEuroMov);
    rs.ScriviCampo(kc, "CostoUltimo", vb::Variant(st.mdUnitEuroMov + quota));
    const std::string list = vb::Trim(T(rs, kr, "ListDaAgg"));
    if (!list.empty())
      AggListinoDaCosto(articolo, l1, l2, list, dataReg, st.mdUnitEuroMov, st.mdUnitLireMov, "", "", "", "", "", "");
    const std::string listClie = vb::Trim(T(rs, kr, "ListDaAggClie"));
    if (!listClie.empty()) {
      const std::string modo =
          vb::Trim(servizi::Testo(servizi::ParPers("Magazzino", "ListVenDaAggOrd", vb::Variant(""))));
      AggListinoDaCosto(articolo, l1, l2, listClie, dataReg, st.mdUnitEuroMov, st.mdUnitLireMov, "", "", modo,
                        T(rs, kt, "MovMagTes.GruppoCliFor"), T(rs, kt, "MovMagTes.MastroCliFor"),
                        T(rs, kt, "MovMagTes.ContoCliFor"));
    }
  }

  // 6. Highest cost (euro figures compared).
  if (applica && s != 0 && st.mdUnitEuroMov != 0 && st.mdQtaMov > 0 && (costoUlt || medioPon || medioCar) &&
      st.mdUnitEuroMov > D(rs, kc, "CostoPiu")) {
    rs.ScriviCampo(kc, "DataCostoPiu", dataReg);
    rs.ScriviCampo(kc, "CostoPiuLire", vb::Variant(st.mdUnitLireMov));
    rs.ScriviCampo(kc, "CostoPiu", vb::Variant(st.mdUnitEuroMov));
  }

  // 7. Purchase and sales totals, both directions.
  const std::string acqVen = vb::UCase(vb::Trim(T(rs, kt, "MagCausali.AcqVen")));
  const bool toglie = (carScar == "C" && segno == "-") || (carScar == "S" && segno == "+");
  const bool aggiunge = (carScar == "C" && segno == "+") || (carScar == "S" && segno == "-");
  auto totali = [&](const char* qc, const char* vlc, const char* vc, double k) {
    rs.ScriviCampo(kc, qc, vb::Variant(R(D(rs, kc, qc) + k * st.mdQtaMov, g.giNumDecQtaMag)));
    rs.ScriviCampo(kc, vlc, vb::Variant(R(D(rs, kc, vlc) + k * st.mdValLireMov, g.giNumDecLire)));
    rs.ScriviCampo(kc, vc, vb::Variant(R(D(rs, kc, vc) + k * st.mdValEuroMov, g.giNumDecEuro)));
  };
  if (acqVen == "A") totali("QtaAcquisti", "ValAcquistiLire", "ValAcquisti", toglie ? -d : d);
  else if (acqVen == "V") totali("QtaVenduto", "ValVendutoLire", "ValVenduto", aggiunge ? -d : d);

  // 8. Average of loads.
  if (piFattMedioC != 0) {
    if (!iniziale) st.mdQtaIniPrec = st.mdValIniPrec = st.mdValIniLirePrec = 0;
    rs.ScriviCampo(kc, "QtaMedioC",
                   vb::Variant(R(D(rs, kc, "QtaMedioC") + piFattMedioC * st.mdQtaMov - st.mdQtaIniPrec,
                                 g.giNumDecQtaMag)));
    rs.ScriviCampo(kc, "ValMedioCLire",
                   vb::Variant(R(D(rs, kc, "ValMedioCLire") + piFattMedioC * st.mdValLireMov - st.mdValIniLirePrec,
                                 g.giNumDecLire)));
    rs.ScriviCampo(kc, "ValMedioC",
                   vb::Variant(R(D(rs, kc, "ValMedioC") + piFattMedioC * st.mdValEuroMov - st.mdValIniPrec,
                                 g.giNumDecEuro)));
  }

  // 9.
  rs.SalvaRecord(kc);
}

double CalcQuotaSpese(const std::string& psRipartSpese, double pdImportoSpese, double pdTotSpese,
                      const std::string& psTipoSpese, double pdQta, double pdValTotale, double pdValUnitario) {
  const double e = std::fabs(pdImportoSpese);
  bool percentuale;
  if (pdImportoSpese >= 0) percentuale = Ug(psTipoSpese, "P");
  else percentuale = Ug(psTipoSpese, "V");
  const bool perValore = Ug(psRipartSpese, "V"), perQta = Ug(psRipartSpese, "Q");
  if (pdQta == 0 || FunVarie::ArrotConfronta(vb::Variant(pdTotSpese), vb::Variant(0.0), -8) == 0 ||
      FunVarie::ArrotConfronta(vb::Variant(e), vb::Variant(0.0), -8) == 0 || (!perValore && !perQta))
    return 0;
  double quota;
  if (percentuale) {
    quota = e * pdValUnitario / 100;
  } else {
    const double base = perQta ? pdQta : pdValTotale;
    quota = base / pdTotSpese * e / pdQta;
  }
  return R(quota, G().giNumDecGestEuro);
}

int32_t AggArtFor(dati::GestRecordset& pgRecordset, const std::string& psKeyTes, const std::string& psKeyRig,
                  const std::string& psRighe, const std::string& psTabRighe, double pdTotSpese,
                  const std::string& psTipoSpese) {
  dati::GestRecordset& rs = pgRecordset;
  const std::string& kt = psKeyTes;
  const std::string& kr = psKeyRig;
  const double valUnit = D(rs, kr, psTabRighe + ".ValUnitario");
  if (valUnit <= 0 || D(rs, kr, psTabRighe + ".QtaAggMag") < 0) return 0;
  const bool livello = Ug(psRighe, "L");
  const int16_t flag = I(rs, kr, "Articoli.FlagLivLis");
  const std::string articolo = T(rs, kr, "Articolo");
  const std::string gruppo = T(rs, kt, "MovMagTes.GruppoCliFor"), mastro = T(rs, kt, "MovMagTes.MastroCliFor"),
                    conto = T(rs, kt, "MovMagTes.ContoCliFor");
  const std::string livelli =
      livello ? AziendaUtil::PrepSqlLivelli(flag, rs.LeggiCampo(kr, psTabRighe + ".Livello1"),
                                            rs.LeggiCampo(kr, psTabRighe + ".Livello2"))
              : AziendaUtil::PrepSqlLivelli(flag, vb::Missing, vb::Missing, true);
  std::string k = OpenRs(rs,
                         "Select * from ArticoliFor" + std::string(" Where Articolo = ") + Tx(articolo) + livelli +
                             " And GruppoFor = " + Tx(gruppo) + " And MastroFor = " + Tx(mastro) +
                             " And ContoFor = " + Tx(conto),
                         2);
  try {
    const vb::Variant dataReg = rs.LeggiCampo(kt, "MovMagTes.DataReg");
    if (rs.NessunRecord(k)) {
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Articolo", vb::Variant(articolo));
      rs.ScriviCampo(k, "Livello1", vb::Variant("~ç~"));
      rs.ScriviCampo(k, "Livello2", vb::Variant("~ç~"));
      if (livello) {
        if (flag >= 1) rs.ScriviCampo(k, "Livello1", rs.LeggiCampo(kr, psTabRighe + ".Livello1"));
        if (flag >= 2) rs.ScriviCampo(k, "Livello2", rs.LeggiCampo(kr, psTabRighe + ".Livello2"));
      }
      rs.ScriviCampo(k, "GruppoFor", vb::Variant(gruppo));
      rs.ScriviCampo(k, "MastroFor", vb::Variant(mastro));
      rs.ScriviCampo(k, "ContoFor", vb::Variant(conto));
    } else {
      const vb::Variant ult = rs.LeggiCampo(k, "DataUltAcq");
      if (!NonPrima(dataReg, ult)) {
        ChiudiSilenzioso(rs, k);
        return 0;
      }
      rs.ModificaRecord(k);
    }
    rs.ScriviCampo(k, "Moneta", rs.LeggiCampo(kt, "MovMagTes.Moneta"));
    const double quota =
        CalcQuotaSpese(T(rs, kt, "MagCausali.RipartSpese"), D(rs, kt, "MovMagTes.ImportoSpese"), pdTotSpese,
                       psTipoSpese, D(rs, kr, psTabRighe + ".Qta"), D(rs, kr, psTabRighe + ".ValTotale"), valUnit);
    rs.ScriviCampo(k, "CostoUltimo", vb::Variant(valUnit + quota));
    rs.ScriviCampo(k, "UltUM", rs.LeggiCampo(kr, psTabRighe + ".UM"));
    rs.ScriviCampo(k, "DataUltAcq", dataReg);
    rs.SalvaRecord(k);
  } catch (...) {
    ChiudiSilenzioso(rs, k);
    throw;
  }
  ChiudiSilenzioso(rs, k);
  return 0;
}

}  // namespace UtilMovim

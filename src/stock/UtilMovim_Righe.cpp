// The movement recordsets and the per-row driver of the warehouse engine.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "platform/Errore.h"
#include "stock/UtilMovim.h"
#include "stock/UtilMovim_Interno.h"

namespace UtilMovim {

using namespace interno;

StatoRiga& Stato() {
  static StatoRiga s;
  return s;
}

int32_t ApriTestMovim(int16_t piAnno, int32_t plNumReg, dati::GestRecordset& pgRecordset, std::string& psChiaveTesta) {
  if (!vb::Trim(psChiaveTesta).empty()) return 0;
  try {
    psChiaveTesta = OpenRs(pgRecordset,
                           std::string("Select MovMagTes.*,MagCausali.* from ") + " MovMagTes INNER JOIN MagCausali" +
                               " ON MovMagTes.MagCausale = MagCausali.MagCausale" + " Where MovMagTes.anno = " +
                               In(piAnno) + " And MovMagTes.numreg = " + Lg(plNumReg),
                           2);
    return 0;
  } catch (const vb::Errore& e) {
    FunVarie::MsgErr(e);
    return Fc().CodiceErrore(e.Number());
  }
}

std::string SqlRigheMovim(int16_t piAnno, int32_t plNumReg, const std::string& psRighe, const std::string& psTabDett,
                          const std::string& psTabLiv) {
  const std::string& d = psTabDett;
  const std::string& l = psTabLiv;
  const bool dettaglio = Ug(psRighe, "D");
  std::string sql;
  if (dettaglio) {
    sql = "Select " + d + ".*";
  } else {
    sql = "Select " + l + ".*, " + d + ".Articolo";
    if (AziendaUtil::EsisteCampo(vb::Variant(d), vb::Variant("ListDaAgg"))) sql += ", " + d + ".ListDaAgg";
    if (AziendaUtil::EsisteCampo(vb::Variant(d), vb::Variant("ListDaAggClie"))) sql += ", " + d + ".ListDaAggClie";
  }
  sql += std::string(", Articoli.LivGruppo1, Articoli.ArtMag, Articoli.FlagLivLis") +
         ", Articoli.GruppoForAb, Articoli.MastroForAb, Articoli.ContoForAb" + " from ";
  if (dettaglio)
    sql += " " + d + " Inner Join Articoli";
  else
    sql += " (" + l + " Inner Join " + d + " ON (" + d + ".NumReg = " + l + ".NumReg)" + " AND (" + d + ".Anno = " +
           l + ".Anno)" + " AND (" + d + ".RigLiv = " + l + ".RigLiv)" + ") Inner Join Articoli";
  sql += " ON (" + d + ".Articolo = Articoli.Articolo)" + " Where " + d + ".Anno = " + In(piAnno) + " AND " + d +
         ".NumReg = " + Lg(plNumReg);
  return sql;
}

int32_t AggRigaMovim(const std::string& psDirezione, bool /*pbTabArchivio*/, dati::GestRecordset& pgRecordset,
                     const std::string& psChiaveTesta, const std::string& psChiaveRighe, const std::string& psRighe,
                     bool pbAggFornAbit, int16_t piSoloCalcVal, double& pdValScaLire, double& pdValSca,
                     bool pbAggProgr, bool pbAggCosti, double& pdBaseRipart, std::string& psTipoRipart) {
  dati::GestRecordset& rs = pgRecordset;
  const std::string& kt = psChiaveTesta;
  const std::string& kr = psChiaveRighe;
  const bool dettaglio = Ug(psRighe, "D");
  // Rows the stock does not see: articles out of stock, causes that move
  // nothing, and the detail row of an article carried by its level rows.
  if (!Ug(T(rs, kr, "Articoli.ArtMag"), "S")) return 0;
  const std::string tipoMov = T(rs, kt, "MagCausali.TipoMov");
  if (Ug(tipoMov, "O") || Ug(tipoMov, "D")) return 0;
  if (!Fc().Vuoto(rs.LeggiCampo(kr, "Articoli.LivGruppo1")) && dettaglio) return 0;

  const Globali& g = G();
  const std::string tab = dettaglio ? "MovMagDett" : "MovMagLiv";
  StatoRiga& st = Stato();
  st.mdQtaMov = R(D(rs, kr, tab + ".QtaAggMag"), g.giNumDecQtaMag);
  st.mdValLireMov = D(rs, kr, tab + ".ValLire");
  st.mdValEuroMov = D(rs, kr, tab + ".ValEuro");
  const double qtaAggMag = D(rs, kr, tab + ".QtaAggMag");
  const double qta = D(rs, kr, tab + ".Qta");
  if (st.mdQtaMov != 0 && qtaAggMag != qta) {
    st.mdUnitLireMov = R(st.mdValLireMov / st.mdQtaMov, g.giNumDecGestLire);
    st.mdUnitEuroMov = R(st.mdValEuroMov / st.mdQtaMov, g.giNumDecGestEuro);
  } else {
    std::string oper, cee;
    const std::string moneta = T(rs, kt, "MovMagTes.Moneta");
    AziendaUtil::LeggiMoneta(moneta, nullptr, nullptr, oper, cee);
    double lire = 0, euro = 0, doc = 0;
    AziendaUtil::ConvLireEuro(rs.LeggiCampo(kr, tab + ".ValUnitario"), rs.LeggiCampo(kt, "MovMagTes.Cambio"),
                              vb::Variant(oper), vb::Variant(moneta), lire, euro, doc, true, true, true,
                              vb::Variant(g.giNumDecGestLire), vb::Variant(g.giNumDecGestEuro), vb::Missing, false,
                              false, "E", "E", vb::Variant(false));
    st.mdUnitLireMov = lire;
    st.mdUnitEuroMov = euro;
  }

  const int16_t anno = I(rs, kt, "MovMagTes.Anno");
  // The level rows carry the article of their detail row: one Articolo column
  // in both queries.
  const std::string articolo = T(rs, kr, "Articolo");
  const int16_t flagLivLis = I(rs, kr, "Articoli.FlagLivLis");
  const std::string livelli =
      dettaglio ? AziendaUtil::PrepSqlLivelli(flagLivLis, vb::Missing, vb::Missing, true)
                : AziendaUtil::PrepSqlLivelli(flagLivLis, rs.LeggiCampo(kr, "MovMagLiv.Livello1"),
                                              rs.LeggiCampo(kr, "MovMagLiv.Livello2"));
  std::string kCosti, kProg;
  int32_t esito = 0;
  try {
    kCosti = OpenRs(rs,
                    "Select * from ArticoliCosti" + std::string(" Where Anno = ") + In(anno) +
                        " And Articolo = " + Tx(articolo) + livelli,
                    2);
    const std::string prov = T(rs, kt, "MagCausali.Prov");
    const std::string dest = T(rs, kt, "MagCausali.Dest");
    double varGiac = 0;
    int16_t aggMedio = 0;
    bool fine = false;
    if (pbAggProgr && Ug(prov, "M")) {
      esito = AggArticoliProg(T(rs, kt, "MovMagTes.MagazzinoProv"), false, psDirezione, rs, kt, kr, psRighe, tab,
                              kProg, kCosti, varGiac, aggMedio, pbAggFornAbit, piSoloCalcVal, pdValScaLire, pdValSca);
      fine = esito != 0;
    }
    if (!fine && pbAggProgr && Ug(dest, "M")) {
      esito = AggArticoliProg(T(rs, kt, "MovMagTes.MagazzinoDest"), Ug(prov, "M"), psDirezione, rs, kt, kr, psRighe,
                              tab, kProg, kCosti, varGiac, aggMedio, pbAggFornAbit, piSoloCalcVal, pdValScaLire,
                              pdValSca);
      fine = esito != 0;
    }
    if (!fine && pbAggCosti &&
        (Fc().ValInt(rs.LeggiCampo(kt, "MagCausali.QualeProgrQta")) == 0 || !Ug(tipoMov, "V")) &&
        !Ug(T(rs, kt, "MagCausali.CarScar"), "N") && !Ug(tipoMov, "I")) {
      if (pdBaseRipart == -1) {
        pdBaseRipart = 0;
        psTipoRipart.clear();
      }
      AggArticoliCosti(psDirezione, rs, kt, kr, psRighe, tab, kCosti, varGiac, aggMedio, pdBaseRipart,
                       psTipoRipart);
      // The supplier record follows a movement being applied only.
      if (Ug(psDirezione, "A") && Ug(G().gsGesArtFor, "S") && (Ug(prov, "F") || Ug(dest, "F")))
        esito = AggArtFor(rs, kt, kr, psRighe, tab, pdBaseRipart, psTipoRipart);
    }
  } catch (...) {
    ChiudiSilenzioso(rs, kProg);
    ChiudiSilenzioso(rs, kCosti);
    throw;
  }
  ChiudiSilenzioso(rs, kProg);
  ChiudiSilenzioso(rs, kCosti);
  return esito;
}

}  // namespace UtilMovim

namespace UtilAggNoMov {

vb::Variant DisAggMovimDoc(int16_t, int32_t, dati::GestRecordset*, std::string&, const std::string&, bool,
                           std::string&, bool, const std::string&, int16_t) {
  return {};
}

vb::Variant AggMovimDoc(int16_t, int32_t, dati::GestRecordset*, const std::string&, bool, std::string&, std::string&,
                        bool, const std::string&, int16_t, bool) {
  return {};
}

}  // namespace UtilAggNoMov

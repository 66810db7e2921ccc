// A movement row on the stock progressive row of one warehouse.
#include "common/AziendaUtil.h"
#include "stock/UtilMovim.h"
#include "stock/UtilMovim_Interno.h"

namespace UtilMovim {

using namespace interno;

namespace {

// col += f, rounded to the decimals.
void Somma(dati::GestRecordset& rs, const std::string& k, const std::string& col, double f, int16_t dec) {
  rs.ScriviCampo(k, col, vb::Variant(R(D(rs, k, col) + f, dec)));
}

// A date column moved forward to the registration date (never back). A
// progressive row without the date gets it only when a movement is applied.
void DataAvanti(dati::GestRecordset& rs, const std::string& k, const std::string& col, const vb::Variant& dataReg,
                bool applica) {
  if (!DataValida(dataReg)) return;
  const vb::Variant ora = rs.LeggiCampo(k, col);
  if (!DataValida(ora)) {
    if (applica) rs.ScriviCampo(k, col, dataReg);
    return;
  }
  if (dataReg.ToDate().Serial() > ora.ToDate().Serial()) rs.ScriviCampo(k, col, dataReg);
}

}  // namespace

int32_t AggArticoliProg(const std::string& psMagazzino, bool pbInverti, const std::string& psDirezione,
                        dati::GestRecordset& pgRecordset, const std::string& psChiaveTesta,
                        const std::string& psChiaveRighe, const std::string& psRighe, const std::string& psTabRighe,
                        std::string& psChiaveProg, const std::string& /*psChiaveCosti*/, double& pdVarGiac,
                        int16_t& piAggMedio, bool pbAggFornAbit, int16_t /*piSoloCalcVal*/,
                        double& /*pdValScaLire*/, double& /*pdValSca*/) {
  dati::GestRecordset& rs = pgRecordset;
  const std::string& kt = psChiaveTesta;
  const std::string& kr = psChiaveRighe;
  const Globali& g = G();
  StatoRiga& st = Stato();
  const bool applica = !Ug(psDirezione, "D");
  const double s = applica ? 1 : -1;

  piAggMedio = 0;
  pdVarGiac = 0;
  std::string k = vb::UCase(vb::Trim(T(rs, kt, "MagCausali.CarScar")));
  if (pbInverti) k = k == "C" ? "S" : k == "S" ? "C" : k;
  const bool meno = Ug(T(rs, kt, "MagCausali.Segno"), "-");
  const bool piu = Ug(T(rs, kt, "MagCausali.Segno"), "+");
  double q = 0, v = 0;
  if (k == "C") {
    q = meno ? -s : s;
    v = -q;
  } else if (k == "S") {
    q = meno ? -s : s;
    v = q;
  }
  const std::string tipoMov = T(rs, kt, "MagCausali.TipoMov");
  const bool iniziale = Ug(tipoMov, "V");
  const bool aggMedioCar = Ug(T(rs, kt, "MagCausali.AggMedioCar"), "S");
  const int16_t qualeProgr = Fc().ValInt(rs.LeggiCampo(kt, "MagCausali.QualeProgrQta"));
  const int16_t anno = I(rs, kt, "MovMagTes.Anno");
  const std::string articolo = T(rs, kr, "Articolo");
  const bool dettaglio = Ug(psRighe, "D");

  ChiudiSilenzioso(rs, psChiaveProg);
  const std::string livelli =
      dettaglio ? AziendaUtil::PrepSqlLivelli(0, vb::Missing, vb::Missing, true)
                : AziendaUtil::PrepSqlLivelli(0, rs.LeggiCampo(kr, psTabRighe + ".Livello1"),
                                              rs.LeggiCampo(kr, psTabRighe + ".Livello2"), false, true);
  psChiaveProg = OpenRs(rs,
                        "Select * from ArticoliProg" + std::string(" Where Anno = ") + In(anno) +
                            " And Magazzino = " + Tx(psMagazzino) + " And Articolo = " + Tx(articolo) + livelli,
                        2);
  const std::string& kp = psChiaveProg;
  double prima = 0;
  if (rs.NessunRecord(kp)) {
    // A reversal never creates a progressive row.
    if (!applica) return 0;
    rs.NuovoRecord(kp);
    rs.ScriviCampo(kp, "Anno", vb::Variant(anno));
    rs.ScriviCampo(kp, "Magazzino", vb::Variant(psMagazzino));
    rs.ScriviCampo(kp, "Articolo", vb::Variant(articolo));
    const std::string marcatore = "~ç~";
    std::string l1 = marcatore, l2 = marcatore;
    if (!dettaglio && Ug(servizi::Testo(servizi::ParamDitta("Mag.GesTaglie")), "S")) {
      l1 = T(rs, kr, psTabRighe + ".Livello1");
      l2 = T(rs, kr, psTabRighe + ".Livello2");
    }
    rs.ScriviCampo(kp, "Livello1", vb::Variant(l1));
    rs.ScriviCampo(kp, "Livello2", vb::Variant(l2));
    for (const char* c : {"QtaIniziale", "QtaCarico", "QtaScarico"}) rs.ScriviCampo(kp, c, vb::Variant(0.0));
  } else {
    prima = D(rs, kp, "QtaIniziale") + D(rs, kp, "QtaCarico") - D(rs, kp, "QtaScarico");
    rs.ModificaRecord(kp);
  }

  const vb::Variant dataReg = rs.LeggiCampo(kt, "MovMagTes.DataReg");
  if (k != "N") {
    bool caricato = false, scaricato = false;
    if (iniziale) {
      if (qualeProgr == 0) {
        if (applica) {
          st.mdQtaIniPrec = D(rs, kp, "QtaIniziale");
          st.mdValIniPrec = D(rs, kp, "ValIniziale");
          st.mdValIniLirePrec = D(rs, kp, "ValInizialeLire");
        }
        rs.ScriviCampo(kp, "QtaIniziale", vb::Variant(R(st.mdQtaMov, g.giNumDecQtaMag)));
        rs.ScriviCampo(kp, "ValInizialeLire", vb::Variant(R(st.mdValLireMov, g.giNumDecLire)));
        rs.ScriviCampo(kp, "ValIniziale", vb::Variant(R(st.mdValEuroMov, g.giNumDecEuro)));
        if (aggMedioCar) piAggMedio = 1;
        caricato = true;
      }
    } else if (k == "C") {
      Somma(rs, kp, "QtaCarico", q * st.mdQtaMov, g.giNumDecQtaMag);
      Somma(rs, kp, "ValCaricoLire", q * st.mdValLireMov, g.giNumDecLire);
      Somma(rs, kp, "ValCarico", q * st.mdValEuroMov, g.giNumDecEuro);
      if (aggMedioCar) piAggMedio = static_cast<int16_t>(q);
      caricato = true;
    } else if (k == "S") {
      Somma(rs, kp, "QtaScarico", q * st.mdQtaMov, g.giNumDecQtaMag);
      Somma(rs, kp, "ValScaricoLire", q * st.mdValLireMov, g.giNumDecLire);
      Somma(rs, kp, "ValScarico", q * st.mdValEuroMov, g.giNumDecEuro);
      if (aggMedioCar) piAggMedio = static_cast<int16_t>(-q);
      scaricato = true;
    }
    if (caricato) DataAvanti(rs, kp, "DataUltCarico", dataReg, applica);
    if (scaricato) DataAvanti(rs, kp, "DataUltScarico", dataReg, applica);
    if (v != 0 && !Ug(T(rs, kt, "MagCausali.ValorizzScarico"), "N")) {
      const double l = D(rs, kr, psTabRighe + ".ValScaricoLire");
      const double e = D(rs, kr, psTabRighe + ".ValScarico");
      Somma(rs, kp, "ValScaUCLire", v * l * st.mdQtaMov, g.giNumDecLire);
      Somma(rs, kp, "ValScaUC", v * e * st.mdQtaMov, g.giNumDecEuro);
    }
    // The habitual supplier follows a supplier movement being applied; one
    // taken off leaves the article's supplier as it is.
    if (applica && (Ug(T(rs, kt, "MagCausali.Prov"), "F") || Ug(T(rs, kt, "MagCausali.Dest"), "F")) &&
        pbAggFornAbit && Ug(servizi::Testo(servizi::ParamDitta("Mag.AggForArt")), "S")) {
      const std::string forn = "Update Articoli Set GruppoForAb = " + Tx(T(rs, kt, "MovMagTes.GruppoCliFor")) +
                               ", MastroForAb = " + Tx(T(rs, kt, "MovMagTes.MastroCliFor")) +
                               ", ContoForAb = " + Tx(T(rs, kt, "MovMagTes.ContoCliFor")) +
                               " Where Articolo = " + Tx(articolo);
      servizi::DbDitta().EseguiSql(G().gsConnAzienda, forn);
    }
  }

  if (qualeProgr > 0) {
    const std::string n = std::to_string(qualeProgr);
    if (iniziale) {
      rs.ScriviCampo(kp, "ProgrQtaIniz" + n, vb::Variant(st.mdQtaMov));
    } else {
      const bool provM = Ug(T(rs, kt, "MagCausali.Prov"), "M");
      const bool opposto = (k == "C" && meno) || (k == "S" && piu) ||
                           (k != "C" && k != "S" && ((provM && piu) || (!provM && meno)));
      const double t = opposto ? -s : s;
      Somma(rs, kp, "ProgrQta" + n, t * st.mdQtaMov, g.giNumDecQtaMag);
    }
  }

  const double dopo = D(rs, kp, "QtaIniziale") + D(rs, kp, "QtaCarico") - D(rs, kp, "QtaScarico");
  pdVarGiac = R(dopo - prima, g.giNumDecQtaMag);
  rs.SalvaRecord(kp);
  return 0;
}

}  // namespace UtilMovim

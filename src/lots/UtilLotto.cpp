// Lot operation kinds, lot stock, the deletion check and the lot states.
#include "lots/UtilLotto.h"

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace UtilLotto {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
bool Eq(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
std::string Tx(const std::string& v) { return Fc().ValoreSql(v, vb::vbString); }

double Num(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? 0.0 : v.ToDouble(); }

// The six lot conditions on table T.
std::string CondLotto(const std::string& t, const ChiaveLotto& l) {
  return t + ".Lotto = " + Tx(l.lotto) + " And " + t + ".NrProgLotto = " + Fc().ValoreSql(l.nrProg, vb::vbInteger) +
         " And " + t + ".Articolo = " + Tx(l.articolo) + " And " + t + ".GruppoCliFor = " + Tx(l.gruppo) + " And " +
         t + ".MastroCliFor = " + Tx(l.mastro) + " And " + t + ".ContoCliFor = " + Tx(l.conto);
}

// One source of the stock query.
struct Fonte {
  int tipoFile;
  const char* codice;     // table code
  const char* famiglia;   // document family
  const char* tabella;    // lot-row table
  const char* testata;    // header
  const char* numTest;    // number column of the header
  const char* magProv;    // warehouse columns of the header
  const char* magDest;
  const char* dettApp;    // working lines of an open document ("" for a working copy)
  const char* numApp;     // their number column
  bool fattura;
};

constexpr Fonte kFonti[] = {
    {1, "m", "m", "MovMagRintraccia", "MovMagTes", "NumReg", "MagazzinoProv", "MagazzinoDest", "MovMagDettApp",
     "NumReg", false},
    {2, "ma", "m", "MovMagRintracciaApp", "MovMagTes", "NumReg", "MagazzinoProv", "MagazzinoDest", "", "", false},
    {3, "d", "d", "DdtRintraccia", "DdtTest", "NumRif", "MagazzProv", "MagazzDest", "DdtDettApp", "NumRif", false},
    {4, "da", "d", "DdtRintracciaApp", "DdtTest", "NumRif", "MagazzProv", "MagazzDest", "", "", false},
    {5, "f", "f", "FattRintraccia", "FatTest", "NumRif", "MagazzProv", "", "FatDettApp", "NumRif", true},
    {6, "fa", "f", "FattRintracciaApp", "FatTest", "NumRif", "MagazzProv", "", "", "", true},
};

std::string SqlGiacenza(const std::string& psMagazzino, const ChiaveLotto& l, const std::string& psTipoFileEscl,
                        int16_t piAnno, int32_t plNumReg, int32_t plRigLiv, const std::string& psTipoFileDoc) {
  const std::string w = Tx(psMagazzino);
  const std::string y = Fc().ValoreSql(piAnno, vb::vbInteger);
  const std::string r = Fc().ValoreSql(plNumReg, vb::vbLong);
  const std::string v = Fc().ValoreSql(plRigLiv, vb::vbLong);
  const bool documento = piAnno > 0 && plNumReg > 0;
  std::string sql;
  for (const Fonte& f : kFonti) {
    const std::string t = f.tabella, h = f.testata;
    sql += sql.empty() ? "SELECT " : " Union SELECT ";
    sql += std::to_string(f.tipoFile) + " as tipoFile";
    if (f.fattura) {
      sql += ", Sum(Qta) AS QtaScarico, 0 AS QtaCarico";
    } else {
      sql += ", Sum(iif(TipOpe='S' or (TipOpe='I' and " + h + "." + f.magProv + " = " + w +
             "),Qta,0)) AS QtaScarico" + ", Sum(iif(TipOpe='C' or (TipOpe='I' and " + h + "." + f.magDest + " = " +
             w + "),Qta,0)) AS QtaCarico";
    }
    sql += " FROM " + t + " Inner Join " + h + " ON " + h + ".Anno = " + t + ".Anno AND " + h + "." + f.numTest +
           " = " + t + ".NumReg" + " Where " + CondLotto(t, l);
    if (f.fattura) {
      sql += " And " + t + ".TipOpe = " + Tx("S") + " And " + h + ".MagazzProv = " + w + " And isNull(" + h +
             ".Stato)" + " And Riepilogativa = 'N'";
    } else {
      sql += " And (" + h + "." + f.magProv + " = " + w + " OR " + h + "." + f.magDest + " = " + w + ")";
      if (std::string_view(f.testata) == "DdtTest") sql += " And isNull(DdtTest.Stato)";
    }
    const bool escludi =
        documento && (vb::UgualeTesto(psTipoFileEscl, f.codice) ||
                      (*f.dettApp == '\0' && vb::UgualeTesto(psTipoFileDoc, f.famiglia)));
    if (escludi) {
      sql += " AND (" + t + ".anno <> " + y + " Or " + t + ".NumReg <> " + r;
      if (plRigLiv > 0) sql += " Or " + t + ".RigLiv <> " + v;
      sql += ")";
    }
    if (*f.dettApp != '\0') {
      const std::string a = f.dettApp;
      sql += " and not exists(select Anno from " + a + " Where " + t + ".Anno = " + a + ".Anno AND " + t +
             ".NumReg = " + a + "." + f.numApp;
      if (documento && vb::UgualeTesto(psTipoFileDoc, f.famiglia))
        sql += " AND (" + a + ".anno <> " + y + " Or " + a + "." + f.numApp + " <> " + r + ")";
      sql += ")";
    }
  }
  return sql;
}

// The stock, errors raised to the caller.
double Giacenza(const std::string& psMagazzino, const ChiaveLotto& l, GiacenzaLotto& q,
                const std::string& psTipoFileEscl, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                const std::string& psTipoFileDoc) {
  q = GiacenzaLotto{};
  dati::GestRecordset rs;
  const std::string k =
      rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                       SqlGiacenza(psMagazzino, l, psTipoFileEscl, piAnno, plNumReg, plRigLiv, psTipoFileDoc), false, 4);
  while (!rs.FineRec(k)) {
    const long tipo = rs.LeggiCampo(k, "tipoFile").ToLong();
    const double scar = Num(rs.LeggiCampoNull(k, "QtaScarico"));
    const double car = Num(rs.LeggiCampoNull(k, "QtaCarico"));
    if (tipo == 1 || tipo == 2) {
      q.scarMov += scar;
      q.carMov += car;
    } else if (tipo == 3 || tipo == 4) {
      q.scarDdt += scar;
      q.carDdt += car;
    } else if (tipo == 5 || tipo == 6) {
      q.scarFatt += scar;
    }
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  q.scarTot = q.scarMov + q.scarFatt + q.scarDdt;
  q.carTot = q.carMov + q.carDdt;
  q.giacenza = q.carTot - q.scarTot;
  return q.giacenza;
}

bool HaGiacenza(double s) { return FunVarie::ArrotConfronta(s, 0.0, -8) == 1; }

// The stores the lot has lot rows in (movements by their causal's side,
// DDTs by their stores, the destination for transfers), in the order read.
std::vector<std::string> Magazzini(const ChiaveLotto& l) {
  const auto ramoMov = [&](const char* col, const std::string& t, const char* lato) {
    return std::string(" Select MovMagTes.") + col + " as Magazzino FROM (MovMagTes INNER JOIN " + t +
           " ON MovMagTes.NumReg = " + t + ".NumReg AND MovMagTes.Anno = " + t + ".Anno) INNER JOIN MagCausali" +
           " ON MovMagTes.MagCausale = MagCausali.MagCausale WHERE MagCausali." + lato + " = " + Tx("M") + " And " +
           CondLotto(t, l);
  };
  const auto ramoDdt = [&](const char* col, const std::string& t, bool interno) {
    std::string s = std::string(" Select DdtTest.") + col + " as Magazzino FROM (DdtTest INNER JOIN " + t +
                    " ON DdtTest.NumRif = " + t + ".NumReg AND DdtTest.Anno = " + t + ".Anno) WHERE " +
                    CondLotto(t, l);
    if (interno) s += " And " + t + ".TipOpe = " + Tx("I");
    return s;
  };
  const std::string sql = ramoMov("MagazzinoProv", "MovMagRintraccia", "Prov") + " UNION" +
                          ramoMov("MagazzinoDest", "MovMagRintraccia", "Dest") + " UNION" +
                          ramoMov("MagazzinoProv", "MovMagRintracciaApp", "Prov") + " UNION" +
                          ramoMov("MagazzinoDest", "MovMagRintracciaApp", "Dest") + " UNION" +
                          ramoDdt("MagazzProv", "DdtRintraccia", false) + " UNION" +
                          ramoDdt("MagazzDest", "DdtRintraccia", true) + " UNION" +
                          ramoDdt("MagazzProv", "DdtRintracciaApp", false) + " UNION" +
                          ramoDdt("MagazzDest", "DdtRintracciaApp", true);
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  std::vector<std::string> magazzini;
  while (!rs.FineRec(k)) {
    magazzini.push_back(servizi::Testo(rs.LeggiCampoNull(k, "Magazzino")));
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  return magazzini;
}

// The state of a lot; a failing stock query raises: a lot must not be
// closed (or opened) from a stock that was never read. The stores are those
// given, or those its lot rows name now.
std::string StatoLotto(const std::string& psTipOpe, const std::string& psMagaScar, const std::string& psMagaCar,
                       const ChiaveLotto& l, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                       const std::string& psTipoFileEscl, double pdQta, const std::string& psTipoFileDoc,
                       const std::vector<std::string>* pMagazzini = nullptr) {
  auto stock = [&](const std::string& mag) {
    GiacenzaLotto q;
    return Giacenza(mag, l, q, psTipoFileEscl, piAnno, plNumReg, plRigLiv, psTipoFileDoc);
  };
  const bool carica = Eq(psTipOpe, "C") || Eq(psTipOpe, "I");
  const bool scarica = Eq(psTipOpe, "S") || Eq(psTipOpe, "I");
  std::string caricoPend = psMagaCar, scaricoPend = psMagaScar;

  std::vector<std::string> letti;
  if (!pMagazzini) letti = Magazzini(l);
  const std::vector<std::string>& magazzini = pMagazzini ? *pMagazzini : letti;
  if (magazzini.empty()) return "A";
  bool aperto = false;
  for (const std::string& w : magazzini) {
    double s = stock(w);
    if (carica && vb::UgualeTesto(w, psMagaCar)) {
      s += pdQta;
      caricoPend.clear();
    }
    if (scarica && vb::UgualeTesto(w, psMagaScar)) {
      s -= pdQta;
      scaricoPend.clear();
    }
    if (HaGiacenza(s)) aperto = true;
  }
  if (carica && !Fc().Vuoto(caricoPend) && HaGiacenza(stock(caricoPend) + pdQta)) aperto = true;
  if (scarica && !Fc().Vuoto(scaricoPend) && HaGiacenza(stock(scaricoPend) - pdQta)) aperto = true;
  return aperto ? "A" : "C";
}

}  // namespace

std::string CalcLottoTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psSegno,
                            const std::string& psCausale, const std::string& psCausaliNoMovCar) {
  if (Eq(psTipoMov, "I")) return "I";
  if (Eq(psTipoMov, "V")) return "";
  if (Eq(psCarScar, "S") && Eq(psSegno, "+")) return "S";
  if (Eq(psCarScar, "C") && Eq(psSegno, "-")) return "S";
  if (Eq(psCarScar, "C") && Eq(psSegno, "+")) return "C";
  if (Eq(psCarScar, "S") && Eq(psSegno, "-")) return "C";
  if (Eq(psCarScar, "N") && AziendaUtil::CodiceInElenco(psCausale, psCausaliNoMovCar)) return "C";
  return "";
}

void CalcMagaScarCar(const std::string& psTipOpe, const std::string& psProv, const std::string& psDest,
                     const std::string& psUnitaDa, const std::string& psUnitaA, std::string& psMagaScar,
                     std::string& psMagaCar, std::string& psGruppo, std::string& pvMastro, std::string& pvConto) {
  psMagaScar.clear();
  psMagaCar.clear();
  psGruppo.clear();
  pvMastro.clear();
  pvConto.clear();
  auto produzione = [&] {
    psGruppo = servizi::Testo(servizi::ParamDitta("Mag.GruppoProd"));
    pvMastro = servizi::Testo(servizi::ParamDitta("Mag.MastroProd"));
    pvConto = servizi::Testo(servizi::ParamDitta("Mag.ContoProd"));
  };
  if (Eq(psTipOpe, "S")) {
    psMagaScar = Eq(psProv, "M") ? psUnitaDa : psUnitaA;
  } else if (Eq(psTipOpe, "C")) {
    if (Eq(psDest, "M")) {
      psMagaCar = psUnitaA;
      if (Eq(psProv, "F")) AziendaUtil::DividiConto(psUnitaDa, psGruppo, pvMastro, pvConto);
      else if (Eq(psProv, "N")) produzione();
    } else {
      psMagaCar = psUnitaDa;
      if (Eq(psDest, "F")) AziendaUtil::DividiConto(psUnitaA, psGruppo, pvMastro, pvConto);
      else if (Eq(psDest, "N")) produzione();
    }
  } else {
    psMagaScar = psUnitaDa;
    psMagaCar = psUnitaA;
  }
}

vb::Variant CalcGiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto, GiacenzaLotto& pgQta,
                          const std::string& psTipoFileEscl, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                          const std::string& psTipoFileDoc) {
  try {
    return vb::Variant(
        Giacenza(psMagazzino, pLotto, pgQta, psTipoFileEscl, piAnno, plNumReg, plRigLiv, psTipoFileDoc));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    pgQta = GiacenzaLotto{-1, -1, -1, -1, -1, -1, -1, -1};
    return vb::Variant(int16_t(-1));
  }
}

int16_t VerifCancLotto(const std::string& psTipOpe, const std::string& psMagaScar, const std::string& psMagaCar,
                       const ChiaveLotto& pLotto, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                       const std::string& psTipoFileEscl, std::string& psTesto) {
  psTesto.clear();
  const int16_t decQta = G().giNumDecQta;
  double qta = 0;
  bool scarso = false;
  auto esamina = [&](const std::string& mag) {
    GiacenzaLotto q;
    const double g = CalcGiacLotto(mag, pLotto, q, psTipoFileEscl, piAnno, plNumReg, plRigLiv, "").ToDouble();
    scarso = FunVarie::ArrotConfronta(g, 0.0, -8) == -1;
    qta = Fc().Arrotonda(g, "A", 1, -decQta);
  };
  std::string etichetta = "disponibile dopo la cancellazione";
  if (Eq(psTipOpe, "C") || Eq(psTipOpe, "S")) {
    esamina(Eq(psTipOpe, "C") ? psMagaCar : psMagaScar);
  } else {
    esamina(psMagaScar);
    etichetta = "disponibile dopo la cancellazione per magazzino " + psMagaScar;
    if (!scarso) {
      esamina(psMagaCar);
      etichetta = "disponibile dopo la cancellazione per magazzino " + psMagaCar;
    }
  }
  if (!scarso) return 0;
  psTesto = std::string("Quantità caricata insufficiente per gli scarichi richiesti") + "\r\n" + "Articolo: " +
            pLotto.articolo + " - Lotto: " + pLotto.lotto + "\r\n" + "Quantità " + etichetta + ": " +
            Fc().MascheraNum(qta, decQta, {}, false, "#,##0", 0, {}, "^");
  return 1;
}

bool CercaLottoRiga(const std::string& psArticolo1, const std::string& psArticolo2, const std::string& psTabTracc,
                    int16_t piAnno, int32_t plNumReg, std::string& psGruppo, std::string& psMastro,
                    std::string& psConto, std::string& psLotto, int16_t& piNrProgLotto, int32_t plRigLiv) {
  if (vb::UgualeTesto(vb::Trim(psArticolo1), vb::Trim(psArticolo2))) return false;
  std::string sql = "Select GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto from " + psTabTracc +
                    " Where Anno = " + Fc().ValoreSql(piAnno, vb::vbInteger) +
                    " And NumReg = " + Fc().ValoreSql(plNumReg, vb::vbLong);
  if (plRigLiv > 0) sql += " And RigLiv = " + Fc().ValoreSql(plRigLiv, vb::vbLong);
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  const bool trovato = !rs.NessunRecord(k);
  if (trovato) {
    psGruppo = servizi::Testo(rs.LeggiCampo(k, "GruppoCliFor"));
    psMastro = servizi::Testo(rs.LeggiCampo(k, "MastroCliFor"));
    psConto = servizi::Testo(rs.LeggiCampo(k, "ContoCliFor"));
    psLotto = servizi::Testo(rs.LeggiCampo(k, "Lotto"));
    piNrProgLotto = Fc().ValInt(rs.LeggiCampo(k, "NrProgLotto"));
  }
  rs.ChiudiRecordset(k);
  return trovato;
}

namespace {
// The lots of the lot rows of a document (line plRigLiv when above 0), one
// per row, in the order read.
std::vector<ChiaveLotto> RigheLotti(const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                                    int32_t plRigLiv) {
  std::string sql = "Select Articolo, GruppoCliFor, MastroCliFor, ContoCliFor ,Lotto, NrProgLotto from " +
                    psTabTracc + " Where Anno = " + Fc().ValoreSql(piAnno, vb::vbInteger) +
                    " And NumReg = " + Fc().ValoreSql(plNumReg, vb::vbLong);
  if (plRigLiv > 0) sql += " And RigLiv = " + Fc().ValoreSql(plRigLiv, vb::vbLong);
  std::vector<ChiaveLotto> v;
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  while (!rs.FineRec(k)) {
    ChiaveLotto l;
    l.articolo = servizi::Testo(rs.LeggiCampo(k, "Articolo"));
    l.gruppo = servizi::Testo(rs.LeggiCampo(k, "GruppoCliFor"));
    l.mastro = servizi::Testo(rs.LeggiCampo(k, "MastroCliFor"));
    l.conto = servizi::Testo(rs.LeggiCampo(k, "ContoCliFor"));
    l.lotto = servizi::Testo(rs.LeggiCampo(k, "Lotto"));
    l.nrProg = static_cast<int16_t>(rs.LeggiCampo(k, "NrProgLotto").ToLong());
    v.push_back(std::move(l));
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  return v;
}
}  // namespace

std::vector<LottoRighe> LottiRighe(const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                                   int32_t plRigLiv) {
  std::vector<LottoRighe> v;
  for (ChiaveLotto& l : RigheLotti(psTabTracc, piAnno, plNumReg, plRigLiv)) {
    std::vector<std::string> magazzini = Magazzini(l);
    v.push_back({std::move(l), std::move(magazzini)});
  }
  return v;
}

int16_t VerifCancLotti(const std::string& psTipOpe, const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                       const std::string& psMagaScar, const std::string& psMagaCar,
                       const std::string& psTipoFileEscl, std::string& psTesto, int32_t plRigLiv,
                       ChiaveLotto* pLotto) {
  for (const ChiaveLotto& l : RigheLotti(psTabTracc, piAnno, plNumReg, plRigLiv)) {
    std::string testo;
    if (VerifCancLotto(psTipOpe, psMagaScar, psMagaCar, l, piAnno, plNumReg, plRigLiv, psTipoFileEscl, testo) > 0) {
      psTesto = testo;
      if (pLotto) *pLotto = l;
      return 1;
    }
  }
  return 0;
}

void ScriviStatoLotto(const ChiaveLotto& l, const std::string& psStato) {
  servizi::DbDitta().EseguiSql(
      G().gsConnAzienda,
      "Update Lotti Set Chiuso = " + Tx(psStato) + " Where Articolo = " + Tx(l.articolo) +
          " And GruppoCliFor = " + Tx(l.gruppo) + " And MastroCliFor = " + Tx(l.mastro) +
          " And ContoCliFor = " + Tx(l.conto) + " And Lotto = " + Tx(l.lotto) +
          " And NrProgLotto = " + Fc().ValoreSql(l.nrProg, vb::vbInteger) + " And Chiuso <> " + Tx("F"));
}

bool AggStatoLotto(const std::string& psTipOpe, const std::string& psMagaScar, const std::string& psMagaCar,
                   const ChiaveLotto& pLotto, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                   const std::string& psTipoFileEscl, double pdQta, const std::string& psTipoFileDoc) {
  ScriviStatoLotto(pLotto, StatoLotto(psTipOpe, psMagaScar, psMagaCar, pLotto, piAnno, plNumReg, plRigLiv,
                                      psTipoFileEscl, pdQta, psTipoFileDoc));
  return true;
}

void AggStatoLotti(const std::vector<LottoRighe>& pLotti, const std::string& psTipOpe,
                   const std::string& psMagaScar, const std::string& psMagaCar, int16_t piAnno, int32_t plNumReg,
                   int32_t plRigLiv, const std::string& psTipoFileEscl) {
  for (const LottoRighe& r : pLotti)
    ScriviStatoLotto(r.lotto, StatoLotto(psTipOpe, psMagaScar, psMagaCar, r.lotto, piAnno, plNumReg, plRigLiv,
                                         psTipoFileEscl, 0, "", &r.magazzini));
}

bool AggStatoLottiRighe(const std::string& psTipOpe, const std::string& psTabTracc, int16_t piAnno,
                        int32_t plNumReg, const std::string& psMagaScar, const std::string& psMagaCar,
                        const std::string& psTipoFileEscl, int32_t plRigLiv) {
  try {
    for (const ChiaveLotto& l : RigheLotti(psTabTracc, piAnno, plNumReg, plRigLiv))
      AggStatoLotto(psTipOpe, psMagaScar, psMagaCar, l, piAnno, plNumReg, plRigLiv, psTipoFileEscl, 0, "");
    return true;
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return false;
  }
}

std::string SqlGiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto, const std::string& psTipoFileEscl,
                         int16_t piAnno, int32_t plNumReg, int32_t plRigLiv, const std::string& psTipoFileDoc) {
  return SqlGiacenza(psMagazzino, pLotto, psTipoFileEscl, piAnno, plNumReg, plRigLiv, psTipoFileDoc);
}

double GiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto, GiacenzaLotto& pgQta,
                 const std::string& psTipoFileEscl, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                 const std::string& psTipoFileDoc) {
  return Giacenza(psMagazzino, pLotto, pgQta, psTipoFileEscl, piAnno, plNumReg, plRigLiv, psTipoFileDoc);
}

}  // namespace UtilLotto

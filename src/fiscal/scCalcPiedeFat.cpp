// The footer engine: the run, its reset and error log, the queries, the
// reading of the header and of the stamp-duty parameters.
#include "fiscal/scCalcPiedeFat.h"

#include <algorithm>
#include <exception>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

constexpr int kMaxRigheLog = 30;

}  // namespace

scCalcPiedeFat::scCalcPiedeFat() = default;
scCalcPiedeFat::~scCalcPiedeFat() = default;

// ------------------------------------------------------------------ run

void scCalcPiedeFat::CalcPiedeFat(int16_t piAnno, int32_t plNumRif, bool pbCalcRitAcc,
                                  double pdPercRitAcc, const vb::Variant& pvAddBolli) {
  AzzeraVarPiede();
  miAnno = piAnno;
  mlNumRif = plNumRif;
  mbCalcRitAcc = pbCalcRitAcc;
  mbRitAccFatta = false;
  mbBolli = mbBolliScad = false;
  msIvaBolli.clear();
  msContoBolli.clear();
  mcPercBolli = mcArrotBolli = mcMaxNoBollo = mcBolloEsente = vb::Currency();
  msModoArrBolli.clear();
  mdMinBolli = mdMaxBolli = 0;
  std::fill(std::begin(mcScaglione), std::end(mcScaglione), vb::Currency());
  std::fill(std::begin(mcBolloScag), std::end(mcBolloScag), vb::Currency());
  mcMerceNetta = vb::Currency();
  mkTesta.clear();
  mkBolli.clear();
  mkDett.clear();
  msSqlEseguite.clear();
  mmPercSconto.clear();

  try {
    if (LeggiTestata()) {
      LeggiBolli();
      if (LeggiDettagli()) {
        LeggiSpese();
        RipartizioneIvaSpese();
        if (!pbCalcRitAcc) CalcolaRitenuta(pdPercRitAcc);
        CalcolaTotali();
        if (!pbCalcRitAcc && mbBolli) CalcolaBolli(pvAddBolli);
        ParteFinale();
      }
    }
  } catch (const vb::Errore& e) {
    AggErrore(e.Number(), e.Description());
  } catch (const std::exception& e) {
    AggErrore(vb::ErrChiamataNonValida, e.what());
  }
  msFase.clear();
  moRs.reset();
}

void scCalcPiedeFat::AzzeraVarPiede() {
  ogIve.Clear();
  odTotMerce = odTotEsente = odTotEsenteAppBol = odTotSpese = odTotFattura = odTotIva =
      odTotBolli = odAbbuono = odAcconto = odTotOmaggi = odTotOmaggiNoIva = odTotPagare =
          odTotImponibile = odTotImpOmaggi = odTotImpRitAcc = odTotImpRitAccEff = odRitAcc =
              odScontoPag = vb::Currency();
  obFattEsente = obApplScontoPag = obOmaSIvaPres = obOmaTotPres = false;
  osErrori.clear();
  osGruppoBol.clear();
  osMastroBol.clear();
  osContoBol.clear();
  osScontoPag.clear();
  oiNumErrori = 0;
  oiNumSconti = 0;
  mdTotMerceSco.assign(1, 0.0);
  ogSpese.Azzera();
  ogSpesePerc.Azzera();
}

// ------------------------------------------------------------ error log

void scCalcPiedeFat::AggRigaLog(const std::string& psRiga) {
  // At most 30 lines; the dots say that more were counted than written.
  if (oiNumErrori < kMaxRigheLog) {
    osErrori += psRiga;
  } else if (oiNumErrori == kMaxRigheLog) {
    osErrori += "..............";
  }
  if (oiNumErrori < INT16_MAX) ++oiNumErrori;
}

void scCalcPiedeFat::AggErrore(long plNumErr, const std::string& psDescr) {
  AggRigaLog("Errore n°" + std::to_string(FC().CodiceErrore(plNumErr)) + " : " + psDescr + " in " +
             " CalcPiedeFat (" + msFase + ") " + "\r\n");
}

// -------------------------------------------------------------- queries

std::string scCalcPiedeFat::PrepSqlTesta() const {
  const std::string& T = osTabTesta;
  const bool fattura = vb::UgualeTesto(T, "FatTest");
  const bool acquisto = vb::UgualeTesto(T, "OrdAcqTes");
  const bool fornitore = vb::UgualeTesto(osTipoGest, "A");
  std::string s = "SELECT " + T + ".Acconto";
  if (AziendaUtil::EsisteCampo(vb::Variant(T), vb::Variant("ScoPagSuDett"))) s += ", " + T + ".ScoPagSuDett";
  if (fattura) s += ", " + T + ".Abbuono" + ", " + T + ".Bolli";
  s += ", " + T + ".DataRif";
  if (!acquisto)
    s += ", " + T + ".GruppoCli" + ", " + T + ".MastroCli" + ", " + T + ".ContoCli" + ", " + T +
         ".PercRitAcc";
  else
    s += ", " + T + ".GruppoFor" + ", " + T + ".MastroFor" + ", " + T + ".ContoFor";
  if (fattura || vb::UgualeTesto(T, "DdtTest")) s += ", " + T + ".Peso";
  s += ", " + T + ".Moneta" + ", " + T + ".Pagamento" + ", " + T + ".PrezziIvati" + ", " + T +
       ".ScontoPag";
  s += ", FattDocumenti.RegimeMargine, FattDocumenti.Segno, FattDocumenti.FattDocumento";
  s += ", Monete.NumDec";
  s += ", PagTipi.TipoEffetto, PagTipi.AddBolli, Pagamenti.NumScad";
  s += ", TabIva.TipoIva";
  s += ", Stati.Cee,Stati.Iso";
  s += " FROM";
  s += " ((((((" + T + " ";
  s += " LEFT JOIN Monete ON " + T + ".Moneta = Monete.Moneta)";
  s += " LEFT JOIN FattDocumenti ON " + T + ".FattDocumento = FattDocumenti.FattDocumento)";
  s += " LEFT JOIN Pagamenti ON " + T + ".Pagamento = Pagamenti.Pagamento)";
  s += " LEFT JOIN PagTipi ON Pagamenti.PagTipo = PagTipi.PagTipo)";
  s += " LEFT JOIN TabIva ON " + T + ".Iva = TabIva.Iva)";
  s += " LEFT JOIN PianoConti";
  if (fornitore)
    s += " ON " + T + ".GruppoFor = PianoConti.Gruppo" + " AND " + T + ".MastroFor = PianoConti.Mastro" +
         " AND " + T + ".ContoFor = PianoConti.Conto)";
  else
    s += " ON " + T + ".GruppoCli = PianoConti.Gruppo" + " AND " + T + ".MastroCli = PianoConti.Mastro" +
         " AND " + T + ".ContoCli = PianoConti.Conto)";
  s += " LEFT JOIN Stati ON PianoConti.Stato = Stati.Stato";
  s += " Where";
  s += " " + T + ".NumRif = " + FC().ValoreSql(vb::Variant(mlNumRif), vb::vbLong);
  s += " And " + T + ".Anno = " + FC().ValoreSql(vb::Variant(miAnno), vb::vbInteger);
  return s;
}

std::string scCalcPiedeFat::PrepSqlDett(bool pbGestVuotiCauz) const {
  const std::string& D = osTabDett;
  const std::string& L = osTabLiv;
  const std::string cauzione =
      pbGestVuotiCauz ? ",Articoli.Cauzione as ArtCauzione" : ",'N' as ArtCauzione";
  const std::string conto = D + ".gruppoven & " + D + ".MastroVen & " + D + ".contoVen";
  const std::string numero = FC().ValoreSql(vb::Variant(mlNumRif), vb::vbLong);
  const std::string anno = FC().ValoreSql(vb::Variant(miAnno), vb::vbInteger);
  std::string s;
  if (!FC().Vuoto(vb::Variant(L)) && mbGesTaglie) {
    s = "SELECT " + D + ".* " + "," + conto + " AS Conto" + "," + L + ".* " + ",TabIva.*" + cauzione;
    s += " FROM ";
    if (pbGestVuotiCauz) s += "(";
    s += "(" + D + "  " + " LEFT JOIN TabIva ON " + D + ".Iva = TabIva.Iva)";
    s += " LEFT JOIN " + L + " ON " + D + ".RigLiv = " + L + ".RigLiv" + " AND " + D + ".NumRif = " + L +
         ".NumRif" + " AND " + D + ".Anno = " + L + ".Anno";
    if (pbGestVuotiCauz) s += ") LEFT JOIN Articoli ON " + D + ".Articolo = Articoli.Articolo";
    s += " Where " + D + ".NumRif = " + numero + " And " + D + ".Anno = " + anno;
    s += " and (" + D + ".TipoRiga = " + FC().ValoreSql(vb::Variant("M"), vb::vbString) + " or " + D +
         ".TipoRiga = " + FC().ValoreSql(vb::Variant("A"), vb::vbString) + ")";
  } else {
    s = "SELECT " + D + ".*" + "," + conto + " AS Conto" + ",TabIva.*" + cauzione;
    s += " FROM ";
    if (pbGestVuotiCauz) s += "(";
    s += D + " LEFT JOIN TabIva ON " + D + ".Iva = TabIva.Iva";
    if (pbGestVuotiCauz) s += ") LEFT JOIN Articoli ON " + D + ".Articolo = Articoli.Articolo";
    s += " Where " + D + ".NumRif = " + numero + " And " + D + ".Anno = " + anno;
  }
  s += " order by " + D + ".Iva," + conto + "," + D + ".RigDet";
  return s;
}

std::string scCalcPiedeFat::PrepSqlSpese() const {
  const std::string& E = osTabSpese;
  std::string s = "SELECT " + E + ".*" + ",TabIva.*" + ",Spese.*";
  s += " FROM (" + E + " LEFT JOIN TabIva ON " + E + ".Iva = TabIva.Iva)";
  s += " LEFT JOIN Spese ON " + E + ".Spesa = Spese.Spesa";
  s += " Where " + E + ".Anno = " + FC().ValoreSql(vb::Variant(miAnno), vb::vbInteger);
  s += " And " + E + ".NumRif = " + FC().ValoreSql(vb::Variant(mlNumRif), vb::vbLong);
  s += " Order BY " + E + ".Iva" + " ,spese.gruppo & spese.Mastro & spese.conto";
  return s;
}

// ---------------------------------------------------- reading the rows

std::string scCalcPiedeFat::Apri(const std::string& psSql) {
  if (!moRs) moRs = std::make_unique<dati::GestRecordset>();
  msSqlEseguite.push_back(psSql);
  return moRs->ApriRecordset(fiscal::DbAzienda(), G().gsConnAzienda, "", psSql, false, 4);
}

// A column the query does not hold reads as empty: the header query, for
// one, selects Abbuono and Bolli only for invoices.
vb::Variant scCalcPiedeFat::Campo(const std::string& k, const std::string& psNome) const {
  dati::Recordset& rs = moRs->RecordsetDao(k);
  const int i = rs.Indice(psNome);
  if (i < 0) return vb::Variant();
  return rs.Valore(i);
}

std::string scCalcPiedeFat::Testo(const std::string& k, const std::string& psNome) const {
  vb::Variant v = Campo(k, psNome);
  if (v.IsNull() || v.IsEmpty()) return {};
  if (const std::string* s = v.StringPtr()) return *s;
  return v.ToString();
}

double scCalcPiedeFat::Numero(const std::string& k, const std::string& psNome) const {
  vb::Variant v = Campo(k, psNome);
  if (v.IsNull() || v.IsEmpty()) return 0;
  return FC().ValDouble(v, true);
}

vb::Currency scCalcPiedeFat::Importo(const std::string& k, const std::string& psNome) const {
  vb::Variant v = Campo(k, psNome);
  if (v.IsNull() || v.IsEmpty()) return vb::Currency();
  if (v.IsString()) return vb::Currency::FromDouble(FC().ValDouble(v, true));
  return v.ToCurrency();
}

// Rounding to the document decimals, mode "A": on an amount it is exact
// integer work on the ten-thousandths.
vb::Currency scCalcPiedeFat::Arr(vb::Currency c) const {
  if (miNumDec >= 4) return c;
  if (miNumDec < 0) return ArrDouble(c.ToDouble());
  int64_t unita = 1;
  for (int i = miNumDec; i < 4; ++i) unita *= 10;
  const int64_t r = c.Raw();
  int64_t q = r / unita;
  const int64_t resto = r % unita;
  if ((resto < 0 ? -resto : resto) * 2 >= unita) q += r < 0 ? -1 : 1;
  return vb::Currency::FromRaw(q * unita);
}

vb::Currency scCalcPiedeFat::ArrDouble(double d) const {
  return vb::Currency::FromDouble(calcolo::Arr(d, "A", miNumDec));
}

// --------------------------------------------------- phase 1: the header

bool scCalcPiedeFat::LeggiTestata() {
  msFase = "Lettura testata";
  const std::string& T = osTabTesta;
  mbGesTaglie = vb::UgualeTesto(fiscal::LeggiParam("Mag.GesTaglie"), "S");
  msContoVenDef = fiscal::LeggiParam("CauCon.GruppoVen") + fiscal::LeggiParam("CauCon.MastroVen") +
                  fiscal::LeggiParam("CauCon.ContoVen");
  mbGestVuotiCauz = vb::UCase(fiscal::LeggiParPers("Fatture", "GestVuotiCauz", "")) == "S";
  obCassaPrevNoImpon = vb::UCase(fiscal::LeggiParPers("Tutti", "CassaPrevNoImpon", "")) == "S";

  mkTesta = Apri(PrepSqlTesta());
  if (moRs->NessunRecord(mkTesta)) {
    AggErrore(0, "Non è stata trovata la testata del doc. " + std::to_string(mlNumRif) + " " +
                     std::to_string(miAnno));
    return false;
  }
  mbScoPagSuDett = vb::UgualeTesto(Testo(mkTesta, T + ".ScoPagSuDett"), "S");
  msRegimeMargine = Testo(mkTesta, "FattDocumenti.RegimeMargine");
  msPrezziIvati = vb::UgualeTesto(Testo(mkTesta, "PrezziIvati"), "S") ? "S" : "N";
  // A currency without its row in Monete has no decimals: that ends the run.
  miNumDec = moRs->LeggiCampoNull(mkTesta, "Monete.NumDec").ToInt();
  msMoneta = Testo(mkTesta, T + ".Moneta");
  msTipoEffetto = vb::Trim(Testo(mkTesta, "PagTipi.TipoEffetto"));
  odAbbuono = Importo(mkTesta, T + ".Abbuono");
  odAcconto = Importo(mkTesta, T + ".Acconto");
  osScontoPag = vb::Trim(Testo(mkTesta, T + ".ScontoPag"));
  if (osScontoPag.empty()) {
    odScontoPag = vb::Currency();
  } else {
    bool errore = false;
    const double perc = AziendaUtil::CalcPercSconto(osScontoPag, errore, 0, 6);
    odScontoPag = errore ? vb::Currency() : vb::Currency::FromDouble(perc);
  }
  mbBolli = false;
  return true;
}

// ------------------------------------------ phase 2: stamp-duty parameters

void scCalcPiedeFat::LeggiBolli() {
  msFase = "Lettura bolli";
  const bool lira = vb::UgualeTesto(msMoneta, G().gsCodLira);
  if (!lira && !vb::UgualeTesto(msMoneta, G().gsCodEuro)) return;
  mkBolli = Apri("Select TaBolli.* , Tabiva.* FROM TaBolli left join Tabiva on TaBolli.CodEseBollo = TabIva.Iva");
  if (moRs->NessunRecord(mkBolli)) return;
  mbBolli = true;
  msIvaBolli = Testo(mkBolli, "TaBolli.CodEseBollo");
  osGruppoBol = Testo(mkBolli, "TaBolli.GruppoBol");
  osMastroBol = Testo(mkBolli, "TaBolli.MastroBol");
  osContoBol = Testo(mkBolli, "TaBolli.ContoBol");
  msContoBolli = osGruppoBol + osMastroBol + osContoBol;
  mcPercBolli = vb::Currency::FromDouble(Numero(mkBolli, "TaBolli.PercBolloTratte"));
  const std::string suff = lira ? "Lire" : "";
  mcMaxNoBollo = Importo(mkBolli, "TaBolli.MaxNoBollo" + suff);
  mcBolloEsente = Importo(mkBolli, "TaBolli.BolloEsente" + suff);
  mcArrotBolli = Importo(mkBolli, "TaBolli.Arrotond" + suff);
  const vb::Currency tetto = vb::Currency::FromLong(99999999999999LL);
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    mcScaglione[i] = std::min(Importo(mkBolli, "TaBolli.Sca" + n + "BolRB" + suff), tetto);
    mcBolloScag[i] = Importo(mkBolli, "TaBolli.Bollo" + n + "RB" + suff);
  }
}

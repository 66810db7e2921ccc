// The rows of the level-row list: the grid's query and columns, the
// totals, the page's hooks with the running totals, the automatic creation
// of the missing pairs and the clean-up of rows without quantity.
#include <exception>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "levels/frmDDtDeLiv.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/barre/Avanzamento.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
const char* const kTab = "DDtLivApp";

}  // namespace

// ------------------------------------------------------------ query

std::string frmDDtDeLiv::PrepSql() {
  const Globali& g = G();
  const auto& fc = FC();
  const std::string t = kTab;
  const std::string sql =
      "Select " + t + ".Anno, " + t + ".NumRif, " + t + ".RigLiv, " + t + ".Livello1 as Livello1" +
      ", Livelli1.Descrizione as Descr_1, " + t + ".Livello2 as Livello2, Livelli2.Descrizione as Descr_2, " + t +
      ".Qta, " + t + ".ValUnitario, " + t + ".ValTotale, " + t + ".ScontoTot, iif(" +
      fc.ValoreSql(vb::Variant(g.gsMonetaDitta), vb::vbString) + " = " +
      fc.ValoreSql(vb::Variant(g.gsCodLira), vb::vbString) + ", " + t + ".ValLire, " + t +
      ".ValEuro) as ValAggMag, " + t + ".ValLire, " + t + ".ValEuro, " + t + ".UM, " + t + ".FatCon FROM (" + t +
      " LEFT JOIN Livelli as Livelli1 ON Livelli1.Livello = " + t + ".Livello1) LEFT JOIN Livelli as Livelli2" +
      " ON Livelli2.Livello = " + t + ".Livello2 where " + t + ".Anno = " +
      fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t + ".NumRif = " +
      fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND " + t + ".RigLiv = " +
      fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong) + " Order BY " + t + ".Livello1, " + t + ".Livello2";
  CalcTotDocum();
  return sql;
}

void frmDDtDeLiv::PersColonne() {
  if (!mpLinPag) return;
  auto& p = *mpLinPag;
  auto ignora = [](auto&& f) {
    try {
      f();
    } catch (...) {
    }
  };
  const std::string c1 = label1(30).Caption(), c2 = label1(40).Caption();
  ignora([&] { p.TitoloColonna("Livello1", c1); });
  ignora([&] { p.TitoloColonna("Descr_1", "Descr_" + c1); });
  ignora([&] { p.TitoloColonna("Livello2", c2); });
  ignora([&] { p.TitoloColonna("Descr_2", "Descr_" + c2); });
  ignora([&] { p.LargColonna(c1, 900); });
  ignora([&] { p.LargColonna("Descr_" + c1, 1900); });
  if (FC().Vuoto(vb::Variant(ofrmRiga->LivGruppo2()))) {
    ignora([&] { p.NascondiColonna(c2); });
    ignora([&] { p.NascondiColonna("Descr_" + c2); });
  } else {
    ignora([&] { p.LargColonna(c2, 900); });
    ignora([&] { p.LargColonna("Descr_" + c2, 1900); });
  }
  ignora([&] { p.LargColonna("Qta", 800); });
  for (const char* c : {"ValUnitario", "ValTotale", "ScontoTot", "ValAggMag"})
    ignora([&] { p.LargColonna(c, 1000); });
  ignora([&] { p.FormatColonna("ValAggMag", G().gsMascMonetaVar); });
  if (!G().gbDisabTermVisPrz) return;
  for (const char* c : {"ValUnitario", "ValTotale", "ScontoTot", "ValAggMag"})
    ignora([&] { p.NascondiColonna(c); });
}

// ------------------------------------------------------------ totals

void frmDDtDeLiv::MostraTotali(double pdQta, double pdTot, const char* psMascQta) {
  const auto& fc = FC();
  lab(280).SetCaption(fc.MascheraNum(pdTot, Par().oiNumDecMon, {}, false, "#,##^", 0, "", "0"));
  lab(270).SetCaption(fc.MascheraNum(pdQta, miNumDecQta, {}, false, psMascQta, 0, "", "^"));
}

void frmDDtDeLiv::CalcTotDocum() {
  const Globali& g = G();
  const auto& fc = FC();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      *g.goDbAzienda, g.gsConnAzienda, "",
      std::string("SELECT Sum(ValTotale) as TotDocum , Sum(Qta) as TotQta FROM ") + kTab +
          " WHERE Anno = " + fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
          " AND NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) +
          " AND RigLiv = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong),
      false, 4);
  const double tot = fc.ValDouble(rs.LeggiCampo(k, "TotDocum"), true);
  const double qta = fc.ValDouble(rs.LeggiCampo(k, "TotQta"), true);
  rs.ChiudiRecordset(k);
  MostraTotali(qta, tot, "#,##0");
}

// ------------------------------------------------------------ hooks

vb::Variant frmDDtDeLiv::PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvArray;
  const auto& fc = FC();
  auto& p = ogLinPag();
  auto memorizzato = [&](const char* col) {
    return p.OggDati().LeggiCampo(p.ChiaveDati(), std::string(kTab) + "." + col);
  };
  switch (piOper) {
    case 0:
      // While a price is carried over the row does not count as changed.
      if (!mbAggPrezziFinito) {
        pvRit = std::string();
        return int16_t(1);
      }
      break;
    case 8:
      lab(30).SetCaption("");
      lab(40).SetCaption("");
      lab(130).SetCaption("");
      lab(140).SetCaption("");
      label1(140).SetVisible(false);
      break;
    case 13:
      if (p.Stato() == 1) {
        mbPrezzoCambiato = fc.ValDouble(vb::Variant(txt(60).Text()), true) != fc.ValDouble(memorizzato("ValUnitario"), true);
        mbScontoCambiato = !vb::UgualeTesto(servizi::Testo(memorizzato("ScontoTot")), txt(80).Text());
        mdQtaPrec = fc.ValDouble(memorizzato("Qta"), true);
        mdTotPrec = fc.ValDouble(memorizzato("ValTotale"), true);
      } else {
        mbPrezzoCambiato = true;
        mbScontoCambiato = !vb::UgualeTesto(osDetScontoTot, txt(80).Text());
        mdQtaPrec = 0;
        mdTotPrec = 0;
      }
      break;
    case 19: {
      const double qta = NumLab(270) - fc.ValDouble(memorizzato("Qta"), true);
      const double tot = NumLab(280) - fc.ValDouble(memorizzato("ValTotale"), true);
      MostraTotali(qta, tot, "#,##");
      break;
    }
    default:
      break;
  }
  return int16_t(0);
}

vb::Variant frmDDtDeLiv::PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  (void)pvArray;
  const Globali& g = G();
  auto& p = ogLinPag();
  switch (piOper) {
    case 4:
      txt(30).SetBackColor(g.glColoreSfondo);
      txt(40).SetBackColor(g.glColoreSfondo);
      MostraScontiDet();
      osModScontoQta = "N";
      break;
    case 8:
      if (FC().ValDouble(vb::Variant(g.gsQtaDef), true) > 0) {
        msValPrec[50].clear();
        const int16_t prima = miCampoCom;
        miCampoCom = -1;
        txt_LostFocus(50);
        miCampoCom = prima;
        msValPrec[50] = txt(50).Text();
      }
      break;
    case 10:
      if (pvRit.ToString().empty() && (mbScontoCambiato || mbPrezzoCambiato)) {
        mdPrezzoAgg = Num(60);
        msLivello1Agg = txt(30).Text();
        miPassoTimer = 2;
        if (Caricata() && !mbInCreazione) timLinPag().SetEnabled(true);
      }
      osDetScontoClie = txt(120).Text();
      osDetScontoTab = txt(110).Text();
      osDetScontoArt = txt(90).Text();
      osDetScontoQta = txt(100).Text();
      osDetScontoTot = txt(80).Text();
      p.Campi("ScontoTot").osAzzCampo = txt(80).Text();
      break;
    case 13: {
      const double tot = NumLab(280) - mdTotPrec + Num(70);
      const double qta = NumLab(270) - mdQtaPrec + Num(50);
      MostraTotali(qta, tot, "#,##0");
      break;
    }
    case 16: {
      AziendaUtil::DecodCodiceOpz("Livello", txt(30), &lab(30), {aiuti::ChiaveAgg(osArticolo), aiuti::ChiaveAgg(1)});
      AziendaUtil::DecodCodiceOpz("Livello", txt(40), &lab(40), {aiuti::ChiaveAgg(osArticolo), aiuti::ChiaveAgg(2)});
      MostraDispGiac();
      if (miRigaCancellata == 1) {
        miRigaCancellata = 0;
        if (!vb::UgualeTesto(osPromozione, "S")) {
          const ParDettaglio& par = Par();
          double rid = odPercRidProvvQta;
          if (UtilDocFattGest::RicScontoQta(txt(20).Text(), QtaTot(), txt(710).Text(), odQtaPrezzo, osModScontoQta,
                                            osDetScontoQta, txt(100).Text(), par.osIntTipo, par.osIntest,
                                            par.osCategoria, ofrmRiga->ArtGruppo(), ofrmRiga->ArtSottoGru(),
                                            par.osTabSconti, rid)) {
            odPercRidProvvQta = rid;
            ElaboraSconti(false, true);
          }
        }
        AggPrezziAltri();
      }
      miRigaCancellata = 0;
      break;
    }
    case 17:
      miRigaCancellata = 1;
      break;
    default:
      break;
  }
  return int16_t(0);
}

// ------------------------------------------------------------ creation

bool frmDDtDeLiv::MancaLivello(const std::string& psLiv1, const std::string& psLiv2) {
  const Globali& g = G();
  const auto& fc = FC();
  bool manca = true;
  dati::GestRecordset rs;
  std::string k;
  try {
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                         std::string("Select Livello1, Livello2 FROM ") + kTab + " WHERE Anno = " +
                             fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND NumRif = " +
                             fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND RigLiv = " +
                             fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong),
                         false, 4);
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(k, "Livello1")), psLiv1)) continue;
      if (psLiv2.empty() || vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(k, "Livello2")), psLiv2)) {
        manca = false;
        break;
      }
    }
  } catch (const vb::Errore& e) {
    if (e.Number() != 3021) frmMsgCom::MsgErrfrm(e);
  }
  try {
    if (!k.empty()) rs.ChiudiRecordset(k);
  } catch (...) {
  }
  return manca;
}

void frmDDtDeLiv::CreaRigheLivelli() {
  const Globali& g = G();
  const auto& fc = FC();
  mbInCreazione = true;
  barre::Avanzamento av;
  dati::GestRecordset rs;
  std::string k;
  bool aperta = false;
  try {
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    FunVarie::Clessidra(true);
    const bool secondo = !fc.Vuoto(vb::Variant(ofrmRiga->LivGruppo2()));
    const std::string g1 = fc.ValoreSql(vb::Variant(ofrmRiga->LivGruppo1()), vb::vbString);
    const std::string sql =
        secondo ? "Select LivComp.*, LivComp2.* FROM LivComp, LivComp as LivComp2 WHERE LivComp.livgruppo = " + g1 +
                      " AND LivComp2.livgruppo = " + fc.ValoreSql(vb::Variant(ofrmRiga->LivGruppo2()), vb::vbString)
                : "Select LivComp.* FROM LivComp WHERE LivComp.livgruppo = " + g1;
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
    const long n = rs.NumRecord(k);
    av.ApriConForm(ofrmRiga->FormRiga(), n, "Creazione Automatica Livelli in corso", 0, true, true, 24, "", 0, 0);
    aperta = true;
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      av.Avanza(rs.PosRecord(k));
      const std::string l1 = servizi::Testo(rs.LeggiCampo(k, "LivComp.Livello"));
      const std::string l2 = secondo ? servizi::Testo(rs.LeggiCampo(k, "LivComp2.Livello")) : std::string();
      if (!MancaLivello(l1, l2)) continue;
      std::string r = ButtonComando("Nuovo");
      if (!r.empty()) vb::Solleva(vb::ErrChiamataNonValida, r);
      txt(30).SetText(l1);
      if (secondo) txt(40).SetText(l2);
      CercaListino();
      if (miPrezzoDaRiga == 0) ElaboraSconti(true, true);
      r = ButtonComando("Salva");
      // A row the page could not write ends the creation as any error.
      if (!r.empty()) vb::Solleva(vb::ErrChiamataNonValida, r);
    }
    av.Chiudi(false);
    aperta = false;
    rs.ChiudiRecordset(k);
    k.clear();
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    FunVarie::Clessidra(false);
  } catch (...) {
    const std::exception_ptr e = std::current_exception();
    try {
      if (aperta) av.Chiudi(false);
      if (!k.empty()) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    FunVarie::Clessidra(false);
    try {
      utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    } catch (...) {
    }
    // The grid and the totals show the rows as they are again.
    try {
      ogLinPag().Riposiziona();
      CalcTotDocum();
    } catch (...) {
    }
    try {
      std::rethrow_exception(e);
    } catch (const vb::Errore& err) {
      frmMsgCom::MsgErrfrm(err);
    } catch (const std::exception& err) {
      frmMsgCom::MsgErrfrm(vb::Variant(std::string(err.what())), 5);
    }
  }
  mbInCreazione = false;
}

bool frmDDtDeLiv::CancRecVuoti() {
  const Globali& g = G();
  const auto& fc = FC();
  const std::string chiave = " WHERE Anno = " + fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
                             " AND NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) +
                             " AND RigLiv = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         std::string("Select count(*) as RecVal from ") + kTab + chiave +
                                             " AND (Qta > 0 OR ValTotale > 0)",
                                         false, 4);
  const long n = fc.ValLong(rs.LeggiCampo(k, "RecVal"), true);
  rs.ChiudiRecordset(k);
  if (n == 0) {
    // A line left with no rows at all may close: it takes quantity and
    // amount 0. Rows that are all empty are the user's to fill first.
    const std::string kt = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                            std::string("Select count(*) as Quante from ") + kTab + chiave, false, 4);
    const long tutte = fc.ValLong(rs.LeggiCampo(kt, "Quante"), true);
    rs.ChiudiRecordset(kt);
    if (tutte == 0) return true;
    frmMsgCom::msgCom("Nessuna riga contiene Quantità o Importo diverso da 0", "&Ok", vb::Missing, vb::Missing,
                      vb::Missing, 80, false, 600, vb::Missing, 1);
    return false;
  }
  g.goDbAzienda->EseguiSql(g.gsConnAzienda, std::string("Delete from ") + kTab + chiave + " AND (Qta = 0 OR ISNULL(Qta))");
  return true;
}

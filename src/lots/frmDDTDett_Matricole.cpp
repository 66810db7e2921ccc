// Serial numbers of a line: the command that opens them, and the services
// the reading of serials from a reader file uses to place each serial on a
// line of its article (MatrRigLiv), store it (MatrIns) and add the line
// of an article read (InsDettArt). Everything works on the working copies
// of the open DDT (DdtDettApp, DdtMatrApp) under the year and number of the
// line page's hidden key fields.
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

using namespace DettUtil;

namespace {

std::string SqlI(int16_t v) { return FC().ValoreSql(vb::Variant(v), vb::vbInteger); }
std::string SqlL(int32_t v) { return FC().ValoreSql(vb::Variant(v), vb::vbLong); }
std::string SqlT(const std::string& v) { return FC().ValoreSql(vb::Variant(v), vb::vbString); }
std::string SqlD(double v) { return FC().ValoreSql(vb::Variant(v), vb::vbDouble); }

}  // namespace

// ---- the serial form of the line

bool frmDDTDett::GestMatricole(bool pbMessaggi) {
  // Manual articles, descriptions and commands carry no serials: said even
  // when no messages are asked for.
  if (!Uguale(vb::Trim(txt(18).Text()), "A")) {
    frmMsgCom::msgCom("Comando abilitato solo per righe di articolo non manuali", "&Ok");
    return false;
  }
  barre::gridlib::PaginaRighe& pag = ogLinPag();
  if (!FC().Vuoto(pag.VarDati(-1)) || pag.Stato() == 2) {
    if (pbMessaggi) frmMsgCom::msgCom("Salvare i dati prima di andare nella gestione matricole", "&Ok");
    return false;
  }
  // The serial window of the line is not part of this version yet.
  if (pbMessaggi) NonDisponibile("La gestione delle matricole");
  return false;
}

void frmDDTDett::DopoGestMatricole() {
  SetEnabled(true);
  Show();
}

// ---- serials read from a file

int32_t frmDDTDett::MatrRigLiv(const std::string& psNewArt, dati::GestRecordset& pgRecDat, std::string& psRecArt,
                               int32_t plRigLiv) {
  const Globali& g = G();
  const std::string& t = g.gsTabDettApp;
  const std::string& m = g.gsTabMatrApp;
  // One recordset per import, not one per serial: the previous call's goes.
  if (!psRecArt.empty() && pgRecDat.Esiste(psRecArt)) pgRecDat.ChiudiRecordset(psRecArt);
  psRecArt.clear();
  std::string sql = "Select " + t + ".RigLiv, " + t + ".Qta " + ", " + t + ".FatCon, " + t + ".ValUnitario, " + t +
                    ".ValTotale" + ", " + t + ".ScontoTot" + ", (SELECT count(*) From " + m + " WHERE " + m +
                    ".Anno=" + t + ".Anno" + " AND " + m + ".NumRif=" + t + ".NumRif" + " AND " + m + ".RigLiv=" +
                    t + ".RigLiv) as TotMatr" + " from " + t + " Where Anno = " + SqlI(AnnoDoc()) +
                    " and NumRif = " + SqlL(NumRifDoc());
  if (plRigLiv != -1) sql += " and RigLiv = " + SqlL(plRigLiv);
  else sql += " and Articolo = " + SqlT(psNewArt);
  sql += " Order by RigDet Desc";
  psRecArt = pgRecDat.ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, "", sql, false, 2);
  if (pgRecDat.NessunRecord(psRecArt)) return -1;
  // The line, from the last up, that still lacks serials; when all have
  // enough, the last one.
  for (pgRecDat.PrimoRec(psRecArt); !pgRecDat.FineRec(psRecArt); pgRecDat.ProssimoRec(psRecArt)) {
    if (FunVarie::ArrotConfronta(pgRecDat.LeggiCampo(psRecArt, "Qta"), pgRecDat.LeggiCampo(psRecArt, "TotMatr"),
                                 -8) > 0)
      return FC().ValLong(pgRecDat.LeggiCampo(psRecArt, "RigLiv"));
  }
  pgRecDat.PrimoRec(psRecArt);
  return FC().ValLong(pgRecDat.LeggiCampo(psRecArt, "RigLiv"));
}

void frmDDTDett::MatrIns(int32_t plRigLiv, const std::string& psMatricola, bool pbAggQta,
                         dati::GestRecordset& pgRecDat, const std::string& psRecArt, const std::string& psLivGruppo1,
                         const std::string& psLivGruppo2) {
  const Globali& g = G();
  const std::string& t = g.gsTabDettApp;
  const std::string& m = g.gsTabMatrApp;
  const std::string chiave = " Where Anno = " + SqlI(AnnoDoc()) + " and NumRif = " + SqlL(NumRifDoc()) +
                             " and RigLiv = " + SqlL(plRigLiv);
  try {
    servizi::DbDitta().EseguiSql(g.gsConnAzienda, "Insert into " + m + " (Anno" + ", NumRif" + ", RigLiv" +
                                                      ", Matricola" + ", TipOpe" + ") Values (" + " " +
                                                      SqlI(AnnoDoc()) + ", " + SqlL(NumRifDoc()) + ", " +
                                                      SqlL(plRigLiv) + ", " + SqlT(psMatricola) + ", " +
                                                      SqlT(osTipOpe) + ")");
    if (!pbAggQta) return;
    // The quantity of a level article lives in its level rows.
    if (Uguale(g.gsGesTaglie, "S") && (!Vuoto(psLivGruppo1) || !Vuoto(psLivGruppo2))) return;
    dati::GestRecordset conta;
    const std::string k = conta.ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, "",
                                              "Select count(*) as TotMat from " + m + chiave, false, 4);
    const double totMat = FC().ValDouble(conta.LeggiCampo(k, "TotMat"));
    conta.ChiudiRecordset(k);
    const double qta = FC().ValDouble(pgRecDat.LeggiCampo(psRecArt, "Qta"));
    // Never lowered.
    if (FunVarie::ArrotConfronta(vb::Variant(totMat), vb::Variant(qta), -8) <= 0) return;
    const double unitario = FC().ValDouble(pgRecDat.LeggiCampo(psRecArt, "ValUnitario"));
    bool errore = false;
    const double sconto = AziendaUtil::CalcPercSconto(
        servizi::Testo(pgRecDat.LeggiCampo(psRecArt, "ScontoTot")), errore, 0, 6);
    std::string sql = "Update " + t + " set" + " Qta = " + SqlD(totMat);
    if (unitario != 0) {
      const double importo = FC().Arrotonda(
          vb::Variant(AziendaUtil::CalcImporto(vb::Variant(unitario), vb::Variant(totMat), vb::Variant(sconto),
                                               g.gbArrUnitIntermedio, oiNumDecMonGes)),
          "A", 1, -oiNumDecMon);
      std::string lire, euro;
      LireEuroRiga(importo, lire, euro);
      sql += ", ValTotale = " + SqlD(importo) + ", ValLire = " + SqlD(FC().ValDouble(vb::Variant(lire))) +
             ", ValEuro = " + SqlD(FC().ValDouble(vb::Variant(euro)));
    } else {
      const double totale = FC().ValDouble(pgRecDat.LeggiCampo(psRecArt, "ValTotale"));
      const double prezzo = FC().Arrotonda(
          vb::Variant(AziendaUtil::CalcPrzLordo(vb::Variant(totale), vb::Variant(totMat), vb::Variant(sconto), false,
                                                0)),
          "A", 1, -oiNumDecMonGes);
      sql += ", ValUnitario = " + SqlD(prezzo);
    }
    servizi::DbDitta().EseguiSql(g.gsConnAzienda, sql + chiave);
  } catch (const vb::Errore& e) {
    if (e.Number() == 3022 || e.Number() == 3146) frmMsgCom::msgCom("Matricola già inserita", "&Ok");
    else frmMsgCom::MsgErrfrm(e);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

vb::Variant frmDDTDett::InsDettArt(const std::string& psArticolo, const std::string& psTipoCod, double pdQta,
                                   double pdImp, int16_t piQualeImp) {
  Globali& g = G();
  const int16_t ricerca = g.giKeyRicDdt;
  try {
    std::string codice = psArticolo;
    if (Uguale(psTipoCod, "B")) {
      g.giKeyRicDdt = 1;
    } else {
      g.giKeyRicDdt = 0;
      codice = oLayMatr.addArtPrima + psArticolo + oLayMatr.addArtDopo;
    }
    auto comeDigitato = [&](int n, const std::string& testo) {
      SenzaErrori([&] { txt(n).SetFocus(); });
      ui::DoEvents();
      masValIngresso[static_cast<size_t>(n)].clear();
      txt(n).SetText(testo);
      txt_LostFocus(n);
      ui::DoEvents();
    };
    comeDigitato(20, codice);
    if (!(Uguale(g.gsGesTaglie, "S") && (!Vuoto(osLivGruppo1) || !Vuoto(osLivGruppo2)))) {
      comeDigitato(30, TestoCampoNum(30, pdQta));
      if (piQualeImp == 1) comeDigitato(70, TestoCampoNum(70, pdImp));
      else if (piQualeImp == 2) comeDigitato(60, TestoPrezzo(pdImp));
    }
    g.giKeyRicDdt = ricerca;
    ButtonComando("Salva");
    return {};
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    g.giKeyRicDdt = ricerca;
    return vb::Variant(static_cast<int32_t>(e.Number()));
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    g.giKeyRicDdt = ricerca;
    return vb::Variant(static_cast<int32_t>(5));
  }
}

// Line numbers: RigDet runs 1..n in display order and moves through
// temporary bands (+10000 to insert or delete one line, +20000 for a paste
// or a split); RigLiv is the stable key, the highest handed out plus one.
//
// The bands are told apart by their offset alone, so a DDT's display
// numbers must stay below 10000: a line that would take 10000 is refused
// before anything moves.
#include <signal.h>

#include <cstdlib>
#include <cstring>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

}  // namespace

void frmDDTDett::PuntoArresto(const char* psPunto) {
  // Test hook: DDT_ARRESTO_RIGHE names a point ("SpostaRighe" between the
  // two updates of a shift, "Incolla" between the move of the pasted lines
  // and their renumbering) at which the program kills itself, so that the
  // tests see what a crash there leaves behind. Unset in normal runs.
  const char* v = std::getenv("DDT_ARRESTO_RIGHE");
  if (v && std::strcmp(v, psPunto) == 0) raise(SIGKILL);
}

int32_t frmDDTDett::UltimaRigDet() {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         "Select top 1 * from " + g.gsTabDettApp + " where anno = " +
                                             FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
                                             " AND NumRif = " +
                                             FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) +
                                             " order by RigDet DESC",
                                         false, 4);
  if (rs.NessunRecord(k)) return 0;
  return FC().ValLong(rs.LeggiCampo(k, "RigDet"), true, true);
}

vb::Variant frmDDTDett::RicUltNum() {
  // The two number boxes hold "1" during the page's check, so that the
  // numbers still missing do not fail it.
  const std::string rigDetPrima = txt(10).Text();
  const std::string rigLivPrima = lab(15).Caption();
  txt(10).SetText("1");
  lab(15).SetCaption("1");
  std::string esito;
  try {
    // Shown as the page's own check shows it: the save stops here, and
    // the hook's refusal reaches the user no other way.
    esito = ogLinPag().VerificaRiga(true);
  } catch (...) {
    txt(10).SetText(rigDetPrima);
    lab(15).SetCaption(rigLivPrima);
    throw;
  }
  txt(10).SetText(rigDetPrima);
  lab(15).SetCaption(rigLivPrima);
  if (!esito.empty()) return esito;

  // Inserted or appended, the DDT gets one more line: the last would have
  // to take kMaxRigDet + 1, inside the band the shifts use.
  const int32_t ultima = UltimaRigDet();
  if (ultima >= kMaxRigDet) {
    const std::string testo = "Il DDT ha già " + std::to_string(kMaxRigDet) +
                              " righe: non se ne possono aggiungere altre";
    frmMsgCom::msgCom(testo);
    return testo;
  }
  if (miRigaIns > 0) {
    int32_t banda = 10000;
    SpostaRighe("RigDet", G().gsTabDettApp, miRigaIns, 1, banda);
    txt(10).SetText(std::to_string(miRigaIns));
  } else {
    txt(10).SetText(std::to_string(ultima + 1));
  }
  lab(15).SetCaption(std::to_string(mlMaxRigLiv + 1));
  ++mlMaxRigLiv;
  return std::string();
}

vb::Variant frmDDTDett::SpostaRighe(const std::string& psCampo, const std::string& psFile, int16_t piNumRecIni,
                                    int16_t piNumMuovi, int32_t& plSpostatmp, const vb::Variant& pvCopiaTaglia) {
  const Globali& g = G();
  const std::string chiave = " AND NumRif = " + FC().ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong);
  const std::string anno = FC().ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger);
  const std::string o = std::to_string(plSpostatmp);
  std::string primo = "Update " + psFile + " Set " + psCampo + " = " + psCampo + " + " + o + " where Anno = " + anno +
                      chiave + " AND " + psCampo + " >= " + FC().ValoreSql(vb::Variant(int32_t(piNumRecIni)), vb::vbLong);
  if (!pvCopiaTaglia.IsMissing() && !pvCopiaTaglia.IsEmpty())
    primo += " AND CopiaTaglia = " + FC().ValoreSql(pvCopiaTaglia, vb::vbInteger);
  if (piNumMuovi == 0) {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, primo);
    return {};
  }
  // Both updates or neither: lines left in the band would collide with the
  // next shift.
  const std::string secondo = "Update " + psFile + " Set " + psCampo + " = " + psCampo + " - " + o +
                              (piNumMuovi > 0 ? " + " + std::to_string(piNumMuovi)
                                              : " - " + std::to_string(-int32_t(piNumMuovi))) +
                              " Where Anno = " + anno + chiave + " AND " + psCampo + " >= " +
                              FC().ValoreSql(vb::Variant(plSpostatmp), vb::vbLong);
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  try {
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, primo);
    PuntoArresto("SpostaRighe");
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, secondo);
    utilprg::TransConferma(0, -1, nullptr, -1, "");
  } catch (...) {
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    throw;
  }
  return {};
}

vb::Variant frmDDTDett::RenumRighe(dati::GestRecordset& pgRecDat, const std::string& psRecDat,
                                   const std::string& psCampo, int16_t piNumRecIni) {
  (void)piNumRecIni;  // numbering always starts at 1
  if (pgRecDat.NessunRecord(psRecDat)) return {};
  // One transaction: the rows are all renumbered or none is, and a long
  // DDT is not written row by row to the disk.
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  try {
    int16_t contatore = 1;
    for (pgRecDat.PrimoRec(psRecDat); !pgRecDat.FineRec(psRecDat); pgRecDat.ProssimoRec(psRecDat)) {
      // A row already holding its number is left as it is.
      if (FC().ValLong(pgRecDat.LeggiCampo(psRecDat, psCampo), true, true) != contatore) {
        pgRecDat.ModificaRecord(psRecDat);
        pgRecDat.ScriviCampo(psRecDat, psCampo, contatore);
        pgRecDat.SalvaRecord(psRecDat);
      }
      ++contatore;
    }
    utilprg::TransConferma(0, -1, nullptr, -1, "");
  } catch (...) {
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    throw;
  }
  return {};
}

// Reorder lists: closing the lines with saving appends every article whose
// stock falls below its minimum once the DDT's quantity has left, F6 one
// article with a quantity and a note the user types; one text file per
// habitual supplier in the folder gsDirDaOrdi, "Altri.doc" for the rest.
// This program only ever appends to them.
#include <chrono>
#include <string>
#include <thread>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "lineaids/DaOrdi.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/InputBox.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
vb::Variant V(const std::string& s) { return vb::Variant(s); }

void MostraErr() {
  try {
    throw;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  } catch (const std::exception& e) {
    frmMsgCom::MsgErrfrm(V(e.what()), vb::Variant(5));
  } catch (...) {
    frmMsgCom::MsgErrfrm(V("errore imprevisto"), vb::Variant(5));
  }
}

}  // namespace

bool frmDDTDett::LeggiFileDaOrdi(std::string& psRecDat, dati::GestRecordset& pgRecDat, const std::string& psArticolo) {
  Globali& g = G();
  const std::string sql =
      "SELECT Articoli.ScortaMinima, Articoli.Descrizione, [0Rad_FileDaOrdi].File"
      " FROM Articoli LEFT JOIN 0Rad_FileDaOrdi"
      " ON Articoli.ContoForAb = [0Rad_FileDaOrdi].ContoFor"
      " AND Articoli.MastroForAb = [0Rad_FileDaOrdi].MastroFor"
      " AND Articoli.GruppoForAb = [0Rad_FileDaOrdi].GruppoFor"
      " Where Articoli.Articolo = " +
      FC().ValoreSql(V(psArticolo), 8);
  psRecDat.clear();
  try {
    psRecDat = pgRecDat.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
  } catch (...) {
    psRecDat.clear();
  }
  if (!psRecDat.empty()) return true;
  // The supplier table cannot be read: no reorder file until the end.
  g.gsDaOrdi = "n";
  return false;
}

void frmDDTDett::ScriviDaOrdi(const std::string& psFile, const std::string& psArticolo, const std::string& psDescr,
                              const vb::Variant& pvQta, const std::string& psNote) {
  const Globali& g = G();
  const std::string file = FC().ComponiPercorso(psFile.empty() ? std::string("Altri.doc") : psFile, "", g.gsDirDaOrdi);
  double qta = 0;
  const bool conQta = !pvQta.IsMissing();
  if (conQta) qta = FC().ValDouble(pvQta, true);
  try {
    daordi::AppendiBloccato(vb::PercorsoLocale(file), daordi::RigaDaOrdi(psArticolo, psDescr, conQta ? &qta : nullptr, psNote),
                            [](int tentativo) {
                              if (tentativo <= 5) {
                                std::this_thread::sleep_for(std::chrono::milliseconds(daordi::AttesaMs()));
                              } else {
                                frmMsgCom::msgCom(
                                    "Qualcuno ha in uso il File Articoli da Ordinare\r\nFarglielo chiudere e poi "
                                    "premere invio",
                                    "&Ok");
                              }
                            });
  } catch (...) {
    MostraErr();
  }
}

void frmDDTDett::AggDaOrdi() {
  Globali& g = G();
  if (!HaPagina()) return;
  dati::GestRecordset& rs = ogLinPag().OggDati();
  const std::string k = ogLinPag().ChiaveDati();
  try {
    if (k.empty() || rs.NessunRecord(k)) return;
    rs.PrimoRec(k);
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(k, "TipoRiga")), "A")) continue;
      const std::string articolo = servizi::Testo(rs.LeggiCampo(k, "Articolo"));
      vb::Variant giac;
      AziendaUtil::CalcGiacenza(articolo, miAnnoMag, V(osMagazzino), vb::Null, vb::Null, nullptr, &giac);
      dati::GestRecordset forn;
      std::string kf;
      if (!LeggiFileDaOrdi(kf, forn, articolo)) return;
      double minimo = 0;
      vb::Variant valore;
      const std::string filtro = "Magazzino = " + FC().ValoreSql(V(osMagazzino), 8) +
                                 " And Livello1 = " + FC().ValoreSql(V("~ç~"), 8) +
                                 " And Livello2 = " + FC().ValoreSql(V("~ç~"), 8);
      bool daScorte = false;
      if (g.goZelAiuto)
        daScorte = FC().ValInt(g.goZelAiuto->CercaValore("ArtScorte", "Articolo", V(articolo), valore, 0, 8,
                                                         "ScortaMinima", 0, nullptr, filtro),
                               true, true) == 0;
      if (daScorte)
        minimo = FC().ValDouble(valore, true);
      else if (!forn.NessunRecord(kf))
        minimo = FC().ValDouble(forn.LeggiCampo(kf, "ScortaMinima"), true);
      const double esce = FC().ValDouble(rs.LeggiCampo(k, "Qta"), true) * FC().ValDouble(rs.LeggiCampo(k, "FatCon"), true);
      if (FC().ValDouble(giac, true) - esce < minimo) {
        const std::string file = forn.NessunRecord(kf) ? std::string() : servizi::Testo(forn.LeggiCampo(kf, "File"));
        const std::string descr =
            forn.NessunRecord(kf) ? std::string() : servizi::Testo(forn.LeggiCampo(kf, "Descrizione"));
        ScriviDaOrdi(file, articolo, descr, vb::Missing, "");
      }
      forn.ChiudiRecordset(kf);
    }
  } catch (...) {
    MostraErr();
  }
}

void frmDDTDett::RicDaOrdi() {
  try {
    if (FC().Vuoto(V(txt(20).Text())) || FC().Vuoto(V(txt(26).Text())) || !vb::UgualeTesto(txt(18).Text(), "A"))
      return;
    const std::string titolo = "Memorizza Articoli da Ordinare";
    std::string risposta;
    double qta = 0;
    for (;;) {
      risposta = vb::InputBox("Quantità da ordinare", titolo);
      if (risposta.empty()) return;
      qta = FC().ValDouble(V(risposta), true);
      if (qta != 0) break;
    }
    const std::string nota = vb::InputBox("Nota per articolo da ordinare", titolo);
    dati::GestRecordset forn;
    std::string kf;
    if (LeggiFileDaOrdi(kf, forn, txt(20).Text())) {
      const std::string file = forn.NessunRecord(kf) ? std::string() : servizi::Testo(forn.LeggiCampo(kf, "File"));
      ScriviDaOrdi(file, txt(20).Text(), txt(26).Text(), vb::Variant(qta), nota);
      forn.ChiudiRecordset(kf);
    }
  } catch (...) {
    MostraErr();
  }
}

// The removal of a locked warehouse movement and the reversal of its rows.
#include <memory>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmInElab.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/barre/Avanzamento.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "stock/RipriDdt.h"
#include "stock/RipriDdt_Stato.h"
#include "stock/UtilMovim.h"

namespace RipriDdt {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

long& NonStornate() {
  static long n = 0;
  return n;
}

// The progress of the row reversal, kept for the whole program.
struct Progresso {
  std::unique_ptr<frmInElab> form;
  barre::Avanzamento avanz;
};
// Kept to the end of the program and never destroyed: the busy window must
// not outlive the toolkit into the program's exit.
Progresso& Prog() {
  static Progresso* p = new Progresso;
  return *p;
}

void Trans(void (*f)(const vb::Variant&, int, dati::GestDatabase*, int, const std::string&)) {
  f(vb::Variant(0), -1, nullptr, -1, "");
}

}  // namespace

long RigheNonStornate() { return NonStornate(); }

int32_t DisAggMovim(int16_t& piAnno, int32_t& plNumReg, dati::GestRecordset& pgRecordset,
                    std::string& psChiaveRighe, const std::string& psRighe, const vb::Variant& /*pvAvanzamento*/,
                    std::string& psChiaveTesta, bool /*pbCancella*/, const std::string& /*psFlagStato*/,
                    int16_t& /*piModoErrore*/) {
  dati::GestRecordset& rs = pgRecordset;
  Progresso& p = Prog();
  const bool dettaglio = vb::UgualeTesto(vb::Trim(psRighe), "D");
  const std::string testo =
      std::string("Disaggiornamento movimenti in corso: ") + (dettaglio ? "Righe di dettaglio" : "Righe dei livelli");
  bool aperto = false;
  long totale = 0;
  try {
    const int32_t r = UtilMovim::ApriTestMovim(piAnno, plNumReg, rs, psChiaveTesta);
    if (r > 0) return r;
    psChiaveRighe = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                     UtilMovim::SqlRigheMovim(piAnno, plNumReg, psRighe, "MovMagDett", "MovMagLiv"),
                                     false, 2);
    totale = rs.NumRecord(psChiaveRighe);
    if (!p.form) p.form = std::make_unique<frmInElab>();
    p.avanz.ApriConForm(*p.form, totale, testo, 0, true, true, 16, " Disaggiornamento Movimenti", 2, true);
    aperto = true;
  } catch (const vb::Errore& e) {
    FunVarie::MsgErr(e);
    if (aperto) p.avanz.Chiudi(true);
    return Fc().CodiceErrore(e.Number());
  }

  const std::string& kr = psChiaveRighe;
  // Rows left behind stand before the ones still to do: the next row to do
  // is always at this position.
  long lasciate = 0;
  const std::string tabella = dettaglio ? "MovMagDett" : "MovMagLiv";
  for (;;) {
    try {
      if (lasciate >= rs.NumRecord(kr)) break;
      rs.VaiARec(kr, lasciate);
      if (rs.FineRec(kr)) break;
      p.avanz.Titolo(testo);
      p.avanz.Avanza(totale - rs.NumRecord(kr) + lasciate + 1);
    } catch (const vb::Errore& e) {
      FunVarie::MsgErr(e);
      break;
    }
    int tentativi = 0;
    bool fatta = false;
    for (;;) {
      bool inTrans = false;
      try {
        Trans(utilprg::TransInizio);
        inTrans = true;
        double l = 0, e = 0, base = -1;
        std::string tipo;
        UtilMovim::AggRigaMovim("D", false, rs, psChiaveTesta, kr, psRighe, true, 0, l, e, true, true, base, tipo);
        const long prima = rs.NumRecord(kr);
        rs.CancellaRecord(kr);
        if (rs.NumRecord(kr) >= prima) vb::Solleva(3021, "La riga non è stata cancellata");
        Trans(utilprg::TransConferma);
        fatta = true;
        break;
      } catch (const vb::Errore& err) {
        if (inTrans) {
          try {
            Trans(utilprg::TransAnnulla);
          } catch (...) {
          }
        }
        const long codice = Fc().CodiceErrore(err.Number());
        if (codice == 3260 || codice == 3197) {
          const bool bloccati = codice == 3260;
          if (tentativi < 10) {
            ++tentativi;
          } else {
            const std::string domanda =
                std::string(bloccati ? "Dati in uso da altri: RIPROVARE" : "Dati modificati da altri: RIPROVARE") +
                "\r\n" + "(In caso contrario i dati delle sintesi movimenti potrebbero non essere giusti)";
            if (vb::MsgBox(domanda, vb::vbQuestion + vb::vbYesNo) != vb::vbYes) break;
            tentativi = 1;
          }
          p.avanz.Titolo(testo + "\r\n" + (bloccati ? "Dati bloccati tentativo n. " : "Dati modificati tentativo n. ") +
                         std::to_string(tentativi));
          continue;
        }
        try {
          UtilMovim::MostraErrAggMov("Errore (" + std::to_string(codice) + ") " + err.Description(),
                                     "Errore durante il Disaggiornamento", rs, psChiaveTesta, kr, tabella);
        } catch (const vb::Errore&) {
        }
        break;
      }
    }
    if (!fatta) {
      // Given up: the row keeps its effect and stays with its movement;
      // the DDT keeps its printed state.
      ++lasciate;
      ++NonStornate();
      AggErrore();
    }
  }
  p.avanz.Chiudi(true);
  return 0;
}

void CancMovim(int16_t& piAnno, int32_t& plNumReg, std::string& psChiaveLock, bool pbChiudi) {
  Modulo& m = Mod();
  {
    int16_t nuovo = 0;
    std::string utente, gestione = "M", varie;
    if (ComLock::BloccaDoc("6", "M", piAnno, plNumReg, nuovo, -1, psChiaveLock, "Il movimento", utente, gestione,
                           varie) > 0) {
      AggErrore();
      ComLock::SbloccaDoc(&psChiaveLock, pbChiudi ? -1 : 0);
      return;
    }
  }
  std::string kt, krLiv, krDett;
  auto chiudi = [&] {
    for (std::string* k : {&kt, &krLiv, &krDett}) {
      if (k->empty()) continue;
      try {
        m.rs.ChiudiRecordset(*k);
      } catch (...) {
      }
      k->clear();
    }
  };
  try {
    const long primaFallite = NonStornate();
    const std::string anno = Fc().ValoreSql(vb::Variant(piAnno), vb::vbInteger);
    const std::string num = Fc().ValoreSql(vb::Variant(static_cast<long>(plNumReg)), vb::vbLong);
    int16_t modo = 0;
    int32_t esitoLiv = 0;
    if (m.livelli == "S") esitoLiv = DisAggMovim(piAnno, plNumReg, m.rs, krLiv, "L", vb::Variant(true), kt, true, "2", modo);
    // Level rows left behind keep their detail rows, through which they are
    // found again by a later restore.
    int32_t esitoDett = 0;
    if (esitoLiv == 0 && NonStornate() == primaFallite)
      esitoDett = DisAggMovim(piAnno, plNumReg, m.rs, krDett, "D", vb::Variant(true), kt, true, "2", modo);
    dati::GestDatabase& db = servizi::DbDitta();
    const std::string& conn = G().gsConnAzienda;
    if (esitoLiv != 0 || esitoDett != 0 || NonStornate() != primaFallite) {
      // Rows left: the movement stays whole around them for a later restore.
      if (esitoLiv != 0 || esitoDett != 0) AggErrore();
    } else {
      // Level rows nobody reversed (levels not kept) go with their movement.
      if (m.livelli != "S")
        db.EseguiSql(conn, "Delete from MovMagLiv Where Anno = " + anno + " And NumReg = " + num);
      db.EseguiSql(conn, std::string("Delete from MovMagMatr") + " Where anno = " + anno + " And numreg = " + num);
      db.EseguiSql(conn, std::string("Delete from MovMagRintraccia") + " Where anno = " + anno + " And numreg = " + num);
      db.EseguiSql(conn, std::string("DELETE MovMagTes.*") + " FROM" + " MovMagTes" + " WHERE" + " MovMagTes.Anno=" +
                             anno + " AND MovMagTes.NumReg=" + num);
    }
  } catch (...) {
    ComLock::SbloccaDoc(&psChiaveLock, pbChiudi ? -1 : 0);
    chiudi();
    throw;
  }
  ComLock::SbloccaDoc(&psChiaveLock, pbChiudi ? -1 : 0);
  chiudi();
}

}  // namespace RipriDdt

// The working copies of a document's rows: filled under the document lock
// when its lines open, copied back when they close with saving, emptied
// when they close.
//
// The document lock keeps every other program off the document; the
// transactions here keep the document whole against this program's own
// failures: a fill or a commit that stops half-way (an error, the program
// killed) leaves the committed rows as they were.
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "services/Avvisi.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"
#include "services/UtilDocFattGest_Trans.h"

namespace UtilDocFattGest {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

// The hourglass for the length of a routine, off on every way out.
struct Clessidra {
  Clessidra() { FunVarie::Clessidra(-1); }
  ~Clessidra() {
    try {
      FunVarie::Clessidra(0);
    } catch (...) {
    }
  }
  Clessidra(const Clessidra&) = delete;
  Clessidra& operator=(const Clessidra&) = delete;
};

// The state of the lock held under psChiave rewritten; true when done.
bool CambiaStato(const std::string& psStato, const std::string& psTipo, int16_t piAnno, int32_t plNumRif,
                 std::string& psChiave, const std::string& psTestoDoc) {
  int16_t nuovo = 0;
  std::string utente, gestione, varie;
  return ComLock::BloccaDoc(psStato, psTipo, piAnno, plNumRif, nuovo, -1, psChiave, psTestoDoc, utente, gestione,
                            varie) == ComLock::kBloccoPreso;
}

bool Dato(const vb::Variant& v) { return !v.IsMissing() && !v.IsEmpty() && !v.IsNull(); }

// A working table's name ends in "app", in any letter case.
bool NomeApp(const std::string& psNome) {
  const std::string n = vb::Trim(psNome);
  return n.size() >= 3 && vb::UgualeTesto(n.substr(n.size() - 3), "app");
}

void NomeNonValido() { vb::MsgBox("Nome File non valido", vb::vbOKOnly); }

void SvuotaTutte(int16_t piAnno, int32_t plNumRif) {
  const Globali& g = G();
  SvuotaApp(piAnno, plNumRif, g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true, g.gsTabMatrApp,
            g.gsTabRintracciaApp);
}

}  // namespace

vb::Variant PrepDocApp(const std::string& psTipo, const std::string& psTestoDoc, int16_t piAnno, int32_t plNumRif,
                       const vb::Variant& pvGestione, int16_t piModo, std::string& psChiaveLock) {
  const Globali& g = G();
  Clessidra clessidra;
  const bool modificate = piModo > 1;
  {
    int16_t nuovo = -1;
    std::string utente, gestione = vb::Trim(servizi::Testo(pvGestione)), varie;
    if (ComLock::BloccaDoc(modificate ? "9" : "0", psTipo, piAnno, plNumRif, nuovo, -1, psChiaveLock, psTestoDoc,
                           utente, gestione, varie) > 0)
      return false;
  }
  // From here on the lock is this program's: a failure gives it back with
  // no working rows of the document, so that the next opening finds the
  // document as it was.
  bool pronta = false;
  try {
    TransDocumento t;
    SvuotaTutte(piAnno, plNumRif);
    bool copiate = CopiaRighe(piAnno, plNumRif, g.gsTabDett, g.gsTabDettApp, true, true).ToInt() == 0;
    if (copiate && !Fc().Vuoto(g.gsTabMatr))
      copiate = CopiaRighe(piAnno, plNumRif, g.gsTabMatr, g.gsTabMatrApp, true, true).ToInt() == 0;
    if (copiate && !Fc().Vuoto(g.gsTabRintraccia))
      copiate = CopiaRighe(piAnno, plNumRif, g.gsTabRintraccia, g.gsTabRintracciaApp, true, false).ToInt() == 0;
    if (copiate) copiate = CopiaRighe(piAnno, plNumRif, g.gsTabLiv, g.gsTabLivApp, true, true).ToInt() == 0;
    if (copiate) {
      t.Conferma();
      pronta = CambiaStato(modificate ? "A" : "7", psTipo, piAnno, plNumRif, psChiaveLock, psTestoDoc);
    }
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
  }
  if (pronta) return true;
  try {
    SvuotaTutte(piAnno, plNumRif);
  } catch (...) {
  }
  ComLock::SbloccaDoc(&psChiaveLock, -1);
  return false;
}

void SvuotaApp(int16_t piAnno, int32_t plNumRif, const vb::Variant& pvTabRighe, const vb::Variant& pvTabLiv,
               const vb::Variant& pvRigLiv, bool pbVerifApp, const vb::Variant& pvTabMatr,
               const vb::Variant& pvTabRintraccia) {
  const bool riga = Dato(pvRigLiv);
  auto canc = [&](const std::string& tabella, const char* colonna, bool perRiga) {
    std::string sql = "Delete from " + tabella + " Where Anno = " + Fc().ValoreSql(piAnno, vb::vbInteger) + " AND " +
                      colonna + " = " + Fc().ValoreSql(plNumRif, vb::vbLong);
    if (perRiga) sql += " AND RigLiv = " + Fc().ValoreSql(Fc().ValLong(pvRigLiv), vb::vbLong);
    servizi::DbDitta().EseguiSql(G().gsConnAzienda, sql);
  };
  // The level rows before the lines: a lines table refused by its name
  // still leaves the level rows cleared.
  if (Dato(pvTabLiv)) {
    const std::string t = servizi::Testo(pvTabLiv);
    if (pbVerifApp && !NomeApp(t)) return NomeNonValido();
    canc(t, "NumRif", riga);
  }
  // The lines go for the whole document: a caller clearing one line's
  // dependent rows leaves the lines table out.
  if (Dato(pvTabRighe)) {
    const std::string t = servizi::Testo(pvTabRighe);
    if (pbVerifApp && !NomeApp(t)) return NomeNonValido();
    canc(t, "NumRif", false);
  }
  // Serial numbers and lots are only ever cleared in their working tables.
  if (!pvTabMatr.IsMissing()) {
    const std::string t = servizi::Testo(pvTabMatr);
    if (Fc().Vuoto(t)) return;
    if (!NomeApp(t)) return NomeNonValido();
    canc(t, "NumRif", riga);
  }
  if (!pvTabRintraccia.IsMissing()) {
    const std::string t = servizi::Testo(pvTabRintraccia);
    if (Fc().Vuoto(t)) return;
    if (!NomeApp(t)) return NomeNonValido();
    canc(t, "NumReg", riga);
  }
}

vb::Variant SalvaDocApp(int16_t piAnno, int32_t plNumRif, std::string& psChiaveLock) {
  const Globali& g = G();
  Clessidra clessidra;
  try {
    // Left in "B" when the commit does not go through: the committed rows
    // are whole, the working rows are the user's changes.
    if (!CambiaStato("B", g.gsTipoDoc, piAnno, plNumRif, psChiaveLock, g.gsNomeDoc)) return false;
    // The committed rows are deleted and written again in one transaction:
    // another program reads the document either as it was or as saved, and
    // a program stopped half-way (an error, killed) leaves it as it was.
    TransDocumento t;
    SvuotaApp(piAnno, plNumRif, g.gsTabDett, g.gsTabLiv, vb::Missing, false);
    const std::string anno = Fc().ValoreSql(piAnno, vb::vbInteger), numero = Fc().ValoreSql(plNumRif, vb::vbLong);
    if (!Fc().Vuoto(g.gsTabMatr))
      servizi::DbDitta().EseguiSql(g.gsConnAzienda,
                                   "Delete from " + g.gsTabMatr + " Where anno = " + anno + " And NumRif = " + numero);
    if (!Fc().Vuoto(g.gsTabRintraccia))
      servizi::DbDitta().EseguiSql(
          g.gsConnAzienda, "Delete from " + g.gsTabRintraccia + " Where anno = " + anno + " And NumReg = " + numero);
    if (CopiaRighe(piAnno, plNumRif, g.gsTabDettApp, g.gsTabDett, true, true).ToInt() != 0) return false;
    if (CopiaRighe(piAnno, plNumRif, g.gsTabLivApp, g.gsTabLiv, true, true).ToInt() != 0) return false;
    if (!Fc().Vuoto(g.gsTabMatr)) {
      if (CopiaRighe(piAnno, plNumRif, g.gsTabMatrApp, g.gsTabMatr, true, true).ToInt() != 0) return false;
      SvuotaApp(piAnno, plNumRif, vb::Missing, vb::Missing, vb::Missing, true, g.gsTabMatrApp);
    }
    if (!Fc().Vuoto(g.gsTabRintraccia)) {
      if (CopiaRighe(piAnno, plNumRif, g.gsTabRintracciaApp, g.gsTabRintraccia, true, false).ToInt() != 0)
        return false;
      SvuotaApp(piAnno, plNumRif, vb::Missing, vb::Missing, vb::Missing, true, vb::Missing, g.gsTabRintracciaApp);
    }
    t.Conferma();
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return false;
  }
  // "8" once the committed rows are the working rows. Written inside the
  // transaction, a rollback would leave the held lock row out of step with
  // the table, and every later state change of it refused. Its failure is
  // shown, yet the lines are saved: the caller must know it, to refresh
  // the document and let the lock go.
  try {
    CambiaStato("8", g.gsTipoDoc, piAnno, plNumRif, psChiaveLock, g.gsNomeDoc);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
  }
  return true;
}

}  // namespace UtilDocFattGest

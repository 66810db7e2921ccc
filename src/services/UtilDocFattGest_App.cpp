// The working copies of a document's rows: filled under the document lock
// when its lines open, copied back when they close with saving, emptied
// when they close.
#include <string>

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/Avvisi.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

namespace UtilDocFattGest {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Stato(const std::string& psStato, const std::string& psTipo, int16_t piAnno, int32_t plNumRif,
           std::string& psChiave, const std::string& psTestoDoc, bool pbNuovo, const std::string& psGestione) {
  int16_t nuovo = pbNuovo ? -1 : 0;
  std::string utente, gestione = psGestione, varie;
  return ComLock::BloccaDoc(psStato, psTipo, piAnno, plNumRif, nuovo, -1, psChiave, psTestoDoc, utente, gestione,
                            varie) == ComLock::kBloccoPreso;
}

}  // namespace

vb::Variant PrepDocApp(const std::string& psTipo, const std::string& psTestoDoc, int16_t piAnno, int32_t plNumRif,
                       const vb::Variant& pvGestione, int16_t piModo, std::string& psChiaveLock) {
  const Globali& g = G();
  const std::string gestione = vb::Trim(servizi::Testo(pvGestione));
  if (!Stato(piModo > 1 ? "9" : "0", psTipo, piAnno, plNumRif, psChiaveLock, psTestoDoc, true, gestione))
    return false;
  SvuotaApp(piAnno, plNumRif, g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true, g.gsTabMatrApp, g.gsTabRintracciaApp);
  if (CopiaRighe(piAnno, plNumRif, g.gsTabDett, g.gsTabDettApp, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabLiv, g.gsTabLivApp, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabMatr, g.gsTabMatrApp, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabRintraccia, g.gsTabRintracciaApp, true, false).ToInt() != 0) return false;
  return Stato(piModo > 1 ? "A" : "7", psTipo, piAnno, plNumRif, psChiaveLock, psTestoDoc, false, gestione);
}

void SvuotaApp(int16_t piAnno, int32_t plNumRif, const vb::Variant& pvTabRighe, const vb::Variant& pvTabLiv,
               const vb::Variant& pvRigLiv, bool pbVerifApp, const vb::Variant& pvTabMatr,
               const vb::Variant& pvTabRintraccia) {
  (void)pbVerifApp;
  auto canc = [&](const vb::Variant& tab, const char* colonna) {
    const std::string t = servizi::Testo(tab);
    if (t.empty()) return;
    std::string sql = "Delete from " + t + " Where Anno = " + Fc().ValoreSql(piAnno, vb::vbInteger) + " AND " +
                      colonna + " = " + Fc().ValoreSql(plNumRif, vb::vbLong);
    if (!pvRigLiv.IsMissing() && !pvRigLiv.IsEmpty())
      sql += " AND RigLiv = " + Fc().ValoreSql(pvRigLiv.ToLong(), vb::vbLong);
    servizi::DbDitta().EseguiSql(G().gsConnAzienda, sql);
  };
  canc(pvTabRighe, "NumRif");
  canc(pvTabLiv, "NumRif");
  canc(pvTabMatr, "NumRif");
  canc(pvTabRintraccia, "NumReg");
}

vb::Variant SalvaDocApp(int16_t piAnno, int32_t plNumRif, std::string& psChiaveLock) {
  const Globali& g = G();
  if (!Stato("B", g.gsTipoDoc, piAnno, plNumRif, psChiaveLock, g.gsNomeDoc, false, g.gsTipoDoc)) return false;
  for (const auto& [t, c] : {std::pair{g.gsTabDett, "NumRif"}, {g.gsTabLiv, "NumRif"}, {g.gsTabMatr, "NumRif"},
                             {g.gsTabRintraccia, "NumReg"}})
    if (CancRigheTab(t, piAnno, plNumRif, c).ToInt() != 0) return false;
  if (!Stato("8", g.gsTipoDoc, piAnno, plNumRif, psChiaveLock, g.gsNomeDoc, false, g.gsTipoDoc)) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabDettApp, g.gsTabDett, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabLivApp, g.gsTabLiv, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabMatrApp, g.gsTabMatr, true, true).ToInt() != 0) return false;
  if (CopiaRighe(piAnno, plNumRif, g.gsTabRintracciaApp, g.gsTabRintraccia, true, false).ToInt() != 0) return false;
  return true;
}

}  // namespace UtilDocFattGest

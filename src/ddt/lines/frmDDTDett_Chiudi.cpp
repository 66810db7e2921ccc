// The unload: the lines are committed or discarded, the working rows
// emptied (kept after a failed commit) and the opener called back.
#include "common/Globali.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "services/UtilDocFattGest.h"

void frmDDTDett::Form_QueryUnload(int& Cancel, int UnloadMode) {
  (void)Cancel;
  (void)UnloadMode;
}

void frmDDTDett::Form_Unload(int& Cancel) {
  (void)Cancel;
  const Globali& g = G();
  bool agg = false, ok = true;
  if (HaPagina() && ogLinPag().Cambiato() == 1 && (mbSalvaInUscita || oiAggTest > 1 || oiGestDupl > 0)) {
    agg = true;
    std::string chiave = "Standard";
    ok = UtilDocFattGest::SalvaDocApp(AnnoDoc(), NumRifDoc(), chiave).ToBool();
  }
  if (ok)
    UtilDocFattGest::SvuotaApp(AnnoDoc(), NumRifDoc(), g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true,
                               g.gsTabMatrApp, g.gsTabRintracciaApp);
  mpLinPag.reset();
  mbInChiusura = true;
  long w = 0, h = 0, l = 0, t = 0;
  utilprg::LeggiDimForm(*this, w, h, l, t);
  if (ProtSottoForm* o = mpOpener) {
    o->PostoSottoForm(static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(w),
                      static_cast<int32_t>(h));
    o->DopoSottoForm(agg, ok);
  }
  miChiusuraDaPagina = 0;
}

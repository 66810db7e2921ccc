// The unload: the lines are committed or discarded, the working rows
// emptied (kept after a failed commit) and the opener called back.
//
// What the opener is told: pbAgg when the commit path was taken, pbOk when
// nothing failed. A commit that went through stays reported as such even
// when something fails after it: the committed rows are then the user's
// lines, and the header must follow them (footer, lock released).
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "services/Avvisi.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

// An import from a reader file under way: true when the user confirms
// stopping it.
bool ConfermaFineImport(const std::string& psRiga1) {
  return frmMsgCom::msgCom(psRiga1 + "\r\nConfermi annullamento", "&Sì", vb::Variant("&No")) == 1;
}

}  // namespace

void frmDDTDett::Form_QueryUnload(int& Cancel, int UnloadMode) {
  (void)Cancel;
  (void)UnloadMode;
}

void frmDDTDett::Form_Unload(int& Cancel) {
  const Globali& g = G();
  bool agg = false, ok = true;
  bool salvato = false;     // the commit went through
  bool richiamato = false;  // the opener has been called back
  bool annulla = false;
  ui::Controllo* attivo = nullptr;
  if (miChiusuraDaPagina != 1) {
    attivo = ActiveControl();
    msCtrlAttivo = attivo ? attivo->Name() : std::string();
  } else if (Uguale(msCtrlAttivo, "txt")) {
    attivo = ActiveControl();
  }
  const bool suTxt = Uguale(msCtrlAttivo, "txt") && attivo && Uguale(attivo->Name(), "txt");

  // The window lets its page go, but a page still running the command that
  // closes the window is released once that command has returned.
  auto rilasciaPagina = [&] {
    if (miLivComando > 0)
      mpLinPagChiusa = std::move(mpLinPag);
    else
      mpLinPag.reset();
    mbInChiusura = true;
  };

  try {
    if (miChiusuraDaPagina != 1 && suTxt) txt_LostFocus(attivo->Index());
    annulla = HaPagina() && !ogLinPag().PuoChiudere();
    if (annulla) {
      Cancel = -1;
      if (suTxt) txt_GotFocus(attivo->Index());
    } else {
      if (mbLetturaFile) {
        if (!ConfermaFineImport("Caricamento da file in corso")) {
          Cancel = -1;
          miChiusuraDaPagina = 0;
          return;
        }
        const std::string prima = msCancFile;
        msCancFile = "C";
        FineLetCodBar();
        msCancFile = prima;
      }
      if (mbLetturaMatr) {
        if (!ConfermaFineImport("Caricamento matricole da file in corso")) {
          Cancel = -1;
          miChiusuraDaPagina = 0;
          return;
        }
        const std::string prima = msCancFileMatr;
        msCancFileMatr = "C";
        FineLetMatr(false);
        msCancFileMatr = prima;
      }

      // The working rows of a duplicated DDT, or of lines the header has
      // changed, are the only copy of those lines: they are committed even
      // when the page changed nothing.
      const bool cambiato = HaPagina() && ogLinPag().Cambiato() == 1;
      if ((cambiato && mbSalvaInUscita) || oiAggTest > 1 || oiGestDupl > 0) {
        agg = true;
        if (Uguale(g.gsDaOrdi, "s")) AggDaOrdi();
        std::string chiave = "Standard";
        ok = UtilDocFattGest::SalvaDocApp(AnnoDoc(), NumRifDoc(), chiave).ToBool();
        salvato = ok;
      } else {
        mbSalvaInUscita = true;
        agg = false;
        if (cambiato && vb::MsgBox("Confermi Uscita SENZA SALVATAGGIO dei Dettagli",
                                   vb::vbOKCancel | vb::vbQuestion | vb::vbDefaultButton2) == vb::vbCancel) {
          Cancel = -1;
          miChiusuraDaPagina = 0;
          return;
        }
        if (!FC().Vuoto(vb::Variant(osLottoTipOpe))) {
          // The lots the discarded rows touched get their state from the
          // committed rows again, before the working rows go.
          std::string scar, car, gruppo, mastro, conto;
          try {
            UtilLotto::CalcMagaScarCar(osLottoTipOpe, "M", "C", osMagazzino, osMagazzDest, scar, car, gruppo,
                                       mastro, conto);
            UtilLotto::AggStatoLottiModif(AnnoDoc(), NumRifDoc(), g.gsTabRintraccia, g.gsTabRintracciaApp,
                                          osLottoTipOpe, scar, car, "d");
          } catch (const vb::Errore& e) {
            Avvisi::MsgErrfrm(e);
          }
        }
      }
      if (ok)
        UtilDocFattGest::SvuotaApp(AnnoDoc(), NumRifDoc(), g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true,
                                   g.gsTabMatrApp, g.gsTabRintracciaApp);

      rilasciaPagina();
      mainDdt::ChiudiProgramma(0);
      long w = 0, h = 0, l = 0, t = 0;
      utilprg::LeggiDimForm(*this, w, h, l, t);
      if (ProtSottoForm* o = mpOpener) {
        o->PostoSottoForm(static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(w),
                          static_cast<int32_t>(h));
        richiamato = true;
        o->DopoSottoForm(agg, ok);
      }
    }
  } catch (...) {
    MostraErrore(std::current_exception());
    if (Cancel == 0) {
      if (HaPagina()) rilasciaPagina();
      // After a commit that went through, the working rows have done their
      // work: they go, and the opener follows the committed lines.
      if (salvato)
        try {
          UtilDocFattGest::SvuotaApp(AnnoDoc(), NumRifDoc(), g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true,
                                     g.gsTabMatrApp, g.gsTabRintracciaApp);
        } catch (...) {
        }
      if (!richiamato)
        if (ProtSottoForm* o = mpOpener) try {
            o->DopoSottoForm(agg, salvato);
          } catch (...) {
            MostraErrore(std::current_exception());
          }
    }
  }
  miFileLettura = 0;
  miChiusuraDaPagina = 0;
}

// Lot traceability of a line: the line form opens "Dati tracciabilità" for
// the current line of a traceable article and resumes, when it closes,
// what it was doing (the insert sequence of a new line).
#include <memory>
#include <string>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "lots/UtilLotto.h"
#include "lots/frmMovTracc.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {
// The line form as the traceability window's opener.
class ApreTraccDett : public ProtApreTracc {
 public:
  explicit ApreTraccDett(frmDDTDett& d) : d_(d) {}
  void DopoGestTracc() override { d_.DopoGestTracc(); }

 private:
  frmDDTDett& d_;
};
}  // namespace

frmMovTracc* frmDDTDett::FormTracc() const { return mfrmTracc ? mfrmTracc.get() : mfrmTraccChiusa.get(); }

bool frmDDTDett::GestTracc(bool pbMessaggi, bool pbDaInsNonCtrl) {
  Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto msg = [&](const std::string& t) {
    if (pbMessaggi) frmMsgCom::msgCom(t, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600);
  };
  if (!vb::UgualeTesto(vb::Trim(msGestRintraccia), "S") && !vb::UgualeTesto(vb::Trim(msGestRintraccia), "O")) {
    msg("Articolo per cui non è abilitata la rintracciabilità");
    return false;
  }
  auto& pag = ogLinPag();
  const bool nuovo = pag.Stato() == 2;
  const bool pendenti = !pag.VarDati(-1).ToString().empty() || nuovo;
  const bool conLivelli = vb::UgualeTesto(g.gsGesTaglie, "S") && (!osLivGruppo1.empty() || !osLivGruppo2.empty());
  if (pendenti && !pbDaInsNonCtrl && (!nuovo || conLivelli)) {
    msg("Salvare i dati prima di andare nella gestione rintracciabilità");
    return false;
  }
  mfrmTraccChiusa.reset();
  if (mfrmTracc && mfrmTracc->Caricata()) return false;
  mfrmTracc = std::make_shared<frmMovTracc>();
  frmMovTracc& f = *mfrmTracc;
  f.osNumReg = osNumRif;
  f.osDataReg = osDataRif;
  f.osFattDocum = osFattDocum;
  f.osLabFattDocum = osLabFattDocum;
  f.osPreDoc = osPreDoc;
  f.osNumDoc = osNumDoc;
  f.osDataDoc = osDataDoc;
  f.osMagCausale = osTipoMov;
  f.osTipoMovim = osTipoMovMag;
  f.osLabMagCausale = osLabMagCausale;
  f.osListino = osListino;
  f.osListIvato = osListIvato;
  f.osMoneta = osMoneta;
  f.osCambio = osCambio;
  f.osUnitaDa = osMagazzino;
  f.osLabUnitaDa = osDescMagaz;
  f.osUnitaA = osMagazzDest;
  f.osLabUnitaA = osIntRagSoc;
  f.osAnno = osAnno;
  f.osParam = osParam;
  f.osRigLiv = vb::Trim(lab(15).Caption());
  f.osArticolo = txt(20).Text();
  f.osDescArt = txt(26).Text();
  f.osUm = txt(140).Text();
  f.osDescUm = lab(140).Caption();
  f.osFileTracc = g.gsTabRintraccia;
  f.osFileTraccApp = g.gsTabRintracciaApp;
  f.osVersoMovim = osVersoMovim;
  f.osSegnoMovim = osSegnoMovim;
  f.odQtaTot = fc.ValDouble(vb::Variant(txt(30).Text()));
  f.osNumDecQta = osNumDecQta;
  f.obTracQtaDivBloc = obTracQtaDivBloc;
  f.oiTracQtaVer = oiTracQtaVer;
  f.osTipoFileTracApp = "da";
  f.osDefParDaClassi = osDefParDaClassi;
  f.osModVisLotti = osModVisLotti;
  f.osVisLottiOrd = osVisLottiOrd;
  f.obVisLottiScad = obVisLottiScad;
  f.osFlagGestRintraccia = msGestRintraccia;
  f.osLottoTipOpe = osLottoTipOpe;
  std::string scar, car, gr, ma, co;
  UtilLotto::CalcMagaScarCar(osLottoTipOpe, "M", "C", osMagazzino, osMagazzDest, scar, car, gr, ma, co);
  f.osMagaScar = scar;
  f.osMagaCar = car;
  f.osGruppoCliForn = gr;
  f.osMastroCliForn = ma;
  f.osContoCliForn = co;
  f.osKeySec = osKeySec;
  if (!mpApreTracc) mpApreTracc = std::make_shared<ApreTraccDett>(*this);
  f.ofrmTest = mpApreTracc.get();
  SetEnabled(false);
  f.oiAbilRW = oiAbilRW;
  f.Show(0);
  if (!f.Caricata()) {
    SetEnabled(true);
    return false;
  }
  return true;
}

void frmDDTDett::DopoGestTracc() {
  SetEnabled(true);
  Show();
  // The window is still inside its own unload: it goes at the next opening.
  mfrmTraccChiusa = std::move(mfrmTracc);
  switch (miRipresaTracc) {
    case 1:
      if (!mbInChiusura) timLinPag().SetEnabled(true);
      break;
    case 2: {
      miRipresaTracc = 0;
      std::string key = "Nuovo";
      CompletaInserisci(key);
      ButtonComando("Nuovo");
      break;
    }
    default:
      miStatoTimer = 0;
  }
  miRipresaTracc = 0;
}

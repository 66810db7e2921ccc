// The life of the window: the load in its fixed order, a load that fails,
// the unload with the bar's say on unsaved changes, and the members of the
// close protocol the menu and the bar call by name.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/UtilClient.h"
#include "common/frmInElab.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/menu/ClientMenu.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

}  // namespace

void frmDdtTest::LeggiDimDett(const std::string& psValore, int32_t& plDim, int32_t& plPos) {
  const long sep = vb::InStr(psValore, ";");
  if (sep == 0) {
    plPos = 0;
    plDim = Fc().ValLong(vb::Variant(psValore));
  } else {
    plPos = Fc().ValLong(vb::Variant(vb::Trim(vb::Mid(psValore, sep + 1))));
    plDim = Fc().ValLong(vb::Variant(vb::Trim(vb::Left(psValore, sep - 1))));
  }
}

void frmDdtTest::PassaA() {
  if (auto& c = G().goMenuClient) c->PassaA("Gestione DDT", "frmDdtTest", msKeySec);
}

void frmDdtTest::ChiudiFrm() {
  // The bar closes the window: the focused box is not checked on the way out.
  miChiudiFrm = 1;
  Unload();
}

void frmDdtTest::MenuFrm() { mainDdt::MostraMenu(); }

void frmDdtTest::Form_Load() {
  miLoadOk = -1;
  // Loaded again in the same run, the window starts from its own caption,
  // not from the one the framework's last load extended.
  if (msCaptionProgetto.empty())
    msCaptionProgetto = Caption();
  else
    SetCaption(msCaptionProgetto);
  SetHelpContextID(31000);
  for (int i = 0; i <= 5; ++i) C("PicPagine", i).SetHelpContextID(31001 + i);
  try {
    // Size and place of the line window, as the line window stored them.
    std::string valore;
    FunVarie::LeggiParIni("Configurazioni", "DdtDettLarg", "0", valore);
    LeggiDimDett(valore, olFormDettWidth, olFormDettLeft);
    valore.clear();
    FunVarie::LeggiParIni("Configurazioni", "DdtDettAlt", "0", valore);
    LeggiDimDett(valore, olFormDettHeight, olFormDettTop);

    C("PicEvid", 0).SetVisible(true);
    msTitoloForm = Caption();
    miLoadOk = -1;
    msTastoInCorso.clear();
    msKeyRsProv.clear();

    LeggiImpostazioni();

    AziendaUtil::CaricaFormPri(*this, -1, 0, 0, 0, 0, 0, -1, 0, -1, "");

    miChiudiFrm = 0;
    miTxtRientro = -1;
    olPosDett = -1;
    msMonetaListino.clear();
    mlColSfondoLab = lab(190).BackColor();
    mlColSfondoLabel1 = label1(310).BackColor();
    oiInDett = -1;
    mbAggIvaRighe = mbAggScoCliRighe = mbAggScoPagRighe = mbAggContrattoRighe = false;
    mbVerSpesePag = mbVerSpesePerc = mbAggSpesaCli = mbAggPiedeDopo = mbPesoCambiato = false;
    mbComandoInCorso = false;
    miAggProvv1Righe = miAggProvv2Righe = 0;

    const Globali& g = G();
    // The caption of the totals strip (the layout may still lack it).
    if (!Esiste("label1", 180)) Crea(ui::Tipo::Label, "label1", 180).SetContainer(&C("picTotPrz"));
    label1(180).SetCaption(vb::UgualeTesto(g.gsMonetaDitta, g.gsCodLira) ? "Totale in Lire:" : "Totale in Euro:");

    miProvCaricata = 0;
    mbScaricato = false;

    ImpostaBarra();
    FineCaricamento();
    miLoadOk = 1;
  } catch (...) {
    // The menu shows it, since this window will never be seen; the program
    // then closes without going back to the menu.
    UtilClient::MsgErrMenu(vb::Missing, vb::Missing, msTitoloForm + "\r\n");
    G().gbNoRitornoMenu = true;
    miLoadOk = -1;
  }
}

void frmDdtTest::Form_QueryUnload(int&, int UnloadMode) { modoChiusura_ = UnloadMode; }

void frmDdtTest::Form_Unload(int& Cancel) {
  modoChiusura_ = -1;
  try {
    if (miLoadOk == 1) {
      if (miChiudiFrm == 0) {
        msCtlAttivo.clear();
        membri::Ignora([&] {
          if (ui::Controllo* c = ActiveControl()) msCtlAttivo = c->Name();
        });
        // A value typed in the focused box is checked and decoded before the
        // bar decides about unsaved changes.
        if (vb::UgualeTesto(msCtlAttivo, "txt"))
          txt_LostFocus(ActiveControl()->Index());
        else
          miTxtRientro = -1;
      }
      Cancel = ogComPag().PuoChiudere() ? 0 : -1;
    }
    if (Cancel == 0) {
      if (FunVarie::FormAperta("frmInElab").ToBool()) frmInElab::Chiudi();
      mgLista = nullptr;
      RilasciaBarra();
      mbScaricato = true;
      if (miLoadOk == 1) UtilClient::ChiudiFormLancio(*this, -1);
      AziendaUtil::ScaricaForm(*this);
    } else if (vb::UgualeTesto(msCtlAttivo, "txt")) {
      if (ui::Controllo* c = ActiveControl()) txt_GotFocus(c->Index());
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  } catch (const std::exception& e) {
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(e.what())), vb::Variant(5));
  }
  miChiudiFrm = 0;
}

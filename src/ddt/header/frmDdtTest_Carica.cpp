// Placeholder until this part of the window is written: the shell's load
// and close protocol.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/menu/ClientMenu.h"

void frmDdtTest::PassaA() {
  if (auto& c = G().goMenuClient) c->PassaA("Gestione DDT", "frmDdtTest", msKeySec);
}
void frmDdtTest::ChiudiFrm() {
  miChiudiFrm = 1;
  Unload();
}
void frmDdtTest::MenuFrm() {}

void frmDdtTest::Form_Load() {
  miLoadOk = -1;
  try {
    AziendaUtil::CaricaFormPri(*this, -1, 0, 0, 0, 0, 0, -1, 0, -1, "");
    mbDicIntentiTest = AziendaUtil::EsisteCampo(G().gsTabTest, "PdcDicIntenti");
    ImpostaBarra();
    ogComPag().ImpImmagini(G().gsTipoIcone, C("tolComPag"), &C("ImagePiccole"), &C("ImagePiccole"));
    AziendaUtil::CaricaFormDop(*this, -1, 0, 0, 0, 0, 0, 0, -1);
    miLoadOk = 1;
  } catch (const vb::Errore&) {
    miLoadOk = -1;
  }
}

void frmDdtTest::Form_QueryUnload(int& Cancel, int UnloadMode) {
  modoChiusura_ = UnloadMode;
  if (HaBarra()) Cancel = ogComPag().PuoChiudere() ? 0 : 1;
}

void frmDdtTest::Form_Unload(int&) {
  const bool dallUtente = modoChiusura_ == ui::vbFormControlMenu || miChiudiFrm == 1;
  modoChiusura_ = -1;
  miChiudiFrm = 0;
  RilasciaBarra();
  mbScaricato = true;
  UtilClient::ChiudiFormLancio(*this, dallUtente ? -1 : 0);
}

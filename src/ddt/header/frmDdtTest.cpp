#include "ddt/header/frmDdtTest.h"

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "platform/Testo.h"
#include "platform/menu/ClientMenu.h"

frmDdtTest::frmDdtTest() : ui::Form("frmDdtTest") {
  // The design caption: the load adds the company to it.
  SetCaption("Gestione DDT");
  Move(0, 0, 9000, 3600);
  auto& avviso = Crea(ui::Tipo::Label, "labAvviso");
  avviso.Move(360, 360, 8160, 1500);
  avviso.SetWordWrap(true);
  avviso.SetCaption(
      "La gestione dei documenti di trasporto non è ancora disponibile in questa versione: "
      "il programma è collegato al menu e alla ditta, e si chiude con Esci o dal menu.");
  auto& esci = Crea(ui::Tipo::CommandButton, "cmdEsci");
  esci.Move(7200, 2400, 1320, 420);
  esci.SetCaption("&Esci");
  esci.SetTabIndex(0);
}

void frmDdtTest::PassaA() {
  if (auto& c = G().goMenuClient) c->PassaA("Gestione DDT", "frmDdtTest", osKeySec);
}

void frmDdtTest::Form_Load() {
  oiLoadOk = 0;
  try {
    AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, -1, 0, -1, "");
    AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 0, -1);
  } catch (const vb::Errore&) {
    // The opening routine sees -1, unloads the form and ends the program.
    oiLoadOk = -1;
  }
}

void frmDdtTest::Form_KeyDown(int& KeyCode, int Shift) {
  AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0);
}

void frmDdtTest::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmDdtTest::Form_QueryUnload(int&, int UnloadMode) { modoChiusura_ = UnloadMode; }

void frmDdtTest::Form_Unload(int&) {
  // Closed by the user: back to whoever launched it; by the program or the
  // menu: nowhere to go back to.
  const bool dallUtente = modoChiusura_ == ui::vbFormControlMenu || esci_;
  modoChiusura_ = -1;
  esci_ = false;
  UtilClient::ChiudiFormLancio(*this, dallUtente ? -1 : 0);
}

void frmDdtTest::Click(ui::Controllo& c) {
  if (c.Name() == "cmdEsci") {
    esci_ = true;
    if (!Unload()) esci_ = false;
  }
}

vb::Variant frmDdtTest::LeggiPerNome(const std::string& n) {
  if (vb::UgualeTesto(n, "osKeySec")) return osKeySec;
  if (vb::UgualeTesto(n, "osKeyLancia")) return osKeyLancia;
  if (vb::UgualeTesto(n, "osKeySecLancia")) return osKeySecLancia;
  if (vb::UgualeTesto(n, "osParamLancia")) return osParamLancia;
  if (vb::UgualeTesto(n, "osParam")) return osParam;
  if (vb::UgualeTesto(n, "oiLoadOk")) return static_cast<int16_t>(oiLoadOk);
  if (vb::UgualeTesto(n, "oiInDett")) return static_cast<int16_t>(oiInDett);
  if (vb::UgualeTesto(n, "oiAbilRW")) return static_cast<int16_t>(oiAbilRW);
  return ui::Form::LeggiPerNome(n);
}

void frmDdtTest::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (vb::UgualeTesto(n, "osKeySec")) osKeySec = v.ToString();
  else if (vb::UgualeTesto(n, "osKeyLancia")) osKeyLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osKeySecLancia")) osKeySecLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osParamLancia")) osParamLancia = v.ToString();
  else if (vb::UgualeTesto(n, "osParam")) osParam = v.ToString();
  else if (vb::UgualeTesto(n, "oiAbilRW")) oiAbilRW = v.ToInt();
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmDdtTest::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (vb::UgualeTesto(n, "PassaA")) {
    PassaA();
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

frmDdtTest& FrmDdtTest() {
  static frmDdtTest f;
  return f;
}

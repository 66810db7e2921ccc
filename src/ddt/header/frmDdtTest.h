#pragma once
// The DDT header form as the start-up, the menu commands and the form
// framework reach it: the launch keys, the load result, the open
// sub-window, the announcement to the menu and the close protocol. The
// header's fields, record bar and list come with the header itself; until
// then the window says so and the menu can open, activate and close it.
#include <string>

#include "platform/ui/Form.h"

class frmDdtTest : public ui::Form {
 public:
  frmDdtTest();

  // Set by the form-opening routine before the load and on re-activation;
  // read back by the close protocol.
  std::string osKeySec, osKeyLancia, osKeySecLancia, osParamLancia, osParam;
  // -1 when the form's own load failed: the opening routine then ends the
  // program.
  int oiLoadOk = 0;
  // -1 no sub-window open, 1 the lines, 2 the expenses.
  int oiInDett = -1;
  // 1 changes allowed, 0 read-only (the switch "RO" of osParam).
  int oiAbilRW = 1;

  // Announces the window to the menu server.
  void PassaA();

  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;
  void Click(ui::Controllo& c) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;

 private:
  int modoChiusura_ = -1;
  bool esci_ = false;
};

// The program-wide instance; the menu opens it by the name "frmddttest".
frmDdtTest& FrmDdtTest();

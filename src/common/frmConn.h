#pragma once
// The splash window "Connessione al database": the product and its version
// while the company database opens and while a form loads.
#include "platform/ui/Form.h"

class frmConn : public ui::Form {
 public:
  frmConn();
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  friend frmConn& FrmConn();
  void Progetta();
  bool usata_ = false;
};

// The program-wide instance. After an unload the next use finds a fresh
// window (its design state), as the legacy released its instance.
frmConn& FrmConn();

#pragma once
// Placeholder of the DDT list window until it is written: the members the
// header's bar set-up hands it.
#include <string>

#include "platform/ui/Form.h"

class frmDdtTestLis : public ui::Form {
 public:
  frmDdtTestLis() : ui::Form("frmDdtTestLis") { SetCaption("Lista Testate DDT"); }
  std::string osListaOrdin, osKeySec;
};

frmDdtTestLis& FrmDdtTestLis();

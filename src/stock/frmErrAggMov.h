#pragma once
// The notice of a movement row whose reversal failed: the movement (number,
// date, cause, warehouses, list, currency, rate), the row (article,
// quantities, prices, amounts) and the error text, with "Prosegui".
// Filled and shown modally by UtilMovim::MostraErrAggMov, its only user.
#include "platform/ui/Form.h"

class frmErrAggMov : public ui::Form {
 public:
  frmErrAggMov();

  void Form_Load() override;
  void Click(ui::Controllo& c) override;
  void comPresegui_Click();
};

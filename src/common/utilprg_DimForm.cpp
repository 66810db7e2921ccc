// A form's geometry as the program saves it in the ini and applies it again.
#include <cmath>

#include "common/MembriForm.h"
#include "common/utilprg.h"
#include "platform/ui/Form.h"

namespace utilprg {

void LeggiDimForm(const ui::Form& pgForm, long& plLarg, long& plAlt, long& plLeft, long& plTop) {
  plLeft = 0;
  plTop = 0;
  if (pgForm.WindowState() == ui::vbMaximized) {
    plLarg = -2;
    plAlt = -2;
    return;
  }
  const ui::Schermo& s = ui::Screen();
  if (pgForm.Width() == s.Width) {
    plLarg = -1;
  } else {
    plLarg = pgForm.Width();
    plLeft = pgForm.Left();
  }
  if (pgForm.Height() == s.Height) {
    plAlt = -1;
  } else {
    plAlt = pgForm.Height();
    plTop = pgForm.Top();
  }
}

void ImpostaDimForm(ui::Form& pgForm, long plLarg, long plAlt, long plLeft, long plTop) {
  membri::Ignora([&] {
    if (plLarg == -2 || plAlt == -2) {
      pgForm.SetWindowState(ui::vbMaximized);
      return;
    }
    const ui::Schermo& s = ui::Screen();
    long left = pgForm.Left(), top = pgForm.Top(), larg = pgForm.Width(), alt = pgForm.Height();
    if (plLarg == -1) {
      left = 0;
      larg = s.Width;
    } else {
      if (plLarg != 0) larg = plLarg;
      if (plLeft != 0) left = plLeft;
    }
    if (plAlt == -1) {
      top = 0;
      alt = s.Height;
    } else {
      if (plAlt != 0) alt = plAlt;
      if (plTop != 0) top = plTop;
    }
    if (left != pgForm.Left() || top != pgForm.Top() || larg != pgForm.Width() || alt != pgForm.Height())
      pgForm.Move(left, top, larg, alt);
  });
}

}  // namespace utilprg

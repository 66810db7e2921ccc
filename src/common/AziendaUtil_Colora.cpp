// Focus colouring: the field with the focus shows its own background; a
// field painted in the error colour by a check keeps it unless forced.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace AziendaUtil {

void ColoraGotFocus(ui::Controllo& pgCtl, int pbForza) {
  const Globali& g = G();
  if (g.glColBackGotFocus != g.glColBacklostFocus) {
    // A field that lost the focus without its LostFocus running keeps the
    // focus colour: clear it on the text boxes of the active form.
    ui::Form* f = ui::Screen().ActiveForm ? ui::Screen().ActiveForm : &pgCtl.Parent();
    const auto& controlli = f->Controlli();
    const size_t n = controlli.size();
    for (size_t i = 0; i < n && i < controlli.size(); ++i) {
      ui::Controllo& c = *controlli[i];
      if (vb::UgualeTesto(c.Name(), "txt") && c.BackColor() == g.glColBackGotFocus) c.SetBackColor(g.glColBacklostFocus);
    }
  }
  if (pbForza != 0 || pgCtl.BackColor() != g.glColoreErrore) pgCtl.SetBackColor(g.glColBackGotFocus);
}

void ColoraLostFocus(ui::Controllo& pgCtl, int pbForza) {
  const Globali& g = G();
  if (pbForza != 0 || pgCtl.BackColor() != g.glColoreErrore) pgCtl.SetBackColor(g.glColBacklostFocus);
}

}  // namespace AziendaUtil

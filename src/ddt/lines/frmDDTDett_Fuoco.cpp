// Field entry, function keys and look-ups of the line fields.
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"

using namespace DettUtil;

void frmDDTDett::txt_KeyUp(int, int&, int) {}
void frmDDTDett::ComHlp_Click(int) {}
void frmDDTDett::txtRiga_GotFocus() {}

void frmDDTDett::txt_GotFocus(int Index) {
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  ui::Controllo& t = txt(Index);
  const std::string& col = NomeCampo(Index);
  const bool campo = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
  switch (Index) {
    case 30: case 40: case 60: case 70: case 150: case 180: case 190:
    case 250: case 260: case 270: case 800: case 810: case 820:
      if (campo) ogLinPag().CampoGotFocus(t);
      if (Index == 60)
        MsgPannello(std::string("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario") +
                    (mbMostraCostoUltimo ? "; F4=Mostra costo ultimo" : ""));
      break;
    case 160:
      t.SetText(FC().FormatTipo(vb::Variant(t.Text()), "Conto"));
      break;
    case 420: case 440:
      MsgPannello("F7=Inserisce nella nota la descrizione lunga");
      break;
    default:
      break;
  }
  masValIngresso[static_cast<size_t>(Index)] = t.BackColor() == G().glColoreErrore ? std::string(kInErrore) : t.Text();
  if (t.Parent().ActiveControl() == &t) {
    t.SetSelStart(0);
    t.SetSelLength(static_cast<int>(t.Text().size()));
  }
  AziendaUtil::ColoraGotFocus(t, 0);
}

void frmDDTDett::GotTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    if (a && Uguale(a->Name(), "txt")) txt_GotFocus(a->Index());
  });
}

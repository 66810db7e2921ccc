// The quantity from the dimensions of the packages: goods sold by length,
// surface or volume are entered as a number of packages and the dimensions
// of one; the quantity follows in the line's unit, and a note under the
// line keeps the dimensions for the printed DDT. Called by the field exits
// (packages, unit, dimensions) while "QtaDaDimen" is on.
#include <cmath>
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Errore.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"

using namespace DettUtil;

void frmDDTDett::CalcQtaDaDimens() {
  const std::string um = vb::Trim(txt(140).Text());
  if (um.empty() || txt(140).BackColor() == G().glColoreErrore) return;
  if (FC().Vuoto(vb::Variant(txt(40).Text()), vb::vbDouble)) return;
  // How many dimensions count: the first list that names the unit.
  const std::string cerca = ";" + um + ";";
  int n = 0;
  if (vb::InStr(msQtaDaDimUML, cerca, vb::vbTextCompare) > 0) n = 1;
  else if (vb::InStr(msQtaDaDimUMQ, cerca, vb::vbTextCompare) > 0) n = 2;
  else if (vb::InStr(msQtaDaDimUMC, cerca, vb::vbTextCompare) > 0) n = 3;
  if (n == 0) return;

  auto numero = [&](int campo) { return FC().ValDouble(vb::Variant(txt(campo).Text())); };
  const double colli = numero(40), lun = numero(250), lar = numero(260), alt = numero(270);
  const double r = mdQtaDimenRapp;
  double q = 0;
  if (n == 1) q = colli * lun / r;
  else if (n == 2) q = colli * lun * lar / (r * r);
  else q = colli * lun * lar * alt / (r * r * r);
  // A product beyond any number is an overflow for the field's exit to
  // report: nothing of the line changes.
  if (!std::isfinite(q)) vb::Solleva(vb::ErrOverflow);
  // A missing dimension, no packages or a negative count leave the line.
  if (!(q > 0)) return;

  const std::string& modello = n == 1 ? msNotaDimensioniUML : n == 2 ? msNotaDimensioniUMQ : msNotaDimensioniUMC;
  std::string nota;
  if (!Vuoto(modello)) {
    nota = FC().Sostituisci(modello, "§Lun§", txt(250).Text());
    if (n >= 2) nota = FC().Sostituisci(nota, "§Lar§", txt(260).Text());
    if (n == 3) nota = FC().Sostituisci(nota, "§Alt§", txt(270).Text());
    nota = FC().Sostituisci(nota, "§UM§", txt(140).Text());
    nota = FC().Sostituisci(nota, "§Colli§", txt(40).Text());
  } else {
    nota = txt(40).Text() + " x " + txt(250).Text();
    if (n >= 2) nota += " x " + txt(260).Text();
    if (n == 3) nota += " x " + txt(270).Text();
  }
  txt(440).SetText(nota);
  // A note that would not be printed is printed on the evading document too.
  if (Uguale(vb::Trim(txt(430).Text()), "N")) {
    txt(430).SetText("S");
    FunVarie::PosizCombo(cob(430), vb::Variant("S"), Vettore(mavStampaNota), true, true);
  }
  txt(30).SetText(vb::TestoDouble(q));
  // The quantity goes through its own exit: check, format, price, amount.
  txt_LostFocus(30);
}

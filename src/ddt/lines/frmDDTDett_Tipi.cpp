// What this terminal may not touch, and the fields the level rows lock:
// on a terminal barred from price entry the data pages are disabled but for
// the article, its description, the quantity and the packages; a line whose
// quantities come from several level rows has its quantity, price and
// discount fields locked.
#include <string>

#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Testo.h"

using namespace DettUtil;

void frmDDTDett::DisabCampiTerminale() {
  for (const auto& c : Controlli()) {
    // Only what sits straight on a data page: a picture box there goes off
    // as a whole and what is inside it keeps its own state.
    const ui::Controllo* cont = c->Container();
    if (!cont || !Uguale(cont->Name(), "picdati")) continue;
    if (c->tipo() == ui::Tipo::Label) continue;
    if (Uguale(c->Name(), "txt")) {
      const int n = c->Index();
      if (n == 20 || n == 26 || n == 30 || n == 40) continue;
    }
    c->SetEnabled(false);
  }
}

void frmDDTDett::DisCampiLiv(bool pbAbilDisab) {
  // The order of the legacy form (the price fields, then the discounts
  // from the customer's on, then unit and factor).
  static const struct {
    const char* nome;
    int n;
  } kCampi[] = {{"txt", 30},  {"txt", 40},  {"txt", 60},  {"ComHlp", 60},  {"txt", 70},
                {"txt", 100}, {"txt", 90},  {"txt", 110}, {"txt", 120},    {"txt", 80},
                {"ComHlp", 80}, {"txt", 140}, {"ComHlp", 140}, {"txt", 150}};
  for (const auto& k : kCampi) C(k.nome, k.n).SetEnabled(pbAbilDisab);
  mbCampiLivAbil = pbAbilDisab;
  // Enabling them again must not give prices back to a barred terminal.
  if (G().gbDisabTermPrz) DisabCampiTerminale();
}

void frmDDTDett::LivQtaDef() {
  if (Vuoto(txt(21).Text()) || Vuoto(txt(22).Text()) || !Vuoto(txt(30).Text())) return;
  txt(30).SetText(Vuoto(G().gsQtaDef) ? std::string("1") : G().gsQtaDef);
}

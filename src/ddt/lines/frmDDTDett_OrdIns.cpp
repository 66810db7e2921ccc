// The terminal's personal entry order of the line fields.
//
// The user lists the fields a new line is typed in first ("DettOrdIns":
// field numbers; "DettOrdInsTab": the places the fields have in the
// window's own tab order); the others follow in the window's order. The
// lists are read once per opening. On a new line the listed fields take
// the first places of the tab order; on any other state the window's own
// order comes back, the fields put back from the highest design place
// down, which restores it exactly whatever the layout moved.
//
// An item that names no line box (not a number, a number no box has, a
// repeated one) cannot be honoured and is left out; a list left without
// items gives no personal order.
#include <cctype>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// An item of the list as a whole number (blanks around it allowed).
bool Numero(const std::string& voce, int16_t& n) {
  const std::string t = vb::Trim(voce);
  size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  if (i >= t.size() || t.size() - i > 4) return false;
  for (size_t k = i; k < t.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
  n = FC().ValInt(vb::Variant(t), true, true);
  return true;
}

}  // namespace

// The window's own tab order, as designed: an opening closed on a new
// line leaves the personal order in place, and the next opening must start
// from the design.
static void RipristinaDisegno(frmDDTDett& f) {
  const auto& controlli = f.Controlli();
  if (f.maiTabDisegno.size() != controlli.size()) {
    f.maiTabDisegno.clear();
    for (const auto& c : controlli) f.maiTabDisegno.push_back(c->TabIndex());
    return;
  }
  for (size_t i = 0; i < controlli.size(); ++i)
    if (controlli[i]->TabIndex() != f.maiTabDisegno[i]) controlli[i]->SetTabIndex(f.maiTabDisegno[i]);
}

void frmDDTDett::DettOrdIns() {
  RipristinaDisegno(*this);
  mbOrdInsPers = true;
  maiOrdIns.clear();
  std::vector<std::string> voci;
  const long n = FC().Dividi(osDettOrdIns, ",", voci);
  for (long k = 1; k <= n && k < static_cast<long>(voci.size()); ++k) {
    int16_t campo = 0;
    if (!Numero(voci[static_cast<size_t>(k)], campo) || !Esiste("txt", campo)) continue;
    bool doppio = false;
    for (int16_t c : maiOrdIns) doppio = doppio || c == campo;
    if (!doppio) maiOrdIns.push_back(campo);
  }
}

void frmDDTDett::DettOrdInsTab() {
  RipristinaDisegno(*this);
  mbOrdInsPers = true;
  maiOrdIns.clear();
  std::vector<std::string> voci;
  const long n = FC().Dividi(osDettOrdInsTab, ",", voci);
  const std::vector<int> caselle = Indici("txt");
  for (long k = 1; k <= n && k < static_cast<long>(voci.size()); ++k) {
    int16_t v = 0;
    if (!Numero(voci[static_cast<size_t>(k)], v)) continue;
    int16_t campo = v;  // no box at that place: the number is a field number
    for (int i : caselle) {
      if (txt(i).TabIndex() == v) {
        campo = static_cast<int16_t>(i);
        break;
      }
    }
    if (!Esiste("txt", campo)) continue;
    bool doppio = false;
    for (int16_t c : maiOrdIns) doppio = doppio || c == campo;
    if (!doppio) maiOrdIns.push_back(campo);
  }
}

void frmDDTDett::DettOrdInsRip() {
  RipristinaDisegno(*this);
  maiOrdInsTab.clear();
  maiOrdInsPrec.clear();
  if (maiOrdIns.empty()) {
    mbOrdInsPers = false;
    return;
  }
  for (int16_t campo : maiOrdIns) maiOrdInsTab.push_back(static_cast<int16_t>(txt(campo).TabIndex()));
  maiOrdInsPrec.push_back(static_cast<int16_t>(AziendaUtil::CercaCampoPrec(-1, *this, maiOrdIns).ToInt()));
  for (size_t k = 1; k < maiOrdIns.size(); ++k) {
    const int16_t prima = maiOrdIns[static_cast<size_t>(maiOrdInsPrec[k - 1])];
    maiOrdInsPrec.push_back(static_cast<int16_t>(
        AziendaUtil::CercaCampoPrec(static_cast<int16_t>(txt(prima).TabIndex()), *this, maiOrdIns).ToInt()));
  }
}

void frmDDTDett::PostoTab(int piCampo, int piPosto) {
  ui::Controllo& c = txt(piCampo);
  const int da = c.TabIndex();
  if (da == piPosto) return;
  for (const auto& x : Controlli()) {
    if (x.get() == &c) continue;
    const int t = x->TabIndex();
    if (piPosto < da && t >= piPosto && t < da) x->SetTabIndex(t + 1);
    else if (piPosto > da && t > da && t <= piPosto) x->SetTabIndex(t - 1);
  }
  c.SetTabIndex(piPosto);
}

int16_t frmDDTDett::PrimoCampoOrdIns() const { return mbOrdInsPers && !maiOrdIns.empty() ? maiOrdIns[0] : -1; }

void frmDDTDett::FuocoOrdIns() {
  const int16_t primo = PrimoCampoOrdIns();
  if (primo < 0) return;
  try {
    vb::FunzioniComuniUi::ImpostaFuoco(txt(primo), true);
  } catch (...) {
    // A box that cannot take the focus now: the page's own field keeps it.
  }
}

void frmDDTDett::OrdInsNuovaRiga() {
  if (!mbOrdInsPers || maiOrdIns.empty()) {
    try {
      if (HaPagina())
        if (ui::Controllo* c = ogLinPag().CtrlFuoco()) vb::FunzioniComuniUi::ImpostaFuoco(*c, true);
    } catch (...) {
    }
    return;
  }
  if (maiOrdIns.size() >= 2)
    for (size_t k = 0; k < maiOrdIns.size(); ++k) PostoTab(maiOrdIns[k], static_cast<int>(k));
  ui::DoEvents();
  FuocoOrdIns();
}

void frmDDTDett::OrdInsRipristina() {
  if (!mbOrdInsPers || maiOrdIns.size() < 2) return;
  for (size_t k = 0; k < maiOrdInsPrec.size(); ++k) {
    const size_t pos = static_cast<size_t>(maiOrdInsPrec[k]);
    if (pos >= maiOrdIns.size() || pos >= maiOrdInsTab.size()) continue;
    PostoTab(maiOrdIns[pos], maiOrdInsTab[pos]);
  }
}

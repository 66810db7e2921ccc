// The six pages of the header under the tab strip `TasPagine`: one page in
// front at a time, laid over the strip's client area, with the red marker
// `PicEvid`(0) under its tab.
#include <algorithm>

#include "common/MembriForm.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

namespace {

// The row of tabs over the client area, and the thin edge around it.
constexpr long kAltLinguette = 375;
constexpr long kBordo = 45;
// The marker: as high as this, half of it over the tab's lower edge.
constexpr long kAltSegno = 50;

// The field a tab click puts the focus on, page by page; -1 none.
int CampoFuoco(const frmDdtTest& f, int pagina) {
  switch (pagina) {
    case 0: return f.txt(200).Enabled() ? 200 : 220;
    case 1: return 400;
    case 2: return 600;
    case 3: return 800;
    case 4: return 1660;
    default: return -1;
  }
}

}  // namespace

frmDdtTest::Riquadro frmDdtTest::AreaPagine() const {
  const ui::Controllo& s = C("TasPagine");
  Riquadro r;
  r.Left = s.Left() + kBordo;
  r.Top = s.Top() + kAltLinguette + kBordo;
  r.Width = std::max(0L, s.Width() - 2 * kBordo);
  r.Height = std::max(0L, s.Height() - kAltLinguette - 2 * kBordo);
  return r;
}

frmDdtTest::Riquadro frmDdtTest::PostoLinguetta(int n) const {
  ui::Controllo& s = C("TasPagine");
  Riquadro r;
  r.Left = s.Left();
  r.Top = s.Top();
  r.Height = kAltLinguette;
  // Tabs without a width of their own share the row.
  const long uguale = s.NumElementi() > 0 ? s.Width() / s.NumElementi() : s.Width();
  for (int i = 1; i <= s.NumElementi(); ++i) {
    const long w = s.Elem(i).Width > 0 ? s.Elem(i).Width : uguale;
    if (i == n) {
      r.Width = w;
      break;
    }
    r.Left += w;
  }
  return r;
}

void frmDdtTest::TasPagine_Click() {
  const int n = C("TasPagine").SelectedTab();
  if (n - 1 == miPagCorrente) return;
  miPagCorrente = static_cast<int16_t>(n - 1);
  // The field that had the focus runs its exit handling before the page
  // changes under it: the tab strip takes the focus from it.
  membri::Ignora([this] { SetFocus(); });
  ui::Controllo& schede = C("TasPagine");
  if (ActiveControl() && ActiveControl() != &schede && schede.PuoFuoco()) SpostaFuoco(&schede);
  SistemaPagina(miPagCorrente, true);
}

void frmDdtTest::SistemaPagina(int16_t piCorrente, bool pbSetFocus) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  ui::Controllo& pagina = C("PicPagine", piCorrente);
  ui::Controllo& schede = C("TasPagine");
  const std::string stato = txt(110).Text();
  bool statoVuoto = fc.Vuoto(stato, vb::vbString, 1, false);

  // 1. An editable DDT: the page on, and the focus on its first field.
  if (statoVuoto) {
    pagina.SetEnabled(true);
    if (pbSetFocus) {
      const int campo = CampoFuoco(*this, piCorrente);
      if (campo >= 0) vb::FunzioniComuniUi::ImpostaFuoco(txt(campo), true);
    }
  }

  // 2. Restore from evasion: offered on the documents page of a stored,
  // evaded DDT whose invoice is not on show (the labels as they stand now).
  ui::Controllo& barra = C("tolComPag");
  const bool ripEvasione = vb::UgualeTesto(stato, "E") && fc.Vuoto(lab(2010).Caption(), vb::vbString, 1, false) &&
                           fc.Vuoto(lab(2000).Caption(), vb::vbString, 1, false) && ogComPag().oiFlagOpe() == 1 &&
                           piCorrente == 5;
  if (barra.HaElem("RipEvasione")) {
    barra.Elem("RipEvasione").Visible = ripEvasione;
    barra.ElementoCambiato();
  }

  // 3. The page over the strip's client area.
  const Riquadro area = AreaPagine();
  pagina.Move(area.Left, area.Top, area.Width, area.Height);

  // 4. The documents page fills itself once per DDT.
  if (piCorrente == 5) MostraProvenienza();

  // 5. In front.
  pagina.ZOrder(0);

  // 6. The other pages off, the documents page excepted (it is read-only).
  for (int i = 1; i <= schede.NumElementi(); ++i) {
    const int p = i - 1;
    if (p != piCorrente && p != 5 && Esiste("PicPagine", p)) C("PicPagine", p).SetEnabled(false);
  }

  // 7. The state rules of the header.
  bool nonStampato = !vb::UgualeTesto(stato, "S");
  AbilDisabVariaz(statoVuoto, nonStampato);

  // 8. The marker under the selected tab.
  const Riquadro tab = PostoLinguetta(schede.SelectedTab());
  ui::Controllo& segno = C("PicEvid", 0);
  segno.Move(tab.Left, tab.Top + tab.Height - kAltSegno / 2, tab.Width, kAltSegno);
  segno.ZOrder(0);
}

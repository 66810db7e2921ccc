// The matrix on screen: cell numbers, the cells and captions created at
// load, the panels and scroll bars, scrolling and the focus rule.
#include <algorithm>
#include <cmath>

#include "common/Globali.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/Errore.h"
#include "platform/Testo.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
constexpr long kSpazio = 60;
}  // namespace

int16_t frmGestLivelli::NumTotLiv(int16_t piIndex, bool pbNoZero) const {
  if (piIndex < 0 || piIndex > 2) vb::Solleva(9, "Subscript out of range");
  const int16_t n = miNumEle[piIndex];
  return pbNoZero ? std::max<int16_t>(n, 1) : n;
}

int16_t frmGestLivelli::IndDaEle(int16_t piC, int16_t piC2) const {
  const long k = static_cast<long>(piC2 - 1) * NumTotLiv(1, true) + piC;
  if (k > 32767 || k < -32768) vb::Solleva(6, "Overflow");
  return static_cast<int16_t>(k);
}

int16_t frmGestLivelli::EleDaInd(int16_t piIndex, int16_t piCosa) const {
  const int16_t k1 = NumTotLiv(1, true);
  if (piCosa == 1) return static_cast<int16_t>((piIndex - 1) % k1 + 1);
  return static_cast<int16_t>((piIndex - 1) / k1 + 1);
}

long frmGestLivelli::Interno(const ui::Controllo& c, bool larghezza) {
  const long bordo = c.BorderStyle() == 1 ? 2 * (larghezza ? ui::Screen().TwipsPerPixelX : ui::Screen().TwipsPerPixelY) : 0;
  return std::max(0L, (larghezza ? c.Width() : c.Height()) - bordo);
}

void frmGestLivelli::PrepMask() {
  const int16_t k1 = K1(), k2 = K2();
  const long n = static_cast<long>(k1) * k2;
  ui::Controllo& main = C("PicMain");
  ui::Controllo& l1 = C("labLiv1");
  ui::Controllo& l2 = C("labLiv2");
  // 1. Frame.
  main.Move(0, main.Top(), ScaleWidth(), lab(270).Top() - main.Top() - kSpazio);
  // 2. Back to the three templates.
  for (const char* nome : {"labLivVert", "labLivOriz", "txtLiv"})
    for (int i : Indici(nome))
      if (i != 1) ScaricaElemento(nome, i);
  // 3. Column captions.
  ui::Controllo& o1 = labLivOriz(1);
  o1.SetTop(l2.Top() + l2.Height() - o1.Height());
  if (NumTotLiv(1, false) > 0) {
    C("PicMaOriz").SetVisible(true);
    for (int16_t c = 1; c <= k1; ++c) {
      ui::Controllo& e = c == 1 ? o1 : CaricaElemento("labLivOriz", c);
      if (c > 1) {
        e.Move(labLivOriz(c - 1).Left() + o1.Width() + kSpazio, o1.Top(), o1.Width(), o1.Height());
        e.SetVisible(true);
      }
      e.SetCaption(msCodEle[1][static_cast<size_t>(c)]);
      e.SetToolTipText(msDesEle[1][static_cast<size_t>(c)]);
    }
  } else {
    C("PicMaOriz").SetVisible(false);
  }
  // 4. Row captions.
  ui::Controllo& v1 = labLivVert(1);
  if (NumTotLiv(2, false) > 0) {
    C("PicMaVert").SetVisible(true);
    v1.SetWidth(l1.Width());
    for (int16_t r = 1; r <= k2; ++r) {
      ui::Controllo& e = r == 1 ? v1 : CaricaElemento("labLivVert", r);
      if (r > 1) {
        e.Move(v1.Left(), labLivVert(r - 1).Top() + v1.Height() + kSpazio, v1.Width(), v1.Height());
        e.SetVisible(true);
      }
      e.SetCaption(msCodEle[2][static_cast<size_t>(r)]);
      e.SetToolTipText(msDesEle[2][static_cast<size_t>(r)]);
    }
  } else {
    C("PicMaVert").SetVisible(false);
  }
  // 5. Cells, row by row; the tab order runs through them first.
  ui::Controllo& t1 = txtLiv(1);
  t1.SetTabIndex(0);
  for (int16_t r = 1; r <= k2; ++r)
    for (int16_t c = 1; c <= k1; ++c) {
      const int16_t i = IndDaEle(c, r);
      ui::Controllo* e = &t1;
      if (c != 1 || r != 1) {
        e = &CaricaElemento("txtLiv", i);
        e->SetVisible(true);
        e->SetTabIndex(i - 1);
        long x = labLivOriz(c).Left(), y = t1.Top();
        if (r > 1) {
          if (c == 1) {
            const ui::Controllo& su = txtLiv(IndDaEle(1, static_cast<int16_t>(r - 1)));
            x = labLivOriz(1).Left();
            y = su.Top() + su.Height() + kSpazio;
          } else {
            y = txtLiv(IndDaEle(1, r)).Top();
          }
        }
        e->Move(x, y, t1.Width(), t1.Height());
      }
      e->SetText(msQta[static_cast<size_t>(c)][static_cast<size_t>(r)]);
    }
  // 6.
  msTestoPrec.assign(static_cast<size_t>(n) + 1, std::string());
  // 7. Need for the scroll bars.
  ui::Controllo& vs = C("VScr");
  ui::Controllo& hs = C("HScr");
  vs.SetVisible(false);
  hs.SetVisible(false);
  const ui::Controllo& ultima = txtLiv(static_cast<int>(n));
  const long w = Interno(main, true) - (l1.Left() + l1.Width()) - kSpazio;
  const long hv = Interno(main, false) - (l2.Top() + l2.Height()) - kSpazio;
  bool serveH = ultima.Left() + ultima.Width() > w;
  const bool serveV = ultima.Top() + ultima.Height() + (serveH ? hs.Height() : 0) > hv;
  if (serveV && !serveH && ultima.Left() + ultima.Width() + vs.Width() > w) serveH = true;
  // 8. Room for them.
  if (serveV) main.SetWidth(main.Width() - vs.Width());
  if (serveH) main.SetHeight(main.Height() - hs.Height());
  // 9. Panels.
  const long sx = l1.Left() + l1.Width() + kSpazio, sy = l2.Top() + l2.Height() + kSpazio;
  for (const char* p : {"PicMaOriz", "PicOriz", "PicMaVert", "PicVert", "PicMaLiv", "PicLivelli"})
    C(p).SetBorderStyle(0);
  ui::Controllo& maOriz = C("PicMaOriz");
  maOriz.Move(sx, 0, std::max(0L, Interno(main, true) - sx), l2.Top() + l2.Height());
  C("PicOriz").Move(0, 0, labLivOriz(k1).Left() + labLivOriz(k1).Width(), Interno(maOriz, false));
  ui::Controllo& maVert = C("PicMaVert");
  maVert.Move(0, sy, l1.Left() + l1.Width(), std::max(0L, Interno(main, false) - sy));
  C("PicVert").Move(0, 0, Interno(maVert, true), labLivVert(k2).Top() + labLivVert(k2).Height());
  ui::Controllo& maLiv = C("PicMaLiv");
  maLiv.Move(sx, sy, std::max(0L, Interno(main, true) - sx), std::max(0L, Interno(main, false) - sy));
  C("PicLivelli").Move(0, 0, t1.Left() + k1 * t1.Width() + (k1 - 1) * kSpazio,
                       t1.Top() + k2 * t1.Height() + (k2 - 1) * kSpazio);
  // 10. The bars, placed whether shown or not.
  vs.Move(main.Left() + main.Width(), main.Top() + maLiv.Top(), vs.Width(), main.Height() - maLiv.Top());
  hs.Move(main.Left() + maLiv.Left(), main.Top() + main.Height(), main.Width() - maLiv.Left(), hs.Height());
  auto massimo = [&](long totale, long finestra, long passo) {
    const double q = static_cast<double>(totale - finestra) / static_cast<double>(passo);
    return static_cast<int>(std::max(0.0, FC().Arrotonda(vb::Variant(q), "S", 1)));
  };
  vs.SetMin(0);
  hs.SetMin(0);
  vs.SetMax(serveV ? massimo(C("PicLivelli").Height(), Interno(maLiv, false), t1.Height() + kSpazio) : 0);
  hs.SetMax(serveH ? massimo(C("PicLivelli").Width(), Interno(maLiv, true), t1.Width() + kSpazio) : 0);
  vs.SetSmallChange(1);
  hs.SetSmallChange(1);
  vs.SetLargeChange(5);
  hs.SetLargeChange(5);
  vs.SetVisible(serveV);
  hs.SetVisible(serveH);
  // 11. Cell (1, 1) current.
  try {
    if (t1.PuoFuoco()) t1.SetFocus();
  } catch (...) {
  }
  miRigaCor = 1;
  miColCor = 1;
  if (vb::UgualeTesto(msPrezzo[1][1], kNessunPrezzo)) return;
  txt(60).SetText(msPrezzo[1][1]);
  txt(70).SetText(msImporto[1][1]);
}

void frmGestLivelli::VScr_Change() {
  const ui::Controllo& t1 = txtLiv(1);
  const long off = -(t1.Height() + kSpazio) * C("VScr").Value();
  const long h = C("PicLivelli").Height();
  C("PicLivelli").SetTop(std::max(off, Interno(C("PicMaLiv"), false) - h));
  C("PicVert").SetTop(std::max(off, Interno(C("PicMaVert"), false) - h));
}

void frmGestLivelli::HScr_Change() {
  const ui::Controllo& t1 = txtLiv(1);
  const long off = -(t1.Width() + kSpazio) * C("HScr").Value();
  const long w = C("PicLivelli").Width();
  C("PicLivelli").SetLeft(std::max(off, Interno(C("PicMaLiv"), true) - w));
  C("PicOriz").SetLeft(std::max(off, Interno(C("PicMaOriz"), true) - w));
}

void frmGestLivelli::FocusLiv(int16_t piRigaCor, int16_t piColCor) {
  const Globali& g = G();
  ui::Controllo* a = ActiveControl();
  const int d = a && vb::UgualeTesto(a->Name(), "txt") ? a->Index() : -1;
  ui::Controllo& cor = txtLiv(IndDaEle(miRigaCor, miColCor));
  if (cor.BackColor() != g.glColoreErrore) cor.SetBackColor(g.glColBacklostFocus);
  ui::Controllo& dest = txtLiv(IndDaEle(piRigaCor, piColCor));
  if (dest.PuoFuoco()) dest.SetFocus();
  if (d == -1 || (obDisabTermPrz && obDisabTermVisPrz)) return;
  ui::DoEvents();
  if (txt(d).PuoFuoco()) txt(d).SetFocus();
  ui::DoEvents();
  ui::Controllo& ora = txtLiv(IndDaEle(miRigaCor, miColCor));
  if (ora.BackColor() != g.glColoreErrore) ora.SetBackColor(g.glColBackGotFocus);
}

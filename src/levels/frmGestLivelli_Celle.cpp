// Entering and leaving a cell, the shared prices of the cells, the total
// quantity and the stock of the current cell.
#include <cmath>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "services/UtilDocFattGest.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
constexpr long kSpazio = 60;
const char* const kErrato = "~ç§@*+";
}  // namespace

void frmGestLivelli::txtLiv_GotFocus(int Index) {
  const Globali& g = G();
  if (Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  ui::Controllo& c = txtLiv(Index);
  const int16_t i = static_cast<int16_t>(Index);
  lab(50).SetCaption(c.Text());
  // The cell left: its box loses the focus colour and the detail fields go
  // back into its arrays.
  if (EleDaInd(i, 1) != miRigaCor || EleDaInd(i, 2) != miColCor) {
    ui::Controllo& prima = txtLiv(IndDaEle(miRigaCor, miColCor));
    if (prima.BackColor() != g.glColoreErrore) prima.SetBackColor(g.glColBacklostFocus);
    const size_t a = static_cast<size_t>(miRigaCor), b = static_cast<size_t>(miColCor);
    msPrezzo[a][b] = txt(60).Text();
    mlColPrezzo[a][b] = txt(60).BackColor();
    msImporto[a][b] = txt(70).Text();
    mlColImporto[a][b] = txt(70).BackColor();
  }
  // The cell brought into view.
  const ui::Controllo& t1 = txtLiv(1);
  auto vista = [&](long pos, long dim, long sposta, long finestra, long passo, ui::Controllo& barra) {
    if (pos < -sposta) {
      barra.SetValue(static_cast<int>(std::max(0.0, FC().Arrotonda(vb::Variant(static_cast<float>(pos) / passo), "A", 1))));
    } else if (pos + dim > -sposta + finestra) {
      const double v = barra.Value() + FC().Arrotonda(vb::Variant(static_cast<float>(pos + dim + sposta - finestra) / passo), "A", 1);
      barra.SetValue(static_cast<int>(std::min<double>(barra.Max(), v)));
    }
  };
  vista(c.Top(), c.Height(), C("PicLivelli").Top(), Interno(C("PicMaLiv"), false), t1.Height() + kSpazio, C("VScr"));
  vista(c.Left(), c.Width(), C("PicLivelli").Left(), Interno(C("PicMaLiv"), true), t1.Width() + kSpazio, C("HScr"));
  vb::FunzioniComuniUi::EntraCampo(c, 7, d.osNumDecQta);
  msTestoPrec[static_cast<size_t>(Index)] = c.BackColor() == g.glColoreErrore ? std::string(kErrato) : c.Text();
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(c, 0);
  miRigaCor = EleDaInd(i, 1);
  miColCor = EleDaInd(i, 2);
  const size_t a = static_cast<size_t>(miRigaCor), b = static_cast<size_t>(miColCor);
  // The price of the entered cell.
  const int16_t modo = FC().ValInt(vb::Variant(d.osFlagLivLis));
  const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
  std::string& slot = oriz ? msPrezzo[a][0] : msPrezzo[0][b];
  if (!vb::UgualeTesto(msPrezzo[a][b], kNessunPrezzo)) {
    txt(60).SetText(msPrezzo[a][b]);
    txt(70).SetText(msImporto[a][b]);
  } else {
    txt(70).SetText(msImporto[a][b]);
    if (modo == 0 && !vb::UgualeTesto(msPrezzoUnico, kNessunPrezzo)) {
      msPrezzo[a][b] = msPrezzoUnico;
      txt(60).SetText(msPrezzo[a][b]);
    } else if (modo == 1 && !vb::UgualeTesto(slot, kNessunPrezzo)) {
      msPrezzo[a][b] = slot;
      txt(60).SetText(msPrezzo[a][b]);
    } else {
      CercaListino(miRigaCor, miColCor, false);
      txt(60).SetText(msPrezzo[a][b]);
      txt(70).SetText("");
      if (!FC().Vuoto(vb::Variant(msPrezzo[a][b]))) {
        if (modo == 0) {
          msPrezzoUnico = msPrezzo[a][b];
          for (int16_t e1 = 1; e1 <= K1(); ++e1)
            for (int16_t e2 = 1; e2 <= K2(); ++e2) {
              msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = msPrezzoUnico;
              mlColPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = mlColPrezzo[a][b];
            }
        } else if (modo == 1) {
          slot = msPrezzo[a][b];
          for (int16_t e = 1; e <= (oriz ? K2() : K1()); ++e) {
            const size_t x = oriz ? a : static_cast<size_t>(e), y = oriz ? static_cast<size_t>(e) : b;
            msPrezzo[x][y] = msPrezzo[a][b];
            mlColPrezzo[x][y] = mlColPrezzo[a][b];
          }
        }
      }
    }
    CalcDaUnitario(-1, -1);
  }
  txt(60).SetBackColor(mlColPrezzo[a][b]);
  txt(70).SetBackColor(mlColImporto[a][b]);
  // The two elements of the cell.
  if (NumTotLiv(miGrpLiv1, false) > 0) {
    const int16_t e = oriz ? miRigaCor : miColCor;
    txt(30).SetText(oriz ? labLivOriz(miRigaCor).Caption() : labLivVert(miColCor).Caption());
    lab(30).SetCaption(msDesEle[static_cast<size_t>(miGrpLiv1)][static_cast<size_t>(e)]);
  } else {
    txt(30).SetText("~ç~");
  }
  if (NumTotLiv(miGrpLiv2, false) > 0) {
    const int16_t e = oriz ? miColCor : miRigaCor;
    txt(40).SetText(oriz ? labLivVert(miColCor).Caption() : labLivOriz(miRigaCor).Caption());
    lab(40).SetCaption(msDesEle[static_cast<size_t>(miGrpLiv2)][static_cast<size_t>(e)]);
  } else {
    txt(40).SetText("~ç~");
  }
  if (oiTipoGest != 2 && oiTipoGest != 3 && oiTipoGest != 6) {
    const std::string& s = msStatoRiga[a][b];
    lab(240).SetCaption(vb::UgualeTesto(s, "E") ? "Evaso" : vb::UgualeTesto(s, "P") ? "Parz.Evaso" : "");
    lab(220).SetCaption(msQtaEvasa[a][b]);
  }
  MostraDispGiac();
}

void frmGestLivelli::txtLiv_LostFocus(int Index) {
  const Globali& g = G();
  if (Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  ui::Controllo& c = txtLiv(Index);
  AziendaUtil::ColoraLostFocus(c, 0);
  MsgPannello("");
  vb::FunzioniComuniUi::EsceCampo(c, 7, d.osNumDecQta);
  const bool cambiato = !vb::UgualeTesto(c.Text(), msTestoPrec[static_cast<size_t>(Index)]);
  lab(50).SetCaption(c.BackColor() == g.glColoreErrore ? std::string() : c.Text());
  if (cambiato) {
    if (!FC().Vuoto(vb::Variant(txt(20).Text())) && !vb::UgualeTesto(osPromozione, "S")) {
      double ridProvv = 0;
      if (UtilDocFattGest::RicScontoQta(txt(20).Text(), vb::Variant(QtaTot()), txt(710).Text(), odQtaPrezzo,
                                        osModScontoQta, osDetScontoQta, txt(100).Text(), d.osIntTipo, d.osIntest,
                                        d.osCategoria, d.osArtGruppo, d.osArtSottoGru, d.osTabSconti, ridProvv))
        ElaboraSconti(!FC().Vuoto(vb::Variant(c.Text())), false);
    }
    if (!FC().Vuoto(vb::Variant(c.Text()))) CalcPrezzo(0, -1, -1);
    else txt(70).SetText("");
  }
  const size_t a = static_cast<size_t>(miRigaCor), b = static_cast<size_t>(miColCor);
  msPrezzo[a][b] = txt(60).Text();
  AggPrzUnici(txt(60).BackColor());
  mlColPrezzo[a][b] = txt(60).BackColor();
  msImporto[a][b] = txt(70).Text();
  mlColImporto[a][b] = txt(70).BackColor();
  if (cambiato) CalcTotDocum();
}

double frmGestLivelli::QtaTot() const {
  if (!mbCelleAttive || Vuota()) return 0;
  double s = 0;
  for (int16_t e1 = 1; e1 <= K1(); ++e1)
    for (int16_t e2 = 1; e2 <= K2(); ++e2) s += FC().ValDouble(vb::Variant(txtLiv(IndDaEle(e1, e2)).Text()));
  return s;
}

void frmGestLivelli::MostraDispGiac() {
  ui::Controllo& avviso = label1(140);
  if (oiAnnoMag == 0) {
    lab(130).SetCaption("");
    lab(140).SetCaption("");
    avviso.SetVisible(false);
    return;
  }
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  vb::Variant disp, giac;
  const vb::Variant r = AziendaUtil::CalcGiacenza(txt(20).Text(), oiAnnoMag, vb::Variant(d.osMagazzino),
                                                  vb::Variant(txt(30).Text()), vb::Variant(txt(40).Text()), &disp,
                                                  &giac);
  lab(130).SetCaption(r.ToString());
  const double gq = FC().ValDouble(giac);
  lab(140).SetCaption(giac.ToString());
  avviso.SetVisible(gq < 0 && (vb::UgualeTesto(d.osSegnalGiac, "S") || vb::UgualeTesto(d.osSegnalGiac, "B")));
}

bool frmGestLivelli::LeggiPrezzo(int16_t piC, int16_t piC2, double& pdPrezzo) const {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  const int16_t m = FC().ValInt(vb::Variant(d.osFlagLivLis));
  if (m == 2) return false;
  if (m == 0) {
    if (vb::UgualeTesto(msPrezzoUnico, kNessunPrezzo)) return false;
    pdPrezzo = FC().ValDouble(vb::Variant(msPrezzoUnico));
    return true;
  }
  const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
  const std::string& slot =
      oriz ? msPrezzo[static_cast<size_t>(piC)][0] : msPrezzo[0][static_cast<size_t>(piC2)];
  if (vb::UgualeTesto(slot, kNessunPrezzo)) return false;
  pdPrezzo = FC().ValDouble(vb::Variant(slot));
  return true;
}

void frmGestLivelli::MettiPrezzi(int16_t piC, const std::string& psprezzo) {
  if (piC == 0) return;
  const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
  const int16_t k1 = K1(), k2 = K2();
  for (int16_t e1 = 1; e1 <= k1; ++e1)
    for (int16_t e2 = 1; e2 <= k2; ++e2)
      if (piC == -1 || (oriz ? e1 : e2) == piC) msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = psprezzo;
}

void frmGestLivelli::AggPrzUnici(long plColor) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  const int16_t modo = FC().ValInt(vb::Variant(d.osFlagLivLis));
  const size_t a = static_cast<size_t>(miRigaCor), b = static_cast<size_t>(miColCor);
  const std::string prezzo = msPrezzo[a][b];
  // A cell without a price (none found, none typed) spreads nothing.
  if (FC().Vuoto(vb::Variant(prezzo))) return;
  if (modo == 0) {
    if (vb::UgualeTesto(prezzo, msPrezzoUnico)) return;
    msPrezzoUnico = prezzo;
    for (int16_t e1 = 1; e1 <= K1(); ++e1)
      for (int16_t e2 = 1; e2 <= K2(); ++e2) {
        msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = msPrezzoUnico;
        mlColPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = plColor;
        CalcPrezzo(1, e1, e2);
      }
  } else if (modo == 1) {
    const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
    std::string& slot = oriz ? msPrezzo[a][0] : msPrezzo[0][b];
    if (vb::UgualeTesto(prezzo, slot)) return;
    slot = prezzo;
    for (int16_t e = 1; e <= (oriz ? K2() : K1()); ++e) {
      const int16_t x = oriz ? miRigaCor : e, y = oriz ? e : miColCor;
      msPrezzo[static_cast<size_t>(x)][static_cast<size_t>(y)] = prezzo;
      mlColPrezzo[static_cast<size_t>(x)][static_cast<size_t>(y)] = plColor;
      CalcPrezzo(1, x, y);
    }
  }
}

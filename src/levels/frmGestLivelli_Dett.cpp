// The detail fields under the matrix: price, amount and the discounts of
// the line, with F2 (price or discounts read again), F3 (a price chosen
// from the article's lists) and F7 (VAT added or taken out).
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"
#include "platform/aiuti/AiutiDecodifica.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
const char* const kErrato = "~ç§@*+";
}  // namespace

void frmGestLivelli::txt_GotFocus(int Index) {
  const Globali& g = G();
  if (Index < 0 || Index > 120 || Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  ui::Controllo& t = txt(Index);
  if (Index == 60) {
    vb::FunzioniComuniUi::EntraCampo(t, 7, d.osNumDecMonGesPers, vb::Missing, ui::vbWindowBackground);
    MsgPannello("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario");
  } else if (Index == 70) {
    vb::FunzioniComuniUi::EntraCampo(t, 7, d.osNumDecMonGes, vb::Missing, ui::vbWindowBackground);
  }
  msTestoPrecDett[static_cast<size_t>(Index)] = t.BackColor() == g.glColoreErrore ? std::string(kErrato) : t.Text();
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(t, 0);
  ui::Controllo& cella = txtLiv(IndDaEle(miRigaCor, miColCor));
  if (cella.BackColor() != g.glColoreErrore) cella.SetBackColor(g.glColBackGotFocus);
}

void frmGestLivelli::txt_KeyUp(int Index, int& KeyCode, int Shift) {
  if (KeyCode < ui::vbKeyF2 || KeyCode > ui::vbKeyF7 || Shift != 0 || Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
  const int16_t modo = FC().ValInt(vb::Variant(d.osFlagLivLis));
  const size_t a = static_cast<size_t>(miRigaCor), b = static_cast<size_t>(miColCor);
  auto scriviPrezzo = [&](double p) {
    txt(60).SetText(FC().MascheraNum(vb::Variant(p), d.oiNumDecMonGes, {}, false, "#,##0", 0, {}, "0"));
    CalcPrezzo(1, -1, -1);
  };
  if (Index == 60 && KeyCode == ui::vbKeyF2) {
    CercaListino(-1, -1, true);
    txt(60).SetText(msPrezzo[a][b]);
    const long colore = txt(60).BackColor();
    if (modo == 0) {
      msPrezzoUnico = msPrezzo[a][b];
      for (int16_t e1 = 1; e1 <= K1(); ++e1)
        for (int16_t e2 = 1; e2 <= K2(); ++e2) {
          msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = msPrezzoUnico;
          mlColPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)] = colore;
          CalcPrezzo(1, e1, e2);
        }
    } else if (modo == 1) {
      std::string& slot = oriz ? msPrezzo[a][0] : msPrezzo[0][b];
      slot = txt(60).Text();
      for (int16_t e = 1; e <= (oriz ? K2() : K1()); ++e) {
        const int16_t x = oriz ? miRigaCor : e, y = oriz ? e : miColCor;
        msPrezzo[static_cast<size_t>(x)][static_cast<size_t>(y)] = slot;
        mlColPrezzo[static_cast<size_t>(x)][static_cast<size_t>(y)] = colore;
        CalcPrezzo(1, x, y);
      }
    }
  } else if (Index == 60 && KeyCode == ui::vbKeyF3) {
    int16_t scelto = 0;
    AziendaUtil::ApriAiuto("ArtListino", txt(20), &txt(60), static_cast<int16_t>(KeyCode),
                           {aiuti::ChiaveAgg(vb::Variant(txt(30).Text())), aiuti::ChiaveAgg(vb::Variant(txt(40).Text())),
                            aiuti::ChiaveAgg(vb::Missing), aiuti::ChiaveAgg(d.osDataRif)},
                           scelto);
    if (!scelto || !G().goZelAiuto) return;
    aiuti::RisultatoAiuti& ris = G().goZelAiuto->Risultato();
    double p = FC().ValDouble(ris.RetVal(vb::UgualeTesto(d.osMoneta, G().gsCodLira) ? "PrezzoLire" : "Prezzo"));
    const std::string ivato = servizi::Testo(ris.RetVal("Listino.Ivato"));
    if (!vb::UgualeTesto(ivato, d.osPrzIvato)) {
      p = vb::UgualeTesto(d.osPrzIvato, "S") ? AziendaUtil::AggiungiIva(vb::Variant(p), vb::Variant(odPercIva),
                                                                         d.oiNumDecMonGes, "A")
                                             : AziendaUtil::ScorporaIva(vb::Variant(p), vb::Variant(odPercIva),
                                                                         d.oiNumDecMonGes);
    }
    scriviPrezzo(p);
  } else if (Index == 60 && KeyCode == ui::vbKeyF7) {
    const double v = FC().ValDouble(vb::Variant(txt(60).Text()));
    scriviPrezzo(vb::UgualeTesto(d.osPrzIvato, "S")
                     ? AziendaUtil::AggiungiIva(vb::Variant(v), vb::Variant(odPercIva), d.oiNumDecMonGes, "A")
                     : AziendaUtil::ScorporaIva(vb::Variant(v), vb::Variant(odPercIva), d.oiNumDecMonGes));
  } else if (Index == 80 && KeyCode == ui::vbKeyF2) {
    osScontoQta = "";
    osDetScontoQta = "";
    osModScontoQta = "N";
    ElaboraSconti(true, true);
  }
}

void frmGestLivelli::txt_LostFocus(int Index) {
  const Globali& g = G();
  if (Index < 0 || Index > 120 || Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  const bool cambiato = !vb::UgualeTesto(t.Text(), msTestoPrecDett[static_cast<size_t>(Index)]);
  MsgPannello("");
  if (Index == 60 || Index == 70) {
    if (cambiato) CalcPrezzo(Index == 60 ? 1 : 2, -1, -1);
    vb::FunzioniComuniUi::EsceCampo(t, 7, d.osNumDecMonGes);
    if (t.BackColor() == g.glColoreErrore) MsgPannello("Campo numerico: valore non valido");
    if (Index == 60 && cambiato) {
      msPrezzo[static_cast<size_t>(miRigaCor)][static_cast<size_t>(miColCor)] = txt(60).Text();
      AggPrzUnici(txt(60).BackColor());
    }
  } else if (Index == 80) {
    if (cambiato) MostraScontoTot(true);
  } else if (Index == 90 || Index == 100 || Index == 110 || Index == 120) {
    if (cambiato) CalcScontoTot(true);
  }
  if (cambiato) CalcTotDocum();
}

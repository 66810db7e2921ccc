// The matrix form's frame: controls, inputs and layouts, buttons, keys,
// totals and the closing sequence.
#include "levels/frmGestLivelli.h"

#include <exception>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

constexpr long kLargh = 11040, kAlt = 8700;
constexpr long kAltTesto = 300, kAltLab = 255;

}  // namespace

frmGestLivelli::frmGestLivelli() : ui::Form("frmGestLivelli") { CreaControlli(); }
frmGestLivelli::~frmGestLivelli() = default;

void frmGestLivelli::CreaControlli() {
  SetCaption("Gestione livelli");
  Move(0, 0, kLargh, kAlt);
  SetBorderStyle(3);
  SetMaxButton(false);
  SetKeyPreview(true);
  int tab = 1000;
  auto metti = [&](ui::Tipo t, const std::string& nome, int indice, ui::Controllo* cont, long x, long y, long w,
                   long h) -> ui::Controllo& {
    ui::Controllo& c = Crea(t, nome, indice);
    if (cont) c.SetContainer(cont);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab++);
    return c;
  };
  auto didascalia = [&](int n, const std::string& testo, ui::Controllo* cont, long x, long y,
                        long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::Label, "label1", n, cont, x, y + 30, w, kAltLab);
    c.SetCaption(testo);
    return c;
  };
  auto etichetta = [&](int n, ui::Controllo* cont, long x, long y, long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::Label, "lab", n, cont, x, y + 15, w, kAltTesto - 30);
    c.SetForeColor(ui::vbBlue);
    return c;
  };
  auto campo = [&](int n, ui::Controllo* cont, long x, long y, long w) -> ui::Controllo& {
    return metti(ui::Tipo::TextBox, "txt", n, cont, x, y, w, kAltTesto);
  };

  // ---- header strip, display only
  ui::Controllo& fisso = metti(ui::Tipo::PictureBox, "picFisso", -1, nullptr, 60, 60, kLargh - 240, 1785);
  fisso.SetBorderStyle(1);
  fisso.SetEnabled(false);
  const long r0 = 45, r1 = 390, r2 = 735, r3 = 1080, r4 = 1425;
  didascalia(610, "Numero Riferimento:", &fisso, 60, r0, 1800);
  campo(610, &fisso, 1900, r0, 900);
  didascalia(620, "Del:", &fisso, 2880, r0, 400);
  campo(620, &fisso, 3300, r0, 1100);
  didascalia(630, "Tipo Doc.:", &fisso, 4520, r0, 900);
  campo(630, &fisso, 5440, r0, 600);
  etichetta(630, &fisso, 6100, r0, 4600);
  didascalia(650, "Docum.:", &fisso, 60, r1, 1800);
  campo(640, &fisso, 1900, r1, 300);
  campo(650, &fisso, 2240, r1, 560);
  didascalia(660, "Del:", &fisso, 2880, r1, 400);
  campo(660, &fisso, 3300, r1, 1100);
  didascalia(690, "Riferim. Cliente:", &fisso, 4520, r1, 1500);
  campo(690, &fisso, 6100, r1, 4600);
  didascalia(670, "Cliente/Fornit.:", &fisso, 60, r2, 1800);
  campo(670, &fisso, 1900, r2, 1000);
  etichetta(670, &fisso, 2980, r2, 3600);
  etichetta(680, &fisso, 6660, r2, 4040);
  didascalia(700, "Listino:", &fisso, 60, r3, 1800);
  campo(700, &fisso, 1900, r3, 600);
  didascalia(710, "Moneta:", &fisso, 2880, r3, 700);
  campo(710, &fisso, 3600, r3, 800);
  didascalia(720, "Cambio:", &fisso, 4520, r3, 900);
  campo(720, &fisso, 5440, r3, 1200);
  didascalia(20, "Articolo:", &fisso, 60, r4, 1800);
  campo(20, &fisso, 1900, r4, 1600);
  etichetta(20, &fisso, 3580, r4, 3500);
  didascalia(21, "UM", &fisso, 7160, r4, 300);
  campo(21, &fisso, 7500, r4, 500);
  etichetta(21, &fisso, 8040, r4, 1200);
  didascalia(22, "Cod.Iva:", &fisso, 9300, r4, 700);
  etichetta(22, &fisso, 10020, r4, 600);
  for (int n : {610, 620, 630, 640, 650, 660, 670, 690, 700, 710, 720, 20, 21}) txt(n).SetLocked(true);
  // Hidden keys of the line.
  campo(600, nullptr, 0, 0, 600).SetVisible(false);
  campo(10, nullptr, 0, 0, 600).SetVisible(false);

  // ---- the matrix
  ui::Controllo& main = metti(ui::Tipo::PictureBox, "PicMain", -1, nullptr, 60, 1905, kLargh - 240, 3300);
  main.SetBorderStyle(1);
  main.SetTabStop(false);
  ui::Controllo& l1 = metti(ui::Tipo::Label, "labLiv1", -1, &main, 0, 0, 1275, 255);
  l1.SetCaption("Gruppo Liv.1");
  l1.SetAlignment(1);
  metti(ui::Tipo::Label, "labLiv2", -1, &main, 0, 255, 1275, 255).SetCaption("Gruppo Liv.2");
  for (const char* n : {"PicMaOriz", "PicMaVert", "PicMaLiv"})
    metti(ui::Tipo::PictureBox, n, -1, &main, 0, 0, 100, 100).SetTabStop(false);
  metti(ui::Tipo::PictureBox, "PicOriz", -1, &C("PicMaOriz"), 0, 0, 100, 100).SetTabStop(false);
  metti(ui::Tipo::PictureBox, "PicVert", -1, &C("PicMaVert"), 0, 0, 100, 100).SetTabStop(false);
  metti(ui::Tipo::PictureBox, "PicLivelli", -1, &C("PicMaLiv"), 0, 0, 100, 100).SetTabStop(false);
  for (const char* n : {"labLivOriz", "labLivVert"}) {
    ui::Controllo& c = metti(ui::Tipo::Label, n, 1, &C(std::string(n) == "labLivOriz" ? "PicOriz" : "PicVert"), 0,
                             0, 795, 300);
    c.SetForeColor(ui::vbBlue);
    c.SetBorderStyle(1);
    c.SetAlignment(2);
  }
  ui::Controllo& cella = metti(ui::Tipo::TextBox, "txtLiv", 1, &C("PicLivelli"), 0, 0, 795, 300);
  cella.SetAlignment(1);
  cella.SetTabIndex(0);
  ui::Controllo& v = metti(ui::Tipo::VScrollBar, "VScr", -1, nullptr, 0, 0, 255, 1000);
  ui::Controllo& h = metti(ui::Tipo::HScrollBar, "HScr", -1, nullptr, 0, 0, 1000, 255);
  for (ui::Controllo* b : {&v, &h}) {
    b->SetVisible(false);
    b->SetLargeChange(5);
    b->SetSmallChange(1);
    b->SetMax(0);
    b->SetTabStop(false);
  }

  // ---- totals
  didascalia(270, "Quantità totale:", nullptr, 3300, 5265, 1400).SetAlignment(1);
  etichetta(270, nullptr, 4760, 5265, 1500).SetAlignment(1);
  C("lab", 270).SetTop(5265);
  didascalia(280, "Totale Articolo:", nullptr, 6600, 5265, 1400).SetAlignment(1);
  etichetta(280, nullptr, 8060, 5265, 1800).SetAlignment(1);

  // ---- detail panel of the current cell
  ui::Controllo& dett = metti(ui::Tipo::PictureBox, "picDett", 0, nullptr, 60, 5625, kLargh - 240, 1860);
  dett.SetBorderStyle(1);
  dett.SetTabStop(false);
  const long d0 = 60, d1 = 420, d2 = 780, d3 = 1140, d4 = 1500;
  didascalia(30, "Livello 1:", &dett, 60, d0, 1200);
  campo(30, &dett, 1300, d0, 900);
  etichetta(30, &dett, 2260, d0, 2000);
  didascalia(40, "Livello 2:", &dett, 60, d1, 1200);
  campo(40, &dett, 1300, d1, 900);
  etichetta(40, &dett, 2260, d1, 2000);
  for (int n : {30, 40}) {
    txt(n).SetEnabled(false);
    txt(n).SetLocked(true);
  }
  didascalia(50, "Quantità:", &dett, 60, d2, 1200);
  etichetta(50, &dett, 1300, d2, 1300).SetAlignment(1);
  didascalia(60, "Prezzo:", &dett, 4400, d0, 1200);
  campo(60, &dett, 5640, d0, 1300).SetAlignment(1);
  metti(ui::Tipo::CommandButton, "ComHlp", 60, &dett, 6960, d0, 300, kAltTesto).SetCaption("..");
  didascalia(70, "Importo:", &dett, 4400, d1, 1200);
  campo(70, &dett, 5640, d1, 1300).SetAlignment(1);
  didascalia(80, "Sconto Totale:", &dett, 4400, d2, 1200);
  campo(80, &dett, 5640, d2, 1300);
  metti(ui::Tipo::CommandButton, "ComHlp", 80, &dett, 6960, d2, 300, kAltTesto).SetCaption("..");
  etichetta(80, &dett, 7320, d2, 900).SetAlignment(1);
  didascalia(90, "Sconto Art.:", &dett, 60, d3, 1200);
  campo(90, &dett, 1300, d3, 1200);
  didascalia(100, "Sconto Qta:", &dett, 2600, d3, 1000);
  campo(100, &dett, 3620, d3, 1200);
  didascalia(110, "Sconto Tab:", &dett, 4900, d3, 1000);
  campo(110, &dett, 5920, d3, 1200);
  didascalia(120, "Sconto Cliente:", &dett, 7200, d3, 1300);
  campo(120, &dett, 8520, d3, 1200);
  didascalia(220, "Qta Evasa:", &dett, 60, d4, 1200);
  etichetta(220, &dett, 1300, d4, 1300);
  didascalia(240, "Stato:", &dett, 2600, d4, 1000);
  etichetta(240, &dett, 3620, d4, 1200);
  ui::Controllo& pr = metti(ui::Tipo::CheckBox, "che", 175, &dett, 4900, d4, 1600, kAltTesto);
  pr.SetCaption("Promozione:");
  pr.SetEnabled(false);
  didascalia(130, "Disponibilità:", &dett, 8300, d0, 1200);
  etichetta(130, &dett, 9520, d0, 1000).SetAlignment(1);
  didascalia(142, "Giacenza:", &dett, 8300, d1, 1200);
  etichetta(140, &dett, 9520, d1, 1000).SetAlignment(1);
  ui::Controllo& neg = didascalia(140, "Giacenza negativa", &dett, 8300, d2, 2200);
  neg.SetForeColor(ui::vbRed);
  ui::Carattere grassetto;
  grassetto.Bold = true;
  neg.SetFont(grassetto);
  neg.SetVisible(false);

  // ---- buttons
  ui::Controllo& nm = didascalia(28, "Non Modificabile", nullptr, 60, 7605, 2400);
  nm.SetForeColor(ui::vbRed);
  nm.SetFont(grassetto);
  nm.SetVisible(false);
  metti(ui::Tipo::CommandButton, "comSalva", -1, nullptr, 4200, 7545, 1800, 375).SetCaption("&Salva");
  metti(ui::Tipo::CommandButton, "comOk", -1, nullptr, 6120, 7545, 2100, 375).SetCaption("Salva ed &Esci");
  metti(ui::Tipo::CommandButton, "ComAnnulla", -1, nullptr, 8340, 7545, 2400, 375).SetCaption("Esci sen&za salvare");

  ui::Controllo& stato = metti(ui::Tipo::StatusBar, "staMessaggi", -1, nullptr, 0, kAlt - 405 - 330, kLargh - 120, 330);
  stato.AggiungiElemento("TipOpe").Width = 1500;
  stato.AggiungiElemento("Messaggio").Width = 6500;
  stato.AggiungiElemento("Time").Width = 1200;
  stato.AggiungiElemento("Date").Width = 1500;
}

frmGestLivelli::Disposizione frmGestLivelli::Layout(int16_t piTipoGest) {
  switch (piTipoGest) {
    case 2:
      return {true, false, true, false, true, false, true, false, false};
    case 3:
      return {true, false, true, false, true, false, false, false, false};
    case 5:
      return {false, true, false, true, false, true, true, false, true};
    case 6:
      return {false, false, true, false, false, false, true, true, false};
    case 0:
    case 1:
      return {false, false, true, true, false, true, true, false, false};
    default:
      return {true, false, true, true, false, true, true, false, false};
  }
}

void frmGestLivelli::AbilRw(int16_t piValore) {
  miAbilRw = piValore;
  if (!Caricata()) Load();
  label1(28).SetVisible(piValore == 0);
  C("comSalva").SetEnabled(piValore != 0);
  C("comOk").SetEnabled(piValore != 0);
}

void frmGestLivelli::Form_Load() {
  const Globali& g = G();
  SetHelpContextID(21625);
  SetCaption("Gestione livelli" + osDecTitolo);
  mbSalvaEdEsci = false;
  mbSalvato = false;
  if (miAbilRw == 0) {
    C("comSalva").SetVisible(false);
    C("comOk").SetVisible(false);
    C("ComAnnulla").SetCaption("&Esci");
  }
  miEsitoCercaPrezzo = 0;
  if (obDisabTermVisPrz)
    C("picDett", 0).SetVisible(false);
  else if (obDisabTermPrz)
    C("picDett", 0).SetEnabled(false);
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  const Disposizione lay = Layout(oiTipoGest);
  // Header by layout.
  if (!lay.perUtente) {
    txt(600).SetText(d.osAnno);
    txt(610).SetText(d.osNumRif);
    txt(630).SetText(d.osFattDocum);
    lab(630).SetCaption(d.osLabFattDocum);
  } else {
    for (const char* n : {"label1"}) {
      C(n, 610).SetVisible(false);
      C(n, 630).SetVisible(false);
      C(n, 650).SetVisible(false);
    }
    for (int n : {610, 630, 650, 660}) txt(n).SetVisible(false);
    lab(630).SetVisible(false);
  }
  txt(620).SetText(d.osDataRif);
  if (lay.prefisso) txt(640).SetText(d.osPreDoc);
  else txt(640).SetVisible(false);
  txt(650).SetText(d.osNumDoc);
  txt(660).SetText(d.osDataDoc);
  txt(690).SetText(lay.riferimForn ? d.osRiferimForn : d.osRiferimClie);
  mbCercaListBase = lay.cercaListBase && d.obCercaListBase;
  txt(670).SetText(d.osIntest);
  lab(670).SetCaption(d.osIntRagSoc);
  lab(680).SetCaption(d.osIntRagSoc2);
  txt(700).SetText(d.osListino);
  txt(710).SetText(d.osMoneta);
  txt(720).SetText(d.osCambio);
  txt(10).SetText(osRigLiv);
  txt(20).SetText(osArticolo);
  lab(20).SetCaption(osDescArt);
  lab(22).SetCaption(d.osIva);
  txt(21).SetText(osUm);
  lab(21).SetCaption(osDescUm);
  C("che", 175).SetValue(vb::UgualeTesto(osPromozione, "S") ? 1 : 0);
  mbLiv2 = !FC().Vuoto(vb::Variant(d.osLivGruppo2));
  // Captions of the level groups: the caption beside each axis names the
  // group on it.
  const bool oriz = vb::UgualeTesto(osLiv1VertOriz, "O");
  std::string articolo = osArticolo;
  miNumGruppi = 0;
  try {
    AziendaUtil::LeggiGruppiLiv(articolo, oriz ? C("labLiv1") : C("labLiv2"), oriz ? C("labLiv2") : C("labLiv1"),
                                miNumGruppi);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
  if (miNumGruppi < 2) {
    (oriz ? C("labLiv2") : C("labLiv1")).SetVisible(false);
    label1(40).SetVisible(false);
    txt(40).SetVisible(false);
    lab(40).SetVisible(false);
  }
  label1(30).SetCaption((oriz ? C("labLiv1") : C("labLiv2")).Caption());
  label1(40).SetCaption((oriz ? C("labLiv2") : C("labLiv1")).Caption());
  if (!lay.evasoStato) {
    for (int n : {220, 240}) {
      label1(n).SetVisible(false);
      lab(n).SetVisible(false);
    }
  }
  txt(90).SetText(osDetScontoArt);
  txt(120).SetText(osDetScontoClie);
  txt(100).SetText(osDetScontoQta);
  txt(110).SetText(osDetScontoTab);
  txt(80).SetText(osDetScontoTot);
  if (lay.scontoForn) label1(120).SetCaption("Sconto Fornitore");
  MostraScontoTot(false);
  PrepVetLiv();
  (void)g;
  if (msRifiuto.empty()) {
    PrepMask();
    CalcTotDocum();
  }
  mbCaricata = true;
}

// ---- events

void frmGestLivelli::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comSalva")) comSalva_Click();
  else if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
  else if (Nome(c.Name(), "ComHlp")) FunVarie::SimulaTastoCampo(*this, c.Index(), ui::vbKeyF2, false);
}

void frmGestLivelli::GotFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txtLiv")) txtLiv_GotFocus(c.Index());
  else if (Nome(c.Name(), "txt")) txt_GotFocus(c.Index());
}

void frmGestLivelli::LostFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txtLiv")) txtLiv_LostFocus(c.Index());
  else if (Nome(c.Name(), "txt")) txt_LostFocus(c.Index());
}

void frmGestLivelli::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (Nome(c.Name(), "txt")) txt_KeyUp(c.Index(), KeyCode, Shift);
}

void frmGestLivelli::Change(ui::Controllo& c) {
  if (Nome(c.Name(), "VScr")) VScr_Change();
  else if (Nome(c.Name(), "HScr")) HScr_Change();
}

vb::Variant frmGestLivelli::LeggiPerNome(const std::string& nome) {
  if (Nome(nome, "osKeySec")) return vb::Variant(osKeySec);
  if (Nome(nome, "osRisVidKey")) return vb::Variant(osRisVidKey);
  if (Nome(nome, "odRisVidVal")) return vb::Variant(odRisVidVal);
  if (Nome(nome, "osParam")) return vb::Variant(osParam);
  return ui::Form::LeggiPerNome(nome);
}

void frmGestLivelli::ScriviPerNome(const std::string& nome, const vb::Variant& valore) {
  if (Nome(nome, "osRisVidKey")) osRisVidKey = valore.ToString();
  else if (Nome(nome, "odRisVidVal")) odRisVidVal = FC().ValDouble(valore);
  else ui::Form::ScriviPerNome(nome, valore);
}

std::string frmGestLivelli::Messaggio() const {
  const ui::Controllo& s = C("staMessaggi");
  return const_cast<ui::Controllo&>(s).Elem("Messaggio").Caption;
}

void frmGestLivelli::MsgPannello(const std::string& psTesto) {
  ui::Controllo& s = C("staMessaggi");
  s.Elem("Messaggio").Caption = psTesto;
  s.ElementoCambiato();
}

// ---- totals

void frmGestLivelli::CalcTotDocum() {
  if (Vuota()) return;
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  double qta = 0, importo = 0;
  for (int16_t c1 = 1; c1 <= K1(); ++c1)
    for (int16_t c2 = 1; c2 <= K2(); ++c2) {
      qta += FC().ValDouble(vb::Variant(txtLiv(IndDaEle(c1, c2)).Text()));
      importo += FC().ValDouble(vb::Variant(msImporto[c1][c2]));
    }
  lab(280).SetCaption(FC().MascheraNum(vb::Variant(importo), d.oiNumDecMon, {}, false, "#,##^", 0, {}, "0"));
  const int decQta = FC().ValInt(servizi::ParamDitta("Mag.NumDecQta"));
  lab(270).SetCaption(FC().MascheraNum(vb::Variant(qta), decQta, {}, false, "#,##0", 0, {}, "^"));
}

// ---- buttons and keys

void frmGestLivelli::comSalva_Click() {
  ui::DoEvents();
  SalvaDati();
}

void frmGestLivelli::comOk_Click() {
  ui::DoEvents();
  if (SalvaDati()) {
    mbSalvaEdEsci = true;
    Unload();
  }
}

void frmGestLivelli::ComAnnulla_Click() { Unload(); }

void frmGestLivelli::Form_KeyDown(int& KeyCode, int Shift) {
  const bool semplice = Shift == 0, ctrl = Shift == ui::vbCtrlMask;
  const int16_t k1 = K1(), k2 = K2();
  const bool asse2 = NumTotLiv(2, false) > 0;
  int16_t c1 = miRigaCor, c2 = miColCor;
  bool sposta = false;
  if (Vuota()) return;
  if (KeyCode == ui::vbKeyF10 && semplice) {
    if (miAbilRw == 0) return;
    try {
      ui::Controllo* a = ActiveControl();
      if (a && Nome(a->Name(), "txt")) txt_LostFocus(a->Index());
      else if (a && Nome(a->Name(), "txtLiv")) txtLiv_LostFocus(a->Index());
    } catch (...) {
    }
    KeyCode = 0;
    comOk_Click();
    return;
  }
  if (semplice) {
    switch (KeyCode) {
      case ui::vbKeyPageUp:
        sposta = true;
        if (--c1 < 1) {
          c1 = k1;
          if (--c2 < 1) c2 = k2;
        }
        break;
      case ui::vbKeyPageDown:
        sposta = true;
        if (++c1 > k1) {
          c1 = 1;
          c2 = asse2 && c2 < k2 ? static_cast<int16_t>(c2 + 1) : int16_t{1};
        }
        break;
      case ui::vbKeyUp:
        if (!asse2) break;
        sposta = true;
        if (--c2 < 1) {
          c2 = k2;
          if (--c1 < 1) c1 = k1;
        }
        break;
      case ui::vbKeyDown:
        if (!asse2) break;
        sposta = true;
        if (++c2 > k2) {
          c2 = 1;
          c1 = c1 < k1 ? static_cast<int16_t>(c1 + 1) : int16_t{1};
        }
        break;
      case ui::vbKeyHome:
        sposta = true;
        c1 = c2 = 1;
        break;
      case ui::vbKeyEnd:
        sposta = true;
        c1 = k1;
        c2 = k2;
        break;
      case ui::vbKeyF6: {
        ui::Controllo* a = ActiveControl();
        if (a && Nome(a->Name(), "txt")) {
          txtLiv(IndDaEle(miRigaCor, miColCor)).SetFocus();
        } else if (a && Nome(a->Name(), "txtLiv") && C("picDett", 0).Visible() && C("picDett", 0).Enabled()) {
          txt(60).SetFocus();
          ui::Controllo& cella = txtLiv(IndDaEle(miRigaCor, miColCor));
          if (cella.BackColor() != G().glColoreErrore) cella.SetBackColor(G().glColBackGotFocus);
        }
        break;
      }
      default:
        break;
    }
  } else if (ctrl) {
    switch (KeyCode) {
      case ui::vbKeyPageUp:
        sposta = true;
        c1 = 1;
        break;
      case ui::vbKeyPageDown:
        sposta = true;
        c1 = k1;
        break;
      case ui::vbKeyUp:
        if (!asse2) break;
        sposta = true;
        c2 = 1;
        break;
      case ui::vbKeyDown:
        if (!asse2) break;
        sposta = true;
        c2 = k2;
        break;
      default:
        break;
    }
  }
  if (sposta) {
    FocusLiv(c1, c2);
    KeyCode = 0;
    return;
  }
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) == 1) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmGestLivelli::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

// ---- closing

void frmGestLivelli::Form_Unload(int& Cancel) {
  // A matrix refused at load, or the program's end: nothing to hand back.
  if (miAbilRw != 0 && msRifiuto.empty()) {
    // Closing step 1 keeps the line from losing its quantity: once a line
    // has stored rows, it may not be left without any. A line that had
    // none before the matrix opened (and still has none) is left as it was.
    bool nessuna = false;
    try {
      nessuna = NoDatiMem();
    } catch (...) {
      nessuna = false;
    }
    if (nessuna && mbSalvato) {
      frmMsgCom::msgCom("Nessun livello con quantità diversa da 0: impossibile uscire", "&Ok");
      Cancel = 1;
      return;
    }
    if (!mbSalvaEdEsci) {
      if (frmMsgCom::msgCom("Confermi uscita senza salvataggio dei dati", "&Ok", vb::Variant("&Annulla")) != 1) {
        Cancel = 1;
        return;
      }
    }
  }
  ApriLivelli* opener = ofrmMain;
  if (miAbilRw == 1 && (mbSalvaEdEsci || mbSalvato) && opener) {
    osDetScontoForn = osDetScontoClie;
    try {
      opener->AggQtaPrzLivelli(FC().ValDouble(vb::Variant(lab(270).Caption())),
                               FC().ValDouble(vb::Variant(lab(280).Caption())), *this);
    } catch (...) {
      frmMsgCom::MsgErrfrm();
    }
  }
  if (opener) {
    try {
      opener->DopoGestLivelli();
    } catch (...) {
      frmMsgCom::MsgErrfrm();
    }
  }
}

#include "lots/frmMatrArt.h"

#include <algorithm>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

constexpr long kLargh = 7800, kAlt = 3780;

}  // namespace

frmMatrArt::frmMatrArt() : ui::Form("frmMatrArt") { CreaControlli(); }

void frmMatrArt::CreaControlli() {
  SetCaption("Richiesta codice articolo abbinato alla matricola");
  Move(0, 0, kLargh, kAlt);
  SetBorderStyle(3);
  SetControlBox(false);
  SetMinButton(false);
  SetMaxButton(false);
  int tab = 0;
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
    ui::Controllo& c = metti(ui::Tipo::Label, "label1", n, cont, x, y + 30, w, 255);
    c.SetCaption(testo);
    return c;
  };
  auto valore = [&](int n, ui::Controllo* cont, long x, long y, long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::Label, "lab", n, cont, x, y + 30, w, 255);
    c.SetForeColor(ui::vbBlue);
    return c;
  };
  ui::Controllo& titolo = didascalia(0, "Richiesta codice articolo della matricola in lettura", nullptr, 120, 90,
                                     kLargh - 360);
  ui::Carattere grassetto = titolo.Font();
  grassetto.Bold = true;
  titolo.SetFont(grassetto);
  titolo.SetAlignment(2);
  didascalia(1, "Matricola:", nullptr, 120, 480, 1800);
  valore(10, nullptr, 1980, 480, kLargh - 2220);
  ui::Controllo& msg = valore(20, nullptr, 120, 840, kLargh - 360);
  msg.SetFont(grassetto);
  msg.SetAlignment(2);
  msg.SetForeColor(ui::vbRed);
  didascalia(40, "Stato precedente:", nullptr, 120, 1200, 1800).SetVisible(false);
  valore(40, nullptr, 1980, 1200, kLargh - 2220).SetVisible(false);
  ui::Controllo& pic = metti(ui::Tipo::PictureBox, "picNonUlt", -1, nullptr, 60, 1530, kLargh - 240, 330);
  pic.SetBorderStyle(0);
  pic.SetTabStop(false);
  pic.SetVisible(false);
  didascalia(3, "Con movimento successivo in data:", &pic, 60, 0, 3120);
  valore(50, &pic, 3240, 0, 1140);
  didascalia(2, "con stato:", &pic, 4440, 0, 840);
  valore(60, &pic, 5340, 0, kLargh - 240 - 5400);
  didascalia(19, "Articolo:", nullptr, 120, 1980, 1800);
  metti(ui::Tipo::TextBox, "txt", 30, nullptr, 1980, 1980, 2100, 300);
  ui::Controllo& hlp = metti(ui::Tipo::CommandButton, "ComHlp", 30, nullptr, 4110, 1980, 300, 300);
  hlp.SetCaption("..");
  hlp.SetTabStop(false);
  valore(30, nullptr, 1980, 2310, kLargh - 2220);
  const long yb = kAlt - 405 - 120 - 375;
  metti(ui::Tipo::CommandButton, "comOk", -1, nullptr, kLargh - 2 * 1215 - 360, yb, 1215, 375).SetCaption("&Ok");
  ui::Controllo& annulla = metti(ui::Tipo::CommandButton, "ComAnnulla", -1, nullptr, kLargh - 1215 - 240, yb, 1215, 375);
  annulla.SetCaption("&Annulla");
  annulla.SetCancel(true);
}

// ---- members

void frmMatrArt::SetosMatricola(const std::string& psMatricola) { lab(10).SetCaption(psMatricola); }

void frmMatrArt::SetosArticolo(const std::string& psArticolo) {
  txt(30).SetText(psArticolo);
  DecodArticolo(false);
}

std::string frmMatrArt::osArticolo() const { return txt(30).Text(); }

void frmMatrArt::SetosDescr(const std::string& psDescr) { lab(20).SetCaption(psDescr); }

void frmMatrArt::SetosStatoPrec(const std::string& psStatoPrec) {
  lab(40).SetCaption(psStatoPrec);
  const bool vedi = !FC().Vuoto(vb::Variant(psStatoPrec));
  lab(40).SetVisible(vedi);
  label1(40).SetVisible(vedi);
}

void frmMatrArt::SetobNonUlt(bool pbNonUlt) { C("picNonUlt").SetVisible(pbNonUlt); }

void frmMatrArt::SetotUltData(const vb::Date& ptUltData) { lab(50).SetCaption(ptUltData.ToDateText()); }

void frmMatrArt::SetosTipOpeSucc(const std::string& psStatoSucc) { lab(60).SetCaption(psStatoSucc); }

void frmMatrArt::SetobEnabArt(bool pbAbil) {
  txt(30).SetEnabled(pbAbil);
  lab(30).SetEnabled(pbAbil);
  C("ComHlp", 30).SetEnabled(pbAbil);
}

void frmMatrArt::DecodArticolo(bool pbFaiHelp) {
  std::vector<vb::Variant> col{vb::Variant("LivGruppo1"), vb::Variant("LivGruppo2")};
  AziendaUtil::DecodCodice("Articolo", txt(30), &lab(30), {}, 0, 0, "", &col, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
  msLivGruppo1 = col.size() > 0 && !col[0].IsNull() ? col[0].ToString() : std::string();
  msLivGruppo2 = col.size() > 1 && !col[1].IsNull() ? col[1].ToString() : std::string();
}

// ---- load, keys, buttons

void frmMatrArt::Form_Load() {
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void frmMatrArt::Form_Unload(int& Cancel) {
  (void)Cancel;
  // However the window goes (the program's end included), the wait ends,
  // as a cancel unless Ok was pressed.
  FineAttesa();
}

void frmMatrArt::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmMatrArt::Form_KeyPress(int& KeyAscii) {
  if (KeyAscii == 27) {
    ComAnnulla_Click();
    KeyAscii = 0;
    return;
  }
  KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this);
}

void frmMatrArt::FineAttesa() {
  if (ofrm) {
    try {
      ofrm->ScriviPerNome("obInRichMatr", vb::Variant(false));
    } catch (...) {
    }
  }
  // The waiting window waits on this one being shown.
  if (Visible()) Hide();
}

void frmMatrArt::comOk_Click() {
  if (FC().Vuoto(vb::Variant(txt(30).Text())) || txt(30).BackColor() == G().glColoreErrore) return;
  obOk = true;
  obRisposto = true;
  FineAttesa();
}

void frmMatrArt::ComAnnulla_Click() {
  obOk = false;
  obRisposto = true;
  FineAttesa();
}

void frmMatrArt::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
  else if (Nome(c.Name(), "ComHlp")) FunVarie::SimulaTastoCampo(*this, c.Index(), 113, false);
}

void frmMatrArt::GotFocus(ui::Controllo& c) {
  if (!Nome(c.Name(), "txt")) return;
  msValIngresso = c.Text();
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(c, 0);
}

void frmMatrArt::LostFocus(ui::Controllo& c) {
  if (!Nome(c.Name(), "txt")) return;
  AziendaUtil::ColoraLostFocus(c, 0);
  if (c.Index() == 30) DecodArticolo(true);
}

void frmMatrArt::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (!Nome(c.Name(), "txt") || c.Index() != 30 || Shift != 0 || KeyCode < 113 || KeyCode > 118) return;
  int16_t scelto = 0;
  AziendaUtil::ApriAiuto("Articolo", txt(30), &lab(30), static_cast<int16_t>(KeyCode), {}, scelto);
  if (scelto) DecodArticolo(false);
}

vb::Variant frmMatrArt::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "obOk")) return obOk;
  if (Nome(n, "oiAbilRW")) return oiAbilRW;
  if (Nome(n, "osArticolo")) return osArticolo();
  return ui::Form::LeggiPerNome(n);
}

void frmMatrArt::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else if (Nome(n, "oiAbilRW")) oiAbilRW = static_cast<int16_t>(v.ToInt());
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmMatrArt::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  // The look-up button replays F2 on the article through here.
  if (Nome(n, "txt_KeyUp")) {
    a.resize(std::max<size_t>(a.size(), 3));
    int tasto = static_cast<int>(a[1].ToInt());
    const int indice = static_cast<int>(a[0].ToInt());
    if (Esiste("txt", indice)) KeyUp(txt(indice), tasto, static_cast<int>(a[2].ToInt()));
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

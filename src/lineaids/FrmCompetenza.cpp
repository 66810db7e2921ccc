#include "lineaids/FrmCompetenza.h"

#include <cmath>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/Date.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

// Layout in twips.
constexpr long kLargh = 7500, kAlt = 5220;
constexpr long kPasso = 345, kAltTesto = 300, kAltLab = 255, kScostaLab = 30;
constexpr long kCap = 1860, kCampo = kCap + 60;

// An amount of the company currency as the company shows it.
std::string Importo(double pdValore) {
  const Globali& g = G();
  if (!g.gsMascMonetaVar.empty()) return FC().Formatta(vb::Variant(pdValore), g.gsMascMonetaVar);
  return FC().MascheraNum(vb::Variant(pdValore), g.giNumDecMoneta, {}, false, "#,##0", 0, {}, "0");
}

}  // namespace

FrmCompetenza::FrmCompetenza() : ui::Form("FrmCompetenza") { CreaControlli(); }

void FrmCompetenza::CreaControlli() {
  SetCaption("Quadro Competenza");
  Move(0, 0, kLargh, kAlt);
  SetBorderStyle(3);
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
  auto riga = [](int r) { return 60 + r * kPasso; };
  auto didascalia = [&](int n, const std::string& testo, ui::Controllo* cont, long x, long y, long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::Label, "label1", n, cont, x, y + kScostaLab, w, kAltLab);
    c.SetCaption(testo);
    return c;
  };
  auto etichetta = [&](int n, ui::Controllo* cont, long x, long y, long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::Label, "lab", n, cont, x, y + 15, w, kAltTesto - 30);
    c.SetForeColor(ui::vbBlue);
    return c;
  };
  // The read-only header panel: nothing in it takes the focus.
  ui::Controllo& pic = metti(ui::Tipo::PictureBox, "picFisso", -1, nullptr, 60, 60, kLargh - 240, riga(6) + 15);
  pic.SetBorderStyle(1);
  pic.SetTabStop(false);
  auto fisso = [&](int n, long x, int r, long w) -> ui::Controllo& {
    ui::Controllo& c = metti(ui::Tipo::TextBox, "txt", n, &pic, x, riga(r), w, kAltTesto);
    c.SetLocked(true);
    c.SetTabStop(false);
    return c;
  };
  didascalia(120, "Numero Riferimento:", &pic, 60, riga(0), kCap);
  fisso(120, kCampo, 0, 1080);
  didascalia(130, "Del:", &pic, kCampo + 1200, riga(0), 420);
  fisso(130, kCampo + 1680, 0, 1200);
  didascalia(150, "Cliente:", &pic, 60, riga(1), kCap);
  fisso(150, kCampo, 1, 1080);
  etichetta(150, &pic, kCampo + 1200, riga(1), kLargh - 240 - kCampo - 1320);
  etichetta(155, &pic, kCampo + 1200, riga(2), kLargh - 240 - kCampo - 1320);
  didascalia(140, "Articolo", &pic, 60, riga(3), kCap);
  fisso(140, kCampo, 3, 1800);
  etichetta(140, &pic, 60, riga(4), kLargh - 420);
  didascalia(160, "Imponibile:", &pic, 60, riga(5), kCap);
  fisso(160, kCampo, 5, 1500);

  // The accrual kind.
  const long y0 = pic.Top() + pic.Height() + 120;
  ui::Controllo& fra = metti(ui::Tipo::Frame, "fraTipo", -1, nullptr, 60, y0, 2220, 1500);
  fra.SetCaption("Tipo competenza");
  const char* opzioni[] = {"Nessuna", "Giornaliera", "Mensile"};
  for (int i = 0; i < 3; ++i) metti(ui::Tipo::OptionButton, "Opt", i, &fra, 180, 300 + i * 360, 1860, kAltTesto).SetCaption(opzioni[i]);

  // The period and the shares.
  const long x1 = 2460;
  ui::Controllo& tit = metti(ui::Tipo::Label, "labCompetenza", -1, nullptr, x1, y0, 1500, kAltLab);
  tit.SetCaption("Competenza");
  ui::Carattere grassetto = tit.Font();
  grassetto.Bold = true;
  tit.SetFont(grassetto);
  didascalia(10, "dal:", nullptr, x1, y0 + kPasso, 420);
  metti(ui::Tipo::TextBox, "txt", 10, nullptr, x1 + 480, y0 + kPasso, 1200, kAltTesto);
  didascalia(20, "al:", nullptr, x1 + 1860, y0 + kPasso, 360);
  metti(ui::Tipo::TextBox, "txt", 20, nullptr, x1 + 2280, y0 + kPasso, 1200, kAltTesto);
  const char* quote[] = {"Quote:  Anno prec.:", "Anno corrente:", "Anni successivi:"};
  for (int i = 0; i < 3; ++i) {
    const long y = y0 + (i + 2) * kPasso + 60;
    didascalia(30 + i * 10, quote[i], nullptr, x1, y, kCap).SetAlignment(1);
    ui::Controllo& l = etichetta(30 + i * 10, nullptr, x1 + kCap + 60, y, 1800);
    l.SetAlignment(1);
    l.SetBorderStyle(1);
  }

  const long yb = kAlt - 405 - 120 - 375;
  ui::Controllo& ok = metti(ui::Tipo::CommandButton, "comOk", -1, nullptr, kLargh - 120 - 2 * 1215 - 120 - 120, yb, 1215, 375);
  ok.SetCaption("&Ok");
  ui::Controllo& annulla = metti(ui::Tipo::CommandButton, "ComAnnulla", -1, nullptr, kLargh - 120 - 1215 - 120, yb, 1215, 375);
  annulla.SetCaption("&Annulla");
}

// ---- load, keys, unload

void FrmCompetenza::Form_Load() {
  obOk = false;
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void FrmCompetenza::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void FrmCompetenza::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void FrmCompetenza::Form_Unload(int& Cancel) {
  if (!obOk && !frmMsgCom::Conferma("Confermi uscita senza salvataggio dei dati")) {
    Cancel = 1;
    return;
  }
  if (!ofrmDett) return;
  // The opener's callback runs inside this event: its failure is shown, the
  // dialog goes all the same.
  try {
    std::vector<vb::Variant> nessuno;
    ofrmDett->ChiamaPerNome("DopoCompetenza", nessuno);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

// ---- filling

void FrmCompetenza::mostra() {
  txt(120).SetText(osNumRif);
  txt(130).SetText(osDataRif);
  txt(140).SetText(osArticolo);
  lab(140).SetCaption(osLabArticolo);
  txt(150).SetText(osIntest);
  lab(150).SetCaption(osIntRagSoc);
  lab(155).SetCaption(osIntRagSoc2);
  txt(160).SetText(osImporto);
  label1(150).SetCaption(obClieForn ? "Cliente:" : "Fornitore:");
  txt(10).SetText(osDataCompDa);
  txt(20).SetText(osDataCompA);
  // Exactly, case included: any other kind is no accrual.
  const int scelta = osTipoComp == "M" ? 2 : osTipoComp == "G" ? 1 : 0;
  // Setting an option that is already on raises no click: every option goes
  // off first, so that the choice always runs its click.
  for (int i = 0; i < 3; ++i) Opt(i).SetValue(0);
  Opt(scelta).SetValue(-1);
}

std::string FrmCompetenza::TipoScelto() const {
  if (Opt(2).Value() != 0) return "M";
  if (Opt(1).Value() != 0) return "G";
  return "";
}

// ---- events

void FrmCompetenza::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "Opt")) Opt_Click(c.Index());
  else if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
}

void FrmCompetenza::GotFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_GotFocus(c.Index());
}

void FrmCompetenza::LostFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_LostFocus(c.Index());
}

void FrmCompetenza::Opt_Click(int Index) {
  if (Index == 0) {
    for (int n : {10, 20}) {
      txt(n).SetText("");
      txt(n).SetEnabled(false);
    }
  } else {
    if (txt(10).Text().empty()) txt(10).SetText(osDataCompDa);
    txt(10).SetEnabled(true);
    if (txt(20).Text().empty()) txt(20).SetText(osDataCompA);
    txt(20).SetEnabled(true);
  }
  CalcolaImp();
}

void FrmCompetenza::txt_GotFocus(int Index) {
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(txt(Index), 0);
  mValIngresso[Index] = txt(Index).Text();
}

void FrmCompetenza::txt_LostFocus(int Index) {
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  if (Index != 10 && Index != 20) return;
  FunVarie::VerifData(t, vb::Variant(-2), 1, std::nullopt, nullptr, true);
  if (t.Text() != mValIngresso[Index]) CalcolaImp();
}

bool FrmCompetenza::DataNonValida(int piIndice) const {
  const ui::Controllo& t = txt(piIndice);
  if (FC().Vuoto(vb::Variant(t.Text()), vb::vbDate)) return true;
  if (t.BackColor() == G().glColoreErrore) return true;
  return FC().ValData(vb::Variant(t.Text())).IsEmpty();
}

void FrmCompetenza::CalcolaImp() {
  auto svuota = [&] {
    for (int n : {30, 40, 50}) lab(n).SetCaption("");
  };
  if (DataNonValida(10) || DataNonValida(20)) return svuota();
  const Globali& g = G();
  // The accounting year and its first and last day; without them (or with
  // a year that is no number) there are no shares to show.
  const vb::Variant annoPar = servizi::ParamDitta("CoGe.AnnoCorr");
  const vb::Variant inizioPar = FC().ValData(servizi::ParamDitta("CoGe.DataInizCont"));
  const vb::Variant finePar = FC().ValData(servizi::ParamDitta("CoGe.DataFineCont"));
  if (!annoPar.IsNumeric() || inizioPar.IsEmpty() || finePar.IsEmpty()) return svuota();
  const int anno = FC().ValInt(annoPar);
  vb::Date inizio = inizioPar.ToDate(), fine = finePar.ToDate();
  if (anno != oiAnno) {
    inizio = FC().ComponiData(inizio.Day(), inizio.Month(), oiAnno);
    fine = FC().ComponiData(fine.Day(), fine.Month(), oiAnno);
  }
  const std::string tipo = TipoScelto();
  const char* unita = tipo == "G" ? "d" : "m";
  const vb::Date da = FC().ValData(vb::Variant(txt(10).Text())).ToDate();
  const vb::Date a = FC().ValData(vb::Variant(txt(20).Text())).ToDate();
  const double importo = FC().ValDouble(vb::Variant(osImporto));
  // A reversed period has no number of periods to divide by ("&Ok" refuses
  // it); an amount beyond any number divides into nothing shown.
  if (a < da || !std::isfinite(importo)) return svuota();
  const double periodi = static_cast<double>(da.Diff(unita, a)) + 1;
  auto quota = [&](long parte) {
    return FC().Arrotonda(vb::Variant(importo / periodi * static_cast<double>(parte)), "A", 1, -g.giNumDecMoneta);
  };
  double prec = 0, succ = 0;
  if (da >= inizio) {
    lab(30).SetCaption("");
  } else {
    prec = a < inizio ? importo : quota(da.Diff(unita, inizio));
    lab(30).SetCaption(Importo(prec));
  }
  if (a <= fine) {
    lab(50).SetCaption("");
  } else {
    succ = da > fine ? importo : quota(fine.Diff(unita, a));
    lab(50).SetCaption(Importo(succ));
  }
  // The current year takes what the rounding of the other two left.
  lab(40).SetCaption(Importo(importo - succ - prec));
}

void FrmCompetenza::comOk_Click() {
  if (Opt(0).Value() == 0) {
    for (int n : {10, 20}) {
      if (DataNonValida(n)) {
        frmMsgCom::msgCom("data mancante o non valida", "&Ok");
        if (txt(n).PuoFuoco()) txt(n).SetFocus();
        return;
      }
    }
    int rovescio = 0;
    vb::FunzioniComuniUi::VerifIntervallo(txt(10), txt(20), vb::vbDate, false, 1, false, true, &rovescio);
    if (rovescio == 1) {
      frmMsgCom::msgCom("data Da maggiore della data A", "&Ok");
      if (txt(20).PuoFuoco()) txt(20).SetFocus();
      return;
    }
  }
  obOk = true;
  osTipoComp = TipoScelto();
  osDataCompDa = txt(10).Text();
  osDataCompA = txt(20).Text();
  Unload();
}

void FrmCompetenza::ComAnnulla_Click() {
  obOk = false;
  Unload();
}

// ---- by name

vb::Variant FrmCompetenza::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osRisVidKey")) return osRisVidKey;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "obOk")) return obOk;
  if (Nome(n, "osTipoComp")) return osTipoComp;
  if (Nome(n, "osDataCompDa")) return osDataCompDa;
  if (Nome(n, "osDataCompA")) return osDataCompA;
  return ui::Form::LeggiPerNome(n);
}

void FrmCompetenza::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osRisVidKey")) osRisVidKey = v.ToString();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant FrmCompetenza::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (Nome(n, "mostra")) {
    mostra();
    return {};
  }
  if (Nome(n, "CalcolaImp")) {
    CalcolaImp();
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

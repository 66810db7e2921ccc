#include "print/FrmVStampa.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "common/Globali.h"
#include "common/RisVid.h"
#include "common/mainDdt.h"
#include "common/modHTMLHelp.h"
#include "platform/MsgBox.h"
#include "platform/Errore.h"
#include "platform/Testo.h"

namespace {

bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

std::string Tre(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", n);
  return buf;
}

constexpr long kAltTasti = 600;

}  // namespace

FrmVStampa::FrmVStampa() : ui::Form("FrmVStampa") {
  SetCaption("Visualizzazione Stampa");
  Move(0, 0, 12000, 9000);
  SetBackColor(0xC0C0C0);
  ui::Controllo& tasti = Crea(ui::Tipo::PictureBox, "PicTasti");
  tasti.Move(0, 0, 11880, kAltTasti);
  tasti.SetTabStop(false);
  ui::Controllo& esci = Crea(ui::Tipo::CommandButton, "ComEsci");
  esci.SetContainer(&tasti);
  esci.Move(120, 90, 1095, 420);
  esci.SetCaption("&Esci");
  esci.SetEnabled(false);
  const long xs[] = {0, 1440, 1920, 3840, 4320};
  for (int i = 1; i <= 4; ++i) {
    ui::Controllo& f = Crea(ui::Tipo::Image, "imaMuovi", i);
    f.SetContainer(&tasti);
    f.Move(xs[i], 120, 360, 360);
    f.SetStretch(true);
    f.SetEnabled(false);
  }
  ui::Controllo& pag = Crea(ui::Tipo::Label, "labPage");
  pag.SetContainer(&tasti);
  pag.Move(2400, 90, 1380, 420);
  pag.SetAlignment(2);
  ui::Carattere fp;
  fp.Name = "Arial";
  fp.Size = 17.25;
  fp.Bold = true;
  pag.SetFont(fp);
  pag.SetCaption("Pag.000");
  ui::Controllo& msg = Crea(ui::Tipo::Label, "LabMsg");
  msg.SetContainer(&tasti);
  msg.Move(4920, 90, 6840, 420);
  ui::Carattere fm;
  fm.Size = 18;
  fm.Bold = true;
  msg.SetFont(fm);
  ui::Controllo& princ = Crea(ui::Tipo::PictureBox, "PicPrinc");
  princ.Move(0, kAltTasti, 11640, 8000);
  princ.SetBackColor(0x808080);
  princ.SetTabStop(false);
  ui::Controllo& sec = Crea(ui::Tipo::PictureBox, "PicSec");
  sec.SetContainer(&princ);
  sec.Move(0, 0, 8925, 12630);
  sec.SetBackColor(ui::vbWhite);
  sec.SetTabStop(false);
  ui::Controllo& v = Crea(ui::Tipo::VScrollBar, "vscPosVert");
  v.Move(11640, kAltTasti, 240, 8000);
  ui::Controllo& h = Crea(ui::Tipo::HScrollBar, "hscPosOri");
  h.Move(0, 8600, 11640, 240);
}

void FrmVStampa::SetogStampa(stampa::OggettoStampa* s) {
  ogStampa_ = s;
  if (!s) return;
  const std::time_t t = std::time(nullptr);
  std::tm ora{};
  localtime_r(&t, &ora);
  char nnss[8];
  std::snprintf(nnss, sizeof nnss, "%02d%02d", ora.tm_min, ora.tm_sec);
  msFilePagine = s->PercorsoFile() + s->NomeFileTemp() + nnss;
  s->SetPaginaMax(0);
  s->SetPagina(1);
  s->SetMostraPagina(1);
  LabPagina(s->Pagina());
  miPagDa = 0;
  if (auto o = s->ogOpzSta()) {
    const vb::Variant v = o->LeggiOpzione("PaginaDa");
    try {
      if (!v.IsEmpty() && !v.IsNull()) miPagDa = v.ToInt();
    } catch (...) {
      miPagDa = 0;
    }
  }
}

std::string FrmVStampa::FileDiPagina(int n) const { return msFilePagine + "." + Tre(n); }

void FrmVStampa::LabPagina(int n) { C("labPage").SetCaption("Pag." + Tre(n)); }

void FrmVStampa::SistImgFrecce() {
  for (int i = 1; i <= 4; ++i) {
    ui::Controllo& f = C("imaMuovi", i);
    f.SetPicture(stampa::FileFreccia(f.Enabled() ? i : i + 4));
  }
}

void FrmVStampa::Continua() {
  mbContinua = false;
  while (!mbEsci) {
    ui::AttendiInput(*this);
    if (mbContinua) break;
  }
  mbEsci = false;
}

void FrmVStampa::MostraFilePagina(const std::string& file) {
  int w = 0, h = 0;
  ui::Controllo& sec = C("PicSec");
  if (stampa::DimensioniPng(file, w, h)) {
    const long tw = ui::Screen().TwipsPerPixelX, th = ui::Screen().TwipsPerPixelY;
    sec.Move(sec.Left(), sec.Top(), w * tw, h * th);
  }
  sec.SetPicture(file);
  if (ogStampa_) LabPagina(ogStampa_->Pagina());
  SistDimensioni();
}

void FrmVStampa::AbilitaComandi(bool primo, bool precedente, bool successivo, bool ultimo, bool esci) {
  C("imaMuovi", 1).SetEnabled(primo);
  C("imaMuovi", 2).SetEnabled(precedente);
  C("imaMuovi", 3).SetEnabled(successivo);
  C("imaMuovi", 4).SetEnabled(ultimo);
  C("ComEsci").SetEnabled(esci);
  SistImgFrecce();
}

void FrmVStampa::MostraPag(int n) {
  LabPagina(n);
  C("PicSec").SetPicture(FileDiPagina(n));
}

void FrmVStampa::imaMuovi_Click(int Index) {
  stampa::OggettoStampa* s = ogStampa_;
  if (!s) return;
  try {
    C("vscPosVert").SetValue(0);
    C("hscPosOri").SetValue(0);
  } catch (...) {
  }
  try {
    // The newest page is kept the moment the user moves away from it.
    if (s->Pagina() == s->NumPagine() && s->Pagina() > s->PaginaMax() && s->MemPagine()) {
      const std::string da = C("PicSec").Picture();
      std::error_code ec;
      std::filesystem::copy_file(da, FileDiPagina(s->Pagina()), std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) vb::Solleva(7, "Out of memory");
      s->SetPaginaMax(s->Pagina());
    }
    switch (Index) {
      case 1:
        if (s->MemPagine() && s->Pagina() >= miPagDa) {
          s->SetPagina(miPagDa > 0 ? miPagDa : 1);
          MostraPag(s->Pagina());
        }
        break;
      case 2:
        if (s->MemPagine() && s->Pagina() > std::max(1, miPagDa)) {
          s->SetPagina(s->Pagina() - 1);
          MostraPag(s->Pagina());
        }
        break;
      case 3:
        s->SetPagina(s->Pagina() + 1);
        if (s->Pagina() <= s->NumPagine() && s->MemPagine()) {
          MostraPag(s->Pagina());
        } else if (!vb::UgualeTesto(C("LabMsg").Caption(), "Stampa Terminata")) {
          LabPagina(s->Pagina());
          s->SetMostraPagina(s->Pagina());
          C("PicSec").SetPicture("");
          mbContinua = true;
        } else {
          s->SetPagina(s->Pagina() - 1);
        }
        break;
      case 4:
        if (s->MemPagine()) {
          s->SetPagina(s->NumPagine());
          MostraPag(s->Pagina());
        }
        break;
      default: break;
    }
  } catch (const vb::Errore& e) {
    if (e.Number() == 7) {
      vb::MsgBox(
          "Non c'è abbastanza memoria per memorizzare le pagine:\r\nProvare con una dimensione di caratteri "
          "minore.\r\nMEMORIZZAZIONE DISABILITATA");
      s->SetMemPagine(false);
      for (int i : {1, 2, 4}) C("imaMuovi", i).SetEnabled(false);
      SistImgFrecce();
      s->SetPagina(s->NumPagine());
      LabPagina(s->Pagina());
      return;
    }
    vb::MsgBox("Errore " + e.Description() + " in gestione pagine a video ( " + std::to_string(e.Number()) + ")");
  }
}

void FrmVStampa::ComEsci_Click() {
  if (ogStampa_) ogStampa_->SetFlagAnteprima(true);
  ui::DoEvents();
  mbEsci = true;
  if (ogStampa_) ogStampa_->SetStatoStampa(2);
  if (G().giStaAtt == 0) Unload();
}

void FrmVStampa::SistDimensioni() {
  if (WindowState() == ui::vbMinimized) return;
  ui::Controllo& princ = C("PicPrinc");
  ui::Controllo& sec = C("PicSec");
  ui::Controllo& v = C("vscPosVert");
  ui::Controllo& h = C("hscPosOri");
  const long T = C("PicTasti").Height(), W = ScaleWidth(), H = ScaleHeight();
  auto pos = [](long x) { return x < 0 ? 0L : x; };
  princ.Move(0, T, W, pos(H - T));
  if (princ.Height() >= sec.Height() && princ.Width() >= sec.Width()) {
    v.SetVisible(false);
    h.SetEnabled(false);
    h.SetVisible(false);
    sec.Move(0, 0, sec.Width(), sec.Height());
    return;
  }
  const bool bassa = princ.Height() < sec.Height();
  const bool stretta = princ.Width() < sec.Width();
  princ.Move(0, T, pos(W - (bassa ? v.Width() : 0)), pos(H - T - (stretta ? h.Height() : 0)));
  h.Move(0, princ.Height() + T, princ.Width(), h.Height());
  v.Move(princ.Width(), T, v.Width(), princ.Height());
  h.SetMax(static_cast<int>(std::max(0L, sec.Width() - princ.Width() + 100)));
  long maxV = sec.Height() - princ.Height() + 100;
  if (maxV > 32767) {
    vb::MsgBox("La lunghezza del foglio può essere al massimo di 32.666 mmm. (vedi parametri stampante selezionata)",
               vb::vbOKOnly, "Stampa a video");
    maxV = 32767;
  }
  v.SetMax(static_cast<int>(maxV));
  h.SetMin(-100);
  v.SetMin(-100);
  const bool vOn = princ.Height() < sec.Height(), hOn = princ.Width() < sec.Width();
  v.SetEnabled(vOn);
  v.SetVisible(vOn);
  h.SetEnabled(hOn);
  h.SetVisible(hOn);
  if (vOn) {
    const long d = std::labs(sec.Height() - princ.Height());
    v.SetLargeChange(static_cast<int>(d / 10 + 1));
    v.SetSmallChange(static_cast<int>(d / 100 + 1));
  } else {
    princ.Move(0, T, W, pos(H - T - (hOn ? h.Height() : 0)));
  }
  if (hOn) {
    const long d = std::labs(sec.Width() - princ.Width());
    h.SetLargeChange(static_cast<int>(d / 10 + 1));
    h.SetSmallChange(static_cast<int>(d / 100 + 1));
  } else {
    princ.Move(0, T, pos(W - (vOn ? v.Width() : 0)), pos(H - T));
  }
}

void FrmVStampa::Form_Load() {
  SetKeyPreview(true);
  mbEsci = false;
  obAttivo = true;
  for (int i = 1; i <= 4; ++i) C("imaMuovi", i).SetEnabled(false);
  SistImgFrecce();
  C("PicSec").Move(0, 0, C("PicSec").Width(), C("PicSec").Height());
  SistDimensioni();
  C("LabMsg").SetCaption("");
  osRisVidKey = "StaVid";
  double fattore = -2;
  try {
    RisVid::ScalaForm(*this, 0, fattore, {});
  } catch (...) {
  }
}

void FrmVStampa::Form_Activate() {
  SistDimensioni();
  SistImgFrecce();
}

void FrmVStampa::Form_Resize() { SistDimensioni(); }

void FrmVStampa::Form_KeyDown(int& KeyCode, int Shift) { modHTMLHelp::GestTastoF1(KeyCode, Shift, *this, -1); }

void FrmVStampa::Form_Unload(int& Cancel) {
  if (G().giStaAtt == 1) {
    vb::MsgBox("Non si puo' uscire\r\nStampa ancora attiva", vb::vbCritical, "Visualizzazione Stampe");
    Cancel = 1;
    return;
  }
  obAttivo = false;
  if (!msFilePagine.empty()) {
    const std::filesystem::path pre(msFilePagine + ".");
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(pre.parent_path(), ec)) {
      const std::string n = e.path().string();
      if (n.rfind(pre.string(), 0) == 0) std::filesystem::remove(e.path(), ec);
    }
  }
  if (ogStampa_) {
    ogStampa_->SetPaginaMax(0);
    ogStampa_->SetPagina(1);
    ogStampa_->SetMostraPagina(1);
    ogStampa_->SetFlagAnteprima(true);
    ogStampa_->SetStatoStampa(1);
    if (ogStampa_->ofrmVStampa() == this) ogStampa_->SetofrmVStampa(nullptr);
  }
  ogStampa_ = nullptr;
  mainDdt::ChiudiProgramma(0);
}

void FrmVStampa::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "imaMuovi")) {
    if (c.Enabled()) imaMuovi_Click(c.Index());
  } else if (Nome(c.Name(), "ComEsci")) {
    ComEsci_Click();
  }
}

void FrmVStampa::Change(ui::Controllo& c) {
  if (Nome(c.Name(), "vscPosVert")) C("PicSec").SetTop(-c.Value());
  else if (Nome(c.Name(), "hscPosOri")) C("PicSec").SetLeft(-c.Value());
}

void FrmVStampa::Scroll(ui::Controllo& c) { Change(c); }

vb::Variant FrmVStampa::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osRisVidKey")) return osRisVidKey;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "obAttivo")) return obAttivo;
  return ui::Form::LeggiPerNome(n);
}

void FrmVStampa::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osRisVidKey")) osRisVidKey = v.ToString();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else ui::Form::ScriviPerNome(n, v);
}

FrmVStampa& FrmVStampaGlob() {
  static FrmVStampa* f = new FrmVStampa();
  return *f;
}

// ---------------------------------------------------------------- frmVStaPar

frmVStaPar::frmVStaPar() : ui::Form("frmVStaPar") {
  SetCaption("Grandezza visualizzazione stampe");
  Move(0, 0, 6615, 3360);
  SetBorderStyle(3);
  ui::Carattere f;
  f.Name = "Arial";
  f.Size = 12;
  f.Bold = true;
  SetFont(f);
  ui::Controllo& v = Crea(ui::Tipo::VScrollBar, "VsbProp");
  v.Move(120, 120, 300, 2100);
  v.SetMin(50);
  v.SetMax(180);
  v.SetSmallChange(5);
  v.SetLargeChange(25);
  v.SetValue(50);
  ui::Controllo& l = Crea(ui::Tipo::Label, "LabProp");
  l.Move(540, 120, 1095, 555);
  l.SetBorderStyle(1);
  l.SetAlignment(2);
  ui::Carattere fl = f;
  fl.Size = 20.25;
  l.SetFont(fl);
  l.SetCaption("100");
  ui::Controllo& p = Crea(ui::Tipo::PictureBox, "PicProva");
  p.Move(1755, 120, 4620, 2100);
  p.SetBackColor(ui::vbWhite);
  ui::Controllo& m = Crea(ui::Tipo::CheckBox, "CheMemVid");
  m.Move(120, 2400, 2400, 375);
  ui::Carattere fm = f;
  fm.Size = 9.75;
  m.SetFont(fm);
  m.SetCaption("Memorizza pagine");
  ui::Controllo& ok = Crea(ui::Tipo::CommandButton, "CmdOk");
  ok.Move(5160, 2400, 1215, 420);
  ok.SetCaption("OK");
}

void frmVStaPar::Campione() {
  const int v = C("VsbProp").Value();
  C("LabProp").SetCaption(std::to_string(v));
  stampa::Documento d;
  d.larghezza = C("PicProva").Width() / 20.0;
  d.altezza = C("PicProva").Height() / 20.0;
  stampa::FontStampa font;
  font.nome = "Arial";
  font.punti = v / 100.0 * 10;
  const int fi = d.Font(font);
  const double alt = stampa::AltezzaRiga(font);
  stampa::Pagina pag;
  pag.elementi.push_back({stampa::TipoElemento::Testo, 4, 4, 0, alt,
                          "Testo di Prova. Grandezza dei Caratteri in stampa, ", fi, 0, 0});
  pag.elementi.push_back({stampa::TipoElemento::Testo, 4, 4 + alt, 0, alt,
                          "usando come Font base Arial di grandezza 10 ", fi, 0, 0});
  d.pagine.push_back(pag);
  static stampa::OggettoStampa cartella;
  const std::string file = cartella.PercorsoFile() + "campione" + std::to_string(v) + ".png";
  std::string errore;
  if (stampa::ScriviPng(d, 0, 72.0 / 96.0, file, errore)) C("PicProva").SetPicture(file);
}

void frmVStaPar::Change(ui::Controllo& c) {
  if (Nome(c.Name(), "VsbProp")) Campione();
}

void frmVStaPar::DblClick(ui::Controllo& c) {
  if (!Nome(c.Name(), "LabProp")) return;
  C("VsbProp").SetValue(67);
  Campione();
  C("CheMemVid").SetValue(1);
}

void frmVStaPar::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "CmdOk")) Hide();
}

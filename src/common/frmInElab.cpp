#include "common/frmInElab.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "common/RisVid.h"
#include "common/Windll.h"
#include "platform/Errore.h"
#include "platform/Testo.h"

using ui::Controllo;
using ui::Tipo;

namespace {

std::unique_ptr<frmInElab>& Predefinita() {
  static std::unique_ptr<frmInElab> f;
  return f;
}

ui::Carattere FontEtichetta(double size, bool bold = false) {
  ui::Carattere c;
  c.Name = "MS Sans Serif";
  c.Size = size;
  c.Bold = bold;
  return c;
}

Controllo& Etichetta(ui::Form& f, Controllo& pic, const std::string& nome, const std::string& caption,
                     long left, long top, long width, long height, const ui::Carattere& font) {
  Controllo& l = f.Crea(Tipo::Label, nome);
  l.SetContainer(&pic);
  l.Move(left, top, width, height);
  l.SetAlignment(2);
  l.SetFont(font);
  l.SetCaption(caption);
  return l;
}

}  // namespace

frmInElab::frmInElab() : Form("frmInElab") {
  SetCaption("In Elaborazione");
  Move(0, 0, 8715, 2910);
  // A fixed window without title buttons: the job it shows ends it.
  SetBorderStyle(1);
  SetControlBox(false);
  SetMinButton(false);
  SetMaxButton(false);
  Controllo& pic = Crea(Tipo::PictureBox, "PicMsgElab");
  pic.Move(0, 0, 8715, 2895);
  pic.SetVisible(false);
  Etichetta(*this, pic, "LabMsgElab", "in Elaborazione", 360, 180, 7980, 1035, FontEtichetta(18));
  Etichetta(*this, pic, "LabFatti", "1", 2400, 1500, 1320, 375, FontEtichetta(12, true));
  Etichetta(*this, pic, "LabDi", "di", 4200, 1560, 495, 255, FontEtichetta(9.75));
  Etichetta(*this, pic, "labDaFare", "999999", 4800, 1500, 1320, 375, FontEtichetta(12, true));
  for (const char* nome : {"LabMsgElab", "LabFatti", "labDaFare"}) C(nome).SetBorderStyle(1);
  Controllo& pro = Crea(Tipo::ProgressBar, "proDaFare");
  pro.SetContainer(&pic);
  pro.Move(360, 2160, 8055, 435);
}

frmInElab* frmInElab::Istanza() { return Predefinita().get(); }

void frmInElab::Form_Load() {
  double fattore = -2;
  RisVid::ScalaForm(*this, 0, fattore);
}

vb::Variant frmInElab::LeggiPerNome(const std::string& nome) {
  if (vb::UgualeTesto(nome, "osKeySec")) return osKeySec;
  if (vb::UgualeTesto(nome, "osRisVidKey")) return osRisVidKey;
  if (vb::UgualeTesto(nome, "odRisVidVal")) return odRisVidVal;
  return Form::LeggiPerNome(nome);
}

void frmInElab::ScriviPerNome(const std::string& nome, const vb::Variant& valore) {
  if (vb::UgualeTesto(nome, "osKeySec")) osKeySec = valore.ToString();
  else if (vb::UgualeTesto(nome, "osRisVidKey")) osRisVidKey = valore.ToString();
  else if (vb::UgualeTesto(nome, "odRisVidVal")) odRisVidVal = valore.ToDouble();
  else Form::ScriviPerNome(nome, valore);
}

void frmInElab::Mostra(const std::string& psMessaggio, long plDaFare) {
  try {
    if (!Predefinita()) {
      Predefinita() = std::make_unique<frmInElab>();
      Predefinita()->Load();
    }
    frmInElab& f = *Predefinita();
    f.C("LabMsgElab").SetCaption(psMessaggio);
    const bool contatori = plDaFare > 0;
    for (const char* nome : {"LabFatti", "LabDi", "labDaFare", "proDaFare"}) f.C(nome).SetVisible(contatori);
    if (contatori) {
      f.C("LabFatti").SetCaption("0");
      f.C("labDaFare").SetCaption(std::to_string(plDaFare));
      Controllo& pro = f.C("proDaFare");
      pro.SetMin(0);
      pro.SetMax(static_cast<int>(std::min<long>(plDaFare, INT_MAX)));
      pro.SetValue(0);
    }
    f.C("PicMsgElab").SetVisible(true);
    const long utile = Windll::AltezzaUtileSchermo();
    f.Move(std::max(0L, (ui::Screen().Width - f.Width()) / 2), std::max(0L, (utile - f.Height()) / 2), -1, -1);
    f.Show(0);
    ui::DoEvents();
  } catch (const vb::Errore&) {
    // Optional: the job runs on without its busy window.
    Chiudi();
  }
}

void frmInElab::Avanza(long plFatti) {
  frmInElab* f = Istanza();
  if (!f) return;
  try {
    f->C("LabFatti").SetCaption(std::to_string(plFatti));
    Controllo& pro = f->C("proDaFare");
    pro.SetValue(static_cast<int>(std::clamp<long>(plFatti, pro.Min(), pro.Max())));
    ui::DoEvents();
  } catch (const vb::Errore&) {
  }
}

void frmInElab::Chiudi() {
  auto& f = Predefinita();
  if (!f) return;
  try {
    f->Unload();
  } catch (const vb::Errore&) {
  }
  f.reset();
}

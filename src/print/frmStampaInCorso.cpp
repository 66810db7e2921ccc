#include "print/frmStampaInCorso.h"

#include <cstdio>

#include "common/RisVid.h"
#include "common/mainDdt.h"
#include "platform/Testo.h"

frmStampaInCorso::frmStampaInCorso() : ui::Form("frmStampaInCorso") {
  SetCaption("Stampa ordini in corso");
  Move(0, 0, 4335, 2520);
  SetBorderStyle(3);
  SetMinButton(false);
  SetMaxButton(false);
  SetBackColor(0xC0C0C0);
  ui::Carattere grassetto;
  grassetto.Bold = true;
  ui::Controllo& logo = Crea(ui::Tipo::PictureBox, "picLogo");
  logo.Move(120, 120, 600, 600);
  logo.SetBorderStyle(0);
  logo.SetTabStop(false);
  logo.SetPicture(stampa::FileFreccia(3));
  ui::Controllo& lbl = Crea(ui::Tipo::Label, "lblStamp");
  lbl.Move(840, 180, 3240, 285);
  lbl.SetAlignment(2);
  lbl.SetFont(grassetto);
  lbl.SetCaption("Stampa ordine in corso.");
  ui::Controllo& pre = Crea(ui::Tipo::Label, "LblPrePag");
  pre.Move(840, 600, 2100, 285);
  pre.SetFont(grassetto);
  pre.SetCaption("In stampa la pagina:");
  pre.SetVisible(false);
  ui::Controllo& pag = Crea(ui::Tipo::Label, "LblPag");
  pag.Move(3000, 600, 840, 285);
  pag.SetAlignment(2);
  pag.SetFont(grassetto);
  pag.SetCaption("000");
  pag.SetVisible(false);
  ui::Controllo& b = Crea(ui::Tipo::CommandButton, "ComSTampa");
  b.Move(840, 1080, 2640, 735);
  b.SetFont(grassetto);
  b.SetCaption("Interrompi la stampa");
  b.SetToolTipText("Interrompi la stampa");
}

void frmStampaInCorso::MostraAvanzamento(int pagina) {
  const bool si = pagina > 0;
  C("LblPrePag").SetVisible(si);
  C("LblPag").SetVisible(si);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", pagina);
  C("LblPag").SetCaption(buf);
}

bool frmStampaInCorso::ChiediEmailLogPwd() {
  // The PDF and e-mail panel is not part of this version: nothing to ask,
  // the library gives up the sending.
  return false;
}

void frmStampaInCorso::ComSTampa_Click() {
  if (ogStampa) ogStampa->SetStatoStampa(1);
}

void frmStampaInCorso::Form_Load() {
  osRisVidKey = "StaVid";
  double fattore = -2;
  try {
    RisVid::ScalaForm(*this, 0, fattore, {vb::Variant("picLogo"), vb::Variant(-1), vb::Variant(2)});
  } catch (...) {
  }
}

void frmStampaInCorso::Form_Unload(int&) {
  ogStampa = nullptr;
  mainDdt::ChiudiProgramma(0);
}

void frmStampaInCorso::Click(ui::Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "ComSTampa")) ComSTampa_Click();
}

vb::Variant frmStampaInCorso::LeggiPerNome(const std::string& n) {
  if (vb::UgualeTesto(n, "odRisVidVal")) return odRisVidVal;
  if (vb::UgualeTesto(n, "osRisVidKey")) return osRisVidKey;
  if (vb::UgualeTesto(n, "osKeySec")) return osKeySec;
  return ui::Form::LeggiPerNome(n);
}

void frmStampaInCorso::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (vb::UgualeTesto(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (vb::UgualeTesto(n, "osRisVidKey")) osRisVidKey = v.ToString();
  else if (vb::UgualeTesto(n, "osKeySec")) osKeySec = v.ToString();
  else ui::Form::ScriviPerNome(n, v);
}

frmStampaInCorso& FrmStampaInCorsoGlob() {
  static frmStampaInCorso* f = new frmStampaInCorso();
  return *f;
}

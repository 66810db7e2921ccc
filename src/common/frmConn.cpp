#include "common/frmConn.h"

#include <algorithm>

frmConn::frmConn() : ui::Form("frmConn") {
  Crea(ui::Tipo::Label, "labTitolo");
  Crea(ui::Tipo::Label, "labVersione");
  Crea(ui::Tipo::Label, "LabDataVer");
  Crea(ui::Tipo::Image, "imgLogo");
  Crea(ui::Tipo::Image, "imgAccess");
  Crea(ui::Tipo::Image, "imgOracle");
  Crea(ui::Tipo::TextBox, "txtNomeDb");
  Progetta();
}

void frmConn::Progetta() {
  SetCaption("Connessione al database");
  SetBackColor(0x00C0C0C0);
  Move(0, 0, 6300, 3390);
  auto testo = [&](const char* nome, const char* caption, double size, bool bold, long top, long h) {
    ui::Controllo& c = C(nome);
    c.Move(1800, top, 4200, h);
    c.SetCaption(caption);
    ui::Carattere f;
    f.Name = "Arial";
    f.Size = size;
    f.Bold = bold;
    c.SetFont(f);
    c.SetAlignment(2);
    c.SetBackColor(0x00C0C0C0);
    c.SetVisible(false);
  };
  testo("labTitolo", "Tarvel", 20.25, true, 240, 555);
  testo("labVersione", "Versione 9.99", 14.25, true, 960, 420);
  testo("LabDataVer", "del 06/11/1998", 14.25, false, 1440, 420);
  C("imgLogo").Move(240, 480, 1335, 1335);
  C("imgLogo").SetVisible(false);
  C("imgAccess").Move(60, 60, 480, 480);
  C("imgAccess").SetVisible(true);
  C("imgOracle").Move(60, 600, 480, 480);
  C("imgOracle").SetVisible(false);
  ui::Controllo& t = C("txtNomeDb");
  t.Move(120, 2400, 6000, 450);
  t.SetText("");
  ui::Carattere f;
  f.Name = "MS Sans Serif";
  f.Size = 12;
  f.Bold = true;
  t.SetFont(f);
  t.SetBackColor(0x00C0C0C0);
  t.SetTabStop(false);
}

void frmConn::Form_Load() {
  usata_ = true;
  const ui::Schermo& s = ui::Screen();
  Move(std::max(0L, (s.Width - Width()) / 2), std::max(0L, (s.Height - Height()) / 2));
}

void frmConn::Form_Unload(int&) {}

frmConn& FrmConn() {
  static frmConn f;
  if (!f.Caricata() && f.usata_) {
    f.usata_ = false;
    f.Progetta();
  }
  return f;
}

#include "ddt/lines/frmNotaLingua.h"

#include <algorithm>

#include "common/AziendaUtil.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

// Layout in twips.
constexpr long kLargh = 9360, kAlt = 5400;
constexpr long kTopGriglia = 840;
constexpr long kLargBottone = 1215, kAltBottone = 375;

// The column of a grid bound to the field, -1 when none.
int ColonnaDi(ui::Griglia& g, const char* campo) {
  for (int i = 0; i < g.NumColonne(); ++i)
    if (Nome(g.Colonna(i).DataField, campo)) return i;
  return -1;
}

}  // namespace

frmNotaLingua::frmNotaLingua() : ui::Form("frmNotaLingua") {
  SetCaption("Descrizione da inserire in nota");
  Move(0, 0, kLargh, kAlt);
  SetMinButton(false);
  int tab = 0;
  auto metti = [&](ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) -> ui::Controllo& {
    ui::Controllo& c = Crea(t, nome, indice);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab++);
    return c;
  };
  ui::Controllo& titolo = metti(ui::Tipo::Label, "labTitolo", -1, 120, 60, 6000, 285);
  titolo.SetCaption("Descrizione da inserire in nota");
  ui::Carattere grassetto = titolo.Font();
  grassetto.Bold = true;
  grassetto.Size = 9.75;
  titolo.SetFont(grassetto);
  metti(ui::Tipo::Label, "label1", 140, 120, 450, 840, 255).SetCaption("Articolo");
  ui::Controllo& art = metti(ui::Tipo::TextBox, "txt", 140, 1020, 420, 1800, 300);
  art.SetLocked(true);
  art.SetTabStop(false);
  ui::Controllo& descr = metti(ui::Tipo::Label, "lab", 140, 2940, 435, kLargh - 120 - 2940 - 120, 270);
  descr.SetForeColor(ui::vbBlue);
  auto& dati = Crea<ui::DatiControllo>(ui::Tipo::Data, "DatNote");
  dati.SetVisible(false);
  const long yb = kAlt - 405 - 120 - kAltBottone;
  auto& g = Crea<ui::Griglia>(ui::Tipo::DataGrid, "GriNote");
  g.Move(0, kTopGriglia, kLargh - 120, yb - kTopGriglia - 50);
  g.SetTabIndex(tab++);
  g.SetAllowUpdate(false);
  g.SetDataSource(&dati);
  ui::Controllo& ok = metti(ui::Tipo::CommandButton, "comOk", -1, kLargh - 120 - 2 * kLargBottone - 240, yb,
                            kLargBottone, kAltBottone);
  ok.SetCaption("&Ok");
  ui::Controllo& annulla = metti(ui::Tipo::CommandButton, "ComAnnulla", -1, kLargh - 120 - kLargBottone - 120, yb,
                                 kLargBottone, kAltBottone);
  annulla.SetCaption("&Annulla");
}

ui::Griglia& frmNotaLingua::GriNote() const { return static_cast<ui::Griglia&>(C("GriNote")); }
ui::DatiControllo& frmNotaLingua::DatNote() const { return static_cast<ui::DatiControllo&>(C("DatNote")); }

void frmNotaLingua::Form_Load() {
  obOk = false;
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void frmNotaLingua::ImpGriglia(dati::GestRecordset& pgRecDat, const std::string& psRecDat) {
  txt(140).SetText(osArticolo);
  lab(140).SetCaption(osLabArticolo);
  ui::Griglia& g = GriNote();
  DatNote().SetRecordset(&pgRecDat.RecordsetDao(psRecDat));
  g.ColonneDaCampi();
  ui::DoEvents();
  const int tipo = ColonnaDi(g, "Tipo"), des = ColonnaDi(g, "DesLunga");
  if (tipo >= 0) g.Colonna(tipo).Width = static_cast<long>(2000 * odRisVidVal);
  if (des >= 0) g.Colonna(des).Width = static_cast<long>(6500 * odRisVidVal);
  g.ColonnaCambiata();
}

void frmNotaLingua::Form_Resize() {
  ui::Griglia& g = GriNote();
  const long alto = std::max(C("comOk").Top() - g.Top() - 50, 100L);
  g.Move(0, g.Top(), ScaleWidth(), alto);
}

void frmNotaLingua::Conferma() {
  // Errors ignored: whatever happens the dialog goes, confirmed.
  try {
    obOk = true;
    ui::Griglia& g = GriNote();
    const int des = ColonnaDi(g, "DesLunga");
    if (des >= 0) osNota = servizi::Testo(g.ValoreCella(des));
  } catch (const vb::Errore&) {
  } catch (const std::exception&) {
  }
  Unload();
}

void frmNotaLingua::comOk_Click() { Conferma(); }

void frmNotaLingua::GriNote_DblClick() { Conferma(); }

void frmNotaLingua::ComAnnulla_Click() {
  obOk = false;
  Unload();
}

void frmNotaLingua::Form_Unload(int&) {
  // The rows belong to the opener, which closes them in its callback: the
  // grid lets go of them first.
  DatNote().SetRecordset(nullptr);
  if (!ofrmDett) return;
  try {
    std::vector<vb::Variant> nessuno;
    ofrmDett->ChiamaPerNome("DopoChiediNotaLingua", nessuno);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

void frmNotaLingua::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmNotaLingua::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmNotaLingua::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
}

void frmNotaLingua::DblClick(ui::Controllo& c) {
  if (Nome(c.Name(), "GriNote")) GriNote_DblClick();
}

vb::Variant frmNotaLingua::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osRisVidKey")) return osRisVidKey;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "obOk")) return obOk;
  if (Nome(n, "osNota")) return osNota;
  return ui::Form::LeggiPerNome(n);
}

void frmNotaLingua::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osRisVidKey")) osRisVidKey = v.ToString();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else ui::Form::ScriviPerNome(n, v);
}

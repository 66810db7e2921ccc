#include "common/frmPrincipale.h"

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"

frmPrincipale::frmPrincipale() : ui::Form("frmPrincipale") {
  SetCaption("Form Principale del programma");
  Move(4575, 3885, 4095, 615);
  auto& lbl = Crea(ui::Tipo::Label, "lblChiusura");
  lbl.Move(0, 0, 4095, 615);
  lbl.SetCaption("Chiusura in corso");
  ui::Carattere f;
  f.Name = "MS Sans Serif";
  f.Size = 24;
  f.Bold = true;
  lbl.SetFont(f);
  lbl.SetAutoSize(true);
  for (const char* nome : {"timChiudi", "timVarie"}) {
    auto& t = Crea(ui::Tipo::Timer, nome);
    t.SetEnabled(false);
    t.SetInterval(1);
  }
}

void frmPrincipale::Form_Load() {
  // A new run of the form starts from its design values.
  oiChiudi = 1;
  oiTmpAttesa = 100;
  oiFlagVarie = 0;
  osNomeForm.clear();
  for (const char* nome : {"timChiudi", "timVarie"}) {
    C(nome).SetEnabled(false);
    C(nome).SetInterval(1);
  }
}

void frmPrincipale::Timer(ui::Controllo& c) {
  if (c.Name() == "timChiudi")
    timChiudi_Timer();
  else if (c.Name() == "timVarie")
    timVarie_Timer();
}

void frmPrincipale::timChiudi_Timer() {
  timChiudi().SetEnabled(false);
  const int16_t copia = oiChiudi;
  const vb::Variant r = mainDdt::TentaChiusura(oiChiudi);
  if (!r.ToBool()) {
    oiChiudi = copia;
    timChiudi().SetInterval(oiTmpAttesa);
    timChiudi().SetEnabled(true);
  }
}

void frmPrincipale::timVarie_Timer() {
  timVarie().SetEnabled(false);
  if (oiFlagVarie == 1 && vb::FunzioniComuni::Istanza().ValLong(FunVarie::IndiceForm(osNomeForm)) > 0) {
    const long i = vb::FunzioniComuni::Istanza().ValLong(FunVarie::IndiceForm(osNomeForm));
    try {
      UtilClient::FuocoForm(*ui::Forms().at(static_cast<size_t>(i)));
    } catch (const vb::Errore&) {
      // The form cannot take the focus yet: the flag stays for a later try.
    }
    return;
  }
  oiFlagVarie = 0;
}

vb::Variant frmPrincipale::LeggiPerNome(const std::string& nome) {
  if (nome == "oiChiudi") return oiChiudi;
  if (nome == "oiTmpAttesa") return oiTmpAttesa;
  if (nome == "oiFlagVarie") return oiFlagVarie;
  if (nome == "osNomeForm") return osNomeForm;
  return ui::Form::LeggiPerNome(nome);
}

void frmPrincipale::ScriviPerNome(const std::string& nome, const vb::Variant& v) {
  if (nome == "oiChiudi") oiChiudi = v.ToInt();
  else if (nome == "oiTmpAttesa") oiTmpAttesa = v.ToInt();
  else if (nome == "oiFlagVarie") oiFlagVarie = v.ToInt();
  else if (nome == "osNomeForm") osNomeForm = v.ToString();
  else ui::Form::ScriviPerNome(nome, v);
}

frmPrincipale& FrmPrincipale() {
  static frmPrincipale f;
  return f;
}

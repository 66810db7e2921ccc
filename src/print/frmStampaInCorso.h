#pragma once
// "Stampa ordini in corso": the window the print library shows while a list
// prints. Its one button asks the library to stop (StatoStampa 1); the
// library shows the page being printed in `LblPag` and, for a print sent
// by e-mail, asks again for the login through ChiediEmailLogPwd.
#include <string>

#include "platform/stampa/OggettoStampa.h"
#include "platform/ui/Form.h"

class frmStampaInCorso : public ui::Form, public stampa::FinestraAvanzamento {
 public:
  frmStampaInCorso();

  // The print in progress, set by the library.
  stampa::OggettoStampa* ogStampa = nullptr;
  std::string osKeySec;
  std::string osRisVidKey;
  double odRisVidVal = 1;

  // ---- for the print library
  void ImpostaStampa(stampa::OggettoStampa* s) override { ogStampa = s; }
  void MostraAvanzamento(int pagina) override;
  bool ChiediEmailLogPwd() override;

  void ComSTampa_Click();
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Click(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
};

// The program's progress window.
frmStampaInCorso& FrmStampaInCorsoGlob();

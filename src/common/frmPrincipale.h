#pragma once
// The hidden main form of the program: loaded at start-up and kept for the
// whole run, never shown except for the notice "Chiusura in corso" while
// the program closes. It carries the end-check timer `timChiudi` and the
// timer `timVarie` that hands the focus to a form after the current event.
#include <cstdint>
#include <string>

#include "platform/ui/Form.h"

class frmPrincipale : public ui::Form {
 public:
  frmPrincipale();

  // End check: 1 closes only when no other form is loaded, 0 closes at the
  // next tick without asking; milliseconds between two checks.
  int16_t oiChiudi = 1;
  int16_t oiTmpAttesa = 100;
  // 1: the form named osNomeForm waits for the focus (timVarie).
  int16_t oiFlagVarie = 0;
  std::string osNomeForm;

  ui::Controllo& timChiudi() const { return C("timChiudi"); }
  ui::Controllo& timVarie() const { return C("timVarie"); }

  void Form_Load() override;
  void Timer(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

 private:
  void timChiudi_Timer();
  void timVarie_Timer();
};

// The program-wide instance (not loaded until someone loads it). Once
// unloaded it comes back with its design values at the next load.
frmPrincipale& FrmPrincipale();

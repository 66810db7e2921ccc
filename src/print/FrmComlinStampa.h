#pragma once
// "Stampa dati della lista": the dialog through which the user prints the
// rows of a list window. The list commands put themselves into `ogComlin`
// and show it; "&STAMPA" fills their print object (preview and progress
// windows, the program's printer, the options of this dialog) and hands
// the print over with AvviaStampa (orientation, all or visible columns,
// font). Only one print may run at a time in the whole program (giStaAtt).
//
// The options object lives as long as the dialog object: loading the dialog
// again keeps it; option buttons and font start again from their defaults.
// A second "&STAMPA" after the print was handed over (the list commands
// released) does nothing: they must show the dialog again.
#include <memory>
#include <string>

#include "platform/barre/ComandiLista.h"
#include "platform/stampa/OpzioniStampa.h"
#include "platform/ui/Form.h"

class FrmComlinStampa : public ui::Form, public barre::DialogoStampaLista {
 public:
  FrmComlinStampa();

  barre::rowlib::ComandiLista* ogComlin = nullptr;
  void ImpostaComlin(barre::rowlib::ComandiLista* c) override { ogComlin = c; }

  // The current printer in `labStaAttuale`.
  void VisStaAttuale();
  // The options of every print of this dialog object (created when first
  // needed, with the saved options of print code `CodStampa`).
  std::shared_ptr<stampa::OpzioniStampa> OpzSta();
  const ui::Carattere& Font() const { return mgFont; }

  void CmdStampa_Click();
  void CmdSceFont_Click();
  void comSceStam_Click();
  void ComUsaDef_Click();
  void CmdEsci_Click() { Unload(); }
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Click(ui::Controllo& c) override;

  ui::Controllo& OptOrientamento(int i) const { return C("OptOrientamento", i); }
  ui::Controllo& OptTipsta(int i) const { return C("OptTipsta", i); }

 private:
  ui::Carattere mgFont;
  std::shared_ptr<stampa::OpzioniStampa> mgOpzSta;
};

// The program's list-print dialog.
FrmComlinStampa& FrmComlinStampaGlob();

#pragma once
// "Quadro Competenza": the accrual period of one line. The user chooses the
// kind of accrual (none, daily, monthly) and the period from-to; the dialog
// shows at once how the line's taxable amount divides into the share of the
// previous accounting year, of the current one and of the following years
// (shown only, never stored), and hands kind and dates back to the line.
//
// Protocol: the opening form creates the dialog, sets the inputs, `obOk`
// False, `osKeySec` and `ofrmDett`, calls `mostra`, disables itself and
// shows the dialog modeless. When the dialog unloads (confirmed, cancelled
// or closed by its frame) it calls "DopoCompetenza" by name on `ofrmDett`,
// which reads `obOk`, `osTipoComp`, `osDataCompDa` and `osDataCompA`.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

class FrmCompetenza : public ui::Form {
 public:
  FrmCompetenza();

  // ---- inputs
  int16_t oiAnno = 0;           // year of the document
  std::string osNumRif;         // internal number of the document, shown
  std::string osDataRif;        // its date, shown
  std::string osIntest;         // account of the customer or supplier
  std::string osIntRagSoc, osIntRagSoc2;
  std::string osArticolo, osLabArticolo;
  std::string osImporto;        // the amount to split, as text
  bool obClieForn = true;       // True "Cliente:", False "Fornitore:"
  std::string osKeySec;
  ui::Form* ofrmDett = nullptr;  // the opener, called back by name
  // ---- inputs and outputs
  std::string osTipoComp;       // "M" monthly, "G" daily, "" none
  std::string osDataCompDa, osDataCompA;
  bool obOk = false;
  // ---- screen scaling (read and written by name by the form framework)
  std::string osRisVidKey;
  double odRisVidVal = 1;

  // Fills the dialog from the inputs and selects the accrual kind.
  void mostra();
  // The three shares shown again.
  void CalcolaImp();

  // ---- events
  void Opt_Click(int Index);
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  void comOk_Click();
  void ComAnnulla_Click();
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }
  ui::Controllo& Opt(int n) const { return C("Opt", n); }

 private:
  void CreaControlli();
  // The kind of the option chosen: "M", "G" or "".
  std::string TipoScelto() const;
  // A date box that holds no usable date: empty, in the error colour or
  // not a date.
  bool DataNonValida(int piIndice) const;
  // Text of each box when it took the focus.
  std::map<int, std::string> mValIngresso;
};

#pragma once
// "Richiesta codice articolo abbinato alla matricola": while serials are
// read from a file, the question of the article a serial belongs to. The
// line window (ofrm) fills the members, disables itself, raises its
// obInRichMatr and lets window messages through until a button of this
// window lowers it by name; it then reads obOk and the article and unloads
// the window. The window has no close box; Esc is "&Annulla".
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Date.h"
#include "platform/Variant.h"
#include "platform/ui/Form.h"

class frmMatrArt : public ui::Form {
 public:
  frmMatrArt();

  // ---- members
  void SetosMatricola(const std::string& psMatricola);
  // The article: writing it decodes it, without the look-up window.
  void SetosArticolo(const std::string& psArticolo);
  std::string osArticolo() const;
  std::string osLivGruppo1() const { return msLivGruppo1; }
  std::string osLivGruppo2() const { return msLivGruppo2; }
  void SetosDescr(const std::string& psDescr);
  void SetosStatoPrec(const std::string& psStatoPrec);
  void SetobNonUlt(bool pbNonUlt);
  void SetotUltData(const vb::Date& ptUltData);
  void SetosTipOpeSucc(const std::string& psStatoSucc);
  void SetobEnabArt(bool pbAbil);
  bool obOk = false;
  // A button answered (false: the window went another way).
  bool obRisposto = false;
  ui::Form* ofrm = nullptr;
  std::string osKeySec;
  int16_t oiAbilRW = 1;
  double odRisVidVal = 1;

  void DecodArticolo(bool pbFaiHelp);

  // ---- events
  void comOk_Click();
  void ComAnnulla_Click();
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }

 private:
  void CreaControlli();
  // Ends the wait of the line window.
  void FineAttesa();
  std::string msLivGruppo1, msLivGruppo2;
  std::string msValIngresso;
};

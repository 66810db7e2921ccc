#pragma once
// "Suddivisione riga per partite/lotti": the current DDT line divided among
// up to five batch/lot pairs, each with a quantity. The line window sets
// the inputs and obOk False, disables itself and shows the dialog
// modeless; the unload calls "DopoPartLotti" by name on ofrmDett however
// the dialog goes, while its boxes are still readable. Row i (0..4) has
// its batch in txt(10 + 10 i), lot in txt(110 + 10 i), quantity in
// txt(210 + 10 i); F2 on a batch box lists the pairs loaded (frmLisPartLot).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

class frmLisPartLot;

class frmPartLottoDiv : public ui::Form {
 public:
  frmPartLottoDiv();

  // ---- inputs
  std::string osArticolo, osDescArt, osMagazzino, osPartita, osKeySec;
  int16_t oiAnno = 0;
  double odQta = 0;
  ui::Form* ofrmDett = nullptr;
  // ---- outputs
  bool obOk = false;
  int16_t oiRigaVal = 0;
  std::array<int16_t, 6> ovRigaDaEl{};
  int16_t oiPuntPartita = 10, oiPuntLotto = 110, oiPuntQta = 210;
  int16_t oiAbilRW = 1;
  double odRisVidVal = 1;

  // The checks of Ok: true when the rows are accepted (obOk, unload).
  void comOk_Click();
  void ComAnnulla_Click();
  void CercaPartita();
  void DopoCercaPartita(bool pbOk);
  int16_t miIndCerca = 0;

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
  std::shared_ptr<frmLisPartLot> mfrmLista, mfrmListaChiusa;
};

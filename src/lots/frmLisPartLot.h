#pragma once
// "Lista partite / lotto": the batch/lot pairs of an article carried by the
// warehouse movements of a year into a warehouse (MovMagDett.DescPers1 and
// DescPers3), listed once each for the current user in AppoggioTemp under
// "DDT-CercaPartLot". The opener sets the inputs and ofrmTest, disables
// itself and shows the list modeless; the unload calls "DopoCercaPartita"
// by name on ofrmTest with the choice (osPartita, osLotto).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"

class frmLisPartLot : public ui::Form {
 public:
  frmLisPartLot();

  int16_t oiAnno = 0;
  std::string osArticolo, osDescArt, osMagazzino, osKeySec;
  ui::Form* ofrmTest = nullptr;
  std::string osPartita, osLotto;
  double odRisVidVal = 1;
  int16_t oiAbilRW = 1;

  static constexpr const char* kIdProgramma = "DDT-CercaPartLot";
  void ImpostaGriglia();
  void comOk_Click();
  void ComAnnulla_Click();

  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

  bool mbOk = false;

 private:
  void CreaControlli();
  std::unique_ptr<dati::GestRecordset> mgRecDat;
  std::string msRecDat;
};

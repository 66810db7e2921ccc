#pragma once
// "Descrizione da inserire in nota": the long descriptions of an article in
// other languages, one row per language, for the user to pick the one that
// becomes a note of the line.
//
// Protocol: the line window loads the dialog, sets `osArticolo`,
// `osLabArticolo`, `obOk` False, `osKeySec` and `ofrmDett`, hands it the
// open recordset of the descriptions (ImpGriglia; the recordset stays the
// opener's), disables itself and shows the dialog modeless. When the dialog
// unloads it calls "DopoChiediNotaLingua" by name on `ofrmDett`, which reads
// `obOk` and `osNota`. Closing the window by its frame counts as cancelling.
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

namespace dati {
class GestRecordset;
}
namespace ui {
class Griglia;
class DatiControllo;
}  // namespace ui

class frmNotaLingua : public ui::Form {
 public:
  frmNotaLingua();

  std::string osArticolo, osLabArticolo;
  std::string osKeySec;
  ui::Form* ofrmDett = nullptr;
  bool obOk = false;
  std::string osNota;
  // Screen scaling (written by the form framework).
  std::string osRisVidKey;
  double odRisVidVal = 1;

  // Shows the recordset of key psRecDat of pgRecDat (columns "Tipo" and
  // "DesLunga").
  void ImpGriglia(dati::GestRecordset& pgRecDat, const std::string& psRecDat);

  // ---- events
  void comOk_Click();
  void GriNote_DblClick();
  void ComAnnulla_Click();
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Griglia& GriNote() const;
  ui::DatiControllo& DatNote() const;

 private:
  // The chosen row's text confirmed, and the dialog unloaded.
  void Conferma();
};

#pragma once
// "Selezione parametri per caricamento da file": the import layouts a site
// describes, one ini section each, offered for the line window in use. The
// sections whose names begin with "LettArtDafile" (articles, osDaChi "Bar")
// or "LettMatrDafile" (serial numbers, any other osDaChi) are listed from
// the suite ini and then from the company database's ini, each name once,
// shown by its key "Descr" when that is not empty.
//
// Protocol: the line window sets obOk False, osLettArtDafile (the section
// in use), osDaChi and ofrmDett, calls mostra, disables itself and shows
// the chooser modeless. Any unload calls "DopoSceIniLetFile" by name on
// ofrmDett with the family; obOk and osLettArtDafile hold the answer.
// "&Ok" with nothing selected answers as "&Annulla".
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

class frmSelIniCarFile : public ui::Form {
 public:
  frmSelIniCarFile();

  bool obOk = false;
  std::string osLettArtDafile;
  ui::Form* ofrmDett = nullptr;
  std::string osKeySec;
  std::string osRisVidKey;
  double odRisVidVal = 1;

  const std::string& osDaChi() const { return msDaChi; }
  void SetosDaChi(const std::string& psDaChi);

  // Fills the list and preselects the section in use; False when no
  // section is offered.
  bool mostra();
  // Adds the sections of one ini file (nothing for a missing file).
  void PrepLista(const std::string& psFileIni);
  // The section names behind the items, in the same order.
  const std::vector<std::string>& Sezioni() const { return masSezioni; }

  void comOk_Click();
  void ComAnnulla_Click();
  void LisParamIni_DblClick() { comOk_Click(); }
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;

  ui::Controllo& LisParamIni() const { return C("LisParamIni"); }

 private:
  std::string msDaChi;
  std::string msPrefisso = "LettArtDafile";
  std::vector<std::string> masSezioni;
};

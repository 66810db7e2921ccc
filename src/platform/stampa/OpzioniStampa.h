#pragma once
// The options of one print: where it goes (printer, screen, file, fixed
// length), the file format and its separators, the preview's size, the
// fixed-length layout, and the named options the windows store by key
// ("PaginaDa", "NumCassetto", "EmailInvia"...).
//
// Saved options are read back from the settings files as the option panel
// writes them: the print's own section over section "Opzioni Stampa", and
// in each section this terminal's file over the file common to all.
#include <map>
#include <string>

#include "platform/Variant.h"

namespace stampa {

// Destination codes.
enum DestStampa : int { StaStampante = 0, StaVideo = 1, StaFile = 2, StaFissa = 3 };
// File format codes.
enum FormatoFile : int { FormCompatibileExcel = 0, FormTesto = 1, FormExcel = 2 };

class OpzioniStampa {
 public:
  OpzioniStampa() { ImpDefault(true); }

  std::string CodStampa;
  int oiStaVid = StaVideo;
  // "" is the default printer.
  std::string osNomeStampante;
  std::string NomePorta;
  // -1: the page stays portrait whatever the list asks.
  int ForzaVert = 0;
  int FileForm = FormCompatibileExcel;
  std::string FileName;
  std::string PathDefault;
  std::string SepCampi = "\t";
  std::string DelimStr = "\"";
  // -1: numbers go to files without thousands separators.
  int NumNoForm = 0;
  // Size factor of the preview (1 = the page at its size on a 96 dpi screen).
  float Fatt = 1.0f;
  // 1: the preview keeps its pages as files.
  int MemVid = 1;
  std::string FisFileName;
  // -1: the fixed-length output goes as a raw job to the queue FisFileName.
  int FisStampante = 0;
  int FisMrAlt = 0;
  int FisMrBas = 0;
  int FisColonne = 80;
  int FisRighe = 66;
  std::string FisCodIniComp;
  std::string FisCodFinComp;
  int FisUtilComp = 0;

  // The option stored under `chiave` (letter case ignored), Empty when none.
  vb::Variant LeggiOpzione(const std::string& chiave, int tipo = 12) const;
  void ScriviOpzione(const std::string& chiave, int tipo, const vb::Variant& valore);

  // What the windows show as the printer of the print.
  std::string DescrStampante(const std::string& stampante) const;
  // Description of a file format.
  static std::string DecodOpzione(int formato);
  // Format 0 is read by a spreadsheet: ";" and double quotes; format 2 needs
  // no separator (a tab stands) and no qualifier.
  void AdeguaFormato();
  // True when destination `codice` is not allowed; with `escludi` it is set.
  bool StampaSuEsclusa(int codice) const;
  void StampaSuEsclusa(int codice, bool escludi);
  // With True the preview keeps the page proportions of the paper.
  void ImpProporzione(bool flag) { proporzione_ = flag; }
  bool Proporzione() const { return proporzione_; }
  // Back to the defaults (named options and exclusions too when `tutto`).
  void ImpDefault(bool tutto);

  // Reads the saved options of CodStampa (section CodStampa over "Opzioni
  // Stampa", `iniTerminale` over `iniComune` in each); absent keys keep
  // their value. Empty file names are skipped.
  void LeggiSalvate(const std::string& iniTerminale, const std::string& iniComune);

 private:
  std::map<std::string, vb::Variant> opzioni_;
  bool escluse_[4] = {false, false, false, false};
  bool proporzione_ = true;
};

}  // namespace stampa

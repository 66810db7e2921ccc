#include "platform/stampa/OpzioniStampa.h"

#include <cstdlib>

#include "platform/IniFile.h"
#include "platform/Testo.h"

namespace stampa {

namespace {

std::string Chiave(const std::string& k) { return vb::UCase(k); }

int Intero(const std::string& s, int difetto) {
  const std::string t = vb::Trim(s);
  if (t.empty()) return difetto;
  char* fine = nullptr;
  const long v = std::strtol(t.c_str(), &fine, 10);
  return fine == t.c_str() ? difetto : static_cast<int>(v);
}

// A character saved by its decimal code; -1 (or nothing) is no character.
std::string Carattere(const std::string& s, const std::string& difetto) {
  const std::string t = vb::Trim(s);
  if (t.empty()) return difetto;
  const int c = Intero(t, -2);
  if (c == -1) return {};
  if (c < 1 || c > 126) return difetto;
  return std::string(1, static_cast<char>(c));
}

}  // namespace

vb::Variant OpzioniStampa::LeggiOpzione(const std::string& chiave, int) const {
  auto it = opzioni_.find(Chiave(chiave));
  return it == opzioni_.end() ? vb::Variant() : it->second;
}

void OpzioniStampa::ScriviOpzione(const std::string& chiave, int, const vb::Variant& valore) {
  opzioni_[Chiave(chiave)] = valore;
}

std::string OpzioniStampa::DescrStampante(const std::string& stampante) const {
  switch (oiStaVid) {
    case StaVideo: return "Stampa a video";
    case StaFile: return "Stampa su file: " + (FileName.empty() ? std::string("(nessun file)") : FileName) + " (" +
                         DecodOpzione(FileForm) + ")";
    case StaFissa:
      return "Stampa a lunghezza fissa su: " + (FisFileName.empty() ? std::string("(nessuno)") : FisFileName);
    default: break;
  }
  const std::string nome = osNomeStampante.empty() ? stampante : osNomeStampante;
  if (nome.empty()) return "Stampante attuale: stampante predefinita";
  return "Stampante attuale: " + nome + (NomePorta.empty() ? std::string() : " su " + NomePorta);
}

std::string OpzioniStampa::DecodOpzione(int formato) {
  switch (formato) {
    case FormCompatibileExcel: return "Compatibile Excel";
    case FormTesto: return "Testo";
    case FormExcel: return "Formato Excel";
    default: return "";
  }
}

void OpzioniStampa::AdeguaFormato() {
  if (FileForm == FormCompatibileExcel) {
    SepCampi = ";";
    DelimStr = "\"";
  } else if (FileForm == FormExcel) {
    SepCampi = "\t";
    DelimStr = "";
  }
}

bool OpzioniStampa::StampaSuEsclusa(int codice) const {
  return codice >= 0 && codice < 4 && escluse_[codice];
}

void OpzioniStampa::StampaSuEsclusa(int codice, bool escludi) {
  if (codice >= 0 && codice < 4) escluse_[codice] = escludi;
}

void OpzioniStampa::ImpDefault(bool tutto) {
  oiStaVid = StaVideo;
  osNomeStampante.clear();
  NomePorta.clear();
  ForzaVert = 0;
  FileForm = FormCompatibileExcel;
  FileName.clear();
  SepCampi = "\t";
  DelimStr = "\"";
  NumNoForm = 0;
  Fatt = 1.0f;
  MemVid = 1;
  FisFileName.clear();
  FisStampante = 0;
  FisMrAlt = FisMrBas = 0;
  FisColonne = 80;
  FisRighe = 66;
  FisCodIniComp.clear();
  FisCodFinComp.clear();
  FisUtilComp = 0;
  if (tutto) {
    opzioni_.clear();
    for (bool& e : escluse_) e = false;
  }
}

void OpzioniStampa::LeggiSalvate(const std::string& iniTerminale, const std::string& iniComune) {
  // Lowest priority first: each later read overrides.
  std::map<std::string, std::string> v;
  auto leggi = [&v](const std::string& file, const std::string& sezione) {
    if (file.empty() || sezione.empty()) return;
    for (auto& [k, val] : vb::ChiaviProfilo(file, sezione)) v[vb::UCase(k)] = val;
  };
  leggi(iniComune, "Opzioni Stampa");
  leggi(iniTerminale, "Opzioni Stampa");
  leggi(iniComune, CodStampa);
  leggi(iniTerminale, CodStampa);
  auto c = [&v](const char* k) -> const std::string* {
    auto it = v.find(k);
    return it == v.end() ? nullptr : &it->second;
  };
  if (auto* s = c("STAVID")) oiStaVid = Intero(*s, oiStaVid);
  if (auto* s = c("FORZAVERT")) ForzaVert = Intero(*s, 0) != 0 ? -1 : 0;
  if (auto* s = c("FILENAME")) FileName = *s;
  if (auto* s = c("FILEFORM")) FileForm = Intero(*s, FileForm);
  if (auto* s = c("PATHDEFAULT")) PathDefault = *s;
  if (auto* s = c("SEPCAMPI")) SepCampi = Carattere(*s, SepCampi);
  if (auto* s = c("DELIMSTR")) DelimStr = Carattere(*s, DelimStr);
  if (auto* s = c("NUMNOFORM")) NumNoForm = Intero(*s, 0) != 0 ? -1 : 0;
  if (auto* s = c("FATT")) {
    const double f = std::atof(vb::Replace(*s, ",", ".").c_str());
    if (f > 0) Fatt = static_cast<float>(f);
  }
  if (auto* s = c("MEMVID")) MemVid = Intero(*s, MemVid) != 0 ? 1 : 0;
  if (auto* s = c("FISFILENAME")) FisFileName = *s;
  if (auto* s = c("FISSTAMPANTE")) FisStampante = Intero(*s, 0) != 0 ? -1 : 0;
  if (auto* s = c("FISMRALT")) FisMrAlt = Intero(*s, FisMrAlt);
  if (auto* s = c("FISMRBAS")) FisMrBas = Intero(*s, FisMrBas);
  if (auto* s = c("FISCOLONNE")) FisColonne = Intero(*s, FisColonne);
  if (auto* s = c("FISRIGHE")) FisRighe = Intero(*s, FisRighe);
  if (auto* s = c("FISCODINICOMP")) FisCodIniComp = *s;
  if (auto* s = c("FISCODFINCOMP")) FisCodFinComp = *s;
  if (auto* s = c("FISUTILCOMP")) FisUtilComp = Intero(*s, 0) != 0 ? -1 : 0;
  if (auto* s = c("NOMESTAMPANTE")) osNomeStampante = *s;
  if (auto* s = c("NOMEPORTA")) NomePorta = *s;
  if (auto* s = c("CASSETTO")) ScriviOpzione("NumCassetto", 12, Intero(*s, 0));
  if (auto* s = c("TIPOCARTA")) ScriviOpzione("NumTipoCarta", 12, Intero(*s, 0));
  if (auto* s = c("PDFNOMEAUTOM")) ScriviOpzione("PdfAutomAbil", 12, vb::UgualeTesto(*s, "S"));
  if (auto* s = c("INVIAEMAIL")) ScriviOpzione("EmailInvia", 12, vb::UgualeTesto(*s, "S"));
}

}  // namespace stampa

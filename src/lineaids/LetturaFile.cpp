// Cutting reader-file records and reading the files themselves.
#include "lineaids/LetturaFile.h"

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace lettura {

std::string CampoSeparato(const std::string& psRiga, const std::string& psSeparatore, int piNumCampo) {
  if (piNumCampo < 1) return {};
  if (psSeparatore.empty()) return piNumCampo == 1 ? vb::Trim(psRiga) : std::string();
  const long lung = vb::Len(psSeparatore);
  long inizio = 1;
  for (int n = 1; n < piNumCampo; ++n) {
    const long pos = vb::InStr(inizio, psRiga, psSeparatore, vb::vbTextCompare);
    if (pos == 0) return {};
    inizio = pos + lung;
  }
  const long fine = vb::InStr(inizio, psRiga, psSeparatore, vb::vbTextCompare);
  std::string campo = fine == 0 ? vb::Mid(psRiga, inizio) : vb::Mid(psRiga, inizio, fine - inizio);
  if (campo.size() >= 2 && campo.front() == '"' && campo.back() == '"') campo = campo.substr(1, campo.size() - 2);
  return vb::Trim(campo);
}

std::string CampoApici(const std::string& psRiga, int piNumCampo) {
  if (piNumCampo < 1) return {};
  // Byte-wise is safe: a double quote is one byte in UTF-8 and never part
  // of another character.
  int numero = 0;
  size_t i = 0;
  const size_t n = psRiga.size();
  while (i < n) {
    if (psRiga[i] != '"') {
      ++i;
      continue;
    }
    // An opening quote: the field runs to the next quote that is not
    // doubled.
    ++numero;
    ++i;
    std::string campo;
    while (i < n) {
      if (psRiga[i] == '"') {
        if (i + 1 < n && psRiga[i + 1] == '"') {
          campo += '"';
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      campo += psRiga[i++];
    }
    if (numero == piNumCampo) return vb::Trim(campo);
  }
  return {};
}

std::string CampoFisso(const std::string& psRiga, int piInizio, int piLung) {
  if (piInizio < 1) throw vb::Errore(5, "Posizione del campo non valida (" + std::to_string(piInizio) + ")");
  if (piLung < 0) throw vb::Errore(5, "Lunghezza del campo non valida (" + std::to_string(piLung) + ")");
  return vb::Trim(vb::Mid(psRiga, piInizio, piLung));
}

Record TagliaRecord(const Tracciato& t, const std::string& psRiga) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const bool fisso = vb::UgualeTesto(t.FissoSep, "F");
  auto campo = [&](int16_t inizio, int16_t lung) -> std::string {
    if (fisso) return inizio > 0 ? CampoFisso(psRiga, inizio, lung) : std::string();
    if (vb::UgualeTesto(t.FissoSep, "S")) return CampoSeparato(psRiga, t.Separatore, inizio);
    return CampoApici(psRiga, inizio);
  };
  Record r;
  r.codice = vb::Trim(fisso ? CampoFisso(psRiga, t.CodInizio, t.CodLung) : campo(t.CodInizio, 0));
  r.qta = t.QtaInizio > 0 ? fc.ValDouble(vb::Variant(campo(t.QtaInizio, t.QtaLung))) : 0;
  if (t.ImpTotInizio > 0) {
    r.imp = fc.ValDouble(vb::Variant(campo(t.ImpTotInizio, t.ImpTotLung)));
    if (r.imp != 0) r.qualeImp = 1;
  }
  if (r.qualeImp == 0 && t.ImpUniInizio > 0) {
    r.imp = fc.ValDouble(vb::Variant(campo(t.ImpUniInizio, t.ImpUniLung)));
    if (r.imp != 0) r.qualeImp = 2;
  }
  if (r.qualeImp == 0) r.imp = 0;
  return r;
}

bool FileRighe::Apri(const std::string& psPercorso) {
  Chiudi();
  auto in = std::make_unique<std::ifstream>(psPercorso, std::ios::binary);
  if (!in->is_open()) return false;
  in_ = std::move(in);
  primaRiga_ = true;
  return true;
}

bool FileRighe::FineFile() { return !Aperto() || in_->peek() == std::char_traits<char>::eof(); }

bool FileRighe::LeggiRiga(std::string& psRiga) {
  psRiga.clear();
  if (FineFile()) return false;
  std::string grezza;
  for (;;) {
    const int c = in_->get();
    if (c == std::char_traits<char>::eof()) break;
    if (c == '\n') break;
    if (c == '\r') {
      if (in_->peek() == '\n') in_->get();
      break;
    }
    grezza += c == 0 ? ' ' : static_cast<char>(c);
  }
  if (primaRiga_ && grezza.rfind("\xEF\xBB\xBF", 0) == 0) grezza.erase(0, 3);
  primaRiga_ = false;
  psRiga = vb::Utf8Valido(grezza) ? grezza : vb::DaWindows1252(grezza);
  return true;
}

void FileRighe::Chiudi() {
  if (in_) in_->close();
  in_.reset();
}

}  // namespace lettura

// The serial-number states and their successions.
#include "lots/MatrRegole.h"

#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace AziendaUtil {

namespace {

char Lettera(const std::string& ps) {
  const std::string t = vb::UCase(vb::Trim(ps));
  return t.size() == 1 ? t[0] : '\0';
}

bool GuastoScaricabile(const std::string& psMatrGuastoNoScar) {
  return !vb::UgualeTesto(psMatrGuastoNoScar, "S");
}

// The letters allowed before an operation.
std::string Prima(char op, const std::string& psMatrGuastoNoScar) {
  switch (op) {
    case 'C': return "F";
    case 'S': return GuastoScaricabile(psMatrGuastoNoScar) ? "CIRG" : "CIR";
    case 'G': return "S";
    case 'I': return "CGR";
    case 'F': return "CGIR";
    case 'R': return "S";
    default: return "";
  }
}

// The letters allowed after an operation (the inverse of Prima).
std::string Dopo(char op, const std::string& psMatrGuastoNoScar) {
  switch (op) {
    case 'C': return "SIF";
    case 'S': return "GR";
    case 'G': return GuastoScaricabile(psMatrGuastoNoScar) ? "FIS" : "FI";
    case 'I': return "FS";
    case 'F': return "C";
    case 'R': return "FIS";
    default: return "";
  }
}

}  // namespace

bool VerifMatrTipOpePrec(const std::string& psTipOpe, const std::string& psTipOpePrec,
                         const std::string& psMatrGuastoNoScar) {
  const char op = Lettera(psTipOpe);
  if (vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(psTipOpePrec))) return op == 'C';
  // A stored state is one letter; anything longer is no state of the set.
  const char prec = Lettera(psTipOpePrec);
  if (prec == '\0') return false;
  return Prima(op, psMatrGuastoNoScar).find(prec) != std::string::npos;
}

int16_t VerifMatrTipOpe(const std::string& psTipOpe, const std::string& psTipOpePrec,
                        const std::string& psTipOpeSucc, const std::string& psMatrGuastoNoScar, bool pbVerSucc) {
  if (!VerifMatrTipOpePrec(psTipOpe, psTipOpePrec, psMatrGuastoNoScar)) return 1;
  if (pbVerSucc && !VerifMatrTipOpePrec(psTipOpeSucc, psTipOpe, psMatrGuastoNoScar)) return 2;
  return 0;
}

std::string CalcMatrTipOpeComp(const std::string& psTipOpe, const std::string& psMatrGuastoNoScar,
                               bool& pbSenzaPrec, bool pbSucc) {
  const char op = Lettera(psTipOpe);
  pbSenzaPrec = op == 'C';
  return pbSucc ? Dopo(op, psMatrGuastoNoScar) : Prima(op, psMatrGuastoNoScar);
}

std::string DecodMatrTipOpe(const std::string& psTipOpe, bool pbNessunMov) {
  switch (Lettera(psTipOpe)) {
    case 'C': return "Carico";
    case 'S': return "Scarico";
    case 'G': return "Reso da cliente in riparazione";
    case 'I': return "Movimento interno";
    case 'F': return "Reso a forn. in riparazione";
    case 'R': return "Reso da cliente";
    default: return pbNessunMov ? "Nessun movimento esistente" : "";
  }
}

}  // namespace AziendaUtil

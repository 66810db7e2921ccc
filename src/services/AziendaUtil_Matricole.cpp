// The serial-number operation of a warehouse causal, and the whole-item
// test of the causal lists the settings hold.
#include "common/AziendaUtil.h"
#include "platform/Testo.h"

namespace AziendaUtil {

bool CodiceInElenco(const std::string& psCodice, const std::string& psElenco) {
  const std::string codice = vb::Trim(psCodice);
  if (codice.empty()) return false;
  for (const std::string& voce : vb::Split(psElenco, ","))
    if (vb::UgualeTesto(vb::Trim(voce), codice)) return true;
  return false;
}

std::string CalcMatrTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psProv,
                           const std::string& psSegno, const std::string& psCausaliRientro,
                           const std::string& psCausale, const std::string& psCausaliNoMovCar) {
  auto eq = [](const std::string& a, const char* b) { return vb::UgualeTesto(a, b); };
  if (eq(psTipoMov, "I")) return "I";
  if (eq(psTipoMov, "V")) return "";
  if (eq(psSegno, "+") && eq(psCarScar, "S")) return "S";
  if (eq(psSegno, "-") && eq(psCarScar, "C")) return "F";
  if ((eq(psSegno, "+") && eq(psCarScar, "C")) || (eq(psSegno, "-") && eq(psCarScar, "S"))) {
    if (CodiceInElenco(psCausale, psCausaliRientro)) return "G";
    return eq(psProv, "C") ? "R" : "C";
  }
  if (eq(psCarScar, "N") && CodiceInElenco(psCausale, psCausaliNoMovCar)) return "C";
  return "";
}

}  // namespace AziendaUtil

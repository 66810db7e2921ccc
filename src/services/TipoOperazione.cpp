// The serial-number and lot operations of a warehouse causal, from its
// kind of movement, its load/unload flag and the document's sign.
#include "common/AziendaUtil.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/UtilLotto.h"

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

// One whole item of a "," list: the causal "7" is not in "17,27,". An
// empty causal is in no list.
bool InElenco(const std::string& psCausale, const std::string& psElenco) {
  if (vb::Trim(psCausale).empty()) return false;
  return vb::FunzioniComuni::Istanza().InElenco(psCausale, psElenco, ",", 1);
}

}  // namespace

namespace AziendaUtil {

std::string CalcMatrTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psProv,
                           const std::string& psSegno, const std::string& psCausaliRientro,
                           const std::string& psCausale, const std::string& psCausaliNoMovCar) {
  if (Uguale(psTipoMov, "I")) return "I";
  if (Uguale(psTipoMov, "V")) return "";
  const bool piu = Uguale(psSegno, "+"), meno = Uguale(psSegno, "-");
  const bool car = Uguale(psCarScar, "C"), scar = Uguale(psCarScar, "S");
  if (piu && scar) return "S";
  if (meno && car) return "F";
  if ((piu && car) || (meno && scar)) {
    if (InElenco(psCausale, psCausaliRientro)) return "G";
    return Uguale(psProv, "C") ? "R" : "C";
  }
  if (Uguale(psCarScar, "N") && InElenco(psCausale, psCausaliNoMovCar)) return "C";
  return "";
}

}  // namespace AziendaUtil

namespace UtilLotto {

std::string CalcLottoTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psSegno,
                            const std::string& psCausale, const std::string& psCausaliNoMovCar) {
  if (Uguale(psTipoMov, "I")) return "I";
  if (Uguale(psTipoMov, "V")) return "";
  const bool piu = Uguale(psSegno, "+"), meno = Uguale(psSegno, "-");
  const bool car = Uguale(psCarScar, "C"), scar = Uguale(psCarScar, "S");
  if ((piu && scar) || (meno && car)) return "S";
  if ((piu && car) || (meno && scar)) return "C";
  if (Uguale(psCarScar, "N") && InElenco(psCausale, psCausaliNoMovCar)) return "C";
  return "";
}

}  // namespace UtilLotto

#include "common/FunVarie.h"

#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace FunVarie {

std::string LeggiParIni(const std::string& psSezione, const std::string& psChiave,
                        const std::string& psDefault, std::string& psValore) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  long n = fc.LeggiIni(psSezione, psChiave, vb::Variant(psDefault), psValore, G().gsFileIni,
                       G().gsFileIniDb);
  // The legacy took the length as a 16-bit integer.
  return std::to_string(static_cast<int16_t>(vb::Variant(static_cast<long long>(n)).ToInt()));
}

int ArrotConfronta(const vb::Variant& pvPrimo, const vb::Variant& pvSecondo,
                   std::optional<int> pvEsp) {
  if (pvSecondo.IsNull()) {
    // Text length of the first value: Empty and "" have none, Null neither.
    if (pvPrimo.IsNull() || pvPrimo.IsEmpty()) return pvPrimo.IsNull() ? 1 : 0;
    return vb::Len(pvPrimo.ToString()) == 0 ? 0 : 1;
  }
  const auto& fc = vb::FunzioniComuni::Istanza();
  double a = fc.Arrotonda(pvPrimo, "A", 1, pvEsp);
  double b = fc.Arrotonda(pvSecondo, "A", 1, pvEsp);
  return a < b ? -1 : a == b ? 0 : 1;
}

}  // namespace FunVarie

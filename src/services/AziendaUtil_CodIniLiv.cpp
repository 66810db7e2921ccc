#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Testo.h"

namespace AziendaUtil {

vb::Variant LeggiCodIniLiv(const std::string& psTipoBarCode) {
  Globali& g = G();
  for (size_t i = 1; i < g.gsVetTipoBarCode.size(); ++i) {
    if (!vb::UgualeTesto(psTipoBarCode, g.gsVetTipoBarCode[i])) continue;
    std::string& prefisso = g.gsVetCodIniLiv[i];
    if (prefisso == Globali::kCodIniLivNonLetto) {
      // Read once per run: the scan of every line would otherwise ask the
      // menu server four times.
      const std::string nome = "CodIniLiv" + g.gsVetTipoBarCode[i];
      vb::Variant letto = g.gfLeggiParPers ? g.gfLeggiParPers("BarCode", nome, vb::Variant(""))
                                           : vb::Variant("");
      prefisso = letto.IsNull() ? std::string() : letto.ToString();
    }
    return prefisso;
  }
  return std::string();
}

}  // namespace AziendaUtil

// The warehouse fiscal year of a print date.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "services/Impostazioni.h"

namespace AziendaUtil {

int16_t CalcAnnoEsercizio(const vb::Variant& pdData, int16_t& piAnno, std::string& psMsg) {
  piAnno = 0;
  try {
    // Read at every call: another program may close the year meanwhile.
    const int16_t anno = servizi::ParamDitta("Mag.AnnoCorr").ToInt();
    const vb::Date inizio = servizi::ParamDitta("Mag.DataInizio").ToDate();
    const vb::Date fine = servizi::ParamDitta("Mag.DataFine").ToDate();
    const vb::Date data = pdData.ToDate();
    if (inizio <= data && data <= fine) {
      piAnno = anno;
      psMsg.clear();
      return 0;
    }
    if (data < inizio) {
      if (data < inizio.Add("yyyy", -1)) {
        psMsg = "La data di stampa è precedente all' esercizio";
        return 4;
      }
      piAnno = static_cast<int16_t>(anno - 1);
      return 0;
    }
    if (data > fine.Add("yyyy", 1)) {
      psMsg = "La data di stampa è successiva all' esercizio";
      return 5;
    }
    piAnno = static_cast<int16_t>(anno + 1);
    return 0;
  } catch (...) {
    piAnno = 0;
    return 3;
  }
}

}  // namespace AziendaUtil

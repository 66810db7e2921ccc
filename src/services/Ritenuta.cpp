// The withholding amount (ritenuta d'acconto) of the header and the footer.
#include <cmath>

#include "common/FunVarie.h"
#include "platform/Testo.h"
#include "services/Calcolo.h"
#include "services/ComLock.h"

namespace ComLock {

using calcolo::Arr;
using calcolo::Pulisci;

void DividiPercRit(double pdPerc, double& pdAliquota, double& pdQuota) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const double intera = std::floor(pdPerc);
  // The integer part holds the rate times 100, so the rate is that integer
  // divided by 100: 2050.5 is 20.50 %. Taking the integer part after the
  // division instead would make it 20 % and lose the legal rates with
  // decimals (20.50, 26.50...).
  pdAliquota = Arr(intera / 100, "A", 2);
  // The four decimals as digits, whatever the decimal sign: "0,2000" or
  // "1,0000" when they round up to a whole number (then the share is 100).
  const std::string frazione =
      fc.MascheraNum(Pulisci(pdPerc - intera), 4, {}, false, "0", 0, {}, "0");
  const std::string cifre = vb::Mid(vb::Trim(frazione), 3);
  pdQuota = Arr(fc.ValDouble(vb::Variant(cifre), true) / 100, "A", 2);
  if (pdQuota == 0) pdQuota = 100;
}

double CalcImportoRit(vb::Currency& pcBase, double pdPerc, int16_t piNumDec) {
  double importo;
  if (FunVarie::ArrotConfronta(pdPerc, 100, -8) == -1) {
    importo = pcBase.ToDouble() * pdPerc;
  } else {
    double aliquota = 0, quota = 0;
    DividiPercRit(pdPerc, aliquota, quota);
    pcBase = vb::Currency::FromDouble(Arr(pcBase.ToDouble() * quota / 100, "A", piNumDec));
    importo = pcBase.ToDouble() * aliquota;
  }
  return Pulisci(importo / 100);
}

}  // namespace ComLock

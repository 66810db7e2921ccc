#pragma once
// Number helpers of the pricing services: the legacy variant arithmetic
// (a text amount reads with the decimal comma, Empty is 0, anything else
// raises 13), the division that raises 11 on a zero divisor, and the
// cleaning of a computed Double to the 15 significant digits the legacy
// showed, so that 0.1 x 3 rounds up to 0.30 and not to 0.31, and 1.005
// computed as 1.00499999... still rounds to 1.01.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Numeri.h"
#include "platform/Variant.h"

namespace calcolo {

inline double Num(const vb::Variant& v) { return v.ToDouble(); }

inline double Pulisci(double v) {
  if (!std::isfinite(v) || v == 0) return v;
  double letto;
  if (vb::LeggiDoubleIt(vb::TestoDouble(v, 15), letto)) return letto;
  return v;
}

inline double Dividi(double a, double b) {
  if (b == 0) vb::Solleva(vb::ErrDivisionePerZero);
  return a / b;
}

// FunzioniComuni.Arrotonda with step 1 and exponent -decimals.
inline double Arr(double v, std::string_view modo, int decimali) {
  return vb::FunzioniComuni::Istanza().Arrotonda(vb::Variant(Pulisci(v)), modo, 1, -decimali);
}

}  // namespace calcolo

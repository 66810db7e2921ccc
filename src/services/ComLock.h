#pragma once
// Document locks, the next document number and the withholding amount
// shared by the document programs of the suite.
#include <cstdint>

#include "platform/Currency.h"

namespace ComLock {

// Withholding tax of a base. A percentage below 100 is a plain rate; from
// 100 on it packs the rate x 100 in its integer part and the share of the
// base, in percent x 100, in its first four decimals (2050.5: 20.50 % of
// half the base). In the packed case the base is replaced by its share,
// rounded to piNumDec decimals. The amount is not rounded.
double CalcImportoRit(vb::Currency& pcBase, double pdPerc, int16_t piNumDec);
// Unpacks a percentage: rate (2 decimals) and share of the base in percent
// (100 when no decimals are given).
void DividiPercRit(double pdPerc, double& pdAliquota, double& pdQuota);

}  // namespace ComLock

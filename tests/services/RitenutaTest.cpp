#include <gtest/gtest.h>

#include "common/Globali.h"
#include "services/ComLock.h"

using vb::Currency;

namespace {

struct CasoRitenuta {
  const char* base;
  double perc;
  int16_t dec;
  double atteso;
  const char* baseDopo;
};

TEST(Ritenuta, AmountOfPlainAndPackedPercentages) {
  const CasoRitenuta casi[] = {
      {"1000", 20, 2, 200, "1000"},
      {"1000", 100, 2, 10, "1000"},          // rate 1.00 of the whole base
      {"1000", 2050.5, 2, 102.5, "500"},     // 20.50 % of half the base
      {"333,33", 2000.2, 2, 13.334, "66,67"},
      {"1000", 2050.99996, 2, 205, "1000"},  // the decimals round to "0000": whole base
      {"1234,56", 2000, 2, 246.912, "1234,56"},
      {"1000", 99.99999, 2, 999.9999, "1000"},
      // Compared at eight decimals this is 100: a packed 0.99 % of the whole base.
      {"1000", 99.999999999, 2, 9.9, "1000"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.base << " @ " << c.perc);
    Currency base = Currency::FromText(c.base);
    EXPECT_NEAR(ComLock::CalcImportoRit(base, c.perc, c.dec), c.atteso, 1e-9);
    EXPECT_EQ(base, Currency::FromText(c.baseDopo));
  }
}

struct CasoDividi {
  double perc, aliquota, quota;
};

TEST(Ritenuta, UnpackingThePercentage) {
  // The rate is the integer part divided by 100 (2650 = 26.50 %, a legal
  // rate), not the integer part of the percentage divided by 100.
  const CasoDividi casi[] = {
      {2050.5, 20.5, 50}, {2000, 20, 100}, {2650, 26.5, 100}, {2000.2, 20, 20},
      {100, 1, 100},      {2050.99996, 20.5, 100}, {400.25, 4, 25}, {2000.0001, 20, 0.01},
  };
  for (const auto& c : casi) {
    double aliquota = -1, quota = -1;
    ComLock::DividiPercRit(c.perc, aliquota, quota);
    EXPECT_DOUBLE_EQ(aliquota, c.aliquota) << c.perc;
    EXPECT_DOUBLE_EQ(quota, c.quota) << c.perc;
  }
}

}  // namespace

// The serial-number operation of a warehouse causal, and the whole-item
// test of the causal lists.
#include <gtest/gtest.h>

#include "common/AziendaUtil.h"

namespace {

TEST(CodiceInElenco, ItemsAreComparedWhole) {
  struct Caso {
    const char* codice;
    const char* elenco;
    bool atteso;
  } casi[] = {
      {"7", "17,", false},     {"17", "17,", true},       {"7", "17,7,", true},   {"b", "AB,", false},
      {"ab", "AB,", true},     {"AB", " AB ,CD,", true},  {"CD", "AB,CD", true},  {"", "AB,", false},
      {"", ",", false},        {"AB", "", false},         {" AB ", "AB,", true},  {"A", "AB,BA,", false},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(AziendaUtil::CodiceInElenco(c.codice, c.elenco), c.atteso) << c.codice << " in " << c.elenco;
}

TEST(CalcMatrTipOpe, Table) {
  struct Caso {
    const char *tipoMov, *carScar, *prov, *segno, *rientro, *causale, *noMovCar, *atteso;
  } casi[] = {
      {"I", "S", "M", "+", "", "TRA", "", "I"},          // internal, whatever else
      {"i", "C", "C", "-", "", "TRA", "", "I"},
      {"V", "S", "M", "+", "", "X", "", ""},             // no serials move
      {"", "S", "M", "+", "", "VEN", "", "S"},           // unload
      {"", "s", "m", "+", "", "VEN", "", "S"},
      {"", "C", "F", "-", "", "RF", "", "F"},            // a load with a minus sign
      {"", "C", "F", "+", "", "CAR", "", "C"},           // a load
      {"", "S", "F", "-", "", "RS", "", "C"},
      {"", "C", "C", "+", "", "RES", "", "R"},           // from a customer
      {"", "C", "c", "+", "RES,", "RES", "", "G"},       // a return causal
      {"", "C", "C", "+", "17,", "7", "", "R"},          // "7" is not the item "17"
      {"", "C", "M", "+", "17,7,", "7", "", "G"},
      {"", "N", "M", "+", "", "INV", "INV,", "C"},       // loads serials without stock
      {"", "N", "M", "+", "", "7", "17,", ""},
      {"", "N", "M", "+", "", "INV", "", ""},
      {"", "C", "M", "", "", "CAR", "", ""},             // no sign
      {"", "X", "M", "+", "", "CAR", "CAR,", ""},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(AziendaUtil::CalcMatrTipOpe(c.tipoMov, c.carScar, c.prov, c.segno, c.rientro, c.causale, c.noMovCar),
              c.atteso)
        << c.tipoMov << "|" << c.carScar << "|" << c.prov << "|" << c.segno << "|" << c.causale;
}

}  // namespace

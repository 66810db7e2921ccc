#include <gtest/gtest.h>

#include <map>

#include "common/AziendaUtil.h"
#include "common/Globali.h"

using namespace AziendaUtil;
using vb::Variant;

namespace {

struct CasoCatena {
  const char* catena;
  double inizio;
  int16_t dec;
  double atteso;
  bool errore;
};

TEST(CateneSconto, FoldIntoOnePercentage) {
  const CasoCatena casi[] = {
      {"10+10", 0, -999, 19, false},
      {"50+50", 0, -999, 75, false},
      {"10+5", 0, -999, 14.5, false},
      {"10+5-3", 0, -999, 11.935, false},
      {"10+5-3", 0, 2, 11.94, false},
      {"-5", 0, -999, -5, false},
      {"+10", 0, -999, 10, false},
      {"10", 0, -999, 10, false},
      {"10+", 0, -999, 10, false},       // a trailing sign is ignored
      {"10", 20, -999, 28, false},       // the chain continues an existing discount
      {"10 + 5", 0, -999, 14.5, false},  // blanks between the terms
      {" 10+ 5 ", 0, -999, 14.5, false},
      {"10,5", 0, -999, 10.5, false},    // decimal comma
      {"100", 0, -999, 100, false},
      {"", 0, -999, 0, false},
      {"   ", 12.3456, 2, 12.3456, false},  // start back unrounded
      {"10++5", 7, 2, 7, true},
      {"10+-5", 7, 2, 7, true},
      {"10 - -5", 7, 2, 7, true},
      {"10.5", 7, 2, 7, true},           // the point is no decimal sign here
      {"10?", 7, 2, 7, true},
      {"10*2", 7, 2, 7, true},
      {"#10", 7, 2, 7, true},
      {"[10]", 7, 2, 7, true},
      {"10,5,3", 7, 2, 7, true},         // two commas in one number
      {"1 0+5", 7, 2, 7, true},          // a blank inside a number
      {"10+5 3", 7, 2, 7, true},
      {"10 ,5", 7, 2, 7, true},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string("\"") + c.catena + "\"");
    bool errore = !c.errore;
    EXPECT_DOUBLE_EQ(CalcPercSconto(c.catena, errore, c.inizio, c.dec), c.atteso);
    EXPECT_EQ(errore, c.errore);
    EXPECT_EQ(VerifSconto(c.catena), !c.errore);
  }
}

TEST(CateneSconto, TheCheckAcceptsWhatTheLegacyAccepted) {
  for (const char* ok : {"", "10", "10,5", "10 + 5", "-5", "+10", "10+", "10,", "10+5-3"})
    EXPECT_TRUE(VerifSconto(ok)) << ok;
}

struct CasoUnione {
  std::vector<Variant> voci;
  const char* atteso;
};

TEST(CateneSconto, JoinOfDiscountTexts) {
  const CasoUnione casi[] = {
      {{"10", "", "0", "5"}, "10+5"},
      {{"10", "-3"}, "10-3"},
      {{"+2", "3"}, "+2+3"},
      {{"00", "5"}, "00+5"},  // only the exact text "0" is left out
      {{" 10 ", "   ", "0"}, "10"},
      {{"", "0"}, ""},
      {{Variant(10), Variant(2.5)}, "10+2,5"},
      {{}, ""},
  };
  for (const auto& c : casi) EXPECT_EQ(UnisciSconti(c.voci), c.atteso);
}

class ScontoPagamento : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    G().gfLeggiParPers = [this](const std::string& sezione, const std::string& nome, const Variant& predefinito) {
      auto it = valori_.find(sezione + "|" + nome);
      return it == valori_.end() ? predefinito : Variant(it->second);
    };
  }
  void TearDown() override { AzzeraGlobali(); }
  std::map<std::string, std::string> valori_;
};

struct CasoPag {
  const char* elenco;
  const char* codice;
  bool atteso;
};

TEST_F(ScontoPagamento, ListItemsCompareWhole) {
  const CasoPag casi[] = {
      {"A1,B2", "b2", true},  {"A1,B2", "A", false}, {"A1,B2,", "B2", true},
      {"XA1", "A1", false},   // a longer code holding the code is another code
      {"A1, B2", "B2", true}, {"", "A1", false},     {"A1", "", false},
      {"A1,B2", "A1,B2", false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.elenco) + " / " + c.codice);
    valori_["DDT|ScontoPagInDet"] = c.elenco;
    EXPECT_EQ(VerifScontoPagInDet(c.codice, "DDT"), c.atteso);
  }
  valori_.clear();
  EXPECT_FALSE(VerifScontoPagInDet("A1", "DDT"));  // absent setting: empty list
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"

namespace {

class AziendaUtilCodIniLiv : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    G().gfLeggiParPers = [this](const std::string& sezione, const std::string& nome,
                                const vb::Variant& predefinito) -> vb::Variant {
      letti_.push_back(sezione + "." + nome);
      EXPECT_EQ(predefinito.ToString(), "");
      if (nome == "CodIniLiv13") return "80012";
      if (nome == "CodIniLiv39") return "Z";
      return predefinito;
    };
  }
  void TearDown() override { AzzeraGlobali(); }

  std::vector<std::string> letti_;
};

TEST_F(AziendaUtilCodIniLiv, ReadsEachTypeOnceThenAnswersFromTheTable) {
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("13").ToString(), "80012");
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("13").ToString(), "80012");
  EXPECT_EQ(letti_, std::vector<std::string>{"BarCode.CodIniLiv13"});
  EXPECT_EQ(G().gsVetCodIniLiv[3], "80012");
}

TEST_F(AziendaUtilCodIniLiv, AnEmptySettingIsAlsoReadOnlyOnce) {
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("E8").ToString(), "");
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("e8").ToString(), "");
  EXPECT_EQ(letti_, std::vector<std::string>{"BarCode.CodIniLivE8"});
}

TEST_F(AziendaUtilCodIniLiv, EveryTypeHasItsOwnPrefix) {
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("39").ToString(), "Z");
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("12").ToString(), "");
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("UA").ToString(), "");
  EXPECT_EQ(letti_, (std::vector<std::string>{"BarCode.CodIniLiv39", "BarCode.CodIniLiv12",
                                              "BarCode.CodIniLivUA"}));
}

TEST_F(AziendaUtilCodIniLiv, UnknownTypeGivesEmptyWithoutReading) {
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("99").ToString(), "");
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("").ToString(), "");
  EXPECT_TRUE(letti_.empty());
}

TEST_F(AziendaUtilCodIniLiv, WithoutAReaderEveryPrefixIsEmpty) {
  G().gfLeggiParPers = nullptr;
  EXPECT_EQ(AziendaUtil::LeggiCodIniLiv("13").ToString(), "");
  EXPECT_EQ(G().gsVetCodIniLiv[3], "");
}

TEST_F(AziendaUtilCodIniLiv, ResetMarksEveryPrefixUnread) {
  AziendaUtil::LeggiCodIniLiv("13");
  AzzeraGlobali();
  for (size_t i = 1; i <= 5; ++i) EXPECT_EQ(G().gsVetCodIniLiv[i], Globali::kCodIniLivNonLetto);
  EXPECT_EQ(G().gsVetTipoBarCode[4], "E8");
}

}  // namespace

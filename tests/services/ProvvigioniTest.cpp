#include <gtest/gtest.h>

#include "services/DittaProva.h"

using namespace AziendaUtil;
using vb::Missing;
using vb::Variant;

namespace {

class Provvigioni : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    Sql("Insert into ScontiProvv (APartireDa, PercRidProvv) Values (10, 20)");
    Sql("Insert into ScontiProvv (APartireDa, PercRidProvv) Values (20, 50)");
  }
};

struct CasoProvv {
  const char* sconto;
  double provv;
  double ridTab, ridQta;
  const char* modoQta;
  double atteso;
};

TEST_F(Provvigioni, ReducedCommission) {
  const CasoProvv casi[] = {
      {"", 5, 20, 0, "T", 4},
      {"", 5, 20, 0, "N", 4},
      {"", 5, 20, 10, "0", 3.6},     // 20 then 10: 28 %
      {"", 5, 20, 10, "1", 3.6},
      {"", 5, 99, 10, "3", 4.5},     // the quantity rule replaces the table's
      {"", 5, 99, 10, "2", 4.5},
      {"", 5, 20, -2, "0", 4},       // quantity reduction not determined
      {"", 5, 20, -1, "0", 4},       // quantity table without the column
      {"50", 5, -1, 0, "T", 5},      // -1: unchanged, the table is not read
      {"10+10", 5, 0, 0, "T", 4},    // 19 %: the row from 10 on
      {"20", 5, 0, 0, "T", 2.5},
      {"5", 5, 0, 0, "T", 5},        // below every threshold
      {"10.5", 5, 0, 0, "T", 5},     // refused chain: threshold 0, no row
      {"", 5, 120, 0, "T", 0},       // never a negative commission
      {"", 5, 100, 0, "T", 0},
      {"", 3.333, 10, 0, "T", 3},
      // A table reduction not determined yet is no 2 % surcharge: only the
      // quantity rule's 10 counts.
      {"", 5, -2, 10, "0", 4.5},
      {"10+10", 5, -2, 0, "T", 4},   // not determined, no rule: the table decides
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.sconto << " " << c.provv << " " << c.ridTab << " " << c.ridQta << " "
                                    << c.modoQta);
    EXPECT_DOUBLE_EQ(CalcProvvRidotta(c.sconto, c.provv, 2, c.ridTab, c.ridQta, c.modoQta).ToDouble(), c.atteso);
  }
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Provvigioni, DecimalsFromThePersonalSetting) {
  // "RidPercAgenti" absent: -1, the commission is never reduced.
  EXPECT_DOUBLE_EQ(CalcProvvRidotta("", 5, Missing, 20, 0, "T").ToDouble(), 5);
  ParPers("Tutti", "RidPercAgenti", "1");
  EXPECT_DOUBLE_EQ(CalcProvvRidotta("", 5, Missing, 25, 0, "T").ToDouble(), 3.8);
  EXPECT_DOUBLE_EQ(CalcProvvRidotta("", 5, -1, 25, 0, "T").ToDouble(), 5);
}

TEST_F(Provvigioni, EmptyCommissionAndErrors) {
  Variant r = CalcProvvRidotta("", "", 2, 20, 0, "T");
  EXPECT_TRUE(r.IsString());
  EXPECT_EQ(r.ToString(), "");
  EXPECT_TRUE(CalcProvvRidotta("", Variant(), 2, 20, 0, "T").IsEmpty());
  // An error is shown and the commission comes back unchanged.
  Sql("Drop table ScontiProvv");
  db_->Motore(conn_).AzzeraCatalogo();
  EXPECT_DOUBLE_EQ(CalcProvvRidotta("20", 5, 2, 0, 0, "T").ToDouble(), 5);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
}

}  // namespace

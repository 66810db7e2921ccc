#include <gtest/gtest.h>

#include <functional>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"

using namespace AziendaUtil;
using vb::Variant;

namespace {

class Aritmetica : public ::testing::Test {
 protected:
  void SetUp() override { AzzeraGlobali(); }
  void TearDown() override { AzzeraGlobali(); }
};

long Errore(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Errore& e) {
    return e.Number();
  }
  return 0;
}

struct CasoNetto {
  double prezzo, sconto;
  int16_t dec;
  bool arrot;
  double atteso;
};

TEST_F(Aritmetica, NetPriceAfterTheDiscount) {
  const CasoNetto casi[] = {
      {100, 10, 2, true, 90},        {100, 100, 2, true, 0},       {100, -5, 2, true, 105},
      {19.99, 10, 2, true, 17.99},   {1.15, 10, 2, true, 1.04},    {10, 33.333, 2, false, 6.6667},
      {2.675, 0, 2, true, 2.68},     {1, 1.0 / 3, 0, false, 0.99666667},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.prezzo << " - " << c.sconto << "%");
    EXPECT_DOUBLE_EQ(CalcNetto(c.prezzo, c.sconto, c.dec, c.arrot), c.atteso);
    EXPECT_DOUBLE_EQ(CalcPrzNetto(c.prezzo, c.sconto, c.arrot, c.dec), c.atteso);
  }
}

TEST_F(Aritmetica, NetPriceReadsAmountsAndTexts) {
  EXPECT_DOUBLE_EQ(CalcNetto(vb::Currency::FromText("12,34"), "10", 2, true), 11.11);
  EXPECT_DOUBLE_EQ(CalcNetto("1.234,50", Variant(), 2, true), 1234.5);
  EXPECT_EQ(Errore([] { CalcNetto("abc", 10, 2, true); }), vb::ErrTipoNonCorrisp);
}

TEST_F(Aritmetica, PriceBeforeTheDiscount) {
  EXPECT_DOUBLE_EQ(CalcLordo(90, 10, 2, true), 100);
  EXPECT_DOUBLE_EQ(CalcLordo(7, 100, 2, false), 7);  // no division
  EXPECT_DOUBLE_EQ(CalcLordo(7.005, 100, 2, true), 7.01);
  EXPECT_DOUBLE_EQ(CalcLordo(10, 33, 2, true), 14.93);
  EXPECT_DOUBLE_EQ(CalcLordo(10, 33, 2, false), 14.92537313);
  EXPECT_DOUBLE_EQ(CalcLordoArr(90, 10, true, 2), 100);
}

TEST_F(Aritmetica, LineAmountKeepsTheDecimalsOfTheProduct) {
  EXPECT_DOUBLE_EQ(CalcImporto(10, 3, 10, false, 2), 27);
  // The rounded unit price times the quantity is not rounded again.
  EXPECT_DOUBLE_EQ(CalcImporto(1.335, 3, 0, true, 2), 4.02);
  EXPECT_DOUBLE_EQ(CalcImporto(1.335, 2.5, 0, true, 2), 3.35);
  EXPECT_DOUBLE_EQ(CalcImporto(0.1, 3, 0, false, 2), 0.3);
}

TEST_F(Aritmetica, QuantityFromAnAmountAndPriceFromAnAmount) {
  EXPECT_DOUBLE_EQ(CalcQtaDaImporto(10, 27, 10, false, 2), 3);
  EXPECT_DOUBLE_EQ(CalcQtaDaImporto(3, 10, 0, true, 2), 3.33);
  EXPECT_DOUBLE_EQ(CalcPrzLordo(27, 3, 10, false, 2), 10);
  EXPECT_DOUBLE_EQ(CalcPrzLordo(10, 3, 0, true, 2), 3.33);
  EXPECT_DOUBLE_EQ(CalcPrzLordo(12, 3, 100, false, 2), 4);
  // The callers must not reach these divisions by zero; they raise.
  EXPECT_EQ(Errore([] { CalcQtaDaImporto(10, 27, 100, false, 2); }), vb::ErrDivisionePerZero);
  EXPECT_EQ(Errore([] { CalcPrzLordo(27, 0, 10, false, 2); }), vb::ErrDivisionePerZero);
}

struct CasoIva {
  const char* arrotIva;
  double importo, perc;
  int16_t dec;
  double atteso;
};

TEST_F(Aritmetica, VatOfAnAmount) {
  const CasoIva casi[] = {
      {"A", 100, 22, 2, 22},        {"S", 100, 22, 2, 22},     {"A", 101, 22, 0, 23},
      // By direction, refunds mirror charges: away from zero on both sides.
      {"A", -101, 22, 0, -23},      {"A", 10.01, 22, 2, 2.20}, {"s", 10.01, 22, 2, 2.21},
      {"S", -10.01, 22, 2, -2.21},  {"A", 10.05, 10, 2, 1.01}, {"A", 100, 0, 2, 0},
      {"A", 0.15, 10, 1, 0.1},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.arrotIva << " " << c.importo << " " << c.perc << "% " << c.dec);
    G().gsArrotIvaEuro = c.arrotIva;
    EXPECT_DOUBLE_EQ(CalcImposta(c.importo, c.perc, c.dec), c.atteso);
  }
}

TEST_F(Aritmetica, AddingVat) {
  EXPECT_DOUBLE_EQ(AggiungiIva(100.456, 0, 2, "A"), 100.456);  // rate 0: not even rounded
  EXPECT_DOUBLE_EQ(AggiungiIva(100, 22, 2, "A"), 122);
  EXPECT_DOUBLE_EQ(AggiungiIva(100.456, 22, 2, "A"), 122.56);
  EXPECT_DOUBLE_EQ(AggiungiIva(0.1, 22, 2, "A"), 0.12);
}

struct CasoScorporo {
  const char* arrotIva;
  double lordo, perc;
  int16_t dec;
  double atteso;
};

TEST_F(Aritmetica, RemovingVat) {
  const CasoScorporo casi[] = {
      {"A", 122, 22, 2, 100},
      {"A", 122.456, 0, 2, 122.456},  // rate 0: as it came
      {"A", 122.01, 22, 2, 100.01},
      {"s", 122.01, 22, 2, 100.00},   // directed: truncated at once, no check
      {"A", 1.04, 10, 2, 0.94},       // 0.95 + 0.10 would exceed 1.04
      {"A", 1.08, 22, 2, 0.88},       // 0.89 + 0.20 would exceed 1.08
      {"A", 1220, 22, 0, 1000},
      {"A", 1221, 22, 1, 1000.8},     // one decimal: truncated
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.arrotIva << " " << c.lordo << " " << c.perc << "% " << c.dec);
    G().gsArrotIvaEuro = c.arrotIva;
    EXPECT_DOUBLE_EQ(ScorporaIva(c.lordo, c.perc, c.dec), c.atteso);
  }
  EXPECT_EQ(Errore([] { ScorporaIva(100, -100, 2); }), vb::ErrDivisionePerZero);
}

TEST_F(Aritmetica, RemovingVatFromACreditNoteMirrorsTheInvoice) {
  const CasoScorporo casi[] = {
      {"A", 5.57, 22, 2, 4.56},   // 4.57 + 1.01 would exceed 5.57
      {"A", 1.04, 10, 2, 0.94},
      {"A", 1.08, 22, 2, 0.88},
      {"A", 122.01, 22, 2, 100.01},
      {"A", 122, 22, 2, 100},
      {"A", 0.01, 22, 2, 0.01},
      {"A", 1221, 22, 1, 1000.8},
      {"s", 122.01, 22, 2, 100.00},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.arrotIva << " " << c.lordo << " " << c.perc << "% " << c.dec);
    G().gsArrotIvaEuro = c.arrotIva;
    EXPECT_DOUBLE_EQ(ScorporaIva(c.lordo, c.perc, c.dec), c.atteso);
    EXPECT_DOUBLE_EQ(ScorporaIva(-c.lordo, c.perc, c.dec), -c.atteso);
  }
}

}  // namespace

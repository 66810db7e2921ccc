#include <gtest/gtest.h>

#include <functional>

#include "platform/Errore.h"
#include "services/DittaProva.h"

using namespace AziendaUtil;
using vb::Missing;
using vb::Variant;

namespace {

class Cambi : public prova::DittaProva {};

std::string MessaggioErrore(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Errore& e) {
    return e.Description();
  }
  return "nessun errore";
}

TEST_F(Cambi, LiraAndEuroAtTheCompanyRate) {
  EXPECT_DOUBLE_EQ(ConvInEuro(1936.27, Missing, Missing, "L.", false, Missing, false), 1);
  EXPECT_DOUBLE_EQ(ConvDaEuro(1, Missing, Missing, "L.", false, Missing, false), 1936.27);
  EXPECT_DOUBLE_EQ(ConvInEuro(10000, Missing, Missing, "l.", true, Missing, false), 5.16);
  EXPECT_DOUBLE_EQ(ConvInEuro(10000, Missing, Missing, "L.", true, 3, false), 5.165);
  EXPECT_DOUBLE_EQ(ConvDaEuro(5.16, Missing, Missing, "L.", true, Missing, false), 9991.15);
  G().giNumDecLire = 0;
  EXPECT_DOUBLE_EQ(ConvDaEuro(5.16, Missing, Missing, "L.", true, Missing, false), 9991);
  // The rate passed does not count for the lira: the company rate does.
  EXPECT_DOUBLE_EQ(ConvInEuro(1936.27, 3, "*", "L.", false, Missing, false), 1);
}

TEST_F(Cambi, EuroIsEuroWhateverTheRate) {
  EXPECT_DOUBLE_EQ(ConvInEuro(100, 5, "/", "Euro", false, Missing, false), 100);
  EXPECT_DOUBLE_EQ(ConvDaEuro(100, 5, "*", "EURO", false, Missing, false), 100);
  EXPECT_DOUBLE_EQ(ConvInEuro(100, Missing, Missing, Missing, false, Missing, false), 100);  // company currency
  EXPECT_DOUBLE_EQ(ConvInEuro("12,345", 0, "/", "Euro", true, Missing, false), 12.35);
}

struct CasoEstero {
  double importo;
  Variant cambio;
  const char* oper;
  double inEuro, daEuro;
};

TEST_F(Cambi, ForeignCurrencyAtItsOwnRate) {
  const CasoEstero casi[] = {
      {150, 1.5, "/", 100, 225},
      {150, "1,5", "/", 100, 225},
      {100, 1.5, "*", 150, 66.666666666667},
  };
  for (const auto& c : casi) {
    EXPECT_NEAR(ConvInEuro(c.importo, c.cambio, c.oper, "USD", false, Missing, false), c.inEuro, 1e-9);
    EXPECT_NEAR(ConvDaEuro(c.importo, c.cambio, c.oper, "USD", false, Missing, false), c.daEuro, 1e-9);
  }
  // A missing operator is the company's ("/") going to the euro.
  EXPECT_DOUBLE_EQ(ConvInEuro(150, 1.5, Missing, "USD", false, Missing, false), 100);
}

TEST_F(Cambi, MissingOrZeroRateIsAnErrorNamingTheCurrency) {
  for (const Variant& cambio : {Variant(0), Variant(""), Variant("0,000"), Variant(Missing), Variant()}) {
    for (const char* oper : {"/", "*"}) {
      std::string m = MessaggioErrore([&] { ConvInEuro(100, cambio, oper, "USD", false, Missing, false); });
      EXPECT_NE(m.find("USD"), std::string::npos) << m;
      EXPECT_NE(m.find("mancante o pari a zero"), std::string::npos) << m;
      m = MessaggioErrore([&] { ConvDaEuro(100, cambio, oper, "USD", false, Missing, false); });
      EXPECT_NE(m.find("USD"), std::string::npos) << m;
    }
  }
  G().gsCambioLiraEuro = "0";
  EXPECT_NE(MessaggioErrore([] { LireInEuro(1000, false, true); }).find("L."), std::string::npos);
  // The euro needs no rate at all.
  EXPECT_DOUBLE_EQ(ConvInEuro(100, 0, "*", "Euro", false, Missing, false), 100);
}

TEST_F(Cambi, TheRoundingTableWinsOverTheRoundFlag) {
  Sql("Insert into ArrotEuro (FinoA, ValArrot, TipoArrot) Values (1000000, 0.5, 'A')");
  EXPECT_DOUBLE_EQ(ConvInEuro(10000, Missing, Missing, "L.", true, Missing, false), 5.16);
  EXPECT_DOUBLE_EQ(ConvInEuro(10000, Missing, Missing, "L.", true, Missing, true), 5);
  Sql("Insert into ArrotLire (FinoA, ValArrot, TipoArrot) Values (1000000, 50, 'S')");
  EXPECT_DOUBLE_EQ(ConvDaEuro(5.16, Missing, Missing, "L.", true, Missing, true), 10000);
}

TEST_F(Cambi, ConvLireEuroByDocumentCurrency) {
  double lire = -1, euro = -1, doc = -1;
  // Lira document: the lire are the amount exactly as passed.
  double r = ConvLireEuro(10000.4, 1, "/", "L.", lire, euro, doc, true, true, true, Missing, Missing, Missing,
                          false, false, "E", "E", false);
  EXPECT_DOUBLE_EQ(lire, 10000.4);
  EXPECT_DOUBLE_EQ(euro, 5.16);
  EXPECT_DOUBLE_EQ(doc, 10000.4);
  EXPECT_DOUBLE_EQ(r, 5.16);  // company money is the euro
  // ... and with the flag, lire derived from the rounded euro.
  ConvLireEuro(10000.4, 1, "/", "L.", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
               "E", "E", true);
  EXPECT_DOUBLE_EQ(lire, 9991.15);

  // Euro document.
  r = ConvLireEuro(100, 1, "*", "Euro", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
                   "E", "E", false);
  EXPECT_DOUBLE_EQ(lire, 193627);
  EXPECT_DOUBLE_EQ(euro, 100);
  EXPECT_DOUBLE_EQ(doc, 100);
  G().gsMonetaDitta = "L.";
  r = ConvLireEuro(100, 1, "*", "Euro", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
                   "E", "E", false);
  EXPECT_DOUBLE_EQ(r, 193627);  // company money is the lira
  G().gsMonetaDitta = "Euro";

  // Foreign document: euro by its rate, lire from the unrounded euro.
  ConvLireEuro(100, 1.5, "/", "USD", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
               "E", "E", false);
  EXPECT_DOUBLE_EQ(euro, 66.67);
  EXPECT_DOUBLE_EQ(lire, 129084.67);
  EXPECT_DOUBLE_EQ(doc, 100);
  // Kind "E" and derive set: lire from the rounded euro.
  ConvLireEuro(100, 1.5, "/", "USD", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
               "E", "E", -1);
  EXPECT_DOUBLE_EQ(euro, 66.67);
  EXPECT_DOUBLE_EQ(lire, 129091.12);
  // Only -1 counts as set.
  ConvLireEuro(100, 1.5, "/", "USD", lire, euro, doc, true, true, true, Missing, Missing, Missing, false, false,
               "E", "E", 1);
  EXPECT_DOUBLE_EQ(lire, 129084.67);
  // Other kind with derive set: euro back from the rounded lire.
  ConvLireEuro(100, 1.5, "/", "USD", lire, euro, doc, true, true, true, 0, Missing, Missing, false, false, "X",
               "E", true);
  EXPECT_DOUBLE_EQ(lire, 129085);
  EXPECT_DOUBLE_EQ(euro, 66.67);
}

TEST_F(Cambi, ConvLireEuroOfCompanyMoney) {
  double lire = -1, euro = -1, doc = -1;
  // Side "L": the euro is not rounded even with its flag set.
  double r = ConvLireEuro(10000, 1, "/", "Euro", lire, euro, doc, true, true, true, Missing, Missing, Missing,
                          false, true, "M", "L", true);
  EXPECT_DOUBLE_EQ(lire, 10000);
  EXPECT_NEAR(euro, 5.16456899089486, 1e-12);
  EXPECT_DOUBLE_EQ(doc, 5.16);
  EXPECT_DOUBLE_EQ(r, 5.16);
  // Side "E": euro as given, lire rounded, document amount at its rate.
  r = ConvLireEuro(10, "1,5", "/", "USD", lire, euro, doc, true, true, true, Missing, Missing, Missing, false,
                   false, "M", "E", false);
  EXPECT_DOUBLE_EQ(euro, 10);
  EXPECT_DOUBLE_EQ(lire, 19362.7);
  EXPECT_DOUBLE_EQ(doc, 15);
  EXPECT_DOUBLE_EQ(r, 15);
}

TEST_F(Cambi, ShortcutsLireInEuroAndEuroInLire) {
  EXPECT_DOUBLE_EQ(LireInEuro(1936.27, false, true), 1);
  EXPECT_DOUBLE_EQ(LireInEuro(10000, false, true), 5.16);
  EXPECT_DOUBLE_EQ(LireInEuro(10000, false, true, 4), 5.1646);
  EXPECT_NEAR(LireInEuro(10000, false, false), 5.16456899089486, 1e-12);
  EXPECT_DOUBLE_EQ(EuroInLire(1, false, true), 1936.27);
  EXPECT_DOUBLE_EQ(EuroInLire(5.17, false, true, 0), 10011);
}

TEST_F(Cambi, CurrencyDecimalsAndOperator) {
  Sql("Insert into Monete (Moneta, Descrizione, NumDec, NumDecGest, Operatore, Cee) "
      "Values ('USD', 'Dollaro', 2, 4, '*', 'N')");
  int16_t dec = -1, decGest = -1;
  std::string oper, cee;
  EXPECT_EQ(LeggiMoneta("usd", &decGest, &dec, oper, cee), 2);
  EXPECT_EQ(dec, 2);
  EXPECT_EQ(decGest, 4);
  EXPECT_EQ(oper, "*");
  EXPECT_EQ(cee, "N");
  decGest = -1;
  EXPECT_EQ(LeggiMoneta("USD", &decGest, nullptr, oper, cee), 4);
  EXPECT_EQ(LeggiMoneta("GBP", nullptr, &dec, oper, cee), 2);
  EXPECT_EQ(oper, "/");
  EXPECT_EQ(cee, "N");
}

struct CasoBanda {
  double importo, atteso;
};

TEST_F(Cambi, RoundingBandsOfTheLira) {
  Sql("Insert into ArrotLire (FinoA, ValArrot, TipoArrot) Values (100000, 100, 'A')");
  Sql("Insert into ArrotLire (FinoA, ValArrot, TipoArrot) Values (1000, 10, 'S')");
  Sql("Insert into ArrotLire (FinoA, ValArrot, TipoArrot) Values (1000000000, 1000, 'I')");
  const CasoBanda casi[] = {
      {1000, 1000},        // equal to a bound: that band
      {999.1, 1000},       {1001, 1000},   {1050, 1100},
      {200999, 200000},    {2000000500, 2000000000},  // above the last bound: the last band
      {-5, 0},             // negative: the first band whose bound is not below it, "S" upwards
  };
  for (const auto& c : casi) EXPECT_DOUBLE_EQ(ArrotTabella(c.importo, "L"), c.atteso) << c.importo;
  // Read once per run: rows added later are not seen.
  Sql("Delete from ArrotLire");
  EXPECT_DOUBLE_EQ(ArrotTabella(1050, "l"), 1100);
  AzzeraArrotTabelle();
  EXPECT_DOUBLE_EQ(ArrotTabella(1050.555, "L"), 1050.56);  // empty table: plain rounding
}

TEST_F(Cambi, EmptyOrNessunoTableRoundsToTheDecimals) {
  G().giNumDecEuro = 2;
  G().giNumDecLire = 0;
  EXPECT_DOUBLE_EQ(ArrotTabella(1.005, "E"), 1.01);
  EXPECT_DOUBLE_EQ(ArrotTabella(1000.5, "L"), 1001);
  AzzeraArrotTabelle();
  Sql("Insert into ArrotEuro (FinoA, ValArrot, TipoArrot) Values (10, 1, 'Nessuno')");
  Sql("Insert into ArrotEuro (FinoA, ValArrot, TipoArrot) Values (100, 5, 'S')");
  EXPECT_DOUBLE_EQ(ArrotTabella(50.123, "E"), 50.12);
}

TEST_F(Cambi, AFailedLoadIsTriedAgain) {
  Sql("Insert into ArrotEuro (FinoA, ValArrot, TipoArrot) Values (100, 5, 'S')");
  const std::string conn = G().gsConnAzienda;
  G().gsConnAzienda = "inesistente";
  EXPECT_THROW(ArrotTabella(12, "E"), vb::Errore);
  G().gsConnAzienda = conn;
  EXPECT_DOUBLE_EQ(ArrotTabella(12, "E"), 15);
}

}  // namespace

// The due-date schedule over real payment and customer rows.
#include <string>
#include <vector>

#include "PiedeProva.h"
#include "fiscal/ScadUtil.h"

namespace prova {
namespace {

class Scadenze : public PiedeProva {
 protected:
  struct Esito {
    std::vector<vb::Date> date;
    std::vector<double> importi;
    std::vector<double> spese;
    int16_t numScad = -7;
    int16_t numErr = -7;
    std::string errori = "stale";
    vb::Date decorrenza;
  };

  Esito Calcola(const std::string& pagamento, vb::Date data, double imp, double iva, int16_t modo = 0,
                const char* perc = "0", const char* arrot = "0.01", const std::string& modoArr = "A",
                double min = 0, double max = 0, std::vector<double> spese = {}, const std::string& conto = "0003") {
    Esito e;
    e.date = {vb::Date::FromYmd(1999, 1, 1)};
    e.importi = {123, 456};
    e.spese = std::move(spese);
    ScadUtil::CalcScadenze(data, imp, iva, pagamento, "01", "02", conto, 2, e.date, e.importi, e.numScad, e.numErr,
                           e.errori, modo, C(perc), e.spese, C(arrot), modoArr, min, max, e.decorrenza);
    return e;
  }

  static vb::Date D(int g, int m, int a) { return vb::Date::FromYmd(a, m, g); }
};

TEST_F(Scadenze, ExcludedMonthMovesToAFixedDay) {
  Pagamento("FM4", "RB", 4, {{"Decorrenza", "F"}, {"Periodicita", "M"}, {"NumGGMM", 1}});
  Sql("Update PianoConti Set MeseNoEf1 = 8, GioMesSucc1 = 10");
  auto e = Calcola("FM4", D(20, 5, 2024), 400, 0);
  ASSERT_EQ(e.numErr, 0) << e.errori;
  ASSERT_EQ(e.numScad, 4);
  EXPECT_EQ(e.decorrenza, D(31, 5, 2024));
  const vb::Date attese[] = {D(30, 6, 2024), D(31, 7, 2024), D(10, 9, 2024), D(30, 9, 2024)};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(e.date[i], attese[i - 1]) << i;
  EXPECT_EQ(e.date[0], vb::Date());
}

TEST_F(Scadenze, AmountsAddUpToTheWhole) {
  struct Caso {
    const char* nome;
    int n;
    const char* trattam;
    const char* periodicita;
    std::vector<double> perc;
    double imp, iva;
    std::vector<double> attesi;
  };
  const Caso casi[] = {
      {"three equal, residue last", 3, "", "M", {}, 100, 0, {33.33, 33.33, 33.34}},
      {"VAT spread", 2, "", "M", {}, 100, 22, {61, 61}},
      {"VAT alone first", 3, "U", "M", {}, 100, 22, {22, 50, 50}},
      {"U with one instalment is P", 1, "U", "M", {}, 100, 22, {122}},
      {"U with one quarterly instalment", 1, "U", "T", {}, 100, 22, {122}},
      {"VAT on the first", 2, "P", "M", {}, 100, 22, {72, 50}},
      {"percentages", 3, "", "T", {50, 0, 0}, 300, 0, {150, 100, 50}},
  };
  int k = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::string codice = "P" + std::to_string(++k);
    Campi sopra = {{"TrattamIva", c.trattam}, {"Periodicita", c.periodicita}};
    for (size_t i = 0; i < c.perc.size(); ++i) {
      sopra.emplace_back("Percentuale" + std::to_string(i + 1), c.perc[i]);
      sopra.emplace_back("Periodo" + std::to_string(i + 1), 1);
    }
    Pagamento(codice, "RB", c.n, sopra);
    auto e = Calcola(codice, D(15, 1, 2024), c.imp, c.iva);
    ASSERT_EQ(e.numErr, 0) << e.errori;
    ASSERT_EQ(e.numScad, c.n);
    double somma = 0;
    for (int i = 1; i <= c.n; ++i) {
      EXPECT_NEAR(e.importi[i], c.attesi[i - 1], 1e-9) << i;
      somma += e.importi[i];
    }
    EXPECT_NEAR(somma, c.imp + c.iva, 1e-9);
  }
}

TEST_F(Scadenze, StartDates) {
  struct Caso {
    const char* decorrenza;
    int giornoFisso;
    vb::Date documento;
    vb::Date inizio;
  };
  const Caso casi[] = {
      {"D", 10, D(20, 3, 2024), D(10, 4, 2024)}, {"D", 10, D(5, 3, 2024), D(10, 3, 2024)},
      {"D", 10, D(10, 3, 2024), D(10, 3, 2024)}, {"D", 31, D(15, 4, 2024), D(1, 5, 2024)},
      {"D", 31, D(15, 1, 2024), D(31, 1, 2024)}, {"F", 0, D(15, 2, 2024), D(29, 2, 2024)},
      {"F", 5, D(15, 2, 2024), D(5, 3, 2024)},   {"S", 0, D(31, 1, 2024), D(29, 2, 2024)},
      {"X", 0, D(15, 2, 2024), D(15, 2, 2024)},
  };
  int k = 0;
  for (const auto& c : casi) {
    const std::string codice = "S" + std::to_string(++k);
    SCOPED_TRACE(codice);
    Pagamento(codice, "RB", 1, {{"Decorrenza", c.decorrenza}, {"GiornoFisso", c.giornoFisso}});
    auto e = Calcola(codice, c.documento, 100, 0);
    ASSERT_EQ(e.numErr, 0) << e.errori;
    EXPECT_EQ(e.decorrenza, c.inizio);
  }
  // "D" on the 31st: the next due dates take the last day of February, then keep it.
  Pagamento("D31", "RB", 3, {{"Decorrenza", "D"}, {"GiornoFisso", 31}});
  auto e = Calcola("D31", D(10, 1, 2024), 300, 0);
  EXPECT_EQ(e.date[1], D(29, 2, 2024));
  EXPECT_EQ(e.date[2], D(29, 3, 2024));
}

TEST_F(Scadenze, SingleInstalmentAndEmptyCode) {
  Pagamento("ZERO", "RD", 0, {{"TrattamIva", "U"}});
  Sql("Update PianoConti Set MeseNoEf1 = 5");
  auto e = Calcola("ZERO", D(20, 5, 2024), 100.004, 22);
  ASSERT_EQ(e.numErr, 0) << e.errori;
  ASSERT_EQ(e.numScad, 1);
  EXPECT_EQ(e.date[1], D(20, 5, 2024));  // no month check
  EXPECT_NEAR(e.importi[1], 122, 1e-9);
  e = Calcola("", D(20, 5, 2024), 100, 22);
  EXPECT_EQ(e.numScad, 0);
  EXPECT_EQ(e.numErr, 0);
  EXPECT_EQ(e.errori, "");
  EXPECT_EQ(e.date.size(), 1u);
  EXPECT_EQ(e.importi.size(), 1u);
}

TEST_F(Scadenze, ErrorsAreLoggedAndNothingStaleComesBack) {
  Pagamento("BAD", "RB", 2, {{"Periodicita", "Q"}});
  Pagamento("NEG", "RB", -1);
  Pagamento("M2", "RB", 3, {{"Decorrenza", ""}, {"Periodicita", "M"}, {"NumGGMM", 1}});
  struct Caso {
    const char* nome;
    std::string pagamento, conto;
    const char* testo;
  };
  const Caso casi[] = {
      {"unknown payment", "NOPE", "0003", "Manca il pagamento con codice :NOPE"},
      {"unknown customer", "M2", "9999", "Manca il cliente con codice :01-02-9999"},
      {"unknown periodicity", "BAD", "0003", "Periodicità sconosciuta 'Q' nel pagamento BAD"},
      {"negative count", "NEG", "0003", "Numero di scadenze negativo"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    auto e = Calcola(c.pagamento, D(15, 6, 2024), 100, 0, 0, "0", "0.01", "A", 0, 0, {}, c.conto);
    EXPECT_EQ(e.numErr, 1);
    EXPECT_NE(e.errori.find(c.testo), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find(" in Calcolo scadenze\r\n"), std::string::npos);
    EXPECT_EQ(e.date[0], vb::Date());
    EXPECT_NE(e.importi.size() > 1 ? e.importi[1] : 0, 456);  // the caller's old amounts are gone
  }
  // Two excluded months in a row: the moved date is still excluded.
  Sql("Update PianoConti Set MeseNoEf1 = 7, MeseNoEf2 = 8");
  auto e = Calcola("M2", D(15, 6, 2024), 300, 0);
  EXPECT_EQ(e.numErr, 1);
  EXPECT_NE(e.errori.find("in un mese escluso anche dopo lo spostamento"), std::string::npos) << e.errori;
}

TEST_F(Scadenze, InstalmentExpenses) {
  Pagamento("M2", "RB", 2, {{"Decorrenza", ""}, {"Periodicita", "M"}, {"NumGGMM", 1}});
  // Mode 1: 1 % of each instalment, at least 2, added to its amount.
  auto e = Calcola("M2", D(15, 6, 2024), 100, 0, 1, "1", "0.01", "A", 2, 0);
  ASSERT_EQ(e.numErr, 0) << e.errori;
  ASSERT_EQ(e.spese.size(), 3u);
  EXPECT_NEAR(e.spese[1], 2, 1e-9);
  EXPECT_NEAR(e.spese[2], 2, 1e-9);
  EXPECT_NEAR(e.importi[1], 52, 1e-9);
  EXPECT_NEAR(e.importi[2], 52, 1e-9);
  // Mode 2: expenses given, taken off before the split and given back.
  e = Calcola("M2", D(15, 6, 2024), 102, 0, 2, "0", "0.01", "A", 0, 0, {0, 1, 1});
  ASSERT_EQ(e.numErr, 0) << e.errori;
  EXPECT_NEAR(e.importi[1], 51, 1e-9);
  EXPECT_NEAR(e.importi[2], 51, 1e-9);
  EXPECT_DOUBLE_EQ(ScadUtil::LimitaImporto(2, 0, 1.5), 2);
  EXPECT_DOUBLE_EQ(ScadUtil::LimitaImporto(2, 5, 7), 5);
  EXPECT_DOUBLE_EQ(ScadUtil::LimitaImporto(0, 0, 7), 7);
}

}  // namespace
}  // namespace prova

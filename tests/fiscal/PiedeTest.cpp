// The footer engine over real SQLite documents: worked examples and edges.
#include <string>
#include <vector>

#include "PiedeProva.h"
#include "common/AziendaUtil.h"

namespace prova {
namespace {

class CalcoloPiede : public PiedeProva {};

// ---------------------------------------------------------------- totals

TEST_F(CalcoloPiede, VatAndExemptTotals) {
  struct Caso {
    const char* nome;
    const char* applBollo;  // ApplBolloEse of the exempt code
    const char* merce, *imponibile, *esente, *esenteAppBol, *iva, *fattura;
  };
  const Caso casi[] = {
      {"stamp applicable", "S", "1300", "1000", "300", "300", "220", "1520"},
      {"stamp not applicable", "N", "1300", "1000", "300", "0", "220", "1520"},
  };
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    Sql(std::string("Update TabIva Set ApplBolloEse = '") + c.applBollo + "' Where Iva = 'E10'");
    Testata(n);
    Riga(n, 1, "22", "1000");
    Riga(n, 2, "E10", "300");
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotMerce, C(c.merce));
    EXPECT_EQ(p->odTotImponibile, C(c.imponibile));
    EXPECT_EQ(p->odTotEsente, C(c.esente));
    EXPECT_EQ(p->odTotEsenteAppBol, C(c.esenteAppBol));
    EXPECT_EQ(p->odTotIva, C(c.iva));
    EXPECT_EQ(p->odTotFattura, C(c.fattura));
    EXPECT_EQ(p->odTotPagare, C(c.fattura));
    EXPECT_FALSE(p->obFattEsente);
    EXPECT_EQ(p->odTotBolli, C("0"));  // a DDT header has no Bolli of its own
    EXPECT_EQ(p->ogIve.odImpos("22"), C("220"));
    EXPECT_EQ(p->ogIve.osDescrLunga("22"), "Iva 22%");
  }
}

TEST_F(CalcoloPiede, ExemptInvoiceStampWhenSwitchedOn) {
  struct Caso {
    const char* esente;
    const char* bolli;
    const char* fattura;
  };
  // Threshold 77.47: equal gives no stamp, one cent more the 2.00 stamp.
  const Caso casi[] = {{"300", "2", "1522"}, {"77.47", "0", "1297.47"}, {"77.48", "2", "1299.48"}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.esente);
    ++n;
    Testata(n);
    Riga(n, 1, "22", "1000");
    Riga(n, 2, "E10", c.esente);
    auto p = Piede(n, false, vb::Variant("S"));
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotBolli, C(c.bolli));
    EXPECT_EQ(p->odTotFattura, C(c.fattura));
    EXPECT_TRUE(p->obBolliEsenti);  // the stamp's code E15 is of an exempt kind
    if (C(c.bolli) != C("0")) {
      EXPECT_EQ(p->odTotEsente, C(c.esente) + C(c.bolli));
      ASSERT_TRUE(p->ogIve.obEsiste("E15"));
      EXPECT_TRUE(p->ogIve.ogIva("E15").obIvaBolli);
      EXPECT_EQ(p->ogIve.odImpon("E15"), C(c.bolli));
      EXPECT_EQ(p->ogIve.ogIva("E15").odCPImpon("60020003", true, "", ""), C(c.bolli));
      EXPECT_EQ(p->osContoBol, "0003");
    } else {
      EXPECT_FALSE(p->ogIve.obEsiste("E15"));
    }
  }
  // "N" adds nothing, whatever the amounts.
  auto p = Piede(1, false, vb::Variant("N"));
  EXPECT_EQ(p->odTotBolli, C("0"));
  // A document type with sign "-" takes the stamp away.
  Testata(9, {{"FattDocumento", "RES"}});
  Riga(9, 1, "E10", "300");
  p = Piede(9, false, vb::Variant("S"));
  EXPECT_EQ(p->odTotBolli, C("-2"));
  // "Fat.Onlus": never the exempt-invoice stamp.
  Param("Fat.Onlus", "S");
  p = Piede(1, false, vb::Variant("S"));
  EXPECT_EQ(p->odTotBolli, C("0"));
}

TEST_F(CalcoloPiede, AmountToPay) {
  struct Caso {
    const char* nome;
    bool noImpon;
    const char* pagare;
    const char* cassa;
  };
  // 1,000 at 22 % subject to withholding at 4 %, 100 paid in advance.
  const Caso casi[] = {{"pension fund taxable", false, "1104.40", "20"},
                       {"pension fund not taxable", true, "1060", "20"},
                       {"no pension fund", false, "1080", "0"}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    parPers_.clear();
    if (c.noImpon) ParPers("Tutti", "CassaPrevNoImpon", "S");
    Testata(n, {{"Acconto", C("100")}, {"PercRitAcc", 4.0}});
    Riga(n, 1, "22", "1000", {{"SoggRitAcc", "S"}});
    if (C(c.cassa) != C("0")) {
      if (n == 1) CodiceSpesa("CP", "P", {{"CassaPrev", "S"}, {"Percentuale", 2.0}});
      Spesa(n, 1, "CP", {{"Percentuale", 2.0}});
    }
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odRitAcc, C("40"));
    EXPECT_EQ(p->odTotImpRitAcc, C("1000"));
    EXPECT_EQ(p->ouTotCassaPrev, C(c.cassa));
    EXPECT_EQ(p->odTotPagare, C(c.pagare));
  }
}

TEST_F(CalcoloPiede, WithholdingPercentages) {
  struct Caso {
    double perc;
    const char* base, *baseEff, *ritenuta;
  };
  const Caso casi[] = {{20, "800", "800", "160"},     {400.5, "800", "400", "16"}, {400, "800", "800", "32"},
                       {4, "800", "800", "32"},       {100, "800", "800", "8"},    {400.25, "800", "200", "8"},
                       {0, "0", "0", "0"}};
  Testata(1);
  Riga(1, 1, "22", "800", {{"SoggRitAcc", "S"}});
  Riga(1, 2, "22", "500");  // not subject to withholding
  for (const auto& c : casi) {
    SCOPED_TRACE(c.perc);
    auto p = Piede(1, false, vb::Missing, c.perc);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotImpRitAcc, C(c.base));
    EXPECT_EQ(p->odTotImpRitAccEff, C(c.baseEff));
    EXPECT_EQ(p->odRitAcc, C(c.ritenuta));
  }
}

// ------------------------------------------------------- line buckets

TEST_F(CalcoloPiede, LineBuckets) {
  Testata(1, {{"ScontoPag", " 2 "}});
  Riga(1, 1, "22", "100");                                   // goods, discountable
  Riga(1, 2, "22", "50", {{"FlScontoPag", "N"}});            // goods, not discountable
  Riga(1, 3, "22", "30", {{"Omaggio", "I"}});                // gift, VAT charged
  Riga(1, 4, "22", "20", {{"Omaggio", "S"}});                // gift
  Riga(1, 5, "22", "10", {{"Omaggio", ""}});                 // neither goods nor gift
  Riga(1, 6, "22", "999", {{"TipoRiga", "D"}});              // descriptive: nothing
  Riga(1, 7, "10", "40", {{"GruppoVen", ""}, {"MastroVen", ""}, {"ContoVen", ""}});
  Param("CauCon.GruppoVen", "61");
  Param("CauCon.MastroVen", "01");
  Param("CauCon.ContoVen", "0009");
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  const scIva& v = p->ogIve.ogIva("22");
  EXPECT_EQ(p->osScontoPag, "2");
  EXPECT_EQ(p->odScontoPag, C("2"));
  // The line that is neither goods nor gift still takes the discount.
  EXPECT_EQ(v.odSValPerSco, C("110"));
  EXPECT_EQ(v.odSVal, C("50"));
  EXPECT_EQ(v.odSValOmaggioPerSco, C("30"));
  EXPECT_EQ(v.odSValOmaggioT, C("20"));
  EXPECT_EQ(v.odMerce, C("150"));
  EXPECT_EQ(v.odScoPagam, C("2.2"));
  EXPECT_EQ(v.odScoPagamOmaggio, C("0.6"));
  EXPECT_TRUE(p->obOmaSIvaPres);
  EXPECT_TRUE(p->obOmaTotPres);
  EXPECT_TRUE(p->obApplScontoPag);
  // 50 + 110 - 2.2 + 30 - 0.6 + 20 = 207.20, VAT 45.58
  EXPECT_EQ(v.odImpon, C("207.2"));
  EXPECT_EQ(v.odImpos, C("45.58"));
  EXPECT_EQ(v.odImpOmaggioT, C("20"));
  EXPECT_EQ(v.odIvaOmaggioT, C("4.4"));
  EXPECT_TRUE(p->ogIve.ogIva("10").obCPEsiste("61010009"));
  EXPECT_EQ(p->odTotOmaggi, C("29.4") + C("20") + C("4.4"));
  EXPECT_EQ(p->odTotOmaggiNoIva, C("29.4") + C("20"));
  EXPECT_EQ(p->odTotImpOmaggi, C("29.4"));
  EXPECT_EQ(p->odTotMerce, C("190"));
  // The amount to pay leaves out the gifts.
  EXPECT_EQ(p->odTotPagare, p->odTotFattura - p->odTotOmaggi);
}

TEST_F(CalcoloPiede, PaymentDiscountVariants) {
  struct Caso {
    const char* nome;
    const char* scontoPag;
    const char* suDett;
    const char* sconto;  // discount of the code
  };
  const Caso casi[] = {{"2 % of 100.01", "2", "N", "2"},
                       {"carried on the lines", "2", "S", "0"},
                       {"none", "", "N", "0"},
                       {"chain 10 + 5", "10+5", "N", "14.5"}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    Testata(n, {{"ScontoPag", c.scontoPag}, {"ScoPagSuDett", c.suDett}});
    Riga(n, 1, "22", n == 4 ? "100" : "100.01");
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->ogIve.odScoPagam("22"), C(c.sconto));
    // With the discount already on the lines the line goes to the plain bucket.
    EXPECT_EQ(p->ogIve.odSValPerSco("22") != C("0"), std::string(c.sconto) != "0");
  }
}

TEST_F(CalcoloPiede, VatIncludedPrices) {
  Testata(1, {{"PrezziIvati", "S"}});
  Riga(1, 1, "22", "122");
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->ogIve.odTotImpoImpos("22"), C("122"));
  EXPECT_EQ(p->ogIve.odImpon("22"), C("100"));
  EXPECT_EQ(p->ogIve.odImpos("22"), C("22"));
  EXPECT_FALSE(p->ogIve.ogIva("22").obForzato);
  EXPECT_EQ(p->odTotMerce, C("100"));
  EXPECT_EQ(p->odTotFattura, C("122"));
}

TEST_F(CalcoloPiede, CurrencyDecimals) {
  struct Caso {
    const char* moneta;
    const char* importo;
    const char* imponibile;
  };
  const Caso casi[] = {{"L.", "1000.6", "1001"}, {"JPY3", "10.1235", "10.124"}, {"Euro", "10.125", "10.13"}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.moneta);
    ++n;
    Testata(n, {{"Moneta", c.moneta}});
    Riga(n, 1, "E10", c.importo);
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotEsente, C(c.imponibile));
  }
}

TEST_F(CalcoloPiede, DiscountSteps) {
  Testata(1);
  // 10 x 10 with 10+5, then 5 x 20 with 20: steps of code 22.
  Riga(1, 1, "22", "85.5", {{"Qta", 10.0}, {"ValUnitario", C("10")}, {"ScontoTot", "10+5"}});
  Riga(1, 2, "22", "80", {{"Qta", 5.0}, {"ValUnitario", C("20")}, {"ScontoTot", "20"}});
  Riga(1, 3, "10", "50", {{"Qta", 1.0}, {"ValUnitario", C("50")}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->oiNumSconti, 3);
  EXPECT_NEAR(p->odTotMerceSco(1), 100 + 100 + 50, 1e-9);
  EXPECT_NEAR(p->odTotMerceSco(2), 90 + 80 + 50, 1e-9);
  EXPECT_NEAR(p->odTotMerceSco(3), 85.5 + 80 + 50, 1e-9);
  EXPECT_EQ(p->odTotMerceSco(0), 0);
  EXPECT_EQ(p->odTotMerceSco(4), 0);
}

TEST_F(CalcoloPiede, DiscountStepsAgreeWithTheLineArithmetic) {
  // Odd prices, quantities and chains: each step equals the sum of the
  // shared line arithmetic (CalcImporto, rounded) over the lines.
  const char* catene[] = {"10", "12,5+3", "33,33+7+1,5", "5-2", "0"};
  const char* prezzi[] = {"0.0049", "1.005", "19.9999", "1234.5678", "0.3333"};
  const double qta[] = {1, 3, 0.125, 7.333, 1000};
  for (bool arrUnit : {false, true}) {
    SCOPED_TRACE(arrUnit);
    G().gbArrUnitIntermedio = arrUnit;
    const long n = arrUnit ? 2 : 1;
    Testata(n);
    std::vector<double> attesi(5, 0.0);
    for (int r = 0; r < 25; ++r) {
      const char* catena = catene[r % 5];
      const char* prezzo = prezzi[(r / 5) % 5];
      const double q = qta[(r * 3) % 5];
      Riga(n, r + 1, "22", "1", {{"Qta", q}, {"ValUnitario", C(prezzo)}, {"ScontoTot", catena}});
      std::vector<std::string> termini;
      const long nt = vb::FunzioniComuni::Istanza().Dividi(catena, "+", termini);
      attesi[1] += AziendaUtil::CalcImporto(vb::Variant(C(prezzo)), vb::Variant(q), vb::Variant(0), false, 2);
      std::string parziale;
      for (int i = 2; i <= 4; ++i) {
        double perc = 0;
        if (std::string(catena) != "0") {
          if (i - 1 <= nt) parziale += (parziale.empty() ? "" : "+") + termini[static_cast<size_t>(i - 1)];
          bool errore = false;
          perc = AziendaUtil::CalcPercSconto(parziale, errore, 0, 6);
        }
        double imp = AziendaUtil::CalcImporto(vb::Variant(C(prezzo)), vb::Variant(q), vb::Variant(perc),
                                              std::string(catena) != "0" && arrUnit, 2);
        if (!(std::string(catena) != "0" && arrUnit))
          imp = vb::FunzioniComuni::Istanza().Arrotonda(vb::Variant(imp), "A", 1, -2);
        attesi[static_cast<size_t>(i)] += imp;
      }
    }
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    ASSERT_EQ(p->oiNumSconti, 4);
    for (int16_t i = 1; i <= 4; ++i) EXPECT_NEAR(p->odTotMerceSco(i), attesi[static_cast<size_t>(i)], 1e-6) << i;
  }
}

TEST_F(CalcoloPiede, LevelRows) {
  Param("Mag.GesTaglie", "S");
  Testata(1);
  Riga(1, 1, "22", "80", {{"Qta", 5.0}, {"ValUnitario", C("16")}});
  Inserisci("DdtLiv", {{"Anno", kAnno}, {"NumRif", 1}, {"RigLiv", 1}, {"Livello1", "S"}, {"Livello2", "BLU"},
                       {"Qta", 2.0}, {"ValUnitario", C("10")}, {"ValTotale", C("20")}, {"ScontoTot", ""}});
  Inserisci("DdtLiv", {{"Anno", kAnno}, {"NumRif", 1}, {"RigLiv", 1}, {"Livello1", "M"}, {"Livello2", "BLU"},
                       {"Qta", 3.0}, {"ValUnitario", C("20")}, {"ValTotale", C("60")}, {"ScontoTot", ""}});
  Riga(1, 2, "22", "5", {{"RigLiv", 2}});  // no level rows
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->ogIve.odMerce("22"), C("85"));
  EXPECT_NEAR(p->odTotMerceSco(1), 85, 1e-9);
  // Line and level rows both have a discount chain: a level row's amounts
  // go with its own chain.
  Sql("Update DdtDett Set ScontoTot = '50' Where RigLiv = 1");
  Sql("Update DdtLiv Set ScontoTot = '10'");
  p = Piede(1);
  ASSERT_EQ(p->oiNumSconti, 2);
  EXPECT_NEAR(p->odTotMerceSco(2), 18 + 54 + 5, 1e-9);
  Sql("Update DdtLiv Set ScontoTot = ''");
  // Without the levels flag the line is read alone.
  param_.clear();
  p = Piede(1);
  EXPECT_EQ(p->ogIve.odMerce("22"), C("85"));
  EXPECT_NEAR(p->odTotMerceSco(1), 85, 1e-9);
}

TEST_F(CalcoloPiede, MarginSchemeAndAccrualKeys) {
  Testata(1, {{"FattDocumento", "MAR"}});
  Riga(1, 1, "22", "100", {{"BeneUsato", "7"}});
  Riga(1, 2, "22", "50", {{"CentroDiCosto", "CC1"}, {"CompGiornMens", "G"},
                          {"DataCompDa", vb::Date::FromYmd(2024, 1, 1)}, {"DataCompA", vb::Date::FromYmd(2024, 1, 31)}});
  Riga(1, 3, "22", "20", {{"CentroDiCosto", "CC1"}, {"CompGiornMens", "G"}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  ASSERT_TRUE(p->ogIve.obEsiste("22~§7"));
  EXPECT_EQ(p->ogIve.odAliquota("22~§7"), C("22"));
  EXPECT_EQ(p->ogIve.odMerce("22"), C("70"));
  const scIva& v = p->ogIve.ogIva("22");
  EXPECT_TRUE(v.obCdcCompEsiste("60010001", "CC1", "G01/01/202431/01/2024"));
  EXPECT_TRUE(v.obCdcCompEsiste("60010001", "CC1", ""));
  // The same line in a document that is not margin-scheme stays under 22.
  Testata(2);
  Riga(2, 1, "22", "100", {{"BeneUsato", "7"}});
  p = Piede(2);
  EXPECT_FALSE(p->ogIve.obEsiste("22~§7"));
}

TEST_F(CalcoloPiede, RowsAndAccountsAddUpToTheirCode) {
  // Two rows of 0.03 at 22 %: each row's VAT 0.01, the code's 0.01.
  Testata(1);
  Riga(1, 1, "22", "0.03", {{"CentroDiCosto", "A"}});
  Riga(1, 2, "22", "0.03", {{"CentroDiCosto", "B"}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  const scIva& v = p->ogIve.ogIva("22");
  EXPECT_EQ(v.odImpos, C("0.01"));
  EXPECT_EQ(v.ogControp("60010001").odImpos, C("0.01"));
  EXPECT_EQ(v.ogCdcComp("60010001", "A", "").odImpos, C("0"));
  EXPECT_EQ(v.ogCdcComp("60010001", "B", "").odImpos, C("0.01"));
}

// ------------------------------------------------------------ expenses

TEST_F(CalcoloPiede, ExpenseKinds) {
  struct Caso {
    const char* nome;
    const char* tipo;
    double perc;
    const char* importo, *min, *max;
    const char* merce;
    const char* atteso;
  };
  const Caso casi[] = {
      {"percentage", "P", 10, "0", "0", "0", "1234.56", "123.46"},
      {"percentage over its maximum", "P", 10, "0", "0", "100", "1234.56", "100"},
      {"minimum above the maximum", "P", 10, "0", "150", "100", "1234.56", "150"},
      {"negative limits do not limit", "P", 10, "0", "-5", "-5", "1234.56", "123.46"},
      {"by weight", "S", 0, "0.35", "0", "0", "100", "42"},
      {"fixed below the minimum", "F", 0, "7", "100", "500", "99.99", "0"},
      {"fixed at the minimum", "F", 0, "7", "100", "500", "100", "7"},
      {"fixed at the maximum", "F", 0, "7", "100", "500", "500", "7"},
      {"fixed above the maximum", "F", 0, "7", "100", "500", "500.01", "0"},
      {"only a minimum, at it", "F", 0, "7", "100", "0", "100", "7"},
      {"only a minimum, above it", "F", 0, "7", "100", "0", "100.01", "0"},
      {"only a maximum, below it", "F", 0, "7", "0", "500", "499.99", "0"},
      {"only a maximum, at it", "F", 0, "7", "0", "500", "500", "7"},
      {"no limits", "R", 0, "7", "0", "0", "1", "7"},
      {"lower case kind", "p", 10, "0", "0", "0", "1234.56", "123.46"},
  };
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    const std::string codice = "S" + std::to_string(n);
    CodiceSpesa(codice, c.tipo);
    Testata(n, {{"Peso", 120.0}});
    Riga(n, 1, "22", c.merce);
    Spesa(n, 3, codice,
          {{"Percentuale", c.perc}, {"Importo", C(c.importo)}, {"ImportoMin", C(c.min)}, {"ImportoMax", C(c.max)}});
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotSpese, C(c.atteso));
    EXPECT_EQ(p->ogIve.odSValSpese("22"), C(c.atteso));
    EXPECT_EQ(p->ogIve.ogIva("22").odCPSValSpese("60020001", true, "", ""), C(c.atteso));
    EXPECT_EQ(p->ogIve.ogIva("22").odCPSValSpese("60020001", false, "", ""), C(c.atteso));
    vb::Variant v;
    ASSERT_TRUE(p->ogSpese.LeggiVoce(codice));
    p->ogSpese.AggiungiVoceSpesa(codice, true, v);
    EXPECT_EQ(v.ToCurrency(), C(c.atteso));
    const bool perc = vb::UgualeTesto(c.tipo, "P") || vb::UgualeTesto(c.tipo, "S");
    EXPECT_EQ(p->ogSpesePerc.LeggiVoce("3"), perc);
  }
}

TEST_F(CalcoloPiede, DiscountableExpense) {
  CodiceSpesa("TRA", "F", {{"SoggScontoPagam", "S"}});
  Testata(1, {{"ScontoPag", "2"}, {"ScoPagSuDett", "S"}});
  Riga(1, 1, "22", "500");
  Spesa(1, 1, "TRA", {{"Importo", C("100")}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->ogIve.odSValSpese("22"), C("98"));
  EXPECT_EQ(p->odTotSpese, C("98"));
  Testata(2, {{"ScontoPag", "2"}});
  Riga(2, 1, "22", "500", {{"FlScontoPag", "N"}});
  Spesa(2, 1, "TRA", {{"Importo", C("100")}});
  p = Piede(2);
  EXPECT_EQ(p->ogIve.odSValSpesePerSco("22"), C("100"));
  EXPECT_EQ(p->ogIve.odScoPagamSpese("22"), C("2"));
  EXPECT_EQ(p->ogIve.odImpon("22"), C("598"));
  EXPECT_TRUE(p->obApplScontoPag);
}

TEST_F(CalcoloPiede, ExpenseRowsWithoutLines) {
  CodiceSpesa("TRA", "F");
  Testata(1);
  Spesa(1, 1, "TRA", {{"Importo", C("10")}});
  // The header form's run: the expenses still make a footer.
  auto p = Piede(1, false);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->odTotSpese, C("10"));
  EXPECT_EQ(p->odTotIva, C("2.2"));
  EXPECT_EQ(p->odTotFattura, C("12.2"));
  EXPECT_EQ(p->odTotPagare, C("12.2"));
  // Asked to refuse a document without lines, it says so and stops.
  p = Piede(1, true);
  EXPECT_EQ(p->oiNumErrori, 1);
  EXPECT_EQ(p->osErrori,
            "Errore n°0 : Documento senza dettagli: 1 2024 in  CalcPiedeFat (Lettura Dettagli Normali) \r\n");
  EXPECT_EQ(p->odTotFattura, C("0"));
}

TEST_F(CalcoloPiede, MissingHeaderAndRerun) {
  auto p = Piede(7);
  EXPECT_EQ(p->oiNumErrori, 1);
  EXPECT_EQ(p->osErrori,
            "Errore n°0 : Non è stata trovata la testata del doc. 7 2024 in  CalcPiedeFat (Lettura testata) \r\n");
  EXPECT_EQ(p->ogIve.ocCollIva.Count(), 0);
  // The same object again on a good document starts from a clean log.
  Testata(1);
  Riga(1, 1, "22", "10");
  p->CalcPiedeFat(kAnno, 1);
  EXPECT_EQ(p->oiNumErrori, 0);
  EXPECT_EQ(p->osErrori, "");
  EXPECT_EQ(p->odTotFattura, C("12.2"));
}

TEST_F(CalcoloPiede, UnknownVatCodeEndsTheRun) {
  Testata(1);
  Riga(1, 1, "99", "10");
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 1);
  EXPECT_NE(p->osErrori.find("in  CalcPiedeFat (Lettura Dettagli Normali) "), std::string::npos);
  // A currency without its row: no decimals, the header phase fails.
  Testata(2, {{"Moneta", "XXX"}});
  Riga(2, 1, "22", "10");
  p = Piede(2);
  ASSERT_EQ(p->oiNumErrori, 1);
  EXPECT_NE(p->osErrori.find("(Lettura testata)"), std::string::npos);
}

// --------------------------------------------------------- apportionment

struct CasoRiparto {
  const char* nome;
  std::vector<std::pair<const char*, const char*>> righe;  // VAT code, amount
  const char* spesa;
  std::vector<std::pair<const char*, const char*>> attese;  // VAT code, share
  std::vector<std::pair<const char*, const char*>> incid;   // VAT code, incidence
};

TEST_F(CalcoloPiede, ApportionedExpenses) {
  const CasoRiparto casi[] = {
      {"two equal codes", {{"22", "1000"}, {"10", "1000"}}, "100", {{"22", "50"}, {"10", "50"}},
       {{"22", "50"}, {"10", "50"}}},
      {"three equal codes",
       {{"22", "1000"}, {"10", "1000"}, {"4", "1000"}},
       "100",
       {{"22", "33.33"}, {"10", "33.33"}, {"4", "33.34"}},
       {{"22", "33.333"}, {"10", "33.333"}, {"4", "33.334"}}},
      {"incidences never above 100",
       {{"22", "100"}, {"10", "100"}, {"4", "400"}},
       "100",
       {{"22", "16.67"}, {"10", "16.67"}, {"4", "66.66"}},
       {{"22", "16.667"}, {"10", "16.667"}, {"4", "66.666"}}},
      {"exempt codes beside do not matter",
       {{"22", "1000"}, {"10", "1000"}, {"E10", "2000"}},
       "100",
       {{"22", "50"}, {"10", "50"}, {"E10", "0"}},
       {{"22", "50"}, {"10", "50"}, {"E10", "0"}}},
      {"one code and one exempt", {{"22", "500"}, {"E10", "500"}}, "100", {{"22", "100"}, {"E10", "0"}},
       {{"22", "100"}, {"E10", "0"}}},
      {"wholly exempt: the first code", {{"E10", "500"}, {"ENB", "500"}}, "100.005",
       {{"E10", "100.01"}, {"ENB", "0"}}, {{"E10", "0"}, {"ENB", "0"}}},
  };
  long n = 0;
  CodiceSpesa("RIP", "F", {{"AddebitoIva", "R"}, {"Gruppo", "60"}, {"Mastro", "02"}, {"Conto", "0007"}});
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    Testata(n);
    int r = 0;
    for (const auto& [iva, imp] : c.righe) Riga(n, ++r, iva, imp);
    Spesa(n, 1, "RIP", {{"Importo", C(c.spesa)}});
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_FALSE(p->ogIve.obEsiste(kIvaDaRipartire));
    vb::Currency somma;
    for (const auto& [iva, quota] : c.attese) {
      EXPECT_EQ(p->ogIve.odSpeseRipart(iva), C(quota)) << iva;
      EXPECT_EQ(p->ogIve.odSValSpese(iva), C(quota)) << iva;
      somma += p->ogIve.odSValSpese(iva);
    }
    for (const auto& [iva, inc] : c.incid) EXPECT_EQ(p->ogIve.odIncid(iva), C(inc)) << iva;
    EXPECT_EQ(somma, p->odTotSpese);
    // The expense account lands on the codes too.
    if (std::string(c.nome).find("wholly") == std::string::npos) {
      vb::Currency conti;
      for (const auto& [iva, quota] : c.attese)
        if (p->ogIve.ogIva(iva).obCPEsiste("60020007"))
          conti += p->ogIve.ogIva(iva).odCPSValSpese("60020007", true, "", "");
      EXPECT_EQ(conti, p->odTotSpese);
    }
  }
}

TEST_F(CalcoloPiede, ApportionedExpenseWithVatIncludedPrices) {
  CodiceSpesa("RIP", "F", {{"AddebitoIva", "R"}});
  Testata(1, {{"PrezziIvati", "S"}});
  Riga(1, 1, "22", "122");
  Spesa(1, 1, "RIP", {{"Importo", C("10")}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->ogIve.odSValIvSpese("22"), C("12.2"));
  EXPECT_EQ(p->ogIve.odSpeseRipart("22"), C("10"));
  EXPECT_EQ(p->ogIve.odImpon("22"), C("110"));
  EXPECT_EQ(p->ogIve.odImpos("22"), C("24.2"));
  EXPECT_EQ(p->ogIve.ogIva("22").odCPImpon("60020001", true, "", ""), C("10"));
}

TEST_F(CalcoloPiede, NothingToApportionOver) {
  CodiceSpesa("RIP", "F", {{"AddebitoIva", "R"}});
  struct Caso {
    const char* nome;
    std::vector<std::pair<const char*, const char*>> righe;
  };
  const Caso casi[] = {{"no lines", {}}, {"zero taxable base", {{"22", "100"}, {"22", "-100"}}}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    Testata(n);
    int r = 0;
    for (const auto& [iva, imp] : c.righe) Riga(n, ++r, iva, imp);
    Spesa(n, 1, "RIP", {{"Importo", C("10")}});
    auto p = Piede(n);
    // The run says so, and the expense stays under a key of its own.
    EXPECT_EQ(p->oiNumErrori, 1);
    EXPECT_NE(p->osErrori.find("(Ripartizione IVA spese)"), std::string::npos) << p->osErrori;
    ASSERT_TRUE(p->ogIve.obEsiste(kIvaDaRipartire));
    EXPECT_EQ(p->ogIve.osDescrizione(kIvaDaRipartire), "Da ripartire");
    EXPECT_EQ(p->ogIve.odImpon(kIvaDaRipartire), C("10"));
    EXPECT_EQ(p->odTotSpese, C("10"));
    EXPECT_EQ(p->odTotFattura, C("10"));
  }
}

// ---------------------------------------------------- pension fund

TEST_F(CalcoloPiede, PensionFund) {
  struct Caso {
    const char* nome;
    const char* tipo;
    const char* min, *max;
    const char* merce;
    const char* atteso;
  };
  const Caso casi[] = {
      {"percentage", "P", "0", "0", "1000", "40"},
      {"percentage over its maximum", "P", "0", "30", "1000", "30"},
      {"percentage under its minimum", "P", "50", "0", "1000", "50"},
      {"minimum above the maximum", "P", "120", "100", "1000", "120"},
      {"fixed within both limits", "I", "100", "500", "300", "25"},
      {"fixed below both", "I", "100", "500", "50", "0"},
      {"fixed, only a minimum, below it", "I", "100", "0", "50", "25"},
      {"fixed, only a minimum, above it", "I", "100", "0", "300", "0"},
      {"fixed, only a maximum, above it", "I", "0", "500", "800", "25"},
      {"fixed, only a maximum, below it", "I", "0", "500", "300", "0"},
  };
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ++n;
    const std::string codice = "CP" + std::to_string(n);
    CodiceSpesa(codice, c.tipo, {{"CassaPrev", "S"}, {"Percentuale", 3.0}});
    Testata(n);
    Riga(n, 1, "22", c.merce, {{"SoggRitAcc", "S"}});
    Spesa(n, 2, codice,
          {{"Percentuale", 4.0}, {"Importo", C("25")}, {"ImportoMin", C(c.min)}, {"ImportoMax", C(c.max)}});
    auto p = Piede(n);
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->ouTotCassaPrev, C(c.atteso));
    EXPECT_EQ(p->odTotSpese, C(c.atteso));
    EXPECT_EQ(p->ogIve.odSValSpese("22"), C(c.atteso));
    EXPECT_EQ(p->ouPercCassaPrev, vb::UgualeTesto(c.tipo, "I") ? C("3") : C("4"));
    EXPECT_EQ(p->odRitAcc, C("0"));
    EXPECT_EQ(p->osCassaPrevConto, "0001");
    EXPECT_EQ(p->odTotFattura, C(c.merce) + C(c.atteso) + p->ogIve.odImpos("22"));
  }
}

TEST_F(CalcoloPiede, PensionFundToApportionIsApportioned) {
  CodiceSpesa("CP", "P", {{"CassaPrev", "S"}, {"AddebitoIva", "R"}, {"Conto", "0008"}});
  Testata(1);
  Riga(1, 1, "22", "500", {{"SoggRitAcc", "S"}});
  Riga(1, 2, "10", "500", {{"SoggRitAcc", "S"}});
  Spesa(1, 1, "CP", {{"Percentuale", 4.0}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_FALSE(p->ogIve.obEsiste(kIvaDaRipartire));
  EXPECT_EQ(p->ouTotCassaPrev, C("40"));
  EXPECT_EQ(p->ogIve.odSValSpese("22"), C("20"));
  EXPECT_EQ(p->ogIve.odSValSpese("10"), C("20"));
  EXPECT_EQ(p->odTotIva, C("114.4") + C("52"));
  EXPECT_EQ(p->odTotFattura, C("1040") + p->odTotIva);
}

TEST_F(CalcoloPiede, NestedRunWithNothingToSpreadOver) {
  // No line is subject to withholding, an expense to apportion is: the
  // withholding base is that expense, wherever it sits.
  CodiceSpesa("RIP", "F", {{"AddebitoIva", "R"}});
  Testata(1, {{"PercRitAcc", 20.0}});
  Riga(1, 1, "22", "1000");
  Spesa(1, 1, "RIP", {{"Importo", C("10")}, {"SoggRitAcc", "S"}});
  auto p = Piede(1);
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->odTotImpRitAcc, C("10"));
  EXPECT_EQ(p->odRitAcc, C("2"));
  EXPECT_EQ(p->odTotImponibile, C("1010"));
}

TEST_F(CalcoloPiede, FailingNestedRunIsLoggedOnce) {
  // A used-goods line not subject to withholding gives the outer run its
  // key; an expense that is subject names that key as its VAT code, which
  // the nested run, without the line, cannot find in TabIva.
  CodiceSpesa("MAR", "F");
  CodiceSpesa("CP1", "P", {{"CassaPrev", "S"}});
  CodiceSpesa("CP2", "P", {{"CassaPrev", "S"}});
  Testata(1, {{"FattDocumento", "MAR"}});
  Riga(1, 1, "22", "1000", {{"BeneUsato", "7"}});
  Spesa(1, 1, "MAR", {{"Iva", "22~§7"}, {"Importo", C("10")}, {"SoggRitAcc", "S"}});
  Spesa(1, 2, "CP1", {{"Percentuale", 4.0}});
  Spesa(1, 3, "CP2", {{"Percentuale", 2.0}});
  auto p = Piede(1);
  EXPECT_EQ(p->oiNumErrori, 2) << p->osErrori;
  const std::string riga =
      "Errore n°0 : Totali ritenuta d'acconto non aggiornati in  CalcPiedeFat (Calcola ritenuta d'acconto) \r\n";
  ASSERT_NE(p->osErrori.find(riga), std::string::npos) << p->osErrori;
  EXPECT_EQ(p->osErrori.find(riga), p->osErrori.rfind(riga));  // one nested run for both rows
  EXPECT_EQ(p->osErrori.find("(Lettura Spese)"), p->osErrori.rfind("(Lettura Spese)"));
  EXPECT_LT(p->osErrori.find("(Lettura Spese)"), p->osErrori.find(riga));
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(p->odRitAcc, C("0"));
  EXPECT_EQ(p->ouTotCassaPrev, C("0"));
  // The rest of the footer is there all the same.
  EXPECT_EQ(p->odTotSpese, C("10"));
  EXPECT_EQ(p->odTotFattura, C("1232.2"));
  // Called on its own after a run, the routine logs the same way.
  const int16_t prima = p->oiNumErrori;
  p->CalcRitAcc(4, 2);
  EXPECT_EQ(p->oiNumErrori, prima + 2);
  EXPECT_TRUE(messaggi_.empty());
}

// ------------------------------------------------------------ stamps

TEST_F(CalcoloPiede, BankReceiptStamps) {
  struct Caso {
    const char* pagamento;
    const char* importo;  // exempt line: the net amount
    const char* bolli;
  };
  // Limits 100, 500, 1000, 0, 0 and stamps 1 to 5.
  const Caso casi[] = {{"RB2", "900", "4"}, {"RB1", "5000", "5"}, {"RB1", "50", "1"}, {"RD", "900", "0"}};
  long n = 0;
  Sql("Update TaBolli Set MaxNoBollo = 99999");  // no exempt-invoice stamp here
  for (const auto& c : casi) {
    SCOPED_TRACE(c.pagamento + std::string(" ") + c.importo);
    ++n;
    Testata(n, {{"Pagamento", c.pagamento}});
    Riga(n, 1, "ENB", c.importo);
    auto p = Piede(n, false, vb::Variant("S"));
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotBolli, C(c.bolli));
    EXPECT_EQ(p->odTotFattura, C(c.importo) + C(c.bolli));
    EXPECT_EQ(p->oiSpeseScadNum(), 0);
  }
}

TEST_F(CalcoloPiede, BillStamps) {
  Sql("Update TaBolli Set MaxNoBollo = 99999, PercBolloTratte = 1.2");
  struct Caso {
    const char* importo;
    const char* pagamento;
    const char* bolli;
  };
  // 1.2 per mille rounded up to 0.10, never below the second bracket (2).
  const Caso casi[] = {{"5000", "TR1", "6"}, {"5050", "TR1", "6.1"}, {"900", "TR1", "2"}, {"6000", "TR3", "7.2"}};
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.importo);
    ++n;
    Testata(n, {{"Pagamento", c.pagamento}});
    Riga(n, 1, "ENB", c.importo);
    auto p = Piede(n, false, vb::Variant("S"));
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotBolli, C(c.bolli));
  }
}

TEST_F(CalcoloPiede, PerInstalmentStampExpense) {
  // Bills in three instalments, each charged 1 % of its amount, at least 1.
  Pagamento("TRM3", "TR", 3, {{"Decorrenza", "F"}, {"Periodicita", "M"}, {"NumGGMM", 1}});
  CodiceSpesa("BOL", "T", {{"Iva", "FC"}, {"Gruppo", "60"}, {"Mastro", "02"}, {"Conto", "0004"},
                            {"ImportoLire", C("0.01")}, {"SoggScontoPagam", "N"}, {"ImportoMin", C("1")}});
  Sql("Delete From TaBolli");  // the stamp comes from the expense alone
  Testata(1, {{"Pagamento", "TRM3"}});
  Riga(1, 1, "ENB", "300");
  Spesa(1, 1, "BOL", {{"Iva", "FC"}, {"Percentuale", 1.0}});
  auto p = Piede(1, false, vb::Variant("S"));
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->oiSpeseScadNum(), 3);
  EXPECT_DOUBLE_EQ(p->odSpeseScad(1), 1);
  EXPECT_DOUBLE_EQ(p->odSpeseScad(2), 1);
  EXPECT_DOUBLE_EQ(p->odSpeseScad(3), 1);
  EXPECT_DOUBLE_EQ(p->odTotBolliScad, 3);
  EXPECT_EQ(p->odTotBolli, C("3"));
  // The stamp's VAT data come from its own code, FC ("1", not exempt).
  ASSERT_TRUE(p->ogIve.obEsiste("FC"));
  EXPECT_EQ(p->ogIve.osDescrLunga("FC"), "Fuori campo");
  EXPECT_FALSE(p->obBolliEsenti);
  EXPECT_EQ(p->odTotEsente, C("300"));
  EXPECT_EQ(p->odTotFattura, C("303"));
  EXPECT_EQ(p->osContoBol, "0004");
  EXPECT_THROW(p->odSpeseScad(4), vb::Errore);
  // With bank receipts the expense row does nothing.
  Testata(2, {{"Pagamento", "RB1"}});
  Riga(2, 1, "ENB", "50");
  Spesa(2, 1, "BOL", {{"Iva", "FC"}, {"Percentuale", 1.0}});
  p = Piede(2, false, vb::Variant("S"));
  EXPECT_EQ(p->odTotBolli, C("0"));
}

TEST_F(CalcoloPiede, PerInstalmentStampRoundingModes) {
  // 1 % of 100.04 rounded to the cent: the code's rounding letter, or to
  // the nearest for a letter that is no rounding mode.
  struct Caso {
    const char* modo;
    const char* bollo;
  };
  const Caso casi[] = {{"N", "1"}, {"", "1"}, {"A", "1"}, {"S", "1.01"}, {"I", "1"}, {"T", "1"}};
  Pagamento("TRM1", "TR", 1);
  Sql("Update TaBolli Set MaxNoBollo = 99999");
  long n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.modo);
    ++n;
    const std::string codice = "B" + std::to_string(n);
    CodiceSpesa(codice, "T", {{"Iva", "E15"}, {"ImportoLire", C("0.01")}, {"SoggScontoPagam", c.modo}});
    Testata(n, {{"Pagamento", "TRM1"}});
    Riga(n, 1, "ENB", "100.04");
    Spesa(n, 1, codice, {{"Iva", "E15"}, {"Percentuale", 1.0}});
    auto p = Piede(n, false, vb::Variant("S"));
    ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
    EXPECT_EQ(p->odTotBolli, C(c.bollo));
    EXPECT_EQ(p->oiSpeseScadNum(), C(c.bollo) == C("0") ? 0 : 1);
  }
}

TEST_F(CalcoloPiede, ScheduleErrorsReachTheLog) {
  Pagamento("TRM3", "TR", 3);
  CodiceSpesa("BOL", "T", {{"Iva", "FC"}, {"ImportoLire", C("0.01")}});
  Testata(1, {{"Pagamento", "TRM3"}, {"ContoCli", "9999"}});  // a customer with no account row
  Riga(1, 1, "ENB", "300");
  Spesa(1, 1, "BOL", {{"Iva", "FC"}, {"Percentuale", 1.0}});
  auto p = Piede(1, false, vb::Variant("S"));
  EXPECT_EQ(p->oiNumErrori, 2) << p->osErrori;
  EXPECT_NE(p->osErrori.find("Manca il cliente con codice :01-02-9999 in Calcolo scadenze"), std::string::npos);
  EXPECT_NE(p->osErrori.find("Bolli sulle scadenze non calcolati"), std::string::npos);
  EXPECT_EQ(p->odTotBolli, C("0"));
}

TEST_F(CalcoloPiede, ThirdCurrencyHasNoStampTable) {
  Testata(1, {{"Moneta", "USD"}, {"Pagamento", "RB1"}});
  Riga(1, 1, "E10", "300");
  auto p = Piede(1, false, vb::Variant("S"));
  ASSERT_EQ(p->oiNumErrori, 0) << p->osErrori;
  EXPECT_EQ(p->odTotBolli, C("0"));
  EXPECT_TRUE(p->obBolliEsenti);
  // Lire read the lire columns: threshold 150,000, stamp 4,000.
  Testata(2, {{"Moneta", "L."}});
  Riga(2, 1, "E10", "150001");
  p = Piede(2, false, vb::Variant("S"));
  EXPECT_EQ(p->odTotBolli, C("4000"));
}

// ------------------------------------------- the tables the caller names

TEST_F(CalcoloPiede, WorkingCopiesAndInvoices) {
  Testata(1);
  Riga(1, 1, "22", "100");
  Riga(1, 1, "22", "250", {}, "DdtDettApp");
  scCalcPiedeFat p;
  p.osTabTesta = "DdtTest";
  p.osTabDett = "DdtDettApp";
  p.osTabLiv = "DdtLivApp";
  p.osTabSpese = "DdtSpese";
  p.CalcPiedeFat(kAnno, 1);
  ASSERT_EQ(p.oiNumErrori, 0) << p.osErrori;
  EXPECT_EQ(p.odTotMerce, C("250"));
  // An invoice reads its rounding allowance and its stamp switch.
  Testata(5, {{"Abbuono", C("0.20")}, {"Bolli", "S"}}, "FatTest");
  Riga(5, 1, "E10", "100", {}, "FatDett");
  scCalcPiedeFat f;
  f.osTabTesta = "FatTest";
  f.osTabDett = "FatDett";
  f.osTabLiv = "FatLiv";
  f.osTabSpese = "FatSpese";
  f.CalcPiedeFat(kAnno, 5);
  ASSERT_EQ(f.oiNumErrori, 0) << f.osErrori;
  EXPECT_EQ(f.odAbbuono, C("0.2"));
  EXPECT_EQ(f.odTotBolli, C("2"));
  EXPECT_EQ(f.odTotPagare, C("101.8"));
  // A purchase order names a supplier: the header is read by its columns.
  Inserisci("OrdAcqTes", {{"Anno", kAnno}, {"NumRif", 8}, {"DataRif", vb::Date::FromYmd(kAnno, 5, 2)},
                          {"FattDocumento", "DDT"}, {"GruppoFor", "01"}, {"MastroFor", "02"}, {"ContoFor", "0003"},
                          {"Moneta", "Euro"}, {"Pagamento", "RD"}, {"PrezziIvati", "N"}, {"Acconto", C("5")}});
  Riga(8, 1, "10", "100", {}, "OrdVenDett");
  scCalcPiedeFat a;
  a.osTabTesta = "OrdAcqTes";
  a.osTabDett = "OrdVenDett";
  a.osTabLiv = "";
  a.osTabSpese = "";
  a.osTipoGest = "A";
  a.CalcPiedeFat(kAnno, 8);
  ASSERT_EQ(a.oiNumErrori, 0) << a.osErrori;
  EXPECT_EQ(a.odTotFattura, C("110"));
  EXPECT_EQ(a.odTotPagare, C("105"));
  // A DDT has no rounding allowance.
  auto d = Piede(1);
  EXPECT_EQ(d->odAbbuono, C("0"));
}

}  // namespace
}  // namespace prova

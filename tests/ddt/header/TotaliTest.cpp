// The totals strip of the header on the demo company: the footer engine's
// totals shown in the DDT currency, the withholding-only refresh, engine
// errors, the total in the company currency and the withholding amount.
#include <string>

#include "ddt/header/GanciProva.h"
#include "platform/FunzioniComuni.h"

namespace {

namespace demo = dati::demo;
using Totali = prova::GanciProva;

double Num(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s)); }

TEST_F(Totali, TheFooterOfTheStoredRowsIsShownWithTheCurrencyDecimals) {
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (int n : {130, 140, 150, 160, 170}) f.lab(n).SetCaption("");
  messaggi_.clear();
  ASSERT_TRUE(f.AggPiede(false));
  EXPECT_TRUE(messaggi_.empty());
  const auto& t = demo::kTotaliDdtModificabile;
  EXPECT_EQ(f.lab(170).Caption(), "520,34");
  EXPECT_DOUBLE_EQ(Num(f.lab(140).Caption()), t.merce);
  EXPECT_DOUBLE_EQ(Num(f.lab(130).Caption()), t.spese);
  EXPECT_DOUBLE_EQ(Num(f.lab(150).Caption()), t.imponibile);
  EXPECT_DOUBLE_EQ(Num(f.lab(160).Caption()), t.iva);

  // A line changed in the table: the strip follows the table, not the window.
  Sql("Update DdtDett Set ValTotale = ValTotale + 100, ValEuro = ValEuro + 100 Where Anno = 2026 And NumRif = 3 "
      "And RigLiv = 1");
  ASSERT_TRUE(f.AggPiede(false));
  EXPECT_DOUBLE_EQ(Num(f.lab(140).Caption()), t.merce + 100);
  EXPECT_DOUBLE_EQ(Num(f.lab(170).Caption()), t.documento + 104);
}

TEST_F(Totali, ADdtWithoutLinesIsNoError) {
  Sql("Delete from DdtDett Where Anno = 2026 And NumRif = 3");
  Sql("Delete from DdtRintraccia Where Anno = 2026 And NumReg = 3");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  messaggi_.clear();
  ASSERT_TRUE(f.AggPiede(false));
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(f.lab(140).Caption(), "");
  EXPECT_DOUBLE_EQ(Num(f.lab(130).Caption()), demo::kTotaliDdtModificabile.spese);
}

TEST_F(Totali, TheWithholdingOnlyRefreshLeavesTheOtherTotals) {
  Sql("Update DdtDett Set SoggRitAcc = 'S' Where Anno = 2026 And NumRif = 3");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (int n : {130, 140, 150, 160, 170, 180}) f.lab(n).SetCaption("1");
  f.txt(275).SetText("20");
  f.txt(278).SetText("");
  ASSERT_TRUE(f.AggPiede(true));
  for (int n : {130, 140, 150, 160, 170, 180}) EXPECT_EQ(f.lab(n).Caption(), "1") << n;
  // The typed percentage, not the stored one (0), on a base of the lines.
  EXPECT_GT(Num(f.txt(278).Text()), 0);
  EXPECT_NE(f.lab(278).Caption(), "");
}

TEST_F(Totali, EngineErrorsLeaveTheStripAsItWasAndSaySo) {
  Sql("Update DdtDett Set Iva = 'ZZ' Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string prima = f.lab(170).Caption();
  messaggi_.clear();
  EXPECT_FALSE(f.AggPiede(false));
  ASSERT_EQ(messaggi_.size(), 1u);
  const std::string& m = messaggi_[0];
  ASSERT_GE(m.size(), std::string("Totali non aggiornati").size());
  EXPECT_EQ(m.substr(m.size() - 21), "Totali non aggiornati");
  EXPECT_GT(m.size(), 21u);  // the engine's lines come first
  EXPECT_EQ(f.lab(170).Caption(), prima);
}

TEST_F(Totali, TheTotalInTheCompanyCurrencyOnlyForAnotherCurrency) {
  struct Caso {
    const char* moneta;
    const char* cambio;
    bool visibile;
    const char* atteso;  // lab(180) when shown
  };
  // Operator "*" of the dollar: euro = dollars x rate.
  const Caso casi[] = {{"Euro", "1", false, ""}, {"EURO", "1", false, ""}, {"USD", "2", true, "1.040,68"}};
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.moneta);
    f.txt(400).SetText(c.moneta);
    f.txt(410).SetText(c.cambio);
    f.msMonOper = "*";
    f.lab(170).SetCaption("520,34");
    f.MostraTotMon();
    EXPECT_EQ(f.lab(180).Visible(), c.visibile);
    EXPECT_EQ(f.label1(180).Visible(), c.visibile);
    if (c.visibile) {
      EXPECT_EQ(f.lab(180).Caption(), c.atteso);
    }
  }
}

TEST_F(Totali, TheWithholdingAmountFromPercentageAndBase) {
  struct Caso {
    const char* perc;
    const char* base;
    const char* atteso;
  };
  const Caso casi[] = {
      {"", "100", ""},                // no percentage
      {"0,000000001", "100", ""},     // zero at eight decimals
      {"20", "100", "20,00"},         // a plain rate
      {"20", "0,01", ""},             // rounds to 0
      {"2050,5", "100", "10,25"},     // 20.50 % of half the base
      {"20", "", ""},                 // no base
  };
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.perc) + " / " + c.base);
    f.txt(275).SetText(c.perc);
    f.txt(278).SetText(c.base);
    f.lab(278).SetCaption("x");
    f.MostraRitAcc();
    EXPECT_EQ(f.lab(278).Caption(), c.atteso);
    // The base is not touched.
    EXPECT_EQ(f.txt(278).Text(), c.base);
  }
}

}  // namespace

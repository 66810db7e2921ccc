// Price list, currency, exchange rate and payment condition of the header,
// on the demo company: what each decode brings into a new DDT and into a
// stored one.
#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "platform/FunzioniComuni.h"

namespace {

namespace demo = dati::demo;

class Moneta : public prova::TestataProva {
 protected:
  static std::string Pannello(frmDdtTest& f) { return f.C("staMessaggi").Elem("Messaggio").Caption; }
  static bool Rosso(frmDdtTest& f, int campo) { return f.txt(campo).BackColor() == G().glColoreErrore; }
  static double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }

  // The currency typed into field 400 and decoded as its field exit does.
  static void Valuta(frmDdtTest& f, const std::string& codice) {
    f.txt(400).SetText(codice);
    f.MostraMoneta(true, true, false, true);
  }
};

// ---------------------------------------------------------------- currency

// Decimals, masks and rate follow the currency whenever its field is not
// in the error colour, whatever background the company gives its fields
// (the look-up library paints a valid code with it): a focus colour or a
// plain white is a valid field as well.
TEST_F(Moneta, AnyColourButTheErrorOneTakesTheCurrencysDecimals) {
  const long colori[] = {G().glColoreSfondo, 0xC0FFFFL, 0xFFFFFFL};
  for (long colore : colori) {
    SCOPED_TRACE(colore);
    G().glColoreSfondo = colore;
    ApriAiuti();
    frmDdtTest& f = Nuovo();
    f.miNumDecMon = 7;
    f.miNumDecMonGes = 7;
    f.msMonOper = "?";
    f.msMascImpMon.clear();
    f.txt(410).SetText("");
    f.txt(400).SetText(demo::kDollaro);
    f.MostraMoneta(true, true, false, false);
    ASSERT_NE(f.txt(400).BackColor(), G().glColoreErrore);
    EXPECT_EQ(f.miNumDecMon, 2);
    EXPECT_EQ(f.miNumDecMonGes, 3);
    EXPECT_EQ(f.msMonOper, "*");
    EXPECT_FALSE(f.msMascImpMon.empty());
    EXPECT_DOUBLE_EQ(Numero(f.txt(410).Text()), demo::kCambioDollaroDicembre);
    EXPECT_TRUE(f.txt(410).Enabled());
  }
}

TEST_F(Moneta, TheMasksFollowTheDecimalsOnBothIntegerPatterns) {
  const vb::FunzioniComuni& fc = vb::FunzioniComuni::Istanza();
  struct Caso {
    const char* moneta;
    int dec, decGes;
  };
  const Caso casi[] = {{demo::kEuro, demo::kDecimaliEuro, demo::kDecimaliGestEuro},
                       {demo::kLira, demo::kDecimaliLira, 0},
                       {demo::kDollaro, 2, 3}};
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.moneta);
    Valuta(f, c.moneta);
    EXPECT_EQ(f.miNumDecMon, c.dec);
    EXPECT_EQ(f.miNumDecMonGes, c.decGes);
    EXPECT_EQ(f.msMascImpMonPers, fc.MascheraNum(0, c.dec, {}, true, "#,###", 0, "", "^"));
    EXPECT_EQ(f.msMascImpMon, fc.MascheraNum(0, c.dec, "0", true, "#,##0", 0, "", "^"));
    EXPECT_EQ(f.msMascPrzMonPers, fc.MascheraNum(0, c.decGes, {}, true, "#,###", 0, "", "^"));
    EXPECT_EQ(f.msMascPrzMon, fc.MascheraNum(0, c.decGes, "0", true, "#,##0", 0, "", "^"));
    EXPECT_EQ(f.msMascImpMon.rfind("#,##0", 0), 0u);
    EXPECT_EQ(f.msMascImpMonPers.rfind("#,###", 0), 0u);
  }
}

TEST_F(Moneta, AUnionCurrencyLocksTheRateAndAnotherOpensItAgain) {
  frmDdtTest& f = Nuovo();
  const char* giro[] = {demo::kEuro, demo::kDollaro, demo::kLira, demo::kDollaro};
  for (const char* m : giro) {
    SCOPED_TRACE(m);
    Valuta(f, m);
    const bool aperto = std::string(m) == demo::kDollaro;
    EXPECT_EQ(f.txt(410).Enabled(), aperto);
    EXPECT_EQ(f.C("ComHlp", 410).Enabled(), aperto);
  }
}

TEST_F(Moneta, ACurrencyInErrorKeepsThePreviousDecimals) {
  frmDdtTest& f = Nuovo();
  Valuta(f, demo::kLira);
  ASSERT_EQ(f.miNumDecMon, 0);
  const std::string masc = f.msMascImpMon;
  // A dollar DDT on a euro list: red, and nothing of the dollar is taken.
  f.msMonetaListino = demo::kEuro;
  Valuta(f, demo::kDollaro);
  EXPECT_TRUE(Rosso(f, 400));
  EXPECT_EQ(f.miNumDecMon, 0);
  EXPECT_EQ(f.msMascImpMon, masc);
  EXPECT_EQ(f.lab(400).Caption(), "Dollaro USA");
}

TEST_F(Moneta, WithoutChangesOrWhileIdleOnlyTheDescriptionIsShown) {
  frmDdtTest& f = Nuovo();
  f.miNumDecMon = 7;
  f.txt(400).SetText(demo::kLira);
  f.MostraMoneta(false, true, false, false);
  EXPECT_EQ(f.lab(400).Caption(), "Lire italiane");
  EXPECT_EQ(f.miNumDecMon, 7);
}

TEST_F(Moneta, TheRateIsReadAtTheDdtDateOrAtTheWorkingDate) {
  struct Caso {
    const char* data;
    bool rossa, oggi;
    double cambio;
    const char* dataCambio;
  };
  const Caso casi[] = {
      {"15/06/2026", false, false, demo::kCambioDollaroGiugno, "01/06/2026"},
      {"15/06/2026", false, true, demo::kCambioDollaroDicembre, demo::kDataCambioDollaroDicembre},
      {"15/06/2026", true, false, demo::kCambioDollaroDicembre, demo::kDataCambioDollaroDicembre},
      {"", false, false, demo::kCambioDollaroDicembre, demo::kDataCambioDollaroDicembre},
      // Before the first rate of the dollar: none.
      {"01/01/2026", false, false, 0, ""},
  };
  frmDdtTest& f = Nuovo();
  f.txt(400).SetText(demo::kDollaro);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.data) + (c.rossa ? " rossa" : "") + (c.oggi ? " oggi" : ""));
    f.txt(410).SetText("9,99");
    f.lab(410).SetCaption("x");
    f.txt(30).SetText(c.data);
    f.txt(30).SetBackColor(c.rossa ? G().glColoreErrore : G().glColoreSfondo);
    f.MostraCambioMoneta(c.oggi);
    if (c.cambio == 0)
      EXPECT_EQ(f.txt(410).Text(), "");
    else
      EXPECT_DOUBLE_EQ(Numero(f.txt(410).Text()), c.cambio);
    EXPECT_EQ(f.lab(410).Caption(), c.dataCambio);
  }
}

// ---------------------------------------------------------------- price list

TEST_F(Moneta, ANewDdtTakesTheListsVatFlagDiscountAndCurrency) {
  struct Caso {
    const char* listino;
    const char* ivato;
    const char* sconto;
    const char* modo;
    const char* moneta;
    bool cambioAperto;
  };
  const Caso casi[] = {
      {demo::kListinoDollari, "N", demo::kScontoListinoDollari, "M", demo::kDollaro, true},
      {demo::kListinoIvato, "S", "", "M", demo::kEuro, false},
      {demo::kListinoRivenditori, "N", "5", "S", demo::kEuro, false},
      {demo::kListinoDollari, "N", demo::kScontoListinoDollari, "M", demo::kDollaro, true},
  };
  frmDdtTest& f = Nuovo();
  f.txt(30).SetText("15/06/2026");
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.listino);
    f.txt(200).SetText(c.listino);
    f.MostraListino(true, true);
    EXPECT_EQ(f.txt(210).Text(), c.ivato);
    EXPECT_EQ(f.msListIvato, c.ivato);
    EXPECT_EQ(f.msScontoListino, c.sconto);
    EXPECT_EQ(f.msScoSomSost, c.modo);
    EXPECT_EQ(f.msMonetaListino, c.moneta);
    EXPECT_EQ(f.txt(400).Text(), c.moneta);
    EXPECT_FALSE(Rosso(f, 400));
    EXPECT_FALSE(Rosso(f, 200));
    EXPECT_EQ(f.txt(410).Enabled(), c.cambioAperto);
    // A list in another currency: the rate at the DDT's date.
    if (c.cambioAperto) {
      EXPECT_DOUBLE_EQ(Numero(f.txt(410).Text()), demo::kCambioDollaroGiugno);
    }
  }
}

TEST_F(Moneta, AStoredDdtKeepsItsVatFlagAndCurrencyAndIsWarned) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ASSERT_EQ(f.txt(210).Text(), "N");
  ASSERT_EQ(f.txt(400).Text(), demo::kEuro);
  f.msListIvato = "N";

  // A VAT-inclusive list on a DDT priced without VAT.
  f.txt(200).SetText(demo::kListinoIvato);
  f.MostraListino(true, true);
  EXPECT_TRUE(Rosso(f, 200));
  EXPECT_EQ(Pannello(f), "Listino con flag ivato non congruente");
  EXPECT_EQ(f.txt(210).Text(), "N");
  EXPECT_EQ(f.msListIvato, "N");
  EXPECT_EQ(f.msScoSomSost, "M");

  // A dollar list: the currency stays, is decoded again and turns red.
  f.txt(200).SetBackColor(G().glColoreSfondo);
  f.txt(200).SetText(demo::kListinoDollari);
  f.MostraListino(true, true);
  EXPECT_FALSE(Rosso(f, 200));
  EXPECT_EQ(f.txt(400).Text(), demo::kEuro);
  EXPECT_TRUE(Rosso(f, 400));
  EXPECT_EQ(f.msMonetaListino, demo::kDollaro);
  EXPECT_EQ(f.msScontoListino, demo::kScontoListinoDollari);
}

TEST_F(Moneta, WithoutAListANewDdtIsPricedWithoutVatAndAStoredOneKeepsItsFlag) {
  {
    frmDdtTest& f = Nuovo();
    f.txt(200).SetText(demo::kListinoIvato);
    f.MostraListino(true, false);
    ASSERT_EQ(f.txt(210).Text(), "S");
    f.txt(200).SetText("");
    f.MostraListino(true, false);
    EXPECT_EQ(f.txt(210).Text(), "N");
    EXPECT_EQ(f.msListIvato, "N");
    EXPECT_EQ(f.msScontoListino, "");
    EXPECT_EQ(f.msScoSomSost, "S");
    EXPECT_EQ(f.msMonetaListino, "");
  }
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(210).SetText("S");
  f.msListIvato = "S";
  f.txt(200).SetText("");
  f.MostraListino(true, false);
  EXPECT_EQ(f.txt(210).Text(), "S");
  EXPECT_EQ(f.msListIvato, "S");
  EXPECT_EQ(f.msScoSomSost, "S");
  EXPECT_EQ(f.msMonetaListino, "");
  EXPECT_FALSE(Rosso(f, 200));
}

// A currency in error is decoded again when the list changes.
TEST_F(Moneta, ARedCurrencyIsDecodedAgainByTheList) {
  frmDdtTest& f = Nuovo();
  f.txt(400).SetText(demo::kDollaro);
  f.txt(400).SetBackColor(G().glColoreErrore);
  f.txt(200).SetText("");
  f.MostraListino(true, false);
  EXPECT_FALSE(Rosso(f, 400));
  EXPECT_EQ(f.miNumDecMon, 2);
  EXPECT_TRUE(f.txt(410).Enabled());
}

TEST_F(Moneta, AListThatIsNotFoundChangesNothing) {
  frmDdtTest& f = Nuovo();
  f.txt(200).SetText(demo::kListinoDollari);
  f.MostraListino(true, false);
  ASSERT_EQ(f.txt(400).Text(), demo::kDollaro);
  f.txt(200).SetText("ZZ");
  f.MostraListino(true, false);
  EXPECT_EQ(f.lab(200).Caption(), aiuti::kInesistente);
  EXPECT_EQ(f.msMonetaListino, demo::kDollaro);
  EXPECT_EQ(f.msScontoListino, demo::kScontoListinoDollari);
  EXPECT_EQ(f.txt(400).Text(), demo::kDollaro);
}

TEST_F(Moneta, WithoutChangesTheListIsOnlyDecoded) {
  frmDdtTest& f = Nuovo();
  f.msMonetaListino = "";
  f.txt(210).SetText("N");
  f.txt(200).SetText(demo::kListinoIvato);
  f.MostraListino(false, false);
  EXPECT_EQ(f.lab(200).Caption(), "Listino al pubblico IVA inclusa");
  EXPECT_EQ(f.txt(210).Text(), "N");
  EXPECT_EQ(f.msMonetaListino, "");
}

// ---------------------------------------------------------------- payment

class Pagamento : public Moneta {};

TEST_F(Pagamento, ThePaymentsNoteFollowsItInTheThirdFixedNote) {
  struct Caso {
    const char* nota3Prima;
    const char* notaPrec;
    const char* pagamento;
    const char* nota3Dopo;
    const char* notaPag;
    const char* sconto;
  };
  const Caso casi[] = {
      // A note for the DDT replaces whatever was there.
      {"", "", demo::kPagNotaDdt, demo::kNotaSuDdt, demo::kNotaSuDdt, ""},
      {"N7", "", demo::kPagNotaDdt, demo::kNotaSuDdt, demo::kNotaSuDdt, ""},
      // A note kept for the invoice: the previous payment's note goes.
      {demo::kNotaSuDdt, demo::kNotaSuDdt, demo::kPagNotaFattura, "", demo::kNotaSuFattura, ""},
      {"n2", demo::kNotaSuDdt, demo::kPagNotaFattura, "", demo::kNotaSuFattura, ""},
      {"N7", demo::kNotaSuDdt, demo::kPagNotaFattura, "N7", demo::kNotaSuFattura, ""},
      // No note: the same.
      {demo::kNotaSuDdt, demo::kNotaSuDdt, demo::kPagScontoCassa, "", "", "2"},
      {"N7", demo::kNotaSuDdt, demo::kPagRimessaDiretta, "N7", "", ""},
      // A code that does not exist brings empty values.
      {demo::kNotaSuDdt, demo::kNotaSuDdt, "ZZ", "", "", ""},
  };
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.nota3Prima) + "/" + c.notaPrec + " -> " + c.pagamento);
    f.txt(530).SetText("A");
    f.txt(540).SetText("B");
    f.txt(550).SetText(c.nota3Prima);
    f.txt(230).SetText("9");
    f.msNotaFissaPag = c.notaPrec;
    f.txt(220).SetText(c.pagamento);
    f.MostraPagamento(true, false);
    EXPECT_EQ(f.txt(550).Text(), c.nota3Dopo);
    EXPECT_EQ(f.msNotaFissaPag, c.notaPag);
    EXPECT_EQ(f.txt(230).Text(), c.sconto);
    EXPECT_EQ(f.txt(530).Text(), "A");
    EXPECT_EQ(f.txt(540).Text(), "B");
  }
}

TEST_F(Pagamento, ANoteTheCompanyDoesNotHoldLeavesTheFieldAlone) {
  Sql("Update Pagamenti Set NotaFissa = 'N9' Where Pagamento = '" + std::string(demo::kPagNotaDdt) + "'");
  frmDdtTest& f = Nuovo();
  f.txt(550).SetText(demo::kNotaSuFattura);
  f.msNotaFissaPag = demo::kNotaSuFattura;
  f.txt(220).SetText(demo::kPagNotaDdt);
  f.MostraPagamento(true, false);
  EXPECT_EQ(f.txt(550).Text(), demo::kNotaSuFattura);
  EXPECT_EQ(f.msNotaFissaPag, "N9");
}

TEST_F(Pagamento, WithoutChangesOnlyTheDescriptionIsShown) {
  frmDdtTest& f = Nuovo();
  f.txt(230).SetText("9");
  f.txt(550).SetText("");
  f.txt(220).SetText(demo::kPagNotaDdt);
  f.MostraPagamento(false, false);
  EXPECT_EQ(f.lab(220).Caption(), "Rimessa diretta alla consegna");
  EXPECT_EQ(f.txt(230).Text(), "9");
  EXPECT_EQ(f.txt(550).Text(), "");
  EXPECT_EQ(f.msNotaFissaPag, "");
}

TEST_F(Pagamento, AStoredDdtsPaymentNoteGoesAtTheFirstChange) {
  Sql("Update DdtTest Set Pagamento = '" + std::string(demo::kPagNotaDdt) + "', NumNota3 = '" + demo::kNotaSuDdt +
      "' Where Anno = 2026 AND NumRif = " + std::to_string(demo::kDdtModificabile));
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  EXPECT_EQ(f.msNotaFissaPag, demo::kNotaSuDdt);
  ASSERT_EQ(f.txt(550).Text(), demo::kNotaSuDdt);
  f.txt(220).SetText(demo::kPagRimessaDiretta);
  f.MostraPagamento(true, false);
  EXPECT_EQ(f.txt(550).Text(), "");
}

}  // namespace

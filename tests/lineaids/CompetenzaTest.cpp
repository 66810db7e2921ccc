// The accrual dialog: the split of the amount over the accounting years,
// the kind and the dates handed back, the checks of "&Ok" and the question
// on leaving without confirming.
#include <gtest/gtest.h>

#include "lineaids/CompetenzaProva.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {

struct CasoQuote {
  const char* nome;
  const char* tipo;
  const char* da;
  const char* a;
  const char* importo;
  int16_t anno;
  const char* attese;  // previous | current | following
};

class QuoteAnni : public CompetenzaProva, public ::testing::WithParamInterface<CasoQuote> {};

// Accounting year 2006 (1 January - 31 December) unless the DDT is of
// another year. The company's amount mask leaves a zero share blank.
TEST_P(QuoteAnni, SplitTheAmountOverTheYears) {
  const CasoQuote& c = GetParam();
  FrmCompetenza& f = Apri(c.tipo, c.da, c.a, c.importo, c.anno);
  EXPECT_EQ(Quote(f), c.attese) << c.nome;
}

INSTANTIATE_TEST_SUITE_P(
    Competenza, QuoteAnni,
    ::testing::Values(
        CasoQuote{"MensileAcavallo", "M", "01/12/2005", "30/11/2006", "1.200,00", 2006, "100 | 1.100 | "},
        CasoQuote{"GiornalieraAcavallo", "G", "01/12/2006", "31/01/2007", "620", 2006, " | 310 | 310"},
        CasoQuote{"TuttaPrima", "M", "01/01/2005", "31/12/2005", "1200", 2006, "1.200 |  | "},
        CasoQuote{"TuttaDopo", "G", "01/02/2007", "28/02/2007", "1200", 2006, " |  | 1.200"},
        CasoQuote{"DentroAnno", "M", "01/03/2006", "31/05/2006", "900", 2006, " | 900 | "},
        // A DDT of 2007 while the accounting year is 2006: the year's
        // boundaries move to 2007.
        CasoQuote{"AnnoDdtDiverso", "M", "01/12/2006", "30/11/2007", "1200", 2007, "100 | 1.100 | "},
        // The rounding remainder lands in the current year.
        CasoQuote{"Resto", "M", "01/12/2005", "31/01/2007", "100", 2006, "7,14 | 85,72 | 7,14"},
        // A period typed backwards divides into nothing shown.
        CasoQuote{"Rovesciato", "G", "31/12/2006", "01/12/2006", "100", 2006, " |  | "},
        CasoQuote{"Nessuna", "", "01/12/2005", "30/11/2006", "1200", 2006, " |  | "}),
    [](const ::testing::TestParamInfo<CasoQuote>& i) { return std::string(i.param.nome); });

TEST_F(CompetenzaProva, AccountingYearStartingInJulyMovesToTheDdtYear) {
  Param("CoGe.AnnoCorr", "2005");
  Param("CoGe.DataInizCont", "01/07/2005");
  Param("CoGe.DataFineCont", "30/06/2006");
  // DDT of 2006: the year runs 01/07/2006 - 30/06/2006, its end before its
  // start; the shares follow the same rules.
  FrmCompetenza& f = Apri("M", "01/05/2006", "31/08/2006", "400", 2006);
  // 4 months: 2 before 01/07/2006, 2 after 30/06/2006.
  EXPECT_EQ(Quote(f), "200 |  | 200");
}

TEST_F(CompetenzaProva, WithoutTheAccountingYearNoShareIsShown) {
  Param("CoGe.AnnoCorr", "");
  FrmCompetenza& f = Apri("M", "01/12/2005", "30/11/2006");
  EXPECT_EQ(Quote(f), " |  | ");
  Param("CoGe.AnnoCorr", "2006");
  Param("CoGe.DataFineCont", "31/02/2006");
  f.CalcolaImp();
  EXPECT_EQ(Quote(f), " |  | ");
}

TEST_F(CompetenzaProva, AnAmountBeyondAnyNumberShowsNoShare) {
  FrmCompetenza& f = Apri("M", "01/12/2005", "30/11/2006", "1e400");
  // Read as no number: a zero share, which the company's mask leaves
  // blank; never an infinity.
  EXPECT_EQ(Quote(f), " |  | ");
}

TEST_F(CompetenzaProva, ThePanelShowsTheLineAndTheAccountSide) {
  FrmCompetenza& f = Apri("G", "01/12/2006", "31/01/2007");
  EXPECT_EQ(f.Caption(), "Quadro Competenza - ");
  EXPECT_EQ(f.txt(120).Text(), "17");
  EXPECT_EQ(f.txt(130).Text(), "15/03/2006");
  EXPECT_EQ(f.txt(140).Text(), "CORSO01");
  EXPECT_EQ(f.lab(140).Caption(), "Corso di formazione");
  EXPECT_EQ(f.txt(150).Text(), "04-01-0014");
  EXPECT_EQ(f.lab(150).Caption(), "Alimentari Bianchi");
  EXPECT_EQ(f.lab(155).Caption(), "Via Roma 1 - Verona");
  EXPECT_EQ(f.txt(160).Text(), "1.200,00");
  EXPECT_EQ(f.label1(150).Caption(), "Cliente:");
  EXPECT_NE(f.Opt(1).Value(), 0);
  EXPECT_TRUE(f.txt(10).Enabled());
  f.Unload();
  FrmCompetenza& g = Apri("G", "01/12/2006", "31/01/2007", "1200", 2006, false);
  EXPECT_EQ(g.label1(150).Caption(), "Fornitore:");
}

TEST_F(CompetenzaProva, TheKindIsMatchedExactly) {
  // "m" is no kind: no accrual, dates emptied and locked.
  FrmCompetenza& f = Apri("m", "01/12/2005", "30/11/2006");
  EXPECT_NE(f.Opt(0).Value(), 0);
  EXPECT_EQ(f.txt(10).Text(), "");
  EXPECT_FALSE(f.txt(10).Enabled());
  EXPECT_FALSE(f.txt(20).Enabled());
}

TEST_F(CompetenzaProva, NoneThenMonthlyBringsTheDatesBack) {
  FrmCompetenza& f = Apri("M", "01/12/2005", "30/11/2006");
  ui::utente::Clicca(f.Opt(0));
  EXPECT_EQ(f.txt(10).Text(), "");
  EXPECT_EQ(Quote(f), " |  | ");
  ui::utente::Clicca(f.Opt(2));
  EXPECT_EQ(f.txt(10).Text(), "01/12/2005");
  EXPECT_EQ(f.txt(20).Text(), "30/11/2006");
  EXPECT_TRUE(f.txt(20).Enabled());
  EXPECT_EQ(Quote(f), "100 | 1.100 | ");
}

TEST_F(CompetenzaProva, TypingADateRecomputesAndABadOneEmptiesTheShares) {
  FrmCompetenza& f = Apri("M", "01/12/2005", "30/11/2006");
  ui::utente::Fuoco(f.txt(10));
  f.txt(10).SetText("011105");
  ui::utente::Fuoco(f.txt(20));
  EXPECT_EQ(f.txt(10).Text(), "01/11/2005");
  // 13 months, 2 before the year.
  EXPECT_EQ(Quote(f), "184,62 | 1.015,38 | ");
  f.txt(20).SetText("31/02/2006");
  ui::utente::Fuoco(f.txt(10));
  EXPECT_EQ(f.txt(20).BackColor(), G().glColoreErrore);
  EXPECT_EQ(Quote(f), " |  | ");
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Data non valida");
}

TEST_F(CompetenzaProva, OkHandsKindAndDatesBackByName) {
  FrmCompetenza& f = Apri("G", "01/12/2006", "31/01/2007");
  ui::utente::Clicca(f.Opt(2));
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(opener_.chiamate, 1);
  EXPECT_TRUE(opener_.ok);
  EXPECT_EQ(opener_.tipo, "M");
  EXPECT_EQ(opener_.da, "01/12/2006");
  EXPECT_EQ(opener_.a, "31/01/2007");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(CompetenzaProva, OkOnNoneGivesAnEmptyKindAndNoDates) {
  FrmCompetenza& f = Apri("M", "01/12/2005", "30/11/2006");
  ui::utente::Clicca(f.Opt(0));
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(opener_.ok);
  EXPECT_EQ(opener_.tipo, "");
  EXPECT_EQ(opener_.da, "");
  EXPECT_EQ(opener_.a, "");
}

struct CasoOk {
  const char* nome;
  const char* da;
  const char* a;
  const char* messaggio;
  int fuoco;
};

class ControlliOk : public CompetenzaProva, public ::testing::WithParamInterface<CasoOk> {};

TEST_P(ControlliOk, RefusesAndKeepsTheDialog) {
  const CasoOk& c = GetParam();
  FrmCompetenza& f = Apri("G", c.da, c.a);
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(opener_.chiamate, 0);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], c.messaggio);
  ASSERT_NE(f.ActiveControl(), nullptr);
  EXPECT_EQ(f.ActiveControl()->Index(), c.fuoco);
}

INSTANTIATE_TEST_SUITE_P(
    Competenza, ControlliOk,
    ::testing::Values(CasoOk{"DaMancante", "", "31/01/2007", "data mancante o non valida", 10},
                      CasoOk{"AMancante", "01/12/2006", "", "data mancante o non valida", 20},
                      CasoOk{"ANonData", "01/12/2006", "abc", "data mancante o non valida", 20},
                      CasoOk{"Rovescio", "01/02/2007", "31/01/2007", "data Da maggiore della data A", 20}),
    [](const ::testing::TestParamInfo<CasoOk>& i) { return std::string(i.param.nome); });

TEST_F(CompetenzaProva, LeavingWithoutConfirmingAsksFirst) {
  FrmCompetenza& f = Apri("G", "01/12/2006", "31/01/2007");
  // "&No": the dialog stays, nothing called back.
  risposte_.push_back(2);
  ui::utente::Clicca(f.C("ComAnnulla"));
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(opener_.chiamate, 0);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Confermi uscita senza salvataggio dei dati");
  // Closed by its frame, "&Sì": it goes and says so, with nothing chosen.
  risposte_.push_back(1);
  EXPECT_TRUE(ui::utente::Chiudi(f));
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(messaggi_.size(), 2u);
  EXPECT_EQ(opener_.chiamate, 1);
  EXPECT_FALSE(opener_.ok);
}

}  // namespace
}  // namespace prova

// The line's discounts: the chain of the four discount fields (and the
// payment discount), its single percentage, the discount rules applied to
// the line, the agents' reduced commissions and the promotion question.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "ddt/lines/AperturaDiretta.h"

namespace prova {
namespace {
using namespace dati::demo;

class Sconti : public AperturaDiretta {
 protected:
  // DDT 3 in euro on the sales list, customer 1 (the hardware table
  // discount 5), header customer discount 10, payment discount 2.
  static ParDettaglio Doc() {
    ParDettaglio p = Base();
    p.osMoneta = kEuro;
    p.oiNumDecMon = 2;
    p.oiNumDecMonGes = 3;
    p.osIntTipo = "3";
    p.osIntest = kContoCliente1;
    p.osListino = kListinoVendita;
    p.osListIvato = "N";
    p.osPrzIvato = "N";
    p.osScontoClie = "10";
    p.osScontoPag = "2";
    return p;
  }
  frmDDTDett& Finestra(const ParDettaglio& p) {
    G().giNumDecQta = 3;
    G().gbArrUnitIntermedio = true;
    return Apri(p);
  }
  static void Articolo(frmDDTDett& d, const std::string& articolo, const std::string& gruppo) {
    d.txt(20).SetText(articolo);
    d.txt(20).SetBackColor(G().glColoreSfondo);
    d.txt(140).SetText("CF");
    d.txt(150).SetText("1");
    d.msSettore = "S";
    d.osArtGruppo = gruppo;
    d.osLivGruppo1.clear();
    d.osLivGruppo2.clear();
    d.AzzMemSconti();
  }
  static void Quattro(frmDDTDett& d, const char* art, const char* cli, const char* qta, const char* tab) {
    d.txt(110).SetText(art);
    d.txt(100).SetText(cli);
    d.txt(120).SetText(qta);
    d.txt(90).SetText(tab);
  }
  std::string Pannello(frmDDTDett& d) { return d.C("staMessaggi").Elem("Messaggio").Caption; }
  bool Chiesto(const std::string& parte) {
    for (const auto& m : messaggi_)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }
};

TEST_F(Sconti, TheChainJoinsTheFourDiscountsAndThePaymentDiscountWhenAsked) {
  struct Caso {
    const char* nome;
    const char *art, *cli, *qta, *tab;
    bool soggPag, pagInDet;
    const char* cauzione;  // the article's deposit flag
    const char *catena, *perc, *importo;
  };
  const Caso casi[] = {
      {"payment discount ticked", "10", "5", "", "0", true, true, "N", "10+5+2", "16,21", "25,14"},
      {"payment discount unticked", "10", "5", "", "0", false, true, "N", "10+5", "14,5", "25,65"},
      {"the header keeps it in the footer", "10", "5", "", "0", true, false, "N", "10+5", "14,5", "25,65"},
      {"a surcharge keeps its sign", "10", "-3", "", "", false, true, "N", "10-3", "7,3", "27,81"},
      {"every source", "10", "5", "3", "2", false, true, "N", "10+5+3+2", "18,7237", "24,38"},
      {"a deposit takes no discount", "10", "5", "3", "2", true, true, "S", "", "0", "30,00"},
  };
  ParDettaglio p = Doc();
  p.osCauzAttNoSconti = "S";
  for (const auto& c : casi) {
    p.obScontoPagInDet = c.pagInDet;
    frmDDTDett& d = Finestra(p);
    Articolo(d, kArticoloViti, "FERR");
    d.msCauzioneArt = c.cauzione;
    d.mdPercRidProvvTab = 0;
    d.che(75).SetValue(c.soggPag ? 1 : 0);
    Quattro(d, c.art, c.cli, c.qta, c.tab);
    d.txt(30).SetText("3");
    d.txt(60).SetText("10,000");
    d.CalcScontoTot(true);
    EXPECT_EQ(d.txt(80).Text(), c.catena) << c.nome;
    EXPECT_EQ(d.lab(80).Caption(), c.perc) << c.nome;
    EXPECT_EQ(d.txt(70).Text(), c.importo) << c.nome;
    EXPECT_EQ(d.txt(80).BackColor(), G().glColoreSfondo) << c.nome;
    Chiudi(d);
  }
}

TEST_F(Sconti, AnInvalidChainStaysMarkedAndPricesAtItsPercentage) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloViti, "FERR");
  d.mdPercRidProvvTab = 0;
  d.txt(30).SetText("3");
  d.txt(60).SetText("10,000");
  d.txt(80).SetText("10+abc");
  d.MostraScontoTot(true, false);
  EXPECT_EQ(d.txt(80).Text(), "10+abc");
  EXPECT_EQ(d.txt(80).BackColor(), G().glColoreErrore);
  EXPECT_EQ(Pannello(d), "Sconto non valido");
  EXPECT_EQ(d.lab(80).Caption(), "0");
  EXPECT_EQ(d.txt(70).Text(), "30,00");
  d.txt(80).SetText("10+5");
  d.MostraScontoTot(true, false);
  EXPECT_EQ(d.txt(80).BackColor(), G().glColoreSfondo);
  EXPECT_EQ(d.txt(70).Text(), "25,65");
}

TEST_F(Sconti, ClearingPutsBackTheHeadersCustomerDiscount) {
  frmDDTDett& d = Finestra(Doc());
  Quattro(d, "1", "2", "3", "4");
  d.txt(80).SetText("1+2+3+4");
  d.SbiancaSconti();
  EXPECT_EQ(d.txt(100).Text(), "10");
  for (int n : {110, 120, 90, 80}) EXPECT_EQ(d.txt(n).Text(), "") << n;
}

TEST_F(Sconti, TheRulesFillTheDiscountsOfTheLine) {
  struct Caso {
    const char* nome;
    const char* qta;
    const char *art, *cli, *scoQta, *tab, *catena, *importo;
  };
  // The screws for customer 1: the table discount 5 on hardware; from 50
  // boxes the quantity discount 3, from 100 the discount 5 in place of the
  // table discount.
  const Caso casi[] = {
      {"table rule", "10", "", "10", "", "5", "10+5", "106,88"},
      {"quantity rule with the table rule", "50", "", "10", "3", "5", "10+3+5", "518,35"},
      {"quantity rule in place of the table rule", "100", "", "10", "5", "", "10+5", "1.068,80"},
  };
  for (const auto& c : casi) {
    frmDDTDett& d = Finestra(Doc());
    Articolo(d, kArticoloViti, "FERR");
    d.che(75).SetValue(0);
    d.txt(30).SetText(c.qta);
    d.CercaListino();
    ASSERT_EQ(d.txt(60).Text(), "12,500") << c.nome;
    d.ElaboraSconti(true, true, true, false);
    EXPECT_EQ(d.txt(110).Text(), c.art) << c.nome;
    EXPECT_EQ(d.txt(100).Text(), c.cli) << c.nome;
    EXPECT_EQ(d.txt(120).Text(), c.scoQta) << c.nome;
    EXPECT_EQ(d.txt(90).Text(), c.tab) << c.nome;
    EXPECT_EQ(d.txt(80).Text(), c.catena) << c.nome;
    EXPECT_EQ(d.txt(70).Text(), c.importo) << c.nome;
    Chiudi(d);
  }
}

TEST_F(Sconti, TheArticleDiscountComesThroughThePriceSearchRunByTheRules) {
  // List "03" gives its own discount 5 in place of the article's.
  ParDettaglio p = Doc();
  p.osListino = kListinoRivenditori;
  frmDDTDett& d = Finestra(p);
  Articolo(d, kArticoloViti, "FERR");
  d.txt(30).SetText("1");
  d.txt(60).SetText("11,000");
  ASSERT_EQ(d.osArtLisModSconto, "N");
  d.ElaboraSconti(true, true, true, false);
  EXPECT_EQ(d.osArtLisModSconto, "S");
  EXPECT_EQ(d.txt(110).Text(), "5");
  EXPECT_EQ(d.txt(80).Text(), "5+10+5");
  EXPECT_EQ(d.txt(60).Text(), "11,000");
}

TEST_F(Sconti, APromotionalPriceTakesNoCustomerOrRuleDiscount) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloPromo, "ALIM");
  d.txt(30).SetText("100");
  d.CercaListino();
  d.ElaboraSconti(true, true, true, false);
  EXPECT_EQ(d.txt(175).Text(), "S");
  EXPECT_EQ(d.txt(100).Text(), "");
  EXPECT_EQ(d.txt(80).Text(), "");
  EXPECT_EQ(d.txt(70).Text(), "280,00");
  EXPECT_EQ(d.mdPercRidProvvTab, 0);
  EXPECT_EQ(d.mdPercRidProvvQta, 0);
}

TEST_F(Sconti, WhileTheLevelsAreIncompleteOnlyARecalculationRunsWithoutTheQuantityRule) {
  G().gsGesTaglie = "S";
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloViti, "FERR");
  d.osLivGruppo1 = kGruppoTaglie;
  d.txt(21).SetText("");
  d.txt(30).SetText("100");
  d.txt(60).SetText("12,500");
  Quattro(d, "", "", "", "");
  d.ElaboraSconti(true, true, true, false);
  EXPECT_EQ(d.txt(100).Text(), "");
  EXPECT_EQ(d.osModScontoQta, "N");
  d.ElaboraSconti(true, true, true, true);
  EXPECT_EQ(d.osModScontoQta, "T");
  EXPECT_EQ(d.txt(120).Text(), "");
  EXPECT_EQ(d.txt(90).Text(), "5");
  EXPECT_EQ(d.txt(80).Text(), "10+5");
}

TEST_F(Sconti, CommissionsAreReducedByTheTableRuleOnceItIsKnown) {
  ParDettaglio p = Doc();
  p.oiRidPercAgenti = 2;
  Sql("Update Sconti Set PercRidProvv = 25 Where Conto = '" + std::string(kCliente1) + "'");
  frmDDTDett& d = Finestra(p);
  Articolo(d, kArticoloViti, "FERR");
  d.msPercProvvArt1 = "10";
  d.msPercProvvArt2 = "6";
  d.osModScontoQta = "T";
  d.txt(90).SetText("");
  d.txt(80).SetText("10+5");
  // Not known yet: the table rule is sought for its reduction only.
  d.MostraScontoTot(false, true);
  EXPECT_EQ(d.mdPercRidProvvTab, 25);
  EXPECT_EQ(d.txt(90).Text(), "");
  EXPECT_EQ(d.osModScontoTab, "N");
  EXPECT_EQ(d.txt(180).Text(), "7,5");
  EXPECT_EQ(d.txt(190).Text(), "4,5");
  // Known: no search, the known reduction applies.
  d.mdPercRidProvvTab = 20;
  d.MostraScontoTot(false, true);
  EXPECT_EQ(d.mdPercRidProvvTab, 20);
  EXPECT_EQ(d.txt(180).Text(), "8");
  EXPECT_EQ(d.txt(190).Text(), "4,8");
  // Without the flag the commissions stay.
  d.txt(180).SetText("1");
  d.MostraScontoTot(false, false);
  EXPECT_EQ(d.txt(180).Text(), "1");
}

TEST_F(Sconti, ForgettingTheRememberedDiscountsAndReReadingTheArticles) {
  Sql("Update Articoli Set Sconto = '7' Where Articolo = '" + std::string(kArticoloViti) + "'");
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloViti, "FERR");
  d.osArtLisSconto = "3";
  d.osScontoQta = "4";
  d.osScontoTab = "5";
  d.osArtLisModSconto = d.osModScontoQta = d.osModScontoTab = "M";
  d.mdPercRidProvvQta = d.mdPercRidProvvTab = 1;
  d.AzzRicSconto();
  EXPECT_EQ(d.osArtSconto, "7");
  EXPECT_EQ(d.osArtLisSconto + d.osScontoQta + d.osScontoTab, "");
  EXPECT_EQ(d.osArtLisModSconto + d.osModScontoQta + d.osModScontoTab, "NNN");
  EXPECT_EQ(d.mdPercRidProvvQta, -2);
  EXPECT_EQ(d.mdPercRidProvvTab, -2);
  d.AzzMemSconti();
  EXPECT_EQ(d.osArtSconto, "");
}

TEST_F(Sconti, ThePromotionQuestionByTheDocumentsDate) {
  struct Caso {
    const char* nome;
    const char* data;
    int risposta;
    bool chiesto;
    const char *promozione, *cli;
  };
  const Caso casi[] = {
      {"in the promotion, yes", "10/12/2026", 1, true, "S", ""},
      {"in the promotion, no", "10/12/2026", 2, true, "N", "10"},
      {"its last day", "31/12/2026", 1, true, "S", ""},
      {"before it", "30/11/2026", 1, false, "N", "10"},
  };
  for (const auto& c : casi) {
    ParDettaglio p = Doc();
    p.osDataRif = c.data;
    frmDDTDett& d = Finestra(p);
    Articolo(d, kArticoloPromo, "ALIM");
    d.txt(175).SetText("N");
    d.che(175).SetValue(0);
    d.txt(100).SetText("10");
    messaggi_.clear();
    risposte_.push_back(c.risposta);
    d.VerificaPromozione();
    risposte_.clear();
    EXPECT_EQ(Chiesto("Considero questo dettaglio in promozione?"), c.chiesto) << c.nome;
    EXPECT_EQ(d.txt(175).Text(), c.promozione) << c.nome;
    EXPECT_EQ(d.che(175).Value(), std::string(c.promozione) == "S" ? 1 : 0) << c.nome;
    EXPECT_EQ(d.txt(100).Text(), c.cli) << c.nome;
    Chiudi(d);
  }
}

}  // namespace
}  // namespace prova

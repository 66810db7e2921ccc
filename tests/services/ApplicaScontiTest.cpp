#include <gtest/gtest.h>

#include "services/DittaProva.h"
#include "services/UtilDocFattGest.h"

using namespace UtilDocFattGest;
using vb::Variant;

namespace {

// The line form as the discount application sees it: its price search
// rewrites the list mode and discount it keeps.
struct FormRiga : FormPrezzo {
  void CercaPrezzo() override {
    ++ricerche;
    osArtLisModSconto = modoTrovato;
    osArtLisSconto = scontoTrovato;
  }
  int ricerche = 0;
  std::string modoTrovato = "M", scontoTrovato = "5";
  std::string osArtLisModSconto = "N", osArtLisSconto;
};

struct CasoModo {
  const char* modo;
  const char* articolo;
  const char* lista;
  const char* atteso;
};

TEST(ModoSconto, ArticleFieldByThePriceListMode) {
  const CasoModo casi[] = {
      {"M", "10", "5", "10+5"}, {"m", "", "5", "5"}, {"S", "10", "5", "5"}, {"0", "10", "5", "10"},
      {"P", "10", "5", ""},     {"Q", "10", "5", ""}, {"X", "10", "5", ""}, {"M", "10", "-2", "10-2"},
  };
  for (const auto& c : casi) {
    FormRiga f;
    std::string campo = "vecchio", base = c.articolo, modo = c.modo, sconto = c.lista, modoDoc = "S", scontoDoc = "3";
    ApplicaModoSconto(f, campo, base, modo, sconto, modoDoc, scontoDoc);
    EXPECT_EQ(campo, c.atteso) << c.modo;
    EXPECT_EQ(f.ricerche, 0);
  }
}

TEST(ModoSconto, DocumentListModeAndPriceSearchFirst) {
  FormRiga f;
  std::string campo, base = "10", modo = "L", sconto = "7", modoDoc = "S", scontoDoc = "3";
  ApplicaModoSconto(f, campo, base, modo, sconto, modoDoc, scontoDoc);
  EXPECT_EQ(campo, "3");
  modoDoc = "M";
  ApplicaModoSconto(f, campo, base, modo, sconto, modoDoc, scontoDoc);
  EXPECT_EQ(campo, "10+3");
  // Mode "N": the window searches the price, then its new mode counts.
  ApplicaModoSconto(f, campo, base, f.osArtLisModSconto, f.osArtLisSconto, modoDoc, scontoDoc);
  EXPECT_EQ(f.ricerche, 1);
  EXPECT_EQ(campo, "10+5");
  f.osArtLisModSconto = "N";
  f.modoTrovato = "N";
  ApplicaModoSconto(f, campo, base, f.osArtLisModSconto, f.osArtLisSconto, modoDoc, scontoDoc);
  EXPECT_EQ(campo, "10");  // still "N": the article's own discount
}

class ApplicaSconti : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    // A table rule for the customer: 7, replacing the customer discount,
    // with a price of its own.
    Sql("Insert into Sconti (Articolo, Gruppo, Mastro, Conto, Tipo, ArtGruppo, ArtsottoGru, Categoria, Sconto, "
        "Prezzo, PrezzoLire, PercRidProvv, SommaSost) Values ('ART', '01', '02', '0003', 'C', '~ç~', '~ç~', '~ç~', "
        "'7', 8.8, 0, 15, 'A')");
  }
  void RegolaQta(const std::string& sconto, const std::string& prezzo, const std::string& tabSost,
                 const std::string& cliSost) {
    Sql("Insert into ScoQua (Articolo, Gruppo, Mastro, Conto, ArtGruppo, ArtsottoGru, Categoria, DaQuantita, Sconto, "
        "Prezzo, PrezzoLire, ScoTabSost, ScoCliSost, PercRidProvv) Values ('ART', '01', '02', '0003', '~ç~', '~ç~', "
        "'~ç~', 1, '" + sconto + "', " + prezzo + ", 0, '" + tabSost + "', '" + cliSost + "', 4)");
  }
  void Applica(bool forza = true) {
    UtilDocFattGest::ApplicaSconti(form, cli, art, qta, tab, prezzo, "ART", Variant(qtaRiga), "Euro", przQta, modQta,
                                   scoQta, przTab, modTab, scoTab, scoArt, form.osArtLisModSconto,
                                   form.osArtLisSconto, modLisDoc, scoLisDoc, scoCliTes, 2, "01020003", "C", "CAT",
                                   "GR", "SG", "0", forza, true, ridTab, ridQta);
  }

  FormRiga form;
  // the line's fields
  std::string cli, art, qta, tab, prezzo = "10,00";
  std::string qtaRiga = "5";
  // the line's memory, reset as the line form does when it shows the article
  double przQta = 0, przTab = 0, ridTab = -2, ridQta = -2;
  std::string modQta = "N", scoQta, modTab = "N", scoTab;
  std::string scoArt = "10", modLisDoc = "S", scoLisDoc = "3", scoCliTes = "2";
};

TEST_F(ApplicaSconti, TheTableRuleWithoutAQuantityRule) {
  form.osArtLisModSconto = "M";
  form.osArtLisSconto = "5";
  Applica();
  EXPECT_EQ(art, "10+5");
  EXPECT_EQ(cli, "");    // the table rule's "A" replaces the customer discount
  EXPECT_EQ(tab, "7");
  EXPECT_EQ(qta, "");
  EXPECT_EQ(modQta, "T");
  EXPECT_EQ(modTab, "A");
  EXPECT_EQ(prezzo, "8,80");  // no quantity rule: the table rule's price
  EXPECT_DOUBLE_EQ(ridTab, 15);
  EXPECT_DOUBLE_EQ(ridQta, 0);
  EXPECT_EQ(form.ricerche, 0);
}

TEST_F(ApplicaSconti, APromotionTakesNoRule) {
  RegolaQta("4", "9.5", "N", "N");
  form.osArtLisModSconto = "Q";
  cli = "vecchio";
  tab = "";
  qta = "9";
  ridQta = 3;
  Applica(false);
  EXPECT_EQ(art, "");    // free field, promotion mode: empty
  EXPECT_EQ(cli, "vecchio");  // not free and not forced: kept
  EXPECT_EQ(qta, "");
  EXPECT_EQ(tab, "");
  EXPECT_EQ(modQta, "N");  // no rule searched
  EXPECT_EQ(modTab, "N");
  EXPECT_DOUBLE_EQ(ridTab, 0);  // -2 becomes 0
  EXPECT_DOUBLE_EQ(ridQta, 3);  // other values kept
  EXPECT_EQ(prezzo, "10,00");
  cli.clear();
  Applica(false);
  EXPECT_EQ(cli, "2");  // "Q": the header's customer discount
  form.osArtLisModSconto = "P";
  Applica(true);
  EXPECT_EQ(cli, "");   // "P": none
}

TEST_F(ApplicaSconti, AQuantityRulePriceIsNotOverriddenByTheTableRule) {
  RegolaQta("4", "9.5", "N", "N");
  form.osArtLisModSconto = "S";
  form.osArtLisSconto = "5";
  Applica();
  EXPECT_EQ(qta, "4");
  EXPECT_EQ(prezzo, "9,50");
  EXPECT_EQ(art, "");   // the quantity rule replaces the article discount
  EXPECT_EQ(modQta, "0");
  EXPECT_EQ(modTab, "A");  // the table rule was still sought and applied ...
  EXPECT_EQ(tab, "7");
  EXPECT_EQ(cli, "");
  EXPECT_DOUBLE_EQ(ridQta, 4);
  EXPECT_DOUBLE_EQ(ridTab, 15);
}

TEST_F(ApplicaSconti, QuantityModeThreeEmptiesTheOthersAndSkipsTheTable) {
  RegolaQta("6", "0", "S", "S");
  cli = "1";
  tab = "2";
  Applica();
  EXPECT_EQ(modQta, "3");
  EXPECT_EQ(qta, "6");
  EXPECT_EQ(cli, "");
  EXPECT_EQ(art, "");
  EXPECT_EQ(tab, "");
  EXPECT_EQ(modTab, "N");  // no table search
  EXPECT_EQ(prezzo, "10,00");
}

TEST_F(ApplicaSconti, QuantityModeOneEmptiesTheCustomerField) {
  RegolaQta("6", "0", "N", "S");
  Applica();
  EXPECT_EQ(modQta, "1");
  EXPECT_EQ(cli, "");
  EXPECT_EQ(tab, "7");
  EXPECT_EQ(art, "");
}

TEST_F(ApplicaSconti, TableModeAKeepsTheArticleField) {
  form.osArtLisModSconto = "0";
  Applica();
  EXPECT_EQ(tab, "7");
  EXPECT_EQ(cli, "");
  EXPECT_EQ(art, "10");
}

TEST_F(ApplicaSconti, AFilledTableFieldIsKeptWithoutForce) {
  form.osArtLisModSconto = "0";
  tab = "5";
  art = "12";
  Applica(false);
  EXPECT_EQ(tab, "5");
  EXPECT_EQ(modTab, "N");  // no table rule applied
  EXPECT_EQ(art, "12");    // not free: kept
  EXPECT_EQ(cli, "2");     // free: the header's
}

TEST_F(ApplicaSconti, ListModeNRunsThePriceSearchFirst) {
  form.osArtLisModSconto = "N";
  form.modoTrovato = "S";
  form.scontoTrovato = "4";
  Applica();
  EXPECT_EQ(form.ricerche, 1);
  EXPECT_EQ(art, "4");
}

}  // namespace

#include <gtest/gtest.h>

#include <map>

#include "platform/dati/GestRecordset.h"
#include "services/DittaProva.h"
#include "services/UtilDocFattGest.h"

using namespace UtilDocFattGest;
using vb::Variant;

namespace {

// The customer 01-02-0003 of kind "C", category CAT, article ART of group
// GR and subgroup SG.
const char* kConto = "01020003";

class RegoleSconto : public prova::DittaProva {
 protected:
  // One rule of table `tab` for a combination; "" keys are open.
  void Regola(const std::string& tab, const std::string& nome, bool art, bool conto, bool cat, bool gru,
              bool sotto, double daQta = 0, const std::string& prezzo = "0") {
    const std::string aperto = "'~ç~'";
    std::string cols = "Articolo, Gruppo, Mastro, Conto, ArtGruppo, ArtsottoGru, Categoria, Sconto, Prezzo, PrezzoLire";
    std::string vals = std::string(art ? "'ART'" : aperto) + ", " + (conto ? "'01', '02', '0003'" : "'~ç', '~ç', '~ç~'") +
                       ", " + (gru ? "'GR'" : aperto) + ", " + (sotto ? "'SG'" : aperto) + ", " +
                       (cat ? "'CAT'" : aperto) + ", '" + nome + "', " + prezzo + ", 7777";
    if (tab == "Sconti") {
      cols += ", Tipo, SommaSost, PercRidProvv";
      vals += std::string(", ") + (conto ? "'C'" : "'~'") + ", 'A', 12.5";
    } else {
      cols += ", DaQuantita, ScoTabSost, ScoCliSost, PercRidProvv";
      vals += ", " + std::to_string(daQta) + ", 'N', 'N', 7.5";
    }
    Sql("Insert into " + tab + " (" + cols + ") Values (" + vals + ")");
  }
  void TutteLeCombinazioni(const std::string& tab) {
    Regola(tab, "m1", true, true, false, false, false);
    Regola(tab, "m2", true, false, true, false, false);
    Regola(tab, "m3", true, false, false, false, false);
    Regola(tab, "m4", false, true, false, true, true);
    Regola(tab, "m5", false, true, false, true, false);
    Regola(tab, "m6", false, false, true, true, true);
    Regola(tab, "m7", false, false, true, true, false);
    Regola(tab, "m8", false, false, false, true, true);
    Regola(tab, "m9", false, false, false, true, false);
    // Found by no query: another article, and an account of "~ç~" with an empty group.
    Sql("Insert into " + tab + " (Articolo, Gruppo, Mastro, Conto, ArtGruppo, ArtsottoGru, Categoria, Sconto" +
        (tab == "Sconti" ? ", Tipo" : ", DaQuantita") + ") Values ('ALTRO', '~ç', '~ç', '~ç~', '~ç~', '~ç~', '~ç~', 'x1'" +
        (tab == "Sconti" ? ", '~'" : ", 0") + ")");
    Sql("Insert into " + tab + " (Articolo, Gruppo, Mastro, Conto, ArtGruppo, ArtsottoGru, Categoria, Sconto" +
        (tab == "Sconti" ? ", Tipo" : ", DaQuantita") + ") Values ('ART', '', '~ç', '~ç~', '~ç~', '~ç~', '~ç~', 'x2'" +
        (tab == "Sconti" ? ", ''" : ", 0") + ")");
  }
  // Rule name -> rank, in the order of the rows; checks the order.
  std::map<std::string, int> Ranghi(const std::string& tab, const std::string& intest, const std::string& tabSconti,
                                    const Variant& qta) {
    dati::GestRecordset rs;
    std::string k;
    PrepSqlUnioneSconti(tab, rs, k, "C", "ART", intest, "CAT", "GR", "SG", tab == "Sconti", tabSconti, qta);
    std::map<std::string, int> ranghi;
    int prec = -1;
    while (!rs.FineRec(k)) {
      const int ord = rs.LeggiCampo(k, "Ord").ToInt();
      EXPECT_GE(ord, prec);
      prec = ord;
      ranghi[rs.LeggiCampo(k, "Sconto").ToString()] = ord;
      rs.ProssimoRec(k);
    }
    return ranghi;
  }
};

using MappaRanghi = std::map<std::string, int>;

TEST_F(RegoleSconto, RankedOrderOfTheCombinations) {
  TutteLeCombinazioni("ScoQua");
  TutteLeCombinazioni("Sconti");
  struct Caso {
    const char* tab;
    const char* intest;
    const char* tabSconti;
    Variant qta;
    MappaRanghi atteso;
  };
  const Caso casi[] = {
      // account, quantity, setting "1": the article's rules first
      {"ScoQua", kConto, "1", 5,
       {{"m1", 0}, {"m2", 1}, {"m3", 2}, {"m4", 3}, {"m5", 4}, {"m6", 3}, {"m7", 4}, {"m8", 5}, {"m9", 6}}},
      // account, quantity, any other setting: the customer's own rules first
      {"ScoQua", kConto, "0", 5,
       {{"m1", 0}, {"m2", 3}, {"m3", 4}, {"m4", 1}, {"m5", 2}, {"m6", 3}, {"m7", 4}, {"m8", 5}, {"m9", 6}}},
      {"ScoQua", kConto, "", "5", 
       {{"m1", 0}, {"m2", 3}, {"m3", 4}, {"m4", 1}, {"m5", 2}, {"m6", 3}, {"m7", 4}, {"m8", 5}, {"m9", 6}}},
      // account, no quantity (the table discounts)
      {"Sconti", kConto, "1", -1, {{"m1", 0}, {"m2", 1}, {"m4", 2}, {"m5", 3}, {"m6", 4}, {"m7", 5}}},
      {"Sconti", kConto, "2", -1, {{"m1", 0}, {"m2", 3}, {"m4", 1}, {"m5", 2}, {"m6", 4}, {"m7", 5}}},
      {"Sconti", "01-02-0003", "1", Variant(), {{"m1", 0}, {"m2", 1}, {"m4", 2}, {"m5", 3}, {"m6", 4}, {"m7", 5}}},
      // quantity, no account: article and group rules only
      {"ScoQua", "", "1", 5, {{"m3", 0}, {"m8", 1}, {"m9", 2}}},
      {"ScoQua", "", "0", 0, {{"m3", 0}, {"m8", 1}, {"m9", 2}}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(testing::Message() << c.tab << " conto=" << c.intest << " TabSconti=" << c.tabSconti);
    EXPECT_EQ(Ranghi(c.tab, c.intest, c.tabSconti, c.qta), c.atteso);
  }
}

TEST_F(RegoleSconto, QuantityRulesOfOneRankTakeTheLargestThreshold) {
  Regola("ScoQua", "da10", true, true, false, false, false, 10);
  Regola("ScoQua", "da50", true, true, false, false, false, 50);
  Regola("ScoQua", "gruppo", false, false, false, true, false, 100);
  double prezzo = -1, rid = -1;
  std::string modo, sconto;
  EXPECT_TRUE(RicScontoQta("ART", "30", "Euro", prezzo, modo, sconto, "", "C", kConto, "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(sconto, "da10");
  EXPECT_TRUE(RicScontoQta("ART", "50", "Euro", prezzo, modo, sconto, "", "C", kConto, "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(sconto, "da50");
  EXPECT_TRUE(RicScontoQta("ART", "1.000", "Euro", prezzo, modo, sconto, "", "C", kConto, "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(sconto, "da50");  // the article's rule ranks before the group's
  EXPECT_TRUE(RicScontoQta("ART", "5", "Euro", prezzo, modo, sconto, "3", "C", kConto, "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(modo, "T");  // none from 5 on; the field held 3: clear it
  EXPECT_EQ(sconto, "");
  EXPECT_FALSE(RicScontoQta("ART", "5", "Euro", prezzo, modo, sconto, "", "C", kConto, "CAT", "GR", "SG", "0", rid));
}

TEST_F(RegoleSconto, TableDiscountByTheSetting) {
  Regola("Sconti", "categoria", true, false, true, false, false);
  Regola("Sconti", "cliente", false, true, false, true, true);
  double prezzo = -1, rid = -1;
  std::string modo, sconto;
  EXPECT_TRUE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", kConto, "C", "CAT", "GR", "SG", "1", rid));
  EXPECT_EQ(sconto, "categoria");
  EXPECT_TRUE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", kConto, "C", "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(sconto, "cliente");
  EXPECT_EQ(modo, "A");
  EXPECT_DOUBLE_EQ(rid, 12.5);
  EXPECT_DOUBLE_EQ(prezzo, 0);
  // Another kind of addressee: the account's rule is not its own.
  EXPECT_TRUE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", kConto, "F", "CAT", "GR", "SG", "0", rid));
  EXPECT_EQ(sconto, "categoria");
}

TEST_F(RegoleSconto, TableDiscountPricesAndMissingRules) {
  Regola("Sconti", "5+2", true, true, false, false, false, 0, "9.5");
  double prezzo = -1, rid = -1;
  std::string modo = "x", sconto = "x";
  EXPECT_TRUE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", kConto, "C", "", "", "", "0", rid));
  EXPECT_DOUBLE_EQ(prezzo, 9.5);
  EXPECT_EQ(sconto, "5+2");
  EXPECT_TRUE(RicScontoTab("ART", "l.", prezzo, modo, sconto, "", kConto, "C", "", "", "", "0", rid));
  EXPECT_DOUBLE_EQ(prezzo, 7777);
  // A third currency: no price, discount and mode as stored.
  EXPECT_TRUE(RicScontoTab("ART", "USD", prezzo, modo, sconto, "", kConto, "C", "", "", "", "0", rid));
  EXPECT_DOUBLE_EQ(prezzo, 0);
  EXPECT_EQ(sconto, "5+2");
  EXPECT_EQ(modo, "A");
  // No rule: False with an empty field, True when the field must be cleared.
  EXPECT_FALSE(RicScontoTab("ZZZ", "Euro", prezzo, modo, sconto, "", kConto, "C", "", "", "", "0", rid));
  EXPECT_EQ(modo, "T");
  EXPECT_TRUE(RicScontoTab("ZZZ", "Euro", prezzo, modo, sconto, "5", kConto, "C", "", "", "", "0", rid));
  EXPECT_EQ(modo, "T");
  EXPECT_EQ(sconto, "");
  EXPECT_DOUBLE_EQ(rid, 0);
  // No account: no rule and no query at all (the table may even be gone).
  Sql("Drop table Sconti");
  db_->Motore(conn_).AzzeraCatalogo();
  EXPECT_TRUE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", "  ", "C", "", "", "", "0", rid));
  EXPECT_EQ(modo, "T");
  EXPECT_TRUE(messaggi_.empty());
  // With an account the missing table is an error, shown: False.
  EXPECT_FALSE(RicScontoTab("ART", "Euro", prezzo, modo, sconto, "", kConto, "C", "", "", "", "0", rid));
  EXPECT_EQ(messaggi_.size(), 1u);
}

struct CasoModoQta {
  const char* tabSost;
  const char* cliSost;
  const char* modo;
};

TEST_F(RegoleSconto, QuantityModeFromTheReplacements) {
  const CasoModoQta casi[] = {{"S", "S", "3"}, {"N", "s", "1"}, {"N", "N", "0"}, {"S", "", "2"}};
  for (const auto& c : casi) {
    Sql("Delete from ScoQua");
    Sql(std::string("Insert into ScoQua (Articolo, Gruppo, Mastro, Conto, ArtGruppo, ArtsottoGru, Categoria, "
                    "DaQuantita, Sconto, Prezzo, PrezzoLire, ScoTabSost, ScoCliSost, PercRidProvv) Values "
                    "('ART', '~ç', '~ç', '~ç~', '~ç~', '~ç~', '~ç~', 1, '4', 9.5, 18000, '") +
        c.tabSost + "', '" + c.cliSost + "', 2.5)");
    double prezzo = -1, rid = -1;
    std::string modo, sconto;
    EXPECT_TRUE(RicScontoQta("ART", Variant("2"), "L.", prezzo, modo, sconto, "", "C", "", "", "", "", "0", rid));
    EXPECT_EQ(modo, c.modo);
    EXPECT_EQ(sconto, "4");
    EXPECT_DOUBLE_EQ(prezzo, 18000);
    EXPECT_DOUBLE_EQ(rid, 2.5);
  }
}

TEST_F(RegoleSconto, QuantityDiscountsSwitchedOffOrNoQuantity) {
  Regola("ScoQua", "4", true, false, false, false, false, 0);
  double prezzo = -1, rid = -1;
  std::string modo = "x", sconto = "x";
  Param("Fat.ScontoQta", "n");
  EXPECT_FALSE(RicScontoQta("ART", "5", "Euro", prezzo, modo, sconto, "3", "C", "", "", "", "", "0", rid));
  EXPECT_EQ(modo, "T");
  EXPECT_EQ(sconto, "");
  EXPECT_DOUBLE_EQ(prezzo, 0);
  EXPECT_DOUBLE_EQ(rid, 0);
  Param("Fat.ScontoQta", "");
  EXPECT_TRUE(RicScontoQta("ART", "0", "Euro", prezzo, modo, sconto, "3", "C", "", "", "", "", "0", rid));
  EXPECT_EQ(modo, "T");
  EXPECT_FALSE(RicScontoQta("ART", "0", "Euro", prezzo, modo, sconto, "", "C", "", "", "", "", "0", rid));
  EXPECT_FALSE(RicScontoQta("ART", "abc", "Euro", prezzo, modo, sconto, "", "C", "", "", "", "", "0", rid));
  EXPECT_TRUE(RicScontoQta("ART", "5", "Euro", prezzo, modo, sconto, "", "C", "", "", "", "", "0", rid));
  EXPECT_EQ(modo, "0");
}

TEST_F(RegoleSconto, OlderDatabaseWithoutTheCommissionColumn) {
  auto& m = db_->Motore(conn_);
  m.Esegui("DROP TABLE ScoQua");
  m.Esegui("CREATE TABLE ScoQua (Articolo TEXT COLLATE NOCASE, Gruppo TEXT COLLATE NOCASE, Mastro TEXT COLLATE NOCASE, "
           "Conto TEXT COLLATE NOCASE, ArtGruppo TEXT COLLATE NOCASE, ArtsottoGru TEXT COLLATE NOCASE, "
           "Categoria TEXT COLLATE NOCASE, DaQuantita DOUBLE, Sconto TEXT COLLATE NOCASE, Prezzo CURRENCY, "
           "PrezzoLire CURRENCY, ScoTabSost TEXT COLLATE NOCASE, ScoCliSost TEXT COLLATE NOCASE)");
  m.AzzeraCatalogo();
  Sql("Insert into ScoQua Values ('ART', '~ç', '~ç', '~ç~', '~ç~', '~ç~', '~ç~', 1, '4', 0, 0, 'N', 'N')");
  double prezzo = -1, rid = 0;
  std::string modo, sconto;
  EXPECT_TRUE(RicScontoQta("ART", "5", "Euro", prezzo, modo, sconto, "", "C", kConto, "", "", "", "0", rid));
  EXPECT_EQ(sconto, "4");
  EXPECT_DOUBLE_EQ(rid, -1);
  EXPECT_TRUE(messaggi_.empty());
}

}  // namespace

// Packages and gross weight of the editable demo DDT from its stored lines:
// which lines count, the packages or the quantities by "RicalcColli", the
// weight by gross weight or by quantity, only the units of the list.
#include <string>

#include "ddt/header/GanciProva.h"
#include "platform/FunzioniComuni.h"

namespace {

namespace demo = dati::demo;

class Colli : public prova::GanciProva {
 protected:
  // Demo DDT 3: oil 6 (gross 4.80), biscuits 24 (0.55), course 1 (0).
  void SetUp() override {
    GanciProva::SetUp();
    G().giNumDecQtaMag = 3;
  }
  void Riga(int rigDet, const std::string& articolo, double qta, double colli, const std::string& um = "PZ") {
    const auto& fc = vb::FunzioniComuni::Istanza();
    Sql("Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, Colli, UM, FatCon) Values "
        "(2026, 3, " +
        std::to_string(rigDet) + ", " + std::to_string(rigDet) + ", 'A', '" + articolo + "', " +
        fc.ValoreSql(vb::Variant(qta), vb::vbDouble) + ", " + fc.ValoreSql(vb::Variant(colli), vb::vbDouble) +
        ", '" + um + "', 1)");
  }
  void ColliRiga(long rigLiv, double colli) {
    Sql("Update DdtDett Set Colli = " + vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(colli), vb::vbDouble) +
        " Where Anno = 2026 And NumRif = 3 And RigLiv = " + std::to_string(rigLiv));
  }
};

TEST_F(Colli, PackagesByTheSettingFromThePackagesOrTheQuantities) {
  struct Caso {
    const char* ricalc;
    double colliOlio;  // packages of the oil line (the others have none)
    const char* atteso;
  };
  const Caso casi[] = {
      {"C", 5, "5"},   {"c", 5, "5"},   {"C", 0, ""},     // "C": the packages, also when they are 0
      {"Q", 5, "31"},  {"q", 0, "31"},                    // "Q": the quantities
      {"N", 5, "5"},   {"N", 0, "31"},  {"", 0, "31"},    // other: the quantities when no packages
      {"X", 2.4, "2"},                                    // the field's mask, no decimals
  };
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.ricalc) + " " + std::to_string(c.colliOlio));
    ColliRiga(demo::kRigLivOlio, c.colliOlio);
    f.msRicalcColli = c.ricalc;
    EXPECT_EQ(f.CalcTotColli().ToString(), c.atteso);
  }
}

TEST_F(Colli, DepositLinesAndArticleLinesWithTheirEcoFeeLineAreNoPackagesLinesWithoutArticleAre) {
  Sql("Update DdtDett Set Colli = 1 Where Anno = 2026 And NumRif = 3");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  f.msRicalcColli = "C";
  ASSERT_EQ(f.CalcTotColli().ToString(), "3");
  Riga(5, demo::kArticoloCassa, 2, 2);  // deposit line
  EXPECT_EQ(f.CalcTotColli().ToString(), "3");
  Riga(6, "SENZAANAG", 4, 4);  // no such article: counts
  EXPECT_EQ(f.CalcTotColli().ToString(), "7");
  // The oil line has its eco-fee line (key 6): the oil no longer counts.
  Sql("Update DdtDett Set RigLivRAEE = 6 Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  EXPECT_EQ(f.CalcTotColli().ToString(), "6");
  // A key that is no line of the DDT changes nothing.
  Sql("Update DdtDett Set RigLivRAEE = 99 Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  EXPECT_EQ(f.CalcTotColli().ToString(), "7");
}

TEST_F(Colli, PackagesWithDecimalsTakeTheMaskWithDecimals) {
  ParPers("Tutti", "ColliDec", "s");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  ColliRiga(demo::kRigLivOlio, 2.5);
  f.msRicalcColli = "C";
  EXPECT_EQ(f.CalcTotColli().ToString(), "2,5");
}

TEST_F(Colli, WeightByGrossWeightOrQuantityOnlyForTheUnitsOfTheList) {
  struct Caso {
    const char* nome;
    const char* lordo;
    const char* unita;  // as the load leaves it
    const char* atteso;
  };
  // Oil in KG, biscuits in G, course in NR.
  const Caso casi[] = {
      {"lordo, tutte le unità", "S", "", "42"},
      {"quantità, tutte le unità", "N", "", "31"},
      {"lordo, solo KG (non G)", "S", "KG;", "28,8"},
      {"lordo, solo G", "S", "G;", "13,2"},
      {"lordo, G e KG", "s", "G;KG;", "42"},
      {"quantità, KG e NR", "N", "KG;NR;", "7"},
      {"unità che nessuna riga ha", "S", "L;", "0"},
  };
  Sql("Update DdtDett Set UM = 'KG' Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  Sql("Update DdtDett Set UM = 'G' Where Anno = 2026 And NumRif = 3 And RigLiv = 3");
  Sql("Update DdtDett Set UM = 'NR' Where Anno = 2026 And NumRif = 3 And RigLiv = 4");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    f.msCalcolaPesoLordo = c.lordo;
    f.msCalcolaPesoUm = c.unita;
    f.CalcolaPeso();
    EXPECT_EQ(f.txt(1210).Text(), c.atteso);
  }
}

TEST_F(Colli, TheUnitListOfTheSettingsIsClosedAtLoadAndMatchesWholeUnits) {
  ParPers("Ddt", "CalcolaPesoUm", "KG");
  Sql("Update DdtDett Set UM = 'KG' Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  Sql("Update DdtDett Set UM = 'G' Where Anno = 2026 And NumRif = 3 And RigLiv = 3");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  EXPECT_EQ(f.msCalcolaPesoUm, "KG;");
  f.CalcolaPeso();
  EXPECT_EQ(f.txt(1210).Text(), "28,8");
}

TEST_F(Colli, AMissingOrZeroFactorCountsAsOneLinesWithoutArticleDoNotWeigh) {
  struct Caso {
    const char* fatCon;
    const char* atteso;
  };
  const Caso casi[] = {{"Null", "42"}, {"0", "42"}, {"2", "70,8"}};
  Riga(5, "SENZAANAG", 10, 1);
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  f.msCalcolaPesoLordo = "S";
  f.msCalcolaPesoUm.clear();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.fatCon);
    Sql(std::string("Update DdtDett Set FatCon = ") + c.fatCon + " Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
    f.CalcolaPeso();
    EXPECT_EQ(f.txt(1210).Text(), c.atteso);
  }
  // Deposit lines weigh.
  Riga(6, demo::kArticoloCassa, 2, 2);
  f.CalcolaPeso();
  EXPECT_EQ(f.txt(1210).Text(), "73,2");
}

}  // namespace

namespace {

// The same queries on the test server.
TEST_F(Colli, PackagesAndWeightOnTheServer) {
  std::unique_ptr<prova::DatabaseServer> server;
  if (!ApriSuServer(server)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  Sql("Update DdtDett Set UM = 'KG' Where Anno = 2026 And NumRif = 3 And RigLiv = 1");
  Sql("Update DdtDett Set UM = 'G' Where Anno = 2026 And NumRif = 3 And RigLiv = 3");
  Sql("Update DdtDett Set FatCon = Null Where Anno = 2026 And NumRif = 3 And RigLiv = 3");
  Riga(5, dati::demo::kArticoloCassa, 2, 2);
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  f.msCalcolaPesoLordo = "S";
  f.msCalcolaPesoUm = "KG;";
  f.CalcolaPeso();
  EXPECT_EQ(f.txt(1210).Text(), "28,8");
  f.msCalcolaPesoUm.clear();
  f.CalcolaPeso();
  EXPECT_EQ(f.txt(1210).Text(), "44,4");
  f.msRicalcColli = "N";
  EXPECT_EQ(f.CalcTotColli().ToString(), "31");
}

}  // namespace

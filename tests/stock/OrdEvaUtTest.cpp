// Committed quantities given back to an order line and passed on to the
// components of a compound article.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "platform/dati/DittaDemo.h"
#include "services/ComLock.h"
#include "stock/DisAggProvFat.h"
#include "stock/DittaMagazzino.h"
#include "stock/OrdEvaUt.h"

namespace {

using prova::Motore;

class Impegni : public prova::DittaMagazzino {
 protected:
  void SetUp() override {
    DittaMagazzino::SetUp();
    if (IsSkipped()) return;
    Param("Ditta.InstDiBa", "S");
  }
  void Prog(const std::string& art, int anno = 2026, double imp = 0) {
    Sql("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaImpCli, ValImpCli, ValImpCliLire)"
        " Values (" +
        std::to_string(anno) + ", 'A', '" + art + "', '~ç~', '~ç~', " + std::to_string(imp) + ", 0, 0)");
  }
  double Imp(const std::string& art, const char* col = "QtaImpCli", int anno = 2026) {
    return Num(std::string("Select ") + col + " as V from ArticoliProg Where Articolo = '" + art +
               "' And Anno = " + std::to_string(anno));
  }
  // Give back pvQtaMov of a customer order line of qta worth 100 euro.
  void DaiIndietro(const std::string& art, double qta, double evasaPrec, double evasa, double mov,
                   const std::string& causaleDiBa = "") {
    OrdEvaUt::AggImpegni(0, 2026, "A", art, "", "", vb::Variant(qta), vb::Variant(evasa), vb::Variant(evasaPrec),
                         vb::Currency::FromDouble(mov), vb::Variant(100.0), vb::Variant(200.0), "N", 0, "", 0, "N",
                         "S", "S", causaleDiBa, "", 0, 0);
  }
};

TEST_P(Impegni, AGiveBackRaisesTheCommitmentInEveryLaterYear) {
  Prog("ART");
  Prog("ART", 2027);
  DaiIndietro("ART", 10, 7, 4, 3);
  EXPECT_DOUBLE_EQ(Imp("ART"), 3);
  EXPECT_DOUBLE_EQ(Imp("ART", "ValImpCli"), 30);
  EXPECT_DOUBLE_EQ(Imp("ART", "QtaImpCli", 2027), 3);
  // A line of no quantity moves no value (and raises no division error).
  DaiIndietro("ART", 0, 1, 0, 1);
  EXPECT_DOUBLE_EQ(Imp("ART"), 4);
  EXPECT_DOUBLE_EQ(Imp("ART", "ValImpCli"), 30);
}

TEST_P(Impegni, AComponentInBoxesOfSixGetsItsShare) {
  Sql("Insert Into Articoli (Articolo, ArtMag, ArtUM, ArtUMVen, FatConVen, DistBase) Values ('COMP', 'S', 'PZ', 'SC', 6,"
      " 0)");
  Sql("Insert Into ArtLegami (ArticoloPadre, ArticoloFiglio, UM, Qta) Values ('ART', 'COMP', 'SC', 2)");
  Prog("ART");
  Prog("COMP");
  DaiIndietro("ART", 10, 3, 0, 3, "DIBA");
  EXPECT_DOUBLE_EQ(Imp("ART"), 3);
  EXPECT_DOUBLE_EQ(Imp("COMP"), 36);
}

TEST_P(Impegni, ACycleInTheBillOfMaterialsIsReportedNotFollowed) {
  Sql("Insert Into Articoli (Articolo, ArtMag, ArtUM, DistBase) Values ('SUB', 'S', 'PZ', 1)");
  Sql("Update Articoli Set DistBase = 1 Where Articolo = 'ART'");
  Sql("Insert Into ArtLegami (ArticoloPadre, ArticoloFiglio, UM, Qta) Values ('ART', 'SUB', 'PZ', 1)");
  Sql("Insert Into ArtLegami (ArticoloPadre, ArticoloFiglio, UM, Qta) Values ('SUB', 'ART', 'PZ', 1)");
  EXPECT_EQ(OrdEvaUt::EsplodiDiBa(0, "N", 0, 2026, "ART", 0, 3, 10, "A", 0, false), 1);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("ciclica"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Motori, Impegni, ::testing::Values(Motore::SQLite, Motore::Server), prova::NomeMotore);

}  // namespace

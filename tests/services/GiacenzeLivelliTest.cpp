// Stock figures and minimum stock; level conditions, level captions and
// window titles.
#include <gtest/gtest.h>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/ui/Form.h"
#include "services/DittaProva.h"

using namespace AziendaUtil;

namespace {

class Giacenze : public prova::DittaProva {
 protected:
  void Prog(int anno, const std::string& mag, const std::string& art, const std::string& l1, const std::string& l2,
            double iniz, double car, double scar, double ord, double imp) {
    Sql("Insert into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, QtaCarico, "
        "QtaScarico, QtaOrdFor, QtaImpCli) Values (" +
        std::to_string(anno) + ", '" + mag + "', '" + art + "', '" + l1 + "', '" + l2 + "', " +
        std::to_string(iniz) + ", " + std::to_string(car) + ", " + std::to_string(scar) + ", " +
        std::to_string(ord) + ", " + std::to_string(imp) + ")");
  }
};

class Livelli : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    Param("Mag.GesTaglie", "S");
  }
};

class Etichette : public ui::Form {
 public:
  Etichette() : ui::Form("frmLivelli") {
    Crea(ui::Tipo::Label, "labLiv1");
    Crea(ui::Tipo::Label, "labLiv2");
  }
};

}  // namespace

TEST_F(Giacenze, StockOnHandAvailabilityAndOrdered) {
  // Opening 10, loaded 5, unloaded 3, ordered 4, committed 6.
  Prog(2026, "01", "ART", "~ç~", "~ç~", 10, 5, 3, 4, 6);
  vb::Variant disp, giac, ord;
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026, "01", vb::Null, vb::Null, &disp, &giac, &ord).ToDouble(), 10);
  EXPECT_DOUBLE_EQ(giac.ToDouble(), 12);
  EXPECT_DOUBLE_EQ(disp.ToDouble(), 10);
  EXPECT_DOUBLE_EQ(ord.ToDouble(), 4);
  // No availability asked: the stock on hand.
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026, "01", vb::Null, vb::Null, nullptr, &giac).ToDouble(), 12);
  // Kind "G" with the availability asked: still the stock on hand, all outputs filled.
  disp = giac = ord = vb::Variant();
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026, "01", vb::Null, vb::Null, &disp, &giac, &ord, "G").ToDouble(), 12);
  EXPECT_DOUBLE_EQ(disp.ToDouble(), 10);
  EXPECT_DOUBLE_EQ(ord.ToDouble(), 4);
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026, "01", vb::Null, vb::Null, nullptr, nullptr, nullptr, "D").ToDouble(), 10);
}

TEST_F(Giacenze, WarehousesYearsAndLevels) {
  Prog(2026, "01", "MAGLIA", "M", "BLU", 10, 0, 0, 0, 0);
  Prog(2026, "01", "MAGLIA", "L", "BLU", 5, 0, 0, 0, 0);
  Prog(2026, "02", "MAGLIA", "M", "NER", 2, 0, 1, 0, 0);
  Prog(2025, "01", "MAGLIA", "M", "BLU", 100, 0, 0, 0, 0);
  Prog(2026, "01", "ALTRO", "M", "BLU", 7, 0, 0, 0, 0);
  auto g = [&](const vb::Variant& mag, const vb::Variant& l1, const vb::Variant& l2) {
    return CalcGiacenza("MAGLIA", 2026, mag, l1, l2).ToDouble();
  };
  EXPECT_DOUBLE_EQ(g(vb::Missing, vb::Null, vb::Null), 16);
  EXPECT_DOUBLE_EQ(g("", vb::Null, vb::Null), 16);
  EXPECT_DOUBLE_EQ(g("01", vb::Null, vb::Null), 15);
  EXPECT_DOUBLE_EQ(g("01", "M", vb::Null), 10);
  EXPECT_DOUBLE_EQ(g(vb::Missing, "M", vb::Null), 11);
  EXPECT_DOUBLE_EQ(g(vb::Missing, vb::Null, "BLU"), 15);
  EXPECT_DOUBLE_EQ(g(vb::Missing, "M", "NER"), 1);
  EXPECT_DOUBLE_EQ(CalcGiacenza("MAGLIA", 2025).ToDouble(), 100);
  // No row at all: zero, not an error.
  vb::Variant disp;
  EXPECT_DOUBLE_EQ(CalcGiacenza("NESSUNO", 2026, vb::Missing, vb::Null, vb::Null, &disp).ToDouble(), 0);
  EXPECT_DOUBLE_EQ(disp.ToDouble(), 0);
}

TEST_F(Giacenze, AnArticlesStockIsReachedByYearAndArticleInEveryWarehouseOrInOne) {
  // The reads as the routine writes them, with and without a warehouse: on
  // a company of many articles the engine must not walk the year's rows.
  for (const char* magazzino : {"", " and Magazzino = '01'"}) {
    const std::string sql = db_->Traduci(conn_,
                                         "Select sum(QtaIniziale) As SumQtaIniziale from ArticoliProg Where Anno = "
                                         "2026 and Articolo = 'ART'" +
                                             std::string(magazzino))
                                ->sql;
    std::string passi;
    for (const auto& r : db_->Motore(conn_).Interroga("EXPLAIN QUERY PLAN " + sql).righe)
      passi += r.back().ToString() + "; ";
    SCOPED_TRACE(passi);
    EXPECT_NE(passi.find("SEARCH ArticoliProg"), std::string::npos);
    EXPECT_NE(passi.find("Articolo=?"), std::string::npos);
  }
}

TEST_F(Giacenze, QuantitiesAreRoundedToTheWarehouseDecimals) {
  G().giNumDecQtaMag = 2;
  Prog(2026, "01", "ART", "~ç~", "~ç~", 1.005, 0, 0, 0, 0);
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026).ToDouble(), 1.01);
  G().giNumDecQtaMag = 0;
  EXPECT_DOUBLE_EQ(CalcGiacenza("ART", 2026).ToDouble(), 1);
}

TEST_F(Giacenze, MinimumStockOfTheWarehouseOrOfTheArticle) {
  Sql("Insert into Articoli (Articolo, Descrizione, ScortaMinima) Values ('A1', 'Uno', 8)");
  Sql("Insert into Articoli (Articolo, Descrizione) Values ('A2', 'Due')");
  Sql("Insert into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('A1', '01', '~ç~', "
      "'~ç~', 3)");
  Sql("Insert into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('A1', '02', '~ç~', "
      "'~ç~', 0)");
  EXPECT_DOUBLE_EQ(LeggiScortaMin("A1", "01").ToDouble(), 3);
  EXPECT_DOUBLE_EQ(LeggiScortaMin("A1", "02").ToDouble(), 8);  // 0 for the warehouse
  EXPECT_DOUBLE_EQ(LeggiScortaMin("A1", "03").ToDouble(), 8);  // no row for the warehouse
  EXPECT_TRUE(LeggiScortaMin("A2", "01").IsEmpty());
  EXPECT_TRUE(LeggiScortaMin("NESSUNO", "01").IsEmpty());
}

TEST_F(Livelli, TheLevelConditionOfTheQueries) {
  struct Caso {
    int16_t n;
    vb::Variant l1, l2;
    bool no, forza;
    const char* atteso;
  };
  const Caso casi[] = {
      {1, "M", "BLU", false, false, " And Livello1 = 'M' And Livello2 = '~ç~'"},
      {2, "M", "BLU", false, false, " And Livello1 = 'M' And Livello2 = 'BLU'"},
      {0, "M", "BLU", false, true, " And Livello1 = 'M' And Livello2 = 'BLU'"},
      {2, "M", "BLU", true, true, " And Livello1 = '~ç~' And Livello2 = '~ç~'"},
      {0, "M", "BLU", false, false, " And Livello1 = '~ç~' And Livello2 = '~ç~'"},
      {2, vb::Missing, "BLU", false, false, " And Livello1 = '~ç~' And Livello2 = 'BLU'"},
      {2, "", "BLU", false, false, " And Livello1 = '' And Livello2 = 'BLU'"},
  };
  for (const auto& c : casi) EXPECT_EQ(PrepSqlLivelli(c.n, c.l1, c.l2, c.no, c.forza), c.atteso);
  Param("Mag.GesTaglie", "N");
  EXPECT_EQ(PrepSqlLivelli(2, "M", "BLU", false, true), " And Livello1 = '~ç~' And Livello2 = '~ç~'");
}

TEST_F(Livelli, LevelGroupsAndCaptionsOfAnArticle) {
  Sql("Insert into LivGruppi (LivGruppo, Descrizione) Values ('TAGLIE', 'Taglie')");
  Sql("Insert into LivGruppi (LivGruppo, Descrizione) Values ('COLORI', '')");
  Sql("Insert into Articoli (Articolo, Descrizione, LivGruppo1) Values ('PANT', 'Pantaloni', 'TAGLIE')");
  Sql("Insert into Articoli (Articolo, Descrizione, LivGruppo1, LivGruppo2) Values ('MAGLIA', 'Maglia', 'TAGLIE', "
      "'COLORI')");
  Sql("Insert into Articoli (Articolo, Descrizione) Values ('VITE', 'Vite')");
  Etichette f;
  auto& l1 = f.C("labLiv1");
  auto& l2 = f.C("labLiv2");
  int16_t n = -1;
  std::string art = "PANT  ";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(art, "PANT");
  EXPECT_EQ(n, 1);
  EXPECT_EQ(l1.Caption(), "Taglie:");
  EXPECT_EQ(l2.Caption(), "Livello 2:");
  art = "MAGLIA";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(l2.Caption(), "Livello 2:");  // a group without description
  art = "VITE";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(l1.Caption(), "Livello 1:");
  // Article missing or empty, or levels not managed: the count stays as it was.
  n = 7;
  art = "NESSUNO";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(n, 7);
  art = "   ";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(n, 7);
  Param("Mag.GesTaglie", "n");
  art = "PANT  ";
  LeggiGruppiLiv(art, l1, l2, n);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(art, "PANT  ");
  EXPECT_EQ(l1.Caption(), "Livello 1:");
}

TEST(PrepTitoloTest, TheTitleEndsWithTheSuffixOrTheCompany) {
  AzzeraGlobali();
  G().gsDescAzie = "Alfa";
  EXPECT_EQ(PrepTitolo("Documenti").ToString(), "Documenti - Alfa");
  EXPECT_EQ(PrepTitolo("Documenti", "Prova").ToString(), "Documenti - Prova");
  AzzeraGlobali();
}

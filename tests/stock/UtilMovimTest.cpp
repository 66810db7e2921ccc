// One movement row on the stock progressives and the article costs, applied
// ("A") or taken off ("D"), on SQLite and on the PostgreSQL test server.
#include <gtest/gtest.h>

#include <string>

#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"
#include "stock/DittaMagazzino.h"
#include "stock/UtilMovim.h"

namespace {

using prova::Motore;

class RigaMovimento : public prova::DittaMagazzino {
 protected:
  // Every detail row of movement 2026/num through the per-row routine.
  void Esegui(const std::string& direzione, long num = 1) {
    dati::GestRecordset rs;
    std::string kt;
    ASSERT_EQ(UtilMovim::ApriTestMovim(2026, num, rs, kt), 0);
    const std::string kr =
        rs.ApriRecordset(*db_, conn_, "", UtilMovim::SqlRigheMovim(2026, num, "D", "MovMagDett", "MovMagLiv"), false, 2);
    while (!rs.FineRec(kr)) {
      double l = 0, e = 0, base = -1;
      std::string tipo;
      UtilMovim::AggRigaMovim(direzione, false, rs, kt, kr, "D", true, 0, l, e, true, true, base, tipo);
      rs.ProssimoRec(kr);
    }
    rs.ChiudiRecordset(kr);
    rs.ChiudiRecordset(kt);
  }
};

TEST_P(RigaMovimento, RowsQueriesAsTheEngineReadsThem) {
  EXPECT_EQ(UtilMovim::SqlRigheMovim(2026, 7, "D", "MovMagDett", "MovMagLiv"),
            "Select MovMagDett.*, Articoli.LivGruppo1, Articoli.ArtMag, Articoli.FlagLivLis, Articoli.GruppoForAb, "
            "Articoli.MastroForAb, Articoli.ContoForAb from  MovMagDett Inner Join Articoli ON (MovMagDett.Articolo = "
            "Articoli.Articolo) Where MovMagDett.Anno = 2026 AND MovMagDett.NumReg = 7");
  const std::string liv = UtilMovim::SqlRigheMovim(2026, 7, "L", "MovMagDett", "MovMagLiv");
  EXPECT_NE(liv.find("Select MovMagLiv.*, MovMagDett.Articolo, MovMagDett.ListDaAgg, MovMagDett.ListDaAggClie, "),
            std::string::npos);
  EXPECT_NE(liv.find(" from  (MovMagLiv Inner Join MovMagDett ON (MovMagDett.NumReg = MovMagLiv.NumReg)"),
            std::string::npos);
  // Both open on the engine, the level rows with their detail row's article.
  NuovaCausale("CAR", {});
  Movimento("CAR", 7);
  RigaDett(7, 1, 3, 2);
  Sql("Insert Into MovMagLiv (Anno, NumReg, RigLiv, Livello1, Livello2, Qta, QtaAggMag) Values (2026, 7, 1, 'M', 'B', "
      "3, 3)");
  dati::GestRecordset rs;
  for (const std::string& sql : {UtilMovim::SqlRigheMovim(2026, 7, "D", "MovMagDett", "MovMagLiv"), liv}) {
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 2);
    ASSERT_FALSE(rs.NessunRecord(k)) << sql;
    EXPECT_EQ(servizi::Testo(rs.LeggiCampo(k, "Articolo")), "ART");
    EXPECT_DOUBLE_EQ(rs.LeggiCampo(k, "QtaAggMag").ToDouble(), 3);
    rs.ChiudiRecordset(k);
  }
  std::string kt;
  ASSERT_EQ(UtilMovim::ApriTestMovim(2026, 7, rs, kt), 0);
  EXPECT_EQ(servizi::Testo(rs.LeggiCampo(kt, "MovMagtes.MagCausale")), "CAR");
  EXPECT_EQ(servizi::Testo(rs.LeggiCampo(kt, "MagCausali.CarScar")), "C");
  // A key already set is trusted.
  std::string altra = kt;
  EXPECT_EQ(UtilMovim::ApriTestMovim(2026, 99, rs, altra), 0);
  EXPECT_EQ(altra, kt);
  rs.ChiudiRecordset(kt);
}

// A movement row of 10 at 12 taken off the progressive row of its
// warehouse (100 loaded, 40 unloaded, 320 of unloads at cost).
struct CasoSegno {
  const char* nome;
  const char* carScar;
  const char* segno;
  int qualeProgrQta;
  const char* colonna;  // the one column that moves
  double atteso;
  double giacenza;  // stock on hand after (60 before)
};

class SegniProgressivi : public RigaMovimento {};

TEST_P(SegniProgressivi, TakingARowOffMovesOnlyItsColumn) {
  const CasoSegno casi[] = {
      {"carico+", "C", "+", 0, "QtaCarico", 90, 50},   {"carico-", "C", "-", 0, "QtaCarico", 110, 70},
      {"scarico+", "S", "+", 0, "QtaScarico", 30, 70}, {"scarico-", "S", "-", 0, "QtaScarico", 50, 50},
      {"nessuno", "N", "+", 2, "ProgrQta2", 10, 60},
  };
  long num = 0;
  for (const CasoSegno& c : casi) {
    SCOPED_TRACE(c.nome);
    ++num;
    Sql("Delete from ArticoliProg");
    Progressivo("A");
    Causale k;
    k.carScar = c.carScar;
    k.segno = c.segno;
    k.qualeProgrQta = c.qualeProgrQta;
    k.prov = "M";
    k.dest = "C";
    NuovaCausale("K" + std::to_string(num), k);
    Movimento("K" + std::to_string(num), num);
    RigaDett(num, 1, 10, 12);
    Esegui("D", num);
    for (const char* col : {"QtaCarico", "QtaScarico", "ProgrQta2"}) {
      const double prima = std::string(col) == "QtaCarico" ? 100 : std::string(col) == "QtaScarico" ? 40 : 0;
      EXPECT_DOUBLE_EQ(Prog("A", col), std::string(col) == c.colonna ? c.atteso : prima) << col;
    }
    EXPECT_DOUBLE_EQ(Prog("A", "QtaIniziale") + Prog("A", "QtaCarico") - Prog("A", "QtaScarico"), c.giacenza);
  }
  // The values follow the quantity; the unload at cost goes back by the
  // row's stored cost 8 x 10 (scarico- raised it: v = q = +1).
  EXPECT_DOUBLE_EQ(Prog("A", "ValCarico"), 1000);
}

TEST_P(SegniProgressivi, UnloadValuesAndTransfers) {
  Progressivo("A");
  Progressivo("B");
  Causale k;
  k.carScar = "S";
  k.prov = "M";
  k.dest = "M";  // a transfer: the destination takes a load
  NuovaCausale("TRA", k);
  Movimento("TRA");
  RigaDett(1, 1, 10, 12);
  Esegui("D");
  EXPECT_DOUBLE_EQ(Prog("A", "QtaScarico"), 30);
  EXPECT_DOUBLE_EQ(Prog("A", "ValScarico"), 280);
  EXPECT_DOUBLE_EQ(Prog("A", "ValScaUC"), 240);
  EXPECT_DOUBLE_EQ(Prog("B", "QtaCarico"), 90);
  EXPECT_DOUBLE_EQ(Prog("B", "QtaScarico"), 40);
  // A missing progressive row is not created by a reversal.
  Sql("Delete from ArticoliProg Where Magazzino = 'B'");
  Esegui("D");
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from ArticoliProg Where Magazzino = 'B'"), 0);
}

TEST_P(SegniProgressivi, TakingASupplierLoadOffKeepsTheHabitualSupplier) {
  Param("Mag.AggForArt", "S");
  Sql("Update Articoli Set GruppoForAb = '07', MastroForAb = '01', ContoForAb = '0001' Where Articolo = 'ART'");
  Progressivo("B");
  NuovaCausale("CAR", {});
  Movimento("CAR");
  RigaDett(1, 1, 10, 12);
  Esegui("D");
  EXPECT_DOUBLE_EQ(Prog("B", "QtaCarico"), 90);
  EXPECT_EQ(Valore("Select ContoForAb as V from Articoli").ToString(), "0001");
  // Applying the same load makes its supplier the habitual one.
  Esegui("A");
  EXPECT_EQ(Valore("Select ContoForAb as V from Articoli").ToString(), "0002");
}

// A load of 10 at 12 applied on a stock of 10 (or -5) at average 10.
TEST_P(SegniProgressivi, WeightedAverageOfALoad) {
  struct {
    double iniz, scarico, atteso;
  } casi[] = {{10, 0, 11}, {0, 5, 14}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.atteso);
    Sql("Delete from ArticoliProg");
    Sql("Delete from ArticoliCosti");
    Sql("Delete from MovMagTes");
    Sql("Delete from MovMagDett");
    Sql("Delete from MagCausali");
    Progressivo("B", c.iniz, 0, c.scarico);
    Sql("Insert Into ArticoliCosti (Anno, Articolo, Livello1, Livello2, MedioPonderale, MedioPonderaleLire, CMPValido,"
        " QtaAcquisti, ValAcquisti, ValAcquistiLire) Values (2026, 'ART', '~ç~', '~ç~', 10, 10, 'S', 0, 0, 0)");
    Causale k;
    k.aggMedioPon = "S";
    k.aggCostoUlt = "S";
    k.acqVen = "A";
    NuovaCausale("CAR", k);
    Movimento("CAR");
    RigaDett(1, 1, 10, 12);
    Esegui("A");
    EXPECT_DOUBLE_EQ(Num("Select MedioPonderale as V from ArticoliCosti"), c.atteso);
    EXPECT_DOUBLE_EQ(Num("Select CostoUltimo as V from ArticoliCosti"), 12);
    EXPECT_DOUBLE_EQ(Num("Select QtaAcquisti as V from ArticoliCosti"), 10);
    // Taken off: the average stays, marked untrusted; the purchases go back.
    Esegui("D");
    EXPECT_DOUBLE_EQ(Num("Select MedioPonderale as V from ArticoliCosti"), c.atteso);
    EXPECT_EQ(Valore("Select CMPValido as V from ArticoliCosti").ToString(), "N");
    EXPECT_DOUBLE_EQ(Num("Select QtaAcquisti as V from ArticoliCosti"), 0);
    EXPECT_DOUBLE_EQ(Prog("B", "QtaCarico"), 0);
  }
  // A reversal never creates a cost row.
  Sql("Delete from ArticoliCosti");
  Esegui("D");
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from ArticoliCosti"), 0);
}

TEST_P(SegniProgressivi, NoStockArticleOrOrderCauseChangesNothing) {
  Progressivo("B");
  NuovaCausale("CAR", {});
  Movimento("CAR");
  RigaDett(1, 1, 10, 12);
  Sql("Update Articoli Set ArtMag = 'N'");
  Esegui("D");
  EXPECT_DOUBLE_EQ(Prog("B", "QtaCarico"), 100);
  Sql("Update Articoli Set ArtMag = 'S'");
  Sql("Update MagCausali Set TipoMov = 'O'");
  Esegui("D");
  EXPECT_DOUBLE_EQ(Prog("B", "QtaCarico"), 100);
}

// A code holding a quote reaches the statements as a literal.
TEST_P(SegniProgressivi, CodesWithQuotes) {
  Sql("Insert Into Articoli (Articolo, Descrizione, ArtMag, FlagLivLis, ArtUM) Values ('O''K', 'x', 'S', 0, 'PZ')");
  Sql("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaCarico, QtaScarico) Values (2026,"
      " 'B', 'O''K', '~ç~', '~ç~', 100, 0)");
  NuovaCausale("C''1", {});  // the cause C'1, written as a literal
  Movimento("C''1");
  RigaDett(1, 1, 10, 12);
  Sql("Update MovMagDett Set Articolo = 'O''K'");
  Esegui("D");
  EXPECT_DOUBLE_EQ(Num("Select QtaCarico as V from ArticoliProg Where Articolo = 'O''K'"), 90);
}

INSTANTIATE_TEST_SUITE_P(Motori, RigaMovimento, ::testing::Values(Motore::SQLite, Motore::Server), prova::NomeMotore);
INSTANTIATE_TEST_SUITE_P(Motori, SegniProgressivi, ::testing::Values(Motore::SQLite, Motore::Server),
                         prova::NomeMotore);

// The share per unit of the movement's expenses.
TEST(QuotaSpese, ByValueByQuantityAndPercentages) {
  struct {
    const char* ripart;
    double importo, totale;
    const char* tipo;
    double qta, valTot, valUnit, atteso;
  } casi[] = {
      {"V", 100, 1000, "", 4, 200, 50, 5},   {"Q", 100, 10, "", 3, 30, 10, 10}, {"V", -10, 100, "V", 2, 100, 50, 5},
      {"V", -10, 100, "", 2, 100, 50, 5},    {"V", 10, 100, "P", 2, 100, 50, 5}, {"", 100, 1000, "", 4, 200, 50, 0},
      {"V", 100, 0, "", 4, 200, 50, 0},      {"V", 100, 1000, "", 0, 200, 50, 0},
  };
  for (const auto& c : casi)
    EXPECT_DOUBLE_EQ(UtilMovim::CalcQuotaSpese(c.ripart, c.importo, c.totale, c.tipo, c.qta, c.valTot, c.valUnit),
                     c.atteso)
        << c.ripart << " " << c.importo << " " << c.tipo;
}

TEST(UtilAggNoMov, BothEntryPointsAnswerEmpty) {
  std::string a, b;
  EXPECT_TRUE(UtilAggNoMov::DisAggMovimDoc(2026, 1, nullptr, a, "L", true, b, true, "I", 0).IsEmpty());
  EXPECT_TRUE(UtilAggNoMov::AggMovimDoc(2026, 1, nullptr, "D", true, a, b, true, "0", 0, true).IsEmpty());
}

}  // namespace

// The give-back of a deleted DDT to its sources, on the demo company: the
// editable DDT 3 took 6 of the 10 bottles of customer order 1.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"
#include "stock/DisAggProvFat.h"

namespace {

namespace demo = dati::demo;
using namespace DisAggProvFat;

class Restituzione : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    dati::CreaDittaDemo(*db_, conn_);
  }
  void TearDown() override {
    ComLock::SbloccaDoc(nullptr, -1);
    DittaProva::TearDown();
  }
  vb::Variant Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    vb::Variant v = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampo(k, "V");
    rs.ChiudiRecordset(k);
    return v;
  }
  int16_t DaiIndietro(const std::string& provenienza, long numRif = demo::kDdtModificabile) {
    msg_.clear();
    return DisAggDocProv("O", provenienza, 2026, numRif, G().gsKeyRecLock, "D", "D", true, msg_);
  }
  double QtaEvasa(long ordine) {
    return Valore("Select QtaEvasa as V from OrdVenDett Where Anno = 2026 And NumRif = " + std::to_string(ordine) +
                  " And RigLiv = 1")
        .ToDouble();
  }
  std::string StatoRiga(long ordine) {
    return Valore("Select StatoRiga as V from OrdVenDett Where Anno = 2026 And NumRif = " + std::to_string(ordine) +
                  " And RigLiv = 1")
        .ToString();
  }
  // A second order of 5 bottles, 2 taken into DDT 3 as its line 4.
  void SecondoOrdine() {
    Sql("Insert Into OrdVenTest (Anno, NumRif, OrdAperto, Stato) Values (2026, 2, 'N', 'P')");
    Sql(std::string("Insert Into OrdVenDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, QtaEvasa,"
                    " StatoRiga) Values (2026, 2, 1, 1, 'A', '") + demo::kArticoloLotti + "', 5, 2, 'P')");
    Sql(std::string("Insert Into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, TipoProv,"
                    " AnnoRifProv, NumRifProv, RigaRifProv, QtaProv) Values (2026, 3, 4, 5, 'A', '") +
        demo::kArticoloLotti + "', 2, 'O', 2026, 2, 1, 2)");
  }
  std::string msg_;
};

TEST_F(Restituzione, AnOrderGetsBackWhatTheDdtEvaded) {
  ASSERT_DOUBLE_EQ(QtaEvasa(demo::kOrdineCliente), 6);
  EXPECT_EQ(DaiIndietro("O"), kRestituito);
  EXPECT_DOUBLE_EQ(QtaEvasa(demo::kOrdineCliente), 0);
  EXPECT_EQ(StatoRiga(demo::kOrdineCliente), "");
  EXPECT_EQ(Valore("Select Stato as V from OrdVenTest Where Anno = 2026 And NumRif = 1").ToString(), "");
  // The DDT's lock held for the caller, the order's gone.
  EXPECT_EQ(Valore("Select Count(*) as V from LockGest Where Tipo = 'D' And NumReg = 3").ToLong(), 1);
  EXPECT_EQ(Valore("Select Count(*) as V from LockGest Where Tipo = 'O'").ToLong(), 0);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Restituzione, KindsWithoutSourcesAnswerAtOnce) {
  for (const char* tipo : {"", "X", "F"}) {
    EXPECT_EQ(DaiIndietro(tipo), kRestituito) << tipo;
    EXPECT_EQ(Valore("Select Count(*) as V from LockGest").ToLong(), 0) << tipo;
  }
  EXPECT_DOUBLE_EQ(QtaEvasa(demo::kOrdineCliente), 6);
  // Quotes: only the checks (no line of DDT 3 came from a quote).
  risposte_ = {1};
  EXPECT_EQ(DaiIndietro("P"), kFontiMancanti);
  EXPECT_EQ(msg_, "Attenzione tutti i documenti di provenienza sono stati cancellati");
}

TEST_F(Restituzione, ADdtInUseIsRefused) {
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 3, 'luigi', '7', 'D')");
  EXPECT_EQ(DaiIndietro("O"), kInUso);
  EXPECT_EQ(msg_, "Documento in uso da altro utente: Non è possibile proseguire con la cancellazione ");
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), msg_);
  EXPECT_DOUBLE_EQ(QtaEvasa(demo::kOrdineCliente), 6);
}

// One of two source orders deleted meanwhile: after "SI" the one that
// still exists gets its quantities back; after "NO" nothing changes.
TEST_F(Restituzione, SourcesPartlyGone) {
  SecondoOrdine();
  Sql("Delete from OrdVenTest Where Anno = 2026 And NumRif = 1");
  risposte_ = {2};
  EXPECT_EQ(DaiIndietro("O"), kNonProseguire);
  EXPECT_DOUBLE_EQ(QtaEvasa(2), 2);
  ComLock::SbloccaDoc(nullptr, -1);
  risposte_ = {1};
  EXPECT_EQ(DaiIndietro("O"), kFontiMancanti);
  EXPECT_EQ(msg_, "Attenzione, alcuni documenti di provenienza sono stati cancellati");
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), msg_ + "\r\nContinuo con la cancellazione?");
  EXPECT_DOUBLE_EQ(QtaEvasa(2), 0);
  EXPECT_EQ(Valore("Select Stato as V from OrdVenTest Where Anno = 2026 And NumRif = 2").ToString(), "");
  // The deleted order's lines are not touched.
  EXPECT_DOUBLE_EQ(QtaEvasa(1), 6);
}

TEST_F(Restituzione, AnOrderInUseStopsOnEsciAndLeavesNoLockOfOurs) {
  SecondoOrdine();
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('O', 2026, 2, 'luigi', 'D', 'O')");
  risposte_ = {1, 2};  // "Riprova", then "Esci"
  EXPECT_EQ(DaiIndietro("O"), kNonProseguire);
  EXPECT_DOUBLE_EQ(QtaEvasa(1), 6);
  EXPECT_DOUBLE_EQ(QtaEvasa(2), 2);
  EXPECT_EQ(Valore("Select Count(*) as V from LockGest Where Tipo = 'O'").ToLong(), 1);
  ASSERT_GE(messaggi_.size(), 2u);
  EXPECT_EQ(messaggi_.back(), "Ordine N.2026 2 in uso da luigi");
}

TEST_F(Restituzione, OpenOrdersAndOtherLinesOfTheOrder) {
  Sql("Update OrdVenTest Set OrdAperto = 'S' Where Anno = 2026 And NumRif = 1");
  EXPECT_EQ(DaiIndietro("O"), kRestituito);
  EXPECT_DOUBLE_EQ(QtaEvasa(1), 6);
  ComLock::SbloccaDoc(nullptr, -1);
  // Taken 4 of an order line evaded by 10: 6 left, partly evaded; the
  // header stays "P" while a line is.
  Sql("Update OrdVenTest Set OrdAperto = 'N', Stato = 'P' Where Anno = 2026 And NumRif = 1");
  Sql("Update OrdVenDett Set QtaEvasa = 10, StatoRiga = 'E' Where Anno = 2026 And NumRif = 1");
  Sql("Update DdtDett Set QtaProv = 4 Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  EXPECT_EQ(DaiIndietro("O"), kRestituito);
  EXPECT_DOUBLE_EQ(QtaEvasa(1), 6);
  EXPECT_EQ(StatoRiga(1), "P");
  EXPECT_EQ(Valore("Select Stato as V from OrdVenTest Where Anno = 2026 And NumRif = 1").ToString(), "P");
}

TEST_F(Restituzione, SourceDdtsGoBackToPrinted) {
  // DDT 4 made from the evaded DDT 1 and from DDT 3 (never printed).
  Sql("Update DdtTest Set Provenienza = 'D' Where Anno = 2026 And NumRif = 4");
  Sql("Update DdtDett Set TipoProv = 'D', AnnoRifProv = 2026, NumRifProv = 1 Where Anno = 2026 And NumRif = 4");
  Sql("Insert Into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, TipoProv, AnnoRifProv, NumRifProv)"
      " Values (2026, 4, 2, 2, 'D', 'D', 2026, 3)");
  EXPECT_EQ(DaiIndietro("D", demo::kDdtInterno), kRestituito);
  EXPECT_EQ(Valore("Select Stato as V from DdtTest Where Anno = 2026 And NumRif = 1").ToString(), "S");
  EXPECT_EQ(Valore("Select Stato as V from DdtTest Where Anno = 2026 And NumRif = 3").ToString(), "");
}

// With levels managed, a line is given back level row by level row; the
// line takes the total and stays "P" while one of its level rows does.
TEST_F(Restituzione, LevelRowsOfAnOrderLine) {
  Param("Mag.GesTaglie", "S");
  Sql("Insert Into OrdVenTest (Anno, NumRif, OrdAperto, Stato) Values (2026, 2, 'N', 'P')");
  Sql("Insert Into OrdVenDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, QtaEvasa, StatoRiga)"
      " Values (2026, 2, 1, 1, 'A', 'MAGLIA', 6, 5, 'P')");
  Sql("Insert Into OrdVenLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, QtaEvasa, StatoRiga)"
      " Values (2026, 2, 1, 'M', 'BLU', 3, 3, 'E')");
  Sql("Insert Into OrdVenLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, QtaEvasa, StatoRiga)"
      " Values (2026, 2, 1, 'L', 'BLU', 3, 2, 'P')");
  Sql("Insert Into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, TipoProv, AnnoRifProv,"
      " NumRifProv, RigaRifProv, QtaProv) Values (2026, 3, 4, 5, 'A', 'MAGLIA', 3, 'O', 2026, 2, 1, 3)");
  Sql("Insert Into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, QtaProv)"
      " Values (2026, 3, 5, 'M', 'BLU', 2, 2)");
  Sql("Insert Into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, QtaProv)"
      " Values (2026, 3, 5, 'L', 'BLU', 1, 1)");
  EXPECT_EQ(DaiIndietro("O"), kRestituito);
  auto livello = [&](const char* l1, const char* campo) {
    return Valore(std::string("Select ") + campo + " as V from OrdVenLiv Where Anno = 2026 And NumRif = 2 And "
                  "Livello1 = '" + l1 + "'");
  };
  EXPECT_DOUBLE_EQ(livello("M", "QtaEvasa").ToDouble(), 1);
  EXPECT_EQ(livello("M", "StatoRiga").ToString(), "P");
  EXPECT_DOUBLE_EQ(livello("L", "QtaEvasa").ToDouble(), 1);
  EXPECT_EQ(livello("L", "StatoRiga").ToString(), "P");
  EXPECT_DOUBLE_EQ(QtaEvasa(2), 2);
  EXPECT_EQ(StatoRiga(2), "P");
  EXPECT_EQ(Valore("Select Stato as V from OrdVenTest Where Anno = 2026 And NumRif = 2").ToString(), "P");
  // The demo order, without levels on its line, as before.
  EXPECT_DOUBLE_EQ(QtaEvasa(1), 0);
}

// The committed quantity of the order's article goes back with the line.
TEST_F(Restituzione, TheCommittedQuantityFollowsTheGiveBack) {
  auto impegnato = [&] {
    return Valore(std::string("Select Sum(QtaImpCli) as V from ArticoliProg Where Articolo = '") +
                  demo::kArticoloLotti + "'")
        .ToDouble();
  };
  const double prima = impegnato();
  EXPECT_EQ(DaiIndietro("O"), kRestituito);
  EXPECT_DOUBLE_EQ(impegnato(), prima + 6);
}

// An error inside an order's give-back: its transaction rolled back, its
// lock row left at "L", the error shown, the deletion refused.
TEST_F(Restituzione, AnErrorInsideTheGiveBackRollsTheOrderBack) {
  Sql("Drop Table ArticoliProg");
  EXPECT_EQ(DaiIndietro("O"), kNonProseguire);
  EXPECT_DOUBLE_EQ(QtaEvasa(demo::kOrdineCliente), 6);
  EXPECT_EQ(Valore("Select Stato as V from LockGest Where Tipo = 'O' And NumReg = 1").ToString(), "L");
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("Ordine N.2026 1"), std::string::npos);
}

}  // namespace

// The restore of the demo company's printed DDT 2 (movement 5: six shirts by
// size and colour, three trousers by size), on a real SQLite file.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Headless.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"
#include "stock/RipriDdt.h"

namespace {

namespace demo = dati::demo;

class Ripristino : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    dati::CreaDittaDemo(*db_, conn_);
    Param("Mag.GesTaglie", "S");
  }
  vb::Variant Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    vb::Variant v = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampo(k, "V");
    rs.ChiudiRecordset(k);
    return v;
  }
  double Num(const std::string& sql) {
    const vb::Variant v = Valore(sql);
    return v.IsNull() ? 0 : v.ToDouble();
  }
  std::string Stato() {
    return Valore("Select Stato as V from DdtTest Where Anno = 2026 And NumRif = " +
                  std::to_string(demo::kDdtStampato))
        .ToString();
  }
  double Righe(const char* tabella) {
    return Num(std::string("Select Count(*) as V from ") + tabella + " Where Anno = 2026 And NumReg = " +
               std::to_string(demo::kMovDdtStampato));
  }
  void Ripristina(const std::string& lotti = "N") {
    RipriDdt::ParRipristinoDdt p;
    p.piAnno = 2026;
    p.plNumRifDa = p.plNumRifA = demo::kDdtStampato;
    p.psInterfLotti = lotti;
    RipriDdt::RipristinoDdt(p);
  }
  double Scaricato() { return Num("Select Sum(QtaScarico) as V from ArticoliProg"); }
};

TEST_F(Ripristino, APrintedDdtComesBackEditableWithItsMovementTakenOff) {
  const double prima = Scaricato();
  Ripristina();
  EXPECT_EQ(Stato(), "");
  EXPECT_DOUBLE_EQ(Num("Select NumMovim as V from DdtTest Where Anno = 2026 And NumRif = 2"), 0);
  for (const char* t : {"MovMagTes", "MovMagDett", "MovMagLiv"}) EXPECT_DOUBLE_EQ(Righe(t), 0) << t;
  // The nine pieces unloaded are taken off once, level by level.
  EXPECT_DOUBLE_EQ(Scaricato(), prima - 9);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest"), 0);
  EXPECT_EQ(RipriDdt::NumErrori(), 0);
  // Nothing left to restore: the selection is empty.
  messaggi_.clear();
  Ripristina();
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Non ci sono ddt nell'intervallo");
  EXPECT_DOUBLE_EQ(Scaricato(), prima - 9);
}

// Levels not kept: the level rows are neither reversed nor left behind
// their deleted movement.
TEST_F(Ripristino, WithoutLevelsNoLevelRowOutlivesItsMovement) {
  Param("Mag.GesTaglie", "N");
  Ripristina();
  EXPECT_EQ(Stato(), "");
  EXPECT_DOUBLE_EQ(Righe("MovMagTes"), 0);
  EXPECT_DOUBLE_EQ(Righe("MovMagLiv"), 0);
}

// A row whose reversal fails (its cause asks for a counter the table does
// not have) is shown, stays with its movement, and the DDT stays printed.
TEST_F(Ripristino, ARowThatCannotBeReversedKeepsTheDdtPrinted) {
  const std::string causale =
      Valore("Select MagCausale as V from MovMagTes Where NumReg = " + std::to_string(demo::kMovDdtStampato)).ToString();
  Sql("Update MagCausali Set QualeProgrQta = 9 Where MagCausale = '" + causale + "'");
  int avvisi = 0;
  for (int i = 0; i < 10; ++i)
    backend_.Rispondi([&avvisi](ui::Form& f) {
      ++avvisi;
      EXPECT_EQ(f.Name(), "frmErrAggMov");
      EXPECT_EQ(f.C("labErrore").Caption(), "Errore durante il Disaggiornamento");
      ui::utente::Clicca(f.C("comPresegui"));
    });
  const double prima = Scaricato();
  Ripristina();
  EXPECT_GT(avvisi, 0);
  EXPECT_EQ(Stato(), "S");
  EXPECT_GT(RipriDdt::NumErrori(), 0);
  EXPECT_DOUBLE_EQ(Righe("MovMagTes"), 1);
  EXPECT_DOUBLE_EQ(Righe("MovMagLiv"), 5);
  EXPECT_DOUBLE_EQ(Scaricato(), prima);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest"), 0);
  backend_.AzzeraScript();
  // Mended, a second restore completes.
  Sql("Update MagCausali Set QualeProgrQta = 0 Where MagCausale = '" + causale + "'");
  Ripristina();
  EXPECT_EQ(Stato(), "");
  EXPECT_DOUBLE_EQ(Scaricato(), prima - 9);
}

TEST_F(Ripristino, ADdtInUseAsksAndEsciLeavesItPrinted) {
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 2, 'luigi', '0', 'D')");
  risposte_ = {1, 2};  // "Riprova", then "Esci"
  Ripristina();
  EXPECT_EQ(Stato(), "S");
  ASSERT_GE(messaggi_.size(), 2u);
  EXPECT_EQ(messaggi_.back(), "Ddt in uso da luigi");
  EXPECT_DOUBLE_EQ(Righe("MovMagTes"), 1);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest"), 1);
}

// The lot-interface table: printed number "A123", the carrier's name cut to
// 20 characters when the DDT has no carrier code; cancelled rows for the
// lines, the marker gone at the end.
TEST_F(Ripristino, LotInterfaceRowsOfTheRestoredDdt) {
  Sql("Update DdtTest Set PreDoc = 'A', NumDoc = 123, Vettore = Null, RagSocVett = 'Trasporti Rapidissimi Srl',"
      " TargaVett = 'AB123CD' Where Anno = 2026 And NumRif = 2");
  Sql("Update DdtDett Set DescPers1 = 'P1', DescPers2 = 'NT', DescPers3 = 'L7' Where Anno = 2026 And NumRif = 2");
  Sql("Update PianoConti Set CodTrascodifica = 'CLI13'");
  Ripristina("S");
  EXPECT_EQ(Stato(), "");
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from [0_RigheDdt] Where NUM_DDT = 'A123' And Annullato = True"), 2);
  EXPECT_EQ(Valore("Select trasporti_id as V from [0_RigheDdt] Where NUM_DDT = 'A123'").ToString(),
            "Trasporti Rapidissim");
  EXPECT_EQ(Valore("Select TARGA as V from [0_RigheDdt] Where NUM_DDT = 'A123'").ToString(), "AB123CD");
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from [0_RigheDdt] Where Partita = 'zzzzzzzzzz'"), 0);
}

}  // namespace

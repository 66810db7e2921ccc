// A document's rows as a whole on the demo company: deleted under the
// document lock, copied into the working tables, copied under a new key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globali.h"
#include "platform/Testo.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"

namespace {

namespace demo = dati::demo;

class RigheDocumento : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    dati::CreaDittaDemo(*db_, conn_);
  }
  void TearDown() override {
    ComLock::SbloccaDoc(nullptr, -1);
    DittaProva::TearDown();
  }

  long Conta(const std::string& tabella, const std::string& dove) {
    dati::GestRecordset rs;
    const std::string k =
        rs.ApriRecordset(*db_, conn_, "", "Select Count(*) as N from " + tabella + " Where " + dove, false, 4);
    const long n = rs.LeggiCampo(k, "N").ToLong();
    rs.ChiudiRecordset(k);
    return n;
  }
  vb::Variant Valore(const std::string& sql, const std::string& campo) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    vb::Variant v = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampoNull(k, campo);
    rs.ChiudiRecordset(k);
    return v;
  }
  static std::string Doc(long n, const char* col = "NumRif") {
    return "Anno = 2026 And " + std::string(col) + " = " + std::to_string(n);
  }
};

// Each DDT of the demo keeps its rows in other tables: every one goes, the
// header and the other DDTs stay.
TEST_F(RigheDocumento, CancDocDeletesEveryRowTableOfTheDocumentOnly) {
  struct Tabella {
    const char* nome;
    const char* colonna;
  };
  const Tabella tabelle[] = {{"DdtDett", "NumRif"}, {"DdtLiv", "NumRif"}, {"DdtMatr", "NumRif"},
                             {"DdtRintraccia", "NumReg"}, {"DdtSpese", "NumRif"}};
  // Between them the three DDTs fill every row table.
  struct Caso {
    long ddt;
    std::vector<const char*> piene;
  };
  const Caso casi[] = {{demo::kDdtEvaso, {"DdtDett", "DdtMatr", "DdtSpese"}},
                       {demo::kDdtStampato, {"DdtDett", "DdtLiv", "DdtSpese"}},
                       {demo::kDdtModificabile, {"DdtDett", "DdtRintraccia", "DdtSpese"}}};
  for (const Caso& c : casi) {
    SCOPED_TRACE("DDT " + std::to_string(c.ddt));
    std::vector<long> altri;
    for (const Tabella& t : tabelle) altri.push_back(Conta(t.nome, "Not (" + Doc(c.ddt, t.colonna) + ")"));
    for (const char* t : c.piene) {
      const bool lotti = std::string(t) == "DdtRintraccia";
      EXPECT_GT(Conta(t, Doc(c.ddt, lotti ? "NumReg" : "NumRif")), 0) << t;
    }
    std::string chiave = G().gsKeyRecLock;
    EXPECT_EQ(UtilDocFattGest::CancDoc("D", 2026, c.ddt, chiave).ToLong(), 0);
    for (size_t i = 0; i < std::size(tabelle); ++i) {
      EXPECT_EQ(Conta(tabelle[i].nome, Doc(c.ddt, tabelle[i].colonna)), 0) << tabelle[i].nome;
      EXPECT_EQ(Conta(tabelle[i].nome, "Not (" + Doc(c.ddt, tabelle[i].colonna) + ")"), altri[i]) << tabelle[i].nome;
    }
    EXPECT_EQ(Conta("DdtTest", Doc(c.ddt)), 1);
    // The lock stays, in state "6", for the caller to release.
    EXPECT_EQ(servizi::Testo(Valore("Select Stato from LockGest Where Tipo = 'D' And " + Doc(c.ddt, "NumReg"),
                                    "Stato")),
              "6");
    ComLock::SbloccaDoc(&chiave, -1);
    EXPECT_EQ(Conta("LockGest", "1 = 1"), 0);
  }
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(RigheDocumento, CancDocRefusesUnderAnotherUsersLockAndDeletesNothing) {
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 3, 'luigi', '7', 'D')");
  const long righe = Conta("DdtDett", Doc(3)), spese = Conta("DdtSpese", Doc(3));
  std::string chiave;
  EXPECT_EQ(UtilDocFattGest::CancDoc("D", 2026, 3, chiave).ToLong(), 1);
  EXPECT_EQ(Conta("DdtDett", Doc(3)), righe);
  EXPECT_EQ(Conta("DdtSpese", Doc(3)), spese);
  EXPECT_EQ(Conta("DdtRintraccia", Doc(3, "NumReg")), 1);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("luigi"), std::string::npos) << messaggi_.back();
  ComLock::SbloccaDoc(&chiave, -1);
  // Another user's lock is never released by us.
  EXPECT_EQ(Conta("LockGest", "Utente = 'luigi'"), 1);
}

TEST_F(RigheDocumento, CancDocOnAHeldLockOnlyChangesItsState) {
  int16_t nuovo = -1;
  std::string chiave = "Standard", utente, gestione = "D", varie;
  ASSERT_EQ(ComLock::BloccaDoc("D", "D", 2026, 4, nuovo, -1, chiave, "Il DDT", utente, gestione, varie), 0);
  std::string tenuta = G().gsKeyRecLock;
  EXPECT_EQ(UtilDocFattGest::CancDoc("D", 2026, 4, tenuta, vb::Missing, false).ToLong(), 0);
  EXPECT_EQ(Conta("LockGest", "1 = 1"), 1);
  EXPECT_EQ(servizi::Testo(Valore("Select Stato from LockGest", "Stato")), "6");
  EXPECT_EQ(Conta("DdtDett", Doc(4)), 0);
  EXPECT_EQ(Conta("DdtLiv", Doc(4)), 0);
}

// The lines of DDT 3 into the working copy under a new key, with the
// resets of a duplicate: the copies carry the new key and the reset
// columns; another document's working rows (the source's own, open
// elsewhere) stay; stale rows of the new key are replaced.
TEST_F(RigheDocumento, CopiaRigheWritesTheNewKeyAndTouchesNoOtherWorkingRows) {
  // DDT 3's own lines open in the working copy.
  ASSERT_EQ(UtilDocFattGest::CopiaRighe(2026, 3, "DdtDett", "DdtDettApp", true, true).ToLong(), 0);
  Sql("Insert Into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Descrizione) "
      "Values (2026, 9, 7, 7, 'D', 'avanzo')");
  const UtilDocFattGest::Coppie coppie = {"Anno", int16_t(2026), "NumRif", int32_t(9), "StatoRiga", "",
                                          "TipoProv", "", "FattDocumentoProv", "", "AnnoRifProv", vb::Null,
                                          "NumRifProv", vb::Null, "RigaRifProv", vb::Null, "QtaProv", vb::Null};
  EXPECT_EQ(UtilDocFattGest::CopiaRighe(2026, 3, "DdtDett", "DdtDettApp", true, true, coppie).ToLong(), 0);
  EXPECT_EQ(Conta("DdtDettApp", Doc(9)), Conta("DdtDett", Doc(3)));
  EXPECT_EQ(Conta("DdtDettApp", Doc(9) + " And Descrizione = 'avanzo'"), 0);
  EXPECT_EQ(Conta("DdtDettApp", Doc(3)), Conta("DdtDett", Doc(3)));
  EXPECT_EQ(Conta("DdtDettApp", Doc(9) + " And (TipoProv Is Not Null And TipoProv <> '')"), 0);
  EXPECT_EQ(Conta("DdtDettApp", Doc(9) + " And QtaProv Is Not Null"), 0);
  // Every other column as in the source.
  EXPECT_EQ(Valore("Select Articolo from DdtDettApp Where " + Doc(9) + " And RigDet = 1", "Articolo").ToString(),
            demo::kArticoloLotti);
  EXPECT_DOUBLE_EQ(Valore("Select Qta from DdtDettApp Where " + Doc(9) + " And RigDet = 2", "Qta").ToDouble(), 24);
}

TEST_F(RigheDocumento, CopiaRigheTable) {
  struct Caso {
    const char* nome;
    long numRif;
    const char* origine;
    const char* destinazione;
    bool numRifCol;
    long attese;  // rows of the document in the destination after
  };
  const Caso casi[] = {
      {"lines of the evaded DDT", 1, "DdtDett", "DdtDettApp", true, 3},
      {"level rows of the printed DDT", 2, "DdtLiv", "DdtLivApp", true, 5},
      {"lot rows, by NumReg", 3, "DdtRintraccia", "DdtRintracciaApp", false, 1},
      {"a DDT without level rows", 3, "DdtLiv", "DdtLivApp", true, 0},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const std::string col = c.numRifCol ? "NumRif" : "NumReg";
    EXPECT_EQ(UtilDocFattGest::CopiaRighe(2026, c.numRif, c.origine, c.destinazione, true, c.numRifCol).ToLong(), 0);
    EXPECT_EQ(Conta(c.destinazione, Doc(c.numRif, col.c_str())), c.attese);
    // Again: the copies replace the rows, never double them.
    EXPECT_EQ(UtilDocFattGest::CopiaRighe(2026, c.numRif, c.origine, c.destinazione, true, c.numRifCol).ToLong(), 0);
    EXPECT_EQ(Conta(c.destinazione, Doc(c.numRif, col.c_str())), c.attese);
  }
  EXPECT_TRUE(messaggi_.empty());
}

// A copy that fails half-way says so and leaves no half document behind.
TEST_F(RigheDocumento, CopiaRigheFailingHalfWayLeavesNoRowsOfTheKey) {
  // Every copy given RigDet 1: the second line collides with the first.
  const UtilDocFattGest::Coppie coppie = {"NumRif", int32_t(9), "RigDet", int16_t(1)};
  EXPECT_EQ(UtilDocFattGest::CopiaRighe(2026, 3, "DdtDett", "DdtDettApp", true, true, coppie).ToLong(), 1);
  EXPECT_EQ(Conta("DdtDettApp", Doc(9)), 0);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("Errore"), std::string::npos);
}

TEST_F(RigheDocumento, DuplRigheCopiesTheExpensesUnderTheNewKey) {
  Sql("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo) Values (2026, 50, 9, 'IMB', '22', 1)");
  EXPECT_EQ(UtilDocFattGest::DuplRighe(2026, 1, 2026, 50, "DdtSpese", "DdtSpese").ToLong(), 0);
  EXPECT_EQ(Conta("DdtSpese", Doc(50)), 2);
  EXPECT_EQ(Conta("DdtSpese", Doc(50) + " And Riga = 1 And Spesa = 'TRA'"), 1);
  EXPECT_DOUBLE_EQ(Valore("Select Importo from DdtSpese Where " + Doc(50) + " And Riga = 1", "Importo").ToDouble(),
                   15.0);
  EXPECT_EQ(Conta("DdtSpese", Doc(1)), 1);
  // A document without expenses: 0, nothing written.
  EXPECT_EQ(UtilDocFattGest::DuplRighe(2026, 4, 2026, 51, "DdtSpese", "DdtSpese").ToLong(), 0);
  EXPECT_EQ(Conta("DdtSpese", Doc(51)), 0);
  // A row that exists already under the new key: the copy fails (1), the
  // rows there stay.
  EXPECT_EQ(UtilDocFattGest::DuplRighe(2026, 1, 2026, 50, "DdtSpese", "DdtSpese").ToLong(), 1);
  EXPECT_EQ(Conta("DdtSpese", Doc(50)), 2);
}

}  // namespace

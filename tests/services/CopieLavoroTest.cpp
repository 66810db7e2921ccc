// The working copies of a DDT's rows on the demo company (a real SQLite
// file): filled under the document lock, cleared, committed back; and the
// deletion of a document's rows, all of them or none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globali.h"
#include "common/utilprg.h"
#include "platform/Testo.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"
#include "services/UtilDocFattGest.h"

namespace {

namespace demo = dati::demo;

// The four tables of a document's rows, committed and working, with the
// columns that tell one row from another.
struct Tavola {
  const char* nome;
  const char* app;
  const char* numero;
  const char* colonne;
  const char* ordine;
};
const Tavola kTavole[] = {
    {"DdtDett", "DdtDettApp", "NumRif", "RigDet & ':' & RigLiv & ':' & Articolo & ':' & Qta", "RigDet"},
    {"DdtLiv", "DdtLivApp", "NumRif", "RigLiv & ':' & Livello1 & ':' & Livello2 & ':' & Qta",
     "RigLiv, Livello1, Livello2"},
    {"DdtMatr", "DdtMatrApp", "NumRif", "RigLiv & ':' & Matricola", "RigLiv, Matricola"},
    {"DdtRintraccia", "DdtRintracciaApp", "NumReg", "RigLiv & ':' & Lotto & ':' & Qta", "RigLiv, Lotto"},
};

class CopieLavoro : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    dati::CreaDittaDemo(*db_, conn_);
  }
  void TearDown() override {
    ComLock::SbloccaDoc(nullptr, -1);
    DittaProva::TearDown();
  }

  std::string Testo(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    std::string v;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) v += rs.LeggiCampo(k, "T").ToString() + ";";
    rs.ChiudiRecordset(k);
    return v;
  }
  // The rows of a document in one table.
  std::string Righe(const Tavola& t, bool app, long doc) {
    return Testo(std::string("Select ") + t.colonne + " As T from " + (app ? t.app : t.nome) +
                 " Where Anno = 2026 And " + t.numero + " = " + std::to_string(doc) + " Order By " + t.ordine);
  }
  // The rows of a document in the four committed (or working) tables.
  std::string Documento(bool app, long doc) {
    std::string v;
    for (const Tavola& t : kTavole) v += std::string(t.nome) + "[" + Righe(t, app, doc) + "]";
    return v;
  }
  std::string Stato(long doc) {
    return Testo("Select Stato As T from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = " +
                 std::to_string(doc));
  }
  bool Apri(long doc, int16_t modo = 0) {
    std::string chiave = "Standard";
    return UtilDocFattGest::PrepDocApp("D", "Il DDT", 2026, doc, vb::Variant("D"), modo, chiave).ToBool();
  }
  bool Salva(long doc) {
    std::string chiave = "Standard";
    return UtilDocFattGest::SalvaDocApp(2026, doc, chiave).ToBool();
  }
  // A document's working rows of every kind, two lines' worth, written by
  // hand (another program's open document, or rows left behind).
  void RigheLavoro(long doc, const char* articolo) {
    const std::string d = std::to_string(doc), a = articolo;
    for (const char* r : {"1", "2"}) {
      const std::string n = r;
      Sql("Insert Into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta) Values (2026, " + d + ", " +
          n + ", " + n + ", 'A', '" + a + "', " + n + ")");
      Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, " + d + ", " + n +
          ", 'S', 'BLU', " + n + ")");
      Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola) Values (2026, " + d + ", " + n + ", 'M" + n +
          "')");
      Sql("Insert Into DdtRintracciaApp (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, "
          "Lotto, NrProgLotto, Qta) Values (2026, " +
          d + ", " + n + ", '" + a + "', 1, 1, 1, 'L" + n + "', 1, " + n + ")");
    }
  }
  void Guasto(const std::string& sql) { db_->EseguiSql(conn_, sql, 64); }
};

// Each demo DDT fills the working tables with exactly its committed rows;
// rows left behind of the same DDT go, another DDT's working rows stay.
TEST_F(CopieLavoro, OpeningCopiesTheCommittedRowsUnderTheLock) {
  struct Caso {
    long ddt;
    int16_t modo;
    const char* stato;
  };
  const Caso casi[] = {{demo::kDdtEvaso, 0, "7;"},
                       {demo::kDdtStampato, 1, "7;"},
                       {demo::kDdtModificabile, 2, "A;"},
                       {demo::kDdtInterno, 0, "7;"}};
  RigheLavoro(9, "ALTRO");
  const std::string altro = Documento(true, 9);
  for (const Caso& c : casi) {
    SCOPED_TRACE("DDT " + std::to_string(c.ddt));
    RigheLavoro(c.ddt, "AVANZO");
    const std::string committed = Documento(false, c.ddt);
    ASSERT_TRUE(Apri(c.ddt, c.modo));
    EXPECT_EQ(Documento(true, c.ddt), committed);
    EXPECT_EQ(Documento(false, c.ddt), committed);
    EXPECT_EQ(Stato(c.ddt), c.stato);
    EXPECT_EQ(Documento(true, 9), altro);
    ComLock::SbloccaDoc(nullptr, -1);
  }
  // Between them the DDTs have rows in every table.
  for (const Tavola& t : kTavole) {
    bool qualcuna = false;
    for (const Caso& c : casi) qualcuna = qualcuna || !Righe(t, false, c.ddt).empty();
    EXPECT_TRUE(qualcuna) << t.nome;
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

// Another program has the DDT's lines open: refused before any working row
// is touched, the other's lock stays.
TEST_F(CopieLavoro, OpeningADdtHeldByAnotherIsRefusedAndTouchesNothing) {
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 3, 'luigi', '7', 'D')");
  RigheLavoro(3, "DI_LUIGI");
  const std::string lavoro = Documento(true, 3);
  EXPECT_FALSE(Apri(3));
  EXPECT_EQ(Documento(true, 3), lavoro);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("in uso da"), std::string::npos) << messaggi_[0];
  EXPECT_NE(messaggi_[0].find("luigi"), std::string::npos) << messaggi_[0];
  ComLock::SbloccaDoc(nullptr, -1);
  EXPECT_EQ(Testo("Select Utente & Stato As T from LockGest"), "luigi7;");
}

// A copy that fails after the lock was taken: the message, then no working
// rows of the DDT and no lock, so that the next opening works.
TEST_F(CopieLavoro, OpeningThatFailsLeavesNoWorkingRowsAndReleasesTheLock) {
  struct Caso {
    const char* nome;
    long ddt;
    const char* guasto;
  };
  const Caso casi[] = {
      {"level rows", demo::kDdtStampato,
       "CREATE TRIGGER guasto BEFORE INSERT ON DdtLivApp BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
      {"the second line", demo::kDdtModificabile,
       "CREATE TRIGGER guasto BEFORE INSERT ON DdtDettApp WHEN NEW.RigDet = 2 BEGIN SELECT RAISE(ABORT, 'guasto'); "
       "END"},
      {"lot rows", demo::kDdtModificabile,
       "CREATE TRIGGER guasto BEFORE INSERT ON DdtRintracciaApp BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    messaggi_.clear();
    RigheLavoro(c.ddt, "AVANZO");
    const std::string committed = Documento(false, c.ddt);
    Guasto(c.guasto);
    EXPECT_FALSE(Apri(c.ddt));
    ASSERT_FALSE(messaggi_.empty());
    EXPECT_NE(messaggi_[0].find("Errore"), std::string::npos) << messaggi_[0];
    EXPECT_EQ(Documento(true, c.ddt), "DdtDett[]DdtLiv[]DdtMatr[]DdtRintraccia[]");
    EXPECT_EQ(Documento(false, c.ddt), committed);
    EXPECT_EQ(Testo("Select Stato As T from LockGest"), "");
    EXPECT_TRUE(G().gsKeyRecLock.empty());
    Guasto("DROP TRIGGER guasto");
    ASSERT_TRUE(Apri(c.ddt));
    EXPECT_EQ(Documento(true, c.ddt), committed);
    UtilDocFattGest::SvuotaApp(2026, c.ddt, "DdtDettApp", "DdtLivApp", vb::Missing, true, "DdtMatrApp",
                               "DdtRintracciaApp");
    ComLock::SbloccaDoc(nullptr, -1);
  }
}

TEST_F(CopieLavoro, ClearingTable) {
  struct Caso {
    const char* nome;
    vb::Variant righe, livelli, rigLiv;
    bool verifica;
    vb::Variant matr, lotti;
    const char* resta;  // rows of DDT 3 left, table by table
    bool messaggio;
  };
  const Caso casi[] = {
      {"all four, case ignored", "DdtDettApp", "DDtLivApp", vb::Missing, true, "ddtmatrapp", "DdtRintracciaAPP",
       "DdtDett[]DdtLiv[]DdtMatr[]DdtRintraccia[]", false},
      {"one line's dependent rows", vb::Missing, "DdtLivApp", int32_t(2), true, "DdtMatrApp", "DdtRintracciaApp",
       "DdtDett[1:1:X:1;2:2:X:2;]DdtLiv[1:S:BLU:1;]DdtMatr[1:M1;]DdtRintraccia[1:L1:1;]", false},
      {"a committed lines table refused after the level rows", "DdtDett", "DdtLivApp", vb::Missing, true,
       "DdtMatrApp", "DdtRintracciaApp",
       "DdtDett[1:1:X:1;2:2:X:2;]DdtLiv[]DdtMatr[1:M1;2:M2;]DdtRintraccia[1:L1:1;2:L2:2;]", true},
      {"a committed level table refused first", "DdtDettApp", "DdtLiv", vb::Missing, true, "DdtMatrApp",
       "DdtRintracciaApp",
       "DdtDett[1:1:X:1;2:2:X:2;]DdtLiv[1:S:BLU:1;2:S:BLU:2;]DdtMatr[1:M1;2:M2;]DdtRintraccia[1:L1:1;2:L2:2;]",
       true},
      {"serial numbers only in a working table, check or not", "DdtDettApp", "DdtLivApp", vb::Missing, false,
       "DdtMatr", "DdtRintracciaApp",
       "DdtDett[]DdtLiv[]DdtMatr[1:M1;2:M2;]DdtRintraccia[1:L1:1;2:L2:2;]", true},
      {"an empty serial table ends the clearing", "DdtDettApp", vb::Missing, vb::Missing, true, "",
       "DdtRintracciaApp",
       "DdtDett[]DdtLiv[1:S:BLU:1;2:S:BLU:2;]DdtMatr[1:M1;2:M2;]DdtRintraccia[1:L1:1;2:L2:2;]", false},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    messaggi_.clear();
    for (const Tavola& t : kTavole)
      for (long d : {3L, 9L})
        Sql(std::string("Delete from ") + t.app + " Where Anno = 2026 And " + t.numero + " = " + std::to_string(d));
    RigheLavoro(3, "X");
    RigheLavoro(9, "ALTRO");
    const std::string altro = Documento(true, 9);
    UtilDocFattGest::SvuotaApp(2026, 3, c.righe, c.livelli, c.rigLiv, c.verifica, c.matr, c.lotti);
    EXPECT_EQ(Documento(true, 3), c.resta);
    EXPECT_EQ(Documento(true, 9), altro);
    if (c.messaggio) {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_EQ(messaggi_[0], "Nome File non valido");
    } else {
      EXPECT_TRUE(messaggi_.empty());
    }
  }
  // The check off: committed lines and level rows are cleared too.
  const std::string committed = Documento(false, 2);
  ASSERT_NE(committed.find("DdtLiv[1"), std::string::npos);
  UtilDocFattGest::SvuotaApp(2026, 2, "DdtDett", "DdtLiv", vb::Missing, false);
  EXPECT_EQ(Righe(kTavole[0], false, 2), "");
  EXPECT_EQ(Righe(kTavole[1], false, 2), "");
}

// The committed rows become the working rows; the working serial numbers
// and lots go, the lines and level rows stay for the window to clear; the
// lock ends in "8"; another DDT's rows are not touched.
TEST_F(CopieLavoro, CommittingReplacesTheCommittedRowsByTheWorkingRows) {
  for (long ddt : {demo::kDdtEvaso, demo::kDdtStampato, demo::kDdtModificabile}) {
    SCOPED_TRACE("DDT " + std::to_string(ddt));
    const std::string altriApp = Documento(true, 4), altri = Documento(false, 4);
    ASSERT_TRUE(Apri(ddt));
    const std::string d = " Where Anno = 2026 And NumRif = " + std::to_string(ddt);
    Sql("Update DdtDettApp Set Qta = Qta + 100" + d);
    Sql("Delete from DdtDettApp" + d + " And RigDet = 1");
    Sql("Update DdtLivApp Set Qta = 7" + d);
    Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola) Values (2026, " + std::to_string(ddt) +
        ", 1, 'NUOVA')");
    Sql("Update DdtRintracciaApp Set Qta = 3 Where Anno = 2026 And NumReg = " + std::to_string(ddt));
    const std::string lavoro = Documento(true, ddt);
    ASSERT_TRUE(Salva(ddt));
    EXPECT_EQ(Documento(false, ddt), lavoro);
    EXPECT_EQ(Righe(kTavole[0], true, ddt) + Righe(kTavole[1], true, ddt),
              Righe(kTavole[0], false, ddt) + Righe(kTavole[1], false, ddt));
    EXPECT_EQ(Righe(kTavole[2], true, ddt) + Righe(kTavole[3], true, ddt), "");
    EXPECT_EQ(Stato(ddt), "8;");
    EXPECT_EQ(Documento(true, 4), altriApp);
    EXPECT_EQ(Documento(false, 4), altri);
    ComLock::SbloccaDoc(nullptr, -1);
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

// A commit that fails on the way, at any table: the message; the committed
// rows as they were, the working rows all there, the lock kept in "B".
TEST_F(CopieLavoro, CommitThatFailsLeavesTheCommittedRowsAsTheyWere) {
  struct Caso {
    const char* nome;
    const char* guasto;
  };
  const Caso casi[] = {
      {"the second line", "CREATE TRIGGER guasto BEFORE INSERT ON DdtDett WHEN NEW.RigDet = 2 "
                          "BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
      {"the level rows", "CREATE TRIGGER guasto BEFORE INSERT ON DdtLiv BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
      {"the lot rows, last",
       "CREATE TRIGGER guasto BEFORE INSERT ON DdtRintraccia BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
      {"deleting the serial numbers",
       "CREATE TRIGGER guasto BEFORE DELETE ON DdtMatr BEGIN SELECT RAISE(ABORT, 'guasto'); END"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    messaggi_.clear();
    const long ddt = demo::kDdtModificabile;
    ASSERT_TRUE(Apri(ddt));
    const std::string committed = Documento(false, ddt);
    const std::string d = " Where Anno = 2026 And NumRif = " + std::to_string(ddt);
    Sql("Update DdtDettApp Set Qta = Qta + 100" + d);
    // (each case starts from what the one before committed)
    Sql("Delete from DdtLivApp" + d + " And RigLiv = 2");
    Sql("Delete from DdtMatrApp" + d);
    Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 2, 'S', 'BLU', 4)");
    Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola) Values (2026, 3, 1, 'NUOVA')");
    Sql("Insert Into DdtMatr (Anno, NumRif, RigLiv, Matricola) Values (2026, 3, 1, 'VECCHIA')");
    const std::string prima = Documento(false, ddt), lavoro = Documento(true, ddt);
    ASSERT_NE(prima, committed);
    Guasto(c.guasto);
    EXPECT_FALSE(Salva(ddt));
    ASSERT_FALSE(messaggi_.empty());
    EXPECT_NE(messaggi_[0].find("Errore"), std::string::npos) << messaggi_[0];
    EXPECT_EQ(Documento(false, ddt), prima);
    EXPECT_EQ(Documento(true, ddt), lavoro);
    EXPECT_EQ(Stato(ddt), "B;");
    // Once what stopped it is gone, the same commit goes through.
    Guasto("DROP TRIGGER guasto");
    messaggi_.clear();
    ASSERT_TRUE(Salva(ddt)) << messaggi_.front();
    EXPECT_EQ(Righe(kTavole[0], false, ddt), Righe(kTavole[0], true, ddt));
    EXPECT_EQ(Righe(kTavole[2], false, ddt), "1:NUOVA;");
    EXPECT_TRUE(messaggi_.empty());
    UtilDocFattGest::SvuotaApp(2026, ddt, "DdtDettApp", "DdtLivApp");
    ComLock::SbloccaDoc(nullptr, -1);
  }
}

// The rows committed, the lock's last state cannot be written: shown, and
// still a commit, so that the window clears its rows and the header
// refreshes the document and lets the lock go.
TEST_F(CopieLavoro, ACommitIsReportedAlsoWhenTheLastLockStateFails) {
  const long ddt = demo::kDdtStampato;
  ASSERT_TRUE(Apri(ddt));
  Sql("Update DdtLivApp Set Qta = 9 Where Anno = 2026 And NumRif = 2");
  const std::string lavoro = Documento(true, ddt);
  Guasto("CREATE TRIGGER guasto BEFORE UPDATE ON LockGest WHEN NEW.Stato = '8' "
         "BEGIN SELECT RAISE(ABORT, 'guasto'); END");
  EXPECT_TRUE(Salva(ddt));
  EXPECT_EQ(Documento(false, ddt), lavoro);
  EXPECT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(Stato(ddt), "B;");
}

// A DDT with no lines opens and commits, leaving no rows anywhere.
TEST_F(CopieLavoro, ADdtWithoutLinesOpensAndCommits) {
  Sql("Insert Into DdtTest (Anno, NumRif) Values (2026, 60)");
  ASSERT_TRUE(Apri(60));
  EXPECT_TRUE(Salva(60));
  EXPECT_EQ(Documento(false, 60) + Documento(true, 60),
            "DdtDett[]DdtLiv[]DdtMatr[]DdtRintraccia[]DdtDett[]DdtLiv[]DdtMatr[]DdtRintraccia[]");
  EXPECT_EQ(Stato(60), "8;");
}

// A deletion that fails at the last table (the expenses) undoes the ones
// before it: the document keeps every row; the lock stays in "6".
TEST_F(CopieLavoro, DeletingTheRowsIsAllOrNothing) {
  const long ddt = demo::kDdtModificabile;
  const std::string righe = Documento(false, ddt);
  const std::string spese = Testo("Select Riga & Spesa As T from DdtSpese Where Anno = 2026 And NumRif = 3");
  ASSERT_NE(spese, "");
  Guasto("CREATE TRIGGER guasto BEFORE DELETE ON DdtSpese BEGIN SELECT RAISE(ABORT, 'guasto'); END");
  std::string chiave;
  EXPECT_NE(UtilDocFattGest::CancDoc("D", 2026, ddt, chiave).ToLong(), 0);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("Errore"), std::string::npos) << messaggi_[0];
  EXPECT_EQ(Documento(false, ddt), righe);
  EXPECT_EQ(Testo("Select Riga & Spesa As T from DdtSpese Where Anno = 2026 And NumRif = 3"), spese);
  EXPECT_EQ(Stato(ddt), "6;");
  ComLock::SbloccaDoc(&chiave, -1);
}

// Inside a caller's transaction (the header's deletion holds one): the
// caller's rollback brings the rows back; a failing deletion undoes only
// its own level, the caller's earlier work commits.
TEST_F(CopieLavoro, DeletingTheRowsInsideTheCallersTransaction) {
  const long ddt = demo::kDdtModificabile;
  const std::string righe = Documento(false, ddt);
  {
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    std::string chiave;
    EXPECT_EQ(UtilDocFattGest::CancDoc("D", 2026, ddt, chiave).ToLong(), 0);
    EXPECT_EQ(Documento(false, ddt), "DdtDett[]DdtLiv[]DdtMatr[]DdtRintraccia[]");
    utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    EXPECT_EQ(Documento(false, ddt), righe);
    ComLock::SbloccaDoc(&chiave, -1);
  }
  {
    Guasto("CREATE TRIGGER guasto BEFORE DELETE ON DdtSpese BEGIN SELECT RAISE(ABORT, 'guasto'); END");
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    Sql("Update DdtTest Set RifCli = 'prima' Where Anno = 2026 And NumRif = 3");
    std::string chiave;
    EXPECT_NE(UtilDocFattGest::CancDoc("D", 2026, ddt, chiave).ToLong(), 0);
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    EXPECT_EQ(Documento(false, ddt), righe);
    EXPECT_EQ(Testo("Select RifCli As T from DdtTest Where Anno = 2026 And NumRif = 3"), "prima;");
    ComLock::SbloccaDoc(&chiave, -1);
  }
}

// Copies under a new key with override pairs: the lot rows by NumReg, the
// serial numbers by NumRif; the source's own working rows stay.
TEST_F(CopieLavoro, CopyWithPairsClearsOnlyTheNewKey) {
  struct Caso {
    const Tavola& t;
    long sorgente;
  };
  const Caso casi[] = {{kTavole[2], demo::kDdtEvaso}, {kTavole[3], demo::kDdtModificabile}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.t.nome);
    const bool numRif = std::string(c.t.numero) == "NumRif";
    ASSERT_EQ(UtilDocFattGest::CopiaRighe(2026, c.sorgente, c.t.nome, c.t.app, true, numRif).ToLong(), 0);
    const std::string sorgente = Righe(c.t, true, c.sorgente);
    ASSERT_NE(sorgente, "");
    const UtilDocFattGest::Coppie coppie = {c.t.numero, int32_t(70)};
    EXPECT_EQ(UtilDocFattGest::CopiaRighe(2026, c.sorgente, c.t.nome, c.t.app, true, numRif, coppie).ToLong(), 0);
    EXPECT_EQ(Righe(c.t, true, 70), Righe(c.t, false, c.sorgente));
    EXPECT_EQ(Righe(c.t, true, c.sorgente), sorgente);
  }
}

TEST_F(CopieLavoro, DuplicatingExpensesWritesThePairsAfterTheKey) {
  const UtilDocFattGest::Coppie coppie = {"Importo", 3.0, "Spesa", "BOL"};
  EXPECT_EQ(UtilDocFattGest::DuplRighe(2026, 1, 2027, 5, "DdtSpese", "DdtSpese", coppie).ToLong(), 0);
  EXPECT_EQ(Testo("Select Anno & ':' & NumRif & ':' & Riga & ':' & Spesa & ':' & Importo As T from DdtSpese Where "
                  "Anno = 2027"),
            "2027:5:1:BOL:3;");
  EXPECT_EQ(Testo("Select Spesa As T from DdtSpese Where Anno = 2026 And NumRif = 1"), "TRA;");
}

}  // namespace

// Document locks and the next document number, in one program.
#include <gtest/gtest.h>

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"

using namespace ComLock;

namespace {

class Blocchi : public prova::DittaProva {
 protected:
  struct Esito {
    int16_t ris = -9;
    int16_t nuovo = 0;
    std::string chiave, utente, gestione, varie, stato;
  };
  // BloccaDoc on DDT (2026, numero).
  Esito Blocca(int32_t numero, int16_t nuovo = -1, int16_t msg = 0, std::string chiave = "",
               int16_t soloVerifica = 0, const std::string& gestione = "D", const std::string& stato = "M") {
    Esito e;
    e.nuovo = nuovo;
    e.chiave = std::move(chiave);
    e.gestione = gestione;
    e.ris = BloccaDoc(stato, "D", 2026, numero, e.nuovo, msg, e.chiave, "Il DDT", e.utente, e.gestione, e.varie,
                      soloVerifica, "", 0, 0, 0, &e.stato);
    return e;
  }
  long Righe(const std::string& dove = "") {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", "Select Count(*) As N from LockGest" + dove, false, 4);
    const long n = rs.LeggiCampo(k, "N").ToLong();
    rs.ChiudiRecordset(k);
    return n;
  }
  // Another user's lock, written by another program of the suite.
  void LockAltrui(int32_t numero, const std::string& utente = "anna", const std::string& gestione = "D") {
    Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione, Varie) Values ('D', 2026, " +
        std::to_string(numero) + ", '" + utente + "', 'X', '" + gestione + "', 'nota')");
  }
};

}  // namespace

TEST_F(Blocchi, ALockIsARowNamingItsHolder) {
  const Esito e = Blocca(7, -1, -1);
  EXPECT_EQ(e.ris, kBloccoPreso);
  EXPECT_FALSE(e.chiave.empty());
  EXPECT_TRUE(messaggi_.empty());
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*db_, conn_, "", "Select * from LockGest", false, 4);
  EXPECT_EQ(rs.LeggiCampo(k, "Utente").ToString(), "mario");
  EXPECT_EQ(rs.LeggiCampo(k, "Stato").ToString(), "M");
  EXPECT_EQ(rs.LeggiCampo(k, "Gestione").ToString(), "D");
  EXPECT_EQ(rs.LeggiCampo(k, "NumReg").ToLong(), 7);
  EXPECT_FALSE(rs.LeggiCampoNull(k, "Ora").IsNull());
  rs.ChiudiRecordset(k);
  // The state of a held lock is rewritten under its key.
  Esito s = Blocca(7, 0, -1, e.chiave, 0, "D", "S");
  EXPECT_EQ(s.ris, kBloccoPreso);
  EXPECT_EQ(Righe(" Where Stato = 'S'"), 1);
  std::string chiave = e.chiave;
  SbloccaDoc(&chiave, -1);
  EXPECT_EQ(chiave, "");
  EXPECT_EQ(Righe(), 0);
}

TEST_F(Blocchi, CheckOnlyWritesNothing) {
  Esito e = Blocca(1, 0, -1, "", -1);
  EXPECT_EQ(e.ris, kBloccoAssente);
  EXPECT_EQ(e.nuovo, -1);
  EXPECT_EQ(Righe(), 0);
  LockAltrui(1, "anna", "E");
  e = Blocca(1, 0, -1, "", -1);
  EXPECT_EQ(e.ris, kBloccoPreso);
  EXPECT_EQ(e.utente, "anna");
  EXPECT_EQ(e.gestione, "E");
  EXPECT_EQ(e.varie, "nota");
  EXPECT_EQ(e.stato, "X");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Blocchi, ALockInUseIsRefusedWithTheHolderAndTheRecoveryUtility) {
  LockAltrui(3, "anna", "D");
  Esito e = Blocca(3, -1, -1);
  EXPECT_EQ(e.ris, kBloccoInUso);
  EXPECT_EQ(e.utente, "anna");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0],
            "Il DDT (anno: 2026 - Num.: 3) è in uso da:\r\nanna\r\nImpossibile effettuare variazioni\r\n"
            "Se nessuno lo sta usando sbloccare con l'utility: \r\nGestione DDT Interrotti");
  // The same user holding it is refused like anyone else.
  messaggi_.clear();
  const Esito mio = Blocca(4, -1, 0);
  ASSERT_EQ(mio.ris, kBloccoPreso);
  e = Blocca(4, -1, -1);
  EXPECT_EQ(e.ris, kBloccoInUso);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("in uso da:\r\nmario\r\n"), std::string::npos);
  // An unknown recovery code: the line ends with "Gestione ".
  messaggi_.clear();
  LockAltrui(5, "anna", "x");
  Blocca(5, -1, -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].substr(messaggi_[0].size() - 11), "\r\nGestione ");
  // Messages off: silence.
  messaggi_.clear();
  EXPECT_EQ(Blocca(5, -1, 0).ris, kBloccoInUso);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Blocchi, TheRecoveryUtilities) {
  const std::pair<const char*, const char*> casi[] = {
      {"M", "Movimenti Interrotti"},
      {"d", "DDT Interrotti"},
      {"F", "Fatture Interrotte"},
      {"O", "Ordini Vendita Interrotti"},
      {"A", "Ordini Acquisto Interrotti"},
      {"P", "Preventivi Interrotti"},
      {"E", "Evasione Ddt in fattura: Interrotta"},
      {"0", "Evasione Ddt in fattura: Interrotta"},
      {"1", "Ripristino Ddt da stampa: Interrotto"},
      {"c", "Prima Nota Interrotti"},
      {"x", ""},
      {"", ""},
  };
  for (const auto& [codice, testo] : casi) EXPECT_EQ(TestoGestione(codice), testo) << codice;
}

TEST_F(Blocchi, UnlockingAfterARefusalOrACheckLeavesTheHoldersRowAlone) {
  LockAltrui(8, "anna");
  // Refused: the recordset stands on anna's row.
  Esito e = Blocca(8, -1, 0);
  ASSERT_EQ(e.ris, kBloccoInUso);
  SbloccaDoc(&e.chiave, -1);
  EXPECT_EQ(Righe(" Where NumReg = 8"), 1);
  // Checked only: the same.
  e = Blocca(8, 0, 0, "", -1);
  ASSERT_EQ(e.ris, kBloccoPreso);
  SbloccaDoc(&e.chiave, 0);
  EXPECT_EQ(Righe(" Where NumReg = 8"), 1);
  // The default key "Standard" as well.
  std::string standard = "Standard";
  int16_t nuovo = -1;
  std::string u, g, v;
  EXPECT_EQ(BloccaDoc("M", "D", 2026, 8, nuovo, 0, standard, "Il DDT", u, g, v), kBloccoInUso);
  EXPECT_EQ(standard, "Standard");
  EXPECT_FALSE(G().gsKeyRecLock.empty());
  SbloccaDoc();
  EXPECT_EQ(G().gsKeyRecLock, "");
  EXPECT_EQ(Righe(" Where NumReg = 8"), 1);
}

TEST_F(Blocchi, UnlockWithoutCloseKeepsTheKeyForTheNextLock) {
  Esito e = Blocca(10, -1, 0);
  ASSERT_EQ(e.ris, kBloccoPreso);
  const std::string chiave = e.chiave;
  SbloccaDoc(&e.chiave, 0);
  EXPECT_EQ(e.chiave, chiave);
  EXPECT_EQ(Righe(), 0);
  EXPECT_TRUE(G().goRecLock->Esiste(chiave));
  // The next lock under the same key, then the default key.
  Esito f = Blocca(11, -1, 0, e.chiave);
  EXPECT_EQ(f.ris, kBloccoPreso);
  EXPECT_EQ(f.chiave, chiave);
  std::string standard = "Standard";
  int16_t nuovo = -1;
  std::string u, g = "D", v;
  EXPECT_EQ(BloccaDoc("M", "D", 2026, 12, nuovo, 0, standard, "Il DDT", u, g, v), kBloccoPreso);
  EXPECT_EQ(Righe(), 2);
  SbloccaDoc(nullptr, -1);
  EXPECT_EQ(Righe(" Where NumReg = 12"), 0);
  SbloccaDoc(&f.chiave, -1);
  EXPECT_EQ(Righe(), 0);
}

TEST_F(Blocchi, ErrorsComeBackAsThree) {
  // An update without a held lock under the key: an error, shown when asked.
  Esito e = Blocca(20, 0, 0, "nessuna");
  EXPECT_EQ(e.ris, kBloccoErrore);
  EXPECT_TRUE(messaggi_.empty());
  e = Blocca(20, 0, -1, "nessuna");
  EXPECT_EQ(e.ris, kBloccoErrore);
  EXPECT_EQ(messaggi_.size(), 1u);
}

TEST_F(Blocchi, AnOwnLockMayBeAcceptedWhenTheCallerSaysSo) {
  const Esito mio = Blocca(30, -1, 0);
  ASSERT_EQ(mio.ris, kBloccoPreso);
  int16_t nuovo = -1;
  std::string chiave, u, g, v;
  EXPECT_EQ(BloccaDoc("M", "D", 2026, 30, nuovo, -1, chiave, "Il DDT", u, g, v, 0, "", 0, 0, 1), kBloccoProprio);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Blocchi, TheNextNumberOfTheYear) {
  EXPECT_EQ(CalcProssNum(2026, "DdtTest", "numrif", 0, -1), 1);
  for (int n : {1, 2, 7}) Sql("Insert into DdtTest (Anno, NumRif) Values (2026, " + std::to_string(n) + ")");
  Sql("Insert into DdtTest (Anno, NumRif) Values (2025, 40)");
  EXPECT_EQ(CalcProssNum(2026, "DdtTest", "numrif", 0, -1), 8);
  EXPECT_EQ(CalcProssNum(2026, "DdtTest", "numrif", 0, 0), 8);
  EXPECT_EQ(CalcProssNum(2027, "DdtTest", "numrif", 0, -1), 1);
  EXPECT_EQ(CalcProssNum(2026, "DdtTest", "numrif", 1, -1), 41);
  EXPECT_THROW(CalcProssNum(2026, "Inesistente", "numrif"), vb::Errore);
}

TEST_F(Blocchi, AskingAgainForAnOwnLockDoesNotKeepItAfterTheUnlock) {
  // Asked again under the same key, as a lock or as a check only, with the
  // default key or the caller's own, closed on unlock or kept open.
  struct Caso {
    bool standard;
    int16_t soloVerifica;
    int16_t chiudi;
  };
  const Caso casi[] = {{true, 0, -1}, {true, 0, 0}, {false, 0, -1}, {false, 0, 0},
                       {true, -1, -1}, {false, -1, 0}};
  int32_t numero = 40;
  for (const auto& c : casi) {
    SCOPED_TRACE("DDT " + std::to_string(numero));
    messaggi_.clear();
    std::string chiave = c.standard ? "Standard" : "";
    auto blocca = [&](int16_t soloVerifica) {
      int16_t nuovo = -1;
      std::string u, g = "D", v;
      return BloccaDoc("M", "D", 2026, numero, nuovo, -1, chiave, "Il DDT", u, g, v, soloVerifica);
    };
    auto sblocca = [&] {
      if (c.standard) SbloccaDoc(nullptr, c.chiudi);
      else SbloccaDoc(&chiave, c.chiudi);
    };
    ASSERT_EQ(blocca(0), kBloccoPreso);
    if (c.soloVerifica) {
      EXPECT_EQ(blocca(-1), kBloccoPreso);
      EXPECT_TRUE(messaggi_.empty());
    } else {
      // Refused by its own lock, naming its own user.
      EXPECT_EQ(blocca(0), kBloccoInUso);
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_NE(messaggi_[0].find("in uso da:\r\nmario\r\n"), std::string::npos);
    }
    sblocca();
    EXPECT_EQ(Righe(" Where NumReg = " + std::to_string(numero)), 0);
    // The program locks it again, and lets it go again.
    messaggi_.clear();
    EXPECT_EQ(blocca(0), kBloccoPreso);
    EXPECT_TRUE(messaggi_.empty());
    sblocca();
    EXPECT_EQ(Righe(), 0);
    ++numero;
  }
}

TEST_F(Blocchi, AKeyMovedToAnotherDocumentStillReleasesWhatItTook) {
  LockAltrui(51, "anna");
  // Taken 50, then refused on anna's 51 under the same key: 50 goes, 51 stays.
  Esito e = Blocca(50, -1, 0);
  ASSERT_EQ(e.ris, kBloccoPreso);
  Esito f = Blocca(51, -1, 0, e.chiave);
  ASSERT_EQ(f.ris, kBloccoInUso);
  SbloccaDoc(&f.chiave, 0);
  EXPECT_EQ(Righe(" Where NumReg = 50"), 0);
  EXPECT_EQ(Righe(" Where NumReg = 51 And Utente = 'anna'"), 1);
  // Taken 52, then 53 under the same key: both go with the key.
  e = Blocca(52, -1, 0, f.chiave);
  ASSERT_EQ(e.ris, kBloccoPreso);
  f = Blocca(53, -1, 0, e.chiave);
  ASSERT_EQ(f.ris, kBloccoPreso);
  SbloccaDoc(&f.chiave, -1);
  EXPECT_EQ(Righe(" Where NumReg In (52, 53)"), 0);
  EXPECT_EQ(Righe(), 1);
}

TEST_F(Blocchi, ALockClearedAndTakenByAnotherUserMeanwhileIsNotReleased) {
  // A recovery utility cleared this program's lock and anna took it: the
  // unlock finds her row under the key's document and leaves it.
  for (int16_t chiudi : {int16_t(-1), int16_t(0)}) {
    Esito e = Blocca(60, -1, 0);
    ASSERT_EQ(e.ris, kBloccoPreso);
    Sql("Delete from LockGest Where NumReg = 60");
    LockAltrui(60, "anna");
    SbloccaDoc(&e.chiave, chiudi);
    EXPECT_EQ(Righe(" Where NumReg = 60 And Utente = 'anna'"), 1) << chiudi;
    Sql("Delete from LockGest");
  }
  // The same after the key was asked again for it and refused by anna.
  Esito e = Blocca(61, -1, 0);
  ASSERT_EQ(e.ris, kBloccoPreso);
  Sql("Delete from LockGest Where NumReg = 61");
  LockAltrui(61, "anna");
  EXPECT_EQ(Blocca(61, -1, 0, e.chiave).ris, kBloccoInUso);
  SbloccaDoc(&e.chiave, -1);
  EXPECT_EQ(Righe(" Where NumReg = 61 And Utente = 'anna'"), 1);
}

// Several processes on one company database, as several users work on it:
// duplicate keys, writers held off by another's transaction, and a process
// killed in the middle of a transaction.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/MotoreOdbc.h"
#include "platform/dati/MotoreSQLite.h"
#include "platform/dati/Transazioni.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

using namespace dati;

namespace {

enum class Motore { SQLite, Server };

class Concorrenza : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    if (GetParam() == Motore::Server) {
      const char* c = std::getenv("DDT_PG_CONNECT");
      if (!c || !*c) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      connessione_ = c;
    } else {
      connessione_ = dir_.Percorso("ditta.db");
      GestDatabase db;
      db.CreaDatabase(connessione_);
    }
    tabella_ = "conc_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& ch : tabella_)
      if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    GestDatabase db;
    std::string k = Apri(db);
    db.EseguiSql(k, "CREATE TABLE " + tabella_ + " (Chiave INTEGER NOT NULL PRIMARY KEY, Chi INTEGER)", 64);
  }
  void TearDown() override {
    if (tabella_.empty() || connessione_.empty()) return;
    try {
      GestDatabase db;
      db.EseguiSql(Apri(db), "DROP TABLE " + tabella_, 64);
    } catch (...) {
    }
  }

  std::string Apri(GestDatabase& db) const {
    return GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, connessione_)
                                        : db.ApriDatabase(connessione_);
  }

  // Runs `f` in a child process; the child's exit code is f's answer.
  static pid_t Figlio(const std::function<int()>& f) { return prova::Figlio(f); }
  static int Attendi(pid_t p) { return prova::Attendi(p); }

  long Conta(const std::string& dove = "") const {
    GestDatabase db;
    std::string k = Apri(db);
    GestRecordset rs;
    std::string r = rs.ApriRecordset(db, k, "", "Select Count(*) as N from " + tabella_ + dove, false, 4);
    return rs.LeggiCampo(r, "N").ToLong();
  }

  prova::CartellaTemp dir_{"conc"};
  std::string connessione_, tabella_;
};

}  // namespace

TEST_P(Concorrenza, SameKeyFromTwoProcessesIsStoredOnce) {
  constexpr int kChiavi = 60;
  int fd[2][2];
  std::vector<pid_t> figli;
  for (int chi = 0; chi < 2; ++chi) {
    ASSERT_EQ(pipe(fd[chi]), 0);
    figli.push_back(Figlio([&, chi] {
      close(fd[chi][0]);
      GestDatabase db;
      std::string k = Apri(db);
      std::string esiti;
      for (int i = 0; i < kChiavi; ++i) {
        try {
          db.EseguiSql(k, "Insert into " + tabella_ + " (Chiave, Chi) Values (" + std::to_string(i) + ", " +
                              std::to_string(chi) + ")");
          esiti.push_back('S');
        } catch (const vb::Errore& e) {
          esiti.push_back(e.Number() == ErrChiaveDuplicata || e.Number() == ErrOdbc ? 'D' : 'X');
        }
      }
      return write(fd[chi][1], esiti.data(), esiti.size()) == static_cast<ssize_t>(esiti.size()) ? 0 : 1;
    }));
    close(fd[chi][1]);
  }
  std::string esiti[2];
  for (int chi = 0; chi < 2; ++chi) {
    char buf[256];
    ssize_t n;
    while ((n = read(fd[chi][0], buf, sizeof buf)) > 0) esiti[chi].append(buf, static_cast<size_t>(n));
    close(fd[chi][0]);
    EXPECT_EQ(Attendi(figli[static_cast<size_t>(chi)]), 0);
  }
  ASSERT_EQ(esiti[0].size(), static_cast<size_t>(kChiavi));
  ASSERT_EQ(esiti[1].size(), static_cast<size_t>(kChiavi));
  for (int i = 0; i < kChiavi; ++i) {
    // Exactly one of the two stored each key; the other was told it is a duplicate.
    std::string coppia{esiti[0][static_cast<size_t>(i)], esiti[1][static_cast<size_t>(i)]};
    EXPECT_TRUE(coppia == "SD" || coppia == "DS") << "chiave " << i << ": " << coppia;
  }
  EXPECT_EQ(Conta(), kChiavi);
}

TEST_P(Concorrenza, WriterHeldOffByAnotherTransactionGetsLocked) {
  GestDatabase db;
  std::string k = Apri(db);
  db.EseguiSql(k, "Insert into " + tabella_ + " (Chiave, Chi) Values (1, 0)");
  int pronto[2];
  ASSERT_EQ(pipe(pronto), 0);
  IniziaTransWorkspace();
  db.EseguiSql(k, "Update " + tabella_ + " Set Chi = 5 Where Chiave = 1");
  pid_t p = Figlio([&] {
    close(pronto[0]);
    ImpostaAttesaBloccoMs(300);
    ImpostaAttesaBloccoServerMs(300);
    GestDatabase altro;
    std::string k2 = Apri(altro);
    try {
      altro.EseguiSql(k2, "Update " + tabella_ + " Set Chi = 9 Where Chiave = 1");
    } catch (const vb::Errore& e) {
      return e.Number() == ErrBloccato ? 0 : 2;
    }
    return 1;
  });
  close(pronto[1]);
  int esito = Attendi(p);
  AnnullaTransWorkspace();
  close(pronto[0]);
  EXPECT_EQ(esito, 0) << "il secondo scrittore doveva ricevere 3260";
  EXPECT_EQ(Conta(" where Chi = 0"), 1);
}

TEST_P(Concorrenza, KilledProcessLeavesNoPartialRows) {
  int pronto[2];
  ASSERT_EQ(pipe(pronto), 0);
  pid_t p = Figlio([&] {
    close(pronto[0]);
    GestDatabase db;
    std::string k = Apri(db);
    IniziaTransWorkspace();
    for (int i = 0; i < 50; ++i)
      db.EseguiSql(k, "Insert into " + tabella_ + " (Chiave, Chi) Values (" + std::to_string(i) + ", 1)");
    char c = 'x';
    if (write(pronto[1], &c, 1) != 1) return 3;
    pause();  // killed here, inside the transaction
    return 0;
  });
  close(pronto[1]);
  char c;
  ASSERT_EQ(read(pronto[0], &c, 1), 1);
  close(pronto[0]);
  kill(p, SIGKILL);
  int st;
  waitpid(p, &st, 0);
  EXPECT_TRUE(WIFSIGNALED(st));
  EXPECT_EQ(Conta(), 0);
}

INSTANTIATE_TEST_SUITE_P(Motori, Concorrenza, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

// Several programs on one company database at once, each a process of its
// own, on a SQLite file and on the test server: the lock of one DDT taken
// by two of them, and eight of them numbering DDTs together.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Motore.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "services/ComLock.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

namespace {

enum class Motore { SQLite, Server };

class ConcorrenzaBlocchi : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    std::vector<dati::TabellaCat> tabelle;
    for (const auto& t : dati::SchemaDitta())
      if (t.nome == "LockGest" || t.nome == "DdtTest") tabelle.push_back(t);
    if (GetParam() == Motore::Server) {
      if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      server_ = std::make_unique<prova::DatabaseServer>();
      connessione_ = server_->Connessione();
      dati::CreaSchema(*server_->Apri(), tabelle);
    } else {
      connessione_ = dir_.Percorso("ditta.db");
      dati::GestDatabase db;
      const std::string k = db.CreaDatabase(connessione_);
      dati::CreaSchema(db.Motore(k), tabelle);
    }
  }
  void TearDown() override {
    controllo_.reset();
    AzzeraGlobali();
  }

  // A program of the suite: its own connection, its own user.
  void Programma(const std::string& utente) const {
    AzzeraGlobali();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = GetParam() == Motore::Server ? db->ApriDatabase("", 0, false, false, connessione_)
                                                     : db->ApriDatabase(connessione_);
    G().goDbAzienda = db;
    servizi::ImpostaLatoMenu({[utente] { return utente; }, {}, {}});
  }

  static pid_t Figlio(const std::function<int()>& f) { return prova::Figlio(f); }
  static int Attendi(pid_t p) { return prova::Attendi(p); }

  // Counted on a connection of the test's own, opened once.
  long Conta(const std::string& sql) {
    if (!controllo_) {
      controllo_ = std::make_unique<dati::GestDatabase>();
      chiaveControllo_ = GetParam() == Motore::Server
                             ? controllo_->ApriDatabase("", 0, false, false, connessione_)
                             : controllo_->ApriDatabase(connessione_);
    }
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*controllo_, chiaveControllo_, "", sql, false, 4);
    const long n = rs.LeggiCampo(r, "N").ToLong();
    rs.ChiudiRecordset(r);
    return n;
  }

  prova::CartellaTemp dir_{"conclock"};
  std::unique_ptr<prova::DatabaseServer> server_;
  std::string connessione_;
  std::unique_ptr<dati::GestDatabase> controllo_;
  std::string chiaveControllo_;
};

// The command channel to a child: 'L' + number locks that DDT, 'U' unlocks,
// 'Q' ends; every command is answered by one byte.
struct Canale {
  int comandi[2];
  int risposte[2];
};

bool Scrivi(int fd, const void* p, size_t n) { return write(fd, p, n) == static_cast<ssize_t>(n); }
bool Leggi(int fd, void* p, size_t n) { return read(fd, p, n) == static_cast<ssize_t>(n); }

}  // namespace

TEST_P(ConcorrenzaBlocchi, TwoProgramsLockingOneDdtOneGetsItTheOtherIsRefused) {
  constexpr int kGiri = 30;
  // A lock of another user on another DDT, which nobody here may touch.
  {
    dati::GestDatabase db;
    const std::string k = GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, connessione_)
                                                       : db.ApriDatabase(connessione_);
    db.EseguiSql(k, "Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato) Values ('D', 2026, 9999, 'anna', 'M')");
  }
  const std::string utenti[2] = {"mario", "luigi"};
  Canale c[2];
  pid_t figli[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(pipe(c[i].comandi), 0);
    ASSERT_EQ(pipe(c[i].risposte), 0);
    figli[i] = Figlio([&, i] {
      close(c[i].comandi[1]);
      close(c[i].risposte[0]);
      Programma(utenti[i]);
      std::string chiave;
      char cmd;
      while (Leggi(c[i].comandi[0], &cmd, 1)) {
        char risposta = 'k';
        if (cmd == 'L') {
          int32_t numero = 0;
          if (!Leggi(c[i].comandi[0], &numero, sizeof numero)) return 2;
          int16_t nuovo = -1;
          std::string u, g = "D", v;
          risposta = static_cast<char>(
              '0' + ComLock::BloccaDoc("M", "D", 2026, numero, nuovo, 0, chiave, "Il DDT", u, g, v));
        } else if (cmd == 'U') {
          ComLock::SbloccaDoc(&chiave, -1);
        } else {
          return 0;
        }
        if (!Scrivi(c[i].risposte[1], &risposta, 1)) return 3;
      }
      return 4;
    });
    close(c[i].comandi[0]);
    close(c[i].risposte[1]);
  }

  auto comanda = [&](int i, char cmd, int32_t numero = 0) {
    std::string buf(1, cmd);
    if (cmd == 'L') buf.append(reinterpret_cast<const char*>(&numero), sizeof numero);
    EXPECT_TRUE(Scrivi(c[i].comandi[1], buf.data(), buf.size()));
  };
  auto risposta = [&](int i) {
    char r = '?';
    EXPECT_TRUE(Leggi(c[i].risposte[0], &r, 1));
    return r;
  };
  int contese = 0;
  for (int giro = 1; giro <= kGiri; ++giro) {
    SCOPED_TRACE("DDT " + std::to_string(giro));
    comanda(0, 'L', giro);
    comanda(1, 'L', giro);
    const char r[2] = {risposta(0), risposta(1)};
    const int chi = r[0] == '0' ? 0 : 1;
    const int altro = 1 - chi;
    ASSERT_EQ(r[chi], '0') << "nessuno ha preso il blocco: " << r[0] << r[1];
    ASSERT_TRUE(r[altro] == '1' || r[altro] == '2') << "risposte " << r[0] << r[1];
    if (r[altro] == '2') ++contese;
    const std::string dove = " Where Tipo = 'D' And Anno = 2026 And NumReg = " + std::to_string(giro);
    EXPECT_EQ(Conta("Select Count(*) As N from LockGest" + dove + " And Utente = '" + utenti[chi] + "'"), 1);
    // The refused program lets go: the holder's row stays.
    comanda(altro, 'U');
    EXPECT_EQ(risposta(altro), 'k');
    EXPECT_EQ(Conta("Select Count(*) As N from LockGest" + dove), 1);
    // The holder lets go: its row only.
    comanda(chi, 'U');
    EXPECT_EQ(risposta(chi), 'k');
    EXPECT_EQ(Conta("Select Count(*) As N from LockGest" + dove), 0);
    EXPECT_EQ(Conta("Select Count(*) As N from LockGest Where NumReg = 9999 And Utente = 'anna'"), 1);
  }
  for (int i = 0; i < 2; ++i) {
    comanda(i, 'Q');
    close(c[i].comandi[1]);
    close(c[i].risposte[0]);
    EXPECT_EQ(Attendi(figli[i]), 0);
  }
  EXPECT_EQ(Conta("Select Count(*) As N from LockGest"), 1);
  RecordProperty("contese", contese);
  std::printf("blocchi contesi all'inserimento: %d su %d\n", contese, kGiri);
}

TEST_P(ConcorrenzaBlocchi, AProgramAskingAgainForItsOwnLockIsNotLockedOutByIt) {
  {
    dati::GestDatabase db;
    const std::string k = GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, connessione_)
                                                       : db.ApriDatabase(connessione_);
    db.EseguiSql(k, "Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato) Values ('D', 2026, 9999, 'anna', 'M')");
  }
  Programma("mario");
  auto blocca = [](int32_t numero, std::string* utente = nullptr) {
    std::string chiave = "Standard";
    int16_t nuovo = -1;
    std::string u, g = "D", v;
    const int16_t r = ComLock::BloccaDoc("M", "D", 2026, numero, nuovo, 0, chiave, "Il DDT", u, g, v);
    if (utente) *utente = u;
    return r;
  };
  const std::string dove = " Where Tipo = 'D' And Anno = 2026 And NumReg = 5";
  for (int giro = 0; giro < 3; ++giro) {
    SCOPED_TRACE("giro " + std::to_string(giro));
    ASSERT_EQ(blocca(5), ComLock::kBloccoPreso);
    std::string utente;
    EXPECT_EQ(blocca(5, &utente), ComLock::kBloccoInUso);
    EXPECT_EQ(utente, "mario");
    ComLock::SbloccaDoc();
    EXPECT_EQ(Conta("Select Count(*) As N from LockGest" + dove), 0);
  }
  // Refused by anna's lock under the key that held 5: 5 goes, hers stays.
  ASSERT_EQ(blocca(5), ComLock::kBloccoPreso);
  EXPECT_EQ(blocca(9999), ComLock::kBloccoInUso);
  ComLock::SbloccaDoc(nullptr, 0);
  EXPECT_EQ(Conta("Select Count(*) As N from LockGest" + dove), 0);
  EXPECT_EQ(Conta("Select Count(*) As N from LockGest Where NumReg = 9999 And Utente = 'anna'"), 1);
  servizi::ImpostaLatoMenu({});
}

TEST_P(ConcorrenzaBlocchi, EightProgramsNumberingTogetherLoseAndRepeatNothing) {
  constexpr int kProgrammi = 8;
  constexpr int kNumeri = 200;
  std::vector<pid_t> figli;
  int via[2];
  ASSERT_EQ(pipe(via), 0);
  for (int i = 0; i < kProgrammi; ++i) {
    figli.push_back(Figlio([&, i] {
      close(via[1]);
      Programma("utente" + std::to_string(i));
      char x;
      if (!Leggi(via[0], &x, 1)) return 2;  // all start together
      const auto& db = G().goDbAzienda;
      for (int n = 0; n < kNumeri; ++n) {
        // The header's save: the next number, and on a duplicate key the
        // one after it, up to ten times; then the number is asked again.
        int32_t numero = ComLock::CalcProssNum(2026, "DdtTest", "numrif", 0, -1);
        for (int tentativo = 0;; ++tentativo) {
          try {
            db->EseguiSql(G().gsConnAzienda, "Insert into DdtTest (Anno, NumRif, NumMovim) Values (2026, " +
                                                 std::to_string(numero) + ", " + std::to_string(i) + ")");
            break;
          } catch (const vb::Errore& e) {
            if (e.Number() != dati::ErrChiaveDuplicata && e.Number() != dati::ErrOdbc) throw;
            numero = tentativo % 10 == 9 ? ComLock::CalcProssNum(2026, "DdtTest", "numrif", 0, -1) : numero + 1;
          }
        }
      }
      return 0;
    }));
  }
  close(via[0]);
  const std::string segnale(kProgrammi, 'x');
  ASSERT_TRUE(Scrivi(via[1], segnale.data(), segnale.size()));
  close(via[1]);
  for (pid_t p : figli) EXPECT_EQ(Attendi(p), 0);
  const long totale = kProgrammi * kNumeri;
  EXPECT_EQ(Conta("Select Count(*) As N from DdtTest Where Anno = 2026"), totale);
  EXPECT_EQ(Conta("Select Count(*) As N from (Select Distinct NumRif from DdtTest) As D"), totale);
  // None lost: 1 to 1,600 with no gap.
  EXPECT_EQ(Conta("Select Max(NumRif) As N from DdtTest"), totale);
  EXPECT_EQ(Conta("Select Min(NumRif) As N from DdtTest"), 1);
  for (int i = 0; i < kProgrammi; ++i)
    EXPECT_EQ(Conta("Select Count(*) As N from DdtTest Where NumMovim = " + std::to_string(i)), kNumeri);
}

INSTANTIATE_TEST_SUITE_P(Motori, ConcorrenzaBlocchi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

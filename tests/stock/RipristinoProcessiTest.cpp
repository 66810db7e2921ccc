// Programs of their own restoring the demo's printed DDT 2 at the same time,
// on a SQLite file and on the PostgreSQL test server: exactly one restores
// it, every progressive shows one reversal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>

#include <memory>
#include <string>

#include "common/Globali.h"
#include "platform/MsgBox.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/ui/Headless.h"
#include "services/DittaProva.h"
#include "services/LatoMenu.h"
#include "stock/RipriDdt.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

namespace {

namespace demo = dati::demo;
enum class Motore { SQLite, Server };

class RipristinoProcessi : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    if (GetParam() == Motore::Server) {
      if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      server_ = std::make_unique<prova::DatabaseServer>();
      connessione_ = server_->Connessione();
    } else {
      connessione_ = dir_.Percorso("ditta.db");
    }
    dati::GestDatabase db;
    const std::string k = Apri(db, true);
    dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
    dati::CreaDittaDemo(db, k);
  }
  void TearDown() override { server_.reset(); }

  std::string Apri(dati::GestDatabase& db, bool crea = false) const {
    if (GetParam() == Motore::Server) return db.ApriDatabase("", 0, false, false, connessione_);
    return crea ? db.CreaDatabase(connessione_) : db.ApriDatabase(connessione_);
  }
  double Num(const std::string& sql) const {
    dati::GestDatabase db;
    const std::string k = Apri(db);
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(db, k, "", sql, false, 4);
    const vb::Variant v = rs.NessunRecord(r) ? vb::Variant(0.0) : rs.LeggiCampo(r, "V");
    rs.ChiudiRecordset(r);
    return v.IsNull() ? 0 : v.ToDouble();
  }

  // One program of the suite restoring DDT 2; a lock in use is answered
  // "Esci". 0 when it ran through.
  int Programma(const std::string& utente) const {
    AzzeraGlobali();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = Apri(*db);
    G().goDbAzienda = db;
    G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(nome, "Mag.GesTaglie") ? vb::Variant("S") : predefinito;
    };
    servizi::ImpostaLatoMenu({[utente] { return utente; }, {}, {}});
    prova::BackendMessaggi backend;
    backend.rispondi = [](const std::string&, int& r) { r = 2; };
    ui::ImpostaBackend(&backend);
    vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) { return int(vb::vbYes); });
    RipriDdt::ParRipristinoDdt p;
    p.piAnno = 2026;
    p.plNumRifDa = p.plNumRifA = demo::kDdtStampato;
    RipriDdt::RipristinoDdt(p);
    ui::ImpostaBackend(nullptr);
    return 0;
  }

  prova::CartellaTemp dir_{"riprproc"};
  std::unique_ptr<prova::DatabaseServer> server_;
  std::string connessione_;
};

TEST_P(RipristinoProcessi, TwoProgramsRestoringOneDdtReverseItOnce) {
  const double prima = Num("Select Sum(QtaScarico) as V from ArticoliProg");
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t figli[2];
  for (int i = 0; i < 2; ++i) {
    figli[i] = prova::Figlio([&, i] {
      close(fds[1]);
      char c;
      if (read(fds[0], &c, 1) != 1) return 9;  // both start together
      return Programma(i == 0 ? "mario" : "luigi");
    });
  }
  close(fds[0]);
  const char via[2] = {'x', 'x'};
  ASSERT_EQ(write(fds[1], via, 2), 2);
  close(fds[1]);
  for (pid_t f : figli) EXPECT_EQ(prova::Attendi(f), 0);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from DdtTest Where Anno = 2026 And NumRif = 2 And Stato = 'S'"), 0);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from MovMagTes Where NumReg = " + std::to_string(demo::kMovDdtStampato)),
                   0);
  EXPECT_DOUBLE_EQ(Num("Select Sum(QtaScarico) as V from ArticoliProg"), prima - 9);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest"), 0);
}

// The backend of a program killed from inside: at the n-th round of events
// (the reversal gives one before each row, between two rows' transactions)
// the process dies as under a kill.
class BackendUcciso : public prova::BackendMessaggi {
 public:
  explicit BackendUcciso(int n) : n_(n) {}
  void DoEvents() override {
    if (--n_ == 0) raise(SIGKILL);
    prova::BackendMessaggi::DoEvents();
  }

 private:
  int n_;
};

// A restore killed between rows: the DDT stays printed, its lock rows show
// how far it came; once they are removed, a second restore completes and
// the progressives show one clean reversal.
TEST_P(RipristinoProcessi, ARestoreKilledBetweenRowsIsCompletedByASecondOne) {
  const double prima = Num("Select Sum(QtaScarico) as V from ArticoliProg");
  const pid_t figlio = prova::Figlio([&] {
    AzzeraGlobali();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = Apri(*db);
    G().goDbAzienda = db;
    G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(nome, "Mag.GesTaglie") ? vb::Variant("S") : predefinito;
    };
    servizi::ImpostaLatoMenu({[] { return std::string("mario"); }, {}, {}});
    BackendUcciso backend(6);
    ui::ImpostaBackend(&backend);
    RipriDdt::ParRipristinoDdt p;
    p.piAnno = 2026;
    p.plNumRifDa = p.plNumRifA = demo::kDdtStampato;
    RipriDdt::RipristinoDdt(p);
    return 0;
  });
  EXPECT_EQ(prova::Attendi(figlio), -1);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from DdtTest Where Anno = 2026 And NumRif = 2 And Stato = 'S'"), 1);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest Where Tipo = 'D' And Stato = '1'"), 1);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from LockGest Where Tipo = 'M' And Stato = '6'"), 1);
  const double righe = Num("Select Count(*) as V from MovMagLiv Where NumReg = " +
                           std::to_string(demo::kMovDdtStampato));
  EXPECT_GT(righe, 0);
  EXPECT_LT(righe, 5);
  // Each row either reversed and gone or untouched.
  const double dopo = Num("Select Sum(QtaScarico) as V from ArticoliProg");
  EXPECT_LT(dopo, prima);
  {
    dati::GestDatabase db;
    const std::string k = Apri(db);
    db.EseguiSql(k, "Delete from LockGest");
  }
  EXPECT_EQ(prova::Attendi(prova::Figlio([&] { return Programma("luigi"); })), 0);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from DdtTest Where Anno = 2026 And NumRif = 2 And Stato = 'S'"), 0);
  EXPECT_DOUBLE_EQ(Num("Select Sum(QtaScarico) as V from ArticoliProg"), prima - 9);
  EXPECT_DOUBLE_EQ(Num("Select Count(*) as V from MovMagTes Where NumReg = " + std::to_string(demo::kMovDdtStampato)),
                   0);
}

INSTANTIATE_TEST_SUITE_P(Motori, RipristinoProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const ::testing::TestParamInfo<Motore>& i) {
                           return i.param == Motore::SQLite ? std::string("SQLite") : std::string("Server");
                         });

}  // namespace

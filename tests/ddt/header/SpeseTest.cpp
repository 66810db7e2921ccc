// The expense rows the header keeps in step with itself, on the demo
// company: those a new DDT gets at its first save, those a save of a stored
// DDT rechecks inside its transaction (rolled back with the header when a
// step fails, on SQLite and on the test server), and the hand-off to the
// expense window and back.
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ddt/header/GanciProva.h"
#include "expenses/AggSpeBan.h"
#include "platform/dati/MotoreOdbc.h"
#include "platform/dati/Transazioni.h"
#include "services/ComLock.h"
#include "support/Processi.h"

namespace {

using namespace dati::demo;

const std::string kCassaPrev = std::string(kGruppoClienti) + "-" + kMastroClienti + "-" + kClienteCassaPrev;
const std::string kCliente3Txt = std::string(kGruppoClienti) + "-" + kMastroClienti + "-" + kCliente3;

class SpeseProva : public prova::GanciProva {
 protected:
  void SetUp() override {
    GanciProva::SetUp();
    AggSpeBan::AzzeraStato();
  }
  void TearDown() override {
    AggSpeBan::AzzeraStato();
    GanciProva::TearDown();
  }

  // The expense rows of a DDT as "Riga:Spesa:Iva:Importo;" in row order.
  std::string Righe(long numRif) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select * from DdtSpese Where Anno = 2026 And NumRif = " +
                                               std::to_string(numRif) + " Order By Riga",
                                           false, 4);
    std::string out;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      char buf[160];
      std::snprintf(buf, sizeof buf, "%ld:%s:%s:%.2f;", static_cast<long>(rs.LeggiCampo(k, "Riga").ToLong()),
                    rs.LeggiCampo(k, "Spesa").ToString().c_str(), rs.LeggiCampo(k, "Iva").ToString().c_str(),
                    rs.LeggiCampo(k, "Importo").ToDouble());
      out += buf;
    }
    rs.ChiudiRecordset(k);
    return out;
  }

  // What the customer's decode leaves on the window, set as it would.
  static void Cliente(frmDdtTest& f, const std::string& conto, const std::string& spesa, bool cassa, bool bolli) {
    f.txt(80).SetText(conto);
    f.msSpesaCli = spesa;
    f.mbCassaPrev = cassa;
    f.C("che", 430).SetValue(bolli ? 1 : 0);
  }
};

// ---------------------------------------------------------------- new DDT

TEST_F(SpeseProva, ANewDdtGetsItsExpensesAndNeverOneCodeTwice) {
  struct Caso {
    const char* nome;
    const char* cassaPrev;  // company parameter
    const char* clieAutom;  // personal setting
    const char* segno;
    const char* conto;
    const char* spesaCli;
    bool cassa, bolli;
    const char* pagamento;
    const char* moneta;
    const char* righe;
  };
  const Caso casi[] = {
      {"solo la spesa standard", "", "N", "+", kCliente3Txt.c_str(), "", false, false, kPagRimessaDiretta, kEuro,
       "1:STD:22:1.50;"},
      {"spese d'incasso per tre rate e cassa", "CPV", "N", "+", kCassaPrev.c_str(), kSpesaTrasporto, true, false,
       kPagRibaSpese3, kEuro, "1:RIB:22:6.00;2:STD:22:1.50;3:CPV:22:0.00;"},
      {"bollo sulla tratta, con la spesa del cliente", "", "S", "+", kCassaPrev.c_str(), kSpesaTrasporto, false,
       true, kPagTrattaBolli, kEuro, "1:BTR:E15:0.00;2:STD:22:1.50;3:TRA:22:15.00;"},
      {"spesa del cliente che è anche standard", "", "S", "+", kCliente3Txt.c_str(), kSpesaStandard, false, false,
       kPagRimessaDiretta, kEuro, "1:STD:22:1.50;"},
      {"spesa della cassa che è anche del cliente", "CPV", "S", "+", kCassaPrev.c_str(), kSpesaCassaPrev, true,
       false, kPagRimessaDiretta, kEuro, "1:STD:22:1.50;2:CPV:22:0.00;"},
      {"spesa d'incasso che è anche del cliente", "", "S", "+", kCassaPrev.c_str(), kSpesaRiba, false, false,
       kPagRibaSpese2, kEuro, "1:RIB:22:4.00;2:STD:22:1.50;"},
      {"cassa senza cliente soggetto", "CPV", "N", "+", kCliente3Txt.c_str(), "", false, false, kPagRimessaDiretta,
       kEuro, "1:STD:22:1.50;"},
      {"in dollari: nessuna spesa in euro", "CPV", "S", "+", kCassaPrev.c_str(), kSpesaTrasporto, true, false,
       kPagRibaSpese3, kDollaro, ""},
      {"tipo documento senza spese", "CPV", "S", "-", kCassaPrev.c_str(), kSpesaTrasporto, true, true,
       kPagRibaSpese3, kEuro, ""},
  };
  frmDdtTest& f = Finestra();
  long numRif = 5;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Param("CauCon.SpesaCassaPrev", c.cassaPrev);
    f.mbSpesaClieAutom = std::string(c.clieAutom) == "S";
    Lascia(f);
    Nuovo(f);
    Cliente(f, c.conto, c.spesaCli, c.cassa, c.bolli);
    f.txt(220).SetText(c.pagamento);
    f.txt(400).SetText(c.moneta);
    f.msSegnoDoc = c.segno;
    messaggi_.clear();
    f.ogComPag().EseguiTasto("Salva");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
    ASSERT_EQ(f.txt(10).Text(), std::to_string(numRif));
    for (auto& m : messaggi_) ADD_FAILURE() << m;
    const std::string attese = c.righe;
    EXPECT_EQ(Righe(numRif), attese);
    // The rechecks ran: the footer is due even when no row was added.
    EXPECT_TRUE(f.mbAggPiedeDopo);
    EXPECT_FALSE(f.mbVerSpesePag || f.mbVerSpesePerc || f.mbAggSpesaCli);
    ++numRif;
  }
}

// The same on the test server: the codes already there are left out by the
// database, whatever its dialect.
TEST_F(SpeseProva, OnTheServerTooANewDdtGetsEachCodeOnce) {
  std::unique_ptr<prova::DatabaseServer> srv;
  if (!ApriSuServer(srv)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  Param("CauCon.SpesaCassaPrev", kSpesaCassaPrev);
  frmDdtTest& f = Finestra();
  f.mbSpesaClieAutom = true;
  Nuovo(f);
  Cliente(f, kCassaPrev, kSpesaStandard, true, false);
  f.txt(220).SetText(kPagRibaSpese3);
  f.txt(400).SetText(kEuro);
  f.msSegnoDoc = "+";
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
  for (auto& m : messaggi_) ADD_FAILURE() << m;
  EXPECT_EQ(Righe(std::stol(f.txt(10).Text())), "1:RIB:22:6.00;2:STD:22:1.50;3:CPV:22:0.00;");
  f.Unload();
}

// ---------------------------------------------------------------- stored DDT

TEST_F(SpeseProva, ASaveOfAStoredDdtRechecksItsExpensesInItsTransaction) {
  struct Caso {
    const char* nome;
    const char* cassaPrev;
    bool clieAutom;
    std::function<void(frmDdtTest&)> cambia;
    const char* righe;  // DDT 3 holds "1:TRA:22:10.00;" before each case
    std::string spesaCliPrec;
  };
  const Caso casi[] = {
      {"nessun cambio", "", false, [](frmDdtTest&) {}, "1:TRA:22:10.00;", ""},
      {"pagamento con spese d'incasso, cliente che le paga", "", false,
       [](frmDdtTest& f) {
         Cliente(f, kCassaPrev, "", false, false);
         f.txt(220).SetText(kPagRibaSpese3);
       },
       "1:TRA:22:10.00;2:RIB:22:6.00;", ""},
      {"pagamento con spese d'incasso, cliente che non le paga", "", false,
       [](frmDdtTest& f) { f.txt(220).SetText(kPagRibaSpese3); }, "1:TRA:22:10.00;", ""},
      {"bollo spuntato con la tratta", "", false,
       [](frmDdtTest& f) {
         f.C("che", 430).SetValue(1);
         f.txt(220).SetText(kPagTrattaBolli);
       },
       "1:TRA:22:10.00;2:BTR:E15:0.00;", ""},
      {"spesa del cliente cambiata, gestione automatica", "", true,
       [](frmDdtTest& f) {
         f.msSpesaCliPrec = kSpesaTrasporto;
         f.msSpesaCli = kSpesaIncasso;
       },
       "1:INC:22:2.50;", kSpesaIncasso},
      {"spesa del cliente cambiata, gestione manuale", "", false,
       [](frmDdtTest& f) {
         f.msSpesaCliPrec = kSpesaTrasporto;
         f.msSpesaCli = kSpesaIncasso;
       },
       "1:TRA:22:10.00;", kSpesaIncasso},
      {"cliente soggetto alla cassa", "CPV", false, [](frmDdtTest& f) { f.mbCassaPrev = true; },
       "1:TRA:22:10.00;2:CPV:22:0.00;", ""},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Sql("Delete From DdtSpese Where Anno = 2026 And NumRif = 3");
    Sql("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, Percentuale, "
        "SoggRitAcc) Values (2026, 3, 1, 'TRA', '22', 10, 0, 0, 0, 'N')");
    Sql("Update DdtTest Set ContoCli = '" + std::string(kCliente3) + "', Pagamento = '" + kPagRimessaDiretta +
        "', Bolli = 'N' Where Anno = 2026 And NumRif = 3");
    Param("CauCon.SpesaCassaPrev", c.cassaPrev);
    f.mbSpesaClieAutom = c.clieAutom;
    Lascia(f);
    Mostra(f, kDdtModificabile);
    f.mbCassaPrev = false;
    c.cambia(f);
    messaggi_.clear();
    EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
    for (auto& m : messaggi_) ADD_FAILURE() << m;
    EXPECT_EQ(Righe(kDdtModificabile), c.righe);
    EXPECT_EQ(f.msSpesaCliPrec, c.spesaCliPrec);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_FALSE(f.mbTransSalva);
  }
}

// The after-save steps one by one, as the chain calls them: the flags they
// set and the message of a failure.
TEST_F(SpeseProva, EachStepReportsThroughItsFlagsAndShowsItsFailure) {
  frmDdtTest& f = Finestra();
  Mostra(f, kDdtModificabile);
  bool righe = false, piede = false;
  // Not due: nothing, not even the flags.
  f.mbVerSpesePag = f.mbVerSpesePerc = false;
  EXPECT_TRUE(f.VerAggCambioSpesePag(righe, piede));
  EXPECT_TRUE(f.VerAggCambioSpesePerc(righe, piede));
  EXPECT_FALSE(righe || piede);
  // Due and without a change of rows: the lines and the footer all the same.
  f.mbVerSpesePag = true;
  EXPECT_TRUE(f.VerAggCambioSpesePag(righe, piede));
  EXPECT_TRUE(righe && piede);
  righe = piede = false;
  f.mbVerSpesePerc = true;
  EXPECT_TRUE(f.VerAggCambioSpesePerc(righe, piede));
  EXPECT_TRUE(righe && piede);
  // Nothing changed by the customer's expense: no flag.
  righe = piede = false;
  EXPECT_TRUE(f.AggSpesaClie(righe, piede));
  EXPECT_FALSE(righe || piede);
  // A flag once true stays true.
  righe = piede = true;
  EXPECT_TRUE(f.AggSpesaClie(righe, piede));
  EXPECT_TRUE(righe && piede);

  // The rows' table gone: each step shows the error and answers false.
  G().gsTabSpese = "DdtSpeseSparita";
  f.mbSpesaClieAutom = true;
  f.msSpesaCli = kSpesaIncasso;
  f.txt(80).SetText(kCassaPrev);
  f.txt(220).SetText(kPagRibaSpese3);
  struct Passo {
    const char* nome;
    std::function<bool()> esegui;
  };
  const Passo passi[] = {
      {"spese d'incasso", [&] { return f.VerAggCambioSpesePag(righe, piede); }},
      {"spesa del cliente", [&] { return f.AggSpesaClie(righe, piede); }},
      {"spese standard", [&] { return f.AggSpeseStandard(piede); }},
  };
  for (const Passo& p : passi) {
    SCOPED_TRACE(p.nome);
    righe = piede = false;
    messaggi_.clear();
    EXPECT_FALSE(p.esegui());
    ASSERT_FALSE(messaggi_.empty());
    EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
    EXPECT_FALSE(righe || piede);
  }
  // A failed replacement leaves the remembered code as it was.
  EXPECT_EQ(f.msSpesaCliPrec, "");
}

// A save whose expense step fails: the header row, the lines it changed and
// the expense rows go back as they were, and the window saves afterwards.
class SpeseFallite : public SpeseProva {
 protected:
  void Prova(bool server) {
    std::unique_ptr<prova::DatabaseServer> srv;
    const int attesa = dati::AttesaBloccoServerMs();
    if (server) {
      dati::ImpostaAttesaBloccoServerMs(500);
      if (!ApriSuServer(srv)) {
        dati::ImpostaAttesaBloccoServerMs(attesa);
        GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      }
    }
    frmDdtTest& f = Finestra();
    f.mbSpesaClieAutom = true;
    Mostra(f, kDdtModificabile);
    const std::string testataPrima = Valore(
        "Select Iva & '|' & RifCli & '|' & Pagamento & '|' & ContoCli As V from DdtTest Where Anno = 2026 And "
        "NumRif = 3");
    const std::string righePrima =
        Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And Iva = '" +
               std::string(kIva10) + "'");
    const std::string spesePrima = Righe(kDdtModificabile);
    ASSERT_EQ(spesePrima, "1:TRA:22:10.00;");

    // Another program holds the DDT's expense row (on SQLite, where the
    // save's own write lock keeps every other writer out, the table
    // refuses the change instead).
    pid_t altro = -1;
    int pronto[2] = {-1, -1}, fine[2] = {-1, -1};
    if (server) {
      ASSERT_EQ(pipe(pronto), 0);
      ASSERT_EQ(pipe(fine), 0);
      const std::string connessione = srv->Connessione();
      altro = prova::Figlio([&] {
        close(pronto[0]);
        close(fine[1]);
        dati::GestDatabase db;
        const std::string k = db.ApriDatabase("", 0, false, false, connessione);
        db.Motore(k).IniziaTransazione();
        db.EseguiSql(k, "Update DdtSpese Set Importo = 10 Where Anno = 2026 And NumRif = 3");
        char x = 'p';
        if (write(pronto[1], &x, 1) != 1) return 1;
        if (read(fine[0], &x, 1) != 1) return 2;
        db.Motore(k).AnnullaTransazione();
        return 0;
      });
      close(pronto[1]);
      close(fine[0]);
      char x = 0;
      ASSERT_EQ(read(pronto[0], &x, 1), 1);
      close(pronto[0]);
    } else {
      db_->Motore(conn_).Esegui(
          "CREATE TRIGGER ddtspese_ferma BEFORE DELETE ON DdtSpese BEGIN SELECT RAISE(ABORT, 'righe bloccate'); "
          "END");
    }

    // VAT carried to the lines (yes), a reference, the payment with its
    // charge and the customer's expense replaced.
    f.txt(270).SetText(kIva10);
    f.txt(90).SetText("non salvato");
    Cliente(f, kCassaPrev, kSpesaIncasso, false, false);
    f.msSpesaCliPrec = kSpesaTrasporto;
    f.txt(220).SetText(kPagRibaSpese3);
    risposte_ = {1};
    messaggi_.clear();
    f.ogComPag().EseguiTasto("Salva");
    bool errore = false;
    for (const auto& m : messaggi_) errore = errore || m.rfind("Errore(", 0) == 0;
    EXPECT_TRUE(errore);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_FALSE(f.mbTransSalva);
    EXPECT_EQ(f.ogComPag().TransPropria(), -1);
    EXPECT_EQ(f.msSpesaCliPrec, kSpesaTrasporto);

    if (server) {
      const char x = 'f';
      EXPECT_EQ(write(fine[1], &x, 1), 1);
      close(fine[1]);
      EXPECT_EQ(prova::Attendi(altro), 0);
    } else {
      db_->Motore(conn_).Esegui("DROP TRIGGER ddtspese_ferma");
    }
    EXPECT_EQ(Valore("Select Iva & '|' & RifCli & '|' & Pagamento & '|' & ContoCli As V from DdtTest Where "
                     "Anno = 2026 And NumRif = 3"),
              testataPrima);
    EXPECT_EQ(Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And Iva = '" +
                     std::string(kIva10) + "'"),
              righePrima);
    EXPECT_EQ(Righe(kDdtModificabile), spesePrima);

    // Free again: the same save goes through, all of it.
    f.txt(90).SetText("salvato");
    risposte_ = {1};
    messaggi_.clear();
    EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
    for (auto& m : messaggi_)
      if (m.rfind("Errore(", 0) == 0) ADD_FAILURE() << m;
    EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "salvato");
    EXPECT_EQ(Righe(kDdtModificabile), "2:RIB:10:6.00;3:INC:10:2.50;");
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    f.Unload();
    dati::ImpostaAttesaBloccoServerMs(attesa);
  }
};

TEST_F(SpeseFallite, OnSQLiteAFailingExpenseStepRollsBackTheWholeSave) { Prova(false); }

TEST_F(SpeseFallite, OnTheServerExpenseRowsHeldByAnotherProgramRollBackTheWholeSave) { Prova(true); }

// ---------------------------------------------------------------- hand-off

TEST_F(SpeseProva, TheExpenseCommandRefusesAnUnsavedBusyOrAlreadyOpenDdtAndLeavesNoLock) {
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTest&)> prepara;
    const char* messaggio;  // "" none
  };
  const Caso casi[] = {
      {"DDT nuovo mai salvato",
       [this](frmDdtTest& f) {
         Nuovo(f);
       },
       "Salvare la testata prima di passare alla gestione Spese"},
      {"DDT con un campo cambiato",
       [this](frmDdtTest& f) {
         Mostra(f, kDdtModificabile);
         f.txt(90).SetText("cambiato");
       },
       "Salvare la testata prima di passare alla gestione Spese"},
      {"righe aperte",
       [this](frmDdtTest& f) {
         Mostra(f, kDdtModificabile);
         f.oiInDett = 1;
       },
       ""},
      {"DDT in uso da un altro utente",
       [this](frmDdtTest& f) {
         Mostra(f, kDdtModificabile);
         Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) values ('D', 2026, 3, 'luigi', "
             "'S', 'D')");
       },
       "luigi"},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    f.oiInDett = -1;
    Sql("Delete From LockGest");
    c.prepara(f);
    const long lockPrima = std::stol(Valore("Select Count(*) As V From LockGest"));
    messaggi_.clear();
    f.ButtonComando("Spese");
    if (*c.messaggio) {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_NE(messaggi_[0].find(c.messaggio), std::string::npos) << messaggi_[0];
    } else {
      EXPECT_TRUE(messaggi_.empty());
    }
    EXPECT_EQ(std::stol(Valore("Select Count(*) As V From LockGest")), lockPrima);
    EXPECT_EQ(f.oiInDett, std::string(c.nome) == "righe aperte" ? 1 : -1);
    EXPECT_TRUE(f.Enabled());
    EXPECT_EQ(Righe(kDdtModificabile), "1:TRA:22:10.00;");
  }
}

// Counts the saves the bar runs.
class FinestraSalvataggi : public frmDdtTest {
 public:
  int salvataggi = 0;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (vb::UgualeTesto(nome, "PersPagPri") && !a.empty() && a[0].ToInt() == 12) ++salvataggi;
    return frmDdtTest::ChiamaPerNome(nome, a);
  }
};

TEST_F(SpeseProva, BackFromTheExpensesTheFooterIsStoredUnlessEvadedAndTheLockGoes) {
  struct Caso {
    const char* nome;
    long numRif;
    int salvataggi;
  };
  const Caso casi[] = {
      {"DDT modificabile: piede ricalcolato e salvato", kDdtModificabile, 1},
      {"DDT evaso: né ricalcolo né salvataggio", kDdtEvaso, 0},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    FinestraSalvataggi f;
    f.SetosKeySec("w1");
    f.Load();
    ASSERT_EQ(f.oiLoadOk(), 1);
    f.Show();
    Mostra(f, c.numRif);
    // As the expense window leaves it: an expense added, the DDT locked
    // under the lock module's key, the header disabled.
    Sql("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, Percentuale, "
        "SoggRitAcc) Values (2026, " +
        std::to_string(c.numRif) + ", 9, 'STD', '22', 1.5, 0, 0, 0, 'N')");
    std::string chiave = "Standard", utente, varie, gestione = G().gsTipoDoc;
    int16_t nuovo = -1;
    ASSERT_EQ(ComLock::BloccaDoc("S", G().gsTipoDoc, 2026, static_cast<int32_t>(c.numRif), nuovo, -1, chiave,
                                 "il DDT", utente, gestione, varie),
              ComLock::kBloccoPreso);
    f.oiInDett = 2;
    f.olPosDett = 4;
    f.SetEnabled(false);
    const std::string totPrima =
        Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = " + std::to_string(c.numRif));
    std::vector<vb::Variant> nessuno;
    f.ChiamaPerNome("DopoGestSpese", nessuno);
    EXPECT_EQ(f.salvataggi, c.salvataggi);
    EXPECT_EQ(f.oiInDett, -1);
    EXPECT_EQ(f.olPosDett, -1);
    EXPECT_TRUE(f.Enabled());
    EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
    const std::string totDopo =
        Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = " + std::to_string(c.numRif));
    if (c.salvataggi) EXPECT_NE(totDopo, totPrima);
    else EXPECT_EQ(totDopo, totPrima);
    f.Unload();
  }
}

}  // namespace

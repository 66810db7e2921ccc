// The header window in several programs at once on one company database,
// each a process of its own with its own connection, on a SQLite file and
// on the test server: new DDTs of one year numbered together, and a save
// of a stored DDT cut off between the header write and the commit.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/DittaSuMotore.h"
#include "ddt/header/TestataProva.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/MsgBox.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/Transazioni.h"
#include "platform/dati/ServerDiProva.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

namespace {

using prova::Motore;

bool Scrivi(int fd, const void* p, size_t n) { return write(fd, p, n) == static_cast<ssize_t>(n); }
bool Leggi(int fd, void* p, size_t n) { return read(fd, p, n) == static_cast<ssize_t>(n); }

// The window of a process that dies inside the save of a stored DDT: after
// the bar wrote the header row, a line changed as the carrying of a change
// does, then it tells the test and waits to be killed, before any commit.
class FinestraInterrotta : public frmDdtTest {
 public:
  int segnale = -1;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (vb::UgualeTesto(nome, "PersPagDop") && !a.empty() && a[0].ToInt() == 12 && ogComPag().oiFlagOpe() == 1 &&
        mbTransSalva) {
      G().goDbAzienda->EseguiSql(G().gsConnAzienda,
                                 "Update DdtDett Set Iva = '4' Where Anno = 2026 And NumRif = 3");
      const char x = 'w';
      if (!Scrivi(segnale, &x, 1)) _exit(7);
      for (;;) pause();
    }
    return frmDdtTest::ChiamaPerNome(nome, a);
  }
};

class ConcorrenzaTestata : public prova::DittaSuMotore {
 protected:
  ConcorrenzaTestata() : DittaSuMotore("conctest") {}
  void TearDown() override {
    controllo_.reset();
    if (msgPrec_) vb::ImpostaGestoreMsgBox(*msgPrec_);
    ui::ImpostaBackend(nullptr);
    servizi::ImpostaLatoMenu({});
    AzzeraGlobali();
  }


  // A program of the suite with the header window loaded: its own
  // connection, messages collected in `messaggi`.
  void Programma(std::vector<std::string>& messaggi) {
    AzzeraGlobali();
    AziendaUtil::AzzeraArrotTabelle();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = Apri(*db);
    G().goDbAzienda = db;
    G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
    G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(nome, "Fat.DocDdt") ? vb::Variant(dati::demo::kDocDdt) : predefinito;
    };
    auto prec = vb::ImpostaGestoreMsgBox([&messaggi](const std::string& testo, int, const std::string&) {
      messaggi.push_back(testo);
      // "Salvare le modifiche?" leaving a refused DDT: no.
      return int(vb::vbNo);
    });
    if (!msgPrec_) msgPrec_ = prec;
    backend_.rispondi = [&messaggi](const std::string& testo, int& risposta) {
      messaggi.push_back(testo);
      risposta = 1;
    };
    ui::ImpostaBackend(&backend_);
    servizi::ImpostaLatoMenu({[] { return std::string("utente"); }, {}, {}});
  }

  long Conta(const std::string& sql) {
    if (!controllo_) {
      controllo_ = std::make_unique<dati::GestDatabase>();
      chiaveControllo_ = Apri(*controllo_);
    }
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*controllo_, chiaveControllo_, "", sql, false, 4);
    const long n = rs.NessunRecord(r) ? 0 : rs.LeggiCampo(r, "N").ToLong();
    rs.ChiudiRecordset(r);
    return n;
  }
  std::string Testo(const std::string& sql) {
    Conta("Select 0 As N");
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*controllo_, chiaveControllo_, "", sql, false, 4);
    std::string v;
    for (; !rs.FineRec(r); rs.ProssimoRec(r)) v += rs.LeggiCampo(r, "T").ToString() + ";";
    rs.ChiudiRecordset(r);
    return v;
  }

  std::unique_ptr<dati::GestDatabase> controllo_;
  std::string chiaveControllo_;
  prova::BackendTestata backend_;
  std::optional<vb::GestoreMsgBox> msgPrec_;
};

TEST_P(ConcorrenzaTestata, EightProgramsSavingNewDdtsOfOneYearLoseAndDoubleNothing) {
  constexpr int kProgrammi = 8;
  constexpr int kDdt = 25;
  int via[2], numeri[2];
  ASSERT_EQ(pipe(via), 0);
  ASSERT_EQ(pipe(numeri), 0);
  std::vector<pid_t> figli;
  for (int i = 0; i < kProgrammi; ++i) {
    figli.push_back(prova::Figlio([&, i] {
      close(via[1]);
      close(numeri[0]);
      std::vector<std::string> messaggi;
      Programma(messaggi);
      frmDdtTest f;
      f.SetosKeySec("w" + std::to_string(i));
      f.Load();
      if (f.oiLoadOk() != 1) return 101;
      f.Show();
      auto& barra = f.ogComPag();
      char x;
      if (!Leggi(via[0], &x, 1)) return 102;  // all start together
      int rifiutati = 0;
      for (int n = 0; n < kDdt; ++n) {
        f.txt(20).SetText("");
        f.txt(10).SetText("0");
        barra.EseguiTasto("Ricerca");
        if (barra.oiFlagOpe() != 2) return 103;
        f.txt(80).SetText(std::string(dati::demo::kGruppoClienti) + "-" + dati::demo::kMastroClienti + "-" +
                          dati::demo::kCliente3);
        f.txt(410).SetText("1");
        f.txt(290).SetText(dati::demo::kMagCentrale);
        f.txt(90).SetText("p" + std::to_string(i) + "-" + std::to_string(n));
        messaggi.clear();
        barra.EseguiTasto("Salva");
        if (barra.oiFlagOpe() == 1) {
          // Stored: the number the window shows, with the save's mark.
          const int32_t v[3] = {static_cast<int32_t>(std::stol(f.txt(10).Text())), i, n};
          if (!Scrivi(numeri[1], v, sizeof v)) return 104;
        } else if (messaggi.size() == 1 && messaggi[0] == "Impossibile inserire i dati") {
          ++rifiutati;
        } else {
          for (const auto& m : messaggi) std::fprintf(stderr, "programma %d: %s\n", i, m.c_str());
          return 105;
        }
        barra.EseguiTasto("VarKey");
        if (barra.oiFlagOpe() != 0) return 106;
      }
      f.Unload();
      return rifiutati;
    }));
  }
  close(via[0]);
  close(numeri[1]);
  const std::string segnale(kProgrammi, 'x');
  ASSERT_TRUE(Scrivi(via[1], segnale.data(), segnale.size()));
  close(via[1]);
  std::vector<std::array<int32_t, 3>> salvati;
  std::array<int32_t, 3> v{};
  while (Leggi(numeri[0], v.data(), sizeof v)) salvati.push_back(v);
  close(numeri[0]);
  int rifiutati = 0;
  for (pid_t p : figli) {
    const int r = prova::Attendi(p);
    ASSERT_GE(r, 0);
    ASSERT_LE(r, kDdt) << "un programma si è fermato: " << r;
    rifiutati += r;
  }
  EXPECT_EQ(static_cast<long>(salvati.size()) + rifiutati, kProgrammi * kDdt);
  // Each save stored under the number its window shows, once.
  EXPECT_EQ(Conta("Select Count(*) As N from DdtTest Where Anno = 2026 And Left(RifCli, 1) = 'p'"),
            static_cast<long>(salvati.size()));
  for (const auto& s : salvati) {
    const std::string segno = "p" + std::to_string(s[1]) + "-" + std::to_string(s[2]);
    EXPECT_EQ(Testo("Select RifCli As T from DdtTest Where Anno = 2026 And NumRif = " + std::to_string(s[0])),
              segno + ";");
  }
  EXPECT_EQ(Conta("Select Count(*) As N from (Select Distinct RifCli from DdtTest Where Left(RifCli, 1) = 'p') As D"),
            static_cast<long>(salvati.size()));
  // The four of the demo company are untouched.
  EXPECT_EQ(Conta("Select Count(*) As N from DdtTest Where Anno = 2026 And NumRif <= 4 And Left(RifCli, 1) = 'p'"), 0);
  RecordProperty("rifiutati", rifiutati);
  std::printf("DDT salvati %zu, rifiutati %d\n", salvati.size(), rifiutati);
}

TEST_P(ConcorrenzaTestata, AProgramKilledInsideTheSaveOfAStoredDdtLeavesHeaderAndLinesAsBefore) {
  const std::string testataPrima =
      Testo("Select Iva & '|' & RifCli & '|' & Peso As T from DdtTest Where Anno = 2026 And NumRif = 3");
  const std::string righePrima =
      Testo("Select RigDet & ':' & Iva As T from DdtDett Where Anno = 2026 And NumRif = 3 Order By RigDet");
  ASSERT_FALSE(righePrima.empty());
  controllo_.reset();
  int segnale[2];
  ASSERT_EQ(pipe(segnale), 0);
  const pid_t p = prova::Figlio([&] {
    close(segnale[0]);
    std::vector<std::string> messaggi;
    Programma(messaggi);
    FinestraInterrotta f;
    f.segnale = segnale[1];
    f.Load();
    if (f.oiLoadOk() != 1) return 101;
    f.Show();
    f.txt(20).SetText("2026");
    f.txt(10).SetText("3");
    f.ogComPag().EseguiTasto("Ricerca");
    if (f.ogComPag().oiFlagOpe() != 1) return 102;
    f.txt(270).SetText(dati::demo::kIva4);
    f.txt(90).SetText("interrotto");
    f.txt(1210).SetText("99");
    f.ogComPag().EseguiTasto("Salva");
    return 103;  // never here: killed inside the save
  });
  close(segnale[1]);
  char x = 0;
  ASSERT_TRUE(Leggi(segnale[0], &x, 1));
  close(segnale[0]);
  ASSERT_EQ(kill(p, SIGKILL), 0);
  EXPECT_EQ(prova::Attendi(p), -1);

  EXPECT_EQ(Testo("Select Iva & '|' & RifCli & '|' & Peso As T from DdtTest Where Anno = 2026 And NumRif = 3"),
            testataPrima);
  EXPECT_EQ(Testo("Select RigDet & ':' & Iva As T from DdtDett Where Anno = 2026 And NumRif = 3 Order By RigDet"),
            righePrima);
  // Nothing of it holds the database: another program saves at once.
  dati::GestDatabase db;
  const std::string k = Apri(db);
  db.EseguiSql(k, "Update DdtTest Set RifCli = 'dopo' Where Anno = 2026 And NumRif = 3");
  EXPECT_EQ(Testo("Select RifCli As T from DdtTest Where Anno = 2026 And NumRif = 3"), "dopo;");
}

// The window of this program, for the tests where another program works
// beside it.
TEST_P(ConcorrenzaTestata, AnUpdateAnsweredAndADdtPrintedMeanwhile) {
  std::vector<std::string> messaggi;
  std::deque<int> risposte;
  Programma(messaggi);
  backend_.rispondi = [&](const std::string& testo, int& risposta) {
    messaggi.push_back(testo);
    risposta = 1;
    if (!risposte.empty()) {
      risposta = risposte.front();
      risposte.pop_front();
    }
  };
  auto f = std::make_unique<frmDdtTest>();
  f->SetosKeySec("w1");
  f->Load();
  ASSERT_EQ(f->oiLoadOk(), 1);
  f->Show();
  auto& barra = f->ogComPag();
  f->txt(20).SetText("2026");
  f->txt(10).SetText("3");
  barra.EseguiTasto("Ricerca");
  ASSERT_EQ(barra.oiFlagOpe(), 1);
  // The VAT code carried to the lines (yes), the contract not (no).
  f->txt(270).SetText(dati::demo::kIva10);
  f->txt(1400).SetText("C9");
  risposte = {1, 2};
  messaggi.clear();
  EXPECT_EQ(barra.EseguiTasto("Salva").ToString(), "");
  EXPECT_EQ(messaggi.size(), 2u);
  EXPECT_EQ(Testo("Select Iva & '|' & Contratto As T from DdtTest Where Anno = 2026 And NumRif = 3"),
            std::string(dati::demo::kIva10) + "|C9;");
  EXPECT_EQ(barra.TransPropria(), -1);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);

  // Another program prints the DDT.
  const std::string conn = connessione_;
  const bool server = GetParam() == Motore::Server;
  const pid_t p = prova::Figlio([conn, server] {
    dati::GestDatabase db;
    const std::string k = server ? db.ApriDatabase("", 0, false, false, conn) : db.ApriDatabase(conn);
    db.EseguiSql(k, "Update DdtTest Set Stato = 'S', NumDoc = 3, DataDoc = #2026-12-10# Where Anno = 2026 And NumRif = 3");
    return 0;
  });
  ASSERT_EQ(prova::Attendi(p), 0);
  f->txt(90).SetText("dopo la stampa");
  messaggi.clear();
  EXPECT_NE(barra.EseguiTasto("Salva").ToString(), "");
  ASSERT_FALSE(messaggi.empty());
  EXPECT_EQ(messaggi[0], "Cambiato lo stato, impossibile salvare");
  EXPECT_EQ(Testo("Select Stato & '|' & RifCli As T from DdtTest Where Anno = 2026 And NumRif = 3"), "S|;");
  EXPECT_EQ(f->txt(110).Text(), "S");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_EQ(barra.TransPropria(), -1);
  f->Unload();
}

INSTANTIATE_TEST_SUITE_P(Motori, ConcorrenzaTestata, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

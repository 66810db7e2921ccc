// "CalcVuoti" beside other programs, each a process of its own with its own
// connection, on a SQLite file and on the test server: refused while
// another program has the DDT locked (its lines or expenses open), and a
// program killed in the middle of the rebuild leaves the lines whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
#include "platform/dati/ServerDiProva.h"
#include "services/ComLock.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

namespace {

using prova::Motore;

bool Scrivi(int fd, const void* p, size_t n) { return write(fd, p, n) == static_cast<ssize_t>(n); }
bool Leggi(int fd, void* p, size_t n) { return read(fd, p, n) == static_cast<ssize_t>(n); }

class ConcorrenzaVuoti : public prova::DittaSuMotore {
 protected:
  ConcorrenzaVuoti() : DittaSuMotore("concvuoti") {}
  void SetUp() override {
    DittaSuMotore::SetUp();
    if (IsSkipped()) return;
    dati::GestDatabase db;
    const std::string k = Apri(db);
    // A deposit line typed by hand among the others, with a level row: the
    // rebuild deletes both, renumbers and creates two lines.
    db.EseguiSql(k, "Update DdtDett Set RigDet = RigDet * 10 Where Anno = 2026 And NumRif = 3");
    db.EseguiSql(k,
                 "Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, UM, FatCon) Values "
                 "(2026, 3, 15, 5, 'A', 'CASSA', 9, 'PZ', 1)");
    db.EseguiSql(k, "Insert into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 5, 'S', "
                    "'BLU', 9)");
  }
  void TearDown() override {
    controllo_.reset();
    if (aiuti_) aiuti_->ChiudiFinestre();
    G().goZelAiuto.reset();
    aiuti_.reset();
    if (msgPrec_) vb::ImpostaGestoreMsgBox(*msgPrec_);
    ui::ImpostaBackend(nullptr);
    servizi::ImpostaLatoMenu({});
    AzzeraGlobali();
  }


  // A program of the suite for `utente`: its own connection, deposit lines
  // handled, messages collected in `messaggi`, answered by `rispondi`.
  void Programma(const std::string& utente, std::vector<std::string>& messaggi) {
    AzzeraGlobali();
    AziendaUtil::AzzeraArrotTabelle();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = Apri(*db);
    G().goDbAzienda = db;
    G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
    // The look-up library the decoders of the header go through.
    aiuti_ = std::make_shared<aiuti::AiutiDecodifica>();
    std::shared_ptr<menu::ContestoProgramma> contesto;
    aiuti_->Inizializza(nullptr, nullptr, contesto, db, G().gsConnAzienda, nullptr, G().glColoreSfondo,
                        G().glColoreErrore, "p", "dd/mm/yyyy");
    G().goZelAiuto = aiuti_;
    G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(nome, "Fat.DocDdt") ? vb::Variant(dati::demo::kDocDdt) : predefinito;
    };
    G().gfLeggiParPers = [](const std::string& sezione, const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(sezione, "DDT") && vb::UgualeTesto(nome, "GestVuotiCauz") ? vb::Variant("S")
                                                                                         : predefinito;
    };
    auto prec = vb::ImpostaGestoreMsgBox([&messaggi](const std::string& testo, int, const std::string&) {
      messaggi.push_back(testo);
      return int(vb::vbNo);
    });
    if (!msgPrec_) msgPrec_ = prec;
    backend_.rispondi = [&messaggi](const std::string& testo, int& risposta) {
      messaggi.push_back(testo);
      risposta = 1;
    };
    ui::ImpostaBackend(&backend_);
    servizi::ImpostaLatoMenu({[utente] { return utente; }, {}, {}});
  }

  // The window of the program, DDT 3 shown; false when it did not load.
  bool MostraDdt(frmDdtTest& f) {
    f.SetosKeySec("w1");
    f.Load();
    if (f.oiLoadOk() != 1) return false;
    f.Show();
    f.txt(20).SetText("2026");
    f.txt(10).SetText("3");
    f.ogComPag().EseguiTasto("Ricerca");
    return f.ogComPag().oiFlagOpe() == 1;
  }

  std::string Testo(const std::string& sql) {
    if (!controllo_) {
      controllo_ = std::make_unique<dati::GestDatabase>();
      chiaveControllo_ = Apri(*controllo_);
    }
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*controllo_, chiaveControllo_, "", sql, false, 4);
    std::string v;
    for (; !rs.FineRec(r); rs.ProssimoRec(r)) v += rs.LeggiCampo(r, "T").ToString() + ";";
    rs.ChiudiRecordset(r);
    return v;
  }
  std::string Righe() {
    return Testo("Select RigDet & ':' & RigLiv & ':' & Articolo & ':' & Qta As T from DdtDett Where Anno = 2026 And "
                 "NumRif = 3 Order By RigDet");
  }
  std::string Livelli() {
    return Testo("Select RigLiv & ':' & Livello1 & ':' & Qta As T from DdtLiv Where Anno = 2026 And NumRif = 3 "
                 "Order By RigLiv");
  }

  std::unique_ptr<dati::GestDatabase> controllo_;
  std::string chiaveControllo_;
  prova::BackendTestata backend_;
  std::optional<vb::GestoreMsgBox> msgPrec_;
  std::shared_ptr<aiuti::AiutiDecodifica> aiuti_;
};

TEST_P(ConcorrenzaVuoti, WhileAnotherProgramHoldsTheDdtTheCommandIsRefusedAndWritesNothing) {
  const std::string righe = Righe(), livelli = Livelli();
  controllo_.reset();
  int preso[2], fine[2];
  ASSERT_EQ(pipe(preso), 0);
  ASSERT_EQ(pipe(fine), 0);
  // The other program: the DDT's lines open, as the line window locks it.
  const pid_t p = prova::Figlio([&] {
    close(preso[0]);
    close(fine[1]);
    std::vector<std::string> messaggi;
    Programma("luigi", messaggi);
    int16_t nuovo = -1;
    std::string chiave = "Standard", utente, gestione = "D", varie;
    if (ComLock::BloccaDoc("6", "D", 2026, 3, nuovo, 0, chiave, "Il DDT", utente, gestione, varie) !=
        ComLock::kBloccoPreso)
      return 101;
    const char x = 'l';
    if (!Scrivi(preso[1], &x, 1)) return 102;
    char y;
    (void)Leggi(fine[0], &y, 1);  // until the test is done
    ComLock::SbloccaDoc(nullptr, -1);
    return 0;
  });
  close(preso[1]);
  close(fine[0]);
  char x = 0;
  ASSERT_TRUE(Leggi(preso[0], &x, 1));
  close(preso[0]);

  std::vector<std::string> messaggi;
  Programma("mario", messaggi);
  {
    frmDdtTest f;
    ASSERT_TRUE(MostraDdt(f));
    messaggi.clear();
    f.ButtonComando("CalcVuoti");
    ASSERT_EQ(messaggi.size(), 2u);
    EXPECT_EQ(messaggi[0], "Confermi ricalcolo cauzione");
    EXPECT_NE(messaggi[1].find("in uso da"), std::string::npos) << messaggi[1];
    EXPECT_NE(messaggi[1].find("luigi"), std::string::npos) << messaggi[1];
    EXPECT_EQ(Righe(), righe);
    EXPECT_EQ(Livelli(), livelli);
    EXPECT_EQ(Testo("Select Utente As T from LockGest"), "luigi;");

    // The other program closes its lines: now the command works.
    close(fine[1]);
    ASSERT_EQ(prova::Attendi(p), 0);
    messaggi.clear();
    f.ButtonComando("CalcVuoti");
    EXPECT_EQ(messaggi.size(), 1u) << messaggi.back();
    EXPECT_NE(Righe(), righe);
    EXPECT_EQ(Livelli(), "");
    EXPECT_EQ(Testo("Select Utente As T from LockGest"), "");
    f.Unload();
  }
}

TEST_P(ConcorrenzaVuoti, AProgramKilledInsideTheRebuildLeavesTheLinesWhole) {
  // The packaging articles are on promotion with a notice: the price search
  // of the first deposit line shows it, after the deletion and the
  // renumbering, and the program dies there.
  {
    dati::GestDatabase db;
    const std::string k = Apri(db);
    for (const char* a : {"CASSA", "BANCALE"})
      db.EseguiSql(k, std::string("Insert into ArtLisPromozioni (Articolo, Listino, Livello1, Livello2, "
                                  "DataInizioProm, DataFineProm, DataInizio, DataFine, PrezzoProm, ScontoClie, "
                                  "MessProm, Descrizione) Values ('") +
                          a + "', '01', '~ç~', '~ç~', #2026-12-01#, #2026-12-31#, #2026-12-01#, #2026-12-31#, 1, "
                              "'N', 'S', 'Vuoti in promozione')");
  }
  const std::string righe = Righe(), livelli = Livelli();
  ASSERT_NE(righe.find("15:5:CASSA:9"), std::string::npos) << righe;
  controllo_.reset();
  int segnale[2];
  ASSERT_EQ(pipe(segnale), 0);
  const pid_t p = prova::Figlio([&] {
    close(segnale[0]);
    std::vector<std::string> messaggi;
    Programma("mario", messaggi);
    const int fd = segnale[1];
    backend_.rispondi = [&messaggi, fd](const std::string& testo, int& risposta) {
      messaggi.push_back(testo);
      risposta = 1;
      if (testo.find("Vuoti in promozione") != std::string::npos) {
        const char x = 'k';
        if (!Scrivi(fd, &x, 1)) _exit(7);
        for (;;) pause();
      }
    };
    frmDdtTest f;
    if (!MostraDdt(f)) return 101;
    f.ButtonComando("CalcVuoti");
    return 102;  // never here: killed inside the command
  });
  close(segnale[1]);
  char x = 0;
  ASSERT_TRUE(Leggi(segnale[0], &x, 1));
  close(segnale[0]);
  ASSERT_EQ(kill(p, SIGKILL), 0);
  EXPECT_EQ(prova::Attendi(p), -1);

  EXPECT_EQ(Righe(), righe);
  EXPECT_EQ(Livelli(), livelli);
  // Nothing of it holds the rows: another program writes them at once.
  dati::GestDatabase db;
  const std::string k = Apri(db);
  db.EseguiSql(k, "Update DdtDett Set Qta = 10 Where Anno = 2026 And NumRif = 3 And RigLiv = 5");
  EXPECT_NE(Righe().find("15:5:CASSA:10"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Motori, ConcorrenzaVuoti, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

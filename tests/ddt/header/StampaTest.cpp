// Printing a DDT from the header through a real menu server: the print job
// queued in DocDaElab, the values handed to the print program, and the
// program started by the menu (the server ddt-menu runs, here on a thread
// of the test).
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/menu/ClientMenu.h"
#include "platform/menu/ServerMenu.h"

namespace {

namespace demo = dati::demo;

class Stampa : public prova::TestataProva {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", dir_.Dir().c_str(), 1);
    prova::TestataProva::SetUp();
    menu::ClientMenu::ImpostaAttesaMassima(10);
    dir_.Scrivi("velnor.ini", "[Base]\nTempoMaxCarStampa=3\n");
    G().gsFileIni = dir_.Percorso("velnor.ini");
  }

  void TearDown() override {
    if (f_ && f_->Caricata()) f_->Unload();
    f_.reset();
    if (client_) client_->Disconnetti();
    G().goMenuClient.reset();
    client_.reset();
    if (server_) {
      server_->Ferma();
      if (thread_.joinable()) thread_.join();
      server_.reset();
    }
    prova::TestataProva::TearDown();
  }

  // The menu server with the print program `comando`, and this program
  // connected to it as the menu launched it.
  void Avvia(const std::string& comando, const std::string& attesa = "300") {
    const std::string id = "d" + std::to_string(::getpid()) + "-" + std::to_string(++contatore_);
    dir_.Scrivi("menu.ini", "[Menu]\nId=" + id + "\nUtente=mario\nTerminale=CASSA1\nDitta=DEMO\nNomeDB=" +
                                dir_.Percorso("menu.db") + "\n[Ditta DEMO]\nNomeDB=" + dir_.Percorso("ditta.db") +
                                "\n[Programma]\nChiave=DDT\nForm=frmddttest\n[Stampa]\nComando=" + comando +
                                "\nAttesaAvvio=" + attesa + "\n");
    server_ = std::make_unique<menu::ServerMenu>(dir_.Percorso("menu.ini"));
    server_->Silenzioso(true);
    server_->Avvia();
    thread_ = std::thread([this] { server_->Esegui(); });
    std::string finestra;
    server_->PreparaLancio(&finestra);
    client_ = std::make_shared<menu::ClientMenu>();
    // The menu asks the program for the print program's keys while it
    // starts it, as the program's menu channel answers them.
    client_->EseguiComando = [](const std::string&, const std::string&, const std::string& com,
                                const menu::ValoreMenu&, vb::Variant& rit) {
      if (vb::UgualeTesto(com, "keyprgprim")) rit = vb::Variant(G().gsLanciaKeyPrim);
      if (vb::UgualeTesto(com, "keyprgsec")) rit = vb::Variant(G().gsLanciaKeySec);
    };
    client_->Connetti(id, "DDT", finestra);
    G().goMenuClient = client_;
    G().gsKeyPrg = "DDT";
    G().gsParamPrg = finestra;
    finestra_ = finestra;
  }

  // A window of its own for each DDT asked for.
  frmDdtTest& Mostra(long numRif) {
    if (f_ && f_->Caricata()) f_->Unload();
    frmDdtTest& f = Testata();
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(numRif));
    f.ogComPag().EseguiTasto("Ricerca");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
    messaggi_.clear();
    return f;
  }

  long Lavori(long numRif) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "",
        "Select Count(*) as N from DocDaElab Where Utente = 'mario' And Programma = 'DDT" + finestra_ +
            "' And Anno = 2026 And NumReg = " + std::to_string(numRif) + " And Comando = 'S'",
        false, 4);
    const long n = rs.LeggiCampo(k, "N").ToLong();
    rs.ChiudiRecordset(k);
    return n;
  }

  bool Evento(const std::string& e) const {
    for (const auto& x : server_->Eventi())
      if (x == e) return true;
    return false;
  }
  std::string Eventi() const { return vb::Join(server_->Eventi(), " / "); }

  std::unique_ptr<menu::ServerMenu> server_;
  std::thread thread_;
  std::shared_ptr<menu::ClientMenu> client_;
  std::string finestra_;
  static inline int contatore_ = 0;
};

TEST_F(Stampa, ADemoDdtIsQueuedAndThePrintProgramStartedByTheMenu) {
  const std::string valori = dir_.Percorso("valori.txt");
  Avvia("cp %V '" + valori + "'; sleep 1");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.ButtonComando("Stampa");
  EXPECT_TRUE(messaggi_.empty()) << vb::Join(messaggi_, " / ");
  EXPECT_EQ(Lavori(demo::kDdtModificabile), 1);
  EXPECT_TRUE(Evento("LanciaProgramma Tutti SelezioneDaFile")) << Eventi();
  const std::string attese = "StaDdtProgramma=DDT" + finestra_ + "|StaDdtTipoStampa=1";
  EXPECT_TRUE(Evento("Stampa StaDDT sDdt " + attese)) << Eventi();
  EXPECT_TRUE(Evento("Partito 0")) << Eventi();
  // The print program itself was run, with the values in its file.
  EXPECT_EQ(dir_.Leggi("valori.txt"), "StaDdtProgramma=DDT" + finestra_ + "\nStaDdtTipoStampa=1\n");
  // The header read the DDT again through the bar's search.
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
}

TEST_F(Stampa, APrintedOrEvadedDdtIsAReprint) {
  const struct {
    long ddt;
    const char* tipo;
  } casi[] = {{demo::kDdtStampato, "2"}, {demo::kDdtEvaso, "2"}, {demo::kDdtInterno, "1"}};
  Avvia("true", "0");
  for (const auto& c : casi) {
    SCOPED_TRACE(c.ddt);
    frmDdtTest& f = Mostra(c.ddt);
    f.StampaDoc();
    EXPECT_TRUE(Evento("Stampa StaDDT sDdt StaDdtProgramma=DDT" + finestra_ + "|StaDdtTipoStampa=" + c.tipo))
        << Eventi() << " | " << vb::Join(messaggi_, " / ");
    EXPECT_EQ(Lavori(c.ddt), 1);
    // Let the print program end before the next launch.
    const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (client_->InEsecuzione("menuprginesec|StaDDT~TuttiSec") && std::chrono::steady_clock::now() < fine)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST_F(Stampa, APrintProgramStillRunningQueuesNothing) {
  Avvia("sleep 3");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.StampaDoc();
  ASSERT_EQ(Lavori(demo::kDdtModificabile), 1);
  Sql("Delete from DocDaElab");
  frmDdtTest& g = Mostra(demo::kDdtStampato);
  g.StampaDoc();
  EXPECT_EQ(messaggi_, std::vector<std::string>{
                           "Programma di stampa già in esecuzione\r\nChiuderlo e poi rilanciare la stampa"});
  EXPECT_EQ(Lavori(demo::kDdtStampato), 0);
  EXPECT_EQ(g.ogComPag().oiFlagOpe(), 1);
}

TEST_F(Stampa, AHeaderThatCannotBeSavedIsNotPrinted) {
  Avvia("true", "0");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(110).SetText("E");
  f.StampaDoc();
  EXPECT_TRUE(messaggi_.size() == 1u && messaggi_[0].rfind("Impossibile Salvare Ddt con stato", 0) == 0)
      << vb::Join(messaggi_, " / ");
  EXPECT_EQ(Lavori(demo::kDdtModificabile), 0);
  EXPECT_FALSE(Evento("LanciaProgramma Tutti SelezioneDaFile"));
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
}

TEST_F(Stampa, ANewDdtIsNotPrinted) {
  Avvia("true", "0");
  frmDdtTest& g = Testata();
  g.ogComPag().EseguiTasto("Nuovo");
  ASSERT_EQ(g.ogComPag().oiFlagOpe(), 2);
  g.StampaDoc();
  EXPECT_FALSE(Evento("LanciaProgramma Tutti SelezioneDaFile")) << Eventi();
  EXPECT_EQ(Lavori(0), 0);
}

}  // namespace

// The hand-over of a document to the separate print program: the queue
// row, the launch through the menu and the wait for its start.
#include "startup/Banco.h"

#include <algorithm>

#include "platform/dati/GestRecordset.h"

using prova::Banco;

namespace {

class Stampa : public Banco {
 protected:
  int16_t Lancia(int16_t attendi = 0) {
    return AziendaUtil::LanciaStampaDoc("StaDDT", "sDdt", G().gsKeyPrg, G().gsParamPrg, {"Anno", "NumRif"},
                                        {vb::Variant(2026), vb::Variant(3L)}, -1, 2026, 3, "TuttiSec", attendi);
  }
  long Righe() {
    dati::GestRecordset rs;
    auto k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "",
                              "Select Count(*) as N from DocDaElab Where Utente = 'mario' And Programma = 'DDT" +
                                  finestra_ + "' And Anno = 2026 And NumReg = 3 And Comando = 'S'",
                              false, 4);
    return rs.LeggiCampo(k, "N").ToLong();
  }
  long Conta(const std::string& prefisso) {
    auto e = server_->Eventi();
    return std::count_if(e.begin(), e.end(), [&](const std::string& x) { return x.rfind(prefisso, 0) == 0; });
  }
};

}  // namespace

TEST_F(Stampa, TheDocumentIsQueuedAndThePrintProgramStarted) {
  stampa_ = "Comando=sleep 1\nAttesaAvvio=300\n";
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  EXPECT_EQ(Righe(), 1);
  EXPECT_EQ(G().gsLanciaKeyPrim, "StaDDT");
  EXPECT_TRUE(Evento("LanciaProgramma Tutti SelezioneDaFile")) << Eventi();
  // The menu asked the program itself for the keys while it waited.
  EXPECT_TRUE(Evento("Stampa StaDDT sDdt Anno=2026|NumRif=3")) << Eventi();
  const auto inizio = std::chrono::steady_clock::now();
  EXPECT_EQ(AziendaUtil::AttendiAvvioStampa("Stafat"), 0);
  const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  EXPECT_GE(secondi, 0.2);
  // It asked "Partito" now and then, not in a tight loop.
  EXPECT_LE(Conta("Partito 1"), 6);
  EXPECT_TRUE(Evento("Partito 0")) << Eventi();
}

TEST_F(Stampa, APrintProgramStillRunningStopsTheLaunch) {
  stampa_ = "Comando=sleep 1\n";
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  EXPECT_EQ(Lancia(), -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Programma di stampa già in esecuzione\r\nChiuderlo e poi rilanciare la stampa");
  EXPECT_EQ(Conta("LanciaProgramma"), 1);
}

TEST_F(Stampa, EarlierUnfinishedPrintsAreKeptOrReplaced) {
  stampa_ = "Comando=true\n";
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  ASSERT_TRUE(Attendi([&] { return !G().goMenuClient->InEsecuzione("menuprginesec|StaDDT~TuttiSec"); }));
  risposteMsg_ = {2};
  EXPECT_EQ(Lancia(), -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0],
            "(DocDaElab) Risultano delle stampe non ancora concluse. Confermi la cancellazione di queste stampe?");
  EXPECT_EQ(Conta("LanciaProgramma"), 1);
  EXPECT_EQ(Righe(), 1);
  risposteMsg_ = {1};
  EXPECT_EQ(Lancia(), 0) << vb::Join(messaggi_, " / ");
  EXPECT_EQ(Conta("LanciaProgramma"), 2);
  EXPECT_EQ(Righe(), 1);
}

TEST_F(Stampa, APrintProgramThatFailsToStartIsTold) {
  stampa_ = "Comando=exit 3\nAttesaAvvio=5000\n";
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  EXPECT_EQ(AziendaUtil::AttendiAvvioStampa("Stafat"), -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Il programma di stampa non è partito correttamente");
}

TEST_F(Stampa, APrintProgramTheMenuCannotLaunchIsTold) {
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  EXPECT_EQ(AziendaUtil::AttendiAvvioStampa("Stafat"), -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Non è stato possibile lanciare in esecuzione il programma di stampa");
}

TEST_F(Stampa, AWaitThatTimesOutIsNoSuccess) {
  stampa_ = "Comando=sleep 2\nAttesaAvvio=60000\n";
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                "\n[Base]\nTempoMaxCarStampa=0\n");
  Avvia();
  EXPECT_EQ(Lancia(), 0);
  const auto inizio = std::chrono::steady_clock::now();
  // A menu command that arrives meanwhile is served.
  G().gsLanciaKeySec = "sDdt";
  const long t = server_->InviaComando("DDT", "keyprgsec", menu::ValoreMenu());
  EXPECT_EQ(AziendaUtil::AttendiAvvioStampa("Stafat"), -1);
  const double secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
  EXPECT_GE(secondi, 1.0);  // a limit below one second waits one second
  EXPECT_LT(secondi, 3.0);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Il programma di stampa è in debug o ha dei problemi a partire");
  EXPECT_LE(Conta("Partito 1"), 15);
  auto r = server_->Risposta(t);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->valore.ToString(), "sDdt");
}

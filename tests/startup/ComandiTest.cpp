// The menu server's commands to a running program, through the socket.
#include "startup/Banco.h"

#include "platform/FunzioniComuni.h"
#include "startup/scMenuComandiClie.h"

using prova::Banco;

namespace {

// A window of the program other than the header (the expenses of a DDT),
// and the receiver of the e-invoice information.
class FormAltra : public ui::Form {
 public:
  explicit FormAltra(const std::string& nome) : ui::Form(nome) { SetCaption(nome); }
  int passaA = 0;
  int oiFeInfo = 0;
  std::vector<std::string> feInfo;
  vb::Variant LeggiPerNome(const std::string& n) override {
    if (n == "oiFeInfo") return oiFeInfo;
    return ui::Form::LeggiPerNome(n);
  }
  vb::Variant ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) override {
    if (n == "PassaA") return ++passaA;
    if (n == "FeInfoLetto") {
      feInfo.push_back(a.at(0).ToString());
      return vb::Variant();
    }
    return ui::Form::ChiamaPerNome(n, a);
  }
};

class Comandi : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    Avvia();
    ASSERT_TRUE(testata_.Visible());
  }
  menu::ValoreMenu Fe(long codice, const std::string& testo, long quante = 0) {
    return menu::ValoreMenu(std::vector<vb::Variant>{vb::Variant("FE"), vb::Variant(""), vb::Variant(codice),
                                                     vb::Variant(testo), vb::Variant(""), vb::Variant(""),
                                                     vb::Variant(quante)});
  }
};

}  // namespace

TEST_F(Comandi, EveryCommandAnswers) {
  G().gsLanciaKeyPrim = "StaDDT";
  G().gsLanciaKeySec = "sDdt";
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
  EXPECT_EQ(Testo(Comanda("ESISTE")), "True");
  EXPECT_EQ(Testo(Comanda("keyprgprim")), "StaDDT");
  EXPECT_EQ(Testo(Comanda("KeyPrgSec")), "sDdt");
  EXPECT_EQ(Testo(Comanda("paramprgclie")), "$Default$");
  EXPECT_EQ(Testo(Comanda("comandoprgclie")), "");
  EXPECT_EQ(Testo(Comanda("nessuno")), "");
  EXPECT_EQ(Testo(Comanda("preppassaa")), "");
  EXPECT_EQ(testata_.passaA, 1);
  EXPECT_EQ(Testo(Comanda("ritornoa", menu::ValoreMenu("frmNonCaricata"))), "");
  EXPECT_TRUE(testata_.Visible());
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_TRUE(box_.empty());
  // The holder keeps the last command.
  ASSERT_TRUE(G().goMenuComandiClie);
  EXPECT_EQ(G().goMenuComandiClie->UltCom(), "ritornoa");
  EXPECT_EQ(G().goMenuComandiClie->UltParam(), "frmNonCaricata");
}

TEST_F(Comandi, TheProgramAnswersACommandWhileAModalWindowWaits) {
  ui::Form modale("frmModale");
  std::string risposta;
  backend_.Rispondi([&](ui::Form& f) {
    risposta = Testo(Comanda("keyprgsec"));
    f.Hide();
  });
  G().gsLanciaKeySec = "sDdt";
  modale.Show(1);
  EXPECT_EQ(risposta, "sDdt");
}

TEST_F(Comandi, AttivaBringsBackTheFormOfTheLaunch) {
  FormAltra altra("frmAltra");
  altra.Show(0);
  ASSERT_EQ(ui::Screen().ActiveForm, &altra);
  EXPECT_EQ(Testo(Comanda("attiva")), "");
  EXPECT_EQ(ui::Screen().ActiveForm, &testata_);
  // Only one header, and no keys pushed without a launcher.
  int testate = 0;
  for (ui::Form* f : ui::Forms())
    if (f->Name() == "frmDdtTest") ++testate;
  EXPECT_EQ(testate, 1);
  EXPECT_EQ(testata_.attivatoDaAltri, 0);
  altra.Unload();
}

TEST_F(Comandi, PassaaOpensTheNamedFormAndAnUnknownOneEndsTheProgram) {
  EXPECT_EQ(Testo(Comanda("passaa", menu::ValoreMenu("FrmDdtTest"))), "");
  EXPECT_TRUE(testata_.Visible());
  EXPECT_TRUE(box_.empty());
  EXPECT_EQ(Testo(Comanda("passaa", menu::ValoreMenu("frmDdtTestLis"))), "");
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "La form richiesta e' inesistente");
  Orologio(1);
  Orologio(100);
  // The header is still open: the end check waits for it.
  EXPECT_FALSE(Chiuso());
  testata_.Unload();
  Orologio(100);
  EXPECT_TRUE(Chiuso());
}

TEST_F(Comandi, RitornoaWithALoadedFormReopensIt) {
  EXPECT_EQ(Testo(Comanda("ritornoa", menu::ValoreMenu("frmDdtTest"))), "");
  EXPECT_EQ(ui::Screen().ActiveForm, &testata_);
  EXPECT_TRUE(box_.empty());
}

TEST_F(Comandi, EInvoiceResultsAreTold) {
  EXPECT_EQ(Testo(Comanda("FEInvio", Fe(0, "", 1234))), "");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Inviate 1.234 fatture");
  EXPECT_EQ(Testo(Comanda("feinvio", Fe(0, "3 scartate", 2))), "");
  EXPECT_EQ(messaggi_.back(), "Inviate 2 fatture\r\nFatture non inviate per errori3 scartate");
  EXPECT_EQ(Testo(Comanda("FEInvio", Fe(7, "servizio non raggiungibile"))), "");
  EXPECT_EQ(messaggi_.back(), "Errore nell'invio delle fatture\r\nErr: 7 - servizio non raggiungibile");
  EXPECT_EQ(Testo(Comanda("FEAttesa", Fe(0, "3"))), "");
  EXPECT_EQ(messaggi_.back(), "Ci sono 3 fatture in attesa");
  const size_t prima = messaggi_.size();
  EXPECT_EQ(Testo(Comanda("FEAttesa", Fe(0, "0"))), "");
  EXPECT_EQ(messaggi_.size(), prima);
  EXPECT_EQ(Testo(Comanda("FEAttesa", Fe(2, "timeout"))), "");
  EXPECT_EQ(messaggi_.back(), "Errore nella richiesta di fatture in attesa\r\nErr: 2 - timeout");
  EXPECT_EQ(Testo(Comanda("FEInfo", Fe(4, "no"))), "");
  EXPECT_EQ(messaggi_.back(), "Errore nella richiesta informazioni\r\nErr: 4 - no");
}

TEST_F(Comandi, EInvoiceInformationGoesToItsReceiver) {
  FormAltra ricevente("frmRicevente");
  ricevente.Load();
  G().goFeInfo = &ricevente;
  const size_t prima = messaggi_.size();
  EXPECT_EQ(Testo(Comanda("FEInfo", Fe(0, "stato: inviata"))), "");
  EXPECT_TRUE(ricevente.feInfo.empty());  // not listening (oiFeInfo 0)
  ricevente.oiFeInfo = 1;
  EXPECT_EQ(Testo(Comanda("FEInfo", Fe(0, "stato: inviata"))), "");
  ASSERT_EQ(ricevente.feInfo.size(), 1u);
  EXPECT_EQ(ricevente.feInfo[0], "stato: inviata");
  EXPECT_EQ(messaggi_.size(), prima);
  G().goFeInfo = nullptr;
  ricevente.Unload();
}

TEST_F(Comandi, FineWithTheExpensesOpenAsksAndMayBeRefused) {
  FormAltra spese("frmSpeseDoc");
  spese.Load();
  testata_.oiInDett = 2;
  risposteMsg_ = {2};
  EXPECT_EQ(Testo(Comanda("fine")), "No Chiudi");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Richiesta di chiusura del programma");
  EXPECT_TRUE(spese.Visible());  // the open sub-window is shown
  EXPECT_TRUE(testata_.Caricata());
  // Asked again, and confirmed: everything closes.
  risposteMsg_ = {1};
  EXPECT_EQ(Testo(Comanda("Fine")), "");
  EXPECT_EQ(messaggi_.size(), 2u);
  EXPECT_TRUE(Chiuso());
}

TEST_F(Comandi, AModalWindowBlocksTheCloseOnlyWhileItIsOpen) {
  ui::Form modale("frmModale");
  std::string durante;
  backend_.Rispondi([&](ui::Form& f) {
    durante = Testo(Comanda("fine"));
    f.Hide();
  });
  modale.Show(1);
  EXPECT_EQ(durante, "Maschera Modal");
  EXPECT_EQ(G().gsMotivoNoChiudi, "Maschera Modal");
  EXPECT_TRUE(testata_.Caricata());
  // A refusal later is no modal window any more.
  FormAltra spese("frmSpeseDoc");
  spese.Load();
  testata_.oiInDett = 0;
  risposteMsg_ = {2};
  EXPECT_EQ(Testo(Comanda("fine")), "No Chiudi");
  testata_.oiInDett = -1;
  modale.Unload();
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_TRUE(Chiuso());
}

TEST_F(Comandi, AFormThatRefusesToUnloadKeepsTheProgramOpen) {
  struct Ostinata : FormAltra {
    Ostinata() : FormAltra("frmOstinata") {}
    bool rifiuta = true;
    void Form_QueryUnload(int& Cancel, int) override { Cancel = rifiuta ? 1 : 0; }
  } ostinata;
  ostinata.Load();
  EXPECT_EQ(Testo(Comanda("fine")), "No Chiudi");
  EXPECT_TRUE(ostinata.Visible());  // shown, so the user sees why
  EXPECT_TRUE(testata_.Caricata());
  EXPECT_TRUE(G().goMenuClient->Connesso());
  ostinata.rifiuta = false;
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_TRUE(Chiuso());
}

TEST_F(Comandi, TheShellToolReachesTheProgramThroughTheSameSocket) {
  // What `ddt-menu comando` and `ddt-menu elenco` send, from another thread
  // so that this one keeps serving the program.
  std::optional<menu::ValoreMenu> elenco, esiste;
  std::thread shell([&] {
    elenco = menu::RichiestaAlServer(idMenu_, "Elenco", {}, 10);
    esiste = menu::RichiestaAlServer(idMenu_, "Comando", {finestra_, "esiste", menu::ValoreMenu()}, 10);
  });
  EXPECT_TRUE(Attendi([&] { return esiste.has_value(); }));
  shell.join();
  ASSERT_TRUE(elenco && elenco->IsArray());
  ASSERT_EQ(elenco->Elementi().size(), 1u);
  EXPECT_EQ(vb::Left(elenco->Elemento(0).ToString(), vb::Len(finestra_ + "\tDDT\t")), finestra_ + "\tDDT\t");
  ASSERT_TRUE(esiste);
  EXPECT_TRUE(esiste->Valore().ToBool());
}

TEST_F(Comandi, ErrorsOutsideTheFormsGoToTheMenusMessageBox) {
  try {
    vb::Solleva(13, "Tipo non corrispondente", "frmDdtTest");
  } catch (const vb::Errore&) {
    UtilClient::MsgErrMenu();
  }
  EXPECT_TRUE(Evento("MsgBox Errore(13): Tipo non corrispondente - frmDdtTest")) << Eventi();
  UtilClient::MsgErrMenu(vb::Variant("Impossibile aprire il programma richiesto"), vb::Variant(7L), "Prima ", " dopo");
  EXPECT_TRUE(Evento("MsgBox Prima Errore(7): Impossibile aprire il programma richiesto dopo")) << Eventi();
  EXPECT_TRUE(box_.empty());
}

TEST_F(Comandi, BackToTheMenuWhenTheMenuIsGone) {
  FermaServer();
  mainDdt::MostraMenu();
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "Il menu non è più disponibile");
  // Without a menu, errors are still shown.
  UtilClient::MsgErrMenu(vb::Variant("perso"), vb::Variant(5L));
  ASSERT_EQ(box_.size(), 2u);
  EXPECT_EQ(box_[1], "Errore(5): perso");
}

TEST_F(Comandi, WhileTheMessageOfACommandWaitsTheMenuIsStillAnswered) {
  std::string esiste, fine;
  backend_.rispondi = [&](const std::string& t) {
    messaggi_.push_back(t);
    if (t == "Inviate 12 fatture") {
      // The user has not answered yet: the menu asks whether the program
      // is alive, then asks it to close.
      esiste = Testo(Comanda("esiste"));
      fine = Testo(Comanda("fine"));
    }
    return 1;
  };
  EXPECT_EQ(Testo(Comanda("FEInvio", Fe(0, "", 12))), "");
  EXPECT_EQ(esiste, "True");
  EXPECT_EQ(fine, "Maschera Modal");
  // The close refused while the message was up does not come back later.
  Orologio(1000);
  EXPECT_FALSE(Chiuso());
  EXPECT_TRUE(testata_.Visible());
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
}

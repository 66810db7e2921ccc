// The header's commands, keys, the deferred step and the year buttons.
#include <stdexcept>

#include "ddt/header/TestataProva.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"

namespace {

using prova::TestataProva;

class Comandi : public TestataProva {
 protected:
  frmDdtTest& Pronta() {
    frmDdtTest& f = Testata();
    EXPECT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    return f;
  }

  void Mostra(frmDdtTest& f, long numero) {
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(numero));
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
  }

  static bool Armato(frmDdtTest& f) { return f.C("timComPag").Enabled(); }

  // One tick of the timers.
  void Tick() { backend_.Esegui(1); }

  static bool RigheAperte() { return frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata(); }
  // The line window closed as the user closes it. The new line it starts
  // on, left by its empty article field, is a manual line: not kept.
  void ChiudiRighe() {
    if (!RigheAperte()) return;
    risposteBox_.push_front(vb::vbNo);
    const size_t prima = risposteBox_.size();
    frmDDTDett::Istanza().Unload();
    if (risposteBox_.size() == prima) risposteBox_.pop_front();
  }
  // The line window goes before the header that opened it.
  void TearDown() override {
    ChiudiRighe();
    frmDDTDett::Rilascia();
    TestataProva::TearDown();
  }
};

TEST_F(Comandi, ADuplicateRefusedInTheQuestionReachesNoBar) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  risposte_ = {2};  // "&Annulla"
  f.ButtonComando("Duplica");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_FALSE(Armato(f));
  EXPECT_FALSE(f.mbComandoInCorso);
}

TEST_F(Comandi, TheFocusedBoxIsLeftBeforeTheCommandAndEnteredAgainAfterIt) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  ASSERT_TRUE(ui::utente::Fuoco(f.txt(90)));
  f.ButtonComando("Stampa");
  EXPECT_EQ(f.msCtlAttivo, "txt");
  EXPECT_EQ(f.miTxtRientro, 90);
  EXPECT_EQ(f.msTastoInCorso, "");
  EXPECT_TRUE(f.mbComandoInCorso);
  EXPECT_TRUE(Armato(f));
  Tick();
  EXPECT_FALSE(Armato(f));
  EXPECT_FALSE(f.mbComandoInCorso);
  EXPECT_EQ(f.msCtlAttivo, "");
  EXPECT_EQ(f.miTxtRientro, -1);
}

TEST_F(Comandi, SavingANewDdtGoesOnToItsLinesAndSavingAStoredOneDoesNot) {
  frmDdtTest& f = Pronta();
  // A new DDT: from mode 2 to mode 1 the command has just stored it.
  f.ogComPag().EseguiTasto("Nuovo");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
  f.txt(20).SetText("2026");
  f.txt(10).SetText("901");
  f.txt(80).SetText("04-01-0014");
  f.txt(290).SetText(dati::demo::kMagCentrale);
  f.txt(410).SetText("1");
  f.txt(40).SetText(dati::demo::kDocDdt);
  f.txt(400).SetText("Euro");
  const bool righe = f.EseguiComando("Salva");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << vb::Join(messaggi_, " / ");
  EXPECT_TRUE(righe);
  EXPECT_TRUE(RigheAperte());
  EXPECT_EQ(f.oiInDett, 1);
  // The line window's closing arms the deferred step, not the command.
  EXPECT_FALSE(Armato(f));
  ChiudiRighe();
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_TRUE(Armato(f));
  Tick();

  // The same DDT saved again, now stored: the lines stay closed.
  f.txt(90).SetText("ordine 12");
  EXPECT_FALSE(f.EseguiComando("Salva"));
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_TRUE(f.ogComPag().VarDati(-1).ToString().empty()) << vb::Join(messaggi_, " / ");
  EXPECT_TRUE(Armato(f));
}

TEST_F(Comandi, ExpensesSkipTheDeferredStepWhileTheirWindowIsOpen) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  f.oiInDett = 2;  // the expense window is open
  f.ButtonComando("Spese");
  EXPECT_FALSE(Armato(f));
  EXPECT_TRUE(f.mbComandoInCorso);
}

TEST_F(Comandi, ACommandThatOpenedNoWindowIsNotLeftRunning) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  // The expenses are not available; the lines are refused by another
  // user's lock.
  Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) values ('D', 2026, 3, 'luigi', 'S', 'D')");
  for (const char* tasto : {"Spese", "Dettaglio"}) {
    SCOPED_TRACE(tasto);
    ASSERT_EQ(f.oiInDett, -1);
    f.ButtonComando(tasto);
    EXPECT_FALSE(RigheAperte());
    EXPECT_TRUE(Armato(f));
    Tick();
    EXPECT_FALSE(f.mbComandoInCorso);
  }
  // A window that opened keeps the command running until it closes.
  Sql("Delete from LockGest");
  f.ButtonComando("Dettaglio");
  ASSERT_TRUE(RigheAperte());
  EXPECT_FALSE(Armato(f));
  EXPECT_TRUE(f.mbComandoInCorso);
  ChiudiRighe();
  EXPECT_TRUE(Armato(f));
  Tick();
  EXPECT_FALSE(f.mbComandoInCorso);
}

TEST_F(Comandi, AnErrorInACommandIsShownAndTheWindowGoesOn) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  f.txt(90).SetText("ordine 12");
  // The save question fails unexpectedly.
  vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) -> int {
    throw std::runtime_error("risorse esaurite");
  });
  EXPECT_NO_THROW(f.ButtonComando("Successivo"));
  vb::ImpostaGestoreMsgBox(msgPrec_);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Errore(5): risorse esaurite");
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(f.miLivComando, 0);
  EXPECT_TRUE(Armato(f));
  Tick();
  EXPECT_FALSE(f.mbComandoInCorso);
}

TEST_F(Comandi, ACommandRunByAnotherGivesItsErrorToThatOne) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  f.txt(90).SetText("ordine 12");
  vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) -> int {
    throw std::runtime_error("risorse esaurite");
  });
  f.miLivComando = 1;  // inside another command
  EXPECT_THROW(f.ButtonComando("Successivo"), std::runtime_error);
  vb::ImpostaGestoreMsgBox(msgPrec_);
  EXPECT_EQ(f.miLivComando, 1);
  f.miLivComando = 0;
}

TEST_F(Comandi, AnErrorInAKeyIsShownAndTheWindowGoesOn) {
  frmDdtTest& f = Pronta();
  AziendaUtil::ImpostaRispostaTastiCtrl([](int) -> std::string { vb::Solleva(5, "Il menu non risponde"); });
  int tasto = 'K';
  EXPECT_NO_THROW(f.Form_KeyDown(tasto, ui::vbCtrlMask));
  AziendaUtil::ImpostaRispostaTastiCtrl({});
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Errore(5): Il menu non risponde");
  EXPECT_TRUE(f.Caricata());
}

TEST_F(Comandi, F10AndAltEObeyTheStateOfTheLinesButton) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  ui::Elemento& dett = f.C("tolComPag").Elem("Dettaglio");
  struct Caso {
    bool visibile, abilitato, corre;
  };
  const Caso casi[] = {{true, true, true}, {false, true, false}, {true, false, false}, {false, false, false}};
  for (const auto& c : casi) {
    for (int shift : {0, int{ui::vbAltMask}}) {
      SCOPED_TRACE(std::to_string(c.visibile) + std::to_string(c.abilitato) + std::to_string(shift));
      dett.Visible = c.visibile;
      dett.Enabled = c.abilitato;
      int tasto = shift ? int{'E'} : int{ui::vbKeyF10};
      f.Form_KeyDown(tasto, shift);
      // The command that ran opened the lines; it ends when they close.
      EXPECT_EQ(RigheAperte(), c.corre);
      EXPECT_EQ(f.mbComandoInCorso, c.corre);
      EXPECT_FALSE(Armato(f));
      ChiudiRighe();
      EXPECT_EQ(f.oiInDett, -1);
      Tick();
      EXPECT_FALSE(f.mbComandoInCorso);
    }
  }
}

TEST_F(Comandi, WithoutDepositLinesAltZDoesNothing) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  int tasto = 'Z';
  f.Form_KeyDown(tasto, ui::vbAltMask);
  EXPECT_FALSE(Armato(f));
  EXPECT_FALSE(f.mbComandoInCorso);
}

TEST_F(Comandi, AltWithADigitShowsAPageOnlyWhileTheDataAreOpen) {
  frmDdtTest& f = Pronta();
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 0);
  ui::Controllo& schede = f.C("TasPagine");
  const int prima = schede.SelectedTab();
  int tasto = '3';
  f.Form_KeyDown(tasto, ui::vbAltMask);
  EXPECT_EQ(schede.SelectedTab(), prima);

  Mostra(f, dati::demo::kDdtModificabile);
  for (int pagina = 1; pagina <= 6; ++pagina) {
    tasto = '0' + pagina;
    f.Form_KeyDown(tasto, ui::vbAltMask);
    EXPECT_EQ(schede.SelectedTab(), pagina);
    EXPECT_EQ(tasto, 0);
  }
}

TEST_F(Comandi, YearButtonsMoveToTheFirstAndLastDdtOfTheYear) {
  frmDdtTest& f = Pronta();
  f.txt(20).SetText("2026");
  f.ComAnno_Click(1);
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << (messaggi_.empty() ? "" : messaggi_.back());
  EXPECT_EQ(f.txt(10).Text(), std::to_string(dati::demo::kDdtInterno));
  EXPECT_EQ(f.ogComPag().Campi("Anno").oiKeyFisso, 0);
  f.ComAnno_Click(0);
  EXPECT_EQ(f.txt(10).Text(), std::to_string(dati::demo::kDdtEvaso));
  EXPECT_EQ(f.ogComPag().Campi("Anno").oiKeyFisso, 0);
}

TEST_F(Comandi, YearButtonsWithAnEmptyOrRedYearOnlyGoToTheYear) {
  frmDdtTest& f = Pronta();
  for (bool rosso : {false, true}) {
    SCOPED_TRACE(rosso);
    f.txt(20).SetText(rosso ? "20x6" : "");
    f.txt(20).SetBackColor(rosso ? G().glColoreErrore : G().glColoreSfondo);
    ASSERT_TRUE(ui::utente::Fuoco(f.txt(10)));
    f.ComAnno_Click(0);
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 0);
    EXPECT_EQ(f.ActiveControl(), &f.txt(20));
    EXPECT_FALSE(Armato(f));
  }
}

TEST_F(Comandi, TheToolbarRunsItsKeysThroughTheCommand) {
  frmDdtTest& f = Pronta();
  Mostra(f, dati::demo::kDdtModificabile);
  ui::utente::BottoneBarra(f.C("tolComPag"), "Successivo");
  EXPECT_EQ(f.txt(10).Text(), std::to_string(dati::demo::kDdtInterno));
  EXPECT_TRUE(Armato(f));
}

TEST_F(Comandi, ChiudiOnTheToolbarClosesTheWindow) {
  frmDdtTest& f = Pronta();
  ui::utente::BottoneBarra(f.C("tolComPag"), "Chiudi");
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(f.mbScaricato);
  EXPECT_FALSE(f.HaBarra());
  EXPECT_FALSE(Armato(f));
}

}  // namespace

namespace {

TEST_F(Comandi, MenuOnTheToolbarAsksForTheMenuAndTheWindowStays) {
  frmDdtTest& f = Pronta();
  ui::utente::BottoneBarra(f.C("tolComPag"), "Menu");
  EXPECT_TRUE(f.Caricata());
  // Without a menu server the user is told.
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Il menu non è più disponibile");
}

TEST_F(Comandi, F9SwitchesTheArticleSearchOfTheLines) {
  frmDdtTest& f = Pronta();
  const int16_t prima = G().giKeyRicDdt;
  int tasto = ui::vbKeyF9;
  f.Form_KeyDown(tasto, 0);
  EXPECT_NE(G().giKeyRicDdt, prima);
  EXPECT_FALSE(Armato(f));
}

}  // namespace

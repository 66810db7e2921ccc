// The program's start-up on the menu server's command line, its failures,
// and its end.
#include "startup/Banco.h"

#include "common/FunVarie.h"
#include "platform/FunzioniComuni.h"

using prova::Banco;

namespace {

const char* const kMenuAssente =
    "Il menu principale non è in esecuzione\r\nQuesto programma non può essere eseguito autonomamente";

class Avvio : public Banco {};

}  // namespace

TEST_F(Avvio, TheProgramStartsRegistersOpensTheHeaderAndEndsOnFine) {
  Avvia();
  const Globali& g = G();
  // Switches M and P: menu, key and window of this launch.
  EXPECT_EQ(g.gsIdMenu, idMenu_);
  EXPECT_EQ(g.gsKeyPrg, "DDT");
  EXPECT_EQ(g.gsParamPrg, finestra_);
  EXPECT_EQ(g.gsFileHelp, dir_.Percorso("Ddt.chm"));
  EXPECT_EQ(g.gsFileIni, dir_.Percorso("velnor.ini"));
  EXPECT_EQ(g.gsFileIniDb, dir_.Percorso("ditta.ini"));
  EXPECT_FALSE(g.gsConnAzienda.empty());
  ASSERT_TRUE(g.goDbAzienda);
  ASSERT_TRUE(g.goDbDao);
  ASSERT_TRUE(g.goMenuClient);
  EXPECT_TRUE(g.goMenuClient->Connesso());
  // Settings of the company and of the program.
  EXPECT_EQ(g.gtDataLavoro, vb::Date::FromYmd(2026, 12, 10));
  EXPECT_EQ(g.gsDescAzie, "Ditta dimostrativa");
  EXPECT_EQ(g.giNumDecEuro, dati::demo::kDecimaliEuro);
  EXPECT_EQ(g.giNumDecGestEuro, dati::demo::kDecimaliGestEuro);
  EXPECT_EQ(g.giNumDecLire, dati::demo::kDecimaliLira);
  EXPECT_EQ(g.giNumDecQta, 3);
  EXPECT_EQ(g.giKeyRicDdt, 1);
  EXPECT_EQ(g.gsGesTaglie, "S");
  EXPECT_EQ(g.gsTabTest, "DdtTest");
  EXPECT_EQ(g.gsNomeDoc, "Il DDT");
  EXPECT_EQ(g.gsFormatData, "dd/mm/yyyy");
  EXPECT_EQ(g.gsDataMinima, "01/01/1900");
  // The services read their parameters through the menu now.
  ASSERT_TRUE(g.gfLeggiParam);
  EXPECT_EQ(g.gfLeggiParam("Mag.NumDecQta", vb::Variant("")).ToString(), "3");
  ASSERT_TRUE(g.gfLeggiParPers);
  EXPECT_EQ(g.gfLeggiParPers("Ddt", "NonCe", vb::Variant("N")).ToString(), "N");
  ASSERT_TRUE(g.gfrmPrincipale);
  EXPECT_TRUE(g.gfrmPrincipale->Caricata());
  EXPECT_FALSE(g.gfrmPrincipale->Visible());
  // The header received its launch keys before it loaded.
  EXPECT_TRUE(testata_.Caricata());
  EXPECT_TRUE(testata_.Visible());
  ASSERT_EQ(testata_.chiaviAlCaricamento.size(), 5u);
  EXPECT_EQ(testata_.chiaviAlCaricamento[0], finestra_);
  EXPECT_EQ(testata_.chiaviAlCaricamento[1], "");
  EXPECT_NE(testata_.chiaviAlCaricamento[4].find("/Ffrmddttest"), std::string::npos);
  EXPECT_FALSE(FrmConn().Caricata());
  EXPECT_TRUE(Evento("Connetti DDT " + finestra_)) << Eventi();
  EXPECT_TRUE(Evento("PrepProcCorr " + finestra_)) << Eventi();
  EXPECT_TRUE(Evento("AddSeg 40|" + idMenu_ + ":" + finestra_)) << Eventi();
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_TRUE(box_.empty()) << box_.front();

  EXPECT_EQ(Testo(Comanda("esiste")), "True");
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_TRUE(Chiuso());
  EXPECT_FALSE(g.goDbAzienda);
  EXPECT_FALSE(g.goMenuComandiClie);
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
  // Closed on the menu's own command: no way back to the menu.
  EXPECT_FALSE(Evento("TornaAlMenu Tutti"));
  EXPECT_TRUE(Evento("ChiusoForm " + finestra_)) << Eventi();
}

TEST_F(Avvio, ClosingTheHeaderGoesBackToTheMenuAndEndsTheProgram) {
  Avvia();
  ASSERT_TRUE(testata_.Visible());
  ui::utente::Chiudi(testata_);
  EXPECT_TRUE(Evento("TornaAlMenu Tutti")) << Eventi();
  EXPECT_TRUE(Evento("ChiusoForm " + finestra_)) << Eventi();
  EXPECT_FALSE(Chiuso());  // the end check runs after the current event
  Orologio();
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Avvio, WithoutTheHeaderFormTheRequestedFormDoesNotExist) {
  Avvia(false);
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "La form richiesta e' inesistente");
  EXPECT_FALSE(FrmConn().Caricata());
  EXPECT_TRUE(Evento("AddSeg 40|" + idMenu_ + ":" + finestra_)) << Eventi();
  Orologio();
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Avvio, AnotherFormNameOrNoneEndsTheProgram) {
  for (std::string f : {" /FfrmDdtTestLis", " /F", ""}) {
    AvviaServer();
    avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
    std::string riga = server_->PreparaLancio(&finestra_);
    riga = riga.substr(0, riga.find(" /F")) + f;
    G().gsRigaComando = riga;
    box_.clear();
    AziendaUtil::AvviaPrg(40, "");
    ASSERT_EQ(box_.size(), 1u) << f;
    EXPECT_EQ(box_[0], "La form richiesta e' inesistente");
    EXPECT_FALSE(testata_.Caricata());
    Orologio();
    EXPECT_TRUE(Chiuso()) << f;
    FermaServer();
    AzzeraGlobali();
  }
}

TEST_F(Avvio, TheHeaderNameIsTakenInAnyCaseAndWithBlanks) {
  AvviaServer();
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  std::string riga = server_->PreparaLancio(&finestra_);
  G().gsRigaComando = riga.substr(0, riga.find(" /F")) + " /F  FRMDDTTEST  ";
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_TRUE(testata_.Visible());
}

TEST_F(Avvio, SwitchPKeepsEverythingAfterItsFirstBlank) {
  AvviaServer();
  G().gsRigaComando = "/M" + idMenu_ + " /PDDT W1 altro /Ffrmddttest";
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_EQ(G().gsKeyPrg, "DDT");
  EXPECT_EQ(G().gsParamPrg, "W1 altro");
}

TEST_F(Avvio, AProgramNamedByTextRegistersWithItsName) {
  AvviaServer();
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(-1, "DdtSpeciale");
  EXPECT_TRUE(Evento("AddSeg DdtSpeciale|" + idMenu_ + ":" + finestra_)) << Eventi();
}

TEST_F(Avvio, AnOlderMenuGetsTheProgramNumberAlone) {
  altroMenu_ = "VersMenu=1.06\n";
  Avvia();
  EXPECT_TRUE(Evento("AddSeg 40")) << Eventi();
}

TEST_F(Avvio, FailureAWithoutAMenuServer) {
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = "/Mnessun-menu /PDDT W1 /Ffrmddttest";
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], kMenuAssente);
  EXPECT_FALSE(testata_.Caricata());
  EXPECT_FALSE(Chiuso());
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, FailureAWithoutAnySwitch) {
  G().gsRigaComando = "";
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], kMenuAssente);
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, FailureBWhenTheLaunchCannotBeRead) {
  AvviaServer();
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  server_->SimulaErrore("InfoLancio", 5, "Finestra sconosciuta al menu");
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Problemi col collegamento col menù\r\nForse questo programma non è stato lanciato correttamente");
  Orologio();
  EXPECT_TRUE(Chiuso());
  // The end releases the menu connection.
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Avvio, FailureCTellsTheMenuIsGoneOutOfMemoryOrAnyOtherError) {
  struct Caso {
    long numero;
    std::string testo;
  };
  const Caso casi[] = {
      {5, kMenuAssente},
      {7, "Memoria esaurita\r\nChiudere qualche programma e riprovare"},
      {1234, "Errore (1234): percorso illeggibile\r\nProbabilmente il menù non è stato avviato correttamente"},
  };
  for (const Caso& c : casi) {
    AvviaServer();
    avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
    G().gsRigaComando = server_->PreparaLancio(&finestra_);
    server_->SimulaErrore("PercorsoIni", c.numero, "percorso illeggibile");
    box_.clear();
    AziendaUtil::AvviaPrg(40, "");
    ASSERT_EQ(box_.size(), 1u) << c.numero;
    EXPECT_EQ(box_[0], c.testo);
    EXPECT_TRUE(messaggi_.empty());
    Orologio();
    EXPECT_TRUE(Chiuso());
    FermaServer();
    AzzeraGlobali();
  }
}

TEST_F(Avvio, FailureCOfACompanySettingThatIsNoNumber) {
  altriParametri_ = "ColBackGotFocus=giallo\n";
  Avvia();
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(vb::Left(box_[0], 12), "Errore (13):");
  EXPECT_NE(box_[0].find("Probabilmente il menù non è stato avviato correttamente"), std::string::npos);
  EXPECT_FALSE(testata_.Caricata());
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, AMissingSuiteIniEndsTheProgram) {
  AvviaServer();
  dir_.Scrivi("menu.ini", vb::Replace(dir_.Leggi("menu.ini"), "IniSuite=" + dir_.Percorso("velnor.ini") + "\n", ""));
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "File ini non trovato\r\nSistemare e rieseguire");
  EXPECT_FALSE(testata_.Caricata());
  // The objects are released at once: the menu connection is gone.
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, SwitchIFindsTheSuiteIniWhenTheMenuGivesNone) {
  AvviaServer();
  dir_.Scrivi("menu.ini", vb::Replace(dir_.Leggi("menu.ini"), "IniSuite=" + dir_.Percorso("velnor.ini") + "\n", ""));
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_) + " /I" + dir_.Percorso("velnor.ini");
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_EQ(G().gsFileIni, dir_.Percorso("velnor.ini"));
  EXPECT_TRUE(testata_.Visible());
}

TEST_F(Avvio, ADatabaseIniMissingFromTheSuiteIniEndsTheProgram) {
  Banco::ScriviIni();
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Menu]\nNomeDB=" + dir_.Percorso("menu.db") + "\n");
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "File di inizializzazione non trovato\no con informazioni non corrette.\n"
                     "Correggere e rieseguire il programma.");
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, TheDatabaseIniIsChosenFromTheList) {
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                "\nNumIni=2\n[Lista File Ini]\nOrdIniDBase1=" + dir_.Percorso("uno.ini") +
                                "\nOrdIniDBase2=" + dir_.Percorso("due.ini") + "\n");
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  risposteInput_ = {"2"};
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(input_.size(), 1u);
  EXPECT_EQ(input_[0], "Numero di ini scelto\r\n(da 0 a 2)\r\n1 -> " + dir_.Percorso("uno.ini") + "\r\n2 -> " +
                           dir_.Percorso("due.ini"));
  EXPECT_EQ(G().gsFileIniDb, dir_.Percorso("due.ini"));
  EXPECT_TRUE(testata_.Visible());
}

TEST_F(Avvio, AnAnswerOutsideTheListTakesTheDefaultDatabaseIni) {
  for (std::string risposta : {"0", "3", "-1", "", "abc"}) {
    AvviaServer();
    dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                  "\nNumIni=2\n[Lista File Ini]\nOrdIniDBase1=" + dir_.Percorso("uno.ini") + "\n");
    avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
    G().gsRigaComando = server_->PreparaLancio(&finestra_);
    risposteInput_ = {risposta};
    AziendaUtil::AvviaPrg(40, "");
    EXPECT_EQ(G().gsFileIniDb, dir_.Percorso("ditta.ini")) << risposta;
    EXPECT_TRUE(testata_.Visible());
    testata_.Unload();
    Orologio();
    FermaServer();
    AzzeraGlobali();
  }
}

TEST_F(Avvio, TheConfirmationOfTheParametersNeverShowsThePassword) {
  altraDitta_ = "ConnectDB=ODBC;DSN=velnor;UID=mario;PWD=segreto\n";
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") + "\nVisParam=tutto\n");
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  risposteBox_ = {vb::vbCancel};
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0].find("segreto"), std::string::npos) << box_[0];
  EXPECT_NE(box_[0].find("Tipo Connessione: ODBC;DSN=velnor;UID=mario;PWD=********"), std::string::npos) << box_[0];
  EXPECT_NE(box_[0].find("Database: " + dir_.Percorso("ditta.db")), std::string::npos);
  EXPECT_FALSE(testata_.Caricata());
  Orologio();
  EXPECT_TRUE(Chiuso());
}

TEST_F(Avvio, AnsweringNoAsksForTheParametersAgain) {
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") + "\nVisParam=DB1\n");
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  risposteBox_ = {vb::vbNo, vb::vbYes};
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_EQ(box_.size(), 2u);
  EXPECT_TRUE(testata_.Visible());
}

TEST_F(Avvio, AConnectionKeyThatBeginsWithErrEndsTheProgram) {
  altraDitta_ = "NomeDB=" + dir_.Percorso("manca.db") + "\n";
  AvviaServer();
  // The company's first NomeDB wins: point it at a file that is not there.
  dir_.Scrivi("menu.ini", vb::Replace(dir_.Leggi("menu.ini"), "NomeDB=" + dir_.Percorso("ditta.db") + "\n", ""));
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_EQ(vb::Left(G().gsConnAzienda, 4), "Err:");
  EXPECT_EQ(G().gsConnAzienda, "Err: 3024");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(vb::Left(messaggi_[0], 12), "Errore(3024)");
  EXPECT_FALSE(testata_.Caricata());
  Orologio();
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Avvio, TheScreenFactorsFollowTheirSection) {
  Avvia();
  // No section at all: general and base 0, the others automatic.
  int l = 0, a = 0;
  const double automatico = vb::FunzioniComuni::Istanza().ValDouble(FunVarie::CalcFattVideo(l, a), true);
  EXPECT_EQ(G().gdRisVidGenerale, 0);
  EXPECT_EQ(G().gdRisVidBase, 0);
  EXPECT_EQ(G().gdRisVidStaVid, automatico);
  EXPECT_EQ(G().gdRisVidMsgCom, automatico);
}

TEST_F(Avvio, GeneralFactorMinusTwoTakesThePersonalBase) {
  AvviaServer();
  dir_.Scrivi("ditta.ini", "[Risoluzione Video]\nGenerale=-2\nPersBase=1,2\n");
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(40, "");
  EXPECT_EQ(G().gdRisVidGenerale, -2);
  EXPECT_DOUBLE_EQ(G().gdRisVidBase, 1.2);
  EXPECT_DOUBLE_EQ(G().gdRisVidStaVid, 1.2);
  EXPECT_DOUBLE_EQ(G().gdRisVidMsgCom, 1.2);
}

TEST_F(Avvio, AFormWhoseLoadFailsEndsTheProgramAtOnce) {
  testata_.falliscaCaricamento = true;
  Avvia();
  EXPECT_FALSE(testata_.Caricata());
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Avvio, AFailedStartEndsTheProgramWithAFailureStatus) {
  G().gsRigaComando = "/Mnessun-menu /PDDT W1 /Ffrmddttest";
  AziendaUtil::AvviaPrg(40, "");
  Orologio();
  EXPECT_TRUE(Chiuso());
  EXPECT_NE(G().giCodiceUscita, 0);
}

TEST_F(Avvio, AStartThatOpensTheHeaderEndsWithSuccess) {
  Avvia();
  ASSERT_TRUE(testata_.Visible());
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_TRUE(Chiuso());
  EXPECT_EQ(G().giCodiceUscita, 0);
}

TEST_F(Avvio, AMissingCompanyDatabaseIsNamedAsTheIniWritesIt) {
  const std::string scritto = "C:\\Velnor\\Ditte\\Manca\\ditta.db";
  altraDitta_ = "NomeDB=" + scritto + "\n";
  AvviaServer();
  dir_.Scrivi("menu.ini", vb::Replace(dir_.Leggi("menu.ini"), "NomeDB=" + dir_.Percorso("ditta.db") + "\n", ""));
  avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
  G().gsRigaComando = server_->PreparaLancio(&finestra_);
  AziendaUtil::AvviaPrg(40, "");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find(scritto), std::string::npos) << messaggi_[0];
  EXPECT_EQ(messaggi_[0].find("SQLite"), std::string::npos) << messaggi_[0];
  EXPECT_EQ(messaggi_[0].find(dir_.Percorso("radice")), std::string::npos) << messaggi_[0];
  Orologio();
  EXPECT_TRUE(Chiuso());
  EXPECT_NE(G().giCodiceUscita, 0);
}

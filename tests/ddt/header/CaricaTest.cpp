// The life of the header window: the load and its settings, a load that
// fails, the unload with the bar's say, and the close protocol.
#include <stdexcept>

#include "common/FunVarie.h"
#include "common/UtilClient.h"
#include "ddt/header/TestataProva.h"
#include "platform/Errore.h"
#include "services/LatoMenu.h"

namespace {

using prova::TestataProva;

class Carica : public TestataProva {
 protected:
  void TearDown() override {
    servizi::ImpostaTerminaleMenu({});
    TestataProva::TearDown();
  }

  // A DDT shown with a change not saved.
  void ConModifica(frmDdtTest& f) {
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
    f.txt(90).SetText("ordine 77 del cliente");
    ASSERT_FALSE(f.ogComPag().VarDati(-1).ToString().empty());
  }
};

// ---------------------------------------------------------------- load

struct CasoGeometria {
  const char* larg;  // nullptr: no key in the ini
  const char* alt;
  int32_t width, left, height, top;
};

TEST_F(Carica, TheLineWindowTakesSizeAndPlaceFromTheIni) {
  const CasoGeometria casi[] = {
      {"9000;300", "6000;120", 9000, 300, 6000, 120},
      {"9000", "6000", 9000, 0, 6000, 0},
      {" 9000 ; 300 ", "  6000;  120  ", 9000, 300, 6000, 120},
      {nullptr, nullptr, 0, 0, 0, 0},
      {"-2", "-1", -2, 0, -1, 0},
      {"abc;xy", "", 0, 0, 0, 0},
  };
  for (const auto& c : casi) {
    std::string ini = "[Configurazioni]\n";
    if (c.larg) ini += std::string("DdtDettLarg=") + c.larg + "\n";
    if (c.alt) ini += std::string("DdtDettAlt=") + c.alt + "\n";
    dir_.Scrivi("velnor.ini", ini);
    G().gsFileIni = dir_.Percorso("velnor.ini");
    frmDdtTest& f = Testata();
    const std::string caso = c.larg ? c.larg : "(nessuna)";
    ASSERT_EQ(f.oiLoadOk(), 1) << caso;
    EXPECT_EQ(f.olFormDettWidth, c.width) << caso;
    EXPECT_EQ(f.olFormDettLeft, c.left) << caso;
    EXPECT_EQ(f.olFormDettHeight, c.height) << caso;
    EXPECT_EQ(f.olFormDettTop, c.top) << caso;
    f.Unload();
  }
}

TEST_F(Carica, ALoadEndsWithTheWindowReady) {
  Param("Fat.ElePrefDdt", "AB");
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(f.HelpContextID(), 31000);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(f.C("PicPagine", i).HelpContextID(), 31001 + i);
  EXPECT_TRUE(f.C("PicEvid", 0).Visible());
  EXPECT_EQ(f.msTitoloForm, "Gestione Ddt");
  EXPECT_EQ(f.Caption(), "Gestione Ddt - " + G().gsDescAzie);
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(f.olPosDett, -1);
  EXPECT_EQ(f.miTxtRientro, -1);
  EXPECT_FALSE(f.mbScaricato);
  EXPECT_FALSE(f.mbComandoInCorso);
  EXPECT_EQ(f.txt(50).ToolTipText(), "Prefissi: AB");
  // Each visible box of page 4 as long as the box that stores it.
  EXPECT_EQ(f.txt(810).MaxLength(), f.txt(830).MaxLength());
  ui::Controllo& barra = f.C("tolComPag");
  EXPECT_FALSE(barra.Elem("RipEvasione").Visible);
  EXPECT_FALSE(barra.Elem("CalcVuoti").Visible);
  EXPECT_FALSE(barra.Elem("CalcVuoti").Enabled);
  EXPECT_TRUE(f.C("picTotPrz").Visible());
  // The toolbar's pictures, the window's own ones by their place in the list.
  EXPECT_EQ(barra.Elem("Salva").Image, "document-save");
  EXPECT_EQ(barra.Elem("Dettaglio").Image, "document-open");
  EXPECT_EQ(f.C("ImagePiccole").Elem(16).Key, "Dettaglio");
  EXPECT_EQ(f.C("ImagePiccole").Elem(21).Key, "CalcVuoti");
  // The shared picture form stays unloaded: loaded, it would keep the
  // program's end check waiting for ever.
  EXPECT_FALSE(FunVarie::FormAperta("frmImgComPag").ToBool());
}

TEST_F(Carica, AWindowLoadedAgainKeepsOneCompanyInItsCaption) {
  G().gsDescAzie = "Ditta dimostrativa";
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  ASSERT_TRUE(f.Unload());
  f.Load();
  ASSERT_EQ(f.oiLoadOk(), 1);
  EXPECT_EQ(f.msTitoloForm, "Gestione Ddt");
  EXPECT_EQ(f.Caption(), "Gestione Ddt - Ditta dimostrativa");
}

TEST_F(Carica, DepositLinesShowTheirButtonAndHiddenPricesTheTotals) {
  ParPers("DDT", "GestVuotiCauz", "s");
  ParPers("Ddt", "DisabTermVisPrz", "CASSA1;CASSA2");
  servizi::ImpostaTerminaleMenu([] { return std::string("cassa2"); });
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  EXPECT_TRUE(f.C("tolComPag").Elem("CalcVuoti").Visible);
  EXPECT_TRUE(f.C("tolComPag").Elem("CalcVuoti").Enabled);
  EXPECT_TRUE(G().gbDisabTermVisPrz);
  EXPECT_FALSE(G().gbDisabTermPrz);
  EXPECT_FALSE(f.C("picTotPrz").Visible());
}

TEST_F(Carica, TheTotalsCaptionFollowsTheCompanyCurrency) {
  struct Caso {
    const char* moneta;
    const char* lira;
    const char* caption;
  };
  const Caso casi[] = {{"L.", "L.", "Totale in Lire:"},
                       {"l.", "L.", "Totale in Lire:"},
                       {"Euro", "L.", "Totale in Euro:"},
                       {"USD", "L.", "Totale in Euro:"}};
  for (const auto& c : casi) {
    G().gsMonetaDitta = c.moneta;
    G().gsCodLira = c.lira;
    frmDdtTest& f = Testata();
    ASSERT_EQ(f.oiLoadOk(), 1);
    EXPECT_EQ(f.label1(180).Caption(), c.caption) << c.moneta;
    f.Unload();
  }
}

// ---------------------------------------------------------------- failed load

TEST_F(Carica, AParameterThatCannotBeReadFailsTheLoadAndTheProgramClosesWithoutTheMenu) {
  G().gfLeggiParPers = [](const std::string& sezione, const std::string& nome, const vb::Variant& def) {
    if (nome == "QtaDef") vb::Solleva(5, "Il menu principale non risponde");
    (void)sezione;
    return def;
  };
  frmDdtTest& f = Testata();
  EXPECT_EQ(f.oiLoadOk(), -1);
  EXPECT_EQ(f.LeggiPerNome("oiLoadOk").ToInt(), -1);
  EXPECT_TRUE(G().gbNoRitornoMenu);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Gestione Ddt\r\nErrore(5): Il menu principale non risponde");
  // The opener unloads it: no question of the bar, no way back to the menu.
  EXPECT_TRUE(f.Unload());
  EXPECT_EQ(messaggi_.size(), 1u);
}

TEST_F(Carica, ASettingThatIsNoNumberWhereTheLoadConvertsItDirectlyFailsTheLoad) {
  ParPers("Tutti", "RidPercAgenti", "tre");
  frmDdtTest& f = Testata();
  EXPECT_EQ(f.oiLoadOk(), -1);
  EXPECT_TRUE(G().gbNoRitornoMenu);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Gestione Ddt\r\nErrore(13): ", 0), 0u) << messaggi_[0];
}

// ---------------------------------------------------------------- unload

TEST_F(Carica, WhenTheBarRefusesTheCloseTheWindowStaysAndALaterCloseChecksTheBoxAgain) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  ConModifica(f);
  ASSERT_TRUE(ui::utente::Fuoco(f.txt(90)));
  // "Salvare le modifiche?" answered Annulla.
  risposteBox_ = {vb::vbCancel};
  f.ChiudiFrm();
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(f.miChiudiFrm, 0);
  // Closed by the bar: the focused box was not checked on the way out.
  EXPECT_EQ(f.msCtlAttivo, "");
  EXPECT_EQ(f.txt(90).Text(), "ordine 77 del cliente");

  risposteBox_ = {vb::vbCancel};
  EXPECT_FALSE(ui::utente::Chiudi(f));
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(f.miChiudiFrm, 0);
  // The close box checks the focused box first.
  EXPECT_EQ(f.msCtlAttivo, "txt");
}

TEST_F(Carica, ClosingWithNoControlFocusedChecksNoBox) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  ConModifica(f);
  f.SpostaFuoco(nullptr);
  f.msCtlAttivo = "prima";
  f.miTxtRientro = 7;
  risposteBox_ = {vb::vbCancel};
  EXPECT_FALSE(ui::utente::Chiudi(f));
  EXPECT_EQ(f.msCtlAttivo, "");
  EXPECT_EQ(f.miTxtRientro, -1);
}

TEST_F(Carica, AnAcceptedCloseReleasesTheBar) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  ConModifica(f);
  risposteBox_ = {vb::vbNo};
  EXPECT_TRUE(ui::utente::Chiudi(f));
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(f.mbScaricato);
  EXPECT_FALSE(f.HaBarra());
  EXPECT_EQ(f.miChiudiFrm, 0);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_[0], "Salvare le modifiche?");
}

TEST_F(Carica, PassaAAnnouncesTheWindowWithItsCapitalisedTitle) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  // Without a menu client it is nothing; the menu's side is in the start-up tests.
  std::vector<vb::Variant> nessuno;
  EXPECT_NO_THROW(f.ChiamaPerNome("PassaA", nessuno));
}

// ---------------------------------------------------------------- settings

TEST_F(Carica, TheSettingsAreReadInTheirOrder) {
  std::vector<std::string> letti;
  G().gfLeggiParPers = [&](const std::string& sezione, const std::string& nome, const vb::Variant& def) {
    letti.push_back(sezione + "." + nome);
    return def;
  };
  G().gfLeggiParam = [&](const std::string& nome, const vb::Variant& def) {
    letti.push_back(nome);
    return def;
  };
  servizi::ImpostaTerminaleMenu([&] {
    letti.push_back("Terminale");
    return std::string("CASSA1");
  });
  frmDdtTest f;
  f.LeggiImpostazioni();
  const std::vector<std::string> attesi = {
      "Livelli.PosPicLiv", "Livelli.CodBarLunArt", "Livelli.Liv1VertOriz", "Ddt.QtaDef", "Ddt.CalcolaPeso",
      "Ddt.CalcolaPesoUm", "Ddt.CalcolaPesoLordo", "Ddt.InibClienti", "Terminale", "Ddt.DisabTermPrz",
      "Terminale", "Ddt.DisabTermVisPrz", "Ddt.CodIvaDef", "Note.InizioAvvisoCliente", "Tutti.RidPercAgenti",
      "DDT.RicPartLotti", "Articoli.CauzAttNoCalc", "Vendite.RicalcColli", "Tutti.MatrGest", "Tutti.MatrLungMin",
      "Tutti.MatrUnica", "Tutti.MatrSegnTipOpe", "Tutti.MatrGuastoNoScar", "Fatture.SpesaClieAutom",
      "Tutti.MatrCausaliRientro", "Tutti.MatrCausaliNoMovCar", "Magazzino.NoRaeeAutom", "Rintraccia.QtaDivBloc",
      "Rintraccia.QtaVer", "Rintraccia.DefParDaClassi", "Rintraccia.LottiCausaliNoMovCar", "Rintraccia.ModVisLotti",
      "Rintraccia.VisLottiOrd", "Rintraccia.VisLottiScad", "Ddt.GestFoldIns", "Ddt.GestOrdIns", "Ddt.GestOrdInsTab",
      "Ddt.DettOrdIns", "Ddt.DettOrdInsTab", "Ddt.DettOrdCol", "Ddt.DettOrdColTest", "DDT.MemTargaVet",
      "Tutti.CercaListBase", "Mag.ListinoPrincipale", "Articoli.CauzAttNoSconti", "Conferim.ClasseRegConf",
      "Tutti.MagaNoGiac", "DDT.GestVuotiCauz", "DDT.ListaOrdin", "Tutti.ColliDec", "Ditta.InstDiBa",
      "Livelli.GestTab", "DDT.GestTab", "Livelli.NuovoGest", "DDT.NuovoGest", "CodBar.CodBarSalva",
      "DDT.CodBarSalva", "Ddt.DicIntentiValDef", "Ddt.DicIntentiCalcRes", "Tutti.DicIntentiCalcRes",
      "DDT.NonContrSucc"};
  EXPECT_EQ(letti, attesi);
}

TEST_F(Carica, TheSettingsAtTheirDefaults) {
  frmDdtTest f;
  f.LeggiImpostazioni();
  EXPECT_EQ(f.miPosPicLiv, 4);
  EXPECT_EQ(f.miCodBarLunArt, 7);
  EXPECT_EQ(f.msLiv1VertOriz, "O");
  EXPECT_EQ(G().gsQtaDef, "");
  EXPECT_FALSE(G().gbDisabTermPrz);
  EXPECT_FALSE(G().gbDisabTermVisPrz);
  EXPECT_EQ(f.msCalcolaPesoLordo, "S");
  EXPECT_EQ(f.msRicalcColli, "N");
  EXPECT_EQ(f.miRidPercAgenti, -1);
  EXPECT_EQ(f.miTracQtaVer, 1);
  EXPECT_EQ(f.miPagIns, -1);
  EXPECT_FALSE(f.mbOrdIns);
  EXPECT_EQ(f.msMatrUnica, "C");
  EXPECT_EQ(f.msModVisLotti, "P");
  EXPECT_EQ(f.msVisLottiOrd, "D");
  EXPECT_TRUE(f.mbVisLottiScad);
  EXPECT_TRUE(f.mbLivGestTab);
  EXPECT_TRUE(f.mbLivelliInsGest);
  EXPECT_FALSE(f.mbCodBarSalva);
  EXPECT_TRUE(f.mbDicIntentiValDef);
  EXPECT_EQ(f.msDicIntentiCalcRes, "O");
  EXPECT_TRUE(f.mbDicIntentiTest);  // the demo company has the column
  EXPECT_EQ(f.msMascQtaDett, "#,##0");
  ASSERT_EQ(f.msColFisseCap.size(), 6u);
  EXPECT_EQ(f.msColFisseCap[2], "Quantità");
  EXPECT_EQ(f.msColFisseEspr[5], "DdtDett.ScontoTot");
  EXPECT_FALSE(f.mbColPersTest);
  // Bill-of-materials movements are hidden unless the company has them.
  EXPECT_FALSE(f.label1(1430).Visible());
  EXPECT_FALSE(f.lab(1445).Visible());
}

TEST_F(Carica, TheSettingsAsSetAndTheirConversions) {
  struct Caso {
    const char* sezione;
    const char* nome;
    const char* valore;
    std::function<void(frmDdtTest&)> verifica;
  };
  const std::vector<Caso> casi = {
      {"Livelli", "PosPicLiv", "9", [](frmDdtTest& f) { EXPECT_EQ(f.miPosPicLiv, 4); }},
      {"Livelli", "PosPicLiv", "-2", [](frmDdtTest& f) { EXPECT_EQ(f.miPosPicLiv, 4); }},
      {"Livelli", "PosPicLiv", "0", [](frmDdtTest& f) { EXPECT_EQ(f.miPosPicLiv, 0); }},
      {"Livelli", "PosPicLiv", "xx", [](frmDdtTest& f) { EXPECT_EQ(f.miPosPicLiv, 0); }},
      {"Livelli", "CodBarLunArt", "0", [](frmDdtTest& f) { EXPECT_EQ(f.miCodBarLunArt, 7); }},
      {"Livelli", "CodBarLunArt", "-5", [](frmDdtTest& f) { EXPECT_EQ(f.miCodBarLunArt, 7); }},
      {"Livelli", "CodBarLunArt", "12", [](frmDdtTest& f) { EXPECT_EQ(f.miCodBarLunArt, 12); }},
      {"Livelli", "Liv1VertOriz", "v", [](frmDdtTest& f) { EXPECT_EQ(f.msLiv1VertOriz, "v"); }},
      {"Livelli", "Liv1VertOriz", "X", [](frmDdtTest& f) { EXPECT_EQ(f.msLiv1VertOriz, "O"); }},
      {"Livelli", "Liv1VertOriz", "", [](frmDdtTest& f) { EXPECT_EQ(f.msLiv1VertOriz, "O"); }},
      {"Ddt", "QtaDef", "5", [](frmDdtTest&) { EXPECT_EQ(G().gsQtaDef, "5"); }},
      {"Ddt", "CalcolaPesoUm", "PZ;KG", [](frmDdtTest& f) { EXPECT_EQ(f.msCalcolaPesoUm, "PZ;KG;"); }},
      {"Ddt", "CalcolaPesoUm", "PZ;", [](frmDdtTest& f) { EXPECT_EQ(f.msCalcolaPesoUm, "PZ;"); }},
      {"Tutti", "MatrCausaliRientro", " 01,02 ",
       [](frmDdtTest& f) { EXPECT_EQ(f.msMatrCausaliRientro, "01,02,"); }},
      {"Tutti", "MatrCausaliRientro", "", [](frmDdtTest& f) { EXPECT_EQ(f.msMatrCausaliRientro, ""); }},
      {"Rintraccia", "LottiCausaliNoMovCar", "VEN",
       [](frmDdtTest& f) { EXPECT_EQ(f.msLottiCausaliNoMovCar, "VEN,"); }},
      {"Tutti", "MagaNoGiac", " 01, 02 ", [](frmDdtTest& f) { EXPECT_EQ(f.msMagaNoGiac, " 01, 02 ,"); }},
      {"Ddt", "InibClienti", "2/A,B",
       [](frmDdtTest& f) {
         EXPECT_EQ(f.msInibCliAttr, "2");
         ASSERT_EQ(f.msInibCliValori.size(), 3u);
         EXPECT_EQ(f.msInibCliValori[1], "A");
         EXPECT_EQ(f.msInibCliValori[2], "B");
       }},
      {"Ddt", "InibClienti", "A,B", [](frmDdtTest& f) { EXPECT_EQ(f.msInibCliAttr, ""); }},
      {"Tutti", "DicIntentiCalcRes", "F", [](frmDdtTest& f) { EXPECT_EQ(f.msDicIntentiCalcRes, "F"); }},
      {"Ddt", "DicIntentiValDef", "n", [](frmDdtTest& f) { EXPECT_FALSE(f.mbDicIntentiValDef); }},
      {"Ddt", "DicIntentiValDef", "", [](frmDdtTest& f) { EXPECT_TRUE(f.mbDicIntentiValDef); }},
      {"Tutti", "ColliDec", "s", [](frmDdtTest& f) { EXPECT_TRUE(f.mbColliDec); }},
      {"Tutti", "ColliDec", "si", [](frmDdtTest& f) { EXPECT_FALSE(f.mbColliDec); }},
      {"Livelli", "GestTab", "N", [](frmDdtTest& f) { EXPECT_FALSE(f.mbLivGestTab); }},
      {"DDT", "CodBarSalva", "S", [](frmDdtTest& f) { EXPECT_TRUE(f.mbCodBarSalva); }},
      {"Ddt", "DettOrdCol", "Qta,Articolo",
       [](frmDdtTest& f) { EXPECT_EQ(f.msDettOrdColTest, "Qta,Articolo"); }},
      {"Ddt", "DettOrdColTest", "-", [](frmDdtTest& f) { EXPECT_EQ(f.msDettOrdColTest, "-"); }},
      {"Ddt", "GestFoldIns", "3", [](frmDdtTest& f) { EXPECT_EQ(f.miPagIns, 3); }},
      {"Rintraccia", "QtaVer", "3", [](frmDdtTest& f) { EXPECT_EQ(f.miTracQtaVer, 3); }},
  };
  for (const auto& c : casi) {
    parPers_.clear();
    G().gsQtaDef.clear();
    ParPers(c.sezione, c.nome, c.valore);
    frmDdtTest f;
    f.LeggiImpostazioni();
    SCOPED_TRACE(std::string(c.sezione) + "." + c.nome + "=" + c.valore);
    c.verifica(f);
  }
}

TEST_F(Carica, TheTwoStepSettingsTakeTheFirstAnswerAsTheDefaultOfTheSecond) {
  ParPers("Livelli", "NuovoGest", "N");
  ParPers("DDT", "GestTab", "N");
  ParPers("CodBar", "CodBarSalva", "S");
  ParPers("DDT", "CodBarSalva", "N");
  frmDdtTest f;
  f.LeggiImpostazioni();
  EXPECT_FALSE(f.mbLivelliInsGest);
  EXPECT_FALSE(f.mbLivGestTab);
  EXPECT_FALSE(f.mbCodBarSalva);
}

TEST_F(Carica, TheTerminalListsSetTheProgramWideFlags) {
  ParPers("Ddt", "DisabTermPrz", "CASSA1;UFFICIO");
  ParPers("Ddt", "DisabTermVisPrz", "MAGAZZINO");
  servizi::ImpostaTerminaleMenu([] { return std::string("Cassa1"); });
  frmDdtTest f;
  f.LeggiImpostazioni();
  EXPECT_TRUE(G().gbDisabTermPrz);
  EXPECT_FALSE(G().gbDisabTermVisPrz);
  // A terminal whose name only contains a listed one is not listed.
  servizi::ImpostaTerminaleMenu([] { return std::string("CASSA"); });
  f.LeggiImpostazioni();
  EXPECT_FALSE(G().gbDisabTermPrz);
  AzzeraGlobali();
  EXPECT_EQ(G().gsQtaDef, "");
  EXPECT_FALSE(G().gbDisabTermPrz);
  EXPECT_FALSE(G().gbDisabTermVisPrz);
}

TEST_F(Carica, TheInsertOrderByFieldsOrByTabPositions) {
  frmDdtTest f;
  const int16_t tab30 = static_cast<int16_t>(f.txt(30).TabIndex());
  const int16_t tab90 = static_cast<int16_t>(f.txt(90).TabIndex());
  const int16_t tab40 = static_cast<int16_t>(f.txt(40).TabIndex());
  ASSERT_LT(tab30, tab40);
  ASSERT_LT(tab40, tab90);

  ParPers("Ddt", "GestOrdIns", "90,30,40");
  ParPers("Ddt", "GestOrdInsTab", std::to_string(tab30));
  f.LeggiImpostazioni();
  EXPECT_TRUE(f.mbOrdIns);
  EXPECT_EQ(f.miOrdInsCampi, (std::vector<int16_t>{90, 30, 40}));
  EXPECT_EQ(f.miOrdInsTab, (std::vector<int16_t>{tab90, tab30, tab40}));
  // Highest tab position first: 90, then 40, then 30.
  EXPECT_EQ(f.miOrdInsPrec, (std::vector<int16_t>{0, 2, 1}));

  parPers_.clear();
  ParPers("Ddt", "GestOrdInsTab", std::to_string(tab40) + "," + std::to_string(tab30));
  f.LeggiImpostazioni();
  EXPECT_TRUE(f.mbOrdIns);
  EXPECT_EQ(f.miOrdInsCampi, (std::vector<int16_t>{40, 30}));

  // A field number that no box has fails the load.
  parPers_.clear();
  ParPers("Ddt", "GestOrdIns", "30,9999");
  EXPECT_THROW(f.LeggiImpostazioni(), vb::Errore);
}

// ---------------------------------------------------------------- code lists

TEST_F(Carica, CausalListsCompareWholeItems) {
  EXPECT_TRUE(AziendaUtil::CodiceInElenco("7", "7,17,"));
  EXPECT_FALSE(AziendaUtil::CodiceInElenco("7", "17,27,"));
  EXPECT_TRUE(AziendaUtil::CodiceInElenco("ven", "CAR,VEN,"));
  EXPECT_FALSE(AziendaUtil::CodiceInElenco("", "CAR,VEN,"));
  EXPECT_FALSE(AziendaUtil::CodiceInElenco("VEN", ""));
}

}  // namespace

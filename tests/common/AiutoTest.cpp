#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/Globali.h"
#include "common/modHTMLHelp.h"
#include "platform/Aiuto.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using ui::Form;
using ui::HeadlessAttivo;
using vb::aiuto::Richiesta;
namespace utente = ui::utente;

namespace {

class Scheda : public Form {
 public:
  Scheda() : Form("frmScheda") {
    SetHelpContextID(500);
    auto& fra = Crea(ui::Tipo::Frame, "fraDati");
    fra.SetHelpContextID(31000);
    auto& pic = Crea(ui::Tipo::PictureBox, "picDentro");
    pic.SetContainer(&fra);
    auto& t1 = Crea(ui::Tipo::TextBox, "txt", 1);
    t1.SetContainer(&pic);
    t1.SetTabIndex(1);
    auto& t2 = Crea(ui::Tipo::TextBox, "txt", 2);
    t2.SetHelpContextID(42);
    t2.SetTabIndex(2);
    auto& t3 = Crea(ui::Tipo::TextBox, "txt", 3);
    t3.SetTabIndex(3);
  }
};

class Aiuto : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessAttivo().AzzeraScript();
    AzzeraGlobali();
    G().gdRisVidMsgCom = -1;
    richieste_.clear();
    prima_ = vb::aiuto::ImpostaVisualizzatore([this](const Richiesta& r) {
      richieste_.push_back(r);
      return viewer_;
    });
    dir_.Scrivi("Ddt.chm", "ITSF");
    f_.Show();
  }
  void TearDown() override {
    f_.Unload();
    vb::aiuto::ImpostaVisualizzatore(prima_);
    HeadlessAttivo().AzzeraScript();
    AzzeraGlobali();
  }

  // F1 with a shift state on the form; the text of a message it showed.
  bool F1(int shift = 0, long contesto = -1, int* codice = nullptr) {
    int k = ui::vbKeyF1;
    bool r = modHTMLHelp::GestTastoF1(k, shift, f_, contesto);
    if (codice) *codice = k;
    return r;
  }
  void RispondiMessaggio() {
    HeadlessAttivo().Rispondi([this](Form& m) {
      messaggio_ = m.C("LabMessaggio").Caption();
      utente::Clicca(m.C("ComEsegui", 0));
    });
  }

  prova::CartellaTemp dir_{"aiuto"};
  Scheda f_;
  std::vector<Richiesta> richieste_;
  bool viewer_ = true;
  std::string messaggio_;
  vb::aiuto::Visualizzatore prima_;
};

}  // namespace

TEST_F(Aiuto, F1OpensTheContentsAndTheTopicOfTheFocusedField) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  utente::Fuoco(f_.C("txt", 2));
  int codice = -1;
  EXPECT_TRUE(F1(0, -1, &codice));
  EXPECT_EQ(codice, 0);
  ASSERT_EQ(richieste_.size(), 2u);
  EXPECT_EQ(richieste_[0].comando, vb::aiuto::HH_DISPLAY_TOC);
  EXPECT_EQ(richieste_[0].file, dir_.Percorso("Ddt.chm"));
  EXPECT_EQ(richieste_[1].comando, vb::aiuto::HH_HELP_CONTEXT);
  EXPECT_EQ(richieste_[1].dati, 42);
}

TEST_F(Aiuto, FieldWithoutTopicTakesItsContainers) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  utente::Fuoco(f_.C("txt", 1));
  EXPECT_TRUE(F1());
  ASSERT_EQ(richieste_.size(), 2u);
  EXPECT_EQ(richieste_[1].dati, 31000);
}

TEST_F(Aiuto, FieldWithoutTopicAnywhereTakesTheForms) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  utente::Fuoco(f_.C("txt", 3));
  EXPECT_TRUE(F1());
  EXPECT_EQ(richieste_.at(1).dati, 500);
}

TEST_F(Aiuto, NoFocusedControlTakesTheForms) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  f_.SpostaFuoco(nullptr);
  EXPECT_TRUE(F1());
  EXPECT_EQ(richieste_.at(1).dati, 500);
}

TEST_F(Aiuto, ExplicitContextZeroIsPassedOn) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  utente::Fuoco(f_.C("txt", 2));
  EXPECT_TRUE(F1(0, 0));
  EXPECT_EQ(richieste_.at(1).dati, 0);
}

TEST_F(Aiuto, CtrlF1ContentsAltF1IndexBothLikePlainF1) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  utente::Fuoco(f_.C("txt", 2));
  EXPECT_TRUE(F1(ui::vbCtrlMask));
  ASSERT_EQ(richieste_.size(), 1u);
  EXPECT_EQ(richieste_[0].comando, vb::aiuto::HH_DISPLAY_TOC);
  richieste_.clear();
  EXPECT_TRUE(F1(ui::vbAltMask));
  ASSERT_EQ(richieste_.size(), 1u);
  EXPECT_EQ(richieste_[0].comando, vb::aiuto::HH_DISPLAY_INDEX);
  EXPECT_EQ(richieste_[0].parola, "");
  richieste_.clear();
  EXPECT_TRUE(F1(ui::vbCtrlMask | ui::vbAltMask));
  ASSERT_EQ(richieste_.size(), 2u);
  EXPECT_EQ(richieste_[1].comando, vb::aiuto::HH_HELP_CONTEXT);
  EXPECT_EQ(richieste_[1].dati, 42);
}

TEST_F(Aiuto, AnotherEndingStandsForItsChmTwin) {
  G().gsFileHelp = dir_.Percorso("Ddt.hlp");
  EXPECT_TRUE(F1());
  EXPECT_EQ(richieste_.at(0).file, dir_.Percorso("Ddt.chm"));
}

TEST_F(Aiuto, MissingFileTellsTheUserAndLetsTheKeyGoOn) {
  G().gsFileHelp = dir_.Percorso("Altro.hlp");
  RispondiMessaggio();
  int codice = -1;
  EXPECT_FALSE(F1(0, -1, &codice));
  EXPECT_EQ(codice, ui::vbKeyF1);
  EXPECT_TRUE(richieste_.empty());
  EXPECT_EQ(messaggio_, "Guida non disponibile: il file della guida \"" + dir_.Percorso("Altro.hlp") + "\" non esiste.");
}

TEST_F(Aiuto, NoHelpFileGivenTellsTheUser) {
  RispondiMessaggio();
  EXPECT_FALSE(F1());
  EXPECT_TRUE(richieste_.empty());
  EXPECT_EQ(messaggio_, "Guida non disponibile: il programma è stato avviato senza il file della guida.");
}

TEST_F(Aiuto, NoViewerTellsTheUser) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  viewer_ = false;
  RispondiMessaggio();
  EXPECT_TRUE(F1());
  EXPECT_NE(messaggio_.find("non è installato alcun programma per visualizzarla"), std::string::npos) << messaggio_;
}

TEST_F(Aiuto, OtherKeysAreNotHelp) {
  G().gsFileHelp = dir_.Percorso("Ddt.chm");
  int k = ui::vbKeyF2;
  EXPECT_FALSE(modHTMLHelp::GestTastoF1(k, 0, f_, -1));
  EXPECT_EQ(k, ui::vbKeyF2);
  EXPECT_TRUE(richieste_.empty());
}

TEST_F(Aiuto, CommandTexts) {
  modHTMLHelp::MostraContenuto("a.chm", "main", "x.htm");
  modHTMLHelp::MostraContenuto("a.chm", "", "x.htm");
  modHTMLHelp::MostraContesto("a.chm", 7, "main");
  modHTMLHelp::MostraIndice("a.chm", std::string(300, 'k'));
  ASSERT_EQ(richieste_.size(), 4u);
  EXPECT_EQ(richieste_[0].file, "a.chm>main::/x.htm");
  EXPECT_EQ(richieste_[1].file, "a.chm");
  EXPECT_EQ(richieste_[2].file, "a.chm>main");
  EXPECT_EQ(richieste_[3].parola.size(), 254u);
  EXPECT_EQ(vb::aiuto::FileDelComando("a.chm>main::/x.htm"), "a.chm");
}

// The desktop's viewer, with a stand-in for xdg-open that writes down how it
// was called.
TEST(AiutoDesktop, OneViewerWindowForContentsAndTopic) {
  prova::CartellaTemp dir("viewer");
  const std::string log = dir.Percorso("chiamate.txt");
  dir.Scrivi("xdg-open", "#!/bin/sh\necho \"$@\" >> '" + log + "'\n");
  ::chmod(dir.Percorso("xdg-open").c_str(), 0755);
  dir.Scrivi("Ddt.chm", "ITSF");
  const char* vecchio = std::getenv("PATH");
  const std::string path = vecchio ? vecchio : "";
  ::setenv("PATH", dir.Dir().c_str(), 1);
  auto prima = vb::aiuto::ImpostaVisualizzatore({});

  EXPECT_EQ(vb::aiuto::ProgrammaVisualizzatore(), dir.Percorso("xdg-open"));
  EXPECT_TRUE(vb::aiuto::HtmlHelp(dir.Percorso("Ddt.chm"), vb::aiuto::HH_DISPLAY_TOC));
  EXPECT_TRUE(vb::aiuto::HtmlHelp(dir.Percorso("Ddt.chm"), vb::aiuto::HH_HELP_CONTEXT, 31000));
  for (int i = 0; i < 100 && !dir.Esiste("chiamate.txt"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::this_thread::sleep_for(std::chrono::milliseconds(600));  // a late contents launch would show here
  EXPECT_EQ(dir.Leggi("chiamate.txt"), dir.Percorso("Ddt.chm") + "\n");

  ::setenv("PATH", dir.Percorso("vuota").c_str(), 1);
  EXPECT_EQ(vb::aiuto::ProgrammaVisualizzatore(), "");
  EXPECT_FALSE(vb::aiuto::HtmlHelp(dir.Percorso("Ddt.chm"), vb::aiuto::HH_DISPLAY_TOC));

  ::setenv("PATH", path.c_str(), 1);
  vb::aiuto::ImpostaVisualizzatore(prima);
}

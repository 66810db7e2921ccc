// The list print windows: the dialog "Stampa dati della lista" over a list
// window, the preview with its page arrows and page files, the progress
// window.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/Globali.h"
#include "platform/MsgBox.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "print/FrmComlinStampa.h"
#include "print/FrmVStampa.h"
#include "print/frmStampaInCorso.h"
#include "support/CartellaTemp.h"

namespace {

class StampaLista : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo().AzzeraScript();
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    prova::CreaListaProva(db_, conn_, righe_);
    vecchio_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return static_cast<int>(vb::vbOK);
    });
    f_ = std::make_unique<prova::FormListaProva>(db_, conn_);
    f_->Load();
    f_->ogLisPag.BarraBase(&barra_);
    f_->ogLisPag.OggStampa().ofrmComlinSTampa = &FrmComlinStampaGlob();
    f_->ogLisPag.OggStampa().ofrmStampaInCorso = &FrmStampaInCorsoGlob();
    f_->ogLisPag.Prepara();
    f_->ButtonComando("Ricerca");
    G().giStaAtt = 0;
  }
  void TearDown() override {
    G().giStaAtt = 0;
    if (FrmVStampaGlob().Caricata()) FrmVStampaGlob().Unload();
    if (FrmComlinStampaGlob().Caricata()) FrmComlinStampaGlob().Unload();
    f_.reset();
    vb::ImpostaGestoreMsgBox(vecchio_);
    ui::HeadlessAttivo().AzzeraScript();
  }
  FrmComlinStampa& Dialogo() {
    f_->ButtonComando("Stampa");
    return FrmComlinStampaGlob();
  }
  // The list to a text file with ";" between the fields.
  void AFile(FrmComlinStampa& d) {
    auto o = d.OpzSta();
    o->oiStaVid = stampa::StaFile;
    o->FileForm = stampa::FormTesto;
    o->SepCampi = ";";
    o->DelimStr = "";
    o->FileName = dir_.Percorso("lista.txt");
  }
  int Campi() {
    const std::string t = dir_.Leggi("lista.txt");
    const std::string prima = t.substr(0, t.find('\r'));
    return static_cast<int>(std::count(prima.begin(), prima.end(), ';')) + 1;
  }

  int righe_ = 200;
  prova::CartellaTemp dir_{"stampa"};
  dati::GestDatabase db_;
  std::string conn_;
  std::unique_ptr<prova::FormListaProva> f_;
  prova::BarraFinta barra_;
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox vecchio_;
};

TEST_F(StampaLista, AllColumnsOrOnlyTheVisibleOnesAndTheListObjectReleasedAfterThePrint) {
  FrmComlinStampa& d = Dialogo();
  ASSERT_TRUE(d.Visible());
  ui::Griglia& g = *f_->ogComlin.GrigliaLista();
  const int tutte = g.NumColonne();
  g.Colonna(1).Visible = false;
  AFile(d);
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_EQ(Campi(), tutte);
  EXPECT_EQ(d.ogComlin, nullptr);
  // pressed again after the print was handed over: nothing happens
  std::filesystem::remove(dir_.Percorso("lista.txt"));
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_FALSE(dir_.Esiste("lista.txt"));
  EXPECT_TRUE(messaggi_.empty());
  // shown again from the list, only the visible columns
  Dialogo();
  ui::utente::Clicca(d.OptTipsta(0));
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_EQ(Campi(), tutte - 1);
  EXPECT_EQ(G().giStaAtt, 0);
}

TEST_F(StampaLista, OnePrintAtATimeAndNoChoiceNoPrint) {
  FrmComlinStampa& d = Dialogo();
  AFile(d);
  G().giStaAtt = 1;
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Si può lanciare solo una stampa alla volta"});
  EXPECT_FALSE(dir_.Esiste("lista.txt"));
  G().giStaAtt = 0;
  messaggi_.clear();
  d.OptOrientamento(1).SetValue(0);
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Scegliere un' orientamento"});
  // a disabled frame is not asked for
  messaggi_.clear();
  d.C("fraOrientamento").SetEnabled(false);
  d.OptTipsta(1).SetValue(0);
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Scegliere un tipo di stampa"});
  d.C("FraTipSta").SetEnabled(false);
  messaggi_.clear();
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_TRUE(dir_.Esiste("lista.txt"));
  // a new loading starts from the defaults, the options object stays
  auto opz = d.OpzSta();
  d.Unload();
  d.Load();
  EXPECT_NE(d.OptOrientamento(1).Value(), 0);
  EXPECT_NE(d.OptTipsta(1).Value(), 0);
  EXPECT_EQ(d.OpzSta(), opz);
  // a cancelled font dialog keeps the font
  ui::utente::Clicca(d.C("CmdSceFont"));
  EXPECT_EQ(d.Font().Name, "Arial");
  EXPECT_EQ(d.Font().Size, 10);
}

TEST_F(StampaLista, PreviewGoesForwardAndBackThroughItsStoredPagesAndDeletesThemOnClosing) {
  FrmComlinStampa& d = Dialogo();
  d.OpzSta()->oiStaVid = stampa::StaVideo;
  d.OpzSta()->MemVid = 1;
  FrmVStampa& v = FrmVStampaGlob();
  std::vector<std::string> visti;
  int durante = -1;
  auto& h = ui::HeadlessAttivo();
  h.Rispondi([&](ui::Form& f) {
    ASSERT_EQ(&f, &v);
    visti.push_back(v.C("labPage").Caption());
    ui::utente::Clicca(v.C("imaMuovi", 3));  // next: the library draws page 2
  });
  h.Rispondi([&](ui::Form&) {
    visti.push_back(v.C("labPage").Caption());
    ui::utente::Clicca(v.C("imaMuovi", 2));  // previous: page 1 from its file
    visti.push_back(v.C("labPage").Caption() + " " + std::filesystem::path(v.C("PicSec").Picture()).extension().string());
  });
  h.Rispondi([&](ui::Form&) {
    ui::utente::Clicca(v.C("imaMuovi", 4));  // last produced: page 2 from its file
    visti.push_back(v.C("labPage").Caption() + " " + std::filesystem::path(v.C("PicSec").Picture()).extension().string());
    // the DDT list shows the list's print state as the program's
    durante = f_->oiStaAtt();
    G().giStaAtt = static_cast<int16_t>(durante);
    ui::utente::Clicca(v.C("ComEsci"));
    G().giStaAtt = 0;  // leaves: the window stays while the print runs
  });
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_TRUE(h.ScriptFinito());
  EXPECT_EQ(visti, (std::vector<std::string>{"Pag.001", "Pag.002", "Pag.001 .001", "Pag.002 .002"}));
  EXPECT_EQ(durante, 1);
  EXPECT_EQ(f_->oiStaAtt(), 0);
  ASSERT_TRUE(v.Caricata());
  const std::string pre = v.FilePagine();
  EXPECT_TRUE(std::filesystem::exists(pre + ".001"));
  EXPECT_TRUE(std::filesystem::exists(pre + ".002"));
  // closing while a print runs is refused
  G().giStaAtt = 1;
  EXPECT_FALSE(v.Unload());
  EXPECT_EQ(messaggi_.back(), "Non si puo' uscire\r\nStampa ancora attiva");
  G().giStaAtt = 0;
  EXPECT_TRUE(v.Unload());
  EXPECT_FALSE(std::filesystem::exists(pre + ".001"));
  EXPECT_FALSE(std::filesystem::exists(pre + ".002"));
}

TEST_F(StampaLista, LandscapeGivesAWidePreviewPage) {
  FrmComlinStampa& d = Dialogo();
  d.OpzSta()->oiStaVid = stampa::StaVideo;
  ui::utente::Clicca(d.OptOrientamento(0));
  FrmVStampa& v = FrmVStampaGlob();
  ui::HeadlessAttivo().Rispondi([&](ui::Form&) { ui::utente::Clicca(v.C("ComEsci")); });
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_GT(v.C("PicSec").Width(), v.C("PicSec").Height());
}

TEST_F(StampaLista, InterruptBeforeThePrintDoesNothing) {
  frmStampaInCorso& p = FrmStampaInCorsoGlob();
  p.Load();
  p.ogStampa = nullptr;
  ui::utente::Clicca(p.C("ComSTampa"));
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_FALSE(p.ChiediEmailLogPwd());
  p.Unload();
}

}  // namespace

// The end check and the shutdown.
#include "startup/Banco.h"

using prova::Banco;

namespace {

class Chiusura : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    Avvia();
    ASSERT_TRUE(testata_.Visible());
  }
};

class Aiuto : public ui::Form {
 public:
  Aiuto() : ui::Form("frmAiutoProva") { SetCaption("Aiuto"); }
};

}  // namespace

TEST_F(Chiusura, TheEndCheckWaitsForTheOtherForms) {
  ui::Form righe("frmDDTDett");
  righe.Show(0);
  righe.Unload();
  mainDdt::ChiudiProgramma(0);  // as the lines' unload handler does
  for (int i = 0; i < 5; ++i) Orologio(100);
  EXPECT_FALSE(Chiuso());
  EXPECT_TRUE(testata_.Caricata());
  EXPECT_EQ(G().gfrmPrincipale->timChiudi().Interval(), 100);
  EXPECT_TRUE(G().gfrmPrincipale->timChiudi().Enabled());
  testata_.Unload();
  Orologio(100);
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(Chiusura, AnImmediateCheckWithAnotherFormOpenDoesNothing) {
  mainDdt::ChiudiProgramma(-1);
  EXPECT_TRUE(testata_.Caricata());
  EXPECT_FALSE(G().gfrmPrincipale->timChiudi().Enabled());
}

TEST_F(Chiusura, AFailedStartClosesAtTheFirstTickWithoutAsking) {
  mainDdt::ChiudiSubito();
  EXPECT_TRUE(testata_.Caricata());
  Orologio(1);
  EXPECT_TRUE(Chiuso());
}

TEST_F(Chiusura, ALookUpWindowLeftOpenIsClosedAfterTheOthers) {
  Aiuto aiuto;
  aiuto.Load();
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_FALSE(aiuto.Caricata());
  EXPECT_TRUE(Chiuso());
}

TEST_F(Chiusura, TheNoticeIsShownWhileClosingAndTheMainFormGoesLast) {
  std::vector<std::string> ordine;
  struct Spia : ui::Form {
    Spia(std::vector<std::string>& o, const char* n) : ui::Form(n), ordine(o) {}
    std::vector<std::string>& ordine;
    void Form_Unload(int&) override {
      ordine.push_back(Name() + (FrmPrincipale().Visible() ? "+avviso" : ""));
    }
  } prima(ordine, "frmPrima"), dopo(ordine, "frmDopo");
  prima.Load();
  dopo.Load();
  EXPECT_EQ(Testo(Comanda("fine")), "");
  ASSERT_GE(ordine.size(), 2u);
  EXPECT_EQ(ordine[0], "frmDopo+avviso");
  EXPECT_EQ(ordine[1], "frmPrima+avviso");
  EXPECT_FALSE(FrmPrincipale().Caricata());
}

// The header form the program registers for the menu: opened by the
// start-up, announced, and closed by the menu or by the user.
#include "startup/Banco.h"

#include "ddt/header/frmDdtTest.h"

using prova::Banco;

namespace {

class FormProgramma : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    // The company parameters the header's load reads, as start.sh gives them.
    altriParametri_ =
        "Fat.DocDdt=DDT\nFat.ElePrefDdt=AB\nFat.PrefDdt=\nFat.AspettoBene=01\nFat.CauTrasporto=01\n"
        "Fat.Trasporto=01\nFat.DescLibTest1=Commessa\nFat.DescLibTest2=Reparto\nDitta.InstDiBa=N\n"
        "Mag.ListinoPrincipale=02\n";
    avvio::RegistraFormProgramma();
    Avvia(false);
  }
};

}  // namespace

TEST_F(FormProgramma, TheStartUpOpensTheHeaderAndTheMenuClosesIt) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_TRUE(f.Caricata());
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(f.oiLoadOk(), 1);
  EXPECT_EQ(f.osKeySec(), finestra_);
  EXPECT_EQ(f.Caption(), "Gestione Ddt - Ditta dimostrativa");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
  EXPECT_EQ(Testo(Comanda("preppassaa")), "");
  EXPECT_TRUE(Attendi([&] { return Evento("PassaA Gestione DDT|frmDdtTest|" + finestra_); })) << Eventi();
  EXPECT_EQ(Testo(Comanda("fine")), "");
  EXPECT_FALSE(f.Caricata());
  Orologio(100);
  EXPECT_TRUE(Chiuso());
  EXPECT_TRUE(Attendi([&] { return Evento("Disconnetti " + finestra_); })) << Eventi();
}

TEST_F(FormProgramma, TheCloseBoxGoesBackToTheMenuAndEndsTheProgram) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_TRUE(f.Caricata());
  f.Unload(ui::vbFormControlMenu);
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(Attendi([&] { return Evento("ChiusoForm " + finestra_); })) << Eventi();
  for (int i = 0; i < 5 && !Chiuso(); ++i) Orologio(100);
  EXPECT_TRUE(Chiuso());
}

TEST_F(FormProgramma, TheLoadTakesTheCompanyParametersOfTheMenu) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_EQ(f.oiLoadOk(), 1);
  EXPECT_EQ(f.txt(50).ToolTipText(), "Prefissi: AB");
  EXPECT_EQ(f.label1(1660).Caption(), "Commessa:");
  EXPECT_TRUE(f.txt(1670).Visible());
  EXPECT_FALSE(f.txt(1680).Visible());
  EXPECT_EQ(f.msListinoPrinc, "02");
  EXPECT_EQ(f.msListinoPrincIvato, "S");
  // A new DDT starts with the company's document type and transport data.
  f.ogComPag().EseguiTasto("Nuovo");
  EXPECT_EQ(f.txt(40).Text(), "DDT");
  EXPECT_EQ(f.txt(1090).Text(), "01");
  EXPECT_EQ(f.txt(1060).Text(), "01");
  EXPECT_EQ(f.txt(1150).Text(), "01");
}

TEST_F(FormProgramma, ChiudiOnTheToolbarGoesBackToTheMenuAndEndsTheProgram) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_TRUE(f.Caricata());
  ui::utente::BottoneBarra(f.C("tolComPag"), "Chiudi");
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(Attendi([&] { return Evento("ChiusoForm " + finestra_); })) << Eventi();
  for (int i = 0; i < 5 && !Chiuso(); ++i) Orologio(100);
  EXPECT_TRUE(Chiuso());
}

namespace {

// A personal setting the load cannot convert: the load fails.
class FormProgrammaFallita : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    altroIni_ = "[Personali]\nTutti.RidPercAgenti=tre\n";
    avvio::RegistraFormProgramma();
    Avvia(false);
  }
};

}  // namespace

TEST_F(FormProgrammaFallita, AFailedLoadIsShownByTheMenuAndTheProgramEndsWithoutIt) {
  EXPECT_TRUE(Attendi([&] { return Evento("MsgBox Gestione Ddt\r\nErrore(13): Tipo non corrispondente"); }))
      << Eventi();
  EXPECT_FALSE(FrmDdtTest().Caricata());
  for (int i = 0; i < 5 && !Chiuso(); ++i) Orologio(100);
  EXPECT_TRUE(Chiuso());
  EXPECT_FALSE(Evento("MostraMenu")) << Eventi();
}

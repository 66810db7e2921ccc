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

// The expenses of a demo DDT from the program as the menu starts it: the
// header opened by the start-up on the demo company, DDT 3 found, "Spese"
// on its toolbar opens its rows, a row typed and stored, and closing the
// window recomputes and stores the header's footer and gives the lock back.
#include "startup/Banco.h"

#include "ddt/header/frmDdtTest.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

using prova::Banco;

namespace {

namespace utente = ui::utente;

class SpeseDdt : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    altriParametri_ =
        "Fat.DocDdt=DDT\nFat.ElePrefDdt=AB\nFat.PrefDdt=\nFat.AspettoBene=01\nFat.CauTrasporto=01\n"
        "Fat.Trasporto=01\nDitta.InstDiBa=N\nMag.ListinoPrincipale=02\n";
    avvio::RegistraFormProgramma();
    Avvia(false);
  }

  std::string Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    const std::string v = rs.NessunRecord(k) ? std::string() : rs.LeggiCampo(k, "V").ToString();
    rs.ChiudiRecordset(k);
    return v;
  }
};

TEST_F(SpeseDdt, SpeseOpensTheRowsOfTheDdtAndClosingStoresTheFooter) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_TRUE(f.Caricata());
  f.txt(20).SetText("2026");
  f.txt(10).SetText("3");
  utente::BottoneBarra(f.C("tolComPag"), "Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << vb::Join(messaggi_, " / ");
  const std::string totPrima = Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = 3");

  utente::BottoneBarra(f.C("tolComPag"), "Spese");
  frmSpeseDoc& s = FrmSpeseDoc();
  ASSERT_TRUE(s.Caricata()) << vb::Join(messaggi_, " / ");
  ASSERT_EQ(s.oiLoadOk(), 1) << vb::Join(messaggi_, " / ");
  EXPECT_TRUE(s.Visible());
  EXPECT_FALSE(f.Enabled());
  EXPECT_EQ(s.C("txtRiga").Text(), "1 / 1");
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "1");

  utente::BottoneBarra(s.C("tolComlin"), "Nuovo");
  ASSERT_TRUE(s.dbgRiga().ScriviCella(s.Colonna("Spesa"), vb::Variant("INC"))) << vb::Join(messaggi_, " / ");
  utente::BottoneBarra(s.C("tolComlin"), "Salva");
  EXPECT_EQ(Valore("Select Count(*) As V From DdtSpese Where Anno = 2026 And NumRif = 3"), "2");
  Orologio(10);

  utente::BottoneBarra(s.C("tolComlin"), "Chiudi");
  Orologio(100);
  EXPECT_FALSE(s.Caricata());
  EXPECT_TRUE(f.Enabled());
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
  const double prima = vb::Variant(totPrima).ToDouble();
  EXPECT_NEAR(vb::Variant(Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = 3")).ToDouble(),
              prima + 2.5, 0.001);
}

}  // namespace

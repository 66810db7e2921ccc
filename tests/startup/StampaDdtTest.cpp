// A DDT printed from the program as the menu starts it: the header opened
// by the start-up on the demo company, a demo DDT shown, changed and
// printed; the menu server queues nothing itself, it starts the print
// program with the values the program handed it.
#include "startup/Banco.h"

#include "ddt/header/frmDdtTest.h"
#include "platform/dati/GestRecordset.h"

using prova::Banco;

namespace {

class StampaDdt : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    altriParametri_ =
        "Fat.DocDdt=DDT\nFat.ElePrefDdt=AB\nFat.PrefDdt=\nFat.AspettoBene=01\nFat.CauTrasporto=01\n"
        "Fat.Trasporto=01\nFat.DescLibTest1=Commessa\nFat.DescLibTest2=Reparto\nDitta.InstDiBa=N\n"
        "Mag.ListinoPrincipale=02\n";
    stampa_ = "Comando=cp %V '" + dir_.Percorso("valori.txt") + "'\n";
    avvio::RegistraFormProgramma();
    Avvia(false);
  }

  std::string Valore(const std::string& sql, const std::string& campo) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    const std::string v = rs.NessunRecord(k) ? std::string("<nessuna riga>") : rs.LeggiCampo(k, campo).ToString();
    rs.ChiudiRecordset(k);
    return v;
  }
};

}  // namespace

TEST_F(StampaDdt, ADemoDdtIsSavedQueuedAndHandedToThePrintProgram) {
  frmDdtTest& f = FrmDdtTest();
  ASSERT_TRUE(f.Caricata());
  f.txt(20).SetText("2026");
  f.txt(10).SetText("3");
  f.ButtonComando("Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << vb::Join(messaggi_, " / ");
  f.txt(90).SetText("ORD-2026-9");
  f.ButtonComando("Stampa");
  EXPECT_TRUE(messaggi_.empty()) << vb::Join(messaggi_, " / ");
  // Saved first, then queued for this user and this program.
  EXPECT_EQ(Valore("Select RifCli from DdtTest Where Anno = 2026 AND NumRif = 3", "RifCli"), "ORD-2026-9");
  EXPECT_EQ(Valore("Select Count(*) as N from DocDaElab Where Utente = 'mario' AND Programma = 'DDT" + finestra_ +
                       "' AND Anno = 2026 AND NumReg = 3 AND Comando = 'S'",
                   "N"),
            "1");
  EXPECT_TRUE(Evento("LanciaProgramma Tutti SelezioneDaFile")) << Eventi();
  EXPECT_TRUE(Evento("Stampa StaDDT sDdt StaDdtProgramma=DDT" + finestra_ + "|StaDdtTipoStampa=1")) << Eventi();
  EXPECT_TRUE(Evento("Partito 0")) << Eventi();
  EXPECT_EQ(dir_.Leggi("valori.txt"), "StaDdtProgramma=DDT" + finestra_ + "\nStaDdtTipoStampa=1\n");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(Testo(Comanda("fine")), "");
}

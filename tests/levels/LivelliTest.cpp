// The level rows of a line on the demo DDT: the line's hand-over to the
// list editor and back, the editor's rows, keys, totals, creation and
// clean-up, its pricing, and failures inside its transactions.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "levels/frmGestLivelli.h"
#include "levels/LivelliProva.h"

namespace prova {
namespace {
using namespace dati::demo;

class Livelli : public LivelliProva {};

// ---------------------------------------------------------------- line side

TEST_F(Livelli, TheLineTakesTheRowsTotalsAndDerivesItsUnitPrice) {
  struct Caso {
    const char* sconto;
    double prezzo;
  } casi[] = {{"", 2.50}, {"20", 3.125}};
  for (const auto& c : casi) {
    frmDDTDett& d = Linea();
    ScontiLivelli s;
    s.osDetScontoTot = c.sconto;
    s.osDetScontoArt = c.sconto;
    d.AggQtaPrzLivelli(12, 30, s);
    EXPECT_EQ(Num(d.txt(30).Text()), 12) << c.sconto;
    EXPECT_EQ(Num(d.txt(70).Text()), 30) << c.sconto;
    const double atteso = vb::FunzioniComuni::Istanza().Arrotonda(c.prezzo, "A", 1, -d.oiNumDecMonGes);
    EXPECT_DOUBLE_EQ(Num(d.txt(60).Text()), atteso) << c.sconto;
    EXPECT_EQ(d.txt(80).Text(), c.sconto);
    // The line was saved with them.
    EXPECT_EQ(Num(Valore("Select Qta from DdtDettApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1", "Qta")), 12);
    frmDDTDett::Rilascia();
  }
}

TEST_F(Livelli, BothCodesTypedGiveTheDefaultQuantity) {
  struct Caso {
    const char* qtaDef;
    const char* attesa;
  } casi[] = {{"", "1"}, {"2", "2"}};
  frmDDTDett& d = Linea();
  for (const auto& c : casi) {
    G().gsQtaDef = c.qtaDef;
    d.txt(21).SetText(kTagliaM);
    d.txt(22).SetText(kColoreNero);
    d.txt(30).SetText("");
    d.LivQtaDef();
    EXPECT_EQ(d.txt(30).Text(), c.attesa);
  }
  // One code only: nothing.
  d.txt(22).SetText("");
  d.txt(30).SetText("");
  d.LivQtaDef();
  EXPECT_EQ(d.txt(30).Text(), "");
}

TEST_F(Livelli, RefusalsOpenNothing) {
  frmDDTDett& d = Linea();
  G().gsGesTaglie = "N";
  EXPECT_FALSE(d.GestLivelli(true));
  EXPECT_EQ(messaggi_.back(), "Articolo senza gestione livelli");
  G().gsGesTaglie = "S";
  d.txt(40).SetText("7");
  EXPECT_FALSE(d.GestLivelli(true));
  EXPECT_EQ(messaggi_.back(), "Salvare i dati prima di andare nella gestione livelli");
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_TRUE(d.Enabled());
  // Without messages the refusal is silent.
  const size_t n = messaggi_.size();
  EXPECT_FALSE(d.GestLivelli(false));
  EXPECT_EQ(messaggi_.size(), n);
}

TEST_F(Livelli, ACreationRequestWithTheMatrixChosenOpensTheMatrix) {
  frmDDTDett& d = Linea();
  d.obLivGestTab = true;
  d.oiLivelliCrea = 1;
  EXPECT_TRUE(d.GestLivelli(true));
  ASSERT_TRUE(d.mfrmMatrice);
  EXPECT_FALSE(d.mfrmDeLiv);
  EXPECT_EQ(d.oiInDeLiv, 2);
  EXPECT_FALSE(d.Enabled());
  // Left read-only, it closes without a question and gives the line back.
  d.mfrmMatrice->miAbilRw = 0;
  d.mfrmMatrice->Unload();
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_TRUE(d.Enabled());
}

TEST_F(Livelli, SalDatiLivWritesTheOneRowFromThePanel) {
  frmDDTDett& d = Linea();
  Sql("Delete From DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1");
  d.txt(21).SetText(kTagliaXL);
  d.txt(22).SetText(kColoreNero);
  d.txt(30).SetText("5");
  EXPECT_TRUE(d.SalDatiLiv());
  EXPECT_EQ(RigheLivelli(1), "XL/NER:5");
  EXPECT_EQ(d.msLivello1Salvato, kTagliaXL);
  // Written again over the same row.
  d.txt(21).SetText(kTagliaL);
  d.txt(30).SetText("4");
  EXPECT_TRUE(d.SalDatiLiv());
  EXPECT_EQ(RigheLivelli(1), "L/NER:4");
  // Shown again by the panel.
  d.txt(21).SetText("");
  d.txt(22).SetText("");
  d.oiPosPicLiv = 4;
  EXPECT_TRUE(d.LivelloUnico());
  EXPECT_EQ(d.txt(21).Text(), kTagliaL);
  EXPECT_EQ(d.txt(22).Text(), kColoreNero);
  EXPECT_EQ(d.lab(22).Caption(), "Nero");
}

// ---------------------------------------------------------------- the editor

TEST_F(Livelli, TheEditorListsTheLinesRowsWithTheirTotals) {
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  EXPECT_EQ(d.oiInDeLiv, 1);
  EXPECT_EQ(d.LeggiPerNome("oiInDeLiv").ToInt(), 1);
  EXPECT_FALSE(d.Enabled());
  EXPECT_EQ(f.Caption().find("Dettagli Livelli del DDT"), 0u);
  EXPECT_EQ(f.ogLinPag().OggDati().NumRecord(f.ogLinPag().ChiaveDati()), 2);
  EXPECT_EQ(Num(f.lab(270).Caption()), 3);
  EXPECT_EQ(Num(f.lab(280).Caption()), 55.50);
  // Ordered by the levels: M/ROSSO before S/BLU.
  EXPECT_EQ(f.txt(30).Text(), kTagliaM);
  EXPECT_EQ(f.lab(30).Caption(), "Medium");
  EXPECT_EQ(f.txt(10).Text(), "1");
  EXPECT_EQ(f.txt(20).Text(), kArticoloTaglie);
  EXPECT_FALSE(f.label1(28).Visible());
  // Closing without changes leaves the line as it was.
  const std::string qta = d.txt(30).Text();
  f.Unload();
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.txt(30).Text(), qta);
}

TEST_F(Livelli, ARowTypedAndSavedReachesTheLineOnClosing) {
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  ASSERT_EQ(f.ButtonComando("Nuovo"), "");
  // The command's deferred step gives the fields their exits back.
  Tick(f);
  Scrivi(f, 30, kTagliaL);
  Scrivi(f, 40, kColoreNero);
  EXPECT_EQ(f.lab(40).Caption(), "Nero");
  // MAGLIA01 has one price for every pair: the other rows' 18.50.
  EXPECT_EQ(Num(f.txt(60).Text()), 18.50);
  Scrivi(f, 50, "4");
  EXPECT_EQ(Num(f.txt(70).Text()), 74);
  ASSERT_EQ(f.ButtonComando("Salva"), "");
  EXPECT_EQ(Num(f.lab(270).Caption()), 7);
  EXPECT_EQ(Num(f.lab(280).Caption()), 129.50);
  EXPECT_EQ(Righe1(), "L/NER:4 M/ROS:1 S/BLU:2");
  Tick(f);
  // The save of a new row starts the next one.
  EXPECT_EQ(f.ogLinPag().Stato(), 2);
  f.Unload();
  EXPECT_FALSE(d.mfrmDeLiv);
  EXPECT_EQ(Num(d.txt(30).Text()), 7);
  EXPECT_EQ(Num(d.txt(70).Text()), 129.50);
  EXPECT_EQ(Num(Valore("Select ValTotale from DdtDettApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1", "ValTotale")),
            129.50);
}

TEST_F(Livelli, F10SavesAndEscDropsAnEmptyNewRow) {
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  // On the stored M/ROSSO row: quantity 3, F10.
  Scrivi(f, 50, "3");
  int k = 121;
  f.Form_KeyDown(k, 0);
  EXPECT_EQ(k, 0);
  EXPECT_EQ(Righe1(), "M/ROS:3 S/BLU:2");
  Tick(f);
  EXPECT_EQ(f.ogLinPag().Stato(), 2);
  // Esc on the new row with no level: dropped without a question.
  f.txt(50).SetText("9");
  const size_t n = messaggi_.size();
  int esc = 27;
  f.Form_KeyDown(esc, 0);
  EXPECT_EQ(f.ogLinPag().Stato(), 1);
  EXPECT_EQ(messaggi_.size(), n);
  f.Unload();
  EXPECT_EQ(Num(d.txt(30).Text()), 5);
}

TEST_F(Livelli, RowsWithoutQuantityGoAndTheLineIsTheirSum) {
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  // M/ROSSO to quantity 0 and price 0 with an amount: counted, then deleted.
  f.txt(50).SetText("0");
  f.txt(60).SetText("0");
  f.txt(70).SetText("10");
  ASSERT_EQ(f.ButtonComando("Salva"), "");
  Tick(f);
  f.Unload();
  EXPECT_EQ(Righe1(), "S/BLU:2");
  // The line is the sum of the rows that stay (the price 0 went to every
  // row: MAGLIA01 has one price for all pairs).
  EXPECT_EQ(Num(d.txt(30).Text()), 2);
  EXPECT_EQ(Num(d.txt(70).Text()),
            Num(Valore("Select Sum(ValTotale) as t from DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1", "t")));
}

TEST_F(Livelli, EmptyRowsKeepTheEditorOpenButNoRowsAtAllClose) {
  frmDDTDett& d = Linea();
  {
    frmDDtDeLiv& f = Editor(d);
    f.txt(50).SetText("0");
    f.txt(60).SetText("0");
    f.txt(70).SetText("0");
    ASSERT_EQ(f.ButtonComando("Salva"), "");
    Tick(f);
    f.ogLinPag().EseguiTasto("Successiva");
    f.txt(50).SetText("0");
    f.txt(60).SetText("0");
    f.txt(70).SetText("0");
    ASSERT_EQ(f.ButtonComando("Salva"), "");
    Tick(f);
    // Both rows without quantity nor amount.
    Sql("Update DdtLivApp Set ValTotale = 0 Where Anno = 2026 And NumRif = 4 And RigLiv = 1");
    EXPECT_FALSE(f.Unload());
    EXPECT_EQ(messaggi_.back(), "Nessuna riga contiene Quantità o Importo diverso da 0");
    EXPECT_TRUE(f.Caricata());
    // Every row deleted: the editor closes and the line is 0.
    risposte_.push_back(1);
    risposteBox_.push_back(vb::vbYes);
    Sql("Delete From DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1");
    f.ogLinPag().Riposiziona();
    EXPECT_TRUE(f.Unload());
  }
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_EQ(Num(d.txt(30).Text()), 0);
  EXPECT_EQ(Num(d.txt(70).Text()), 0);
}

// ---------------------------------------------------------------- creation

class Creazione : public Livelli {
 protected:
  void SetUp() override {
    Livelli::SetUp();
    Sql("Insert Into LivGruppi (LivGruppo, Descrizione) Values ('G3', 'Tre')");
    Sql("Insert Into LivGruppi (LivGruppo, Descrizione) Values ('G4', 'Quattro')");
    for (const char* l : {"A", "B", "C"}) Sql(std::string("Insert Into LivComp (LivGruppo, Livello) Values ('G3', '") + l + "')");
    for (const char* l : {"W", "X", "Y", "Z"})
      Sql(std::string("Insert Into LivComp (LivGruppo, Livello) Values ('G4', '") + l + "')");
  }
  // The line opened, then its level rows replaced by `esistenti`.
  frmDDTDett& LineaCon(const std::vector<std::pair<const char*, const char*>>& esistenti, const char* qta = "1") {
    frmDDTDett& d = Linea();
    Sql("Delete From DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1");
    for (const auto& [l1, l2] : esistenti)
      Sql(std::string("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 4, 1, '") +
          l1 + "', '" + l2 + "', " + qta + ")");
    return d;
  }
  frmDDtDeLiv& Crea(frmDDTDett& d) {
    d.osLivGruppo1 = "G3";
    d.osLivGruppo2 = "G4";
    d.oiLivelliCrea = 1;
    d.obLivGestTab = false;
    return Editor(d);
  }
};

TEST_F(Creazione, EveryMissingPairIsCreatedOnce) {
  struct Caso {
    std::vector<std::pair<const char*, const char*>> esistenti;
    int righe;
  } casi[] = {{{}, 12}, {{{"A", "W"}, {"A", "X"}, {"b", "y"}, {"C", "Z"}, {"C", "W"}}, 12}};
  for (const auto& c : casi) {
    frmDDTDett& d = LineaCon(c.esistenti);
    frmDDtDeLiv& f = Crea(d);
    EXPECT_EQ(Conta(""), c.righe);
    EXPECT_EQ(Conta(" And Qta Is Null"), 12 - static_cast<int>(c.esistenti.size()));
    EXPECT_FALSE(f.mbInCreazione);
    EXPECT_EQ(Num(f.lab(270).Caption()), static_cast<double>(c.esistenti.size()));
    f.Unload();
    frmDDTDett::Rilascia();
  }
}

TEST_F(Creazione, AFailureInsideLeavesTheRowsAsBefore) {
  frmDDTDett& d = LineaCon({{"A", "W"}}, "2");
  db_->Motore(conn_).Esegui("CREATE TRIGGER NoC BEFORE INSERT ON DdtLivApp WHEN NEW.Livello1 = 'C' BEGIN SELECT RAISE(ABORT, 'guasto'); END");
  frmDDtDeLiv& f = Crea(d);
  EXPECT_EQ(Conta(""), 1);
  EXPECT_FALSE(f.mbInCreazione);
  // Grid and totals show the one row again.
  EXPECT_EQ(f.ogLinPag().OggDati().NumRecord(f.ogLinPag().ChiaveDati()), 1);
  EXPECT_EQ(Num(f.lab(270).Caption()), 2);
}

TEST_F(Creazione, LevelCodesMatchWhateverTheirCase) {
  frmDDTDett& d = Linea();
  Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 4, 1, 's', 'ç§''x', 1)");
  frmDDtDeLiv& f = Editor(d);
  struct Caso {
    const char* l1;
    const char* l2;
    bool manca;
  } casi[] = {{"s", "ç§'x", false}, {"S", "ç§'x", false}, {"S", "", false}, {"s", "ç§x", true}, {"m", "ç§'x", true}};
  for (const auto& c : casi) EXPECT_EQ(f.MancaLivello(c.l1, c.l2), c.manca) << c.l1 << "/" << c.l2;
}

// ---------------------------------------------------------------- pricing

TEST_F(Livelli, DiscountChainsAndAmounts) {
  G().giNumDecQta = 3;
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  struct Caso {
    const char* catena;
    double perc;
    bool valida;
  } casi[] = {{"10+5", 14.5, true}, {"10+-5", 0, false}, {"", 0, true}};
  for (const auto& c : casi) {
    f.txt(80).SetText(c.catena);
    f.MostraScontoTot(false);
    EXPECT_DOUBLE_EQ(Num(f.lab(80).Caption()), c.perc) << c.catena;
    EXPECT_EQ(f.txt(80).BackColor() == G().glColoreErrore, !c.valida) << c.catena;
    if (!c.valida) {
      EXPECT_EQ(f.TestoPannello(), "Sconto non valido");
    }
  }
  // Quantity 0, amount 100 at a net unit price of 8: quantity 12.5.
  f.txt(80).SetText("");
  f.MostraScontoTot(false);
  f.txt(50).SetText("");
  f.txt(60).SetText("8");
  f.txt(70).SetText("100");
  f.CalcPrezzo(0);
  EXPECT_DOUBLE_EQ(Num(f.txt(50).Text()), 12.5);
  f.txt(50).SetText("");
  f.CalcPrezzo(2);
  EXPECT_DOUBLE_EQ(Num(f.txt(50).Text()), 12.5);
  // With a quantity the amount follows the unit price.
  f.txt(50).SetText("3");
  f.CalcPrezzo(1);
  EXPECT_DOUBLE_EQ(Num(f.txt(70).Text()), 24);
}

TEST_F(Livelli, AFailedCarryOverLeavesTheOtherRowsAsBefore) {
  frmDDTDett& d = Linea();
  db_->Motore(conn_).Esegui("CREATE TRIGGER NoPrezzo BEFORE UPDATE ON DdtLivApp WHEN NEW.ValUnitario = 20 AND OLD.Livello1 = 'S' "
      "BEGIN SELECT RAISE(ABORT, 'guasto'); END");
  frmDDtDeLiv& f = Editor(d);
  // M/ROSSO at 20: its save goes, the carry-over to S/BLU fails.
  Scrivi(f, 60, "20");
  ASSERT_EQ(f.ButtonComando("Salva"), "");
  EXPECT_EQ(f.miPassoTimer, 2);
  Tick(f);
  EXPECT_TRUE(f.mbAggPrezziFinito);
  EXPECT_EQ(Num(Valore("Select ValUnitario from DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1 And Livello1 = 'S'",
                       "ValUnitario")),
            18.50);
  EXPECT_EQ(Num(f.lab(280).Caption()), 57);
  // Without the fault the price reaches every row of the line.
  db_->Motore(conn_).Esegui("DROP TRIGGER NoPrezzo");
  f.mbScontoCambiato = false;
  f.mdPrezzoAgg = 20;
  f.AggPrezziAltri();
  EXPECT_EQ(Num(Valore("Select ValUnitario from DdtLivApp Where Anno = 2026 And NumRif = 4 And RigLiv = 1 And Livello1 = 'S'",
                       "ValUnitario")),
            20);
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {
using namespace dati::demo;

TEST_F(Livelli, ANewLineSavedWithBothCodesStoresOneLevelRowAndShowsItAgain) {
  frmDDTDett& d = Linea();
  d.oiPosPicLiv = 4;
  auto& p = d.ogLinPag();
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  // Typed as the user types: the focus moves from field to field.
  auto scrivi = [&](int n, const std::string& t) {
    d.txt(n).SetFocus();
    d.txt(n).SetText(t);
  };
  scrivi(20, kArticoloTaglie);
  d.txt(26).SetFocus();
  ASSERT_TRUE(d.C("picLivelli").Visible());
  scrivi(21, kTagliaXL);
  scrivi(22, kColoreRosso);
  d.txt(30).SetFocus();
  EXPECT_EQ(d.txt(30).Text(), "1");
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "") << (messaggi_.empty() ? "" : messaggi_.back());
  // One level row, under the new line's key.
  const std::string rigLiv = Valore(
      "Select RigLiv from DdtDettApp Where Anno = 2026 And NumRif = 4 And RigLiv <> 1 And Articolo = 'MAGLIA01'", "RigLiv");
  ASSERT_NE(rigLiv, "<nessuna riga>");
  EXPECT_EQ(RigheLivelli(std::stol(rigLiv)), "XL/ROS:1");
  // Away and back: the panel shows the row's codes.
  if (p.Stato() == 2) {
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
    p.EseguiTasto("Annulla");
  }
  p.EseguiTasto("Inizio");
  for (int i = 0; i < 9 && d.lab(15).Caption() != rigLiv; ++i) p.EseguiTasto("Successiva");
  ASSERT_EQ(d.lab(15).Caption(), rigLiv);
  EXPECT_TRUE(d.C("picLivelli").Visible());
  EXPECT_EQ(d.txt(21).Text(), kTagliaXL);
  EXPECT_EQ(d.txt(22).Text(), kColoreRosso);
  EXPECT_EQ(d.lab(22).Caption(), "Rosso");
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

// The same matches on the database server: codes with "ç", "§" and a quote,
// and codes differing only in case, find the stored row.
TEST_F(Livelli, LevelCodesMatchWhateverTheirCaseOnTheServer) {
  std::unique_ptr<DatabaseServer> server;
  if (!ApriSuServer(server)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  frmDDTDett& d = Linea();
  Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 4, 1, 's', 'ç§''x', 1)");
  frmDDtDeLiv& f = Editor(d);
  struct Caso {
    const char* l1;
    const char* l2;
    bool manca;
  } casi[] = {{"s", "ç§'x", false}, {"S", "ç§'x", false}, {"S", "", false}, {"s", "ç§x", true}, {"m", "ç§'x", true}};
  for (const auto& c : casi) EXPECT_EQ(f.MancaLivello(c.l1, c.l2), c.manca) << c.l1 << "/" << c.l2;
  // The grid lists the row with its quote and cedilla.
  EXPECT_EQ(f.ogLinPag().OggDati().NumRecord(f.ogLinPag().ChiaveDati()), 3);
  f.Unload();
}

}  // namespace
}  // namespace prova

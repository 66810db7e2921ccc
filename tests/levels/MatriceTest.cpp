// The level matrix: cell numbers, the stored rows in their cells, the
// cells and scroll bars built at load, shared prices, saving (all or
// nothing), closing and the callbacks, keys, and the window opened on a
// real line of the DDT line window.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "levels/MatriceProva.h"

namespace prova {
namespace {

struct CasoIndice {
  int16_t a, b, atteso;
  bool daEle;  // IndDaEle(a, b), else EleDaInd(a, b)
};

TEST_F(MatriceProva, CellNumbersWithFourColumns) {
  frmGestLivelli& f = Apri("O");  // sizes across: 4 columns, 3 rows
  ASSERT_EQ(f.K1(), 4);
  ASSERT_EQ(f.K2(), 3);
  const CasoIndice casi[] = {{3, 2, 7, true}, {4, 1, 4, true}, {1, 2, 5, true},
                             {7, 1, 3, false}, {7, 2, 2, false}, {12, 1, 4, false}, {12, 2, 3, false}};
  for (const auto& c : casi)
    EXPECT_EQ(c.daEle ? f.IndDaEle(c.a, c.b) : f.EleDaInd(c.a, c.b), c.atteso) << c.a << "," << c.b;
  // Every cell exists, row by row in tab order.
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(f.txtLiv(k).TabIndex(), k - 1);
  EXPECT_EQ(f.labLivOriz(4).Caption(), "XL");
  EXPECT_EQ(f.labLivVert(3).Caption(), "ROS");
}

// Codes with "ç", "§", a quote, and stored in another case: each row finds
// its cell and is written back under the element's own code.
void CodiciSpeciali(MatriceProva& p, ApriFinto& apri, const std::function<frmGestLivelli&()>& apriMatrice,
                    const std::function<std::string()>& righe, std::deque<int>& risposte) {
  (void)p;
  apri.dati.osLivGruppo1 = "SPECIALI";
  apri.dati.osLivGruppo2 = "TINTE";
  frmGestLivelli& f = apriMatrice();
  EXPECT_EQ(MatriceProva::Box(f, "S", "A").Text(), "2");
  EXPECT_EQ(MatriceProva::Box(f, "ç1", "b").Text(), "3");
  EXPECT_EQ(MatriceProva::Box(f, "d'oro", "A").Text(), "4");
  EXPECT_EQ(MatriceProva::Box(f, "§2", "b").Text(), "5");
  EXPECT_EQ(f.lab(270).Caption(), "14");
  risposte.push_back(1);
  f.comSalva_Click();
  const std::string r = righe();
  for (const char* atteso : {"S/A=2@10", "ç1/b=3@10", "d'oro/A=4@10", "§2/b=5@10"})
    EXPECT_NE(r.find(atteso), std::string::npos) << atteso << " in " << r;
  EXPECT_EQ(r.find("NONCE"), std::string::npos) << r;
}

TEST_F(MatriceProva, StoredRowsFillTheirCellsWhateverTheCase) {
  Gruppo("SPECIALI", {"S", "ç1", "§2", "d'oro"});
  Gruppo("TINTE", {"A", "b"});
  Riga("s", "A", 2, 10);     // "s" matches element "S"
  Riga("ç1", "B", 3, 10);    // "B" matches "b"
  Riga("d'oro", "a", 4, 10);
  Riga("§2", "b", 5, 10);
  Riga("NONCE", "A", 9, 10);  // not an element: not shown, and dropped by the save
  CodiciSpeciali(*this, apri_, [this]() -> frmGestLivelli& { return Apri("O"); }, [this] { return Righe(); },
                 risposte_);
}

TEST_F(MatriceProva, StoredRowsFillTheirCellsWhateverTheCaseOnTheServer) {
  std::unique_ptr<DatabaseServer> server;
  if (!ApriSuServer(server)) GTEST_SKIP() << "no PostgreSQL test server";
  G().gsGesTaglie = "S";
  Gruppo("SPECIALI", {"S", "ç1", "§2", "d'oro"});
  Gruppo("TINTE", {"A", "b"});
  Riga("s", "A", 2, 10);
  Riga("ç1", "B", 3, 10);
  Riga("d'oro", "a", 4, 10);
  Riga("§2", "b", 5, 10);
  Riga("NONCE", "A", 9, 10);
  CodiciSpeciali(*this, apri_, [this]() -> frmGestLivelli& { return Apri("O"); }, [this] { return Righe(); },
                 risposte_);
}

TEST_F(MatriceProva, OneLevelGroupStoresTheMarkerAsLevelTwo) {
  apri_.dati.osLivGruppo2 = "";
  frmGestLivelli& f = Apri("");  // level 1 down the side: one column
  EXPECT_EQ(f.K1(), 1);
  EXPECT_EQ(f.K2(), 4);
  EXPECT_FALSE(f.C("PicMaOriz").Visible());
  Digita(f, "M", "", "5");
  ASSERT_TRUE(f.SalvaDati());
  EXPECT_EQ(Righe(), "M/~ç~=5@0");
}

TEST_F(MatriceProva, TwentyRowsScrollByWholeRowsAndStopAtTheLastOne) {
  Gruppo("VENTI", Numerati("R", 20));
  apri_.dati.osLivGruppo1 = "VENTI";
  apri_.dati.osLivGruppo2 = "";
  frmGestLivelli& f = Apri("");
  ASSERT_EQ(f.K2(), 20);
  // A cell window of 2,685 twips: the frame ends where the totals begin.
  const long sopra = f.C("labLiv2").Top() + f.C("labLiv2").Height() + 60;
  f.lab(270).SetTop(f.C("PicMain").Top() + 60 + 2 * ui::Screen().TwipsPerPixelY + sopra + 2685);
  f.PrepMask();
  EXPECT_EQ(f.C("PicMaLiv").Height(), 2685);
  ASSERT_TRUE(f.C("VScr").Visible());
  EXPECT_FALSE(f.C("HScr").Visible());
  EXPECT_EQ(f.C("VScr").Max(), 13);
  const struct {
    int valore;
    long top;
  } passi[] = {{0, 0}, {12, -4320}, {13, -4455}};
  for (const auto& p : passi) {
    f.C("VScr").SetValue(p.valore);
    EXPECT_EQ(f.C("PicLivelli").Top(), p.top) << p.valore;
    EXPECT_EQ(f.C("PicVert").Top(), p.top) << p.valore;
  }
  // Entering the last row from the top moves the bar by the rows it lies
  // below the window, rounded: (7,140 - 2,685) / 360 = 12.375 -> 12.
  f.C("VScr").SetValue(0);
  ui::utente::Fuoco(f.txtLiv(20));
  EXPECT_EQ(f.C("VScr").Value(), 12);
  EXPECT_EQ(f.C("PicLivelli").Top(), -4320);
}

TEST_F(MatriceProva, APriceByLevelOneElementReachesItsColumnOnly) {
  Gruppo("TRE", {"A", "B", "C"});
  Gruppo("QUATTRO", {"1", "2", "3", "4"});
  apri_.dati.osLivGruppo1 = "TRE";
  apri_.dati.osLivGruppo2 = "QUATTRO";
  apri_.dati.osFlagLivLis = "1";
  frmGestLivelli& f = Apri("O");
  ASSERT_EQ(f.K1(), 3);
  ASSERT_EQ(f.K2(), 4);
  ui::utente::Fuoco(f.txtLiv(f.IndDaEle(2, 3)));
  ui::utente::Fuoco(f.txt(60));
  f.txt(60).SetText("12,50");
  ui::utente::Fuoco(f.txtLiv(f.IndDaEle(2, 3)));
  for (int16_t e1 = 1; e1 <= 3; ++e1)
    for (int16_t e2 = 1; e2 <= 4; ++e2) {
      const std::string& p = f.msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)];
      if (e1 == 2) EXPECT_EQ(p, "12,50") << e1 << "," << e2;
      else EXPECT_NE(p, "12,50") << e1 << "," << e2;
    }
  EXPECT_EQ(f.msPrezzo[2][0], "12,50");
  EXPECT_EQ(f.msPrezzo[1][0], frmGestLivelli::kNessunPrezzo);
  EXPECT_EQ(f.msPrezzo[3][0], frmGestLivelli::kNessunPrezzo);
  double p = 0;
  EXPECT_TRUE(f.LeggiPrezzo(2, 1, p));
  EXPECT_DOUBLE_EQ(p, 12.5);
  EXPECT_FALSE(f.LeggiPrezzo(1, 1, p));
}

TEST_F(MatriceProva, TypedQuantitiesAreSavedAndHandedBackOnClosing) {
  Riga("S", "BLU", 2, 18.5);
  frmGestLivelli& f = Apri("O");
  Digita(f, "M", "ROS", "4");
  EXPECT_EQ(f.lab(270).Caption(), "6");
  f.comOk_Click();
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(Righe(), "M/ROS=4@0 S/BLU=2@18,5");
  EXPECT_EQ(apri_.chiamateAgg, 1);
  EXPECT_EQ(apri_.chiamateDopo, 1);
  EXPECT_DOUBLE_EQ(apri_.qta, 6);
  EXPECT_DOUBLE_EQ(apri_.importo, 37);
}

TEST_F(MatriceProva, ASaveWithoutAnyQuantityIsRefusedAndTheRowsStay) {
  Riga("S", "BLU", 2, 18.5);
  Riga("M", "BLU", 1, 18.5);
  frmGestLivelli& f = Apri("O");
  Digita(f, "S", "BLU", "0");
  Digita(f, "M", "BLU", "");
  EXPECT_FALSE(f.SalvaDati());
  EXPECT_EQ(messaggi_.back(), "Impossibile salvare senza inserire delle quantità");
  EXPECT_EQ(Righe(), "M/BLU=1@18,5 S/BLU=2@18,5");
  EXPECT_FALSE(f.mbSalvato);
}

TEST_F(MatriceProva, ALineWithoutRowsClosesWithoutSavingAndStaysAsItWas) {
  frmGestLivelli& f = Apri("O");
  risposte_.push_back(1);  // "Confermi uscita senza salvataggio dei dati": Ok
  f.ComAnnulla_Click();
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(Righe(), "");
  EXPECT_EQ(apri_.chiamateAgg, 0);
  EXPECT_EQ(apri_.chiamateDopo, 1);
}

TEST_F(MatriceProva, ClosingWithoutSavingCanBeCancelled) {
  Riga("S", "BLU", 2, 18.5);
  frmGestLivelli& f = Apri("O");
  risposte_.push_back(2);  // "&Annulla"
  f.ComAnnulla_Click();
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(messaggi_.back(), "Confermi uscita senza salvataggio dei dati");
  EXPECT_EQ(apri_.chiamateDopo, 0);
}

TEST_F(MatriceProva, AReadOnlyMatrixClosesAtOnceAndCallsBackOnlyTheEnd) {
  Riga("S", "BLU", 2, 18.5);
  frmGestLivelli& f = Apri("O", 0);
  EXPECT_TRUE(f.label1(28).Visible());
  EXPECT_FALSE(f.C("comSalva").Visible());
  EXPECT_EQ(f.C("ComAnnulla").Caption(), "&Esci");
  const size_t prima = messaggi_.size();
  f.ComAnnulla_Click();
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(messaggi_.size(), prima);
  EXPECT_EQ(apri_.chiamateAgg, 0);
  EXPECT_EQ(apri_.chiamateDopo, 1);
}

TEST_F(MatriceProva, AFailedInsertLeavesTheRowsAsTheyWereAndTheWindowOpen) {
  Riga("S", "BLU", 2, 18.5);
  Riga("M", "BLU", 1, 18.5);
  // The third insert of the save fails.
  Nativo("Create Temp Table Inseriti (n INTEGER)");
  Nativo("Create Temp Trigger Guasto Before Insert On DdtLivApp Begin Insert into Inseriti Values (1);"
      " Select Raise(Abort, 'guasto') Where (Select count(*) from Inseriti) >= 3; End");
  frmGestLivelli& f = Apri("O");
  Digita(f, "L", "BLU", "5");
  Digita(f, "XL", "NER", "1");
  const std::string totale = f.lab(270).Caption();
  EXPECT_FALSE(f.SalvaDati());
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(Righe(), "M/BLU=1@18,5 S/BLU=2@18,5");
  EXPECT_EQ(f.lab(270).Caption(), totale);
  EXPECT_EQ(totale, "9");
  EXPECT_FALSE(f.mbSalvato);
  Nativo("Drop Trigger Guasto");
  EXPECT_TRUE(f.SalvaDati());
  EXPECT_EQ(Righe(), "L/BLU=5@0 M/BLU=1@18,5 S/BLU=2@18,5 XL/NER=1@0");
}

TEST_F(MatriceProva, AFailedInsertOnTheServerLeavesTheRowsAsTheyWere) {
  std::unique_ptr<DatabaseServer> server;
  if (!ApriSuServer(server)) GTEST_SKIP() << "no PostgreSQL test server";
  G().gsGesTaglie = "S";
  Riga("S", "BLU", 2, 18.5);
  Nativo("Alter Table DdtLivApp Add Constraint NoXL Check (Livello1 <> 'XL')");
  frmGestLivelli& f = Apri("O");
  Digita(f, "L", "ROS", "3");
  Digita(f, "XL", "NER", "1");
  EXPECT_FALSE(f.SalvaDati());
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(Righe(), "S/BLU=2@18,5");
  EXPECT_EQ(f.lab(270).Caption(), "6");
}

TEST_F(MatriceProva, AMatrixAboveTheCellLimitIsRefusedWithAMessage) {
  Gruppo("GRANDE1", Numerati("A", 182));
  Gruppo("GRANDE2", Numerati("B", 181));
  apri_.dati.osLivGruppo1 = "GRANDE1";
  apri_.dati.osLivGruppo2 = "GRANDE2";
  frmGestLivelli& f = Apri("O");
  EXPECT_FALSE(f.msRifiuto.empty());
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("32767"), std::string::npos) << messaggi_.back();
  EXPECT_EQ(f.Indici("txtLiv").size(), 1u);
  f.ComAnnulla_Click();
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(apri_.chiamateAgg, 0);
}

struct CasoTasto {
  int codice, shift;
  int16_t da1, da2, a1, a2;
};

TEST_F(MatriceProva, KeysMoveTheCurrentCell) {
  frmGestLivelli& f = Apri("O");  // 4 x 3
  const CasoTasto casi[] = {
      {ui::vbKeyPageDown, 0, 4, 3, 1, 1}, {ui::vbKeyPageUp, 0, 1, 1, 4, 3}, {ui::vbKeyPageDown, 0, 4, 1, 1, 2},
      {ui::vbKeyDown, 0, 2, 3, 3, 1},     {ui::vbKeyUp, 0, 1, 1, 4, 3},     {ui::vbKeyHome, 0, 3, 2, 1, 1},
      {ui::vbKeyEnd, 0, 1, 1, 4, 3},      {ui::vbKeyPageUp, ui::vbCtrlMask, 3, 2, 1, 2},
      {ui::vbKeyDown, ui::vbCtrlMask, 3, 1, 3, 3}};
  for (const auto& c : casi) {
    ui::utente::Fuoco(f.txtLiv(f.IndDaEle(c.da1, c.da2)));
    ui::utente::Premi(f, c.codice, c.shift);
    EXPECT_EQ(f.miRigaCor, c.a1) << c.codice << " from " << c.da1 << "," << c.da2;
    EXPECT_EQ(f.miColCor, c.a2) << c.codice << " from " << c.da1 << "," << c.da2;
  }
}

TEST_F(MatriceProva, F10TakesTheTypedQuantityIntoTheSave) {
  Riga("S", "BLU", 2, 18.5);
  frmGestLivelli& f = Apri("O");
  ui::Controllo& c = Box(f, "M", "BLU");
  ui::utente::Fuoco(c);
  c.SetText("3");
  ui::utente::Premi(f, ui::vbKeyF10);
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(Righe(), "M/BLU=3@0 S/BLU=2@18,5");
  EXPECT_DOUBLE_EQ(apri_.qta, 5);
}

// ---- on the real line window

TEST_F(MatriceProva, TheLineWindowOpensTheMatrixOnItsLevelLine) {
  frmDDTDett& d = RigheProva::Righe(dati::demo::kDdtInterno);
  ASSERT_EQ(vb::Trim(d.txt(20).Text()), "MAGLIA01");
  ASSERT_TRUE(ApriMatriceLivelli(d));
  ASSERT_TRUE(d.mfrmMatrice);
  frmGestLivelli& f = *d.mfrmMatrice;
  EXPECT_EQ(d.oiInDeLiv, 2);
  EXPECT_FALSE(d.Enabled());
  EXPECT_EQ(f.K1() * f.K2(), 12);
  // The line's stored rows S/BLU 2 and M/ROSSO 1 are in their cells.
  EXPECT_EQ(f.lab(270).Caption(), "3");
  // A second opener on the same line is refused while it is open.
  EXPECT_FALSE(ApriMatriceLivelli(d));
  Digita(f, "L", "BLU", "4");
  f.comOk_Click();
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_TRUE(d.Enabled());
  EXPECT_FALSE(d.mfrmMatrice);
  // The line took the rows' total quantity.
  EXPECT_DOUBLE_EQ(vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(d.txt(30).Text())), 7);
}

TEST_F(MatriceProva, ALineWithoutLevelsOpensNoMatrix) {
  frmDDTDett& d = RigheProva::Righe(dati::demo::kDdtInterno);
  G().gsGesTaglie = "N";
  EXPECT_FALSE(ApriMatriceLivelli(d));
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_TRUE(d.Enabled());
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

struct CasoIva {
  const char* przIvato;
  const char* prezzo;
  const char* atteso;
};

// F7 on the price: VAT added on a document of VAT-inclusive prices, taken
// out otherwise; the amount of the cell follows.
TEST_F(MatriceProva, F7AddsOrTakesOutTheVat) {
  const CasoIva casi[] = {{"S", "100", "122,00"}, {"N", "122", "100,00"}};
  for (const auto& c : casi) {
    apri_.dati.osPrzIvato = c.przIvato;
    frmGestLivelli& f = Apri("O");
    f.odPercIva = 22;
    ui::Controllo& cella = Box(f, "M", "BLU");
    ui::utente::Fuoco(cella);
    cella.SetText("2");
    ui::utente::Fuoco(f.txt(60));
    f.txt(60).SetText(c.prezzo);
    int f7 = ui::vbKeyF7;
    f.txt_KeyUp(60, f7, 0);
    EXPECT_EQ(f.txt(60).Text(), c.atteso) << c.przIvato;
    const double prezzo = vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(f.txt(60).Text()));
    EXPECT_DOUBLE_EQ(vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(f.txt(70).Text())), prezzo * 2) << c.przIvato;
    f.miAbilRw = 0;
    f.Unload();
  }
}

// F2 on the price in price mode 0 gives every cell the price read again.
TEST_F(MatriceProva, F2OnThePriceSpreadsItInOnePriceMode) {
  apri_.dati.osFlagLivLis = "0";
  Riga("S", "BLU", 2, 18.5);
  frmGestLivelli& f = Apri("O");
  ui::utente::Fuoco(Box(f, "L", "ROS"));
  ui::utente::Fuoco(f.txt(60));
  int f2 = ui::vbKeyF2;
  f.txt_KeyUp(60, f2, 0);
  const std::string p = f.txt(60).Text();
  for (int16_t e1 = 1; e1 <= f.K1(); ++e1)
    for (int16_t e2 = 1; e2 <= f.K2(); ++e2)
      EXPECT_EQ(f.msPrezzo[static_cast<size_t>(e1)][static_cast<size_t>(e2)], p) << e1 << "," << e2;
  EXPECT_EQ(f.msPrezzoUnico, p);
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

struct CasoLayout {
  int16_t tipo;
  bool evasoStato, qtaProv, qtaEvasa, statoRiga, perUtente, prefisso;
};

// What each layout shows and loads; the DDT line passes 2.
TEST(MatriceLayout, EachLayoutShowsAndLoadsItsOwn) {
  const CasoLayout casi[] = {{2, false, true, false, true, false, true},  {3, false, true, false, false, false, true},
                             {5, true, false, true, true, false, false}, {6, false, false, false, true, true, false},
                             {0, true, false, true, true, false, false}, {1, true, false, true, true, false, false},
                             {9, true, false, true, true, false, true}};
  for (const auto& c : casi) {
    const auto l = frmGestLivelli::Layout(c.tipo);
    EXPECT_EQ(l.evasoStato, c.evasoStato) << c.tipo;
    EXPECT_EQ(l.qtaProv, c.qtaProv) << c.tipo;
    EXPECT_EQ(l.qtaEvasa, c.qtaEvasa) << c.tipo;
    EXPECT_EQ(l.statoRiga, c.statoRiga) << c.tipo;
    EXPECT_EQ(l.perUtente, c.perUtente) << c.tipo;
    EXPECT_EQ(l.prefisso, c.prefisso) << c.tipo;
    EXPECT_EQ(l.cercaListBase, c.tipo != 5) << c.tipo;
  }
}

}  // namespace
}  // namespace prova

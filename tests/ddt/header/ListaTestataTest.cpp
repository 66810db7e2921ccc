// The DDT list with the header window it serves: the header's bar shows
// the program's list window on "Lista", the DDT chosen there with
// "Seleziona" becomes the header's DDT, and "ListaAvanti" / "ListaInd" walk
// the list from the header.
#include <string>

#include "ddt/header/ListaProva.h"

namespace {

using ListaTestata = prova::ListaProva;

TEST_F(ListaTestata, ChosenDdtShownInTheHeaderAndTheListWalkedFromIt) {
  ParPers("DDT", "ListaOrdin", "DdtTest.NumRif Desc");
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  frmDdtTestLis& l = FrmDdtTestLis();
  EXPECT_EQ(f.mgLista, &l);
  EXPECT_EQ(l.osKeySec, "w1");
  EXPECT_FALSE(l.Caricata());  // not before it is first shown
  EXPECT_EQ(l.osListaOrdin, "DdtTest.NumRif Desc");  // the header's personal order

  f.ButtonComando("Lista");
  ASSERT_TRUE(l.Caricata());
  EXPECT_TRUE(l.Visible());
  EXPECT_EQ(l.ogLisPag().BarraOrigine(), &f.ogComPag());
  EXPECT_EQ(l.txt(10).Text(), "2026");

  // Ricerca in the header's personal order, newest number first.
  l.ButtonComando("Ricerca");
  ASSERT_NE(l.ogComlin().Recordset(), nullptr);
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  EXPECT_NE(l.osSql().find(" Order by DdtTest.NumRif Desc"), std::string::npos);

  // "Seleziona" on the second row: DDT 3 in the header.
  l.ButtonComando("Successiva");
  l.ButtonComando("Seleziona");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(f.txt(20).Text(), "2026");
  EXPECT_EQ(f.txt(10).Text(), "3");
  EXPECT_EQ(ui::Screen().ActiveForm, &f);

  // The header walks the list: on to DDT 2 and 1, back to 2.
  f.ButtonComando("ListaAvanti");
  EXPECT_EQ(f.txt(10).Text(), "2");
  EXPECT_EQ(f.txt(90).Text(), "");
  f.ButtonComando("ListaAvanti");
  EXPECT_EQ(f.txt(10).Text(), "1");
  EXPECT_EQ(f.txt(90).Text(), "Vs. ordine n. 118 del 02/11/2026");
  f.ButtonComando("ListaAvanti");  // past the last row: stays
  EXPECT_EQ(f.txt(10).Text(), "1");
  f.ButtonComando("ListaInd");
  EXPECT_EQ(f.txt(10).Text(), "2");
  EXPECT_EQ(l.C("txtRiga").Text(), "3 / 4");

  // "Torna" hides the list without a choice.
  l.ButtonComando("Torna");
  EXPECT_FALSE(l.Visible());
  EXPECT_EQ(f.txt(10).Text(), "2");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(ListaTestata, ListClosedAndShownAgainStillServesTheHeader) {
  frmDdtTest& f = Testata();
  frmDdtTestLis& l = FrmDdtTestLis();
  f.ButtonComando("Lista");
  ASSERT_TRUE(l.Caricata());
  l.txt(30).SetText("3");
  l.ButtonComando("Ricerca");
  l.ButtonComando("Chiudi");
  EXPECT_FALSE(l.Caricata());
  // Walking a closed list does nothing.
  f.ButtonComando("ListaAvanti");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 0);
  // "Lista" loads it again, as new, still bound to the header.
  f.ButtonComando("Lista");
  ASSERT_TRUE(l.Caricata());
  EXPECT_TRUE(l.Visible());
  EXPECT_EQ(l.txt(30).Text(), "");
  EXPECT_EQ(l.txt(10).Text(), "2026");
  l.txt(30).SetText("2");
  l.ButtonComando("Ricerca");
  l.ButtonComando("Seleziona");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(f.txt(10).Text(), "2");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(ListaTestata, HeadersSortOrderNamingNoColumnNeverReachesTheSql) {
  ParPers("DDT", "ListaOrdin", "NumRif; Delete From DdtTest");
  frmDdtTest& f = Testata();
  frmDdtTestLis& l = FrmDdtTestLis();
  f.ButtonComando("Lista");
  l.ButtonComando("Ricerca");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("ListaOrdin"), std::string::npos) << messaggi_[0];
  EXPECT_EQ(l.osSql().find("Delete"), std::string::npos);
  EXPECT_NE(l.osSql().find(" Order by DdtTest.DataRif, DdtTest.NumRif"), std::string::npos);
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
}

}  // namespace

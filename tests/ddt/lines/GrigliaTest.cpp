// Grid events, tab pages, resizing and the focus traps of the line window.
#include <gtest/gtest.h>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace prova {
namespace {
using namespace dati::demo;

class Griglia : public RigheProva {
 protected:
  // Four lines more on the working copy of the demo DDT, so that the grid
  // has rows to move over; the page reads them again.
  frmDDTDett& ConRighe() {
    frmDDTDett& d = Righe(kDdtModificabile);
    for (int r = 0; r < 4; ++r)
      db_->EseguiSql(conn_,
                     "Insert into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Descrizione) Select 2026, 3, "
                     "Max(RigDet) + 1, Max(RigLiv) + 1, 'D', 'Riga aggiunta' From DdtDettApp Where Anno = 2026 And "
                     "NumRif = 3");
    d.ogLinPag().Rileggi();
    d.ogLinPag().EseguiTasto("Inizio");
    return d;
  }
  static long NumRighe(frmDDTDett& d) { return d.datRiga().Recordset()->RecordCount(); }
  static long Posizione(frmDDTDett& d) { return d.datRiga().Recordset()->AbsolutePosition(); }
};

TEST_F(Griglia, F9SwitchesTheSearchKeyAndArticoloIsRedOnlyWithTheAutomaticSave) {
  struct Caso {
    int16_t chiave;       // giKeyRicDdt before the clicks
    bool salvaAuto;       // obCodBarLostFocusSalva
    int clic;
    const char* caption;  // after the clicks
    bool rosso;
  };
  const std::vector<Caso> casi = {
      {0, true, 1, "Ricerca per Codice a Barre (F9)", true},
      {0, true, 2, "Ricerca per Codice (F9)", false},
      {0, false, 1, "Ricerca per Codice a Barre (F9)", false},
      {1, true, 0, "Ricerca per Codice a Barre (F9)", true},
      // a value read at start other than 0 or 1: barcode caption, design
      // colour until F9 makes it 0
      {5, true, 0, "Ricerca per Codice a Barre (F9)", false},
      {5, true, 1, "Ricerca per Codice (F9)", false},
  };
  frmDDTDett& d = Righe(kDdtModificabile);
  const long colore = d.mlColoreArticolo;
  ASSERT_NE(colore, G().glColoreErrore);
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.chiave) + "/" + std::to_string(c.clic));
    G().giKeyRicDdt = c.chiave;
    d.obCodBarLostFocusSalva = c.salvaAuto;
    d.C("ComTipoRic").SetCaption(c.chiave == 0 ? "Ricerca per Codice (F9)" : "Ricerca per Codice a Barre (F9)");
    d.ColBackAutoSalva();
    for (int i = 0; i < c.clic; ++i) d.Click(d.C("ComTipoRic"));
    EXPECT_EQ(d.C("ComTipoRic").Caption(), c.caption);
    EXPECT_EQ(d.label1(19).ForeColor(), c.rosso ? G().glColoreErrore : colore);
  }
}

TEST_F(Griglia, DoubleClickOpensTheLevelsOnlyOnAStoredLineWhoseArticleIsShown) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  d.timLinPag().SetEnabled(false);
  // the article of this line is on display: step 2 at the next tick
  d.miRigaArtMostrata = static_cast<int16_t>(std::stoi(d.txt(10).Text()));
  d.miStatoTimer = 0;
  d.DblClick(d.dbgRiga());
  EXPECT_EQ(d.miStatoTimer, 2);
  EXPECT_TRUE(d.timLinPag().Enabled());
  // not yet: code 4 waits for the article display, no timer
  d.timLinPag().SetEnabled(false);
  d.miRigaArtMostrata = -1;
  d.DblClick(d.dbgRiga());
  EXPECT_EQ(d.miStatoTimer, 4);
  EXPECT_FALSE(d.timLinPag().Enabled());
  // a new line: nothing
  d.ogLinPag().EseguiTasto("Nuovo");
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  d.miStatoTimer = 0;
  d.timLinPag().SetEnabled(false);
  d.DblClick(d.dbgRiga());
  EXPECT_EQ(d.miStatoTimer, 0);
  EXPECT_FALSE(d.timLinPag().Enabled());
}

TEST_F(Griglia, RowChangeShowsTheLineAndTheCounterUnlessEventsAreOffOrALookUpIsOpen) {
  frmDDTDett& d = ConRighe();
  const long n = NumRighe(d);
  ASSERT_GE(n, 5);
  d.dbgRiga().VaiARiga(2);
  EXPECT_EQ(d.C("txtRiga").Text(), "3 / " + std::to_string(n));
  EXPECT_EQ(d.txt(10).Text(), "3");
  EXPECT_EQ(d.miFlagRigaCol, 0);

  // events off (a paste): the line in the boxes stays
  d.miNoEventiGriglia = 1;
  d.dbgRiga().VaiARiga(3);
  EXPECT_EQ(d.txt(10).Text(), "3");
  d.miNoEventiGriglia = 0;
  d.dbgRiga().VaiARiga(2);

  // a look-up window opened from a cell: the grid goes back, the new row
  // is kept for the look-up
  const std::string prima = d.dbgRiga().Bookmark();
  G().giDecodInCorso = 1;
  d.dbgRiga().VaiARiga(4);
  EXPECT_EQ(d.dbgRiga().Bookmark(), prima);
  EXPECT_EQ(Posizione(d), 2);
  EXPECT_NE(G().gvBookmarkDecod.ToString(), prima);
  EXPECT_FALSE(G().gvBookmarkDecod.ToString().empty());
  EXPECT_EQ(G().giDecodInCorso, 1);
  EXPECT_EQ(d.txt(10).Text(), "3");
  G().giDecodInCorso = 0;
}

TEST_F(Griglia, SelectedRowsReachThePageAndTheActiveFieldIsEnteredAgain) {
  frmDDTDett& d = ConRighe();
  d.timLinPag().SetEnabled(false);
  d.miStatoTimer = 0;
  std::vector<std::string> segni = {d.dbgRiga().BookmarkDi(1), d.dbgRiga().BookmarkDi(3)};
  EXPECT_TRUE(d.dbgRiga().CambiaSelezione(segni));
  EXPECT_EQ(d.miStatoTimer, 14);
  EXPECT_TRUE(d.timLinPag().Enabled());
  EXPECT_EQ(d.ogLinPag().SelBookmarks(), segni);
  // reading the lines again forgets the selection
  d.ogLinPag().Rileggi();
  EXPECT_TRUE(d.dbgRiga().SelBookmarks().empty());
}

TEST_F(Griglia, ResizeKeepsThePanelOnTheStatusBarAndThreeGridRows) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ui::Griglia& g = d.dbgRiga();
  ui::Controllo& schede = d.C("TasPagine");
  ui::Controllo& stato = d.C("staMessaggi");
  ui::Controllo& pannello = d.C("PicDett", 0);
  // the row counter and the line panels move together
  const long distanza = pannello.Top() - d.C("txtRiga").Top();
  struct Caso {
    long altezza;
    bool bassa;  // the grid at its three rows
  };
  for (const Caso& c : {Caso{12000, false}, Caso{9000, false}, Caso{3000, true}, Caso{8700, false}}) {
    SCOPED_TRACE(c.altezza);
    d.Move(d.Left(), d.Top(), d.Width(), c.altezza);
    d.Form_Resize();
    const long panelTop = d.C("txtRiga").Top();
    EXPECT_EQ(g.Top() + g.Height(), panelTop);
    if (c.bassa) {
      EXPECT_EQ(g.Height(), 3 * g.RowHeight());
      EXPECT_GT(pannello.Top() + pannello.Height(), stato.Top());
    } else {
      EXPECT_GT(g.Height(), 3 * g.RowHeight());
      EXPECT_EQ(pannello.Top() + pannello.Height(), stato.Top());
    }
    EXPECT_EQ(stato.Top() + stato.Height(), d.ScaleHeight());
    EXPECT_EQ(pannello.Top() - panelTop, distanza);
    for (int i : {1, 2}) EXPECT_EQ(d.C("PicDett", i).Top(), pannello.Top());
    // the pages follow the tab strip's client area, inside the panel
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(d.C("PicDati", i).Top(), schede.Top() + 360);
  }
}

TEST_F(Griglia, ATabClickShowsItsPageAndFocusesItsFirstControlOnce) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ui::Controllo& schede = d.C("TasPagine");
  struct Caso {
    int tab;
    const char* nome;
    int indice;
  };
  for (const Caso& c : {Caso{2, "cob", 400}, Caso{4, "txt", 800}, Caso{3, "txt", 20}, Caso{1, "txt", 20}}) {
    SCOPED_TRACE(c.tab);
    schede.SetSelectedTab(c.tab);
    d.Click(schede);
    EXPECT_EQ(d.miPaginaAttiva, c.tab);
    for (int i = 1; i <= 4; ++i) {
      EXPECT_EQ(d.C("PicDati", i).Enabled(), i == c.tab) << i;
      EXPECT_EQ(d.C("PicDati", i).Visible(), i == c.tab) << i;
    }
    EXPECT_EQ(d.ActiveControl(), &d.C(c.nome, c.indice));
  }
  // the same tab again: nothing, not even a focus move
  d.txt(30).SetFocus();
  d.Click(schede);
  EXPECT_EQ(d.ActiveControl(), &d.txt(30));
}

TEST_F(Griglia, TheFocusTrapsFollowTheLastFieldsOfTheMainPageAndGiveTheFocusBack) {
  frmDDTDett& d = Righe(kDdtModificabile);
  for (int i = 0; i < 2; ++i) {
    ui::Controllo& t = d.C("TextSpost", i);
    EXPECT_EQ(t.Container(), &d.C("PicDati", 1));
    EXPECT_GE(t.Top(), d.C("PicDati", 1).Height());  // out of sight
    EXPECT_EQ(t.Width(), 75);
    EXPECT_EQ(t.Height(), 195);
    EXPECT_EQ(t.TabIndex(), std::max(d.txt(265).TabIndex(), d.txt(267).TabIndex()) + 1 + i);
  }
  // nothing else shares their places in the Tab order
  for (const auto& c : d.Controlli()) {
    if (c->Name() == "TextSpost") continue;
    for (int i = 0; i < 2; ++i) EXPECT_NE(c->TabIndex(), d.C("TextSpost", i).TabIndex()) << c->Name();
  }
  d.txt(30).SetFocus();
  d.GotFocus(d.C("TextSpost", 1));
  EXPECT_EQ(d.ActiveControl(), &d.che(75));
  d.txt(30).SetFocus();
  d.Click(d.C("TextSpost", 0));
  EXPECT_EQ(d.ActiveControl(), &d.che(75));
}

TEST_F(Griglia, TheLinesOpenOnTheLineOfTheHeaderGrid) {
  frmDDTDett& d = ConRighe();
  struct Caso {
    int32_t pos;
    long attesa;  // -1: the last line
  };
  for (const Caso& c : {Caso{1, 1}, Caso{999, -1}, Caso{-1, 0}, Caso{3, 3}}) {
    SCOPED_TRACE(c.pos);
    d.ogLinPag().EseguiTasto("Inizio");
    f_->olPosDett = c.pos;
    d.PosDoppioClick();
    const long attesa = c.attesa == -1 ? NumRighe(d) - 1 : c.attesa;
    EXPECT_EQ(Posizione(d), attesa);
    EXPECT_EQ(d.txt(10).Text(), std::to_string(attesa + 1));
  }
  f_->olPosDett = -1;
}

TEST_F(Griglia, RefreshTakesInChangesBySqlAndKeepsTheLineInView) {
  frmDDTDett& d = ConRighe();
  d.dbgRiga().VaiARiga(3);
  ASSERT_EQ(d.txt(10).Text(), "4");
  db_->EseguiSql(conn_, "Update DdtDettApp Set Descrizione = 'Cambiata da SQL' Where Anno = 2026 And NumRif = 3 And RigDet = 4");
  int32_t riga = -1;
  d.AggVisRighe(riga);
  EXPECT_EQ(d.txt(10).Text(), "4");
  EXPECT_EQ(Posizione(d), 3);
  EXPECT_EQ(d.dbgRiga().TopRow(), 1);  // line 4 minus its row index 3
  bool vista = false;
  for (const auto& c : d.Controlli())
    if (c->Text() == "Cambiata da SQL") vista = true;
  EXPECT_TRUE(vista);
  // a line number smaller than the row index: no scroll
  d.dbgRiga().Scroll(-100, 0);
  d.dbgRiga().VaiARiga(4);
  d.dbgRiga().Scroll(-100, 0);
  riga = 2;
  d.AggVisRighe(riga);
  EXPECT_EQ(Posizione(d), 1);
  EXPECT_EQ(d.dbgRiga().TopRow(), 0);
}

}  // namespace
}  // namespace prova

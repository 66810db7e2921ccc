// The DDT list window on the demo company: its columns (base, personal
// additional and hidden), the row handed to the record bar by "Seleziona",
// a click, a double click and Enter, sorting by a heading, the column
// questions of the list commands, "Stampa", the row counter, the keys and
// the closing.
#include <string>
#include <vector>

#include "ddt/header/ListaProva.h"
#include "platform/dati/DittaDemo.h"
#include "platform/ui/Headless.h"
#include "print/FrmComlinStampa.h"
#include "print/FrmVStampa.h"

namespace {

using ListaFinestra = prova::ListaProva;

std::vector<std::string> Titoli(ui::Griglia& g) {
  std::vector<std::string> v;
  for (int i = 0; i < g.NumColonne(); ++i) v.push_back(g.Colonna(i).Caption);
  return v;
}

std::vector<int> Nascoste(ui::Griglia& g) {
  std::vector<int> v;
  for (int i = 0; i < g.NumColonne(); ++i)
    if (!g.Colonna(i).Visible) v.push_back(i);
  return v;
}

const std::vector<std::string> kTitoli = {"Anno",  "Numero",      "Data_Ins.", "Tipo_Doc.", "Documento", "DataDocumento",
                                          "Cliente", "Descrizione", "Stato",    "Rif.Cliente", "Note",    "StatoSel"};

TEST_F(ListaFinestra, NoSettingsTwelveBaseColumnsAnnoAndStatoSelHidden) {
  frmDdtTestLis& l = Lista();
  Cerca();
  ui::Griglia& g = l.dbgRiga();
  EXPECT_EQ(Titoli(g), kTitoli);
  EXPECT_EQ(Nascoste(g), (std::vector<int>{0, 11}));
  // The designed widths (800, 950, 300, 1000, 1300, 1200, 3500, 800, 1500,
  // 5000) widened where the heading or the widest value (a date, "Stampato")
  // needs more in the fonts of the screen; here the test backend's fixed
  // metrics, 99 twips a character, plus the cell's margins.
  const long larghezze[] = {894, 1290, 1191, 1191, 1587, 1290, 3500, 1092, 1500, 5000};
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(g.Colonna(i).Width, larghezze[i - 1]) << i;
  // First row: the evaded DDT of customer 1.
  EXPECT_EQ(g.TestoCella(0L, 1), "1");
  EXPECT_EQ(g.TestoCella(0L, 2), "05/11/2026");
  EXPECT_EQ(g.TestoCella(0L, 6), "04-01-0012");
  EXPECT_EQ(g.TestoCella(0L, 8), "Evaso");
  EXPECT_EQ(g.TestoCella(1L, 8), "Stampato");
  EXPECT_EQ(vb::Trim(g.TestoCella(2L, 8)), "");
  EXPECT_EQ(g.TestoCella(0L, 7), "Ferramenta Rossi Srl");
}

TEST_F(ListaFinestra, PersonalColumnsTakeTheirPlacesAndHiddenOnesHide) {
  struct Caso {
    const char* aggEle;
    const char* hide;
    std::vector<std::string> titoli;
    std::vector<int> nascoste;
    int colonna;  // an additional column and its width (0 none)
    long larghezza;
  };
  std::vector<std::string> conH = kTitoli;
  conH.insert(conH.begin() + 2, "H");
  std::vector<std::string> senzaTitolo = kTitoli;
  senzaTitolo.insert(senzaTitolo.begin() + 2, "_Peso");
  std::vector<std::string> primo = kTitoli;
  primo.insert(primo.begin(), "Colli");
  const std::vector<Caso> casi = {
      // E,3,1500,H: thirteen columns, the third is E headed H, 1500 wide
      {"Peso,3,1500,H", "", conH, {0, 12}, 2, 1500},
      {"Peso,3", "", senzaTitolo, {0, 12}, -1, 0},
      {"DdtTest.Colli,1,700,Colli", "", primo, {1, 12}, 0, 700},
      {"Peso,99,1500,H", "", kTitoli, {0, 11}, -1, 0},
      {"", "3,5", kTitoli, {0, 2, 4, 11}, -1, 0},
      {"Peso,3,1500,H", "3,5", conH, {0, 2, 4, 12}, 2, 1500},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.aggEle) + " | " + c.hide);
    ParPers("DDT", "ListaAggEle", c.aggEle);
    ParPers("DDT", "ListaHideCol", c.hide);
    frmDdtTestLis& l = Lista();
    EXPECT_EQ(Cerca(), (std::vector<long>{1, 2, 3, 4}));
    ui::Griglia& g = l.dbgRiga();
    EXPECT_EQ(Titoli(g), c.titoli);
    EXPECT_EQ(Nascoste(g), c.nascoste);
    if (c.colonna >= 0 && c.larghezza > 0) {
      EXPECT_EQ(g.Colonna(c.colonna).Width, c.larghezza);
    }
    // "Data_Ins." keeps its width wherever it went.
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).Caption == "Data_Ins.") {
        EXPECT_EQ(g.Colonna(i).Width, 1290);
      }
    l.Unload();
  }
  ParPers("DDT", "ListaAggEle", "Peso,3,1500,H");
  frmDdtTestLis& l = Lista();
  Cerca();
  EXPECT_EQ(l.dbgRiga().TestoCella(0L, 2), "11,2");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(ListaFinestra, ChosenRowGoesToTheBarByItsKeyWhereverTheKeyColumnsAre) {
  for (const char* agg : {"", "DdtTest.Colli,1§Peso,2"}) {
    SCOPED_TRACE(agg);
    ParPers("DDT", "ListaAggEle", agg);
    barra_.mostrati.clear();
    frmDdtTestLis& l = Lista();
    Cerca();
    l.ButtonComando("Successiva");
    EXPECT_EQ(l.C("txtRiga").Text(), "2 / 4");
    l.ButtonComando("Seleziona");
    EXPECT_EQ(barra_.mostrati, (std::vector<std::string>{"Anno=2026,NumRif=2"}));
    l.Unload();
  }
}

TEST_F(ListaFinestra, ClickSelectsAfterItsEventUnlessAskedNotTo) {
  frmDdtTestLis& l = Lista();
  Cerca();
  ui::Griglia& g = l.dbgRiga();
  g.VaiARiga(2);
  ui::utente::Clicca(g);
  EXPECT_TRUE(barra_.mostrati.empty());  // after the click has been handled
  Tick();
  EXPECT_EQ(barra_.mostrati, (std::vector<std::string>{"Anno=2026,NumRif=3"}));

  // A heading click or a column resize: the click of the same gesture does
  // not select.
  barra_.mostrati.clear();
  l.dbgRiga_ColResize(3);
  ui::utente::Clicca(g);
  Tick();
  EXPECT_TRUE(barra_.mostrati.empty());
  ui::utente::Clicca(g);
  Tick();
  EXPECT_EQ(barra_.mostrati.size(), 1u);

  // "LisClickNoSel": a click does not, a double click and Enter still do.
  G().gbLisClickNoSel = true;
  barra_.mostrati.clear();
  ui::utente::Clicca(g);
  Tick();
  EXPECT_TRUE(barra_.mostrati.empty());
  ui::utente::DoppioClic(g);
  Tick();
  EXPECT_EQ(barra_.mostrati.size(), 1u);
  ui::utente::Fuoco(g);
  ui::utente::Premi(l, ui::vbKeyReturn);
  Tick();
  EXPECT_EQ(barra_.mostrati.size(), 2u);
}

TEST_F(ListaFinestra, CurrentRowFollowsTheMouseOnlyWhenAskedAndNotRightAfterAKey) {
  frmDdtTestLis& l = Lista();
  Cerca();
  const long sottoTitoli = 285 + 2 * 255 + 100;  // over the third row
  l.dbgRiga_MouseMove(0, 0, 500, sottoTitoli);
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  G().gbLisSpostaCurs = true;
  l.miTastoPremuto = 1;
  l.dbgRiga_MouseMove(0, 0, 500, sottoTitoli);  // the move a key brought
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  EXPECT_EQ(l.miTastoPremuto, 0);
  l.dbgRiga_MouseMove(0, 0, 500, sottoTitoli);
  EXPECT_EQ(l.C("txtRiga").Text(), "3 / 4");
  EXPECT_TRUE(barra_.mostrati.empty());
}

TEST_F(ListaFinestra, HeadingClickSortsOnTheColumnsSource) {
  frmDdtTestLis& l = Lista();
  Cerca();
  EXPECT_EQ(l.ColToSourceField(6), "DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli");
  EXPECT_EQ(l.ColToSourceField(4), "DdtTest.PreDoc , DdtTest.NumDoc");
  EXPECT_EQ(l.ColToSourceField(1), "NumRif");
  l.dbgRiga_HeadClick(6);  // by customer: the company's own account first
  EXPECT_EQ(Elenco(), (std::vector<long>{4, 1, 2, 3}));
  EXPECT_NE(l.osSql().find("Order by DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli"), std::string::npos);
  l.dbgRiga_HeadClick(6);  // again: descending
  EXPECT_EQ(Elenco(), (std::vector<long>{3, 2, 1, 4}));
  l.dbgRiga_HeadClick(1);
  EXPECT_EQ(Elenco(), (std::vector<long>{1, 2, 3, 4}));
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  // The heading click's own click selects nothing.
  ui::utente::Clicca(l.dbgRiga());
  Tick();
  EXPECT_TRUE(barra_.mostrati.empty());
  // A column the list cannot be sorted on.
  l.dbgRiga_HeadClick(40);
  EXPECT_EQ(messaggi_, (std::vector<std::string>{"Impossibile ordinare su questo campo"}));
}

TEST_F(ListaFinestra, AdditionalColumnsSortByTheirOwnColumn) {
  ParPers("DDT", "ListaAggEle", "Peso,3,1500,H§DdtTest.Colli,4,800,Colli");
  frmDdtTestLis& l = Lista();
  Cerca();
  EXPECT_EQ(l.ColToSourceField(2), "Peso");
  EXPECT_EQ(l.ColToSourceField(3), "DdtTest.Colli");
  // Weights 11.2, 3.2, 42.5, 0.9; parcels 3, 2, 4, 1.
  l.dbgRiga_HeadClick(2);
  EXPECT_EQ(Elenco(), (std::vector<long>{4, 2, 1, 3}));
  l.dbgRiga_HeadClick(3);
  EXPECT_EQ(Elenco(), (std::vector<long>{4, 2, 1, 3}));
  l.dbgRiga_HeadClick(3);
  EXPECT_EQ(Elenco(), (std::vector<long>{3, 1, 2, 4}));
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(ListaFinestra, ColumnQuestionsOfTheListCommands) {
  frmDdtTestLis& l = Lista();
  Cerca();
  EXPECT_EQ(l.ovField(1, "Type").ToInt(), 4);
  EXPECT_EQ(l.ovField(1, "NAME").ToString(), "NumRif");
  EXPECT_EQ(l.ovField(1, "sourcetable").ToString(), "DdtTest");
  EXPECT_EQ(l.ovField(1, "sourcefield").ToString(), "NumRif");
  EXPECT_FALSE(l.ovField(1, "dataupdatable").ToBool());
  EXPECT_EQ(l.ovField(1, "size").ToLong(), 4);
  EXPECT_EQ(l.ovField(2, "type").ToInt(), 8);
  EXPECT_EQ(l.ovField(9, "size").ToLong(), 50);  // RifCli
  EXPECT_EQ(l.ovField(9, "fieldsize").ToLong(), 32);  // "Vs. ordine n. 118 del 02/11/2026"
  EXPECT_EQ(l.ovField(6, "name").ToString(), "Cliente");
  EXPECT_TRUE(l.ovField(1, "colore").IsEmpty());
  // What cannot be read answers the fallback.
  EXPECT_EQ(l.ovField(40, "type").ToInt(), 10);
  EXPECT_EQ(l.ovField(40, "name").ToString(), "");
  EXPECT_EQ(l.ovField(40, "size").ToLong(), 0);
  EXPECT_EQ(l.ovField(40, "fieldsize").ToLong(), 0);
  EXPECT_FALSE(l.ovField(40, "dataupdatable").ToBool());
}

TEST_F(ListaFinestra, StampaOpensTheListPrintDialogWhosePrintShowsThePreviewAndAnEmptyListPrintsNothing) {
  frmDdtTestLis& l = Lista();
  l.txt(10).SetText("2025");
  l.txt(20).SetText("2025");
  EXPECT_TRUE(Cerca().empty());
  messaggi_.clear();
  l.ButtonComando("Stampa");
  EXPECT_TRUE(messaggi_.empty());

  l.txt(10).SetText("2026");
  l.txt(20).SetText("2026");
  Cerca();
  l.ButtonComando("Successiva");
  const std::string sql = l.osSql();
  messaggi_.clear();
  l.ButtonComando("Stampa");
  EXPECT_TRUE(messaggi_.empty());
  FrmComlinStampa& d = FrmComlinStampaGlob();
  ASSERT_TRUE(d.Visible());
  EXPECT_EQ(d.Caption(), "Stampa dati della lista");
  ui::utente::Clicca(d.C("CmdStampa"));
  FrmVStampa& v = FrmVStampaGlob();
  EXPECT_TRUE(v.Visible());
  EXPECT_EQ(v.C("LabMsg").Caption(), "Stampa Terminata");
  EXPECT_EQ(v.C("labPage").Caption(), "Pag.001");
  EXPECT_FALSE(v.C("PicSec").Picture().empty());
  EXPECT_EQ(G().giStaAtt, 0);
  // the print was handed over: pressing again does nothing
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_TRUE(messaggi_.empty());
  ui::utente::Clicca(v.C("ComEsci"));
  EXPECT_FALSE(v.Caricata());
  ui::utente::Clicca(d.C("CmdEsci"));
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(l.osSql(), sql);
  EXPECT_EQ(l.C("txtRiga").Text(), "2 / 4");
  EXPECT_EQ(Elenco(), (std::vector<long>{1, 2, 3, 4}));
  EXPECT_TRUE(l.C("tolComlin").Elem("Stampa").Visible);
}

TEST_F(ListaFinestra, CommandInACriterionChecksItFirstAndGivesItBackItsEditingForm) {
  frmDdtTestLis& l = Lista();
  ui::utente::Fuoco(l.txt(90));
  l.txt(90).SetText(dati::demo::kContoCliente2);
  l.ButtonComando("Ricerca");
  EXPECT_EQ(l.txt(90).Text(), "04-01-0013");
  EXPECT_FALSE(l.lab(90).Caption().empty());
  EXPECT_EQ(Elenco(), (std::vector<long>{2}));
  Tick();
  EXPECT_EQ(l.txt(90).Text(), "04010013");
  EXPECT_EQ(l.miIndiceTxt, -1);
  EXPECT_EQ(l.miAzioneTimer, 0);
}

TEST_F(ListaFinestra, BookmarkKeysAndClosing) {
  frmDdtTestLis& l = Lista();
  Cerca();
  EXPECT_FALSE(l.C("tolComlin").Elem("VaiA").Enabled);
  l.ButtonComando("Fine");
  l.ButtonComando("Punta");
  EXPECT_FALSE(l.ovfrmBookmark().empty());
  EXPECT_TRUE(l.C("tolComlin").Elem("VaiA").Enabled);
  l.ButtonComando("Inizio");
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
  l.ButtonComando("VaiA");
  EXPECT_EQ(l.C("txtRiga").Text(), "4 / 4");
  // Keys: Up and Down move, Alt with the letter of a button presses it.
  ui::utente::Premi(l, ui::vbKeyUp);
  EXPECT_EQ(l.C("txtRiga").Text(), "3 / 4");
  ui::utente::Premi(l, 'E', ui::vbAltMask);
  EXPECT_EQ(barra_.mostrati, (std::vector<std::string>{"Anno=2026,NumRif=3"}));
  // "Chiudi" closes without asking; the bar hears of it.
  messaggi_.clear();
  l.ButtonComando("Chiudi");
  EXPECT_FALSE(l.Caricata());
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_TRUE(l.mbInChiusura);
  EXPECT_EQ(barra_.chiusure, 1);
}

}  // namespace

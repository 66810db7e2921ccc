// The lists and check boxes that set the hidden bound boxes of a line, the
// kind buttons and keys, the level panel with the fields it locks, the
// locked article of a line taken from another document, and the test for
// unsaved changes: driven as the user drives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/AperturaDiretta.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class Bottoni : public AperturaDiretta {
 protected:
  void TearDown() override {
    G().gsGesTaglie.clear();
    G().gsQtaDef.clear();
    AperturaDiretta::TearDown();
  }
  static int Premi(frmDDTDett& d, int codice, int shift = 0) {
    d.Form_KeyDown(codice, shift);
    return codice;
  }
  void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
    ASSERT_EQ(d.txt(10).Text(), std::to_string(rigDet));
  }
  static bool Bloccati(frmDDTDett& d, bool bloccati) {
    bool ok = true;
    for (int n : {30, 40, 60, 70, 80, 90, 100, 110, 120, 140, 150}) ok = ok && d.txt(n).Enabled() == !bloccati;
    return ok;
  }
};

TEST_F(Bottoni, AChoiceInAListWritesItsCodeIntoTheBoundBox) {
  frmDDTDett& d = Apri(Base());
  d.Show();
  for (int i = 1; i <= 4; ++i) d.C("PicDati", i).SetVisible(true);
  d.C("PicDett", 1).SetVisible(true);
  d.C("PicDett", 2).SetVisible(true);
  struct Caso {
    int lista, indice, box;
    const char* atteso;
  };
  const std::vector<Caso> casi = {
      {170, 1, 170, "S"}, {170, 2, 170, "I"}, {170, 0, 170, "N"},  {400, 2, 400, "2"},   {400, 0, 400, "0"},
      {410, 3, 410, "E"}, {410, 0, 410, "N"}, {430, 1, 430, "A"},  {435, 2, 410, "S"},   {900, 2, 900, "SR"},
      {900, 8, 900, "AZ"},
      // A list left with no item chosen stores "".
      {170, -1, 170, ""}, {400, -1, 400, ""}, {430, -1, 430, ""},  {900, -1, 900, ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.lista) + ":" + std::to_string(c.indice));
    d.txt(c.box).SetText("?");
    if (c.indice >= 0) ui::utente::Scegli(d.cob(c.lista), c.indice);
    else d.cob(c.lista).SetListIndex(-1);
    EXPECT_EQ(d.txt(c.box).Text(), c.atteso);
  }
}

TEST_F(Bottoni, ANewCommandClearsItsParameterAndTheSubSectionIsTheParameterOfSS) {
  frmDDTDett& d = Apri(Base());
  d.txt(900).SetText("TD");
  d.txt(910).SetText("4");
  d.txt(420).SetText("4");
  d.cob(900).SetListIndex(2);  // "SR Salta n Righe"
  EXPECT_EQ(d.txt(900).Text(), "SR");
  EXPECT_EQ(d.txt(910).Text(), "");
  EXPECT_EQ(d.txt(420).Text(), "");
  EXPECT_TRUE(d.txt(910).Enabled());
  d.cob(900).SetListIndex(3);  // "NS Non Stampa il Totale Finale"
  EXPECT_FALSE(d.txt(910).Enabled());
  // The sub-section list writes the parameter only for "SS".
  d.txt(420).SetText("x");
  d.cob(920).SetListIndex(5);  // "Resa"
  EXPECT_EQ(d.txt(420).Text(), "x");
  d.txt(900).SetText("SS");
  d.cob(920).SetListIndex(5);
  EXPECT_EQ(d.txt(420).Text(), "34");
  d.cob(920).SetListIndex(17);  // "Libero 10"
  EXPECT_EQ(d.txt(420).Text(), "49");
}

TEST_F(Bottoni, ShowingACommandLineKeepsItsCommandAndParameter) {
  // Lines 2 and 3 of the editable DDT made command lines: a "SR" and a
  // "SS" whose sub-section is not in the list.
  Sql("Update DdtDett Set TipoRiga = 'C', Comando = 'SR', NotaSopra = '3' Where Anno = 2026 And NumRif = 3 And "
      "RigDet = 2");
  Sql("Update DdtDett Set TipoRiga = 'C', Comando = 'SS', NotaSopra = '99' Where Anno = 2026 And NumRif = 3 And "
      "RigDet = 3");
  frmDDTDett& d = Righe(kDdtModificabile);
  struct Caso {
    int rigDet;
    const char *comando, *nota;
    int indice;
  };
  for (const Caso& c : {Caso{2, "SR", "3", 2}, Caso{3, "SS", "99", -1}, Caso{2, "SR", "3", 2}}) {
    SCOPED_TRACE(c.rigDet);
    Vai(d, c.rigDet);
    EXPECT_TRUE(d.C("PicDett", 2).Visible());
    EXPECT_EQ(d.txt(900).Text(), c.comando);
    EXPECT_EQ(d.txt(420).Text(), c.nota);
    EXPECT_EQ(d.cob(900).ListIndex(), c.indice);
    if (c.indice >= 0) {
      EXPECT_EQ(d.txt(910).Text(), c.nota);
    } else {
      EXPECT_TRUE(d.cob(920).Visible());
    }
    // Shown, not changed.
    EXPECT_FALSE(d.InVar());
    EXPECT_EQ(d.miInAggNonText, 0);
  }
}

TEST_F(Bottoni, TheArrowAndPageKeysNeverChangeAList) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    int tasto, shift, resta;
  };
  const std::vector<Caso> casi = {
      {ui::vbKeyUp, 0, 0},       {ui::vbKeyDown, 0, 0},          {ui::vbKeyPageUp, 0, 0},
      {ui::vbKeyPageDown, 0, 0}, {ui::vbKeyDown, ui::vbShiftMask, ui::vbKeyDown},
      {ui::vbKeyUp, ui::vbCtrlMask, ui::vbKeyUp}, {ui::vbKeyPageDown, ui::vbAltMask, ui::vbKeyPageDown},
      {'N', 0, 'N'},             {ui::vbKeyReturn, 0, ui::vbKeyReturn},
  };
  for (const auto& c : casi) {
    int k = c.tasto;
    d.KeyDown(d.cob(170), k, c.shift);
    EXPECT_EQ(k, c.resta) << c.tasto << "/" << c.shift;
  }
  // Only the lists: a text box keeps its keys.
  int k = ui::vbKeyDown;
  d.KeyDown(d.txt(30), k, 0);
  EXPECT_EQ(k, ui::vbKeyDown);
}

TEST_F(Bottoni, TheCheckBoxesStoreSOrN) {
  frmDDTDett& d = Apri(Base());
  d.Show();
  d.txt(75).SetText("");
  d.che(75).SetValue(0);
  EXPECT_EQ(d.txt(75).Text(), "N");
  ui::utente::Clicca(d.che(75));
  EXPECT_EQ(d.txt(75).Text(), "S");
  ui::utente::Clicca(d.che(75));
  EXPECT_EQ(d.txt(75).Text(), "N");
  d.obScontoPagInDet = true;
  ui::utente::Clicca(d.che(75));
  EXPECT_EQ(d.txt(75).Text(), "S");
  ui::utente::Clicca(d.che(205));
  EXPECT_EQ(d.txt(205).Text(), d.che(205).Value() == 1 ? "S" : "N");
  ui::utente::Clicca(d.che(205));
  EXPECT_EQ(d.txt(205).Text(), d.che(205).Value() == 1 ? "S" : "N");
  // The promotion box shows, it never stores.
  d.txt(175).SetText("S");
  d.che(175).SetValue(0);
  EXPECT_EQ(d.txt(175).Text(), "S");
}

TEST_F(Bottoni, ShowingALineForgetsTheCommissionReductions) {
  frmDDTDett& d = Apri(Base());
  d.mdPercRidProvvTab = 10;
  d.mdPercRidProvvQta = 0;
  d.AggNonText();
  EXPECT_EQ(d.mdPercRidProvvTab, -2);
  EXPECT_EQ(d.mdPercRidProvvQta, -2);
}

TEST_F(Bottoni, TheKindButtonsAndTheirKeys) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  G().gsQtaDef = "2";
  auto& p = d.ogLinPag();
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  ASSERT_EQ(d.txt(18).Text(), "A");
  struct Caso {
    int tasto;
    const char* tipo;
    const char* qta;
    const char* primo;
    int n;
  };
  // F8 article <-> descriptive, F5 to a command line and from it to a
  // descriptive one.
  const std::vector<Caso> casi = {
      {ui::vbKeyF8, "D", "", "txt", 425}, {ui::vbKeyF8, "A", "2", "txt", 20}, {ui::vbKeyF5, "C", "", "cob", 900},
      {ui::vbKeyF5, "D", "", "txt", 425}, {ui::vbKeyF5, "C", "", "cob", 900}, {ui::vbKeyF8, "A", "2", "txt", 20},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.tasto) + c.tipo);
    d.txt(100).SetText("5");
    EXPECT_EQ(Premi(d, c.tasto), c.tasto);
    EXPECT_EQ(d.txt(18).Text(), c.tipo);
    EXPECT_EQ(d.txt(30).Text(), c.qta);
    if (std::string(c.tipo) != "A") {
      EXPECT_EQ(d.txt(100).Text(), "");
    }
    EXPECT_EQ(d.ActiveControl(), &d.C(c.primo, c.n));
  }
  // With the article strip's button locked, F5 on a command line does
  // nothing.
  Premi(d, ui::vbKeyF5);
  ASSERT_EQ(d.txt(18).Text(), "C");
  d.AbilDisabArtRiepil(false);
  Premi(d, ui::vbKeyF5);
  EXPECT_EQ(d.txt(18).Text(), "C");
  // The buttons themselves, through the window's click.
  d.AbilDisabArtRiepil(true);
  ui::utente::Clicca(d.C("ComTipoRiga", 3));
  EXPECT_EQ(d.txt(18).Text(), "D");
  EXPECT_EQ(d.txt(410).Text(), "S");
  EXPECT_EQ(d.cob(435).ListIndex(), 2);
  ui::utente::Clicca(d.C("ComTipoRiga", 1));
  EXPECT_EQ(d.txt(18).Text(), "A");
  // Esc drops the new line, still empty, without a question.
  messaggi_.clear();
  Premi(d, ui::vbKeyEscape);
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Bottoni, InVarIsTrueOnANewLineAndOnAChangedStoredOne) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  ASSERT_EQ(p.Stato(), 1);
  EXPECT_FALSE(d.InVar());
  d.txt(30).SetText("99");
  EXPECT_TRUE(d.InVar());
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
  p.EseguiTasto("Annulla");
  EXPECT_FALSE(d.InVar());
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  EXPECT_TRUE(d.InVar());
}

TEST_F(Bottoni, ALineTakenFromAnotherDocumentLocksItsArticle) {
  frmDDTDett& d = Righe(kDdtModificabile);
  // Line 1 came from the customer's order.
  Vai(d, 1);
  ASSERT_NE(d.lab(540).Caption(), "");
  for (ui::Controllo* c : {&d.txt(20), &d.C("ComHlp", 20), &d.C("ComTipoRiga", 0)}) EXPECT_FALSE(c->Enabled());
  EXPECT_EQ(d.ogLinPag().CtrlSecondoCampo(), &d.txt(30));
  d.miArtMostrato = 1;
  d.mbCodBarSalvato = true;
  Vai(d, 2);
  ASSERT_EQ(d.lab(540).Caption(), "");
  for (ui::Controllo* c : {&d.txt(20), &d.C("ComHlp", 20), &d.C("ComTipoRiga", 0)}) EXPECT_TRUE(c->Enabled());
  EXPECT_EQ(d.ogLinPag().CtrlSecondoCampo(), &d.txt(20));
  // A stored article line is shown through its article: leaving its code
  // unchanged keeps the stored values.
  EXPECT_EQ(d.miArtMostrato, 1);
  EXPECT_FALSE(d.mbCodBarSalvato);
}

TEST_F(Bottoni, TheLevelPanelServesALineWithOneLevelRowAndTheEditorOneWithMore) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  Vai(d, 2);
  ASSERT_EQ(d.label1(20).Caption(), "Livelli");
  const std::string rigLiv = d.lab(15).Caption();
  const std::string articolo = d.txt(20).Text();
  ASSERT_FALSE(articolo.empty());
  auto liv = [&](const char* l1, const char* l2) {
    Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, " + rigLiv + ", '" +
        l1 + "', '" + l2 + "', 1)");
  };
  struct Caso {
    const char* gesTaglie;
    const char *gruppo1, *gruppo2;
    bool errore, modArt;
    int righe;  // level rows of the line
    bool pannello, bloccati, etichetta;
    const char *liv1, *liv2;
  };
  const std::vector<Caso> casi = {
      // levels not managed: no panel, codes emptied, fields free
      {"N", kGruppoTaglie, kGruppoColori, false, true, 1, false, false, false, "", ""},
      // no level group
      {"S", "", "", false, true, 1, false, false, false, "", ""},
      // one level row: the panel shows its codes
      {"S", kGruppoTaglie, kGruppoColori, false, true, 1, true, false, true, "S", "BLU"},
      // one level group: the second level is "~ç~" and hidden
      {"S", kGruppoTaglie, "", false, true, 0, true, false, true, "", "~ç~"},
      // several rows: the editor's line, fields locked
      {"S", kGruppoTaglie, kGruppoColori, false, true, 2, false, true, true, "", ""},
      // an article in error locks until a valid one is typed
      {"S", "", "", true, true, 0, false, true, false, "", ""},
      // without an article change only the marker follows
      {"S", kGruppoTaglie, kGruppoColori, false, false, 2, false, false, true, "", ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.gesTaglie) + c.gruppo1 + "/" + c.gruppo2 + " err " + std::to_string(c.errore) +
                 " rows " + std::to_string(c.righe));
    Sql("Delete From DdtLivApp Where Anno = 2026 And NumRif = 3 And RigLiv = " + rigLiv);
    if (c.righe >= 1) liv(kTagliaS, kColoreBlu);
    if (c.righe >= 2) liv(kTagliaM, kColoreBlu);
    d.DisCampiLiv(true);
    d.NascondiPicLiv();
    d.txt(20).SetText(articolo);
    d.txt(20).SetBackColor(c.errore ? G().glColoreErrore : G().glColoreSfondo);
    G().gsGesTaglie = c.gesTaglie;
    d.osLivGruppo1 = c.gruppo1;
    d.osLivGruppo2 = c.gruppo2;
    d.txt(21).SetText("x");
    d.DisabSeLivelli(false, c.modArt);
    EXPECT_EQ(d.C("picLivelli").Visible(), c.pannello);
    EXPECT_TRUE(Bloccati(d, c.bloccati));
    EXPECT_EQ(d.mbCampiLivAbil, !c.bloccati);
    EXPECT_EQ(d.label1(20).Visible(), c.etichetta);
    if (c.modArt) {
      EXPECT_EQ(d.txt(21).Text(), c.liv1);
      EXPECT_EQ(d.txt(22).Text(), c.liv2);
    }
    if (c.pannello) {
      EXPECT_EQ(d.txt(22).Visible(), *c.gruppo2 != 0);
      EXPECT_EQ(d.msLivello1Salvato, c.liv1);
      EXPECT_EQ(d.msLivello2Salvato, c.liv2);
    }
  }
  // Fields given back after a lock take the focus on the quantity.
  d.txt(20).SetBackColor(G().glColoreSfondo);
  d.txt(26).SetFocus();
  G().gsGesTaglie = "N";
  d.DisCampiLiv(false);
  d.DisabSeLivelli(true, true);
  EXPECT_EQ(d.ActiveControl(), &d.txt(30));
  d.txt(26).SetFocus();
  d.DisabSeLivelli(true, true);
  EXPECT_EQ(d.ActiveControl(), &d.txt(26));
}

}  // namespace
}  // namespace prova

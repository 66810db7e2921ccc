// Leaving a line field: the shortcut of an unchanged field, each field's
// check and message, the recalculation it starts and in which order, the
// packages and the quantity following each other, the lot that keeps an
// article, the automatic save after a barcode, and errors of the chain
// shown without escaping the event. The procedures the exit calls are
// noted through the window's trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/AperturaDiretta.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class Uscita : public AperturaDiretta {
 protected:
  // The inputs of DDT 3 in the company's euro.
  static ParDettaglio Euro() {
    ParDettaglio p = Base();
    p.osMoneta = kEuro;
    return p;
  }
  frmDDTDett& Finestra(const ParDettaglio& p = Euro()) {
    frmDDTDett& d = Apri(p);
    d.mpTracciaCampi = &traccia_;
    traccia_.clear();
    return d;
  }
  void Chiudi(frmDDTDett& d) {
    ChiudiScartando(d);
    traccia_.clear();
  }
  frmDDTDett& Demo(long numRif) {
    frmDDTDett& d = Righe(numRif);
    d.mpTracciaCampi = &traccia_;
    return d;
  }
  // The user enters field n, the text becomes `testo`, the user leaves it:
  // the trace keeps only what the exit did.
  void Scrivi(frmDDTDett& d, int n, const std::string& testo) {
    d.txt_GotFocus(n);
    traccia_.clear();
    d.txt(n).SetText(testo);
    d.txt_LostFocus(n);
  }
  static bool Rosso(frmDDTDett& d, int n) { return d.txt(n).BackColor() == G().glColoreErrore; }
  // An article line as the article display leaves it.
  static void Articolo(frmDDTDett& d) {
    d.txt(18).SetText("A");
    d.txt(20).SetText(kArticoloViti);
    d.txt(30).SetText("2");
    d.txt(60).SetText("12,5");
    d.txt(70).SetText("25");
    d.txt(130).SetText(kIva22);
    d.txt(140).SetText("PZ");
    d.txt(150).SetText("1");
    d.txt(175).SetText("N");
    d.miArtMostrato = 1;
    // The display takes the code as the article field's entry value.
    d.masValIngresso[20] = kArticoloViti;
  }

};

TEST_F(Uscita, AnUnchangedFieldIsOnlyFormattedWhateverTheFocusColours) {
  // With the lost-focus colour of the company apart from the background,
  // the article field never shows the background once left: the shortcut
  // still holds while it is not in error.
  for (long perso : {G().glColBacklostFocus, 0xE0FFE0L}) {
    G().glColBacklostFocus = perso;
    frmDDTDett& d = Finestra();
    Articolo(d);
    d.txt(20).SetBackColor(perso);
    d.txt(80).SetText("10");
    d.txt(165).SetText("C1");
    SCOPED_TRACE(perso);
    for (int n : {30, 60, 70, 80, 90, 100, 110, 120, 130, 140, 160, 165, 180, 195, 830}) {
      Scrivi(d, n, d.txt(n).Text());
      EXPECT_EQ(Traccia(), "") << n;
    }
    // An article in error makes every field run its step.
    d.txt(20).SetBackColor(G().glColoreErrore);
    const std::vector<std::pair<int, std::string>> passi = {
        {80, "MostraScontoTot(1,1)"}, {90, "CalcScontoTot(1)"}, {140, "MostraUM(1)"},
        {165, "MostraCentroDiCosto(1)"}, {195, "MostraBeneUsato"}, {830, "DecodCodice(Contratti)"},
        // The account is formatted and decoded with what was typed.
        {160, "MostraCRicavi(1,1,)"}};
    for (const auto& [n, passo] : passi) {
      Scrivi(d, n, d.txt(n).Text());
      EXPECT_EQ(Traccia(), passo) << n;
    }
    Chiudi(d);
  }
}

TEST_F(Uscita, TheVatCodeIsDecodedWhenChangedOrInError) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  struct Caso {
    const char *prima, *dopo;
    bool errore;
    const char* traccia;
  };
  // Other capitals pass the shortcut but are no change.
  const std::vector<Caso> casi = {{"e10", "E10", false, ""}, {"E10", "22", false, "MostraIva(1)"},
                                  {"E10", "E10", false, ""}, {"e10", "E10", true, "MostraIva(1)"},
                                  // Unchanged: in error or not, only the next entry tells.
                                  {"E10", "E10", true, ""}};
  for (const auto& c : casi) {
    d.txt(130).SetText(c.prima);
    d.txt(130).SetBackColor(G().glColoreSfondo);
    d.txt_GotFocus(130);
    traccia_.clear();
    d.txt(130).SetText(c.dopo);
    if (c.errore) d.txt(130).SetBackColor(G().glColoreErrore);
    d.txt_LostFocus(130);
    EXPECT_EQ(Traccia(), c.traccia) << c.prima << ">" << c.dopo << c.errore;
  }
}

TEST_F(Uscita, QuantityPriceAndAmountRecalculateFromWhatWasTyped) {
  G().gsMascQta = "#,###.^^^";
  G().giNumDecQta = 3;
  struct Caso {
    int campo;
    const char* articolo;
    const char* promozione;
    const char* scritto;
    const char* traccia;
    bool errore;
  };
  const char* viti = kArticoloViti;
  const std::vector<Caso> casi = {
      // From 50 screws a quantity discount applies; back under 50 the rule
      // answers again, to take away the discount it gave; without one it
      // has nothing to say.
      {30, viti, "N", "60", "RicScontoQta ElaboraSconti(1,0,0,0) CalcPrezzo(0)", false},
      {30, viti, "N", "5", "RicScontoQta ElaboraSconti(1,0,0,0) CalcPrezzo(0)", false},
      {30, viti, "N", "5", "RicScontoQta CalcPrezzo(0)", false},
      {30, viti, "S", "5", "CalcPrezzo(0)", false},
      {30, "", "N", "5", "CalcPrezzo(0)", false},
      // A quantity of 0 recomputes nothing.
      {30, viti, "S", "0", "", false},
      {30, viti, "S", "1.234.567,891", "CalcPrezzo(0)", false},
      {60, viti, "N", "13", "CalcPrezzo(1)", false},
      {60, viti, "N", "1.234.567,891", "CalcPrezzo(1)", false},
      {70, viti, "N", "40", "CalcPrezzo(2)", false},
      {70, viti, "N", "1.234.567,891", "", true},
      {30, viti, "S", "abc", "", true},
      {30, viti, "S", "1e400", "", true},
      {60, viti, "N", "9E999", "", true},
      {70, viti, "N", "-", "", true},
      {30, viti, "S", "1.000.000.000.000.000.000.000", "", true},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    Articolo(d);
    d.txt(20).SetText(c.articolo);
    d.txt(175).SetText(c.promozione);
    d.txt(c.campo).SetBackColor(G().glColoreSfondo);
    SCOPED_TRACE(std::to_string(c.campo) + " " + c.scritto);
    Scrivi(d, c.campo, c.scritto);
    EXPECT_EQ(Traccia(), c.traccia);
    EXPECT_EQ(Rosso(d, c.campo), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.errore ? "Campo numerico: valore non valido" : "");
    if (c.campo == 30 && std::string(c.scritto) == "60") {
      EXPECT_EQ(d.txt(120).Text(), "3");
    }
    if (c.campo == 30 && std::string(c.scritto) == "5") {
      EXPECT_EQ(d.txt(120).Text(), "");
    }
    // Nothing unreadable is made into a number of another field.
    for (int n : {30, 40, 60, 70}) {
      EXPECT_EQ(d.txt(n).Text().find("inf"), std::string::npos) << n;
      EXPECT_EQ(d.txt(n).Text().find("nan"), std::string::npos) << n;
    }
  }
}

TEST_F(Uscita, PackagesMoveTheQuantityOnlyWhileItIsTheirs) {
  G().gsMascQta = "#,###.^^^";
  struct Caso {
    const char *pezzi, *colliPrima, *colli, *qta;
    bool dimensioni;
    const char *qtaDopo, *traccia;
    bool errore;
  };
  const std::vector<Caso> casi = {
      // 2 to 3 packages of 6: the 12 of the old packages becomes 18 and the
      // quantity's own exit runs; 13 typed by hand stays.
      {"6", "2", "3", "12", false, "18", "RicScontoQta CalcPrezzo(0)", false},
      {"6", "2", "3", "13", false, "13", "", false},
      {"6", "2", "3", "0", false, "18", "RicScontoQta CalcPrezzo(0)", false},
      {"6", "2", "3", "", false, "18", "RicScontoQta CalcPrezzo(0)", false},
      // 10 packages of 6 reach the quantity discount from 50.
      {"6", "2", "10", "12", false, "60", "RicScontoQta ElaboraSconti(1,0,0,0) CalcPrezzo(0)", false},
      // The same packages again: the quantity stays and only its format runs.
      {"6", "3", "3", "18", false, "18", "", false},
      {"0", "2", "3", "12", false, "12", "", false},
      {"6", "2", "3", "12", true, "12", "CalcQtaDaDimens", false},
      {"6", "2", "-1", "12", false, "12", "", true},
      {"6", "2", "abc", "12", false, "12", "", true},
      {"6", "2", "1e400", "12", false, "12", "", true},
  };
  for (const auto& c : casi) {
    if (c.dimensioni) ParPers("Vendite", "QtaDaDimen", "S");
    frmDDTDett& d = Finestra();
    Articolo(d);
    d.lab(50).SetCaption(c.pezzi);
    d.txt(40).SetText(c.colliPrima);
    d.txt(30).SetText(c.qta);
    SCOPED_TRACE(std::string(c.colliPrima) + ">" + c.colli + " qta " + c.qta + (c.dimensioni ? " dim" : ""));
    Scrivi(d, 40, c.colli);
    EXPECT_EQ(d.txt(30).Text(), c.qtaDopo);
    EXPECT_EQ(Traccia(), c.traccia);
    EXPECT_EQ(Rosso(d, 40), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.errore ? "Campo numerico: valore non valido" : "");
    Chiudi(d);
    parPers_.clear();
  }
}

TEST_F(Uscita, AnEmptyPackageCountFollowsTheQuantity) {
  struct Caso {
    bool decimali;
    const char *pezzi, *colli, *qta, *colliDopo;
  };
  const std::vector<Caso> casi = {
      {false, "6", "", "13", "3"}, {true, "6", "", "13", "2,17"}, {false, "6", "5", "13", "5"},
      {false, "", "", "13", ""},   {false, "6", "", "-12", "-2"},
  };
  for (const auto& c : casi) {
    ParDettaglio p = Euro();
    p.obColliDec = c.decimali;
    frmDDTDett& d = Finestra(p);
    Articolo(d);
    d.lab(50).SetCaption(c.pezzi);
    d.txt(40).SetText(c.colli);
    Scrivi(d, 30, c.qta);
    EXPECT_EQ(d.txt(40).Text(), c.colliDopo) << c.pezzi << " " << c.colli << " " << c.qta << c.decimali;
    Chiudi(d);
  }
}

TEST_F(Uscita, TheUnitSetsTheFactorOfTheArticleSide) {
  // The article's purchase unit and another one, both known to the company.
  Sql("Insert Into UnitaMisura (UM, Descrizione) Values ('SC', 'Scatole')");
  Sql("Insert Into UnitaMisura (UM, Descrizione) Values ('KG', 'Chilogrammi')");
  frmDDTDett& d = Finestra();
  Articolo(d);
  d.msArtUM = "PZ";
  d.msArtUMVen = "CF";
  d.msFatConVen = "6";
  d.msArtUMAcq = "SC";
  d.msFatConAcq = "12";
  const std::vector<std::pair<const char*, const char*>> casi = {{"cf", "6"}, {"SC", "12"}, {"pz", "1"}, {"KG", ""}};
  for (const auto& [um, fattore] : casi) {
    d.txt(140).SetText("XX");
    d.txt(150).SetText("9");
    Scrivi(d, 140, um);
    EXPECT_EQ(d.txt(150).Text(), fattore) << um;
    EXPECT_EQ(d.masValIngresso[150], "9") << um;
    EXPECT_EQ(Traccia(), "MostraUM(1)");
  }
  // The sales unit wins over the same base unit.
  d.msArtUMVen = "PZ";
  d.txt(140).SetText("XX");
  Scrivi(d, 140, "PZ");
  EXPECT_EQ(d.txt(150).Text(), "6");
  // A unit the decoder left in error stops there.
  d.txt(140).SetText("XX");
  d.txt(150).SetText("9");
  d.txt_GotFocus(140);
  d.txt(140).SetText("ZZ");
  d.txt(140).SetBackColor(G().glColoreErrore);
  d.txt_LostFocus(140);
  EXPECT_EQ(d.TestoPannello(), "Codice Unità di Misura non valido");
  EXPECT_EQ(d.txt(150).Text(), "9");
}

TEST_F(Uscita, TheAccountRefusesHyphensYetIsFormattedAndDecoded) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  struct Caso {
    const char *scritto, *testo;
    bool errore;
  };
  const std::vector<Caso> casi = {{"60010001", "60-01-0001", false}, {"60-01-0001", "60-01-0001", true}};
  for (const auto& c : casi) {
    d.txt(160).SetText("");
    Scrivi(d, 160, c.scritto);
    EXPECT_EQ(d.txt(160).Text(), c.testo);
    EXPECT_EQ(Rosso(d, 160), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.errore ? "Non usare - nel campo conto" : "");
    EXPECT_EQ(Traccia(), std::string("MostraCRicavi(1,1,") + c.scritto + ")");
  }
}

TEST_F(Uscita, ANewNoteTakesTheDefaultPrintModeAndTextLinesGoIntoTheNote) {
  struct Caso {
    int campo;
    const char *nota, *modo, *sopra, *sotto, *modoDopo;
    int voce;
  };
  // The list shows "No Stampa" at first; a default that is no code of the
  // list leaves it without a choice.
  const std::vector<Caso> casi = {
      {420, "Nota", "N", "A", "", "A", 1}, {420, "Nota", "N", "", "S", "N", 0}, {420, "", "N", "A", "", "N", 0},
      {420, "Nota", "S", "A", "", "S", 0}, {440, "Nota", "n", "", "E", "E", 3}, {440, "Nota", "N", "X", "", "N", 0},
      {440, "Nota", "N", "", "X", "X", -1},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    d.msDoveStampoSopra = c.sopra;
    d.msDoveStampoSotto = c.sotto;
    const int modo = c.campo == 420 ? 410 : 430;
    d.cob(modo).SetListIndex(0);
    d.txt(modo).SetText(c.modo);
    d.txt(c.campo).SetText("");
    Scrivi(d, c.campo, c.nota);
    SCOPED_TRACE(std::to_string(c.campo) + c.nota + c.modo + c.sopra + c.sotto);
    EXPECT_EQ(d.txt(modo).Text(), c.modoDopo);
    EXPECT_EQ(d.cob(modo).ListIndex(), c.voce);
  }
  for (int n : {425, 910}) {
    Scrivi(d, n, "Testo " + std::to_string(n));
    EXPECT_EQ(d.txt(420).Text(), "Testo " + std::to_string(n));
  }
}

TEST_F(Uscita, LevelCodesRepriceWhenChangedAndOnlyTheSecondSaysItIsWrong) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  d.txt(20).SetText(kArticoloTaglie);
  struct Caso {
    int campo;
    const char* codice;
    bool errore;
    const char* pannello;
  };
  const std::vector<Caso> casi = {
      {21, kTagliaM, false, ""},          {21, "ZZ", true, ""},
      {22, kColoreBlu, false, ""},        {22, "ZZ", true, "Codice Livello non valido"},
      {22, "a'b*?", true, "Codice Livello non valido"},
  };
  for (const auto& c : casi) {
    d.txt(c.campo).SetText("");
    d.txt(c.campo).SetBackColor(G().glColoreSfondo);
    messaggi_.clear();
    Scrivi(d, c.campo, c.codice);
    SCOPED_TRACE(std::to_string(c.campo) + c.codice);
    EXPECT_EQ(Traccia(), "MostraDispGiac CercaListino ElaboraSconti(1,1,1,0) LivQtaDef CalcPrezzo(1) DecodCodice(Livello)");
    EXPECT_EQ(Rosso(d, c.campo), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.pannello);
    if (c.errore) {
      EXPECT_EQ(d.lab(c.campo).Caption(), "** INESISTENTE **");
    }
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
  // A contract code with quotes and wildcards is one that does not exist.
  messaggi_.clear();
  Scrivi(d, 830, "C'1*?");
  EXPECT_TRUE(Rosso(d, 830));
  EXPECT_EQ(d.lab(830).Caption(), "** INESISTENTE **");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  traccia_.clear();
  // Unchanged with the article in error: decoded again, not re-priced.
  d.txt(21).SetText(kTagliaM);
  d.txt(21).SetBackColor(G().glColoreSfondo);
  d.txt(20).SetBackColor(G().glColoreErrore);
  Scrivi(d, 21, d.txt(21).Text());
  EXPECT_EQ(Traccia(), "DecodCodice(Livello)");
}

TEST_F(Uscita, DimensionsAreCheckedCopiedToTheirTwinAndMakeTheQuantity) {
  struct Caso {
    bool dimensioni;
    int campo;
    const char* scritto;
    bool errore;
  };
  const std::vector<Caso> casi = {
      {false, 800, "1200", false}, {false, 810, "abc", true}, {true, 250, "1200", false},
      {true, 270, "1e400", true},  {true, 820, "800", false}, {true, 800, "abc", true},
  };
  for (const auto& c : casi) {
    if (c.dimensioni) ParPers("Vendite", "QtaDaDimen", "S");
    frmDDTDett& d = Finestra();
    const int gemello = c.campo < 800 ? c.campo + 550 : c.campo - 550;
    SCOPED_TRACE(std::to_string(c.campo) + c.scritto + (c.dimensioni ? " dim" : ""));
    Scrivi(d, c.campo, c.scritto);
    EXPECT_EQ(Rosso(d, c.campo), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.errore ? "Campo numerico: valore non valido" : "");
    EXPECT_EQ(d.txt(gemello).Text(), d.txt(c.campo).Text());
    EXPECT_EQ(Traccia(), c.dimensioni ? "CalcQtaDaDimens" : "");
    Chiudi(d);
    parPers_.clear();
  }
}

TEST_F(Uscita, TheArticleIsShownAgainWhenItChangedIsInErrorOrWasNotShownYet) {
  frmDDTDett& d = Finestra();
  struct Caso {
    const char *prima, *dopo;
    int16_t mostrato;
    bool errore, descrAbil, aiuto;
    const char* traccia;
  };
  const std::vector<Caso> casi = {
      {"", kArticoloViti, 1, false, true, false, "MostraArticolo(1,0,1,1)"},
      {kArticoloViti, kArticoloViti, 1, false, true, false, "DisabSeLivelli(1,1)"},
      {kArticoloViti, kArticoloViti, -1, false, true, false, "MostraArticolo(1,0,1,0)"},
      // A code that does not exist, left unchanged: the display looks again
      // and leaves it in error.
      {"ZZ404", "ZZ404", 1, true, true, false, "MostraArticolo(1,0,1,0)"},
      {"", "", 1, false, false, false, "MostraArticolo(1,0,1,0)"},
      {"", "", 1, false, true, false, "DisabSeLivelli(1,1)"},
      {kArticoloViti, kArticoloLotti, 1, false, true, true, "MostraArticolo(1,1,1,1)"},
  };
  for (const auto& c : casi) {
    d.txt(20).SetText(c.prima);
    d.txt(20).SetBackColor(G().glColoreSfondo);
    d.txt(26).SetEnabled(c.descrAbil);
    d.miArtMostrato = c.mostrato;
    d.mbArtDaAiuto = c.aiuto;
    d.txt_GotFocus(20);
    traccia_.clear();
    d.txt(20).SetText(c.dopo);
    // As the display of that code left it on its earlier exit.
    if (c.errore) d.txt(20).SetBackColor(G().glColoreErrore);
    d.txt_LostFocus(20);
    SCOPED_TRACE(std::string(c.prima) + ">" + c.dopo);
    EXPECT_EQ(Traccia(), c.traccia);
    EXPECT_EQ(Rosso(d, 20), c.errore);
    EXPECT_EQ(d.TestoPannello(), c.errore ? "Codice Articolo non valido" : "");
  }
  d.mbArtDaAiuto = false;
}

TEST_F(Uscita, ANewCodeLeftForTheDescriptionGoesOnToTheLevelsOrTheQuantity) {
  for (bool livelli : {false, true}) {
    // With levels managed the display of an article with levels shows the
    // level panel.
    G().gsGesTaglie = livelli ? "S" : "";
    frmDDTDett& d = Finestra();
    d.txt(26).SetEnabled(true);
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
    ui::utente::Digita(d.txt(20), livelli ? kArticoloTaglie : kArticoloViti);
    ui::utente::Fuoco(d.txt(26));
    EXPECT_EQ(d.C("picLivelli").Visible(), livelli);
    EXPECT_EQ(d.ActiveControl(), &d.txt(livelli ? 21 : 30)) << livelli;
    // Back without a change: the description keeps the focus.
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(26)));
    EXPECT_EQ(d.ActiveControl(), &d.txt(26));
    Chiudi(d);
  }
}

TEST_F(Uscita, TheDescriptionIsKeptOnlyWhenItDiffersFromTheArticles) {
  // The article display answers here that the description is the article's.
  frmDDTDett& d = Finestra();
  Articolo(d);
  d.msDescrArt = "Viti";
  d.label1(23).SetVisible(true);
  d.txt(23).SetText("vecchia");
  Scrivi(d, 26, "Viti");
  EXPECT_EQ(Traccia(), "AbilDescArt(0) ArtDescrToApp");
  EXPECT_EQ(d.txt(23).Text(), "");
  EXPECT_FALSE(d.label1(23).Visible());
}

TEST_F(Uscita, AStoredLineWithALotKeepsItsArticle) {
  frmDDTDett& d = Demo(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  ASSERT_EQ(d.txt(20).Text(), kArticoloLotti);
  struct Caso {
    const char* scritto;
    int nrProg;
    bool entrataInErrore;
    const char* messaggio;
  };
  const std::string testa = "In questa riga è stato inserito il lotto del fornitore 07-01-0004\r\nCodice lotto: ";
  const std::string coda = " e non è quindi possibile cambiare il codice articolo";
  const std::vector<Caso> casi = {
      {kArticoloViti, 1, false, ""},
      {kArticoloViti, 3, false, " nr. 3"},
      // A field entered in error compares with the stored code.
      {kArticoloViti, 1, true, ""},
  };
  for (const auto& c : casi) {
    Sql("Update DdtRintracciaApp Set NrProgLotto = " + std::to_string(c.nrProg) + " Where Anno = 2026 And NumReg = 3");
    d.txt(20).SetText(kArticoloLotti);
    d.txt(20).SetBackColor(c.entrataInErrore ? G().glColoreErrore : G().glColoreSfondo);
    messaggi_.clear();
    Scrivi(d, 20, c.scritto);
    SCOPED_TRACE(std::to_string(c.nrProg) + (c.entrataInErrore ? " errore" : ""));
    ASSERT_EQ(messaggi_.size(), 1u);
    EXPECT_EQ(messaggi_[0], testa + kLotto1 + c.messaggio + coda);
    EXPECT_EQ(d.TestoPannello(), "Non cambiabile Articolo con lotto");
    EXPECT_EQ(d.txt(20).Text(), kArticoloLotti);
    EXPECT_EQ(Traccia(), "");
  }
  // The same code written otherwise is no change.
  d.txt(20).SetBackColor(G().glColoreSfondo);
  messaggi_.clear();
  Scrivi(d, 20, " olio5l ");
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(d.TestoPannello(), "");
}

TEST_F(Uscita, ABarcodeOnANewPricedLineSavesItOnce) {
  G().giKeyRicDdt = 1;
  ParDettaglio p = Euro();
  p.obCodBarLostFocusSalva = true;
  frmDDTDett& d = Finestra(p);
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  Articolo(d);
  d.txt(20).SetText("");
  d.masValIngresso[20] = "";
  d.miArtMostrato = -1;
  // The reader types the code and moves on.
  auto legge = [&](const char* codice) {
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
    d.txt(20).SetText(codice);
    traccia_.clear();
    ui::utente::Fuoco(d.txt(30));
  };
  auto salvataggi = [&] {
    int n = 0;
    for (const auto& v : traccia_) n += v == "ButtonComando(Salva)";
    traccia_.clear();
    return n;
  };
  legge(kArticoloViti);
  EXPECT_EQ(traccia_.front(), "MostraArticolo(1,0,1,1)");
  EXPECT_EQ(salvataggi(), 1);
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  EXPECT_EQ(Valore("Select Count(*) As N from DdtDettApp Where Anno = 2026 And NumRif = 3", "N"), "1");
  // Once saved, another exit from the article of the new line saves nothing.
  d.mbCodBarSalvato = true;
  Articolo(d);
  legge(kArticoloLotti);
  EXPECT_EQ(salvataggi(), 0);
  // Without a price, or with the setting off, no save. An article with
  // levels, levels managed, leaves its price to the level rows.
  d.mbCodBarSalvato = false;
  G().gsGesTaglie = "S";
  legge(kArticoloTaglie);
  EXPECT_EQ(d.txt(60).Text(), "");
  EXPECT_EQ(salvataggi(), 0);
  G().gsGesTaglie = "";
  d.txt(60).SetText("1");
  d.obCodBarLostFocusSalva = false;
  legge(kArticoloLotti);
  EXPECT_EQ(salvataggi(), 0);
  G().giKeyRicDdt = 0;
}

TEST_F(Uscita, AnErrorOfTheChainIsShownAndLeavesTheFieldInError) {
  frmDDTDett& d = Demo(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  // The lot rows cannot be read: the refusal check fails.
  Sql("Drop Table DdtRintracciaApp");
  messaggi_.clear();
  EXPECT_NO_THROW(Scrivi(d, 20, kArticoloViti));
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
  EXPECT_TRUE(Rosso(d, 20));
  // Through the window's own event too, on a line whose article may be
  // changed (the first came from an order).
  messaggi_.clear();
  ASSERT_EQ(d.ogLinPag().EseguiTasto("Successiva"), "");
  ASSERT_TRUE(d.lab(540).Caption().empty());
  d.txt(20).SetBackColor(G().glColoreSfondo);
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
  d.txt(20).SetText(kArticoloViti);
  EXPECT_NO_THROW(ui::utente::Fuoco(d.txt(30)));
  EXPECT_FALSE(messaggi_.empty());
  EXPECT_TRUE(Rosso(d, 20));
}

TEST_F(Uscita, AFieldFilledByProgramRunsTheChainOfATypedOne) {
  const std::vector<std::pair<int, std::string>> campi = {
      {20, kArticoloViti}, {30, "60"}, {60, "12,5"}, {70, "750"}};
  // Typed on a new line.
  frmDDTDett& d = Finestra();
  std::vector<std::string> scritta;
  for (const auto& [n, v] : campi) {
    d.txt_GotFocus(n);
    d.txt(n).SetText(v);
    d.txt_LostFocus(n);
  }
  for (const auto& v : traccia_)
    if (v != "DisCampiLiv(1)") scritta.push_back(v);
  const std::vector<int> riga = {18,  20,  23,  26,  30,  40,  60,  70,  80,  90,
                                 100, 110, 120, 130, 140, 150, 160, 175, 180, 190};
  std::vector<std::string> digitata;
  for (int n : riga) digitata.push_back(d.txt(n).Text());
  const std::string lire = d.lab(290).Caption(), euro = d.lab(300).Caption();
  // The quantity discount of the 60 screws is in the chain, and the amount
  // typed last gave the price before the discount.
  EXPECT_EQ(d.txt(120).Text(), "3");
  EXPECT_EQ(d.txt(60).Text(), "12,8866");
  Chiudi(d);
  // Filled by program on another new line, the entry values left over from
  // a line typed before (the quantity's among them).
  frmDDTDett& e = Finestra();
  e.masValIngresso[30] = "60";
  e.masValIngresso[60] = "12,5";
  for (const auto& [n, v] : campi) e.CampoDaCodice(n, v);
  EXPECT_EQ(traccia_, scritta);
  EXPECT_EQ(Traccia(), "MostraArticolo(1,0,1,1) RicScontoQta ElaboraSconti(1,0,0,0) CalcPrezzo(0) CalcPrezzo(1) CalcPrezzo(2)");
  // The same line, to the last field and the lire and euro values.
  for (size_t i = 0; i < riga.size(); ++i) EXPECT_EQ(e.txt(riga[i]).Text(), digitata[i]) << riga[i];
  EXPECT_EQ(e.lab(290).Caption(), lire);
  EXPECT_EQ(e.lab(300).Caption(), euro);
  EXPECT_FALSE(euro.empty());
}

TEST_F(Uscita, TheFieldHoldingTheFocusIsLeftBeforeTheGridMoves) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(60)));
  d.txt(60).SetText("14");
  traccia_.clear();
  d.LostTxtActive();
  EXPECT_EQ(Traccia(), "CalcPrezzo(1)");
  // The timer's step gives the field its entry again.
  d.GotTxtActive();
  EXPECT_EQ(d.masValIngresso[60], "14");
  // Nothing when the grid holds the focus.
  ASSERT_TRUE(ui::utente::Fuoco(d.dbgRiga()));
  d.LostTxtActive();
  d.GotTxtActive();
  EXPECT_EQ(Traccia(), "");
}

}  // namespace
}  // namespace prova

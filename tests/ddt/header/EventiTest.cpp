// The header's fields driven as a user drives them on the demo company:
// entering a field, typing and leaving it; the red mark of a check that
// failed and its message in the status bar; the decode on exit; the gates
// that hold the exits and the combo clicks while a command runs or while
// the hidden fields are copied into the controls; the check and combo boxes.
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/ui/Headless.h"

namespace {

namespace demo = dati::demo;
namespace utente = ui::utente;

class Eventi : public prova::TestataProva {
 protected:
  // The demo DDT shown, the messages of its loading and display dropped.
  frmDdtTest& Mostra(long numRif) {
    frmDdtTest& f = TestataProva::Mostra(numRif);
    messaggi_.clear();
    return f;
  }

  // The page of the tab (1 to 6) in front, as a click on its tab.
  static void Pagina(frmDdtTest& f, int tab) { f.C("TasPagine").SetSelectedTab(tab); }

  // The user enters the field, types over its text and goes to `poi`.
  static void Scrivi(frmDdtTest& f, int campo, const std::string& testo, int poi) {
    ASSERT_TRUE(utente::Fuoco(f.txt(campo))) << campo;
    if (testo.empty()) {
      utente::Premi(f, ui::vbKeyDelete);
    } else {
      utente::Digita(f.txt(campo), testo);
    }
    ASSERT_TRUE(utente::Fuoco(f.txt(poi))) << poi;
  }

  static std::string Pannello(frmDdtTest& f, const char* chiave) {
    return f.C("staMessaggi").Elem(chiave).Caption;
  }

  static bool Rosso(frmDdtTest& f, int campo) { return f.txt(campo).BackColor() == G().glColoreErrore; }
};

// ---------------------------------------------------------------- checks

TEST_F(Eventi, AValueThatDoesNotReadTurnsRedWithItsMessageAndNoDialog) {
  struct Caso {
    int pagina, campo, poi;
    const char* digitato;
    const char* messaggio;
  };
  const Caso casi[] = {
      {1, 30, 90, "31/02/2024", "Data non valida"},
      {1, 70, 90, "31/02/2024", "Data non valida"},
      {4, 1190, 1200, "30/02/2026", "Data non valida"},
      {4, 1200, 1190, "25:61", "Ora non valida"},
      {4, 1230, 1220, "25:61", "Ora non valida"},
      {1, 240, 230, "10+-5", "Sconto non valido"},
      {1, 230, 240, "10+-5", "Sconto non valido"},
      {1, 50, 90, "XY", "Prefisso DDT inesistente nella lista validi"},
  };
  Param("Fat.ElePrefDdt", "A;B");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const int modali = backend_.ModaliMostrate();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.campo) + " " + c.digitato);
    Pagina(f, c.pagina);
    Scrivi(f, c.campo, c.digitato, c.poi);
    EXPECT_TRUE(Rosso(f, c.campo));
    // The value stays as typed and the focus where the user put it.
    EXPECT_EQ(f.txt(c.campo).Text(), c.digitato);
    EXPECT_EQ(f.ActiveControl(), &f.txt(c.poi));
    EXPECT_EQ(Pannello(f, "Messaggio"), c.messaggio);
  }
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
}

TEST_F(Eventi, ValidValuesClearTheRedMark) {
  struct Caso {
    int pagina, campo, poi;
    const char* sbagliato;
    const char* giusto;
    const char* mostrato;
  };
  const Caso casi[] = {
      {1, 70, 90, "31/02/2026", "01/12/2026", "01/12/2026"},
      {4, 1200, 1190, "25:61", "8:05", "08:05"},
      {1, 240, 230, "10+-5", "10+5-3", "10+5-3"},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.campo);
    Pagina(f, c.pagina);
    Scrivi(f, c.campo, c.sbagliato, c.poi);
    ASSERT_TRUE(Rosso(f, c.campo));
    Scrivi(f, c.campo, c.giusto, c.poi);
    EXPECT_FALSE(Rosso(f, c.campo));
    EXPECT_EQ(f.txt(c.campo).Text(), c.mostrato);
  }
}

TEST_F(Eventi, TheDateOfAStoredDdtStaysInItsYear) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  Scrivi(f, 30, "15/01/2025", 90);
  EXPECT_TRUE(Rosso(f, 30));
  EXPECT_EQ(f.txt(20).Text(), "2026");
  EXPECT_EQ(f.txt(30).Text(), "15/01/2025");
}

// ---------------------------------------------------------------- decoders

TEST_F(Eventi, CodesThatCannotExistAreUnknownWithoutAnSqlError) {
  const std::vector<std::string> codici = {"A'B", "''", "'; Drop Table DdtTest; --", "*", "?", "%", "A%", "1*",
                                           std::string(300, 'X')};
  struct Campo {
    int pagina, campo, poi;
  };
  const Campo campi[] = {{1, 270, 240}, {1, 250, 240}, {1, 290, 240}, {2, 480, 490},
                         {2, 560, 490}, {2, 530, 490}, {2, 1400, 490}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const int modali = backend_.ModaliMostrate();
  for (const Campo& c : campi) {
    Pagina(f, c.pagina);
    for (const std::string& codice : codici) {
      SCOPED_TRACE(std::to_string(c.campo) + " " + codice.substr(0, 20));
      Scrivi(f, c.campo, codice, c.poi);
      EXPECT_EQ(f.lab(c.campo).Caption(), aiuti::kInesistente);
      EXPECT_EQ(f.txt(c.campo).Text(), codice);
    }
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  // The company's rows are whole.
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*db_, conn_, "", "Select count(*) as N from DdtTest", false, 4);
  EXPECT_GT(rs.LeggiCampo(k, "N").ToLong(), 0);
  rs.ChiudiRecordset(k);
}

TEST_F(Eventi, AFieldRedOnEntryIsDecodedAgainWhenLeftUnchanged) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  Scrivi(f, 270, "ZZ", 240);
  ASSERT_EQ(f.lab(270).Caption(), aiuti::kInesistente);
  ASSERT_TRUE(Rosso(f, 270));
  // Entering it again remembers the sentinel, then paints the focus colour.
  ASSERT_TRUE(utente::Fuoco(f.txt(270)));
  EXPECT_EQ(f.msValEntrata[270], frmDdtTest::kSentinellaErrore);
  EXPECT_FALSE(Rosso(f, 270));
  f.lab(270).SetCaption("");
  ASSERT_TRUE(utente::Fuoco(f.txt(240)));
  // Unchanged, yet decoded again: still unknown, and red once more.
  EXPECT_EQ(f.lab(270).Caption(), aiuti::kInesistente);
  EXPECT_TRUE(Rosso(f, 270));
  Scrivi(f, 270, demo::kIva22, 240);
  EXPECT_FALSE(Rosso(f, 270));
  EXPECT_NE(f.lab(270).Caption(), aiuti::kInesistente);
  EXPECT_FALSE(f.lab(270).Caption().empty());
}

TEST_F(Eventi, AFieldTheFocusOnlyPassedThroughRunsNoExit) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // A wrong date left in the document date by code: only a real exit of
  // that field would check it.
  f.txt(70).SetText("31/02/2026");
  Pagina(f, 4);
  // The destination's code goes: its decoder puts the focus on the free
  // destination while the user's click is taking it to the document date.
  f.txt(800).SetText(demo::kCliente1);
  ASSERT_TRUE(utente::Fuoco(f.txt(800)));
  f.txt(800).SetText("");
  utente::Fuoco(f.txt(70));
  EXPECT_EQ(f.ActiveControl(), &f.txt(810));
  EXPECT_FALSE(Rosso(f, 70));
  EXPECT_TRUE(Pannello(f, "Messaggio").empty());
}

// ---------------------------------------------------------------- gates

TEST_F(Eventi, TheGatesAreTheWindowsOwnFlags) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  EXPECT_EQ(f.miEventiSospesi, -1);
  f.miEventiSospesi = 240;
  EXPECT_EQ(f.miTxtRientro, 240);
  f.msComandoCorrente = "Salva";
  EXPECT_EQ(f.msTastoInCorso, "Salva");
  f.miEventiSospesi = -1;
  f.msComandoCorrente.clear();
}

TEST_F(Eventi, ValuesSetByCodeFireTheirEventsAtOnce) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ASSERT_FALSE(f.InVar());
  // A text: the bar hears of the change.
  f.txt(90).SetText("ordine 12");
  EXPECT_TRUE(f.InVar());
  // A combo: its code reaches the hidden field before the next statement.
  f.C("cob", 470).SetListIndex(2);
  EXPECT_EQ(f.txt(470).Text(), "C");
  f.C("cob", 620).SetListIndex(1);
  EXPECT_EQ(f.txt(620).Text(), "S");
  // A check box, likewise.
  f.C("che", 280).SetValue(1);
  EXPECT_EQ(f.txt(280).Text(), "S");
}

TEST_F(Eventi, WhileTheFieldsAreHeldExitsAndCombosChangeNothing) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ASSERT_TRUE(utente::Fuoco(f.txt(240)));
  f.miEventiSospesi = 240;
  utente::Digita(f.txt(240), "10+-5");
  ASSERT_TRUE(utente::Fuoco(f.txt(230)));
  EXPECT_FALSE(Rosso(f, 240));
  EXPECT_TRUE(Pannello(f, "Messaggio").empty());
  const std::string prima = f.txt(470).Text();
  f.C("cob", 470).SetListIndex(3);
  EXPECT_EQ(f.txt(470).Text(), prima);
  f.miEventiSospesi = -1;
}

TEST_F(Eventi, ACommandRunsTheExitOfTheFieldOnceAndHoldsTheRest) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  Scrivi(f, 240, "5", 230);
  utente::Digita(f.txt(230), "10+-5");
  // "Annulla" shows the DDT again: the exit check of the field runs first,
  // with the command known, and the exits the command causes are held.
  ui::utente::BottoneBarra(f.C("tolComPag"), "Annulla");
  EXPECT_EQ(Pannello(f, "Messaggio"), "Sconto non valido");
  EXPECT_TRUE(f.mbComandoInCorso);
  EXPECT_EQ(f.miEventiSospesi, 230);
  backend_.Esegui();
  EXPECT_FALSE(f.mbComandoInCorso);
  EXPECT_EQ(f.miEventiSospesi, -1);
}

// ---------------------------------------------------------------- check boxes

TEST_F(Eventi, ClickingACheckBoxWritesItsCode) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (int n : {235, 280, 300}) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(f.C("che", n).Attivo());
    f.C("che", n).SetValue(0);
    utente::Clicca(f.C("che", n));
    EXPECT_EQ(f.txt(n).Text(), "S");
    utente::Clicca(f.C("che", n));
    EXPECT_EQ(f.txt(n).Text(), "N");
  }
  Pagina(f, 3);
  utente::Clicca(f.C("che", 600));
  EXPECT_EQ(f.txt(600).Text(), f.C("che", 600).Value() == 1 ? "S" : "N");
}

TEST_F(Eventi, OnlyTheUsersTickOfDaFatturareMeetsTheReturnCauseRule) {
  // The DDT's document type now makes a return movement; the stored DDT
  // says "to be invoiced" all the same.
  Sql("Update FattDocumenti Set MagCausaleRientro = 'RES' Where FattDocumento = '" + std::string(demo::kDocDdt) + "'");
  Sql("Update DdtTest Set DaFatturare = 'S' Where Anno = 2026 AND NumRif = " +
      std::to_string(demo::kDdtModificabile));
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // Shown as stored: no message, the flag untouched, the box ticked.
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(f.txt(300).Text(), "S");
  EXPECT_EQ(f.C("che", 300).Value(), 1);
  EXPECT_FALSE(f.InVar());
  // The user clears it, then ticks it: refused.
  utente::Clicca(f.C("che", 300));
  EXPECT_EQ(f.txt(300).Text(), "N");
  EXPECT_TRUE(messaggi_.empty());
  utente::Clicca(f.C("che", 300));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Non si puo' impostare da fatturare un DDT con questo tipo di documento");
  EXPECT_EQ(f.C("che", 300).Value(), 0);
  EXPECT_EQ(f.txt(300).Text(), "N");
  // Shown again (a copy into the controls): still silent.
  messaggi_.clear();
  f.txt(300).SetText("S");
  f.AggNonText();
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(f.C("che", 300).Value(), 1);
  EXPECT_EQ(f.txt(300).Text(), "S");
}

TEST_F(Eventi, InTheSearchStateAFlagCanBeLeftWithoutAValue) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 0);
  ui::Controllo& iva = f.C("che", 280);
  f.txt(280).SetText("S");
  f.AggNonText();
  ASSERT_EQ(iva.Value(), 1);
  // The search criteria are typed with the data container enabled.
  f.Che_MouseDown(280, 2, 0, 0, 0);
  EXPECT_EQ(iva.Value(), 2);
  EXPECT_TRUE(f.txt(280).Text().empty());
  // The left button leaves it; Delete does the same as the right one.
  f.txt(280).SetText("S");
  f.AggNonText();
  f.Che_MouseDown(280, 1, 0, 0, 0);
  EXPECT_EQ(iva.Value(), 1);
  ui::Controllo& prezzi = f.C("che", 210);
  f.txt(210).SetText("N");
  f.AggNonText();
  f.Che_KeyUp(210, ui::vbKeyDelete, 0);
  EXPECT_EQ(prezzi.Value(), 2);
  EXPECT_TRUE(f.txt(210).Text().empty());
}

TEST_F(Eventi, OnAShownDdtTheRightButtonAndDeleteChangeNoFlag) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ui::Controllo& iva = f.C("che", 280);
  const int valore = iva.Value();
  const std::string codice = f.txt(280).Text();
  utente::PremiMouse(iva, 2);
  ASSERT_TRUE(utente::Fuoco(iva));
  utente::Premi(f, ui::vbKeyDelete);
  EXPECT_EQ(iva.Value(), valore);
  EXPECT_EQ(f.txt(280).Text(), codice);
}

// ---------------------------------------------------------------- combos

TEST_F(Eventi, TheCombosWriteTheirCodesAndDeleteEmptiesThem) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  Pagina(f, 2);
  ui::Controllo& ragg = f.C("cob", 450);
  utente::Scegli(ragg, 5);  // "Si A parità di Ordine"
  EXPECT_EQ(f.txt(450).Text(), "O");
  EXPECT_TRUE(f.lab(452).Visible());
  utente::Scegli(ragg, 1);  // "No"
  EXPECT_EQ(f.txt(450).Text(), "N");
  EXPECT_FALSE(f.lab(452).Visible());
  utente::Scegli(ragg, 5);
  utente::Premi(f, ui::vbKeyDelete);
  EXPECT_EQ(ragg.ListIndex(), -1);
  EXPECT_TRUE(f.txt(450).Text().empty());
  EXPECT_FALSE(f.lab(452).Visible());
  // With Shift, Delete leaves the choice.
  utente::Scegli(ragg, 0);
  utente::Premi(f, ui::vbKeyDelete, ui::vbShiftMask);
  EXPECT_EQ(f.txt(450).Text(), "S");

  struct Caso {
    int combo, voce;
    const char* codice;
  };
  const Caso casi[] = {{470, 2, "C"}, {515, 3, "G"}, {440, 4, "4"}, {620, 2, "E"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.combo);
    if (c.combo == 620) Pagina(f, 3);
    utente::Scegli(f.C("cob", c.combo), c.voce);
    EXPECT_EQ(f.txt(c.combo).Text(), c.codice);
    utente::Premi(f, ui::vbKeyDelete);
    EXPECT_TRUE(f.txt(c.combo).Text().empty());
  }
}

TEST_F(Eventi, TheCopyIntoTheControlsWritesNothingBack) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // Codes the lists do not hold: a click that wrote back would empty them.
  f.txt(440).SetText("9");
  f.txt(470).SetText("x");
  f.txt(620).SetText("Q");
  f.txt(450).SetText("O");
  f.txt(110).SetText("S");
  f.AggNonText();
  EXPECT_EQ(f.txt(440).Text(), "9");
  EXPECT_EQ(f.txt(470).Text(), "x");
  EXPECT_EQ(f.txt(620).Text(), "Q");
  EXPECT_EQ(f.C("cob", 440).ListIndex(), -1);
  EXPECT_EQ(f.C("cob", 620).ListIndex(), -1);
  EXPECT_EQ(f.C("cob", 450).ListIndex(), 5);
  EXPECT_TRUE(f.lab(452).Visible());
  EXPECT_EQ(f.lab(110).Caption(), "Stampato");
  EXPECT_EQ(f.miEventiSospesi, -1);
  // Inside a command the gate stays where the command put it.
  f.miEventiSospesi = 90;
  f.AggNonText();
  EXPECT_EQ(f.miEventiSospesi, 90);
  f.miEventiSospesi = -1;
}

TEST_F(Eventi, AFlagOtherThanSOrNShowsGrayed) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  struct Caso {
    const char* codice;
    int valore;
  };
  const Caso casi[] = {{"S", 1}, {"s", 1}, {"N", 0}, {"n", 0}, {"", 2}, {" ", 2}, {"X", 2}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.codice);
    for (int n : {210, 235, 260, 280, 300, 600}) {
      f.txt(n).SetText(c.codice);
      f.AggNonText();
      EXPECT_EQ(f.C("che", n).Value(), c.valore) << n;
    }
  }
}

}  // namespace

// The header's field editing on the demo company: the exit of the reference
// box, the copies of page 4, the check and combo boxes, the enabling by
// state, the header changes carried to the stored lines, the footer, and
// the document commands that are not available yet.
#include <filesystem>

#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestRecordset.h"
#include "common/utilprg.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/Schema.h"
#include "platform/menu/ContestoProgramma.h"
#include "ddt/lines/frmDDTDett.h"
#include "services/ComLock.h"
#include "platform/dati/ServerDiProva.h"

namespace {

namespace demo = dati::demo;

class Campi : public prova::TestataProva {
 protected:
  std::string Riga(long numRif, long rigLiv, const std::string& campo) {
    return Valore("Select " + campo + " from DdtDett Where Anno = 2026 AND NumRif = " + std::to_string(numRif) +
                      " AND RigLiv = " + std::to_string(rigLiv),
                  campo);
  }

  double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }

  long RigheLock() { return std::stol(Valore("Select count(*) as N from LockGest", "N")); }

  // A fresh demo company for the next case of a table.
  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    risposte_.clear();
    SetUp();
  }


  // The line window, when open, closed as the user closes it.
  static bool RigheAperte() { return frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata(); }
  void ChiudiRighe() {
    if (RigheAperte()) frmDDTDett::Istanza().Unload();
    frmDDTDett::Rilascia();
  }
  // The line window goes before the header that opened it.
  void TearDown() override {
    ChiudiRighe();
    TestataProva::TearDown();
  }
};

// ---------------------------------------------------------------- exits

TEST_F(Campi, TheZeroInTheReferenceBoxMarksTheFieldWithOrWithoutACommand) {
  struct Caso {
    const char* tasto;
    const char* digitato;
  };
  for (const Caso& c : {Caso{"", " 0 "}, Caso{"Ricerca", "0"}}) {
    SCOPED_TRACE(c.tasto);
    frmDdtTest& f = Testata();
    ASSERT_EQ(f.ogComPag().LeggiVarBarra("InMuovi").ToString(), "S");
    f.txt(20).SetText("2026");
    ASSERT_FALSE(f.C("timComPag").Enabled());
    f.msTastoInCorso = c.tasto;
    f.txt(10).SetText(c.digitato);
    f.txt_LostFocus(10);
    EXPECT_EQ(f.txt(10).Text(), "0");
    // The field was marked as changed: the bar's move flag went on and off.
    EXPECT_EQ(f.ogComPag().LeggiVarBarra("InMuovi").ToString(), "N");
    // Outside a command the exit ran the search, whose end arms the
    // deferred step; inside "Ricerca" the search is already under way.
    EXPECT_EQ(f.C("timComPag").Enabled(), std::string(c.tasto).empty());
  }
}

TEST_F(Campi, TheZeroIsLeftAloneWhileANewDdtIsBeingTypedOrAnotherCommandRuns) {
  frmDdtTest& f = Testata();
  f.msTastoInCorso = "Salva";
  f.txt(10).SetText("0");
  f.txt_LostFocus(10);
  EXPECT_EQ(f.ogComPag().LeggiVarBarra("InMuovi").ToString(), "S");
  // Another number is no request for a new DDT either.
  f.msTastoInCorso.clear();
  f.txt(10).SetText("7");
  f.txt_LostFocus(10);
  EXPECT_EQ(f.ogComPag().LeggiVarBarra("InMuovi").ToString(), "S");
}

TEST_F(Campi, ExitsAreIgnoredWhileACommandHoldsTheFields) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.miTxtRientro = 960;
  f.txt(960).SetText("Trasporti Veloci");
  f.txt_LostFocus(960);
  EXPECT_NE(f.txt(970).Text(), "Trasporti Veloci");
}

TEST_F(Campi, TheVisibleBoxesOfPageFourReachTheirBoundBoxesOnlyWhenEnabled) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  struct Caso {
    int visibile, legato;
  };
  const Caso casi[] = {{810, 830}, {850, 900}, {890, 940},   {960, 970},   {1015, 1055},
                       {1070, 1080}, {1100, 1110}, {1130, 1140}, {1160, 1170}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.visibile);
    f.txt(c.legato).SetText("prima");
    f.txt(c.visibile).SetEnabled(false);
    f.txt(c.visibile).SetText("disabilitato");
    f.txt_LostFocus(c.visibile);
    EXPECT_EQ(f.txt(c.legato).Text(), "prima");
    f.txt(c.visibile).SetEnabled(true);
    f.txt(c.visibile).SetText("digitato");
    f.txt_LostFocus(c.visibile);
    EXPECT_EQ(f.txt(c.legato).Text(), "digitato");
  }
  // The bound box is the bar's: it is what a save stores.
  EXPECT_TRUE(f.ogComPag().ValoreCampo("RagSocVett").ToString() == "digitato");
}

TEST_F(Campi, DiscountChainsAndPrefixesAreCheckedOnExit) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  Param("Fat.ElePrefDdt", "A,B");
  struct Caso {
    int campo;
    const char* testo;
    bool errore;
  };
  const Caso casi[] = {{240, "10+5-3", false}, {240, "10+-5", true}, {230, "2", false},
                       {50, "A", false},       {50, "AB", true},     {50, "", true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.campo) + " " + c.testo);
    f.txt(c.campo).SetBackColor(G().glColoreSfondo);
    f.txt(c.campo).SetText(c.testo);
    f.txt_LostFocus(c.campo);
    EXPECT_EQ(f.txt(c.campo).BackColor() == G().glColoreErrore, c.errore);
  }
  EXPECT_EQ(f.C("staMessaggi").Elem("Messaggio").Caption, "Prefisso DDT inesistente nella lista validi");
}

TEST_F(Campi, TimesAreShownAndCheckedAsHoursAndMinutes) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // The stored time of the transport, not the month of its date.
  EXPECT_EQ(f.txt(1230).Text(), "08:30");
  f.txt(1230).SetText("915");
  f.txt_LostFocus(1230);
  EXPECT_EQ(f.txt(1230).Text(), "09:15");
  EXPECT_NE(f.txt(1230).BackColor(), G().glColoreErrore);
  f.txt(1200).SetText("25:00");
  f.txt_LostFocus(1200);
  EXPECT_EQ(f.txt(1200).BackColor(), G().glColoreErrore);
  EXPECT_EQ(f.C("staMessaggi").Elem("Messaggio").Caption, "Ora non valida");
}

TEST_F(Campi, TheDateOfAStoredDdtCannotMoveItToAnotherYear) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt_GotFocus(30);
  f.txt(30).SetText("05/12/2025");
  f.txt_LostFocus(30);
  EXPECT_EQ(f.txt(30).BackColor(), G().glColoreErrore);
  EXPECT_EQ(f.txt(20).Text(), "2026");
  EXPECT_EQ(f.txt(30).Text(), "05/12/2025");
  // A new DDT follows its date into the year.
  f.txt(30).SetBackColor(G().glColoreSfondo);
  risposteBox_ = {vb::vbNo};
  risposte_ = {2};
  f.Unload();
  frmDdtTest& n = Testata();
  n.ogComPag().EseguiTasto("Nuovo");
  ASSERT_EQ(n.ogComPag().oiFlagOpe(), 2);
  n.txt_GotFocus(30);
  n.txt(30).SetText("03/01/2027");
  n.txt_LostFocus(30);
  EXPECT_NE(n.txt(30).BackColor(), G().glColoreErrore);
  EXPECT_EQ(n.txt(20).Text(), "2027");
}

TEST_F(Campi, ABoxInErrorRemembersTheSentinelOnEntry) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(240).SetBackColor(G().glColoreErrore);
  f.txt_GotFocus(240);
  EXPECT_EQ(f.msValEntrata[240], frmDdtTest::kSentinellaErrore);
  f.txt(240).SetBackColor(G().glColoreSfondo);
  f.txt(240).SetText("5");
  f.txt_GotFocus(240);
  EXPECT_EQ(f.msValEntrata[240], "5");
}

// ---------------------------------------------------------- check and combo

TEST_F(Campi, CheckBoxesWriteTheirCodesIntoTheHiddenBoxes) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (int n : {210, 235, 260, 280, 300, 600}) {
    for (auto [valore, codice] : {std::pair{1, "S"}, std::pair{0, "N"}, std::pair{2, ""}}) {
      SCOPED_TRACE(std::to_string(n) + " " + std::to_string(valore));
      f.txt(n).SetText("?");
      f.C("che", n).SetValue(valore);
      f.che_Click(n);
      EXPECT_EQ(f.txt(n).Text(), codice);
    }
  }
}

TEST_F(Campi, ADocumentTypeWithAReturnMovementCannotBeInvoiced) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.msMagCausaleRientro = "RES";
  f.C("che", 300).SetValue(0);
  messaggi_.clear();
  // The rule answers the user's tick.
  ui::utente::Clicca(f.C("che", 300));
  EXPECT_TRUE(MessaggioCon("Non si puo' impostare da fatturare"));
  EXPECT_EQ(f.C("che", 300).Value(), 0);
  EXPECT_EQ(f.txt(300).Text(), "N");
}

TEST_F(Campi, TheGroupingComboWritesItsCodeByItemData) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ui::Controllo& c = f.C("cob", 450);
  c.Clear();
  const char* voci[] = {"Si", "No", "Si Una riga sola per Articolo", "Si Una fatt. per ogni dest.",
                        "Si Una riga per Art. e una fatt. per dest.", "Si A parità di Ordine",
                        "Si A parità di Contratto"};
  for (int i = 0; i < 7; ++i) {
    c.AddItem(voci[i]);
    c.SetItemData(i, i);
  }
  const char* codici[] = {"S", "N", "A", "D", "E", "O", "C"};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    c.SetListIndex(i);
    f.Cob_Click(450);
    EXPECT_EQ(f.txt(450).Text(), codici[i]);
    // The source order shows only for grouping by order.
    EXPECT_EQ(f.lab(452).Visible(), i == 5);
    EXPECT_EQ(f.label1(454).Visible(), i == 5);
  }
  // No selection leaves the code as it was; a copy into the controls does
  // not write back.
  c.SetListIndex(-1);
  f.Cob_Click(450);
  EXPECT_EQ(f.txt(450).Text(), "C");
  f.miTxtRientro = 1;
  c.SetListIndex(0);
  f.Cob_Click(450);
  EXPECT_EQ(f.txt(450).Text(), "C");
}

TEST_F(Campi, TheOtherCombosWriteTheirCodes) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ui::Controllo& provv = f.C("cob", 470);
  provv.Clear();
  for (const char* v : {"N No", "A Articolo", "C Cliente", "G Agente"}) provv.AddItem(v);
  provv.SetListIndex(2);
  f.Cob_Click(470);
  EXPECT_EQ(f.txt(470).Text(), "C");
  ui::Controllo& nota = f.C("cob", 620);
  nota.Clear();
  for (const char* v : {"Non evade", "Evasione con Stampa Note nella destinazione",
                        "Evasione senza Stampa Note nella destinazione"})
    nota.AddItem(v);
  nota.SetListIndex(2);
  f.Cob_Click(620);
  EXPECT_EQ(f.txt(620).Text(), "E");
  ui::Controllo& prezzi = f.C("cob", 440);
  prezzi.Clear();
  for (int i = 0; i < 7; ++i) {
    prezzi.AddItem(std::to_string(i));
    prezzi.SetItemData(i, i);
  }
  prezzi.SetListIndex(3);
  f.Cob_Click(440);
  EXPECT_EQ(f.txt(440).Text(), "3");
}

TEST_F(Campi, TheHiddenBoxesReachTheirControlsWithoutWritingBack) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ui::Controllo& c = f.C("cob", 450);
  c.Clear();
  for (int i = 0; i < 7; ++i) {
    c.AddItem("voce " + std::to_string(i));
    c.SetItemData(i, i);
  }
  f.txt(110).SetText("E");
  f.txt(280).SetText("x");
  f.txt(210).SetText("s");
  f.txt(450).SetText("O");
  f.AggNonText();
  EXPECT_EQ(f.lab(110).Caption(), "Evaso");
  EXPECT_EQ(f.C("che", 280).Value(), 2);
  EXPECT_EQ(f.C("che", 210).Value(), 1);
  EXPECT_EQ(c.ListIndex(), 5);
  EXPECT_EQ(f.txt(450).Text(), "O");
  EXPECT_EQ(f.miTxtRientro, -1);
  f.txt(110).SetText("S");
  f.AggNonText();
  EXPECT_EQ(f.lab(110).Caption(), "Stampato");
}

// ---------------------------------------------------------------- enabling

TEST_F(Campi, TheHeaderFollowsTheStateOfTheDdt) {
  struct Caso {
    const char* stato;
    bool main, pagina2, pagina1, sconto;
    int primoDato;
  };
  const Caso casi[] = {{"", true, true, true, true, 30},
                       {"S", false, false, true, false, 220},
                       {"E", false, false, false, true, 220}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.stato);
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.msQualeImporto = "L";
    f.txt(240).SetEnabled(true);
    f.txt(200).SetEnabled(true);
    f.txt(110).SetText(c.stato);
    bool vuoto = std::string(c.stato).empty(), nonStampato = std::string(c.stato) != "S";
    // The second tab: page 2 is the selected one.
    f.C("TasPagine").SetSelectedTab(2);
    f.AbilDisabVariaz(vuoto, nonStampato);
    EXPECT_EQ(f.C("PicMain").Enabled(), c.main);
    EXPECT_EQ(f.C("PicPagine", 1).Enabled(), c.pagina2);
    for (int p : {2, 3, 4}) EXPECT_FALSE(f.C("PicPagine", p).Enabled());
    EXPECT_EQ(f.ogComPag().CtrlPrimoDato(), &f.txt(c.primoDato));
    f.C("TasPagine").SetSelectedTab(1);
    f.AbilDisabVariaz(vuoto, nonStampato);
    EXPECT_EQ(f.C("PicPagine", 0).Enabled(), c.pagina1);
    EXPECT_FALSE(f.C("PicPagine", 1).Enabled());
    // An evaded DDT keeps the fields of page 1 as they were, unreachable.
    EXPECT_EQ(f.txt(240).Enabled(), c.sconto);
    EXPECT_EQ(f.txt(270).Enabled(), c.sconto);
    EXPECT_EQ(f.C("ComHlp", 270).Enabled(), c.sconto);
    EXPECT_EQ(f.txt(200).Enabled(), c.sconto);
  }
}

TEST_F(Campi, APriceSourceOtherThanTheListLocksAndEmptiesThePriceList) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.msQualeImporto = "c";
  f.msMonetaListino = "Euro";
  f.AbilListino(false, true);
  EXPECT_FALSE(f.txt(200).Enabled());
  EXPECT_TRUE(f.msMonetaListino.empty());
  EXPECT_FALSE(f.txt(200).Text().empty());
  f.AbilListino(true, true);
  EXPECT_TRUE(f.txt(200).Text().empty());
  f.msQualeImporto = "l";
  f.AbilListino(true, true);
  EXPECT_TRUE(f.txt(200).Enabled());
}

// ------------------------------------------------- changes carried to lines

class Propaga : public Campi {
 protected:
  frmDdtTest& Evaso() {
    // An expense of the company's own ("T") beside the DDT's transport.
    Sql("Insert into Spese (Spesa, Descrizione, TipoAddebito, Iva) values ('BOL', 'Bolli', 'T', '22')");
    Sql("Insert into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo) values (2026, 1, 2, 'BOL', '22', 2)");
    return Mostra(demo::kDdtEvaso);
  }
  std::string Spesa(int riga) {
    return Valore("Select Iva from DdtSpese Where Anno = 2026 AND NumRif = 1 AND Riga = " + std::to_string(riga),
                  "Iva");
  }
};

TEST_F(Propaga, TheVatCodeReachesTheLinesAndTheExpenses) {
  struct Caso {
    const char* prima;
    const char* nuova;
    bool attivo;
    const char* viti;
    const char* descrittiva;
    const char* trasporto;
    const char* bolli;
  };
  const Caso casi[] = {
      // Without an old code every line but the descriptive one, and every
      // expense not charged to the company.
      {"", "10", true, "10", "", "10", "22"},
      // With one only the rows that carried it.
      {"22", "4", true, "4", "", "4", "4"},
      {"10", "4", true, "22", "", "22", "22"},
      {"", "10", false, "22", "", "22", "22"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.prima) + "->" + c.nuova + (c.attivo ? "" : " off"));
    Riparti();
    frmDdtTest& f = Evaso();
    f.txt(270).SetText(c.nuova);
    f.msIvaPrec = c.prima;
    f.mbAggIvaRighe = c.attivo;
    bool righe = false, piede = false;
    EXPECT_TRUE(f.VerAggCambioIva(righe, piede));
    EXPECT_EQ(righe, c.attivo);
    EXPECT_EQ(piede, c.attivo);
    EXPECT_EQ(Riga(1, demo::kRigLivViti, "Iva"), c.viti);
    EXPECT_EQ(Riga(1, demo::kRigLivTrapano, "Iva"), c.viti);
    EXPECT_EQ(Riga(1, 3, "Iva"), c.descrittiva);
    EXPECT_EQ(Spesa(1), c.trasporto);
    EXPECT_EQ(Spesa(2), c.bolli);
  }
}

TEST_F(Propaga, TheContractReachesTheLinesThatFollowedTheHeader) {
  struct Caso {
    const char* prima;
    const char* nuovo;
    bool attivo;
    const char* viti;   // Contratto of the line before: Null
    const char* trapano;  // "K1" before
  };
  const Caso casi[] = {{"", "K2", true, "K2", "K1"},
                       {"K1", "K2", true, "", "K2"},
                       {"K1", "", true, "", ""},
                       {"", "K2", false, "", "K1"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.prima) + "->" + c.nuovo);
    Riparti();
    Sql("Update DdtDett Set Contratto = 'K1' Where Anno = 2026 AND NumRif = 1 AND RigLiv = 2");
    frmDdtTest& f = Mostra(demo::kDdtEvaso);
    f.txt(1400).SetText(c.nuovo);
    f.msContrattoPrec = c.prima;
    f.mbAggContrattoRighe = c.attivo;
    bool righe = false, piede = false;
    EXPECT_TRUE(f.VerAggCambioContratto(righe, piede));
    EXPECT_FALSE(righe);
    EXPECT_FALSE(piede);
    EXPECT_EQ(Riga(1, demo::kRigLivViti, "Contratto"), c.viti);
    EXPECT_EQ(Riga(1, demo::kRigLivTrapano, "Contratto"), c.trapano);
  }
}

TEST_F(Propaga, TheCommissionsReachAllLinesOrThoseWithTheOldPercentage) {
  struct Caso {
    int16_t modo1, modo2;
    const char* nuova;
    double viti, descrittiva, secondo;
  };
  // The lines of the evaded DDT carry 5 (articles) and 0 (the descriptive one).
  const Caso casi[] = {{1, 0, "7", 7, 7, 0}, {2, 0, "7", 7, 0, 0}, {0, 1, "7", 5, 0, 7}, {0, 0, "7", 5, 0, 0}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.modo1) + "/" + std::to_string(c.modo2));
    Riparti();
    frmDdtTest& f = Mostra(demo::kDdtEvaso);
    f.msPercProvv1Prec = "5";
    f.msPercProvv2Prec = "";
    f.txt(490).SetText(c.nuova);
    f.txt(510).SetText(c.nuova);
    f.miAggProvv1Righe = c.modo1;
    f.miAggProvv2Righe = c.modo2;
    bool righe = false;
    EXPECT_TRUE(f.VerAggCambioProvv(righe));
    EXPECT_EQ(righe, c.modo1 > 0 || c.modo2 > 0);
    EXPECT_DOUBLE_EQ(Numero(Riga(1, demo::kRigLivViti, "PercProvv1")), c.viti);
    EXPECT_DOUBLE_EQ(Numero(Riga(1, 3, "PercProvv1")), c.descrittiva);
    EXPECT_DOUBLE_EQ(Numero(Riga(1, demo::kRigLivViti, "PercProvv2")), c.secondo);
  }
}

TEST_F(Propaga, TheCustomerDiscountReachesTheLinesWithTheOldOneAndTheirAmounts) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // An old discount on one line: that line is not selected.
  Sql("Update DdtDett Set ScontoCli = '2' Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
      std::to_string(demo::kRigLivBiscotti));
  const std::string biscottiPrima = Riga(3, demo::kRigLivBiscotti, "ValTotale");
  f.txt(240).SetText("5");
  f.txt(400).SetText("Euro");
  f.txt(410).SetText("1");
  f.msScontoCliPrec = "";
  f.miNumDecMon = 2;
  f.miNumDecMonGes = 3;
  f.mbAggScoCliRighe = true;
  bool righe = false, piede = false;
  EXPECT_TRUE(f.VerAggCambioScoCli(righe, piede));
  EXPECT_TRUE(righe);
  EXPECT_TRUE(piede);
  // The oil: table discount 3, now customer 5 before it in the chain;
  // 6 x 42 less 7.85 % is 232.218.
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoCli"), "5");
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), "5+3");
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValTotale")), 232.22);
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValEuro")), 232.22);
  EXPECT_EQ(Riga(3, demo::kRigLivBiscotti, "ScontoCli"), "2");
  EXPECT_EQ(Riga(3, demo::kRigLivBiscotti, "ValTotale"), biscottiPrima);
}

TEST_F(Propaga, ThePaymentDiscountFollowsItsSwitchOnTheLinesThatTakeIt) {
  struct Caso {
    int casella;
    const char* scontoTot;
    double totale;
  };
  // The biscuits: 24 at 2.80, no discount of their own.
  const Caso casi[] = {{1, "2", 65.86}, {0, "", 67.20}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.casella);
    Riparti();
    Sql("Update DdtDett Set FlScontoPag = 'S' Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
        std::to_string(demo::kRigLivBiscotti));
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.C("che", 235).SetValue(c.casella);
    f.txt(230).SetText("2");
    f.txt(400).SetText("Euro");
    f.txt(410).SetText("1");
    f.miNumDecMon = 2;
    f.miNumDecMonGes = 3;
    f.mbAggScoPagRighe = true;
    bool righe = false, piede = false;
    EXPECT_TRUE(f.VerAggCambioScoCli(righe, piede));
    EXPECT_EQ(Riga(3, demo::kRigLivBiscotti, "ScontoTot"), c.scontoTot);
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivBiscotti, "ValTotale")), c.totale);
    // A line that does not take the payment discount is not selected.
    EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), "3");
  }
}

TEST_F(Propaga, ALineWithLevelsTakesItsAmountFromItsLevelRows) {
  G().gsGesTaglie = "S";
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  f.txt(240).SetText("15");
  f.txt(400).SetText("Euro");
  f.txt(410).SetText("1");
  f.msScontoCliPrec = "10";
  f.miNumDecMon = 2;
  f.miNumDecMonGes = 3;
  f.mbAggScoCliRighe = true;
  bool righe = false, piede = false;
  ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
  // Six sweaters at 35 less 15 %, three rows of levels.
  EXPECT_EQ(Riga(2, demo::kRigLivMaglia, "ScontoTot"), "15");
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValTotale")), 178.50);
  EXPECT_DOUBLE_EQ(Numero(Valore("Select ValTotale from DdtLiv Where Anno = 2026 AND NumRif = 2 AND RigLiv = " +
                                     std::to_string(demo::kRigLivMaglia) + " AND Livello1 = 'M'",
                                 "ValTotale")),
                   89.25);
  // Trousers: 2 at 29 and 1 at 32.
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivPantaloni, "ValTotale")), 76.50);
}

TEST_F(Propaga, NoDiscountFlagWritesNothing) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const std::string prima = Riga(3, demo::kRigLivOlio, "ScontoTot");
  f.txt(240).SetText("5");
  f.mbAggScoCliRighe = f.mbAggScoPagRighe = false;
  bool righe = false, piede = false;
  EXPECT_TRUE(f.VerAggCambioScoCli(righe, piede));
  EXPECT_FALSE(righe);
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), prima);
  EXPECT_TRUE(Riga(3, demo::kRigLivOlio, "ScontoCli").empty());
}

TEST_F(Propaga, TheUpdatesBelongToTheCallersTransaction) {
  frmDdtTest& f = Evaso();
  f.txt(270).SetText("10");
  f.msIvaPrec = "";
  f.mbAggIvaRighe = true;
  utilprg::TransInizio();
  bool righe = false, piede = false;
  ASSERT_TRUE(f.VerAggCambioIva(righe, piede));
  utilprg::TransAnnulla();
  EXPECT_EQ(Riga(1, demo::kRigLivViti, "Iva"), "22");
  EXPECT_EQ(Spesa(1), "22");
}

TEST_F(Propaga, AFailingStepShowsItsErrorAndAnswersFalse) {
  frmDdtTest& f = Evaso();
  f.txt(270).SetText("10");
  f.mbAggIvaRighe = true;
  G().gsTabSpese = "TabellaCheNonEsiste";
  bool righe = false, piede = false;
  messaggi_.clear();
  EXPECT_FALSE(f.VerAggCambioIva(righe, piede));
  EXPECT_TRUE(MessaggioCon("Errore("));
  EXPECT_FALSE(righe);
}

TEST_F(Propaga, ACurrencyRateChangeRevaluesTheArticleLines) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(400).SetText("USD");
  f.msMonOper = "/";
  f.msCambioPrec = "1,5";
  f.txt(410).SetText("2");
  bool righe = false;
  EXPECT_TRUE(f.AggModCambio(righe));
  EXPECT_TRUE(righe);
  const double totale = Numero(Riga(3, demo::kRigLivCorso, "ValTotale"));
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivCorso, "ValEuro")), totale / 2);
  // The same rate: nothing to do.
  f.msCambioPrec = "2";
  righe = false;
  EXPECT_TRUE(f.AggModCambio(righe));
  EXPECT_FALSE(righe);
}

TEST_F(Propaga, TheExpenseRechecksMarkLinesAndFooterEvenWhenNoRowChanges) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const std::string prima = Valore("Select Count(*) As N from DdtSpese Where Anno = 2026 AND NumRif = 3", "N");
  f.mbVerSpesePag = f.mbVerSpesePerc = f.mbAggSpesaCli = true;
  bool righe = false, piede = false;
  EXPECT_TRUE(f.VerAggCambioSpesePag(righe, piede));
  EXPECT_TRUE(righe && piede);
  righe = piede = false;
  EXPECT_TRUE(f.VerAggCambioSpesePerc(righe, piede));
  EXPECT_TRUE(righe && piede);
  // The customer's expense unchanged: nothing to mark.
  righe = piede = false;
  EXPECT_TRUE(f.AggSpesaClie(righe, piede));
  EXPECT_FALSE(righe || piede);
  EXPECT_EQ(Valore("Select Count(*) As N from DdtSpese Where Anno = 2026 AND NumRif = 3", "N"), prima);
}

// ------------------------------------------------------------------ footer

TEST_F(Campi, TheFooterIsRecomputedFromTheStoredRows) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (int n : {130, 140, 150, 160, 170}) f.lab(n).SetCaption("");
  f.miNumDecMon = 2;
  ASSERT_TRUE(f.AggPiede(false)) << (messaggi_.empty() ? "" : messaggi_.back());
  EXPECT_DOUBLE_EQ(Numero(f.lab(170).Caption()), demo::kTotaliDdtModificabile.documento);
  EXPECT_DOUBLE_EQ(Numero(f.lab(140).Caption()), demo::kTotaliDdtModificabile.merce);
  EXPECT_DOUBLE_EQ(Numero(f.lab(130).Caption()), demo::kTotaliDdtModificabile.spese);
  EXPECT_DOUBLE_EQ(Numero(f.lab(160).Caption()), demo::kTotaliDdtModificabile.iva);
  // A line changed in the database: the footer follows it.
  Sql("Update DdtSpese Set Importo = 20 Where Anno = 2026 AND NumRif = 3");
  ASSERT_TRUE(f.AggPiede(false));
  EXPECT_DOUBLE_EQ(Numero(f.lab(130).Caption()), 20);
  EXPECT_DOUBLE_EQ(Numero(f.lab(170).Caption()), demo::kTotaliDdtModificabile.documento + 10 * 1.22);
  // The withholding-only mode leaves the amounts alone.
  f.lab(170).SetCaption("x");
  ASSERT_TRUE(f.AggPiede(true));
  EXPECT_EQ(f.lab(170).Caption(), "x");
}

TEST_F(Campi, TotalsShownWithTheCurrencysDecimalsAreNoChange) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.miNumDecMon = 2;
  f.lab(130).SetCaption("10");
  f.ogComPag().Campi("TotSpese").mostrato = "10";
  f.AggTotali(false);
  EXPECT_EQ(f.lab(130).Caption(), "10,00");
  EXPECT_FALSE(f.InVar());
  EXPECT_TRUE(f.ogComPag().VarDati(-1).ToString().empty());
  // A footer recomputed to another amount is a change the save stores.
  Sql("Update DdtSpese Set Importo = 20 Where Anno = 2026 AND NumRif = 3");
  ASSERT_TRUE(f.AggPiede(false));
  EXPECT_FALSE(f.ogComPag().VarDati(-1).ToString().empty());
}

TEST_F(Campi, TheTotalInTheCompanyCurrencyShowsOnlyForAnotherCurrency) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(400).SetText("euro");
  f.MostraTotMon();
  EXPECT_FALSE(f.lab(180).Visible());
  f.txt(400).SetText("USD");
  f.txt(410).SetText("2");
  f.msMonOper = "/";
  f.lab(170).SetCaption("100");
  f.MostraTotMon();
  EXPECT_TRUE(f.lab(180).Visible());
  EXPECT_DOUBLE_EQ(Numero(f.lab(180).Caption()), 50);
  // A rate not typed yet: leaving the rate field shows no total and fails
  // nothing.
  f.txt(410).SetText("");
  EXPECT_NO_THROW(f.txt_LostFocus(410));
  EXPECT_TRUE(f.lab(180).Caption().empty());
}

TEST_F(Campi, TheWithholdingFollowsItsPercentageAndBase) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.miNumDecMon = 2;
  f.txt(278).SetText("1000");
  f.txt(275).SetText("20");
  f.MostraRitAcc();
  EXPECT_DOUBLE_EQ(Numero(f.lab(278).Caption()), 200);
  f.txt(275).SetText("0,000000001");
  f.MostraRitAcc();
  EXPECT_TRUE(f.lab(278).Caption().empty());
}

// -------------------------------------------------------- contract mark

TEST_F(Campi, TheContractMarkTellsLinesThatDoNotFollowTheHeader) {
  struct Caso {
    const char* testata;
    const char* righe;  // contract of the article lines; "" Null
    const char* descrittiva;
    bool segno;
  };
  const Caso casi[] = {{"", "", "", false}, {"", "K1", "", true}, {"K1", "K1", "K2", false}, {"K1", "", "", true}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.testata) + "/" + c.righe);
    Riparti();
    auto valore = [](const char* v) { return std::string(v).empty() ? std::string("Null") : "'" + std::string(v) + "'"; };
    Sql("Update DdtDett Set Contratto = " + valore(c.righe) + " Where Anno = 2026 AND NumRif = 1 AND TipoRiga = 'A'");
    Sql("Update DdtDett Set Contratto = " + valore(c.descrittiva) +
        " Where Anno = 2026 AND NumRif = 1 AND TipoRiga = 'D'");
    frmDdtTest& f = Mostra(demo::kDdtEvaso);
    f.label1(1402).SetVisible(!c.segno);
    f.txt(1400).SetText(c.testata);
    f.VerContrDoppio();
    EXPECT_EQ(f.label1(1402).Visible(), c.segno);
  }
}

// ---------------------------------------------------- document commands

TEST_F(Campi, TheLinesOpenUnderTheDdtsLockAndTheirClosingGivesItBack) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const std::string statoPrima = Valore("Select Stato from DdtTest Where Anno = 2026 AND NumRif = 3", "Stato");
  messaggi_.clear();
  int16_t d = 0;
  f.GestDettaglio(false, d);
  EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
  ASSERT_TRUE(RigheAperte());
  EXPECT_EQ(RigheLock(), 1);
  EXPECT_EQ(f.oiInDett, 1);
  ChiudiRighe();
  EXPECT_EQ(RigheLock(), 0);
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Valore("Select Stato from DdtTest Where Anno = 2026 AND NumRif = 3", "Stato"), statoPrima);
}

TEST_F(Campi, ADdtInUseByAnotherUserIsRefusedByItsLock) {
  Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) values ('D', 2026, 3, 'luigi', 'S', 'D')");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  messaggi_.clear();
  f.GestSpese();
  EXPECT_TRUE(MessaggioCon("luigi"));
  EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
  EXPECT_EQ(RigheLock(), 1);
}

TEST_F(Campi, RefusalsComeBeforeTheCommands) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  // A restore answered "Annulla", a deposit recalculation without deposits,
  // an evasion restore of a DDT that is not evaded.
  risposte_ = {2};
  messaggi_.clear();
  f.Ripristino();
  EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
  f.mbGestVuotiCauz = false;
  f.CalcVuoti();
  EXPECT_TRUE(messaggi_.size() == 1u);
  f.RipEvasione();
  EXPECT_TRUE(MessaggioCon("Non è possibile annullare l'evasione"));
  // A window already open.
  messaggi_.clear();
  f.oiInDett = 1;
  f.GestSpese();
  int16_t d = 0;
  f.GestDettaglio(false, d);
  EXPECT_TRUE(messaggi_.empty());
}

// ---------------------------------------------------------------- decoders

// The decoders, through the look-up library the bench sets up.
class Decodifiche : public Campi {
 protected:
  frmDdtTest& Nuovo() {
    frmDdtTest& f = Testata();
    f.ogComPag().EseguiTasto("Nuovo");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 2);
    return f;
  }
};

TEST_F(Decodifiche, TheDefaultsOfANewDdtAreDecodedDocumentTypeFirst) {
  frmDdtTest& f = Nuovo();
  f.txt(40).SetText(demo::kDocDdt);
  f.txt(400).SetText(demo::kEuro);
  f.txt(1060).SetText(demo::kCauVendita);
  f.txt(1090).SetText(demo::kAspettoScatole);
  f.txt(1150).SetText(demo::kTrasportoVettore);
  f.txt(1080).SetText("testo proprio");
  f.DecodDefault();
  EXPECT_EQ(f.lab(40).Caption(), "Documento di trasporto");
  EXPECT_EQ(f.msMagCausale, demo::kCausaleVendita);
  EXPECT_EQ(f.msQualeImporto, "L");
  // A sale: the lines unload their lots and serial numbers.
  EXPECT_EQ(f.msLottoTipOpe, "S");
  EXPECT_EQ(f.msMatrTipOpe, "S");
  EXPECT_EQ(f.txt(86).Text(), "3");
  EXPECT_EQ(f.txt(290).Text(), demo::kMagCentrale);
  // The type names an evasion type and no return cause: to be invoiced.
  EXPECT_EQ(f.txt(300).Text(), "S");
  EXPECT_FALSE(f.txt(88).Visible());
  EXPECT_EQ(f.lab(400).Caption(), "Euro");
  EXPECT_EQ(f.miNumDecMon, demo::kDecimaliEuro);
  EXPECT_EQ(f.miNumDecMonGes, demo::kDecimaliGestEuro);
  // A currency of the union has no rate to type.
  EXPECT_FALSE(f.txt(410).Enabled());
  // A code shows its master's text, locked, and stores the code alone.
  EXPECT_EQ(f.txt(1070).Text(), "Vendita");
  EXPECT_FALSE(f.txt(1070).Enabled());
  EXPECT_TRUE(f.txt(1080).Text().empty());
  EXPECT_EQ(f.txt(1100).Text(), "Scatole");
  EXPECT_EQ(f.txt(1160).Text(), "Vettore");
}

TEST_F(Decodifiche, AnInternalTypeShowsTheDestinationStoreAndIsNotInvoiced) {
  frmDdtTest& f = Nuovo();
  f.txt(40).SetText(demo::kDocDdtInterno);
  f.MostraFattDoc(true, false);
  EXPECT_TRUE(f.txt(88).Visible());
  EXPECT_FALSE(f.C("che", 300).Enabled());
  EXPECT_EQ(f.msDdtInterno, "S");
  f.txt(40).SetText(demo::kDocDdt);
  f.MostraFattDoc(true, false);
  EXPECT_FALSE(f.txt(88).Visible());
  EXPECT_TRUE(f.C("che", 300).Enabled());
}

TEST_F(Decodifiche, TheCurrencyIsCheckedAgainstThePriceList) {
  struct Caso {
    const char* listino;
    const char* moneta;
    bool errore, cambioAperto;
  };
  const Caso casi[] = {{"", demo::kDollaro, false, true},
                       {demo::kEuro, demo::kEuro, false, false},
                       {demo::kLira, demo::kEuro, false, false},
                       {demo::kEuro, demo::kLira, false, false},
                       {demo::kEuro, demo::kDollaro, true, true}};
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.listino) + "/" + c.moneta);
    f.msMonetaListino = c.listino;
    f.txt(400).SetBackColor(G().glColoreSfondo);
    f.txt(400).SetText(c.moneta);
    f.MostraMoneta(true, false, false, false);
    EXPECT_EQ(f.txt(400).BackColor() == G().glColoreErrore, c.errore);
    EXPECT_EQ(f.txt(410).Enabled(), c.cambioAperto);
  }
}

TEST_F(Decodifiche, ACarrierCodeReplacesTheDdtsOwnCarrierData) {
  frmDdtTest& f = Nuovo();
  // Free carrier data of the DDT's own.
  f.txt(950).SetText("");
  f.txt(970).SetText("Padroncino Bianchi");
  f.txt(1055).SetText("AB123CD");
  bool modif = true, focus = false, aiuto = false;
  f.MostraVettore(modif, focus, aiuto);
  EXPECT_EQ(f.txt(960).Text(), "Padroncino Bianchi");
  EXPECT_TRUE(f.txt(960).Enabled());
  // A code: the master's data, locked; the row keeps the code only, the
  // plate too when it is kept on the DDT.
  for (bool targa : {false, true}) {
    SCOPED_TRACE(targa);
    f.mbMemTargaVet = targa;
    f.txt(970).SetText("Padroncino Bianchi");
    f.txt(1055).SetText("AB123CD");
    f.txt(950).SetText(demo::kVettore1);
    f.MostraVettore(modif, focus, aiuto);
    EXPECT_EQ(f.txt(960).Text(), "Trasporti Veloci Srl");
    EXPECT_EQ(f.txt(1000).Text(), "Verona");
    EXPECT_TRUE(f.txt(970).Text().empty());
    EXPECT_FALSE(f.txt(960).Enabled());
    EXPECT_EQ(f.txt(1055).Text(), targa ? "FR123XY" : "");
    EXPECT_EQ(f.txt(1015).Enabled(), targa);
  }
}

TEST_F(Decodifiche, LeavingACodedFieldRunsItsDecoder) {
  struct Caso {
    int campo;
    const char* codice;
    const char* controllo;
    int descrizione;
    const char* atteso;
  };
  const Caso casi[] = {{270, demo::kIva22, "lab", 270, nullptr},
                       {270, "ZZ", "lab", 270, aiuti::kInesistente},
                       {1120, demo::kResaFrancoDestino, "txt", 1130, nullptr},
                       {950, demo::kVettore2, "txt", 960, "Corriere Espresso Nord Spa"},
                       {400, demo::kDollaro, "lab", 400, "Dollaro USA"}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.campo) + " " + c.codice);
    ui::Controllo& d = f.C(c.controllo, c.descrizione);
    d.SetCaption("");
    f.txt(c.campo).SetText(c.codice);
    f.txt_LostFocus(c.campo);
    if (c.atteso) EXPECT_EQ(d.Caption(), c.atteso);
    else EXPECT_FALSE(d.Caption().empty());
    EXPECT_NE(d.Caption(), c.atteso ? "" : aiuti::kInesistente);
  }
}

TEST_F(Decodifiche, EnteringAFieldDuringACommandIsLeftAlone) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.mbComandoInCorso = true;
  f.msValEntrata[240].clear();
  f.txt(240).SetText("7");
  f.txt_GotFocus(240);
  EXPECT_TRUE(f.msValEntrata[240].empty());
  // The first data field of a DDT not printed is the date.
  f.txt_GotFocus(30);
  EXPECT_EQ(f.msValEntrata[30], f.txt(30).Text());
  f.mbComandoInCorso = false;
  f.txt_GotFocus(240);
  EXPECT_EQ(f.msValEntrata[240], "7");
  EXPECT_EQ(f.C("staMessaggi").Elem("DescrCampo").Caption, f.txt(240).ToolTipText());
  // The number of a new DDT is typed over a blank box.
  f.txt(10).SetText("0");
  f.txt_GotFocus(10);
  EXPECT_TRUE(f.txt(10).Text().empty());
}

TEST_F(Decodifiche, WithoutACustomerTheDeclarationFrameIsEmpty) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.mbDicIntentiTest = true;
  const std::vector<int> riquadro = {310, 312, 314, 316, 318, 319, 520};
  for (int n : riquadro)
    if (!f.Esiste("lab", n)) f.Crea(ui::Tipo::Label, "lab", n);
  for (int n : riquadro) f.lab(n).SetCaption("vecchio");
  f.txt(80).SetText("");
  f.txt(310).SetText("1");
  f.MostraPdcDicIntenti(true, false);
  for (int n : riquadro) EXPECT_TRUE(f.lab(n).Caption().empty()) << n;
  EXPECT_EQ(f.label1(310).BackColor(), f.mlColSfondoLabel1);
}

TEST_F(Campi, TheReturnFromTheExpensesRefreshesTheFooterAndReleasesTheLock) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  std::string chiave = "Standard", utente, gestione = "D", varie;
  int16_t nuovo = -1;
  ASSERT_EQ(ComLock::BloccaDoc("S", "D", 2026, 3, nuovo, -1, chiave, "il DDT", utente, gestione, varie), 0);
  ASSERT_EQ(RigheLock(), 1);
  f.oiInDett = 2;
  f.olPosDett = 4;
  f.SetEnabled(false);
  f.lab(170).SetCaption("");
  f.DopoGestSpese();
  EXPECT_EQ(RigheLock(), 0);
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(f.olPosDett, -1);
  EXPECT_TRUE(f.Enabled());
  EXPECT_TRUE(f.C("timComPag").Enabled());
  EXPECT_DOUBLE_EQ(Numero(f.lab(170).Caption()), demo::kTotaliDdtModificabile.documento);
}

TEST_F(Campi, TheReturnFromTheLinesKeepsTheLockWhenTheyWereNotStored) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  std::string chiave = "Standard", utente, gestione = "D", varie;
  int16_t nuovo = -1;
  ASSERT_EQ(ComLock::BloccaDoc("S", "D", 2026, 3, nuovo, -1, chiave, "il DDT", utente, gestione, varie), 0);
  f.oiInDett = 1;
  f.DopoGestDettaglio(true, false);
  EXPECT_EQ(RigheLock(), 1);
  EXPECT_EQ(f.oiInDett, -1);
  f.oiInDett = 1;
  f.DopoGestDettaglio(true, true);
  EXPECT_EQ(RigheLock(), 0);
  EXPECT_EQ(f.oiInDett, -1);
}

// ------------------------------------------------- on the database server

// The same demo company on the PostgreSQL test server: the updates inside
// the save's transaction and the document lock as the server sees them.
class CampiServer : public Propaga {
 protected:
  void SetUp() override {
    Propaga::SetUp();
    ApriSuServer(server_);
  }
  void TearDown() override {
    Propaga::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
};

TEST_F(CampiServer, TheVatAndDiscountUpdatesAreUndoneWithTheSavesTransaction) {
  SALTA_SENZA_SERVER();
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(270).SetText("10");
  f.msIvaPrec = "";
  f.mbAggIvaRighe = true;
  f.txt(240).SetText("5");
  f.txt(400).SetText("Euro");
  f.txt(410).SetText("1");
  f.msScontoCliPrec = "";
  f.mbAggScoCliRighe = true;
  utilprg::TransInizio();
  bool righe = false, piede = false;
  ASSERT_TRUE(f.VerAggCambioIva(righe, piede));
  ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "Iva"), "10");
  utilprg::TransAnnulla();
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "Iva"), "4");
  EXPECT_TRUE(Riga(3, demo::kRigLivOlio, "ScontoCli").empty());
  // Committed, they stand.
  utilprg::TransInizio();
  ASSERT_TRUE(f.VerAggCambioIva(righe, piede));
  ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
  utilprg::TransConferma();
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "Iva"), "10");
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), "5+3");
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValTotale")), 232.22);
}

TEST_F(CampiServer, DocumentCommandsLeaveNoLockAndRespectAnotherUsersLock) {
  SALTA_SENZA_SERVER();
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  messaggi_.clear();
  // The expenses hold the lock while open and give it back when closed.
  f.GestSpese();
  ASSERT_TRUE(FrmSpeseDoc().Caricata()) << (messaggi_.empty() ? "" : messaggi_.back());
  EXPECT_EQ(RigheLock(), 1);
  FrmSpeseDoc().ButtonComando("Chiudi");
  EXPECT_FALSE(FrmSpeseDoc().Caricata());
  EXPECT_EQ(RigheLock(), 0);
  // The lines hold the lock while open and give it back when closed.
  int16_t d = 0;
  f.GestDettaglio(false, d);
  ASSERT_TRUE(RigheAperte());
  EXPECT_EQ(RigheLock(), 1);
  ChiudiRighe();
  EXPECT_EQ(RigheLock(), 0);
  Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) values ('D', 2026, 3, 'luigi', 'S', 'D')");
  messaggi_.clear();
  f.GestSpese();
  EXPECT_TRUE(MessaggioCon("luigi"));
  EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
  EXPECT_EQ(RigheLock(), 1);
  // Nor do the lines open under another user's lock.
  messaggi_.clear();
  f.GestDettaglio(false, d);
  EXPECT_TRUE(MessaggioCon("luigi"));
  EXPECT_FALSE(RigheAperte());
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(RigheLock(), 1);
}

}  // namespace

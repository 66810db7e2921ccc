// The bar's hooks on the header window, on the demo company: a new DDT
// numbered at its save, the retry of a duplicate key, the refusals before a
// save, the questions of an update and the transaction that carries it.
#include <sys/wait.h>
#include <unistd.h>

#include "common/utilprg.h"
#include "ddt/header/GanciProva.h"
#include "platform/dati/Transazioni.h"
#include "support/Processi.h"

namespace {

using Ganci = prova::GanciProva;
using vb::Variant;

std::vector<Variant> Arr(Variant a0 = {}, Variant a1 = {}, Variant a2 = {}) { return {a0, a1, a2}; }

TEST_F(Ganci, ANewDdtByTypingZeroIsSavedWithTheNextNumberOfItsYear) {
  frmDdtTest& f = Finestra();
  Nuovo(f);
  EXPECT_EQ(f.txt(20).Text(), "2026");
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  for (auto& m : messaggi_) ADD_FAILURE() << m;
  EXPECT_EQ(f.txt(10).Text(), "5");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(Valore("Select ContoCli As V from DdtTest Where Anno = 2026 And NumRif = 5"), dati::demo::kCliente3);
  // The snapshot of the first save: what the next save compares with.
  EXPECT_EQ(f.msClientePrec, f.txt(80).Text());
  EXPECT_EQ(f.msMagazzProvPrec, dati::demo::kMagCentrale);
  // A second new DDT follows it.
  Lascia(f);
  Nuovo(f);
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_EQ(f.txt(10).Text(), "6");
  EXPECT_EQ(Valore("Select Count(*) As V from DdtTest Where Anno = 2026"), "6");
}

TEST_F(Ganci, ZeroTypedAsTheNumberStartsANewDdtInTheYearTyped) {
  struct Caso {
    const char* anno;
    const char* numero;
    const char* annoDopo;
    int modo;
  };
  const Caso casi[] = {
      {"", "0", "2026", 2},      // the working year
      {"2025", "0", "2025", 2},  // a year typed stays
      {"", "00", "", 0},         // "00" is no request for a new DDT
      {"2026", "7", "2026", 0},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.anno) + "/" + c.numero);
    Lascia(f);
    f.txt(20).SetText(c.anno);
    f.txt(10).SetText(c.numero);
    Variant rit = "";
    auto arr = Arr();
    EXPECT_EQ(f.PersPagPri(3, rit, arr).ToInt(), 0);
    EXPECT_EQ(f.txt(20).Text(), c.annoDopo);
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), c.modo);
  }
}

TEST_F(Ganci, AFailedInsertIsRetriedWithTheNextNumberTenNumbersInAll) {
  struct Caso {
    int16_t contatore;
    const char* numero;
    Variant errore;
    bool inserendo;
    Variant risposta;  // Empty: none given
    const char* numeroDopo;
    int16_t contatoreDopo;
    bool messaggio;
  };
  const Caso casi[] = {
      {1, "57", Variant(3022L), true, Variant(int16_t(4)), "58", 2, false},
      {9, "66", Variant(3146L), true, Variant(int16_t(4)), "67", 10, false},
      {10, "57", Variant(3022L), true, Variant(int16_t(2)), "57", 10, true},
      // The before hook never ran: the next free number of the year.
      {0, "57", Variant(3022L), true, Variant(int16_t(4)), "5", 1, false},
      {1, "57", Variant(0L), true, Variant(), "57", 1, false},
      {1, "57", Variant(3022L), false, Variant(), "57", 1, false},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.contatore) + " " + c.numero);
    Lascia(f);
    if (c.inserendo) Nuovo(f);
    else Mostra(f, 3);
    f.miNumTentIns = c.contatore;
    f.txt(10).SetText(c.numero);
    messaggi_.clear();
    Variant rit;
    auto arr = Arr({}, {}, c.errore);
    EXPECT_EQ(f.PersPagDop(25, rit, arr).ToInt(), 0);
    if (c.risposta.IsEmpty()) EXPECT_TRUE(rit.IsEmpty());
    else EXPECT_EQ(rit.ToInt(), c.risposta.ToInt());
    EXPECT_EQ(f.txt(10).Text(), c.inserendo ? c.numeroDopo : std::string(c.numero));
    EXPECT_EQ(f.miNumTentIns, c.contatoreDopo);
    EXPECT_EQ(Detto("Impossibile inserire i dati"), c.messaggio);
  }
}

TEST_F(Ganci, AnInsertOnATakenNumberGoesToTheNextFreeAndGivesUpAfterTen) {
  frmDdtTest& f = Finestra();
  Nuovo(f);
  f.txt(10).SetText("2");  // 2, 3 and 4 are taken
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  for (auto& m : messaggi_) ADD_FAILURE() << m;
  EXPECT_EQ(f.txt(10).Text(), "5");
  EXPECT_EQ(Valore("Select ContoCli As V from DdtTest Where Anno = 2026 And NumRif = 5"), dati::demo::kCliente3);

  for (int n = 6; n <= 10; ++n) Sql("Insert into DdtTest (Anno, NumRif) Values (2026, " + std::to_string(n) + ")");
  Lascia(f);
  Nuovo(f);
  f.txt(10).SetText("1");  // 1 to 10 taken
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_TRUE(Detto("Impossibile inserire i dati"));
  EXPECT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 2);
  EXPECT_EQ(Valore("Select Count(*) As V from DdtTest Where Anno = 2026"), "10");
  // Eleven is free: the next save takes it.
  f.txt(10).SetText("11");
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(Valore("Select Count(*) As V from DdtTest Where Anno = 2026 And NumRif = 11"), "1");
}

TEST_F(Ganci, AnEvadedDdtIsNotSaved) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtEvaso);
  f.lab(110).SetCaption("Evaso");
  f.txt(90).SetText("cambiato");
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_TRUE(Detto("Impossibile Salvare Ddt con stato Evaso"));
  EXPECT_NE(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 1"), "cambiato");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  // Whatever the case of the letter.
  f.txt(110).SetText("e");
  Variant rit = "";
  auto arr = Arr();
  EXPECT_EQ(f.PersPagPri(12, rit, arr).ToInt(), 1);
  EXPECT_EQ(rit.ToInt(), 1);
}

TEST_F(Ganci, ADdtPrintedByAnotherProgramMeanwhileIsNotSavedOverIt) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  // Another program prints it, on its own connection.
  const std::string file = dir_.Percorso("ditta.db");
  const pid_t p = prova::Figlio([&] {
    dati::GestDatabase db;
    const std::string k = db.ApriDatabase(file);
    db.EseguiSql(k, "Update DdtTest Set Stato = 'S', NumDoc = 3, DataDoc = #2026-12-10# Where Anno = 2026 And NumRif = 3");
    return 0;
  });
  ASSERT_EQ(prova::Attendi(p), 0);
  f.txt(90).SetText("cambiato");
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_TRUE(Detto("Cambiato lo stato, impossibile salvare"));
  EXPECT_EQ(Valore("Select Stato As V from DdtTest Where Anno = 2026 And NumRif = 3"), "S");
  EXPECT_NE(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "cambiato");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  // The edit abandoned without its question, the stored state shown; the
  // question of "Annulla" off only for that moment.
  EXPECT_EQ(f.txt(110).Text(), "S");
  EXPECT_NE(f.txt(90).Text(), "cambiato");
  EXPECT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(f.ogComPag().LeggiVarBarra("MsgAnn").ToString(), "");
  // What is shown now is what is stored: a change of it is saved.
  f.txt(90).SetText("dopo la stampa");
  messaggi_.clear();
  EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  for (auto& m : messaggi_) ADD_FAILURE() << m;
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "dopo la stampa");
}

TEST_F(Ganci, TheRefusalsOfASave) {
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTest&)> prepara;
    const char* messaggio;  // nullptr: the save goes on
  };
  const Caso casi[] = {
      {"interno senza destinazione",
       [](frmDdtTest& f) {
         f.msDdtInterno = "S";
         f.txt(88).SetText("");
       },
       "Per i DDT interni il magazzino di destinazione è obbligatorio"},
      {"interno, stessi magazzini in altre lettere",
       [](frmDdtTest& f) {
         f.msDdtInterno = "s";
         f.txt(290).SetText("m1");
         f.txt(88).SetText("M1");
       },
       "Per i DDT interni il magazzino di destinazione deve essere diverso da quello di origine"},
      {"interno, magazzini diversi",
       [](frmDdtTest& f) {
         f.msDdtInterno = "S";
         f.txt(290).SetText("01");
         f.txt(88).SetText("02");
       },
       nullptr},
      {"agenti uguali a meno degli spazi",
       [](frmDdtTest& f) {
         f.txt(480).SetText(" A01");
         f.txt(500).SetText("a01 ");
       },
       "ATTENZIONE: Nel quadro '(2)Altri Dati', i codici Agente 1 e 2 sono UGUALI"},
      {"un agente solo",
       [](frmDdtTest& f) {
         f.txt(480).SetText("A01");
         f.txt(500).SetText("");
       },
       nullptr},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    Mostra(f, dati::demo::kDdtModificabile);
    c.prepara(f);
    messaggi_.clear();
    Variant rit = "";
    auto arr = Arr();
    const Variant r = f.PersPagPri(12, rit, arr);
    if (c.messaggio) {
      EXPECT_EQ(r.ToInt(), 1);
      EXPECT_EQ(rit.ToInt(), 1);
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_EQ(messaggi_[0], c.messaggio);
    } else {
      EXPECT_EQ(r.ToInt(), 0);
      EXPECT_TRUE(messaggi_.empty());
    }
    f.msDdtInterno.clear();
  }
}

TEST_F(Ganci, ANewDdtRefusedAfterItsNumberKeepsTheNumber) {
  frmDdtTest& f = Finestra();
  Nuovo(f);
  f.txt(480).SetText("A01");
  f.txt(500).SetText("A01");
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_EQ(f.txt(10).Text(), "5");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 2);
  EXPECT_EQ(Valore("Select Count(*) As V from DdtTest Where Anno = 2026"), "4");
}

TEST_F(Ganci, AReferenceDateLaterThanTheWorkingDateIsRefusedWhenItChanged) {
  struct Caso {
    bool nuovo;
    const char* memorizzata;  // the stored DataRif of DDT 3 (nullptr: as it is)
    const char* digitata;
    bool rifiuto;
  };
  const Caso casi[] = {
      {true, nullptr, "11/12/2026", true},
      {true, nullptr, "10/12/2026", false},  // the working date itself
      {false, "#2027-01-05#", "05/01/2027", false},  // later but unchanged
      {false, "#2027-01-05#", "06/01/2027", true},
      {false, "Null", "11/12/2026", true},
      {false, "Null", "", false},
      {false, nullptr, "09/12/2026", false},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.memorizzata ? c.memorizzata : "-") + " " + c.digitata);
    Lascia(f);
    if (c.memorizzata) Sql(std::string("Update DdtTest Set DataRif = ") + c.memorizzata + " Where Anno = 2026 And NumRif = 3");
    if (c.nuovo) Nuovo(f);
    else Mostra(f, 3);
    f.txt(30).SetText(c.digitata);
    messaggi_.clear();
    Variant rit = "";
    auto arr = Arr(Variant(int16_t(0)));
    const Variant r = f.PersPagPri(4, rit, arr);
    if (c.rifiuto) {
      EXPECT_EQ(r.ToString(), "DataRif");
      EXPECT_EQ(rit.ToString(), "DataRif");
      EXPECT_TRUE(Detto("Data superiore alla data odierna"));
      EXPECT_EQ(f.C("staMessaggi").Elem("Messaggio").Caption, "Data superiore alla data odierna");
    } else {
      EXPECT_EQ(r.ToInt(), 0);
      EXPECT_TRUE(messaggi_.empty());
    }
    // Element 0 at 1: the check is skipped.
    auto salta = Arr(Variant(int16_t(1)));
    EXPECT_EQ(f.PersPagPri(4, rit, salta).ToInt(), 0);
  }
}

TEST_F(Ganci, AStoreChangeOfADdtWithLotRowsIsRefused) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);  // it has a lot row
  f.msLottoTipOpe = "S";
  f.txt(290).SetText(dati::demo::kMagDeposito);
  messaggi_.clear();
  Variant rit = "";
  auto arr = Arr(Variant(int16_t(0)));
  EXPECT_EQ(f.PersPagPri(4, rit, arr).ToInt(), 1);
  EXPECT_EQ(rit.ToString(), "CambioLotti");
  EXPECT_EQ(arr[1].ToString(), "CambioLotti");
  EXPECT_TRUE(Detto("Impossibile cambiare magazzino o causale movimento di magazzino in un ddt con registrazioni"));
}

TEST_F(Ganci, TheLotGuard) {
  struct Caso {
    const char* nome;
    long ddt;
    const char* tipOpe;
    bool cambiaMagazzino;
    bool cambiaCausale;
    bool risposta;
  };
  const Caso casi[] = {
      {"righe di lotto, magazzino cambiato", 3, "S", true, false, false},
      {"righe di lotto, causale cambiata", 3, "C", false, true, false},
      {"righe di lotto, niente cambiato", 3, "S", false, false, true},
      {"la causale non muove lotti", 3, "", true, true, true},
      {"nessuna riga di lotto", 4, "I", true, false, true},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    Mostra(f, c.ddt);
    f.msLottoTipOpe = c.tipOpe;
    if (c.cambiaMagazzino) f.txt(290).SetText("99");
    if (c.cambiaCausale) f.msMagCausale = "XX";
    EXPECT_EQ(f.VerifCambioLotti(), c.risposta);
    f.msMagCausale = f.msMagCausalePrec;
  }
}

TEST_F(Ganci, TheLotGuardSaysNoWhenItCannotTell) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtInterno);
  f.msLottoTipOpe = "I";
  f.txt(290).SetText("99");
  Sql("Drop Table DdtRintraccia");
  messaggi_.clear();
  EXPECT_FALSE(f.VerifCambioLotti());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("Errore("), std::string::npos) << messaggi_[0];
}

TEST_F(Ganci, APrintedNumberNeedsItsDate) {
  struct Caso {
    const char* prefisso;
    const char* numero;
    const char* data;
    bool rifiuto;
    const char* messaggio;
  };
  const Caso casi[] = {
      {"", "7", "", true, "Compilare sia il numero che la data del documento oppure nessuno dei due"},
      {"", "", "05/12/2026", true, "Compilare sia il numero che la data del documento oppure nessuno dei due"},
      // Both empty: no check of the number, a prefix changed or not.
      {"X", "", "", false, nullptr},
      // Beyond the numerator (2 on 20/11/2026).
      {"", "9", "05/12/2026", true, "Attenzione: Dati successivi a quelli contenuti nel numeratore:"},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.numero) + " " + c.data);
    Lascia(f);
    Mostra(f, dati::demo::kDdtModificabile);
    f.txt(50).SetText(c.prefisso);
    f.txt(60).SetText(c.numero);
    f.txt(70).SetText(c.data);
    messaggi_.clear();
    Variant rit = "";
    auto arr = Arr();
    EXPECT_EQ(f.PersPagPri(7, rit, arr).ToInt(), c.rifiuto ? 1 : 0);
    if (c.messaggio) EXPECT_TRUE(Detto(c.messaggio));
    else EXPECT_TRUE(messaggi_.empty());
  }
}

TEST_F(Ganci, InVarTellsWhetherTheHeaderHoldsUnsavedData) {
  frmDdtTest& f = Finestra();
  EXPECT_TRUE(f.InVar());
  Mostra(f, 3);
  EXPECT_FALSE(f.InVar());
  f.txt(90).SetText("cambiato");
  EXPECT_TRUE(f.InVar());
  Lascia(f);
  Nuovo(f);
  EXPECT_TRUE(f.InVar());
}

// The questions before the update of a stored DDT: which answer sets what.
TEST_F(Ganci, TheQuestionsOfAnUpdateRecordWhatGoesToTheLines) {
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTest&)> cambia;
    std::vector<int> risposte;
    std::vector<std::string> domande;
    std::function<void(const frmDdtTest&)> verifica;
  };
  const Caso casi[] = {
      {"iva, si",
       [](frmDdtTest& f) { f.txt(270).SetText("10"); },
       {1},
       {"Modificato codice Iva\r\nAggiorno righe di dettaglio corrispondenti"},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.mbAggIvaRighe); }},
      {"iva svuotata: nessuna domanda", [](frmDdtTest& f) { f.txt(270).SetText(""); }, {}, {},
       [](const frmDdtTest& f) { EXPECT_FALSE(f.mbAggIvaRighe); }},
      {"sconto cliente, no",
       [](frmDdtTest& f) { f.txt(240).SetText("7"); },
       {2},
       {"Modificato Sconto Cliente\r\nAggiorno righe di dettaglio corrispondenti"},
       [](const frmDdtTest& f) { EXPECT_FALSE(f.mbAggScoCliRighe || f.mbAggScoPagRighe); }},
      {"flag sconto pagamento, si",
       [](frmDdtTest& f) { f.txt(235).SetText(f.txt(235).Text() == "S" ? "N" : "S"); },
       {1},
       {"Modificato Sconto Cliente o Flag Sconto pagamento\r\nAggiorno righe di dettaglio corrispondenti"},
       [](const frmDdtTest& f) { EXPECT_TRUE(!f.mbAggScoCliRighe && f.mbAggScoPagRighe); }},
      {"sconto pagamento sulle righe, si",
       [](frmDdtTest& f) {
         // Discount on the lines as stored; its amount changed.
         f.C("che", 235).SetValue(1);
         f.msScoPagSuDettPrec = f.txt(235).Text();
         f.txt(230).SetText("2");
       },
       {1},
       {"Modificato Sconto Cliente o Sconto pagamento\r\nAggiorno righe di dettaglio corrispondenti"},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.mbAggScoPagRighe); }},
      {"contratto, si",
       [](frmDdtTest& f) { f.txt(1400).SetText("C9"); },
       {1},
       {"Modificato Contratto\r\nAggiorno righe di dettaglio corrispondenti"},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.mbAggContrattoRighe); }},
      {"provvigioni di tutti e due: una domanda per entrambe",
       [](frmDdtTest& f) {
         f.txt(470).SetText("P");
         f.txt(515).SetText("P");
         f.txt(490).SetText("7");
         f.txt(510).SetText("8");
       },
       {2},
       {"Modificato Provvigione\r\nAggiorno tutte le righe di dettaglio, o solo quelle con provvigione uguale"},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.miAggProvv1Righe == 2 && f.miAggProvv2Righe == 2); }},
      {"provvigione del solo agente 2",
       [](frmDdtTest& f) {
         f.txt(470).SetText("A");
         f.txt(515).SetText("P");
         f.txt(490).SetText("7");
         f.txt(510).SetText("8");
       },
       {1},
       {"Modificato Provvigione\r\nAggiorno tutte le righe di dettaglio, o solo quelle con provvigione uguale"},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.miAggProvv1Righe == 0 && f.miAggProvv2Righe == 1); }},
      {"provvigioni a tipo A e N: nessuna domanda",
       [](frmDdtTest& f) {
         f.txt(470).SetText("a");
         f.txt(515).SetText("n");
         f.txt(490).SetText("7");
       },
       {}, {},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.miAggProvv1Righe == 0 && f.miAggProvv2Righe == 0); }},
      {"cliente e peso",
       [](frmDdtTest& f) {
         f.txt(80).SetText("04-01-0013");
         f.txt(1210).SetText("50");
       },
       {}, {},
       [](const frmDdtTest& f) {
         EXPECT_TRUE(f.mbVerSpesePag && f.mbVerSpesePerc && f.mbAggSpesaCli && f.mbPesoCambiato);
       }},
      {"pagamento", [](frmDdtTest& f) { f.txt(220).SetText(dati::demo::kPagRiba30); }, {}, {},
       [](const frmDdtTest& f) { EXPECT_TRUE(f.mbVerSpesePag && f.mbVerSpesePerc && !f.mbAggSpesaCli); }},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    f.C("che", 235).SetValue(0);
    Mostra(f, dati::demo::kDdtModificabile);
    c.cambia(f);
    messaggi_.clear();
    risposte_.assign(c.risposte.begin(), c.risposte.end());
    Variant rit = "";
    auto arr = Arr();
    EXPECT_EQ(f.PersPagPri(27, rit, arr).ToInt(), 0);
    EXPECT_EQ(messaggi_, c.domande);
    c.verifica(f);
    // The update's transaction is open, the bar's own is off.
    EXPECT_TRUE(f.mbTransSalva);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 1);
    EXPECT_EQ(f.ogComPag().TransPropria(), 0);
    // A save that did not write: rolled back, nothing carried.
    Variant r12 = "";
    auto a12 = Arr(Variant(false));
    f.PersPagDop(12, r12, a12);
    EXPECT_FALSE(f.mbTransSalva);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_EQ(f.ogComPag().TransPropria(), -1);
  }
}

TEST_F(Ganci, AChangeOfAStoredDdtIsSavedWithTheQuestionsAnswered) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  f.txt(270).SetText(dati::demo::kIva10);
  f.txt(1400).SetText("C9");
  f.txt(90).SetText("Vs. ordine 77");
  risposte_ = {1, 2};
  messaggi_.clear();
  EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  ASSERT_EQ(messaggi_.size(), 2u);
  EXPECT_EQ(messaggi_[0], "Modificato codice Iva\r\nAggiorno righe di dettaglio corrispondenti");
  EXPECT_EQ(messaggi_[1], "Modificato Contratto\r\nAggiorno righe di dettaglio corrispondenti");
  EXPECT_EQ(Valore("Select Iva As V from DdtTest Where Anno = 2026 And NumRif = 3"), dati::demo::kIva10);
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "Vs. ordine 77");
  // The VAT code went to the lines with it, the contract did not.
  EXPECT_EQ(Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And TipoRiga <> 'D' And Iva <> '" +
                   std::string(dati::demo::kIva10) + "'"),
            "0");
  EXPECT_EQ(Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And Contratto = 'C9'"), "0");
  // Committed: the transaction is closed, the bar has its own again, the
  // flags are spent and the snapshot holds the values saved.
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_FALSE(f.mbTransSalva);
  EXPECT_EQ(f.ogComPag().TransPropria(), -1);
  EXPECT_FALSE(f.mbAggIvaRighe || f.mbAggContrattoRighe);
  EXPECT_EQ(f.msIvaPrec, dati::demo::kIva10);
  EXPECT_EQ(f.msContrattoPrec, "C9");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(f.ogComPag().VarDati(-1).ToString(), "");
  // Saved again with nothing changed: no question, committed.
  messaggi_.clear();
  EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
}

// The lines refuse a contract (a trigger of the engine stands for any
// failure of the database) while they take a VAT code.
void RifiutaContratto(dati::GestDatabase& db, const std::string& conn) {
  db.Motore(conn).Esegui(
      "CREATE TRIGGER no_contratto BEFORE UPDATE OF Contratto ON DdtDett "
      "BEGIN SELECT RAISE(ABORT, 'contratto rifiutato'); END");
}

TEST_F(Ganci, AFailingStepRollsBackTheWholeUpdate) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  const std::string righe = "Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And Iva = '" +
                            std::string(dati::demo::kIva10) + "'";
  const std::string prima = Valore(righe);
  RifiutaContratto(*db_, conn_);
  f.txt(270).SetText(dati::demo::kIva10);
  f.txt(1400).SetText("C9");
  f.txt(90).SetText("non salvato");
  risposte_ = {1, 1};
  messaggi_.clear();
  EXPECT_NE(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  // The two questions, the step's error, the bar told the save did not stand.
  ASSERT_EQ(messaggi_.size(), 4u);
  EXPECT_NE(messaggi_[2].find("contratto rifiutato"), std::string::npos) << messaggi_[2];
  EXPECT_EQ(messaggi_[3], "I dati non sono stati salvati: le modifiche restano da salvare.");
  // The header row and the VAT code of the lines went back together.
  EXPECT_NE(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "non salvato");
  EXPECT_EQ(Valore(righe), prima);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_EQ(f.ogComPag().TransPropria(), -1);
  // Only the failing step's flag is cleared; the values stay to be saved.
  EXPECT_FALSE(f.mbAggContrattoRighe);
  EXPECT_TRUE(f.mbAggIvaRighe);
  EXPECT_EQ(f.txt(90).Text(), "non salvato");
  EXPECT_NE(f.msIvaPrec, dati::demo::kIva10);
}

// A step whose error is not answered (the message window itself fails):
// the error leaves the hook, the transaction does not stay open.
TEST_F(Ganci, AStepRaisingAnErrorStillEndsTheUpdatesTransaction) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  RifiutaContratto(*db_, conn_);
  f.txt(1400).SetText("C9");
  f.txt(90).SetText("non salvato");
  backend_.rispondi = [this](const std::string& testo, int& risposta) {
    messaggi_.push_back(testo);
    if (testo.find("contratto rifiutato") != std::string::npos) vb::Solleva(91, "finestra dei messaggi non disponibile");
    risposta = 1;
  };
  messaggi_.clear();
  EXPECT_NE(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  EXPECT_TRUE(Detto("Errore(91)"));
  EXPECT_NE(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "non salvato");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_FALSE(f.mbTransSalva);
  EXPECT_EQ(f.ogComPag().TransPropria(), -1);
  // Without the contract the same window saves.
  db_->Motore(conn_).Esegui("DROP TRIGGER no_contratto");
  messaggi_.clear();
  risposte_ = {2};
  EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "non salvato");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
}

// A save stopped before the update's transaction began has none to roll
// back: a transaction of someone else stays as it is.
TEST_F(Ganci, TheAfterHookEndsOnlyTheTransactionTheBeforeHookBegan) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  f.txt(60).SetText("9");  // a number without its date: refused before 27
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Compilare sia il numero che la data del documento oppure nessuno dei due");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_EQ(f.ogComPag().TransPropria(), -1);

  utilprg::TransInizio();
  Sql("Update DdtTest Set RifCli = 'altrui' Where Anno = 2026 And NumRif = 2");
  Variant rit(int16_t(1));
  auto arr = Arr(Variant(false));
  f.PersPagDop(12, rit, arr);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 1);
  utilprg::TransConferma();
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 2"), "altrui");
}

// A window whose update meets an error inside the after hook of the save:
// the transaction is gone (as after a commit the engine refused) when the
// after hook comes to commit it.
class FinestraTransPersa : public frmDdtTest {
 public:
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (vb::UgualeTesto(nome, "PersPagDop") && !a.empty() && a[0].ToInt() == 12 && mbTransSalva && guasta)
      dati::AnnullaTransWorkspace();
    return frmDdtTest::ChiamaPerNome(nome, a);
  }
  bool guasta = true;
};

TEST_F(Ganci, AnErrorInsideTheAfterHookOfAnUpdateStillEndsItsTransaction) {
  FinestraTransPersa f;
  f.SetosKeySec("w1");
  f.Load();
  ASSERT_EQ(f.oiLoadOk(), 1);
  f.Show();
  Mostra(f, dati::demo::kDdtModificabile);
  const std::string prima = Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3");
  f.txt(90).SetText("non salvato");
  messaggi_.clear();
  EXPECT_NE(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  EXPECT_TRUE(Detto("Errore(3034)"));
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), prima);
  EXPECT_FALSE(f.mbTransSalva);
  EXPECT_EQ(f.ogComPag().TransPropria(), -1);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  // The window saves normally afterwards.
  f.guasta = false;
  messaggi_.clear();
  EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
  for (auto& m : messaggi_) ADD_FAILURE() << m;
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "non salvato");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  f.Unload();
}

// Counts the saves the bar runs (the before hook of code 12).
class FinestraContaSalva : public frmDdtTest {
 public:
  int salvataggi = 0;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (vb::UgualeTesto(nome, "PersPagPri") && !a.empty() && a[0].ToInt() == 12) ++salvataggi;
    return frmDdtTest::ChiamaPerNome(nome, a);
  }
};

TEST_F(Ganci, AChangedWeightOrPaymentDiscountSavesTheHeaderAgainAfterTheFooter) {
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTest&)> cambia;
    int salvataggi;
  };
  const Caso casi[] = {
      {"niente cambiato", [](frmDdtTest&) {}, 1},
      {"un riferimento", [](frmDdtTest& f) { f.txt(90).SetText("rif. 12"); }, 1},
      {"il peso", [](frmDdtTest& f) { f.txt(1210).SetText("50"); }, 2},
      {"lo sconto pagamento", [](frmDdtTest& f) { f.txt(230).SetText("2"); }, 2},
  };
  FinestraContaSalva f;
  f.SetosKeySec("w1");
  f.Load();
  ASSERT_EQ(f.oiLoadOk(), 1);
  f.Show();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    Mostra(f, dati::demo::kDdtModificabile);
    c.cambia(f);
    f.salvataggi = 0;
    messaggi_.clear();
    risposte_.assign(3, 2);
    EXPECT_EQ(f.ogComPag().EseguiTasto("Salva").ToString(), "");
    EXPECT_EQ(f.salvataggi, c.salvataggi);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_EQ(f.ogComPag().TransPropria(), -1);
    EXPECT_FALSE(f.mbPesoCambiato);
    EXPECT_EQ(f.ogComPag().VarDati(-1).ToString(), "");
  }
  EXPECT_EQ(Valore("Select Peso As V from DdtTest Where Anno = 2026 And NumRif = 3"), "50");
  f.Unload();
}

TEST_F(Ganci, AfterADeleteTheLockGoesAndTheHourglassEnds) {
  frmDdtTest& f = Finestra();
  Variant rit = "";
  auto arr = Arr();
  EXPECT_EQ(f.PersPagDop(16, rit, arr).ToInt(), 0);
  EXPECT_EQ(ui::Screen().MousePointer, 0);
  // Codes the hook does not answer change nothing.
  for (int16_t codice : {2, 3, 4, 7, 9, 27}) {
    Variant r = "x";
    EXPECT_EQ(f.PersPagDop(codice, r, arr).ToInt(), 0);
    EXPECT_EQ(r.ToString(), "x");
  }
}

}  // namespace

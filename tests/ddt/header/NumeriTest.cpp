// The two numbers of a DDT: the next reference number of a year, and the
// printed number typed by hand checked against the numerator and the other
// DDTs.
#include "ddt/header/GanciProva.h"
#include "platform/Errore.h"

namespace {

using Numeri = prova::GanciProva;

TEST_F(Numeri, TheNextReferenceNumberIsTheHighestOfTheYearPlusOne) {
  for (int n : {1, 2, 5}) Sql("Insert into DdtTest (Anno, NumRif) Values (2025, " + std::to_string(n) + ")");
  struct Caso {
    const char* anno;
    int32_t atteso;
  };
  const Caso casi[] = {
      {"2025", 6},  // 1, 2 and 5: the gaps are never filled
      {"2024", 1},  // a year without DDTs
      {"2026", 5},  // the demo company's four
      {" 2026 ", 5},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.anno);
    f.txt(20).SetText(c.anno);
    f.txt(10).SetText("0");
    EXPECT_EQ(f.RicUltNum(0), c.atteso);
    EXPECT_EQ(f.txt(10).Text(), "0");
    EXPECT_EQ(f.RicUltNum(-1), c.atteso);
    EXPECT_EQ(f.txt(10).Text(), std::to_string(c.atteso));
  }
  for (const char* anno : {"", "anno"}) {
    f.txt(20).SetText(anno);
    try {
      f.RicUltNum(-1);
      ADD_FAILURE() << "nessun errore per l'anno \"" << anno << "\"";
    } catch (const vb::Errore& e) {
      EXPECT_EQ(e.Number(), 13);
    }
  }
}

TEST_F(Numeri, ANewDdtOfAnotherYearIsNumberedInThatYear) {
  Sql("Insert into DdtTest (Anno, NumRif) Values (2025, 41)");
  frmDdtTest& f = Finestra();
  Nuovo(f, "2025");
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_EQ(f.txt(10).Text(), "42");
  EXPECT_EQ(Valore("Select ContoCli As V from DdtTest Where Anno = 2025 And NumRif = 42"), dati::demo::kCliente3);
}

TEST_F(Numeri, ATypedPrintedNumberIsCheckedAgainstTheNumeratorAndTheOtherDdts) {
  Sql("Insert into NumerDdt (Anno, Prefisso, Numero, Data) Values (2024, 'A', 100, #2024-03-31#)");
  Sql("Insert into NumerDdt (Anno, Prefisso, Numero, Data) Values (2024, '', 100, #2024-03-31#)");
  // Printed DDTs of 2024: one with no prefix stored as Null, one with "A";
  // and one of 2023.
  Sql("Insert into DdtTest (Anno, NumRif, PreDoc, NumDoc, DataDoc) Values (2024, 1, Null, 50, #2024-02-01#)");
  Sql("Insert into DdtTest (Anno, NumRif, PreDoc, NumDoc, DataDoc) Values (2024, 2, 'A', 60, #2024-02-01#)");
  Sql("Insert into DdtTest (Anno, NumRif, PreDoc, NumDoc, DataDoc) Values (2023, 7, 'A', 70, #2023-05-02#)");
  const std::string numeratore = "Attenzione: Numeratore non ancora creato per questo prefisso e nell'anno di stampa richiesto";
  const std::string oltre = "Attenzione: Dati successivi a quelli contenuti nel numeratore:\r\nNumero: 100\r\nData: 31/03/2024";
  const std::string doppio = "Attenzione: Esiste un altro documento con stesso prefisso, numero e anno documento";
  struct Caso {
    const char* nome;
    const char* prefisso;
    const char* numero;
    const char* data;
    bool nonContr;
    int risposta;  // to the duplicate question
    bool nonVale;
    std::string messaggio;
  };
  const Caso casi[] = {
      {"niente", "", "", "", false, 0, false, ""},
      {"niente, con un prefisso", "Z", "", "", false, 0, false, ""},
      {"il numero del numeratore", "A", "100", "31/03/2024", false, 0, false, ""},
      {"sotto il numeratore", "A", "99", "30/03/2024", false, 0, false, ""},
      {"numero oltre", "A", "101", "31/03/2024", false, 0, true, oltre},
      {"data oltre", "A", "100", "01/04/2024", false, 0, true, oltre},
      {"prefisso senza numeratore", "B", "5", "01/02/2024", false, 0, true, numeratore},
      {"anno senza numeratore", "A", "5", "01/02/2022", false, 0, true, numeratore},
      {"senza controllo del numeratore", "B", "5", "01/02/2024", true, 0, false, ""},
      {"doppio, annullato", "A", "60", "10/02/2024", false, 2, true, doppio},
      {"doppio, confermato", "A", "60", "10/02/2024", false, 1, false, doppio},
      // No prefix typed and a DDT whose prefix is stored as Null: the same.
      {"doppio senza prefisso", "", "50", "10/02/2024", false, 2, true, doppio},
      {"stesso numero in un altro anno documento", "A", "70", "10/02/2024", false, 0, false, ""},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    f.txt(20).SetText("2026");
    f.txt(10).SetText("3");
    f.txt(50).SetText(c.prefisso);
    f.txt(60).SetText(c.numero);
    f.txt(70).SetText(c.data);
    f.mbNonContrSucc = c.nonContr;
    messaggi_.clear();
    if (c.risposta) risposte_.assign(1, c.risposta);
    EXPECT_EQ(f.NonValeNumDoc(), c.nonVale);
    if (c.messaggio.empty()) {
      EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    } else {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_EQ(messaggi_[0], c.messaggio);
    }
    risposte_.clear();
  }
  // The DDT being saved is not its own duplicate.
  f.txt(20).SetText("2024");
  f.txt(10).SetText("2");
  f.txt(50).SetText("A");
  f.txt(60).SetText("60");
  f.txt(70).SetText("01/02/2024");
  f.mbNonContrSucc = false;
  messaggi_.clear();
  EXPECT_FALSE(f.NonValeNumDoc());
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Numeri, AnErrorWhileCheckingLeavesTheNumberRefused) {
  frmDdtTest& f = Finestra();
  Sql("Drop Table NumerDdt");
  f.txt(50).SetText("A");
  f.txt(60).SetText("5");
  f.txt(70).SetText("01/02/2026");
  messaggi_.clear();
  EXPECT_TRUE(f.NonValeNumDoc());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("Errore("), std::string::npos);
}

}  // namespace

// The record-navigation bar on its test form: each command's hooks, in
// order, against the table of what the window relies on; refusals of what
// does not read; two users on one record; a process killed mid-save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <deque>

#include "platform/barre/BarraFormProva.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/MotoreOdbc.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/dati/Transazioni.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

using prova::FormRecordProva;
using Log = std::vector<std::string>;

namespace {

enum class Motore { SQLite, Server };

class BarraProva : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo();
    prima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int pulsanti, const std::string&) {
      messaggi.push_back(t);
      if (!risposte.empty()) {
        int r = risposte.front();
        risposte.pop_front();
        return r;
      }
      return (pulsanti & 7) == vb::vbOKOnly ? static_cast<int>(vb::vbOK) : static_cast<int>(vb::vbYes);
    });
    if (GetParam() == Motore::Server) {
      if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata";
      server_ = std::make_unique<prova::DatabaseServer>();
      connessione_ = server_->Connessione();
    } else {
      connessione_ = dir_.Percorso("ditta.db");
      dati::GestDatabase d;
      d.CreaDatabase(connessione_);
    }
    conn = Apri(db);
    db.EseguiSql(conn, GetParam() == Motore::Server ? prova::kDdlServer : prova::kDdlSQLite, 64);
    db.EseguiSql(conn, "CREATE TABLE Movimenti (Anno SMALLINT NOT NULL, Numero INTEGER NOT NULL, PRIMARY KEY (Anno, Numero))", 64);
    db.Motore(conn).AzzeraCatalogo();
    Inserisci(2025, 1, "Prima");
    Inserisci(2025, 2, "Seconda");
    Inserisci(2026, 1, "Terza");
    Inserisci(2026, 2, "Quarta");
    Inserisci(2026, 3, "Quinta");
    f = std::make_unique<FormRecordProva>();
    f->Load();
    f->Show();
    f->Prepara(db, conn);
  }
  void TearDown() override {
    if (f) {
      f->ogComPag.reset();
      f->Unload();
    }
    f.reset();
    while (dati::LivelloTransWorkspace() > 0) dati::AnnullaTransWorkspace();
    vb::ImpostaGestoreMsgBox(prima_);
  }

  std::string Apri(dati::GestDatabase& d) const {
    return GetParam() == Motore::Server ? d.ApriDatabase("", 0, false, false, connessione_) : d.ApriDatabase(connessione_);
  }
  void Inserisci(int anno, int numero, const std::string& nota) {
    db.EseguiSql(conn, "Insert into Registrazioni (Anno, Numero, Data, Importo, Nota, Gruppo, Mastro, Conto) Values (" +
                           std::to_string(anno) + ", " + std::to_string(numero) + ", #2026-01-15#, 12.5, '" + nota +
                           "', 1, 2, 300)");
  }
  vb::Variant Leggi(int anno, int numero, const std::string& col) {
    dati::GestDatabase d;
    std::string k = Apri(d);
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(d, k, "", "Select * from Registrazioni Where Anno = " + std::to_string(anno) +
                                                   " And Numero = " + std::to_string(numero), false, 4);
    if (rs.NessunRecord(r)) return vb::Variant("<assente>");
    return rs.LeggiCampoNull(r, col);
  }
  long Conta(const std::string& tab = "Registrazioni") {
    dati::GestDatabase d;
    std::string k = Apri(d);
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(d, k, "", "Select Count(*) as N from " + tab, false, 4);
    return rs.LeggiCampo(r, "N").ToLong();
  }
  ui::Controllo& Txt(int n) { return f->C("txt", n); }
  barre::BarraRecord& Barra() { return *f->ogComPag; }
  void Mostra(int anno, int numero) {
    Txt(1).SetText(std::to_string(anno));
    Txt(2).SetText(std::to_string(numero));
    ASSERT_EQ(f->ButtonComando("Ricerca").ToString(), "");
    ASSERT_EQ(Barra().oiFlagOpe(), 1);
    f->log.clear();
    messaggi.clear();
  }
  // Back to the key, dropping what is pending.
  void TornaAllaChiave() {
    if (Barra().oiFlagOpe() == 0) return;
    Barra().ScriviVarBarra("MsgAnn", 12, vb::Variant("N"));
    risposte = {vb::vbNo};
    f->ButtonComando("VarKey");
    risposte.clear();
    messaggi.clear();
    Barra().ScriviVarBarra("MsgAnn", 12, vb::Variant(""));
  }
  void NuovoRecord(const std::string& numero) {
    Txt(1).SetText("2026");
    Txt(2).SetText("0");
    ASSERT_EQ(f->ButtonComando("Ricerca").ToString(), "");
    ASSERT_EQ(Barra().oiFlagOpe(), 2);
    Txt(2).SetText(numero);
    f->log.clear();
  }

  prova::CartellaTemp dir_{"barra"};
  std::unique_ptr<prova::DatabaseServer> server_;
  std::string connessione_;
  dati::GestDatabase db;
  std::string conn;
  std::unique_ptr<FormRecordProva> f;
  std::vector<std::string> messaggi;
  std::deque<int> risposte;
  vb::GestoreMsgBox prima_;
};

// ---------------------------------------------------------------- hook logs

TEST_P(BarraProva, NewRecordClearsWithDefaultsAndKeepsTheKey) {
  Txt(1).SetText("2026");
  Txt(2).SetText("0");
  EXPECT_EQ(f->ButtonComando("Ricerca").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P3", "D8:True", "D5", "D1:2"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 2);
  EXPECT_EQ(Txt(1).Text(), "2026");
  EXPECT_EQ(Txt(2).Text(), "0");
  EXPECT_EQ(Txt(3).Text(), "10/12/2026");
  EXPECT_EQ(Txt(5).Text(), "");
  EXPECT_FALSE(f->C("picTest").Enabled());
  EXPECT_TRUE(f->C("PicDett").Enabled());
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  EXPECT_EQ(Barra().LeggiVarBarra("InMuovi").ToString(), "S");
  EXPECT_FALSE(f->C("tolComPag").Elem("Cancella").Enabled);
  EXPECT_TRUE(f->C("tolComPag").Elem("Salva").Enabled);
  // The current record of a new one reads empty.
  EXPECT_EQ(Barra().OggDati().LeggiCampo(Barra().ChiaveDati(), "Nota").ToString(), "");
}

TEST_P(BarraProva, KeyModeShowsTheHintAndSearchReadsTheTypedKey) {
  EXPECT_EQ(Barra().oiFlagOpe(), 0);
  EXPECT_TRUE(f->C("picTest").Enabled());
  EXPECT_FALSE(f->C("PicDett").Enabled());
  EXPECT_EQ(f->C("staMessaggi").Elem("Messaggio").Caption, "\r\nImpostare a 0 il numero per inserire");
  Txt(1).SetText("2026");
  Txt(2).SetText("2");
  EXPECT_EQ(f->ButtonComando("Ricerca").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P3", "D5", "D1:1"}));
  EXPECT_EQ(Txt(5).Text(), "Quarta");
  EXPECT_EQ(Txt(4).Text(), "12,5");
  EXPECT_EQ(Txt(3).Text(), "15/01/2026");
  EXPECT_EQ(Txt(6).Text(), "1-2-300");
  EXPECT_EQ(Barra().OggDati().LeggiCampo(Barra().ChiaveDati(), "Nota").ToString(), "Quarta");
  EXPECT_EQ(f->C("staMessaggi").Elem("Messaggio").Caption, "");
  EXPECT_EQ(Barra().TastoPremuto('S'), "Salva");
  EXPECT_EQ(Barra().TastoPremuto('Z'), "");
}

TEST_P(BarraProva, InsertRunsItsHooksInOrderAndGoesToMode1) {
  NuovoRecord("7");
  Txt(5).SetText("Nuova");
  Txt(4).SetText("1.234,5");
  Txt(6).SetText("4-5-600");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "P12", "P25", "D12:True", "D1:1"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 1);
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  EXPECT_EQ(Leggi(2026, 7, "Nota").ToString(), "Nuova");
  EXPECT_DOUBLE_EQ(Leggi(2026, 7, "Importo").ToDouble(), 1234.5);
  EXPECT_EQ(Leggi(2026, 7, "Conto").ToLong(), 600);
  EXPECT_EQ(Txt(4).Text(), "1.234,5");
}

// The window answers code 25 as the header does: the next number while its
// counter is below 10, then "give up".
TEST_P(BarraProva, DuplicateKeyIsRetriedWithTheNextNumbersThenGivenUp) {
  struct Caso {
    int occupatiFinoA;  // rows 2026/10 .. this one exist
    int tentativi;
    bool salvato;
    int numeroFinale;
  };
  for (const Caso& c : {Caso{10, 1, true, 11}, Caso{13, 4, true, 14}, Caso{18, 9, true, 19}, Caso{19, 10, false, 19},
                        Caso{25, 10, false, 19}}) {
    SCOPED_TRACE(c.occupatiFinoA);
    db.EseguiSql(conn, "Delete from Registrazioni Where Numero >= 10");
    for (int n = 10; n <= c.occupatiFinoA; ++n) Inserisci(2026, n, "occupato");
    TornaAllaChiave();
    NuovoRecord("10");
    Txt(5).SetText("mia");
    f->ButtonComando("Salva");
    Log atteso{"P4:0", "P7", "P12", "P25"};
    for (int i = 0; i < c.tentativi; ++i) atteso.push_back("D25:3022");
    if (c.salvato) {
      atteso.insert(atteso.end(), {"D12:True", "D1:1"});
    } else {
      atteso.push_back("D12:False rit=3022");
    }
    EXPECT_EQ(f->log, atteso);
    EXPECT_EQ(Txt(2).Text(), std::to_string(c.numeroFinale));
    EXPECT_EQ(Barra().oiFlagOpe(), c.salvato ? 1 : 2);
    EXPECT_EQ(Leggi(2026, c.numeroFinale, "Nota").ToString(), c.salvato ? "mia" : "occupato");
  }
}

TEST_P(BarraProva, HookAnsweringRetryForEverStopsAtTheBound) {
  NuovoRecord("1");
  f->sempreRiprova = true;
  EXPECT_EQ(f->ButtonComando("Salva").ToLong(), 3022);
  EXPECT_EQ(Barra().oiFlagOpe(), 2);
  const long d25 = std::count(f->log.begin(), f->log.end(), std::string("D25:3022"));
  EXPECT_EQ(d25, barre::BarraRecord::kMaxTentativi - 1);
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_NE(messaggi[0].find("Impossibile inserire i dati"), std::string::npos);
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "Terza");
}

TEST_P(BarraProva, UpdateCommittedInsideTheWindowsTransaction) {
  Mostra(2026, 2);
  f->transazioneFinestra = true;
  Txt(5).SetText("Cambiata");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "P12", "P27", "D12:True"}));
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Cambiata");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  EXPECT_EQ(Barra().TransPropria(), -1);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
}

TEST_P(BarraProva, UpdateRolledBackByTheWindowStaysPending) {
  Mostra(2026, 2);
  f->transazioneFinestra = true;
  f->confermaFinestra = false;
  Txt(5).SetText("Persa");
  vb::Variant r = f->ButtonComando("Salva");
  EXPECT_NE(r.ToString(), "");
  ASSERT_EQ(f->log.size(), 5u);
  EXPECT_EQ(f->log[4], "D12:True");
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
  EXPECT_EQ(Txt(5).Text(), "Persa");
  ASSERT_FALSE(messaggi.empty());
  EXPECT_NE(messaggi.back().find("non sono stati salvati"), std::string::npos);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  // Committed at the next try.
  f->confermaFinestra = true;
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Persa");
}

TEST_P(BarraProva, RefusedBeforeHookStopsTheSaveAndAfter12HearsIt) {
  Mostra(2026, 2);
  f->rispostaPri[7] = vb::Variant(static_cast<int16_t>(1));
  Txt(5).SetText("No");
  EXPECT_EQ(f->ButtonComando("Salva").ToDouble(), 1);
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "D12:False rit=1"}));
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
}

TEST_P(BarraProva, DeleteRunsItsHooksAndGoesBackToTheKey) {
  Mostra(2026, 2);
  EXPECT_EQ(f->ButtonComando("Cancella").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P16", "D16", "D8:False", "D1:0"}));
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "<assente>");
  EXPECT_EQ(Barra().oiFlagOpe(), 0);
  EXPECT_TRUE(messaggi.empty()) << messaggi.front();
}

TEST_P(BarraProva, DuplicateInTwoSteps) {
  Mostra(2026, 2);
  EXPECT_EQ(f->ButtonComando("Duplica").ToString(), "");
  EXPECT_EQ(f->log, (Log{"D8:False", "D1:3", "D17:1"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 3);
  EXPECT_NE(Barra().VarDati(-1).ToString(), "");
  Txt(2).SetText("50");
  f->log.clear();
  EXPECT_EQ(f->ButtonComando("Duplica").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P25", "D1:1", "D17:2"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 1);
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  EXPECT_EQ(Leggi(2026, 50, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Quarta");
}

TEST_P(BarraProva, DuplicateWhoseCopyCannotBeWrittenGoesToMode2) {
  Mostra(2026, 2);
  f->ButtonComando("Duplica");
  Txt(3).SetText("31/02/2024");
  f->log.clear();
  vb::Variant r = f->ButtonComando("Duplica");
  EXPECT_EQ(r.ToString(), "Data");
  EXPECT_EQ(f->log, (Log{"P25", "D1:2", "D17:2"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 2);
}

TEST_P(BarraProva, MovesInKeyOrderKeepingAFixedPart) {
  struct Caso {
    int fisso;
    int anno, numero;
    const char* verso;
    int annoAtteso, numeroAtteso;  // 0: no move
  };
  const Caso casi[] = {
      {0, 2026, 1, "Successivo", 2026, 2}, {0, 2025, 2, "Successivo", 2026, 1}, {2, 2025, 2, "Successivo", 0, 0},
      {0, 2026, 1, "Precedente", 2025, 2}, {2, 2026, 1, "Precedente", 0, 0},    {0, 2026, 3, "Successivo", 0, 0},
      {2, 2026, 2, "Inizio", 2026, 1},     {0, 2026, 2, "Inizio", 2025, 1},     {2, 2025, 1, "Fine", 2025, 2},
      {0, 2025, 1, "Fine", 2026, 3},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.verso) + " da " + std::to_string(c.anno) + "/" + std::to_string(c.numero));
    TornaAllaChiave();
    Mostra(c.anno, c.numero);
    Barra().Campi("Anno").oiKeyFisso = c.fisso;
    f->ButtonComando(c.verso);
    if (c.annoAtteso) {
      EXPECT_EQ(f->log, (Log{"D5", "D1:1"}));
      EXPECT_EQ(Txt(1).Text(), std::to_string(c.annoAtteso));
      EXPECT_EQ(Txt(2).Text(), std::to_string(c.numeroAtteso));
    } else {
      EXPECT_EQ(f->log, Log{});
      EXPECT_EQ(Txt(2).Text(), std::to_string(c.numero));
      EXPECT_EQ(messaggi.size(), 1u);
    }
    Barra().Campi("Anno").oiKeyFisso = 0;
  }
}

TEST_P(BarraProva, MoveWithPendingChangesAsksFirst) {
  Mostra(2026, 1);
  Txt(5).SetText("x");
  risposte = {vb::vbCancel};
  f->ButtonComando("Successivo");
  EXPECT_EQ(Txt(2).Text(), "1");
  EXPECT_EQ(Txt(5).Text(), "x");
  risposte = {vb::vbNo};
  f->ButtonComando("Successivo");
  EXPECT_EQ(Txt(2).Text(), "2");
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "Terza");
}

TEST_P(BarraProva, CancelAsksUnlessMsgAnnIsN) {
  struct Caso {
    const char* msgAnn;
    int domande;
  };
  for (const Caso& c : {Caso{"", 1}, Caso{"N", 0}, Caso{"n", 0}}) {
    SCOPED_TRACE(c.msgAnn);
    TornaAllaChiave();
    Mostra(2026, 3);
    Barra().ScriviVarBarra("MsgAnn", 12, vb::Variant(c.msgAnn));
    Txt(5).SetText("cambiata");
    risposte = {vb::vbYes};
    EXPECT_EQ(f->ButtonComando("Annulla").ToString(), "");
    EXPECT_EQ(static_cast<int>(messaggi.size()), c.domande);
    EXPECT_EQ(f->log, (Log{"D5", "D1:1"}));
    EXPECT_EQ(Txt(5).Text(), "Quinta");
    EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
    risposte.clear();
  }
  // A new record is dropped, back to the key.
  f->ButtonComando("VarKey");
  NuovoRecord("9");
  Txt(5).SetText("mai");
  Barra().ScriviVarBarra("MsgAnn", 12, vb::Variant("N"));
  f->ButtonComando("Annulla");
  EXPECT_EQ(f->log, (Log{"D8:False", "D1:0"}));
  EXPECT_EQ(Barra().oiFlagOpe(), 0);
  EXPECT_EQ(Leggi(2026, 9, "Nota").ToString(), "<assente>");
}

TEST_P(BarraProva, CloseWithPendingChanges) {
  Mostra(2026, 1);
  Txt(5).SetText("chiusa");
  risposte = {vb::vbCancel};
  EXPECT_FALSE(ui::utente::Chiudi(*f));
  EXPECT_TRUE(f->Caricata());
  risposte = {vb::vbYes};
  EXPECT_TRUE(Barra().PuoChiudere());
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "chiusa");
  Txt(5).SetText("non salvata");
  risposte = {vb::vbNo};
  EXPECT_TRUE(Barra().PuoChiudere());
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "chiusa");
  // Nothing pending: no question.
  f->ButtonComando("Annulla");
  messaggi.clear();
  EXPECT_TRUE(Barra().PuoChiudere());
  EXPECT_TRUE(messaggi.empty());
}

TEST_P(BarraProva, ValuesThatDoNotReadAreRefusedNamingTheField) {
  struct Caso {
    int campo;
    const char* testo;
    const char* nome;
  };
  for (const Caso& c : {Caso{4, "12a", "Importo"}, Caso{4, "1'0", "Importo"}, Caso{3, "31/02/2024", "Data registrazione"},
                        Caso{3, "", "Data registrazione"}, Caso{6, "1-x-3", "Conto"}, Caso{6, "12", "Conto"},
                        Caso{4, "123456789012345", "Importo"}, Caso{1, "-5", "Anno"}, Caso{1, "20x6", "Anno"}}) {
    SCOPED_TRACE(c.testo);
    TornaAllaChiave();
    Mostra(2026, 1);
    Txt(c.campo).SetText(c.testo);
    vb::Variant r = f->ButtonComando("Salva");
    EXPECT_NE(r.ToString(), "");
    ASSERT_EQ(messaggi.size(), 1u);
    EXPECT_NE(messaggi[0].find(c.nome), std::string::npos) << messaggi[0];
    EXPECT_EQ(Txt(c.campo).BackColor(), 255);
    EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "Terza");
    EXPECT_EQ(Leggi(2026, 1, "Importo").ToDouble(), 12.5);
  }
}

TEST_P(BarraProva, QuotesAndStarsAreStoredAsTyped) {
  Mostra(2026, 1);
  const std::string nota = "l'uomo \"x\" * ; -- ' Or 1=1";
  Txt(5).SetText(nota);
  Txt(3).SetText("29/02/2024");
  Txt(4).SetText("-3,75");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), nota);
  EXPECT_EQ(Leggi(2026, 1, "Data").ToDate().Day(), 29);
  EXPECT_DOUBLE_EQ(Leggi(2026, 1, "Importo").ToDouble(), -3.75);
  EXPECT_EQ(Txt(4).Text(), "-3,75");
  // A key typed with a quote is no SQL error either.
  f->ButtonComando("VarKey");
  Txt(2).SetText("1' Or '1'='1");
  messaggi.clear();
  EXPECT_NE(f->ButtonComando("Ricerca").ToString(), "");
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_NE(messaggi[0].find("Numero"), std::string::npos);
}

TEST_P(BarraProva, EmptiedBoxWritesNull) {
  Mostra(2026, 1);
  Txt(5).SetText("");
  Txt(6).SetText("");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_TRUE(Leggi(2026, 1, "Nota").IsNull());
  EXPECT_TRUE(Leggi(2026, 1, "Conto").IsNull());
}

TEST_P(BarraProva, HookErrorIsShownAndStopsLikeARefusal) {
  Mostra(2026, 1);
  f->erroreIn = 7;
  Txt(5).SetText("z");
  EXPECT_EQ(f->ButtonComando("Salva").ToLong(), 5);
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "D12:False rit=5"}));
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_NE(messaggi[0].find("guasto nella finestra"), std::string::npos);
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "Terza");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
}

TEST_P(BarraProva, InMuoviIsSAroundTheClearOfANewRecordThenBack) {
  Barra().ScriviVarBarra("InMuovi", 12, vb::Variant("N"));
  NuovoRecord("0");
  EXPECT_EQ(f->inMuoviAl8, "S");
  EXPECT_EQ(Barra().LeggiVarBarra("InMuovi", 12).ToString(), "N");
}

TEST_P(BarraProva, CommandsNestInsideAHook) {
  Mostra(2026, 3);
  f->annidaSalva = 1;
  Txt(5).SetText("due volte");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "P12", "P27", "D12:True", "P4:0", "P7", "P12", "P27", "D12:True"}));
  EXPECT_EQ(Leggi(2026, 3, "Nota").ToString(), "due volte");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  EXPECT_TRUE(messaggi.empty()) << messaggi.front();
}

TEST_P(BarraProva, SecondStepOfADuplicateRetriesATakenNumberAsMode2) {
  Mostra(2026, 2);
  f->ButtonComando("Duplica");
  Txt(2).SetText("3");  // taken: the copy goes to 4
  f->log.clear();
  EXPECT_EQ(f->ButtonComando("Duplica").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P25", "D25:3022", "D1:1", "D17:2"}));
  EXPECT_EQ(Leggi(2026, 4, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Leggi(2026, 3, "Nota").ToString(), "Quinta");
}

TEST_P(BarraProva, RetryErrorsAreComparedWhole) {
  Barra().ErroriRiprova("302,31460,");
  NuovoRecord("1");
  EXPECT_EQ(f->ButtonComando("Salva").ToLong(), 3022);
  EXPECT_EQ(f->log, (Log{"P4:0", "P7", "P12", "P25", "D12:False rit=3022"}));
  ASSERT_EQ(messaggi.size(), 1u);
  EXPECT_NE(messaggi[0].find("stessa chiave"), std::string::npos);
}

TEST_P(BarraProva, ReadOnlyWindowNeitherSavesNorDeletes) {
  Barra().SetoiAbilRW(0);
  Mostra(2026, 1);
  EXPECT_FALSE(f->C("tolComPag").Elem("Salva").Enabled);
  EXPECT_FALSE(f->C("tolComPag").Elem("Cancella").Enabled);
  Txt(5).SetText("vietato");
  EXPECT_NE(f->ButtonComando("Salva").ToString(), "");
  EXPECT_NE(f->ButtonComando("Cancella").ToString(), "");
  EXPECT_EQ(Leggi(2026, 1, "Nota").ToString(), "Terza");
}

TEST_P(BarraProva, FieldEventsShowTheEditingFormAndTheMaskBack) {
  Mostra(2026, 1);
  Txt(4).SetText("1234,5");
  Barra().CampoLostFocus(Barra().CampoGotFocus(Txt(4)));
  EXPECT_EQ(Txt(4).Text(), "1.234,5");
  Barra().CampoGotFocusDati("Importo");
  EXPECT_EQ(Txt(4).Text(), "1234,5");
  Barra().CampoLostFocus("Importo");
  EXPECT_EQ(Txt(4).Text(), "1.234,5");
  Txt(4).SetText("12,5");
  Barra().CampoLostFocus("Importo");
  EXPECT_EQ(Txt(4).Text(), "12,5");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "");
  Txt(4).SetText("abc");
  Barra().CampoLostFocus("Importo");
  EXPECT_EQ(Txt(4).BackColor(), 255);
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Importo");
  EXPECT_EQ(Barra().ValoreCampo("Importo").ToString(), "abc");
  Txt(3).SetText("1/2/26");
  Barra().CampoLostFocus("Data");
  EXPECT_EQ(Txt(3).Text(), "01/02/2026");
  EXPECT_EQ(Barra().ValoreCampo("Mastro").ToLong(), 2);
  EXPECT_THROW(Barra().CampoGotFocus(f->C("label1", 4)), vb::Errore);
}

// A list window bound to the bar: "Lista" shows it after code 9, and a row
// chosen there becomes the bar's record.
class ListaProva : public ui::Form, public barre::ListaCollegata {
 public:
  ListaProva() : ui::Form("frmListaProva") {}
  void impOggBase(barre::BarraNavigazione* b) override { base = b; }
  void ListaAvanti() override { ++avanti; }
  barre::BarraNavigazione* base = nullptr;
  int avanti = 0;
};

TEST_P(BarraProva, ListShownAfterCode9AndItsChoiceBecomesTheRecord) {
  ListaProva lista;
  f->Prepara(db, conn, &lista);
  ASSERT_EQ(lista.base, f->ogComPag.get());
  f->log.clear();
  EXPECT_EQ(f->ButtonComando("Lista").ToString(), "");
  EXPECT_EQ(f->log, (Log{"P9", "D9"}));
  EXPECT_TRUE(lista.Visible());
  f->log.clear();
  EXPECT_TRUE(lista.base->MostraDaLista({{"Anno", vb::Variant(2025)}, {"Numero", vb::Variant(2)}}));
  EXPECT_EQ(f->log, (Log{"D5", "D1:1"}));
  EXPECT_EQ(Txt(5).Text(), "Seconda");
  EXPECT_EQ(ui::Screen().ActiveForm, f.get());
  f->ButtonComando("ListaAvanti");
  EXPECT_EQ(lista.avanti, 1);
  f->ogComPag.reset();
  EXPECT_EQ(lista.base, nullptr);
  lista.Unload();
}

TEST_P(BarraProva, AfterHookFailingWithItsTransactionOpenLeavesNothingWritten) {
  Mostra(2026, 2);
  f->transazioneFinestra = true;
  f->erroreDopo = 12;
  Txt(5).SetText("a metà");
  EXPECT_EQ(f->ButtonComando("Salva").ToLong(), 5);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_EQ(Barra().TransPropria(), -1);
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
  f->erroreDopo = 0;
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "a metà");
}

TEST_P(BarraProva, SearchOfAMissingOrIncompleteKeyTellsAndStaysOnTheKey) {
  struct Caso {
    const char *anno, *numero, *messaggio;
  };
  for (const Caso& c : {Caso{"2026", "99", "Nessun record"}, Caso{"", "1", "Anno"}, Caso{"2026", "", "Numero"}}) {
    SCOPED_TRACE(std::string(c.anno) + "/" + c.numero);
    messaggi.clear();
    Txt(1).SetText(c.anno);
    Txt(2).SetText(c.numero);
    EXPECT_NE(f->ButtonComando("Ricerca").ToString(), "");
    EXPECT_EQ(Barra().oiFlagOpe(), 0);
    ASSERT_EQ(messaggi.size(), 1u);
    EXPECT_NE(messaggi[0].find(c.messaggio), std::string::npos) << messaggi[0];
  }
}

// ---------------------------------------------------------------- reliability

TEST_P(BarraProva, LaterSaveOfARecordChangedByAnotherProcessIsRefused) {
  Mostra(2026, 2);
  f->transazioneFinestra = true;
  Txt(5).SetText("mia");
  pid_t p = prova::Figlio([&] {
    dati::GestDatabase d;
    std::string k = Apri(d);
    return d.EseguiSql(k, "Update Registrazioni Set Nota = 'altrui' Where Anno = 2026 And Numero = 2") == 1 ? 0 : 1;
  });
  ASSERT_EQ(prova::Attendi(p), 0);
  vb::Variant r = f->ButtonComando("Salva");
  EXPECT_EQ(r.ToLong(), 3197);
  ASSERT_FALSE(messaggi.empty());
  EXPECT_NE(messaggi.front().find("modificato da un altro utente"), std::string::npos);
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "altrui");
  EXPECT_EQ(Txt(5).Text(), "mia");
  EXPECT_EQ(Barra().VarDati(-1).ToString(), "Nota");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  // "Aggiorna": the stored row is shown (the pending change dropped on "No"),
  // and a new change saves.
  risposte = {vb::vbNo};
  EXPECT_EQ(f->ButtonComando("Aggiorna").ToString(), "");
  EXPECT_EQ(Txt(5).Text(), "altrui");
  Txt(5).SetText("mia");
  EXPECT_EQ(f->ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "mia");
}

TEST_P(BarraProva, ProcessKilledBeforeTheWindowsCommitLeavesNeither) {
  int pronto[2];
  ASSERT_EQ(pipe(pronto), 0);
  pid_t p = prova::Figlio([&] {
    close(pronto[0]);
    // The other program: its own connection and window.
    dati::GestDatabase d;
    const std::string k = Apri(d);
    FormRecordProva g;
    g.Load();
    g.Show();
    g.Prepara(d, k);
    g.C("txt", 1).SetText("2026");
    g.C("txt", 2).SetText("2");
    if (!g.ButtonComando("Ricerca").ToString().empty()) return 2;
    g.transazioneFinestra = true;
    g.primaDelCommit = [&] {
      d.EseguiSql(k, "Insert into Movimenti (Anno, Numero) Values (2026, 2)");
      char c = 'x';
      if (write(pronto[1], &c, 1) != 1) _exit(3);
      pause();
    };
    g.C("txt", 5).SetText("mai scritta");
    g.ButtonComando("Salva");
    return 4;
  });
  close(pronto[1]);
  char c;
  ASSERT_EQ(read(pronto[0], &c, 1), 1);
  close(pronto[0]);
  kill(p, SIGKILL);
  int st;
  waitpid(p, &st, 0);
  EXPECT_TRUE(WIFSIGNALED(st));
  EXPECT_EQ(Leggi(2026, 2, "Nota").ToString(), "Quarta");
  EXPECT_EQ(Conta("Movimenti"), 0);
}

INSTANTIATE_TEST_SUITE_P(Motori, BarraProva, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

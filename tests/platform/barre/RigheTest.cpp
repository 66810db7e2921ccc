#include <gtest/gtest.h>

#include <deque>

#include "platform/Errore.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/barre/RigheFormProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using prova::FormRigheProva;
using Log = std::vector<std::string>;

namespace {

class Righe : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo();
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    prova::CreaRigheProva(db_, conn_);
    for (int r = 1; r <= 5; ++r)
      db_.EseguiSql(conn_, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo, Qta, Prezzo) Values (2026, 7, " +
                               std::to_string(r) + ", 'ART" + std::to_string(r) + "', " + std::to_string(r) + ", 2.5)");
    db_.EseguiSql(conn_, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo) Values (2026, 8, 1, 'ALTRO')");
    vecchio_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return risposta_;
    });
  }
  void TearDown() override {
    f_.reset();
    vb::ImpostaGestoreMsgBox(vecchio_);
  }
  FormRigheProva& Apri(long numRif = 7) {
    f_ = std::make_unique<FormRigheProva>(db_, conn_, 2026, numRif);
    f_->Load();
    return *f_;
  }
  std::string Tx(int n) { return f_->C("txt", n).Text(); }
  void Scrivi(int n, const std::string& v) { f_->C("txt", n).SetText(v); }
  long Conta(const std::string& where) {
    dati::GestRecordset g;
    const std::string k = g.ApriRecordset(db_, conn_, "", "Select RigDet From RigheProva Where " + where, false, 4);
    const long n = g.NumRecord(k);
    g.ChiudiRecordset(k);
    return n;
  }
  vb::Variant Valore(const std::string& campo, const std::string& where) {
    dati::GestRecordset g;
    const std::string k = g.ApriRecordset(db_, conn_, "", "Select " + campo + " From RigheProva Where " + where, false, 4);
    vb::Variant v = g.LeggiCampoNull(k, campo);
    g.ChiudiRecordset(k);
    return v;
  }

  prova::CartellaTemp dir_{"righe"};
  dati::GestDatabase db_;
  std::string conn_;
  std::unique_ptr<FormRigheProva> f_;
  std::vector<std::string> messaggi_;
  int risposta_ = vb::vbYes;
  vb::GestoreMsgBox vecchio_;
};

TEST_F(Righe, OpeningShowsTheFirstRowAnEmptyDocumentStartsANewOne) {
  Apri();
  EXPECT_EQ(f_->log, (Log{"A16"}));
  EXPECT_EQ(f_->ogLinPag.Stato(), 1);
  EXPECT_EQ(Tx(10), "1");
  EXPECT_EQ(Tx(20), "ART1");
  EXPECT_EQ(Tx(40), "2,5");
  EXPECT_EQ(f_->C("txtRiga").Text(), "1 / 5");
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "");

  Apri(99);
  EXPECT_EQ(f_->log, (Log{"B8", "A8", "A7(2)"}));
  EXPECT_EQ(f_->ogLinPag.Stato(), 2);
  EXPECT_EQ(Tx(600), "2026");  // fixed key parts keep the document's values
  EXPECT_EQ(Tx(610), "99");
  EXPECT_EQ(Tx(30), "1");  // the default of a new row
}

struct CasoSalva {
  const char* nome;
  bool nuova;           // on a new row
  int codiceRifiuto;    // before-hook that refuses (0 none)
  Log atteso;
  bool scritto;
};

TEST_F(Righe, SaveCallsItsHooksInOrderAndRefusalsStopIt) {
  const std::vector<CasoSalva> casi = {
      {"stored row", false, 0, {"B0", "B10", "B3", "B13", "A13", "A3", "A10"}, true},
      {"new row", true, 0, {"B10", "B3", "B13", "A13", "A3", "A10", "A7(1)"}, true},
      {"refused by 10", false, 10, {"B0", "B10", "A10:Riga non valida"}, false},
      {"refused by 3", false, 3, {"B0", "B10", "B3", "A10:Riga non valida"}, false},
      {"refused by 13", true, 13, {"B10", "B3", "B13", "A10:Riga non valida"}, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Apri();
    if (c.nuova) {
      f_->ButtonComando("Nuovo");
      Scrivi(10, "6");
      Scrivi(20, "NUOVO");
    } else {
      Scrivi(20, "CAMBIATO");
    }
    if (c.codiceRifiuto) f_->risposte[c.codiceRifiuto] = {1, "Riga non valida"};
    f_->log.clear();
    const std::string r = f_->ButtonComando("Salva");
    EXPECT_EQ(f_->log, c.atteso);
    EXPECT_EQ(r, c.scritto ? "" : "Riga non valida");
    const std::string art = c.nuova ? "NUOVO" : "CAMBIATO";
    EXPECT_EQ(Conta("Articolo = '" + art + "'"), c.scritto ? 1 : 0);
    // refused: the values stay pending in the boxes
    EXPECT_EQ(Tx(20), art);
    EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString().empty(), c.scritto);
    EXPECT_EQ(f_->ogLinPag.Stato(), c.nuova && !c.scritto ? 2 : 1);
    db_.EseguiSql(conn_, "Update RigheProva Set Articolo = 'ART1' Where NumRif = 7 And RigDet = 1");
    db_.EseguiSql(conn_, "Delete From RigheProva Where RigDet = 6");
  }
}

TEST_F(Righe, AHookMayRunACommandOfThePageFromInsideTheSave) {
  Apri();
  Scrivi(20, "CAMBIATO");
  f_->azioni[10] = [this] {
    f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
    EXPECT_EQ(f_->ButtonComando("Annulla"), "");
    f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "S");
  };
  f_->risposte[10] = {1, ""};
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Salva"), "Operazione annullata");
  EXPECT_EQ(f_->log, (Log{"B0", "B10", "B0", "A16", "A4", "A10:Operazione annullata"}));  // Annulla asks 0 too
  EXPECT_EQ(Tx(20), "ART1");  // the stored values again, without a question
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(Conta("Articolo = 'CAMBIATO'"), 0);
}

TEST_F(Righe, ThreeSelectedRowsAreDeletedOneByOneBetweenTheHooksOf17) {
  Apri();
  dati::Recordset& rs = *f_->ogLinPag.Recordset();
  for (int p : {1, 2, 3}) {
    rs.SetAbsolutePosition(p);
    f_->ogLinPag.SelBookmarks().push_back(rs.Bookmark());
  }
  rs.SetAbsolutePosition(1);
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "");
  EXPECT_EQ(f_->log, (Log{"B17", "B19", "A19", "B19", "A19", "B19", "A19", "A17", "A16"}));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Cancellare le 3 righe selezionate?");
  EXPECT_EQ(Conta("NumRif = 7"), 2);
  EXPECT_EQ(Conta("NumRif = 7 And RigDet In (2, 3, 4)"), 0);
  EXPECT_EQ(Tx(10), "5");  // the row after the deleted ones
  EXPECT_EQ(f_->C("txtRiga").Text(), "2 / 2");
  EXPECT_EQ(f_->ogLinPag.Cambiato(), 1);
}

TEST_F(Righe, DeletionRefusedBy17OrStoppedBy19OrNotConfirmed) {
  Apri();
  f_->risposte[17] = {"1", "Non si può"};
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "Non si può");
  EXPECT_EQ(f_->log, (Log{"B17", "A17:Non si può"}));
  EXPECT_EQ(Conta("NumRif = 7"), 5);
  f_->risposte.clear();
  risposta_ = vb::vbNo;
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "Operazione annullata");
  EXPECT_TRUE(f_->log.empty());
  risposta_ = vb::vbYes;
  f_->risposte[19] = {1, "Riga bloccata"};
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "Riga bloccata");
  EXPECT_EQ(f_->log, (Log{"B17", "B19", "A17:Riga bloccata", "A16"}));
  EXPECT_EQ(Conta("NumRif = 7"), 5);
}

TEST_F(Righe, Code0AnswersTheChangesOrLeavesColumnsOut) {
  Apri();
  Scrivi(70, "una nota");
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "Nota");
  f_->risposte[0] = {0, "N-Descrizione,Nota"};
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "");
  Scrivi(30, "4");
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "Qta");
  f_->risposte[0] = {1, "Livelli"};
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "Livelli");
  f_->risposte[0] = {1, ""};
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "");
  f_->log.clear();
  f_->ogLinPag.VarDati(-1);
  EXPECT_EQ(f_->log, (Log{"B0"}));
}

TEST_F(Righe, ValuesThatDoNotReadRefuseTheSaveNamingTheField) {
  struct Caso {
    int campo;
    const char* valore;
    const char* nome;
  };
  const std::vector<Caso> casi = {
      {30, "1a", "Qta"},           {30, "1,2345", "Qta"},        {40, "-3", "Prezzo"},
      {50, "31/02/2024", "DataCons"}, {10, "", "RigDet"},       {10, "2,5", "RigDet"},
      {60, "01-02", "Conto Ricavo"}, {30, "1'; delete from RigheProva", "Qta"},
  };
  Apri();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.valore);
    Scrivi(c.campo, c.valore);
    messaggi_.clear();
    const std::string r = f_->ButtonComando("Salva");
    EXPECT_NE(r.find(c.nome), std::string::npos) << r;
    EXPECT_EQ(f_->C("txt", c.campo).BackColor(), ui::vbRed);
    ASSERT_EQ(messaggi_.size(), 1u);
    EXPECT_EQ(Conta("NumRif = 7"), 5);
    f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
    f_->ButtonComando("Annulla");
    EXPECT_EQ(f_->C("txt", c.campo).BackColor(), ui::vbWindowBackground);
  }
  // typed as they stand: quotes and stars in a text; a composite split in
  // its columns; an emptied box writes Null
  Scrivi(70, "O'Brien * 50%");
  Scrivi(60, "01-02-0003");
  Scrivi(50, "29/02/2024");
  Scrivi(30, "-1.234,5");
  Scrivi(40, "");
  EXPECT_EQ(f_->ButtonComando("Salva"), "");
  EXPECT_EQ(Valore("Nota", "NumRif = 7 And RigDet = 1").ToString(), "O'Brien * 50%");
  EXPECT_EQ(Valore("MastroVen", "NumRif = 7 And RigDet = 1").ToString(), "02");
  EXPECT_EQ(Valore("ContoVen", "NumRif = 7 And RigDet = 1").ToString(), "0003");
  EXPECT_EQ(Valore("DataCons", "NumRif = 7 And RigDet = 1").ToDate().ToDateText(), "29/02/2024");
  EXPECT_DOUBLE_EQ(Valore("Qta", "NumRif = 7 And RigDet = 1").ToDouble(), -1234.5);
  EXPECT_TRUE(Valore("Prezzo", "NumRif = 7 And RigDet = 1").IsNull());
  EXPECT_EQ(Tx(60), "01-02-0003");
}

TEST_F(Righe, ARowChangedByAnotherUserMeanwhileIsNotOverwritten) {
  Apri();
  Scrivi(20, "MIO");
  db_.EseguiSql(conn_, "Update RigheProva Set Articolo = 'SUO' Where NumRif = 7 And RigDet = 1");
  const std::string r = f_->ButtonComando("Salva");
  EXPECT_NE(r.find("modificata da un altro utente"), std::string::npos) << r;
  EXPECT_EQ(Valore("Articolo", "NumRif = 7 And RigDet = 1").ToString(), "SUO");
  EXPECT_EQ(Tx(20), "MIO");  // still pending
  EXPECT_EQ(f_->log.back(), "A10:" + r);
  // "Aggiorna" without saving reads it again; then a change saves
  f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
  f_->ButtonComando("Aggiorna");
  EXPECT_EQ(Tx(20), "SUO");
  Scrivi(20, "MIO");
  EXPECT_EQ(f_->ButtonComando("Salva"), "");
  EXPECT_EQ(Valore("Articolo", "NumRif = 7 And RigDet = 1").ToString(), "MIO");
}

TEST_F(Righe, MovesAskBeforeLeavingAChangedRow) {
  Apri();
  f_->ButtonComando("Successiva");
  EXPECT_EQ(Tx(10), "2");
  Scrivi(20, "X");
  risposta_ = vb::vbCancel;
  EXPECT_EQ(f_->ButtonComando("Successiva"), "Operazione annullata");
  EXPECT_EQ(Tx(10), "2");
  risposta_ = vb::vbYes;  // saved, then moved
  EXPECT_EQ(f_->ButtonComando("Fine"), "");
  EXPECT_EQ(Tx(10), "5");
  EXPECT_EQ(Conta("Articolo = 'X'"), 1);
  // a new row left for a stored one: 7 with 1
  f_->ButtonComando("Nuovo");
  f_->log.clear();
  f_->ButtonComando("Inizio");
  EXPECT_EQ(f_->log, (Log{"B0", "A7(1)", "A16"}));
}

TEST_F(Righe, InsertAtAPositionIsKeptAndTheSavedRowFoundAgain) {
  Apri();
  f_->ogLinPag.ImpInsPosizione(1);
  f_->ogLinPag.ImpPosInserimento(2);
  f_->ogLinPag.ImpRigaInserimento(2);
  EXPECT_EQ(f_->ogLinPag.PosInserimento(), 2);
  EXPECT_EQ(f_->ogLinPag.RigaInserimento(), 2);
  f_->ButtonComando("Nuovo");
  Scrivi(10, "0");
  Scrivi(20, "INS");
  EXPECT_EQ(f_->ButtonComando("Salva"), "");
  // sorted by RigDet after the re-read: row 0 first, and it is current
  EXPECT_EQ(Tx(20), "INS");
  EXPECT_EQ(f_->C("txtRiga").Text(), "1 / 6");
  EXPECT_EQ(f_->ogLinPag.OggDati().LeggiCampo(f_->ogLinPag.ChiaveDati(), "RigheProva.Articolo").ToString(), "INS");
}

}  // namespace

namespace {

TEST_F(Righe, PuntaKeepsTheRowAndVaiAGoesBackToIt) {
  Apri();
  EXPECT_FALSE(f_->C("tolLinPag").Elem("VaiA").Enabled);
  f_->ButtonComando("Successiva");
  f_->ButtonComando("Successiva");
  f_->ButtonComando("Punta");
  EXPECT_TRUE(f_->C("tolLinPag").Elem("VaiA").Enabled);
  f_->ButtonComando("Inizio");
  EXPECT_EQ(Tx(10), "1");
  EXPECT_EQ(f_->ButtonComando("VaiA"), "");
  EXPECT_EQ(Tx(10), "3");
  EXPECT_EQ(f_->C("txtRiga").Text(), "3 / 5");
}

}  // namespace

namespace {

TEST_F(Righe, AHookThatRaisesIsShownAndStopsLikeARefusal) {
  Apri();
  Scrivi(20, "CAMBIATO");
  f_->azioni[13] = [] { vb::Solleva(5, "Calcolo non riuscito"); };
  f_->log.clear();
  const std::string r = f_->ButtonComando("Salva");
  EXPECT_EQ(r, "Errore(5): Calcolo non riuscito");
  EXPECT_EQ(f_->log, (Log{"B0", "B10", "B3", "B13", "A10:" + r}));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], r);
  EXPECT_EQ(Conta("Articolo = 'CAMBIATO'"), 0);
  EXPECT_EQ(Tx(20), "CAMBIATO");
  // in a deletion, at the first row: nothing is deleted
  f_->azioni.clear();
  f_->azioni[19] = [] { vb::Solleva(3260, "Riga bloccata da un altro utente"); };
  f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
  f_->ButtonComando("Annulla");
  EXPECT_NE(f_->ButtonComando("Cancella").find("3260"), std::string::npos);
  EXPECT_EQ(Conta("NumRif = 7"), 5);
}

}  // namespace

namespace {

// The key of a stored row is changed only after "VarKey"; the save then
// writes it like any other value, a duplicate refused.
TEST_F(Righe, VarKeyOpensTheKeyOfAStoredRowForTheNextSave) {
  Apri();
  EXPECT_TRUE(f_->C("txt", 10).Locked());
  EXPECT_FALSE(f_->C("txt", 20).Locked());
  EXPECT_FALSE(f_->C("txt", 600).Locked());  // fixed parts are the window's business

  EXPECT_EQ(f_->ButtonComando("VarKey"), "");
  EXPECT_FALSE(f_->C("txt", 10).Locked());
  Scrivi(10, "9");
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "RigDet");
  EXPECT_EQ(f_->ButtonComando("Salva"), "");
  EXPECT_EQ(Conta("NumRif = 7 And RigDet = 9 And Articolo = 'ART1'"), 1);
  EXPECT_EQ(Conta("NumRif = 7 And RigDet = 1"), 0);
  EXPECT_EQ(Conta("NumRif = 7"), 5);
  EXPECT_TRUE(f_->C("txt", 10).Locked());

  // a key already taken: refused, nothing written, the value stays pending
  f_->ogLinPag.Riposiziona();
  EXPECT_EQ(Tx(10), "9");
  f_->ButtonComando("Inizio");
  ASSERT_EQ(Tx(10), "2");
  EXPECT_EQ(f_->ButtonComando("VarKey"), "");
  Scrivi(10, "3");
  messaggi_.clear();
  EXPECT_EQ(f_->ButtonComando("Salva"), "Riga già esistente: la chiave è duplicata");
  EXPECT_EQ(Conta("NumRif = 7 And RigDet = 2"), 1);
  EXPECT_EQ(Conta("NumRif = 7 And RigDet = 3 And Articolo = 'ART3'"), 1);
  EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "RigDet");

  // leaving the row locks the key again
  f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
  EXPECT_EQ(f_->ButtonComando("Annulla"), "");
  EXPECT_TRUE(f_->C("txt", 10).Locked());

  // a new row's key is open; a read-only page refuses
  f_->ButtonComando("Nuovo");
  EXPECT_FALSE(f_->C("txt", 10).Locked());
  EXPECT_EQ(f_->ButtonComando("VarKey"), "");
  f_->ButtonComando("Annulla");
  f_->ogLinPag.SetoiAbilRW(0);
  EXPECT_EQ(f_->ButtonComando("VarKey"), "Pagina in sola lettura");
  EXPECT_TRUE(f_->C("txt", 10).Locked());
  EXPECT_TRUE(f_->C("txt", 20).Locked());
}

// "Trova" asks the text (or shows the window's search frame), then goes to
// the next row whose cell in the grid's current column begins with it.
TEST_F(Righe, TrovaGoesToTheNextRowBeginningWithTheText) {
  std::deque<std::string> digitati;
  auto prima = vb::ImpostaGestoreInputBox([&](const std::string&, const std::string&, const std::string&) {
    std::string t = digitati.empty() ? std::string() : digitati.front();
    if (!digitati.empty()) digitati.pop_front();
    return t;
  });
  Apri();
  auto& g = static_cast<ui::Griglia&>(f_->C("dbgRiga"));
  int colArt = -1;
  for (int i = 0; i < g.NumColonne(); ++i)
    if (g.Colonna(i).DataField == "Articolo") colArt = i;
  ASSERT_GE(colArt, 0);
  g.SetCol(colArt);

  struct Caso {
    const char* testo;
    const char* esito;
    const char* riga;  // RigDet shown after it
  };
  const std::vector<Caso> casi = {
      {"art4", "", "4"},                                  // case not counted
      {"ART", "", "5"},                                   // the next one after the current row
      {"ART", "Valore non trovato", "5"},                 // none after the last
      {"O'Brien*", "Valore non trovato", "5"},            // quotes and stars are plain text
      {"", "Operazione annullata", "5"},                  // the question cancelled
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testo);
    digitati = {c.testo};
    messaggi_.clear();
    EXPECT_EQ(f_->ButtonComando("Trova"), c.esito);
    EXPECT_EQ(Tx(10), c.riga);
    EXPECT_EQ(messaggi_.size(), std::string(c.esito) == "Valore non trovato" ? 1u : 0u);
  }

  // a changed row is dealt with before the move (here: not saved)
  f_->ButtonComando("Inizio");
  Scrivi(30, "77");
  risposta_ = vb::vbNo;
  digitati = {"ART3"};
  EXPECT_EQ(f_->ButtonComando("Trova"), "");
  EXPECT_EQ(Tx(10), "3");
  EXPECT_EQ(Valore("Qta", "NumRif = 7 And RigDet = 1").ToDouble(), 1.0);
  // with Cancel the row stays
  Scrivi(30, "77");
  risposta_ = vb::vbCancel;
  digitati = {"ART5"};
  EXPECT_EQ(f_->ButtonComando("Trova"), "Operazione annullata");
  EXPECT_EQ(Tx(10), "3");
  risposta_ = vb::vbYes;

  // with a search frame the window's box is used
  auto& fra = f_->Crea(ui::Tipo::Frame, "FraCerca");
  fra.SetVisible(false);
  f_->Crea(ui::Tipo::TextBox, "txtCerca").SetContainer(&fra);
  f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
  f_->ButtonComando("Annulla");
  EXPECT_EQ(f_->ButtonComando("Trova"), "");
  EXPECT_TRUE(fra.Visible());
  f_->C("txtCerca").SetText("art5");
  EXPECT_EQ(f_->ButtonComando("Cerca"), "");
  EXPECT_EQ(Tx(10), "5");
  vb::ImpostaGestoreInputBox(prima);
}

}  // namespace

namespace {

// The level window names its columns by the captions it gave them: hiding
// and formatting find them by caption as well as by field or position.
TEST_F(Righe, GridColumnsAreNamedByFieldCaptionOrPosition) {
  Apri();
  auto& g = static_cast<ui::Griglia&>(f_->C("dbgRiga"));
  auto indice = [&](const std::string& campo) {
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).DataField == campo) return i;
    return -1;
  };
  ASSERT_GE(indice("Prezzo"), 0);
  f_->ogLinPag.TitoloColonna("Articolo", "Codice");
  f_->ogLinPag.NascondiColonna("Codice");
  EXPECT_FALSE(g.Colonna(indice("Articolo")).Visible);
  f_->ogLinPag.FormatColonna("Prezzo", "#,##0.00");
  EXPECT_EQ(g.Colonna(indice("Prezzo")).NumberFormat, "#,##0.00");
  f_->ogLinPag.TitoloColonna("Qta", "Pezzi");
  f_->ogLinPag.FormatColonna("Pezzi", "0.000");
  EXPECT_EQ(g.Colonna(indice("Qta")).NumberFormat, "0.000");
  f_->ogLinPag.FormatColonna(vb::Variant(indice("Nota")), "@");
  EXPECT_EQ(g.Colonna(indice("Nota")).NumberFormat, "@");
  EXPECT_TRUE(g.Colonna(indice("Prezzo")).Visible);
}

}  // namespace

namespace {

// A window that lays out its columns and counts its totals after every
// reading of the rows.
class FormConTotali : public prova::FormRigheProva {
 public:
  using prova::FormRigheProva::FormRigheProva;
  void DatRefresh() override {
    ++letture;
    ogLinPag.TitoloColonna("Articolo", "Codice");
  }
  int letture = 0;
};

TEST_F(Righe, EveryReadingOfTheRowsTellsTheWindow) {
  auto* f = new FormConTotali(db_, conn_, 2026, 7);
  f_.reset(f);
  f->Load();
  EXPECT_EQ(f->letture, 1);
  auto& g = static_cast<ui::Griglia&>(f->C("dbgRiga"));
  auto titolo = [&] {
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).DataField == "Articolo") return g.Colonna(i).Caption;
    return std::string();
  };
  EXPECT_EQ(titolo(), "Codice");
  db_.EseguiSql(conn_, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo) Values (2026, 7, 6, 'ART6')");
  EXPECT_EQ(f->ButtonComando("Aggiorna"), "");
  EXPECT_EQ(f->letture, 2);
  EXPECT_EQ(f->C("txtRiga").Text(), "1 / 6");
  EXPECT_EQ(titolo(), "Codice");
  f->ogLinPag.Rileggi();
  EXPECT_EQ(f->letture, 3);
}

}  // namespace

namespace {

// A before-hook of the save may run a command of the page (the line window
// runs "Annulla" from hook 10 on a printed document) and still answer 0:
// the row in the boxes is then another one, and the save writes nothing.
TEST_F(Righe, AHookThatReplacesTheRowInsideTheSaveStopsItWithoutWriting) {
  struct Caso {
    const char* nome;
    int codice;        // hook that runs the command
    const char* tasto; // the command it runs
    bool nuova;        // the save of a new row
    const char* riga;  // RigDet shown after it
  };
  const std::vector<Caso> casi = {
      {"Annulla in 10", 10, "Annulla", false, "1"},
      {"Annulla in 3", 3, "Annulla", false, "1"},
      {"move in 10", 10, "Successiva", false, "2"},
      {"move in 13", 13, "Fine", false, "5"},
      {"new row dropped in 10", 10, "Annulla", true, "1"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Apri();
    if (c.nuova) {
      f_->ButtonComando("Nuovo");
      Scrivi(10, "6");
    }
    Scrivi(20, "CAMBIATO");
    const std::string tasto = c.tasto;
    f_->azioni[c.codice] = [this, tasto] {
      f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
      risposta_ = vb::vbNo;  // a move leaves the row without saving it
      EXPECT_EQ(f_->ButtonComando(tasto), "");
      risposta_ = vb::vbYes;
    };
    f_->log.clear();
    EXPECT_EQ(f_->ButtonComando("Salva"), "Operazione annullata");
    EXPECT_EQ(f_->log.back(), "A10:Operazione annullata");
    EXPECT_EQ(Conta("Articolo = 'CAMBIATO'"), 0);
    EXPECT_EQ(Conta("NumRif = 7"), 5);
    EXPECT_EQ(f_->ogLinPag.Stato(), 1);
    EXPECT_EQ(Tx(10), c.riga);
    EXPECT_EQ(Tx(20), std::string("ART") + c.riga);
    EXPECT_EQ(f_->ogLinPag.VarDati(-1).ToString(), "");
    // the page goes on: a change saves
    f_->azioni.clear();
    Scrivi(70, "dopo");
    EXPECT_EQ(f_->ButtonComando("Salva"), "");
    EXPECT_EQ(Conta(std::string("Nota = 'dopo' And RigDet = ") + c.riga), 1);
    db_.EseguiSql(conn_, "Update RigheProva Set Nota = Null");
  }
}

// "MsgAnn" "N": "Annulla" throws the edits away without its question.
TEST_F(Righe, MsgAnnNDiscardsWithoutTheQuestion) {
  struct Caso {
    const char* valore;
    int risposta;
    bool domanda;
    const char* articolo;  // after "Annulla"
  };
  const std::vector<Caso> casi = {
      {"N", vb::vbNo, false, "ART1"}, {"n", vb::vbNo, false, "ART1"},
      {"S", vb::vbYes, true, "ART1"}, {"", vb::vbNo, true, "X"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.valore);
    Apri();
    f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, c.valore);
    Scrivi(20, "X");
    messaggi_.clear();
    risposta_ = c.risposta;
    f_->ButtonComando("Annulla");
    EXPECT_EQ(messaggi_.size(), c.domanda ? 1u : 0u);
    EXPECT_EQ(Tx(20), c.articolo);
    risposta_ = vb::vbYes;
  }
}

// Rows selected in the grid (row selectors, Ctrl and Shift) are the rows
// "Cancella" deletes; a window may refuse a change of the selection.
TEST_F(Righe, RowsSelectedInTheGridAreTheOnesDeleted) {
  Apri();
  auto& g = static_cast<ui::Griglia&>(f_->C("dbgRiga"));
  const std::vector<std::string> due = {g.BookmarkDi(1), g.BookmarkDi(3)};
  EXPECT_EQ(Tx(10), "1");  // reading a bookmark leaves the current row
  EXPECT_EQ(g.PosizioneDi(due[1]), 3);
  f_->log.clear();
  EXPECT_TRUE(g.CambiaSelezione(due));
  EXPECT_EQ(f_->log, (Log{"SelChange"}));
  EXPECT_EQ(f_->ogLinPag.SelBookmarks(), due);
  // refused: the two stay
  f_->annullaSel = 1;
  EXPECT_FALSE(g.CambiaSelezione({g.BookmarkDi(0)}));
  EXPECT_EQ(g.SelBookmarks(), due);
  f_->annullaSel = 0;
  f_->log.clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "");
  EXPECT_EQ(f_->log, (Log{"B17", "B19", "A19", "B19", "A19", "SelChange", "A17", "A16"}));
  EXPECT_EQ(messaggi_.back(), "Cancellare le 2 righe selezionate?");
  EXPECT_EQ(Conta("NumRif = 7 And RigDet In (2, 4)"), 0);
  EXPECT_EQ(Conta("NumRif = 7"), 3);
  EXPECT_TRUE(g.SelBookmarks().empty());
  EXPECT_TRUE(f_->ogLinPag.SelBookmarks().empty());
  // the grid's selection also when the window did not hand it on
  f_->ogLinPag.SelBookmarks().clear();
  f_->annullaSel = 0;
  g.CambiaSelezione({g.BookmarkDi(0)});
  f_->ogLinPag.SelBookmarks().clear();
  EXPECT_EQ(f_->ButtonComando("Cancella"), "");
  EXPECT_EQ(Conta("NumRif = 7 And RigDet = 1"), 0);
  EXPECT_EQ(Conta("NumRif = 7"), 2);
}

// Insert at a position: the new row is counted and kept in view at its
// place; after the save the rows follow the table's order (a hook moved
// the rows after it by SQL) and the stored row stays on that grid row.
TEST_F(Righe, ANewRowAtAPositionIsShownThereAndTheOrderFollowsTheTable) {
  Apri();
  auto& g = static_cast<ui::Griglia&>(f_->C("dbgRiga"));
  f_->ButtonComando("Successiva");
  f_->ButtonComando("Successiva");
  ASSERT_EQ(Tx(10), "3");
  f_->ogLinPag.ImpInsPosizione(1);
  f_->ogLinPag.ImpPosInserimento(2);
  f_->ogLinPag.ImpRigaInserimento(1);
  EXPECT_EQ(f_->ButtonComando("Nuovo"), "");
  EXPECT_EQ(f_->C("txtRiga").Text(), "3 / 5");
  EXPECT_EQ(g.TopRow(), 1);
  f_->azioni[13] = [this] {
    db_.EseguiSql(conn_, "Update RigheProva Set RigDet = RigDet + 10 Where NumRif = 7 And RigDet >= 3");
    db_.EseguiSql(conn_, "Update RigheProva Set RigDet = RigDet - 9 Where NumRif = 7 And RigDet >= 13");
  };
  Scrivi(10, "3");
  Scrivi(20, "INS");
  EXPECT_EQ(f_->ButtonComando("Salva"), "");
  EXPECT_EQ(Tx(10), "3");
  EXPECT_EQ(Tx(20), "INS");
  EXPECT_EQ(f_->C("txtRiga").Text(), "3 / 6");
  EXPECT_EQ(g.Row(), 1);
  std::string ordine;
  for (long r = 0; r < 6; ++r) ordine += g.TestoCella(r, 3) + " ";
  EXPECT_EQ(ordine, "ART1 ART2 INS ART3 ART4 ART5 ");
  // without a grid row the view is left alone
  f_->azioni.clear();
  f_->ogLinPag.ImpRigaInserimento(-1);
  f_->ogLinPag.ImpPosInserimento(0);
  g.Scroll(-10, 0);
  EXPECT_EQ(f_->ButtonComando("Nuovo"), "");
  EXPECT_EQ(g.TopRow(), 0);
  EXPECT_EQ(f_->C("txtRiga").Text(), "1 / 6");
}

// Column width by name or position; hiding with the two further arguments
// the line window passes; the grid takes the window's width on a resize.
TEST_F(Righe, ColumnWidthsByNameOrPositionAndTheGridFollowsTheWindow) {
  Apri();
  auto& g = static_cast<ui::Griglia&>(f_->C("dbgRiga"));
  auto indice = [&](const std::string& campo) {
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).DataField == campo) return i;
    return -1;
  };
  struct Caso {
    vb::Variant colonna;
    const char* campo;
    long larghezza;
  };
  const std::vector<Caso> casi = {
      {vb::Variant("Qta"), "Qta", 1200},
      {vb::Variant(static_cast<int16_t>(indice("Nota"))), "Nota", 800},
      {vb::Variant("nr"), "RigDet", 400},  // by its caption, case not counted
      {vb::Variant("Nessuna"), "Articolo", 1000},  // none: nothing changes
  };
  for (const auto& c : casi) {
    f_->ogLinPag.LargColonna(c.colonna, c.larghezza, {});
    EXPECT_EQ(g.Colonna(indice(c.campo)).Width, c.larghezza) << c.campo;
  }
  f_->ogLinPag.NascondiColonna("Prezzo", 0, 0);
  EXPECT_FALSE(g.Colonna(indice("Prezzo")).Visible);
  f_->Move(0, 0, 12000, 6600);
  f_->ogLinPag.Ridimensiona();
  EXPECT_EQ(g.Width(), f_->ScaleWidth() - 2 * g.Left());
}

}  // namespace

namespace {

// The size of a text field is its longest length, counted in characters.
TEST_F(Righe, ATextLongerThanItsFieldIsRefused) {
  struct Caso {
    std::string testo;
    bool accettato;
  };
  const std::vector<Caso> casi = {
      {std::string(200, 'x'), true},
      {std::string(201, 'x'), false},
      {std::string(100, 'x') + std::string(50, 'x') + std::string("àèìòù") + std::string(45, 'y'), true},
  };
  Apri();
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testo.size());
    Scrivi(70, c.testo);
    const std::string r = f_->ButtonComando("Salva");
    EXPECT_EQ(r.empty(), c.accettato) << r;
    if (!c.accettato) {
      EXPECT_NE(r.find("Nota"), std::string::npos);
    }
    f_->ogLinPag.ScriviVarPagina("MsgAnn", 12, "N");
    f_->ButtonComando("Annulla");
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/barre/ListaFormProva.h"
#include "platform/MsgBox.h"
#include "platform/dati/Recordset.h"
#include "platform/stampa/OpzioniStampa.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using prova::FormListaProva;

namespace {

class Lista : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo();
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    prova::CreaListaProva(db_, conn_, 60);
    vecchio_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return risposta_;
    });
    f_ = std::make_unique<FormListaProva>(db_, conn_);
    f_->Load();
    f_->ogLisPag.BarraBase(&barra_);
  }
  void TearDown() override {
    f_.reset();
    vb::ImpostaGestoreMsgBox(vecchio_);
  }
  // Fills the criteria boxes 10..90 (nine values, "" = empty).
  void Criteri(const std::vector<std::string>& v) {
    for (int i = 0; i < 9; ++i) f_->C("txt", (i + 1) * 10).SetText(i < static_cast<int>(v.size()) ? v[i] : "");
  }
  long Righe() { return f_->ogComlin.Recordset() ? f_->ogComlin.Recordset()->RecordCount() : -1; }
  std::string Cella(const char* campo) { return f_->ogComlin.Recordset()->Leggi(campo).ToString(); }
  std::vector<std::string> Log(const std::string& inizio) {
    std::vector<std::string> r;
    for (const auto& s : f_->log)
      if (s.rfind(inizio, 0) == 0) r.push_back(s);
    return r;
  }

  prova::CartellaTemp dir_{"lista"};
  dati::GestDatabase db_;
  std::string conn_;
  std::unique_ptr<FormListaProva> f_;
  prova::BarraFinta barra_;
  std::vector<std::string> messaggi_;
  int risposta_ = vb::vbOK;
  vb::GestoreMsgBox vecchio_;
};

struct CasoCriteri {
  std::vector<std::string> valori;  // txt(10) .. txt(90)
  std::string where;
  long righe;
};

TEST_F(Lista, EveryKindOfCriterionBuildsItsConditionAndSelectsItsRows) {
  const std::vector<CasoCriteri> casi = {
      {{}, "", 60},
      {{"2024", "2024"}, "Anno >= 2024 And Anno <= 2024", 30},
      {{" 2023 ", "", "10", "19"}, "Anno >= 2023 And NumRif >= 10 And NumRif <= 19", 10},
      {{"", "", "", "", "05/01/2024", "7/1/24"}, "DataRif >= #2024-01-05# And DataRif <= #2024-01-07#", 3},
      {{"", "", "", "", "", "", "C3"}, "Cliente = 'C3'", 9},
      {{"", "", "", "", "", "", "c3"}, "Cliente = 'c3'", 9},
      {{"", "", "", "", "", "", "", "Rif 1"}, "RifCli like 'Rif 1*'", 11},
      {{"", "", "", "", "", "", "", "", "S"}, "Stato = 'S'", 20},
      {{"2024", "", "", "", "", "", "", "", "Normale"}, "Anno >= 2024 And IsNull(Stato)", 20},
      {{"", "", "", "", "", "", "", "", "Tutti"}, "true", 60},
      // typed as they stand: quotes, the dialect's wildcards, SQL words
      {{"", "", "", "", "", "", "O'Brien"}, "Cliente = 'O''Brien'", 0},
      {{"", "", "", "", "", "", "", "*"}, "RifCli like '[*]*'", 0},
      {{"", "", "", "", "", "", "", "R?f"}, "RifCli like 'R[?]f*'", 0},
      {{"", "", "", "", "", "", "x' or 'a'='a"}, "Cliente = 'x'' or ''a''=''a'", 0},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.where);
    f_->log.clear();
    Criteri(c.valori);
    f_->ButtonComando("Ricerca");
    EXPECT_EQ(Log("PrepSql"), std::vector<std::string>{"PrepSql " + c.where});
    EXPECT_EQ(Righe(), c.righe);
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    EXPECT_EQ(f_->C("txtRiga").Text(), (c.righe ? "1 / " : "0 / ") + std::to_string(c.righe));
  }
}

TEST_F(Lista, PersCriteriaGetAnEmptyPrefixFirstAndAndAfter) {
  Criteri({"", "", "", "", "", "", "", "", "S"});
  f_->ButtonComando("Ricerca");
  Criteri({"2024", "", "", "", "", "", "", "", "S"});
  f_->ButtonComando("Ricerca");
  EXPECT_EQ(Log("PersListaVarie"),
            (std::vector<std::string>{"PersListaVarie StatoSel [] S", "PersListaVarie StatoSel [ And ] S"}));
  EXPECT_EQ(Log("VerSelez").size(), 2u);
  EXPECT_EQ(Log("SettaRecordset").size(), 2u);
}

TEST_F(Lista, ValuesThatDoNotReadAsTheirKindAreRefusedBeforeAnySql) {
  const std::vector<std::pair<int, std::string>> casi = {
      {10, "2O24"}, {10, "70000"}, {20, "20,5"}, {30, "12a"}, {40, "1e3"}, {30, "5'; drop table ListaProva"},
      {50, "31/02/2024"}, {60, "2024-13-01"}, {50, "ieri"}, {60, "*"},
  };
  f_->ButtonComando("Ricerca");
  ASSERT_EQ(Righe(), 60);
  for (const auto& [campo, valore] : casi) {
    SCOPED_TRACE(valore);
    Criteri({});
    f_->C("txt", campo).SetText(valore);
    f_->log.clear();
    messaggi_.clear();
    f_->ButtonComando("Ricerca");
    EXPECT_TRUE(Log("PrepSql").empty());
    EXPECT_EQ(f_->C("txt", campo).BackColor(), ui::vbRed);
    ASSERT_EQ(messaggi_.size(), 1u);
    EXPECT_NE(messaggi_[0].find(valore), std::string::npos) << messaggi_[0];
    // the other boxes keep their normal colour; the list is as it was
    EXPECT_EQ(f_->C("txt", campo == 10 ? 20 : 10).BackColor(), ui::vbWindowBackground);
    EXPECT_EQ(Righe(), 60);
  }
  // Corrected, the colour goes and the search runs.
  Criteri({});
  f_->C("txt", 50).SetText("29/02/2024");
  f_->ButtonComando("Ricerca");
  EXPECT_EQ(f_->C("txt", 60).BackColor(), ui::vbWindowBackground);
  EXPECT_EQ(Righe(), 1);
  // the table is still there
  EXPECT_EQ(db_.EseguiSql(conn_, "Update ListaProva Set Cliente = Cliente Where NumRif = 1"), 1);
}

TEST_F(Lista, AzzSelEmptiesTheCriteriaAndValoreFiltroReachesThemByName) {
  f_->ogLisPag.ValoreFiltro("Anno", "2024");
  f_->ogLisPag.ValoreFiltro("AnnoA", "2024");
  EXPECT_EQ(f_->C("txt", 20).Text(), "2024");
  EXPECT_EQ(f_->ogLisPag.ValoreFiltro("NumRifA"), "");
  f_->ButtonComando("AzzSel");
  EXPECT_EQ(f_->C("txt", 10).Text(), "");
  EXPECT_EQ(f_->C("txt", 20).Text(), "");
}

TEST_F(Lista, SelezionaHandsTheKeyColumnsOfTheRowToTheBar) {
  Criteri({"", "", "5"});
  f_->ButtonComando("Ricerca");
  f_->ButtonComando("Successiva");
  f_->ButtonComando("Seleziona");
  ASSERT_EQ(barra_.mostrati.size(), 1u);
  // Order by Anno, NumRif: 2023/6 first, then 2023/8
  EXPECT_EQ(barra_.mostrati[0], "Anno=2023,NumRif=8");
  EXPECT_TRUE(f_->ogLisPag.Avanti());
  EXPECT_EQ(barra_.mostrati.back(), "Anno=2023,NumRif=10");
  EXPECT_TRUE(f_->ogLisPag.Indietro());
  EXPECT_EQ(barra_.mostrati.back(), "Anno=2023,NumRif=8");
}

TEST_F(Lista, HeadingSortPutsTheSourceFieldIntoTheOrderBy) {
  f_->ButtonComando("Ricerca");
  std::string sql = f_->osSql;
  EXPECT_EQ(f_->ogComlin.OrdinaColonna(1, sql), 0);
  EXPECT_EQ(sql, "Select Anno, NumRif, DataRif, Cliente, RifCli, Stato, Importo From ListaProva Order by NumRif");
  EXPECT_EQ(Cella("NumRif"), "1");
  EXPECT_EQ(f_->ogComlin.OrdinaColonna(1, sql), 0);
  EXPECT_EQ(sql, "Select Anno, NumRif, DataRif, Cliente, RifCli, Stato, Importo From ListaProva Order by NumRif Desc");
  EXPECT_EQ(Cella("NumRif"), "60");
  EXPECT_EQ(f_->ogComlin.OrdinaColonna(4, sql), 0);
  EXPECT_EQ(sql.substr(sql.size() - 16), " Order by RifCli");
  // a column the window cannot sort on: 1 and the query unchanged
  const std::string prima = sql;
  EXPECT_EQ(f_->ogComlin.OrdinaColonna(6, sql), 1);
  EXPECT_EQ(sql, prima);
  EXPECT_EQ(f_->ogComlin.OrdinaColonna(99, sql), 1);
  EXPECT_FALSE(Log("DatRefresh").empty());
}

TEST_F(Lista, PuntaAndVaiAComeBackToTheKeptRow) {
  f_->ButtonComando("Ricerca");
  EXPECT_FALSE(f_->C("tolComlin").Elem("VaiA").Enabled);
  for (int i = 0; i < 4; ++i) f_->ButtonComando("Successiva");
  const std::string qui = Cella("NumRif");
  f_->ButtonComando("Punta");
  EXPECT_TRUE(f_->C("tolComlin").Elem("VaiA").Enabled);
  f_->ButtonComando("Fine");
  EXPECT_EQ(f_->C("txtRiga").Text(), "60 / 60");
  f_->ButtonComando("VaiA");
  EXPECT_EQ(Cella("NumRif"), qui);
  EXPECT_EQ(f_->C("txtRiga").Text(), "5 / 60");
}

// A list over many rows shows its first screen having read one block: the
// counter says how many rows are known, "+" while more may follow, and the
// whole count only once the user went to the end.
TEST_F(Lista, AListOverManyRowsShowsItsFirstScreenReadingOnlyABlock) {
  db_.Motore(conn_).Esegui(
      "WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g WHERE x < 20000) "
      "INSERT INTO ListaProva (Anno, NumRif, Cliente) SELECT 2030, x, 'C' || (x % 9) FROM g");
  const long tutte = 20060;
  f_->ButtonComando("Ricerca");
  dati::Recordset& rs = *f_->ogComlin.Recordset();
  ui::Griglia& g = f_->Griglia();
  size_t car = 0;
  for (long r = 0; r < std::min<long>(20, g.NumRighe()); ++r)
    for (int c = 0; c < g.NumColonne(); ++c) car += g.TestoCella(r, c).size();
  EXPECT_GT(car, 0u);
  EXPECT_LE(rs.RigheLette(), 256);
  EXPECT_FALSE(g.FineNota());
  EXPECT_EQ(g.NumRighe(), rs.RigheNote());
  EXPECT_EQ(f_->C("txtRiga").Text(), "1 / " + std::to_string(rs.RigheNote()) + "+");
  // Scrolling on: more rows appear, still far from all.
  const long prima = g.NumRighe();
  EXPECT_GE(g.LeggiAltre(300), prima + 300);
  EXPECT_LT(rs.RigheLette(), 5000);
  f_->ButtonComando("PageDown");
  f_->ButtonComando("PageDown");
  EXPECT_EQ(f_->C("txtRiga").Text(), "41 / " + std::to_string(rs.RigheNote()) + "+");
  EXPECT_LT(rs.RigheLette(), 5000);
  f_->ButtonComando("Fine");
  EXPECT_TRUE(g.FineNota());
  EXPECT_EQ(g.NumRighe(), tutte);
  EXPECT_EQ(f_->C("txtRiga").Text(), std::to_string(tutte) + " / " + std::to_string(tutte));
  EXPECT_EQ(g.NumRigheEsatto(), tutte);
  f_->ButtonComando("Inizio");
  EXPECT_EQ(f_->C("txtRiga").Text(), "1 / " + std::to_string(tutte));
}

TEST_F(Lista, AggiornaReadsAgainThenCallsDatRefresh) {
  f_->ButtonComando("Ricerca");
  db_.EseguiSql(conn_, "Insert into ListaProva (Anno, NumRif) Values (2022, 999)");
  f_->log.clear();
  f_->ButtonComando("Aggiorna");
  EXPECT_EQ(Righe(), 61);
  EXPECT_EQ(Log("DatRefresh").size(), 1u);
}

TEST_F(Lista, TrovaShowsTheSearchAndCercaFindsTheNextRowBeginningWithTheText) {
  f_->ButtonComando("Ricerca");
  f_->ButtonComando("Trova");
  EXPECT_TRUE(f_->C("FraCerca").Visible());
  f_->Griglia().SetCol(4);
  f_->C("txtCerca").SetText("rif 4");
  f_->ButtonComando("Cerca");
  EXPECT_EQ(Cella("RifCli"), "Rif 4");  // 2023 rows come first: 2, 4, ... 40
  f_->ButtonComando("Cerca");
  EXPECT_EQ(Cella("RifCli"), "Rif 40");
  f_->C("txtCerca").SetText("nessuno");
  f_->ButtonComando("Cerca");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Valore non trovato");
}

TEST_F(Lista, StampaWithoutItsDialogSaysSoAndOnAnEmptyListSaysNothing) {
  f_->ButtonComando("Stampa");
  EXPECT_TRUE(messaggi_.empty());
  f_->ButtonComando("Ricerca");
  f_->ButtonComando("Stampa");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "La stampa delle liste non è ancora disponibile");
}

TEST_F(Lista, AltLettersOpeningTheTooltipsPressTheirButtons) {
  EXPECT_EQ(f_->ogLisPag.TastoPremuto('R'), "Ricerca");
  EXPECT_EQ(f_->ogLisPag.TastoPremuto('Z'), "AzzSel");
  EXPECT_EQ(f_->ogLisPag.TastoPremuto('S'), "Seleziona");
  EXPECT_EQ(f_->ogLisPag.TastoPremuto('1'), "");
  EXPECT_TRUE(f_->C("tolComlin").Elem("Stampa").Visible);
}

TEST_F(Lista, EditableGridAddsSavesCancelsAndDeletesThroughTheRecordset) {
  f_->ogComlin.AbilScrittura(1);
  Criteri({"", "", "1", "3"});
  f_->ButtonComando("Ricerca");
  ASSERT_EQ(Righe(), 3);
  ASSERT_TRUE(f_->C("tolComlin").HaElem("Ricerca"));
  // new row, written through the grid, saved
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Nuovo", 3), 0);
  EXPECT_EQ(f_->Griglia().Col(), 3);
  EXPECT_TRUE(f_->Griglia().ScriviCella(0, 2025));
  EXPECT_TRUE(f_->Griglia().ScriviCella(1, 77));
  EXPECT_TRUE(f_->Griglia().ScriviCella(3, "Nuovo"));
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Salva"), 0);
  dati::GestRecordset g;
  auto conta = [&](const std::string& w) {
    const std::string k = g.ApriRecordset(db_, conn_, "", "Select NumRif From ListaProva Where " + w, false, 4);
    const long n = g.NumRecord(k);
    g.ChiudiRecordset(k);
    return n;
  };
  EXPECT_EQ(conta("Anno = 2025 And NumRif = 77 And Cliente = 'Nuovo'"), 1);
  // a new row dropped with Annulla leaves nothing
  f_->ogComlin.EseguiTasto("Nuovo");
  f_->Griglia().ScriviCella(0, 2025);
  f_->Griglia().ScriviCella(1, 78);
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Annulla"), 0);
  EXPECT_FALSE(f_->ogComlin.InModifica());
  EXPECT_EQ(conta("NumRif = 78"), 0);
  // deletion: refused by the user, asked by the grid (-1) or by the toolbar
  f_->ButtonComando("Inizio");  // 2023/2 comes first
  ASSERT_EQ(Cella("NumRif"), "2");
  risposta_ = vb::vbNo;
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella", -1, true), -1);
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella"), 1);
  EXPECT_EQ(conta("NumRif = 2"), 1);
  risposta_ = vb::vbYes;
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella", -1, true), 0);  // the grid deletes it
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella"), 0);
  EXPECT_EQ(conta("NumRif = 2"), 0);
  EXPECT_EQ(Righe(), 3);
  // read-only: nothing changes and a grid deletion is cancelled
  f_->ogComlin.AbilScrittura(0);
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Nuovo"), 1);
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella", -1, true), -1);
}

}  // namespace

namespace {

// A list-print dialog: the list commands hand themselves over; the test's
// script presses its print button.
class DialogoStampa : public ui::Form, public barre::DialogoStampaLista {
 public:
  DialogoStampa() : ui::Form("FrmComlinStampa") {}
  void ImpostaComlin(barre::rowlib::ComandiLista* c) override { comlin = c; }
  barre::rowlib::ComandiLista* comlin = nullptr;
};

TEST_F(Lista, StampaHandsTheListToItsDialogWhichPrintsTheGridRowsToAFile) {
  DialogoStampa d;
  f_->ogLisPag.OggStampa().ofrmComlinSTampa = &d;
  f_->ogLisPag.Prepara();
  f_->ButtonComando("Ricerca");
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileForm = stampa::FormTesto;
  opz->SepCampi = ";";
  opz->DelimStr = "";
  opz->FileName = dir_.Percorso("lista.csv");
  int durante = -1;
  f_->ButtonComando("Stampa");
  EXPECT_TRUE(d.Visible());
  ASSERT_NE(d.comlin, nullptr);
  {
    d.comlin->ogSta().SetogOpzSta(opz);
    ui::Carattere font;
    font.Name = "Arial";
    font.Size = 10;
    // the print state is 1 while it runs: a second print is refused
    f_->SetoiStaAtt(1);
    d.comlin->AvviaStampa(font, 1, "T");
    durante = static_cast<int>(messaggi_.size());
    f_->SetoiStaAtt(0);
    d.comlin->AvviaStampa(font, 1, "V");
  }
  EXPECT_EQ(durante, 1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "È già in corso la stampa di una lista");
  EXPECT_EQ(f_->oiStaAtt(), 0);
  const std::string testo = dir_.Leggi("lista.csv");
  size_t righe = 0;
  for (char c : testo) righe += c == '\n';
  EXPECT_EQ(righe, 61u);  // the headings and the 60 rows
  ui::Griglia& g = *f_->ogComlin.GrigliaLista();
  EXPECT_EQ(testo.substr(0, testo.find('\r')).find(g.Colonna(0).Caption), 0u);
}

}  // namespace

namespace {

// The grid deletes a row by itself (its own key), then the window's timer
// hands the object its deferred work: the counter shows the rows left.
TEST_F(Lista, AfterTheGridDeletedARowTheCounterFollows) {
  f_->ogComlin.AbilScrittura(1);
  Criteri({"", "", "1", "3"});
  f_->ButtonComando("Ricerca");
  ASSERT_EQ(Righe(), 3);
  ASSERT_EQ(f_->C("txtRiga").Text(), "1 / 3");
  f_->ButtonComando("Successiva");
  risposta_ = vb::vbYes;
  EXPECT_EQ(f_->ogComlin.EseguiTasto("Cancella", -1, true), 0);
  f_->ogComlin.Recordset()->Delete();  // what the grid does then
  f_->ogComlin.EventoTimer();
  EXPECT_EQ(f_->C("txtRiga").Text(), "2 / 2");
  EXPECT_FALSE(f_->ogComlin.Recordset()->NessunaCorrente());
}

}  // namespace

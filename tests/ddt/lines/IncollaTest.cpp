// Cut, copy and paste of lines, as the user runs them: lines selected in
// the grid (or the current one), "Taglia" or "Copia", then "Incolla" on the
// line above which the block goes.
#include <gtest/gtest.h>

#include <functional>

#include "common/utilprg.h"
#include "ddt/lines/NumeriProva.h"
#include "platform/ui/Griglia.h"

namespace prova {
namespace {

class Incolla : public NumeriProva {
 protected:
  // The working lines in display order, "L3" for the line first numbered
  // 3 (RigLiv 103) and "L3*" for a copy of it; the numbers must run 1..n.
  std::string Righe1N() {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select RigDet, RigLiv, Descrizione from DdtDettApp Where Anno = 2026 "
                                           "And NumRif = 3 Order By RigDet",
                                           false, 4);
    std::string s;
    long atteso = 1;
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k), ++atteso) {
      EXPECT_EQ(rs.LeggiCampo(k, "RigDet").ToLong(), atteso);
      if (!s.empty()) s += " ";
      const std::string descr = rs.LeggiCampo(k, "Descrizione").ToString();
      const bool copia = "L" + std::to_string(rs.LeggiCampo(k, "RigLiv").ToLong() - 100) != descr;
      s += descr + (copia ? "*" : "");
    }
    rs.ChiudiRecordset(k);
    return s;
  }

  // The lines flagged: the current one, or these selected in the grid.
  void Segna(frmDDTDett& d, int16_t modo, const std::vector<int>& selezionate, int corrente) {
    auto& p = d.ogLinPag();
    std::vector<std::string> segni;
    for (int n : selezionate) {
      VaiA(d, n);
      segni.push_back(d.dbgRiga().Bookmark());
    }
    VaiA(d, corrente);
    p.SelBookmarks() = segni;
    d.CopiaTagliaDett(modo);
  }

  std::string Segnate() {
    return Elenco("Select RigDet, CopiaTaglia from DdtDettApp Where NumRif = 3 And CopiaTaglia <> 0 Order By RigDet",
                  {"RigDet", "CopiaTaglia"});
  }
};

// The backend of a paste that yields: the window's armed timer ticks at
// the first round of events, and the test looks at the rows then.
class BackendTick : public BackendTestata {
 public:
  std::function<void()> alGiro;
  void DoEvents() override {
    BackendTestata::DoEvents();
    if (auto f = std::move(alGiro)) {
      alGiro = nullptr;
      f();
    }
  }
};

struct CasoIncolla {
  const char* nome;
  int16_t modo;  // 1 copy, 2 cut
  std::vector<int> selezionate;
  int corrente;  // the current line when flagging
  int su;        // the line the user pastes on
  const char* ordine;
  int riga;      // display number the grid stands on afterwards
};

TEST_F(Incolla, FlaggedLinesGoAboveTheLinePastedOnAndAreNumberedOneToN) {
  const std::vector<CasoIncolla> casi = {
      {"cut 2, 3 on 7", 2, {2, 3}, 1, 7, "L1 L4 L5 L6 L2 L3 L7 L8 L9 L10", 5},
      {"cut 8, 9 on 3", 2, {8, 9}, 1, 3, "L1 L2 L8 L9 L3 L4 L5 L6 L7 L10", 3},
      {"cut 3, 4, 5 on 4", 2, {3, 4, 5}, 1, 4, "L1 L2 L3 L4 L5 L6 L7 L8 L9 L10", 3},
      {"cut the current line 2 on 5", 2, {}, 2, 5, "L1 L3 L4 L2 L5 L6 L7 L8 L9 L10", 4},
      {"one selected row: the current line counts", 2, {9}, 2, 5, "L1 L3 L4 L2 L5 L6 L7 L8 L9 L10", 4},
      {"copy 2, 3 on 7", 1, {2, 3}, 1, 7, "L1 L2 L3 L4 L5 L6 L2* L3* L7 L8 L9 L10", 7},
      {"copy 8, 9 on 3", 1, {8, 9}, 1, 3, "L1 L2 L8* L9* L3 L4 L5 L6 L7 L8 L9 L10", 3},
      {"copy 2, 8 on 5", 1, {2, 8}, 1, 5, "L1 L2 L3 L4 L2* L8* L5 L6 L7 L8 L9 L10", 5},
      {"copy 5 on 5", 1, {}, 5, 5, "L1 L2 L3 L4 L5* L5 L6 L7 L8 L9 L10", 5},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Linee(10);
    frmDDTDett& d = Righe(kDdt);
    auto& p = d.ogLinPag();
    Segna(d, c.modo, c.selezionate, c.corrente);
    // The selection is emptied and the grid is back on the current line.
    EXPECT_TRUE(p.SelBookmarks().empty());
    EXPECT_EQ(d.txt(10).Text(), std::to_string(c.corrente));
    EXPECT_EQ(d.miCopiaTaglia, c.modo);
    EXPECT_TRUE(d.tolLinPag().Elem("Incolla").Enabled);
    std::string segnate;
    for (int n : c.selezionate.size() < 2 ? std::vector<int>{c.corrente} : c.selezionate)
      segnate += (segnate.empty() ? "" : " ") + std::to_string(n) + ":" + std::to_string(c.modo);
    EXPECT_EQ(Segnate(), segnate);

    VaiA(d, c.su);
    d.IncollaDett();
    EXPECT_EQ(Righe1N(), c.ordine);
    EXPECT_EQ(d.txt(10).Text(), std::to_string(c.riga));
    EXPECT_EQ(Segnate(), "");
    EXPECT_EQ(d.miCopiaTaglia, 0);
    EXPECT_EQ(d.miNoEventiGriglia, 0);
    EXPECT_FALSE(d.tolLinPag().Elem("Incolla").Enabled);
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
    messaggi_.clear();
  }
}

TEST_F(Incolla, OnTheLastLineTheUserChoosesAboveOrBelow) {
  struct Caso {
    int risposta;
    const char* ordine;
  };
  for (const Caso& c : {Caso{1, "L2 L1 L3"}, Caso{2, "L2 L3 L1"}}) {
    Linee(3);
    frmDDTDett& d = Righe(kDdt);
    Segna(d, 2, {}, 1);
    VaiA(d, 3);
    risposte_.push_back(c.risposta);
    messaggi_.clear();
    d.IncollaDett();
    ASSERT_EQ(messaggi_.size(), 1u);
    EXPECT_EQ(messaggi_[0], "Ultima riga dei movimenti\r\nVuoi incollare sopra o sotto questa riga");
    EXPECT_EQ(Righe1N(), c.ordine);
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
  }
}

TEST_F(Incolla, ACopyHasANewKeyItsLevelRowsAndNoSourceDocument) {
  Linee(4);
  // Line 2 was taken from an order and has an eco-fee line (3); line 4 is
  // an eco-fee line of line 1.
  Sql("Update DdtDett Set TipoProv = 'O', FattDocumentoProv = 'OC', AnnoRifProv = 2026, NumRifProv = 5, "
      "RigaRifProv = 2, QtaProv = 4, StatoRiga = 'P' Where Anno = 2026 And NumRif = 3 And RigDet = 2");
  Sql("Update DdtDett Set RigLivRAEE = 102 Where Anno = 2026 And NumRif = 3 And RigDet = 3");
  Sql("Update DdtDett Set RigLivRAEE = 101 Where Anno = 2026 And NumRif = 3 And RigDet = 4");
  frmDDTDett& d = Righe(kDdt);
  for (const char* l : {"'S'", "'M'"})
    Sql("Insert into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, QtaProv, StatoRiga, RigLivOrig) "
        "Values (2026, 3, 102, " + std::string(l) + ", '~ç~', 2, 2, 'P', 9)");
  Sql("Insert into DdtMatrApp (Anno, NumRif, RigLiv, Matricola) Values (2026, 3, 102, 'SN1')");
  Sql("Insert into DdtRintracciaApp (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, "
      "Lotto, NrProgLotto, Qta) Values (2026, 3, 102, 'A', 0, 0, 0, 'LT', 1, 1)");
  EXPECT_EQ(d.mlMaxRigLiv, 104);
  Segna(d, 1, {2, 3, 4}, 1);
  VaiA(d, 1);
  d.IncollaDett();
  EXPECT_EQ(Righe1N(), "L2* L3* L4* L1 L2 L3 L4");
  EXPECT_EQ(d.mlMaxRigLiv, 107);
  const std::string q = "Select RigLiv, TipoProv, FattDocumentoProv, AnnoRifProv, NumRifProv, RigaRifProv, QtaProv, "
                        "StatoRiga, RigLivRAEE from DdtDettApp Where NumRif = 3 And RigLiv %s Order By RigDet";
  const std::vector<std::string> campi = {"RigLiv",     "TipoProv",    "FattDocumentoProv", "AnnoRifProv", "NumRifProv",
                                          "RigaRifProv", "QtaProv",    "StatoRiga",         "RigLivRAEE"};
  // The copies: new keys in display order, nothing of the order, the
  // eco-fee line linked to the copy of its article line, the one whose
  // article line was not copied linked to none.
  const std::string copie = Elenco("Select * from DdtDettApp Where NumRif = 3 And RigLiv > 104 Order By RigDet", campi);
  EXPECT_EQ(copie,
            "105:::<Null>:<Null>:<Null>:<Null>::<Null> 106:::<Null>:<Null>:<Null>:<Null>::105 "
            "107:::<Null>:<Null>:<Null>:<Null>::<Null>");
  // The sources as they were.
  EXPECT_EQ(Elenco("Select * from DdtDettApp Where NumRif = 3 And RigLiv In (102, 103, 104) Order By RigDet", campi),
            "102:O:OC:2026:5:2:4:P:<Null> 103:<Null>:<Null>:<Null>:<Null>:<Null>:<Null>:<Null>:102 "
            "104:<Null>:<Null>:<Null>:<Null>:<Null>:<Null>:<Null>:101");
  // Level rows copied with the copy's key; serials and lots stay with the source.
  EXPECT_EQ(Elenco("Select RigLiv, Livello1, Qta, QtaProv, StatoRiga, RigLivOrig from DdtLivApp Where NumRif = 3 "
                   "Order By RigLiv, Livello1",
                   {"RigLiv", "Livello1", "Qta", "QtaProv", "StatoRiga", "RigLivOrig"}),
            "102:M:2:2:P:9 102:S:2:2:P:9 105:M:2:<Null>::0 105:S:2:<Null>::0");
  EXPECT_EQ(Elenco("Select RigLiv from DdtMatrApp Where NumRif = 3", {"RigLiv"}), "102");
  EXPECT_EQ(Elenco("Select RigLiv from DdtRintracciaApp Where NumReg = 3", {"RigLiv"}), "102");
  // The next new line takes the following key.
  auto& p = d.ogLinPag();
  EXPECT_EQ(p.EseguiTasto("Nuovo"), "");
  Compila(d, "Nuova");
  EXPECT_EQ(p.EseguiTasto("Salva"), "");
  EXPECT_EQ(Valore("Select RigLiv from DdtDettApp Where NumRif = 3 And Descrizione = 'Nuova'", "RigLiv"), "108");
}

TEST_F(Incolla, APrintedDdtOrAChangedLineRefusesAndChangesNothing) {
  struct Caso {
    const char* nome;
    bool stampato;
    const char* messaggioSegna;
    const char* messaggioIncolla;
  };
  const std::vector<Caso> casi = {
      {"printed", true, "DDT stampato: Impossibile copiare/spostare", "DDT stampato: Impossibile copiare/spostare"},
      {"changed line", false, "Salvare i dati prima di incollare/tagliare", "Salvare i dati prima di incollare"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    Linee(4);
    frmDDTDett& d = Righe(kDdt);
    Segna(d, 2, {}, 2);
    ASSERT_EQ(d.miCopiaTaglia, 2);
    VaiA(d, 4);
    if (c.stampato) d.osStato = "S";
    else d.txt(23).SetText("cambiata");
    messaggi_.clear();
    d.CopiaTagliaDett(1);
    d.IncollaDett();
    EXPECT_EQ(messaggi_, (std::vector<std::string>{c.messaggioSegna, c.messaggioIncolla}));
    EXPECT_EQ(d.miCopiaTaglia, 2);
    EXPECT_EQ(Segnate(), "2:2");
    EXPECT_EQ(Righe1N(), "L1 L2 L3 L4");
    d.osStato = "";
    d.ogLinPag().SetovLeggiPar("MsgAnn", "N");
    d.ogLinPag().EseguiTasto("Annulla");
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
    Sql("Delete from DdtDettApp");
  }
}

TEST_F(Incolla, CopyAfterCutDropsTheEarlierFlags) {
  Linee(5);
  frmDDTDett& d = Righe(kDdt);
  Segna(d, 2, {1, 2}, 1);
  Segna(d, 1, {}, 4);
  EXPECT_EQ(Segnate(), "4:1");
  // A line flagged by the command before is flagged again.
  Segna(d, 1, {2, 4}, 3);
  EXPECT_EQ(Segnate(), "2:1 4:1");
  VaiA(d, 1);
  d.IncollaDett();
  EXPECT_EQ(Righe1N(), "L2* L4* L1 L2 L3 L4 L5");
}

TEST_F(Incolla, ATimerTickDuringThePastesYieldFindsTheRowsInOrder) {
  BackendTick tick;
  tick.rispondi = backend_.rispondi;
  ui::ImpostaBackend(&tick);
  Linee(10);
  frmDDTDett& d = Righe(kDdt);
  Segna(d, 2, {2, 3}, 1);
  VaiA(d, 7);
  d.ArmaTimer(3);
  std::string alTick;
  bool ticcato = false;
  tick.alGiro = [&] {
    // What the deferred step would find: numbered 1..n, no flags, the grid
    // events on again.
    alTick = Righe1N() + "|" + Segnate() + "|" + std::to_string(d.miCopiaTaglia) + std::to_string(d.miNoEventiGriglia);
    ticcato = d.timLinPag().Enabled();
    Tick(d);
  };
  d.IncollaDett();
  EXPECT_TRUE(ticcato);
  EXPECT_EQ(alTick, "L1 L4 L5 L6 L2 L3 L7 L8 L9 L10||00");
  EXPECT_EQ(Righe1N(), "L1 L4 L5 L6 L2 L3 L7 L8 L9 L10");
  EXPECT_EQ(d.txt(10).Text(), "5");
  EXPECT_FALSE(d.timLinPag().Enabled());
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  ui::ImpostaBackend(&backend_);
}

TEST_F(Incolla, CopiesThatWouldPassTheLastLineNumberAreRefused) {
  // 9998 lines: one copy fits, two do not.
  utilprg::TransInizio();
  Linee(std::vector<int>(1, 1));
  for (int i = 2; i <= 9998; ++i) Sql(Riga(i, 100 + i, "L" + std::to_string(i)));
  utilprg::TransConferma();
  frmDDTDett& d = Righe(kDdt);
  Segna(d, 1, {2, 3}, 2);
  VaiA(d, 2);
  messaggi_.clear();
  d.IncollaDett();
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Con le righe copiate il DDT supererebbe le 9999 righe: impossibile incollarle");
  EXPECT_EQ(Valore("Select count(*) as N from DdtDettApp Where NumRif = 3", "N"), "9998");
  EXPECT_EQ(Segnate(), "2:1 3:1");
  Segna(d, 1, {}, 2);
  d.ogLinPag().EseguiTasto("Fine");
  risposte_.push_back(1);  // above the last line
  messaggi_.clear();
  d.IncollaDett();
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(Valore("Select count(*) as N from DdtDettApp Where NumRif = 3", "N"), "9999");
  EXPECT_EQ(Valore("Select Descrizione from DdtDettApp Where NumRif = 3 And RigDet = 9998", "Descrizione"), "L2");
  EXPECT_EQ(Valore("Select Descrizione from DdtDettApp Where NumRif = 3 And RigDet = 9999", "Descrizione"), "L9998");
}

}  // namespace
}  // namespace prova

// Closing the line window: commit or discard of the working copies, the
// questions on the way, and what the header is told and does afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/dati/ServerDiProva.h"
#include "services/UtilDocFattGest.h"

namespace prova {
namespace {
using namespace dati::demo;

class Chiudi : public RigheProva {
 protected:
  // A fresh demo company for the next case of a table.
  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    risposte_.clear();
    risposteBox_.clear();
    SetUp();
  }
  std::string Lock() {
    return Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato");
  }
  std::string Totale() { return Valore("Select TotDocum from DdtTest Where Anno = 2026 And NumRif = 3", "TotDocum"); }
  std::string Committed(const std::string& campo = "ValTotale") {
    return Valore("Select " + campo + " from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = " +
                      std::to_string(kRigLivOlio),
                  campo);
  }
  double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }
  // The oil line's total changed by 100 and stored in the working copy.
  void CambiaRiga(frmDDTDett& d) {
    auto& p = d.ogLinPag();
    ASSERT_EQ(p.Stato(), 1);
    ASSERT_EQ(d.txt(10).Text(), "1");
    const double prima = Numero(d.txt(70).Text());
    d.txt(70).SetText(vb::FunzioniComuni::Istanza().MascheraNum(prima + 100, 2, "0", false, "0.00"));
    ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
    ASSERT_EQ(p.Cambiato(), 1);
  }
};

struct Caso {
  const char* nome;
  int cambia;           // 0 nothing, 1 a line changed on the page, 2 changed by SQL in the working copy
  bool esciNoSalva;     // left by "EsciNoSalva" (answered OK)
  int16_t aggTest, gestDupl;
  bool committed;       // the committed rows follow the working ones
};

TEST_F(Chiudi, TheCommitDecisionTable) {
  const Caso casi[] = {
      {"changed, close box", 1, false, 0, 0, true},
      {"changed, EsciNoSalva", 1, true, 0, 0, false},
      {"changed, header change code 2", 1, true, 2, 0, true},
      {"changed, duplicated DDT", 1, true, 0, 1, true},
      {"nothing changed", 0, false, 0, 0, false},
      {"nothing changed, EsciNoSalva", 0, true, 0, 0, false},
      // The working rows are the only copy of a duplicated DDT's lines, or
      // of lines the header changed: the page need not have touched them.
      {"working copy only, duplicated DDT", 2, false, 0, 1, true},
      {"working copy only, header change code 2", 2, false, 2, 0, true},
      {"working copy only, nothing else", 2, false, 0, 0, false},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Riparti();
    const std::string totalePrima = Totale(), rigaPrima = Committed();
    frmDDTDett& d = Righe(kDdtModificabile);
    frmDdtTest& t = *f_;
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(t.oiInDett, 1);
    if (c.cambia == 1) CambiaRiga(d);
    if (c.cambia == 2)
      Sql("Update DdtDettApp Set ValTotale = ValTotale + 100 Where Anno = 2026 And NumRif = 3 And RigLiv = " +
          std::to_string(kRigLivOlio));
    d.oiAggTest = c.aggTest;
    d.oiGestDupl = c.gestDupl;
    messaggi_.clear();
    if (c.esciNoSalva)
      d.ButtonComando("EsciNoSalva");
    else
      d.Unload();
    EXPECT_FALSE(d.Caricata());
    // Only a discard of lines changed on the page asks.
    EXPECT_EQ(MessaggioCon("Confermi Uscita SENZA SALVATAGGIO dei Dettagli"),
              c.cambia == 1 && !c.committed && c.esciNoSalva);
    EXPECT_FALSE(MessaggioCon("Errore")) << vb::Join(messaggi_, " / ");
    EXPECT_EQ(Lavoro(kDdtModificabile), "");
    EXPECT_EQ(Lock(), "<nessuna riga>");
    EXPECT_TRUE(t.Enabled());
    EXPECT_EQ(t.oiInDett, -1);
    if (c.committed) {
      EXPECT_DOUBLE_EQ(Numero(Committed()), Numero(rigaPrima) + 100);
      // The header's footer follows the committed lines (the oil's VAT is 4%).
      EXPECT_DOUBLE_EQ(Numero(Totale()), Numero(totalePrima) + 104);
    } else {
      EXPECT_EQ(Committed(), rigaPrima);
      EXPECT_EQ(Totale(), totalePrima);
    }
  }
}

TEST_F(Chiudi, CancelOnTheExitQuestionKeepsEverythingAndTheNextCloseCommits) {
  const std::string rigaPrima = Committed();
  frmDDTDett& d = Righe(kDdtModificabile);
  CambiaRiga(d);
  const std::string lavoro = Lavoro(kDdtModificabile);
  risposteBox_ = {vb::vbCancel};
  d.ButtonComando("EsciNoSalva");
  EXPECT_TRUE(d.Caricata());
  EXPECT_TRUE(d.mbSalvaInUscita);
  EXPECT_EQ(Lavoro(kDdtModificabile), lavoro);
  EXPECT_EQ(Lock(), "7");
  EXPECT_EQ(Committed(), rigaPrima);
  EXPECT_EQ(f_->oiInDett, 1);
  d.Unload();
  EXPECT_FALSE(d.Caricata());
  EXPECT_DOUBLE_EQ(Numero(Committed()), Numero(rigaPrima) + 100);
  EXPECT_EQ(Lock(), "<nessuna riga>");
}

TEST_F(Chiudi, AFailedCommitKeepsTheWorkingRowsAndTheLock) {
  frmDDTDett& d = Righe(kDdtModificabile);
  CambiaRiga(d);
  const std::string lavoro = Lavoro(kDdtModificabile);
  // The lot table cannot be emptied: the commit stops there.
  G().gsTabRintraccia = "TabellaCheNonEsiste";
  d.Unload();
  G().gsTabRintraccia = "DdtRintraccia";
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(Lavoro(kDdtModificabile), lavoro);
  EXPECT_NE(Lock(), "<nessuna riga>");
  EXPECT_TRUE(f_->Enabled());
  EXPECT_EQ(f_->oiInDett, -1);
  // The lock refuses the next opening until it is removed.
  messaggi_.clear();
  f_->ButtonComando("Dettaglio");
  EXPECT_FALSE(frmDDTDett::Istanza().Caricata());
  EXPECT_EQ(Lavoro(kDdtModificabile), lavoro);
}

TEST_F(Chiudi, ThePageRefusingToCloseKeepsTheWindow) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.txt(70).SetText("1234");
  risposteBox_ = {vb::vbCancel};  // "La riga è stata modificata..."
  EXPECT_FALSE(d.Unload());
  EXPECT_TRUE(d.Caricata());
  EXPECT_EQ(Lock(), "7");
  EXPECT_EQ(f_->oiInDett, 1);
}

// An opener of the test's own, to see what the window tells it.
class Opener : public ProtSottoForm {
 public:
  DatiTestataForm DatiTestata() const override { return {}; }
  std::string Zona() const override { return {}; }
  double ZonaSconto() const override { return 0; }
  double ZonaScontoLire() const override { return 0; }
  int32_t PosDett() const override { return -1; }
  void DopoSottoForm(bool pbAgg, bool pbOk) override {
    ++chiamate;
    agg = pbAgg;
    ok = pbOk;
  }
  void PostoSottoForm(int32_t, int32_t, int32_t, int32_t) override {
    if (guasto) throw vb::Errore(5, "posto non salvato");
  }
  bool guasto = false, agg = false, ok = false;
  int chiamate = 0;
};

TEST_F(Chiudi, AnErrorAfterACommitThatWentThroughStillReportsTheCommit) {
  for (bool dopoCommit : {true, false}) {
    SCOPED_TRACE(dopoCommit);
    Riparti();
    const std::string rigaPrima = Committed();
    std::string chiave = "Standard";
    ASSERT_TRUE(UtilDocFattGest::PrepDocApp("D", "Il DDT", 2026, kDdtModificabile, vb::Variant("D"), 0, chiave)
                    .ToBool());
    Opener o;
    const ParDettaglio par = Mostra(kDdtModificabile).PreparaParDettaglio(0);
    frmDDTDett& d = frmDDTDett::Istanza();
    d.Apri(o, par);
    Tick(d);
    CambiaRiga(d);
    o.guasto = true;
    if (!dopoCommit) G().gsTabRintraccia = "TabellaCheNonEsiste";
    messaggi_.clear();
    d.Unload();
    G().gsTabRintraccia = "DdtRintraccia";
    EXPECT_FALSE(d.Caricata());
    EXPECT_EQ(o.chiamate, 1);
    EXPECT_TRUE(o.agg);
    EXPECT_EQ(o.ok, dopoCommit);
    EXPECT_TRUE(MessaggioCon("posto non salvato"));
    if (dopoCommit) {
      EXPECT_DOUBLE_EQ(Numero(Committed()), Numero(rigaPrima) + 100);
      EXPECT_EQ(Lavoro(kDdtModificabile), "");
    } else {
      EXPECT_NE(Lavoro(kDdtModificabile), "");
    }
  }
}

// The same closings on the database server: the commit, the discard and
// the failed commit, each judged by the rows and the lock left.
class ChiudiServer : public Chiudi {
 protected:
  void SetUp() override {
    Chiudi::SetUp();
    ApriSuServer(server_);
  }
  void TearDown() override {
    Chiudi::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<DatabaseServer> server_;
};

TEST_F(ChiudiServer, CommitDiscardAndFailedCommit) {
  SALTA_SENZA_SERVER();
  const std::string rigaPrima = Committed();
  // Discarded.
  {
    frmDDTDett& d = Righe(kDdtModificabile);
    CambiaRiga(d);
    d.ButtonComando("EsciNoSalva");
    EXPECT_FALSE(d.Caricata());
    EXPECT_EQ(Committed(), rigaPrima);
    EXPECT_EQ(Lavoro(kDdtModificabile), "");
    EXPECT_EQ(Lock(), "<nessuna riga>");
  }
  // Committed.
  {
    frmDDTDett& d = Righe(kDdtModificabile);
    CambiaRiga(d);
    d.Unload();
    EXPECT_DOUBLE_EQ(Numero(Committed()), Numero(rigaPrima) + 100);
    EXPECT_EQ(Lavoro(kDdtModificabile), "");
    EXPECT_EQ(Lock(), "<nessuna riga>");
  }
  // Failed: the working rows and the lock stay.
  {
    frmDDTDett& d = Righe(kDdtModificabile);
    CambiaRiga(d);
    const std::string lavoro = Lavoro(kDdtModificabile);
    G().gsTabRintraccia = "TabellaCheNonEsiste";
    d.Unload();
    G().gsTabRintraccia = "DdtRintraccia";
    EXPECT_FALSE(d.Caricata());
    EXPECT_EQ(Lavoro(kDdtModificabile), lavoro);
    EXPECT_NE(Lock(), "<nessuna riga>");
  }
}

}  // namespace
}  // namespace prova

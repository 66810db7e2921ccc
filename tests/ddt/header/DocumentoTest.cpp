// The header's document commands on the demo company: what the line window
// is handed and what its return does, the restore of a printed DDT, the
// undo of an evasion and the removal of the return movement.
#include <algorithm>
#include <filesystem>

#include "common/Globali.h"
#include "common/DatiTestataForm.h"
#include "ddt/header/TestataProva.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"

namespace {

namespace demo = dati::demo;

class Documento : public prova::TestataProva {
 protected:
  static bool RigheAperte() { return frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata(); }
  // The line window goes before the header that opened it.
  void TearDown() override {
    if (RigheAperte()) frmDDTDett::Istanza().Unload();
    frmDDTDett::Rilascia();
    TestataProva::TearDown();
  }
  // The demo DDT shown, the messages of its loading and display dropped.
  frmDdtTest& Mostra(long numRif) {
    frmDdtTest& f = TestataProva::Mostra(numRif);
    messaggi_.clear();
    return f;
  }
  std::string Valore(const std::string& sql, const std::string& campo = "N") {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    const std::string v = rs.NessunRecord(k) ? std::string("<nessuna riga>") : rs.LeggiCampo(k, campo).ToString();
    rs.ChiudiRecordset(k);
    return v;
  }
  long Conta(const std::string& dove) { return std::stol(Valore("Select count(*) as N from " + dove)); }
  std::string Stato(long numRif) {
    return Valore("Select Stato from DdtTest Where Anno = 2026 AND NumRif = " + std::to_string(numRif), "Stato");
  }
  double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }
  bool MessaggioCon(const std::string& parte) {
    for (const auto& m : messaggi_)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }
  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    risposte_.clear();
    SetUp();
  }
  // The DDT's lock as the line window's opening takes it.
  void BloccaDdt(long numRif) {
    std::string chiave = "Standard", utente, gestione = "D", varie;
    int16_t nuovo = -1;
    ASSERT_EQ(ComLock::BloccaDoc("7", "D", 2026, numRif, nuovo, -1, chiave, "Il DDT", utente, gestione, varie), 0);
  }
};

// ------------------------------------------------------- the line window's inputs

TEST_F(Documento, TheLineWindowGetsTheHeaderAsItStands) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.osParam = "/RO";
  const ParDettaglio p = f.PreparaParDettaglio(1);
  EXPECT_EQ(p.osAnno, "2026");
  EXPECT_EQ(p.osNumRif, f.txt(10).Text());
  EXPECT_EQ(p.osFattDocum, f.txt(40).Text());
  EXPECT_EQ(p.osLabFattDocum, f.lab(40).Caption());
  EXPECT_EQ(p.osIntest, f.txt(80).Text());
  EXPECT_EQ(p.osIntRagSoc, f.lab(80).Caption());
  EXPECT_FALSE(p.osIntRagSoc.empty());
  EXPECT_EQ(p.osListino, f.txt(200).Text());
  EXPECT_EQ(p.osMoneta, f.txt(400).Text());
  EXPECT_TRUE(p.osRiferimClie.empty());
  EXPECT_TRUE(p.osIva.empty());
  EXPECT_EQ(p.osParam, "/RO");
  EXPECT_EQ(p.oiGestDupl, 1);
  EXPECT_EQ(p.oiAggTest, 0);
  EXPECT_EQ(p.osTipoMov, f.msMagCausale);
  EXPECT_EQ(p.osKeySec, "w1");
  EXPECT_EQ(p.oiAbilRW, 1);
  // The window as a sub-window sees it: the same header members.
  ProtSottoForm& prot = f.ProtDettaglio();
  EXPECT_EQ(prot.DatiTestata().osIntRagSoc, p.osIntRagSoc);
  prot.PostoSottoForm(10, 20, 300, 400);
  EXPECT_EQ(f.olFormDettLeft, 10);
  EXPECT_EQ(f.olFormDettHeight, 400);
}

TEST_F(Documento, TheNoEcoFeeListMatchesWholeCodes) {
  struct Caso {
    const char* elenco;
    const char* causale;
    bool atteso;
  };
  const Caso casi[] = {{"B2,", "B2", true},     {"B2,", "B", false},   {"B2,", "2", false},
                       {"VEN, RES,", "res", true}, {"VEN,RES", "RES", true}, {"VEN,", "", false},
                       {"", "VEN", false}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.elenco) + " / " + c.causale);
    f.msNoRaeeAutom = c.elenco;
    f.msMagCausale = c.causale;
    EXPECT_EQ(f.PreparaParDettaglio(0).obNoRaeeAutom, c.atteso);
  }
}

TEST_F(Documento, WithholdingSerialNumbersAndReadOnlyFollowTheHeader) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const struct {
    const char* ritenuta;
    const char* soggetto;
  } ritenute[] = {{"", "N"}, {"0", "N"}, {"4", "S"}, {"20,5", "S"}};
  for (const auto& c : ritenute) {
    f.txt(275).SetText(c.ritenuta);
    EXPECT_EQ(f.PreparaParDettaglio(0).osSoggRitAcc, c.soggetto) << c.ritenuta;
  }
  const struct {
    const char* tipOpe;
    bool gestite, atteso;
  } matricole[] = {{"", true, false}, {"S", true, true}, {"S", false, false}};
  for (const auto& c : matricole) {
    f.msMatrTipOpe = c.tipOpe;
    f.mbMatrGest = c.gestite;
    EXPECT_EQ(f.PreparaParDettaglio(0).obMatrGest, c.atteso) << c.tipOpe << c.gestite;
  }
  f.txt(110).SetText("e");
  EXPECT_EQ(f.PreparaParDettaglio(0).oiAbilRW, 0);
  f.txt(110).SetText("S");
  EXPECT_EQ(f.PreparaParDettaglio(0).oiAbilRW, 1);
  f.oiAbilRW = 0;
  EXPECT_EQ(f.PreparaParDettaglio(0).oiAbilRW, 0);
}

TEST_F(Documento, TheZoneDiscountsOnlyWithDiscountsByZone) {
  Sql("Update Zona Set Sconto = 3, ScontoLire = 5000 Where Zona = 'NE'");
  const struct {
    const char* scoZona;
    const char* zona;
    double sconto, scontoLire;
  } casi[] = {{"S", "NE", 3, 5000}, {"s", "ne", 3, 5000}, {"N", "NE", 0, 0}, {"S", "", 0, 0}, {"S", "XX", 0, 0}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.scoZona) + "/" + c.zona);
    G().gsScoZona = c.scoZona;
    f.odZonaSconto = f.odZonaScontoLire = 99;
    f.txt(570).SetText(c.zona);
    f.PreparaParDettaglio(0);
    EXPECT_EQ(f.osZona, c.zona);
    EXPECT_DOUBLE_EQ(f.odZonaSconto, c.sconto);
    EXPECT_DOUBLE_EQ(f.odZonaScontoLire, c.scontoLire);
  }
}

// ------------------------------------------------------- opening the lines

TEST_F(Documento, OpeningTheLinesStopsAtTheRefusalsAndLeavesNoLock) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  int16_t dupl = 1;
  f.GestDettaglio(false, dupl);
  ASSERT_TRUE(f.mpParDett);
  EXPECT_EQ(f.mpParDett->oiGestDupl, 1);
  // The lines open under the lock; closed, they give it back.
  ASSERT_TRUE(RigheAperte());
  EXPECT_EQ(frmDDTDett::Istanza().oiGestDupl, 1);
  EXPECT_EQ(f.oiInDett, 1);
  EXPECT_EQ(Conta("LockGest"), 1);
  frmDDTDett::Istanza().Unload();
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Conta("LockGest"), 0);

  // A line window already open: nothing at all.
  messaggi_.clear();
  f.mpParDett.reset();
  f.oiInDett = 1;
  f.GestDettaglio(false, dupl);
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_FALSE(f.mpParDett);
  f.oiInDett = -1;

  // Unsaved changes whose save is refused: nothing opens.
  f.txt(110).SetText("E");
  ASSERT_TRUE(f.InVar());
  messaggi_.clear();
  f.GestDettaglio(false, dupl);
  EXPECT_TRUE(MessaggioCon("Impossibile Salvare Ddt con stato")) << vb::Join(messaggi_, " / ");
  EXPECT_FALSE(RigheAperte());
  EXPECT_EQ(Conta("LockGest"), 0);
  EXPECT_FALSE(f.mpParDett);
  EXPECT_EQ(Stato(demo::kDdtModificabile), "");
}

TEST_F(Documento, OpeningTheLinesSavesTheHeaderFirst) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(90).SetText("ORD-77");
  ASSERT_TRUE(f.InVar());
  int16_t dupl = 0;
  f.GestDettaglio(false, dupl);
  EXPECT_FALSE(f.InVar());
  EXPECT_EQ(Valore("Select RifCli from DdtTest Where Anno = 2026 AND NumRif = 3", "RifCli"), "ORD-77");
  ASSERT_TRUE(RigheAperte());
  EXPECT_EQ(Conta("LockGest"), 1);
  frmDDTDett::Istanza().Unload();
  EXPECT_EQ(Conta("LockGest"), 0);
}

// ------------------------------------------------------- back from the lines

TEST_F(Documento, TheReturnFromTheLinesRefreshesSavesAndReleasesByItsOutcome) {
  const struct {
    bool agg, ok, aggPiede;
    bool ricalcolato, sbloccato;
  } casi[] = {
      {true, true, false, true, true},    // lines written back
      {false, true, true, true, true},    // nothing written, a footer refresh pending
      {false, true, false, false, true},  // left without changes
      {true, false, false, false, false}, // the write-back failed: the lock stays
      {false, false, true, false, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::to_string(c.agg) + std::to_string(c.ok) + std::to_string(c.aggPiede));
    Riparti();
    Sql("Update DdtTest Set TotDocum = 1 Where Anno = 2026 AND NumRif = 3");
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    BloccaDdt(demo::kDdtModificabile);
    f.oiInDett = 1;
    f.olPosDett = 5;
    f.SetEnabled(false);
    f.mbAggPiedeDopo = c.aggPiede;
    f.ProtDettaglio().DopoSottoForm(c.agg, c.ok);
    EXPECT_TRUE(f.Enabled());
    EXPECT_EQ(f.oiInDett, -1);
    EXPECT_EQ(f.olPosDett, -1);
    EXPECT_FALSE(f.mbAggPiedeDopo);
    EXPECT_EQ(Conta("LockGest"), c.sbloccato ? 0 : 1);
    const double totale = Numero(Valore("Select TotDocum from DdtTest Where Anno = 2026 AND NumRif = 3", "TotDocum"));
    EXPECT_DOUBLE_EQ(totale, c.ricalcolato ? demo::kTotaliDdtModificabile.documento : 1.0);
    if (c.ricalcolato) {
      EXPECT_FALSE(f.InVar());
    }
  }
}

TEST_F(Documento, ThePackagesAfterTheLinesFollowTheSetting) {
  for (const char* ricalc : {"N", "C", "q"}) {
    SCOPED_TRACE(ricalc);
    Riparti();
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    BloccaDdt(demo::kDdtModificabile);
    f.txt(1180).SetText("7");
    f.msRicalcColli = ricalc;
    f.oiInDett = 1;
    f.DopoGestDettaglio(true, true);
    const vb::Variant colli = f.CalcTotColli();
    const std::string attesi = std::string(ricalc) == "N" ? "7"
                               : colli.IsEmpty() || colli.IsNull() ? ""
                                                                   : colli.ToString();
    EXPECT_EQ(f.txt(1180).Text(), attesi);
  }
}

// ------------------------------------------------------- restore of a printed DDT

TEST_F(Documento, TheRestoreRefusesUnsavedChangesAndKeepsThem) {
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  f.txt(90).SetText("DA TENERE");
  ASSERT_TRUE(f.InVar());
  f.Ripristino();
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Salvare la testata prima di ripristinare il DDT stampato");
  EXPECT_EQ(f.txt(90).Text(), "DA TENERE");
  EXPECT_TRUE(f.InVar());
  EXPECT_EQ(Stato(demo::kDdtStampato), "S");
}

// "Annulla" leaves the printed DDT as it is; "&Ok" takes it back to
// editable, its warehouse movement reversed and gone, and shows it so.
TEST_F(Documento, TheRestoreAnsweredOkLeavesTheDdtEditableWithoutItsMovement) {
  for (int risposta : {2, 1}) {
    SCOPED_TRACE(risposta);
    Riparti();
    frmDdtTest& f = Mostra(demo::kDdtStampato);
    risposte_ = {risposta};
    f.Ripristino();
    EXPECT_EQ(messaggi_.front(), "Confermi ripristino del DDT da stato stampato");
    EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
    EXPECT_EQ(Stato(demo::kDdtStampato), risposta == 1 ? "" : "S");
    EXPECT_EQ(Conta("MovMagTes Where NumReg = " + std::to_string(demo::kMovDdtStampato)), risposta == 1 ? 0 : 1);
    EXPECT_EQ(Conta("LockGest"), 0);
    if (risposta == 1) {
      EXPECT_EQ(f.txt(110).Text(), "");
    }
  }
}

// ------------------------------------------------------- undo of an evasion

TEST_F(Documento, TheEvasionUndoRefusesBeforeTouchingAnything) {
  frmDdtTest& f = Mostra(demo::kDdtEvaso);
  f.txt(90).SetText("X");
  f.RipEvasione();
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Salvare la testata prima di ripristinare evasione"});
  Riparti();
  // The invoice is still there, even when its page was never shown.
  frmDdtTest& g = Mostra(demo::kDdtEvaso);
  g.RipEvasione();
  EXPECT_TRUE(MessaggioCon("Non è possibile annullare l'evasione"));
  EXPECT_EQ(Stato(demo::kDdtEvaso), "E");
  // Answered "Annulla".
  messaggi_.clear();
  risposte_ = {2};
  g.RipEvasione();
  EXPECT_EQ(messaggi_.size(), 1u);
}

class Evasione : public Documento {
 protected:
  // The evaded DDT without its invoice, with or without a return movement.
  frmDdtTest& Evaso(long movimento) {
    Sql("Delete from FatDett Where TipoProv = 'D' AND AnnoRifProv = 2026 AND NumRifProv = 1");
    Sql("Delete from FatAccum Where DDTAnno = 2026 AND DDTNumRif = 1");
    if (movimento > 0) {
      Sql("Insert into MovMagTes (Anno, NumReg, MagCausale) values (2026, " + std::to_string(movimento) + ", 'RES')");
      Sql("Update DdtTest Set NumMovimRientro = " + std::to_string(movimento) +
          ", AnnoMovimRientro = 2026 Where Anno = 2026 AND NumRif = 1");
    }
    frmDdtTest& f = Mostra(demo::kDdtEvaso);
    f.C("tolComPag").Elem("RipEvasione").Visible = true;
    return f;
  }
  long Movimento(long n) { return Conta("MovMagTes Where Anno = 2026 AND NumReg = " + std::to_string(n)); }
};

TEST_F(Evasione, WithoutAReturnMovementTheDdtGoesBackToPrinted) {
  frmDdtTest& f = Evaso(0);
  f.RipEvasione();
  EXPECT_EQ(Stato(demo::kDdtEvaso), "S") << vb::Join(messaggi_, " / ");
  EXPECT_FALSE(f.C("tolComPag").Elem("RipEvasione").Visible);
  EXPECT_FALSE(f.mbInRipEvasione);
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(Evasione, AReturnMovementIsReversedAndRemoved) {
  // The program's own reversal: a movement without rows goes at once, the
  // DDT back to printed, no lock left.
  frmDdtTest& f = Evaso(90);
  f.RipEvasione();
  EXPECT_FALSE(MessaggioCon("non è ancora disponibile"));
  EXPECT_EQ(Stato(demo::kDdtEvaso), "S");
  EXPECT_EQ(Movimento(90), 0);
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(Evasione, TheReturnMovementGoesOnlyWhenEveryRowWasReversed) {
  const struct {
    const char* taglie;
    int32_t livelli, dettaglio;
    bool rimosso;
    const char* chiamate;
  } casi[] = {{"S", 0, 0, true, "LD"}, {"N", 0, 0, true, "D"}, {"S", 3260, 0, false, "LD"},
              {"S", 0, 1, false, "LD"}, {"N", 7, 0, true, "D"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.taglie) + std::to_string(c.livelli) + std::to_string(c.dettaglio));
    Riparti();
    Param("Mag.GesTaglie", c.taglie);
    frmDdtTest& f = Evaso(90);
    std::string chiamate;
    long lockDurante = -1;
    f.mfDisAggMovim = [&](int16_t anno, int32_t num, const std::string& righe) {
      EXPECT_EQ(anno, 2026);
      EXPECT_EQ(num, 90);
      chiamate += righe;
      lockDurante = Conta("LockGest Where Tipo = 'M' AND NumReg = 90 AND Stato = '6' AND PadreTipo = 'D'");
      return righe == "L" ? c.livelli : c.dettaglio;
    };
    f.RipEvasione();
    EXPECT_EQ(chiamate, c.chiamate);
    EXPECT_EQ(lockDurante, 1);
    EXPECT_EQ(Movimento(90), c.rimosso ? 0 : 1);
    EXPECT_EQ(Stato(demo::kDdtEvaso), c.rimosso ? "S" : "E");
    EXPECT_EQ(Conta("LockGest"), 0);
  }
}

TEST_F(Evasione, AMovementInUseIsRetriedOrLeft) {
  Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) values ('M', 2026, 90, 'luigi', '0', '1')");
  frmDdtTest& f = Evaso(90);
  f.mfDisAggMovim = [](int16_t, int32_t, const std::string&) { return 0; };
  // "Riprova" once, then "Esci".
  risposte_ = {1, 1, 2};
  f.RipEvasione();
  EXPECT_EQ(std::count(messaggi_.begin(), messaggi_.end(), "Il Mov. Magazzino è in uso da luigi"), 2);
  EXPECT_EQ(Movimento(90), 1);
  EXPECT_EQ(Stato(demo::kDdtEvaso), "E");
  EXPECT_EQ(Conta("LockGest"), 1);

  // Released meanwhile by its user: "Riprova" goes on.
  messaggi_.clear();
  auto rispondi = backend_.rispondi;
  backend_.rispondi = [&](const std::string& testo, int& risposta) {
    rispondi(testo, risposta);
    if (testo.rfind("Il Mov. Magazzino è in uso", 0) == 0) Sql("Delete from LockGest Where Utente = 'luigi'");
  };
  risposte_ = {1, 1};
  f.RipEvasione();
  EXPECT_EQ(Movimento(90), 0);
  EXPECT_EQ(Stato(demo::kDdtEvaso), "S");
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(Evasione, ARemovalThatFailsReleasesTheMovementsLock) {
  frmDdtTest& f = Evaso(90);
  f.mfDisAggMovim = [](int16_t, int32_t, const std::string&) -> int32_t { vb::Solleva(3260, "Riga bloccata"); };
  int16_t anno = 2026;
  int32_t num = 90;
  EXPECT_FALSE(f.CancMovimRientro(anno, num));
  EXPECT_TRUE(MessaggioCon("Riga bloccata")) << vb::Join(messaggi_, " / ");
  EXPECT_EQ(Movimento(90), 1);
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(Evasione, ALockThatCannotBeTakenIsTold) {
  frmDdtTest& f = Evaso(90);
  f.mfDisAggMovim = [](int16_t, int32_t, const std::string&) { return 0; };
  Sql("Drop Table LockGest");
  int16_t anno = 2026;
  int32_t num = 90;
  EXPECT_FALSE(f.CancMovimRientro(anno, num));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore n°", 0), 0u) << messaggi_[0];
  EXPECT_NE(messaggi_[0].find(" in Movmag. n.rif 90 anno 2026 errore nel loccaggio del movimento di magazzino: "),
            std::string::npos)
      << messaggi_[0];
  EXPECT_EQ(Movimento(90), 1);
}

// ------------------------------------------------------- on the database server

class EvasioneServer : public Evasione {
 protected:
  void SetUp() override {
    Evasione::SetUp();
    ApriSuServer(server_);
  }
  void TearDown() override {
    Evasione::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
};

TEST_F(EvasioneServer, TheReturnMovementGoesWithItsLockOnTheServer) {
  SALTA_SENZA_SERVER();
  Param("Mag.GesTaglie", "S");
  frmDdtTest& f = Evaso(90);
  f.mfDisAggMovim = [](int16_t, int32_t, const std::string&) { return 0; };
  f.RipEvasione();
  EXPECT_EQ(Movimento(90), 0) << vb::Join(messaggi_, " / ");
  EXPECT_EQ(Stato(demo::kDdtEvaso), "S");
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(EvasioneServer, AFailedReversalKeepsTheMovementAndReleasesItsLock) {
  SALTA_SENZA_SERVER();
  Param("Mag.GesTaglie", "S");
  frmDdtTest& f = Evaso(90);
  f.mfDisAggMovim = [](int16_t, int32_t, const std::string& righe) { return righe == "D" ? 3197 : 0; };
  f.RipEvasione();
  EXPECT_EQ(Movimento(90), 1);
  EXPECT_EQ(Stato(demo::kDdtEvaso), "E");
  EXPECT_EQ(Conta("LockGest"), 0);
}

TEST_F(EvasioneServer, TheReturnFromTheLinesReleasesTheDdtOnTheServer) {
  SALTA_SENZA_SERVER();
  Sql("Update DdtTest Set TotDocum = 1 Where Anno = 2026 AND NumRif = 3");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  BloccaDdt(demo::kDdtModificabile);
  f.oiInDett = 1;
  f.DopoGestDettaglio(true, false);
  EXPECT_EQ(Conta("LockGest"), 1);
  f.oiInDett = 1;
  f.DopoGestDettaglio(true, true);
  EXPECT_EQ(Conta("LockGest"), 0);
  EXPECT_DOUBLE_EQ(Numero(Valore("Select TotDocum from DdtTest Where Anno = 2026 AND NumRif = 3", "TotDocum")),
                   demo::kTotaliDdtModificabile.documento);
}

}  // namespace

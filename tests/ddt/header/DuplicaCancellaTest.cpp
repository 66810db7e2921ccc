// Duplication and deletion of a DDT through the header window and its bar,
// on the demo company, in SQLite and (deletion under another's lock) on the
// test server.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/dati/Transazioni.h"
#include "services/ComLock.h"

namespace {

namespace demo = dati::demo;

// The window with its deletion and duplicate hooks reached by the bar
// through the names it calls, as the window's own hook dispatch does.
class FinestraDuplicaCancella : public frmDdtTest {
 public:
  vb::Variant ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) override {
    const bool prima = vb::UgualeTesto(n, "PersPagPri"), dopo = vb::UgualeTesto(n, "PersPagDop");
    if ((prima || dopo) && !a.empty()) {
      const int op = a[0].ToInt();
      a.resize(std::max<size_t>(a.size(), 2));
      if (prima && op == 16) return Cancella(a[1]);
      if (dopo && op == 16) {
        DopoCancella(a[1]);
        return vb::Variant(int16_t(0));
      }
      if (dopo && op == 17) {
        std::vector<vb::Variant> arr(a.begin() + 2, a.end());
        DopoDuplica(a[1], arr);
        return vb::Variant(int16_t(0));
      }
    }
    return frmDdtTest::ChiamaPerNome(n, a);
  }
};

class DuplicaCancella : public prova::TestataProva {
 protected:
  void TearDown() override {
    // The line window goes before the header that opened it.
    if (frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata()) frmDDTDett::Istanza().Unload();
    frmDDTDett::Rilascia();
    while (dati::LivelloTransWorkspace() > 0) dati::AnnullaTransWorkspace();
    ComLock::SbloccaDoc(nullptr, -1);
    TestataProva::TearDown();
  }

  frmDdtTest& Finestra() {
    f_ = std::make_unique<FinestraDuplicaCancella>();
    f_->SetosKeySec("w1");
    f_->Load();
    EXPECT_EQ(f_->oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    f_->Show();
    return *f_;
  }
  // The DDT of the demo year shown in the window, as the joined read
  // leaves it for the deletion (the lot operation of its document type and
  // the lot setting read at load).
  frmDdtTest& Mostra(long numRif, const char* lottoTipOpe = "S") {
    frmDdtTest& f = f_ ? *f_ : Finestra();
    if (f.ogComPag().oiFlagOpe() != 0) f.ogComPag().EseguiTasto("VarKey");
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(numRif));
    f.ogComPag().EseguiTasto("Ricerca");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
    f.msLottoTipOpe = lottoTipOpe;
    f.miTracQtaVer = 1;
    messaggi_.clear();
    return f;
  }
  long Conta(const std::string& tabella, const std::string& dove) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "",
                                           "Select Count(*) as N from " + tabella + " Where " + dove, false, 4);
    const long n = rs.LeggiCampo(k, "N").ToLong();
    rs.ChiudiRecordset(k);
    return n;
  }
  vb::Variant Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    vb::Variant v = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampo(k, "V");
    rs.ChiudiRecordset(k);
    return v;
  }
  static std::string Doc(long anno, long n, const char* col = "NumRif") {
    return "Anno = " + std::to_string(anno) + " And " + col + " = " + std::to_string(n);
  }
  // Rows of one DDT in every table a deletion touches.
  std::string Fotografia(long n) {
    std::string s;
    for (const char* t : {"DdtTest", "DdtDett", "DdtLiv", "DdtMatr", "DdtSpese"})
      s += std::string(t) + "=" + std::to_string(Conta(t, Doc(2026, n))) + " ";
    s += "DdtRintraccia=" + std::to_string(Conta("DdtRintraccia", Doc(2026, n, "NumReg"))) + " ";
    s += "QtaEvasa=" + Valore("Select QtaEvasa as V from OrdVenDett Where Anno = 2026 And NumRif = 1").ToString();
    s += " Lotto=" + Valore("Select Chiuso as V from Lotti Where Lotto = '" + std::string(demo::kLotto1) + "'")
                         .ToString();
    s += " Lock=" + std::to_string(Conta("LockGest", "1 = 1"));
    return s;
  }
  void NienteInSospeso() {
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_EQ(f_->ogComPag().TransPropria(), -1);
    EXPECT_TRUE(G().gsKeyRecLock.empty());
  }
};

// The editable DDT: its rows go, the order it came from gets its quantity
// back, its lot is evaluated again, all in one transaction with the header.
TEST_F(DuplicaCancella, DeletesAnEditableDdtWithItsRowsGivesBackAndEvaluatesTheLots) {
  // The lot wrongly closed: 24 loaded stay once the DDT's 6 are gone.
  Sql("Update Lotti Set Chiuso = 'C' Where Lotto = '" + std::string(demo::kLotto1) + "'");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  risposte_ = {1};
  EXPECT_TRUE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.front(), "Confermi cancellazione di questo Ddt\r\nE di tutti i relativi dettagli");
  EXPECT_EQ(Fotografia(demo::kDdtModificabile),
            "DdtTest=0 DdtDett=0 DdtLiv=0 DdtMatr=0 DdtSpese=0 DdtRintraccia=0 QtaEvasa=0 Lotto=A Lock=0");
  EXPECT_EQ(Valore("Select StatoRiga as V from OrdVenDett Where Anno = 2026 And NumRif = 1").ToString(), "");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 0);
  NienteInSospeso();
  // The other DDTs are all there.
  EXPECT_EQ(Conta("DdtTest", "1 = 1"), 3);
}

TEST_F(DuplicaCancella, RefusesPrintedAndEvadedDdts) {
  struct Caso {
    long ddt;
    const char* messaggio;
  } casi[] = {
      {demo::kDdtStampato,
       "Impossibile Cancellare Ddt con stato Stampato\r\nPrima annullare la stampa con l'apposito comando"},
      {demo::kDdtEvaso, "Impossibile Cancellare Ddt con stato Evaso"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.ddt);
    frmDdtTest& f = Mostra(c.ddt);
    const std::string prima = Fotografia(c.ddt);
    EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
    ASSERT_EQ(messaggi_.size(), 1u);
    EXPECT_EQ(messaggi_[0], c.messaggio);
    EXPECT_EQ(Fotografia(c.ddt), prima);
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
    NienteInSospeso();
  }
}

TEST_F(DuplicaCancella, CancelledConfirmationChangesNothing) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const std::string prima = Fotografia(demo::kDdtModificabile);
  risposte_ = {2};
  EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(Fotografia(demo::kDdtModificabile), prima);
  NienteInSospeso();
}

// A DDT that loaded a lot since unloaded: the check explains and asks;
// "&Ok" refuses, "Proseguire con la cancellazione" goes on.
TEST_F(DuplicaCancella, TheLotStockCheckAsksBeforeDeletingALoad) {
  Sql("Update DdtRintraccia Set TipOpe = 'C' Where Anno = 2026 And NumReg = 3");
  Sql(std::string("Insert Into DdtTest (Anno, NumRif, MagazzProv) Values (2026, 20, '") + demo::kMagCentrale + "')");
  Sql(std::string("Insert Into DdtRintraccia (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor,"
                  " ContoCliFor, Lotto, NrProgLotto, Qta, TipOpe) Values (2026, 20, 1, '") +
      demo::kArticoloLotti + "', '" + demo::kGruppoFornitori + "', '" + demo::kMastroFornitori + "', '" +
      demo::kFornitore2 + "', '" + demo::kLotto1 + "', 1, 27, 'S')");
  frmDdtTest& f = Mostra(demo::kDdtModificabile, "C");
  const std::string prima = Fotografia(demo::kDdtModificabile);
  risposte_ = {1};
  EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Quantità caricata insufficiente per gli scarichi richiesti\r\nArticolo: " +
                              std::string(demo::kArticoloLotti) + " - Lotto: " + demo::kLotto1 +
                              "\r\nQuantità disponibile dopo la cancellazione: -3");
  EXPECT_EQ(Fotografia(demo::kDdtModificabile), prima);
  NienteInSospeso();
  // Going on past the check, the DDT goes.
  messaggi_.clear();
  risposte_ = {2, 1};
  EXPECT_TRUE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(messaggi_.size(), 2u);
  EXPECT_EQ(Conta("DdtTest", Doc(2026, demo::kDdtModificabile)), 0);
  NienteInSospeso();
}

// A lock the window kept (a duplicate whose line window did not open) is
// neither taken for this DDT's nor read as someone else's.
TEST_F(DuplicaCancella, ALeftOverLockOfTheWindowDoesNotStandInTheWay) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  int16_t nuovo = -1;
  std::string chiave = "Standard", utente, gestione = "D", varie;
  ASSERT_EQ(ComLock::BloccaDoc("P", "D", 2026, demo::kDdtModificabile, nuovo, -1, chiave, "Il DDT", utente, gestione,
                               varie),
            0);
  risposte_ = {1};
  EXPECT_TRUE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(Conta("DdtTest", Doc(2026, demo::kDdtModificabile)), 0);
  EXPECT_EQ(Conta("LockGest", "1 = 1"), 0);
  NienteInSospeso();
}

// The window's own dispatch of the after hook ends the deletion's
// transaction, whatever the after hook of 16 does besides.
TEST_F(DuplicaCancella, TheAfterHookDispatchCommitsTheDeletion) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  risposte_ = {1};
  vb::Variant rit = "";
  ASSERT_EQ(f.Cancella(rit).ToLong(), 0);
  EXPECT_EQ(f.ogComPag().TransPropria(), 0);
  EXPECT_EQ(dati::LivelloTransWorkspace(), 1);
  Sql("Delete from DdtTest Where Anno = 2026 And NumRif = 3");  // the bar's part
  std::vector<vb::Variant> a = {vb::Variant(int16_t(16)), vb::Variant("")};
  f.frmDdtTest::ChiamaPerNome("PersPagDop", a);
  NienteInSospeso();
  EXPECT_EQ(Conta("DdtTest", Doc(2026, 3)), 0);
  EXPECT_EQ(Conta("DdtDett", Doc(2026, 3)), 0);
  EXPECT_EQ(Conta("LockGest", "1 = 1"), 0);
}

// Whatever stops the deletion once the DDT is locked, nothing of it stays:
// the user declining at the give-back, the give-back done and then the rows
// failing to go (a table that cannot be emptied).
TEST_F(DuplicaCancella, AStopOrAFailureAfterTheLockChangesNothing) {
  Sql("Delete from OrdVenTest Where Anno = 2026 And NumRif = 1");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  const std::string prima = Fotografia(demo::kDdtModificabile);
  risposte_ = {1, 2};  // confirm, then "NO" to the missing sources
  EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(messaggi_.back(),
            "Attenzione, alcuni documenti di provenienza sono stati cancellati\r\nContinuo con la cancellazione?");
  EXPECT_EQ(Fotografia(demo::kDdtModificabile), prima);
  NienteInSospeso();

  Sql("Insert Into OrdVenTest (Anno, NumRif, OrdAperto) Values (2026, 1, 'N')");
  G().gsTabMatr = "TabellaCheNonEsiste";
  messaggi_.clear();
  risposte_ = {1};
  EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  // The order had been given back inside the transaction: back to 6.
  EXPECT_EQ(Fotografia(demo::kDdtModificabile), prima);
  NienteInSospeso();
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
}

// Some sources gone and the user goes on: the ones still there are given
// back all the same.
TEST_F(DuplicaCancella, AfterSiTheExistingSourcesAreGivenBack) {
  Sql("Insert Into OrdVenTest (Anno, NumRif, OrdAperto, Stato) Values (2026, 2, 'N', 'P')");
  Sql(std::string("Insert Into OrdVenDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, QtaEvasa,"
                  " StatoRiga) Values (2026, 2, 1, 1, 'A', '") + demo::kArticoloLotti + "', 5, 2, 'P')");
  Sql(std::string("Insert Into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, TipoProv,"
                  " AnnoRifProv, NumRifProv, RigaRifProv, QtaProv) Values (2026, 3, 4, 5, 'A', '") +
      demo::kArticoloLotti + "', 2, 'O', 2026, 2, 1, 2)");
  Sql("Delete from OrdVenTest Where Anno = 2026 And NumRif = 1");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  risposte_ = {1, 1};
  EXPECT_TRUE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(Valore("Select QtaEvasa as V from OrdVenDett Where Anno = 2026 And NumRif = 2").ToDouble(), 0);
  EXPECT_EQ(Conta("DdtTest", Doc(2026, demo::kDdtModificabile)), 0);
  NienteInSospeso();
}

// Deleting a DDT that another program holds: its in-use message, nothing
// changed, the other's lock left alone. On SQLite and on the test server.
class CancellaInUso : public DuplicaCancella, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    DuplicaCancella::SetUp();
    if (!GetParam()) return;
    if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
    server_ = std::make_unique<prova::DatabaseServer>();
    auto db = std::make_shared<dati::GestDatabase>();
    const std::string k = db->ApriDatabase("", 0, false, false, server_->Connessione());
    dati::CreaSchema(db->Motore(k), dati::SchemaDitta());
    dati::CreaDittaDemo(*db, k);
    G().goDbAzienda = db;
    G().gsConnAzienda = k;
    altro_ = std::make_shared<dati::GestDatabase>();
    chiaveAltro_ = altro_->ApriDatabase("", 0, false, false, server_->Connessione());
  }
  void TearDown() override {
    DuplicaCancella::TearDown();
    altro_.reset();
    server_.reset();
  }
  // The other program's lock, from a connection of its own.
  void BloccoAltrui() {
    if (!GetParam()) {
      altro_ = std::make_shared<dati::GestDatabase>();
      chiaveAltro_ = altro_->ApriDatabase(dir_.Percorso("ditta.db"));
    }
    altro_->EseguiSql(chiaveAltro_, "Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) "
                                    "Values ('D', 2026, 3, 'luigi', '7', 'D')");
  }
  std::unique_ptr<prova::DatabaseServer> server_;
  std::shared_ptr<dati::GestDatabase> altro_;
  std::string chiaveAltro_;
};

TEST_P(CancellaInUso, GivesTheInUseMessageAndChangesNothing) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  BloccoAltrui();
  const std::string prima = Fotografia(demo::kDdtModificabile);
  risposte_ = {1};
  EXPECT_FALSE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  ASSERT_GE(messaggi_.size(), 3u);
  EXPECT_NE(messaggi_[1].find("è in uso da:\r\nluigi"), std::string::npos) << messaggi_[1];
  EXPECT_EQ(messaggi_[2], "Documento in uso da altro utente: Non è possibile proseguire con la cancellazione ");
  EXPECT_EQ(Fotografia(demo::kDdtModificabile), prima);
  EXPECT_EQ(Conta("LockGest", "Utente = 'luigi'"), 1);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  NienteInSospeso();
  // Once the other program lets go, the deletion runs.
  altro_->EseguiSql(chiaveAltro_, "Delete from LockGest");
  messaggi_.clear();
  risposte_ = {1};
  EXPECT_TRUE(f.ogComPag().EseguiTasto("Cancella").ToString().empty());
  EXPECT_EQ(Conta("DdtTest", Doc(2026, demo::kDdtModificabile)), 0);
  EXPECT_EQ(Conta("DdtDett", Doc(2026, demo::kDdtModificabile)), 0);
  NienteInSospeso();
}

INSTANTIATE_TEST_SUITE_P(Motori, CancellaInUso, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? std::string("Server") : std::string("SQLite"); });

// ---- duplication

TEST_F(DuplicaCancella, CancelledConfirmationLeavesTheBarAlone) {
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  risposte_ = {2};
  EXPECT_FALSE(f.ConfermaDupl());
  EXPECT_EQ(messaggi_.back(), "Confermi duplicazione del DDT");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
}

// The two steps of the bar with the window's hooks: the copy of the header
// is numbered in the working year, cleared of the old document's data; the
// stored copy gets the source's lines and levels in the working tables and
// its expenses, under its lock.
TEST_F(DuplicaCancella, DuplicatesLinesLevelsAndExpensesNumberedInTheWorkingYear) {
  G().gtDataLavoro = vb::Date::FromYmd(2027, 1, 8);
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  risposte_ = {1};
  ASSERT_TRUE(f.ConfermaDupl());
  EXPECT_EQ(f.miAnnoDuplOrig, 2026);
  EXPECT_EQ(f.mlNumRifDuplOrig, demo::kDdtStampato);
  f.ogComPag().EseguiTasto("Duplica");
  // First step: the copy, not stored yet.
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 3);
  EXPECT_EQ(f.txt(20).Text(), "2027");
  // The number of the working year (2027 has no DDT yet), not of the
  // source's year (2026 holds 1 to 4). Until the window's numbering is
  // built, the number is put in by hand and only the rest is checked.
  if (f.RicUltNum(0) != 0) EXPECT_EQ(f.txt(10).Text(), "1");
  else f.txt(10).SetText("1");
  EXPECT_EQ(f.txt(30).Text(), "08/01/2027");
  EXPECT_EQ(f.txt(110).Text(), "");
  EXPECT_EQ(f.txt(60).Text(), "");
  EXPECT_EQ(f.txt(70).Text(), "");
  EXPECT_EQ(f.lab(195).Text(), "0");
  EXPECT_EQ(f.lab(190).Text(), "");
  EXPECT_EQ(f.miDuplInCorso, 1);
  EXPECT_TRUE(f.C("TimDupl").Enabled());
  // The timer's command: the bar stores the copy (second step).
  f.C("TimDupl").SetEnabled(false);
  f.ogComPag().EseguiTasto("Duplica");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_EQ(Conta("DdtTest", Doc(2027, 1) + " And Stato Is Null And NumDoc Is Null"), 1);
  EXPECT_EQ(Conta("DdtDettApp", Doc(2027, 1)), Conta("DdtDett", Doc(2026, demo::kDdtStampato)));
  EXPECT_EQ(Conta("DdtLivApp", Doc(2027, 1)), 5);
  EXPECT_EQ(Conta("DdtLivApp", Doc(2027, 1) + " And RigLivOrig = 0 And QtaProv Is Null"), 5);
  EXPECT_EQ(Conta("DdtSpese", Doc(2027, 1)), 1);
  EXPECT_EQ(Conta("DdtMatrApp", Doc(2027, 1)), 0);
  // The new DDT locked for its line window, in state "P".
  EXPECT_EQ(Valore("Select Stato as V from LockGest Where " + Doc(2027, 1, "NumReg")).ToString(), "P");
  // The source untouched.
  EXPECT_EQ(Conta("DdtTest", Doc(2026, demo::kDdtStampato) + " And Stato = 'S'"), 1);
  // The lines of the copy open on those working rows, as a duplicate's.
  ASSERT_TRUE(frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata());
  frmDDTDett& d = frmDDTDett::Istanza();
  EXPECT_EQ(d.oiGestDupl, 1);
  EXPECT_EQ(d.txt(600).Text(), "2027");
  EXPECT_EQ(d.txt(610).Text(), "1");
  EXPECT_EQ(f.oiInDett, 1);
  // Closed, the copy's lines are committed even untouched, and the lock goes.
  d.Unload();
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Conta("DdtDett", Doc(2027, 1)), Conta("DdtDett", Doc(2026, demo::kDdtStampato)));
  EXPECT_EQ(Conta("DdtLiv", Doc(2027, 1)), 5);
  EXPECT_EQ(Conta("DdtDettApp", Doc(2027, 1)), 0);
  EXPECT_EQ(Conta("DdtLivApp", Doc(2027, 1)), 0);
  EXPECT_EQ(Conta("LockGest", Doc(2027, 1, "NumReg")), 0);
}

// A copy that fails: the new header stays alone, no working row and no
// lock of it remain, the user is told; the line window does not open on
// lines without their levels.
TEST_F(DuplicaCancella, AFailedLineOrLevelCopyLeavesNoWorkingRowsNorLock) {
  struct Caso {
    const char* nome;
    std::string Globali::*tabella;
    const char* messaggio;
  } casi[] = {
      {"lines", &Globali::gsTabDettApp, "Copia delle righe non riuscita: il nuovo DDT 9/2026 è stato salvato senza righe"},
      {"levels", &Globali::gsTabLivApp, "Copia dei livelli non riuscita: il nuovo DDT 9/2026 è stato salvato senza righe"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    frmDdtTest& f = Mostra(demo::kDdtStampato);
    f.miAnnoDuplOrig = 2026;
    f.mlNumRifDuplOrig = demo::kDdtStampato;
    f.txt(20).SetText("2026");
    f.txt(10).SetText("9");
    const std::string vera = G().*c.tabella;
    G().*c.tabella = "TabellaCheNonEsiste";
    EXPECT_FALSE(f.DuplRigheDett());
    G().*c.tabella = vera;
    ASSERT_FALSE(messaggi_.empty());
    EXPECT_EQ(messaggi_.back(), c.messaggio);
    EXPECT_EQ(Conta("DdtDettApp", Doc(2026, 9)), 0);
    EXPECT_EQ(Conta("DdtLivApp", Doc(2026, 9)), 0);
    EXPECT_EQ(Conta("LockGest", "1 = 1"), 0);
    EXPECT_TRUE(G().gsKeyRecLock.empty());
  }
}

TEST_F(DuplicaCancella, TheNewDdtInUseCopiesNothing) {
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  f.miAnnoDuplOrig = 2026;
  f.mlNumRifDuplOrig = demo::kDdtStampato;
  f.txt(20).SetText("2026");
  f.txt(10).SetText("9");
  Sql("Insert Into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 9, 'luigi', '7', 'D')");
  EXPECT_FALSE(f.DuplRigheDett());
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_NE(messaggi_.back().find("luigi"), std::string::npos);
  EXPECT_EQ(Conta("DdtDettApp", Doc(2026, 9)), 0);
  EXPECT_EQ(Conta("DdtSpese", Doc(2026, 9)), 0);
  EXPECT_EQ(Conta("LockGest", "1 = 1"), 1);
}

TEST_F(DuplicaCancella, TheTimerActsOnlyForADuplicateAndOnce) {
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  f.C("TimDupl").SetEnabled(true);
  f.miDuplInCorso = 0;
  f.TimDupl_Timer();
  EXPECT_FALSE(f.C("TimDupl").Enabled());
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
}

}  // namespace

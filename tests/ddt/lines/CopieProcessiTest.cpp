// The working copies of the lines with several programs at once, each a
// process of its own with its own connection, on a SQLite file and on the
// test server: two DDTs edited and committed in turns share the working
// tables without touching each other's rows; a third program is refused
// before it changes anything; a program killed in the middle of its commit
// leaves the committed lines whole, and its lock keeps the DDT closed until
// the lock row is removed.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/header/DittaSuMotore.h"
#include "platform/MsgBox.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DittaProva.h"
#include "services/LatoMenu.h"
#include "services/UtilDocFattGest.h"
#include "support/Processi.h"

namespace {

using prova::Motore;

bool Scrivi(int fd, char x) { return write(fd, &x, 1) == 1; }
bool Leggi(int fd) {
  char x;
  return read(fd, &x, 1) == 1;
}

class CopieProcessi : public prova::DittaSuMotore {
 protected:
  CopieProcessi() : DittaSuMotore("copieproc") {}
  void TearDown() override {
    controllo_.reset();
    ComLock::SbloccaDoc(nullptr, -1);
    if (msgPrec_) vb::ImpostaGestoreMsgBox(*msgPrec_);
    ui::ImpostaBackend(nullptr);
    servizi::ImpostaLatoMenu({});
    AzzeraGlobali();
  }

  // A program of the suite for `utente`: its own connection, the messages
  // collected in `messaggi`.
  void Programma(const std::string& utente, std::vector<std::string>& messaggi) {
    AzzeraGlobali();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = Apri(*db);
    G().goDbAzienda = db;
    auto prec = vb::ImpostaGestoreMsgBox([&messaggi](const std::string& testo, int, const std::string&) {
      messaggi.push_back(testo);
      return int(vb::vbOK);
    });
    if (!msgPrec_) msgPrec_ = prec;
    backend_.rispondi = [&messaggi](const std::string& testo, int&) { messaggi.push_back(testo); };
    ui::ImpostaBackend(&backend_);
    servizi::ImpostaLatoMenu({[utente] { return utente; }, {}, {}});
  }
  void Sql(const std::string& sql) { G().goDbAzienda->EseguiSql(G().gsConnAzienda, sql); }
  bool ApriRighe(long doc) {
    std::string chiave = "Standard";
    return UtilDocFattGest::PrepDocApp("D", "Il DDT", 2026, doc, vb::Variant("D"), 0, chiave).ToBool();
  }
  // The line window closing with saving: commit, clear, unlock.
  bool Chiudi(long doc) {
    std::string chiave = "Standard";
    if (!UtilDocFattGest::SalvaDocApp(2026, doc, chiave).ToBool()) return false;
    const Globali& g = G();
    UtilDocFattGest::SvuotaApp(2026, doc, g.gsTabDettApp, g.gsTabLivApp, vb::Missing, true, g.gsTabMatrApp,
                               g.gsTabRintracciaApp);
    ComLock::SbloccaDoc(nullptr, -1);
    return true;
  }
  // The user's changes: quantities of lines and level rows.
  void Modifica(long doc, int piu) {
    const std::string d = " Where Anno = 2026 And NumRif = " + std::to_string(doc);
    Sql("Update DdtDettApp Set Qta = Qta + " + std::to_string(piu) + d);
    Sql("Update DdtLivApp Set Qta = Qta + " + std::to_string(piu) + d);
  }

  // Reads through a connection of the test's own.
  std::string Testo(const std::string& sql) {
    if (!controllo_) {
      controllo_ = std::make_unique<dati::GestDatabase>();
      chiaveControllo_ = Apri(*controllo_);
    }
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*controllo_, chiaveControllo_, "", sql, false, 4);
    std::string v;
    for (; !rs.FineRec(r); rs.ProssimoRec(r)) v += rs.LeggiCampo(r, "T").ToString() + ";";
    rs.ChiudiRecordset(r);
    return v;
  }
  void Esegui(const std::string& sql, int opzioni = 0) {
    Testo("Select 1 As T from LockGest");
    controllo_->EseguiSql(chiaveControllo_, sql, opzioni);
  }
  // A DDT's rows in the four committed (or working) tables.
  std::string Documento(bool app, long doc) {
    const std::string a = app ? "App" : "", d = std::to_string(doc);
    return "L[" +
           Testo("Select RigDet & ':' & RigLiv & ':' & Articolo & ':' & Qta As T from DdtDett" + a +
                 " Where Anno = 2026 And NumRif = " + d + " Order By RigDet") +
           "]V[" +
           Testo("Select RigLiv & ':' & Livello1 & ':' & Livello2 & ':' & Qta As T from DdtLiv" + a +
                 " Where Anno = 2026 And NumRif = " + d + " Order By RigLiv, Livello1, Livello2") +
           "]M[" +
           Testo("Select RigLiv & ':' & Matricola As T from DdtMatr" + a + " Where Anno = 2026 And NumRif = " + d +
                 " Order By RigLiv, Matricola") +
           "]R[" +
           Testo("Select RigLiv & ':' & Lotto & ':' & Qta As T from DdtRintraccia" + a +
                 " Where Anno = 2026 And NumReg = " + d + " Order By RigLiv, Lotto") +
           "]";
  }
  std::string Blocchi() { return Testo("Select Utente & ':' & NumReg & ':' & Stato As T from LockGest"); }
  static bool Contiene(const std::vector<std::string>& messaggi, const std::string& parte) {
    for (const auto& m : messaggi)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }

  std::unique_ptr<dati::GestDatabase> controllo_;
  std::string chiaveControllo_;
  prova::BackendMessaggi backend_;
  std::optional<vb::GestoreMsgBox> msgPrec_;
};

const char* const kVuoto = "L[]V[]M[]R[]";

TEST_P(CopieProcessi, TwoProgramsCommitTwoDdtsInTurnsAndAThirdIsRefused) {
  const std::string prima2 = Documento(false, 2), prima3 = Documento(false, 3);
  ASSERT_NE(prima2.find("V[1"), std::string::npos) << prima2;
  controllo_.reset();
  int aperto[2], salva[2];
  ASSERT_EQ(pipe(aperto), 0);
  ASSERT_EQ(pipe(salva), 0);
  // Luigi's program: DDT 2's lines open and changed, committed when told.
  const pid_t p = prova::Figlio([&] {
    close(aperto[0]);
    close(salva[1]);
    std::vector<std::string> messaggi;
    Programma("luigi", messaggi);
    if (!ApriRighe(2)) return 101;
    Modifica(2, 10);
    if (!Scrivi(aperto[1], 'a')) return 102;
    if (!Leggi(salva[0])) return 103;
    if (!Chiudi(2)) return 104;
    return messaggi.empty() ? 0 : 105;
  });
  close(aperto[1]);
  close(salva[0]);
  ASSERT_TRUE(Leggi(aperto[0]));
  close(aperto[0]);
  const std::string lavoro2 = Documento(true, 2);
  ASSERT_NE(lavoro2, prima2);

  std::vector<std::string> messaggi;
  Programma("mario", messaggi);
  // A third opening of DDT 2 (Mario's): refused, Luigi's rows untouched.
  EXPECT_FALSE(ApriRighe(2));
  EXPECT_TRUE(Contiene(messaggi, "in uso da")) << (messaggi.empty() ? "" : messaggi[0]);
  EXPECT_TRUE(Contiene(messaggi, "luigi"));
  EXPECT_EQ(Documento(true, 2), lavoro2);
  EXPECT_EQ(Blocchi(), "luigi:2:7;");
  ComLock::SbloccaDoc(nullptr, -1);
  messaggi.clear();

  // Mario's DDT 3, beside Luigi's in the same working tables.
  ASSERT_TRUE(ApriRighe(3));
  EXPECT_EQ(Documento(true, 3), prima3);
  EXPECT_EQ(Documento(true, 2), lavoro2);
  Modifica(3, 100);
  const std::string lavoro3 = Documento(true, 3);
  ASSERT_TRUE(Chiudi(3));
  EXPECT_EQ(Documento(false, 3), lavoro3);
  EXPECT_EQ(Documento(true, 3), kVuoto);
  EXPECT_EQ(Documento(true, 2), lavoro2);
  EXPECT_EQ(Documento(false, 2), prima2);
  EXPECT_EQ(Blocchi(), "luigi:2:7;");

  // Luigi commits in his turn.
  ASSERT_TRUE(Scrivi(salva[1], 's'));
  close(salva[1]);
  ASSERT_EQ(prova::Attendi(p), 0);
  EXPECT_EQ(Documento(false, 2), lavoro2);
  EXPECT_EQ(Documento(true, 2), kVuoto);
  EXPECT_EQ(Documento(false, 3), lavoro3);
  EXPECT_EQ(Blocchi(), "");
  EXPECT_TRUE(messaggi.empty()) << messaggi[0];
}

TEST_P(CopieProcessi, AProgramKilledInsideItsCommitLeavesTheCommittedLinesWhole) {
  const bool server = GetParam() == Motore::Server;
  const std::string prima = Documento(false, 3);
  const std::string numeri = Testo("Select RigDet As T from DdtDett Where Anno = 2026 And NumRif = 3 Order By RigDet");
  ASSERT_EQ(numeri.substr(0, 4), "1;2;");
  // The committed lines take one line with a given DescPers4 only: the copy
  // back of the second line changed so stops with an error, whose message
  // the program is killed in.
  Esegui(server ? "CREATE UNIQUE INDEX ux_guasto ON ddtdett (descpers4)"
                : "CREATE UNIQUE INDEX ux_guasto ON DdtDett (DescPers4)",
         64);
  controllo_.reset();
  int segnale[2];
  ASSERT_EQ(pipe(segnale), 0);
  const pid_t p = prova::Figlio([&] {
    close(segnale[0]);
    std::vector<std::string> messaggi;
    Programma("mario", messaggi);
    const int fd = segnale[1];
    backend_.rispondi = [&messaggi, fd](const std::string& testo, int&) {
      messaggi.push_back(testo);
      if (testo.find("Errore") != std::string::npos) {
        if (!Scrivi(fd, 'k')) _exit(7);
        for (;;) pause();
      }
    };
    if (!ApriRighe(3)) return 101;
    Modifica(3, 5);
    Sql("Update DdtDettApp Set DescPers4 = 'x' Where Anno = 2026 And NumRif = 3");
    std::string chiave = "Standard";
    UtilDocFattGest::SalvaDocApp(2026, 3, chiave);
    return 102;  // never here: killed inside the commit
  });
  close(segnale[1]);
  ASSERT_TRUE(Leggi(segnale[0]));
  close(segnale[0]);
  ASSERT_EQ(kill(p, SIGKILL), 0);
  EXPECT_EQ(prova::Attendi(p), -1);

  EXPECT_EQ(Documento(false, 3), prima);
  const std::string lavoro = Documento(true, 3);
  EXPECT_NE(lavoro, prima);
  EXPECT_NE(lavoro.find("L[1:"), std::string::npos) << lavoro;
  EXPECT_EQ(Blocchi(), "mario:3:B;");
  Esegui(server ? "DROP INDEX ux_guasto" : "DROP INDEX ux_guasto", 64);

  // The next opening, by the same user too, is refused: nothing changes.
  std::vector<std::string> messaggi;
  Programma("mario", messaggi);
  EXPECT_FALSE(ApriRighe(3));
  EXPECT_TRUE(Contiene(messaggi, "in uso da")) << (messaggi.empty() ? "" : messaggi[0]);
  EXPECT_EQ(Documento(true, 3), lavoro);
  EXPECT_EQ(Documento(false, 3), prima);
  ComLock::SbloccaDoc(nullptr, -1);
  EXPECT_EQ(Blocchi(), "mario:3:B;");

  // The lock row removed (the recovery utility): the lines open again, as
  // they were committed, numbered 1..n.
  Esegui("Delete from LockGest");
  messaggi.clear();
  ASSERT_TRUE(ApriRighe(3));
  EXPECT_EQ(Documento(true, 3), prima);
  EXPECT_EQ(Testo("Select RigDet As T from DdtDettApp Where Anno = 2026 And NumRif = 3 Order By RigDet"), numeri);
  EXPECT_EQ(Blocchi(), "mario:3:7;");
  EXPECT_TRUE(messaggi.empty()) << messaggi[0];
}

INSTANTIATE_TEST_SUITE_P(Motori, CopieProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

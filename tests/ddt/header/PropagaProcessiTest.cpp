// A program killed while the save of a stored DDT carries its changes to
// the lines (the discounts already rewritten, the re-valuation after a new
// rate under way): its transaction dies with it, the header, lines and
// level rows are as before, and nothing of it holds the database. On a
// SQLite file and on the test server, each program a process of its own.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/DittaSuMotore.h"
#include "ddt/header/TestataProva.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/MsgBox.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"
#include "support/Processi.h"

namespace {

using prova::Motore;

// The backend of the program to be killed: at the third round of events
// of the busy window it tells the test and waits for its end.
class BackendInterrotto : public prova::BackendTestata {
 public:
  int segnale = -1;
  int giri = -1;
  void FormMostrata(ui::Form& f) override {
    prova::BackendTestata::FormMostrata(f);
    if (f.Name() == "frmInElab" && giri < 0) giri = 0;
  }
  void DoEvents() override {
    prova::BackendTestata::DoEvents();
    if (giri >= 0 && ++giri == 3) {
      const char x = 'k';
      if (write(segnale, &x, 1) != 1) _exit(7);
      for (;;) pause();
    }
  }
};

class PropagaProcessi : public prova::DittaSuMotore {
 protected:
  PropagaProcessi() : DittaSuMotore("propproc") {}
  void TearDown() override { AzzeraGlobali(); }


  std::string Fotografia() {
    dati::GestDatabase db;
    const std::string c = Apri(db);
    std::string out;
    auto righe = [&](const std::string& sql, const std::vector<std::string>& campi) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(db, c, "", sql, false, 4);
      for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
        for (const auto& n : campi) {
          const vb::Variant v = rs.LeggiCampoNull(k, n);
          out += (v.IsNull() ? std::string("<Null>") : v.ToString()) + "|";
        }
        out += "\n";
      }
      rs.ChiudiRecordset(k);
    };
    righe("Select * from DdtTest Where Anno = 2026 AND NumRif = 2", {"RifCli", "ScontoCli", "Cambio"});
    righe("Select * from DdtDett Where Anno = 2026 AND NumRif = 2 Order By RigDet",
          {"RigDet", "ScontoCli", "ScontoTot", "ValTotale", "ValLire", "ValEuro"});
    righe("Select * from DdtLiv Where Anno = 2026 AND NumRif = 2 Order By RigLiv, Livello1, Livello2",
          {"RigLiv", "Livello1", "ScontoTot", "ValTotale", "ValLire", "ValEuro"});
    db.ChiudiDatabase(c);
    return out;
  }

};

TEST_P(PropagaProcessi, AProgramKilledInsideTheAfterSaveChainLeavesTheRowsWhole) {
  const std::string prima = Fotografia();
  ASSERT_NE(prima.find("\n"), std::string::npos);
  int segnale[2];
  ASSERT_EQ(pipe(segnale), 0);
  const std::string conn = connessione_;
  const bool server = GetParam() == Motore::Server;
  const pid_t p = prova::Figlio([&] {
    close(segnale[0]);
    AzzeraGlobali();
    AziendaUtil::AzzeraArrotTabelle();
    auto db = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = server ? db->ApriDatabase("", 0, false, false, conn) : db->ApriDatabase(conn);
    G().goDbAzienda = db;
    G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
    G().gsGesTaglie = "S";
    G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
      return vb::UgualeTesto(nome, "Fat.DocDdt") ? vb::Variant(dati::demo::kDocDdt) : predefinito;
    };
    vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) { return int(vb::vbNo); });
    static BackendInterrotto backend;
    backend.segnale = segnale[1];
    backend.rispondi = [](const std::string&, int& risposta) { risposta = 1; };
    ui::ImpostaBackend(&backend);
    servizi::ImpostaLatoMenu({[] { return std::string("utente"); }, {}, {}});
    frmDdtTest f;
    f.SetosKeySec("w1");
    f.Load();
    if (f.oiLoadOk() != 1) return 101;
    f.Show();
    f.txt(20).SetText("2026");
    f.txt(10).SetText("2");
    f.ogComPag().EseguiTasto("Ricerca");
    if (f.ogComPag().oiFlagOpe() != 1) return 102;
    f.txt(240).SetText("15");
    f.txt(410).SetText("2");
    f.txt(90).SetText("interrotto");
    f.ogComPag().EseguiTasto("Salva");
    return 103;  // never here: killed inside the save
  });
  close(segnale[1]);
  char x = 0;
  ASSERT_EQ(read(segnale[0], &x, 1), 1) << "the program ended before the re-valuation";
  close(segnale[0]);
  ASSERT_EQ(kill(p, SIGKILL), 0);
  EXPECT_EQ(prova::Attendi(p), -1);

  EXPECT_EQ(Fotografia(), prima);
  // Nothing of it holds the database: another program writes at once.
  dati::GestDatabase db;
  const std::string k = Apri(db);
  db.EseguiSql(k, "Update DdtDett Set ScontoCli = '20' Where Anno = 2026 And NumRif = 2");
  db.EseguiSql(k, "Update DdtTest Set RifCli = 'dopo' Where Anno = 2026 And NumRif = 2");
  db.ChiudiDatabase(k);
  EXPECT_NE(Fotografia(), prima);
}

INSTANTIATE_TEST_SUITE_P(Motori, PropagaProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

// A program killed while it moves lines (between the two updates of a
// shift, and inside a paste): the committed rows are whole, only the
// working copies and the lock row are left, the next opening is refused by
// the lock, and once the lock row is gone the lines open numbered 1..n. The
// program is a process of its own that kills itself at the named point
// (DDT_ARRESTO_RIGHE), on a SQLite file and on the test server.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "ddt/header/DittaSuMotore.h"
#include "ddt/lines/NumeriProva.h"
#include "support/Processi.h"

namespace prova {
namespace {

class IncollaProcessi : public NumeriProva, public ::testing::WithParamInterface<Motore> {
 public:
  using NumeriProva::VaiA;

 protected:
  void SetUp() override {
    NumeriProva::SetUp();
    if (GetParam() == Motore::Server && !ApriSuServer(server_))
      GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  }

  // In the child: a connection of its own to the same company.
  void ConnessionePropria() {
    // The parent's connection stays open and untouched: closing it here
    // would end the parent's session on the server (the socket is shared).
    new std::shared_ptr<dati::GestDatabase>(db_);
    new std::shared_ptr<aiuti::AiutiDecodifica>(aiuti_);
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = server_ ? db_->ApriDatabase("", 0, false, false, server_->Connessione())
                    : db_->ApriDatabase(dir_.Percorso("ditta.db"));
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
    ApriAiuti();
  }

  std::string Committate() {
    return Elenco("Select RigDet, RigLiv, Descrizione, CopiaTaglia from DdtDett Where Anno = 2026 And NumRif = 3 "
                  "Order By RigDet",
                  {"RigDet", "RigLiv", "Descrizione", "CopiaTaglia"}) +
           "|" +
           Elenco("Select RigLiv, Livello1 from DdtLiv Where Anno = 2026 And NumRif = 3 Order By RigLiv, Livello1",
                  {"RigLiv", "Livello1"});
  }

  std::string Stato() {
    return Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato");
  }

  std::unique_ptr<DatabaseServer> server_;
};

struct Arresto {
  const char* punto;
  // What the user does in the program that gets killed.
  void (*azione)(IncollaProcessi&, frmDDTDett&);
};

TEST_P(IncollaProcessi, AProgramKilledWhileMovingLinesLeavesTheCommittedRowsWhole) {
  const Arresto arresti[] = {
      {"SpostaRighe",
       [](IncollaProcessi& t, frmDDTDett& d) {
         t.VaiA(d, 3);
         d.miRigaIns = 3;
         d.ogLinPag().EseguiTasto("Nuovo");
         Compila(d, "Nuova");
         d.ogLinPag().EseguiTasto("Salva");
       }},
      {"Incolla",
       [](IncollaProcessi& t, frmDDTDett& d) {
         std::vector<std::string> sel;
         for (int n : {2, 3}) {
           t.VaiA(d, n);
           sel.push_back(d.dbgRiga().Bookmark());
         }
         t.VaiA(d, 1);
         d.ogLinPag().SelBookmarks() = sel;
         d.CopiaTagliaDett(2);
         t.VaiA(d, 7);
         d.IncollaDett();
       }},
  };
  for (const Arresto& a : arresti) {
    SCOPED_TRACE(a.punto);
    Linee(10);
    Sql("Insert into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 102, 'S', '~ç~', 1)");
    Sql("Delete from LockGest");
    const std::string prima = Committate();
    const pid_t p = Figlio([&] {
      setenv("DDT_ARRESTO_RIGHE", a.punto, 1);
      ConnessionePropria();
      frmDDTDett& d = Righe(kDdt);
      a.azione(*this, d);
      return 103;  // never here: killed on the way
    });
    EXPECT_EQ(Attendi(p), -1) << "the program was not killed at " << a.punto;

    EXPECT_EQ(Committate(), prima);
    EXPECT_EQ(Stato(), "7");
    const std::string lavoro = Ordine();
    EXPECT_FALSE(lavoro.empty());
    // The lock refuses the next opening before any working row changes.
    messaggi_.clear();
    Mostra(kDdt).ButtonComando("Dettaglio");
    EXPECT_FALSE(frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata());
    EXPECT_FALSE(messaggi_.empty());
    EXPECT_EQ(Ordine(), lavoro);
    f_->Unload();
    f_.reset();

    // Once the lock row is removed the lines open as committed, 1..n, and
    // the same work goes through.
    Sql("Delete from LockGest");
    frmDDTDett& d = Righe(kDdt);
    EXPECT_EQ(Ordine(), "1:L1 2:L2 3:L3 4:L4 5:L5 6:L6 7:L7 8:L8 9:L9 10:L10");
    unsetenv("DDT_ARRESTO_RIGHE");
    a.azione(*this, d);
    EXPECT_EQ(Ordine(), std::string(a.punto) == "Incolla"
                            ? "1:L1 2:L4 3:L5 4:L6 5:L2 6:L3 7:L7 8:L8 9:L9 10:L10"
                            : "1:L1 2:L2 3:Nuova 4:L3 5:L4 6:L5 7:L6 8:L7 9:L8 10:L9 11:L10");
    d.mbSalvaInUscita = false;
    d.Unload();
    frmDDTDett::Rilascia();
    f_.reset();
    Sql("Delete from LockGest");
  }
}

INSTANTIATE_TEST_SUITE_P(Motori, IncollaProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace
}  // namespace prova

// Server login, connect texts and the direct handle on a database.
#include "startup/Banco.h"

#include "common/utilprg.h"

using prova::Banco;

namespace {

class Connessioni : public Banco {};

}  // namespace

TEST(ConnessioneOdbc, NamesOfServersAndOfFiles) {
  EXPECT_TRUE(utilprg::ConnessioneOdbc("ODBC;DSN=velnor"));
  EXPECT_TRUE(utilprg::ConnessioneOdbc("odbc;DSN=velnor"));
  EXPECT_TRUE(utilprg::ConnessioneOdbc("D:\\Dati\\velnor.DSN"));
  EXPECT_TRUE(utilprg::ConnessioneOdbc("velnor"));
  EXPECT_FALSE(utilprg::ConnessioneOdbc("C:\\Velnor\\Ditte\\demo.db"));
  EXPECT_FALSE(utilprg::ConnessioneOdbc("/srv/velnor/demo.db"));
}

TEST_F(Connessioni, TheDirectHandleOpensAFileAsItIs) {
  auto dao = utilprg::ApriDbDao(dir_.Percorso("ditta.db"), "mario", "segreto");
  ASSERT_TRUE(dao && dao->gestore);
  EXPECT_EQ(dao->nome, dir_.Percorso("ditta.db"));
  EXPECT_EQ(dao->connessione, "");
  EXPECT_TRUE(dao->gestore->Aperta(dao->chiave));
  try {
    utilprg::ApriDbDao(dir_.Percorso("manca.db"), "", "");
    ADD_FAILURE() << "a missing file opened";
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), 3024);
  }
}

TEST_F(Connessioni, AFileDatabaseGetsItsPasswordAndNoLogin) {
  Avvia();
  dati::GestDatabase db;
  std::string nome = dir_.Percorso("ditta.db"), pwd = "chiave", connect = "  ";
  const std::string k = AziendaUtil::ApriDbLogin(db, nome, pwd, connect).ToString();
  EXPECT_TRUE(db.Aperta(k));
  EXPECT_EQ(db.LeggiVar("DbAccPWD").ToString(), "chiave");
  EXPECT_TRUE(db.LeggiVar("DbSqlPubUID").IsEmpty());
  EXPECT_FALSE(Evento("ChiediPwdSql"));
}

TEST_F(Connessioni, ADataSourceNameTakesTheMenusLoginOnce) {
  altraDitta_ = "SqlLogin=\nSqlPwd=pw\n";
  Avvia();
  dati::GestDatabase db;
  std::string nome = "nessuna_sorgente_velnor", pwd, connect;
  const std::string k = AziendaUtil::ApriDbLogin(db, nome, pwd, connect).ToString();
  // No such data source here: the opening error comes back as "Err: " and
  // is shown.
  EXPECT_EQ(vb::Left(k, 5), "Err: ");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(vb::Left(messaggi_[0], 7), "Errore(");
  // The empty login made the menu ask for it; the password went to the manager.
  EXPECT_TRUE(Evento("ChiediPwdSql")) << Eventi();
  EXPECT_EQ(db.LeggiVar("DbSqlPubPWD").ToString(), "pw");
  EXPECT_TRUE(db.LeggiVar("DbAccPWD").IsEmpty());
}

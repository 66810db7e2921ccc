// The direct handle on a database server opened with a login whose
// password holds the separators of a connect text, and the connect text as
// the confirmation of the parameters shows it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Motore.h"
#include "platform/dati/ServerDiProva.h"
#include "support/CartellaTemp.h"

namespace {

TEST(SenzaPassword, ThePasswordIsHiddenWholeHoweverItIsWritten) {
  const std::pair<const char*, const char*> casi[] = {
      {"ODBC;DSN=velnor;UID=mario;PWD=segreto", "ODBC;DSN=velnor;UID=mario;PWD=********"},
      {"ODBC;DSN=velnor;UID=mario;PWD={pa;ss}}x}", "ODBC;DSN=velnor;UID=mario;PWD=********"},
      {"ODBC;DSN=velnor;PWD={pa;ss}}x};UID=mario", "ODBC;DSN=velnor;PWD=********;UID=mario"},
      {"ODBC;DSN=velnor;pwd = {a;b} ;UID=mario", "ODBC;DSN=velnor;pwd =********;UID=mario"},
      {"ODBC;DSN=velnor;Password={a}};UID=x;b}", "ODBC;DSN=velnor;Password=********"},
      {"ODBC;DSN=velnor;PWD={mai chiusa;UID=mario", "ODBC;DSN=velnor;PWD=********"},
      {"ODBC;DSN=velnor;PWD=", "ODBC;DSN=velnor;PWD=********"},
      {"ODBC;DRIVER={PostgreSQL Unicode};SERVER=h;UID={a;b};PWD=x",
       "ODBC;DRIVER={PostgreSQL Unicode};SERVER=h;UID={a;b};PWD=********"},
      {"ODBC;DSN=velnor;UID=mario", "ODBC;DSN=velnor;UID=mario"},
      {"", ""},
  };
  for (const auto& [testo, atteso] : casi) EXPECT_EQ(utilprg::SenzaPassword(testo), atteso) << testo;
}

// A data source of our own on the test server (the legacy configuration
// names the company database by data-source name), and a role of its own
// whose password the connect text would split.
class DaoServer : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string s = prova::ConnessioneServer();
    if (s.empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
    dir_.Scrivi("odbc.ini", "[ddt_dao]\nDriver = PostgreSQL Unicode\nServername = " +
                                prova::AttributoConnessione(s, "SERVER") + "\nPort = " +
                                prova::AttributoConnessione(s, "PORT") + "\nDatabase = " +
                                prova::AttributoConnessione(s, "DATABASE") + "\n");
    if (const char* v = std::getenv("ODBCINI")) odbcIni_ = v;
    ::setenv("ODBCINI", dir_.Percorso("odbc.ini").c_str(), 1);
    admin_ = dati::ApriOdbc(s);
  }
  void TearDown() override {
    for (const auto& r : ruoli_) admin_->Esegui("DROP ROLE IF EXISTS \"" + r + "\"");
    if (odbcIni_) ::setenv("ODBCINI", odbcIni_->c_str(), 1);
    else ::unsetenv("ODBCINI");
  }
  std::string Ruolo(const std::string& password) {
    const std::string r = prova::NomeCasuale("ddt_r_");
    std::string letterale;
    for (char c : password) letterale += c == '\'' ? std::string("''") : std::string(1, c);
    admin_->Esegui("CREATE ROLE \"" + r + "\" LOGIN PASSWORD '" + letterale + "'");
    ruoli_.push_back(r);
    return r;
  }
  // Who the server says is logged in on the handle.
  static std::string Utente(utilprg::DatabaseDao& dao) {
    return dao.gestore->Motore(dao.chiave).Interroga("SELECT current_user::text").righe.at(0).at(0).ToString();
  }

  prova::CartellaTemp dir_{"dao"};
  std::optional<std::string> odbcIni_;
  std::unique_ptr<dati::Connessione> admin_;
  std::vector<std::string> ruoli_;
};

TEST_F(DaoServer, APasswordWithSeparatorsLogsInAsTheManagersOwnPathDoes) {
  for (const std::string password : {"pa;ss}x", "{x};y", " a b ", "semplice"}) {
    SCOPED_TRACE(password);
    const std::string ruolo = Ruolo(password);
    auto dao = utilprg::ApriDbDao("ddt_dao", ruolo, password);
    ASSERT_TRUE(dao && dao->gestore->Aperta(dao->chiave));
    EXPECT_EQ(Utente(*dao), ruolo);
    // The same login through the manager's own path.
    dati::GestDatabase db;
    db.ScriviVar("DbSqlPubUID", 12, vb::Variant(ruolo));
    db.ScriviVar("DbSqlPubPWD", 12, vb::Variant(password));
    EXPECT_TRUE(db.Aperta(db.ApriDatabase("ddt_dao", 0, false, false, "")));
    // A wrong password is still refused.
    try {
      utilprg::ApriDbDao("ddt_dao", ruolo, password + "x");
      ADD_FAILURE() << "a wrong password opened";
    } catch (const vb::Errore& e) {
      EXPECT_EQ(vb::FunzioniComuni::Istanza().CodiceErrore(e.Number()), 3059);
    }
  }
}

TEST_F(DaoServer, ThePasswordCannotAddAttributesOfItsOwn) {
  const std::string ruolo = Ruolo("pw");
  const std::string altro = Ruolo("y");
  // Passwords that, split at their separators, would name another login.
  for (const std::string& password : {"q};UID=" + altro + ";PWD={y", "q;UID=" + altro + ";PWD=y"}) {
    SCOPED_TRACE(password);
    try {
      auto dao = utilprg::ApriDbDao("ddt_dao", ruolo, password);
      ADD_FAILURE() << "opened as " << Utente(*dao);
    } catch (const vb::Errore& e) {
      EXPECT_EQ(vb::FunzioniComuni::Istanza().CodiceErrore(e.Number()), 3059);
    }
  }
}

}  // namespace

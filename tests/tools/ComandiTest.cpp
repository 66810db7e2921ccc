// The command-line tools as a user runs them: options, the database's name
// kept off the command line, clear messages for bad input, no toolkit abort
// without a desktop.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/dati/ServerDiProva.h"
#include "support/CartellaTemp.h"

namespace {

struct Esito {
  int rc = -1;
  std::string out, err;
};

// Runs a shell command line; its output and error output are read back
// from files of the test's folder.
Esito Esegui(const prova::CartellaTemp& dir, const std::string& comando) {
  const std::string out = dir.Percorso("out.txt"), err = dir.Percorso("err.txt");
  const std::string riga = "(" + comando + ") >'" + out + "' 2>'" + err + "' </dev/null";
  setenv("DDT_RIGA", riga.c_str(), 1);
  const int s = std::system("bash -c \"$DDT_RIGA\"");
  unsetenv("DDT_RIGA");
  Esito e;
  e.rc = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  e.out = dir.Leggi("out.txt");
  e.err = dir.Leggi("err.txt");
  return e;
}

// A path quoted for the shell.
std::string Q(const std::string& s) {
  std::string r = "'";
  for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return r + "'";
}

const std::string kDb = Q(DDT_BIN_DB);
const std::string kMenu = Q(DDT_BIN_MENU);

bool Contiene(const std::string& s, const std::string& parte) { return s.find(parte) != std::string::npos; }

}  // namespace

// --menu is an option of the command: before or after the database.
TEST(DdtDb, MenuOptionWhereverItStands) {
  for (const bool prima : {true, false}) {
    SCOPED_TRACE(prima ? "--menu first" : "--menu last");
    prova::CartellaTemp dir("ddtdb");
    const std::string f = Q(dir.Percorso("ditta.db"));
    const Esito s = Esegui(dir, kDb + (prima ? " schema --menu " + f : " schema " + f + " --menu"));
    ASSERT_EQ(s.rc, 0) << s.err;
    EXPECT_TRUE(Contiene(s.out, "Appoggio")) << s.out;
    const Esito q = Esegui(dir, kDb + " sql " + f + " \"Select Count(*) As N From Appoggio\"");
    EXPECT_EQ(q.rc, 0) << q.err;
  }
}

TEST(DdtDb, UnknownOptionAndMissingArgumentsAreRefusedWithUsage) {
  prova::CartellaTemp dir("ddtdb");
  const std::string f = Q(dir.Percorso("ditta.db"));
  const struct {
    std::string argomenti, messaggio;
  } casi[] = {
      {"schema " + f + " --nuova", "opzione non prevista: --nuova"},
      {"sql " + f + " --menu \"Select 1\"", "opzione non prevista: --menu"},
      {"schema", "manca il database"},
      {"sql \"Select 1\"", "manca il database"},
      {"sql", "mancano argomenti"},
      {"schema " + f + " altro", "troppi argomenti"},
      {"boh " + f, "comando sconosciuto: boh"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.argomenti);
    const Esito e = Esegui(dir, "unset DDT_DB; " + kDb + " " + c.argomenti);
    EXPECT_EQ(e.rc, 1);
    EXPECT_TRUE(Contiene(e.err, c.messaggio)) << e.err;
    EXPECT_TRUE(Contiene(e.err, "Uso:")) << e.err;
  }
  const Esito h = Esegui(dir, kDb + " --help");
  EXPECT_EQ(h.rc, 0);
  EXPECT_TRUE(Contiene(h.out, "DDT_DB")) << h.out;
}

// The database (a connect text may hold a password) from the environment or
// from standard input instead of the command line; the command line wins.
TEST(DdtDb, DatabaseFromEnvironmentOrStandardInput) {
  prova::CartellaTemp dir("ddtdb");
  const std::string f = Q(dir.Percorso("ditta.db"));
  const std::string altro = Q(dir.Percorso("altro.db"));
  ASSERT_EQ(Esegui(dir, "DDT_DB=" + f + " " + kDb + " demo").rc, 0);
  ASSERT_TRUE(dir.Esiste("ditta.db"));
  const std::string conta = " \"Select Count(*) As N From DdtTest\"";
  const Esito daAmbiente = Esegui(dir, "DDT_DB=" + f + " " + kDb + " sql" + conta);
  EXPECT_EQ(daAmbiente.rc, 0) << daAmbiente.err;
  const Esito daInput = Esegui(dir, "unset DDT_DB; printf '%s\\r\\n' " + f + " | " + kDb + " sql -" + conta);
  EXPECT_EQ(daInput.rc, 0) << daInput.err;
  EXPECT_EQ(daAmbiente.out, daInput.out);
  EXPECT_TRUE(Contiene(daInput.out, "(1 riga)")) << daInput.out;
  // Given on the command line, the environment is not looked at.
  const Esito esplicito = Esegui(dir, "DDT_DB=" + altro + " " + kDb + " sql " + f + conta);
  EXPECT_EQ(esplicito.rc, 0) << esplicito.err;
  EXPECT_FALSE(dir.Esiste("altro.db"));
  const Esito vuoto = Esegui(dir, ": | " + kDb + " sql -" + conta);
  EXPECT_EQ(vuoto.rc, 1);
  EXPECT_TRUE(Contiene(vuoto.err, "nessun database sull'input")) << vuoto.err;
}

TEST(DdtDb, ServerConnectTextFromEnvironmentOrStandardInput) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer server;
  prova::CartellaTemp dir("ddtdb");
  setenv("DDT_PROVA_CONNESSIONE", server.Connessione().c_str(), 1);
  const Esito schema = Esegui(dir, "DDT_DB=\"$DDT_PROVA_CONNESSIONE\" " + kDb + " schema --menu");
  ASSERT_EQ(schema.rc, 0) << schema.err;
  const Esito q = Esegui(dir, "printf '%s\\n' \"$DDT_PROVA_CONNESSIONE\" | " + kDb +
                                   " sql - \"Select Count(*) As N From Appoggio\"");
  unsetenv("DDT_PROVA_CONNESSIONE");
  EXPECT_EQ(q.rc, 0) << q.err;
  EXPECT_TRUE(Contiene(q.out, "(1 riga)")) << q.out;
}

TEST(DdtMenu, HelpPrintsUsageAndSucceeds) {
  prova::CartellaTemp dir("ddtmenu");
  for (const char* opzione : {"--help", "-h"}) {
    const Esito e = Esegui(dir, kMenu + " " + opzione);
    EXPECT_EQ(e.rc, 0) << opzione;
    EXPECT_TRUE(Contiene(e.out, "ddt-menu avvia")) << e.out;
  }
  EXPECT_EQ(Esegui(dir, kMenu).rc, 2);
}

#ifdef DDT_BIN_MSG
TEST(DdtMsg, WithoutADesktopSaysSoInItsOwnWords) {
  prova::CartellaTemp dir("ddtmsg");
  const std::string msg = Q(DDT_BIN_MSG);
  const Esito senza = Esegui(dir, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + msg + " Prova");
  EXPECT_EQ(senza.rc, 1);
  EXPECT_TRUE(Contiene(senza.err, "serve un desktop")) << senza.err;
  // A display that nobody serves: the toolkit's abort becomes our message.
  const Esito muto = Esegui(dir, "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4711 " + msg + " Prova");
  EXPECT_EQ(muto.rc, 1);
  EXPECT_TRUE(Contiene(muto.err, "Impossibile aprire le finestre")) << muto.err;
  EXPECT_FALSE(Contiene(muto.err, "could not")) << muto.err;
  // A picture needs no desktop.
  const Esito foto = Esegui(dir, "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + msg + " --schermata " +
                                     Q(dir.Percorso("m.png")) + " Prova");
  EXPECT_EQ(foto.rc, 0) << foto.err;
  EXPECT_TRUE(dir.Esiste("m.png"));
}

TEST(DdtMsg, BadNumbersAreNamed) {
  prova::CartellaTemp dir("ddtmsg");
  const std::string msg = Q(DDT_BIN_MSG);
  for (const char* opzione : {"--larghezza", "--margine", "--predefinito", "--largbottoni", "--errore"}) {
    for (const char* valore : {"abc", "12x", "", "99999999999"}) {
      SCOPED_TRACE(std::string(opzione) + " " + valore);
      const Esito e = Esegui(dir, "QT_QPA_PLATFORM=offscreen " + msg + " " + opzione + " '" + valore + "' Prova");
      EXPECT_EQ(e.rc, 2);
      EXPECT_TRUE(Contiene(e.err, std::string(opzione) + " vuole un numero intero")) << e.err;
      EXPECT_FALSE(Contiene(e.err, "stoi")) << e.err;
    }
  }
  const Esito f = Esegui(dir, "QT_QPA_PLATFORM=offscreen " + msg + " --carattere dieci Prova");
  EXPECT_EQ(f.rc, 2);
  EXPECT_TRUE(Contiene(f.err, "--carattere vuole una dimensione")) << f.err;
}
#endif

// Without a desktop the start command says so at once, before installing
// and building anything.
TEST(StartSh, WithoutADesktopStopsBeforeBuilding) {
  prova::CartellaTemp dir("start");
  const std::string build = dir.Percorso("build");
  const auto prima = std::chrono::steady_clock::now();
  const Esito e = Esegui(dir, "env -u DISPLAY -u WAYLAND_DISPLAY DDT_BUILD_DIR=" + Q(build) + " VELNOR_ROOT=" +
                                  Q(dir.Percorso("velnor")) + " timeout 120 bash " + Q(DDT_SORGENTI "/scripts/start.sh"));
  const auto secondi = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - prima);
  EXPECT_EQ(e.rc, 1);
  EXPECT_TRUE(Contiene(e.err, "bisogno di un desktop")) << e.err;
  EXPECT_FALSE(std::filesystem::exists(build));
  EXPECT_FALSE(dir.Esiste("velnor"));
  EXPECT_LT(secondi.count(), 10);
}

// The stand-in menu server and the program's client on a real socket: menu
// commands nested inside the wait of a command, commands their asker gave
// up on, the menu's exit status, and a channel fed what a broken or hostile
// peer sends.
#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/Errore.h"
#include "platform/menu/ClientMenu.h"
#include "platform/menu/Mutazioni.h"
#include "platform/menu/ServerMenu.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

namespace {

using Orologio = std::chrono::steady_clock;
using menu::Frame;
using menu::ValoreMenu;

class CanaleMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* p = std::getenv("XDG_RUNTIME_DIR")) primaXdg_ = p;
    ::setenv("XDG_RUNTIME_DIR", dir_.Dir().c_str(), 1);
  }
  void TearDown() override {
    Ferma();
    menu::ClientMenu::ImpostaAttesaMassima(30);
    if (primaXdg_) ::setenv("XDG_RUNTIME_DIR", primaXdg_->c_str(), 1);
    else ::unsetenv("XDG_RUNTIME_DIR");
  }

  void Avvia(const std::string& altro = {}, bool finoAFine = false) {
    id_ = "s" + std::to_string(::getpid()) + "-" + std::to_string(++contatore_);
    dir_.Scrivi("menu.ini", "[Menu]\nId=" + id_ + "\nUtente=mario\nNomeDB=" + dir_.Percorso("menu.db") +
                                "\n[Ditta DEMO]\nDescrizione=Ditta dimostrativa\n" + altro);
    server_ = std::make_unique<menu::ServerMenu>(dir_.Percorso("menu.ini"));
    server_->Silenzioso(true);
    server_->Avvia();
    filo_ = std::thread([this, finoAFine] { rc_ = server_->Esegui(finoAFine); });
  }
  void Ferma() {
    if (!server_) return;
    server_->Ferma();
    if (filo_.joinable()) filo_.join();
    server_.reset();
  }

  // The program's side: a client that records the commands it runs.
  std::shared_ptr<menu::ClientMenu> Programma() {
    auto c = std::make_shared<menu::ClientMenu>();
    c->EseguiComando = [this](const std::string&, const std::string&, const std::string& com, const ValoreMenu&,
                              vb::Variant& rit) {
      eseguiti_.push_back(com);
      rit = std::string("fatto");
    };
    c->Connetti(id_, "DDT", "W1");
    return c;
  }

  // The program serves its channel (as its loop does) until the command has
  // its answer; nullopt after 5 s.
  std::optional<menu::RispostaComando> Attendi(menu::ClientMenu& c, long ticket) {
    const auto fine = Orologio::now() + std::chrono::seconds(5);
    while (Orologio::now() < fine) {
      c.Servi();
      if (auto r = server_->Risposta(ticket)) return r;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
  }

  prova::CartellaTemp dir_{"menu"};
  std::optional<std::string> primaXdg_;
  std::string id_;
  std::unique_ptr<menu::ServerMenu> server_;
  std::thread filo_;
  std::atomic<int> rc_{-1};
  std::vector<std::string> eseguiti_;
  static inline int contatore_ = 0;
};

}  // namespace

TEST_F(CanaleMenu, CommandsAreServedInsideTheModalWaitOfACommandAtAnyDepth) {
  Avvia();
  auto client = std::make_shared<menu::ClientMenu>();
  int profondita = 0, massima = 0;
  std::vector<std::string> interne;
  client->EseguiComando = [&](const std::string&, const std::string&, const std::string& com, const ValoreMenu&,
                              vb::Variant& rit) {
    if (com != "apri") return;
    massima = std::max(massima, ++profondita);
    if (profondita < 3) {
      // The command's modal window: its wait serves the channel until the
      // user answers; meanwhile the menu sends another command.
      const long t = server_->InviaComando("DDT", "apri", ValoreMenu());
      auto r = Attendi(*client, t);
      interne.push_back(r && r->ok ? r->valore.ToString() : "nessuna risposta");
    }
    --profondita;
    rit = std::string("aperta ") + std::to_string(profondita + 1);
  };
  client->Connetti(id_, "DDT", "W1");
  const long t = server_->InviaComando("DDT", "apri", ValoreMenu());
  auto r = Attendi(*client, t);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->valore.ToString(), "aperta 1");
  EXPECT_EQ(massima, 3);
  EXPECT_EQ(interne, (std::vector<std::string>{"aperta 3", "aperta 2"}));
}

TEST_F(CanaleMenu, ACommandWhoseAskerStoppedWaitingIsNotRunLaterAndTheAskerHearsTheProgramDidNotAnswer) {
  Avvia();
  auto client = Programma();
  // The program is busy (it reads nothing) while the shell asks it a
  // command and waits one second for it.
  long errore = 0;
  std::string descrizione;
  const auto inizio = Orologio::now();
  std::thread chiede([&] {
    errore = prova::NumeroErrore(
        [&] {
          menu::RichiestaAlServer(id_, "Comando", {"DDT", "preppassaa", ValoreMenu(), vb::Variant(1L)}, 20);
        },
        &descrizione);
  });
  chiede.join();
  EXPECT_LT(Orologio::now() - inizio, std::chrono::seconds(5));
  EXPECT_EQ(errore, 5);
  EXPECT_NE(descrizione.find("non ha risposto"), std::string::npos) << descrizione;
  EXPECT_EQ(descrizione.find("Il menu non risponde"), std::string::npos) << descrizione;
  // The program gets to its channel: the command given up is not run, the
  // next one is.
  auto r = Attendi(*client, server_->InviaComando("DDT", "esiste", ValoreMenu()));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(eseguiti_, std::vector<std::string>{"esiste"});
}

TEST_F(CanaleMenu, ACommandWhoseAskerWentAwayIsWithdrawnToo) {
  Avvia();
  auto client = Programma();
  // The asker sends its command and goes before any answer.
  {
    menu::Canale c(menu::ConnettiSocket(id_));
    ASSERT_TRUE(c.Aperto());
    Frame q;
    q.numero = 1;
    q.operazione = "Comando";
    q.valori = {ValoreMenu("DDT"), ValoreMenu("preppassaa"), ValoreMenu()};
    c.Invia(q);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  auto r = Attendi(*client, server_->InviaComando("DDT", "esiste", ValoreMenu()));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(eseguiti_, std::vector<std::string>{"esiste"});
}

TEST_F(CanaleMenu, TheMenuEndsWithTheExitStatusOfItsProgram) {
  for (int codice : {0, 3}) {
    const std::string script = dir_.Percorso("programma-" + std::to_string(codice) + ".sh");
    dir_.Scrivi("programma-" + std::to_string(codice) + ".sh", "#!/bin/sh\nexit " + std::to_string(codice) + "\n");
    ASSERT_EQ(::chmod(script.c_str(), 0755), 0);
    Avvia("[Programma]\nComando=" + script + "\n", true);
    ASSERT_TRUE(server_->Lancia());
    filo_.join();
    EXPECT_EQ(rc_, codice);
    server_.reset();
  }
}

TEST_F(CanaleMenu, UsedUpDescriptorsNeitherSpinTheServerNorStopItForGood) {
  Avvia();
  rlimit prima{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &prima), 0);
  // A low limit just above what is open, then the rest taken.
  int alto = 0;
  if (DIR* d = ::opendir("/proc/self/fd")) {
    while (dirent* e = ::readdir(d)) alto = std::max(alto, std::atoi(e->d_name));
    ::closedir(d);
  }
  rlimit basso = prima;
  basso.rlim_cur = static_cast<rlim_t>(alto + 24);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &basso), 0);
  std::vector<int> presi;
  for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;) presi.push_back(fd);
  ASSERT_FALSE(presi.empty());
  // One left for a program that connects: the server has none to take it.
  ::close(presi.back());
  presi.pop_back();
  const int programma = menu::ConnettiSocket(id_);
  ASSERT_GE(programma, 0);

  rusage r0{}, r1{};
  ::getrusage(RUSAGE_SELF, &r0);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  ::getrusage(RUSAGE_SELF, &r1);
  auto secondi = [](const rusage& r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
  };
  const double cpu = secondi(r1) - secondi(r0);

  // The program that could not be taken heard why, instead of waiting.
  menu::Canale c(programma);
  std::optional<Frame> risposta;
  for (int i = 0; i < 50 && !risposta; ++i) {
    pollfd p{c.Fd(), POLLIN, 0};
    ::poll(&p, 1, 100);
    c.Leggi();
    risposta = c.Prossimo();
  }
  for (int fd : presi) ::close(fd);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &prima), 0);

  EXPECT_LT(cpu, 0.3) << "the server kept the processor busy while it could not accept";
  ASSERT_TRUE(risposta.has_value());
  EXPECT_EQ(risposta->tipo, 'R');
  EXPECT_EQ(risposta->operazione, "ERR");
  EXPECT_EQ(risposta->errore, 7);
  // With descriptors free again the server takes programs as before.
  ValoreMenu elenco;
  EXPECT_EQ(prova::NumeroErrore([&] { elenco = menu::RichiestaAlServer(id_, "Elenco", {}, 5); }), 0);
}

TEST_F(CanaleMenu, FuzzTheServerAnswersEveryNumberedFrameAndSurvivesTheRest) {
  Avvia();
  prova::Mutatore m(7);
  menu::Canale c(menu::ConnettiSocket(id_));
  ASSERT_TRUE(c.Aperto());
  const std::vector<std::string> operazioni = {"LeggiParam", "PercorsoIni", "Utente", "Terminale", "DataLavoro",
                                               "InfoLancio", "Elenco", "RisultatoLancio", "Boh", ""};
  long numero = 0;
  std::set<long> attesi;
  std::map<long, std::string> righe;
  auto invia = [&](const std::string& riga) {
    righe[numero] = riga;
    if (std::getenv("DDT_FUZZ_TRACCIA")) std::fprintf(stderr, ">> %ld %s\n", numero, riga.substr(0, 80).c_str());
    std::string s = riga + "\n";
    size_t fatto = 0;
    while (fatto < s.size()) {
      ssize_t n = ::send(c.Fd(), s.data() + fatto, s.size() - fatto, MSG_NOSIGNAL);
      if (n > 0) {
        fatto += static_cast<size_t>(n);
      } else {
        pollfd p{c.Fd(), POLLOUT, 0};
        ::poll(&p, 1, 100);
        c.Leggi();  // keep its answers flowing meanwhile
        while (auto f = c.Prossimo())
          if (f->tipo == 'R') attesi.erase(f->numero);
      }
    }
  };
  // The known killers first: a wrapping count, a line without an end.
  invia("Q\t" + std::to_string(++numero) + "\tLeggiParam\tA18446744073709551615\tS1");
  attesi.insert(numero);
  invia("Q\t" + std::to_string(++numero) + "\tLeggiParam\tS" + std::string(2 * menu::kRigaMassima, 'x'));
  attesi.insert(numero);
  const auto fine = Orologio::now() + std::chrono::duration<double>(prova::SecondiFuzz(1.5));
  while (Orologio::now() < fine) {
    for (int i = 0; i < 50; ++i) {
      switch (m.Fino(4)) {
        case 0:
        case 1: {
          // A request whose head is sound (the spoiled part comes after a
        // separator of its own): it must be answered.
          const long n = ++numero;
          invia("Q\t" + std::to_string(n) + "\t" + operazioni[m.Fino(operazioni.size())] + "\t" + m.Coda());
          attesi.insert(n);
          break;
        }
        case 2: {
          // A frame the server never takes (a command, a withdrawal): answered too.
          const long n = ++numero;
          invia(std::string(m.Caso(50) ? "C" : "K") + "\t" + std::to_string(n) + "\t" + m.Coda());
          attesi.insert(n);
          break;
        }
        default:
          invia(m.Caso(50) ? m.Rumore() : m.Guasta("R\t" + std::to_string(m.Fino(5)) + "\tOK\tS"));
      }
    }
    const auto limite = Orologio::now() + std::chrono::seconds(5);
    while (!attesi.empty() && Orologio::now() < limite) {
      pollfd p{c.Fd(), POLLIN, 0};
      ::poll(&p, 1, 50);
      ASSERT_TRUE(c.Leggi()) << "the server closed the connection";
      while (auto f = c.Prossimo()) {
        if (std::getenv("DDT_FUZZ_TRACCIA")) std::fprintf(stderr, "<< %c %ld %s\n", f->tipo, f->numero, f->descrizione.c_str());
        if (f->tipo == 'R') attesi.erase(f->numero);
      }
    }
    ASSERT_TRUE(attesi.empty()) << attesi.size() << " frames left unanswered, the first: " << righe[*attesi.begin()];
  }
  // Still serving, this connection and new ones.
  EXPECT_EQ(prova::NumeroErrore([&] { menu::RichiestaAlServer(id_, "Elenco", {}, 5); }), 0);
}

TEST_F(CanaleMenu, FuzzTheProgramAnswersEveryCommandAndFailsABrokenAnswerAtOnce) {
  // A menu of its own that answers the connection, then sends spoiled
  // commands and answers the program's requests with spoiled answers.
  const std::string id = "fuzz" + std::to_string(::getpid());
  const std::string percorso = menu::PercorsoSocket(id);
  int ascolto = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  percorso.copy(a.sun_path, sizeof a.sun_path - 1);
  ASSERT_EQ(::bind(ascolto, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(::listen(ascolto, 1), 0);
  std::atomic<bool> finito{false};
  std::atomic<long> senzaRisposta{0}, comandiInviati{0};
  std::thread menuFinto([&] {
    prova::Mutatore m(11);
    menu::Canale c(::accept4(ascolto, nullptr, nullptr, SOCK_NONBLOCK));
    std::set<long> attesi;
    long numero = 0;
    const auto fine = Orologio::now() + std::chrono::duration<double>(prova::SecondiFuzz(1.5));
    auto fronte = [&](const std::string& riga) {
      std::string s = riga + "\n";
      size_t fatto = 0;
      while (fatto < s.size()) {
        ssize_t n = ::send(c.Fd(), s.data() + fatto, s.size() - fatto, MSG_NOSIGNAL);
        if (n > 0) fatto += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN) return;
        else std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    };
    auto leggi = [&] {
      pollfd p{c.Fd(), POLLIN, 0};
      ::poll(&p, 1, 10);
      if (!c.Leggi()) return false;
      while (auto f = c.Prossimo()) {
        if (f->tipo == 'R') {
          attesi.erase(f->numero);
        } else if (f->tipo == 'Q') {
          if (f->operazione == "Connetti") {
            fronte("R\t" + std::to_string(f->numero) + "\tOK\tS");
          } else {
            // A spoiled answer, or a sound one now and then.
            const std::string n = std::to_string(f->numero);
            fronte(m.Caso(30) ? "R\t" + n + "\tOK\tSmario" : "R\t" + n + "\tOK" + m.Coda());
          }
        }
      }
      return true;
    };
    while (Orologio::now() < fine) {
      for (int i = 0; i < 20; ++i) {
        if (m.Caso(60)) {
          const long n = ++numero;
          fronte("C\t" + std::to_string(n) + "\tS" + id + "\tSW1\tSesiste\t" + m.Coda(3));
          attesi.insert(n);
          ++comandiInviati;
        } else {
          std::string rumore = m.Caso(50) ? m.Rumore() : m.Guasta("R\t" + std::to_string(m.Fino(1000)) + "\tOK\tS");
          // Not a withdrawal by chance: that one is tried on its own.
          if (!rumore.empty() && rumore[0] == 'K') rumore[0] = 'X';
          fronte(rumore);
        }
      }
      if (!leggi()) break;
    }
    const auto limite = Orologio::now() + std::chrono::seconds(5);
    while (!attesi.empty() && Orologio::now() < limite && leggi()) {
    }
    senzaRisposta = static_cast<long>(attesi.size());
    finito = true;
  });

  menu::ClientMenu::ImpostaAttesaMassima(3);
  auto client = std::make_shared<menu::ClientMenu>();
  long serviti = 0;
  client->EseguiComando = [&](const std::string&, const std::string&, const std::string&, const ValoreMenu&,
                              vb::Variant& rit) {
    ++serviti;
    rit = true;
  };
  client->Connetti(id, "DDT", "W1");
  long richieste = 0;
  while (!finito) {
    client->Servi();
    if (++richieste % 20 == 0 && client->Connesso()) {
      const auto inizio = Orologio::now();
      try {
        client->Utente();
      } catch (const vb::Errore&) {
        // A spoiled answer fails the request: that is the point.
      }
      // Never the whole wait: a broken answer answers.
      EXPECT_LT(Orologio::now() - inizio, std::chrono::milliseconds(2500));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  menuFinto.join();
  ::close(ascolto);
  ::unlink(percorso.c_str());
  EXPECT_TRUE(client->Connesso());
  EXPECT_GT(comandiInviati.load(), 0);
  EXPECT_EQ(senzaRisposta.load(), 0) << "commands left unanswered";
}

// The client's wait for an answer against a server that misbehaves: it
// keeps the program waiting no longer than the set limit.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Errore.h"
#include "platform/menu/ClientMenu.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

namespace {

using Orologio = std::chrono::steady_clock;

// A server that answers the connection, then meets every later request
// with a stream of menu commands and never with its answer.
class ServerMuto {
 public:
  explicit ServerMuto(const std::string& percorso) {
    ascolto_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    percorso.copy(a.sun_path, sizeof a.sun_path - 1);
    ::unlink(percorso.c_str());
    if (::bind(ascolto_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(ascolto_, 1) != 0)
      throw std::runtime_error("socket di prova non aperto");
    filo_ = std::thread([this] { Servi(); });
  }
  ~ServerMuto() {
    basta_ = true;
    filo_.join();
    ::close(ascolto_);
  }
  std::atomic<int> comandi{0};

 private:
  void Servi() {
    pollfd p{ascolto_, POLLIN, 0};
    if (::poll(&p, 1, 5000) <= 0) return;
    menu::Canale c(::accept4(ascolto_, nullptr, nullptr, SOCK_NONBLOCK));
    long numero = 0;
    bool muto = false;
    auto prossimo = Orologio::now();
    auto finePazienza = Orologio::now();
    while (!basta_) {
      pollfd q{c.Fd(), POLLIN, 0};
      ::poll(&q, 1, 20);
      if (!c.Leggi()) return;
      while (auto f = c.Prossimo()) {
        if (f->tipo != 'Q') continue;  // the program's answers to our commands
        if (f->operazione == "Connetti") {
          menu::Frame r;
          r.tipo = 'R';
          r.numero = f->numero;
          r.operazione = "OK";
          c.Invia(r);
        } else if (!muto) {
          muto = true;
          // Watchdog: a client that keeps waiting past this is a failure,
          // not a test run that never ends; the channel closes under it.
          finePazienza = Orologio::now() + std::chrono::seconds(8);
        }
      }
      if (muto && Orologio::now() > finePazienza) return;
      if (muto && Orologio::now() >= prossimo) {
        menu::Frame cmd;
        cmd.tipo = 'C';
        cmd.numero = ++numero;
        cmd.valori = {"PROVA", "K1", "Aggiorna", ""};
        try {
          c.Invia(cmd);
        } catch (const vb::Errore&) {
          return;
        }
        ++comandi;
        prossimo = Orologio::now() + std::chrono::milliseconds(100);
      }
    }
  }
  int ascolto_ = -1;
  std::atomic<bool> basta_{false};
  std::thread filo_;
};

TEST(ClientMenuAttesa, AServerThatSendsCommandsButNeverAnswersDoesNotHoldTheCallForEver) {
  prova::CartellaTemp dir("menumuto");
  // The runtime folder and the time limit come back however the test ends.
  struct Ripristino {
    const char* prima = std::getenv("XDG_RUNTIME_DIR");
    std::string cartella = prima ? prima : "";
    ~Ripristino() {
      menu::ClientMenu::ImpostaAttesaMassima(30);
      if (prima) ::setenv("XDG_RUNTIME_DIR", cartella.c_str(), 1);
      else ::unsetenv("XDG_RUNTIME_DIR");
    }
  } ripristino;
  ::setenv("XDG_RUNTIME_DIR", dir.Dir().c_str(), 1);
  ServerMuto server(menu::PercorsoSocket("PROVA"));
  menu::ClientMenu::ImpostaAttesaMassima(1);
  auto client = std::make_shared<menu::ClientMenu>();
  int serviti = 0;
  client->EseguiComando = [&](const std::string&, const std::string&, const std::string&, const menu::ValoreMenu&,
                              vb::Variant&) { ++serviti; };
  client->Connetti("PROVA", "DDT", "1");
  const auto inizio = Orologio::now();
  std::string descrizione;
  EXPECT_EQ(prova::NumeroErrore([&] { client->Utente(); }, &descrizione), 5);
  const auto durata = Orologio::now() - inizio;
  EXPECT_NE(descrizione.find("non risponde"), std::string::npos) << descrizione;
  // Commands kept coming and were served, yet the wait ended near its limit.
  EXPECT_GE(serviti, 3);
  EXPECT_LT(durata, std::chrono::seconds(10));
}

}  // namespace

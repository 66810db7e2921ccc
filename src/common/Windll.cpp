#include "common/Windll.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utmpx.h>

#include <cstdlib>
#include <cstring>

#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace Windll {

namespace {

constexpr const char* kNessuno = "0.0.0.0";

// An address or host name as the client address: IPv4 dotted, IPv6 short
// (an IPv4 address carried in IPv6, as sshd may report it, as IPv4); a host
// name is resolved, IPv4 preferred. "" when it names nothing.
std::string Normalizza(std::string host) {
  host = vb::Trim(host);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (host.empty()) return {};
  std::string zona;
  if (const size_t p = host.find('%'); p != std::string::npos) {
    zona = host.substr(p);
    host = host.substr(0, p);
  }
  char testo[INET6_ADDRSTRLEN] = {};
  in_addr a4{};
  if (::inet_pton(AF_INET, host.c_str(), &a4) == 1) return ::inet_ntop(AF_INET, &a4, testo, sizeof testo);
  in6_addr a6{};
  if (::inet_pton(AF_INET6, host.c_str(), &a6) == 1) {
    if (IN6_IS_ADDR_V4MAPPED(&a6)) {
      std::memcpy(&a4, &a6.s6_addr[12], 4);
      return ::inet_ntop(AF_INET, &a4, testo, sizeof testo);
    }
    return std::string(::inet_ntop(AF_INET6, &a6, testo, sizeof testo)) + zona;
  }
  if (!zona.empty()) return {};
  addrinfo suggerimenti{};
  suggerimenti.ai_socktype = SOCK_STREAM;
  addrinfo* elenco = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &suggerimenti, &elenco) != 0 || !elenco) return {};
  std::string v4, v6;
  for (addrinfo* p = elenco; p; p = p->ai_next) {
    if (p->ai_family == AF_INET && v4.empty()) {
      auto* sa = reinterpret_cast<sockaddr_in*>(p->ai_addr);
      if (::inet_ntop(AF_INET, &sa->sin_addr, testo, sizeof testo)) v4 = testo;
    } else if (p->ai_family == AF_INET6 && v6.empty()) {
      auto* sa = reinterpret_cast<sockaddr_in6*>(p->ai_addr);
      if (::inet_ntop(AF_INET6, &sa->sin6_addr, testo, sizeof testo)) v6 = testo;
    }
  }
  ::freeaddrinfo(elenco);
  return v4.empty() ? v6 : v4;
}

// The host of an X display "host:n[.s]", "[v6]:n", "v6:n" or "host::n"
// (DECnet); "" for a local display (":0", "unix:0", "localhost:0", a socket
// path).
std::string HostDelDisplay(const std::string& display) {
  if (display.empty() || display.front() == '/') return {};
  std::string host;
  if (display.front() == '[') {
    const size_t chiusa = display.find(']');
    if (chiusa == std::string::npos) return {};
    host = display.substr(1, chiusa - 1);
  } else {
    const size_t p = display.rfind(':');
    if (p == std::string::npos) return {};
    host = display.substr(0, p);
    if (!host.empty() && host.back() == ':' && host.find(':') == host.size() - 1) host.pop_back();
  }
  if (const size_t barra = host.find('/'); barra != std::string::npos) host = host.substr(barra + 1);
  if (host.empty() || vb::UgualeTesto(host, "unix") || vb::UgualeTesto(host, "localhost")) return {};
  return host;
}

std::string PrimaParola(const std::string& s) {
  const std::string t = vb::Trim(s);
  const size_t p = t.find_first_of(" \t");
  return p == std::string::npos ? t : t.substr(0, p);
}

}  // namespace

std::string IndirizzoDaAmbiente(const std::function<std::string(const std::string&)>& leggi) {
  for (const char* nome : {"SSH_CONNECTION", "SSH_CLIENT"}) {
    std::string a = Normalizza(PrimaParola(leggi(nome)));
    if (!a.empty()) return a;
  }
  if (std::string a = Normalizza(leggi("REMOTEHOST")); !a.empty()) return a;
  if (std::string host = HostDelDisplay(vb::Trim(leggi("DISPLAY"))); !host.empty()) {
    std::string a = Normalizza(host);
    if (!a.empty()) return a;
  }
  return kNessuno;
}

std::string IndirizzoClient(long& plSessione) {
  plSessione = static_cast<long>(::getsid(0));
  return IndirizzoDaAmbiente([](const std::string& nome) {
    const char* v = std::getenv(nome.c_str());
    return std::string(v ? v : "");
  });
}

bool ElencoSessioni(std::vector<Sessione>& pvSessioni, std::vector<std::string>& pvAltro) {
  try {
    pvSessioni.clear();
    pvAltro.clear();
    ::setutxent();
    while (utmpx* u = ::getutxent()) {
      if (u->ut_type != USER_PROCESS) continue;
      Sessione s;
      s.id = static_cast<long>(u->ut_session);
      s.stazione = std::string(u->ut_line, ::strnlen(u->ut_line, sizeof u->ut_line));
      pvSessioni.push_back(s);
      pvAltro.emplace_back(u->ut_user, ::strnlen(u->ut_user, sizeof u->ut_user));
    }
    ::endutxent();
    // The login records may not know the program's own session (a session
    // started by a service manager or a container): it is there all the same.
    const long propria = static_cast<long>(::getsid(0));
    bool trovata = false;
    for (const auto& s : pvSessioni) trovata = trovata || s.id == propria;
    // In a container the session leader may lie outside the namespace and
    // the session reads as 0: still a session, only -1 is a failure.
    if (!trovata && propria >= 0) {
      Sessione s;
      s.id = propria;
      if (const char* tty = ::ttyname(0)) s.stazione = tty;
      pvSessioni.push_back(s);
      pvAltro.emplace_back();
    }
    return propria >= 0;
  } catch (...) {
    return false;
  }
}

long LeggiClientSessione(std::string& psIndirizzo) {
  std::vector<Sessione> sessioni;
  std::vector<std::string> altro;
  if (!ElencoSessioni(sessioni, altro)) {
    psIndirizzo.clear();
    return 0;
  }
  long sessione = 0;
  psIndirizzo = IndirizzoClient(sessione);
  return sessione;
}

bool StatoBarraApp(int& piLato, int& piSempreSopra, long& plAlto, long& plSinistra, long& plDestra,
                   long& plBasso) {
  const auto& b = ui::Screen().BarraApp;
  bool risultato = false;
  if (b.NascondiAuto && b.SempreSopra) {
    risultato = true;
    piSempreSopra = -1;
  } else if (b.SempreSopra) {
    piSempreSopra = -1;
  } else if (b.NascondiAuto) {
    risultato = true;
    piSempreSopra = 0;
  } else {
    piSempreSopra = 0;
  }
  if (b.Lato >= 0) {
    piLato = b.Lato;
    plAlto = b.Alto;
    plSinistra = b.Sinistra;
    plDestra = b.Destra;
    plBasso = b.Basso;
  } else {
    piLato = -1;
  }
  return risultato;
}

long AltezzaUtileSchermo() {
  long altezza = ui::Screen().Height;
  int lato = -1, sopra = 0;
  long alto = 0, sinistra = 0, destra = 0, basso = 0;
  if (!StatoBarraApp(lato, sopra, alto, sinistra, destra, basso) && lato == 3)
    altezza = alto * ui::Screen().TwipsPerPixelX;
  return altezza;
}

}  // namespace Windll

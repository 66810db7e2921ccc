#include "platform/menu/Protocollo.h"

#include <chrono>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>

#include "platform/Errore.h"

namespace menu {

std::string ValoreMenu::Testo() const {
  const vb::Variant& v = matrice_ ? (elementi_.empty() ? v_ : elementi_[0]) : v_;
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

namespace {

void Escapa(std::string& out, std::string_view s) {
  for (char ch : s) {
    switch (ch) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += ch;
    }
  }
}

std::string Numero(double d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", d);
  return buf;
}

std::string Scalare(const vb::Variant& v) {
  switch (v.VarType()) {
    case vb::vbEmpty: return v.IsMissing() ? "M" : "E";
    case vb::vbNull: return "N";
    case vb::vbBoolean: return v.ToBool() ? "B1" : "B0";
    case vb::vbByte: return "U" + std::to_string(v.ToByte());
    case vb::vbInteger: return "I" + std::to_string(v.ToInt());
    case vb::vbLong: return "L" + std::to_string(v.ToLong());
    case vb::vbSingle: return "F" + Numero(v.ToSingle());
    case vb::vbDouble: return "D" + Numero(v.ToDouble());
    case vb::vbCurrency: return "Y" + std::to_string(v.ToCurrency().Raw());
    case vb::vbDate: return "T" + Numero(v.ToDate().Serial());
    case vb::vbString: return "S" + *v.StringPtr();
    default: break;
  }
  if (v.IsMissing()) return "M";
  return "S" + v.ToString();
}

void Aggiungi(std::string& out, const std::string& campo) {
  out += '\t';
  Escapa(out, campo);
}

void AggiungiValore(std::string& out, const ValoreMenu& v) {
  if (!v.IsArray()) {
    Aggiungi(out, Scalare(v.Valore()));
    return;
  }
  Aggiungi(out, "A" + std::to_string(v.Elementi().size()));
  for (const auto& e : v.Elementi()) Aggiungi(out, Scalare(e));
}

// The fields of a line; false when there are more than a frame may hold.
bool Campi(std::string_view riga, std::vector<std::string>& campi) {
  size_t tab = 0;
  for (char ch : riga)
    if (ch == '\t' && ++tab >= kCampiMassimi) return false;
  campi.assign(1, std::string());
  campi.reserve(tab + 1);
  for (size_t i = 0; i < riga.size(); ++i) {
    char ch = riga[i];
    if (ch == '\t') {
      campi.emplace_back();
    } else if (ch == '\\' && i + 1 < riga.size()) {
      char e = riga[++i];
      campi.back() += e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e;
    } else {
      campi.back() += ch;
    }
  }
  return true;
}

template <class T>
bool Intero(std::string_view s, T& out) {
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool Decimale(const std::string& s, double& out) {
  if (s.empty()) return false;
  char* fine = nullptr;
  out = std::strtod(s.c_str(), &fine);
  return fine && *fine == '\0';
}

bool LeggiScalare(const std::string& c, vb::Variant& v) {
  if (c.empty()) return false;
  const std::string r = c.substr(1);
  switch (c[0]) {
    case 'E': v = vb::Variant(); return true;
    case 'N': v = vb::Null; return true;
    case 'M': v = vb::Missing; return true;
    case 'B': v = r == "1"; return true;
    case 'U': { int n; if (!Intero(r, n) || n < 0 || n > 255) return false; v = static_cast<uint8_t>(n); return true; }
    case 'I': { int16_t n; if (!Intero(r, n)) return false; v = n; return true; }
    case 'L': { int32_t n; if (!Intero(r, n)) return false; v = static_cast<long>(n); return true; }
    // Numbers a Variant holds: finite, within the range of their type.
    case 'F': {
      double d;
      if (!Decimale(r, d) || !std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max()) return false;
      v = static_cast<float>(d);
      return true;
    }
    case 'D': { double d; if (!Decimale(r, d) || !std::isfinite(d)) return false; v = d; return true; }
    case 'Y': { int64_t n; if (!Intero(r, n)) return false; v = vb::Currency::FromRaw(n); return true; }
    case 'T': {
      // 1 January 100 to 31 December 9999, as dates go.
      double d;
      if (!Decimale(r, d) || !std::isfinite(d) || d < -657434.0 || d >= 2958466.0) return false;
      v = vb::Date::FromSerial(d);
      return true;
    }
    case 'S': v = r; return true;
    default: return false;
  }
}

// Values from field `i` on.
bool LeggiValori(const std::vector<std::string>& campi, size_t i, std::vector<ValoreMenu>& out) {
  while (i < campi.size()) {
    const std::string& c = campi[i++];
    if (!c.empty() && c[0] == 'A') {
      // The count comes from the other side: it may not reach past the
      // fields the line holds (nor wrap around when added to i).
      size_t n;
      if (!Intero(std::string_view(c).substr(1), n) || n > campi.size() - i) return false;
      std::vector<vb::Variant> el(n);
      for (size_t k = 0; k < n; ++k)
        if (!LeggiScalare(campi[i++], el[k])) return false;
      out.emplace_back(std::move(el));
    } else {
      vb::Variant v;
      if (!LeggiScalare(c, v)) return false;
      out.emplace_back(std::move(v));
    }
  }
  return true;
}

}  // namespace

std::string Codifica(const Frame& f) {
  std::string out(1, f.tipo);
  Aggiungi(out, std::to_string(f.numero));
  if (f.tipo == 'R' && f.operazione == "ERR") {
    Aggiungi(out, "ERR");
    Aggiungi(out, std::to_string(f.errore));
    Aggiungi(out, f.descrizione);
  } else if (f.tipo != 'K') {
    if (f.tipo != 'C') Aggiungi(out, f.tipo == 'R' ? std::string("OK") : f.operazione);
    for (const auto& v : f.valori) AggiungiValore(out, v);
  }
  out += '\n';
  return out;
}

namespace {

// What can be told of a frame that broke the rules: the type it claimed
// and, when readable, its number.
void Testa(std::string_view riga, Frame& f, std::string motivo) {
  f = Frame{};
  f.tipo = '?';
  f.descrizione = std::move(motivo);
  const size_t tab = riga.find('\t');
  const std::string_view tipo = riga.substr(0, tab);
  if (tipo.size() == 1) f.operazione = std::string(tipo);
  if (tab == std::string_view::npos) return;
  std::string_view numero = riga.substr(tab + 1);
  numero = numero.substr(0, std::min(numero.find('\t'), size_t{24}));
  long n = 0;
  if (Intero(numero, n) && n > 0) f.numero = n;
}

const char* Leggibile(std::string_view riga, Frame& f) {
  if (riga.size() > kRigaMassima) return "riga troppo lunga";
  std::vector<std::string> campi;
  if (!Campi(riga, campi)) return "troppi campi";
  if (campi.size() < 2 || campi[0].size() != 1) return "intestazione non valida";
  f.tipo = campi[0][0];
  if (!Intero(campi[1], f.numero) || f.numero < 0) return "numero non valido";
  switch (f.tipo) {
    case 'Q':
      if (campi.size() < 3) return "richiesta senza operazione";
      f.operazione = campi[2];
      return LeggiValori(campi, 3, f.valori) ? nullptr : "valori non validi";
    case 'C':
      if (!LeggiValori(campi, 2, f.valori)) return "valori non validi";
      return f.valori.size() >= 4 ? nullptr : "comando incompleto";
    case 'R':
      if (campi.size() < 3) return "risposta incompleta";
      f.operazione = campi[2];
      if (f.operazione == "ERR") {
        if (campi.size() < 5 || !Intero(campi[3], f.errore)) return "errore incompleto";
        f.descrizione = campi[4];
        return nullptr;
      }
      if (f.operazione != "OK") return "risposta non valida";
      return LeggiValori(campi, 3, f.valori) ? nullptr : "valori non validi";
    case 'K':
      return campi.size() == 2 ? nullptr : "annullamento non valido";
    default:
      return "tipo sconosciuto";
  }
}

}  // namespace

bool Decodifica(std::string_view riga, Frame& f) {
  if (!riga.empty() && riga.back() == '\n') riga.remove_suffix(1);
  f = Frame{};
  const char* motivo = nullptr;
  try {
    motivo = Leggibile(riga, f);
    // What is taken must go out again the same way (an answer echoes it).
    if (!motivo) (void)Codifica(f);
  } catch (const std::exception&) {
    motivo = "valori non rappresentabili";
  }
  if (!motivo) return true;
  Testa(riga, f, motivo);
  return false;
}

Frame RispostaNonValida(const Frame& nonValido) {
  Frame r;
  r.tipo = 'R';
  r.numero = nonValido.numero;
  r.operazione = "ERR";
  r.errore = 5;
  r.descrizione = "Messaggio non valido sul canale del menu: " + nonValido.descrizione;
  return r;
}

void VerificaCartellaPrivata(const std::string& percorso) {
  if (::mkdir(percorso.c_str(), 0700) != 0 && errno != EEXIST)
    vb::Solleva(70, "Impossibile creare la cartella " + percorso + ": " + std::strerror(errno));
  struct stat st{};
  if (::lstat(percorso.c_str(), &st) != 0)
    vb::Solleva(70, "Impossibile leggere la cartella " + percorso + ": " + std::strerror(errno));
  const std::string inizio = "La cartella " + percorso + " dei collegamenti col menu non è sicura: ";
  if (!S_ISDIR(st.st_mode)) vb::Solleva(70, inizio + "non è una cartella. Eliminarla e riprovare.");
  if (st.st_uid != ::getuid())
    vb::Solleva(70, inizio + "appartiene a un altro utente (uid " + std::to_string(st.st_uid) +
                        "). Eliminarla o impostare XDG_RUNTIME_DIR.");
  if (st.st_mode & 022) {
    char permessi[8];
    std::snprintf(permessi, sizeof permessi, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    vb::Solleva(70, inizio + "anche altri utenti possono scriverci (permessi " + permessi +
                        "). Eliminarla o portarne i permessi a 0700.");
  }
}

std::string CartellaRuntime() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && *xdg) {
    struct stat st{};
    if (::stat(xdg, &st) == 0 && S_ISDIR(st.st_mode)) return xdg;
  }
  // The shared /tmp: the folder is this user's only if it proves to be.
  std::string dir = "/tmp/ddt-" + std::to_string(::getuid());
  VerificaCartellaPrivata(dir);
  return dir;
}

std::string PercorsoSocket(const std::string& idMenu) {
  return CartellaRuntime() + "/velnor-menu-" + idMenu + ".sock";
}

int ConnettiSocket(const std::string& idMenu) {
  if (idMenu.empty()) return -1;
  const std::string percorso = PercorsoSocket(idMenu);
  sockaddr_un ind{};
  ind.sun_family = AF_UNIX;
  if (percorso.size() >= sizeof ind.sun_path) return -1;
  std::memcpy(ind.sun_path, percorso.c_str(), percorso.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&ind), sizeof ind) != 0) {
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  return fd;
}

Canale::~Canale() { Chiudi(); }

void Canale::Chiudi() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  entrata_.clear();
  letto_ = 0;
  uscita_.clear();
  scarta_ = false;
  testaScartata_.clear();
}

void Canale::Accogli(const char* dati, size_t n) {
  std::string_view resto(dati, n);
  while (!resto.empty()) {
    if (scarta_) {
      // Inside a line past the limit: its end closes it as one bad frame.
      const size_t fine = resto.find('\n');
      if (testaScartata_.size() < kTestaScartata)
        testaScartata_.append(resto.substr(0, std::min(fine, kTestaScartata - testaScartata_.size())));
      if (fine == std::string_view::npos) return;
      entrata_ += kSegnoTroppoLunga;
      entrata_ += testaScartata_;
      entrata_ += '\n';
      testaScartata_.clear();
      scarta_ = false;
      resto.remove_prefix(fine + 1);
      continue;
    }
    entrata_.append(resto);
    resto = {};
    // The line still open at the end may not outgrow the limit.
    const size_t ultima = entrata_.rfind('\n');
    const size_t apertura = ultima == std::string::npos || ultima < letto_ ? letto_ : ultima + 1;
    if (entrata_.size() - apertura > kRigaMassima) {
      testaScartata_ = entrata_.substr(apertura, kTestaScartata);
      entrata_.erase(apertura);
      scarta_ = true;
    }
  }
}

bool Canale::Leggi() {
  if (fd_ < 0) return false;
  char buf[65536];
  // A few lines' worth at a time: a peer that never stops writing cannot
  // keep this side reading (and growing) for ever.
  size_t letti = 0;
  while (letti < kRigaMassima) {
    ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n > 0) {
      Accogli(buf, static_cast<size_t>(n));
      letti += static_cast<size_t>(n);
      continue;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
  return true;
}

std::optional<Frame> Canale::Prossimo() {
  const size_t fine = entrata_.find('\n', letto_);
  if (fine == std::string::npos) {
    if (letto_ > 0) {
      entrata_.erase(0, letto_);
      letto_ = 0;
    }
    return std::nullopt;
  }
  const std::string_view riga(entrata_.data() + letto_, fine - letto_);
  Frame f;
  if (!riga.empty() && riga.front() == kSegnoTroppoLunga)
    Testa(riga.substr(1), f, "riga troppo lunga (oltre " + std::to_string(kRigaMassima) + " byte)");
  else
    Decodifica(riga, f);
  letto_ = fine + 1;
  // What has been read goes now and then, not line by line.
  if (letto_ == entrata_.size()) {
    entrata_.clear();
    letto_ = 0;
  } else if (letto_ > (size_t{1} << 16) && letto_ > entrata_.size() / 2) {
    entrata_.erase(0, letto_);
    letto_ = 0;
  }
  return f;
}

void Canale::Accoda(const Frame& f) {
  std::string riga = Codifica(f);
  if (riga.size() > kRigaMassima + 1)
    vb::Solleva(6, "Messaggio troppo lungo per il canale del menu (" + std::to_string(riga.size()) + " byte)");
  uscita_ += riga;
}

bool Canale::Svuota() {
  while (!uscita_.empty() && fd_ >= 0) {
    ssize_t n = ::send(fd_, uscita_.data(), uscita_.size(), MSG_NOSIGNAL);
    if (n > 0) {
      uscita_.erase(0, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    return false;
  }
  return fd_ >= 0;
}

void Canale::Invia(const Frame& f) {
  Accoda(f);
  // A peer that is alive but reads nothing must not freeze the program: the
  // frame goes within the wait, or the channel is given up.
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (DaScrivere()) {
    if (!Svuota()) {
      Chiudi();
      vb::Solleva(5, "Il menu principale non è in esecuzione");
    }
    if (DaScrivere()) {
      if (std::chrono::steady_clock::now() >= limite) {
        Chiudi();
        vb::Solleva(5, "Il menu principale non risponde");
      }
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, 1000);
    }
  }
}

}  // namespace menu

#include "platform/menu/Protocollo.h"

#include <chrono>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
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

std::vector<std::string> Campi(std::string_view riga) {
  std::vector<std::string> campi(1);
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
  return campi;
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
    case 'U': { int n; if (!Intero(r, n)) return false; v = static_cast<uint8_t>(n); return true; }
    case 'I': { int16_t n; if (!Intero(r, n)) return false; v = n; return true; }
    case 'L': { int32_t n; if (!Intero(r, n)) return false; v = static_cast<long>(n); return true; }
    case 'F': { double d; if (!Decimale(r, d)) return false; v = static_cast<float>(d); return true; }
    case 'D': { double d; if (!Decimale(r, d)) return false; v = d; return true; }
    case 'Y': { int64_t n; if (!Intero(r, n)) return false; v = vb::Currency::FromRaw(n); return true; }
    case 'T': { double d; if (!Decimale(r, d)) return false; v = vb::Date::FromSerial(d); return true; }
    case 'S': v = r; return true;
    default: return false;
  }
}

// Values from field `i` on.
bool LeggiValori(const std::vector<std::string>& campi, size_t i, std::vector<ValoreMenu>& out) {
  while (i < campi.size()) {
    const std::string& c = campi[i++];
    if (!c.empty() && c[0] == 'A') {
      size_t n;
      if (!Intero(std::string_view(c).substr(1), n) || i + n > campi.size()) return false;
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
  } else {
    if (f.tipo != 'C') Aggiungi(out, f.tipo == 'R' ? std::string("OK") : f.operazione);
    for (const auto& v : f.valori) AggiungiValore(out, v);
  }
  out += '\n';
  return out;
}

bool Decodifica(std::string_view riga, Frame& f) {
  if (!riga.empty() && riga.back() == '\n') riga.remove_suffix(1);
  auto campi = Campi(riga);
  if (campi.size() < 2 || campi[0].size() != 1) return false;
  f = Frame{};
  f.tipo = campi[0][0];
  if (!Intero(campi[1], f.numero)) return false;
  switch (f.tipo) {
    case 'Q':
      if (campi.size() < 3) return false;
      f.operazione = campi[2];
      return LeggiValori(campi, 3, f.valori);
    case 'C':
      return LeggiValori(campi, 2, f.valori) && f.valori.size() >= 4;
    case 'R':
      if (campi.size() < 3) return false;
      f.operazione = campi[2];
      if (f.operazione == "ERR") {
        if (campi.size() < 5 || !Intero(campi[3], f.errore)) return false;
        f.descrizione = campi[4];
        return true;
      }
      return f.operazione == "OK" && LeggiValori(campi, 3, f.valori);
    default:
      return false;
  }
}

std::string CartellaRuntime() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && *xdg) {
    struct stat st{};
    if (::stat(xdg, &st) == 0 && S_ISDIR(st.st_mode)) return xdg;
  }
  std::string dir = "/tmp/ddt-" + std::to_string(::getuid());
  ::mkdir(dir.c_str(), 0700);
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
  uscita_.clear();
}

bool Canale::Leggi() {
  if (fd_ < 0) return false;
  char buf[8192];
  while (true) {
    ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    if (n > 0) {
      entrata_.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n == 0) return false;
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
}

std::optional<Frame> Canale::Prossimo() {
  while (true) {
    size_t fine = entrata_.find('\n');
    if (fine == std::string::npos) return std::nullopt;
    std::string riga = entrata_.substr(0, fine);
    entrata_.erase(0, fine + 1);
    Frame f;
    if (Decodifica(riga, f)) return f;
  }
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

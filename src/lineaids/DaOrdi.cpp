// Reorder files: the line and its locked append.
#include "lineaids/DaOrdi.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace daordi {

std::string RigaDaOrdi(const std::string& psArticolo, const std::string& psDescr, const double* pdQta,
                       const std::string& psNote) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  std::string r = fc.Riempi(psArticolo, 20, " ", "S") + " - " + fc.Riempi(psDescr, 30, " ", "S") + " - ";
  if (pdQta) r += fc.Riempi(fc.Formatta(vb::Variant(*pdQta), "#,###.^^"), 10, " ", "D") + " - " + psNote;
  return r;
}

namespace {

// Windows-1252 bytes; a character without a place in that code page
// becomes "?".
std::string In1252(const std::string& s) {
  if (auto r = vb::AWindows1252(s)) return *r;
  std::string out;
  for (char32_t c : vb::InCodici(s)) {
    auto b = vb::AWindows1252(vb::DaCodici(std::u32string(1, c)));
    out += b ? *b : std::string("?");
  }
  return out;
}

struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

void AppendiBloccato(const std::string& psFile, const std::string& psRiga,
                     const std::function<void(int tentativo)>& attesa) {
  const std::string dati = In1252(psRiga) + "\r\n";
  for (int tentativo = 1;; ++tentativo) {
    Fd f;
    f.fd = ::open(psFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (f.fd < 0) {
      const int e = errno;
      throw vb::Errore(e == ENOENT ? 76 : 75, std::string(std::strerror(e)) + " - " + psFile);
    }
    if (::flock(f.fd, LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) throw vb::Errore(75, std::string(std::strerror(errno)) + " - " + psFile);
      ::close(f.fd);
      f.fd = -1;
      if (attesa) attesa(tentativo);
      continue;
    }
    size_t scritti = 0;
    while (scritti < dati.size()) {
      const ssize_t n = ::write(f.fd, dati.data() + scritti, dati.size() - scritti);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw vb::Errore(57, std::string(std::strerror(errno)) + " - " + psFile);
      }
      scritti += static_cast<size_t>(n);
    }
    return;  // the close releases the lock
  }
}

}  // namespace daordi

namespace daordi {
int& AttesaMs() {
  static int ms = 1000;
  return ms;
}
}  // namespace daordi

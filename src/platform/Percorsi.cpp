#include "platform/Percorsi.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/Testo.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

bool Esiste(const fs::path& p) {
  std::error_code ec;
  // symlink_status: a dangling link is still a name taken in its folder.
  return fs::exists(fs::symlink_status(p, ec));
}

// The entry of `cartella` equal to `nome` ignoring case. Linux may hold
// several such spellings; the smallest one is taken so the choice does not
// depend on the order the directory happens to list them.
std::optional<std::string> CercaIgnorandoMaiuscole(const fs::path& cartella,
                                                   const std::string& nome) {
  std::optional<std::string> trovato;
  std::error_code ec;
  for (fs::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec)) {
    std::string voce = it->path().filename().string();
    if (UgualeTesto(voce, nome) && (!trovato || voce < *trovato)) trovato = std::move(voce);
  }
  return trovato;
}

std::string RisolviMaiuscole(const std::string& scritto) {
  if (scritto.empty() || Esiste(scritto)) return scritto;
  const bool assoluto = scritto.front() == '/';
  std::string risultato = assoluto ? "/" : "";
  fs::path attuale = assoluto ? "/" : ".";
  bool mancante = false;
  size_t i = 0;
  while (i < scritto.size()) {
    size_t j = scritto.find('/', i);
    if (j == std::string::npos) j = scritto.size();
    std::string parte = scritto.substr(i, j - i);
    i = j + 1;
    if (parte.empty()) continue;
    if (!mancante && parte != "." && parte != ".." && !Esiste(attuale / parte)) {
      if (auto trovato = CercaIgnorandoMaiuscole(attuale, parte)) parte = *trovato;
      else mancante = true;
    }
    attuale /= parte;
    if (!risultato.empty() && risultato.back() != '/') risultato += '/';
    risultato += parte;
  }
  return risultato;
}

// Repeated and trailing separators carry no meaning on either system.
std::string Normalizza(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '/' || out.empty() || out.back() != '/') out += c;
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

}  // namespace

std::string RadiceUnita() {
  if (const char* r = std::getenv("VELNOR_ROOT"); r && *r) return r;
  if (const char* h = std::getenv("HOME"); h && *h) return std::string(h) + "/velnor";
  return "/var/lib/velnor";
}

std::string PercorsoLocale(std::string_view percorso) {
  std::string s(percorso);
  std::replace(s.begin(), s.end(), '\\', '/');
  auto lettera = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (s.starts_with("//")) {
    s = RadiceUnita() + "/unc/" + s.substr(2);
  } else if (s.size() >= 2 && lettera(s[0]) && s[1] == ':') {
    const char unita = static_cast<char>(s[0] | 0x20);  // ASCII lower case
    s = RadiceUnita() + "/" + unita + "/" + s.substr(2);
  }
  return RisolviMaiuscole(Normalizza(s));
}

bool EsisteFileLocale(std::string_view percorso) {
  std::error_code ec;
  return fs::is_regular_file(PercorsoLocale(percorso), ec);
}

}  // namespace vb

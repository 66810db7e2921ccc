#include "platform/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>
#include <unordered_set>

#include "platform/Percorsi.h"
#include "platform/Testo.h"

namespace fs = std::filesystem;

namespace vb {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

enum class Tipo { Altro, Sezione, Chiave };

// One line as stored (text and its own terminator, so untouched lines are
// written back byte for byte) plus what the profile rules read in it.
struct Riga {
  std::string testo;
  std::string fine;  // "\r\n", "\n", "\r" or "" on a last line without one
  Tipo tipo = Tipo::Altro;
  std::string nome;
  std::string valore;
};

struct Profilo {
  std::string bom;
  std::vector<Riga> righe;
  std::string fineRiga = "\n";  // terminator for the lines we add
};

std::string_view Spoglia(std::string_view s) {
  const auto a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Lines may be ANSI (Windows program) or UTF-8 (ours), even in one file.
std::string Testo(std::string_view s) {
  return Utf8Valido(s) ? std::string(s) : DaWindows1252(s);
}

void Classifica(Riga& r) {
  const std::string_view t = Spoglia(r.testo);
  if (t.empty() || t.front() == ';') return;
  if (t.front() == '[') {
    if (const auto chiusa = t.find(']'); chiusa != std::string_view::npos) {
      r.tipo = Tipo::Sezione;
      r.nome = Testo(Spoglia(t.substr(1, chiusa - 1)));
      return;
    }
  }
  const auto uguale = t.find('=');
  if (uguale == std::string_view::npos) return;
  const std::string_view chiave = Spoglia(t.substr(0, uguale));
  if (chiave.empty()) return;
  std::string_view valore = Spoglia(t.substr(uguale + 1));
  if (valore.size() >= 2 && (valore.front() == '"' || valore.front() == '\'') &&
      valore.back() == valore.front())
    valore = valore.substr(1, valore.size() - 2);
  r.tipo = Tipo::Chiave;
  r.nome = Testo(chiave);
  r.valore = Testo(valore);
}

Profilo Analizza(std::string_view dati) {
  Profilo p;
  if (dati.starts_with(kBom)) {
    p.bom = kBom;
    dati.remove_prefix(kBom.size());
  }
  // One allocation for all the lines: a file of many sections would
  // otherwise be copied over and over as the list grows.
  p.righe.reserve(static_cast<size_t>(std::count(dati.begin(), dati.end(), '\n')) + 1);
  while (!dati.empty()) {
    const auto nl = dati.find('\n');
    const size_t lunga = nl == std::string_view::npos ? dati.size() : nl;
    Riga r;
    r.testo = dati.substr(0, lunga);
    r.fine = nl == std::string_view::npos ? "" : "\n";
    if (r.testo.ends_with('\r')) {
      r.testo.pop_back();
      r.fine.insert(0, "\r");
    }
    Classifica(r);
    p.righe.push_back(std::move(r));
    dati.remove_prefix(nl == std::string_view::npos ? dati.size() : nl + 1);
  }
  if (!p.righe.empty() && p.righe.front().fine == "\r\n") p.fineRiga = "\r\n";
  return p;
}

std::string Componi(const Profilo& p) {
  std::string out = p.bom;
  for (const Riga& r : p.righe) out += r.testo + r.fine;
  return out;
}

std::optional<std::string> LeggiTutto(const fs::path& p) {
  std::error_code ec;
  if (fs::is_directory(p, ec)) return std::nullopt;
  // libstdc++ reports some read failures (EISDIR, EIO) by throwing.
  try {
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    // Read in one piece when the size is known (the file may still grow
    // or shrink meanwhile: what follows is read as it comes).
    std::string dati;
    if (const auto dim = fs::file_size(p, ec); !ec) {
      dati.resize(static_cast<size_t>(dim));
      in.read(dati.data(), static_cast<std::streamsize>(dati.size()));
      dati.resize(static_cast<size_t>(in.gcount()));
      if (in.bad()) return std::nullopt;
      if (!in.eof()) in.clear();
      else return dati;
    }
    dati.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return dati;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<Profilo> Carica(std::string_view file) {
  const fs::path p = PercorsoLocale(file);
  std::error_code ec;
  if (fs::is_directory(p, ec)) return std::nullopt;
  auto dati = LeggiTutto(p);
  if (!dati) return std::nullopt;
  return Analizza(*dati);
}

struct Intervallo {
  size_t inizio;  // the header line
  size_t fine;    // next header or end of file
};

std::optional<Intervallo> TrovaSezione(const Profilo& p, std::string_view sezione) {
  const auto& r = p.righe;
  for (size_t i = 0; i < r.size(); ++i) {
    if (r[i].tipo != Tipo::Sezione || !UgualeTesto(r[i].nome, sezione)) continue;
    size_t j = i + 1;
    while (j < r.size() && r[j].tipo != Tipo::Sezione) ++j;
    return Intervallo{i, j};
  }
  return std::nullopt;
}

std::optional<size_t> TrovaChiave(const Profilo& p, Intervallo s, std::string_view chiave) {
  for (size_t i = s.inizio + 1; i < s.fine; ++i)
    if (p.righe[i].tipo == Tipo::Chiave && UgualeTesto(p.righe[i].nome, chiave)) return i;
  return std::nullopt;
}

// Adds a line after `dopo` (-1 = at the start); a last line without a
// terminator gets one first, or the two would merge.
// A line we write goes in the code page of the legacy programs that share
// these files; one with a character outside it stays UTF-8, which Testo
// reads back as well. A file that begins with the UTF-8 mark stays UTF-8.
std::string PerFile(const Profilo& p, const std::string& utf8) {
  if (!p.bom.empty()) return utf8;
  auto ansi = AWindows1252(utf8);
  if (!ansi) return utf8;
  // Some code-page pairs are valid UTF-8 too ("È" and a non-breaking
  // space): the line goes out in the code page only when it reads back
  // as written.
  Riga scritta, voluta;
  scritta.testo = *ansi;
  voluta.testo = utf8;
  Classifica(scritta);
  Classifica(voluta);
  if (scritta.tipo != voluta.tipo || scritta.nome != voluta.nome || scritta.valore != voluta.valore) return utf8;
  return *ansi;
}

void Inserisci(Profilo& p, std::ptrdiff_t dopo, std::string testo) {
  if (dopo >= 0 && p.righe[dopo].fine.empty()) p.righe[dopo].fine = p.fineRiga;
  Riga r;
  r.testo = std::move(testo);
  r.fine = p.fineRiga;
  p.righe.insert(p.righe.begin() + (dopo + 1), std::move(r));
}

// Writes to a new file in the same folder and renames it over the old one:
// readers in other processes see either the old or the new file, and a
// crash halfway leaves at most a stray hidden temporary, never a cut ini.
bool ScriviAtomico(const fs::path& percorso, const std::string& dati) {
  std::error_code ec;
  fs::path meta = percorso;
  // Replace the file a link points to, not the link.
  if (fs::is_symlink(percorso, ec))
    if (auto vero = fs::canonical(percorso, ec); !ec) meta = vero;
  const fs::path cartella = meta.parent_path();
  if (!cartella.empty()) {
    fs::create_directories(cartella, ec);
    if (ec) return false;
  }
  // The new file is created with the mode of the one it replaces (a file
  // that may hold passwords stays as closed as it was), before any byte is
  // in it: a reader let in by a looser mode could keep the file open and
  // read what follows.
  const fs::file_status prima = fs::status(meta, ec);
  const bool c_era = fs::exists(prima);
  const mode_t modo = c_era ? static_cast<mode_t>(prima.permissions() & fs::perms::mask) : 0666;

  std::random_device caso;
  fs::path temp;
  int fd = -1;
  for (int tentativo = 0; tentativo < 16 && fd < 0; ++tentativo) {
    temp = cartella / ("." + meta.filename().string() + ".tmp" + std::to_string(caso()));
    // O_EXCL: never reuse someone else's file (nor follow a link planted there).
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, c_era ? (modo & 0600) : modo);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  // The creation mask may have taken bits the old file had: give them back
  // while the file is still empty.
  bool ok = !c_era || ::fchmod(fd, modo) == 0;
  for (size_t fatto = 0; ok && fatto < dati.size();) {
    const ssize_t n = ::write(fd, dati.data() + fatto, dati.size() - fatto);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) fatto += static_cast<size_t>(n);
  }
  // On disk before it takes the old file's name: a crash leaves one or the
  // other whole.
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) {
    fs::rename(temp, meta, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

bool SuUnaRiga(std::string_view s) { return s.find_first_of("\r\n") == std::string_view::npos; }

}  // namespace

bool LeggiProfilo(std::string_view file, std::string_view sezione, std::string_view chiave,
                  std::string& valore) {
  const auto p = Carica(file);
  if (!p) return false;
  const auto s = TrovaSezione(*p, Spoglia(sezione));
  if (!s) return false;
  const auto k = TrovaChiave(*p, *s, Spoglia(chiave));
  if (!k) return false;
  valore = p->righe[*k].valore;
  return true;
}

std::vector<std::string> SezioniProfilo(std::string_view file) {
  std::vector<std::string> nomi;
  const auto p = Carica(file);
  if (!p) return nomi;
  // Names already listed, folded as the comparison folds them: one look-up
  // per header, so a file of many sections is read in linear time.
  std::unordered_set<std::string> viste;
  for (const Riga& r : p->righe)
    if (r.tipo == Tipo::Sezione && viste.insert(Piega(r.nome)).second) nomi.push_back(r.nome);
  return nomi;
}

std::vector<std::pair<std::string, std::string>> ChiaviProfilo(std::string_view file,
                                                               std::string_view sezione) {
  std::vector<std::pair<std::string, std::string>> coppie;
  const auto p = Carica(file);
  if (!p) return coppie;
  if (const auto s = TrovaSezione(*p, Spoglia(sezione)))
    for (size_t i = s->inizio + 1; i < s->fine; ++i)
      if (p->righe[i].tipo == Tipo::Chiave) coppie.emplace_back(p->righe[i].nome, p->righe[i].valore);
  return coppie;
}

bool ScriviProfilo(std::string_view file, std::string_view sezione,
                   std::optional<std::string_view> chiave,
                   std::optional<std::string_view> valore) {
  sezione = Spoglia(sezione);
  if (chiave) chiave = Spoglia(*chiave);
  // What could not be read back as written is refused rather than stored.
  if (!SuUnaRiga(sezione) || sezione.find(']') != std::string_view::npos) return false;
  if (chiave && (chiave->empty() || !SuUnaRiga(*chiave) ||
                 chiave->find('=') != std::string_view::npos))
    return false;
  if (chiave && valore && !SuUnaRiga(*valore)) return false;

  const fs::path percorso = PercorsoLocale(file);
  std::error_code ec;
  const bool esiste = fs::exists(percorso, ec);
  if (ec) return false;
  std::string prima;
  if (esiste) {
    auto dati = LeggiTutto(percorso);
    if (!dati) return false;  // an unreadable file must not be overwritten
    prima = std::move(*dati);
  }
  Profilo p = Analizza(prima);
  const auto s = TrovaSezione(p, sezione);
  const auto k = s && chiave ? TrovaChiave(p, *s, *chiave) : std::nullopt;

  if (!chiave) {
    if (!s) return true;
    p.righe.erase(p.righe.begin() + s->inizio, p.righe.begin() + s->fine);
  } else if (!valore) {
    if (!k) return true;
    p.righe.erase(p.righe.begin() + *k);
  } else if (k) {
    // Indentation and the key as it was spelled stay; blanks before '=' go.
    Riga& r = p.righe[*k];
    const std::string_view prefisso = std::string_view(r.testo).substr(0, r.testo.find('='));
    r.testo = PerFile(p, Testo(prefisso.substr(0, prefisso.find_last_not_of(" \t") + 1)) + "=" +
                             std::string(*valore));
  } else if (s) {
    size_t ultima = s->inizio;
    for (size_t i = s->inizio + 1; i < s->fine; ++i)
      if (!Spoglia(p.righe[i].testo).empty()) ultima = i;
    Inserisci(p, static_cast<std::ptrdiff_t>(ultima), PerFile(p, std::string(*chiave) + "=" + std::string(*valore)));
  } else {
    std::ptrdiff_t ultima = static_cast<std::ptrdiff_t>(p.righe.size()) - 1;
    if (ultima >= 0 && !Spoglia(p.righe[ultima].testo).empty()) Inserisci(p, ultima++, "");
    Inserisci(p, ultima++, PerFile(p, "[" + std::string(sezione) + "]"));
    Inserisci(p, ultima, PerFile(p, std::string(*chiave) + "=" + std::string(*valore)));
  }

  const std::string dopo = Componi(p);
  if (esiste && dopo == prima) return true;
  return ScriviAtomico(percorso, dopo);
}

}  // namespace vb

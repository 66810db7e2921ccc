#include "platform/Suono.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Percorsi.h"
#include "platform/Processi.h"

namespace vb::suono {

namespace {

void Scrivi32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Scrivi16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

std::mutex& Blocco() {
  static auto* m = new std::mutex;
  return *m;
}
Riproduttore& Installato() {
  static auto* r = new Riproduttore;
  return *r;
}

// Writes the sound to a private temporary file, which the player's end
// removes again.
std::string FileTemporaneo(const std::string& dati) {
  const char* base = std::getenv("TMPDIR");
  std::string modello = std::string(base && *base ? base : "/tmp") + "/ddt-suono-XXXXXX.wav";
  std::vector<char> nome(modello.begin(), modello.end());
  nome.push_back('\0');
  const int fd = ::mkstemps(nome.data(), 4);
  if (fd < 0) return {};
  size_t scritti = 0;
  while (scritti < dati.size()) {
    const ssize_t n = ::write(fd, dati.data() + scritti, dati.size() - scritti);
    if (n <= 0) break;
    scritti += static_cast<size_t>(n);
  }
  ::close(fd);
  if (scritti != dati.size()) {
    std::remove(nome.data());
    return {};
  }
  return nome.data();
}

// `attesaMs` above 0: the caller waits for the player's end, at most that
// long (a player that hangs must not hang the program).
bool SuonaPercorso(const std::string& percorso, bool temporaneo, long attesaMs = 0) {
  const std::string lettore = Lettore();
  long pid = -1;
  struct Fine {
    std::mutex m;
    std::condition_variable cv;
    bool finito = false;
  };
  auto fine = std::make_shared<Fine>();
  if (!lettore.empty()) {
    std::vector<std::string> argv{lettore};
    if (std::filesystem::path(lettore).filename() == "aplay") argv.push_back("-q");
    argv.push_back(percorso);
    pid = processi::Avvia(argv, [percorso, temporaneo, fine](int) {
      if (temporaneo) std::remove(percorso.c_str());
      std::lock_guard<std::mutex> l(fine->m);
      fine->finito = true;
      fine->cv.notify_all();
    });
  }
  if (pid < 0 && temporaneo) std::remove(percorso.c_str());
  if (pid >= 0 && attesaMs > 0) {
    std::unique_lock<std::mutex> l(fine->m);
    fine->cv.wait_for(l, std::chrono::milliseconds(attesaMs), [&] { return fine->finito; });
  }
  return pid >= 0;
}

void SuonaDati(const std::string& wav, long attesaMs = 0) {
  const std::string f = FileTemporaneo(wav);
  if (!f.empty()) SuonaPercorso(f, true, attesaMs);
}

// How long a tone of ours lasts: its samples after the 44-byte header.
long DurataMs(const std::string& wav) {
  if (wav.size() <= 44) return 0;
  return static_cast<long>((wav.size() - 44) * 1000 / kCampioniSecondo);
}

void Predefinito(const Richiesta& r) {
  switch (r.tipo) {
    case Richiesta::Tipo::Segnale:
      // The desktop's own bell when the sound theme tool is there, else a
      // short tone.
      if (processi::Avvia({"canberra-gtk-play", "-i", "bell"}) < 0) SuonaDati(WavTono(880, 120));
      break;
    case Richiesta::Tipo::Beep:
      SuonaDati(WavTono(static_cast<float>(r.frequenza), r.durata));
      break;
    case Richiesta::Tipo::Memoria:
      // The tone built in memory plays to its end before the caller goes
      // on (a message shown after it must not talk over it), with room
      // for the player to start.
      SuonaDati(r.dati, DurataMs(r.dati) + 2000);
      break;
    case Richiesta::Tipo::File: {
      if (r.file.empty() || !EsisteFileLocale(r.file)) return;
      SuonaPercorso(PercorsoLocale(r.file), false);
      break;
    }
  }
}

void Esegui(const Richiesta& r) {
  Riproduttore chi;
  {
    std::lock_guard<std::mutex> l(Blocco());
    chi = Installato();
  }
  try {
    if (chi) chi(r);
    else Predefinito(r);
  } catch (...) {
    // A sound is never worth an error.
    if (chi) throw;
  }
}

}  // namespace

std::string WavTono(float frequenza, long durataMs) {
  const long durata = std::clamp(durataMs, 0L, kDurataMassima);
  const int64_t prodotto = static_cast<int64_t>(durata) * kCampioniSecondo;
  int64_t n = prodotto / 1000;
  const int64_t resto = prodotto % 1000;
  if (resto > 500 || (resto == 500 && n % 2 == 1)) ++n;

  std::string s;
  s.reserve(static_cast<size_t>(44 + n));
  s += "RIFF";
  Scrivi32(s, static_cast<uint32_t>(n + 36));
  s += "WAVEfmt ";
  Scrivi32(s, 16);
  Scrivi16(s, 1);
  Scrivi16(s, 1);
  Scrivi32(s, kCampioniSecondo);
  Scrivi32(s, kCampioniSecondo);
  Scrivi16(s, 1);
  Scrivi16(s, 8);
  s += "data";
  Scrivi32(s, static_cast<uint32_t>(n));
  const double pi = 4 * std::atan(1.0);
  const double f = frequenza;
  for (int64_t i = 0; i < n; ++i) {
    const double x = 2 * pi * f * static_cast<double>(i) / kCampioniSecondo;
    // The very crest of the wave would read 256; a byte holds 255.
    const double v = std::floor((std::sin(x) + 1) * 128);
    s.push_back(static_cast<char>(static_cast<uint8_t>(std::clamp(v, 0.0, 255.0))));
  }
  return s;
}

Riproduttore ImpostaRiproduttore(Riproduttore r) {
  std::lock_guard<std::mutex> l(Blocco());
  Riproduttore prima = Installato();
  Installato() = std::move(r);
  return prima;
}

void Segnale() { Esegui(Richiesta{}); }

void Beep(long frequenza, long durataMs) {
  Richiesta r;
  r.tipo = Richiesta::Tipo::Beep;
  r.frequenza = frequenza;
  r.durata = durataMs;
  Esegui(r);
}

void SuonaMemoria(const std::string& wav) {
  Richiesta r;
  r.tipo = Richiesta::Tipo::Memoria;
  r.dati = wav;
  Esegui(r);
}

void SuonaFile(const std::string& percorso) {
  Richiesta r;
  r.tipo = Richiesta::Tipo::File;
  r.file = percorso;
  Esegui(r);
}

std::string Lettore() {
  for (const char* nome : {"paplay", "pw-play", "aplay"}) {
    std::string p = processi::CercaProgramma(nome);
    if (!p.empty()) return p;
  }
  return {};
}

}  // namespace vb::suono

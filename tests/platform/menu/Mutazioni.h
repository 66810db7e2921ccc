#pragma once
// Frames of the menu channel spoiled on purpose, for the tests that feed a
// side of the channel what a broken or hostile peer could send. The
// generator is seeded, so a failure repeats; DDT_FUZZ_SECONDI lengthens the
// run (a few seconds in CI); DDT_FUZZ_TRACCIA prints the frames of the
// server test as they go.
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

namespace prova {

inline double SecondiFuzz(double predefiniti) {
  const char* v = std::getenv("DDT_FUZZ_SECONDI");
  if (v && *v) {
    const double s = std::atof(v);
    if (s > 0) return s;
  }
  return predefiniti;
}

class Mutatore {
 public:
  explicit Mutatore(unsigned seme) : g_(seme) {}

  size_t Fino(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(g_); }
  bool Caso(int suCento) { return static_cast<int>(Fino(100)) < suCento; }

  // One field of the kind a frame carries, often a wrong one.
  std::string Campo() {
    static const char* const kCampi[] = {
        "E", "N", "M", "B1", "U300", "I70000", "L-5", "F1e999", "Dnan", "Y9223372036854775807", "T-1e308",
        "Stesto", "S", "A0", "A1", "A3", "A18446744073709551615", "A18446744073709551614", "A-1", "A4294967296",
        "Z", "", "\\", "\\t", "S\\\\n", "I", "L99999999999", "Y", "T", "B",
    };
    std::string c = kCampi[Fino(std::size(kCampi))];
    if (Caso(20)) c += Byte();
    return c;
  }

  // A byte of any kind but the line end.
  char Byte() {
    static const char kScelti[] = {'\t', '\\', 'A', 'S', '9', '-', 'x', '\x01', '\r', '\0', '\xff', '\xc3'};
    if (Caso(50)) return kScelti[Fino(sizeof kScelti)];
    char c;
    do c = static_cast<char>(Fino(256));
    while (c == '\n');
    return c;
  }

  // The fields after a frame's head, spoiled.
  std::string Coda(size_t campiMassimi = 8) {
    std::string s;
    const size_t n = Fino(campiMassimi + 1);
    for (size_t i = 0; i < n; ++i) s += "\t" + Campo();
    return Guasta(std::move(s));
  }

  // A few edits: bytes changed, put in, taken out, the line cut short.
  std::string Guasta(std::string s) {
    const size_t n = Fino(4);
    for (size_t i = 0; i < n; ++i) {
      switch (Fino(4)) {
        case 0:
          if (!s.empty()) s[Fino(s.size())] = Byte();
          break;
        case 1: s.insert(s.begin() + static_cast<long>(Fino(s.size() + 1)), Byte()); break;
        case 2:
          if (!s.empty()) s.erase(Fino(s.size()), 1);
          break;
        default:
          if (!s.empty()) s.resize(Fino(s.size()));
      }
    }
    return s;
  }

  // A line of random bytes.
  std::string Rumore(size_t massimo = 64) {
    std::string s(Fino(massimo + 1), ' ');
    for (char& c : s) c = Byte();
    return s;
  }

 private:
  std::mt19937 g_;
};

}  // namespace prova

#pragma once
// Signal sounds through the desktop's sound system. The legacy played them
// with the system beep and the multimedia library; here a tone becomes a
// WAVE file handed to the first player found on the PATH (paplay, pw-play,
// aplay), in the background; only the tone built in memory (SuonaMemoria)
// is waited for, as the legacy played it synchronously. Without a sound
// system every call is silent: a missing sound is never an error.
#include <cstdint>
#include <functional>
#include <string>

namespace vb::suono {

// Sample rate of the tones: 8-bit mono samples at 11025 per second.
inline constexpr long kCampioniSecondo = 11025;
// Longest tone: beyond this the sample count (duration x 11025) would not
// fit the 32 bits the legacy worked it out in.
inline constexpr long kDurataMassima = 194783;

// A sine tone as a complete WAVE file: the 44-byte header (RIFF, PCM, mono,
// 11025 samples per second, 8 bits) and N = duration x 11025 / 1000 samples
// (halves to even); sample i = whole part of (sin(2 pi f i / 11025) + 1) x
// 128, at most 255. Frequency 0 gives silence (all 128). A negative duration
// counts as 0, one above kDurataMassima as kDurataMassima.
std::string WavTono(float frequenza, long durataMs);

// What is asked of the sound system.
struct Richiesta {
  enum class Tipo { Segnale, Beep, Memoria, File };
  Tipo tipo = Tipo::Segnale;
  long frequenza = 0;  // Beep
  long durata = 0;     // Beep, milliseconds
  std::string dati;    // Memoria: a whole WAVE file
  std::string file;    // File: the path as given
};
// Who plays: the sound system by default; tests install their own to see
// what would have sounded. An empty function restores the default.
using Riproduttore = std::function<void(const Richiesta&)>;
Riproduttore ImpostaRiproduttore(Riproduttore r);

// The desktop's warning sound (the plain system beep).
void Segnale();
// A tone of `frequenza` Hz for `durataMs` milliseconds.
void Beep(long frequenza, long durataMs);
// A WAVE file held in memory.
void SuonaMemoria(const std::string& wav);
// A sound file (Windows paths are mapped); a missing file stays silent.
void SuonaFile(const std::string& percorso);

// The player the sound system would use ("" when there is none).
std::string Lettore();

}  // namespace vb::suono

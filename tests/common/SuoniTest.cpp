#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Suono.h"
#include "support/CartellaTemp.h"

using vb::suono::Richiesta;

namespace {

uint32_t Leggi32(const std::string& s, size_t i) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[i])) | static_cast<uint32_t>(static_cast<uint8_t>(s[i + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[i + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[i + 3])) << 24;
}
uint16_t Leggi16(const std::string& s, size_t i) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[i]) | static_cast<uint8_t>(s[i + 1]) << 8);
}
int Campione(const std::string& s, size_t i) { return static_cast<uint8_t>(s[44 + i]); }

class Suoni : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    prima_ = vb::suono::ImpostaRiproduttore([this](const Richiesta& r) { suoni_.push_back(r); });
  }
  void TearDown() override {
    vb::suono::ImpostaRiproduttore(prima_);
    AzzeraGlobali();
  }
  std::vector<Richiesta> suoni_;
  vb::suono::Riproduttore prima_;
};

}  // namespace

TEST_F(Suoni, ToneOfMinus1000For100MsByteByByte) {
  const std::string w = FunVarie::CreaWavTono(-1000, 100);
  ASSERT_EQ(w.size(), 1146u);  // 44 + 1102 (1102.5 to even)
  EXPECT_EQ(w.substr(0, 4), "RIFF");
  EXPECT_EQ(Leggi32(w, 4), 1138u);
  EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(Leggi32(w, 16), 16u);
  EXPECT_EQ(Leggi16(w, 20), 1);
  EXPECT_EQ(Leggi16(w, 22), 1);
  EXPECT_EQ(Leggi32(w, 24), 11025u);
  EXPECT_EQ(Leggi32(w, 28), 11025u);
  EXPECT_EQ(Leggi16(w, 32), 1);
  EXPECT_EQ(Leggi16(w, 34), 8);
  EXPECT_EQ(w.substr(36, 4), "data");
  EXPECT_EQ(Leggi32(w, 40), 1102u);
  // From the mid level, the negative frequency going down first.
  EXPECT_EQ(Campione(w, 0), 128);
  const double pi = 4 * std::atan(1.0);
  for (size_t i = 0; i < 1102; ++i) {
    const int atteso = static_cast<int>(std::floor((std::sin(2 * pi * -1000.0 * static_cast<double>(i) / 11025) + 1) * 128));
    ASSERT_EQ(Campione(w, i), atteso) << i;
  }
  EXPECT_EQ(Campione(w, 1), 58);  // (sin(-0.5699) + 1) x 128 = 58.9
  EXPECT_EQ(Campione(w, 3), 1);   // near the trough: (1 - 0.9904) x 128
}

TEST_F(Suoni, ZeroFrequencyIsSilence) {
  const std::string w = FunVarie::CreaWavTono(0, 50);
  ASSERT_EQ(w.size(), 44u + 551u);
  EXPECT_EQ(Leggi32(w, 40), 551u);
  for (size_t i = 0; i < 551; ++i) ASSERT_EQ(Campione(w, i), 128);
}

TEST_F(Suoni, TheCrestStaysInAByte) {
  // A quarter of the sample rate puts sample 1 exactly on the crest.
  const std::string w = FunVarie::CreaWavTono(11025.0f / 4, 10);
  EXPECT_EQ(Campione(w, 1), 255);
}

TEST_F(Suoni, DurationsOutOfRange) {
  EXPECT_EQ(FunVarie::CreaWavTono(440, -5).size(), 44u);
  EXPECT_EQ(Leggi32(FunVarie::CreaWavTono(0, 1000000), 40), static_cast<uint32_t>(std::lround(194783 * 11.025)));
}

TEST_F(Suoni, EmptySettingIsTheDesktopSignal) {
  FunVarie::Suona();
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, Richiesta::Tipo::Segnale);
}

TEST_F(Suoni, PositiveFrequencyWithoutDurationBeeps20Ms) {
  G().gsBeepCome = "800";
  FunVarie::Suona();
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, Richiesta::Tipo::Beep);
  EXPECT_EQ(suoni_[0].frequenza, 800);
  EXPECT_EQ(suoni_[0].durata, 20);
}

TEST_F(Suoni, NegativeFrequencyPlaysTheToneFromMemory) {
  G().gsBeepCome = "-1000;100";
  FunVarie::Suona();
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, Richiesta::Tipo::Memoria);
  EXPECT_EQ(suoni_[0].dati, FunVarie::CreaWavTono(-1000, 100));
}

TEST_F(Suoni, FileNameIgnoresWhatFollowsTheSemicolon) {
  G().gsBeepCome = "C:\\Suoni\\avviso.wav;300";
  FunVarie::Suona();
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, Richiesta::Tipo::File);
  EXPECT_EQ(suoni_[0].file, "C:\\Suoni\\avviso.wav");
}

TEST_F(Suoni, EmptyFrequencyIsAnEmptyFileName) {
  G().gsBeepCome = ";100";
  FunVarie::Suona();
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, Richiesta::Tipo::File);
  EXPECT_EQ(suoni_[0].file, "");
}

// The sound system: the first player on the PATH gets the tone as a WAVE
// file; without one nothing sounds and nothing fails.
TEST(SuoniSistema, ThePlayerGetsTheToneAndWithoutOneAllIsSilent) {
  prova::CartellaTemp dir("lettore");
  const std::string copia = dir.Percorso("suonato.wav");
  dir.Scrivi("aplay", "#!/bin/sh\n[ \"$1\" = -q ] && /bin/cp \"$2\" '" + copia + ".tmp' && /bin/mv '" + copia + ".tmp' '" + copia + "'\n");
  ::chmod(dir.Percorso("aplay").c_str(), 0755);
  const char* vecchio = std::getenv("PATH");
  const std::string path = vecchio ? vecchio : "";
  auto prima = vb::suono::ImpostaRiproduttore({});

  ::setenv("PATH", dir.Dir().c_str(), 1);
  EXPECT_EQ(vb::suono::Lettore(), dir.Percorso("aplay"));
  // The tone built in memory is played to its end before the call returns.
  vb::suono::SuonaMemoria(vb::suono::WavTono(-1000, 100));
  EXPECT_EQ(dir.Leggi("suonato.wav"), vb::suono::WavTono(-1000, 100));

  ::setenv("PATH", dir.Percorso("nessuna").c_str(), 1);
  EXPECT_EQ(vb::suono::Lettore(), "");
  vb::suono::SuonaMemoria(vb::suono::WavTono(440, 10));
  vb::suono::Beep(800, 20);
  vb::suono::SuonaFile(dir.Percorso("manca.wav"));
  vb::suono::Segnale();

  ::setenv("PATH", path.c_str(), 1);
  vb::suono::ImpostaRiproduttore(prima);
}

#include "platform/Percorsi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and puts the old value back.
class VariabileTemporanea {
 public:
  VariabileTemporanea(const char* nome, const char* valore) : nome_(nome) {
    if (const char* v = std::getenv(nome)) vecchio_ = v;
    if (valore) setenv(nome, valore, 1);
    else unsetenv(nome);
  }
  ~VariabileTemporanea() {
    if (vecchio_) setenv(nome_, vecchio_->c_str(), 1);
    else unsetenv(nome_);
  }

 private:
  const char* nome_;
  std::optional<std::string> vecchio_;
};

fs::path CartellaTemporanea() {
  const char* base = std::getenv("DDT_TEST_TMP");
  fs::path d = (base && *base) ? fs::path(base) : fs::temp_directory_path();
  d /= "percorsi-" + std::to_string(std::random_device{}());
  fs::create_directories(d);
  return d;
}

class PercorsiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(radice_);
    radiceEnv_.emplace("VELNOR_ROOT", radice_.c_str());
  }
  void TearDown() override {
    radiceEnv_.reset();
    fs::remove_all(tmp_);
  }
  static void Crea(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "[A]\n";
  }

  fs::path tmp_ = CartellaTemporanea();
  fs::path radice_ = tmp_ / "radice";
  std::optional<VariabileTemporanea> radiceEnv_;
};

TEST_F(PercorsiTest, RadiceDaAmbienteOCasa) {
  EXPECT_EQ(vb::RadiceUnita(), radice_.string());
  VariabileTemporanea casa("HOME", "/home/ufficio");
  {
    VariabileTemporanea vuota("VELNOR_ROOT", "");
    EXPECT_EQ(vb::RadiceUnita(), "/home/ufficio/velnor");
  }
  VariabileTemporanea nessuna("VELNOR_ROOT", nullptr);
  EXPECT_EQ(vb::RadiceUnita(), "/home/ufficio/velnor");
  VariabileTemporanea senzaCasa("HOME", nullptr);
  EXPECT_EQ(vb::RadiceUnita(), "/var/lib/velnor");
}

TEST_F(PercorsiTest, MappaturaPercorsiWindows) {
  // @R = drive root, @T = test folder (for a Linux path that surely is absent).
  struct Caso {
    std::string dato, atteso;
  };
  const Caso casi[] = {
      {R"(C:\VelnorInst.ini)", "@R/c/VelnorInst.ini"},
      {R"(d:\Dati\Ditta1\velnor.ini)", "@R/d/Dati/Ditta1/velnor.ini"},
      {R"(D:/Dati\Ditta1/velnor.ini)", "@R/d/Dati/Ditta1/velnor.ini"},
      {R"(C:\Dati\\Archivio\)", "@R/c/Dati/Archivio"},
      {R"(C:)", "@R/c"},
      {R"(\\server\share\x.ini)", "@R/unc/server/share/x.ini"},
      {"@T/assente/Dati/x.ini", "@T/assente/Dati/x.ini"},
      {R"(@T/assente\Dati\x.ini)", "@T/assente/Dati/x.ini"},
      {R"(archivio_assente\x.ini)", "archivio_assente/x.ini"},
  };
  auto espandi = [&](std::string s) {
    for (auto [segno, con] : {std::pair{"@R", radice_.string()}, std::pair{"@T", tmp_.string()}})
      if (s.starts_with(segno)) s = con + s.substr(2);
    return s;
  };
  for (const auto& c : casi)
    EXPECT_EQ(vb::PercorsoLocale(espandi(c.dato)), espandi(c.atteso)) << c.dato;
}

TEST_F(PercorsiTest, MaiuscoleRisolteComeSuWindows) {
  Crea(radice_ / "d/Dati/Velnor.INI");
  const std::string vero = (radice_ / "d/Dati/Velnor.INI").string();
  EXPECT_EQ(vb::PercorsoLocale(R"(D:\DATI\velnor.ini)"), vero);
  EXPECT_EQ(vb::PercorsoLocale(R"(d:\dati\VELNOR.ini)"), vero);
  EXPECT_TRUE(vb::EsisteFileLocale(R"(D:\dati\velnor.ini)"));
  // The part found in no spelling is kept as asked, ready to be created.
  EXPECT_EQ(vb::PercorsoLocale(R"(D:\DATI\Nuova\x.ini)"), (radice_ / "d/Dati/Nuova/x.ini").string());
  EXPECT_FALSE(vb::EsisteFileLocale(R"(D:\dati\altro.ini)"));
  EXPECT_FALSE(vb::EsisteFileLocale(R"(D:\dati)"));  // a folder is not a file
}

TEST_F(PercorsiTest, SpellingEsattoPreferito) {
  Crea(radice_ / "c/velnor.ini");
  Crea(radice_ / "c/VELNOR.INI");
  EXPECT_EQ(vb::PercorsoLocale(R"(C:\velnor.ini)"), (radice_ / "c/velnor.ini").string());
  EXPECT_EQ(vb::PercorsoLocale(R"(C:\VELNOR.INI)"), (radice_ / "c/VELNOR.INI").string());
  // Two candidates: the choice does not depend on the directory order.
  EXPECT_EQ(vb::PercorsoLocale(R"(C:\Velnor.ini)"), (radice_ / "c/VELNOR.INI").string());
}

}  // namespace

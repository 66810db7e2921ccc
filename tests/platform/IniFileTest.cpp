#include "platform/IniFile.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using std::nullopt;

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() {
    const char* base = std::getenv("DDT_TEST_TMP");
    tmp_ = (base && *base) ? fs::path(base) : fs::temp_directory_path();
    tmp_ /= "ini-" + std::to_string(std::random_device{}());
    fs::create_directories(tmp_);
    ini_ = (tmp_ / "velnor.ini").string();
  }
  ~IniFileTest() override { fs::remove_all(tmp_); }

  void Scrivi(const std::string& dati) const { std::ofstream(ini_, std::ios::binary) << dati; }
  std::string Contenuto() const {
    std::ifstream in(ini_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path tmp_;
  std::string ini_;
};

constexpr const char* kEsempio =
    "; impostazioni della ditta\r\n"
    "[Generale]\r\n"
    "Ditta = Rossi Srl\r\n"
    "Percorso=C:\\Dati\r\n"
    "Vuota=\r\n"
    ";Nascosta=1\r\n"
    "  ; Rientrata=1\r\n"
    "SenzaUguale\r\n"
    "\tTab\t=\tvalore\t\r\n"
    "Virgolette=\"  spazi  \"\r\n"
    "Apici='x'\r\n"
    "Spaiate=\"abc'\r\n"
    "Doppia=1\r\n"
    "DOPPIA=2\r\n"
    "[ altra ]\r\n"
    "Chiave = a=b\r\n"
    "[Società]\r\n"
    "Città=Forlì\r\n"
    "[GENERALE]\r\n"
    "Ditta=Seconda\r\n"
    "Solo=qui";

TEST_F(IniFileTest, Lettura) {
  Scrivi(kEsempio);
  struct Caso {
    const char *sezione, *chiave;
    bool trovata;
    const char* valore;
  };
  const Caso casi[] = {
      {"Generale", "Ditta", true, "Rossi Srl"},
      {"generale", "DITTA", true, "Rossi Srl"},  // first section wins
      {"Generale", "percorso", true, "C:\\Dati"},
      {"Generale", "Vuota", true, ""},
      {"Generale", ";Nascosta", false, ""},
      {"Generale", "Nascosta", false, ""},
      {"Generale", "Rientrata", false, ""},
      {"Generale", "SenzaUguale", false, ""},
      {"Generale", "tab", true, "valore"},
      {"Generale", "Virgolette", true, "  spazi  "},
      {"Generale", "Apici", true, "x"},
      {"Generale", "Spaiate", true, "\"abc'"},
      {"Generale", "doppia", true, "1"},
      {"ALTRA", "chiave", true, "a=b"},
      {"SOCIETÀ", "CITTÀ", true, "Forlì"},
      {"Generale", "Solo", false, ""},
      {"Generale", "Manca", false, ""},
      {"Manca", "Ditta", false, ""},
  };
  for (const auto& c : casi) {
    std::string v = "predefinito";
    EXPECT_EQ(vb::LeggiProfilo(ini_, c.sezione, c.chiave, v), c.trovata)
        << c.sezione << "/" << c.chiave;
    EXPECT_EQ(v, c.trovata ? c.valore : "predefinito") << c.sezione << "/" << c.chiave;
  }
}

TEST_F(IniFileTest, FileMancante) {
  std::string v = "predefinito";
  EXPECT_FALSE(vb::LeggiProfilo(ini_, "A", "x", v));
  EXPECT_EQ(v, "predefinito");
  EXPECT_TRUE(vb::SezioniProfilo(ini_).empty());
  EXPECT_TRUE(vb::ChiaviProfilo(ini_, "A").empty());
}

TEST_F(IniFileTest, BomFineRigaEAnsi) {
  Scrivi("\xEF\xBB\xBF[A]\r\nx=1\r\n[Societ\xE0]\nDitta=Caff\xE8 Bar\n");
  std::string v;
  ASSERT_TRUE(vb::LeggiProfilo(ini_, "a", "X", v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(vb::LeggiProfilo(ini_, "SOCIETÀ", "ditta", v));
  EXPECT_EQ(v, "Caffè Bar");
}

TEST_F(IniFileTest, ElenchiSezioniEChiavi) {
  Scrivi(kEsempio);
  EXPECT_EQ(vb::SezioniProfilo(ini_), (std::vector<std::string>{"Generale", "altra", "Società"}));
  using Coppie = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(vb::ChiaviProfilo(ini_, "altra"), (Coppie{{"Chiave", "a=b"}}));
  EXPECT_EQ(vb::ChiaviProfilo(ini_, "generale").size(), 9u);
  EXPECT_EQ(vb::ChiaviProfilo(ini_, "generale").front(), (Coppie::value_type{"Ditta", "Rossi Srl"}));
}

TEST_F(IniFileTest, OgniChiamataRileggeIlFile) {
  std::string v;
  Scrivi("[A]\nx=1\n");
  ASSERT_TRUE(vb::LeggiProfilo(ini_, "A", "x", v));
  EXPECT_EQ(v, "1");
  Scrivi("[A]\nx=2\n");  // another process changed it
  ASSERT_TRUE(vb::LeggiProfilo(ini_, "A", "x", v));
  EXPECT_EQ(v, "2");
}

struct CasoScrittura {
  const char* nome;
  std::string prima;
  const char* sezione;
  std::optional<std::string_view> chiave, valore;
  std::string dopo;
};

// Keeps the case name, not a byte dump, in the test listing.
void PrintTo(const CasoScrittura& c, std::ostream* os) { *os << c.nome; }

class IniScritturaTest : public IniFileTest, public ::testing::WithParamInterface<CasoScrittura> {};

TEST_P(IniScritturaTest, SoloLeRigheToccateCambiano) {
  const auto& c = GetParam();
  Scrivi(c.prima);
  ASSERT_TRUE(vb::ScriviProfilo(ini_, c.sezione, c.chiave, c.valore));
  EXPECT_EQ(Contenuto(), c.dopo);
  if (c.chiave) {
    std::string v;
    EXPECT_EQ(vb::LeggiProfilo(ini_, c.sezione, *c.chiave, v), c.valore.has_value());
    if (c.valore) {
      EXPECT_EQ(v, *c.valore);
    }
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp_), fs::directory_iterator()), 1)
      << "temporary file left behind";
}

const std::string kDueSezioni = "; testa\r\n[A]\r\n  Key = vecchio\r\ny=2\r\n\r\n[B]\r\nKey=b\r\n";

INSTANTIATE_TEST_SUITE_P(
    Casi, IniScritturaTest,
    ::testing::Values(
        CasoScrittura{"SostituisceSulPosto", kDueSezioni, "a", "KEY", "nuovo",
                      "; testa\r\n[A]\r\n  Key=nuovo\r\ny=2\r\n\r\n[B]\r\nKey=b\r\n"},
        CasoScrittura{"AggiungeDopoUltimaRigaPiena", kDueSezioni, "A", "z", "3",
                      "; testa\r\n[A]\r\n  Key = vecchio\r\ny=2\r\nz=3\r\n\r\n[B]\r\nKey=b\r\n"},
        CasoScrittura{"AggiungeSezioneInFondo", kDueSezioni, "Nuova", "k", "v",
                      kDueSezioni + "\r\n[Nuova]\r\nk=v\r\n"},
        CasoScrittura{"AggiungeSezioneConFineLf", "[A]\nx=1", "B", "k", "v",
                      "[A]\nx=1\n\n[B]\nk=v\n"},
        CasoScrittura{"UltimaRigaSenzaFine", "[A]\nx=1", "A", "z", "3", "[A]\nx=1\nz=3\n"},
        CasoScrittura{"PrimaChiaveVince", "[A]\nx=1\nX=2\n", "A", "x", "9", "[A]\nx=9\nX=2\n"},
        CasoScrittura{"BomMantenuto", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "2",
                      "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
        // What we write is in the legacy programs' code page, like the rest.
        CasoScrittura{"RigheAnsiIntatte", "[A]\r\nd=Caff\xE8\r\nx=1\r\n", "A", "x", "Città €",
                      "[A]\r\nd=Caff\xE8\r\nx=Citt\xE0 \x80\r\n"},
        CasoScrittura{"ChiaveUtf8RiscrittaInAnsi", "[A]\nCittà=1\n", "A", "città", "Forlì",
                      "[A]\nCitt\xE0=Forl\xEC\n"},
        CasoScrittura{"FuoriDalCodiceAnsiRestaUtf8", "[A]\nx=1\n", "Città", "Nome", "東京",
                      "[A]\nx=1\n\n[Citt\xE0]\nNome=東京\n"},
        // "È" and a non-breaking space in the code page are valid UTF-8 for
        // another letter: such a line stays UTF-8 so that it reads back.
        CasoScrittura{"AnsiAmbiguoRestaUtf8", "[A]\nx=1\n", "A", "x", "È\u00A0ok",
                      "[A]\nx=È\u00A0ok\n"},
        CasoScrittura{"BomResoUtf8", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "Città",
                      "\xEF\xBB\xBF[A]\r\nx=Città\r\n"},
        CasoScrittura{"CancellaChiave", kDueSezioni, "A", "key", nullopt,
                      "; testa\r\n[A]\r\ny=2\r\n\r\n[B]\r\nKey=b\r\n"},
        CasoScrittura{"CancellaSezione", kDueSezioni, "a", nullopt, nullopt,
                      "; testa\r\n[B]\r\nKey=b\r\n"},
        CasoScrittura{"CancellaSoloPrimaSezione", "[A]\nx=1\n[B]\n[a]\nx=2\n", "A", nullopt,
                      nullopt, "[B]\n[a]\nx=2\n"},
        CasoScrittura{"CancellaChiaveMancante", kDueSezioni, "A", "manca", nullopt, kDueSezioni},
        CasoScrittura{"CancellaSezioneMancante", kDueSezioni, "C", nullopt, nullopt, kDueSezioni},
        CasoScrittura{"StessoValore", kDueSezioni, "B", "key", "b", kDueSezioni}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(IniFileTest, CreaFileECartelle) {
  const std::string nuovo = (tmp_ / "Dati/Ditta1/nuovo.ini").string();
  ASSERT_TRUE(vb::ScriviProfilo(nuovo, "Generale", "Ditta", "Rossi"));
  std::string v;
  ASSERT_TRUE(vb::LeggiProfilo(nuovo, "generale", "ditta", v));
  EXPECT_EQ(v, "Rossi");
  std::ifstream in(nuovo, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "[Generale]\nDitta=Rossi\n");
}

TEST_F(IniFileTest, CancellareSuFileMancanteNonLoCrea) {
  const fs::path nuovo = tmp_ / "Dati/nuovo.ini";
  EXPECT_TRUE(vb::ScriviProfilo(nuovo.string(), "A", "x", nullopt));
  EXPECT_TRUE(vb::ScriviProfilo(nuovo.string(), "A", nullopt, nullopt));
  EXPECT_FALSE(fs::exists(nuovo.parent_path()));
}

TEST_F(IniFileTest, PermessiMantenuti) {
  Scrivi("[A]\nx=1\n");
  const auto permessi = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(ini_, permessi);
  ASSERT_TRUE(vb::ScriviProfilo(ini_, "A", "x", "2"));
  EXPECT_EQ(fs::status(ini_).permissions(), permessi);
}

// What happens to the temporary file of a rewrite, in order, as the
// kernel reports it: its mode may change only while it is still empty, so
// nobody the old file kept out can open the new one and read it.
TEST_F(IniFileTest, IlTemporaneoHaIPermessiFinaliPrimaDelContenuto) {
  struct Caso {
    fs::perms permessi;
    mode_t maschera;
  };
  using P = fs::perms;
  const Caso casi[] = {
      {P::owner_read | P::owner_write, 022},
      {P::owner_read | P::owner_write | P::group_read, 077},  // the mask must not narrow it
      {P::owner_read | P::owner_write | P::group_read | P::group_write | P::others_read, 022},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(static_cast<int>(c.permessi));
    Scrivi("[Db]\nPWD=vecchia\n");
    fs::permissions(ini_, c.permessi);
    const int in = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(in, 0);
    ASSERT_GE(inotify_add_watch(in, tmp_.c_str(), IN_CREATE | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_MOVED_FROM),
              0);
    const mode_t vecchia = umask(c.maschera);
    const bool scritto = vb::ScriviProfilo(ini_, "Db", "PWD", "segreta");
    umask(vecchia);
    ASSERT_TRUE(scritto);
    std::vector<uint32_t> eventi;
    alignas(inotify_event) char buf[8192];
    for (ssize_t n; (n = read(in, buf, sizeof buf)) > 0;) {
      for (char* q = buf; q < buf + n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(q);
        if (e->len && std::string(e->name).starts_with(".velnor.ini.tmp")) eventi.push_back(e->mask);
        q += sizeof(inotify_event) + e->len;
      }
    }
    close(in);
    ASSERT_FALSE(eventi.empty());
    EXPECT_TRUE(eventi.front() & IN_CREATE);
    bool scritti = false;
    for (uint32_t m : eventi) {
      if (m & IN_MODIFY) scritti = true;
      EXPECT_FALSE(scritti && (m & IN_ATTRIB)) << "permessi cambiati dopo la scrittura";
    }
    EXPECT_TRUE(scritti);
    EXPECT_TRUE(eventi.back() & IN_MOVED_FROM);
    EXPECT_EQ(fs::status(ini_).permissions(), c.permessi);
    EXPECT_EQ(Contenuto(), "[Db]\nPWD=segreta\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp_), fs::directory_iterator()), 1);
  }
}

// Section names of a large file come back in linear time (each new name
// was compared with all the earlier ones). Not a timing: the figures are in
// the benchmark; here only the answer for a file of many sections.
TEST_F(IniFileTest, MoltiSezioniTutteUnaVolta) {
  std::string dati;
  for (int i = 0; i < 20000; ++i) dati += "[Sezione" + std::to_string(i) + "]\nx=1\n";
  dati += "[sezione7]\n[SEZIONE19999]\n[Àncora]\n[àNCORA]\n";
  Scrivi(dati);
  const auto nomi = vb::SezioniProfilo(ini_);
  ASSERT_EQ(nomi.size(), 20001u);
  EXPECT_EQ(nomi[7], "Sezione7");
  EXPECT_EQ(nomi[19999], "Sezione19999");
  EXPECT_EQ(nomi.back(), "Àncora");
}

TEST_F(IniFileTest, ErroriRestituisconoFalse) {
  Scrivi("[A]\nx=1\n");
  // A file where a folder should be: the path cannot be created.
  EXPECT_FALSE(vb::ScriviProfilo(ini_ + "/sotto/x.ini", "A", "x", "1"));
  // Line breaks would split the entry into other lines.
  EXPECT_FALSE(vb::ScriviProfilo(ini_, "A", "x", "uno\ndue"));
  EXPECT_FALSE(vb::ScriviProfilo(ini_, "A\r\n[B", "x", "1"));
  EXPECT_FALSE(vb::ScriviProfilo(ini_, "A", "x=y", "1"));
  EXPECT_FALSE(vb::ScriviProfilo(ini_, "A", "", "1"));
  EXPECT_EQ(Contenuto(), "[A]\nx=1\n");
}

TEST_F(IniFileTest, CartellaNonScrivibile) {
  const fs::path sola = tmp_ / "sola";
  fs::create_directories(sola);
  fs::permissions(sola, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(sola / "prova")) {
    fs::permissions(sola, fs::perms::owner_all);
    GTEST_SKIP() << "permissions are not enforced for this user";
  }
  EXPECT_FALSE(vb::ScriviProfilo((sola / "x.ini").string(), "A", "x", "1"));
  fs::permissions(sola, fs::perms::owner_all);
}

TEST_F(IniFileTest, PercorsoWindowsConMaiuscoleDiverse) {
  const char* vecchia = std::getenv("VELNOR_ROOT");
  const std::optional<std::string> radice = vecchia ? std::optional<std::string>(vecchia) : nullopt;
  setenv("VELNOR_ROOT", tmp_.c_str(), 1);
  fs::create_directories(tmp_ / "d/Dati");
  ini_ = (tmp_ / "d/Dati/Velnor.INI").string();
  Scrivi("[Ditta]\r\nNome=Rossi\r\n");
  std::string v;
  EXPECT_TRUE(vb::LeggiProfilo(R"(D:\DATI\velnor.ini)", "ditta", "nome", v));
  EXPECT_EQ(v, "Rossi");
  // Written into the existing file, not into a second one spelled differently.
  EXPECT_TRUE(vb::ScriviProfilo(R"(d:\dati\VELNOR.ini)", "Ditta", "Nome", "Bianchi"));
  EXPECT_EQ(Contenuto(), "[Ditta]\r\nNome=Bianchi\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(tmp_ / "d/Dati"), fs::directory_iterator()), 1);
  if (radice) setenv("VELNOR_ROOT", radice->c_str(), 1);
  else unsetenv("VELNOR_ROOT");
}

}  // namespace

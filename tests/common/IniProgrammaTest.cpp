#include <gtest/gtest.h>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/mainDdt.h"
#include "platform/MsgBox.h"
#include "support/CartellaTemp.h"

using vb::Variant;

namespace {

class IniProgramma : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    G().gsFileIni = dir_.Percorso("velnor.ini");
    G().gsFileIniDb = dir_.Percorso("ditta1.ini");
    precedente_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return vb::vbOK;
    });
  }
  void TearDown() override {
    vb::ImpostaGestoreMsgBox(precedente_);
    AzzeraGlobali();
  }

  std::string Suite() const { return dir_.Leggi("velnor.ini"); }
  std::string DiDitta() const { return dir_.Leggi("ditta1.ini"); }

  prova::CartellaTemp dir_{"ini"};
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox precedente_;
};

}  // namespace

TEST_F(IniProgramma, EmptyValueInSuiteCountsAsAbsent) {
  dir_.Scrivi("velnor.ini", "[Base]\nChiave=\n");
  EXPECT_TRUE(mainDdt::ScriviIni("Base", "Chiave", "7").ToBool());
  EXPECT_EQ(Suite(), "[Base]\nChiave=7\n");
  EXPECT_FALSE(dir_.Esiste("ditta1.ini"));
}

TEST_F(IniProgramma, KeyOnlyInSecondIniIsUpdatedThere) {
  dir_.Scrivi("velnor.ini", "[Base]\nAltro=1\n");
  dir_.Scrivi("ditta1.ini", "[Base]\nChiave=vecchio\n");
  EXPECT_TRUE(mainDdt::ScriviIni("Base", "Chiave", "nuovo", false, true, 1).ToBool());
  EXPECT_EQ(DiDitta(), "[Base]\nChiave=nuovo\n");
  EXPECT_EQ(Suite(), "[Base]\nAltro=1\n");
}

TEST_F(IniProgramma, SecondIniSameAsSuiteIsNotSearched) {
  G().gsFileIniDb = dir_.Percorso("VELNOR.INI");
  dir_.Scrivi("velnor.ini", "[Base]\n");
  EXPECT_TRUE(mainDdt::ScriviIni("Base", "K", "v", false, true, 2).ToBool());
  EXPECT_EQ(Suite(), "[Base]\nK=v\n");
}

TEST_F(IniProgramma, NothingWrittenWhenCreationRefused) {
  dir_.Scrivi("velnor.ini", "[Base]\n");
  EXPECT_FALSE(mainDdt::ScriviIni("Base", "K", "v", false, false).ToBool());
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_FALSE(mainDdt::ScriviIni("Base", "K", "v", true, false).ToBool());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0],
            "Aggiornamento del valore : v\r\nnella sezione : Base\r\nparametro : K\r\n"
            "NON RIUSCITO.\r\ndurante la ricerca");
  EXPECT_EQ(Suite(), "[Base]\n");
}

TEST_F(IniProgramma, WhichFileReceivesANewKey) {
  EXPECT_TRUE(mainDdt::ScriviIni("S", "K", "db", false, true, 2).ToBool());
  EXPECT_EQ(DiDitta(), "[S]\nK=db\n");
  G().gsFileIniDb.clear();
  EXPECT_TRUE(mainDdt::ScriviIni("S", "K2", "suite", false, true, 2).ToBool());
  EXPECT_EQ(Suite(), "[S]\nK2=suite\n");
}

TEST_F(IniProgramma, ExplicitFileIsWrittenWithoutSearching) {
  dir_.Scrivi("velnor.ini", "[S]\nK=suite\n");
  const std::string altro = dir_.Percorso("opzioni.ini");
  EXPECT_TRUE(mainDdt::ScriviIni("S", "K", "x", false, false, 1, false, false, altro).ToBool());
  EXPECT_EQ(dir_.Leggi("opzioni.ini"), "[S]\nK=x\n");
  EXPECT_EQ(Suite(), "[S]\nK=suite\n");
}

TEST_F(IniProgramma, SectionDeletionWinsOverKeyDeletion) {
  dir_.Scrivi("velnor.ini", "[A]\nK=1\nJ=2\n[B]\nK=3\n");
  EXPECT_TRUE(mainDdt::ScriviIni("A", "K", "", false, true, 1, true, true).ToBool());
  EXPECT_EQ(Suite(), "[B]\nK=3\n");
  EXPECT_TRUE(mainDdt::ScriviIni("B", "K", "", false, true, 1, false, true).ToBool());
  EXPECT_EQ(Suite(), "[B]\n");
}

TEST_F(IniProgramma, FailedWriteIsReportedNotHidden) {
  G().gsFileIni = dir_.Percorso("cartella");  // a folder: cannot be written as a file
  std::filesystem::create_directories(G().gsFileIni);
  EXPECT_FALSE(mainDdt::ScriviIni("S", "K", "v", true).ToBool());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("durante l' aggiornamento(1)"), std::string::npos) << messaggi_[0];
}

TEST_F(IniProgramma, LeggiParIniReadsBothFilesAndDefaults) {
  dir_.Scrivi("velnor.ini", "[Base]\nA=suite\nVuota=\n");
  dir_.Scrivi("ditta1.ini", "[base]\nb=ditta\nVuota=daDb\nA=perde\n");
  std::string v;
  EXPECT_EQ(FunVarie::LeggiParIni("Base", "A", "def", v), "5");
  EXPECT_EQ(v, "suite");
  FunVarie::LeggiParIni("BASE", "B", "def", v);
  EXPECT_EQ(v, "ditta");
  FunVarie::LeggiParIni("Base", "Vuota", "def", v);
  EXPECT_EQ(v, "daDb");
  EXPECT_EQ(FunVarie::LeggiParIni("Base", "Manca", "def", v), "3");
  EXPECT_EQ(v, "def");
  EXPECT_EQ(FunVarie::LeggiParIni("Base", "Manca", "", v), "0");
  EXPECT_EQ(v, "");
}

TEST(ArrotConfronta, RoundsBothSidesThenCompares) {
  struct Caso { Variant a, b; std::optional<int> esp; int atteso; };
  const Caso casi[] = {
      {10.004, 10.0, -2, 0},
      {10.004, 10.0, -3, 1},
      {9.995, 10.0, -2, 0},          // 9,995 rounds up to 10,00
      {-10.006, -10.0, -2, -1},
      {Variant("12,50"), 12.5, -2, 0},
      {0.4, 0.0, std::nullopt, 0},   // omitted exponent: units
      {0.5, 0.0, std::nullopt, 1},
      {Variant(""), Variant(vb::Null), -2, 0},
      {Variant(), Variant(vb::Null), -2, 0},
      {Variant(0), Variant(vb::Null), -2, 1},
      {Variant(vb::Null), Variant(vb::Null), -2, 1},
      {Variant(vb::Currency::FromText("0,30")), Variant(0.1 + 0.2), -8, 0},
  };
  for (const auto& c : casi)
    EXPECT_EQ(FunVarie::ArrotConfronta(c.a, c.b, c.esp), c.atteso)
        << c.a.VarType() << " " << c.b.VarType();
}

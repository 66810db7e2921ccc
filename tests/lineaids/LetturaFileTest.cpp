// Reader-file records cut as the import layouts say, and reader files read
// whatever their line ends, code page or content.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "lineaids/LetturaFile.h"
#include "platform/Errore.h"
#include "support/CartellaTemp.h"

namespace {

using lettura::CampoApici;
using lettura::CampoFisso;
using lettura::CampoSeparato;

struct CasoSep {
  const char* riga;
  const char* sep;
  int campo;
  const char* atteso;
};

class Separato : public ::testing::TestWithParam<CasoSep> {};

TEST_P(Separato, CutsTheField) {
  const CasoSep& c = GetParam();
  EXPECT_EQ(CampoSeparato(c.riga, c.sep, c.campo), c.atteso) << c.riga << " / " << c.campo;
}

INSTANTIATE_TEST_SUITE_P(
    Lettura, Separato,
    ::testing::Values(CasoSep{"VITE0410\t12\t3,5", "\t", 1, "VITE0410"}, CasoSep{"VITE0410\t12\t3,5", "\t", 2, "12"},
                      CasoSep{"VITE0410\t12\t3,5", "\t", 3, "3,5"}, CasoSep{"VITE0410\t12\t3,5", "\t", 4, ""},
                      // Two bars cut whole, both characters left out.
                      CasoSep{"A||B|C||D", "||", 2, "B|C"}, CasoSep{"A||B|C||D", "||", 3, "D"},
                      CasoSep{"A;B", ";", 0, ""}, CasoSep{"A;B", ";", -1, ""},
                      // Quotes on both sides go, on one side stay.
                      CasoSep{"\"A B\";\"C", ";", 1, "A B"}, CasoSep{"\"A B\";\"C", ";", 2, "\"C"},
                      // A separator inside quotes still ends the field.
                      CasoSep{"\"A;B\";C", ";", 1, "\"A"},
                      // Found without regard to case.
                      CasoSep{"AxB", "X", 2, "B"}, CasoSep{"  A  ;  B ", ";", 2, "B"}));

struct CasoApici {
  const char* riga;
  int campo;
  const char* atteso;
};

class Apici : public ::testing::TestWithParam<CasoApici> {};

TEST_P(Apici, CountsTheQuotedFields) {
  const CasoApici& c = GetParam();
  EXPECT_EQ(CampoApici(c.riga, c.campo), c.atteso) << c.riga << " / " << c.campo;
}

INSTANTIATE_TEST_SUITE_P(
    Lettura, Apici,
    ::testing::Values(CasoApici{R"("A""B","C")", 1, "A\"B"}, CasoApici{R"("A""B","C")", 2, "C"},
                      // Empty fields keep the numbers of the fields after them.
                      CasoApici{R"("","B","C")", 1, ""}, CasoApici{R"("","B","C")", 2, "B"},
                      CasoApici{R"("","B","C")", 3, "C"}, CasoApici{R"("A","","","D")", 4, "D"},
                      CasoApici{R"("A","","","D")", 3, ""}, CasoApici{R"("A",,"","D")", 3, "D"},
                      // Text outside quotes is not a field.
                      CasoApici{R"("A",12,"C")", 2, "C"},
                      // A field without its closing quote runs to the end.
                      CasoApici{R"("A","B)", 2, "B"}, CasoApici{R"("A","B)", 3, ""},
                      CasoApici{R"("A")", 0, ""}, CasoApici{R"(" A ")", 1, "A"}),
    [](const ::testing::TestParamInfo<CasoApici>& i) { return std::to_string(i.index); });

TEST(LetturaFissa, CutsByPositionAndPastTheEndGivesNothing) {
  EXPECT_EQ(CampoFisso("VITE0410  0012", 1, 10), "VITE0410");
  EXPECT_EQ(CampoFisso("VITE0410  0012", 11, 4), "0012");
  EXPECT_EQ(CampoFisso("VITE0410", 20, 4), "");
  EXPECT_THROW(CampoFisso("VITE0410", 0, 4), vb::Errore);
}

struct CasoRecord {
  const char* nome;
  const char* fissoSep;
  const char* riga;
  int16_t tot, uni;
  double qta, imp;
  int16_t quale;
};

class Valori : public ::testing::TestWithParam<CasoRecord> {};

// Code in field 1, quantity in 2; the total and unit values where the case
// says. A value of 0 counts as absent; the total wins.
TEST_P(Valori, TakeTheTotalElseTheUnitValue) {
  const CasoRecord& c = GetParam();
  lettura::Tracciato t;
  t.FissoSep = c.fissoSep;
  t.Separatore = ";";
  t.CodInizio = 1;
  t.QtaInizio = 2;
  t.ImpTotInizio = c.tot;
  t.ImpUniInizio = c.uni;
  const lettura::Record r = lettura::TagliaRecord(t, c.riga);
  EXPECT_EQ(r.codice, "ART");
  EXPECT_DOUBLE_EQ(r.qta, c.qta);
  EXPECT_DOUBLE_EQ(r.imp, c.imp);
  EXPECT_EQ(r.qualeImp, c.quale);
}

INSTANTIATE_TEST_SUITE_P(
    Lettura, Valori,
    ::testing::Values(CasoRecord{"TotaleZeroPrendeUnitario", "S", "ART;3;0;2,5", 3, 4, 3, 2.5, 2},
                      CasoRecord{"TotaleVince", "S", "ART;3;7,5;2,5", 3, 4, 3, 7.5, 1},
                      CasoRecord{"NessunValore", "S", "ART;3;0;0", 3, 4, 3, 0, 0},
                      CasoRecord{"SenzaCampi", "S", "ART;3", 0, 0, 3, 0, 0},
                      CasoRecord{"LettereNeiNumeri", "S", "ART;tre;x;y", 3, 4, 0, 0, 0},
                      CasoRecord{"Apici", "A", R"("ART","4","","1,25")", 3, 4, 4, 1.25, 2}),
    [](const ::testing::TestParamInfo<CasoRecord>& i) { return std::string(i.param.nome); });

TEST(LetturaFissa, NoQuantityFieldGivesZero) {
  lettura::Tracciato t;
  t.CodInizio = 1;
  t.CodLung = 3;
  const lettura::Record r = lettura::TagliaRecord(t, "ART   12");
  EXPECT_EQ(r.codice, "ART");
  EXPECT_EQ(r.qta, 0);
}

class FileLettura : public ::testing::Test {
 protected:
  std::string Scrivi(const std::string& contenuto) {
    const std::string p = dir_.Percorso("lettura.txt");
    std::ofstream(p, std::ios::binary) << contenuto;
    return p;
  }
  std::vector<std::string> Tutte(const std::string& contenuto) {
    lettura::FileRighe f;
    EXPECT_TRUE(f.Apri(Scrivi(contenuto)));
    std::vector<std::string> righe;
    std::string r;
    while (f.LeggiRiga(r)) righe.push_back(r);
    return righe;
  }
  prova::CartellaTemp dir_{"lettura"};
};

TEST_F(FileLettura, MixedLineEndsGiveOneRecordALine) {
  EXPECT_EQ(Tutte("A\r\nB\nC\rD"), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(Tutte("A\r\n\r\nB\n"), (std::vector<std::string>{"A", "", "B"}));
  EXPECT_TRUE(Tutte("").empty());
}

TEST_F(FileLettura, Windows1252WhenNotUtf8) {
  // "Però" and "€" as the reader's code page writes them; a UTF-8 line
  // stays as it is.
  EXPECT_EQ(Tutte("Per\xF2 \x80\n\xC3\xA8"), (std::vector<std::string>{"Però €", "è"}));
}

TEST_F(FileLettura, NulByteAndLongLineAndUnbalancedQuotes) {
  const std::string lunga(1 << 20, '9');
  const std::vector<std::string> righe = Tutte(std::string("A\0B\n", 4) + lunga + "\n\"X;\"\"Y\n");
  ASSERT_EQ(righe.size(), 3u);
  EXPECT_EQ(righe[0], "A B");
  EXPECT_EQ(righe[1].size(), lunga.size());
  lettura::Tracciato t;
  t.FissoSep = "A";
  t.CodInizio = 1;
  t.QtaInizio = 2;
  for (const std::string& r : righe) EXPECT_NO_THROW(lettura::TagliaRecord(t, r));
  t.FissoSep = "S";
  t.Separatore = ";";
  for (const std::string& r : righe) EXPECT_NO_THROW(lettura::TagliaRecord(t, r));
}

TEST_F(FileLettura, AMissingFileDoesNotOpen) {
  lettura::FileRighe f;
  EXPECT_FALSE(f.Apri(dir_.Percorso("nessuno.txt")));
  std::string r;
  EXPECT_FALSE(f.LeggiRiga(r));
}

}  // namespace

// Which serial state may follow which, the letter sets and the captions.
#include <gtest/gtest.h>

#include "lots/MatrRegole.h"

namespace {

using namespace AziendaUtil;

TEST(VerifMatrTipOpePrec, Table) {
  struct Caso {
    const char *op, *prec, *guasto;
    bool atteso;
  } casi[] = {
      {"C", "", "S", true},   {"S", "", "S", false},  {"C", "S", "S", false}, {"C", "F", "S", true},
      {"S", "G", "S", false}, {"S", "G", "N", true},  {"c", "f", "S", true},  {"S", "c", "S", true},
      {"S", "I", "S", true},  {"S", "R", "S", true},  {"G", "S", "S", true},  {"G", "C", "S", false},
      {"I", "G", "S", true},  {"I", "S", "S", false}, {"F", "I", "S", true},  {"F", "F", "S", false},
      {"R", "S", "S", true},  {"X", "C", "S", false}, {"I", "", "S", false},  {"S", "CI", "S", false},
      {"C", "  ", "S", true},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(VerifMatrTipOpePrec(c.op, c.prec, c.guasto), c.atteso) << c.op << " after " << c.prec << " " << c.guasto;
}

TEST(VerifMatrTipOpe, PreviousFirstThenNext) {
  struct Caso {
    const char *op, *prec, *succ, *guasto;
    bool verSucc;
    int atteso;
  } casi[] = {
      {"S", "C", "", "S", true, 2},  {"S", "C", "", "S", false, 0}, {"G", "C", "F", "S", true, 1},
      {"S", "C", "R", "S", true, 0}, {"S", "C", "C", "S", true, 2}, {"C", "", "S", "S", true, 0},
      {"G", "S", "S", "S", true, 2}, {"G", "S", "S", "N", true, 0},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(VerifMatrTipOpe(c.op, c.prec, c.succ, c.guasto, c.verSucc), c.atteso)
        << c.op << " " << c.prec << " " << c.succ << " " << c.verSucc;
}

TEST(CalcMatrTipOpeComp, Table) {
  struct Caso {
    const char *op, *guasto;
    bool succ;
    const char* atteso;
    bool senzaPrec;
  } casi[] = {
      {"S", "S", false, "CIR", false}, {"S", "N", false, "CIRG", false}, {"C", "S", false, "F", true},
      {"C", "S", true, "SIF", true},   {"S", "S", true, "GR", false},    {"G", "S", true, "FI", false},
      {"G", "N", true, "FIS", false},  {"I", "S", false, "CGR", false},  {"I", "S", true, "FS", false},
      {"F", "S", false, "CGIR", false}, {"F", "S", true, "C", false},    {"R", "S", true, "FIS", false},
      {"r", "S", false, "S", false},   {"X", "S", true, "", false},      {"", "S", false, "", false},
  };
  for (const Caso& c : casi) {
    bool senzaPrec = true;
    EXPECT_EQ(CalcMatrTipOpeComp(c.op, c.guasto, senzaPrec, c.succ), c.atteso) << c.op << " " << c.succ;
    EXPECT_EQ(senzaPrec, c.senzaPrec) << c.op;
  }
}

// The sets agree with the pairwise rule: every letter after an operation
// may follow it, every letter before it may precede it.
TEST(CalcMatrTipOpeComp, AgreesWithTheRule) {
  const std::string lettere = "CSGIFR";
  for (const char* guasto : {"S", "N"})
    for (char op : lettere)
      for (char altra : lettere) {
        bool sp = false;
        const std::string o(1, op), a(1, altra);
        EXPECT_EQ(CalcMatrTipOpeComp(o, guasto, sp, true).find(altra) != std::string::npos,
                  VerifMatrTipOpePrec(a, o, guasto)) << o << "->" << a << " " << guasto;
        EXPECT_EQ(CalcMatrTipOpeComp(o, guasto, sp, false).find(altra) != std::string::npos,
                  VerifMatrTipOpePrec(o, a, guasto)) << a << "->" << o << " " << guasto;
      }
}

TEST(DecodMatrTipOpe, Captions) {
  EXPECT_EQ(DecodMatrTipOpe("", true), "Nessun movimento esistente");
  EXPECT_EQ(DecodMatrTipOpe("X", false), "");
  EXPECT_EQ(DecodMatrTipOpe("g", false), "Reso da cliente in riparazione");
  EXPECT_EQ(DecodMatrTipOpe("F", true), "Reso a forn. in riparazione");
  EXPECT_EQ(DecodMatrTipOpe("C", true), "Carico");
}

}  // namespace

#include <gtest/gtest.h>

#include "support/Errori.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "Disegnati.h"
#include "barcode/BarCode.h"
#include "platform/Errore.h"

using prova::kAlt;
using prova::kX;
using prova::kY;
using stampa::OggettoStampa;

namespace {

constexpr int True = -1;
constexpr int False = 0;

using Encoder = void (*)(OggettoStampa&, const std::string&, float, float, float, float, int, int,
                         std::string&);

std::string Cod39(OggettoStampa& s, const std::string& dati, float largh, int controllo,
                  int noDisegno = False) {
  std::string out;
  BarCode::CalcCod39(s, dati, kX, kY, largh, kAlt, False, noDisegno, out, controllo);
  return out;
}

// ---------------------------------------------------------------- dispatch

struct CasoDispatch {
  const char* tipo;
  std::string dati;
  int controllo;
  std::string risultato;
  std::string datiDopo;
};

TEST(BarCodeCalcCodBar, ComputesEverySymbologyAndPreparesTheData) {
  const std::vector<CasoDispatch> casi = {
      {"13", "000000000123", True, "0000000001236", "000000000123"},
      {"13", "123", True, "0000000001236", "000000000123"},
      {"13", "123456789012", True, "1234567890128", "123456789012"},
      {"13", "200000000000", True, "2000000000008", "200000000000"},
      {"13", "12345678901234", True, "1234567890128", "123456789012"},
      {"13", "ABC", True, "0000000000000", "000000000000"},
      {"E8", "1234567", True, "12345670", "1234567"},
      {"E8", "9638507", True, "96385074", "9638507"},
      {"E8", "ABC", True, "00000000", "0000000"},
      {"e8", "1234567", True, "12345670", "1234567"},
      {"UA", "12345678901", True, "123456789012", "12345678901"},
      {"UA", "00000000000", True, "000000000000", "00000000000"},
      {"12", "AB", True, "AB", "AB"},
      {"39", "ABC1", True, "ABCX", "ABC"},
      {"39", "ABC1", False, "ABC", "ABC"},
      {"Code32", "123", True, "00003V", "123"},
      {"code32", "123", True, "00003V", "123"},
      {"CODE32", "12345678", True, "0CSSBG", "12345678"},
      {"BCD_Matrix", "12", True, "123", "12"},
      {"3BarMatrix", "12", True, "123", "12"},
      {"5Bar", "12", True, "123", "12"},
      {"Compress", "12", True, "123", "12"},
      {"Datalogic", "1234", True, "12348", "1234"},
      {"Industrial", "12", True, "123", "12"},
      {"Interleaved", "12", True, "0123", "12"},
      {"interleaved", "7", True, "79", "7"},
      {"99", "ABC", True, "", "ABC"},
      {"", "ABC", True, "", "ABC"},
      {"UA", "1234567890A", True, "012345678905", "01234567890"},  // read as a number first
  };
  for (const auto& c : casi) {
    std::string dati = c.dati;
    int controllo = c.controllo;
    EXPECT_EQ(BarCode::CalcCodBar(c.tipo, dati, controllo), c.risultato) << c.tipo << " " << c.dati;
    EXPECT_EQ(dati, c.datiDopo) << c.tipo << " " << c.dati;
    EXPECT_FALSE(BarCode::SoloCalcolo());
  }
}

TEST(BarCodeCalcCodBar, EmptyCode39DataRaisesAndTheSwitchComesBack) {
  std::string dati;
  int controllo = True;
  try {
    BarCode::CalcCodBar("39", dati, controllo);
    FAIL() << "no error";
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), vb::ErrChiamataNonValida);
  }
  EXPECT_FALSE(BarCode::SoloCalcolo());
}

TEST(BarCodeCalcCodBar, ANumberPastTheRangeOfADoubleIsAnOverflowNotText) {
  for (const char* codice : {"13", "UA", "E8"}) {
    std::string dati = "9E999";
    int controllo = True;
    EXPECT_EQ(prova::NumeroErrore([&] { BarCode::CalcCodBar(codice, dati, controllo); }), vb::ErrOverflow)
        << codice;
    EXPECT_EQ(dati, "9E999") << codice;
    EXPECT_FALSE(BarCode::SoloCalcolo());
  }
}

TEST(BarCodeCalcCodBar, AFailingEncoderLeavesDrawingOn) {
  // 781 characters of value 42 take the Code 39 sum past 32767.
  std::string dati(782, '%');
  int controllo = True;
  try {
    BarCode::CalcCodBar("39", dati, controllo);
    FAIL() << "no error";
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), vb::ErrOverflow);
  }
  EXPECT_FALSE(BarCode::SoloCalcolo());
  // A later drawing call is not silenced by the failed computation.
  OggettoStampa s;
  std::string out;
  BarCode::CalcEan8(s, "1234567", kX, kY, 81, kAlt, False, False, out);
  EXPECT_EQ(s.Disegni().size(), 81u);
}

// ---------------------------------------------------------------- EAN / UPC

TEST(BarCodeEan, Ean13ModuleStringOfTheWorkedExample) {
  OggettoStampa s;
  std::string out;
  BarCode::CalcEan13(s, "000000000123", kX, kY, 113, kAlt, False, False, out);
  EXPECT_EQ(out, "0000000001236");
  EXPECT_EQ(s.Disegni().size(), 113u);
  EXPECT_EQ(prova::ModuliDisegnati(s),
            std::string("00000000000101") + "000110100011010001101000110100011010001101" + "01010" +
                "111001011100101100110110110010000101010000" + "1010000000");
}

TEST(BarCodeEan, Ean13LeadingDigitChoosesTheSetsOfTheLeftHalf) {
  OggettoStampa s;
  std::string out;
  BarCode::CalcEan13(s, "123456789012", kX, kY, 113, kAlt, False, False, out);
  EXPECT_EQ(out, "1234567890128");
  // Leading 1: sets A A B A B B for the digits 2 to 7.
  EXPECT_EQ(prova::ModuliDisegnati(s),
            std::string("00000000000101") + "0010011" + "0111101" + "0011101" + "0110001" +
                "0000101" + "0010001" + "01010" + "1001000" + "1110100" + "1110010" + "1100110" +
                "1101100" + "1001000" + "1010000000");
}

TEST(BarCodeEan, Ean8ModuleString) {
  OggettoStampa s;
  std::string out;
  BarCode::CalcEan8(s, "1234567", kX, kY, 81, kAlt, False, False, out);
  EXPECT_EQ(out, "12345670");
  EXPECT_EQ(s.Disegni().size(), 81u);
  EXPECT_EQ(prova::ModuliDisegnati(s),
            std::string("0000000101") + "0011001" + "0010011" + "0111101" + "0100011" + "01010" +
                "1001110" + "1010000" + "1000100" + "1110010" + "1010000000");
}

TEST(BarCodeEan, UpcADrawsItsBarsOnly) {
  OggettoStampa s;
  std::string out;
  // Its no-drawing flag has never stopped it: only the entry point does.
  BarCode::CalcUpcA(s, "12345678901", kX, kY, 95, kAlt, False, True, out);
  EXPECT_EQ(out, "123456789012");
  const std::string atteso = std::string("101") + "0011001" + "0010011" + "0111101" + "0100011" +
                             "0110001" + "0101111" + "01010" + "1000100" + "1001000" + "1110100" +
                             "1110010" + "1100110" + "1101100" + "101";
  ASSERT_EQ(atteso.size(), 95u);
  std::string disegnato(95, '0');
  for (const auto& d : s.Disegni()) {
    EXPECT_EQ(d.colore, stampa::ColoreNero);
    EXPECT_NEAR(d.x2 - d.x1, 1, 1e-4);
    const long p = std::lround(d.x1 - kX);
    ASSERT_GE(p, 0);
    ASSERT_LT(p, 95);
    disegnato[static_cast<size_t>(p)] = '1';
  }
  EXPECT_EQ(disegnato, atteso);
  EXPECT_EQ(s.Disegni().size(), static_cast<size_t>(std::count(atteso.begin(), atteso.end(), '1')));
}

TEST(BarCodeEan, DataThatIsNotDigitsGivesNothing) {
  struct Caso {
    Encoder encoder;
    const char* dati;
  };
  const std::vector<Caso> casi = {
      {BarCode::CalcEan13, "12345678901A"}, {BarCode::CalcEan13, "1234567890 1"},
      {BarCode::CalcEan13, "-12345678901"}, {BarCode::CalcEan13, "12345678901"},
      {BarCode::CalcEan8, "123456A"},       {BarCode::CalcEan8, "12 4567"},
      {BarCode::CalcEan8, "123456"},        {BarCode::CalcUpcA, "1234567890A"},
      {BarCode::CalcUpcA, "1234567890-"},   {BarCode::CalcUpcA, " 1234567890"},
      {BarCode::CalcUpcA, "1234567890"},    {BarCode::CalcUpcA, "123456789012"},
  };
  for (const auto& c : casi) {
    OggettoStampa s;
    std::string out = "prima";
    c.encoder(s, c.dati, kX, kY, 100, kAlt, False, False, out);
    EXPECT_EQ(out, "prima") << c.dati;
    EXPECT_TRUE(s.Disegni().empty()) << c.dati;
  }
}

// ---------------------------------------------------------------- Code 128

// The published table, to read the symbol values back from the elements.
const char* const kTabella128[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

TEST(BarCodeCod128, TheTableIsWellFormed) {
  std::map<std::string, int> visti;
  for (int v = 0; v < 106; ++v) {
    const std::string p = kTabella128[v];
    ASSERT_EQ(p.size(), 6u) << v;
    int moduli = 0, barre = 0;
    for (size_t i = 0; i < 6; ++i) {
      moduli += p[i] - '0';
      if (i % 2 == 0) barre += p[i] - '0';
    }
    EXPECT_EQ(moduli, 11) << v;
    EXPECT_EQ(barre % 2, 0) << v;  // every symbol has an even number of bar modules
    EXPECT_TRUE(visti.emplace(p, v).second) << v;
  }
}

std::vector<int> Valori128(const std::string& elementi) {
  std::vector<int> valori;
  size_t i = 0;
  for (; i + 7 < elementi.size(); i += 6) {
    const std::string p = elementi.substr(i, 6);
    int v = -1;
    for (int k = 0; k < 106; ++k)
      if (p == kTabella128[k]) v = k;
    valori.push_back(v);
  }
  EXPECT_EQ(elementi.substr(i), "2331112");
  return valori;
}

TEST(BarCodeCod128, SymbolsSwitchesAndCheck) {
  struct Caso {
    const char* dati;
    std::vector<int> valori;  // start, symbols, check
  };
  const std::vector<Caso> casi = {
      {"AB", {104, 33, 34, 102}},
      {"ab", {104, 65, 66, 95}},
      {"1234", {105, 12, 34, 82}},
      {"12", {104, 17, 18, 54}},
      {"12345", {105, 12, 34, 100, 21, 54}},
      {"1234567", {105, 12, 34, 56, 100, 23, 44}},
      {"A1234B", {104, 33, 99, 12, 34, 100, 34, 78}},
      {"12A3456", {104, 17, 18, 33, 99, 34, 56, 25}},
      {"1234A12B", {105, 12, 34, 100, 33, 99, 12, 100, 34, 96}},
      {"1234A1B", {105, 12, 34, 100, 33, 17, 34, 82}},
      {"99999", {105, 99, 99, 100, 25, 81}},
      {" ~", {104, 0, 94, 86}},
  };
  for (const auto& c : casi) {
    const float moduli = 11.0f * static_cast<float>(c.valori.size()) + 13;
    OggettoStampa s;
    std::string out;
    BarCode::CalcCod128(s, c.dati, kX, kY, moduli, kAlt, False, False, out);
    EXPECT_EQ(out, c.dati);
    const std::string elementi = prova::ElementiDisegnati(s);
    EXPECT_EQ(Valori128(elementi), c.valori) << c.dati;
    EXPECT_FLOAT_EQ(s.Disegni().back().x2, kX + moduli) << c.dati;
  }
}

TEST(BarCodeCod128, ElementStringOfAB) {
  OggettoStampa s;
  std::string out;
  BarCode::CalcCod128(s, "AB", kX, kY, 57, kAlt, False, False, out);
  EXPECT_EQ(prova::ElementiDisegnati(s), "211214111323131123411131" "2331112");
}

TEST(BarCodeCod128, EmptyOrUnencodableDataGivesNothing) {
  for (const std::string dati : {"", "caffè", "A\tB"}) {
    OggettoStampa s;
    std::string out;
    BarCode::CalcCod128(s, dati, kX, kY, 100, kAlt, False, False, out);
    EXPECT_EQ(out, "") << dati;
    EXPECT_TRUE(s.Disegni().empty()) << dati;
  }
}

// ---------------------------------------------------------------- Code 39 / 32

std::string Carattere39(const char* elementi) {
  std::string m;
  for (int i = 0; i < 9; ++i) m.append(elementi[i] == '1' ? 3 : 1, i % 2 == 0 ? '1' : '0');
  return m + "0";
}

const std::map<char, const char*> kTabella39 = {
    {'*', "010010100"}, {'A', "100001001"}, {'B', "001001001"}, {'C', "101001000"},
    {'X', "010010001"}, {'0', "000110100"}, {'3', "101100000"}, {'V', "011000001"},
};

std::string Moduli39(const std::string& testo) {
  std::string m;
  for (char c : "*" + testo + "*") m += Carattere39(kTabella39.at(c));
  return m;
}

TEST(BarCodeCod39, CheckCharacterAndOutput) {
  struct Caso {
    const char* dati;
    int controllo;
    const char* out;
  };
  const std::vector<Caso> casi = {
      {"ABC", True, "ABCX"}, {"ABC", False, "ABC"},   {"abc", True, "abcX"},
      {"CODE 39", True, "CODE 39R"}, {"123", True, "1236"}, {"A*B", True, ""},
      {"", True, ""},        {"città", True, ""},
  };
  for (const auto& c : casi) {
    OggettoStampa s;
    EXPECT_EQ(Cod39(s, c.dati, 100, c.controllo, True), c.out) << c.dati;
    EXPECT_TRUE(s.Disegni().empty());
  }
}

TEST(BarCodeCod39, DrawsStartDataCheckAndStop) {
  OggettoStampa s;
  EXPECT_EQ(Cod39(s, "abc", 96, True), "abcX");
  const std::string moduli = prova::ModuliDisegnati(s);
  EXPECT_EQ(moduli.size(), 96u);
  EXPECT_EQ(moduli.substr(0, 16), "1000101110111010");
  EXPECT_EQ(moduli, Moduli39("ABCX"));
}

TEST(BarCodeCod32, Base32WithOrWithoutCheckDigit) {
  struct Caso {
    const char* dati;
    int opzione;
    const char* out;
  };
  const std::vector<Caso> casi = {
      {"12345678", False, "3PRM8N"}, {"123", True, "00003V"},   {"123", False, "00016G"},
      {"ABC", False, ""},            {"", False, ""},           {"12.5", True, ""},
      {"-123", True, ""},            {"1234567890", True, "0CSSBG"},
  };
  for (const auto& c : casi) {
    OggettoStampa s;
    std::string out;
    BarCode::CalcCod32(s, c.dati, kX, kY, 128, kAlt, c.opzione, True, out);
    EXPECT_EQ(out, c.out) << c.dati << " " << c.opzione;
    EXPECT_TRUE(s.Disegni().empty());
  }
}

TEST(BarCodeCod32, DrawsItsSixCharactersAsCode39) {
  OggettoStampa s;
  std::string out;
  BarCode::CalcCod32(s, "123", kX, kY, 128, kAlt, True, False, out);
  EXPECT_EQ(out, "00003V");
  EXPECT_EQ(prova::ModuliDisegnati(s), Moduli39("00003V"));
}

// ---------------------------------------------------------------- two of five

struct Membro {
  const char* nome;
  Encoder encoder;
};

const std::vector<Membro> kMembri = {
    {"BCD_Matrix", BarCode::CalcBcdMatrix}, {"3BarMatrix", BarCode::Calc3BarMatrix},
    {"5Bar", BarCode::Calc5Bar},            {"Compress", BarCode::CalcCompress},
    {"Datalogic", BarCode::CalcDatalogic},  {"Industrial", BarCode::CalcIndustrial},
    {"Interleaved", BarCode::CalcInterleaved},
};

TEST(BarCodeDueDiCinque, ModuleStringsOf12) {
  const std::string uno5Bar = "1110" "10" "10" "10" "1110";
  const std::string due5Bar = "10" "1110" "10" "10" "1110";
  const std::string tre5Bar = "1110" "1110" "10" "10" "10";
  const std::map<std::string, std::string> attesi = {
      {"BCD_Matrix", "00000000001011100010111010100010111000101011100010000000000"},
      {"Datalogic", "00000000001010111010111010001011101110001010111010000000000"},
      {"5Bar", "00000000001110111010" + uno5Bar + due5Bar + tre5Bar + "1110101110000000000"},
      {"Industrial", "00000000001010" + uno5Bar + due5Bar + tre5Bar + "111010000000000"},
      {"Compress", std::string("000000000011101110") + "1" "0" "1" "000" "111" "0" +
                       "1" "0" "111" "0" "111" "0" + "1" "0" "111" "000" "1" "0" +
                       "10001110000000000"},
      {"3BarMatrix", std::string("000000000000000000001111111110011001100") +
                         "111111" "00" "11" "00" "111111" "00" + "11" "000000" "11" "00" "111111" "00" +
                         "111111" "000000" "11" "00" "11" "00" + "1111111110011001100000000000000000000"},
      // 12 with its check digit 3 and a leading 0: the pairs 01 and 23.
      {"Interleaved", std::string("00000000001010") + "1" "000" "1" "0" "111" "0" "111" "0" "1" "000" +
                          "1" "000" "111" "000" "1" "0" "1" "0" "111" "0" + "111010000000000"},
  };
  const std::map<std::string, size_t> lunghezze = {{"BCD_Matrix", 59}, {"Datalogic", 59},
                                                   {"3BarMatrix", 136}, {"5Bar", 81},
                                                   {"Compress", 65},   {"Industrial", 71},
                                                   {"Interleaved", 65}};
  for (const auto& m : kMembri) {
    const std::string& atteso = attesi.at(m.nome);
    ASSERT_EQ(atteso.size(), lunghezze.at(m.nome)) << m.nome;
    OggettoStampa s;
    std::string out;
    m.encoder(s, "12", kX, kY, static_cast<float>(atteso.size()), kAlt, False, False, out);
    EXPECT_EQ(out, std::string(m.nome) == "Interleaved" ? "0123" : "123") << m.nome;
    EXPECT_EQ(prova::ModuliDisegnati(s), atteso) << m.nome;
  }
}

TEST(BarCodeDueDiCinque, InterleavedKeepsEveryDigit) {
  struct Caso {
    const char* dati;
    const char* codice;
  };
  // Even-length data used to lose its last digit (1234 came out as 1236).
  const std::vector<Caso> casi = {{"1", "17"}, {"7", "79"}, {"1234", "012348"}, {"12", "0123"}, {"123", "1236"}};
  for (const auto& c : casi) {
    OggettoStampa s;
    std::string out;
    BarCode::CalcInterleaved(s, c.dati, kX, kY, 100, kAlt, False, True, out);
    EXPECT_EQ(out, c.codice) << c.dati;
  }
  OggettoStampa s;
  std::string out;
  BarCode::CalcInterleaved(s, "1", kX, kY, 47, kAlt, False, False, out);
  EXPECT_EQ(prova::ModuliDisegnati(s), "00000000001010111010101000111000111010000000000");
}

TEST(BarCodeDueDiCinque, LongDataDoesNotOverflow) {
  // 20000 nines weigh 360000, far past a 16-bit sum; the check digit is 0.
  const std::string dati(20000, '9');
  for (const auto& m : kMembri) {
    OggettoStampa s;
    std::string out;
    ASSERT_NO_THROW(m.encoder(s, dati, kX, kY, 100, kAlt, False, True, out)) << m.nome;
    const std::string atteso = dati + "0";
    EXPECT_EQ(out, std::string(m.nome) == "Interleaved" ? "0" + atteso : atteso) << m.nome;
  }
}

TEST(BarCodeDueDiCinque, CheckDigitsAndRefusedData) {
  for (const auto& m : kMembri) {
    const bool interleaved = std::string(m.nome) == "Interleaved";
    std::string out;
    OggettoStampa s;
    m.encoder(s, "1234", kX, kY, 100, kAlt, False, True, out);
    EXPECT_EQ(out, interleaved ? "012348" : "12348") << m.nome;
    m.encoder(s, "0", kX, kY, 100, kAlt, False, True, out);
    EXPECT_EQ(out, "00") << m.nome;
    for (const char* cattivo : {"12A", " ", "1.5", "", "-12", "12 "}) {
      std::string niente;
      m.encoder(s, cattivo, kX, kY, 100, kAlt, False, False, niente);
      EXPECT_EQ(niente, "") << m.nome << " '" << cattivo << "'";
    }
    EXPECT_TRUE(s.Disegni().empty()) << m.nome;
  }
}

// ---------------------------------------------------------------- drawing rule

TEST(BarCodeDisegno, EveryEncoderHonoursTheNoDrawingFlagAndFillsItsWidth) {
  struct Caso {
    const char* nome;
    Encoder encoder;
    const char* dati;
  };
  const std::vector<Caso> casi = {
      {"13", BarCode::CalcEan13, "123456789012"},  {"E8", BarCode::CalcEan8, "1234567"},
      {"12", BarCode::CalcCod128, "A1234B"},       {"Code32", BarCode::CalcCod32, "123"},
      {"BCD", BarCode::CalcBcdMatrix, "12"},       {"3Bar", BarCode::Calc3BarMatrix, "12"},
      {"5Bar", BarCode::Calc5Bar, "12"},           {"Compress", BarCode::CalcCompress, "12"},
      {"Datalogic", BarCode::CalcDatalogic, "12"}, {"Industrial", BarCode::CalcIndustrial, "12"},
      {"Interleaved", BarCode::CalcInterleaved, "12"},
  };
  for (const auto& c : casi) {
    OggettoStampa nascosto;
    std::string out;
    c.encoder(nascosto, c.dati, kX, kY, 30, kAlt, True, True, out);
    EXPECT_FALSE(out.empty()) << c.nome;
    EXPECT_TRUE(nascosto.Disegni().empty()) << c.nome;

    // Any width: the boxes run side by side from x to x + width.
    OggettoStampa s;
    c.encoder(s, c.dati, kX, kY, 30, kAlt, True, False, out);
    ASSERT_FALSE(s.Disegni().empty()) << c.nome;
    EXPECT_FLOAT_EQ(s.Disegni().front().x1, kX) << c.nome;
    EXPECT_NEAR(s.Disegni().back().x2, kX + 30, 1e-3) << c.nome;
    for (size_t i = 1; i < s.Disegni().size(); ++i)
      EXPECT_FLOAT_EQ(s.Disegni()[i].x1, s.Disegni()[i - 1].x2) << c.nome;
  }
  OggettoStampa s;
  EXPECT_EQ(Cod39(s, "ABC", 30, True, True), "ABCX");
  EXPECT_TRUE(s.Disegni().empty());
}

}  // namespace

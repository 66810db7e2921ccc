// The two-of-five family and the BCD matrix: one design (digits, a modulo-10
// check digit weighted 3 and 1 from the right, a pattern of narrow and wide
// elements per digit, quiet zone + start + digits + stop + quiet zone) that
// the members vary in their table, element widths, gaps and guards.
#include "barcode/BarCode.h"

namespace BarCode {

namespace {

constexpr const char* kDueDiCinque[10] = {"00110", "10001", "01001", "11000", "00101",
                                          "10100", "01100", "00011", "10010", "01010"};
constexpr const char* kBcd[10] = {"0011", "1000", "0100", "1100", "0010",
                                  "1010", "0110", "0001", "1001", "0101"};
constexpr const char* kCompress[10] = {"11000", "00011", "00101", "00110", "01001",
                                       "01010", "01100", "10001", "10010", "10100"};

// How a digit's pattern becomes modules.
enum class Forma {
  Alternata,  // elements bar, space, bar, ... narrow / wide as given
  SoloBarre,  // each element a bar ("1" narrow, "111" wide) and a one-module space
  Interfogliata,  // digits in pairs: the first as bars, the second as the spaces between
};

struct Membro {
  const char* const* tabella;
  Forma forma;
  int stretto;
  int largo;
  const char* intervallo;  // after every digit
  const char* avvio;
  const char* stop;
};

constexpr Membro kBcdMatrix{kBcd, Forma::Alternata, 1, 3, "",
                            "00000000001011100010", "1011100010000000000"};
constexpr Membro k3BarMatrix{kDueDiCinque, Forma::Alternata, 2, 6, "00",
                             "000000000000000000001111111110011001100",
                             "1111111110011001100000000000000000000"};
constexpr Membro k5Bar{kDueDiCinque, Forma::SoloBarre, 1, 3, "",
                       "00000000001110111010", "1110101110000000000"};
constexpr Membro kCompressione{kCompress, Forma::Alternata, 1, 3, "0",
                               "000000000011101110", "10001110000000000"};
constexpr Membro kDatalogic{kDueDiCinque, Forma::Alternata, 1, 3, "0",
                            "00000000001010", "111010000000000"};
constexpr Membro kIndustrial{kDueDiCinque, Forma::SoloBarre, 1, 3, "",
                             "00000000001010", "111010000000000"};
constexpr Membro kInterleaved{kDueDiCinque, Forma::Interfogliata, 1, 3, "",
                              "00000000001010", "111010000000000"};

void Codifica(const Membro& membro, OggettoStampa& pgStampa, const std::string& psDati, float pfX,
              float pfY, float pfLargh, float pfAlt, int piNoDisegno, std::string& psOut) {
  if (psDati.empty()) return;
  for (char c : psDati)
    if (c < '0' || c > '9') return;

  // Weighted from the right; kept as its last digit so that no length of
  // data can overflow it.
  int somma = 0;
  bool triplo = true;
  for (auto it = psDati.rbegin(); it != psDati.rend(); ++it) {
    somma = (somma + (*it - '0') * (triplo ? 3 : 1)) % 10;
    triplo = !triplo;
  }
  std::string codice = psDati + static_cast<char>('0' + (10 - somma) % 10);
  // Interleaved carries digits in pairs: a leading zero evens the count
  // without changing the number or its check digit.
  if (membro.forma == Forma::Interfogliata && codice.size() % 2 == 1) codice.insert(0, 1, '0');
  psOut = codice;

  std::string moduli = membro.avvio;
  const auto larghezza = [&](char e) { return static_cast<size_t>(e == '1' ? membro.largo : membro.stretto); };
  switch (membro.forma) {
    case Forma::Alternata:
      for (char d : codice) {
        const char* schema = membro.tabella[d - '0'];
        for (size_t j = 0; schema[j] != '\0'; ++j) moduli.append(larghezza(schema[j]), j % 2 == 0 ? '1' : '0');
        moduli += membro.intervallo;
      }
      break;
    case Forma::SoloBarre:
      for (char d : codice) {
        const char* schema = membro.tabella[d - '0'];
        for (size_t j = 0; schema[j] != '\0'; ++j) {
          moduli.append(larghezza(schema[j]), '1');
          moduli += '0';
        }
      }
      break;
    case Forma::Interfogliata:
      for (size_t i = 0; i + 1 < codice.size(); i += 2) {
        const char* barre = membro.tabella[codice[i] - '0'];
        const char* spazi = membro.tabella[codice[i + 1] - '0'];
        for (size_t j = 0; j < 5; ++j) {
          moduli.append(larghezza(barre[j]), '1');
          moduli.append(larghezza(spazi[j]), '0');
        }
      }
      break;
  }
  moduli += membro.stop;

  if (PuoDisegnare(piNoDisegno)) DisegnaModuli(pgStampa, moduli, pfX, pfY, pfLargh, pfAlt);
}

}  // namespace

void CalcBcdMatrix(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                   float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(kBcdMatrix, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void Calc3BarMatrix(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                    float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(k3BarMatrix, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void Calc5Bar(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(k5Bar, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void CalcCompress(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                  float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(kCompressione, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void CalcDatalogic(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                   float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(kDatalogic, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void CalcIndustrial(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                    float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(kIndustrial, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

void CalcInterleaved(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                     float pfLargh, float pfAlt, int, int piNoDisegno, std::string& psOut) {
  Codifica(kInterleaved, pgStampa, psDati, pfX, pfY, pfLargh, pfAlt, piNoDisegno, psOut);
}

}  // namespace BarCode

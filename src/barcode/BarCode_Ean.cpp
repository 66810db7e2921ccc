// EAN-13, EAN-8 and UPC-A, with the code tables of ISO/IEC 15420.
#include "barcode/BarCode.h"
#include "platform/Testo.h"

namespace BarCode {

namespace {

// Number sets A (odd parity), B (even parity) and C, by digit.
constexpr const char* kSetA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                   "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr const char* kSetB[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                                   "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr const char* kSetC[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                                   "1001110", "1010000", "1000100", "1001000", "1110100"};
// EAN-13: the leading digit is carried by the sets of the left half.
constexpr const char* kParita[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                     "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// The first `n` characters, when all of them are digits.
bool CifreIniziali(const std::string& dati, size_t n) {
  if (dati.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (!Cifra(dati[i])) return false;
  return true;
}

char CifraControllo(int somma) { return static_cast<char>('0' + (10 - somma % 10) % 10); }

}  // namespace

void CalcEan13(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int /*piOpzione*/, int piNoDisegno, std::string& psOut) {
  if (vb::Len(psDati) < 12 || !CifreIniziali(psDati, 12)) return;
  int somma = 0;
  for (size_t i = 0; i < 12; ++i) somma += (psDati[i] - '0') * (i % 2 == 1 ? 3 : 1);
  const char controllo = CifraControllo(somma);
  psOut = psDati + controllo;

  const std::string codice = psDati.substr(0, 12) + controllo;
  const char* parita = kParita[codice[0] - '0'];
  std::string moduli = "00000000000101";
  for (size_t i = 1; i <= 6; ++i) {
    const int d = codice[i] - '0';
    moduli += parita[i - 1] == 'A' ? kSetA[d] : kSetB[d];
  }
  moduli += "01010";
  for (size_t i = 7; i <= 12; ++i) moduli += kSetC[codice[i] - '0'];
  moduli += "1010000000";

  if (PuoDisegnare(piNoDisegno)) DisegnaModuli(pgStampa, moduli, pfX, pfY, pfLargh, pfAlt);
}

void CalcEan8(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int /*piOpzione*/, int piNoDisegno, std::string& psOut) {
  if (vb::Len(psDati) < 7 || !CifreIniziali(psDati, 7)) return;
  int somma = 0;
  for (size_t i = 0; i < 7; ++i) somma += (psDati[i] - '0') * (i % 2 == 0 ? 3 : 1);
  const std::string codice = psDati.substr(0, 7) + CifraControllo(somma);
  psOut = codice;

  std::string moduli = "0000000101";
  for (size_t i = 0; i < 4; ++i) moduli += kSetA[codice[i] - '0'];
  moduli += "01010";
  for (size_t i = 4; i < 8; ++i) moduli += kSetC[codice[i] - '0'];
  moduli += "1010000000";

  if (PuoDisegnare(piNoDisegno)) DisegnaModuli(pgStampa, moduli, pfX, pfY, pfLargh, pfAlt);
}

void CalcUpcA(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int /*piOpzione*/, int /*piNoDisegno*/,
              std::string& psOut) {
  // Digits only: a letter read as 0 would print a valid-looking symbol of a
  // number nobody asked for.
  if (vb::Len(psDati) != 11 || !CifreIniziali(psDati, 11)) return;
  int somma = 0;
  for (size_t i = 0; i < 11; ++i) somma += (psDati[i] - '0') * (i % 2 == 0 ? 3 : 1);
  const std::string codice = psDati + CifraControllo(somma);
  psOut = codice;

  std::string moduli = "101";
  for (size_t i = 0; i < 6; ++i) moduli += kSetA[codice[i] - '0'];
  moduli += "01010";
  for (size_t i = 6; i < 12; ++i) moduli += kSetC[codice[i] - '0'];
  moduli += "101";

  // UPC-A has never honoured its no-drawing flag; only the entry point's
  // compute-only switch keeps it from drawing, and it paints its bars only.
  if (PuoDisegnare(0)) DisegnaModuli(pgStampa, moduli, pfX, pfY, pfLargh, pfAlt, true);
}

}  // namespace BarCode

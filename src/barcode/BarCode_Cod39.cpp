// Code 39 (ISO/IEC 16388) and Code 32, the Italian pharmaceutical code
// written in base 32 and printed as Code 39.
#include <cstdint>

#include "barcode/BarCode.h"
#include "platform/Errore.h"

namespace BarCode {

namespace {

// The 43 data characters in the order of their check values 0 to 42.
constexpr std::string_view kCaratteri39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
// Bar, space, bar, ... of each character above, "1" wide and "0" narrow.
constexpr const char* kElementi39[43] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010"};
constexpr const char* kAvvioStop39 = "010010100";  // "*"

constexpr std::string_view kAlfabeto32 = "0123456789BCDFGHJKLMNPQRSTUVWXYZ";

// Check value of a data character, letter case ignored; -1 when Code 39
// cannot carry it.
int Valore39(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const size_t p = kCaratteri39.find(c);
  return p == std::string_view::npos ? -1 : static_cast<int>(p);
}

void AggiungiCarattere(std::string& moduli, const char* elementi) {
  for (int i = 0; i < 9; ++i) {
    const char modulo = i % 2 == 0 ? '1' : '0';
    moduli.append(elementi[i] == '1' ? 3 : 1, modulo);
  }
  moduli += '0';  // the narrow gap after every character
}

// "*", the characters (all valid), "*".
std::string Moduli39(const std::string& testo) {
  std::string moduli;
  AggiungiCarattere(moduli, kAvvioStop39);
  for (char c : testo) AggiungiCarattere(moduli, kElementi39[Valore39(c)]);
  AggiungiCarattere(moduli, kAvvioStop39);
  return moduli;
}

}  // namespace

void CalcCod39(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int /*piOpzione*/, int piNoDisegno, std::string& psOut,
               int& piControllo) {
  if (psDati.empty()) return;
  int32_t somma = 0;
  for (char c : psDati) {
    const int v = Valore39(c);
    if (v < 0) return;
    somma += v;
    // The sum has always been a 16-bit integer: such data is an overflow.
    if (somma > INT16_MAX) vb::Solleva(vb::ErrOverflow);
  }
  std::string testo = psDati;
  if (piControllo != 0) testo += kCaratteri39[static_cast<size_t>(somma % 43)];
  psOut = testo;

  if (PuoDisegnare(piNoDisegno)) DisegnaModuli(pgStampa, Moduli39(testo), pfX, pfY, pfLargh, pfAlt);
}

void CalcCod32(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut) {
  // A pharmaceutical code is digits: a sign, a decimal separator or an
  // exponent would only give the symbol of some other number.
  if (psDati.empty()) return;
  for (char c : psDati)
    if (c < '0' || c > '9') return;

  std::string cifre = psDati;
  if (cifre.size() < 8) cifre.insert(0, 8 - cifre.size(), '0');
  cifre.resize(8);

  if (piOpzione == 0) {
    int totale = 0;
    for (size_t i = 0; i < 8; ++i) {
      const int d = cifre[i] - '0';
      if (i % 2 == 0) {
        totale += d;
      } else {
        totale += (2 * d) / 10 + (2 * d) % 10;
      }
    }
    cifre += static_cast<char>('0' + totale % 10);
  }

  uint64_t numero = 0;
  for (char c : cifre) numero = numero * 10 + static_cast<uint64_t>(c - '0');
  std::string testo(6, '0');
  for (int i = 5; i >= 0; --i) {
    testo[static_cast<size_t>(i)] = kAlfabeto32[numero % 32];
    numero /= 32;
  }
  psOut = testo;

  if (PuoDisegnare(piNoDisegno)) DisegnaModuli(pgStampa, Moduli39(testo), pfX, pfY, pfLargh, pfAlt);
}

}  // namespace BarCode

// Code 128 (ISO/IEC 15417) in code sets B and C only: runs of digits long
// enough to gain go in pairs in set C, everything else in set B.
#include <vector>

#include "barcode/BarCode.h"

namespace BarCode {

namespace {

// Element widths of bar, space, bar, space, bar, space for values 0 to 106
// (103 Start A, 104 Start B, 105 Start C); the stop has a seventh bar.
constexpr const char* kSimboli[106] = {
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
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
constexpr const char* kStop = "2331112";
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kPassaC = 99;   // in set B
constexpr int kPassaB = 100;  // in set C

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// A run of digits just ended at position `fine` (exclusive) with the running
// count `c`: fewer than four go back to set B, an odd run of four or more
// gives its last digit to set B; an even count stays in set C and keeps
// counting into the next run.
void ChiudiSerie(std::string& segni, size_t fine, int& c) {
  if (c < 4) {
    for (size_t k = fine - static_cast<size_t>(c); k < fine; ++k) segni[k] = 'A';
    c = 0;
  } else if (c % 2 == 1) {
    segni[fine - 1] = 'A';
    c = 0;
  }
}

}  // namespace

void CalcCod128(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                float pfLargh, float pfAlt, int /*piOpzione*/, int piNoDisegno,
                std::string& psOut) {
  if (psDati.empty()) return;
  // Set B has blank to "~" only: any other character (accented letters,
  // control characters) would come out as some other symbol, so such data
  // gets no barcode at all.
  for (unsigned char ch : psDati)
    if (ch < 32 || ch > 126) return;

  std::string segni(psDati.size(), 'A');
  int c = 0;
  for (size_t j = 0; j < psDati.size(); ++j) {
    if (Cifra(psDati[j])) {
      segni[j] = 'N';
      ++c;
    } else {
      ChiudiSerie(segni, j, c);
    }
  }
  ChiudiSerie(segni, psDati.size(), c);

  const int avvio = segni[0] == 'A' ? kStartB : kStartC;
  bool insiemeC = avvio == kStartC;
  std::vector<int> valori;
  int coppia = 0;
  for (size_t j = 0; j < psDati.size(); ++j) {
    if (segni[j] == 'A') {
      coppia = 0;
      if (insiemeC) {
        valori.push_back(kPassaB);
        insiemeC = false;
      }
      valori.push_back(psDati[j] - 32);
    } else if (++coppia % 2 == 0) {
      if (!insiemeC) {
        valori.push_back(kPassaC);
        insiemeC = true;
      }
      valori.push_back((psDati[j - 1] - '0') * 10 + (psDati[j] - '0'));
    }
  }

  long somma = avvio;
  for (size_t i = 0; i < valori.size(); ++i) somma += valori[i] * static_cast<long>(i + 1);
  const int controllo = static_cast<int>(somma % 103);

  std::string elementi = kSimboli[avvio];
  for (int v : valori) elementi += kSimboli[v];
  elementi += kSimboli[controllo];
  elementi += kStop;

  psOut = psDati;

  if (!PuoDisegnare(piNoDisegno)) return;
  const double moduli = 11.0 * static_cast<double>(valori.size() + 2) + 13.0;
  const double m = static_cast<double>(pfLargh) / moduli;
  double x = pfX;
  for (size_t i = 0; i < elementi.size(); ++i) {
    const double w = (elementi[i] - '0') * m;
    pgStampa.Linea(static_cast<float>(x), pfY, static_cast<float>(x + w), pfY + pfAlt,
                   i % 2 == 0 ? stampa::ColoreNero : stampa::ColoreBianco, "BF");
    x += w;
  }
}

}  // namespace BarCode

#include "barcode/BarCode.h"

#include <cstdio>
#include <memory>

#include "platform/Errore.h"
#include "platform/Testo.h"

namespace BarCode {

namespace {

// The compute-only switch of the module: set by CalcCodBar for the length of
// its encoder call and read by every encoder right before it draws.
bool mbSoloCalcolo = false;

// Turns the switch off however the call ends: an encoder that raises must
// not leave every later drawing call silently drawing nothing.
struct SoloCalcoloAttivo {
  SoloCalcoloAttivo() { mbSoloCalcolo = true; }
  ~SoloCalcoloAttivo() { mbSoloCalcolo = false; }
  SoloCalcoloAttivo(const SoloCalcoloAttivo&) = delete;
  SoloCalcoloAttivo& operator=(const SoloCalcoloAttivo&) = delete;
};

// The first `n` characters read as a number and written back as n digits,
// zeros in front: the EAN and UPC encoders take exactly that many.
std::string CifreFisse(const std::string& dati, long n) {
  double valore = vb::Val(vb::Left(dati, n));
  if (valore == 0) valore = 0;  // no "-0"
  char testo[512];
  std::snprintf(testo, sizeof testo, "%.0f", valore);
  return vb::Right(std::string(static_cast<size_t>(n), '0') + testo, n);
}

using Codificatore = void (*)(OggettoStampa&, const std::string&, float, float, float, float, int,
                              int, std::string&);

struct Simbologia {
  const char* codice;
  Codificatore codifica;  // nullptr: Code 39, which takes the check flag too
};

// In the order they are compared.
constexpr Simbologia kSimbologie[] = {
    {"12", CalcCod128},           {"BCD_Matrix", CalcBcdMatrix}, {"Code32", CalcCod32},
    {"39", nullptr},              {"13", CalcEan13},             {"UA", CalcUpcA},
    {"E8", CalcEan8},             {"3BarMatrix", Calc3BarMatrix}, {"5Bar", Calc5Bar},
    {"Compress", CalcCompress},   {"Datalogic", CalcDatalogic},  {"Industrial", CalcIndustrial},
    {"Interleaved", CalcInterleaved},
};

}  // namespace

bool SoloCalcolo() { return mbSoloCalcolo; }

bool PuoDisegnare(int piNoDisegno) { return piNoDisegno == 0 && !mbSoloCalcolo; }

std::string CalcCodBar(std::string_view psTipo, std::string& psDati, int& piControllo) {
  SoloCalcoloAttivo soloCalcolo;

  const Simbologia* scelta = nullptr;
  for (const Simbologia& s : kSimbologie) {
    if (vb::UgualeTesto(psTipo, s.codice)) {
      scelta = &s;
      break;
    }
  }
  if (!scelta) return std::string();

  const std::string codice = scelta->codice;
  if (codice == "13") {
    psDati = CifreFisse(psDati, 12);
  } else if (codice == "UA") {
    psDati = CifreFisse(psDati, 11);
  } else if (codice == "E8") {
    psDati = CifreFisse(psDati, 7);
  } else if (codice == "39") {
    // The scanned check character goes; the encoder computes its own.
    const long lunghezza = vb::Len(psDati);
    if (lunghezza == 0) vb::Solleva(vb::ErrChiamataNonValida);
    psDati = vb::Left(psDati, lunghezza - 1);
  }

  // The encoders want somewhere to draw even when they draw nothing.
  auto stampa = std::make_unique<OggettoStampa>();
  std::string uscita;
  if (scelta->codifica) {
    scelta->codifica(*stampa, psDati, 0, 0, 30, 10, -1, 0, uscita);
  } else {
    CalcCod39(*stampa, psDati, 0, 0, 30, 10, -1, 0, uscita, piControllo);
  }
  return uscita;
}

void DisegnaModuli(OggettoStampa& pgStampa, std::string_view psModuli, float pfX, float pfY,
                   float pfLargh, float pfAlt, bool pbSoloBarre) {
  if (psModuli.empty()) return;
  const double modulo = static_cast<double>(pfLargh) / static_cast<double>(psModuli.size());
  double x = pfX;
  for (char m : psModuli) {
    const bool barra = m == '1';
    if (barra || !pbSoloBarre) {
      pgStampa.Linea(static_cast<float>(x), pfY, static_cast<float>(x + modulo), pfY + pfAlt,
                     barra ? stampa::ColoreNero : stampa::ColoreBianco, "BF");
    }
    x += modulo;
  }
}

}  // namespace BarCode

#pragma once
// The legacy run-time error: a number, a description and the source that
// raised it. Procedures throw it; handlers catch it and read the three
// fields, as the legacy "On Error" handlers read Err.Number and friends.
#include <stdexcept>
#include <string>

namespace vb {

// Numbers of the run-time errors the program raises or compares.
enum CodiceErr : long {
  ErrChiamataNonValida = 5,
  ErrOverflow = 6,
  ErrIndice = 9,
  ErrDivisionePerZero = 11,
  ErrTipoNonCorrisp = 13,
  ErrFileNonTrovato = 53,
  ErrFileGiaAperto = 55,
  ErrOggettoNonImpostato = 91,
  ErrUsoNull = 94,
  ErrFormModale = 401,
  ErrArgomentoMancante = 449,
};

class Errore : public std::runtime_error {
 public:
  Errore(long numero, std::string descrizione, std::string origine = {});

  long Number() const noexcept { return numero_; }
  const std::string& Description() const noexcept { return descrizione_; }
  const std::string& Source() const noexcept { return origine_; }

 private:
  long numero_;
  std::string descrizione_;
  std::string origine_;
};

// The Italian text the legacy run time gave for its own error numbers; "" for
// numbers it does not know.
std::string DescrizioneErrore(long numero);

// Raises error `numero`; an empty description takes the standard text.
[[noreturn]] void Solleva(long numero, std::string descrizione = {},
                          std::string origine = {});

}  // namespace vb

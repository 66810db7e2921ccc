#pragma once
// The state of module RipriDdt shared by its files; lives for the whole
// program.
#include <cstdint>
#include <string>

#include "platform/dati/GestRecordset.h"

namespace RipriDdt {

struct Modulo {
  dati::GestRecordset rs;      // the selection and the movement recordsets
  int16_t errori = 0;          // failures of the run
  int32_t contatore = 0;       // position on the progress bar
  std::string livelli = "N";   // "Mag.GesTaglie" at the start of the run
  std::string trattamento = "NT";
};
Modulo& Mod();

}  // namespace RipriDdt

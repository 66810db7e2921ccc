#include "common/Globali.h"

Globali& G() {
  static Globali g;
  return g;
}

void AzzeraGlobali() { G() = Globali{}; }

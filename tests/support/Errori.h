#pragma once
// The legacy error a piece of code raises, for tests that expect one.
#include <string>

#include "platform/Errore.h"

namespace prova {

// Number of the legacy error `f` raises; 0 when it raises none. The
// description goes to `descrizione` when given.
template <class F>
long NumeroErrore(F&& f, std::string* descrizione = nullptr) {
  try {
    f();
  } catch (const vb::Errore& e) {
    if (descrizione) *descrizione = e.Description();
    return e.Number();
  }
  return 0;
}

}  // namespace prova

#pragma once
// The company database as the services open their recordsets on it.
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"

namespace servizi {

// The program-wide manager goDbAzienda; 91 while no company is open.
inline dati::GestDatabase& DbDitta() {
  if (!G().goDbAzienda) vb::Solleva(vb::ErrOggettoNonImpostato);
  return *G().goDbAzienda;
}

}  // namespace servizi

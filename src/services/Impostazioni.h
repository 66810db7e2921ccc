#pragma once
// Company and personal parameters as the shared services read them: through
// the program-wide readers the start-up sets (the menu server); unset, every
// parameter reads as its default.
#include <string>

#include "common/Globali.h"
#include "platform/Variant.h"

namespace servizi {

// Company parameter by dotted name ("Mag.GesTaglie").
inline vb::Variant ParamDitta(const std::string& psNome, const vb::Variant& pvDefault = vb::Variant("")) {
  const auto& leggi = G().gfLeggiParam;
  return leggi ? leggi(psNome, pvDefault) : pvDefault;
}

// Personal parameter of a section.
inline vb::Variant ParPers(const std::string& psSezione, const std::string& psNome,
                           const vb::Variant& pvDefault = vb::Variant("")) {
  const auto& leggi = G().gfLeggiParPers;
  return leggi ? leggi(psSezione, psNome, pvDefault) : pvDefault;
}

// A value as text: Empty, Null and Missing as "".
inline std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

}  // namespace servizi

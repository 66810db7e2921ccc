#pragma once
// The program's main module.
#include <optional>
#include <string>

#include "platform/Variant.h"

namespace mainDdt {

// Writes, creates or deletes an ini key or a whole section, choosing the file
// itself: `pvFile` when given; else the suite ini when it holds a value for
// the key; else the database's ini when that holds one; else, when
// `pvCreaSeManca` (default True) allows, the database's ini for
// `piQualeIni` >= 2 (when there is one) or the suite ini. True when the file
// was changed. With `pvMsg` True a failure is also told in a message box.
vb::Variant ScriviIni(const std::string& psSezione, const std::string& psChiave,
                      const std::string& psValore, const vb::Variant& pvMsg = vb::Missing,
                      const vb::Variant& pvCreaSeManca = vb::Missing, int piQualeIni = 1,
                      bool pbCancSez = false, bool pbCancChiave = false,
                      const vb::Variant& pvFile = vb::Missing);

}  // namespace mainDdt

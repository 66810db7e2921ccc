#pragma once
// Small routines shared by every form: ini reading and the rounded
// comparison of amounts.
#include <optional>
#include <string>

#include "platform/Variant.h"

namespace FunVarie {

// Reads (section, key) from the suite ini, then from the database's ini;
// `psValore` receives the value or `psDefault`. The result is the length the
// utility object reported, as decimal text ("0", "12"). Errors of the
// utility object reach the caller.
std::string LeggiParIni(const std::string& psSezione, const std::string& psChiave,
                        const std::string& psDefault, std::string& psValore);

// Compares two values after rounding both to 10^pvEsp (mode "A"): -1, 0, 1.
// A Null second value answers 0 when the first is empty text, else 1,
// without rounding. An omitted exponent is the rounding's own default (0).
int ArrotConfronta(const vb::Variant& pvPrimo, const vb::Variant& pvSecondo,
                   std::optional<int> pvEsp = std::nullopt);

}  // namespace FunVarie

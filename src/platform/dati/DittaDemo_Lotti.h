#pragma once
// The lot-traced part of the demonstration company beside the oil of the
// main demo: an article whose lots are mandatory, its lots in both stores
// (one closed by hand), the production account that owns lots made
// in-house, and the category, treatment, packaging and species codes of a
// lot.
#include <string>

namespace dati {
class GestDatabase;

namespace demo {
inline constexpr const char* kArticoloLottiObblig = "FORMAGGIO1";  // lots mandatory ("O"), VAT 4
inline constexpr const char* kLottoForm1 = "F2026-101";  // 20 in the central store, 8 in the shop
inline constexpr const char* kLottoForm2 = "F2026-102";  // 6 in the central store
inline constexpr const char* kLottoFormChiuso = "F2026-090";  // 3 left, closed by hand
inline constexpr const char* kGruppoProd = "09";
inline constexpr const char* kMastroProd = "01";
inline constexpr const char* kContoProd = "0099";  // "Produzione interna"
}  // namespace demo

// Writes it into the company of `chiave` (inside the demo's transaction).
void DittaDemoLotti(GestDatabase& db, const std::string& chiave);

}  // namespace dati

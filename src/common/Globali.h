#pragma once
// Program-wide variables. Each is set once during start-up and read
// afterwards; tests reset them all with AzzeraGlobali().
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestDatabase;
}

struct Globali {
  // The suite ini "velnor.ini" and the database's own ini ("" when none):
  // the only two ini files every read and write goes to.
  std::string gsFileIni;
  std::string gsFileIniDb;

  // The company database manager and the key of the company connection.
  std::shared_ptr<dati::GestDatabase> goDbAzienda;
  std::string gsConnAzienda;

  // Currencies (company settings, each replaced by its default when the
  // menu gives an empty value): company currency, lira and euro codes, the
  // lira/euro rate as text with the decimal comma and its operator.
  std::string gsMonetaDitta = "Euro";
  std::string gsCodLira = "L.";
  std::string gsCodEuro = "Euro";
  std::string gsOperCambio = "/";
  std::string gsCambioLiraEuro = "1936,27";
  // Decimals of amounts and of unit values (table Monete; 2 when the
  // currency row is missing); "Moneta" copies those of the company currency.
  int16_t giNumDecLire = 2;
  int16_t giNumDecGestLire = 2;
  int16_t giNumDecEuro = 2;
  int16_t giNumDecGestEuro = 2;
  int16_t giNumDecMoneta = 2;
  int16_t giNumDecGestMoneta = 2;
  // Personal "ArrotIvaEuro" of "Tutti": "S" rounds VAT by direction.
  std::string gsArrotIvaEuro = "A";
  // Company "Mag.GesArtFor": "S" keeps per-supplier article data.
  std::string gsGesArtFor;

  // Who answers the company parameters by dotted name ("Fat.ScontoQta")
  // with a default: the menu server, once connected. Unset, every company
  // parameter reads as its default.
  std::function<vb::Variant(const std::string&, const vb::Variant&)> gfLeggiParam;

  // Barcode types and the level prefix of each, 1 to 5 (element 0 unused).
  // A prefix is read from the personal parameters the first time it is
  // needed; until then it holds the marker "not read yet".
  static constexpr const char* kCodIniLivNonLetto = "§ç°@^";
  std::array<std::string, 6> gsVetTipoBarCode{"", "12", "39", "13", "E8", "UA"};
  std::array<std::string, 6> gsVetCodIniLiv{"", kCodIniLivNonLetto, kCodIniLivNonLetto,
                                            kCodIniLivNonLetto, kCodIniLivNonLetto,
                                            kCodIniLivNonLetto};

  // Who answers the personal parameters (section, name, default) -> value:
  // the menu server, once the program is connected to it. Unset, every
  // personal parameter reads as its default.
  std::function<vb::Variant(const std::string&, const std::string&, const vb::Variant&)>
      gfLeggiParPers;
};

Globali& G();
void AzzeraGlobali();

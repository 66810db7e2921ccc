#pragma once
// Program-wide variables. Each is set once during start-up and read
// afterwards; tests reset them all with AzzeraGlobali().
#include <string>

struct Globali {
  // The suite ini "velnor.ini" and the database's own ini ("" when none):
  // the only two ini files every read and write goes to.
  std::string gsFileIni;
  std::string gsFileIniDb;
};

Globali& G();
void AzzeraGlobali();

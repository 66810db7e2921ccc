#pragma once
// The statements the program sends to the company database
// (istruzioni_legacy.sql), read as records of kind, label and text.
#include <fstream>
#include <string>
#include <vector>

namespace prova {

struct Record {
  std::string tipo, etichetta, sql;
};

inline std::vector<Record> CorpusSql() {
  std::ifstream in(std::string(DDT_TEST_DATI) + "/istruzioni_legacy.sql");
  std::vector<Record> out;
  std::string riga;
  Record r;
  while (std::getline(in, riga)) {
    if (riga == ";;") {
      if (!r.sql.empty()) out.push_back(r);
      r = Record{};
    } else if (riga.rfind("-- ", 0) == 0 && r.sql.empty()) {
      auto bar = riga.find(" | ");
      if (bar != std::string::npos) {
        r.tipo = riga.substr(3, bar - 3);
        r.etichetta = riga.substr(bar + 3);
      }
    } else if (!riga.empty() || !r.sql.empty()) {
      r.sql += (r.sql.empty() ? "" : "\n") + riga;
    }
  }
  return out;
}


}  // namespace prova

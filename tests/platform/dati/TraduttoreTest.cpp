#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/Errore.h"
#include "platform/dati/Traduttore.h"

using namespace dati;

namespace {

struct Record {
  std::string tipo, etichetta, sql;
};

std::vector<Record> Corpus() {
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

}  // namespace

TEST(Traduttore, EveryLegacyStatementParses) {
  Catalogo vuoto;
  auto corpus = Corpus();
  ASSERT_GT(corpus.size(), 300u);
  int errori = 0;
  for (const auto& r : corpus) {
    if (r.sql.rfind("SET ", 0) == 0) continue;  // sent to the server unchanged
    for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
      try {
        Traduci(r.sql, m, vuoto);
      } catch (const vb::Errore& e) {
        ++errori;
        ADD_FAILURE() << r.etichetta << "\n" << r.sql << "\n-> " << e.Description();
        break;
      }
    }
  }
  EXPECT_EQ(errori, 0);
}

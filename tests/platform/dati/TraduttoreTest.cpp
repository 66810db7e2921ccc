#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/Errore.h"
#include "platform/dati/Traduttore.h"
#include "CorpusSql.h"

using namespace dati;

namespace {

}  // namespace

TEST(Traduttore, EveryLegacyStatementParses) {
  Catalogo vuoto;
  auto corpus = prova::CorpusSql();
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

// The footer of the demonstration company's DDTs against the totals their
// headers hold.
#include <gtest/gtest.h>

#include <memory>

#include "common/Globali.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "support/CartellaTemp.h"

namespace {

namespace demo = dati::demo;

vb::Currency Cur(double d) { return vb::Currency::FromDouble(d); }

TEST(PiedeDemo, DdtFootersMatchTheirHeaders) {
  AzzeraGlobali();
  prova::CartellaTemp dir("piededemo");
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string k = db->CreaDatabase(dir.Percorso("demo.db"));
  dati::CreaSchema(db->Motore(k), dati::SchemaDitta());
  dati::CreaDittaDemo(*db, k);
  G().goDbAzienda = db;
  G().gsConnAzienda = k;
  const demo::TotaliDdt casi[] = {demo::kTotaliDdtEvaso, demo::kTotaliDdtStampato, demo::kTotaliDdtModificabile,
                                  demo::kTotaliDdtInterno};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.numRif);
    scCalcPiedeFat p;
    p.osTabTesta = G().gsTabTest;
    p.osTabDett = G().gsTabDett;
    p.osTabLiv = G().gsTabLiv;
    p.osTabSpese = G().gsTabSpese;
    p.obErrNoDett = false;
    p.CalcPiedeFat(demo::kAnno, c.numRif, false, -1, vb::Variant("N"));
    ASSERT_EQ(p.oiNumErrori, 0) << p.osErrori;
    EXPECT_EQ(p.odTotMerce, Cur(c.merce));
    EXPECT_EQ(p.odTotSpese, Cur(c.spese));
    EXPECT_EQ(p.odTotImponibile, Cur(c.imponibile));
    EXPECT_EQ(p.odTotIva, Cur(c.iva));
    EXPECT_EQ(p.odTotFattura, Cur(c.documento));
    if (c.numRif == demo::kDdtModificabile) {
      EXPECT_EQ(p.odTotEsente, Cur(demo::kEsenteDdtModificabile));
    }
  }
  AzzeraGlobali();
}

}  // namespace

// The header window as the menu opens it on the demo company: loaded, its
// bar bound to DdtTest, a stored DDT found by year and number.
#include "ddt/header/TestataProva.h"

namespace {

using Finestra = prova::TestataProva;

TEST_F(Finestra, OpensOnTheDemoCompanyAndFindsAStoredDdt) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
  EXPECT_EQ(f.LeggiPerNome("osKeySec").ToString(), "w1");
  EXPECT_EQ(f.LeggiPerNome("oiInDett").ToInt(), -1);
  // The demo company keeps declarations of intent on the header.
  EXPECT_EQ(f.ogComPag().Campi().size(), 103u);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 0);
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ogComPag().EseguiTasto("Ricerca");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_FALSE(f.txt(30).Text().empty());
  EXPECT_EQ(f.miCampoLegato[810], 830);
}

}  // namespace

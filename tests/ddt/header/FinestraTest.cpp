// The header window as the menu opens it on the demo company.
#include "ddt/header/TestataProva.h"

namespace {

using Finestra = prova::TestataProva;

TEST_F(Finestra, OpensOnTheDemoCompanyAndAnswersByName) {
  frmDdtTest& f = Testata();
  EXPECT_TRUE(f.Caricata());
  EXPECT_EQ(f.LeggiPerNome("osKeySec").ToString(), "w1");
  EXPECT_EQ(f.LeggiPerNome("oiInDett").ToInt(), -1);
}

}  // namespace

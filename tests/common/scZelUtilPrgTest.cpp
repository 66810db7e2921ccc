// The holder of the look-up library: its events and the start-up step.
#include "common/scZelUtilPrg.h"

#include <gtest/gtest.h>

#include "common/Globali.h"
#include "common/mainDdt.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/ui/Headless.h"

namespace {

class ZelUtilPrg : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    ui::HeadlessAttivo().AzzeraScript();
  }
  void TearDown() override {
    scZelUtilPrg::ImpostaMostraMenu({});
    scZelUtilPrg::Rilascia();
    AzzeraGlobali();
  }
};

}  // namespace

TEST_F(ZelUtilPrg, EveryDecodeRequestIsLetThrough) {
  vb::Variant valore("22"), solo(true);
  EXPECT_TRUE(mainDdt::PrepDecod("frmDdtTest", "txt(270)", valore, solo).ToBool());
  vb::Variant vuoto, falso(false);
  EXPECT_TRUE(mainDdt::PrepDecod("", "", vuoto, falso, 114, 0, false).ToBool());
  EXPECT_EQ(valore.ToString(), "22");

  // Through the library's event, whatever the arguments.
  aiuti::SorgenteEventiAiuti& ev = scZelUtilPrg::Istanza().ogZelAiuto();
  ASSERT_TRUE(ev.ClsPrepDecod);
  vb::Variant v(""), s(false), f, r(false);
  ev.ClsPrepDecod("Iva", "frmDdtTest", "txt(270)", v, s, f, r);
  EXPECT_TRUE(r.ToBool());
}

TEST_F(ZelUtilPrg, LaunchKeysAndTheMainMenu) {
  aiuti::SorgenteEventiAiuti& ev = scZelUtilPrg::Istanza().ogZelAiuto();
  ev.LanciaKeyPrim("Iva");
  ev.LanciaKeySec("22");
  ev.LanciaKeyPrim("Conto");
  ev.LanciaKeySec("04-01-0012");
  EXPECT_EQ(G().gsLanciaKeyPrim, "Conto");
  EXPECT_EQ(G().gsLanciaKeySec, "04-01-0012");
  int menu = 0;
  scZelUtilPrg::ImpostaMostraMenu([&] { ++menu; });
  ev.ClsMainMenuFrm();
  EXPECT_EQ(menu, 1);
  // Without a menu client and without the start-up's hook nothing happens.
  scZelUtilPrg::ImpostaMostraMenu({});
  ev.ClsMainMenuFrm();
  EXPECT_EQ(menu, 1);
}

TEST_F(ZelUtilPrg, TheStartUpStepSetsTheLibraryUp) {
  G().gfLeggiParPers = [](const std::string& sezione, const std::string& nome, const vb::Variant& def) {
    return sezione == "Help" && nome == "HlpSpost" ? vb::Variant("3") : def;
  };
  PreparaAiuti(1.28);
  ASSERT_TRUE(G().goZelAiuto);
  EXPECT_EQ(G().goZelAiuto, scZelUtilPrg::Istanza().ogZelAiuti);
  EXPECT_EQ(G().gfrmAiuto, &G().goZelAiuto->FinestraAttiva());
  aiuti::FinestraAiuto& f = G().goZelAiuto->FinestraAttiva();
  EXPECT_DOUBLE_EQ(f.odRisVid, 1.28);
  EXPECT_TRUE(f.obLockSpostaCurs);
  EXPECT_EQ(f.oiSpostaCurs, 3);
  EXPECT_EQ(G().goZelAiuto->ColoreErrore(), G().glColoreErrore);
  EXPECT_TRUE(G().goContesto);
}

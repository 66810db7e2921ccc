// The VAT summary classes and the expense collection, without a database.
#include <gtest/gtest.h>

#include "platform/FunzioniComuni.h"

#include <functional>
#include <string>
#include <vector>

#include "fiscal/scIve.h"
#include "platform/CollezioneVettori.h"
#include "platform/Errore.h"

namespace {

long NumeroErrore(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Errore& e) {
    return e.Number();
  }
  return 0;
}

TEST(RiepilogoIva, KeysIgnoreLetterCaseAndKeepTheirOrder) {
  scIve ive;
  EXPECT_FALSE(ive.obEsiste("22"));
  ive.AddIva("iva22");
  ive.AddIva("10");
  ive.AddIva("E10");
  EXPECT_TRUE(ive.obEsiste("IVA22"));
  EXPECT_EQ(NumeroErrore([&] { ive.AddIva("IVA22"); }), 457);
  EXPECT_EQ(NumeroErrore([&] { ive.ogIva("4"); }), 5);
  EXPECT_EQ(NumeroErrore([&] { ive.odImpon("4"); }), 5);
  std::vector<std::string> ordine;
  for (const auto& v : ive.ocCollIva) ordine.push_back(v->osIva);
  EXPECT_EQ(ordine, (std::vector<std::string>{"iva22", "10", "E10"}));
  ive.ocCollIva.Remove("10");
  EXPECT_FALSE(ive.obEsiste("10"));
  EXPECT_EQ(ive.ocCollIva.Item(2L).osIva, "E10");
  EXPECT_EQ(NumeroErrore([&] { ive.ocCollIva.Item(3L); }), 9);
  ive.Clear();
  EXPECT_FALSE(ive.obEsiste("iva22"));
  ive.Clear();
  EXPECT_EQ(ive.ocCollIva.Count(), 0);
}

TEST(RiepilogoIva, AccountsAndSplitsAreReachedByLevel) {
  scIve ive;
  ive.AddIva("22");
  scIva& v = ive.ogIva("22");
  v.AddControP("401", "", "");
  ASSERT_TRUE(v.obCPEsiste("401"));
  EXPECT_EQ(v.ogControp("401").ocCdcCompetenza.Count(), 1);
  EXPECT_EQ(v.ogControp("401").ocCdcCompetenza.Item(1L).osKey, "CD");
  v.AddCdcComp("401", "10", "");
  EXPECT_TRUE(v.obCdcCompEsiste("401", "10", ""));
  EXPECT_EQ(v.ogCdcComp("401", "10", "").osKey, "C10D");
  EXPECT_FALSE(v.obCdcCompEsiste("401", "X", "Y"));
  EXPECT_EQ(NumeroErrore([&] { v.obCdcCompEsiste("999", "", ""); }), 5);
  EXPECT_EQ(NumeroErrore([&] { v.AddControP("401", "", ""); }), 457);
  EXPECT_EQ(NumeroErrore([&] { v.AddCdcComp("401", "10", ""); }), 457);

  v.odCPImpon("401", true, "X", "Y") = vb::Currency::FromLong(100);
  v.odCPImpon("401", false, "10", "") = vb::Currency::FromLong(30);
  v.odCPSIvaOmaggioT("401", false, "10", "") = vb::Currency::FromLong(7);
  EXPECT_EQ(v.ogControp("401").odImpon, vb::Currency::FromLong(100));
  EXPECT_EQ(v.ogCdcComp("401", "10", "").odImpon, vb::Currency::FromLong(30));
  EXPECT_EQ(v.ogCdcComp("401", "10", "").odIvaOmaggioT, vb::Currency::FromLong(7));
  EXPECT_EQ(v.odImpon, vb::Currency());  // the levels never touch the key's own amount
  EXPECT_EQ(NumeroErrore([&] { v.odCPImpon("401", false, "X", "Y"); }), 5);
  // Rows are shared: a change through one handle is seen through the others.
  ive.odImpon("22") = vb::Currency::FromLong(5);
  EXPECT_EQ(v.odImpon, vb::Currency::FromLong(5));
  v.CPClear();
  EXPECT_FALSE(v.obCPEsiste("401"));
  EXPECT_EQ(v.odImpon, vb::Currency::FromLong(5));
}

TEST(RiepilogoIva, DiscountStepTable) {
  scIva v;
  v.odMerce = vb::Currency::FromLong(100);
  EXPECT_DOUBLE_EQ(v.odMerceSco(1), 100);
  v.odMerceSco(0, 55);  // stored, but a table never prepared still reads the goods
  EXPECT_DOUBLE_EQ(v.odMerceSco(0), 100);
  v.PrepMerceSco(3);
  EXPECT_EQ(v.oiNumSconti, 3);
  for (int16_t i = 0; i <= 3; ++i) EXPECT_DOUBLE_EQ(v.odMerceSco(i), 0) << i;
  v.odMerceSco(3, 80);
  v.PrepMerceSco(5);
  EXPECT_DOUBLE_EQ(v.odMerceSco(4), 80);
  EXPECT_DOUBLE_EQ(v.odMerceSco(5), 80);
  EXPECT_DOUBLE_EQ(v.odMerceSco(3), 80);
  EXPECT_DOUBLE_EQ(v.odMerceSco(2), 0);
  v.PrepMerceSco(2);
  EXPECT_EQ(v.oiNumSconti, 5);
  EXPECT_DOUBLE_EQ(v.odMerceSco(6), 100);
  EXPECT_EQ(NumeroErrore([&] { v.odMerceSco(6, 1); }), 9);
  EXPECT_EQ(NumeroErrore([&] { v.odMerceSco(-1); }), 9);
}

TEST(CollezioneVettori, ValuesUnderKeys) {
  vb::CollezioneVettori c;
  bool trovata = true;
  c.LeggiVoce("TRA", trovata);
  EXPECT_FALSE(trovata);
  c.AggiungiVoce("TRA", true, vb::Variant(vb::Currency::FromLong(10)));
  c.AggiungiVoce("tra", true, vb::Variant(vb::Currency::FromLong(12)));
  c.AggiungiVoce("3", true, vb::Variant(vb::Currency::FromLong(1)));
  EXPECT_TRUE(c.LeggiVoce("Tra"));
  vb::Variant v;
  c.AggiungiVoceSpesa("TRA", true, v);
  EXPECT_EQ(v.ToCurrency(), vb::Currency::FromLong(12));
  c.AggiungiVoceSpesa("nessuna", true, v);
  EXPECT_TRUE(v.IsEmpty());
  ASSERT_EQ(c.Numero(), 2);
  EXPECT_EQ(c.Voci()[0].first, "TRA");
  c.Azzera();
  EXPECT_EQ(c.Numero(), 0);
  EXPECT_FALSE(c.LeggiVoce("TRA"));
  // Emptied through the utility object as the callers do, then used again.
  c.AggiungiVoce("A", true, vb::Variant(1));
  vb::FunzioniComuni::Istanza().SvuotaCollezione(c, false);
  EXPECT_EQ(c.Numero(), 0);
  c.AggiungiVoce("a", true, vb::Variant(2));
  EXPECT_EQ(c.Numero(), 1);
}

}  // namespace

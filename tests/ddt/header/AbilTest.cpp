// What the header lets the user edit by the DDT's state and by where the
// prices come from, and the decode of a new DDT's default codes, over the
// demo company.
#include <filesystem>
#include <string>

#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "platform/FunzioniComuni.h"

namespace {

namespace demo = dati::demo;

class Abil : public prova::TestataProva {
 protected:
  // The flags as the record hooks and the tab handler work them out.
  static void Applica(frmDdtTest& f, const std::string& stato) {
    f.txt(110).SetText(stato);
    bool vuoto = vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(stato));
    bool nonStampato = !vb::UgualeTesto(stato, "S");
    f.AbilDisabVariaz(vuoto, nonStampato);
  }
};

TEST_F(Abil, TheHeaderFollowsTheStateOnEveryTab) {
  struct Caso {
    const char* stato;
    bool main;
    int primoDato;
    bool altrePagine;  // the selected page among 2 to 5 is enabled
    bool pagina1;      // page 1 when selected
    bool campi;        // price list, discount, VAT, warehouses (preset to the opposite)
    bool campiInvariati;
  };
  const Caso casi[] = {
      {"", true, 30, true, true, true, false},
      {"S", false, 220, false, true, false, false},
      {"s", false, 220, false, true, false, false},
      {"E", false, 220, false, false, false, true},
      {"e", false, 220, false, false, false, true},
      // Neither printed nor evaded: locked like a printed one, but its
      // fields of page 1 stay editable.
      {"X", false, 220, false, true, true, false},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.msQualeImporto = "L";
  for (const Caso& c : casi)
    for (int tab = 1; tab <= 6; ++tab)
      for (bool prima : {true, false}) {
        SCOPED_TRACE(std::string("stato '") + c.stato + "' tab " + std::to_string(tab) + (prima ? " on" : " off"));
        // The tab's own handler applies the state too: it is in place first.
        f.txt(110).SetText(c.stato);
        f.C("TasPagine").SetSelectedTab(tab);
        for (const char* nome : {"txt", "ComHlp"})
          for (int n : {200, 240, 270, 290, 88})
            if (ui::Controllo* x = f.Trova(nome, n)) x->SetEnabled(prima);
        Applica(f, c.stato);
        EXPECT_EQ(f.C("PicMain").Enabled(), c.main);
        EXPECT_EQ(f.ogComPag().CtrlPrimoDato(), &f.txt(c.primoDato));
        for (int p = 1; p <= 4; ++p) EXPECT_EQ(f.C("PicPagine", p).Enabled(), c.altrePagine && p == tab - 1) << p;
        EXPECT_EQ(f.C("PicPagine", 0).Enabled(), c.pagina1 && tab == 1);
        const bool atteso = c.campiInvariati ? prima : c.campi;
        for (int n : {200, 240, 270, 290, 88}) EXPECT_EQ(f.txt(n).Enabled(), atteso) << n;
        EXPECT_EQ(f.C("ComHlp", 270).Enabled(), atteso);
        EXPECT_EQ(f.C("ComHlp", 200).Enabled(), atteso);
        // The warehouses' buttons are left as they were.
        EXPECT_EQ(f.C("ComHlp", 290).Enabled(), prima);
      }
}

TEST_F(Abil, ThePriceListIsEditableOnlyForListPrices) {
  struct Caso {
    const char* qualeImporto;
    bool modifica, nonStampato;
    bool abilitato, svuotato, monetaTolta;
  };
  const Caso casi[] = {
      {"L", false, true, true, false, false},  {"l", true, true, true, false, false},
      {"L", true, false, false, false, false}, {"C", false, true, false, false, true},
      {"c", true, true, false, true, true},    {"U", true, false, false, true, true},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.qualeImporto) + (c.modifica ? " modifica" : "") + (c.nonStampato ? "" : " stampato"));
    f.txt(200).SetText(demo::kListinoVendita);
    f.lab(200).SetCaption("Listino");
    f.msMonetaListino = demo::kEuro;
    f.txt(200).SetEnabled(!c.abilitato);
    f.msQualeImporto = c.qualeImporto;
    f.AbilListino(c.modifica, c.nonStampato);
    EXPECT_EQ(f.txt(200).Enabled(), c.abilitato);
    EXPECT_EQ(f.C("ComHlp", 200).Enabled(), c.abilitato);
    EXPECT_EQ(f.txt(200).Text().empty(), c.svuotato);
    EXPECT_EQ(f.lab(200).Caption().empty(), c.svuotato);
    EXPECT_EQ(f.msMonetaListino.empty(), c.monetaTolta);
  }
}

TEST_F(Abil, TheDefaultsOfANewDdtDecodeWithoutALookUp) {
  frmDdtTest& f = Testata();
  f.ogComPag().EseguiTasto("Nuovo");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
  const int modali = backend_.ModaliMostrate();
  // Codes that exist and codes that do not: no look-up window for either
  // (an unscripted window fails the test).
  f.txt(40).SetText("NOTYPE");
  f.txt(400).SetText(demo::kEuro);
  f.txt(1060).SetText("ZZ");
  f.txt(1090).SetText(demo::kAspettoScatole);
  f.txt(1150).SetText("ZZ");
  f.DecodDefault();
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  EXPECT_EQ(f.lab(400).Caption(), "Euro");
  EXPECT_EQ(f.txt(1100).Text(), "Scatole");
  EXPECT_FALSE(f.txt(1100).Enabled());
  EXPECT_EQ(f.txt(1060).BackColor(), G().glColoreErrore);
  EXPECT_EQ(f.txt(1150).BackColor(), G().glColoreErrore);

  // The document type first: its price list rule is in force when the
  // currency decodes.
  f.txt(40).SetText(demo::kDocDdt);
  f.msQualeImporto = "C";
  f.DecodDefault();
  EXPECT_EQ(f.msQualeImporto, "L");
  EXPECT_EQ(f.lab(40).Caption(), "Documento di trasporto");
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
}

}  // namespace

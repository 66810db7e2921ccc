// The six pages of the header: which page comes in front, where it lies,
// which field takes the focus, which pages are switched off, the marker
// under the tab, the restore-from-evasion button.
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"

namespace {

class Pagine : public prova::TestataProva {
 protected:
  void SetUp() override {
    prova::TestataProva::SetUp();
    // The first free description has a caption, so its box is shown.
    Param("Fat.DescLibTest1", "Colore");
    f = &Testata();
    ASSERT_EQ(f->oiLoadOk(), 1);
  }

  // The bar on a stored DDT of the demo company (the data container on).
  void Mostra(long numero) {
    f->txt(20).SetText("2026");
    f->txt(10).SetText(std::to_string(numero));
    f->ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f->ogComPag().oiFlagOpe(), 1);
  }

  ui::Controllo& Pagina(int p) { return f->C("PicPagine", p); }
  void Clicca(int tab) { f->C("TasPagine").SetSelectedTab(tab); }
  void Fuoco(ui::Controllo& c) { ASSERT_TRUE(f->SpostaFuoco(&c)); }
  bool RipEvasioneVisibile() { return f->C("tolComPag").Elem("RipEvasione").Visible; }
  bool InFronte(int p) {
    for (int i = 0; i < 6; ++i)
      if (i != p && Pagina(i).ZOrdine() >= Pagina(p).ZOrdine()) return false;
    return true;
  }

  frmDdtTest* f = nullptr;
};

TEST_F(Pagine, TheLoadShowsTheFirstPageWithoutMovingTheFocus) {
  Mostra(dati::demo::kDdtModificabile);
  Fuoco(f->txt(30));
  f->SistemaPagina(0, false);
  EXPECT_EQ(f->ActiveControl(), &f->txt(30));
  EXPECT_TRUE(InFronte(0));
  const auto area = f->AreaPagine();
  EXPECT_EQ(Pagina(0).Left(), area.Left);
  EXPECT_EQ(Pagina(0).Top(), area.Top);
  EXPECT_EQ(Pagina(0).Width(), area.Width);
  EXPECT_EQ(Pagina(0).Height(), area.Height);
  // The area lies inside the tab strip, under its row of tabs.
  const ui::Controllo& schede = f->C("TasPagine");
  EXPECT_GT(area.Top, schede.Top());
  EXPECT_LE(area.Left + area.Width, schede.Left() + schede.Width());
  EXPECT_LE(area.Top + area.Height, schede.Top() + schede.Height());
  const auto tab = f->PostoLinguetta(1);
  const ui::Controllo& segno = f->C("PicEvid", 0);
  EXPECT_EQ(segno.Left(), tab.Left);
  EXPECT_EQ(segno.Top(), tab.Top + tab.Height - 25);
  EXPECT_EQ(segno.Width(), tab.Width);
  EXPECT_EQ(segno.Height(), 50);
}

// A tab click on a DDT in each state: the field that takes the focus (0 the
// tab strip keeps it), whether the page was switched on.
// A field hidden before the click (0 none) takes no focus either.
struct CasoTab {
  const char* nome;
  int tab;
  std::string stato;
  bool listinoAbil;
  int nascosto;
  int fuoco;
  bool paginaAccesa;
};

TEST_F(Pagine, ATabClickBringsItsPageAndFocusesItsFirstField) {
  const std::vector<CasoTab> casi = {
      {"customer page, price list on", 1, "", true, 0, 200, true},
      {"customer page, price list off", 1, "", false, 0, 220, true},
      {"other data", 2, "", true, 0, 400, true},
      {"notes: the hidden field takes no focus", 3, "", true, 0, 0, true},
      {"transport data", 4, "", true, 0, 800, true},
      {"customer note", 5, "", true, 0, 1660, true},
      {"customer note, first free field not captioned", 5, "", true, 1660, 0, true},
      {"documents: no focus field", 6, "", true, 0, 0, true},
      {"printed: no focus, the page left off", 2, "S", true, 0, 0, false},
      {"evaded: no focus, the page left off", 4, "E", true, 0, 0, false},
      {"printed, lower case", 5, "s", true, 0, 0, false},
  };
  Mostra(dati::demo::kDdtModificabile);
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    // From another page, with the focus in the header.
    const int prima = c.tab == 2 ? 3 : 2;
    f->txt(110).SetText("");
    Clicca(prima);
    f->txt(110).SetText(c.stato);
    // The price list is open exactly when prices come from it.
    f->msQualeImporto = c.listinoAbil ? "L" : "C";
    f->txt(200).SetEnabled(c.listinoAbil);
    f->txt(1660).SetVisible(c.nascosto != 1660);
    // The page's first field open to typing, as on a DDT whose currency,
    // destination and free fields may change.
    for (int n : {400, 800, 1660}) f->txt(n).SetEnabled(true);
    Pagina(c.tab - 1).SetEnabled(false);
    Fuoco(f->txt(30));

    Clicca(c.tab);

    EXPECT_EQ(f->miPagCorrente, c.tab - 1);
    EXPECT_TRUE(InFronte(c.tab - 1));
    ui::Controllo* atteso = c.fuoco > 0 ? &f->txt(c.fuoco) : &f->C("TasPagine");
    EXPECT_EQ(f->ActiveControl(), atteso) << (f->ActiveControl() ? f->ActiveControl()->Name() : "none") << " "
                                          << (f->ActiveControl() ? f->ActiveControl()->Index() : 0);
    EXPECT_EQ(Pagina(c.tab - 1).Enabled(), c.paginaAccesa);
    // The other editable pages are off; the documents page never is.
    for (int p = 0; p < 5; ++p)
      if (p != c.tab - 1) {
        EXPECT_FALSE(Pagina(p).Enabled()) << "page " << p;
      }
    EXPECT_TRUE(Pagina(5).Enabled());
    const auto tab = f->PostoLinguetta(c.tab);
    EXPECT_EQ(f->C("PicEvid", 0).Left(), tab.Left);
    EXPECT_EQ(f->C("PicEvid", 0).Width(), tab.Width);
  }
}

TEST_F(Pagine, TheTabOfThePageInFrontDoesNothing) {
  Mostra(dati::demo::kDdtModificabile);
  Clicca(2);
  ASSERT_EQ(f->miPagCorrente, 1);
  Fuoco(f->txt(30));
  const long ordine = Pagina(1).ZOrdine();
  Pagina(1).SetEnabled(false);
  Clicca(2);
  EXPECT_EQ(f->ActiveControl(), &f->txt(30));
  EXPECT_EQ(Pagina(1).ZOrdine(), ordine);
  EXPECT_FALSE(Pagina(1).Enabled());
}

TEST_F(Pagine, AtTheStartTheFirstTabDoesNothingUntilAnotherWasChosen) {
  Mostra(dati::demo::kDdtModificabile);
  f->msQualeImporto = "L";
  f->txt(200).SetEnabled(true);
  ASSERT_EQ(f->miPagCorrente, 0);
  Fuoco(f->txt(30));
  Clicca(1);
  EXPECT_EQ(f->ActiveControl(), &f->txt(30));
  Clicca(2);
  Clicca(1);
  EXPECT_EQ(f->ActiveControl(), &f->txt(200));
}

TEST_F(Pagine, RestoreFromEvasionIsOfferedOnTheDocumentsPageOfAnEvadedDdtWithoutItsInvoiceOnShow) {
  Mostra(dati::demo::kDdtModificabile);
  f->txt(110).SetText("E");
  // The labels as they stand when the page comes in front.
  f->lab(2000).SetCaption("");
  f->lab(2010).SetCaption("");
  Clicca(6);
  EXPECT_TRUE(RipEvasioneVisibile());
  // Another page hides it again.
  Clicca(2);
  EXPECT_FALSE(RipEvasioneVisibile());
  // An invoice on show, or another state: not offered.
  f->lab(2000).SetCaption("2026");
  f->lab(2010).SetCaption("7");
  Clicca(6);
  EXPECT_FALSE(RipEvasioneVisibile());
  Clicca(1);
  f->lab(2000).SetCaption("");
  f->lab(2010).SetCaption("");
  f->txt(110).SetText("S");
  Clicca(6);
  EXPECT_FALSE(RipEvasioneVisibile());
}

TEST_F(Pagine, WithoutAStoredDdtTheDocumentsPageOffersNoRestore) {
  // The bar asks the key: nothing stored is shown.
  ASSERT_EQ(f->ogComPag().oiFlagOpe(), 0);
  f->txt(110).SetText("E");
  f->lab(2000).SetCaption("");
  f->lab(2010).SetCaption("");
  f->C("tolComPag").Elem("RipEvasione").Visible = true;
  Clicca(6);
  EXPECT_FALSE(RipEvasioneVisibile());
  EXPECT_TRUE(InFronte(5));
}

}  // namespace

// The criteria of the DDT list on the demo company: its four DDTs of 2026
// (1 evaded, customer 0012, 05/11; 2 printed, customer 0013, 20/11; 3
// editable, customer 0014, 05/12; 4 internal, the company's own account,
// 07/12), chosen by year, number, date, document, customer, article and
// state, and the ranges refused when reversed.
#include <functional>
#include <string>
#include <vector>

#include "common/FunVarie.h"
#include "ddt/header/ListaProva.h"
#include "platform/dati/DittaDemo.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/ui/Headless.h"

namespace {

using ListaCriteri = prova::ListaProva;
namespace demo = dati::demo;

TEST_F(ListaCriteri, OpensOnTheWorkingYearWithTheOtherCriteriaEmpty) {
  frmDdtTestLis& l = Lista();
  EXPECT_EQ(l.txt(10).Text(), "2026");
  EXPECT_EQ(l.txt(20).Text(), "2026");
  for (int n : {30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170}) EXPECT_EQ(l.txt(n).Text(), "") << n;
  EXPECT_EQ(l.cob(80).ListIndex(), -1);
  EXPECT_EQ(l.cob(150).ListIndex(), -1);
  EXPECT_EQ(l.cob(80).ItemData(0), 3);
  EXPECT_EQ(l.cob(80).ItemData(1), 2);
  EXPECT_EQ(l.ogLisPag().Filtri().size(), 17u);
  // The toolbar's pictures come from the window's own list: the shared
  // picture form stays unloaded and the program can still end.
  EXPECT_FALSE(FunVarie::FormAperta("frmImgComPag").ToBool());
  EXPECT_EQ(l.C("tolComlin").Elem("Ricerca").Image, "ImagePiccole:Ricerca");
  EXPECT_FALSE(l.C("ImagePiccole").Elem("Ricerca").Image.empty());
  // Nothing is read before "Ricerca".
  EXPECT_EQ(l.ogComlin().Recordset(), nullptr);
  EXPECT_EQ(Cerca(), (std::vector<long>{1, 2, 3, 4}));
  EXPECT_EQ(l.C("txtRiga").Text(), "1 / 4");
}

TEST_F(ListaCriteri, EachCriterionSelectsItsDdts) {
  // A DDT with two lines of one article is listed once.
  Sql("Update DdtDett Set Articolo = 'MAGLIA01' Where Anno = 2026 And NumRif = 2");
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTestLis&)> imposta;
    std::vector<long> attesi;
  };
  auto testo = [](int n, const char* v) { return [n, v](frmDdtTestLis& l) { l.txt(n).SetText(v); }; };
  auto due = [](int a, const char* va, int b, const char* vb) {
    return [=](frmDdtTestLis& l) {
      l.txt(a).SetText(va);
      l.txt(b).SetText(vb);
    };
  };
  auto stato = [](int voce) { return [voce](frmDdtTestLis& l) { l.cob(150).SetListIndex(voce); }; };
  const std::vector<Caso> casi = {
      {"working year", [](frmDdtTestLis&) {}, {1, 2, 3, 4}},
      {"another year", due(10, "2025", 20, "2025"), {}},
      {"no year", due(10, "", 20, ""), {1, 2, 3, 4}},
      {"numbers 2 to 3", due(30, "2", 40, "3"), {2, 3}},
      {"numbers from 3", testo(30, "3"), {3, 4}},
      {"equal bounds", due(30, "2", 40, "2"), {2}},
      {"insertion dates of November", due(50, "01/11/2026", 60, "30/11/2026"), {1, 2}},
      {"insertion date from 06/12", testo(50, "6/12/2026"), {4}},
      {"document type", testo(70, demo::kDocDdtInterno), {4}},
      {"document type, any case", testo(70, "ddti"), {4}},
      {"account type customer", testo(80, "3"), {1, 2, 3, 4}},
      {"account type supplier", testo(80, "2"), {}},
      {"customer, typed plain", testo(90, demo::kContoCliente2), {2}},
      {"customer, typed with dashes", testo(90, "04-01-0013"), {2}},
      {"supplier type with a customer's code",
       [](frmDdtTestLis& l) {
         l.cob(80).SetListIndex(1);
         l.txt(90).SetText(demo::kContoCliente2);
       },
       {}},
      {"customer type with a customer's code",
       [](frmDdtTestLis& l) {
         l.cob(80).SetListIndex(0);
         l.txt(90).SetText(demo::kContoCliente2);
       },
       {2}},
      {"document numbers 1 to 1", due(110, "1", 120, "1"), {1}},
      {"document numbers from 2", testo(110, "2"), {2}},
      {"document prefix none", testo(100, "X"), {}},
      {"document dates", due(130, "01/11/2026", 140, "10/11/2026"), {1}},
      {"customer reference begins with", testo(160, "vs. ordine"), {1}},
      {"customer reference matches a wildcard as itself", testo(160, "Vs*"), {}},
      {"article on one DDT", testo(170, demo::kArticoloViti), {1}},
      {"article on two lines of one DDT and on another", testo(170, demo::kArticoloTaglie), {2, 4}},
      {"article on no DDT", testo(170, "NESSUNO"), {}},
      {"state normal", stato(0), {3, 4}},
      {"state printed", stato(1), {2}},
      {"state evaded", stato(2), {1}},
      {"state all", stato(3), {1, 2, 3, 4}},
      {"state normal, then Delete",
       [](frmDdtTestLis& l) {
         l.cob(150).SetListIndex(0);
         int k = ui::vbKeyDelete;
         l.cob_KeyDown(150, k, 0);
       },
       {1, 2, 3, 4}},
      {"several criteria together",
       [](frmDdtTestLis& l) {
         l.txt(30).SetText("2");
         l.cob(150).SetListIndex(0);
         l.txt(170).SetText(demo::kArticoloTaglie);
       },
       {4}},
  };
  frmDdtTestLis& l = Lista();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    messaggi_.clear();
    l.ButtonComando("AzzSel");
    l.cob(80).SetListIndex(-1);
    l.cob(150).SetListIndex(-1);
    l.txt(10).SetText("2026");
    l.txt(20).SetText("2026");
    c.imposta(l);
    EXPECT_EQ(Cerca(), c.attesi) << l.osSql();
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
}

TEST_F(ListaCriteri, NormalStateListsEmptyAsWellAsNullStates) {
  // A DDT whose state was emptied rather than cleared is not printed either.
  Sql("Update DdtTest Set Stato = '' Where Anno = 2026 And NumRif = 4");
  frmDdtTestLis& l = Lista();
  l.cob(150).SetListIndex(0);
  EXPECT_EQ(l.txt(150).Text(), "1");
  EXPECT_EQ(Cerca(), (std::vector<long>{3, 4}));
  EXPECT_NE(l.osSql().find("(IsNull(DdtTest.Stato) Or DdtTest.Stato = '')"), std::string::npos) << l.osSql();
}

TEST_F(ListaCriteri, ReversedRangesAreRefusedAndEqualBoundsPass) {
  struct Caso {
    int da, a;
    const char *vDa, *vA;
  };
  const std::vector<Caso> casi = {
      {10, 20, "2027", "2026"},           {30, 40, "3", "2"},           {50, 60, "02/12/2026", "01/12/2026"},
      {110, 120, "5", "1"},               {130, 140, "31/12/2026", "1/1/2026"},
  };
  frmDdtTestLis& l = Lista();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.da);
    l.ButtonComando("AzzSel");
    l.cob(150).SetListIndex(-1);
    const std::string prima = l.osSql();
    l.txt(c.da).SetText(c.vDa);
    l.txt(c.a).SetText(c.vA);
    EXPECT_FALSE(l.VerSelez());
    messaggi_.clear();
    l.ButtonComando("Ricerca");
    EXPECT_EQ(l.osSql(), prima);  // nothing was asked of the database
    EXPECT_EQ(messaggi_.size(), 1u);
    l.txt(c.a).SetText(c.vDa);
    EXPECT_TRUE(l.VerSelez());
  }
  // A value that does not read stops the search too, in the error colour.
  l.ButtonComando("AzzSel");
  l.txt(30).SetText("tre");
  EXPECT_FALSE(l.VerSelez());
  EXPECT_EQ(l.txt(30).BackColor(), G().glColoreErrore);
}

TEST_F(ListaCriteri, ClearingSelectionsBringsBackCustomerAndNormalState) {
  frmDdtTestLis& l = Lista();
  l.cob(80).SetListIndex(1);
  EXPECT_EQ(l.txt(80).Text(), "2");
  l.txt(30).SetText("2");
  l.ButtonComando("AzzSel");
  EXPECT_EQ(l.txt(30).Text(), "");
  EXPECT_EQ(l.txt(10).Text(), "");
  EXPECT_EQ(l.txt(80).Text(), "3");
  EXPECT_EQ(l.cob(80).List(l.cob(80).ListIndex()), "Cliente");
  EXPECT_EQ(l.cob(150).List(l.cob(150).ListIndex()), "Normale");
  EXPECT_EQ(l.txt(150).Text(), "1");
  EXPECT_EQ(Cerca(), (std::vector<long>{3, 4}));
}

TEST_F(ListaCriteri, ConditionsTheWindowWritesItself) {
  frmDdtTestLis& l = Lista();
  auto cond = [&](const char* nome, const std::string& p, const std::string& v) {
    barre::navlib::CampoLista* f = nullptr;
    for (const auto& x : l.ogLisPag().Filtri())
      if (x->Nome() == nome) f = x.get();
    std::vector<vb::Variant> param{vb::Variant(p), vb::Variant(v)};
    return l.PersListaVarie(1, *f, param).ToString();
  };
  const std::string conto =
      " DdtTest.GruppoCli = '04' AND DdtTest.MastroCli = '01' AND DdtTest.ContoCli = '0013'";
  EXPECT_EQ(cond("|-|GruppoCli|MastroCli|ContoCli", "", "04010013"), conto);
  EXPECT_EQ(cond("|-|GruppoCli|MastroCli|ContoCli", " And ", "04-01-0013"), " And " + conto);
  EXPECT_EQ(cond("Articolo", " And ", "O'X"),
            " And EXISTS (Select Articolo From DdtDett Where DdtTest.Anno = DdtDett.Anno AND DdtTest.NumRif = "
            "DdtDett.NumRif AND DdtDett.Articolo = 'O''X')");
  l.cob(150).SetListIndex(2);
  EXPECT_EQ(cond("StatoSel", "", "3"), "DdtTest.Stato = 'E'");
  l.cob(150).SetListIndex(3);
  EXPECT_EQ(cond("StatoSel", " And ", "4"), " And true");
  // Not one of ours, or another kind of question: no condition.
  EXPECT_TRUE(cond("Anno", "", "2026").empty());
  std::vector<vb::Variant> param{vb::Variant(""), vb::Variant("x")};
  EXPECT_TRUE(l.PersListaVarie(2, *l.ogLisPag().Filtri().front(), param).ToString().empty());
}

}  // namespace

namespace {

class ListaAiuti : public prova::ListaProva {
 protected:
  // The codes the next look-up window lists; it is left with Esc, or with
  // the row of `scegli` chosen.
  void Guarda(std::vector<std::string>& codici, int scegli = -1) {
    backend_.Rispondi([&codici, scegli](ui::Form& f) {
      auto& w = static_cast<aiuti::FinestraAiuto&>(f);
      for (int r = 0; r < w.RigheMostrate(); ++r) codici.push_back(w.CodiceMostrato(r));
      if (scegli >= 0) {
        w.VaiARiga(scegli);
        w.Scegli();
      } else {
        w.Esci();
      }
    });
  }
};

TEST_F(ListaAiuti, LookUpsOfferDeliveryNoteTypesAndAccountsOfTheChosenType) {
  frmDdtTestLis& l = Lista();
  // The ".." of the document type acts as F2: only the types of kind B.
  std::vector<std::string> tipi;
  Guarda(tipi);
  ui::utente::Clicca(l.C("comHlp", 70));
  EXPECT_EQ(tipi, (std::vector<std::string>{demo::kDocDdt, demo::kDocDdtFornitore, demo::kDocDdtInterno,
                                             demo::kDocDdtReso, demo::kDocDdtExport}));
  EXPECT_TRUE(backend_.ScriptFinito());

  // F2 in the account: customers with type "Cliente", suppliers with "Fornitore".
  for (int voce : {0, 1}) {
    SCOPED_TRACE(voce);
    l.cob(80).SetListIndex(voce);
    std::vector<std::string> conti;
    Guarda(conti);
    ui::utente::Fuoco(l.txt(90));
    l.txt_KeyUp(90, ui::vbKeyF2, 0);
    ASSERT_FALSE(conti.empty());
    for (const std::string& c : conti) EXPECT_EQ(c.substr(0, 2), voce == 0 ? "04" : "07") << c;
  }
  // With Shift F2 opens nothing; F12 with Shift does.
  l.txt_KeyUp(90, ui::vbKeyF2, ui::vbShiftMask);
  EXPECT_TRUE(backend_.ScriptFinito());
  std::vector<std::string> articoli;
  Guarda(articoli, 0);
  ui::utente::Fuoco(l.txt(170));
  l.txt_KeyUp(170, ui::vbKeyF12, ui::vbShiftMask);
  ASSERT_FALSE(articoli.empty());
  EXPECT_EQ(l.txt(170).Text(), articoli[0]);
  ui::utente::Fuoco(l.txt(10));  // leaving the field decodes the code chosen
  EXPECT_FALSE(l.lab(170).Caption().empty());
}

TEST_F(ListaAiuti, LeavingACriterionChecksDatesAndDecodesCodes) {
  frmDdtTestLis& l = Lista();
  ui::utente::Fuoco(l.txt(50));
  l.txt(50).SetText("31/02/2026");
  ui::utente::Fuoco(l.txt(60));  // the focus moves on, the date shows its error
  EXPECT_EQ(l.txt(50).BackColor(), G().glColoreErrore);
  EXPECT_TRUE(messaggi_.empty());
  l.txt(60).SetText("151126");
  ui::utente::Fuoco(l.txt(70));
  EXPECT_EQ(l.txt(60).Text(), "15/11/2026");
  l.txt(70).SetText(demo::kDocDdtInterno);
  ui::utente::Fuoco(l.txt(170));
  EXPECT_EQ(l.lab(70).Caption(), "DDT di trasferimento tra magazzini");
  l.txt(170).SetText(demo::kArticoloViti);
  ui::utente::Fuoco(l.txt(10));
  EXPECT_FALSE(l.lab(170).Caption().empty());
  // A date that does not read stops the search.
  EXPECT_FALSE(l.VerSelez());
}

}  // namespace

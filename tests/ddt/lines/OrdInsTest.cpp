// The personal entry order of the line fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"

namespace prova {
namespace {
using namespace dati::demo;

class OrdIns : public RigheProva {
 protected:
  frmDDTDett& ConOrdine(const std::string& campi, const std::string& posti = {}) {
    ParPers("Ddt", "DettOrdIns", campi);
    ParPers("Ddt", "DettOrdInsTab", posti);
    return Righe(kDdtModificabile);
  }
  static std::vector<int> Posti(const frmDDTDett& d) {
    std::vector<int> v;
    for (const auto& c : d.Controlli()) v.push_back(c->TabIndex());
    return v;
  }
  // The box after `da` in the tab order.
  static ui::Controllo* Dopo(frmDDTDett& d, ui::Controllo& da) { return d.Successivo(&da, false); }
};

TEST_F(OrdIns, ListedFieldsComeFirstOnANewLineAndTheOwnOrderComesBack) {
  frmDDTDett& d = ConOrdine("30,20");
  // Line 1 came from the customer's order: its article code is locked, as
  // it is not on the new line whose order this lays out.
  d.AbilDisabArtRiepil(true);
  ASSERT_TRUE(d.mbOrdInsPers);
  EXPECT_EQ(d.maiOrdIns, (std::vector<int16_t>{30, 20}));
  EXPECT_EQ(d.PrimoCampoOrdIns(), 30);
  const std::vector<int> disegno = Posti(d);
  ui::Controllo* dopo20 = Dopo(d, d.txt(20));

  d.OrdInsNuovaRiga();
  EXPECT_EQ(d.ActiveControl(), &d.txt(30));
  EXPECT_EQ(d.txt(30).TabIndex(), 0);
  EXPECT_EQ(d.txt(20).TabIndex(), 1);
  EXPECT_EQ(Dopo(d, d.txt(30)), &d.txt(20));
  // Every other control keeps its relative order.
  std::vector<std::pair<int, const ui::Controllo*>> altri, altriPrima;
  for (size_t i = 0; i < d.Controlli().size(); ++i) {
    const ui::Controllo* c = d.Controlli()[i].get();
    if (c == &d.txt(30) || c == &d.txt(20)) continue;
    altri.emplace_back(c->TabIndex(), c);
    altriPrima.emplace_back(disegno[i], c);
  }
  std::stable_sort(altri.begin(), altri.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::stable_sort(altriPrima.begin(), altriPrima.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < altri.size(); ++i) ASSERT_EQ(altri[i].second, altriPrima[i].second) << i;
  // Laid out twice: nothing further changes.
  const std::vector<int> disposti = Posti(d);
  d.OrdInsNuovaRiga();
  EXPECT_EQ(Posti(d), disposti);

  d.OrdInsRipristina();
  EXPECT_EQ(Posti(d), disegno);
  EXPECT_EQ(Dopo(d, d.txt(20)), dopo20);
  d.OrdInsRipristina();
  EXPECT_EQ(Posti(d), disegno);
}

TEST_F(OrdIns, LongerListsAreLaidOutAndPutBackExactly) {
  for (const char* lista : {"70,30,20,60", "140,20,30", "23,130,20,70,60,30"}) {
    frmDDTDett& d = ConOrdine(lista);
    const std::vector<int> disegno = Posti(d);
    for (int giro = 0; giro < 2; ++giro) {
      d.OrdInsNuovaRiga();
      for (size_t k = 0; k < d.maiOrdIns.size(); ++k) EXPECT_EQ(d.txt(d.maiOrdIns[k]).TabIndex(), int(k)) << lista;
      d.OrdInsRipristina();
      EXPECT_EQ(Posti(d), disegno) << lista;
    }
    frmDDTDett::Rilascia();
  }
}

TEST_F(OrdIns, TheNumberListWinsOverThePlaceList) {
  frmDDTDett& d = ConOrdine("60,30", "5,6");
  EXPECT_EQ(d.maiOrdIns, (std::vector<int16_t>{60, 30}));
}

TEST_F(OrdIns, APlaceListNamesTheBoxesAtThosePlaces) {
  // The design places of two boxes, and a place no box has that is the
  // number of a field.
  frmDDTDett& prima = Righe(kDdtModificabile);
  const int posto30 = prima.txt(30).TabIndex(), posto20 = prima.txt(20).TabIndex();
  int libero = -1;
  for (int n : prima.Indici("txt")) {
    bool preso = n == 20 || n == 30;
    for (int m : prima.Indici("txt")) preso = preso || prima.txt(m).TabIndex() == n;
    if (!preso) {
      libero = n;
      break;
    }
  }
  ASSERT_GE(libero, 0);
  frmDDTDett::Rilascia();
  frmDDTDett& d =
      ConOrdine("", std::to_string(posto30) + "," + std::to_string(posto20) + "," + std::to_string(libero));
  EXPECT_EQ(d.maiOrdIns, (std::vector<int16_t>{30, 20, static_cast<int16_t>(libero)}));
}

TEST_F(OrdIns, AOneFieldListOnlyChoosesTheFirstField) {
  frmDDTDett& d = ConOrdine("30");
  const std::vector<int> disegno = Posti(d);
  d.OrdInsNuovaRiga();
  EXPECT_EQ(Posti(d), disegno);
  EXPECT_EQ(d.PrimoCampoOrdIns(), 30);
  d.OrdInsRipristina();
  EXPECT_EQ(Posti(d), disegno);
}

// Items that name no line box are left out; a list left empty gives no
// personal order; the lines open all the same.
TEST_F(OrdIns, ItemsThatNameNoBoxAreLeftOut) {
  struct Caso {
    const char* campi;
    const char* posti;
    std::vector<int16_t> attesi;
  } casi[] = {
      {"abc", "", {}},
      {"abc, ,30,30,9999,-1,20x,,", "", {30}},
      {"3.5,30;20,20", "", {20}},
      {" 20 , 30 ,", "", {20, 30}},
      {"", "x,;,--", {}},
      {"'30'", "", {}},
      {",", "", {}},
  };
  for (const Caso& c : casi) {
    frmDDTDett& d = ConOrdine(c.campi, c.posti);
    EXPECT_EQ(d.maiOrdIns, c.attesi) << c.campi << "|" << c.posti;
    EXPECT_EQ(d.mbOrdInsPers, !c.attesi.empty()) << c.campi << "|" << c.posti;
    EXPECT_EQ(d.ogLinPag().Recordset()->RecordCount(), 3);
    const std::vector<int> disegno = Posti(d);
    d.OrdInsNuovaRiga();
    d.OrdInsRipristina();
    EXPECT_EQ(Posti(d), disegno);
    frmDDTDett::Rilascia();
  }
}

TEST_F(OrdIns, WithoutAListThereIsNoPersonalOrder) {
  frmDDTDett& d = ConOrdine("");
  EXPECT_FALSE(d.mbOrdInsPers);
  EXPECT_EQ(d.PrimoCampoOrdIns(), -1);
  const std::vector<int> disegno = Posti(d);
  d.OrdInsNuovaRiga();
  d.OrdInsRipristina();
  EXPECT_EQ(Posti(d), disegno);
}

// A window closed while a new line was being typed left the personal
// order in place: the next opening starts from the window's own order.
TEST_F(OrdIns, TheNextOpeningStartsFromTheOwnOrder) {
  frmDDTDett& d = ConOrdine("30,20");
  const std::vector<int> disegno = Posti(d);
  const std::vector<int16_t> posti = d.maiOrdInsTab;
  d.OrdInsNuovaRiga();
  d.Unload();
  frmDDTDett& e = Righe(kDdtModificabile);
  EXPECT_EQ(&e, &d);
  EXPECT_EQ(Posti(e), disegno);
  EXPECT_EQ(e.maiOrdInsTab, posti);
}

}  // namespace
}  // namespace prova

// The line's price: the search in the price lists (base list, zone amount,
// promotion flag, levels) and the arithmetic that keeps quantity, unit
// price, amount and the lire and euro values of the line consistent.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/AperturaDiretta.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Errore.h"

namespace prova {
namespace {
using namespace dati::demo;
using DettUtil::FC;

class Prezzi : public AperturaDiretta {
 protected:
  // DDT 3 of customer 3 in euro, on the sales list: amounts with 2
  // decimals, unit prices with 3, quantities with up to 3.
  static ParDettaglio Doc() {
    ParDettaglio p = Base();
    p.osMoneta = kEuro;
    p.oiNumDecMon = 2;
    p.oiNumDecMonGes = 3;
    p.osIntTipo = "3";
    p.osIntest = kContoCliente3;
    p.osListino = kListinoVendita;
    p.osListIvato = "N";
    p.osPrzIvato = "N";
    return p;
  }
  frmDDTDett& Finestra(const ParDettaglio& p) {
    G().giNumDecQta = 3;
    G().giNumDecLire = kDecimaliLira;
    frmDDTDett& d = frmDDTDett::Istanza();
    d.Apri(zona_, p);
    return d;
  }
  // The line on an article of no levels, in the state its display leaves.
  static void Articolo(frmDDTDett& d, const std::string& articolo, const std::string& settore = "S") {
    d.txt(20).SetText(articolo);
    d.txt(20).SetBackColor(G().glColoreSfondo);
    d.txt(140).SetText("CF");
    d.txt(150).SetText("1");
    d.msSettore = settore;
    d.osLivGruppo1.clear();
    d.osLivGruppo2.clear();
    d.AzzMemSconti();
  }
  static void Campi(frmDDTDett& d, const char* qta, const char* prezzo, const char* sconto, const char* importo) {
    d.txt(30).SetText(qta);
    d.txt(60).SetText(prezzo);
    d.lab(80).SetCaption(sconto);
    d.txt(70).SetText(importo);
  }
  void PrezzoListino(const std::string& articolo, const std::string& prezzo) {
    Sql("Update ArtListini Set Prezzo = " + prezzo + " Where Articolo = '" + articolo + "' And Listino = '" +
        kListinoVendita + "'");
  }

  OpenerZona zona_;
};

// ---- arithmetic

TEST_F(Prezzi, QuantityPriceAndAmountFollowEachOtherByTheBase) {
  struct Caso {
    const char* nome;
    bool arrIntermedio;
    const char *qta, *prezzo, *sconto, *importo;
    int16_t base;
    const char *attQta, *attPrezzo, *attImporto;
  };
  const Caso casi[] = {
      {"price 10 at 15% times 3", true, "3", "10,000", "15", "", 1, "3", "10,000", "25,50"},
      {"quantity cleared, amount 17", true, "", "10,000", "15", "17,00", 0, "2", "10,000", "17,00"},
      {"no price: the price from the amount", true, "4", "", "", "100,00", 0, "4", "25,000", "100,00"},
      {"no quantity: the quantity from the amount", true, "", "8,000", "", "20,00", 0, "2,5", "8,000", "20,00"},
      {"a 100% discount leaves the quantity", true, "", "8,000", "100", "20,00", 0, "", "8,000", "20,00"},
      {"base 2: the price from the amount", true, "3", "10,000", "15", "30,00", 2, "3", "11,765", "30,00"},
      {"net price rounded at the unit", true, "1.000", "9,990", "33,33", "", 1, "1.000", "9,990", "6.660,00"},
      {"net price unrounded", false, "1.000", "9,990", "33,33", "", 1, "1.000", "9,990", "6.660,33"},
      {"nothing to derive from", true, "", "10,000", "", "", 1, "", "10,000", ""},
  };
  frmDDTDett& d = Finestra(Doc());
  for (const auto& c : casi) {
    G().gbArrUnitIntermedio = c.arrIntermedio;
    Campi(d, c.qta, c.prezzo, c.sconto, c.importo);
    d.CalcPrezzo(c.base);
    EXPECT_EQ(d.txt(30).Text(), c.attQta) << c.nome;
    EXPECT_EQ(d.txt(60).Text(), c.attPrezzo) << c.nome;
    EXPECT_EQ(d.txt(70).Text(), c.attImporto) << c.nome;
  }
}

TEST_F(Prezzi, LireAndEuroFollowTheAmountInEitherCurrency) {
  G().gbArrUnitIntermedio = true;
  frmDDTDett& d = Finestra(Doc());
  Campi(d, "3", "10,000", "15", "");
  d.CalcPrezzo(1);
  EXPECT_EQ(d.txt(70).Text(), "25,50");
  EXPECT_EQ(d.lab(300).Caption(), "25,5");
  EXPECT_EQ(d.lab(290).Caption(), "49375");  // 25.50 x 1936.27, in whole lire
  // The amount changed by hand: lire and euro follow it too.
  d.txt(70).SetText("17,00");
  d.CalcPrezzo(2);
  EXPECT_EQ(d.txt(60).Text(), "6,667");
  EXPECT_EQ(d.lab(300).Caption(), "17");
  EXPECT_EQ(d.lab(290).Caption(), "32917");
  Chiudi(d);

  ParDettaglio p = Doc();
  p.osMoneta = kLira;
  p.oiNumDecMon = 0;
  p.oiNumDecMonGes = 0;
  frmDDTDett& l = Finestra(p);
  Campi(l, "3", "10.000", "", "");
  l.CalcPrezzo(1);
  EXPECT_EQ(l.txt(70).Text(), "30.000");
  EXPECT_EQ(l.lab(290).Caption(), "30000");
  EXPECT_EQ(l.lab(300).Caption(), "15,49");
}

TEST_F(Prezzi, ANumberOutOfRangeStopsTheStepAndChangesNoField) {
  struct Caso {
    const char* nome;
    const char *qta, *prezzo, *importo;
    int16_t base;
  };
  const Caso casi[] = {
      {"quantity beyond a Double", "9E999", "10,000", "5,00", 1},
      {"price beyond a Double", "3", "1e400", "5,00", 1},
      {"amount beyond a Double", "", "10,000", "9E999", 0},
      {"product beyond a Double", "9E300", "1E10", "5,00", 1},
      {"amount beyond an amount", "1E12", "1E4", "5,00", 1},
      {"amount whose lire are beyond an amount", "2", "", "900.000.000.000.000,00", 2},
  };
  frmDDTDett& d = Finestra(Doc());
  for (const auto& c : casi) {
    Campi(d, c.qta, c.prezzo, "", c.importo);
    d.lab(290).SetCaption("1");
    d.lab(300).SetCaption("2");
    try {
      d.CalcPrezzo(c.base);
      ADD_FAILURE() << c.nome << ": no error";
    } catch (const vb::Errore& e) {
      EXPECT_EQ(e.Number(), vb::ErrOverflow) << c.nome;
    }
    EXPECT_EQ(d.txt(30).Text(), c.qta) << c.nome;
    EXPECT_EQ(d.txt(60).Text(), c.prezzo) << c.nome;
    EXPECT_EQ(d.txt(70).Text(), c.importo) << c.nome;
    EXPECT_EQ(d.lab(290).Caption(), "1") << c.nome;
    EXPECT_EQ(d.lab(300).Caption(), "2") << c.nome;
  }
}

// ---- the price search

TEST_F(Prezzi, TheListPriceLessTheZoneAmountByTheArticlesSector) {
  struct Caso {
    const char* nome;
    const char* prezzoListino;  // "" leaves the demo's 12.50
    const char* settore;
    double zona;
    const char* atteso;
  };
  const Caso casi[] = {
      {"no zone", "", "S", 0, "12,500"},
      {"zone amount per unit", "", "S", 2, "10,500"},
      {"a positive price stops at 0", "1.5", "S", 2, "0,000"},
      {"a negative price goes on", "-5", "S", 2, "-7,000"},
      {"sector N takes no zone amount", "", "N", 2, "12,500"},
      {"lower-case sector n neither", "", "n", 2, "12,500"},
      {"an empty sector takes it", "", "", 2, "10,500"},
  };
  frmDDTDett& d = Finestra(Doc());
  for (const auto& c : casi) {
    PrezzoListino(kArticoloViti, *c.prezzoListino ? c.prezzoListino : "12.5");
    zona_.zona = c.zona;
    zona_.zonaLire = 99999;  // never taken in a euro document
    Articolo(d, kArticoloViti, c.settore);
    d.txt(60).SetText("");
    d.CercaListino();
    EXPECT_EQ(d.txt(60).Text(), c.atteso) << c.nome;
    EXPECT_EQ(d.osArtLisModSconto, "M") << c.nome;
    EXPECT_EQ(d.txt(175).Text(), "N") << c.nome;
  }
}

TEST_F(Prezzi, ALiraDocumentTakesTheZoneAmountInLire) {
  ParDettaglio p = Doc();
  p.osMoneta = kLira;
  p.oiNumDecMon = 0;
  p.oiNumDecMonGes = 0;
  frmDDTDett& d = Finestra(p);
  zona_.zona = 2;
  zona_.zonaLire = 1000;
  Articolo(d, kArticoloViti);
  d.CercaListino();
  const long lire = std::lround(FC().ValDouble(Valore("Select PrezzoLire from ArtListini Where Articolo = '" +
                                                     std::string(kArticoloViti) + "' And Listino = '01' Order By DataInizio Desc",
                                                 "PrezzoLire")));
  EXPECT_EQ(d.txt(60).Text(), FC().MascheraNum(vb::Variant(double(lire - 1000)), 0, {}, false, "#,##0", 0, {}, "0"));
}

TEST_F(Prezzi, APromotionalPriceMarksTheLine) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloPromo);
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "2,800");
  EXPECT_EQ(d.osArtLisModSconto, "P");
  EXPECT_EQ(d.txt(175).Text(), "S");
  EXPECT_EQ(d.che(175).Value(), 1);
  // A promotion that keeps the customer discount: mode "Q", still marked.
  Sql("Update ArtLisPromozioni Set ScontoClie = 'S'");
  d.CercaListino();
  EXPECT_EQ(d.osArtLisModSconto, "Q");
  EXPECT_EQ(d.txt(175).Text(), "S");
  // Back on an article of the plain list the mark goes.
  Articolo(d, kArticoloViti);
  d.CercaListino();
  EXPECT_EQ(d.txt(175).Text(), "N");
  EXPECT_EQ(d.che(175).Value(), 0);
}

TEST_F(Prezzi, TheBaseListWhenTheDocumentListHasNoPrice) {
  ParDettaglio p = Doc();
  p.osListino = "99";  // a list without the article
  p.osListBase = kListinoRivenditori;
  p.osListBaseIvato = "N";
  p.obCercaListBase = true;
  frmDDTDett& d = Finestra(p);
  Articolo(d, kArticoloViti);
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "11,000");
  // The base list's own discount and mode replace the document list's.
  EXPECT_EQ(d.osArtLisModSconto, "S");
  EXPECT_EQ(d.osArtLisSconto, "5");
  Chiudi(d);

  p.obCercaListBase = false;
  frmDDTDett& n = Finestra(p);
  Articolo(n, kArticoloViti);
  n.CercaListino();
  EXPECT_EQ(n.txt(60).Text(), "0,000");
}

TEST_F(Prezzi, NoSearchForAnArticleInErrorOrWithLevelsStillMissing) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloPromo);
  d.txt(20).SetBackColor(G().glColoreErrore);
  d.txt(60).SetText("7,000");
  d.txt(175).SetText("N");
  d.osArtLisModSconto = "X";
  d.osArtLisSconto = "x";
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "7,000");
  EXPECT_EQ(d.txt(175).Text(), "N");
  EXPECT_EQ(d.osArtLisModSconto, "X");
  EXPECT_EQ(d.osArtLisSconto, "x");

  // One size per price: no price until both level codes are there.
  G().gsGesTaglie = "S";
  Param("Mag.GesTaglie", "S");
  Articolo(d, kArticoloUnLivello);
  d.osLivGruppo1 = kGruppoTaglie;
  d.osFlagLivLis = "1";
  d.txt(60).SetText("7,000");
  d.txt(21).SetText("L");
  d.txt(22).SetText("");
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "7,000");
  d.txt(22).SetText(kNessunLivello);
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "32,000");
  d.txt(21).SetText("S");
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "29,000");
}

TEST_F(Prezzi, AFailingSearchShowsTheErrorAndKeepsThePrice) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloViti);
  d.txt(60).SetText("7,000");
  zona_.zona = 1e300;  // no amount can hold it
  d.CercaListino();
  EXPECT_EQ(d.txt(60).Text(), "7,000");
  EXPECT_TRUE(MessaggioCon("Errore(6)")) << (messaggi_.empty() ? "" : messaggi_.back());
}

TEST_F(Prezzi, TheDiscountRulesReachThePriceSearchByName) {
  frmDDTDett& d = Finestra(Doc());
  Articolo(d, kArticoloPromo);
  d.txt(60).SetText("");
  std::vector<vb::Variant> nessuno;
  d.ChiamaPerNome("CercaPrezzo", nessuno);
  EXPECT_EQ(d.osArtLisModSconto, "P");
  EXPECT_EQ(d.txt(175).Text(), "S");
  // The search alone leaves the price field to its caller.
  EXPECT_EQ(d.txt(60).Text(), "");
  EXPECT_EQ(FC().ValDouble(vb::Variant(d.msPrezzoTrovato)), 2.8);
}

}  // namespace
}  // namespace prova

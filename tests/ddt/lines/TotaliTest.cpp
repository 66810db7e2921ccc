// The totals strip of the line window and the counter of stable line keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"

namespace prova {
namespace {
using namespace dati::demo;

struct Riga {
  const char* tipo;
  const char* omaggio;  // nullptr: Null
  double qta;
  double valore;
  long rigLiv;
};

class Totali : public RigheProva {
 protected:
  // The demo DDT's lines opened, then its working lines replaced by `righe`.
  frmDDTDett& ConRighe(const std::vector<Riga>& righe) {
    frmDDTDett& d = Righe(kDdtModificabile);
    Sql("Delete From DdtDettApp Where Anno = 2026 And NumRif = 3");
    int rigDet = 0;
    for (const Riga& r : righe) {
      ++rigDet;
      Sql("Insert Into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Omaggio, Qta, ValTotale) Values (2026, 3, " +
          std::to_string(rigDet) + ", " + std::to_string(r.rigLiv) + ", '" + r.tipo + "', " +
          (r.omaggio ? "'" + std::string(r.omaggio) + "'" : std::string("Null")) + ", " + Num(r.qta) + ", " +
          Num(r.valore) + ")");
    }
    d.oiNumDecMon = 2;
    G().giNumDecLire = 0;
    G().giNumDecEuro = 2;
    G().giNumDecQtaMag = 3;
    return d;
  }
  static std::string Num(double v) {
    std::string s = std::to_string(v);
    return s;
  }
};

TEST_F(Totali, OnlyArticleLinesThatAreNoFreeGoodsCountAndEveryLineRaisesTheKey) {
  struct Caso {
    const char* nome;
    std::vector<Riga> righe;
    const char* merce;
    const char* quantita;
    int32_t maxRigLiv;
  } casi[] = {
      {"vuoto", {}, "", "0", 0},
      {"articoli e manuali",
       {{"A", "N", 2, 10.5, 4}, {"M", "N", 1.5, 4, 7}},
       "14,50", "3,5", 7},
      {"esclusi",
       {{"A", "N", 1, 10, 1},
        {"A", "S", 5, 100, 2},
        {"A", "I", 5, 100, 3},
        {"A", nullptr, 5, 100, 4},
        {"D", "N", 5, 100, 40},
        {"C", "N", 5, 100, 5}},
       "10,00", "1", 40},
      {"tutti esclusi", {{"D", "N", 0, 0, 9}, {"A", "S", 3, 30, 12}}, "", "0", 12},
      {"negativi", {{"A", "N", 3, 30, 1}, {"A", "N", -1, -12.25, 2}}, "17,75", "2", 2},
      {"lettere minuscole", {{"a", "n", 2, 8, 1}, {"m", "n", 1, 2, 2}}, "10,00", "3", 2},
  };
  for (const Caso& c : casi) {
    frmDDTDett& d = ConRighe(c.righe);
    d.CalcTotDocum();
    EXPECT_EQ(d.lab(280).Caption(), c.merce) << c.nome;
    EXPECT_EQ(d.lab(285).Caption(), c.quantita) << c.nome;
    EXPECT_EQ(d.mlMaxRigLiv, c.maxRigLiv) << c.nome;
    frmDDTDett::Rilascia();
  }
}

// The total in the other legal currency: a lira document shows euro, a euro
// document lire, another currency euro when the company keeps euro, else
// lire; codes compared without regard to case.
TEST_F(Totali, TheSecondCurrency) {
  struct Caso {
    const char* moneta;
    const char* ditta;
    const char* cambio;
    double totale;
    const char* atteso;
  } casi[] = {
      {"Euro", "Euro", "1", 100, "193.627"},
      {"EURO", "Euro", "1", 100, "193.627"},
      {"Euro", "L.", "1", 100, "193.627"},
      {"L.", "Euro", "1", 100000, "51,65"},
      {"l.", "L.", "1", 100000, "51,65"},
      {"USD", "Euro", "2", 100, "50,00"},
      {"USD", "euro", "2", 100, "50,00"},
      {"usd", "L.", "2", 100, "96.814"},
      // The converted total is the one shown, rounded to the document's
      // decimals (10,01, not 10,005).
      {"Euro", "Euro", "1", 10.005, "19.382"},
  };
  for (const Caso& c : casi) {
    frmDDTDett& d = ConRighe({{"A", "N", 1, c.totale, 1}});
    G().gsMonetaDitta = c.ditta;
    d.osMoneta = c.moneta;
    d.osCambio = c.cambio;
    d.osMonOper = "/";
    d.CalcTotDocum();
    EXPECT_EQ(d.lab(275).Caption(), c.atteso) << c.moneta << " " << c.ditta << " " << c.totale;
    frmDDTDett::Rilascia();
    G().gsMonetaDitta = "Euro";
  }
}

TEST_F(Totali, AForeignCurrencyWithoutItsRateShowsNoConvertedTotalAndTheLinesStayOpen) {
  frmDDTDett& d = ConRighe({{"A", "N", 2, 100, 3}});
  d.osMoneta = "USD";
  d.osCambio = "";
  d.CalcTotDocum();
  EXPECT_EQ(d.lab(280).Caption(), "100,00");
  EXPECT_EQ(d.lab(275).Caption(), "");
  EXPECT_EQ(d.lab(285).Caption(), "2");
  EXPECT_EQ(d.mlMaxRigLiv, 3);
}

TEST_F(Totali, TheDemoDdtOpensWithItsTotalsAndTheKeyCounter) {
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_EQ(d.mlMaxRigLiv,
            std::stol(Valore("Select Max(RigLiv) as M from DdtDett Where Anno = 2026 And NumRif = 3", "M")));
  EXPECT_NE(d.lab(280).Caption(), "");
  EXPECT_EQ(d.label1(275).Caption(), "Totale in Lire:");
  // Deleting the line with the highest key and reading again lowers it.
  Sql("Delete From DdtDettApp Where Anno = 2026 And NumRif = 3 And RigLiv = " + std::to_string(d.mlMaxRigLiv));
  d.ogLinPag().Rileggi();
  EXPECT_EQ(d.mlMaxRigLiv, std::stol(Valore(
                               "Select Max(RigLiv) as M from DdtDettApp Where Anno = 2026 And NumRif = 3", "M")));
}

}  // namespace
}  // namespace prova

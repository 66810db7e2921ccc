#include <gtest/gtest.h>

#include <map>

#include "platform/Errore.h"
#include "platform/dati/GestRecordset.h"
#include "services/DittaProva.h"
#include "services/UtilDocFattGest.h"

using namespace UtilDocFattGest;
using vb::Currency;
using vb::Variant;

namespace {

struct RigaLiv {
  Currency prezzo, totale, lire, euro;
  std::string sconto;
};

class PrezziLivelli : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    Riga("M", "BLU", 3, "Null");
    Riga("M", "ROSSO", 0, "Null");
    Riga("L", "BLU", 2, "Null");
    Riga("L", "ROSSO", 1, "'S'");
    Sql("Insert into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, ValUnitario, ValTotale, ScontoTot) "
        "Values (2026, 7, 2, 'M', 'BLU', 1, 1, 1, '1')");  // another line
  }
  void Riga(const std::string& l1, const std::string& l2, double qta, const std::string& stato) {
    Sql("Insert into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, ValUnitario, ValTotale, ValLire, "
        "ValEuro, ScontoTot, StatoRiga) Values (2026, 7, 1, '" + l1 + "', '" + l2 + "', " + std::to_string(qta) +
        ", 5, 1, 2, 3, 'vecchio', " + stato + ")");
  }
  std::map<std::string, RigaLiv> Righe() {
    dati::GestRecordset rs;
    std::string k = rs.ApriRecordset(*db_, conn_, "", "Select * from DdtLivApp where RigLiv = 1", false, 4);
    std::map<std::string, RigaLiv> r;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      RigaLiv x{rs.LeggiCampo(k, "ValUnitario").ToCurrency(), rs.LeggiCampo(k, "ValTotale").ToCurrency(),
                rs.LeggiCampo(k, "ValLire").ToCurrency(), rs.LeggiCampo(k, "ValEuro").ToCurrency(),
                rs.LeggiCampo(k, "ScontoTot").ToString()};
      r[rs.LeggiCampo(k, "Livello1").ToString() + "/" + rs.LeggiCampo(k, "Livello2").ToString()] = x;
    }
    return r;
  }
  void Aggiorna(const std::string& flag, bool tutte, bool statoNullo = false, const std::string& moneta = "Euro",
                const std::string& cambio = "1") {
    EXPECT_TRUE(AggPrezziLivelli("DdtLivApp", 2026, 7, 1, flag, tutte, "M", 10, "10", Variant("10"), 2, cambio, "*",
                                 moneta, statoNullo)
                    .IsEmpty());
  }
  static Currency C(const char* t) { return Currency::FromText(t); }
};

TEST_F(PrezziLivelli, SameForEveryLevel) {
  Aggiorna("0", false);
  auto r = Righe();
  for (auto& [chiave, riga] : r) {
    EXPECT_EQ(riga.prezzo, C("10")) << chiave;
    EXPECT_EQ(riga.sconto, "10") << chiave;
  }
  EXPECT_EQ(r["M/BLU"].totale, C("27"));  // 3 x 9
  EXPECT_EQ(r["M/BLU"].euro, C("27"));
  EXPECT_EQ(r["M/BLU"].lire, C("52279,29"));
  EXPECT_EQ(r["L/BLU"].totale, C("18"));
  // No quantity: the amounts stay.
  EXPECT_EQ(r["M/ROSSO"].totale, C("1"));
  EXPECT_EQ(r["M/ROSSO"].lire, C("2"));
  EXPECT_EQ(r["M/ROSSO"].euro, C("3"));
}

TEST_F(PrezziLivelli, PricesByFirstLevel) {
  Aggiorna("1", false);
  auto r = Righe();
  EXPECT_EQ(r["M/BLU"].prezzo, C("10"));
  EXPECT_EQ(r["M/BLU"].sconto, "10");
  EXPECT_EQ(r["L/BLU"].prezzo, C("5"));  // not visited
  EXPECT_EQ(r["L/BLU"].sconto, "vecchio");
  EXPECT_EQ(r["L/BLU"].totale, C("1"));

  Aggiorna("1", true);  // all visited, the price only on the same first level
  r = Righe();
  EXPECT_EQ(r["L/BLU"].prezzo, C("5"));
  EXPECT_EQ(r["L/BLU"].sconto, "10");
  EXPECT_EQ(r["L/BLU"].totale, C("9"));  // 2 x 4.5
}

TEST_F(PrezziLivelli, PricesByBothLevels) {
  Aggiorna("2", false);
  auto r = Righe();
  EXPECT_EQ(r["M/BLU"].prezzo, C("10"));
  EXPECT_EQ(r["M/ROSSO"].prezzo, C("10"));
  EXPECT_EQ(r["L/BLU"].prezzo, C("5"));
  EXPECT_EQ(r["L/ROSSO"].sconto, "10");
  EXPECT_EQ(r["L/ROSSO"].totale, C("4,5"));
}

TEST_F(PrezziLivelli, OnlyRowsWithoutStateWhenAsked) {
  Aggiorna("0", false, true);
  auto r = Righe();
  EXPECT_EQ(r["L/ROSSO"].sconto, "vecchio");
  EXPECT_EQ(r["L/ROSSO"].prezzo, C("5"));
  EXPECT_EQ(r["L/BLU"].sconto, "10");
}

TEST_F(PrezziLivelli, ForeignDocument) {
  Aggiorna("0", false, false, "USD", "1,5");  // "*": euro = dollars x 1.5
  auto r = Righe();
  EXPECT_EQ(r["M/BLU"].totale, C("27"));
  EXPECT_EQ(r["M/BLU"].euro, C("40,5"));
  EXPECT_EQ(r["M/BLU"].lire, C("78418,94"));
  // Without the rate nothing can be converted: the error reaches the caller.
  EXPECT_THROW(Aggiorna("0", false, false, "USD", ""), vb::Errore);
}

}  // namespace

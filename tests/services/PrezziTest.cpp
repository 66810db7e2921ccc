#include <gtest/gtest.h>

#include "services/DittaProva.h"
#include "services/UtilDocFattGest.h"

using namespace UtilDocFattGest;
using vb::Missing;
using vb::Variant;

namespace {

class Prezzi : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    Sql("Insert into Listini (Listino, Descrizione, Moneta, Ivato, ScoSomSost, Sconto) "
        "Values ('L1', 'Base', 'Euro', 'N', 'S', '3')");
    Sql("Insert into Listini (Listino, Descrizione, Moneta, Ivato, ScoSomSost, Sconto) "
        "Values ('LUSD', 'Dollari', 'USD', 'N', 'M', '')");
    Sql("Insert into Monete (Moneta, Descrizione, NumDec, NumDecGest, Operatore, Cee) "
        "Values ('USD', 'Dollaro', 2, 4, '/', 'N')");
  }
  void RigaListino(const std::string& art, const std::string& listino, const std::string& dal, const std::string& prezzo,
                   const std::string& prezzoLire = "0", const std::string& modo = "M", const std::string& sconto = "",
                   const std::string& liv1 = "~ç~", const std::string& liv2 = "~ç~") {
    Sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, Prezzo, PrezzoLire, ScoSomSost, "
        "Sconto) Values ('" + art + "', '" + listino + "', '" + liv1 + "', '" + liv2 + "', #" + dal + "#, " + prezzo +
        ", " + prezzoLire + ", '" + modo + "', '" + sconto + "')");
  }
  void Promozione(const std::string& art, const std::string& dal, const std::string& al, const std::string& prezzo,
                  const std::string& scontoClie = "N", const std::string& mess = "N", const std::string& listino = "L1") {
    Sql("Insert into ArtLisPromozioni (Articolo, Listino, Livello1, Livello2, DataInizioProm, DataFineProm, PrezzoProm, "
        "PrezzoLireProm, ScontoClie, MessProm, Descrizione) Values ('" + art + "', '" + listino + "', '~ç~', '~ç~', #" + dal +
        "#, #" + al + "#, " + prezzo + ", 999, '" + scontoClie + "', '" + mess + "', 'Festa')");
  }
  // The selling price of a net euro document of 10/12/2026.
  Variant Vendita(const std::string& art, const std::string& listino = "L1", const std::string& moneta = "Euro",
                  const Variant& cambio = Missing) {
    return RicPrezzo("L", "1", "01020003", 2026, art, listino, "N", "N", "10/12/2026", moneta, 2, 1, "PZ", 22, sconto_,
                     modo_, Missing, Missing, Missing, cambio);
  }
  std::string sconto_ = "prec", modo_ = "prec";
};

TEST_F(Prezzi, EmptyPriceListGivesNoPriceAndNoQuery) {
  Sql("Drop table ArtListini");
  db_->Motore(conn_).AzzeraCatalogo();
  EXPECT_EQ(Vendita("A1", "  "), Variant(0.0));
  EXPECT_EQ(modo_, "M");
  EXPECT_EQ(sconto_, "");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Prezzi, ThePriceValidOnTheDocumentDate) {
  RigaListino("A1", "L1", "2026-01-01", "10");
  RigaListino("A1", "L1", "2026-06-01", "11");
  RigaListino("A1", "L1", "2026-12-11", "99");  // after the document date
  RigaListino("A1", "L2", "2026-07-01", "55");  // another list
  EXPECT_DOUBLE_EQ(Vendita("A1").ToDouble(), 11);
  EXPECT_EQ(modo_, "M");
  EXPECT_DOUBLE_EQ(Vendita("a1", "l1").ToDouble(), 11);  // codes ignore letter case
  EXPECT_DOUBLE_EQ(Vendita("A2").ToDouble(), 0);          // no row: 0, mode "M", no discount
  EXPECT_EQ(modo_, "M");
  EXPECT_EQ(sconto_, "");
}

TEST_F(Prezzi, ListModeAndDiscountFromTheRowOrTheList) {
  RigaListino("A1", "L1", "2026-01-01", "10", "0", "L", "");   // the list's mode and discount
  RigaListino("A2", "L1", "2026-01-01", "10", "0", "M", "0");  // its own "0"
  RigaListino("A3", "L1", "2026-01-01", "10", "0", "N", "5+2");
  Vendita("A1");
  EXPECT_EQ(modo_, "S");
  EXPECT_EQ(sconto_, "3");
  Vendita("A2");
  EXPECT_EQ(modo_, "M");
  EXPECT_EQ(sconto_, "0");
  Vendita("A3");
  EXPECT_EQ(modo_, "N");
  EXPECT_EQ(sconto_, "5+2");
}

TEST_F(Prezzi, APromotionWinsOverTheList) {
  RigaListino("A1", "L1", "2026-12-01", "10");
  Promozione("A1", "2026-11-01", "2026-12-31", "8");
  Promozione("A1", "2026-11-15", "2026-12-10", "7", "s");  // started later, covers the date
  Promozione("A1", "2026-12-05", "2026-12-09", "6");       // already over
  EXPECT_DOUBLE_EQ(Vendita("A1").ToDouble(), 7);
  EXPECT_EQ(modo_, "Q");
  EXPECT_EQ(sconto_, "");
  Promozione("A2", "2026-11-01", "2026-12-31", "5", "X");
  EXPECT_DOUBLE_EQ(Vendita("A2").ToDouble(), 5);
  EXPECT_EQ(modo_, "P");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Prezzi, ThePromotionNoticeWhenTheRowAsksForIt) {
  Promozione("A1", "2026-11-01", "2026-12-31", "8", "N", "s");
  EXPECT_DOUBLE_EQ(Vendita("A1").ToDouble(), 8);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Articolo con prezzo in promozione: \r\nFesta");
}

TEST_F(Prezzi, LiraColumnsForALiraDocument) {
  RigaListino("A1", "L1", "2026-01-01", "10", "19363");
  Promozione("A2", "2026-01-01", "2026-12-31", "8");
  EXPECT_DOUBLE_EQ(Vendita("A1", "L1", "L.").ToDouble(), 19363);
  EXPECT_DOUBLE_EQ(Vendita("A2", "L1", "L.").ToDouble(), 999);
}

TEST_F(Prezzi, PricesCarryTheUnitPriceDecimals) {
  RigaListino("A1", "L1", "2026-01-01", "12.3456");
  EXPECT_DOUBLE_EQ(Vendita("A1").ToDouble(), 12.35);
  Variant p = RicPrezzo("L", "1", "", 2026, "A1", "L1", "N", "N", "10/12/2026", "Euro", 3, 1, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 12.346);
}

TEST_F(Prezzi, VatAddedOrRemovedAsTheDocumentWants) {
  RigaListino("A1", "L1", "2026-01-01", "122");
  // A VAT-inclusive list on a net document loses its VAT ...
  Variant p = RicPrezzo("L", "1", "", 2026, "A1", "L1", "S", "N", "10/12/2026", "Euro", 2, 1, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 100);
  // ... a net list on a VAT-inclusive document gains it ...
  p = RicPrezzo("L", "1", "", 2026, "A1", "L1", "N", "S", "10/12/2026", "Euro", 2, 1, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 148.84);
  // ... and equal flags leave it alone.
  p = RicPrezzo("L", "1", "", 2026, "A1", "L1", "N", "N", "10/12/2026", "Euro", 2, 1, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 122);
  // Costs count as net.
  Sql("Insert into ArticoliCosti (Anno, Articolo, Livello1, Livello2, MedioPonderale, CostoUltimo) "
      "Values (2026, 'A1', '~ç~', '~ç~', 10, 20)");
  p = RicPrezzo("M", "1", "", 2026, "A1", "L1", "N", "S", "10/12/2026", "Euro", 2, 1, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 12.2);
}

TEST_F(Prezzi, CostsByTheConversionFactor) {
  Sql("Insert into ArticoliCosti (Anno, Articolo, Livello1, Livello2, MedioPonderale, MedioPonderaleLire, CostoUltimo, "
      "CostoUltimoLire) Values (2026, 'A1', '~ç~', '~ç~', 12.5, 24203, 13.3333, 25817)");
  Variant p = RicPrezzo("M", "1", "", 2026, "A1", "L1", "N", "N", "10/12/2026", "Euro", 2, 6, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 75);
  EXPECT_EQ(modo_, "M");
  EXPECT_EQ(sconto_, "");
  // The factor acts on the cost as stored: 13.3333 x 3 = 39.9999, shown 40.00.
  p = RicPrezzo("u", "1", "", 2026, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 3, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 40);
  p = RicPrezzo("U", "1", "", 2026, "A1", "", "N", "N", "10/12/2026", "L.", 0, 1, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 25817);
  p = RicPrezzo("U", "1", "", 2025, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 1, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 0);  // no costs of that year
  // A third currency has no cost columns.
  p = RicPrezzo("U", "1", "", 2026, "A1", "", "N", "N", "10/12/2026", "USD", 2, 1, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 0);
  EXPECT_EQ(modo_, "M");
}

TEST_F(Prezzi, SupplierDataForTheLastCostOfASupplierDocument) {
  G().gsGesArtFor = "S";
  Sql("Insert into ArticoliFor (Articolo, Livello1, Livello2, GruppoFor, MastroFor, ContoFor, CostoUltimo, UltUM, Moneta) "
      "Values ('A1', '~ç~', '~ç~', '04', '01', '0007', 9.99, 'PZ', 'Euro')");
  Sql("Insert into ArticoliCosti (Anno, Articolo, Livello1, Livello2, CostoUltimo) Values (2026, 'A1', '~ç~', '~ç~', 5)");
  // Same unit: the supplier's cost, untouched by the factor.
  Variant p = RicPrezzo("U", "2", "04-01-0007", 2026, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 6, "pz", 22,
                        sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 9.99);
  // Lira document: converted at the company rate (19343.34), shown with
  // the unit-price decimals of the lira.
  p = RicPrezzo("U", "2", "04010007", 2026, "A1", "", "N", "N", "10/12/2026", "L.", 0, 6, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 19343);
  p = RicPrezzo("U", "2", "04010007", 2026, "A1", "", "N", "N", "10/12/2026", "L.", 2, 6, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 19343.34);
  // Another unit: the article costs with the factor.
  p = RicPrezzo("U", "2", "04010007", 2026, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 6, "CF", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 30);
  // A customer document, or no per-supplier data: the article costs.
  p = RicPrezzo("U", "1", "04010007", 2026, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 6, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 30);
  G().gsGesArtFor = "N";
  p = RicPrezzo("U", "2", "04010007", 2026, "A1", "", "N", "N", "10/12/2026", "Euro", 2, 6, "PZ", 22, sconto_, modo_);
  EXPECT_DOUBLE_EQ(p.ToDouble(), 30);
}

TEST_F(Prezzi, LevelRows) {
  RigaListino("A1", "L1", "2026-01-01", "10");
  RigaListino("A1", "L1", "2026-01-01", "12", "0", "M", "", "M");
  RigaListino("A1", "L1", "2026-01-01", "13", "0", "M", "", "M", "BLU");
  // Level count omitted or -1: the rows without levels.
  EXPECT_DOUBLE_EQ(Vendita("A1").ToDouble(), 10);
  auto conLivelli = [&](int n) {
    return RicPrezzo("L", "1", "", 2026, "A1", "L1", "N", "N", "10/12/2026", "Euro", 2, 1, "PZ", 22, sconto_, modo_, n,
                     "M", "BLU")
        .ToDouble();
  };
  EXPECT_DOUBLE_EQ(conLivelli(-1), 10);
  EXPECT_DOUBLE_EQ(conLivelli(2), 10);  // levels not managed by the company
  Param("Mag.GesTaglie", "s");
  EXPECT_DOUBLE_EQ(conLivelli(0), 10);
  EXPECT_DOUBLE_EQ(conLivelli(1), 12);
  EXPECT_DOUBLE_EQ(conLivelli(2), 13);
}

TEST_F(Prezzi, ForeignDocumentConvertsEuroPricesAtItsRate) {
  RigaListino("A1", "L1", "2026-01-01", "10");
  Promozione("A2", "2026-01-01", "2026-12-31", "8");
  RigaListino("A3", "LUSD", "2026-01-01", "10");
  // USD at 1.5 per euro ("/" in Monete: euro = dollars / 1.5).
  EXPECT_DOUBLE_EQ(Vendita("A1", "L1", "USD", "1,5").ToDouble(), 15);
  EXPECT_DOUBLE_EQ(Vendita("A2", "L1", "USD", 1.5).ToDouble(), 12);
  EXPECT_EQ(modo_, "P");
  // A list kept in dollars is taken as it is.
  EXPECT_DOUBLE_EQ(Vendita("A3", "LUSD", "USD", 1.5).ToDouble(), 10);
  // An operator given by the caller wins over Monete's.
  Variant p = RicPrezzo("L", "1", "", 2026, "A1", "L1", "N", "N", "10/12/2026", "USD", 2, 1, "PZ", 22, sconto_, modo_,
                        Missing, Missing, Missing, 1.5, "*");
  EXPECT_DOUBLE_EQ(p.ToDouble(), 6.67);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Prezzi, ForeignDocumentWithoutARateStopsWithAMessage) {
  RigaListino("A1", "L1", "2026-01-01", "10", "0", "S", "4");
  sconto_ = "prima";
  modo_ = "prima";
  Variant p = Vendita("A1", "L1", "USD");
  EXPECT_TRUE(p.IsString());
  EXPECT_EQ(p.ToString(), "");
  EXPECT_EQ(sconto_, "prima");  // the outputs keep their values
  EXPECT_EQ(modo_, "prima");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("USD"), std::string::npos) << messaggi_[0];
  // A list in yet another currency cannot be priced in dollars.
  Sql("Insert into Listini (Listino, Moneta, Ivato, ScoSomSost) Values ('LGBP', 'GBP', 'N', 'M')");
  RigaListino("A1", "LGBP", "2026-01-01", "10");
  EXPECT_EQ(Vendita("A1", "LGBP", "USD", 1.5).ToString(), "");
  EXPECT_EQ(messaggi_.size(), 2u);
}

TEST_F(Prezzi, AnErrorIsShownAndGivesTheEmptyText) {
  Sql("Drop table Listini");
  db_->Motore(conn_).AzzeraCatalogo();
  RigaListino("A1", "L1", "2026-01-01", "10");
  Variant p = Vendita("A1");
  EXPECT_EQ(p, Variant(""));
  EXPECT_EQ(modo_, "prec");
  EXPECT_EQ(sconto_, "prec");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u);
}

TEST_F(Prezzi, LastCostNotice) {
  AziendaUtil::MostraUltCosto("A1", 2026);
  Sql("Insert into ArticoliCosti (Anno, Articolo, Livello1, Livello2, CostoUltimo) "
      "Values (2026, 'A1', '~ç~', '~ç~', 1234.5)");
  AziendaUtil::MostraUltCosto("A1", 2026);
  G().giNumDecGestMoneta = 3;
  AziendaUtil::MostraUltCosto("A1", 2026, 0, "M", "");
  ASSERT_EQ(messaggi_.size(), 3u);
  EXPECT_EQ(messaggi_[0], "Ultimo Costo non disponibile");
  EXPECT_EQ(messaggi_[1], "Ultimo Costo: 1.234,50");
  EXPECT_EQ(messaggi_[2], "Ultimo Costo: 1.234,500");
}

}  // namespace

// The decoders of the forms: account splitting, the article rule, the key
// of the look-up the generic decoder opens, and its two passes.
#include <gtest/gtest.h>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/DittaAiuti.h"

using namespace AziendaUtil;

namespace {

class Decodifica : public prova::DittaAiuti {
 protected:
  void SetUp() override {
    DittaAiuti::SetUp();
    G().gsDecodHelpAbil = "C";
  }
  vb::Variant Dec(const std::string& tipo, const std::string& codice, int16_t aiuto = -1,
                  const std::string& filtro = "", int16_t* aperto = nullptr,
                  const vb::Variant& filtroAiuto = vb::Missing) {
    Txt(10).SetText(codice);
    return DecodCodice(tipo, Txt(10), &Lab(10), {}, 0, 0, "", nullptr, filtro, "", 0, filtroAiuto, -1, aiuto, "",
                       aperto, 0, nullptr, -1);
  }
};

}  // namespace

TEST(DividiContoTest, AccountCodesSplitIntoTheirThreeParts) {
  struct Caso {
    const char* codice;
    const char* gruppo;
    const char* mastro;
    const char* conto;
  };
  const Caso casi[] = {
      {"01-02-0003", "01", "02", "0003"},
      {"01020003", "01", "02", "0003"},
      {"0102", "01", "02", ""},
      {"04-01-0012", "04", "01", "0012"},
      {"0", "0", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : casi) {
    std::string g = "x", m = "x", k = "x";
    DividiConto(c.codice, g, m, k);
    EXPECT_EQ(g, c.gruppo) << c.codice;
    EXPECT_EQ(m, c.mastro) << c.codice;
    EXPECT_EQ(k, c.conto) << c.codice;
  }
}

TEST_F(Decodifica, AnExistingCodeDecodesAtOnceWithoutLookUp) {
  int16_t aperto = 5;
  const int modali = backend_.ModaliMostrate();
  const vb::Variant r = Dec("Iva", "22", -1, "", &aperto);
  EXPECT_EQ(r.ToInt(), -1);
  EXPECT_EQ(Lab(10).Text(), "Aliquota 22%");
  EXPECT_EQ(aperto, 0);
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  // An empty box never opens the look-up.
  EXPECT_EQ(Dec("Iva", "").ToInt(), 0);
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
}

TEST_F(Decodifica, AMissingCodeOpensTheLookUpAndDecodesTheChoice) {
  int16_t aperto = 0;
  int16_t inCorso = -1;
  Finestra([&](aiuti::FinestraAiuto& w) {
    inCorso = G().giDecodInCorso;
    EXPECT_EQ(w.txtCerca().Text(), "2");
    EXPECT_EQ(w.CodiceMostrato(0), "22");
    Invio(w);
  });
  const vb::Variant r = Dec("Iva", "2", -1, "", &aperto);
  EXPECT_EQ(r.ToInt(), -1);
  EXPECT_EQ(Txt(10).Text(), "22");
  EXPECT_EQ(Lab(10).Text(), "Aliquota 22%");
  EXPECT_EQ(Txt(10).BackColor(), G().glColoreSfondo);
  EXPECT_EQ(aperto, -1);
  EXPECT_EQ(inCorso, 1);
  EXPECT_EQ(G().giDecodInCorso, 0);
  // RetZeroRec is set for the look-up and put back afterwards.
  EXPECT_TRUE(lib_->Risultato().ovLeggiPar("RetZeroRec").IsNumeric());
  EXPECT_EQ(lib_->Risultato().ovLeggiPar("RetZeroRec").ToInt(), 0);
}

TEST_F(Decodifica, ALookUpLeftWithoutChoiceAnswersFalseAndPutsTheTextBack) {
  // The seed text is what the window searches; the box gets its own back.
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_EQ(w.txtCerca().Text(), "aliq");
    EXPECT_EQ(w.RigheMostrate(), 3);
    Esc(w);
  });
  Txt(10).SetText("2x");
  std::vector<vb::Variant> campi{"Aliquota"};
  const vb::Variant r = DecodCodice("Iva", Txt(10), &Lab(10), {}, 0, 0, "", &campi, "", "", 0, vb::Missing, 114,
                                    -1, "aliq", nullptr, 0, nullptr, -1);
  EXPECT_EQ(r.VarType(), vb::vbBoolean);
  EXPECT_FALSE(r.ToBool());
  EXPECT_EQ(Txt(10).Text(), "2x");
  EXPECT_EQ(Txt(10).BackColor(), G().glColoreErrore);
  EXPECT_EQ(Lab(10).Text(), "** INESISTENTE **");
  EXPECT_EQ(campi[0].ToString(), "");
  EXPECT_EQ(G().giDecodInCorso, 0);
}

TEST_F(Decodifica, NothingFittingTheCodeTriesTheDescriptionOnceAndNeverAThirdTime) {
  const int modali = backend_.ModaliMostrate();
  // "esente" is no code: the search by code has nothing, by description it has.
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_EQ(w.ColonnaRicerca(), 1);
    EXPECT_EQ(w.RigheMostrate(), 1);
    Invio(w);
  });
  EXPECT_EQ(Dec("Iva", "esente").ToInt(), -1);
  EXPECT_EQ(Txt(10).Text(), "E10");
  EXPECT_EQ(backend_.ModaliMostrate(), modali + 1);
  EXPECT_EQ(lib_->UltimaRichiesta().tasto, 114);
  // Nothing anywhere: two tries without a window, then no choice.
  const vb::Variant r = Dec("Iva", "qqq");
  EXPECT_FALSE(r.ToBool());
  EXPECT_EQ(backend_.ModaliMostrate(), modali + 1);
  EXPECT_EQ(lib_->UltimaRichiesta().tasto, 114);
}

TEST_F(Decodifica, TheKeyOfTheLookUpComesFromTheSettings) {
  // Decoder step 6: key passed, "DecodHelpAbil", personal key of the kind.
  struct Caso {
    const char* abil;
    bool persKey;
    const char* ivaHlp;
    int16_t tasto;
    int16_t atteso;
  };
  const Caso casi[] = {
      {"C", false, "", -1, 113},  {"D", false, "", -1, 114},  {"3", false, "", -1, -4},
      {"1", false, "", -1, -2},   {"X", false, "", -1, -1},   {"0", false, "", -1, -1},
      {"C", false, "", 120, 120}, {"D", false, "4", 113, 113}, {"C", true, "4", -1, 115},
      {"D", true, "4", 113, 115}, {"C", true, "12", 114, 123}, {"D", true, "0", -1, 114},
      {"C", true, "", 116, 116},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.abil) + " " + c.ivaHlp + " " + std::to_string(c.tasto));
    G().gsDecodHelpAbil = c.abil;
    G().gbDecodHelpPersKey = c.persKey;
    parPers_.clear();
    if (*c.ivaHlp) ParPers("Tutti", "IvaHlp", c.ivaHlp);
    // "2": no code, but the beginning of one and part of a description:
    // every search column has a row to show.
    Finestra(Esc);
    Txt(10).SetText("2");
    DecodCodice("Iva", Txt(10), &Lab(10), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, c.tasto, -1, "", nullptr, 0,
                nullptr, -1);
    EXPECT_EQ(lib_->UltimaRichiesta().tasto, c.atteso);
  }
}

TEST_F(Decodifica, NoLookUpWhenSwitchedOffOrNotAllowed) {
  const int modali = backend_.ModaliMostrate();
  G().gsDecodHelpAbil = "N";
  EXPECT_EQ(Dec("Iva", "2").ToInt(), 0);
  G().gsDecodHelpAbil = "C";
  EXPECT_EQ(Dec("Iva", "2", 0).ToInt(), 0);
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  EXPECT_EQ(Lab(10).Text(), "** INESISTENTE **");
}

TEST_F(Decodifica, InactiveArticlesAreLeftOutWhenTheUserAsks) {
  // Read once, the first time an article is decoded.
  ParPers("Articoli", "NoDecInattivi", "S");
  EXPECT_EQ(Dec("Articolo", "VECCHIO", 0).ToInt(), 0);
  EXPECT_EQ(Dec("ArticoloCod", "VECCHIO", 0).ToInt(), 0);
  EXPECT_EQ(Dec("Articolo", "VITE0410", 0, "Descrizione Like 'Viti*'").ToInt(), -1);
  vb::Variant v;
  EXPECT_EQ(LeggiCampoDecod("Articolo", "VECCHIO", v, {}, 0, 8, "Descrizione").ToInt(), 1);
  Txt(20).SetText("VECCHIO");
  EXPECT_EQ(DecodTabella("Articoli", "Articolo", Txt(20), &Lab(20), 0, 0, vb::Missing, "Descrizione").ToInt(), 0);
  ParPers("Articoli", "NoDecInattivi", "N");
  EXPECT_EQ(Dec("Articolo", "VECCHIO", 0).ToInt(), 0);
  // The kind "Iva" has no such rule.
  EXPECT_EQ(Dec("Iva", "22", 0).ToInt(), -1);
}

TEST_F(Decodifica, TheLookUpOfAnArticleCodeIsTheArticleOneAndShowsInactiveOnes) {
  ParPers("Articoli", "NoDecInattivi", "S");
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_EQ(w.RigheMostrate(), 1);
    EXPECT_EQ(w.CodiceMostrato(0), "VECCHIO");
    Esc(w);
  });
  EXPECT_FALSE(Dec("ArticoloCod", "VECC").ToBool());
  EXPECT_EQ(lib_->UltimaRichiesta().tipo, "Articolo");
  EXPECT_EQ(lib_->UltimaRichiesta().filtro, "");
  // Through the entry of the grids the look-up hides them too: nothing to
  // show, by code or by description.
  const int modali = backend_.ModaliMostrate();
  Txt(10).SetText("VECC");
  EXPECT_FALSE(DecodCodiceOpz("Articolo", Txt(10), &Lab(10), {}, 0, 0, "", nullptr, "", 0, -1).ToBool());
  EXPECT_NE(lib_->UltimaRichiesta().filtro.find("(ucase(Inattivo)<>'S')"), std::string::npos);
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
}

TEST_F(Decodifica, TheGridEntryDecodesPlainlyWhenNoLookUpMayFollow) {
  const int modali = backend_.ModaliMostrate();
  Txt(10).SetText("2");
  EXPECT_EQ(DecodCodiceOpz("Iva", Txt(10), &Lab(10), {}, 0, 0, "", nullptr, "", -1, -1).ToInt(), 0);
  EXPECT_EQ(DecodCodiceOpz("Iva", Txt(10), &Lab(10), {}, -1, 0, "", nullptr, "", 0, -1).ToInt(), 0);
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  std::vector<vb::Variant> campi{"Aliquota"};
  Finestra(Invio);
  EXPECT_EQ(DecodCodiceOpz("Iva", Txt(10), &Lab(10), {}, 0, 0, "", &campi, "", 0, -1).ToInt(), -1);
  EXPECT_EQ(campi[0].ToDouble(), 22);
}

TEST_F(Decodifica, AccountsAreFormattedAndLookedUpAsTyped) {
  Txt(10).SetText("04010013");
  std::vector<vb::Variant> campi{"Localita"};
  EXPECT_EQ(DecodConto(Txt(10), &Lab(10), 0, 3, &campi).ToInt(), -1);
  EXPECT_EQ(Txt(10).Text(), "04-01-0013");
  EXPECT_EQ(Lab(10).Text(), "Boutique Eleganza");
  EXPECT_EQ(campi[0].ToString(), "Mantova");

  // Not found: the look-up searches the account as typed and the choice is
  // written back in the display form.
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_EQ(w.txtCerca().Text(), "0401");
    EXPECT_EQ(w.RigheMostrate(), 2);
    Invio(w);
  });
  Txt(10).SetText("0401");
  EXPECT_EQ(DecodConto(Txt(10), &Lab(10), 0, 3, nullptr, -1).ToInt(), -1);
  EXPECT_EQ(Txt(10).Text(), "04-01-0012");
  EXPECT_EQ(Lab(10).Text(), "Ferramenta Rossi Srl");

  // A code already holding "-" is not decoded.
  Txt(10).SetText("01-02-0003");
  Txt(10).SetBackColor(G().glColoreSfondo);
  Lab(10).SetText("vecchia");
  MostraDescConto(Txt(10), &Lab(10), 2, 0, 0);
  EXPECT_EQ(Lab(10).Text(), "");
  EXPECT_EQ(Txt(10).BackColor(), G().glColoreErrore);
  Txt(10).SetBackColor(G().glColoreSfondo);
  MostraDescConto(Txt(10), &Lab(10), 2, 1, 0);
  EXPECT_EQ(Txt(10).BackColor(), G().glColoreSfondo);
  Txt(10).SetText("07010003");
  MostraDescConto(Txt(10), &Lab(10), 2, 0, 0);
  EXPECT_EQ(Txt(10).Text(), "07-01-0003");
  EXPECT_EQ(Lab(10).Text(), "Utensilerie Lombarde");
}

TEST_F(Decodifica, AGridRowChangedDuringTheLookUpIsPutBack) {
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*db_, conn_, "", "Select * from TabIva Order By Iva", false, 4);
  auto& dati = form_.Crea<ui::DatiControllo>(ui::Tipo::Data, "datIva");
  auto& griglia = form_.Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgIva");
  dati.SetRecordset(&rs.RecordsetDao(k));
  griglia.SetDataSource(&dati);
  griglia.VaiARiga(1);
  const std::string segnalibro = griglia.Bookmark();
  Finestra([&](aiuti::FinestraAiuto& w) {
    // The line grid's row-change handler while the look-up is open.
    ASSERT_EQ(G().giDecodInCorso, 1);
    G().gvBookmarkDecod = segnalibro;
    griglia.VaiARiga(3);
    G().giDecodInCorso = 2;
    Invio(w);
  });
  Txt(10).SetText("2");
  const vb::Variant r = DecodCodice("Iva", Txt(10), &Lab(10), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1, -1,
                                    "", nullptr, -1, &griglia, -1);
  EXPECT_EQ(r.ToInt(), -1);
  EXPECT_EQ(griglia.Bookmark(), segnalibro);
  EXPECT_EQ(G().giDecodInCorso, 0);
  griglia.SetDataSource(nullptr);
  dati.SetRecordset(nullptr);
}

TEST_F(Decodifica, FieldsTablesAndRatesThroughTheLibrary) {
  vb::Variant valore;
  std::vector<vb::Variant> altri{"ScontoLire"};
  EXPECT_EQ(LeggiCampoDecod("Listino", "02", valore, {}, 0, 8, "Ivato", 0, &altri).ToInt(), 0);
  EXPECT_EQ(valore.ToString(), "S");
  Txt(20).SetText("BU1");
  EXPECT_EQ(DecodTabella("BeniUsati", "BeneUsato", Txt(20), &Lab(20), 0, 0, vb::Missing, "Descrizione").ToInt(), -1);
  EXPECT_EQ(Lab(20).Text(), "Usato garantito");
  // The lira at the company's rate.
  G().gsCambioLiraEuro = "1936,27";
  vb::Variant data;
  EXPECT_TRUE(LeggiCambio("L.", *vb::Date::Parse("10/12/2026"), Txt(30), data, "#,###.^^^^^^", true, false).ToBool());
  EXPECT_EQ(Txt(30).Text(), "1.936,27");
  EXPECT_TRUE(LeggiCambio("Euro", *vb::Date::Parse("10/12/2026"), Txt(30), data, "#,###.^^^^^^", true, false).ToBool());
  EXPECT_EQ(Txt(30).Text(), "1");
}

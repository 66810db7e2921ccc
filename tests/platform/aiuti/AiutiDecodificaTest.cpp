#include "platform/aiuti/AiutiDecodifica.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"
#include "platform/aiuti/DatiAiuti.h"
#include "support/CartellaTemp.h"

using aiuti::AiutiDecodifica;
using aiuti::ChiaveAgg;
using aiuti::FinestraAiuto;

namespace {

constexpr long kSfondo = 0xFFFFFF;
constexpr long kErrore = 255;

// A form with the coded fields of the tests: code box txt(i), description lab(i).
class Campi : public ui::Form {
 public:
  Campi() : ui::Form("frmCampi") {
    for (int i : {10, 20, 30}) {
      Crea(ui::Tipo::TextBox, "txt", i).SetTabIndex(i);
      Crea(ui::Tipo::Label, "lab", i);
    }
    Crea(ui::Tipo::TextBox, "txtArt").SetTabIndex(40);
    Crea(ui::Tipo::TextBox, "txtLiv1").SetTabIndex(41);
    Crea(ui::Tipo::TextBox, "txtLiv2").SetTabIndex(42);
  }
};

class Aiuti : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::HeadlessAttivo().AzzeraScript();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    prova::RiempiAnagrafiche(*db_, conn_);
    std::shared_ptr<menu::ContestoProgramma> contesto;
    lib_.Inizializza(nullptr, nullptr, contesto, db_, conn_, nullptr, kSfondo, kErrore, "p", "dd/mm/yyyy");
    f_.Show();
  }
  void TearDown() override {
    lib_.ChiudiFinestre();
    f_.Unload();
    EXPECT_TRUE(ui::HeadlessAttivo().ScriptFinito());
    ui::HeadlessAttivo().AzzeraScript();
  }

  ui::Controllo& Txt(int i) { return f_.C("txt", i); }
  ui::Controllo& Lab(int i) { return f_.C("lab", i); }

  int16_t Decod(const std::string& tipo, const std::string& codice, std::vector<vb::Variant>& campi,
                const ChiaveAgg& agg = {}, const std::string& filtro = {}) {
    Txt(10).SetText(codice);
    return lib_.DecodCodice(tipo, Txt(10), &Lab(10), agg, 0, "", 0, campi, filtro);
  }
  int16_t Decod(const std::string& tipo, const std::string& codice, const ChiaveAgg& agg = {},
                const std::string& filtro = {}) {
    std::vector<vb::Variant> campi;
    return Decod(tipo, codice, campi, agg, filtro);
  }

  // Opens the look-up of the kind on txt(10) with the steps the script gives.
  int16_t Cerca(const std::string& tipo, int16_t tasto, const std::function<void(FinestraAiuto&)>& passo,
                const ChiaveAgg& agg = {}, const std::string& colonne = {}, const std::string& filtro = {}) {
    ui::HeadlessAttivo().Rispondi([passo](ui::Form& f) { passo(static_cast<FinestraAiuto&>(f)); });
    int16_t scelto = 0;
    lib_.ApriRicerca(tipo, Txt(10), &Lab(10), tasto, &f_, agg, scelto, 0, colonne, filtro);
    return scelto;
  }

  prova::CartellaTemp dir_{"aiuti"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  AiutiDecodifica lib_;
  Campi f_;
};

}  // namespace

TEST(AiutiTipi, EveryKindNamesATableOfTheCompanyWithItsKeyAndDescription) {
  for (const auto& t : aiuti::TipiNoti()) {
    SCOPED_TRACE(t.tipo);
    if (t.tabella.find(' ') != std::string::npos) continue;  // a join: checked by its own test
    const dati::TabellaCat* tab = nullptr;
    for (const auto& x : dati::SchemaDitta())
      if (vb::UgualeTesto(x.nome, t.tabella)) tab = &x;
    ASSERT_NE(tab, nullptr) << t.tabella;
    for (const auto& k : t.chiavi) EXPECT_GE(tab->Colonna(k), 0) << k;
    if (!t.descrizione.empty()) {
      EXPECT_GE(tab->Colonna(t.descrizione), 0) << t.descrizione;
    }
  }
  const aiuti::TipoAiuto b = aiuti::CercaTipo("BeniUsati:BeneUsato");
  EXPECT_EQ(b.tabella, "BeniUsati");
  EXPECT_EQ(b.chiavi, (std::vector<std::string>{"BeneUsato"}));
  EXPECT_EQ(aiuti::CercaTipo("iva").tabella, "TabIva");
  EXPECT_EQ(aiuti::CercaTipo("ArticoloCod").tabella, "Articoli");
  EXPECT_THROW(aiuti::CercaTipo("Inventato"), vb::Errore);
}

TEST_F(Aiuti, ACodeDecodesIntoItsDescriptionAndTheFieldsAskedFor) {
  std::vector<vb::Variant> campi{"Aliquota", "§recmulti§", ""};
  EXPECT_EQ(Decod("Iva", "22", campi), -1);
  EXPECT_EQ(Lab(10).Text(), "Aliquota 22%");
  EXPECT_EQ(Txt(10).BackColor(), kSfondo);
  EXPECT_DOUBLE_EQ(campi[0].ToDouble(), 22);
  EXPECT_EQ(campi[1].ToLong(), 1);
  EXPECT_EQ(campi[2].ToString(), "");

  campi = {"Aliquota"};
  EXPECT_EQ(Decod("Iva", "99", campi), 0);
  EXPECT_EQ(Lab(10).Text(), "** INESISTENTE **");
  EXPECT_EQ(Txt(10).BackColor(), kErrore);
  EXPECT_EQ(campi[0].ToString(), "");

  // An empty code is no error: no description, the normal background.
  EXPECT_EQ(Decod("Iva", ""), 0);
  EXPECT_EQ(Lab(10).Text(), "");
  EXPECT_EQ(Txt(10).BackColor(), kSfondo);

  // Option 1 not 0: the colours are left alone.
  Txt(10).SetBackColor(123);
  Txt(10).SetText("99");
  std::vector<vb::Variant> nessuno;
  EXPECT_EQ(lib_.DecodCodice("Iva", Txt(10), &Lab(10), {}, -1, "", 0, nessuno, ""), 0);
  EXPECT_EQ(Txt(10).BackColor(), 123);
}

TEST_F(Aiuti, AccountsDecodeTypedOrFormattedAndByClass) {
  EXPECT_EQ(Decod("Conto", "04010012"), -1);
  EXPECT_EQ(Lab(10).Text(), "Ferramenta Rossi Srl");
  EXPECT_EQ(Decod("Conto", "04-01-0012"), -1);
  // A supplier is not found among the customers (class 3) but is among all.
  EXPECT_EQ(Decod("Conto", "07010003", ChiaveAgg(vb::Variant(3))), 0);
  EXPECT_EQ(Decod("Conto", "07010003", ChiaveAgg(vb::Variant(-2))), -1);
  EXPECT_EQ(Decod("Conto", "07010003", ChiaveAgg("f")), -1);
  EXPECT_EQ(Decod("Conto", "07010003"), -1);
}

TEST_F(Aiuti, KindsWithAnExtraKey) {
  // A shipping address belongs to its account (the last element of the key).
  ui::Controllo& conto = Txt(20);
  conto.SetText("04010012");
  EXPECT_EQ(Decod("IndSped", "001", ChiaveAgg{ChiaveAgg("C"), ChiaveAgg(conto)}), -1);
  EXPECT_EQ(Lab(10).Text(), "Ferramenta Rossi - Magazzino");
  EXPECT_EQ(Decod("IndSped", "002", ChiaveAgg(conto)), 0);
  conto.SetText("04010013");
  EXPECT_EQ(Decod("IndSped", "002", ChiaveAgg(conto)), -1);

  // A level belongs to the article's group for that level.
  auto& art = f_.C("txtArt");
  art.SetText("MAGLIA01");
  EXPECT_EQ(Decod("Livello", "M", ChiaveAgg{ChiaveAgg(art), ChiaveAgg(1)}), -1);
  EXPECT_EQ(Lab(10).Text(), "Taglia M");
  EXPECT_EQ(Decod("Livello", "BLU", ChiaveAgg{ChiaveAgg(art), ChiaveAgg(1)}), 0);
  EXPECT_EQ(Decod("Livello", "BLU", ChiaveAgg{ChiaveAgg(art), ChiaveAgg(2)}), -1);

  // A lot by its code and the caller's condition; the number of lots that fit.
  std::vector<vb::Variant> campi{"§recmulti§", "NrProgLotto"};
  EXPECT_EQ(Decod("Lotti", "L2026-045", campi, {}, "Articolo = 'OLIO5L'"), -1);
  EXPECT_EQ(campi[0].ToLong(), 2);
  EXPECT_EQ(campi[1].ToLong(), 1);
  campi = {"§recmulti§"};
  EXPECT_EQ(Decod("Lotti", "L2026-045", campi, {}, "Articolo = 'OLIO5L' And ContoCliFor = '0005'"), -1);
  EXPECT_EQ(campi[0].ToLong(), 1);
  EXPECT_EQ(Decod("TabDecod", "BIO", {}, "Chiave = 'T'"), -1);
  EXPECT_EQ(Lab(10).Text(), "Trattamento bio");
}

TEST_F(Aiuti, InBarcodeModeAnArticleIsFoundByItsBarcodeToo) {
  db_->EseguiSql(conn_, "Update Articoli Set BarCode = '8001234567897' Where Articolo = 'VITE0410'");
  // A barcode that is another article's code: the barcode wins.
  db_->EseguiSql(conn_, "Update Articoli Set BarCode = 'PANT01' Where Articolo = 'MAGLIA01'");
  struct Caso {
    const char* codice;
    int modo;  // the search mode of the article field; -1 none given
    int16_t esito;
    const char* articolo;
  };
  const Caso casi[] = {
      {"8001234567897", 1, -1, "VITE0410"}, {"8001234567897", 0, 0, ""},  {"8001234567897", -1, 0, ""},
      {"VITE0410", 1, -1, "VITE0410"},      {"VITE0410", 0, -1, "VITE0410"}, {"PANT01", 1, -1, "MAGLIA01"},
      {"PANT01", 0, -1, "PANT01"},          {"8'0*?", 1, 0, ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.codice) + " " + std::to_string(c.modo));
    std::vector<vb::Variant> campi{"Articolo"};
    const ChiaveAgg modo = c.modo < 0 ? ChiaveAgg() : ChiaveAgg(c.modo);
    EXPECT_EQ(Decod("ArticoloCod", c.codice, campi, modo), c.esito);
    EXPECT_EQ((campi[0].IsNull() ? std::string() : campi[0].ToString()), c.articolo);
    EXPECT_EQ(Txt(10).Text(), c.codice);
  }
  // The plain article kind never reads barcodes.
  EXPECT_EQ(Decod("Articolo", "8001234567897", ChiaveAgg(1)), 0);
}

TEST_F(Aiuti, FieldsOfTheRecordAndNamedTables) {
  vb::Variant valore;
  std::vector<vb::Variant> altri{"Descrizione"};
  EXPECT_EQ(lib_.LeggiCampoDecod("Listino", "02", valore, {}, 0, 0, 8, "Ivato", 0, &altri, "").ToInt(), 0);
  EXPECT_EQ(valore.ToString(), "S");
  EXPECT_EQ(altri[0].ToString(), "Listino al pubblico");
  EXPECT_EQ(lib_.LeggiCampoDecod("Listino", "99", valore, {}, 0, 0, 8, "Ivato", 0, nullptr, "").ToInt(), 1);
  EXPECT_TRUE(valore.IsEmpty());

  Txt(30).SetText("BU1");
  EXPECT_EQ(lib_.DecodTabella("BeniUsati", "BeneUsato", Txt(30), &Lab(30), 0, 0, vb::Missing, "Descrizione", "",
                              vb::Missing, "")
                .ToInt(),
            -1);
  EXPECT_EQ(Lab(30).Text(), "Usato garantito");
  Txt(30).SetText("BU9");
  EXPECT_EQ(lib_.DecodTabella("BeniUsati", "BeneUsato", Txt(30), &Lab(30), 0, 0, vb::Missing, "Descrizione", "",
                              vb::Missing, "")
                .ToInt(),
            0);
  EXPECT_EQ(Lab(30).Text(), "** INESISTENTE **");
  EXPECT_EQ(Txt(30).BackColor(), kErrore);
}

TEST_F(Aiuti, ExchangeRatesAtADate) {
  vb::Variant quando;
  auto& box = Txt(20);
  EXPECT_TRUE(lib_.LeggiCambio("USD", *vb::Date::Parse("15/03/2026"), box, quando, "#,###.^^^^^^", true, false)
                  .ToBool());
  EXPECT_EQ(box.Text(), "1,1");
  EXPECT_EQ(quando.ToDate().ToDateText(), "01/01/2026");
  EXPECT_TRUE(lib_.LeggiCambio("USD", *vb::Date::Parse("15/07/2026"), box, quando, "#,###.^^^^^^", true, false)
                  .ToBool());
  EXPECT_EQ(box.Text(), "1,085");
  lib_.ImpMonete("Euro", "L.", 1936.27);
  EXPECT_TRUE(lib_.LeggiCambio("L.", *vb::Date::Parse("15/07/2026"), box, quando, "#,###.^^^^^^", true, false)
                  .ToBool());
  EXPECT_EQ(box.Text(), "1.936,27");
  box.SetText("x");
  EXPECT_FALSE(lib_.LeggiCambio("USD", *vb::Date::Parse("15/07/2025"), box, quando, "#,###.^^^^^^", true, false)
                   .ToBool());
  EXPECT_EQ(box.Text(), "x");
  EXPECT_EQ(quando.ToDate().Year(), 100);
}

TEST_F(Aiuti, TheProgramMayRefuseADecode) {
  int chiamate = 0;
  lib_.SorgenteEventi().ClsPrepDecod = [&](const std::string& id, const std::string& base, const std::string& campo,
                                           vb::Variant& valore, vb::Variant& solo, vb::Variant&, vb::Variant& rit) {
    ++chiamate;
    EXPECT_EQ(id, "Iva");
    EXPECT_EQ(base, "frmCampi");
    EXPECT_EQ(campo, "txt(10)");
    EXPECT_EQ(valore.ToString(), "22");
    EXPECT_TRUE(solo.ToBool());
    rit = false;
  };
  Lab(10).SetText("prima");
  EXPECT_EQ(Decod("Iva", "22"), 0);
  EXPECT_EQ(chiamate, 1);
  EXPECT_EQ(Lab(10).Text(), "prima");
}

// ---- the look-up window, headless

TEST_F(Aiuti, ValuesOfARowByTableAndKeyColumn) {
  vb::Variant valore;
  std::vector<vb::Variant> altri{"Descrizione"};
  EXPECT_EQ(lib_.CercaValore("Listini", "Listino", "02", valore, 0, 8, "Ivato", 0, &altri, "").ToInt(), 0);
  EXPECT_EQ(valore.ToString(), "S");
  EXPECT_EQ(altri[0].ToString(), "Listino al pubblico");
  // The description when no field is named; the caller's condition narrows.
  EXPECT_EQ(lib_.CercaValore("BeniUsati", "BeneUsato", "BU1", valore, 0, 8, "", 0, nullptr, "").ToInt(), 0);
  EXPECT_EQ(valore.ToString(), "Usato garantito");
  altri = {"Descrizione"};
  EXPECT_EQ(lib_.CercaValore("Listini", "Listino", "02", valore, 0, 8, "Ivato", 0, &altri, "Ivato = 'N'").ToInt(), -1);
  EXPECT_EQ(altri[0].ToString(), "");
  EXPECT_EQ(lib_.CercaValore("Listini", "Listino", "99", valore, 0, 8, "Ivato", 0, nullptr, "").ToInt(), -1);
  EXPECT_EQ(lib_.CercaValore("Listini", "Listino", "", valore, 0, 8, "Ivato", 0, nullptr, "").ToInt(), -1);

  // A table without a description column, its row picked by the caller's
  // condition among those of the same key (the reorder's minimum stock).
  db_->EseguiSql(conn_, "Insert into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) "
                        "Values ('A1', 'M1', '~ç~', '~ç~', 12)");
  db_->EseguiSql(conn_, "Insert into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) "
                        "Values ('A1', 'M2', '~ç~', '~ç~', 30)");
  const std::string dove = "Magazzino = 'M2' And Livello1 = '~ç~' And Livello2 = '~ç~'";
  EXPECT_EQ(lib_.CercaValore("ArtScorte", "Articolo", "A1", valore, 0, 8, "ScortaMinima", 0, nullptr, dove).ToInt(), 0);
  EXPECT_EQ(valore.ToString(), "30");
  EXPECT_EQ(lib_.CercaValore("ArtScorte", "Articolo", "A1", valore, 0, 8, "ScortaMinima", 0, nullptr,
                             "Magazzino = 'M3'")
                .ToInt(),
            -1);
}

TEST_F(Aiuti, AGridCellIsDecodedOrLookedUp) {
  vb::Variant cella = "10";
  std::string testo = "x";
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Iva", cella, testo, 0, "", 0, 0, "", {}, vb::Missing, "").ToInt(), 0);
  EXPECT_EQ(testo, "Aliquota 10%");
  cella = "77";
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Iva", cella, testo, 0, "", 0, 0, "", {}, vb::Missing, "").ToInt(), -1);
  EXPECT_EQ(testo, "** INESISTENTE **");
  cella = "";
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Iva", cella, testo, 0, "", 0, 0, "", {}, vb::Missing, "").ToInt(), -1);
  EXPECT_EQ(testo, "");

  // F2 on the cell: the window opens on its text; the chosen row's column
  // goes back into the cell.
  cella = "";
  ui::HeadlessAttivo().Rispondi([](ui::Form& f) {
    auto& w = static_cast<FinestraAiuto&>(f);
    EXPECT_EQ(w.RigheMostrate(), 5);
    ui::utente::Digita(w.txtCerca(), "1");
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Iva", cella, testo, 113, "", 0, 0, "", {}, vb::Missing, "").ToInt(), 0);
  EXPECT_EQ(cella.ToString(), "10");
  EXPECT_EQ(testo, "Aliquota 10%");
  ui::HeadlessAttivo().Rispondi([](ui::Form& f) {
    auto& w = static_cast<FinestraAiuto&>(f);
    EXPECT_EQ(w.RigheMostrate(), 1);  // the cell's text is the first search
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Aliquota", cella, testo, 113, "", 0, 0, "", {}, vb::Missing, "").ToInt(), 0);
  EXPECT_DOUBLE_EQ(cella.ToDouble(), 10);
  // Esc: nothing chosen, the cell stays as it was.
  cella = "4";
  ui::HeadlessAttivo().Rispondi([](ui::Form& f) { ui::utente::Premi(f, ui::vbKeyEscape); });
  EXPECT_EQ(lib_.DecodGriglia("Iva", "Iva", cella, testo, 113, "", 0, 0, "", {}, vb::Missing, "").ToInt(), -1);
  EXPECT_EQ(cella.ToString(), "4");
}

TEST_F(Aiuti, TheWindowSearchesByCodeAsTheUserTypesAndChoosesWithEnter) {
  Txt(10).SetText("");
  FinestraAiuto* vista = nullptr;
  const int16_t scelto = Cerca("Iva", 113, [&](FinestraAiuto& w) {
    vista = &w;
    EXPECT_EQ(w.Caption(), "Aiuto - Codici IVA");
    EXPECT_EQ(w.RigheMostrate(), 5);
    EXPECT_EQ(w.C("labCerca").Caption(), "Cerca per codice:");
    ui::utente::Digita(w.txtCerca(), "1");
    EXPECT_EQ(w.RigheMostrate(), 1);
    EXPECT_EQ(w.Cella(0, 0), "10");
    EXPECT_EQ(w.Cella(0, 1), "Aliquota 10%");
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(Txt(10).Text(), "10");
  EXPECT_EQ(lib_.Risultato().RetVal("Aliquota").ToDouble(), 10);
  EXPECT_EQ(lib_.Risultato().RetVal("TabIva.Descrizione").ToString(), "Aliquota 10%");
  EXPECT_EQ(lib_.Risultato().RetField(), "Iva");
  EXPECT_EQ(lib_.Risultato().Text(), "10");
  // Kept loaded, hidden, and the same window next time.
  ASSERT_NE(vista, nullptr);
  EXPECT_TRUE(vista->Caricata());
  EXPECT_FALSE(vista->Visible());
  EXPECT_EQ(&lib_.FinestraAttiva(), vista);
}

TEST_F(Aiuti, F3SearchesTheDescriptionAnywhereAndEscLeaves) {
  Txt(10).SetText("esente");
  const int16_t scelto = Cerca("Iva", 114, [](FinestraAiuto& w) {
    EXPECT_EQ(w.C("labCerca").Caption(), "Cerca per descrizione:");
    EXPECT_EQ(w.txtCerca().Text(), "esente");
    EXPECT_EQ(w.RigheMostrate(), 1);
    EXPECT_EQ(w.CodiceMostrato(0), "E10");
    ui::utente::Digita(w.txtCerca(), "x");
    EXPECT_EQ(w.RigheMostrate(), 0);
    // F2 back to the codes: "esentex" is no code.
    ui::utente::Premi(w, ui::vbKeyF2);
    EXPECT_EQ(w.ColonnaRicerca(), 0);
    w.txtCerca().SetText("");
    EXPECT_EQ(w.RigheMostrate(), 5);
    ui::utente::Premi(w, ui::vbKeyF3);
    w.txtCerca().SetText("ALIQ");
    EXPECT_EQ(w.RigheMostrate(), 3);
    ui::utente::Premi(w, ui::vbKeyEscape);
  });
  EXPECT_EQ(scelto, 0);
  EXPECT_EQ(Txt(10).Text(), "esente");
  EXPECT_TRUE(lib_.Risultato().RetVal("Iva").IsEmpty());
}

TEST_F(Aiuti, ArrowsMoveTheRowAndADoubleClickChooses) {
  Txt(10).SetText("");
  const int16_t scelto = Cerca("Iva", 113, [](FinestraAiuto& w) {
    EXPECT_EQ(w.RigaCorrente(), 0);
    ui::utente::Premi(w, ui::vbKeyDown);
    ui::utente::Premi(w, ui::vbKeyDown);
    EXPECT_EQ(w.RigaCorrente(), 2);
    ui::utente::Premi(w, ui::vbKeyUp);
    EXPECT_EQ(w.RigaCorrente(), 1);
    ui::utente::Premi(w, ui::vbKeyEnd, ui::vbCtrlMask);
    EXPECT_EQ(w.RigaCorrente(), 4);
    w.dbgAiuto().VaiARiga(3);
    w.dbgAiuto().SetCol(1);
    ui::utente::DoppioClic(w.dbgAiuto());
  });
  EXPECT_EQ(scelto, -1);
  // Codes in code order: 10, 22, 4, E10, N41.
  EXPECT_EQ(Txt(10).Text(), "E10");
  EXPECT_EQ(lib_.Risultato().RetField(), "Descrizione");
  EXPECT_EQ(lib_.Risultato().Text(), "Esente art. 10");
}

TEST_F(Aiuti, TheCallersConditionAndExtraColumnsAreShown) {
  lib_.Parametri().ovLeggiPar("NomeCol1", "Email");
  lib_.Parametri().ovLeggiPar("DescCol1", "Posta");
  Txt(10).SetText("");
  Cerca(
      "Conto", 113,
      [](FinestraAiuto& w) {
        // Only the customers, with their town and e-mail after code and name.
        EXPECT_EQ(w.RigheMostrate(), 2);
        ASSERT_EQ(w.NumColonne(), 4);
        EXPECT_EQ(w.TitoloColonna(2), "Localita");
        EXPECT_EQ(w.TitoloColonna(3), "Posta");
        EXPECT_EQ(w.Cella(0, 0), "04-01-0012");
        EXPECT_EQ(w.Cella(0, 2), "Verona");
        EXPECT_EQ(w.Cella(0, 3), "rossi@esempio.it");
        ui::utente::Digita(w.txtCerca(), "0401001");
        EXPECT_EQ(w.RigheMostrate(), 2);
        ui::utente::Digita(w.txtCerca(), "3");
        EXPECT_EQ(w.RigheMostrate(), 1);
        ui::utente::Premi(w, ui::vbKeyF4);  // by the first extra column
        EXPECT_EQ(w.ColonnaRicerca(), 2);
        w.txtCerca().SetText("VERO");
        EXPECT_EQ(w.CodiceMostrato(0), "04-01-0012");
        ui::utente::Clicca(w.C("cmdOk"));
      },
      {}, "§pri§,Localita,Email,§dop§", "Tipo = '3'");
  EXPECT_EQ(Txt(10).Text(), "04-01-0012");
  EXPECT_EQ(Txt(10).BackColor(), lib_.Parametri().olColBackOk);
  EXPECT_EQ(lib_.Risultato().RetVal("Email2").ToString(), "ordini@rossi.it");
}

TEST_F(Aiuti, NothingToShowReturnsOneWhenAskedAndOpensNothing) {
  lib_.Risultato().ovLeggiPar("RetZeroRec", 1);
  Txt(10).SetText("ZZ");
  const int modali = ui::HeadlessAttivo().ModaliMostrate();
  int16_t scelto = 0;
  EXPECT_EQ(lib_.ApriRicerca("Iva", Txt(10), &Lab(10), 113, &f_, {}, scelto, 0, "", "").ToInt(), 1);
  EXPECT_EQ(ui::HeadlessAttivo().ModaliMostrate(), modali);
  EXPECT_EQ(scelto, 0);
  // Without it the window opens, empty, on the text typed.
  lib_.Risultato().ovLeggiPar("RetZeroRec", 0);
  Cerca("Iva", 113, [](FinestraAiuto& w) {
    EXPECT_EQ(w.RigheMostrate(), 0);
    EXPECT_FALSE(w.C("cmdOk").Enabled());
    ui::utente::Premi(w, ui::vbKeyReturn);  // nothing to choose: still open
    EXPECT_TRUE(w.Visible());
    ui::utente::Chiudi(w);  // the close box leaves, the window stays loaded
  });
  EXPECT_TRUE(lib_.FinestraAttiva().Caricata());
}

TEST_F(Aiuti, ThePriceListsOfAnArticleLeaveTheArticleInItsBox) {
  auto& art = f_.C("txtArt");
  art.SetText("MAGLIA01");
  f_.C("txtLiv1").SetText("M");
  f_.C("txtLiv2").SetText("BLU");
  ui::HeadlessAttivo().Rispondi([](ui::Form& f) {
    auto& w = static_cast<FinestraAiuto&>(f);
    EXPECT_EQ(w.RigheMostrate(), 1);
    EXPECT_EQ(w.CodiceMostrato(0), "01");
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  int16_t scelto = 0;
  lib_.ApriRicerca("ArtListino", art, &Lab(10), 114, &f_,
                   ChiaveAgg{ChiaveAgg(f_.C("txtLiv1")), ChiaveAgg(f_.C("txtLiv2")), ChiaveAgg(vb::Missing),
                             ChiaveAgg(vb::Variant(*vb::Date::Parse("01/03/2026")))},
                   scelto, 0, "", "");
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(art.Text(), "MAGLIA01");
  EXPECT_DOUBLE_EQ(lib_.Risultato().RetVal("Prezzo").ToDouble(), 25);
  EXPECT_EQ(lib_.Risultato().RetVal("Listino.Ivato").ToString(), "N");

  // Without levels the article's own rows, by the list's description: the
  // VAT-inclusive list comes first.
  art.SetText("VITE0410");
  ui::HeadlessAttivo().Rispondi([](ui::Form& f) {
    auto& w = static_cast<FinestraAiuto&>(f);
    EXPECT_EQ(w.RigheMostrate(), 2);
    EXPECT_EQ(w.CodiceMostrato(0), "02");
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  lib_.ApriRicerca("ArtListino", art, &Lab(10), 114, &f_, ChiaveAgg{ChiaveAgg(""), ChiaveAgg("")}, scelto, 0, "", "");
  EXPECT_EQ(lib_.Risultato().RetVal("Listino.Ivato").ToString(), "S");
  EXPECT_DOUBLE_EQ(lib_.Risultato().RetVal("Prezzo").ToDouble(), 0.15);
}

TEST_F(Aiuti, TheWindowAsksForTheMenuAndLaunchesTheManagement) {
  int menu = 0, lanci = 0;
  std::string prim, sec;
  lib_.SorgenteEventi().ClsMainMenuFrm = [&] { ++menu; };
  lib_.SorgenteEventi().LanciaKeyPrim = [&](const std::string& k) { prim = k; };
  lib_.SorgenteEventi().LanciaKeySec = [&](const std::string& k) {
    sec = k;
    EXPECT_EQ(prim, "Iva");  // the primary key first
  };
  lib_.LanciaProgramma = [&] { ++lanci; };
  Txt(10).SetText("2");
  EXPECT_EQ(Cerca("Iva", 113, [](FinestraAiuto& w) { ui::utente::Clicca(w.C("cmdMenu")); }), 0);
  EXPECT_EQ(menu, 1);
  EXPECT_EQ(Cerca("Iva", 113, [](FinestraAiuto& w) { ui::utente::Clicca(w.C("cmdGestione")); }), 0);
  EXPECT_EQ(sec, "22");
  EXPECT_EQ(lanci, 1);
}

TEST_F(Aiuti, NegativeKeysPickTheColumnAndTheCaretMayBeFixed) {
  FinestraAiuto& w0 = lib_.FinestraAttiva();
  w0.ScriviPerNome("obLockSpostaCurs", true);
  w0.ScriviPerNome("oiSpostaCurs", static_cast<int16_t>(1));
  Txt(10).SetText("Ali");
  Cerca("Iva", -2, [](FinestraAiuto& w) {
    EXPECT_EQ(w.ColonnaRicerca(), 1);
    EXPECT_EQ(w.txtCerca().SelStart(), 1);
    EXPECT_EQ(w.RigheMostrate(), 3);
    ui::utente::Premi(w, ui::vbKeyEscape);
  });
  EXPECT_EQ(lib_.UltimaRichiesta().tasto, -2);
  EXPECT_EQ(w0.LeggiPerNome("oiSpostaCurs").ToInt(), 1);
}

TEST_F(Aiuti, NumericCodesAndColumnsAreSearchedAsText) {
  db_->EseguiSql(conn_, "Insert into PdcDicIntenti (Gruppo, Mastro, Conto, PdcDicIntenti, Descrizione) Values "
                        "('04', '01', '0012', 1, 'Dichiarazione 2026')");
  db_->EseguiSql(conn_, "Insert into PdcDicIntenti (Gruppo, Mastro, Conto, PdcDicIntenti, Descrizione) Values "
                        "('04', '01', '0012', 12, 'Dichiarazione 2027')");
  db_->EseguiSql(conn_, "Insert into PdcDicIntenti (Gruppo, Mastro, Conto, PdcDicIntenti, Descrizione) Values "
                        "('04', '01', '0013', 3, 'Altro cliente')");
  ui::Controllo& conto = Txt(20);
  conto.SetText("04-01-0012");
  EXPECT_EQ(Decod("PdcDicIntenti", "12", ChiaveAgg(conto)), -1);
  EXPECT_EQ(Lab(10).Text(), "Dichiarazione 2027");
  EXPECT_EQ(Decod("PdcDicIntenti", "3", ChiaveAgg(conto)), 0);
  EXPECT_EQ(Decod("PdcDicIntenti", "abc", ChiaveAgg(conto)), 0);  // no number: no such key
  Txt(10).SetText("1");
  Cerca(
      "PdcDicIntenti", 113,
      [](FinestraAiuto& w) {
        EXPECT_EQ(w.RigheMostrate(), 2);
        ui::utente::Digita(w.txtCerca(), "2");
        EXPECT_EQ(w.RigheMostrate(), 1);
        ui::utente::Premi(w, ui::vbKeyReturn);
      },
      ChiaveAgg(conto));
  EXPECT_EQ(Txt(10).Text(), "12");
  // A number column searched by F4.
  Txt(10).SetText("");
  Cerca(
      "Iva", 113,
      [](FinestraAiuto& w) {
        ui::utente::Premi(w, ui::vbKeyF4);
        EXPECT_EQ(w.C("labCerca").Caption(), "Cerca per aliquota:");
        w.txtCerca().SetText("22");
        EXPECT_EQ(w.RigheMostrate(), 1);
        EXPECT_EQ(w.CodiceMostrato(0), "22");
        ui::utente::Premi(w, ui::vbKeyEscape);
      },
      {}, "Aliquota");
}

// The same SQL on the database server: joins, the level subquery, the
// account expression, numbers searched as text.
TEST(AiutiServer, DecodesAndSearchesOnTheServer) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer server;
  dati::CreaSchema(*server.Apri(), dati::SchemaDitta());
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string conn = db->ApriDatabase("", 0, false, false, server.Connessione());
  prova::RiempiAnagrafiche(*db, conn);
  ui::HeadlessAttivo().AzzeraScript();
  AiutiDecodifica lib;
  std::shared_ptr<menu::ContestoProgramma> contesto;
  lib.Inizializza(nullptr, nullptr, contesto, db, conn, nullptr, kSfondo, kErrore, "p", "dd/mm/yyyy");
  Campi f;
  f.Show();
  auto& txt = f.C("txt", 10);
  auto& lab = f.C("lab", 10);
  std::vector<vb::Variant> campi{"Localita", "§recmulti§"};
  auto dec = [&](const std::string& tipo, const std::string& codice, const ChiaveAgg& agg = {}) {
    txt.SetText(codice);
    return lib.DecodCodice(tipo, txt, &lab, agg, 0, "", 0, campi, "");
  };
  EXPECT_EQ(dec("Conto", "04-01-0012", ChiaveAgg("3")), -1);
  EXPECT_EQ(campi[0].ToString(), "Verona");
  EXPECT_EQ(campi[1].ToLong(), 1);
  EXPECT_EQ(dec("iva", "e10"), -1);  // codes compare without regard to case
  EXPECT_EQ(lab.Text(), "Esente art. 10");
  f.C("txtArt").SetText("MAGLIA01");
  EXPECT_EQ(dec("Livello", "NER", ChiaveAgg{ChiaveAgg(f.C("txtArt")), ChiaveAgg(2)}), -1);
  EXPECT_EQ(dec("Livello", "NER", ChiaveAgg{ChiaveAgg(f.C("txtArt")), ChiaveAgg(1)}), 0);

  ui::HeadlessAttivo().Rispondi([](ui::Form& w0) {
    auto& w = static_cast<FinestraAiuto&>(w0);
    EXPECT_EQ(w.RigheMostrate(), 4);
    ui::utente::Digita(w.txtCerca(), "0401");
    EXPECT_EQ(w.RigheMostrate(), 2);
    ui::utente::Premi(w, ui::vbKeyF3);
    w.txtCerca().SetText("boutique");
    EXPECT_EQ(w.RigheMostrate(), 1);
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  int16_t scelto = 0;
  txt.SetText("");
  lib.ApriRicerca("Conto", txt, &lab, 113, &f, {}, scelto, 0, "", "");
  EXPECT_EQ(txt.Text(), "04-01-0013");

  ui::HeadlessAttivo().Rispondi([](ui::Form& w0) {
    auto& w = static_cast<FinestraAiuto&>(w0);
    ui::utente::Premi(w, ui::vbKeyF4);
    w.txtCerca().SetText("10");
    EXPECT_EQ(w.RigheMostrate(), 1);
    EXPECT_EQ(w.CodiceMostrato(0), "10");
    ui::utente::Premi(w, ui::vbKeyEscape);
  });
  txt.SetText("");
  lib.ApriRicerca("Iva", txt, &lab, 113, &f, {}, scelto, 0, "Aliquota", "");

  f.C("txtArt").SetText("VITE0410");
  ui::HeadlessAttivo().Rispondi([](ui::Form& w0) {
    auto& w = static_cast<FinestraAiuto&>(w0);
    EXPECT_EQ(w.RigheMostrate(), 2);
    ui::utente::Premi(w, ui::vbKeyReturn);
  });
  lib.ApriRicerca("ArtListino", f.C("txtArt"), &lab, 113, &f,
                  ChiaveAgg{ChiaveAgg(""), ChiaveAgg(""), ChiaveAgg(vb::Missing),
                            ChiaveAgg(vb::Variant(*vb::Date::Parse("01/03/2026")))},
                  scelto, 0, "", "");
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(lib.Risultato().RetVal("Listino.Ivato").ToString(), "N");
  EXPECT_TRUE(ui::HeadlessAttivo().ScriptFinito());
  lib.ChiudiFinestre();
  f.Unload();
}

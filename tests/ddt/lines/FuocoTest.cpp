// Entering a line field, its function keys and the look-up buttons: the
// entry value the exit compares with, the hints, the look-up each field
// opens, the price chosen from the price lists (rate, zone, VAT), VAT in
// and out of the price, the long description into a note, the row counter
// handing the focus on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "lots/frmLisPartLot.h"
#include "ddt/lines/AperturaDiretta.h"
#include "platform/FunzioniComuni.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/ui/Headless.h"
#include "services/UtilDocFattGest.h"

namespace prova {
namespace {
using namespace dati::demo;

class Fuoco : public AperturaDiretta {
 protected:
  static ParDettaglio Euro() {
    ParDettaglio p = Base();
    p.osMoneta = kEuro;
    p.osPrzIvato = "N";
    return p;
  }
  frmDDTDett& Finestra(const ParDettaglio& p = Euro()) {
    frmDDTDett& d = frmDDTDett::Istanza();
    d.Apri(zona_, p);
    d.mpTracciaCampi = &traccia_;
    traccia_.clear();
    return d;
  }
  void Chiudi(frmDDTDett& d) {
    ChiudiScartando(d);
    traccia_.clear();
  }
  // The screws on the line, VAT 22.
  static void Articolo(frmDDTDett& d) {
    d.txt(18).SetText("A");
    d.txt(20).SetText(kArticoloViti);
    d.txt(30).SetText("2");
    d.txt(60).SetText("12,5");
    d.txt(70).SetText("25");
    d.txt(130).SetText(kIva22);
    d.txt(140).SetText("PZ");
    d.txt(150).SetText("1");
    d.miArtMostrato = 1;
    // The display takes the code as the article field's entry value: leaving
    // the field for another one shows nothing again.
    d.masValIngresso[20] = kArticoloViti;
    // Its VAT code decoded, with the rate the price keys work with.
    d.MostraIva(false);
  }
  // Field n reachable: it and the panels holding it shown and enabled, as
  // the page and the line kind show them.
  static void Raggiungibile(frmDDTDett& d, int n) {
    for (ui::Controllo* c = &d.txt(n); c; c = c->Container()) {
      c->SetVisible(true);
      c->SetEnabled(true);
    }
  }
  // A key pressed in field n, as the user presses it there.
  void Tasto(frmDDTDett& d, int n, int codice, int shift = 0) {
    Raggiungibile(d, n);
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(n))) << n;
    traccia_.clear();
    ui::utente::Premi(d, codice, shift);
  }
  // The next look-up window: its caption and codes noted, the row of code
  // `scegli` chosen, or left with Esc when empty.
  void Guarda(const std::string& scegli = {}) {
    backend_.Rispondi([this, scegli](ui::Form& w) {
      auto& a = static_cast<aiuti::FinestraAiuto&>(w);
      finestre_.push_back(a.Caption());
      codici_.clear();
      for (int r = 0; r < a.RigheMostrate(); ++r) codici_.push_back(a.CodiceMostrato(r));
      aiutoInCorso_ = frmDDTDett::Istanza().mbArtDaAiuto;
      for (int r = 0; r < a.RigheMostrate() && !scegli.empty(); ++r)
        if (a.CodiceMostrato(r) == scegli) {
          a.VaiARiga(r);
          a.Scegli();
          return;
        }
      a.Esci();
    });
  }

  OpenerZona zona_;
  std::vector<std::string> finestre_, codici_;
  bool aiutoInCorso_ = false;
};

TEST_F(Fuoco, EnteringAFieldRemembersItsTextOrThatItWasInError) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  struct Caso {
    int campo;
    const char* testo;
    bool errore;
    const char *ingresso, *testoDopo;
  };
  const std::vector<Caso> casi = {
      {30, "12", false, "12", "12"},      {30, "12", true, "~ç§@*+", "12"},
      {130, "22", true, "~ç§@*+", "22"},  {160, "60-01-0001", false, "60010001", "60010001"},
      {420, "nota", false, "nota", "nota"}, {830, "C1", false, "C1", "C1"},
  };
  for (const auto& c : casi) {
    ui::Controllo& t = d.txt(c.campo);
    t.SetText(c.testo);
    t.SetBackColor(c.errore ? G().glColoreErrore : G().glColoreSfondo);
    Raggiungibile(d, c.campo);
    d.masValIngresso[static_cast<size_t>(c.campo)] = "prima";
    ASSERT_TRUE(ui::utente::Fuoco(t)) << c.campo;
    SCOPED_TRACE(c.campo);
    EXPECT_EQ(d.masValIngresso[static_cast<size_t>(c.campo)], c.ingresso);
    EXPECT_EQ(t.Text(), c.testoDopo);
    // The whole text selected, the focus colour unless in error.
    EXPECT_EQ(t.SelStart(), 0);
    EXPECT_EQ(t.SelLength(), static_cast<int>(t.Text().size()));
    EXPECT_EQ(t.BackColor(), c.errore ? G().glColoreErrore : G().glColBackGotFocus);
    ui::utente::Fuoco(d.dbgRiga());
  }
}

TEST_F(Fuoco, ThePriceAndTheNotesTellTheirKeys) {
  for (bool costo : {false, true}) {
    parPers_.clear();
    if (costo) ParPers("DDT", "MostraCostoUltimo", "S");
    frmDDTDett& d = Finestra();
    d.txt_GotFocus(60);
    EXPECT_EQ(d.TestoPannello(), std::string("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario") +
                                     (costo ? "; F4=Mostra costo ultimo" : ""));
    d.txt_GotFocus(440);
    EXPECT_EQ(d.TestoPannello(), "F7=Inserisce nella nota la descrizione lunga");
    d.txt_GotFocus(20);
    EXPECT_EQ(Traccia(), "DisCampiLiv(1)");
    Chiudi(d);
  }
}

TEST_F(Fuoco, EachCodedFieldOpensItsLookUp) {
  struct Caso {
    int campo, tasto;
    const char* finestra;  // nullptr: nothing opens
    const char* traccia;
  };
  const std::vector<Caso> casi = {
      {20, ui::vbKeyF2, "Articoli", "ApriAiuto(Articolo)"},
      {20, ui::vbKeyF4, "Articoli", "ApriAiuto(Articolo)"},
      {20, ui::vbKeyF6, nullptr, ""},
      {21, ui::vbKeyF3, "Livelli", "ApriAiuto(Livello)"},
      {22, ui::vbKeyF2, "Livelli", "ApriAiuto(Livello)"},
      {130, ui::vbKeyF2, "Codici IVA", "ApriAiuto(Iva)"},
      {130, ui::vbKeyF7, "Codici IVA", "ApriAiuto(Iva)"},
      {140, ui::vbKeyF2, "Unità di misura", "ApriAiuto(ArtUm)"},
      {160, ui::vbKeyF2, "Piano dei conti", "ApriAiuto(Conto)"},
      {165, ui::vbKeyF3, "Centri di costo", "ApriAiuto(CentroDiCosto)"},
      {830, ui::vbKeyF2, "Contratti", "ApriAiuto(Contratti)"},
      {130, ui::vbKeyF8, nullptr, ""},
      {30, ui::vbKeyF2, nullptr, ""},
  };
  // The level fields are there for an article with levels while levels are
  // managed: as the display of the article left them.
  G().gsGesTaglie = "S";
  frmDDTDett& d = Finestra();
  Articolo(d);
  d.txt(20).SetText(kArticoloTaglie);
  d.masValIngresso[20] = kArticoloTaglie;
  d.osLivGruppo1 = kGruppoTaglie;
  d.osLivGruppo2 = kGruppoColori;
  for (const auto& c : casi) {
    finestre_.clear();
    messaggi_.clear();
    if (c.finestra) Guarda();
    SCOPED_TRACE(std::to_string(c.campo) + " " + std::to_string(c.tasto));
    Tasto(d, c.campo, c.tasto);
    EXPECT_TRUE(backend_.ScriptFinito());
    backend_.AzzeraScript();
    if (c.finestra) {
      ASSERT_EQ(finestre_.size(), 1u);
      EXPECT_NE(finestre_[0].find(c.finestra), std::string::npos) << finestre_[0];
    } else {
      EXPECT_TRUE(finestre_.empty());
    }
    EXPECT_EQ(Traccia(), c.traccia);
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
  // Shifted keys belong to the article alone: three keys up, with the
  // addressee and its price list, never with pictures.
  G().gsImmaginiArt = "S";
  Guarda();
  Tasto(d, 20, ui::vbKeyF2, ui::vbShiftMask);
  EXPECT_EQ(Traccia(), "ApriAiuto(Articolo,116)");
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_EQ(G().gsImmaginiArt, "S");
  Tasto(d, 130, ui::vbKeyF2, ui::vbShiftMask);
  EXPECT_EQ(Traccia(), "");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Fuoco, TheArticleLookUpWritesTheCodeOrTheBarcodeAndIsKnownToBeUnderWay) {
  for (int16_t codBar : {0, 1}) {
    G().giKeyRicDdt = codBar;
    frmDDTDett& d = Finestra();
    d.txt(20).SetText("");
    Guarda(kArticoloViti);
    aiutoInCorso_ = false;
    Tasto(d, 20, ui::vbKeyF2);
    EXPECT_TRUE(backend_.ScriptFinito());
    EXPECT_EQ(d.txt(20).Text(), codBar ? kBarCodeViti : kArticoloViti);
    EXPECT_TRUE(aiutoInCorso_);
    EXPECT_FALSE(d.mbArtDaAiuto);
    // An article without a barcode keeps its code.
    Sql("Update Articoli Set BarCode = Null Where Articolo = 'CORSO01'");
    d.txt(20).SetText("");
    Guarda(kArticoloEsente);
    Tasto(d, 20, ui::vbKeyF2);
    EXPECT_EQ(d.txt(20).Text(), kArticoloEsente);
    // Left without a choice: the code stays.
    d.txt(20).SetText("X");
    Guarda();
    Tasto(d, 20, ui::vbKeyF3);
    EXPECT_EQ(d.txt(20).Text(), "X");
    EXPECT_FALSE(d.mbArtDaAiuto);
    Chiudi(d);
  }
  G().giKeyRicDdt = 0;
}

TEST_F(Fuoco, F3ChoosesAListPriceAtTheDocumentsRateLessTheZoneWithTheDocumentsVat) {
  const std::string lire = Valore(
      "Select PrezzoLire from ArtListini Where Articolo = 'VITE0410' And Listino = '01' And DataInizio = #2026-01-01#",
      "PrezzoLire");
  struct Caso {
    const char* moneta;
    const char* cambio;
    int16_t decimali;
    const char* ivato;
    const char* listino;
    const char* settore;
    double zona, zonaLire;
    double prezzoLista;  // 0: the demo's
    std::string atteso;
  };
  const std::vector<Caso> casi = {
      {kEuro, "", 4, "N", kListinoVendita, "", 0, 0, 0, "12,5"},
      // The VAT-inclusive list for a document without VAT, and back.
      {kEuro, "", 4, "N", kListinoIvato, "", 0, 0, 0, "12,5"},
      {kEuro, "", 4, "S", kListinoIvato, "", 0, 0, 0, "15,25"},
      {kEuro, "", 4, "S", kListinoVendita, "", 0, 0, 0, "15,25"},
      // A dollar document: the euro list at the document's rate, the dollar
      // list as it is.
      {kDollaro, "1,1573", 3, "N", kListinoVendita, "", 0, 0, 0, "="},
      {kDollaro, "1,1573", 3, "N", kListinoDollari, "", 0, 0, 0, "13,9"},
      // A lira document: the lira price and the zone in lire.
      {kLira, "", 0, "N", kListinoVendita, "", 5, 1000, 0, ""},
      // The zone's amount, never below zero unless the list price was.
      {kEuro, "", 4, "N", kListinoVendita, "", 1.5, 0, 0, "11"},
      {kEuro, "", 4, "N", kListinoVendita, "", 7, 0, 5, "0"},
      {kEuro, "", 4, "N", kListinoVendita, "", 2, 0, -5, "-7"},
      {kEuro, "", 4, "N", kListinoVendita, "n", 7, 0, 5, "5"},
  };
  for (const auto& c : casi) {
    if (c.prezzoLista != 0)
      Sql("Update ArtListini Set Prezzo = " + std::to_string(c.prezzoLista) +
          " Where Articolo = 'VITE0410' And Listino = '01'");
    ParDettaglio p = Euro();
    p.osMoneta = c.moneta;
    p.osCambio = c.cambio;
    p.oiNumDecMonGes = c.decimali;
    p.osPrzIvato = c.ivato;
    zona_.zona = c.zona;
    zona_.zonaLire = c.zonaLire;
    frmDDTDett& d = Finestra(p);
    Articolo(d);
    d.msSettore = c.settore;
    messaggi_.clear();
    Guarda(c.listino);
    Tasto(d, 60, ui::vbKeyF3);
    SCOPED_TRACE(std::string(c.moneta) + " " + c.ivato + " " + c.listino + " zona " + std::to_string(c.zona));
    EXPECT_TRUE(backend_.ScriptFinito());
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    std::string sconto, modo;
    // A foreign document takes the price the price search gives for that list.
    if (c.atteso == "=") {
      const vb::Variant cercato = UtilDocFattGest::RicPrezzo("", "3", "", 2026, kArticoloViti, c.listino, "N", "N",
                                                              "10/12/2026", c.moneta, c.decimali, 1, "PZ", 22, sconto,
                                                              modo, vb::Missing, vb::Missing, vb::Missing, c.cambio);
      EXPECT_NE(cercato.ToDouble(), 12.5);
      EXPECT_EQ(d.txt(60).Text(),
                vb::FunzioniComuni::Istanza().MascheraNum(cercato, c.decimali, {}, false, "#,##0"));
      Chiudi(d);
      continue;
    }
    const std::string atteso =
        c.atteso.empty() ? vb::FunzioniComuni::Istanza().MascheraNum(vb::Variant(vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(lire)) - c.zonaLire), 0, {}, false, "#,##0")
                         : c.atteso;
    EXPECT_EQ(d.txt(60).Text(), atteso);
    EXPECT_EQ(Traccia(), "ApriAiuto(ArtListino) CalcPrezzo(1)");
    Chiudi(d);
    if (c.prezzoLista != 0)
      Sql("Update ArtListini Set Prezzo = 12.5 Where Articolo = 'VITE0410' And Listino = '01'");
  }
  // The lists shown are the article's at the document's date.
  std::sort(codici_.begin(), codici_.end());
  EXPECT_EQ(codici_, (std::vector<std::string>{kListinoVendita, kListinoIvato, kListinoRivenditori, kListinoDollari}));
  // Left without a choice: the price stays.
  frmDDTDett& d = Finestra();
  Articolo(d);
  Guarda();
  Tasto(d, 60, ui::vbKeyF3);
  EXPECT_EQ(d.txt(60).Text(), "12,5");
  EXPECT_EQ(Traccia(), "ApriAiuto(ArtListino)");
}

TEST_F(Fuoco, F7TakesTheVatOutOrPutsItInEachTimeTheSameWay) {
  struct Caso {
    const char *ivato, *prezzo, *primo, *secondo;
  };
  const std::vector<Caso> casi = {{"N", "122", "100", "81,9672"}, {"S", "100", "122", "148,84"}};
  for (const auto& c : casi) {
    ParDettaglio p = Euro();
    p.osPrzIvato = c.ivato;
    frmDDTDett& d = Finestra(p);
    Articolo(d);
    d.txt(60).SetText(c.prezzo);
    Tasto(d, 60, ui::vbKeyF7);
    EXPECT_EQ(d.txt(60).Text(), c.primo) << c.ivato;
    EXPECT_EQ(Traccia(), "CalcPrezzo(1)");
    Tasto(d, 60, ui::vbKeyF7);
    EXPECT_EQ(d.txt(60).Text(), c.secondo) << c.ivato;
    Chiudi(d);
  }
}

TEST_F(Fuoco, F2ReadsThePriceOrTheDiscountsAgainAndF4ShowsTheLastCost) {
  ParPers("DDT", "MostraCostoUltimo", "S");
  frmDDTDett& d = Finestra();
  Articolo(d);
  Tasto(d, 60, ui::vbKeyF2);
  EXPECT_EQ(Traccia(), "AzzRicSconto CercaListino ElaboraSconti(1,1,1,0)");
  EXPECT_EQ(d.txt(70).Text(), "");
  Tasto(d, 80, ui::vbKeyF2);
  EXPECT_EQ(Traccia(), "AzzRicSconto ElaboraSconti(1,1,1,0)");
  Tasto(d, 80, ui::vbKeyF3);
  EXPECT_EQ(Traccia(), "");
  messaggi_.clear();
  Tasto(d, 60, ui::vbKeyF4);
  EXPECT_EQ(Traccia(), "MostraUltCosto");
  EXPECT_TRUE(MessaggioCon("Ultimo Costo"));
  d.txt(20).SetText("");
  Tasto(d, 60, ui::vbKeyF4);
  EXPECT_EQ(Traccia(), "");
  Chiudi(d);
  parPers_.clear();
  frmDDTDett& e = Finestra();
  Articolo(e);
  Tasto(e, 60, ui::vbKeyF4);
  EXPECT_EQ(Traccia(), "");
}

TEST_F(Fuoco, TheLookUpButtonsOfPriceAndDiscountReadAgainTheOthersOpenTheirLookUp) {
  frmDDTDett& d = Finestra();
  Articolo(d);
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(30)));
  traccia_.clear();
  ui::utente::Clicca(d.C("ComHlp", 60));
  EXPECT_EQ(d.ActiveControl(), &d.txt(60));
  EXPECT_EQ(Traccia(), "AzzRicSconto CercaListino ElaboraSconti(1,1,1,0)");
  EXPECT_EQ(d.TestoPannello(), "F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario");
  // The price read again is the entry value: leaving it only formats it.
  d.txt(60).SetText("13");
  d.txt_GotFocus(60);
  d.txt_LostFocus(60);
  EXPECT_EQ(Traccia(), "");
  ui::utente::Clicca(d.C("ComHlp", 80));
  EXPECT_EQ(Traccia(), "AzzRicSconto ElaboraSconti(1,1,1,0)");
  EXPECT_EQ(d.masValIngresso[80], d.txt(80).Text());
  // The VAT button opens the VAT look-up; the code chosen goes in.
  d.txt(130).SetText("");
  Guarda(kIva10);
  ui::utente::Clicca(d.C("ComHlp", 130));
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_EQ(d.txt(130).Text(), kIva10);
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Fuoco, F7PutsTheLongDescriptionIntoTheNote) {
  // The long description of the article typed on the line.
  Sql(std::string("Update Articoli Set DesLunga = 'Viti zincate' Where Articolo = '") + kArticoloViti + "'");
  frmDDTDett& d = Finestra();
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
  ui::utente::Digita(d.txt(20), kArticoloViti);
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(30)));
  EXPECT_EQ(d.mvDesLunga.ToString(), "Viti zincate");
  for (int n : {420, 440}) {
    d.txt(n).SetText("abc");
    // Right after the entry the whole note is selected and gives way.
    Tasto(d, n, ui::vbKeyF7);
    EXPECT_EQ(d.txt(n).Text(), "Viti zincate") << n;
    // With the caret inside, the description goes in there.
    d.txt(n).SetText("abc");
    d.txt(n).SetSelStart(1);
    d.txt(n).SetSelLength(0);
    ui::utente::Premi(d, ui::vbKeyF7);
    EXPECT_EQ(d.txt(n).Text(), "aViti zincatebc") << n;
  }
}

TEST_F(Fuoco, F2OnTheBatchSearchesThePairsOnlyWhenAsked) {
  for (bool ricerca : {false, true}) {
    ParDettaglio p = Euro();
    p.obRicPartLotti = ricerca;
    frmDDTDett& d = Finestra(p);
    Tasto(d, 220, ui::vbKeyF2);
    EXPECT_EQ(Traccia(), ricerca ? "CercaPartita" : "");
    // The list of pairs opened: closed again, the window comes back.
    if (d.mfrmLisPartLot && d.mfrmLisPartLot->Caricata()) d.mfrmLisPartLot->Unload();
    EXPECT_TRUE(d.Enabled());
    Tasto(d, 220, ui::vbKeyF3);
    EXPECT_EQ(Traccia(), "");
    Chiudi(d);
  }
}

TEST_F(Fuoco, TheRowCounterHandsTheFocusOn) {
  frmDDTDett& d = Finestra();
  ui::Controllo& riga = d.C("txtRiga");
  ASSERT_TRUE(riga.PuoFuoco());
  ui::utente::Fuoco(riga);
  EXPECT_NE(d.ActiveControl(), &riga);
  EXPECT_NE(d.ActiveControl(), nullptr);
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

// The shifted article look-up of a demo DDT: the customer and the price
// list of its header go with it.
TEST_F(Fuoco, TheShiftedArticleLookUpTakesTheHeadersCustomerAndList) {
  frmDDTDett& d = Righe(dati::demo::kDdtModificabile);
  d.mpTracciaCampi = &traccia_;
  ASSERT_FALSE(d.txt(670).Text().empty());
  d.txt(20).SetText("");
  messaggi_.clear();
  Guarda();
  Tasto(d, 20, ui::vbKeyF3, ui::vbShiftMask);
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_EQ(Traccia(), "ApriAiuto(Articolo,117)");
  ASSERT_EQ(finestre_.size(), 1u);
  EXPECT_FALSE(codici_.empty());
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

}  // namespace
}  // namespace prova

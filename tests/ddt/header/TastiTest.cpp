// The look-up keys of the header's fields and the buttons beside them, on
// the demo company: which key opens which look-up, with which extra key
// and filter, and the buttons that compute instead of looking up.
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/header/TestataProva.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "common/MembriForm.h"
#include "platform/ui/Headless.h"

namespace {

namespace demo = dati::demo;
namespace utente = ui::utente;

class Tasti : public prova::TestataProva {
 protected:
  // The demo DDT shown, the messages of its loading and display dropped.
  frmDdtTest& Mostra(long numRif) {
    frmDdtTest& f = TestataProva::Mostra(numRif);
    messaggi_.clear();
    return f;
  }

  // The next look-up window: the codes it lists, left with Esc (or the row
  // `scegli` chosen).
  void Guarda(std::vector<std::string>& codici, int scegli = -1) {
    backend_.Rispondi([&codici, scegli](ui::Form& w) {
      auto& a = static_cast<aiuti::FinestraAiuto&>(w);
      for (int r = 0; r < a.RigheMostrate(); ++r) codici.push_back(a.CodiceMostrato(r));
      if (scegli >= 0) {
        a.VaiARiga(scegli);
        a.Scegli();
      } else {
        a.Esci();
      }
    });
  }

  // A key pressed in the field, as the user presses it there.
  static void Tasto(frmDdtTest& f, int campo, int codice, int shift = 0) {
    ASSERT_TRUE(utente::Fuoco(f.txt(campo))) << campo;
    utente::Premi(f, codice, shift);
  }
};

TEST_F(Tasti, TheDocumentTypeLooksUpDeliveryNoteTypesOnly) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  std::vector<std::string> tipi;
  Guarda(tipi);
  Tasto(f, 40, ui::vbKeyF2);
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_EQ(tipi, (std::vector<std::string>{demo::kDocDdt, demo::kDocDdtFornitore, demo::kDocDdtInterno,
                                            demo::kDocDdtReso, demo::kDocDdtExport}));
}

TEST_F(Tasti, WhichKeysOpenALookUp) {
  struct Caso {
    int tasto, shift;
    bool apre;
  };
  const Caso casi[] = {
      {ui::vbKeyF2, 0, true},
      {ui::vbKeyF3, 0, true},
      {ui::vbKeyF4, 0, true},
      {ui::vbKeyF5, 0, true},
      {ui::vbKeyF2, ui::vbShiftMask, false},
      {ui::vbKeyF3, ui::vbCtrlMask, false},
      {ui::vbKeyF5, ui::vbAltMask, false},
      {ui::vbKeyF11, 0, true},
      {ui::vbKeyF11, ui::vbShiftMask, true},
      {ui::vbKeyF12, ui::vbCtrlMask, true},
      {ui::vbKeyF6, 0, false},
      {ui::vbKeyF1, 0, false},
      {ui::vbKeyReturn, 0, false},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.tasto) + "/" + std::to_string(c.shift));
    const int prima = backend_.ModaliMostrate();
    std::vector<std::string> codici;
    if (c.apre) Guarda(codici);
    Tasto(f, 270, c.tasto, c.shift);
    EXPECT_EQ(backend_.ModaliMostrate() - prima, c.apre ? 1 : 0);
    EXPECT_TRUE(backend_.ScriptFinito());
    backend_.AzzeraScript();
  }
}

TEST_F(Tasti, TheAccountLooksUpByTheAccountTypeOrByTheKey) {
  struct Caso {
    const char* tipo;
    int tasto;
    bool apre;
    const char* inizio;  // of every account listed
  };
  // "04" customers, "07" suppliers in the demo chart of accounts.
  const Caso casi[] = {{"", ui::vbKeyF2, true, "04"},  {"", ui::vbKeyF3, true, "04"},
                       {"", ui::vbKeyF4, true, "07"},  {"", ui::vbKeyF5, true, "07"},
                       {"", ui::vbKeyF11, false, ""},  {"", ui::vbKeyF12, false, ""},
                       {"3", ui::vbKeyF4, true, "04"}, {"2", ui::vbKeyF2, true, "07"}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string("tipo '") + c.tipo + "' " + std::to_string(c.tasto));
    f.txt(86).SetText(c.tipo);
    // An empty field: every account of the type is listed.
    f.txt(80).SetText("");
    const int prima = backend_.ModaliMostrate();
    std::vector<std::string> conti;
    if (c.apre) Guarda(conti);
    Tasto(f, 80, c.tasto);
    EXPECT_EQ(backend_.ModaliMostrate() - prima, c.apre ? 1 : 0);
    backend_.AzzeraScript();
    if (!c.apre) continue;
    ASSERT_FALSE(conti.empty());
    for (const std::string& conto : conti) EXPECT_EQ(conto.substr(0, 2), c.inizio) << conto;
  }
}

TEST_F(Tasti, APickedCodeArrivesInTheFieldAndIsDecodedOnExit) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.C("TasPagine").SetSelectedTab(2);
  std::vector<std::string> lingue;
  Guarda(lingue, 0);
  Tasto(f, 560, ui::vbKeyF2);
  ASSERT_FALSE(lingue.empty());
  EXPECT_EQ(f.txt(560).Text(), lingue[0]);
  f.lab(560).SetCaption("");
  ASSERT_TRUE(utente::Fuoco(f.txt(490)));
  EXPECT_FALSE(f.lab(560).Caption().empty());
  EXPECT_NE(f.lab(560).Caption(), aiuti::kInesistente);
}

TEST_F(Tasti, TheDeclarationKeyNeedsItsColumn) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.mbDicIntentiTest = false;
  const int prima = backend_.ModaliMostrate();
  int tasto = ui::vbKeyF2;
  f.txt_KeyUp(310, tasto, 0);
  EXPECT_EQ(backend_.ModaliMostrate(), prima);
}

TEST_F(Tasti, TheRateKeysReadTheRateAgainWithoutAWindow) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.C("TasPagine").SetSelectedTab(2);
  f.txt(400).SetText(demo::kDollaro);
  f.txt(410).SetEnabled(true);
  f.C("ComHlp", 410).SetEnabled(true);
  f.txt(410).SetText("");
  const int prima = backend_.ModaliMostrate();
  Tasto(f, 410, ui::vbKeyF2);
  EXPECT_EQ(backend_.ModaliMostrate(), prima);
  EXPECT_FALSE(f.txt(410).Text().empty());
  f.txt(410).SetText("");
  int tasto = ui::vbKeyF3;
  f.txt_KeyUp(410, tasto, 0);
  const std::string letto = f.txt(410).Text();
  EXPECT_FALSE(letto.empty());
  // The ".." beside it does the same.
  f.txt(410).SetText("");
  utente::Clicca(f.C("ComHlp", 410));
  EXPECT_EQ(backend_.ModaliMostrate(), prima);
  EXPECT_EQ(f.txt(410).Text(), letto);
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Tasti, AFieldButtonFocusesItsFieldAndActsAsF2) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  std::vector<std::string> tipi;
  Guarda(tipi);
  utente::Clicca(f.C("ComHlp", 40));
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_FALSE(tipi.empty());
  EXPECT_EQ(f.ActiveControl(), &f.txt(40));
  // By name, as the simulated key reaches it.
  std::vector<std::string> iva;
  Guarda(iva);
  membri::Chiama(f, "txt_KeyUp",
                 {vb::Variant(int16_t{270}), vb::Variant(int16_t{ui::vbKeyF2}), vb::Variant(int16_t{0})});
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_FALSE(iva.empty());
}

TEST_F(Tasti, EveryCodedFieldHasItsButton) {
  frmDdtTest& f = Testata();
  for (int n : {40, 80, 88, 200, 220, 250, 270, 290, 310, 400, 410, 480, 500, 530, 540, 550, 560, 800, 950, 1060,
                1090, 1120, 1150, 1180, 1210, 1400, 1610})
    EXPECT_TRUE(f.Esiste("ComHlp", n)) << n;
}

TEST_F(Tasti, ThePackagesButtonPutsTheFocusOnThePackages) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.C("TasPagine").SetSelectedTab(4);
  const int prima = backend_.ModaliMostrate();
  utente::Clicca(f.C("ComHlp", 1180));
  EXPECT_EQ(f.ActiveControl(), &f.txt(1180));
  EXPECT_EQ(backend_.ModaliMostrate(), prima);
  // The overdue payments' button opens no look-up.
  f.C("TasPagine").SetSelectedTab(5);
  utente::Clicca(f.C("ComHlp", 1610));
  EXPECT_EQ(backend_.ModaliMostrate(), prima);
}

}  // namespace

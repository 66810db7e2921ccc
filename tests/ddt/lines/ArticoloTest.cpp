// The article of a line, driven as the user types it on the demo DDT: the
// defaults an article code puts on a new line by the side of the document,
// the manual article, notes, deposits, levels and barcodes, and the display
// of a stored line, which leaves the line as it is.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"

namespace prova {
namespace {
using namespace dati::demo;

std::string Lit(const std::string& s) { return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(s), 8); }

class Articolo : public RigheProva {
 protected:
  void SetUp() override {
    RigheProva::SetUp();
    // The default accounts of the two sides.
    Param("CauCon.GruppoAcq", "70");
    Param("CauCon.MastroAcq", "02");
    Param("CauCon.ContoAcq", "0009");
    Param("CauCon.GruppoVen", "60");
    Param("CauCon.MastroVen", "02");
    Param("CauCon.ContoVen", "0009");
  }

  // An article of the test's own: the columns given as SQL literals.
  void NuovoArticolo(const std::string& codice, const std::map<std::string, std::string>& campi) {
    std::string colonne = "Articolo", valori = Lit(codice);
    for (const auto& [c, v] : campi) {
      colonne += ", " + c;
      valori += ", " + v;
    }
    Sql("Insert into Articoli (" + colonne + ") Values (" + valori + ")");
  }

  // The window on the editable DDT, with no header VAT code nor account.
  frmDDTDett& Finestra() {
    frmDDTDett& d = Righe(kDdtModificabile);
    d.osIvaTest.clear();
    d.osGruppoMer.clear();
    d.osMastroMer.clear();
    d.osContoMer.clear();
    return d;
  }
  static void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
  }
  // A new line, started from a line whose entry begins at the article.
  static void NuovaRiga(frmDDTDett& d) {
    auto& p = d.ogLinPag();
    if (p.Stato() == 2) {
      p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
      p.EseguiTasto("Annulla");
      p.ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
    }
    for (int r = 1; !d.lab(540).Caption().empty() && r < 9; ++r) Vai(d, r);
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
    ASSERT_EQ(d.txt(18).Text(), "A");
  }
  // The article code typed and the field left.
  static void Digita(frmDDTDett& d, const std::string& codice) {
    d.txt_GotFocus(20);
    d.txt(20).SetText(codice);
    d.txt_LostFocus(20);
  }
  // The texts of every field bound to the line.
  static std::vector<std::string> Campi(frmDDTDett& d) {
    std::vector<std::string> v;
    for (const auto& c : d.ogLinPag().Elenco()) v.push_back(c->osNome + "=" + c->ctrl->Text());
    return v;
  }
  // Closes the window, not keeping the line left on it.
  void Chiudi() {
    risposteBox_.push_back(vb::vbNo);
    frmDDTDett::Rilascia();
    risposteBox_.clear();
  }
  static bool Obblig(frmDDTDett& d, int n) { return d.ogLinPag().Campi(d.masNomeCampo[static_cast<size_t>(n)]).oiObblig != 0; }
  static bool Abil(frmDDTDett& d, const char* k) { return d.tolLinPag().Elem(k).Enabled; }
};

TEST_F(Articolo, TheSideOfTheDocumentChoosesVatAccountUnitAndFactor) {
  // Sales, members' and purchase columns all different.
  const std::map<std::string, std::string> base = {
      {"Descrizione", Lit("Articolo di prova")}, {"ArtUM", Lit("PZ")},  {"ArtUMAcq", Lit("CT")},
      {"ArtUMVen", Lit("PZ")},     {"FatConAcq", "12"},       {"FatConVen", "1"},
      {"IvaVendite", Lit("22")},   {"IvaAcquisti", Lit("10")}, {"ArtGruppo", Lit("PROVA")}};
  auto conti = [&](bool ven, bool soci, bool acq) {
    auto m = base;
    if (ven) m.insert({{"GruppoMerVen", Lit("60")}, {"MastroMerVen", Lit("01")}, {"ContoMerVen", Lit("0001")}});
    if (soci)
      m.insert({{"GruppoMerVenSoci", Lit("60")}, {"MastroMerVenSoci", Lit("01")}, {"ContoMerVenSoci", Lit("0002")}});
    if (acq) m.insert({{"GruppoMerAcq", Lit("70")}, {"MastroMerAcq", Lit("01")}, {"ContoMerAcq", Lit("0001")}});
    return m;
  };
  NuovoArticolo("LATO", conti(true, true, true));
  NuovoArticolo("LATOS", conti(true, false, true));
  NuovoArticolo("LATOV", conti(false, false, false));
  struct Caso {
    const char* tipo;
    bool soci;
    const char* articolo;
    const char* iva;
    const char* conto;
    const char* um;
    const char* fatCon;
  };
  const std::vector<Caso> casi = {
      {"1", false, "LATO", "22", "60-01-0001", "CT", "12"},  {"2", false, "LATO", "10", "70-01-0001", "CT", "12"},
      {"3", false, "LATO", "22", "60-01-0001", "PZ", "1"},   {"3", true, "LATO", "22", "60-01-0002", "PZ", "1"},
      {"1", true, "LATO", "22", "60-01-0002", "CT", "12"},   {"2", true, "LATO", "10", "70-01-0001", "CT", "12"},
      {"3", true, "LATOS", "22", "60-01-0001", "PZ", "1"},   {"3", true, "LATOV", "22", "60-02-0009", "PZ", "1"},
      {"2", false, "LATOV", "10", "70-02-0009", "CT", "12"}, {"1", false, "LATOV", "22", "60-02-0009", "CT", "12"},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.tipo) + (c.soci ? " soci " : " ") + c.articolo);
    NuovaRiga(d);
    d.osIntTipo = c.tipo;
    d.osConaseSocio = c.soci ? "S" : "N";
    d.msRicavoSoci = "S";
    Digita(d, c.articolo);
    EXPECT_EQ(d.txt(18).Text(), "A");
    EXPECT_EQ(d.txt(130).Text(), c.iva);
    EXPECT_EQ(d.osIva, c.iva);
    EXPECT_EQ(d.txt(160).Text(), c.conto);
    EXPECT_EQ(d.txt(140).Text(), c.um);
    EXPECT_EQ(d.txt(150).Text(), c.fatCon);
    EXPECT_EQ(d.txt(20).BackColor(), G().glColoreSfondo);
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
}

TEST_F(Articolo, HeaderVatAndAccountWinAndTheZoneParameterWinsOverBoth) {
  frmDDTDett& d = Finestra();
  d.osIntTipo = "3";
  d.osIvaTest = "4";
  d.osGruppoMer = "60";
  d.osMastroMer = "01";
  d.osContoMer = "0002";
  NuovaRiga(d);
  Digita(d, kArticoloViti);
  EXPECT_EQ(d.txt(130).Text(), "4");
  EXPECT_EQ(d.osIva, "4");
  EXPECT_EQ(d.txt(160).Text(), "60-01-0002");
  // The customer's zone is the members' zone: the parameter of the
  // article's group decides, as written.
  d.msZonaCliSoci = "Z1";
  d.osZonaCli = "z1";
  ParPers("KervoDF", "FERR", "65-01-0009");
  NuovaRiga(d);
  Digita(d, kArticoloViti);
  EXPECT_EQ(d.txt(160).Text(), "65-01-0009");
  // Another zone, or no parameter for the group: the header's account.
  d.osZonaCli = "Z2";
  NuovaRiga(d);
  Digita(d, kArticoloViti);
  EXPECT_EQ(d.txt(160).Text(), "60-01-0002");
}

TEST_F(Articolo, ClearingTheArticleMakesAManualLine) {
  struct Caso {
    const char* ivaTest;
    const char* gruppoMer;
    const char* tipo;
    const char* iva;
    const char* conto;
  };
  const std::vector<Caso> casi = {
      {"4", "60", "3", "4", "60-01-0002"},
      {"", "", "3", "22", "60-02-0009"},
      {"", "", "2", "22", "70-02-0009"},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.ivaTest) + "/" + c.gruppoMer + "/" + c.tipo);
    NuovaRiga(d);
    d.osIntTipo = c.tipo;
    d.osIvaTest = c.ivaTest;
    d.osGruppoMer = c.gruppoMer;
    d.osMastroMer = *c.gruppoMer ? "01" : "";
    d.osContoMer = *c.gruppoMer ? "0002" : "";
    d.osScontoClie = "10+5";
    Digita(d, kArticoloViti);
    d.txt(30).SetText("3");
    for (int n : {60, 70, 800, 810, 820}) d.txt(n).SetText("7");
    for (int n : {90, 110, 120}) d.txt(n).SetText("2");
    d.che(175).SetValue(1);
    d.txt(175).SetText("S");
    d.txt(130).SetText("22");
    d.txt(140).SetText("KG");
    d.txt(23).SetText("Bulloni sfusi");
    Digita(d, "");
    EXPECT_EQ(d.txt(18).Text(), "M");
    EXPECT_EQ(d.txt(175).Text(), "N");
    EXPECT_EQ(d.che(175).Value(), 0);
    EXPECT_EQ(d.txt(150).Text(), "1");
    for (const std::string* um : {&d.msArtUM, &d.msArtUMAcq, &d.msArtUMVen}) EXPECT_EQ(*um, "KG");
    EXPECT_EQ(d.txt(130).Text(), c.iva);
    EXPECT_EQ(d.txt(160).Text(), c.conto);
    EXPECT_EQ(d.txt(100).Text(), "10+5");
    for (int n : {90, 110, 120, 60, 70, 800, 810, 820, 250, 260, 270}) EXPECT_EQ(d.txt(n).Text(), "") << n;
    EXPECT_EQ(d.txt(30).Text(), "3");
    EXPECT_EQ(d.txt(26).Text(), "Bulloni sfusi");
    EXPECT_TRUE(d.label1(26).Visible());
    EXPECT_FALSE(d.label1(23).Visible());
    EXPECT_FALSE(Obblig(d, 140));
    EXPECT_FALSE(Obblig(d, 150));
    // A manual line always stores the description typed.
    EXPECT_TRUE(d.ArtDescrToApp());
  }
}

TEST_F(Articolo, AStoredLineShownKeepsItsFieldsAndReloadsTheArticle) {
  frmDDTDett& d = Finestra();
  auto& p = d.ogLinPag();
  // The line of the biscuits, with a description of its own.
  Sql("Update DdtDettApp Set Descrizione = 'Biscotti sfusi' Where Anno = 2026 And NumRif = 3 And RigLiv = " +
      std::to_string(kRigLivBiscotti));
  p.Riposiziona();
  for (int riga = 1; riga < 9; ++riga) {
    Vai(d, riga);
    if (d.txt(20).Text() == kArticoloPromo) break;
  }
  ASSERT_EQ(d.txt(20).Text(), kArticoloPromo);
  EXPECT_EQ(d.txt(26).Text(), "Biscotti sfusi");
  EXPECT_TRUE(d.label1(23).Visible());
  EXPECT_EQ(d.miRigaArtMostrata, vb::FunzioniComuni::Istanza().ValInt(vb::Variant(d.txt(10).Text())));
  // The article master changes meanwhile: the stored line does not.
  Sql("Update Articoli Set IvaVendite = '4', ArtUMVen = 'CT', FatConVen = 6, GruppoMerVen = '61', "
      "DesLunga = 'Nuova descrizione', Provvigione = 9, Lunghezza = 5, Cauzione = 'S' Where Articolo = " +
      Lit(kArticoloPromo));
  d.osEstrProv = "A";
  d.osDoveStampoDesLung = "3";
  const auto prima = Campi(d);
  d.MostraArticolo(false, false, false, true);
  EXPECT_EQ(Campi(d), prima);
  EXPECT_EQ(p.VarDati(-1).ToString(), "");
  // What the other line procedures read comes from the master now.
  EXPECT_EQ(d.msArtUMVen, "CT");
  EXPECT_EQ(d.msFatConVen, "6");
  EXPECT_EQ(d.osIva, "4");
  EXPECT_EQ(d.msPercProvvArt1, "9");
  EXPECT_EQ(d.msCauzioneArt, "S");
  EXPECT_EQ(d.mvDesLunga.ToString(), "Nuova descrizione");
  EXPECT_EQ(d.msDescrArt, "Biscotti al burro 500 g");
  EXPECT_EQ(d.txt(26).Text(), "Biscotti sfusi");
  EXPECT_EQ(d.miArtMostrato, 1);
}

TEST_F(Articolo, ABarcodeWithItsLevelsFillsTheArticleAndBothLevels) {
  G().gsGesTaglie = "S";
  G().giKeyRicDdt = 1;
  frmDDTDett& d = Finestra();
  d.oiCodBarLunArt = kCodBarLunArt;
  NuovaRiga(d);
  Digita(d, kLetturaMagliaMBlu);
  EXPECT_EQ(d.txt(20).Text(), kArticoloTaglie);
  EXPECT_EQ(d.txt(20).BackColor(), G().glColoreSfondo);
  EXPECT_EQ(d.txt(26).Text(), "Maglia girocollo in lana merino");
  EXPECT_EQ(d.txt(21).Text(), kTagliaM);
  EXPECT_EQ(d.lab(21).Caption(), "Medium");
  EXPECT_EQ(d.txt(22).Text(), kColoreBlu);
  EXPECT_EQ(d.lab(22).Caption(), "Blu notte");
  EXPECT_EQ(d.txt(18).Text(), "A");
  EXPECT_EQ(d.txt(130).Text(), kIva22);
  EXPECT_EQ(d.osLivGruppo1, kGruppoTaglie);
  // Both levels known, the line is priced at once: the list price with the
  // list's own discount mode, the default quantity (1 without a setting)
  // and the amount.
  EXPECT_EQ(d.osArtLisModSconto, Valore("Select ScoSomSost from Listini Where Listino = '" + d.osListino + "'",
                                        "ScoSomSost"));
  EXPECT_EQ(d.txt(60).Text(), "35,000");
  EXPECT_EQ(d.txt(30).Text(), "1");
  // the demo customer's discount of 2 applies
  EXPECT_EQ(d.txt(70).Text(), "34,30");
  // Quantities and prices may also come from the level rows.
  EXPECT_FALSE(Obblig(d, 30));
  EXPECT_TRUE(Abil(d, "Livelli"));
  // The plain barcode of an article without levels names it too.
  NuovaRiga(d);
  Digita(d, kBarCodeViti);
  EXPECT_EQ(d.txt(20).Text(), kArticoloViti);
  EXPECT_EQ(d.txt(26).Text(), "Viti inox M4x10 (confezione da 100 pz)");
  EXPECT_TRUE(Obblig(d, 30));
  EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
}

TEST_F(Articolo, ACodeThatIsNoArticleLeavesTheLineAlone) {
  // Searching by code, a barcode is no article; searching by barcode, an
  // unknown code is neither.
  for (int16_t modo : {0, 1}) {
    G().giKeyRicDdt = modo;
    G().gsGesTaglie = "S";
    frmDDTDett& d = Finestra();
    NuovaRiga(d);
    d.txt(130).SetText("10");
    d.txt(100).SetText("3");
    const auto prima = Campi(d);
    Digita(d, modo == 0 ? kBarCodeViti : "NONESISTE");
    EXPECT_EQ(d.txt(20).BackColor(), G().glColoreErrore) << modo;
    EXPECT_EQ(d.txt(26).Text(), "** INESISTENTE **") << modo;
    auto dopo = Campi(d);
    for (auto& c : dopo)
      if (c.rfind("Articolo=", 0) == 0) c = "Articolo=";
    EXPECT_EQ(dopo, prima) << modo;
    Chiudi();
  }
}

TEST_F(Articolo, LinesOfOtherKindsAreNotTouched) {
  frmDDTDett& d = Finestra();
  NuovaRiga(d);
  for (const char* tipo : {"D", "C"}) {
    d.txt(18).SetText(tipo);
    d.txt(20).SetText(kArticoloViti);
    d.miArtMostrato = -1;
    const auto prima = Campi(d);
    d.MostraArticolo(true, false, false, true);
    EXPECT_EQ(Campi(d), prima) << tipo;
    EXPECT_EQ(d.miArtMostrato, 1);
  }
}

TEST_F(Articolo, TheLongDescriptionGoesIntoTheNoteTheDocumentTypeNames) {
  Sql("Update Articoli Set DesLunga = 'Viti in acciaio inox' Where Articolo = " + Lit(kArticoloViti));
  struct Caso {
    const char* lingua;
    const char* dove;
    const char* sopra;
    const char* sopraStampa;
    const char* sotto;
    const char* sottoStampa;
  };
  const std::vector<Caso> casi = {
      {"", "3", "Viti in acciaio inox", "S", "", "N"},
      {kLinguaInglese, "4", "Nota di prima", "N", "Stainless steel screws M4x10 (pack of 100)", "S"},
      {"FR", "3", "Viti in acciaio inox", "S", "", "N"},
      {kLinguaInglese, "0", "Nota di prima", "N", "", "N"},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.lingua) + "/" + c.dove);
    NuovaRiga(d);
    d.osLingua = c.lingua;
    d.osDoveStampoDesLung = c.dove;
    d.txt(420).SetText("Nota di prima");
    d.txt(440).SetText("Nota sotto di prima");
    Digita(d, kArticoloViti);
    EXPECT_EQ(d.txt(420).Text(), c.sopra);
    EXPECT_EQ(d.txt(410).Text(), c.sopraStampa);
    EXPECT_EQ(d.txt(440).Text(), c.sotto);
    EXPECT_EQ(d.txt(430).Text(), c.sottoStampa);
    if (std::string(c.dove) == "3") {
      EXPECT_EQ(d.cob(410).Text(), "Anche sul doc. di Evasione");
    } else if (std::string(c.dove) == "4") {
      EXPECT_EQ(d.cob(430).Text(), "Anche sul doc. di Evasione");
    }
  }
}

TEST_F(Articolo, DepositArticlesAreNotSubjectToThePaymentDiscount) {
  struct Caso {
    const char* noCalc;
    const char* noSconti;
    const char* articolo;
    const char* sogg;
  };
  const std::vector<Caso> casi = {
      {"S", "", kArticoloCassa, "N"}, {"", "S", kArticoloCassa, "N"}, {"S", "", kArticoloViti, "S"},
      {"", "", kArticoloCassa, "X"},  {"", "", kArticoloViti, "X"},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.noCalc) + c.noSconti + c.articolo);
    NuovaRiga(d);
    d.osCauzAttNoCalc = c.noCalc;
    d.osCauzAttNoSconti = c.noSconti;
    d.txt(75).SetText("X");
    Digita(d, c.articolo);
    EXPECT_EQ(d.txt(75).Text(), c.sogg);
    if (std::string(c.sogg) != "X") {
      EXPECT_EQ(d.che(75).Value(), std::string(c.sogg) == "S" ? 1 : 0);
    }
  }
}

TEST_F(Articolo, BatchDescriptionsPiecesPerPackAndCommissions) {
  Sql("Insert into ArtClassiAttr (ArtClasseAttr, Descrizione) Values ('INOX', 'Acciaio inox')");
  NuovoArticolo("VITE10", {{"Descrizione", Lit("Vite")},
                           {"ArtUMVen", Lit("PZ")},
                           {"FatConVen", "1"},
                           {"IvaVendite", Lit("22")},
                           {"ArtClasseAttr1", Lit("INOX")},
                           {"ArtClasseAttr2", Lit("A2-70")},
                           {"ArtClasseAttr4", Lit("M10X")},
                           {"TempoConsegna", Lit("5 giorni")},
                           {"PezziPerConf", "12"},
                           {"Provvigione", "5"}});
  G().gsPartitaEnse = "S";
  frmDDTDett& d = Finestra();
  d.oiRidPercAgenti = -1;  // commissions not reduced by the discounts
  d.odPercProvv1 = 3;
  d.odPercProvv2 = 2;
  struct Caso {
    const char* estr1;
    const char* estr2;
    double div;
    const char* provv1;
    const char* provv2;
    const char* pezzi;
  };
  const std::vector<Caso> casi = {{"A", "N", 1, "5", "", "12"}, {"N", "X", 4, "", "2", "3"}, {"X", "A", 5, "3", "5", "2,4"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.estr1) + c.estr2);
    NuovaRiga(d);
    d.osEstrProv = c.estr1;
    d.osEstrProv2 = c.estr2;
    d.mdDivPezziConf = c.div;
    Digita(d, "VITE10");
    EXPECT_EQ(d.txt(26).Text(), "Vite-Accia-M10");
    EXPECT_EQ(d.msDescrArt, "Vite-Accia-M10");
    EXPECT_EQ(d.txt(220).Text(), "5 giorni");
    EXPECT_EQ(d.txt(230).Text(), "A2-70");
    EXPECT_EQ(d.txt(180).Text(), c.provv1);
    EXPECT_EQ(d.txt(190).Text(), c.provv2);
    EXPECT_EQ(d.msPercProvvArt1, c.provv1);
    EXPECT_EQ(d.msPercProvvArt2, c.provv2);
    EXPECT_EQ(d.lab(50).Caption(), c.pezzi);
  }
  // No divisor: the pieces as they are.
  NuovaRiga(d);
  d.mdDivPezziConf = 0;
  Digita(d, "VITE10");
  EXPECT_EQ(d.lab(50).Caption(), "12");
}

TEST_F(Articolo, EcoFeeArticleAndLotTracingFollowTheDocument) {
  NuovoArticolo("FRIGO", {{"Descrizione", Lit("Frigorifero")},
                          {"ArtUMVen", Lit("PZ")},
                          {"FatConVen", "1"},
                          {"IvaVendite", Lit("22")},
                          {"ArtRAEE", Lit("RAEE1")},
                          {"GestRintraccia", Lit("O")}});
  struct Caso {
    bool noRaee;
    const char* tipOpe;
    const char* raee;
    const char* rintraccia;
  };
  const std::vector<Caso> casi = {{false, "S", "RAEE1", "O"}, {true, "S", "", "O"}, {false, "", "RAEE1", "N"}};
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.noRaee ? "no raee " : "raee ") + c.tipOpe);
    NuovaRiga(d);
    d.obNoRaeeAutom = c.noRaee;
    d.osLottoTipOpe = c.tipOpe;
    Digita(d, "FRIGO");
    EXPECT_EQ(d.msArtRaee, c.raee);
    EXPECT_EQ(d.label1(24).Visible(), *c.raee != '\0');
    EXPECT_EQ(d.msGestRintraccia, c.rintraccia);
  }
  // A manual line has neither.
  Digita(d, "");
  EXPECT_EQ(d.msArtRaee, "");
  EXPECT_FALSE(d.label1(24).Visible());
  EXPECT_EQ(d.msGestRintraccia, "");
}

TEST_F(Articolo, LevelArticlesLeaveQuantitiesToTheLevelRows) {
  for (const char* gesTaglie : {"S", ""}) {
    SCOPED_TRACE(gesTaglie);
    G().gsGesTaglie = gesTaglie;
    frmDDTDett& d = Finestra();
    NuovaRiga(d);
    for (int n : {30, 40, 60, 70}) d.txt(n).SetText("4");
    Digita(d, kArticoloTaglie);
    // Managed levels empty them all; otherwise the price is searched
    // afresh (the list's 35 for the article without levels), the amount
    // following it.
    for (int n : {30, 40}) EXPECT_EQ(d.txt(n).Text(), *gesTaglie ? "" : "4") << n;
    EXPECT_EQ(d.txt(60).Text(), *gesTaglie ? "" : "35,000");
    EXPECT_EQ(d.txt(70).Text(), *gesTaglie ? "" : "137,20");  // less the customer's 2
    EXPECT_FALSE(Obblig(d, 30));
    EXPECT_TRUE(Abil(d, "Livelli"));
    EXPECT_EQ(d.osArtLisModSconto == "L", *gesTaglie != '\0');
    Chiudi();
  }
}

TEST_F(Articolo, TheDescriptionIsStoredOnlyWhenItDiffersFromTheArticles) {
  frmDDTDett& d = Finestra();
  NuovaRiga(d);
  Digita(d, kArticoloViti);
  struct Caso {
    const char* descr;
    bool salva;
  };
  for (const Caso& c : {Caso{"Viti inox M4x10 (confezione da 100 pz)", false},
                        Caso{"VITI INOX M4X10 (CONFEZIONE DA 100 PZ)", false}, Caso{"Viti inox M4x12", true}}) {
    d.txt(26).SetText(c.descr);
    EXPECT_EQ(d.ArtDescrToApp(), c.salva) << c.descr;
  }
}

}  // namespace
}  // namespace prova

// The load of the line window: settings, header panel, toolbar, level
// panel, and the state of each opening.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/AperturaDiretta.h"
#include "platform/FunzioniComuni.h"

namespace prova {
namespace {
using namespace dati::demo;

class CaricaRighe : public AperturaDiretta {};

TEST_F(CaricaRighe, TheLinesOfTheDemoDdtFillTheHeaderPanelAndTheFiscalYear) {
  Param("Mag.AnnoCorr", "2025");
  Param("Mag.DataInizio", "01/01/2025");
  Param("Mag.DataFine", "31/12/2025");
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_EQ(d.txt(600).Text(), "2026");
  EXPECT_EQ(d.txt(610).Text(), "3");
  EXPECT_EQ(d.txt(620).Text(), d.osDataRif);
  EXPECT_EQ(d.txt(670).Text(), d.osIntest);
  EXPECT_EQ(d.lab(670).Caption(), d.osIntRagSoc);
  EXPECT_EQ(d.txt(710).Text(), d.osMoneta);
  // A date in the year after the warehouse year.
  EXPECT_EQ(d.miAnnoMag, 2026);
  EXPECT_EQ(d.HelpContextID(), 31010);
  EXPECT_EQ(d.C("PicDati", 1).HelpContextID(), 31012);
  EXPECT_EQ(d.C("PicDati", 7).HelpContextID(), 31016);
  EXPECT_EQ(d.msSqlRighe.empty(), false);
  EXPECT_NE(d.Caption().find("Dettagli DDT"), std::string::npos);
}

TEST_F(CaricaRighe, NotaLinguaDoveGivesThePrintModeAndThePlaceOfTheNote) {
  struct Caso {
    const char* valore;
    const char* stampa;
    bool sotto;
  };
  const std::vector<Caso> casi = {
      {"", "", true}, {"A", "A", true}, {"AS", "A", false}, {"S", "S", true}, {"as", "a", false}, {"AX", "A", true},
  };
  for (const auto& c : casi) {
    ParPers("Vendite", "NotaLinguaDove", c.valore);
    frmDDTDett& d = Apri(Base());
    EXPECT_EQ(d.msNotaLinguaStampa, c.stampa) << c.valore;
    EXPECT_EQ(d.mbNotaLinguaSotto, c.sotto) << c.valore;
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, QuantityFromDimensionsReadsItsSettingsAndShowsItsFields) {
  struct Caso {
    const char* dimen;
    const char* rapp;  // nullptr: not set
    double atteso;
    bool attivo;
  };
  const std::vector<Caso> casi = {
      {"S", "0", 1000, true}, {"s", "250", 250, true}, {"S", nullptr, 1000, true}, {"N", "250", 1000, false},
  };
  for (const auto& c : casi) {
    parPers_.clear();
    ParPers("Vendite", "QtaDaDimen", c.dimen);
    if (c.rapp) ParPers("Vendite", "QtaDimenRapp", c.rapp);
    ParPers("Vendite", "QtaDaDimUML", "ML");
    ParPers("Vendite", "NotaDimensioni", "L x H");
    ParPers("Vendite", "NotaDimensioniUMQ", "mq");
    frmDDTDett& d = Apri(Base());
    SCOPED_TRACE(std::string(c.dimen) + "/" + (c.rapp ? c.rapp : "-"));
    EXPECT_EQ(d.mbQtaDaDimen, c.attivo);
    EXPECT_DOUBLE_EQ(d.mdQtaDimenRapp, c.atteso);
    EXPECT_EQ(d.msQtaDaDimUML, c.attivo ? ";ML;" : "");
    EXPECT_EQ(d.msNotaDimensioniUML, c.attivo ? "L x H" : "");
    EXPECT_EQ(d.msNotaDimensioniUMQ, c.attivo ? "mq" : "");
    for (int n : {250, 260, 270}) {
      EXPECT_EQ(d.txt(n).Visible(), c.attivo) << n;
      EXPECT_EQ(d.label1(n).Visible(), c.attivo) << n;
    }
    EXPECT_EQ(d.label1(40).Caption(), c.attivo ? "Nr.Pezzi" : "Colli:");
    // The dimensions are bound on the first page or on the fourth.
    EXPECT_EQ(d.masNomeCampo[250], c.attivo ? "Lunghezza" : "");
    EXPECT_EQ(d.masNomeCampo[800], c.attivo ? "" : "Lunghezza");
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, TheSecondCurrencyCaptionFollowsTheDocumentAndTheCompanyCurrency) {
  struct Caso {
    const char* moneta;
    const char* ditta;
    const char* atteso;
  };
  const std::vector<Caso> casi = {
      {"Euro", "Euro", "Totale in Lire:"}, {"euro", "Euro", "Totale in Lire:"},
      {"L.", "Euro", "Totale in Euro:"},   {"l.", "L.", "Totale in Euro:"},
      {"USD", "Euro", "Totale in Euro:"},  {"USD", "L.", "Totale in Lire:"},
      {"Euro", "L.", "Totale in Lire:"},   {"USD", "EURO", "Totale in Euro:"},
  };
  for (const auto& c : casi) {
    G().gsCodLira = "L.";
    G().gsCodEuro = "Euro";
    G().gsMonetaDitta = c.ditta;
    ParDettaglio p = Base();
    p.osMoneta = c.moneta;
    frmDDTDett& d = Apri(p);
    EXPECT_EQ(d.label1(275).Caption(), c.atteso) << c.moneta << " / " << c.ditta;
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, EsciNoSalvaOnlyWhenTheHeaderNeedsNoSaveAndNoDuplication) {
  struct Caso {
    int16_t aggTest, gestDupl;
    bool disponibile;
  };
  const std::vector<Caso> casi = {{0, 0, true}, {1, 0, true}, {2, 0, false}, {0, 1, false}, {1, -1, false}};
  for (const auto& c : casi) {
    ParDettaglio p = Base();
    p.oiAggTest = c.aggTest;
    p.oiGestDupl = c.gestDupl;
    frmDDTDett& d = Apri(p);
    const ui::Elemento& e = d.tolLinPag().Elem("EsciNoSalva");
    EXPECT_EQ(e.Visible, c.disponibile) << c.aggTest << "/" << c.gestDupl;
    EXPECT_EQ(e.Enabled, c.disponibile) << c.aggTest << "/" << c.gestDupl;
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, APrintedDdtHidesThePasteCommandsAndTheSerialImport) {
  for (const char* stato : {"", "S", "E"}) {
    ParDettaglio p = Base();
    p.osStato = stato;
    p.obMatrGest = true;
    p.osLottoTipOpe = "S";
    ParPers("DDT", "LettMatrDafile", "S");
    frmDDTDett& d = Apri(p);
    const bool stampato = *stato != '\0';
    auto& tb = d.tolLinPag();
    for (const char* k : {"Copia", "Taglia", "Incolla", "Inserisci"}) EXPECT_EQ(tb.Elem(k).Visible, !stampato) << k;
    EXPECT_FALSE(tb.Elem("LettMatr").Visible);
    EXPECT_TRUE(tb.Elem("MatrGest").Visible);
    EXPECT_TRUE(tb.Elem("Tracc").Visible);
    // Nothing flagged yet: no paste.
    EXPECT_FALSE(tb.Elem("Incolla").Enabled);
    EXPECT_EQ(d.label1(28).Visible(), stampato);
    if (stampato) {
      EXPECT_EQ(d.label1(28).Caption(), "Modif.solo righe descr.");
    }
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, AMarginSchemeDocumentDeclaresTheUsedGoodsField) {
  for (const char* regime : {"", "N", "S", "s"}) {
    ParDettaglio p = Base();
    p.osRegimeMargine = regime;
    frmDDTDett& d = Apri(p);
    const bool margine = vb::UgualeTesto(regime, "S");
    EXPECT_EQ(d.ogLinPag().Elenco().size(), margine ? 54u : 53u) << regime;
    EXPECT_EQ(d.masNomeCampo[195], margine ? "BeneUsato" : "") << regime;
    EXPECT_EQ(d.C("PicBeneUsato").Visible(), margine) << regime;
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, PersonalDescriptionsShowOnlyWhenTheTerminalNamesThem) {
  G().gsDescPersDet1 = "Colore";
  G().gsDescPersDet3 = "Taglia";
  G().gsDescPersDet4 = "Finitura";
  frmDDTDett& d = Apri(Base());
  const std::vector<std::pair<int, const char*>> attesi = {{220, "Colore"}, {230, ""}, {265, "Taglia"}, {267, "Finitura"}};
  for (const auto& [n, testo] : attesi) {
    const bool vis = *testo != '\0';
    EXPECT_EQ(d.txt(n).Visible(), vis) << n;
    EXPECT_EQ(d.label1(n).Visible(), vis) << n;
    EXPECT_EQ(d.label1(n).Caption(), testo) << n;
  }
  Chiudi(d);
  // The next opening on a terminal that names none shows none.
  G().gsDescPersDet1 = G().gsDescPersDet3 = G().gsDescPersDet4 = "";
  frmDDTDett& e = Apri(Base());
  for (int n : {220, 230, 265, 267}) EXPECT_FALSE(e.txt(n).Visible()) << n;
}

TEST_F(CaricaRighe, ATerminalBarredFromPricesSeesNoPriceButKeepsTheFieldsDeclared) {
  G().gbDisabTermVisPrz = true;
  frmDDTDett& d = Apri(Base());
  for (int n : {60, 70, 80, 90, 100, 110, 120}) {
    EXPECT_FALSE(d.txt(n).Visible()) << n;
    EXPECT_FALSE(d.label1(n).Visible()) << n;
    EXPECT_TRUE(d.ogLinPag().HaCampo(d.masNomeCampo[static_cast<size_t>(n)])) << n;
  }
  EXPECT_FALSE(d.C("ComHlp", 60).Visible());
  EXPECT_FALSE(d.C("ComHlp", 80).Visible());
  EXPECT_FALSE(d.lab(80).Visible());
  EXPECT_FALSE(d.che(75).Visible());
  EXPECT_FALSE(d.C("picTotPrz").Visible());
  EXPECT_EQ(d.ogLinPag().Elenco().size(), 53u);
  Chiudi(d);
  G().gbDisabTermVisPrz = false;
  frmDDTDett& e = Apri(Base());
  for (int n : {60, 70, 80, 90, 100, 110, 120}) EXPECT_TRUE(e.txt(n).Visible()) << n;
  EXPECT_TRUE(e.C("picTotPrz").Visible());
}

TEST_F(CaricaRighe, ANewLineStartsFromTheHeadersDefaults) {
  G().gsQtaDef = "1";
  ParDettaglio p = Base();
  p.osScontoClie = "10+5";
  p.osContratto = "C01";
  p.osDoveStampoDesLung = "2";
  p.osGruppoMer = "04";
  p.osMastroMer = "01";
  p.osContoMer = "0001";
  frmDDTDett& d = Apri(p);
  const std::string conto = vb::FunzioniComuni::Istanza().Formatta(vb::Variant("04010001"), "Conto");
  ASSERT_EQ(d.ogLinPag().EseguiTasto("Nuovo"), "");
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  const std::vector<std::pair<int, std::string>> attesi = {
      {18, "A"},  {75, "S"},    {170, "N"},   {175, "N"},  {410, "N"},  {430, "N"},
      {205, "S"}, {100, "10+5"}, {830, "C01"}, {400, "2"}, {30, "1"},   {160, conto},
      {610, "3"}, {600, "2026"},
  };
  for (const auto& [n, v] : attesi) EXPECT_EQ(d.txt(n).Text(), v) << n;
  EXPECT_FALSE(conto.empty());
}

TEST_F(CaricaRighe, TheLevelPanelGoesWhereTheTerminalWantsItAtEveryOpening) {
  frmDDTDett& d0 = Apri(Base());
  const long sx = d0.C("picLivelli").Left(), su = d0.C("picLivelli").Top();
  const long griglia = d0.dbgRiga().Top();
  Chiudi(d0);
  struct Caso {
    int16_t pos;
    long left, top;
  };
  const std::vector<Caso> casi = {{1, 60, griglia + 100}, {2, sx, griglia + 100}, {3, 60, su}, {4, sx, su},
                                  {1, 60, griglia + 100}, {0, sx, su}};
  for (const auto& c : casi) {
    ParDettaglio p = Base();
    p.oiPosPicLiv = c.pos;
    frmDDTDett& d = Apri(p);
    EXPECT_EQ(d.C("picLivelli").Left(), c.left) << c.pos;
    EXPECT_EQ(d.C("picLivelli").Top(), c.top) << c.pos;
    // The place the key map puts the panel back to is the design one.
    EXPECT_EQ(d.mlPicLivLeft, sx) << c.pos;
    EXPECT_EQ(d.mlPicLivTop, su) << c.pos;
    Chiudi(d);
  }
}

TEST_F(CaricaRighe, SettingsAnsweredInLowerCaseCountAndCaptionsComeBack) {
  ParPers("DDT", "MostraCostoUltimo", "s");
  ParPers("Articoli", "LabLung", "Lung.");
  ParPers("Articoli", "LabAlt", "Alt.");
  ParPers("Articoli", "DivPezziConf", "4");
  ParPers("MagaVen", "SegnSottoScorta", "S");
  frmDDTDett& d = Apri(Base());
  EXPECT_TRUE(d.mbMostraCostoUltimo);
  EXPECT_DOUBLE_EQ(d.mdDivPezziConf, 4);
  EXPECT_EQ(d.msSegnSottoScorta, "S");
  EXPECT_EQ(d.label1(800).Caption(), "Lung.");
  EXPECT_EQ(d.label1(250).Caption(), "Lung.");
  EXPECT_EQ(d.label1(820).Caption(), "Alt.");
  EXPECT_EQ(d.label1(810).Caption(), "Larghezza:");
  Chiudi(d);
  parPers_.clear();
  frmDDTDett& e = Apri(Base());
  EXPECT_FALSE(e.mbMostraCostoUltimo);
  EXPECT_DOUBLE_EQ(e.mdDivPezziConf, 1);
  EXPECT_EQ(e.msSegnSottoScorta, "N");
  EXPECT_EQ(e.label1(800).Caption(), "Lunghezza:");
  EXPECT_EQ(e.label1(270).Caption(), "Altezza:");
}

TEST_F(CaricaRighe, ASecondOpeningKeepsNothingOfTheFirst) {
  ParPers("Vendite", "QtaDaDimen", "S");
  ParDettaglio p = Base();
  p.obRicPartLotti = true;
  p.obContrDiversi = true;
  p.osPrzIvato = "S";
  frmDDTDett& d = Apri(p);
  EXPECT_TRUE(d.C("ComPartLotti").Visible());
  EXPECT_TRUE(d.label1(832).Visible());
  EXPECT_TRUE(d.label1(700).Visible());
  EXPECT_EQ(d.miStatoTimer, 3);
  EXPECT_TRUE(d.timLinPag().Enabled());
  // What a session leaves behind.
  d.mbInsInMezzo = true;
  d.miRigaIns = 5;
  d.miCopiaTaglia = 2;
  d.mbLetturaFile = true;
  d.miFileLettura = 3;
  d.mbLetturaMatr = true;
  d.mbRaeeDaCreare = true;
  d.miStatoRaee = 2;
  d.mdQtaRaee = 4;
  d.mbSalvaInUscita = false;
  d.mbArtDaAiuto = true;
  d.mlInsPosizSalv = 7;
  d.miInsRigaSalv = 2;
  d.miRipresaTracc = 1;
  d.mbCampiLivAbil = false;
  d.oiLivelliCrea = 1;
  d.miPaginaAttiva = 2;
  d.miArtMostrato = 1;
  d.mdValTotalePrec = 12;
  d.mdQtaPrec = 3;
  d.miNoEventiGriglia = 1;
  d.mbCodBarSalvato = true;
  d.mbAggLivelli = true;
  d.mbRinumera = true;
  d.mbInComando = true;
  d.osSegnalGiac = "B";
  d.msLivello1Salvato = "XL";
  d.txt(21).SetText("XL");
  d.msTipoRigaPrec = "D";
  d.mbVerifStampato = true;
  d.miRigaArtMostrata = 4;
  d.miChiusuraDaPagina = 1;
  d.miInAggNonText = 1;
  d.mbColPers = true;
  d.mbOrdInsPers = true;
  const long colore = d.mlColoreArticolo;
  d.label1(19).SetForeColor(ui::vbRed);
  // The two imports left running are given up at the close.
  risposte_ = {1, 1};
  Chiudi(d);
  ASSERT_FALSE(d.Caricata()) << (messaggi_.empty() ? std::string() : messaggi_.back());

  parPers_.clear();
  frmDDTDett& e = Apri(Base());
  EXPECT_FALSE(e.mbInsInMezzo);
  EXPECT_EQ(e.miRigaIns, 0);
  EXPECT_EQ(e.miCopiaTaglia, 0);
  EXPECT_FALSE(e.mbLetturaFile);
  EXPECT_EQ(e.miFileLettura, 0);
  EXPECT_FALSE(e.mbLetturaMatr);
  EXPECT_FALSE(e.mbRaeeDaCreare);
  EXPECT_EQ(e.miStatoRaee, 0);
  EXPECT_EQ(e.mdQtaRaee, 0);
  EXPECT_TRUE(e.mbSalvaInUscita);
  EXPECT_FALSE(e.mbArtDaAiuto);
  EXPECT_EQ(e.mlInsPosizSalv, 0);
  EXPECT_EQ(e.miInsRigaSalv, 0);
  EXPECT_EQ(e.miRipresaTracc, 0);
  EXPECT_TRUE(e.mbCampiLivAbil);
  EXPECT_EQ(e.oiLivelliCrea, 0);
  EXPECT_EQ(e.miPaginaAttiva, -1);
  EXPECT_EQ(e.miArtMostrato, -1);
  EXPECT_EQ(e.mdValTotalePrec, 0);
  EXPECT_EQ(e.mdQtaPrec, 0);
  EXPECT_EQ(e.miNoEventiGriglia, 0);
  EXPECT_FALSE(e.mbCodBarSalvato);
  EXPECT_FALSE(e.mbAggLivelli);
  EXPECT_FALSE(e.mbRinumera);
  EXPECT_FALSE(e.mbInComando);
  EXPECT_EQ(e.osSegnalGiac, "");
  EXPECT_EQ(e.msLivello1Salvato, "");
  EXPECT_EQ(e.msTipoRigaPrec, "A");
  EXPECT_FALSE(e.mbVerifStampato);
  EXPECT_EQ(e.miRigaArtMostrata, -1);
  EXPECT_EQ(e.miChiusuraDaPagina, 0);
  EXPECT_EQ(e.miInAggNonText, 0);
  EXPECT_FALSE(e.mbColPers);
  EXPECT_FALSE(e.mbOrdInsPers);
  EXPECT_EQ(e.miStatoTimer, 3);
  EXPECT_FALSE(e.mbQtaDaDimen);
  EXPECT_FALSE(e.txt(250).Visible());
  EXPECT_EQ(e.label1(40).Caption(), "Colli:");
  EXPECT_FALSE(e.C("ComPartLotti").Visible());
  EXPECT_FALSE(e.label1(832).Visible());
  EXPECT_FALSE(e.label1(700).Visible());
  EXPECT_EQ(e.mlColoreArticolo, colore);
  EXPECT_EQ(opener_.chiamate, 1);
}

}  // namespace
}  // namespace prova

// The line's aids: quantity from the dimensions of the packages, stock and
// availability beside the quantity, the accrual dialog and the notes in
// other languages, on the line window opened over the demo company.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ddt/lines/AperturaDiretta.h"
#include "ddt/lines/frmNotaLingua.h"
#include "lineaids/FrmCompetenza.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class Aiuti : public AperturaDiretta {
 protected:
  // The window on a new article line.
  frmDDTDett& NuovaRiga(const ParDettaglio& p) {
    frmDDTDett& d = Apri(p);
    Tick(d);
    if (d.ogLinPag().Stato() != 2) {
      EXPECT_EQ(d.ButtonComando("Nuovo").ToString(), "");
    }
    EXPECT_EQ(d.txt(18).Text(), "A");
    return d;
  }
  static double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s)); }
};

// ---------------------------------------------------------------- dimensions

struct CasoDim {
  const char* nome;
  const char* um;
  const char* colli;
  const char* lun;
  const char* lar;
  const char* alt;
  const char* modello;  // the note template of every number of dimensions
  double rapp;
  const char* modoPrima;
  double qta;          // -1: the quantity is left as it was
  const char* nota;    // the note below afterwards
  const char* modo;    // its print mode afterwards
};

class Dimensioni : public Aiuti, public ::testing::WithParamInterface<CasoDim> {};

// "ML" counts one dimension, "MQ" two, "MC" three; "MT" is in the list of
// one and of two dimensions and counts with the first.
TEST_P(Dimensioni, TheQuantityAndTheNoteFollowTheDimensions) {
  const CasoDim& c = GetParam();
  ParPers("Vendite", "QtaDaDimen", "S");
  ParPers("Vendite", "QtaDaDimUML", "ML;MT");
  ParPers("Vendite", "QtaDaDimUMQ", "MQ;MT");
  ParPers("Vendite", "QtaDaDimUMC", "MC");
  ParPers("Vendite", "NotaDimensioni", c.modello);
  if (c.rapp != 1000) ParPers("Vendite", "QtaDimenRapp", std::to_string(static_cast<int>(c.rapp)));
  frmDDTDett& d = NuovaRiga(Base());
  ASSERT_TRUE(d.mbQtaDaDimen);
  d.txt(30).SetText("7");
  d.txt(440).SetText("nota di prima");
  d.txt(430).SetText(c.modoPrima);
  d.txt(140).SetText(c.um);
  d.txt(40).SetText(c.colli);
  d.txt(250).SetText(c.lun);
  d.txt(260).SetText(c.lar);
  d.txt(270).SetText(c.alt);
  d.CalcQtaDaDimens();
  if (c.qta < 0) {
    EXPECT_EQ(d.txt(30).Text(), "7") << c.nome;
  } else {
    EXPECT_NEAR(Numero(d.txt(30).Text()), c.qta, 1e-9) << c.nome << ": " << d.txt(30).Text();
  }
  EXPECT_EQ(d.txt(440).Text(), c.nota) << c.nome;
  EXPECT_EQ(d.txt(430).Text(), c.modo) << c.nome;
  if (std::string(c.modo) == "S") {
    EXPECT_EQ(d.cob(430).Text(), "Anche sul doc. di Evasione") << c.nome;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Aiuti, Dimensioni,
    ::testing::Values(
        CasoDim{"DueDimensioni", "MQ", "3", "1200", "800", "", "", 1000, "N", 2.88, "3 x 1200 x 800", "S"},
        CasoDim{"UnaDimensione", "ML", "4", "2500", "800", "", "", 1000, "N", 10, "4 x 2500", "S"},
        CasoDim{"TreDimensioni", "mc", "2", "1000", "500", "200", "", 1000, "A", 0.2, "2 x 1000 x 500 x 200", "A"},
        CasoDim{"PrimaLista", "MT", "3", "1200", "800", "", "", 1000, "E", 3.6, "3 x 1200", "E"},
        CasoDim{"Modello", "MQ", "2", "1000", "500", "", "§Colli§ pz da §Lun§ x §Lar§ x §Alt§ §UM§", 1000, "N", 1,
                "2 pz da 1000 x 500 x §Alt§ MQ", "S"},
        CasoDim{"StessaUnita", "MQ", "2", "3", "4", "", "", 1, "N", 24, "2 x 3 x 4", "S"},
        CasoDim{"TestiComeScritti", "MQ", "3", "1.200", "800,0", "", "", 1000, "N", 2.88, "3 x 1.200 x 800,0", "S"},
        CasoDim{"LarghezzaMancante", "MQ", "3", "1200", "", "", "", 1000, "N", -1, "nota di prima", "N"},
        CasoDim{"ColliNegativi", "MQ", "-3", "1200", "800", "", "", 1000, "N", -1, "nota di prima", "N"},
        CasoDim{"ColliVuoti", "MQ", "", "1200", "800", "", "", 1000, "N", -1, "nota di prima", "N"},
        CasoDim{"UnitaInNessunaLista", "KG", "3", "1200", "800", "", "", 1000, "N", -1, "nota di prima", "N"},
        CasoDim{"NumeroIlleggibile", "MQ", "3", "1e400", "800", "", "", 1000, "N", -1, "nota di prima", "N"},
        CasoDim{"Lettere", "MQ", "abc", "1200", "800", "", "", 1000, "N", -1, "nota di prima", "N"}),
    [](const ::testing::TestParamInfo<CasoDim>& i) { return std::string(i.param.nome); });

TEST_F(Aiuti, AnEmptyListMatchesNoUnitAndAUnitInErrorIsLeftAlone) {
  ParPers("Vendite", "QtaDaDimen", "S");
  ParPers("Vendite", "QtaDaDimUMQ", "MQ");
  frmDDTDett& d = NuovaRiga(Base());
  EXPECT_EQ(d.msQtaDaDimUML, ";;");
  d.txt(30).SetText("7");
  d.txt(40).SetText("3");
  d.txt(250).SetText("1200");
  d.txt(260).SetText("800");
  d.txt(140).SetText("");
  d.CalcQtaDaDimens();
  EXPECT_EQ(d.txt(30).Text(), "7");
  d.txt(140).SetText("MQ");
  d.txt(140).SetBackColor(G().glColoreErrore);
  d.CalcQtaDaDimens();
  EXPECT_EQ(d.txt(30).Text(), "7");
  EXPECT_EQ(d.txt(440).Text(), "");
}

TEST_F(Aiuti, DimensionsWhoseProductOverflowsChangeNothingAndRaiseAnOverflow) {
  ParPers("Vendite", "QtaDaDimen", "S");
  ParPers("Vendite", "QtaDaDimUMC", "MC");
  frmDDTDett& d = NuovaRiga(Base());
  d.txt(30).SetText("7");
  d.txt(430).SetText("N");
  d.txt(140).SetText("MC");
  d.txt(40).SetText("1e300");
  d.txt(250).SetText("1e300");
  d.txt(260).SetText("1e300");
  d.txt(270).SetText("1e300");
  try {
    d.CalcQtaDaDimens();
    ADD_FAILURE() << "no overflow: " << d.txt(30).Text();
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), vb::ErrOverflow);
  }
  EXPECT_EQ(d.txt(30).Text(), "7");
  EXPECT_EQ(d.txt(440).Text(), "");
  EXPECT_EQ(d.txt(430).Text(), "N");
}

// ---------------------------------------------------------------- stock

class Giacenza : public Aiuti {
 protected:
  void SetUp() override {
    Aiuti::SetUp();
    // The warehouse year of the DDT's date.
    Param("Mag.AnnoCorr", "2026");
    Param("Mag.DataInizio", "01/01/2026");
    Param("Mag.DataFine", "31/12/2026");
  }
  // The biscuits with the stock of the case: own warehouse 01, the others
  // 02 and 03.
  void Scorte(double mag1, double mag2, double mag3, double ordinato1 = 0, double impegnato1 = 0) {
    Sql(std::string("Delete From ArticoliProg Where Articolo = '") + kArticoloPromo + "'");
    auto riga = [&](const char* mag, double iniz, double ord, double imp) {
      Sql(std::string("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, "
                      "QtaCarico, QtaScarico, QtaOrdFor, QtaImpCli) Values (2026, '") +
          mag + "', '" + kArticoloPromo + "', '~ç~', '~ç~', " + std::to_string(iniz) + ", 0, 0, " +
          std::to_string(ord) + ", " + std::to_string(imp) + ")");
    };
    riga(kMagCentrale, mag1, ordinato1, impegnato1);
    if (mag2 != 0) riga(kMagNegozio, mag2, 0, 0);
    if (mag3 != 0) riga(kMagDeposito, mag3, 0, 0);
  }
  frmDDTDett& Riga(const std::string& magaNoGiac, const std::string& stato = "") {
    ParDettaglio p = Base();
    p.osMagazzino = kMagCentrale;
    p.osMagaNoGiac = magaNoGiac;
    frmDDTDett& d = NuovaRiga(p);
    // A printed DDT takes no new article line: the state comes after.
    d.osStato = stato;
    d.txt(20).SetText(kArticoloPromo);
    return d;
  }
};

struct CasoGiac {
  const char* nome;
  double mag2, mag3;
  const char* magaNoGiac;
  const char* attesa;
};

class Disponibilita : public Giacenza, public ::testing::WithParamInterface<CasoGiac> {};

TEST_P(Disponibilita, OwnFigureAndTheCountedTotal) {
  const CasoGiac& c = GetParam();
  Scorte(5, c.mag2, c.mag3);
  frmDDTDett& d = Riga(c.magaNoGiac);
  d.MostraDispGiac();
  EXPECT_EQ(d.lab(200).Caption(), c.attesa) << c.nome;
  EXPECT_EQ(d.lab(210).Caption(), c.attesa) << c.nome;
  EXPECT_FALSE(d.label1(210).Visible()) << c.nome;
}

INSTANTIATE_TEST_SUITE_P(
    Aiuti, Disponibilita,
    ::testing::Values(CasoGiac{"AltroMagazzino", 3, 0, "", "5 / 8"},
                      CasoGiac{"SoloProprio", 0, 0, "", "5"},
                      CasoGiac{"ProprioEscluso", 3, 0, "01,", "5 / 3"},
                      CasoGiac{"AsteriscoEscluso", 3, 0, "*,", "5 / 3"},
                      CasoGiac{"ProprioEAsteriscoUnaVolta", 3, 0, "01,*,", "5 / 3"},
                      CasoGiac{"ProprioEsclusoNienteAltrove", 0, 0, "01,", "5"},
                      CasoGiac{"AltroEscluso", 3, 4, "03,", "5 / 8"},
                      CasoGiac{"TuttiGliAltriEsclusi", 3, 4, "02,03,", "5"}),
    [](const ::testing::TestParamInfo<CasoGiac>& i) { return std::string(i.param.nome); });

TEST_F(Giacenza, AvailabilityCountsOrderedAndCommittedAndALongCaptionTakesTheNarrowFont) {
  Scorte(5, 3, 0, 2, 1);
  frmDDTDett& d = Riga("");
  d.MostraDispGiac();
  EXPECT_EQ(d.lab(200).Caption(), "6 / 9");
  EXPECT_EQ(d.lab(210).Caption(), "5 / 8");
  EXPECT_EQ(d.lab(200).Font().Name, "MS Sans Serif");
  G().giNumDecQtaMag = 2;
  Scorte(1234.5, 10000.25, 0);
  d.MostraDispGiac();
  EXPECT_EQ(d.lab(210).Caption(), "1234,5 / 11234,75");
  EXPECT_EQ(d.lab(210).Font().Name, "MS Serif");
}

struct CasoAvviso {
  const char* nome;
  const char* qta;
  const char* segnala;   // the article's warning code
  const char* stato;     // the DDT's state
  const char* sottoScorta;
  const char* gruppoLiv;
  const char* avviso;    // "" none
};

class Avvisi : public Giacenza, public ::testing::WithParamInterface<CasoAvviso> {};

// Stock on hand 5, minimum 7 in the own warehouse.
TEST_P(Avvisi, NegativeStockAndBelowMinimum) {
  const CasoAvviso& c = GetParam();
  ParPers("MagaVen", "SegnSottoScorta", c.sottoScorta);
  Scorte(5, 3, 0);
  Sql(std::string("Insert Into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('") +
      kArticoloPromo + "', '01', '~ç~', '~ç~', 7)");
  frmDDTDett& d = Riga("", c.stato);
  d.osSegnalGiac = c.segnala;
  d.osLivGruppo1 = c.gruppoLiv;
  d.txt(30).SetText(c.qta);
  d.MostraDispGiac();
  const std::string avviso = c.avviso;
  EXPECT_EQ(d.label1(210).Visible(), !avviso.empty()) << c.nome;
  if (!avviso.empty()) {
    EXPECT_EQ(d.label1(210).Caption(), avviso) << c.nome;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Aiuti, Avvisi,
    ::testing::Values(CasoAvviso{"Negativa", "6", "B", "", "N", "", "Giacenza negativa"},
                      CasoAvviso{"NegativaS", "6", "S", "", "N", "", "Giacenza negativa"},
                      CasoAvviso{"NegativaSenzaSegnalazione", "6", "N", "", "N", "", ""},
                      CasoAvviso{"NegativaDdtStampato", "6", "B", "S", "N", "", ""},
                      CasoAvviso{"UgualeAllaGiacenza", "5", "B", "", "S", "", ""},
                      CasoAvviso{"Sottoscorta", "3", "B", "", "S", "", "Sottoscorta(7)"},
                      CasoAvviso{"SottoscortaNonChiesta", "3", "B", "", "N", "", ""},
                      CasoAvviso{"SottoscortaConLivelli", "3", "B", "", "S", "TAGLIE", ""},
                      CasoAvviso{"SopraMinimo", "-4", "B", "", "S", "", ""}),
    [](const ::testing::TestParamInfo<CasoAvviso>& i) { return std::string(i.param.nome); });

TEST_F(Giacenza, OutsideTheWarehouseYearTheLabelsAreEmpty) {
  ParPers("MagaVen", "SegnSottoScorta", "S");
  Scorte(5, 3, 0);
  Sql(std::string("Insert Into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('") +
      kArticoloPromo + "', '01', '~ç~', '~ç~', 7)");
  frmDDTDett& d = Riga("");
  d.osSegnalGiac = "B";
  d.MostraDispGiac();
  ASSERT_EQ(d.lab(200).Caption(), "5 / 8");
  d.miAnnoMag = 0;
  d.txt(30).SetText("6");
  d.MostraDispGiac();
  EXPECT_EQ(d.lab(200).Caption(), "");
  EXPECT_EQ(d.lab(210).Caption(), "");
  EXPECT_FALSE(d.label1(210).Visible());
  // With no stock known only a negative quantity reaches the minimum test.
  d.txt(30).SetText("-3");
  d.MostraDispGiac();
  EXPECT_TRUE(d.label1(210).Visible());
  EXPECT_EQ(d.label1(210).Caption(), "Sottoscorta(7)");
}

// ---------------------------------------------------------------- accrual dates

class Competenza : public Aiuti {
 protected:
  void SetUp() override {
    Aiuti::SetUp();
    Param("CoGe.AnnoCorr", "2026");
    Param("CoGe.DataInizCont", "01/01/2026");
    Param("CoGe.DataFineCont", "31/12/2026");
  }
  // The stored line `rigLiv` of DDT 3 in the working copy.
  std::string Accrual(int rigLiv) {
    const std::string w = " from DdtDettApp Where Anno = 2026 And NumRif = 3 And RigLiv = " + std::to_string(rigLiv);
    return Valore("Select CompGiornMens" + w, "CompGiornMens") + " " + Valore("Select DataCompDa" + w, "DataCompDa") +
           " " + Valore("Select DataCompA" + w, "DataCompA");
  }
};

TEST_F(Competenza, ConfirmedKindAndPeriodReachTheStoredLine) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  const int rigLiv = vb::FunzioniComuni::Istanza().ValInt(vb::Variant(d.lab(15).Caption()));
  d.msCompGiornMens = "";
  d.MostraCompetenza();
  ASSERT_TRUE(d.mfrmCompetenza);
  FrmCompetenza& f = *d.mfrmCompetenza;
  EXPECT_TRUE(f.Visible());
  EXPECT_FALSE(d.Enabled());
  EXPECT_EQ(f.oiAnno, 2026);
  EXPECT_EQ(f.txt(120).Text(), "3");
  EXPECT_EQ(f.txt(140).Text(), d.txt(20).Text());
  EXPECT_EQ(f.txt(160).Text(), d.txt(70).Text());
  // The demo DDT is a customer's.
  EXPECT_EQ(f.label1(150).Caption(), "Cliente:");
  EXPECT_NE(f.Opt(0).Value(), 0);
  ui::utente::Clicca(f.Opt(2));
  f.txt(10).SetText("01/12/2026");
  f.txt(20).SetText("30/11/2027");
  f.CalcolaImp();
  EXPECT_FALSE(f.lab(40).Caption().empty());
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.mfrmCompetenza, nullptr);
  EXPECT_EQ(d.txt(119).Text(), "M");
  EXPECT_EQ(d.txt(117).Text(), "01/12/2026");
  EXPECT_EQ(d.txt(118).Text(), "30/11/2027");
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Accrual(rigLiv), "M 01/12/2026 30/11/2027");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Competenza, ASupplierDocumentShowsTheSupplierAndAnEmptyKindTakesTheAccountsKind) {
  ParDettaglio p = Base();
  p.osIntTipo = "2";
  p.osIntest = "07-01-0003";
  p.osIntRagSoc = "Utensilerie Lombarde";
  frmDDTDett& d = NuovaRiga(p);
  d.msCompGiornMens = "G";
  d.txt(117).SetText("01/12/2026");
  d.txt(118).SetText("31/01/2027");
  d.txt(70).SetText("620");
  d.MostraCompetenza();
  FrmCompetenza& f = *d.mfrmCompetenza;
  EXPECT_EQ(f.label1(150).Caption(), "Fornitore:");
  EXPECT_EQ(f.txt(150).Text(), "07-01-0003");
  EXPECT_EQ(f.lab(150).Caption(), "Utensilerie Lombarde");
  EXPECT_NE(f.Opt(1).Value(), 0);
  EXPECT_EQ(f.txt(160).Text(), "620");
  // 62 days, 31 of them in the following year.
  EXPECT_EQ(f.lab(50).Caption(), "310,00");
}

TEST_F(Competenza, CancellingKeepsTheLineAndTheNextClickGetsAFreshDialog) {
  ParDettaglio p = Base();
  frmDDTDett& d = NuovaRiga(p);
  d.txt(119).SetText("M");
  d.txt(117).SetText("01/01/2026");
  d.txt(118).SetText("31/12/2026");
  d.MostraCompetenza();
  FrmCompetenza* primo = d.mfrmCompetenza.get();
  const std::weak_ptr<FrmCompetenza> vecchio = d.mfrmCompetenza;
  ui::utente::Clicca(primo->Opt(0));
  // "&No" first: the dialog stays; then "&Sì".
  risposte_.push_back(2);
  ui::utente::Clicca(primo->C("ComAnnulla"));
  EXPECT_TRUE(primo->Caricata());
  EXPECT_FALSE(d.Enabled());
  risposte_.push_back(1);
  ui::utente::Clicca(primo->C("ComAnnulla"));
  EXPECT_FALSE(primo->Caricata());
  ASSERT_EQ(messaggi_.size(), 2u);
  EXPECT_EQ(messaggi_[0], "Confermi uscita senza salvataggio dei dati");
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.txt(119).Text(), "M");
  EXPECT_EQ(d.txt(117).Text(), "01/01/2026");
  EXPECT_EQ(d.txt(118).Text(), "31/12/2026");
  d.MostraCompetenza();
  ASSERT_TRUE(d.mfrmCompetenza);
  EXPECT_TRUE(vecchio.expired());
  EXPECT_NE(d.mfrmCompetenza->Opt(2).Value(), 0);
  EXPECT_EQ(d.mfrmCompetenza->txt(10).Text(), "01/01/2026");
  d.mfrmCompetenza->obOk = true;
  d.mfrmCompetenza->Unload();
}

// ---------------------------------------------------------------- language notes

struct CasoNota {
  const char* nome;
  const char* dove;  // "NotaLinguaDove"
  int nota, modo;    // the fields that take the text and its print mode
  const char* codice;
  const char* voce;  // the print-mode list's item afterwards
};

class NoteLingua : public Aiuti, public ::testing::WithParamInterface<CasoNota> {};

TEST_P(NoteLingua, TheChosenDescriptionBecomesTheConfiguredNote) {
  const CasoNota& c = GetParam();
  ParPers("Vendite", "NotaLinguaDove", c.dove);
  frmDDTDett& d = NuovaRiga(Base());
  d.txt(20).SetText(kArticoloViti);
  d.txt(26).SetText("Viti inox M4x10");
  const int altraNota = c.nota == 440 ? 420 : 440, altroModo = c.modo == 430 ? 410 : 430;
  d.txt(c.nota).SetText("vecchia nota");
  d.txt(altraNota).SetText("l'altra nota");
  d.txt(altroModo).SetText("E");
  int f11 = ui::vbKeyF11;
  d.Form_KeyDown(f11, 0);
  ASSERT_TRUE(d.mfrmNotaLingua && d.mfrmNotaLingua->Visible()) << c.nome;
  frmNotaLingua& f = *d.mfrmNotaLingua;
  EXPECT_FALSE(d.Enabled());
  EXPECT_EQ(f.txt(140).Text(), kArticoloViti);
  EXPECT_EQ(f.lab(140).Caption(), "Viti inox M4x10");
  ui::Griglia& g = f.GriNote();
  ASSERT_EQ(g.NumRigheEsatto(), 2);
  ASSERT_EQ(g.NumColonne(), 2);
  EXPECT_EQ(g.Colonna(0).DataField, "Tipo");
  EXPECT_EQ(g.Colonna(1).Width, 6500);
  g.VaiARiga(1);
  const std::string scelta = g.TestoCella(1);
  EXPECT_TRUE(scelta.find("M4x10") != std::string::npos) << scelta;
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(d.msRecNote, "");
  EXPECT_EQ(d.txt(c.nota).Text(), scelta);
  EXPECT_EQ(d.txt(c.modo).Text(), c.codice);
  EXPECT_EQ(d.cob(c.modo).Text(), c.voce);
  EXPECT_EQ(d.txt(altraNota).Text(), "l'altra nota");
  EXPECT_EQ(d.txt(altroModo).Text(), "E");
}

INSTANTIATE_TEST_SUITE_P(
    Aiuti, NoteLingua,
    ::testing::Values(CasoNota{"Sotto", "A", 440, 430, "A", "Solo su doc. Attuale"},
                      CasoNota{"SopraAS", "AS", 420, 410, "A", "Solo su doc. Attuale"},
                      CasoNota{"SopraES", "ES", 420, 410, "E", "Solo sul doc. di Evasione"},
                      CasoNota{"SopraMinuscolo", "Ns", 420, 410, "N", "No Stampa"},
                      CasoNota{"SottoAltraFine", "SX", 440, 430, "S", "Anche sul doc. di Evasione"},
                      CasoNota{"CodiceSconosciuto", "X", 440, 430, "X", ""}),
    [](const ::testing::TestParamInfo<CasoNota>& i) { return std::string(i.param.nome); });

TEST_F(Aiuti, CancellingOrClosingTheLanguageDialogLeavesTheNotes) {
  ParPers("Vendite", "NotaLinguaDove", "AS");
  frmDDTDett& d = NuovaRiga(Base());
  d.txt(20).SetText(kArticoloViti);
  d.txt(420).SetText("nota sopra");
  d.txt(410).SetText("S");
  for (int giro = 0; giro < 3; ++giro) {
    int f11 = ui::vbKeyF11;
    d.Form_KeyDown(f11, 0);
    ASSERT_TRUE(d.mfrmNotaLingua && d.mfrmNotaLingua->Caricata()) << giro;
    frmNotaLingua& f = *d.mfrmNotaLingua;
    if (giro == 0) ui::utente::Clicca(f.C("ComAnnulla"));
    else if (giro == 1) EXPECT_TRUE(ui::utente::Chiudi(f));
    else ui::utente::DoppioClic(f.GriNote());
    EXPECT_FALSE(f.Caricata());
    EXPECT_TRUE(d.Enabled());
    EXPECT_EQ(d.msRecNote, "");
  }
  // The double click confirmed the first row.
  EXPECT_NE(d.txt(420).Text(), "nota sopra");
  EXPECT_EQ(d.txt(410).Text(), "A");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Aiuti, F11AsksOnlyOnArticleLinesOfAnArticleWithDescriptions) {
  ParPers("Vendite", "NotaLinguaDove", "A");
  frmDDTDett& d = NuovaRiga(Base());
  int f11 = ui::vbKeyF11;
  // An article without descriptions in other languages, one whose code
  // holds a quote: the message, nothing else.
  for (const std::string& art : {std::string(kArticoloPromo), std::string("O'VITE*?")}) {
    messaggi_.clear();
    d.txt(20).SetText(art);
    d.Form_KeyDown(f11, 0);
    ASSERT_EQ(messaggi_.size(), 1u) << art;
    EXPECT_EQ(messaggi_[0], "Non ci sono note in lingua disponibili per questo articolo");
    EXPECT_EQ(d.mfrmNotaLingua, nullptr);
    EXPECT_TRUE(d.Enabled());
    EXPECT_EQ(d.msRecNote, "");
    EXPECT_EQ(d.txt(440).Text(), "");
  }
  // A descriptive line: nothing at all.
  messaggi_.clear();
  d.txt(20).SetText(kArticoloViti);
  d.txt(18).SetText("D");
  d.Form_KeyDown(f11, 0);
  EXPECT_EQ(d.mfrmNotaLingua, nullptr);
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Aiuti, WithoutTheSettingF11DoesNothing) {
  frmDDTDett& d = NuovaRiga(Base());
  EXPECT_EQ(d.msNotaLinguaStampa, "");
  d.txt(20).SetText(kArticoloViti);
  int f11 = ui::vbKeyF11;
  d.Form_KeyDown(f11, 0);
  EXPECT_EQ(d.mfrmNotaLingua, nullptr);
  EXPECT_TRUE(messaggi_.empty());
}

}  // namespace
}  // namespace prova

#include <gtest/gtest.h>

#include "FormLavoro.h"
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/RisVid.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using namespace ui;
using prova::Flag;
using prova::FormLavoro;
using vb::Variant;

namespace {

constexpr long kColoreDitta = 0xC0FFC0;

class CaricaForm : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    HeadlessAttivo().AzzeraScript();
    G().gsFileIni = dir_.Percorso("velnor.ini");
    G().gsDescAzie = "Alfa";
    Schermo800x600();
    prima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return vb::vbOK;
    });
  }
  void TearDown() override {
    vb::ImpostaGestoreMsgBox(prima_);
    Screen() = Schermo{};
    AzzeraGlobali();
  }
  static void Schermo800x600() { Pixel(800, 600); }
  static void Pixel(long larghezza, long altezza) {
    Screen() = Schermo{};
    Screen().Width = larghezza * 15;
    Screen().Height = altezza * 15;
  }
  static void BarraInBasso(long alto) {
    Screen().BarraApp.Lato = 3;
    Screen().BarraApp.Alto = alto;
    Screen().BarraApp.NascondiAuto = false;
  }

  prova::CartellaTemp dir_{"caricaform"};
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox prima_;
};

}  // namespace

// ------------------------------------------------------------ load steps

TEST_F(CaricaForm, WithoutACompanyColourNothingIsRecoloured) {
  FormLavoro f;
  f.Load();
  EXPECT_EQ(f.BackColor(), vbButtonFace);
  EXPECT_EQ(f.C("lab", 10).BackColor(), vbButtonFace);
  EXPECT_EQ(f.C("cmdOk").BackColor(), vbButtonFace);
}

TEST_F(CaricaForm, TheCompanyColourTakesTheFormAndTheControlsStillOnButtonFace) {
  G().glColBackForm = kColoreDitta;
  FormLavoro f;
  f.C("cmdOk").SetBackColor(vbYellow);  // a colour of its own stays
  f.Load();
  EXPECT_EQ(f.BackColor(), kColoreDitta);
  EXPECT_EQ(f.C("lab", 10).BackColor(), kColoreDitta);
  EXPECT_EQ(f.C("cmdOk").BackColor(), vbYellow);
  EXPECT_EQ(f.C("txt", 10).BackColor(), vbWindowBackground);

  // Controls named in the exclusion list keep the design colour.
  Form g("frmAltro");
  g.Crea(Tipo::Label, "lab", 1);
  g.Crea(Tipo::Label, "labTitolo");
  AziendaUtil::CaricaFormPri(g, 0, 0, 0, 0, 0, 0, 0, -1, 0, "labTitolo,");
  EXPECT_EQ(g.C("lab", 1).BackColor(), kColoreDitta);
  EXPECT_EQ(g.C("labTitolo").BackColor(), vbButtonFace);
}

TEST_F(CaricaForm, CaptionKeyPreviewAndLabelsWithoutAccessKeys) {
  FormLavoro f;
  EXPECT_TRUE(f.C("lab", 10).UseMnemonic());
  f.Load();
  EXPECT_EQ(f.Caption(), "Prova - Alfa");
  EXPECT_TRUE(f.KeyPreview());
  EXPECT_FALSE(f.C("lab", 10).UseMnemonic());
  EXPECT_EQ(f.WindowState(), vbNormal);  // gsStatoFinestra empty: the design state
}

TEST_F(CaricaForm, TheReadOnlySwitchReachesTheBarsAtTheEndOfTheLoad) {
  for (auto [param, atteso] : std::vector<std::pair<std::string, int>>{
           {"/RO", 0}, {"/pDDT 12 /RO", 0}, {"/ro", 0}, {"/ROX", 1}, {"", 1}, {"/M3", 1}}) {
    FormLavoro f(Flag{-1, 0, -1, 0});
    f.abilRO = -1;
    f.osParam = param;
    int durante = -5;
    f.duranteCaricamento = [&] { durante = f.ogComPag->abilRW; };
    f.Load();
    EXPECT_EQ(f.oiAbilRW, atteso) << param;
    EXPECT_EQ(durante, -99) << "the bar hears of it only at the end";
    EXPECT_EQ(f.ogComPag->abilRW, atteso) << param;
    EXPECT_EQ(f.ogLinPag->abilRW, atteso) << param;
  }
}

TEST_F(CaricaForm, AFlagWithoutItsMemberFailsTheLoad) {
  FormLavoro f;
  f.abilRO = -1;
  f.conParam = false;
  try {
    f.Load();
    FAIL();
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), 438);
  }
  EXPECT_FALSE(f.Caricata());
}

TEST_F(CaricaForm, TheLinePageRowPositionFillsTxtRiga) {
  FormLavoro f(Flag{0, 0, -1, 0});
  f.Load();
  EXPECT_EQ(f.C("txtRiga").Text(), "3 / 12");
  FormLavoro vuota(Flag{0, 0, -1, 0}, "frmVuota");
  vuota.ogLinPag->corrente = "";
  vuota.ogLinPag->totale = "0";
  vuota.Load();
  EXPECT_EQ(vuota.C("txtRiga").Text(), " / 0");
}

TEST_F(CaricaForm, TheTerminalsWindowStateMaximises) {
  G().gsStatoFinestra = "2";
  FormLavoro f;
  f.Load();
  EXPECT_EQ(f.WindowState(), vbMaximized);
}

TEST_F(CaricaForm, TheSplashSaysWhichFormIsLoadingAndGoesAtTheEnd) {
  Form splash("frmConn");
  splash.Crea(Tipo::TextBox, "txtNomeDb");
  G().gfPrepFrmConn = [&] {
    splash.Load();
    return &splash;
  };
  FormLavoro f;
  f.noSplash = 0;
  std::string testo, caption;
  bool visibile = false;
  f.duranteCaricamento = [&] {
    visibile = splash.Visible();
    caption = splash.Caption();
    testo = splash.C("txtNomeDb").Text();
  };
  f.Load();
  EXPECT_TRUE(visibile);
  EXPECT_EQ(caption, "Caricamento maschera");
  EXPECT_EQ(testo, "Caricamento maschera Prova");
  EXPECT_FALSE(splash.Caricata());
  // A program without a splash loads its forms all the same.
  G().gfPrepFrmConn = nullptr;
  FormLavoro g(Flag{}, "frmSenza");
  g.noSplash = 0;
  g.Load();
  EXPECT_TRUE(g.Caricata());
}

TEST_F(CaricaForm, ScalingOffStillTellsTheBarsFactorOne) {
  G().gdRisVidGenerale = -1;
  FormLavoro f(Flag{-1, 0, -1, -1});
  f.risVid = -1;
  f.Move(0, 0, 6000, 4000);
  f.Load();
  for (barre::Componente* b : std::vector<barre::Componente*>{f.ogComPag.get(), f.ogLinPag.get(), f.ogLisPag.get(), f.ogComlin.get()}) {
    EXPECT_EQ(b->ovLeggiPar("RisVid").ToDouble(), 1);
    EXPECT_TRUE(b->ovLeggiPar("RisVidFatta").ToBool());
  }
  EXPECT_EQ(f.Width(), 6000);
}

TEST_F(CaricaForm, AnAutomaticFactorScalesTheFormAtTheEndOfTheLoad) {
  Pixel(1024, 768);
  FormLavoro f(Flag{-1, 0, 0, 0});
  f.risVid = -1;
  f.Move(0, 0, 6000, 4000);
  f.C("txt", 10).Move(100, 200, 1000, 300);
  long larghezzaDurante = 0;
  f.duranteCaricamento = [&] { larghezzaDurante = f.Width(); };
  f.Load();
  EXPECT_EQ(larghezzaDurante, 6000);
  EXPECT_DOUBLE_EQ(f.ogComPag->ovLeggiPar("RisVid").ToDouble(), 1.28);
  EXPECT_TRUE(f.ogComPag->ovLeggiPar("RisVidFatta").ToBool());
  EXPECT_DOUBLE_EQ(f.odRisVidVal, 1.28);
  EXPECT_EQ(f.Width(), 7680);
  EXPECT_EQ(f.C("txt", 10).Left(), 128);
  EXPECT_EQ(f.C("txt", 10).Width(), 1280);
  AziendaUtil::ScaricaForm(f);
}

// ------------------------------------------------------------ screen scaling

TEST_F(CaricaForm, TheAutomaticFactorIsTheScreenAgainst800x600) {
  for (auto [w, h, atteso] : std::vector<std::tuple<long, long, double>>{
           {800, 600, 1}, {1024, 768, 1.28}, {1280, 1024, 1.6}, {1920, 1080, 1.8}, {640, 480, 0.8}}) {
    Pixel(w, h);
    int larghezza = 0, altezza = 0;
    EXPECT_DOUBLE_EQ(FunVarie::CalcFattVideo(larghezza, altezza).ToDouble(), atteso) << w << "x" << h;
    EXPECT_EQ(larghezza, w);
    EXPECT_EQ(altezza, h);
  }
}

TEST_F(CaricaForm, GeneralFactorOffLeavesTheFormUnlessTheCallerGivesOne) {
  G().gdRisVidGenerale = -1;
  FormLavoro f;
  f.Move(0, 0, 6000, 4000);
  double fattore = -2;
  Variant r = RisVid::ScalaForm(f, 0, fattore);
  EXPECT_EQ(r.VarType(), vb::vbInteger);
  EXPECT_EQ(r.ToInt(), 1);
  EXPECT_EQ(f.odRisVidVal, 1);
  EXPECT_EQ(f.Width(), 6000);
  fattore = 1.5;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, 0, fattore).ToDouble(), 1.5);
  EXPECT_EQ(f.Width(), 9000);
  EXPECT_EQ(f.odRisVidVal, 1.5);
}

TEST_F(CaricaForm, EachFormItsOwnKeyWhenTheGeneralFactorIsMinusTwo) {
  G().gdRisVidGenerale = -2;
  G().gdRisVidBase = 1.25;
  G().gsKeyPrg = "DDT";
  dir_.Scrivi("velnor.ini", "[Risoluzione Video]\nDDT-4711=1,5\nStaVid=2\nVecchia=-2\n");
  FormLavoro f;
  f.osKeySec = "4711";
  double fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, -1, fattore).ToDouble(), 1.5);
  // The form's own key wins over the program's.
  f.osRisVidKey = "StaVid";
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, -1, fattore).ToDouble(), 2);
  // A key missing from the ini, or set to -2, falls back on "PersBase".
  f.osRisVidKey = "Manca";
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, -1, fattore).ToDouble(), 1.25);
  f.osRisVidKey = "Vecchia";
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, -1, fattore).ToDouble(), 1.25);
  // A form without the members: no key at all, the base.
  f.conChiavi = false;
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, -1, fattore).ToDouble(), 1.25);
  // A base that is no factor: not scaled.
  G().gdRisVidBase = -3;
  f.Move(0, 0, 6000, 4000);
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, 0, fattore).ToDouble(), 1);
  EXPECT_EQ(f.odRisVidVal, 1);
  EXPECT_EQ(f.Width(), 6000);
}

TEST_F(CaricaForm, TheFormIsKeptAboveATaskBarDockedAtTheBottom) {
  Pixel(1024, 768);
  BarraInBasso(738);
  FormLavoro f;
  f.Move(0, 600, 9000, 9000);
  double fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, 0, fattore).ToDouble(), 11070.0 / 9600.0);
  EXPECT_DOUBLE_EQ(fattore, 1.153125);
  EXPECT_EQ(f.Width(), 10378);  // 9000 x 1.153125: the width test changes nothing
  // Compute only: the unreduced factor and nothing moves.
  FormLavoro g(Flag{}, "frmCalcolo");
  g.Move(0, 600, 9000, 9000);
  fattore = -2;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(g, -1, fattore).ToDouble(), 1.28);
  EXPECT_EQ(g.odRisVidVal, 1.28);
  EXPECT_EQ(g.Width(), 9000);
}

TEST_F(CaricaForm, AnExplicitFactorIsNotFittedToATaskBarAtTheLeft) {
  Pixel(1024, 768);
  Screen().BarraApp.Lato = 0;
  FormLavoro f;
  f.Move(0, 600, 9000, 9000);
  double fattore = 1.5;
  EXPECT_DOUBLE_EQ(RisVid::ScalaForm(f, 0, fattore).ToDouble(), 1.5);
  EXPECT_EQ(f.Height(), 13500);
}

TEST_F(CaricaForm, ControlsScaleByKindAndTheExclusionsHold) {
  FormLavoro f;
  f.Move(0, 0, 5000, 4000);
  auto& pic = f.Crea(Tipo::PictureBox, "picLogo");
  pic.Move(100, 100, 1000, 800);
  auto& img = f.Crea(Tipo::Image, "imgFisso");
  img.Move(100, 100, 500, 500);
  auto& linea = f.Crea(Tipo::Line, "linSep");
  linea.Move(0, 1000, 4000, 0);
  auto& stato = f.Crea(Tipo::StatusBar, "staBarra");
  stato.AggiungiElemento("Messaggio").Width = 3000;
  auto& lista = f.Crea(Tipo::ListBox, "lstVoci");
  lista.Move(0, 0, 1000, 40);
  auto& grd = f.Crea<Griglia>(Tipo::DataGrid, "dbgRiga");
  auto& txt = f.C("txt", 10);
  txt.Move(100, 200, 1000, 300);
  RisVid::RiscalaControlli(f, 2, {Variant("PICLOGO"), Variant(-1), Variant(2), Variant("txt"), Variant(10), Variant(4)});
  EXPECT_EQ(f.Width(), 10000);
  EXPECT_DOUBLE_EQ(f.Font().Size, 16.5);
  // Picture box: moved, its size kept.
  EXPECT_EQ(pic.Left(), 200);
  EXPECT_EQ(pic.Width(), 1000);
  // An image that does not stretch is left alone.
  EXPECT_EQ(img.Left(), 100);
  EXPECT_EQ(linea.Top(), 2000);
  EXPECT_EQ(linea.Width(), 8000);
  EXPECT_EQ(stato.Elem("Messaggio").Width, 6000);
  EXPECT_DOUBLE_EQ(stato.Font().Size, 16.5);
  EXPECT_EQ(lista.Height(), 80);
  EXPECT_DOUBLE_EQ(grd.HeadFont().Size, 16.5);
  // Flag 4: placed and sized, its font untouched.
  EXPECT_EQ(txt.Width(), 2000);
  EXPECT_DOUBLE_EQ(txt.Font().Size, 8.25);
  EXPECT_DOUBLE_EQ(f.C("txt", 20).Font().Size, 16.5);
  // A factor of 1, or none, does nothing.
  RisVid::RiscalaControlli(f, 1);
  RisVid::RiscalaControlli(f, 0);
  EXPECT_EQ(f.Width(), 10000);

  grd.AggiungiColonna("Codice").Width = 1000;
  double fattore = 1.5;
  RisVid::ScalaColonne(grd, fattore);
  EXPECT_EQ(grd.Colonna(0).Width, 1500);
}

TEST_F(CaricaForm, AListBoxTooLowIsRaisedAndTheLoopEndsWhenTheHeightIsRefused) {
  FormLavoro f;
  auto& lista = f.Crea(Tipo::ListBox, "lstVoci");
  lista.Move(0, 0, 1000, 30);
  RisVid::RiscalaControlli(f, 1.5);
  EXPECT_EQ(lista.Height(), 61);
  // A list box that snaps its height to whole rows of 195 twips.
  long altezza = 0, tentativi = 0;
  EXPECT_TRUE(RisVid::AlzaLista([&] { return altezza; }, [&](long h) { ++tentativi; altezza = h / 195 * 195; }));
  EXPECT_EQ(altezza, 195);
  // One that takes no height at all: given up instead of spinning for ever.
  tentativi = 0;
  EXPECT_FALSE(RisVid::AlzaLista([] { return 45L; }, [&](long) { ++tentativi; }));
  EXPECT_EQ(tentativi, 1440);
}

// ------------------------------------------------------------ saved geometry

TEST_F(CaricaForm, TheGeometryIsReadAndAppliedInItsCodes) {
  FormLavoro f;
  f.Load();
  f.Move(300, 400, 6000, 5000);
  long l, a, x, y;
  utilprg::LeggiDimForm(f, l, a, x, y);
  EXPECT_EQ(std::vector<long>({l, a, x, y}), std::vector<long>({6000, 5000, 300, 400}));
  f.Move(0, 500, Screen().Width, 5000);
  utilprg::LeggiDimForm(f, l, a, x, y);
  EXPECT_EQ(std::vector<long>({l, a, x, y}), std::vector<long>({-1, 5000, 0, 500}));
  f.SetWindowState(vbMaximized);
  utilprg::LeggiDimForm(f, l, a, x, y);
  EXPECT_EQ(std::vector<long>({l, a, x, y}), std::vector<long>({-2, -2, 0, 0}));

  FormLavoro g(Flag{}, "frmDett");
  g.Load();
  g.Move(100, 200, 4000, 3000);
  utilprg::ImpostaDimForm(g, 0, 0, 0, 0);
  EXPECT_EQ(std::vector<long>({g.Left(), g.Top(), g.Width(), g.Height()}), std::vector<long>({100, 200, 4000, 3000}));
  utilprg::ImpostaDimForm(g, -1, 2500, 0, 700);
  EXPECT_EQ(std::vector<long>({g.Left(), g.Top(), g.Width(), g.Height()}),
            std::vector<long>({0, 700, Screen().Width, 2500}));
  utilprg::ImpostaDimForm(g, 5000, -1, 900, 0);
  EXPECT_EQ(std::vector<long>({g.Left(), g.Top(), g.Width(), g.Height()}),
            std::vector<long>({900, 0, 5000, Screen().Height}));
  EXPECT_EQ(g.WindowState(), vbNormal);
  utilprg::ImpostaDimForm(g, 0, -2, 0, 0);
  EXPECT_EQ(g.WindowState(), vbMaximized);
}

TEST_F(CaricaForm, TheGeometrySavedInTheIniComesBackAtTheNextLoad) {
  // What the header form does with its line window: the geometry read when
  // it closes is written as "size;position" and applied when it opens.
  FormLavoro chiusa(Flag{}, "frmDDTDett");
  chiusa.Load();
  chiusa.Move(450, 300, 7000, 5200);
  long l, a, x, y;
  utilprg::LeggiDimForm(chiusa, l, a, x, y);
  EXPECT_TRUE(mainDdt::ScriviIni("Configurazioni", "DdtDettLarg", std::to_string(l) + ";" + std::to_string(x)).ToBool());
  EXPECT_TRUE(mainDdt::ScriviIni("Configurazioni", "DdtDettAlt", std::to_string(a) + ";" + std::to_string(y)).ToBool());
  chiusa.Unload();

  std::string larg, alt;
  FunVarie::LeggiParIni("Configurazioni", "DdtDettLarg", "0", larg);
  FunVarie::LeggiParIni("Configurazioni", "DdtDettAlt", "0", alt);
  EXPECT_EQ(larg, "7000;450");
  FormLavoro aperta(Flag{}, "frmDDTDett");
  aperta.Load();
  utilprg::ImpostaDimForm(aperta, std::stol(FunVarie::EstraiCampo(larg, ";", 0)),
                          std::stol(FunVarie::EstraiCampo(alt, ";", 0)), std::stol(FunVarie::EstraiCampo(larg, ";", 1)),
                          std::stol(FunVarie::EstraiCampo(alt, ";", 1)));
  EXPECT_EQ(std::vector<long>({aperta.Left(), aperta.Top(), aperta.Width(), aperta.Height()}),
            std::vector<long>({450, 300, 7000, 5200}));
}

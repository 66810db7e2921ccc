#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmInElab.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/Suono.h"
#include "platform/ui/Headless.h"

using ui::Controllo;
using ui::Form;
using ui::HeadlessAttivo;
namespace utente = ui::utente;

namespace {

// What the window looked like while it waited for the answer.
struct Foto {
  long larghezza = 0, altezza = 0, larghezzaInterna = 0, altezzaInterna = 0;
  std::string titolo;
  bool labVisibile = false, txtVisibile = false;
  long labLeft = 0, labTop = 0, labWidth = 0, labHeight = 0;
  long txtLeft = 0, txtTop = 0, txtWidth = 0, txtHeight = 0;
  std::string labTesto, txtTesto;
  std::vector<std::string> caption;
  std::vector<long> left, top, width;
  std::vector<bool> predefinito, annulla;
  std::string fuoco;
};

Foto Fotografa(Form& f) {
  Foto p;
  p.larghezza = f.Width();
  p.altezza = f.Height();
  p.larghezzaInterna = f.ScaleWidth();
  p.altezzaInterna = f.ScaleHeight();
  p.titolo = f.Caption();
  Controllo& lab = f.C("LabMessaggio");
  Controllo& txt = f.C("txtMessaggio");
  p.labVisibile = lab.Visible();
  p.txtVisibile = txt.Visible();
  p.labLeft = lab.Left();
  p.labTop = lab.Top();
  p.labWidth = lab.Width();
  p.labHeight = lab.Height();
  p.labTesto = lab.Caption();
  p.txtLeft = txt.Left();
  p.txtTop = txt.Top();
  p.txtWidth = txt.Width();
  p.txtHeight = txt.Height();
  p.txtTesto = txt.Text();
  for (int i : f.Indici("ComEsegui")) {
    Controllo& b = f.C("ComEsegui", i);
    if (!b.Visible()) continue;
    p.caption.push_back(b.Caption());
    p.left.push_back(b.Left());
    p.top.push_back(b.Top());
    p.width.push_back(b.Width());
    p.predefinito.push_back(b.Default());
    p.annulla.push_back(b.Cancel());
  }
  if (Controllo* a = f.ActiveControl()) p.fuoco = a->Name() + "(" + std::to_string(a->Index()) + ")";
  return p;
}

class Messaggi : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessAttivo().AzzeraScript();
    AzzeraGlobali();
    G().gdRisVidGenerale = -1;
    G().gdRisVidMsgCom = -1;
    schermo_ = ui::Screen();
    ui::Screen().Width = 12000;
    ui::Screen().Height = 9000;
    ui::Screen().BarraApp = {};
    vb::ImpostaTitoloApplicazione("Ddt");
    suoni_.clear();
    suono_ = vb::suono::ImpostaRiproduttore([this](const vb::suono::Richiesta& r) { suoni_.push_back(r); });
  }
  void TearDown() override {
    HeadlessAttivo().AzzeraScript();
    frmInElab::Chiudi();
    vb::suono::ImpostaRiproduttore(suono_);
    ui::Screen() = schermo_;
    AzzeraGlobali();
  }

  // The next window is photographed, then answered by clicking button n
  // (1-based).
  void FotoEClic(int n) {
    HeadlessAttivo().Rispondi([this, n](Form& f) {
      foto_ = Fotografa(f);
      utente::Clicca(f.C("ComEsegui", n - 1));
    });
  }
  void FotoETasto(int tasto) {
    HeadlessAttivo().Rispondi([this, tasto](Form& f) {
      foto_ = Fotografa(f);
      utente::Premi(f, tasto);
    });
  }

  Foto foto_;
  ui::Schermo schermo_;
  std::vector<vb::suono::Richiesta> suoni_;
  vb::suono::Riproduttore suono_;
};

}  // namespace

TEST_F(Messaggi, ShortTextTakesTheWidthOfTheButtonRow) {
  FotoEClic(2);
  EXPECT_EQ(frmMsgCom::msgCom("Ciao", "&Sì", "&No"), 2);
  // Two buttons of 1515 with 400 beside each: 3830, plus the border.
  EXPECT_EQ(foto_.larghezzaInterna, 2 * (1515 + 400));
  EXPECT_EQ(foto_.larghezza, 3830 + 120);
  EXPECT_EQ(foto_.left, (std::vector<long>{200, 200 + 1515 + 400}));
  EXPECT_EQ(foto_.caption, (std::vector<std::string>{"&Sì", "&No"}));
  // The label (4 characters) centred, the buttons 290 below it.
  EXPECT_EQ(foto_.labWidth, 4 * 99);
  EXPECT_EQ(foto_.labLeft, (3830 - 396) / 2);
  EXPECT_EQ(foto_.top, (std::vector<long>{180 + 198 + 290, 180 + 198 + 290}));
  EXPECT_EQ(foto_.altezza, 405 + 180 + 198 + 290 + 435 + 150);
  EXPECT_EQ(foto_.titolo, "Ddt");
  // The window is released after the call.
  EXPECT_EQ(frmMsgCom::Istanza(), nullptr);
}

TEST_F(Messaggi, TextWiderThanTheButtonsShrinksTheWindowAroundIt) {
  FotoEClic(1);
  const std::string testo(50, 'x');  // 4950 twips
  EXPECT_EQ(frmMsgCom::msgCom(testo, "&Sì", "&No", vb::Missing, "Domanda"), 1);
  EXPECT_EQ(foto_.larghezza, 4950 + 600 + 120);
  EXPECT_EQ(foto_.titolo, "Domanda");
  // Spread evenly: (5550 - 2 x 1515) / 2 = 1260 between, half of it at the edges.
  EXPECT_EQ(foto_.left, (std::vector<long>{630, 630 + 1515 + 1260}));
  EXPECT_EQ(foto_.larghezzaInterna - (foto_.left[1] + 1515), 630);
  EXPECT_TRUE(foto_.labVisibile);
  EXPECT_FALSE(foto_.txtVisibile);
}

TEST_F(Messaggi, TextWiderThanTheWindowWrapsAtTheFullInnerWidth) {
  FotoEClic(1);
  const std::string testo(200, 'x');
  EXPECT_EQ(frmMsgCom::msgCom(testo), 1);
  EXPECT_EQ(foto_.larghezza, 12000 * 80 / 100);
  EXPECT_EQ(foto_.labWidth, foto_.larghezzaInterna);
  EXPECT_EQ(foto_.labLeft, 0);
  EXPECT_EQ(foto_.labHeight, 3 * 198);  // 95 characters a line
  EXPECT_EQ(foto_.labTesto, testo);
  EXPECT_EQ(foto_.top[0], 180 + 594 + 290);
  EXPECT_EQ(foto_.caption, (std::vector<std::string>{"&Ok"}));
  const long g = (foto_.larghezzaInterna - 1515) / 1;
  EXPECT_EQ(foto_.left[0], g / 2);
}

TEST_F(Messaggi, WidthInPercentOfTheScreen) {
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom(std::string(200, 'x'), "&Ok", vb::Missing, vb::Missing, vb::Missing, 50), 1);
  EXPECT_EQ(foto_.larghezza, 6000);
}

TEST_F(Messaggi, TextTallerThanTheScreenScrollsAboveThePanel) {
  // A panel docked at the bottom, its top at pixel 560: usable 8400 twips.
  ui::Screen().BarraApp.Lato = 3;
  ui::Screen().BarraApp.Alto = 560;
  std::string testo;
  for (int i = 0; i < 60; ++i) testo += "riga " + std::to_string(i) + "\r\n";
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom(testo), 1);
  EXPECT_EQ(foto_.altezza, 8400);
  EXPECT_FALSE(foto_.labVisibile);
  EXPECT_TRUE(foto_.txtVisibile);
  EXPECT_EQ(foto_.txtTesto, testo);
  EXPECT_EQ(foto_.top[0], foto_.altezzaInterna - 435 - 290);
  EXPECT_EQ(foto_.txtTop, 120);
  EXPECT_EQ(foto_.txtWidth, foto_.larghezzaInterna);
  EXPECT_EQ(foto_.txtLeft, 0);
  EXPECT_EQ(foto_.txtHeight, foto_.top[0] - 120 - 290);
}

TEST_F(Messaggi, AlwaysScrollingTakesTheWholeUsableHeight) {
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom("Breve", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1,
                              vb::Missing, true),
            1);
  EXPECT_EQ(foto_.altezza, 9000);
  EXPECT_TRUE(foto_.txtVisibile);
  EXPECT_FALSE(foto_.labVisibile);
  EXPECT_EQ(foto_.top[0], 9000 - 405 - 435 - 290);
}

TEST_F(Messaggi, FontSizeAndButtonWidth) {
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom("Ciao", "&Ok", "&No", vb::Missing, vb::Missing, 80, false, 600, 12.0, 1, 1000), 1);
  // 12 points: 144 twips a character, lines of 288.
  EXPECT_EQ(foto_.labWidth, 4 * 144);
  EXPECT_EQ(foto_.width, (std::vector<long>{1000, 1000}));
  EXPECT_EQ(foto_.larghezzaInterna, 2 * 1400);
  EXPECT_EQ(foto_.left, (std::vector<long>{200, 1600}));
}

TEST_F(Messaggi, EnterPressesButtonOneAndEscButtonTwo) {
  FotoETasto(ui::vbKeyReturn);
  EXPECT_EQ(frmMsgCom::msgCom("Salvare?", "&Sì", "&No"), 1);
  EXPECT_EQ(foto_.predefinito, (std::vector<bool>{true, false}));
  EXPECT_EQ(foto_.annulla, (std::vector<bool>{false, true}));
  EXPECT_EQ(foto_.fuoco, "ComEsegui(0)");
  FotoETasto(ui::vbKeyEscape);
  EXPECT_EQ(frmMsgCom::msgCom("Salvare?", "&Sì", "&No"), 2);
}

TEST_F(Messaggi, EnterPressesTheButtonHoldingTheFocus) {
  FotoETasto(ui::vbKeyReturn);
  EXPECT_EQ(frmMsgCom::msgCom("Cancellare?", "&Sì", "&No", vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 2),
            2);
  EXPECT_EQ(foto_.fuoco, "ComEsegui(1)");
}

TEST_F(Messaggi, ThreeButtonsHaveNeitherDefaultNorCancel) {
  HeadlessAttivo().Rispondi([this](Form& f) {
    foto_ = Fotografa(f);
    utente::Premi(f, ui::vbKeyEscape);
    EXPECT_TRUE(f.Visible());  // Esc has no button to press
    utente::Clicca(f.C("ComEsegui", 2));
  });
  EXPECT_EQ(frmMsgCom::msgCom("Quali?", "&Tutte", "&Uguali", "&Annulla"), 3);
  EXPECT_EQ(foto_.predefinito, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(foto_.annulla, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(foto_.larghezzaInterna, 3 * (1515 + 400));
  EXPECT_EQ(foto_.left, (std::vector<long>{200, 2115, 4030}));
}

TEST_F(Messaggi, DefaultButtonOutOfRangeLeavesTheFocusOnButtonOne) {
  for (int d : {0, -1, 3}) {
    FotoEClic(1);
    frmMsgCom::msgCom("Ciao", "&Sì", "&No", vb::Missing, vb::Missing, 80, false, 600, vb::Missing, d);
    EXPECT_EQ(foto_.fuoco, "ComEsegui(0)") << d;
  }
}

TEST_F(Messaggi, ThirdCaptionWithoutSecondShowsOneButtonThatIsNotDefault) {
  FotoETasto(ui::vbKeyReturn);  // the focused button takes Enter all the same
  EXPECT_EQ(frmMsgCom::msgCom("Ciao", "&Ok", vb::Missing, "&Annulla"), 1);
  EXPECT_EQ(foto_.caption, (std::vector<std::string>{"&Ok"}));
  EXPECT_EQ(foto_.predefinito, (std::vector<bool>{false}));
}

TEST_F(Messaggi, ButtonsDoNotSurviveFromOneCallToTheNext) {
  FotoEClic(3);
  EXPECT_EQ(frmMsgCom::msgCom("A", "&1", "&2", "&3"), 3);
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom("B"), 1);
  EXPECT_EQ(foto_.caption.size(), 1u);
}

TEST_F(Messaggi, ASecondCallWhileTheWindowIsUpAnswersZero) {
  int interno = -1;
  bool conferma = true;
  HeadlessAttivo().Rispondi([&](Form& f) {
    // A timer or a menu command asking while the window waits.
    interno = frmMsgCom::msgCom("Altro messaggio", "&Sì", "&No");
    conferma = frmMsgCom::Conferma("Cancellare il documento?");
    utente::Clicca(f.C("ComEsegui", 0));
  });
  EXPECT_EQ(frmMsgCom::msgCom("Primo"), 1);
  EXPECT_EQ(interno, frmMsgCom::kNessunaRisposta);
  EXPECT_FALSE(conferma);  // no answer is no consent
  EXPECT_EQ(HeadlessAttivo().ModaliMostrate() >= 1, true);
}

TEST_F(Messaggi, ConfermaIsYesOnlyOnTheFirstButton) {
  FotoEClic(1);
  EXPECT_TRUE(frmMsgCom::Conferma("Cancellare?"));
  EXPECT_EQ(foto_.caption, (std::vector<std::string>{"&Sì", "&No"}));
  FotoEClic(2);
  EXPECT_FALSE(frmMsgCom::Conferma("Cancellare?"));
  HeadlessAttivo().Rispondi([](Form& f) { utente::Chiudi(f); });
  EXPECT_FALSE(frmMsgCom::Conferma("Cancellare?"));
}

TEST_F(Messaggi, ClosedWithoutAButtonAnswersZero) {
  HeadlessAttivo().Rispondi([](Form& f) { utente::Chiudi(f); });
  EXPECT_EQ(frmMsgCom::msgCom("Ciao", "&Sì", "&No"), 0);
  EXPECT_EQ(frmMsgCom::Istanza(), nullptr);
}

TEST_F(Messaggi, MousePointerIsTheDefaultWhileTheWindowWaits) {
  ui::Screen().MousePointer = 11;
  int durante = -1;
  HeadlessAttivo().Rispondi([&](Form& f) {
    durante = ui::Screen().MousePointer;
    utente::Clicca(f.C("ComEsegui", 0));
  });
  frmMsgCom::msgCom("Attendere");
  EXPECT_EQ(durante, 0);
  EXPECT_EQ(ui::Screen().MousePointer, 11);
}

TEST_F(Messaggi, SignalOnlyWhenAsked) {
  FotoEClic(1);
  frmMsgCom::msgCom("Ciao");
  EXPECT_TRUE(suoni_.empty());
  G().gsBeepCome = "800;150";
  FotoEClic(1);
  frmMsgCom::msgCom("Ciao", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, true);
  ASSERT_EQ(suoni_.size(), 1u);
  EXPECT_EQ(suoni_[0].tipo, vb::suono::Richiesta::Tipo::Beep);
  EXPECT_EQ(suoni_[0].frequenza, 800);
  EXPECT_EQ(suoni_[0].durata, 150);
}

TEST_F(Messaggi, ErrorOfTheHandlerWithItsNumberDescriptionAndSource) {
  FotoEClic(1);
  int r = -1;
  try {
    vb::Solleva(53, "", "Magazzino");
  } catch (const vb::Errore&) {
    r = frmMsgCom::MsgErrfrm();
  }
  EXPECT_EQ(r, 1);
  EXPECT_EQ(foto_.labTesto, "Errore(53): Impossibile trovare il file - Magazzino");
  EXPECT_EQ(foto_.caption, (std::vector<std::string>{"&Ok"}));
}

TEST_F(Messaggi, ErrorWithoutSourceAndWithTextsAround) {
  FotoEClic(1);
  try {
    vb::Solleva(11);
  } catch (...) {
    frmMsgCom::MsgErrfrm(vb::Missing, vb::Missing, "Calcolo totali" "\r\n", "\r\nRiprovare.", "Errore");
  }
  EXPECT_EQ(foto_.labTesto, "Calcolo totali\r\nErrore(11): Divisione per zero\r\nRiprovare.");
  EXPECT_EQ(foto_.titolo, "Errore");
}

TEST_F(Messaggi, ErrorGivenByTheCaller) {
  FotoEClic(1);
  frmMsgCom::MsgErrfrm("Archivio bloccato", 3260);
  EXPECT_EQ(foto_.labTesto, "Errore(3260): Archivio bloccato");
  FotoEClic(1);
  frmMsgCom::MsgErrfrm(vb::Errore(3197, "Dati modificati", "DdtTest"));
  EXPECT_EQ(foto_.labTesto, "Errore(3197): Dati modificati - DdtTest");
}

TEST_F(Messaggi, AnErrorWhileLayingOutReachesTheCallerAndFreesTheWindow) {
  EXPECT_THROW(frmMsgCom::msgCom("Ciao", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600, "grande"),
               vb::Errore);
  EXPECT_EQ(frmMsgCom::Istanza(), nullptr);
  FotoEClic(1);
  EXPECT_EQ(frmMsgCom::msgCom("Di nuovo"), 1);
}

TEST_F(Messaggi, BusyWindowShowsMovesOnAndCloses) {
  frmInElab::Mostra("Stampa documenti", 10);
  frmInElab* f = frmInElab::Istanza();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->Visible());
  EXPECT_FALSE(f->Modale());
  EXPECT_EQ(f->Caption(), "In Elaborazione");
  EXPECT_TRUE(f->C("PicMsgElab").Visible());
  EXPECT_EQ(f->C("LabMsgElab").Caption(), "Stampa documenti");
  EXPECT_EQ(f->C("labDaFare").Caption(), "10");
  EXPECT_EQ(f->C("LabDi").Caption(), "di");
  frmInElab::Avanza(3);
  EXPECT_EQ(f->C("LabFatti").Caption(), "3");
  EXPECT_EQ(f->C("proDaFare").Value(), 3);
  EXPECT_EQ(f->Left(), (12000 - 8715) / 2);
  frmInElab::Chiudi();
  EXPECT_EQ(frmInElab::Istanza(), nullptr);
  for (Form* x : ui::Forms()) EXPECT_NE(x->Name(), "frmInElab");
  frmInElab::Avanza(4);  // nothing open: nothing happens
}

TEST_F(Messaggi, BusyWindowIsLeftOutWhileAModalWindowIsUp) {
  HeadlessAttivo().Rispondi([](Form& f) {
    frmInElab::Mostra("Calcolo", 5);
    EXPECT_EQ(frmInElab::Istanza(), nullptr);
    utente::Clicca(f.C("ComEsegui", 0));
  });
  frmMsgCom::msgCom("Ciao");
}

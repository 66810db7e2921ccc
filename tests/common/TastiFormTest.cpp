#include <gtest/gtest.h>

#include "FormLavoro.h"
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Aiuto.h"
#include "platform/Errore.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using namespace ui;
using prova::Flag;
using prova::FormLavoro;

namespace {

constexpr int kAlt = vbAltMask, kCtrl = vbCtrlMask, kShift = vbShiftMask;
constexpr int kCtrlAlt = vbCtrlMask | vbAltMask;

class TastiForm : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    AziendaUtil::AzzeraStatoTasti();
    HeadlessAttivo().AzzeraScript();
    primaMsg_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return vb::vbOK;
    });
    primaInput_ = vb::ImpostaGestoreInputBox([this](const std::string& p, const std::string&, const std::string& d) {
      domande_.push_back(p + "|" + d);
      if (risposte_.empty()) return std::string();
      std::string r = risposte_.front();
      risposte_.erase(risposte_.begin());
      return r;
    });
    primaCtrl_ = AziendaUtil::ImpostaRispostaTastiCtrl([this](int codice) {
      codiciCtrl_.push_back(codice);
      return rispostaCtrl_;
    });
  }
  void TearDown() override {
    vb::ImpostaGestoreMsgBox(primaMsg_);
    vb::ImpostaGestoreInputBox(primaInput_);
    AziendaUtil::ImpostaRispostaTastiCtrl(primaCtrl_);
    AziendaUtil::AzzeraStatoTasti();
    AzzeraGlobali();
  }

  // A loaded and shown working form with the focus on txt(10).
  static void Apri(FormLavoro& f) {
    f.Show();
    utente::Fuoco(f.C("txt", 10));
  }

  std::vector<std::string> messaggi_, domande_, risposte_;
  std::vector<int> codiciCtrl_;
  std::string rispostaCtrl_;
  vb::GestoreMsgBox primaMsg_;
  vb::GestoreInputBox primaInput_;
  AziendaUtil::RispostaTastiCtrl primaCtrl_;
};

}  // namespace

// ------------------------------------------------------------ Enter

TEST_F(TastiForm, EnterMovesToTheNextFieldAndShiftEnterBack) {
  FormLavoro f;
  Apri(f);
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 20));
  EXPECT_EQ(f.C("txt", 20).Text(), "");  // the Enter typed nothing
  utente::Premi(f, vbKeyReturn, kShift);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 10));
  // From tab index 0 backwards: the highest tab stop.
  utente::Premi(f, vbKeyReturn, kShift);
  EXPECT_EQ(f.ActiveControl(), &f.C("cmdOk"));
  // From the last tab stop forwards: tab index 0.
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 10));
}

TEST_F(TastiForm, EnterPassesOverWhatCannotTakeTheFocus) {
  FormLavoro f;
  Apri(f);
  f.C("txt", 20).SetEnabled(false);
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 30));
  auto& pic = f.Crea(Tipo::PictureBox, "picLogo");
  pic.SetTabIndex(4);
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("cmdOk"));
  utente::Premi(f, vbKeyReturn);  // over the picture box, round to the start
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 10));
}

TEST_F(TastiForm, EnterInAMultiLineBoxStaysANewLineUnlessAllIsSelected) {
  FormLavoro f;
  auto& nota = f.C("txt", 10);
  nota.SetMultiLine(true);
  Apri(f);
  // Empty: counts as wholly selected, the Enter moves.
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 20));
  utente::Digita(nota, "riga");
  nota.SetSelStart(4);
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &nota);
  EXPECT_EQ(nota.Text(), "riga\r\n");
  nota.SetSelStart(0);
  nota.SetSelLength(static_cast<int>(vb::Len(nota.Text())));
  utente::Premi(f, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 20));
  // Without the multi-line check every Enter moves.
  FormLavoro g(Flag{}, "frmSenzaVerifica");
  g.verifMultiLine = false;
  g.C("txt", 10).SetMultiLine(true);
  Apri(g);
  utente::Digita(g.C("txt", 10), "x");
  utente::Premi(g, vbKeyReturn);
  EXPECT_EQ(g.ActiveControl(), &g.C("txt", 20));
  EXPECT_EQ(g.C("txt", 10).Text(), "x");
}

TEST_F(TastiForm, EnterStaysInADataGridUnlessAskedOtherwise) {
  FormLavoro f;
  auto& grd = f.Crea<Griglia>(Tipo::DataGrid, "dbgRiga");
  grd.SetTabIndex(4);
  f.Show();
  utente::Fuoco(grd);
  int tasto = vbKeyReturn;
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, 0, f, 0, 0, 0, 0, 0, 0, 0, false, true), 0);
  EXPECT_EQ(tasto, vbKeyReturn);
  EXPECT_EQ(f.ActiveControl(), &grd);
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, 0, f, 0, 0, 0, 0, 0, 0, 0, true, true), 1);
  EXPECT_EQ(tasto, 0);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 10));
}

// ------------------------------------------------------------ characters

TEST_F(TastiForm, TheKeypadDecimalKeyTypesACommaWhenAsked) {
  G().gsTastierinoVirgola = "s";
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  f.PremiTasto('1', 0, '1');
  f.PremiTasto(110, 0, '.');  // keypad decimal key
  f.PremiTasto('5', 0, '5');
  f.PremiTasto(190, 0, '.');  // the point of the main keyboard
  f.PremiTasto('2', 0, '2');
  EXPECT_EQ(t.Text(), "1,5.2");
  G().gsTastierinoVirgola = "";
  f.PremiTasto(110, 0, '.');
  EXPECT_EQ(t.Text(), "1,5.2.");
}

TEST_F(TastiForm, EscNeverReachesAControlAndEnterIsSwallowed) {
  FormLavoro f;
  int codici[] = {27, 13, 65};
  int attesi[] = {0, 0, 65};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(AziendaUtil::GestKeyPress(codici[i], f), attesi[i]);
  std::vector<int> arrivati;
  struct Spia : FormLavoro {
    std::vector<int>* arrivati = nullptr;
    void KeyPress(Controllo&, int& k) override { arrivati->push_back(k); }
  } g;
  g.arrivati = &arrivati;
  Apri(g);
  g.PremiTasto(vbKeyEscape, 0, 27);
  EXPECT_TRUE(arrivati.empty());
}

// ------------------------------------------------------------ Ctrl: the menu server

TEST_F(TastiForm, CtrlKeysAreAskedToTheMenuServer) {
  FormLavoro f;
  Apri(f);
  int tasto = 'C';
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, kCtrl, f, 0, 0, 0, 0, 0, 0), 0);
  tasto = 'C';
  AziendaUtil::GestKeyDown(tasto, kCtrl | kShift, f, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(codiciCtrl_, (std::vector<int>{67, -67}));
  EXPECT_EQ(tasto, 'C');  // nothing answered: the key goes on
  rispostaCtrl_ = "1";
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, kCtrl, f, 0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(tasto, 0);
}

TEST_F(TastiForm, AMenuAnswerOfTextGoesIntoTheTxtBox) {
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  t.SetText("vecchio testo");
  rispostaCtrl_ = "D  parola ";
  ui::Screen().ActiveForm = nullptr;  // the menu showed a window of its own
  utente::Premi(f, 'K', kCtrl);
  EXPECT_EQ(t.Text(), "parola");
  EXPECT_EQ(ui::Screen().ActiveForm, &f);  // and the form has the keyboard back
  EXPECT_EQ(f.ActiveControl(), &t);
  // In a multi-line box the word goes in at the caret.
  auto& nota = f.C("txt", 20);
  nota.SetMultiLine(true);
  utente::Fuoco(nota);
  nota.SetText("ab");
  nota.SetSelStart(1);
  rispostaCtrl_ = "nXY";
  utente::Premi(f, 'K', kCtrl);
  EXPECT_EQ(nota.Text(), "aXYb");
  // A control of another name takes nothing, but the key is used up.
  utente::Fuoco(f.C("cmdOk"));
  int tasto = 'K';
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, kCtrl, f, 0, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(tasto, 0);
}

// ------------------------------------------------------------ Ctrl+Alt: find and replace

TEST_F(TastiForm, FindThenFindNextUntilTheLastOccurrence) {
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  t.SetText("uno due uno tre uno");
  risposte_ = {"uno"};
  utente::Premi(f, 'F', kCtrlAlt);
  EXPECT_EQ(domande_, (std::vector<std::string>{"Stringa da cercare|"}));
  EXPECT_EQ(t.SelStart(), 0);
  EXPECT_EQ(t.SelLength(), 3);
  utente::Premi(f, vbKeyPageDown, kCtrlAlt);
  EXPECT_EQ(t.SelStart(), 8);
  utente::Premi(f, vbKeyPageDown, kCtrlAlt);
  EXPECT_EQ(t.SelStart(), 16);
  utente::Premi(f, vbKeyPageDown, kCtrlAlt);
  EXPECT_EQ(messaggi_, (std::vector<std::string>{"Testo non trovato"}));
  EXPECT_EQ(t.SelStart(), 16);
  EXPECT_EQ(t.SelLength(), 3);
  utente::Premi(f, vbKeyPageUp, kCtrlAlt);
  EXPECT_EQ(t.SelStart(), 8);
  // Backwards from the end.
  risposte_ = {"uno"};
  utente::Premi(f, 'F', kCtrlAlt | kShift);
  EXPECT_EQ(domande_.back(), "Stringa da cercare|uno");
  EXPECT_EQ(t.SelStart(), 16);
  EXPECT_EQ(t.Text(), "uno due uno tre uno");
}

TEST_F(TastiForm, AnEmptyAnswerKeepsTheOldSearch) {
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  t.SetText("abc abc");
  risposte_ = {"abc"};
  utente::Premi(f, 'F', kCtrlAlt);
  risposte_ = {""};
  t.SetSelStart(2);
  utente::Premi(f, 'F', kCtrlAlt);
  EXPECT_EQ(t.SelStart(), 2);
  EXPECT_EQ(t.SelLength(), 0);
  utente::Premi(f, vbKeyPageDown, kCtrlAlt);
  EXPECT_EQ(t.SelStart(), 4);  // still "abc"
}

TEST_F(TastiForm, ReplaceTheSelectionOrTheFirstOccurrence) {
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  // The selection is not the search text: the first occurrence is replaced
  // and the replacement selected.
  t.SetText("aa bb aa bb");
  t.SetSelStart(3);
  t.SetSelLength(2);
  risposte_ = {"aa", "XYZ"};
  utente::Premi(f, 'S', kCtrlAlt);
  EXPECT_EQ(domande_, (std::vector<std::string>{"Stringa da cercare|", "Sostituire con|"}));
  EXPECT_EQ(t.Text(), "XYZ bb aa bb");
  EXPECT_EQ(t.SelStart(), 0);
  EXPECT_EQ(t.SelLength(), 3);
  // The selection is the search text: replaced, the next one selected.
  t.SetText("aa bb aa bb");
  t.SetSelStart(0);
  t.SetSelLength(2);
  risposte_ = {"AA", "c"};
  utente::Premi(f, 'S', kCtrlAlt);
  EXPECT_EQ(t.Text(), "c bb aa bb");
  EXPECT_EQ(t.SelStart(), 5);
  EXPECT_EQ(t.SelLength(), 2);
  // Ctrl+Alt+Shift+PgDn replaces the selection and finds the next.
  utente::Premi(f, vbKeyPageDown, kCtrlAlt | kShift);
  EXPECT_EQ(t.Text(), "c bb c bb");
  EXPECT_EQ(messaggi_, (std::vector<std::string>{"Testo non trovato"}));
}

TEST_F(TastiForm, TheCompareModeDecidesWhetherCaseCounts) {
  FormLavoro f;
  Apri(f);
  auto& t = f.C("txt", 10);
  t.SetText("Milano");
  risposte_ = {"milano"};
  utente::Premi(f, 'F', kCtrlAlt);
  EXPECT_EQ(t.SelLength(), 6);
  utente::Premi(f, 92, kCtrlAlt | kShift);  // exact case
  t.SetSelStart(0);
  risposte_ = {"milano"};
  utente::Premi(f, 'F', kCtrlAlt);
  EXPECT_EQ(t.SelLength(), 0);
  EXPECT_EQ(messaggi_.size(), 1u);
  utente::Premi(f, 92, kCtrlAlt);  // ignore case again
  risposte_ = {"milano"};
  utente::Premi(f, 'F', kCtrlAlt);
  EXPECT_EQ(t.SelLength(), 6);
}

TEST_F(TastiForm, FindAndReplaceWorkOnlyInTextBoxes) {
  FormLavoro f;
  Apri(f);
  utente::Fuoco(f.C("cmdOk"));
  int tasto = 'F';
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, kCtrlAlt, f, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_TRUE(domande_.empty());
}

// ------------------------------------------------------------ F-keys

TEST_F(TastiForm, F1OpensTheHelpTopicAndGoesNoFurther) {
  prova::CartellaTemp dir("tastif1");
  dir.Scrivi("ddt.chm", "guida");
  G().gsFileHelp = dir.Percorso("ddt.chm");
  std::vector<long> argomenti;
  auto prima = vb::aiuto::ImpostaVisualizzatore([&](const vb::aiuto::Richiesta& r) {
    if (r.comando == vb::aiuto::HH_HELP_CONTEXT) argomenti.push_back(r.dati);
    return true;
  });
  FormLavoro f(Flag{-1, 0, 0, 0});
  Apri(f);
  f.C("txt", 10).SetHelpContextID(31000);
  G().gsTastierinoVirgola = "S";
  f.PremiTasto(110, 0, 0);  // the keypad key, then F1: F1 is not remembered
  int tasto = vbKeyF1;
  EXPECT_EQ(AziendaUtil::GestKeyDown(tasto, 0, f, -1, 0, 0, 0, 0, 0), 1);
  EXPECT_EQ(tasto, 0);
  EXPECT_EQ(argomenti, (std::vector<long>{31000}));
  EXPECT_EQ(AziendaUtil::GestKeyPress('.', f), ',');
  utente::Premi(f, vbKeyF1);
  EXPECT_EQ(argomenti.size(), 2u);
  EXPECT_TRUE(f.comandi.empty());
  vb::aiuto::ImpostaVisualizzatore(prima);
}

// ------------------------------------------------------------ the command bars

TEST_F(TastiForm, TheRecordBarTakesAltPageKeysAndAccelerators) {
  FormLavoro f(Flag{-1, 0, 0, 0});
  f.ogComPag->acceleratori['N'] = "Nuovo";
  Apri(f);
  utente::Premi(f, vbKeyPageDown, kAlt);
  utente::Premi(f, vbKeyHome, kAlt);
  utente::Premi(f, 'N', kAlt);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Successivo", "Inizio", "Nuovo"}));
  f.C("tolComPag").Elem("Nuovo").Enabled = false;
  f.C("tolComPag").Elem("Inizio").Visible = false;  // a page key needs it enabled only
  f.comandi.clear();
  utente::Premi(f, 'N', kAlt);
  utente::Premi(f, vbKeyHome, kAlt);
  utente::Premi(f, 'Q', kAlt);  // no accelerator
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Inizio"}));
  // Without Alt the page keys stay with the field.
  utente::Premi(f, vbKeyPageDown);
  EXPECT_EQ(f.comandi.size(), 1u);
}

TEST_F(TastiForm, F10SearchesWhenIdleAndSavesWhileInserting) {
  FormLavoro f(Flag{-1, 0, 0, 0});
  Apri(f);
  int tasto = vbKeyF10;
  std::string t, ta;
  AziendaUtil::GestTastiBarra(tasto, 0, f, -1, 0, 0, 0, 0, 0, 0, t, ta, true);
  EXPECT_EQ(tasto, 0);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Ricerca"}));
  // Inserting: a good save leaves the bar ready for the next insert.
  f.comandi.clear();
  f.ogComPag->flagOpe = 2;
  f.dopoComando = [&](const std::string& c) {
    if (c == "Salva") f.ogComPag->flagOpe = 1;
  };
  utente::Premi(f, vbKeyF10);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Salva", "Ricerca"}));
  // A refused save (still inserting) does not search.
  f.comandi.clear();
  f.dopoComando = nullptr;
  f.ogComPag->flagOpe = 2;
  utente::Premi(f, vbKeyF10);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Salva"}));
  // Without "search after save", or with changes still pending, only the save.
  f.comandi.clear();
  f.ogComPag->flagOpe = 1;
  f.ricercaDopoSalva = false;
  utente::Premi(f, vbKeyF10);
  f.ricercaDopoSalva = true;
  f.ogComPag->inSospeso = "Descrizione";
  utente::Premi(f, vbKeyF10);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Salva", "Salva"}));
  // A hidden "Salva" is not pressed.
  f.comandi.clear();
  f.ogComPag->inSospeso.clear();
  f.C("tolComPag").Elem("Salva").Visible = false;
  utente::Premi(f, vbKeyF10);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Ricerca"}));
}

TEST_F(TastiForm, TheLinePageTakesPagesAndArrowsUnlessAMultiLineBoxNeedsThem) {
  FormLavoro f(Flag{0, 0, -1, 0});
  f.ogLinPag->acceleratori['E'] = "Elimina";
  Apri(f);
  utente::Premi(f, vbKeyPageUp);
  utente::Premi(f, vbKeyPageDown);
  utente::Premi(f, vbKeyUp);
  utente::Premi(f, vbKeyDown);
  utente::Premi(f, 'E', kAlt);
  utente::Premi(f, vbKeyDown, kShift);  // with a shift: nothing
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"PageUp", "PageDown", "Precedente", "Successiva", "Elimina"}));
  f.comandi.clear();
  auto& nota = f.C("txt", 20);
  nota.SetMultiLine(true);
  utente::Fuoco(nota);
  utente::Digita(nota, "due righe");
  utente::Premi(f, vbKeyDown);
  EXPECT_TRUE(f.comandi.empty());
}

TEST_F(TastiForm, TheListPageTakesTheArrows) {
  FormLavoro f(Flag{0, 0, 0, -1});
  f.ogLisPag->acceleratori['S'] = "Stampa";
  Apri(f);
  utente::Premi(f, vbKeyUp);
  utente::Premi(f, vbKeyDown);
  utente::Premi(f, 'S', kAlt);
  EXPECT_EQ(f.comandi, (std::vector<std::string>{"Precedente", "Successiva", "Stampa"}));
}

TEST_F(TastiForm, AToolbarWithoutTheButtonRaisesToTheForm) {
  FormLavoro f(Flag{-1, 0, 0, 0});
  Apri(f);
  int tasto = vbKeyPageUp;
  std::string t = "Manca", ta;
  try {
    AziendaUtil::GestTastiBarra(tasto, 0, f, -1, 0, 0, 0, 0, 0, 0, t, ta, true);
    FAIL();
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), 35601);
  }
}

#include <gtest/gtest.h>

#include "FormLavoro.h"
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/ui/Headless.h"

using namespace ui;
using prova::Flag;
using prova::FormLavoro;
using vb::Variant;

namespace {

constexpr long kFuoco = 0xFFFF80;

class CampiFuoco : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    HeadlessAttivo().AzzeraScript();
    Screen() = Schermo{};
    prima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int pulsanti, const std::string&) {
      messaggi_.push_back(t);
      stili_.push_back(pulsanti);
      return vb::vbOK;
    });
  }
  void TearDown() override {
    vb::ImpostaGestoreMsgBox(prima_);
    FunVarie::Clessidra(0);
    Screen() = Schermo{};
    AzzeraGlobali();
  }
  std::vector<std::string> messaggi_;
  std::vector<int> stili_;
  vb::GestoreMsgBox prima_;
};

}  // namespace

// ------------------------------------------------------------ focus colours

TEST_F(CampiFuoco, TheFieldWithTheFocusShowsItsColour) {
  FormLavoro f;
  f.colora = true;
  f.Show();
  utente::Fuoco(f.C("txt", 10));
  EXPECT_EQ(f.C("txt", 10).BackColor(), kFuoco);
  utente::Fuoco(f.C("txt", 20));
  EXPECT_EQ(f.C("txt", 10).BackColor(), vbWindowBackground);
  EXPECT_EQ(f.C("txt", 20).BackColor(), kFuoco);
}

TEST_F(CampiFuoco, TheErrorColourIsKeptUnlessForced) {
  FormLavoro f;
  f.Show();
  auto& t = f.C("txt", 10);
  t.SetBackColor(255);
  AziendaUtil::ColoraGotFocus(t, 0);
  EXPECT_EQ(t.BackColor(), 255);
  AziendaUtil::ColoraLostFocus(t, 0);
  EXPECT_EQ(t.BackColor(), 255);
  AziendaUtil::ColoraGotFocus(t, -1);
  EXPECT_EQ(t.BackColor(), kFuoco);
  t.SetBackColor(255);
  AziendaUtil::ColoraLostFocus(t, -1);
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
}

TEST_F(CampiFuoco, AFocusColourLeftBehindIsClearedOnTxtBoxesOnly) {
  FormLavoro f;
  auto& altro = f.Crea(Tipo::TextBox, "txtNota");
  f.Show();
  f.C("txt", 30).SetBackColor(kFuoco);  // lost the focus without its LostFocus
  altro.SetBackColor(kFuoco);
  AziendaUtil::ColoraGotFocus(f.C("txt", 10), 0);
  EXPECT_EQ(f.C("txt", 30).BackColor(), vbWindowBackground);
  EXPECT_EQ(altro.BackColor(), kFuoco);
  EXPECT_EQ(f.C("txt", 10).BackColor(), kFuoco);
  // With equal colours there is nothing to clean up.
  G().glColBacklostFocus = kFuoco;
  f.C("txt", 30).SetBackColor(kFuoco);
  AziendaUtil::ColoraGotFocus(f.C("txt", 20), 0);
  EXPECT_EQ(f.C("txt", 30).BackColor(), kFuoco);
}

// ------------------------------------------------------------ focus moves

TEST_F(CampiFuoco, TheFocusMovesByTabOrderAndGivesUpWhenNothingCanTakeIt) {
  FormLavoro f;
  f.Show();
  utente::Fuoco(f.C("txt", 20));
  EXPECT_TRUE(FunVarie::SpostaFocus(2).ToBool());
  EXPECT_EQ(f.ActiveControl(), &f.C("cmdOk"));
  EXPECT_TRUE(FunVarie::SpostaFocus(1, 1).ToBool());  // Shift: backwards
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 30));
  for (const char* n : {"cmdOk"}) f.C(n).SetEnabled(false);
  f.C("txt", 10).SetVisible(false);
  f.C("txt", 20).SetEnabled(false);
  EXPECT_FALSE(FunVarie::SpostaFocus(1).ToBool());
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 30));
  // An active form without an active control is the caller's error.
  Form vuota("frmVuota");
  vuota.Crea(Tipo::Label, "lab");
  vuota.Show();
  EXPECT_THROW(FunVarie::SpostaFocus(1), vb::Errore);
}

TEST_F(CampiFuoco, SelectTextAndReplayAKeyOnAField) {
  FormLavoro f;
  f.Show();
  utente::Fuoco(f.C("txt", 20));
  f.C("txt", 20).SetText("Rossi");
  FunVarie::SelezTesto();
  EXPECT_EQ(f.C("txt", 20).SelLength(), 5);
  EXPECT_TRUE(FunVarie::SimulaTastoCampo(f, 30, vbKeyF2, false).IsEmpty());
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 30));
  EXPECT_EQ(f.keyUp, (std::vector<std::string>{"30/113/0"}));
  EXPECT_THROW(FunVarie::SimulaTastoCampo(f, 30, vbKeyF2, true), vb::Errore);  // no txtAppo
}

// ------------------------------------------------------------ date and time fields

TEST_F(CampiFuoco, ATimeFieldIsCheckedAndRewritten) {
  FormLavoro f;
  f.Show();
  auto& t = f.C("txt", 10);
  std::string msg;
  t.SetText("830");
  EXPECT_EQ(FunVarie::VerifOra(t, "hh:mm", 0, 1, 2, 0, std::nullopt, &msg, false, 0).ToString(), "08:30");
  EXPECT_EQ(t.Text(), "08:30");
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
  t.SetText("99");
  EXPECT_EQ(FunVarie::VerifOra(t, "hh:mm", 0, 1, 2, 0, std::nullopt, &msg, false, 0).ToInt(), -2);
  EXPECT_EQ(msg, "Ora non valida");
  EXPECT_EQ(t.BackColor(), 255);
  EXPECT_EQ(t.Text(), "99");
  EXPECT_TRUE(messaggi_.empty());
  // Empty and allowed: the field keeps its text and turns valid.
  t.SetText("");
  EXPECT_EQ(FunVarie::VerifOra(t, "hh:mm", 0, 1, 2, 0, std::nullopt, &msg, false, 0).ToInt(), -1);
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
  utente::Fuoco(f.C("txt", 20));
  EXPECT_EQ(FunVarie::VerifOra(t, "hh:mm", true, 3, 2, 0, std::nullopt, &msg, true, 0).ToInt(), -3);
  EXPECT_EQ(messaggi_, (std::vector<std::string>{"Ora Obbligatoria"}));
  EXPECT_EQ(f.ActiveControl(), &t);
}

TEST_F(CampiFuoco, ADateBeforeTheMinimumIsRefused) {
  FormLavoro f;
  f.Show();
  utente::Fuoco(f.C("txt", 20));
  auto& t = f.C("txt", 10);
  std::string msg;
  t.SetText("31/12/1899");
  EXPECT_EQ(FunVarie::VerifData(t, -2, 1, std::nullopt, &msg, false), -657434);
  EXPECT_EQ(t.BackColor(), 255);
  EXPECT_EQ(msg, "Data troppo piccola");
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 20));  // the focus stays where it is
  t.SetText("1/1/1900");
  EXPECT_GT(FunVarie::VerifData(t, -2, 1, kFuoco, &msg, false), 0);
  EXPECT_EQ(t.Text(), "01/01/1900");
  EXPECT_EQ(t.BackColor(), kFuoco);
  t.SetText("32/01/2026");
  EXPECT_EQ(FunVarie::VerifData(t, -2, 3, std::nullopt, &msg, true), -657434);
  EXPECT_EQ(messaggi_, (std::vector<std::string>{"Data non valida"}));
  EXPECT_EQ(f.ActiveControl(), &t);
  t.SetText("");
  EXPECT_EQ(FunVarie::VerifData(t, -2, 1), 0);
  EXPECT_EQ(t.BackColor(), vbWindowBackground);
}

// ------------------------------------------------------------ forms

TEST_F(CampiFuoco, LoadedFormsAreFoundByNameAndCaption) {
  FormLavoro a(Flag{}, "frmDDTDett"), b(Flag{}, "frmDDTDett"), c(Flag{}, "frmAltro");
  EXPECT_FALSE(FunVarie::FormAperta("frmddtdett").ToBool());
  a.SetCaption("Righe DDT 12");
  b.SetCaption("Righe DDT 15");
  c.Load();
  a.Load();
  b.Load();
  EXPECT_TRUE(FunVarie::FormAperta("FRMDDTDETT").ToBool());
  const long base = FunVarie::IndiceForm("frmAltro").ToLong();
  EXPECT_EQ(FunVarie::IndiceForm("frmddtdett").ToLong(), base + 1);
  EXPECT_EQ(FunVarie::IndiceForm("frmDDTDett", "ddt 15").ToLong(), base + 2);
  EXPECT_EQ(FunVarie::IndiceForm("frmDDTDett", "DDT 99").ToLong(), -1);
  EXPECT_EQ(FunVarie::IndiceForm("frmManca").ToLong(), -1);
}

TEST_F(CampiFuoco, TheHourglassIsNotNested) {
  Screen().MousePointer = 3;
  FunVarie::Clessidra(-1);
  EXPECT_EQ(Screen().MousePointer, 11);
  FunVarie::Clessidra(-1);
  FunVarie::Clessidra(0);
  EXPECT_EQ(Screen().MousePointer, 3);
}

TEST_F(CampiFuoco, FormsThatAskForItHideBehindALookUpWindow) {
  FormLavoro righe(Flag{}, "frmDDTDett"), livelli(Flag{}, "frmDDtDeLiv"), testa(Flag{}, "frmDdtTest");
  righe.conNoHelp = livelli.conNoHelp = true;
  righe.oiNoHelp = 1;
  livelli.oiNoHelp = 0;
  testa.Show();
  righe.Show();
  livelli.Show();
  FunVarie::NascondiFormNoHelp();
  EXPECT_FALSE(righe.Visible());
  EXPECT_EQ(righe.oiNoHelp, 2);
  EXPECT_TRUE(livelli.Visible());
  EXPECT_TRUE(testa.Visible());  // no oiNoHelp: skipped
}

// ------------------------------------------------------------ combos over arrays of codes

TEST_F(CampiFuoco, ComboPositionsCountFromTheArraysLowerBound) {
  FormLavoro f;
  auto& cob = f.Crea(Tipo::ComboBox, "cob", 410);
  for (const char* v : {"Non stampare", "Anche sul doc. di Evasione", "Solo sul doc."}) cob.AddItem(v);
  // msStampNote(1 To 3) = "N", "S", "D"
  const std::vector<Variant> note{Variant("N"), Variant("S"), Variant("D")};
  EXPECT_EQ(FunVarie::PosizCombo(cob, "s", note, true, true, 1).ToLong(), 2);
  EXPECT_EQ(cob.ListIndex(), 1);  // the second item, not the third
  EXPECT_EQ(FunVarie::ElemCombo(cob, note, 1).ToString(), "S");
  EXPECT_EQ(FunVarie::PosizCombo(cob, "D", note, true, false, 1).ToLong(), 3);
  EXPECT_EQ(cob.Text(), "Solo sul doc.");
  // Not found: the choice is cleared only when asked.
  EXPECT_EQ(FunVarie::PosizCombo(cob, "X", note, true, false, 1).ToLong(), -1);
  EXPECT_EQ(cob.ListIndex(), 2);
  EXPECT_EQ(FunVarie::PosizCombo(cob, "X", note, true, true, 1).ToLong(), -1);
  EXPECT_EQ(cob.ListIndex(), -1);
  EXPECT_EQ(FunVarie::ElemCombo(cob, note, 1).ToString(), "");
  // Zero-based arrays as well; no setting without pbImposta.
  EXPECT_EQ(FunVarie::PosizCombo(cob, "N", note, false, true).ToLong(), 0);
  EXPECT_EQ(cob.ListIndex(), -1);
  // An item beyond the array is a subscript error.
  cob.AddItem("Altro");
  cob.SetListIndex(3);
  try {
    FunVarie::ElemCombo(cob, note, 1);
    FAIL();
  } catch (const vb::Errore& e) {
    EXPECT_EQ(e.Number(), 9);
  }
}

// ------------------------------------------------------------ small helpers

TEST_F(CampiFuoco, ItemsOfASeparatedText) {
  using FunVarie::EstraiCampo;
  EXPECT_EQ(EstraiCampo("A;B;C", ";", 0), "A");
  EXPECT_EQ(EstraiCampo("A;B;C", ";", 1), "B");
  EXPECT_EQ(EstraiCampo("A;B;C", ";", 2), "C");
  EXPECT_EQ(EstraiCampo("A;B;C", ";", 3), "");
  EXPECT_EQ(EstraiCampo("A;B;", ";", 2), "");
  EXPECT_EQ(EstraiCampo("A;B;", ";", 3), "");
  EXPECT_EQ(EstraiCampo("A||B", "||", 0), "A");
  EXPECT_EQ(EstraiCampo("A||B", "||", 1), "B");
  EXPECT_EQ(EstraiCampo("ABC", ";", 0), "ABC");
  EXPECT_EQ(EstraiCampo(";A", ";", 0), "");
  EXPECT_EQ(EstraiCampo("aXbxc", "x", 2), "c");  // letter case ignored
  EXPECT_EQ(FunVarie::NormVero(-1).ToInt(), -1);
  EXPECT_EQ(FunVarie::NormVero(1).ToInt(), 0);
}

TEST_F(CampiFuoco, ThePlainErrorBoxTellsTheErrorBeingHandled) {
  try {
    vb::Solleva(3260, "Record bloccato", "DdtTest");
  } catch (const vb::Errore&) {
    FunVarie::MsgErr();
  }
  EXPECT_EQ(messaggi_.back(), "Errore(3260): Record bloccato - DdtTest");
  EXPECT_EQ(stili_.back(), vb::vbOKOnly | vb::vbExclamation);
  FunVarie::MsgErr("Manca il file", 53, "Stampa: ", ".");
  EXPECT_EQ(messaggi_.back(), "Stampa: Errore(53): Manca il file.");
  FunVarie::MsgErr(vb::Errore(94, "Uso non valido di Null"));
  EXPECT_EQ(messaggi_.back(), "Errore(94): Uso non valido di Null");
}

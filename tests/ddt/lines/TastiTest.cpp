// The keyboard map of the line window.
#include <gtest/gtest.h>

#include "platform/InputBox.h"

#include "common/Globali.h"
#include "lots/frmPartLottoDiv.h"
#include "ddt/lines/RigheProva.h"
#include "platform/MsgBox.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class Tasti : public RigheProva {
 protected:
  std::string Lock() {
    return Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato");
  }
  static int Premi(frmDDTDett& d, int codice, int shift = 0) {
    d.Form_KeyDown(codice, shift);
    return codice;
  }
};

TEST_F(Tasti, F10InsertsALineOnlyThroughItsButtonAndIsSwallowed) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  ui::Elemento& ins = d.tolLinPag().Elem("Inserisci");
  ins.Visible = false;
  EXPECT_EQ(Premi(d, ui::vbKeyF10), 0);
  EXPECT_EQ(p.Stato(), 1);
  ins.Visible = true;
  ins.Enabled = false;
  EXPECT_EQ(Premi(d, ui::vbKeyF10), 0);
  EXPECT_EQ(p.Stato(), 1);
  ins.Enabled = true;
  EXPECT_EQ(Premi(d, ui::vbKeyF10), 0);
  EXPECT_EQ(p.Stato(), 2);
  EXPECT_TRUE(d.mbInsInMezzo);
  EXPECT_EQ(d.miRigaIns, 1);
}

TEST_F(Tasti, F10OnAnEmptyNewArticleLineEndsTheEntry) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  // An article line, or the manual line its empty article field made of it.
  ASSERT_TRUE(d.txt(18).Text() == "A" || d.txt(18).Text() == "M") << d.txt(18).Text();
  ASSERT_EQ(d.txt(20).Text(), "");
  // Through the window's key preview, as the user types it.
  d.PremiTasto(ui::vbKeyF10);
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(Lock(), "<nessuna riga>");
  EXPECT_EQ(Lavoro(kDdtModificabile), "");
}

TEST_F(Tasti, AltLettersRunTheirCommandsWhileTheButtonIsThere) {
  frmDDTDett& d = Righe(kDdtModificabile);
  // "EsciNoSalva" hidden (as for a duplicated DDT): Alt+E does nothing.
  d.tolLinPag().Elem("EsciNoSalva").Visible = false;
  Premi(d, 'E', ui::vbAltMask);
  EXPECT_TRUE(d.Caricata());
  d.tolLinPag().Elem("EsciNoSalva").Visible = true;
  // A changed line, then Alt+E: the question, answered OK, discards.
  const std::string committed = Lavoro(kDdtModificabile, "DdtDett");
  d.txt(30).SetText("9");
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  messaggi_.clear();
  Premi(d, 'E', ui::vbAltMask);
  EXPECT_TRUE(MessaggioCon("Confermi Uscita SENZA SALVATAGGIO dei Dettagli"));
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(Lavoro(kDdtModificabile, "DdtDett"), committed);
  EXPECT_EQ(Lock(), "<nessuna riga>");
}

TEST_F(Tasti, CtrlKeysMoveTheLevelPanelAndToggleTheBarcodeSave) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ui::Controllo& liv = d.C("picLivelli");
  const long left = liv.Left(), top = liv.Top();
  EXPECT_EQ(Premi(d, ui::vbKeyHome, ui::vbCtrlMask), ui::vbKeyHome);
  EXPECT_EQ(liv.Left(), 60);
  Premi(d, ui::vbKeyPageUp, ui::vbCtrlMask);
  EXPECT_EQ(liv.Top(), d.dbgRiga().Top() + 100);
  Premi(d, ui::vbKeyEnd, ui::vbCtrlMask);
  Premi(d, ui::vbKeyPageDown, ui::vbCtrlMask);
  EXPECT_EQ(liv.Left(), left);
  EXPECT_EQ(liv.Top(), top);
  const bool prima = d.obCodBarLostFocusSalva;
  Premi(d, 'S', ui::vbCtrlMask | ui::vbAltMask);
  EXPECT_EQ(d.obCodBarLostFocusSalva, !prima);
  Premi(d, 'S', ui::vbCtrlMask | ui::vbAltMask);
  EXPECT_EQ(d.obCodBarLostFocusSalva, prima);
}

TEST_F(Tasti, UpAndDownMoveBetweenLinesButNotInsideTheNotes) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_TRUE(ui::utente::Fuoco(d.txt(30)));
  ASSERT_EQ(d.txt(10).Text(), "1");
  Premi(d, ui::vbKeyDown);
  EXPECT_EQ(d.txt(10).Text(), "2");
  Premi(d, ui::vbKeyUp);
  EXPECT_EQ(d.txt(10).Text(), "1");
  d.txt(420).SetVisible(true);
  d.txt(420).SetEnabled(true);
  if (ui::utente::Fuoco(d.txt(420))) {
    Premi(d, ui::vbKeyDown);
    EXPECT_EQ(d.txt(10).Text(), "1");
  }
}

TEST_F(Tasti, FunctionKeysOfTheWindow) {
  frmDDTDett& d = Righe(kDdtModificabile);
  // F12 with the batch button hidden goes on; shown, it opens the split.
  d.C("ComPartLotti").SetVisible(false);
  messaggi_.clear();
  Premi(d, ui::vbKeyF12);
  EXPECT_EQ(d.mfrmPartLottoDiv, nullptr);
  d.C("ComPartLotti").SetVisible(true);
  Premi(d, ui::vbKeyF12);
  ASSERT_NE(d.mfrmPartLottoDiv, nullptr);
  EXPECT_TRUE(d.mfrmPartLottoDiv->Caricata());
  d.mfrmPartLottoDiv->Unload();
  EXPECT_TRUE(d.Enabled());
  // F6 with reorder files on asks the quantity to order (none given here).
  std::vector<std::string> domande;
  auto primaBox = vb::ImpostaGestoreInputBox([&](const std::string& prompt, const std::string&, const std::string&) {
    domande.push_back(prompt);
    return std::string();
  });
  G().gsDaOrdi = "S";
  messaggi_.clear();
  Premi(d, ui::vbKeyF6);
  EXPECT_EQ(domande, std::vector<std::string>{"Quantità da ordinare"});
  G().gsDaOrdi = "";
  messaggi_.clear();
  Premi(d, ui::vbKeyF6);
  EXPECT_EQ(domande.size(), 1u);
  vb::ImpostaGestoreInputBox(primaBox);
  // Alt+2 shows the second page.
  EXPECT_EQ(Premi(d, '2', ui::vbAltMask), 0);
  EXPECT_EQ(d.C("TasPagine").SelectedTab(), 2);
  // Esc never reaches the field as a character.
  int esc = 27;
  d.Form_KeyPress(esc);
  EXPECT_EQ(esc, 0);
}

}  // namespace
}  // namespace prova

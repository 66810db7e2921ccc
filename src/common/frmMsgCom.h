#pragma once
// The program's one message window: notices, questions and choices with one
// to three buttons (msgCom) and errors (MsgErrfrm). It sizes itself to the
// text and the buttons within a share of the screen width, and turns to a
// scrolling read-only text box when the text is too tall for the screen.
// Callers always use the default instance through the static members; it is
// created, shown modally and released within each call.
#include <string>

#include "platform/Errore.h"
#include "platform/Variant.h"
#include "platform/ui/Form.h"

class frmMsgCom : public ui::Form {
 public:
  // The answer of msgCom when nothing was shown because the window was
  // already open (a timer or a menu command asked while it waited). It is no
  // answer: above all not a "yes".
  static constexpr int kNessunaRisposta = 0;

  frmMsgCom();

  // Shows `psLabel` with the buttons psCom1, pvCom2, pvCom3 (captions with
  // "&" access keys; a button is left out when its caption is vb::Missing,
  // and pvCom3 counts only with pvCom2) and answers the number of the button
  // pressed, 1 to 3.
  //
  // It answers kNessunaRisposta (0) at once, showing nothing, when the
  // window is already open; also when the window was closed without a
  // button. A caller that reads an answer as consent must test for the
  // button it means (== 1), never for "not the refusal" (!= 2): the 0 would
  // pass for a yes. Conferma does this for yes/no questions.
  //
  // pvTitolo: the window's caption (the program's title when missing);
  // piLargForm: the widest the window may get, in percent of the screen
  // width; pbSuona: play the configured signal first; piLatiForm: room kept
  // beside the text (twips, both sides together); pvFontSize: font size of
  // the text; piComDefault: the button that holds the focus first (1 when
  // out of range); pvWidthCom: width of every button in twips; pbSempreTxt:
  // always show the text in the scrolling box.
  //
  // With one or two buttons Enter presses button 1 (or the button holding the
  // focus) and with two Esc presses button 2; with three neither key has a
  // default. Errors while laying out reach the caller.
  static int msgCom(const std::string& psLabel, const std::string& psCom1 = "&Ok",
                    const vb::Variant& pvCom2 = vb::Missing, const vb::Variant& pvCom3 = vb::Missing,
                    const vb::Variant& pvTitolo = vb::Missing, int piLargForm = 80, bool pbSuona = false,
                    int piLatiForm = 600, const vb::Variant& pvFontSize = vb::Missing,
                    int piComDefault = 1, const vb::Variant& pvWidthCom = vb::Missing,
                    bool pbSempreTxt = false);

  // A question whose first button means yes: true only when button 1 was
  // pressed; the other button, a window already open (0) or a window closed
  // without a button all count as no.
  static bool Conferma(const std::string& psLabel, const std::string& psSi = "&Sì",
                       const std::string& psNo = "&No", const vb::Variant& pvTitolo = vb::Missing,
                       int piComDefault = 1);

  // The error being handled, as "Errore(" number "): " description, with the
  // single button "&Ok". Called inside a catch block it reads the error that
  // block caught (a vb::Errore: its number through
  // FunzioniComuni::CodiceErrore, its description and " - " source when it
  // has one); pvError and pverr replace the description and the number.
  // psMsgAggPri and psMsgAggDop go before and after the error line. Answers
  // what msgCom answered.
  static int MsgErrfrm(const vb::Variant& pvError = vb::Missing, const vb::Variant& pverr = vb::Missing,
                       const std::string& psMsgAggPri = {}, const std::string& psMsgAggDop = {},
                       const vb::Variant& pvTitolo = vb::Missing);
  // The same for an error at hand.
  static int MsgErrfrm(const vb::Errore& e, const std::string& psMsgAggPri = {},
                       const std::string& psMsgAggDop = {}, const vb::Variant& pvTitolo = vb::Missing);

  // The default instance while a call shows it; nullptr otherwise.
  static frmMsgCom* Istanza();

  // Members through which the screen scaling finds and records the form's
  // factor.
  std::string osKeySec;
  std::string osRisVidKey;
  double odRisVidVal = 1;

  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Click(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

 private:
  void ComEsegui_Click(int Index);
  int Esegui(const std::string& psLabel, const std::string& psCom1, const vb::Variant& pvCom2,
             const vb::Variant& pvCom3, const vb::Variant& pvTitolo, int piLargForm, bool pbSuona,
             int piLatiForm, const vb::Variant& pvFontSize, int piComDefault,
             const vb::Variant& pvWidthCom, bool pbSempreTxt);
  // Puts a control first in the tab order, the others keeping theirs behind
  // it (as setting TabIndex 0 did).
  void PrimoNellOrdine(ui::Controllo& c);
};

#pragma once
// The message windows the shared services show: the common error window
// (frmMsgCom.MsgErrfrm), the plain error box (FunVarie.MsgErr) and the
// common message window with its buttons (frmMsgCom.msgCom). The services
// reach them through here.
#include <string>

#include "platform/Errore.h"
#include "platform/Variant.h"

namespace Avvisi {

// "Errore(" number "): " description, with " - " source when there is one.
std::string TestoErrore(const vb::Errore& e);

void MsgErrfrm(const vb::Errore& e);
void MsgErr(const vb::Errore& e);
// piLargForm: width in percent of the screen; piLatiForm: margin in twips.
void MsgOk(const std::string& psTesto, int piLargForm = 80, int piLatiForm = 600);
// The message window with up to three buttons: the number of the button
// pressed, 0 when the window was already open (no answer, never a yes).
int MsgCom(const std::string& psTesto, const std::string& psCom1 = "&Ok",
           const vb::Variant& pvCom2 = vb::Missing, const vb::Variant& pvCom3 = vb::Missing);
// Is the common message window open just now?
bool MsgComAperta();

}  // namespace Avvisi

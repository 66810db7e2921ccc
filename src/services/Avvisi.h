#pragma once
// The message windows the pricing services show: the common error window
// (frmMsgCom.MsgErrfrm), the plain error box (FunVarie.MsgErr) and a notice
// with the single button "&Ok" (frmMsgCom.msgCom). The services reach them
// only through here, so the windows of the user-interface layer plug in
// without the services knowing them; until then they go through vb::MsgBox,
// whose handler the tests replace.
#include <string>

#include "platform/Errore.h"

namespace Avvisi {

// "Errore(" number "): " description, with " - " source when there is one.
std::string TestoErrore(const vb::Errore& e);

void MsgErrfrm(const vb::Errore& e);
void MsgErr(const vb::Errore& e);
// piLargForm: width in percent of the screen; piLatiForm: margin in twips.
void MsgOk(const std::string& psTesto, int piLargForm = 80, int piLatiForm = 600);

}  // namespace Avvisi

#include "services/Avvisi.h"

#include "common/FunVarie.h"
#include "common/frmMsgCom.h"
#include "platform/FunzioniComuni.h"

namespace Avvisi {

std::string TestoErrore(const vb::Errore& e) {
  std::string desc = e.Description();
  if (!e.Source().empty()) desc += " - " + e.Source();
  return "Errore(" + std::to_string(vb::FunzioniComuni::Istanza().CodiceErrore(e.Number())) +
         "): " + desc;
}

void MsgErrfrm(const vb::Errore& e) { frmMsgCom::MsgErrfrm(e); }

void MsgErr(const vb::Errore& e) { FunVarie::MsgErr(e); }

void MsgOk(const std::string& psTesto, int piLargForm, int piLatiForm) {
  frmMsgCom::msgCom(psTesto, "&Ok", vb::Missing, vb::Missing, vb::Missing, piLargForm, false, piLatiForm);
}

int MsgCom(const std::string& psTesto, const std::string& psCom1, const vb::Variant& pvCom2,
           const vb::Variant& pvCom3) {
  return frmMsgCom::msgCom(psTesto, psCom1, pvCom2, pvCom3);
}

bool MsgComAperta() {
  const frmMsgCom* f = frmMsgCom::Istanza();
  return f && f->Visible();
}

}  // namespace Avvisi

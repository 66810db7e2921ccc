#include "services/Avvisi.h"

#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"

namespace Avvisi {

std::string TestoErrore(const vb::Errore& e) {
  std::string desc = e.Description();
  if (!e.Source().empty()) desc += " - " + e.Source();
  return "Errore(" + std::to_string(vb::FunzioniComuni::Istanza().CodiceErrore(e.Number())) +
         "): " + desc;
}

void MsgErrfrm(const vb::Errore& e) { vb::MsgBox(TestoErrore(e), vb::vbOKOnly | vb::vbCritical); }

void MsgErr(const vb::Errore& e) { vb::MsgBox(TestoErrore(e), vb::vbOKOnly | vb::vbExclamation); }

void MsgOk(const std::string& psTesto, int, int) { vb::MsgBox(psTesto, vb::vbOKOnly); }

}  // namespace Avvisi

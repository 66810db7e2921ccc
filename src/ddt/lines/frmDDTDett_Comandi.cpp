// The window's commands: its own work, then the key to the line page.
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Testo.h"

vb::Variant frmDDTDett::ButtonComando(const std::string& psKey) {
  std::string key = psKey;
  if (vb::UgualeTesto(key, "EsciNoSalva")) {
    mbSalvaInUscita = false;
    key = "Chiudi";
  }
  return ogLinPag().EseguiTasto(key);
}

void frmDDTDett::ChiudiFrm() {
  miChiusuraDaPagina = 1;
  Unload();
}

void frmDDTDett::MenuFrm() { mainDdt::MostraMenu(); }

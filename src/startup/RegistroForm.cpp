#include "startup/RegistroForm.h"

#include <map>

#include "ddt/header/frmDdtTest.h"
#include "platform/Testo.h"

namespace avvio {

namespace {

std::map<std::string, IstanzaForm>& Registro() {
  // The program's own forms that the menu may open go in here.
  static std::map<std::string, IstanzaForm> r;
  return r;
}

}  // namespace

void RegistraForm(const std::string& psNome, IstanzaForm pfIstanza) {
  Registro()[vb::LCase(vb::Trim(psNome))] = std::move(pfIstanza);
}

void DimenticaForm(const std::string& psNome) { Registro().erase(vb::LCase(vb::Trim(psNome))); }

ui::Form* FormRegistrata(const std::string& psNome) {
  auto it = Registro().find(vb::LCase(vb::Trim(psNome)));
  if (it == Registro().end() || !it->second) return nullptr;
  return &it->second();
}

void RegistraFormProgramma() {
  RegistraForm("frmddttest", []() -> ui::Form& { return FrmDdtTest(); });
}

}  // namespace avvio

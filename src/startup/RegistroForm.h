#pragma once
// The forms the menu server may ask for by name (switch F, "attiva",
// "passaa", "ritornoa"): each name gives the program-wide instance of its
// form. Names compare without regard to case. The header form registers
// itself here as "frmddttest".
#include <functional>
#include <string>

namespace ui {
class Form;
}

namespace avvio {

using IstanzaForm = std::function<ui::Form&()>;

void RegistraForm(const std::string& psNome, IstanzaForm pfIstanza);
void DimenticaForm(const std::string& psNome);
// The instance of a registered form (not loaded yet, maybe); nullptr for a
// name nobody registered.
ui::Form* FormRegistrata(const std::string& psNome);
// Registers the program's own forms (the header form "frmddttest"); the
// program does it once before the start-up.
void RegistraFormProgramma();

}  // namespace avvio

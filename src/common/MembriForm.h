#pragma once
// How the form framework reaches the public members of a form by name, as
// the legacy did with CallByName: objects (`ogComPag`), properties
// (`oiAbilRW`) and procedures (`ButtonComando`). A missing member raises the
// run-time error the legacy raised (438, 91 for an object set to Nothing).
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/ui/Form.h"

namespace membri {

template <class T>
T& Oggetto(ui::Form& f, const std::string& nome) {
  ui::Oggetto* o = f.OggettoPerNome(nome);
  if (!o) vb::Solleva(91, "Variabile oggetto o variabile del blocco With non impostata: " + nome);
  T* t = dynamic_cast<T*>(o);
  if (!t) vb::Solleva(438, "Proprietà o metodo non supportati dall'oggetto: " + f.Name() + "." + nome);
  return *t;
}

inline vb::Variant Chiama(ui::Form& f, const std::string& nome, std::vector<vb::Variant> argomenti) {
  return f.ChiamaPerNome(nome, argomenti);
}

// Runs a step whose run-time errors are ignored (the legacy "On Error Resume
// Next" around one statement).
template <class F>
void Ignora(F&& passo) {
  try {
    passo();
  } catch (const vb::Errore&) {
  }
}

}  // namespace membri

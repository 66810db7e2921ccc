#pragma once
// Small helpers shared by the files of the line window: the comparisons,
// emptiness and error handling every line procedure uses the same way.
#include <exception>
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "common/frmMsgCom.h"

namespace DettUtil {

inline const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
// Codes, flags and kinds compare as text without regard to case.
inline bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }
inline bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }

// The entry value of a field shown in the error colour: no text equals it,
// so the field's exit always runs its own step.
inline constexpr const char* kInErrore = "~ç§@*+";

inline bool ValidoIndice(int n) { return n >= 0 && n <= 920; }

// Runs `f` ignoring its errors, as the procedures that answer nothing of
// their failures do.
template <class F>
void SenzaErrori(F&& f) {
  try {
    f();
  } catch (const vb::Errore&) {
  } catch (const std::exception&) {
  }
}

inline std::vector<vb::Variant> Vettore(const auto& a) { return std::vector<vb::Variant>(a.begin(), a.end()); }

// A line command whose window is not part of this version says so and
// changes nothing.
inline void NonDisponibile(const std::string& psFunzione) {
  frmMsgCom::msgCom(psFunzione + " non è ancora disponibile in questa versione del programma.", "&Ok");
}

}  // namespace DettUtil

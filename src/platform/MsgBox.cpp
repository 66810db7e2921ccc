#include "platform/MsgBox.h"

#include <cstdio>

namespace vb {

namespace {

std::string& Titolo() {
  static std::string t = "Ddt";
  return t;
}

int Predefinito(const std::string& testo, int pulsanti, const std::string& titolo) {
  std::fprintf(stderr, "[%s] %s\n", titolo.c_str(), testo.c_str());
  const int tipo = pulsanti & 7;
  const bool secondo = (pulsanti & vbDefaultButton2) != 0;
  const bool terzo = (pulsanti & vbDefaultButton3) != 0;
  switch (tipo) {
    case vbOKCancel: return secondo ? vbCancel : vbOK;
    case vbAbortRetryIgnore: return terzo ? vbIgnore : secondo ? vbRetry : vbAbort;
    case vbYesNoCancel: return terzo ? vbCancel : secondo ? vbNo : vbYes;
    case vbYesNo: return secondo ? vbNo : vbYes;
    case vbRetryCancel: return secondo ? vbCancel : vbRetry;
    default: return vbOK;
  }
}

GestoreMsgBox& Gestore() {
  static GestoreMsgBox g = Predefinito;
  return g;
}

}  // namespace

int MsgBox(const std::string& testo, int pulsanti, const std::string& titolo) {
  return Gestore()(testo, pulsanti, titolo.empty() ? Titolo() : titolo);
}

GestoreMsgBox ImpostaGestoreMsgBox(GestoreMsgBox gestore) {
  GestoreMsgBox prima = Gestore();
  Gestore() = gestore ? std::move(gestore) : GestoreMsgBox(Predefinito);
  return prima;
}

const std::string& TitoloApplicazione() { return Titolo(); }
void ImpostaTitoloApplicazione(std::string titolo) { Titolo() = std::move(titolo); }

}  // namespace vb

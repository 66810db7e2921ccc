#include "platform/InputBox.h"

#include <cstdio>

#include "platform/MsgBox.h"

namespace vb {

namespace {

std::string Predefinito(const std::string& prompt, const std::string& titolo, const std::string&) {
  std::fprintf(stderr, "[%s] %s (annullato)\n", titolo.c_str(), prompt.c_str());
  return {};
}

GestoreInputBox& Gestore() {
  static GestoreInputBox g = Predefinito;
  return g;
}

}  // namespace

std::string InputBox(const std::string& prompt, const std::string& titolo, const std::string& predefinito) {
  return Gestore()(prompt, titolo.empty() ? TitoloApplicazione() : titolo, predefinito);
}

GestoreInputBox ImpostaGestoreInputBox(GestoreInputBox gestore) {
  GestoreInputBox prima = Gestore();
  Gestore() = gestore ? std::move(gestore) : GestoreInputBox(Predefinito);
  return prima;
}

}  // namespace vb

#include "services/LatoMenu.h"

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/menu/ClientMenu.h"

namespace servizi {

namespace {

LatoMenu& Lato() {
  static LatoMenu l;
  return l;
}

menu::ClientMenu& Client() {
  if (!G().goMenuClient) vb::Solleva(vb::ErrChiamataNonValida, "Il menu principale non è in esecuzione");
  return *G().goMenuClient;
}

}  // namespace

LatoMenu ImpostaLatoMenu(LatoMenu pgLato) {
  LatoMenu prima = std::move(Lato());
  Lato() = std::move(pgLato);
  return prima;
}

std::string UtenteMenu() {
  if (Lato().Utente) return Lato().Utente();
  return G().goMenuClient ? G().goMenuClient->Utente() : std::string();
}

namespace {
std::function<std::string()>& Terminale() {
  static std::function<std::string()> t;
  return t;
}
}  // namespace

std::string TerminaleMenu() {
  if (Terminale()) return Terminale()();
  return G().goMenuClient ? G().goMenuClient->Terminale() : std::string();
}

std::function<std::string()> ImpostaTerminaleMenu(std::function<std::string()> pfTerminale) {
  std::function<std::string()> prima = std::move(Terminale());
  Terminale() = std::move(pfTerminale);
  return prima;
}

void ScriviValoreLancio(const std::string& psNome, int piTipo, bool pbFlag, const vb::Variant& pvValore) {
  if (Lato().ScriviValoreLancio) return Lato().ScriviValoreLancio(psNome, piTipo, pbFlag, pvValore);
  Client().ScriviValoreLancio(psNome, piTipo, pbFlag, pvValore);
}

void LanciaProgramma(const std::string& psSezione, const std::string& psModo) {
  if (Lato().LanciaProgramma) return Lato().LanciaProgramma(psSezione, psModo);
  Client().LanciaProgramma(psSezione, psModo);
}

}  // namespace servizi

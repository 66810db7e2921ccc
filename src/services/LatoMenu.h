#pragma once
// What the shared services ask the menu server beside the parameters: the
// user at work, the named launch values and the launch of another program.
// They go to the program's menu client (goMenuClient); a test, or a program
// that runs without a menu server, installs its own answers.
#include <functional>
#include <string>

#include "platform/Variant.h"

namespace servizi {

struct LatoMenu {
  std::function<std::string()> Utente;
  std::function<void(const std::string& psNome, int piTipo, bool pbFlag, const vb::Variant& pvValore)>
      ScriviValoreLancio;
  std::function<void(const std::string& psSezione, const std::string& psModo)> LanciaProgramma;
};

// Installs answers (an unset member goes to goMenuClient); returns the
// previous ones.
LatoMenu ImpostaLatoMenu(LatoMenu pgLato);

// ClientMenu.Utente; "" while the program has no menu client.
std::string UtenteMenu();
// ClientMenu.Terminale; "" while the program has no menu client. A test,
// or a program without a menu server, installs its own answer (an empty
// function goes back to the client); the previous one is returned.
std::string TerminaleMenu();
std::function<std::string()> ImpostaTerminaleMenu(std::function<std::string()> pfTerminale);
// ClientMenu.ScriviValoreLancio and ClientMenu.LanciaProgramma; without a
// menu client they raise 5, as a menu server that is not running.
void ScriviValoreLancio(const std::string& psNome, int piTipo, bool pbFlag, const vb::Variant& pvValore);
void LanciaProgramma(const std::string& psSezione, const std::string& psModo);

}  // namespace servizi

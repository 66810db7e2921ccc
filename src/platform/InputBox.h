#pragma once
// The run time's input box: a prompt, a text field with a default, OK and
// Cancel. As with the message box the window belongs to the user-interface
// backend, which installs itself here; until one does, the box answers ""
// (Cancel), so batch runs and tests never block on a window nobody sees.
#include <functional>
#include <string>

namespace vb {

using GestoreInputBox = std::function<std::string(const std::string& prompt, const std::string& titolo,
                                                  const std::string& predefinito)>;

// The text typed, "" when cancelled; an empty title takes the program's.
std::string InputBox(const std::string& prompt, const std::string& titolo = {},
                     const std::string& predefinito = {});
// Installs the window backend (or a test's scripted answers); returns the
// previous one. An empty handler restores the default.
GestoreInputBox ImpostaGestoreInputBox(GestoreInputBox gestore);

}  // namespace vb

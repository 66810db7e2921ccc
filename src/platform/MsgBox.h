#pragma once
// The run time's plain message box. The window itself belongs to the
// user-interface backend in use; until one installs itself the message goes
// to the standard error and answers the default button, so batch runs and
// tests never block on a window nobody can see.
#include <functional>
#include <string>

namespace vb {

enum PulsantiMsg : int {
  vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4,
  vbRetryCancel = 5, vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
  vbDefaultButton2 = 256, vbDefaultButton3 = 512,
};
enum RispostaMsg : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

using GestoreMsgBox = std::function<int(const std::string& testo, int pulsanti, const std::string& titolo)>;

// Shows `testo`; an empty title takes the program's title.
int MsgBox(const std::string& testo, int pulsanti = vbOKOnly, const std::string& titolo = {});
// Installs the window backend (or a test's scripted answers); returns the
// previous one. An empty handler restores the default.
GestoreMsgBox ImpostaGestoreMsgBox(GestoreMsgBox gestore);

// The program's title (App.Title of the legacy).
const std::string& TitoloApplicazione();
void ImpostaTitoloApplicazione(std::string titolo);

}  // namespace vb

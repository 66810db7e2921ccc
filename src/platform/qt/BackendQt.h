#pragma once
// The window system of the program: the forms of the control model shown as
// Qt Widgets windows. The model stays the master: widgets mirror its
// properties, and what the user does comes back to it as the legacy events
// (focus moves, keys, clicks), so that a form behaves the same on the screen
// as under the headless backend of the tests.
//
// Nothing here pulls in Qt: the program's start-up includes this header, and
// only the Qt library itself links the toolkit.
#include <memory>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"

class QWidget;

namespace ui {

class BackendQt : public Backend {
 public:
  BackendQt();
  ~BackendQt() override;
  BackendQt(const BackendQt&) = delete;
  BackendQt& operator=(const BackendQt&) = delete;

  void FormCaricata(Form& f) override;
  void FormScaricata(Form& f) override;
  void FormMostrata(Form& f) override;
  void FormNascosta(Form& f) override;
  void FormCambiata(Form& f) override;
  void FormAttivata(Form& f) override;
  void AttendiModale(Form& f) override;

  void ControlloCreato(Controllo& c) override;
  void ControlloRimosso(Controllo& c) override;
  void Cambiato(Controllo& c, Prop p) override;
  void Fuoco(Controllo& c) override;

  Misura MisuraTesto(const Carattere& f, const std::string& testo, long larghezzaMax) override;
  bool ScegliCarattere(Carattere& f) override;
  int64_t Adesso() override;
  void DoEvents() override;
  void AttendiInput(Form& f) override;
  void AggiornaSchermo() override;

  // Runs the event loop until no form is loaded any more.
  void Ciclo();

  // The window of a loaded form and the widget of a control (nullptr when
  // there is none: a form not loaded, a timer); for tests and checks.
  static QWidget* Finestra(const Form& f);
  static QWidget* Widget(const Controllo& c);

  struct Impl;

 private:
  std::unique_ptr<Impl> d_;
};

// Creates the application object once (later calls reuse it) and installs
// the Qt backend for the control model; 0 when done.
int AvviaQt(int argc, char** argv);
// The backend AvviaQt installed (nullptr before).
BackendQt* BackendQtAttivo();
// Runs the program's event loop until the last form unloads.
void CicloQt();
// Writes the picture of a loaded form's window to a PNG file.
bool SalvaSchermata(Form& f, const std::string& pngPath);

}  // namespace ui

#pragma once
// What a window system does for the control model: show forms and their
// controls, wait while a modal form is up, measure text, keep time. The
// headless backend (tests) and the Qt backend (real windows) implement it;
// the program never talks to either directly.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Controllo.h"

namespace ui {

class Form;

struct Misura {
  long larghezza = 0;  // twips
  long altezza = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  virtual void FormCaricata(Form&) {}
  virtual void FormScaricata(Form&) {}
  virtual void FormMostrata(Form&) {}
  virtual void FormNascosta(Form&) {}
  virtual void FormCambiata(Form&) {}
  // The form's window comes to the front and takes the keyboard.
  virtual void FormAttivata(Form&) {}
  // Returns when the form is no longer visible (hidden or unloaded);
  // meanwhile timers fire and other input is handled.
  virtual void AttendiModale(Form&) = 0;

  virtual void ControlloCreato(Controllo&) {}
  virtual void ControlloRimosso(Controllo&) {}
  virtual void Cambiato(Controllo&, Prop) {}
  virtual void Fuoco(Controllo&) {}

  // Size of a text in a font, on one line (larghezzaMax 0) or wrapped to a
  // width.
  virtual Misura MisuraTesto(const Carattere& f, const std::string& testo, long larghezzaMax) = 0;

  // The window system's font dialog, opened on `f`: true when the user
  // chose a font (then in `f`); without one, as if cancelled.
  virtual bool ScegliCarattere(Carattere& f) { (void)f; return false; }

  // Milliseconds of the backend's clock (a fake one when headless).
  virtual int64_t Adesso() = 0;
  // Lets pending input and due timers through.
  virtual void DoEvents() = 0;
  // Waits for the user's next input on `f` (a window that waits in a loop
  // for a flag its handlers set), without spinning.
  virtual void AttendiInput(Form& f);

  // Screen size in pixels (and the twips per pixel) as the window system
  // tells it.
  virtual void AggiornaSchermo() {}
};

Backend& BackendAttivo();
// Installs a backend (nullptr: back to the headless default); the caller
// keeps ownership.
void ImpostaBackend(Backend* b);

// Due timers fire: called by the backends from their event loops. The
// input sources below are served first.
void EseguiTimerScaduti();

// Input that does not come from the window system (the menu server's
// channel): every source is served with the timers, so each backend's loop
// serves it, also while a modal form waits. `fd` (or -1) is the descriptor
// a backend may watch to serve the sources as soon as it is readable.
// Serving must not block.
int AggiungiSorgente(int fd, std::function<void()> servi);
void RimuoviSorgente(int id);
void ServiSorgenti();
// The descriptors of the sources, for a backend that watches them.
std::vector<int> DescrittoriSorgenti();

}  // namespace ui

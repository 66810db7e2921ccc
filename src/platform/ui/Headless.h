#pragma once
// The backend without windows, for tests: the user's actions are calls, the
// clock is stepped by hand, text metrics are fixed, and a modal form is
// answered by the next step of a script the test gave; a modal form nobody
// scripted fails with its caption and texts.
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"

namespace ui {

class ModaleInattesa : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class Headless : public Backend {
 public:
  // A step answers one modal form: it acts on it (clicks a button, types)
  // so that the form hides or unloads.
  using Passo = std::function<void(Form&)>;

  void AttendiModale(Form& f) override;
  Misura MisuraTesto(const Carattere& f, const std::string& testo, long larghezzaMax) override;
  int64_t Adesso() override { return ora_; }
  void DoEvents() override { EseguiTimerScaduti(); }
  // The next step of the script acts on the waiting window (a test without
  // one fails, as for a modal form).
  void AttendiInput(Form& f) override;
  void Fuoco(Controllo& c) override { ultimoFuoco_ = &c; }

  // ---- the test's side
  void Rispondi(Passo p) { script_.push_back(std::move(p)); }
  bool ScriptFinito() const { return script_.empty(); }
  void AzzeraScript() { script_.clear(); }
  // Moves the fake clock on, firing the timers that come due in order.
  void AvanzaTempo(int64_t ms);
  // Runs the deferred steps (timers due within `ms`, default one tick).
  void Esegui(int64_t ms = 1) { AvanzaTempo(ms); }
  int ModaliMostrate() const { return modali_; }

 private:
  std::deque<Passo> script_;
  int64_t ora_ = 0;
  int modali_ = 0;
  Controllo* ultimoFuoco_ = nullptr;
};

// The headless backend in use (installs one when another is active).
Headless& HeadlessAttivo();

// ---- the user's actions on the headless backend
namespace utente {
// Focus on a control, as a click or Tab would put it there.
bool Fuoco(Controllo& c);
// Types text into the focused control (or `c`, focusing it first), key by key.
void Digita(Controllo& c, const std::string& testo);
// A key with shift state on the active form.
void Premi(Form& f, int codice, int shift = 0);
// A click: command buttons, check boxes (0 <-> 1), option buttons, labels.
void Clicca(Controllo& c);
void DoppioClic(Controllo& c);
// A mouse button pressed on a control (1 left, 2 right, 4 middle), with
// nothing else: no click, no focus.
void PremiMouse(Controllo& c, int pulsante, int shift = 0);
// A toolbar button by key.
void BottoneBarra(Controllo& barra, const std::string& key);
// A combo or list item picked with the mouse.
void Scegli(Controllo& lista, int indice);
// The window's close box.
bool Chiudi(Form& f);
}  // namespace utente

}  // namespace ui

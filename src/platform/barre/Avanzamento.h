#pragma once
// The progress object of long jobs: it shows, on the busy window handed to
// it (`Form`), a message, the step reached "di" the total and a progress
// bar, and takes the window away on `Chiudi`. The window is reached by the
// names of its controls: the picture box "PicMsgElab" that holds them, the
// message label "LabMsgElab", the counters "LabFatti" and "labDaFare", the
// bar "proDaFare"; a control the window lacks is passed over. Nothing the
// object does is read back by the jobs, and a failure to show never stops
// the job.
#include <string>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

namespace barre {

class Avanzamento {
 public:
  Avanzamento() = default;
  ~Avanzamento();
  Avanzamento(const Avanzamento&) = delete;
  Avanzamento& operator=(const Avanzamento&) = delete;

  // The busy window to show the progress on.
  void Form(ui::Form& f) { form_ = &f; }
  ui::Form* Form() const { return form_; }
  // Opens the display: the total of steps, the text of the window, then
  // options kept for the callers (piOpz, pbBarra, pbContatori, piDimFont),
  // the message line, and two more options.
  void Apri(long plTotale, const std::string& psTesto, int piOpz = 0, bool pbBarra = true,
            bool pbContatori = true, int piDimFont = 24, const std::string& psMessaggio = {},
            int piOpz2 = 2, bool pbOpz3 = true);
  // The same on the given window, which it gives back.
  ui::Form& ApriConForm(ui::Form& f, long plTotale, const std::string& psTesto, int piOpz = 0,
                        bool pbBarra = true, bool pbContatori = true, int piDimFont = 16,
                        const std::string& psTitolo = {}, int piOpz2 = 2, bool pbOpz3 = true);
  // A new total of the bar (the step goes back to 0).
  void Messaggio(long plTotale, int piOpz = 0);
  // The text line above the counters.
  void Titolo(const std::string& psTesto);
  // The step reached, with an optional new text.
  void Avanza(long plPasso, const vb::Variant& pvTesto = vb::Missing, bool pbEventi = true);
  // How errors are shown: kept for the callers.
  void Errore(int, bool = true, int = 16) {}
  // Takes the window away.
  void Chiudi(bool pbScarica = true);

  long Totale() const { return totale_; }
  long Passo() const { return passo_; }
  bool Aperto() const { return aperto_; }

 private:
  ui::Controllo* Ctl(const char* nome) const;
  void Contatori();

  ui::Form* form_ = nullptr;
  long totale_ = 0;
  long passo_ = 0;
  bool aperto_ = false;
  bool contatori_ = true;
};

}  // namespace barre

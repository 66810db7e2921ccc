#pragma once
// The busy window ("In Elaborazione") of long jobs: a message, items done
// "di" items to do, and a progress bar. The jobs open it, move it on and
// close it through the static members, on a default instance.
#include <string>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

class frmInElab : public ui::Form {
 public:
  frmInElab();

  // Opens the window (modeless, centred) with a message and the number of
  // items to do (0: no counters); it replaces the message of a window
  // already open. The window is optional: when it cannot be shown (a modal
  // window is up) the job goes on without it.
  static void Mostra(const std::string& psMessaggio = "in Elaborazione", long plDaFare = 0);
  // Items done so far.
  static void Avanza(long plFatti);
  // Closes and releases the window; nothing when it is not open.
  static void Chiudi();
  // The open window; nullptr when none.
  static frmInElab* Istanza();

  std::string osKeySec;
  std::string osRisVidKey;
  double odRisVidVal = 1;

  void Form_Load() override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
};

#pragma once
// The holder of the look-up library and the receiver of its events: a
// decode about to run (answered by mainDdt.PrepDecod), the main menu asked
// for from a look-up window, and the keys of a program the library
// launched. One instance lives for the whole run, created on first use.
#include <functional>
#include <memory>
#include <string>

#include "platform/Variant.h"
#include "platform/aiuti/AiutiDecodifica.h"

class scZelUtilPrg {
 public:
  // Creates the library and listens to its events (Class_Initialize).
  scZelUtilPrg();
  // Releases the library (Class_Terminate).
  ~scZelUtilPrg();
  scZelUtilPrg(const scZelUtilPrg&) = delete;
  scZelUtilPrg& operator=(const scZelUtilPrg&) = delete;

  // The look-up library object.
  std::shared_ptr<aiuti::AiutiDecodifica> ogZelAiuti;
  // The event source the class listens to.
  aiuti::SorgenteEventiAiuti& ogZelAiuto() const { return ogZelAiuti->SorgenteEventi(); }

  // The event handlers.
  void mgZelAiuto_ClsMainMenuFrm();
  void mgZelAiuto_ClsPrepDecod(const std::string& psId, const std::string& psKeyBase, const std::string& psCampo,
                               vb::Variant& pvValore, vb::Variant& pvSoloDecod, vb::Variant& pvSqlNoFiltro,
                               vb::Variant& pvRitorno);
  void mgZelAiuto_LanciaKeyPrim(const std::string& psLanciaKeyPrim);
  void mgZelAiuto_LanciaKeySec(const std::string& psLanciaKeySec);

  // The program-wide instance, created on first use; Rilascia ends it (the
  // end of the program, the tests).
  static scZelUtilPrg& Istanza();
  static void Rilascia();

  // Back to the main menu (mainDdt.MostraMenu): the start-up installs it;
  // unset, the menu client's TornaAlMenu of section "Tutti". Returns the
  // previous one.
  static std::function<void()> ImpostaMostraMenu(std::function<void()> pfMostraMenu);
};

// Start-up step of the look-up library: goZelAiuto from the holder, the
// window's screen factor, the library initialised on the company database
// with the program's colours, gfrmAiuto, and the personal "Help" /
// "HlpSpost" (the caret of the search box). Errors of the factor and the
// personal parameter are ignored; those of the initialisation reach the
// caller.
void PreparaAiuti(double pdRisVidHelp);

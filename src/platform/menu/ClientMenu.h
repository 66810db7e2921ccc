#pragma once
// The client of the suite's menu server: the program connects with the menu
// identifier, its program key and window identifier, asks for parameters,
// launch information and launches, and receives the server's commands as
// the event EseguiComando. The channel is described in Protocollo.h.
//
// Everything runs on the user-interface thread. A request waits for its
// answer and meanwhile serves the commands the server sends (the server may
// ask this very program for its launch keys while it handles a launch).
// Between requests the socket is served from the backend's loop: the client
// registers itself as an input source of the control model (ui::Backend.h),
// which runs with the timers, while a modal window waits too, also when
// that window was opened by a menu command: commands nest as the legacy
// component's events did. A command the server withdraws before it began
// is dropped unanswered.
//
// Errors: no server, a server that went away or does not answer raise 5
// (FunzioniComuni.CodiceErrore of 5 means "menu server not running"); an
// error the server reports comes with its own number and description.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <memory>
#include <string>

#include "platform/Variant.h"
#include "platform/menu/Protocollo.h"

namespace menu {

// The launch of a window: what the server handed over with it.
struct InfoLancio {
  std::string osParam;         // launch parameter text (switches H, F, RO...)
  std::string osChiLancia;     // primary key of the launching program; "" = the menu
  std::string osKeySecLancia;  // its second key
  std::string osParamLancia;   // parameter to hand back to it
  std::string osTipoForm;      // window state ("2" maximised)
};

class ClientMenu : public std::enable_shared_from_this<ClientMenu> {
 public:
  ClientMenu();
  ~ClientMenu();
  ClientMenu(const ClientMenu&) = delete;
  ClientMenu& operator=(const ClientMenu&) = delete;

  // The server's command: menu identifier, window key, command, parameter;
  // the value left in `pvRitComando` is the answer.
  using GestoreComando = std::function<void(const std::string& psIdMenu, const std::string& psKeySec,
                                            const std::string& psCom, const ValoreMenu& pvParam,
                                            vb::Variant& pvRitComando)>;
  GestoreComando EseguiComando;

  void Connetti(const std::string& psIdMenu, const std::string& psKeyPrg, const std::string& psIdFinestra);
  bool Connesso() const { return canale_.Aperto(); }
  // Result of a server function: "PrepProcCorr", "AddSeg", "TastiCtrl",
  // "MsgBox" (shows the text), "Partito" (1 starting, 2 failed, else started).
  vb::Variant EseguiFunzione(const std::string& psFunzione, const std::string& psSezione,
                             const ValoreMenu& pvArg = ValoreMenu(vb::Missing));
  // Company parameter by dotted name, personal parameter
  // "Personal.<section>.§<name>" ("§ç~$!^" when absent), named value,
  // "MenuProcId", "ID:" + key.
  vb::Variant LeggiParam(const std::string& psNome, const std::string& = {});
  void ScriviParam(const std::string& psNome, const std::string&, const vb::Variant& pvValore);
  // The launch of the current window (or of the one PrendiInfoLancio chose).
  menu::InfoLancio InfoLancio();
  void PrendiInfoLancio(const std::string& psKeySec);
  std::string PercorsoIni();
  vb::Variant DataLavoro();
  std::string Utente();
  std::string Terminale();
  void ScriviValoreLancio(const std::string& psNome, int piTipo, bool pbFlag, const vb::Variant& pvValore);
  void LanciaProgramma(const std::string& psSezione, const std::string& psModo);
  vb::Variant RisultatoLancio(const std::string& psNome, const vb::Variant& = vb::Missing,
                              const std::string& = {}, const vb::Variant& = vb::Missing);
  bool InEsecuzione(const std::string& psRichiesta, int piTipo = 12);
  void TornaAlMenu(const std::string& psSezione);
  void TornaAChiama(const std::string& psKeyLancia, const std::string& psKeySecLancia,
                    const std::string& psParamLancia);
  void PassaA(const std::string& psCaption, const std::string& psNomeForm, const std::string& psKeySec);
  void ChiusoForm(const std::string& psKeySec);
  void Disconnetti();

  // Serves the commands waiting on the socket, without blocking; run by the
  // backend's loop through the input source, also inside a command that
  // waits on a modal window.
  void Servi();

  // Seconds a request waits for an answer after the last frame received.
  static void ImpostaAttesaMassima(int secondi);

 private:
  ValoreMenu Chiama(const std::string& operazione, std::vector<ValoreMenu> argomenti);
  // The next frame read, withdrawn commands taken out.
  std::optional<Frame> Prendi();
  // A frame that is not the answer a call waits for: a command served, an
  // answer kept for its call, a frame that broke the rules answered.
  void Smista(const Frame& f);
  void Tratta(const Frame& f);
  void Rispondi(const Frame& r);
  void Chiudi();

  Canale canale_;
  int sorgente_ = 0;
  long numero_ = 0;
  // Frames read and not yet handled, in their order.
  std::deque<Frame> arrivati_;
  // Calls still waiting for their answer (nested ones too).
  std::set<long> inAttesa_;
  // Answers read by an inner call (or by the loop) that belong to a call
  // still waiting.
  std::map<long, Frame> risposteTenute_;
  int inComando_ = 0;
  bool chiudiDopo_ = false;  // left the server inside a command: close after answering
  std::string idMenu_, keyPrg_, finestra_;
  std::string finestraInfo_;  // window whose launch InfoLancio describes
};

}  // namespace menu

#pragma once
// The holder of the menu-server client and the receiver of its commands:
// each command passes to mainDdt::GestComandoMenu (which guards the close
// request while a sub-form of the delivery note is open), then to
// UtilClient::EseguiComandoMenu (every command). The answer is the value
// left in pvRitComando.
#include <memory>
#include <string>

#include "platform/Variant.h"
#include "platform/menu/ClientMenu.h"

class scMenuComandiClie {
 public:
  scMenuComandiClie();
  ~scMenuComandiClie();
  scMenuComandiClie(const scMenuComandiClie&) = delete;
  scMenuComandiClie& operator=(const scMenuComandiClie&) = delete;

  std::shared_ptr<menu::ClientMenu> ogMenuClient() const { return mgMenuClient; }
  void ogMenuClient(std::shared_ptr<menu::ClientMenu> pgMenuClient);
  const std::string& UltCom() const { return msUltCom; }
  void UltCom(const std::string& psUltCom) { msUltCom = psUltCom; }
  const std::string& UltParam() const { return msUltParam; }
  void UltParam(const std::string& psUltParam) { msUltParam = psUltParam; }
  const menu::ValoreMenu& UltParamVar() const { return mvUltParam; }
  void UltParamVar(const menu::ValoreMenu& pvUltParam) { mvUltParam = pvUltParam; }

  void mgMenuClient_EseguiComando(const std::string& psIdMenu, const std::string& psKeySec,
                                  const std::string& psCom, const menu::ValoreMenu& pvParam,
                                  vb::Variant& pvRitComando);

 private:
  void Aggancia();
  std::shared_ptr<menu::ClientMenu> mgMenuClient;
  std::string msUltCom;
  std::string msUltParam;
  menu::ValoreMenu mvUltParam;
};

namespace mainDdt {
// The close request is refused while the lines, levels or expenses of the
// header are open and the user answers "Annulla"; every command then goes
// to UtilClient::EseguiComandoMenu.
void GestComandoMenu(const std::string& psIdMenu, const std::string& psKeySec, const std::string& psCom,
                     const menu::ValoreMenu& pvParam, vb::Variant& pvRitComando);
}  // namespace mainDdt

namespace UtilClient {
// Every menu command: "fine", "esiste", "ritornoa", "attiva", "preppassaa",
// "passaa", "keyprgprim", "keyprgsec", "paramprgclie", "comandoprgclie",
// "FEInvio", "FEAttesa", "FEInfo" (letter case ignored); others answer "".
void EseguiComandoMenu(const std::string& psIdMenu, const std::string& psKeySec, const std::string& psCom,
                       const menu::ValoreMenu& pvParam, vb::Variant& pvRitComando);
}  // namespace UtilClient

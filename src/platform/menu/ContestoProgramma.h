#pragma once
// The program context of the suite: whether the program runs inside the
// menu, and the menu client through which the look-up library and the
// command bars reach the menu server.
#include <memory>

namespace menu {

class ClientMenu;

class ContestoProgramma {
 public:
  void ImpAttivo(bool attivo) { attivo_ = attivo; }
  bool Attivo() const { return attivo_; }
  void ClientMenu(std::shared_ptr<menu::ClientMenu> client) { client_ = std::move(client); }
  const std::shared_ptr<menu::ClientMenu>& Client() const { return client_; }

 private:
  bool attivo_ = false;
  std::shared_ptr<menu::ClientMenu> client_;
};

}  // namespace menu

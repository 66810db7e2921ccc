// ddt-menu: a stand-in for the suite's menu server.
//   ddt-menu avvia --ini <file> [--ditta <codice>] [--utente <nome>]
//                  [--resta] [--senza-programma]
//       serves the menu and starts the DDT program of the ini; ends when the
//       program has ended (--resta: keeps serving until Ctrl+C)
//   ddt-menu elenco [--menu <id>]
//       the programs running under the menu
//   ddt-menu comando [--menu <id>] <programma> <comando> [parametro]
//       sends a menu command ("fine", "esiste", "ritornoa", "attiva",
//       "preppassaa", "passaa", "keyprgprim", "keyprgsec", "paramprgclie",
//       "comandoprgclie", "FEInvio", "FEAttesa", "FEInfo") to a program,
//       named by its key, window or process id, and prints the answer. A
//       parameter with "|" is sent as an array ("x|y|0|testo|..."), its
//       whole numbers as numbers.
// Without --menu the only menu listening in the runtime folder is used.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/menu/ServerMenu.h"

namespace {

const char* const kUso =
    "Uso:\n"
    "  ddt-menu avvia --ini <file> [--ditta <codice>] [--utente <nome>] [--resta] [--senza-programma]\n"
    "  ddt-menu elenco [--menu <id>]\n"
    "  ddt-menu comando [--menu <id>] <programma> <comando> [parametro]\n";

// Seconds a command waits for the program's answer.
constexpr long kAttesaComando = 600;

menu::ServerMenu* gServer = nullptr;

void Segnale(int) {
  if (gServer) gServer->Ferma();
}

std::string IdMenu(const std::string& scelto) {
  if (!scelto.empty()) return scelto;
  auto ids = menu::ServerInAscolto();
  if (ids.size() == 1) return ids.front();
  if (ids.empty()) vb::Solleva(5, "Nessun menu in esecuzione");
  vb::Solleva(5, "Più menu in esecuzione (" + vb::Join(ids, ", ") + "): indicarne uno con --menu");
}

vb::Variant Valore(const std::string& s) {
  bool cifre = !s.empty() && s.size() < 10;
  for (size_t i = 0; i < s.size(); ++i)
    if (!(std::isdigit(static_cast<unsigned char>(s[i])) || (i == 0 && s[i] == '-' && s.size() > 1))) cifre = false;
  if (cifre) return vb::Variant(static_cast<long>(std::stol(s)));
  return vb::Variant(s);
}

std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull()) return "";
  if (v.VarType() == vb::vbBoolean) return v.ToBool() ? "True" : "False";
  return v.ToString();
}

int Avvia(const std::vector<std::string>& a) {
  std::string ini, ditta, utente;
  bool resta = false, programma = true;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == "--ini" && i + 1 < a.size()) ini = a[++i];
    else if (a[i] == "--ditta" && i + 1 < a.size()) ditta = a[++i];
    else if (a[i] == "--utente" && i + 1 < a.size()) utente = a[++i];
    else if (a[i] == "--resta") resta = true;
    else if (a[i] == "--senza-programma") programma = false;
    else {
      std::cerr << kUso;
      return 2;
    }
  }
  if (ini.empty()) {
    std::cerr << kUso;
    return 2;
  }
  menu::ServerMenu server(ini, ditta, utente);
  server.Avvia();
  gServer = &server;
  std::signal(SIGINT, Segnale);
  std::signal(SIGTERM, Segnale);
  std::signal(SIGPIPE, SIG_IGN);
  if (programma && !server.Lancia() && !resta) return 1;
  int rc = server.Esegui(programma && !resta);
  gServer = nullptr;
  return rc;
}

int Elenco(const std::vector<std::string>& a) {
  std::string id;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] == "--menu" && i + 1 < a.size()) id = a[++i];
  menu::ValoreMenu r = menu::RichiestaAlServer(IdMenu(id), "Elenco", {});
  if (r.Elementi().empty()) std::cout << "Nessun programma in esecuzione\n";
  for (const auto& riga : r.Elementi()) std::cout << Testo(riga) << "\n";
  return 0;
}

int Comando(const std::vector<std::string>& a) {
  std::string id;
  std::vector<std::string> pos;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == "--menu" && i + 1 < a.size()) id = a[++i];
    else pos.push_back(a[i]);
  }
  if (pos.size() < 2 || pos.size() > 3) {
    std::cerr << kUso;
    return 2;
  }
  menu::ValoreMenu param;
  if (pos.size() == 3) {
    if (pos[2].find('|') != std::string::npos) {
      std::vector<vb::Variant> el;
      for (const auto& p : vb::Split(pos[2], "|")) el.push_back(Valore(p));
      param = menu::ValoreMenu(el);
    } else {
      param = menu::ValoreMenu(vb::Variant(pos[2]));
    }
  }
  // The server answers for a program that keeps silent past the wait; the
  // margin is for a server that does not answer at all.
  menu::ValoreMenu r = menu::RichiestaAlServer(IdMenu(id), "Comando",
                                               {pos[0], pos[1], param, vb::Variant(kAttesaComando)},
                                               static_cast<int>(kAttesaComando + 30));
  std::cout << Testo(r.Valore()) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  if (a.empty()) {
    std::cerr << kUso;
    return 2;
  }
  const std::string cmd = a.front();
  a.erase(a.begin());
  if (cmd == "--help" || cmd == "-h") {
    std::cout << kUso;
    return 0;
  }
  try {
    if (cmd == "avvia") return Avvia(a);
    if (cmd == "elenco") return Elenco(a);
    if (cmd == "comando") return Comando(a);
  } catch (const vb::Errore& e) {
    std::cerr << "ddt-menu: " << e.Description() << " (errore " << e.Number() << ")\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "ddt-menu: " << e.what() << "\n";
    return 1;
  }
  std::cerr << kUso;
  return 2;
}

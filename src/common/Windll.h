#pragma once
// The session the program runs in and the desktop's panel. The print set-up
// matches printers to the address of the client a remote session comes
// from; the message window and the screen scaling keep forms above a panel
// docked at the bottom of the screen.
//
// On this system a remote session is told by its environment: SSH_CONNECTION
// or SSH_CLIENT (the client's address first), REMOTEHOST, or an X display of
// the form host:n. A local (console) session has the address "0.0.0.0".
#include <functional>
#include <string>
#include <vector>

namespace Windll {

// One session of the local system.
struct Sessione {
  long id = 0;
  std::string stazione;  // the terminal line ("pts/0", "tty1", ":0")
  int stato = 0;         // 0 active
};

// Lists the sessions of the local system (the login records, with the
// program's own session always among them). False when they cannot be read.
bool ElencoSessioni(std::vector<Sessione>& pvSessioni, std::vector<std::string>& pvAltro);

// The program's session id and its client address; 0 and "" when the
// sessions cannot be listed.
long LeggiClientSessione(std::string& psIndirizzo);

// The client address of the program's own session (plSessione receives its
// id): an IPv4 address in dotted decimal form without leading zeros, an
// IPv6 address in its short form, "0.0.0.0" for a local session.
std::string IndirizzoClient(long& plSessione);

// The same worked out from an environment (a reader of variables, "" for an
// unset one): what IndirizzoClient does with the program's own.
std::string IndirizzoDaAmbiente(const std::function<std::string(const std::string&)>& leggi);

// The desktop panel as the window system reports it (ui::Screen().BarraApp):
// True when it hides itself; piSempreSopra -1 when it stays on top, else 0;
// piLato the edge (0 left, 1 top, 2 right, 3 bottom) and the rectangle in
// pixels, or piLato -1 with the rectangle left alone when there is no panel.
bool StatoBarraApp(int& piLato, int& piSempreSopra, long& plAlto, long& plSinistra, long& plDestra,
                   long& plBasso);

// The usable screen height in twips: the screen's, or the top of a panel
// docked at the bottom that does not hide itself.
long AltezzaUtileSchermo();

}  // namespace Windll

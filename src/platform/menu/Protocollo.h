#pragma once
// The channel between the menu server and the programs it starts: a Unix
// domain socket in the user's runtime folder, one per menu server
// ("velnor-menu-<menu identifier>.sock" in $XDG_RUNTIME_DIR, or in
// /tmp/ddt-<uid> created with mode 0700 when that is not set).
//
// Frames. One frame is one line of UTF-8 text ending in "\n"; its fields are
// separated by a TAB. Inside a field a backslash escapes "\\" (backslash),
// "\t" (TAB), "\n" (line feed) and "\r" (carriage return), so a field never
// holds a raw TAB or line end.
//
//   Q <n> <operation> <value>...        a request of a program (or of the
//                                       shell tool) to the server
//   C <n> <menu id> <window key> <command> <value>
//                                       a menu command to a program
//   R <n> OK <value>                    the answer to the Q or C numbered n
//   R <n> ERR <number> <description>    the request failed with that error
//
// Each side numbers its own Q or C frames; an R always answers a frame of
// the other side, so the two numberings never meet. Either side may receive
// a Q or C while it waits for an R: it serves it first (a program serves the
// menu command inside its wait, as the legacy component's event arrived
// during any call), then goes on waiting.
//
// Values. A scalar is one field, its first character the type and the rest
// the value: "E" Empty, "N" Null, "M" Missing, "B0"/"B1" Boolean, "U" Byte,
// "I" Integer, "L" Long, "F" Single, "D" Double (decimal point, round-trip
// precision), "Y" Currency (its integer scaled by 10000), "T" Date (the
// serial day number), "S" text. An array is the field "A<count>" followed by
// its elements, one scalar field each; arrays do not nest.
//
// Operations of the programs: Connetti (menu id, program key, window id,
// process id), EseguiFunzione (name, section, argument), LeggiParam (name),
// ScriviParam (name, value), InfoLancio (window key), PercorsoIni,
// DataLavoro, Utente, Terminale, ScriviValoreLancio (name, type, flag,
// value), LanciaProgramma (section, mode), RisultatoLancio (name),
// InEsecuzione (request text), TornaAlMenu (section), TornaAChiama (key,
// second key, parameter), PassaA (caption, form, window key), ChiusoForm
// (window key), Disconnetti. Of the shell tool: Elenco, Comando (program,
// command, parameter).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

namespace menu {

// A value of the channel: one Variant, or an array of them (the e-invoice
// commands and the registration "AddSeg" pass arrays).
class ValoreMenu {
 public:
  ValoreMenu() = default;
  ValoreMenu(vb::Variant v) : v_(std::move(v)) {}
  ValoreMenu(const char* s) : v_(s) {}
  ValoreMenu(std::string s) : v_(std::move(s)) {}
  ValoreMenu(std::vector<vb::Variant> elementi) : elementi_(std::move(elementi)), matrice_(true) {}

  bool IsArray() const { return matrice_; }
  // The scalar; for an array, Empty.
  const vb::Variant& Valore() const { return v_; }
  const std::vector<vb::Variant>& Elementi() const { return elementi_; }
  // Element i of an array; Empty beyond its bounds or for a scalar.
  vb::Variant Elemento(size_t i) const { return i < elementi_.size() ? elementi_[i] : vb::Variant(); }
  // As text: the scalar (Empty and Null as ""), or element 0 of an array.
  std::string Testo() const;

  friend bool operator==(const ValoreMenu& a, const ValoreMenu& b) {
    return a.matrice_ == b.matrice_ && a.v_ == b.v_ && a.elementi_ == b.elementi_;
  }

 private:
  vb::Variant v_;
  std::vector<vb::Variant> elementi_;
  bool matrice_ = false;
};

struct Frame {
  char tipo = 'Q';          // 'Q', 'C' or 'R'
  long numero = 0;
  std::string operazione;   // Q: the operation; R: "OK" or "ERR"
  std::vector<ValoreMenu> valori;  // Q: arguments; C: menu id, key, command, parameter; R OK: the answer
  long errore = 0;          // R ERR
  std::string descrizione;  // R ERR
};

// One frame as a line (with its "\n"); and back (false on a malformed line).
std::string Codifica(const Frame& f);
bool Decodifica(std::string_view riga, Frame& f);

// The runtime folder of this user and the socket of a menu server in it.
std::string CartellaRuntime();
std::string PercorsoSocket(const std::string& idMenu);

// A byte buffer over a non-blocking socket: whole frames out of what has
// been read, and writes that finish even when the socket pushes back.
class Canale {
 public:
  explicit Canale(int fd = -1) : fd_(fd) {}
  ~Canale();
  Canale(const Canale&) = delete;
  Canale& operator=(const Canale&) = delete;

  int Fd() const { return fd_; }
  bool Aperto() const { return fd_ >= 0; }
  void Chiudi();
  // Takes over a connected descriptor (closing the previous one).
  void Apri(int fd) {
    Chiudi();
    fd_ = fd;
  }
  // Reads what is available without waiting; false when the other side
  // closed (or the socket failed).
  bool Leggi();
  // The next whole frame read so far, if any (malformed lines are dropped).
  std::optional<Frame> Prossimo();
  // Writes the frame, waiting as long as needed for room; raises 5 when the
  // other side is gone.
  void Invia(const Frame& f);
  // Queues the frame; Svuota writes what the socket takes now. For a server
  // that must never block on one slow program.
  void Accoda(const Frame& f) { uscita_ += Codifica(f); }
  bool Svuota();
  bool DaScrivere() const { return !uscita_.empty(); }

 private:
  int fd_;
  std::string entrata_;
  std::string uscita_;
};

// Connects to the server socket of `idMenu`; -1 when no server listens.
int ConnettiSocket(const std::string& idMenu);

}  // namespace menu

#pragma once
// The channel between the menu server and the programs it starts: a Unix
// domain socket in the user's runtime folder, one per menu server
// ("velnor-menu-<menu identifier>.sock" in $XDG_RUNTIME_DIR, or in
// /tmp/ddt-<uid> created with mode 0700 when that is not set; a folder of
// that name that another user owns, or that others may write into, is
// refused: whoever controls it could stand in for the menu).
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
//   K <n>                               the server withdraws its command n
//                                       (whoever asked for it gave up): a
//                                       program that has not begun it drops
//                                       it unanswered
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
// Neither side trusts the other: a line is at most kRigaMassima bytes and
// kCampiMassimi fields, a count never reaches past the line's own fields.
// A frame that breaks the rules is not dropped in silence: its receiver
// answers it "R <n> ERR 5 ..." (n = its number when that could be read, else
// 0), or, when it was itself an answer, fails the call it answered.
//
// Operations of the programs: Connetti (menu id, program key, window id,
// process id), EseguiFunzione (name, section, argument), LeggiParam (name),
// ScriviParam (name, value), InfoLancio (window key), PercorsoIni,
// DataLavoro, Utente, Terminale, ScriviValoreLancio (name, type, flag,
// value), LanciaProgramma (section, mode), RisultatoLancio (name),
// InEsecuzione (request text), TornaAlMenu (section), TornaAChiama (key,
// second key, parameter), PassaA (caption, form, window key), ChiusoForm
// (window key), Disconnetti. Of the shell tool: Elenco, Comando (program,
// command, parameter, seconds it waits for the program's answer).
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

// The bounds of one frame.
inline constexpr size_t kRigaMassima = size_t{1} << 20;
inline constexpr size_t kCampiMassimi = 65536;

struct Frame {
  char tipo = 'Q';          // 'Q', 'C', 'R', 'K'; '?' a frame that broke the rules
  long numero = 0;          // '?': the number, when it could be read (else 0)
  std::string operazione;   // Q: the operation; R: "OK" or "ERR"; '?': the type it claimed
  std::vector<ValoreMenu> valori;  // Q: arguments; C: menu id, key, command, parameter; R OK: the answer
  long errore = 0;          // R ERR
  std::string descrizione;  // R ERR; '?': what was wrong
};

// One frame as a line (with its "\n"); and back (false on a malformed line,
// `f` then says as much as could be read: its type in `operazione`, its
// number, the fault in `descrizione`). Never raises.
std::string Codifica(const Frame& f);
bool Decodifica(std::string_view riga, Frame& f);

// The answer "R <n> ERR 5 ..." to a frame that broke the rules.
Frame RispostaNonValida(const Frame& nonValido);

// The runtime folder of this user and the socket of a menu server in it;
// raise 70 (permission denied) when the private folder is not safe.
std::string CartellaRuntime();
std::string PercorsoSocket(const std::string& idMenu);
// Creates `percorso` with mode 0700 when missing; raises 70 when it is not a
// folder of this user's own that only this user may write into.
void VerificaCartellaPrivata(const std::string& percorso);

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
  // Reads what is available without waiting (at most a few lines' worth a
  // call); false when the other side closed (or the socket failed).
  bool Leggi();
  // The next whole frame read so far, if any; a line that broke the rules
  // (too long, malformed) comes as a frame of type '?'.
  std::optional<Frame> Prossimo();
  // Writes the frame, waiting as long as needed for room; raises 5 when the
  // other side is gone, 6 when the frame is longer than a line may be.
  void Invia(const Frame& f);
  // Queues the frame (raises 6 when it is too long); Svuota writes what the
  // socket takes now. For a server that must never block on one slow program.
  void Accoda(const Frame& f);
  bool Svuota();
  bool DaScrivere() const { return !uscita_.empty(); }
  // Bytes queued and not yet written.
  size_t InUscita() const { return uscita_.size(); }

 private:
  void Accogli(const char* dati, size_t n);
  // Marks, inside the input, where a line past the limit was skipped.
  static constexpr char kSegnoTroppoLunga = '\x01';
  static constexpr size_t kTestaScartata = 64;

  int fd_;
  std::string entrata_;
  size_t letto_ = 0;  // entrata_ up to here has been handed out
  std::string uscita_;
  // A line past the limit: its first bytes (for its type and number) are
  // kept, the rest is skipped up to its end.
  bool scarta_ = false;
  std::string testaScartata_;
};

// Connects to the server socket of `idMenu`; -1 when no server listens.
int ConnettiSocket(const std::string& idMenu);

}  // namespace menu

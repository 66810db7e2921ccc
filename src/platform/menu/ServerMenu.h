#pragma once
// A stand-in for the suite's menu server: enough of it to start the
// delivery-note program, serve its requests and send it the menu commands.
// The executable ddt-menu wraps it; the tests run it on a thread of their
// own and start the program in their process.
//
// Its ini file (paths may be written the Windows way):
//
//   [Menu]
//   Id=1                 menu identifier, switch M of the programs
//                        (default: the server's process id)
//   Utente=mario         user (default: $USER)
//   Terminale=CASSA1     terminal (default: the host name)
//   DataLavoro=10/12/2026  working date (default: today)
//   Ditta=DEMO           the company, section [Ditta DEMO] (default: the first)
//   IniSuite=D:\Velnor\velnor.ini   answered to PercorsoIni ("" lets the
//                        program search it)
//   NomeDB=...           common menu database, a SQLite file created when
//                        missing (default: menu.db beside this ini), or
//   Connect=ODBC;...     its connect text
//   PwdDbMenu=           handed over as the named value "AccMenuPwd"
//   Versione= DataVersione= VersMenu=1.07
//
//   [Ditta DEMO]
//   Descrizione=Ditta dimostrativa
//   NomeDB=...  ConnectDB=...  SqlLogin=...  SqlPwd=...  PwdDb=...
//
//   [Parametri DEMO]     company parameters by dotted name, e.g.
//   Ditta.Moneta=Euro    Mag.NumDecQta=2
//   [Parametri]          parameters common to every company
//
//   [Personali]          personal parameters written into the menu
//   Ddt.DaOrdi=N         database when the user has none yet (section.name)
//
//   [Programma]          the DDT program
//   Comando=/path/ddt    Chiave=DDT   Form=frmddttest   Help=...
//   Parametro=           more launch parameter text ("/RO")
//   TipoForm=            window state, "2" maximised
//
//   [Stampa]             the separate print program
//   Comando=...          run by /bin/sh -c; %M menu id, %P and %S the launch
//                        keys, %V the file of the launch values (name=value
//                        lines), %U the user; the same in the environment as
//                        VELNOR_MENU, VELNOR_CHIAVE, VELNOR_CHIAVE_SEC,
//                        VELNOR_VALORI
//   AttesaAvvio=500      milliseconds after which a running print program
//                        counts as started (at once when it connects)
//
// Personal parameters and named values live in the common menu database
// (tables MenuParPers and MenuValori, per user).
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/menu/Protocollo.h"

namespace dati {
class GestDatabase;
}

namespace menu {

// The answer to a menu command: the value, or the error the program raised.
struct RispostaComando {
  bool ok = true;
  vb::Variant valore;
  long errore = 0;
  std::string descrizione;
};

class ServerMenu {
 public:
  // Reads the ini; `ditta` and `utente` override its choices when not empty.
  explicit ServerMenu(std::string fileIni, std::string ditta = {}, std::string utente = {});
  ~ServerMenu();
  ServerMenu(const ServerMenu&) = delete;
  ServerMenu& operator=(const ServerMenu&) = delete;

  // Opens the common database and the socket; raises when another server
  // with the same identifier is listening.
  void Avvia();
  const std::string& IdMenu() const { return idMenu_; }
  // Serves until Ferma(); with `finoAFine` also ends once the program it
  // launched has ended and no program is connected. Returns the exit code:
  // that of the program it launched (1 when it could not be started).
  int Esegui(bool finoAFine = false);
  // Any thread.
  void Ferma();
  void Silenzioso(bool s) { silenzioso_ = s; }

  // A launch of the DDT program: its window identifier and command line
  // switches. Lancia also starts the configured program; PreparaLancio only
  // records the launch, for a program started some other way (the tests).
  std::string PreparaLancio(std::string* finestra = nullptr);
  bool Lancia();

  // ---- any thread (the tests)
  // Sends a menu command to a program (window key, program key or process
  // id); the answer arrives later through Risposta.
  long InviaComando(const std::string& programma, const std::string& comando, const ValoreMenu& parametro);
  std::optional<RispostaComando> Risposta(long ticket);
  // What happened, one line per request served ("Connetti DDT W1", "AddSeg
  // 40|...", "MsgBox <text>", "ChiusoForm W1", "Disconnetti W1", ...).
  std::vector<std::string> Eventi() const;
  // Running programs, one line each.
  std::vector<std::string> Elenco() const;
  // Personal parameter and named value as stored ("" when absent).
  std::string ParPers(const std::string& chiave) const;
  std::string ValoreNominato(const std::string& nome) const;
  // From now on the request `operazione` fails with that error (a menu in
  // trouble, for the tests of the program's failures).
  void SimulaErrore(const std::string& operazione, long numero, const std::string& descrizione);

 private:
  struct Lancio;
  struct Conn;
  using Callback = std::function<void(const Frame&)>;

  void Passo(int ms);
  void Accetta();
  void Servi(Conn& c);
  void Richiesta(Conn& c, const Frame& q);
  void Rispondi(Conn& c, long numero, const menu::ValoreMenu& v);
  void Errore(Conn& c, long numero, long errore, const std::string& descrizione);
  // Sends a command; its number.
  long Comanda(Conn& c, const std::string& keySec, const std::string& comando, const menu::ValoreMenu& parametro,
               Callback cb);
  // Withdraws command `numero` of that program.
  void Ritira(Conn& c, long numero);
  // Commands past the time their asker waits: failed and withdrawn.
  void Scadenze();
  void ComandoDaFuori(const std::string& programma, const std::string& comando, const menu::ValoreMenu& parametro,
                      std::function<void(const RispostaComando&)> fatto, int richiedente = 0,
                      long secondi = 0);
  void Chiuso(Conn& c);
  void Raccogli();
  int StatoPartito(const std::string& nome);
  void AvviaStampa(Conn& c, const std::string& prim, const std::string& sec);
  Conn* Trova(const std::string& programma);
  Lancio* LancioDi(const std::string& finestra);
  Conn* PerId(int id);
  std::vector<std::string> ElencoNonProtetto() const;
  void Evento(std::string e);
  void Log(const std::string& s) const;

  vb::Variant LeggiParam(const std::string& nome);
  void ScriviParam(const std::string& nome, const vb::Variant& valore);
  std::string Ini(const std::string& sezione, const std::string& chiave, const std::string& def = {}) const;
  std::optional<std::string> Leggi(const std::string& tabella, const std::string& campo,
                                   const std::string& chiave) const;
  void Scrivi(const std::string& tabella, const std::string& campo, const std::string& chiave,
              const std::string& valore);
  std::string SezioneDitta() const { return "Ditta " + ditta_; }

  std::string fileIni_;
  std::string idMenu_;
  std::string ditta_;
  std::string utente_;
  std::string terminale_;
  std::string percorsoSocket_;
  int ascolto_ = -1;
  int riserva_ = -1;
  std::chrono::steady_clock::time_point pausaAscolto_{};
  int sveglia_[2] = {-1, -1};
  std::atomic<bool> fermo_{false};
  bool silenzioso_ = false;

  std::shared_ptr<dati::GestDatabase> db_;
  std::string connDb_;

  mutable std::recursive_mutex m_;
  std::vector<std::unique_ptr<Conn>> conn_;
  std::vector<std::unique_ptr<Lancio>> lanci_;
  int prossimaConn_ = 0;
  int prossimaFinestra_ = 0;
  long long prossimoStampa_ = 0;
  std::string principale_;  // window of the program launched by Lancia
  bool principaleFinito_ = false;
  std::string risultatoLancio_;
  std::vector<std::string> eventi_;
  struct Attesa {
    std::string programma, comando;
    menu::ValoreMenu parametro;
  };
  std::map<long, Attesa> daInviare_;
  std::map<long, std::optional<RispostaComando>> risposte_;
  long prossimoTicket_ = 0;
  std::map<std::string, std::pair<long, std::string>> guasti_;
};

// The shell side of ddt-menu: the servers listening in the runtime folder,
// and one request to one of them (raises on failure). The request
// "Comando" takes a fourth value, the seconds the asker waits for the
// program: past them the server answers that the program did not answer,
// and withdraws the command.
std::vector<std::string> ServerInAscolto();
menu::ValoreMenu RichiestaAlServer(const std::string& idMenu, const std::string& operazione,
                                   std::vector<menu::ValoreMenu> argomenti, int attesaSecondi = 60);

}  // namespace menu

#include "platform/menu/ServerMenu.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/IniFile.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"

extern char** environ;

namespace menu {

namespace {

constexpr const char* kAssente = "§ç~$!^";

std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

bool Inizia(const std::string& s, const std::string& prefisso) {
  return vb::UgualeTesto(vb::Left(s, vb::Len(prefisso)), prefisso);
}

// The menu's own tables beside those of the suite's common database.
std::vector<dati::TabellaCat> TabelleMenu() {
  using dati::ColonnaCat;
  using dati::TipoCampo;
  auto tab = [](const char* nome, const char* campo) {
    dati::TabellaCat t;
    t.nome = nome;
    t.colonne = {ColonnaCat{"Utente", TipoCampo::Testo, 50, true},
                 ColonnaCat{campo, TipoCampo::Testo, 255, true},
                 ColonnaCat{"Valore", TipoCampo::Memo}};
    t.chiave = {"Utente", campo};
    return t;
  };
  std::vector<dati::TabellaCat> v = dati::SchemaMenu();
  v.push_back(tab("MenuParPers", "Chiave"));
  v.push_back(tab("MenuValori", "Nome"));
  return v;
}

std::string Ambiente(const char* nome, const std::string& def) {
  const char* v = std::getenv(nome);
  return v && *v ? std::string(v) : def;
}

std::string NomeHost() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) return "localhost";
  return buf;
}

pid_t Genera(const std::vector<std::string>& argomenti, const std::vector<std::string>& ambienteAgg,
             std::string& errore) {
  std::vector<char*> argv;
  for (const auto& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> amb;
  for (char** e = environ; e && *e; ++e) amb.emplace_back(*e);
  for (const auto& a : ambienteAgg) amb.push_back(a);
  std::vector<char*> envp;
  for (auto& a : amb) envp.push_back(a.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  int r = ::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data());
  if (r != 0) {
    errore = "Impossibile avviare " + argomenti[0] + ": " + std::strerror(r);
    return 0;
  }
  return pid;
}

}  // namespace

struct ServerMenu::Lancio {
  std::string finestra;
  std::string chiave;
  std::string osParam, osChiLancia, osKeySecLancia, osParamLancia, osTipoForm;
  bool stampa = false;
  pid_t pid = 0;
  long pidConnesso = 0;
  bool terminato = false;
  int codice = 0;
  bool connesso = false;
  std::string errore;
  std::string fileValori;
  std::chrono::steady_clock::time_point inizio = std::chrono::steady_clock::now();
};

struct ServerMenu::Conn {
  int id = 0;
  Canale canale;
  bool programma = false;
  bool disconnesso = false;
  bool chiuso = false;
  std::string chiave, finestra;
  long pid = 0;
  std::string caption, form;
  std::vector<std::pair<std::string, vb::Variant>> valoriLancio;
  long numero = 0;
  // Commands sent to this program and not answered yet.
  struct Pendente {
    std::string comando;
    Callback cb;
    int richiedente = 0;  // the connection that asked for it (0: the server itself)
    std::optional<std::chrono::steady_clock::time_point> scadenza;
    long secondi = 0;
  };
  std::map<long, Pendente> attese;
};

ServerMenu::ServerMenu(std::string fileIni, std::string ditta, std::string utente)
    : fileIni_(std::move(fileIni)) {
  if (!vb::EsisteFileLocale(fileIni_))
    vb::Solleva(53, "File ini del menu non trovato: " + vb::PercorsoLocale(fileIni_));
  idMenu_ = Ini("Menu", "Id", std::to_string(::getpid()));
  ditta_ = ditta;
  if (ditta_.empty()) ditta_ = Ini("Menu", "Ditta");
  if (ditta_.empty()) {
    for (const auto& s : vb::SezioniProfilo(fileIni_))
      if (Inizia(s, "Ditta ")) {
        ditta_ = vb::Trim(s.substr(6));
        break;
      }
  }
  utente_ = !utente.empty() ? utente : Ini("Menu", "Utente", Ambiente("USER", "utente"));
  terminale_ = Ini("Menu", "Terminale", NomeHost());
}

ServerMenu::~ServerMenu() {
  conn_.clear();
  if (ascolto_ >= 0) {
    ::close(ascolto_);
    ::unlink(percorsoSocket_.c_str());
  }
  for (int fd : sveglia_)
    if (fd >= 0) ::close(fd);
  if (riserva_ >= 0) ::close(riserva_);
  for (const auto& l : lanci_)
    if (!l->fileValori.empty()) ::unlink(l->fileValori.c_str());
}

std::string ServerMenu::Ini(const std::string& sezione, const std::string& chiave, const std::string& def) const {
  std::string v = def;
  if (vb::LeggiProfilo(fileIni_, sezione, chiave, v) && v.empty()) return def;
  return v;
}

void ServerMenu::Log(const std::string& s) const {
  if (!silenzioso_) std::fprintf(stderr, "ddt-menu: %s\n", s.c_str());
}

void ServerMenu::Evento(std::string e) { eventi_.push_back(std::move(e)); }

void ServerMenu::Avvia() {
  std::lock_guard<std::recursive_mutex> l(m_);
  // The common database.
  std::string nome = Ini("Menu", "NomeDB");
  const std::string connect = Ini("Menu", "Connect");
  db_ = std::make_shared<dati::GestDatabase>();
  if (!connect.empty()) {
    connDb_ = db_->ApriDatabase(nome, 0, false, false, connect);
  } else {
    if (nome.empty())
      nome = (std::filesystem::path(vb::PercorsoLocale(fileIni_)).parent_path() / "menu.db").string();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(vb::PercorsoLocale(nome)).parent_path(), ec);
    connDb_ = db_->CreaDatabase(nome);
  }
  dati::CreaSchema(db_->Motore(connDb_), TabelleMenu());
  for (const auto& [k, v] : vb::ChiaviProfilo(fileIni_, "Personali")) {
    const auto punto = k.find('.');
    if (punto == std::string::npos) continue;
    const std::string chiave = "Personal." + k.substr(0, punto) + ".§" + k.substr(punto + 1);
    if (!Leggi("MenuParPers", "Chiave", chiave)) Scrivi("MenuParPers", "Chiave", chiave, v);
  }

  // The socket: a server already listening under this identifier wins.
  percorsoSocket_ = PercorsoSocket(idMenu_);
  int prova = ConnettiSocket(idMenu_);
  if (prova >= 0) {
    ::close(prova);
    vb::Solleva(5, "Un menu con identificativo " + idMenu_ + " è già in esecuzione");
  }
  ::unlink(percorsoSocket_.c_str());
  sockaddr_un ind{};
  ind.sun_family = AF_UNIX;
  if (percorsoSocket_.size() >= sizeof ind.sun_path) vb::Solleva(5, "Percorso del socket troppo lungo: " + percorsoSocket_);
  std::memcpy(ind.sun_path, percorsoSocket_.c_str(), percorsoSocket_.size() + 1);
  ascolto_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (ascolto_ < 0 || ::bind(ascolto_, reinterpret_cast<sockaddr*>(&ind), sizeof ind) != 0 ||
      ::listen(ascolto_, 16) != 0) {
    const std::string err = std::strerror(errno);
    if (ascolto_ >= 0) ::close(ascolto_);
    ascolto_ = -1;
    vb::Solleva(5, "Impossibile aprire il socket " + percorsoSocket_ + ": " + err);
  }
  ::chmod(percorsoSocket_.c_str(), 0600);
  // A spare descriptor, given up when the others are used up.
  riserva_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (::pipe2(sveglia_, O_NONBLOCK | O_CLOEXEC) != 0) vb::Solleva(7, "pipe");
  Log("menu " + idMenu_ + " in ascolto su " + percorsoSocket_ + " (ditta " + ditta_ + ", utente " + utente_ + ")");
}

void ServerMenu::Ferma() {
  fermo_ = true;
  if (sveglia_[1] >= 0) {
    char c = 1;
    [[maybe_unused]] auto r = ::write(sveglia_[1], &c, 1);
  }
}

int ServerMenu::Esegui(bool finoAFine) {
  while (!fermo_) {
    Passo(100);
    if (finoAFine) {
      std::lock_guard<std::recursive_mutex> l(m_);
      bool connessi = false;
      for (const auto& c : conn_)
        if (c->programma && !c->chiuso && !c->disconnesso) connessi = true;
      if (principaleFinito_ && !connessi) break;
    }
  }
  if (!finoAFine) return 0;
  // The menu ends with its program: a program that failed fails it too.
  std::lock_guard<std::recursive_mutex> l(m_);
  Raccogli();
  if (Lancio* p = principale_.empty() ? nullptr : LancioDi(principale_)) {
    if (!p->errore.empty()) return 1;
    if (p->terminato) return p->codice;
  }
  return 0;
}

ServerMenu::Conn* ServerMenu::PerId(int id) {
  for (auto& c : conn_)
    if (c->id == id && !c->chiuso) return c.get();
  return nullptr;
}

ServerMenu::Lancio* ServerMenu::LancioDi(const std::string& finestra) {
  for (auto it = lanci_.rbegin(); it != lanci_.rend(); ++it)
    if (!(*it)->stampa && (*it)->finestra == finestra) return it->get();
  return nullptr;
}

void ServerMenu::Passo(int ms) {
  std::vector<pollfd> pf;
  std::vector<int> ids;
  {
    std::lock_guard<std::recursive_mutex> l(m_);
    // While the descriptors are used up the socket is left alone for a
    // while: it would be readable at once again, and the loop would spin.
    const bool pausa = std::chrono::steady_clock::now() < pausaAscolto_;
    pf.push_back({pausa ? -1 : ascolto_, POLLIN, 0});
    if (pausa) ms = std::min(ms, 50);
    pf.push_back({sveglia_[0], POLLIN, 0});
    for (auto& c : conn_) {
      pf.push_back({c->canale.Fd(), static_cast<short>(POLLIN | (c->canale.DaScrivere() ? POLLOUT : 0)), 0});
      ids.push_back(c->id);
    }
    if (!daInviare_.empty()) ms = 0;
  }
  ::poll(pf.data(), pf.size(), ms);

  std::lock_guard<std::recursive_mutex> l(m_);
  if (pf[1].revents & POLLIN) {
    char buf[64];
    while (::read(sveglia_[0], buf, sizeof buf) > 0) {
    }
  }
  // Commands from another thread of this process (the tests).
  auto attese = std::move(daInviare_);
  daInviare_.clear();
  for (auto& [ticket, a] : attese) {
    long t = ticket;
    try {
      ComandoDaFuori(a.programma, a.comando, a.parametro, [this, t](const RispostaComando& r) { risposte_[t] = r; });
    } catch (const vb::Errore& e) {
      risposte_[t] = RispostaComando{false, {}, e.Number(), e.Description()};
    }
  }
  if (pf[0].revents & POLLIN) Accetta();
  for (size_t i = 0; i < ids.size(); ++i) {
    Conn* c = PerId(ids[i]);
    if (!c) continue;
    if (!(pf[i + 2].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL))) continue;
    // Whatever one program sends, it costs that program its connection at
    // worst, never the server.
    try {
      Servi(*c);
    } catch (const std::exception& e) {
      Log(std::string("collegamento chiuso dopo un errore: ") + e.what());
      if (Conn* cc = PerId(ids[i])) cc->chiuso = true;
    }
  }
  Scadenze();
  for (auto& c : conn_) {
    if (c->chiuso) continue;
    if (c->canale.DaScrivere() && !c->canale.Svuota()) c->chiuso = true;
    // A peer that sends and never reads does not fill the server's memory.
    if (c->canale.InUscita() > 4 * kRigaMassima) c->chiuso = true;
  }
  for (auto& c : conn_)
    if (c->chiuso) Chiuso(*c);
  std::erase_if(conn_, [](const std::unique_ptr<Conn>& c) { return c->chiuso; });
  Raccogli();
}

void ServerMenu::Accetta() {
  while (true) {
    int fd = ::accept4(ascolto_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0 && (errno == EMFILE || errno == ENFILE)) {
      // No descriptor left: the spare one makes room to take the waiting
      // program and tell it why it cannot be served, so it does not wait.
      Log("descrittori esauriti: nuovi programmi rifiutati per ora");
      if (riserva_ >= 0) {
        ::close(riserva_);
        riserva_ = -1;
        int k = ::accept4(ascolto_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (k >= 0) {
          Canale rifiutato(k);
          Frame r;
          r.tipo = 'R';
          r.numero = 0;
          r.operazione = "ERR";
          r.errore = 7;
          r.descrizione = "Il menu non può accettare altri programmi ora: risorse del sistema esaurite";
          rifiutato.Accoda(r);
          rifiutato.Svuota();
        }
        riserva_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
      }
      pausaAscolto_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
      return;
    }
    if (fd < 0) {
      // Any other lasting failure (memory, buffers): a pause too, not a spin.
      if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNABORTED)
        pausaAscolto_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
      return;
    }
    auto c = std::make_unique<Conn>();
    c->id = ++prossimaConn_;
    c->canale.Apri(fd);
    conn_.push_back(std::move(c));
  }
}

void ServerMenu::Servi(Conn& c) {
  const bool aperto = c.canale.Leggi();
  const int id = c.id;
  while (true) {
    Conn* cc = PerId(id);
    if (!cc) return;
    auto f = cc->canale.Prossimo();
    if (!f) break;
    if (f->tipo == 'Q') {
      Richiesta(*cc, *f);
    } else if (f->tipo == 'R' || (f->tipo == '?' && f->operazione == "R")) {
      auto it = cc->attese.find(f->numero);
      if (it == cc->attese.end()) continue;
      Callback cb = std::move(it->second.cb);
      cc->attese.erase(it);
      if (f->tipo == 'R') {
        cb(*f);
      } else {
        // A broken answer still answers: the command failed.
        Frame r;
        r.tipo = 'R';
        r.numero = f->numero;
        r.operazione = "ERR";
        r.errore = 5;
        r.descrizione = "Risposta non valida del programma: " + f->descrizione;
        cb(r);
      }
    } else {
      // A command or a withdrawal is not for the server to receive; a
      // frame that broke the rules gets its error, so nobody waits on it.
      Frame bad = *f;
      if (bad.tipo != '?') {
        bad.descrizione = "tipo non accettato dal menu";
        bad.tipo = '?';
      }
      cc->canale.Accoda(RispostaNonValida(bad));
      if (!cc->canale.Svuota()) cc->chiuso = true;
    }
  }
  if (!aperto) {
    if (Conn* cc = PerId(id)) cc->chiuso = true;
  }
}

void ServerMenu::Chiuso(Conn& c) {
  // Commands still waiting for this program: it will not answer any more.
  // A close it was asked for has happened, so "fine" answers as done.
  auto attese = std::move(c.attese);
  c.attese.clear();
  for (auto& [n, a] : attese) {
    Frame r;
    r.tipo = 'R';
    r.numero = n;
    if (vb::UgualeTesto(a.comando, "fine")) {
      r.operazione = "OK";
      r.valori.push_back(vb::Variant(""));
    } else {
      r.operazione = "ERR";
      r.errore = 5;
      r.descrizione = "Il programma non è più in esecuzione";
    }
    a.cb(r);
  }
  // Commands it asked of programs and no longer waits for: withdrawn, so
  // that a program still busy does not run them later.
  for (auto& k : conn_) {
    if (k.get() == &c || k->chiuso) continue;
    for (auto it = k->attese.begin(); it != k->attese.end();) {
      if (it->second.richiedente != c.id) {
        ++it;
        continue;
      }
      Ritira(*k, it->first);
      it = k->attese.erase(it);
    }
  }
  if (c.programma) {
    if (!c.disconnesso) Evento("Perso " + c.finestra);
    if (Lancio* l = LancioDi(c.finestra)) l->connesso = false;
    if (c.finestra == principale_ && !principale_.empty()) {
      Lancio* l = LancioDi(c.finestra);
      if (!l || l->pid == 0) principaleFinito_ = true;
    }
    Log("il programma " + c.chiave + " (" + c.finestra + ") ha lasciato il menu");
  }
  c.canale.Chiudi();
}

void ServerMenu::Rispondi(Conn& c, long numero, const menu::ValoreMenu& v) {
  Frame r;
  r.tipo = 'R';
  r.numero = numero;
  r.operazione = "OK";
  r.valori.push_back(v);
  try {
    c.canale.Accoda(r);
  } catch (const vb::Errore& e) {
    Errore(c, numero, e.Number(), e.Description());
    return;
  }
  if (!c.canale.Svuota()) c.chiuso = true;
}

void ServerMenu::Errore(Conn& c, long numero, long errore, const std::string& descrizione) {
  Frame r;
  r.tipo = 'R';
  r.numero = numero;
  r.operazione = "ERR";
  r.errore = errore;
  r.descrizione = descrizione;
  c.canale.Accoda(r);
  if (!c.canale.Svuota()) c.chiuso = true;
}

long ServerMenu::Comanda(Conn& c, const std::string& keySec, const std::string& comando,
                         const menu::ValoreMenu& parametro, Callback cb) {
  Frame f;
  f.tipo = 'C';
  f.numero = ++c.numero;
  f.valori = {idMenu_, keySec, comando, parametro};
  c.canale.Accoda(f);
  Conn::Pendente p;
  p.comando = comando;
  p.cb = std::move(cb);
  c.attese[f.numero] = std::move(p);
  if (!c.canale.Svuota()) c.chiuso = true;
  return f.numero;
}

void ServerMenu::Ritira(Conn& c, long numero) {
  Frame k;
  k.tipo = 'K';
  k.numero = numero;
  c.canale.Accoda(k);
  if (!c.canale.Svuota()) c.chiuso = true;
}

void ServerMenu::Scadenze() {
  const auto ora = std::chrono::steady_clock::now();
  for (auto& c : conn_) {
    if (c->chiuso) continue;
    for (auto it = c->attese.begin(); it != c->attese.end();) {
      if (!it->second.scadenza || *it->second.scadenza > ora) {
        ++it;
        continue;
      }
      // The program did not answer in time: whoever asked hears so, and
      // the command is withdrawn, not left to run whenever it gets to it.
      Conn::Pendente p = std::move(it->second);
      const long n = it->first;
      it = c->attese.erase(it);
      Ritira(*c, n);
      Frame r;
      r.tipo = 'R';
      r.numero = n;
      r.operazione = "ERR";
      r.errore = 5;
      r.descrizione = "Il programma " + c->chiave + " (" + c->finestra + ") non ha risposto al comando \"" +
                      p.comando + "\" entro " + std::to_string(p.secondi) + " secondi";
      Log(r.descrizione);
      p.cb(r);
    }
  }
}

ServerMenu::Conn* ServerMenu::Trova(const std::string& programma) {
  for (auto& c : conn_) {
    if (!c->programma || c->chiuso || c->disconnesso) continue;
    if (programma.empty() || c->finestra == programma || vb::UgualeTesto(c->chiave, programma) ||
        std::to_string(c->pid) == programma)
      return c.get();
  }
  return nullptr;
}

void ServerMenu::ComandoDaFuori(const std::string& programma, const std::string& comando,
                                const menu::ValoreMenu& parametro,
                                std::function<void(const RispostaComando&)> fatto, int richiedente, long secondi) {
  Conn* c = Trova(programma);
  if (!c) {
    RispostaComando r;
    r.ok = false;
    r.errore = 5;
    r.descrizione = "Nessun programma in esecuzione con chiave, finestra o processo \"" + programma + "\"";
    fatto(r);
    return;
  }
  Evento("Comando " + comando + " " + c->finestra);
  const long n = Comanda(*c, c->finestra, comando, parametro, [fatto](const Frame& f) {
    RispostaComando r;
    if (f.operazione == "ERR") {
      r.ok = false;
      r.errore = f.errore;
      r.descrizione = f.descrizione;
    } else if (!f.valori.empty()) {
      r.valore = f.valori.front().Valore();
    }
    fatto(r);
  });
  auto it = c->attese.find(n);
  if (it == c->attese.end()) return;
  it->second.richiedente = richiedente;
  if (secondi > 0) {
    it->second.secondi = secondi;
    it->second.scadenza = std::chrono::steady_clock::now() + std::chrono::seconds(secondi);
  }
}

void ServerMenu::Richiesta(Conn& c, const Frame& q) {
  auto arg = [&](size_t i) { return i < q.valori.size() ? q.valori[i] : menu::ValoreMenu(); };
  auto testo = [&](size_t i) { return arg(i).Testo(); };
  const std::string& op = q.operazione;
  if (auto g = guasti_.find(op); g != guasti_.end()) {
    Errore(c, q.numero, g->second.first, g->second.second);
    return;
  }
  try {
    if (op == "Connetti") {
      if (testo(0) != idMenu_) {
        Errore(c, q.numero, 5, "Il menu " + testo(0) + " non è questo (" + idMenu_ + ")");
        return;
      }
      c.programma = true;
      c.chiave = testo(1);
      c.finestra = testo(2);
      c.pid = vb::FunzioniComuni::Istanza().ValLong(arg(3).Valore());
      Lancio* l = LancioDi(c.finestra);
      if (!l) {
        // A suite program the menu did not start (a print program, or one
        // run by hand): it still gets a launch record to read.
        for (auto it = lanci_.rbegin(); it != lanci_.rend(); ++it)
          if ((*it)->stampa && vb::UgualeTesto((*it)->chiave, c.chiave) && !(*it)->connesso) {
            (*it)->connesso = true;
            (*it)->pidConnesso = c.pid;
            break;
          }
        auto n = std::make_unique<Lancio>();
        n->finestra = c.finestra;
        n->chiave = c.chiave;
        n->osParam = "/F" + Ini("Programma", "Form", "frmddttest");
        l = n.get();
        lanci_.push_back(std::move(n));
      }
      l->connesso = true;
      l->pidConnesso = c.pid;
      Evento("Connetti " + c.chiave + " " + c.finestra);
      Log("connesso " + c.chiave + " (" + c.finestra + ", processo " + std::to_string(c.pid) + ")");
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "EseguiFunzione") {
      const std::string f = testo(0);
      if (vb::UgualeTesto(f, "PrepProcCorr")) {
        Evento("PrepProcCorr " + c.finestra);
        Rispondi(c, q.numero, vb::Variant(idMenu_ + ":" + c.finestra));
      } else if (vb::UgualeTesto(f, "AddSeg")) {
        std::vector<std::string> parti;
        const menu::ValoreMenu a = arg(2);
        if (a.IsArray()) {
          for (const auto& e : a.Elementi()) parti.push_back(Testo(e));
        } else {
          parti.push_back(a.Testo());
        }
        Evento("AddSeg " + vb::Join(parti, "|"));
        Rispondi(c, q.numero, vb::Variant(""));
      } else if (vb::UgualeTesto(f, "TastiCtrl")) {
        Rispondi(c, q.numero, vb::Variant(Ini("TastiCtrl", arg(2).Testo())));
      } else if (vb::UgualeTesto(f, "MsgBox")) {
        Evento("MsgBox " + arg(2).Testo());
        Log("messaggio di " + c.chiave + ": " + arg(2).Testo());
        Rispondi(c, q.numero, vb::Variant(1));
      } else if (vb::UgualeTesto(f, "Partito")) {
        const int stato = StatoPartito(arg(2).Testo());
        Evento("Partito " + std::to_string(stato));
        Rispondi(c, q.numero, vb::Variant(static_cast<int16_t>(stato)));
      } else {
        Errore(c, q.numero, 5, "Funzione del menu sconosciuta: " + f);
      }
    } else if (op == "LeggiParam") {
      Rispondi(c, q.numero, LeggiParam(testo(0)));
    } else if (op == "ScriviParam") {
      ScriviParam(testo(0), arg(1).Valore());
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "InfoLancio") {
      Lancio* l = LancioDi(testo(0));
      if (!l) {
        Errore(c, q.numero, 5, "Finestra sconosciuta al menu: " + testo(0));
        return;
      }
      Rispondi(c, q.numero,
               std::vector<vb::Variant>{l->osParam, l->osChiLancia, l->osKeySecLancia, l->osParamLancia,
                                        l->osTipoForm});
    } else if (op == "PercorsoIni") {
      Rispondi(c, q.numero, vb::Variant(Ini("Menu", "IniSuite")));
    } else if (op == "DataLavoro") {
      auto d = vb::Date::Parse(Ini("Menu", "DataLavoro"));
      Rispondi(c, q.numero, vb::Variant(d ? *d : vb::Date::Today()));
    } else if (op == "Utente") {
      Rispondi(c, q.numero, vb::Variant(utente_));
    } else if (op == "Terminale") {
      Rispondi(c, q.numero, vb::Variant(terminale_));
    } else if (op == "ScriviValoreLancio") {
      c.valoriLancio.emplace_back(testo(0), arg(3).Valore());
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "LanciaProgramma") {
      Evento("LanciaProgramma " + testo(0) + " " + testo(1));
      // The keys of the program to start come from the requester itself,
      // asked while it waits for this answer.
      const int id = c.id;
      const long n = q.numero;
      Comanda(c, c.finestra, "keyprgprim", menu::ValoreMenu(), [this, id, n](const Frame& r1) {
        Conn* c1 = PerId(id);
        if (!c1) return;
        const std::string prim = r1.operazione == "OK" && !r1.valori.empty() ? r1.valori[0].Testo() : "";
        Comanda(*c1, c1->finestra, "keyprgsec", menu::ValoreMenu(), [this, id, n, prim](const Frame& r2) {
          Conn* c2 = PerId(id);
          if (!c2) return;
          const std::string sec = r2.operazione == "OK" && !r2.valori.empty() ? r2.valori[0].Testo() : "";
          AvviaStampa(*c2, prim, sec);
          Rispondi(*c2, n, vb::Variant(""));
        });
      });
    } else if (op == "RisultatoLancio") {
      Rispondi(c, q.numero, vb::Variant(risultatoLancio_));
    } else if (op == "InEsecuzione") {
      // "menuprginesec|<primary key>~<program name>"
      std::string r = testo(0);
      const auto barra = r.find('|');
      if (barra != std::string::npos) r = r.substr(barra + 1);
      const std::string chiave = r.substr(0, r.find('~'));
      Raccogli();
      bool gira = false;
      for (const auto& l : lanci_)
        if (l->stampa && vb::UgualeTesto(l->chiave, chiave) && l->pid > 0 && !l->terminato) gira = true;
      for (const auto& k : conn_)
        if (k->programma && !k->chiuso && !k->disconnesso && vb::UgualeTesto(k->chiave, chiave) && k.get() != &c)
          gira = true;
      Rispondi(c, q.numero, vb::Variant(gira));
    } else if (op == "TornaAlMenu") {
      Evento("TornaAlMenu " + testo(0));
      Log("il menu torna in primo piano");
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "TornaAChiama") {
      Evento("TornaAChiama " + testo(0) + "|" + testo(1) + "|" + testo(2));
      Log("il controllo torna a " + testo(0));
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "PassaA") {
      c.caption = testo(0);
      c.form = testo(1);
      Evento("PassaA " + testo(0) + "|" + testo(1) + "|" + testo(2));
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "ChiusoForm") {
      Evento("ChiusoForm " + testo(0));
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "Disconnetti") {
      Evento("Disconnetti " + c.finestra);
      c.disconnesso = true;
      if (c.finestra == principale_ && !principale_.empty()) {
        Lancio* l = LancioDi(c.finestra);
        if (!l || l->pid == 0) principaleFinito_ = true;
      }
      Rispondi(c, q.numero, vb::Variant(""));
    } else if (op == "Elenco") {
      std::vector<vb::Variant> righe;
      for (const auto& r : ElencoNonProtetto()) righe.emplace_back(r);
      Rispondi(c, q.numero, righe);
    } else if (op == "Comando") {
      const int id = c.id;
      const long n = q.numero;
      // The fourth value: how long the asker waits for the program.
      const long secondi = vb::FunzioniComuni::Istanza().ValLong(arg(3).Valore());
      ComandoDaFuori(
          testo(0), testo(1), arg(2),
          [this, id, n](const RispostaComando& r) {
            Conn* k = PerId(id);
            if (!k) return;
            if (r.ok)
              Rispondi(*k, n, r.valore);
            else
              Errore(*k, n, r.errore, r.descrizione);
          },
          id, secondi);
    } else {
      Errore(c, q.numero, 438, "Richiesta sconosciuta al menu: " + op);
    }
  } catch (const vb::Errore& e) {
    Errore(c, q.numero, e.Number(), e.Description());
  } catch (const std::exception& e) {
    Errore(c, q.numero, 5, e.what());
  }
}

vb::Variant ServerMenu::LeggiParam(const std::string& nome) {
  if (Inizia(nome, "Personal.")) {
    auto v = Leggi("MenuParPers", "Chiave", nome);
    return vb::Variant(v ? *v : std::string(kAssente));
  }
  const std::string d = SezioneDitta();
  if (vb::UgualeTesto(nome, "MenuProcId")) return vb::Variant(static_cast<long>(::getpid()));
  if (Inizia(nome, "ID:")) {
    const std::string chiave = nome.substr(3);
    Raccogli();
    for (auto it = lanci_.rbegin(); it != lanci_.rend(); ++it) {
      const Lancio& l = **it;
      if (!vb::UgualeTesto(l.chiave, chiave) || l.terminato) continue;
      if (l.pidConnesso) return vb::Variant(std::to_string(l.pidConnesso));
      if (l.pid) return vb::Variant(std::to_string(l.pid));
    }
    return vb::Variant("");
  }
  static const std::pair<const char*, const char*> kDitta[] = {
      {"NomeDBAzie", "NomeDB"}, {"ConnectDBAzie", "ConnectDB"}, {"DescAzie", "Descrizione"},
      {"SqlLogin", "SqlLogin"}, {"SqlPwd", "SqlPwd"}};
  for (const auto& [param, chiave] : kDitta)
    if (vb::UgualeTesto(nome, param)) return vb::Variant(Ini(d, chiave));
  // The stand-in knows the login from its ini: there is nobody to ask.
  if (vb::UgualeTesto(nome, "ChiediPwdSql")) {
    Evento("ChiediPwdSql");
    return vb::Variant("");
  }
  if (vb::UgualeTesto(nome, "Versione")) return vb::Variant(Ini("Menu", "Versione", "0.1"));
  if (vb::UgualeTesto(nome, "DataVersione")) return vb::Variant(Ini("Menu", "DataVersione", "10/12/2026"));
  if (vb::UgualeTesto(nome, "VersMenu")) return vb::Variant(Ini("Menu", "VersMenu", "1.07"));
  if (vb::UgualeTesto(nome, "OSPlatform")) return vb::Variant("Linux");
  if (auto v = Leggi("MenuValori", "Nome", nome)) return vb::Variant(*v);
  if (vb::UgualeTesto(nome, "PwdDbAzie")) return vb::Variant(Ini(d, "PwdDb"));
  if (vb::UgualeTesto(nome, "AccMenuPwd")) return vb::Variant(Ini("Menu", "PwdDbMenu"));
  std::string v;
  if (vb::LeggiProfilo(fileIni_, "Parametri " + ditta_, nome, v)) return vb::Variant(v);
  if (vb::LeggiProfilo(fileIni_, "Parametri", nome, v)) return vb::Variant(v);
  return vb::Variant("");
}

void ServerMenu::ScriviParam(const std::string& nome, const vb::Variant& valore) {
  if (Inizia(nome, "Personal."))
    Scrivi("MenuParPers", "Chiave", nome, Testo(valore));
  else
    Scrivi("MenuValori", "Nome", nome, Testo(valore));
  Evento("ScriviParam " + nome);
}

std::optional<std::string> ServerMenu::Leggi(const std::string& tabella, const std::string& campo,
                                             const std::string& chiave) const {
  std::lock_guard<std::recursive_mutex> l(m_);
  if (!db_) return std::nullopt;
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*db_, connDb_, "",
                                         "Select Valore from " + tabella + " Where Utente = " +
                                             fc.ValoreSql(utente_, vb::vbString) + " And " + campo + " = " +
                                             fc.ValoreSql(chiave, vb::vbString),
                                         false, 4);
  std::optional<std::string> v;
  if (!rs.NessunRecord(k)) v = Testo(rs.LeggiCampo(k, "Valore"));
  rs.ChiudiRecordset(k);
  return v;
}

void ServerMenu::Scrivi(const std::string& tabella, const std::string& campo, const std::string& chiave,
                        const std::string& valore) {
  std::lock_guard<std::recursive_mutex> l(m_);
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string u = fc.ValoreSql(utente_, vb::vbString);
  const std::string k = fc.ValoreSql(chiave, vb::vbString);
  db_->EseguiSql(connDb_, "Delete from " + tabella + " Where Utente = " + u + " And " + campo + " = " + k);
  db_->EseguiSql(connDb_, "Insert into " + tabella + " (Utente, " + campo + ", Valore) Values (" + u + ", " + k +
                              ", " + fc.ValoreSql(valore, vb::vbString) + ")");
}

std::string ServerMenu::ParPers(const std::string& chiave) const {
  return Leggi("MenuParPers", "Chiave", chiave).value_or("");
}

std::string ServerMenu::ValoreNominato(const std::string& nome) const {
  return Leggi("MenuValori", "Nome", nome).value_or("");
}

void ServerMenu::Raccogli() {
  for (auto& l : lanci_) {
    if (l->pid <= 0 || l->terminato) continue;
    int st = 0;
    if (::waitpid(l->pid, &st, WNOHANG) != l->pid) continue;
    l->terminato = true;
    l->codice = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + (WIFSIGNALED(st) ? WTERMSIG(st) : 0);
    Log((l->stampa ? "il programma di stampa " : "il programma ") + l->chiave + " è terminato (codice " +
        std::to_string(l->codice) + ")");
    if (!l->stampa && l->finestra == principale_) principaleFinito_ = true;
  }
}

int ServerMenu::StatoPartito(const std::string&) {
  Raccogli();
  // The print program's names differ between its launch and this question:
  // the answer is about the last print launch.
  Lancio* l = nullptr;
  for (auto it = lanci_.rbegin(); it != lanci_.rend() && !l; ++it)
    if ((*it)->stampa) l = it->get();
  if (!l || !l->errore.empty()) return 2;
  if (l->terminato) return l->codice == 0 ? 0 : 2;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - l->inizio);
  const long attesa = vb::FunzioniComuni::Istanza().ValLong(vb::Variant(Ini("Stampa", "AttesaAvvio", "500")));
  if (l->connesso || ms.count() >= attesa) return 0;
  return 1;
}

void ServerMenu::AvviaStampa(Conn& c, const std::string& prim, const std::string& sec) {
  auto l = std::make_unique<Lancio>();
  l->stampa = true;
  l->chiave = prim;
  l->osKeySecLancia = sec;
  l->osChiLancia = c.chiave;
  std::vector<std::string> valori;
  for (const auto& [n, v] : c.valoriLancio) valori.push_back(n + "=" + Testo(v));
  c.valoriLancio.clear();
  Evento("Stampa " + prim + " " + sec + " " + vb::Join(valori, "|"));
  risultatoLancio_.clear();
  std::string comando = Ini("Stampa", "Comando");
  if (comando.empty()) {
    l->errore = "Programma di stampa non configurato nel menu";
  } else {
    l->fileValori = CartellaRuntime() + "/velnor-lancio-" + idMenu_ + "-" + std::to_string(++prossimoStampa_) + ".txt";
    {
      std::ofstream f(l->fileValori);
      for (const auto& v : valori) f << v << "\n";
    }
    auto sost = [&](const std::string& segnaposto, const std::string& valore) {
      comando = vb::Replace(comando, segnaposto, valore);
    };
    sost("%M", idMenu_);
    sost("%P", prim);
    sost("%S", sec);
    sost("%V", l->fileValori);
    sost("%U", utente_);
    l->pid = Genera({"/bin/sh", "-c", comando},
                    {"VELNOR_MENU=" + idMenu_, "VELNOR_CHIAVE=" + prim, "VELNOR_CHIAVE_SEC=" + sec,
                     "VELNOR_VALORI=" + l->fileValori},
                    l->errore);
  }
  if (!l->errore.empty()) {
    risultatoLancio_ = l->errore;
    Log(l->errore);
  } else {
    Log("avviato il programma di stampa " + prim + " (processo " + std::to_string(l->pid) + ")");
  }
  lanci_.push_back(std::move(l));
}

std::string ServerMenu::PreparaLancio(std::string* finestra) {
  std::lock_guard<std::recursive_mutex> g(m_);
  auto l = std::make_unique<Lancio>();
  l->finestra = "W" + std::to_string(++prossimaFinestra_);
  l->chiave = Ini("Programma", "Chiave", "DDT");
  const std::string form = Ini("Programma", "Form", "frmddttest");
  l->osParam = "/F" + form;
  const std::string help = Ini("Programma", "Help");
  if (!help.empty()) l->osParam += " /H" + help;
  const std::string agg = Ini("Programma", "Parametro");
  if (!agg.empty()) l->osParam += " " + agg;
  l->osTipoForm = Ini("Programma", "TipoForm");
  const std::string riga = "/M" + idMenu_ + " /P" + l->chiave + " " + l->finestra + " /F" + form;
  if (finestra) *finestra = l->finestra;
  Evento("Lancio " + l->chiave + " " + l->finestra);
  lanci_.push_back(std::move(l));
  return riga;
}

bool ServerMenu::Lancia() {
  std::lock_guard<std::recursive_mutex> g(m_);
  std::string finestra;
  PreparaLancio(&finestra);
  Lancio* l = LancioDi(finestra);
  principale_ = finestra;
  const std::string comando = Ini("Programma", "Comando");
  if (comando.empty()) {
    l->errore = "Nessun programma da avviare: manca [Programma] Comando";
  } else {
    l->pid = Genera({vb::PercorsoLocale(comando), "/M" + idMenu_, "/P" + l->chiave, finestra,
                     "/F" + Ini("Programma", "Form", "frmddttest")},
                    {}, l->errore);
  }
  if (!l->errore.empty()) {
    Log(l->errore);
    principaleFinito_ = true;
    return false;
  }
  Log("avviato " + comando + " (finestra " + finestra + ", processo " + std::to_string(l->pid) + ")");
  return true;
}

long ServerMenu::InviaComando(const std::string& programma, const std::string& comando,
                              const menu::ValoreMenu& parametro) {
  long t;
  {
    std::lock_guard<std::recursive_mutex> l(m_);
    t = ++prossimoTicket_;
    daInviare_[t] = Attesa{programma, comando, parametro};
    risposte_[t] = std::nullopt;
  }
  if (sveglia_[1] >= 0) {
    char c = 1;
    [[maybe_unused]] auto r = ::write(sveglia_[1], &c, 1);
  }
  return t;
}

std::optional<RispostaComando> ServerMenu::Risposta(long ticket) {
  std::lock_guard<std::recursive_mutex> l(m_);
  auto it = risposte_.find(ticket);
  if (it == risposte_.end()) return std::nullopt;
  return it->second;
}

void ServerMenu::SimulaErrore(const std::string& operazione, long numero, const std::string& descrizione) {
  std::lock_guard<std::recursive_mutex> l(m_);
  guasti_[operazione] = {numero, descrizione};
}

std::vector<std::string> ServerMenu::Eventi() const {
  std::lock_guard<std::recursive_mutex> l(m_);
  return eventi_;
}

std::vector<std::string> ServerMenu::Elenco() const {
  std::lock_guard<std::recursive_mutex> l(m_);
  return ElencoNonProtetto();
}

std::vector<std::string> ServerMenu::ElencoNonProtetto() const {
  std::vector<std::string> righe;
  for (const auto& l : lanci_) {
    bool connesso = false;
    std::string caption;
    for (const auto& c : conn_)
      if (c->programma && !c->chiuso && !c->disconnesso && c->finestra == l->finestra && !l->stampa) {
        connesso = true;
        caption = c->caption;
      }
    const bool vivo = l->pid > 0 && !l->terminato;
    if (!connesso && !vivo) continue;
    std::string r = (l->stampa ? std::string("stampa") : l->finestra) + "\t" + l->chiave + "\t" +
                    std::to_string(l->pidConnesso ? l->pidConnesso : l->pid) + "\t" +
                    (connesso || l->connesso ? "connesso" : "in avvio");
    if (!caption.empty()) r += "\t" + caption;
    righe.push_back(r);
  }
  return righe;
}

std::vector<std::string> ServerInAscolto() {
  std::vector<std::string> ids;
  const std::string dir = CartellaRuntime();
  DIR* d = ::opendir(dir.c_str());
  if (!d) return ids;
  const std::string prefisso = "velnor-menu-", suffisso = ".sock";
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n.size() <= prefisso.size() + suffisso.size() || n.rfind(prefisso, 0) != 0 ||
        n.substr(n.size() - suffisso.size()) != suffisso)
      continue;
    std::string id = n.substr(prefisso.size(), n.size() - prefisso.size() - suffisso.size());
    int fd = ConnettiSocket(id);
    if (fd < 0) continue;
    ::close(fd);
    ids.push_back(id);
  }
  ::closedir(d);
  return ids;
}

menu::ValoreMenu RichiestaAlServer(const std::string& idMenu, const std::string& operazione,
                                   std::vector<menu::ValoreMenu> argomenti, int attesaSecondi) {
  int fd = ConnettiSocket(idMenu);
  if (fd < 0) vb::Solleva(5, "Nessun menu in ascolto con identificativo " + idMenu);
  Canale c;
  c.Apri(fd);
  Frame q;
  q.tipo = 'Q';
  q.numero = 1;
  q.operazione = operazione;
  q.valori = std::move(argomenti);
  c.Invia(q);
  const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(attesaSecondi);
  while (std::chrono::steady_clock::now() < fine) {
    pollfd p{c.Fd(), POLLIN, 0};
    ::poll(&p, 1, 200);
    const bool aperto = c.Leggi();
    while (auto f = c.Prossimo()) {
      // Number 0: the server could not take the request at all.
      if (f->tipo == 'R' && f->numero == 0 && f->operazione == "ERR") vb::Solleva(f->errore, f->descrizione);
      if (f->tipo == '?' && f->operazione == "R" && f->numero == 1)
        vb::Solleva(5, "Risposta del menu non valida: " + f->descrizione);
      if (f->tipo != 'R' || f->numero != 1) continue;
      if (f->operazione == "ERR") vb::Solleva(f->errore, f->descrizione);
      return f->valori.empty() ? menu::ValoreMenu() : f->valori.front();
    }
    if (!aperto) vb::Solleva(5, "Il menu ha chiuso la connessione");
  }
  vb::Solleva(5, "Il menu non risponde");
}

}  // namespace menu

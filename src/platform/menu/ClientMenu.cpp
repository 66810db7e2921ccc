#include "platform/menu/ClientMenu.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "platform/Errore.h"
#include "platform/ui/Backend.h"

namespace menu {

namespace {

int& AttesaMassima() {
  static int secondi = 30;
  return secondi;
}

[[noreturn]] void MenuAssente(const std::string& dettaglio = {}) {
  vb::Solleva(5, dettaglio.empty() ? "Il menu principale non è in esecuzione" : dettaglio);
}

std::string Testo(const ValoreMenu& v) { return v.Testo(); }

}  // namespace

void ClientMenu::ImpostaAttesaMassima(int secondi) { AttesaMassima() = secondi; }

ClientMenu::ClientMenu() = default;

ClientMenu::~ClientMenu() { Chiudi(); }

void ClientMenu::Chiudi() {
  if (sorgente_) ui::RimuoviSorgente(sorgente_);
  sorgente_ = 0;
  canale_.Chiudi();
  arrivati_.clear();
  chiudiDopo_ = false;
}

void ClientMenu::Connetti(const std::string& psIdMenu, const std::string& psKeyPrg,
                          const std::string& psIdFinestra) {
  Chiudi();
  int fd = ConnettiSocket(psIdMenu);
  if (fd < 0) MenuAssente();
  canale_.Apri(fd);
  idMenu_ = psIdMenu;
  keyPrg_ = psKeyPrg;
  finestra_ = psIdFinestra;
  finestraInfo_ = psIdFinestra;
  try {
    Chiama("Connetti", {psIdMenu, psKeyPrg, psIdFinestra, vb::Variant(static_cast<long>(::getpid()))});
  } catch (...) {
    Chiudi();
    throw;
  }
  sorgente_ = ui::AggiungiSorgente(canale_.Fd(), [this] { Servi(); });
}

ValoreMenu ClientMenu::Chiama(const std::string& operazione, std::vector<ValoreMenu> argomenti) {
  if (!canale_.Aperto()) MenuAssente();
  Frame q;
  q.tipo = 'Q';
  q.numero = ++numero_;
  q.operazione = operazione;
  q.valori = std::move(argomenti);
  try {
    canale_.Invia(q);
  } catch (const vb::Errore& e) {
    // A request too long for the channel fails alone; anything else lost it.
    if (e.Number() != 6) Chiudi();
    throw;
  }
  inAttesa_.insert(q.numero);
  struct Fine {
    ClientMenu& c;
    long n;
    ~Fine() {
      c.inAttesa_.erase(n);
      c.risposteTenute_.erase(n);
    }
  } fine{*this, q.numero};
  using Orologio = std::chrono::steady_clock;
  auto ultimo = Orologio::now();
  bool chiuso = false;
  auto risposta = [&](const Frame& r) -> ValoreMenu {
    if (r.operazione == "ERR") vb::Solleva(r.errore, r.descrizione, "ClientMenu." + operazione);
    return r.valori.empty() ? ValoreMenu() : r.valori.front();
  };
  while (true) {
    // A command served inside this wait may have made calls of its own that
    // read this call's answer: it was kept for us.
    if (auto tenuta = risposteTenute_.find(q.numero); tenuta != risposteTenute_.end()) {
      Frame r = std::move(tenuta->second);
      risposteTenute_.erase(tenuta);
      return risposta(r);
    }
    while (auto f = Prendi()) {
      if (f->tipo == 'R' && f->numero == q.numero) return risposta(*f);
      // The server's command inside the wait: served now, as the legacy
      // event ran inside any call to the component. The time spent serving
      // it (a window the user answers) is not the server's delay; the time
      // between its commands is, or a server that keeps sending them and
      // never answers would hold this call for ever.
      const auto inizio = Orologio::now();
      Smista(*f);
      if (!canale_.Aperto()) MenuAssente();
      ultimo += Orologio::now() - inizio;
      if (risposteTenute_.count(q.numero)) break;
    }
    if (risposteTenute_.count(q.numero)) continue;
    if (chiuso) {
      Chiudi();
      MenuAssente();
    }
    const auto trascorso = std::chrono::duration_cast<std::chrono::milliseconds>(Orologio::now() - ultimo);
    const long resta = AttesaMassima() * 1000L - trascorso.count();
    if (resta <= 0) MenuAssente("Il menu principale non risponde");
    pollfd p{canale_.Fd(), POLLIN, 0};
    ::poll(&p, 1, static_cast<int>(std::min(resta, 250L)));
    chiuso = !canale_.Leggi();
  }
}

std::optional<Frame> ClientMenu::Prendi() {
  while (auto f = canale_.Prossimo()) {
    if (f->tipo == 'K') {
      // Withdrawn: whoever asked gave up waiting. Not begun yet, so it is
      // not run at all (one already running goes on: its answer is ignored).
      std::erase_if(arrivati_, [&](const Frame& a) { return a.tipo == 'C' && a.numero == f->numero; });
      continue;
    }
    arrivati_.push_back(std::move(*f));
  }
  if (arrivati_.empty()) return std::nullopt;
  Frame f = std::move(arrivati_.front());
  arrivati_.pop_front();
  return f;
}

void ClientMenu::Smista(const Frame& f) {
  switch (f.tipo) {
    case 'R':
      // The answer of a call further out, still waiting; any other is stale.
      if (inAttesa_.count(f.numero)) risposteTenute_[f.numero] = f;
      return;
    case '?':
      if (f.operazione == "R") {
        // A broken answer fails the call it answers.
        if (inAttesa_.count(f.numero)) {
          Frame r;
          r.tipo = 'R';
          r.numero = f.numero;
          r.operazione = "ERR";
          r.errore = 5;
          r.descrizione = "Risposta del menu non valida: " + f.descrizione;
          risposteTenute_[f.numero] = std::move(r);
        }
        return;
      }
      Rispondi(RispostaNonValida(f));
      return;
    default:
      Tratta(f);
  }
}

void ClientMenu::Rispondi(const Frame& r) {
  if (!canale_.Aperto()) return;
  try {
    canale_.Invia(r);
  } catch (const vb::Errore& e) {
    if (e.Number() != 6 || !canale_.Aperto()) {
      Chiudi();
      return;
    }
    // An answer too long for the channel: the server hears why instead.
    Frame err;
    err.tipo = 'R';
    err.numero = r.numero;
    err.operazione = "ERR";
    err.errore = e.Number();
    err.descrizione = e.Description();
    try {
      canale_.Invia(err);
    } catch (const vb::Errore&) {
      Chiudi();
    }
  }
}

void ClientMenu::Tratta(const Frame& f) {
  if (f.tipo != 'C') {
    // The server asks nothing else of a program: say so rather than leave
    // it waiting.
    Frame r;
    r.tipo = 'R';
    r.numero = f.numero;
    r.operazione = "ERR";
    r.errore = 438;
    r.descrizione = "Operazione non gestita dal programma: " + f.operazione;
    Rispondi(r);
    return;
  }
  // The handler may release the holder that owns this client ("fine"):
  // keep it alive until the answer has gone.
  auto vivo = weak_from_this().lock();
  Frame r;
  r.tipo = 'R';
  r.numero = f.numero;
  ++inComando_;
  try {
    vb::Variant ritorno;
    // A copy: the handler may replace or clear the member while it runs.
    GestoreComando gestore = EseguiComando;
    if (gestore) gestore(Testo(f.valori[0]), Testo(f.valori[1]), Testo(f.valori[2]), f.valori[3], ritorno);
    r.valori.push_back(ritorno);
  } catch (const vb::Errore& e) {
    r.operazione = "ERR";
    r.errore = e.Number();
    r.descrizione = e.Description();
  } catch (const std::exception& e) {
    r.operazione = "ERR";
    r.errore = 5;
    r.descrizione = e.what();
  }
  --inComando_;
  Rispondi(r);
  if (inComando_ == 0 && chiudiDopo_) Chiudi();
}

void ClientMenu::Servi() {
  if (!canale_.Aperto()) return;
  auto vivo = weak_from_this().lock();
  const bool aperto = canale_.Leggi();
  while (canale_.Aperto()) {
    auto f = Prendi();
    if (!f) break;
    Smista(*f);
  }
  if (!aperto) Chiudi();
}

vb::Variant ClientMenu::EseguiFunzione(const std::string& psFunzione, const std::string& psSezione,
                                       const ValoreMenu& pvArg) {
  return Chiama("EseguiFunzione", {psFunzione, psSezione, pvArg}).Valore();
}

vb::Variant ClientMenu::LeggiParam(const std::string& psNome, const std::string&) {
  return Chiama("LeggiParam", {psNome}).Valore();
}

void ClientMenu::ScriviParam(const std::string& psNome, const std::string&, const vb::Variant& pvValore) {
  Chiama("ScriviParam", {psNome, pvValore});
}

InfoLancio ClientMenu::InfoLancio() {
  ValoreMenu v = Chiama("InfoLancio", {finestraInfo_});
  menu::InfoLancio i;
  auto t = [&](size_t n) {
    vb::Variant e = v.Elemento(n);
    return e.IsEmpty() || e.IsNull() ? std::string() : e.ToString();
  };
  i.osParam = t(0);
  i.osChiLancia = t(1);
  i.osKeySecLancia = t(2);
  i.osParamLancia = t(3);
  i.osTipoForm = t(4);
  return i;
}

void ClientMenu::PrendiInfoLancio(const std::string& psKeySec) {
  if (!canale_.Aperto()) MenuAssente();
  finestraInfo_ = psKeySec;
}

std::string ClientMenu::PercorsoIni() { return Chiama("PercorsoIni", {}).Testo(); }

vb::Variant ClientMenu::DataLavoro() { return Chiama("DataLavoro", {}).Valore(); }

std::string ClientMenu::Utente() { return Chiama("Utente", {}).Testo(); }

std::string ClientMenu::Terminale() { return Chiama("Terminale", {}).Testo(); }

void ClientMenu::ScriviValoreLancio(const std::string& psNome, int piTipo, bool pbFlag,
                                    const vb::Variant& pvValore) {
  Chiama("ScriviValoreLancio", {psNome, vb::Variant(piTipo), vb::Variant(pbFlag), pvValore});
}

void ClientMenu::LanciaProgramma(const std::string& psSezione, const std::string& psModo) {
  Chiama("LanciaProgramma", {psSezione, psModo});
}

vb::Variant ClientMenu::RisultatoLancio(const std::string& psNome, const vb::Variant&, const std::string&,
                                        const vb::Variant&) {
  return Chiama("RisultatoLancio", {psNome}).Valore();
}

bool ClientMenu::InEsecuzione(const std::string& psRichiesta, int piTipo) {
  vb::Variant v = Chiama("InEsecuzione", {psRichiesta, vb::Variant(piTipo)}).Valore();
  return !v.IsEmpty() && !v.IsNull() && v.ToBool();
}

void ClientMenu::TornaAlMenu(const std::string& psSezione) { Chiama("TornaAlMenu", {psSezione}); }

void ClientMenu::TornaAChiama(const std::string& psKeyLancia, const std::string& psKeySecLancia,
                              const std::string& psParamLancia) {
  Chiama("TornaAChiama", {psKeyLancia, psKeySecLancia, psParamLancia});
}

void ClientMenu::PassaA(const std::string& psCaption, const std::string& psNomeForm,
                        const std::string& psKeySec) {
  Chiama("PassaA", {psCaption, psNomeForm, psKeySec});
}

void ClientMenu::ChiusoForm(const std::string& psKeySec) { Chiama("ChiusoForm", {psKeySec}); }

void ClientMenu::Disconnetti() {
  if (!canale_.Aperto()) return;
  try {
    Chiama("Disconnetti", {});
  } catch (const vb::Errore&) {
    // Leaving a server that is already gone is no failure.
  }
  // Inside a menu command the answer must still reach the server: the
  // socket closes once it has been sent.
  if (inComando_ > 0) {
    chiudiDopo_ = true;
    if (sorgente_) ui::RimuoviSorgente(sorgente_);
    sorgente_ = 0;
  } else {
    Chiudi();
  }
}

}  // namespace menu

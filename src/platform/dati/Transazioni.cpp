#include "platform/dati/Transazioni.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/Errore.h"
#include "platform/dati/Motore.h"

namespace dati {

namespace {

struct Workspace {
  std::vector<Connessione*> connessioni;
  int livello = 0;
};

Workspace& Ws() {
  static Workspace w;
  return w;
}

}  // namespace

void RegistraConnessione(Connessione* c) { Ws().connessioni.push_back(c); }

void DimenticaConnessione(Connessione* c) {
  auto& v = Ws().connessioni;
  v.erase(std::remove(v.begin(), v.end(), c), v.end());
}

void PartecipaTransazione(Connessione& c) {
  const int livello = Ws().livello;
  while (c.LivelloTransazione() < livello) c.IniziaTransazione();
}

void IniziaTransWorkspace() { ++Ws().livello; }

void ConfermaTransWorkspace() {
  Workspace& w = Ws();
  if (w.livello == 0) vb::Solleva(3034, "Conferma senza una transazione aperta");
  // A commit that fails leaves that connection rolled back (the engine sees
  // to it): the transaction is over either way. The connections after it
  // are rolled back too, so none stays inside a transaction that nobody
  // will end, holding its lock and waiting to commit old writes with the
  // next one. Those committed before it stay committed: the engines know
  // no commit across connections.
  --w.livello;
  std::exception_ptr errore;
  for (Connessione* c : w.connessioni) {
    if (c->LivelloTransazione() <= w.livello) continue;
    if (errore) {
      try {
        c->AnnullaTransazione();
      } catch (...) {
      }
      continue;
    }
    try {
      c->ConfermaTransazione();
    } catch (...) {
      errore = std::current_exception();
    }
  }
  if (errore) std::rethrow_exception(errore);
}

void AnnullaTransWorkspace() {
  Workspace& w = Ws();
  // An error handler may roll back after a failed commit already closed the
  // transaction: nothing is left to undo then.
  if (w.livello == 0) return;
  --w.livello;
  for (Connessione* c : w.connessioni) {
    if (c->LivelloTransazione() > w.livello) {
      try {
        c->AnnullaTransazione();
      } catch (...) {
      }
    }
  }
}

int LivelloTransWorkspace() { return Ws().livello; }

}  // namespace dati

#pragma once
// Program utilities of the start-up: database opening and transactions.
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestDatabase;
}

namespace utilprg {

// Begin, commit or roll back the transaction of the data-access engine; on
// a database server also switch the connection's isolation level (reading
// uncommitted data inside the transaction, committed data again after).
// `pvWorkspace` and `piOpzione` go to the utility object; `pgDb` is used
// when `piUsaAzienda` is not -1, else the company database; an empty
// `psChiave` is the company connection. Errors of the transaction itself
// reach the caller; those of the isolation statement are ignored.
void TransInizio(const vb::Variant& pvWorkspace = 0, int piOpzione = -1,
                 dati::GestDatabase* pgDb = nullptr, int piUsaAzienda = -1,
                 const std::string& psChiave = "");
void TransConferma(const vb::Variant& pvWorkspace = 0, int piOpzione = -1,
                   dati::GestDatabase* pgDb = nullptr, int piUsaAzienda = -1,
                   const std::string& psChiave = "");
void TransAnnulla(const vb::Variant& pvWorkspace = 0, int piOpzione = -1,
                  dati::GestDatabase* pgDb = nullptr, int piUsaAzienda = -1,
                  const std::string& psChiave = "");

}  // namespace utilprg

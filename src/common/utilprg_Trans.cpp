#include "common/Globali.h"
#include "common/utilprg.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"

namespace utilprg {

namespace {

// The transaction calls keep an instance of the utility object of their
// own, so begin, commit and rollback always reach the same one.
const vb::FunzioniComuni& Trans() {
  static const vb::FunzioniComuni istanza;
  return istanza;
}

void Isolamento(const char* sql, dati::GestDatabase* pgDb, int piUsaAzienda, const std::string& psChiave) {
  try {
    dati::GestDatabase* db = piUsaAzienda == -1 ? G().goDbAzienda.get() : pgDb;
    const std::string chiave =
        vb::FunzioniComuni::Istanza().Vuoto(psChiave) ? G().gsConnAzienda : psChiave;
    if (!db) return;
    vb::Variant server = db->LeggiVar("DbTipoSql:" + chiave, 12);
    if (!server.IsEmpty() && !server.IsNull() && server.ToBool()) db->EseguiSql(chiave, sql, 64);
  } catch (...) {
    // The isolation level is a refinement: the transaction stands without it.
  }
}

}  // namespace

void TransInizio(const vb::Variant& pvWorkspace, int piOpzione, dati::GestDatabase* pgDb,
                 int piUsaAzienda, const std::string& psChiave) {
  Trans().IniziaTrans(pvWorkspace.IsMissing() ? vb::Variant(0) : pvWorkspace, piOpzione);
  Isolamento("SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED", pgDb, piUsaAzienda, psChiave);
}

void TransConferma(const vb::Variant& pvWorkspace, int piOpzione, dati::GestDatabase* pgDb,
                   int piUsaAzienda, const std::string& psChiave) {
  Trans().ConfermaTrans(pvWorkspace.IsMissing() ? vb::Variant(0) : pvWorkspace, piOpzione);
  Isolamento("SET TRANSACTION ISOLATION LEVEL READ COMMITTED", pgDb, piUsaAzienda, psChiave);
}

void TransAnnulla(const vb::Variant& pvWorkspace, int piOpzione, dati::GestDatabase* pgDb,
                  int piUsaAzienda, const std::string& psChiave) {
  Trans().AnnullaTrans(pvWorkspace.IsMissing() ? vb::Variant(0) : pvWorkspace, piOpzione);
  Isolamento("SET TRANSACTION ISOLATION LEVEL READ COMMITTED", pgDb, piUsaAzienda, psChiave);
}

}  // namespace utilprg

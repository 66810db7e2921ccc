#pragma once
// Program utilities of the start-up: database opening and transactions.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestDatabase;
}
namespace ui {
class Form;
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

// A form's geometry for saving, in twips: a maximised form gives -2 in
// width and height; a form as wide (high) as the screen gives -1 there and a
// left (top) of 0; otherwise the size and the position.
void LeggiDimForm(const ui::Form& pgForm, long& plLarg, long& plAlt, long& plLeft, long& plTop);
// Applies a geometry in the same codes: -2 in either size maximises; -1
// spans the screen from 0; 0 keeps the design value (of a size or a place).
void ImpostaDimForm(ui::Form& pgForm, long plLarg, long plAlt, long plLeft, long plTop);

// ---- opening of the company database
// The data-access engine's own handle on a database, beside the manager's
// connections: a connection of its own.
struct DatabaseDao {
  std::shared_ptr<dati::GestDatabase> gestore;
  std::string chiave;
  std::string nome;
  std::string connessione;
};
// True for a name beginning "ODBC;", ending ".dsn" or holding no ".": a
// database server; False for a file path.
bool ConnessioneOdbc(const std::string& psNome);
// Opens the direct handle: a file path as it is, a data-source name or
// ".dsn" file through a connect text with the login; errors reach the caller.
std::shared_ptr<DatabaseDao> ApriDbDao(const std::string& psNome, const std::string& psLogin,
                                       const std::string& psPwd);
// A connect text as it may be shown: the value of every PWD or Password
// attribute, braced or not, replaced by "********"; the rest as it stands.
std::string SenzaPassword(const std::string& psConnect);
// Finds the suite ini (when the menu gave none), chooses the database's ini,
// opens the company database: 0 when the start-up may go on, -1 when not.
int16_t ApriDbAzienda(const std::string& psFileIni, std::shared_ptr<dati::GestDatabase>& pgDb,
                      std::string& psConnAzienda, const std::string& psFileInst);

}  // namespace utilprg

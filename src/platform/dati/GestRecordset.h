#pragma once
// The recordset manager: any number of open recordsets, each addressed by
// the key text it was opened under. A manager created for one procedure
// closes its recordsets when it goes; a pending new or edited row is then
// discarded.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Variant.h"
#include "platform/dati/Recordset.h"

namespace dati {

class GestDatabase;

class GestRecordset {
 public:
  GestRecordset() = default;
  GestRecordset(const GestRecordset&) = delete;
  GestRecordset& operator=(const GestRecordset&) = delete;

  // Opens `sql` (legacy dialect) on connection `conn` of `db`, positioned on
  // its first row; open type 2 = updatable, 4 = read-only snapshot. `chiave`
  // "" lets the manager make a key; a key already open is closed first.
  std::string ApriRecordset(GestDatabase& db, const std::string& conn, const std::string& chiave,
                            const std::string& sql, bool = false, int tipo = 4);

  bool NessunRecord(const std::string& k);
  bool FineRec(const std::string& k);
  bool InizioRec(const std::string& k);
  void PrimoRec(const std::string& k);
  void ProssimoRec(const std::string& k);
  void PrecedenteRec(const std::string& k);
  void UltimoRec(const std::string& k);
  long NumRecord(const std::string& k);
  long PosRecord(const std::string& k);
  long PosizioneRec(const std::string& k) { return PosRecord(k); }
  // The 0-based position of the current row, under the name some callers use.
  long NumRecordTot(const std::string& k) { return PosRecord(k); }
  // Moves to the row of 0-based position `plPos` (3001 outside the rows).
  void VaiARec(const std::string& k, long plPos);

  // The field of the current row (of the row being edited, when one is),
  // never Null: a Null reads as "" (a number with type code 2, 3, 5 or 6:
  // 0). A column the query does not hold reads the same way: callers ask
  // one text of several queries and take "" or 0 for a column a query
  // lacks.
  vb::Variant LeggiCampo(const std::string& k, std::string_view campo,
                         std::optional<int> tipo = std::nullopt);
  // The field as stored, Null kept; a column the query does not hold is
  // error 3265.
  vb::Variant LeggiCampoNull(const std::string& k, std::string_view campo);

  void NuovoRecord(const std::string& k);
  void ModificaRecord(const std::string& k);
  void ScriviCampo(const std::string& k, const std::string& campo, const vb::Variant& valore);
  void SalvaRecord(const std::string& k);
  void CancellaRecord(const std::string& k);
  void VaiUltimoMod(const std::string& k);
  // Reads the recordset again with `condizione` added to its WHERE.
  void Riapri(const std::string& k, const std::string& condizione = {}, int tipo = 2);
  void ChiudiRecordset(const std::string& k);

  // A new row of `destinazione` holding the current row of `origine` for the
  // columns they share, left open for the caller to change and save.
  // 0 when done, else a failure code n (the caller reports -(n + 100)).
  long CopiaRecord(const std::string& origine, const std::string& destinazione, bool = true,
                   bool = false, bool = false);

  void CercaPrimo(const std::string& k, const std::string& criterio);
  void CercaProssimo(const std::string& k, const std::string& criterio);
  bool NonTrovato(const std::string& k);

  Recordset& RecordsetDao(const std::string& k);
  bool Esiste(const std::string& k) const { return aperti_.count(k) > 0; }

 private:
  Recordset& Rs(const std::string& k);
  std::map<std::string, std::unique_ptr<Recordset>> aperti_;
  // The recordset asked for last: a row walk names the same key each call.
  std::string ultimaChiave_;
  Recordset* ultimo_ = nullptr;
  long prossima_ = 0;
};

}  // namespace dati

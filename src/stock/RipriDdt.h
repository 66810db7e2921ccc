#pragma once
// The restore of printed DDTs: each DDT of a selection is locked with its
// warehouse movements, the lot-interface table is kept in step, every row
// of its movements is taken off the stock progressives and the article
// costs and deleted (one short transaction per row, rows held by other
// users retried), the movements go, and the DDT's printed state and
// movement references are cleared. A DDT any step of which failed keeps
// its printed state and references, so that nothing is left half reversed
// and unmarked; its lock rows ("D" state "0", "1", "4"; "M" state "0",
// "6") tell how far it came.
//
// Questions ("Riprova"/"Esci", " Già evasa. ") go through frmMsgCom, the
// retry of rows held by others through the message box, a failed row
// through the notice frmErrAggMov; progress on frmInElab.
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

namespace RipriDdt {

struct ParRipristinoDdt {
  int16_t piAnno = 0;           // 0 or less: any year
  std::string psFattDocumento;  // empty: any document type
  int32_t plNumRifDa = 0;       // 0: no lower bound
  int32_t plNumRifA = 0;        // 0: no upper bound
  std::string psPreDoc;         // empty: any prefix
  int32_t plNumDocDa = 0;
  int32_t plNumDocA = 0;
  int16_t piDaElab = 0;         // always 0: restore of printed DDTs
  std::string psInterfLotti;    // "S": keep 0_RigheDdt in step
};

// Restores the printed DDTs of the selection; the caller re-reads them.
void RipristinoDdt(ParRipristinoDdt& pPar);

// One more failure of the run; the failures since the run started.
void AggErrore();
int16_t NumErrori();

// Removes the locked movement: its rows reversed and deleted, then its
// serial numbers, lot rows and header, unless a row could not be reversed
// (the movement then stays, with the rows left, and a failure is recorded).
// The lock is released in every case.
void CancMovim(int16_t& piAnno, int32_t& plNumReg, std::string& psChiaveLock, bool pbChiudi);

// Reverses and deletes the detail ("D") or level (other) rows of one
// movement, each in a transaction of its own. 0, or the error code of a
// failure before the first row. A row that could not be reversed (an
// error, or "No" to the retry question) is left in place and counted in
// RigheNonStornate; the failure is recorded.
int32_t DisAggMovim(int16_t& piAnno, int32_t& plNumReg, dati::GestRecordset& pgRecordset,
                    std::string& psChiaveRighe, const std::string& psRighe, const vb::Variant& pvAvanzamento,
                    std::string& psChiaveTesta, bool pbCancella, const std::string& psFlagStato,
                    int16_t& piModoErrore);
// Rows left by DisAggMovim since the program started.
long RigheNonStornate();

// The lot-interface rows of the DDT standing on psChiaveDdt (the restore's
// selection): its printed number into psNumDdt; true when the DDT has
// interface lines (and the marker row was written).
bool AggInterfLotti(dati::GestRecordset& pgRecordset, const std::string& psChiaveDdt,
                    const std::string& psTrattamento, std::string& psNumDdt);
// Deletes the marker rows of the number.
void CancSegnapostoLotti(const std::string& psNumDdt);

}  // namespace RipriDdt

#pragma once
// The warehouse engine's per-row work on one movement row: the stock
// progressives of its warehouses (ArticoliProg), the article's cost row
// (ArticoliCosti), the price lists named by the row, the supplier record
// (ArticoliFor) and the share of the movement's expenses.
//
// Direction "A" applies a movement, "D" reverses it: every quantity and
// value the row brought is taken off again. A reversal never creates a
// progressive or cost row and never touches the habitual supplier, the last
// or highest cost, the price lists or ArticoliFor. This program only ever
// reverses (the restore of printed DDTs); "A" is kept whole for the suite's
// other programs and for the tests.
//
// The routines work on the recordsets of the caller's GestRecordset: the
// movement header joined with its cause (ApriTestMovim) and the rows joined
// with their article (SqlRigheMovim), standing on the row to process. Rows
// are read through the qualifier psTabRighe ("MovMagDett", "MovMagLiv" or
// their working copies). Database errors are raised to the caller, which
// runs each row in a transaction of its own.
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

namespace UtilMovim {

// The figures of the row being processed, set by AggRigaMovim for the
// progressives and the cost update; the three previous initial figures are
// kept by AggArticoliProg for a movement of kind "V" being applied.
struct StatoRiga {
  double mdQtaMov = 0;       // QtaAggMag rounded to the quantity decimals
  double mdValLireMov = 0;   // ValLire
  double mdValEuroMov = 0;   // ValEuro
  double mdUnitLireMov = 0;  // value per stock unit, lire
  double mdUnitEuroMov = 0;  // value per stock unit, euro
  double mdQtaIniPrec = 0;
  double mdValIniPrec = 0;
  double mdValIniLirePrec = 0;
};
StatoRiga& Stato();

// ---- movement recordsets and the reversal error notice
// Opens the movement header with its cause under psChiaveTesta, unless that
// key is already set. 0, or the error code after showing the error.
int32_t ApriTestMovim(int16_t piAnno, int32_t plNumReg, dati::GestRecordset& pgRecordset, std::string& psChiaveTesta);
// The rows query: detail rows ("D") or level rows (any other psRighe), each
// with the six article columns the engine reads.
std::string SqlRigheMovim(int16_t piAnno, int32_t plNumReg, const std::string& psRighe, const std::string& psTabDett,
                          const std::string& psTabLiv);
// Shows the movement and the row that failed in the modal notice
// frmErrAggMov, with the error text and the caller's title.
void MostraErrAggMov(const std::string& pvMsg, const std::string& pvTitolo, dati::GestRecordset& pgRecordset,
                     const std::string& psChiaveTesta, const std::string& psChiaveRighe,
                     const std::string& psTabRighe);

// ---- the row
// Takes the current row on (or off, "D") the progressives of the warehouse
// of origin and of destination and the article's costs. Rows of an article
// not kept in stock, of causes of kind "O" or "D", and detail rows of an
// article with levels are left alone. A pdBaseRipart of -1 becomes 0 with
// an empty kind. 0, or the first non-zero answer of a step.
int32_t AggRigaMovim(const std::string& psDirezione, bool pbTabArchivio, dati::GestRecordset& pgRecordset,
                     const std::string& psChiaveTesta, const std::string& psChiaveRighe, const std::string& psRighe,
                     bool pbAggFornAbit, int16_t piSoloCalcVal, double& pdValScaLire, double& pdValSca,
                     bool pbAggProgr, bool pbAggCosti, double& pdBaseRipart, std::string& psTipoRipart);

// The row on the progressive row of one warehouse (pbInverti: destination
// side of a transfer, load and unload swapped). Gives the change of the
// stock on hand and the direction of the average-of-loads update. A missing
// progressive row is created only when applying. Always 0.
int32_t AggArticoliProg(const std::string& psMagazzino, bool pbInverti, const std::string& psDirezione,
                        dati::GestRecordset& pgRecordset, const std::string& psChiaveTesta,
                        const std::string& psChiaveRighe, const std::string& psRighe, const std::string& psTabRighe,
                        std::string& psChiaveProg, const std::string& psChiaveCosti, double& pdVarGiac,
                        int16_t& piAggMedio, bool pbAggFornAbit, int16_t piSoloCalcVal, double& pdValScaLire,
                        double& pdValSca);

// The article's cost row (the recordset psKeyCosti, opened by the caller)
// for the row: weighted average, last and highest cost, purchase and sales
// totals, average of loads. Reversing a row without a cost row writes
// nothing.
void AggArticoliCosti(const std::string& psAggDis, dati::GestRecordset& pgRecordset, const std::string& psKeyTes,
                      const std::string& psKeyRig, const std::string& psRighe, const std::string& psTabRighe,
                      const std::string& psKeyCosti, double pdVarGiac, int16_t piFattMedioC, double pdTotSpese,
                      const std::string& psTipoSpese);

// The price of the article in a list, in force at ptData, set from a cost
// (with the markups of psModoRic and the list's VAT). Errors are shown
// with "Listino non aggiornato" and not raised.
void AggListinoDaCosto(const std::string& psArticolo, const std::string& psLivello1, const std::string& psLivello2,
                       const std::string& psListino, const vb::Variant& ptData, double pdCostoEuro,
                       double pdCostoLire, const std::string& psSconto, const std::string& psScoSomSost,
                       const std::string& psModoRic, const std::string& psGruppo, const std::string& psMastro,
                       const std::string& psConto);

// The supplier record of the row's article (last purchase). Always 0.
int32_t AggArtFor(dati::GestRecordset& pgRecordset, const std::string& psKeyTes, const std::string& psKeyRig,
                  const std::string& psRighe, const std::string& psTabRighe, double pdTotSpese,
                  const std::string& psTipoSpese);

// The share per unit of the movement's expenses for one row.
double CalcQuotaSpese(const std::string& psRipartSpese, double pdImportoSpese, double pdTotSpese,
                      const std::string& psTipoSpese, double pdQta, double pdValTotale, double pdValUnitario);

}  // namespace UtilMovim

// The document-level entry points of the warehouse engine: in this program
// both do nothing and answer empty, which their callers take as success.
namespace UtilAggNoMov {

vb::Variant DisAggMovimDoc(int16_t piAnno, int32_t plNumReg, dati::GestRecordset* pgRecordset,
                           std::string& psChiave, const std::string& psRighe, bool pbOpz1, std::string& psChiave2,
                           bool pbOpz2, const std::string& psStato, int16_t piOpz);
vb::Variant AggMovimDoc(int16_t piAnno, int32_t plNumReg, dati::GestRecordset* pgRecordset, const std::string& psRighe,
                        bool pbOpz1, std::string& psChiave, std::string& psChiave2, bool pbOpz2,
                        const std::string& psStato, int16_t piOpz, bool pbOpz3);

}  // namespace UtilAggNoMov

#pragma once
// Expense rows of a document written without any window: the standard
// expenses of a new document, the customer's and the pension fund's
// expense, the bank collection charge and the stamp duty that the payment
// terms carry. The values come from the expense master Spese; the table of
// the document's rows is named by the caller (DdtSpese for a DDT).
//
// Rules shared by every routine:
// - a document sign that is empty or "-" takes no automatic rows;
// - an expense fits a document when its currency equals the document's, or
//   when both are national currencies (the lira or the euro code); a lira
//   document takes the lire columns of the master, any other the plain ones;
// - codes, flags, kinds and currencies compare without regard to case;
// - a row is appended as the document's highest Riga + 1.
//
// The routines open no transaction and take no lock: they write inside
// whatever transaction the caller holds. The window-less entry points
// (InsSpeseStandard, SostSpesaDoc, VerifSpeseBanPag, VerifSpeseBolli)
// catch every error and hand it back as a number (the result, also in
// plErr) with its text in psErr; they show nothing. The row primitives pass
// their errors on.
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace AggSpeBan {

// ---- the expense currency rule

// The lira or the euro code (letter case ignored).
bool MonetaNazionale(const std::string& psMoneta);
// An expense in psMonetaSpesa fits a document in psMonetaDoc: the same
// currency, or both national.
bool MonetaAdatta(const std::string& psMonetaSpesa, const std::string& psMonetaDoc);
// A document in psMonetaDoc takes the lire columns of the master
// (ImportoLire, ImportoMinLire, ImportoMaxLire), else the plain ones.
bool ColonneLire(const std::string& psMonetaDoc);

// ---- row primitives

// plNumRiga = highest Riga of the document's rows, 0 when it has none.
void CalcUltRiga(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif, int32_t& plNumRiga);
// Opens for update the document's row of one expense code (psSpesa, or
// Spese.Spesa of the current row of psRecSpesa when psSpesa is empty):
// psRecRighe = its key, on the row or with no current row. The caller
// closes it.
void CercaRigaSpesa(std::string& psRecRighe, const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                    const std::string& psRecSpesa, const std::string& psSpesa);
// Writes Iva, Percentuale, Importo (times piNumScad), ImportoMax and
// ImportoMin into the row being added or edited in psRecRighe from the
// current master row of psRecSpesa. Does not save.
void AggValoriSpesa(const std::string& psRecRighe, const std::string& psRecSpesa, int16_t piNumScad,
                    const std::string& psMoneta, const std::string& psIva);
// Appends one row of the current master row of psRecSpesa and saves it,
// through psRecRighe or, when empty, a recordset of its own whose key comes
// back in psRecRighe. The caller closes it.
void InsRigaSpesa(std::string& psRecRighe, const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                  const std::string& psRecSpesa, int16_t piNumScad, const std::string& psMoneta,
                  const std::string& psIva);

// ---- routines of the header form

// True when one of the document's rows is a pension-fund expense
// (Spese.CassaPrev 'S').
vb::Variant EsisteCassaPrev(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif);

// Appends one row for each fitting master expense of psFiltro (a whole
// clause, " Where ..."; empty: the standard expenses). pbAggPiede becomes
// true for each row appended, never false. Never looks at the rows the
// document holds already. Result: the error number, 0 when done.
vb::Variant InsSpeseStandard(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                             const std::string& psSegno, const std::string& psMoneta, const std::string& psIva,
                             bool& pbAggPiede, int32_t& plErr, std::string& psErr,
                             const std::string& psFiltro = {});

// Replaces the document's row of psSpesaPrec by a row of psSpesa. Result: 0
// nothing changed, -1 a row deleted or appended, above 0 an error number.
vb::Variant SostSpesaDoc(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                         const std::string& psSpesaPrec, const std::string& psSpesa, const std::string& psSegnoPrec,
                         const std::string& psSegno, const std::string& psMoneta, const std::string& psIva,
                         int32_t& plErr, std::string& psErr);

// Keeps the bank collection charge (kind "R", per instalment) in step with
// a change of customer, payment, currency or sign: the old values against
// the new. The optional flags ("S" = the customer is charged) decide only
// when both are given; otherwise PianoConti.SpeseBan of each side's
// customer does. Result: the error number, 0 whether or not a row changed.
vb::Variant VerifSpeseBanPag(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                             const std::string& psSegnoPrec, const std::string& psSegno,
                             const std::string& psContoPrec, const std::string& psConto,
                             const std::string& psPagamPrec, const std::string& psPagam,
                             const std::string& psMonetaPrec, const std::string& psMoneta, const std::string& psIva,
                             int32_t& plErr, std::string& psErr, const vb::Variant& pvSoggPrec = vb::Missing,
                             const vb::Variant& pvSogg = vb::Missing);
// The same for the stamp duty: kind "T", a percentage not 0, the customer's
// PianoConti.Bolli.
vb::Variant VerifSpeseBolli(const std::string& psTabSpese, int16_t piAnno, int32_t plNumRif,
                            const std::string& psSegnoPrec, const std::string& psSegno,
                            const std::string& psContoPrec, const std::string& psConto,
                            const std::string& psPagamPrec, const std::string& psPagam,
                            const std::string& psMonetaPrec, const std::string& psMoneta, const std::string& psIva,
                            int32_t& plErr, std::string& psErr, const vb::Variant& pvSoggPrec = vb::Missing,
                            const vb::Variant& pvSogg = vb::Missing);

// ---- module state

// Drops the module's shared recordset manager (and whatever it holds open):
// a new company, or the tests, start from nothing.
void AzzeraStato();

}  // namespace AggSpeBan

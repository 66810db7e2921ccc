#pragma once
// Lot traceability shared by the DDT header and line windows: the lot
// operation of a warehouse causal, the warehouses a document's lots move
// in, the stock of a lot, the check that a document's lot rows may be
// deleted, and the open/closed state of the lots (Lotti.Chiuso: "A" open,
// "C" closed by the program, "F" closed by hand and never touched).
//
// Lot-row tables by code: "m" MovMagRintraccia, "ma" its working copy, "d"
// DdtRintraccia, "da" DdtRintracciaApp, "f" FattRintraccia, "fa"
// FattRintracciaApp; the number column of every one is NumReg.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace UtilLotto {

// The six columns that name a lot.
struct ChiaveLotto {
  std::string articolo, gruppo, mastro, conto, lotto;
  int16_t nrProg = 0;
};

// The lot operation of a warehouse causal (letter case ignored): "I"
// internal (TipoMov "I"), "" (TipoMov "V"), "S" unload ("+" with "S", "-"
// with "C"), "C" load ("+" with "C", "-" with "S"), "C" for CarScar "N"
// when the causal is an item of the comma list psCausaliNoMovCar, else "".
std::string CalcLottoTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psSegno,
                            const std::string& psCausale, const std::string& psCausaliNoMovCar);

// The unload and load warehouses of a document's lot movements and the
// proposed lot owner (account triple, "" each when none). psProv/psDest:
// kinds of source and destination ("M" warehouse, "F" supplier, "N"
// production); psUnitaDa/psUnitaA their codes. The production account is
// read from the company parameters Mag.GruppoProd/MastroProd/ContoProd.
void CalcMagaScarCar(const std::string& psTipOpe, const std::string& psProv, const std::string& psDest,
                     const std::string& psUnitaDa, const std::string& psUnitaA, std::string& psMagaScar,
                     std::string& psMagaCar, std::string& psGruppo, std::string& pvMastro, std::string& pvConto);

// Quantities of a lot in a warehouse, by source.
struct GiacenzaLotto {
  double scarMov = 0, carMov = 0, scarDdt = 0, carDdt = 0, scarFatt = 0, scarTot = 0, carTot = 0, giacenza = 0;
};
// The stock of a lot in a warehouse, from the lot rows of movements, DDTs
// (unprinted) and invoices (unprinted, not summary), committed rows of a
// document open for editing replaced by its working rows. psTipoFileEscl:
// the table code whose rows of document piAnno/plNumReg (line plRigLiv, 0
// or less the whole document) are left out; psTipoFileDoc: the family
// ("m", "d", "f") of the document being edited, which counts with its
// committed rows. The stock, or the integer -1 after a failure (shown; every
// quantity of pgQta then -1).
vb::Variant CalcGiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto, GiacenzaLotto& pgQta,
                          const std::string& psTipoFileEscl = "", int16_t piAnno = 0, int32_t plNumReg = 0,
                          int32_t plRigLiv = 0, const std::string& psTipoFileDoc = "");

// Would deleting the lot rows of the document (or line) leave a lot's
// stock below zero in the warehouse it was loaded into (or, for a
// transfer, in either)? 1 with the three-line explanation in psTesto, else
// 0 (psTesto "").
int16_t VerifCancLotto(const std::string& psTipOpe, const std::string& psMagaScar, const std::string& psMagaCar,
                       const ChiaveLotto& pLotto, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                       const std::string& psTipoFileEscl, std::string& psTesto);
// The same for every lot row of the document (line plRigLiv, 0 or less all
// lines) in psTabTracc: the first lot that fails answers 1, its text in
// psTesto and its key in pLotto; 0 leaves both as they were.
int16_t VerifCancLotti(const std::string& psTipOpe, const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                       const std::string& psMagaScar, const std::string& psMagaCar,
                       const std::string& psTipoFileEscl, std::string& psTesto, int32_t plRigLiv,
                       ChiaveLotto* pLotto = nullptr);

// Has the article of a document line been changed away from one whose lot
// row is already there? False when the two codes are the same (blanks
// around and letter case ignored); otherwise the first row of the lot-row
// table psTabTracc for document piAnno/plNumReg (line plRigLiv when above
// 0): True with its owner account, lot and lot sequence number, False when
// there is none. Errors of the query reach the caller.
bool CercaLottoRiga(const std::string& psArticolo1, const std::string& psArticolo2, const std::string& psTabTracc,
                    int16_t piAnno, int32_t plNumReg, std::string& psGruppo, std::string& psMastro,
                    std::string& psConto, std::string& psLotto, int16_t& piNrProgLotto, int32_t plRigLiv);

// Stores "A" or "C" into a lot not closed by hand.
void ScriviStatoLotto(const ChiaveLotto& pLotto, const std::string& psStato);
// Evaluates and stores the state of one lot: open when any warehouse it
// moved in (or the document's own load/unload warehouse) holds a positive
// stock, counting pdQta for a lot row not stored yet and leaving out the
// rows named as in CalcGiacLotto. True once stored. A stock that cannot
// be read is an error raised to the caller, and nothing is stored.
bool AggStatoLotto(const std::string& psTipOpe, const std::string& psMagaScar, const std::string& psMagaCar,
                   const ChiaveLotto& pLotto, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv,
                   const std::string& psTipoFileEscl, double pdQta, const std::string& psTipoFileDoc);
// A lot of a document's lot rows and the stores it had lot rows in when
// the rows were read.
struct LottoRighe {
  ChiaveLotto lotto;
  std::vector<std::string> magazzini;
};
// The lots named by the lot rows of a document (line plRigLiv, 0 or less
// all lines), one per row, in the order read, each with its stores. Read
// before the rows are deleted, for AggStatoLotti after. Errors reach the
// caller.
std::vector<LottoRighe> LottiRighe(const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                                   int32_t plRigLiv);
// Evaluates the state of each lot of the list as AggStatoLotto does (no
// quantity pending) over the stores read with it, so that a lot whose only
// rows were deleted closes rather than counting as never moved. A failing
// stock query is an error raised to the caller here, so that a caller
// inside a transaction can undo it all.
void AggStatoLotti(const std::vector<LottoRighe>& pLotti, const std::string& psTipOpe,
                   const std::string& psMagaScar, const std::string& psMagaCar, int16_t piAnno, int32_t plNumReg,
                   int32_t plRigLiv, const std::string& psTipoFileEscl);
// The state of every lot of the document's lot rows in psTabTracc,
// evaluated as if those rows were gone (they are left out as psTipoFileEscl
// says); run just before the rows are deleted. Errors are shown here and
// answer False: the caller must not delete the rows then.
bool AggStatoLottiRighe(const std::string& psTipOpe, const std::string& psTabTracc, int16_t piAnno,
                        int32_t plNumReg, const std::string& psMagaScar, const std::string& psMagaCar,
                        const std::string& psTipoFileEscl, int32_t plRigLiv);

// The one statement (six sums, one per source) CalcGiacLotto runs.
std::string SqlGiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto,
                         const std::string& psTipoFileEscl = "", int16_t piAnno = 0, int32_t plNumReg = 0,
                         int32_t plRigLiv = 0, const std::string& psTipoFileDoc = "");
// The stock of a lot as CalcGiacLotto computes it, a failure raised to the
// caller instead of shown: no decision is taken from a stock not read.
double GiacLotto(const std::string& psMagazzino, const ChiaveLotto& pLotto, GiacenzaLotto& pgQta,
                 const std::string& psTipoFileEscl = "", int16_t piAnno = 0, int32_t plNumReg = 0,
                 int32_t plRigLiv = 0, const std::string& psTipoFileDoc = "");

// ---- lots a document's editing touched

// One lot of a document with its total quantity there; osKey is its key in
// the set ("0", "1", ... in the order created).
class scLottiMod {
 public:
  std::string osArticolo, osGruppo, osMastro, osConto, osLotto;
  int16_t oiNrProgLotto = 0;
  double odQta = 0;
  std::string osKey;
};
// A set of lots in the order added, one entry per lot.
using LottiMod = std::vector<scLottiMod>;

// Adds to the set the lot rows of the document in psTabella (a lot already
// there sums its quantity). Errors are shown; the set keeps what was read.
void CaricaLottiMod(LottiMod& pcLotti, int16_t piAnno, int32_t plNumReg, const std::string& psTabella);
void AggiungiLottoMod(const std::string& psArticolo, const std::string& psGruppo, const std::string& psMastro,
                      const std::string& psConto, const std::string& psLotto, int16_t piNrProgLotto, double pdQta,
                      const std::string& psKey, LottiMod& pcLotti);
// Drops from both sets the lots found in both: from the committed set only
// when the quantities are the same at eight decimals. What stays is each
// changed lot once.
void ConfrontaLottiMod(LottiMod& pcCommit, LottiMod& pcLavoro);
// Leaving the lines without saving: every lot whose rows the editing
// changed gets the state the committed rows give it (psTipoFileDoc "d": the
// document counts with its committed rows). Errors reach the caller.
void AggStatoLottiModif(int16_t piAnno, int32_t plNumReg, const std::string& psTabTracc,
                        const std::string& psTabTraccApp, const std::string& psTipOpe, const std::string& psMagaScar,
                        const std::string& psMagaCar, const std::string& psTipoFileDoc);
// True when the line has no row in psTabella. Errors reach the caller.
bool NessunLottoRiga(const std::string& psTabella, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv);

// ---- the lot selection list of a line: rows of AppoggioTemp of the user
// named "LottiListaSel" + table code; per lot the code (Valorestringa),
// sequence number (AppoInte0), article (AppoStringa0), owner "G-M-C"
// (AppoStringa1), owner name (AppoStringa2), description (AppoStringa3),
// "*" for a lot closed by hand (AppoStringa4), expiry (Valoredata,
// 31/12/9999 when none), production date (AppoData0), available quantity
// (AppoDouble0) and the quantity the line takes (Valorenumero).

std::string NomeListaLottiSel(const std::string& psTipoFile);
// Builds the list anew: the open lots of the article (not expired at
// pvDataRif unless pbVisLottiScad) with stock in psMagaScar, the line's own
// rows of psTipoFileEscl left out. The number of lots listed; errors shown.
int16_t CreaListaLottiSel(const std::string& psTipoFile, const std::string& psMagaScar,
                          const std::string& psArticolo, bool pbVisLottiScad, const vb::Variant& pvDataRif,
                          const std::string& psTipoFileEscl, int16_t piAnno, int32_t plNumReg, int32_t plRigLiv);
// Puts the line's lot rows of psTabTracc into the list: a listed lot takes
// the line's quantity as chosen, another is added. False after an error
// (shown).
bool CaricaLottiRiga(const std::string& psTipoFile, const std::string& psTabTracc, int16_t piAnno,
                     int32_t plNumReg, int32_t plRigLiv);
// Spreads pdQta over the listed lots in list order ("Q": smallest available
// first, else earliest expiry), each up to its available quantity.
void RipartQtaLotti(const std::string& psTipoFile, double pdQta, const std::string& psOrdine);
// Replaces the line's lot rows in psTabTracc with the chosen lots of the
// list, keeping the state of every lot touched, all in one transaction.
// False when nothing was chosen and the user went back (pbMessaggi), or
// after an error (shown, everything rolled back).
bool ScriviLottiSel(const std::string& psTipoFile, const std::string& psTabTracc, int16_t piAnno, int32_t plNumReg,
                    int32_t plRigLiv, bool pbMessaggi, const std::string& psTipOpe, const std::string& psMagaScar,
                    const std::string& psMagaCar);

// ---- the next lot code of a load ("Genera")

// psPrefisso followed by the highest number that follows the prefix in the
// owner's lot codes (of psArticolo too, when not empty) plus one, zero
// padded to piLarghezza digits (below 1: no padding; a wider number keeps
// its digits). The prefix is matched as it stands (letter case aside, no
// wildcard) and only all-digit remainders count, compared as numbers
// whatever their length, so that the proposal is never a code already
// there. Errors reach the caller.
std::string GeneraLotto(const std::string& psPrefisso, int16_t piLarghezza, const std::string& psGruppo,
                        const std::string& psMastro, const std::string& psConto, const std::string& psArticolo);

}  // namespace UtilLotto

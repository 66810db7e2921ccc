#pragma once
// Services of the document lines shared by the DDT, invoice and order
// programs: the price search, the discount rules and their application to
// a line, and the re-pricing of the level rows of a line.
//
// Fields of the caller's window (the discount and unit-price boxes) are
// passed as their text, by reference: a routine that fills a field writes
// the text the box shows.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

namespace UtilDocFattGest {

// The window that applies the discounts to a line: the line form, the
// level-row form or the level grid. Its CercaPrezzo runs the price search
// of the current row again and refreshes the list mode and list discount
// the window passed to ApplicaSconti.
class FormPrezzo {
 public:
  virtual void CercaPrezzo() = 0;

 protected:
  ~FormPrezzo() = default;
};

// The starting unit price of an article on a document line: supplier data,
// promotion, price list or cost, as psQualeImporto ("M" average cost, "U"
// last cost, other the selling price) and the addressee kind ("2" supplier)
// ask. psSconto and psModSconto receive the list discount and its mode.
// The price has at most piNumDecGes decimals and carries VAT as psPrzIvato
// says; 0 when no source gives one, "" when an error stopped the search
// (the error was shown). pvNumLiv omitted or -1: rows without levels.
// A document in a currency other than the lira and the euro takes a
// price-list or promotion price kept in euro converted at pvCambio (with
// pvOperCambio, or the currency's operator in Monete when omitted).
vb::Variant RicPrezzo(const std::string& psQualeImporto, const std::string& psIntTipo,
                      const std::string& psConto, int16_t piAnnoMag, const std::string& psArticolo,
                      const std::string& psListino, const std::string& psListIvato,
                      const std::string& psPrzIvato, const std::string& psDataRif,
                      const std::string& psMoneta, int16_t piNumDecGes, double pdFatCon,
                      const std::string& psUM, double pdPercIva, std::string& psSconto,
                      std::string& psModSconto, const vb::Variant& pvNumLiv = vb::Missing,
                      const vb::Variant& pvLiv1 = vb::Missing,
                      const vb::Variant& pvLiv2 = vb::Missing,
                      const vb::Variant& pvCambio = vb::Missing,
                      const vb::Variant& pvOperCambio = vb::Missing);

// A price of list psListino kept in euro, in the currency psMoneta of a
// document that is neither in lire nor in euro: converted at pvCambio with
// pvOperCambio (the currency's operator in Monete when missing). A list
// kept in the document's own currency gives the price as it is; a list in
// yet another currency raises 5 naming it. The price search and the price
// chosen by hand from the article's lists both go through it.
double PrezzoInMonetaDoc(double prezzo, const std::string& psListino, const std::string& psMoneta,
                         const vb::Variant& pvCambio, const vb::Variant& pvOperCambio = vb::Missing);

// ---- discount rules (tables Sconti and ScoQua)
// Appends to psSql the query of one combination of the rule keys, ranked
// piOrd. psConto is an account code or "~ç~".
void PrepSqlSconti(const std::string& psTabella, std::string& psSql, int16_t piOrd,
                   const std::string& psArticolo, const std::string& psConto,
                   const std::string& psCategoria, const std::string& psArtGruppo,
                   const std::string& psArtSottoGru, bool pbTipo, const std::string& psTipo,
                   const vb::Variant& pvQta);
// The ranked union of every combination that can match, opened read-only
// on poRs under psKeyRs: its first row is the rule that applies.
// psTabSconti "1" puts the article rules before the group rules.
void PrepSqlUnioneSconti(const std::string& psTabella, dati::GestRecordset& poRs,
                         std::string& psKeyRs, const std::string& psIntTipo,
                         const std::string& psArticolo, const std::string& psIntest,
                         const std::string& psCategoria, const std::string& psArtGruppo,
                         const std::string& psArtSottoGru, bool pbTipo,
                         const std::string& psTabSconti, const vb::Variant& pvQta);
// The table discount of a line. Mode "T" when no rule applies. True when
// the line's table discount must be set again; False when nothing changes
// or the search failed (the error was shown).
bool RicScontoTab(const std::string& psArticolo, const std::string& psMoneta, double& pdPrezzo,
                  std::string& psModo, std::string& psSconto, const std::string& psScontoPrec,
                  const std::string& psIntest, const std::string& psIntTipo,
                  const std::string& psCategoria, const std::string& psArtGruppo,
                  const std::string& psArtSottoGru, const std::string& psTabSconti,
                  double& pdPercRidProvv);
// The quantity discount of a line: mode "T" none, "0".."3" how it replaces
// the other discounts; pdPercRidProvv -1 when ScoQua has no such column.
bool RicScontoQta(const std::string& psArticolo, const vb::Variant& pvQta,
                  const std::string& psMoneta, double& pdPrezzo, std::string& psModo,
                  std::string& psSconto, const std::string& psScontoPrec,
                  const std::string& psIntTipo, const std::string& psIntest,
                  const std::string& psCategoria, const std::string& psArtGruppo,
                  const std::string& psArtSottoGru, const std::string& psTabSconti,
                  double& pdPercRidProvv);

// ---- applying the discounts to a line
// The article-discount field from a price-list mode: "0"/"N" the article's
// own discount, "M" joined with the list discount, "S" the list discount,
// "L" the same by the document list's mode and discount, other empty. Mode
// "N" first runs the window's price search.
void ApplicaModoSconto(FormPrezzo& pfrmForm, std::string& ptxtCampo, std::string& psScontoBase,
                       std::string& psModo1, std::string& psSconto1, std::string& psModo2,
                       std::string& psSconto2);
// Fills the four discount fields of a line (customer, article, quantity,
// table) and possibly its unit price from the list mode, the quantity rule
// and the table rule. Modes "N" are sought first; a field that already
// holds a value is rewritten only with pbForza. Commission reductions -2
// mean not determined yet.
void ApplicaSconti(FormPrezzo& pfrmForm, std::string& ptxtScoCli, std::string& ptxtScoArt,
                   std::string& ptxtScoQta, std::string& ptxtScoTab, std::string& ptxtPrezzo,
                   const std::string& psArticolo, const vb::Variant& pvQta,
                   const std::string& psMoneta, double& pdPrzQta, std::string& psModQta,
                   std::string& psScoQta, double& pdPrzTab, std::string& psModTab,
                   std::string& psScoTab, std::string& psScoArt, std::string& psModLis,
                   std::string& psScoLis, std::string& psModLisDoc, std::string& psScoLisDoc,
                   const std::string& psScoCliTes, int16_t piNumDecGes,
                   const std::string& psIntest, const std::string& psIntTipo,
                   const std::string& psCategoria, const std::string& psArtGruppo,
                   const std::string& psArtSottoGru, const std::string& psTabSconti,
                   bool pbForza, bool pbScontoArt, double& pdRidTab, double& pdRidQta);
// The table half of ApplicaSconti. piSenzaQta -1: no quantity rule applies,
// so a table rule's price may become the unit price.
void ApplicaScontiTab(const std::string& psArticolo, const std::string& psMoneta,
                      std::string& ptxtScoCli, std::string& ptxtScoArt, double& pdPrzTab,
                      std::string& psModTab, std::string& ptxtScoTab, std::string& psScoTab,
                      const std::string& psScoTabPrec, std::string& ptxtPrezzo,
                      int16_t piNumDecGes, const std::string& psIntest,
                      const std::string& psIntTipo, const std::string& psCategoria,
                      const std::string& psArtGruppo, const std::string& psArtSottoGru,
                      const std::string& psTabSconti, int16_t piSenzaQta, double& pdRidTab);

// ---- level rows
// Carries a new unit price (to the rows it applies to by the list's level
// setting psFlagLivLis 0/1/2) and total discount to the level rows of one
// line, with new amounts in the document currency, lire and euro for the
// rows with a quantity. No handler: errors reach the caller.
vb::Variant AggPrezziLivelli(const std::string& psTabella, int16_t piAnno, int32_t plNumRif,
                             int32_t plRigLiv, const std::string& psFlagLivLis, bool pbTutteLiv,
                             const std::string& psLivello1, double pdValUnitario,
                             const std::string& psScontoTot, const vb::Variant& pvPercSconto,
                             int16_t piNumDec, const std::string& psCambio,
                             const std::string& psMonOper, const std::string& psMoneta,
                             bool pbStatoNullo);

// ---- whole documents: deletion of their rows, copies under another key
// Override pairs of a copy: a column name, then the value every copied row
// takes in that column, and so on, in order.
using Coppie = std::vector<vb::Variant>;

// ---- working copies of a document's rows (lines, level rows, serial
// numbers, lot rows): opened under the document lock, committed or
// discarded when the line window closes.
// Takes the lock (state "0", "9" when piModo > 1) under psChiaveLock,
// replaces the document's working rows by copies of its committed rows and
// moves the lock to "7" ("A"). False after the refusal or error was shown;
// a failure after the lock was taken leaves no working rows of the
// document and releases the lock.
vb::Variant PrepDocApp(const std::string& psTipo, const std::string& psTestoDoc, int16_t piAnno, int32_t plNumRif,
                       const vb::Variant& pvGestione, int16_t piModo, std::string& psChiaveLock);
// Deletes a document's rows (one line's dependent rows, with pvRigLiv: the
// lines table is always cleared whole) from the tables named, level table
// first. A name not ending in "app" (any case) shows "Nome File non
// valido" and stops: for the lines and level tables only with pbVerifApp,
// for the serial and lot tables always. Errors reach the caller.
void SvuotaApp(int16_t piAnno, int32_t plNumRif, const vb::Variant& pvTabRighe = vb::Missing,
               const vb::Variant& pvTabLiv = vb::Missing, const vb::Variant& pvRigLiv = vb::Missing,
               bool pbVerifApp = true, const vb::Variant& pvTabMatr = vb::Missing,
               const vb::Variant& pvTabRintraccia = vb::Missing);
// Replaces the document's committed rows by its working rows (lock states
// "B", then "8"), in one transaction; the working serial and lot rows go,
// the lines and level rows stay for the caller. False after the message of
// the failure: the committed rows are as they were, the working rows and
// the lock (in "B") stay. True once the rows are committed, also when the
// lock's last state then could not be written (that failure is shown).
vb::Variant SalvaDocApp(int16_t piAnno, int32_t plNumRif, std::string& psChiaveLock);

// Deletes the rows of one document of one table ("Delete ... Where anno =
// year And <psColonna> = number"): 0, or the error's code after its message.
vb::Variant CancRigheTab(const std::string& psTabella, int16_t piAnno, int32_t plNumRif,
                         const std::string& psColonna);
// Deletes every row of a document but its header: lines, level rows,
// serial numbers (gsTabMatr), lot rows (gsTabRintraccia, by NumReg) and
// expenses. First the document lock in state "6": pbNuovoBlocco takes it
// under psChiaveLock (the refusal shown when pbMsg), else only the state of
// the lock held under that key changes. 1 when the lock is refused (nothing
// deleted); otherwise 0, or the code of the first deletion that failed
// (shown; the deletions run in one transaction, a level of the caller's
// when it holds one, and a failure undoes them all: the lock stays in "6").
// pvGestione: the lock's Gestione, psTipo when missing.
// Movements are not reversed here: pbStornaMov set is refused.
vb::Variant CancDoc(const std::string& psTipo, int16_t piAnno, int32_t plNumRif, std::string& psChiaveLock,
                    const vb::Variant& pvGestione = vb::Missing, bool pbNuovoBlocco = true, bool pbMsg = true,
                    bool pbStornaMov = false);
// Copies every row of a document from one table into another, each row
// then given the override pairs. The number column is NumRif (pbNumRif) or
// NumReg. The document's rows already in the target, under the key the
// copies will carry (the pairs may move them to another document), are
// replaced. 0 when all were copied; 1 after the message of the failure, the
// target's rows of that key deleted again when pbCancDestErr.
vb::Variant CopiaRighe(int16_t piAnno, int32_t plNumRif, const std::string& pvTabOrig, const std::string& pvTabDest,
                       bool pbCancDestErr, bool pbNumRif, const Coppie& pvCoppie = {});
// Copies the rows of a document (NumRif tables) under a new year and
// number, then the override pairs; rows already under the new key stay.
// 0 done; 1 failed (the rows saved so far stay; an error is shown).
vb::Variant DuplRighe(int16_t piAnno, int32_t plNumRif, int16_t piAnnoNew, int32_t plNumRifNew,
                      const std::string& pvTabOrig, const std::string& pvTabDest, const Coppie& pvCoppie = {});

}  // namespace UtilDocFattGest

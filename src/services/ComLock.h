#pragma once
// Document locks, the next document number and the withholding amount
// shared by the document programs of the suite.
#include <cstdint>
#include <string>

#include "platform/Currency.h"

namespace ComLock {

// ---- document locks (table LockGest, shared with the suite) ----
// Results of BloccaDoc.
enum EsitoBlocco : int16_t {
  kBloccoPreso = 0,      // taken; Stato rewritten; check only: a lock exists
  kBloccoInUso = 1,      // a lock row already exists (this user's too)
  kBloccoConteso = 2,    // another user inserted it at the same moment
  kBloccoErrore = 3,     // any other error
  kBloccoAssente = 4,    // check only: no lock
  kBloccoProprio = 5,    // the same user's lock, when piAccettaPropri > 0
};

// Takes (piNuovo -1), checks (piSoloVerifica non-zero) or updates (piNuovo
// any other value: only Stato of the lock held under psKey is rewritten) the
// lock of a document. psKey "Standard" stands for the module's key
// gsKeyRecLock; the key in use is stored back. With piMsg non-zero the
// refusal and errors are shown. The holder, Gestione, Varie and Stato of an
// existing lock come back (psGestione in: the code of a new lock). On
// kBloccoErrore the error met comes back in plErrore / psDescErrore.
int16_t BloccaDoc(const std::string& psStato, const std::string& psTipo, int16_t piAnno, int32_t plNumReg,
                  int16_t& piNuovo, int16_t piMsg, std::string& psKey, const std::string& psNomeDoc,
                  std::string& psUtente, std::string& psGestione, std::string& psVarie,
                  int16_t piSoloVerifica = 0, const std::string& psPadreTipo = "", int16_t piPadreAnno = 0,
                  int32_t plPadreNumReg = 0, int16_t piAccettaPropri = 0, std::string* psStatoTrovato = nullptr,
                  long* plErrore = nullptr, std::string* psDescErrore = nullptr);
// Releases the locks held under the key (nullptr: gsKeyRecLock): the rows
// this program inserted under that key are deleted, also when the key was
// asked again since (refused by this very lock, or by another user's, or
// only checked); never a row of another user. With piChiudi -1 the
// recordset is closed and the key emptied. Errors are ignored.
void SbloccaDoc(std::string* psKey = nullptr, int16_t piChiudi = -1);
// The text after "Gestione " of the recovery utility of a Gestione code.
std::string TestoGestione(const std::string& psGestione);

// ---- next document number ----
// The highest number of the year in the table plus one (1 for the first).
// piModo 0 numbers within the year, any other value across years; piForma
// -1 takes the maximum with an aggregate, 0 with the top row.
int32_t CalcProssNum(int16_t piAnno, const std::string& psTabella, const std::string& psColonna,
                     int16_t piModo = 0, int16_t piForma = -1);

// Withholding tax of a base. A percentage below 100 is a plain rate; from
// 100 on it packs the rate x 100 in its integer part and the share of the
// base, in percent x 100, in its first four decimals (2050.5: 20.50 % of
// half the base). In the packed case the base is replaced by its share,
// rounded to piNumDec decimals. The amount is not rounded.
double CalcImportoRit(vb::Currency& pcBase, double pdPerc, int16_t piNumDec);
// Unpacks a percentage: rate (2 decimals) and share of the base in percent
// (100 when no decimals are given).
void DividiPercRit(double pdPerc, double& pdAliquota, double& pdQuota);

}  // namespace ComLock

#pragma once
// The suite's company module: settings, decoding and the small data
// services every form shares.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

namespace AziendaUtil {

// The level prefix of a barcode type ("12", "39", "13", "E8", "UA", letter
// case ignored): the personal parameter "CodIniLiv" + type of section
// "BarCode", read the first time a type is asked for and kept in
// gsVetCodIniLiv afterwards, an empty value included. "" for any other type.
vb::Variant LeggiCodIniLiv(const std::string& psTipoBarCode);

// ---- prices, discounts, VAT and currencies ----
// Amounts, prices, quantities and rates come in as any number (a Currency,
// a Double, a display text "1.234,50") and leave as Double, the legacy
// arithmetic of the price lines; the callers store them as Currency. A
// rounding flag set rounds mode "A" to the decimals given, a clear one only
// cleans the value to eight decimals. A zero divisor raises 11.

// Net unit price: price - price x discount / 100.
double CalcNetto(const vb::Variant& pvPrezzo, const vb::Variant& pvSconto, int16_t piNumDec,
                 bool pbArrot);
double CalcPrzNetto(const vb::Variant& pvPrezzo, const vb::Variant& pvSconto, bool pbArrot,
                    int16_t piNumDec);
// Price before the discount; a 100 % discount gives the net back.
double CalcLordo(const vb::Variant& pvNetto, const vb::Variant& pvSconto, int16_t piNumDec,
                 bool pbArrot);
double CalcLordoArr(const vb::Variant& pvNetto, const vb::Variant& pvSconto, bool pbArrot,
                    int16_t piNumDec);
// Quantity x net unit price; the flag and decimals act on the unit price only.
double CalcImporto(const vb::Variant& pvPrezzo, const vb::Variant& pvQta,
                   const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec);
double CalcQtaDaImporto(const vb::Variant& pvPrezzo, const vb::Variant& pvImporto,
                        const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec);
double CalcPrzLordo(const vb::Variant& pvImporto, const vb::Variant& pvQta,
                    const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec);
// VAT of an amount, rounded to the decimals ("A", or by direction when
// gsArrotIvaEuro is "S" or the decimals are below 2).
double CalcImposta(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec);
double AggiungiIva(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec,
                   const std::string& psModo);
double ScorporaIva(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec);

// Discount chains "10+5-3": "+" or no sign a discount, "-" a surcharge,
// decimal comma, blanks between terms. A number holds at most one comma and
// no blank.
bool VerifSconto(const std::string& psSconto);
// The one percentage equivalent to the chain, continuing from pdInizio;
// decimals -999 leave it unrounded. A chain refused by VerifSconto sets
// pbErrore and gives pdInizio back.
double CalcPercSconto(const std::string& psSconto, bool& pbErrore, double pdInizio = 0,
                      int16_t piNumDec = -999);
// The texts joined into one chain; empty items and "0" are left out.
std::string UnisciSconti(const std::vector<vb::Variant>& pvSconti);
// Is the payment discount of the header applied on the lines of documents
// of type psCodice? The personal list "ScontoPagInDet" of section psSezione.
bool VerifScontoPagInDet(const std::string& psCodice, const std::string& psSezione,
                         const vb::Variant& = vb::Missing);

// Lira and euro. Every conversion goes through the euro; the lira takes the
// company rate gsCambioLiraEuro, the euro rate 1, any other currency the
// rate and operator passed ("/": euro = amount / rate). A currency that
// needs a rate and has none, or has 0, raises an error naming it.
// Optional arguments are vb::Missing when left out.
double ConvInEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                  const vb::Variant& pvOper, const vb::Variant& pvMoneta, bool pbArrot,
                  const vb::Variant& pvNumDec, bool pbTabella);
double ConvDaEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                  const vb::Variant& pvOper, const vb::Variant& pvMoneta, bool pbArrot,
                  const vb::Variant& pvNumDec, bool pbTabella);
// One amount as lire, euro and document currency. psTipo "M": the amount is
// company money of side psLato ("L" lire); "E": document currency, euro
// first; other: document currency, lire first. pvDaArrotondato -1 derives
// the second side from the rounded first. Result: the document amount for
// "M", else the lire when the company currency is the lira, else the euro.
double ConvLireEuro(const vb::Variant& pvImporto, const vb::Variant& pvCambio,
                    const vb::Variant& pvOper, const vb::Variant& pvMoneta, double& pdLire,
                    double& pdEuro, double& pdImpDoc, bool pbArrLire, bool pbArrEuro,
                    bool pbArrDoc, const vb::Variant& pvDecLire, const vb::Variant& pvDecEuro,
                    const vb::Variant& pvDecDoc, bool pbTabLire, bool pbTabEuro,
                    const std::string& psTipo, const std::string& psLato,
                    const vb::Variant& pvDaArrotondato);
double LireInEuro(const vb::Variant& pvImporto, bool pbTabella, bool pbArrot,
                  const vb::Variant& pvNumDec = vb::Missing);
double EuroInLire(const vb::Variant& pvImporto, bool pbTabella, bool pbArrot,
                  const vb::Variant& pvNumDec = vb::Missing);
// Decimals, operator and Cee flag of a currency of table Monete ("/", "N",
// 2 and 2 when it is missing). The result is the amount decimals, or the
// unit-value decimals when only piNumDecGest is asked for.
int16_t LeggiMoneta(const std::string& psMoneta, int16_t* piNumDecGest, int16_t* piNumDec,
                    std::string& psOper, std::string& psCee);

// Rounding by bands of amount (tables ArrotLire for side "L", ArrotEuro
// otherwise), each table read once per run.
double ArrotTabella(const vb::Variant& pvImporto, const std::string& psLato);
double ArrotScaglioni(const vb::Variant& pvImporto, const std::string& psLato,
                      std::vector<double>& pdFinoA, std::vector<double>& pdValArrot,
                      std::vector<std::string>& psTipoArrot);
// Forgets the bands read so far: another company database was opened.
void AzzeraArrotTabelle();

// Commission of an agent reduced for the discount of a line: by the
// reductions of the table and quantity rules (-2 = not determined yet), or
// else by table ScontiProvv. The commission comes back unchanged when it is
// empty, the decimals are negative or on an error.
vb::Variant CalcProvvRidotta(const std::string& psSconto, const vb::Variant& pvProvv,
                             const vb::Variant& pvDecimali, double pdRidTab, double pdRidQta,
                             const std::string& psModScontoQta);

// The last cost of an article of a year, shown in a message.
void MostraUltCosto(const std::string& psArticolo, int16_t piAnno,
                    const vb::Variant& pvNumLiv = vb::Missing,
                    const vb::Variant& pvLiv1 = vb::Missing,
                    const vb::Variant& pvLiv2 = vb::Missing);

// ---- accounts, levels and small data services used by the pricing ----
// "01-02-0003" or "01020003" -> "01", "02", "0003".
void DividiConto(std::string psConto, std::string& psGruppo, std::string& psMastro,
                 std::string& psConto3);
// " And Livello1 = ... And Livello2 = ...": the levels given, or the marker
// "~ç~" where the article has no such level or levels are not managed.
std::string PrepSqlLivelli(int16_t piNumLiv, const vb::Variant& pvLiv1 = vb::Missing,
                           const vb::Variant& pvLiv2 = vb::Missing, bool pbNoLivelli = false,
                           bool pbForza = false);
// Does the table of the connection (empty: the company's) have the column?
// Never raises: any error means no.
bool EsisteCampo(const vb::Variant& pvTabella, const vb::Variant& pvCampo,
                 const std::string& psConnessione = {});
// The promotion notice for the current ArtLisPromozioni row, when its
// MessProm asks for it.
void VerifMsgProm(dati::GestRecordset& poRs, const std::string& psKeyRs);
void MostraMsgProm(const std::string& psDescrizione);

}  // namespace AziendaUtil

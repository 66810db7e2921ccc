#pragma once
// The suite's company module: settings, decoding and the small data
// services every form shares.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/aiuti/AiutiDecodifica.h"

namespace dati {
class GestDatabase;
class GestRecordset;
}
namespace ui {
class Form;
class Controllo;
class Griglia;
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

// ---- code decoding and look-up windows (library goZelAiuto) ----
// Every decoder applies the article rule: with the personal "Articoli" /
// "NoDecInattivi" = "S", kinds "Articolo" (and "ArticoloCod" for the
// generic decoder) get " (ucase(Inattivo)<>'S') " joined to their condition.
// Results of the decodes: -1 found, 0 not found; the generic decoder also
// False (Boolean) when its look-up was closed without a choice. Missing
// field lists are passed as nullptr.

// The generic decoder: decodes the code of `pgCodice` into `pgDescr`; when
// the code does not exist and `pbFaiHelp` allows (and "DecodHelpAbil" is
// not "N", and the message window is not open) it opens the look-up
// window, once more with the other search key when the first found
// nothing, and decodes the code chosen there.
vb::Variant DecodCodice(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                        const aiuti::ChiaveAgg& pvParAgg = {}, int16_t piOpz1 = 0, int16_t piOpz2 = 0,
                        const std::string& psOpz3 = "", std::vector<vb::Variant>* pvCampi = nullptr,
                        const std::string& psFiltro = "", const std::string& psColonneAgg = "",
                        int16_t piOpzAiuto = 0, const vb::Variant& pvFiltroAiuto = vb::Missing,
                        int16_t piTasto = -1, int16_t pbFaiHelp = 0, const std::string& psTxtHelp = "",
                        int16_t* pbAiutoAperto = nullptr, int16_t pbRipristinaRiga = 0,
                        ui::Griglia* pgGriglia = nullptr, int16_t pbNoAttesa = 0);
// The entry of grids and lists: a plain decode when `pbNoAiuto`, `piOpz1`
// -1 or an empty code; otherwise the generic decoder with help.
vb::Variant DecodCodiceOpz(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                           const aiuti::ChiaveAgg& pvParAgg = {}, int16_t piOpz1 = 0, int16_t piOpz2 = 0,
                           const std::string& psOpz3 = "", std::vector<vb::Variant>* pvCampi = nullptr,
                           const std::string& psFiltro = "", int16_t pbNoAiuto = 0, int16_t pbNoAttesa = 0);
// Accounts: the box is rewritten with the account mask first.
vb::Variant DecodConto(ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piOpz1, int16_t piTipoConto,
                       std::vector<vb::Variant>* pvCampi = nullptr, int16_t pbFaiHelp = 0);
// A code holding "-" is not decoded: the description is emptied and,
// unless piOpz1, the box painted in the error colour.
void MostraDescConto(ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piTipoConto, int16_t piOpz1,
                     int16_t piOpz2, std::vector<vb::Variant>* pvCampi = nullptr, int16_t pbFaiHelp = 0);
// One field of the record a code stands for into `pvValore`; the names of
// `pvCampi` come back as values.
vb::Variant LeggiCampoDecod(const std::string& psTipo, const vb::Variant& pvCodice, vb::Variant& pvValore,
                            const aiuti::ChiaveAgg& pvParAgg = {}, int16_t piOpz1 = 0, int16_t piTipoDato = 8,
                            const std::string& psCampo = "", int16_t piOpz2 = 0,
                            std::vector<vb::Variant>* pvCampi = nullptr, const std::string& psFiltro = "");
vb::Variant DecodTabella(const std::string& psTabella, const std::string& psCampoChiave, ui::Controllo& pgCodice,
                         ui::Controllo* pgDescr, int16_t piOpz1, int16_t piOpz2, const vb::Variant& pvOpz,
                         const std::string& psCampoDescr, const vb::Variant& pvOpz2 = "",
                         const vb::Variant& pvOpz3 = vb::Missing, const std::string& psFiltro = "");
// The exchange rate of a currency at a date into `pgCambio`; its date into
// `pvOut`. False when there is none.
vb::Variant LeggiCambio(const std::string& psMoneta, const vb::Variant& pvData, ui::Controllo& pgCambio,
                        vb::Variant& pvOut, const std::string& psMaschera, bool pbOpz1, bool pbOpz2);

// Opens the look-up window of a kind on F2..F12 (113..123) or a negative
// key; any other key does nothing and answers Empty. Columns: psColonneAgg
// then the personal "Help" / kind + "Campi" (",No," none). `piScelto` is
// set when a row was chosen.
vb::Variant ApriAiuto(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                      int16_t piTasto, const aiuti::ChiaveAgg& pvParAgg, int16_t& piScelto,
                      const std::string& psColonneAgg = "", int16_t piOpzAiuto = 0,
                      const std::string& psFiltro = "");
// The account class from the stated class, the typed text and the key:
// "1", "2", "3", or "0" / "" for none (a number for a negative class on F2).
vb::Variant CalcTipoConto(const std::string& psTipoConto, const std::string& psTesto, int16_t piTasto);

// ---- stock, levels and titles ----
// Stock of an article in a year from ArticoliProg: availability (opening +
// loaded - unloaded + ordered - committed) when the kind is "D" (the
// default when pvDisp is asked for), else stock on hand (opening + loaded -
// unloaded). All warehouses when none or empty; a Null (or missing) level
// means every value. The asked outputs are always written.
vb::Variant CalcGiacenza(const std::string& psArticolo, int16_t piAnno,
                         const vb::Variant& pvMagazzino = vb::Missing,
                         const vb::Variant& pvLiv1 = vb::Null, const vb::Variant& pvLiv2 = vb::Null,
                         vb::Variant* pvDisp = nullptr, vb::Variant* pvGiac = nullptr,
                         vb::Variant* pvOrdFor = nullptr, const vb::Variant& pvModo = vb::Missing);
// Minimum stock of the article for a warehouse (ArtScorte, or Articoli when
// that is 0 or missing); Empty when none is recorded.
vb::Variant LeggiScortaMin(const std::string& psArticolo, const vb::Variant& pvMagazzino);
// Number of level groups of the article and the captions of its two levels
// ("Livello 1:", "Livello 2:" or the group's description and ":"). The
// article loses its trailing blanks; the count is written only when the
// article exists and levels are managed.
void LeggiGruppiLiv(std::string& psArticolo, ui::Controllo& pgLab1, ui::Controllo& pgLab2, int16_t& piNumGruppi);
// The title of a window: psTitolo + " - " + the suffix, or the company
// description when there is none.
vb::Variant PrepTitolo(const std::string& psTitolo, const vb::Variant& pvSuffisso = vb::Missing);

// ---- price-list validity ----
// After a price row starting at psData was written: its period ends the
// day before the next start (31/12/9999 for the last) and the previous
// row ends the day before psData. Empty levels become "~ç~".
void AggDateListini(std::string& psArticolo, std::string& psLiv1, std::string& psLiv2, std::string& psListino,
                    std::string& psData);

// ---- linked invoice ----
// Asks the menu to open the invoice (year, number) in the invoicing
// program, in the form its FattAccomp names; a missing invoice does nothing.
void ApriFatturaCollegata(int16_t& piAnno, int32_t& plNumRif);

// ---- small data services ----
// "Fat.ElePrefDdt": the valid DDT prefixes, one character each.
std::string LeggiPrefDdt();
// A one-character prefix of the list (whole items, letter case ignored);
// "" only with pbVuotoOk. The prefix is trimmed in place.
bool VerifPrefDdt(std::string& psPrefisso, int16_t pbVuotoOk);
// "C" + cost centre + "D" + accrual key.
vb::Variant ChiaveCdcComp(const std::string& psCentroDiCosto, const std::string& psCompetenza);
// Does the table exist in the connection (empty: the company's)? Never raises.
bool EsisteTabella(const vb::Variant& pvTabella, const std::string& psConnessione = {});
// Deletes the user's scratch rows of a program: 0 done, 1 failed (shown).
vb::Variant SvuotaAppoggioTemp(const std::string& psUtente, const std::string& psIdProgramma);
// The position in piIndici of the text box txt(i) with the highest tab
// index below piTabIndex (any when negative); 0 when none.
vb::Variant CercaCampoPrec(int16_t piTabIndex, ui::Form& pgForm, const std::vector<int16_t>& piIndici);

// ---- fiscal year ----
// The warehouse year of a print date: 0 with the current year, the year
// before or after (within a calendar year of the period); 4 / 5 with 0 and
// the message when further out; 3 on any error.
int16_t CalcAnnoEsercizio(const vb::Variant& pdData, int16_t& piAnno, std::string& psMsg);

// ---- form framework: load and unload steps, keys, focus colouring ----
// Flags are Integers, True = -1. The bar flags (piComPag record bar
// `ogComPag`, piComlin list commands `ogComlin`, piLinPag line page
// `ogLinPag` with its `txtRiga`, piLisPag list page `ogLisPag`) and
// piAbilRO count only when exactly -1; piNoSplash and piRisVid when not 0;
// piRis1, piRis2 and piRis3 are reserved. The form is reached by name for
// the members its flags ask for (Form::LeggiPerNome, ScriviPerNome,
// OggettoPerNome, ChiamaPerNome); a missing one fails the load or the key
// with its run-time error, except in the steps that ignore errors.

// First load step, before the form builds anything: company colour (except
// the controls named, each followed by a comma, in psNoColore), splash,
// labels without access keys, caption with the company, key preview, the
// read-only switch "RO" of `osParam` into `oiAbilRW`, the screen factor
// into the bars' "RisVid".
vb::Variant CaricaFormPri(ui::Form& pgForm, int piComPag, int piComlin, int piLinPag, int piRis1,
                          int piLisPag, int piRis2, int piAbilRO, int piNoSplash, int piRisVid,
                          const std::string& psNoColore);
// Last load step: window state of the terminal, `oiAbilRW` to the bars,
// the row position into `txtRiga`, splash closed, the form rescaled (with
// the exclusion triples of pvAltriCtl, see RisVid::ScalaForm) and
// "RisVidFatta" to the bars.
vb::Variant CaricaFormDop(ui::Form& pgForm, int piComPag, int piComlin, int piLinPag, int piRis1,
                          int piLisPag, int piRis2, int piNoSplash, int piRisVid,
                          const std::vector<vb::Variant>& pvAltriCtl = {});
// The unload step: nothing to undo.
vb::Variant ScaricaForm(ui::Form& pgForm);

// Keys every form handles from Form_KeyDown (key preview is on): F1 help,
// Ctrl shortcuts answered by the menu server, find and replace in text
// boxes (Ctrl+Alt), Enter and Shift+Enter as the next and previous field.
// 1 when the key was handled (the form stops), else 0.
int GestKeyDown(int& piKeyCode, int piShift, ui::Form& pgForm, int piComPag, int piComlin,
                int piLinPag, int piRis1, int piLisPag, int piRis2, int piRis3 = 0,
                bool pbInvioAncheGriglia = false, bool pbVerifMultiLine = false);
// Keys of the command bars, after GestKeyDown did not handle the key: Alt
// with page keys and accelerators, F10 search or save, arrows and pages of
// the list and line pages; the commands run through the form's
// `ButtonComando`. Returns 0.
int GestTastiBarra(int& piKeyCode, int piShift, ui::Form& pgForm, int piComPag, int piComlin,
                   int piLinPag, int piRis1, int piLisPag, int piRis2, int piRis3,
                   std::string& psTasto, std::string& psTastoAlt, bool pbRicercaDopoSalva);
// The character filter of Form_KeyPress: the keypad decimal key as a comma
// (gsTastierinoVirgola "S"), Enter swallowed unless it stays a new line of a
// multi-line box, Esc always swallowed. Returns the new KeyAscii.
int GestKeyPress(int piKeyAscii, ui::Form& pgForm, int piComPag = 0, int piComlin = 0,
                 int piLinPag = 0, int piRis1 = 0, int piLisPag = 0, int piRis2 = 0,
                 int piRis3 = 0);
// Forgets the key state shared by all forms (last key, find and replace
// texts, compare mode), as at the start of the program.
void AzzeraStatoTasti();
// Who answers a Ctrl shortcut given its code (Ctrl+key the key code,
// Ctrl+Shift+key its negative): by default the menu server's function
// "TastiCtrl" of section "Tutti" through goMenuClient, "" while the program
// has no menu server. A test or another host installs its own; an empty
// function restores the default. Returns the previous one.
using RispostaTastiCtrl = std::function<std::string(int piCodice)>;
RispostaTastiCtrl ImpostaRispostaTastiCtrl(RispostaTastiCtrl pfRisposta);

// Focus colours of the fields (glColBackGotFocus, glColBacklostFocus); a
// field in the error colour glColoreErrore keeps it unless pbForza is True
// (-1). GotFocus also clears a focus colour left on the active form's "txt"
// boxes.
void ColoraGotFocus(ui::Controllo& pgCtl, int pbForza);
void ColoraLostFocus(ui::Controllo& pgCtl, int pbForza);

// ---- start-up, settings and the menu server
// The start-up sequence: switches, main form, menu connection, company
// database, settings, look-up library, registration, the requested form.
// `piNumPrg` -1: `psNomePrg` names the program to the menu.
void AvviaPrg(long piNumPrg, const std::string& psNomePrg);
// Prepares the splash window frmConn (loaded with `pbCarica`, the database
// picture shown with `pbVisAccess`).
void PrepFrmConn(int16_t pbCarica, int16_t pbVisAccess);
// The menu parameter "OSPlatform".
vb::Variant LeggiOSPlatform();
// The company settings, read once at start-up.
void LeggiParamDitta();
// Personal parameter "Personal." + section + ".§" + name: the caller's
// default when the menu answers the absent marker "§ç~$!^" (the marker
// itself without a default); an empty value is returned as it is.
vb::Variant LeggiParPers(const std::string& psSezione, const std::string& psNome,
                         const vb::Variant& pvDefault = vb::Missing);
// Opens a database as a new connection of the manager, with the server
// login or the file password: the key; "" when a refused server login was
// given up; "Err: 3031" after a wrong file password; "Err: " + code after
// any other opening error.
vb::Variant ApriDbLogin(dati::GestDatabase& pgDb, std::string& psNome, std::string& psPwd,
                        std::string& psConnect);
// Queues a document for the separate print program (table DocDaElab),
// passes the named values and asks the menu to start it: 0 done, -1 not.
int16_t LanciaStampaDoc(const std::string& psKeyPrim, const std::string& psKeySec, const std::string& psProg1,
                        const std::string& psProg2, const std::vector<std::string>& psNomi,
                        const std::vector<vb::Variant>& pvValori, int16_t pbCoda, int16_t piAnno,
                        int32_t plNumReg, const std::string& psPrgStampa, int16_t pbAttendi);
// Waits until the print program reports it started: -1 when a failure was
// reported, 0 otherwise.
int16_t AttendiAvvioStampa(const std::string& psProgramma);

// ---- serial numbers of a warehouse causal ----
// Is the code an item of the comma list ("A01,B2,")? Items are compared
// whole, blanks around them and letter case ignored: "7" is not in "17,".
// An empty code is in no list.
bool CodiceInElenco(const std::string& psCodice, const std::string& psElenco);
// The serial-number operation of a causal (letter case ignored): "I"
// internal (TipoMov "I"), "" (TipoMov "V"), "S" unload ("+" and "S"), "F"
// ("-" and "C"), for "+" with "C" or "-" with "S": "G" a causal of customer
// returns (psCausaliRientro), else "R" for a customer source (psProv "C"),
// else "C"; any other pair: "C" for CarScar "N" with the causal in
// psCausaliNoMovCar, else "".
std::string CalcMatrTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psProv,
                           const std::string& psSegno, const std::string& psCausaliRientro,
                           const std::string& psCausale, const std::string& psCausaliNoMovCar);

}  // namespace AziendaUtil

#pragma once
// Small routines shared by every form: ini reading and the rounded
// comparison of amounts.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace ui {
class Form;
class Controllo;
}
namespace vb {
class Errore;
}

namespace FunVarie {

// Reads (section, key) from the suite ini, then from the database's ini;
// `psValore` receives the value or `psDefault`. The result is the length the
// utility object reported, as decimal text ("0", "12"). Errors of the
// utility object reach the caller.
std::string LeggiParIni(const std::string& psSezione, const std::string& psChiave,
                        const std::string& psDefault, std::string& psValore);

// Compares two values after rounding both to 10^pvEsp (mode "A"): -1, 0, 1.
// A Null second value answers 0 when the first is empty text, else 1,
// without rounding. An omitted exponent is the rounding's own default (0).
int ArrotConfronta(const vb::Variant& pvPrimo, const vb::Variant& pvSecondo,
                   std::optional<int> pvEsp = std::nullopt);

// ---- signal sounds ("BeepCome" of "Parametri Generali", in gsBeepCome)
// Plays the configured signal: empty the desktop's warning sound;
// "frequency;ms" with a frequency above 0 a beep of that pitch (20 ms when
// no duration is given); 0 or below a sine tone built in memory; anything
// else the sound file it names. Never reports anything; plays in the
// background.
void Suona();
// The tone as a complete WAVE file, one byte per character: 8-bit mono at
// 11025 samples per second, duration x 11025 / 1000 samples (halves to
// even).
std::string CreaWavTono(float psFrequenza, int32_t plDurata);

// ---- screen factor
// The automatic screen factor: the smaller of width / 800 and height / 600
// (pixels of the screen, which piLargh and piAlt receive), to two decimals;
// 0 becomes 1. 1024 x 768 gives 1.28.
vb::Variant CalcFattVideo(int& piLargh, int& piAlt);

// ---- field and focus utilities
// The whole text of the active form's active control selected; errors
// ignored.
void SelezTesto();
// The focus moved piPassi stops along the tab order of the active form,
// wrapping once around; with pvShift the steps count backwards when it is 1
// (the Shift of a key event). Controls that are no tab stops, picture boxes
// and controls that refuse the focus are passed over; tab indexes need not
// be contiguous. True when a control took the focus. An active form without
// an active control raises 91.
vb::Variant SpostaFocus(int piPassi, const vb::Variant& pvShift = vb::Missing);
// Time field check through the utility object (-3 required and missing, -2
// not valid, -1 empty and allowed, else the normalised time, which is
// written back): a valid field gets pvColoreOk (glColoreSfondo when
// omitted); an invalid one the error colour (piAzione 1 or 3) and the focus
// (2 or 3), with "Ora Obbligatoria" / "Ora non valida" in a message box
// (pbMsg) and in pvMsgErr.
vb::Variant VerifOra(ui::Controllo& pgCtl, const std::string& psFormato, const vb::Variant& pvOpz1,
                     int piAzione, const vb::Variant& pvOpz2, const vb::Variant& pvOpz3,
                     std::optional<long> pvColoreOk = std::nullopt, std::string* pvMsgErr = nullptr,
                     bool pbMsg = false, const vb::Variant& pvOpz4 = vb::Missing);
// Date field check through the utility object, then against gsDataMinima
// ("Data troppo piccola"): -657434 not valid, -2 other error, else
// accepted; colours and focus as VerifOra. Errors ignored.
long VerifData(ui::Controllo& pgCtl, const vb::Variant& pvModo, int piAzione,
               std::optional<long> pvColoreOk = std::nullopt, std::string* pvMsgErr = nullptr,
               bool pbMsg = false);
// Plain error box "Errore(" number "): " description, OK and exclamation,
// the program's title; pvError and pverr omitted take the error being
// handled (inside a catch block; description " - " source). Returns the
// box's answer.
int MsgErr(const vb::Variant& pvError = vb::Missing, const vb::Variant& pverr = vb::Missing,
           const std::string& psMsgAggPri = "", const std::string& psMsgAggDop = "");
int MsgErr(const vb::Errore& pErr, const std::string& psMsgAggPri = "",
           const std::string& psMsgAggDop = "");
// Is a form of that name loaded (letter case ignored)?
vb::Variant FormAperta(const std::string& psNomeForm);
// Place in the loaded forms of the first form of that name whose caption
// contains pvCaption (letter case ignored, when given); -1 when none.
vb::Variant IndiceForm(const std::string& psNomeForm, const vb::Variant& pvCaption = vb::Missing);
// The hourglass (11) on, remembering the pointer it replaces, and off
// again; not nested.
void Clessidra(int pbAttiva);
// Hides, last to first, the visible forms whose `oiNoHelp` is above 0 (a
// look-up window opens over them) and marks them with 2. Errors ignored.
void NascondiFormNoHelp();
// Combos whose items stand for the elements of an array of codes, in order:
// the first element at the list's first item. A legacy array may start at
// another index than 0: plLBound gives it.
// The element at the chosen item; "" when none is chosen.
vb::Variant ElemCombo(const ui::Controllo& pgCombo, const std::vector<vb::Variant>& pvValori,
                      long plLBound = 0);
// The array index of the first element equal to pvValore (letter case
// ignored), -1 when none; with pbImposta (and a value found, or
// pbAncheNonTrovato) the matching item is chosen (none for -1).
vb::Variant PosizCombo(ui::Controllo& pgCombo, const vb::Variant& pvValore,
                       const std::vector<vb::Variant>& pvValori, bool pbImposta,
                       bool pbAncheNonTrovato, long plLBound = 0);
// A key replayed on a field: the focus to `txt`(piIndice) (`txtAppo` with
// pbAppo), pending events let through, then the form's `txt_KeyUp` (or
// `txtAppo_KeyUp`) called by name with (piIndice, piKeyCode, 0).
vb::Variant SimulaTastoCampo(ui::Form& pgForm, int piIndice, int piKeyCode, bool pbAppo);
// -1 for -1, else 0.
vb::Variant NormVero(int piValore);
// Item plNum (from 0) of a text separated by psSep (letter case ignored);
// "" past the last.
std::string EstraiCampo(std::string psTesto, std::string psSep, long plNum);

}  // namespace FunVarie

#pragma once
// The members of the utility object FunzioniComuni that work on forms and
// controls: preparing and checking fields, ranges, combos, focus, placing
// forms, grid columns. They are free functions of this namespace (the
// object keeps no state for them), apart from the core of FunzioniComuni.h
// so that the core stays free of the control model:
//   vb::FunzioniComuniUi::EsceCampo(f.C("txt", 800), 5, gsMascQta);
//
// Choices where the callers leave the inner working to us:
// - Field kinds: 2 Integer, 3 Long, 4 Single, 5 Double, 6 Currency and 7
//   (a number shown through a mask) are numbers; 8 and 10 are texts.
// - A refused field gets the error colour 255; a field accepted again loses
//   it for the normal window background. Other colours (the focus colour)
//   are left alone.
// - Combo items may carry a code: the text before the first "-" or blank
//   ("N-No", "A Articolo"); the value of an item is its ItemData.
// - Messages of the checks are plain message boxes (vb::MsgBox).
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

namespace dati {
class GestRecordset;
class Recordset;
}
namespace ui {
class Griglia;
}

namespace vb::FunzioniComuniUi {

// The error colour of a refused field and the background it gets back.
constexpr long ColoreErrore = 255;
constexpr long ColoreNormale = ui::vbWindowBackground;

// ---- fields

// Prepares a text box for editing when it gets the focus: a number field
// shows its value without thousands grouping ("1.234,50" -> "1234,5"), a
// text field stays as it is; the background becomes pvColore when given;
// the whole text is selected. pvOpz is kept for the callers. (Colours are
// the model's longs: a system colour does not fit a 32-bit Variant.)
void EntraCampo(ui::Controllo& pgCtl, int piTipo, const std::string& psMaschera = {},
                const Variant& pvOpz = Missing, std::optional<long> pvColore = std::nullopt);
// Checks and reformats a text box when it loses the focus: a number field
// must hold a number (an integer within range for kinds 2 and 3) and is
// rewritten through psMaschera (plain when there is none); an empty field is
// accepted. Refused: the text stays, the background becomes the error
// colour, no message. Accepted: the error colour goes away. True when
// accepted.
bool EsceCampo(ui::Controllo& pgCtl, int piTipo, const std::string& psMaschera = {},
               const Variant& pvOpz = Missing);
// The first text box of the form, in tab order, whose background is
// plColore: its name and index, pbTrovato and the answer True; False and ""
// and -1 when none.
bool VerifCampiTesto(const ui::Form& pgForm, long plColore, std::string& psNome, int& piIndice,
                     bool& pbTrovato);
bool VerifCampiTesto(const ui::Form& pgForm, long plColore);
// Are two fields a valid range ("from" not after "to")? Kinds 2 and 3
// compare as integers, 4 to 7 as numbers (7 as dates), 8 and 10 as texts
// (piConfronto 1 ignores letter case). A side left empty makes a valid
// range unless pbObbligatori. With pbMsg a reversed range is told in a
// message box. piRisultato receives 1 for a reversed range, else 0.
// pbRiservato is kept for the callers.
bool VerifIntervallo(const ui::Controllo& pgDa, const ui::Controllo& pgA, int piTipo,
                     bool pbObbligatori = false, int piConfronto = 1, bool pbMsg = false,
                     bool pbRiservato = true, int* piRisultato = nullptr);
// The value of a control as kind piTipo (8 text, 2/3 integers, 4 to 6
// numbers, 7 a date, 11 a flag): a text box's or combo's text, a check
// box's or option's value; Null for an empty text. pvValore receives it too.
Variant ValoreControllo(const ui::Controllo& pgCtl, int piTipo = vbString, Variant* pvValore = nullptr);
// Date field check: a date in any form the program reads ("311299",
// "31/12/99", "31-12-1999") is rewritten as dd/mm/yyyy and answers its
// serial; an empty field answers 0 when pvModo is negative (-2: empty
// allowed) and is refused otherwise. Refused: -657434 (-2 when the field
// cannot be read), "Data non valida" / "Data obbligatoria" in pvMsgErr and,
// with pbMsg, in a message box.
long ControllaData(ui::Controllo& pgCtl, const Variant& pvModo, bool pbMsg,
                   std::string* pvMsgErr = nullptr);
// Time field check: "8", "830", "8.30", "8,30", "08:30" read as hours and
// minutes (seconds too when psFormato has them). Answers -3 when the time is
// required (pvOpz1 True) and missing, -1 when it is empty and allowed, -2
// when it is no time, else the time as text in psFormato ("hh:mm"); the
// field itself is left for the caller to rewrite. pvOpz2 to pvOpz4 are kept
// for the callers.
Variant ControllaOra(const ui::Controllo& pgCtl, const std::string& psFormato,
                     const Variant& pvOpz1 = 0, const Variant& pvOpz2 = 0,
                     const Variant& pvOpz3 = 0, const Variant& pvOpz4 = 0);

// ---- combos

// The value (ItemData) of the chosen item; Empty when none is chosen.
Variant ValoreCombo(const ui::Controllo& pgCombo);
// The code of the chosen item (the text before its first "-" or blank, the
// whole text when it has neither); "" when none is chosen.
std::string CodiceCombo(const ui::Controllo& pgCombo);
// Chooses the item whose code is pvCodice (letter case ignored); none when
// no item has it. True when found.
bool SelezCombo(ui::Controllo& pgCombo, const Variant& pvCodice);
// Chooses the item whose value (ItemData) is the number in the text of
// pgCtl; with pbAncheCodice also an item whose code is that text. When none
// matches, the choice is cleared with pbAzzeraSeManca, else left. True when
// found.
bool SelezComboCtrl(ui::Controllo& pgCombo, const ui::Controllo& pgCtl, bool pbAzzeraSeManca = true,
                    bool pbAncheCodice = true);
// Resets a control to pvValore: a combo or list chooses the item whose code
// is that value or whose text begins with it (none, with pbAzzeraSeManca,
// when no item does); any other control takes it as its text. With pbColore
// the error colour goes away. True when the value was taken.
bool AzzeraTesto(ui::Controllo& pgCtl, const Variant& pvValore = "", bool pbAzzeraSeManca = true,
                 bool pbColore = true);

// ---- focus, containers, forms

// The focus to a control. One that cannot take it (hidden, disabled, on a
// disabled container) is skipped silently with pbIgnoraErrori (False
// answered), else raises 5.
bool ImpostaFuoco(ui::Controllo& pgCtl, bool pbIgnoraErrori = true);
// The control and every container around it enabled and shown, and with
// pbFuoco the focus on it. True when it has the focus.
bool AbilContenitore(ui::Controllo& pgCtl, bool pbFuoco = true);
// Places and shows a form: window state piStato (-1 leaves it), centred on
// the screen with pbCentra (when not maximised), modeless (piModale 0) or
// modal (1, returning when it closes). 0 when shown; on a failure
// -(error number + 100), so that CodiceErrore of it is below 0.
long PosizForm(ui::Form& pgForm, int piStato = -1, int piModale = 0, bool pbCentra = false);
// Is any form of the collection open, that is loaded and visible? The
// program's hidden main form and a hidden look-up window never count.
bool FormAperte(const std::vector<ui::Form*>& pgForms = ui::Forms());
// The window system's font dialog opened on codFont: the font chosen (also
// left in codFont), or codFont unchanged when cancelled.
ui::Carattere ScegliCarattere(ui::Carattere& codFont);

// ---- grids

// Default display of the columns of a grid over its data control's
// recordset: headings from the field names where empty; with psModo "M"
// amounts "#,##0.00" and other decimals "#,###.^^^^" grouped, right
// aligned; whole numbers right aligned; dates through psFormatoData.
// psMascData (the edit mask of dates) is kept for the callers.
void FormatColonneGriglia(ui::Form& pgForm, ui::Griglia& pgGriglia, const std::string& psModo = "M",
                          const std::string& psMascData = "999/99/9999",
                          const std::string& psFormatoData = "dd/mm/yyyy");
// The same for a grid over the recordset psChiave of a recordset manager.
void FormatColonneDati(ui::Form& pgForm, ui::Griglia& pgGriglia, dati::GestRecordset& pgRs,
                       const std::string& psChiave, const std::string& psModo = "M",
                       const std::string& psMascData = "999/99/9999",
                       const std::string& psFormatoData = "dd/mm/yyyy");
// The size of a field of the current row, for the grid property
// "fieldsize": the characters of a text, 0 for Null, no current row, or a
// field of another kind; an unknown field raises 3265.
Variant ValCampo(const dati::Recordset& pgRs, const std::string& psCampo);
// Writes a value into the column psColonna (its DataField, letter case
// ignored) of the grid's current row. False when the grid refused it.
bool ContaRigheGriglia(ui::Griglia& pgGriglia, const std::string& psColonna, const Variant& pvValore);

}  // namespace vb::FunzioniComuniUi

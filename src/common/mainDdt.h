#pragma once
// The program's main module.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Variant.h"

namespace ui {
class Controllo;
}

namespace mainDdt {

// Writes, creates or deletes an ini key or a whole section, choosing the file
// itself: `pvFile` when given; else the suite ini when it holds a value for
// the key; else the database's ini when that holds one; else, when
// `pvCreaSeManca` (default True) allows, the database's ini for
// `piQualeIni` >= 2 (when there is one) or the suite ini. True when the file
// was changed. With `pvMsg` True a failure is also told in a message box.
vb::Variant ScriviIni(const std::string& psSezione, const std::string& psChiave,
                      const std::string& psValore, const vb::Variant& pvMsg = vb::Missing,
                      const vb::Variant& pvCreaSeManca = vb::Missing, int piQualeIni = 1,
                      bool pbCancSez = false, bool pbCancChiave = false,
                      const vb::Variant& pvFile = vb::Missing);

// ---- start-up, menu commands and shutdown
// The program's start: AziendaUtil::AvviaPrg with the program number 40.
void Main();
// Opens the form the menu asked for ("frmddttest" is the header form);
// any other name ends the program with "La form richiesta e' inesistente".
vb::Variant ApriFormRichiesta(const std::string& psNomeForm, int16_t piMostra, const std::string& psKeySec,
                              const std::string& psChiLancia, const std::string& psKeySecLancia,
                              const std::string& psParamLancia);
// The delivery-note program's settings, read once after the company ones.
void PrepParamDdt();
// Switches the article search key (code or barcode) and answers the
// caption of the new one; DescrRicCodice answers the caption of the current.
vb::Variant CambiaRicCodice();
vb::Variant DescrRicCodice();

// The end check: -1 one attempt now (closes when no other form is loaded),
// any other value the deferred check every 100 milliseconds.
void ChiudiProgramma(int16_t piSubito);
// Arms the close for the next tick without waiting for forms (a failed start).
vb::Variant ChiudiSubito();
// One tick of the end check; True when the close ran.
vb::Variant TentaChiusura(int16_t& piChiudi);
// Closes everything now: True when all was closed.
vb::Variant EseguiChiusura();
// Unloads the forms, newest first, but the one with the excluded caption;
// True when all went.
vb::Variant ScaricaForms(const vb::Variant& pvCaptionEsclusa = vb::Missing);
void Rilascia();
vb::Variant RilasciaDopoErrore(int16_t pbRilascia);
void RilasciaSeRichiesto(int16_t pbRilascia);
// Back to the suite menu.
void MostraMenu();
// The focus to a control: 0, or the error when it cannot take it.
vb::Variant DaiFocus(ui::Controllo& pgCtl);

// The program's decode-preparation hook, asked by the look-up library before
// each decode: True lets the decode run (always, in this program). An
// omitted key becomes 113 (F2), an omitted option 1.
vb::Variant PrepDecod(const std::string& psKeyBase, const std::string& psCampo, vb::Variant& pvValore,
                      vb::Variant& pvSoloDecod, const vb::Variant& pvOpz1 = vb::Missing,
                      const vb::Variant& pvOpz2 = vb::Missing, const vb::Variant& pvOpz3 = vb::Missing);

// Has the article been loaded under the batch and lot in that year (a
// warehouse movement whose causal loads with "+")? When not, the user is
// asked to confirm the data: False only when the user does not confirm.
// A failing check shows its error and answers True.
vb::Variant VerifCaricoPartita(int16_t& piAnno, std::string& psArticolo, std::string& psPartita,
                               std::string& psLotto);

}  // namespace mainDdt

#pragma once
// Forms opened on request of the menu server and their close protocol, the
// two ways of telling an error outside the program's forms, and the steps
// of the end check that close the program.
#include <cstdint>
#include <string>

#include "platform/Errore.h"
#include "platform/Variant.h"

namespace ui {
class Form;
}

namespace UtilClient {

// Opens the form `pgForm` (the program-wide instance of the form named
// `psNomeForm`), or brings a loaded one of that name (and caption
// containing `pvCaption`, when given) to the front, handing it the launch
// keys. `piMostra` not 0 applies the window state; `piPosiz` -1 places and
// shows a newly loaded form. True when the form is open and in front.
vb::Variant ApriForm(ui::Form*& pgForm, const std::string& psNomeForm, int16_t piMostra,
                     const std::string& psKeySec, const std::string& psKeyLancia,
                     const std::string& psKeySecLancia, const std::string& psParamLancia,
                     int16_t piPosiz, const vb::Variant& pvCaption = vb::Missing);
// From the unload handler of a form opened on request: back to the
// launcher or the menu (`pbTorna` not 0: the user closed it), the end check
// armed, the window reported closed.
void ChiudiFormLancio(ui::Form& pgForm, int16_t pbTorna);
void TornaAChiLancia(const std::string& psKeyLancia, const std::string& psKeySecLancia,
                     const std::string& psParamLancia);
// Back to the suite menu ("Il menu non è più disponibile" when it is gone).
void TornaAlMenu();
// "Errore(" number "): " description, shown by the menu server. Omitted
// arguments take the error being handled (call it inside a catch block).
void MsgErrMenu(const vb::Variant& pvError = vb::Missing, const vb::Variant& pverr = vb::Missing,
                const std::string& psMsgAggPri = {}, const std::string& psMsgAggDop = {});
// A plain message box, then with `piChiudi` -1 the end of the program.
void MsgEChiudi(const std::string& psMsg, const vb::Variant& pvBottoni = vb::Missing, int16_t piChiudi = 0);

// The end check: -1 one attempt now, any other value the deferred check of
// the main form's timer.
void AvviaChiusura(int16_t piSubito);
// Unloads every form and releases everything; True when all is closed.
vb::Variant ChiudiTutto();
// Releases the program-wide database objects and leaves the menu server.
void RilasciaOggetti();

// The focus to a form, as the legacy Form.SetFocus: raises 5 when the form
// cannot take it (hidden or disabled).
void FuocoForm(ui::Form& f);

}  // namespace UtilClient

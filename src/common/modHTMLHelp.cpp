#include "common/modHTMLHelp.h"

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/Aiuto.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace modHTMLHelp {

namespace {

// Longest index keyword the help viewer takes.
constexpr long kLungParola = 254;

// Tells the user why F1 shows nothing; through the message window, or the
// plain message box when the message window is itself the one asking.
void Avvisa(const std::string& testo) {
  if (frmMsgCom::msgCom(testo, "&Ok", vb::Missing, vb::Missing, "Guida") == frmMsgCom::kNessunaRisposta)
    vb::MsgBox(testo, vb::vbOKOnly | vb::vbInformation, "Guida");
}

}  // namespace

std::string NomeFileAiuto() {
  std::string nome = G().gsFileHelp;
  if (vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(nome))) return {};
  if (!vb::UgualeTesto(vb::Right(nome, 4), ".chm")) nome = vb::Left(nome, vb::Len(nome) - 4) + ".chm";
  return vb::EsisteFileLocale(nome) ? nome : std::string();
}

long ContestoContenitori(const ui::Controllo& c) {
  for (const ui::Controllo* p = c.Container(); p; p = p->Container())
    if (p->HelpContextID() > 0) return p->HelpContextID();
  return 0;
}

long ContestoControlloAttivo(ui::Form& pgForm) {
  const ui::Controllo* c = ui::Screen().ActiveControl();
  if (!c) return pgForm.HelpContextID();
  if (c->HelpContextID() > 0) return c->HelpContextID();
  const long dai = ContestoContenitori(*c);
  return dai > 0 ? dai : pgForm.HelpContextID();
}

bool MostraContenuto(const std::string& psFile, const std::string& psFinestra, const std::string& psArgomento) {
  std::string comando = psFile;
  if (!psFinestra.empty()) {
    comando = psFile + ">" + psFinestra;
    if (!vb::Trim(psArgomento).empty()) comando += "::/" + psArgomento;
  }
  return vb::aiuto::HtmlHelp(comando, vb::aiuto::HH_DISPLAY_TOC);
}

bool MostraContesto(const std::string& psFile, long plContesto, const std::string& psFinestra) {
  const std::string comando = psFinestra.empty() ? psFile : psFile + ">" + psFinestra;
  return vb::aiuto::HtmlHelp(comando, vb::aiuto::HH_HELP_CONTEXT, plContesto);
}

bool MostraIndice(const std::string& psFile, const std::string& psParola) {
  return vb::aiuto::HtmlHelp(psFile, vb::aiuto::HH_DISPLAY_INDEX, 0, vb::Left(psParola, kLungParola));
}

bool GestTastoF1(int& piKeyCode, int piShift, ui::Form& pgForm, long plContextId) {
  if (piKeyCode != ui::vbKeyF1) return false;
  const std::string file = NomeFileAiuto();
  if (file.empty()) {
    // The key goes on to the form; the user learns why nothing opened.
    const std::string impostato = G().gsFileHelp;
    if (vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(impostato)))
      Avvisa("Guida non disponibile: il programma è stato avviato senza il file della guida.");
    else
      Avvisa("Guida non disponibile: il file della guida \"" + impostato + "\" non esiste.");
    return false;
  }
  bool mostrata;
  if (piShift == ui::vbCtrlMask) {
    mostrata = MostraContenuto(file);
  } else if (piShift == ui::vbAltMask) {
    mostrata = MostraIndice(file);
  } else {
    const long contesto = plContextId >= 0 ? plContextId : ContestoControlloAttivo(pgForm);
    mostrata = MostraContenuto(file);
    mostrata = MostraContesto(file, contesto) && mostrata;
  }
  if (!mostrata)
    Avvisa("Impossibile aprire la guida \"" + file +
           "\": non è installato alcun programma per visualizzarla (xchm, kchmviewer o xdg-open).");
  piKeyCode = 0;
  return true;
}

}  // namespace modHTMLHelp

#pragma once
// Help on F1: the topic of the field that has the focus, the contents
// (Ctrl+F1) or the index (Alt+F1) of the program's compiled help file,
// shown by the desktop's help viewer (platform/Aiuto.h). Every form reaches
// it through the key framework; the message window calls it itself.
#include <string>

namespace ui {
class Controllo;
class Form;
}  // namespace ui

namespace modHTMLHelp {

// The F1 key (code 112) with its shift state on `pgForm`: Ctrl+F1 the
// contents, Alt+F1 the index, any other F1 the contents and then the topic
// plContextId (negative: the topic of the active control). True, with
// piKeyCode set to 0, when help was asked of the viewer. Without a help file
// it answers False and the key goes on; F1 then tells the user, in a
// message, that there is no help file (or that no program to show it is
// installed).
bool GestTastoF1(int& piKeyCode, int piShift, ui::Form& pgForm, long plContextId);

// The help file: the launch setting (gsFileHelp); a name with another
// four-character ending stands for its ".chm" twin. "" when there is none
// (no setting, or no such file).
std::string NomeFileAiuto();

// Topic of the screen's active control: its HelpContextID when above 0,
// else that of the nearest container that has one, else the form's; the
// form's as well when no control is active.
long ContestoControlloAttivo(ui::Form& pgForm);
// The HelpContextID of the nearest container of `c` that has one above 0;
// 0 when none does.
long ContestoContenitori(const ui::Controllo& c);

// The help commands, as the viewer gets them. False when there is no viewer.
bool MostraContenuto(const std::string& psFile, const std::string& psFinestra = {},
                     const std::string& psArgomento = {});
bool MostraContesto(const std::string& psFile, long plContesto, const std::string& psFinestra = {});
bool MostraIndice(const std::string& psFile, const std::string& psParola = {});

}  // namespace modHTMLHelp

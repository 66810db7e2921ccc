#pragma once
// The program's help: the compiled help file named at launch and the few
// commands the forms give it (contents, index, the topic of a context
// number). On Windows these were HtmlHelp calls; here a small layer takes
// them and opens the file with a help viewer of the desktop: a CHM viewer
// when one is installed (xchm opens the topic of a context number), else
// the desktop's default program for the file (xdg-open). Tests install
// their own viewer to see the commands.
#include <functional>
#include <string>

namespace vb {

namespace aiuto {

enum Comando : int { HH_DISPLAY_TOC = 1, HH_DISPLAY_INDEX = 2, HH_HELP_CONTEXT = 15 };

struct Richiesta {
  // As the legacy command spelled it: "file.chm", "file.chm>window",
  // "file.chm>window::/topic.htm".
  std::string file;
  int comando = HH_DISPLAY_TOC;
  long dati = 0;       // HH_HELP_CONTEXT: the context number
  std::string parola;  // HH_DISPLAY_INDEX: the keyword, "" none
};

// A viewer answers whether it took the request (false: nothing can show
// help here).
using Visualizzatore = std::function<bool(const Richiesta&)>;
// Installs a viewer; an empty function restores the desktop's. Returns the
// previous one.
Visualizzatore ImpostaVisualizzatore(Visualizzatore v);

// One help command. False when there is no viewer to show it.
bool HtmlHelp(const std::string& file, int comando, long dati = 0, const std::string& parola = {});

// The file part of a command text ("a.chm>main::/x.htm" -> "a.chm").
std::string FileDelComando(const std::string& file);

// The viewer the desktop offers ("" when none): the full path of xchm,
// kchmviewer or xdg-open, in that order.
std::string ProgrammaVisualizzatore();

}  // namespace aiuto
}  // namespace vb

#pragma once
// Paths written into settings by the Windows program ("C:\VelnorInst.ini",
// "\\server\share\...") mapped onto the Linux file system. Every drive is a
// folder under one root (RadiceUnita()/c, /d, ...; shares under /unc), and
// letter case is resolved the way Windows ignores it, so settings copied
// from a Windows installation keep working unchanged.
#include <string>
#include <string_view>

namespace vb {

// The folder that stands for the Windows drives: $VELNOR_ROOT when set and
// not empty, otherwise $HOME/velnor (/var/lib/velnor without a HOME).
std::string RadiceUnita();

// Windows or Linux path to the Linux path to open. Backslashes become
// slashes; "X:\a" goes under RadiceUnita()/x, "\\srv\share\a" under
// RadiceUnita()/unc/srv/share; other paths stay where they are. When the
// path does not exist as written, each missing component is looked up in
// its folder ignoring case; from the first one found in no spelling on, the
// rest is kept as written so the caller can create it.
std::string PercorsoLocale(std::string_view percorso);

// Is there a regular file at PercorsoLocale(percorso)?
bool EsisteFileLocale(std::string_view percorso);

}  // namespace vb

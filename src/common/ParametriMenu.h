#pragma once
// Named values kept by the menu server, and the terminal lists of the
// personal parameters. (Personal parameters themselves are read through
// AziendaUtil::LeggiParPers.)
#include <string>

#include "platform/Variant.h"

namespace ComLock {

// A free name/value pair written into the menu server, and read back.
void ScriviParMenu(const std::string& psNome, const vb::Variant& pvValore);
vb::Variant LeggiParMenu(const std::string& psNome);

}  // namespace ComLock

namespace LoginTerminali {

// Is the feature allowed on this terminal? Refused when the terminal is an
// item of the disabled list (`pbInDisab` True), or when the enabled list is
// not empty and does not name it; an empty list clears its flag. Lists are
// separated by ";".
vb::Variant VerifTerminale(const std::string& psTerminale, const std::string& psAbilitati,
                           const std::string& psDisabilitati, bool& pbInAbil, bool& pbInDisab);

}  // namespace LoginTerminali

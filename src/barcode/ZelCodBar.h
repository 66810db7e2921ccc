#pragma once
// Decoding of the level parts of a scanned level barcode.
#include <string>

#include "platform/Variant.h"

namespace ZelCodBar {

// Decodes one level of group `psLivGruppo` from the front of `psCodBar`:
// its first LunCodBarre characters (all of them when fewer) must be the
// barcode part of a level of the group. True on success: `psCodBar` loses
// those characters and `psLivello` / `psDescLiv` get the level's code and
// description; otherwise nothing changes. A group whose LunCodBarre is 0
// has no levels readable from a barcode. Database errors reach the caller.
vb::Variant DecLivDaCodBar(std::string& psCodBar, const std::string& psLivGruppo,
                           std::string& psLivello, std::string& psDescLiv);

}  // namespace ZelCodBar

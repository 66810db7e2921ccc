#pragma once
// The suite's common (menu) database, opened on first need as a second
// connection of the company database manager, and its memo records (table
// Appoggio: the e-mail texts of the print dialogs).
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace ZelOpenDbMenu {

// Opens the common database named by the suite ini (section "Menu": NomeDB,
// DriveDB, Connect): 0 when open (G().gsConnMenu holds its key), -1 when
// not. A failure is told and leaves the company database and the menu
// connection as they were: the program goes on without the memo texts.
vb::Variant ApriDbMenu();

// Slot `piNum` (1 to 5) of the record `psCodice`: True when read, with its
// text and description; False (both empty) for a missing record or slot.
vb::Variant GestMemo(const std::string& psCodice, int16_t piNum, std::string& psMemo, std::string& psDescr);

}  // namespace ZelOpenDbMenu

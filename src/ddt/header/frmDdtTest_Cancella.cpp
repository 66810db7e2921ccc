// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

vb::Variant frmDdtTest::Cancella(vb::Variant&) { return vb::Variant(int16_t(0)); }

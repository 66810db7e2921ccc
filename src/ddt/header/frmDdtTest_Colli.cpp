// The packages and the gross weight of the DDT, from its stored lines.
#include "ddt/header/frmDdtTest.h"
#include "platform/Variant.h"

vb::Variant frmDdtTest::CalcTotColli() { return vb::Variant(); }

void frmDdtTest::CalcolaPeso() {}

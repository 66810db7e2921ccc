// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::MostraTutto() {}
void frmDdtTest::SetLabBackColor() {}

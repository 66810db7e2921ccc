// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

int32_t frmDdtTest::RicUltNum(int16_t) { return 0; }
bool frmDdtTest::NonValeNumDoc() { return false; }

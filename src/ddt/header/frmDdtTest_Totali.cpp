// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::MostraTotMon() {}
void frmDdtTest::MostraRitAcc() {}
bool frmDdtTest::AggPiede(bool) { return true; }

// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::DopoCambioModo(int16_t) {}
void frmDdtTest::DopoMostra() {}
void frmDdtTest::DopoSvuota(bool) {}

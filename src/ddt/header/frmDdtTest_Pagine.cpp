// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::SistemaPagina(int16_t, bool) {}
void frmDdtTest::TasPagine_Click() {}

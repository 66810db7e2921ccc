// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::DecodDefault() {}
void frmDdtTest::MostraIva(bool&, bool&) {}
void frmDdtTest::MostraMoneta(bool, bool, bool, bool) {}
void frmDdtTest::MostraPdcDicIntenti(bool, bool) {}
void frmDdtTest::VerContrDoppio() {}

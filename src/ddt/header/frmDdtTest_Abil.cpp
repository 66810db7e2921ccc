// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::AbilAspetto(bool&) {}
void frmDdtTest::AbilCauTras(bool) {}
void frmDdtTest::AbilDdtInterno(bool) {}
void frmDdtTest::AbilDestin(bool) {}
void frmDdtTest::AbilDisabVariaz(bool&, bool&) {}
void frmDdtTest::AbilListino(bool, bool) {}
void frmDdtTest::AbilResi(bool) {}
void frmDdtTest::AbilTrasporto(bool) {}
void frmDdtTest::AbilVettore(bool&) {}
void frmDdtTest::AggNonText() {}

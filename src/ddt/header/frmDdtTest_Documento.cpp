// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::GestDettaglio(bool, int16_t&) {}
void frmDdtTest::GestSpese() {}
void frmDdtTest::StampaDoc() {}
void frmDdtTest::Ripristino() {}
void frmDdtTest::RipEvasione() {}
void frmDdtTest::CalcVuoti() {}
void frmDdtTest::DopoGestDettaglio(bool, bool) {}
void frmDdtTest::DopoGestSpese() {}

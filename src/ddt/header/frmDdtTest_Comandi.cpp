// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::ButtonComando(const std::string&) {}
void frmDdtTest::ComAnno_Click(int) {}
void frmDdtTest::timComPag_Timer() {}
void frmDdtTest::Form_KeyDown(int&, int) {}
void frmDdtTest::Form_KeyPress(int&) {}

// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::txt_Change(int) {}
void frmDdtTest::txt_GotFocus(int) {}
void frmDdtTest::txt_LostFocus(int) {}
void frmDdtTest::che_Click(int) {}
void frmDdtTest::Cob_Click(int) {}
void frmDdtTest::ComHlp_Click(int) {}
void frmDdtTest::VerificaCambiati(int) {}

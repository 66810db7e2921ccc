// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

bool frmDdtTest::ConfermaDupl() { return false; }
bool frmDdtTest::DuplRigheDett() { return false; }
void frmDdtTest::TimDupl_Timer() {}
void frmDdtTest::DopoDuplica(vb::Variant&, std::vector<vb::Variant>&) {}

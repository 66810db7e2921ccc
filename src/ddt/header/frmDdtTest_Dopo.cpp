// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

vb::Variant frmDdtTest::PersPagDop(int16_t, vb::Variant&, std::vector<vb::Variant>&) { return vb::Variant(int16_t(0)); }
void frmDdtTest::SalDatiBase() {}

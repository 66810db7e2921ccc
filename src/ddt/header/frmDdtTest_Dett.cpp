// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

void frmDdtTest::DettOrdCol() {}
void frmDdtTest::MostraDett() {}
std::string frmDdtTest::AggCampoNonPers(const std::string& psCampo) { return psCampo; }
std::string frmDdtTest::NomeColEspr(const std::string& psNome) { return psNome; }
std::string frmDdtTest::SottoQueryLiv(const std::string& psCampo) { return psCampo; }
void frmDdtTest::FormatColDett() {}
void frmDdtTest::dbgdett_DblClick() {}

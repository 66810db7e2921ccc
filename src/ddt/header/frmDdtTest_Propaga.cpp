// Placeholder until this part of the window is written.
#include "ddt/header/frmDdtTest.h"

bool frmDdtTest::VerAggCambioIva(bool&, bool&) { return true; }
bool frmDdtTest::VerAggCambioScoCli(bool&, bool&) { return true; }
bool frmDdtTest::VerAggCambioContratto(bool&, bool&) { return true; }
bool frmDdtTest::VerAggCambioProvv(bool&) { return true; }
bool frmDdtTest::VerAggCambioSpesePag(bool&, bool&) { return true; }
bool frmDdtTest::VerAggCambioSpesePerc(bool&, bool&) { return true; }
bool frmDdtTest::AggSpesaClie(bool&, bool&) { return true; }
bool frmDdtTest::AggModCambio(bool&) { return true; }
bool frmDdtTest::AggSpeseStandard(bool&) { return true; }

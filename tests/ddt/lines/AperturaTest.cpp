// The line window opened from the header's "Dettaglio" and closed again.
#include <gtest/gtest.h>

#include "ddt/lines/RigheProva.h"

namespace prova {
namespace {
using namespace dati::demo;

class Apertura : public RigheProva {};

TEST_F(Apertura, DettaglioOpensTheWorkingCopiesUnderTheLockAndClosingGivesThemBack) {
  const std::string prima = Lavoro(kDdtModificabile, "DdtDett");
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_EQ(Lavoro(kDdtModificabile), prima);
  EXPECT_EQ(Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato"), "7");
  EXPECT_EQ(d.txt(610).Text(), "3");
  d.Unload();
  EXPECT_EQ(Lavoro(kDdtModificabile), "");
  EXPECT_EQ(Lavoro(kDdtModificabile, "DdtDett"), prima);
  EXPECT_EQ(Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato"),
            "<nessuna riga>");
}

}  // namespace
}  // namespace prova

// The line window left without saving: the lots its lot rows touched get
// back the state the committed rows give them; the others are not touched.
#include <gtest/gtest.h>

#include <string>

#include "ddt/lines/RigheProva.h"
#include "platform/MsgBox.h"

namespace prova {
namespace {
using namespace dati::demo;

class UscitaLotti : public RigheProva {
 protected:
  std::string Stato(const char* lotto) {
    return Valore(std::string("Select Chiuso from Lotti Where Lotto = '") + lotto + "'", "Chiuso");
  }
};

TEST_F(UscitaLotti, LeavingWithoutSavingGivesTheTouchedLotsTheirCommittedState) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.osLottoTipOpe, "S");
  // As the lot window leaves it: the line now takes all 24 of lot 1, which
  // it closed. Lot 2 is not on the document and wrongly closed: not looked at.
  Sql("Update DdtRintracciaApp Set Qta = 24 Where Anno = 2026 And NumReg = 3 And Lotto = '" +
      std::string(kLotto1) + "'");
  Sql("Update Lotti Set Chiuso = 'C'");
  risposteBox_ = {vb::vbOK};
  d.ButtonComando("EsciNoSalva");
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(Stato(kLotto1), "A");  // 24 loaded, 6 taken by the committed row
  EXPECT_EQ(Stato(kLotto2), "C");
  EXPECT_EQ(Valore("Select Qta from DdtRintraccia Where Anno = 2026 And NumReg = 3", "Qta"), "6");
}

}  // namespace
}  // namespace prova

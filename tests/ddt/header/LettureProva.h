#pragma once
// The header window on the demo company with a stored DDT shown by the bar,
// for the reads that follow a record shown: the joined read, the line grid,
// the source-documents page and the overdue payments.
#include <string>

#include "ddt/header/TestataProva.h"

namespace prova {

class LettureProva : public TestataProva {
 protected:
  // The window, loaded once per test.
  frmDdtTest& Finestra() {
    if (!f_) {
      Testata();
      EXPECT_EQ(f_->oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    }
    return *f_;
  }

  // The bar shows DDT `numRif` of the demo year, as "Ricerca" does.
  void Vai(long numRif, int anno = dati::demo::kAnno) {
    frmDdtTest& f = Finestra();
    if (f.ogComPag().oiFlagOpe() != 0) f.ogComPag().EseguiTasto("VarKey");
    f.txt(20).SetText(std::to_string(anno));
    f.txt(10).SetText(std::to_string(numRif));
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << "DDT " << numRif;
  }
};

}  // namespace prova

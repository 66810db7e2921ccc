// A stored line put on screen keeps what it stores while the user only
// passes through it: its article is shown with the line, so leaving the
// article field unchanged, or giving a toolbar command while the focus is
// there, takes none of the article's defaults again (list price, unit,
// VAT, discounts) and leaves nothing to save.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class RigaMostrata : public RigheProva {
 protected:
  static std::string Campi(frmDDTDett& d) {
    std::string s;
    for (int n : {20, 30, 60, 70, 80, 100, 130, 140, 150, 160, 175}) s += d.txt(n).Text() + "|";
    return s + d.lab(290).Caption() + "|" + d.lab(300).Caption();
  }
};

TEST_F(RigaMostrata, AStoredLinesArticleLeftUnchangedKeepsTheStoredValues) {
  // The biscuits at their promotional price (the list says 3.20), the
  // course with its own description.
  struct Caso {
    int rigDet;
    const char* articolo;
  };
  for (const Caso& c : {Caso{2, kArticoloPromo}, Caso{3, kArticoloEsente}}) {
    SCOPED_TRACE(c.articolo);
    frmDDTDett& d = Righe(kDdtModificabile);
    d.Show();
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < c.rigDet; ++i) p.EseguiTasto("Successiva");
    ASSERT_EQ(d.txt(20).Text(), c.articolo);
    const std::string prima = Campi(d);
    // Through the article field to the quantity and back.
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
    ui::utente::Fuoco(d.txt(30));
    EXPECT_EQ(Campi(d), prima);
    EXPECT_EQ(p.VarDati(-1).ToString(), "");
    // A command with the focus on the article: the field's exit runs first.
    ASSERT_TRUE(ui::utente::Fuoco(d.txt(20)));
    d.ButtonComando("Inizio");
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    for (int i = 1; i < c.rigDet; ++i) p.EseguiTasto("Successiva");
    EXPECT_EQ(Campi(d), prima);
    frmDDTDett::Rilascia();
  }
}

}  // namespace
}  // namespace prova

// The reads of a shown DDT on the demo company in PostgreSQL: the joined
// read, the line grid with levels and a personal order, the source
// documents page and the overdue payments give what they give on SQLite.
#include "ddt/header/LettureProva.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/ui/Griglia.h"

namespace {

using namespace dati::demo;

class LettureServer : public prova::LettureProva {
 protected:
  void SetUp() override {
    LettureProva::SetUp();
    ApriSuServer(server_);
  }
  void TearDown() override {
    LettureProva::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
};

TEST_F(LettureServer, ReadsOfAShownDdt) {
  SALTA_SENZA_SERVER();
  G().gsGesTaglie = "S";
  frmDdtTest& f = Finestra();
  f.msClasseRegConf = "2";
  Vai(kDdtEvaso);
  f.MostraTutto();
  EXPECT_EQ(f.lab(40).Caption(), "Documento di trasporto");
  EXPECT_EQ(f.lab(84).Caption(), "IT 01234560237");
  EXPECT_EQ(f.lab(83).Caption(), "37121 Verona VR IT");
  EXPECT_EQ(f.txt(810).Text(), "Ferramenta Rossi Srl");
  EXPECT_EQ(f.txt(960).Text(), "Trasporti Veloci Srl");
  EXPECT_EQ(f.msLottoTipOpe, "S");
  EXPECT_TRUE(f.lab(91).Visible());

  f.msDettOrdColTest = "Qta§900,Articolo,Fantasma";
  f.DettOrdCol();
  f.MostraDett();
  ui::Griglia& g = f.GrigliaDett();
  ASSERT_EQ(g.NumColonne(), 14);
  EXPECT_EQ(g.Colonna(0).DataField, "Quantità");
  EXPECT_EQ(g.Colonna(0).Width, 900);
  EXPECT_EQ(g.TestoCella(0L, 1), kArticoloViti);
  EXPECT_EQ(g.TestoCella(0L, 2), "Viti inox M4x10 (confezione da 100 pz)");
  EXPECT_EQ(g.NumRigheEsatto(), 3);
  EXPECT_EQ(messaggi_.size(), 1u);  // the entry naming no column

  f.MostraProvenienza();
  EXPECT_EQ(f.lab(2010).Caption(), "1");
  EXPECT_EQ(f.lab(2040).Caption(), "30/11/2026");

  f.MostraScad(false);
  EXPECT_EQ(f.lab(1610).Caption(), "36");
  EXPECT_EQ(f.lab(1640).Caption(), "320,00");

  Vai(kDdtModificabile);
  f.miProvCaricata = 0;
  f.MostraProvenienza();
  auto& origini = dynamic_cast<ui::Griglia&>(f.C("dbgProvenienza"));
  ASSERT_EQ(origini.NumRigheEsatto(), 1);
  EXPECT_EQ(origini.TestoCella(0L, 3), "01/12/2026");
}

}  // namespace

// The after-hooks of the line page, driven as the user drives the page:
// the defaults of a new line, the buttons and entry order of the page
// state, the line shown, the deferred level and lot rows, and what a
// failed save or delete leaves alone.
#include <gtest/gtest.h>

#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"

namespace prova {
namespace {
using namespace dati::demo;

class Dopo : public RigheProva {
 protected:
  static bool Abil(frmDDTDett& d, const char* k) { return d.tolLinPag().Elem(k).Enabled; }
  void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
    ASSERT_EQ(d.txt(10).Text(), std::to_string(rigDet));
  }
  // Drops the new line without the page's question.
  static void Lascia(frmDDTDett& d) {
    d.ogLinPag().ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
    d.ogLinPag().EseguiTasto("Annulla");
    d.ogLinPag().ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
  }
};

TEST_F(Dopo, ANewLineIsAnArticleLineOnAnOpenDdtAndADescriptiveOneOnAPrintedDdt) {
  struct Caso {
    long ddt;
    const char* tipo;
    const char* notaSopra;
    int obbligCdc;
  };
  for (const Caso& c : {Caso{kDdtModificabile, "A", "N", 1}, Caso{kDdtStampato, "D", "S", 0}}) {
    frmDDTDett& d = Righe(c.ddt);
    auto& p = d.ogLinPag();
    // From a line of this document, whose entry starts at the article, as
    // the new line's does: no field is left once the new line is prepared.
    for (int r = 1; !d.lab(540).Caption().empty() && r < 9; ++r) Vai(d, r);
    p.Campi("CentroDiCosto").oiObblig = 1;
    d.osDoveStampoDesLung = "3";
    d.mbCodBarSalvato = true;
    d.msPercProvvArt1 = "5";
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
    EXPECT_EQ(d.txt(18).Text(), c.tipo) << c.ddt;
    EXPECT_EQ(d.txt(410).Text(), c.notaSopra) << c.ddt;
    EXPECT_EQ(p.Campi("CentroDiCosto").oiObblig, c.obbligCdc) << c.ddt;
    EXPECT_EQ(d.txt(400).Text(), "0") << c.ddt;
    EXPECT_EQ(d.miArtMostrato, -1);
    EXPECT_FALSE(d.mbCodBarSalvato);
    EXPECT_EQ(d.msPercProvvArt1, "");
    if (c.ddt == kDdtStampato) {
      EXPECT_EQ(d.txt(100).Text(), "");
      EXPECT_EQ(d.txt(160).Text(), "");
    }
    Lascia(d);
    frmDDTDett::Rilascia();
  }
}

TEST_F(Dopo, TheToolbarFollowsThePageStateAndTheLinesFlaggedForCopy) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  Vai(d, 2);
  EXPECT_TRUE(Abil(d, "Copia"));
  EXPECT_TRUE(Abil(d, "Taglia"));
  EXPECT_TRUE(Abil(d, "Inserisci"));
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  EXPECT_TRUE(Abil(d, "Inserisci"));
  for (const char* k : {"Copia", "Taglia", "Incolla", "Tracc"}) EXPECT_FALSE(Abil(d, k)) << k;
  // A new line of a writable DDT may ask for its levels with creation.
  EXPECT_TRUE(Abil(d, "LivelliCrea"));
  // Back on a stored line: "Incolla" only while lines are flagged.
  Lascia(d);
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_FALSE(Abil(d, "Incolla"));
  d.miCopiaTaglia = 1;
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  Lascia(d);
  EXPECT_TRUE(Abil(d, "Incolla"));
  EXPECT_TRUE(Abil(d, "Copia"));
  // No level group on the stored line: the level buttons are off.
  EXPECT_FALSE(Abil(d, "Livelli"));
}

TEST_F(Dopo, ThePersonalEntryOrderLeadsOnANewLineAndTheDesignOrderComesBack) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  const std::vector<int16_t> campi = {30, 20, 70};
  std::vector<int> disegno;
  for (int16_t n : campi) disegno.push_back(d.txt(n).TabIndex());
  d.osDettOrdIns = "30,20,70";
  d.DettOrdIns();
  d.DettOrdInsRip();
  ASSERT_TRUE(d.mbOrdInsPers);
  ASSERT_EQ(d.maiOrdIns, campi);
  for (int giro = 0; giro < 2; ++giro) {
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
    for (size_t i = 0; i < campi.size(); ++i) EXPECT_EQ(d.txt(campi[i]).TabIndex(), static_cast<int>(i)) << giro;
    // An insertion under way ends when the page leaves the new line.
    d.miRigaIns = 2;
    d.mbInsInMezzo = true;
    p.ImpInsPosizione(1);
    p.ImpPosInserimento(1);
    Lascia(d);
    for (size_t i = 0; i < campi.size(); ++i) EXPECT_EQ(d.txt(campi[i]).TabIndex(), disegno[i]) << giro;
    EXPECT_EQ(d.miRigaIns, 0);
    EXPECT_FALSE(d.mbInsInMezzo);
    EXPECT_EQ(p.PosInserimento(), -1);
    EXPECT_EQ(p.InsModo(), 0);
  }
}

TEST_F(Dopo, ASavedNewLineOpensItsLevelRowsOrItsLotRowsOnTheNextTick) {
  struct Caso {
    const char* gesTaglie;
    const char* gruppo;
    const char* rintraccia;
    int16_t passo;  // 0 none
  };
  const std::vector<Caso> casi = {
      {"S", "TAGLIE", "O", 1}, {"", "TAGLIE", "O", 8}, {"S", "", "O", 8}, {"S", "", "S", 0}, {"", "", "N", 0}};
  for (size_t i = 0; i < casi.size(); ++i) {
    const Caso& c = casi[i];
    G().gsGesTaglie = c.gesTaglie;
    frmDDTDett& d = Righe(kDdtModificabile);
    auto& p = d.ogLinPag();
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
    // What the line entry sets when it shows the article.
    d.osLivGruppo1 = c.gruppo;
    d.msGestRintraccia = c.rintraccia;
    for (const auto& [n, v] : {std::pair{20, kArticoloViti}, {23, "Viti"}, {30, "5"}, {70, "10"}, {130, "22"},
                               {140, "PZ"}, {150, "1"}})
      d.txt(n).SetText(v);
    // The article shown: the save leaves its field without showing it again.
    d.miArtMostrato = 1;
    d.masValIngresso[20] = kArticoloViti;
    ASSERT_EQ(d.ButtonComando("Salva").ToString(), "") << i;
    EXPECT_EQ(d.miStatoTimer, c.passo) << i << (messaggi_.empty() ? "" : messaggi_.back());
    EXPECT_EQ(d.timLinPag().Enabled(), c.passo != 0) << i;
    EXPECT_EQ(d.mdValTotalePrec, 0);
    // The next new line, left by its empty article, is not kept.
    risposteBox_.push_back(vb::vbNo);
    frmDDTDett::Rilascia();
    risposteBox_.clear();
  }
}

TEST_F(Dopo, AFailedSaveOrDeleteLeavesTheNumbersAndFlagsAlone) {
  frmDDTDett& d = Righe(kDdtModificabile);
  std::vector<vb::Variant> arr;
  d.mbRinumera = true;
  d.miStatoRaee = 2;
  d.mlRigLivRaee = 0;
  vb::Variant rit = "Operazione annullata";
  d.PersLPaDop(10, rit, arr);
  EXPECT_TRUE(d.mbRinumera);
  EXPECT_EQ(d.mlRigLivRaee, 0);
  rit = "";
  d.PersLPaDop(10, rit, arr);
  EXPECT_FALSE(d.mbRinumera);
  EXPECT_EQ(d.mlRigLivRaee, vb::FunzioniComuni::Istanza().ValLong(vb::Variant(d.lab(15).Caption()), true, true));
  d.miStatoRaee = 0;

  d.miRigaCanc = 2;
  rit = "1";
  d.PersLPaDop(17, rit, arr);
  EXPECT_EQ(d.miRigaCanc, 2);
  EXPECT_EQ(Lavoro(kDdtModificabile), Lavoro(kDdtModificabile, "DdtDett"));
  // Codes the hook does not know answer 0.
  for (int codice : {3, 6, 19, 20}) EXPECT_EQ(d.PersLPaDop(codice, rit, arr).ToInt(), 0) << codice;
}

TEST_F(Dopo, TheLineShownSetsWhereEntryStartsByItsKindAndOrigin) {
  Sql("Update DdtDett Set TipoRiga = 'D' Where Anno = 2026 And NumRif = 3 And RigDet = 2");
  Sql("Update DdtDett Set TipoRiga = 'C', Comando = 'PA' Where Anno = 2026 And NumRif = 3 And RigDet = 3");
  Sql("Update DdtDett Set FattDocumentoProv = 'OC' Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  // The goods account of the article line asks for a cost centre.
  Sql("Update PianoConti Set CdcObblig = 'S' Where Gruppo = '60' And Mastro = '01' And Conto = '0001'");
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  struct Caso {
    int riga;
    const char* primo;  // the box entry starts at
    int obbligCdc;
  };
  const std::vector<Caso> casi = {{2, "txt425", 0}, {3, "cob900", 0}, {1, "txt30", 1}};
  for (const Caso& c : casi) {
    p.Campi("CentroDiCosto").oiObblig = 1;
    Vai(d, c.riga);
    ui::Controllo* primo = p.CtrlSecondoCampo();
    ASSERT_NE(primo, nullptr);
    EXPECT_EQ(primo->Name() + std::to_string(primo->Index()), c.primo) << c.riga << (messaggi_.empty() ? "" : messaggi_.back());
    EXPECT_EQ(p.Campi("CentroDiCosto").oiObblig != 0, c.obbligCdc != 0) << c.riga;
    EXPECT_EQ(d.msTipoRigaPrec, d.txt(18).Text());
  }
  // A line of this document starts at the article.
  Sql("Update DdtDettApp Set FattDocumentoProv = Null Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  p.Riposiziona();
  Vai(d, 1);
  EXPECT_EQ(p.CtrlSecondoCampo(), &d.txt(20));
}

}  // namespace
}  // namespace prova

// Line kinds and their first field, the command line's parameter, the
// mandatory unit fields, the fields a terminal barred from prices may not
// touch, the fields the level rows lock, and the deletion refusals as the
// user meets them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/lines/AperturaDiretta.h"

namespace prova {
namespace {
using namespace dati::demo;

class Tipi : public AperturaDiretta {
 protected:
  void TearDown() override {
    G().gbDisabTermPrz = false;
    G().gsQtaDef.clear();
    AperturaDiretta::TearDown();
  }
  static int Obblig(frmDDTDett& d, int n) {
    return d.ogLinPag().Campi(d.masNomeCampo[static_cast<size_t>(n)]).oiObblig;
  }
  bool Detto(const std::string& testo) const {
    for (const auto& m : messaggi_)
      if (m == testo) return true;
    return false;
  }
};

TEST_F(Tipi, EachKindShowsItsPageAndPutsTheFocusOnItsFirstField) {
  frmDDTDett& d = Apri(Base());
  d.Show();
  struct Caso {
    const char* tipo;
    int pannello;
    const char* primo;
    int n;
  };
  const std::vector<Caso> casi = {
      {"d", 1, "txt", 425}, {"A", 0, "txt", 20}, {"C", 2, "cob", 900}, {"m", 0, "txt", 20}, {"D", 1, "txt", 425},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.tipo);
    d.txt(18).SetText(c.tipo);
    // A first field left disabled is enabled again by the page it opens.
    d.C(c.primo, c.n).SetEnabled(false);
    d.VisualDettDescr(true);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(d.C("PicDett", i).Visible(), i == c.pannello) << i;
    EXPECT_TRUE(d.C(c.primo, c.n).Enabled());
    EXPECT_EQ(d.ActiveControl(), &d.C(c.primo, c.n));
  }
  // Without the focus flag the focus stays where it is.
  d.txt(18).SetText("C");
  d.VisualDettDescr(false);
  EXPECT_TRUE(d.C("PicDett", 2).Visible());
  EXPECT_NE(d.ActiveControl(), &d.cob(900));
}

TEST_F(Tipi, TheCommandSetsUpItsParameter) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    const char* comando;
    bool agg;
    bool testo;    // txt(910) shown (else the sub-section list)
    bool abil;     // txt(910) enabled
    const char* param;  // txt(910) afterwards
    const char* nota;   // txt(420) afterwards
  };
  const std::vector<Caso> casi = {
      {"SR", false, true, true, "3", "3"}, {"td", false, true, false, "3", "3"}, {"PA", false, true, false, "3", "3"},
      {"NS", false, true, false, "3", "3"}, {"AZ", false, true, false, "3", "3"}, {"PZ", false, true, true, "3", "3"},
      {"SR", true, true, true, "", ""},    {"SS", false, false, true, "3", "3"},
      // A new "SS" starts on "Tutti", whose value is the parameter.
      {"ss", true, false, true, "", "0"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.comando) + (c.agg ? " new" : ""));
    d.cob(920).SetListIndex(-1);
    d.txt(900).SetText(c.comando);
    d.txt(910).SetText("3");
    d.txt(910).SetEnabled(true);
    d.txt(420).SetText("3");
    d.ImpParamCom(c.agg);
    EXPECT_EQ(d.txt(910).Visible(), c.testo);
    EXPECT_EQ(d.label1(910).Visible(), c.testo);
    EXPECT_EQ(d.cob(920).Visible(), !c.testo);
    EXPECT_EQ(d.label1(920).Visible(), !c.testo);
    if (c.testo) {
      EXPECT_EQ(d.txt(910).Enabled(), c.abil);
    }
    EXPECT_EQ(d.txt(910).Text(), c.param);
    EXPECT_EQ(d.txt(420).Text(), c.nota);
    if (c.agg && !c.testo) {
      EXPECT_EQ(d.cob(920).ListIndex(), 0);
    }
  }
  // While the combos are positioned from the line nothing is touched.
  d.txt(900).SetText("SS");
  d.txt(420).SetText("33");
  d.miInAggNonText = 1;
  d.ImpParamCom(true);
  d.miInAggNonText = 0;
  EXPECT_EQ(d.txt(420).Text(), "33");
}

TEST_F(Tipi, UnitAndFactorAreMandatoryOnlyForAnArticleOfTheMasterFile) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    const char* articolo;
    bool obbl;      // CampiObblig
    bool abilDesc;  // AbilDescArt afterwards
    int qta, um;    // marks afterwards (0 / -1)
  };
  const std::vector<Caso> casi = {
      {"", true, false, -1, 0},         {kArticoloViti, true, false, -1, -1}, {kArticoloViti, true, true, -1, 0},
      {kArticoloViti, false, false, 0, -1}, {"", false, false, 0, 0},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.articolo) + std::to_string(c.obbl) + std::to_string(c.abilDesc));
    d.txt(20).SetText(c.articolo);
    d.CampiObblig(c.obbl);
    d.AbilDescArt(c.abilDesc);
    EXPECT_EQ(Obblig(d, 30), c.qta);
    EXPECT_EQ(Obblig(d, 130), c.qta);
    EXPECT_EQ(Obblig(d, 140), c.um);
    EXPECT_EQ(Obblig(d, 150), c.um);
  }
}

TEST_F(Tipi, ABarredTerminalKeepsOnlyArticleDescriptionQuantityAndPackages) {
  frmDDTDett& d = Apri(Base());
  d.C("PicBeneUsato").SetVisible(true);
  for (bool barrato : {false, true}) {
    SCOPED_TRACE(barrato);
    G().gbDisabTermPrz = barrato;
    d.DisCampiLiv(true);
    EXPECT_TRUE(d.mbCampiLivAbil);
    for (int n : {20, 26, 30, 40, 195}) EXPECT_TRUE(d.txt(n).Enabled()) << n;
    for (int n : {60, 70, 80, 90, 100, 110, 120, 140, 150, 130, 165, 180})
      EXPECT_EQ(d.txt(n).Enabled(), !barrato) << n;
    for (int n : {20, 60, 80, 140}) EXPECT_EQ(d.C("ComHlp", n).Enabled(), !barrato) << n;
    for (int n : {0, 2}) EXPECT_EQ(d.C("ComTipoRiga", n).Enabled(), !barrato) << n;
    EXPECT_EQ(d.che(75).Enabled(), !barrato);
    EXPECT_EQ(d.cob(170).Enabled(), !barrato);
    // The used-goods box goes off as a whole; its own field keeps its state.
    EXPECT_EQ(d.C("PicBeneUsato").Enabled(), !barrato);
    EXPECT_TRUE(d.C("ComHlp", 195).Enabled());
    // Labels, the pages themselves and the tab strip stay.
    EXPECT_TRUE(d.lab(130).Enabled());
    EXPECT_TRUE(d.label1(60).Enabled());
    EXPECT_TRUE(d.C("PicDati", 1).Enabled());
    EXPECT_TRUE(d.C("TasPagine").Enabled());
    // Re-enabled for the grid's next line, the barred terminal stays barred.
    for (auto& c : d.Controlli()) c->SetEnabled(true);
  }
}

TEST_F(Tipi, TheLevelRowsLockQuantityPriceDiscountsAndUnit) {
  frmDDTDett& d = Apri(Base());
  d.txt(130).SetEnabled(true);
  d.DisCampiLiv(false);
  EXPECT_FALSE(d.mbCampiLivAbil);
  for (int n : {30, 40, 60, 70, 80, 90, 100, 110, 120, 140, 150}) EXPECT_FALSE(d.txt(n).Enabled()) << n;
  for (int n : {60, 80, 140}) EXPECT_FALSE(d.C("ComHlp", n).Enabled()) << n;
  // The VAT code and the other fields are not the levels'.
  for (int n : {20, 26, 130, 160}) EXPECT_TRUE(d.txt(n).Enabled()) << n;
  EXPECT_TRUE(d.C("ComHlp", 130).Enabled());
  d.DisCampiLiv(true);
  for (int n : {30, 40, 60, 70, 80, 90, 100, 110, 120, 140, 150}) EXPECT_TRUE(d.txt(n).Enabled()) << n;
  EXPECT_TRUE(d.mbCampiLivAbil);
}

TEST_F(Tipi, BothLevelCodesGiveAnEmptyQuantityTheDefault) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    const char *liv1, *liv2, *qta, *def, *atteso;
  };
  const std::vector<Caso> casi = {
      {"S", "BLU", "", "", "1"},     {"S", "BLU", "", "6", "6"},   {"S", "BLU", " ", "6", "6"},
      {"S", "BLU", "2", "6", "2"},   {"S", "", "", "6", ""},       {"", "BLU", "", "6", ""},
      {"S", "~ç~", "", "", "1"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.liv1) + "/" + c.liv2 + "/" + c.qta + "/" + c.def);
    G().gsQtaDef = c.def;
    d.txt(21).SetText(c.liv1);
    d.txt(22).SetText(c.liv2);
    d.txt(30).SetText(c.qta);
    d.LivQtaDef();
    EXPECT_EQ(d.txt(30).Text(), std::string(*c.atteso ? c.atteso : c.qta));
  }
}

TEST_F(Tipi, DeletingAnArticleLineOfAPrintedDdtOrTakenFromAnOrderIsRefusedWithItsMessage) {
  struct Caso {
    long ddt;
    const char* messaggio;
  };
  // Line 1 of the editable DDT came from the customer's order.
  for (const Caso& c : {Caso{kDdtStampato, "Documento già stampato: Impossibile cancellare righe di articoli"},
                        Caso{kDdtModificabile, "Riga Proveniente da altro documento: Impossibile cancellare righe di articoli"}}) {
    SCOPED_TRACE(c.ddt);
    frmDDTDett& d = Righe(c.ddt);
    auto& p = d.ogLinPag();
    ASSERT_EQ(p.Stato(), 1);
    ASSERT_EQ(d.txt(18).Text(), "A");
    const std::string righe = Lavoro(c.ddt);
    messaggi_.clear();
    risposteBox_.push_back(vb::vbYes);
    EXPECT_NE(p.EseguiTasto("Cancella"), "");
    EXPECT_TRUE(Detto(c.messaggio)) << (messaggi_.empty() ? std::string() : messaggi_.back());
    EXPECT_EQ(Lavoro(c.ddt), righe);
    frmDDTDett::Rilascia();
  }
}

TEST_F(Tipi, DeletingADescriptiveLineOfAPrintedDdtGoesAhead) {
  Sql("Update DdtDett Set TipoRiga = 'D' Where Anno = 2026 And NumRif = 2 And RigDet = 1");
  frmDDTDett& d = Righe(kDdtStampato);
  auto& p = d.ogLinPag();
  ASSERT_EQ(d.txt(18).Text(), "D");
  const std::string prima = Lavoro(kDdtStampato);
  messaggi_.clear();
  risposteBox_.push_back(vb::vbYes);
  EXPECT_EQ(p.EseguiTasto("Cancella"), "");
  EXPECT_NE(Lavoro(kDdtStampato), prima);
  // Only the page's own question.
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Cancellare la riga?"});
}

}  // namespace
}  // namespace prova

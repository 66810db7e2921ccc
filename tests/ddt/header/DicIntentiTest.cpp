// The declaration of intent on the header, on the demo company: the used
// amounts, the residual by setting, the warning colours, and the DDT's own
// total counted under a number typed and not yet saved.
#include <filesystem>

#include "ddt/header/TestataProva.h"
#include "fiscal/DichIntenti.h"
#include "platform/FunzioniComuni.h"

namespace {

namespace demo = dati::demo;

constexpr long kBlu = 16711680;
constexpr long kRosso = 255;

class DicIntenti : public prova::TestataProva {
 protected:
  void SetUp() override {
    prova::TestataProva::SetUp();
    DichIntenti::AzzeraMemoria();
  }

  double Num(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }

  // Declaration 9 of customer 3 with `dichiarato`, used by an invoice of
  // 300, the editable DDT as a DDT of 200 and the customer's order of 100.
  void Utilizzi(const std::string& dichiarato) {
    const std::string cli = "GruppoCli = '04', MastroCli = '01', ContoCli = '0014'";
    Sql("Insert into PdcDicIntenti (Gruppo, Mastro, Conto, PdcDicIntenti, Attivo, Descrizione, ImportoDichIntenti) "
        "Values ('04', '01', '0014', 9, 'S', 'Prova', " + dichiarato + ")");
    Sql("Update FatTest Set " + cli + ", PdcDicIntenti = 9, TotDocum = 300");
    Sql("Update DdtTest Set PdcDicIntenti = 9, TotDocum = 200 Where Anno = 2026 And NumRif = 3");
    Sql("Update OrdVenTest Set " + cli + ", PdcDicIntenti = 9, TotDocum = 100, Stato = Null");
  }

  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    SetUp();
  }

  void Colori(frmDdtTest& f, bool rosso) {
    for (int n : {312, 314, 316, 319}) EXPECT_EQ(f.lab(n).ForeColor(), rosso ? kRosso : kBlu) << n;
    EXPECT_EQ(f.label1(310).BackColor(), rosso ? G().glColoreErrore : f.mlColSfondoLabel1);
  }
};

TEST_F(DicIntenti, TheResidualDeductsWhatTheSettingSaysAndTheWarningComparesAllThree) {
  struct Caso {
    const char* dichiarato;
    const char* calcRes;
    double residuo;
    bool rosso;
  };
  const Caso casi[] = {
      {"1000", "O", 400, false}, {"1000", "", 400, false},  {"1000", "D", 500, false}, {"1000", "d", 500, false},
      {"1000", "F", 700, false}, {"1000", "f", 700, false}, {"600", "O", 0, false},    {"599.99", "O", -0.01, true},
      {"599.99", "F", 299.99, true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.dichiarato) + " " + c.calcRes);
    Riparti();
    Utilizzi(c.dichiarato);
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.msDicIntentiCalcRes = c.calcRes;
    f.MostraPdcDicIntenti(true, false);
    EXPECT_EQ(f.txt(310).Text(), "9");
    EXPECT_EQ(f.lab(310).Caption(), "Prova");
    EXPECT_DOUBLE_EQ(Num(f.lab(312).Caption()), 300);
    EXPECT_DOUBLE_EQ(Num(f.lab(314).Caption()), 200);
    EXPECT_DOUBLE_EQ(Num(f.lab(316).Caption()), 100);
    EXPECT_DOUBLE_EQ(Num(f.lab(318).Caption()), Num(c.dichiarato));
    EXPECT_NEAR(Num(f.lab(319).Caption()), c.residuo, 1e-9) << f.lab(319).Caption();
    Colori(f, c.rosso);
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
}

TEST_F(DicIntenti, TheDemoDdtFallsUnderTheCustomersFirstDeclaration) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.MostraPdcDicIntenti(true, false);
  EXPECT_EQ(f.txt(310).Text(), std::to_string(demo::kDicIntenti1));
  EXPECT_EQ(f.lab(310).Caption(), demo::kDescDicIntenti1);
  // Nothing used shows blank.
  EXPECT_EQ(f.lab(312).Caption(), "");
  EXPECT_EQ(f.lab(314).Caption(), "520,34");
  EXPECT_EQ(f.lab(316).Caption(), "");
  EXPECT_EQ(f.lab(318).Caption(), "1.000,00");
  EXPECT_EQ(f.lab(319).Caption(), "479,66");
  EXPECT_FALSE(f.lab(520).Caption().empty());
  Colori(f, false);

  // Moved under the smaller declaration and not saved: the DDT's own total
  // counts there, and it is too much.
  f.txt(310).SetText(std::to_string(demo::kDicIntenti2));
  f.MostraPdcDicIntenti(true, false);
  EXPECT_EQ(f.lab(310).Caption(), demo::kDescDicIntenti2);
  EXPECT_EQ(f.lab(314).Caption(), "520,34");
  EXPECT_EQ(f.lab(318).Caption(), "300,00");
  EXPECT_EQ(f.lab(319).Caption(), "-220,34");
  Colori(f, true);

  // A number the customer does not have: reported, its (empty) amounts shown.
  f.txt(310).SetText("7");
  f.MostraPdcDicIntenti(true, false);
  EXPECT_EQ(f.lab(310).Caption(), aiuti::kInesistente);
  EXPECT_EQ(f.lab(312).Caption(), "");
  EXPECT_EQ(f.lab(314).Caption(), "520,34");

  // No number: the text and amount of all the active declarations, in blue.
  f.txt(310).SetText("");
  f.MostraPdcDicIntenti(true, false);
  for (int n : {310, 312, 314, 316, 319}) EXPECT_TRUE(f.lab(n).Caption().empty()) << n;
  EXPECT_EQ(f.lab(318).Caption(), "1.300,00");
  EXPECT_FALSE(f.lab(520).Caption().empty());
  Colori(f, false);

  // No customer: every label of the frame empty.
  f.txt(80).SetText("");
  f.MostraPdcDicIntenti(true, false);
  for (int n : {310, 312, 314, 316, 318, 319, 520}) EXPECT_TRUE(f.lab(n).Caption().empty()) << n;
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(DicIntenti, OnlyANumberOtherThanTheStoredOneAddsTheDdtsTotal) {
  struct Caso {
    const char* memorizzato;  // DdtTest.PdcDicIntenti; nullptr Null
    const char* digitato;
    bool aggiunge;
  };
  const Caso casi[] = {
      {"1", "2", true}, {"1", "1", false}, {"1", " 1 ", false}, {"1", "", false},
      {"1", "0", false}, {nullptr, "2", false}, {"5", "7", true},
      {"1", "99999999999999999999", true},  // beyond any number: another one
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.memorizzato ? c.memorizzato : "Null") + " -> '" + c.digitato + "'");
    Riparti();
    Sql(std::string("Update DdtTest Set PdcDicIntenti = ") + (c.memorizzato ? c.memorizzato : "Null") +
        " Where Anno = 2026 And NumRif = 3");
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.lab(170).SetCaption("1.234,56");
    f.txt(310).SetText(c.digitato);
    int16_t passo = 0;
    EXPECT_DOUBLE_EQ(f.ImpCambiatoCodDic(passo), c.aggiunge ? 1234.56 : 0);
  }
  // A new DDT never counts its own total before the first save.
  Riparti();
  frmDdtTest& f = Testata();
  f.ogComPag().EseguiTasto("Nuovo");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
  f.lab(170).SetCaption("100");
  f.txt(310).SetText("2");
  int16_t passo = 0;
  EXPECT_DOUBLE_EQ(f.ImpCambiatoCodDic(passo), 0);
}

}  // namespace

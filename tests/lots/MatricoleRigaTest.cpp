// Serials read from a file, on the line window of the editable demo DDT:
// the line that takes each serial, the quantity that follows the serials,
// the article of a serial from its history or from the user's answer.
#include <gtest/gtest.h>

#include <string>

#include "ddt/lines/NumeriProva.h"
#include "lots/frmMatrArt.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {

namespace demo = dati::demo;

class MatricoleRiga : public NumeriProva {
 protected:
  // An article line of the drill in the working copy.
  void RigaTrapano(int rigDet, long rigLiv, double qta, double prezzo, const std::string& sconto = "") {
    Sql("Insert into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Descrizione, Qta, FatCon, UM,"
        " Iva, Omaggio, CopiaTaglia, ValUnitario, ValTotale, ScontoTot) Values (2026, 3, " +
        std::to_string(rigDet) + ", " + std::to_string(rigLiv) + ", 'A', '" + demo::kArticoloMatricole +
        "', 'Trapano', " + std::to_string(qta) + ", 1, 'PZ', '22', 'N', 0, " + std::to_string(prezzo) + ", " +
        std::to_string(prezzo * qta) + ", '" + sconto + "')");
  }
  // Serials per line key, "RigLiv:Matricola" in insertion-independent order.
  std::string Matricole() {
    return Elenco("Select RigLiv, Matricola from DdtMatrApp Where Anno = 2026 And NumRif = 3 Order By Matricola",
                  {"RigLiv", "Matricola"});
  }
  // One serial placed as the import places it.
  void Leggi(frmDDTDett& d, dati::GestRecordset& rs, std::string& k, const std::string& matricola) {
    const int32_t rigLiv = d.MatrRigLiv(demo::kArticoloMatricole, rs, k, -1);
    ASSERT_NE(rigLiv, -1);
    d.MatrIns(rigLiv, matricola, true, rs, k, "", "");
  }
};

TEST_F(MatricoleRiga, SerialsFillTheLinesFromTheLastUp) {
  Linee(2);
  frmDDTDett& d = Righe(kDdt);
  d.osTipOpe = "S";
  RigaTrapano(3, 200, 2, 100);
  RigaTrapano(4, 201, 3, 100);
  dati::GestRecordset rs;
  std::string k;
  for (int i = 1; i <= 6; ++i) Leggi(d, rs, k, "M" + std::to_string(i));
  // One recordset open at a time, whatever the number of serials.
  EXPECT_TRUE(rs.Esiste(k));
  rs.ChiudiRecordset(k);
  EXPECT_EQ(Matricole(), "201:M1 201:M2 201:M3 200:M4 200:M5 201:M6");
  EXPECT_EQ(Elenco("Select RigLiv, Qta from DdtDettApp Where NumRif = 3 And RigLiv >= 200 Order By RigLiv",
                   {"RigLiv", "Qta"}),
            "200:2 201:4");
  EXPECT_EQ(Elenco("Select TipOpe from DdtMatrApp Where NumRif = 3 And Matricola = 'M1'", {"TipOpe"}), "S");
}

TEST_F(MatricoleRiga, TheQuantityFollowsTheSerialsAndThePriceFollowsTheQuantity) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  RigaTrapano(2, 300, 1, 100);     // priced: the amount follows
  RigaTrapano(3, 301, 2, 0);       // amount only: the unit price follows
  Sql("Update DdtDettApp Set ValTotale = 100, ScontoTot = '10' Where NumRif = 3 And RigLiv = 301");
  RigaTrapano(4, 302, 5, 10);      // quantity above the serials: unchanged
  dati::GestRecordset rs;
  std::string k;
  for (long rl : {300L, 300L, 301L, 301L, 301L, 302L}) {
    const int32_t r = d.MatrRigLiv("", rs, k, rl);
    ASSERT_EQ(r, rl);
    d.MatrIns(r, "S" + std::to_string(rl) + "-" + std::to_string(Matricole().size()), true, rs, k, "", "");
  }
  rs.ChiudiRecordset(k);
  EXPECT_EQ(Elenco("Select RigLiv, Qta, ValTotale, ValUnitario from DdtDettApp Where NumRif = 3 And RigLiv >= 300 "
                   "Order By RigLiv",
                   {"RigLiv", "Qta", "ValTotale", "ValUnitario"}),
            "300:2:200:100 301:3:100:37,037 302:5:50:10");
  EXPECT_EQ(Elenco("Select ValEuro from DdtDettApp Where NumRif = 3 And RigLiv = 300", {"ValEuro"}), "200");
  // A line key the DDT does not have.
  EXPECT_EQ(d.MatrRigLiv("", rs, k, 999), -1);
  rs.ChiudiRecordset(k);
}

TEST_F(MatricoleRiga, TheSameSerialTwiceOnALineIsRefused) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  RigaTrapano(2, 300, 1, 100);
  dati::GestRecordset rs;
  std::string k;
  // Quotes and wildcards stored and compared as they are.
  const std::string strana = "A'*?%#_" + std::string(20, 'x');
  for (int i = 0; i < 2; ++i) d.MatrIns(d.MatrRigLiv("", rs, k, 300), strana, true, rs, k, "", "");
  rs.ChiudiRecordset(k);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Matricola già inserita");
  EXPECT_EQ(Elenco("Select count(*) as N from DdtMatrApp Where NumRif = 3 And Matricola = '" +
                       std::string("A''*?%#_") + std::string(20, 'x') + "'",
                   {"N"}),
            "1");
}

// The question window, answered by the script: the article typed and Ok,
// Cancel, or the window closed another way.
class MatricoleDomanda : public MatricoleRiga {
 protected:
  void Risposta(const std::string& articolo) {
    ui::HeadlessAttivo().Rispondi([this, articolo](ui::Form& f) {
      auto& q = static_cast<frmMatrArt&>(f);
      domanda_ = q.lab(20).Caption() + "|" + q.lab(40).Caption() + "|" + (q.txt(30).Enabled() ? "E" : "D");
      if (articolo == "<chiudi>") {
        f.Unload();
        return;
      }
      if (articolo.empty()) {
        f.Click(f.C("ComAnnulla"));
        return;
      }
      q.txt(30).SetText(articolo);
      q.DecodArticolo(false);
      f.Click(f.C("comOk"));
    });
  }
  std::string domanda_;
};

TEST_F(MatricoleDomanda, ASerialWithoutHistoryIsAsked) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  d.osTipOpe = "S";
  d.osMatrSegnTipOpe = "S";
  Risposta(demo::kArticoloMatricole);
  std::string art, l1, l2;
  int32_t rigLiv = 7;
  EXPECT_EQ(d.MatrTipoCod("NUOVA-1", art, l1, l2, rigLiv), "M");
  EXPECT_EQ(art, demo::kArticoloMatricole);
  EXPECT_EQ(rigLiv, -1);
  EXPECT_EQ(domanda_, "Matricola non ancora associata ad un articolo||E");
  EXPECT_FALSE(d.obInRichMatr);
  EXPECT_TRUE(d.Enabled());
  // Cancelled, and closed another way: no article; the second stops the
  // reading.
  Risposta("");
  EXPECT_EQ(d.MatrTipoCod("NUOVA-2", art, l1, l2, rigLiv), "M");
  EXPECT_EQ(art, "");
  EXPECT_FALSE(d.mbRichMatrInterrotta);
  Risposta("<chiudi>");
  EXPECT_EQ(d.MatrTipoCod("NUOVA-3", art, l1, l2, rigLiv), "M");
  EXPECT_EQ(art, "");
  EXPECT_TRUE(d.mbRichMatrInterrotta);
  EXPECT_TRUE(d.Enabled());
}

TEST_F(MatricoleDomanda, OneArticlePerSerialFromTheHistory) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  d.osTipOpe = "S";
  d.osMatrSegnTipOpe = "S";
  d.osMatrUnica = "S";
  d.osMatrGuastoNoScar = "S";
  std::string art, l1, l2;
  int32_t rigLiv = 0;
  // Loaded and still in stock: it may be sold, no question.
  EXPECT_EQ(d.MatrTipoCod(demo::kMatricola3, art, l1, l2, rigLiv), "M");
  EXPECT_EQ(art, demo::kArticoloMatricole);
  EXPECT_TRUE(ui::HeadlessAttivo().ScriptFinito());
  // Already sold: asked, the article shown and not editable.
  Risposta(demo::kArticoloMatricole);
  art.clear();
  EXPECT_EQ(d.MatrTipoCod(demo::kMatricola1, art, l1, l2, rigLiv), "M");
  EXPECT_EQ(domanda_, "Matricola di articolo con movimento precedente non compatibile|Scarico|D");
  EXPECT_EQ(art, demo::kArticoloMatricole);
}

TEST_F(MatricoleDomanda, ASerialOfTwoArticlesTakesTheOneThatFits) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  d.osTipOpe = "S";
  d.osMatrSegnTipOpe = "S";
  d.osMatrUnica = "C";
  // The newest movement sold it as the drill; as the screws it was loaded.
  Sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale) Values (2026, 90, '2026-11-01', 'CAR')");
  Sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale) Values (2026, 91, '2026-11-20', 'VEN')");
  Sql(std::string("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta) Values (2026, 90, 1, 1, '") +
      demo::kArticoloViti + "', 1)");
  Sql(std::string("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta) Values (2026, 91, 1, 1, '") +
      demo::kArticoloMatricole + "', 1)");
  Sql("Insert into MovMagMatr (Anno, NumReg, RigLiv, Matricola, TipOpe) Values (2026, 90, 1, 'DOPPIA', 'C')");
  Sql("Insert into MovMagMatr (Anno, NumReg, RigLiv, Matricola, TipOpe) Values (2026, 91, 1, 'DOPPIA', 'S')");
  std::string art, l1, l2;
  int32_t rigLiv = 0;
  EXPECT_EQ(d.MatrTipoCod("DOPPIA", art, l1, l2, rigLiv), "M");
  EXPECT_EQ(art, demo::kArticoloViti);
  EXPECT_TRUE(ui::HeadlessAttivo().ScriptFinito());
  // Both fit when the states are not checked: the user chooses, the first
  // that fitted proposed.
  d.osMatrSegnTipOpe = "N";
  Risposta(demo::kArticoloMatricole);
  art.clear();
  EXPECT_EQ(d.MatrTipoCod("DOPPIA", art, l1, l2, rigLiv), "M");
  EXPECT_EQ(domanda_, "Matricola usata per più articoli||E");
  EXPECT_EQ(art, demo::kArticoloMatricole);
}

TEST_F(MatricoleDomanda, ArticleCodesAndBarcodes) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  std::string art, l1, l2;
  int32_t rigLiv = 0;
  d.oLayMatr.codArtInizIdent = "AB";
  d.oLayMatr.addArtPrima = "0";
  EXPECT_EQ(d.MatrTipoCod("ab123", art, l1, l2, rigLiv), "A");
  EXPECT_EQ(art, "0123");
  d.oLayMatr = {};
  d.oLayMatr.matrLungMin = 20;
  EXPECT_EQ(d.MatrTipoCod(demo::kBarCodeTrapano, art, l1, l2, rigLiv), "B");
  EXPECT_EQ(d.MatrTipoCod(demo::kArticoloViti, art, l1, l2, rigLiv), "A");
  d.oLayMatr.codArtSeqRic = "B";
  d.oLayMatr.matrSuUltRiga = "U";
  // Not a barcode, and article codes are not looked up: a serial, placed on
  // the line shown.
  EXPECT_EQ(d.MatrTipoCod(demo::kArticoloViti, art, l1, l2, rigLiv), "M");
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

// The demo company's serial history: the drill serial back for repair and
// the serial of two articles, classified on the editable DDT (a sale).
TEST_F(MatricoleDomanda, TheDemoHistory) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  d.osTipOpe = "S";
  d.osMatrSegnTipOpe = "S";
  d.osMatrGuastoNoScar = "S";
  d.osMatrUnica = "S";
  std::string art, l1, l2;
  int32_t rigLiv = 0;
  // Back for repair: not to be sold (question with the state).
  Risposta("");
  EXPECT_EQ(d.MatrTipoCod(demo::kMatricolaRiparata, art, l1, l2, rigLiv), "M");
  EXPECT_EQ(domanda_, "Matricola di articolo con movimento precedente non compatibile|Reso da cliente in "
                      "riparazione|D");
  EXPECT_EQ(art, "");
  // Two articles, both loaded: the user chooses between them.
  d.osMatrUnica = "C";
  Risposta(demo::kArticoloViti);
  EXPECT_EQ(d.MatrTipoCod(demo::kMatricolaDoppia, art, l1, l2, rigLiv), "M");
  EXPECT_EQ(domanda_, "Matricola usata per più articoli||E");
  EXPECT_EQ(art, demo::kArticoloViti);
}

}  // namespace
}  // namespace prova

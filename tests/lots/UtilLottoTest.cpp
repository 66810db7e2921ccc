// Lot operations, lot stock, the deletion check and the lot states on the
// demo company: lot L2026-045 of the oil loaded 24 into the central store,
// 6 of it on the editable DDT 3; lot L2026-052 loaded 12.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "lots/UtilLotto.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestRecordset.h"
#include "services/DittaProva.h"

namespace {

namespace demo = dati::demo;
using UtilLotto::ChiaveLotto;

TEST(CalcLottoTipOpe, Table) {
  struct Caso {
    const char *tipoMov, *carScar, *segno, *causale, *noMovCar, *atteso;
  } casi[] = {
      {"I", "S", "+", "TRA", "", "I"},   {"i", "C", "-", "TRA", "", "I"},  {"V", "S", "+", "X", "", ""},
      {"", "S", "+", "VEN", "", "S"},    {"", "C", "-", "RF", "", "S"},    {"", "C", "+", "CAR", "", "C"},
      {"", "S", "-", "RS", "", "C"},     {"", "s", "+", "VEN", "", "S"},   {"", "c", "+", "CAR", "", "C"},
      {"", "N", "+", "INV", "INV,", "C"}, {"", "n", "", "inv", "INV,", "C"},
      {"", "N", "+", "7", "17,", ""},    // whole items: "7" is not in "17,"
      {"", "N", "+", "7", "17,7,", "C"}, {"", "N", "+", "INV", "", ""},   {"", "C", "", "CAR", "", ""},
      {"", "X", "+", "CAR", "CAR,", ""},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(UtilLotto::CalcLottoTipOpe(c.tipoMov, c.carScar, c.segno, c.causale, c.noMovCar), c.atteso)
        << c.tipoMov << "|" << c.carScar << "|" << c.segno << "|" << c.causale << "|" << c.noMovCar;
}

class Lotti : public prova::DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    dati::CreaDittaDemo(*db_, conn_);
  }
  static ChiaveLotto Lotto(const char* codice) {
    return {demo::kArticoloLotti, demo::kGruppoFornitori, demo::kMastroFornitori, demo::kFornitore2, codice, 1};
  }
  std::string Stato(const char* lotto) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           std::string("Select Chiuso from Lotti Where Lotto = '") + lotto + "'",
                                           false, 4);
    std::string s = rs.LeggiCampo(k, "Chiuso").ToString();
    rs.ChiudiRecordset(k);
    return s;
  }
  // A DDT of the central store moving `qta` of lot LX with operation `op`.
  void DdtLotto(long numRif, const char* op, double qta, const char* stato = nullptr) {
    Sql("Insert Into DdtTest (Anno, NumRif, MagazzProv, Stato) Values (2026, " + std::to_string(numRif) + ", '" +
        demo::kMagCentrale + "', " + (stato ? std::string("'") + stato + "'" : "Null") + ")");
    Sql("Insert Into DdtRintraccia (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto,"
        " NrProgLotto, Qta, TipOpe) Values (2026, " + std::to_string(numRif) + ", 1, '" + demo::kArticoloLotti +
        "', '" + demo::kGruppoFornitori + "', '" + demo::kMastroFornitori + "', '" + demo::kFornitore2 +
        "', 'LX', 1, " + std::to_string(qta) + ", '" + op + "')");
  }
  void LottoLX() {
    Sql(std::string("Insert Into Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor,"
                    " Chiuso) Values ('LX', 1, '") + demo::kArticoloLotti + "', '" + demo::kGruppoFornitori + "', '" +
        demo::kMastroFornitori + "', '" + demo::kFornitore2 + "', 'A')");
  }
};

TEST_F(Lotti, CalcMagaScarCarTable) {
  Param("Mag.GruppoProd", "09");
  Param("Mag.MastroProd", "01");
  Param("Mag.ContoProd", "0099");
  struct Caso {
    const char *tipOpe, *prov, *dest, *da, *a, *scar, *car, *gruppo, *mastro, *conto;
  } casi[] = {
      {"S", "M", "C", "01", "02", "01", "", "", "", ""},
      {"s", "F", "C", "01", "02", "02", "", "", "", ""},
      {"C", "M", "C", "01", "02", "", "01", "", "", ""},           // as the DDTs pass it
      {"C", "F", "M", "07010004", "01", "", "01", "07", "01", "0004"},
      {"C", "F", "M", "07-01-0004", "01", "", "01", "07", "01", "0004"},
      {"C", "N", "M", "", "01", "", "01", "09", "01", "0099"},
      {"C", "M", "M", "02", "01", "", "01", "", "", ""},
      {"C", "M", "F", "01", "07010004", "", "01", "07", "01", "0004"},
      {"C", "M", "N", "01", "", "", "01", "09", "01", "0099"},
      {"I", "M", "C", "01", "02", "01", "02", "", "", ""},
      {"", "M", "C", "01", "02", "01", "02", "", "", ""},
  };
  for (const Caso& c : casi) {
    std::string scar = "x", car = "x", g = "x", m = "x", n = "x";
    UtilLotto::CalcMagaScarCar(c.tipOpe, c.prov, c.dest, c.da, c.a, scar, car, g, m, n);
    EXPECT_EQ(scar + "|" + car + "|" + g + "|" + m + "|" + n,
              std::string(c.scar) + "|" + c.car + "|" + c.gruppo + "|" + c.mastro + "|" + c.conto)
        << c.tipOpe << " " << c.prov << " " << c.dest;
  }
}

TEST_F(Lotti, CalcGiacLottoCountsUnprintedDocumentsAndLeavesOutWhatIsAsked) {
  struct Caso {
    const char* nome;
    const char* lotto;
    const char* escl;
    long numReg;
    const char* famiglia;
    double atteso;
  } casi[] = {
      {"load 24, DDT 3 unloads 6", demo::kLotto1, "", 0, "", 18},
      {"DDT 3 left out", demo::kLotto1, "d", 3, "", 24},
      {"DDT 3 left out, code in capitals", demo::kLotto1, "D", 3, "", 24},
      {"another DDT left out", demo::kLotto1, "d", 2, "", 18},
      {"its working copy left out: the committed rows still count", demo::kLotto1, "da", 3, "", 18},
      {"no document given: nothing left out", demo::kLotto1, "d", 0, "", 18},
      {"the second lot", demo::kLotto2, "", 0, "", 12},
      {"a lot with no rows", "NESSUNO", "", 0, "", 0},
  };
  for (const Caso& c : casi) {
    UtilLotto::GiacenzaLotto q;
    const vb::Variant g =
        UtilLotto::CalcGiacLotto(demo::kMagCentrale, Lotto(c.lotto), q, c.escl, 2026, c.numReg, -1, c.famiglia);
    EXPECT_DOUBLE_EQ(g.ToDouble(), c.atteso) << c.nome;
    EXPECT_DOUBLE_EQ(q.giacenza, c.atteso) << c.nome;
  }
  // A printed DDT adds nothing.
  Sql("Update DdtTest Set Stato = 'S' Where Anno = 2026 And NumRif = 3");
  UtilLotto::GiacenzaLotto q;
  EXPECT_DOUBLE_EQ(UtilLotto::CalcGiacLotto(demo::kMagCentrale, Lotto(demo::kLotto1), q).ToDouble(), 24);
  EXPECT_DOUBLE_EQ(q.scarDdt, 0);
  EXPECT_DOUBLE_EQ(q.carMov, 24);
}

TEST_F(Lotti, VerifCancLottiRefusesALoadWhoseLotWasUnloadedSince) {
  LottoLX();
  DdtLotto(20, "C", 10);
  DdtLotto(21, "S", 8);
  std::string testo = "prima";
  UtilLotto::ChiaveLotto l;
  EXPECT_EQ(UtilLotto::VerifCancLotti("C", "DdtRintraccia", 2026, 20, "", demo::kMagCentrale, "d", testo, -1, &l),
            1);
  EXPECT_EQ(testo,
            "Quantità caricata insufficiente per gli scarichi richiesti\r\nArticolo: " + std::string(demo::kArticoloLotti) +
                " - Lotto: LX\r\nQuantità disponibile dopo la cancellazione: -8");
  EXPECT_EQ(l.lotto, "LX");
  // The unload may go: the lot's stock only grows.
  testo = "prima";
  EXPECT_EQ(UtilLotto::VerifCancLotti("S", "DdtRintraccia", 2026, 21, demo::kMagCentrale, "", "d", testo, -1), 0);
  EXPECT_EQ(testo, "prima");
  // A transfer names the store that would be short.
  EXPECT_EQ(UtilLotto::VerifCancLotti("I", "DdtRintraccia", 2026, 20, demo::kMagNegozio, demo::kMagCentrale, "d",
                                      testo, -1),
            1);
  EXPECT_NE(testo.find("per magazzino " + std::string(demo::kMagCentrale)), std::string::npos) << testo;
}

TEST_F(Lotti, AggStatoLottiRigheEvaluatesTheLotsAsIfTheRowsWereGone) {
  LottoLX();
  DdtLotto(20, "C", 10);
  // Lot 1 wrongly closed: without DDT 3's unload 24 stay, it opens.
  Sql("Update Lotti Set Chiuso = 'C' Where Lotto = '" + std::string(demo::kLotto1) + "'");
  UtilLotto::AggStatoLottiRighe("S", "DdtRintraccia", 2026, 3, demo::kMagCentrale, "", "d", -1);
  EXPECT_EQ(Stato(demo::kLotto1), "A");
  // The only load of LX gone: nothing left anywhere, it closes.
  UtilLotto::AggStatoLottiRighe("C", "DdtRintraccia", 2026, 20, "", demo::kMagCentrale, "d", -1);
  EXPECT_EQ(Stato("LX"), "C");
  // A lot closed by hand stays closed.
  Sql("Update Lotti Set Chiuso = 'F' Where Lotto = '" + std::string(demo::kLotto1) + "'");
  UtilLotto::AggStatoLottiRighe("S", "DdtRintraccia", 2026, 3, demo::kMagCentrale, "", "d", -1);
  EXPECT_EQ(Stato(demo::kLotto1), "F");
  EXPECT_TRUE(messaggi_.empty());
}

// The list read before the rows go and evaluated after: the same states.
TEST_F(Lotti, AggStatoLottiAfterTheRowsAreDeleted) {
  LottoLX();
  DdtLotto(20, "C", 10);
  const auto lotti = UtilLotto::LottiRighe("DdtRintraccia", 2026, 20, -1);
  ASSERT_EQ(lotti.size(), 1u);
  Sql("Delete from DdtRintraccia Where Anno = 2026 And NumReg = 20");
  UtilLotto::AggStatoLotti(lotti, "C", "", demo::kMagCentrale, 2026, 20, -1, "");
  EXPECT_EQ(Stato("LX"), "C");
}

}  // namespace

namespace {

// The lot row of the oil line of DDT 3 stops its article from changing;
// the same code written otherwise, another line or another DDT does not.
TEST_F(Lotti, CercaLottoRigaFindsTheLotOfAChangedArticle) {
  Sql("Insert Into DdtRintraccia (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto,"
      " NrProgLotto, Qta, TipOpe) Values (2026, 3, 7, 'OLIO5L', '07', '01', '0004', 'L2026-052', 2, 1, 'S')");
  struct Caso {
    const char *prima, *dopo;
    long numReg, rigLiv;
    bool trovato;
    const char* lotto;
    int nr;
  } casi[] = {
      {demo::kArticoloLotti, demo::kArticoloViti, demo::kDdtModificabile, demo::kRigLivOlio, true, demo::kLotto1, 1},
      {demo::kArticoloLotti, "  olio5l ", demo::kDdtModificabile, demo::kRigLivOlio, false, "", 0},
      {demo::kArticoloLotti, "", demo::kDdtModificabile, demo::kRigLivOlio, true, demo::kLotto1, 1},
      {demo::kArticoloLotti, demo::kArticoloViti, demo::kDdtModificabile, demo::kRigLivBiscotti, false, "", 0},
      {demo::kArticoloLotti, demo::kArticoloViti, demo::kDdtModificabile, 7, true, "L2026-052", 2},
      {demo::kArticoloLotti, demo::kArticoloViti, demo::kDdtInterno, demo::kRigLivOlio, false, "", 0},
  };
  for (const Caso& c : casi) {
    std::string g = "x", m = "x", co = "x", lotto;
    int16_t nr = 0;
    const bool r = UtilLotto::CercaLottoRiga(c.prima, c.dopo, "DdtRintraccia", 2026, static_cast<int32_t>(c.numReg), g,
                                             m, co, lotto, nr, static_cast<int32_t>(c.rigLiv));
    SCOPED_TRACE(std::string(c.dopo) + " " + std::to_string(c.numReg) + "/" + std::to_string(c.rigLiv));
    EXPECT_EQ(r, c.trovato);
    EXPECT_EQ(lotto, c.lotto);
    EXPECT_EQ(nr, c.nr);
    if (c.trovato) {
      EXPECT_EQ(g + "-" + m + "-" + co, "07-01-0004");
    }
  }
  // Without a line key the whole document counts.
  std::string g, m, co, lotto;
  int16_t nr = 0;
  EXPECT_TRUE(UtilLotto::CercaLottoRiga("A", "B", "DdtRintraccia", 2026, 3, g, m, co, lotto, nr, 0));
}

}  // namespace

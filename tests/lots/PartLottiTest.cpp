// The split of a line by batch and lot on the editable demo DDT, with the
// dialog answered as the user fills it, and the list of the pairs loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/utilprg.h"
#include "ddt/lines/NumeriProva.h"
#include "lots/frmLisPartLot.h"
#include "lots/frmPartLottoDiv.h"
#include "platform/ui/Griglia.h"

namespace prova {
namespace {

namespace demo = dati::demo;

struct RigaDialogo {
  int riga;  // 0..4
  std::string partita, lotto, qta;
};

class PartLotti : public NumeriProva {
 protected:
  // The split dialog opened on the current line and filled.
  frmPartLottoDiv& Apri(frmDDTDett& d, const std::vector<RigaDialogo>& righe) {
    d.ComPartLotti_Click();
    EXPECT_NE(d.mfrmPartLottoDiv, nullptr);
    frmPartLottoDiv& f = *d.mfrmPartLottoDiv;
    EXPECT_FALSE(d.Enabled());
    for (const RigaDialogo& r : righe) {
      f.txt(10 + 10 * r.riga).SetText(r.partita);
      f.txt(110 + 10 * r.riga).SetText(r.lotto);
      f.txt(210 + 10 * r.riga).SetText(r.qta);
    }
    return f;
  }
  std::string Divise() {
    return Elenco("Select RigDet, Descrizione, Qta, DescPers1, DescPers3, QtaProv from DdtDettApp Where Anno = 2026 "
                  "And NumRif = 3 Order By RigDet",
                  {"RigDet", "Descrizione", "Qta", "DescPers1", "DescPers3", "QtaProv"});
  }
};

TEST_F(PartLotti, LineThreeOfSixIntoThreeRows) {
  Linee(6);
  Sql("Update DdtDett Set Qta = 12, QtaProv = 10, TipoProv = 'O', NumRifProv = 1 Where NumRif = 3 And RigDet = 3");
  frmDDTDett& d = Righe(kDdt);
  VaiA(d, 3);
  frmPartLottoDiv& f = Apri(d, {{0, "P1", "L1", "4"}, {1, "P1", "L2", "4"}, {2, "P2", "L3", "4"}});
  f.Click(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(Divise(),
            "1:L1:1:<Null>:<Null>:<Null> 2:L2:1:<Null>:<Null>:<Null> 3:L3:4:P1:L1:4 4:L3:4:P1:L2:4 5:L3:4:P2:L3:2 "
            "6:L4:1:<Null>:<Null>:<Null> 7:L5:1:<Null>:<Null>:<Null> 8:L6:1:<Null>:<Null>:<Null>");
  // The first row keeps the line's key, the others take new ones.
  EXPECT_EQ(Elenco("Select RigLiv from DdtDettApp Where NumRif = 3 And RigDet Between 3 And 5 Order By RigDet",
                   {"RigLiv"}),
            "103 107 108");
  // The unchecked pairs were asked about (answered yes).
  EXPECT_NE(std::find(messaggi_.begin(), messaggi_.end(),
                      "Manca caricamento per partita 'P1' e lotto 'L1'\r\nConfermi i dati inseriti"),
            messaggi_.end());
}

// QtaProv 10 handed out over the rows, the remainder on the last; a row
// that takes nothing loses its link to the source line.
class QuoteProv : public PartLotti {
 protected:
  void Dividi(const std::vector<RigaDialogo>& righe, const char* attese, const char* tipi) {
    Linee(1);
    Sql("Update DdtDett Set Qta = 10, QtaProv = 10, TipoProv = 'O' Where NumRif = 3");
    frmDDTDett& d = Righe(kDdt);
    frmPartLottoDiv& f = Apri(d, righe);
    f.Click(f.C("comOk"));
    EXPECT_EQ(Elenco("Select QtaProv from DdtDettApp Where NumRif = 3 Order By RigDet", {"QtaProv"}), attese);
    EXPECT_EQ(Elenco("Select TipoProv from DdtDettApp Where NumRif = 3 Order By RigDet", {"TipoProv"}), tipi);
  }
};

TEST_F(QuoteProv, FourFourFour) {
  Dividi({{0, "P", "A", "4"}, {2, "P", "B", "4"}, {4, "P", "C", "4"}}, "4 4 2", "O O O");
}
TEST_F(QuoteProv, ThreeThree) { Dividi({{0, "P", "A", "3"}, {1, "P", "B", "3"}}, "3 7", "O O"); }
TEST_F(QuoteProv, TwelveFive) { Dividi({{0, "P", "A", "12"}, {1, "P", "B", "5"}}, "10 <Null>", "O <Null>"); }

TEST_F(PartLotti, TheDialogChecks) {
  Linee(1);
  Sql("Update DdtDett Set Qta = 10, DescPers1 = 'B1' Where NumRif = 3");
  frmDDTDett& d = Righe(kDdt);
  // Rows 1 and 3 complete, row 2 empty, 4 and 5 only the line's batch.
  frmPartLottoDiv& f = Apri(d, {{0, "B1", "A", "5"}, {2, "B1", "C", "5"}});
  EXPECT_EQ(f.txt(40).Text(), "B1");
  f.txt(20).SetText("");
  risposte_ = {2};  // "&No" to the first pair that was never loaded
  f.Click(f.C("comOk"));
  EXPECT_EQ(f.oiRigaVal, 2);
  EXPECT_EQ(f.ovRigaDaEl[1], 0);
  EXPECT_EQ(f.ovRigaDaEl[2], 2);
  EXPECT_TRUE(f.Caricata());
  // A row with a lot and no quantity.
  f.txt(110 + 10).SetText("X");
  messaggi_.clear();
  f.Click(f.C("comOk"));
  EXPECT_EQ(messaggi_, std::vector<std::string>{"Inserire tutti i tre valori di ogni riga da elaborare"});
  f.txt(110 + 10).SetText("");
  f.txt(210 + 20).SetText("");
  f.txt(110 + 20).SetText("");
  messaggi_.clear();
  f.Click(f.C("comOk"));
  EXPECT_EQ(messaggi_,
            std::vector<std::string>{"Inserire almeno due coppie partita/lotto per suddividere la riga originale"});
  // A total different from the line's: "&No" keeps the dialog open.
  f.txt(110 + 20).SetText("C");
  f.txt(210 + 20).SetText("4");
  messaggi_.clear();
  risposte_ = {1, 1, 2};
  f.Click(f.C("comOk"));
  EXPECT_EQ(messaggi_.back(), "Totale quantità diversa dalla riga originaria\r\nConfermi i dati inseriti");
  EXPECT_TRUE(f.Caricata());
  // Cancel: nothing changes.
  f.Click(f.C("ComAnnulla"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(Elenco("Select count(*) as N from DdtDettApp Where NumRif = 3", {"N"}), "1");
}

TEST_F(PartLotti, RefusedOnAPrintedDdt) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  d.osStato = "S";
  d.ComPartLotti_Click();
  EXPECT_EQ(messaggi_.back(), "DDT stampato: Impossibile suddividere");
  EXPECT_EQ(d.mfrmPartLottoDiv, nullptr);
  EXPECT_TRUE(d.Enabled());
}

TEST_F(PartLotti, AFailureLeavesTheLinesAsTheyWere) {
  Linee(4);
  frmDDTDett& d = Righe(kDdt);
  VaiA(d, 2);
  const std::string prima = Ordine();
  frmPartLottoDiv& f = Apri(d, {{0, "P", "A", "1"}, {1, "P", "B", "1"}});
  // A line whose key is taken: the second row cannot be stored.
  Sql("Insert into DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Descrizione, Qta, CopiaTaglia)"
      " Values (2026, 3, 9000, " + std::to_string(d.mlMaxRigLiv + 1) + ", 'D', 'X', 1, 0)");
  const long maxRigLiv = d.mlMaxRigLiv;
  f.Click(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(Ordine(), prima + " 9000:X");
  EXPECT_LE(d.mlMaxRigLiv, maxRigLiv + 1);
  EXPECT_EQ(Elenco("Select DescPers1 from DdtDettApp Where NumRif = 3 And RigDet = 2", {"DescPers1"}), "<Null>");
}

TEST_F(PartLotti, TheListOfPairsLoaded) {
  Linee(1);
  frmDDTDett& d = Righe(kDdt);
  // Loads of the oil into the DDT's warehouse: one pair twice, a batch
  // without a lot, a line with neither, another warehouse.
  auto carico = [&](long numReg, const char* mag, const char* partita, const char* lotto, int rig) {
    if (rig == 1)
      Sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoDest) Values (2026, " +
          std::to_string(numReg) + ", '2026-11-02', 'CAR', '" + mag + "')");
    Sql("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, DescPers1, DescPers3) Values (2026, " +
        std::to_string(numReg) + ", " + std::to_string(rig) + ", " + std::to_string(rig) + ", '" +
        demo::kArticoloLotti + "', 1, " + (partita ? "'" + std::string(partita) + "'" : "Null") + ", " +
        (lotto ? "'" + std::string(lotto) + "'" : "Null") + ")");
  };
  carico(80, demo::kMagCentrale, "P2", "L9", 1);
  carico(80, demo::kMagCentrale, "P1", "L''1", 2);
  carico(81, demo::kMagCentrale, "P1", "L''1", 1);
  carico(81, demo::kMagCentrale, "P3", nullptr, 2);
  carico(81, demo::kMagCentrale, nullptr, nullptr, 3);
  carico(82, demo::kMagNegozio, "PX", "LX", 1);
  d.txt(20).SetText(demo::kArticoloLotti);
  // The warehouse year of the DDT's date (the bench's company leaves it to
  // the test).
  d.miAnnoMag = 2026;
  d.CercaPartita();
  ASSERT_NE(d.mfrmLisPartLot, nullptr);
  frmLisPartLot& l = *d.mfrmLisPartLot;
  EXPECT_FALSE(d.Enabled());
  auto& g = static_cast<ui::Griglia&>(l.C("dbgLista"));
  std::string righe;
  for (long i = 0; i < g.NumRigheEsatto(); ++i) righe += g.TestoCella(i, 0) + "/" + g.TestoCella(i, 1) + " ";
  // With the demo company's own pair of batch P2026-11 and its two lots.
  EXPECT_EQ(righe, "P1/L'1 P2/L9 P2026-11/L2026-045 P2026-11/L2026-052 P3/ ");
  EXPECT_EQ(g.Colonna(0).Caption, "Partita");
  g.VaiARiga(1);
  l.Click(l.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.txt(220).Text(), "P2");
  EXPECT_EQ(d.txt(265).Text(), "L9");
  // Cancelled: the fields stay.
  d.CercaPartita();
  d.mfrmLisPartLot->Click(d.mfrmLisPartLot->C("ComAnnulla"));
  EXPECT_EQ(d.txt(220).Text(), "P2");
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {

// The same statements on the PostgreSQL test server: the split, the pairs
// listed, the serials placed and counted.
class PartLottiServer : public PartLotti {};

TEST_F(PartLottiServer, SplitPairsAndSerials) {
  std::unique_ptr<DatabaseServer> server;
  if (!ApriSuServer(server)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  Linee(6);
  Sql("Update DdtDett Set Qta = 12, QtaProv = 10, TipoProv = 'O' Where NumRif = 3 And RigDet = 3");
  Sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoDest) Values (2026, 80, '2026-11-02', "
      "'CAR', '01')");
  Sql(std::string("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, DescPers1, DescPers3) "
                  "Values (2026, 80, 1, 1, '") + dati::demo::kArticoloLotti + "', 1, 'P''1', '%_*')");
  frmDDTDett& d = Righe(kDdt);
  VaiA(d, 3);
  frmPartLottoDiv& f = Apri(d, {{0, "P1", "L1", "4"}, {1, "P1", "L2", "4"}, {2, "P2", "L3", "4"}});
  f.Click(f.C("comOk"));
  EXPECT_EQ(Elenco("Select RigDet, Descrizione, QtaProv from DdtDettApp Where Anno = 2026 And NumRif = 3 "
                   "Order By RigDet",
                   {"RigDet", "Descrizione", "QtaProv"}),
            "1:L1:<Null> 2:L2:<Null> 3:L3:4 4:L3:4 5:L3:2 6:L4:<Null> 7:L5:<Null> 8:L6:<Null>");
  d.txt(20).SetText(dati::demo::kArticoloLotti);
  d.miAnnoMag = 2026;
  d.CercaPartita();
  ASSERT_NE(d.mfrmLisPartLot, nullptr);
  auto& g = static_cast<ui::Griglia&>(d.mfrmLisPartLot->C("dbgLista"));
  // The demo company's two pairs and this one.
  ASSERT_EQ(g.NumRigheEsatto(), 3);
  std::string coppie;
  for (long i = 0; i < 3; ++i) coppie += g.TestoCella(i, 0) + "/" + g.TestoCella(i, 1) + " ";
  EXPECT_NE(coppie.find("P'1/%_*"), std::string::npos) << coppie;
  d.mfrmLisPartLot->Click(d.mfrmLisPartLot->C("ComAnnulla"));
  // Serials on the server: the line with serials still missing.
  Sql(std::string("Update DdtDettApp Set TipoRiga = 'A', Articolo = '") + dati::demo::kArticoloMatricole +
      "', Qta = 1, ValUnitario = 10, ValTotale = 10 Where NumRif = 3 And RigDet In (1, 2)");
  dati::GestRecordset rs;
  std::string k;
  for (const char* m : {"X'1", "X%2", "X*3"}) d.MatrIns(d.MatrRigLiv(dati::demo::kArticoloMatricole, rs, k, -1), m,
                                                        true, rs, k, "", "");
  rs.ChiudiRecordset(k);
  EXPECT_EQ(Elenco("Select RigLiv, count(*) as N from DdtMatrApp Where NumRif = 3 Group By RigLiv Order By RigLiv",
                   {"RigLiv", "N"}),
            "101:1 102:2");
  EXPECT_EQ(Elenco("Select RigLiv from DdtMatrApp Where NumRif = 3 And Matricola = 'X%2'", {"RigLiv"}), "101");
  EXPECT_EQ(Elenco("Select Qta from DdtDettApp Where NumRif = 3 And RigDet In (1, 2) Order By RigDet", {"Qta"}),
            "1 2");
}

}  // namespace
}  // namespace prova

// "CalcVuoti" on the demo company: the deposit lines of a stored DDT
// rebuilt from the packaging its article lines carry, one line per
// packaging article, the lines renumbered, the footer refreshed and saved;
// refused while the header holds changes; one transaction under the DDT's
// lock, so that a failure leaves every row as it was.
#include <string>
#include <vector>

#include "ddt/header/GanciProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/Transazioni.h"

namespace {

using Vuoti = prova::GanciProva;
namespace demo = dati::demo;

class VuotiDdt : public Vuoti {
 protected:
  void SetUp() override {
    Vuoti::SetUp();
    ParPers("DDT", "GestVuotiCauz", "S");
  }

  // The lines of DDT 3 as "RigDet:RigLiv:Articolo:Qta;" in display order.
  std::string Righe() {
    dati::GestRecordset rs;
    const std::string k =
        rs.ApriRecordset(*db_, conn_, "",
                         "Select RigDet, RigLiv, Articolo, Qta from DdtDett Where Anno = 2026 And NumRif = 3 "
                         "Order By RigDet",
                         false, 4);
    std::string v;
    for (; !rs.FineRec(k); rs.ProssimoRec(k))
      v += rs.LeggiCampo(k, "RigDet").ToString() + ":" + rs.LeggiCampo(k, "RigLiv").ToString() + ":" +
           rs.LeggiCampo(k, "Articolo").ToString() + ":" + rs.LeggiCampo(k, "Qta").ToString() + ";";
    rs.ChiudiRecordset(k);
    return v;
  }
  // The deposit lines of DDT 3 (article lines of a deposit article) as
  // "Articolo:Qta;" in display order.
  std::string Cauzioni() {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "",
        "Select DdtDett.Articolo, DdtDett.Qta from DdtDett inner join Articoli On DdtDett.Articolo = "
        "Articoli.Articolo Where Anno = 2026 And NumRif = 3 And Articoli.Cauzione = 'S' Order By RigDet",
        false, 4);
    std::string v;
    for (; !rs.FineRec(k); rs.ProssimoRec(k))
      v += rs.LeggiCampo(k, "Articolo").ToString() + ":" + rs.LeggiCampo(k, "Qta").ToString() + ";";
    rs.ChiudiRecordset(k);
    return v;
  }
  void Riga(int rigDet, int rigLiv, const std::string& articolo, double qta, const char* tipo = "A") {
    const auto& fc = vb::FunzioniComuni::Istanza();
    Sql("Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, UM, FatCon, ValUnitario, "
        "ValTotale, ValLire, ValEuro, Iva, FlScontoPag, Omaggio) Values (2026, 3, " +
        std::to_string(rigDet) + ", " + std::to_string(rigLiv) + ", '" + tipo + "', '" + articolo + "', " +
        fc.ValoreSql(vb::Variant(qta), vb::vbDouble) + ", 'PZ', 1, 1, " + fc.ValoreSql(vb::Variant(qta), vb::vbDouble) +
        ", 0, " + fc.ValoreSql(vb::Variant(qta), vb::vbDouble) + ", '22', 'N', 'N')");
  }
  void Articolo(const std::string& codice, const std::string& cauzione, const std::string& imballo, double pezzi) {
    Sql("Insert into Articoli (Articolo, Descrizione, ArtUMVen, FatConVen, IvaVendite, Cauzione, ArtImballo, "
        "PezziPerConf, GruppoMerVen, MastroMerVen, ContoMerVen) Values ('" +
        codice + "', 'Articolo " + codice + "', 'PZ', 1, '22', '" + cauzione + "', " +
        (imballo.empty() ? std::string("Null") : "'" + imballo + "'") + ", " + std::to_string(pezzi) +
        ", '60', '01', '0001')");
  }
  // DDT 3 emptied of its lines and their rows.
  void SvuotaDdt() {
    for (const char* t : {"DdtDett", "DdtLiv", "DdtMatr"}) Sql(std::string("Delete from ") + t + " Where Anno = 2026 And NumRif = 3");
    Sql("Delete from DdtRintraccia Where Anno = 2026 And NumReg = 3");
  }
  // The command as the user gives it, answering its question with `risposta`.
  void Calcola(frmDdtTest& f, int risposta = 1) {
    risposte_.assign(1, risposta);
    messaggi_.clear();
    f.ButtonComando("CalcVuoti");
    risposte_.clear();
  }
};

TEST_F(VuotiDdt, TheEditableDemoDdtGetsOneLineOfCratesAndOneOfPalletsAfterItsOtherLines) {
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string totPrima = Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3");
  Calcola(f);
  ASSERT_EQ(messaggi_.size(), 1u) << messaggi_.back();
  EXPECT_EQ(messaggi_[0], "Confermi ricalcolo cauzione");
  // The three lines keep their keys; the deposit lines follow, keys from 5.
  const std::string r = Righe();
  EXPECT_EQ(r.substr(0, r.find("5:")),
            "1:1:" + std::string(demo::kArticoloLotti) + ":6;2:3:" + demo::kArticoloPromo + ":24;3:4:" +
                demo::kArticoloEsente + ":1;4:");
  EXPECT_EQ(Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigDet In (4, 5) And "
                   "RigLiv In (5, 6)"),
            "2");
  EXPECT_EQ(Valore("Select Qta As V from DdtDett Where Anno = 2026 And NumRif = 3 And Articolo = 'CASSA'"),
            std::to_string(demo::kCasseDdtModificabile));
  EXPECT_EQ(Valore("Select Qta As V from DdtDett Where Anno = 2026 And NumRif = 3 And Articolo = 'BANCALE'"),
            std::to_string(demo::kBancaliDdtModificabile));
  // The line as written: unit, price of the header's list, totals, VAT and
  // account of the article.
  EXPECT_EQ(Valore("Select TipoRiga & '|' & UM & '|' & ValUnitario & '|' & ValTotale & '|' & ValEuro & '|' & Iva & "
                   "'|' & GruppoVen & MastroVen & ContoVen & '|' & SoggRitAcc & '|' & Promozione As V from DdtDett "
                   "Where Anno = 2026 And NumRif = 3 And Articolo = 'CASSA'"),
            "A|PZ|3|6|6|22|60010001|S|N");
  // Footer refreshed and saved; the DDT shown again, unchanged.
  const std::string totDopo = Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3");
  EXPECT_NE(totDopo, totPrima);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_FALSE(f.InVar());
  EXPECT_EQ(vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(f.lab(170).Caption())),
            vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(totDopo)));
  // No lock left, no transaction open.
  EXPECT_EQ(Valore("Select Count(*) As V from LockGest"), "0");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);

  // Run again: the same lines, not more.
  const std::string dopo = Righe();
  Calcola(f);
  EXPECT_EQ(Righe(), dopo);
}

TEST_F(VuotiDdt, PackagesAreCountedPerLineRoundedUpAndSummedPerPackagingArticle) {
  struct Linea {
    const char* articolo;
    double qta;
  };
  struct Caso {
    const char* nome;
    std::vector<Linea> righe;
    const char* attese;  // deposit lines after the run
  };
  // Articles: X12 and Y12 carry "P" and "p" at 12 a pack, Z0 carries "P"
  // with no pieces per pack, N carries nothing; P is the deposit article.
  const Caso casi[] = {
      {"P e p", {{"X12", 24}, {"Y12", 12}}, "P:3;"},
      {"arrotondamento per riga", {{"X12", 13}, {"X12", 13}}, "P:4;"},
      {"pezzi per confezione 0", {{"Z0", 5}}, "P:5;"},
      {"quantità negativa", {{"X12", 24}, {"X12", -36}}, "P:-1;"},
      {"totale zero", {{"X12", 12}, {"X12", -12}}, "P:0;"},
      {"cauzione a mano positiva sostituita", {{"X12", 12}, {"P", 7}}, "P:1;"},
      {"cauzione resa a mano resta", {{"X12", 12}, {"P", -2}}, "P:-2;P:1;"},
      {"nessun imballo", {{"N", 5}, {"P", 7}}, ""},
  };
  Articolo("P", "S", "", 1);
  Articolo("X12", "N", "P", 12);
  Articolo("Y12", "N", "p", 12);
  Articolo("Z0", "N", "P", 0);
  Articolo("N", "N", "", 1);
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    SvuotaDdt();
    int n = 0;
    for (const Linea& l : c.righe) {
      ++n;
      Riga(n, n, l.articolo, l.qta);
    }
    Mostra(f, demo::kDdtModificabile);
    Calcola(f);
    EXPECT_EQ(Cauzioni(), c.attese);
    Lascia(f);
  }
}

TEST_F(VuotiDdt, NoPackagingRemovesTheDepositLinesAndLeavesFooterAndHeaderAlone) {
  Sql("Update Articoli Set ArtImballo = Null");
  Riga(4, 5, demo::kArticoloCassa, 3);
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string tot = Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3");
  Calcola(f);
  EXPECT_EQ(Cauzioni(), "");
  EXPECT_EQ(Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3"), tot);
  // The deposit line was RigDet 4: the others are not renumbered.
  EXPECT_EQ(Valore("Select Max(RigDet) As V from DdtDett Where Anno = 2026 And NumRif = 3"), "3");
  EXPECT_EQ(Valore("Select Count(*) As V from LockGest"), "0");
}

TEST_F(VuotiDdt, WithoutTheSettingOrAnsweredAnnullaNothingHappens) {
  struct Caso {
    const char* impostazione;
    int risposta;
    size_t messaggi;
  };
  const Caso casi[] = {{"N", 1, 0}, {"", 1, 0}, {"S", 2, 1}, {"s", 2, 1}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.impostazione);
    ParPers("DDT", "GestVuotiCauz", c.impostazione);
    frmDdtTest& f = Finestra();
    Mostra(f, demo::kDdtModificabile);
    const std::string prima = Righe();
    Calcola(f, c.risposta);
    EXPECT_EQ(messaggi_.size(), c.messaggi);
    EXPECT_EQ(Righe(), prima);
    f.Unload();
  }
}

TEST_F(VuotiDdt, AltZReachesTheCommand) {
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  risposte_.assign(1, 2);
  messaggi_.clear();
  int tasto = 'Z';
  f.Form_KeyDown(tasto, ui::vbAltMask);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_[0], "Confermi ricalcolo cauzione");
}

TEST_F(VuotiDdt, AHeaderWithUnsavedChangesIsRefusedAndKeepsTheChanges) {
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string prima = Righe();
  f.txt(90).SetText("modifica in corso");
  ASSERT_TRUE(f.InVar());
  Calcola(f);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Salvare la testata prima di ricalcolare le cauzioni");
  EXPECT_EQ(Righe(), prima);
  EXPECT_EQ(f.txt(90).Text(), "modifica in corso");
  EXPECT_TRUE(f.InVar());
  EXPECT_EQ(Valore("Select RifCli As V from DdtTest Where Anno = 2026 And NumRif = 3"), "");
}

TEST_F(VuotiDdt, TheRowsOfADeletedDepositLineGoWithItSoAReissuedKeyInheritsNothing) {
  // A deposit line typed by hand, highest key 5, with a level row, a serial
  // number and a lot row under its key.
  Riga(4, 5, demo::kArticoloCassa, 9);
  Sql("Insert into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 5, 'S', 'BLU', 9)");
  Sql("Insert into DdtMatr (Anno, NumRif, RigLiv, Matricola, TipOpe) Values (2026, 3, 5, 'M-1', 'S')");
  Sql("Insert into DdtRintraccia (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, "
      "NrProgLotto, Qta, TipOpe) Values (2026, 3, 5, 'CASSA', '07', '01', '0004', 'L-1', 1, 9, 'S')");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  Calcola(f);
  // Key 5 is given again, to a new deposit line.
  EXPECT_EQ(Valore("Select Count(*) As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 5"), "1");
  for (const char* t : {"DdtLiv", "DdtMatr"})
    EXPECT_EQ(Valore(std::string("Select Count(*) As V from ") + t + " Where Anno = 2026 And NumRif = 3 And RigLiv = 5"),
              "0")
        << t;
  EXPECT_EQ(Valore("Select Count(*) As V from DdtRintraccia Where Anno = 2026 And NumReg = 3 And RigLiv = 5"), "0");
  // The oil's lot row stays.
  EXPECT_EQ(Valore("Select Count(*) As V from DdtRintraccia Where Anno = 2026 And NumReg = 3 And RigLiv = 1"), "1");
}

TEST_F(VuotiDdt, AFailureHalfWayLeavesEveryRowAsItWas) {
  // The oil's packaging article does not exist: the second deposit line
  // fails after the deletion, the renumbering and the first line.
  Sql("Update Articoli Set ArtImballo = 'NONCE' Where Articolo = '" + std::string(demo::kArticoloLotti) + "'");
  Sql("Update DdtDett Set RigDet = RigDet * 10 Where Anno = 2026 And NumRif = 3");
  Riga(15, 5, demo::kArticoloCassa, 9);
  Sql("Insert into DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 5, 'S', 'BLU', 9)");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string prima = Righe();
  const std::string tot = Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3");
  Calcola(f);
  ASSERT_EQ(messaggi_.size(), 2u);
  EXPECT_NE(messaggi_[1].find("NONCE"), std::string::npos) << messaggi_[1];
  EXPECT_EQ(Righe(), prima);
  EXPECT_EQ(Valore("Select Count(*) As V from DdtLiv Where Anno = 2026 And NumRif = 3 And RigLiv = 5"), "1");
  EXPECT_EQ(Valore("Select TotDocum As V from DdtTest Where Anno = 2026 And NumRif = 3"), tot);
  EXPECT_EQ(Valore("Select Count(*) As V from LockGest"), "0");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
}

TEST_F(VuotiDdt, ADdtInUseByAnotherUserIsRefusedAndNothingIsWritten) {
  Sql("Insert into LockGest (Tipo, Anno, NumReg, Utente, Stato, Gestione) Values ('D', 2026, 3, 'luigi', '6', 'D')");
  Riga(4, 5, demo::kArticoloCassa, 9);
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  const std::string prima = Righe();
  Calcola(f);
  ASSERT_EQ(messaggi_.size(), 2u);
  EXPECT_NE(messaggi_[1].find("in uso da"), std::string::npos) << messaggi_[1];
  EXPECT_NE(messaggi_[1].find("luigi"), std::string::npos) << messaggi_[1];
  EXPECT_EQ(Righe(), prima);
  // The other user's lock stays.
  EXPECT_EQ(Valore("Select Utente As V from LockGest"), "luigi");
}

// ---- one deposit line

TEST_F(VuotiDdt, TheDepositLinePriceComesFromTheHeaderListElseTheBaseListConverted) {
  struct Caso {
    const char* nome;
    const char* listino;       // header's list
    const char* moneta;        // header's currency
    const char* cambio;
    const char* prezzoListino; // CASSA on list 03, "" none
    double prezzo;             // unit price written
  };
  const Caso casi[] = {
      {"listino della testata", "03", "Euro", "1", "2,5", 2.5},
      // The list is in euro: the search brings it into the DDT currency
      // (operator "*": euro = dollars x rate).
      {"listino della testata, altra moneta", "03", "USD", "2", "2,5", 1.25},
      {"nessun listino: quello base", "", "Euro", "1", "", 3.0},
      {"listino senza prezzo: quello base", "03", "euro", "1", "", 3.0},
      {"prezzo base convertito", "03", "USD", "2", "", 1.5},
  };
  Param("Mag.ListinoPrincipale", demo::kListinoVendita);
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Sql("Delete from ArtListini Where Articolo = 'CASSA' And Listino = '03'");
    if (*c.prezzoListino)
      Sql("Insert into ArtListini (Articolo, Listino, Livello1, Livello2, DataInizio, DataFine, Prezzo, ScoSomSost) "
          "Values ('CASSA', '03', '~ç~', '~ç~', #2026-01-01#, #2026-12-31#, " +
          vb::Replace(c.prezzoListino, ",", ".") + ", 'L')");
    frmDdtTest& g = f;
    Mostra(g, demo::kDdtModificabile);
    g.txt(200).SetText(c.listino);
    g.txt(400).SetText(c.moneta);
    g.txt(410).SetText(c.cambio);
    g.msMonOper = "*";
    g.miNumDecMon = 2;
    int32_t rigDet = 10, rigLiv = 20;
    messaggi_.clear();
    try {
      g.CreoArtVuoto(demo::kArticoloCassa, 4, rigDet, rigLiv);
    } catch (const vb::Errore& e) {
      for (auto& m : messaggi_) ADD_FAILURE() << m;
      ADD_FAILURE() << e.what() << " cambio " << g.txt(410).Text() << " moneta " << g.txt(400).Text();
    }
    EXPECT_EQ(rigDet, 11);
    EXPECT_EQ(rigLiv, 21);
    const auto& fc = vb::FunzioniComuni::Istanza();
    EXPECT_DOUBLE_EQ(fc.ValDouble(vb::Variant(Valore(
                         "Select ValUnitario As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 21"))),
                     c.prezzo);
    EXPECT_DOUBLE_EQ(fc.ValDouble(vb::Variant(Valore(
                         "Select ValTotale As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 21"))),
                     c.prezzo * 4);
    EXPECT_EQ(Valore("Select RigDet As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 21"), "11");
    Sql("Delete from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 21");
    Lascia(g);
  }
}

TEST_F(VuotiDdt, TheDepositLineTakesFactorAccountAndCostCentreByItsArticle) {
  struct Caso {
    const char* nome;
    const char* fatCon;   // FatConVen of the article
    const char* gruppo;   // GruppoMerVen, "" empty
    const char* cdc;      // CDC of the account, "" none
    const char* atteso;   // FatCon|account|CentroDiCosto
  };
  const Caso casi[] = {
      {"fattore 0", "0", "60", "", "1|60010001|"},
      {"fattore negativo", "-2", "60", "", "1|60010001|"},
      {"fattore 6", "6", "60", "CDC1", "6|60010001|CDC1"},
      {"conto della ditta", "1", "", "", "1|61020009|"},
  };
  Param("CauCon.GruppoVen", "61");
  Param("CauCon.MastroVen", "02");
  Param("CauCon.ContoVen", "0009");
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  int32_t rigDet = 10, rigLiv = 20;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Sql(std::string("Update Articoli Set FatConVen = ") + c.fatCon + ", GruppoMerVen = " +
        (*c.gruppo ? std::string("'") + c.gruppo + "'" : std::string("Null")) + " Where Articolo = 'CASSA'");
    Sql(std::string("Update PianoConti Set CDC = ") + (*c.cdc ? std::string("'") + c.cdc + "'" : std::string("Null")) +
        " Where Gruppo = '60' And Mastro = '01' And Conto = '0001'");
    f.CreoArtVuoto(demo::kArticoloCassa, -2, rigDet, rigLiv);
    EXPECT_EQ(Valore("Select FatCon & '|' & GruppoVen & MastroVen & ContoVen & '|' & CentroDiCosto As V from DdtDett "
                     "Where Anno = 2026 And NumRif = 3 And RigLiv = " +
                     std::to_string(rigLiv)),
              c.atteso);
    EXPECT_EQ(Valore("Select Qta As V from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = " +
                     std::to_string(rigLiv)),
              "-2");
  }
}

}  // namespace

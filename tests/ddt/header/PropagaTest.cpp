// Header changes carried to the stored lines when a stored DDT is saved:
// the discount chains and amounts, the contract, the re-valuation after a
// change of rate with its progress window, and the save as one
// transaction: a step that fails (its rows held by another connection on
// the server, refused by the file) leaves the header, the lines and the
// level rows as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/MotoreOdbc.h"
#include "platform/dati/Transazioni.h"

namespace {

namespace demo = dati::demo;

// The test bench's backend that also notes what the busy window showed.
class BackendElab : public prova::BackendTestata {
 public:
  std::vector<std::string> elab;  // "message/total" at each show
  void FormMostrata(ui::Form& f) override {
    prova::BackendTestata::FormMostrata(f);
    if (f.Name() != "frmInElab") return;
    const ui::Controllo* m = f.Trova("LabMsgElab");
    const ui::Controllo* n = f.Trova("labDaFare");
    elab.push_back((m ? m->Caption() : std::string()) + "/" + (n ? n->Caption() : std::string()));
  }
};

class Propagazione : public prova::TestataProva {
 protected:
  void SetUp() override {
    TestataProva::SetUp();
    elab_.rispondi = backend_.rispondi;
    ui::ImpostaBackend(&elab_);
  }

  std::string Valore(const std::string& sql, const std::string& campo) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    std::string v = "<nessuna riga>";
    if (!rs.NessunRecord(k)) {
      const vb::Variant x = rs.LeggiCampoNull(k, campo);
      v = x.IsNull() ? "<Null>" : x.ToString();
    }
    rs.ChiudiRecordset(k);
    return v;
  }
  std::string Riga(long numRif, long rigLiv, const std::string& campo) {
    return Valore("Select " + campo + " from DdtDett Where Anno = 2026 AND NumRif = " + std::to_string(numRif) +
                      " AND RigLiv = " + std::to_string(rigLiv),
                  campo);
  }
  double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }

  // Every row of a DDT that the save may touch, as one text.
  std::string Fotografia(long numRif) {
    const std::string n = std::to_string(numRif);
    std::string out;
    auto righe = [&](const std::string& sql, const std::vector<std::string>& campi) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
      for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
        for (const auto& c : campi) {
          const vb::Variant v = rs.LeggiCampoNull(k, c);
          out += v.IsNull() ? "<Null>" : v.ToString();
          out += "|";
        }
        out += "\n";
      }
      rs.ChiudiRecordset(k);
    };
    righe("Select * from DdtTest Where Anno = 2026 AND NumRif = " + n,
          {"RifCli", "Iva", "ScontoCli", "ScontoPag", "ScoPagSuDett", "Contratto", "TipoProvv", "PercProvv1",
           "PercProvv2", "Moneta", "Cambio", "Peso"});
    righe("Select * from DdtDett Where Anno = 2026 AND NumRif = " + n + " Order By RigDet",
          {"RigDet", "Iva", "ScontoCli", "ScontoTot", "Contratto", "PercProvv1", "PercProvv2", "ValTotale", "ValLire",
           "ValEuro"});
    righe("Select * from DdtLiv Where Anno = 2026 AND NumRif = " + n + " Order By RigLiv, Livello1, Livello2",
          {"RigLiv", "Livello1", "ScontoTot", "ValTotale", "ValLire", "ValEuro"});
    righe("Select * from DdtSpese Where Anno = 2026 AND NumRif = " + n + " Order By Riga", {"Riga", "Iva"});
    return out;
  }

  bool MessaggioCon(const std::string& parte) {
    for (const auto& m : messaggi_)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }

  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    risposte_.clear();
    elab_.elab.clear();
    SetUp();
  }

  BackendElab elab_;
};

// ------------------------------------------------------------ questions

TEST_F(Propagazione, TheSaveAsksOnlyWhereAChangeCanReachTheLines) {
  struct Caso {
    const char* nome;
    std::vector<std::pair<int, const char*>> campi;  // on the shown DDT 3
    int casella235;                                  // -1 untouched
    std::vector<int> risposte;
    std::vector<std::string> domande;  // the first line of each question
    bool iva, cli, pag, contratto;
    int16_t provv1, provv2;
  };
  const Caso casi[] = {
      {"iva vuotata", {{270, ""}}, -1, {}, {}, false, false, false, false, 0, 0},
      {"iva no", {{270, "10"}}, -1, {2}, {"Modificato codice Iva"}, false, false, false, false, 0, 0},
      {"sconto, casella spuntata",
       {{240, "7"}},
       1,
       {1},
       {"Modificato Sconto Cliente o Flag Sconto pagamento"},
       false, true, true, false, 0, 0},
      {"sconto pagamento", {{230, "3"}, {235, "S"}}, -2, {1}, {"Modificato Sconto Cliente o Sconto pagamento"},
       false, false, true, false, 0, 0},
      {"contratto", {{1400, "K1"}}, -1, {1}, {"Modificato Contratto"}, false, false, false, true, 0, 0},
      {"provvigioni A e N", {{470, "A"}, {515, "N"}, {490, "9"}, {510, "9"}}, -1, {}, {}, false, false, false,
       false, 0, 0},
      {"provvigioni C e G", {{470, "C"}, {515, "G"}, {490, "9"}, {510, "9"}}, -1, {2}, {"Modificato Provvigione"},
       false, false, false, false, 2, 2},
      {"solo il secondo", {{470, "C"}, {515, "G"}, {510, "9"}}, -1, {1}, {"Modificato Provvigione"}, false, false,
       false, false, 0, 1},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Riparti();
    Sql("Update DdtTest Set ScoPagSuDett = 'S' Where Anno = 2026 AND NumRif = 3 AND 1 = " +
        std::string(c.casella235 == -2 ? "1" : "0"));
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    if (c.casella235 >= 0) f.C("che", 235).SetValue(c.casella235);
    for (const auto& [campo, valore] : c.campi) f.txt(campo).SetText(valore);
    if (c.casella235 == -2) f.C("che", 235).SetValue(1);
    risposte_.assign(c.risposte.begin(), c.risposte.end());
    messaggi_.clear();
    f.ChiediCambi();
    ASSERT_EQ(messaggi_.size(), c.domande.size());
    for (size_t i = 0; i < c.domande.size(); ++i) EXPECT_EQ(messaggi_[i].substr(0, c.domande[i].size()), c.domande[i]);
    EXPECT_EQ(f.mbAggIvaRighe, c.iva);
    EXPECT_EQ(f.mbAggScoCliRighe, c.cli);
    EXPECT_EQ(f.mbAggScoPagRighe, c.pag);
    EXPECT_EQ(f.mbAggContrattoRighe, c.contratto);
    EXPECT_EQ(f.miAggProvv1Righe, c.provv1);
    EXPECT_EQ(f.miAggProvv2Righe, c.provv2);
  }
}

// ------------------------------------------------------- discount chains

TEST_F(Propagazione, TheNetUnitPriceIsRoundedOrNotByTheIntermediateRoundingSetting) {
  struct Caso {
    bool arrotonda;
    double totale;
  };
  // 9.99 less 33 % is 6.6933: 6.69 x 3 = 20.07 rounded, 20.0799 -> 20.08 not.
  for (const Caso& c : {Caso{true, 20.07}, Caso{false, 20.08}}) {
    SCOPED_TRACE(c.arrotonda);
    Riparti();
    G().gbArrUnitIntermedio = c.arrotonda;
    Sql("Update DdtDett Set Qta = 3, ValUnitario = 9.99, ScontoArt = Null, ScontoCli = Null, ScontoQuant = Null, "
        "ScontoTab = Null, FlScontoPag = 'N' Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
        std::to_string(demo::kRigLivBiscotti));
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.txt(240).SetText("33");
    f.msScontoCliPrec = "";
    f.miNumDecMon = 2;
    f.miNumDecMonGes = 2;
    f.mbAggScoCliRighe = true;
    bool righe = false, piede = false;
    ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
    EXPECT_EQ(Riga(3, demo::kRigLivBiscotti, "ScontoTot"), "33");
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivBiscotti, "ValTotale")), c.totale);
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivBiscotti, "ValEuro")), c.totale);
  }
}

TEST_F(Propagazione, TheChainJoinsTheLinesDiscountsInTheirOrder) {
  struct Caso {
    const char* articolo;
    const char* cliente;
    const char* quantita;
    const char* tabella;
    const char* atteso;
  };
  const Caso casi[] = {{"10", "5", "0", "", "10+5"},
                       {"10", "-2", "0", "", "10-2"},
                       {"", "5", "", "3", "5+3"},
                       {"10", "", "0", "", "10"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.atteso);
    Riparti();
    Sql(std::string("Update DdtDett Set ScontoArt = '") + c.articolo + "', ScontoCli = Null, ScontoQuant = '" +
        c.quantita + "', ScontoTab = '" + c.tabella + "' Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
        std::to_string(demo::kRigLivOlio));
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.txt(240).SetText(c.cliente);
    f.msScontoCliPrec = "";
    f.mbAggScoCliRighe = true;
    bool righe = false, piede = false;
    ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
    EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), c.atteso);
  }
}

TEST_F(Propagazione, ALineWithNoQuantityKeepsItsAmountAndGetsItsTwinsAgain) {
  Sql("Update DdtDett Set Qta = 0, ValTotale = 50, ValLire = 0, ValEuro = 0 Where Anno = 2026 AND NumRif = 3 AND "
      "RigLiv = " +
      std::to_string(demo::kRigLivOlio));
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(240).SetText("5");
  f.msScontoCliPrec = "";
  f.mbAggScoCliRighe = true;
  bool righe = false, piede = false;
  ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede));
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "ScontoTot"), "5+3");
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValTotale")), 50);
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValEuro")), 50);
  EXPECT_GT(Numero(Riga(3, demo::kRigLivOlio, "ValLire")), 96000);
}

TEST_F(Propagazione, ALevelLineWithoutLevelRowsKeepsItsAmount) {
  G().gsGesTaglie = "S";
  Sql("Delete from DdtLiv Where Anno = 2026 AND NumRif = 2 AND RigLiv = " + std::to_string(demo::kRigLivPantaloni));
  const std::string prima = Riga(2, demo::kRigLivPantaloni, "ValTotale");
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  f.txt(240).SetText("15");
  f.msScontoCliPrec = "10";
  f.mbAggScoCliRighe = true;
  bool righe = false, piede = false;
  ASSERT_TRUE(f.VerAggCambioScoCli(righe, piede)) << (messaggi_.empty() ? "" : messaggi_.back());
  EXPECT_EQ(Riga(2, demo::kRigLivPantaloni, "ScontoTot"), "15");
  EXPECT_EQ(Riga(2, demo::kRigLivPantaloni, "ValTotale"), prima);
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValTotale")), 178.50);
}

// -------------------------------------------------------- commissions

TEST_F(Propagazione, EqualLinesOfAnEmptyOldPercentageAreThoseWithoutOne) {
  struct Caso {
    const char* prima;
    int16_t modo;
    double olio, biscotti, corso;  // before: 3, 3 and Null
  };
  const Caso casi[] = {{"", 2, 3, 3, 6}, {"0", 2, 3, 3, 6}, {"3", 2, 6, 6, 0}, {"", 1, 6, 6, 6}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.prima) + "/" + std::to_string(c.modo));
    Riparti();
    Sql("Update DdtDett Set PercProvv1 = Null Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
        std::to_string(demo::kRigLivCorso));
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.txt(490).SetText("6");
    f.AggCambioProvv("1", c.prima, "6", c.modo);
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "PercProvv1")), c.olio);
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivBiscotti, "PercProvv1")), c.biscotti);
    EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivCorso, "PercProvv1")), c.corso);
  }
}

// ------------------------------------------------------------- contract

TEST_F(Propagazione, AnEmptiedContractLeavesTheLinesWithoutOneAndNoWarning) {
  Sql("Update DdtTest Set Contratto = 'K1' Where Anno = 2026 AND NumRif = 3");
  Sql("Update DdtDett Set Contratto = 'K1' Where Anno = 2026 AND NumRif = 3");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  ASSERT_EQ(f.msContrattoPrec, "K1");
  f.txt(1400).SetText("");
  risposte_ = {1};
  messaggi_.clear();
  f.ogComPag().EseguiTasto("Salva");
  ASSERT_TRUE(MessaggioCon("Modificato Contratto"));
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "Contratto"), "<Null>");
  EXPECT_EQ(Riga(3, demo::kRigLivCorso, "Contratto"), "<Null>");
  EXPECT_FALSE(f.label1(1402).Visible());
  EXPECT_EQ(f.msContrattoPrec, "");

  // A contract given again reaches those lines, and those left with an
  // empty text by an older save too.
  Sql("Update DdtDett Set Contratto = '' Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
      std::to_string(demo::kRigLivCorso));
  f.txt(1400).SetText("K2");
  risposte_ = {1};
  f.ogComPag().EseguiTasto("Salva");
  EXPECT_EQ(Riga(3, demo::kRigLivOlio, "Contratto"), "K2");
  EXPECT_EQ(Riga(3, demo::kRigLivCorso, "Contratto"), "K2");
  EXPECT_FALSE(f.label1(1402).Visible());
}

// ----------------------------------------------------- rate re-valuation

TEST_F(Propagazione, ARateOfTwoInsteadOfOneAndAHalfHalvesTheEuroAmounts) {
  G().gsGesTaglie = "S";
  G().giNumDecLire = demo::kDecimaliLira;
  Sql("Update Monete Set Operatore = '/' Where Moneta = 'USD'");
  Sql("Update DdtTest Set Moneta = 'USD', Cambio = 1.5 Where Anno = 2026 AND NumRif = 2");
  Sql("Update DdtDett Set ValTotale = 300, ValEuro = 200 Where Anno = 2026 AND NumRif = 2 AND RigLiv = " +
      std::to_string(demo::kRigLivMaglia));
  Sql("Update DdtLiv Set ValTotale = 30, ValEuro = 20 Where Anno = 2026 AND NumRif = 2");
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  ASSERT_EQ(f.msMonOper, "/");
  ASSERT_DOUBLE_EQ(Numero(f.msCambioPrec), 1.5);
  f.txt(410).SetText("2");
  bool righe = false;
  elab_.elab.clear();
  ASSERT_TRUE(f.AggModCambio(righe));
  EXPECT_TRUE(righe);
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValEuro")), 150.00);
  // The lira from the euro at the fixed rate, to the lira's decimals.
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValLire")), 290441);
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValTotale")), 300);
  EXPECT_DOUBLE_EQ(Numero(Valore("Select Max(ValEuro) as M from DdtLiv Where Anno = 2026 AND NumRif = 2", "M")), 15);
  EXPECT_DOUBLE_EQ(Numero(Valore("Select Min(ValEuro) as M from DdtLiv Where Anno = 2026 AND NumRif = 2", "M")), 15);
  // One pass for the lines, one for the level rows; the window goes.
  const long livelli = std::stol(Valore("Select count(*) as N from DdtLiv Where Anno = 2026 AND NumRif = 2", "N"));
  const long articoli = std::stol(Valore(
      "Select count(*) as N from DdtDett Where Anno = 2026 AND NumRif = 2 AND (TipoRiga = 'A' OR TipoRiga = 'M')", "N"));
  ASSERT_EQ(elab_.elab.size(), 2u);
  EXPECT_EQ(elab_.elab[0], "Calcolo cambio dettagli/" + std::to_string(articoli));
  EXPECT_EQ(elab_.elab[1], "Calcolo cambio dettagli-livelli/" + std::to_string(livelli));
  for (ui::Form* w : ui::Forms()) EXPECT_NE(w->Name(), "frmInElab");
}

TEST_F(Propagazione, ASameRateValueReValuesNothing) {
  struct Caso {
    const char* moneta;
    const char* cambio;
    const char* taglie;
    bool rivaluta;
    size_t passate;
  };
  const Caso casi[] = {{"USD", "1,5", "S", false, 0},   // the currency alone
                       {"Euro", "1,50", "S", false, 0},  // the same value typed otherwise
                       {"Euro", "2", "N", true, 1},      // no levels: one pass
                       {"Euro", "2", "S", true, 2}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.moneta) + " " + c.cambio + " " + c.taglie);
    Riparti();
    G().gsGesTaglie = c.taglie;
    Sql("Update DdtTest Set Cambio = 1.5 Where Anno = 2026 AND NumRif = 2");
    Sql("Update DdtDett Set ValEuro = 1, ValLire = 1 Where Anno = 2026 AND NumRif = 2");
    Sql("Update DdtLiv Set ValEuro = 1 Where Anno = 2026 AND NumRif = 2");
    frmDdtTest& f = Mostra(demo::kDdtStampato);
    f.txt(400).SetText(c.moneta);
    f.txt(410).SetText(c.cambio);
    f.msMonOper = "*";
    elab_.elab.clear();
    bool righe = false;
    ASSERT_TRUE(f.AggModCambio(righe));
    EXPECT_EQ(righe, c.rivaluta);
    EXPECT_EQ(elab_.elab.size(), c.passate);
    // A euro DDT: the euro amount is the amount, whatever the rate.
    const double euro = Numero(Riga(2, demo::kRigLivMaglia, "ValEuro"));
    EXPECT_EQ(euro == 1, !c.rivaluta);
    const double liv = Numero(Valore("Select Max(ValEuro) as M from DdtLiv Where Anno = 2026 AND NumRif = 2", "M"));
    EXPECT_EQ(liv == 1, c.passate < 2);
  }
}

TEST_F(Propagazione, DescriptiveAndCommandLinesKeepTheirTwins) {
  Sql("Update DdtDett Set TipoRiga = 'C', ValEuro = 7, ValLire = 7 Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
      std::to_string(demo::kRigLivCorso));
  Sql("Update DdtDett Set TipoRiga = 'D', ValEuro = 8, ValLire = 8 Where Anno = 2026 AND NumRif = 3 AND RigLiv = " +
      std::to_string(demo::kRigLivBiscotti));
  Sql("Update DdtTest Set Cambio = 1.5 Where Anno = 2026 AND NumRif = 3");
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.txt(410).SetText("2");
  bool righe = false;
  ASSERT_TRUE(f.AggModCambio(righe));
  EXPECT_EQ(Riga(3, demo::kRigLivCorso, "ValEuro"), "7");
  EXPECT_EQ(Riga(3, demo::kRigLivBiscotti, "ValEuro"), "8");
  EXPECT_DOUBLE_EQ(Numero(Riga(3, demo::kRigLivOlio, "ValEuro")), Numero(Riga(3, demo::kRigLivOlio, "ValTotale")));
}

// ------------------------------------------------------ the whole save

TEST_F(Propagazione, OneSaveCarriesEveryAgreedChangeAndCommitsIt) {
  G().gsGesTaglie = "S";
  Sql("Update DdtTest Set Cambio = 1 Where Anno = 2026 AND NumRif = 2");
  frmDdtTest& f = Mostra(demo::kDdtStampato);
  auto& barra = f.ogComPag();
  f.txt(270).SetText(demo::kIva10);
  f.txt(240).SetText("15");
  f.txt(1400).SetText("K7");
  f.txt(470).SetText("C");
  f.txt(490).SetText("7");
  f.txt(410).SetText("2");
  f.txt(90).SetText("tutto");
  // VAT yes, discount yes, contract no, commissions "&Tutte".
  risposte_ = {1, 1, 2, 1};
  messaggi_.clear();
  EXPECT_EQ(barra.EseguiTasto("Salva").ToString(), "");
  EXPECT_TRUE(MessaggioCon("Modificato codice Iva"));
  EXPECT_TRUE(MessaggioCon("Modificato Sconto Cliente"));
  EXPECT_TRUE(MessaggioCon("Modificato Contratto"));
  EXPECT_TRUE(MessaggioCon("Modificato Provvigione"));
  EXPECT_FALSE(MessaggioCon("Errore("));
  EXPECT_EQ(Valore("Select RifCli from DdtTest Where Anno = 2026 AND NumRif = 2", "RifCli"), "tutto");
  EXPECT_EQ(Riga(2, demo::kRigLivMaglia, "Iva"), demo::kIva10);
  EXPECT_EQ(Riga(2, demo::kRigLivMaglia, "ScontoTot"), "15");
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "ValTotale")), 178.50);
  EXPECT_EQ(Riga(2, demo::kRigLivMaglia, "Contratto"), "<Null>");
  EXPECT_DOUBLE_EQ(Numero(Riga(2, demo::kRigLivMaglia, "PercProvv1")), 7);
  // Committed: the flags are down, the snapshot is the saved header, no
  // transaction is left open.
  EXPECT_FALSE(f.mbAggIvaRighe || f.mbAggScoCliRighe || f.mbAggContrattoRighe || f.miAggProvv1Righe != 0);
  EXPECT_FALSE(f.mbTransSalva);
  EXPECT_EQ(f.msScontoCliPrec, "15");
  EXPECT_EQ(f.msCambioPrec, "2");
  EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  EXPECT_EQ(barra.TransPropria(), -1);
}

// ------------------------------------------- one transaction, both engines

enum class Motore { SQLite, Server };

struct Passo {
  const char* nome;
  const char* tabella;  // the table whose rows are held
  std::vector<std::pair<int, const char*>> campi;
  std::vector<int> risposte;
  const char* domanda;
};

class PropagaTransazione : public Propagazione, public ::testing::WithParamInterface<Motore> {
 protected:
  void SetUp() override {
    if (GetParam() == Motore::Server) {
      if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      attesaPrec_ = dati::AttesaBloccoServerMs();
      dati::ImpostaAttesaBloccoServerMs(300);
    }
    Propagazione::SetUp();
    if (GetParam() == Motore::Server) {
      ASSERT_TRUE(ApriSuServer(server_));
    }
    G().gsGesTaglie = "S";
  }
  void TearDown() override {
    Libera();
    Propagazione::TearDown();
    db_.reset();
    server_.reset();
    if (attesaPrec_ >= 0) dati::ImpostaAttesaBloccoServerMs(attesaPrec_);
  }

  // Another connection holds the rows of the DDT in `tabella` (on the
  // server); the file, whose write lock the save itself holds, refuses
  // every change to that table instead.
  void Blocca(const std::string& tabella) {
    if (GetParam() == Motore::Server) {
      altra_ = server_->Apri();
      altra_->IniziaTransazione();
      altra_->Interroga("SELECT * FROM " + tabella + " WHERE anno = 2026 AND numrif = 2 FOR UPDATE");
    } else {
      db_->Motore(conn_).Esegui("CREATE TRIGGER blocco BEFORE UPDATE ON " + tabella +
                                " BEGIN SELECT RAISE(ABORT, 'righe in uso da un altro programma'); END");
    }
  }
  void Libera() {
    if (altra_) {
      try {
        altra_->AnnullaTransazione();
      } catch (...) {
      }
      altra_.reset();
    } else if (db_ && GetParam() == Motore::SQLite) {
      try {
        db_->Motore(conn_).Esegui("DROP TRIGGER IF EXISTS blocco");
      } catch (...) {
      }
    }
  }

  std::unique_ptr<prova::DatabaseServer> server_;
  std::unique_ptr<dati::Connessione> altra_;
  int attesaPrec_ = -1;
};

TEST_P(PropagaTransazione, AStepThatFailsLeavesHeaderLinesAndLevelRowsAsBefore) {
  const Passo passi[] = {
      {"iva", "DdtDett", {{270, demo::kIva10}}, {1}, "Modificato codice Iva"},
      {"sconto", "DdtLiv", {{240, "15"}}, {1}, "Modificato Sconto Cliente"},
      {"sconto, righe", "DdtDett", {{240, "15"}}, {1}, "Modificato Sconto Cliente"},
      {"contratto", "DdtDett", {{1400, "K7"}}, {1}, "Modificato Contratto"},
      {"provvigione", "DdtDett", {{470, "C"}, {490, "7"}}, {1}, "Modificato Provvigione"},
      {"cambio, livelli", "DdtLiv", {{410, "2"}}, {}, nullptr},
      {"cambio", "DdtDett", {{410, "2"}}, {}, nullptr},
  };
  bool primo = true;
  for (const Passo& p : passi) {
    SCOPED_TRACE(p.nome);
    if (!primo) Riparti();
    primo = false;
    frmDdtTest& f = Mostra(demo::kDdtStampato);
    auto& barra = f.ogComPag();
    const std::string prima = Fotografia(demo::kDdtStampato);
    for (const auto& [campo, valore] : p.campi) f.txt(campo).SetText(valore);
    f.txt(90).SetText("non salvato");
    Blocca(p.tabella);
    risposte_.assign(p.risposte.begin(), p.risposte.end());
    messaggi_.clear();
    barra.EseguiTasto("Salva");
    Libera();
    if (p.domanda) {
      EXPECT_TRUE(MessaggioCon(p.domanda));
    }
    EXPECT_TRUE(MessaggioCon("Errore(")) << (messaggi_.empty() ? "" : messaggi_.back());
    EXPECT_EQ(Fotografia(demo::kDdtStampato), prima);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_EQ(barra.TransPropria(), -1);
    EXPECT_FALSE(f.mbTransSalva);
    for (ui::Form* w : ui::Forms()) EXPECT_NE(w->Name(), "frmInElab");

    // The rows free again, the same edit saves.
    risposte_.assign(p.risposte.begin(), p.risposte.end());
    messaggi_.clear();
    barra.EseguiTasto("Salva");
    EXPECT_FALSE(MessaggioCon("Errore(")) << (messaggi_.empty() ? "" : messaggi_.back());
    EXPECT_EQ(Valore("Select RifCli from DdtTest Where Anno = 2026 AND NumRif = 2", "RifCli"), "non salvato");
    EXPECT_NE(Fotografia(demo::kDdtStampato), prima);
  }
}

INSTANTIATE_TEST_SUITE_P(Motori, PropagaTransazione, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace

// The before-hooks of the line page, driven as the user drives the page:
// the totals kept by difference, the rows a changed article loses, the
// refusals of a save and of a printed DDT, the new line.
#include <gtest/gtest.h>

#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/Recordset.h"

namespace prova {
namespace {
using namespace dati::demo;

class Prima : public RigheProva {
 protected:
  const vb::FunzioniComuni& fc = vb::FunzioniComuni::Istanza();

  // The sums of the counted lines of the working copy, as the strip's full
  // count makes them.
  double Somma(long numRif, const char* colonna) {
    const std::string v = Valore(std::string("Select Sum(") + colonna + ") as S from DdtDettApp Where Anno = 2026 "
                                 "And NumRif = " + std::to_string(numRif) +
                                 " And Omaggio = 'N' And (TipoRiga = 'A' Or TipoRiga = 'M')",
                                 "S");
    return v == "<nessuna riga>" ? 0 : fc.ValDouble(vb::Variant(v), true);
  }
  // The strip as a refresh shows it.
  void Semina(frmDDTDett& d, long numRif) {
    d.lab(280).SetCaption(fc.MascheraNum(vb::Variant(Somma(numRif, "ValTotale")), d.oiNumDecMon, {}, false, "#,##^", 0,
                                         "", "0"));
    d.lab(285).SetCaption(fc.MascheraNum(vb::Variant(Somma(numRif, "Qta")), G().giNumDecQtaMag, {}, false, "#,##0", 0,
                                         "", "^"));
  }
  // The strip equals the full count, and the full count leaves it as it is.
  void AttesoTotali(frmDDTDett& d, long numRif, const std::string& passo) {
    EXPECT_NEAR(fc.ValDouble(vb::Variant(d.lab(280).Caption()), true), Somma(numRif, "ValTotale"), 0.005) << passo;
    EXPECT_NEAR(fc.ValDouble(vb::Variant(d.lab(285).Caption()), true), Somma(numRif, "Qta"), 0.0005) << passo;
    const std::string merce = d.lab(280).Caption(), qta = d.lab(285).Caption();
    d.CalcTotDocum();
    EXPECT_EQ(d.lab(280).Caption(), merce) << passo;
    EXPECT_EQ(d.lab(285).Caption(), qta) << passo;
  }
  // The page on the line of that display number.
  void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
    ASSERT_EQ(d.txt(10).Text(), std::to_string(rigDet));
  }
  std::string Conta(const std::string& tabella, long numRif, long rigLiv, const char* numCol = "NumRif") {
    return Valore("Select Count(*) as N from " + tabella + " Where Anno = 2026 And " + numCol + " = " +
                      std::to_string(numRif) + " And RigLiv = " + std::to_string(rigLiv),
                  "N");
  }
  // The bodies run on the file and on the server.
  void ProvaTotali();
  void ProvaStampato();
  bool Detto(const std::string& testo) const {
    for (const auto& m : messaggi_)
      if (m.find(testo) != std::string::npos) return true;
    return false;
  }
};

// Each step edits the boxes of a line as the user does and saves it (or
// deletes it); after each the strip equals the full count.
void Prima::ProvaTotali() {
  // The exempt line has no free-goods flag: the full count leaves it out.
  Sql("Update DdtDett Set Omaggio = Null Where Anno = 2026 And NumRif = 3 And RigDet = 3");
  frmDDTDett& d = Righe(kDdtModificabile);
  Semina(d, kDdtModificabile);
  auto& p = d.ogLinPag();
  struct Passo {
    const char* nome;
    int riga;  // 0 = a new line
    std::vector<std::pair<int, const char*>> caselle;
  };
  const std::vector<Passo> passi = {
      {"quantity and amount of a counted line", 1, {{30, "10"}, {70, "400"}}},
      {"a line without free-goods flag", 3, {{30, "2"}, {70, "360"}}},
      {"a counted line becomes free goods", 1, {{170, "S"}}},
      {"free goods counted again", 1, {{170, "N"}, {70, "410"}}},
      {"a counted line becomes descriptive", 2, {{18, "D"}}},
      {"a new article line", 0, {{18, "A"}, {20, kArticoloViti}, {23, "Viti"}, {30, "5"}, {70, "12,5"}, {170, "N"},
                                 {130, "22"}, {140, "PZ"}, {150, "1"}}},
      {"a new free line", 0, {{18, "A"}, {20, kArticoloViti}, {23, "Viti"}, {30, "7"}, {70, "9"}, {170, "S"},
                              {130, "22"}, {140, "PZ"}, {150, "1"}}},
  };
  for (const Passo& s : passi) {
    if (s.riga) Vai(d, s.riga);
    else ASSERT_EQ(p.EseguiTasto("Nuovo"), "") << s.nome;
    for (const auto& [n, v] : s.caselle) d.txt(n).SetText(v);
    ASSERT_EQ(d.ButtonComando("Salva").ToString(), "") << s.nome << (messaggi_.empty() ? "" : messaggi_.back());
    AttesoTotali(d, kDdtModificabile, s.nome);
  }
}

// The boxes need not show the row going: here they hold line 1 with an
// unsaved free-goods flag while lines 1 (counted) and 2 (free goods) go.
TEST_F(Prima, DeletingLinesTakesOffTheAmountsOfTheRowsDeletedNotOfTheBoxes) {
  Sql("Update DdtDett Set Omaggio = 'S' Where Anno = 2026 And NumRif = 3 And RigDet = 2");
  // Line 1 came from the customer's order, which forbids deleting it.
  Sql("Update DdtDett Set AnnoRifProv = 0, NumRifProv = 0 Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  frmDDTDett& d = Righe(kDdtModificabile);
  Semina(d, kDdtModificabile);
  auto& p = d.ogLinPag();
  dati::Recordset* rs = p.Recordset();
  std::vector<std::string> segni;
  for (int r : {0, 1}) {
    rs->SetAbsolutePosition(r);
    segni.push_back(rs->Bookmark());
  }
  Vai(d, 1);
  d.txt(170).SetText("S");
  p.SelBookmarks() = segni;
  risposteBox_.push_back(vb::vbYes);
  p.EseguiTasto("Cancella");
  EXPECT_EQ(Valore("Select Count(*) as N from DdtDettApp Where Anno = 2026 And NumRif = 3", "N"), "1");
  AttesoTotali(d, kDdtModificabile, "after the delete");
}

TEST_F(Prima, DeletingALineDeletesItsLevelSerialAndLotRows) {
  // Line 1 came from the customer's order, which forbids deleting it.
  Sql("Update DdtDett Set AnnoRifProv = 0, NumRifProv = 0 Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  frmDDTDett& d = Righe(kDdtModificabile);
  Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 1, 'S', 'BLU', 1)");
  Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola, TipOpe) Values (2026, 3, 1, 'M1', 'S')");
  Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola, TipOpe) Values (2026, 3, 3, 'M2', 'S')");
  ASSERT_EQ(Conta("DdtRintracciaApp", 3, kRigLivOlio, "NumReg"), "1");
  Vai(d, 1);
  risposteBox_.push_back(vb::vbYes);
  d.ogLinPag().EseguiTasto("Cancella");
  EXPECT_EQ(Conta("DdtLivApp", 3, kRigLivOlio), "0");
  EXPECT_EQ(Conta("DdtMatrApp", 3, kRigLivOlio), "0");
  EXPECT_EQ(Conta("DdtRintracciaApp", 3, kRigLivOlio, "NumReg"), "0");
  EXPECT_EQ(Conta("DdtMatrApp", 3, kRigLivBiscotti), "1");
}

TEST_F(Prima, AStoredLineWhoseArticleChangesLosesItsLevelAndSerialRowsOnly) {
  frmDDTDett& d = Righe(kDdtModificabile);
  Sql("Insert Into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, Qta) Values (2026, 3, 1, 'S', 'BLU', 1)");
  Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola, TipOpe) Values (2026, 3, 1, 'M1', 'S')");
  Sql("Insert Into DdtMatrApp (Anno, NumRif, RigLiv, Matricola, TipOpe) Values (2026, 3, 3, 'M2', 'S')");
  // The same article in other letters is no change.
  Vai(d, 1);
  d.txt(20).SetText("olio5l");
  d.txt(30).SetText("7");
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Conta("DdtLivApp", 3, kRigLivOlio), "1");
  EXPECT_EQ(Conta("DdtMatrApp", 3, kRigLivOlio), "1");

  d.txt(20).SetText(kArticoloViti);
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Conta("DdtLivApp", 3, kRigLivOlio), "0");
  EXPECT_EQ(Conta("DdtMatrApp", 3, kRigLivOlio), "0");
  // The lot rows and the other lines' rows stay.
  EXPECT_EQ(Conta("DdtRintracciaApp", 3, kRigLivOlio, "NumReg"), "1");
  EXPECT_EQ(Conta("DdtMatrApp", 3, kRigLivBiscotti), "1");
}

// "Salva" on a printed DDT: hook 10 runs "Annulla" inside the page's own
// save. The line returns to its stored values without a question, nothing
// is written or numbered, and the page is whole for the next command.
void Prima::ProvaStampato() {
  frmDDTDett& d = Righe(kDdtStampato);
  Semina(d, kDdtStampato);
  auto& p = d.ogLinPag();
  const std::string righe = Lavoro(kDdtStampato);
  const std::string qta = Valore("Select Qta from DdtDettApp Where Anno = 2026 And NumRif = 2 And RigDet = 1", "Qta");
  const int32_t maxRigLiv = d.mlMaxRigLiv;
  Vai(d, 1);
  const std::string mostrata = d.txt(30).Text();
  d.txt(30).SetText("99");
  messaggi_.clear();
  EXPECT_NE(d.ButtonComando("Salva").ToString(), "");
  EXPECT_TRUE(Detto("DDT già stampato\r\nSi possono modificare soltanto righe descrittive o di comando o la "
                    "descrizione dell'articolo o le note sopra e sotto"));
  EXPECT_FALSE(Detto("Annullare le modifiche della riga?"));
  EXPECT_FALSE(Detto("La riga è stata modificata"));
  EXPECT_EQ(d.txt(30).Text(), mostrata);
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_EQ(p.VarDati(-1).ToString(), "");
  EXPECT_EQ(p.LeggiVarPagina("MsgAnn").ToString(), "S");
  EXPECT_FALSE(d.mbVerifStampato);
  EXPECT_EQ(d.C("staMessaggi").Elem("Messaggio").Caption.rfind("DDT già stampato", 0), 0u);
  EXPECT_EQ(Lavoro(kDdtStampato), righe);
  EXPECT_EQ(Valore("Select Qta from DdtDettApp Where Anno = 2026 And NumRif = 2 And RigDet = 1", "Qta"), qta);
  AttesoTotali(d, kDdtStampato, "after the refusal");

  // The description and the notes may change: saved.
  d.txt(23).SetText("Maglia girocollo");
  d.txt(420).SetText("Nota sopra");
  EXPECT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Valore("Select Descrizione from DdtDettApp Where Anno = 2026 And NumRif = 2 And RigDet = 1",
                   "Descrizione"),
            "Maglia girocollo");

  // A new line made an article line: dropped before it takes a number.
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  EXPECT_EQ(d.txt(18).Text(), "D");
  d.txt(18).SetText("A");
  d.txt(20).SetText(kArticoloViti);
  messaggi_.clear();
  EXPECT_NE(d.ButtonComando("Salva").ToString(), "");
  EXPECT_TRUE(Detto("DDT già stampato"));
  EXPECT_FALSE(Detto("Annullare le modifiche della riga?"));
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_EQ(Lavoro(kDdtStampato), righe);
  EXPECT_EQ(d.mlMaxRigLiv, maxRigLiv);
  EXPECT_EQ(p.LeggiVarPagina("MsgAnn").ToString(), "S");
  // The page goes on: a descriptive line is added as line 3.
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  d.txt(23).SetText("Consegna al piano");
  // What the page itself requires of every line (the line entry marks
  // less on a descriptive line).
  for (const auto& [n, v] : {std::pair{30, "0"}, {130, "22"}, {140, "PZ"}, {150, "1"}}) d.txt(n).SetText(v);
  EXPECT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(Valore("Select TipoRiga from DdtDettApp Where Anno = 2026 And NumRif = 2 And RigDet = 3", "TipoRiga"),
            "D");
}

TEST_F(Prima, TheTotalsKeptByDifferenceEqualTheFullCountAfterEverySave) { ProvaTotali(); }
TEST_F(Prima, OnAPrintedDdtAChangedArticleLineIsGivenBackInsideTheSaveAndRowsAndNumbersStay) { ProvaStampato(); }

// The same on the PostgreSQL test server.
class PrimaServer : public Prima {
 protected:
  void SetUp() override {
    if (ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
    Prima::SetUp();
    ASSERT_TRUE(ApriSuServer(server_));
  }
  void TearDown() override {
    Prima::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<DatabaseServer> server_;
};

TEST_F(PrimaServer, TheTotalsKeptByDifferenceEqualTheFullCountAfterEverySave) { ProvaTotali(); }
TEST_F(PrimaServer, OnAPrintedDdtAChangedArticleLineIsGivenBackInsideTheSaveAndRowsAndNumbersStay) {
  ProvaStampato();
}

TEST_F(Prima, TheFieldChecksOfASaveRefuseWithTheirMessageAndColumn) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  struct Caso {
    std::vector<std::pair<int, const char*>> caselle;
    bool livelli;  // the level panel shown
    const char* messaggio;
    const char* colonna;  // "" = accepted by the hook
  };
  const std::vector<Caso> casi = {
      {{{18, "A"}, {20, ""}, {23, ""}}, false, "Manca l'articolo o descrizione non compilata", "Articolo"},
      {{{18, "A"}, {20, kArticoloViti}, {21, "S"}, {22, ""}}, true, "Campi livello compilati parzialmente", "Livelli"},
      {{{18, "A"}, {20, kArticoloViti}, {21, ""}, {22, "~ç~"}}, true, "", ""},
      {{{18, "A"}, {20, kArticoloViti}, {21, "S"}, {22, "BLU"}, {30, "0"}}, false,
       "Quantità obbligatoria se convilati i livelli", "Livelli"},
      {{{18, "C"}, {900, ""}}, false, "Non è stato scelto il tipo di comando", "Comando"},
      {{{18, "C"}, {900, "SR"}, {910, ""}}, false, "Inserire il numero di righe da saltare", "Comando"},
      {{{18, "C"}, {900, "SR"}, {910, "tre"}}, false, "Il parametro per questo comando deve essere un numero",
       "Comando"},
      {{{18, "C"}, {900, "SR"}, {910, "3"}}, false, "", ""},
      {{{18, "C"}, {900, "PA"}, {910, ""}}, false, "", ""},
      {{{18, "D"}, {23, ""}}, false, "", ""},
  };
  for (size_t i = 0; i < casi.size(); ++i) {
    const Caso& c = casi[i];
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
    // The page's own mandatory fields are checked by the numbering of the
    // save's first hook: these cases are about the hook's checks, so no
    // field of the new line is mandatory here.
    for (const auto& campo : p.Elenco()) campo->oiObblig = 0;
    for (const auto& [n, v] : c.caselle) d.txt(n).SetText(v);
    d.C("picLivelli").SetVisible(c.livelli);
    vb::Variant rit = "";
    std::vector<vb::Variant> arr;
    messaggi_.clear();
    vb::Variant r = d.PersLPaPri(10, rit, arr);
    if (r.ToInt() == 0) r = d.PersLPaPri(3, rit, arr);
    if (*c.colonna) {
      EXPECT_EQ(r.ToInt(), 1) << i;
      EXPECT_EQ(rit.ToString(), c.colonna) << i;
      EXPECT_TRUE(Detto(c.messaggio)) << i;
    } else {
      EXPECT_EQ(r.ToInt(), 0) << i << (messaggi_.empty() ? "" : messaggi_.back());
    }
    // Numbered by the save's first hook, refused or not.
    EXPECT_NE(d.txt(10).Text(), "") << i;
    d.C("picLivelli").SetVisible(false);
    for (int n : {21, 22}) d.txt(n).SetText("");
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
    p.EseguiTasto("Annulla");
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
  }
}

TEST_F(Prima, ChangedLevelCodesCountAsAChangeAndANewLineForgetsTheLineBefore) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  Vai(d, 1);
  EXPECT_EQ(p.VarDati(-1).ToString(), "");
  d.txt(21).SetText("M");
  EXPECT_EQ(p.VarDati(-1).ToString(), "Livelli");
  d.txt(21).SetText("");
  d.msLivello1Salvato = "M";
  d.osLivGruppo1 = "TAGLIE";
  d.msArtRaee = "RAEE1";
  d.msGestRintraccia = "S";
  d.masValIngresso[30] = "6";
  d.label1(24).SetVisible(true);
  d.lab(130).SetCaption("Iva 4%");
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  EXPECT_EQ(d.msLivello1Salvato, "");
  EXPECT_EQ(d.osLivGruppo1, "");
  EXPECT_EQ(d.msArtRaee, "");
  EXPECT_EQ(d.msGestRintraccia, "");
  EXPECT_EQ(d.masValIngresso[30], "");
  EXPECT_FALSE(d.label1(24).Visible());
  EXPECT_EQ(d.lab(130).Caption(), "");
  // The blank line has no changed level code.
  vb::Variant rit = "";
  std::vector<vb::Variant> arr;
  EXPECT_EQ(d.PersLPaPri(0, rit, arr).ToInt(), 0);
  EXPECT_EQ(rit.ToString(), "");
}

}  // namespace
}  // namespace prova

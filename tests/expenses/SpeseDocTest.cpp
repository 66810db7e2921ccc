// The expense window opened from the header's "Spese" on the demo company:
// the rows of the DDT in the grid, a code typed and the row filled from the
// master, refused cells holding the commands until the next tick, the look-
// ups on F2/F3, the Delete rule, the customer's own expense, the new row's
// number, and closing back to the header (footer, lock).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ddt/header/GanciProva.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "services/ComLock.h"

namespace {

using namespace dati::demo;

class SpeseDocProva : public prova::GanciProva {
 protected:
  void SetUp() override {
    prova::GanciProva::SetUp();
    G().gsTabSpese = "DdtSpese";
  }
  void TearDown() override {
    frmSpeseDoc& s = FrmSpeseDoc();
    if (s.Caricata()) {
      s.ofrmTest = nullptr;
      if (s.ogComlin().Recordset() && s.ogComlin().Recordset()->InModifica()) s.ogComlin().Recordset()->CancelUpdate();
      s.Unload();
    }
    s.ofrmTest = nullptr;
    prova::GanciProva::TearDown();
  }

  // The header on DDT `numRif` with its expenses opened through "Spese".
  frmSpeseDoc& Apri(long numRif = kDdtModificabile) {
    frmDdtTest& f = Finestra();
    testata_ = &f;
    Mostra(f, numRif);
    messaggi_.clear();
    f.ButtonComando("Spese");
    return FrmSpeseDoc();
  }

  // The document's rows as "Riga:Spesa:Iva:Importo:Perc:SoggRitAcc;".
  std::string Righe(long numRif = kDdtModificabile) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "", "Select * from DdtSpese Where Anno = 2026 And NumRif = " + std::to_string(numRif) + " Order By Riga",
        false, 4);
    std::string out;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      char buf[160];
      std::snprintf(buf, sizeof buf, "%ld:%s:%s:%.2f:%g:%s;", static_cast<long>(rs.LeggiCampo(k, "Riga").ToLong()),
                    rs.LeggiCampo(k, "Spesa").ToString().c_str(), rs.LeggiCampo(k, "Iva").ToString().c_str(),
                    rs.LeggiCampo(k, "Importo").ToDouble(), rs.LeggiCampo(k, "Percentuale").ToDouble(),
                    rs.LeggiCampo(k, "SoggRitAcc").ToString().c_str());
      out += buf;
    }
    rs.ChiudiRecordset(k);
    return out;
  }

  std::string MasterInc() {
    return Valore("Select Descrizione As V From Spese Where Spesa = 'INC'") + "|" +
           Valore("Select TipoAddebito As V From Spese Where Spesa = 'INC'");
  }
  std::string Messaggi() const { return vb::Join(messaggi_, " / "); }
  static int Col(frmSpeseDoc& s, const char* campo) { return s.Colonna(campo); }
  void Tick() { backend_.AvanzaTempo(5); }
  frmDdtTest& Testata() { return *testata_; }
  frmDdtTest* testata_ = nullptr;
};

TEST_F(SpeseDocProva, SpeseOpensTheRowsOfTheDdtAndClosingRecomputesTheFooterAndUnlocks) {
  Sql("Update DdtTest Set TotSpese = 0 Where Anno = 2026 And NumRif = 3");
  frmSpeseDoc& s = Apri();
  frmDdtTest& f = Testata();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  EXPECT_TRUE(s.Visible());
  EXPECT_EQ(s.Caption().rfind("Spese DDT", 0), 0u) << s.Caption();
  EXPECT_EQ(f.oiInDett, 2);
  EXPECT_FALSE(f.Enabled());
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest Where Tipo = 'D' And NumReg = 3"), "1");
  // One row, key columns hidden, description and kind shown but not typed into.
  EXPECT_EQ(s.C("txtRiga").Text(), "1 / 1");
  ui::Griglia& g = s.dbgRiga();
  EXPECT_EQ(g.TestoCella(Col(s, "Spesa")), kSpesaTrasporto);
  EXPECT_EQ(g.TestoCella(Col(s, "Descrizione")), "Spese di trasporto");
  for (const char* n : {"Anno", "NumRif", "Riga"}) EXPECT_FALSE(g.Colonna(Col(s, n)).Visible) << n;
  for (const char* n : {"Descrizione", "TipoAddebito"}) EXPECT_TRUE(g.Colonna(Col(s, n)).Locked) << n;
  EXPECT_FALSE(g.Colonna(Col(s, "Spesa")).Locked);
  // Alimentari Bianchi has no expense of its own: the command is hidden and Alt+E does nothing.
  EXPECT_FALSE(s.C("tolComlin").Elem("SpeseClie").Visible);
  int tasto = 'E';
  s.Form_KeyDown(tasto, 4);
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;");

  s.ButtonComando("Chiudi");
  EXPECT_FALSE(s.Caricata());
  EXPECT_TRUE(f.Enabled());
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
  EXPECT_EQ(Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = 3"), "10");
}

TEST_F(SpeseDocProva, ACodeTypedFillsTheRowFromTheMasterAndTheSaveWritesOnlyTheDocumentsRow) {
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  // Rows 2 and 5 exist besides 1: the new row gets 6.
  for (const char* riga : {"2", "5"})
    Sql(std::string("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, "
                    "Percentuale, SoggRitAcc) Values (2026, 3, ") +
        riga + ", 'STD', '22', 1.5, 0, 0, 0, 'N')");
  const std::string spesePrima = MasterInc();
  s.ButtonComando("Nuovo");
  ui::Griglia& g = s.dbgRiga();
  EXPECT_EQ(g.Col(), Col(s, "Spesa"));
  ASSERT_TRUE(g.ScriviCella(Col(s, "Spesa"), vb::Variant("inc"))) << Messaggi();
  EXPECT_EQ(s.ValoreVisto("Descrizione").ToString(), "Spese di incasso Ri.Ba.");
  EXPECT_EQ(s.ValoreVisto("TipoAddebito").ToString(), "F");
  EXPECT_EQ(g.TestoCella(Col(s, "Iva")), kIva22);
  EXPECT_EQ(g.ValoreCella(Col(s, "Importo")).ToDouble(), 2.5);
  EXPECT_EQ(g.TestoCella(Col(s, "SoggRitAcc")), "N");
  s.ButtonComando("Salva");
  EXPECT_TRUE(messaggi_.empty()) << Messaggi();
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;2:STD:22:1.50:0:N;5:STD:22:1.50:0:N;6:inc:22:2.50:0:N;");
  EXPECT_EQ(MasterInc(), spesePrima);
  // On the next tick the rows are read again: the new row shows the master's description.
  Tick();
  EXPECT_EQ(s.dbgRiga().TestoCella(3, Col(s, "Descrizione")), "Spese di incasso Ri.Ba.");
  EXPECT_EQ(s.C("txtRiga").Text(), "4 / 4");

  // An amount on a kind that wants one is changed in place.
  ASSERT_TRUE(g.ScriviCella(Col(s, "Importo"), vb::Variant("3")));
  s.ButtonComando("Salva");
  EXPECT_EQ(Righe().substr(Righe().rfind("6:")), "6:inc:22:3.00:0:N;");
}

// The same on the test server: the grid's query, its join and the row
// stored through it, in the server's dialect.
TEST_F(SpeseDocProva, OnTheServerARowTypedIsStoredAndClosingUnlocks) {
  std::unique_ptr<prova::DatabaseServer> srv;
  if (!ApriSuServer(srv)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  EXPECT_EQ(s.dbgRiga().TestoCella(Col(s, "Descrizione")), "Spese di trasporto");
  s.ButtonComando("Nuovo");
  ASSERT_TRUE(s.dbgRiga().ScriviCella(Col(s, "Spesa"), vb::Variant(kSpesaIncasso))) << Messaggi();
  s.ButtonComando("Salva");
  EXPECT_TRUE(messaggi_.empty()) << Messaggi();
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;2:INC:22:2.50:0:N;");
  Tick();
  EXPECT_EQ(s.dbgRiga().TestoCella(1, Col(s, "Descrizione")), "Spese di incasso Ri.Ba.");
  s.ButtonComando("Chiudi");
  EXPECT_FALSE(s.Caricata());
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
  EXPECT_TRUE(Testata().Enabled());
  Testata().Unload();
}

TEST_F(SpeseDocProva, RefusedCellsShowTheirMessageAndHoldTheCommandsUntilTheNextTick) {
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  ui::Griglia& g = s.dbgRiga();
  struct Caso {
    const char* campo;
    const char* valore;
    const char* messaggio;
  };
  const Caso casi[] = {
      {"Spesa", "XYZ", "Codice Spesa non valido"},
      {"Iva", "99", "Codice Iva non valido"},
      {"Percentuale", "3", "Addebito NON in percentuale: inserire soltanto l'importo spesa"},
      {"SoggRitAcc", "X", "Soggetto a ritenuto d'acconto non valido: inserire S o N"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.campo);
    messaggi_.clear();
    EXPECT_FALSE(g.ScriviCella(Col(s, c.campo), vb::Variant(c.valore)));
    EXPECT_EQ(Messaggi(), c.messaggio);
    EXPECT_FALSE(s.ComandiAbilitati());
    Tick();
    EXPECT_TRUE(s.ComandiAbilitati());
  }
  // A command pressed while the cell typed fails its check is not run.
  messaggi_.clear();
  s.ModificaCella("XYZ", "XYZ");
  g.SetCol(Col(s, "Spesa"));
  s.ButtonComando("Nuovo");
  EXPECT_EQ(Messaggi(), "Codice Spesa non valido");
  EXPECT_FALSE(s.ogComlin().InModifica());
  EXPECT_EQ(s.C("txtRiga").Text(), "1 / 1");
  Tick();
  // "s" becomes "S"; a percentage expense refuses an amount and wants a percentage.
  ASSERT_TRUE(g.ScriviCella(Col(s, "SoggRitAcc"), vb::Variant("s")));
  s.ButtonComando("Salva");
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:S;");
  s.ButtonComando("Nuovo");
  ASSERT_TRUE(g.ScriviCella(Col(s, "Spesa"), vb::Variant(kSpesaImballo)));
  EXPECT_EQ(g.ValoreCella(Col(s, "Percentuale")).ToDouble(), 3);
  messaggi_.clear();
  EXPECT_FALSE(g.ScriviCella(Col(s, "Importo"), vb::Variant("5")));
  EXPECT_EQ(Messaggi(), "Addebito in percentuale: impossibile inserire importo spesa");
  Tick();
  ASSERT_TRUE(g.ScriviCella(Col(s, "ImportoMax"), vb::Variant("4")));
  messaggi_.clear();
  s.ButtonComando("Salva");
  EXPECT_EQ(Messaggi(), "Importo Minimo maggiore dell'Importo Massimo");
  EXPECT_EQ(g.Col(), Col(s, "ImportoMin"));
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:S;");
  s.ButtonComando("Annulla");
}

TEST_F(SpeseDocProva, F2LooksUpOnlyABlankOrPartlySelectedCellF3Always) {
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  ui::Griglia& g = s.dbgRiga();
  g.SetCol(Col(s, "Spesa"));
  int aperte = 0;
  std::vector<std::string> codici;
  auto scegli = [&](const std::string& codice) {
    backend_.Rispondi([&, codice](ui::Form& w) {
      ++aperte;
      auto& a = static_cast<aiuti::FinestraAiuto&>(w);
      codici.clear();
      for (int r = 0; r < a.RigheMostrate(); ++r) codici.push_back(a.CodiceMostrato(r));
      for (int r = 0; r < a.RigheMostrate(); ++r)
        if (a.CodiceMostrato(r) == codice) {
          a.VaiARiga(r);
          a.Scegli();
          return;
        }
      a.Esci();
    });
  };
  // The whole text selected: F2 opens nothing.
  s.ModificaCella(kSpesaTrasporto, kSpesaTrasporto);
  int tasto = 113;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(aperte, 0);
  s.FineModificaCella();
  // F3 on the new row's blank code: the look-up of the euro and lira
  // expenses; the code chosen fills the row.
  s.ButtonComando("Nuovo");
  scegli(kSpesaIncasso);
  tasto = 114;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(aperte, 1);
  EXPECT_TRUE(backend_.ScriptFinito());
  EXPECT_NE(std::find(codici.begin(), codici.end(), kSpesaStandard), codici.end()) << vb::Join(codici, ",");
  EXPECT_EQ(s.ValoreVisto("Descrizione").ToString(), "Spese di incasso Ri.Ba.");
  EXPECT_EQ(g.ValoreCella(Col(s, "Importo")).ToDouble(), 2.5);
  s.ButtonComando("Salva");
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;2:INC:22:2.50:0:N;");
  // Part of the text selected: F2 opens it; nothing chosen, nothing changes.
  scegli("");
  g.SetCol(Col(s, "Spesa"));
  s.ModificaCella("IN", "I");
  tasto = 113;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(aperte, 2);
  EXPECT_TRUE(backend_.ScriptFinito());
  // F2 on the VAT cell's blank code opens the VAT look-up.
  s.FineModificaCella();
  g.SetCol(Col(s, "Iva"));
  s.ModificaCella("", "");
  scegli(kIva22);
  tasto = 113;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(aperte, 3);
  s.ButtonComando("Annulla");
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;2:INC:22:2.50:0:N;");
}

TEST_F(SpeseDocProva, DeleteRemovesTheRowOnlyWithTheWholeTextSelected) {
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  s.dbgRiga().SetCol(Col(s, "Spesa"));
  // Part of the text selected: the key deletes characters, not the row.
  s.ModificaCella(kSpesaTrasporto, "T");
  int tasto = 46;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(tasto, 46);
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;");
  s.FineModificaCella();
  // The whole cell: "Cancella", confirmed.
  risposteBox_.assign(1, vb::vbYes);
  tasto = 46;
  s.dbgRiga_KeyDown(tasto, 0);
  EXPECT_EQ(tasto, 0);
  EXPECT_EQ(Righe(), "");
  EXPECT_EQ(s.C("txtRiga").Text(), "0 / 0");
}

TEST_F(SpeseDocProva, SpeseClieAddsTheCustomersOwnExpenseOrSaysThereIsNone) {
  // The customer with an expense of its own (transport).
  Sql("Update PianoConti Set Spesa = 'TRA' Where Gruppo = '" + std::string(kGruppoClienti) + "' And Mastro = '" +
      kMastroClienti + "' And Conto = '" + kCliente3 + "'");
  Sql("Delete From DdtSpese Where Anno = 2026 And NumRif = 3");
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  ASSERT_EQ(s.osSpesa, kSpesaTrasporto);
  EXPECT_TRUE(s.C("tolComlin").Elem("SpeseClie").Visible);
  int tasto = 'E';
  s.Form_KeyDown(tasto, 4);
  EXPECT_TRUE(messaggi_.empty()) << Messaggi();
  EXPECT_EQ(Righe(), "1:TRA:22:15.00:0:N;");
  s.osSpesa.clear();
  s.AggSpesaClie();
  EXPECT_EQ(Messaggi(), "Non c'è nessuna spesa associata al cliente");
  EXPECT_EQ(Righe(), "1:TRA:22:15.00:0:N;");
}

TEST_F(SpeseDocProva, ClosingWithARowTheUserKeepsLeavesTheWindowOpenAndCallsNobody) {
  frmSpeseDoc& s = Apri();
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  s.ButtonComando("Nuovo");
  ASSERT_TRUE(s.dbgRiga().ScriviCella(Col(s, "Spesa"), vb::Variant(kSpesaIncasso)));
  risposteBox_.assign(1, vb::vbCancel);
  s.ButtonComando("Chiudi");
  EXPECT_TRUE(s.Caricata());
  EXPECT_EQ(Testata().oiInDett, 2);
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "1");
  // "No": the row is dropped and the header takes the DDT back.
  risposteBox_.assign(1, vb::vbNo);
  s.ButtonComando("Chiudi");
  EXPECT_FALSE(s.Caricata());
  EXPECT_EQ(Testata().oiInDett, -1);
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
  EXPECT_EQ(Righe(), "1:TRA:22:10.00:0:N;");
}

TEST_F(SpeseDocProva, AFailedLoadGivesTheDdtBackWithoutRecomputingOrSaving) {
  // The rows cannot be read: the expense table is gone.
  G().gsTabSpese = "DdtSpeseSparita";
  const std::string totPrima = Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = 3");
  frmSpeseDoc& s = Apri();
  EXPECT_EQ(s.oiLoadOk(), -1);
  EXPECT_FALSE(s.Caricata());
  frmDdtTest& f = Testata();
  EXPECT_TRUE(f.Enabled());
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
  EXPECT_EQ(Valore("Select TotSpese As V From DdtTest Where Anno = 2026 And NumRif = 3"), totPrima);
  EXPECT_FALSE(f.InVar());
  G().gbNoRitornoMenu = false;
}

TEST_F(SpeseDocProva, AnEvadedDdtShowsItsRowsReadOnly) {
  frmSpeseDoc& s = Apri(kDdtEvaso);
  ASSERT_EQ(s.oiLoadOk(), 1) << Messaggi();
  EXPECT_EQ(s.oiAbilRW(), 0);
  EXPECT_FALSE(s.C("tolComlin").Elem("Nuovo").Enabled);
  EXPECT_FALSE(s.dbgRiga().ScriviCella(Col(s, "Importo"), vb::Variant("1")));
  s.ButtonComando("Chiudi");
  EXPECT_EQ(Valore("Select Count(*) As V From LockGest"), "0");
}

}  // namespace

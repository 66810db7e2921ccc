#include <gtest/gtest.h>

#include <random>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Transazioni.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

using namespace dati;
using vb::Variant;

namespace {

class DatiSQLite : public ::testing::Test {
 protected:
  void SetUp() override {
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    Connessione& m = db_.Motore(conn_);
    m.Esegui("CREATE TABLE Clienti (Codice VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY, "
             "Descrizione VARCHAR(50) COLLATE NOCASE, Fido CURRENCY, DataIns DATETIME, Attivo BIT)");
    m.Esegui("CREATE TABLE DdtTest (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, Cliente VARCHAR(10) COLLATE NOCASE, "
             "Stato VARCHAR(1) COLLATE NOCASE, Totale CURRENCY, DataDoc DATETIME, PRIMARY KEY (Anno, NumRif))");
    m.Esegui("CREATE TABLE DdtDett (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, RigDet SMALLINT NOT NULL, "
             "Articolo VARCHAR(20) COLLATE NOCASE, Qta DOUBLE, ValTotale CURRENCY, PRIMARY KEY (Anno, NumRif, RigDet))");
    m.AzzeraCatalogo();
    db_.EseguiSql(conn_, "Insert into Clienti (Codice, Descrizione, Fido, DataIns, Attivo) Values ('C1', 'Rossi Srl', 1000.5, #2026-01-15#, True)");
    db_.EseguiSql(conn_, "Insert into Clienti (Codice, Descrizione, Fido, Attivo) Values ('C2', 'Città è Bella', Null, False)");
    db_.EseguiSql(conn_, "Insert into DdtTest Values (2026, 1, 'C1', '', 12.34, #2026-12-10#)");
    db_.EseguiSql(conn_, "Insert into DdtTest Values (2026, 2, 'c2', 'S', 0.1, #2026-12-11#)");
    db_.EseguiSql(conn_, "Insert into DdtTest Values (2026, 3, 'X9', 'E', 5, #2026-12-12#)");
    db_.EseguiSql(conn_, "Insert into DdtDett Values (2026, 1, 1, 'A', 2, 10)");
    db_.EseguiSql(conn_, "Insert into DdtDett Values (2026, 1, 2, 'B', 1.5, 2.34)");
    db_.EseguiSql(conn_, "Insert into DdtDett Values (2026, 2, 1, 'A', 1, 0.1)");
  }

  prova::CartellaTemp dir_{"dati"};
  GestDatabase db_;
  std::string conn_;
  GestRecordset rs_;
};

}  // namespace

TEST_F(DatiSQLite, ReadsFieldsByAnyNameAndKeepsOrHidesNull) {
  EXPECT_FALSE(db_.LeggiVar("DbTipoSql:" + conn_).ToBool());
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select DdtTest.*, C.Descrizione, C.Fido as FidoCli from DdtTest "
                                                    "left join Clienti as C on DdtTest.Cliente = C.Codice order by NumRif", false, 4);
  EXPECT_EQ(rs_.NumRecord(k), 3);
  EXPECT_FALSE(rs_.NessunRecord(k));
  EXPECT_EQ(rs_.LeggiCampo(k, "numrif").ToLong(), 1);
  EXPECT_EQ(rs_.LeggiCampo(k, "DDTTEST.NUMRIF").ToLong(), 1);
  EXPECT_EQ(rs_.LeggiCampo(k, "c.descrizione").ToString(), "Rossi Srl");
  EXPECT_EQ(rs_.LeggiCampo(k, "Clienti.Descrizione").ToString(), "Rossi Srl");
  EXPECT_EQ(rs_.LeggiCampo(k, "FidoCli").ToCurrency(), vb::Currency::FromText("1000,5"));
  EXPECT_EQ(rs_.LeggiCampo(k, "Totale").VarType(), vb::vbCurrency);
  EXPECT_EQ(rs_.LeggiCampo(k, "DataDoc").ToDate().ToDateText(), "10/12/2026");
  rs_.ProssimoRec(k);  // "c2" joins "C2": keys ignore letter case
  EXPECT_EQ(rs_.LeggiCampo(k, "Descrizione").ToString(), "Città è Bella");
  EXPECT_TRUE(rs_.LeggiCampoNull(k, "FidoCli").IsNull());
  EXPECT_EQ(rs_.LeggiCampo(k, "FidoCli").ToString(), "");
  EXPECT_EQ(rs_.LeggiCampo(k, "FidoCli", vb::vbCurrency).ToDouble(), 0);
  rs_.ProssimoRec(k);  // no customer X9: the outer join's Null reads as empty
  EXPECT_EQ(rs_.LeggiCampo(k, "Descrizione").ToString(), "");
  EXPECT_EQ(rs_.PosRecord(k), 2);
  rs_.ProssimoRec(k);
  EXPECT_TRUE(rs_.FineRec(k));
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.ProssimoRec(k); }), ErrNessunRecordCorrente);
  // A column the query does not hold: "" or 0 from LeggiCampo, 3265 from
  // LeggiCampoNull; off the rows, the missing row comes first.
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.LeggiCampo(k, "Inesistente"); }), ErrNessunRecordCorrente);
  rs_.PrimoRec(k);
  EXPECT_EQ(rs_.LeggiCampo(k, "Inesistente").ToString(), "");
  EXPECT_EQ(rs_.LeggiCampo(k, "DdtSpese.CassaPrev", vb::vbDouble).ToDouble(), 0);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.LeggiCampoNull(k, "Inesistente"); }), 3265);
  // Positions by number, as the restore walks its rows.
  rs_.VaiARec(k, 2);
  EXPECT_EQ(rs_.NumRecordTot(k), 2);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.VaiARec(k, 3); }), 3001);
  rs_.PrimoRec(k);
  EXPECT_TRUE(rs_.InizioRec(k) == false);
  rs_.UltimoRec(k);
  EXPECT_EQ(rs_.LeggiCampo(k, "NumRif").ToLong(), 3);
  // The utility object counts a recordset's rows too; the database of a
  // key answers which tables it holds.
  EXPECT_EQ(vb::FunzioniComuni::Istanza().NumRecord(rs_.RecordsetDao(k)), rs_.NumRecord(k));
  EXPECT_NE(db_.EseguiSqlDb(conn_).LeggiCatalogo().Tabella("ddttest"), nullptr);
  EXPECT_EQ(db_.EseguiSqlDb(conn_).LeggiCatalogo().Tabella("Manca"), nullptr);
  rs_.ChiudiRecordset(k);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.NumRecord(k); }), 3420);
}

TEST_F(DatiSQLite, AggregateOverNoRowsGivesOneNullRow) {
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select Sum(Qta) as Tot, max(RigDet) from DdtDett where Anno = 1999", false, 4);
  EXPECT_EQ(rs_.NumRecord(k), 1);
  EXPECT_TRUE(rs_.LeggiCampoNull(k, "Tot").IsNull());
  EXPECT_TRUE(rs_.LeggiCampoNull(k, "MaxOfRigDet").IsNull());
  k = rs_.ApriRecordset(db_, conn_, k, "Select * from DdtDett where Anno = 1999", false, 4);
  EXPECT_TRUE(rs_.NessunRecord(k));
  EXPECT_TRUE(rs_.FineRec(k));
  EXPECT_TRUE(rs_.InizioRec(k));
}

TEST_F(DatiSQLite, UpdatableRecordsetWritesByKey) {
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select * from DdtDett where Anno = 2026 and NumRif = 1 order by RigDet", false, 2);
  rs_.NuovoRecord(k);
  rs_.ScriviCampo(k, "Anno", 2026);
  rs_.ScriviCampo(k, "NumRif", 1);
  rs_.ScriviCampo(k, "RigDet", "3");
  rs_.ScriviCampo(k, "Articolo", "C");
  rs_.ScriviCampo(k, "ValTotale", "1.234,5");
  EXPECT_EQ(rs_.LeggiCampo(k, "ValTotale").ToCurrency(), vb::Currency::FromText("1234,5"));  // read after write
  rs_.SalvaRecord(k);
  rs_.VaiUltimoMod(k);
  EXPECT_EQ(rs_.LeggiCampo(k, "RigDet").ToLong(), 3);
  EXPECT_EQ(rs_.NumRecord(k), 3);

  // The same key again: duplicate, nothing written.
  rs_.NuovoRecord(k);
  rs_.ScriviCampo(k, "Anno", 2026);
  rs_.ScriviCampo(k, "NumRif", 1);
  rs_.ScriviCampo(k, "RigDet", 3);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.SalvaRecord(k); }), ErrChiaveDuplicata);
  rs_.ChiudiRecordset(k);  // drops the pending row

  k = rs_.ApriRecordset(db_, conn_, "", "Select * from DdtDett where Anno = 2026 and NumRif = 1 order by RigDet", false, 2);
  EXPECT_EQ(rs_.NumRecord(k), 3);
  rs_.ModificaRecord(k);
  rs_.ScriviCampo(k, "Qta", 7);
  rs_.SalvaRecord(k);
  rs_.ProssimoRec(k);
  rs_.CancellaRecord(k);
  EXPECT_TRUE(rs_.NessunRecord(k));  // the deleted row is no current row
  rs_.ProssimoRec(k);
  EXPECT_EQ(rs_.LeggiCampo(k, "Articolo").ToString(), "C");
  rs_.ChiudiRecordset(k);

  k = rs_.ApriRecordset(db_, conn_, "", "Select RigDet, Qta, ValTotale from DdtDett where NumRif = 1 order by RigDet", false, 4);
  EXPECT_EQ(rs_.NumRecord(k), 2);
  EXPECT_EQ(rs_.LeggiCampo(k, "Qta").ToDouble(), 7);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.ModificaRecord(k); }), ErrNonAggiornabile);
}

TEST_F(DatiSQLite, RowChangedByAnotherUserIsRefused) {
  GestDatabase altro;
  std::string c2 = altro.ApriDatabase(dir_.Percorso("ditta.db"));
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select * from DdtTest where NumRif = 1", false, 2);
  altro.EseguiSql(c2, "Update DdtTest set Stato = 'S' where NumRif = 1");
  rs_.ModificaRecord(k);
  rs_.ScriviCampo(k, "Totale", 99);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.SalvaRecord(k); }), ErrRigaCambiata);
  GestRecordset rs2;
  std::string k2 = rs2.ApriRecordset(altro, c2, "", "Select Totale, Stato from DdtTest where NumRif = 1", false, 4);
  EXPECT_EQ(rs2.LeggiCampo(k2, "Totale").ToCurrency(), vb::Currency::FromText("12,34"));
  EXPECT_EQ(rs2.LeggiCampo(k2, "Stato").ToString(), "S");
}

TEST_F(DatiSQLite, JoinedRecordsetWritesOnlyTablesWithTheirKey) {
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select DdtDett.*, DdtTest.Stato, Qta * 2 as Doppia from DdtDett "
                                                    "inner join DdtTest on DdtDett.Anno = DdtTest.Anno and DdtDett.NumRif = DdtTest.NumRif "
                                                    "order by DdtDett.NumRif, RigDet", false, 2);
  rs_.ModificaRecord(k);
  rs_.ScriviCampo(k, "Qta", 3);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.ScriviCampo(k, "Stato", "E"); }), ErrCampoNonAggiornabile);
  EXPECT_EQ(prova::NumeroErrore([&] { rs_.ScriviCampo(k, "Doppia", 1); }), ErrCampoNonAggiornabile);
  rs_.SalvaRecord(k);
  EXPECT_EQ(rs_.LeggiCampo(k, "Qta").ToDouble(), 3);
}

TEST_F(DatiSQLite, ReopenWithConditionAndSearchInMemory) {
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select * from DdtTest order by NumRif", false, 2);
  rs_.CercaPrimo(k, "Stato = 's' and DataDoc >= #2026-12-11#");
  EXPECT_FALSE(rs_.NonTrovato(k));
  EXPECT_EQ(rs_.LeggiCampo(k, "NumRif").ToLong(), 2);
  rs_.CercaPrimo(k, "Cliente like 'x*'");
  EXPECT_EQ(rs_.LeggiCampo(k, "NumRif").ToLong(), 3);
  rs_.CercaPrimo(k, "Totale > 1000");
  EXPECT_TRUE(rs_.NonTrovato(k));
  rs_.Riapri(k, "Stato <> ''", 2);
  EXPECT_EQ(rs_.NumRecord(k), 2);
}

TEST_F(DatiSQLite, LegacyDialectRunsOnTheEngine) {
  struct Caso { const char* sql; const char* campo; Variant atteso; };
  const Caso casi[] = {
      {"Select Cliente & '-' & Null & NumRif as K from DdtTest where NumRif = 1", "K", "C1-1"},
      {"Select iif(IsNull(Fido), 0, Fido) as F from Clienti where Codice = 'C2'", "F", 0},
      {"Select Nz(Fido, -1) as F from Clienti where Codice = 'c2'", "F", -1},
      {"Select Count(*) as N from Clienti where Descrizione like '*È*'", "N", 1},
      {"Select Count(*) as N from Clienti where ucase(Descrizione) = 'CITTÀ È BELLA'", "N", 1},
      {"Select top 1 NumRif from DdtTest order by NumRif desc", "NumRif", 3},
      {"Select Count(*) as N from Clienti where Attivo = True", "N", 1},
      {"Select year(DataDoc) * 100 + month(DataDoc) as YM from DdtTest where NumRif = 1", "YM", 202612},
      {"Select Count(*) as N from DdtTest where DataDoc between #12/10/2026# and #2026-12-11#", "N", 2},
      {"Select mid(Descrizione, 7, 1) as M from Clienti where Codice = 'C2'", "M", "è"},
      {"Select First(Articolo) as A from DdtDett where NumRif = 1", "A", "A"},
      {"Select Count(*) as N from DdtTest where Not Exists (select * from DdtDett where DdtDett.NumRif = DdtTest.NumRif)", "N", 1},
  };
  for (const auto& c : casi) {
    std::string k = rs_.ApriRecordset(db_, conn_, "", c.sql, false, 4);
    EXPECT_EQ(Variant::Confronta(rs_.LeggiCampo(k, c.campo), c.atteso), 0)
        << c.sql << " -> " << rs_.LeggiCampo(k, c.campo).ToString();
    rs_.ChiudiRecordset(k);
  }
  // Joined update and delete.
  EXPECT_EQ(db_.EseguiSql(conn_, "Update DdtDett inner join DdtTest on DdtDett.NumRif = DdtTest.NumRif "
                                 "Set DdtDett.ValTotale = DdtTest.Totale where DdtTest.Stato = 'S'"), 1);
  EXPECT_EQ(db_.DbConnessione(conn_).RecordsAffected, 1);
  EXPECT_EQ(db_.EseguiSql(conn_, "DELETE DdtDett.* FROM DdtDett INNER JOIN DdtTest ON DdtDett.NumRif = DdtTest.NumRif "
                                 "WHERE DdtTest.Cliente = 'C1'"), 2);
  EXPECT_EQ(db_.EseguiSql(conn_, "Delete * from DdtDett"), 1);
  EXPECT_EQ(prova::NumeroErrore([&] { db_.EseguiSql(conn_, "Update DdtTest Set Stato = 'S' Where"); }), ErrSintassi);
  EXPECT_EQ(prova::NumeroErrore([&] { db_.EseguiSql(conn_, "Update DdtTest Set Stato = Pippo(1)"); }), 3085);
}

TEST_F(DatiSQLite, RolledBackTransactionLeavesNothing) {
  IniziaTransWorkspace();
  db_.EseguiSql(conn_, "Insert into Clienti (Codice) Values ('T1')");
  IniziaTransWorkspace();
  db_.EseguiSql(conn_, "Insert into Clienti (Codice) Values ('T2')");
  ConfermaTransWorkspace();
  AnnullaTransWorkspace();
  AnnullaTransWorkspace();  // after the end: nothing to undo, no error
  std::string k = rs_.ApriRecordset(db_, conn_, "", "Select Count(*) as N from Clienti", false, 4);
  EXPECT_EQ(rs_.LeggiCampo(k, "N").ToLong(), 2);
}

// A commit refused on one connection rolls back the others still open, so
// none keeps its lock or commits these writes with a later transaction.
TEST(TransazioniWorkspace, ACommitRefusedOnOneConnectionLeavesNoOtherOpen) {
  prova::CartellaTemp dir("commitfallito");
  GestDatabase db;
  const std::string k1 = db.CreaDatabase(dir.Percorso("uno.db"));
  const std::string k2 = db.CreaDatabase(dir.Percorso("due.db"));
  auto& m1 = db.Motore(k1);
  // A deferred foreign key: the first connection's COMMIT is refused.
  m1.Esegui("PRAGMA foreign_keys=ON");
  m1.Esegui("CREATE TABLE Padri (Id INTEGER PRIMARY KEY)");
  m1.Esegui("CREATE TABLE Figli (Id INTEGER PRIMARY KEY, Padre INTEGER "
            "REFERENCES Padri(Id) DEFERRABLE INITIALLY DEFERRED)");
  m1.AzzeraCatalogo();
  db.Motore(k2).Esegui("CREATE TABLE Note (Id INTEGER PRIMARY KEY, Testo VARCHAR(20))");
  db.Motore(k2).AzzeraCatalogo();

  IniziaTransWorkspace();
  db.EseguiSql(k1, "Insert into Figli (Id, Padre) Values (1, 99)");
  db.EseguiSql(k2, "Insert into Note (Id, Testo) Values (1, 'x')");
  EXPECT_NE(prova::NumeroErrore([] { ConfermaTransWorkspace(); }), 0);
  EXPECT_EQ(LivelloTransWorkspace(), 0);
  EXPECT_EQ(db.Motore(k1).LivelloTransazione(), 0);
  EXPECT_EQ(db.Motore(k2).LivelloTransazione(), 0);
  AnnullaTransWorkspace();  // the caller's handler: nothing left to undo

  // Nothing of the failed transaction stays, and a later one commits only
  // its own rows.
  IniziaTransWorkspace();
  db.EseguiSql(k2, "Insert into Note (Id, Testo) Values (2, 'y')");
  ConfermaTransWorkspace();
  GestRecordset rs;
  const std::string r = rs.ApriRecordset(db, k2, "", "Select Count(*) as N, Min(Id) as Primo from Note", false, 4);
  EXPECT_EQ(rs.LeggiCampo(r, "N").ToLong(), 1);
  EXPECT_EQ(rs.LeggiCampo(r, "Primo").ToLong(), 2);
  rs.ChiudiRecordset(r);
  const std::string f = rs.ApriRecordset(db, k1, "", "Select Count(*) as N from Figli", false, 4);
  EXPECT_EQ(rs.LeggiCampo(f, "N").ToLong(), 0);
}

// Any text written through its SQL literal reads back unchanged.
TEST_F(DatiSQLite, SqlLiteralOfAnyTextRoundTrips) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  std::mt19937 gen(20261210);
  const std::vector<std::string> pezzi = {"'", "''", "\"", "\\", ";", "--", "/*", "*", "?", "%", "_",
                                          "#", "&", "[", "]", "\n", "\r\n", "\t", std::string(1, '\0'),
                                          "è", "€", "𝄞", "DROP TABLE Clienti", " ", "a", "Z", "0"};
  for (int i = 0; i < 300; ++i) {
    std::string s;
    int n = static_cast<int>(gen() % 12);
    for (int j = 0; j < n; ++j) {
      if (gen() % 4 == 0) s.push_back(static_cast<char>(1 + gen() % 126));
      else s += pezzi[gen() % pezzi.size()];
    }
    db_.EseguiSql(conn_, "Delete * from Clienti where Codice = 'F'");
    db_.EseguiSql(conn_, "Insert into Clienti (Codice, Descrizione) Values ('F', " + fc.ValoreSql(Variant(s), 8) + ")");
    std::string k = rs_.ApriRecordset(db_, conn_, "", "Select Descrizione from Clienti where Codice = 'F' and Descrizione = " + fc.ValoreSql(Variant(s), 8), false, 4);
    ASSERT_EQ(rs_.NumRecord(k), 1) << i;
    ASSERT_EQ(rs_.LeggiCampo(k, "Descrizione").ToString(), s) << i;
    rs_.ChiudiRecordset(k);
  }
}

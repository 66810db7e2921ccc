// What the company tables accept: values their columns cannot hold are
// refused with the legacy errors and nothing is stored, through a
// statement as through a recordset, on both engines; the names of the
// fields come back as the schema or the statement spells them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Variant.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "ServerDiProva.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

using dati::GestDatabase;
using dati::GestRecordset;
using prova::NumeroErrore;
using vb::Variant;

namespace {

// A company with the whole schema, on SQLite or on the test server.
class Ditta : public ::testing::TestWithParam<dati::TipoMotore> {
 protected:
  void SetUp() override {
    if (GetParam() == dati::TipoMotore::Server) {
      SALTA_SENZA_SERVER();
      server_ = std::make_unique<prova::DatabaseServer>();
      std::string connessione = server_->Connessione();
      if (connessione.rfind("ODBC;", 0) != 0) connessione = "ODBC;" + connessione;
      k_ = db_.ApriDatabase(server_->Nome(), 0, false, false, connessione);
    } else {
      k_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    }
    dati::CreaSchema(db_.Motore(k_), dati::SchemaDitta());
  }

  long Conta(const std::string& tabella) {
    GestRecordset rs;
    const std::string r = rs.ApriRecordset(db_, k_, "", "Select Count(*) as N from " + tabella, false, 4);
    return rs.LeggiCampo(r, "N").ToLong();
  }

  prova::CartellaTemp dir_{"valori"};
  std::unique_ptr<prova::DatabaseServer> server_;
  GestDatabase db_;
  std::string k_;
};

std::string Nome(const ::testing::TestParamInfo<dati::TipoMotore>& i) {
  return i.param == dati::TipoMotore::Server ? "Server" : "SQLite";
}

}  // namespace

// A text longer than its column, a number beyond an Integer and a word in
// a Double column: refused by a statement, the table unchanged and still
// readable.
TEST_P(Ditta, StatementsCannotStoreWhatAColumnCannotHold) {
  db_.EseguiSql(k_, "Insert into NumerDdt (Anno, Prefisso, Numero) Values (2026, 'A', 1)");
  db_.EseguiSql(k_, "Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, Qta) Values (2026, 1, 1, 1, 2.5)");
  struct Caso {
    const char* sql;
    long errore;
  };
  const Caso casi[] = {
      {"Insert into NumerDdt (Anno, Prefisso, Numero) Values (2027, 'AB', 1)", dati::ErrCampoPiccolo},
      {"Update NumerDdt Set Prefisso = 'XYZ' Where Anno = 2026", dati::ErrCampoPiccolo},
      {"Insert into NumerDdt (Anno, Prefisso, Numero) Values (40000, 'A', 1)", vb::ErrOverflow},
      {"Update NumerDdt Set Anno = 40000", vb::ErrOverflow},
      {"Update NumerDdt Set Numero = 3000000000", vb::ErrOverflow},
      {"Insert into DdtDett (Anno, NumRif, RigDet, RigLiv, Qta) Values (2026, 1, 2, 2, 'abc')", dati::ErrTipoDati},
      {"Update DdtDett Set Qta = 'abc'", dati::ErrTipoDati},
      {"Update DdtDett Set ValTotale = 'dieci'", dati::ErrTipoDati},
  };
  for (const auto& c : casi) {
    std::string descrizione;
    EXPECT_EQ(NumeroErrore([&] { db_.EseguiSql(k_, c.sql); }, &descrizione), c.errore) << c.sql;
    EXPECT_FALSE(descrizione.empty());
  }
  EXPECT_EQ(Conta("NumerDdt"), 1);
  EXPECT_EQ(Conta("DdtDett"), 1);
  GestRecordset rs;
  std::string r = rs.ApriRecordset(db_, k_, "", "Select * from NumerDdt", false, 4);
  EXPECT_EQ(rs.LeggiCampo(r, "Anno").ToLong(), 2026);
  EXPECT_EQ(rs.LeggiCampo(r, "Prefisso").ToString(), "A");
  r = rs.ApriRecordset(db_, k_, "", "Select * from DdtDett", false, 4);
  EXPECT_EQ(rs.LeggiCampo(r, "Qta").ToDouble(), 2.5);
  // What fits is stored: a text of exactly its length (accents are one
  // character each), the bounds of an Integer.
  db_.EseguiSql(k_, "Update NumerDdt Set Prefisso = 'è', Anno = 32767");
  db_.EseguiSql(k_, "Update DdtTest Set Anno = -32768");
  db_.EseguiSql(k_, "Insert into DdtTest (Anno, NumRif, RifCli) Values (-32768, 1, '" + std::string(50, 'x') + "')");
  EXPECT_EQ(Conta("DdtTest"), 1);
}

TEST_P(Ditta, RecordsetWritesCannotStoreWhatAColumnCannotHold) {
  struct Caso {
    const char* campo;
    Variant valore;
    long errore;
  };
  const Caso casi[] = {
      {"Prefisso", Variant("AB"), dati::ErrCampoPiccolo},
      {"Anno", Variant(40000), vb::ErrOverflow},
      {"Numero", Variant(3000000000.0), vb::ErrOverflow},
      {"Data", Variant("abc"), 3421},
  };
  GestRecordset rs;
  const std::string r = rs.ApriRecordset(db_, k_, "", "Select * from NumerDdt", false, 2);
  for (const auto& c : casi) {
    rs.NuovoRecord(r);
    const long n = NumeroErrore([&] {
      rs.ScriviCampo(r, "Anno", Variant(2026));
      rs.ScriviCampo(r, "Prefisso", Variant("A"));
      rs.ScriviCampo(r, c.campo, c.valore);
      rs.SalvaRecord(r);
    });
    EXPECT_EQ(n, c.errore) << c.campo;
  }
  EXPECT_EQ(Conta("NumerDdt"), 0);
  const std::string d = rs.ApriRecordset(db_, k_, "", "Select * from DdtDett", false, 2);
  rs.NuovoRecord(d);
  rs.ScriviCampo(d, "Anno", Variant(2026));
  rs.ScriviCampo(d, "NumRif", Variant(1));
  rs.ScriviCampo(d, "RigDet", Variant(1));
  rs.ScriviCampo(d, "RigLiv", Variant(1));
  EXPECT_EQ(NumeroErrore([&] { rs.ScriviCampo(d, "Qta", Variant("abc")); }), 3421);
  EXPECT_EQ(NumeroErrore([&] { rs.ScriviCampo(d, "UM", Variant(std::string(11, 'k'))); }), dati::ErrCampoPiccolo);
  rs.ScriviCampo(d, "UM", Variant(std::string(10, 'k')));
  rs.SalvaRecord(d);
  EXPECT_EQ(Conta("DdtDett"), 1);
}

// The server's texts cannot hold Chr(0): refused, never stored changed.
TEST_P(Ditta, ATextWithTheNulCharacterIsStoredWholeOrRefused) {
  const std::string conNul("a\0b", 3);
  GestRecordset rs;
  const std::string r = rs.ApriRecordset(db_, k_, "", "Select * from DdtTest", false, 2);
  rs.NuovoRecord(r);
  rs.ScriviCampo(r, "Anno", Variant(2026));
  rs.ScriviCampo(r, "NumRif", Variant(1));
  rs.ScriviCampo(r, "RifCli", Variant(conNul));
  std::string descrizione;
  const long n = NumeroErrore([&] { rs.SalvaRecord(r); }, &descrizione);
  if (GetParam() == dati::TipoMotore::Server) {
    EXPECT_EQ(n, dati::ErrTipoDati);
    EXPECT_NE(descrizione.find("carattere nullo"), std::string::npos) << descrizione;
    EXPECT_EQ(Conta("DdtTest"), 0);
  } else {
    EXPECT_EQ(n, 0) << descrizione;
    const std::string l = rs.ApriRecordset(db_, k_, "", "Select RifCli from DdtTest", false, 4);
    EXPECT_EQ(rs.LeggiCampo(l, "RifCli").ToString(), conNul);
  }
  // The same text as a literal of a statement (Chr(0) joined in).
  const std::string sql = "Insert into DdtTest (Anno, NumRif, RifCli) Values (2026, 2, " +
                          vb::FunzioniComuni::Istanza().ValoreSql(Variant(conNul), 8) + ")";
  descrizione.clear();
  const long m = NumeroErrore([&] { db_.EseguiSql(k_, sql); }, &descrizione);
  if (GetParam() == dati::TipoMotore::Server) {
    EXPECT_EQ(m, dati::ErrTipoDati);
    EXPECT_NE(descrizione.find("carattere nullo"), std::string::npos) << descrizione;
    EXPECT_EQ(Conta("DdtTest"), 0);
  } else {
    EXPECT_EQ(m, 0) << descrizione;
    const std::string l = rs.ApriRecordset(db_, k_, "", "Select RifCli from DdtTest where NumRif = 2", false, 4);
    EXPECT_EQ(rs.LeggiCampo(l, "RifCli").ToString(), conNul);
  }
}

// Field names, and so grid headings and the listing of a query, as the
// schema spells its columns, or as the statement spells an alias.
TEST_P(Ditta, FieldNamesAreSpeltAsTheSchemaOrTheStatementSpellsThem) {
  db_.EseguiSql(k_, "Insert into DdtTest (Anno, NumRif, RifCli) Values (2026, 7, 'x')");
  GestRecordset rs;
  std::string r = rs.ApriRecordset(db_, k_, "", "Select * from DdtTest", false, 2);
  dati::Recordset& tutti = rs.RecordsetDao(r);
  EXPECT_EQ(tutti.Campo(0).nome, "Anno");
  EXPECT_EQ(tutti.Campo(1).nome, "NumRif");
  EXPECT_EQ(tutti.Campo(2).nome, "DataRif");
  r = rs.ApriRecordset(db_, k_, "",
                       "Select anno, NUMRIF, numrif as NumeroDelDdt, T.datarif, Count(*) as QuantiDdt "
                       "from ddttest as T group by anno, numrif, datarif",
                       false, 4);
  dati::Recordset& scelti = rs.RecordsetDao(r);
  ASSERT_EQ(scelti.NumCampi(), 5);
  const char* attesi[] = {"Anno", "NumRif", "NumeroDelDdt", "DataRif", "QuantiDdt"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(scelti.Campo(i).nome, attesi[i]);
  const auto t = db_.Traduci(k_, "Select ddttest.*, D.rigliv from DdtTest inner join ddtdett D on D.anno = ddttest.anno");
  EXPECT_EQ(t->colonne.at(1).nome, "NumRif");
  EXPECT_EQ(t->colonne.back().nome, "RigLiv");
  // The catalog itself, which the look-up windows read.
  const dati::TabellaCat* tc = db_.Motore(k_).LeggiCatalogo().Tabella("ddtdett");
  ASSERT_NE(tc, nullptr);
  EXPECT_EQ(tc->nome, "DdtDett");
  EXPECT_EQ(tc->chiave, (std::vector<std::string>{"Anno", "NumRif", "RigDet"}));
}

INSTANTIATE_TEST_SUITE_P(Motori, Ditta, ::testing::Values(dati::TipoMotore::SQLite, dati::TipoMotore::Server), Nome);

// ------------------------------------------------------------ a disk that fills up

// The engine's own limit on the file's size stands for a full disk (the
// demo company fits in the pages the schema leaves, so its failing commit
// is shown below with another refusal).
TEST(DiscoPieno, CreatingTheSchemaReportsTheDiskError) {
  prova::CartellaTemp dir("pieno");
  {
    GestDatabase db;
    const std::string k = db.CreaDatabase(dir.Percorso("schema.db"));
    db.Motore(k).Esegui("PRAGMA max_page_count = 40");
    std::string descrizione;
    EXPECT_EQ(NumeroErrore([&] { dati::CreaSchema(db.Motore(k), dati::SchemaDitta()); }, &descrizione),
              dati::ErrDiscoPieno)
        << descrizione;
    EXPECT_EQ(db.Motore(k).LivelloTransazione(), 0);
    EXPECT_TRUE(db.Motore(k).LeggiCatalogo().NomiTabelle().empty());
  }
}

// A commit the engine refuses (here a deferred check that fails only at
// commit) is what the caller hears, not the rollback that follows it.
TEST(DiscoPieno, ARefusedCommitIsNotHiddenByTheRollback) {
  prova::CartellaTemp dir("commit");
  GestDatabase db;
  const std::string k = db.CreaDatabase(dir.Percorso("demo.db"));
  dati::Connessione& c = db.Motore(k);
  dati::CreaSchema(c, dati::SchemaDitta());
  c.Esegui("CREATE TABLE Padre (Id INTEGER PRIMARY KEY)");
  c.Esegui("CREATE TABLE Figlio (IdPadre INTEGER REFERENCES Padre (Id) DEFERRABLE INITIALLY DEFERRED)");
  c.Esegui("CREATE TEMP TRIGGER orfano AFTER INSERT ON main.DdtTest BEGIN INSERT INTO Figlio VALUES (99); END");
  c.Esegui("PRAGMA foreign_keys = ON");
  std::string descrizione;
  const long n = NumeroErrore([&] { dati::CreaDittaDemo(db, k); }, &descrizione);
  EXPECT_NE(n, 3034) << descrizione;
  EXPECT_NE(descrizione.find("FOREIGN KEY"), std::string::npos) << descrizione;
  EXPECT_EQ(c.LivelloTransazione(), 0);
  c.Esegui("DROP TRIGGER temp.orfano");
  EXPECT_EQ(c.Interroga("SELECT COUNT(*) FROM DdtTest").righe.at(0).at(0).ToLong(), 0);

  // The same through the helper the schema and the demo use.
  c.IniziaTransazione();
  c.Esegui("INSERT INTO Figlio VALUES (98)");
  EXPECT_THROW(c.ConfermaTransazione(), vb::Errore);
  dati::AnnullaDopoErrore(c, 0);
  EXPECT_EQ(c.LivelloTransazione(), 0);
}

// A company file made before the checks existed gets them when its schema
// is brought up to date (the tables are there already, the checks are
// added beside them); until then a recordset still refuses a text too long.
TEST(ValoriSalvati, AnOlderCompanyFileGetsTheChecksWithItsSchema) {
  prova::CartellaTemp dir("vecchia");
  GestDatabase db;
  const std::string k = db.CreaDatabase(dir.Percorso("ditta.db"));
  dati::Connessione& c = db.Motore(k);
  for (const auto& t : dati::SchemaDitta())
    c.Esegui(dati::IstruzioniTabella(t, dati::TipoMotore::SQLite).front());
  c.AzzeraCatalogo();
  EXPECT_EQ(c.Interroga("SELECT COUNT(*) FROM sqlite_master WHERE type = 'trigger'").righe.at(0).at(0).ToLong(), 0);
  GestRecordset rs;
  const std::string r = rs.ApriRecordset(db, k, "", "Select * from NumerDdt", false, 2);
  rs.NuovoRecord(r);
  EXPECT_EQ(NumeroErrore([&] { rs.ScriviCampo(r, "Prefisso", Variant("AB")); }), dati::ErrCampoPiccolo);
  rs.ScriviCampo(r, "Anno", Variant(2026));
  rs.ScriviCampo(r, "Prefisso", Variant("A"));
  rs.SalvaRecord(r);
  // What such a file may already hold.
  c.Esegui("INSERT INTO NumerDdt (Anno, Prefisso, Numero) VALUES (2025, 'XX', 1)");

  dati::CreaSchema(c, dati::SchemaDitta());
  // That row can still be saved in its other columns.
  EXPECT_EQ(db.EseguiSql(k, "Update NumerDdt Set Numero = 2 Where Anno = 2025"), 1);
  EXPECT_EQ(NumeroErrore([&] { db.EseguiSql(k, "Update NumerDdt Set Anno = 40000"); }), vb::ErrOverflow);
  EXPECT_EQ(NumeroErrore([&] { db.EseguiSql(k, "Update NumerDdt Set Prefisso = 'AB'"); }), dati::ErrCampoPiccolo);
  const std::string l = rs.ApriRecordset(db, k, "", "Select Anno, Prefisso from NumerDdt Where Anno = 2026", false, 4);
  EXPECT_EQ(rs.LeggiCampo(l, "Anno").ToLong(), 2026);
  EXPECT_EQ(rs.LeggiCampo(l, "Prefisso").ToString(), "A");
}

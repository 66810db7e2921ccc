// Recordsets read as the caller moves: the first rows of a large result
// come without the rest, and whatever the connection does meanwhile
// (writes, commits, rollbacks, other recordsets, other users) neither
// breaks the reading nor changes the rows it gives.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/RuntimeServer.h"
#include "platform/dati/Transazioni.h"
#include "ServerDiProva.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

using namespace dati;

namespace {

enum class Motore { SQLite, Server };

constexpr long kRighe = 20000;

class Lettura : public ::testing::TestWithParam<Motore> {
 protected:
  void SetUp() override {
    if (GetParam() == Motore::Server) {
      SALTA_SENZA_SERVER();
      server_ = std::make_unique<prova::DatabaseServer>();
      server_->Apri();  // installs the run time
    } else {
      GestDatabase crea;
      crea.CreaDatabase(dir_.Percorso("ditta.db"));
    }
    conn_ = Apri(db_);
    db_.EseguiSql(conn_, "CREATE TABLE Righe (Id INTEGER NOT NULL PRIMARY KEY, Gruppo INTEGER, Nota VARCHAR(30))",
                  64);
    if (GetParam() == Motore::Server)
      db_.EseguiSql(conn_,
                    "INSERT INTO righe SELECT g, g % 7, 'nota ' || g FROM generate_series(1, " +
                        std::to_string(kRighe) + ") g",
                    64);
    else
      db_.EseguiSql(conn_,
                    "WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g WHERE x < " +
                        std::to_string(kRighe) + ") INSERT INTO Righe SELECT x, x % 7, 'nota ' || x FROM g",
                    64);
    db_.Motore(conn_).AzzeraCatalogo();
  }
  void TearDown() override {
    while (LivelloTransWorkspace() > 0) AnnullaTransWorkspace();
  }

  std::string Apri(GestDatabase& db) const {
    return GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, server_->Connessione())
                                        : db.ApriDatabase(dir_.Percorso("ditta.db"));
  }

  // A walk of the whole recordset from where it stands: the ids it gives,
  // each once and in order.
  long Cammina(GestRecordset& rs, const std::string& k, long dopo = 0) {
    long n = 0, ultimo = dopo;
    while (!rs.FineRec(k)) {
      const long id = rs.LeggiCampo(k, "Id").ToLong();
      EXPECT_GT(id, ultimo);
      ultimo = id;
      ++n;
      rs.ProssimoRec(k);
    }
    return n;
  }

  long Conta(const std::string& dove) {
    GestRecordset rs;
    const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Count(*) as N from Righe where " + dove, false, 4);
    return rs.LeggiCampo(k, "N").ToLong();
  }

  bool SQLite() const { return GetParam() == Motore::SQLite; }

  prova::CartellaTemp dir_{"lettura"};
  std::unique_ptr<prova::DatabaseServer> server_;
  GestDatabase db_;
  std::string conn_;
};

}  // namespace

TEST_P(Lettura, FirstRowsComeWithoutTheRestAndEveryMoveStillWorks) {
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo, Nota from Righe order by Id", false, 4);
  Recordset& r = rs.RecordsetDao(k);
  EXPECT_LE(r.RigheLette(), 256);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 1);
  for (int i = 0; i < 20; ++i) rs.ProssimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "nota 21");
  EXPECT_EQ(rs.PosRecord(k), 20);
  EXPECT_LE(r.RigheLette(), 256);
  // The count is exact at once, counted in the reading's own snapshot
  // without handing the rows over.
  EXPECT_EQ(rs.NumRecord(k), kRighe);
  EXPECT_LE(r.RigheLette(), 256);
  const std::string segno = rs.RecordsetDao(k).Bookmark();
  rs.VaiARec(k, kRighe - 2);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe - 1);
  EXPECT_EQ(prova::NumeroErrore([&] { rs.VaiARec(k, kRighe); }), 3001);
  rs.PrecedenteRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe - 2);
  // A bookmark this recordset did not hand out is refused with the legacy
  // error, and the current row stays.
  for (const std::string& cattivo : {segno + "x", " " + segno, "+" + segno, segno + " ", std::string(),
                                    std::string("99999999999999999999"), std::string("-1"), std::string("abc")})
    EXPECT_EQ(prova::NumeroErrore([&] { r.SetBookmark(cattivo); }), 3159) << "[" << cattivo << "]";
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe - 2);
  r.SetBookmark(segno);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 21);
  rs.UltimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe);
  EXPECT_EQ(r.RigheLette(), kRighe);
  rs.ProssimoRec(k);
  EXPECT_TRUE(rs.FineRec(k));
  EXPECT_EQ(prova::NumeroErrore([&] { rs.ProssimoRec(k); }), ErrNessunRecordCorrente);
  rs.PrimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 1);
  EXPECT_EQ(prova::NumeroErrore([&] { rs.PrecedenteRec(k); rs.PrecedenteRec(k); }), ErrNessunRecordCorrente);

  // A search reads only as far as it needs.
  const std::string k2 = rs.ApriRecordset(db_, conn_, "", "Select Id, Nota from Righe order by Id", false, 4);
  rs.CercaPrimo(k2, "Nota = 'nota 300'");
  EXPECT_FALSE(rs.NonTrovato(k2));
  EXPECT_EQ(rs.PosRecord(k2), 299);
  EXPECT_LT(rs.RecordsetDao(k2).RigheLette(), 2000);
  rs.CercaProssimo(k2, "Nota = 'nota 300'");
  EXPECT_TRUE(rs.NonTrovato(k2));

  // Read again with a condition, after a partial reading.
  const std::string k3 = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo from Righe order by Id", false, 2);
  rs.ProssimoRec(k3);
  rs.Riapri(k3, "Gruppo = 3");
  EXPECT_EQ(rs.LeggiCampo(k3, "Id").ToLong(), 3);
  EXPECT_EQ(rs.NumRecord(k3), Conta("Gruppo = 3"));
}

TEST_P(Lettura, WritesCommitsAndRollbacksOfTheSameConnectionLeaveTheReadingWhole) {
  for (const bool conferma : {false, true}) {
    SCOPED_TRACE(conferma ? "commit" : "rollback");
    GestRecordset rs;
    const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo from Righe order by Id", false, 4);
    for (int i = 0; i < 10; ++i) rs.ProssimoRec(k);
    // Another recordset of the same connection, read in turns with it.
    const std::string altro =
        rs.ApriRecordset(db_, conn_, "", "Select Id from Righe where Gruppo = 1 order by Id desc", false, 4);
    IniziaTransWorkspace();
    db_.EseguiSql(conn_, "Update Righe set Gruppo = -1 where Id > 5");
    db_.EseguiSql(conn_, "Delete from Righe where Id > " + std::to_string(kRighe / 2));
    db_.EseguiSql(conn_, "Insert into Righe (Id, Gruppo, Nota) Values (" + std::to_string(kRighe * 2) + ", 9, 'x')");
    for (int i = 0; i < 300; ++i) rs.ProssimoRec(k);
    EXPECT_EQ(rs.LeggiCampo(k, "Gruppo").ToLong(), 311 % 7);
    // Inside the transaction a new reading sees its writes.
    EXPECT_EQ(Conta("Gruppo = -1"), kRighe / 2 - 5);
    if (conferma) ConfermaTransWorkspace();
    else AnnullaTransWorkspace();
    long n = 0;
    while (!rs.FineRec(k) && !rs.FineRec(altro)) {
      EXPECT_EQ(rs.LeggiCampo(k, "Gruppo").ToLong(), rs.LeggiCampo(k, "Id").ToLong() % 7);
      EXPECT_EQ(rs.LeggiCampo(altro, "Id").ToLong() % 7, 1);
      rs.ProssimoRec(k);
      rs.ProssimoRec(altro);
      ++n;
    }
    EXPECT_EQ(Cammina(rs, k, 310 + n), kRighe - 310 - n);
    EXPECT_EQ(rs.NumRecord(k), kRighe);  // the rows of the moment it opened
    EXPECT_EQ(Conta("Gruppo = -1"), conferma ? kRighe / 2 - 5 : 0);
    if (conferma) {
      // Put back for the other pass.
      db_.EseguiSql(conn_, "Delete from Righe");
      db_.EseguiSql(conn_,
                    SQLite() ? "WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g WHERE x < " +
                                   std::to_string(kRighe) + ") INSERT INTO Righe SELECT x, x % 7, 'nota ' || x FROM g"
                             : "INSERT INTO righe SELECT g, g % 7, 'nota ' || g FROM generate_series(1, " +
                                   std::to_string(kRighe) + ") g",
                    64);
    }
  }
}

TEST_P(Lettura, OtherUsersWriteMeanwhileAndThisOneCanStillSave) {
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo from Righe order by Id", false, 4);
  rs.ProssimoRec(k);
  {
    GestDatabase altro;
    const std::string c2 = Apri(altro);
    altro.EseguiSql(c2, "Update Righe set Gruppo = 100 where Id <= 5000");
    altro.EseguiSql(c2, "Delete from Righe where Id > 15000");
  }
  // A save of this user begins after the other's commit, with the reading
  // still open on the older rows.
  IniziaTransWorkspace();
  db_.EseguiSql(conn_, "Update Righe set Nota = 'mia' where Id = 3");
  ConfermaTransWorkspace();
  EXPECT_EQ(Conta("Nota = 'mia'"), 1);
  EXPECT_EQ(rs.LeggiCampo(k, "Gruppo").ToLong(), 2);
  EXPECT_EQ(Cammina(rs, k, 1), kRighe - 1);
  EXPECT_EQ(rs.NumRecord(k), kRighe);
  rs.Riapri(k);
  EXPECT_EQ(rs.NumRecord(k), 15000);
  EXPECT_EQ(rs.LeggiCampo(k, "Gruppo").ToLong(), 100);
}

TEST_P(Lettura, EditsDeletionsAndNewRowsDuringAWalkGoThroughTheKey) {
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select * from Righe order by Id", false, 2);
  long n = 0, ultimo = 0;
  while (!rs.FineRec(k)) {
    const long id = rs.LeggiCampo(k, "Id").ToLong();
    EXPECT_GT(id, ultimo);
    ultimo = id;
    ++n;
    if (id % 1000 == 0) {
      rs.ModificaRecord(k);
      rs.ScriviCampo(k, "Id", id + kRighe * 10);  // moves the row ahead of the walk
      rs.ScriviCampo(k, "Nota", "cambiata");
      rs.SalvaRecord(k);
    }
    if (id == 2500) {
      rs.CancellaRecord(k);
      EXPECT_TRUE(rs.NessunRecord(k));
    }
    rs.ProssimoRec(k);
    if (n == 3000) {
      // A new row goes after all the others, read or not.
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Id", kRighe * 100 + 1);
      rs.ScriviCampo(k, "Nota", "nuova");
      rs.SalvaRecord(k);
      EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 3001);
    }
  }
  EXPECT_EQ(n, kRighe + 1);
  EXPECT_EQ(rs.NumRecord(k), kRighe);
  rs.UltimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "nuova");
  EXPECT_EQ(Conta("Nota = 'cambiata'"), kRighe / 1000);
  EXPECT_EQ(Conta("Id = 2500"), 0);

  // A row changed by another user after the reading opened is refused.
  const std::string k2 = rs.ApriRecordset(db_, conn_, "", "Select * from Righe order by Id", false, 2);
  GestDatabase altro;
  const std::string c2 = Apri(altro);
  altro.EseguiSql(c2, "Update Righe set Nota = 'altro' where Id = 7001");
  rs.CercaPrimo(k2, "Id = 7001");
  ASSERT_FALSE(rs.NonTrovato(k2));
  rs.ModificaRecord(k2);
  rs.ScriviCampo(k2, "Gruppo", 42);
  EXPECT_EQ(prova::NumeroErrore([&] { rs.SalvaRecord(k2); }), ErrRigaCambiata);
}

TEST_P(Lettura, ARecordsetOpenedInsideATransactionSeesItsWritesAndOutlivesIt) {
  IniziaTransWorkspace();
  db_.EseguiSql(conn_, "Update Righe set Gruppo = -1 where Id <= 100");
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo from Righe order by Id", false, 4);
  EXPECT_EQ(rs.LeggiCampo(k, "Gruppo").ToLong(), -1);
  AnnullaTransWorkspace();
  EXPECT_EQ(Cammina(rs, k), kRighe);
  EXPECT_EQ(Conta("Gruppo = -1"), 0);
}

TEST_P(Lettura, ReadingAfterTheDatabaseClosedIsAnError) {
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id from Righe order by Id", false, 4);
  db_.ChiudiDatabase(conn_);
  EXPECT_EQ(prova::NumeroErrore([&] { rs.UltimoRec(k); }), 3420);
  rs.ChiudiRecordset(k);
}

INSTANTIATE_TEST_SUITE_P(Motori, Lettura, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

// A read-only recordset keeps a window of rows: a walk of the whole result
// holds no more than the window, and every move, position, bookmark and
// search still lands on the right row, reading again when it must.
TEST_P(Lettura, AReadOnlyRecordsetKeepsAWindowAndReadsAgainWhatItLetGo) {
  struct Finestra {
    long prima = FinestraRighe();
    ~Finestra() { ImpostaFinestraRighe(prima); }
  } ripristino;
  ImpostaFinestraRighe(1000);
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Nota from Righe order by Id", false, 4);
  Recordset& r = rs.RecordsetDao(k);
  rs.ProssimoRec(k);
  const std::string secondo = r.Bookmark();
  long massimo = 0;
  EXPECT_EQ(Cammina(rs, k, 1), kRighe - 1);
  massimo = std::max(massimo, r.RigheInMemoria());
  EXPECT_LE(massimo, 5000);
  EXPECT_EQ(rs.NumRecord(k), kRighe);
  const long letteUnaVolta = r.RigheLette();
  EXPECT_EQ(letteUnaVolta, kRighe);
  // Back to rows the window let go.
  rs.PrecedenteRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe);
  r.SetBookmark(secondo);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "nota 2");
  EXPECT_GT(r.RigheLette(), letteUnaVolta);
  rs.VaiARec(k, 15000);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 15001);
  for (int i = 0; i < 3000; ++i) rs.PrecedenteRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 12001);
  EXPECT_EQ(rs.PosRecord(k), 12000);
  rs.CercaPrimo(k, "Nota = 'nota 7'");
  EXPECT_FALSE(rs.NonTrovato(k));
  EXPECT_EQ(rs.PosRecord(k), 6);
  rs.CercaProssimo(k, "Id > 19990");
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 19991);
  rs.PrimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 1);
  rs.UltimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), kRighe);
  EXPECT_LE(r.RigheInMemoria(), 5000);
  // Writes meanwhile do not change the rows read again.
  db_.EseguiSql(conn_, "Update Righe set Nota = 'cambiata' where Id = 3");
  rs.VaiARec(k, 2);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "nota 3");
  rs.Riapri(k);
  rs.VaiARec(k, 2);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "cambiata");
}

// The count asked before the last row is read is that of the rows the
// recordset gives, whatever closes the statement: an order (which counting
// leaves out), an order that picks the rows (Top, with the rows tied with
// the last), the words "order by" inside a text or a sub-select.
TEST_P(Lettura, TheCountBeforeTheLastRowIsThatOfTheRowsGiven) {
  struct Caso {
    const char* sql;
    long righe;
  } casi[] = {
      {"Select Id, Nota from Righe order by Nota desc, Id", kRighe},
      {"Select Id from Righe where Gruppo = 3 order by Id", kRighe / 7},
      {"Select Top 3 Id, Gruppo from Righe order by Gruppo", kRighe / 7},
      {"Select Id from Righe where Nota <> 'x order by y' and Id in (select top 10 Id from Righe order by Id) "
       "order by Id",
       10},
      {"Select Gruppo, Count(*) as N from Righe group by Gruppo order by Count(*) desc", 7},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.sql);
    GestRecordset rs;
    const std::string k = rs.ApriRecordset(db_, conn_, "", c.sql, false, 4);
    EXPECT_EQ(rs.RecordsetDao(k).RecordCount(), c.righe);
    long n = 0;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) ++n;
    EXPECT_EQ(n, c.righe);
  }
}

// What a list shows before the user reaches the end: the rows read so far,
// without counting the others, more as it asks, all once the last is read.
TEST_P(Lettura, TheRowsKnownGrowAsAskedWithoutCountingTheRest) {
  for (int tipo : {4, 2}) {
    SCOPED_TRACE(tipo);
    GestRecordset rs;
    const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Gruppo, Nota from Righe order by Id", false, tipo);
    Recordset& r = rs.RecordsetDao(k);
    EXPECT_GT(r.RigheNote(), 0);
    EXPECT_LE(r.RigheNote(), 256);
    EXPECT_FALSE(r.FineNota());
    EXPECT_EQ(r.LeggiFinoA(1), r.RigheNote());  // nothing more read for rows known
    const long lette = r.RigheLette();
    EXPECT_EQ(r.LeggiFinoA(lette), lette);
    EXPECT_EQ(r.RigheLette(), lette);
    const long note = r.LeggiFinoA(1000);
    EXPECT_GE(note, 1000);
    EXPECT_LT(note, 1000 + 4096);
    EXPECT_EQ(r.RigheNote(), note);
    EXPECT_LT(r.RigheLette(), kRighe);
    EXPECT_FALSE(r.FineNota());
    // The exact count, when asked, reads nothing and leaves the rows known
    // as they were.
    EXPECT_EQ(r.RecordCount(), kRighe);
    EXPECT_EQ(r.RigheNote(), note);
    EXPECT_EQ(r.LeggiFinoA(kRighe + 10), kRighe);
    EXPECT_TRUE(r.FineNota());
    EXPECT_EQ(r.RigheNote(), r.RecordCount());
    // A deleted row is no longer known.
    if (tipo == 2) {
      r.MoveFirst();
      r.Delete();
      EXPECT_EQ(r.RigheNote(), kRighe - 1);
      EXPECT_EQ(r.LeggiFinoA(kRighe), kRighe - 1);
    }
  }
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id from Righe where Id > 10 and Id <= 20", false, 4);
  EXPECT_TRUE(rs.RecordsetDao(k).FineNota());
  EXPECT_EQ(rs.RecordsetDao(k).RigheNote(), 10);
}

// The server computes the rows of a reading only as they are fetched: a
// row that cannot be computed fails when the walk reaches it, not when the
// recordset opens.
TEST_P(Lettura, TheServerComputesOnlyTheRowsFetched) {
  if (SQLite()) GTEST_SKIP() << "the file engine steps its statement anyway";
  db_.EseguiSql(conn_,
                "CREATE FUNCTION fallisce_a(i integer, n integer) RETURNS integer LANGUAGE plpgsql AS "
                "$$BEGIN IF i = n THEN RAISE EXCEPTION 'riga %', i; END IF; RETURN i; END$$",
                64);
  db_.EseguiSql(conn_, "CREATE VIEW Fallibili AS SELECT id, fallisce_a(id, 5000) AS x FROM righe", 64);
  db_.Motore(conn_).AzzeraCatalogo();
  GestRecordset rs;
  // No order: a sort would compute every row before the first.
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, X from Fallibili", false, 4);
  EXPECT_EQ(rs.LeggiCampo(k, "X").ToLong(), 1);
  EXPECT_LE(rs.RecordsetDao(k).RigheLette(), 256);
  rs.VaiARec(k, 4000);
  EXPECT_EQ(rs.LeggiCampo(k, "X").ToLong(), 4001);
  std::string descrizione;
  EXPECT_NE(prova::NumeroErrore([&] { rs.UltimoRec(k); }, &descrizione), 0);
  EXPECT_NE(descrizione.find("riga 5000"), std::string::npos) << descrizione;
  // A query the reading session refuses (one that writes) still reads, on
  // the connection itself.
  db_.EseguiSql(conn_, "CREATE SEQUENCE numeri", 64);
  db_.EseguiSql(conn_, "CREATE VIEW Numerate AS SELECT id, nextval('numeri') AS n FROM righe", 64);
  db_.Motore(conn_).AzzeraCatalogo();
  const std::string k2 = rs.ApriRecordset(db_, conn_, "", "Select Id, N from Numerate order by Id", false, 4);
  EXPECT_EQ(rs.NumRecord(k2), kRighe);
}

// The session a reading holds may be closed by the server (a timeout on
// sessions idle in a transaction, an administrator): the reading fails with
// a clear error, every time, and the connection goes on.
TEST_P(Lettura, AReadingWhoseServerSessionWasClosedFailsClearly) {
  if (SQLite()) GTEST_SKIP() << "no server session";
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id from Righe order by Id", false, 4);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 1);
  auto admin = server_->Apri(false);
  const Risultato chiuse = admin->Interroga(
      "SELECT count(pg_terminate_backend(pid))::int FROM pg_stat_activity WHERE datname = current_database() "
      "AND pid <> pg_backend_pid() AND state LIKE 'idle in transaction%'");
  EXPECT_EQ(chiuse.righe.at(0).at(0).ToLong(), 1);
  for (int volta = 0; volta < 2; ++volta) {
    std::string descrizione;
    EXPECT_EQ(prova::NumeroErrore([&] { rs.UltimoRec(k); }, &descrizione), ErrOdbc);
    EXPECT_NE(descrizione.find("Lettura interrotta"), std::string::npos) << descrizione;
  }
  rs.ChiudiRecordset(k);
  EXPECT_EQ(Conta("Id > 0"), kRighe);
  const std::string k2 = rs.ApriRecordset(db_, conn_, "", "Select Id from Righe order by Id", false, 4);
  EXPECT_EQ(Cammina(rs, k2), kRighe);
}

// Many readings open at once hold few server sessions: beyond a handful
// the server keeps their rows itself.
TEST_P(Lettura, ManyOpenReadingsHoldFewServerSessions) {
  if (SQLite()) GTEST_SKIP() << "no server session";
  auto admin = server_->Apri(false);
  auto sessioni = [&] {
    return admin->Interroga("SELECT count(*)::int FROM pg_stat_activity WHERE datname = current_database()")
        .righe.at(0)
        .at(0)
        .ToLong();
  };
  const long prima = sessioni();
  GestRecordset rs;
  std::vector<std::string> aperti;
  for (int i = 0; i < 12; ++i) {
    aperti.push_back(rs.ApriRecordset(db_, conn_, "", "Select Id from Righe where Gruppo = " + std::to_string(i % 7) +
                                                          " order by Id",
                                      false, 4));
    rs.ProssimoRec(aperti.back());
  }
  EXPECT_LE(sessioni(), prima + 4);
  for (int i = 0; i < 12; ++i) {
    long n = 0;
    while (!rs.FineRec(aperti[i])) {
      EXPECT_EQ(rs.LeggiCampo(aperti[i], "Id").ToLong() % 7, i % 7);
      ++n;
      rs.ProssimoRec(aperti[i]);
    }
    EXPECT_EQ(n + 1, Conta("Gruppo = " + std::to_string(i % 7)));
  }
}

// A table changed or dropped by the same connection while a reading is
// open on it: the change does not wait for the reading, and the reading
// still gives its rows.
TEST_P(Lettura, TheConnectionChangesATableItIsReading) {
  struct Finestra {
    long prima = FinestraRighe();
    ~Finestra() { ImpostaFinestraRighe(prima); }
  } ripristino;
  ImpostaFinestraRighe(1000);
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db_, conn_, "", "Select Id, Nota from Righe order by Id", false, 4);
  for (int i = 0; i < 5000; ++i) rs.ProssimoRec(k);
  db_.EseguiSql(conn_, "ALTER TABLE Righe ADD Extra INTEGER", 64);
  EXPECT_EQ(Cammina(rs, k, 5000), kRighe - 5000);
  rs.PrimoRec(k);
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "nota 1");
  EXPECT_EQ(rs.NumRecord(k), kRighe);
  db_.EseguiSql(conn_, "DROP TABLE Righe", 64);
  rs.VaiARec(k, 12345);
  EXPECT_EQ(rs.LeggiCampo(k, "Id").ToLong(), 12346);
}

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "support/CartellaTemp.h"

namespace {

const vb::FunzioniComuni& F = vb::FunzioniComuni::Istanza();

void Esegui(sqlite3* db, const char* sql) { ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql; }

}  // namespace

TEST(VerifFile, HealthyMissingAndHopelessFiles) {
  prova::CartellaTemp dir("verif");
  {
    dati::GestDatabase db;
    db.CreaDatabase(dir.Percorso("sano.db"));
  }
  EXPECT_EQ(F.VerifFile(dir.Percorso("sano.db")), 0);
  EXPECT_EQ(F.VerifFile(dir.Percorso("manca.db")), 53);
  dir.Scrivi("testo.db", std::string(8192, 'x'));
  EXPECT_EQ(F.VerifFile(dir.Percorso("testo.db")), 3343);
  EXPECT_EQ(dir.Leggi("testo.db"), std::string(8192, 'x'));  // left as it was
}

TEST(VerifFile, DamagedIndexIsRebuiltAndTheRowsKept) {
  prova::CartellaTemp dir("verif");
  const std::string file = dir.Percorso("ditta.db");
  sqlite3* db;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  Esegui(db, "PRAGMA page_size=4096");
  Esegui(db, "CREATE TABLE Clienti (Codice TEXT PRIMARY KEY, Nome TEXT)");
  Esegui(db, "CREATE INDEX IxNome ON Clienti (Nome)");
  Esegui(db, "BEGIN");
  for (int i = 0; i < 2000; ++i) {
    std::string sql = "INSERT INTO Clienti VALUES ('C" + std::to_string(i) + "', 'Nome " + std::to_string(i * 7919 % 2000) + "')";
    Esegui(db, sql.c_str());
  }
  Esegui(db, "COMMIT");
  sqlite3_stmt* st;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = 'IxNome'", -1, &st, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
  const int radice = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  sqlite3_close(db);
  {
    // Scribble over the index's root page.
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(radice - 1) * 4096 + 12);
    std::string rumore(300, '\x5a');
    f.write(rumore.data(), static_cast<std::streamsize>(rumore.size()));
  }
  EXPECT_EQ(F.VerifFile(file), 0);
  dati::GestDatabase gd;
  std::string k = gd.ApriDatabase(file);
  dati::GestRecordset rs;
  std::string r = rs.ApriRecordset(gd, k, "", "Select Count(*) as N from Clienti where Nome like 'Nome*'", false, 4);
  EXPECT_EQ(rs.LeggiCampo(r, "N").ToLong(), 2000);
  bool copia = false;
  for (const auto& e : std::filesystem::directory_iterator(dir.Dir()))
    copia = copia || e.path().filename().string().rfind("ditta.db.danneggiato-", 0) == 0;
  EXPECT_TRUE(copia);
}

// A writer killed before its checkpoint leaves its saves in the -wal file:
// the repair keeps them, and keeps the damaged set whole beside the file.
TEST(VerifFile, SavesStillInTheWalSurviveTheRepair) {
  prova::CartellaTemp dir("verifwal");
  const std::string origine = dir.Percorso("scrittore.db");
  const std::string file = dir.Percorso("ditta.db");
  sqlite3* db;
  ASSERT_EQ(sqlite3_open(origine.c_str(), &db), SQLITE_OK);
  Esegui(db, "PRAGMA page_size=4096");
  Esegui(db, "PRAGMA journal_mode=WAL");
  Esegui(db, "CREATE TABLE Clienti (Codice TEXT PRIMARY KEY, Nome TEXT)");
  Esegui(db, "CREATE INDEX IxNome ON Clienti (Nome)");
  Esegui(db, "CREATE TABLE DdtTest (Anno INTEGER, NumRif INTEGER, PRIMARY KEY (Anno, NumRif))");
  Esegui(db, "BEGIN");
  for (int i = 0; i < 2000; ++i) {
    std::string sql = "INSERT INTO Clienti VALUES ('C" + std::to_string(i) + "', 'Nome " + std::to_string(i * 7919 % 2000) + "')";
    Esegui(db, sql.c_str());
  }
  for (int i = 1; i <= 100; ++i) Esegui(db, ("INSERT INTO DdtTest VALUES (2026, " + std::to_string(i) + ")").c_str());
  Esegui(db, "COMMIT");
  Esegui(db, "PRAGMA wal_checkpoint(TRUNCATE)");
  Esegui(db, "PRAGMA wal_autocheckpoint=0");
  for (int i = 101; i <= 150; ++i) Esegui(db, ("INSERT INTO DdtTest VALUES (2026, " + std::to_string(i) + ")").c_str());
  // The files as the killed writer left them (its connection still open).
  std::filesystem::copy_file(origine, file);
  std::filesystem::copy_file(origine + "-wal", file + "-wal");
  sqlite3_stmt* st;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = 'IxNome'", -1, &st, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
  const int radice = sqlite3_column_int(st, 0);
  sqlite3_finalize(st);
  sqlite3_close(db);
  {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(radice - 1) * 4096 + 12);
    std::string rumore(300, '\x5a');
    f.write(rumore.data(), static_cast<std::streamsize>(rumore.size()));
  }
  const std::string principale = dir.Leggi("ditta.db"), wal = dir.Leggi("ditta.db-wal");
  ASSERT_GT(wal.size(), 32u);

  EXPECT_EQ(F.VerifFile(file), 0);
  {
    dati::GestDatabase gd;
    std::string k = gd.ApriDatabase(file);
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(gd, k, "", "Select Count(*) as N from DdtTest", false, 4);
    EXPECT_EQ(rs.LeggiCampo(r, "N").ToLong(), 150);
    r = rs.ApriRecordset(gd, k, "", "Select Count(*) as N from Clienti where Nome like 'Nome*'", false, 4);
    EXPECT_EQ(rs.LeggiCampo(r, "N").ToLong(), 2000);
  }
  // The original set, untouched, under one name.
  std::string copia;
  for (const auto& e : std::filesystem::directory_iterator(dir.Dir())) {
    const std::string n = e.path().filename().string();
    if (n.rfind("ditta.db.danneggiato-", 0) == 0 && n.find("-wal") == std::string::npos &&
        n.find("-shm") == std::string::npos)
      copia = n;
  }
  ASSERT_FALSE(copia.empty());
  EXPECT_EQ(dir.Leggi(copia), principale);
  EXPECT_EQ(dir.Leggi(copia + "-wal"), wal);
}

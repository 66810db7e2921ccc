// Opening a company file: an empty file is no company and stays as it is;
// a company that cannot be written (read-only folder or medium) is read,
// and its saves are refused saying why.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Motore.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"
#include "support/Processi.h"

using prova::NumeroErrore;

namespace {

namespace fs = std::filesystem;

void Esegui(sqlite3* db, const std::string& sql) {
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql << ": " << sqlite3_errmsg(db);
}

// A folder that other users can enter (the tests' own folder may be
// private), removed at the end.
class CartellaPubblica {
 public:
  CartellaPubblica() {
    char modello[] = "/tmp/ddt-solalettura-XXXXXX";
    dir_ = ::mkdtemp(modello);
    ::chmod(dir_.c_str(), 0755);
  }
  ~CartellaPubblica() {
    ::chmod(dir_.c_str(), 0755);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string Percorso(const std::string& nome) const { return dir_ + "/" + nome; }
  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
};

// Reads the company and tries a save, as a user who cannot write the
// folder; the answer is 0 or the number of the step that went wrong.
int LeggiESalva(const std::string& file, long righeAttese) {
  dati::GestDatabase db;
  const std::string k = db.ApriDatabase(file);
  dati::GestRecordset rs;
  const std::string r = rs.ApriRecordset(db, k, "", "Select Count(*) as N from Clienti", false, 4);
  if (rs.LeggiCampo(r, "N").ToLong() != righeAttese) return 1;
  std::string descrizione;
  const long n = NumeroErrore([&] { db.EseguiSql(k, "Insert into Clienti (Codice) Values ('Nuovo')"); }, &descrizione);
  if (n != dati::ErrNonAggiornabile || descrizione.find("sola lettura") == std::string::npos) {
    std::fprintf(stderr, "salvataggio: %ld %s\n", n, descrizione.c_str());
    return 2;
  }
  // Through a recordset inside a transaction, as the program saves.
  db.Motore(k).IniziaTransazione();
  const std::string w = rs.ApriRecordset(db, k, "", "Select * from Clienti", false, 2);
  rs.NuovoRecord(w);
  rs.ScriviCampo(w, "Codice", vb::Variant("Altro"));
  if (NumeroErrore([&] { rs.SalvaRecord(w); }) != dati::ErrNonAggiornabile) return 3;
  db.Motore(k).AnnullaTransazione();
  const std::string r2 = rs.ApriRecordset(db, k, "", "Select Count(*) as N from Clienti", false, 4);
  if (rs.LeggiCampo(r2, "N").ToLong() != righeAttese) return 4;
  return 0;
}

// Runs LeggiESalva as a user who cannot write `cartella`: the
// administrator writes anywhere, so then a child process becomes nobody.
int DaUtenteSenzaScrittura(const CartellaPubblica& cartella, const std::string& file, long righe) {
  if (::geteuid() == 0) {
    return prova::Attendi(prova::Figlio([&] {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 100;
      return LeggiESalva(file, righe);
    }));
  }
  ::chmod(cartella.Dir().c_str(), 0555);
  ::chmod(file.c_str(), 0444);
  const int r = LeggiESalva(file, righe);
  ::chmod(file.c_str(), 0644);
  ::chmod(cartella.Dir().c_str(), 0755);
  return r;
}

}  // namespace

TEST(AperturaDitta, AnEmptyFileIsNoCompanyAndIsLeftEmpty) {
  prova::CartellaTemp dir("vuoto");
  dir.Scrivi("ditta.db", "");
  dati::GestDatabase db;
  std::string descrizione;
  EXPECT_EQ(NumeroErrore([&] { db.ApriDatabase(dir.Percorso("ditta.db")); }, &descrizione), dati::ErrFileDbIllegibile);
  EXPECT_NE(descrizione.find("vuoto"), std::string::npos) << descrizione;
  EXPECT_EQ(fs::file_size(dir.Percorso("ditta.db")), 0u);
  EXPECT_FALSE(dir.Esiste("ditta.db-wal"));
  // Nothing to repair in it, and the repair leaves it as it is.
  EXPECT_EQ(vb::FunzioniComuni::Istanza().VerifFile(dir.Percorso("ditta.db")), dati::ErrFileDbIllegibile);
  EXPECT_EQ(fs::file_size(dir.Percorso("ditta.db")), 0u);
  // Creating a company still makes the file.
  const std::string k = db.CreaDatabase(dir.Percorso("ditta.db"));
  db.Motore(k).Esegui("CREATE TABLE T (X INTEGER)");
  EXPECT_GT(fs::file_size(dir.Percorso("ditta.db")), 0u);
}

TEST(AperturaDitta, ACompanyThatCannotBeWrittenIsReadAndItsSavesRefused) {
  CartellaPubblica cartella;
  const std::string file = cartella.Percorso("ditta.db");
  {
    dati::GestDatabase db;
    const std::string k = db.CreaDatabase(file);
    db.Motore(k).Esegui("CREATE TABLE Clienti (Codice VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY)");
    db.Motore(k).AzzeraCatalogo();
    db.EseguiSql(k, "Insert into Clienti (Codice) Values ('C1')");
  }
  ::chmod(file.c_str(), 0644);
  // Closed cleanly: no -wal, no -shm beside it, and none can be made.
  ASSERT_FALSE(fs::exists(file + "-wal"));
  EXPECT_EQ(DaUtenteSenzaScrittura(cartella, file, 1), 0);
  EXPECT_FALSE(fs::exists(file + "-wal"));

  // While another program keeps saves in the WAL: they are read too.
  sqlite3* scrittore;
  ASSERT_EQ(sqlite3_open(file.c_str(), &scrittore), SQLITE_OK);
  Esegui(scrittore, "PRAGMA wal_autocheckpoint = 0");
  Esegui(scrittore, "INSERT INTO Clienti VALUES ('C2')");
  ::chmod((file + "-wal").c_str(), 0644);
  ::chmod((file + "-shm").c_str(), 0644);
  EXPECT_EQ(DaUtenteSenzaScrittura(cartella, file, 2), 0);
  sqlite3_close(scrittore);
}

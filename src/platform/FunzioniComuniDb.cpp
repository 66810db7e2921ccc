// The members of the utility object that reach the database engine.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <utility>
#include <vector>

#include "platform/FunzioniComuni.h"
#include "platform/Errore.h"
#include "platform/Percorsi.h"
#include "platform/dati/Motore.h"
#include "platform/dati/MotoreSQLite.h"
#include "platform/dati/Transazioni.h"

namespace vb {

namespace {

// "ok" from the engine's own check of the whole file.
bool Integro(const std::string& file) {
  sqlite3* db = nullptr;
  bool ok = false;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
      const unsigned char* r = sqlite3_column_text(st, 0);
      ok = r && std::string(reinterpret_cast<const char*>(r)) == "ok";
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return ok;
}

bool Esegui(sqlite3* db, const std::string& sql) {
  return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string Quota(const std::string& s, char q) {
  std::string out(1, q);
  for (char c : s) {
    out += c;
    if (c == q) out += c;
  }
  return out + q;
}

// Copies what can be read of `danneggiato` (as SQLite sees it, main file and
// WAL together) into a new file: each table by a plain scan (a damaged index
// is never read), row by row up to the first unreadable one, then the
// indexes, views and triggers built anew.
bool Ricostruisci(const std::string& danneggiato, const std::string& nuovo) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(nuovo.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI,
                      nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  bool ok = Esegui(db, "ATTACH DATABASE " + Quota(dati::IndirizzoFileSQLite(danneggiato), '\'') + " AS vecchio") &&
            Esegui(db, "BEGIN");
  std::vector<std::pair<std::string, std::string>> tabelle, altri;
  sqlite3_stmt* st = nullptr;
  if (ok && sqlite3_prepare_v2(db, "SELECT type, name, sql FROM vecchio.sqlite_master WHERE sql IS NOT NULL "
                                   "AND name NOT LIKE 'sqlite_%' ORDER BY rowid", -1, &st, nullptr) == SQLITE_OK) {
    while (sqlite3_step(st) == SQLITE_ROW) {
      std::string tipo = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
      std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
      std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(st, 2));
      (tipo == "table" ? tabelle : altri).emplace_back(nome, sql);
    }
  } else {
    ok = false;
  }
  sqlite3_finalize(st);
  for (const auto& [nome, sql] : tabelle) {
    if (!ok) break;
    ok = Esegui(db, sql);
    sqlite3_stmt* leggi = nullptr;
    sqlite3_stmt* scrivi = nullptr;
    if (ok && sqlite3_prepare_v2(db, ("SELECT * FROM vecchio." + Quota(nome, '"') + " NOT INDEXED").c_str(), -1, &leggi, nullptr) == SQLITE_OK) {
      const int n = sqlite3_column_count(leggi);
      std::string segni;
      for (int i = 0; i < n; ++i) segni += i ? ",?" : "?";
      ok = sqlite3_prepare_v2(db, ("INSERT INTO main." + Quota(nome, '"') + " VALUES (" + segni + ")").c_str(), -1, &scrivi, nullptr) == SQLITE_OK;
      while (ok && sqlite3_step(leggi) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) sqlite3_bind_value(scrivi, i + 1, sqlite3_column_value(leggi, i));
        ok = sqlite3_step(scrivi) == SQLITE_DONE;
        sqlite3_reset(scrivi);
      }
    } else {
      ok = false;
    }
    sqlite3_finalize(leggi);
    sqlite3_finalize(scrivi);
  }
  for (const auto& [nome, sql] : altri) {
    if (!ok) break;
    ok = Esegui(db, sql);
  }
  ok = ok && Esegui(db, "COMMIT");
  sqlite3_close(db);
  return ok;
}

std::string Marca() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
  return buf;
}

}  // namespace

long FunzioniComuni::VerifFile(std::string_view nome) const {
  namespace fs = std::filesystem;
  const std::string file = PercorsoLocale(nome);
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return ErrFileNonTrovato;
  const std::string wal = file + "-wal", shm = file + "-shm";
  // A file of no bytes holds nothing to recover (unless its WAL does).
  if (fs::file_size(file, ec) == 0) {
    const auto n = fs::file_size(wal, ec);
    if (ec || n <= 32) return dati::ErrFileDbIllegibile;
  }
  if (Integro(file)) return 0;
  // Keep the damaged set as it is, main file, -wal and -shm under one new
  // name (opened, the copy shows what the original showed), then copy out
  // whatever the engine can still read of the original into a fresh file.
  const std::string copia = file + ".danneggiato-" + Marca();
  for (const auto& [da, a] : {std::pair{file, copia}, std::pair{wal, copia + "-wal"}, std::pair{shm, copia + "-shm"}}) {
    if (da != file && !fs::exists(da, ec)) continue;
    fs::copy_file(da, a, fs::copy_options::overwrite_existing, ec);
    if (ec) return dati::ErrFileDbIllegibile;
  }
  const std::string nuovo = file + ".ricostruito";
  fs::remove(nuovo, ec);
  if (!Ricostruisci(file, nuovo) || !Integro(nuovo)) {
    fs::remove(nuovo, ec);
    return dati::ErrFileDbIllegibile;
  }
  // The WAL now lives in the rebuilt file (and whole in the copy): only
  // then it goes, before the rebuilt file takes the name, so that its old
  // frames are never laid over the new file.
  for (const auto& f : {wal, shm}) {
    fs::remove(f, ec);
    if (ec) {
      fs::remove(nuovo, ec);
      return dati::ErrFileDbIllegibile;
    }
  }
  fs::rename(nuovo, file, ec);
  return ec ? static_cast<long>(dati::ErrFileDbIllegibile) : 0L;
}

void FunzioniComuni::IniziaTrans(const Variant&, int) const { dati::IniziaTransWorkspace(); }
void FunzioniComuni::ConfermaTrans(const Variant&, int) const { dati::ConfermaTransWorkspace(); }
void FunzioniComuni::AnnullaTrans(const Variant&, int) const { dati::AnnullaTransWorkspace(); }

}  // namespace vb

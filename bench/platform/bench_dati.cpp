// The data layer against raw SQLite, the first row of a large result, and
// the cost of translating the largest statement of the program (the joined
// read of a DDT header).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/Traduttore.h"

namespace {

constexpr int kRighe = 100000;

struct Archivio {
  std::string file;
  Archivio() {
    file = (std::filesystem::temp_directory_path() / "bench_dati.db").string();
    std::filesystem::remove(file);
    dati::GestDatabase db;
    std::string k = db.CreaDatabase(file);
    auto& m = db.Motore(k);
    m.Esegui("CREATE TABLE Righe (Id INTEGER PRIMARY KEY, Articolo VARCHAR(20) COLLATE NOCASE, "
             "Qta DOUBLE, Prezzo CURRENCY, DataDoc DATETIME, Nota VARCHAR(50) COLLATE NOCASE)");
    m.IniziaTransazione();
    for (int i = 0; i < kRighe; ++i)
      m.Esegui("INSERT INTO Righe VALUES (?, ?, ?, ?, ?, ?)",
               {i, "ART" + std::to_string(i % 997), i * 0.5, vb::Currency::FromRaw(i * 1234LL),
                vb::Date::FromYmd(2026, 1 + i % 12, 1 + i % 28), "nota " + std::to_string(i)});
    m.ConfermaTransazione();
    m.AzzeraCatalogo();
  }
};

const Archivio& Dati() {
  static Archivio a;
  return a;
}

// A table of a million rows, filled by the engine itself.
struct ArchivioGrande {
  std::string file;
  ArchivioGrande() {
    file = (std::filesystem::temp_directory_path() / "bench_dati_grande.db").string();
    std::filesystem::remove(file);
    dati::GestDatabase db;
    std::string k = db.CreaDatabase(file);
    db.EseguiSql(k, "CREATE TABLE Grande (Id INTEGER PRIMARY KEY, Articolo VARCHAR(20) COLLATE NOCASE, "
                    "Qta DOUBLE, Prezzo CURRENCY, DataDoc DATETIME, Nota VARCHAR(50) COLLATE NOCASE)", 64);
    db.EseguiSql(k, "WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g WHERE x < 1000000) "
                    "INSERT INTO Grande SELECT x, 'ART' || (x % 997), x * 0.5, x * 0.1234, "
                    "'2026-' || substr('0' || (1 + x % 12), -2) || '-' || substr('0' || (1 + x % 28), -2), "
                    "'nota ' || x FROM g", 64);
  }
};

const ArchivioGrande& Grande() {
  static ArchivioGrande a;
  return a;
}

// Opening a list ordered by key and reading its first row, over 10,000 and
// over 1,000,000 rows: the time should not grow with the rows, nor the
// memory the open recordset holds.
void PrimaRiga(benchmark::State& st) {
  const long n = st.range(0);
  dati::GestDatabase db;
  std::string k = db.ApriDatabase(Grande().file);
  const std::string sql = "Select Id, Articolo, Qta, Prezzo, DataDoc, Nota from Grande where Id <= " +
                          std::to_string(n) + " order by Id";
  double tenuti = 0;
  for (auto _ : st) {
    const size_t prima = mallinfo2().uordblks;
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(db, k, "", sql, false, 4);
    benchmark::DoNotOptimize(rs.LeggiCampo(r, "Articolo").StringPtr()->size());
    tenuti = static_cast<double>(mallinfo2().uordblks - prima);
  }
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  st.counters["MB_tenuti"] = tenuti / (1 << 20);
  st.counters["MB_picco_processo"] = static_cast<double>(u.ru_maxrss) / 1024;
}
BENCHMARK(PrimaRiga)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The same on the database server of DDT_PG_CONNECT, when there is one
// (bash scripts/pg.sh start; eval "$(bash scripts/pg.sh env)").
void PrimaRigaServer(benchmark::State& st) {
  const char* testo = std::getenv("DDT_PG_CONNECT");
  if (!testo || !*testo) {
    st.SkipWithError("DDT_PG_CONNECT non impostata");
    return;
  }
  const long n = st.range(0);
  dati::GestDatabase db;
  std::string k = db.ApriDatabase("", 0, false, false, testo);
  static bool pronta = false;
  if (!pronta) {
    db.EseguiSql(k, "DROP TABLE IF EXISTS bench_grande", 64);
    db.EseguiSql(k, "CREATE TABLE bench_grande (id INTEGER PRIMARY KEY, articolo VARCHAR(20), qta DOUBLE PRECISION, "
                    "nota VARCHAR(50))", 64);
    db.EseguiSql(k, "INSERT INTO bench_grande SELECT g, 'ART' || (g % 997), g * 0.5, 'nota ' || g "
                    "FROM generate_series(1, 1000000) g", 64);
    db.EseguiSql(k, "ANALYZE bench_grande", 64);
    db.Motore(k).AzzeraCatalogo();
    pronta = true;
  }
  const std::string sql = "Select id, articolo, qta, nota from bench_grande where id <= " + std::to_string(n) +
                          " order by id";
  double tenuti = 0;
  for (auto _ : st) {
    const size_t prima = mallinfo2().uordblks;
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(db, k, "", sql, false, 4);
    benchmark::DoNotOptimize(rs.LeggiCampo(r, "articolo").StringPtr()->size());
    tenuti = static_cast<double>(mallinfo2().uordblks - prima);
  }
  st.counters["MB_tenuti"] = tenuti / (1 << 20);
}
BENCHMARK(PrimaRigaServer)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same list walked to the end, as a report over it would.
void TuttaLaLista(benchmark::State& st) {
  dati::GestDatabase db;
  std::string k = db.ApriDatabase(Grande().file);
  for (auto _ : st) {
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(db, k, "", "Select Id, Articolo, Qta, Prezzo, DataDoc, Nota from Grande order by Id",
                                     false, 4);
    long righe = 0;
    while (!rs.FineRec(r)) {
      ++righe;
      rs.ProssimoRec(r);
    }
    benchmark::DoNotOptimize(righe);
  }
}
BENCHMARK(TuttaLaLista)->Iterations(1)->Unit(benchmark::kMillisecond);

void RawSQLite(benchmark::State& st) {
  sqlite3* db;
  sqlite3_open_v2(Dati().file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  for (auto _ : st) {
    sqlite3_stmt* s;
    sqlite3_prepare_v2(db, "SELECT Articolo, Qta, Prezzo, DataDoc, Nota FROM Righe", -1, &s, nullptr);
    double somma = 0;
    size_t byte = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
      byte += std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))).size();
      somma += sqlite3_column_double(s, 1) + sqlite3_column_double(s, 2);
      byte += std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 3))).size();
      byte += std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 4))).size();
    }
    sqlite3_finalize(s);
    benchmark::DoNotOptimize(somma);
    benchmark::DoNotOptimize(byte);
  }
  sqlite3_close(db);
  st.SetItemsProcessed(st.iterations() * kRighe);
}
BENCHMARK(RawSQLite)->Unit(benchmark::kMillisecond);

void StratoDati(benchmark::State& st) {
  dati::GestDatabase db;
  std::string k = db.ApriDatabase(Dati().file);
  for (auto _ : st) {
    dati::GestRecordset rs;
    std::string r = rs.ApriRecordset(db, k, "", "Select Articolo, Qta, Prezzo, DataDoc, Nota from Righe", false, 4);
    double somma = 0;
    size_t byte = 0;
    while (!rs.FineRec(r)) {
      byte += rs.LeggiCampo(r, "Articolo").StringPtr()->size();
      somma += rs.LeggiCampo(r, "Qta").ToDouble() + rs.LeggiCampo(r, "Prezzo").ToCurrency().ToDouble();
      byte += static_cast<size_t>(rs.LeggiCampo(r, "DataDoc").ToDate().Serial());
      byte += rs.LeggiCampo(r, "Nota").StringPtr()->size();
      rs.ProssimoRec(r);
    }
    benchmark::DoNotOptimize(somma);
    benchmark::DoNotOptimize(byte);
  }
  st.SetItemsProcessed(st.iterations() * kRighe);
}
BENCHMARK(StratoDati)->Unit(benchmark::kMillisecond);

std::string IstruzionePiuLunga() {
  std::ifstream in(std::string(DDT_TEST_DATI) + "/istruzioni_legacy.sql");
  std::string riga, corrente, migliore;
  bool dentro = false;
  while (std::getline(in, riga)) {
    if (riga.rfind("-- select-ro | MostraTutto", 0) == 0) {
      dentro = true;
      continue;
    }
    if (dentro && riga == ";;") break;
    if (dentro) corrente += riga + "\n";
  }
  return corrente;
}

void TraduzioneTestata(benchmark::State& st) {
  std::string sql = IstruzionePiuLunga();
  dati::Catalogo cat;
  for (const auto& t : dati::SchemaDitta()) cat.Aggiungi(t);
  for (auto _ : st) {
    auto t = dati::Traduci(sql, dati::TipoMotore::SQLite, cat);
    benchmark::DoNotOptimize(t.sql);
  }
  st.counters["caratteri"] = static_cast<double>(sql.size());
}
BENCHMARK(TraduzioneTestata)->Iterations(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

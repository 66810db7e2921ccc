// The data layer against raw SQLite, and the cost of translating the
// largest statement of the program (the joined read of a DDT header).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

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

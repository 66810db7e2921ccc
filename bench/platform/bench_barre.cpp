// "Successivo" of the record bar through a SQLite table of 100,000 rows,
// against the same SELECT of each move run bare through the data layer
// (opened and its columns read), in the same process.
//
// A move must be one keyed read: the engine's plan of the move's query is
// printed and a table scan or a sort fails the run, as does a move slower
// than twice the bare SELECT.
//
//   bench_barre [rows]       (default 100000)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/MsgBox.h"
#include "platform/barre/BarraFormProva.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Headless.h"

namespace {

using Orologio = std::chrono::steady_clock;

double Secondi(Orologio::time_point a, Orologio::time_point b) { return std::chrono::duration<double>(b - a).count(); }

}  // namespace

int main(int argc, char** argv) {
  const long righe = argc > 1 ? std::atol(argv[1]) : 100000;
  ui::HeadlessAttivo();
  vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) { return static_cast<int>(vb::vbOK); });
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_barre_" + std::to_string(getpid()) + ".db");
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(file.string());
  auto& m = db.Motore(conn);
  m.Esegui(prova::kDdlSQLite);
  m.AzzeraCatalogo();
  m.IniziaTransazione();
  for (long i = 0; i < righe; ++i)
    m.Esegui("INSERT INTO Registrazioni VALUES (?, ?, '2026-01-15 00:00:00', 12.5, ?, 1, 2, ?)",
             {vb::Variant(static_cast<int>(2000 + i / 1000)), vb::Variant(static_cast<int>(i % 1000 + 1)),
              vb::Variant("nota " + std::to_string(i)), vb::Variant(static_cast<int>(i))});
  m.ConfermaTransazione();

  prova::FormRecordProva f;
  f.Load();
  f.Prepara(db, conn);
  auto& barra = *f.ogComPag;
  barra.EseguiTasto("Inizio");

  // The moves, and the SQL each one ran (one query; two where the year
  // changes: the next number of the year, else the first of a later year).
  std::vector<std::string> query;
  query.reserve(static_cast<size_t>(righe) + 200);
  std::vector<bool> pianoVisto;
  bool scansione = false;
  auto piano = [&](size_t forma, const std::string& q) {
    if (forma < pianoVisto.size() && pianoVisto[forma]) return;
    pianoVisto.resize(std::max(pianoVisto.size(), forma + 1));
    pianoVisto[forma] = true;
    const std::string sql = db.Traduci(conn, q)->sql;
    std::printf("query %zu of a move: %s\nengine: %s\nplan:\n", forma + 1, q.c_str(), sql.c_str());
    for (const auto& r : m.Interroga("EXPLAIN QUERY PLAN " + sql).righe) {
      const std::string d = r.back().ToString();
      std::printf("  %s\n", d.c_str());
      if (d.rfind("SCAN", 0) == 0 || d.find("TEMP B-TREE") != std::string::npos) scansione = true;
    }
  };
  const auto t0 = Orologio::now();
  long mosse = 0;
  size_t piuDiUna = 0;
  while (mosse < righe - 1) {
    if (!barra.EseguiTasto("Successivo").ToString().empty()) break;
    const auto& q = barra.SqlUltimaMossa();
    query.insert(query.end(), q.begin(), q.end());
    if (q.size() > 1) ++piuDiUna;
    ++mosse;
    if (f.log.size() > 1000) f.log.clear();
  }
  const auto t1 = Orologio::now();
  // Plans after the timing: each query shape once.
  barra.EseguiTasto("Inizio");
  barra.EseguiTasto("Successivo");
  piano(0, barra.SqlUltimaMossa().at(0));
  f.C("txt", 1).SetText("2000");
  barra.EseguiTasto("VarKey");
  f.C("txt", 1).SetText("2000");
  f.C("txt", 2).SetText("1000");
  barra.EseguiTasto("Ricerca");
  barra.EseguiTasto("Successivo");
  for (size_t j = 0; j < barra.SqlUltimaMossa().size(); ++j) piano(j, barra.SqlUltimaMossa()[j]);
  std::printf("moves that needed a second query (a new year): %zu\n", piuDiUna);
  // The same SELECTs, bare.
  dati::GestRecordset rs;
  const auto t2 = Orologio::now();
  for (const std::string& q : query) {
    const std::string k = rs.ApriRecordset(db, conn, "bare", q, false, 4);
    if (rs.NessunRecord(k)) continue;
    for (const char* c : {"Anno", "Numero", "Data", "Importo", "Nota", "Gruppo", "Mastro", "Conto"}) rs.LeggiCampo(k, c);
  }
  const auto t3 = Orologio::now();
  // For the record: the engine's own time for the translated statements.
  std::vector<std::string> motore;
  motore.reserve(query.size());
  for (const std::string& q : query) motore.push_back(db.Traduci(conn, q)->sql);
  const auto t4 = Orologio::now();
  for (const std::string& q : motore) m.Interroga(q);
  const auto t5 = Orologio::now();
  std::filesystem::remove(file);

  const double mossa = Secondi(t0, t1) / static_cast<double>(std::max(1L, mosse));
  const double nuda = Secondi(t2, t3) / static_cast<double>(std::max<size_t>(1, query.size()));
  const double grezza = Secondi(t4, t5) / static_cast<double>(std::max<size_t>(1, motore.size()));
  std::printf("rows %ld, moves %ld: %.1f us a move, %.1f us its SELECTs bare through the data layer (ratio %.2f), "
              "%.1f us in the engine alone\n",
              righe, mosse, mossa * 1e6, nuda * 1e6, mossa / nuda, grezza * 1e6);
  bool ok = true;
  if (mosse != righe - 1) {
    std::printf("FAIL: the moves stopped after %ld rows\n", mosse);
    ok = false;
  }
  if (scansione) {
    std::printf("FAIL: a move scans or sorts the table\n");
    ok = false;
  }
  if (mossa > 2 * nuda) {
    std::printf("FAIL: a move takes more than twice its bare SELECT\n");
    ok = false;
  }
  return ok ? 0 : 1;
}

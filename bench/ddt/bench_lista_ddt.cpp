// The DDT list window over a SQLite company of 10,000 DDTs of the working
// year and 500 customers: the time from "Ricerca" with the criteria the
// window opens with (both year bounds on the working year) to the first
// screen of its grid (the first 20 rows' cells as shown, columns laid out),
// against the bare SELECT of the same query opened through the data layer
// with its first 20 rows read, in the same process.
//
// The engine's plan of the query is printed; a table read whole (a SCAN of
// a table) fails the run, as does a first screen slower than 0.5 s.
//
//   bench_lista_ddt [runs]       (default 15)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../BenchComune.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/Date.h"
#include "platform/MsgBox.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"

namespace {

using namespace bench;

std::string Conto(long i) {
  char s[8];
  std::snprintf(s, sizeof s, "%04ld", i);
  return s;
}

void CreaDitta(dati::GestDatabase& db, const std::string& conn, long ddt, long clienti) {
  auto& m = db.Motore(conn);
  dati::CreaSchema(m, dati::SchemaDitta());
  m.AzzeraCatalogo();
  m.IniziaTransazione();
  for (long c = 1; c <= clienti; ++c)
    m.Esegui("INSERT INTO PianoConti (Gruppo, Mastro, Conto, Tipo, Descrizione) VALUES ('04', '01', ?, '3', ?)",
             {vb::Variant(Conto(c)), vb::Variant("Cliente numero " + std::to_string(c))});
  for (long i = 1; i <= ddt; ++i) {
    const vb::Date d = vb::Date::FromYmd(2026, 1, 1 + static_cast<int>((i * 7919) % 340));
    const char* stato = i % 5 == 0 ? "E" : i % 5 == 1 ? "S" : nullptr;
    m.Esegui(
        "INSERT INTO DdtTest (Anno, NumRif, DataRif, FattDocumento, PreDoc, NumDoc, DataDoc, Stato, GruppoCli, "
        "MastroCli, ContoCli, RifCli, Nota) VALUES (2026, ?, ?, 'DDT', '', ?, ?, ?, '04', '01', ?, ?, ?)",
        {vb::Variant(static_cast<int32_t>(i)), vb::Variant(d), vb::Variant(static_cast<int32_t>(i)), vb::Variant(d),
         stato ? vb::Variant(stato) : vb::Variant(vb::Null), vb::Variant(Conto(1 + i % clienti)),
         vb::Variant("Vs. ordine " + std::to_string(i)), vb::Variant("Consegna al mattino")});
  }
  m.ConfermaTransazione();
}

}  // namespace

int main(int argc, char** argv) {
  const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const long ddt = 10000;
  ui::HeadlessAttivo();
  vb::ImpostaGestoreMsgBox([](const std::string& t, int, const std::string&) {
    std::fprintf(stderr, "messaggio: %s\n", t.c_str());
    return static_cast<int>(vb::vbOK);
  });
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_lista_ddt_" + std::to_string(getpid()) + ".db");
  std::filesystem::remove(file);
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string conn = db->CreaDatabase(file.string());
  CreaDitta(*db, conn, ddt, 500);
  G().goDbAzienda = db;
  G().gsConnAzienda = conn;
  G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);

  std::vector<double> lista, nudo;
  std::string sql;
  long mostrate = 0;
  for (int g = 0; g < giri; ++g) {
    {
      frmDdtTestLis l;
      l.Load();
      const auto t0 = Orologio::now();
      l.ButtonComando("Ricerca");
      ui::Griglia& grid = l.dbgRiga();
      size_t car = 0;
      mostrate = std::min<long>(20, grid.NumRighe());
      for (long r = 0; r < mostrate; ++r)
        for (int c = 0; c < grid.NumColonne(); ++c) car += grid.TestoCella(r, c).size();
      lista.push_back(Ms(Orologio::now() - t0));
      if (car == 0) std::fprintf(stderr, "lista vuota\n");
      sql = l.osSql();
      l.Unload();
    }
    {
      const auto t0 = Orologio::now();
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*db, conn, "", sql, false, 4);
      size_t car = 0;
      for (int r = 0; r < 20 && !rs.FineRec(k); ++r, rs.ProssimoRec(k))
        for (const char* c : {"Anno", "NumRif", "DataRif", "FattDocumento", "Documento", "DataDoc", "Cliente",
                              "Descrizione", "RifCli", "Nota", "StatoSel"})
          car += rs.LeggiCampo(k, c).ToString().size();
      rs.ChiudiRecordset(k);
      nudo.push_back(Ms(Orologio::now() - t0));
      if (car == 0) std::fprintf(stderr, "select vuota\n");
    }
  }

  bool ok = true;
  const std::string motore = db->Traduci(conn, sql)->sql;
  std::printf("query of the list: %s\nengine: %s\nplan:\n", sql.c_str(), motore.c_str());
  for (const auto& r : db->Motore(conn).Interroga("EXPLAIN QUERY PLAN " + motore).righe) {
    const std::string d = r.back().ToString();
    std::printf("  %s\n", d.c_str());
    if (d.rfind("SCAN", 0) == 0 && d.find(" USING ") == std::string::npos) ok = false;
  }
  if (!ok) std::printf("FAIL: the list's query reads a table whole\n");
  const double ml = Mediana(lista), mn = Mediana(nudo);
  std::printf("%ld DDTs, %ld rows on the first screen, medians of %d runs: list %.2f ms, bare SELECT %.2f ms "
              "(ratio %.2f)\n",
              ddt, mostrate, giri, ml, mn, ml / mn);
  if (mostrate != 20) {
    std::printf("FAIL: the first screen shows %ld rows\n", mostrate);
    ok = false;
  }
  if (ml > 500) {
    std::printf("FAIL: the first screen takes more than 0.5 s\n");
    ok = false;
  }
  G().goDbAzienda.reset();
  db->ChiudiDatabase(conn);
  std::filesystem::remove(file);
  return ok ? 0 : 1;
}

// A list window over 10,000 rows (and 1,000,000, to see how it grows): the
// time from "Ricerca" to the first screen of the grid (the first 20 rows'
// cells read as the grid shows them), against the bare SELECT of the same
// query opened through the data layer and its first 20 rows read, in the
// same process. The list must not read what it does not show: its cost
// over the bare SELECT is the grid's and the page's own work, and the first
// screen of a million rows may cost at most five times that of ten thousand,
// with the whole process under 64 MB (the program exits 1 otherwise).
//
//   bench_barre_lista [runs]       (default 15)
#include <sys/resource.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/MsgBox.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Headless.h"

namespace {

using Orologio = std::chrono::steady_clock;

double Ms(Orologio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Esito {
  double lista, nudo;
};

Esito Misura(int righe, int giri) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_barre_lista_" + std::to_string(getpid()) + "_" + std::to_string(righe) + ".db");
  std::filesystem::remove(file);
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(file.string());
  prova::CreaListaProva(db, conn, righe);
  std::vector<double> lista, nudo;
  for (int g = 0; g < giri; ++g) {
    {
      prova::FormListaProva f(db, conn);
      f.Load();
      const auto t0 = Orologio::now();
      f.ButtonComando("Ricerca");
      ui::Griglia& grid = f.Griglia();
      size_t car = 0;
      for (long r = 0; r < std::min<long>(20, grid.NumRighe()); ++r)
        for (int c = 0; c < grid.NumColonne(); ++c) car += grid.TestoCella(r, c).size();
      lista.push_back(Ms(Orologio::now() - t0));
      if (car == 0) std::fprintf(stderr, "lista vuota\n");
      f.Unload();
    }
    {
      const auto t0 = Orologio::now();
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(
          db, conn, "", "Select Anno, NumRif, DataRif, Cliente, RifCli, Stato, Importo From ListaProva Order by Anno, NumRif",
          false, 4);
      size_t car = 0;
      for (int r = 0; r < 20 && !rs.FineRec(k); ++r, rs.ProssimoRec(k))
        for (const char* c : {"Anno", "NumRif", "DataRif", "Cliente", "RifCli", "Stato", "Importo"})
          car += rs.LeggiCampo(k, c).ToString().size();
      rs.ChiudiRecordset(k);
      nudo.push_back(Ms(Orologio::now() - t0));
      if (car == 0) std::fprintf(stderr, "select vuota\n");
    }
  }
  db.ChiudiDatabase(conn);
  std::filesystem::remove(file);
  return {Mediana(lista), Mediana(nudo)};
}

}  // namespace

int main(int argc, char** argv) {
  const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  ui::HeadlessAttivo();
  vb::ImpostaGestoreMsgBox([](const std::string& t, int, const std::string&) {
    std::fprintf(stderr, "messaggio: %s\n", t.c_str());
    return vb::vbOK;
  });
  std::printf("%-10s %14s %14s %8s\n", "righe", "lista (ms)", "SELECT (ms)", "rapporto");
  double primo = 0;
  bool ok = true;
  for (int n : {10000, 1000000}) {
    const Esito e = Misura(n, n > 10000 ? std::max(1, giri / 3) : giri);
    if (n == 10000) primo = e.lista;
    std::printf("%-10d %14.2f %14.2f %8.2f\n", n, e.lista, e.nudo, e.lista / e.nudo);
    if (n > 10000 && e.lista > 5 * primo) {
      std::printf("la prima schermata di %d righe costa piu' di 5 volte quella di 10000\n", n);
      ok = false;
    }
  }
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  const double mb = uso.ru_maxrss / 1024.0;
  std::printf("memoria massima del processo: %.1f MB\n", mb);
  if (mb > 64) {
    std::printf("oltre 64 MB\n");
    ok = false;
  }
  return ok ? 0 : 1;
}

// Reading the section names of large settings files: an ini of 40,000 and
// one of 80,000 sections (each with two keys), read with SezioniProfilo,
// and the look-up of the last section's key for comparison. The time per
// section should stay the same as the file doubles.
//
//   bench_ini [runs]       (default 5; the best run is printed)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/IniFile.h"

namespace {

using Orologio = std::chrono::steady_clock;

template <class F>
double Migliore(int giri, F f) {
  double meglio = 1e30;
  for (int i = 0; i < giri; ++i) {
    const auto t0 = Orologio::now();
    f();
    meglio = std::min(meglio, std::chrono::duration<double, std::milli>(Orologio::now() - t0).count());
  }
  return meglio;
}

}  // namespace

int main(int argc, char** argv) {
  const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const auto dir = std::filesystem::temp_directory_path() / ("bench-ini-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  for (int sezioni : {40000, 80000}) {
    const std::string file = (dir / ("s" + std::to_string(sezioni) + ".ini")).string();
    {
      std::ofstream out(file, std::ios::binary);
      for (int i = 0; i < sezioni; ++i)
        out << "[Ditta " << i << "]\r\nNome=Ditta numero " << i << "\r\nPercorso=C:\\Velnor\\Ditte\\d" << i
            << ".mdb\r\n";
    }
    size_t trovate = 0;
    const double ms = Migliore(giri, [&] { trovate = vb::SezioniProfilo(file).size(); });
    std::string v;
    const double chiave =
        Migliore(giri, [&] { vb::LeggiProfilo(file, "Ditta " + std::to_string(sezioni - 1), "Nome", v); });
    std::printf("%6d sezioni: SezioniProfilo %8.1f ms (%zu nomi, %.2f us per sezione); "
                "LeggiProfilo dell'ultima %7.1f ms\n",
                sezioni, ms, trovate, ms * 1000 / sezioni, chiave);
  }
  std::filesystem::remove_all(dir);
  return 0;
}

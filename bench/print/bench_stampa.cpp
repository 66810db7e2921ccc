// The list print of the print library: 10,000 rows of 8 columns laid out
// and written to a PDF, then one preview page drawn as its picture; pages per
// second reported. Fails above 5 s for the PDF or 100 ms for a page.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/stampa/OggettoStampa.h"
#include "platform/stampa/StampaLista.h"

int main() {
  using Orologio = std::chrono::steady_clock;
  stampa::TabellaStampa t;
  t.titolo = "Lista Testate DDT";
  const char* titoli[] = {"Anno", "Numero", "Data", "Cliente", "Ragione sociale", "Rif. cliente", "Stato", "Totale"};
  const long larg[] = {600, 800, 1100, 900, 3000, 1500, 500, 1300};
  for (int c = 0; c < 8; ++c) t.colonne.push_back({titoli[c], larg[c], (c == 0 || c == 1 || c == 7) ? 1 : 0});
  for (int i = 1; i <= 10000; ++i)
    t.righe.push_back({"2026", std::to_string(i), "12/11/2026", "C" + std::to_string(i % 500),
                       "Cliente di prova numero " + std::to_string(i % 500) + " S.r.l.", "Ordine " + std::to_string(i),
                       i % 3 ? "S" : "", std::to_string(i % 9000 + 1) + "," + std::to_string(i % 100)});
  stampa::OggettoStampa o;
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileName = o.PercorsoFile() + "lista.pdf";
  o.SetogOpzSta(opz);
  const auto t0 = Orologio::now();
  stampa::ImpaginaLista(t, {}, *opz, o.Doc());
  const auto t1 = Orologio::now();
  std::string errore;
  if (!o.StampaDocumento(errore)) {
    std::fprintf(stderr, "stampa non riuscita: %s\n", errore.c_str());
    return 1;
  }
  const auto t2 = Orologio::now();
  const double impagina = std::chrono::duration<double>(t1 - t0).count();
  const double totale = std::chrono::duration<double>(t2 - t0).count();
  const int pagine = o.Doc().NumPagine();
  std::printf("10,000 rows x 8 columns: %d pages, layout %.3f s, layout + PDF %.3f s (%.0f pages/s), %ju bytes\n",
              pagine, impagina, totale, pagine / totale,
              static_cast<uintmax_t>(std::filesystem::file_size(opz->FileName)));
  // The next preview page: one page drawn as its picture, median of 21.
  std::vector<double> tempi;
  for (int i = 0; i < 21; ++i) {
    const auto a = Orologio::now();
    if (!stampa::ScriviPng(o.Doc(), i % pagine, 1.0, o.FilePagina(i + 1), errore)) {
      std::fprintf(stderr, "pagina non riuscita: %s\n", errore.c_str());
      return 1;
    }
    tempi.push_back(std::chrono::duration<double, std::milli>(Orologio::now() - a).count());
  }
  std::sort(tempi.begin(), tempi.end());
  std::printf("preview page (PNG at 96 dpi): median %.1f ms, worst %.1f ms\n", tempi[10], tempi.back());
  bool ok = true;
  if (totale > 5.0) ok = false, std::printf("FAIL: the PDF took more than 5 s\n");
  if (tempi[10] > 100.0) ok = false, std::printf("FAIL: a preview page took more than 100 ms\n");
  return ok ? 0 : 1;
}

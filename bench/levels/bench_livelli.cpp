// The level matrix of one line whose article has two level groups of 30
// elements and 900 stored level rows, headless, on a SQLite company:
//
//   load   the form's load: inputs, element lists, the 900 stored rows
//          into their cells, the discount reset, and PrepMask creating the
//          900 cells and 60 captions with panels and scroll bars;
//   exit   one cell left after a new quantity was typed: the quantity
//          check, the quantity discount search with the total of all
//          cells, the amount, the shared prices and the totals (which read
//          every cell).
//
// Median of `giri` turns (default 5). Fails when the load takes 1 s or
// more or a cell exit 50 ms or more.
//
//   bench_livelli [giri]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Headless.h"

namespace {

class Apri : public ApriLivelli {
 public:
  DatiAperturaLivelli dati;
  DatiAperturaLivelli DatiLivelli() const override { return dati; }
  void AggQtaPrzLivelli(double, double, frmGestLivelli&) override {}
  void DopoGestLivelli() override {}
};

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  AzzeraGlobali();
  const auto file = std::filesystem::temp_directory_path() / ("bench_livelli_" + std::to_string(getpid()) + ".db");
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string conn = db->CreaDatabase(file.string());
  dati::CreaSchema(db->Motore(conn), dati::SchemaDitta());
  dati::CreaDittaDemo(*db, conn);
  G().goDbAzienda = db;
  G().gsConnAzienda = conn;
  G().gsGesTaglie = "S";
  ui::HeadlessAttivo();
  auto& m = db->Motore(conn);
  m.Esegui("Begin");
  m.Esegui("Insert into LivGruppi (LivGruppo, Descrizione) Values ('B30A', 'Altezza')");
  m.Esegui("Insert into LivGruppi (LivGruppo, Descrizione) Values ('B30B', 'Larghezza')");
  auto codice = [](char p, int i) {
    char s[8];
    std::snprintf(s, sizeof s, "%c%03d", p, i);
    return std::string(s);
  };
  for (int i = 1; i <= 30; ++i) {
    m.Esegui("Insert into LivComp (LivGruppo, Livello) Values ('B30A', '" + codice('A', i) + "')");
    m.Esegui("Insert into LivComp (LivGruppo, Livello) Values ('B30B', '" + codice('B', i) + "')");
  }
  for (int i = 1; i <= 30; ++i)
    for (int j = 1; j <= 30; ++j)
      m.Esegui("Insert into DdtLivApp (Anno, NumRif, RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta,"
               " ValUnitario, ValTotale, ScontoTot, FlagStato, ValLire, ValEuro, StatoRiga) Values (2026, 500, 1, '" +
               codice('A', i) + "', '" + codice('B', j) + "', 0, 'PZ', 1, " + std::to_string(i + j) +
               ", 10, " + std::to_string((i + j) * 10) + ", '', '', 0, 0, '')");
  m.Esegui("Commit");

  Apri apri;
  apri.dati.osAnno = "2026";
  apri.dati.osNumRif = "500";
  apri.dati.osDataRif = "10/12/2026";
  apri.dati.osLivGruppo1 = "B30A";
  apri.dati.osLivGruppo2 = "B30B";
  apri.dati.osFlagLivLis = "0";
  apri.dati.oiNumDecMon = 2;
  apri.dati.oiNumDecMonGes = 2;
  apri.dati.osNumDecQta = "#,###.^^";
  apri.dati.osNumDecMonGes = "#,##0.00";
  apri.dati.osMoneta = G().gsCodEuro;

  std::vector<double> carica, uscita;
  bool intera = true;
  for (int g = 0; g < giri; ++g) {
    auto f = std::make_unique<frmGestLivelli>();
    f->ofrmMain = &apri;
    f->osRigLiv = "1";
    f->osArticolo = "MAGLIA01";
    f->osUm = "PZ";
    f->osLiv1VertOriz = "O";
    const auto t0 = std::chrono::steady_clock::now();
    f->AbilRw(1);
    const auto t1 = std::chrono::steady_clock::now();
    carica.push_back(Ms(t1 - t0));
    intera = intera && f->K1() == 30 && f->K2() == 30 && f->Indici("txtLiv").size() == 900;
    f->Show(0);
    ui::Controllo& c = f->txtLiv(f->IndDaEle(15, 15));
    ui::utente::Fuoco(c);
    c.SetText(std::to_string(100 + g));
    const auto t2 = std::chrono::steady_clock::now();
    ui::utente::Fuoco(f->txtLiv(f->IndDaEle(16, 15)));
    const auto t3 = std::chrono::steady_clock::now();
    uscita.push_back(Ms(t3 - t2));
    // Closed as a read-only editor closes: no question.
    f->ofrmMain = nullptr;
    f->miAbilRw = 0;
    f->Unload();
  }
  db.reset();
  G().goDbAzienda.reset();
  std::filesystem::remove(file);
  const double mc = Mediana(carica), mu = Mediana(uscita);
  std::printf("30 x 30 matrix, 900 stored rows, %d turns\n", giri);
  std::printf("  load + PrepMask  median %8.2f ms (target < 1000 ms)\n", mc);
  std::printf("  one cell exit    median %8.2f ms (target < 50 ms)\n", mu);
  if (!intera) std::printf("FAIL: the matrix did not come out 30 x 30 with 900 cells\n");
  if (mc >= 1000) std::printf("FAIL: load over 1 s\n");
  if (mu >= 50) std::printf("FAIL: cell exit over 50 ms\n");
  return intera && mc < 1000 && mu < 50 ? 0 : 1;
}

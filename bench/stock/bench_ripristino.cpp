// The reversal of one warehouse movement of 1,000 level rows (250 detail
// rows of 250 articles with 4 sizes each) on a SQLite company file: every
// row taken off the progressives and costs and deleted in a transaction of
// its own (RipriDdt::DisAggMovim, level rows then detail rows). In the same
// run a twin movement is taken off bare through the data layer: per level
// row a transaction, the progressive and cost rows opened, edited and
// saved, the row deleted. Prints time per level row and the ratio; fails
// above 20 ms per row or twice the bare statements.
//
//   bench_ripristino [level rows]   (default 1000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "common/Globali.h"
#include "common/utilprg.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Headless.h"
#include "stock/RipriDdt.h"

namespace {

using Orologio = std::chrono::steady_clock;
constexpr const char* kTaglie[4] = {"S", "M", "L", "XL"};

void Riempi(dati::Connessione& m, int righe) {
  m.Esegui("Insert Into MagCausali (MagCausale, Descrizione, TipoMov, CarScar, Segno, Prov, Dest, QualeProgrQta,"
           " AggMedioCar, ValorizzScarico, AggMedioPon, AggCostoUlt, AcqVen) Values ('V', 'Vendita', 'N', 'S', '+',"
           " 'M', 'C', 0, 'N', 'S', 'S', 'N', 'V')");
  const int articoli = righe / 4;
  m.IniziaTransazione();
  for (int a = 0; a < articoli; ++a) {
    const std::string art = "ART" + std::to_string(10000 + a);
    m.Esegui("Insert Into Articoli (Articolo, ArtMag, LivGruppo1, FlagLivLis, ArtUM) Values (?, 'S', 'TG', 0, 'PZ')",
             {vb::Variant(art)});
    m.Esegui("Insert Into ArticoliCosti (Anno, Articolo, Livello1, Livello2, MedioPonderale, QtaVenduto, ValVenduto,"
             " ValVendutoLire) Values (2026, ?, '~ç~', '~ç~', 10, 100, 1000, 1000)",
             {vb::Variant(art)});
    for (const char* t : kTaglie)
      m.Esegui("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, QtaCarico,"
               " QtaScarico, ValScarico, ValScaricoLire, ValScaUC, ValScaUCLire) Values (2026, 'A', ?, ?, '~ç~', 0,"
               " 500, 200, 2000, 2000, 1600, 1600)",
               {vb::Variant(art), vb::Variant(t)});
    for (int mov = 1; mov <= 2; ++mov) {
      m.Esegui("Insert Into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, QtaAggMag, ValUnitario,"
               " ValTotale, ValLire, ValEuro, ValScarico, ValScaricoLire) Values (2026, ?, ?, ?, ?, 8, 8, 12, 96, 96,"
               " 96, 8, 8)",
               {vb::Variant(mov), vb::Variant(a + 1), vb::Variant(a + 1), vb::Variant(art)});
      for (const char* t : kTaglie)
        m.Esegui("Insert Into MovMagLiv (Anno, NumReg, RigLiv, Livello1, Livello2, Qta, QtaAggMag, ValUnitario,"
                 " ValTotale, ValLire, ValEuro, ValScarico, ValScaricoLire) Values (2026, ?, ?, ?, '~ç~', 2, 2, 12,"
                 " 24, 24, 24, 8, 8)",
                 {vb::Variant(mov), vb::Variant(a + 1), vb::Variant(t)});
    }
  }
  for (int mov = 1; mov <= 2; ++mov)
    m.Esegui("Insert Into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoProv, MagazzinoDest, Moneta, Cambio)"
             " Values (2026, ?, '2026-05-01', 'V', 'A', 'C', 'Euro', 1)",
             {vb::Variant(mov)});
  m.ConfermaTransazione();
}

double Ms(Orologio::time_point a, Orologio::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// The twin movement 2 taken off bare: per level row one transaction, the
// progressive and the cost row opened, edited and saved, the row deleted.
void Nudo(dati::GestDatabase& db, const std::string& k) {
  dati::GestRecordset rs;
  const std::string kr = rs.ApriRecordset(
      db, k, "",
      "Select MovMagLiv.*, MovMagDett.Articolo from MovMagLiv Inner Join MovMagDett On MovMagDett.Anno = MovMagLiv.Anno"
      " And MovMagDett.NumReg = MovMagLiv.NumReg And MovMagDett.RigLiv = MovMagLiv.RigLiv Where MovMagDett.Anno = 2026"
      " And MovMagDett.NumReg = 2",
      false, 2);
  while (!rs.FineRec(kr)) {
    utilprg::TransInizio();
    const std::string art = rs.LeggiCampo(kr, "Articolo").ToString();
    const std::string l1 = rs.LeggiCampo(kr, "MovMagLiv.Livello1").ToString();
    const double q = rs.LeggiCampo(kr, "MovMagLiv.QtaAggMag").ToDouble();
    const std::string kc = rs.ApriRecordset(db, k, "",
                                            "Select * from ArticoliCosti Where Anno = 2026 And Articolo = '" + art +
                                                "' And Livello1 = '~ç~' And Livello2 = '~ç~'",
                                            false, 2);
    const std::string kp = rs.ApriRecordset(db, k, "",
                                            "Select * from ArticoliProg Where Anno = 2026 And Magazzino = 'A' And "
                                            "Articolo = '" + art + "' And Livello1 = '" + l1 +
                                                "' And Livello2 = '~ç~'",
                                            false, 2);
    rs.ModificaRecord(kp);
    for (const char* c : {"QtaScarico", "ValScarico", "ValScaricoLire", "ValScaUC", "ValScaUCLire"})
      rs.ScriviCampo(kp, c, vb::Variant(rs.LeggiCampo(kp, c).ToDouble() - q));
    rs.SalvaRecord(kp);
    rs.ModificaRecord(kc);
    rs.ScriviCampo(kc, "CMPValido", vb::Variant("N"));
    for (const char* c : {"QtaVenduto", "ValVenduto", "ValVendutoLire"})
      rs.ScriviCampo(kc, c, vb::Variant(rs.LeggiCampo(kc, c).ToDouble() - q));
    rs.SalvaRecord(kc);
    rs.ChiudiRecordset(kp);
    rs.ChiudiRecordset(kc);
    rs.CancellaRecord(kr);
    utilprg::TransConferma();
    if (rs.NumRecord(kr) > 0) rs.PrimoRec(kr);
  }
  rs.ChiudiRecordset(kr);
}

}  // namespace

int main(int argc, char** argv) {
  const int righe = argc > 1 ? std::max(4, std::atoi(argv[1])) : 1000;
  const std::string file =
      (std::filesystem::temp_directory_path() / ("bench_ripristino_" + std::to_string(getpid()) + ".db")).string();
  ui::HeadlessAttivo();
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string k = db->CreaDatabase(file);
  dati::CreaSchema(db->Motore(k), dati::SchemaDitta());
  Riempi(db->Motore(k), righe);
  G().goDbAzienda = db;
  G().gsConnAzienda = k;
  G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
    return vb::UgualeTesto(nome, "Mag.GesTaglie") ? vb::Variant("S") : predefinito;
  };

  // The engine: level rows, then the detail rows of the same movement.
  const auto t0 = Orologio::now();
  {
    dati::GestRecordset rs;
    std::string testa, rl, rd;
    int16_t anno = 2026, modo = 0;
    int32_t num = 1;
    RipriDdt::DisAggMovim(anno, num, rs, rl, "L", vb::Variant(true), testa, true, "2", modo);
    RipriDdt::DisAggMovim(anno, num, rs, rd, "D", vb::Variant(true), testa, true, "2", modo);
  }
  const auto t1 = Orologio::now();
  Nudo(*db, k);
  const auto t2 = Orologio::now();

  auto conta = [&](const char* sql) {
    dati::GestRecordset rs;
    const std::string r = rs.ApriRecordset(*db, k, "", sql, false, 4);
    const long n = rs.LeggiCampo(r, "N").ToLong();
    rs.ChiudiRecordset(r);
    return n;
  };
  const long rimaste = conta("Select Count(*) as N from MovMagLiv");
  const long scarico = conta("Select Sum(QtaScarico) as N from ArticoliProg");
  const double motore = Ms(t0, t1), nudo = Ms(t1, t2);
  std::printf("righe dei livelli: %d (e %d righe di dettaglio)\n", righe, righe / 4);
  std::printf("storno del motore: %.1f ms, %.2f ms per riga dei livelli\n", motore, motore / righe);
  std::printf("stesse letture e scritture nude: %.1f ms, %.2f ms per riga\n", nudo, nudo / righe);
  std::printf("rapporto: %.2f x\n", motore / nudo);
  std::filesystem::remove(file);
  bool ok = true;
  if (rimaste != 0) {
    std::printf("ERRORE: %ld righe dei livelli rimaste\n", rimaste);
    ok = false;
  }
  const long atteso = static_cast<long>(righe) / 4 * 4 * 200 - 2L * 2 * righe;
  if (scarico != atteso) {
    std::printf("ERRORE: scaricato %ld, atteso %ld\n", scarico, atteso);
    ok = false;
  }
  if (motore / righe > 20) {
    std::printf("ERRORE: oltre 20 ms per riga\n");
    ok = false;
  }
  if (motore > 2 * nudo) {
    std::printf("ERRORE: oltre il doppio delle istruzioni nude\n");
    ok = false;
  }
  return ok ? 0 : 1;
}

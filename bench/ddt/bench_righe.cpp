// The lines of a long DDT, on a SQLite company: a DDT of 2,000 lines, 1,000
// of them with 4 level rows each (4,000 level rows).
//
//   opening  `UtilDocFattGest::PrepDocApp`, the committed rows copied into
//            the working tables under the document lock, against the bare
//            DELETE and INSERT ... SELECT of the same rows into the same
//            tables through the data layer, in one transaction;
//   commit   `UtilDocFattGest::SalvaDocApp`, the working rows copied back,
//            against the same statements bare the other way;
//   paste    500 lines flagged with "Copia" in the line window and pasted
//            on line 1,000 (the flags, then the paste, timed apart);
//   refresh  `PrepSql` then `CalcTotDocum` on the open window.
//
// The window's side and the bare side take turns, so that the load of the
// machine falls on both alike; medians. Opening or commit above 2 s, or a
// refresh above 50 ms, fails the run.
//
//   bench_righe [turns]        (default 5)
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
#include "common/utilprg.h"
#include "ddt/header/frmDdtTest.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/MsgBox.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "services/ComLock.h"
#include "services/LatoMenu.h"
#include "services/UtilDocFattGest.h"

namespace {

using namespace bench;

constexpr long kDdt = 50, kRighe = 2000, kConLivelli = 1000, kLivelli = 4, kCopiate = 500, kSu = 1000;
constexpr double kLimiteMs = 2000, kLimiteRefreshMs = 50;


struct Ditta {
  std::filesystem::path file;
  std::shared_ptr<dati::GestDatabase> db;
  std::string conn;

  long Conta(const std::string& sql) { return db->Motore(conn).Interroga(sql).righe.at(0).at(0).ToLong(); }
  long Righe(const std::string& tabella) {
    return Conta("SELECT count(*) FROM " + tabella + " WHERE Anno = 2026 AND NumRif = " + std::to_string(kDdt));
  }
  // The same statements the routines stand for, bare: the rows of the
  // document cleared in the target, then copied from the source, in one
  // transaction of the program.
  void Nudo(const std::string& da, const std::string& a) {
    const std::string dove = " Where Anno = 2026 AND NumRif = " + std::to_string(kDdt);
    const std::string doveReg = " Where Anno = 2026 AND NumReg = " + std::to_string(kDdt);
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    for (const char* t : {"DdtLiv", "DdtDett", "DdtMatr"}) db->EseguiSql(conn, "Delete from " + (t + a) + dove);
    db->EseguiSql(conn, "Delete from DdtRintraccia" + a + doveReg);
    for (const char* t : {"DdtDett", "DdtLiv", "DdtMatr"})
      db->EseguiSql(conn, "Insert Into " + (t + a) + " Select * From " + (t + da) + dove);
    db->EseguiSql(conn, "Insert Into DdtRintraccia" + a + " Select * From DdtRintraccia" + da + doveReg);
    utilprg::TransConferma(0, -1, nullptr, -1, "");
  }
  void SvuotaLavoro() {
    UtilDocFattGest::SvuotaApp(2026, kDdt, "DdtDettApp", "DdtLivApp", vb::Missing, true, "DdtMatrApp",
                               "DdtRintracciaApp");
  }
};

// The company: the demo data, and DDT 50 copied from the editable demo DDT
// with 2,000 lines, the first 1,000 of the two-level article with four
// level rows each, the others of an article without levels.
Ditta CreaDitta() {
  Ditta d;
  d.file = std::filesystem::temp_directory_path() / ("bench_righe_" + std::to_string(getpid()) + ".db");
  d.db = std::make_shared<dati::GestDatabase>();
  d.conn = d.db->CreaDatabase(d.file.string());
  auto& m = d.db->Motore(d.conn);
  dati::CreaSchema(m, dati::SchemaDitta());
  dati::CreaDittaDemo(*d.db, d.conn);
  const std::string num = std::to_string(kDdt);
  m.IniziaTransazione();
  Copia(m, "DdtTest", "DdtTest.Anno = 2026 AND DdtTest.NumRif = 3", {{"NumRif", "n.i"}},
        "n(i) AS (SELECT " + num + ")");
  Copia(m, "DdtDett", "DdtDett.Anno = 2026 AND DdtDett.NumRif = 3 AND DdtDett.RigDet = 1",
        {{"NumRif", num},
         {"RigDet", "n.i"},
         {"RigLiv", "n.i"},
         {"TipoRiga", "'A'"},
         {"Descrizione", "'Riga ' || n.i"},
         {"Qta", "8"},
         {"ValUnitario", "10"},
         {"ValTotale", "80"},
         {"Omaggio", "'N'"},
         {"RigLivRAEE", "Null"},
         {"TipoProv", "Null"},
         {"FattDocumentoProv", "Null"},
         {"AnnoRifProv", "Null"},
         {"NumRifProv", "Null"},
         {"RigaRifProv", "Null"},
         {"QtaProv", "Null"},
         {"StatoRiga", "Null"},
         {"Articolo", "CASE WHEN n.i <= " + std::to_string(kConLivelli) + " THEN '" + dati::demo::kArticoloTaglie +
                          "' ELSE '" + dati::demo::kArticoloViti + "' END"}},
        "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kRighe) + ")");
  m.Esegui("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kConLivelli) +
           "), l(j) AS (SELECT 1 UNION ALL SELECT j + 1 FROM l WHERE j < " + std::to_string(kLivelli) +
           ") INSERT INTO DdtLiv (Anno, NumRif, RigLiv, Livello1, Livello2, Qta, ValUnitario, ValTotale, ScontoTot, "
           "ValLire, ValEuro) SELECT 2026, " +
           num + ", n.i, 'L' || l.j, 'BLU', 2, 10, 20, '', 38725.4, 20 FROM n, l");
  m.ConfermaTransazione();
  return d;
}

struct Esito {
  double finestra, nudo;
};

// Opening and commit of the working copies, each against its bare
// statements, in alternate turns. Empty figures after a failure (told).
bool CopieDiLavoro(Ditta& d, long giri, Esito& apertura, Esito& conferma) {
  std::vector<double> ap, apNudo, co, coNudo;
  const long righe = d.Righe("DdtDett"), livelli = d.Righe("DdtLiv");
  if (righe != kRighe || livelli != kConLivelli * kLivelli) {
    std::printf("FAIL: the DDT has %ld lines and %ld level rows\n", righe, livelli);
    return false;
  }
  auto lavoroPieno = [&](const char* cosa) {
    if (d.Righe("DdtDettApp") == righe && d.Righe("DdtLivApp") == livelli) return true;
    std::printf("FAIL: %s left %ld lines and %ld level rows in the working tables\n", cosa, d.Righe("DdtDettApp"),
                d.Righe("DdtLivApp"));
    return false;
  };
  for (long giro = 0; giro < giri; ++giro) {
    std::string chiave = "Standard";
    auto t0 = Orologio::now();
    if (!UtilDocFattGest::PrepDocApp("D", "Il DDT", 2026, kDdt, vb::Variant("D"), 0, chiave).ToBool()) {
      std::printf("FAIL: PrepDocApp refused the DDT\n");
      return false;
    }
    ap.push_back(Ms(Orologio::now() - t0));
    if (!lavoroPieno("PrepDocApp")) return false;

    t0 = Orologio::now();
    if (!UtilDocFattGest::SalvaDocApp(2026, kDdt, chiave).ToBool()) {
      std::printf("FAIL: SalvaDocApp did not commit\n");
      return false;
    }
    co.push_back(Ms(Orologio::now() - t0));
    if (d.Righe("DdtDett") != righe || d.Righe("DdtLiv") != livelli) {
      std::printf("FAIL: SalvaDocApp left %ld lines and %ld level rows\n", d.Righe("DdtDett"), d.Righe("DdtLiv"));
      return false;
    }
    d.SvuotaLavoro();
    ComLock::SbloccaDoc(&chiave, -1);

    t0 = Orologio::now();
    d.Nudo("", "App");
    apNudo.push_back(Ms(Orologio::now() - t0));
    if (!lavoroPieno("the bare opening")) return false;
    t0 = Orologio::now();
    d.Nudo("App", "");
    coNudo.push_back(Ms(Orologio::now() - t0));
    d.SvuotaLavoro();
  }
  apertura = {Mediana(ap), Mediana(apNudo)};
  conferma = {Mediana(co), Mediana(coNudo)};
  return true;
}

// The header on the DDT, its lines opened with "Dettaglio" as the user
// opens them, the first tick of the line window run.
frmDDTDett* ApriRighe(std::unique_ptr<frmDdtTest>& testata, double& ms) {
  testata = std::make_unique<frmDdtTest>();
  testata->SetosKeySec("bench");
  testata->Load();
  if (testata->oiLoadOk() != 1) return nullptr;
  testata->Show();
  testata->txt(20).SetText("2026");
  testata->txt(10).SetText(std::to_string(kDdt));
  testata->ogComPag().EseguiTasto("Ricerca");
  if (testata->ogComPag().oiFlagOpe() != 1) return nullptr;
  const auto t0 = Orologio::now();
  testata->ButtonComando("Dettaglio");
  if (!frmDDTDett::Creata() || !frmDDTDett::Istanza().Caricata()) return nullptr;
  frmDDTDett& d = frmDDTDett::Istanza();
  if (d.timLinPag().Enabled()) d.Timer(d.timLinPag());
  ms = Ms(Orologio::now() - t0);
  return &d;
}

// The line window closed without saving, the header unloaded: the
// committed rows stay as they were, the working rows and the lock go.
void ChiudiRighe(Ditta& ditta, frmDDTDett& d, std::unique_ptr<frmDdtTest>& testata) {
  d.mbSalvaInUscita = false;
  d.Unload();
  frmDDTDett::Rilascia();
  testata->Unload();
  testata.reset();
  ditta.SvuotaLavoro();
  ComLock::SbloccaDoc(nullptr, -1);
}

}  // namespace

int main(int argc, char** argv) {
  const long giri = argc > 1 ? std::max(1L, std::atol(argv[1])) : 5;
  ui::HeadlessAttivo();
  // The header's unload goes back to the menu, which a bench does not
  // have; any other message is told.
  vb::ImpostaGestoreMsgBox([](const std::string& testo, int, const std::string&) {
    if (testo != "Il menu non è più disponibile") std::printf("message: %s\n", testo.c_str());
    return static_cast<int>(vb::vbOK);
  });
  const auto tc = Orologio::now();
  Ditta ditta = CreaDitta();
  std::printf("company with a DDT of %ld lines and %ld level rows built in %.1f s\n", kRighe, kConLivelli * kLivelli,
              Ms(Orologio::now() - tc) / 1000);

  // The program's state as the start-up leaves it.
  G().goDbAzienda = ditta.db;
  G().gsConnAzienda = ditta.conn;
  G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
  G().gsGesTaglie = "S";
  G().gfLeggiParam = [](const std::string&, const vb::Variant& predefinito) { return predefinito; };
  G().gfLeggiParPers = [](const std::string&, const std::string&, const vb::Variant& predefinito) {
    return predefinito;
  };
  servizi::ImpostaLatoMenu({[] { return std::string("bench"); }, {}, {}});
  auto aiuti = std::make_shared<aiuti::AiutiDecodifica>();
  std::shared_ptr<menu::ContestoProgramma> contesto;
  aiuti->Inizializza(nullptr, nullptr, contesto, ditta.db, ditta.conn, nullptr, G().glColoreSfondo,
                     G().glColoreErrore, "p", "dd/mm/yyyy");
  G().goZelAiuto = aiuti;

  bool ok = true;
  Esito apertura{}, conferma{};
  if (!CopieDiLavoro(ditta, giri, apertura, conferma)) ok = false;

  // The window: paste and refresh, a fresh opening of the lines each turn
  // (a paste adds 500 lines).
  std::vector<double> aperture, segna, incolla, refresh;
  for (long giro = 0; ok && giro < std::min(giri, 3L); ++giro) {
    std::unique_ptr<frmDdtTest> testata;
    double msApre = 0;
    frmDDTDett* pd = ApriRighe(testata, msApre);
    if (!pd) {
      std::printf("FAIL: the line window did not open on DDT %ld\n", kDdt);
      ok = false;
      break;
    }
    frmDDTDett& d = *pd;
    aperture.push_back(msApre);
    ui::Griglia& g = d.dbgRiga();
    if (g.NumRigheEsatto() != kRighe) {
      std::printf("FAIL: the grid holds %ld lines\n", g.NumRigheEsatto());
      ok = false;
    }

    // The refresh on the DDT as it opened, a few times.
    for (int i = 0; i < 15; ++i) {
      const auto t0 = Orologio::now();
      const std::string sql = d.PrepSql().ToString();
      d.CalcTotDocum();
      refresh.push_back(Ms(Orologio::now() - t0));
      if (sql.empty()) ok = false;
    }

    // Lines 1..500 selected in the grid and flagged with "Copia", then
    // pasted on line 1,000.
    std::vector<std::string> segni;
    for (long r = 0; r < kCopiate; ++r) segni.push_back(g.BookmarkDi(r));
    d.ogLinPag().SelBookmarks() = segni;
    auto t0 = Orologio::now();
    d.CopiaTagliaDett(1);
    segna.push_back(Ms(Orologio::now() - t0));
    const long segnate = ditta.Conta("SELECT count(*) FROM DdtDettApp WHERE Anno = 2026 AND NumRif = " +
                                     std::to_string(kDdt) + " AND CopiaTaglia = 1");
    g.VaiARiga(kSu - 1);
    if (segnate != kCopiate || d.txt(10).Text() != std::to_string(kSu)) {
      std::printf("FAIL: %ld lines flagged, the page on line %s\n", segnate, d.txt(10).Text().c_str());
      ok = false;
    }
    t0 = Orologio::now();
    d.IncollaDett();
    incolla.push_back(Ms(Orologio::now() - t0));
    const long dopo = ditta.Righe("DdtDettApp"), livDopo = ditta.Righe("DdtLivApp");
    const long numerate = ditta.Conta("SELECT count(*) FROM DdtDettApp WHERE Anno = 2026 AND NumRif = " +
                                      std::to_string(kDdt) + " AND RigDet BETWEEN 1 AND " +
                                      std::to_string(kRighe + kCopiate));
    if (dopo != kRighe + kCopiate || numerate != dopo || livDopo != (kConLivelli + kCopiate) * kLivelli) {
      std::printf("FAIL: after the paste %ld lines (%ld numbered 1..n), %ld level rows\n", dopo, numerate, livDopo);
      ok = false;
    }
    ChiudiRighe(ditta, d, testata);
    if (ditta.Righe("DdtDett") != kRighe) {
      std::printf("FAIL: closing without saving left %ld committed lines\n", ditta.Righe("DdtDett"));
      ok = false;
    }
  }
  aiuti->ChiudiFinestre();
  G().goZelAiuto.reset();
  aiuti.reset();
  servizi::ImpostaLatoMenu({});
  G().goDbAzienda.reset();
  ditta.db.reset();
  std::filesystem::remove(ditta.file);

  std::printf("DDT of %ld lines, %ld level rows, medians of %ld turns:\n", kRighe, kConLivelli * kLivelli, giri);
  std::printf("  opening (PrepDocApp)   %8.1f ms, bare INSERT ... SELECT %7.1f ms, ratio %.2f\n", apertura.finestra,
              apertura.nudo, apertura.nudo > 0 ? apertura.finestra / apertura.nudo : 0.0);
  std::printf("  commit (SalvaDocApp)   %8.1f ms, bare INSERT ... SELECT %7.1f ms, ratio %.2f\n", conferma.finestra,
              conferma.nudo, conferma.nudo > 0 ? conferma.finestra / conferma.nudo : 0.0);
  std::printf("  \"Dettaglio\" to the line window shown (opening included), %zu turns: %.1f ms\n", aperture.size(),
              Mediana(aperture));
  std::printf("  paste of %ld copied lines on line %ld: flags %.1f ms, paste %.1f ms (%zu turns)\n", kCopiate, kSu,
              Mediana(segna), Mediana(incolla), incolla.size());
  std::printf("  refresh (PrepSql + CalcTotDocum), %zu calls: median %.2f ms\n", refresh.size(), Mediana(refresh));
  if (ok && apertura.finestra > kLimiteMs) {
    std::printf("FAIL: the opening takes more than 2 s\n");
    ok = false;
  }
  if (ok && conferma.finestra > kLimiteMs) {
    std::printf("FAIL: the commit takes more than 2 s\n");
    ok = false;
  }
  if (ok && Mediana(refresh) > kLimiteRefreshMs) {
    std::printf("FAIL: the refresh takes more than 50 ms\n");
    ok = false;
  }
  return ok ? 0 : 1;
}

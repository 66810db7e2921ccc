// A reader file of 1,000 records (article codes and barcodes of the demo
// company, quantities, unit values) imported headless through the line
// window of the editable demo DDT on SQLite: every record typed into a new
// line and saved through the line's own checks, one step per tick of the
// window's timer, as the user's program runs it. Prints records per second
// and the share of the import's own work (reading the file, cutting the
// records, the article searches of the layout), measured in the same run by
// doing that work alone on the same file; fails when the lines are not all
// there or the import's own share reaches 5 %.
//
//   bench_lineaids [records]   (default 1000)
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "ddt/lines/frmDDTDett.h"
#include "lineaids/LetturaFile.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Headless.h"
#include "services/ComLock.h"
#include "services/LatoMenu.h"

namespace {

using Orologio = std::chrono::steady_clock;
using namespace dati::demo;
double Ms(Orologio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class Backend : public ui::Headless {
 public:
  std::vector<std::string> avvisi;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() != "frmMsgCom") return ui::Headless::AttendiModale(f);
    avvisi.push_back(f.C("LabMessaggio").Text());
    if (f.Esiste("ComEsegui", 0)) ui::utente::Clicca(f.C("ComEsegui", 0));
    if (f.Visible()) f.Hide();
  }
};

long Conta(const std::string& sql) {
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
  const long n = rs.LeggiCampo(k, "N").ToLong();
  rs.ChiudiRecordset(k);
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const long record = argc > 1 ? std::max(10L, std::atol(argv[1])) : 1000;
  Backend utente;
  ui::ImpostaBackend(&utente);
  vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) { return static_cast<int>(vb::vbOK); });

  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("bench_lineaids_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string conn = db->CreaDatabase((dir / "ditta.db").string());
  dati::CreaSchema(db->Motore(conn), dati::SchemaDitta());
  dati::CreaDittaDemo(*db, conn);

  Globali& g = G();
  g.goDbAzienda = db;
  g.gsConnAzienda = conn;
  g.gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
  g.gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
    const std::string n = vb::Piega(nome);
    if (n == vb::Piega("Mag.AnnoCorr")) return vb::Variant("2026");
    if (n == vb::Piega("Mag.DataInizio")) return vb::Variant("01/01/2026");
    if (n == vb::Piega("Mag.DataFine")) return vb::Variant("31/12/2026");
    if (n == vb::Piega("Mag.ListinoPrincipale")) return vb::Variant(kListinoVendita);
    return predefinito;
  };
  g.gfLeggiParPers = [](const std::string& sezione, const std::string& nome, const vb::Variant& predefinito) {
    if (vb::UgualeTesto(sezione, "DDT") && vb::UgualeTesto(nome, "LettArtDafile")) return vb::Variant("S");
    return predefinito;
  };
  servizi::ImpostaLatoMenu({[] { return std::string("bench"); }, {}, {}});
  auto aiuti = std::make_shared<aiuti::AiutiDecodifica>();
  std::shared_ptr<menu::ContestoProgramma> contesto;
  aiuti->Inizializza(nullptr, nullptr, contesto, db, conn, nullptr, g.glColoreSfondo, g.glColoreErrore, "p",
                     "dd/mm/yyyy");
  g.goZelAiuto = aiuti;

  // The file: codes, barcodes, quantities and unit values in turn.
  const std::string file = (dir / "lettura.txt").string();
  {
    std::ofstream out(file, std::ios::binary);
    const char* codici[] = {kArticoloAcqua, kBarCodeViti, kArticoloPromo, kArticoloCassa, kArticoloEsente};
    for (long i = 0; i < record; ++i)
      out << codici[i % 5] << "\t" << (1 + i % 7) << "\t" << (i % 3 == 0 ? "1,25" : "") << "\r\n";
  }
  g.gsFileIni = (dir / "velnor.ini").string();
  std::ofstream(g.gsFileIni) << "[LettArtDafile]\nFileOrigine=" << file
                             << "\nFissoSep=S\nSeparatore=9\nCodInizio=1\nQtaInizio=2\nImpUniInizio=3\nCancFile=N\n";

  auto testata = std::make_unique<frmDdtTest>();
  testata->SetosKeySec("bench");
  testata->Load();
  testata->Show();
  testata->txt(20).SetText("2026");
  testata->txt(10).SetText(std::to_string(kDdtModificabile));
  testata->ogComPag().EseguiTasto("Ricerca");
  testata->ButtonComando("Dettaglio");
  if (!frmDDTDett::Creata() || !frmDDTDett::Istanza().Caricata()) {
    std::printf("FAIL: the line window did not open\n");
    return 1;
  }
  frmDDTDett& d = frmDDTDett::Istanza();
  if (d.timLinPag().Enabled()) d.Timer(d.timLinPag());
  d.Show();
  const long prima = Conta("Select Count(*) as N from DdtDettApp Where Anno = 2026 And NumRif = 3");

  d.ButtonComando("Nuovo");
  const auto t0 = Orologio::now();
  d.ButtonComando("LetturaDaFile");
  for (long giro = 0; giro < record * 4 && d.timLinPag().Enabled(); ++giro) d.Timer(d.timLinPag());
  const double totale = Ms(Orologio::now() - t0);
  const long righe = Conta("Select Count(*) as N from DdtDettApp Where Anno = 2026 And NumRif = 3") - prima;

  // The import's own work alone on the same file: reading, cutting and the
  // layout's searches (empty sequence: barcode, then code).
  const auto t1 = Orologio::now();
  {
    lettura::Tracciato t;
    t.FissoSep = "S";
    t.Separatore = "\t";
    t.CodInizio = 1;
    t.QtaInizio = 2;
    t.ImpUniInizio = 3;
    lettura::FileRighe f;
    f.Apri(file);
    std::string riga;
    dati::GestRecordset rs;
    std::string k;
    while (f.LeggiRiga(riga)) {
      const lettura::Record r = lettura::TagliaRecord(t, riga);
      if (!d.DecArtDaCodBar(rs, k, r.codice, true)) d.DecArtDaCodBar(rs, k, r.codice, false);
    }
  }
  const double proprio = Ms(Orologio::now() - t1);
  const double quota = totale > 0 ? proprio / totale * 100 : 0;

  std::printf("records: %ld, lines stored: %ld\n", record, righe);
  std::printf("import through the line window: %.0f ms, %.0f records per second\n", totale, record / totale * 1000);
  std::printf("the import's own work (reading, cutting, article search): %.1f ms, %.2f %% of the total\n", proprio,
              quota);
  bool ok = true;
  if (righe != record) {
    std::printf("FAIL: %ld lines stored for %ld records%s%s\n", righe, record, utente.avvisi.empty() ? "" : ": ",
                utente.avvisi.empty() ? "" : utente.avvisi.back().c_str());
    ok = false;
  }
  if (quota >= 5) {
    std::printf("FAIL: the import's own share is 5 %% or more\n");
    ok = false;
  }
  d.ButtonComando("EsciNoSalva");
  frmDDTDett::Rilascia();
  testata.reset();
  ComLock::SbloccaDoc(nullptr, -1);
  servizi::ImpostaLatoMenu({});
  ui::ImpostaBackend(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return ok ? 0 : 1;
}

// The stock of a lot (UtilLotto::CalcGiacLotto) over 200,000 lot rows of
// 5,000 lots, and the lot selection list (CreaListaLottiSel) of an article
// with 500 open lots, on a SQLite file and, when DDT_PG_CONNECT names the
// test server, on PostgreSQL. The plans of the stock query are printed; on
// SQLite a scan of a lot-row table, a stock above 2 ms a lot or a list
// above 1 s fails the bench (exit 1). `bench_lotti [rows]` (default 200000).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/Globali.h"
#include "lots/UtilLotto.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Headless.h"
#include "services/LatoMenu.h"

namespace {

using Orologio = std::chrono::steady_clock;
constexpr int kArticoli = 10;
constexpr int kLottiPerArticolo = 500;  // 5,000 lots
const char* const kMag[] = {"01", "02"};

std::string Num(long n, int cifre) {
  std::string s = std::to_string(n);
  return std::string(cifre > static_cast<int>(s.size()) ? cifre - static_cast<int>(s.size()) : 0, '0') + s;
}
std::string Articolo(int a) { return "ART" + Num(a, 3); }
std::string Lotto(int l) { return "L" + Num(l, 5); }
// The rows of lot l fall on documents of this store (the headers' numbers
// alternate the two stores; a lot's rows land on numbers of one parity).
const char* Magazzino(int l) { return kMag[(1 + l) % 2]; }

class Inseritore {
 public:
  Inseritore(dati::Connessione& m, const std::string& tabella, const std::vector<std::string>& colonne) : m_(m) {
    sql_ = "INSERT INTO " + tabella + " (";
    std::string p;
    for (size_t i = 0; i < colonne.size(); ++i) {
      sql_ += (i ? ", " : "") + colonne[i];
      p += i ? ", ?" : "?";
    }
    sql_ += ") VALUES (" + p + ")";
  }
  void operator()(const std::vector<vb::Variant>& v) { m_.Esegui(sql_, v); }

 private:
  dati::Connessione& m_;
  std::string sql_;
};

// 5,000 lots, their rows spread over the six lot-row tables: per lot a
// tenth loads by movement, the rest unloads of DDTs (some open for
// editing), of invoices and of working copies, stock left in both stores.
void CreaDati(dati::GestDatabase& db, const std::string& k, long righe) {
  dati::Connessione& m = db.Motore(k);
  dati::CreaSchema(m, dati::SchemaDitta());
  m.IniziaTransazione();
  m.Esegui("INSERT INTO PianoConti (Gruppo, Mastro, Conto, Descrizione) VALUES ('07', '01', '0004', 'Fornitore')");
  m.Esegui("INSERT INTO MagCausali (MagCausale, Descrizione, TipoMov, CarScar, Segno, Prov, Dest) VALUES "
           "('CAR', 'Carico', 'N', 'C', '+', 'F', 'M')");
  const long movimenti = 2000, ddt = 4000, fatture = 1000;
  Inseritore mov(m, "MovMagTes", {"Anno", "NumReg", "MagCausale", "MagazzinoProv", "MagazzinoDest"});
  for (long n = 1; n <= movimenti; ++n) mov({int16_t(2026), n, std::string("CAR"), vb::Null, std::string(kMag[n % 2])});
  Inseritore tes(m, "DdtTest", {"Anno", "NumRif", "MagazzProv", "Stato"});
  for (long n = 1; n <= ddt; ++n)
    tes({int16_t(2026), n, std::string(kMag[n % 2]),
         n % 5 == 0 ? vb::Variant(std::string("S")) : vb::Variant(vb::Null)});
  Inseritore app(m, "DdtDettApp", {"Anno", "NumRif", "RigDet", "RigLiv"});
  for (long n = 1; n <= ddt; n += 40) app({int16_t(2026), n, 1L, 1L});
  Inseritore fat(m, "FatTest", {"Anno", "NumRif", "MagazzProv", "Riepilogativa"});
  for (long n = 1; n <= fatture; ++n) fat({int16_t(2026), n, std::string(kMag[n % 2]), std::string("N")});
  Inseritore lotti(m, "Lotti", {"Lotto", "NrProgLotto", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor",
                                "DataScadenza", "Descrizione", "Chiuso"});
  const int nLotti = kArticoli * kLottiPerArticolo;
  for (int l = 0; l < nLotti; ++l)
    lotti({Lotto(l), int16_t(1), Articolo(l % kArticoli), std::string("07"), std::string("01"),
           std::string("0004"), vb::Null, "Lotto " + Lotto(l), std::string("A")});
  const std::vector<std::string> col = {"Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor",
                                        "ContoCliFor", "Lotto", "NrProgLotto", "Qta", "TipOpe"};
  Inseritore rMov(m, "MovMagRintraccia", col), rDdt(m, "DdtRintraccia", col), rDdtApp(m, "DdtRintracciaApp", col),
      rFat(m, "FattRintraccia", col), rFatApp(m, "FattRintracciaApp", col), rMovApp(m, "MovMagRintracciaApp", col);
  for (long r = 0; r < righe; ++r) {
    const int l = static_cast<int>(r % nLotti);
    const long giro = r / nLotti;  // 0..39 for 200,000 rows
    auto valori = [&](long num, const char* op, double qta) {
      return std::vector<vb::Variant>{int16_t(2026), num, r + 1, Articolo(l % kArticoli), std::string("07"),
                                      std::string("01"), std::string("0004"), Lotto(l), int16_t(1), qta,
                                      std::string(op)};
    };
    switch (giro % 10) {
      case 0: rMov(valori(1 + (r % movimenti), "C", 100)); break;
      case 1: rMovApp(valori(1 + (r % movimenti), "S", 1)); break;
      case 2: rFat(valori(1 + (r % fatture), "S", 1)); break;
      case 3: rFatApp(valori(1 + (r % fatture), "S", 1)); break;
      case 4: rDdtApp(valori(1 + (r % ddt), "S", 1)); break;
      default: rDdt(valori(1 + (r % ddt), "S", 1)); break;
    }
  }
  m.ConfermaTransazione();
  m.Esegui("ANALYZE");
}

bool MostraPiano(dati::GestDatabase& db, const std::string& k) {
  const UtilLotto::ChiaveLotto l{Articolo(7), "07", "01", "0004", Lotto(7), 1};
  const std::string sql = UtilLotto::SqlGiacLotto(kMag[1], l, "da", 2026, 3, 3, "");
  const std::string tradotta = db.Traduci(k, sql)->sql;
  const bool server = db.Motore(k).Tipo() == dati::TipoMotore::Server;
  std::cout << "   " << tradotta << "\n";
  dati::Risultato piano = db.Motore(k).Interroga((server ? "EXPLAIN " : "EXPLAIN QUERY PLAN ") + tradotta);
  bool ok = true;
  for (const auto& riga : piano.righe) {
    const std::string passo = riga.back().ToString();
    std::cout << "   | " << passo << "\n";
    if (server) continue;
    for (const char* t : {"MovMagRintraccia", "MovMagRintracciaApp", "DdtRintraccia", "DdtRintracciaApp",
                          "FattRintraccia", "FattRintracciaApp"})
      if (passo == std::string("SCAN ") + t || passo.rfind(std::string("SCAN ") + t + " ", 0) == 0) {
        if (passo.find("INDEX") == std::string::npos) ok = false;
      }
  }
  return ok;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Times the stock of 500 lots and the list of one article; false when a
// target is missed (checked only when `limiti`).
bool Misura(const char* nome, dati::GestDatabase& db, const std::string& k, bool limiti) {
  std::cout << "== " << nome << "\n";
  const bool pianoOk = MostraPiano(db, k);
  std::vector<double> tempi;
  double somma = 0;
  for (int i = 0; i < 500; ++i) {
    const int l = (i * 37) % (kArticoli * kLottiPerArticolo);
    UtilLotto::GiacenzaLotto q;
    const auto t0 = Orologio::now();
    const vb::Variant g = UtilLotto::CalcGiacLotto(Magazzino(l), {Articolo(l % kArticoli), "07", "01", "0004",
                                                                Lotto(l), 1},
                                                   q, "da", 2026, 4, 4, "");
    tempi.push_back(std::chrono::duration<double, std::milli>(Orologio::now() - t0).count());
    somma += g.ToDouble();
  }
  const double giac = Mediana(tempi);
  std::printf("   CalcGiacLotto: median %.3f ms a lot (500 lots; sum of stocks %.0f)\n", giac, somma);
  std::vector<double> liste;
  int16_t n = 0;
  for (int g = 0; g < 3; ++g) {
    const auto t0 = Orologio::now();
    n = UtilLotto::CreaListaLottiSel("da", Magazzino(3), Articolo(3), true, vb::Variant("10/12/2026"), "da", 2026,
                                     4, 4);
    liste.push_back(std::chrono::duration<double, std::milli>(Orologio::now() - t0).count());
  }
  const double lista = Mediana(liste);
  std::printf("   CreaListaLottiSel: %d lots listed of %d open, median %.1f ms (3 runs)\n", n, kLottiPerArticolo,
              lista);
  bool ok = true;
  if (limiti && !pianoOk) {
    std::cout << "FAIL: the stock query scans a lot-row table\n";
    ok = false;
  }
  if (limiti && giac >= 2.0) {
    std::cout << "FAIL: the stock of a lot takes 2 ms or more\n";
    ok = false;
  }
  if (limiti && lista >= 1000.0) {
    std::cout << "FAIL: the list of 500 open lots takes 1 s or more\n";
    ok = false;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const long righe = argc > 1 ? std::max(1000L, std::atol(argv[1])) : 200000L;
  ui::HeadlessAttivo();
  vb::ImpostaGestoreMsgBox([](const std::string& t, int, const std::string&) {
    std::fprintf(stderr, "messaggio: %s\n", t.c_str());
    return static_cast<int>(vb::vbOK);
  });
  servizi::ImpostaLatoMenu({[] { return std::string("bench"); }, {}, {}});
  bool ok = true;
  {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("bench_lotti_" + std::to_string(getpid()) + ".db");
    std::filesystem::remove(file);
    auto db = std::make_shared<dati::GestDatabase>();
    const std::string k = db->CreaDatabase(file.string());
    const auto t0 = Orologio::now();
    CreaDati(*db, k, righe);
    std::printf("SQLite: %ld lot rows written in %.1f s\n", righe,
                std::chrono::duration<double>(Orologio::now() - t0).count());
    G().goDbAzienda = db;
    G().gsConnAzienda = k;
    ok = Misura("SQLite", *db, k, true) && ok;
    G().goDbAzienda.reset();
    db.reset();
    std::filesystem::remove(file);
  }
  if (const char* server = std::getenv("DDT_PG_CONNECT"); server && *server) {
    auto db = std::make_shared<dati::GestDatabase>();
    const std::string nome = "ddt_bench_lotti_" + std::to_string(getpid());
    {
      const std::string k0 = db->ApriDatabase("", 0, false, false, server);
      db->Motore(k0).Esegui("CREATE DATABASE " + nome);
    }
    // The same connect text on the bench's own database.
    std::string conn;
    for (const std::string& parte : vb::Split(server, ";")) {
      if (parte.empty() || vb::UgualeTesto(vb::Trim(parte.substr(0, parte.find('='))), "DATABASE")) continue;
      conn += (conn.empty() ? "" : ";") + parte;
    }
    conn += ";DATABASE=" + nome;
    {
      auto dbs = std::make_shared<dati::GestDatabase>();
      const std::string k = dbs->ApriDatabase("", 0, false, false, conn);
      const auto t0 = Orologio::now();
      CreaDati(*dbs, k, righe);
      std::printf("PostgreSQL: %ld lot rows written in %.1f s\n", righe,
                  std::chrono::duration<double>(Orologio::now() - t0).count());
      G().goDbAzienda = dbs;
      G().gsConnAzienda = k;
      Misura("PostgreSQL", *dbs, k, false);
      G().goDbAzienda.reset();
    }
    const std::string k0 = db->ApriDatabase("", 0, false, false, server);
    db->Motore(k0).Esegui("DROP DATABASE IF EXISTS " + nome + " WITH (FORCE)");
  }
  std::cout << (ok ? "OK\n" : "FAILED\n");
  return ok ? 0 : 1;
}

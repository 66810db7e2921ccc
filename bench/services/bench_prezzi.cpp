// Pricing one document line end to end on a company of 10,000 articles and
// 100,000 price-list rows: price search, quantity and table discount rules,
// folding of the discount chain, amount, VAT, lire and euro, commission.
// Before timing, the query plans of the searches are printed: each must
// reach its rows through an index, never by scanning a whole table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "services/UtilDocFattGest.h"

namespace {

constexpr int kArticoli = 10000;
constexpr int kListini = 5;
constexpr int kDatePerListino = 2;  // 10,000 x 5 x 2 = 100,000 price-list rows
constexpr int kClienti = 200;
constexpr int kGruppi = 20;
constexpr int kCategorie = 5;

std::string Num(int n, int cifre) {
  std::string s = std::to_string(n);
  return std::string(cifre > static_cast<int>(s.size()) ? cifre - s.size() : 0, '0') + s;
}
std::string Articolo(int i) { return "ART" + Num(i, 5); }
std::string Gruppo(int i) { return "G" + Num(i % kGruppi, 2); }
std::string SottoGruppo(int i) { return "S" + std::to_string(i % 5); }
std::string Cliente(int c) { return "0102" + Num(c, 4); }
std::string Categoria(int c) { return "C" + std::to_string(c % kCategorie); }

// Rows go in through the engine with bound values (the layer's own storage
// of texts, amounts and dates), all in one transaction: the translation of
// a hundred thousand distinct statements would only time the translator.
class Inseritore {
 public:
  Inseritore(dati::GestDatabase& db, const std::string& k, const std::string& tabella,
             const std::vector<std::string>& colonne)
      : m_(db.Motore(k)) {
    sql_ = "INSERT INTO " + tabella + " (";
    std::string segnaposti;
    for (size_t i = 0; i < colonne.size(); ++i) {
      sql_ += (i ? ", " : "") + colonne[i];
      segnaposti += i ? ", ?" : "?";
    }
    sql_ += ") VALUES (" + segnaposti + ")";
  }
  void operator()(const std::vector<vb::Variant>& valori) { m_.Esegui(sql_, valori); }

 private:
  dati::Connessione& m_;
  std::string sql_;
};

using V = vb::Variant;
const V kNoLiv("~ç~");

void CreaDitta(dati::GestDatabase& db, const std::string& k) {
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  auto& m = db.Motore(k);
  m.IniziaTransazione();
  Inseritore mon(db, k, "Monete", {"Moneta", "Descrizione", "NumDec", "NumDecGest", "Operatore", "Cee"});
  mon({V("Euro"), V("Euro"), V(2), V(4), V("*"), V("S")});
  mon({V("L."), V("Lire"), V(0), V(0), V("/"), V("S")});
  Inseritore lis(db, k, "Listini", {"Listino", "Descrizione", "Moneta", "Ivato", "ScoSomSost", "Sconto"});
  const char* modi[kListini] = {"M", "S", "L", "N", "0"};
  for (int l = 0; l < kListini; ++l)
    lis({V("L" + std::to_string(l + 1)), V("Listino"), V("Euro"), V("N"), V(modi[l]), V("2")});

  Inseritore art(db, k, "Articoli", {"Articolo", "Descrizione", "ArtGruppo", "ArtSottoGru", "Sconto"});
  for (int i = 0; i < kArticoli; ++i)
    art({V(Articolo(i)), V("Articolo " + std::to_string(i)), V(Gruppo(i)), V(SottoGruppo(i)),
         V(i % 3 == 0 ? "5" : "")});

  Inseritore righe(db, k, "ArtListini",
                   {"Articolo", "Listino", "Livello1", "Livello2", "DataInizio", "DataFine", "Prezzo", "PrezzoLire",
                    "ScoSomSost", "Sconto"});
  const vb::Date date[kDatePerListino] = {vb::Date::FromYmd(2025, 1, 1), vb::Date::FromYmd(2026, 3, 1)};
  const vb::Date fine = vb::Date::FromYmd(9999, 12, 31);
  for (int i = 0; i < kArticoli; ++i)
    for (int l = 0; l < kListini; ++l)
      for (int d = 0; d < kDatePerListino; ++d) {
        const vb::Currency prezzo = vb::Currency::FromRaw(10000 + (i % 997) * 3700 + l * 10000 + d * 5000);
        righe({V(Articolo(i)), V("L" + std::to_string(l + 1)), kNoLiv, kNoLiv, V(date[d]), V(fine), V(prezzo),
               V(vb::Currency::FromDouble(prezzo.ToDouble() * 1936.27)), V(i % 7 == 0 ? "L" : "M"),
               V(i % 4 == 0 ? "3" : "")});
      }

  Inseritore pro(db, k, "ArtLisPromozioni",
                 {"Articolo", "Listino", "Livello1", "Livello2", "DataInizioProm", "DataFineProm", "PrezzoProm",
                  "PrezzoLireProm", "ScontoClie", "MessProm", "Descrizione"});
  for (int i = 0; i < kArticoli; i += 10)
    pro({V(Articolo(i)), V("L1"), kNoLiv, kNoLiv, V(vb::Date::FromYmd(2026, 11, 1)),
         V(vb::Date::FromYmd(2026, 12, 31)), V(vb::Currency::FromText("1,5")), V(vb::Currency::FromLong(2904)),
         V("S"), V("N"), V("Natale")});

  // Each customer: its own rules on a few groups and on some articles; each
  // category: a rule per group.
  Inseritore sco(db, k, "Sconti",
                 {"Articolo", "Gruppo", "Mastro", "Conto", "Tipo", "ArtGruppo", "ArtsottoGru", "Categoria", "Sconto",
                  "Prezzo", "PrezzoLire", "PercRidProvv", "SommaSost"});
  const V zero(vb::Currency{});
  for (int c = 0; c < kClienti; ++c) {
    for (int g = c % 4; g < kGruppi; g += 4)
      sco({kNoLiv, V("01"), V("02"), V(Num(c, 4)), V("C"), V("G" + Num(g, 2)), kNoLiv, kNoLiv, V("4"), zero, zero,
           V(10.0), V("N")});
    for (int i = c; i < kArticoli; i += 97)
      sco({V(Articolo(i)), V("01"), V("02"), V(Num(c, 4)), V("C"), kNoLiv, kNoLiv, kNoLiv, V("6+2"), zero, zero,
           V(0.0), V("A")});
  }
  for (int cat = 0; cat < kCategorie; ++cat)
    for (int g = 0; g < kGruppi; ++g)
      sco({kNoLiv, V("~ç"), V("~ç"), kNoLiv, V("~"), V("G" + Num(g, 2)), kNoLiv, V("C" + std::to_string(cat)), V("3"),
           zero, zero, V(5.0), V("S")});

  Inseritore qua(db, k, "ScoQua",
                 {"Articolo", "Gruppo", "Mastro", "Conto", "ArtGruppo", "ArtsottoGru", "Categoria", "DaQuantita",
                  "Sconto", "Prezzo", "PrezzoLire", "ScoTabSost", "ScoCliSost", "PercRidProvv"});
  for (int i = 0; i < kArticoli; i += 5) {
    qua({V(Articolo(i)), V("~ç"), V("~ç"), kNoLiv, kNoLiv, kNoLiv, kNoLiv, V(10.0), V("2"), zero, zero, V("N"),
         V("N"), V(0.0)});
    qua({V(Articolo(i)), V("~ç"), V("~ç"), kNoLiv, kNoLiv, kNoLiv, kNoLiv, V(50.0), V("5"), zero, zero, V("S"),
         V("N"), V(10.0)});
  }
  for (int g = 0; g < kGruppi; ++g)
    qua({kNoLiv, V("~ç"), V("~ç"), kNoLiv, V("G" + Num(g, 2)), kNoLiv, kNoLiv, V(100.0), V("1"), zero, zero, V("N"),
         V("N"), V(0.0)});

  Inseritore provv(db, k, "ScontiProvv", {"APartireDa", "PercRidProvv"});
  for (auto [da, perc] : {std::pair{5.0, 10.0}, {10.0, 20.0}, {20.0, 40.0}, {30.0, 60.0}}) provv({V(da), V(perc)});
  m.ConfermaTransazione();
  m.Esegui("ANALYZE");
}

// The price-list and discount searches as the services write them.
std::vector<std::pair<std::string, std::string>> Ricerche() {
  const std::string f = " AND Livello1 = '~ç~' AND Livello2 = '~ç~'";
  std::vector<std::pair<std::string, std::string>> q;
  q.push_back({"promozione",
               "Select top 1 * from ArtLisPromozioni Where Articolo = 'ART00010' AND Listino = 'L1'" + f +
                   " AND DataInizioProm <= #2026-12-10# AND DataFineProm >= #2026-12-10# ORDER BY DataInizioProm Desc"});
  q.push_back({"listino",
               "Select top 1 ArtListini.*, Listini.ScoSomSost, Listini.Sconto from ArtListini LEFT JOIN Listini"
               " ON ArtListini.Listino = Listini.Listino Where Articolo = 'ART00011' AND ArtListini.Listino = 'L2'" +
                   f + " AND DataInizio <= #2026-12-10# ORDER BY DataInizio Desc"});
  q.push_back({"costo", "Select * from ArticoliCosti Where anno = 2026 AND Articolo = 'ART00011'" + f});
  for (const char* tab : {"Sconti", "ScoQua"}) {
    const bool qta = std::string(tab) == "ScoQua";
    const vb::Variant quantita = qta ? vb::Variant(30) : vb::Variant(-1);
    std::string sql;
    int16_t ord = 0;
    auto membro = [&](bool art, bool conto, bool cat, bool gru, bool sotto) {
      if (!sql.empty()) sql += " union ";
      UtilDocFattGest::PrepSqlSconti(tab, sql, ord++, art ? "ART00011" : "~ç~", conto ? Cliente(3) : "~ç~",
                                     cat ? "C3" : "~ç~", gru ? "G11" : "~ç~", sotto ? "S1" : "~ç~", !qta, "C",
                                     quantita);
    };
    membro(true, true, false, false, false);
    membro(true, false, true, false, false);
    if (qta) membro(true, false, false, false, false);
    membro(false, true, false, true, true);
    membro(false, true, false, true, false);
    membro(false, false, true, true, true);
    membro(false, false, true, true, false);
    if (qta) {
      membro(false, false, false, true, true);
      membro(false, false, false, true, false);
    }
    sql += qta ? " order by ord, DaQuantita desc" : " order by ord";
    q.push_back({std::string("regole ") + tab, sql});
  }
  q.push_back({"riduzione provvigione",
               "Select Top 1 * from ScontiProvv Where APartireDa <= 14.5 Order by APartireDa Desc"});
  return q;
}

// Prints the plan of each search; false when one scans a whole table.
bool MostraPiani(dati::GestDatabase& db, const std::string& k) {
  bool ok = true;
  for (const auto& [nome, sql] : Ricerche()) {
    const std::string tradotta = db.Traduci(k, sql)->sql;
    std::cout << "== " << nome << "\n   " << tradotta << "\n";
    dati::Risultato piano = db.Motore(k).Interroga("EXPLAIN QUERY PLAN " + tradotta);
    for (const auto& riga : piano.righe) {
      const std::string passo = riga.back().ToString();
      std::cout << "   | " << passo << "\n";
      if (passo.rfind("SCAN ", 0) == 0 && passo.find("INDEX") == std::string::npos &&
          passo.find("SUBQUERY") == std::string::npos)
        ok = false;
    }
  }
  std::cout << (ok ? "Ogni ricerca usa un indice.\n" : "ATTENZIONE: una ricerca scorre una tabella intera.\n")
            << std::endl;
  return ok;
}

struct FormBench : UtilDocFattGest::FormPrezzo {
  void CercaPrezzo() override {}
};

// One line: the road of its price from the article to the commission.
double PrezzaRiga(std::mt19937& gen) {
  const int art = static_cast<int>(gen() % kArticoli);
  const int cli = static_cast<int>(gen() % kClienti);
  const std::string listino = "L" + std::to_string(1 + gen() % kListini);
  const std::string qta = std::to_string(1 + gen() % 60);
  const std::string articolo = Articolo(art);
  const std::string conto = Cliente(cli);

  std::string scoLis = "", modLis = "N";
  const vb::Variant prezzo = UtilDocFattGest::RicPrezzo("L", "C", conto, 2026, articolo, listino, "N", "N",
                                                        "10/12/2026", "Euro", 2, 1, "PZ", 22, scoLis, modLis);
  std::string cliF, artF, qtaF, tabF, prezzoF =
      vb::FunzioniComuni::Istanza().MascheraNum(prezzo, 2, {}, false, "#,##0", 0, {}, "0");
  double przQta = 0, przTab = 0, ridTab = -2, ridQta = -2;
  std::string modQta = "N", scoQta, modTab = "N", scoTab;
  std::string scoArt = art % 3 == 0 ? "5" : "", modLisDoc = "M", scoLisDoc = "2";
  FormBench form;
  UtilDocFattGest::ApplicaSconti(form, cliF, artF, qtaF, tabF, prezzoF, articolo, vb::Variant(qta), "Euro", przQta,
                                 modQta, scoQta, przTab, modTab, scoTab, scoArt, modLis, scoLis, modLisDoc, scoLisDoc,
                                 "1", 2, conto, "C", Categoria(cli), Gruppo(art), SottoGruppo(art), "1", true, true,
                                 ridTab, ridQta);
  const std::string catena = AziendaUtil::UnisciSconti({cliF, artF, qtaF, tabF});
  bool errore = false;
  const double perc = AziendaUtil::CalcPercSconto(catena, errore, 0, -999);
  const double importo = AziendaUtil::CalcImporto(prezzoF, qta, perc, false, 2);
  const double imposta = AziendaUtil::CalcImposta(importo, 22, 2);
  double lire = 0, euro = 0, doc = 0;
  AziendaUtil::ConvLireEuro(importo, 1, "*", "Euro", lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                            vb::Missing, false, false, "E", "E", false);
  const vb::Variant provv = AziendaUtil::CalcProvvRidotta(catena, 5, 2, ridTab, ridQta, modQta);
  return euro + imposta + provv.ToDouble();
}

void BM_PrezzoRiga(benchmark::State& state) {
  std::mt19937 gen(42);
  for (auto _ : state) benchmark::DoNotOptimize(PrezzaRiga(gen));
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("righe prezzate (items_per_second = righe al secondo)");
}
BENCHMARK(BM_PrezzoRiga)->Unit(benchmark::kMicrosecond);

// The parts of the road, to see where a line's time goes.
void BM_SoloRicPrezzo(benchmark::State& state) {
  std::mt19937 gen(7);
  for (auto _ : state) {
    std::string sconto, modo;
    benchmark::DoNotOptimize(UtilDocFattGest::RicPrezzo("L", "C", Cliente(gen() % kClienti), 2026,
                                                        Articolo(gen() % kArticoli), "L2", "N", "N", "10/12/2026",
                                                        "Euro", 2, 1, "PZ", 22, sconto, modo));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SoloRicPrezzo)->Unit(benchmark::kMicrosecond);

void BM_SoloRegolaQuantita(benchmark::State& state) {
  std::mt19937 gen(8);
  for (auto _ : state) {
    const int art = static_cast<int>(gen() % kArticoli), cli = static_cast<int>(gen() % kClienti);
    double prezzo = 0, rid = 0;
    std::string modo, sconto;
    benchmark::DoNotOptimize(UtilDocFattGest::RicScontoQta(Articolo(art), "30", "Euro", prezzo, modo, sconto, "", "C",
                                                           Cliente(cli), Categoria(cli), Gruppo(art),
                                                           SottoGruppo(art), "1", rid));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SoloRegolaQuantita)->Unit(benchmark::kMicrosecond);

void BM_SoloRegolaTabella(benchmark::State& state) {
  std::mt19937 gen(9);
  for (auto _ : state) {
    const int art = static_cast<int>(gen() % kArticoli), cli = static_cast<int>(gen() % kClienti);
    double prezzo = 0, rid = 0;
    std::string modo, sconto;
    benchmark::DoNotOptimize(UtilDocFattGest::RicScontoTab(Articolo(art), "Euro", prezzo, modo, sconto, "",
                                                           Cliente(cli), "C", Categoria(cli), Gruppo(art),
                                                           SottoGruppo(art), "1", rid));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SoloRegolaTabella)->Unit(benchmark::kMicrosecond);

void BM_SoloCalcoli(benchmark::State& state) {
  for (auto _ : state) {
    bool errore = false;
    const double perc = AziendaUtil::CalcPercSconto(AziendaUtil::UnisciSconti({"2", "10+5", "", "3"}), errore, 0, -999);
    const double importo = AziendaUtil::CalcImporto("12,34", "7", perc, false, 2);
    double lire = 0, euro = 0, doc = 0;
    AziendaUtil::ConvLireEuro(importo, 1, "*", "Euro", lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                              vb::Missing, false, false, "E", "E", false);
    benchmark::DoNotOptimize(AziendaUtil::CalcImposta(euro, 22, 2) + lire);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SoloCalcoli)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("bench_prezzi-" + std::to_string(::getpid()) + ".db");
  std::filesystem::remove(file);
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string k = db->CreaDatabase(file.string());
  std::cout << "Ditta di prova: " << kArticoli << " articoli, " << kArticoli * kListini * kDatePerListino
            << " righe di listino..." << std::endl;
  CreaDitta(*db, k);
  G().goDbAzienda = db;
  G().gsConnAzienda = k;
  const bool indici = MostraPiani(*db, k);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  G().goDbAzienda.reset();
  db.reset();
  std::filesystem::remove(file);
  return indici ? 0 : 1;
}

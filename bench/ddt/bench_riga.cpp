// One DDT line typed in the line window, on the demo company grown to 10,000
// articles and 100,000 price-list rows (5 lists, 2 dates each), with 60,000
// stock progressives, discount rules by customer, category, group and
// article, and quantity rules: the header on the editable DDT, "Dettaglio",
// then for each line a new line, the article code typed into its field and
// the field left for the quantity (the real focus move: the exit of the
// field runs the decode, the defaults, the price search, both discount
// rules, the amounts and the stock display), then the quantity typed and
// left for the price (the quantity rule again and the amount).
//
//   time     per line, median over `righe` different articles (default 200),
//            the article's exit and the quantity's apart;
//   share    the same number of other articles with a sampling profiler of
//            the bench's own (a wall-clock timer of 0.5 ms interrupting the
//            thread, the stack taken with backtrace() and resolved against
//            the executable's symbol table): a sample whose innermost frame
//            of ours belongs to the landed services (AziendaUtil,
//            UtilDocFattGest, BarCode, UtilLotto, FunVarie, ...) is theirs,
//            one whose innermost frame of ours is the window's is the
//            form's, one with neither (the platform's focus and key
//            machinery) is counted on the form's side too;
//   plans    every statement SQLite runs for the first lines (traced on every
//            handle of the file), by shape, with its query plan: a scan of
//            Articoli, ArtListini or ArticoliProg, or a search of theirs not
//            bound by the article (the year alone), fails the run. The file
//            has no statistics, as a company's file has none (the engine's
//            skip-scan would hide a missing index); BENCH_RIGA_ANALYZE=1 runs
//            ANALYZE first.
//
// Fails when the median line takes 30 ms or more, when the form's share is
// half of the line or more, or when a line does not come out whole.
//
//   bench_riga [righe]        (default 200)
#include <dlfcn.h>
#include <elf.h>
#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "../BenchComune.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Headless.h"
#include "services/ComLock.h"
#include "services/LatoMenu.h"
#include "services/UtilDocFattGest.h"

namespace {

using namespace bench;
using namespace dati::demo;

constexpr long kArticoli = 10000, kListini = 5, kDate = 2, kMagazzini = 3, kClienti = 200, kGruppi = 20;
constexpr double kLimiteRigaMs = 30, kLimiteQuota = 0.5;
constexpr long kRigheTracciate = 3;  // lines whose statements are traced and planned
constexpr const char* kQta = "12";

std::string Codice(long i) {
  char s[16];
  std::snprintf(s, sizeof s, "ART%05ld", i);
  return s;
}

// ---------------------------------------------------------------- the company

std::string Lit(const std::string& s) { return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(s), 8); }

std::string Numeri(long quanti, const std::string& nome = "n") {
  return nome + "(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM " + nome + " WHERE i < " + std::to_string(quanti - 1) +
         ")";
}

// The code of article n.i in SQL.
const std::string kCodiceSql = "'ART' || substr('0000' || n.i, -5, 5)";
const std::string kGruppoSql = "'G' || substr('0' || (n.i % " + std::to_string(kGruppi) + "), -2, 2)";

struct Ditta {
  std::filesystem::path file;
  std::shared_ptr<dati::GestDatabase> db;
  std::string conn;
};

// The demo company, then its articles grown from the screws (no levels,
// stock managed): each list of the demo and two more priced on two dates
// (the later the one of the working date), a promotion on one article in
// ten, stock in three warehouses over two years, costs of the year, rules of
// 200 customers (the DDT's one among them) on groups and articles, of the
// categories on the groups, and quantity rules on one article in five.
Ditta CreaDitta() {
  Ditta d;
  d.file = std::filesystem::temp_directory_path() / ("bench_riga_" + std::to_string(getpid()) + ".db");
  d.db = std::make_shared<dati::GestDatabase>();
  d.conn = d.db->CreaDatabase(d.file.string());
  auto& m = d.db->Motore(d.conn);
  dati::CreaSchema(m, dati::SchemaDitta());
  dati::CreaDittaDemo(*d.db, d.conn);
  const std::string viti = Lit(kArticoloViti);
  m.IniziaTransazione();
  Copia(m, "Articoli", "Articoli.Articolo = " + viti,
        {{"Articolo", kCodiceSql},
         {"Descrizione", "'Articolo ' || n.i"},
         {"BarCode", "Null"},
         {"ArtGruppo", kGruppoSql},
         {"ArtSottoGru", "'S' || (n.i % 5)"},
         {"Sconto", "CASE WHEN n.i % 3 = 0 THEN '5' ELSE Null END"}},
        Numeri(kArticoli));
  m.Esegui("INSERT INTO Listini (Listino, Descrizione, Moneta, Ivato, ScoSomSost, Sconto) VALUES "
           "('05', 'Listino 5', 'Euro', 'N', 'M', '2'), ('06', 'Listino 6', 'Euro', 'N', 'L', Null)");
  // The screws have two rows on the sales list, one for each date; the
  // price grows with the article, the list and the date. Lists 01 to 03 of
  // the demo and two more (04 is the demo's list in dollars).
  Copia(m, "ArtListini", "ArtListini.Articolo = " + viti + " AND ArtListini.Listino = " + Lit(kListinoVendita),
        {{"Articolo", kCodiceSql},
         {"Listino", "'0' || l.j"},
         {"Prezzo", "round(1 + (n.i % 997) * 0.37 + l.j + (ArtListini.DataInizio > '2025-06-01') * 0.5, 2)"},
         {"PrezzoLire", "round((1 + (n.i % 997) * 0.37 + l.j + (ArtListini.DataInizio > '2025-06-01') * 0.5) * "
                        "1936.27, 0)"},
         {"ScoSomSost", "CASE WHEN n.i % 7 = 0 THEN 'L' ELSE 'M' END"},
         {"Sconto", "CASE WHEN n.i % 4 = 0 THEN '3' ELSE Null END"}},
        Numeri(kArticoli) + ", l(j) AS (VALUES (1), (2), (3), (5), (6))",
        "n, l");
  Copia(m, "ArtLisPromozioni", "ArtLisPromozioni.Articolo = " + Lit(kArticoloPromo),
        {{"Articolo", kCodiceSql}, {"Descrizione", "'Promozione ' || n.i"}},
        "n(i) AS (SELECT 5 UNION ALL SELECT i + 10 FROM n WHERE i < " + std::to_string(kArticoli - 10) + ")");
  // Stock: the screws' progressive of the year in each warehouse, both years.
  Copia(m, "ArticoliProg", "ArticoliProg.Articolo = " + viti,
        {{"Articolo", kCodiceSql},
         {"Anno", "y.a"},
         {"Magazzino", "'0' || w.k"},
         {"QtaIniziale", "(n.i % 50) + w.k"},
         {"QtaCarico", "(n.i % 30) * w.k"},
         {"QtaScarico", "(n.i % 20)"}},
        Numeri(kArticoli) + ", w(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM w WHERE k < " +
            std::to_string(kMagazzini) + "), y(a) AS (SELECT 2025 UNION ALL SELECT 2026)",
        "n, w, y");
  Copia(m, "ArticoliCosti", "ArticoliCosti.Articolo = " + viti, {{"Articolo", kCodiceSql}}, Numeri(kArticoli));
  // Discount rules: 200 customers (the DDT's customer 3 among them) on a
  // group in four and on an article in 97; the categories on every group.
  const std::string clienti = "c(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM c WHERE i < " +
                              std::to_string(kClienti - 1) + "), cc(conto, i) AS (SELECT " + Lit(kCliente3) +
                              ", 14 UNION ALL SELECT substr('000' || (100 + i), -4, 4), i FROM c WHERE i <> 14)";
  m.Esegui("WITH RECURSIVE " + clienti + ", g(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM g WHERE j < " +
           std::to_string(kGruppi - 1) +
           ") INSERT INTO Sconti (Articolo, Gruppo, Mastro, Conto, Tipo, ArtGruppo, ArtsottoGru, Categoria, Sconto, "
           "Prezzo, PrezzoLire, PercRidProvv, SommaSost) SELECT '~ç~', " +
           Lit(kGruppoClienti) + ", " + Lit(kMastroClienti) +
           ", cc.conto, '3', 'G' || substr('0' || g.j, -2, 2), '~ç~', '~ç~', '4', 0, 0, 10, 'N' FROM cc, g "
           "WHERE g.j % 4 = cc.i % 4");
  m.Esegui("WITH RECURSIVE " + clienti + ", " + Numeri(kArticoli) +
           " INSERT INTO Sconti (Articolo, Gruppo, Mastro, Conto, Tipo, ArtGruppo, ArtsottoGru, Categoria, Sconto, "
           "Prezzo, PrezzoLire, PercRidProvv, SommaSost) SELECT " +
           kCodiceSql + ", " + Lit(kGruppoClienti) + ", " + Lit(kMastroClienti) +
           ", cc.conto, '3', '~ç~', '~ç~', '~ç~', '6+2', 0, 0, 0, 'A' FROM cc, n WHERE n.i % 97 = cc.i % 97");
  m.Esegui("WITH RECURSIVE g(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM g WHERE j < " + std::to_string(kGruppi - 1) +
           "), k(cat) AS (SELECT " + Lit(kCategoriaDettaglianti) + " UNION ALL SELECT " + Lit(kCategoriaRivenditori) +
           ") INSERT INTO Sconti (Articolo, Gruppo, Mastro, Conto, Tipo, ArtGruppo, ArtsottoGru, Categoria, Sconto, "
           "Prezzo, PrezzoLire, PercRidProvv, SommaSost) SELECT '~ç~', '~ç', '~ç', '~ç~', '~', "
           "'G' || substr('0' || g.j, -2, 2), '~ç~', k.cat, '3', 0, 0, 5, 'S' FROM g, k");
  Copia(m, "ScoQua", "ScoQua.Articolo = " + viti,
        {{"Articolo", kCodiceSql}, {"DaQuantita", "ScoQua.DaQuantita / 5"}},
        "n(i) AS (SELECT 0 UNION ALL SELECT i + 5 FROM n WHERE i < " + std::to_string(kArticoli - 5) + ")");
  m.ConfermaTransazione();
  if (std::getenv("BENCH_RIGA_ANALYZE")) m.Esegui("ANALYZE");
  return d;
}

// ---------------------------------------------------------------- the statements

std::vector<std::string>* gLette = nullptr;

int TracciaSql(unsigned, void*, void* p, void*) {
  if (gLette) {
    const char* s = sqlite3_sql(static_cast<sqlite3_stmt*>(p));
    if (s) gLette->emplace_back(s);
  }
  return 0;
}

// Every handle opened on the file (the writing one and the reading ones)
// tells its statements.
int TracciaConnessione(sqlite3* db, const char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, TracciaSql, nullptr);
  return SQLITE_OK;
}

// The statement with its literals as "?", to group the reads of lines of
// different articles.
std::string Forma(const std::string& sql) {
  static const std::regex testi("'([^']|'')*'"), numeri("\\b[0-9]+(\\.[0-9]+)?\\b"), spazi("\\s+");
  std::string f = std::regex_replace(sql, testi, "?");
  f = std::regex_replace(f, numeri, "?");
  return std::regex_replace(f, spazi, " ");
}

const std::set<std::string> kGrandi = {"articoli", "artlistini", "articoliprog"};

// The names a statement gives the big tables (the tables themselves and
// their aliases).
std::set<std::string> NomiGrandi(const std::string& sql) {
  static const std::regex nome("\\b(Articoli|ArtListini|ArticoliProg)\\b(\\s+AS)?(\\s+([A-Za-z_][A-Za-z0-9_]*))?",
                               std::regex::icase);
  static const std::set<std::string> parole = {"where", "left", "inner", "right", "join", "on", "order", "group",
                                               "union", "limit", "set", "values", "select", "from", "cross",
                                               "natural", "outer", "using", "having", "as"};
  std::set<std::string> n;
  for (auto it = std::sregex_iterator(sql.begin(), sql.end(), nome); it != std::sregex_iterator(); ++it) {
    n.insert(vb::Piega((*it)[1].str()));
    const std::string alias = vb::Piega((*it)[4].str());
    if (!alias.empty() && !parole.count(alias)) n.insert(alias);
  }
  return n;
}

// Prints each shape of read with its plan; false when one scans a big table.
bool MostraPiani(Ditta& d, const std::vector<std::string>& lette, long righe) {
  std::map<std::string, std::pair<std::string, long>> forme;
  std::vector<std::string> ordine;
  long letture = 0;
  for (const std::string& s : lette) {
    std::string t = s;
    t.erase(0, t.find_first_not_of(" \t\r\n"));
    const std::string testa = vb::Piega(t.substr(0, 6));
    if (testa != "select" && vb::Piega(t.substr(0, 4)) != "with") continue;
    ++letture;
    const std::string f = Forma(t);
    auto [it, nuova] = forme.try_emplace(f, t, 0);
    if (nuova) ordine.push_back(f);
    ++it->second.second;
  }
  std::printf("\nreads of the chain on SQLite: %ld in %ld lines (%.1f a line), %zu shapes\n", letture, righe,
              righe ? static_cast<double>(letture) / static_cast<double>(righe) : 0.0, ordine.size());
  bool ok = true;
  for (const std::string& f : ordine) {
    const auto& [esempio, quante] = forme[f];
    std::printf("== x%ld  %s\n", quante, esempio.c_str());
    const std::set<std::string> grandi = NomiGrandi(esempio);
    dati::Risultato piano;
    try {
      piano = d.db->Motore(d.conn).Interroga("EXPLAIN QUERY PLAN " + esempio);
    } catch (const std::exception& e) {
      std::printf("   | (no plan: %s)\n", e.what());
      continue;
    }
    for (const auto& r : piano.righe) {
      const std::string passo = r.back().ToString();
      std::string avviso;
      const bool scan = passo.rfind("SCAN ", 0) == 0, search = passo.rfind("SEARCH ", 0) == 0;
      if (scan || search) {
        std::string nome = passo.substr(scan ? 5 : 7);
        if (nome.rfind("TABLE ", 0) == 0) nome = nome.substr(6);
        nome = vb::Piega(nome.substr(0, nome.find(' ')));
        // The three are read by article: a search whose bound leaves the
        // article out (the year alone, say) walks a slice as large as the
        // company, as a scan does.
        if ((grandi.count(nome) || kGrandi.count(nome)) &&
            (scan || passo.find("Articolo=") == std::string::npos)) {
          avviso = scan ? "   <-- FULL SCAN OF A BIG TABLE" : "   <-- NOT BOUND BY THE ARTICLE";
          ok = false;
        }
      }
      std::printf("   | %s%s\n", passo.c_str(), avviso.c_str());
    }
  }
  std::printf("%s\n", ok ? "no read scans Articoli, ArtListini or ArticoliProg"
                         : "FAIL: a read of the chain scans a big table, or a slice of it not bound by the article");
  return ok;
}

// ---------------------------------------------------------------- the sampler

namespace campioni {

constexpr int kProfondita = 64;
struct Campione {
  int n;
  void* pc[kProfondita];
};

std::vector<Campione> gBuffer;
std::atomic<size_t> gUsati{0};
timer_t gTimer;
long gPeriodoUs = 500;

void Gestore(int, siginfo_t*, void*) {
  const int salvato = errno;
  const size_t i = gUsati.fetch_add(1, std::memory_order_relaxed);
  if (i < gBuffer.size()) gBuffer[i].n = backtrace(gBuffer[i].pc, kProfondita);
  errno = salvato;
}

bool Prepara(size_t capienza) {
  gBuffer.assign(capienza, Campione{});
  void* prova[4];
  backtrace(prova, 4);  // the unwinder loaded before any signal comes
  struct sigaction sa {};
  sa.sa_sigaction = Gestore;
  sa.sa_flags = SA_SIGINFO | SA_RESTART;
  sigemptyset(&sa.sa_mask);
  if (sigaction(SIGPROF, &sa, nullptr) != 0) return false;
  sigevent ev{};
  ev.sigev_notify = SIGEV_THREAD_ID;
  ev.sigev_signo = SIGPROF;
  ev._sigev_un._tid = static_cast<int>(gettid());
  return timer_create(CLOCK_MONOTONIC, &ev, &gTimer) == 0;
}

void Arma(bool acceso) {
  itimerspec t{};
  if (acceso) t.it_interval.tv_nsec = t.it_value.tv_nsec = gPeriodoUs * 1000;
  timer_settime(gTimer, 0, &t, nullptr);
}

size_t Presi() { return std::min(gUsati.load(), gBuffer.size()); }

// The functions of the executable, from its own symbol table.
class Simboli {
 public:
  Simboli() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* dati) {
          *static_cast<uintptr_t*>(dati) = info->dlpi_addr;
          return 1;  // the first object is the program
        },
        &base_);
    const int fd = open("/proc/self/exe", O_RDONLY);
    if (fd < 0) return;
    struct stat st {};
    fstat(fd, &st);
    dim_ = static_cast<size_t>(st.st_size);
    mappa_ = static_cast<const char*>(mmap(nullptr, dim_, PROT_READ, MAP_PRIVATE, fd, 0));
    close(fd);
    if (mappa_ == MAP_FAILED) {
      mappa_ = nullptr;
      return;
    }
    const auto* eh = reinterpret_cast<const Elf64_Ehdr*>(mappa_);
    const auto* sh = reinterpret_cast<const Elf64_Shdr*>(mappa_ + eh->e_shoff);
    for (int s = 0; s < eh->e_shnum; ++s) {
      if (sh[s].sh_type != SHT_SYMTAB) continue;
      const char* nomi = mappa_ + sh[sh[s].sh_link].sh_offset;
      const auto* sym = reinterpret_cast<const Elf64_Sym*>(mappa_ + sh[s].sh_offset);
      const size_t quanti = sh[s].sh_size / sizeof(Elf64_Sym);
      for (size_t i = 0; i < quanti; ++i)
        if (ELF64_ST_TYPE(sym[i].st_info) == STT_FUNC && sym[i].st_value && sym[i].st_size)
          f_.push_back({base_ + sym[i].st_value, base_ + sym[i].st_value + sym[i].st_size, nomi + sym[i].st_name, {}});
    }
    std::sort(f_.begin(), f_.end(), [](const Funzione& a, const Funzione& b) { return a.inizio < b.inizio; });
  }
  ~Simboli() {
    if (mappa_) munmap(const_cast<char*>(mappa_), dim_);
  }
  Simboli(const Simboli&) = delete;
  Simboli& operator=(const Simboli&) = delete;

  // The demangled name of the function holding `pc`; "" outside the program.
  const std::string& Nome(uintptr_t pc) {
    static const std::string nessuno;
    auto it = std::upper_bound(f_.begin(), f_.end(), pc, [](uintptr_t p, const Funzione& f) { return p < f.inizio; });
    if (it == f_.begin()) return nessuno;
    --it;
    if (pc >= it->fine) return nessuno;
    if (it->nome.empty()) {
      int stato = 0;
      char* s = abi::__cxa_demangle(it->grezzo, nullptr, nullptr, &stato);
      it->nome = stato == 0 && s ? s : it->grezzo;
      std::free(s);
    }
    return it->nome;
  }
  bool Pronti() const { return !f_.empty(); }

 private:
  struct Funzione {
    uintptr_t inizio, fine;
    const char* grezzo;
    std::string nome;
  };
  std::vector<Funzione> f_;
  uintptr_t base_ = 0;
  const char* mappa_ = nullptr;
  size_t dim_ = 0;
};

// Whether a qualified name begins with `prefisso` (a template function's
// name comes after its return type).
bool Di(const std::string& nome, const char* prefisso) {
  const size_t p = nome.find(prefisso);
  if (p == std::string::npos) return false;
  if (p == 0) return true;
  const size_t par = nome.find('(');
  return nome[p - 1] == ' ' && (par == std::string::npos || p < par);
}

bool DeiServizi(const std::string& n) {
  for (const char* s : {"AziendaUtil::", "UtilDocFattGest::", "BarCode::", "UtilLotto::", "FunVarie::", "ComLock::",
                        "servizi::", "calcolo::", "Avvisi::", "ZelCodBar::"})
    if (Di(n, s)) return true;
  return false;
}
bool DellaFinestra(const std::string& n) { return Di(n, "frmDDTDett::") || Di(n, "DettUtil::"); }

struct Esito {
  long totale = 0, servizi = 0, finestra = 0, altro = 0;
  std::map<std::string, long> perServizio, perFinestra, fogliaFinestra;
};

// The short name of a function (without its parameters).
std::string Breve(const std::string& n) {
  size_t fine = n.find('(');
  std::string s = n.substr(0, fine);
  if (s.size() > 90) s = s.substr(0, 90) + "...";
  return s;
}

Esito Conta(Simboli& simboli) {
  Esito e;
  for (size_t i = 0; i < Presi(); ++i) {
    const Campione& c = gBuffer[i];
    // 0 is the handler, 1 the kernel's return to it; from 2 the thread.
    int dove = -1;
    bool servizio = false;
    std::string foglia;
    for (int k = 2; k < c.n; ++k) {
      const uintptr_t pc = reinterpret_cast<uintptr_t>(c.pc[k]) - (k > 2 ? 1 : 0);
      const std::string& n = simboli.Nome(pc);
      if (n.empty()) continue;
      if (foglia.empty()) foglia = n;
      if (DeiServizi(n)) {
        servizio = true;
        dove = k;
        break;
      }
      if (DellaFinestra(n)) {
        dove = k;
        break;
      }
    }
    ++e.totale;
    if (dove < 0) {
      ++e.altro;
      continue;
    }
    if (servizio) {
      ++e.servizi;
      // The service the window called: the outermost one below its frame.
      std::string entrata = simboli.Nome(reinterpret_cast<uintptr_t>(c.pc[dove]) - (dove > 2 ? 1 : 0));
      for (int k = dove + 1; k < c.n; ++k) {
        const std::string& n = simboli.Nome(reinterpret_cast<uintptr_t>(c.pc[k]) - 1);
        if (DellaFinestra(n)) break;
        if (DeiServizi(n)) entrata = n;
      }
      ++e.perServizio[Breve(entrata)];
    } else {
      ++e.finestra;
      const std::string& n = simboli.Nome(reinterpret_cast<uintptr_t>(c.pc[dove]) - (dove > 2 ? 1 : 0));
      ++e.perFinestra[Breve(n)];
      ++e.fogliaFinestra[Breve(foglia)];
    }
  }
  return e;
}

void Primi(const char* titolo, const std::map<std::string, long>& m, long totale, size_t quanti) {
  std::vector<std::pair<long, std::string>> v;
  for (const auto& [n, c] : m) v.push_back({c, n});
  std::sort(v.rbegin(), v.rend());
  std::printf("  %s\n", titolo);
  for (size_t i = 0; i < std::min(quanti, v.size()); ++i)
    std::printf("    %5.1f %%  %s\n", 100.0 * static_cast<double>(v[i].first) / static_cast<double>(totale),
                v[i].second.c_str());
}

}  // namespace campioni

// ---------------------------------------------------------------- the window

// The user answers the common message window with its first button (the
// "Ok" of the promotion notice); what it said is kept.
class Backend : public ui::Headless {
 public:
  std::vector<std::string> avvisi;

  void AttendiModale(ui::Form& f) override {
    if (f.Name() != "frmMsgCom") return ui::Headless::AttendiModale(f);
    std::string testo = f.C("LabMessaggio").Text();
    if (f.Esiste("txtMessaggio") && f.C("txtMessaggio").Visible() && !f.C("txtMessaggio").Text().empty())
      testo = f.C("txtMessaggio").Text();
    avvisi.push_back(testo);
    if (f.Esiste("ComEsegui", 0)) ui::utente::Clicca(f.C("ComEsegui", 0));
    if (f.Visible()) f.Hide();
  }
};

// The header on the editable DDT, its lines opened with "Dettaglio", the
// first tick of the line window run.
frmDDTDett* ApriRighe(std::unique_ptr<frmDdtTest>& testata) {
  testata = std::make_unique<frmDdtTest>();
  testata->SetosKeySec("bench");
  testata->Load();
  if (testata->oiLoadOk() != 1) return nullptr;
  testata->Show();
  testata->txt(20).SetText("2026");
  testata->txt(10).SetText(std::to_string(kDdtModificabile));
  testata->ogComPag().EseguiTasto("Ricerca");
  if (testata->ogComPag().oiFlagOpe() != 1) return nullptr;
  testata->ButtonComando("Dettaglio");
  if (!frmDDTDett::Creata() || !frmDDTDett::Istanza().Caricata()) return nullptr;
  frmDDTDett& d = frmDDTDett::Istanza();
  if (d.timLinPag().Enabled()) d.Timer(d.timLinPag());
  return &d;
}

// A new line, the line typed before dropped without a question; the new
// line starts from a line whose entry begins at the article.
bool NuovaRiga(frmDDTDett& d) {
  auto& p = d.ogLinPag();
  if (p.Stato() == 2) {
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
    p.EseguiTasto("Annulla");
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
  }
  for (int r = 1; !d.lab(540).Caption().empty() && r < 9; ++r) {
    p.EseguiTasto("Inizio");
    for (int i = 1; i < r; ++i) p.EseguiTasto("Successiva");
  }
  return p.EseguiTasto("Nuovo").empty() && d.txt(18).Text() == "A";
}

struct Tempi {
  std::vector<double> riga, articolo, quantita;
};

// The line of article i: the code typed and the field left for the
// quantity, the quantity typed and left for the price. "" when the line
// came out whole, else what is wrong.
std::string Riga(frmDDTDett& d, long i, Tempi& t, std::vector<std::string>& messaggi, Backend& utente,
                 std::vector<std::string>* lette) {
  if (!NuovaRiga(d)) return "no new line";
  const std::string codice = Codice(i);
  messaggi.clear();
  utente.avvisi.clear();
  gLette = lette;
  const auto t0 = Orologio::now();
  ui::utente::Fuoco(d.txt(20));
  ui::utente::Digita(d.txt(20), codice);
  ui::utente::Fuoco(d.txt(30));
  const auto t1 = Orologio::now();
  ui::utente::Digita(d.txt(30), kQta);
  ui::utente::Fuoco(d.txt(60));
  const auto t2 = Orologio::now();
  gLette = nullptr;
  t.articolo.push_back(Ms(t1 - t0));
  t.quantita.push_back(Ms(t2 - t1));
  t.riga.push_back(Ms(t2 - t0));

  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string descr = "Articolo " + std::to_string(i);
  if (!messaggi.empty()) return "message: " + messaggi.front();
  // One in ten articles is on promotion: the price search tells it.
  const bool promozione = i % 10 == 5;
  if (utente.avvisi.size() != (promozione ? 1u : 0u) ||
      (promozione && utente.avvisi[0].rfind("Articolo con prezzo in promozione", 0) != 0))
    return "message window: " + (utente.avvisi.empty() ? std::string("none") : utente.avvisi[0]);
  if (d.txt(20).BackColor() == G().glColoreErrore || d.txt(20).Text() != codice) return "article in error";
  if (d.txt(26).Text() != descr) return "description \"" + d.txt(26).Text() + "\"";
  if (d.txt(130).Text() != kIva22) return "VAT \"" + d.txt(130).Text() + "\"";
  if (fc.ValDouble(vb::Variant(d.txt(60).Text())) <= 0) return "no price";
  if (fc.ValDouble(vb::Variant(d.txt(70).Text())) <= 0) return "no amount";
  if (d.lab(200).Caption().empty()) return "no stock shown";
  // Off promotion, every group has a table rule and one article in five a
  // quantity rule from 10 (the article's own discount gives way to both).
  if (!promozione) {
    if (d.txt(90).Text().empty()) return "no table discount";
    if ((i % 5 == 0) != !d.txt(120).Text().empty()) return "quantity discount \"" + d.txt(120).Text() + "\"";
  }
  return {};
}

void ChiudiRighe(Ditta& ditta, frmDDTDett& d, std::unique_ptr<frmDdtTest>& testata) {
  auto& p = d.ogLinPag();
  if (p.Stato() == 2) {
    p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
    p.EseguiTasto("Annulla");
  }
  d.mbSalvaInUscita = false;
  d.Unload();
  frmDDTDett::Rilascia();
  testata->Unload();
  testata.reset();
  UtilDocFattGest::SvuotaApp(2026, kDdtModificabile, "DdtDettApp", "DdtLivApp", vb::Missing, true, "DdtMatrApp",
                             "DdtRintracciaApp");
  ComLock::SbloccaDoc(nullptr, -1);
  (void)ditta;
}

}  // namespace

int main(int argc, char** argv) {
  const long righe = argc > 1 ? std::max(5L, std::atol(argv[1])) : 200;
  Backend utente;
  ui::ImpostaBackend(&utente);
  std::vector<std::string> messaggi;
  vb::ImpostaGestoreMsgBox([&](const std::string& testo, int, const std::string&) {
    if (testo != "Il menu non è più disponibile") messaggi.push_back(testo);
    return static_cast<int>(vb::vbOK);
  });
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(TracciaConnessione));

  const auto tc = Orologio::now();
  Ditta ditta = CreaDitta();
  std::printf("demo company grown to %ld articles and %ld price-list rows in %.1f s\n", kArticoli,
              kArticoli * kListini * kDate, Ms(Orologio::now() - tc) / 1000);

  G().goDbAzienda = ditta.db;
  G().gsConnAzienda = ditta.conn;
  G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
  G().gsGesTaglie = "S";
  // The warehouse year of the DDT's date, for the stock display.
  G().gfLeggiParam = [](const std::string& nome, const vb::Variant& predefinito) {
    const std::string n = vb::Piega(nome);
    if (n == vb::Piega("Mag.AnnoCorr")) return vb::Variant("2026");
    if (n == vb::Piega("Mag.DataInizio")) return vb::Variant("01/01/2026");
    if (n == vb::Piega("Mag.DataFine")) return vb::Variant("31/12/2026");
    return predefinito;
  };
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
  std::unique_ptr<frmDdtTest> testata;
  frmDDTDett* pd = ApriRighe(testata);
  if (!pd) {
    std::printf("FAIL: the line window did not open on DDT %ld%s%s\n", kDdtModificabile,
                messaggi.empty() ? "" : ": ", messaggi.empty() ? "" : messaggi.front().c_str());
    return 1;
  }
  frmDDTDett& d = *pd;

  // Articles spread over the company, each typed once: the timed ones, then
  // as many others under the profiler.
  auto articolo = [&](long n) { return (n * 7919 + 13) % kArticoli; };
  Tempi tempi, profilati;
  std::vector<std::string> lette;
  long difettose = 0;
  const bool campiona = campioni::Prepara(static_cast<size_t>(righe) * 200 + 1000);
  for (long n = 0; ok && n < 2 * righe; ++n) {
    const bool profilo = n >= righe;
    if (profilo && campiona) campioni::Arma(true);
    std::string difetto;
    try {
      difetto = Riga(d, articolo(n), profilo ? profilati : tempi, messaggi, utente, n < kRigheTracciate ? &lette : nullptr);
    } catch (const std::exception& e) {
      difetto = std::string("error: ") + e.what();
    }
    if (profilo && campiona) campioni::Arma(false);
    gLette = nullptr;
    if (n == 0)
      std::printf("first line, %s: description \"%s\", VAT %s, unit %s, price %s, discounts %s|%s|%s|%s = %s, "
                  "amount %s, stock %s / %s\n",
                  Codice(articolo(n)).c_str(), d.txt(26).Text().c_str(), d.txt(130).Text().c_str(),
                  d.txt(140).Text().c_str(), d.txt(60).Text().c_str(), d.txt(110).Text().c_str(),
                  d.txt(100).Text().c_str(), d.txt(120).Text().c_str(), d.txt(90).Text().c_str(),
                  d.txt(80).Text().c_str(), d.txt(70).Text().c_str(), d.lab(200).Caption().c_str(),
                  d.lab(210).Caption().c_str());
    if (!difetto.empty()) {
      if (++difettose <= 5) std::printf("line of %s: %s\n", Codice(articolo(n)).c_str(), difetto.c_str());
    }
  }
  if (difettose) {
    std::printf("FAIL: %ld of %ld lines did not come out whole\n", difettose, 2 * righe);
    ok = false;
  }
  ChiudiRighe(ditta, d, testata);

  if (!MostraPiani(ditta, lette, kRigheTracciate)) ok = false;

  std::printf("\nline typed on DDT %ld (article code, exit to the quantity, quantity \"%s\", exit to the price), "
              "%ld articles:\n",
              kDdtModificabile, kQta, righe);
  const double mediana = Mediana(tempi.riga);
  std::printf("  line              median %6.2f ms   p90 %6.2f ms   max %6.2f ms\n", mediana,
              Percentile(tempi.riga, 0.9), Percentile(tempi.riga, 1.0));
  std::printf("    article's exit  median %6.2f ms\n", Mediana(tempi.articolo));
  std::printf("    quantity's exit median %6.2f ms\n", Mediana(tempi.quantita));
  std::printf("  under the profiler (%ld other articles): median %.2f ms a line\n", righe, Mediana(profilati.riga));

  double quota = 1;
  if (!campiona) {
    std::printf("FAIL: the profiler could not be set up\n");
    ok = false;
  } else {
    campioni::Simboli simboli;
    const campioni::Esito e = campioni::Conta(simboli);
    if (!simboli.Pronti() || e.totale == 0) {
      std::printf("FAIL: no samples or no symbols\n");
      ok = false;
    } else {
      const double tot = static_cast<double>(e.totale);
      quota = static_cast<double>(e.finestra + e.altro) / tot;
      std::printf("  samples every %ld us: %ld; landed services %.1f %%, the window's own code %.1f %%, "
                  "platform outside both %.1f %%\n",
                  campioni::gPeriodoUs, e.totale, 100.0 * static_cast<double>(e.servizi) / tot,
                  100.0 * static_cast<double>(e.finestra) / tot, 100.0 * static_cast<double>(e.altro) / tot);
      std::printf("  share outside the services (window + platform): %.1f %%, about %.2f ms of the median line\n",
                  100 * quota, quota * mediana);
      campioni::Primi("services, by the entry the window called:", e.perServizio, e.totale, 12);
      campioni::Primi("window, by its innermost procedure:", e.perFinestra, e.totale, 12);
      campioni::Primi("window, by the function the sample fell in:", e.fogliaFinestra, e.totale, 12);
    }
  }

  aiuti->ChiudiFinestre();
  G().goZelAiuto.reset();
  aiuti.reset();
  servizi::ImpostaLatoMenu({});
  G().goDbAzienda.reset();
  ditta.db.reset();
  ui::ImpostaBackend(nullptr);
  std::filesystem::remove(ditta.file);
  for (const char* coda : {"-wal", "-shm"}) std::filesystem::remove(ditta.file.string() + coda);

  if (ok && mediana >= kLimiteRigaMs) {
    std::printf("FAIL: a line takes %.1f ms, the aim is under %.0f ms\n", mediana, kLimiteRigaMs);
    ok = false;
  }
  if (ok && quota >= kLimiteQuota) {
    std::printf("FAIL: the window's own work is %.0f %% of a line, the aim is under half\n", 100 * quota);
    ok = false;
  }
  if (ok) std::printf("OK\n");
  return ok ? 0 : 1;
}

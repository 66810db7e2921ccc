#include "platform/dati/Traduttore.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/sql/Albero.h"

namespace dati {

using namespace sql;

namespace {

using Tc = TipoCampo;

bool Testuale(Tc t) { return t == Tc::Testo || t == Tc::Memo; }
bool Numerico(Tc t) {
  return t == Tc::Byte || t == Tc::Intero || t == Tc::Lungo || t == Tc::Doppio || t == Tc::Importo ||
         t == Tc::SiNo;
}

// ---------------------------------------------------------------- functions

// Kind of a value that is one of two (Iif, Switch): the kind they share,
// numbers widened, otherwise the first known one.
Tc Combina(Tc x, Tc y) {
  if (x == Tc::Ignoto) return y;
  if (y == Tc::Ignoto || x == y) return x;
  if (Numerico(x) && Numerico(y))
    return (x == Tc::Importo || y == Tc::Importo) && x != Tc::Doppio && y != Tc::Doppio ? Tc::Importo : Tc::Doppio;
  return x;
}

// Run-time functions that read their value as text: on SQLite a date is
// stored as "yyyy-mm-dd", which they must see as the legacy text of a date.
bool FunzioneDiTesto(const std::string& runtime) {
  static const std::unordered_set<std::string> f = {
      "vb_ucase", "vb_lcase", "vb_mid",  "vb_left",  "vb_right",   "vb_len",
      "vb_instr", "vb_trim",  "vb_ltrim", "vb_rtrim", "vb_replace", "vb_asc"};
  return f.count(runtime) > 0;
}

enum class Speciale { Nessuna, Iif, IsNull, Nz, Aggregato, Count, Switch };

struct InfoFunzione {
  const char* runtime;  // engine-side name
  Tc ritorno;           // Ignoto: the kind of the first argument
  int minArg, maxArg;
  Speciale speciale = Speciale::Nessuna;
};

const std::unordered_map<std::string, InfoFunzione>& Funzioni() {
  static const std::unordered_map<std::string, InfoFunzione> f = {
      {"ucase", {"vb_ucase", Tc::Testo, 1, 1}},      {"lcase", {"vb_lcase", Tc::Testo, 1, 1}},
      {"mid", {"vb_mid", Tc::Testo, 2, 3}},          {"left", {"vb_left", Tc::Testo, 2, 2}},
      {"right", {"vb_right", Tc::Testo, 2, 2}},      {"len", {"vb_len", Tc::Lungo, 1, 1}},
      {"instr", {"vb_instr", Tc::Lungo, 2, 3}},      {"trim", {"vb_trim", Tc::Testo, 1, 1}},
      {"ltrim", {"vb_ltrim", Tc::Testo, 1, 1}},      {"rtrim", {"vb_rtrim", Tc::Testo, 1, 1}},
      {"replace", {"vb_replace", Tc::Testo, 3, 3}},  {"val", {"vb_val", Tc::Doppio, 1, 1}},
      {"isnumeric", {"vb_isnumeric", Tc::SiNo, 1, 1}}, {"cstr", {"vb_cstr", Tc::Testo, 1, 1}},
      {"cint", {"vb_cint", Tc::Intero, 1, 1}},       {"clng", {"vb_clng", Tc::Lungo, 1, 1}},
      {"cdbl", {"vb_cdbl", Tc::Doppio, 1, 1}},       {"csng", {"vb_cdbl", Tc::Doppio, 1, 1}},
      {"ccur", {"vb_ccur", Tc::Importo, 1, 1}},      {"cdate", {"vb_cdate", Tc::Data, 1, 1}},
      {"cvdate", {"vb_cdate", Tc::Data, 1, 1}},      {"year", {"vb_year", Tc::Lungo, 1, 1}},
      {"month", {"vb_month", Tc::Lungo, 1, 1}},      {"day", {"vb_day", Tc::Lungo, 1, 1}},
      {"hour", {"vb_hour", Tc::Lungo, 1, 1}},        {"minute", {"vb_minute", Tc::Lungo, 1, 1}},
      {"second", {"vb_second", Tc::Lungo, 1, 1}},    {"weekday", {"vb_weekday", Tc::Lungo, 1, 1}},
      {"date", {"vb_date", Tc::Data, 0, 0}},         {"now", {"vb_now", Tc::Data, 0, 0}},
      {"dateadd", {"vb_dateadd", Tc::Data, 3, 3}},   {"datediff", {"vb_datediff", Tc::Lungo, 3, 3}},
      {"dateserial", {"vb_dateserial", Tc::Data, 3, 3}}, {"datevalue", {"vb_datevalue", Tc::Data, 1, 1}},
      {"chr", {"vb_chr", Tc::Testo, 1, 1}},          {"asc", {"vb_asc", Tc::Lungo, 1, 1}},
      {"space", {"vb_space", Tc::Testo, 1, 1}},      {"string", {"vb_string", Tc::Testo, 2, 2}},
      {"str", {"vb_str", Tc::Testo, 1, 1}},          {"abs", {"vb_abs", Tc::Ignoto, 1, 1}},
      {"int", {"vb_int", Tc::Ignoto, 1, 1}},         {"fix", {"vb_fix", Tc::Ignoto, 1, 1}},
      {"sgn", {"vb_sgn", Tc::Intero, 1, 1}},         {"round", {"vb_round", Tc::Ignoto, 1, 2}},
      {"format", {"vb_format", Tc::Testo, 2, 2}},
      {"iif", {"", Tc::Ignoto, 3, 3, Speciale::Iif}},
      {"isnull", {"", Tc::SiNo, 1, 1, Speciale::IsNull}},
      {"nz", {"", Tc::Ignoto, 1, 2, Speciale::Nz}},
      {"switch", {"", Tc::Ignoto, 2, 40, Speciale::Switch}},
      {"sum", {"sum", Tc::Ignoto, 1, 1, Speciale::Aggregato}},
      {"avg", {"avg", Tc::Doppio, 1, 1, Speciale::Aggregato}},
      {"min", {"min", Tc::Ignoto, 1, 1, Speciale::Aggregato}},
      {"max", {"max", Tc::Ignoto, 1, 1, Speciale::Aggregato}},
      {"first", {"vb_first", Tc::Ignoto, 1, 1, Speciale::Aggregato}},
      {"last", {"vb_last", Tc::Ignoto, 1, 1, Speciale::Aggregato}},
      {"count", {"count", Tc::Lungo, 1, 1, Speciale::Count}},
  };
  return f;
}

const InfoFunzione* CercaFunzione(const std::string& nome) {
  std::string n = vb::LCase(nome);
  if (!n.empty() && n.back() == '$') n.pop_back();  // Mid$ = Mid
  auto it = Funzioni().find(n);
  return it == Funzioni().end() ? nullptr : &it->second;
}

// Legacy names of unnamed aggregate columns ("SumOfQta").
std::string NomeAggregato(const std::string& funz, const Nodo& arg) {
  static const std::unordered_map<std::string, std::string> pref = {
      {"sum", "SumOf"}, {"avg", "AvgOf"}, {"min", "MinOf"}, {"max", "MaxOf"},
      {"first", "FirstOf"}, {"last", "LastOf"}, {"count", "CountOf"}};
  auto it = pref.find(vb::LCase(funz));
  if (it == pref.end() || arg.tipo != TipoNodo::Colonna) return {};
  return it->second + arg.testo;
}

// ---------------------------------------------------------------- scopes

struct Voce {
  std::string nome;                       // alias or table name
  std::string tabella;                    // stored table name ("" for a sub-select)
  const TabellaCat* cat = nullptr;
  std::vector<ColonnaUscita> colonneSub;  // sub-select outputs
  bool opzionale = false;                 // on the side of an outer join that may be missing
};

struct Ambito {
  std::vector<Voce> voci;
  const Ambito* esterno = nullptr;
};

struct Risolta {
  bool trovata = false;
  Tc tipo = Tc::Ignoto;
  std::string voce;     // alias/table the column belongs to
  std::string tabella;  // stored table
  std::string colonna;  // stored spelling
  bool maiNulla = false;  // a stored column that cannot hold Null, on a side always present
  std::string nome;       // as the statement writes it: stored spelling, or a sub-select's own name
};

Risolta RisolviIn(const Voce& v, const std::string& col) {
  Risolta r;
  if (v.cat) {
    int i = v.cat->Colonna(col);
    if (i >= 0) {
      const ColonnaCat& c = v.cat->colonne[static_cast<size_t>(i)];
      r = {true, c.tipo, v.nome, v.cat->nome, c.nome, false, c.nome};
      bool chiave = c.obbligatoria;
      for (const auto& k : v.cat->chiave) chiave = chiave || vb::UgualeTesto(k, c.nome);
      r.maiNulla = chiave && !v.opzionale;
    }
  } else {
    for (const auto& c : v.colonneSub) {
      if (vb::UgualeTesto(c.nome, col)) {
        r = {true, c.tipo, v.nome, c.tabellaBase, c.colonnaBase, false, c.nome};
        break;
      }
    }
  }
  return r;
}

Risolta Risolvi(const Ambito* a, const std::string& qual, const std::string& col) {
  for (; a; a = a->esterno) {
    for (const auto& v : a->voci) {
      if (!qual.empty() && !vb::UgualeTesto(v.nome, qual) &&
          !(vb::UgualeTesto(v.tabella, qual) && vb::UgualeTesto(v.nome, v.tabella)))
        continue;
      Risolta r = RisolviIn(v, col);
      if (r.trovata) return r;
      if (!qual.empty() && (v.cat || !v.colonneSub.empty())) {
        r.voce = v.nome;
        return r;  // the table is known, the column is not: leave it to the engine
      }
    }
  }
  return {};
}

// ---------------------------------------------------------------- writer

class Scrittore {
 public:
  Scrittore(TipoMotore m, const Catalogo& c) : server_(m == TipoMotore::Server), cat_(c) {}

  Traduzione Istr(Istruzione& is);

 private:
  // names
  std::string Id(const std::string& nome) const;
  std::string Lit(const std::string& testo) const;

  // statements
  std::string SelectSql(Select& s, const Ambito* esterno, std::vector<ColonnaUscita>* uscite);
  // One key of an ORDER BY: a result column (by position or by its name)
  // or an expression of the select's own scope.
  struct Chiave {
    int colonna = -1;    // index of the result column, -1 for an expression
    std::string sql;     // as a plain ORDER BY writes it
    Tc tipo = Tc::Ignoto;
    bool nullabile = true;
    bool discendente = false;
  };
  std::vector<Chiave> Chiavi(std::vector<Ordine>& ordine, Ambito& ambito,
                             const std::vector<ColonnaUscita>& prime, bool unione);
  std::string Verso(bool discendente, bool nullabile) const;
  std::string OrdineSql(std::vector<Ordine>& ordine, Ambito& ambito,
                        const std::vector<ColonnaUscita>& prime, bool unione);
  // `aggiunte`, when given, names every result column "__c0", "__c1"... and
  // appends to the select list what it returns once the scope is known.
  using Aggiunte = std::function<std::string(Ambito&, const std::vector<ColonnaUscita>&)>;
  std::string NucleoSql(Nucleo& n, const Ambito* esterno, std::vector<ColonnaUscita>& uscite,
                        Ambito& ambito, const Aggiunte* aggiunte = nullptr);
  std::string PrimiConPari(Nucleo& n, std::vector<Ordine>& ordine, const Ambito* esterno,
                           std::vector<ColonnaUscita>& uscite);
  std::string SorgSql(Sorgente& s, const Ambito* esterno, Ambito& ambito);
  void Registra(Sorgente& s, const Ambito* esterno, Ambito& ambito, bool opzionale = false);

  // expressions
  std::string E(Nodo& n, const Ambito* a);      // value as it comes
  std::string V(Nodo& n, const Ambito* a);      // value (truth values as -1/0)
  std::string B(Nodo& n, const Ambito* a);      // truth value
  std::string T(Nodo& n, const Ambito* a);      // value read as text
  std::string Funz(Nodo& n, const Ambito* a);
  std::string Confr(Nodo& n, const Ambito* a);
  std::string Testuale(const std::string& sql, Nodo& n) const;
  void Tipizza(Nodo& n, const Ambito* a);

  // The engine's own row identity, which joined UPDATE and DELETE match on.
  std::string IdRiga() const { return server_ ? "ctid" : "rowid"; }
  // The rows a joined UPDATE or DELETE acts on: a select over its joins and
  // WHERE giving each target row's identity "__rid" and, for an update, the
  // values to assign as "c0", "c1", ...
  std::string RigheBersaglio(Istruzione& is, const std::string& bersaglio, bool valori);

  [[noreturn]] void Errore(long num, const std::string& cosa, size_t pos) const {
    vb::Solleva(num, cosa + (pos ? " (posizione " + std::to_string(pos + 1) + ")" : std::string()));
  }

  bool server_;
  const Catalogo& cat_;
  int espr_ = 0;
};

const std::unordered_set<std::string>& ParoleServer() {
  static const std::unordered_set<std::string> r = {
      "all", "analyse", "analyze", "and", "any", "array", "as", "asc", "asymmetric", "both", "case",
      "cast", "check", "collate", "column", "constraint", "create", "current_catalog",
      "current_date", "current_role", "current_time", "current_timestamp", "current_user",
      "default", "deferrable", "desc", "distinct", "do", "else", "end", "except", "false", "fetch",
      "for", "foreign", "from", "grant", "group", "having", "in", "initially", "intersect", "into",
      "lateral", "leading", "limit", "localtime", "localtimestamp", "not", "null", "offset", "on",
      "only", "or", "order", "placing", "primary", "references", "returning", "select",
      "session_user", "some", "symmetric", "table", "then", "to", "trailing", "true", "union",
      "unique", "user", "using", "variadic", "when", "where", "window", "with", "authorization",
      "binary", "collation", "concurrently", "cross", "current_schema", "freeze", "full", "ilike",
      "inner", "is", "isnull", "join", "left", "like", "natural", "notnull", "outer", "overlaps",
      "right", "similar", "tablesample", "verbose", "between", "values", "key", "value"};
  return r;
}
const std::unordered_set<std::string>& ParoleSQLite() {
  static const std::unordered_set<std::string> r = {
      "abort", "action", "add", "after", "all", "alter", "analyze", "and", "as", "asc", "attach",
      "autoincrement", "before", "begin", "between", "by", "cascade", "case", "cast", "check",
      "collate", "column", "commit", "conflict", "constraint", "create", "cross", "current",
      "current_date", "current_time", "current_timestamp", "database", "default", "deferrable",
      "deferred", "delete", "desc", "detach", "distinct", "do", "drop", "each", "else", "end",
      "escape", "except", "exclusive", "exists", "explain", "fail", "filter", "for", "foreign",
      "from", "full", "glob", "group", "having", "if", "ignore", "immediate", "in", "index",
      "indexed", "initially", "inner", "insert", "instead", "intersect", "into", "is", "isnull",
      "join", "key", "left", "like", "limit", "match", "natural", "no", "not", "nothing",
      "notnull", "null", "of", "offset", "on", "or", "order", "outer", "over", "plan", "pragma",
      "primary", "query", "raise", "recursive", "references", "regexp", "reindex", "release",
      "rename", "replace", "restrict", "right", "rollback", "row", "savepoint", "select", "set",
      "table", "temp", "temporary", "then", "to", "transaction", "trigger", "union", "unique",
      "update", "using", "vacuum", "values", "view", "virtual", "when", "where", "with",
      "without", "window", "rows", "range", "groups", "others", "ties", "exclude", "first",
      "last", "nulls", "returning", "materialized", "always", "generated"};
  return r;
}

std::string Scrittore::Id(const std::string& nome) const {
  std::string n = server_ ? vb::LCase(nome) : nome;
  bool semplice = !n.empty() && (std::isalpha(static_cast<unsigned char>(n[0])) || n[0] == '_');
  for (char c : n)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) semplice = false;
  if (semplice) {
    const auto& riservate = server_ ? ParoleServer() : ParoleSQLite();
    if (riservate.count(vb::LCase(n))) semplice = false;
  }
  if (semplice) return n;
  std::string q = "\"";
  for (char c : n) {
    if (c == '"') q += "\"\"";
    else q.push_back(c);
  }
  return q + "\"";
}

std::string Scrittore::Lit(const std::string& t) const {
  std::string q = "'";
  for (char c : t) {
    if (c == '\'') q += "''";
    else q.push_back(c);
  }
  return q + "'";
}

// ------------------------------------------------------------ typing

void Scrittore::Tipizza(Nodo& n, const Ambito* a) {
  for (auto& f : n.figli) Tipizza(*f, a);
  switch (n.tipo) {
    case TipoNodo::Numero:
      n.tipoRis = n.testo.find_first_of(".eE") != std::string::npos ? Tc::Doppio : Tc::Lungo;
      break;
    case TipoNodo::Testo: n.tipoRis = Tc::Testo; break;
    case TipoNodo::Data: n.tipoRis = Tc::Data; break;
    case TipoNodo::Booleano: n.tipoRis = Tc::SiNo; break;
    case TipoNodo::Colonna: {
      Risolta r = Risolvi(a, n.qual, n.testo);
      n.tipoRis = r.tipo;
      n.diColonna = r.trovata;
      break;
    }
    case TipoNodo::Binario: {
      const std::string& op = n.testo;
      Tc x = n.figli[0]->tipoRis, y = n.figli[1]->tipoRis;
      if (op == "AND" || op == "OR" || op == "XOR" || op == "LIKE" || op == "=" || op == "<>" ||
          op == "<" || op == ">" || op == "<=" || op == ">=") {
        n.booleano = true;
        n.tipoRis = Tc::SiNo;
      } else if (op == "&") {
        n.tipoRis = Tc::Testo;
      } else if (op == "+" && (::dati::Testuale(x) || ::dati::Testuale(y)) && !Numerico(x) && !Numerico(y)) {
        n.tipoRis = Tc::Testo;
      } else if ((op == "+" || op == "-") && (x == Tc::Data) != (y == Tc::Data)) {
        n.tipoRis = Tc::Data;
      } else if (op == "-" && x == Tc::Data && y == Tc::Data) {
        n.tipoRis = Tc::Doppio;
      } else if (op == "/" || op == "^") {
        n.tipoRis = Tc::Doppio;
      } else if (op == "\\" || op == "MOD") {
        n.tipoRis = Tc::Lungo;
      } else if (x == Tc::Doppio || y == Tc::Doppio) {
        n.tipoRis = Tc::Doppio;
      } else if (x == Tc::Importo || y == Tc::Importo) {
        n.tipoRis = Tc::Importo;
      } else if (Numerico(x) && Numerico(y)) {
        n.tipoRis = Tc::Lungo;
      } else {
        n.tipoRis = Tc::Ignoto;
      }
      break;
    }
    case TipoNodo::Unario:
      if (n.testo == "NOT") {
        n.booleano = true;
        n.tipoRis = Tc::SiNo;
      } else {
        n.tipoRis = n.figli[0]->tipoRis;
      }
      break;
    case TipoNodo::TraValori:
    case TipoNodo::InLista:
    case TipoNodo::InSelect:
    case TipoNodo::ENullo:
    case TipoNodo::Esiste:
      n.booleano = true;
      n.tipoRis = Tc::SiNo;
      break;
    case TipoNodo::Funzione: {
      const InfoFunzione* f = CercaFunzione(n.testo);
      if (!f) {
        n.tipoRis = Tc::Ignoto;
        break;
      }
      if (f->speciale == Speciale::IsNull) {
        n.booleano = true;
        n.tipoRis = Tc::SiNo;
      } else if (f->speciale == Speciale::Iif) {
        Tc x = n.figli.size() > 1 ? n.figli[1]->tipoRis : Tc::Ignoto;
        Tc y = n.figli.size() > 2 ? n.figli[2]->tipoRis : Tc::Ignoto;
        n.tipoRis = Combina(x, y);
      } else if (f->speciale == Speciale::Switch) {
        // The kind of its values, never of its conditions.
        n.tipoRis = Tc::Ignoto;
        for (size_t i = 1; i < n.figli.size(); i += 2) n.tipoRis = Combina(n.tipoRis, n.figli[i]->tipoRis);
      } else if (f->speciale == Speciale::Nz || f->speciale == Speciale::Aggregato ||
                 f->ritorno == Tc::Ignoto) {
        n.tipoRis = n.figli.empty() ? Tc::Ignoto : n.figli[0]->tipoRis;
        if (f->speciale == Speciale::Aggregato && vb::UgualeTesto(n.testo, "sum") &&
            (n.tipoRis == Tc::Intero || n.tipoRis == Tc::Byte || n.tipoRis == Tc::SiNo))
          n.tipoRis = Tc::Lungo;
        if (f->speciale == Speciale::Aggregato && vb::UgualeTesto(n.testo, "avg")) n.tipoRis = Tc::Doppio;
      } else {
        n.tipoRis = f->ritorno;
      }
      break;
    }
    case TipoNodo::SubSelect:
      n.tipoRis = Tc::Ignoto;
      break;
    default:
      break;
  }
}

// ------------------------------------------------------------ expressions

std::string Scrittore::B(Nodo& n, const Ambito* a) {
  if (n.booleano) return E(n, a);
  if (n.tipo == TipoNodo::Booleano) return n.testo == "0" ? "(1 = 0)" : "(1 = 1)";
  return "(" + E(n, a) + " <> 0)";
}

std::string Scrittore::T(Nodo& n, const Ambito* a) {
  if (!server_ && n.tipoRis == Tc::Data) return "vb_cstr(" + V(n, a) + ")";
  return V(n, a);
}

std::string Scrittore::V(Nodo& n, const Ambito* a) {
  if (n.booleano) return "(CASE WHEN " + E(n, a) + " THEN -1 ELSE 0 END)";
  return E(n, a);
}

// A text operand that is no stored column takes the case-insensitive
// collation explicitly; stored columns carry it already.
std::string Scrittore::Testuale(const std::string& sql, Nodo& n) const {
  (void)n;
  return "(" + sql + (server_ ? " COLLATE ci)" : " COLLATE NOCASE)");
}

std::string Scrittore::Confr(Nodo& n, const Ambito* a) {
  Nodo& x = *n.figli[0];
  Nodo& y = *n.figli[1];
  std::string sx = V(x, a), dx = V(y, a);
  const bool tx = ::dati::Testuale(x.tipoRis) || x.tipo == TipoNodo::Testo;
  const bool ty = ::dati::Testuale(y.tipoRis) || y.tipo == TipoNodo::Testo;
  if (server_) {
    // The server does not compare a text with a number: the number's text
    // is what the legacy engine compared.
    if (tx && !ty && Numerico(y.tipoRis)) dx = y.tipo == TipoNodo::Numero ? Lit(y.testo) : "CAST(" + dx + " AS text)";
    if (ty && !tx && Numerico(x.tipoRis)) sx = x.tipo == TipoNodo::Numero ? Lit(x.testo) : "CAST(" + sx + " AS text)";
  }
  if ((tx || ty) && !x.diColonna && !y.diColonna) sx = Testuale(sx, x);
  return "(" + sx + " " + n.testo + " " + dx + ")";
}

std::string Scrittore::E(Nodo& n, const Ambito* a) {
  switch (n.tipo) {
    case TipoNodo::Numero: return n.testo;
    case TipoNodo::Testo: return Lit(n.testo);
    case TipoNodo::Data:
      return server_ ? "TIMESTAMP " + Lit(n.testo) : Lit(n.testo);
    case TipoNodo::Nullo: return "NULL";
    case TipoNodo::Booleano: return n.testo;
    case TipoNodo::Parametro: return "?";
    case TipoNodo::Colonna: {
      Risolta r = Risolvi(a, n.qual, n.testo);
      std::string col = r.trovata && !r.nome.empty() && !server_ ? r.nome : n.testo;
      return n.qual.empty() ? Id(col) : Id(n.qual) + "." + Id(col);
    }
    case TipoNodo::Tutte:
      return n.qual.empty() ? "*" : Id(n.qual) + ".*";
    case TipoNodo::Unario:
      if (n.testo == "NOT") return "(NOT " + B(*n.figli[0], a) + ")";
      return "(-" + V(*n.figli[0], a) + ")";
    case TipoNodo::Binario: {
      const std::string& op = n.testo;
      Nodo& x = *n.figli[0];
      Nodo& y = *n.figli[1];
      if (op == "AND" || op == "OR") return "(" + B(x, a) + " " + op + " " + B(y, a) + ")";
      if (op == "XOR") return "(" + B(x, a) + " <> " + B(y, a) + ")";
      if (op == "LIKE") {
        std::string s = "vb_like(" + V(x, a) + ", " + V(y, a) + ")";
        return n.negato ? "(" + s + " = 0)" : "(" + s + " <> 0)";
      }
      if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=") return Confr(n, a);
      if (op == "&") return "vb_concat(" + T(x, a) + ", " + T(y, a) + ")";
      if (op == "+" && n.tipoRis == Tc::Testo) return "(" + V(x, a) + " || " + V(y, a) + ")";
      if ((op == "+" || op == "-") && n.tipoRis == Tc::Data) {
        // date plus or minus days
        bool dataSx = x.tipoRis == Tc::Data;
        Nodo& d = dataSx ? x : y;
        Nodo& g = dataSx ? y : x;
        std::string giorni = V(g, a);
        if (op == "-") giorni = "(-" + giorni + ")";
        return "vb_dateadd('d', " + giorni + ", " + V(d, a) + ")";
      }
      if (op == "-" && x.tipoRis == Tc::Data && y.tipoRis == Tc::Data)
        return "vb_datediff('d', " + V(y, a) + ", " + V(x, a) + ")";
      // Both divisions raise 11 on a zero divisor, as the legacy engine did,
      // where the engines would give Null or their own error.
      if (op == "/") return "vb_div(" + V(x, a) + ", " + V(y, a) + ")";
      // Whole division on both sides rounded to Long, as Mod below: a Long
      // such as a document number divides without overflow.
      if (op == "\\") return "vb_intdiv(" + V(x, a) + ", " + V(y, a) + ")";
      // Mod rounds both sides to whole numbers first (halves to even).
      if (op == "MOD") return "vb_mod(" + V(x, a) + ", " + V(y, a) + ")";
      if (op == "^") return (server_ ? "power(" : "pow(") + V(x, a) + ", " + V(y, a) + ")";
      return "(" + V(x, a) + " " + op + " " + V(y, a) + ")";
    }
    case TipoNodo::TraValori: {
      std::string s = "(" + V(*n.figli[0], a) + (n.negato ? " NOT BETWEEN " : " BETWEEN ") +
                      V(*n.figli[1], a) + " AND " + V(*n.figli[2], a) + ")";
      return s;
    }
    case TipoNodo::InLista: {
      Nodo& x = *n.figli[0];
      std::string s = V(x, a);
      bool testo = ::dati::Testuale(x.tipoRis);
      for (size_t i = 1; i < n.figli.size(); ++i) testo = testo || n.figli[i]->tipo == TipoNodo::Testo;
      if (testo && !x.diColonna) s = Testuale(s, x);
      s += n.negato ? " NOT IN (" : " IN (";
      for (size_t i = 1; i < n.figli.size(); ++i) {
        if (i > 1) s += ", ";
        Nodo& v = *n.figli[i];
        if (server_ && ::dati::Testuale(x.tipoRis) && v.tipo == TipoNodo::Numero) s += Lit(v.testo);
        else s += V(v, a);
      }
      return "(" + s + "))";
    }
    case TipoNodo::InSelect:
      return "(" + V(*n.figli[0], a) + (n.negato ? " NOT IN (" : " IN (") +
             SelectSql(*n.sub, a, nullptr) + "))";
    case TipoNodo::ENullo:
      return "(" + V(*n.figli[0], a) + (n.negato ? " IS NOT NULL)" : " IS NULL)");
    case TipoNodo::Esiste:
      return "(EXISTS (" + SelectSql(*n.sub, a, nullptr) + "))";
    case TipoNodo::SubSelect:
      return "(" + SelectSql(*n.sub, a, nullptr) + ")";
    case TipoNodo::Funzione:
      return Funz(n, a);
  }
  return {};
}

std::string Scrittore::Funz(Nodo& n, const Ambito* a) {
  const InfoFunzione* f = CercaFunzione(n.testo);
  if (!f) Errore(3085, "Funzione non definita nell'espressione: " + n.testo, n.pos);
  const int na = static_cast<int>(n.figli.size());
  if (na < f->minArg || na > f->maxArg)
    Errore(ErrSintassi, "Numero di argomenti errato per " + n.testo, n.pos);
  switch (f->speciale) {
    case Speciale::Iif:
      return "(CASE WHEN " + B(*n.figli[0], a) + " THEN " + V(*n.figli[1], a) + " ELSE " +
             V(*n.figli[2], a) + " END)";
    case Speciale::Switch: {
      if (na % 2) Errore(ErrSintassi, "Switch vuole coppie di argomenti", n.pos);
      std::string s = "(CASE";
      for (int i = 0; i < na; i += 2)
        s += " WHEN " + B(*n.figli[i], a) + " THEN " + V(*n.figli[i + 1], a);
      return s + " END)";
    }
    case Speciale::IsNull:
      return "(" + V(*n.figli[0], a) + " IS NULL)";
    case Speciale::Nz: {
      Nodo& x = *n.figli[0];
      if (na == 2) return "coalesce(" + V(x, a) + ", " + V(*n.figli[1], a) + ")";
      if (Numerico(x.tipoRis)) return "coalesce(" + V(x, a) + ", 0)";
      if (::dati::Testuale(x.tipoRis)) return "coalesce(" + V(x, a) + ", '')";
      return "vb_nz(" + V(x, a) + ")";
    }
    case Speciale::Count:
      if (n.figli[0]->tipo == TipoNodo::Tutte) return "count(*)";
      return std::string("count(") + (n.negato ? "DISTINCT " : "") + V(*n.figli[0], a) + ")";
    case Speciale::Aggregato:
    case Speciale::Nessuna: {
      std::string s = std::string(f->runtime) + "(";
      if (n.negato) s += "DISTINCT ";
      const bool testo = FunzioneDiTesto(f->runtime);
      for (int i = 0; i < na; ++i) {
        if (i) s += ", ";
        Nodo& x = *n.figli[static_cast<size_t>(i)];
        s += testo ? T(x, a) : V(x, a);
      }
      return s + ")";
    }
  }
  return {};
}

// ------------------------------------------------------------ FROM

void Scrittore::Registra(Sorgente& s, const Ambito* esterno, Ambito& ambito, bool opzionale) {
  if (s.tipo == Sorgente::Join) {
    Registra(*s.sx, esterno, ambito, opzionale || s.join == "RIGHT");
    Registra(*s.dx, esterno, ambito, opzionale || s.join == "LEFT");
    return;
  }
  Voce v;
  v.nome = s.Nome();
  v.opzionale = opzionale;
  if (s.tipo == Sorgente::Tabella) {
    v.tabella = s.nome;
    s.tabella = cat_.Tabella(s.nome);
    v.cat = s.tabella;
  }
  ambito.voci.push_back(std::move(v));
}

std::string Scrittore::SorgSql(Sorgente& s, const Ambito* esterno, Ambito& ambito) {
  switch (s.tipo) {
    case Sorgente::Tabella: {
      std::string nome = s.tabella && !server_ ? s.tabella->nome : s.nome;
      std::string out = Id(nome);
      if (!s.alias.empty()) out += " AS " + Id(s.alias);
      return out;
    }
    case Sorgente::Sub: {
      std::vector<ColonnaUscita> usc;
      std::string sub = SelectSql(*s.sub, esterno, &usc);
      for (auto& v : ambito.voci)
        if (vb::UgualeTesto(v.nome, s.Nome()) && v.tabella.empty()) v.colonneSub = usc;
      std::string alias = s.alias.empty() ? "sub" + std::to_string(++espr_) : s.alias;
      return "(" + sub + ") AS " + Id(alias);
    }
    case Sorgente::Join: {
      std::string sx = SorgSql(*s.sx, esterno, ambito);
      std::string dx = SorgSql(*s.dx, esterno, ambito);
      Tipizza(*s.on, &ambito);
      return "(" + sx + " " + s.join + " JOIN " + dx + " ON " + B(*s.on, &ambito) + ")";
    }
  }
  return {};
}

// ------------------------------------------------------------ SELECT

std::string Scrittore::NucleoSql(Nucleo& n, const Ambito* esterno, std::vector<ColonnaUscita>& uscite,
                                 Ambito& ambito, const Aggiunte* aggiunte) {
  ambito.esterno = esterno;
  for (auto& s : n.da) Registra(*s, esterno, ambito);
  std::string da;
  for (size_t i = 0; i < n.da.size(); ++i) {
    if (i) da += ", ";
    da += SorgSql(*n.da[i], esterno, ambito);
  }
  std::string lista;
  int anonimi = 0;
  auto aggiungi = [&](const std::string& sql, ColonnaUscita c, bool alias) {
    if (!lista.empty()) lista += ", ";
    lista += sql;
    if (aggiunte) lista += " AS __c" + std::to_string(uscite.size());
    else if (alias) lista += " AS " + Id(c.nome);
    uscite.push_back(std::move(c));
  };
  for (auto& el : n.lista) {
    Nodo& e = *el.espr;
    if (e.tipo == TipoNodo::Tutte) {
      bool espanso = false;
      for (const auto& v : ambito.voci) {
        if (!e.qual.empty() && !vb::UgualeTesto(v.nome, e.qual) && !vb::UgualeTesto(v.tabella, e.qual)) continue;
        if (v.cat) {
          for (const auto& c : v.cat->colonne)
            aggiungi(Id(v.nome) + "." + Id(server_ ? c.nome : c.nome),
                     {c.nome, v.nome, v.cat->nome, c.nome, c.tipo}, false);
          espanso = true;
        } else if (!v.colonneSub.empty()) {
          for (const auto& c : v.colonneSub)
            aggiungi(Id(v.nome) + "." + Id(c.nome), {c.nome, v.nome, c.tabellaBase, c.colonnaBase, c.tipo}, false);
          espanso = true;
        } else {
          espanso = false;
          break;
        }
      }
      if (!espanso) {
        // A table the catalog does not know: the engine expands it and the
        // names come from its answer.
        if (!lista.empty()) lista += ", ";
        lista += e.qual.empty() ? "*" : Id(e.qual) + ".*";
        uscite.push_back({"*", e.qual, "", "", Tc::Ignoto});
      }
      continue;
    }
    Tipizza(e, &ambito);
    ColonnaUscita c;
    c.tipo = e.tipoRis;
    if (e.tipo == TipoNodo::Colonna) {
      Risolta r = Risolvi(&ambito, e.qual, e.testo);
      c.nome = el.alias.empty() ? (r.trovata && !r.nome.empty() ? r.nome : e.testo) : el.alias;
      c.qualificatore = r.trovata ? r.voce : e.qual;
      c.tabellaBase = r.tabella;
      c.colonnaBase = r.colonna;
      aggiungi(V(e, &ambito), c, true);
      continue;
    }
    if (!el.alias.empty()) {
      c.nome = el.alias;
    } else if (e.tipo == TipoNodo::Funzione && !e.figli.empty() &&
               !NomeAggregato(e.testo, *e.figli[0]).empty()) {
      c.nome = NomeAggregato(e.testo, *e.figli[0]);
    } else {
      c.nome = "Expr" + std::to_string(1000 + anonimi++);
    }
    aggiungi(V(e, &ambito), c, true);
  }
  if (aggiunte) lista += (*aggiunte)(ambito, uscite);
  std::string s = "SELECT ";
  if (n.distinto) s += "DISTINCT ";
  s += lista;
  if (!da.empty()) s += " FROM " + da;
  if (n.dove) {
    Tipizza(*n.dove, &ambito);
    s += " WHERE " + B(*n.dove, &ambito);
  }
  if (!n.gruppo.empty()) {
    s += " GROUP BY ";
    for (size_t i = 0; i < n.gruppo.size(); ++i) {
      Tipizza(*n.gruppo[i], &ambito);
      if (i) s += ", ";
      std::string g = V(*n.gruppo[i], &ambito);
      if (::dati::Testuale(n.gruppo[i]->tipoRis) && !n.gruppo[i]->diColonna) g = Testuale(g, *n.gruppo[i]);
      s += g;
    }
  }
  if (n.avendo) {
    Tipizza(*n.avendo, &ambito);
    s += " HAVING " + B(*n.avendo, &ambito);
  }
  return s;
}

// Position of a result column named by its number (ORDER BY 2): 3075 when
// it is no whole number from 1 to the count of columns (0: count unknown).
size_t Posizione(const Nodo& e, size_t colonne) {
  size_t v = 0;
  bool ok = !e.testo.empty() && e.testo.size() <= 9;
  for (char c : e.testo) {
    if (c < '0' || c > '9') ok = false;
    else v = v * 10 + static_cast<size_t>(c - '0');
  }
  if (!ok || v < 1 || (colonne > 0 && v > colonne))
    vb::Solleva(ErrSintassi, "Posizione non valida in ORDER BY: " + e.testo + " (posizione " +
                                 std::to_string(e.pos + 1) + ")");
  return v;
}

std::vector<Scrittore::Chiave> Scrittore::Chiavi(std::vector<Ordine>& ordine, Ambito& ambito,
                                                 const std::vector<ColonnaUscita>& prime, bool unione) {
  bool ignote = false;  // a "*" the engine expands: the count of columns is unknown
  for (const auto& c : prime) ignote = ignote || c.nome == "*";
  std::vector<Chiave> out;
  for (auto& o : ordine) {
    Nodo& e = *o.espr;
    Chiave k;
    k.discendente = o.discendente;
    if (unione) {
      // A union sorts by the position of the column it names.
      size_t pos = 0;
      if (e.tipo == TipoNodo::Numero) {
        pos = Posizione(e, ignote ? 0 : prime.size());
      } else if (e.tipo == TipoNodo::Colonna) {
        for (int giro = 0; giro < 2 && pos == 0; ++giro) {
          for (size_t i = 0; i < prime.size(); ++i) {
            if (vb::UgualeTesto(prime[i].nome, e.testo) &&
                (giro == 1 || e.qual.empty() || vb::UgualeTesto(prime[i].qualificatore, e.qual) ||
                 vb::UgualeTesto(prime[i].tabellaBase, e.qual))) {
              pos = i + 1;
              break;
            }
          }
        }
      }
      if (pos > 0 && pos <= prime.size()) {
        k.colonna = static_cast<int>(pos - 1);
        k.tipo = prime[pos - 1].tipo;
        k.sql = std::to_string(pos);
        // The server takes no collation on a position; its union columns
        // keep the collation of the stored columns they come from.
        if (!server_ && ::dati::Testuale(k.tipo)) k.sql += " COLLATE NOCASE";
      } else if (pos > 0) {
        k.sql = std::to_string(pos);
      } else if (e.tipo == TipoNodo::Colonna) {
        k.sql = Id(e.testo);  // a column the catalog cannot place: the engine matches the name
      } else {
        Errore(ErrSintassi, "ORDER BY di un'unione su un'espressione", e.pos);
      }
    } else if (e.tipo == TipoNodo::Numero) {
      const size_t pos = Posizione(e, ignote ? 0 : prime.size());
      k.sql = std::to_string(pos);
      if (pos <= prime.size() && !ignote) {
        k.colonna = static_cast<int>(pos - 1);
        k.tipo = prime[pos - 1].tipo;
      }
    } else {
      // An alias of the select list may be named (the legacy allowed it).
      int alias = -1;
      if (e.tipo == TipoNodo::Colonna && e.qual.empty() && !Risolvi(&ambito, "", e.testo).trovata) {
        for (size_t i = 0; i < prime.size() && alias < 0; ++i)
          if (vb::UgualeTesto(prime[i].nome, e.testo)) alias = static_cast<int>(i);
      }
      if (alias >= 0) {
        k.colonna = alias;
        k.tipo = prime[static_cast<size_t>(alias)].tipo;
        k.sql = Id(e.testo);
      } else {
        Tipizza(e, &ambito);
        k.sql = V(e, &ambito);
        k.tipo = e.tipoRis;
        if (::dati::Testuale(e.tipoRis) && !e.diColonna) k.sql = Testuale(k.sql, e);
        if (e.tipo == TipoNodo::Colonna) k.nullabile = !Risolvi(&ambito, e.qual, e.testo).maiNulla;
      }
    }
    out.push_back(std::move(k));
  }
  return out;
}

// Direction of a key and, on the server, where Nulls go: first in
// ascending order and last in descending, as the legacy engine (and
// SQLite) sort them, the server's default being the opposite. A column that
// cannot hold Null needs no clause, so the server can still read it along
// its index.
std::string Scrittore::Verso(bool discendente, bool nullabile) const {
  std::string o = discendente ? " DESC" : "";
  if (server_ && nullabile) o += discendente ? " NULLS LAST" : " NULLS FIRST";
  return o;
}

std::string Scrittore::OrdineSql(std::vector<Ordine>& ordine, Ambito& ambito,
                                 const std::vector<ColonnaUscita>& prime, bool unione) {
  std::string out;
  for (const Chiave& k : Chiavi(ordine, ambito, prime, unione)) {
    if (!out.empty()) out += ", ";
    out += k.sql + Verso(k.discendente, k.nullabile);
  }
  return out;
}

// Does the order name every column of the primary key of the one stored
// table read? Then no two rows tie on it. Keys of text are left out: a
// table the program did not create may tell letters' case apart in its key
// while the order ties them.
bool NessunPari(const std::vector<Ordine>& ordine, const Ambito& ambito) {
  if (ordine.empty() || ambito.voci.size() != 1) return false;
  const Voce& v = ambito.voci.front();
  if (!v.cat || v.cat->chiave.empty()) return false;
  std::vector<std::string> nominate;
  for (const auto& o : ordine) {
    const Nodo& e = *o.espr;
    if (e.tipo != TipoNodo::Colonna) continue;
    if (!e.qual.empty() && !vb::UgualeTesto(e.qual, v.nome)) continue;
    const Risolta r = RisolviIn(v, e.testo);
    if (r.trovata) nominate.push_back(r.colonna);
  }
  for (const std::string& k : v.cat->chiave) {
    const int i = v.cat->Colonna(k);
    if (i < 0 || ::dati::Testuale(v.cat->colonne[static_cast<size_t>(i)].tipo)) return false;
    bool c = false;
    for (const std::string& nm : nominate) c = c || vb::UgualeTesto(nm, k);
    if (!c) return false;
  }
  return true;
}

// TOP n with an order: the first n rows and every further row tied with
// the n-th on the order's keys, as the legacy engine gave them; TOP n
// PERCENT: that share of the rows, rounded up, ties included. The select
// names its columns "__c0"... and its keys that are not columns "__k0"...,
// ranks its rows by the keys and keeps those ranked within the limit,
// under the names the program reads.
std::string Scrittore::PrimiConPari(Nucleo& n, std::vector<Ordine>& ordine, const Ambito* esterno,
                                    std::vector<ColonnaUscita>& uscite) {
  std::vector<Chiave> chiavi;
  const Aggiunte nascoste = [&](Ambito& ambito, const std::vector<ColonnaUscita>& usc) {
    std::string extra;
    chiavi = Chiavi(ordine, ambito, usc, false);
    for (size_t j = 0; j < chiavi.size(); ++j)
      if (chiavi[j].colonna < 0) extra += ", " + chiavi[j].sql + " AS __k" + std::to_string(j);
    return extra;
  };
  Ambito ambito;
  uscite.clear();
  const std::string interno = NucleoSql(n, esterno, uscite, ambito, &nascoste);
  bool ignote = false;
  for (const auto& c : uscite) ignote = ignote || c.nome == "*";
  if (ignote) {
    // Columns only the engine knows: the first n rows in order, no more.
    Ambito semplice;
    uscite.clear();
    std::string s = NucleoSql(n, esterno, uscite, semplice);
    if (!ordine.empty()) s += " ORDER BY " + OrdineSql(ordine, semplice, uscite, false);
    return s + " LIMIT " + std::to_string(n.top);
  }
  if (!n.percento && NessunPari(ordine, ambito)) {
    // No two rows can tie: the first n rows in order, which the engine
    // reads along the key's index and stops (ranking them would read every
    // row the condition lets through, all the later DDTs of a year for one
    // step of a record bar).
    Ambito semplice;
    uscite.clear();
    std::string s = NucleoSql(n, esterno, uscite, semplice);
    return s + " ORDER BY " + OrdineSql(ordine, semplice, uscite, false) + " LIMIT " + std::to_string(n.top);
  }
  std::string ordina;
  for (size_t j = 0; j < chiavi.size(); ++j) {
    const Chiave& k = chiavi[j];
    if (!ordina.empty()) ordina += ", ";
    ordina += k.colonna >= 0 ? "__t.__c" + std::to_string(k.colonna) : "__t.__k" + std::to_string(j);
    if (::dati::Testuale(k.tipo)) ordina += server_ ? " COLLATE ci" : " COLLATE NOCASE";
    ordina += Verso(k.discendente, true);
  }
  std::string s = "SELECT ";
  for (size_t i = 0; i < uscite.size(); ++i)
    s += (i ? ", __u.__c" : "__u.__c") + std::to_string(i) + " AS " + Id(uscite[i].nome);
  s += " FROM (SELECT __t.*, ";
  s += ordina.empty() ? "row_number() OVER ()" : "rank() OVER (ORDER BY " + ordina + ")";
  s += " AS __r";
  if (n.percento) s += ", count(*) OVER () AS __n";
  s += " FROM (" + interno + ") AS __t) AS __u WHERE ";
  s += n.percento ? "(__u.__r - 1) * 100 < __u.__n * " + std::to_string(n.top)
                  : "__u.__r <= " + std::to_string(n.top);
  return s + " ORDER BY __u.__r";
}

std::string Scrittore::SelectSql(Select& sel, const Ambito* esterno, std::vector<ColonnaUscita>* uscite) {
  std::vector<ColonnaUscita> prime;
  std::string out;
  Ambito primoAmbito;
  const bool unione = sel.nuclei.size() > 1;
  for (size_t i = 0; i < sel.nuclei.size(); ++i) {
    Nucleo& n = sel.nuclei[i];
    std::vector<ColonnaUscita> usc;
    Ambito ambito;
    std::string s;
    std::vector<Ordine>& ordine = unione ? n.ordine : sel.ordine;
    const bool pari = n.top >= 0 && (!ordine.empty() || n.percento);
    if (pari) {
      s = PrimiConPari(n, ordine, esterno, usc);
      if (unione) s = "SELECT * FROM (" + s + ") AS " + Id("u" + std::to_string(++espr_));
    } else {
      s = NucleoSql(n, esterno, usc, ambito);
      if (unione && (n.top >= 0 || !n.ordine.empty())) {
        // A member with its own order or TOP: the first n rows of it.
        if (!n.ordine.empty()) s += " ORDER BY " + OrdineSql(n.ordine, ambito, usc, false);
        if (n.top >= 0) s += " LIMIT " + std::to_string(n.top);
        s = "SELECT * FROM (" + s + ") AS " + Id("u" + std::to_string(++espr_));
      }
    }
    if (i == 0) {
      prime = usc;
      primoAmbito = std::move(ambito);
    }
    if (i > 0) out += sel.unioneTutti[i - 1] ? " UNION ALL " : " UNION ";
    out += s;
    if (!unione && pari) {
      if (uscite) *uscite = std::move(prime);
      return out;
    }
  }
  if (!sel.ordine.empty()) out += " ORDER BY " + OrdineSql(sel.ordine, primoAmbito, prime, unione);
  if (!unione && sel.nuclei[0].top >= 0) out += " LIMIT " + std::to_string(sel.nuclei[0].top);
  if (uscite) *uscite = std::move(prime);
  return out;
}

// ------------------------------------------------------------ statements

std::string Scrittore::RigheBersaglio(Istruzione& is, const std::string& bersaglio, bool valori) {
  Ambito ambito;
  Registra(*is.sorgente, nullptr, ambito);
  std::string da = SorgSql(*is.sorgente, nullptr, ambito);
  std::string sel = "SELECT " + Id(bersaglio) + "." + IdRiga() + " AS __rid";
  for (size_t i = 0; valori && i < is.assegna.size(); ++i) {
    Tipizza(*is.assegna[i].valore, &ambito);
    sel += ", " + V(*is.assegna[i].valore, &ambito) + " AS c" + std::to_string(i);
  }
  sel += " FROM " + da;
  if (is.dove) {
    Tipizza(*is.dove, &ambito);
    sel += " WHERE " + B(*is.dove, &ambito);
  }
  return sel;
}

Traduzione Scrittore::Istr(Istruzione& is) {
  Traduzione t;
  switch (is.tipo) {
    case Istruzione::Sel: {
      t.tipo = Traduzione::Select;
      t.unione = is.select->nuclei.size() > 1;
      std::string s = SelectSql(*is.select, nullptr, &t.colonne);
      if (!is.select->into.empty()) {
        t.tipo = Traduzione::Ddl;
        t.modificaSchema = true;
        t.sql = "CREATE TABLE " + Id(is.select->into) + " AS " + s;
        t.colonne.clear();
        return t;
      }
      t.sql = std::move(s);
      // The table a recordset may write to: one whose primary key is whole
      // among the columns, the first such in the FROM order.
      const Nucleo& n = is.select->nuclei[0];
      if (!t.unione && n.gruppo.empty() && !n.distinto) {
        std::vector<const Sorgente*> tabelle;
        std::vector<const Sorgente*> pila;
        for (auto it = n.da.rbegin(); it != n.da.rend(); ++it) pila.push_back(it->get());
        while (!pila.empty()) {
          const Sorgente* s2 = pila.back();
          pila.pop_back();
          if (s2->tipo == Sorgente::Join) {
            pila.push_back(s2->dx.get());
            pila.push_back(s2->sx.get());
          } else if (s2->tipo == Sorgente::Tabella && s2->tabella) {
            tabelle.push_back(s2);
          }
        }
        for (const Sorgente* s2 : tabelle) {
          const TabellaCat* tc = s2->tabella;
          if (tc->chiave.empty()) continue;
          bool tutta = true;
          for (const auto& k : tc->chiave) {
            bool c = false;
            for (const auto& u : t.colonne)
              if (vb::UgualeTesto(u.tabellaBase, tc->nome) && vb::UgualeTesto(u.colonnaBase, k) &&
                  vb::UgualeTesto(u.qualificatore, s2->Nome()))
                c = true;
            tutta = tutta && c;
          }
          if (tutta) {
            t.tabellaAggiornabile = tc->nome;
            break;
          }
        }
      }
      return t;
    }
    case Istruzione::Ins: {
      t.tipo = Traduzione::Insert;
      const TabellaCat* tc = cat_.Tabella(is.tabella);
      std::string s = "INSERT INTO " + Id(tc && !server_ ? tc->nome : is.tabella);
      if (!is.colonne.empty()) {
        s += " (";
        for (size_t i = 0; i < is.colonne.size(); ++i) s += (i ? ", " : "") + Id(is.colonne[i]);
        s += ")";
      }
      if (is.select) {
        s += " " + SelectSql(*is.select, nullptr, nullptr);
      } else {
        Ambito vuoto;
        s += " VALUES (";
        for (size_t i = 0; i < is.valori.size(); ++i) {
          Tipizza(*is.valori[i], &vuoto);
          s += (i ? ", " : "") + V(*is.valori[i], &vuoto);
        }
        s += ")";
      }
      t.sql = std::move(s);
      return t;
    }
    case Istruzione::Agg: {
      t.tipo = Traduzione::Update;
      Ambito ambito;
      Registra(*is.sorgente, nullptr, ambito);
      // The target: the table of the first assigned column.
      const Nodo& primo = *is.assegna[0].colonna;
      const Voce* bersaglio = nullptr;
      for (const auto& v : ambito.voci) {
        if (!primo.qual.empty() ? (vb::UgualeTesto(v.nome, primo.qual) || vb::UgualeTesto(v.tabella, primo.qual))
                                : RisolviIn(v, primo.testo).trovata) {
          bersaglio = &v;
          break;
        }
      }
      if (!bersaglio) bersaglio = &ambito.voci[0];
      if (bersaglio->tabella.empty()) Errore(ErrSintassi, "UPDATE su una sottoselezione", primo.pos);
      const std::string tabella = bersaglio->cat && !server_ ? bersaglio->cat->nome : bersaglio->tabella;
      const bool semplice = is.sorgente->tipo == Sorgente::Tabella;
      std::string set;
      for (size_t i = 0; i < is.assegna.size(); ++i) {
        Tipizza(*is.assegna[i].valore, &ambito);
        if (i) set += ", ";
        set += Id(is.assegna[i].colonna->testo) + " = ";
        if (semplice) set += V(*is.assegna[i].valore, &ambito);
        else set += "__j.c" + std::to_string(i);
      }
      if (semplice) {
        std::string s = "UPDATE " + Id(tabella);
        if (!is.sorgente->alias.empty()) s += " AS " + Id(is.sorgente->alias);
        s += " SET " + set;
        if (is.dove) {
          Tipizza(*is.dove, &ambito);
          s += " WHERE " + B(*is.dove, &ambito);
        }
        t.sql = std::move(s);
        return t;
      }
      // Joined update: the values come from a select over the joins, matched
      // to the target rows by their row identity.
      t.sql = "UPDATE " + Id(tabella) + " SET " + set + " FROM (" + RigheBersaglio(is, bersaglio->nome, true) +
              ") AS __j WHERE " + Id(tabella) + "." + IdRiga() + " = __j.__rid";
      return t;
    }
    case Istruzione::Canc: {
      t.tipo = Traduzione::Delete;
      Ambito ambito;
      Registra(*is.sorgente, nullptr, ambito);
      const Voce* bersaglio = &ambito.voci[0];
      if (!is.bersaglio.empty()) {
        bersaglio = nullptr;
        for (const auto& v : ambito.voci)
          if (vb::UgualeTesto(v.nome, is.bersaglio) || vb::UgualeTesto(v.tabella, is.bersaglio)) {
            bersaglio = &v;
            break;
          }
        if (!bersaglio) Errore(ErrSintassi, "la tabella da cui cancellare non è nella clausola FROM", 0);
      }
      if (bersaglio->tabella.empty()) Errore(ErrSintassi, "DELETE da una sottoselezione", 0);
      const std::string tabella = bersaglio->cat && !server_ ? bersaglio->cat->nome : bersaglio->tabella;
      if (is.sorgente->tipo == Sorgente::Tabella) {
        std::string s = "DELETE FROM " + Id(tabella);
        if (!is.sorgente->alias.empty()) s += " AS " + Id(is.sorgente->alias);
        if (is.dove) {
          Tipizza(*is.dove, &ambito);
          s += " WHERE " + B(*is.dove, &ambito);
        }
        t.sql = std::move(s);
        return t;
      }
      t.sql = "DELETE FROM " + Id(tabella) + " WHERE " + IdRiga() + " IN (SELECT __rid FROM (" +
              RigheBersaglio(is, bersaglio->nome, false) + ") AS __j)";
      return t;
    }
    case Istruzione::Elimina:
      t.tipo = Traduzione::Ddl;
      t.modificaSchema = true;
      t.sql = "DROP TABLE " + Id(is.tabella);
      return t;
    default:
      Errore(ErrSintassi, "istruzione non gestita", 0);
  }
}

}  // namespace

Traduzione Traduci(std::string_view sql, TipoMotore motore, const Catalogo& catalogo,
                   std::string_view condizione) {
  Istruzione is = Analizzatore(std::string(sql));
  if (!vb::Trim(condizione).empty()) {
    if (is.tipo != Istruzione::Sel) vb::Solleva(ErrSintassi, "Condizione aggiunta a un'istruzione che non è una selezione");
    NodoP c = AnalizzaEspressione(std::string(condizione));
    Nucleo& n = is.select->nuclei[0];
    if (n.dove) {
      auto e = std::make_shared<Nodo>();
      e->tipo = TipoNodo::Binario;
      e->testo = "AND";
      e->figli = {n.dove, c};
      n.dove = e;
    } else {
      n.dove = c;
    }
  }
  Scrittore w(motore, catalogo);
  return w.Istr(is);
}

}  // namespace dati

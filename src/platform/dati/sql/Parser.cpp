#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/sql/Albero.h"
#include "platform/dati/sql/Lessico.h"

namespace dati::sql {

namespace {

const std::unordered_set<std::string>& Riservate() {
  static const std::unordered_set<std::string> r = {
      "SELECT", "FROM",  "WHERE",  "GROUP",    "BY",     "ORDER",  "HAVING",      "AS",
      "ON",     "AND",   "OR",     "NOT",      "IN",     "IS",     "NULL",        "LIKE",
      "BETWEEN", "UNION", "ALL",   "DISTINCT", "DISTINCTROW", "TOP", "INNER",     "LEFT",
      "RIGHT",  "OUTER", "JOIN",   "SET",      "VALUES", "INSERT", "INTO",        "UPDATE",
      "DELETE", "ASC",   "DESC",   "EXISTS",   "MOD",    "XOR",    "PERCENT",     "CREATE",
      "DROP",   "TABLE", "TRUE",   "FALSE",    "FULL",   "CROSS"};
  return r;
}

class Parser {
 public:
  explicit Parser(const std::string& sql) : sql_(sql), t_(Analizza(sql)) {}

  NodoP SoloEspr() {
    NodoP e = Espr();
    if (t_[i_].tipo != TipoToken::Fine) Errore("testo in più dopo l'espressione");
    return e;
  }

  Istruzione Istr() {
    Istruzione is;
    if (Parola("SELECT")) {
      is.tipo = Istruzione::Sel;
      is.select = Sel(false);
    } else if (Prendi("INSERT")) {
      is.tipo = Istruzione::Ins;
      Atteso("INTO");
      is.tabella = NomeOggetto();
      if (Simb("(") && !ParolaAvanti(1, "SELECT")) {
        Avanza();
        do is.colonne.push_back(NomeOggetto()); while (PrendiSimb(","));
        AttesoSimb(")");
      }
      if (Prendi("VALUES")) {
        AttesoSimb("(");
        do is.valori.push_back(Espr()); while (PrendiSimb(","));
        AttesoSimb(")");
      } else if (Parola("SELECT") || (Simb("(") && ParolaAvanti(1, "SELECT"))) {
        bool par = PrendiSimb("(");
        is.select = Sel(false);
        if (par) AttesoSimb(")");
      } else {
        Errore("attesi VALUES o SELECT");
      }
    } else if (Prendi("UPDATE")) {
      is.tipo = Istruzione::Agg;
      is.sorgente = Sorg();
      Atteso("SET");
      do {
        Assegna a;
        a.colonna = Primario();
        if (a.colonna->tipo != TipoNodo::Colonna) Errore("attesa una colonna da aggiornare");
        AttesoSimb("=");
        a.valore = Espr();
        is.assegna.push_back(std::move(a));
      } while (PrendiSimb(","));
      if (Prendi("WHERE")) is.dove = Espr();
    } else if (Prendi("DELETE")) {
      is.tipo = Istruzione::Canc;
      if (PrendiSimb("*")) {
      } else if (!Parola("FROM")) {
        // DELETE T.* FROM ... / DELETE T FROM ...
        is.bersaglio = NomeOggetto();
        if (PrendiSimb(".")) AttesoSimb("*");
        while (PrendiSimb(",")) {  // several targets: only the first is deleted from
          NomeOggetto();
          if (PrendiSimb(".")) AttesoSimb("*");
        }
      }
      Atteso("FROM");
      is.sorgente = Sorg();
      if (Prendi("WHERE")) is.dove = Espr();
    } else if (Prendi("DROP")) {
      is.tipo = Istruzione::Elimina;
      Atteso("TABLE");
      is.tabella = NomeOggetto();
    } else {
      Errore("istruzione non riconosciuta");
    }
    while (PrendiSimb(";")) {
    }
    if (t_[i_].tipo != TipoToken::Fine) Errore("testo in più alla fine dell'istruzione");
    return is;
  }

 private:
  // ---- tokens
  const Token& Cur() const { return t_[i_]; }
  void Avanza() {
    if (i_ + 1 < t_.size()) ++i_;
  }
  bool Parola(const char* p) const { return ParolaAvanti(0, p); }
  bool ParolaAvanti(size_t k, const char* p) const {
    size_t j = std::min(i_ + k, t_.size() - 1);
    return t_[j].tipo == TipoToken::Nome && vb::UgualeTesto(t_[j].testo, p);
  }
  bool Prendi(const char* p) {
    if (!Parola(p)) return false;
    Avanza();
    return true;
  }
  void Atteso(const char* p) {
    if (!Prendi(p)) Errore(std::string("atteso ") + p);
  }
  bool Simb(const char* s) const { return Cur().tipo == TipoToken::Simbolo && Cur().testo == s; }
  bool PrendiSimb(const char* s) {
    if (!Simb(s)) return false;
    Avanza();
    return true;
  }
  void AttesoSimb(const char* s) {
    if (!PrendiSimb(s)) Errore(std::string("atteso \"") + s + "\"");
  }
  bool ERiservata(const Token& t) const {
    return t.tipo == TipoToken::Nome && Riservate().count(vb::UCase(t.testo)) > 0;
  }
  [[noreturn]] void Errore(const std::string& cosa) const { ErroreA(Cur().pos, cosa); }
  [[noreturn]] void ErroreA(size_t p, const std::string& cosa) const {
    std::string vicino = sql_.substr(std::min(p, sql_.size()), 30);
    vb::Solleva(ErrSintassi, "Errore di sintassi nell'istruzione SQL alla posizione " +
                                 std::to_string(p + 1) + ": " + cosa +
                                 (vicino.empty() ? std::string(" (fine del testo)") : " (" + vicino + ")"));
  }
  [[noreturn]] void Complessa(size_t p) const {
    std::string vicino = sql_.substr(std::min(p, sql_.size()), 30);
    vb::Solleva(ErrQueryComplessa, "Query troppo complessa: più di " + std::to_string(kMaxAltezza) +
                                       " livelli annidati alla posizione " + std::to_string(p + 1) +
                                       (vicino.empty() ? std::string() : " (" + vicino + ")"));
  }

  // One more level of nesting while reading: refused beyond the limit
  // before the recursion can go any deeper.
  class Livello {
   public:
    explicit Livello(Parser& p) : p_(p) {
      if (++p_.livello_ > kMaxAltezza) p_.Complessa(p_.Cur().pos);
    }
    ~Livello() { --p_.livello_; }
    Livello(const Livello&) = delete;
    Livello& operator=(const Livello&) = delete;

   private:
    Parser& p_;
  };

  // A node is complete: its height, refused beyond the limit.
  NodoP Chiudi(NodoP n) {
    int h = n->sub ? n->sub->altezza : 0;
    for (const auto& f : n->figli) h = std::max(h, f->altezza);
    n->altezza = h + 1;
    if (n->altezza > kMaxAltezza) Complessa(n->pos);
    massimo_ = std::max(massimo_, n->altezza);
    return n;
  }

  // A whole number written in the statement (TOP, ORDER BY position):
  // 3075 when it is no such number or beyond a Long.
  long Intero(const Token& t, const char* cosa) const {
    long v = 0;
    bool ok = t.tipo == TipoToken::Numero && !t.testo.empty();
    for (char c : t.testo) {
      if (c < '0' || c > '9' || v > 214748364L) {
        ok = false;
        break;
      }
      v = v * 10 + (c - '0');
    }
    if (!ok || v > 2147483647L) ErroreA(t.pos, std::string(cosa) + " non valido: " + t.testo);
    return v;
  }

  std::string NomeOggetto() {
    const Token& t = Cur();
    if (t.tipo == TipoToken::NomeQuot || (t.tipo == TipoToken::Nome && !ERiservata(t))) {
      std::string n = t.testo;
      Avanza();
      return n;
    }
    Errore("atteso un nome");
  }

  // ---- SELECT
  SelectP Sel(bool interna) {
    Livello liv(*this);
    const size_t inizio = Cur().pos;
    const int fuori = massimo_;
    massimo_ = 0;
    auto s = std::make_shared<Select>();
    s->nuclei.push_back(Nuc(*s));
    std::vector<Ordine> ordine = Ordinamento();
    while (Parola("UNION")) {
      // An ORDER BY before UNION belongs to the member it follows.
      s->nuclei.back().ordine = std::move(ordine);
      Avanza();
      bool tutti = Prendi("ALL");
      s->unioneTutti.push_back(tutti);
      bool par = Simb("(") && ParolaAvanti(1, "SELECT");
      if (par) Avanza();
      s->nuclei.push_back(Nuc(*s));
      if (par) {
        s->nuclei.back().ordine = Ordinamento();
        AttesoSimb(")");
      }
      ordine = Ordinamento();
    }
    s->ordine = std::move(ordine);
    (void)interna;
    s->altezza = massimo_ + 1;
    if (s->altezza > kMaxAltezza) Complessa(inizio);
    massimo_ = std::max(fuori, s->altezza);
    return s;
  }

  std::vector<Ordine> Ordinamento() {
    std::vector<Ordine> v;
    if (!Prendi("ORDER")) return v;
    Atteso("BY");
    do {
      Ordine o;
      o.espr = Espr();
      if (Prendi("DESC")) o.discendente = true;
      else Prendi("ASC");
      v.push_back(std::move(o));
    } while (PrendiSimb(","));
    return v;
  }

  Nucleo Nuc(Select& s) {
    Atteso("SELECT");
    Nucleo n;
    if (Prendi("DISTINCT")) n.distinto = true;
    else if (Prendi("DISTINCTROW")) {
    } else Prendi("ALL");
    if (Prendi("TOP")) {
      if (Cur().tipo != TipoToken::Numero) Errore("atteso il numero di TOP");
      n.top = Intero(Cur(), "numero di TOP");
      Avanza();
      if (Prendi("PERCENT")) {
        if (n.top > 100) ErroreA(t_[i_ - 2].pos, "percentuale di TOP oltre 100");
        n.percento = true;
      }
    }
    do {
      ElemSelect e;
      e.espr = Espr();
      if (Prendi("AS")) {
        e.alias = NomeOggetto();
      } else if (Cur().tipo == TipoToken::NomeQuot ||
                 (Cur().tipo == TipoToken::Nome && !ERiservata(Cur()))) {
        e.alias = NomeOggetto();
      }
      n.lista.push_back(std::move(e));
    } while (PrendiSimb(","));
    if (Prendi("INTO")) s.into = NomeOggetto();
    if (Prendi("FROM")) {
      do n.da.push_back(Sorg()); while (PrendiSimb(","));
    }
    if (Prendi("WHERE")) n.dove = Espr();
    if (Prendi("GROUP")) {
      Atteso("BY");
      do n.gruppo.push_back(Espr()); while (PrendiSimb(","));
    }
    if (Prendi("HAVING")) n.avendo = Espr();
    return n;
  }

  // A FROM item with its joins.
  SorgenteP Sorg() {
    Livello liv(*this);
    SorgenteP sx = SorgPrim();
    while (true) {
      std::string tipo;
      if (Parola("INNER")) tipo = "INNER";
      else if (Parola("LEFT")) tipo = "LEFT";
      else if (Parola("RIGHT")) tipo = "RIGHT";
      else if (Parola("JOIN")) tipo = "INNER";
      else break;
      if (!Parola("JOIN")) Avanza();
      Prendi("OUTER");
      Atteso("JOIN");
      auto j = std::make_shared<Sorgente>();
      j->tipo = Sorgente::Join;
      j->join = tipo;
      j->sx = sx;
      j->dx = SorgPrim();
      const size_t p = Cur().pos;
      Atteso("ON");
      j->on = Espr();
      j->altezza = std::max({j->sx->altezza, j->dx->altezza, j->on->altezza}) + 1;
      if (j->altezza > kMaxAltezza) Complessa(p);
      massimo_ = std::max(massimo_, j->altezza);
      sx = j;
    }
    return sx;
  }

  SorgenteP SorgPrim() {
    auto s = std::make_shared<Sorgente>();
    if (PrendiSimb("(")) {
      if (Parola("SELECT")) {
        s->tipo = Sorgente::Sub;
        s->sub = Sel(true);
        s->altezza = s->sub->altezza + 1;
        AttesoSimb(")");
      } else {
        SorgenteP dentro = Sorg();
        AttesoSimb(")");
        return dentro;
      }
    } else {
      s->tipo = Sorgente::Tabella;
      s->nome = NomeOggetto();
    }
    if (Prendi("AS")) s->alias = NomeOggetto();
    else if (Cur().tipo == TipoToken::NomeQuot || (Cur().tipo == TipoToken::Nome && !ERiservata(Cur())))
      s->alias = NomeOggetto();
    return s;
  }

  // ---- expressions, from the loosest binding
  NodoP Nuovo(TipoNodo t, std::string testo, size_t pos) {
    auto n = std::make_shared<Nodo>();
    n->tipo = t;
    n->testo = std::move(testo);
    n->pos = pos;
    return n;
  }
  NodoP Bin(const std::string& op, NodoP a, NodoP b, size_t pos) {
    auto n = Nuovo(TipoNodo::Binario, op, pos);
    n->figli = {std::move(a), std::move(b)};
    return Chiudi(n);
  }

  NodoP Espr() {
    Livello liv(*this);
    return Or();
  }

  // A run of one operator that groups either way (And, Or, Xor): the terms
  // t[i..j), the operator before t[k] at pos[k]. Built balanced, so that a
  // long chain of conditions stays shallow here and in the translated text.
  NodoP Bilancia(const std::string& op, const std::vector<NodoP>& t, const std::vector<size_t>& pos,
                 size_t i, size_t j) {
    if (j - i == 1) return t[i];
    const size_t m = (i + j) / 2;
    return Bin(op, Bilancia(op, t, pos, i, m), Bilancia(op, t, pos, m, j), pos[m]);
  }
  // Terms joined left to right by the operators `ops`: each run of one
  // operator is balanced, runs join as the dialect reads them (to the left).
  template <typename Termine>
  NodoP Catena(std::initializer_list<const char*> ops, Termine termine) {
    NodoP a = (this->*termine)();
    std::string corrente;
    std::vector<NodoP> termini;
    std::vector<size_t> pos;
    while (true) {
      const char* trovato = nullptr;
      for (const char* o : ops)
        if (Parola(o)) trovato = o;
      if (!trovato) break;
      const std::string op = trovato;
      const size_t p = Cur().pos;
      Avanza();
      NodoP b = (this->*termine)();
      if (!termini.empty() && op != corrente) {
        a = Bilancia(corrente, termini, pos, 0, termini.size());
        termini.clear();
        pos.clear();
      }
      if (termini.empty()) {
        termini.push_back(a);
        pos.push_back(0);
      }
      corrente = op;
      termini.push_back(std::move(b));
      pos.push_back(p);
    }
    return termini.empty() ? a : Bilancia(corrente, termini, pos, 0, termini.size());
  }
  NodoP Or() { return Catena({"OR", "XOR"}, &Parser::And); }
  NodoP And() { return Catena({"AND"}, &Parser::Not); }
  NodoP Not() {
    if (Parola("NOT")) {
      Livello liv(*this);
      size_t p = Cur().pos;
      Avanza();
      auto n = Nuovo(TipoNodo::Unario, "NOT", p);
      n->figli = {Not()};
      return Chiudi(n);
    }
    return Confronto();
  }
  NodoP Confronto() {
    NodoP a = Concat();
    while (true) {
      size_t p = Cur().pos;
      if (Cur().tipo == TipoToken::Simbolo &&
          (Simb("=") || Simb("<>") || Simb("!=") || Simb("<") || Simb(">") || Simb("<=") || Simb(">="))) {
        std::string op = Cur().testo == "!=" ? "<>" : Cur().testo;
        Avanza();
        a = Bin(op, a, Concat(), p);
        continue;
      }
      bool neg = false;
      if (Parola("NOT") && (ParolaAvanti(1, "LIKE") || ParolaAvanti(1, "IN") || ParolaAvanti(1, "BETWEEN"))) {
        neg = true;
        Avanza();
      }
      if (Prendi("LIKE")) {
        a = Bin("LIKE", a, Concat(), p);
        a->negato = neg;
        continue;
      }
      if (Prendi("BETWEEN")) {
        auto n = Nuovo(TipoNodo::TraValori, "", p);
        NodoP da = Concat();
        Atteso("AND");
        n->figli = {a, da, Concat()};
        n->negato = neg;
        a = Chiudi(n);
        continue;
      }
      if (Prendi("IN")) {
        AttesoSimb("(");
        if (Parola("SELECT")) {
          auto n = Nuovo(TipoNodo::InSelect, "", p);
          n->figli = {a};
          n->sub = Sel(true);
          n->negato = neg;
          a = Chiudi(n);
        } else {
          auto n = Nuovo(TipoNodo::InLista, "", p);
          n->figli = {a};
          do n->figli.push_back(Espr()); while (PrendiSimb(","));
          n->negato = neg;
          a = Chiudi(n);
        }
        AttesoSimb(")");
        continue;
      }
      if (neg) Errore("atteso LIKE, IN o BETWEEN dopo NOT");
      if (Prendi("IS")) {
        bool no = Prendi("NOT");
        Atteso("NULL");
        auto n = Nuovo(TipoNodo::ENullo, "", p);
        n->figli = {a};
        n->negato = no;
        a = Chiudi(n);
        continue;
      }
      return a;
    }
  }
  NodoP Concat() {
    NodoP a = Somma();
    while (Simb("&")) {
      size_t p = Cur().pos;
      Avanza();
      a = Bin("&", a, Somma(), p);
    }
    return a;
  }
  NodoP Somma() {
    NodoP a = Modulo();
    while (Simb("+") || Simb("-")) {
      std::string op = Cur().testo;
      size_t p = Cur().pos;
      Avanza();
      a = Bin(op, a, Modulo(), p);
    }
    return a;
  }
  NodoP Modulo() {
    NodoP a = DivIntera();
    while (Parola("MOD")) {
      size_t p = Cur().pos;
      Avanza();
      a = Bin("MOD", a, DivIntera(), p);
    }
    return a;
  }
  NodoP DivIntera() {
    NodoP a = Prodotto();
    while (Simb("\\")) {
      size_t p = Cur().pos;
      Avanza();
      a = Bin("\\", a, Prodotto(), p);
    }
    return a;
  }
  NodoP Prodotto() {
    NodoP a = Unario();
    while (Simb("*") || Simb("/")) {
      std::string op = Cur().testo;
      size_t p = Cur().pos;
      Avanza();
      a = Bin(op, a, Unario(), p);
    }
    return a;
  }
  NodoP Unario() {
    if (Simb("-") || Simb("+")) {
      Livello liv(*this);
      std::string op = Cur().testo;
      size_t p = Cur().pos;
      Avanza();
      NodoP x = Unario();
      if (op == "+") return x;
      if (x->tipo == TipoNodo::Numero && x->testo[0] != '-') {
        x->testo = "-" + x->testo;
        return x;
      }
      auto n = Nuovo(TipoNodo::Unario, "-", p);
      n->figli = {x};
      return Chiudi(n);
    }
    return Potenza();
  }
  NodoP Potenza() {
    NodoP a = Primario();
    while (Simb("^")) {
      size_t p = Cur().pos;
      Avanza();
      a = Bin("^", a, Primario(), p);
    }
    return a;
  }

  static std::string DataIso(const std::string& t, bool& ok) {
    // #yyyy-mm-dd#, or the dialect's own #mm/dd/yyyy# (month first), with
    // an optional time.
    ok = false;
    std::string data = vb::Trim(t), ora;
    if (auto sp = data.find(' '); sp != std::string::npos) {
      ora = vb::Trim(data.substr(sp + 1));
      data = data.substr(0, sp);
    }
    int a = 0, m = 0, g = 0;
    char c1 = 0, c2 = 0;
    if (std::sscanf(data.c_str(), "%d%c%d%c%d", &a, &c1, &m, &c2, &g) != 5) return {};
    if (c1 == '-' && c2 == '-') {
    } else if (c1 == '/' && c2 == '/') {
      int mm = a, gg = m, aa = g;
      a = aa; m = mm; g = gg;
      if (a < 100) a += a < 30 ? 2000 : 1900;
    } else {
      return {};
    }
    if (m < 1 || m > 12 || g < 1 || a < 100 || a > 9999 || g > vb::GiorniDelMese(a, m)) return {};
    int h = 0, mi = 0, s = 0;
    if (!ora.empty()) {
      int k = std::sscanf(ora.c_str(), "%d:%d:%d", &h, &mi, &s);
      if (k < 2 || h > 23 || mi > 59 || s > 59) return {};
    }
    char buf[32];
    if (h || mi || s)
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", a, m, g, h, mi, s);
    else
      std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", a, m, g);
    ok = true;
    return buf;
  }

  NodoP Primario() {
    const Token t = Cur();
    switch (t.tipo) {
      case TipoToken::Numero:
        Avanza();
        return Nuovo(TipoNodo::Numero, t.testo, t.pos);
      case TipoToken::Testo:
        Avanza();
        return Nuovo(TipoNodo::Testo, t.testo, t.pos);
      case TipoToken::DataLit: {
        bool ok;
        std::string iso = DataIso(t.testo, ok);
        if (!ok) Errore("data non valida #" + t.testo + "#");
        Avanza();
        return Nuovo(TipoNodo::Data, iso, t.pos);
      }
      case TipoToken::Simbolo:
        if (t.testo == "(") {
          Avanza();
          if (Parola("SELECT")) {
            auto n = Nuovo(TipoNodo::SubSelect, "", t.pos);
            n->sub = Sel(true);
            AttesoSimb(")");
            return Chiudi(n);
          }
          NodoP e = Espr();
          AttesoSimb(")");
          return e;
        }
        if (t.testo == "*") {
          Avanza();
          return Nuovo(TipoNodo::Tutte, "*", t.pos);
        }
        Errore("valore atteso");
      case TipoToken::Fine:
        Errore("istruzione incompleta");
      case TipoToken::Nome:
      case TipoToken::NomeQuot:
        break;
    }
    if (t.tipo == TipoToken::Nome) {
      std::string u = vb::UCase(t.testo);
      if (u == "NULL") {
        Avanza();
        return Nuovo(TipoNodo::Nullo, "", t.pos);
      }
      if (u == "TRUE" || u == "FALSE") {
        Avanza();
        return Nuovo(TipoNodo::Booleano, u == "TRUE" ? "-1" : "0", t.pos);
      }
      if (u == "EXISTS") {
        Avanza();
        AttesoSimb("(");
        auto n = Nuovo(TipoNodo::Esiste, "", t.pos);
        n->sub = Sel(true);
        AttesoSimb(")");
        return Chiudi(n);
      }
      const bool chiamata = t_[i_ + 1].tipo == TipoToken::Simbolo && t_[i_ + 1].testo == "(";
      // Left, Right and Asc are also functions: a call when "(" follows.
      if (ERiservata(t) && !(chiamata && (u == "LEFT" || u == "RIGHT" || u == "ASC")))
        Errore("parola riservata fuori posto");
      // function call
      if (chiamata) {
        Avanza();
        Avanza();
        auto n = Nuovo(TipoNodo::Funzione, t.testo, t.pos);
        if (Prendi("DISTINCT")) n->negato = true;  // Count(DISTINCT x)
        if (!Simb(")")) {
          do n->figli.push_back(Espr()); while (PrendiSimb(","));
        }
        AttesoSimb(")");
        return Chiudi(n);
      }
    }
    // column, table.column, table.*
    std::string primo = t.testo;
    Avanza();
    if ((Simb(".") || Simb("!")) && t_[i_ + 1].tipo != TipoToken::Fine) {
      Avanza();
      if (PrendiSimb("*")) {
        auto n = Nuovo(TipoNodo::Tutte, "*", t.pos);
        n->qual = primo;
        return n;
      }
      const Token& c = Cur();
      if (c.tipo != TipoToken::Nome && c.tipo != TipoToken::NomeQuot) Errore("atteso il nome della colonna");
      auto n = Nuovo(TipoNodo::Colonna, c.testo, t.pos);
      n->qual = primo;
      Avanza();
      return n;
    }
    return Nuovo(TipoNodo::Colonna, primo, t.pos);
  }

  const std::string& sql_;
  std::vector<Token> t_;
  size_t i_ = 0;
  int livello_ = 0;   // nesting of the reading under way
  int massimo_ = 0;   // highest node of the select being read
};

}  // namespace

Istruzione Analizzatore(const std::string& sql) { return Parser(sql).Istr(); }

NodoP AnalizzaEspressione(const std::string& testo) { return Parser(testo).SoloEspr(); }

}  // namespace dati::sql

#pragma once
// Syntax tree of a statement of the legacy dialect.
#include <memory>
#include <string>
#include <vector>

#include "platform/dati/Motore.h"

namespace dati::sql {

struct Select;
struct Nodo;
using NodoP = std::shared_ptr<Nodo>;
using SelectP = std::shared_ptr<Select>;

enum class TipoNodo {
  Numero,     // testo: the number as written
  Testo,      // testo: the value
  Data,       // testo: "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss"
  Nullo,
  Booleano,   // testo: "-1" or "0"
  Colonna,    // qual.testo
  Tutte,      // qual.* or * (select list, Count(*))
  Funzione,   // testo: name as written; figli: arguments
  Unario,     // testo: "-", "+", "NOT"
  Binario,    // testo: operator (upper case for words); figli[0], figli[1]
  TraValori,  // BETWEEN: figli[0] BETWEEN figli[1] AND figli[2]
  InLista,    // figli[0] IN (figli[1..])
  InSelect,   // figli[0] IN (sub)
  ENullo,     // figli[0] IS NULL
  Esiste,     // EXISTS (sub)
  SubSelect,  // (sub) as a value
  Parametro,  // "?" marker
};

struct Nodo {
  TipoNodo tipo;
  std::string testo;
  std::string qual;
  std::vector<NodoP> figli;
  SelectP sub;
  bool negato = false;  // NOT IN, NOT BETWEEN, IS NOT NULL, NOT LIKE
  size_t pos = 0;
  int altezza = 1;  // levels of the tree below and including this node
  // Filled by the resolver.
  TipoCampo tipoRis = TipoCampo::Ignoto;
  bool booleano = false;   // a truth value (comparison, AND, ...)
  bool diColonna = false;  // a stored column (carries its collation)
};

struct Sorgente;
using SorgenteP = std::shared_ptr<Sorgente>;

struct Sorgente {
  enum Tipo { Tabella, Sub, Join } tipo = Tabella;
  std::string nome;    // table
  std::string alias;   // "" when none
  SelectP sub;
  std::string join;    // "INNER", "LEFT", "RIGHT"
  SorgenteP sx, dx;
  NodoP on;
  int altezza = 1;
  // Filled by the resolver.
  const TabellaCat* tabella = nullptr;
  std::string Nome() const { return alias.empty() ? nome : alias; }
};

struct ElemSelect {
  NodoP espr;
  std::string alias;
};

struct Ordine {
  NodoP espr;
  bool discendente = false;
};

struct Nucleo {
  bool distinto = false;
  long top = -1;
  bool percento = false;  // TOP n PERCENT
  std::vector<ElemSelect> lista;
  std::vector<SorgenteP> da;  // comma-separated FROM items
  NodoP dove;
  std::vector<NodoP> gruppo;
  NodoP avendo;
  // A member of a union with its own ORDER BY (with TOP: "the first n of").
  std::vector<Ordine> ordine;
};

struct Select {
  std::vector<Nucleo> nuclei;
  std::vector<bool> unioneTutti;  // between nuclei[i] and nuclei[i+1]
  std::vector<Ordine> ordine;
  std::string into;  // SELECT ... INTO table (make-table)
  int altezza = 1;
};

struct Assegna {
  NodoP colonna;
  NodoP valore;
};

struct Istruzione {
  enum Tipo { Sel, Ins, Agg, Canc, Elimina, Crea, Altro } tipo = Sel;
  SelectP select;                 // Sel; Ins from a select
  std::string tabella;            // Ins, Elimina (DROP TABLE)
  std::vector<std::string> colonne;
  std::vector<NodoP> valori;      // Ins ... VALUES
  SorgenteP sorgente;             // Agg, Canc (table or joins)
  std::vector<Assegna> assegna;   // Agg
  std::string bersaglio;          // Canc: "DELETE T.* FROM ..." -> T
  NodoP dove;                     // Agg, Canc
};

// A statement nested deeper than this (parentheses, Not, unary minus,
// operators in a row, function calls, sub-selects, joins) is refused with
// 3360 naming the position, as the legacy engine refused a query too
// complex: reading and translating it then never exhausts the stack. (The
// engines have limits of their own, lower for some shapes on SQLite: what
// they refuse comes back with the same number.) Long chains of And / Or do
// not count as nesting: they are kept balanced.
constexpr int kMaxAltezza = 50;
constexpr long ErrQueryComplessa = 3360;

// Parses one statement; raises 3075 with the position of what it cannot read.
Istruzione Analizzatore(const std::string& sql);
// Parses a lone expression (a search criterion, an added condition).
NodoP AnalizzaEspressione(const std::string& testo);

}  // namespace dati::sql

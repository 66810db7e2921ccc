#pragma once
// Translation of the legacy file-database SQL into each engine's dialect.
// The statement is read by a real tokenizer and parser, resolved against the
// catalog of the database (so that "T.*" expands, column kinds are known
// and the result columns carry their table), then written out anew:
//  - "&" joins texts with Null as empty; iif, IsNull, Nz, the VBA functions
//    (ucase, mid, year, val, ...) become calls of the engine's runtime
//    functions of the same meaning;
//  - True/False are -1/0; "*" and "?" wildcards keep their meaning in Like;
//  - text comparisons ignore letter case (stored columns carry the engine's
//    case-insensitive collation, other text comparisons get it explicitly);
//  - date literals #...# (ISO, or month first as the dialect has it);
//  - Top n with an order keeps also the rows tied with the n-th, Top n
//    Percent that share of the rows rounded up; without an order, the
//    first n rows;
//  - Nulls sort first in ascending order and last in descending order, on
//    the server too;
//  - joined UPDATE and DELETE ("DELETE T.* FROM T INNER JOIN ...") are
//    rewritten through the row identity of the target table.
// A statement it cannot read raises 3075 naming the position, one nested
// too deep 3360, an unknown function 3085: nothing reaches an engine
// half-translated.
#include <string>
#include <string_view>
#include <vector>

#include "platform/dati/Motore.h"

namespace dati {

struct ColonnaUscita {
  std::string nome;          // name the program reads it by
  std::string qualificatore; // table or alias it comes from ("" for expressions)
  std::string tabellaBase;   // stored table, when the column is a stored one
  std::string colonnaBase;
  TipoCampo tipo = TipoCampo::Ignoto;
};

struct Traduzione {
  enum Tipo { Select, Insert, Update, Delete, Ddl } tipo = Select;
  std::string sql;
  std::vector<ColonnaUscita> colonne;  // Select only
  // Select over a table whose whole primary key is among the columns: the
  // table a recordset may write to ("" when none).
  std::string tabellaAggiornabile;
  bool modificaSchema = false;
  bool unione = false;
};

// `condizione`, when given, is ANDed into the WHERE of the (first) select:
// a recordset read again with a narrower condition.
Traduzione Traduci(std::string_view sql, TipoMotore motore, const Catalogo& catalogo,
                   std::string_view condizione = {});

}  // namespace dati

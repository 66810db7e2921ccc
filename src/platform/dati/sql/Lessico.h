#pragma once
// Tokens of the legacy file-database SQL dialect.
#include <string>
#include <string_view>
#include <vector>

namespace dati::sql {

enum class TipoToken {
  Nome,       // identifier or keyword (keywords are recognised by the parser)
  NomeQuot,   // [bracketed] or `quoted` identifier: never a keyword
  Numero,
  Testo,      // '...' or "..." literal, value unescaped
  DataLit,    // #...# literal, value between the marks
  Simbolo,    // operators and punctuation
  Fine,
};

struct Token {
  TipoToken tipo;
  std::string testo;  // identifiers as written; literal values unescaped
  size_t pos;         // 0-based byte offset in the statement
};

// Splits a statement; raises 3075 naming the position on a character or
// literal it cannot read (an unterminated string, a stray symbol).
std::vector<Token> Analizza(std::string_view sql);

}  // namespace dati::sql

#pragma once
// One selection criterion of a list page: the column (or the name a "pers"
// criterion is known by), the text box that carries its value, the operator
// and the kind of its value.
//
// Our choices:
// - the kind is the database engine's type code of the column (1 yes/no,
//   2 byte, 3 integer, 4 long, 5 currency, 6 single, 7 double, 8 date); 0
//   or any other code is text;
// - a value is the trimmed text of its box; a value equal to the declared
//   empty value counts as empty, and an empty criterion takes no part;
// - a number must be written as a number of its kind (sign, digits, for
//   decimals the Italian comma and optional thousands points), a date as a
//   real day: anything else does not read, and the criterion is refused
//   (`Leggibile` False) instead of reaching the statement;
// - operators "=", "<>", "<", ">", "<=", ">=" compare; "like" matches the
//   value as typed (no wildcard of its own), "like*" means "begins with":
//   the wildcards of the dialect typed in a value ("*", "?", "#", "[") are
//   matched as themselves; "pers" leaves the condition to the window.
#include <string>

#include "platform/Variant.h"

namespace ui {
class Controllo;
}

namespace barre {
namespace navlib {

class CampoLista {
 public:
  CampoLista(std::string nome, ui::Controllo* ctrl, std::string operatore, int tipo, std::string suffisso,
             vb::Variant vuoto);

  // The column or name as declared (for "pers" criteria the name the
  // window recognises).
  const std::string& Nome() const { return nome_; }
  // The name by which the page knows the criterion: Nome + suffix.
  std::string NomeFiltro() const { return nome_ + suffisso_; }
  const std::string& Operatore() const { return operatore_; }
  int Tipo() const { return tipo_; }
  ui::Controllo* Controllo() const { return ctrl_; }

  // The value as typed (trimmed); "" when empty.
  std::string Valore() const;
  void SetValore(const std::string& v);
  bool Vuoto() const { return Valore().empty(); }
  // Whether a non-empty value reads as a value of its kind.
  bool Leggibile() const;
  // The value converted to its kind (Empty when empty or unreadable).
  vb::Variant ValoreTipo() const;
  // The kind of `FunzioniComuni.ValoreSql` for this criterion.
  int TipoSql() const;
  // The condition of a criterion that is not "pers": "Column op literal";
  // "" when the criterion is empty. Raises 13 when the value does not read.
  std::string Condizione() const;

 private:
  std::string nome_;
  ui::Controllo* ctrl_;
  std::string operatore_;
  int tipo_;
  std::string suffisso_;
  vb::Variant vuoto_;
};

// A text as a pattern of the dialect's like matching that text itself.
std::string LikeLetterale(const std::string& testo);

}  // namespace navlib
}  // namespace barre

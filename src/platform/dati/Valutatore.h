#pragma once
// Evaluation of a criterion of the legacy dialect over the fields of one
// row held in memory (the search of a recordset). It knows the operators,
// Like, In, Between, Is Null and the common text, date and number
// functions; text comparisons ignore letter case, as the engine's do.
#include <functional>
#include <string>

#include "platform/Variant.h"
#include "platform/dati/sql/Albero.h"

namespace dati {

using LeggiCampoFn = std::function<vb::Variant(const std::string& qual, const std::string& nome)>;

vb::Variant Valuta(const sql::Nodo& n, const LeggiCampoFn& campo);
// True when the criterion holds (Null counts as False).
bool Vale(const sql::Nodo& n, const LeggiCampoFn& campo);

}  // namespace dati

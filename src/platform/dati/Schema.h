#pragma once
// The company database and the common menu database as this program knows
// them: every table and column its SQL reads or writes, with the kind of
// each column, the primary key and the unique indexes. One description
// serves both engines; CreaSchema turns it into each engine's DDL, written
// with the declared types the catalog readers map back to TipoCampo.
#include <string>
#include <vector>

#include "platform/dati/Motore.h"

namespace dati {

const std::vector<TabellaCat>& SchemaDitta();
const std::vector<TabellaCat>& SchemaMenu();

// Creates the tables that do not exist yet, with their keys and indexes,
// then drops the connection's cached catalog. On the server the runtime
// functions and the case-insensitive collation go in first.
void CreaSchema(Connessione& c, const std::vector<TabellaCat>& tabelle);

// A table as an engine's catalog read it, with its table, column and key
// names spelt as the schema spells them when it is a table of the schema
// (the server folds the names it is given to lower case).
void GrafiaDelloSchema(TabellaCat& t);

// The statements CreaSchema runs for one table, in order (CREATE TABLE,
// indexes, and on the server the column comments that tell flags and bytes
// from 16-bit integers).
std::vector<std::string> IstruzioniTabella(const TabellaCat& t, TipoMotore motore);

}  // namespace dati

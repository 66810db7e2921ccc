// ddt-db: the company database from the command line.
//   ddt-db schema <file.db | "ODBC;..."> [--menu]   creates the company tables
//                                                  (and the menu table Appoggio)
//   ddt-db demo   <file.db | "ODBC;..."> [--menu]   the same, then the demo company
//   ddt-db sql    <file.db | "ODBC;..."> "<SQL>"    runs one statement of the
//                                                  program's SQL and prints its rows
// A file path may be written the Windows way ("C:\Ditte\demo.db"); it is
// mapped like every path of the program. Exit code 0 on success, 1 with a
// message on stderr otherwise.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Motore.h"
#include "platform/dati/Schema.h"
#include "platform/dati/Traduttore.h"

namespace {

const char* const kUso =
    "Uso:\n"
    "  ddt-db schema <file.db | \"ODBC;...\"> [--menu]   crea le tabelle della ditta\n"
    "                                                  (con --menu anche la tabella Appoggio)\n"
    "  ddt-db demo   <file.db | \"ODBC;...\"> [--menu]   crea le tabelle se mancano e la ditta\n"
    "                                                  dimostrativa\n"
    "  ddt-db sql    <file.db | \"ODBC;...\"> \"<istruzione SQL>\"\n"
    "                                                  esegue un'istruzione e ne stampa il risultato\n";

// Server when the text says so (connect text, data-source name); a file
// otherwise, created when `crea` and missing.
std::string Apri(dati::GestDatabase& db, const std::string& nome, bool crea) {
  if (dati::NomeServer(nome)) return db.ApriDatabase(nome, 0, false, false, nome);
  if (crea) return db.CreaDatabase(nome);
  if (!vb::EsisteFileLocale(nome))
    vb::Solleva(dati::ErrFileDbNonTrovato, "Database non trovato: " + vb::PercorsoLocale(nome));
  return db.ApriDatabase(nome);
}

void CreaTabelle(dati::GestDatabase& db, const std::string& k, bool menu) {
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  if (menu) dati::CreaSchema(db.Motore(k), dati::SchemaMenu());
}

std::string Testo(const vb::Variant& v) {
  if (v.IsNull()) return "Null";
  if (v.IsEmpty()) return "";
  return v.ToString();
}

// The rows as a plain text table, one column per field, widths by the
// widest value (counted in characters, not bytes).
void Stampa(const dati::Risultato& r) {
  const size_t n = r.colonne.size();
  std::vector<std::vector<std::string>> celle;
  std::vector<long> larghezza(n, 0);
  std::vector<std::string> intestazione;
  for (size_t i = 0; i < n; ++i) {
    intestazione.push_back(r.colonne[i].nome);
    larghezza[i] = vb::Len(r.colonne[i].nome);
  }
  for (const auto& riga : r.righe) {
    std::vector<std::string> c;
    for (size_t i = 0; i < n && i < riga.size(); ++i) {
      c.push_back(Testo(riga[i]));
      larghezza[i] = std::max(larghezza[i], vb::Len(c.back()));
    }
    celle.push_back(std::move(c));
  }
  auto scrivi = [&](const std::vector<std::string>& c) {
    std::string linea;
    for (size_t i = 0; i < c.size(); ++i) {
      if (i) linea += " | ";
      linea += c[i];
      if (i + 1 < c.size()) linea.append(static_cast<size_t>(larghezza[i] - vb::Len(c[i])), ' ');
    }
    std::cout << linea << '\n';
  };
  scrivi(intestazione);
  std::string sotto;
  for (size_t i = 0; i < n; ++i) {
    if (i) sotto += "-+-";
    sotto.append(static_cast<size_t>(larghezza[i]), '-');
  }
  std::cout << sotto << '\n';
  for (const auto& c : celle) scrivi(c);
  std::cout << "(" << r.righe.size() << (r.righe.size() == 1 ? " riga)" : " righe)") << '\n';
}

int Esegui(const std::vector<std::string>& arg) {
  if (arg.size() < 2) {
    std::cerr << kUso;
    return 1;
  }
  const std::string& comando = arg[0];
  const std::string& nome = arg[1];
  dati::GestDatabase db;

  if (comando == "schema" || comando == "demo") {
    bool menu = false;
    for (size_t i = 2; i < arg.size(); ++i) {
      if (arg[i] == "--menu") {
        menu = true;
      } else {
        std::cerr << "Argomento non previsto: " << arg[i] << "\n" << kUso;
        return 1;
      }
    }
    const std::string k = Apri(db, nome, true);
    CreaTabelle(db, k, menu);
    if (comando == "demo") {
      dati::CreaDittaDemo(db, k);
      std::cout << "Ditta dimostrativa creata: " << dati::demo::kNumeroDdt << " DDT dell'anno "
                << dati::demo::kAnno << "\n";
    } else {
      std::cout << "Tabelle della ditta create" << (menu ? " (con la tabella Appoggio)" : "") << "\n";
    }
    return 0;
  }

  if (comando == "sql") {
    if (arg.size() != 3) {
      std::cerr << kUso;
      return 1;
    }
    const std::string k = Apri(db, nome, false);
    auto t = db.Traduci(k, arg[2]);
    if (t->tipo == dati::Traduzione::Select) {
      std::vector<dati::TipoCampo> tipi;
      for (const auto& c : t->colonne) tipi.push_back(c.tipo);
      dati::Risultato r = db.Motore(k).Interroga(t->sql, {}, &tipi);
      // The names the program reads them by, not the engine's.
      for (size_t i = 0; i < r.colonne.size() && i < t->colonne.size(); ++i) r.colonne[i].nome = t->colonne[i].nome;
      Stampa(r);
    } else {
      const long n = db.EseguiSql(k, arg[2]);
      std::cout << "(" << n << (n == 1 ? " riga interessata)" : " righe interessate)") << '\n';
    }
    return 0;
  }

  std::cerr << "Comando sconosciuto: " << comando << "\n" << kUso;
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arg(argv + 1, argv + argc);
  try {
    return Esegui(arg);
  } catch (const vb::Errore& e) {
    std::cerr << "Errore(" << e.Number() << "): " << e.Description() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "Errore: " << e.what() << "\n";
  }
  return 1;
}

// ddt-db: the company database from the command line.
//   ddt-db schema [--menu] <database>   creates the company tables (--menu:
//                                      also the menu table Appoggio)
//   ddt-db demo   [--menu] <database>   the same, then the demo company
//   ddt-db sql    <database> "<SQL>"    runs one statement of the program's
//                                      SQL and prints its rows
// <database> is a file path or a connect text ("ODBC;..."); "-" reads it
// from the first line of standard input, and it may be left out when the
// environment variable DDT_DB holds it: a connect text with its password
// written on the command line is visible to every user of the machine.
// A file path may be written the Windows way ("C:\Ditte\demo.db"); it is
// mapped like every path of the program. Exit code 0 on success, 1 with a
// message on stderr otherwise.
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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
    "  ddt-db schema [--menu] <database>   crea le tabelle della ditta\n"
    "                                      (con --menu anche la tabella Appoggio)\n"
    "  ddt-db demo   [--menu] <database>   crea le tabelle se mancano e la ditta dimostrativa\n"
    "  ddt-db sql    <database> \"<istruzione SQL>\"\n"
    "                                      esegue un'istruzione e ne stampa il risultato\n"
    "<database> e' il percorso di un file o un testo di connessione \"ODBC;...\";\n"
    "\"-\" lo legge dalla prima riga dell'input; si puo' omettere se la variabile\n"
    "d'ambiente DDT_DB lo contiene (una password scritta sulla riga di comando e'\n"
    "visibile a tutti gli utenti della macchina).\n";

// A mistake in the command line: usage on stderr, exit code 1.
struct ErroreUso {
  std::string messaggio;
};

// The database named by "-": the first line of standard input, typed
// without echo when it comes from a terminal (it may hold a password).
std::string LeggiDatabase() {
  const bool terminale = isatty(STDIN_FILENO) != 0;
  termios prima{};
  if (terminale) {
    std::cerr << "Database (file o testo di connessione): " << std::flush;
    tcgetattr(STDIN_FILENO, &prima);
    termios senzaEco = prima;
    senzaEco.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &senzaEco);
  }
  std::string riga;
  const bool letta = static_cast<bool>(std::getline(std::cin, riga));
  if (terminale) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &prima);
    std::cerr << "\n";
  }
  while (!riga.empty() && (riga.back() == '\r' || riga.back() == '\n')) riga.pop_back();
  if (!letta || riga.empty()) throw ErroreUso{"nessun database sull'input"};
  return riga;
}

// The database of the command: the argument given, "-" for standard input,
// or DDT_DB when the argument is left out.
std::string Database(const std::vector<std::string>& posizionali, size_t attesi) {
  if (posizionali.size() == attesi) {
    return posizionali[0] == "-" ? LeggiDatabase() : posizionali[0];
  }
  if (posizionali.size() + 1 == attesi) {
    const char* env = std::getenv("DDT_DB");
    if (env && *env) return env;
    throw ErroreUso{"manca il database (o la variabile DDT_DB)"};
  }
  throw ErroreUso{posizionali.size() > attesi ? "troppi argomenti" : "mancano argomenti"};
}

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
  if (arg.empty()) throw ErroreUso{"manca il comando"};
  const std::string& comando = arg[0];
  // Options may stand anywhere after the command; the rest keep their order.
  bool menu = false;
  std::vector<std::string> posizionali;
  for (size_t i = 1; i < arg.size(); ++i) {
    if (arg[i] == "--menu" && (comando == "schema" || comando == "demo")) menu = true;
    else if (arg[i].size() > 2 && arg[i].compare(0, 2, "--") == 0) throw ErroreUso{"opzione non prevista: " + arg[i]};
    else posizionali.push_back(arg[i]);
  }
  dati::GestDatabase db;

  if (comando == "schema" || comando == "demo") {
    const std::string nome = Database(posizionali, 1);
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
    const std::string nome = Database(posizionali, 2);
    const std::string& istruzione = posizionali.back();
    const std::string k = Apri(db, nome, false);
    auto t = db.Traduci(k, istruzione);
    if (t->tipo == dati::Traduzione::Select) {
      std::vector<dati::TipoCampo> tipi;
      for (const auto& c : t->colonne) tipi.push_back(c.tipo);
      dati::Risultato r = db.Motore(k).Interroga(t->sql, {}, &tipi);
      // The names the program reads them by, not the engine's.
      for (size_t i = 0; i < r.colonne.size() && i < t->colonne.size(); ++i) r.colonne[i].nome = t->colonne[i].nome;
      Stampa(r);
    } else {
      const long n = db.EseguiSql(k, istruzione);
      std::cout << "(" << n << (n == 1 ? " riga interessata)" : " righe interessate)") << '\n';
    }
    return 0;
  }

  throw ErroreUso{"comando sconosciuto: " + comando};
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arg(argv + 1, argv + argc);
  try {
    if (!arg.empty() && (arg[0] == "--help" || arg[0] == "-h")) {
      std::cout << kUso;
      return 0;
    }
    return Esegui(arg);
  } catch (const ErroreUso& e) {
    std::cerr << "ddt-db: " << e.messaggio << "\n" << kUso;
  } catch (const vb::Errore& e) {
    std::cerr << "Errore(" << e.Number() << "): " << e.Description() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "Errore: " << e.what() << "\n";
  }
  return 1;
}

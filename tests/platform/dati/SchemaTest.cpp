#include "platform/dati/Schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/Motore.h"

namespace {

using dati::Catalogo;
using dati::ColonnaCat;
using dati::TabellaCat;
using dati::TipoCampo;

std::string Piega(const std::string& s) { return vb::Piega(s); }

const TabellaCat* Cerca(const std::vector<TabellaCat>& tabelle, const std::string& nome) {
  for (const auto& t : tabelle)
    if (vb::UgualeTesto(t.nome, nome)) return &t;
  return nullptr;
}

std::vector<TabellaCat> Tutte() {
  std::vector<TabellaCat> v = dati::SchemaDitta();
  for (const auto& t : dati::SchemaMenu()) v.push_back(t);
  return v;
}

std::string Descrivi(const ColonnaCat& c) {
  std::ostringstream o;
  o << c.nome << ":" << static_cast<int>(c.tipo);
  if (c.tipo == TipoCampo::Testo) o << ":" << c.lunghezza;
  return o.str();
}

std::filesystem::path CartellaTemporanea() {
  const char* e = std::getenv("DDT_TEST_TMP");
  std::filesystem::path p = e && *e ? std::filesystem::path(e) : std::filesystem::temp_directory_path();
  p /= "schema";
  std::filesystem::create_directories(p);
  return p;
}

// ------------------------------------------------------------ the description

TEST(SchemaTest, DescrizioneCoerente) {
  std::set<std::string> nomiTabelle;
  for (const auto& t : Tutte()) {
    SCOPED_TRACE(t.nome);
    EXPECT_TRUE(nomiTabelle.insert(Piega(t.nome)).second) << "table twice: " << t.nome;
    ASSERT_FALSE(t.colonne.empty());
    std::set<std::string> nomi;
    for (const auto& c : t.colonne) {
      EXPECT_TRUE(nomi.insert(Piega(c.nome)).second) << "column twice: " << c.nome;
      EXPECT_NE(c.tipo, TipoCampo::Ignoto) << c.nome;
      if (c.tipo == TipoCampo::Testo) {
        EXPECT_GT(c.lunghezza, 0) << c.nome;
        EXPECT_LE(c.lunghezza, 255) << c.nome;
      }
    }
    for (const auto& k : t.chiave) {
      const int i = t.Colonna(k);
      ASSERT_GE(i, 0) << "key column missing: " << k;
      EXPECT_TRUE(t.colonne[static_cast<size_t>(i)].obbligatoria) << k;
    }
    for (const auto& c : t.colonne) {
      bool inChiave = false;
      for (const auto& k : t.chiave) inChiave = inChiave || vb::UgualeTesto(k, c.nome);
      EXPECT_EQ(c.obbligatoria, inChiave) << "only key columns refuse Null: " << c.nome;
    }
    for (const auto& u : t.uniche) {
      EXPECT_FALSE(u.empty());
      for (const auto& k : u) EXPECT_GE(t.Colonna(k), 0) << "unique index column missing: " << k;
    }
  }
}

TEST(SchemaTest, CopieDiLavoroUgualiAlleTabelle) {
  const auto& s = dati::SchemaDitta();
  int gemelle = 0;
  for (const auto& app : s) {
    if (app.nome.size() <= 3 || app.nome.substr(app.nome.size() - 3) != "App") continue;
    const std::string base = app.nome.substr(0, app.nome.size() - 3);
    SCOPED_TRACE(app.nome);
    const TabellaCat* t = Cerca(s, base);
    ASSERT_NE(t, nullptr) << "no committed table " << base;
    ++gemelle;
    ASSERT_EQ(app.colonne.size(), t->colonne.size());
    for (size_t i = 0; i < t->colonne.size(); ++i)
      EXPECT_EQ(Descrivi(app.colonne[i]), Descrivi(t->colonne[i]));
    EXPECT_EQ(app.chiave, t->chiave);
    EXPECT_EQ(app.uniche, t->uniche);
  }
  // DdtDett, DdtLiv, DdtMatr, DdtRintraccia, FatDett, FattRintraccia,
  // MovMagDett, MovMagLiv, MovMagRintraccia.
  EXPECT_EQ(gemelle, 9);
}

TEST(SchemaTest, ChiaviDeiDocumenti) {
  const auto& s = dati::SchemaDitta();
  auto chiave = [&](const char* nome) {
    const TabellaCat* t = Cerca(s, nome);
    return t ? t->chiave : std::vector<std::string>{"(missing)"};
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(chiave("DdtTest"), (V{"Anno", "NumRif"}));
  EXPECT_EQ(chiave("DdtDett"), (V{"Anno", "NumRif", "RigDet"}));
  EXPECT_EQ(chiave("DdtDettApp"), (V{"Anno", "NumRif", "RigDet"}));
  EXPECT_EQ(chiave("DdtLiv"), (V{"Anno", "NumRif", "RigLiv", "Livello1", "Livello2"}));
  EXPECT_EQ(chiave("DdtLivApp"), (V{"Anno", "NumRif", "RigLiv", "Livello1", "Livello2"}));
  EXPECT_EQ(chiave("DdtSpese"), (V{"Anno", "NumRif", "Riga"}));
  EXPECT_EQ(chiave("DdtMatr"), (V{"Anno", "NumRif", "RigLiv", "Matricola"}));
  EXPECT_EQ(chiave("DdtRintraccia"), (V{"Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor",
                                        "ContoCliFor", "Lotto", "NrProgLotto"}));
  EXPECT_EQ(chiave("LockGest"), (V{"Tipo", "Anno", "NumReg"}));
  EXPECT_EQ(chiave("NumerDdt"), (V{"Anno", "Prefisso"}));
  EXPECT_EQ(chiave("Lotti"), (V{"Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto", "NrProgLotto"}));
  EXPECT_EQ(chiave("PianoConti"), (V{"Gruppo", "Mastro", "Conto"}));
  const TabellaCat* dett = Cerca(s, "DdtDett");
  ASSERT_NE(dett, nullptr);
  EXPECT_EQ(dett->uniche, (std::vector<V>{{"Anno", "NumRif", "RigLiv"}}));
  const TabellaCat* menu = Cerca(dati::SchemaMenu(), "Appoggio");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->chiave, (V{"Codice"}));
}

TEST(SchemaTest, TipiDeiCampi) {
  const auto& s = dati::SchemaDitta();
  auto colonna = [&](const char* tab, const char* col) -> ColonnaCat {
    const TabellaCat* t = Cerca(s, tab);
    if (!t || t->Colonna(col) < 0) return ColonnaCat{std::string("(missing)"), TipoCampo::Ignoto};
    return t->colonne[static_cast<size_t>(t->Colonna(col))];
  };
  EXPECT_EQ(colonna("DdtTest", "Anno").tipo, TipoCampo::Intero);
  EXPECT_EQ(colonna("DdtTest", "NumRif").tipo, TipoCampo::Lungo);
  EXPECT_EQ(colonna("DdtTest", "DataRif").tipo, TipoCampo::Data);
  EXPECT_EQ(colonna("DdtTest", "TotDocum").tipo, TipoCampo::Importo);
  EXPECT_EQ(colonna("DdtTest", "Cambio").tipo, TipoCampo::Doppio);
  EXPECT_EQ(colonna("DdtTest", "Nota").tipo, TipoCampo::Memo);
  EXPECT_EQ(colonna("DdtTest", "Stato").tipo, TipoCampo::Testo);
  EXPECT_EQ(colonna("DdtTest", "Stato").lunghezza, 1);
  EXPECT_EQ(colonna("DdtDett", "RigDet").tipo, TipoCampo::Intero);
  EXPECT_EQ(colonna("DdtDett", "RigLiv").tipo, TipoCampo::Lungo);
  EXPECT_EQ(colonna("DdtDett", "Qta").tipo, TipoCampo::Doppio);
  EXPECT_EQ(colonna("DdtDett", "ValUnitario").tipo, TipoCampo::Importo);
  EXPECT_EQ(colonna("DdtDett", "Omaggio").lunghezza, 1);
  EXPECT_EQ(colonna("DdtDett", "GruppoVen").lunghezza, 2);
  EXPECT_EQ(colonna("0_RigheDdt", "Annullato").tipo, TipoCampo::SiNo);
  EXPECT_EQ(colonna("0_RigheDdt", "trasporti_id").lunghezza, 20);
  EXPECT_EQ(colonna("Lotti", "NrProgLotto").tipo, TipoCampo::Intero);
}

// ------------------------------------------------------------ the DDL

TEST(SchemaTest, IstruzioniDelServer) {
  const TabellaCat* t = Cerca(dati::SchemaDitta(), "0_RigheDdt");
  ASSERT_NE(t, nullptr);
  auto sql = dati::IstruzioniTabella(*t, dati::TipoMotore::Server);
  ASSERT_GE(sql.size(), 2u);
  EXPECT_EQ(sql[0].rfind("CREATE TABLE IF NOT EXISTS \"0_righeddt\" (num_ddt varchar(20) COLLATE ci, ", 0), 0u)
      << sql[0];
  EXPECT_NE(sql[0].find("peso_netto double precision"), std::string::npos);
  EXPECT_NE(sql[0].find("annullato smallint"), std::string::npos);
  EXPECT_EQ(sql.back(), "COMMENT ON COLUMN \"0_righeddt\".annullato IS 'sino'");

  const TabellaCat* d = Cerca(dati::SchemaDitta(), "DdtDett");
  ASSERT_NE(d, nullptr);
  sql = dati::IstruzioniTabella(*d, dati::TipoMotore::Server);
  ASSERT_EQ(sql.size(), 2u);
  EXPECT_NE(sql[0].find("anno smallint NOT NULL, numrif integer NOT NULL, rigdet smallint NOT NULL, "
                        "rigliv integer, "),
            std::string::npos)
      << sql[0];
  EXPECT_NE(sql[0].find("valunitario numeric(19,4)"), std::string::npos);
  EXPECT_NE(sql[0].find("datacompda timestamp(0)"), std::string::npos);
  EXPECT_NE(sql[0].find("notasopra text COLLATE ci"), std::string::npos);
  EXPECT_NE(sql[0].find(", PRIMARY KEY (anno, numrif, rigdet))"), std::string::npos);
  EXPECT_EQ(sql[1], "CREATE UNIQUE INDEX IF NOT EXISTS ux_ddtdett_1 ON ddtdett (anno, numrif, rigliv)");

  // Rows looked up by document whose key begins elsewhere get an index.
  const TabellaCat* l = Cerca(dati::SchemaDitta(), "LockGest");
  ASSERT_NE(l, nullptr);
  sql = dati::IstruzioniTabella(*l, dati::TipoMotore::SQLite);
  ASSERT_EQ(sql.size(), 4u);
  EXPECT_EQ(sql[1], "CREATE INDEX IF NOT EXISTS \"ix_LockGest_doc\" ON \"LockGest\" (\"Anno\", \"NumReg\")");
  // On SQLite the checks of the values each column can hold.
  EXPECT_EQ(sql[2].rfind("CREATE TRIGGER IF NOT EXISTS \"ck_LockGest_ins\" BEFORE INSERT ON \"LockGest\" ", 0), 0u)
      << sql[2];
  EXPECT_EQ(sql[3].rfind("CREATE TRIGGER IF NOT EXISTS \"ck_LockGest_upd\" BEFORE UPDATE ON \"LockGest\" ", 0), 0u)
      << sql[3];
  EXPECT_NE(sql[2].find("WHEN (typeof(NEW.\"Anno\") = 'text' OR typeof(NEW.\"Anno\") = 'blob') THEN RAISE(ABORT, 'ddt:3464:LockGest.Anno')"),
            std::string::npos)
      << sql[2];
}

void ConfrontaCatalogo(const std::vector<TabellaCat>& attese, const Catalogo& cat) {
  EXPECT_EQ(cat.NomiTabelle().size(), attese.size());
  for (const auto& t : attese) {
    SCOPED_TRACE(t.nome);
    const TabellaCat* r = cat.Tabella(t.nome);
    ASSERT_NE(r, nullptr) << "table not created";
    EXPECT_EQ(r->nome, t.nome);
    ASSERT_EQ(r->colonne.size(), t.colonne.size());
    for (size_t i = 0; i < t.colonne.size(); ++i) {
      EXPECT_EQ(Descrivi(r->colonne[i]), Descrivi(t.colonne[i]));
      EXPECT_EQ(r->colonne[i].obbligatoria, t.colonne[i].obbligatoria) << t.colonne[i].nome;
    }
    EXPECT_EQ(r->chiave, t.chiave);
    std::set<std::vector<std::string>> u1(t.uniche.begin(), t.uniche.end());
    std::set<std::vector<std::string>> u2(r->uniche.begin(), r->uniche.end());
    EXPECT_EQ(u2, u1);
  }
}

TEST(SchemaTest, CreaSuSQLiteUnCatalogoUgualeAllaDescrizione) {
  const auto file = CartellaTemporanea() / "ditta.db";
  std::filesystem::remove(file);
  {
    auto c = dati::ApriSQLite(file.string(), true);
    dati::CreaSchema(*c, dati::SchemaDitta());
    ConfrontaCatalogo(dati::SchemaDitta(), c->LeggiCatalogo());
    // Running it again on an existing database changes nothing.
    dati::CreaSchema(*c, dati::SchemaDitta());
    ConfrontaCatalogo(dati::SchemaDitta(), c->LeggiCatalogo());
    // The tables take rows: a key is refused twice, the line index too.
    c->Esegui("INSERT INTO DdtDett (Anno, NumRif, RigDet, RigLiv) VALUES (2026, 1, 1, 1)");
    c->Esegui("INSERT INTO \"0_RigheDdt\" (NUM_DDT, Annullato) VALUES ('A/1', -1)");
    EXPECT_THROW(c->Esegui("INSERT INTO DdtDett (Anno, NumRif, RigDet, RigLiv) VALUES (2026, 1, 2, 1)"),
                 vb::Errore);
    EXPECT_THROW(c->Esegui("INSERT INTO ddtdett (anno, numrif, rigdet, rigliv) VALUES (2026, 1, 1, 2)"),
                 vb::Errore);
  }
  std::filesystem::remove(file);
}

TEST(SchemaTest, CreaIlDatabaseDelMenuSuSQLite) {
  const auto file = CartellaTemporanea() / "menu.db";
  std::filesystem::remove(file);
  {
    auto c = dati::ApriSQLite(file.string(), true);
    dati::CreaSchema(*c, dati::SchemaMenu());
    ConfrontaCatalogo(dati::SchemaMenu(), c->LeggiCatalogo());
  }
  std::filesystem::remove(file);
}

// The server keeps names in lower case; the catalog gives the tables of
// the schema back with the schema's spelling.
void ConfrontaCatalogoServer(const std::vector<TabellaCat>& attese, const Catalogo& cat) {
  for (const auto& t : attese) {
    SCOPED_TRACE(t.nome);
    const TabellaCat* r = cat.Tabella(t.nome);
    ASSERT_NE(r, nullptr) << "table not created";
    EXPECT_EQ(r->nome, t.nome);
    ASSERT_EQ(r->colonne.size(), t.colonne.size());
    for (size_t i = 0; i < t.colonne.size(); ++i) {
      EXPECT_EQ(Descrivi(r->colonne[i]), Descrivi(t.colonne[i]));
      EXPECT_EQ(r->colonne[i].obbligatoria, t.colonne[i].obbligatoria) << t.colonne[i].nome;
    }
    EXPECT_EQ(r->chiave, t.chiave);
    std::set<std::vector<std::string>> u1(t.uniche.begin(), t.uniche.end());
    std::set<std::vector<std::string>> u2(r->uniche.begin(), r->uniche.end());
    EXPECT_EQ(u2, u1);
  }
}

// Runs only where a test server is given (scripts/pg.sh env), in a schema
// of its own so that other tests' tables do not meet these.
TEST(SchemaTest, CreaSulServerUnCatalogoUgualeAllaDescrizione) {
  const char* connetti = std::getenv("DDT_PG_CONNECT");
  if (!connetti || !*connetti) GTEST_SKIP() << "DDT_PG_CONNECT not set";
  auto c = dati::ApriOdbc(connetti);
  const std::string schema = "schematest_" + std::to_string(::getpid());
  c->Esegui("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
  c->Esegui("CREATE SCHEMA " + schema);
  c->Esegui("SET search_path TO " + schema + ", public");
  c->AzzeraCatalogo();
  try {
    dati::CreaSchema(*c, dati::SchemaDitta());
    ConfrontaCatalogoServer(dati::SchemaDitta(), c->LeggiCatalogo());
    EXPECT_EQ(c->LeggiCatalogo().NomiTabelle().size(), dati::SchemaDitta().size());
    dati::CreaSchema(*c, dati::SchemaDitta());
    ConfrontaCatalogoServer(dati::SchemaDitta(), c->LeggiCatalogo());
    c->Esegui("INSERT INTO ddtdett (anno, numrif, rigdet, rigliv) VALUES (2026, 1, 1, 1)");
    c->Esegui("INSERT INTO \"0_righeddt\" (num_ddt, annullato) VALUES ('A/1', -1)");
    EXPECT_THROW(c->Esegui("INSERT INTO ddtdett (anno, numrif, rigdet, rigliv) VALUES (2026, 1, 2, 1)"),
                 vb::Errore);
  } catch (...) {
    c->Esegui("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    throw;
  }
  c->Esegui("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
}

// ------------------------------------------------------------ the statements

struct Token {
  enum Tipo { Nome, Punto, Virgola, Aperta, Chiusa, Altro } tipo;
  std::string testo;
};

// Tokens of a legacy statement: names (bracketed ones unwrapped), dots,
// commas and parentheses; literals and numbers become Altro.
std::vector<Token> Tokens(const std::string& s) {
  std::vector<Token> v;
  size_t i = 0;
  auto nomeCar = [](unsigned char ch) { return std::isalnum(ch) || ch == '_' || ch >= 0x80; };
  while (i < s.size()) {
    const unsigned char ch = static_cast<unsigned char>(s[i]);
    if (std::isspace(ch)) {
      ++i;
    } else if (ch == '\'' || ch == '"') {
      size_t j = i + 1;
      while (j < s.size()) {
        if (s[j] == static_cast<char>(ch)) {
          if (j + 1 < s.size() && s[j + 1] == static_cast<char>(ch)) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      v.push_back({Token::Altro, "'"});
      i = j + 1;
    } else if (ch == '#') {
      size_t j = s.find('#', i + 1);
      v.push_back({Token::Altro, "#"});
      i = j == std::string::npos ? s.size() : j + 1;
    } else if (ch == '[') {
      size_t j = s.find(']', i + 1);
      if (j == std::string::npos) j = s.size();
      v.push_back({Token::Nome, s.substr(i + 1, j - i - 1)});
      i = j + 1;
    } else if (std::isdigit(ch)) {
      size_t j = i;
      while (j < s.size() && (nomeCar(static_cast<unsigned char>(s[j])) || s[j] == '.')) ++j;
      // "0_RigheDdt" is a name, "12.5" a number.
      std::string t = s.substr(i, j - i);
      bool nome = t.find('_') != std::string::npos || std::any_of(t.begin(), t.end(), [](char c) {
                    return std::isalpha(static_cast<unsigned char>(c));
                  });
      if (nome && t.find('.') == std::string::npos) {
        v.push_back({Token::Nome, t});
      } else {
        v.push_back({Token::Altro, t});
      }
      i = j;
    } else if (nomeCar(ch)) {
      size_t j = i;
      while (j < s.size() && nomeCar(static_cast<unsigned char>(s[j]))) ++j;
      v.push_back({Token::Nome, s.substr(i, j - i)});
      i = j;
    } else {
      Token::Tipo t = ch == '.' ? Token::Punto : ch == ',' ? Token::Virgola : ch == '(' ? Token::Aperta
                                                  : ch == ')' ? Token::Chiusa : Token::Altro;
      v.push_back({t, std::string(1, static_cast<char>(ch))});
      ++i;
    }
  }
  return v;
}

bool ParolaChiave(const std::string& n) {
  static const std::set<std::string> k = {
      "select", "from", "where", "inner", "left", "right", "outer", "join", "on", "and", "or", "not",
      "order", "group", "by", "having", "union", "all", "set", "values", "into", "as", "top", "distinct",
      "update", "delete", "insert", "in", "is", "null", "like", "between", "exists", "asc", "desc"};
  return k.count(Piega(n)) > 0;
}

std::vector<std::string> Istruzioni() {
  const auto percorso = std::filesystem::path(__FILE__).parent_path() / "istruzioni_legacy.sql";
  std::ifstream f(percorso);
  EXPECT_TRUE(f.good()) << percorso;
  std::vector<std::string> v;
  std::string riga, corrente;
  while (std::getline(f, riga)) {
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    if (riga.rfind("--", 0) == 0) continue;
    if (riga == ";;") {
      if (!corrente.empty()) v.push_back(corrente);
      corrente.clear();
      continue;
    }
    corrente += riga + "\n";
  }
  return v;
}

// Every Table.Column the legacy statements write names a column of the
// description; the qualifier is a table or an alias of one ("T AS A",
// "T A"). Qualifiers that resolve to nothing (subquery aliases...) are
// listed, not failed.
TEST(SchemaTest, LeIstruzioniNominanoColonneDellaDescrizione) {
  const std::vector<TabellaCat> tutte = Tutte();
  const auto istruzioni = Istruzioni();
  EXPECT_EQ(istruzioni.size(), 378u);
  std::set<std::string> irrisolti;
  int riferimenti = 0;
  for (const auto& sql : istruzioni) {
    const auto tk = Tokens(sql);
    std::map<std::string, const TabellaCat*> alias;  // folded alias -> table
    for (size_t i = 0; i < tk.size(); ++i) {
      if (tk[i].tipo != Token::Nome) continue;
      const std::string p = Piega(tk[i].testo);
      const bool tabellaSegue = p == "from" || p == "join" || p == "update" || p == "into";
      if (tabellaSegue) {
        size_t j = i + 1;
        while (true) {
          while (j < tk.size() && tk[j].tipo == Token::Aperta) ++j;
          if (j >= tk.size() || tk[j].tipo != Token::Nome || ParolaChiave(tk[j].testo)) break;
          // "DELETE T.* FROM T": the name after FROM; "FROM T" then a dot is a column.
          if (j + 1 < tk.size() && tk[j + 1].tipo == Token::Punto) break;
          const TabellaCat* t = Cerca(tutte, tk[j].testo);
          EXPECT_NE(t, nullptr) << "unknown table " << tk[j].testo << " in: " << sql;
          size_t k = j + 1;
          if (k < tk.size() && tk[k].tipo == Token::Nome && Piega(tk[k].testo) == "as") ++k;
          if (t && k < tk.size() && tk[k].tipo == Token::Nome && !ParolaChiave(tk[k].testo)) {
            alias[Piega(tk[k].testo)] = t;
            ++k;
          }
          // Tables listed with commas after FROM.
          if (p == "from" && k < tk.size() && tk[k].tipo == Token::Virgola) {
            j = k + 1;
            continue;
          }
          break;
        }
      }
    }
    for (size_t i = 0; i + 2 < tk.size(); ++i) {
      if (tk[i].tipo != Token::Nome || tk[i + 1].tipo != Token::Punto) continue;
      if (tk[i + 2].tipo != Token::Nome) continue;  // "T.*"
      const std::string q = tk[i].testo;
      const std::string col = tk[i + 2].testo;
      const TabellaCat* t = Cerca(tutte, q);
      if (!t) {
        auto it = alias.find(Piega(q));
        if (it != alias.end()) t = it->second;
      }
      if (!t) {
        irrisolti.insert(q + "." + col);
        continue;
      }
      ++riferimenti;
      EXPECT_GE(t->Colonna(col), 0) << t->nome << " has no column " << col << " (" << q << "." << col
                                    << ") in: " << sql;
    }
  }
  EXPECT_GT(riferimenti, 1000);
  if (!irrisolti.empty()) {
    std::cout << "[ schema ] qualified references not resolved:";
    for (const auto& r : irrisolti) std::cout << " " << r;
    std::cout << "\n";
  }
}

}  // namespace

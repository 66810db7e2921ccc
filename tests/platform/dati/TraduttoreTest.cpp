#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "platform/Errore.h"
#include "platform/dati/Traduttore.h"
#include "CorpusSql.h"
#include "platform/dati/sql/Albero.h"
#include "support/Errori.h"

using namespace dati;

namespace {

std::string Ripeti(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

}  // namespace

// Statements nested beyond what the engines can take are refused with the
// legacy "query too complex", naming where; they never exhaust the stack.
TEST(Traduttore, NestingBeyondTheLimitIsAQueryTooComplex) {
  Catalogo vuoto;
  const std::string testi[] = {
      "Select * from T where " + Ripeti("(", 5000) + "1 = 1" + Ripeti(")", 5000),
      "Select * from T where " + Ripeti("Not ", 20000) + "A = 1",
      "Select " + Ripeti("-", 20000) + "A from T",
      "Select " + Ripeti("- ", 20000) + "A from T",
      "Select A" + Ripeti(" + A", 20000) + " from T",
      "Select A" + Ripeti(" & A", 20000) + " from T",
      "Select " + Ripeti("Mid(", 5000) + "A" + Ripeti(", 1)", 5000) + " from T",
      "Select * from T where A in " + Ripeti("(select A from T where A in ", 3000) + "(1)" + Ripeti(")", 3000),
      "Select * from " + Ripeti("(", 5000) + "T" + Ripeti(")", 5000),
      "Select * from T" + Ripeti(" inner join T on 1 = 1", 20000),
  };
  for (const std::string& sql : testi) {
    for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
      std::string d;
      EXPECT_EQ(prova::NumeroErrore([&] { Traduci(sql, m, vuoto); }, &d), sql::ErrQueryComplessa) << sql.substr(0, 60);
      EXPECT_NE(d.find("posizione"), std::string::npos) << d;
    }
  }
  // Within the limit a nesting reads and translates.
  EXPECT_NO_THROW(Traduci("Select * from T where " + Ripeti("(", 30) + "1 = 1" + Ripeti(")", 30), TipoMotore::SQLite, vuoto));
  EXPECT_NO_THROW(Traduci("Select * from T where " + Ripeti("Not ", 30) + "A = 1", TipoMotore::SQLite, vuoto));
  // And / Or chains of any length are not nesting.
  EXPECT_NO_THROW(Traduci("Select * from T where A = 0" + Ripeti(" Or A = 1", 20000), TipoMotore::SQLite, vuoto));
  EXPECT_NO_THROW(Traduci("Select * from T where A = 0" + Ripeti(" And B <> 1", 20000), TipoMotore::Server, vuoto));
}

// Numbers the parser cannot take are refused as syntax errors naming the
// position, never as a bare failure of a conversion.
TEST(Traduttore, BadNumbersInTopAndOrderByAre3075) {
  Catalogo vuoto;
  const char* testi[] = {
      "Select Top 99999999999999999999 * from T",
      "Select Top 2147483648 * from T",
      "Select Top 1.5 * from T",
      "Select Top 1e3 * from T",
      "Select Top 101 Percent * from T",
      "Select A from T Order By 99999999999",
      "Select A from T Order By 2",
      "Select A from T Order By 0",
      "Select A from T Order By -1",
      "Select A from T union select B from U Order By 99999999999",
      "Select A from T union select B from U Order By 3",
      "Select Top 2 A from T Order By 99999999999",
  };
  for (const char* sql : testi) {
    for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
      std::string d;
      EXPECT_EQ(prova::NumeroErrore([&] { Traduci(sql, m, vuoto); }, &d), ErrSintassi) << sql;
      EXPECT_NE(d.find("posizione"), std::string::npos) << sql << ": " << d;
    }
  }
  EXPECT_NO_THROW(Traduci("Select Top 2147483647 A from T Order By 1", TipoMotore::SQLite, vuoto));
}

// Left, Right and Asc are functions as well as words of joins and orders.
TEST(Traduttore, LeftRightAndAscAreFunctions) {
  Catalogo vuoto;
  for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
    const std::string s = Traduci("Select Left(A, 2) as L, Right(A, 1), Asc(A) from T left join U on T.A = U.A "
                                  "right join V on V.A = T.A order by Asc(A) asc, Left(A, 1) desc",
                                  m, vuoto).sql;
    EXPECT_NE(s.find("vb_left("), std::string::npos) << s;
    EXPECT_NE(s.find("vb_right("), std::string::npos) << s;
    EXPECT_NE(s.find("vb_asc("), std::string::npos) << s;
    EXPECT_NE(s.find("LEFT JOIN"), std::string::npos) << s;
    EXPECT_NE(s.find("RIGHT JOIN"), std::string::npos) << s;
  }
  EXPECT_EQ(prova::NumeroErrore([&] { Traduci("Select Left from T", TipoMotore::SQLite, vuoto); }), ErrSintassi);
}

TEST(Traduttore, EveryLegacyStatementParses) {
  Catalogo vuoto;
  auto corpus = prova::CorpusSql();
  ASSERT_GT(corpus.size(), 300u);
  int errori = 0;
  for (const auto& r : corpus) {
    if (r.sql.rfind("SET ", 0) == 0) continue;  // sent to the server unchanged
    for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
      try {
        Traduci(r.sql, m, vuoto);
      } catch (const vb::Errore& e) {
        ++errori;
        ADD_FAILURE() << r.etichetta << "\n" << r.sql << "\n-> " << e.Description();
        break;
      }
    }
  }
  EXPECT_EQ(errori, 0);
}

// Statements made of random pieces of the dialect: each is translated or
// refused with a legacy error, never with another failure.
TEST(Traduttore, RandomStatementsAreTranslatedOrRefusedWithALegacyError) {
  Catalogo cat;
  TabellaCat t;
  t.nome = "T";
  t.colonne = {{"A", TipoCampo::Lungo, 0, true, false}, {"B", TipoCampo::Testo, 10, false, false},
               {"D", TipoCampo::Data, 0, false, false}};
  t.chiave = {"A"};
  cat.Aggiungi(t);
  const char* pezzi[] = {"Select", "Top", "2", "Percent", "*", "A", "B", "D", "T", "T.*", "from", "where",
                         "order", "by", "group", "having", "union", "all", "(", ")", ",", "=", "<>", "<",
                         "and", "or", "not", "xor", "-", "+", "&", "Mod", "\\", "/", "^", "in", "is",
                         "null", "like", "'a*'", "#2024-01-02#", "between", "iif(", "Switch(", "Left(",
                         "Right(", "Asc(", "Mid(", "Count(", "Sum(", "Format(", "'0%'", "desc", "asc",
                         "inner", "left", "right", "join", "on", "as", "X", "1.5", "99999999999999999999",
                         "exists", "distinct", "Nz(", "True", "0", "Insert", "into", "values", "Update",
                         "set", "Delete", "Drop", "table", "?", "[A B]", "1e400"};
  std::mt19937 g(20261211);
  int tradotte = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string sql = i % 2 ? "Select " : "";
    const int n = 1 + static_cast<int>(g() % 25);
    for (int k = 0; k < n; ++k) sql += std::string(pezzi[g() % std::size(pezzi)]) + " ";
    for (auto m : {TipoMotore::SQLite, TipoMotore::Server}) {
      try {
        Traduci(sql, m, cat);
        ++tradotte;
      } catch (const vb::Errore&) {
      } catch (const std::exception& e) {
        ADD_FAILURE() << sql << " -> " << e.what();
      }
    }
  }
  EXPECT_GT(tradotte, 0);
}

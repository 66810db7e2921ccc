// The run-time functions on the live server, with the cases of the SQLite
// run time: same calls, same answers.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Numeri.h"
#include "platform/dati/MotoreOdbc.h"
#include "platform/dati/RuntimeServer.h"
#include "platform/dati/ServerDiProva.h"

using namespace dati;
using prova::NumeroErrore;

namespace {

vb::Variant D(int a, int m, int g, int h = 0, int n = 0, int s = 0) { return vb::Date::FromYmdHms(a, m, g, h, n, s); }
vb::Variant C(const char* t) { return vb::Currency::FromText(t); }

std::string Descrivi(const vb::Variant& v) {
  if (v.IsNull()) return "Null";
  if (v.IsEmpty()) return "Empty";
  return "[" + std::to_string(v.VarType()) + "] " + v.ToString();
}

// Same kind of value (text, number, date, flag, Null) and same value;
// numbers of any width compare by value.
::testing::AssertionResult Uguale(const vb::Variant& v, const vb::Variant& atteso) {
  bool ok;
  if (atteso.IsNull()) ok = v.IsNull();
  else if (atteso.IsString()) ok = v.IsString() && *v.StringPtr() == *atteso.StringPtr();
  else if (atteso.IsDate()) ok = v.IsDate() && v.ToDate() == atteso.ToDate();
  else if (atteso.VarType() == vb::vbBoolean) ok = v.VarType() == vb::vbBoolean && v.ToBool() == atteso.ToBool();
  else if (atteso.VarType() == vb::vbCurrency)
    ok = v.IsNumber() && !v.IsNull() && v.ToCurrency() == atteso.ToCurrency();
  else {
    ok = v.IsNumber();
    if (ok) {
      const double a = atteso.ToDouble(), x = v.ToDouble();
      ok = x == a || std::fabs(x - a) <= 1e-12 * std::max(1.0, std::fabs(a));
    }
  }
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << Descrivi(v) << ", expected " << Descrivi(atteso);
}

struct Caso {
  const char* espr;
  vb::Variant atteso;
};

struct CasoErrore {
  const char* espr;
  long numero;
};

class RuntimeServer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT is not set: no PostgreSQL test server";
    db_ = std::make_unique<prova::DatabaseServer>();
    c_ = db_->Apri();
  }
  void TearDown() override {
    c_.reset();
    db_.reset();
  }

  vb::Variant Valore(const std::string& espr, const std::vector<vb::Variant>& par = {}) {
    Risultato r = c_->Interroga("SELECT " + espr, par);
    return r.righe.at(0).at(0);
  }
  void Verifica(const std::vector<Caso>& casi) {
    for (const Caso& k : casi) {
      try {
        EXPECT_TRUE(Uguale(Valore(k.espr), k.atteso)) << k.espr;
      } catch (const vb::Errore& e) {
        ADD_FAILURE() << k.espr << " -> error " << e.Number() << " " << e.Description();
      }
    }
  }
  void VerificaErrori(const std::vector<CasoErrore>& casi) {
    for (const CasoErrore& k : casi) {
      std::string d;
      EXPECT_EQ(NumeroErrore([&] { Valore(k.espr); }, &d), k.numero) << k.espr << " " << d;
    }
  }

  std::unique_ptr<prova::DatabaseServer> db_;
  std::unique_ptr<Connessione> c_;
};

}  // namespace

// The case table of the SQLite engine, with the server's literals: dates
// come back as dates rather than their stored text, and Chr(0), which a
// server text cannot hold, is left out.
TEST_F(RuntimeServer, SameCasesAsTheSQLiteEngine) {
  Verifica({
      {"vb_ucase('perché è')", "PERCHÉ È"},
      {"vb_lcase('ÀB')", "àb"},
      {"vb_ucase(NULL)", vb::Null},
      {"vb_mid('àbcdé', 2, 3)", "bcd"},
      {"vb_mid('àbc', 2)", "bc"},
      {"vb_mid('abc', 5)", ""},
      {"vb_left('àbc', 2)", "àb"},
      {"vb_right('àbc', 1)", "c"},
      {"vb_right('abc', 9)", "abc"},
      {"vb_len('àbc')", 3},
      {"vb_len(12.5)", 4},
      {"vb_len('')", 0},
      {"vb_instr('ABCè', 'È')", 4},
      {"vb_instr(3, 'abcabc', 'B')", 5},
      {"vb_instr('abc', 'z')", 0},
      {"vb_instr('', 'a')", 0},
      {"vb_instr('abc', '')", 1},
      {"vb_instr(NULL, 'a')", vb::Null},
      {"vb_trim('  a b  ')", "a b"},
      {"vb_ltrim('  a  ')", "a  "},
      {"vb_rtrim('  a  ')", "  a"},
      {"vb_trim(chr(9) || 'a')", "\ta"},
      {"vb_replace('aXbxc', 'x', '-')", "a-b-c"},
      {"vb_replace('Èe', 'è', 'x')", "xe"},
      {"vb_val('12.5abc')", 12.5},
      {"vb_val(' 1 2')", 12.0},
      {"vb_val('abc')", 0.0},
      {"vb_val('&H1F')", 31.0},
      {"vb_val(7)", 7},
      {"vb_isnumeric('1.234,5')", -1},
      {"vb_isnumeric('abc')", 0},
      {"vb_isnumeric('')", 0},
      {"vb_isnumeric(NULL)", 0},
      {"vb_isnumeric(3.5)", -1},
      {"vb_cstr(1.5)", "1,5"},
      {"vb_cstr(12)", "12"},
      {"vb_cstr('2024-03-05')", "05/03/2024"},
      {"vb_cstr('2024-03-05 10:20:30')", "05/03/2024 10:20:30"},
      {"vb_cstr('testo')", "testo"},
      {"vb_cint('2,5')", 2},
      {"vb_cint(3.5)", 4},
      {"vb_clng('1.234')", 1234},
      {"vb_clng(-2.5)", -2},
      {"vb_cdbl('1,5')", 1.5},
      {"vb_ccur(1.23456)", 1.2346},
      {"vb_ccur('2,00005')", 2.0},
      {"vb_cdate('05/03/2024')", D(2024, 3, 5)},
      {"vb_cdate('2024-03-05 10:00:00')", D(2024, 3, 5, 10)},
      {"vb_cdate(45356)", D(2024, 3, 5)},
      {"vb_cdate(45356.5)", D(2024, 3, 5, 12)},
      {"vb_nz(NULL)", ""},
      {"vb_nz(NULL::integer, 0)", 0},
      {"vb_nz('a', 'b')", "a"},
      {"vb_year('2024-03-05 10:20:30')", 2024},
      {"vb_month('2024-03-05')", 3},
      {"vb_day('05/03/2024')", 5},
      {"vb_hour('2024-03-05 10:20:30')", 10},
      {"vb_minute('2024-03-05 10:20:30')", 20},
      {"vb_second('2024-03-05 10:20:30')", 30},
      {"vb_weekday('2024-01-07')", 1},
      {"vb_weekday('2024-01-06')", 7},
      {"vb_weekday('2024-01-08', 2)", 1},
      {"vb_year(NULL)", vb::Null},
      {"vb_dateadd('m', 1, '2024-01-31')", D(2024, 2, 29)},
      {"vb_dateadd('yyyy', 1, '2024-02-29')", D(2025, 2, 28)},
      {"vb_dateadd('q', -1, '2024-05-31')", D(2024, 2, 29)},
      {"vb_dateadd('d', 1, '2024-03-05')", D(2024, 3, 6)},
      {"vb_dateadd('ww', 2, '2024-03-05')", D(2024, 3, 19)},
      {"vb_dateadd('h', 2, '2024-03-05 23:00:00')", D(2024, 3, 6, 1)},
      {"vb_dateadd('n', -30, '2024-03-05')", D(2024, 3, 4, 23, 30)},
      {"vb_dateadd('s', 1, '2024-03-05 23:59:59')", D(2024, 3, 6)},
      {"vb_dateadd('D', 1, '2024-03-05')", D(2024, 3, 6)},
      {"vb_datediff('yyyy', '2023-12-31', '2024-01-01')", 1},
      {"vb_datediff('m', '2024-01-31', '2024-02-01')", 1},
      {"vb_datediff('d', '2024-01-01 23:00:00', '2024-01-02 01:00:00')", 1},
      {"vb_datediff('d', '2024-03-05', '2024-03-01')", -4},
      {"vb_datediff('ww', '2024-01-06', '2024-01-07')", 1},
      {"vb_datediff('ww', '2024-01-07', '2024-01-13')", 0},
      {"vb_datediff('w', '2024-01-01', '2024-01-14')", 1},
      {"vb_datediff('h', '2024-01-01 23:59:00', '2024-01-02 00:01:00')", 1},
      {"vb_datediff('n', '2024-03-05 10:00:59', '2024-03-05 10:01:00')", 1},
      {"vb_datediff('s', '2024-03-05', '2024-03-05 00:01:01')", 61},
      {"vb_datediff('q', '2024-03-31', '2024-04-01')", 1},
      {"vb_dateserial(2024, 2, 30)", D(2024, 3, 1)},
      {"vb_dateserial(24, 13, 1)", D(2025, 1, 1)},
      {"vb_dateserial(2024, 3, 0)", D(2024, 2, 29)},
      {"vb_datevalue('05/03/2024 10:00:00')", D(2024, 3, 5)},
      {"vb_chr(65)", "A"},
      {"vb_chr(128)", "€"},
      {"vb_chr(232)", "è"},
      {"vb_asc('A')", 65},
      {"vb_asc('è')", 232},
      {"vb_asc('€uro')", 128},
      {"vb_asc(5)", 53},
      {"vb_space(3)", "   "},
      {"vb_space(0)", ""},
      {"vb_string(3, 'ab')", "aaa"},
      {"vb_string(2, 65)", "AA"},
      {"vb_string(2, 'è')", "èè"},
      {"vb_str(1.5)", " 1.5"},
      {"vb_str(-2)", "-2"},
      {"vb_str(0)", " 0"},
      {"vb_str(-0.25)", "-0.25"},
      {"vb_abs(-3)", 3},
      {"vb_abs(-2.5)", 2.5},
      {"vb_abs('-1,5')", 1.5},
      {"vb_int(-1.5)", -2.0},
      {"vb_int(1.5)", 1.0},
      {"vb_int(7)", 7},
      {"vb_fix(-1.5)", -1.0},
      {"vb_sgn(-3)", -1},
      {"vb_sgn(0)", 0},
      {"vb_sgn(0.1)", 1},
      {"vb_round(2.5)", 2.0},
      {"vb_round(3.5)", 4.0},
      {"vb_round(-2.5)", -2.0},
      {"vb_round(2.675, 2)", 2.68},
      {"vb_round(0.125, 2)", 0.12},
      {"vb_round(1.005, 2)", 1.0},
      {"vb_round(12)", 12},
      {"vb_format(1234.5, '#,##0.00')", "1.234,50"},
      {"vb_format('2024-03-05', 'dd/mm/yyyy')", "05/03/2024"},
      {"vb_format(NULL, '#,##0')", vb::Null},
      {"vb_concat('a', 'b')", "ab"},
      {"vb_concat(NULL, 'a')", "a"},
      {"vb_concat(1.5, 'x')", "1,5x"},
      {"vb_concat('x', NULL)", "x"},
      {"vb_concat(NULL, NULL)", vb::Null},
      {"vb_mod(7.5, 2)", 0},
      {"vb_mod(6.5, 4)", 2},
      {"vb_mod(5.5, 3)", 0},
      {"vb_mod(-7, 3)", -1},
      {"vb_mod(7, -3)", 1},
      {"vb_mod('7,5', 2)", 0},
      {"vb_mod(NULL, 2)", vb::Null},
      {"vb_format(0.5, '0%')", "50%"},
  });
  VerificaErrori({
      {"vb_mod(7, 0.4)", 11},
      {"vb_mod(3e9, 2)", 6},
      {"vb_mid('abc', 0)", 5},
      {"vb_cint('abc')", 13},
      {"vb_cint(40000)", 6},
      {"vb_dateadd('x', 1, '2024-01-01')", 5},
      {"vb_year('non una data')", 13},
      {"vb_chr(300)", 5},
      {"vb_like('a', '[a')", 93},
      {"vb_like('a', '[c-a]')", 93},
  });
  struct CasoLike {
    const char* valore;
    const char* modello;
    int atteso;
  };
  const CasoLike like[] = {
      {"abc", "a*", -1},       {"ABC", "a?c", -1},     {"a1c", "a#c", -1},
      {"abc", "a#c", 0},       {"b", "[a-c]", -1},     {"d", "[a-c]", 0},
      {"d", "[!a-c]", -1},     {"b", "[!a-c]", 0},     {"B", "[a-c]", -1},
      {"50%", "50%", -1},      {"500", "50%", 0},      {"a_b", "a_b", -1},
      {"axb", "a_b", 0},       {"a*b", "a[*]b", -1},   {"aXb", "a[*]b", 0},
      {"a?c", "a[?]c", -1},    {"abc", "a[?]c", 0},    {"a#", "a[#]", -1},
      {"a[", "a[[]", -1},      {"È", "è", -1},         {"è", "e", 0},
      {"perché", "PER*É", -1}, {"abc", "ab", 0},       {"", "*", -1},
      {"x", "", 0},            {"", "", -1},           {"abcabc", "*b*c", -1},
      {"abcabd", "*b*c", 0},   {"x-y", "x[-]y", -1},   {"xay", "x[a-]y", -1},
      {"a", "[]a", -1},        {"aXXbYYc", "a*b*c", -1}, {"Città di Castello", "*DI*", -1},
  };
  for (const auto& k : like)
    EXPECT_TRUE(Uguale(Valore("vb_like(?, ?)", {k.valore, k.modello}), k.atteso))
        << "'" << k.valore << "' like '" << k.modello << "'";
  c_->Esegui("CREATE TABLE r (g integer, n integer, t varchar(5))");
  c_->Esegui("INSERT INTO r VALUES (1, 1, NULL), (1, 2, 'b'), (1, 3, 'c'), (2, 4, 'd'), (2, 5, NULL)");
  Risultato r = c_->Interroga(
      "SELECT g, vb_first(n), vb_last(n), vb_first(t), vb_last(t) FROM "
      "(SELECT * FROM r ORDER BY n) x GROUP BY g ORDER BY g");
  ASSERT_EQ(r.righe.size(), 2u);
  EXPECT_TRUE(Uguale(r.righe[0][1], 1));
  EXPECT_TRUE(Uguale(r.righe[0][2], 3));
  EXPECT_TRUE(r.righe[0][3].IsNull());
  EXPECT_TRUE(Uguale(r.righe[0][4], "c"));
  EXPECT_TRUE(Uguale(r.righe[1][1], 4));
  EXPECT_TRUE(r.righe[1][4].IsNull());
  EXPECT_TRUE(Valore("vb_first(n) FROM r WHERE g = 9").IsNull());
}

TEST_F(RuntimeServer, TextFunctions) {
  Verifica({
      {"vb_ucase('àbc È')", "ÀBC È"},
      {"vb_ucase('straße')", "STRAßE"},
      {"vb_lcase('ÀBC Ÿ')", "àbc ÿ"},
      {"vb_ucase(NULL)", vb::Null},
      {"vb_ucase(12.5::float8)", "12,5"},
      {"vb_mid('abcdef', 2, 3)", "bcd"},
      {"vb_mid('abcdef', 3)", "cdef"},
      {"vb_mid('àèìòù', 2, 2)", "èì"},
      {"vb_mid('abc', 5)", ""},
      {"vb_mid(12345, 2, 2)", "23"},
      {"vb_mid(12.5::numeric(19,4), 2)", "2,5"},
      {"vb_mid('abcdef', 2.5, 1)", "b"},
      {"vb_mid('abcdef', 3.5, 1)", "d"},
      {"vb_mid(NULL, 1)", vb::Null},
      {"vb_mid('abc', NULL)", vb::Null},
      {"vb_left('abcdef', 2)", "ab"},
      {"vb_left('àè', 5)", "àè"},
      {"vb_right('abcdef', 2)", "ef"},
      {"vb_right('ab', 0)", ""},
      {"vb_right('ab', 5)", "ab"},
      {"vb_len('àèì')", 3},
      {"vb_len(12.5::float8)", 4},
      {"vb_len(123)", 3},
      {"vb_len(TIMESTAMP '2026-12-10 00:00:00')", 10},
      {"vb_len(NULL)", vb::Null},
      {"vb_len('')", 0},
      {"vb_instr('ABCÈD', 'è')", 4},
      {"vb_instr('abcabc', 'C')", 3},
      {"vb_instr(4, 'abcabc', 'c')", 6},
      {"vb_instr('abc', '')", 1},
      {"vb_instr('', 'a')", 0},
      {"vb_instr(5, 'abc', '')", 0},
      {"vb_instr(2, 'abc', '')", 2},
      {"vb_instr('abc', 'z')", 0},
      {"vb_instr('e', 'è')", 0},
      {"vb_instr(12345, '3')", 3},
      {"vb_instr(NULL, 'a')", vb::Null},
      {"vb_trim('  a b  ')", "a b"},
      {"vb_ltrim('  a ')", "a "},
      {"vb_rtrim('  a ')", "  a"},
      {"vb_trim(E'\\ta ')", "\ta"},
      {"vb_replace('aXbxc', 'x', '-')", "a-b-c"},
      {"vb_replace('ÈèE', 'è', 'e')", "eeE"},
      {"vb_replace('a.b.c', '.', ',')", "a,b,c"},
      {"vb_replace('abc', '', 'x')", "abc"},
      {R"(vb_replace('a\b', '\', '/'))", "a/b"},
      {R"(vb_replace('a+b', '+', '\1&'))", R"(a\1&b)"},
      {"vb_replace(1.5::float8, ',', '.')", "1.5"},
      {"vb_replace('aaa', 'aa', 'b')", "ba"},
      {"vb_replace('a(b)*', '(B)*', '')", "a"},
      {"vb_space(3)", "   "},
      {"vb_space(0)", ""},
      {"vb_string(3, 'ab')", "aaa"},
      {"vb_string(3, 65)", "AAA"},
      {"vb_string(0, 'x')", ""},
      {"vb_string(2, 'è')", "èè"},
      {"vb_chr(65)", "A"},
      {"vb_chr(65.5)", "B"},
      {"vb_chr(128)", "€"},
      {"vb_chr(150)", "–"},
      {"vb_chr(233)", "é"},
      {"vb_asc('A')", 65},
      {"vb_asc('€uro')", 128},
      {"vb_asc('–')", 150},
      {"vb_asc('é')", 233},
      {"vb_asc('Ω')", 63},
      {"vb_asc(5)", 53},
      {"vb_concat('a', NULL)", "a"},
      {"vb_concat(NULL, NULL)", vb::Null},
      {"vb_concat(NULL, 5)", "5"},
      {"vb_concat(1, 'x')", "1x"},
      {"vb_concat(12.5::float8, 'x')", "12,5x"},
      {"vb_concat(TIMESTAMP '2026-12-10', '')", "10/12/2026"},
      {"vb_concat('2026-12-10', 'x')", "2026-12-10x"},
      {"vb_concat(true, 1)", "Vero1"},
      {"vb_concat(vb_concat('a', 1.5), 2::smallint)", "a1,52"},
      // An error of a branch never taken stays untaken, constants or not.
      {"vb_mid('abc', n) FROM (VALUES (2)) v(n)", "bc"},
      {"CASE WHEN n > 5 THEN vb_mid('abc', 0) ELSE 'ok' END FROM (VALUES (1)) v(n)", "ok"},
      {"CASE WHEN n > 5 THEN vb_cint('x') ELSE 1 END FROM (VALUES (1)) v(n)", 1},
  });
  VerificaErrori({
      {"vb_mid('abc', 0)", 5},
      {"vb_mid('abc', 1, -1)", 5},
      {"vb_left('abc', -1)", 5},
      {"vb_instr(0, 'abc', 'a')", 5},
      {"vb_space(-1)", 5},
      {"vb_string(-1, 'x')", 5},
      {"vb_string(2, '')", 5},
      {"vb_chr(256)", 5},
      {"vb_asc('')", 5},
      {"vb_mid('abc', 1e12)", 6},
  });
}

TEST_F(RuntimeServer, NumbersAndConversions) {
  Verifica({
      {"vb_val('12.5abc')", 12.5},
      {"vb_val('  1 2 3')", 123},
      {"vb_val('&H1F')", 31},
      {"vb_val('&hff')", 255},
      {"vb_val('&O17')", 15},
      {"vb_val('abc')", 0},
      {"vb_val('1e3')", 1000},
      {"vb_val('-.5')", -0.5},
      {"vb_val('1d2')", 100},
      {"vb_val('12,5')", 12},
      {"vb_val('5.')", 5},
      {"vb_val('1e')", 1},
      {"vb_val(12)", 12},
      {"vb_val(NULL)", vb::Null},
      {"vb_isnumeric('1.234,5')", -1},
      {"vb_isnumeric(' -3 ')", -1},
      {"vb_isnumeric('1e5')", -1},
      {"vb_isnumeric('12.5')", 0},
      {"vb_isnumeric('abc')", 0},
      {"vb_isnumeric('')", 0},
      {"vb_isnumeric(5)", -1},
      {"vb_isnumeric(2.5::float8)", -1},
      {"vb_isnumeric(NULL)", 0},
      {"vb_isnumeric(TIMESTAMP '2026-01-01')", 0},
      {"vb_cstr(12.5::float8)", "12,5"},
      {"vb_cstr(0.1::float8 + 0.2::float8)", "0,3"},
      {"vb_cstr(12.3400::numeric(19,4))", "12,34"},
      {"vb_cstr(TIMESTAMP '2026-12-10 00:00:00')", "10/12/2026"},
      {"vb_cstr(TIMESTAMP '2026-12-10 09:05:00')", "10/12/2026 09:05:00"},
      {"vb_cstr(TIMESTAMP '1899-12-30 06:00:00')", "06:00:00"},
      {"vb_cstr('2026-12-10')", "10/12/2026"},
      {"vb_cstr('2026-12-10 09:05:00')", "10/12/2026 09:05:00"},
      {"vb_cstr('2026-02-30')", "2026-02-30"},
      {"vb_cstr('abc')", "abc"},
      {"vb_cstr(true)", "Vero"},
      {"vb_cstr(-3)", "-3"},
      {"vb_cint('2,5')", 2},
      {"vb_cint(3.5::float8)", 4},
      {"vb_cint(-2.5::float8)", -2},
      {"vb_cint('1.234')", 1234},
      {"vb_cint(true)", -1},
      {"vb_cint(' Vero ')", -1},
      {"vb_clng('1.234.567,5')", 1234568},
      {"vb_clng(2.5)", 2},
      {"vb_clng(TIMESTAMP '2026-12-10 18:00')", 46367},
      {"vb_cdbl('1.234,5')", 1234.5},
      {"vb_cdbl('Vero')", -1},
      {"vb_cdbl(TIMESTAMP '1900-01-01')", 2},
      {"vb_cdbl(TIMESTAMP '1899-12-29 06:00')", -1.25},
      {"vb_ccur('1,23456')", C("1,2346")},
      {"vb_ccur('0,00005')", C("0")},
      {"vb_ccur('0,00015')", C("0,0002")},
      {"vb_ccur(2.675::float8)", C("2,675")},
      {"vb_ccur(1.23455::float8)", C("1,2346")},
      {"vb_ccur(7)", C("7")},
      {"vb_cdate('10/12/2026')", D(2026, 12, 10)},
      {"vb_cdate('10/12/26 9.30')", D(2026, 12, 10, 9, 30)},
      {"vb_cdate('10-12-2026 09:30:15')", D(2026, 12, 10, 9, 30, 15)},
      {"vb_cdate('2026-12-10')", D(2026, 12, 10)},
      {"vb_cdate('2026-12-10T08:00:00')", D(2026, 12, 10, 8)},
      {"vb_cdate('10122026')", D(2026, 12, 10)},
      {"vb_cdate('101230')", D(1930, 12, 10)},
      {"vb_cdate('1/2/2026')", D(2026, 2, 1)},
      {"vb_cdate(46366)", D(2026, 12, 10)},
      {"vb_cdate(46366.5::float8)", D(2026, 12, 10, 12)},
      {"vb_cdate(-1.25::float8)", D(1899, 12, 29, 6)},
      {"vb_nz(NULL::text)", ""},
      {"vb_nz('a')", "a"},
      {"vb_nz(NULL::numeric)", ""},
      {"vb_nz(12.5::float8)", "12,5"},
      {"vb_nz(NULL::integer, 0)", 0},
      {"vb_nz(5, 0)", 5},
      {"vb_nz(NULL, 'x')", "x"},
      {"vb_nz('a', 'b')", "a"},
      {"vb_nz(NULL::text, 0)", "0"},
      {"vb_nz(NULL::numeric(19,4), 0)", 0},
      {"vb_nz(NULL::timestamp, TIMESTAMP '2026-01-01')", D(2026, 1, 1)},
      {"vb_str(12.5::float8)", " 12.5"},
      {"vb_str(-0.5::float8)", "-0.5"},
      {"vb_str(-3)", "-3"},
      {"vb_str(0)", " 0"},
      {"vb_str(12.5000::numeric(19,4))", " 12.5"},
      {"vb_str('12,5')", " 12.5"},
      {"vb_abs(-2.5::float8)", 2.5},
      {"vb_abs(-3)", 3},
      {"vb_abs(-1.5000::numeric(19,4))", C("1,5")},
      {"vb_abs('-3,5')", 3.5},
      {"vb_int(-2.5::float8)", -3},
      {"vb_int(2.7)", 2},
      {"vb_int('2,7')", 2},
      {"vb_int(7)", 7},
      {"vb_fix(-2.5::float8)", -2},
      {"vb_fix(-2.5)", -2},
      {"vb_sgn(-0.1::float8)", -1},
      {"vb_sgn(0)", 0},
      {"vb_sgn(7)", 1},
      {"vb_round(2.5::float8)", 2},
      {"vb_round(3.5::float8)", 4},
      {"vb_round(-2.5::float8)", -2},
      {"vb_round(2.675::float8, 2)", 2.68},
      {"vb_round(2.665::float8, 2)", 2.66},
      {"vb_round(1.2345::numeric(19,4), 3)", 1.234},
      {"vb_round(5, 2)", 5},
      {"vb_round(12345.6789::float8, 30)", 12345.6789},
      {"vb_round(NULL::float8, 2)", vb::Null},
  });
  VerificaErrori({
      {"vb_cint(40000)", 6},
      {"vb_cint('abc')", 13},
      {"vb_cdbl('x')", 13},
      {"vb_ccur(1e20::float8)", 6},
      {"vb_cdate('31/02/2026')", 13},
      {"vb_cdate('10/12/2026 25:00')", 13},
      {"vb_cdate(1e9)", 6},
      {"vb_round(1.5::float8, -1)", 5},
  });
  // CStr of doubles: the legacy's fifteen digits and exponent form.
  for (double d : {12.5, 0.1 + 0.2, 1e16, 1e-5, 1e-4, 123456789012345.0, 1e15, -1.5e-7, 1e300, 2.0 / 3,
                   -1234.5678, 999999999999999.4, 9.999999999999999e14, 5e-324, 1.7976931348623157e308,
                   0.000123456789012345678}) {
    EXPECT_TRUE(Uguale(Valore("vb_cstr(?)", {d}), vb::TestoDouble(d))) << d;
  }
}

TEST_F(RuntimeServer, DateFunctions) {
  Verifica({
      {"vb_year(TIMESTAMP '2026-12-10 09:30:15')", 2026},
      {"vb_month(TIMESTAMP '2026-12-10 09:30:15')", 12},
      {"vb_day(TIMESTAMP '2026-12-10 09:30:15')", 10},
      {"vb_hour(TIMESTAMP '2026-12-10 09:30:15')", 9},
      {"vb_minute(TIMESTAMP '2026-12-10 09:30:15')", 30},
      {"vb_second(TIMESTAMP '2026-12-10 09:30:15')", 15},
      {"vb_year('10/12/2026')", 2026},
      {"vb_month('2026-12-10')", 12},
      {"vb_year(46366)", 2026},
      {"vb_year(NULL)", vb::Null},
      {"vb_weekday(TIMESTAMP '2026-12-10')", 5},
      {"vb_weekday(TIMESTAMP '2026-12-13')", 1},
      {"vb_weekday(TIMESTAMP '2026-12-10', 2)", 4},
      {"vb_weekday(TIMESTAMP '2026-12-10', 0)", 4},
      {"vb_dateadd('m', 1, TIMESTAMP '2026-01-31')", D(2026, 2, 28)},
      {"vb_dateadd('yyyy', 1, TIMESTAMP '2024-02-29')", D(2025, 2, 28)},
      {"vb_dateadd('d', -1, '01/03/2026')", D(2026, 2, 28)},
      {"vb_dateadd('h', 25, TIMESTAMP '2026-12-10')", D(2026, 12, 11, 1)},
      {"vb_dateadd('n', -90, TIMESTAMP '2026-12-10 01:00')", D(2026, 12, 9, 23, 30)},
      {"vb_dateadd('s', 30, TIMESTAMP '2026-12-10 01:00')", D(2026, 12, 10, 1, 0, 30)},
      {"vb_dateadd('ww', 2, TIMESTAMP '2026-12-10')", D(2026, 12, 24)},
      {"vb_dateadd('q', 1, TIMESTAMP '2026-11-30 10:00')", D(2027, 2, 28, 10)},
      {"vb_dateadd('D', 1.9, TIMESTAMP '2026-12-10')", D(2026, 12, 11)},
      {"vb_dateadd('y', 1, 46366)", D(2026, 12, 11)},
      {"vb_datediff('d', TIMESTAMP '2026-12-10 23:00', TIMESTAMP '2026-12-11 01:00')", 1},
      {"vb_datediff('yyyy', '31/12/2025', '01/01/2026')", 1},
      {"vb_datediff('m', TIMESTAMP '2026-01-31', TIMESTAMP '2026-02-01')", 1},
      {"vb_datediff('q', TIMESTAMP '2026-03-31', TIMESTAMP '2026-04-01')", 1},
      {"vb_datediff('ww', TIMESTAMP '2026-12-10', TIMESTAMP '2026-12-13')", 1},
      {"vb_datediff('ww', TIMESTAMP '2026-12-13', TIMESTAMP '2026-12-19')", 0},
      {"vb_datediff('w', TIMESTAMP '2026-12-01', TIMESTAMP '2026-12-15')", 2},
      {"vb_datediff('w', TIMESTAMP '2026-12-15', TIMESTAMP '2026-12-01')", -2},
      {"vb_datediff('h', TIMESTAMP '2026-12-10 10:59', TIMESTAMP '2026-12-10 11:01')", 1},
      {"vb_datediff('n', TIMESTAMP '2026-12-10 10:00:59', TIMESTAMP '2026-12-10 10:01:00')", 1},
      {"vb_datediff('s', TIMESTAMP '2026-12-10', TIMESTAMP '2026-12-11')", 86400},
      {"vb_datediff('d', TIMESTAMP '1899-12-29 06:00', TIMESTAMP '1899-12-30')", 1},
      {"vb_datediff('d', '10/12/2026', TIMESTAMP '2026-12-20')", 10},
      {"vb_datediff('D', 46366, '2026-12-11')", 1},
      {"vb_dateserial(2026, 13, 1)", D(2027, 1, 1)},
      {"vb_dateserial(2026, 3, 0)", D(2026, 2, 28)},
      {"vb_dateserial(2026, 0, 1)", D(2025, 12, 1)},
      {"vb_dateserial(2026, 2, 31)", D(2026, 3, 3)},
      {"vb_dateserial(26, 1, 1)", D(2026, 1, 1)},
      {"vb_dateserial(99, 1, 1)", D(1999, 1, 1)},
      {"vb_datevalue('10/12/2026 09:30')", D(2026, 12, 10)},
      {"vb_datevalue(TIMESTAMP '2026-12-10 09:30')", D(2026, 12, 10)},
      {"vb_cdate(vb_dateadd('d', 1, vb_date())) > vb_now()", true},
  });
  VerificaErrori({
      {"vb_dateadd('x', 1, TIMESTAMP '2026-12-10')", 5},
      {"vb_dateadd('yyyy', 8000, TIMESTAMP '2026-01-01')", 5},
      {"vb_datediff('x', TIMESTAMP '2026-12-10', TIMESTAMP '2026-12-10')", 5},
      {"vb_year('abc')", 13},
      {"vb_weekday(TIMESTAMP '2026-12-10', 8)", 5},
  });
  // Date() and Now() read the clock the workstation reads.
  const vb::Variant oggi = Valore("vb_date()");
  const vb::Variant ora = Valore("vb_now()");
  ASSERT_TRUE(oggi.IsDate() && ora.IsDate());
  EXPECT_EQ(oggi.ToDate(), vb::Date::Today());
  EXPECT_LT(std::fabs(ora.ToDate().Serial() - vb::Date::Now().Serial()) * 86400, 5);
  EXPECT_FALSE(oggi.ToDate().HasTime());
}

TEST_F(RuntimeServer, LikeFollowsJetPatterns) {
  Verifica({
      {"vb_like('Abc', 'a*')", -1},
      {"vb_like('abc', 'a?c')", -1},
      {"vb_like('abc', 'a?')", 0},
      {"vb_like('a1c', 'a#c')", -1},
      {"vb_like('abc', 'a#c')", 0},
      {"vb_like('b', '[a-c]')", -1},
      {"vb_like('B', '[a-c]')", -1},
      {"vb_like('d', '[!a-c]')", -1},
      {"vb_like('b', '[!a-c]')", 0},
      {"vb_like('È', 'è')", -1},
      {"vb_like('è', 'e')", 0},
      {"vb_like('Perché', '*CHÉ')", -1},
      {"vb_like('a*b', 'a[*]b')", -1},
      {"vb_like('axb', 'a[*]b')", 0},
      {"vb_like('a?b', 'a[?]b')", -1},
      {"vb_like('ab', 'a[]b')", -1},
      {"vb_like('a!', 'a[!]')", -1},
      {"vb_like('a.b', 'a.b')", -1},
      {"vb_like('axb', 'a.b')", 0},
      {"vb_like('a(b', 'a(b')", -1},
      {"vb_like('x^y$', 'x^y$')", -1},
      {"vb_like('x]', 'x]')", -1},
      {R"(vb_like('a\b', 'a\b'))", -1},
      {R"(vb_like('ab', 'a\b'))", 0},
      {"vb_like('A-B', '[a-z]-[a-z]')", -1},
      {"vb_like('a-', 'a[x-]')", -1},
      {"vb_like('', '*')", -1},
      {"vb_like('', '')", -1},
      {"vb_like('a', '')", 0},
      {"vb_like(E'a\\nb', 'a*b')", -1},
      {"vb_like(123, '1*')", -1},
      {"vb_like(12.5::float8, '12,5')", -1},
      {"vb_like('abc', '**c')", -1},
      {"vb_like(NULL, 'a')", vb::Null},
      {"vb_like('a', NULL)", vb::Null},
  });
  VerificaErrori({{"vb_like('abc', 'a[')", 93}, {"vb_like('abc', '[z-a]')", 93}});
}

TEST_F(RuntimeServer, FormatMatchesTheProgramsMasks) {
  struct Dato {
    const char* sql;
    vb::Variant v;
  };
  const Dato valori[] = {
      {"1234.5::float8", 1234.5},
      {"0::float8", 0.0},
      {"-1234.567::float8", -1234.567},
      {"42", 42},
      {"2.675::float8", 2.675},
      {"-0.004::float8", -0.004},
      {"1234567", 1234567},
      {"12.5000::numeric(19,4)", vb::Currency::FromText("12,5")},
      {"'1.234,5'", "1.234,5"},
      {"'abc'", "abc"},
      {"'  '", "  "},
      {"TIMESTAMP '2026-12-10 09:05:07'", vb::Date::FromYmdHms(2026, 12, 10, 9, 5, 7)},
      {"'10/12/2026'", "10/12/2026"},
      {"'01021234'", "01021234"},
      {"'01-02-1234'", "01-02-1234"},
      {"true", true},
  };
  const char* maschere[] = {"#,###.^^", "#,##0.00", "#,###", "#,##0", "00000", "0.000", "#,##^.^^^",
                            "dd/mm/yyyy", "d/m/yy hh:nn:ss", "conto", "Conto", "Standard", ".00",
                            "0%", "0.00%", "#,##0.0%"};
  const auto& f = vb::FunzioniComuni::Istanza();
  for (const Dato& x : valori)
    for (const char* m : maschere) {
      const std::string espr = std::string("vb_format(") + x.sql + ", '" + m + "')";
      std::string atteso;
      try {
        atteso = f.Formatta(x.v, m);
      } catch (const vb::Errore&) {
        continue;
      }
      try {
        EXPECT_TRUE(Uguale(Valore(espr), atteso)) << espr;
      } catch (const vb::Errore& e) {
        ADD_FAILURE() << espr << " -> error " << e.Number() << " " << e.Description();
      }
    }
  EXPECT_TRUE(Uguale(Valore("vb_format(NULL::float8, '#,###')"), vb::Null));
}

TEST_F(RuntimeServer, FirstAndLastFollowRowOrder) {
  Verifica({
      {"vb_first(x) FROM (VALUES (1, 'a'), (2, NULL), (3, 'c')) v(n, x)", "a"},
      {"vb_last(x) FROM (VALUES (1, 'a'), (2, NULL), (3, 'c')) v(n, x)", "c"},
      {"vb_first(x) FROM (VALUES (1, NULL::integer), (2, 5)) v(n, x)", vb::Null},
      {"vb_last(x) FROM (VALUES (1, 5), (2, NULL::integer)) v(n, x)", vb::Null},
      {"vb_first(n) FROM (VALUES (1.5::numeric(19,4)), (2)) v(n)", C("1,5")},
      {"vb_last(x) FROM (SELECT 1 AS x WHERE false) v", vb::Null},
  });
  Risultato r = c_->Interroga(
      "SELECT g, vb_first(x), vb_last(x) FROM (VALUES (1, 'a', 10), (2, 'b', 20), (1, 'c', 30)) v(g, x, o) "
      "GROUP BY g ORDER BY g");
  ASSERT_EQ(r.righe.size(), 2u);
  EXPECT_TRUE(Uguale(r.righe[0][1], "a"));
  EXPECT_TRUE(Uguale(r.righe[0][2], "c"));
  EXPECT_TRUE(Uguale(r.righe[1][1], "b"));
}

TEST_F(RuntimeServer, FunctionsTakeParametersAndCaseInsensitiveColumns) {
  // Parameters: untyped texts and Nulls, typed numbers and dates.
  EXPECT_TRUE(Uguale(Valore("vb_mid(?, ?, ?)", {"abcdef", 2, 3}), "bcd"));
  EXPECT_TRUE(Uguale(Valore("vb_len(?)", {vb::Null}), vb::Null));
  EXPECT_TRUE(Uguale(Valore("vb_abs(?)", {-2.5}), 2.5));
  EXPECT_TRUE(Uguale(Valore("vb_round(?, 2)", {2.675}), 2.68));
  EXPECT_TRUE(Uguale(Valore("vb_cstr(?)", {vb::Currency::FromText("12,34")}), "12,34"));
  EXPECT_TRUE(Uguale(Valore("vb_year(?)", {vb::Date::FromYmd(2026, 12, 10)}), 2026));
  EXPECT_TRUE(Uguale(Valore("vb_concat(?, ?)", {"a", 5}), "a5"));
  EXPECT_TRUE(Uguale(Valore("vb_like(?, ?)", {"Abc", "a*"}), -1));
  EXPECT_TRUE(Uguale(Valore("vb_nz(?, ?)", {vb::Null, "x"}), "x"));
  EXPECT_TRUE(Uguale(Valore("vb_nz(?, 0)", {5}), 5));
  // An untyped Null meets the text overload, like a Null literal.
  EXPECT_TRUE(Uguale(Valore("vb_nz(?, 0)", {vb::Null}), "0"));
  EXPECT_TRUE(Uguale(Valore("vb_dateadd(?, ?, ?)", {"m", 1, vb::Date::FromYmd(2026, 1, 31)}), D(2026, 2, 28)));
  EXPECT_TRUE(Uguale(Valore("vb_cint(?)", {true}), -1));
  EXPECT_TRUE(Uguale(Valore("vb_isnumeric(?)", {"1,5"}), -1));

  // Columns of the case-insensitive collation go through every function
  // that searches or matches text.
  c_->Esegui("CREATE TABLE t (k varchar(20) COLLATE ci PRIMARY KEY, m text COLLATE ci)");
  c_->Esegui("INSERT INTO t VALUES ('Perché', 'ÈRA'), ('abc', NULL), ('10/12/2026', 'M')");
  Verifica({
      {"vb_instr(k, 'CHÉ') FROM t WHERE k = 'PERCHÉ'", 4},
      {"vb_replace(k, 'É', 'e') FROM t WHERE k = 'perché'", "Perche"},
      {"vb_like(k, 'PER*') FROM t WHERE k = 'perché'", -1},
      {"vb_like(m, k) FROM t WHERE k = 'perché'", 0},
      {"vb_ucase(k) FROM t WHERE k = 'abc'", "ABC"},
      {"vb_concat(k, m) FROM t WHERE k = 'perché'", "PerchéÈRA"},
      {"vb_nz(m, k) FROM t WHERE k = 'ABC'", "abc"},
      {"vb_mid(m, 2) FROM t WHERE k = 'perché'", "RA"},
      {"vb_cstr(k) FROM t WHERE k = 'abc'", "abc"},
      {"count(*) FROM t WHERE vb_ucase(k) = 'perché'", 1},
      {"vb_first(k ORDER BY k) FROM t", "10/12/2026"},
      {"vb_format(k, 'conto') FROM t WHERE k = 'abc'", "AB-C"},
      {"vb_format(k, '#,##0') FROM t WHERE k = 'abc'", "abc"},
      {"vb_val(k) FROM t WHERE k = 'abc'", 0},
      {"vb_asc(k) FROM t WHERE k = 'abc'", 97},
      {"vb_isnumeric(k) FROM t WHERE k = 'abc'", 0},
      {"vb_year(k) FROM t WHERE k = '10/12/2026'", 2026},
      {"vb_cdate(k) FROM t WHERE k = '10/12/2026'", D(2026, 12, 10)},
      {"vb_dateadd(m, 1, TIMESTAMP '2026-01-31') FROM t WHERE k = '10/12/2026'", D(2026, 2, 28)},
      {"vb_datediff(m, k, TIMESTAMP '2027-01-01') FROM t WHERE k = '10/12/2026'", 1},
      {"vb_like(k, '##/##/####') FROM t WHERE k = '10/12/2026'", -1},
      {"vb_str(vb_len(k)) FROM t WHERE k = '10/12/2026'", " 10"},
  });
}

TEST_F(RuntimeServer, InstallationIsIdempotent) {
  // Already there: nothing to do.
  const auto t0 = std::chrono::steady_clock::now();
  InstallaRuntimeServer(*c_);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_LT(ms, 200);
  // An older version in place: everything is replaced over it, inside the
  // caller's own transaction too.
  c_->Esegui("DROP FUNCTION vb__versione()");
  c_->IniziaTransazione();
  InstallaRuntimeServer(*c_);
  EXPECT_EQ(c_->LivelloTransazione(), 1);
  c_->ConfermaTransazione();
  EXPECT_TRUE(Uguale(Valore("vb_mid('abc', 2)"), "bc"));
  // A second connection finds it installed.
  auto altra = db_->Apri();
  EXPECT_TRUE(Uguale(altra->Interroga("SELECT vb_len('àè')").righe[0][0], 2));
  EXPECT_FALSE(IstruzioniRuntimeServer().empty());
}

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/Variant.h"
#include "platform/dati/Motore.h"
#include "platform/dati/MotoreSQLite.h"
#include "support/CartellaTemp.h"

using dati::TipoCampo;
using vb::Variant;

namespace {

long NumeroErrore(const std::function<void()>& f, std::string* descrizione = nullptr) {
  try {
    f();
  } catch (const vb::Errore& e) {
    if (descrizione) *descrizione = e.Description();
    return e.Number();
  }
  return 0;
}

std::string Mostra(const Variant& v) {
  if (v.IsNull()) return "Null";
  if (v.IsEmpty()) return "Empty";
  return "vartype " + std::to_string(v.VarType()) + " '" + v.ToString() + "'";
}

class MotoreSQLite : public ::testing::Test {
 protected:
  prova::CartellaTemp dir{"sqlite"};
  std::string file = dir.Percorso("ditta.db");
  std::unique_ptr<dati::Connessione> db = dati::ApriSQLite(file, true);

  Variant Uno(const std::string& espressione, const std::vector<Variant>& par = {}) {
    dati::Risultato r = db->Interroga("SELECT " + espressione, par);
    EXPECT_EQ(r.righe.size(), 1u);
    return r.righe.at(0).at(0);
  }
  long Conta(const std::string& tabella) {
    return Uno("COUNT(*) FROM " + tabella).ToLong();
  }
};

}  // namespace

// ---------------------------------------------------------------- opening

TEST_F(MotoreSQLite, OpensInWalAndReportsItsKind) {
  EXPECT_EQ(db->Tipo(), dati::TipoMotore::SQLite);
  EXPECT_EQ(Uno("* FROM pragma_journal_mode"), Variant("wal"));
  EXPECT_EQ(Uno("* FROM pragma_synchronous"), Variant(2));  // FULL
  EXPECT_EQ(Uno("* FROM pragma_foreign_keys"), Variant(0));
  EXPECT_EQ(Uno("* FROM pragma_busy_timeout"), Variant(dati::AttesaBloccoMs()));
  EXPECT_TRUE(dati::ImpostaAttesaBloccoMs(*db, 250));
  EXPECT_EQ(Uno("* FROM pragma_busy_timeout"), Variant(250));
}

TEST_F(MotoreSQLite, MissingFileWithoutCreateIs3024AndNamesTheFile) {
  const std::string manca = dir.Percorso("manca.db");
  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { dati::ApriSQLite(manca, false); }, &desc), 3024);
  EXPECT_NE(desc.find(manca), std::string::npos) << desc;
  EXPECT_FALSE(dir.Esiste("manca.db"));
}

TEST_F(MotoreSQLite, TextFileIs3343) {
  dir.Scrivi("note.db", std::string(2000, 'x') + "\nnon sono un database\n");
  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { dati::ApriSQLite(dir.Percorso("note.db"), false); }, &desc), 3343);
  EXPECT_NE(desc.find("note.db"), std::string::npos) << desc;
}

TEST_F(MotoreSQLite, ReopensAnExistingFile) {
  db->Esegui("CREATE TABLE t (a INTEGER)");
  db->Esegui("INSERT INTO t VALUES (7)");
  db.reset();
  auto altra = dati::ApriSQLite(file, false);
  EXPECT_EQ(altra->Interroga("SELECT a FROM t").righe.at(0).at(0), Variant(7));
}

// ---------------------------------------------------------------- values

TEST_F(MotoreSQLite, EveryKindRoundTrips) {
  db->Esegui(
      "CREATE TABLE v (id INTEGER PRIMARY KEY, te VARCHAR(50) COLLATE NOCASE, me TEXT COLLATE "
      "NOCASE, by TINYINT, it SMALLINT, lu INTEGER, do DOUBLE, im CURRENCY, da DATETIME, sn BIT)");
  const std::string conNul("a\0b\0", 4);
  const std::string lungo = std::string(5000, 'z') + "è€" + conNul;
  const vb::Date giorno = vb::Date::FromYmd(2024, 3, 5);
  const vb::Date istante = vb::Date::FromYmdHms(1899, 12, 29, 6, 7, 8);
  const std::vector<TipoCampo> tipi = {TipoCampo::Lungo,  TipoCampo::Testo,   TipoCampo::Memo,
                                       TipoCampo::Byte,   TipoCampo::Intero,  TipoCampo::Lungo,
                                       TipoCampo::Doppio, TipoCampo::Importo, TipoCampo::Data,
                                       TipoCampo::SiNo};
  const std::vector<std::vector<Variant>> righe = {
      {1, "Perché è così? ÀÉÌÒÙ", lungo, uint8_t{255}, int16_t{-32768}, 2147483647, 1.5e-7,
       vb::Currency::FromText("-12,3456"), giorno, true},
      {2, conNul, "", uint8_t{0}, int16_t{32767}, -2147483647 - 1, -0.1,
       vb::Currency::FromText("922337203685,4775"), istante, false},
      {3, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null},
  };
  for (const auto& r : righe)
    EXPECT_EQ(db->Esegui("INSERT INTO v VALUES (?,?,?,?,?,?,?,?,?,?)", r), 1);
  dati::Risultato ris = db->Interroga("SELECT * FROM v ORDER BY id", {}, &tipi);
  ASSERT_EQ(ris.righe.size(), righe.size());
  ASSERT_EQ(ris.colonne.size(), tipi.size());
  EXPECT_EQ(ris.colonne[1].nome, "te");
  EXPECT_EQ(ris.colonne[1].tipo, TipoCampo::Testo);
  for (size_t i = 0; i < righe.size(); ++i)
    for (size_t k = 0; k < tipi.size(); ++k)
      EXPECT_EQ(ris.righe[i][k], righe[i][k])
          << "row " << i << " column " << ris.colonne[k].nome << ": " << Mostra(ris.righe[i][k]);
  EXPECT_EQ(ris.righe[1][1].StringPtr()->size(), 4u);

  // Stored forms the translator and the other engine rely on.
  EXPECT_EQ(Uno("da FROM v WHERE id = 1"), Variant("2024-03-05"));
  EXPECT_EQ(Uno("da FROM v WHERE id = 2"), Variant("1899-12-29 06:07:08"));
  EXPECT_EQ(Uno("sn FROM v WHERE id = 1"), Variant(-1));
  EXPECT_EQ(Uno("typeof(im) FROM v WHERE id = 1"), Variant("real"));
  EXPECT_EQ(Uno("length(CAST(te AS BLOB)) FROM v WHERE id = 2"), Variant(4));
  EXPECT_EQ(Uno("COUNT(*) FROM v WHERE da = ?", {giorno}), Variant(1));
}

TEST_F(MotoreSQLite, NaturalValuesWithoutKinds) {
  dati::Risultato r = db->Interroga(
      "SELECT 7, 3000000000, 2.5, 'testo', x'00ff', NULL, ? AS p, ? AS q, ? AS z",
      {Variant(true), Variant(vb::Currency::FromText("1,25")), Variant()});
  ASSERT_EQ(r.righe.size(), 1u);
  const auto& v = r.righe[0];
  EXPECT_EQ(v[0], Variant(7));
  EXPECT_EQ(v[1], Variant(3000000000.0));
  EXPECT_EQ(v[2], Variant(2.5));
  EXPECT_EQ(v[3], Variant("testo"));
  EXPECT_EQ(v[4], Variant(std::string("\0\xff", 2)));
  EXPECT_TRUE(v[5].IsNull());
  EXPECT_EQ(v[6], Variant(-1));
  EXPECT_EQ(v[7], Variant(1.25));
  EXPECT_TRUE(v[8].IsNull());
  EXPECT_EQ(r.colonne[6].nome, "p");
}

TEST_F(MotoreSQLite, KindsConvertComputedValues) {
  const std::vector<TipoCampo> tipi = {TipoCampo::Data, TipoCampo::Importo, TipoCampo::SiNo,
                                       TipoCampo::Testo, TipoCampo::Intero};
  dati::Risultato r = db->Interroga("SELECT 45356, 0.12345, 2, 12, 2.5", {}, &tipi);
  const auto& v = r.righe.at(0);
  EXPECT_EQ(v[0], Variant(vb::Date::FromYmd(2024, 3, 5)));
  EXPECT_EQ(v[1], Variant(vb::Currency::FromRaw(1234)));  // half to even
  EXPECT_EQ(v[2], Variant(true));
  EXPECT_EQ(v[3], Variant("12"));
  EXPECT_EQ(v[4], Variant(int16_t{2}));
  const std::vector<TipoCampo> intero = {TipoCampo::Intero};
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT 40000", {}, &intero); }), 6);
}

TEST_F(MotoreSQLite, ExecuteCountsTouchedRowsOnly) {
  EXPECT_EQ(db->Esegui("CREATE TABLE t (a INTEGER)"), 0);
  EXPECT_EQ(db->Esegui("INSERT INTO t VALUES (1), (2), (3)"), 3);
  EXPECT_EQ(db->Esegui("CREATE TABLE u (a INTEGER)"), 0);
  EXPECT_EQ(db->Esegui("UPDATE t SET a = a + 1 WHERE a >= ?", {2}), 2);
  EXPECT_EQ(db->Esegui("UPDATE t SET a = 0 WHERE a > 100"), 0);
  EXPECT_EQ(db->Esegui("SELECT * FROM t"), 0);
  EXPECT_EQ(db->Esegui("DELETE FROM t;"), 3);
}

TEST_F(MotoreSQLite, RepeatedStatementsBeyondTheCacheStayCorrect) {
  db->Esegui("CREATE TABLE t (a INTEGER, b VARCHAR(10))");
  for (int giro = 0; giro < 3; ++giro)
    for (int i = 0; i < 100; ++i)
      db->Esegui("INSERT INTO t VALUES (" + std::to_string(i) + ", ?)", {std::to_string(giro)});
  EXPECT_EQ(Conta("t"), 300);
  for (int i = 0; i < 100; i += 7)
    EXPECT_EQ(Uno("COUNT(*) FROM t WHERE a = " + std::to_string(i)), Variant(3));
  // A cached statement survives a change of schema.
  db->Esegui("ALTER TABLE t ADD COLUMN c INTEGER");
  EXPECT_EQ(Uno("COUNT(*) FROM t WHERE a = 0"), Variant(3));
}

// ---------------------------------------------------------------- texts

TEST_F(MotoreSQLite, TextsCompareWithoutCaseAccentsIncluded) {
  db->Esegui("CREATE TABLE c (k VARCHAR(20) COLLATE NOCASE PRIMARY KEY, n INTEGER)");
  db->Esegui("INSERT INTO c VALUES ('Città', 1)");
  db->Esegui("INSERT INTO c VALUES ('e', 2)");
  db->Esegui("INSERT INTO c VALUES ('È', 3)");
  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("INSERT INTO c VALUES ('è', 4)"); }, &desc), 3022);
  EXPECT_NE(desc.find("Chiave duplicata"), std::string::npos) << desc;
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("INSERT INTO c VALUES ('CITTÀ', 5)"); }), 3022);
  EXPECT_EQ(Uno("n FROM c WHERE k = 'CITTÀ'"), Variant(1));
  EXPECT_EQ(Uno("n FROM c WHERE k = ?", {"è"}), Variant(3));
  EXPECT_EQ(Uno("n FROM c WHERE k = 'E'"), Variant(2));

  db->Esegui("INSERT INTO c VALUES ('b', 6), ('A', 7), ('C', 8), ('àz', 9), ('Àa', 10)");
  dati::Risultato r = db->Interroga("SELECT n FROM c ORDER BY k");
  std::vector<long> ordine;
  for (const auto& riga : r.righe) ordine.push_back(riga[0].ToLong());
  // a àa àz b c città e è: letters first without their accents, as the
  // legacy engine sorted them, then the accent between texts equal so far
  EXPECT_EQ(ordine, (std::vector<long>{7, 10, 9, 6, 8, 1, 2, 3}));
  EXPECT_EQ(Uno("COUNT(*) FROM c WHERE k < 'B'"), Variant(3));
}

// A database whose text indexes were built in the earlier order (accented
// letters after "z", as SQLite's own NOCASE has them) is reindexed when
// first opened, so that its keys are found again; once only.
TEST(MotoreSQLiteOrdine, IndexesOfAnEarlierOrderAreRebuiltOnOpening) {
  prova::CartellaTemp dir{"ordine"};
  const std::string file = dir.Percorso("ditta.db");
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &raw), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(raw,
                         "CREATE TABLE c (k VARCHAR(20) COLLATE NOCASE PRIMARY KEY, n INTEGER);"
                         "INSERT INTO c VALUES ('zeta', 1), ('àrea', 2), ('b3x', 3), ('alfa', 4), ('èra', 5), "
                         "('era', 6), ('àbaco', 7), ('azzurro', 8)",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(raw);
  auto db = dati::ApriSQLite(file);
  EXPECT_EQ(db->Interroga("PRAGMA integrity_check").righe.at(0).at(0), Variant("ok"));
  EXPECT_EQ(db->Interroga("PRAGMA user_version").righe.at(0).at(0).ToLong(), 1);
  for (const char* k : {"ÀREA", "àbaco", "Èra", "zeta", "AZZURRO"})
    EXPECT_EQ(db->Interroga("SELECT COUNT(*) FROM c WHERE k = ?", {k}).righe.at(0).at(0).ToLong(), 1) << k;
  dati::Risultato r = db->Interroga("SELECT n FROM c ORDER BY k");
  std::vector<long> ordine;
  for (const auto& riga : r.righe) ordine.push_back(riga[0].ToLong());
  EXPECT_EQ(ordine, (std::vector<long>{7, 4, 2, 8, 3, 6, 5, 1}));
  db.reset();
  // Opened again: nothing more to do.
  auto di_nuovo = dati::ApriSQLite(file);
  EXPECT_EQ(di_nuovo->Interroga("PRAGMA user_version").righe.at(0).at(0).ToLong(), 1);
}

// ---------------------------------------------------------------- functions

struct CasoFunzione {
  const char* espressione;
  Variant atteso;
};

TEST_F(MotoreSQLite, RuntimeFunctions) {
  const CasoFunzione casi[] = {
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
      {"vb_trim(char(9) || 'a')", "\ta"},
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
      {"vb_cdate('05/03/2024')", "2024-03-05"},
      {"vb_cdate('2024-03-05 10:00:00')", "2024-03-05 10:00:00"},
      {"vb_cdate(45356)", "2024-03-05"},
      {"vb_cdate(45356.5)", "2024-03-05 12:00:00"},
      {"vb_nz(NULL)", ""},
      {"vb_nz(NULL, 0)", 0},
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
      {"vb_dateadd('m', 1, '2024-01-31')", "2024-02-29"},
      {"vb_dateadd('yyyy', 1, '2024-02-29')", "2025-02-28"},
      {"vb_dateadd('q', -1, '2024-05-31')", "2024-02-29"},
      {"vb_dateadd('d', 1, '2024-03-05')", "2024-03-06"},
      {"vb_dateadd('ww', 2, '2024-03-05')", "2024-03-19"},
      {"vb_dateadd('h', 2, '2024-03-05 23:00:00')", "2024-03-06 01:00:00"},
      {"vb_dateadd('n', -30, '2024-03-05')", "2024-03-04 23:30:00"},
      {"vb_dateadd('s', 1, '2024-03-05 23:59:59')", "2024-03-06"},
      {"vb_dateadd('D', 1, '2024-03-05')", "2024-03-06"},
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
      {"vb_dateserial(2024, 2, 30)", "2024-03-01"},
      {"vb_dateserial(24, 13, 1)", "2025-01-01"},
      {"vb_dateserial(2024, 3, 0)", "2024-02-29"},
      {"vb_datevalue('05/03/2024 10:00:00')", "2024-03-05"},
      {"vb_chr(65)", "A"},
      {"vb_chr(0)", std::string(1, '\0')},
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
      {"vb_format(0.1234, '0.00%')", "12,34%"},
  };
  for (const auto& c : casi) {
    Variant v;
    std::string desc;
    long err = NumeroErrore([&] { v = Uno(c.espressione); }, &desc);
    EXPECT_EQ(err, 0) << c.espressione << ": " << desc;
    EXPECT_EQ(v, c.atteso) << c.espressione << " gave " << Mostra(v) << ", expected "
                           << Mostra(c.atteso);
  }
}

TEST_F(MotoreSQLite, RuntimeFunctionsKeepNulBytes) {
  EXPECT_EQ(Uno("length(CAST(vb_concat('a', vb_chr(0)) AS BLOB))"), Variant(2));
  EXPECT_EQ(Uno("vb_len(vb_concat(vb_chr(0), 'b'))"), Variant(2));
  EXPECT_EQ(Uno("vb_mid(?, 2)", {std::string("a\0b", 3)}), Variant(std::string("\0b", 2)));
}

TEST_F(MotoreSQLite, DateAndNowAreTheCurrentMoment) {
  const Variant oggi = Uno("vb_date()");
  EXPECT_EQ(oggi, Variant(std::string(Uno("vb_cdate(?)", {vb::Date::Today()}).ToString())));
  const vb::Date ora = Uno("vb_now()").ToDate();
  EXPECT_LT(std::abs(ora.Serial() - vb::Date::Now().Serial()), 10.0 / 86400);
}

TEST_F(MotoreSQLite, JetLikePatterns) {
  struct Caso {
    const char* valore;
    const char* modello;
    int atteso;
  };
  const Caso casi[] = {
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
  for (const auto& c : casi)
    EXPECT_EQ(Uno("vb_like(?, ?)", {c.valore, c.modello}), Variant(c.atteso))
        << "'" << c.valore << "' like '" << c.modello << "'";
  EXPECT_TRUE(Uno("vb_like(NULL, 'a')").IsNull());
  EXPECT_TRUE(Uno("vb_like('a', NULL)").IsNull());
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_like('a', '[a')"); }), 93);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_like('a', '[c-a]')"); }), 93);
}

TEST_F(MotoreSQLite, FunctionErrorsKeepTheLegacyNumber) {
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_mid('abc', 0)"); }), 5);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_cint('abc')"); }), 13);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_cint(40000)"); }), 6);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_dateadd('x', 1, '2024-01-01')"); }), 5);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_year('non una data')"); }), 13);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_chr(300)"); }), 5);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_mod(7, 0.4)"); }), 11);
  EXPECT_EQ(NumeroErrore([&] { Uno("vb_mod(3e9, 2)"); }), 6);
  // The next statement is not affected by the previous failure.
  EXPECT_EQ(Uno("vb_len('abc')"), Variant(3));
  EXPECT_EQ(NumeroErrore([&] { Uno("nessuna_funzione(1)"); }), 3146);
}

TEST_F(MotoreSQLite, FirstAndLastFollowRowOrder) {
  db->Esegui("CREATE TABLE r (g INTEGER, n INTEGER, t VARCHAR(5))");
  db->Esegui(
      "INSERT INTO r VALUES (1, 1, NULL), (1, 2, 'b'), (1, 3, 'c'), (2, 4, 'd'), (2, 5, NULL)");
  dati::Risultato r = db->Interroga(
      "SELECT g, vb_first(n), vb_last(n), vb_first(t), vb_last(t) FROM "
      "(SELECT * FROM r ORDER BY n) GROUP BY g ORDER BY g");
  ASSERT_EQ(r.righe.size(), 2u);
  EXPECT_EQ(r.righe[0][1], Variant(1));
  EXPECT_EQ(r.righe[0][2], Variant(3));
  EXPECT_TRUE(r.righe[0][3].IsNull());
  EXPECT_EQ(r.righe[0][4], Variant("c"));
  EXPECT_EQ(r.righe[1][1], Variant(4));
  EXPECT_TRUE(r.righe[1][4].IsNull());
  EXPECT_TRUE(Uno("vb_first(n) FROM r WHERE g = 9").IsNull());
}

// ---------------------------------------------------------------- errors

TEST_F(MotoreSQLite, EngineErrorsMapToLegacyNumbers) {
  db->Esegui(
      "CREATE TABLE a (k INTEGER PRIMARY KEY, u VARCHAR(5) COLLATE NOCASE UNIQUE, n VARCHAR(5) "
      "NOT NULL)");
  db->Esegui("INSERT INTO a VALUES (1, 'x', 'n')");
  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("INSERT INTO a VALUES (1, 'y', 'n')"); }), 3022);
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("INSERT INTO a VALUES (2, 'X', 'n')"); }, &desc), 3022);
  EXPECT_NE(desc.find("UNIQUE"), std::string::npos) << desc;  // the engine's own text follows
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("INSERT INTO a VALUES (3, 'z', NULL)"); }), 3314);
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT * FROM manca"); }, &desc), 3078);
  EXPECT_NE(desc.find("manca"), std::string::npos) << desc;
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT colonna_assente FROM a"); }), 3061);
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELEC * FROM a"); }), 3075);
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT * FROM a WHERE (k = 1"); }), 3075);
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("CREATE TABLE a (k INTEGER)"); }, &desc), 3146);
  EXPECT_NE(desc.find("already exists"), std::string::npos) << desc;
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT * FROM a WHERE k = ?"); }), 3061);
  EXPECT_EQ(NumeroErrore([&] { db->Interroga("SELECT * FROM a", {1}); }), 3061);
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("DELETE FROM a; DELETE FROM a"); }), 3142);
  EXPECT_EQ(NumeroErrore([&] { db->Esegui("  "); }), 3075);
  EXPECT_EQ(Conta("a"), 1);
}

// ---------------------------------------------------------------- transactions

TEST_F(MotoreSQLite, NestedTransactions) {
  db->Esegui("CREATE TABLE t (a INTEGER)");
  EXPECT_EQ(db->LivelloTransazione(), 0);
  db->IniziaTransazione();
  db->Esegui("INSERT INTO t VALUES (1)");
  db->IniziaTransazione();
  EXPECT_EQ(db->LivelloTransazione(), 2);
  db->Esegui("INSERT INTO t VALUES (2)");
  db->IniziaTransazione();
  db->Esegui("INSERT INTO t VALUES (3)");
  db->ConfermaTransazione();  // 3 joins level 2
  db->AnnullaTransazione();   // 2 and 3 go
  EXPECT_EQ(db->LivelloTransazione(), 1);
  db->IniziaTransazione();
  db->Esegui("INSERT INTO t VALUES (4)");
  db->ConfermaTransazione();
  db->ConfermaTransazione();
  EXPECT_EQ(db->LivelloTransazione(), 0);
  EXPECT_EQ(Uno("group_concat(a) FROM (SELECT a FROM t ORDER BY a)"), Variant("1,4"));

  db->IniziaTransazione();
  db->Esegui("DELETE FROM t");
  db->IniziaTransazione();
  db->AnnullaTransazione();
  db->AnnullaTransazione();
  EXPECT_EQ(Conta("t"), 2);

  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { db->ConfermaTransazione(); }, &desc), 3034);
  EXPECT_EQ(desc, "Commit o rollback senza BeginTrans");
  EXPECT_EQ(NumeroErrore([&] { db->AnnullaTransazione(); }), 3034);
}

TEST_F(MotoreSQLite, AFailedCommitLeavesNothingHalfDone) {
  db->Esegui("CREATE TABLE p (k INTEGER PRIMARY KEY)");
  db->Esegui(
      "CREATE TABLE f (k INTEGER REFERENCES p(k) DEFERRABLE INITIALLY DEFERRED)");
  db->Esegui("PRAGMA foreign_keys=ON");  // only so that COMMIT itself can fail
  db->IniziaTransazione();
  db->Esegui("INSERT INTO f VALUES (1)");
  EXPECT_NE(NumeroErrore([&] { db->ConfermaTransazione(); }), 0);
  EXPECT_EQ(db->LivelloTransazione(), 0);
  EXPECT_EQ(Conta("f"), 0);
  db->IniziaTransazione();  // a fresh one starts cleanly
  db->Esegui("INSERT INTO p VALUES (1)");
  db->Esegui("INSERT INTO f VALUES (1)");
  db->ConfermaTransazione();
  EXPECT_EQ(Conta("f"), 1);
}

TEST_F(MotoreSQLite, AWriterThatWaitsTooLongGets3260) {
  db->Esegui("CREATE TABLE t (a INTEGER)");
  db->Esegui("INSERT INTO t VALUES (1)");
  auto b = dati::ApriSQLite(file, false);
  ASSERT_TRUE(dati::ImpostaAttesaBloccoMs(*b, 200));

  db->IniziaTransazione();
  db->Esegui("INSERT INTO t VALUES (2)");

  // Readers go on while the writer works, and see the last commit.
  EXPECT_EQ(b->Interroga("SELECT COUNT(*) FROM t").righe.at(0).at(0), Variant(1));

  const auto inizio = std::chrono::steady_clock::now();
  std::string desc;
  EXPECT_EQ(NumeroErrore([&] { b->Esegui("INSERT INTO t VALUES (3)"); }, &desc), 3260);
  const auto durata = std::chrono::steady_clock::now() - inizio;
  EXPECT_NE(desc.find("Dati bloccati da un altro utente"), std::string::npos) << desc;
  EXPECT_GE(durata, std::chrono::milliseconds(150));
  EXPECT_LT(durata, std::chrono::milliseconds(3000));

  EXPECT_EQ(NumeroErrore([&] { b->IniziaTransazione(); }), 3260);
  EXPECT_EQ(b->LivelloTransazione(), 0);

  db->ConfermaTransazione();
  b->IniziaTransazione();
  b->Esegui("INSERT INTO t VALUES (3)");
  b->ConfermaTransazione();
  EXPECT_EQ(Conta("t"), 3);
}

TEST(MotoreSQLiteAttesa, GlobalWaitAppliesToNewConnections) {
  prova::CartellaTemp dir{"sqlite"};
  const int prima = dati::AttesaBloccoMs();
  EXPECT_EQ(prima, 10000);
  dati::ImpostaAttesaBloccoMs(321);
  auto c = dati::ApriSQLite(dir.Percorso("a.db"), true);
  dati::ImpostaAttesaBloccoMs(prima);
  EXPECT_EQ(c->Interroga("SELECT * FROM pragma_busy_timeout").righe.at(0).at(0), Variant(321));
}

// ---------------------------------------------------------------- catalog

TEST_F(MotoreSQLite, CatalogReadsDeclaredTypesKeysAndUniqueIndexes) {
  db->Esegui(
      "CREATE TABLE Righe (Ditta VARCHAR(5) COLLATE NOCASE NOT NULL, Numero INTEGER NOT NULL, "
      "Riga SMALLINT NOT NULL, Codice VARCHAR(20) COLLATE NOCASE, Note TEXT COLLATE NOCASE, "
      "Tipo TINYINT, Qta DOUBLE, Prezzo CURRENCY, Data DATETIME, Evasa BIT, "
      "Extra NUMERIC(19,4), Sinonimo BOOLEAN, Vario, "
      "PRIMARY KEY (Ditta, Numero, Riga), UNIQUE (Codice, Data))");
  db->Esegui("CREATE UNIQUE INDEX ix_note ON Righe (Ditta, Note)");
  db->Esegui("CREATE INDEX ix_qta ON Righe (Qta)");
  db->Esegui("CREATE TABLE Contatori (Id INTEGER PRIMARY KEY AUTOINCREMENT, Nome VARCHAR(10))");
  db->Esegui("INSERT INTO Contatori (Nome) VALUES ('x')");  // creates sqlite_sequence

  const dati::Catalogo& cat = db->LeggiCatalogo();
  auto nomi = cat.NomiTabelle();
  std::sort(nomi.begin(), nomi.end());
  EXPECT_EQ(nomi, (std::vector<std::string>{"Contatori", "Righe"}));

  const dati::TabellaCat* t = cat.Tabella("righe");
  ASSERT_NE(t, nullptr);
  struct Atteso {
    const char* nome;
    TipoCampo tipo;
    int lunghezza;
    bool obbligatoria;
  };
  const Atteso attesi[] = {
      {"Ditta", TipoCampo::Testo, 5, true},     {"Numero", TipoCampo::Lungo, 0, true},
      {"Riga", TipoCampo::Intero, 0, true},     {"Codice", TipoCampo::Testo, 20, false},
      {"Note", TipoCampo::Memo, 0, false},      {"Tipo", TipoCampo::Byte, 0, false},
      {"Qta", TipoCampo::Doppio, 0, false},     {"Prezzo", TipoCampo::Importo, 0, false},
      {"Data", TipoCampo::Data, 0, false},      {"Evasa", TipoCampo::SiNo, 0, false},
      {"Extra", TipoCampo::Importo, 0, false},  {"Sinonimo", TipoCampo::SiNo, 0, false},
      {"Vario", TipoCampo::Ignoto, 0, false},
  };
  ASSERT_EQ(t->colonne.size(), std::size(attesi));
  for (size_t i = 0; i < std::size(attesi); ++i) {
    const auto& c = t->colonne[i];
    EXPECT_EQ(c.nome, attesi[i].nome);
    EXPECT_EQ(c.tipo, attesi[i].tipo) << c.nome;
    EXPECT_EQ(c.lunghezza, attesi[i].lunghezza) << c.nome;
    EXPECT_EQ(c.obbligatoria, attesi[i].obbligatoria) << c.nome;
    EXPECT_FALSE(c.autoincremento) << c.nome;
  }
  EXPECT_EQ(t->chiave, (std::vector<std::string>{"Ditta", "Numero", "Riga"}));
  auto uniche = t->uniche;
  std::sort(uniche.begin(), uniche.end());
  EXPECT_EQ(uniche, (std::vector<std::vector<std::string>>{{"Codice", "Data"}, {"Ditta", "Note"}}));
  EXPECT_EQ(t->Colonna("PREZZO"), 7);

  const dati::TabellaCat* k = cat.Tabella("Contatori");
  ASSERT_NE(k, nullptr);
  EXPECT_TRUE(k->colonne.at(0).autoincremento);
  EXPECT_EQ(k->chiave, (std::vector<std::string>{"Id"}));
  EXPECT_TRUE(k->uniche.empty());

  // Held until asked to read again.
  db->Esegui("CREATE TABLE Nuova (a INTEGER)");
  EXPECT_EQ(&db->LeggiCatalogo(), &cat);
  EXPECT_EQ(cat.Tabella("Nuova"), nullptr);
  db->AzzeraCatalogo();
  EXPECT_NE(db->LeggiCatalogo().Tabella("nuova"), nullptr);
}

// ---------------------------------------------------------------- speed

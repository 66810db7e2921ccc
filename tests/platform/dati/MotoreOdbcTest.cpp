#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>

#include "platform/dati/ServerDiProva.h"
#include "platform/Errore.h"
#include "platform/dati/MotoreOdbc.h"
#include "support/CartellaTemp.h"

using namespace dati;
using prova::NumeroErrore;

namespace {

// The table every kind of field of the schema module lives in.
void CreaTabellaTipi(Connessione& c) {
  c.Esegui(
      "CREATE TABLE prova (id integer PRIMARY KEY, testo varchar(50) COLLATE ci, memo text COLLATE ci, "
      "piccolo smallint, intero smallint, lungo integer, doppio double precision, importo numeric(19,4), "
      "data timestamp(0), flag smallint)");
  c.Esegui("COMMENT ON COLUMN prova.piccolo IS 'byte'");
  c.Esegui("COMMENT ON COLUMN prova.flag IS 'sino'");
}

const char* kInserisci = "INSERT INTO prova VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

std::string MemoLungo() {
  std::string s;
  for (int i = 0; i < 700; ++i) s += "è€ß" + std::to_string(i % 10);
  return s;  // 2800 characters, well past any bound buffer
}

}  // namespace

// ---------------------------------------------------------------- connect text

TEST(MotoreOdbc, ConnectTextIsRebuiltWithQuotedValues) {
  EXPECT_EQ(TestoConnessioneOdbc("ODBC;DSN=ditta;UID=mario;PWD=segreta"),
            "DSN=ditta;UID=mario;PWD={segreta};BoolsAsChar=0;Protocol=7.4-2");
  // Without the prefix, a bare data-source name, login and password apart.
  EXPECT_EQ(TestoConnessioneOdbc("ditta", "mario", "p;w}x"),
            "DSN=ditta;UID=mario;PWD={p;w}}x};BoolsAsChar=0;Protocol=7.4-2");
  EXPECT_EQ(TestoConnessioneOdbc("DRIVER={PostgreSQL Unicode};Server=h;Port=5432;Database=d;UID=u;Pwd={a;b}}c}"),
            "DRIVER={PostgreSQL Unicode};SERVER=h;PORT=5432;DATABASE=d;UID=u;PWD={a;b}}c};BoolsAsChar=0;"
            "Protocol=7.4-2");
  // What the text says wins over the values given apart.
  EXPECT_EQ(TestoConnessioneOdbc("ODBC;DSN=x;UID=a;PWD=b", "c", "d"),
            "DSN=x;UID=a;PWD={b};BoolsAsChar=0;Protocol=7.4-2");
  // Driver options given by the caller are kept.
  EXPECT_EQ(TestoConnessioneOdbc("ODBC;DSN=x;Protocol=7.4-0;BoolsAsChar=1"), "DSN=x;Protocol=7.4-0;BoolsAsChar=1");
  EXPECT_EQ(NumeroErrore([] { TestoConnessioneOdbc("ODBC;DSN=x;PWD={aperta"); }), ErrOdbc);
  EXPECT_EQ(NumeroErrore([] { TestoConnessioneOdbc("ODBC;UID=x"); }), ErrOdbc);
}

TEST(MotoreOdbc, PasswordCannotInjectAttributes) {
  // The separator and the braces travel inside the password's own braces:
  // no second UID, no DATABASE for the driver to read.
  const std::string t = TestoConnessioneOdbc("ODBC;DSN=ditta", "mario", "x};UID=postgres;DATABASE=altro;PWD={y");
  EXPECT_EQ(t, "DSN=ditta;UID=mario;PWD={x}};UID=postgres;DATABASE=altro;PWD={y};BoolsAsChar=0;Protocol=7.4-2");
  // A value with a separator in another attribute is braced as well.
  EXPECT_EQ(TestoConnessioneOdbc("ODBC;DSN=ditta;UID={a;DATABASE=b}"),
            "DSN=ditta;UID={a;DATABASE=b};BoolsAsChar=0;Protocol=7.4-2");
}

// ---------------------------------------------------------------- login

TEST(MotoreOdbc, RefusedLoginRaises3059) {
  SALTA_SENZA_SERVER();
  const std::string sbagliata = prova::ConAttributo(prova::ConnessioneServer(), "PWD", "sbagliata");
  std::string d;
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc(sbagliata); }, &d), ErrLoginServer) << d;
  const std::string ignoto = prova::ConAttributo(prova::ConnessioneServer(), "UID", "nessuno");
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc(ignoto); }), ErrLoginServer);
  // No server on that port: a failed call, not a refused login.
  const std::string porta = prova::ConAttributo(prova::ConnessioneServer(), "PORT", "1");
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc(porta); }), ErrOdbc);
}

TEST(MotoreOdbc, PasswordWithSeparatorsLogsInAndCannotInject) {
  SALTA_SENZA_SERVER();
  const std::string ruolo = prova::NomeCasuale("ddt_r_");
  const std::string password = "p;w}d{x=1;UID=ddt";
  auto admin = ApriOdbc(prova::ConnessioneServer());
  admin->Esegui("CREATE ROLE " + ruolo + " LOGIN PASSWORD 'p;w}d{x=1;UID=ddt'");
  struct Elimina {
    Connessione& c;
    std::string r;
    ~Elimina() { c.Esegui("DROP ROLE IF EXISTS " + r); }
  } elimina{*admin, ruolo};
  const std::string senza =
      prova::SenzaAttributo(prova::ConAttributo(prova::ConnessioneServer(), "UID", ruolo), "PWD");
  // The real password, full of separators, given apart and in the text.
  auto c = ApriOdbc(senza, ruolo, password);
  EXPECT_EQ(c->Interroga("SELECT current_user::text").righe.at(0).at(0), vb::Variant(ruolo));
  auto c2 = ApriOdbc(senza + ";PWD={p;w}}d{x=1;UID=ddt}");
  EXPECT_EQ(c2->Interroga("SELECT current_user::text").righe.at(0).at(0), vb::Variant(ruolo));
  // Attempts to smuggle in the login of the known role through the password.
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc(senza, ruolo, "x;UID=ddt;PWD=ddt-test"); }), ErrLoginServer);
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc(senza, ruolo, "x};UID=ddt;PWD={ddt-test"); }), ErrLoginServer);
}

TEST(MotoreOdbc, OpensByDataSourceName) {
  SALTA_SENZA_SERVER();
  // A user data-source file of our own, the way the legacy configuration
  // names the company database.
  prova::CartellaTemp dir("odbc");
  const std::string s = prova::ConnessioneServer();
  dir.Scrivi("odbc.ini", "[ddt_prova]\nDriver = PostgreSQL Unicode\nServername = " +
                             prova::AttributoConnessione(s, "SERVER") + "\nPort = " +
                             prova::AttributoConnessione(s, "PORT") + "\nDatabase = " +
                             prova::AttributoConnessione(s, "DATABASE") + "\n");
  ::setenv("ODBCINI", dir.Percorso("odbc.ini").c_str(), 1);
  const std::string uid = prova::AttributoConnessione(s, "UID"), pwd = prova::AttributoConnessione(s, "PWD");
  auto a = ApriOdbc("ddt_prova", uid, pwd);
  EXPECT_EQ(a->Interroga("SELECT 1").righe.at(0).at(0), vb::Variant(1));
  auto b = ApriOdbc("ODBC;DSN=ddt_prova;UID=" + uid + ";PWD=" + pwd);
  EXPECT_EQ(b->Tipo(), TipoMotore::Server);
  EXPECT_EQ(NumeroErrore([&] { ApriOdbc("ddt_prova", uid, "no"); }), ErrLoginServer);
}

// ---------------------------------------------------------------- values

TEST(MotoreOdbc, EveryKindOfFieldRoundTrips) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri();
  CreaTabellaTipi(*c);
  const std::string testo = "Perché È già così — 10 €";
  const std::string memo = MemoLungo();
  const vb::Currency importo = vb::Currency::FromText("-1234567,8901");
  const vb::Date quando = vb::Date::FromYmdHms(2026, 12, 10, 9, 30, 15);
  const double doppio = 0.1 + 0.2;
  EXPECT_EQ(c->Esegui(kInserisci, {1, testo, memo, uint8_t{200}, int16_t{-12345}, 123456789, doppio, importo,
                                   quando, true}),
            1);
  EXPECT_EQ(c->Esegui(kInserisci, {2, "", vb::Null, uint8_t{0}, int16_t{32767}, -2147483647 - 1, -1e300,
                                   vb::Currency::FromRaw(1), vb::Date::FromYmd(1899, 12, 30), false}),
            1);
  EXPECT_EQ(c->Esegui(kInserisci, {3, vb::Variant(), vb::Null, vb::Null, vb::Null, vb::Null, vb::Null, vb::Null,
                                   vb::Null, vb::Null}),
            1);

  // Natural values: the server's column types decide.
  Risultato r = c->Interroga("SELECT * FROM prova ORDER BY id");
  ASSERT_EQ(r.righe.size(), 3u);
  ASSERT_EQ(r.colonne.size(), 10u);
  EXPECT_EQ(r.colonne[1].nome, "testo");
  const auto& a = r.righe[0];
  EXPECT_EQ(a[0], vb::Variant(1));
  EXPECT_EQ(a[1], vb::Variant(testo));
  EXPECT_EQ(a[2], vb::Variant(memo));
  EXPECT_EQ(a[3], vb::Variant(int16_t{200}));
  EXPECT_EQ(a[4], vb::Variant(int16_t{-12345}));
  EXPECT_EQ(a[5], vb::Variant(123456789));
  EXPECT_EQ(a[6], vb::Variant(doppio));  // to the last bit
  EXPECT_EQ(a[7], vb::Variant(importo));
  EXPECT_EQ(a[8], vb::Variant(quando));
  EXPECT_EQ(a[9], vb::Variant(int16_t{-1}));
  const auto& b = r.righe[1];
  EXPECT_EQ(b[1], vb::Variant(""));
  EXPECT_TRUE(b[2].IsNull());
  EXPECT_EQ(b[5], vb::Variant(-2147483647 - 1));
  EXPECT_EQ(b[6], vb::Variant(-1e300));
  EXPECT_EQ(b[7], vb::Variant(vb::Currency::FromRaw(1)));
  EXPECT_EQ(b[8], vb::Variant(vb::Date::FromSerial(0)));
  for (size_t i = 1; i < 10; ++i) EXPECT_TRUE(r.righe[2][i].IsNull()) << i;

  // With the kinds of the fields: Byte, flags as Boolean, amounts exact.
  const std::vector<TipoCampo> tipi = {TipoCampo::Lungo,  TipoCampo::Testo,   TipoCampo::Memo,
                                       TipoCampo::Byte,   TipoCampo::Intero,  TipoCampo::Lungo,
                                       TipoCampo::Doppio, TipoCampo::Importo, TipoCampo::Data,
                                       TipoCampo::SiNo};
  r = c->Interroga("SELECT * FROM prova WHERE id = ?", {1}, &tipi);
  ASSERT_EQ(r.righe.size(), 1u);
  EXPECT_EQ(r.righe[0][3], vb::Variant(uint8_t{200}));
  EXPECT_EQ(r.righe[0][9], vb::Variant(true));
  EXPECT_EQ(r.righe[0][7], vb::Variant(importo));
  EXPECT_EQ(r.righe[0][8], vb::Variant(quando));
  const std::vector<TipoCampo> flag = {TipoCampo::SiNo};
  EXPECT_EQ(c->Interroga("SELECT flag FROM prova WHERE id = 2", {}, &flag).righe[0][0], vb::Variant(false));

  // Amounts stay exact to the fourth decimal through arithmetic.
  const std::vector<TipoCampo> imp = {TipoCampo::Importo};
  r = c->Interroga("SELECT importo * 3 FROM prova WHERE id = 1", {}, &imp);
  EXPECT_EQ(r.righe[0][0], vb::Variant(vb::Currency::FromText("-3703703,6703")));
  // Dates found by a parameter, with and without time.
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE data = ?", {quando}).righe.size(), 1u);
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE data = ?", {vb::Date::FromSerial(0)}).righe.size(), 1u);
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE importo = ?", {importo}).righe.size(), 1u);
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE doppio = ?", {doppio}).righe.size(), 1u);
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE flag = ?", {true}).righe.size(), 1u);
  EXPECT_EQ(c->Interroga("SELECT id FROM prova WHERE testo = ?", {"PERCHÉ È GIÀ COSÌ — 10 €"}).righe.size(), 1u);
  // Expressions: the natural kinds of their types.
  r = c->Interroga("SELECT 1::int8, 5000000000::int8, 2.5::numeric, true, 'x', DATE '2026-12-10', 1.5::real");
  EXPECT_EQ(r.righe[0][0], vb::Variant(1));
  EXPECT_EQ(r.righe[0][1], vb::Variant(5000000000.0));
  EXPECT_EQ(r.righe[0][2], vb::Variant(2.5));
  EXPECT_EQ(r.righe[0][3], vb::Variant(true));
  EXPECT_EQ(r.righe[0][4], vb::Variant("x"));
  EXPECT_EQ(r.righe[0][5], vb::Variant(vb::Date::FromYmd(2026, 12, 10)));
  EXPECT_EQ(r.righe[0][6], vb::Variant(1.5));
}

TEST(MotoreOdbc, ManyRowsAndLongTextsComeBackWhole) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri(false);
  Risultato r = c->Interroga(
      "SELECT g, repeat('àé', g) AS t, g * 0.5 AS d FROM generate_series(1, 3000) g ORDER BY g");
  ASSERT_EQ(r.righe.size(), 3000u);
  for (size_t i = 0; i < r.righe.size(); i += 137) {
    const int g = static_cast<int>(i) + 1;
    EXPECT_EQ(r.righe[i][0], vb::Variant(g));
    EXPECT_EQ(vb::Len(*r.righe[i][1].StringPtr()), 2 * g);
  }
  EXPECT_EQ(vb::Len(*r.righe.back()[1].StringPtr()), 6000);
  // Characters beyond the basic plane count as one each.
  r = c->Interroga("SELECT ?::text", {"a😀b"});
  EXPECT_EQ(r.righe[0][0], vb::Variant("a😀b"));
  EXPECT_EQ(c->Interroga("SELECT 1 WHERE false").righe.size(), 0u);
}

// ---------------------------------------------------------------- keys and errors

TEST(MotoreOdbc, TextKeysIgnoreCaseButNotAccents) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri();
  c->Esegui("CREATE TABLE clienti (codice varchar(10) COLLATE ci PRIMARY KEY, nome text COLLATE ci)");
  c->Esegui("CREATE UNIQUE INDEX clienti_nome ON clienti (nome)");
  c->Esegui("INSERT INTO clienti VALUES (?, ?)", {"È1", "Àlfa"});
  std::string d;
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("INSERT INTO clienti VALUES (?, ?)", {"è1", "beta"}); }, &d),
            ErrChiaveDuplicata)
      << d;
  EXPECT_NE(d.find("clienti_pkey"), std::string::npos) << d;  // the server's words come along
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("INSERT INTO clienti VALUES ('x', 'ÀLFA')"); }), ErrChiaveDuplicata);
  c->Esegui("INSERT INTO clienti VALUES (?, ?)", {"e1", "alfa2"});  // "è" <> "e"
  EXPECT_EQ(c->Interroga("SELECT nome FROM clienti WHERE codice = ?", {"è1"}).righe.at(0).at(0), vb::Variant("Àlfa"));
  EXPECT_EQ(c->Interroga("SELECT count(*) FROM clienti WHERE nome = 'àlfa'").righe[0][0], vb::Variant(1));
}

TEST(MotoreOdbc, ServerErrorsBecomeLegacyNumbers) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri();
  c->Esegui("CREATE TABLE t (id integer PRIMARY KEY, v varchar(5) NOT NULL)");
  EXPECT_EQ(NumeroErrore([&] { c->Interroga("SELECT * FROM manca"); }), ErrTabellaInesistente);
  EXPECT_EQ(NumeroErrore([&] { c->Interroga("SELECT manca FROM t"); }), ErrParametri);
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("SELEC * FROM t"); }), ErrSintassi);
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("INSERT INTO t (id) VALUES (1)"); }), 3314);
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("INSERT INTO t VALUES (?, ?)", {1}); }), ErrParametri);
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("INSERT INTO t VALUES (?)", {1, "a"}); }), ErrParametri);
  EXPECT_EQ(NumeroErrore([&] { c->Esegui("SELECT 1/0"); }), ErrOdbc);
  // The legacy errors of the run-time functions keep their numbers.
  EXPECT_EQ(NumeroErrore([&] { c->Interroga("SELECT vb_mid('abc', 0)"); }), 5);
  EXPECT_EQ(NumeroErrore([&] { c->Interroga("SELECT vb_cint('abc')"); }), 13);
  EXPECT_EQ(NumeroErrore([&] { c->Interroga("SELECT vb_cint(40000)"); }), 6);
  EXPECT_EQ(NumeroErrore([&] { c->ConfermaTransazione(); }), 3034);
  EXPECT_EQ(NumeroErrore([&] { c->AnnullaTransazione(); }), 3034);
  // "?" inside literals, quoted names and comments is no marker.
  c->Esegui("INSERT INTO t VALUES (?, '?''?') -- ?", {2});
  EXPECT_EQ(c->Interroga("SELECT v AS \"?\" FROM t /* ? */ WHERE id = ?", {2}).righe.at(0).at(0), vb::Variant("?'?"));
  EXPECT_EQ(c->Esegui("UPDATE t SET v = 'x' WHERE id = 99"), 0);
  EXPECT_EQ(c->Esegui("UPDATE t SET v = 'y'"), 1);
}

// ---------------------------------------------------------------- transactions

namespace {

void TransazioniAnnidate(Connessione& c) {
  c.Esegui("CREATE TABLE t (id integer PRIMARY KEY)");
  c.IniziaTransazione();
  EXPECT_EQ(c.LivelloTransazione(), 1);
  c.Esegui("INSERT INTO t VALUES (1)");
  // A failing statement at the outermost level leaves the rest alone.
  EXPECT_EQ(NumeroErrore([&] { c.Esegui("INSERT INTO t VALUES (1)"); }), ErrChiaveDuplicata);
  EXPECT_EQ(NumeroErrore([&] { c.Interroga("SELECT * FROM manca"); }), ErrTabellaInesistente);
  c.IniziaTransazione();
  EXPECT_EQ(c.LivelloTransazione(), 2);
  c.Esegui("INSERT INTO t VALUES (2)");
  EXPECT_EQ(NumeroErrore([&] { c.Esegui("INSERT INTO t VALUES (2)"); }), ErrChiaveDuplicata);
  c.Esegui("INSERT INTO t VALUES (3)");
  c.IniziaTransazione();
  c.Esegui("INSERT INTO t VALUES (4)");
  EXPECT_EQ(NumeroErrore([&] { c.Esegui("INSERT INTO t VALUES (4)"); }), ErrChiaveDuplicata);
  c.AnnullaTransazione();  // 4 goes
  EXPECT_EQ(c.LivelloTransazione(), 2);
  c.ConfermaTransazione();  // 2 and 3 stay with the outer one
  c.IniziaTransazione();
  c.Esegui("INSERT INTO t VALUES (5)");
  c.AnnullaTransazione();
  c.Esegui("INSERT INTO t VALUES (6)");
  EXPECT_EQ(c.LivelloTransazione(), 1);
  c.ConfermaTransazione();
  EXPECT_EQ(c.LivelloTransazione(), 0);
  Risultato r = c.Interroga("SELECT string_agg(id::text, ',' ORDER BY id) FROM t");
  EXPECT_EQ(r.righe.at(0).at(0), vb::Variant("1,2,3,6"));
  // A whole transaction undone.
  c.IniziaTransazione();
  c.Esegui("DELETE FROM t");
  c.AnnullaTransazione();
  EXPECT_EQ(c.Interroga("SELECT count(*) FROM t").righe[0][0], vb::Variant(4));
  // Outside a transaction every statement stands alone.
  EXPECT_EQ(NumeroErrore([&] { c.Esegui("INSERT INTO t VALUES (1)"); }), ErrChiaveDuplicata);
  c.Esegui("INSERT INTO t VALUES (7)");
  EXPECT_EQ(c.Interroga("SELECT count(*) FROM t").righe[0][0], vb::Variant(5));
}

}  // namespace

TEST(MotoreOdbc, NestedTransactionsSurviveFailingStatements) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri(false);
  TransazioniAnnidate(*c);
}

TEST(MotoreOdbc, NestedTransactionsWithOwnStatementSavepoints) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  // The driver told to leave failures alone: the engine wraps each
  // statement in a savepoint of its own.
  auto c = ApriOdbc(db.Connessione() + ";Protocol=7.4-0");
  TransazioniAnnidate(*c);
}

TEST(MotoreOdbc, CommittedWorkIsSeenByOthersOnlyAfterCommit) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto a = db.Apri(false);
  auto b = db.Apri(false);
  a->Esegui("CREATE TABLE t (id integer)");
  a->IniziaTransazione();
  a->Esegui("INSERT INTO t VALUES (1)");
  EXPECT_EQ(b->Interroga("SELECT count(*) FROM t").righe[0][0], vb::Variant(0));
  a->ConfermaTransazione();
  EXPECT_EQ(b->Interroga("SELECT count(*) FROM t").righe[0][0], vb::Variant(1));
}

TEST(MotoreOdbc, WriterWaitingForALockedRowGetsThe3260) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto a = db.Apri(false);
  a->Esegui("CREATE TABLE t (id integer PRIMARY KEY, v integer)");
  a->Esegui("INSERT INTO t VALUES (1, 0)");
  a->IniziaTransazione();
  EXPECT_EQ(a->Esegui("UPDATE t SET v = 1 WHERE id = 1"), 1);
  ImpostaAttesaBloccoServerMs(300);
  auto b = db.Apri(false);
  ImpostaAttesaBloccoServerMs(10000);
  EXPECT_EQ(AttesaBloccoServerMs(), 10000);
  const auto inizio = std::chrono::steady_clock::now();
  std::string d;
  EXPECT_EQ(NumeroErrore([&] { b->Esegui("UPDATE t SET v = 2 WHERE id = 1"); }, &d), ErrBloccato) << d;
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inizio).count();
  EXPECT_GE(ms, 250);
  EXPECT_LT(ms, 5000);
  // Inside a transaction the wait ends the same way and B can go on.
  b->IniziaTransazione();
  EXPECT_EQ(NumeroErrore([&] { b->Esegui("UPDATE t SET v = 2 WHERE id = 1"); }), ErrBloccato);
  EXPECT_EQ(b->Interroga("SELECT count(*) FROM t").righe[0][0], vb::Variant(1));
  b->AnnullaTransazione();
  a->ConfermaTransazione();
  EXPECT_EQ(b->Esegui("UPDATE t SET v = 3 WHERE id = 1"), 1);
}

// ---------------------------------------------------------------- catalog

TEST(MotoreOdbc, CatalogReadsKindsKeysAndUniqueIndexes) {
  SALTA_SENZA_SERVER();
  prova::DatabaseServer db;
  auto c = db.Apri();
  CreaTabellaTipi(*c);
  c->Esegui("CREATE TABLE righe (anno smallint, numero integer, riga integer, codice varchar(20) COLLATE ci NOT NULL, "
            "contatore serial, PRIMARY KEY (anno, numero, riga))");
  c->Esegui("CREATE UNIQUE INDEX righe_codice ON righe (codice, anno)");
  c->Esegui("CREATE UNIQUE INDEX righe_espr ON righe (lower(codice))");
  c->Esegui("CREATE INDEX righe_semplice ON righe (numero)");
  const Catalogo& cat = c->LeggiCatalogo();
  const TabellaCat* t = cat.Tabella("PROVA");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->nome, "prova");
  const std::vector<std::pair<std::string, TipoCampo>> attesi = {
      {"id", TipoCampo::Lungo},       {"testo", TipoCampo::Testo},  {"memo", TipoCampo::Memo},
      {"piccolo", TipoCampo::Byte},   {"intero", TipoCampo::Intero}, {"lungo", TipoCampo::Lungo},
      {"doppio", TipoCampo::Doppio},  {"importo", TipoCampo::Importo}, {"data", TipoCampo::Data},
      {"flag", TipoCampo::SiNo}};
  ASSERT_EQ(t->colonne.size(), attesi.size());
  for (size_t i = 0; i < attesi.size(); ++i) {
    EXPECT_EQ(t->colonne[i].nome, attesi[i].first);
    EXPECT_EQ(t->colonne[i].tipo, attesi[i].second) << attesi[i].first;
  }
  EXPECT_EQ(t->colonne[1].lunghezza, 50);
  EXPECT_EQ(t->colonne[2].lunghezza, 0);
  EXPECT_TRUE(t->colonne[0].obbligatoria);
  EXPECT_FALSE(t->colonne[1].obbligatoria);
  EXPECT_EQ(t->chiave, std::vector<std::string>{"id"});
  EXPECT_TRUE(t->uniche.empty());
  const TabellaCat* r = cat.Tabella("Righe");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->chiave, (std::vector<std::string>{"anno", "numero", "riga"}));
  ASSERT_EQ(r->uniche.size(), 1u);
  EXPECT_EQ(r->uniche[0], (std::vector<std::string>{"codice", "anno"}));
  EXPECT_TRUE(r->colonne[r->Colonna("contatore")].autoincremento);
  EXPECT_TRUE(r->colonne[r->Colonna("codice")].obbligatoria);
  EXPECT_EQ(r->colonne[r->Colonna("codice")].lunghezza, 20);
  // Read once; refreshed on request.
  c->Esegui("CREATE TABLE nuova (x integer)");
  EXPECT_EQ(c->LeggiCatalogo().Tabella("nuova"), nullptr);
  c->AzzeraCatalogo();
  EXPECT_NE(c->LeggiCatalogo().Tabella("nuova"), nullptr);
}

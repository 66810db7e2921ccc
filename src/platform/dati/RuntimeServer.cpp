// The legacy run-time functions on the database server. The translator
// writes the same calls for both engines (vb_mid(x, 2, 3), vb_like(x, 'a*'),
// vb_concat(a, b)...); on SQLite they are C++ callbacks, here they live in
// the database as SQL and PL/pgSQL functions with the same meaning.
//
// The server resolves a call by argument types and converts nothing
// implicitly between text, numbers and dates, while the legacy functions
// take any value: every function therefore comes in one overload per kind
// of value (text, numeric, double, the integers, timestamp, date, boolean),
// the text one holding the logic and the others turning their value into
// the text the legacy CStr would give (Italian decimal comma, dd/mm/yyyy).
// An untyped literal or parameter resolves to the text overload.
//
// Counts and positions take double precision: every number converts to it
// implicitly, and the legacy rounds them half to even anyway.
//
// Texts of "ci" columns carry a nondeterministic collation, which the
// server refuses for substring searches, LIKE and regular expressions:
// inside the functions texts are lower-cased with the ICU collation (so
// "È" and "è" meet) and searched with deterministic ones.
//
// Errors of the legacy run time (5 bad argument, 6 overflow, 13 type
// mismatch, 93 bad pattern) leave with SQLSTATE "VBnnn": the engine turns
// them back into error nnn.
#include "platform/dati/RuntimeServer.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "platform/Errore.h"
#include "platform/Testo.h"

namespace dati {

namespace {

// ---------------------------------------------------------------- kinds

enum class Genere { Testo, Decimale, Doppio, Intero, Data, Giorno, Flag };

struct TipoValore {
  const char* sql;
  Genere genere;
  const char* testo;   // text of $1, as CStr
  const char* numero;  // exact numeric of $1 (Italian text read, 13 otherwise)
  const char* doppio;  // double of $1
  const char* data;    // timestamp of $1 (text read, 13 otherwise)
};

const TipoValore kTipi[] = {
    {"text", Genere::Testo, "$1", "vb__numero($1)", "vb__numero($1)::float8", "vb__datatesto($1)"},
    {"numeric", Genere::Decimale, "replace(trim_scale($1)::text, '.', ',')", "$1", "$1::float8",
     "vb__daseriale($1::float8)"},
    {"double precision", Genere::Doppio, "vb__testodouble($1, ',')", "vb__numdoppio($1)", "$1",
     "vb__daseriale($1)"},
    {"smallint", Genere::Intero, "$1::text", "$1::numeric", "$1::float8", "vb__daseriale($1::float8)"},
    {"integer", Genere::Intero, "$1::text", "$1::numeric", "$1::float8", "vb__daseriale($1::float8)"},
    {"bigint", Genere::Intero, "$1::text", "$1::numeric", "$1::float8", "vb__daseriale($1::float8)"},
    {"timestamp", Genere::Data,
     "CASE WHEN $1::time = '00:00' THEN vb__giorno($1::date) "
     "WHEN $1::date = DATE '1899-12-30' THEN vb__ora($1::time) "
     "ELSE vb__giorno($1::date) || ' ' || vb__ora($1::time) END",
     "vb__numdoppio(vb__seriale($1))", "vb__seriale($1)", "$1"},
    {"date", Genere::Giorno, "vb__giorno($1)", "vb__numdoppio(vb__seriale($1::timestamp))",
     "vb__seriale($1::timestamp)", "$1::timestamp"},
    {"boolean", Genere::Flag, "CASE WHEN $1 THEN 'Vero' WHEN NOT $1 THEN 'Falso' END",
     "(CASE WHEN $1 THEN -1 WHEN NOT $1 THEN 0 END)::numeric",
     "(CASE WHEN $1 THEN -1 WHEN NOT $1 THEN 0 END)::float8",
     "vb__daseriale(CASE WHEN $1 THEN -1 WHEN NOT $1 THEN 0 END)"},
};

bool Numerico(Genere g) { return g == Genere::Decimale || g == Genere::Doppio || g == Genere::Intero; }

// "$1" of an expression moved to argument `n`.
std::string Arg(std::string e, int n) {
  if (n == 1) return e;
  const std::string da = "$1", a = "$" + std::to_string(n);
  for (size_t p = e.find(da); p != std::string::npos; p = e.find(da, p + a.size())) e.replace(p, da.size(), a);
  return e;
}

std::string Testo(const TipoValore& t, int n = 1) { return Arg(t.testo, n); }

// ---------------------------------------------------------------- writing

struct Script {
  std::vector<std::string> istr;

  // One SQL function, IMMUTABLE unless told otherwise. Not STRICT: the
  // planner then inlines it into the calling statement (bodies give Null
  // for Null by themselves). An error raised in the body gets a row as its
  // context argument: a row is never a constant, so the planner does not
  // raise the error while folding constants in a branch never taken.
  void Sql(const std::string& firma, const std::string& ritorno, std::string corpo,
           const char* volatilita = "IMMUTABLE") {
    const std::string e = "vb__errore(";
    for (size_t p = corpo.find(e); p != std::string::npos; p = corpo.find(e, p + 1)) {
      const size_t f = corpo.find(')', p);
      corpo.insert(f, ", ROW($1)");
    }
    istr.push_back("CREATE OR REPLACE FUNCTION " + firma + " RETURNS " + ritorno + " LANGUAGE sql " +
                   volatilita + " PARALLEL SAFE AS $$ SELECT " + corpo + " $$");
  }
  void PlPgSql(const std::string& firma, const std::string& ritorno, const std::string& corpo,
               bool stretta = true) {
    istr.push_back("CREATE OR REPLACE FUNCTION " + firma + " RETURNS " + ritorno +
                   " LANGUAGE plpgsql IMMUTABLE" + (stretta ? " STRICT" : "") + " PARALLEL SAFE AS $$\n" +
                   corpo + "\n$$");
  }
  void Diretta(std::string s) { istr.push_back(std::move(s)); }
};

// Windows-1252 of bytes 0x80..0x9F, the code page Chr and Asc worked on.
const char32_t kAlti1252[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021,
                                0x2C6,  0x2030, 0x160,  0x2039, 0x152,  0x8D,   0x17D,  0x8F,
                                0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

std::string Tabella1252() {
  std::u32string s(kAlti1252, kAlti1252 + 32);
  return vb::DaCodici(s);
}

void Base(Script& s) {
  s.Diretta(
      "CREATE COLLATION IF NOT EXISTS ci (provider = icu, locale = 'und-u-ks-level2', deterministic = false)");

  // Raising a legacy error. VOLATILE: the planner must not run it while
  // folding constants in a branch that is never taken.
  std::string casi;
  for (long n : {5L, 6L, 11L, 13L, 94L}) casi += " WHEN " + std::to_string(n) + " THEN '" + vb::DescrizioneErrore(n) + "'";
  casi += " WHEN 93 THEN 'Stringa di modello non valida'";
  const std::string corpoErrore =
      " PARALLEL SAFE AS $$\nBEGIN\n  RAISE EXCEPTION USING ERRCODE = 'VB' || lpad(numero::text, 3, '0'),\n"
      "    MESSAGE = CASE numero" + casi + " ELSE 'Errore ' || numero END;\nEND\n$$";
  s.istr.push_back("CREATE OR REPLACE FUNCTION vb__errore(numero integer) RETURNS text LANGUAGE plpgsql VOLATILE" +
                   corpoErrore);
  s.istr.push_back("CREATE OR REPLACE FUNCTION vb__errore(numero integer, contesto anyelement) RETURNS text "
                   "LANGUAGE plpgsql IMMUTABLE" + corpoErrore);

  // Numbers in text. Italian: comma decimals, points grouping thousands in
  // threes ("1.234,5"; "12.5" is no Italian number), an optional exponent.
  s.Sql("vb__numit(s text)", "numeric",
        "CASE WHEN $1 COLLATE \"C\" ~ '^[ \\t]*[+-]?[ \\t]*(([0-9]{1,3}(\\.[0-9]{3})+|[0-9]+)(,[0-9]*)?|,[0-9]+)"
        "([eE][+-]?[0-9]+)?[ \\t]*$' "
        "THEN replace(replace(translate($1 COLLATE \"C\", E' \\t', ''), '.', ''), ',', '.')::numeric END");
  // The decimal point, no grouping ("12.5").
  s.Sql("vb__numpunto(s text)", "numeric",
        "CASE WHEN $1 COLLATE \"C\" ~ '^[ \\t]*[+-]?[ \\t]*([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?[ \\t]*$' "
        "THEN translate($1 COLLATE \"C\", E' \\t', '')::numeric END");
  // CDbl of a text: Italian number or the words of a flag; 13 otherwise.
  s.Sql("vb__numero(s text)", "numeric",
        "CASE WHEN $1 IS NULL THEN NULL::numeric ELSE coalesce(vb__numit($1), CASE lower(btrim($1 COLLATE \"C\", ' ')) "
        "WHEN 'vero' THEN -1 WHEN 'true' THEN -1 WHEN 'falso' THEN 0 WHEN 'false' THEN 0 "
        "ELSE vb__errore(13)::numeric END) END");
  // The decimal a Double shows (2.675 is 2.675), for exact rounding.
  s.Sql("vb__numdoppio(x double precision)", "numeric",
        "CASE WHEN $1 = 'NaN'::float8 OR $1 IN ('Infinity'::float8, '-Infinity'::float8) "
        "THEN vb__errore(6)::numeric ELSE $1::text::numeric END");
  // Whole number as CLng converts it: halves to even, 6 beyond 32 bits.
  s.Sql("vb__lng(x double precision)", "integer",
        "CASE WHEN $1 IS NULL THEN NULL::integer WHEN round($1) BETWEEN -2147483648 AND 2147483647 "
        "THEN round($1)::integer ELSE vb__errore(6)::integer END");
  // Halves to even at `d` decimals, on the exact decimal.
  const std::string scalato = "($1 * 10::numeric ^ $2)";
  s.Sql("vb__pari(x numeric, d integer)", "numeric",
        "round(CASE WHEN abs(" + scalato + " - trunc(" + scalato + ")) = 0.5 AND mod(trunc(" + scalato +
            "), 2) = 0 THEN trunc(" + scalato + ") ELSE round(" + scalato + ") END / 10::numeric ^ $2, "
            "greatest($2, 0))");
  s.Sql("vb__intero(x numeric, minimo bigint, massimo bigint)", "bigint",
        "CASE WHEN $1 IS NULL THEN NULL::bigint WHEN vb__pari($1, 0) BETWEEN $2 AND $3 "
        "THEN vb__pari($1, 0)::bigint ELSE vb__errore(6)::bigint END");
  s.Sql("vb__interodoppio(x double precision, minimo bigint, massimo bigint)", "bigint",
        "CASE WHEN $1 IS NULL THEN NULL::bigint WHEN round($1) BETWEEN $2 AND $3 "
        "THEN round($1)::bigint ELSE vb__errore(6)::bigint END");
  // CCur: four decimals, halves to even, within the Currency range.
  s.Sql("vb__valuta(x numeric)", "numeric",
        "CASE WHEN $1 IS NULL THEN NULL::numeric WHEN abs(vb__pari($1, 4)) <= 922337203685477.5807 "
        "THEN vb__pari($1, 4) ELSE vb__errore(6)::numeric END");

  // Dates as the legacy serial: days from 30/12/1899, the time as a
  // fraction that adds to the day also before that origin (-1,25 is
  // 29/12/1899 06:00).
  s.Sql("vb__seriale(d timestamp)", "double precision",
        "($1::date - DATE '1899-12-30')::float8 + CASE WHEN $1 < TIMESTAMP '1899-12-30' THEN -1 ELSE 1 END * "
        "extract(epoch FROM $1::time)::float8 / 86400");
  s.PlPgSql("vb__daseriale(v double precision)", "timestamp", R"(
DECLARE g double precision; sec double precision;
BEGIN
  IF NOT (v >= -657434 AND v < 2958466) THEN PERFORM vb__errore(6); END IF;
  g := trunc(v);
  sec := floor(abs(v - g) * 86400 + 0.5);
  IF sec >= 86400 THEN
    sec := 0;
    g := g + CASE WHEN v < 0 THEN -1 ELSE 1 END;
  END IF;
  RETURN (DATE '1899-12-30' + g::integer)::timestamp + make_interval(secs => sec);
END)");
  // Date in a text: the stored form ("2026-12-10 09:30:00", also with "T"),
  // or what the legacy read: d/m/y with "/", "-" or "." (two-digit years
  // 00-29 in the 2000s), ddmmyy, ddmmyyyy, yyyy-mm-dd, then an optional
  // time hh:nn[:ss]. Null when it is no date; nothing is guessed.
  s.PlPgSql("vb__data(s text)", "timestamp", R"(
DECLARE
  t text COLLATE "C" := btrim(s COLLATE "C", E' \t');
  dp text COLLATE "C"; op text COLLATE "C" := ''; p integer; a text[]; o text[];
  g integer; m integer; y integer; ly integer; h integer := 0; mi integer := 0; se integer := 0;
BEGIN
  IF t ~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}$' THEN
    t := overlay(t PLACING ' ' FROM 11 FOR 1);
  END IF;
  p := strpos(t, ' ');
  IF p > 0 THEN
    dp := left(t, p - 1);
    op := ltrim(substr(t, p + 1), ' ');
  ELSE
    dp := t;
  END IF;
  IF dp ~ '^[0-9]{1,9}[/.-][0-9]{1,9}[/.-][0-9]{1,9}$' THEN
    a := regexp_split_to_array(dp, '[/.-]');
    IF length(a[1]) = 4 THEN
      y := a[1]::integer; ly := 4; m := a[2]::integer; g := a[3]::integer;
    ELSE
      g := a[1]::integer; m := a[2]::integer; y := a[3]::integer; ly := length(a[3]);
    END IF;
  ELSIF dp ~ '^[0-9]{8}$' THEN
    g := left(dp, 2)::integer; m := substr(dp, 3, 2)::integer; y := substr(dp, 5)::integer; ly := 4;
  ELSIF dp ~ '^[0-9]{6}$' THEN
    g := left(dp, 2)::integer; m := substr(dp, 3, 2)::integer; y := substr(dp, 5)::integer; ly := 2;
  ELSE
    RETURN NULL;
  END IF;
  IF ly <= 2 THEN
    y := y + CASE WHEN y < 30 THEN 2000 ELSE 1900 END;
  ELSIF ly NOT IN (3, 4) THEN
    RETURN NULL;
  END IF;
  IF y < 100 OR y > 9999 OR m < 1 OR m > 12 OR g < 1 THEN RETURN NULL; END IF;
  IF g > extract(day FROM make_date(y, m, 1) + interval '1 month' - interval '1 day') THEN RETURN NULL; END IF;
  IF op <> '' THEN
    IF op !~ '^[0-9]{1,9}[:.][0-9]{1,9}([:.][0-9]{1,9})?$' THEN RETURN NULL; END IF;
    o := regexp_split_to_array(op, '[:.]');
    h := o[1]::integer; mi := o[2]::integer; se := coalesce(o[3]::integer, 0);
    IF h > 23 OR mi > 59 OR se > 59 THEN RETURN NULL; END IF;
  END IF;
  RETURN make_timestamp(y, m, g, h, mi, se);
END)");
  s.Sql("vb__datatesto(s text)", "timestamp",
        "CASE WHEN $1 IS NULL THEN NULL::timestamp ELSE coalesce(vb__data($1), vb__errore(13)::timestamp) END");

  // CStr of a Double: fifteen significant digits, decimal comma, the
  // exponent form from 1E+15 up and below 0,0001 ("1E-05"), as printf %G.
  s.PlPgSql("vb__testodouble(x double precision, sep text)", "text", R"(
DECLARE
  a text COLLATE "C"; intero text COLLATE "C"; frazione text COLLATE "C"; cifre text COLLATE "C";
  t text COLLATE "C"; p integer; e integer;
BEGIN
  IF x = 0 THEN RETURN '0'; END IF;
  IF x = 'NaN'::float8 THEN RETURN 'NaN'; END IF;
  IF x = 'Infinity'::float8 THEN RETURN 'Inf'; END IF;
  IF x = '-Infinity'::float8 THEN RETURN '-Inf'; END IF;
  -- The cast rounds to fifteen significant digits; the exponent comes
  -- from the digits themselves, exact where log() is not.
  a := trim_scale(abs(x::numeric))::text;
  p := strpos(a, '.');
  IF p = 0 THEN intero := a; frazione := ''; ELSE intero := left(a, p - 1); frazione := substr(a, p + 1); END IF;
  IF intero <> '0' THEN
    e := length(intero) - 1;
    cifre := intero || frazione;
  ELSE
    cifre := ltrim(frazione, '0');
    e := -(length(frazione) - length(cifre) + 1);
  END IF;
  cifre := rtrim(cifre, '0');
  IF e < -4 OR e >= 15 THEN
    t := left(cifre, 1) || CASE WHEN length(cifre) > 1 THEN '.' || substr(cifre, 2) ELSE '' END || 'E' ||
         CASE WHEN e < 0 THEN '-' ELSE '+' END || CASE WHEN abs(e) < 10 THEN '0' ELSE '' END || abs(e)::text;
  ELSE
    t := a;
  END IF;
  RETURN CASE WHEN x < 0 THEN '-' ELSE '' END || replace(t, '.', sep COLLATE "C");
END)");

  // dd/mm/yyyy and hh:nn:ss without to_char, which is only STABLE and
  // would keep every function using it from being inlined.
  s.Sql("vb__giorno(d date)", "text",
        "lpad(extract(day FROM $1)::integer::text, 2, '0') || '/' || lpad(extract(month FROM $1)::integer::text, 2, '0') "
        "|| '/' || lpad(extract(year FROM $1)::integer::text, 4, '0')");
  s.Sql("vb__ora(t time)", "text",
        "lpad(extract(hour FROM $1)::integer::text, 2, '0') || ':' || lpad(extract(minute FROM $1)::integer::text, 2, '0') "
        "|| ':' || lpad(floor(extract(second FROM $1))::integer::text, 2, '0')");
  for (const TipoValore& t : kTipi)
    s.Sql(std::string("vb__testo(x ") + t.sql + ")", "text", t.testo);
}

// Functions whose value argument is a text: the logic on text, then one
// overload per other kind of value handing over its text.
void Testi(Script& s) {
  s.Sql("vb_ucase(x text)", "text",
        "replace(upper(replace($1 COLLATE \"C\", 'ß', chr(1)) COLLATE \"und-x-icu\"), chr(1), 'ß')");
  s.Sql("vb_lcase(x text)", "text", "lower($1 COLLATE \"und-x-icu\")");
  s.Sql("vb_mid(x text, inizio double precision)", "text",
        "CASE WHEN $1 IS NULL THEN NULL WHEN vb__lng($2) < 1 THEN vb__errore(5) ELSE substr($1, vb__lng($2)) END");
  s.Sql("vb_mid(x text, inizio double precision, quanti double precision)", "text",
        "CASE WHEN $1 IS NULL THEN NULL WHEN vb__lng($2) < 1 OR vb__lng($3) < 0 THEN vb__errore(5) "
        "ELSE substr($1, vb__lng($2), vb__lng($3)) END");
  s.Sql("vb_left(x text, quanti double precision)", "text",
        "CASE WHEN $1 IS NULL THEN NULL WHEN vb__lng($2) < 0 THEN vb__errore(5) ELSE left($1, vb__lng($2)) END");
  s.Sql("vb_right(x text, quanti double precision)", "text",
        "CASE WHEN $1 IS NULL THEN NULL WHEN vb__lng($2) < 0 THEN vb__errore(5) WHEN vb__lng($2) = 0 THEN '' "
        "ELSE right($1, vb__lng($2)) END");
  s.Sql("vb_len(x text)", "integer", "char_length($1)");
  s.PlPgSql("vb_instr(inizio double precision, x text, cerca text)", "integer", R"(
DECLARE i integer := vb__lng(inizio); p integer;
BEGIN
  IF i < 1 THEN PERFORM vb__errore(5); END IF;
  IF length(x) = 0 OR i > length(x) THEN RETURN 0; END IF;
  IF length(cerca) = 0 THEN RETURN i; END IF;
  p := strpos(substr(lower(x COLLATE "und-x-icu"), i), lower(cerca COLLATE "und-x-icu"));
  RETURN CASE WHEN p = 0 THEN 0 ELSE p + i - 1 END;
END)");
  s.Sql("vb_instr(x text, cerca text)", "integer", "vb_instr(1::float8, $1, $2)");
  s.Sql("vb_trim(x text)", "text", "btrim($1, ' ')");
  s.Sql("vb_ltrim(x text)", "text", "ltrim($1, ' ')");
  s.Sql("vb_rtrim(x text)", "text", "rtrim($1, ' ')");
  // Every occurrence, letter case ignored: a literal pattern ("***=").
  s.Sql("vb_replace(x text, cerca text, con text)", "text",
        "CASE WHEN length($2) = 0 THEN $1 ELSE regexp_replace($1 COLLATE \"und-x-icu\", '***=' || $2, "
        "replace($3 COLLATE \"und-x-icu\", '\\', '\\\\'), 'gi') END");
  // Val: blanks ignored anywhere, the leading number with a decimal point
  // ("&H"/"&O" hexadecimal and octal), 0 when there is none.
  s.PlPgSql("vb__val(x text)", "double precision", R"(
DECLARE
  t text COLLATE "C" := translate(x COLLATE "C", E' \t\n\r', ''); m text COLLATE "C"; e text COLLATE "C";
  v bigint := 0; b integer; k integer; c text COLLATE "C"; d integer;
BEGIN
  IF length(t) >= 2 AND substr(t, 1, 1) = '&' AND upper(substr(t, 2, 1)) IN ('H', 'O') THEN
    b := CASE WHEN upper(substr(t, 2, 1)) = 'H' THEN 16 ELSE 8 END;
    FOR k IN 3 .. length(t) LOOP
      c := upper(substr(t, k, 1));
      d := strpos('0123456789ABCDEF', c) - 1;
      EXIT WHEN d < 0 OR d >= b;
      v := v * b + d;
      EXIT WHEN v > 4294967295;
    END LOOP;
    RETURN v;
  END IF;
  m := substring(t FROM '^([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+))');
  IF m IS NULL THEN RETURN 0; END IF;
  e := substring(substr(t, length(m) + 1) FROM '^[eEdD][+-]?[0-9]+');
  IF e IS NOT NULL THEN m := m || 'e' || substr(e, 2); END IF;
  RETURN m::numeric::float8;
END)");
  const std::string t1252 = Tabella1252();
  s.PlPgSql("vb_asc(x text)", "integer", R"(
DECLARE c text COLLATE "C"; k integer; p integer;
BEGIN
  IF length(x) = 0 THEN PERFORM vb__errore(5); END IF;
  c := left(x COLLATE "C", 1);
  k := ascii(c);
  IF k < 128 OR (k >= 160 AND k <= 255) THEN RETURN k; END IF;
  p := strpos(')" + t1252 + R"(', c);
  RETURN CASE WHEN p > 0 THEN 127 + p ELSE 63 END;
END)");
  // Chr(0) would be a NUL, which the server's texts cannot hold: a text
  // built with it is refused rather than stored without it.
  s.PlPgSql("vb_chr(n double precision)", "text", R"(
DECLARE k integer := vb__lng(n);
BEGIN
  IF k < 0 OR k > 255 THEN PERFORM vb__errore(5); END IF;
  IF k = 0 THEN
    RAISE EXCEPTION USING ERRCODE = '22021',
      MESSAGE = 'Il testo contiene il carattere nullo (Chr(0)), che il database server non può memorizzare';
  END IF;
  IF k >= 128 AND k < 160 THEN RETURN substr(')" + t1252 + R"(', k - 127, 1); END IF;
  RETURN chr(k);
END)");
  s.Sql("vb_space(n double precision)", "text",
        "CASE WHEN vb__lng($1) < 0 THEN vb__errore(5) ELSE repeat(' ', vb__lng($1)) END");
  s.Sql("vb__stringa(n double precision, c text)", "text",
        "CASE WHEN $1 IS NULL OR $2 IS NULL THEN NULL WHEN vb__lng($1) < 0 OR length($2) = 0 THEN vb__errore(5) "
        "ELSE repeat(left($2, 1), vb__lng($1)) END");
  // Str: decimal point, a blank where the sign of a positive number goes.
  s.Sql("vb__str(x double precision)", "text",
        "CASE WHEN $1 < 0 THEN vb__testodouble($1, '.') ELSE ' ' || vb__testodouble($1, '.') END");

  // Like: the Jet pattern (* ? # [a-z] [!a-z]) becomes an anchored regular
  // expression over folded text; with a constant pattern the planner
  // translates it once.
  s.Sql("vb__re_car(c text)", "text",
        "CASE WHEN $1 ~ '^[A-Za-z0-9]$' OR ascii($1) > 127 THEN $1::text "
        "ELSE '\\u' || lpad(to_hex(ascii($1)), 4, '0') END");
  s.PlPgSql("vb__like_re(p text)", "text", R"(
DECLARE
  s text COLLATE "C" := lower(p COLLATE "und-x-icu");
  n integer := length(s); i integer := 1; k integer; fine integer;
  c text COLLATE "C"; a text COLLATE "C"; b text COLLATE "C"; cls text COLLATE "C";
  r text COLLATE "C" := '^'; stella boolean := false;
BEGIN
  WHILE i <= n LOOP
    c := substr(s, i, 1);
    IF c = '*' THEN
      IF NOT stella THEN r := r || '.*'; END IF;
      stella := true;
      i := i + 1;
      CONTINUE;
    END IF;
    stella := false;
    IF c = '?' THEN
      r := r || '.';
    ELSIF c = '#' THEN
      r := r || '[0-9]';
    ELSIF c = '[' THEN
      fine := strpos(substr(s, i + 1), ']');
      IF fine = 0 THEN PERFORM vb__errore(93); END IF;
      fine := i + fine;
      IF fine = i + 1 THEN  -- "[]" stands for nothing at all
        i := fine + 1;
        CONTINUE;
      END IF;
      k := i + 1;
      cls := '';
      IF substr(s, k, 1) = '!' AND fine > k + 1 THEN
        cls := '^';
        k := k + 1;
      END IF;
      WHILE k < fine LOOP
        a := substr(s, k, 1);
        IF k + 2 < fine AND substr(s, k + 1, 1) = '-' THEN
          b := substr(s, k + 2, 1);
          IF ascii(b) < ascii(a) THEN PERFORM vb__errore(93); END IF;
          cls := cls || vb__re_car(a) || '-' || vb__re_car(b);
          k := k + 3;
        ELSE
          cls := cls || vb__re_car(a);
          k := k + 1;
        END IF;
      END LOOP;
      r := r || '[' || cls || ']';
      i := fine;
    ELSE
      r := r || vb__re_car(c);
    END IF;
    i := i + 1;
  END LOOP;
  RETURN r || '$';
END)");
  s.Sql("vb_like(x text, schema text)", "integer",
        "-((lower($1 COLLATE \"und-x-icu\") COLLATE \"C\" ~ vb__like_re($2))::integer)");

  // The legacy "&": a Null side counts as empty, Null & Null is Null.
  s.Sql("vb_concat(a text, b text)", "text",
        "CASE WHEN $1 IS NULL AND $2 IS NULL THEN NULL ELSE coalesce($1, '') || coalesce($2, '') END");

  for (const TipoValore& t : kTipi) {
    const std::string T = t.sql;
    if (t.genere == Genere::Testo) continue;
    const std::string x = Testo(t);
    s.Sql("vb_ucase(x " + T + ")", "text", "vb_ucase(" + x + ")");
    s.Sql("vb_lcase(x " + T + ")", "text", "vb_lcase(" + x + ")");
    s.Sql("vb_mid(x " + T + ", inizio double precision)", "text", "vb_mid(" + x + ", $2)");
    s.Sql("vb_mid(x " + T + ", inizio double precision, quanti double precision)", "text",
          "vb_mid(" + x + ", $2, $3)");
    s.Sql("vb_left(x " + T + ", quanti double precision)", "text", "vb_left(" + x + ", $2)");
    s.Sql("vb_right(x " + T + ", quanti double precision)", "text", "vb_right(" + x + ", $2)");
    s.Sql("vb_len(x " + T + ")", "integer", "vb_len(" + x + ")");
    s.Sql("vb_instr(x " + T + ", cerca text)", "integer", "vb_instr(" + x + ", $2)");
    s.Sql("vb_instr(inizio double precision, x " + T + ", cerca text)", "integer",
          "vb_instr($1, " + Testo(t, 2) + ", $3)");
    s.Sql("vb_trim(x " + T + ")", "text", "vb_trim(" + x + ")");
    s.Sql("vb_ltrim(x " + T + ")", "text", "vb_ltrim(" + x + ")");
    s.Sql("vb_rtrim(x " + T + ")", "text", "vb_rtrim(" + x + ")");
    s.Sql("vb_replace(x " + T + ", cerca text, con text)", "text", "vb_replace(" + x + ", $2, $3)");
    s.Sql("vb_asc(x " + T + ")", "integer", "vb_asc(" + x + ")");
    s.Sql("vb_like(x " + T + ", schema text)", "integer", "vb_like(" + x + ", $2)");
  }
  for (const TipoValore& a : kTipi)
    for (const TipoValore& b : kTipi) {
      if (a.genere == Genere::Testo && b.genere == Genere::Testo) continue;
      s.Sql(std::string("vb_concat(a ") + a.sql + ", b " + b.sql + ")", "text",
            "vb_concat(" + Testo(a) + ", " + Testo(b, 2) + ")");
    }
}

// Conversions, numbers and the Nz of every kind of value.
void Valori(Script& s) {
  for (const TipoValore& t : kTipi) {
    const std::string T = t.sql;
    const std::string x = std::string("x ") + T;
    // CStr: a text holding exactly a stored date reads as that date.
    if (t.genere == Genere::Testo)
      s.Sql("vb_cstr(x text)", "text",
            "CASE WHEN $1 COLLATE \"C\" ~ '^[0-9]{4}-[0-9]{2}-[0-9]{2}([ T][0-9]{2}:[0-9]{2}:[0-9]{2})?$' "
            "THEN coalesce(vb__testo(vb__data($1)), $1) ELSE $1 END");
    else
      s.Sql("vb_cstr(" + x + ")", "text", t.testo);

    // Val reads a text; a number is taken as it is.
    if (t.genere == Genere::Testo) s.Sql("vb_val(x text)", "double precision", "vb__val($1)");
    else if (t.genere == Genere::Data || t.genere == Genere::Giorno)
      s.Sql("vb_val(" + x + ")", "double precision", "vb__val(" + Testo(t) + ")");
    else s.Sql("vb_val(" + x + ")", "double precision", t.doppio);

    // IsNumeric: -1 / 0, Null included.
    std::string isn;
    if (t.genere == Genere::Testo)
      isn = "CASE WHEN abs(vb__numit($1)) <= 1.7976931348623157e308 THEN -1 ELSE 0 END";
    else if (t.genere == Genere::Data || t.genere == Genere::Giorno) isn = "0";
    else isn = "CASE WHEN $1 IS NULL THEN 0 ELSE -1 END";
    s.Sql("vb_isnumeric(" + x + ")", "integer", isn);

    const std::string intero = t.genere == Genere::Doppio ? "vb__interodoppio($1" : std::string("vb__intero(") + t.numero;
    s.Sql("vb_cint(" + x + ")", "smallint", intero + ", -32768, 32767)::smallint");
    s.Sql("vb_clng(" + x + ")", "integer", intero + ", -2147483648, 2147483647)::integer");
    s.Sql("vb_cdbl(" + x + ")", "double precision", t.doppio);
    s.Sql("vb_ccur(" + x + ")", "numeric", std::string("vb__valuta(") + t.numero + ")");
    s.Sql("vb_cdate(" + x + ")", "timestamp", t.data);

    // Nz without a second value: the text, "" for Null.
    s.Sql("vb_nz(" + x + ")", "text", "coalesce(" + Testo(t) + ", '')");
    // Nz of a text and a value of another kind (or the reverse) is a text.
    s.Sql("vb_nz(a text, b " + T + ")", "text", "coalesce($1, " + Testo(t, 2) + ")");
    if (t.genere != Genere::Testo) s.Sql("vb_nz(a " + T + ", b text)", "text", "coalesce(" + Testo(t) + ", $2)");

    // Str, Abs, Int, Fix, Sgn, Round.
    std::string str, abs, intp, fix, sgn, round1, round2;
    const std::string dbl = t.doppio;
    switch (t.genere) {
      case Genere::Intero:
        str = "CASE WHEN $1 < 0 THEN $1::text ELSE ' ' || $1::text END";
        abs = "abs($1)";
        intp = fix = "$1";
        sgn = "sign($1)::integer";
        round2 = "CASE WHEN vb__lng($2) < 0 THEN vb__errore(5)::" + T + " ELSE $1 END";
        break;
      case Genere::Decimale:
        str = "vb__str($1::float8)";
        abs = "abs($1)";
        intp = "floor($1)";
        fix = "trunc($1)";
        sgn = "sign($1)::integer";
        round2 = "CASE WHEN vb__lng($2) < 0 THEN vb__errore(5)::numeric ELSE vb__pari($1, vb__lng($2)) END";
        break;
      case Genere::Data:
      case Genere::Giorno:
        str = Testo(t);
        [[fallthrough]];
      default:
        if (str.empty()) str = t.genere == Genere::Flag ? "CASE WHEN $1 THEN 'True' ELSE 'False' END" : "vb__str(" + dbl + ")";
        abs = "abs(" + dbl + ")";
        intp = "floor(" + dbl + ")";
        fix = "trunc(" + dbl + ")";
        sgn = "sign(" + dbl + ")::integer";
        round2 = "CASE WHEN vb__lng($2) < 0 THEN vb__errore(5)::float8 "
                 "WHEN vb__lng($2) > 22 OR " + dbl + " IN ('NaN'::float8, 'Infinity'::float8, '-Infinity'::float8) THEN " + dbl +
                 " ELSE vb__pari(" + dbl + "::text::numeric, vb__lng($2))::float8 END";
        break;
    }
    const std::string rit = t.genere == Genere::Intero || t.genere == Genere::Decimale ? T : "double precision";
    s.Sql("vb_str(" + x + ")", "text", str);
    s.Sql("vb_abs(" + x + ")", rit, abs);
    s.Sql("vb_int(" + x + ")", rit, intp);
    s.Sql("vb_fix(" + x + ")", rit, fix);
    s.Sql("vb_sgn(" + x + ")", "integer", sgn);
    s.Sql("vb_round(" + x + ", decimali double precision)", rit, round2);
    s.Sql("vb_round(" + x + ")", rit, "vb_round($1, 0::float8)");

    // String(n, c): a number is a character code.
    if (Numerico(t.genere)) s.Sql("vb_string(n double precision, " + x + ")", "text", "vb__stringa($1, vb_chr(" + Arg(dbl, 2) + "))");
    else s.Sql("vb_string(n double precision, " + x + ")", "text", "vb__stringa($1, " + Testo(t, 2) + ")");
  }
  // Mod rounds both sides to whole numbers first (halves to even); the
  // remainder takes the sign of the dividend.
  s.Sql("vb_mod(a double precision, b double precision)", "integer",
        "CASE WHEN $1 IS NULL OR $2 IS NULL THEN NULL::integer WHEN vb__lng($2) = 0 THEN vb__errore(11)::integer "
        "ELSE mod(vb__lng($1), vb__lng($2)) END");
  s.Sql("vb_mod(a text, b double precision)", "integer", "vb_mod(vb__numero($1)::float8, $2)");
  s.Sql("vb_mod(a double precision, b text)", "integer", "vb_mod($1, vb__numero($2)::float8)");
  s.Sql("vb_mod(a text, b text)", "integer", "vb_mod(vb__numero($1)::float8, vb__numero($2)::float8)");
  // "/" gives a Double; "\\" rounds both sides as Mod does and truncates.
  // Both raise 11 on a zero divisor, as the legacy engine did.
  s.Sql("vb_div(a double precision, b double precision)", "double precision",
        "CASE WHEN $1 IS NULL OR $2 IS NULL THEN NULL::float8 WHEN $2 = 0 THEN vb__errore(11)::float8 "
        "ELSE $1 / $2 END");
  s.Sql("vb_intdiv(a double precision, b double precision)", "integer",
        "CASE WHEN $1 IS NULL OR $2 IS NULL THEN NULL::integer WHEN vb__lng($2) = 0 THEN vb__errore(11)::integer "
        "ELSE vb__intero(vb__lng($1)::bigint / vb__lng($2), -2147483648, 2147483647)::integer END");
  for (const char* f : {"vb_div", "vb_intdiv"}) {
    const std::string r = std::string(f) == "vb_div" ? "double precision" : "integer";
    s.Sql(std::string(f) + "(a text, b double precision)", r, std::string(f) + "(vb__numero($1)::float8, $2)");
    s.Sql(std::string(f) + "(a double precision, b text)", r, std::string(f) + "($1, vb__numero($2)::float8)");
    s.Sql(std::string(f) + "(a text, b text)", r, std::string(f) + "(vb__numero($1)::float8, vb__numero($2)::float8)");
  }
  // Nz with a second value of the same kind (or one the server can meet).
  s.Sql("vb_nz(a anycompatible, b anycompatible)", "anycompatible", "coalesce($1, $2)");
}

// Dates: parts, arithmetic, DateSerial, Date() and Now().
void Calendario(Script& s) {
  s.Sql("vb_date()", "timestamp", "date_trunc('day', statement_timestamp()::timestamp)", "STABLE");
  s.Sql("vb_now()", "timestamp", "date_trunc('second', statement_timestamp()::timestamp)", "STABLE");
  // Weekday(d[, first]): 1 = Sunday by default; 0 is the system's first
  // day, Monday with Italian settings.
  s.PlPgSql("vb__weekday(d timestamp, primo double precision)", "integer", R"(
DECLARE p integer := vb__lng(primo);
BEGIN
  IF p < 0 OR p > 7 THEN PERFORM vb__errore(5); END IF;
  IF p = 0 THEN p := 2; END IF;
  RETURN ((extract(dow FROM d)::integer + 1) - p + 7) % 7 + 1;
END)");
  // DateAdd: the count truncated; months keep the day, clipped to the end
  // of the month.
  s.PlPgSql("vb__dateadd(intervallo text, n double precision, d timestamp)", "timestamp", R"(
DECLARE i text COLLATE "C" := lower(btrim(intervallo COLLATE "C", ' ')); k bigint := trunc(n); r timestamp;
BEGIN
  CASE i
    WHEN 'yyyy' THEN r := d + make_interval(months => (12 * k)::integer);
    WHEN 'q' THEN r := d + make_interval(months => (3 * k)::integer);
    WHEN 'm' THEN r := d + make_interval(months => k::integer);
    WHEN 'd', 'y', 'w' THEN r := d + make_interval(days => k::integer);
    WHEN 'ww' THEN r := d + make_interval(days => (7 * k)::integer);
    WHEN 'h' THEN r := d + make_interval(hours => k::integer);
    WHEN 'n' THEN r := d + make_interval(mins => k::integer);
    WHEN 's' THEN r := d + make_interval(secs => k);
    ELSE PERFORM vb__errore(5);
  END CASE;
  IF extract(year FROM r) < 100 OR extract(year FROM r) > 9999 THEN PERFORM vb__errore(5); END IF;
  RETURN r;
END)");
  // DateDiff counts the boundaries crossed: years, quarters, months, days,
  // Sundays ("ww"), whole weeks ("w"), hours, minutes, seconds.
  s.PlPgSql("vb__datediff(intervallo text, d1 timestamp, d2 timestamp)", "bigint", R"(
DECLARE
  i text COLLATE "C" := lower(btrim(intervallo COLLATE "C", ' '));
  l1 bigint := extract(epoch FROM d1 - TIMESTAMP '1899-12-30')::bigint;
  l2 bigint := extract(epoch FROM d2 - TIMESTAMP '1899-12-30')::bigint;
  g1 bigint := floor(l1 / 86400.0)::bigint;
  g2 bigint := floor(l2 / 86400.0)::bigint;
BEGIN
  CASE i
    WHEN 'yyyy' THEN RETURN extract(year FROM d2) - extract(year FROM d1);
    WHEN 'q' THEN RETURN (extract(year FROM d2) * 4 + (extract(month FROM d2) - 1)::integer / 3)
                       - (extract(year FROM d1) * 4 + (extract(month FROM d1) - 1)::integer / 3);
    WHEN 'm' THEN RETURN (extract(year FROM d2) - extract(year FROM d1)) * 12
                       + extract(month FROM d2) - extract(month FROM d1);
    WHEN 'd', 'y' THEN RETURN g2 - g1;
    WHEN 'w' THEN RETURN (g2 - g1) / 7;
    WHEN 'ww' THEN RETURN floor((g2 - 1) / 7.0) - floor((g1 - 1) / 7.0);
    WHEN 'h' THEN RETURN floor(l2 / 3600.0) - floor(l1 / 3600.0);
    WHEN 'n' THEN RETURN floor(l2 / 60.0) - floor(l1 / 60.0);
    WHEN 's' THEN RETURN l2 - l1;
    ELSE PERFORM vb__errore(5);
  END CASE;
  RETURN NULL;
END)");
  // DateSerial: months and days out of range carry over; two-digit years
  // 00-29 are in the 2000s.
  s.PlPgSql("vb_dateserial(anno double precision, mese double precision, giorno double precision)", "timestamp", R"(
DECLARE a integer := vb__lng(anno); r timestamp;
BEGIN
  IF a >= 0 AND a < 30 THEN a := a + 2000; ELSIF a >= 30 AND a < 100 THEN a := a + 1900; END IF;
  IF a < 100 OR a > 9999 THEN PERFORM vb__errore(5); END IF;
  r := make_date(a, 1, 1) + make_interval(months => vb__lng(mese) - 1, days => vb__lng(giorno) - 1);
  IF extract(year FROM r) < 100 OR extract(year FROM r) > 9999 THEN PERFORM vb__errore(5); END IF;
  RETURN r;
END)");

  for (const TipoValore& t : kTipi) {
    const std::string x = std::string("x ") + t.sql;
    const std::string d = t.data;
    s.Sql("vb_year(" + x + ")", "integer", "extract(year FROM " + d + ")::integer");
    s.Sql("vb_month(" + x + ")", "integer", "extract(month FROM " + d + ")::integer");
    s.Sql("vb_day(" + x + ")", "integer", "extract(day FROM " + d + ")::integer");
    s.Sql("vb_hour(" + x + ")", "integer", "extract(hour FROM " + d + ")::integer");
    s.Sql("vb_minute(" + x + ")", "integer", "extract(minute FROM " + d + ")::integer");
    s.Sql("vb_second(" + x + ")", "integer", "floor(extract(second FROM " + d + "))::integer");
    s.Sql("vb_weekday(" + x + ")", "integer", "vb__weekday(" + d + ", 1::float8)");
    s.Sql("vb_weekday(" + x + ", primo double precision)", "integer", "vb__weekday(" + d + ", $2)");
    s.Sql("vb_datevalue(" + x + ")", "timestamp", "date_trunc('day', " + d + ")");
    s.Sql("vb_dateadd(intervallo text, n double precision, " + x + ")", "timestamp",
          "vb__dateadd($1, $2, " + Arg(d, 3) + ")");
    for (const TipoValore& u : kTipi)
      s.Sql(std::string("vb_datediff(intervallo text, a ") + t.sql + ", b " + u.sql + ")", "bigint",
            "vb__datediff($1, " + Arg(d, 2) + ", " + Arg(u.data, 3) + ")");
  }
}

// Format with the program's masks: "#,###.^^", "#,##0.000", "00000",
// "dd/mm/yyyy", "conto"; the same rules as FunzioniComuni::Formatta.
void Formato(Script& s) {
  // Number through an integer pattern and decimal signs: '0' fixed, '#'
  // or '^' optional; halves away from zero; "#,###" hides a zero.
  s.PlPgSql("vb__formattanumero(v numeric, schema text, segni text)", "text", R"(
DECLARE
  sc text COLLATE "C" := schema COLLATE "C";
  sg text COLLATE "C" := segni COLLATE "C";
  raggruppa boolean := strpos(sc, ',') > 0;
  minimo integer := length(sc) - length(replace(sc, '0', ''));
  nascondi boolean := length(sc) > 0 AND minimo = 0;
  dec integer := length(sg);
  fisse integer := length(sg) - length(replace(sg, '0', ''));
  r numeric := round(v, dec);
  neg boolean := r < 0;
  a numeric := abs(r);
  intero text COLLATE "C" := trunc(a)::text;
  decimali text COLLATE "C" := '';
  g text COLLATE "C" := '';
  k integer;
BEGIN
  IF dec > 0 THEN decimali := rpad(substr(round(a - trunc(a), dec)::text, 3), dec, '0'); END IF;
  WHILE length(decimali) > fisse AND right(decimali, 1) = '0'
        AND substr(sg, length(decimali), 1) <> '0' LOOP
    decimali := left(decimali, -1);
  END LOOP;
  IF intero = '0' AND decimali !~ '[1-9]' THEN
    IF nascondi THEN RETURN ''; END IF;
    neg := false;
  END IF;
  IF length(intero) < minimo THEN intero := lpad(intero, minimo, '0'); END IF;
  IF raggruppa THEN
    FOR k IN 1 .. length(intero) LOOP
      IF k > 1 AND (length(intero) - k + 1) % 3 = 0 THEN g := g || '.'; END IF;
      g := g || substr(intero, k, 1);
    END LOOP;
    intero := g;
  END IF;
  RETURN CASE WHEN neg THEN '-' ELSE '' END || intero || CASE WHEN decimali <> '' THEN ',' || decimali ELSE '' END;
END)");
  // The value comes with its text (CStr) and, by kind ('s' text, 'n'
  // number, 'd' date, 'b' flag), its number or its date.
  s.PlPgSql("vb__formatta(testo text, numero numeric, data timestamp, genere text, maschera text)", "text", R"(
DECLARE
  m text COLLATE "C" := maschera COLLATE "C";
  t text COLLATE "C" := testo COLLATE "C";
  d timestamp := data;
  v numeric := numero;
  out text COLLATE "C" := '';
  p integer; i integer; j integer; n integer; c text COLLATE "C";
  intero text COLLATE "C"; dec text COLLATE "C"; pc integer := 0;
BEGIN
  IF t IS NULL THEN RETURN NULL; END IF;
  IF lower(m) = 'conto' THEN
    IF btrim(t, ' ') = '' THEN RETURN ''; END IF;
    t := vb_ucase(translate(btrim(t, ' '), '- ./', ''));
    IF t = '' THEN RETURN ''; END IF;
    out := left(t, 2);
    IF length(t) > 2 THEN out := out || '-' || substr(t, 3, 2); END IF;
    IF length(t) > 4 THEN out := out || '-' || substr(t, 5); END IF;
    RETURN out;
  END IF;
  IF genere = 's' AND btrim(t, ' ') = '' THEN RETURN ''; END IF;
  IF m ~ '[dmyhn]' AND m !~ '[#^]' THEN
    IF genere = 's' THEN
      d := vb__data(t);
      IF d IS NULL THEN
        v := coalesce(vb__numit(t), vb__numpunto(t));
        IF v IS NOT NULL AND v >= -657434 AND v < 2958466 THEN d := vb__daseriale(v::float8); END IF;
      END IF;
    ELSIF genere IN ('n', 'b') THEN
      IF v >= -657434 AND v < 2958466 THEN d := vb__daseriale(v::float8); END IF;
    END IF;
    IF d IS NULL THEN RETURN t; END IF;
    i := 1;
    WHILE i <= length(m) LOOP
      c := substr(m, i, 1);
      j := i;
      WHILE j <= length(m) AND substr(m, j, 1) = c LOOP j := j + 1; END LOOP;
      n := j - i;
      out := out || CASE c
        WHEN 'd' THEN CASE WHEN n >= 2 THEN to_char(d, 'DD') ELSE extract(day FROM d)::integer::text END
        WHEN 'm' THEN CASE WHEN n >= 2 THEN to_char(d, 'MM') ELSE extract(month FROM d)::integer::text END
        WHEN 'y' THEN CASE WHEN n >= 4 THEN to_char(d, 'YYYY') ELSE lpad((extract(year FROM d)::integer % 100)::text, 2, '0') END
        WHEN 'h' THEN CASE WHEN n >= 2 THEN to_char(d, 'HH24') ELSE extract(hour FROM d)::integer::text END
        WHEN 'n' THEN CASE WHEN n >= 2 THEN to_char(d, 'MI') ELSE extract(minute FROM d)::integer::text END
        WHEN 's' THEN CASE WHEN n >= 2 THEN to_char(d, 'SS') ELSE floor(extract(second FROM d))::integer::text END
        ELSE substr(m, i, n) END;
      i := j;
    END LOOP;
    RETURN out;
  END IF;
  -- A final "%" shows the value as a percentage.
  WHILE right(m, 1) = '%' LOOP
    m := left(m, -1);
    pc := pc + 1;
  END LOOP;
  p := strpos(m, '.');
  IF p > 0 THEN intero := left(m, p - 1); dec := substr(m, p + 1); ELSE intero := m; dec := ''; END IF;
  IF intero !~ '^[#,0^]*$' OR dec !~ '^[#0^]*$' THEN RETURN t; END IF;
  intero := replace(intero, '^', '#');
  IF genere = 'd' THEN RETURN t; END IF;
  IF genere = 's' THEN
    IF vb__numit(t) IS NULL THEN RETURN t; END IF;
    v := vb__numit(t);
  END IF;
  RETURN vb__formattanumero(v * 100::numeric ^ pc, intero, dec) || repeat('%', pc);
END)", false);
  for (const TipoValore& t : kTipi) {
    std::string corpo;
    switch (t.genere) {
      case Genere::Testo: corpo = "vb__formatta($1, NULL, NULL, 's', $2)"; break;
      case Genere::Data:
      case Genere::Giorno: corpo = "vb__formatta(" + Testo(t) + ", NULL, " + t.data + ", 'd', $2)"; break;
      case Genere::Flag: corpo = "vb__formatta(" + Testo(t) + ", " + t.numero + ", NULL, 'b', $2)"; break;
      default: corpo = "vb__formatta(" + Testo(t) + ", " + t.numero + ", NULL, 'n', $2)"; break;
    }
    s.Sql(std::string("vb_format(x ") + t.sql + ", maschera text)", "text", corpo);
  }
}

// First and Last: the value of the first / last row of the group as the
// rows arrive, Null included (hence the one-element array of First).
void Aggregati(Script& s) {
  s.Sql("vb__primo_passo(stato anyarray, x anyelement)", "anyarray",
        "CASE WHEN $1 IS NULL THEN ARRAY[$2] ELSE $1 END");
  s.Sql("vb__primo_fine(stato anyarray)", "anyelement", "$1[1]");
  s.Sql("vb__ultimo_passo(stato anyelement, x anyelement)", "anyelement", "$2");
  s.Diretta("CREATE OR REPLACE AGGREGATE vb_first(anyelement) "
            "(SFUNC = vb__primo_passo, STYPE = anyarray, FINALFUNC = vb__primo_fine)");
  s.Diretta("CREATE OR REPLACE AGGREGATE vb_last(anyelement) (SFUNC = vb__ultimo_passo, STYPE = anyelement)");
}

std::string Firma(const std::vector<std::string>& istr) {
  uint64_t h = 1469598103934665603ULL;  // FNV-1a
  for (const auto& s : istr) {
    for (unsigned char c : s) {
      h ^= c;
      h *= 1099511628211ULL;
    }
    h ^= 0xFF;
    h *= 1099511628211ULL;
  }
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

std::string VersioneInstallata(Connessione& c) {
  const Risultato r = c.Interroga(
      "SELECT p.prosrc FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
      "WHERE p.proname = 'vb__versione' AND n.nspname = current_schema()",
      {}, nullptr);
  if (r.righe.empty() || r.righe[0][0].IsNull()) return {};
  return r.righe[0][0].ToString();
}

}  // namespace

std::vector<std::string> IstruzioniRuntimeServer() {
  Script s;
  Base(s);
  Testi(s);
  Valori(s);
  Calendario(s);
  Formato(s);
  Aggregati(s);
  return s.istr;
}

void InstallaRuntimeServer(Connessione& c) {
  if (c.Tipo() != TipoMotore::Server) return;  // SQLite registers its own on every connection
  static const std::vector<std::string> istr = IstruzioniRuntimeServer();
  static const std::string firma = Firma(istr);
  const std::string segno = "'" + firma + "'";
  if (VersioneInstallata(c).find(segno) != std::string::npos) return;
  c.IniziaTransazione();
  try {
    // One installer at a time per database; the second finds it done.
    c.Interroga("SELECT pg_advisory_xact_lock(7243850113) IS NULL", {}, nullptr);
    if (VersioneInstallata(c).find(segno) == std::string::npos) {
      for (const auto& s : istr) c.Esegui(s);
      c.Esegui("CREATE OR REPLACE FUNCTION vb__versione() RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT " +
               segno + "::text $$");
    }
    c.ConfermaTransazione();
  } catch (...) {
    if (c.LivelloTransazione() > 0) {
      try {
        c.AnnullaTransazione();
      } catch (...) {
      }
    }
    throw;
  }
}

}  // namespace dati

#include <gtest/gtest.h>

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "support/Errori.h"

using namespace vb;

TEST(Currency, TextRoundTripAndHalfEven) {
  struct Caso { const char* testo; int64_t raw; const char* torna; };
  const Caso casi[] = {
      {"0", 0, "0"},
      {"1234,5", 12345000, "1234,5"},
      {"1.234,56", 12345600, "1234,56"},
      {"-0,0001", -1, "-0,0001"},
      {"  12  ", 120000, "12"},
      {"0,00005", 0, "0"},       // half to even: 0
      {"0,00015", 2, "0,0002"},  // half to even: 2
      {"922337203685477,5807", INT64_MAX, "922337203685477,5807"},
  };
  for (const auto& c : casi) {
    Currency v = Currency::FromText(c.testo);
    EXPECT_EQ(v.Raw(), c.raw) << c.testo;
    EXPECT_EQ(v.ToString(), c.torna) << c.testo;
  }
  EXPECT_EQ(prova::NumeroErrore([] { Currency::FromText("922337203685477,5808"); }), ErrOverflow);
  EXPECT_EQ(prova::NumeroErrore([] { Currency::FromText("12a"); }), ErrTipoNonCorrisp);
  EXPECT_EQ(prova::NumeroErrore([] { Currency::FromText("1,2,3"); }), ErrTipoNonCorrisp);
}

TEST(Currency, ArithmeticIsExactToTheCent) {
  // 0.1 + 0.2 is exactly 0.3 in fixed point, never 0.30000000000000004.
  Currency a = Currency::FromText("0,1"), b = Currency::FromText("0,2");
  EXPECT_EQ((a + b).ToString(), "0,3");
  EXPECT_EQ(Currency::FromDouble(2.675).ToSqlText(), "2.6750");
  EXPECT_EQ((Currency::FromText("1,0001") * Currency::FromText("1,5")).ToString(), "1,5002");
  EXPECT_EQ((Currency::FromText("19,99") * int64_t{3}).ToString(), "59,97");
  EXPECT_EQ(prova::NumeroErrore([] { (void)(Currency::FromRaw(INT64_MAX) + Currency::FromRaw(1)); }),
            ErrOverflow);
  EXPECT_EQ(prova::NumeroErrore([] { (void)(Currency::FromLong(1) / Currency()); }), ErrDivisionePerZero);
  EXPECT_EQ(Currency::FromText("-12,34").ToSqlText(), "-12.3400");
}

TEST(Date, SerialsAndParts) {
  struct Caso { int a, m, g; double serial; int giornoSett; };
  const Caso casi[] = {
      {1899, 12, 30, 0, 7}, {1900, 1, 1, 2, 2}, {2000, 2, 29, 36585, 3},
      {2026, 12, 10, 46366, 5}, {100, 1, 1, -657434, 6}, {9999, 12, 31, 2958465, 6},
  };
  for (const auto& c : casi) {
    Date d = Date::FromYmd(c.a, c.m, c.g);
    EXPECT_EQ(d.Serial(), c.serial) << c.a << "-" << c.m << "-" << c.g;
    EXPECT_EQ(d.Year(), c.a);
    EXPECT_EQ(d.Month(), c.m);
    EXPECT_EQ(d.Day(), c.g);
    EXPECT_EQ(d.Weekday(), c.giornoSett);
  }
  // DateSerial carries months and days over.
  EXPECT_EQ(Date::FromYmd(2024, 13, 1).ToDateText(), "01/01/2025");
  EXPECT_EQ(Date::FromYmd(2024, 3, 0).ToDateText(), "29/02/2024");
  EXPECT_EQ(prova::NumeroErrore([] { Date::FromYmd(10000, 1, 1); }), ErrChiamataNonValida);
  // Before the origin the fraction still adds time.
  Date prima = Date::FromSerial(-1.25);
  EXPECT_EQ(prima.ToString(), "29/12/1899 06:00:00");
  EXPECT_EQ(Date::FromSerial(0.5).ToString(), "12:00:00");
}

TEST(Date, ParseItalianText) {
  struct Caso { const char* testo; const char* atteso; };
  const Caso casi[] = {
      {"10/12/2026", "10/12/2026"}, {"1/2/26", "01/02/2026"}, {"1/2/30", "01/02/1930"},
      {"10-12-2026", "10/12/2026"}, {"10.12.2026", "10/12/2026"}, {"10122026", "10/12/2026"},
      {"101226", "10/12/2026"}, {"2026-12-10", "10/12/2026"}, {" 29/02/2024 ", "29/02/2024"},
      {"10/12/2026 14:05", "10/12/2026 14:05:00"}, {"10/12/2026 14.05.09", "10/12/2026 14:05:09"},
      {"31/02/2026", nullptr}, {"29/02/2025", nullptr}, {"", nullptr}, {"12/2026", nullptr},
      {"10/13/2026", nullptr}, {"aa/bb/cccc", nullptr}, {"10/12/2026 25:00", nullptr},
  };
  for (const auto& c : casi) {
    auto d = Date::Parse(c.testo);
    if (c.atteso == nullptr) {
      EXPECT_FALSE(d.has_value()) << c.testo;
    } else {
      ASSERT_TRUE(d.has_value()) << c.testo;
      EXPECT_EQ(d->ToString(), c.atteso) << c.testo;
    }
  }
}

TEST(Date, Arithmetic) {
  Date d = *Date::Parse("31/01/2026");
  EXPECT_EQ(d.Add("m", 1).ToDateText(), "28/02/2026");
  EXPECT_EQ(d.Add("m", -2).ToDateText(), "30/11/2025");
  EXPECT_EQ(d.Add("yyyy", 1).ToDateText(), "31/01/2027");
  EXPECT_EQ(d.Add("d", 30).ToDateText(), "02/03/2026");
  EXPECT_EQ(d.Add("ww", -1).ToDateText(), "24/01/2026");
  EXPECT_EQ(d.Add("h", 25).ToString(), "01/02/2026 01:00:00");
  EXPECT_EQ(Date::FromSerial(-1.25).Add("h", 48).ToString(), "31/12/1899 06:00:00");
  EXPECT_EQ(Date::FromSerial(-1.25).Add("h", 24).ToString(), "06:00:00");  // day 0: time only
  EXPECT_EQ(d.Diff("d", *Date::Parse("02/03/2026")), 30);
  EXPECT_EQ(d.Diff("m", *Date::Parse("01/03/2026")), 2);
  EXPECT_EQ(d.Diff("yyyy", *Date::Parse("01/01/2027")), 1);
  EXPECT_EQ(Date::Parse("15/02/2024")->EndOfMonth().ToDateText(), "29/02/2024");
}

TEST(Testo, CharactersNotBytes) {
  const std::string s = "Città è già";
  EXPECT_EQ(Len(s), 11);
  EXPECT_EQ(Left(s, 5), "Città");
  EXPECT_EQ(Right(s, 3), "già");
  EXPECT_EQ(Mid(s, 7, 1), "è");
  EXPECT_EQ(Mid(s, 7), "è già");
  EXPECT_EQ(Mid(s, 50), "");
  EXPECT_EQ(prova::NumeroErrore([&] { Mid(s, 0); }), ErrChiamataNonValida);
  EXPECT_EQ(UCase(s), "CITTÀ È GIÀ");
  EXPECT_EQ(LCase("ÀÈÌÒÙ ŁŚ"), "àèìòù łś");
  EXPECT_EQ(Trim("  a b \t"), "a b \t");  // the legacy Trim takes blanks only
}

TEST(Testo, TextCompareFoldsAccentedCase) {
  EXPECT_EQ(StrComp("È", "è", vbTextCompare), 0);
  EXPECT_NE(StrComp("è", "e", vbTextCompare), 0);
  EXPECT_NE(StrComp("È", "è", vbBinaryCompare), 0);
  EXPECT_EQ(StrComp("abc", "ABD", vbTextCompare), -1);
  EXPECT_EQ(InStr("PERCHÈ no", "chè", vbTextCompare), 4);
  EXPECT_EQ(InStr("PERCHÈ no", "chè"), 0);
  EXPECT_EQ(InStr(5, "abcabc", "abc"), 0);
  EXPECT_EQ(InStr(4, "abcabc", "abc"), 4);
  EXPECT_EQ(InStrRev("a.b.c", "."), 4);
  EXPECT_EQ(Replace("Più più PIÙ", "più", "meno", 1, -1, vbTextCompare), "meno meno meno");
  EXPECT_EQ(Replace("aXbXc", "X", "-", 1, 1), "a-bXc");
  EXPECT_EQ(Replace("aXbXc", "X", "-", 3), "b-c");
}

TEST(Testo, SplitAndJoin) {
  EXPECT_TRUE(Split("").empty());
  EXPECT_EQ(Split("a,b,,c", ","), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(Split("a,b,c", ",", 2), (std::vector<std::string>{"a", "b,c"}));
  EXPECT_EQ(Split("uno E due e tre", "e", -1, vbTextCompare),
            (std::vector<std::string>{"uno ", " du", " ", " tr", ""}));
  EXPECT_EQ(Join({"a", "b"}, ";"), "a;b");
  EXPECT_EQ(DaWindows1252("perch\xE8 \x80"), "perchè €");
  EXPECT_TRUE(Utf8Valido("perchè"));
  EXPECT_FALSE(Utf8Valido("perch\xE8"));
}

TEST(Variant, ConversionsFollowTheLegacyRules) {
  EXPECT_EQ(Variant(true).ToInt(), -1);
  EXPECT_EQ(Variant(2.5).ToInt(), 2);   // halves to even
  EXPECT_EQ(Variant(3.5).ToInt(), 4);
  EXPECT_EQ(Variant(-2.5).ToLong(), -2);
  EXPECT_EQ(Variant("1.234,5").ToDouble(), 1234.5);
  EXPECT_EQ(Variant("1,5").ToDouble(), 1.5);
  EXPECT_EQ(Variant(1.5).ToString(), "1,5");
  EXPECT_EQ(Variant(1e16).ToString(), "1E+16");
  EXPECT_EQ(Variant(0.1 + 0.2).ToString(), "0,3");
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_EQ(Variant().ToDouble(), 0);
  EXPECT_EQ(Variant(Currency::FromText("2,5")).ToString(), "2,5");
  EXPECT_EQ(Variant("12,30").ToCurrency().Raw(), 123000);
  EXPECT_EQ(Variant("10/12/2026").ToDate().Serial(), 46366);
  EXPECT_EQ(Variant(Date::FromSerial(46366)).ToString(), "10/12/2026");
  EXPECT_TRUE(Variant("-1,5").IsNumeric());
  EXPECT_FALSE(Variant("1,5x").IsNumeric());
  EXPECT_FALSE(Variant(Null).IsNumeric());

  struct Errato { Variant v; int quale; long errore; };
  const Errato errati[] = {
      {Variant(40000), 0, ErrOverflow},       {Variant(3e9), 1, ErrOverflow},
      {Variant("abc"), 2, ErrTipoNonCorrisp}, {Variant(Null), 2, ErrUsoNull},
      {Variant(Null), 3, ErrUsoNull},         {Variant(Missing), 2, ErrArgomentoMancante},
      {Variant("31/02/2026"), 4, ErrTipoNonCorrisp},
  };
  for (const auto& e : errati) {
    long n = prova::NumeroErrore([&] {
      switch (e.quale) {
        case 0: e.v.ToInt(); break;
        case 1: e.v.ToLong(); break;
        case 2: e.v.ToDouble(); break;
        case 3: e.v.ToString(); break;
        case 4: e.v.ToDate(); break;
      }
    });
    EXPECT_EQ(n, e.errore) << e.quale;
  }
  EXPECT_EQ(prova::NumeroErrore([] { Variant v(5'000'000'000LL); }), ErrOverflow);
}

TEST(Variant, ComparisonAndVal) {
  EXPECT_EQ(Variant::Confronta(Variant(2), Variant(10)), -1);
  EXPECT_EQ(Variant::Confronta(Variant("2"), Variant("10")), 1);  // texts as texts
  EXPECT_EQ(Variant::Confronta(Variant(2), Variant("1")), -1);    // number below text
  EXPECT_EQ(Variant::Confronta(Variant(), Variant(0)), 0);
  EXPECT_EQ(Variant::Confronta(Variant("ABC"), Variant("abc"), vbTextCompare), 0);
  EXPECT_EQ(Variant::Confronta(Variant(Currency::FromText("0,3")), Variant(0.3)), 0);
  struct Caso { const char* t; double v; };
  const Caso casi[] = {{"12.5kg", 12.5}, {" 1 2 3", 123}, {"-3e2", -300}, {"&H1F", 31},
                       {"abc", 0}, {"1,5", 1}, {".5", 0.5}, {"", 0}};
  for (const auto& c : casi) EXPECT_EQ(Val(c.t), c.v) << c.t;
  // Past the range of a Double: overflow, never an infinity.
  EXPECT_EQ(prova::NumeroErrore([] { Val("9E999"); }), ErrOverflow);
  EXPECT_EQ(prova::NumeroErrore([] { Val("-1e400x"); }), ErrOverflow);
  EXPECT_EQ(Val("1e308"), 1e308);
}

TEST(Numeri, ShortestDecimalAndText) {
  EXPECT_EQ(TestoDoubleSql(0.1), "0.1");
  EXPECT_EQ(TestoDoubleSql(-1234.5), "-1234.5");
  EXPECT_EQ(TestoDoubleSql(1e-7), "0.0000001");
  EXPECT_EQ(TestoDoubleSql(1e20), "100000000000000000000");
  EXPECT_EQ(TestoDouble(1234567.891), "1234567,891");
  EXPECT_EQ(TestoDouble(-0.00001), "-1E-05");
}

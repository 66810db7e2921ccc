#include <gtest/gtest.h>

#include <cmath>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"

using namespace vb;

namespace {
const FunzioniComuni& F = FunzioniComuni::Istanza();
}

TEST(FunzioniComuni, VuotoByKind) {
  struct Caso { Variant v; int tipo; bool vuoto; };
  const Caso casi[] = {
      {Variant(), vbString, true},       {Variant(Null), vbString, true},
      {Variant(""), vbString, true},     {Variant("   "), vbString, true},
      {Variant(" a "), vbString, false}, {Variant(0), vbDouble, false},
      {Variant("0"), vbDouble, false},   {Variant("  /  /    "), vbDate, true},
      {Variant("  /  /    "), vbString, false}, {Variant("01/01/2026"), vbDate, false},
      {Variant(Missing), vbString, true},
  };
  for (const auto& c : casi) EXPECT_EQ(F.Vuoto(c.v, c.tipo), c.vuoto) << c.v.ToString() << " " << c.tipo;
}

TEST(FunzioniComuni, NumbersFromDisplayTexts) {
  struct Caso { Variant v; double d; };
  const Caso casi[] = {
      {Variant("1.234,50"), 1234.5}, {Variant("12,5"), 12.5},  {Variant("12.5"), 12.5},
      {Variant("1.234"), 1234},      {Variant("-0,75"), -0.75}, {Variant(""), 0},
      {Variant("abc"), 0},           {Variant(Null), 0},        {Variant(true), -1},
      {Variant(Currency::FromText("3,3333")), 3.3333},
  };
  for (const auto& c : casi) EXPECT_DOUBLE_EQ(F.ValDouble(c.v, true), c.d) << c.v.ToString();
  EXPECT_EQ(F.ValInt("2.500", true, true), 2500);
  EXPECT_EQ(F.ValInt("x12"), 0);
  EXPECT_EQ(F.ValLong("1.000.000"), 1000000);
  EXPECT_THROW(F.ValInt("40.000"), Errore);  // too big for an Integer: not silently 0
  EXPECT_EQ(F.ValData("10/12/2026", true).ToDate().Serial(), 46366);
  EXPECT_EQ(F.ValData(-2, true).ToDate().Serial(), -2);  // serials stay comparable
  EXPECT_TRUE(F.ValData("31/02/2026").IsEmpty());
  EXPECT_TRUE(F.ValData("").IsEmpty());
  EXPECT_FLOAT_EQ(F.ValSingle("10", false), 10.0f);
  EXPECT_LT(F.ValNumero("-1000", true), 0);
}

TEST(FunzioniComuni, SqlLiterals) {
  struct Caso { Variant v; int tipo; const char* sql; };
  const Caso casi[] = {
      {Variant("O'Brien"), vbString, "'O''Brien'"},
      {Variant(""), vbString, "''"},
      {Variant("perché"), vbString, "'perché'"},
      {Variant(std::string("a\0b", 3)), vbString, "('a' & Chr(0) & 'b')"},
      {Variant(Null), vbString, "Null"},
      {Variant(2026), vbInteger, "2026"},
      {Variant("1.234"), vbLong, "1234"},
      {Variant(""), vbLong, "Null"},
      {Variant(1234.5), vbDouble, "1234.5"},
      {Variant("1.234,56"), vbDouble, "1234.56"},
      {Variant(1e-7), vbDouble, "0.0000001"},
      {Variant(Currency::FromText("-12,3400")), vbDouble, "-12.34"},
      {Variant(Currency::FromText("-12,3400")), vbCurrency, "-12.34"},
      {Variant(""), vbDouble, "Null"},
      {Variant("10/12/2026"), vbDate, "#2026-12-10#"},
      {Variant(Date::FromYmdHms(2026, 1, 2, 3, 4, 5)), vbDate, "#2026-01-02 03:04:05#"},
      {Variant(""), vbDate, "Null"},
      {Variant(true), vbBoolean, "True"},
  };
  for (const auto& c : casi) EXPECT_EQ(F.ValoreSql(c.v, c.tipo), c.sql) << c.v.ToString();
  // Nothing unreadable reaches a statement.
  for (int tipo : {vbInteger, vbLong, vbDouble, vbDate}) {
    EXPECT_THROW(F.ValoreSql(Variant("1; DROP TABLE x"), tipo), Errore) << tipo;
  }
}

TEST(FunzioniComuni, RoundingModes) {
  struct Caso { double v; const char* modo; double passo; std::optional<int> esp; double atteso; };
  const Caso casi[] = {
      {2.675, "A", 1, -2, 2.68},       // the typed value, not its binary neighbour
      {1.005, "A", 1, -2, 1.01},
      {-2.675, "A", 1, -2, -2.68},     // halves away from zero on both sides
      {2.5, "A", 1, std::nullopt, 3},  // omitted exponent is 0
      {1.234, "S", 1, -2, 1.24},
      {-1.234, "S", 1, -2, -1.23},      // upwards on the number line
      {1.239, "I", 1, -2, 1.23},
      {-1.239, "I", 1, -2, -1.24},      // downwards on the number line
      {-1.239, "T", 1, -2, -1.23},      // cut towards zero
      {1.239, "T", 1, -2, 1.23},
      {1.23, "S", 1, -2, 1.23},        // already on the step
      {1.26, "A", 5, -2, 1.25},        // steps of 0.05
      {1.275, "A", 5, -2, 1.30},
      {1.21, "S", 5, -2, 1.25},
      {1234.0, "A", 1, 2, 1200},       // hundreds
      {1936.27 * 3, "A", 1, -8, 5808.81},
      {0.1 + 0.2, "A", 1, -8, 0.3},
      {2.345, "5", 1, -2, 2.35},       // unknown letter rounds like "A"
      {7.2, "S", 1, std::nullopt, 8},
  };
  for (const auto& c : casi) {
    EXPECT_DOUBLE_EQ(F.Arrotonda(c.v, c.modo, c.passo, c.esp), c.atteso)
        << c.v << " " << c.modo << " " << c.passo;
  }
  EXPECT_DOUBLE_EQ(F.Arrotonda(Variant("1.234,565"), "A", 1, -2), 1234.57);
}

TEST(FunzioniComuni, NumberMasksAndDisplayTexts) {
  struct Maschera { int dec; const char* segnaposto; const char* schema; const char* segno; const char* atteso; };
  const Maschera maschere[] = {
      {2, "", "#,###", "^", "#,###.^^"},
      {2, "#", "#,###", "^", "#,###.##"},
      {3, "", "#,##0", "0", "#,##0.000"},
      {2, "0", "#,##0", "^", "#,##0.00"},
      {0, "", "#,###", "^", "#,###"},
  };
  for (const auto& m : maschere)
    EXPECT_EQ(F.MascheraNum(0, m.dec, m.segnaposto, true, m.schema, 0, "", m.segno), m.atteso);

  struct Testo { double v; int dec; const char* schema; const char* segno; const char* atteso; };
  const Testo testi[] = {
      {1234.5, 2, "#,###", "^", "1.234,5"},
      {1234.5, 2, "#,##0", "0", "1.234,50"},
      {1234.5, 2, "#,##^", "0", "1.234,50"},
      {0, 2, "#,###", "^", ""},
      {0, 2, "#,##0", "0", "0,00"},
      {0, 2, "#,##^", "0", ""},
      {0.5, 2, "#,###", "^", "0,5"},
      {-1234567.891, 2, "#,##0", "0", "-1.234.567,89"},
      {2.675, 2, "#,##0", "0", "2,68"},
      {-0.001, 2, "#,##0", "0", "0,00"},
      {12, 3, "#,##0", "^", "12"},
      {1e15, 0, "#,##0", "0", "1.000.000.000.000.000"},
  };
  for (const auto& t : testi) {
    std::string s = F.MascheraNum(t.v, t.dec, "", false, t.schema, 0, "", t.segno);
    EXPECT_EQ(s, t.atteso) << t.v;
    // Every display text reads back as the rounded number.
    EXPECT_DOUBLE_EQ(F.ValDouble(s, true), F.Arrotonda(t.v, "A", 1, -t.dec)) << s;
  }
}

TEST(FunzioniComuni, FormattaAndAccounts) {
  EXPECT_EQ(F.Formatta(1234.5678, "#,###.^^"), "1.234,57");
  EXPECT_EQ(F.Formatta(1234.5, "#,###.^^^^^^"), "1.234,5");
  EXPECT_EQ(F.Formatta(7, "#,##0.00"), "7,00");
  EXPECT_EQ(F.Formatta(42, "00000"), "00042");
  EXPECT_EQ(F.Formatta("10/12/2026", "dd/mm/yyyy"), "10/12/2026");
  EXPECT_EQ(F.Formatta(Date::FromYmd(2026, 3, 4), "d/m/yy"), "4/3/26");
  // "m" next to an hour or seconds is minutes, as the legacy Format read it.
  const Date ora = Date::FromYmdHms(2026, 12, 10, 8, 5, 9);
  EXPECT_EQ(F.Formatta(ora, "hh:mm"), "08:05");
  EXPECT_EQ(F.Formatta(ora, "hh.mm"), "08.05");
  EXPECT_EQ(F.Formatta(ora, "mm:ss"), "05:09");
  EXPECT_EQ(F.Formatta(ora, "dd/mm/yyyy hh:mm"), "10/12/2026 08:05");
  EXPECT_EQ(F.Formatta("01020034", "conto"), "01-02-0034");
  EXPECT_EQ(F.Formatta("01-02-0034", "Conto"), "01-02-0034");
  EXPECT_EQ(F.FormatTipo("01-02-0034", "Conto"), "01020034");
  EXPECT_EQ(F.Formatta("", "conto"), "");
}

TEST(FunzioniComuni, CommandLineSwitches) {
  struct Caso { const char* cmd; const char* nome; const char* atteso; };
  const Caso casi[] = {
      {"/M12 /PDDT 4711 /Ffrmddttest", "M", "12"},
      {"/M12 /PDDT 4711 /Ffrmddttest", "P", "DDT 4711"},
      {"/M12 /PDDT 4711 /Ffrmddttest", "f", "frmddttest"},
      {"-M12 -Ffrmddttest", "F", "frmddttest"},
      {"M=12 F=frmddttest", "F", "frmddttest"},
      {"/M=12", "M", "12"},
      {"/M12", "I", ""},
      {"/RO", "RO", "/RO"},
      {"/H C:\\Help\\ddt.chm /RO", "H", "C:\\Help\\ddt.chm"},
      {"/H C:\\Help\\ddt.chm /RO", "ro", "/RO"},
      {"", "M", ""},
      {"/Iv:\\a-b\\velnor.ini", "I", "v:\\a-b\\velnor.ini"},
  };
  for (const auto& c : casi) EXPECT_EQ(F.LeggiSwitch(c.cmd, c.nome), c.atteso) << c.cmd << " " << c.nome;
}

TEST(FunzioniComuni, ListsAndTexts) {
  std::vector<std::string> p;
  EXPECT_EQ(F.Dividi("10,5,,3", ",", p), 4);
  EXPECT_EQ(p, (std::vector<std::string>{"", "10", "5", "", "3"}));
  EXPECT_EQ(F.Dividi("", ",", p), 0);
  EXPECT_EQ(p.size(), 1u);
  EXPECT_EQ(F.Sostituisci("Select DdtDettApp.Qta from DDTDETTAPP", "DdtDettApp", "DdtDett"),
            "Select DdtDett.Qta from DdtDett");
  EXPECT_EQ(F.Sostituisci(1, "§Lun§ x §lun§", "§Lun§", "10", 1), "10 x 10");
  EXPECT_EQ(F.Sostituisci(3, "aXaX", "X", "-", 0), "aXa-");
  EXPECT_TRUE(F.InElenco("term2", "TERM1; term2 ;x", ";", 1));
  EXPECT_FALSE(F.InElenco("term", "term1;term2", ";", 1));
  EXPECT_FALSE(F.InElenco("TERM1", "term1", ";", 0));
  EXPECT_EQ(F.CercaTesto(7, "a\\b\\c.d", "\\", 0), 4);
  EXPECT_EQ(F.Riempi("abc", 5, " ", "S"), "abc  ");
  EXPECT_EQ(F.Riempi("abc", 5, " ", "D"), "  abc");
  EXPECT_EQ(F.Riempi("abcdef", 4, " ", "S"), "abcd");
  EXPECT_EQ(F.Riempi("città", 6), "città ");
  EXPECT_EQ(std::get<int32_t>(std::variant<int32_t>(F.Massimo({1, 5, 3}).ToLong())), 5);
  EXPECT_EQ(F.Minimo({Variant(2.5), Variant(Null), Variant(-1)}).ToDouble(), -1);
  EXPECT_EQ(F.ElabImporto(Currency::FromLong(10), Currency()), 0);
  EXPECT_DOUBLE_EQ(F.ElabImporto(Currency::FromLong(1), Currency::FromLong(4)), 0.25);
  EXPECT_EQ(F.FineMese("10/02/2028").ToDateText(), "29/02/2028");
  EXPECT_EQ(F.ComponiData(31, 12, 2026).ToDateText(), "31/12/2026");
}

TEST(FunzioniComuni, Paths) {
  EXPECT_EQ(F.ComponiPercorso("", "C:", "\\Dati"), "C:\\Dati");
  EXPECT_EQ(F.ComponiPercorso("a.doc", "", "C:\\Ordini\\"), "C:\\Ordini\\a.doc");
  EXPECT_EQ(F.ComponiPercorso("a.doc", "", "/srv/ordini"), "/srv/ordini/a.doc");
  EXPECT_EQ(F.ComponiPercorso("velnor.ini", "C:\\", "Velnor"), "C:\\Velnor\\velnor.ini");
  EXPECT_EQ(F.CartellaDaPercorso("C:\\a\\b.txt"), "C:\\a");
  EXPECT_EQ(F.PercorsoConFiltro("C:\\a\\", "*.*"), "C:\\a\\*.*");
  EXPECT_FALSE(F.EsisteFile(""));
}

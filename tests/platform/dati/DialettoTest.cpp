// The legacy dialect as the program writes it, run through the data layer
// on both engines: the same statement gives the same answer on SQLite and
// on the server, and the answer the legacy engine gave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ServerDiProva.h"
#include "platform/Errore.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/Valutatore.h"
#include "platform/dati/sql/Albero.h"
#include "support/CartellaTemp.h"
#include "support/Errori.h"

using namespace dati;
using vb::Variant;

namespace {

std::vector<TabellaCat> TabelleDiProva() {
  TabellaCat t;
  t.nome = "Prova";
  t.colonne = {{"Id", TipoCampo::Lungo, 0, true, false},
               {"Testo", TipoCampo::Testo, 20, false, false},
               {"Num", TipoCampo::Doppio, 0, false, false},
               {"DataDoc", TipoCampo::Data, 0, false, false}};
  t.chiave = {"Id"};
  return {t};
}

class Dialetto : public ::testing::TestWithParam<TipoMotore> {
 protected:
  void SetUp() override {
    if (GetParam() == TipoMotore::Server) {
      SALTA_SENZA_SERVER();
      server_ = std::make_unique<prova::DatabaseServer>();
      k_ = db_.ApriDatabase("", 0, false, false, server_->Connessione());
    } else {
      k_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    }
    CreaSchema(db_.Motore(k_), TabelleDiProva());
    for (const char* r : {"Insert into Prova Values (1, 'b3x', 1, #2024-02-03#)",
                          "Insert into Prova Values (2, 'àrea', 2, #2024-02-04#)",
                          "Insert into Prova Values (3, 'Zeta', 2, Null)",
                          "Insert into Prova Values (4, Null, 3, #2024-02-05 10:20:30#)",
                          "Insert into Prova Values (5, 'alfa', 4, #2024-02-06#)"})
      db_.EseguiSql(k_, r);
  }

  // Every row of the first column.
  std::vector<Variant> Colonna(const std::string& sql) {
    std::vector<Variant> out;
    const std::string k = rs_.ApriRecordset(db_, k_, "", sql, false, 4);
    while (!rs_.FineRec(k)) {
      out.push_back(rs_.LeggiCampoNull(k, rs_.RecordsetDao(k).Campo(0).nome));
      rs_.ProssimoRec(k);
    }
    rs_.ChiudiRecordset(k);
    return out;
  }
  Variant Valore(const std::string& espr) {
    const auto v = Colonna("Select " + espr + " as X from Prova where Id = 1");
    EXPECT_EQ(v.size(), 1u) << espr;
    return v.empty() ? Variant() : v[0];
  }
  // The rows' values as one text: "Null" for Null, "|" between rows.
  std::string Righe(const std::string& sql) {
    std::string out;
    for (const Variant& v : Colonna(sql)) out += (out.empty() ? "" : "|") + (v.IsNull() ? "Null" : v.ToString());
    return out;
  }

  prova::CartellaTemp dir_{"dialetto"};
  std::unique_ptr<prova::DatabaseServer> server_;
  GestDatabase db_;
  GestRecordset rs_;
  std::string k_;
};

std::string Nome(const ::testing::TestParamInfo<TipoMotore>& i) {
  return i.param == TipoMotore::SQLite ? "SQLite" : "Server";
}

}  // namespace

TEST_P(Dialetto, FunctionsGiveTheLegacyAnswers) {
  struct Caso {
    const char* espr;
    Variant atteso;
  };
  const Caso casi[] = {
      {"Left('abcdef', 2)", "ab"},
      {"Right(Testo, 2)", "3x"},
      {"Asc('A')", 65},
      {"Left$(Testo, 1) & Right$('xyz', 1)", "bz"},
      // Switch takes the kind of its values, not of its conditions.
      {"Switch(Id = 1, 'uno', Id = 2, 'due')", "uno"},
      {"Switch(Id = 9, 'nove', True, Testo)", "b3x"},
      {"Switch(Id = 1, 2.5, True, 1)", 2.5},
      // Mod rounds its sides to whole numbers first, halves to even.
      {"7.5 Mod 2", 0},
      {"6.5 Mod 4", 2},
      {"5.5 Mod 3", 0},
      {"-7 Mod 3", -1},
      {"7 Mod -3", 1},
      {"Num Mod 2", 1},
      {"Null Mod 2", vb::Null},
      {"100000 \\ 3", 33333},
      {"7.5 \\ 2", 4},
      {"-7 \\ 2", -3},
      {"Format(0.5, '0%')", "50%"},
      {"Format(0.1234, '0.00%')", "12,34%"},
      {"Format(Num, '#,##0.0%')", "100,0%"},
      // A date joined to a text reads as the legacy wrote dates.
      {"DataDoc & ''", "03/02/2024"},
      {"'Data: ' & DataDoc", "Data: 03/02/2024"},
      {"Mid(DataDoc, 4, 2)", "02"},
      {"Len(DataDoc)", 10},
  };
  for (const Caso& c : casi) {
    try {
      const Variant v = Valore(c.espr);
      if (c.atteso.IsNull()) {
        EXPECT_TRUE(v.IsNull()) << c.espr;
        continue;
      }
      EXPECT_EQ(Variant::Confronta(v, c.atteso), 0) << c.espr << " -> " << (v.IsNull() ? "Null" : v.ToString());
      if (c.atteso.IsString()) {
        EXPECT_TRUE(v.IsString()) << c.espr;
      }
    } catch (const vb::Errore& e) {
      ADD_FAILURE() << c.espr << " -> error " << e.Number() << " " << e.Description();
    }
  }
  EXPECT_EQ(Righe("Select DataDoc & '|' as X from Prova where Id = 4"), "05/02/2024 10:20:30|");
  EXPECT_EQ(prova::NumeroErrore([&] { Valore("Id Mod 0"); }), vb::ErrDivisionePerZero);
}

// Division by zero is the legacy error 11 on both engines, never Null.
TEST_P(Dialetto, DivisionByZeroIsError11) {
  for (const char* e : {"Id / 0", "Num / (Id - 1)", "Id \\ 0", "7 \\ 0.4", "Id Mod 0.2", "'7,5' / 0"})
    EXPECT_EQ(prova::NumeroErrore([&] { Valore(e); }), vb::ErrDivisionePerZero) << e;
  EXPECT_EQ(prova::NumeroErrore([&] { Righe("Select Id from Prova where Num / (Id - 1) > 0"); }),
            vb::ErrDivisionePerZero);
  EXPECT_TRUE(Valore("Null / 0").IsNull());
  EXPECT_TRUE(Valore("Null \\ 0").IsNull());
}

// The search of a recordset evaluates its criterion in memory: it must give
// what the engine gives for the same expression over the same row.
TEST_P(Dialetto, TheSearchInMemoryAgreesWithTheEngine) {
  const char* espressioni[] = {
      "7.5 Mod 2", "6.5 Mod 4", "5.5 Mod 3", "-7 Mod 3", "7 Mod -3", "Num Mod 2", "-7.5 Mod 2", "'7,5' Mod 2",
      "Null Mod 2", "7.5 \\ 2", "-7 \\ 2", "Id \\ 2", "Num / 4", "DataDoc & ''", "'Data: ' & DataDoc",
      "Testo & Num", "Testo & Null", "Num & ''", "(Num / 4) & ''",
  };
  for (int id : {1, 4}) {
    const std::string k = rs_.ApriRecordset(db_, k_, "", "Select * from Prova where Id = " + std::to_string(id), false, 4);
    auto campo = [&](const std::string&, const std::string& nome) { return rs_.LeggiCampoNull(k, nome); };
    for (const char* e : espressioni) {
      const auto sqlv = Colonna("Select " + std::string(e) + " as X from Prova where Id = " + std::to_string(id));
      ASSERT_EQ(sqlv.size(), 1u) << e;
      const Variant v = Valuta(*sql::AnalizzaEspressione(e), campo);
      if (sqlv[0].IsNull() || v.IsNull()) {
        EXPECT_EQ(sqlv[0].IsNull(), v.IsNull()) << e << " (riga " << id << ")";
        continue;
      }
      EXPECT_EQ(v.ToString(), sqlv[0].ToString()) << e << " (riga " << id << ")";
      EXPECT_EQ(v.IsString(), sqlv[0].IsString()) << e << " (riga " << id << ")";
    }
    for (const char* e : {"Id Mod 0", "Id \\ 0", "Num / 0"})
      EXPECT_EQ(prova::NumeroErrore([&] { Valuta(*sql::AnalizzaEspressione(e), campo); }), vb::ErrDivisionePerZero)
          << e;
    // The search itself: the criterion that selects the row finds it.
    Recordset& r = rs_.RecordsetDao(k);
    r.FindFirst("Id Mod 3 = " + std::to_string(id % 3) + " And DataDoc & '' Like '0?/02/2024*'");
    EXPECT_FALSE(r.NoMatch()) << id;
    rs_.ChiudiRecordset(k);
  }
}

TEST_P(Dialetto, NullsComeFirstAscendingAndAccentsSortWithTheirLetter) {
  EXPECT_EQ(Righe("Select Testo from Prova order by Testo"), "Null|alfa|àrea|b3x|Zeta");
  EXPECT_EQ(Righe("Select Testo from Prova order by Testo desc"), "Zeta|b3x|àrea|alfa|Null");
  EXPECT_EQ(Righe("Select ucase(Testo) as U from Prova order by ucase(Testo)"), "Null|ALFA|ÀREA|B3X|ZETA");
  EXPECT_EQ(Righe("Select top 2 Testo from Prova order by Testo desc"), "Zeta|b3x");
  EXPECT_EQ(Righe("Select DataDoc from Prova order by DataDoc, Id").substr(0, 4), "Null");
  EXPECT_EQ(Righe("Select Id from Prova order by DataDoc desc, Id"), "5|4|2|1|3");
  EXPECT_EQ(Righe("Select Testo from Prova where Testo < 'b' order by 1"), "alfa|àrea");
  // The same order in a union, by position and by name.
  EXPECT_EQ(Righe("Select Testo from Prova where Id < 3 union select Testo from Prova where Id > 2 order by 1 desc"),
            "Zeta|b3x|àrea|alfa|Null");
  EXPECT_EQ(Righe("Select Testo from Prova where Id < 3 union all select Testo from Prova where Id > 2 order by Testo"),
            "Null|alfa|àrea|b3x|Zeta");
}

TEST_P(Dialetto, TopAlsoGivesTheRowsTiedWithTheLast) {
  EXPECT_EQ(Righe("Select top 2 Id from Prova order by Num, Id"), "1|2");
  EXPECT_EQ(Colonna("Select top 2 Id from Prova order by Num").size(), 3u);
  EXPECT_EQ(Righe("Select top 1 Id from Prova order by Num desc"), "5");
  EXPECT_EQ(Colonna("Select top 2 Id, Num from Prova order by 2").size(), 3u);
  EXPECT_EQ(Colonna("Select top 2 Num as N from Prova order by N").size(), 3u);
  EXPECT_EQ(Colonna("Select top 2 Testo from Prova order by Num").size(), 3u);
  EXPECT_EQ(Colonna("Select top 1 * from Prova order by DataDoc desc").size(), 1u);
  // Texts tie without regard to case.
  db_.EseguiSql(k_, "Insert into Prova Values (6, 'ZETA', 9, Null)");
  EXPECT_EQ(Colonna("Select top 1 Id from Prova order by Testo desc").size(), 2u);
  // Without an order there are no ties: the first n rows.
  EXPECT_EQ(Colonna("Select top 2 Id from Prova").size(), 2u);
  // A share of the rows, rounded up, ties included.
  EXPECT_EQ(Colonna("Select top 30 percent Id from Prova order by Num").size(), 3u);
  EXPECT_EQ(Colonna("Select top 50 percent Id from Prova").size(), 3u);
  EXPECT_EQ(Colonna("Select top 100 percent Id from Prova order by Id").size(), 6u);
  // Inside a sub-select, correlated or not, and as a member of a union.
  EXPECT_EQ(Righe("Select Count(*) as N from Prova where Id in (select top 2 Id from Prova order by Num)"), "3");
  EXPECT_EQ(Righe("Select Count(*) as N from Prova as P where Id in "
                  "(select top 1 Q.Id from Prova as Q where Q.Num = P.Num order by Q.Testo)"),
            "5");
  EXPECT_EQ(Colonna("Select top 2 Id from Prova order by Num union select Id from Prova where Id = 5").size(), 4u);
  EXPECT_EQ(Righe("Select N from (select top 1 Num as N from Prova order by Num desc) as S"), "9");
  EXPECT_EQ(Righe("Select S.N from (select Num as N from Prova where Id = 2) as S"), "2");
  // The columns keep the names and kinds the program reads.
  const std::string k = rs_.ApriRecordset(db_, k_, "", "Select top 1 P.*, Num * 2 as Doppio from Prova as P order by Num", false, 4);
  EXPECT_EQ(rs_.LeggiCampo(k, "Testo").ToString(), "b3x");
  EXPECT_EQ(rs_.LeggiCampo(k, "P.DataDoc").ToDate().ToDateText(), "03/02/2024");
  EXPECT_EQ(rs_.LeggiCampo(k, "Doppio").ToDouble(), 2.0);
  rs_.ChiudiRecordset(k);
}

// An order that holds the whole primary key of the one table read leaves
// no ties: the engine takes the first rows along the key and stops, instead
// of ranking every row the condition lets through.
TEST_P(Dialetto, TopOverTheWholeKeyStopsAtTheFirstRows) {
  const std::string primo = "Select top 1 * from Prova where Id > 2 order by Id";
  EXPECT_EQ(Righe("Select top 1 Id from Prova where Id > 2 order by Id"), "3");
  EXPECT_EQ(Righe("Select top 2 Id, Num from Prova order by Id desc"), "5|4");
  EXPECT_EQ(Righe("Select top 1 P.Id from Prova as P where P.Num = 2 order by P.Num, P.Id"), "2");
  const std::string sql = db_.Traduci(k_, primo)->sql;
  EXPECT_NE(sql.find("LIMIT 1"), std::string::npos) << sql;
  EXPECT_EQ(sql.find("rank()"), std::string::npos) << sql;
  const std::string k = rs_.ApriRecordset(db_, k_, "", primo, false, 4);
  EXPECT_EQ(rs_.LeggiCampo(k, "Testo").ToString(), "Zeta");
  EXPECT_EQ(rs_.LeggiCampo(k, "Num").ToDouble(), 2.0);
  rs_.ChiudiRecordset(k);
  // Not the whole key, or a share of the rows: ties still count.
  EXPECT_NE(db_.Traduci(k_, "Select top 1 Id from Prova order by Num")->sql.find("rank()"), std::string::npos);
  EXPECT_NE(db_.Traduci(k_, "Select top 50 percent Id from Prova order by Id")->sql.find("__n"), std::string::npos);
}

TEST_P(Dialetto, LongChainsOfConditionsRun) {
  // The legacy limit of 99 Ands, and Or lists far beyond it.
  std::string e = "Id > 0";
  for (int i = 1; i < 99; ++i) e += " And Id <> " + std::to_string(100 + i);
  EXPECT_EQ(Righe("Select Count(*) as N from Prova where " + e), "5");
  std::string o = "Id = -1";
  for (int i = 0; i < 20000; ++i) o += " Or Id = " + std::to_string(i % 3 == 0 ? 5 : 1000 + i);
  EXPECT_EQ(Righe("Select Count(*) as N from Prova where " + o), "1");
  std::string x = "(Id = 1";
  for (int i = 0; i < 300; ++i) x += i % 2 ? " Or Testo = 'q'" : " And Num > 0";
  EXPECT_EQ(Righe("Select Count(*) as N from Prova where " + x + ")"), "1");
}

// Nesting the translator takes but SQLite's own parser cannot is the same
// "query too complex" on that engine; the server takes it.
TEST_P(Dialetto, NestingTheEngineRefusesIsAQueryTooComplex) {
  std::string sql = "Select Id from Prova where Id = 1";
  for (int i = 0; i < 20; ++i) sql = "Select Id from Prova where Id in (" + sql + ")";
  static_assert(ErrQueryComplessa == 3360 && sql::ErrQueryComplessa == ErrQueryComplessa);
  if (GetParam() == TipoMotore::SQLite) EXPECT_EQ(prova::NumeroErrore([&] { Colonna(sql); }), ErrQueryComplessa);
  else EXPECT_EQ(Righe(sql), "1");
}

INSTANTIATE_TEST_SUITE_P(Motori, Dialetto, ::testing::Values(TipoMotore::SQLite, TipoMotore::Server), Nome);

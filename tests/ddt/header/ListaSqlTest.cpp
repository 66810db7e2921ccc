// The SQL of the DDT list: the twelve base items, the personal additional
// columns in their places, the personal sort order, and the settings that
// name no known column left out of the SQL with a warning.
#include <string>
#include <vector>

#include "ddt/header/ListaProva.h"
#include "platform/dati/GestRecordset.h"

namespace {

using ListaSql = prova::ListaProva;

const std::vector<std::string> kBase = {
    "DdtTest.Anno",
    "DdtTest.NumRif",
    "DdtTest.DataRif",
    "DdtTest.FattDocumento",
    "DdtTest.PreDoc & '/' & DdtTest.NumDoc as Documento",
    "DdtTest.DataDoc",
    "DdtTest.GruppoCli & '-' & MastroCli & '-' & ContoCli as Cliente",
    "PianoConti.Descrizione",
    "iif(DdtTest.Stato = 'S','Stampato', iif(DdtTest.Stato = 'E','Evaso',' '))",
    "DdtTest.RifCli",
    "DdtTest.Nota",
    "DdtTest.Stato as StatoSel",
};

const std::string kFrom =
    " FROM DdtTest LEFT JOIN Pianoconti ON DdtTest.GruppoCli = Pianoconti.Gruppo AND DdtTest.MastroCli = "
    "Pianoconti.Mastro AND DdtTest.ContoCli = Pianoconti.Conto";

std::string Unisci(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
  return s;
}

// The base items with `agg` inserted before the base item at 0-based `dove`.
std::vector<std::string> Con(std::vector<std::pair<size_t, std::string>> agg) {
  std::vector<std::string> v = kBase;
  for (auto it = agg.rbegin(); it != agg.rend(); ++it) v.insert(v.begin() + static_cast<long>(it->first), it->second);
  return v;
}

TEST_F(ListaSql, NoSettingsTwelveItemsJoinedToTheAccountsByDateAndNumber) {
  frmDdtTestLis l;
  l.LeggiColonneAgg("");
  const std::string senza = l.PrepSql("");
  EXPECT_EQ(senza, "Select " + Unisci(kBase) + kFrom + " Order by DdtTest.DataRif, DdtTest.NumRif");
  EXPECT_EQ(l.osSql(), senza);
  EXPECT_EQ(senza.find(" where "), std::string::npos);
  EXPECT_EQ(l.PrepSql("Anno >= 2026"),
            "Select " + Unisci(kBase) + kFrom + " where Anno >= 2026 Order by DdtTest.DataRif, DdtTest.NumRif");
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(ListaSql, PersonalColumnsAndOrderOnlyWhenTheyNameKnownColumns) {
  struct Caso {
    const char* aggEle;
    const char* ordin;
    std::vector<std::string> select;
    std::string ordine;
    const char* avviso;  // a word of the warning, nullptr none
  };
  const std::string predef = "DdtTest.DataRif, DdtTest.NumRif";
  const std::vector<Caso> casi = {
      {"", "", kBase, predef, nullptr},
      // one entry: expression, position 3, width, heading
      {"Peso,3,1500,H", "", Con({{2, "Peso as _Peso"}}), predef, nullptr},
      {"DdtTest.Colli,1", "", Con({{0, "DdtTest.Colli"}}), predef, nullptr},
      {"pianoconti.Localita,13,900", "", Con({{12, "pianoconti.Localita"}}), predef, nullptr},
      // no place, place 0, beyond N + 12: not in the list
      {"Peso,0§Colli", "", kBase, predef, nullptr},
      {"Peso,14", "", kBase, predef, nullptr},
      {"Peso,-2,100,X", "", kBase, predef, nullptr},
      // unknown, ambiguous, not a column, a second entry for a taken place
      {"Pippo,3§Peso,4", "", Con({{3, "Peso as _Peso"}}), predef, "Pippo"},
      {"Stato,5", "", kBase, predef, "Stato"},
      {"Peso);Delete From DdtTest;--,3", "", kBase, predef, "Delete"},
      {"Articoli.Descrizione,2", "", kBase, predef, "Articoli"},
      {"Peso,3§DdtTest.Colli,3", "", Con({{2, "Peso as _Peso"}}), predef, "posizione 3"},
      // sort orders
      {"", "DdtTest.NumRif Desc", kBase, "DdtTest.NumRif Desc", nullptr},
      {"", "Pianoconti.Descrizione, DataRif asc", kBase, "Pianoconti.Descrizione, DataRif asc", nullptr},
      {"", "Colli desc, Pippo, NumRif", kBase, "Colli desc, NumRif", "Pippo"},
      {"", "NumRif; Drop Table DdtTest", kBase, predef, "Drop"},
      {"", "1=1", kBase, predef, "1=1"},
      {"", "NumRif Desc Desc", kBase, predef, "NumRif"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.aggEle) + " | " + c.ordin);
    messaggi_.clear();
    frmDdtTestLis l;
    l.LeggiColonneAgg(c.aggEle);
    l.osListaOrdin = c.ordin;
    const std::string sql = l.PrepSql("");
    EXPECT_EQ(sql, "Select " + Unisci(c.select) + kFrom + " Order by " + c.ordine);
    if (c.avviso) {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_NE(messaggi_[0].find(c.avviso), std::string::npos) << messaggi_[0];
    } else {
      EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    }
    // The sort text is checked once: the same setting warns no more.
    messaggi_.clear();
    EXPECT_EQ(l.PrepSql(""), sql);
    EXPECT_TRUE(messaggi_.empty());
    // What reaches the database reads.
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    EXPECT_FALSE(rs.FineRec(k));
    rs.ChiudiRecordset(k);
  }
}

TEST_F(ListaSql, KeyColumnsFollowTheAdditionalColumns) {
  frmDdtTestLis l;
  l.LeggiColonneAgg("");
  EXPECT_EQ(l.ColonnaChiave(1), 0);
  EXPECT_EQ(l.ColonnaChiave(2), 1);
  EXPECT_EQ(l.ColonnaChiave(12), 11);
  l.LeggiColonneAgg("Peso,1§Colli,3");
  EXPECT_EQ(l.ColonnaChiave(1), 1);
  EXPECT_EQ(l.ColonnaChiave(2), 3);
  EXPECT_EQ(l.ColonnaChiave(12), 13);
}

}  // namespace

// The line grid's statement and what the page learns of its columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/dati/Recordset.h"

namespace prova {
namespace {
using namespace dati::demo;

class Query : public RigheProva {
 protected:
  // Outlives the windows, which the bench closes after the test.
  std::unique_ptr<DatabaseServer> server_;

  // The fields of the grid, in order.
  static std::vector<std::string> Colonne(frmDDTDett& d) {
    std::vector<std::string> v;
    for (int i = 0; i < d.dbgRiga().NumColonne(); ++i) v.push_back(d.dbgRiga().Colonna(i).DataField);
    return v;
  }
  static int Posto(frmDDTDett& d, const std::string& campo) {
    for (int i = 0; i < d.dbgRiga().NumColonne(); ++i)
      if (vb::UgualeTesto(d.dbgRiga().Colonna(i).DataField, campo)) return i;
    return -1;
  }
};

const std::vector<std::string> kStandard = {
    "Anno",          "NumRif",         "RigDet",         "RigLiv",        "TipoRiga",      "Articolo",
    "Comando",       "_Descrizione",   "Descrizione",    "UM",            "Qta",           "ValUnitario",
    "ValTotale",     "ScontoTot",      "Iva",            "ContoRicavo",   "GruppoVen",     "MastroVen",
    "ContoVen",      "CentroDiCosto",  "ScontoCli",      "ScontoArt",     "ScontoTab",     "ScontoQuant",
    "FlScontoPag",   "Promozione",     "FatCon",         "Colli",         "Omaggio",       "PercProvv1",
    "PercProvv2",    "Val_Mon_Corr",   "DoveStampoDesLung", "NotaSopraStamp", "NotaSopra", "NotaSottoStamp",
    "NotaSotto",     "FattDocumentoProv", "AnnoRifProv", "NumRifProv",    "RigaRifProv",   "QtaProv",
    "Lunghezza",     "Larghezza",      "Altezza",        "ValLire",       "ValEuro",       "DescPers1",
    "DescPers2",     "DescPers3",      "DescPers4",      "CopiaTaglia",   "TipoProv",      "CompGiornMens",
    "DataCompDa",    "DataCompA",      "SoggRitAcc",     "RigLivRAEE",    "Contratto"};

TEST_F(Query, WithoutPersonalColumnsTheGridHasTheStandardColumnsInOrder) {
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_EQ(Colonne(d), kStandard);
  const std::string sql = d.PrepSql().ToString();
  EXPECT_EQ(sql.substr(0, 8), "Select  ");
  EXPECT_EQ(d.ogLinPag().Recordset()->RecordCount(), 3);
}

TEST_F(Query, AMarginSchemeDocumentReadsTheUsedGoodsColumnAfterTheTotal) {
  for (const char* regime : {"S", "s"}) {
    frmDDTDett& d = Righe(kDdtModificabile);
    d.osRegimeMargine = regime;
    d.ogLinPag().ApriRighe(d.PrepSql().ToString());
    std::vector<std::string> attese = kStandard;
    attese.insert(attese.begin() + 13, "BeneUsato");
    EXPECT_EQ(Colonne(d), attese) << regime;
    frmDDTDett::Rilascia();
  }
}

TEST_F(Query, TheComputedColumnsShowDescriptionAccountAndValueInTheCompanyCurrency) {
  // A descriptive line, a command line, a line whose own description is
  // empty (the article's shows) and one of another currency's value.
  Sql("Update DdtDett Set Descrizione = Null, GruppoVen = '60', MastroVen = '10', ContoVen = '0001', "
      "ValLire = 1000, ValEuro = 7 Where Anno = 2026 And NumRif = 3 And RigDet = 1");
  Sql("Update DdtDett Set TipoRiga = 'D', NotaSopra = 'Consegna al piano' Where Anno = 2026 And NumRif = 3 And "
      "RigDet = 2");
  Sql("Update DdtDett Set TipoRiga = 'C', Comando = 'SR', NotaSopra = '2' Where Anno = 2026 And NumRif = 3 And "
      "RigDet = 3");
  frmDDTDett& d = Righe(kDdtModificabile);
  dati::Recordset& rs = *d.ogLinPag().Recordset();
  rs.MoveFirst();
  const std::string articolo = rs.Leggi("Articolo").ToString();
  EXPECT_EQ(rs.Leggi("_Descrizione").ToString(),
            Valore("Select Descrizione from Articoli Where Articolo = '" + articolo + "'", "Descrizione"));
  EXPECT_EQ(rs.Leggi("ContoRicavo").ToString(), "60-10-0001");
  EXPECT_EQ(rs.Leggi("Val_Mon_Corr").ToDouble(), 7);
  rs.MoveNext();
  EXPECT_EQ(rs.Leggi("_Descrizione").ToString(), "Consegna al piano");
  rs.MoveNext();
  EXPECT_EQ(rs.Leggi("_Descrizione").ToString(), "SR 2");
  frmDDTDett::Rilascia();

  // A company keeping its books in lire reads the lire value.
  G().gsMonetaDitta = "l.";
  frmDDTDett& l = Righe(kDdtModificabile);
  l.ogLinPag().Recordset()->MoveFirst();
  EXPECT_EQ(l.ogLinPag().Recordset()->Leggi("Val_Mon_Corr").ToDouble(), 1000);
}

// The same statement on the server: computed columns, a personal list and
// the totals.
TEST_F(Query, OnTheServerTheGridReadsTheSameColumns) {
  if (!ApriSuServer(server_)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
  Sql("Update DdtDett Set TipoRiga = 'C', Comando = 'SR', NotaSopra = '2' Where Anno = 2026 And NumRif = 3 And "
      "RigDet = 3");
  ParPers("Ddt", "DettOrdCol", "Qta§1200^Quantita,Articoli.Descrizione,ContoRicavo");
  ParPers("Ddt", "DettOrdColTest", "-");
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ogLinPag().Recordset()->RecordCount(), 3);
  EXPECT_EQ(d.dbgRiga().Colonna(0).DataField, "Quantita");
  EXPECT_EQ(d.dbgRiga().Colonna(0).Width, 1200);
  dati::Recordset& rs = *d.ogLinPag().Recordset();
  rs.SetAbsolutePosition(2);
  EXPECT_EQ(rs.Leggi("_Descrizione").ToString(), "SR 2");
  EXPECT_EQ(d.mlMaxRigLiv,
            std::stol(Valore("Select Max(RigLiv) as M from DdtDett Where Anno = 2026 And NumRif = 3", "M")));
  EXPECT_NE(d.lab(280).Caption(), "");
}

TEST_F(Query, ALineWhoseArticleIsGoneKeepsItsPlace) {
  Sql("Update DdtDett Set Articolo = 'NON-ESISTE', Descrizione = Null Where Anno = 2026 And NumRif = 3 And RigDet "
      "= 2");
  frmDDTDett& d = Righe(kDdtModificabile);
  dati::Recordset& rs = *d.ogLinPag().Recordset();
  ASSERT_EQ(rs.RecordCount(), 3);
  rs.SetAbsolutePosition(1);
  EXPECT_EQ(rs.Leggi("Articolo").ToString(), "NON-ESISTE");
  EXPECT_TRUE(rs.Leggi("_Descrizione").IsNull());
}

TEST_F(Query, EachStatementRecountsTheTotalsAndTheKeyCounter) {
  frmDDTDett& d = Righe(kDdtModificabile);
  const int32_t massimo = d.mlMaxRigLiv;
  EXPECT_GT(massimo, 0);
  d.mlMaxRigLiv = 0;
  d.lab(285).SetCaption("x");
  d.PrepSql();
  EXPECT_EQ(d.mlMaxRigLiv, massimo);
  EXPECT_NE(d.lab(285).Caption(), "x");
}

TEST_F(Query, FieldPropertiesOfAGridColumn) {
  frmDDTDett& d = Righe(kDdtModificabile);
  const int qta = Posto(d, "Qta"), art = Posto(d, "Articolo"), descr = Posto(d, "_Descrizione");
  ASSERT_GE(qta, 0);
  struct Caso {
    int colonna;
    const char* proprieta;
    std::string atteso;
  } casi[] = {
      {qta, "Type", "7"},
      {qta, "NAME", "Qta"},
      {qta, "sourcefield", "Qta"},
      {qta, "SourceTable", "DdtDettApp"},
      {qta, "dataupdatable", "Vero"},
      {qta, "size", "8"},
      {art, "type", "10"},
      {art, "size", "30"},
      {art, "fieldsize", std::to_string(vb::Len(d.dbgRiga().TestoCella(art)))},
      {descr, "sourcetable", ""},
      {descr, "dataupdatable", "Falso"},
      // Out of the grid: the defaults.
      {999, "type", "10"},
      {-1, "name", ""},
      {999, "dataupdatable", "Falso"},
      {999, "size", "0"},
      {999, "fieldsize", "0"},
  };
  for (const Caso& c : casi) {
    const vb::Variant v = d.ovField(c.colonna, c.proprieta);
    EXPECT_EQ(v.ToString(), c.atteso)
        << c.colonna << " " << c.proprieta;
  }
  EXPECT_TRUE(d.ovField(qta, "colore").IsEmpty());
}

TEST_F(Query, ManyLinesShowTheirFirstScreenWithoutReadingThemAll) {
  constexpr long kRighe = 5000;
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& m = db_->Motore(conn_);
  m.IniziaTransazione();
  for (long i = 1; i <= kRighe; ++i)
    m.Esegui("INSERT INTO DdtDettApp (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, ValUnitario, ValTotale, "
             "Omaggio) VALUES (2026, 3, ?, ?, 'A', 'NON-ESISTE', 1, 2, 2, 'N')",
             {vb::Variant(static_cast<int>(i + 10)), vb::Variant(static_cast<int>(i + 1000))});
  m.ConfermaTransazione();
  d.ogLinPag().ApriRighe(d.PrepSql().ToString());
  dati::Recordset* rs = d.ogLinPag().Recordset();
  ASSERT_NE(rs, nullptr);
  EXPECT_LT(rs->RigheLette(), 1000);
  EXPECT_EQ(d.mlMaxRigLiv, kRighe + 1000);
  EXPECT_EQ(d.dbgRiga().TestoCella(Posto(d, "RigDet")), "1");
}

TEST_F(Query, TheBookmarkEnablesGoTo) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.SetovfrmBookmark("");
  EXPECT_EQ(d.ovfrmBookmark(), "");
  EXPECT_FALSE(d.tolLinPag().Elem("VaiA").Enabled);
  d.SetovfrmBookmark("17");
  EXPECT_EQ(d.ovfrmBookmark(), "17");
  EXPECT_TRUE(d.tolLinPag().Elem("VaiA").Enabled);
  d.SetovfrmBookmark("");
  EXPECT_FALSE(d.tolLinPag().Elem("VaiA").Enabled);
}

}  // namespace
}  // namespace prova

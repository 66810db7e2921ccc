// The line grid under the header: personal column orders (and entries that
// name nothing the three tables hold), the catalogue's expressions, and a
// DDT of thousands of lines whose first screen is all that is read.
#include <vector>

#include "ddt/header/LettureProva.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/dati/Motore.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace {

using namespace dati::demo;

class Dett : public prova::LettureProva {
 protected:
  static bool RigheAperte() { return frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata(); }
  // The line window goes before the header that opened it.
  void TearDown() override {
    if (RigheAperte()) frmDDTDett::Istanza().Unload();
    frmDDTDett::Rilascia();
    LettureProva::TearDown();
  }
  // The order text as the load leaves it, then the grid of a DDT.
  void Griglia(const std::string& ordine, long numRif = kDdtModificabile) {
    frmDdtTest& f = Finestra();
    f.msDettOrdColTest = ordine;
    f.mbColPersTest = false;
    if (!ordine.empty()) f.DettOrdCol();
    Vai(numRif);
    f.MostraDett();
  }
  std::vector<std::string> Nomi() {
    std::vector<std::string> v;
    ui::Griglia& g = f_->GrigliaDett();
    for (int i = 0; i < g.NumColonne(); ++i) v.push_back(g.Colonna(i).DataField);
    return v;
  }
  long Larghezza(const std::string& nome) {
    ui::Griglia& g = f_->GrigliaDett();
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).DataField == nome) return g.Colonna(i).Width;
    return -1;
  }
  // The cell of column `nome` in row `riga`.
  std::string Cella(long riga, const std::string& nome) {
    ui::Griglia& g = f_->GrigliaDett();
    for (int i = 0; i < g.NumColonne(); ++i)
      if (g.Colonna(i).DataField == nome) return g.TestoCella(riga, i);
    ADD_FAILURE() << "no column " << nome;
    return {};
  }
};

const std::vector<std::string> kCatalogo = {"Articolo", "_Descrizione", "UM",      "Quantità",  "Prz_Unitario",
                                            "Prz_Totale", "Iva",        "Sconto",  "ContoRicavo", "Omaggio",
                                            "NotaSopra",  "NotaSotto"};

struct CasoOrdine {
  const char* ordine;
  std::vector<std::string> primi;  // the first columns, in order
  std::vector<long> larghezze;     // their widths: a personal one as given, the
                                   // others as the bench's font needs (heading,
                                   // typical value), never below the design
  size_t colonne;                  // how many in all
  const char* scartata;            // the entry a warning names, "" none
};

TEST_F(Dett, PersonalColumnOrders) {
  const CasoOrdine casi[] = {
      {"", {"Articolo", "_Descrizione"}, {1300, 3200}, 12, ""},
      {"Qta§900,Articolo", {"Quantità", "Articolo", "_Descrizione", "UM", "Prz_Unitario"}, {900, 1300, 3200, 498, 1488},
       12, ""},
      {" - ", {"Articolo"}, {1300}, 12, ""},
      {"DdtDettApp.Qta^Pezzi", {"Quantità", "Articolo"}, {1290, 1300}, 12, ""},
      {"Articolo^Codice", {"Codice", "_Descrizione"}, {1000, 3200}, 12, ""},
      {"Articoli.Descrizione§2500^DesArt", {"DesArt", "Articolo"}, {2500, 1300}, 13, ""},
      {"Liv1§700", {"Liv1", "Articolo"}, {700, 1300}, 13, ""},
      {"_Descrizione§900^Testo", {"_Descrizione", "Articolo"}, {900, 1300}, 12, ""},
      {"DdtTest.Nota^NotaTestata,ContoRicavo", {"NotaTestata", "ContoRicavo", "Articolo"}, {1389, 1389, 1300}, 13,
       ""},
      {"Qta,", {"Quantità", "Articolo"}, {1290, 1300}, 12, ""},
      // entries that would bring into the statement what no table holds
      {"Qta§900,Fantasma,Articolo", {"Quantità", "Articolo"}, {900, 1300}, 12, "Fantasma"},
      {"Qta) FROM DdtTest --", {"Articolo"}, {1300}, 12, "Qta) FROM DdtTest --"},
      {"Clienti.RagSoc", {"Articolo"}, {1300}, 12, "Clienti.RagSoc"},
      {"PianoConti.RagSoc§2000", {"Articolo"}, {1300}, 12, "PianoConti.RagSoc§2000"},
      {"Qta^Pezzi FROM x", {"Articolo"}, {1300}, 12, "Qta^Pezzi FROM x"},
      {"Articoli.Descrizione^Des;Art", {"Articolo"}, {1300}, 12, "Articoli.Descrizione^Des;Art"},
      {"Qta§99999,UM", {"UM", "Articolo"}, {498, 1300}, 12, "Qta§99999"},
      {"UM,UM", {"UM", "Articolo"}, {498, 1300}, 12, "UM"},
      {"Fantasma", {"Articolo"}, {1300}, 12, "Fantasma"},
  };
  for (const CasoOrdine& c : casi) {
    SCOPED_TRACE(c.ordine);
    messaggi_.clear();
    Griglia(c.ordine);
    const std::vector<std::string> nomi = Nomi();
    ASSERT_GE(nomi.size(), c.primi.size());
    for (size_t i = 0; i < c.primi.size(); ++i) {
      EXPECT_EQ(nomi[i], c.primi[i]) << i;
      EXPECT_EQ(f_->GrigliaDett().Colonna(static_cast<int>(i)).Width, c.larghezze[i]) << i;
    }
    EXPECT_EQ(nomi.size(), c.colonne);
    // Every catalogue column is there, under its name or an alias.
    for (const std::string& n : kCatalogo) {
      if (n != "Articolo" || std::string(c.ordine).find("Codice") == std::string::npos) {
        EXPECT_NE(std::find(nomi.begin(), nomi.end(), n), nomi.end()) << n;
      }
    }
    EXPECT_EQ(f_->GrigliaDett().NumRighe(), 3);
    if (*c.scartata) {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_NE(messaggi_[0].find(std::string("\"") + c.scartata + "\""), std::string::npos) << messaggi_[0];
      EXPECT_NE(messaggi_[0].find("DettOrdColTest"), std::string::npos) << messaggi_[0];
    } else {
      EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    }
  }
}

TEST_F(Dett, TheLineWindowsOrderNamesItsOwnSetting) {
  frmDdtTest& f = Finestra();
  f.msDettOrdCol = "Qta,Nulla";
  Griglia("Qta,Nulla");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("\"DettOrdCol\""), std::string::npos) << messaggi_[0];
  EXPECT_EQ(Nomi()[0], "Quantità");
}

TEST_F(Dett, TheLoadReadsTheOrderOfTheGrid) {
  struct Caso {
    const char* dettOrdCol;
    const char* dettOrdColTest;
    const char* primo;
    long larghezza;
    const char* avviso;  // the setting a warning names, "" none
  };
  const Caso casi[] = {
      {"Qta§900,Articolo", "", "Quantità", 900, ""},
      {"Qta§900,Articolo", "-", "Articolo", 1300, ""},
      {"", "UM§500", "UM", 500, ""},
      {"Qta,Sparita", "", "Quantità", 1290, "DettOrdCol"},
      {"Qta", "UM,Sparita", "UM", 498, "DettOrdColTest"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.dettOrdCol) + " / " + c.dettOrdColTest);
    ParPers("Ddt", "DettOrdCol", c.dettOrdCol);
    ParPers("Ddt", "DettOrdColTest", c.dettOrdColTest);
    messaggi_.clear();
    if (f_) f_->Unload();
    f_.reset();
    frmDdtTest& f = Finestra();
    bool avvisato = false;
    for (const std::string& m : messaggi_) avvisato = avvisato || m.find(std::string("\"") + c.avviso + "\"") != std::string::npos;
    EXPECT_EQ(avvisato, *c.avviso != 0);
    Vai(kDdtModificabile);
    f.MostraDett();
    EXPECT_EQ(Nomi()[0], c.primo);
    EXPECT_EQ(f.GrigliaDett().Colonna(0).Width, c.larghezza);
  }
}

TEST_F(Dett, PricesHiddenOnThisTerminalStayHidden) {
  frmDdtTest& f = Finestra();
  G().gbDisabTermVisPrz = true;
  Griglia("ValUnitario§1500,Articolo");
  ui::Griglia& g = f.GrigliaDett();
  for (int i = 0; i < g.NumColonne(); ++i) {
    const std::string& n = g.Colonna(i).DataField;
    EXPECT_EQ(g.Colonna(i).Visible, n != "Prz_Unitario" && n != "Prz_Totale" && n != "Sconto") << n;
  }
  EXPECT_EQ(g.Colonna(0).DataField, "Prz_Unitario");
  G().gbDisabTermVisPrz = false;
  Griglia("ValUnitario§1500,Articolo");
  EXPECT_TRUE(g.Colonna(0).Visible);
}

TEST_F(Dett, CatalogueExpressionsAndLevels) {
  G().gsGesTaglie = "s";
  // The internal DDT's line keeps one level row of two; the evaded DDT's
  // descriptive line has an upper note; a line whose article is gone.
  Sql("DELETE FROM DdtLiv WHERE Anno = 2026 AND NumRif = 4 AND Livello1 = 'M'");
  Sql("UPDATE DdtDett SET NotaSopra = 'Consegna al piano terra' WHERE Anno = 2026 AND NumRif = 1 AND RigDet = 3");
  Sql("UPDATE DdtDett SET Articolo = 'SPARITO', Descrizione = Null WHERE Anno = 2026 AND NumRif = 3 AND RigDet = 2");
  Griglia("", kDdtInterno);
  EXPECT_EQ(Nomi().size(), 14u);
  EXPECT_EQ(Larghezza("Liv1"), 1000);
  EXPECT_EQ(Cella(0, "Liv1"), "S");
  EXPECT_EQ(Cella(0, "Liv2"), "BLU");
  EXPECT_EQ(Cella(0, "ContoRicavo"), "60-01-0001");
  Griglia("", kDdtStampato);  // lines of three and of two level rows
  EXPECT_EQ(Cella(0, "Liv1"), "");
  EXPECT_EQ(Cella(1, "Liv2"), "");
  Griglia("", kDdtEvaso);
  EXPECT_EQ(Cella(2, "_Descrizione"), "Consegna al piano terra");
  EXPECT_EQ(Cella(0, "_Descrizione"), "Viti inox M4x10 (confezione da 100 pz)");
  Griglia("", kDdtModificabile);
  EXPECT_EQ(f_->GrigliaDett().NumRighe(), 3);
  EXPECT_EQ(Cella(1, "Articolo"), "SPARITO");
  EXPECT_EQ(Cella(1, "_Descrizione"), "");
}

TEST_F(Dett, ScreenFactorWidensEveryColumn) {
  frmDdtTest& f = Finestra();
  f.ogComPag().ScriviVarBarra("RisVid", 12, vb::Variant(1.5));
  Griglia("Qta§900");
  EXPECT_EQ(Larghezza("Quantità"), 1350);
  EXPECT_EQ(Larghezza("Articolo"), 1950);
}

TEST_F(Dett, DoubleClickRemembersTheRow) {
  frmDdtTest& f = Finestra();
  Griglia("");
  f.GrigliaDett().VaiARiga(2);
  f.dbgdett_DblClick();
  // The lines open, on the row double-clicked; closed, it is forgotten.
  EXPECT_EQ(f.olPosDett, 2);
  ASSERT_TRUE(RigheAperte());
  EXPECT_EQ(frmDDTDett::Istanza().Opener()->PosDett(), 2);
  frmDDTDett::Istanza().Unload();
  EXPECT_EQ(f.olPosDett, -1);
  // A grid with no row leaves the position as it was.
  Sql("DELETE FROM DdtDett WHERE Anno = 2026 AND NumRif = 2");
  Griglia("", kDdtStampato);
  f.dbgdett_DblClick();
  EXPECT_EQ(f.olPosDett, -1);
  EXPECT_TRUE(RigheAperte());
}

TEST_F(Dett, ManyLinesShowTheirFirstScreenWithoutReadingThemAll) {
  constexpr long kRighe = 20000;
  Sql("INSERT INTO DdtTest (Anno, NumRif, DataRif, FattDocumento, GruppoCli, MastroCli, ContoCli, Tipo) "
      "VALUES (2026, 50, #2026-12-09#, 'DDT', '04', '01', '0014', '3')");
  auto& m = db_->Motore(conn_);
  m.IniziaTransazione();
  for (long i = 1; i <= kRighe; ++i)
    m.Esegui("INSERT INTO DdtDett (Anno, NumRif, RigDet, RigLiv, TipoRiga, Articolo, Qta, ValUnitario, ValTotale) "
             "VALUES (2026, 50, ?, ?, 'A', 'VITE0410', 1, 12.5, 12.5)",
             {vb::Variant(static_cast<int>(i)), vb::Variant(static_cast<int>(i))});
  m.ConfermaTransazione();
  Griglia("", 50);
  ui::Griglia& g = f_->GrigliaDett();
  dati::Recordset* rs = g.DataSource()->Recordset();
  ASSERT_NE(rs, nullptr);
  EXPECT_FALSE(g.FineNota());
  EXPECT_LT(rs->RigheLette(), 1000);
  EXPECT_LT(g.NumRighe(), 1000);
  EXPECT_EQ(Cella(0, "Articolo"), "VITE0410");
  EXPECT_EQ(Cella(0, "_Descrizione"), "Viti inox M4x10 (confezione da 100 pz)");
  // Scrolling on reads on.
  g.LeggiAltre(500);
  EXPECT_GE(g.NumRighe(), 500);
  EXPECT_LT(rs->RigheLette(), kRighe);
}

}  // namespace

// The personal column list of the line grid and the grid's column layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/Recordset.h"

namespace prova {
namespace {
using namespace dati::demo;

class ColonneProva : public RigheProva {
 protected:
  // The lines of the demo DDT opened with `lista` as the user's column
  // list (the header's own grid keeps its standard columns).
  frmDDTDett& ConLista(const std::string& lista, bool prezziNascosti = false) {
    ParPers("Ddt", "DettOrdCol", lista);
    ParPers("Ddt", "DettOrdColTest", "-");
    frmDdtTest& t = Mostra(kDdtModificabile);
    G().gbDisabTermVisPrz = prezziNascosti;
    t.ButtonComando("Dettaglio");
    EXPECT_TRUE(frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata())
        << (messaggi_.empty() ? std::string() : messaggi_.back());
    frmDDTDett& d = frmDDTDett::Istanza();
    Tick(d);
    return d;
  }
  static ui::ColonnaGriglia* Colonna(frmDDTDett& d, const std::string& campo) {
    for (int i = 0; i < d.dbgRiga().NumColonne(); ++i)
      if (vb::UgualeTesto(d.dbgRiga().Colonna(i).DataField, campo)) return &d.dbgRiga().Colonna(i);
    return nullptr;
  }
  // The parsed entries, "column|alias|width" joined by ";".
  static std::string Voci(const frmDDTDett& d) {
    std::string s;
    for (size_t i = 0; i < d.masColPers.size(); ++i)
      s += (i ? ";" : "") + d.masColPers[i] + "|" + d.masAliasColPers[i] + "|" + std::to_string(d.maiLargColPers[i]);
    return s;
  }
};

struct Caso {
  const char* lista;
  const char* voci;  // "" = no personal list
  const char* primi;  // the first grid columns, comma separated
};

class ListaColonne : public ColonneProva, public ::testing::WithParamInterface<Caso> {};

// Whatever the list holds, the grid opens on the DDT's three lines: entries
// that name no column of the statement, or under a name that is not plain,
// are left out and the rest of the list still counts.
TEST_P(ListaColonne, TheListIsReadAndTheGridOpens) {
  const Caso& c = GetParam();
  frmDDTDett& d = ConLista(c.lista);
  EXPECT_EQ(Voci(d), c.voci);
  EXPECT_EQ(d.mbColPers, *c.voci != '\0');
  ASSERT_NE(d.ogLinPag().Recordset(), nullptr);
  EXPECT_EQ(d.ogLinPag().Recordset()->RecordCount(), 3);
  std::vector<std::string> primi;
  vb::FunzioniComuni::Istanza().Dividi(c.primi, ",", primi);
  for (size_t i = 1; i < primi.size(); ++i)
    EXPECT_EQ(d.dbgRiga().Colonna(static_cast<int>(i - 1)).DataField, primi[i]) << i;
  EXPECT_EQ(d.txt(20).Text(), d.ogLinPag().Recordset()->Leggi("DdtDettApp.Articolo").ToString());
}

INSTANTIATE_TEST_SUITE_P(
    Colonne, ListaColonne,
    ::testing::Values(
        Caso{"Qta§1200", "DdtDettApp.Qta||1200", "Qta,Anno"},
        Caso{" Qta § 1200 ^ Quantita ", "DdtDettApp.Qta| as Quantita|1200", "Quantita,Anno"},
        Caso{"Qta^Quantità", "DdtDettApp.Qta| as Quantità|0", "Quantità,Anno"},
        Caso{"Qta^Qta", "DdtDettApp.Qta| as Qta|0", "Qta,Anno"},
        // What follows the "^" is all name.
        Caso{"Qta^Quant§900", "DdtDettApp.Qta| as Quant§900|0", "Quant§900,Anno"},
        Caso{"DdtDett.UM,ddtdett.Iva", "DdtDettApp.UM||0;DdtDettApp.Iva||0", "UM,Iva,Anno"},
        Caso{"Articoli.Descrizione", "Articoli.Descrizione||0", "Descrizione,Anno"},
        Caso{"_descrizione§4000^Pippo,contoricavo,VAL_MON_CORR",
             "_descrizione||4000;contoricavo||0;VAL_MON_CORR||0", "_Descrizione,ContoRicavo,Val_Mon_Corr,Anno"},
        Caso{"DdtTest.DataRif,Clienti.RagSoc,DdtDettApp.Qta.x,DdtTest.Pippo,DdtDettApp.*", "DdtTest.DataRif||0",
             "DataRif,Anno"},
        Caso{"Qta§abc,UM§99999,Iva§-5", "DdtDettApp.Qta||0;DdtDettApp.UM||0;DdtDettApp.Iva||-5", "Qta,UM,Iva,Anno"},
        // Blank entries and a trailing comma.
        Caso{",, Qta ,,UM,", "DdtDettApp.Qta||0;DdtDettApp.UM||0", "Qta,UM,Anno"},
        // A column named twice counts once, in its first place.
        Caso{"Qta,UM,qta,DdtDettApp.Qta§900", "DdtDettApp.Qta||0;DdtDettApp.UM||0", "Qta,UM,Anno"},
        // Names that are no column of the statement.
        Caso{"Pippo", "", "Anno,NumRif"},
        Caso{"Qta'; Delete From DdtDettApp; --", "", "Anno,NumRif"},
        Caso{"Qta;UM,Iva", "DdtDettApp.Iva||0", "Iva,Anno"},
        Caso{"Qta -- commento,UM", "DdtDettApp.UM||0", "UM,Anno"},
        Caso{"\"Qta\",[UM],'Iva'", "", "Anno,NumRif"},
        // Names to show a column under that are not plain names, or that
        // another column of the grid already has.
        Caso{"Qta^From,UM^1x,Iva^a b,Colli^x'y", "", "Anno,NumRif"},
        Caso{"Qta^Articolo,UM^_Descrizione", "", "Anno,NumRif"},
        Caso{"Qta^A,UM^a", "DdtDettApp.Qta| as A|0", "A,Anno"}));

TEST_F(ColonneProva, TwoHundredEntriesAreReadAndTheGridOpens) {
  const char* colonne[] = {"Qta§900", "UM", "Pippo", "", "Iva^Aliquota", "Articoli.Descrizione", "_Descrizione§4000",
                           "x'--"};
  std::string lista;
  for (int i = 0; i < 200; ++i) lista += std::string(colonne[i % 8]) + ",";
  frmDDTDett& d = ConLista(lista);
  EXPECT_EQ(Voci(d),
            "DdtDettApp.Qta||900;DdtDettApp.UM||0;DdtDettApp.Iva| as Aliquota|0;Articoli.Descrizione||0;"
            "_Descrizione||4000");
  EXPECT_EQ(d.ogLinPag().Recordset()->RecordCount(), 3);
  EXPECT_EQ(d.dbgRiga().Colonna(0).Width, 900);
  EXPECT_EQ(d.dbgRiga().Colonna(4).Width, 4000);
}

TEST_F(ColonneProva, AWidthInTheListReplacesTheStandardWidth) {
  frmDDTDett& d = ConLista("Qta§1200");
  ASSERT_EQ(d.masColPers.size(), 1u);
  EXPECT_EQ(d.masColPers[0], "DdtDettApp.Qta");
  EXPECT_EQ(d.maiLargColPers[0], 1200);
  EXPECT_EQ(d.dbgRiga().Colonna(0).DataField, "Qta");
  EXPECT_EQ(d.dbgRiga().Colonna(0).Width, 1200);
  // The layout follows every re-read.
  d.ogLinPag().Rileggi();
  EXPECT_EQ(d.dbgRiga().Colonna(0).Width, 1200);
  EXPECT_EQ(Colonna(d, "UM")->Width, 350);
}

TEST_F(ColonneProva, WithoutAListTheStandardLayoutApplies) {
  G().gsDescPersDet1 = "Colore";
  G().gsDescPersDet3 = "Finitura";
  ParPers("Articoli", "LabLung", "Lung.");
  frmDDTDett& d = ConLista("");
  EXPECT_FALSE(d.mbColPers);
  const std::pair<const char*, long> larghezze[] = {
      {"Articolo", 1700}, {"_Descrizione", 3700}, {"UM", 350},         {"Qta", 800},
      {"ValUnitario", 1000}, {"ValTotale", 1000}, {"ScontoTot", 800},   {"CentroDiCosto", 1300},
      {"ContoRicavo", 1000}, {"FatCon", 800},     {"Contratto", 800}};
  for (const auto& [campo, larghezza] : larghezze) {
    ASSERT_NE(Colonna(d, campo), nullptr) << campo;
    EXPECT_EQ(Colonna(d, campo)->Width, larghezza) << campo;
  }
  EXPECT_EQ(Colonna(d, "Lunghezza")->Caption, "Lung.");
  EXPECT_EQ(Colonna(d, "Larghezza")->Caption, "Larghezza");
  EXPECT_EQ(Colonna(d, "DescPers1")->Caption, "Colore");
  EXPECT_TRUE(Colonna(d, "DescPers1")->Visible);
  EXPECT_FALSE(Colonna(d, "DescPers2")->Visible);
  EXPECT_TRUE(Colonna(d, "DescPers3")->Visible);
  EXPECT_FALSE(Colonna(d, "DescPers4")->Visible);
  EXPECT_EQ(Colonna(d, "CompGiornMens")->Caption, "TipoCompetenza");
  for (const char* nascosta : {"GruppoVen", "MastroVen", "ContoVen", "CopiaTaglia", "TipoProv"})
    EXPECT_FALSE(Colonna(d, nascosta)->Visible) << nascosta;
  for (const char* visibile : {"ContoRicavo", "ValUnitario", "Val_Mon_Corr"})
    EXPECT_TRUE(Colonna(d, visibile)->Visible) << visibile;
}

// On a terminal barred from prices the price and discount columns stay
// hidden, also when the personal list shows them under a name of its own.
TEST_F(ColonneProva, PriceColumnsStayHiddenOnABarredTerminalAlsoUnderAnAlias) {
  const std::string lista = "ValUnitario^Prezzo,ScontoTot^Sconto,ValLire^Lire,Val_Mon_Corr^X,ScontoCli,Qta^Quantita";
  for (const bool nascosti : {false, true}) {
    frmDDTDett& d = ConLista(lista, nascosti);
    for (const char* campo : {"Prezzo", "Sconto", "Lire", "Val_Mon_Corr", "ScontoCli", "ValTotale", "ScontoArt",
                              "ScontoQuant", "ScontoTab"}) {
      ASSERT_NE(Colonna(d, campo), nullptr) << campo;
      EXPECT_EQ(Colonna(d, campo)->Visible, !nascosti) << campo << " " << nascosti;
    }
    EXPECT_TRUE(Colonna(d, "Quantita")->Visible);
    EXPECT_TRUE(Colonna(d, "Articolo")->Visible);
    frmDDTDett::Rilascia();
  }
}

// A column the list shows under another name, or a column of another table
// of the same name, does not take the line's own column away from the
// line's boxes: they show and save the line's values.
TEST_F(ColonneProva, TheLineBoxesKeepTheirColumnsWhateverTheListShows) {
  frmDDTDett& d = ConLista("Qta^Quantita,Articoli.Descrizione");
  dati::Recordset& rs = *d.ogLinPag().Recordset();
  rs.SetAbsolutePosition(2);
  d.dbgRiga().Riposizionato();
  d.ogLinPag().RigaColCambiata();
  EXPECT_EQ(d.txt(23).Text(), "Corso HACCP per alimentaristi (8 ore) - sessione del 15/01/2027");
  EXPECT_EQ(vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(d.txt(30).Text())), 1);
  d.txt(23).SetText("Corso HACCP");
  d.txt(30).SetText("2");
  EXPECT_EQ(d.ogLinPag().SalvaRiga(), "") << (messaggi_.empty() ? std::string() : messaggi_.back());
  EXPECT_EQ(Valore("Select Descrizione from DdtDettApp Where Anno = 2026 And NumRif = 3 And RigDet = 3",
                   "Descrizione"),
            "Corso HACCP");
  EXPECT_EQ(Valore("Select Qta from DdtDettApp Where Anno = 2026 And NumRif = 3 And RigDet = 3", "Qta"), "2");
}

}  // namespace
}  // namespace prova

// The field table of the line: columns by field number, the declarations
// the page receives, sizes that follow the decimals, and the combos' code
// tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/AperturaDiretta.h"
#include "platform/Currency.h"

namespace prova {
namespace {

class CampiRiga : public AperturaDiretta {
 protected:
  barre::gridlib::CampoRiga& Campo(frmDDTDett& d, int n) {
    return d.ogLinPag().Campi(d.masNomeCampo[static_cast<size_t>(n)]);
  }
};

TEST_F(CampiRiga, TheFieldsAreDeclaredInTheirOrderWithTheirColumns) {
  frmDDTDett& d = Apri(Base());
  const std::vector<std::string> attese = {
      "Anno",        "NumRif",         "RigDet",      "RigLiv",        "Articolo",      "TipoRiga",
      "Descrizione", "Comando",        "Qta",         "Colli",         "ValUnitario",   "ValTotale",
      "ValLire",     "ValEuro",        "FlScontoPag", "ScontoTot",     "ScontoTab",     "ScontoCli",
      "ScontoArt",   "ScontoQuant",    "Iva",         "UM",            "FatCon",        "|-|GruppoVen|MastroVen|ContoVen",
      "CentroDiCosto", "Omaggio",      "Promozione",  "PercProvv1",    "PercProvv2",    "DoveStampoDesLung",
      "NotaSopraStamp", "NotaSopra",   "NotaSottoStamp", "NotaSotto",  "FattDocumentoProv", "AnnoRifProv",
      "NumRifProv",  "RigaRifProv",    "QtaProv",     "CompGiornMens", "DataCompDa",    "DataCompA",
      "DescPers1",   "DescPers2",      "DescPers3",   "DescPers4",     "TipoProv",      "SoggRitAcc",
      "RigLivRAEE",  "Contratto",      "Lunghezza",   "Larghezza",     "Altezza",
  };
  const auto& elenco = d.ogLinPag().Elenco();
  ASSERT_EQ(elenco.size(), attese.size());
  for (size_t i = 0; i < attese.size(); ++i) EXPECT_EQ(elenco[i]->osNome, attese[i]) << i;
  // The column of every field by its number, read by the other procedures.
  const std::vector<std::pair<int, std::string>> numeri = {
      {600, "Anno"}, {10, "RigDet"}, {15, "RigLiv"}, {20, "Articolo"}, {30, "Qta"}, {160, "|-|GruppoVen|MastroVen|ContoVen"},
      {420, "NotaSopra"}, {530, "QtaProv"}, {830, "Contratto"}, {800, "Lunghezza"}, {26, ""}, {425, ""}, {250, ""},
  };
  for (const auto& [n, c] : numeri) EXPECT_EQ(d.masNomeCampo[static_cast<size_t>(n)], c) << n;
  EXPECT_EQ(elenco[3]->ctrl, &d.lab(15));
  EXPECT_EQ(elenco[0]->ctrl, &d.txt(600));
}

TEST_F(CampiRiga, EachDeclarationCarriesItsFlagsDefaultsAndFormats) {
  G().gsQtaDef = "1";
  G().gsMascQta = "#,###.^^^";
  ParDettaglio p = Base();
  p.osScontoClie = "5";
  frmDDTDett& d = Apri(p);
  struct Caso {
    int n;
    int chiave, tipo, fisso;
    const char* def;
    int obblig;
    int nascosto;
  };
  const std::vector<Caso> casi = {
      {600, 1, -1, 2, "", 0, -1}, {610, 1, -1, 2, "", 0, -1}, {10, 1, -1, 0, "", 1, -1}, {15, 0, -1, 0, "", 1, -1},
      {20, 0, -1, 0, "", 0, 0},   {18, 0, -1, 0, "A", 1, -1}, {30, 0, 7, 0, "1", 1, 0},  {60, 0, 7, 0, "", 0, 0},
      {290, 0, 7, 0, "", 0, -1},  {75, 0, -1, 0, "S", 0, 0},  {100, 0, -1, 0, "5", 0, 0}, {130, 0, -1, 0, "", 1, 0},
      {140, 0, -1, 0, "", 1, 0},  {150, 0, 7, 0, "", 1, -1},  {170, 0, -1, 0, "N", 0, 0}, {175, 0, -1, 0, "N", 0, 0},
      {410, 0, -1, 0, "N", 0, 0}, {430, 0, -1, 0, "N", 0, 0}, {205, 0, -1, 0, "S", 0, 0}, {180, 0, -1, 0, "", 0, 0},
  };
  for (const auto& c : casi) {
    const auto& f = Campo(d, c.n);
    EXPECT_EQ(f.oiChiave, c.chiave) << c.n;
    EXPECT_EQ(f.oiTipoNum, c.tipo) << c.n;
    EXPECT_EQ(f.oiKeyFisso, c.fisso) << c.n;
    EXPECT_EQ(f.osAzzCampo, c.def) << c.n;
    // Unit and factor are declared mandatory, then follow the line shown:
    // a line without an article needs neither.
    const bool obblig = (c.n == 140 || c.n == 150) ? c.obblig != 0 && !d.txt(20).Text().empty() : c.obblig != 0;
    EXPECT_EQ(f.oiObblig != 0, obblig) << c.n;
    EXPECT_EQ(f.oiNascosto, c.nascosto) << c.n;
  }
  EXPECT_EQ(Campo(d, 30).osTitolo, "Quantità");
  EXPECT_EQ(Campo(d, 60).osTitolo, "Val_Unitario");
  EXPECT_EQ(Campo(d, 70).osTitolo, "Val_Totale");
  EXPECT_EQ(Campo(d, 160).osTitolo, "ContoRicavo");
  EXPECT_EQ(Campo(d, 160).osColGriglia, "ContoRicavo");
  EXPECT_EQ(Campo(d, 160).osDescrizione, "Conto Ricavo");
  EXPECT_EQ(Campo(d, 180).osDescrizione, "% prov. agente princ.");
  EXPECT_EQ(Campo(d, 190).osDescrizione, "% prov. secondo agente");
  EXPECT_EQ(Campo(d, 30).osMaschera, "#,###.^^^");
  EXPECT_EQ(Campo(d, 30).osFormatoGriglia, "#,##0.000");
  EXPECT_EQ(Campo(d, 60).osMaschera, "#,##0.0000");
  EXPECT_EQ(Campo(d, 70).osFormatoGriglia, "#,##0.00");
  EXPECT_EQ(Campo(d, 150).osMaschera, "#,###.^^^");
  EXPECT_EQ(Campo(d, 150).osFormatoGriglia, "#,###.000");
  EXPECT_EQ(Campo(d, 800).osMaschera, "#,###.####");
}

TEST_F(CampiRiga, SizesFollowTheDecimalsTheSignAndTheRegionalSeparator) {
  struct Caso {
    int16_t decQta;
    const char* sep;
    const char* qta;
  };
  const std::vector<Caso> casi = {{3, ",", "-10,3"}, {0, ",", "-10"}, {2, ".", "-10,2"}, {4, ",", "-10,4"}};
  for (const auto& c : casi) {
    G().giNumDecQta = c.decQta;
    G().gsSepDecimali = c.sep;
    frmDDTDett& d = Apri(Base());
    SCOPED_TRACE(std::string(c.sep) + std::to_string(c.decQta));
    EXPECT_EQ(Campo(d, 30).odDim, vb::Currency::FromText(c.qta));
    EXPECT_EQ(Campo(d, 60).odDim, vb::Currency::FromText("-14,4"));
    EXPECT_EQ(Campo(d, 70).odDim, vb::Currency::FromText("-14,2"));
    EXPECT_EQ(Campo(d, 20).odDim, vb::Currency::FromText("-1"));
    EXPECT_EQ(Campo(d, 150).odDim, vb::Currency::FromText("10,3"));
    EXPECT_EQ(Campo(d, 180).odDim, vb::Currency::FromText("-14,3"));
    EXPECT_EQ(Campo(d, 420).odDim, vb::Currency::FromText("1000"));
    EXPECT_EQ(Campo(d, 440).odDim, vb::Currency());
    EXPECT_EQ(Campo(d, 800).odDim, vb::Currency::FromText("-14,4"));
    Chiudi(d);
  }
}

TEST_F(CampiRiga, PackagesWithOrWithoutDecimals) {
  for (bool dec : {true, false}) {
    ParDettaglio p = Base();
    p.obColliDec = dec;
    frmDDTDett& d = Apri(p);
    const auto& f = Campo(d, 40);
    EXPECT_EQ(f.oiTipoNum, dec ? 7 : 3);
    EXPECT_EQ(f.odDim, vb::Currency::FromText(dec ? "8,2" : "6"));
    EXPECT_EQ(f.osMaschera, dec ? "#,###.^^" : "");
    EXPECT_EQ(f.osFormatoGriglia, dec ? "#,##0.00" : "");
    Chiudi(d);
  }
}

TEST_F(CampiRiga, TheCombosCodeTables) {
  frmDDTDett& d = Apri(Base());
  std::string stampa, comandi;
  for (const auto& v : d.mavStampaNota) stampa += v.ToString() + " ";
  for (const auto& v : d.mavComandiRiga) comandi += v.ToString() + " ";
  EXPECT_EQ(stampa, "N A S E ");
  EXPECT_EQ(comandi, "TD PA SR NS TT PT TZ PZ AZ ");
  for (int n : {410, 430, 435}) {
    ASSERT_EQ(d.cob(n).ListCount(), 4) << n;
    EXPECT_EQ(d.cob(n).List(2), "Anche sul doc. di Evasione");
  }
  ASSERT_EQ(d.cob(900).ListCount(), 9);
  EXPECT_EQ(d.cob(900).List(7), "PZ Stampa / Azzera il Totale Parziale e Salta Pagina");
  EXPECT_EQ(d.cob(170).List(1), "S-Omaggio");
  EXPECT_EQ(d.cob(400).ItemData(2), 2);
  // A second load does not pile the items up.
  Chiudi(d);
  frmDDTDett& e = Apri(Base());
  EXPECT_EQ(e.cob(900).ListCount(), 9);
  EXPECT_EQ(e.cob(410).ListCount(), 4);
}

}  // namespace
}  // namespace prova

// What the grid needs of the line entry: read/write mode, line kinds and
// their panels, the combos of the hidden fields, the deletion check, the
// insertion at a position, entry and exit of the fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/AperturaDiretta.h"

namespace prova {
namespace {
using namespace dati::demo;

class VoceRiga : public AperturaDiretta {
 protected:
  int Obblig(frmDDTDett& d, int n) { return d.ogLinPag().Campi(d.masNomeCampo[static_cast<size_t>(n)]).oiObblig; }
};

TEST_F(VoceRiga, TheReadWriteModeHidesThePasteCommandsAndSaysWhy) {
  struct Caso {
    const char* stato;
    int16_t abil;
    bool comandi;
    bool etichetta;
    const char* testo;
  };
  const std::vector<Caso> casi = {
      {"", 1, true, false, ""},
      {"", 0, false, true, "Solo Visualizzazione"},
      {"S", 1, false, true, "Modif.solo righe descr."},
      {"E", 0, false, true, "Modif.solo righe descr."},
  };
  for (const auto& c : casi) {
    ParDettaglio p = Base();
    p.osStato = c.stato;
    p.oiAbilRW = c.abil;
    frmDDTDett& d = Apri(p);
    SCOPED_TRACE(std::string(c.stato) + std::to_string(c.abil));
    EXPECT_EQ(d.LeggioiAbilRW(), c.abil);
    EXPECT_EQ(d.ogLinPag().oiAbilRW(), c.abil);
    for (const char* k : {"Copia", "Taglia", "Incolla", "Inserisci"}) EXPECT_EQ(d.tolLinPag().Elem(k).Visible, c.comandi) << k;
    EXPECT_EQ(d.label1(28).Visible(), c.etichetta);
    if (c.etichetta) {
      EXPECT_EQ(d.label1(28).Caption(), c.testo);
    }
    EXPECT_NE(d.C("txtRiga").Text().find(" / "), std::string::npos);
    Chiudi(d);
  }
}

TEST_F(VoceRiga, TheLineKindShowsItsPanelAndItsMandatoryFields) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    const char* tipo;
    const char* articolo;
    int pannello;
    bool qta, um;
  };
  const std::vector<Caso> casi = {
      {"A", "ART1", 0, true, true}, {"m", "", 0, true, false}, {"d", "", 1, false, false},
      {"C", "ART1", 2, false, false}, {"X", "ART1", 0, true, true}, {"M", "ART1", 0, true, true},
  };
  for (const auto& c : casi) {
    d.txt(18).SetText(c.tipo);
    d.txt(20).SetText(c.articolo);
    d.VisualDettDescr(false);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(d.C("PicDett", i).Visible(), i == c.pannello) << c.tipo << i;
    EXPECT_EQ(Obblig(d, 30) != 0, c.qta) << c.tipo;
    EXPECT_EQ(Obblig(d, 130) != 0, c.qta) << c.tipo;
    EXPECT_EQ(Obblig(d, 140) != 0, c.um) << c.tipo;
    EXPECT_EQ(Obblig(d, 150) != 0, c.um) << c.tipo;
  }
}

TEST_F(VoceRiga, ShowingALineCopiesItsHiddenFieldsIntoCombosAndCheckBoxes) {
  frmDDTDett& d = Apri(Base());
  struct Caso {
    const char* omaggio;
    const char* dove;
    const char* sopra;
    const char* sotto;
    const char* comando;
    const char* nota;
    int iOmaggio, iDove, iSopra, iSotto, iComando;
    const char* param;
    bool paramAbil;
  };
  const std::vector<Caso> casi = {
      {"S", "2", "A", "E", "SR", "3", 1, 2, 1, 3, 2, "3", true},
      {"n", "0", "s", "X", "TD", "", 0, 0, 2, -1, 0, "", false},
      {"", "", "", "N", "ZZ", "testo", -1, -1, -1, 0, -1, "testo", true},
  };
  for (const auto& c : casi) {
    d.txt(170).SetText(c.omaggio);
    d.txt(400).SetText(c.dove);
    d.txt(410).SetText(c.sopra);
    d.txt(430).SetText(c.sotto);
    d.txt(900).SetText(c.comando);
    d.txt(420).SetText(c.nota);
    d.txt(75).SetText("S");
    d.txt(175).SetText("N");
    d.txt(205).SetText("s");
    d.AggNonText();
    SCOPED_TRACE(c.comando);
    EXPECT_EQ(d.cob(170).ListIndex(), c.iOmaggio);
    EXPECT_EQ(d.cob(400).ListIndex(), c.iDove);
    EXPECT_EQ(d.cob(410).ListIndex(), c.iSopra);
    EXPECT_EQ(d.cob(435).ListIndex(), c.iSopra);
    EXPECT_EQ(d.cob(430).ListIndex(), c.iSotto);
    EXPECT_EQ(d.cob(900).ListIndex(), c.iComando);
    EXPECT_EQ(d.txt(425).Text(), c.nota);
    // The stored parameter survives the positioning of the command list.
    EXPECT_EQ(d.txt(910).Text(), c.param);
    EXPECT_EQ(d.txt(420).Text(), c.nota);
    EXPECT_EQ(d.txt(910).Enabled(), c.paramAbil);
    EXPECT_TRUE(d.txt(910).Visible());
    EXPECT_FALSE(d.cob(920).Visible());
    EXPECT_EQ(d.che(75).Value(), 1);
    EXPECT_EQ(d.che(175).Value(), 0);
    EXPECT_EQ(d.che(205).Value(), 1);
    EXPECT_EQ(d.miInAggNonText, 0);
  }
  // "SS": the sub-section list in place of the parameter.
  d.txt(900).SetText("SS");
  d.txt(420).SetText("33");
  d.AggNonText();
  EXPECT_FALSE(d.txt(910).Visible());
  EXPECT_TRUE(d.cob(920).Visible());
  EXPECT_EQ(d.cob(920).Text(), "Durata validità offerta");
  EXPECT_EQ(d.txt(420).Text(), "33");
}

TEST_F(VoceRiga, SwitchingTheKindOfAStoredLineKeepsItsKeys) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  ASSERT_EQ(p.Stato(), 1);
  G().gsQtaDef = "1";
  const std::string rigDet = d.txt(10).Text(), rigLiv = d.lab(15).Caption();
  d.txt(100).SetText("10");
  d.ComTipoRiga_Click(0);
  EXPECT_EQ(d.txt(18).Text(), "D");
  EXPECT_EQ(d.txt(30).Text(), "");
  EXPECT_EQ(d.txt(100).Text(), "");
  EXPECT_EQ(d.txt(160).Text(), "");
  EXPECT_EQ(d.txt(410).Text(), "S");
  EXPECT_EQ(d.txt(10).Text(), rigDet);
  EXPECT_EQ(d.lab(15).Caption(), rigLiv);
  EXPECT_EQ(d.txt(610).Text(), "3");
  EXPECT_TRUE(d.C("PicDett", 1).Visible());
  EXPECT_EQ(d.cob(435).ListIndex(), 2);
  EXPECT_EQ(Obblig(d, 165), 0);
  d.ComTipoRiga_Click(2);
  EXPECT_EQ(d.txt(18).Text(), "C");
  EXPECT_TRUE(d.C("PicDett", 2).Visible());
  d.ComTipoRiga_Click(4);
  EXPECT_EQ(d.txt(18).Text(), "A");
  EXPECT_EQ(d.txt(30).Text(), "1");
  EXPECT_TRUE(d.C("PicDett", 0).Visible());
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(VoceRiga, APrintedDdtRefusesToChangeTheKind) {
  // A new line (no working rows: the page starts on one).
  ParDettaglio p = Base();
  p.osStato = "S";
  frmDDTDett& d = Apri(p);
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  d.txt(18).SetText("A");
  d.ComTipoRiga_Click(2);
  EXPECT_EQ(d.txt(18).Text(), "A");
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "DDT già stampato\r\nSi possono inserire soltanto righe descrittive");
  // The new line of a printed DDT is descriptive: left as it came, it is
  // closed without a question.
  d.txt(18).SetText("D");
  Chiudi(d);
  ASSERT_FALSE(d.Caricata()) << (messaggi_.empty() ? std::string() : messaggi_.back());
  // A stored line of the printed demo DDT.
  messaggi_.clear();
  frmDDTDett& e = Righe(kDdtStampato);
  ASSERT_EQ(e.ogLinPag().Stato(), 1);
  const std::string tipo = e.txt(18).Text();
  e.ComTipoRiga_Click(0);
  EXPECT_EQ(e.txt(18).Text(), tipo);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "DDT già stampato\r\nImpossibile cambiare il tipo riga");
}

TEST_F(VoceRiga, DeletingIsRefusedOnAPrintedDdtAndOnLinesTakenFromAnotherDocument) {
  struct Caso {
    const char* stato;
    const char* provenienza;
    const char* tipo;
    const char* annoProv;
    int16_t atteso;
  };
  const std::vector<Caso> casi = {
      {"", "", "A", "2026", 0},  {"S", "", "A", "", 1},    {"S", "", "m", "", 1},   {"S", "", "D", "", 0},
      {"", "X", "A", "2026", 2}, {"", "X", "A", "0", 0},   {"", "X", "C", "2026", 0}, {"E", "X", "A", "2026", 1},
  };
  for (const auto& c : casi) {
    ParDettaglio p = Base();
    p.osStato = c.stato;
    p.osProvenienza = c.provenienza;
    frmDDTDett& d = Apri(p);
    d.miRigaCanc = 3;
    d.txt(18).SetText(c.tipo);
    d.lab(500).SetCaption(c.annoProv);
    d.lab(510).SetCaption("");
    std::string testo = "x";
    EXPECT_EQ(d.DettNonCanc(testo), c.atteso) << c.stato << c.provenienza << c.tipo << c.annoProv;
    EXPECT_EQ(testo, "");
    Chiudi(d);
  }
}

TEST_F(VoceRiga, DeletingASelectionChecksEverySelectedRowAndStaysOnItsRow) {
  Sql("Update DdtDett Set AnnoRifProv = 0, NumRifProv = 0 Where Anno = 2026 And NumRif = 3");
  Sql("Update DdtDett Set TipoRiga = 'A', AnnoRifProv = 2025, NumRifProv = 7 Where Anno = 2026 And NumRif = 3 And RigDet = 2");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.osProvenienza = "X";
  auto& p = d.ogLinPag();
  auto& rs = p.OggDati();
  const std::string& k = p.ChiaveDati();
  const std::string corrente = rs.RecordsetDao(k).Bookmark();
  std::vector<std::string> tutti;
  for (rs.PrimoRec(k); !rs.FineRec(k); rs.ProssimoRec(k)) tutti.push_back(rs.RecordsetDao(k).Bookmark());
  rs.RecordsetDao(k).SetBookmark(corrente);
  ASSERT_GE(tutti.size(), 2u);
  d.miRigaCanc = 0;
  std::string testo;
  p.SelBookmarks() = {tutti[0]};
  EXPECT_EQ(d.DettNonCanc(testo), 0);
  p.SelBookmarks() = {tutti[0], tutti[1]};
  EXPECT_EQ(d.DettNonCanc(testo), 2);
  EXPECT_EQ(rs.RecordsetDao(k).Bookmark(), corrente);
}

TEST_F(VoceRiga, InsertingAtThePlaceTellsThePageWhere) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  std::string key = "Inserisci";
  d.mbInsInMezzoRich = false;
  p.ImpPermessoA(0);
  p.ImpPermessoB(-1);
  d.CompletaInserisci(key);
  EXPECT_EQ(key, "Nuovo");
  EXPECT_EQ(p.InsModo(), 0);
  EXPECT_EQ(p.PosInserimento(), -1);
  d.dbgRiga().VaiARiga(1);
  d.mbInsInMezzoRich = true;
  key = "Salva";
  d.CompletaInserisci(key);
  EXPECT_EQ(key, "Nuovo");
  EXPECT_EQ(p.InsModo(), 1);
  EXPECT_EQ(p.PosInserimento(), d.datRiga().Recordset()->AbsolutePosition() + 1);
  EXPECT_EQ(p.RigaInserimento(), d.datRiga().Recordset()->AbsolutePosition());
}

TEST_F(VoceRiga, AnEmptyNewLineIsDroppedWithoutAQuestion) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  const std::string prima = Lavoro(kDdtModificabile);
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  ASSERT_EQ(p.Stato(), 2);
  // A line with a description is kept.
  d.txt(26).SetText("Descrizione libera");
  d.AnnullaIns(false);
  EXPECT_EQ(p.Stato(), 2);
  d.txt(26).SetText("");
  messaggi_.clear();
  d.AnnullaIns(false);
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_EQ(p.LeggiVarPagina("MsgAnn").ToString(), "S");
  EXPECT_EQ(Lavoro(kDdtModificabile), prima);
  // Asked to, it drops a line that holds something.
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  d.txt(20).SetText("X");
  d.AnnullaIns(true);
  EXPECT_EQ(p.Stato(), 1);
}

TEST_F(VoceRiga, EnteringAFieldRemembersItsTextOrTheErrorMarker) {
  frmDDTDett& d = Apri(Base());
  d.txt(130).SetText("22");
  d.txt_GotFocus(130);
  EXPECT_EQ(d.masValIngresso[130], "22");
  d.txt(140).SetText("PZ");
  d.txt(140).SetBackColor(G().glColoreErrore);
  d.txt_GotFocus(140);
  EXPECT_EQ(d.masValIngresso[140], "~ç§@*+");
  d.txt_GotFocus(60);
  EXPECT_NE(d.C("staMessaggi").Elem("Messaggio").Caption.find("F2=rileggi prezzo"), std::string::npos);
  // Leaving clears the message panel.
  d.txt_LostFocus(60);
  EXPECT_EQ(d.C("staMessaggi").Elem("Messaggio").Caption, "");
}

TEST_F(VoceRiga, LeavingAFieldCopiesTheTextsWhereTheLineKeepsThem) {
  ParPers("DDT", "DoveStampoSopra", "A");
  frmDDTDett& d = Apri(Base());
  // The descriptive line's text and the command's parameter live in the
  // note above.
  d.txt_GotFocus(425);
  d.txt(425).SetText("Consegna al piano");
  d.txt_LostFocus(425);
  EXPECT_EQ(d.txt(420).Text(), "Consegna al piano");
  d.txt_GotFocus(910);
  d.txt(910).SetText("3");
  d.txt_LostFocus(910);
  EXPECT_EQ(d.txt(420).Text(), "3");
  // A note typed while its print mode is "N" takes the default mode.
  d.txt(410).SetText("N");
  d.txt_GotFocus(420);
  d.txt(420).SetText("Fragile");
  d.txt_LostFocus(420);
  EXPECT_EQ(d.txt(410).Text(), "A");
  EXPECT_EQ(d.cob(410).ListIndex(), 1);
  // Without a default the note below keeps "N".
  d.txt(430).SetText("N");
  d.txt_GotFocus(440);
  d.txt(440).SetText("Altro");
  d.txt_LostFocus(440);
  EXPECT_EQ(d.txt(430).Text(), "N");
  // A dimension goes to its twin.
  d.txt_GotFocus(800);
  d.txt(800).SetText("12");
  d.txt_LostFocus(800);
  EXPECT_EQ(d.txt(250).Text(), d.txt(800).Text());
  // While closing nothing runs.
  d.mbInChiusura = true;
  d.txt_GotFocus(425);
  d.txt(425).SetText("Dopo");
  d.txt_LostFocus(425);
  EXPECT_EQ(d.txt(420).Text(), "Fragile");
  d.mbInChiusura = false;
}

TEST_F(VoceRiga, AnAccountTypedWithHyphensIsMarked) {
  frmDDTDett& d = Apri(Base());
  d.txt_GotFocus(160);
  d.txt(160).SetText("04-01-0001");
  d.txt_LostFocus(160);
  EXPECT_EQ(d.txt(160).BackColor(), G().glColoreErrore);
  EXPECT_EQ(d.C("staMessaggi").Elem("Messaggio").Caption, "Non usare - nel campo conto");
  // The goods account of sales, typed without hyphens.
  d.txt_GotFocus(160);
  d.txt(160).SetText("60010001");
  d.txt_LostFocus(160);
  EXPECT_EQ(d.txt(160).BackColor(), G().glColoreSfondo);
}

TEST_F(VoceRiga, TheActiveFieldRunsItsEntryAndExit) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.txt(130).SetFocus();
  ASSERT_EQ(d.ActiveControl(), &d.txt(130));
  d.txt(130).SetText("22");
  d.GotTxtActive();
  EXPECT_EQ(d.masValIngresso[130], "22");
  d.msCtrlAttivo = "x";
  d.LostTxtActive();
  EXPECT_EQ(d.msCtrlAttivo, "txt");
}

}  // namespace
}  // namespace prova

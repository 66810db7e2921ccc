// The line window of the editable demo DDT imports a reader file: each
// record becomes a new line typed through the line's own fields, one step
// per tick of the window's timer; an article with an eco-fee is followed by
// its eco-fee line; the file goes or stays as the layout says. And the
// eco-fee line follows its article line when that changes or goes, the
// reorder lists get their lines, and the layout chooser reads its choice.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "lineaids/DaOrdi.h"
#include "lineaids/frmSelIniCarFile.h"
#include "platform/InputBox.h"
#include "platform/IniFile.h"
#include "platform/ui/Headless.h"

namespace prova {
namespace {
using namespace dati::demo;

class Importa : public RigheProva {
 protected:
  void SetUp() override {
    RigheProva::SetUp();
    G().gsFileIni = dir_.Percorso("velnor.ini");
    ParPers("DDT", "LettArtDafile", "S");
    Param("Mag.AnnoCorr", "2026");
    Param("Mag.DataInizio", "01/01/2026");
    Param("Mag.DataFine", "31/12/2026");
    Param("Mag.ListinoPrincipale", kListinoVendita);
    // The screws carry the crate as their eco-fee article.
    Sql(std::string("Update Articoli Set ArtRAEE = '") + kArticoloCassa + "' Where Articolo = '" + kArticoloViti + "'");
  }
  void Layout(const std::string& sezione, const std::string& righe) {
    std::ofstream(G().gsFileIni, std::ios::app) << "[" << sezione << "]\n" << righe;
  }
  std::string File(const std::string& nome, const std::string& contenuto) {
    const std::string p = dir_.Percorso(nome);
    std::ofstream(p, std::ios::binary) << contenuto;
    return p;
  }
  // Ticks the timer until the import and the eco-fee line are done.
  void Completa(frmDDTDett& d) {
    for (int giro = 0; giro < 50 && d.timLinPag().Enabled(); ++giro) Tick(d);
  }
  // The working lines of the editable DDT after its first four.
  std::string Nuove() {
    const std::string tutte = Lavoro(kDdtModificabile);
    std::istringstream in(tutte);
    std::string voce, s;
    while (in >> voce) {
      const std::string art = voce.substr(voce.rfind(':') + 1);
      const long rigLiv = std::stol(voce.substr(voce.find(':') + 1));
      if (rigLiv < 5) continue;
      if (!s.empty()) s += " ";
      s += art;
    }
    return s;
  }
  std::string Colonna(const std::string& articolo, const std::string& colonna) {
    return Valore("Select " + colonna + " from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo = '" +
                      articolo + "' Order By RigLiv Desc",
                  colonna);
  }
};

TEST_F(Importa, AThreeRecordFileYieldsItsLinesAndTheEcoFeeLine) {
  const std::string file =
      File("lettura.txt", std::string(kBarCodeViti) + ";3;;\r\n\r\n" + kArticoloAcqua + ";12;;0,5\n" +
                              kArticoloPromo + ";2;9,00;\n");
  Layout("LettArtDafile", "FileOrigine=" + file + "\nFissoSep=S\nSeparatore=;\nCodInizio=1\nQtaInizio=2\n"
                          "ImpTotInizio=3\nImpUniInizio=4\nCancFile=S\nCodArtSeqRic=BC\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  ASSERT_TRUE(d.tolLinPag().Elem("LetturaDaFile").Visible);
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  ASSERT_EQ(d.ButtonComando("LetturaDaFile").ToString(), "");
  EXPECT_TRUE(d.mbLetturaFile);
  Completa(d);
  EXPECT_FALSE(d.mbLetturaFile);
  EXPECT_EQ(Nuove(), std::string(kArticoloViti) + " " + kArticoloCassa + " " + kArticoloAcqua + " " + kArticoloPromo)
      << Lavoro(kDdtModificabile) << "\n"
      << (messaggi_.empty() ? std::string() : messaggi_.back());
  // Quantities as read; the unit value of the water, the total of the
  // biscuits; the eco-fee line with the screws' quantity, linked.
  EXPECT_EQ(Colonna(kArticoloViti, "Qta"), "3");
  EXPECT_EQ(Colonna(kArticoloCassa, "Qta"), "3");
  // Priced from the base list, no discounts.
  EXPECT_EQ(Colonna(kArticoloCassa, "ValUnitario"), "3");
  EXPECT_EQ(Colonna(kArticoloCassa, "ValTotale"), "9");
  EXPECT_EQ(Colonna(kArticoloCassa, "ScontoTot"), "");
  EXPECT_EQ(Colonna(kArticoloViti, "RigLivRAEE"), Colonna(kArticoloCassa, "RigLiv"));
  EXPECT_EQ(Colonna(kArticoloAcqua, "ValUnitario"), "0,5");
  EXPECT_EQ(Colonna(kArticoloPromo, "ValTotale"), "9");
  // CancFile "S": the file is gone without asking.
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST_F(Importa, TheDemoFixedLayoutLoadsTheLampWithItsEcoFee) {
  // The layout and sample file scripts/start.sh sets up.
  const std::string file = File("fisso.txt", std::string(kArticoloRaee) + "  000004\r\n" + kArticoloViti +
                                                 "  000010\r\n" + kArticoloAcqua + "   000024\r\n");
  Sql(std::string("Update Articoli Set ArtRAEE = Null Where Articolo = '") + kArticoloViti + "'");
  Layout("LettArtDafile", "FileOrigine=" + file +
                              "\nFissoSep=F\nCodInizio=1\nCodLung=10\nQtaInizio=11\nQtaLung=6\nCancFile=N\n"
                              "CodArtSeqRic=CB\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.ButtonComando("Nuovo");
  d.ButtonComando("LetturaDaFile");
  Completa(d);
  EXPECT_EQ(Nuove(), std::string(kArticoloRaee) + " " + kArticoloContributoRaee + " " + kArticoloViti + " " +
                         kArticoloAcqua)
      << Lavoro(kDdtModificabile);
  EXPECT_EQ(Colonna(kArticoloContributoRaee, "Qta"), "4");
  EXPECT_EQ(Colonna(kArticoloContributoRaee, "ValTotale"), "2");
  EXPECT_EQ(Colonna(kArticoloRaee, "RigLivRAEE"), Colonna(kArticoloContributoRaee, "RigLiv"));
  EXPECT_EQ(Colonna(kArticoloAcqua, "Qta"), "24");
  // Kept: CancFile "N".
  EXPECT_TRUE(std::ifstream(file).good());
}

TEST_F(Importa, AMissingFileStartsNothing) {
  Layout("LettArtDafile", "FileOrigine=" + dir_.Percorso("manca.txt") + "\nFissoSep=F\nCodInizio=1\nCodLung=8\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.ButtonComando("LetturaDaFile");
  EXPECT_FALSE(d.mbLetturaFile);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "File (" + dir_.Percorso("manca.txt") + ") da caricare non trovato");
}

TEST_F(Importa, AnUnusableLayoutHidesTheCommand) {
  // A fixed layout with a total value but no length for it.
  Layout("LettArtDafile", "FileOrigine=x.txt\nFissoSep=F\nCodInizio=1\nCodLung=8\nImpTotInizio=9\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_FALSE(d.mbLettArtDafile);
  EXPECT_FALSE(d.tolLinPag().Elem("LetturaDaFile").Visible);
}

TEST_F(Importa, TheFileIsKeptOnNoAndDeletedOnYes) {
  const std::string file = File("lettura.txt", std::string(kArticoloAcqua) + ";1\n");
  Layout("LettArtDafile", "FileOrigine=" + file + "\nFissoSep=S\nSeparatore=;\nCodInizio=1\nQtaInizio=2\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.ButtonComando("Nuovo");
  for (int risposta : {2, 1}) {
    d.ButtonComando("LetturaDaFile");
    risposte_.push_back(risposta);
    Completa(d);
    EXPECT_FALSE(d.mbLetturaFile);
    EXPECT_EQ(std::ifstream(file).good(), risposta == 2);
    EXPECT_EQ(messaggi_.back(), "Cancello file caricato");
  }
  EXPECT_EQ(Nuove(), std::string(kArticoloAcqua) + " " + kArticoloAcqua);
}

TEST_F(Importa, AStoredArticleLineMovesItsEcoFeeLineAlong) {
  const std::string file = File("lettura.txt", std::string(kArticoloViti) + ";3\n");
  Layout("LettArtDafile", "FileOrigine=" + file + "\nFissoSep=S\nSeparatore=;\nCodInizio=1\nQtaInizio=2\nCancFile=N\n"
                          "CodArtSeqRic=C\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.ButtonComando("Nuovo");
  d.ButtonComando("LetturaDaFile");
  Completa(d);
  ASSERT_EQ(Nuove(), std::string(kArticoloViti) + " " + kArticoloCassa) << Lavoro(kDdtModificabile);
  // An unrelated line that happens to carry the eco-fee line's number
  // elsewhere is never touched: the crate's article must match too.
  d.ButtonComando("Annulla");

  // The quantity of the stored article line changes: the eco-fee line
  // follows.
  auto vaiA = [&](const std::string& articolo) {
    int32_t riga = std::stoi(Colonna(articolo, "RigDet"));
    d.AggVisRighe(riga);
    ASSERT_EQ(d.txt(20).Text(), articolo);
  };
  vaiA(kArticoloViti);
  ui::utente::Fuoco(d.txt(30));
  ui::utente::Digita(d.txt(30), "5");
  ui::utente::Fuoco(d.txt(60));
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  Completa(d);
  EXPECT_EQ(Colonna(kArticoloCassa, "Qta"), "5");
  EXPECT_EQ(Colonna(kArticoloCassa, "ValTotale"), "15");

  // The article changes to one with another eco-fee article: the crate
  // line goes, a pallet line follows the article line, linked.
  Sql(std::string("Update Articoli Set ArtRAEE = '") + kArticoloBancale + "' Where Articolo = '" + kArticoloAcqua + "'");
  vaiA(kArticoloViti);
  ui::utente::Fuoco(d.txt(20));
  ui::utente::Digita(d.txt(20), kArticoloAcqua);
  ui::utente::Fuoco(d.txt(30));
  ui::utente::Digita(d.txt(30), "4");
  ui::utente::Fuoco(d.txt(60));
  ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
  Completa(d);
  EXPECT_EQ(Nuove(), std::string(kArticoloAcqua) + " " + kArticoloBancale) << Lavoro(kDdtModificabile);
  EXPECT_EQ(Colonna(kArticoloBancale, "Qta"), "4");
  EXPECT_EQ(Colonna(kArticoloAcqua, "RigLivRAEE"), Colonna(kArticoloBancale, "RigLiv"));
  EXPECT_EQ(Valore(std::string("Select Count(*) as N from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo = '") +
                       kArticoloCassa + "'",
                   "N"),
            "0");

  // Deleting the article line takes its eco-fee line with it.
  d.ButtonComando("Annulla");
  vaiA(kArticoloAcqua);
  risposteBox_.push_back(vb::vbYes);
  d.ButtonComando("Cancella");
  EXPECT_EQ(Nuove(), "") << Lavoro(kDdtModificabile);
  // The other lines are renumbered from 1 and untouched.
  EXPECT_EQ(Lavoro(kDdtModificabile), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01");
}

TEST_F(Importa, AnUnrelatedLineIsNeverDeletedWithAnArticleLine) {
  const std::string file = File("lettura.txt", std::string(kArticoloViti) + ";3\n");
  Layout("LettArtDafile", "FileOrigine=" + file + "\nFissoSep=S\nSeparatore=;\nCodInizio=1\nQtaInizio=2\nCancFile=N\n");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.ButtonComando("Nuovo");
  d.ButtonComando("LetturaDaFile");
  Completa(d);
  d.ButtonComando("Annulla");
  // The eco-fee line went by other means and its number now names the oil
  // line: deleting the screws leaves the oil alone.
  Sql(std::string("Delete from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo = '") + kArticoloCassa + "'");
  Sql(std::string("Update DdtDettApp Set RigLivRAEE = ") + std::to_string(kRigLivOlio) +
      " Where Anno = 2026 And NumRif = 3 And Articolo = '" + kArticoloViti + "'");
  d.ogLinPag().Rileggi();
  int32_t riga = std::stoi(Colonna(kArticoloViti, "RigDet"));
  d.AggVisRighe(riga);
  ASSERT_EQ(d.txt(20).Text(), kArticoloViti);
  risposteBox_.push_back(vb::vbYes);
  d.ButtonComando("Cancella");
  EXPECT_EQ(Lavoro(kDdtModificabile), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01");
}

TEST_F(Importa, ReorderLinesFollowTheMinimumStock) {
  const std::string cartella = dir_.Percorso("ordini");
  std::filesystem::create_directories(cartella);
  Globali& g = G();
  g.gsDaOrdi = "s";
  g.gsDirDaOrdi = cartella;
  daordi::AttesaMs() = 5;
  Sql(std::string("Delete from ArticoliProg Where Articolo = '") + kArticoloAcqua + "'");
  Sql(std::string("Insert Into ArticoliProg (Anno, Magazzino, Articolo, Livello1, Livello2, QtaIniziale, QtaCarico, "
                  "QtaScarico, QtaImpCli, QtaOrdFor) Values (2026, '") +
      kMagCentrale + "', '" + kArticoloAcqua + "', '~ç~', '~ç~', 10, 0, 0, 0, 0)");
  Sql(std::string("Insert Into ArtScorte (Articolo, Magazzino, Livello1, Livello2, ScortaMinima) Values ('") +
      kArticoloAcqua + "', '" + kMagCentrale + "', '~ç~', '~ç~', 5)");
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  const std::string altri = cartella + "/Altri.doc";
  for (const char* qta : {"5", "6"}) {
    std::filesystem::remove(altri);
    ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
    ui::utente::Fuoco(d.txt(20));
    ui::utente::Digita(d.txt(20), kArticoloAcqua);
    ui::utente::Fuoco(d.txt(30));
    ui::utente::Digita(d.txt(30), qta);
    ui::utente::Fuoco(d.txt(60));
    ASSERT_EQ(d.ButtonComando("Salva").ToString(), "");
    d.ButtonComando("Annulla");
    // Only the water: the other lines' articles have no minimum here.
    Sql(std::string("Update Articoli Set ScortaMinima = 0"));
    Sql(std::string("Delete from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo <> '") + kArticoloAcqua + "'");
    d.ogLinPag().Rileggi();
    d.AggDaOrdi();
    std::ifstream in(altri, std::ios::binary);
    std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (std::string(qta) == "5") {
      EXPECT_EQ(tutto, "") << qta;
    } else {
      ASSERT_EQ(tutto.size(), 20u + 3 + 30 + 3 + 2) << tutto;
      EXPECT_EQ(tutto.substr(0, 23), std::string(kArticoloAcqua) + std::string(20 - std::string(kArticoloAcqua).size(), ' ') + " - ");
      EXPECT_EQ(tutto.substr(tutto.size() - 5), " - \r\n");
    }
    Sql(std::string("Delete from DdtDettApp Where Anno = 2026 And NumRif = 3 And Articolo = '") + kArticoloAcqua + "'");
    d.ogLinPag().Rileggi();
  }
}

TEST_F(Importa, F6AppendsTheTypedQuantityAndNote) {
  const std::string cartella = dir_.Percorso("ordini");
  std::filesystem::create_directories(cartella);
  G().gsDaOrdi = "s";
  G().gsDirDaOrdi = cartella;
  std::deque<std::string> input{"0", "1234,5", "urgente"};
  auto prima = vb::ImpostaGestoreInputBox([&](const std::string&, const std::string&, const std::string&) {
    std::string r = input.front();
    input.pop_front();
    return r;
  });
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  int32_t riga = std::stoi(Valore(std::string("Select RigDet from DdtDettApp Where Anno = 2026 And NumRif = 3 And RigLiv = ") +
                                      std::to_string(kRigLivBiscotti),
                                  "RigDet"));
  d.AggVisRighe(riga);
  d.RicDaOrdi();
  vb::ImpostaGestoreInputBox(prima);
  EXPECT_TRUE(input.empty());
  // The biscuits' supplier has its own file in the demo, or "Altri.doc".
  std::string tutto;
  for (const auto& e : std::filesystem::directory_iterator(cartella)) {
    std::ifstream in(e.path(), std::ios::binary);
    tutto += std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  ASSERT_EQ(tutto.size(), 20u + 3 + 30 + 3 + 10 + 3 + 7 + 2) << tutto;
  EXPECT_EQ(tutto.substr(56, 10), "   1.234,5");
  EXPECT_EQ(tutto.substr(66), " - urgente\r\n");
}

TEST_F(Importa, TheChooserOffersTheLayoutsAndReadsTheChoice) {
  const std::string file = File("altro.txt", "");
  Layout("LettArtDafile", "FileOrigine=a.txt\nCodInizio=1\nCodLung=8\n");
  Layout("lettartdafileCasa", "Descr=Lettore di casa\nFileOrigine=" + file + "\nCodInizio=1\nCodLung=13\n");
  Layout("LettArtDafileVuota", "Descr=\n");
  Layout("Altro", "x=1\n");
  G().gsFileIniDb = dir_.Percorso("ditta.ini");
  std::ofstream(G().gsFileIniDb) << "[LettArtDafileCasa]\nDescr=doppia\n[LettArtDafileDitta]\nDescr=Della ditta\n";
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.MostraSceIniLetFile("Bar");
  ASSERT_TRUE(d.mfrmSelIniCarFile);
  frmSelIniCarFile& f = *d.mfrmSelIniCarFile;
  ASSERT_EQ(f.LisParamIni().ListCount(), 4);
  EXPECT_EQ(f.LisParamIni().List(0), "LettArtDafile");
  EXPECT_EQ(f.LisParamIni().List(1), "Lettore di casa");
  EXPECT_EQ(f.LisParamIni().List(2), "LettArtDafileVuota");
  EXPECT_EQ(f.LisParamIni().List(3), "Della ditta");
  EXPECT_EQ(f.LisParamIni().ListIndex(), 0);
  EXPECT_FALSE(d.Enabled());
  f.LisParamIni().SetListIndex(1);
  ui::utente::Clicca(f.C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.msLettArtParag, "lettartdafileCasa");
  // Ok with nothing selected gives the window back unchanged.
  d.MostraSceIniLetFile("Bar");
  d.mfrmSelIniCarFile->LisParamIni().SetListIndex(-1);
  ui::utente::Clicca(d.mfrmSelIniCarFile->C("comOk"));
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(d.msLettArtParag, "lettartdafileCasa");
  // No serial layout anywhere.
  d.MostraSceIniLetFile("Matr");
  EXPECT_EQ(messaggi_.back(), "Non ci sono parametri da selezionare");
  ui::utente::Clicca(d.mfrmSelIniCarFile->C("ComAnnulla"));
  EXPECT_TRUE(d.Enabled());
}

TEST_F(Importa, CtrlAltRightClickSavesTheSizeOnlyWhenBothKeysAreWritten) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.Show();
  d.tolLinPag_MouseUp(2, 6, 100000, 100000);
  EXPECT_EQ(messaggi_.back(), "Dimensioni maschera salvate");
  std::string larg, alt;
  EXPECT_TRUE(vb::LeggiProfilo(G().gsFileIni, "Configurazioni", "DdtDettLarg", larg));
  EXPECT_TRUE(vb::LeggiProfilo(G().gsFileIni, "Configurazioni", "DdtDettAlt", alt));
  EXPECT_NE(larg, "");
  // An ini that cannot be written: the user is told the size was not saved.
  G().gsFileIni = dir_.Percorso("");
  d.tolLinPag_MouseUp(2, 6, 100000, 100000);
  EXPECT_EQ(messaggi_.back().rfind("Dimensioni maschera non salvate", 0), 0u) << messaggi_.back();
  // A plain right click outside the buttons, or a left click, does nothing.
  const size_t n = messaggi_.size();
  d.tolLinPag_MouseUp(2, 0, 100000, 100000);
  d.tolLinPag_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(messaggi_.size(), n);
  EXPECT_FALSE(d.mfrmSelIniCarFile && d.mfrmSelIniCarFile->Caricata());
}

}  // namespace
}  // namespace prova

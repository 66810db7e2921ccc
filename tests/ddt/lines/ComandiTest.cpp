// The line window's commands: insertion in the middle and after a save,
// the imports kept apart, and the commands whose windows are not there.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "levels/frmDDtDeLiv.h"
#include "platform/MsgBox.h"
#include "platform/dati/Recordset.h"

namespace prova {
namespace {
using namespace dati::demo;

class Comandi : public RigheProva {
 protected:
  std::string Lock() {
    return Valore("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", "Stato");
  }
  // A new article line typed in full.
  void Scrivi(frmDDTDett& d, const char* articolo) {
    d.txt(20).SetText(articolo);
    d.txt(23).SetText(std::string("Riga ") + articolo);
    d.txt(30).SetText("2");
    d.txt(130).SetText("22");
    d.txt(140).SetText("PZ");
    d.txt(150).SetText("1");
  }
};

TEST_F(Comandi, InsertOnAStoredLineStartsANewLineInItsPlace) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  ASSERT_EQ(p.EseguiTasto("Successiva"), "");
  ASSERT_EQ(d.txt(10).Text(), "2");
  EXPECT_EQ(d.ButtonComando("Inserisci").ToString(), "");
  EXPECT_EQ(p.Stato(), 2);
  EXPECT_TRUE(d.mbInsInMezzo);
  EXPECT_EQ(d.miRigaIns, 2);
  // Any other command ends the insertion mode. Leaving the empty article
  // made the line a manual one: dropping it is confirmed.
  risposteBox_.push_back(vb::vbYes);
  EXPECT_EQ(d.ButtonComando("Annulla").ToString(), "");
  EXPECT_FALSE(d.mbInsInMezzo);
}

TEST_F(Comandi, SavingANewLineGoesOnWithTheNextNewLine) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  const std::string prima = Lavoro(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Fine").ToString(), "");
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  ASSERT_EQ(p.Stato(), 2);
  EXPECT_FALSE(d.mbInsInMezzo);
  Scrivi(d, "VITE0410");
  EXPECT_EQ(d.ButtonComando("Salva").ToString(), "");
  // Stored, and a new line is on the screen.
  EXPECT_EQ(p.Stato(), 2);
  EXPECT_NE(Lavoro(kDdtModificabile), prima);
  EXPECT_NE(Lavoro(kDdtModificabile).find(":VITE0410"), std::string::npos);
  EXPECT_FALSE(d.mbInsInMezzo);
  // "Salva" on a stored line is the page's plain save. The next new line,
  // left by its empty article, is a manual line: dropping it is confirmed.
  risposteBox_.push_back(vb::vbYes);
  ASSERT_EQ(d.ButtonComando("Annulla").ToString(), "");
  ASSERT_EQ(d.ButtonComando("Inizio").ToString(), "");
  EXPECT_EQ(p.Stato(), 1);
  EXPECT_EQ(d.ButtonComando("Salva").ToString(), "");
  EXPECT_EQ(p.Stato(), 1);
  // Closed with saving: the header's lines are the committed ones.
  const long righe = static_cast<long>(vb::Split(Lavoro(kDdtModificabile), " ").size());
  d.Unload();
  EXPECT_EQ(Lavoro(kDdtModificabile), "");
  EXPECT_NE(Lavoro(kDdtModificabile, "DdtDett").find(":VITE0410"), std::string::npos);
  EXPECT_EQ(Lock(), "<nessuna riga>");
  dati::Recordset* rs = f_->GrigliaDett().DataSource()->Recordset();
  ASSERT_NE(rs, nullptr);
  EXPECT_EQ(rs->RecordCount(), righe);
}

TEST_F(Comandi, ARefusedSaveIsTheAnswerAndStartsNoLine) {
  frmDDTDett& d = Righe(kDdtModificabile);
  auto& p = d.ogLinPag();
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  d.txt(30).SetText("abc");
  const std::string prima = Lavoro(kDdtModificabile);
  EXPECT_NE(d.ButtonComando("Inserisci").ToString(), "");
  EXPECT_EQ(p.Stato(), 2);
  EXPECT_EQ(d.txt(30).Text(), "abc");
  EXPECT_EQ(Lavoro(kDdtModificabile), prima);
}

TEST_F(Comandi, ImportsAreNotStartedOverARunningOne) {
  struct Caso {
    const char* tasto;
    bool letturaFile, letturaMatr;
    bool parte;
  } casi[] = {
      {"LetturaDaFile", false, false, true}, {"LetturaDaFile", true, false, false},
      {"LettMatr", false, false, true},      {"LettMatr", true, false, false},
      {"LettMatr", false, true, false},
  };
  frmDDTDett& d = Righe(kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.tasto) + " " + std::to_string(c.letturaFile) + std::to_string(c.letturaMatr));
    d.mbLetturaFile = c.letturaFile;
    d.mbLetturaMatr = c.letturaMatr;
    messaggi_.clear();
    EXPECT_EQ(d.ButtonComando(c.tasto).ToString(), "");
    // Starting the article import with no layout looks for its file; the
    // serial import is not there yet and says so.
    EXPECT_EQ(MessaggioCon(std::string(c.tasto) == "LetturaDaFile" ? "da caricare non trovato"
                                                                   : "non è ancora disponibile"),
              c.parte);
  }
  d.mbLetturaFile = d.mbLetturaMatr = false;
}

TEST_F(Comandi, CommandsWhoseWindowIsMissingChangeNothing) {
  G().gsGesTaglie = "S";
  frmDDTDett& d = Righe(kDdtModificabile);
  d.osLivGruppo1 = "TAGLIE";
  // The level list closed unchanged leaves the line alone.
  d.obLivGestTab = true;
  auto& p = d.ogLinPag();
  const std::string prima = Lavoro(kDdtModificabile);
  d.ButtonComando("Livelli");
  ASSERT_EQ(d.oiInDeLiv, 1);
  EXPECT_TRUE(d.mfrmDeLiv->Unload());
  EXPECT_EQ(d.oiInDeLiv, 0);
  EXPECT_EQ(Lavoro(kDdtModificabile), prima);
  for (const char* tasto : {"MatrGest"}) {
    SCOPED_TRACE(tasto);
    messaggi_.clear();
    d.ButtonComando(tasto);
    EXPECT_TRUE(MessaggioCon("non è ancora disponibile"));
    EXPECT_EQ(p.Stato(), 1);
    EXPECT_EQ(p.Cambiato(), 0);
    EXPECT_EQ(Lavoro(kDdtModificabile), prima);
    EXPECT_EQ(Lock(), "7");
    EXPECT_TRUE(d.Caricata());
  }
  // Without levels the level commands refuse.
  d.osLivGruppo1.clear();
  messaggi_.clear();
  d.ButtonComando("Livelli");
  EXPECT_TRUE(MessaggioCon("Articolo senza gestione livelli"));
  d.Unload();
  EXPECT_EQ(Lock(), "<nessuna riga>");
  EXPECT_EQ(Lavoro(kDdtModificabile), "");
}

TEST_F(Comandi, LevelsOnANewLineOfAReadOnlyWindowAreRefused) {
  G().gsGesTaglie = "S";
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  // An article with levels typed on the new line.
  d.txt_GotFocus(20);
  d.txt(20).SetText(kArticoloTaglie);
  d.txt_LostFocus(20);
  ASSERT_EQ(d.osLivGruppo1, kGruppoTaglie);
  d.oiAbilRW = 0;
  messaggi_.clear();
  EXPECT_EQ(d.ButtonComando("Livelli").ToString(), "");
  EXPECT_TRUE(MessaggioCon("Documento già stampato: Impossibile inserire articoli"));
  EXPECT_EQ(d.ogLinPag().Stato(), 2);
}

TEST_F(Comandi, ATraccOnANewLineArmsTheLotStepWithTheSave) {
  frmDDTDett& d = Righe(kDdtModificabile);
  ASSERT_EQ(d.ButtonComando("Fine").ToString(), "");
  ASSERT_EQ(d.ButtonComando("Nuovo").ToString(), "");
  Scrivi(d, "VITE0410");
  EXPECT_EQ(d.ButtonComando("Tracc").ToString(), "");
  EXPECT_EQ(d.ogLinPag().Stato(), 1);
  EXPECT_EQ(d.miStatoTimer, 7);
  EXPECT_TRUE(d.timLinPag().Enabled());
  messaggi_.clear();
  Tick(d);
  EXPECT_EQ(d.miRipresaTracc, 2);
  EXPECT_EQ(d.miStatoTimer, 0);
  EXPECT_TRUE(MessaggioCon("Articolo per cui non è abilitata la rintracciabilità"));
}

TEST_F(Comandi, AnUnexpectedErrorIsShownAndIsTheAnswer) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.mbInsInMezzo = true;
  d.txt(30).SetText("9");
  // The page's question about the changed line fails.
  vb::GestoreMsgBox banco = vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) -> int {
    throw std::runtime_error("risorse esaurite");
  });
  const std::string r = d.ButtonComando("Successiva").ToString();
  vb::ImpostaGestoreMsgBox(banco);
  EXPECT_EQ(r, "risorse esaurite");
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_.back(), "Errore(5): risorse esaurite");
  // The insertion mode keeps its earlier value.
  EXPECT_TRUE(d.mbInsInMezzo);
  EXPECT_TRUE(d.Caricata());
}

}  // namespace
}  // namespace prova

// The deferred steps of the line window, one tick of its timer each.
#include <gtest/gtest.h>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "levels/frmDDtDeLiv.h"
#include "lots/frmMovTracc.h"

namespace prova {
namespace {
using namespace dati::demo;

class Timer : public RigheProva {
 protected:
  // A step that opened the lot window: it is closed again, no question.
  static void ChiudiTracc(frmDDTDett& d) {
    frmMovTracc* f = d.FormTracc();
    if (!f || !f->Caricata()) return;
    f->obTracQtaDivBloc = false;
    f->osFlagGestRintraccia = "S";
    f->Unload();
  }
};

TEST_F(Timer, EachStateRunsItsStepOnceAndLeavesWhatComesNext) {
  struct Caso {
    int16_t stato;
    bool letturaFile, letturaMatr;
    const char* messaggio;  // "" none
    int16_t dopo;
  } casi[] = {
      {0, false, false, "", 0},
      {11, false, false, "", 0},
      {13, false, false, "", 0},
      {1, false, false, "Articolo senza gestione livelli", 0},
      {5, false, false, "File () da caricare non trovato", 5},
      {6, false, false, "La lettura delle matricole da file non è ancora disponibile", 6},
      // The lot steps resume the line's insertion with "Nuovo", which asks
      // about the line the previous steps left changed.
      {7, false, false, "La riga è stata modificata. Salvare le modifiche?", 0},
      {8, false, false, "La riga è stata modificata. Salvare le modifiche?", 0},
      {9, false, false, "", 0},
      {9, true, false, "", 5},
      {9, false, true, "", 6},
      {14, false, false, "", 0},
  };
  frmDDTDett& d = Righe(kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.stato * 100 + c.letturaFile * 10 + c.letturaMatr);
    // the lot steps open the lot window (step 7 resumes with a new line)
    if (d.ogLinPag().Stato() == 2) d.ButtonComando("Annulla");
    d.msGestRintraccia = "S";
    d.mbLetturaFile = c.letturaFile;
    d.mbLetturaMatr = c.letturaMatr;
    d.ArmaTimer(c.stato);
    messaggi_.clear();
    Tick(d);
    ChiudiTracc(d);
    EXPECT_FALSE(d.timLinPag().Enabled());
    EXPECT_EQ(d.miStatoTimer, c.dopo);
    if (*c.messaggio)
      EXPECT_TRUE(MessaggioCon(c.messaggio)) << (messaggi_.empty() ? "" : messaggi_.back());
    else
      EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
  d.mbLetturaFile = d.mbLetturaMatr = false;
}

TEST_F(Timer, StateFourWaitsForTheArticleDisplay) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.miStatoTimer = 4;
  d.timLinPag().SetEnabled(true);
  Tick(d);
  EXPECT_EQ(d.miStatoTimer, 4);
  EXPECT_FALSE(d.timLinPag().Enabled());
}

TEST_F(Timer, LevelStepSetsWhatTheLevelWindowResumes) {
  struct Caso {
    int16_t livelliCrea;
    bool insGest;
    int16_t ripresa, creaDopo;
  } casi[] = {
      {-2, true, 0, 1}, {-2, false, 0, 0}, {-1, true, 4, 0}, {0, true, 4, 1}, {0, false, 4, 0},
  };
  frmDDTDett& d = Righe(kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.livelliCrea * 10 + c.insGest);
    d.oiLivelliCrea = c.livelliCrea;
    d.obLivelliInsGest = c.insGest;
    d.ArmaTimer(1);
    Tick(d);
    EXPECT_EQ(d.miRipresaLivelli, c.ripresa);
    EXPECT_EQ(d.oiLivelliCrea, c.creaDopo);
    EXPECT_EQ(d.miStatoTimer, 0);
  }
}

TEST_F(Timer, DoubleClickStepOpensLevelsOrLotsOfTheLine) {
  struct Caso {
    const char* gruppo;
    const char* rintraccia;
    const char* messaggio;
  } casi[] = {
      {"", "O", ""},
      {"", "S", ""},
  };
  G().gsGesTaglie = "S";
  frmDDTDett& d = Righe(kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.messaggio);
    d.osLivGruppo1 = c.gruppo;
    d.msGestRintraccia = c.rintraccia;
    messaggi_.clear();
    d.ArmaTimer(2);
    Tick(d);
    ChiudiTracc(d);
    if (*c.messaggio)
      EXPECT_TRUE(MessaggioCon(c.messaggio));
    else
      EXPECT_TRUE(messaggi_.empty());
    EXPECT_EQ(d.miStatoTimer, 0);
  }
  // A line of a level article: its level rows open.
  d.osLivGruppo1 = "TAGLIE";
  d.msGestRintraccia = "N";
  messaggi_.clear();
  d.ArmaTimer(2);
  Tick(d);
  EXPECT_EQ(d.oiInDeLiv, 1) << (messaggi_.empty() ? "" : messaggi_.back());
  if (d.mfrmDeLiv) d.mfrmDeLiv->Unload();
  EXPECT_EQ(d.oiInDeLiv, 0);
}

TEST_F(Timer, TheFirstTickAfterTheLoadHidesDuplicaAndLocksTheVatOfAHeaderWithOne) {
  frmDDTDett& d = Righe(kDdtModificabile);
  EXPECT_FALSE(d.tolLinPag().Elem("Duplica").Visible);
  EXPECT_EQ(d.miStatoTimer, 0);
  // With a VAT code on the header the line's VAT stays as it is.
  d.osIvaTest = "22";
  d.txt(130).SetEnabled(true);
  d.ArmaTimer(3);
  Tick(d);
  EXPECT_FALSE(d.txt(130).Enabled());
}

}  // namespace
}  // namespace prova

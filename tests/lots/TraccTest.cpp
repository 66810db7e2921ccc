// "Dati tracciabilità" opened from a line of the demo DDT: the rows of the
// line, the proposal at load, the row save with its transaction and the
// lot state, the closing questions and the opener re-enabled.
#include <gtest/gtest.h>

#include <string>

#include "common/Globali.h"
#include "ddt/lines/RigheProva.h"
#include "lots/frmMovTracc.h"
#include "platform/MsgBox.h"
#include "services/Impostazioni.h"

namespace prova {
namespace {
using namespace dati::demo;

class Tracc : public RigheProva {
 protected:
  // The lines of the editable DDT, the traceability window of its first
  // line (the oil, one row of lot 1 taking 6) opened by "Tracc".
  frmMovTracc& Apri(frmDDTDett& d) {
    EXPECT_EQ(d.txt(20).Text(), kArticoloLotti);
    d.ButtonComando("Tracc");
    frmMovTracc* f = d.FormTracc();
    EXPECT_TRUE(f && f->Caricata()) << (messaggi_.empty() ? std::string() : messaggi_.back());
    return *f;
  }
  static void Tick(frmMovTracc& f) {
    if (f.C("timLinPag").Enabled()) f.Timer(f.C("timLinPag"));
  }
  std::string Righe(const std::string& dove = "") {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "",
        "Select Lotto, Qta from DdtRintracciaApp Where Anno = 2026 And NumReg = 3" + dove + " Order By Lotto", false, 4);
    std::string s;
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k))
      s += (s.empty() ? "" : " ") + rs.LeggiCampo(k, "Lotto").ToString() + ":" + rs.LeggiCampo(k, "Qta").ToString();
    rs.ChiudiRecordset(k);
    return s;
  }
  std::string Stato(const std::string& lotto) {
    return Valore("Select Chiuso from Lotti Where Lotto = '" + lotto + "'", "Chiuso");
  }
};

TEST_F(Tracc, TheLineOpensItsRowsAndClosingGivesTheLinesBack) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  EXPECT_FALSE(d.Enabled());
  EXPECT_EQ(f.Caption(), "Dati tracciabilità");
  EXPECT_EQ(f.osLottoTipOpe, "S");
  Tick(f);
  // the stored row shown, decoded against the lot master
  EXPECT_EQ(f.ogLinPag().Stato(), 1);
  EXPECT_EQ(f.txt(30).Text(), kLotto1);
  EXPECT_EQ(f.txt(46).Text().substr(0, 2), kGruppoFornitori);
  EXPECT_EQ(f.msStatoLotto, "A");
  EXPECT_FALSE(f.txt(60).Enabled());  // the lot master is a load's
  EXPECT_TRUE(f.C("PicOrigine").Visible());
  EXPECT_TRUE(f.Unload());
  EXPECT_TRUE(d.Enabled());
}

TEST_F(Tracc, LotTotalEqualAtEightDecimalsClosesWithoutAQuestion) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  Tick(f);
  struct Caso {
    double riga;
    bool domanda;
  };
  for (const Caso& c : {Caso{6.000000001, false}, Caso{10, true}}) {
    f.obTracQtaDivBloc = true;
    f.odQtaTot = c.riga;
    messaggi_.clear();
    risposte_ = {1};  // "&Annulla": the window stays
    const bool chiusa = f.Unload();
    EXPECT_EQ(chiusa, !c.domanda) << c.riga;
    if (c.domanda) {
      ASSERT_EQ(messaggi_.size(), 1u);
      EXPECT_NE(messaggi_[0].find("Totale = 6 - richiesto = 10"), std::string::npos) << messaggi_[0];
      EXPECT_FALSE(d.Enabled());
    } else {
      EXPECT_TRUE(messaggi_.empty());
      EXPECT_TRUE(d.Enabled());
      f.ogLinPag();  // reopened below
      Apri(d);
      Tick(*d.FormTracc());
      return;
    }
  }
}

TEST_F(Tracc, MandatoryTraceabilityWithoutRowsAsksAndTheOpenerComesBackEveryWay) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  Sql("Delete From DdtRintracciaApp Where Anno = 2026 And NumReg = 3");
  d.osModVisLotti = "P";  // no proposal: the grid stays empty
  frmMovTracc& f = Apri(d);
  EXPECT_EQ(Righe(), "");
  Tick(f);
  f.osFlagGestRintraccia = "O";
  risposte_ = {1};
  messaggi_.clear();
  EXPECT_FALSE(f.Unload());
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0],
            "Articolo con gestione rintracciabilità obbligatoria\r\n"
            "Uscire senza inserire dati relativi alla rintracciabilità?");
  EXPECT_FALSE(d.Enabled());
  risposte_ = {2};
  EXPECT_TRUE(f.Unload());
  EXPECT_TRUE(d.Enabled());
}

TEST_F(Tracc, ProposalAWritesTheLineQuantityOverTheLotsWithStockAtLoad) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  Sql("Delete From DdtRintracciaApp Where Anno = 2026 And NumReg = 3");
  for (const char* modo : {"P", "A"}) {
    d.osModVisLotti = modo;
    frmMovTracc& f = Apri(d);
    Tick(f);
    SCOPED_TRACE(modo);
    if (std::string(modo) == "P") {
      EXPECT_EQ(Righe(), "");
    } else {
      EXPECT_NE(Righe(), "");
      EXPECT_EQ(f.ogLinPag().Stato(), 1);
    }
    f.obTracQtaDivBloc = false;
    f.osFlagGestRintraccia = "S";
    EXPECT_TRUE(f.Unload());
    EXPECT_TRUE(d.Enabled());
  }
}

TEST_F(Tracc, SavingAChangedLotKeyReevaluatesTheFormerLotInOneTransaction) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  Tick(f);
  ASSERT_EQ(f.txt(30).Text(), kLotto1);
  // lot 1 wrongly shown closed: the row leaves it for lot 2
  Sql(std::string("Update Lotti Set Chiuso = 'C' Where Lotto = '") + kLotto1 + "'");
  f.txt(30).SetText(kLotto2);
  f.txt(50).SetText("2");
  const std::string r = f.ButtonComando("Salva");
  EXPECT_EQ(r, "") << (messaggi_.empty() ? std::string() : messaggi_.back());
  EXPECT_FALSE(f.mbTransAperta);
  EXPECT_EQ(Righe(), std::string(kLotto2) + ":2");
  EXPECT_EQ(Stato(kLotto1), "A");
  EXPECT_EQ(Stato(kLotto2), "A");
}

TEST_F(Tracc, EscOnANewRowWithoutLotCancelsItAndF10ClosesTheWindow) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  Tick(f);
  f.ButtonComando("Nuovo");
  ASSERT_EQ(f.ogLinPag().Stato(), 2);
  // the quantity still to cover is proposed: 6 of the line are covered
  int k = 27;
  f.Form_KeyDown(k, 0);
  EXPECT_EQ(f.ogLinPag().Stato(), 1);
  f.ButtonComando("Nuovo");
  k = 121;
  f.Form_KeyDown(k, 0);
  EXPECT_FALSE(f.Caricata());
  EXPECT_TRUE(d.Enabled());
  EXPECT_EQ(Righe(), std::string(kLotto1) + ":6");
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {
using namespace dati::demo;

TEST_F(Tracc, AShortUnloadRefusedInItsDialogLeavesNoRowAndNoOpenTransaction) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  Tick(f);
  f.oiTracQtaVer = 1;
  f.ButtonComando("Nuovo");
  ASSERT_EQ(f.ogLinPag().Stato(), 2);
  f.txt(46).SetText(std::string(kGruppoFornitori) + "-" + kMastroFornitori + "-" + kFornitore2);
  f.txt(30).SetText(kLotto2);
  f.txt(40).SetText("1");
  f.txt(50).SetText("100");
  messaggi_.clear();
  risposte_ = {2};  // "&Annulla"
  f.ButtonComando("Salva");
  EXPECT_FALSE(f.mbTransAperta);
  ASSERT_FALSE(messaggi_.empty());
  EXPECT_EQ(messaggi_[0].rfind("Quantità caricata insufficiente per gli scarichi richiesti\r\nQuantità disponibile: ", 0), 0u)
      << messaggi_[0];
  EXPECT_EQ(Righe(), std::string(kLotto1) + ":6");
}

}  // namespace
}  // namespace prova

namespace prova {
namespace {
using namespace dati::demo;

TEST_F(Tracc, F10SavesANewRowAndTheNextTickStartsAnother) {
  frmDDTDett& d = RigheProva::Righe(kDdtModificabile);
  frmMovTracc& f = Apri(d);
  Tick(f);
  f.ButtonComando("Nuovo");
  ASSERT_EQ(f.ogLinPag().Stato(), 2);
  f.txt(46).SetText(std::string(kGruppoFornitori) + "-" + kMastroFornitori + "-" + kFornitore2);
  f.txt(30).SetText(kLotto2);
  f.txt(40).SetText("1");
  f.txt(50).SetText("1");
  messaggi_.clear();
  int k = 121;
  f.Form_KeyDown(k, 0);
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  EXPECT_EQ(Righe(), std::string(kLotto1) + ":6 " + kLotto2 + ":1");
  EXPECT_FALSE(f.mbTransAperta);
  Tick(f);
  EXPECT_EQ(f.ogLinPag().Stato(), 2);
  EXPECT_EQ(f.txt(30).Text(), "");
}

}  // namespace
}  // namespace prova

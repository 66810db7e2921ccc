// The header window as the menu opens it on the demo company: loaded, its
// bar bound to DdtTest, a stored DDT found by year and number.
#include "ddt/header/TestataProva.h"

namespace {

using Finestra = prova::TestataProva;

TEST_F(Finestra, OpensOnTheDemoCompanyAndFindsAStoredDdt) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
  EXPECT_EQ(f.LeggiPerNome("osKeySec").ToString(), "w1");
  EXPECT_EQ(f.LeggiPerNome("oiInDett").ToInt(), -1);
  // The demo company keeps declarations of intent on the header.
  EXPECT_EQ(f.ogComPag().Campi().size(), 103u);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 0);
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ogComPag().EseguiTasto("Ricerca");
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_FALSE(f.txt(30).Text().empty());
  EXPECT_EQ(f.miCampoLegato[810], 830);
}

}  // namespace

namespace {

// The transport times are date columns shown through a time mask: the box
// reads the time back as the bar saves it.
TEST_F(Finestra, TransportTimesSaveAndShowAsTimes) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ButtonComando("Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
  f.txt(1230).SetText("8.05");
  f.txt(1200).SetText("17:45");
  f.ogComPag().CampoModificato(1);
  f.ButtonComando("Salva");
  EXPECT_TRUE(f.ogComPag().VarDati(-1).ToString().empty()) << (messaggi_.empty() ? "" : messaggi_.back());
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                         "Select OraInizioTrasp, OraRitiroMerce From DdtTest Where Anno = 2026 "
                                         "And NumRif = " + std::to_string(dati::demo::kDdtModificabile));
  const vb::Date inizio = rs.LeggiCampo(k, "OraInizioTrasp").ToDate();
  EXPECT_EQ(inizio.Hour() * 100 + inizio.Minute(), 805);
  const vb::Date ritiro = rs.LeggiCampo(k, "OraRitiroMerce").ToDate();
  EXPECT_EQ(ritiro.Hour() * 100 + ritiro.Minute(), 1745);
  rs.ChiudiRecordset(k);
  f.ButtonComando("Annulla");
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ButtonComando("Ricerca");
  EXPECT_EQ(f.txt(1230).Text(), "08:05");
  EXPECT_EQ(f.txt(1200).Text(), "17:45");
  f.txt(1230).SetText("25:00");
  f.ogComPag().CampoModificato(1);
  f.ButtonComando("Salva");
  EXPECT_FALSE(f.ogComPag().VarDati(-1).ToString().empty());
}

}  // namespace

namespace {

// A DDT found by its number leaves the focus on its data, not on the key
// strip's buttons; a new one on its first field.
TEST_F(Finestra, TheFocusGoesToTheDataOfAShownOrNewDdt) {
  frmDdtTest& f = Testata();
  ASSERT_EQ(f.oiLoadOk(), 1);
  f.txt(20).SetText("2026");
  f.txt(10).SetText(std::to_string(dati::demo::kDdtModificabile));
  f.ButtonComando("Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1);
  ASSERT_NE(f.ActiveControl(), nullptr);
  EXPECT_EQ(f.ActiveControl()->Name(), "txt");
  f.ButtonComando("Annulla");
  f.ButtonComando("VarKey");
  f.txt(10).SetText("0");
  f.ButtonComando("Ricerca");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
  ASSERT_NE(f.ActiveControl(), nullptr);
  EXPECT_EQ(f.ActiveControl()->Name(), "txt");
  EXPECT_EQ(f.ActiveControl()->Index(), 30);
}

}  // namespace

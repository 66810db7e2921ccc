// The header window kept in step with the bar: the toolbar and fields by
// mode, the insert order of a new DDT, a record shown, the area cleared.
#include "ddt/header/GanciProva.h"
#include "platform/Errore.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace {

using Stato = prova::GanciProva;
using vb::Variant;

TEST_F(Stato, TheToolbarByModeAndState) {
  // Enabled after the mode change: Dettaglio, Spese, Ripristino, Stampa,
  // CalcVuoti, and the currency with its VAT-inclusive option.
  struct Caso {
    int modo;
    const char* stato;
    const char* attesi;  // D S R T C, M = currency, x = Salva and Cancella off
  };
  const Caso casi[] = {
      {0, "", "-----M"},  {1, "", "DS-TC-"},  {1, "S", "DSRT--"}, {1, "s", "DSRT--"},
      {1, "E", "DS-T--x"}, {7, "", "DS-TC-"},  {7, "S", "DSRT--"}, {2, "", "D----M"},
      {3, "", "------"},  {2, "E", "D----Mx"}, {0, "E", "-----Mx"},
  };
  frmDdtTest& f = Finestra();
  ui::Controllo& tb = f.C("tolComPag");
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.modo) + " '" + c.stato + "'");
    for (const char* k : {"Dettaglio", "Spese", "Ripristino", "Stampa", "CalcVuoti", "Salva", "Cancella"})
      tb.Elem(k).Enabled = true;
    f.txt(110).SetText(c.stato);
    Variant rit = "";
    std::vector<Variant> arr = {Variant(int16_t(c.modo)), {}, {}};
    EXPECT_EQ(f.PersPagDop(1, rit, arr).ToInt(), 0);
    const std::string a = c.attesi;
    EXPECT_EQ(tb.Elem("Dettaglio").Enabled, a[0] == 'D');
    EXPECT_EQ(tb.Elem("Spese").Enabled, a[1] == 'S');
    EXPECT_EQ(tb.Elem("Ripristino").Enabled, a[2] == 'R');
    EXPECT_EQ(tb.Elem("Stampa").Enabled, a[3] == 'T');
    EXPECT_EQ(tb.Elem("CalcVuoti").Enabled, a[4] == 'C');
    EXPECT_EQ(f.txt(400).Enabled(), a[5] == 'M');
    EXPECT_EQ(f.C("ComHlp", 400).Enabled(), a[5] == 'M');
    EXPECT_EQ(f.C("che", 210).Enabled(), a[5] == 'M');
    const bool spenti = a.size() > 6;
    EXPECT_EQ(tb.Elem("Salva").Enabled, !spenti);
    EXPECT_EQ(tb.Elem("Cancella").Enabled, !spenti);
    EXPECT_EQ(rit.ToString(), "");
  }
}

TEST_F(Stato, TheToolbarFollowsTheBar) {
  frmDdtTest& f = Finestra();
  ui::Controllo& tb = f.C("tolComPag");
  Mostra(f, dati::demo::kDdtEvaso);
  EXPECT_FALSE(tb.Elem("Salva").Enabled);
  EXPECT_FALSE(tb.Elem("Cancella").Enabled);
  EXPECT_FALSE(tb.Elem("Ripristino").Enabled);
  EXPECT_FALSE(tb.Elem("CalcVuoti").Enabled);
  EXPECT_TRUE(tb.Elem("Dettaglio").Enabled);
  EXPECT_TRUE(f.C("dbgDett").Enabled());
  Lascia(f);
  Mostra(f, dati::demo::kDdtStampato);
  EXPECT_TRUE(tb.Elem("Ripristino").Enabled);
  EXPECT_FALSE(tb.Elem("CalcVuoti").Enabled);
  Lascia(f);
  EXPECT_FALSE(f.C("dbgDett").Enabled());
  Nuovo(f);
  EXPECT_FALSE(tb.Elem("Stampa").Enabled);
  EXPECT_TRUE(f.txt(400).Enabled());
  EXPECT_FALSE(f.C("dbgDett").Enabled());
}

TEST_F(Stato, ANewDdtTakesThePersonalPageAndInsertOrder) {
  frmDdtTest& f = Finestra();
  const std::vector<int16_t> campi = {90, 60, 30};
  f.mbOrdIns = true;
  f.miOrdInsCampi = campi;
  f.miOrdInsTab.clear();
  for (int16_t n : campi) f.miOrdInsTab.push_back(static_cast<int16_t>(f.txt(n).TabIndex()));
  // Positions by load TabIndex, highest first.
  f.miOrdInsPrec = {0, 1, 2};
  std::sort(f.miOrdInsPrec.begin(), f.miOrdInsPrec.end(),
            [&](int16_t a, int16_t b) { return f.miOrdInsTab[a] > f.miOrdInsTab[b]; });
  f.miPagIns = 2;
  Nuovo(f);
  // The bar puts the focus on its first data field after its own call of
  // the hook; the window's insert order is seen as the hook leaves it.
  Variant rit = "";
  std::vector<Variant> nuovo = {Variant(int16_t(2)), {}, {}};
  f.C("TasPagine").SetSelectedTab(1);
  f.mbComandoInCorso = true;
  f.PersPagDop(1, rit, nuovo);
  EXPECT_EQ(f.C("TasPagine").SelectedTab(), 2);
  for (size_t i = 0; i < campi.size(); ++i) EXPECT_EQ(f.txt(campi[i]).TabIndex(), static_cast<int>(i));
  EXPECT_FALSE(f.mbComandoInCorso);
  EXPECT_EQ(ui::Screen().ActiveControl(), &f.txt(90));
  // Leaving the insert gives the fields their places back.
  Lascia(f);
  for (size_t i = 0; i < campi.size(); ++i) EXPECT_EQ(f.txt(campi[i]).TabIndex(), f.miOrdInsTab[i]);

  // One field only: no TabIndex changes, the focus still goes to it.
  f.miOrdInsCampi = {60};
  f.miOrdInsTab = {static_cast<int16_t>(f.txt(60).TabIndex())};
  f.miOrdInsPrec = {0};
  const int tab60 = f.txt(60).TabIndex();
  Nuovo(f);
  f.PersPagDop(1, rit, nuovo);
  EXPECT_EQ(f.txt(60).TabIndex(), tab60);
  EXPECT_EQ(ui::Screen().ActiveControl(), &f.txt(60));
}

TEST_F(Stato, AShownDdtLeavesItsSnapshot) {
  frmDdtTest& f = Finestra();
  f.C("tolComPag").Elem("RipEvasione").Visible = true;
  Mostra(f, dati::demo::kDdtModificabile);
  EXPECT_EQ(f.msClientePrec, f.txt(80).Text());
  EXPECT_EQ(f.msMagazzProvPrec, f.txt(290).Text());
  EXPECT_EQ(f.msPagamentoPrec, f.txt(220).Text());
  EXPECT_DOUBLE_EQ(f.mdPesoPrec, 42.5);
  EXPECT_FALSE(f.C("tolComPag").Elem("RipEvasione").Visible);
  // While a new DDT is typed the snapshot is empty.
  Lascia(f);
  Nuovo(f);
  EXPECT_EQ(f.msClientePrec, "");
  EXPECT_EQ(f.mdPesoPrec, 0);
  EXPECT_EQ(f.msAddebitoBolliPrec, "");
}

// A backend on which one control of the header cannot be shown: the step
// of the read that writes it fails.
class BackendGuasto : public prova::BackendTestata {
 public:
  const ui::Controllo* guasto = nullptr;
  void Cambiato(ui::Controllo& c, ui::Prop p) override {
    if (&c == guasto && p == ui::Prop::Testo) vb::Solleva(5, "controllo non disponibile");
    prova::BackendTestata::Cambiato(c, p);
  }
};

TEST_F(Stato, TheSnapshotIsTakenAlsoWhenAStepOfTheReadFails) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  const std::string clientePrima = f.msClientePrec;
  Lascia(f);
  BackendGuasto guasto;
  guasto.rispondi = backend_.rispondi;
  guasto.guasto = &f.lab(110);  // the state's caption, written by the read
  ui::ImpostaBackend(&guasto);
  messaggi_.clear();
  Mostra(f, dati::demo::kDdtStampato);
  ui::ImpostaBackend(&backend_);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_NE(messaggi_[0].find("controllo non disponibile"), std::string::npos) << messaggi_[0];
  // The snapshot is the DDT shown, not the one before it.
  EXPECT_NE(f.msClientePrec, clientePrima);
  EXPECT_EQ(f.msClientePrec, f.txt(80).Text());
  EXPECT_EQ(f.msPagamentoPrec, f.txt(220).Text());
  EXPECT_DOUBLE_EQ(f.mdPesoPrec, 3.2);
  // The steps after the failing one ran too.
  EXPECT_FALSE(f.C("tolComPag").Elem("RipEvasione").Visible);
  // A save compares with it: nothing changed, nothing asked.
  messaggi_.clear();
  Variant rit = "";
  std::vector<Variant> arr(3);
  f.PersPagPri(27, rit, arr);
  EXPECT_TRUE(messaggi_.empty());
  EXPECT_FALSE(f.mbVerSpesePag || f.mbAggSpesaCli || f.mbPesoCambiato);
  std::vector<Variant> a12 = {Variant(false), {}, {}};
  f.PersPagDop(12, rit, a12);
}

TEST_F(Stato, TheFocusAfterADdtIsShown) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtEvaso);
  // As the hook leaves it once the bar has enabled the data area.
  f.C("dbgDett").SetFocus();
  Variant rit = "";
  std::vector<Variant> arr(3);
  f.PersPagDop(5, rit, arr);
  EXPECT_EQ(f.ActiveControl(), &f.C("TasPagine"));
  // From the pages to the first field of the page shown.
  Lascia(f);
  Mostra(f, dati::demo::kDdtModificabile);
  f.C("TasPagine").SetSelectedTab(4);
  f.C("TasPagine").SetFocus();
  f.PersPagDop(5, rit, arr);
  EXPECT_EQ(f.ActiveControl(), &f.txt(800));
  // An editable one from the data area to the reference date.
  Lascia(f);
  Mostra(f, dati::demo::kDdtModificabile);
  f.C("PicDett").SetFocus();
  f.PersPagDop(5, rit, arr);
  EXPECT_EQ(f.ActiveControl(), &f.txt(30));
}

TEST_F(Stato, AClearRemovesWhatWasDecodedAndLeavesAnEmptyLineGrid) {
  frmDdtTest& f = Finestra();
  Mostra(f, dati::demo::kDdtModificabile);
  f.msDdtInterno = "S";
  f.msQualeImporto = "I";
  f.mlGgScadCli = 30;
  f.msPagamentoCli = "RD";
  f.lab(80).SetCaption("Alimentari Bianchi");
  f.lab(80).SetForeColor(0);
  f.miProvCaricata = 1;
  // The bar's clear of a duplicate (mode 3) keeps them.
  f.ogComPag().EseguiTasto("Duplica");
  ASSERT_EQ(f.ogComPag().oiFlagOpe(), 3);
  EXPECT_EQ(f.msDdtInterno, "S");
  EXPECT_EQ(f.lab(80).Caption(), "Alimentari Bianchi");
  Lascia(f);
  EXPECT_EQ(f.msDdtInterno, "");
  EXPECT_EQ(f.msQualeImporto, "L");
  EXPECT_EQ(f.mlGgScadCli, 0);
  EXPECT_EQ(f.msPagamentoCli, "");
  EXPECT_EQ(f.lab(80).Caption(), "");
  EXPECT_EQ(f.lab(80).ForeColor(), 0x00FF0000);
  EXPECT_EQ(f.miProvCaricata, 0);
  // An empty grid of lines with its one column.
  auto* d = dynamic_cast<ui::DatiControllo*>(&f.C("DatDett"));
  ASSERT_NE(d, nullptr);
  ASSERT_NE(d->Recordset(), nullptr);
  EXPECT_EQ(f.mgRsDett.NumRecord(f.msKeyRsDett), 0);
  EXPECT_EQ(d->Recordset(), &f.mgRsDett.RecordsetDao(f.msKeyRsDett));
}

TEST_F(Stato, AClearSetsTheYearAndNumberUnlessTheBarIsMoving) {
  frmDdtTest& f = Finestra();
  // As the load leaves it: "InMuovi" is "S", year and number stay.
  f.txt(20).SetText("2025");
  f.txt(10).SetText("12");
  Variant rit = "";
  std::vector<Variant> arr = {{}, Variant(false), {}};
  f.PersPagDop(8, rit, arr);
  EXPECT_EQ(f.txt(20).Text(), "2025");
  EXPECT_EQ(f.txt(10).Text(), "12");
  f.ogComPag().ScriviVarBarra("InMuovi", 12, Variant("N"));
  f.PersPagDop(8, rit, arr);
  EXPECT_EQ(f.txt(20).Text(), "2026");
  EXPECT_EQ(f.txt(10).Text(), "");
  // On a stored DDT the number stays.
  Mostra(f, 3);
  f.ogComPag().ScriviVarBarra("InMuovi", 12, Variant("N"));
  f.txt(20).SetText("2025");
  f.PersPagDop(8, rit, arr);
  EXPECT_EQ(f.txt(10).Text(), "3");
  EXPECT_EQ(f.txt(20).Text(), "2026");
}

}  // namespace

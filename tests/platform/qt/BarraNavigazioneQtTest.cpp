// The record bar's test form and the progress object as real windows: the
// form shown, a toolbar click saving to SQLite, the busy window at step 3 of
// 5; screenshots go to the build's test folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolBar>
#include <filesystem>

#include "ProvaQt.h"
#include "common/frmInElab.h"
#include "platform/MsgBox.h"
#include "platform/barre/Avanzamento.h"
#include "platform/barre/BarraFormProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/qt/BackendQt.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

namespace {

using prova::FileSchermata;

class BarraQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prova::AvviaQtProva();
  }
  void SetUp() override {
    ui::ImpostaBackend(ui::BackendQtAttivo());
    prima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi.push_back(t);
      return static_cast<int>(vb::vbOK);
    });
  }
  void TearDown() override {
    vb::ImpostaGestoreMsgBox(prima_);
    ui::ImpostaBackend(nullptr);
  }
  std::vector<std::string> messaggi;
  vb::GestoreMsgBox prima_;
};

TEST_F(BarraQt, RecordFormSavesFromAToolbarClick) {
  prova::CartellaTemp dir("barraqt");
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(dir.Percorso("ditta.db"));
  db.EseguiSql(conn, prova::kDdlSQLite, 64);
  db.Motore(conn).AzzeraCatalogo();
  db.EseguiSql(conn, "Insert into Registrazioni (Anno, Numero, Data, Importo, Nota, Gruppo, Mastro, Conto) "
                     "Values (2026, 4, #2026-12-01#, 1234.5, 'Fattura d''acconto', 1, 2, 300)");
  auto f = std::make_unique<prova::FormRecordProva>();
  f->Load();
  f->Prepara(db, conn);
  f->Show();
  f->C("txt", 1).SetText("2026");
  f->C("txt", 2).SetText("4");
  ASSERT_EQ(f->ButtonComando("Ricerca").ToString(), "");
  f->C("txt", 5).SetText("Fattura d'acconto, rivista");
  QApplication::processEvents();

  auto* tb = qobject_cast<QToolBar*>(ui::BackendQt::Widget(f->C("tolComPag")));
  ASSERT_NE(tb, nullptr);
  QAction* salva = nullptr;
  for (QAction* a : tb->actions())
    if (a->text() == "Salva") salva = a;
  ASSERT_NE(salva, nullptr);
  EXPECT_TRUE(salva->isEnabled());
  auto* nota = qobject_cast<QLineEdit*>(ui::BackendQt::Widget(f->C("txt", 5)));
  ASSERT_NE(nota, nullptr);
  EXPECT_EQ(nota->text().toStdString(), "Fattura d'acconto, rivista");
  EXPECT_EQ(qobject_cast<QLineEdit*>(ui::BackendQt::Widget(f->C("txt", 4)))->text().toStdString(), "1.234,5");
  salva->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(messaggi.empty()) << messaggi.front();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(db, conn, "", "Select Nota from Registrazioni Where Anno = 2026 And Numero = 4");
  EXPECT_EQ(rs.LeggiCampo(k, "Nota").ToString(), "Fattura d'acconto, rivista");
  EXPECT_EQ(f->ogComPag->VarDati(-1).ToString(), "");
  EXPECT_FALSE(f->C("tolComPag").Elem("Inizio").Enabled == false);

  const std::string png = FileSchermata("barra-record-qt.png");
  ASSERT_TRUE(ui::SalvaSchermata(*f, png));
  QImage img(QString::fromStdString(png));
  EXPECT_FALSE(img.isNull());
  f->ogComPag.reset();
  f->Unload();
}

TEST_F(BarraQt, ProgressShowsStep3Of5OnTheBusyWindow) {
  frmInElab finestra;
  barre::Avanzamento av;
  av.Form(finestra);
  av.Apri(5, "Calcolo cambio dettagli", 0, true, true, 24, "Calcolo cambio dettagli", 2, true);
  finestra.Show(0);
  for (long i = 1; i <= 3; ++i) av.Avanza(i, vb::Missing, true);
  QApplication::processEvents();
  EXPECT_EQ(finestra.C("LabFatti").Caption(), "3");
  EXPECT_EQ(finestra.C("labDaFare").Caption(), "5");
  auto* bar = qobject_cast<QProgressBar*>(ui::BackendQt::Widget(finestra.C("proDaFare")));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->value(), 3);
  EXPECT_EQ(bar->maximum(), 5);
  EXPECT_TRUE(ui::BackendQt::Widget(finestra.C("LabMsgElab"))->isVisible());
  const std::string png = FileSchermata("avanzamento-qt.png");
  ASSERT_TRUE(ui::SalvaSchermata(finestra, png));
  av.Chiudi(true);
  EXPECT_FALSE(finestra.Caricata());
}

TEST_F(BarraQt, CaptionlessButtonShowsAThemeIconOrItsLetter) {
  ui::Form f("frmBottoniQt");
  auto& tb = f.Crea(ui::Tipo::Toolbar, "tolComPag");
  tb.AggiungiElemento("Salva").ToolTipText = "(S) Salva";
  tb.AggiungiElemento("Propria").ToolTipText = "(X) Comando della finestra";
  barre::BarraRecord b;
  b.ImpImmagini("", tb);
  f.Load();
  f.Show();
  QApplication::processEvents();
  auto* w = qobject_cast<QToolBar*>(ui::BackendQt::Widget(tb));
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->actions().size(), 2);
  QAction* salva = w->actions()[0];
  EXPECT_TRUE(!salva->icon().isNull() || salva->text() == "S");
  QAction* propria = w->actions()[1];
  EXPECT_TRUE(propria->icon().isNull());
  EXPECT_EQ(propria->text().toStdString(), "X");
  f.Unload();
}

}  // namespace

// The list window and the line window of the page components, shown by the
// Qt backend offscreen: their toolbars run the commands, and pictures of
// both are written to be looked at.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>

#include "ProvaQt.h"
#include "platform/MsgBox.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/barre/RigheFormProva.h"
#include "platform/dati/GestRecordset.h"
#include "platform/qt/BackendQt.h"
#include "support/CartellaTemp.h"

namespace {

using prova::FileSchermata;

void Attendi(int ms = 30) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

QAction* Azione(ui::Controllo& barra, const QString& testo) {
  auto* tb = qobject_cast<QToolBar*>(ui::BackendQt::Widget(barra));
  if (!tb) return nullptr;
  for (QAction* a : tb->actions())
    if (a->text() == testo) return a;
  return nullptr;
}

class PagineQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prova::AvviaQtProva();
  }
  void SetUp() override {
    ui::ImpostaBackend(ui::BackendQtAttivo());
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    vecchio_ = vb::ImpostaGestoreMsgBox([](const std::string&, int, const std::string&) { return vb::vbYes; });
  }
  void TearDown() override {
    for (ui::Form* f : std::vector<ui::Form*>(ui::Forms())) f->Unload();
    Attendi(5);
    vb::ImpostaGestoreMsgBox(vecchio_);
  }
  prova::CartellaTemp dir_{"pagineqt"};
  dati::GestDatabase db_;
  std::string conn_;
  vb::GestoreMsgBox vecchio_;
};

}  // namespace

TEST_F(PagineQt, TheListWindowSearchesFromItsToolbarAndShowsTheRows) {
  prova::CreaListaProva(db_, conn_, 60);
  prova::FormListaProva f(db_, conn_);
  f.Load();
  f.Show();
  Attendi();
  f.C("txt", 10).SetText("2024");
  f.C("txt", 80).SetText("Rif 1");
  QAction* ricerca = Azione(f.C("tolComlin"), "Ricerca");
  ASSERT_NE(ricerca, nullptr);
  ricerca->trigger();
  Attendi();
  auto* v = qobject_cast<QTableView*>(ui::BackendQt::Widget(f.C("dbgRiga")));
  ASSERT_NE(v, nullptr);
  // Rif 1, 11, 13, 15, 17, 19 of the year 2024 (odd numbers)
  EXPECT_EQ(v->model()->rowCount(), 6);
  EXPECT_EQ(v->model()->headerData(2, Qt::Horizontal).toString(), "Data");
  EXPECT_EQ(v->model()->data(v->model()->index(0, 2)).toString(), "01/01/2024");
  EXPECT_EQ(f.C("txtRiga").Text(), "1 / 6");
  EXPECT_TRUE(ui::SalvaSchermata(f, FileSchermata("lista-barre-qt.png")));
}

// Over many rows the view holds those read so far and asks for more as the
// user scrolls; going to the end brings them all, the place kept.
TEST_F(PagineQt, TheListWindowOverManyRowsGrowsAsItScrolls) {
  prova::CreaListaProva(db_, conn_, 60);
  db_.Motore(conn_).Esegui(
      "WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g WHERE x < 20000) "
      "INSERT INTO ListaProva (Anno, NumRif) SELECT 2030, x FROM g");
  prova::FormListaProva f(db_, conn_);
  f.Load();
  f.Show();
  Attendi();
  Azione(f.C("tolComlin"), "Ricerca")->trigger();
  Attendi();
  auto* v = qobject_cast<QTableView*>(ui::BackendQt::Widget(f.C("dbgRiga")));
  ASSERT_NE(v, nullptr);
  QAbstractItemModel* m = v->model();
  const int prima = m->rowCount();
  EXPECT_GT(prima, 0);
  EXPECT_LT(prima, 5000);
  EXPECT_LT(f.ogComlin.Recordset()->RigheLette(), 5000);
  ASSERT_TRUE(m->canFetchMore({}));
  m->fetchMore({});
  EXPECT_GT(m->rowCount(), prima);
  const int ultima = m->rowCount() - 1;
  EXPECT_EQ(m->data(m->index(ultima, 1)).toString().toStdString(), std::to_string(ultima - 59));
  v->scrollToBottom();
  Attendi();
  EXPECT_GE(m->rowCount(), prima);
  Azione(f.C("tolComlin"), "Fine")->trigger();
  Attendi();
  EXPECT_EQ(m->rowCount(), 20060);
  EXPECT_FALSE(m->canFetchMore({}));
  EXPECT_EQ(v->currentIndex().row(), 20059);
  EXPECT_EQ(f.C("txtRiga").Text(), "20060 / 20060");
}

TEST_F(PagineQt, TheLineWindowSavesATypedRowFromItsToolbar) {
  prova::CreaRigheProva(db_, conn_);
  for (int r = 1; r <= 3; ++r)
    db_.EseguiSql(conn_, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo, Qta, Prezzo, Nota) Values (2026, 7, " +
                             std::to_string(r) + ", 'ART" + std::to_string(r) + "', " + std::to_string(r) +
                             ", 12.5, 'Nota " + std::to_string(r) + "')");
  prova::FormRigheProva f(db_, conn_, 2026, 7);
  f.Load();
  f.Show();
  Attendi();
  auto* articolo = qobject_cast<QLineEdit*>(ui::BackendQt::Widget(f.C("txt", 20)));
  ASSERT_NE(articolo, nullptr);
  EXPECT_EQ(articolo->text(), "ART1");
  f.C("txt", 20).SetText("VITE M6");
  f.C("txt", 30).SetText("150,5");
  QAction* salva = Azione(f.C("tolLinPag"), "Salva");
  ASSERT_NE(salva, nullptr);
  salva->trigger();
  Attendi();
  dati::GestRecordset g;
  const std::string k = g.ApriRecordset(db_, conn_, "", "Select Articolo, Qta From RigheProva Where RigDet = 1", false, 4);
  EXPECT_EQ(g.LeggiCampo(k, "Articolo").ToString(), "VITE M6");
  EXPECT_DOUBLE_EQ(g.LeggiCampo(k, "Qta").ToDouble(), 150.5);
  g.ChiudiRecordset(k);
  auto* v = qobject_cast<QTableView*>(ui::BackendQt::Widget(f.C("dbgRiga")));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->model()->rowCount(), 3);
  EXPECT_EQ(f.log.back(), "A10");
  EXPECT_TRUE(ui::SalvaSchermata(f, FileSchermata("righe-barre-qt.png")));
}

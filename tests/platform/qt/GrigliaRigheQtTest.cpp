// The bound grid of a line window under Qt offscreen: the row selectors
// select whole rows (Ctrl adds, Shift extends), the line page gets them and
// deletes them; a click on a cell leaves them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

#include "ProvaQt.h"
#include "platform/MsgBox.h"
#include "platform/barre/RigheFormProva.h"
#include "platform/qt/BackendQt.h"
#include "support/CartellaTemp.h"

namespace {

void Attendi(int ms = 30) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

// A click on the row selector of a row, with the keys held.
void ClicSelettore(QTableView* v, int riga, Qt::KeyboardModifiers tasti = Qt::NoModifier) {
  QHeaderView* h = v->verticalHeader();
  const QPoint p(h->width() / 2, h->sectionViewportPosition(riga) + h->sectionSize(riga) / 2);
  const QPointF pf(p);
  const QPointF globale(h->viewport()->mapToGlobal(p));
  QMouseEvent premi(QEvent::MouseButtonPress, pf, globale, Qt::LeftButton, Qt::LeftButton, tasti);
  QCoreApplication::sendEvent(h->viewport(), &premi);
  QMouseEvent lascia(QEvent::MouseButtonRelease, pf, globale, Qt::LeftButton, Qt::NoButton, tasti);
  QCoreApplication::sendEvent(h->viewport(), &lascia);
  Attendi(10);
}

class GrigliaRigheQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { prova::AvviaQtProva(); }
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
  long Conta() {
    dati::GestRecordset g;
    const std::string k = g.ApriRecordset(db_, conn_, "", "Select RigDet From RigheProva", false, 4);
    const long n = g.NumRecord(k);
    g.ChiudiRecordset(k);
    return n;
  }
  prova::CartellaTemp dir_{"grigliaqt"};
  dati::GestDatabase db_;
  std::string conn_;
  vb::GestoreMsgBox vecchio_;
};

}  // namespace

TEST_F(GrigliaRigheQt, RowSelectorsSelectRowsThatTheLinePageDeletes) {
  prova::CreaRigheProva(db_, conn_);
  for (int r = 1; r <= 6; ++r)
    db_.EseguiSql(conn_, "Insert into RigheProva (Anno, NumRif, RigDet, Articolo) Values (2026, 7, " + std::to_string(r) +
                             ", 'ART" + std::to_string(r) + "')");
  prova::FormRigheProva f(db_, conn_, 2026, 7);
  f.Load();
  f.Show();
  Attendi();
  auto& g = static_cast<ui::Griglia&>(f.C("dbgRiga"));
  auto* v = qobject_cast<QTableView*>(ui::BackendQt::Widget(g));
  ASSERT_NE(v, nullptr);
  auto posizioni = [&] {
    std::vector<long> p;
    for (const std::string& b : g.SelBookmarks()) p.push_back(g.PosizioneDi(b));
    std::sort(p.begin(), p.end());
    return p;
  };
  struct Caso {
    int riga;
    Qt::KeyboardModifiers tasti;
    std::vector<long> attese;
  };
  const std::vector<Caso> casi = {
      {1, Qt::NoModifier, {1}},
      {3, Qt::ControlModifier, {1, 3}},
      {1, Qt::ControlModifier, {3}},       // Ctrl on a selected row takes it off
      {5, Qt::ShiftModifier, {1, 2, 3, 4, 5}},  // from the last row clicked
      {4, Qt::NoModifier, {4}},
      {2, Qt::ShiftModifier, {2, 3, 4}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.riga);
    ClicSelettore(v, c.riga, c.tasti);
    EXPECT_EQ(posizioni(), c.attese);
    EXPECT_EQ(f.ogLinPag.SelBookmarks().size(), c.attese.size());
    // painted in the selection colours
    for (long r = 0; r < 6; ++r) {
      const bool sel = std::find(c.attese.begin(), c.attese.end(), r) != c.attese.end();
      EXPECT_EQ(v->model()->data(v->model()->index(static_cast<int>(r), 3), Qt::BackgroundRole).isValid(), sel) << r;
    }
  }
  // "Cancella" deletes the three rows; the others stay
  EXPECT_EQ(f.ButtonComando("Cancella"), "");
  Attendi();
  EXPECT_EQ(Conta(), 3);
  EXPECT_TRUE(g.SelBookmarks().empty());
  // a click on a cell leaves the selected rows
  ClicSelettore(v, 0);
  ASSERT_EQ(g.SelBookmarks().size(), 1u);
  emit v->pressed(v->model()->index(1, 3));
  Attendi(10);
  EXPECT_TRUE(g.SelBookmarks().empty());
}

// The look-up window as a real window under Qt: a search typed into it, the
// list narrowed, the row chosen with Enter.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "ProvaQt.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/aiuti/DatiAiuti.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/qt/BackendQt.h"
#include "support/CartellaTemp.h"

using namespace ui;

namespace {

using prova::FileSchermata;

void Attendi(int ms = 30) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

void Tasto(QWidget* w, int key, const QString& testo = {}) {
  QKeyEvent giu(QEvent::KeyPress, key, Qt::NoModifier, testo);
  QCoreApplication::sendEvent(w, &giu);
  QKeyEvent su(QEvent::KeyRelease, key, Qt::NoModifier, testo);
  QCoreApplication::sendEvent(w, &su);
}

class Campo : public Form {
 public:
  Campo() : Form("frmCampo") {
    SetCaption("Documento");
    Move(0, 0, 6000, 2000);
    Crea(Tipo::TextBox, "txtIva").Move(240, 240, 1200, 315);
    Crea(Tipo::Label, "labIva").Move(1600, 240, 3000, 315);
  }
};

class FinestraAiutoQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prova::AvviaQtProva();
  }
  void SetUp() override {
    ImpostaBackend(BackendQtAttivo());
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    prova::RiempiAnagrafiche(*db_, conn_);
    std::shared_ptr<menu::ContestoProgramma> contesto;
    lib_.Inizializza(nullptr, nullptr, contesto, db_, conn_, nullptr, 0xFFFFFF, 255, "p", "dd/mm/yyyy");
  }
  void TearDown() override {
    lib_.ChiudiFinestre();
    for (Form* f : std::vector<Form*>(Forms())) f->Unload();
    Attendi(5);
  }

  prova::CartellaTemp dir_{"qtaiuto"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  aiuti::AiutiDecodifica lib_;
};

}  // namespace

TEST_F(FinestraAiutoQt, TheLookUpIsARealWindowSearchedAsTheUserTypes) {
  Campo f;
  f.Show();
  Attendi();
  bool visto = false;
  QTimer::singleShot(100, [&] {
    aiuti::FinestraAiuto& w = lib_.FinestraAttiva();
    QWidget* finestra = BackendQt::Finestra(w);
    ASSERT_NE(finestra, nullptr);
    EXPECT_TRUE(finestra->isVisible());
    EXPECT_EQ(finestra->windowTitle(), "Aiuto - Codici IVA");
    auto* cerca = qobject_cast<QLineEdit*>(BackendQt::Widget(w.txtCerca()));
    auto* vista = qobject_cast<QTableView*>(BackendQt::Widget(w.dbgAiuto()));
    ASSERT_NE(cerca, nullptr);
    ASSERT_NE(vista, nullptr);
    EXPECT_EQ(vista->model()->rowCount(), 5);
    Tasto(cerca, Qt::Key_1, "1");
    Attendi();
    EXPECT_EQ(cerca->text(), "1");
    EXPECT_EQ(vista->model()->rowCount(), 1);
    EXPECT_EQ(vista->model()->data(vista->model()->index(0, 1)).toString(), "Aliquota 10%");
    EXPECT_TRUE(SalvaSchermata(w, FileSchermata("aiuto-qt.png")));
    visto = true;
    Tasto(cerca, Qt::Key_Return, "\r");
  });
  // Should the steps above fail, the window still goes; bound to a local
  // object so that, unused, it dies with the test.
  QObject rete;
  QTimer::singleShot(8000, &rete, [&] { lib_.FinestraAttiva().Esci(); });
  int16_t scelto = 0;
  lib_.ApriRicerca("Iva", f.C("txtIva"), &f.C("labIva"), 113, &f, {}, scelto, 0, "", "");
  EXPECT_TRUE(visto);
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(f.C("txtIva").Text(), "10");
  EXPECT_FALSE(BackendQt::Finestra(lib_.FinestraAttiva())->isVisible());
  EXPECT_TRUE(lib_.FinestraAttiva().Caricata());
}

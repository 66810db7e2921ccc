// The level-row list on the screen (Qt, offscreen), opened from the
// MAGLIA01 line of demo DDT 4: the document, the rows of sizes by colours
// with their descriptions and totals, the row's fields. Every caption
// whole, nothing covering anything else; the picture is kept in the
// tests' folder.
#include <QApplication>

#include <string>

#include "ddt/header/qt/QtTestata.h"
#include "levels/LivelliProva.h"
#include "platform/qt/ControlliInteri.h"

namespace prova {
namespace {
using namespace dati::demo;

class LivelliQt : public LivelliProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    LivelliProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    LivelliProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendQtProva qt_;
};

TEST_F(LivelliQt, TheRowsOfAShirtBySizeAndColour) {
  frmDDTDett& d = Linea();
  frmDDtDeLiv& f = Editor(d);
  QApplication::processEvents();
  ASSERT_TRUE(f.Visible());
  EXPECT_TRUE(MostratoQt(f.txt(30)));
  EXPECT_TRUE(MostratoQt(f.txt(50)));
  EXPECT_TRUE(MostratoQt(f.lab(270)));
  EXPECT_EQ(Num(f.lab(270).Caption()), 3);
  FotoControllata(f, "livelli-lista.png");
  f.Unload();
  EXPECT_TRUE(d.Enabled());
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
}

}  // namespace
}  // namespace prova

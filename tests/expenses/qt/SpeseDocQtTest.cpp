// The expense window on the screen (Qt, offscreen), opened from the
// header's "Spese" on the demo DDT: its toolbar, the rows of the DDT with
// a row just typed, the counter; nothing cut or covering anything else.
#include <QApplication>
#include <QThread>

#include "ddt/header/qt/QtTestata.h"
#include "expenses/frmSpeseDoc.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/Recordset.h"
#include "platform/qt/ControlliInteri.h"
#include "platform/ui/Griglia.h"

namespace prova {
namespace {

using namespace dati::demo;

class SpeseDocQt : public TestataQt {
 protected:
  void SetUp() override {
    TestataQt::SetUp();
    Param("Fat.DocDdt", kDocDdt);
    G().gsTabSpese = "DdtSpese";
  }
  void TearDown() override {
    frmSpeseDoc& s = FrmSpeseDoc();
    if (s.Caricata()) {
      s.ofrmTest = nullptr;
      if (s.ogComlin().Recordset() && s.ogComlin().Recordset()->InModifica()) s.ogComlin().Recordset()->CancelUpdate();
      s.Unload();
    }
    s.ofrmTest = nullptr;
    TestataQt::TearDown();
  }
};

TEST_F(SpeseDocQt, TheRowsOfTheDemoDdtWithARowTyped) {
  Sql("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, Percentuale, "
      "SoggRitAcc) Values (2026, 3, 2, 'STD', '22', 1.5, 0, 0, 0, 'N')");
  frmDdtTest& f = Mostra(kDdtModificabile);
  f.ButtonComando("Spese");
  frmSpeseDoc& s = FrmSpeseDoc();
  ASSERT_EQ(s.oiLoadOk(), 1) << (qt_.messaggi.empty() ? "" : qt_.messaggi.front());
  s.ButtonComando("Nuovo");
  ASSERT_TRUE(s.dbgRiga().ScriviCella(s.Colonna("Spesa"), vb::Variant(kSpesaIncasso)));
  s.ButtonComando("Salva");
  // The rows read again on the timer's tick show the new row's description.
  for (int i = 0; i < 50 && s.dbgRiga().TestoCella(2, s.Colonna("Descrizione")).empty(); ++i) {
    QThread::msleep(2);
    QApplication::processEvents();
  }
  EXPECT_EQ(s.dbgRiga().TestoCella(2, s.Colonna("Descrizione")), "Spese di incasso Ri.Ba.");
  EXPECT_TRUE(MostratoQt(s.dbgRiga()));
  EXPECT_TRUE(MostratoQt(s.C("txtRiga")));
  EXPECT_EQ(s.C("txtRiga").Text(), "3 / 3");
  EXPECT_FALSE(s.C("tolComlin").Elem("SpeseClie").Visible);
  FotoControllata(s, "spese-ddt.png");
  EXPECT_TRUE(qt_.messaggi.empty()) << qt_.messaggi.front();
  s.ButtonComando("Chiudi");
  EXPECT_FALSE(s.Caricata());
  EXPECT_TRUE(f.Enabled());
}

}  // namespace
}  // namespace prova

// The article question of a serial on the screen (Qt, offscreen), asked
// while a serial is read on the lines of demo DDT 3: a serial already sold,
// with its previous state and a later movement shown. Every caption whole,
// nothing covering anything else.
#include <QApplication>

#include <functional>
#include <string>

#include "ddt/header/qt/QtTestata.h"
#include "ddt/lines/RigheProva.h"
#include "lots/frmMatrArt.h"
#include "platform/qt/ControlliInteri.h"

namespace prova {
namespace {
using namespace dati::demo;

class BackendDomandaQt : public BackendQtProva {
 public:
  std::function<void(ui::Form&)> domanda;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() == "frmMatrArt" && domanda) {
      auto d = std::move(domanda);
      domanda = nullptr;
      d(f);
      return;
    }
    BackendQtProva::AttendiModale(f);
  }
};

class MatrArtQt : public RigheProva {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    RigheProva::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    RigheProva::TearDown();
    ui::ImpostaBackend(nullptr);
  }
  BackendDomandaQt qt_;
};

TEST_F(MatrArtQt, ASoldSerialWithALaterMovement) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.osTipOpe = "S";
  d.osMatrSegnTipOpe = "S";
  d.osMatrUnica = "S";
  d.osDataDoc = "01/11/2026";  // before the sale of the serial
  bool vista = false;
  qt_.domanda = [&](ui::Form& f) {
    auto& q = static_cast<frmMatrArt&>(f);
    QApplication::processEvents();
    EXPECT_TRUE(MostratoQt(q.txt(30)));
    EXPECT_TRUE(q.C("picNonUlt").Visible());
    EXPECT_EQ(q.lab(40).Caption(), "Carico");
    FotoControllata(q, "matr-domanda-articolo.png");
    vista = true;
    ui::utente::Clicca(q.C("comOk"));
  };
  std::string art, l1, l2;
  int32_t rigLiv = 0;
  EXPECT_EQ(d.MatrTipoCod(kMatricola1, art, l1, l2, rigLiv), "M");
  EXPECT_TRUE(vista);
  EXPECT_EQ(art, kArticoloMatricole);
  EXPECT_TRUE(d.Enabled());
}

}  // namespace
}  // namespace prova

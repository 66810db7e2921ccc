// The notice of a row whose reversal failed, on the screen (Qt, offscreen):
// the movement, the row and the error text, every caption whole, nothing
// covering anything else.
#include <QApplication>

#include "platform/dati/GestRecordset.h"
#include "platform/qt/ControlliInteri.h"
#include "stock/DittaMagazzino.h"
#include "stock/UtilMovim.h"
#include "stock/frmErrAggMov.h"

namespace prova {
namespace {

class BackendFoto : public ui::BackendQt {
 public:
  std::string foto;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() == "frmErrAggMov") {
      EXPECT_EQ(f.Caption(), "Errore durante il Disaggiornamento");
      EXPECT_EQ(f.C("Lab", 90).Caption(), "ART");
      EXPECT_FALSE(f.C("LabMsgErr").Caption().empty());
      foto = FotoControllata(f, "errore-disaggiornamento.png");
      ui::utente::Clicca(f.C("comPresegui"));
      return;
    }
    ui::BackendQt::AttendiModale(f);
  }
};

class ErrAggMovQt : public DittaMagazzino {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    DittaMagazzino::SetUp();
    ui::ImpostaBackend(&qt_);
  }
  void TearDown() override {
    ui::ImpostaBackend(nullptr);
    DittaMagazzino::TearDown();
  }
  BackendFoto qt_;
};

TEST_P(ErrAggMovQt, TheNoticeOfAFailedRow) {
  NuovaCausale("CAR", {});
  Movimento("CAR");
  RigaDett(1, 1, 12.5, 1234.5678);
  dati::GestRecordset rs;
  std::string kt;
  ASSERT_EQ(UtilMovim::ApriTestMovim(2026, 1, rs, kt), 0);
  const std::string kr =
      rs.ApriRecordset(*db_, conn_, "", UtilMovim::SqlRigheMovim(2026, 1, "D", "MovMagDett", "MovMagLiv"), false, 2);
  UtilMovim::MostraErrAggMov("Errore (3260) Dati bloccati da un altro utente", "Errore durante il Disaggiornamento",
                             rs, kt, kr, "MovMagDett");
  EXPECT_FALSE(qt_.foto.empty());
  rs.ChiudiRecordset(kr);
  rs.ChiudiRecordset(kt);
}

INSTANTIATE_TEST_SUITE_P(Motori, ErrAggMovQt, ::testing::Values(Motore::SQLite), NomeMotore);

}  // namespace
}  // namespace prova

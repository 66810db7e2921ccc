// The list print on the screen (Qt, offscreen): the dialog "Stampa dati
// della lista" and the preview showing the first page of a list of 200
// rows; captions whole, nothing covering anything else.
#include <QApplication>

#include "common/Globali.h"
#include "platform/MsgBox.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/qt/ControlliInteri.h"
#include "platform/ui/Headless.h"
#include "print/FrmComlinStampa.h"
#include "print/FrmVStampa.h"
#include "print/frmStampaInCorso.h"
#include "support/CartellaTemp.h"

namespace prova {
namespace {

// The user's next input while the preview waits is the test's step.
class BackendStampaQt : public ui::BackendQt {
 public:
  std::function<void(ui::Form&)> passo;
  void AttendiInput(ui::Form& f) override {
    if (passo) {
      auto p = std::move(passo);
      passo = nullptr;
      p(f);
      return;
    }
    ui::BackendQt::AttendiInput(f);
  }
};

class StampaQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { AvviaQtProva(); }
  void SetUp() override {
    ui::ImpostaBackend(&qt_);
    conn_ = db_.CreaDatabase(dir_.Percorso("ditta.db"));
    CreaListaProva(db_, conn_, 200);
    vecchio_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int, const std::string&) {
      messaggi_.push_back(t);
      return static_cast<int>(vb::vbOK);
    });
    f_ = std::make_unique<FormListaProva>(db_, conn_);
    f_->Load();
    f_->ogLisPag.BarraBase(&barra_);
    f_->ogLisPag.OggStampa().ofrmComlinSTampa = &FrmComlinStampaGlob();
    f_->ogLisPag.OggStampa().ofrmStampaInCorso = &FrmStampaInCorsoGlob();
    f_->ogLisPag.Prepara();
    f_->ButtonComando("Ricerca");
  }
  void TearDown() override {
    G().giStaAtt = 0;
    if (FrmVStampaGlob().Caricata()) FrmVStampaGlob().Unload();
    if (FrmComlinStampaGlob().Caricata()) FrmComlinStampaGlob().Unload();
    if (FrmStampaInCorsoGlob().Caricata()) FrmStampaInCorsoGlob().Unload();
    f_.reset();
    vb::ImpostaGestoreMsgBox(vecchio_);
    ui::ImpostaBackend(nullptr);
  }
  BackendStampaQt qt_;
  CartellaTemp dir_{"stampaqt"};
  dati::GestDatabase db_;
  std::string conn_;
  std::unique_ptr<FormListaProva> f_;
  BarraFinta barra_;
  std::vector<std::string> messaggi_;
  vb::GestoreMsgBox vecchio_;
};

TEST_F(StampaQt, TheDialogAndThePreviewOfTheFirstPage) {
  f_->ButtonComando("Stampa");
  FrmComlinStampa& d = FrmComlinStampaGlob();
  ASSERT_TRUE(d.Visible());
  QApplication::processEvents();
  EXPECT_TRUE(MostratoQt(d.C("CmdStampa")));
  FotoControllata(d, "stampa-dialogo.png");
  d.OpzSta()->oiStaVid = stampa::StaVideo;
  FrmVStampa& v = FrmVStampaGlob();
  bool visto = false;
  qt_.passo = [&](ui::Form& f) {
    ASSERT_EQ(&f, &v);
    QApplication::processEvents();
    EXPECT_TRUE(MostratoQt(v.C("PicSec")));
    EXPECT_EQ(v.C("labPage").Caption(), "Pag.001");
    EXPECT_TRUE(v.C("imaMuovi", 3).Enabled());
    // The page is larger than its viewport (the scroll bars move it): only
    // the captions are checked.
    DidascalieIntere(v);
    EXPECT_TRUE(ui::SalvaSchermata(v, FileSchermata("stampa-anteprima.png")));
    visto = true;
    ui::utente::Clicca(v.C("ComEsci"));
  };
  ui::utente::Clicca(d.C("CmdStampa"));
  EXPECT_TRUE(visto);
  EXPECT_TRUE(messaggi_.empty());
}

}  // namespace
}  // namespace prova

#pragma once
// The services test company with the look-up library on it: master data in
// the tables the kinds read, the library as goZelAiuto, and a form with
// coded fields txt(i) / lab(i).
#include <memory>

#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/aiuti/DatiAiuti.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/ui/Form.h"
#include "services/DittaProva.h"

namespace prova {

class CampiProva : public ui::Form {
 public:
  CampiProva() : ui::Form("frmCampi") {
    for (int i : {10, 20, 30, 40}) {
      Crea(ui::Tipo::TextBox, "txt", i).SetTabIndex(i);
      Crea(ui::Tipo::Label, "lab", i);
    }
  }
};

class DittaAiuti : public DittaProva {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    RiempiAnagrafiche(*db_, conn_);
    lib_ = std::make_shared<aiuti::AiutiDecodifica>();
    std::shared_ptr<menu::ContestoProgramma> contesto;
    lib_->Inizializza(nullptr, nullptr, contesto, db_, conn_, nullptr, G().glColoreSfondo, G().glColoreErrore, "p",
                      "dd/mm/yyyy");
    G().goZelAiuto = lib_;
    form_.Show();
  }
  void TearDown() override {
    lib_->ChiudiFinestre();
    form_.Unload();
    EXPECT_TRUE(backend_.ScriptFinito());
    backend_.AzzeraScript();
    G().goZelAiuto.reset();
    DittaProva::TearDown();
  }

  ui::Controllo& Txt(int i) { return form_.C("txt", i); }
  ui::Controllo& Lab(int i) { return form_.C("lab", i); }
  // The next look-up window gets these steps.
  void Finestra(const std::function<void(aiuti::FinestraAiuto&)>& passo) {
    backend_.Rispondi([passo](ui::Form& f) { passo(static_cast<aiuti::FinestraAiuto&>(f)); });
  }
  static void Esc(aiuti::FinestraAiuto& w) { ui::utente::Premi(w, ui::vbKeyEscape); }
  static void Invio(aiuti::FinestraAiuto& w) { ui::utente::Premi(w, ui::vbKeyReturn); }

  std::shared_ptr<aiuti::AiutiDecodifica> lib_;
  CampiProva form_;
};

}  // namespace prova

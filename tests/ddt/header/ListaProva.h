#pragma once
// The DDT list window's test bench: the header's bench (demo company in
// SQLite, parameter maps, messages collected) with a list window of the
// test's own, bound to a stand-in record bar that records the keys the list
// hands it.
#include <memory>
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/barre/ListaFormProva.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace prova {

// The stand-in bar also counts the list's closings.
class BarraLista : public BarraFinta {
 public:
  void ChiudiLista(int) override { ++chiusure; }
  int chiusure = 0;
};

class ListaProva : public TestataProva {
 protected:
  void SetUp() override {
    TestataProva::SetUp();
    // The look-up library the criterion fields decode with.
    lib_ = std::make_shared<aiuti::AiutiDecodifica>();
    std::shared_ptr<menu::ContestoProgramma> contesto;
    lib_->Inizializza(nullptr, nullptr, contesto, db_, conn_, nullptr, G().glColoreSfondo, G().glColoreErrore, "p",
                      "dd/mm/yyyy");
    G().goZelAiuto = lib_;
  }

  void TearDown() override {
    if (l_ && l_->Caricata()) {
      try {
        l_->Unload();
      } catch (...) {
      }
    }
    l_.reset();
    lib_->ChiudiFinestre();
    G().goZelAiuto.reset();
    TestataProva::TearDown();
  }

  // A list window loaded as the header's bar loads it on "Lista".
  frmDdtTestLis& Lista() {
    l_ = std::make_unique<frmDdtTestLis>();
    l_->impOggBase(&barra_);
    l_->Load();
    l_->Show();
    return *l_;
  }

  // "Ricerca" with the criteria as they stand; the reference numbers listed,
  // in list order.
  std::vector<long> Cerca() {
    l_->ButtonComando("Ricerca");
    return Elenco();
  }

  std::vector<long> Elenco() const {
    std::vector<long> r;
    dati::Recordset* rs = l_->ogComlin().Recordset();
    if (!rs) return r;
    const long n = rs->LeggiFinoA(100000);
    ui::Griglia& g = l_->dbgRiga();
    const int col = l_->ColonnaChiave(2);
    for (long i = 0; i < n; ++i) r.push_back(std::stol(g.TestoCella(i, col)));
    return r;
  }

  // The deferred steps of the window's timers.
  void Tick() { ui::HeadlessAttivo().Esegui(2); }

  BarraLista barra_;
  std::shared_ptr<aiuti::AiutiDecodifica> lib_;
  std::unique_ptr<frmDdtTestLis> l_;
};

}  // namespace prova

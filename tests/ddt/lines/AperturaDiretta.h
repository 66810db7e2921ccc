#pragma once
// The line window opened straight with inputs of the test's own, as the
// header opens it, over an opener that records its callbacks: for the
// set-up and the line-entry procedures, whose behaviour hangs on the
// inputs rather than on the DDT's rows.
#include <string>
#include <vector>

#include "common/DatiTestataForm.h"
#include "ddt/lines/RigheProva.h"
#include "ddt/lines/frmDDTDett.h"

namespace prova {

class OpenerProva : public ProtSottoForm {
 public:
  DatiTestataForm DatiTestata() const override { return {}; }
  std::string Zona() const override { return {}; }
  double ZonaSconto() const override { return 0; }
  double ZonaScontoLire() const override { return 0; }
  int32_t PosDett() const override { return -1; }
  void DopoSottoForm(bool pbAgg, bool pbOk) override {
    ++chiamate;
    agg = pbAgg;
    ok = pbOk;
  }
  void PostoSottoForm(int32_t, int32_t, int32_t, int32_t) override {}
  int chiamate = 0;
  bool agg = false, ok = false;
};

// An opener whose customer zone takes an amount off every unit.
class OpenerZona : public OpenerProva {
 public:
  double ZonaSconto() const override { return zona; }
  double ZonaScontoLire() const override { return zonaLire; }
  double zona = 0, zonaLire = 0;
};

class AperturaDiretta : public RigheProva {
 protected:
  // Inputs of an editable DDT 3 of 2026 in euro.
  static ParDettaglio Base() {
    ParDettaglio p;
    p.osAnno = "2026";
    p.osNumRif = "3";
    p.osDataRif = "10/12/2026";
    p.osMoneta = "EUR";
    p.osNumDecQta = "#,##0.000";
    p.osNumDecMon = "#,##0.00";
    p.oiNumDecMon = 2;
    p.osNumDecMonGes = "#,##0.0000";
    p.oiNumDecMonGes = 4;
    p.oiPosPicLiv = 4;
    return p;
  }
  // Loads the window with the inputs; the deferred step is left armed.
  frmDDTDett& Apri(const ParDettaglio& p) {
    frmDDTDett& d = frmDDTDett::Istanza();
    d.Apri(opener_, p);
    return d;
  }
  // Closes it as the user does (nothing changed: nothing committed). The
  // new line the window starts on is left by its article field, which
  // makes it a manual line: the user does not keep it.
  void Chiudi(frmDDTDett& d) {
    risposteBox_.push_front(vb::vbNo);
    const size_t prima = risposteBox_.size();
    d.Unload();
    if (risposteBox_.size() == prima) risposteBox_.pop_front();
  }
  // Closes the window, its pending line dropped without a question. The
  // new line the page opens again is left by its article field on the
  // way out, which makes it a manual line: the page asks about it and the
  // user does not keep it.
  void ChiudiScartando(frmDDTDett& d) {
    if (d.HaPagina()) {
      d.ogLinPag().ScriviVarPagina("MsgAnn", 12, "N");
      d.ogLinPag().EseguiTasto("Annulla");
    }
    AperturaDiretta::Chiudi(d);
    ASSERT_FALSE(d.Caricata());
  }

  // The steps the window traced since the last look, in order.
  std::string Traccia() {
    std::string s;
    for (const auto& v : traccia_) s += (s.empty() ? "" : " ") + v;
    traccia_.clear();
    return s;
  }

  OpenerProva opener_;
  std::vector<std::string> traccia_;
};

}  // namespace prova

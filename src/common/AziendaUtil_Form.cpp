// The two load steps every working form runs in its Form_Load, and the
// unload step.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/RisVid.h"
#include "platform/Barre.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace AziendaUtil {

namespace {

using membri::Ignora;

// The components the flags name, for the named values of the scaling.
void ScriviValoreBarre(ui::Form& f, int piComPag, int piComlin, int piLinPag, int piLisPag,
                       const std::string& nome, const vb::Variant& valore) {
  auto scrivi = [&](const char* membro) {
    Ignora([&] { membri::Oggetto<barre::Componente>(f, membro).SetovLeggiPar(nome, valore); });
  };
  if (piComPag == -1) scrivi("ogComPag");
  if (piLinPag == -1) scrivi("ogLinPag");
  if (piLisPag == -1) {
    scrivi("ogLisPag");
    scrivi("ogComlin");
  }
  if (piComlin == -1) scrivi("ogComlin");
}

// The splash window that says which form is loading; the start-up prepares
// it (G().gfPrepFrmConn), a program without one shows none.
void MostraSplash(const std::string& captionProgetto) {
  if (!G().gfPrepFrmConn) return;
  ui::Form* splash = G().gfPrepFrmConn();
  if (!splash) return;
  splash->Show(0);
  splash->SetCaption("Caricamento maschera");
  splash->C("txtNomeDb").SetText("Caricamento maschera " + captionProgetto);
  ui::DoEvents();
}

void ChiudiSplash() {
  // Unloading changes the collection: take the forms first.
  std::vector<ui::Form*> aperte = ui::Forms();
  for (ui::Form* f : aperte)
    if (vb::UgualeTesto(f->Name(), "frmConn")) f->Unload();
}

}  // namespace

vb::Variant CaricaFormPri(ui::Form& pgForm, int piComPag, int piComlin, int piLinPag, int, int piLisPag, int,
                          int piAbilRO, int piNoSplash, int piRisVid, const std::string& psNoColore) {
  const Globali& g = G();
  // 1. The company colour, for the form and the controls that still show the
  // design's button face.
  if (g.glColBackForm != 0) {
    Ignora([&] { pgForm.SetBackColor(g.glColBackForm); });
    for (const auto& c : pgForm.Controlli()) {
      Ignora([&] {
        if (vb::InStr(psNoColore, c->Name() + ",", vb::vbTextCompare) == 0 && c->BackColor() == ui::vbButtonFace)
          c->SetBackColor(g.glColBackForm);
      });
    }
  }
  // 2. Splash, with the caption the form was designed with.
  if (piNoSplash == 0) {
    const std::string progetto = pgForm.Caption();
    Ignora([&] { MostraSplash(progetto); });
  }
  // 3. Labels show "&" as itself.
  for (const auto& c : pgForm.Controlli())
    if (c->tipo() == ui::Tipo::Label) c->SetUseMnemonic(false);
  // 4. Caption with the company.
  pgForm.SetCaption(pgForm.Caption() + " - " + g.gsDescAzie);
  // 5. The form sees every key first (the key framework).
  pgForm.SetKeyPreview(true);
  // 6. Read-only switch.
  if (piAbilRO == -1) {
    const std::string param = pgForm.LeggiPerNome("osParam").ToString();
    const std::string ro = vb::FunzioniComuni::Istanza().LeggiSwitch(param, "RO");
    pgForm.ScriviPerNome("oiAbilRW", vb::Variant(static_cast<int16_t>(vb::UgualeTesto(ro, "/RO") ? 0 : 1)));
  }
  // 7. The factor only, for the bars that size their own parts by it.
  if (piRisVid != 0) {
    double fattore = 0;
    Ignora([&] {
      double richiesto = -2;
      fattore = RisVid::ScalaForm(pgForm, -1, richiesto).ToDouble();
    });
    if (fattore > 0) ScriviValoreBarre(pgForm, piComPag, piComlin, piLinPag, piLisPag, "RisVid", fattore);
  }
  return {};
}

vb::Variant CaricaFormDop(ui::Form& pgForm, int piComPag, int piComlin, int piLinPag, int, int piLisPag, int,
                          int piNoSplash, int piRisVid, const std::vector<vb::Variant>& pvAltriCtl) {
  const Globali& g = G();
  // 1. Window state of this terminal.
  if (vb::Variant(g.gsStatoFinestra).IsNumeric())
    pgForm.SetWindowState(vb::FunzioniComuni::Istanza().ValInt(g.gsStatoFinestra));
  // 2. Read-only state to the bars.
  if (piComPag == -1) {
    const int rw = pgForm.LeggiPerNome("oiAbilRW").ToInt();
    membri::Oggetto<barre::BarraNavigazione>(pgForm, "ogComPag").SetoiAbilRW(rw);
  }
  if (piLinPag == -1) {
    const int rw = pgForm.LeggiPerNome("oiAbilRW").ToInt();
    membri::Oggetto<barre::PaginaRighe>(pgForm, "ogLinPag").SetoiAbilRW(rw);
  }
  // 3. Row position of the line page.
  if (piLinPag == -1) {
    std::string corr, tot;
    membri::Oggetto<barre::PaginaRighe>(pgForm, "ogLinPag").RecCorrSuTot(corr, tot);
    pgForm.C("txtRiga").SetText(corr + " / " + tot);
  }
  // 4. The splash goes.
  if (piNoSplash == 0) Ignora([] { ChiudiSplash(); });
  // 5. Rescale.
  if (piRisVid != 0) {
    double fattore = 0;
    Ignora([&] {
      double richiesto = -2;
      fattore = RisVid::ScalaForm(pgForm, 0, richiesto, pvAltriCtl).ToDouble();
    });
    if (fattore > 0) ScriviValoreBarre(pgForm, piComPag, piComlin, piLinPag, piLisPag, "RisVidFatta", true);
  }
  return {};
}

vb::Variant ScaricaForm(ui::Form&) { return {}; }

}  // namespace AziendaUtil

// The totals strip of the header: the footer engine recomputes the DDT from
// its stored rows and the strip shows the result in the DDT currency; the
// total in the company currency beside it when the DDT is in another one;
// the withholding amount from its percentage and base.
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/ComLock.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

double Numero(const std::string& testo) { return FC().ValDouble(vb::Variant(testo), true); }

}  // namespace

bool frmDdtTest::AggPiede(bool pbSoloImpRitAcc) {
  try {
    const Globali& g = G();
    scCalcPiedeFat piede;
    piede.osTabTesta = g.gsTabTest;
    piede.osTabDett = g.gsTabDett;
    piede.osTabLiv = g.gsTabLiv;
    piede.osTabSpese = g.gsTabSpese;
    // A DDT without lines is no error.
    piede.obErrNoDett = false;
    // The stamp duty follows the box, not the stored header flag.
    const ui::Controllo* bolli = Trova("che", 430);
    const std::string addBolli = bolli && bolli->Value() == 1 ? "S" : "N";
    const int16_t anno = FC().ValInt(vb::Variant(txt(20).Text()), true, true);
    const int32_t numRif = static_cast<int32_t>(Numero(txt(10).Text()));
    const double perc = pbSoloImpRitAcc ? Numero(txt(275).Text()) : -1;
    piede.CalcPiedeFat(anno, numRif, false, perc, vb::Variant(addBolli));
    if (piede.oiNumErrori >= 1) {
      frmMsgCom::msgCom(piede.osErrori + "Totali non aggiornati", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80,
                        false, 600);
      return false;
    }
    if (!pbSoloImpRitAcc) {
      lab(170).SetCaption(vb::Variant(piede.odTotFattura).ToString());
      lab(150).SetCaption(vb::Variant(piede.odTotImponibile).ToString());
      lab(160).SetCaption(vb::Variant(piede.odTotIva).ToString());
      lab(140).SetCaption(vb::Variant(piede.odTotMerce).ToString());
      lab(130).SetCaption(vb::Variant(piede.odTotSpese).ToString());
    }
    txt(278).SetText(vb::Variant(piede.odTotImpRitAcc).ToString());
    lab(278).SetCaption(vb::Variant(piede.odRitAcc).ToString());
    AggTotali(pbSoloImpRitAcc);
    return true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  } catch (const std::exception& e) {
    // Whatever stops the refresh is shown, and nothing is saved after it.
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(e.what())), vb::Variant(5));
    return false;
  }
}

void frmDdtTest::AggTotali(bool pbSoloImpRitAcc) {
  auto rimaschera = [this](ui::Controllo& c) {
    const std::string prima = c.Text();
    const double valore = Numero(prima);
    const std::string dopo = FC().MascheraNum(valore, miNumDecMon, {}, false, "#,##^", 0, "", "0");
    if (dopo == prima) return;
    c.SetText(dopo);
    // The amount the bar showed, only written with the currency's decimals,
    // is no change of the record.
    if (!HaBarra()) return;
    for (barre::CampoBarra& campo : ogComPag().Campi())
      if (campo.ctl == &c && campo.mostrato == prima && Numero(dopo) == valore) campo.mostrato = dopo;
  };
  if (!pbSoloImpRitAcc) {
    for (int n : {170, 150, 160, 140, 130}) rimaschera(lab(n));
    MostraTotMon();
  }
  rimaschera(txt(278));
  rimaschera(lab(278));
}

void frmDdtTest::MostraTotMon() {
  const Globali& g = G();
  const bool stessa = vb::UgualeTesto(txt(400).Text(), g.gsMonetaDitta);
  if (!stessa) {
    // A currency without a usable rate (none typed yet, or 0) has no total
    // to show: the conversion refuses it, and leaving the rate field must
    // not fail for that.
    std::string testo;
    try {
      double lire = 0, euro = 0, doc = 0;
      const double tot = AziendaUtil::ConvLireEuro(Numero(lab(170).Caption()), Numero(txt(410).Text()), msMonOper,
                                                   txt(400).Text(), lire, euro, doc, true, true, true, vb::Missing,
                                                   vb::Missing, vb::Missing, false, false, "E", "E", false);
      testo = FC().MascheraNum(tot, g.giNumDecMoneta, {}, false, "#,##^", 0, "", "0");
    } catch (const vb::Errore&) {
    }
    lab(180).SetCaption(testo);
  }
  if (ui::Controllo* c = Trova("label1", 180)) c->SetVisible(!stessa);
  lab(180).SetVisible(!stessa);
}

void frmDdtTest::MostraRitAcc() {
  const double perc = FC().ValDouble(vb::Variant(txt(275).Text()), false);
  if (FunVarie::ArrotConfronta(perc, 0.0, -8) == 0) {
    lab(278).SetCaption("");
    return;
  }
  // The routine may replace the base by its share: it works on a copy.
  vb::Currency base = vb::Currency::FromDouble(FC().ValDouble(vb::Variant(txt(278).Text()), false));
  const double importo = ComLock::CalcImportoRit(base, perc, miNumDecMon);
  const double arr = FC().Arrotonda(importo, "A", 1, -miNumDecMon);
  if (FunVarie::ArrotConfronta(arr, 0.0, -8) == 0) {
    lab(278).SetCaption("");
    return;
  }
  const std::string maschera =
      msMascImpMon.empty() ? FC().MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^") : msMascImpMon;
  lab(278).SetCaption(FC().Formatta(arr, maschera));
}

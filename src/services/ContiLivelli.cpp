// Account splitting, the level condition of the price and cost queries,
// the column check of the company schema and the promotion notice: the
// small services the price and discount searches stand on.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"

namespace AziendaUtil {

namespace {

constexpr const char* kNessunLivello = "~ç~";

}  // namespace

void DividiConto(std::string psConto, std::string& psGruppo, std::string& psMastro,
                 std::string& psConto3) {
  psGruppo = vb::Left(psConto, 2);
  if (vb::InStr(psConto, "-", vb::vbTextCompare) > 0) {
    psMastro = vb::Mid(psConto, 4, 2);
    psConto3 = vb::Mid(psConto, 7);
  } else {
    psMastro = vb::Mid(psConto, 3, 2);
    psConto3 = vb::Mid(psConto, 5);
  }
}

std::string PrepSqlLivelli(int16_t piNumLiv, const vb::Variant& pvLiv1, const vb::Variant& pvLiv2,
                           bool pbNoLivelli, bool pbForza) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  // Asked at every call, as the other programs of the suite may switch it.
  const auto& leggi = G().gfLeggiParam;
  const vb::Variant gesTaglie = leggi ? leggi("Mag.GesTaglie", vb::Variant("")) : vb::Variant("");
  const bool livelli = !gesTaglie.IsNull() && vb::UgualeTesto(gesTaglie.ToString(), "S") && !pbNoLivelli;
  const vb::Variant marcatore(kNessunLivello);
  const vb::Variant& l1 = livelli && !pvLiv1.IsMissing() && (piNumLiv >= 1 || pbForza) ? pvLiv1 : marcatore;
  const vb::Variant& l2 = livelli && !pvLiv2.IsMissing() && (piNumLiv >= 2 || pbForza) ? pvLiv2 : marcatore;
  return " And Livello1 = " + fc.ValoreSql(l1, vb::vbString) + " And Livello2 = " +
         fc.ValoreSql(l2, vb::vbString);
}

bool EsisteCampo(const vb::Variant& pvTabella, const vb::Variant& pvCampo,
                 const std::string& psConnessione) {
  try {
    const std::string conn =
        vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(psConnessione)) ? G().gsConnAzienda : psConnessione;
    const dati::TabellaCat* t =
        servizi::DbDitta().Motore(conn).LeggiCatalogo().Tabella(pvTabella.ToString());
    return t && t->Colonna(pvCampo.ToString()) >= 0;
  } catch (...) {
    // Whatever goes wrong, the column is not there to be read.
    return false;
  }
}

void VerifMsgProm(dati::GestRecordset& poRs, const std::string& psKeyRs) {
  if (vb::UgualeTesto(poRs.LeggiCampo(psKeyRs, "MessProm").ToString(), "S"))
    MostraMsgProm(poRs.LeggiCampo(psKeyRs, "Descrizione").ToString());
}

void MostraMsgProm(const std::string& psDescrizione) {
  Avvisi::MsgOk("Articolo con prezzo in promozione: \r\n" + psDescrizione, 80, 600);
}

}  // namespace AziendaUtil

// Price-list validity periods kept contiguous around a new price row, and
// the notice of a promotional price.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"

namespace AziendaUtil {

namespace {

constexpr const char* kNessunLivello = "~ç~";

void Livello(std::string& l) {
  l = vb::LTrim(l);
  if (l.empty()) l = kNessunLivello;
}

}  // namespace

void AggDateListini(std::string& psArticolo, std::string& psLiv1, std::string& psLiv2, std::string& psListino,
                    std::string& psData) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  Livello(psLiv1);
  Livello(psLiv2);
  const vb::Variant inizio = fc.ValData(vb::Variant(psData));
  if (inizio.IsEmpty()) vb::Solleva(vb::ErrTipoNonCorrisp);
  const vb::Date d = inizio.ToDate().DateOnly();
  const vb::Date aperta = *vb::Date::Parse("31/12/9999");

  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      servizi::DbDitta(), G().gsConnAzienda, "",
      std::string("SELECT ArtListini.* FROM ArtListini WHERE") + " Articolo = " + fc.ValoreSql(psArticolo, vb::vbString) +
          " and Livello1 = " + fc.ValoreSql(psLiv1, vb::vbString) + " and Livello2 = " +
          fc.ValoreSql(psLiv2, vb::vbString) + " and Listino = " + fc.ValoreSql(psListino, vb::vbString) +
          " order by DataInizio",
      false, 2);
  auto scrivi = [&](const vb::Date& fine) {
    rs.ModificaRecord(k);
    rs.ScriviCampo(k, "DataFine", fine);
    rs.SalvaRecord(k);
  };
  if (!rs.NessunRecord(k)) {
    if (rs.NumRecord(k) == 1) {
      scrivi(aperta);
    } else {
      const std::string criterio = "datainizio = " + fc.ValoreSql(d, vb::vbDate);
      rs.CercaPrimo(k, criterio);
      if (!rs.NonTrovato(k)) {
        vb::Date fine = aperta;
        rs.ProssimoRec(k);
        if (!rs.FineRec(k)) fine = rs.LeggiCampo(k, "DataInizio").ToDate().DateOnly().AddDays(-1);
        rs.CercaPrimo(k, criterio);
        scrivi(fine);
        rs.PrecedenteRec(k);
        if (!rs.InizioRec(k)) scrivi(d.AddDays(-1));
      }
    }
  }
  rs.ChiudiRecordset(k);
}

void VerifMsgProm(dati::GestRecordset& poRs, const std::string& psKeyRs) {
  if (vb::UgualeTesto(poRs.LeggiCampo(psKeyRs, "MessProm").ToString(), "S"))
    MostraMsgProm(poRs.LeggiCampo(psKeyRs, "Descrizione").ToString());
}

void MostraMsgProm(const std::string& psDescrizione) {
  Avvisi::MsgOk("Articolo con prezzo in promozione: \r\n" + psDescrizione, 80, 600);
}

}  // namespace AziendaUtil

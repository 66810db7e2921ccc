// The invoice a DDT was evaded into, opened in the invoicing program.
#include <functional>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"

namespace AziendaUtil {

namespace {

void Ignora(const std::function<void()>& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

void ApriFatturaCollegata(int16_t& piAnno, int32_t& plNumRif) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestRecordset rs;
  std::string k;
  try {
    k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                         std::string("Select FattAccomp from FatTest") + " Where Anno = " +
                             fc.ValoreSql(piAnno, vb::vbInteger) + " And NumRif = " +
                             fc.ValoreSql(plNumRif, vb::vbLong),
                         false, 4);
    if (!rs.NessunRecord(k)) {
      // The server asks for the keys and the values while it launches:
      // everything is in place before the request. A menu that does not
      // answer is no reason to stop here.
      Ignora([&] { servizi::ScriviValoreLancio("FatAnno", 12, true, piAnno); });
      Ignora([&] { servizi::ScriviValoreLancio("FatNumRif", 12, true, plNumRif); });
      G().gsLanciaKeyPrim = "Fatture";
      Ignora([&] {
        const std::string tipo = servizi::Testo(rs.LeggiCampo(k, "FattAccomp"));
        G().gsLanciaKeySec = vb::UgualeTesto(tipo, "D") ? "Dett" : vb::UgualeTesto(tipo, "S") ? "Acc" : "Dir";
      });
      Ignora([] { servizi::LanciaProgramma("Tutti", ""); });
    }
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
  }
  if (!k.empty()) Ignora([&] { rs.ChiudiRecordset(k); });
}

}  // namespace AziendaUtil

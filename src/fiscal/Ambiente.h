#pragma once
// What the footer subsystem asks of its surroundings: company and personal
// parameters through the program-wide answerers, the key of a cost-centre
// and accrual split, and the company database of the program. Kept in one
// place so the footer reads its settings exactly as the other modules do.
#include <string>
#include <string_view>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/Variant.h"
#include "platform/dati/GestDatabase.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace fiscal {

// Company parameter by dotted name ("Mag.GesTaglie"); "" when unanswered.
inline std::string LeggiParam(const std::string& psNome) {
  return servizi::Testo(servizi::ParamDitta(psNome, vb::Variant("")));
}

// Personal parameter of a section, or the default when it is absent.
inline std::string LeggiParPers(const std::string& psSezione, const std::string& psNome,
                                const std::string& psDefault) {
  vb::Variant v = servizi::ParPers(psSezione, psNome, vb::Variant(psDefault));
  return v.IsNull() || v.IsEmpty() ? psDefault : servizi::Testo(v);
}

// "C" + cost centre + "D" + accrual key: the key of a split of an account.
inline std::string ChiaveCdcComp(const std::string& psCentroDiCosto, const std::string& psCompetenza) {
  return AziendaUtil::ChiaveCdcComp(psCentroDiCosto, psCompetenza).ToString();
}

// The company database of the program; 91 while none is open.
inline dati::GestDatabase& DbAzienda() { return servizi::DbDitta(); }

// VAT kinds "2", "3", "4" and "5" are the exempt ones.
inline bool TipoIvaEsente(std::string_view psTipoIva) {
  return psTipoIva == "2" || psTipoIva == "3" || psTipoIva == "4" || psTipoIva == "5";
}

}  // namespace fiscal

// Small data services of the forms: the valid DDT prefixes, the key of the
// cost-centre and accrual totals, schema checks, the clean-up of a user's
// scratch rows and the previous field by tab order.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace AziendaUtil {

namespace {

const dati::TabellaCat* Tabella(const vb::Variant& pvTabella, const std::string& psConnessione) {
  const std::string conn =
      vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(psConnessione)) ? G().gsConnAzienda : psConnessione;
  return servizi::DbDitta().Motore(conn).LeggiCatalogo().Tabella(servizi::Testo(pvTabella));
}

}  // namespace

std::string LeggiPrefDdt() { return servizi::Testo(servizi::ParamDitta("Fat.ElePrefDdt", vb::Variant(""))); }

bool VerifPrefDdt(std::string& psPrefisso, int16_t pbVuotoOk) {
  const std::string elenco = LeggiPrefDdt();
  psPrefisso = vb::Trim(psPrefisso);
  const long n = vb::Len(psPrefisso);
  if (n == 0) return pbVuotoOk != 0;
  if (n > 1) return false;
  // Each prefix is one item of the list, compared whole: one character each,
  // or the items between commas or semicolons when the list is written so
  // (the separator itself is no prefix).
  std::vector<std::string> voci;
  if (elenco.find_first_of(",;") != std::string::npos) {
    std::string t = elenco;
    for (char& c : t)
      if (c == ';') c = ',';
    for (const std::string& v : vb::Split(t, ",")) voci.push_back(vb::Trim(v));
  } else {
    for (char32_t c : vb::InCodici(elenco)) voci.push_back(vb::DaCodici(std::u32string(1, c)));
  }
  for (const std::string& v : voci)
    if (!vb::Trim(v).empty() && vb::UgualeTesto(v, psPrefisso)) return true;
  return false;
}

vb::Variant ChiaveCdcComp(const std::string& psCentroDiCosto, const std::string& psCompetenza) {
  return "C" + psCentroDiCosto + "D" + psCompetenza;
}

bool EsisteCampo(const vb::Variant& pvTabella, const vb::Variant& pvCampo, const std::string& psConnessione) {
  try {
    const dati::TabellaCat* t = Tabella(pvTabella, psConnessione);
    return t && t->Colonna(servizi::Testo(pvCampo)) >= 0;
  } catch (...) {
    // Whatever goes wrong, the column is not there to be read.
    return false;
  }
}

bool EsisteTabella(const vb::Variant& pvTabella, const std::string& psConnessione) {
  try {
    return Tabella(pvTabella, psConnessione) != nullptr;
  } catch (...) {
    return false;
  }
}

vb::Variant SvuotaAppoggioTemp(const std::string& psUtente, const std::string& psIdProgramma) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  FunVarie::Clessidra(-1);
  try {
    servizi::DbDitta().EseguiSql(G().gsConnAzienda,
                                 std::string("DELETE FROM AppoggioTemp") + " WHERE Utente = " +
                                     fc.ValoreSql(psUtente, vb::vbString) + " AND IdProgramma = " +
                                     fc.ValoreSql(psIdProgramma, vb::vbString));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    FunVarie::Clessidra(0);
    return 1;
  }
  FunVarie::Clessidra(0);
  return 0;
}

vb::Variant CercaCampoPrec(int16_t piTabIndex, ui::Form& pgForm, const std::vector<int16_t>& piIndici) {
  int16_t posizione = 0;
  int migliore = -1;
  for (size_t i = 0; i < piIndici.size(); ++i) {
    const int t = pgForm.C("txt", piIndici[i]).TabIndex();
    if ((piTabIndex < 0 || t < piTabIndex) && t > migliore) {
      posizione = static_cast<int16_t>(i);
      migliore = t;
    }
  }
  return posizione;
}

}  // namespace AziendaUtil

#pragma once
// What a deleted DDT took from the documents it came from, given back:
// source DDTs ("D") go back to printed, customer orders ("O") get back the
// quantities the DDT evaded and the states that follow, quotes ("P") are
// only checked. The kind is the header's Provenienza; the DDT's lines name
// each source (TipoProv, AnnoRifProv, NumRifProv, RigaRifProv, QtaProv).
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace DisAggProvFat {

// Answers of DisAggDocProv.
enum EsitoRestituzione : int16_t {
  kRestituito = 0,      // given back, or nothing to give back
  kFontiMancanti = 1,   // sources missing, the user chose to go on
  kInUso = 2,           // the DDT is in use by another user
  kNonProseguire = 3,   // the user stopped, or an order could not be given back
};

// Gives back the sources of the DDT piAnno/plNumRif before it is deleted.
// With pbNuovoBlocco the DDT is locked first (state "D", key psKeyLock,
// type psTipoLock, Gestione psTipoDoc): a lock held by anybody answers
// kInUso with "Documento in uso da altro utente: ..." in psMsg (shown unless
// pbNoMsg). Without it the caller already holds the DDT's lock and nothing
// is written before the questions below, so that a caller's transaction
// holds no lock while the user answers.
// Sources missing: the user is asked "Continuo con la cancellazione?";
// "NO" answers kNonProseguire, "SI" kFontiMancanti, and the sources that
// still exist are given back all the same. A kind other than "D", "O", "P"
// answers kRestituito at once. Database errors reach the caller.
// psRagDdt, pvAltro, psAltro and pbRipristino are accepted for the callers'
// sake and not used.
int16_t DisAggDocProv(const std::string& psRagDdt, const std::string& psProvenienza, int16_t piAnno,
                      int32_t plNumRif, std::string& psKeyLock, const std::string& psTipoLock,
                      const std::string& psTipoDoc, bool pbNuovoBlocco, std::string& psMsg,
                      const vb::Variant& pvAltro = vb::Variant(int16_t(0)), const std::string& psAltro = "",
                      bool pbNoMsg = false, bool pbRipristino = false);

}  // namespace DisAggProvFat

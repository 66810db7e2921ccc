#pragma once
// The serial-number states and which may follow which. A serial's state is
// the operation letter of its latest movement (TipOpe of MovMagMatr,
// DdtMatr, DdtMatrApp): "C" load, "S" unload, "G" returned by a customer
// for repair, "I" internal movement, "F" sent back to the supplier for
// repair, "R" returned by a customer. Letters compare without regard to
// case. The letter a document writes is AziendaUtil::CalcMatrTipOpe
// (common/AziendaUtil.h); these rules read no table and show nothing.
//
// psMatrGuastoNoScar "S" (the setting MatrGuastoNoScar): a serial back for
// repair (G) may not be unloaded (S) next.
#include <cstdint>
#include <string>

namespace AziendaUtil {

// May a serial in state psTipOpePrec ("" no movement yet) receive psTipOpe?
// A first movement must be a load.
bool VerifMatrTipOpePrec(const std::string& psTipOpe, const std::string& psTipOpePrec,
                         const std::string& psMatrGuastoNoScar);

// An operation placed between two movements: 0 fits, 1 the previous state
// forbids it, 2 the next movement may not follow it (tested only with
// pbVerSucc; an empty psTipOpeSucc then gives 2).
int16_t VerifMatrTipOpe(const std::string& psTipOpe, const std::string& psTipOpePrec,
                        const std::string& psTipOpeSucc, const std::string& psMatrGuastoNoScar, bool pbVerSucc);

// The letters allowed just before (pbSucc false) or just after (true)
// psTipOpe, as one text ("CIR"); pbSenzaPrec: the operation may also be a
// serial's first movement.
std::string CalcMatrTipOpeComp(const std::string& psTipOpe, const std::string& psMatrGuastoNoScar,
                               bool& pbSenzaPrec, bool pbSucc);

// The caption of a state; for an empty or unknown letter "Nessun movimento
// esistente" with pbNessunMov, else "".
std::string DecodMatrTipOpe(const std::string& psTipOpe, bool pbNessunMov);

}  // namespace AziendaUtil

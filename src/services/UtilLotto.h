#pragma once
// Lot traceability as the document windows use it: the lot operation of a
// warehouse causal.
#include <string>

namespace UtilLotto {

// The lot operation of a causal, letter case ignored: "I" internal (kind
// of movement "I"), "" for kind "V"; "S" unload for sign "+" with "S" and
// for "-" with "C"; "C" load for "+" with "C" and for "-" with "S";
// otherwise "C" when the causal moves no stock ("N") and is one whole item
// of the "," list psCausaliNoMovCar, else "".
std::string CalcLottoTipOpe(const std::string& psTipoMov, const std::string& psCarScar, const std::string& psSegno,
                            const std::string& psCausale, const std::string& psCausaliNoMovCar);

}  // namespace UtilLotto

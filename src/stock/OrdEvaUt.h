#pragma once
// The order-side figures of the stock progressives: quantity and value
// committed to customers (QtaImpCli, ValImpCli, ValImpCliLire) or ordered
// from suppliers (QtaOrdFor, ...), moved when a document evades an order
// line (pbEvasione -1) or gives the evasion back (any other value), in the
// order's year and every later one. A customer order of a compound article
// moves its components' commitments through ArtLegami, level by level.
#include <cstdint>
#include <string>

#include "platform/Currency.h"
#include "platform/Variant.h"

namespace OrdEvaUt {

void AggImpegni(int16_t pbEvasione, int16_t piAnno, const std::string& psMagazzino, const std::string& psArticolo,
                const std::string& psLivello1, const std::string& psLivello2, const vb::Variant& pvQta,
                const vb::Variant& pvQtaEvasa, const vb::Variant& pvQtaEvasaPrec, const vb::Currency& pvQtaMov,
                const vb::Variant& pvValEuro, const vb::Variant& pvValLire, const std::string& psSaldo,
                int16_t pbEvasa, const std::string& psTipoIva, const vb::Variant& pvAliquota,
                const std::string& psPrezziIvati, const std::string& psArtMag, const std::string& psCarScar,
                const std::string& psCausaleDiBa, const std::string& psMagComp, int16_t pbFornitore,
                int16_t pbCreaProg);

// The components of a compound: 0 done, 1 failed (shown), also for a cycle
// in ArtLegami.
int16_t EsplodiDiBa(int16_t pbEvasione, const std::string& psSaldo, int16_t pbEvasa, int16_t piAnno,
                    const std::string& psArticolo, double pvQtaEvasa, double pvQtaEvasaPrec, double pvQta,
                    const std::string& psMagComp, int16_t pbCreaProg, bool pbAnnidata);

// One component's committed quantity, every level pair. Always 0.
int16_t AggImpegnoComp(int16_t pbEvasione, int16_t piAnno, const std::string& psArticolo, double pdVarQta,
                       const std::string& psMagazzino, int16_t pbCreaProg);

}  // namespace OrdEvaUt

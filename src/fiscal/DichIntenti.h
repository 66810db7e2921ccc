#pragma once
// Declarations of intent of a customer: the exemption text a document
// shows for them, and the amounts already used under one of them by the
// customer's invoices, DDTs and orders.
//
// The text comes from a template: the customer's own (PianoConti.DicIntenti
// between two "§"), a personal setting of section "Fatture", the caller's
// fallback or the built-in one. Blocks "§tag§" ... "§/tag§" are kept or
// dropped by the number and place of the declarations ("M0", "Mn", "M1",
// "MUL", "M2", "M-UL") and by their reference kind ("Rif1" to "Rif3");
// "§RigIni§" ... "§RigFin§" is repeated once per declaration; placeholders
// ("§NrDich§", "§DtDich§", ...) are filled per declaration. A customer
// without rows in PdcDicIntenti answers from the single declaration kept
// on its PianoConti row.
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace dati {
class GestRecordset;
}

namespace DichIntenti {

// The exemption text ("NO" when the customer has no usable declaration,
// "" after an error, which is shown). pdImporto receives the declared
// amount of the declarations written. pvCodice 0: all active declarations;
// any other code: that one, active or not.
vb::Variant TestoDichIntenti(const std::string& psGruppo, const std::string& psMastro,
                             const std::string& psConto, const std::string& psDicIntenti,
                             const std::string& psNomeParTesto, const std::string& psTestoDefault,
                             double& pdImporto, const vb::Variant& pvCodice = vb::Variant(0));
// The header form's form of the call: the Integer and the last Double are
// not used, the three out Doubles are set to -999.
vb::Variant TestoDichIntenti(const std::string& psGruppo, const std::string& psMastro,
                             const std::string& psConto, const std::string& psDicIntenti,
                             const std::string& psNomeParTesto, const std::string& psTestoDefault,
                             double& pdImporto, int16_t piNonUsato, const vb::Variant& pvCodice,
                             double& pdOut1, double& pdOut2, double& pdOut3, double pdNonUsato);

// The template filled once per row of the open recordset `psKeyRs`, the
// copies joined in row order. With pbSomma the amount starts from
// pdImpIniziale and each row's ImportoDichIntenti is added.
std::string CompilaTestoDich(const std::string& psTesto, dati::GestRecordset& poRs,
                             const std::string& psKeyRs, bool pbSomma, double& pdImporto,
                             double pdImpIniziale);

// Every block "§tag§" ... "§/tag§" kept without its markers, or removed
// with them. A closing marker counts only after its opening marker.
std::string GestBloccoCond(const std::string& psTesto, const std::string& psTag, bool pbTieni);

// Used amounts of the declaration piCodDich of the customer: invoices,
// DDTs and orders. The last keys and amounts are remembered: the same keys
// again without pbForza give the remembered amounts. Code 0 clears them
// and leaves the outputs alone.
void CalcUtilizzatoDich(int16_t piCodDich, const std::string& psGruppo, const std::string& psMastro,
                        const std::string& psConto, double& pdUtilFatture, double& pdUtilDdt,
                        double& pdUtilOrdini, bool pbForza);
// Used amount of one document kind ("F", "D", "O") for the keys of the
// calculation in progress, by total kind ("D", "E", "M").
double CalcUtilizzatoTipoDoc(const std::string& psTipoDoc, const std::string& psQualeTot);
std::string PrepSqlTotaliDich(const std::string& psTabTesta, const std::string& psTipoDoc,
                              const std::string& psQualeTot);
// The documents of the kind that carry a payment discount, with their
// sign, under the same state condition as the sums.
std::string PrepSqlDocScontoPag(const std::string& psTabTesta, const std::string& psTipoDoc);

// Forgets the remembered keys, amounts and total kind, as at program start.
void AzzeraMemoria();

}  // namespace DichIntenti

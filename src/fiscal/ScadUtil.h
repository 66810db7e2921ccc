#pragma once
// The due-date schedule of a document: the payment terms of table
// Pagamenti split the amount into instalments with their due dates, moved
// out of the months the customer excludes (PianoConti.MeseNoEf1/2), and,
// on request, an expense charged on each instalment (the footer's stamp
// duty per bill).
//
// A run reports its errors in piNumErr / psErrori ("Errore n°" number
// " : " text " in Calcolo scadenze", at most 30 lines); the schedule is
// valid only when piNumErr is 0. Every run starts from empty outputs, so a
// failed run never hands back a schedule of an earlier one.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Currency.h"
#include "platform/Date.h"

namespace ScadUtil {

// Arrays hold positions 0 to the instalment count; instalment i is at i,
// position 0 stays empty.
// piModoBolli: 0 no expense; 1 computed here into pvBolliScad; 2 given by
// the caller in pvBolliScad; above 0 the expenses are added to the amounts.
void CalcScadenze(vb::Date ptData, double pdImp, double pdIva, const std::string& psPagamento,
                  const std::string& psGruppo, const std::string& psMastro, const std::string& psConto,
                  int16_t piNumDec, std::vector<vb::Date>& ptScad, std::vector<double>& pdImpScad,
                  int16_t& piNumScad, int16_t& piNumErr, std::string& psErrori, int16_t piModoBolli,
                  vb::Currency pdPercBollo, std::vector<double>& pvBolliScad, vb::Currency pdArrotBollo,
                  const std::string& psArrotBollo, double pdMinBollo, double pdMaxBollo,
                  vb::Date& ptDecorrenza);

// Appends one line to the error log of the run in progress.
void AggErrore(long plNumErr, const std::string& psDescr);

// pdMin when above 0 and the value is below it; else pdMax when above 0
// and the value exceeds it; else the value (compared at 8 decimals).
double LimitaImporto(double pdMin, double pdMax, double pdValore);

}  // namespace ScadUtil

#pragma once
// Exact decimal reading and rounding of numbers, independent of any global
// locale. Italian texts use the decimal comma and the thousands point; SQL
// and the legacy Val() use the decimal point. Doubles are read through their
// shortest round-trip form, so 2.675 rounds as the 2.675 the user typed and
// not as the binary 2.67499999... behind it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

// value = (negativo ? -1 : 1) * cifre * 10^esponente; cifre holds decimal
// digits without leading zeros ("" is zero).
struct Decimale {
  bool negativo = false;
  std::string cifre;
  int esponente = 0;

  bool Zero() const { return cifre.empty(); }
};

enum class StileNumero {
  Italiano,  // "1.234,56": comma decimals, points group thousands
  Punto,     // "1234.56": point decimals, no grouping
};

// Whole-text reading: blanks around, a sign in front, digits, optional
// decimals and exponent ("1,5E3"). False on anything else.
bool LeggiDecimale(std::string_view testo, StileNumero stile, Decimale& out);
// Shortest decimal that reads back as the same double; false for inf/NaN.
bool DecimaleDaDouble(double valore, Decimale& out);
double DoubleDaDecimale(const Decimale& d);
// Fits in int64 after scaling by 10^scala (rounding half to even beyond it)?
std::optional<int64_t> InteroScalato(const Decimale& d, int scala);

// Text of a double as the legacy CStr gave it with Italian settings: up to 15
// significant digits, decimal comma, "1E+16" style beyond.
std::string TestoDouble(double valore, int cifreSignificative = 15);
// Same with the decimal point and no exponent where it can be avoided: SQL.
std::string TestoDoubleSql(double valore);

enum class ModoArrot { Vicino, Su, Giu, Tronca };

// Rounds `valore` to a multiple of passo * 10^esponente. Vicino: to the
// nearest, halves away from zero (a credit note rounds like its invoice);
// Su: upwards (towards +infinity); Giu: downwards (towards -infinity);
// Tronca: cuts off what lies beyond the step (towards zero). Callers that
// want "away from zero" pick Su or Giu by the sign, as the VAT rounding does.
double ArrotondaDouble(double valore, ModoArrot modo, double passo, int esponente);

}  // namespace vb

#pragma once
// Fixed-point amount with four decimals, the legacy Currency: a 64-bit count
// of ten-thousandths. Every stored amount travels as this type; binary
// floating point enters only where a Double is asked for explicitly.
// Overflow raises legacy error 6; conversions from Double round halves to
// even at the fourth decimal, as the legacy CCur did.
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

class Currency {
 public:
  static constexpr int64_t kScala = 10000;
  static constexpr int64_t kMaxRaw = INT64_MAX;
  static constexpr int64_t kMinRaw = INT64_MIN;

  constexpr Currency() = default;
  static constexpr Currency FromRaw(int64_t raw) { Currency c; c.raw_ = raw; return c; }
  static Currency FromLong(int64_t intero);
  static Currency FromDouble(double valore);
  // Decimal text: "1234,5", "-0,0001", "1.234,50" (Italian) or, with
  // `puntoDecimale`, "1234.5". More than four decimals round half to even.
  // Raises 13 on text that is not a number, 6 when out of range.
  static Currency FromText(std::string_view testo, bool puntoDecimale = false);
  static bool TryFromText(std::string_view testo, Currency& out, bool puntoDecimale = false);

  constexpr int64_t Raw() const { return raw_; }
  double ToDouble() const { return static_cast<double>(raw_) / kScala; }
  // Legacy CStr: shortest form, decimal comma, no thousands separator.
  std::string ToString() const;
  // Fixed decimals with a point, for SQL literals: "-12.3400" with 4.
  std::string ToSqlText() const;

  Currency operator-() const;
  Currency& operator+=(Currency o);
  Currency& operator-=(Currency o);
  friend Currency operator+(Currency a, Currency b) { return a += b; }
  friend Currency operator-(Currency a, Currency b) { return a -= b; }
  // Product of two amounts, rounded half to even at the fourth decimal.
  friend Currency operator*(Currency a, Currency b);
  friend Currency operator*(Currency a, int64_t n);
  // Quotient as the legacy "/" gave it on amounts: a Double.
  friend double operator/(Currency a, Currency b);

  friend constexpr auto operator<=>(Currency a, Currency b) = default;
  friend constexpr bool operator==(Currency a, Currency b) = default;

 private:
  int64_t raw_ = 0;
};

}  // namespace vb

#pragma once
// The legacy Variant: one value of any of the base types, with Empty (never
// assigned), Null (no value, as read from a database) and Missing (an
// optional argument the caller left out). Conversions follow the legacy
// run time with Italian settings: decimal comma, thousands point,
// dd/mm/yyyy; they raise 13 on a text that does not convert, 6 on overflow
// and 94 on Null, as the legacy did. Boolean True converts to -1.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Currency.h"
#include "platform/Date.h"

namespace vb {

// VarType codes of the legacy.
enum TipoVar : int {
  vbEmpty = 0, vbNull = 1, vbInteger = 2, vbLong = 3, vbSingle = 4, vbDouble = 5,
  vbCurrency = 6, vbDate = 7, vbString = 8, vbError = 10, vbBoolean = 11, vbByte = 17,
};

struct NullT { friend bool operator==(NullT, NullT) = default; };
struct MissingT { friend bool operator==(MissingT, MissingT) = default; };
inline constexpr NullT Null{};
inline constexpr MissingT Missing{};

class Variant {
 public:
  Variant() = default;
  Variant(NullT) : v_(NullT{}) {}
  Variant(MissingT) : v_(MissingT{}) {}
  Variant(bool b) : v_(b) {}
  Variant(int16_t i) : v_(i) {}
  Variant(int i) : v_(static_cast<int32_t>(i)) {}
  Variant(long l);  // raises 6 beyond 32 bits
  Variant(long long l);
  Variant(uint8_t b) : v_(b) {}
  Variant(float f) : v_(f) {}
  Variant(double d) : v_(d) {}
  Variant(Currency c) : v_(c) {}
  Variant(Date d) : v_(d) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(std::string_view s) : v_(std::string(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}

  TipoVar VarType() const;
  bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsNull() const { return std::holds_alternative<NullT>(v_); }
  bool IsMissing() const { return std::holds_alternative<MissingT>(v_); }
  bool IsString() const { return std::holds_alternative<std::string>(v_); }
  bool IsDate() const { return std::holds_alternative<Date>(v_); }
  // Number types (Boolean and Date excluded).
  bool IsNumber() const;

  // CBool, CByte, CInt, CLng, CSng, CDbl, CCur, CDate, CStr. Halves round to
  // even for the integer types, as the legacy did. Empty converts to 0, ""
  // or 00:00:00; Null raises 94 (CStr included); Missing raises 449.
  bool ToBool() const;
  uint8_t ToByte() const;
  int16_t ToInt() const;
  int32_t ToLong() const;
  float ToSingle() const;
  double ToDouble() const;
  Currency ToCurrency() const;
  Date ToDate() const;
  std::string ToString() const;

  // Would CDbl (resp. CDate) succeed? The legacy IsNumeric / IsDate.
  bool IsNumeric() const;
  bool IsDateLike() const;

  const std::string* StringPtr() const { return std::get_if<std::string>(&v_); }

  // Variant comparison of the legacy: numbers as numbers, texts as texts
  // (binary or text compare), a number below any text it is compared to,
  // Empty as 0 or "". Null on either side: raises 94 (callers test first).
  static int Confronta(const Variant& a, const Variant& b, int confronto = 0);

  friend bool operator==(const Variant& a, const Variant& b) { return a.v_ == b.v_; }

 private:
  std::variant<std::monostate, NullT, MissingT, bool, uint8_t, int16_t, int32_t, float, double,
               Currency, Date, std::string>
      v_;
};

// Legacy Val(): reads the leading number of a text with the decimal point,
// ignoring blanks, stopping at the first character that does not belong;
// "&H" and "&O" prefixes read hex and octal. Never fails: no number = 0.
double Val(std::string_view testo);

// Reads Italian number text as CDbl does; false when it is no number.
bool LeggiDoubleIt(std::string_view testo, double& out);

// Raises 6 unless v fits the range; rounds half to even.
int64_t ArrotondaPari(double v, double minimo, double massimo);

}  // namespace vb

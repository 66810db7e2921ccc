#pragma once
// The legacy Date: a Double counting days from 30/12/1899, the fraction
// being the time of day (for days before that origin the fraction still
// adds time: -1,25 is 29/12/1899 06:00). Valid from 01/01/100 to 31/12/9999.
// Text is always Italian: "dd/mm/yyyy" and "hh:nn:ss", whatever the locale.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vb {

class Date {
 public:
  constexpr Date() = default;
  static constexpr Date FromSerial(double giorni) { Date d; d.v_ = giorni; return d; }
  // DateSerial: months and days out of range carry over (month 13 = January
  // of the next year, day 0 = last day of the previous month). Raises 5 when
  // the result leaves the valid range.
  static Date FromYmd(int anno, int mese, int giorno);
  static Date FromYmdHms(int anno, int mese, int giorno, int ore, int minuti, int secondi);
  // Reads "dd/mm/yyyy", "d/m/yy", "dd-mm-yyyy", "dd.mm.yyyy", "ddmmyyyy",
  // "ddmmyy" and "yyyy-mm-dd", optionally followed by a time "hh:nn[:ss]"
  // (also with points). Two-digit years: 00-29 -> 2000s, 30-99 -> 1900s.
  // Nothing is guessed: an impossible day (31/02) gives nullopt.
  static std::optional<Date> Parse(std::string_view testo);
  static bool ValidText(std::string_view testo) { return Parse(testo).has_value(); }
  static Date Today();
  static Date Now();

  constexpr double Serial() const { return v_; }
  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;
  int Second() const;
  // 1 = Sunday .. 7 = Saturday, as the legacy Weekday with its default.
  int Weekday() const;
  Date DateOnly() const;
  bool HasTime() const;

  // DateAdd with intervals "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s".
  // Adding months keeps the day, clipped to the end of the month.
  Date Add(std::string_view intervallo, double quanti) const;
  Date AddDays(long giorni) const { return FromSerial(v_ + giorni); }
  // DateDiff in whole "d", "m", "yyyy" (calendar boundaries crossed).
  long Diff(std::string_view intervallo, Date fine) const;
  // Last day of the month of this date.
  Date EndOfMonth() const;

  // "dd/mm/yyyy", with " hh:nn:ss" when there is a time; a bare time when the
  // day part is 0, as the legacy CStr did.
  std::string ToString() const;
  std::string ToDateText() const;  // always "dd/mm/yyyy"

  friend constexpr auto operator<=>(Date a, Date b) = default;
  friend constexpr bool operator==(Date a, Date b) = default;

 private:
  void Parti(int& a, int& m, int& g) const;
  void Ora(int& h, int& n, int& s) const;
  double v_ = 0;
};

bool AnnoBisestile(int anno);
int GiorniDelMese(int anno, int mese);

}  // namespace vb

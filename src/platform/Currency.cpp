#include "platform/Currency.h"

#include <cmath>

#include "platform/Errore.h"
#include "platform/Numeri.h"

namespace vb {

namespace {

int64_t Controlla(__int128 v) {
  if (v > INT64_MAX || v < INT64_MIN) Solleva(ErrOverflow);
  return static_cast<int64_t>(v);
}

// Divides by `div` rounding half to even, as the legacy run time did.
__int128 DividiPari(__int128 n, __int128 div) {
  __int128 q = n / div, r = n % div;
  __int128 ar = r < 0 ? -r : r;
  if (ar * 2 > div || (ar * 2 == div && (q & 1))) q += (n < 0 ? -1 : 1);
  return q;
}

}  // namespace

Currency Currency::FromLong(int64_t n) {
  return FromRaw(Controlla(static_cast<__int128>(n) * kScala));
}

Currency Currency::FromDouble(double v) {
  // Fast path: away from a half ten-thousandth the scaled product rounds the
  // same way as the decimal the double stands for.
  const double p = v * kScala;
  if (std::fabs(p) < 2251799813685248.0) {  // 2^51: the fraction is still meaningful
    const double f = std::floor(p);
    const double resto = p - f;
    if (std::fabs(resto - 0.5) > 1e-6) return FromRaw(static_cast<int64_t>(resto < 0.5 ? f : f + 1));
  }
  Decimale d;
  if (!DecimaleDaDouble(v, d)) Solleva(ErrOverflow);
  auto raw = InteroScalato(d, 4);
  if (!raw) Solleva(ErrOverflow);
  return FromRaw(*raw);
}

bool Currency::TryFromText(std::string_view testo, Currency& out, bool punto) {
  Decimale d;
  if (!LeggiDecimale(testo, punto ? StileNumero::Punto : StileNumero::Italiano, d)) return false;
  auto raw = InteroScalato(d, 4);
  if (!raw) return false;
  out = FromRaw(*raw);
  return true;
}

Currency Currency::FromText(std::string_view testo, bool punto) {
  Decimale d;
  if (!LeggiDecimale(testo, punto ? StileNumero::Punto : StileNumero::Italiano, d))
    Solleva(ErrTipoNonCorrisp);
  auto raw = InteroScalato(d, 4);
  if (!raw) Solleva(ErrOverflow);
  return FromRaw(*raw);
}

static std::string Testo(int64_t raw, char sep, bool fisso) {
  unsigned __int128 a = raw < 0 ? static_cast<unsigned __int128>(-static_cast<__int128>(raw))
                                : static_cast<unsigned __int128>(raw);
  uint64_t intero = static_cast<uint64_t>(a / Currency::kScala);
  unsigned dec = static_cast<unsigned>(a % Currency::kScala);
  std::string s = raw < 0 ? "-" : "";
  s += std::to_string(intero);
  char d[5] = {char('0' + dec / 1000), char('0' + dec / 100 % 10), char('0' + dec / 10 % 10),
               char('0' + dec % 10), 0};
  std::string ds(d);
  if (!fisso) {
    while (!ds.empty() && ds.back() == '0') ds.pop_back();
  }
  if (!ds.empty()) s += sep + ds;
  return s;
}

std::string Currency::ToString() const { return Testo(raw_, ',', false); }
std::string Currency::ToSqlText() const { return Testo(raw_, '.', true); }

Currency Currency::operator-() const {
  return FromRaw(Controlla(-static_cast<__int128>(raw_)));
}
Currency& Currency::operator+=(Currency o) {
  raw_ = Controlla(static_cast<__int128>(raw_) + o.raw_);
  return *this;
}
Currency& Currency::operator-=(Currency o) {
  raw_ = Controlla(static_cast<__int128>(raw_) - o.raw_);
  return *this;
}
Currency operator*(Currency a, Currency b) {
  return Currency::FromRaw(
      Controlla(DividiPari(static_cast<__int128>(a.raw_) * b.raw_, Currency::kScala)));
}
Currency operator*(Currency a, int64_t n) {
  return Currency::FromRaw(Controlla(static_cast<__int128>(a.raw_) * n));
}
double operator/(Currency a, Currency b) {
  if (b.raw_ == 0) Solleva(ErrDivisionePerZero);
  return static_cast<double>(a.raw_) / static_cast<double>(b.raw_);
}

}  // namespace vb

#include "platform/Variant.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "platform/Errore.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"

namespace vb {

namespace {

template <class... F>
struct Visitatore : F... { using F::operator()...; };
template <class... F>
Visitatore(F...) -> Visitatore<F...>;

[[noreturn]] void TipoErrato() { Solleva(ErrTipoNonCorrisp); }

}  // namespace

Variant::Variant(long l) : Variant(static_cast<long long>(l)) {}
Variant::Variant(long long l) {
  if (l < INT32_MIN || l > INT32_MAX) Solleva(ErrOverflow);
  v_ = static_cast<int32_t>(l);
}

TipoVar Variant::VarType() const {
  return std::visit(Visitatore{
      [](std::monostate) { return vbEmpty; }, [](NullT) { return vbNull; },
      [](MissingT) { return vbError; }, [](bool) { return vbBoolean; },
      [](uint8_t) { return vbByte; }, [](int16_t) { return vbInteger; },
      [](int32_t) { return vbLong; }, [](float) { return vbSingle; },
      [](double) { return vbDouble; }, [](Currency) { return vbCurrency; },
      [](Date) { return vbDate; }, [](const std::string&) { return vbString; }}, v_);
}

bool Variant::IsNumber() const {
  switch (VarType()) {
    case vbByte: case vbInteger: case vbLong: case vbSingle: case vbDouble: case vbCurrency:
      return true;
    default:
      return false;
  }
}

bool LeggiDoubleIt(std::string_view testo, double& out) {
  Decimale d;
  if (!LeggiDecimale(testo, StileNumero::Italiano, d)) return false;
  out = DoubleDaDecimale(d);
  return std::isfinite(out);
}

int64_t ArrotondaPari(double v, double minimo, double massimo) {
  if (std::isnan(v)) Solleva(ErrOverflow);
  double r = std::nearbyint(v);  // default rounding mode: half to even
  if (r < minimo || r > massimo) Solleva(ErrOverflow);
  return static_cast<int64_t>(r);
}

double Variant::ToDouble() const {
  return std::visit(Visitatore{
      [](std::monostate) { return 0.0; },
      [](NullT) -> double { Solleva(ErrUsoNull); },
      [](MissingT) -> double { Solleva(ErrArgomentoMancante); },
      [](bool b) { return b ? -1.0 : 0.0; },
      [](uint8_t x) { return static_cast<double>(x); },
      [](int16_t x) { return static_cast<double>(x); },
      [](int32_t x) { return static_cast<double>(x); },
      [](float x) { return static_cast<double>(x); },
      [](double x) { return x; },
      [](Currency c) { return c.ToDouble(); },
      [](Date d) { return d.Serial(); },
      [](const std::string& s) {
        double v;
        if (LeggiDoubleIt(s, v)) return v;
        if (Trim(s) == "Vero" || UgualeTesto(Trim(s), "True")) return -1.0;
        if (Trim(s) == "Falso" || UgualeTesto(Trim(s), "False")) return 0.0;
        TipoErrato();
      }}, v_);
}

bool Variant::ToBool() const {
  if (const std::string* s = StringPtr()) {
    std::string t = Trim(*s);
    if (UgualeTesto(t, "True") || UgualeTesto(t, "Vero")) return true;
    if (UgualeTesto(t, "False") || UgualeTesto(t, "Falso")) return false;
  }
  if (auto* c = std::get_if<Currency>(&v_)) return c->Raw() != 0;
  return ToDouble() != 0.0;
}

uint8_t Variant::ToByte() const { return static_cast<uint8_t>(ArrotondaPari(ToDouble(), 0, 255)); }

int16_t Variant::ToInt() const {
  if (auto* b = std::get_if<bool>(&v_)) return *b ? -1 : 0;
  return static_cast<int16_t>(ArrotondaPari(ToDouble(), INT16_MIN, INT16_MAX));
}

int32_t Variant::ToLong() const {
  if (auto* b = std::get_if<bool>(&v_)) return *b ? -1 : 0;
  if (auto* i = std::get_if<int32_t>(&v_)) return *i;
  return static_cast<int32_t>(ArrotondaPari(ToDouble(), INT32_MIN, INT32_MAX));
}

float Variant::ToSingle() const {
  double d = ToDouble();
  if (std::fabs(d) > std::numeric_limits<float>::max()) Solleva(ErrOverflow);
  return static_cast<float>(d);
}

Currency Variant::ToCurrency() const {
  if (auto* c = std::get_if<Currency>(&v_)) return *c;
  if (const std::string* s = StringPtr()) {
    Currency c;
    if (Currency::TryFromText(*s, c)) return c;
    double d;
    if (LeggiDoubleIt(*s, d)) Solleva(ErrOverflow);
    return Currency::FromDouble(ToDouble());
  }
  if (auto* i = std::get_if<int32_t>(&v_)) return Currency::FromLong(*i);
  if (auto* i = std::get_if<int16_t>(&v_)) return Currency::FromLong(*i);
  return Currency::FromDouble(ToDouble());
}

Date Variant::ToDate() const {
  if (auto* d = std::get_if<Date>(&v_)) return *d;
  if (const std::string* s = StringPtr()) {
    if (auto d = Date::Parse(*s)) return *d;
    TipoErrato();
  }
  double v = ToDouble();
  if (!(v >= -657434.0 && v < 2958466.0)) Solleva(ErrOverflow);
  return Date::FromSerial(v);
}

std::string Variant::ToString() const {
  return std::visit(Visitatore{
      [](std::monostate) { return std::string(); },
      [](NullT) -> std::string { Solleva(ErrUsoNull); },
      [](MissingT) -> std::string { Solleva(ErrArgomentoMancante); },
      [](bool b) { return std::string(b ? "Vero" : "Falso"); },
      [](uint8_t x) { return std::to_string(x); },
      [](int16_t x) { return std::to_string(x); },
      [](int32_t x) { return std::to_string(x); },
      [](float x) { return TestoDouble(x, 7); },
      [](double x) { return TestoDouble(x); },
      [](Currency c) { return c.ToString(); },
      [](Date d) { return d.ToString(); },
      [](const std::string& s) { return s; }}, v_);
}

bool Variant::IsNumeric() const {
  if (IsEmpty()) return true;
  if (IsNull() || IsMissing() || IsDate()) return false;
  if (const std::string* s = StringPtr()) {
    double d;
    return LeggiDoubleIt(*s, d);
  }
  return true;
}

bool Variant::IsDateLike() const {
  if (IsDate()) return true;
  if (const std::string* s = StringPtr()) return Date::Parse(*s).has_value();
  return false;
}

int Variant::Confronta(const Variant& a, const Variant& b, int confronto) {
  if (a.IsNull() || b.IsNull()) Solleva(ErrUsoNull);
  auto testo = [](const Variant& v) { return v.IsString() || v.IsEmpty(); };
  if (a.IsString() && b.IsString())
    return StrComp(*a.StringPtr(), *b.StringPtr(), static_cast<Confronto>(confronto));
  if (a.IsString() && b.IsEmpty()) return StrComp(*a.StringPtr(), "");
  if (b.IsString() && a.IsEmpty()) return StrComp("", *b.StringPtr());
  if (a.IsString() && !testo(b)) return 1;   // a number is below any text
  if (b.IsString() && !testo(a)) return -1;
  const Currency* ca = std::get_if<Currency>(&a.v_);
  const Currency* cb = std::get_if<Currency>(&b.v_);
  if (ca && cb) return *ca < *cb ? -1 : *ca > *cb ? 1 : 0;
  double x = a.ToDouble(), y = b.ToDouble();
  return x < y ? -1 : x > y ? 1 : 0;
}

double Val(std::string_view t) {
  std::string s;
  for (char c : t)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s.push_back(c);
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    long long v = 0;
    for (size_t i = 2; i < s.size(); ++i) {
      int c = s[i];
      int d = c >= '0' && c <= '9' ? c - '0'
              : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10
              : (base == 16 && c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (d < 0 || d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFLL) break;
    }
    return static_cast<double>(v);
  }
  // Longest prefix of the form [sign] digits [. digits] [E [sign] digits].
  size_t i = 0, fine = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool cifre = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; cifre = true; }
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; cifre = true; }
  }
  if (!cifre) return 0;
  fine = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t k = j;
    while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
    if (k > j) {
      s[i] = 'e';
      fine = k;
    }
  }
  Decimale d;
  if (!LeggiDecimale(std::string_view(s).substr(0, fine), StileNumero::Punto, d)) return 0;
  const double v = DoubleDaDecimale(d);
  // Past the range of a Double ("9E999"): the legacy Val overflows rather
  // than hand on an infinity.
  if (!std::isfinite(v)) Solleva(ErrOverflow);
  return v;
}

}  // namespace vb

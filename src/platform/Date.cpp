#include "platform/Date.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/Errore.h"

namespace vb {

namespace {

constexpr double kMinSerial = -657434.0;       // 01/01/100
constexpr double kMaxSerial = 2958465.99999;  // 31/12/9999 23:59:59

// Days from 01/03/0000 civil (proleptic Gregorian), H. Hinnant's algorithm.
long GiorniCivili(long a, unsigned m, unsigned g) {
  a -= m <= 2;
  const long era = (a >= 0 ? a : a - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(a - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + g - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivileDaGiorni(long z, int& a, int& m, int& g) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  g = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  a = static_cast<int>(y + (m <= 2));
}

const long kOrigine = GiorniCivili(1899, 12, 30);

double Controlla(double v) {
  if (!(v >= kMinSerial && v < kMaxSerial + 0.00001)) Solleva(ErrChiamataNonValida);
  return v;
}

// Whole days and the positive time fraction of a serial.
void Dividi(double v, long& giorni, double& frazione) {
  double t = std::trunc(v);
  frazione = std::fabs(v - t);
  giorni = static_cast<long>(t);
  // Round the time to the second, carrying into the next day.
  double sec = std::round(frazione * 86400.0);
  if (sec >= 86400) {
    sec = 0;
    giorni += v < 0 ? -1 : 1;
  }
  frazione = sec / 86400.0;
}

double Componi(long giorni, double frazione) {
  return giorni < 0 ? giorni - frazione : giorni + frazione;
}

}  // namespace

bool AnnoBisestile(int a) { return (a % 4 == 0 && a % 100 != 0) || a % 400 == 0; }

int GiorniDelMese(int a, int m) {
  static const int g[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && AnnoBisestile(a) ? 29 : g[m - 1];
}

Date Date::FromYmd(int anno, int mese, int giorno) {
  long m0 = static_cast<long>(mese) - 1;
  long a = anno + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
  long mm = ((m0 % 12) + 12) % 12 + 1;
  long g = GiorniCivili(a, static_cast<unsigned>(mm), 1) - kOrigine + (giorno - 1);
  return FromSerial(Controlla(static_cast<double>(g)));
}

Date Date::FromYmdHms(int anno, int mese, int giorno, int ore, int minuti, int secondi) {
  Date d = FromYmd(anno, mese, giorno);
  double t = (ore * 3600.0 + minuti * 60.0 + secondi) / 86400.0;
  return FromSerial(Controlla(d.v_ < 0 ? d.v_ - t : d.v_ + t));
}

std::optional<Date> Date::Parse(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  s = s.substr(a, b - a);
  if (s.empty()) return std::nullopt;
  // Split into the date part and an optional time part.
  std::string_view parteData = s, parteOra;
  if (auto sp = s.find(' '); sp != std::string_view::npos) {
    parteData = s.substr(0, sp);
    parteOra = s.substr(sp + 1);
    while (!parteOra.empty() && parteOra.front() == ' ') parteOra.remove_prefix(1);
  }
  auto numeri = [](std::string_view t, std::string_view seps, int* out, int* lens, int max) {
    int n = 0;
    size_t i = 0;
    while (i <= t.size()) {
      if (n == max) return -1;
      int v = 0, len = 0;
      while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        if (len < 9) v = v * 10 + (t[i] - '0');
        ++len;
        ++i;
      }
      if (len == 0) return -1;
      out[n] = v;
      lens[n] = len;
      ++n;
      if (i == t.size()) break;
      if (seps.find(t[i]) == std::string_view::npos) return -1;
      ++i;
      if (i == t.size()) return -1;
    }
    return n;
  };
  int p[3], l[3];
  int n = numeri(parteData, "/-.", p, l, 3);
  int g, m, y, ly;
  if (n == 3) {
    if (l[0] == 4) {  // yyyy-mm-dd
      y = p[0]; ly = 4; m = p[1]; g = p[2];
    } else {
      g = p[0]; m = p[1]; y = p[2]; ly = l[2];
    }
  } else if (n == 1 && (l[0] == 6 || l[0] == 8)) {
    const int v = p[0];
    if (l[0] == 8) { g = v / 1000000; m = v / 10000 % 100; y = v % 10000; ly = 4; }
    else { g = v / 10000; m = v / 100 % 100; y = v % 100; ly = 2; }
  } else {
    return std::nullopt;
  }
  if (ly <= 2) y += y < 30 ? 2000 : 1900;
  else if (ly != 4 && ly != 3) return std::nullopt;
  if (y < 100 || y > 9999 || m < 1 || m > 12 || g < 1 || g > GiorniDelMese(y, m))
    return std::nullopt;
  int h = 0, mi = 0, se = 0;
  if (!parteOra.empty()) {
    int o[3], lo[3];
    int k = numeri(parteOra, ":.", o, lo, 3);
    if (k < 2) return std::nullopt;
    h = o[0]; mi = o[1]; se = k == 3 ? o[2] : 0;
    if (h > 23 || mi > 59 || se > 59) return std::nullopt;
  }
  return FromYmdHms(y, m, g, h, mi, se);
}

Date Date::Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return FromYmdHms(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

Date Date::Today() { return Now().DateOnly(); }

void Date::Parti(int& a, int& m, int& g) const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  CivileDaGiorni(giorni + kOrigine, a, m, g);
}

void Date::Ora(int& h, int& n, int& s) const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  long sec = std::lround(fr * 86400.0);
  h = static_cast<int>(sec / 3600);
  n = static_cast<int>(sec / 60 % 60);
  s = static_cast<int>(sec % 60);
}

int Date::Year() const { int a, m, g; Parti(a, m, g); return a; }
int Date::Month() const { int a, m, g; Parti(a, m, g); return m; }
int Date::Day() const { int a, m, g; Parti(a, m, g); return g; }
int Date::Hour() const { int h, n, s; Ora(h, n, s); return h; }
int Date::Minute() const { int h, n, s; Ora(h, n, s); return n; }
int Date::Second() const { int h, n, s; Ora(h, n, s); return s; }

int Date::Weekday() const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  // 30/12/1899 was a Saturday (7).
  long w = ((giorni + 6) % 7 + 7) % 7;
  return static_cast<int>(w) + 1;
}

Date Date::DateOnly() const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  return FromSerial(static_cast<double>(giorni));
}

bool Date::HasTime() const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  return fr != 0;
}

Date Date::Add(std::string_view iv, double quanti) const {
  long n = static_cast<long>(std::trunc(quanti));
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  auto mesi = [&](long k) {
    int a, m, g;
    Parti(a, m, g);
    long tot = static_cast<long>(a) * 12 + (m - 1) + k;
    int na = static_cast<int>(tot / 12), nm = static_cast<int>(tot % 12) + 1;
    if (na < 100 || na > 9999) Solleva(ErrChiamataNonValida);
    int ng = std::min(g, GiorniDelMese(na, nm));
    Date d = FromYmd(na, nm, ng);
    return FromSerial(Componi(static_cast<long>(d.v_), fr));
  };
  if (iv == "yyyy") return mesi(n * 12);
  if (iv == "q") return mesi(n * 3);
  if (iv == "m") return mesi(n);
  if (iv == "d" || iv == "y" || iv == "w")
    return FromSerial(Controlla(Componi(giorni + n, fr)));
  if (iv == "ww") return FromSerial(Controlla(Componi(giorni + 7 * n, fr)));
  double sec = iv == "h" ? 3600.0 : iv == "n" ? 60.0 : iv == "s" ? 1.0 : 0.0;
  if (sec == 0) Solleva(ErrChiamataNonValida);
  // Work on the linear time line (day number plus the positive fraction),
  // then back to the legacy form.
  double lin = (static_cast<double>(giorni) + fr) * 86400.0 + n * sec;
  double gl = std::floor(lin / 86400.0);
  double fl = std::round(lin - gl * 86400.0) / 86400.0;
  return FromSerial(Controlla(gl < 0 ? gl - fl : gl + fl));
}

long Date::Diff(std::string_view iv, Date fine) const {
  int a1, m1, g1, a2, m2, g2;
  Parti(a1, m1, g1);
  fine.Parti(a2, m2, g2);
  if (iv == "yyyy") return a2 - a1;
  if (iv == "m") return (a2 - a1) * 12L + (m2 - m1);
  if (iv == "d" || iv == "y") {
    long d1, d2;
    double f;
    Dividi(v_, d1, f);
    Dividi(fine.v_, d2, f);
    return d2 - d1;
  }
  Solleva(ErrChiamataNonValida);
}

Date Date::EndOfMonth() const {
  int a, m, g;
  Parti(a, m, g);
  return FromYmd(a, m, GiorniDelMese(a, m));
}

std::string Date::ToDateText() const {
  int a, m, g;
  Parti(a, m, g);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", g, m, a);
  return buf;
}

std::string Date::ToString() const {
  long giorni;
  double fr;
  Dividi(v_, giorni, fr);
  int h, n, s;
  Ora(h, n, s);
  char ora[16];
  std::snprintf(ora, sizeof ora, "%02d:%02d:%02d", h, n, s);
  if (giorni == 0 && fr != 0) return ora;
  if (fr == 0) return ToDateText();
  return ToDateText() + " " + ora;
}

}  // namespace vb

#include "platform/Numeri.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vb {

namespace {

bool Spazio(char c) { return c == ' ' || c == '\t'; }

void Normalizza(Decimale& d) {
  size_t i = 0;
  while (i < d.cifre.size() && d.cifre[i] == '0') ++i;
  d.cifre.erase(0, i);
  while (!d.cifre.empty() && d.cifre.back() == '0') {
    d.cifre.pop_back();
    ++d.esponente;
  }
  if (d.cifre.empty()) {
    d.esponente = 0;
    d.negativo = false;
  }
}

}  // namespace

bool LeggiDecimale(std::string_view t, StileNumero stile, Decimale& out) {
  size_t a = 0, b = t.size();
  while (a < b && Spazio(t[a])) ++a;
  while (b > a && Spazio(t[b - 1])) --b;
  t = t.substr(a, b - a);
  if (t.empty()) return false;
  const char sepDec = stile == StileNumero::Italiano ? ',' : '.';
  const char sepMig = stile == StileNumero::Italiano ? '.' : '\0';
  Decimale d;
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') {
    d.negativo = t[i] == '-';
    ++i;
    while (i < t.size() && Spazio(t[i])) ++i;
  }
  bool cifreViste = false, decimali = false;
  int esp = 0, gruppo = 0, cifreGruppo = 0;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c >= '0' && c <= '9') {
      d.cifre.push_back(c);
      if (decimali) --esp;
      else ++cifreGruppo;
      cifreViste = true;
    } else if (c == sepDec && !decimali) {
      decimali = true;
    } else if (sepMig && c == sepMig && !decimali && cifreViste) {
      // A grouping point must be followed by exactly three digits and be
      // preceded by a group of one to three ("1.234.567"); "12.5" is no
      // Italian number, so it cannot silently become 125.
      if (gruppo == 0 ? (cifreGruppo < 1 || cifreGruppo > 3) : cifreGruppo != 3) return false;
      size_t k = i + 1;
      while (k < t.size() && t[k] >= '0' && t[k] <= '9') ++k;
      if (k - i - 1 != 3) return false;
      ++gruppo;
      cifreGruppo = 0;
    } else {
      break;
    }
  }
  if (!cifreViste) return false;
  if (i < t.size()) {
    char c = t[i];
    if (c != 'e' && c != 'E') return false;
    ++i;
    bool negE = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negE = t[i++] == '-';
    if (i >= t.size()) return false;
    int e = 0;
    for (; i < t.size(); ++i) {
      if (t[i] < '0' || t[i] > '9') return false;
      if (e < 100000) e = e * 10 + (t[i] - '0');
    }
    esp += negE ? -e : e;
  }
  d.esponente = esp;
  Normalizza(d);
  out = std::move(d);
  return true;
}

bool DecimaleDaDouble(double v, Decimale& out) {
  if (!std::isfinite(v)) return false;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
  std::string_view s(buf, r.ptr - buf);
  Decimale d;
  size_t i = 0;
  if (s[i] == '-') { d.negativo = true; ++i; }
  int esp = 0;
  bool dopoPunto = false;
  for (; i < s.size() && s[i] != 'e'; ++i) {
    if (s[i] == '.') { dopoPunto = true; continue; }
    d.cifre.push_back(s[i]);
    if (dopoPunto) --esp;
  }
  int e = 0;
  std::from_chars(s.data() + i + 1 + (s[i + 1] == '+' ? 1 : 0), s.data() + s.size(), e);
  d.esponente = esp + e;
  Normalizza(d);
  out = std::move(d);
  return true;
}

double DoubleDaDecimale(const Decimale& d) {
  if (d.Zero()) return 0.0;
  std::string s = d.cifre + "e" + std::to_string(d.esponente);
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec == std::errc::result_out_of_range) v = d.esponente > 0 ? HUGE_VAL : 0.0;
  return d.negativo ? -v : v;
}

std::optional<int64_t> InteroScalato(const Decimale& d, int scala) {
  if (d.Zero()) return 0;
  int esp = d.esponente + scala;  // value*10^scala = cifre * 10^esp
  std::string cifre = d.cifre;
  bool resto = false, mezzo = false;
  if (esp < 0) {
    size_t via = static_cast<size_t>(-esp);
    if (via >= cifre.size() + 1) return 0;  // far below half a unit
    std::string tolte = via > cifre.size() ? std::string(via - cifre.size(), '0') + cifre
                                           : cifre.substr(cifre.size() - via);
    cifre = via >= cifre.size() ? std::string() : cifre.substr(0, cifre.size() - via);
    mezzo = tolte[0] == '5' && tolte.find_first_not_of('0', 1) == std::string::npos;
    resto = tolte[0] > '5' || (tolte[0] == '5' && !mezzo);
    esp = 0;
  }
  if (cifre.size() + static_cast<size_t>(esp) > 19) return std::nullopt;
  unsigned __int128 n = 0;
  for (char c : cifre) n = n * 10 + static_cast<unsigned>(c - '0');
  for (int k = 0; k < esp; ++k) n *= 10;
  if (resto || (mezzo && (n & 1))) ++n;
  unsigned __int128 lim = d.negativo ? (static_cast<unsigned __int128>(INT64_MAX) + 1)
                                      : static_cast<unsigned __int128>(INT64_MAX);
  if (n > lim) return std::nullopt;
  if (d.negativo) return static_cast<int64_t>(-static_cast<__int128>(n));
  return static_cast<int64_t>(n);
}

std::string TestoDouble(double v, int sig) {
  if (v == 0) return "0";
  if (!std::isfinite(v)) return v != v ? "NaN" : (v > 0 ? "Inf" : "-Inf");
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*g", sig, v);
  std::string s(buf);
  size_t e = s.find('e');
  std::string mant = e == std::string::npos ? s : s.substr(0, e);
  std::string expo;
  if (e != std::string::npos) {
    // "1e+16" -> "E+16"; the legacy run time shows two digits at least
    char segno = s[e + 1];
    std::string cifre = s.substr(e + 2);
    while (cifre.size() > 2 && cifre[0] == '0') cifre.erase(0, 1);
    expo = std::string("E") + segno + cifre;
  }
  for (char& c : mant)
    if (c == '.') c = ',';
  return mant + expo;
}

std::string TestoDoubleSql(double v) {
  if (v == 0 || !std::isfinite(v)) return "0";
  Decimale d;
  DecimaleDaDouble(v, d);
  if (d.esponente >= -30 && d.esponente + static_cast<int>(d.cifre.size()) <= 30) {
    std::string s = d.negativo ? "-" : "";
    int len = static_cast<int>(d.cifre.size());
    if (d.esponente >= 0) {
      s += d.cifre + std::string(d.esponente, '0');
    } else if (-d.esponente >= len) {
      s += "0." + std::string(-d.esponente - len, '0') + d.cifre;
    } else {
      s += d.cifre.substr(0, len + d.esponente) + "." + d.cifre.substr(len + d.esponente);
    }
    return s;
  }
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

double ArrotondaDouble(double valore, ModoArrot modo, double passo, int esponente) {
  if (!std::isfinite(valore) || valore == 0) return valore;
  if (!(passo > 0)) passo = 1;
  Decimale v, p;
  DecimaleDaDouble(valore, v);
  DecimaleDaDouble(passo, p);
  p.esponente += esponente;
  // Bring value and unit to one exponent and work on 128-bit integers.
  int base = std::min(v.esponente, p.esponente);
  auto intero = [&](const Decimale& d, unsigned __int128& n) {
    int k = d.esponente - base;
    if (d.cifre.size() + static_cast<size_t>(k) > 36) return false;
    n = 0;
    for (char c : d.cifre) n = n * 10 + static_cast<unsigned>(c - '0');
    for (int i = 0; i < k; ++i) n *= 10;
    return true;
  };
  unsigned __int128 nv = 0, np = 0;
  if (!intero(v, nv) || !intero(p, np) || np == 0) {
    // Beyond exact reach: magnitudes where a Double cannot hold the step anyway.
    double unita = passo * std::pow(10.0, esponente);
    double q = valore / unita;
    double r = modo == ModoArrot::Vicino ? std::copysign(std::floor(std::fabs(q) + 0.5), q)
               : modo == ModoArrot::Su   ? std::ceil(q)
               : modo == ModoArrot::Giu  ? std::floor(q)
                                         : std::trunc(q);
    return r * unita;
  }
  unsigned __int128 q = nv / np, r = nv % np;
  // q is the magnitude cut towards zero; "up" and "down" follow the sign.
  switch (modo) {
    case ModoArrot::Vicino: if (r * 2 >= np) ++q; break;
    case ModoArrot::Su: if (r != 0 && !v.negativo) ++q; break;
    case ModoArrot::Giu: if (r != 0 && v.negativo) ++q; break;
    case ModoArrot::Tronca: break;
  }
  // Result = q * p, exact in decimal; read it back through text.
  Decimale out;
  out.negativo = v.negativo;
  unsigned __int128 m = q;
  std::string cifreQ;
  while (m > 0) { cifreQ.insert(cifreQ.begin(), char('0' + static_cast<int>(m % 10))); m /= 10; }
  if (cifreQ.empty()) return 0.0;
  // q * (p.cifre * 10^p.esponente): multiply q by the step digits
  unsigned __int128 pc = 0;
  for (char c : p.cifre) pc = pc * 10 + static_cast<unsigned>(c - '0');
  unsigned __int128 prod = q * pc;
  if (pc != 0 && prod / pc != q) {
    return std::copysign(static_cast<double>(q) * passo * std::pow(10.0, esponente), valore);
  }
  std::string cifre;
  while (prod > 0) { cifre.insert(cifre.begin(), char('0' + static_cast<int>(prod % 10))); prod /= 10; }
  out.cifre = cifre;
  out.esponente = p.esponente;
  return DoubleDaDecimale(out);
}

}  // namespace vb

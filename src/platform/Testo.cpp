#include "platform/Testo.h"

#include <algorithm>

#include "platform/Errore.h"

namespace vb {

namespace {

char32_t Decodifica(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  auto cont = [&](size_t k) {
    return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
  };
  auto b = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[i + k]) & 0x3F); };
  if (c < 0x80) { ++i; return c; }
  if (c >= 0xC2 && c < 0xE0 && cont(1)) {
    char32_t cp = ((c & 0x1F) << 6) | b(1);
    i += 2;
    return cp;
  }
  if (c >= 0xE0 && c < 0xF0 && cont(1) && cont(2)) {
    char32_t cp = ((c & 0x0F) << 12) | (b(1) << 6) | b(2);
    if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) { i += 3; return cp; }
  }
  if (c >= 0xF0 && c < 0xF5 && cont(1) && cont(2) && cont(3)) {
    char32_t cp = ((c & 0x07) << 18) | (b(1) << 12) | (b(2) << 6) | b(3);
    if (cp >= 0x10000 && cp <= 0x10FFFF) { i += 4; return cp; }
  }
  ++i;
  return 0xFFFD;
}

void Codifica(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char32_t Minuscola(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
  if (c >= 0x100 && c <= 0x137) return c | 1;           // pairs upper/lower
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

char32_t Maiuscola(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x137) return c & ~char32_t(1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
  if (c >= 0x14A && c <= 0x177) return c & ~char32_t(1);
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

template <class F>
std::string Mappa(std::string_view s, F f) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      out.push_back(static_cast<char>(f(static_cast<unsigned char>(s[i]))));
      ++i;
    } else {
      Codifica(f(Decodifica(s, i)), out);
    }
  }
  return out;
}

// Byte offset of the character at 0-based index `n` (s.size() when beyond).
size_t Offset(std::string_view s, long n) {
  size_t i = 0;
  while (n > 0 && i < s.size()) {
    Decodifica(s, i);
    --n;
  }
  return i;
}

bool SoloAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::u32string InCodici(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) out.push_back(Decodifica(s, i));
  return out;
}

std::string DaCodici(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) Codifica(c, out);
  return out;
}

bool Utf8Valido(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    size_t prima = i;
    char32_t c = Decodifica(s, i);
    if (c == 0xFFFD && !(i - prima == 3 && s.substr(prima, 3) == "\xEF\xBF\xBD")) return false;
  }
  return true;
}

namespace {
// The characters of bytes 0x80..0x9F in Windows-1252 (the undefined ones
// stand for themselves); 0xA0..0xFF are those of Latin-1.
constexpr char32_t kAlti1252[32] = {
    0x20AC, 0x81, 0x201A, 0x192, 0x201E, 0x2026, 0x2020, 0x2021, 0x2C6, 0x2030, 0x160,
    0x2039, 0x152, 0x8D, 0x17D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x2DC, 0x2122, 0x161, 0x203A, 0x153, 0x9D, 0x17E, 0x178};
}  // namespace

std::string DaWindows1252(std::string_view s) {
  std::string out;
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    Codifica(c >= 0x80 && c < 0xA0 ? kAlti1252[c - 0x80] : c, out);
  }
  return out;
}

std::optional<std::string> AWindows1252(std::string_view s) {
  if (!Utf8Valido(s)) return std::nullopt;
  std::string out;
  for (char32_t c : InCodici(s)) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    int trovato = -1;
    for (int i = 0; i < 32 && trovato < 0; ++i)
      if (kAlti1252[i] == c) trovato = i;
    if (trovato < 0) return std::nullopt;
    out.push_back(static_cast<char>(0x80 + trovato));
  }
  return out;
}

std::string LTrim(std::string_view s) {
  size_t a = s.find_first_not_of(' ');
  return a == std::string_view::npos ? std::string() : std::string(s.substr(a));
}
std::string RTrim(std::string_view s) {
  size_t b = s.find_last_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(0, b + 1));
}
std::string Trim(std::string_view s) {
  size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  size_t b = s.find_last_not_of(' ');
  return std::string(s.substr(a, b - a + 1));
}

std::string UCase(std::string_view s) { return Mappa(s, Maiuscola); }
std::string LCase(std::string_view s) { return Mappa(s, Minuscola); }
std::string Piega(std::string_view s) {
  if (SoloAscii(s)) {
    std::string out(s);
    for (char& ch : out)
      if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    return out;
  }
  return Mappa(s, Minuscola);
}

long Len(std::string_view s) {
  long n = 0;
  size_t i = 0;
  while (i < s.size()) {
    if (static_cast<unsigned char>(s[i]) < 0x80) ++i;
    else Decodifica(s, i);
    ++n;
  }
  return n;
}

std::string Left(std::string_view s, long n) {
  if (n < 0) Solleva(ErrChiamataNonValida);
  return std::string(s.substr(0, Offset(s, n)));
}

std::string Right(std::string_view s, long n) {
  if (n < 0) Solleva(ErrChiamataNonValida);
  long len = Len(s);
  if (n >= len) return std::string(s);
  return std::string(s.substr(Offset(s, len - n)));
}

std::string Mid(std::string_view s, long inizio, long lunghezza) {
  if (inizio < 1) Solleva(ErrChiamataNonValida);
  size_t a = Offset(s, inizio - 1);
  if (lunghezza < 0) return std::string(s.substr(a));
  std::string_view resto = s.substr(a);
  return std::string(resto.substr(0, Offset(resto, lunghezza)));
}

long InStr(long inizio, std::string_view s, std::string_view cerca, Confronto c) {
  if (inizio < 1) Solleva(ErrChiamataNonValida);
  if (c == vbTextCompare) {
    std::u32string a = InCodici(s), b = InCodici(cerca);
    for (auto& x : a) x = Minuscola(x);
    for (auto& x : b) x = Minuscola(x);
    if (static_cast<size_t>(inizio - 1) > a.size()) return 0;
    size_t p = a.find(b, static_cast<size_t>(inizio - 1));
    return p == std::u32string::npos ? 0 : static_cast<long>(p) + 1;
  }
  if (SoloAscii(s)) {
    if (static_cast<size_t>(inizio - 1) > s.size()) return 0;
    size_t p = s.find(cerca, static_cast<size_t>(inizio - 1));
    return p == std::string_view::npos ? 0 : static_cast<long>(p) + 1;
  }
  std::u32string a = InCodici(s), b = InCodici(cerca);
  if (static_cast<size_t>(inizio - 1) > a.size()) return 0;
  size_t p = a.find(b, static_cast<size_t>(inizio - 1));
  return p == std::u32string::npos ? 0 : static_cast<long>(p) + 1;
}

long InStrRev(std::string_view s, std::string_view cerca, long inizio, Confronto c) {
  std::u32string a = InCodici(s), b = InCodici(cerca);
  if (c == vbTextCompare) {
    for (auto& x : a) x = Minuscola(x);
    for (auto& x : b) x = Minuscola(x);
  }
  if (inizio == 0 || inizio < -1) Solleva(ErrChiamataNonValida);
  if (inizio != -1 && static_cast<size_t>(inizio) > a.size()) return 0;
  size_t fine = inizio == -1 ? a.size() : static_cast<size_t>(inizio);
  if (b.size() > fine) return 0;
  size_t p = a.rfind(b, fine - b.size());
  return p == std::u32string::npos ? 0 : static_cast<long>(p) + 1;
}

std::string Replace(std::string_view s, std::string_view cerca, std::string_view con,
                    long inizio, long quanti, Confronto c) {
  if (inizio < 1) Solleva(ErrChiamataNonValida);
  std::u32string a = InCodici(s);
  if (static_cast<size_t>(inizio - 1) > a.size()) return {};
  a.erase(0, static_cast<size_t>(inizio - 1));
  if (cerca.empty() || quanti == 0) return DaCodici(a);
  std::u32string b = InCodici(cerca), w = InCodici(con);
  std::u32string pa = a, pb = b;
  if (c == vbTextCompare) {
    for (auto& x : pa) x = Minuscola(x);
    for (auto& x : pb) x = Minuscola(x);
  }
  std::u32string out;
  size_t i = 0;
  long fatti = 0;
  while (true) {
    size_t p = (quanti < 0 || fatti < quanti) ? pa.find(pb, i) : std::u32string::npos;
    if (p == std::u32string::npos) {
      out.append(a, i, std::u32string::npos);
      break;
    }
    out.append(a, i, p - i);
    out += w;
    i = p + b.size();
    ++fatti;
  }
  return DaCodici(out);
}

std::vector<std::string> Split(std::string_view s, std::string_view sep, long limite, Confronto c) {
  std::vector<std::string> out;
  if (s.empty() || limite == 0) return out;
  if (sep.empty() || limite == 1) {
    out.emplace_back(s);
    return out;
  }
  std::string piegata = c == vbTextCompare ? Piega(s) : std::string();
  std::string sepP = c == vbTextCompare ? Piega(sep) : std::string();
  // Case folding keeps byte lengths for the letters it maps within one
  // UTF-8 length class; fall back to code points when it does not.
  if (c == vbTextCompare && (piegata.size() != s.size() || sepP.size() != sep.size())) {
    std::u32string a = InCodici(s), b = InCodici(sep), pa = a, pb = b;
    for (auto& x : pa) x = Minuscola(x);
    for (auto& x : pb) x = Minuscola(x);
    size_t i = 0;
    while (true) {
      if (limite > 0 && static_cast<long>(out.size()) == limite - 1) break;
      size_t p = pa.find(pb, i);
      if (p == std::u32string::npos) break;
      out.push_back(DaCodici(a.substr(i, p - i)));
      i = p + b.size();
    }
    out.push_back(DaCodici(a.substr(i)));
    return out;
  }
  std::string_view dove = c == vbTextCompare ? std::string_view(piegata) : s;
  std::string_view cosa = c == vbTextCompare ? std::string_view(sepP) : sep;
  size_t i = 0;
  while (true) {
    if (limite > 0 && static_cast<long>(out.size()) == limite - 1) break;
    size_t p = dove.find(cosa, i);
    if (p == std::string_view::npos) break;
    out.emplace_back(s.substr(i, p - i));
    i = p + sep.size();
  }
  out.emplace_back(s.substr(i));
  return out;
}

std::string Join(const std::vector<std::string>& parti, std::string_view sep) {
  std::string out;
  for (size_t i = 0; i < parti.size(); ++i) {
    if (i) out += sep;
    out += parti[i];
  }
  return out;
}

int StrComp(std::string_view a, std::string_view b, Confronto c) {
  if (c == vbTextCompare && SoloAscii(a) && SoloAscii(b)) {
    // Names and codes are mostly plain ASCII: no decoding needed.
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      unsigned char p = static_cast<unsigned char>(a[i]), q = static_cast<unsigned char>(b[i]);
      if (p >= 'A' && p <= 'Z') p = static_cast<unsigned char>(p + 32);
      if (q >= 'A' && q <= 'Z') q = static_cast<unsigned char>(q + 32);
      if (p != q) return p < q ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  if (c == vbTextCompare) {
    std::u32string x = InCodici(a), y = InCodici(b);
    size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
      char32_t p = Minuscola(x[i]), q = Minuscola(y[i]);
      if (p != q) return p < q ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
  }
  int r = a.compare(b);  // UTF-8 byte order is code point order
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

namespace {

bool LikeDa(const std::u32string& t, size_t i, const std::u32string& p, size_t j) {
  while (j < p.size()) {
    char32_t c = p[j];
    if (c == U'*') {
      while (j < p.size() && p[j] == U'*') ++j;
      if (j == p.size()) return true;
      for (size_t k = i; k <= t.size(); ++k)
        if (LikeDa(t, k, p, j)) return true;
      return false;
    }
    if (i >= t.size()) return false;
    if (c == U'?') {
      ++i;
      ++j;
    } else if (c == U'#') {
      if (t[i] < U'0' || t[i] > U'9') return false;
      ++i;
      ++j;
    } else if (c == U'[') {
      size_t f = p.find(U']', j + 1);
      if (f == std::u32string::npos) {  // no class: a literal "["
        if (t[i] != c) return false;
        ++i;
        ++j;
        continue;
      }
      size_t k = j + 1;
      bool nega = k < f && p[k] == U'!';
      if (nega) ++k;
      bool dentro = false;
      for (; k < f; ++k) {
        if (k + 2 < f && p[k + 1] == U'-') {
          if (t[i] >= p[k] && t[i] <= p[k + 2]) dentro = true;
          k += 2;
        } else if (t[i] == p[k]) {
          dentro = true;
        }
      }
      if (dentro == nega) return false;
      ++i;
      j = f + 1;
    } else {
      if (t[i] != c) return false;
      ++i;
      ++j;
    }
  }
  return i == t.size();
}

}  // namespace

bool Like(std::string_view testo, std::string_view schema, Confronto c) {
  std::u32string t = InCodici(testo), p = InCodici(schema);
  if (c == vbTextCompare) {
    for (auto& x : t) x = Minuscola(x);
    for (auto& x : p) x = Minuscola(x);
  }
  return LikeDa(t, 0, p, 0);
}

std::string Space(long n) { return n <= 0 ? std::string() : std::string(static_cast<size_t>(n), ' '); }

std::string StringDi(long n, std::string_view carattere) {
  if (n < 0) Solleva(ErrChiamataNonValida);
  std::string primo = Left(carattere, 1);
  std::string out;
  for (long i = 0; i < n; ++i) out += primo;
  return out;
}

}  // namespace vb

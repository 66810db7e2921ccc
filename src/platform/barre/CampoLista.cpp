#include "platform/barre/CampoLista.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Controllo.h"

namespace barre {
namespace navlib {

namespace {

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// An integer written with an optional sign and digits only.
std::optional<long long> Intero(const std::string& s) {
  size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  if (i == s.size() || s.size() - i > 18) return std::nullopt;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (!Cifra(s[i])) return std::nullopt;
    v = v * 10 + (s[i] - '0');
  }
  return neg ? -v : v;
}

// A decimal number in the Italian way: "1234,5", "1.234,5", "-0,25"; a point
// alone followed by other than three digits is read as the decimal point
// ("12.5"), as the utility object reads it.
std::optional<double> Decimale(const std::string& s) {
  size_t i = 0;
  std::string norm;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) norm += s[i++];
  const size_t virgola = s.find(',');
  const size_t punti = s.find('.');
  bool cifre = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (Cifra(c)) {
      norm += c;
      cifre = true;
    } else if (c == ',') {
      if (i != virgola) return std::nullopt;
      norm += '.';
    } else if (c == '.') {
      if (virgola != std::string::npos) {
        if (i > virgola) return std::nullopt;
        // thousands point: exactly three digits follow before the next mark
        size_t j = i + 1, n = 0;
        while (j < s.size() && Cifra(s[j])) ++j, ++n;
        if (n != 3) return std::nullopt;
      } else if (s.find('.', punti + 1) != std::string::npos) {
        size_t j = i + 1, n = 0;
        while (j < s.size() && Cifra(s[j])) ++j, ++n;
        if (n != 3) return std::nullopt;
      } else {
        norm += '.';
      }
    } else {
      return std::nullopt;
    }
  }
  if (!cifre) return std::nullopt;
  try {
    size_t usati = 0;
    double v = std::stod(norm, &usati);
    if (usati != norm.size()) return std::nullopt;
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace

CampoLista::CampoLista(std::string nome, ui::Controllo* ctrl, std::string operatore, int tipo,
                       std::string suffisso, vb::Variant vuoto)
    : nome_(std::move(nome)), ctrl_(ctrl), operatore_(vb::Trim(operatore)), tipo_(tipo),
      suffisso_(std::move(suffisso)), vuoto_(std::move(vuoto)) {}

std::string CampoLista::Valore() const {
  if (!ctrl_) return {};
  std::string v = vb::Trim(ctrl_->Text());
  if (!v.empty() && !vuoto_.IsEmpty() && !vuoto_.IsNull() && !vuoto_.IsMissing() && v == vb::Trim(vuoto_.ToString()))
    return {};
  return v;
}

void CampoLista::SetValore(const std::string& v) {
  if (ctrl_) ctrl_->SetText(v);
}

int CampoLista::TipoSql() const {
  switch (tipo_) {
    case 1: return vb::vbBoolean;
    case 2:
    case 3: return vb::vbInteger;
    case 4: return vb::vbLong;
    case 5: return vb::vbCurrency;
    case 6:
    case 7: return vb::vbDouble;
    case 8: return vb::vbDate;
    default: return vb::vbString;
  }
}

vb::Variant CampoLista::ValoreTipo() const {
  const std::string v = Valore();
  if (v.empty()) return {};
  switch (tipo_) {
    case 1: {
      const std::string u = vb::UCase(v);
      if (u == "S" || u == "SI" || u == "SÌ" || u == "VERO" || u == "TRUE" || u == "-1" || u == "1") return true;
      if (u == "N" || u == "NO" || u == "FALSO" || u == "FALSE" || u == "0") return false;
      return {};
    }
    case 2:
    case 3:
    case 4: {
      auto n = Intero(v);
      if (!n) return {};
      const long long lo = tipo_ == 2 ? 0 : tipo_ == 3 ? -32768 : std::numeric_limits<int32_t>::min();
      const long long hi = tipo_ == 2 ? 255 : tipo_ == 3 ? 32767 : std::numeric_limits<int32_t>::max();
      if (*n < lo || *n > hi) return {};
      return static_cast<int32_t>(*n);
    }
    case 5:
    case 6:
    case 7: {
      auto d = Decimale(v);
      if (!d) return {};
      return *d;
    }
    case 8: {
      auto d = vb::Date::Parse(v);
      if (!d) return {};
      return *d;
    }
    default:
      return v;
  }
}

bool CampoLista::Leggibile() const { return Vuoto() || !ValoreTipo().IsEmpty(); }

std::string LikeLetterale(const std::string& testo) {
  std::string r;
  for (char c : testo) {
    if (c == '*' || c == '?' || c == '#' || c == '[') {
      r += '[';
      r += c;
      r += ']';
    } else {
      r += c;
    }
  }
  return r;
}

std::string CampoLista::Condizione() const {
  if (Vuoto()) return {};
  const vb::Variant v = ValoreTipo();
  if (v.IsEmpty()) vb::Solleva(13, "Valore non valido per " + nome_ + ": " + Valore());
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string op = vb::LCase(operatore_);
  if (op == "like*") return nome_ + " like " + fc.ValoreSql(LikeLetterale(v.ToString()) + "*", vb::vbString);
  if (op == "like") return nome_ + " like " + fc.ValoreSql(LikeLetterale(v.ToString()), vb::vbString);
  if (op == "=" || op == "<>" || op == "<" || op == ">" || op == "<=" || op == ">=")
    return nome_ + " " + op + " " + fc.ValoreSql(v, TipoSql());
  vb::Solleva(5, "Operatore di selezione non previsto: " + operatore_);
}

}  // namespace navlib
}  // namespace barre

#include "platform/FunzioniComuni.h"

#include "platform/CollezioneVettori.h"
#include "platform/dati/Recordset.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "platform/Errore.h"
#include "platform/IniFile.h"
#include "platform/Numeri.h"
#include "platform/Percorsi.h"
#include "platform/Testo.h"

namespace vb {

namespace {

bool TestoVuoto(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// Number of a display text: Italian first ("1.234,5"), then the decimal
// point ("12.5") when the points are no thousands grouping.
bool LeggiNumeroTesto(const std::string& s, double& out) {
  Decimale d;
  if (LeggiDecimale(s, StileNumero::Italiano, d) || LeggiDecimale(s, StileNumero::Punto, d)) {
    out = DoubleDaDecimale(d);
    return std::isfinite(out);
  }
  return false;
}

// 0 for empty or non-numeric; the number otherwise.
double NumeroDi(const Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return 0;
  if (const std::string* s = v.StringPtr()) {
    double d;
    return LeggiNumeroTesto(*s, d) ? d : 0;
  }
  if (v.IsDate()) return v.ToDate().Serial();
  return v.ToDouble();
}

std::string Raggruppa(std::string cifre) {
  std::string out;
  int n = static_cast<int>(cifre.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out.push_back('.');
    out.push_back(cifre[i]);
  }
  return out;
}

// Digits of |v| rounded to `dec` decimals (halves away from zero): integer
// part and exactly `dec` decimal digits.
void CifreArrotondate(double v, int dec, std::string& intero, std::string& decimali, bool& neg) {
  double r = ArrotondaDouble(v, ModoArrot::Vicino, 1, -dec);
  Decimale d;
  DecimaleDaDouble(r, d);
  neg = d.negativo;
  std::string c = d.cifre;
  int e = d.esponente;
  if (c.empty()) {
    intero = "0";
    decimali = std::string(static_cast<size_t>(std::max(dec, 0)), '0');
    return;
  }
  if (e >= 0) {
    intero = c + std::string(static_cast<size_t>(e), '0');
    decimali.clear();
  } else {
    size_t nd = static_cast<size_t>(-e);
    if (nd >= c.size()) c = std::string(nd - c.size() + 1, '0') + c;
    intero = c.substr(0, c.size() - nd);
    decimali = c.substr(c.size() - nd);
  }
  decimali.resize(static_cast<size_t>(std::max(dec, 0)), '0');
}

// Formats a number with an integer pattern and decimal signs: '0' fixed,
// '^' or '#' optional.
std::string FormattaNumero(double v, std::string_view schema, std::string_view segniDec) {
  const bool raggruppa = schema.find(',') != std::string_view::npos;
  size_t minimoIntero = 0;
  for (char c : schema)
    if (c == '0') ++minimoIntero;
  const bool nascondiZero = !schema.empty() && minimoIntero == 0;
  int dec = static_cast<int>(segniDec.size());
  std::string intero, decimali;
  bool neg;
  CifreArrotondate(v, dec, intero, decimali, neg);
  // Optional decimals: drop the trailing zeros they cover.
  size_t fisse = 0;
  for (char c : segniDec)
    if (c == '0') ++fisse;
  while (decimali.size() > fisse && decimali.back() == '0' &&
         segniDec[decimali.size() - 1] != '0')
    decimali.pop_back();
  const bool zero = intero == "0" && decimali.find_first_not_of('0') == std::string::npos;
  if (zero && nascondiZero) return "";
  if (zero) neg = false;
  if (intero.size() < minimoIntero) intero = std::string(minimoIntero - intero.size(), '0') + intero;
  std::string s = neg ? "-" : "";
  s += raggruppa ? Raggruppa(intero) : intero;
  if (!decimali.empty()) s += "," + decimali;
  return s;
}

}  // namespace

FunzioniComuni& FunzioniComuni::Istanza() {
  static FunzioniComuni istanza;
  return istanza;
}

bool FunzioniComuni::Vuoto(const Variant& v, int tipo, int, bool) const {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return true;
  if (const std::string* s = v.StringPtr()) {
    if (TestoVuoto(*s)) return true;
    if (tipo == vbDate) return s->find_first_of("0123456789") == std::string::npos;
  }
  return false;
}

int16_t FunzioniComuni::ValInt(const Variant& v, bool, bool) const {
  return static_cast<int16_t>(ArrotondaPari(NumeroDi(v), INT16_MIN, INT16_MAX));
}

int32_t FunzioniComuni::ValLong(const Variant& v, bool, bool) const {
  return static_cast<int32_t>(ArrotondaPari(NumeroDi(v), INT32_MIN, INT32_MAX));
}

double FunzioniComuni::ValDouble(const Variant& v, bool, bool) const { return NumeroDi(v); }

float FunzioniComuni::ValSingle(const Variant& v, bool) const { return Variant(NumeroDi(v)).ToSingle(); }

double FunzioniComuni::ValNumero(const Variant& v, bool) const { return NumeroDi(v); }

Variant FunzioniComuni::ValData(const Variant& v, bool) const {
  if (Vuoto(v, vbDate)) return Variant();
  if (v.IsDate()) return v;
  if (const std::string* s = v.StringPtr()) {
    if (auto d = Date::Parse(*s)) return *d;
    double n;
    if (LeggiNumeroTesto(*s, n) && n >= -657434.0 && n < 2958466.0) return Date::FromSerial(n);
    return Variant();
  }
  double n = v.ToDouble();
  if (n >= -657434.0 && n < 2958466.0) return Date::FromSerial(n);
  return Variant();
}

std::string FunzioniComuni::ValoreSql(const Variant& v, int tipo) const {
  const bool vuoto = Vuoto(v, tipo == vbString ? vbString : tipo);
  switch (tipo) {
    case vbString: {
      if (v.IsNull() || v.IsMissing()) return "Null";
      std::string s = v.ToString();
      std::string out = "'";
      bool nul = false;
      for (char c : s) {
        if (c == '\'') {
          out += "''";
        } else if (c == '\0') {
          out += "' & Chr(0) & '";
          nul = true;
        } else {
          out.push_back(c);
        }
      }
      out += "'";
      return nul ? "(" + out + ")" : out;
    }
    case vbInteger:
    case vbLong:
    case vbByte: {
      if (vuoto) return "Null";
      if (const std::string* s = v.StringPtr()) {
        double d;
        if (!LeggiNumeroTesto(*s, d)) Solleva(ErrTipoNonCorrisp);
        return std::to_string(tipo == vbInteger ? Variant(d).ToInt() : Variant(d).ToLong());
      }
      return std::to_string(tipo == vbInteger ? v.ToInt() : v.ToLong());
    }
    case vbSingle:
    case vbDouble:
    case vbCurrency: {
      if (vuoto) return "Null";
      if (const std::string* s = v.StringPtr()) {
        Currency c;
        if (Currency::TryFromText(*s, c)) return TestoDoubleSql(c.ToDouble());
        double d;
        if (!LeggiNumeroTesto(*s, d)) Solleva(ErrTipoNonCorrisp);
        return TestoDoubleSql(d);
      }
      if (v.VarType() == vbCurrency) {
        std::string t = v.ToCurrency().ToSqlText();
        while (t.back() == '0') t.pop_back();
        if (t.back() == '.') t.pop_back();
        return t;
      }
      return TestoDoubleSql(v.ToDouble());
    }
    case vbDate: {
      Variant d = ValData(v);
      if (d.IsEmpty()) {
        if (vuoto) return "Null";
        Solleva(ErrTipoNonCorrisp);
      }
      Date x = d.ToDate();
      char buf[40];
      if (x.HasTime())
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d %02d:%02d:%02d#", x.Year(), x.Month(),
                      x.Day(), x.Hour(), x.Minute(), x.Second());
      else
        std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", x.Year(), x.Month(), x.Day());
      return buf;
    }
    case vbBoolean:
      if (vuoto) return "Null";
      return v.ToBool() ? "True" : "False";
    default:
      Solleva(ErrChiamataNonValida, "Tipo di valore SQL non previsto: " + std::to_string(tipo));
  }
}

double FunzioniComuni::Arrotonda(const Variant& valore, std::string_view modo, double passo,
                                 std::optional<int> esponente) const {
  double v = NumeroDi(valore);
  ModoArrot m = ModoArrot::Vicino;
  if (UgualeTesto(modo, "S")) m = ModoArrot::Su;
  else if (UgualeTesto(modo, "I")) m = ModoArrot::Giu;
  else if (UgualeTesto(modo, "T")) m = ModoArrot::Tronca;
  return ArrotondaDouble(v, m, passo, esponente.value_or(0));
}

double FunzioniComuni::ElabImporto(Currency dividendo, const Currency& divisore) const {
  if (divisore.Raw() == 0) return 0;
  return dividendo / divisore;
}

long FunzioniComuni::NumRecord(const dati::Recordset& rs) const { return rs.RecordCount(); }

void FunzioniComuni::SvuotaCollezione(CollezioneVettori& c, bool) const { c.Azzera(); }

Variant FunzioniComuni::Massimo(const std::vector<Variant>& valori) const {
  Variant m;
  bool primo = true;
  for (const auto& v : valori) {
    if (v.IsNull() || v.IsMissing()) continue;
    if (primo || Variant::Confronta(v, m) > 0) m = v;
    primo = false;
  }
  return m;
}

Variant FunzioniComuni::Minimo(const std::vector<Variant>& valori) const {
  Variant m;
  bool primo = true;
  for (const auto& v : valori) {
    if (v.IsNull() || v.IsMissing()) continue;
    if (primo || Variant::Confronta(v, m) < 0) m = v;
    primo = false;
  }
  return m;
}

std::string FunzioniComuni::MascheraNum(const Variant& valore, int decimali,
                                        std::string_view segnaposto, bool soloMaschera,
                                        std::string_view schemaIntero, int,
                                        std::string_view prefisso,
                                        std::string_view segnoDecimale) const {
  if (decimali < 0) decimali = 0;
  char segno = !segnaposto.empty() ? segnaposto[0] : (!segnoDecimale.empty() ? segnoDecimale[0] : '^');
  std::string schema(schemaIntero.empty() ? std::string_view("#,###") : schemaIntero);
  std::string dec(static_cast<size_t>(decimali), segno);
  if (soloMaschera) return std::string(prefisso) + schema + (decimali > 0 ? "." + dec : "");
  // "#,##^": the integer digit shows only for a value that is not zero.
  for (char& c : schema)
    if (c == '^') c = '#';
  if (Vuoto(valore, vbDouble)) return FormattaNumero(0, schema, dec);
  return std::string(prefisso) + FormattaNumero(NumeroDi(valore), schema, dec);
}

std::string FunzioniComuni::Formatta(const Variant& valore, std::string_view maschera) const {
  if (UgualeTesto(maschera, "conto")) {
    std::string t = FormatTipo(valore, "conto");
    if (t.empty()) return "";
    std::string out = Left(t, 2);
    if (Len(t) > 2) out += "-" + Mid(t, 3, 2);
    if (Len(t) > 4) out += "-" + Mid(t, 5);
    return out;
  }
  if (Vuoto(valore)) return "";
  std::string m(maschera);
  const bool data = m.find_first_of("dmyhn") != std::string::npos &&
                    m.find_first_of("#^") == std::string::npos;
  if (data) {
    Variant d = ValData(valore);
    if (d.IsEmpty()) return valore.ToString();
    Date x = d.ToDate();
    std::string out;
    // As the legacy Format read it: "m" right after an hour or right before
    // seconds is minutes ("hh:mm"), elsewhere the month.
    char lettera = 0;
    auto prossimaLettera = [&](size_t k) {
      for (; k < m.size(); ++k)
        if (std::isalpha(static_cast<unsigned char>(m[k]))) return m[k];
      return '\0';
    };
    for (size_t i = 0; i < m.size();) {
      size_t j = i;
      while (j < m.size() && m[j] == m[i]) ++j;
      size_t n = j - i;
      char c = m[i];
      if (c == 'm' && (lettera == 'h' || prossimaLettera(j) == 's')) c = 'n';
      if (std::isalpha(static_cast<unsigned char>(c))) lettera = c;
      char buf[16];
      auto due = [&](int v) { std::snprintf(buf, sizeof buf, n >= 2 ? "%02d" : "%d", v); out += buf; };
      if (c == 'd') due(x.Day());
      else if (c == 'm') due(x.Month());
      else if (c == 'y') {
        std::snprintf(buf, sizeof buf, n >= 4 ? "%04d" : "%02d", n >= 4 ? x.Year() : x.Year() % 100);
        out += buf;
      } else if (c == 'h') due(x.Hour());
      else if (c == 'n') due(x.Minute());
      else if (c == 's') due(x.Second());
      else out.append(m, i, n);
      i = j;
    }
    return out;
  }
  // Number masks of the program's notation: integer part, ".", decimals;
  // a final "%" shows the value as a percentage.
  size_t percento = 0;
  while (!m.empty() && m.back() == '%') {
    m.pop_back();
    ++percento;
  }
  size_t punto = m.find('.');
  std::string intero = punto == std::string::npos ? m : m.substr(0, punto);
  std::string dec = punto == std::string::npos ? std::string() : m.substr(punto + 1);
  if (intero.find_first_not_of("#,0^") != std::string::npos ||
      dec.find_first_not_of("#0^") != std::string::npos)
    return valore.ToString();  // not a number mask we know: the plain text
  for (char& c : intero)
    if (c == '^') c = '#';
  if (!valore.IsNumber() && !valore.IsNumeric()) return valore.ToString();
  return FormattaNumero(NumeroDi(valore) * std::pow(100.0, static_cast<double>(percento)), intero, dec) +
         std::string(percento, '%');
}

std::string FunzioniComuni::FormatTipo(const Variant& valore, std::string_view tipo) const {
  if (Vuoto(valore)) return "";
  std::string s = Trim(valore.ToString());
  if (UgualeTesto(tipo, "conto")) {
    std::string out;
    for (char c : s)
      if (c != '-' && c != ' ' && c != '.' && c != '/') out.push_back(c);
    return UCase(out);
  }
  return s;
}

Date FunzioniComuni::FineMese(const Variant& data) const {
  Variant d = ValData(data);
  if (d.IsEmpty()) Solleva(ErrTipoNonCorrisp);
  return d.ToDate().EndOfMonth();
}

Date FunzioniComuni::ComponiData(int giorno, int mese, int anno) const {
  return Date::FromYmd(anno, mese, giorno);
}

long FunzioniComuni::Dividi(std::string_view testo, std::string_view sep,
                            std::vector<std::string>& parti) const {
  parti.assign(1, std::string());
  if (testo.empty()) return 0;
  for (auto& p : Split(testo, sep)) parti.push_back(std::move(p));
  return static_cast<long>(parti.size()) - 1;
}

std::string FunzioniComuni::Sostituisci(std::string_view testo, std::string_view cerca,
                                        std::string_view con) const {
  return Replace(testo, cerca, con, 1, -1, vbTextCompare);
}

std::string FunzioniComuni::Sostituisci(long inizio, std::string_view testo,
                                        std::string_view cerca, std::string_view con,
                                        int confronto) const {
  if (inizio < 1) inizio = 1;
  // Unlike the bare Replace, the text before the start stays in the result.
  std::string prima = Left(testo, inizio - 1);
  return prima + Replace(Mid(testo, inizio), cerca, con, 1, -1,
                         confronto ? vbTextCompare : vbBinaryCompare);
}

bool FunzioniComuni::InElenco(std::string_view voce, std::string_view elenco,
                              std::string_view sep, int confronto) const {
  std::string v = Trim(voce);
  for (const auto& p : Split(elenco, sep.empty() ? std::string_view(";") : sep)) {
    if (StrComp(Trim(p), v, confronto ? vbTextCompare : vbBinaryCompare) == 0) return true;
  }
  return false;
}

long FunzioniComuni::CercaTesto(long lunghezza, std::string_view testo, std::string_view cerca,
                                int confronto) const {
  std::string t = Left(testo, std::max(0L, lunghezza));
  if (cerca.empty() || t.empty()) return 0;
  return InStrRev(t, cerca, -1, confronto ? vbTextCompare : vbBinaryCompare);
}

std::string FunzioniComuni::Riempi(std::string_view testo, long larghezza,
                                   std::string_view riempi, std::string_view lato) const {
  if (larghezza <= 0) return "";
  long n = Len(testo);
  if (n >= larghezza) return UgualeTesto(lato, "D") ? Right(testo, larghezza) : Left(testo, larghezza);
  std::string pad = StringDi(larghezza - n, riempi.empty() ? std::string_view(" ") : riempi);
  return UgualeTesto(lato, "D") ? pad + std::string(testo) : std::string(testo) + pad;
}

std::string FunzioniComuni::LeggiSwitch(std::string_view cmd, std::string_view nome) const {
  if (nome.empty()) return "";
  const std::string s(cmd);
  const long lnome = static_cast<long>(nome.size());
  auto inizioSwitch = [&](size_t i) {
    return (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\t') && (s[i] == '/' || s[i] == '-') &&
           i + 1 < s.size() && std::isalpha(static_cast<unsigned char>(s[i + 1]));
  };
  for (size_t i = 0; i < s.size(); ++i) {
    const bool barra = inizioSwitch(i);
    const bool parola = !barra && (i == 0 || s[i - 1] == ' ' || s[i - 1] == '\t');
    size_t n0 = barra ? i + 1 : i;
    if (!barra && !parola) continue;
    if (n0 + nome.size() > s.size()) continue;
    if (!UgualeTesto(std::string_view(s).substr(n0, nome.size()), nome)) continue;
    size_t dopo = n0 + static_cast<size_t>(lnome);
    if (!barra && (dopo >= s.size() || s[dopo] != '=')) continue;
    // Legacy command lines glue the value to the name ("/M12"), so the name
    // is a prefix: asking for "R" where "/RO" stands reads "O".
    size_t v = dopo;
    if (v < s.size() && (s[v] == '=' || s[v] == ':')) ++v;
    size_t fine = s.size();
    for (size_t k = v; k < s.size(); ++k) {
      if (inizioSwitch(k)) {
        fine = k;
        break;
      }
    }
    std::string valore = s.substr(v, fine - v);
    while (!valore.empty() && (valore.back() == ' ' || valore.back() == '\t')) valore.pop_back();
    valore.erase(0, valore.find_first_not_of(" \t") == std::string::npos ? valore.size()
                                                                          : valore.find_first_not_of(" \t"));
    if (valore.empty()) return s.substr(i, dopo - i);
    return valore;
  }
  return "";
}

std::string FunzioniComuni::ComponiPercorso(std::string_view file, std::string_view unita,
                                            std::string_view cartella) const {
  const std::string tutto = std::string(file) + std::string(unita) + std::string(cartella);
  const bool windows = tutto.find('\\') != std::string::npos ||
                       (unita.size() >= 2 && unita[1] == ':');
  const char sep = windows ? '\\' : '/';
  auto isSep = [](char c) { return c == '\\' || c == '/'; };
  std::string p(unita);
  if (!cartella.empty()) {
    if (!p.empty() && !isSep(p.back()) && !isSep(cartella.front())) p.push_back(sep);
    if (!p.empty() && isSep(p.back()) && isSep(cartella.front())) p.pop_back();
    p += cartella;
  }
  if (!file.empty()) {
    if (!p.empty() && !isSep(p.back())) p.push_back(sep);
    p += file;
  }
  return p;
}

bool FunzioniComuni::EsisteFile(std::string_view percorso) const {
  if (Trim(percorso).empty()) return false;
  return EsisteFileLocale(percorso);
}

std::string FunzioniComuni::CartellaSistema() const { return "C:\\Windows"; }

std::string FunzioniComuni::CartellaDaPercorso(std::string_view percorso) const {
  size_t p = percorso.find_last_of("\\/");
  if (p == std::string_view::npos) return "";
  return std::string(percorso.substr(0, p));
}

std::string FunzioniComuni::PercorsoConFiltro(std::string_view testo,
                                              std::string_view filtro) const {
  std::string t = Trim(testo);
  if (t.empty()) return std::string(filtro);
  char sep = t.find('\\') != std::string::npos ? '\\' : '/';
  if (t.back() == '\\' || t.back() == '/') return t + std::string(filtro);
  std::error_code ec;
  if (std::filesystem::is_directory(PercorsoLocale(t), ec)) return t + sep + std::string(filtro);
  return t;
}

long FunzioniComuni::LeggiIniFile(std::string_view sezione, std::string_view chiave,
                                  const Variant& predefinito, std::string& valore,
                                  std::string_view file) const {
  std::string letto;
  if (!file.empty() && LeggiProfilo(file, sezione, chiave, letto) && !letto.empty()) {
    valore = letto;
  } else {
    valore = predefinito.IsNull() || predefinito.IsMissing() ? "" : predefinito.ToString();
  }
  return Len(valore);
}

long FunzioniComuni::LeggiIni(std::string_view sezione, std::string_view chiave,
                              const Variant& predefinito, std::string& valore,
                              std::string_view file1, const std::string& file2) const {
  std::string letto;
  if (!file1.empty() && LeggiProfilo(file1, sezione, chiave, letto) && !letto.empty()) {
    valore = letto;
    return Len(valore);
  }
  if (!file2.empty() && !UgualeTesto(file1, file2) &&
      LeggiProfilo(file2, sezione, chiave, letto) && !letto.empty()) {
    valore = letto;
    return Len(valore);
  }
  valore = predefinito.IsNull() || predefinito.IsMissing() ? "" : predefinito.ToString();
  return Len(valore);
}

}  // namespace vb

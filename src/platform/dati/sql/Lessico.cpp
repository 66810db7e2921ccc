#include "platform/dati/sql/Lessico.h"

#include "platform/Errore.h"
#include "platform/dati/Motore.h"

namespace dati::sql {

namespace {

bool Lettera(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool Cifra(unsigned char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Errore(std::string_view sql, size_t pos, const std::string& cosa) {
  vb::Solleva(ErrSintassi, "Errore di sintassi nell'istruzione SQL alla posizione " +
                               std::to_string(pos + 1) + ": " + cosa + " (" +
                               std::string(sql.substr(pos, 30)) + ")");
}

}  // namespace

std::vector<Token> Analizza(std::string_view s) {
  std::vector<Token> out;
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    const size_t inizio = i;
    if (c == '\'' || c == '"') {
      std::string v;
      ++i;
      while (true) {
        if (i >= n) Errore(s, inizio, "testo non chiuso");
        if (s[i] == static_cast<char>(c)) {
          if (i + 1 < n && s[i + 1] == static_cast<char>(c)) {
            v.push_back(static_cast<char>(c));
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        v.push_back(s[i++]);
      }
      out.push_back({TipoToken::Testo, std::move(v), inizio});
      continue;
    }
    if (c == '[' || c == '`') {
      char chiusa = c == '[' ? ']' : '`';
      size_t f = s.find(chiusa, i + 1);
      if (f == std::string_view::npos) Errore(s, inizio, "nome non chiuso");
      out.push_back({TipoToken::NomeQuot, std::string(s.substr(i + 1, f - i - 1)), inizio});
      i = f + 1;
      continue;
    }
    if (c == '#') {
      size_t f = s.find('#', i + 1);
      if (f == std::string_view::npos || f - i > 40) Errore(s, inizio, "data non chiusa");
      out.push_back({TipoToken::DataLit, std::string(s.substr(i + 1, f - i - 1)), inizio});
      i = f + 1;
      continue;
    }
    if (Cifra(c) || (c == '.' && i + 1 < n && Cifra(static_cast<unsigned char>(s[i + 1])) &&
                     (out.empty() || out.back().tipo == TipoToken::Simbolo))) {
      // A name may begin with digits ("0_RigheDdt", "0Rad_FileDaOrdi").
      size_t j = i;
      while (j < n && Cifra(static_cast<unsigned char>(s[j]))) ++j;
      if (j < n && Lettera(static_cast<unsigned char>(s[j])) &&
          !((s[j] == 'e' || s[j] == 'E') && j + 1 < n &&
            (Cifra(static_cast<unsigned char>(s[j + 1])) ||
             ((s[j + 1] == '+' || s[j + 1] == '-') && j + 2 < n &&
              Cifra(static_cast<unsigned char>(s[j + 2])))) &&
            [&] {  // "1e5" is a number only when nothing name-like follows
              size_t k = j + 1;
              if (s[k] == '+' || s[k] == '-') ++k;
              while (k < n && Cifra(static_cast<unsigned char>(s[k]))) ++k;
              return k >= n || !Lettera(static_cast<unsigned char>(s[k]));
            }())) {
        while (j < n && (Lettera(static_cast<unsigned char>(s[j])) || Cifra(static_cast<unsigned char>(s[j])))) ++j;
        out.push_back({TipoToken::Nome, std::string(s.substr(i, j - i)), inizio});
        i = j;
        continue;
      }
      j = i;
      while (j < n && Cifra(static_cast<unsigned char>(s[j]))) ++j;
      if (j < n && s[j] == '.' && j + 1 <= n) {
        ++j;
        while (j < n && Cifra(static_cast<unsigned char>(s[j]))) ++j;
      }
      if (j < n && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < n && Cifra(static_cast<unsigned char>(s[k]))) {
          while (k < n && Cifra(static_cast<unsigned char>(s[k]))) ++k;
          j = k;
        }
      }
      out.push_back({TipoToken::Numero, std::string(s.substr(i, j - i)), inizio});
      i = j;
      continue;
    }
    if (Lettera(c)) {
      size_t j = i;
      while (j < n && (Lettera(static_cast<unsigned char>(s[j])) || Cifra(static_cast<unsigned char>(s[j])) ||
                       s[j] == '$'))
        ++j;
      out.push_back({TipoToken::Nome, std::string(s.substr(i, j - i)), inizio});
      i = j;
      continue;
    }
    static const char* doppi[] = {"<=", ">=", "<>", "!="};
    bool fatto = false;
    for (const char* d : doppi) {
      if (s.substr(i, 2) == d) {
        out.push_back({TipoToken::Simbolo, d, inizio});
        i += 2;
        fatto = true;
        break;
      }
    }
    if (fatto) continue;
    if (std::string_view("=<>+-*/\\&^(),.;!").find(static_cast<char>(c)) != std::string_view::npos) {
      out.push_back({TipoToken::Simbolo, std::string(1, static_cast<char>(c)), inizio});
      ++i;
      continue;
    }
    Errore(s, inizio, "carattere non previsto");
  }
  out.push_back({TipoToken::Fine, "", n});
  return out;
}

}  // namespace dati::sql

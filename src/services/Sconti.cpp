// Discount chains: the check of a typed chain, its fold into one
// percentage and the join of several discount fields into one chain.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/Calcolo.h"

namespace AziendaUtil {

namespace {

constexpr std::string_view kCaratteriSconto = "1234567890+- ,";

bool Segno(char c) { return c == '+' || c == '-'; }

// One number of a chain, blanks around it already gone: digits with at
// most one decimal comma. A blank inside ("1 0") or a second comma
// ("10,5,3") would be read by the fold as some other number than the one
// the user meant, so the chain is refused instead.
bool NumeroValido(std::string_view termine) {
  size_t a = termine.find_first_not_of(' ');
  if (a == std::string_view::npos) return true;  // "10+" or "-5": an empty term
  size_t b = termine.find_last_not_of(' ');
  std::string_view t = termine.substr(a, b - a + 1);
  int virgole = 0;
  bool cifre = false;
  for (char c : t) {
    if (c == ' ') return false;
    if (c == ',') ++virgole;
    else cifre = true;
  }
  return virgole <= 1 && (cifre || virgole == 0);
}

}  // namespace

bool VerifSconto(const std::string& psSconto) {
  const std::string compatto = vb::FunzioniComuni::Istanza().Sostituisci(psSconto, " ", "");
  for (const char* coppia : {"+-", "-+", "--", "++"})
    if (compatto.find(coppia) != std::string::npos) return false;
  for (char c : compatto)
    if (kCaratteriSconto.find(c) == std::string_view::npos) return false;
  size_t inizio = 0;
  for (size_t i = 0; i <= psSconto.size(); ++i) {
    if (i == psSconto.size() || Segno(psSconto[i])) {
      if (!NumeroValido(std::string_view(psSconto).substr(inizio, i - inizio))) return false;
      inizio = i + 1;
    }
  }
  return true;
}

double CalcPercSconto(const std::string& psSconto, bool& pbErrore, double pdInizio,
                      int16_t piNumDec) {
  pbErrore = false;
  if (vb::Trim(psSconto).empty()) return pdInizio;
  if (!VerifSconto(psSconto)) {
    pbErrore = true;
    return pdInizio;
  }
  const auto& fc = vb::FunzioniComuni::Istanza();
  // The check admits blanks only between the terms: without them each
  // number text is exactly the number typed.
  const std::string c = fc.Sostituisci(psSconto, " ", "");
  double acc = pdInizio;
  std::string numero;
  for (size_t i = 0; i < c.size(); ++i) {
    const char ch = c[i];
    const bool ultimo = i + 1 == c.size();
    if (Segno(ch) || ultimo) {
      if (ultimo && ch >= '0' && ch <= '9') numero.push_back(ch);
      const double d = fc.ValDouble(vb::Variant(numero));
      acc = 100 - ((100 - acc) * (100 - d)) / 100;
      numero.clear();
    }
    numero.push_back(ch);
  }
  acc = calcolo::Pulisci(acc);
  if (piNumDec != -999) acc = calcolo::Arr(acc, "A", piNumDec);
  return acc;
}

std::string UnisciSconti(const std::vector<vb::Variant>& pvSconti) {
  std::string ris;
  for (const auto& v : pvSconti) {
    std::string voce = vb::Trim(v.ToString());
    if (voce.empty() || voce == "0") continue;
    if (!ris.empty() && !Segno(voce[0])) ris += "+";
    ris += voce;
  }
  return ris;
}

bool VerifScontoPagInDet(const std::string& psCodice, const std::string& psSezione,
                         const vb::Variant&) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const auto& leggi = G().gfLeggiParPers;
  vb::Variant elenco = leggi ? leggi(psSezione, "ScontoPagInDet", vb::Variant("")) : vb::Variant("");
  if (fc.Vuoto(elenco) || fc.Vuoto(vb::Variant(psCodice))) return false;
  // Whole items: "XA1" is another document type than "A1".
  return fc.InElenco(psCodice, elenco.ToString(), ",", 1);
}

}  // namespace AziendaUtil

// The next lot code of a load: prefix + the owner's highest number + 1.
#include <string>

#include "common/Globali.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace UtilLotto {

namespace {

// Digits without their leading zeros ("" for zero).
std::string SenzaZeri(const std::string& cifre) {
  const size_t i = cifre.find_first_not_of('0');
  return i == std::string::npos ? std::string() : cifre.substr(i);
}

// a > b for two numbers written without leading zeros.
bool Maggiore(const std::string& a, const std::string& b) {
  return a.size() != b.size() ? a.size() > b.size() : a > b;
}

// The number written in digits plus one: as long as it needs to be.
std::string PiuUno(std::string cifre) {
  for (size_t i = cifre.size(); i-- > 0;) {
    if (cifre[i] != '9') {
      ++cifre[i];
      return cifre;
    }
    cifre[i] = '0';
  }
  return "1" + cifre;
}

}  // namespace

std::string GeneraLotto(const std::string& psPrefisso, int16_t piLarghezza, const std::string& psGruppo,
                        const std::string& psMastro, const std::string& psConto, const std::string& psArticolo) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto tx = [&](const std::string& v) { return fc.ValoreSql(v, vb::vbString); };
  std::string sql = "Select Lotto from Lotti Where GruppoCliFor = " + tx(psGruppo) +
                    " And MastroCliFor = " + tx(psMastro) + " And ContoCliFor = " + tx(psConto);
  if (!psArticolo.empty()) sql += " And Articolo = " + tx(psArticolo);
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  std::string massimo;  // highest number found, no leading zeros
  const size_t l = psPrefisso.size();
  while (!rs.FineRec(k)) {
    const std::string codice = servizi::Testo(rs.LeggiCampo(k, "Lotto"));
    if (codice.size() > l && vb::UgualeTesto(codice.substr(0, l), psPrefisso)) {
      const std::string resto = codice.substr(l);
      if (resto.find_first_not_of("0123456789") == std::string::npos) {
        const std::string n = SenzaZeri(resto);
        if (Maggiore(n, massimo)) massimo = n;
      }
    }
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  std::string cifre = PiuUno(massimo.empty() ? "0" : massimo);
  if (piLarghezza > 0 && static_cast<int>(cifre.size()) < piLarghezza)
    cifre.insert(0, static_cast<size_t>(piLarghezza) - cifre.size(), '0');
  return psPrefisso + cifre;
}

}  // namespace UtilLotto

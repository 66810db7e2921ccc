// The agent's commission reduced for the discount of a line.
#include <algorithm>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/Calcolo.h"
#include "services/DbDitta.h"

namespace AziendaUtil {

namespace {

// Not determined yet: the line has not sought its rule since its article
// changed.
constexpr double kNonDeterminata = -2;

// A reduction as a chain term: the number without blanks, decimal comma.
std::string Termine(double v) {
  // Fixed point: "1E-05" would not read back as a chain term.
  std::string t = vb::TestoDoubleSql(v);
  for (char& c : t)
    if (c == '.') c = ',';
  return t;
}

double Riduci(double provv, double perc, int decimali) {
  return std::max(0.0, calcolo::Arr(provv * (100 - perc) / 100, "A", decimali));
}

}  // namespace

vb::Variant CalcProvvRidotta(const std::string& psSconto, const vb::Variant& pvProvv,
                             const vb::Variant& pvDecimali, double pdRidTab, double pdRidQta,
                             const std::string& psModScontoQta) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  try {
    int decimali;
    if (pvDecimali.IsMissing()) {
      const auto& leggi = G().gfLeggiParPers;
      decimali = fc.ValInt(leggi ? leggi("Tutti", "RidPercAgenti", vb::Variant(-1)) : vb::Variant(-1));
    } else {
      decimali = fc.ValInt(pvDecimali);
    }

    double r;
    if (pdRidQta == -1 || pdRidQta == kNonDeterminata || vb::UgualeTesto(psModScontoQta, "T") ||
        vb::UgualeTesto(psModScontoQta, "N")) {
      r = pdRidTab;
    } else if (psModScontoQta == "2" || psModScontoQta == "3") {
      r = pdRidQta;
    } else if (pdRidTab == kNonDeterminata) {
      // A table rule not sought yet is no 2 % surcharge on the commission.
      r = pdRidQta;
    } else {
      bool errore = false;
      r = CalcPercSconto(UnisciSconti({Termine(pdRidTab), Termine(pdRidQta)}), errore, 0, 6);
    }

    if (fc.Vuoto(pvProvv) || decimali < 0 || r == -1) return pvProvv;
    const double provv = calcolo::Num(pvProvv);
    if (r > 0) return Riduci(provv, r, decimali);

    bool errore = false;
    const double sconto = CalcPercSconto(psSconto, errore, 0, 6);
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        servizi::DbDitta(), G().gsConnAzienda, "",
        std::string("Select Top 1 * from ScontiProvv") +
            " Where APartireDa <= " + fc.ValoreSql(sconto, vb::vbDouble) + " Order by APartireDa Desc",
        false, 4);
    vb::Variant ris = pvProvv;
    if (!rs.NessunRecord(k)) ris = Riduci(provv, fc.ValDouble(rs.LeggiCampo(k, "PercRidProvv")), decimali);
    rs.ChiudiRecordset(k);
    return ris;
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return pvProvv;
  }
}

}  // namespace AziendaUtil

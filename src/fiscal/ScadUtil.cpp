#include "fiscal/ScadUtil.h"

#include <exception>
#include <memory>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"

namespace ScadUtil {

namespace {

// The log of the run in progress; runs never overlap.
int16_t giNumErrScad = 0;
std::string gsErroriScad;
std::string gsFaseScad = "Calcolo scadenze";

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The terms of one run and the running date of the due dates.
struct Termini {
  std::string decorrenza, periodicita, trattamIva;
  int16_t giornoFisso = 0, numGGMM = 0;
  int16_t meseNoEf1 = 0, meseNoEf2 = 0, gioMesSucc1 = 0, gioMesSucc2 = 0;
  std::vector<int16_t> periodo;
  vb::Date corrente;      // R
  vb::Date salvata;       // the unmoved date of a move to a fixed day
  bool ripristina = false;
};

int16_t Intero(dati::GestRecordset& rs, const std::string& k, const std::string& campo) {
  return FC().ValInt(rs.LeggiCampo(k, campo, vb::vbInteger));
}

std::string TestoCampo(dati::GestRecordset& rs, const std::string& k, const std::string& campo) {
  return vb::Trim(rs.LeggiCampo(k, campo).ToString());
}

// The next due date, stepped from the running date and moved out of the
// months the customer excludes.
vb::Date ProssimaScadenza(Termini& t, int16_t k) {
  if (t.ripristina) {
    t.ripristina = false;
    t.corrente = t.salvata;
  }
  const std::string& p = t.periodicita;
  const bool fineMese = (t.decorrenza == "F" || t.decorrenza == "S") && t.giornoFisso == 0;
  if (p == "M" || p == "T") {
    const int mesi = p == "M" ? t.numGGMM : t.periodo[static_cast<size_t>(k)];
    t.corrente = t.corrente.Add("m", mesi);
    if (fineMese) t.corrente = t.corrente.EndOfMonth();
  } else if (p == "G" || p == "A") {
    const int giorni = p == "G" ? t.numGGMM : t.periodo[static_cast<size_t>(k)];
    t.corrente = t.corrente.AddDays(giorni);
  }
  vb::Date e = t.corrente;
  const int mese = t.corrente.Month();
  int16_t gioMesSucc = -1;
  if (t.meseNoEf1 != 0 && mese == t.meseNoEf1) gioMesSucc = t.gioMesSucc1;
  else if (t.meseNoEf2 != 0 && mese == t.meseNoEf2) gioMesSucc = t.gioMesSucc2;
  if (gioMesSucc >= 0) {
    e = t.corrente.Add("m", 1);
    int giorno = 0;
    if (t.giornoFisso > 0) {
      giorno = t.giornoFisso;
      if (gioMesSucc > 0) giorno = gioMesSucc;
    } else {
      giorno = gioMesSucc;
    }
    if (gioMesSucc > 0) {
      t.salvata = t.corrente;
      t.ripristina = true;
    }
    if (giorno != 0) e = vb::Date::FromYmd(e.Year(), e.Month(), giorno);
    t.corrente = e;
    // Two excluded months in a row: the customer's terms cannot be kept,
    // and saying so beats a due date in a month the customer refuses.
    const int nuovo = e.Month();
    if ((t.meseNoEf1 != 0 && nuovo == t.meseNoEf1) || (t.meseNoEf2 != 0 && nuovo == t.meseNoEf2))
      AggErrore(0, "Scadenza del " + e.ToDateText() + " in un mese escluso anche dopo lo spostamento");
  }
  return e;
}

}  // namespace

void AggErrore(long plNumErr, const std::string& psDescr) {
  if (giNumErrScad < 30) {
    gsErroriScad += "Errore n°" + std::to_string(FC().CodiceErrore(plNumErr)) + " : " + psDescr + " in " +
                    gsFaseScad + "\r\n";
  } else if (giNumErrScad == 30) {
    gsErroriScad += "..............";
  }
  if (giNumErrScad < INT16_MAX) ++giNumErrScad;
}

double LimitaImporto(double pdMin, double pdMax, double pdValore) {
  if (pdMin > 0 && FunVarie::ArrotConfronta(vb::Variant(pdValore), vb::Variant(pdMin), -8) < 0) return pdMin;
  if (pdMax > 0 && FunVarie::ArrotConfronta(vb::Variant(pdValore), vb::Variant(pdMax), -8) > 0) return pdMax;
  return pdValore;
}

void CalcScadenze(vb::Date ptData, double pdImp, double pdIva, const std::string& psPagamento,
                  const std::string& psGruppo, const std::string& psMastro, const std::string& psConto,
                  int16_t piNumDec, std::vector<vb::Date>& ptScad, std::vector<double>& pdImpScad,
                  int16_t& piNumScad, int16_t& piNumErr, std::string& psErrori, int16_t piModoBolli,
                  vb::Currency pdPercBollo, std::vector<double>& pvBolliScad, vb::Currency pdArrotBollo,
                  const std::string& psArrotBollo, double pdMinBollo, double pdMaxBollo,
                  vb::Date& ptDecorrenza) {
  double a0 = pdImp;
  if (piModoBolli == 2)
    for (size_t i = 1; i < pvBolliScad.size(); ++i) a0 -= pvBolliScad[i];

  giNumErrScad = 0;
  gsErroriScad.clear();
  gsFaseScad = "Calcolo scadenze";
  // Outputs start empty: a run that fails hands back nothing of an earlier one.
  piNumScad = 0;
  ptScad.assign(1, vb::Date());
  pdImpScad.assign(1, 0.0);
  if (piModoBolli == 1) pvBolliScad.assign(1, 0.0);
  ptDecorrenza = vb::Date();

  auto importo = [piNumDec](double v) { return calcolo::Arr(v, "A", piNumDec); };
  auto spesa = [&](double x) {
    const double arrotondata = FC().Arrotonda(vb::Variant(calcolo::Pulisci(pdPercBollo.ToDouble() * x / 100)),
                                              psArrotBollo, pdArrotBollo.ToDouble());
    return LimitaImporto(pdMinBollo, pdMaxBollo, arrotondata);
  };

  auto rs = std::make_unique<dati::GestRecordset>();
  std::string kPag, kCli;
  try {
    if (FC().Vuoto(vb::Variant(psPagamento))) {
      piNumErr = 0;
      psErrori.clear();
      return;
    }
    dati::GestDatabase& db = fiscal::DbAzienda();
    kPag = rs->ApriRecordset(db, G().gsConnAzienda, "",
                             "Select * From Pagamenti Where Pagamenti.Pagamento = " +
                                 FC().ValoreSql(vb::Variant(psPagamento), vb::vbString),
                             false, 4);
    if (rs->NessunRecord(kPag)) {
      vb::Solleva(0, "Manca il pagamento con codice :" + psPagamento);
    }
    kCli = rs->ApriRecordset(db, G().gsConnAzienda, "",
                             "Select * From PianoConti Where" + std::string(" PianoConti.Gruppo = ") +
                                 FC().ValoreSql(vb::Variant(psGruppo), vb::vbString) +
                                 " And PianoConti.Mastro = " + FC().ValoreSql(vb::Variant(psMastro), vb::vbString) +
                                 " And PianoConti.Conto = " + FC().ValoreSql(vb::Variant(psConto), vb::vbString),
                             false, 4);
    if (rs->NessunRecord(kCli))
      vb::Solleva(0, "Manca il cliente con codice :" + psGruppo + "-" + psMastro + "-" + psConto);

    Termini t;
    t.decorrenza = vb::UCase(TestoCampo(*rs, kPag, "Decorrenza"));
    t.periodicita = vb::UCase(TestoCampo(*rs, kPag, "Periodicita"));
    const int16_t n = Intero(*rs, kPag, "NumScad");
    t.trattamIva = vb::UCase(TestoCampo(*rs, kPag, "TrattamIva"));
    t.giornoFisso = Intero(*rs, kPag, "GiornoFisso");
    t.numGGMM = Intero(*rs, kPag, "NumGGMM");
    t.meseNoEf1 = Intero(*rs, kCli, "MeseNoEf1");
    t.meseNoEf2 = Intero(*rs, kCli, "MeseNoEf2");
    t.gioMesSucc1 = Intero(*rs, kCli, "GioMesSucc1");
    t.gioMesSucc2 = Intero(*rs, kCli, "GioMesSucc2");

    if (n < 0) vb::Solleva(0, "Numero di scadenze negativo nel pagamento " + psPagamento);

    if (n == 0) {
      // One instalment on the document date for the whole amount.
      piNumScad = 1;
      ptScad.assign(2, vb::Date());
      pdImpScad.assign(2, 0.0);
      ptScad[1] = ptData;
      pdImpScad[1] = importo(a0 + pdIva);
      if (piModoBolli == 1) {
        pvBolliScad.assign(2, 0.0);
        pvBolliScad[1] = spesa(pdImpScad[1]);
      }
      if (piModoBolli > 0) pdImpScad[1] = calcolo::Pulisci(pdImpScad[1] + pvBolliScad.at(1));
      ptDecorrenza = ptData;
    } else {
      if (n == 1 && t.trattamIva == "U") t.trattamIva = "P";
      const size_t dim = static_cast<size_t>(n) + 1;
      ptScad.assign(dim, vb::Date());
      pdImpScad.assign(dim, 0.0);
      if (piModoBolli == 1) pvBolliScad.assign(dim, 0.0);
      t.periodo.assign(dim, 0);
      std::vector<double> percentuale(dim, 0.0);
      for (int16_t i = 1; i <= n; ++i) {
        t.periodo[static_cast<size_t>(i)] = Intero(*rs, kPag, "Periodo" + std::to_string(i));
        percentuale[static_cast<size_t>(i)] =
            FC().ValDouble(rs->LeggiCampo(kPag, "Percentuale" + std::to_string(i), vb::vbDouble));
      }

      // The start date.
      vb::Date s = ptData;
      if (t.decorrenza == "F") {
        s = ptData.EndOfMonth();
        if (t.giornoFisso > 0) s = s.AddDays(t.giornoFisso);
      } else if (t.decorrenza == "S") {
        s = ptData.Add("m", 1).EndOfMonth();
        if (t.giornoFisso > 0) s = s.AddDays(t.giornoFisso);
      } else if (t.decorrenza == "D") {
        if (t.giornoFisso > 0) {
          s = vb::Date::FromYmd(ptData.Year(), ptData.Month(), t.giornoFisso);
          if (t.giornoFisso < ptData.Day()) s = s.Add("m", 1);
        }
      }
      t.corrente = s;
      ptDecorrenza = s;

      int16_t primo = 1;
      double a = a0;
      if (t.trattamIva == "U") {
        ptScad[1] = ProssimaScadenza(t, 1);
        pdImpScad[1] = importo(pdIva);
        if (piModoBolli == 1) pvBolliScad[1] = spesa(pdIva);
        primo = 2;
      } else if (t.trattamIva != "P") {
        a = a0 + pdIva;
      }

      const std::string& p = t.periodicita;
      if (primo > n) {
        // A single instalment that already carries the VAT: the rest of the
        // amount goes on it too, nothing is divided among zero instalments.
        pdImpScad[static_cast<size_t>(n)] = importo(pdImpScad[static_cast<size_t>(n)] + a);
        if (piModoBolli == 1) pvBolliScad[static_cast<size_t>(n)] = spesa(pdImpScad[static_cast<size_t>(n)]);
      } else if (p == "M" || p == "G") {
        const int m = t.trattamIva == "U" ? n - 1 : n;
        const double q = importo(a / m);
        const double residuo = calcolo::Pulisci(a - q * m);
        for (int16_t i = primo; i <= n; ++i) {
          ptScad[static_cast<size_t>(i)] = ProssimaScadenza(t, 1);
          pdImpScad[static_cast<size_t>(i)] = q;
          if (piModoBolli == 1 && i < n) pvBolliScad[static_cast<size_t>(i)] = spesa(q);
        }
        pdImpScad[static_cast<size_t>(n)] = importo(pdImpScad[static_cast<size_t>(n)] + residuo);
        if (piModoBolli == 1) pvBolliScad[static_cast<size_t>(n)] = spesa(pdImpScad[static_cast<size_t>(n)]);
      } else if (p == "T" || p == "A") {
        double residuo = a;
        for (int16_t i = primo; i <= n; ++i) {
          const size_t ii = static_cast<size_t>(i);
          ptScad[ii] = ProssimaScadenza(t, i);
          pdImpScad[ii] = percentuale[ii] == 0 ? importo(a / (n - primo + 1)) : importo(a * percentuale[ii] / 100);
          residuo = calcolo::Pulisci(residuo - pdImpScad[ii]);
          if (piModoBolli == 1 && i < n) pvBolliScad[ii] = spesa(pdImpScad[ii]);
        }
        pdImpScad[static_cast<size_t>(n)] = importo(pdImpScad[static_cast<size_t>(n)] + residuo);
        if (piModoBolli == 1) pvBolliScad[static_cast<size_t>(n)] = spesa(pdImpScad[static_cast<size_t>(n)]);
      } else {
        // Terms without a known step cannot give due dates: an error, not
        // a schedule of empty dates.
        AggErrore(0, "Periodicità sconosciuta '" + t.periodicita + "' nel pagamento " + psPagamento);
      }
      if (t.trattamIva == "P") {
        pdImpScad[1] = importo(pdImpScad[1] + pdIva);
        if (piModoBolli == 1) pvBolliScad[1] = spesa(pdImpScad[1]);
      }
      if (piModoBolli > 0)
        for (int16_t i = 1; i <= n; ++i)
          pdImpScad[static_cast<size_t>(i)] =
              calcolo::Pulisci(pdImpScad[static_cast<size_t>(i)] + pvBolliScad.at(static_cast<size_t>(i)));
      piNumScad = n;
    }
  } catch (const vb::Errore& e) {
    AggErrore(e.Number(), e.Description());
  } catch (const std::exception& e) {
    AggErrore(vb::ErrChiamataNonValida, e.what());
  }
  piNumErr = giNumErrScad;
  psErrori = gsErroriScad;
}

}  // namespace ScadUtil

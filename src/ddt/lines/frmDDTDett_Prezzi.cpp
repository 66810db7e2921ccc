// The line's price search, unit price and amount. Unit price, quantity,
// amount and the line's lire and euro values are kept consistent through
// the shared arithmetic; what lands in a field always fits an amount, so a
// value out of range stops the step (an overflow for the caller's error
// dialog) before any field is touched.
#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Currency.h"
#include "platform/Errore.h"
#include "platform/Numeri.h"
#include "services/UtilDocFattGest.h"

using namespace DettUtil;

namespace {

double Finito(double v) {
  if (!std::isfinite(v)) vb::Solleva(vb::ErrOverflow);
  return v;
}

// The number a field holds, 0 when empty or no number. A number beyond
// the range of a Double ("9E999") is no 0: it would have the line computed
// from a value the user never typed.
double Valore(const ui::Controllo& c) {
  const std::string& t = c.Text();
  vb::Decimale d;
  if (vb::LeggiDecimale(t, vb::StileNumero::Italiano, d) || vb::LeggiDecimale(t, vb::StileNumero::Punto, d))
    return Finito(vb::DoubleDaDecimale(d));
  return FC().ValDouble(vb::Variant(t));
}

// An amount or unit price with that many fixed decimals; it must fit the
// four-decimal amount of the line's columns.
std::string TestoValuta(double v, int16_t decimali) {
  const double r = FC().Arrotonda(vb::Variant(Finito(v)), "A", 1, -decimali);
  (void)vb::Currency::FromDouble(r);
  return FC().MascheraNum(vb::Variant(r), decimali, {}, false, "#,##0", 0, {}, "0");
}

// A quantity with at most that many decimals (trailing zeros not shown).
std::string TestoQta(double v, int16_t decimali) {
  return FC().MascheraNum(vb::Variant(Finito(v)), decimali, {}, false, "#,##0", 0, {}, "^");
}

vb::Variant Facoltativo(const std::string& s) { return Vuoto(s) ? vb::Missing : vb::Variant(s); }

}  // namespace

bool frmDDTDett::PrezzoSospeso() const {
  if (txt(20).BackColor() == G().glColoreErrore) return true;
  return ArtConLivelli() && (Vuoto(txt(21).Text()) || Vuoto(txt(22).Text()));
}

void frmDDTDett::LireEuroRiga(double pdImporto, std::string& psLire, std::string& psEuro) const {
  double lire = 0, euro = 0, doc = 0;
  AziendaUtil::ConvLireEuro(vb::Variant(Finito(pdImporto)), Facoltativo(osCambio), Facoltativo(osMonOper),
                            vb::Variant(osMoneta), lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                            vb::Missing, false, false, "E", "E", vb::Missing);
  psLire = vb::Currency::FromDouble(Finito(lire)).ToString();
  psEuro = vb::Currency::FromDouble(Finito(euro)).ToString();
}

void frmDDTDett::CercaListino() {
  try {
    if (PrezzoSospeso()) return;
    CercaPrezzo();
    // A search that failed has shown its error and found nothing to show.
    if (msPrezzoTrovato.empty()) return;
    txt(60).SetText(TestoValuta(FC().ValDouble(vb::Variant(msPrezzoTrovato)), oiNumDecMonGes));
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDDTDett::CercaPrezzo() {
  if (PrezzoSospeso()) return;
  const Globali& g = G();
  // Without levels to price by, the search takes the rows of no level.
  const int16_t flagLiv = ArtConLivelli() ? FC().ValInt(vb::Variant(osFlagLivLis)) : int16_t(-1);
  auto cerca = [&](const std::string& listino, const std::string& ivato) {
    return UtilDocFattGest::RicPrezzo(osQualeImporto, osIntTipo, txt(670).Text(), miAnnoMag, txt(20).Text(),
                                      listino, ivato, osPrzIvato, osDataRif, osMoneta, oiNumDecMonGes,
                                      Valore(txt(150)), txt(140).Text(), odPercIva, osArtLisSconto,
                                      osArtLisModSconto, vb::Variant(flagLiv), vb::Variant(txt(21).Text()),
                                      vb::Variant(txt(22).Text()), Facoltativo(osCambio), Facoltativo(osMonOper));
  };
  // "" is a search stopped by an error it has already shown.
  auto testo = [](const vb::Variant& v) { return v.IsEmpty() || v.ToString().empty() ? std::string() : v.ToString(); };
  msPrezzoTrovato = testo(cerca(osListino, osListIvato));
  if (msPrezzoTrovato.empty()) return;
  if (FC().ValDouble(vb::Variant(msPrezzoTrovato)) == 0 && obCercaListBase) {
    msPrezzoTrovato = testo(cerca(osListBase, osListBaseIvato));
    if (msPrezzoTrovato.empty()) return;
  }

  vb::Currency prezzo = vb::Currency::FromDouble(FC().ValDouble(vb::Variant(msPrezzoTrovato)));
  if (!Uguale(vb::Trim(msSettore), "N")) {
    // The customer's zone takes an amount off every unit; a positive list
    // price never turns negative for it, a negative one stays as it comes.
    const bool negativo = prezzo < vb::Currency();
    double zona = 0;
    if (Opener()) zona = Uguale(osMoneta, g.gsCodLira) ? Opener()->ZonaScontoLire() : Opener()->ZonaSconto();
    prezzo -= vb::Currency::FromDouble(Finito(zona));
    if (!negativo) prezzo = std::max(prezzo, vb::Currency());
  }
  msPrezzoTrovato = prezzo.ToString();

  const bool promozione = Uguale(osArtLisModSconto, "P") || Uguale(osArtLisModSconto, "Q");
  txt(175).SetText(promozione ? "S" : "N");
  che(175).SetValue(promozione ? 1 : 0);
}

void frmDDTDett::CalcPrezzo(int16_t piBaseCalc) {
  const double prezzo = Valore(txt(60));
  if (piBaseCalc != 2 && (piBaseCalc == 1 || prezzo != 0))
    CalcDaUnitario();
  else
    CalcDaTotale();
  std::string lire, euro;
  LireEuroRiga(Valore(txt(70)), lire, euro);
  lab(290).SetCaption(lire);
  lab(300).SetCaption(euro);
}

void frmDDTDett::CalcDaUnitario() {
  const Globali& g = G();
  const double qta = Valore(txt(30));
  const double prezzo = Valore(txt(60));
  const double sconto = Valore(lab(80));
  const double importo = Valore(txt(70));
  if (qta != 0) {
    const double nuovo = AziendaUtil::CalcImporto(prezzo, qta, sconto, g.gbArrUnitIntermedio, oiNumDecMonGes);
    const std::string testo = TestoValuta(nuovo, oiNumDecMon);
    // The amount must also have a value in lire and euro.
    std::string lire, euro;
    LireEuroRiga(FC().ValDouble(vb::Variant(testo)), lire, euro);
    txt(70).SetText(testo);
    return;
  }
  const double netto = AziendaUtil::CalcPrzNetto(prezzo, sconto, false, 0);
  if (netto == 0 || importo == 0) return;
  const double nuova = AziendaUtil::CalcQtaDaImporto(prezzo, importo, sconto, g.gbArrUnitIntermedio, oiNumDecMonGes);
  txt(30).SetText(TestoQta(nuova, g.giNumDecQta));
}

void frmDDTDett::CalcDaTotale() {
  const Globali& g = G();
  const double qta = Valore(txt(30));
  const double prezzo = Valore(txt(60));
  const double sconto = Valore(lab(80));
  const double importo = Valore(txt(70));
  // The amount typed must have a value in lire and euro as well.
  std::string lire, euro;
  LireEuroRiga(importo, lire, euro);
  if (qta != 0) {
    const double nuovo = AziendaUtil::CalcPrzLordo(importo, qta, sconto, false, 0);
    txt(60).SetText(TestoValuta(nuovo, oiNumDecMonGes));
    return;
  }
  if (prezzo == 0 || AziendaUtil::CalcPrzNetto(prezzo, sconto, false, 0) == 0) return;
  const double nuova = AziendaUtil::CalcQtaDaImporto(prezzo, importo, sconto, g.gbArrUnitIntermedio, oiNumDecMonGes);
  txt(30).SetText(TestoQta(nuova, g.giNumDecQta));
}

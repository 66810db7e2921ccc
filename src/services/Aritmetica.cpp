// Price, amount and VAT arithmetic shared by every form, so that the same
// rounding holds on the header, the lines, the levels and the footer.
#include "common/AziendaUtil.h"

#include <cmath>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Testo.h"
#include "services/Calcolo.h"

namespace AziendaUtil {

using calcolo::Arr;
using calcolo::Dividi;
using calcolo::Num;
using calcolo::Pulisci;

namespace {

// Values kept unrounded are still cleaned to eight decimals.
constexpr int kDecPuliti = 8;

bool IvaPerVerso(int16_t piNumDec) {
  return vb::UgualeTesto(G().gsArrotIvaEuro, "S") || piNumDec < 2;
}

}  // namespace

double CalcNetto(const vb::Variant& pvPrezzo, const vb::Variant& pvSconto, int16_t piNumDec,
                 bool pbArrot) {
  const double p = Num(pvPrezzo);
  const double netto = p - p * Num(pvSconto) / 100;
  return pbArrot ? Arr(netto, "A", piNumDec) : Arr(netto, "A", kDecPuliti);
}

double CalcPrzNetto(const vb::Variant& pvPrezzo, const vb::Variant& pvSconto, bool pbArrot,
                    int16_t piNumDec) {
  return CalcNetto(pvPrezzo, pvSconto, piNumDec, pbArrot);
}

double CalcLordo(const vb::Variant& pvNetto, const vb::Variant& pvSconto, int16_t piNumDec,
                 bool pbArrot) {
  const double n = Num(pvNetto);
  const double d = Num(pvSconto);
  // A 100 % discount has no price before it: the net stands for it.
  if (d == 100) return pbArrot ? Arr(n, "A", piNumDec) : n;
  const double lordo = Dividi(100 * n, 100 - d);
  return pbArrot ? Arr(lordo, "A", piNumDec) : Arr(lordo, "A", kDecPuliti);
}

double CalcLordoArr(const vb::Variant& pvNetto, const vb::Variant& pvSconto, bool pbArrot,
                    int16_t piNumDec) {
  return CalcLordo(pvNetto, pvSconto, piNumDec, pbArrot);
}

double CalcImporto(const vb::Variant& pvPrezzo, const vb::Variant& pvQta,
                   const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec) {
  return Pulisci(Num(pvQta) * CalcPrzNetto(pvPrezzo, pvSconto, pbArrot, piNumDec));
}

double CalcQtaDaImporto(const vb::Variant& pvPrezzo, const vb::Variant& pvImporto,
                        const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec) {
  const double netto = CalcPrzNetto(pvPrezzo, pvSconto, false, 0);
  const double qta = Pulisci(Dividi(Num(pvImporto), netto));
  return pbArrot ? Arr(qta, "A", piNumDec) : qta;
}

double CalcPrzLordo(const vb::Variant& pvImporto, const vb::Variant& pvQta,
                    const vb::Variant& pvSconto, bool pbArrot, int16_t piNumDec) {
  return CalcLordoArr(Pulisci(Dividi(Num(pvImporto), Num(pvQta))), pvSconto, pbArrot, piNumDec);
}

double CalcImposta(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec) {
  const double a = Num(pvImporto);
  const double iva = a * Num(pvPercIva) / 100;
  const char* modo = IvaPerVerso(piNumDec) ? (a >= 0 ? "S" : "I") : "A";
  return Arr(iva, modo, piNumDec);
}

double AggiungiIva(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec,
                   const std::string& psModo) {
  if (Num(pvPercIva) == 0) return Num(pvImporto);
  const double a = Arr(Num(pvImporto), psModo, piNumDec);
  return Pulisci(a + CalcImposta(a, pvPercIva, piNumDec));
}

double ScorporaIva(const vb::Variant& pvImporto, const vb::Variant& pvPercIva, int16_t piNumDec) {
  const double g = Num(pvImporto);
  const double r = Num(pvPercIva);
  const bool modoA = !IvaPerVerso(piNumDec);
  if (r == 0) return g;
  const double quoziente = Dividi(g * 100, 100 + r);
  double netto = Arr(quoziente, modoA ? "A" : "T", piNumDec);
  // Rounding the net away from zero may give back a gross beyond the one
  // typed: the truncated net then keeps the VAT-inclusive price whole. By
  // size, so that a credit note mirrors its invoice.
  if (modoA &&
      FunVarie::ArrotConfronta(std::abs(netto + CalcImposta(netto, r, piNumDec)), std::abs(g), -8) == 1)
    netto = Arr(quoziente, "T", piNumDec);
  return netto;
}

}  // namespace AziendaUtil

// The VAT of every key of the summary, the payment discount and the
// expense amounts with VAT, at the three levels of the summary.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/Testo.h"
#include "services/Calcolo.h"

namespace {

vb::Currency Cur(double d) { return vb::Currency::FromDouble(d); }

// Goods and gifts of a level, after the payment discount.
vb::Currency Merce(const ImportiRiepilogo& x, bool pbConOmaggiT) {
  vb::Currency g = x.odSVal + (x.odSValPerSco - x.odScoPagam) + x.odSValOmaggio +
                   (x.odSValOmaggioPerSco - x.odScoPagamOmaggio);
  if (pbConOmaggiT) g += x.odSValOmaggioT;
  return g;
}

vb::Currency SpeseNette(const ImportiRiepilogo& x) {
  return x.odSValSpese + (x.odSValSpesePerSco - x.odScoPagamSpese);
}

vb::Currency SpeseIvate(const ImportiRiepilogo& x) {
  return x.odSValIvSpese + (x.odSValIvSpesePerSco - x.odScoPagamSpese);
}

}  // namespace

void scCalcPiedeFat::CalcIva(const std::string& psPrezziIvati, int16_t piNumDec) {
  msFase = "Calcolo IVA";
  odTotIva = vb::Currency();
  const bool ivati = vb::UgualeTesto(psPrezziIvati, "S");
  auto arr = [piNumDec](vb::Currency c) { return Cur(calcolo::Arr(c.ToDouble(), "A", piNumDec)); };

  for (const auto& pv : ogIve.ocCollIva) {
    scIva& V = *pv;
    const bool esente = V.obIvaEsente;
    auto calc = [&](vb::Currency x) {
      return Cur(AziendaUtil::CalcImposta(vb::Variant(x), vb::Variant(V.odAliquota), piNumDec));
    };
    auto scorpora = [&](vb::Currency x) {
      return Cur(AziendaUtil::ScorporaIva(vb::Variant(x), vb::Variant(V.odAliquota), piNumDec));
    };
    // pbRiga: a cost-centre row, where an exempt code leaves out the gifts
    // "S" and writes no gift amounts.
    auto calcola = [&](ImportiRiepilogo& x, bool pbRiga) {
      if (esente) {
        x.odImpon = Merce(x, !pbRiga) + SpeseNette(x);
        x.odImpos = vb::Currency();
        x.odTotImpoImpos = x.odImpon;
        if (!pbRiga) {
          x.odImpOmaggioT = x.odSValOmaggioT;
          x.odIvaOmaggioT = vb::Currency();
        }
      } else if (!ivati) {
        x.odImpon = Merce(x, true) + SpeseNette(x);
        x.odImpos = calc(x.odImpon);
        x.odTotImpoImpos = x.odImpon + x.odImpos;
        x.odIvaOmaggioT = calc(x.odSValOmaggioT);
        x.odImpOmaggioT = x.odSValOmaggioT;
      } else {
        x.odTotImpoImpos = Merce(x, true) + SpeseIvate(x);
        x.odImpon = scorpora(x.odTotImpoImpos);
        x.odImpos = x.odTotImpoImpos - x.odImpon;
        x.odImpOmaggioT = scorpora(x.odSValOmaggioT);
        x.odIvaOmaggioT = x.odSValOmaggioT - x.odImpOmaggioT;
      }
    };

    V.obForzato = false;
    calcola(V, false);
    if (!esente) {
      if (ivati && FunVarie::ArrotConfronta(vb::Variant(calc(V.odImpon)), vb::Variant(V.odImpos), -8) != 0)
        V.obForzato = true;
      odTotIva += V.odImpos;
    }
    V.odBaseScoPagam = V.odSValPerSco + V.odSValOmaggioPerSco + (ivati ? V.odSValIvSpesePerSco : V.odSValSpesePerSco);
    V.odTotScoPagam = V.odScoPagam + V.odScoPagamOmaggio + V.odScoPagamSpese;

    // Rows, then each account as the rounded sum of its rows.
    vb::Currency totImpon, totImpos, primaImpon, primaImpos;
    scControP* ultimo = nullptr;
    for (const auto& pa : V.ocCollControPte) {
      scControP& A = *pa;
      vb::Currency sImpon, sImpos, sTot, sIvaOmT, sImpOmT;
      for (const auto& pr : A.ocCdcCompetenza) {
        scControPCDCComp& R = *pr;
        calcola(R, true);
        sImpon = arr(sImpon + R.odImpon);
        sImpos = arr(sImpos + R.odImpos);
        sTot = arr(sTot + R.odTotImpoImpos);
        sIvaOmT = arr(sIvaOmT + R.odIvaOmaggioT);
        sImpOmT = arr(sImpOmT + R.odImpOmaggioT);
      }
      A.odImpon = sImpon;
      A.odImpos = sImpos;
      A.odTotImpoImpos = sTot;
      A.odIvaOmaggioT = sIvaOmT;
      A.odImpOmaggioT = sImpOmT;
      primaImpon = totImpon;
      primaImpos = totImpos;
      totImpon += A.odImpon;
      totImpos += A.odImpos;
      ultimo = &A;
    }
    if (!ultimo) continue;

    // The accounts add up to their code: the last one takes the difference,
    // and in it the first row that stays positive.
    vb::Currency di, dv;
    if (totImpon != V.odImpon) {
      di = totImpon - V.odImpon;
      ultimo->odImpon = V.odImpon - primaImpon;
    }
    if (totImpos != V.odImpos) {
      dv = totImpos - V.odImpos;
      ultimo->odImpos = V.odImpos - primaImpos;
    }
    const vb::Currency zero;
    if (di != zero || dv != zero) {
      for (const auto& pr : ultimo->ocCdcCompetenza) {
        scControPCDCComp& R = *pr;
        if (FunVarie::ArrotConfronta(vb::Variant(R.odImpon - di), vb::Variant(0), -8) != -1 &&
            FunVarie::ArrotConfronta(vb::Variant(R.odImpos - dv), vb::Variant(0), -8) != -1) {
          R.odImpon -= di;
          R.odImpos -= dv;
          di = dv = zero;
          break;
        }
      }
      if (di != zero || dv != zero) {
        scControPCDCComp& R = ultimo->ocCdcCompetenza.Item(1L);
        R.odImpon -= di;
        R.odImpos -= dv;
      }
    }
  }
}

void scCalcPiedeFat::CalcScontoPag(const std::string& psPrezziIvati, int16_t piNumDec) {
  obApplScontoPag = false;
  if (odScontoPag == vb::Currency() || mbScoPagSuDett) return;
  msFase = "Calcolo sconto pagamento";
  const bool ivati = vb::UgualeTesto(psPrezziIvati, "S");
  const vb::Currency zero;
  auto d = [&](vb::Currency v) {
    return v - Cur(AziendaUtil::CalcNetto(vb::Variant(v), vb::Variant(odScontoPag), piNumDec, true));
  };
  for (const auto& pv : ogIve.ocCollIva) {
    scIva& V = *pv;
    if (V.odSValPerSco > zero) {
      obApplScontoPag = true;
      V.odScoPagam = d(V.odSValPerSco);
      V.odScoPagamOmaggio = d(V.odSValOmaggioPerSco);
      for (const auto& pa : V.ocCollControPte) {
        scControP& A = *pa;
        A.odScoPagam = d(A.odSValPerSco);
        A.odScoPagamOmaggio = d(A.odSValOmaggioPerSco);
        for (const auto& pr : A.ocCdcCompetenza) {
          pr->odScoPagam = d(pr->odSValPerSco);
          pr->odScoPagamOmaggio = d(pr->odSValOmaggioPerSco);
        }
      }
    }
    if (V.odSValSpesePerSco > zero) {
      obApplScontoPag = true;
      V.odScoPagamSpese = d(ivati ? V.odSValIvSpesePerSco : V.odSValSpesePerSco);
      for (const auto& pa : V.ocCollControPte) {
        scControP& A = *pa;
        A.odScoPagamSpese = d(ivati ? A.odSValIvSpesePerSco : A.odSValSpesePerSco);
        // Expense rows carry no cost centre: only the empty split has them.
        if (A.obCdcCompEsiste("", "")) {
          scControPCDCComp& R = A.ogCdcComp("", "");
          R.odScoPagamSpese = d(ivati ? R.odSValIvSpesePerSco : R.odSValSpesePerSco);
        }
      }
    }
  }
}

void scCalcPiedeFat::CalcIvSpese(int16_t piNumDec) {
  for (const auto& pv : ogIve.ocCollIva) {
    scIva& V = *pv;
    auto conIva = [&](ImportiRiepilogo& x) {
      if (V.obIvaEsente) {
        x.odSValIvSpese = x.odSValSpese;
        x.odSValIvSpesePerSco = x.odSValSpesePerSco;
        return;
      }
      x.odSValIvSpese = x.odSValSpese + Cur(AziendaUtil::CalcImposta(vb::Variant(x.odSValSpese),
                                                                     vb::Variant(V.odAliquota), piNumDec));
      x.odSValIvSpesePerSco =
          x.odSValSpesePerSco +
          Cur(AziendaUtil::CalcImposta(vb::Variant(x.odSValSpesePerSco), vb::Variant(V.odAliquota), piNumDec));
    };
    conIva(V);
    for (const auto& pa : V.ocCollControPte) {
      conIva(*pa);
      if (pa->obCdcCompEsiste("", "")) conIva(pa->ogCdcComp("", ""));
    }
  }
}

// The after-operation hook of the header and the change snapshot. After the
// save of a stored DDT the changes the user agreed to are carried to its
// lines and expenses inside the transaction the before hook began, which
// ends here in every case: committed when every step went through, rolled
// back (the header row with it) at the first that did not.
#include <cmath>
#include <string>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

// pvRit as the bar hands it: empty when the operation ran without a stop.
bool RitVuoto(const vb::Variant& v) { return Fc().Vuoto(v, vb::vbString, 1, false); }

bool Falso(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return false;
  if (v.VarType() == vb::vbBoolean || v.IsNumber()) return v.ToDouble() == 0;
  return false;
}

bool Vero(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return false;
  if (v.VarType() == vb::vbBoolean || v.IsNumber()) return v.ToDouble() != 0;
  return false;
}

const vb::Variant& Elemento(const std::vector<vb::Variant>& a, size_t i) {
  static const vb::Variant vuoto;
  return i < a.size() ? a[i] : vuoto;
}

}  // namespace

vb::Variant frmDdtTest::PersPagDop(int16_t piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  switch (piOper) {
    case 1:
      DopoCambioModo(static_cast<int16_t>(Elemento(pvArray, 0).IsNumeric() ? Elemento(pvArray, 0).ToInt() : 0));
      break;
    case 5:
      DopoMostra();
      break;
    case 8:
      DopoSvuota(Vero(Elemento(pvArray, 1)));
      break;
    case 12:
      DopoSalva(pvRit, pvArray);
      break;
    case 16:
      // The deletion's transaction ends, then the lock taken for it goes and
      // the hourglass with it, whatever became of the deletion.
      DopoCancella(pvRit);
      break;
    case 17:
      DopoDuplica(pvRit, pvArray);
      break;
    case 25:
      DopoInsFallito(pvRit, pvArray);
      break;
    default:
      break;
  }
  return vb::Variant(int16_t(0));
}

void frmDdtTest::DopoSalva(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  auto& barra = ogComPag();
  if (!RitVuoto(pvRit)) mbComandoInCorso = false;
  const int modo = barra.oiFlagOpe();
  const bool salvato = !Falso(Elemento(pvArray, 0)) && RitVuoto(pvRit);

  if (modo != 1) {
    // The first save of a new DDT: its expenses, no transaction. Nothing of
    // it when the row was not stored: expenses of a DDT that does not exist
    // would stay behind alone.
    if (!salvato) return;
    bool righe = false;
    mbAggPiedeDopo = false;
    mbVerSpesePag = true;
    VerAggCambioSpesePag(righe, mbAggPiedeDopo);
    mbVerSpesePag = false;
    mbVerSpesePerc = true;
    VerAggCambioSpesePerc(righe, mbAggPiedeDopo);
    mbVerSpesePerc = false;
    mbAggSpesaCli = false;
    AggSpeseStandard(mbAggPiedeDopo);
    SalDatiBase(true);
    return;
  }

  bool righe = false;
  bool piede = mbPesoCambiato;
  bool confermato = false;
  // Only a transaction the before hook began is ended here: a save stopped
  // before that point has none to roll back.
  if (mbTransSalva) {
    try {
      bool ok = salvato;
      if (ok && !VerAggCambioIva(righe, piede)) {
        mbAggIvaRighe = false;
        ok = false;
      }
      if (ok && !VerAggCambioScoCli(righe, piede)) {
        mbAggScoCliRighe = false;
        mbAggScoPagRighe = false;
        ok = false;
      }
      if (ok && !VerAggCambioContratto(righe, piede)) {
        mbAggContrattoRighe = false;
        ok = false;
      }
      if (ok && !VerAggCambioProvv(righe)) {
        miAggProvv1Righe = 0;
        miAggProvv2Righe = 0;
        ok = false;
      }
      if (ok && !VerAggCambioSpesePag(righe, piede)) {
        mbVerSpesePag = false;
        ok = false;
      }
      if (ok && !VerAggCambioSpesePerc(righe, piede)) {
        mbVerSpesePerc = false;
        ok = false;
      }
      if (ok && !AggSpesaClie(righe, piede)) {
        mbAggSpesaCli = false;
        ok = false;
      }
      if (ok && !AggModCambio(righe)) ok = false;
      if (ok) {
        mbAggIvaRighe = mbAggScoCliRighe = mbAggScoPagRighe = mbAggContrattoRighe = false;
        miAggProvv1Righe = miAggProvv2Righe = 0;
        mbVerSpesePag = mbVerSpesePerc = mbAggSpesaCli = mbPesoCambiato = false;
        utilprg::TransConferma(0, -1, nullptr, -1, "");
      } else {
        utilprg::TransAnnulla(0, -1, nullptr, -1, "");
      }
      mbTransSalva = false;
      confermato = ok;
    } catch (...) {
      // A step that raised an error: the header row and whatever the steps
      // wrote go back together; the bar reports the error as the save's.
      if (mbTransSalva) {
        mbTransSalva = false;
        try {
          utilprg::TransAnnulla(0, -1, nullptr, -1, "");
        } catch (...) {
        }
      }
      barra.SetTransPropria(-1);
      throw;
    }
  }

  const long stato = barra.StatoRecord(0);
  barra.SetTransPropria(-1);
  if (stato < 0) {
    pvRit = barra.MostraRecord(stato, 0);
    return;
  }
  if (!confermato) return;
  const bool scontoCambiato =
      !vb::UgualeTesto(txt(235).Text(), msScoPagSuDettPrec) || !vb::UgualeTesto(txt(230).Text(), msScontoPagPrec);
  SalDatiBase(false);
  if (scontoCambiato || piede) {
    if (AggPiede(false)) ButtonComando("Salva");
  }
  if (righe) MostraDett();
}

// A new header row refused for a duplicate key: the next number, ten in all.
void frmDdtTest::DopoInsFallito(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) {
  const vb::Variant& errore = Elemento(pvArray, 2);
  const bool zero = errore.IsEmpty() || errore.IsNull() || (errore.IsNumeric() && errore.ToDouble() == 0);
  if (zero || ogComPag().oiFlagOpe() != 2) return;
  if (miNumTentIns == 10) {
    pvRit = vb::Variant(int16_t(2));
    frmMsgCom::msgCom("Impossibile inserire i dati", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600,
                      vb::Missing, 1);
  } else if (miNumTentIns % 10 != 0) {
    ++miNumTentIns;
    const double numero = Fc().ValDouble(txt(10).Text(), true) + 1;
    txt(10).SetText(std::to_string(static_cast<long long>(std::llround(numero))));
    pvRit = vb::Variant(int16_t(4));
  } else {
    RicUltNum(-1);
    miNumTentIns = 1;
    pvRit = vb::Variant(int16_t(4));
  }
}

// The values the next save compares with: as shown after the last read or
// save; empty while a new DDT is typed.
void frmDdtTest::SalDatiBase(bool pbDopoIns) {
  const int modo = ogComPag().oiFlagOpe();
  if (pbDopoIns || modo != 2) {
    msIvaPrec = txt(270).Text();
    msScontoCliPrec = txt(240).Text();
    msContrattoPrec = txt(1400).Text();
    msPercProvv1Prec = txt(490).Text();
    msPercProvv2Prec = txt(510).Text();
    msCambioPrec = txt(410).Text();
    msPreDocPrec = txt(50).Text();
    msNumDocPrec = txt(60).Text();
    msDataDocPrec = txt(70).Text();
    msScontoPagPrec = txt(230).Text();
    msScoPagSuDettPrec = txt(235).Text();
    msSpesaCliPrec = msSpesaCli;
    msClientePrec = txt(80).Text();
    msSegnoDocPrec = msSegnoDoc;
    msPagamentoPrec = txt(220).Text();
    msMonetaPrec = txt(400).Text();
    msAddebitoBolliPrec = Esiste("che", 430) && C("che", 430).Value() == 1 ? "S" : "N";
    msMagazzProvPrec = txt(290).Text();
    msMagazzDestPrec = txt(88).Text();
    msMagCausalePrec = msMagCausale;
    mdPercRitAccPrec = Fc().ValDouble(txt(275).Text(), true);
    mdPesoPrec = Fc().ValDouble(txt(1210).Text(), true);
  } else {
    msIvaPrec = msScontoCliPrec = msContrattoPrec = msPercProvv1Prec = msPercProvv2Prec = msCambioPrec = "";
    msPreDocPrec = msNumDocPrec = msDataDocPrec = msScontoPagPrec = msScoPagSuDettPrec = msSpesaCliPrec = "";
    msClientePrec = msSegnoDocPrec = msPagamentoPrec = msMonetaPrec = msAddebitoBolliPrec = "";
    msMagazzProvPrec = msMagazzDestPrec = msMagCausalePrec = "";
    mdPercRitAccPrec = 0;
    mdPesoPrec = 0;
  }
}

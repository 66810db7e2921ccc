// Footer phase 6: the withholding tax, through a nested run over the rows
// subject to it, and the pension-fund contribution.
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "fiscal/Ambiente.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Calcolo.h"
#include "services/ComLock.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

}  // namespace

void scCalcPiedeFat::CalcRitAcc(double pdPercRitAcc, int16_t piNumDec) {
  // One nested run per run: the pension-fund rows reuse its base.
  mbRitAccFatta = true;
  scCalcPiedeFat annidato;
  annidato.osTabTesta = osTabTesta;
  annidato.osTabDett = osTabDett;
  annidato.osTabLiv = osTabLiv;
  annidato.osTabSpese = osTabSpese;
  annidato.osTipoGest = osTipoGest;
  annidato.obErrNoDett = obErrNoDett;
  annidato.CalcPiedeFat(miAnno, mlNumRif, true, -1);
  const auto& sql = annidato.SqlUltimoCalcolo();
  msSqlEseguite.insert(msSqlEseguite.end(), sql.begin(), sql.end());
  if (annidato.oiNumErrori > 0) {
    // Its lines go into this run's log, followed by what they mean here;
    // the run goes on with no withholding.
    std::string resto = annidato.osErrori;
    for (size_t p = resto.find("\r\n"); p != std::string::npos; p = resto.find("\r\n")) {
      AggRigaLog(resto.substr(0, p + 2));
      resto.erase(0, p + 2);
    }
    AggErrore(0, "Totali ritenuta d'acconto non aggiornati");
    return;
  }
  odTotImpRitAcc = annidato.odTotImponibile + annidato.odTotEsente;
  odTotImpRitAccEff = odTotImpRitAcc;
  const double importo = ComLock::CalcImportoRit(odTotImpRitAccEff, pdPercRitAcc, piNumDec);
  odRitAcc = vb::Currency::FromDouble(calcolo::Arr(importo, "A", piNumDec));
}

void scCalcPiedeFat::CalcolaRitenuta(double pdPercRitAcc) {
  const double perc =
      pdPercRitAcc >= 0 ? pdPercRitAcc : FC().ValDouble(Campo(mkTesta, osTabTesta + ".PercRitAcc"), true);
  msFase = "Calcola ritenuta d'acconto";
  const bool conRitenuta = FunVarie::ArrotConfronta(vb::Variant(perc), vb::Variant(0), -8) == 1;
  if (conRitenuta) {
    CalcRitAcc(perc, miNumDec);
  } else {
    odRitAcc = odTotImpRitAcc = odTotImpRitAccEff = vb::Currency();
  }
  ouPercCassaPrev = ouTotCassaPrev = vb::Currency();
  if (FC().Vuoto(vb::Variant(osTabSpese))) return;

  const std::string& E = osTabSpese;
  const std::string k = Apri(PrepSqlSpese());
  bool cassaPrev = false;
  bool cassaDaRipartire = false;
  const vb::Currency zero;
  if (!moRs->NessunRecord(k)) {
    for (; !moRs->FineRec(k); moRs->ProssimoRec(k)) {
      if (!vb::UgualeTesto(Testo(k, E + ".CassaPrev"), "S")) continue;
      cassaPrev = true;
      const std::string conto = Testo(k, "spese.gruppo") + Testo(k, "spese.Mastro") + Testo(k, "spese.conto");
      const bool daRipartire = vb::UgualeTesto(Testo(k, "Spese.AddebitoIva"), "R");
      const std::string rifStampa = Testo(k, "Spese.RifStampa");
      const std::string iva = daRipartire ? std::string(kIvaDaRipartire) : Testo(k, E + ".Iva");
      const vb::Currency massimo = Arr(Importo(k, E + ".ImportoMax"));
      const vb::Currency minimo = Arr(Importo(k, E + ".ImportoMin"));
      // The contribution is computed on the base subject to withholding.
      if (!conRitenuta && !mbRitAccFatta) CalcRitAcc(perc, miNumDec);

      vb::Currency contributo;
      if (vb::UgualeTesto(Testo(k, "Spese.TipoAddebito"), "I") && !obCassaPrevNoImpon) {
        // The limits of a fixed contribution are read as the expense codes
        // were set up: a minimum alone charges up to it, a maximum alone
        // from it on.
        const int suMin = FunVarie::ArrotConfronta(vb::Variant(mcMerceNetta), vb::Variant(minimo), -8);
        const int suMax = FunVarie::ArrotConfronta(vb::Variant(mcMerceNetta), vb::Variant(massimo), -8);
        bool applica = true;
        if (minimo > zero && massimo > zero) applica = !(suMin < 0 || suMax > 0);
        else if (minimo > zero) applica = suMin <= 0;
        else if (massimo > zero) applica = suMax >= 0;
        contributo = applica ? Arr(Importo(k, E + ".Importo")) : zero;
        ouPercCassaPrev = vb::Currency::FromDouble(Numero(k, "Spese.Percentuale"));
      } else {
        const double percRiga = Numero(k, E + ".Percentuale");
        ouPercCassaPrev = vb::Currency::FromDouble(percRiga);
        contributo = ArrDouble(percRiga * odTotImpRitAcc.ToDouble() / 100);
        if (massimo > zero && contributo > massimo) contributo = massimo;
        if (minimo > zero && contributo < minimo) contributo = minimo;
        ogSpesePerc.AggiungiVoce(std::to_string(FC().ValLong(Campo(k, E + ".Riga"))), true,
                                 vb::Variant(obCassaPrevNoImpon ? zero : contributo));
      }
      ouTotCassaPrev += contributo;
      osCassaPrevGruppo = Testo(k, E + ".Gruppo");
      osCassaPrevMastro = Testo(k, E + ".Mastro");
      osCassaPrevConto = Testo(k, E + ".Conto");
      if (!obCassaPrevNoImpon) {
        if (daRipartire) cassaDaRipartire = true;
        scIva& v = VoceIva(iva, k, daRipartire);
        AssicuraConto(v, conto, "", "");
        Somma(v, &ImportiRiepilogo::odSValSpese, conto, "", "", contributo);
        AggiungiSpesaTotali(rifStampa, contributo);
      }
    }
  }
  moRs->ChiudiRecordset(k);
  if (!cassaPrev) return;
  if (msPrezziIvati == "S") CalcIvSpese(miNumDec);
  if (cassaDaRipartire && ogIve.obEsiste(kIvaDaRipartire)) {
    // A contribution with VAT to apportion is spread like the other
    // expenses, never left under the waiting key.
    msFase = "Ripartizione IVA spese";
    Ripartisci();
    CalcScontoPag(msPrezziIvati, miNumDec);
  }
  CalcIva(msPrezziIvati, miNumDec);
}

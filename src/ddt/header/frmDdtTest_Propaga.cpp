// Header changes carried to the stored lines after a save: the VAT code
// (lines and expense rows), the customer and payment discounts (the lines'
// chains and amounts, their level rows), the contract, the agents'
// commissions, and the re-valuation in lire and euro after a change of the
// exchange rate. Each step runs inside the transaction the save began, so
// that the caller rolls back the header write and every earlier step when
// one fails; a failing step shows its error and answers False.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmInElab.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/barre/Avanzamento.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Lit(const std::string& valore, int tipo) { return FC().ValoreSql(vb::Variant(valore), tipo); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s), vb::vbString, 1, false); }

void Esegui(const std::string& sql) { G().goDbAzienda->EseguiSql(G().gsConnAzienda, sql); }

std::string Testo(const vb::Variant& v) { return v.IsNull() || v.IsEmpty() || v.IsMissing() ? std::string() : v.ToString(); }

}  // namespace

bool frmDdtTest::VerAggCambioIva(bool& pbRigheCambiate, bool& pbPiede) {
  if (!mbAggIvaRighe) return true;
  try {
    const std::string iva = Lit(txt(270).Text(), vb::vbString);
    const std::string anno = Lit(txt(20).Text(), vb::vbInteger);
    const std::string num = Lit(txt(10).Text(), vb::vbLong);
    // With an old code only the rows that carried it follow; without one
    // every line but the descriptive ones takes the new code.
    std::string sql = "Update " + G().gsTabDett + " Set iva = " + iva + " Where Anno = " + anno +
                      " AND NumRif = " + num + " AND TipoRiga <> " + Lit("D", vb::vbString);
    if (!Vuoto(msIvaPrec)) sql += " AND iva = " + Lit(msIvaPrec, vb::vbString);
    Esegui(sql);
    const std::string t = G().gsTabSpese;
    if (Vuoto(msIvaPrec)) {
      // Expenses charged to the company ("T") keep their code.
      sql = "Update " + t + " inner join Spese On " + t + ".Spesa = Spese.Spesa Set " + t + ".iva = " + iva +
            " Where " + t + ".Anno = " + anno + " AND " + t + ".NumRif = " + num +
            " AND Spese.TipoAddebito <> " + Lit("T", vb::vbString);
    } else {
      sql = "Update " + t + " Set " + t + ".iva = " + iva + " Where " + t + ".Anno = " + anno + " AND " + t +
            ".NumRif = " + num + " AND " + t + ".iva = " + Lit(msIvaPrec, vb::vbString);
    }
    Esegui(sql);
    pbRigheCambiate = true;
    pbPiede = true;
    return true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
}

bool frmDdtTest::VerAggCambioScoCli(bool& pbRigheCambiate, bool& pbPiede) {
  if (!mbAggScoCliRighe && !mbAggScoPagRighe) return true;
  dati::GestRecordset rs;
  try {
    const Globali& g = G();
    const std::string t = g.gsTabDett;
    std::string sql = "Select " + t + ".*, Articoli.LivGruppo1, Articoli.LivGruppo2 from " + t +
                      " LEFT JOIN Articoli On " + t + ".Articolo = Articoli.Articolo Where Anno = " +
                      Lit(txt(20).Text(), vb::vbInteger) + " AND NumRif = " + Lit(txt(10).Text(), vb::vbLong) +
                      " AND TipoRiga <> " + Lit("D", vb::vbString) + " AND (";
    if (mbAggScoCliRighe) {
      sql += Vuoto(msScontoCliPrec) ? " ScontoCli is null" : " ScontoCli = " + Lit(msScontoCliPrec, vb::vbString);
      if (mbAggScoPagRighe) sql += " OR ";
    }
    if (mbAggScoPagRighe) sql += " FlScontoPag = 'S'";
    sql += ")";
    const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 2);
    const ui::Controllo* che235 = Trova("che", 235);
    const bool scoPagSuDett = che235 ? che235->Value() == 1 : vb::UgualeTesto(txt(235).Text(), "S");
    const bool taglie = vb::UgualeTesto(g.gsGesTaglie, "S");
    while (!rs.FineRec(k)) {
      rs.ModificaRecord(k);
      if (mbAggScoCliRighe && vb::UgualeTesto(Testo(rs.LeggiCampo(k, "ScontoCli")), msScontoCliPrec))
        rs.ScriviCampo(k, "ScontoCli", vb::Variant(txt(240).Text()));
      std::vector<vb::Variant> sconti{rs.LeggiCampo(k, "ScontoArt"), rs.LeggiCampo(k, "ScontoCli"),
                                      rs.LeggiCampo(k, "ScontoQuant"), rs.LeggiCampo(k, "ScontoTab")};
      if (vb::UgualeTesto(Testo(rs.LeggiCampoNull(k, "FlScontoPag")), "S") && scoPagSuDett)
        sconti.emplace_back(txt(230).Text());
      const std::string scontoTot = AziendaUtil::UnisciSconti(sconti);
      rs.ScriviCampo(k, "ScontoTot", vb::Variant(scontoTot));
      bool errore = false;
      const double perc = AziendaUtil::CalcPercSconto(scontoTot, errore, 0, 6);
      if (taglie && !Vuoto(Testo(rs.LeggiCampo(k, "LivGruppo1")))) {
        const int16_t anno = FC().ValInt(rs.LeggiCampo(k, "Anno"), true, true);
        const int32_t numRif = FC().ValLong(rs.LeggiCampo(k, "NumRif"), true);
        const int32_t rigLiv = FC().ValLong(rs.LeggiCampo(k, "RigLiv"), true);
        UtilDocFattGest::AggPrezziLivelli(g.gsTabLiv, anno, numRif, rigLiv, "2", true, "", 0, scontoTot,
                                          vb::Variant(perc), miNumDecMon, txt(410).Text(), msMonOper,
                                          txt(400).Text(), false);
        dati::GestRecordset somma;
        const std::string ks = somma.ApriRecordset(
            *g.goDbAzienda, g.gsConnAzienda, "",
            "SELECT Sum(ValTotale) AS Totale From " + g.gsTabLiv + " GROUP BY Anno , NumRif , RigLiv HAVING Anno = " +
                Lit(txt(20).Text(), vb::vbInteger) + " AND NumRif = " + Lit(txt(10).Text(), vb::vbLong) +
                " AND RigLiv = " + FC().ValoreSql(vb::Variant(rigLiv), vb::vbLong),
            false, 4);
        // A line whose level rows are all gone keeps its amount.
        if (!somma.NessunRecord(ks))
          rs.ScriviCampo(k, "ValTotale",
                         vb::Variant(vb::Currency::FromDouble(FC().ValDouble(somma.LeggiCampo(ks, "Totale"), true))));
        somma.ChiudiRecordset(ks);
      } else {
        const double qta = FC().ValDouble(rs.LeggiCampo(k, "Qta"), true);
        const double prezzo = FC().ValDouble(rs.LeggiCampo(k, "ValUnitario"), true);
        if (qta != 0 && prezzo != 0) {
          const double importo =
              AziendaUtil::CalcImporto(prezzo, qta, perc, g.gbArrUnitIntermedio, miNumDecMonGes);
          const double valTotale =
              FC().ValDouble(vb::Variant(FC().MascheraNum(importo, miNumDecMon, {}, false, "#,##0", 0, "", "0")), true);
          rs.ScriviCampo(k, "ValTotale", vb::Variant(vb::Currency::FromDouble(valTotale)));
        }
      }
      double lire = 0, euro = 0, doc = 0;
      AziendaUtil::ConvLireEuro(rs.LeggiCampo(k, "ValTotale"), vb::Variant(txt(410).Text()), msMonOper,
                                vb::Variant(txt(400).Text()), lire, euro, doc, true, true, true, vb::Missing,
                                vb::Missing, vb::Missing, false, false, "E", "E", false);
      rs.ScriviCampo(k, "ValLire", vb::Variant(vb::Currency::FromDouble(lire)));
      rs.ScriviCampo(k, "ValEuro", vb::Variant(vb::Currency::FromDouble(euro)));
      rs.SalvaRecord(k);
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    pbRigheCambiate = true;
    pbPiede = true;
    return true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
}

bool frmDdtTest::VerAggCambioContratto(bool& pbRigheCambiate, bool& pbPiede) {
  (void)pbRigheCambiate;
  (void)pbPiede;
  if (!mbAggContrattoRighe) return true;
  try {
    // An emptied contract leaves the lines without one (Null, as a line
    // never given one): an empty text would read as a contract of its own
    // to the contract warning. A line with "" from before counts as one
    // without a contract. Lines of every kind take part; a line with
    // another contract keeps it.
    const std::string nuovo = Vuoto(txt(1400).Text()) ? std::string("Null") : Lit(txt(1400).Text(), vb::vbString);
    std::string sql = "Update " + G().gsTabDett + " Set Contratto = " + nuovo +
                      " Where Anno = " + Lit(txt(20).Text(), vb::vbInteger) +
                      " AND NumRif = " + Lit(txt(10).Text(), vb::vbLong);
    sql += Vuoto(msContrattoPrec) ? " AND (IsNull(Contratto) OR Contratto = " + Lit("", vb::vbString) + ")"
                                  : " AND Contratto = " + Lit(msContrattoPrec, vb::vbString);
    Esegui(sql);
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
  VerContrDoppio();
  return true;
}

bool frmDdtTest::VerAggCambioProvv(bool& pbRigheCambiate) {
  try {
    if (miAggProvv1Righe > 0) {
      AggCambioProvv("1", msPercProvv1Prec, txt(490).Text(), miAggProvv1Righe);
      pbRigheCambiate = true;
    }
    if (miAggProvv2Righe > 0) {
      AggCambioProvv("2", msPercProvv2Prec, txt(510).Text(), miAggProvv2Righe);
      pbRigheCambiate = true;
    }
    return true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
}

void frmDdtTest::AggCambioProvv(const std::string& psNumProv, const std::string& psOldVal,
                                const std::string& psNewVal, int16_t piAggProvAg) {
  // A percentage the user emptied is written as no percentage at all.
  const std::string nuovo = vb::Trim(psNewVal).empty() ? std::string() : psNewVal;
  std::string sql = "Update " + G().gsTabDett + " Set PercProvv" + psNumProv + " = " + Lit(nuovo, vb::vbDouble) +
                    " Where Anno = " + Lit(txt(20).Text(), vb::vbInteger) +
                    " AND NumRif = " + Lit(txt(10).Text(), vb::vbLong);
  if (piAggProvAg != 1) {
    // The question compared the percentages as numbers, an empty one as 0:
    // the lines without a percentage carry that same old value.
    const std::string col = "PercProvv" + psNumProv;
    if (FC().ValDouble(vb::Variant(psOldVal), true) == 0)
      sql += " AND (" + col + " = 0 OR IsNull(" + col + "))";
    else
      sql += " AND " + col + " = " + Lit(psOldVal, vb::vbDouble);
  }
  Esegui(sql);
}

bool frmDdtTest::AggModCambio(bool& pbRigheCambiate) {
  try {
    // Only the rate's value counts: a new currency at the same rate, or the
    // same rate typed otherwise, re-values nothing.
    const double cambio = FC().ValDouble(vb::Variant(txt(410).Text()), true);
    if (cambio == FC().ValDouble(vb::Variant(msCambioPrec), true)) return true;
    const Globali& g = G();
    const std::string anno = Lit(txt(20).Text(), vb::vbInteger);
    const std::string num = Lit(txt(10).Text(), vb::vbLong);
    const vb::Variant moneta(txt(400).Text());
    // The busy window is the progress object's: released with it, also when
    // a row fails.
    frmInElab elab;
    barre::Avanzamento avanz;
    auto rivaluta = [&](const std::string& sql, const std::string& titolo) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 2);
      avanz.Form(elab);
      avanz.Apri(rs.NumRecord(k), titolo, 0, true, true, 24, titolo, 2, true);
      elab.Show(0);
      while (!rs.FineRec(k)) {
        // One round of the window's events a row, inside the step.
        avanz.Avanza(rs.NumRecordTot(k) + 1, vb::Missing, true);
        rs.ModificaRecord(k);
        double lire = 0, euro = 0, doc = 0;
        AziendaUtil::ConvLireEuro(rs.LeggiCampo(k, "ValTotale"), vb::Variant(cambio), msMonOper, moneta, lire, euro,
                                  doc, true, true, true, vb::Missing, vb::Missing, vb::Missing, false, false, "E", "E",
                                  false);
        rs.ScriviCampo(k, "ValLire", vb::Variant(vb::Currency::FromDouble(lire)));
        rs.ScriviCampo(k, "ValEuro", vb::Variant(vb::Currency::FromDouble(euro)));
        rs.SalvaRecord(k);
        rs.ProssimoRec(k);
      }
      rs.ChiudiRecordset(k);
    };
    const std::string t = g.gsTabDett;
    rivaluta("Select " + t + ".* from " + t + " Where " + t + ".Anno = " + anno + " AND " + t + ".NumRif = " + num +
                 " AND (" + t + ".TipoRiga = " + Lit("A", vb::vbString) + " OR " + t +
                 ".TipoRiga = " + Lit("M", vb::vbString) + ")",
             "Calcolo cambio dettagli");
    avanz.Chiudi(true);
    if (vb::UgualeTesto(g.gsGesTaglie, "S")) {
      const std::string l = g.gsTabLiv;
      rivaluta("Select " + l + ".* from " + l + " Where " + l + ".Anno = " + anno + " AND " + l + ".NumRif = " + num,
               "Calcolo cambio dettagli-livelli");
    }
    pbRigheCambiate = true;
    avanz.Chiudi(true);
    return true;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
}

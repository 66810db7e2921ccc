// Saving the matrix as the line's level rows, and the stored-row count.
//
// The delete and the inserts run in one transaction: a failure part-way
// leaves the line's rows as they were before the save. A save that would
// store no row at all (no cell above 0) is refused before anything is
// deleted, so the line never loses its rows to a matrix of zeros.
#include <exception>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "services/LatoMenu.h"
#include "services/UtilDocFattGest_Trans.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
std::string Sql(const vb::Variant& v, int tipo) { return FC().ValoreSql(v, tipo); }
}  // namespace

bool frmGestLivelli::SalvaDati() {
  const Globali& g = G();
  if (Vuota()) return false;
  try {
    const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
    const int16_t k1 = K1(), k2 = K2();
    // 1. Total quantity, and at least one cell that makes a row.
    const double tot = FC().ValDouble(vb::Variant(lab(270).Caption()));
    bool unaRiga = false;
    for (int16_t e1 = 1; e1 <= k1 && !unaRiga; ++e1)
      for (int16_t e2 = 1; e2 <= k2 && !unaRiga; ++e2)
        unaRiga = FC().ValDouble(vb::Variant(txtLiv(IndDaEle(e1, e2)).Text())) > 0;
    if (FunVarie::ArrotConfronta(vb::Variant(tot), vb::Variant(0), -8) == 0 || !unaRiga) {
      frmMsgCom::msgCom("Impossibile salvare senza inserire delle quantità", "&Ok");
      return false;
    }
    // 2. A box in the error colour.
    std::string nome;
    int indice = -1;
    bool trovato = false;
    if (vb::FunzioniComuniUi::VerifCampiTesto(*this, g.glColoreErrore, nome, indice, trovato) && trovato) {
      frmMsgCom::msgCom("ci sono dei dati non validi", "&Ok");
      try {
        if (vb::UgualeTesto(nome, "txt") && !(obDisabTermPrz && obDisabTermVisPrz)) txt(indice).SetFocus();
        else if (vb::UgualeTesto(nome, "txtliv")) txtLiv(indice).SetFocus();
      } catch (...) {
      }
      return false;
    }
    // 3. A cell left with its price or amount in error.
    for (int16_t e1 = 1; e1 <= k1; ++e1)
      for (int16_t e2 = 1; e2 <= k2; ++e2) {
        const size_t a = static_cast<size_t>(e1), b = static_cast<size_t>(e2);
        if (mlColPrezzo[a][b] != g.glColoreErrore && mlColImporto[a][b] != g.glColoreErrore) continue;
        frmMsgCom::msgCom("ci sono dei dati non validi", "&Ok");
        const bool prezzoErr = mlColPrezzo[a][b] == g.glColoreErrore;
        try {
          txtLiv(IndDaEle(e1, e2)).SetFocus();
          if (!(obDisabTermPrz && obDisabTermVisPrz)) {
            ui::DoEvents();
            if (prezzoErr && txt(60).PuoFuoco()) txt(60).SetFocus();
            if (txt(70).PuoFuoco()) txt(70).SetFocus();
            ui::DoEvents();
            txtLiv(IndDaEle(miRigaCor, miColCor)).SetBackColor(g.glColBackGotFocus);
          }
        } catch (...) {
        }
        return false;
      }
    // 4-6. Delete and inserts, all or nothing.
    const std::string& t = osFileDocLiv;
    const Disposizione lay = Layout(oiTipoGest);
    const std::string utente = lay.perUtente ? servizi::UtenteMenu() : std::string();
    std::string dove = " where " + t;
    if (lay.perUtente)
      dove += ".Utente = " + Sql(vb::Variant(utente), vb::vbString);
    else
      dove += ".Anno = " + Sql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t +
              ".NumRif = " + Sql(vb::Variant(txt(610).Text()), vb::vbLong);
    dove += " AND " + t + ".RigLiv = " + Sql(vb::Variant(txt(10).Text()), vb::vbLong);
    bool scritto = false;
    {
      UtilDocFattGest::TransDocumento tr;
      g.goDbAzienda->EseguiSql(g.gsConnAzienda, "Delete * from " + t + dove);
      for (int16_t e1 = 1; e1 <= k1; ++e1)
        for (int16_t e2 = 1; e2 <= k2; ++e2) {
          const size_t a = static_cast<size_t>(e1), b = static_cast<size_t>(e2);
          const double q = FC().ValDouble(vb::Variant(txtLiv(IndDaEle(e1, e2)).Text()), true);
          if (!(q > 0)) continue;
          double lire = 0, euro = 0, doc = 0;
          AziendaUtil::ConvLireEuro(vb::Variant(FC().ValDouble(vb::Variant(msImporto[a][b]), true)),
                                    vb::Variant(d.osCambio), vb::Variant(d.osMonOper), vb::Variant(d.osMoneta), lire,
                                    euro, doc, true, true, false, vb::Missing, vb::Missing, vb::Missing, false, false,
                                    "", "", vb::Missing);
          std::string sql = "Insert into " + t + (lay.perUtente ? " (Utente" : " (Anno, Numrif") +
                            ", RigLiv, Livello1, Livello2, RigLivOrig, UM, FatCon, Qta, ValUnitario" +
                            (oiTipoGest == 6 ? ", ValUnitarioScont" : "") +
                            ", ValTotale, ScontoTot, FlagStato, ValLire, ValEuro";
          if (lay.qtaProv) sql += ", QtaProv";
          if (lay.qtaEvasa) sql += ", QtaEvasa";
          if (oiTipoGest != 3) sql += ", StatoRiga";
          sql += ") Values ( ";
          if (lay.perUtente)
            sql += Sql(vb::Variant(utente), vb::vbString);
          else
            sql += Sql(vb::Variant(txt(600).Text()), vb::vbInteger) + ", " +
                   Sql(vb::Variant(txt(610).Text()), vb::vbLong);
          sql += ", " + Sql(vb::Variant(txt(10).Text()), vb::vbLong);
          sql += ", " + Sql(vb::Variant(Livello1Cella(e1, e2)), vb::vbString);
          sql += ", " + Sql(vb::Variant(Livello2Cella(e1, e2)), vb::vbString);
          sql += ", " + Sql(vb::Variant(mlRigLivOrig[a][b]), vb::vbLong);
          sql += ", " + Sql(vb::Variant(osUm), vb::vbString);
          sql += ", " + Sql(vb::Variant(odFatCon), vb::vbDouble);
          sql += ", " + Sql(vb::Variant(q), vb::vbDouble);
          sql += ", " + Sql(vb::Variant(vb::UgualeTesto(msPrezzo[a][b], kNessunPrezzo)
                                            ? 0.0
                                            : FC().ValDouble(vb::Variant(msPrezzo[a][b]), true)),
                            vb::vbDouble);
          if (oiTipoGest == 6) sql += ", " + Sql(vb::Variant(UnitScont(e1, e2)), vb::vbDouble);
          sql += ", " + Sql(vb::Variant(FC().ValDouble(vb::Variant(msImporto[a][b]), true)), vb::vbDouble);
          sql += ", " + Sql(vb::Variant(txt(80).Text()), vb::vbString);
          sql += ", " + Sql(vb::Variant(msFlagStato[a][b]), vb::vbString);
          sql += ", " + Sql(vb::Variant(lire), vb::vbDouble);
          sql += ", " + Sql(vb::Variant(euro), vb::vbDouble);
          auto nullo = [&](const std::string& v) {
            return FC().Vuoto(vb::Variant(v), vb::vbString, 1, false)
                       ? std::string(", Null")
                       : ", " + Sql(vb::Variant(FC().ValDouble(vb::Variant(v), true)), vb::vbDouble);
          };
          if (lay.qtaProv) sql += nullo(msQtaProv[a][b]);
          if (lay.qtaEvasa) sql += nullo(msQtaEvasa[a][b]);
          if (oiTipoGest != 3) sql += ", " + Sql(vb::Variant(msStatoRiga[a][b]), vb::vbString);
          sql += ")";
          g.goDbAzienda->EseguiSql(g.gsConnAzienda, sql);
          scritto = true;
        }
      tr.Conferma();
    }
    mbSalvato = scritto;
    osDetScontoArt = txt(90).Text();
    osDetScontoClie = txt(120).Text();
    osDetScontoQta = txt(100).Text();
    osDetScontoTab = txt(110).Text();
    osDetScontoTot = txt(80).Text();
    return true;
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    return false;
  }
}

bool frmGestLivelli::NoDatiMem() {
  const Globali& g = G();
  dati::GestRecordset rs;
  std::string k;
  try {
    const std::string& t = osFileDocLiv;
    std::string sql = "SELECT count(*) as quanti FROM " + t;
    if (Layout(oiTipoGest).perUtente)
      sql += " WHERE Utente = " + Sql(vb::Variant(servizi::UtenteMenu()), vb::vbString);
    else
      sql += " WHERE Anno = " + Sql(vb::Variant(txt(600).Text()), vb::vbInteger) +
             " AND NumRif = " + Sql(vb::Variant(txt(610).Text()), vb::vbLong);
    sql += " AND RigLiv = " + Sql(vb::Variant(txt(10).Text()), vb::vbLong);
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
    const double n = FC().ValDouble(rs.LeggiCampo(k, "Quanti"));
    rs.ChiudiRecordset(k);
    return !(n > 0);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    try {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    return false;
  }
}

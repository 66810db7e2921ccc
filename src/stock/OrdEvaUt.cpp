// Committed and ordered quantities with the bill-of-materials explosion.
#include "stock/OrdEvaUt.h"

#include <set>

#include "common/AziendaUtil.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "stock/UtilMovim_Interno.h"

namespace OrdEvaUt {

using namespace UtilMovim::interno;

namespace {


bool Vero(int16_t f) { return f == -1 || f == 1; }

// The compounds being exploded, outermost first: a compound met again
// inside its own explosion is a cycle of ArtLegami.
std::set<std::string>& InCorso() {
  static std::set<std::string> s;
  return s;
}

}  // namespace

void AggImpegni(int16_t pbEvasione, int16_t piAnno, const std::string& psMagazzino, const std::string& psArticolo,
                const std::string& psLivello1, const std::string& psLivello2, const vb::Variant& pvQta,
                const vb::Variant& pvQtaEvasa, const vb::Variant& pvQtaEvasaPrec, const vb::Currency& pvQtaMov,
                const vb::Variant& pvValEuro, const vb::Variant& pvValLire, const std::string& psSaldo,
                int16_t pbEvasa, const std::string& psTipoIva, const vb::Variant& pvAliquota,
                const std::string& psPrezziIvati, const std::string& psArtMag, const std::string& psCarScar,
                const std::string& psCausaleDiBa, const std::string& psMagComp, int16_t pbFornitore,
                int16_t pbCreaProg) {
  const bool fornitore = pbFornitore != 0;
  const std::string q = fornitore ? "QtaOrdFor" : "QtaImpCli";
  const std::string v = fornitore ? "ValOrdFor" : "ValImpCli";
  const std::string vl = fornitore ? "ValOrdForLire" : "ValImpCliLire";
  if (!Ug(psArtMag, "S") || Ug(psCarScar, "N")) return;
  const bool conLiv = !vb::Trim(psLivello1).empty();
  const std::string l1 = conLiv ? psLivello1 : "~ç~";
  const std::string l2 = conLiv && !vb::Trim(psLivello2).empty() ? psLivello2 : "~ç~";
  dati::GestRecordset rs;
  std::string k = OpenRs(rs,
                         "Select * from ArticoliProg" + std::string(" where") + " Anno>=" + In(piAnno) +
                             " And Magazzino=" + Tx(psMagazzino) + " And Articolo=" + Tx(psArticolo) +
                             " And Livello1=" + Tx(l1) + " And Livello2=" + Tx(l2),
                         2);
  try {
    if (rs.NessunRecord(k)) {
      if (pbCreaProg == 0) {
        ChiudiSilenzioso(rs, k);
        return;
      }
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Anno", vb::Variant(piAnno));
      rs.ScriviCampo(k, "Magazzino", vb::Variant(psMagazzino));
      rs.ScriviCampo(k, "Articolo", vb::Variant(psArticolo));
      rs.ScriviCampo(k, "Livello1", vb::Variant(l1));
      rs.ScriviCampo(k, "Livello2", vb::Variant(l2));
      rs.SalvaRecord(k);
      rs.VaiUltimoMod(k);
    }
    auto cur = [](const vb::Variant& x) {
      return x.IsNull() || x.IsEmpty() ? vb::Currency() : vb::Currency::FromDouble(x.ToDouble());
    };
    const vb::Currency qta = cur(pvQta), evasa = cur(pvQtaEvasa), evasaPrec = cur(pvQtaEvasaPrec);
    const bool evasione = Vero(pbEvasione);
    vb::Currency d;
    if (evasione && Ug(psSaldo, "S")) d = qta - evasaPrec;
    else if (evasione) d = pvQtaMov;
    else if (Vero(pbEvasa)) d = qta - evasa;
    else d = pvQtaMov;
    double ve = 0, vli = 0;
    if (d == qta) {
      ve = Fc().ValDouble(pvValEuro);
      vli = Fc().ValDouble(pvValLire);
    } else if (qta.ToDouble() != 0) {
      ve = d.ToDouble() * Fc().ValDouble(pvValEuro) / qta.ToDouble();
      vli = d.ToDouble() * Fc().ValDouble(pvValLire) / qta.ToDouble();
    }
    // A line without quantity moves no value: nothing to share it by.
    if ((Ug(psTipoIva, "0") || Ug(psTipoIva, "1")) && Ug(psPrezziIvati, "S")) {
      ve = AziendaUtil::ScorporaIva(vb::Variant(ve), pvAliquota, G().giNumDecEuro);
      vli = AziendaUtil::ScorporaIva(vb::Variant(vli), pvAliquota, G().giNumDecLire);
    }
    double dq = d.ToDouble();
    if (evasione) {
      dq = -dq;
      ve = -ve;
      vli = -vli;
    }
    while (!rs.FineRec(k)) {
      if (evasione && I(rs, k, "Anno") != piAnno && D(rs, k, q) <= 0) {
        rs.ProssimoRec(k);
        continue;
      }
      rs.ModificaRecord(k);
      const double nuova = (vb::Currency::FromDouble(D(rs, k, q)) + vb::Currency::FromDouble(dq)).ToDouble();
      rs.ScriviCampo(k, q, vb::Variant(nuova));
      if (nuova <= 0) {
        rs.ScriviCampo(k, v, vb::Variant(0.0));
        rs.ScriviCampo(k, vl, vb::Variant(0.0));
      } else {
        rs.ScriviCampo(k, v, vb::Variant(vb::Currency::FromDouble(D(rs, k, v) + ve)));
        rs.ScriviCampo(k, vl, vb::Variant(vb::Currency::FromDouble(D(rs, k, vl) + vli)));
      }
      rs.SalvaRecord(k);
      rs.ProssimoRec(k);
    }
    if (!fornitore && !conLiv && !Fc().Vuoto(vb::Variant(psCausaleDiBa)) &&
        Ug(servizi::Testo(servizi::ParamDitta("Ditta.InstDiBa")), "S")) {
      EsplodiDiBa(pbEvasione, psSaldo, pbEvasa, piAnno, psArticolo, evasa.ToDouble(), evasaPrec.ToDouble(),
                  qta.ToDouble(), vb::Trim(psMagComp).empty() ? psMagazzino : psMagComp, pbCreaProg, false);
    }
  } catch (...) {
    ChiudiSilenzioso(rs, k);
    throw;
  }
  ChiudiSilenzioso(rs, k);
}

int16_t EsplodiDiBa(int16_t pbEvasione, const std::string& psSaldo, int16_t pbEvasa, int16_t piAnno,
                    const std::string& psArticolo, double pvQtaEvasa, double pvQtaEvasaPrec, double pvQta,
                    const std::string& psMagComp, int16_t pbCreaProg, bool pbAnnidata) {
  const std::string chiave = vb::UCase(vb::Trim(psArticolo));
  if (InCorso().count(chiave)) {
    frmMsgCom::msgCom("Distinta base ciclica: l'articolo " + psArticolo + " è componente di se stesso", "&Ok");
    return 1;
  }
  dati::GestRecordset rs;
  std::string k;
  InCorso().insert(chiave);
  int16_t esito = 0;
  try {
    const int16_t decQta = G().giNumDecQtaMag;
    k = OpenRs(rs,
               std::string("Select ArtLegami.*, Articoli.* from ArtLegami") + " Left Join Articoli" +
                   " On ArtLegami.ArticoloFiglio = Articoli.Articolo" + " Where ArticoloPadre = " + Tx(psArticolo),
               4);
    double x, y;
    if (pbAnnidata) {
      x = pvQtaEvasaPrec;
      y = pvQtaEvasa;
    } else if (Vero(pbEvasione)) {
      x = pvQtaEvasaPrec;
      y = Ug(psSaldo, "S") ? pvQta : pvQtaEvasa;
    } else if (Vero(pbEvasa)) {
      x = -pvQtaEvasa;
      y = -pvQta;
    } else {
      x = pvQtaEvasaPrec;
      y = pvQtaEvasa;
    }
    while (!rs.FineRec(k)) {
      const double lq = D(rs, k, "ArtLegami.Qta");
      double a = R(lq * y, decQta), b = R(lq * x, decQta);
      const std::string um = T(rs, k, "ArtLegami.UM");
      double f;
      if (vb::UgualeTesto(um, T(rs, k, "ArtUM"))) f = 1;
      else if (vb::UgualeTesto(um, T(rs, k, "ArtUMVen"))) f = D(rs, k, "FatConVen");
      else f = D(rs, k, "FatConAcq");
      a *= f;
      b *= f;
      const std::string figlio = T(rs, k, "ArticoloFiglio");
      const int16_t distBase = I(rs, k, "DistBase");
      int16_t r;
      if (distBase == 1 || distBase == 2) {
        r = EsplodiDiBa(pbEvasione, psSaldo, pbEvasa, piAnno, figlio, a, b, 0, psMagComp, pbCreaProg, true);
      } else {
        a = R(a, decQta);
        b = R(b, decQta);
        r = AggImpegnoComp(pbEvasione, piAnno, figlio, b - a, psMagComp, pbCreaProg);
      }
      if (r != 0) {
        esito = r;
        break;
      }
      rs.ProssimoRec(k);
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    esito = 1;
  }
  InCorso().erase(chiave);
  ChiudiSilenzioso(rs, k);
  return esito;
}

int16_t AggImpegnoComp(int16_t pbEvasione, int16_t piAnno, const std::string& psArticolo, double pdVarQta,
                       const std::string& psMagazzino, int16_t pbCreaProg) {
  dati::GestRecordset rs;
  std::string k;
  try {
    k = OpenRs(rs,
               "Select * from ArticoliProg" + std::string(" where Anno>=") + In(piAnno) +
                   " And Magazzino=" + Tx(psMagazzino) + " And Articolo=" + Tx(psArticolo),
               2);
    if (rs.NessunRecord(k)) {
      if (pbCreaProg == 0) {
        ChiudiSilenzioso(rs, k);
        return 0;
      }
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Anno", vb::Variant(piAnno));
      rs.ScriviCampo(k, "Magazzino", vb::Variant(psMagazzino));
      rs.ScriviCampo(k, "Articolo", vb::Variant(psArticolo));
      rs.ScriviCampo(k, "Livello1", vb::Variant("~ç~"));
      rs.ScriviCampo(k, "Livello2", vb::Variant("~ç~"));
      rs.SalvaRecord(k);
      rs.VaiUltimoMod(k);
    }
    while (!rs.FineRec(k)) {
      if (D(rs, k, "QtaImpCli") > 0 || I(rs, k, "Anno") == piAnno || !Vero(pbEvasione)) {
        rs.ModificaRecord(k);
        rs.ScriviCampo(k, "QtaImpCli", vb::Variant(D(rs, k, "QtaImpCli") + pdVarQta));
        rs.SalvaRecord(k);
      }
      rs.ProssimoRec(k);
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  ChiudiSilenzioso(rs, k);
  return 0;
}

}  // namespace OrdEvaUt

// A document's rows as a whole: deleted with the document, copied into the
// working tables or under the key of a new document.
#include <string>

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"
#include "services/UtilDocFattGest_Trans.h"

namespace UtilDocFattGest {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

std::string Dove(int16_t piAnno, const std::string& psColonna, int32_t plNum) {
  return " Where Anno = " + Fc().ValoreSql(piAnno, vb::vbInteger) + " AND " + psColonna + " = " +
         Fc().ValoreSql(plNum, vb::vbLong);
}

// The value a pair gives to a column, when a pair names it.
const vb::Variant* ValoreCoppia(const Coppie& coppie, const std::string& colonna) {
  const vb::Variant* trovato = nullptr;
  for (size_t i = 0; i + 1 < coppie.size(); i += 2)
    if (vb::UgualeTesto(vb::Trim(coppie[i].ToString()), colonna)) trovato = &coppie[i + 1];
  return trovato;
}

void ScriviCoppie(dati::GestRecordset& rs, const std::string& k, const Coppie& coppie) {
  for (size_t i = 0; i + 1 < coppie.size(); i += 2) rs.ScriviCampo(k, coppie[i].ToString(), coppie[i + 1]);
}

}  // namespace

vb::Variant CancRigheTab(const std::string& psTabella, int16_t piAnno, int32_t plNumRif,
                         const std::string& psColonna) {
  try {
    servizi::DbDitta().EseguiSql(G().gsConnAzienda, "Delete from " + psTabella + Dove(piAnno, psColonna, plNumRif));
    return vb::Variant(int16_t(0));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return vb::Variant(static_cast<int32_t>(Fc().CodiceErrore(e.Number())));
  }
}

vb::Variant CancDoc(const std::string& psTipo, int16_t piAnno, int32_t plNumRif, std::string& psChiaveLock,
                    const vb::Variant& pvGestione, bool pbNuovoBlocco, bool pbMsg, bool pbStornaMov) {
  Globali& g = G();
  try {
    if (pbStornaMov)
      vb::Solleva(vb::ErrChiamataNonValida, "Lo storno dei movimenti non si fa nella cancellazione delle righe");
    std::string gestione =
        vb::Trim(pvGestione.IsMissing() || pvGestione.IsEmpty() ? psTipo : servizi::Testo(pvGestione));
    int16_t nuovo = pbNuovoBlocco ? -1 : 0;
    std::string utente, varie;
    const int16_t blocco = ComLock::BloccaDoc("6", psTipo, piAnno, plNumRif, nuovo, pbMsg ? -1 : 0, psChiaveLock,
                                              "Il movimento", utente, gestione, varie);
    if (blocco > 0) return vb::Variant(int16_t(1));
    struct Tabella {
      std::string nome;
      const char* colonna;
    };
    const Tabella tabelle[] = {{g.gsTabDett, "NumRif"},
                               {g.gsTabLiv, "NumRif"},
                               {g.gsTabMatr, "NumRif"},
                               {g.gsTabRintraccia, "NumReg"},
                               {g.gsTabSpese, "NumRif"}};
    // All the tables or none: a deletion that stops half-way leaves the
    // document whole (under its lock in "6", for the caller to release).
    TransDocumento trans;
    for (const Tabella& t : tabelle) {
      if (Fc().Vuoto(t.nome)) continue;
      vb::Variant r = CancRigheTab(t.nome, piAnno, plNumRif, t.colonna);
      if (r.ToLong() != 0) return r;
    }
    trans.Conferma();
    return vb::Variant(int16_t(0));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    const long n = Fc().CodiceErrore(e.Number());
    return vb::Variant(static_cast<int32_t>(n != 0 ? n : 1));
  }
}

vb::Variant CopiaRighe(int16_t piAnno, int32_t plNumRif, const std::string& pvTabOrig, const std::string& pvTabDest,
                       bool pbCancDestErr, bool pbNumRif, const Coppie& pvCoppie) {
  const std::string colonna = pbNumRif ? "NumRif" : "NumReg";
  // The key the copies will carry: a pair may give them another document's.
  int16_t annoDest = piAnno;
  int32_t numDest = plNumRif;
  if (const vb::Variant* v = ValoreCoppia(pvCoppie, "Anno")) annoDest = Fc().ValInt(*v);
  if (const vb::Variant* v = ValoreCoppia(pvCoppie, colonna)) numDest = Fc().ValLong(*v);
  const std::string doveDest = Dove(annoDest, colonna, numDest);

  dati::GestRecordset rs;
  long fallita = 0;
  try {
    const std::string ko = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                            "Select * from " + pvTabOrig + Dove(piAnno, colonna, plNumRif), false, 4);
    if (rs.NessunRecord(ko)) {
      rs.ChiudiRecordset(ko);
      return vb::Variant(int16_t(0));
    }
    servizi::DbDitta().EseguiSql(G().gsConnAzienda, "Delete from " + pvTabDest + doveDest);
    const std::string kd =
        rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", "Select * from " + pvTabDest + doveDest, false, 2);
    rs.PrimoRec(ko);
    while (!rs.FineRec(ko)) {
      const long r = rs.CopiaRecord(ko, kd, true, false, false);
      if (r != 0) {
        fallita = r;
        break;
      }
      if (pbNumRif) rs.ScriviCampo(kd, colonna, rs.LeggiCampoNull(ko, "NumRif"));
      ScriviCoppie(rs, kd, pvCoppie);
      rs.SalvaRecord(kd);
      rs.ProssimoRec(ko);
    }
    if (fallita == 0) {
      rs.ChiudiRecordset(kd);
      rs.ChiudiRecordset(ko);
      return vb::Variant(int16_t(0));
    }
    try {
      if (rs.Esiste(kd)) rs.RecordsetDao(kd).CancelUpdate();
    } catch (const vb::Errore&) {
    }
    const long n = Fc().CodiceErrore(-(fallita + 100));
    Avvisi::MsgCom("Errore " + std::to_string(n) + " nel trasferimento dati dall'archivio di appoggio" + "\r\n" +
                   "Verificare il problema ed usare il programma di ripristino");
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
  }
  if (pbCancDestErr) {
    // What this copy added goes again: the target keeps no half document.
    try {
      servizi::DbDitta().EseguiSql(G().gsConnAzienda, "Delete from " + pvTabDest + doveDest);
    } catch (const vb::Errore&) {
    }
  }
  return vb::Variant(int16_t(1));
}

vb::Variant DuplRighe(int16_t piAnno, int32_t plNumRif, int16_t piAnnoNew, int32_t plNumRifNew,
                      const std::string& pvTabOrig, const std::string& pvTabDest, const Coppie& pvCoppie) {
  dati::GestRecordset rs;
  try {
    const std::string ko = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                            "Select * from " + pvTabOrig + Dove(piAnno, "NumRif", plNumRif), false, 4);
    if (rs.NessunRecord(ko)) return vb::Variant(int16_t(0));
    const std::string kd = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                            "Select * from " + pvTabDest + Dove(piAnnoNew, "NumRif", plNumRifNew),
                                            false, 2);
    while (!rs.FineRec(ko)) {
      if (rs.CopiaRecord(ko, kd, true, false, true) != 0) {
        try {
          rs.RecordsetDao(kd).CancelUpdate();
        } catch (const vb::Errore&) {
        }
        return vb::Variant(int16_t(1));
      }
      rs.ScriviCampo(kd, "Anno", piAnnoNew);
      rs.ScriviCampo(kd, "NumRif", plNumRifNew);
      ScriviCoppie(rs, kd, pvCoppie);
      rs.SalvaRecord(kd);
      rs.ProssimoRec(ko);
    }
    return vb::Variant(int16_t(0));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    return vb::Variant(int16_t(1));
  }
}

}  // namespace UtilDocFattGest

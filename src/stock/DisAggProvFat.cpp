// The give-back of a deleted DDT to its source documents.
#include "stock/DisAggProvFat.h"

#include <functional>
#include <vector>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "platform/Currency.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"
#include "stock/OrdEvaUt.h"

namespace DisAggProvFat {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
std::string Tx(const std::string& v) { return Fc().ValoreSql(v, vb::vbString); }
std::string In(int16_t v) { return Fc().ValoreSql(v, vb::vbInteger); }
std::string Lg(int32_t v) { return Fc().ValoreSql(v, vb::vbLong); }

// A source document as the DDT's lines name it, and what was found of it.
struct Fonte {
  int16_t anno = 0;
  int32_t numRif = 0;
  bool esiste = false;
  long numDoc = 0;
};

std::vector<Fonte> LeggiFonti(const std::string& psTestata, const std::string& psTipo, int16_t piAnno,
                              int32_t plNumRif) {
  const std::string d = G().gsTabDett;
  const std::string h = psTestata;
  const std::string sql = "Select " + d + ".AnnoRifProv as AnnoRiferim, " + d +
                          ".NumRifProv as NumRiferim, First(" + h + ".Anno) as AnnoDocOrg, First(" + h +
                          ".NumRif) as NumrifDocOrg, First(" + h + ".PreDoc) as PrefDoc, First(" + h +
                          ".NumDoc) as NumDoc, First(" + h + ".DataDoc) as DataDoc From " + d + " Left Join " + h +
                          " On " + d + ".AnnoRifProv = " + h + ".Anno And " + d + ".NumRifProv = " + h +
                          ".NumRif Where " + d + ".TipoProv = " + Tx(psTipo) + " And " + d + ".Anno = " +
                          In(piAnno) + " And " + d + ".NumRif = " + Lg(plNumRif) + " Group By " + d +
                          ".AnnoRifProv, " + d + ".NumRifProv, " + d + ".TipoProv";
  std::vector<Fonte> v;
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  while (!rs.FineRec(k)) {
    Fonte f;
    f.anno = Fc().ValInt(rs.LeggiCampo(k, "AnnoRiferim"));
    f.numRif = Fc().ValLong(rs.LeggiCampo(k, "NumRiferim"));
    f.esiste = Fc().ValInt(rs.LeggiCampo(k, "AnnoDocOrg")) != 0;
    f.numDoc = Fc().ValLong(rs.LeggiCampo(k, "NumDoc"));
    v.push_back(f);
    rs.ProssimoRec(k);
  }
  rs.ChiudiRecordset(k);
  return v;
}

bool Continua(const std::string& psAvviso) {
  return frmMsgCom::msgCom(psAvviso + "\r\n" + "Continuo con la cancellazione?", "SI", vb::Variant("NO"),
                           vb::Missing, vb::Variant("Attenzione!"), 80, false, 600, vb::Missing, 1) == 1;
}

vb::Currency Qta(const vb::Variant& v) {
  return v.IsNull() || v.IsEmpty() ? vb::Currency() : vb::Currency::FromDouble(v.ToDouble());
}

// What the order's committed quantities need to know of it.
struct DatiOrdine {
  int16_t anno = 0;
  std::string magazzino, prezziIvati, carScar, causaleDiBa, magComp;
};

// An order line, or one of its level rows, gives back a quantity; the
// committed quantity of its article follows.
void Restituisci(dati::GestRecordset& rs, const std::string& k, vb::Currency qta, bool descrittiva, bool livello,
                 const DatiOrdine& o, const std::string& articolo, const std::string& artMag,
                 const std::string& tipoIva, const vb::Variant& aliquota, const vb::Variant& qtaOrd,
                 const vb::Variant& valEuro, const vb::Variant& valLire, const std::string& l1,
                 const std::string& l2) {
  const vb::Currency prima = Qta(rs.LeggiCampoNull(k, "QtaEvasa"));
  const bool eraEvasa = vb::UgualeTesto(vb::Trim(servizi::Testo(rs.LeggiCampoNull(k, "StatoRiga"))), "E");
  rs.ModificaRecord(k);
  const vb::Currency evasa = descrittiva ? vb::Currency() : prima - qta;
  rs.ScriviCampo(k, "QtaEvasa", evasa.ToDouble());
  const bool aperta = livello ? evasa.ToDouble() <= 0 : evasa.ToDouble() == 0;
  rs.ScriviCampo(k, "StatoRiga", aperta ? vb::Variant("") : vb::Variant("P"));
  rs.SalvaRecord(k);
  if (descrittiva) return;
  OrdEvaUt::AggImpegni(0, o.anno, o.magazzino, articolo, l1, l2, qtaOrd, vb::Variant(evasa.ToDouble()),
                       vb::Variant(prima.ToDouble()), qta, valEuro, valLire, "N", eraEvasa ? -1 : 0, tipoIva,
                       aliquota, o.prezziIvati, artMag, o.carScar, livello ? "" : o.causaleDiBa,
                       livello ? "" : o.magComp, 0, 0);
}

// The article, its stock flag and the VAT of an order line.
struct DatiRiga {
  std::string articolo, artMag, tipoIva;
  vb::Variant aliquota, qta, valEuro, valLire;
};
DatiRiga LeggiRiga(dati::GestRecordset& rs, const std::string& kr) {
  DatiRiga d;
  d.articolo = servizi::Testo(rs.LeggiCampo(kr, "Articolo"));
  d.qta = rs.LeggiCampo(kr, "Qta");
  d.valEuro = rs.LeggiCampo(kr, "ValEuro");
  d.valLire = rs.LeggiCampo(kr, "ValLire");
  const std::string iva = servizi::Testo(rs.LeggiCampo(kr, "Iva"));
  dati::GestRecordset x;
  const std::string ka = x.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                         "Select ArtMag from Articoli Where Articolo = " + Tx(d.articolo), false, 4);
  if (!x.NessunRecord(ka)) d.artMag = servizi::Testo(x.LeggiCampo(ka, "ArtMag"));
  x.ChiudiRecordset(ka);
  const std::string ki = x.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                         "Select TipoIva, Aliquota from TabIva Where Iva = " + Tx(iva), false, 4);
  if (!x.NessunRecord(ki)) {
    d.tipoIva = servizi::Testo(x.LeggiCampo(ki, "TipoIva"));
    d.aliquota = x.LeggiCampo(ki, "Aliquota");
  }
  x.ChiudiRecordset(ki);
  return d;
}

// The warehouse cause of the order's document type, its bill-of-materials
// cause and that cause's components warehouse.
void LeggiCausali(const std::string& fattDocumento, DatiOrdine& o) {
  dati::GestRecordset x;
  auto leggi = [&x](const std::string& sql, const char* campo) {
    const std::string k = x.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
    std::string v = x.NessunRecord(k) ? "" : servizi::Testo(x.LeggiCampo(k, campo));
    x.ChiudiRecordset(k);
    return v;
  };
  const std::string causale =
      leggi("Select MagCausale from FattDocumenti Where FattDocumento = " + Tx(fattDocumento), "MagCausale");
  if (causale.empty()) return;
  o.carScar = leggi("Select CarScar from MagCausali Where MagCausale = " + Tx(causale), "CarScar");
  o.causaleDiBa = leggi("Select MagCausaleDiBa from MagCausali Where MagCausale = " + Tx(causale), "MagCausaleDiBa");
  if (!o.causaleDiBa.empty())
    o.magComp =
        leggi("Select MagScaricoComp from MagCausali Where MagCausale = " + Tx(o.causaleDiBa), "MagScaricoComp");
}

// The evaded quantities the DDT took from one order, given back, with the
// states of the order's lines, level rows and header.
void RestituisciOrdine(const Fonte& o, int16_t piAnno, int32_t plNumRif, bool pbTaglie,
                       const std::function<void()>& dopoCommit) {
  Globali& g = G();
  dati::GestDatabase& db = servizi::DbDitta();
  const std::string chiaveOrd = " Where Anno = " + In(o.anno) + " And NumRif = " + Lg(o.numRif);
  dati::GestRecordset rs;
  const std::string kt = rs.ApriRecordset(db, g.gsConnAzienda, "", "Select * from OrdVenTest" + chiaveOrd, false, 2);
  if (rs.NessunRecord(kt) || vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(kt, "OrdAperto")), "S")) return;
  DatiOrdine ord;
  ord.anno = o.anno;
  ord.magazzino = servizi::Testo(rs.LeggiCampo(kt, "MagazzProv"));
  ord.prezziIvati = servizi::Testo(rs.LeggiCampo(kt, "PrezziIvati"));
  LeggiCausali(servizi::Testo(rs.LeggiCampo(kt, "FattDocumento")), ord);
  const std::string kd = rs.ApriRecordset(
      db, g.gsConnAzienda, "",
      "Select RigLiv, RigaRifProv, QtaProv from " + g.gsTabDett + " Where Anno = " + In(piAnno) + " And NumRif = " +
          Lg(plNumRif) + " And TipoProv = " + Tx("O") + " And AnnoRifProv = " + In(o.anno) +
          " And NumRifProv = " + Lg(o.numRif),
      false, 4);
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  try {
    while (!rs.FineRec(kd)) {
      const int32_t rigLiv = Fc().ValLong(rs.LeggiCampo(kd, "RigLiv"));
      const int32_t rigaOrd = Fc().ValLong(rs.LeggiCampo(kd, "RigaRifProv"));
      const std::string kr = rs.ApriRecordset(db, g.gsConnAzienda, "",
                                              "Select * from OrdVenDett" + chiaveOrd + " And RigLiv = " + Lg(rigaOrd),
                                              false, 2);
      if (!rs.NessunRecord(kr)) {
        const bool descrittiva = vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(kr, "TipoRiga")), "D");
        const DatiRiga riga = LeggiRiga(rs, kr);
        // The level rows the DDT line took, each from the order's row of
        // the same levels.
        std::string kl;
        if (pbTaglie && !descrittiva) {
          kl = rs.ApriRecordset(db, g.gsConnAzienda, "",
                                "Select Livello1, Livello2, QtaProv from " + g.gsTabLiv + " Where Anno = " +
                                    In(piAnno) + " And NumRif = " + Lg(plNumRif) + " And RigLiv = " + Lg(rigLiv),
                                false, 4);
        }
        if (!kl.empty() && !rs.NessunRecord(kl)) {
          vb::Currency totale;
          while (!rs.FineRec(kl)) {
            const vb::Currency q = Qta(rs.LeggiCampoNull(kl, "QtaProv"));
            const std::string kv = rs.ApriRecordset(
                db, g.gsConnAzienda, "",
                "Select * from OrdVenLiv" + chiaveOrd + " And RigLiv = " + Lg(rigaOrd) + " And Livello1 = " +
                    Tx(servizi::Testo(rs.LeggiCampo(kl, "Livello1"))) + " And Livello2 = " +
                    Tx(servizi::Testo(rs.LeggiCampo(kl, "Livello2"))),
                false, 2);
            if (!rs.NessunRecord(kv)) {
              totale += q;
              Restituisci(rs, kv, q, false, true, ord, riga.articolo, riga.artMag, riga.tipoIva, riga.aliquota,
                          rs.LeggiCampo(kv, "Qta"), rs.LeggiCampo(kv, "ValEuro"), rs.LeggiCampo(kv, "ValLire"),
                          servizi::Testo(rs.LeggiCampo(kv, "Livello1")), servizi::Testo(rs.LeggiCampo(kv, "Livello2")));
            }
            rs.ChiudiRecordset(kv);
            rs.ProssimoRec(kl);
          }
          const std::string kp = rs.ApriRecordset(db, g.gsConnAzienda, "",
                                                  "Select Count(*) as N from OrdVenLiv" + chiaveOrd +
                                                      " And RigLiv = " + Lg(rigaOrd) + " And (StatoRiga = " +
                                                      Tx("E") + " Or StatoRiga = " + Tx("P") + ")",
                                                  false, 4);
          const bool parziale = rs.LeggiCampo(kp, "N").ToLong() > 0;
          rs.ChiudiRecordset(kp);
          rs.ModificaRecord(kr);
          rs.ScriviCampo(kr, "QtaEvasa", (Qta(rs.LeggiCampoNull(kr, "QtaEvasa")) - totale).ToDouble());
          rs.ScriviCampo(kr, "StatoRiga", parziale ? vb::Variant("P") : vb::Variant(""));
          rs.SalvaRecord(kr);
        } else {
          Restituisci(rs, kr, Qta(rs.LeggiCampoNull(kd, "QtaProv")), descrittiva, false, ord, riga.articolo,
                      riga.artMag, riga.tipoIva, riga.aliquota, riga.qta, riga.valEuro, riga.valLire, "", "");
        }
        if (!kl.empty()) rs.ChiudiRecordset(kl);
      }
      rs.ChiudiRecordset(kr);
      rs.ProssimoRec(kd);
    }
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    dopoCommit();
  } catch (...) {
    try {
      utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    } catch (...) {
    }
    throw;
  }
  rs.ChiudiRecordset(kd);
  const std::string kc = rs.ApriRecordset(db, g.gsConnAzienda, "",
                                          "Select Count(*) as N from OrdVenDett" + chiaveOrd + " And (TipoRiga = " +
                                              Tx("A") + " Or TipoRiga = " + Tx("M") + ") And (StatoRiga = " +
                                              Tx("E") + " Or StatoRiga = " + Tx("P") + ")",
                                          false, 4);
  const bool parziale = rs.LeggiCampo(kc, "N").ToLong() > 0;
  rs.ChiudiRecordset(kc);
  rs.ModificaRecord(kt);
  rs.ScriviCampo(kt, "Stato", parziale ? vb::Variant("P") : vb::Variant(""));
  rs.SalvaRecord(kt);
}

// The source orders locked, given back one by one, unlocked. kNonProseguire
// when the user gave up at an order in use.
int16_t DisAggOrdVen(const std::vector<Fonte>& fonti, const std::string& psTipoDoc, int16_t piAnno,
                     int32_t plNumRif, bool pbTaglie) {
  std::vector<std::string> chiavi;
  auto sblocca = [&chiavi] {
    for (std::string& k : chiavi) ComLock::SbloccaDoc(&k, -1);
    chiavi.clear();
  };
  for (const Fonte& o : fonti) {
    if (!o.esiste) continue;
    for (;;) {
      std::string chiave = "DisAggOrd" + std::to_string(chiavi.size());
      int16_t nuovo = -1;
      std::string utente, gestione = psTipoDoc, varie;
      const int16_t esito = ComLock::BloccaDoc("D", "O", o.anno, o.numRif, nuovo, 0, chiave, "Ordini clienti", utente,
                                               gestione, varie, 0, psTipoDoc, piAnno, plNumRif, 0);
      if (esito == ComLock::kBloccoPreso) {
        chiavi.push_back(chiave);
        break;
      }
      ComLock::SbloccaDoc(&chiave, -1);
      if (esito == ComLock::kBloccoErrore) {
        frmMsgCom::msgCom("Ordine N." + std::to_string(o.anno) + " " + std::to_string(o.numRif) +
                          " errore nel loccaggio della testata fattura: ");
        sblocca();
        return kNonProseguire;
      }
      const int r = frmMsgCom::msgCom("Ordine N." + std::to_string(o.anno) + " " + std::to_string(o.numRif) +
                                          " in uso da " + utente,
                                      "Riprova", vb::Variant("Esci"));
      if (r != 1) {
        sblocca();
        return kNonProseguire;
      }
    }
  }
  // One order at a time: its lock row reads "L" while its lines are given
  // back in one transaction, "M" while its header state is set, then goes.
  size_t i = 0;
  for (const Fonte& o : fonti) {
    if (!o.esiste) continue;
    std::string& chiave = chiavi[i++];
    auto stato = [&chiave](const char* st) {
      int16_t nuovo = 0;
      std::string utente, gestione, varie;
      ComLock::BloccaDoc(st, "O", 0, 0, nuovo, -1, chiave, "Ordini clienti", utente, gestione, varie);
    };
    stato("L");
    try {
      RestituisciOrdine(o, piAnno, plNumRif, pbTaglie, [&] { stato("M"); });
    } catch (const vb::Errore& e) {
      // Rolled back: the order keeps its quantities and its lock row at "L",
      // which tells where the give-back stopped; the deletion is refused.
      frmMsgCom::MsgErrfrm(e, "Ordine N." + std::to_string(o.anno) + " " + std::to_string(o.numRif) + ": ");
      try {
        if (G().goRecLock) G().goRecLock->ChiudiRecordset(chiave);
      } catch (...) {
      }
      chiavi.erase(chiavi.begin() + static_cast<long>(i - 1));
      sblocca();
      return kNonProseguire;
    }
    ComLock::SbloccaDoc(&chiave, -1);
  }
  sblocca();
  return kRestituito;
}

}  // namespace

int16_t DisAggDocProv(const std::string& /*psRagDdt*/, const std::string& psProvenienza, int16_t piAnno,
                      int32_t plNumRif, std::string& psKeyLock, const std::string& psTipoLock,
                      const std::string& psTipoDoc, bool pbNuovoBlocco, std::string& psMsg,
                      const vb::Variant& /*pvAltro*/, const std::string& /*psAltro*/, bool pbNoMsg,
                      bool /*pbRipristino*/) {
  const bool taglie = vb::UgualeTesto(servizi::Testo(servizi::ParamDitta("Mag.GesTaglie")), "S");
  const std::string tipo = vb::UCase(vb::Trim(psProvenienza));
  std::string testata;
  if (tipo == "D") testata = G().gsTabTest;
  else if (tipo == "O") testata = "OrdVenTest";
  else if (tipo == "P") testata = "PrevTest";
  else return kRestituito;

  if (pbNuovoBlocco) {
    int16_t nuovo = -1;
    std::string utente, gestione = vb::Trim(psTipoDoc), varie;
    if (ComLock::BloccaDoc("D", psTipoLock, piAnno, plNumRif, nuovo, -1, psKeyLock, "Il movimento", utente, gestione,
                           varie) > 0) {
      // No lock of this call is left, and the key stands on nobody's row.
      ComLock::SbloccaDoc(&psKeyLock, -1);
      psMsg = "Documento in uso da altro utente: Non è possibile proseguire con la cancellazione ";
      if (!pbNoMsg) frmMsgCom::msgCom(psMsg);
      return kInUso;
    }
  }

  std::vector<Fonte> fonti = LeggiFonti(testata, tipo, piAnno, plNumRif);
  int16_t esito = kRestituito;
  if (fonti.empty()) {
    psMsg = "Attenzione tutti i documenti di provenienza sono stati cancellati";
    return Continua(psMsg) ? kFontiMancanti : kNonProseguire;
  }
  for (const Fonte& f : fonti) {
    if (f.esiste) continue;
    psMsg = "Attenzione, alcuni documenti di provenienza sono stati cancellati";
    if (!Continua(psMsg)) return kNonProseguire;
    // The user goes on: what still exists is given back all the same.
    esito = kFontiMancanti;
    break;
  }
  if (tipo == "D") {
    for (const Fonte& f : fonti) {
      if (!f.esiste || f.numDoc == 0) continue;
      servizi::DbDitta().EseguiSql(G().gsConnAzienda, "Update " + G().gsTabTest + " Set Stato = " + Tx("S") +
                                                          " Where Anno = " + In(f.anno) + " And NumRif = " +
                                                          Lg(f.numRif));
    }
  } else if (tipo == "O") {
    if (DisAggOrdVen(fonti, psTipoDoc, piAnno, plNumRif, taglie) == kNonProseguire) esito = kNonProseguire;
  }
  return esito;
}

}  // namespace DisAggProvFat

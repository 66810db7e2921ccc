// The restore of printed DDTs: selection, locks, states.
#include "stock/RipriDdt.h"

#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmInElab.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/barre/Avanzamento.h"
#include "platform/dati/GestDatabase.h"
#include "services/ComLock.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "stock/RipriDdt_Stato.h"

namespace RipriDdt {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
std::string Tx(const std::string& v) { return Fc().ValoreSql(vb::Variant(v), vb::vbString); }
std::string In(int16_t v) { return Fc().ValoreSql(vb::Variant(v), vb::vbInteger); }
std::string Lg(int32_t v) { return Fc().ValoreSql(vb::Variant(static_cast<long>(v)), vb::vbLong); }

// A new lock of the restore ("Gestione" 1). True when taken; false when the
// user chose "Esci" or the lock failed (a failure is then recorded).
bool Blocca(const std::string& psTipo, int16_t piAnno, int32_t plNum, const std::string& psNome,
            const std::string& psInUso, const std::string& psPadreTipo, int16_t piPadreAnno, int32_t plPadreNum,
            std::string& psChiave) {
  for (;;) {
    int16_t nuovo = -1;
    std::string utente, gestione = "1", varie;
    const int16_t esito = ComLock::BloccaDoc("0", psTipo, piAnno, plNum, nuovo, 0, psChiave, psNome, utente, gestione,
                                             varie, 0, psPadreTipo, piPadreAnno, plPadreNum, 0);
    if (esito == ComLock::kBloccoPreso) return true;
    // Nothing of ours stands under the key of a refused lock.
    ComLock::SbloccaDoc(&psChiave, -1);
    if (esito == ComLock::kBloccoInUso || esito == ComLock::kBloccoConteso) {
      if (frmMsgCom::msgCom(psInUso + utente, "Riprova", vb::Variant("Esci")) == 1) continue;
      return false;
    }
    AggErrore();
    return false;
  }
}

void StatoBlocco(const std::string& psStato, std::string& psChiave) {
  int16_t nuovo = 0;
  std::string utente, gestione = "1", varie;
  ComLock::BloccaDoc(psStato, "D", 0, 0, nuovo, -1, psChiave, "Il Ddt", utente, gestione, varie);
}

}  // namespace

Modulo& Mod() {
  static Modulo m;
  return m;
}

void AggErrore() { ++Mod().errori; }
int16_t NumErrori() { return Mod().errori; }

void RipristinoDdt(ParRipristinoDdt& pPar) {
  Modulo& m = Mod();
  m.errori = 0;
  m.livelli = vb::UgualeTesto(vb::Trim(servizi::Testo(servizi::ParamDitta("Mag.GesTaglie"))), "S") ? "S" : "N";
  m.trattamento = servizi::Testo(servizi::ParPers("DDT", "RintrTrattamento", vb::Variant("NT")));
  const bool interfLotti = vb::UgualeTesto(vb::Trim(pPar.psInterfLotti), "S");

  frmInElab elab;
  barre::Avanzamento avanz;
  bool aperto = false;
  std::string ks;
  // The locks of the DDT in hand, released on every way out.
  std::string chiaveDdt;
  std::vector<std::string> chiaviMov;
  auto rilascia = [&] {
    for (std::string& k : chiaviMov)
      if (!k.empty()) ComLock::SbloccaDoc(&k, -1);
    chiaviMov.clear();
    if (!chiaveDdt.empty()) ComLock::SbloccaDoc(&chiaveDdt, -1);
  };
  try {
    avanz.Form(elab);
    avanz.Apri(0, " Ripristino Ddt", 0, true, true, 24, " Ripristino Ddt", 2, true);
    aperto = true;
    elab.Move(elab.Left(), 0);
    elab.Show(0);
    FunVarie::Clessidra(-1);
    avanz.Errore(0, true, 16);
    avanz.Avanza(0, vb::Variant("Ripristino DDT in corso"));

    std::string sql = std::string("Select DdtTest.*, Monete.*") + ", FattDocumenti.*" +
                      ", PianoConti.Bolli, PianoConti.SpeseBan" + " FROM ((" + " DdtTest left join FattDocumenti" +
                      " on DdtTest.FattDocumento = FattDocumenti.FattDocumento)" + " left join Monete" +
                      " on DdtTest.Moneta = Monete.Moneta)" + " left join PianoConti" +
                      " on DdtTest.GruppoCli = PianoConti.Gruppo" + " and DdtTest.MastroCli = PianoConti.Mastro" +
                      " and DdtTest.ContoCli = PianoConti.Conto" + " Where " + " DdtTest.Stato = " + Tx("S");
    if (pPar.piAnno > 0) sql += " and DdtTest.Anno = " + In(pPar.piAnno);
    if (!vb::Trim(pPar.psFattDocumento).empty()) sql += " and DdtTest.FattDocumento =" + Tx(pPar.psFattDocumento);
    if (pPar.plNumRifDa > 0) sql += " and DdtTest.NumRif >=" + Lg(pPar.plNumRifDa);
    if (pPar.plNumRifA > 0) sql += " and DdtTest.NumRif <=" + Lg(pPar.plNumRifA);
    if (!vb::Trim(pPar.psPreDoc).empty()) sql += " and DdtTest.PreDoc =" + Tx(pPar.psPreDoc);
    if (pPar.plNumDocDa > 0) sql += " and DdtTest.NumDoc >=" + Lg(pPar.plNumDocDa);
    if (pPar.plNumDocA > 0) sql += " and DdtTest.NumDoc <=" + Lg(pPar.plNumDocA);
    ks = m.rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 2);

    if (m.rs.NessunRecord(ks)) {
      frmMsgCom::msgCom("Non ci sono ddt nell'intervallo", "&Ok");
    } else {
      avanz.Messaggio(m.rs.NumRecord(ks) + 1, 0);
      m.rs.PrimoRec(ks);
      m.contatore = 1;
      avanz.Titolo("Ripristino Ddt");
      bool stop = false;
      while (!m.rs.FineRec(ks) && !stop) {
        ++m.contatore;
        avanz.Avanza(m.contatore);
        const int16_t erroriPrima = m.errori;
        int32_t numRif = Fc().ValLong(m.rs.LeggiCampo(ks, "DdtTest.NumRif"));
        int16_t anno = Fc().ValInt(m.rs.LeggiCampo(ks, "DdtTest.Anno"));

        if (!Blocca("D", anno, numRif, "Il Ddt", "Ddt in uso da ", "", 0, 0, chiaveDdt)) break;
        // The state and references as they stand once the DDT is ours: the
        // selection may be older than another user's restore.
        dati::GestRecordset letto;
        const std::string kl = letto.ApriRecordset(
            servizi::DbDitta(), G().gsConnAzienda, "",
            "Select Stato, NumMovim, AnnoMovim, NumMovDiBa, AnnoMovDiBa, NumMovProd, AnnoMovProd from DdtTest"
            " Where Anno = " + In(anno) + " And NumRif = " + Lg(numRif),
            false, 4);
        const bool stampato =
            !letto.NessunRecord(kl) && vb::UgualeTesto(vb::Trim(servizi::Testo(letto.LeggiCampo(kl, "Stato"))), "S");
        if (!stampato) {
          letto.ChiudiRecordset(kl);
          frmMsgCom::msgCom("Ddt n.rif " + std::to_string(numRif) + " anno " + std::to_string(anno) + " Già evasa. ",
                            "&Ok");
          rilascia();
          break;
        }
        struct Mov {
          int16_t anno;
          int32_t num;
        };
        const Mov movim{Fc().ValInt(letto.LeggiCampo(kl, "AnnoMovim")), Fc().ValLong(letto.LeggiCampo(kl, "NumMovim"))};
        const Mov diBa{Fc().ValInt(letto.LeggiCampo(kl, "AnnoMovDiBa")),
                       Fc().ValLong(letto.LeggiCampo(kl, "NumMovDiBa"))};
        const Mov prod{Fc().ValInt(letto.LeggiCampo(kl, "AnnoMovProd")),
                       Fc().ValLong(letto.LeggiCampo(kl, "NumMovProd"))};
        letto.ChiudiRecordset(kl);

        bool lotti = false;
        std::string numDdt;
        if (movim.num > 0) {
          std::vector<Mov> daCanc;
          for (const Mov& mv : {movim, diBa, prod}) {
            if (mv.num <= 0) continue;
            std::string k;
            if (!Blocca("M", mv.anno, mv.num, "Il Mov. Magazzino", "Il Mov. Magazzino è in uso da ", "D", anno,
                        numRif, k)) {
              stop = true;
              break;
            }
            chiaviMov.push_back(k);
            daCanc.push_back(mv);
          }
          if (stop) {
            rilascia();
            break;
          }
          StatoBlocco("1", chiaveDdt);
          if (interfLotti) lotti = AggInterfLotti(m.rs, ks, m.trattamento, numDdt);
          for (size_t i = 0; i < daCanc.size(); ++i) {
            int16_t a = daCanc[i].anno;
            int32_t n = daCanc[i].num;
            CancMovim(a, n, chiaviMov[i], true);
          }
          chiaviMov.clear();
        }
        if (m.errori == erroriPrima) {
          StatoBlocco("4", chiaveDdt);
          servizi::DbDitta().EseguiSql(
              G().gsConnAzienda,
              "Update DdtTest Set Stato = " + Tx("") +
                  ", NumMovim = 0, AnnoMovim = 0, NumMovProd = 0, AnnoMovProd = 0, NumMovDiBa = 0, AnnoMovDiBa = 0"
                  " Where Anno = " + In(anno) + " And NumRif = " + Lg(numRif));
          if (interfLotti && lotti) CancSegnapostoLotti(numDdt);
        }
        rilascia();
        m.rs.ProssimoRec(ks);
      }
    }
  } catch (const vb::Errore&) {
    // Shown by nobody: the DDT concerned keeps its printed state.
    AggErrore();
  }
  rilascia();
  try {
    FunVarie::Clessidra(0);
    if (aperto) avanz.Chiudi(true);
    if (!ks.empty()) m.rs.ChiudiRecordset(ks);
  } catch (...) {
  }
}

}  // namespace RipriDdt

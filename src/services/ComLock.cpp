// Document locks in the shared table LockGest, and the next number of a
// document within its year.
#include "services/ComLock.h"

#include <memory>
#include <vector>

#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Motore.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"

namespace ComLock {

namespace {

constexpr const char* kChiaveStandard = "Standard";

dati::GestRecordset& RecLock() {
  Globali& g = G();
  if (!g.goRecLock) g.goRecLock = std::make_shared<dati::GestRecordset>();
  return *g.goRecLock;
}

// Remembers a lock row this program inserted under the key.
void Tieni(const std::string& chiave, Globali::LockTenuto riga) {
  auto& righe = G().gmLockTenuti[chiave];
  for (const auto& r : righe)
    if (vb::UgualeTesto(r.tipo, riga.tipo) && r.anno == riga.anno && r.numReg == riga.numReg) return;
  righe.push_back(std::move(riga));
}

bool StessoDoc(dati::GestRecordset& rs, const std::string& k, const Globali::LockTenuto& t) {
  return vb::UgualeTesto(servizi::Testo(rs.LeggiCampo(k, "Tipo")), t.tipo) &&
         rs.LeggiCampo(k, "Anno").ToLong() == t.anno && rs.LeggiCampo(k, "NumReg").ToLong() == t.numReg;
}

// Deletes a held lock row, as it stands now in the table: a row that
// meanwhile passed to another user (cleared by a recovery utility, then
// taken) stays. When the key's recordset is on the document, its row is
// read again and deleted there; else the row is looked up on its own.
void Cancella(dati::GestRecordset& rs, const std::string& chiave, const Globali::LockTenuto& t) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string suo = "Utente = " + fc.ValoreSql(t.utente, vb::vbString);
  bool qui = false;
  try {
    qui = rs.Esiste(chiave) && !rs.NessunRecord(chiave) && !rs.FineRec(chiave) && !rs.InizioRec(chiave) &&
          StessoDoc(rs, chiave, t);
  } catch (const vb::Errore&) {
    // The current row is gone already (deleted before): look it up.
  }
  if (qui) {
    rs.Riapri(chiave, suo);
    if (!rs.NessunRecord(chiave)) rs.CancellaRecord(chiave);
    return;
  }
  const std::string sql = std::string("Select * from LockGest") +
                          " Where Tipo = " + fc.ValoreSql(t.tipo, vb::vbString) +
                          " AND Anno = " + fc.ValoreSql(t.anno, vb::vbInteger) +
                          " AND NumReg = " + fc.ValoreSql(t.numReg, vb::vbLong) + " AND " + suo;
  dati::GestRecordset altro;
  const std::string k = altro.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 2);
  if (!altro.NessunRecord(k)) altro.CancellaRecord(k);
  altro.ChiudiRecordset(k);
}

}  // namespace

std::string TestoGestione(const std::string& psGestione) {
  static const std::pair<const char*, const char*> kTesti[] = {
      {"M", "Movimenti Interrotti"},
      {"D", "DDT Interrotti"},
      {"F", "Fatture Interrotte"},
      {"O", "Ordini Vendita Interrotti"},
      {"A", "Ordini Acquisto Interrotti"},
      {"P", "Preventivi Interrotti"},
      {"E", "Evasione Ddt in fattura: Interrotta"},
      {"0", "Evasione Ddt in fattura: Interrotta"},
      {"1", "Ripristino Ddt da stampa: Interrotto"},
      {"C", "Prima Nota Interrotti"},
  };
  for (const auto& [codice, testo] : kTesti)
    if (vb::UgualeTesto(psGestione, codice)) return testo;
  return {};
}

int16_t BloccaDoc(const std::string& psStato, const std::string& psTipo, int16_t piAnno, int32_t plNumReg,
                  int16_t& piNuovo, int16_t piMsg, std::string& psKey, const std::string& psNomeDoc,
                  std::string& psUtente, std::string& psGestione, std::string& psVarie, int16_t piSoloVerifica,
                  const std::string& psPadreTipo, int16_t piPadreAnno, int32_t plPadreNumReg,
                  int16_t piAccettaPropri, std::string* psStatoTrovato, long* plErrore,
                  std::string* psDescErrore) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  Globali& g = G();
  const bool soloVerifica = piSoloVerifica != 0;
  if (soloVerifica) piNuovo = -1;
  psUtente.clear();
  psVarie.clear();
  if (psStatoTrovato) psStatoTrovato->clear();
  const bool standard = vb::UgualeTesto(psKey, kChiaveStandard);
  std::string chiave = standard ? g.gsKeyRecLock : psKey;
  int16_t esito = kBloccoInUso;
  dati::GestRecordset& rs = RecLock();
  try {
    if (piNuovo != -1) {
      // The lock is held already under the key: only its state changes.
      rs.ModificaRecord(chiave);
      rs.ScriviCampo(chiave, "Stato", psStato);
      rs.SalvaRecord(chiave);
      esito = kBloccoPreso;
    } else {
      const std::string sql = std::string("Select * from LockGest") +
                              " Where Tipo = " + fc.ValoreSql(psTipo, vb::vbString) +
                              " AND Anno = " + fc.ValoreSql(piAnno, vb::vbInteger) +
                              " AND NumReg = " + fc.ValoreSql(plNumReg, vb::vbLong);
      // The rows this program took under the key stay its own when the key
      // moves on to this document: they are released with the key.
      const std::string chiavePrima = chiave;
      chiave = rs.ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, chiave, sql, false, 2);
      if (chiave != chiavePrima && !chiavePrima.empty()) {
        auto it = g.gmLockTenuti.find(chiavePrima);
        if (it != g.gmLockTenuti.end()) {
          auto righe = std::move(it->second);
          g.gmLockTenuti.erase(it);
          auto& nuove = g.gmLockTenuti[chiave];
          nuove.insert(nuove.end(), righe.begin(), righe.end());
        }
      }
      if (rs.NessunRecord(chiave)) {
        if (soloVerifica) {
          esito = kBloccoAssente;
        } else {
          rs.NuovoRecord(chiave);
          rs.ScriviCampo(chiave, "Tipo", psTipo);
          rs.ScriviCampo(chiave, "Anno", piAnno);
          rs.ScriviCampo(chiave, "NumReg", plNumReg);
          const std::string utente = servizi::UtenteMenu();
          rs.ScriviCampo(chiave, "Utente", utente);
          rs.ScriviCampo(chiave, "Stato", psStato);
          rs.ScriviCampo(chiave, "Ora", vb::Date::Now());
          rs.ScriviCampo(chiave, "Gestione", psGestione);
          rs.ScriviCampo(chiave, "Varie", psVarie);
          rs.ScriviCampo(chiave, "PadreTipo", psPadreTipo);
          rs.ScriviCampo(chiave, "PadreAnno", piPadreAnno);
          rs.ScriviCampo(chiave, "PadreNumReg", plPadreNumReg);
          rs.SalvaRecord(chiave);
          // The row is ours from the moment it is stored, so that unlocking
          // removes it whatever happens next.
          Tieni(chiave, {psTipo, piAnno, plNumReg, utente});
          rs.VaiUltimoMod(chiave);
          esito = kBloccoPreso;
        }
      } else {
        psUtente = servizi::Testo(rs.LeggiCampo(chiave, "Utente"));
        psVarie = servizi::Testo(rs.LeggiCampo(chiave, "Varie"));
        if (psStatoTrovato) *psStatoTrovato = servizi::Testo(rs.LeggiCampo(chiave, "Stato"));
        psGestione = servizi::Testo(rs.LeggiCampo(chiave, "Gestione"));
        if (soloVerifica) {
          esito = kBloccoPreso;
        } else if (piAccettaPropri > 0 && vb::UgualeTesto(psUtente, servizi::UtenteMenu())) {
          esito = kBloccoProprio;
        } else if (piMsg != 0) {
          Avvisi::MsgOk(psNomeDoc + " (anno: " + std::to_string(piAnno) + " - Num.: " + std::to_string(plNumReg) +
                        ") è in uso da:" + "\r\n" + psUtente + "\r\n" + "Impossibile effettuare variazioni" +
                        "\r\n" + "Se nessuno lo sta usando sbloccare con l'utility: " + "\r\n" + "Gestione " +
                        TestoGestione(psGestione));
        }
      }
    }
  } catch (const vb::Errore& e) {
    esito = kBloccoErrore;
    const long n = fc.CodiceErrore(e.Number());
    if (plErrore) *plErrore = n;
    if (psDescErrore) *psDescErrore = e.Description();
    if (n == dati::ErrChiaveDuplicata || n == dati::ErrOdbc) {
      // Someone inserted the same lock first: the key decides.
      esito = kBloccoConteso;
      if (piMsg != 0) vb::MsgBox(psNomeDoc + " è in uso" + "\r\n" + "Impossibile effettuare variazioni", vb::vbCritical);
    } else if (piMsg != 0) {
      Avvisi::MsgErr(e);
    }
  }
  if (standard) g.gsKeyRecLock = chiave;
  else psKey = chiave;
  return esito;
}

void SbloccaDoc(std::string* psKey, int16_t piChiudi) {
  Globali& g = G();
  std::string& variabile = psKey && !vb::UgualeTesto(*psKey, kChiaveStandard) ? *psKey : g.gsKeyRecLock;
  const std::string chiave = variabile;
  dati::GestRecordset& rs = RecLock();
  // Only the rows this program inserted under the key: after a refusal or a
  // check the recordset stands on the holder's lock, which may be another
  // user's, and a key asked again for a document it already held stands on
  // this program's own row.
  std::vector<Globali::LockTenuto> tenuti;
  if (auto it = g.gmLockTenuti.find(chiave); it != g.gmLockTenuti.end()) {
    tenuti = std::move(it->second);
    g.gmLockTenuti.erase(it);
  }
  for (const auto& t : tenuti) {
    try {
      Cancella(rs, chiave, t);
    } catch (...) {
    }
  }
  if (piChiudi == -1) {
    try {
      if (rs.Esiste(chiave)) rs.ChiudiRecordset(chiave);
    } catch (...) {
    }
    variabile.clear();
  }
}

int32_t CalcProssNum(int16_t piAnno, const std::string& psTabella, const std::string& psColonna, int16_t piModo,
                     int16_t piForma) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string dove = piModo == 0 ? " where anno = " + fc.ValoreSql(piAnno, vb::vbInteger) : std::string();
  const std::string sql = piForma == -1
                              ? "Select max(" + psColonna + ") as MaxNum from " + psTabella + dove
                              : "Select Top 1 " + psColonna + " as MaxNum from " + psTabella + dove +
                                    " order by " + psColonna + " desc";
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  vb::Variant massimo = rs.NessunRecord(k) ? vb::Variant(vb::Null) : rs.LeggiCampoNull(k, "MaxNum");
  rs.ChiudiRecordset(k);
  return massimo.IsNull() || massimo.IsEmpty() ? 1 : massimo.ToLong() + 1;
}

}  // namespace ComLock

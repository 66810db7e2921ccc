#include <chrono>
#include <thread>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/menu/ClientMenu.h"
#include "platform/ui/Form.h"

namespace AziendaUtil {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

menu::ClientMenu& Client() {
  auto& c = G().goMenuClient;
  if (!c) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  return *c;
}

int Avviso(const std::string& testo) { return frmMsgCom::msgCom(testo, "&Ok"); }

// Waits about `ms` milliseconds of real time, letting pending window
// messages, timers and menu commands through meanwhile.
void Pausa(int ms) {
  const auto fine = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < fine) {
    ui::DoEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

int16_t LanciaStampaDoc(const std::string& psKeyPrim, const std::string& psKeySec, const std::string& psProg1,
                        const std::string& psProg2, const std::vector<std::string>& psNomi,
                        const std::vector<vb::Variant>& pvValori, int16_t pbCoda, int16_t piAnno, int32_t plNumReg,
                        const std::string& psPrgStampa, int16_t pbAttendi) {
  Globali& g = G();
  g.gsLanciaKeyPrim = psKeyPrim;
  g.gsLanciaKeySec = psKeySec;
  dati::GestRecordset rs;
  std::string k;
  try {
    menu::ClientMenu& client = Client();
    const std::string richiesta = "menuprginesec|" + psKeyPrim + "~" + psPrgStampa;
    bool gira = client.InEsecuzione(richiesta, 12);
    if (pbAttendi != 0) {
      while (gira) {
        Avviso("Programma di stampa già in esecuzione\r\nChiuderlo e poi premere continua");
        gira = client.InEsecuzione(richiesta, 12);
      }
    } else if (gira) {
      Avviso("Programma di stampa già in esecuzione\r\nChiuderlo e poi rilanciare la stampa");
      return -1;
    }
    if (pbCoda == -1) {
      if (!g.goDbAzienda) vb::Solleva(91, "Variabile oggetto non impostata: goDbAzienda");
      const std::string utente = client.Utente();
      const std::string programma = psProg1 + psProg2;
      k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                           "Select * from DocDaElab Where Utente = " + Fc().ValoreSql(vb::Variant(utente), vb::vbString) +
                               " AND Programma = " + Fc().ValoreSql(vb::Variant(programma), vb::vbString) +
                               " AND Anno = " + Fc().ValoreSql(vb::Variant(piAnno), vb::vbInteger),
                           false, 2);
      if (!rs.NessunRecord(k)) {
        const int r = frmMsgCom::msgCom(
            "(DocDaElab) Risultano delle stampe non ancora concluse. Confermi la cancellazione di queste stampe?", "&Si",
            vb::Variant("&No"));
        if (r != 1) {
          rs.ChiudiRecordset(k);
          return -1;
        }
        try {
          while (!rs.NessunRecord(k)) {
            rs.CancellaRecord(k);
            // Moving onto an emptied recordset is an error of its own.
            if (rs.NumRecord(k) == 0) break;
            rs.PrimoRec(k);
          }
        } catch (const vb::Errore& e) {
          // Another user finished those prints meanwhile: nothing left to delete.
          if (Fc().CodiceErrore(e.Number()) != 3197) throw;
        }
      }
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Utente", vb::Variant(utente));
      rs.ScriviCampo(k, "Programma", vb::Variant(programma));
      rs.ScriviCampo(k, "Anno", vb::Variant(piAnno));
      rs.ScriviCampo(k, "NumReg", vb::Variant(static_cast<long>(plNumReg)));
      rs.ScriviCampo(k, "DataOraEvas", vb::Variant(vb::Date::Now()));
      rs.ScriviCampo(k, "Comando", vb::Variant("S"));
      rs.SalvaRecord(k);
    }
    for (size_t i = 0; i < psNomi.size() && i < pvValori.size(); ++i)
      client.ScriviValoreLancio(psNomi[i], 12, true, pvValori[i]);
    client.LanciaProgramma("Tutti", "SelezioneDaFile");
    if (!k.empty()) rs.ChiudiRecordset(k);
    return 0;
  } catch (const vb::Errore& e) {
    Avviso("(Lancio Stampa Doc) Errore n°" + std::to_string(Fc().CodiceErrore(e.Number())) + " :" + e.Description());
    membri::Ignora([&] {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    });
    return -1;
  }
}

int16_t AttendiAvvioStampa(const std::string& psProgramma) {
  std::string passo = "controllo se il lancio è avvenuto correttamente";
  try {
    menu::ClientMenu& client = Client();
    const vb::Variant esito = client.RisultatoLancio("RisUltPrgLanc", vb::Missing, "", vb::Missing);
    if (!esito.IsNull() && !esito.IsEmpty() && !esito.ToString().empty()) {
      Avviso("Non è stato possibile lanciare in esecuzione il programma di stampa");
      return -1;
    }
    std::string testo;
    FunVarie::LeggiParIni("Base", "TempoMaxCarStampa", "10", testo);
    float limite = Fc().ValSingle(vb::Variant(testo), false);
    if (limite < 1) limite = 1;
    passo = "aspetto ... ";
    int16_t stato = 1;
    const auto inizio = std::chrono::steady_clock::now();
    auto trascorsi = [&] {
      return std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    };
    while (trascorsi() < limite && stato == 1) {
      stato = client.EseguiFunzione("Partito", "Tutti", menu::ValoreMenu(vb::Variant(psProgramma))).ToInt();
      // The print program needs time to start: ask again a little later,
      // and meanwhile let the windows and the menu's commands through.
      if (stato == 1) Pausa(100);
    }
    passo = "Dopo l'attesa";
    if (stato == 2) {
      Avviso("Il programma di stampa non è partito correttamente");
      return -1;
    }
    if (stato == 1) {
      // Not started within the limit: no success to report.
      Avviso("Il programma di stampa è in debug o ha dei problemi a partire");
      return -1;
    }
    passo = "Uscita";
    // Bringing the print program's window forward is the desktop's part;
    // its identity is read as the legacy did, errors ignored.
    membri::Ignora([&] { client.LeggiParam("ID:" + G().gsLanciaKeyPrim, ""); });
    return 0;
  } catch (const vb::Errore& e) {
    Avviso("(PostLancioStampaDoc) Errore n°" + std::to_string(Fc().CodiceErrore(e.Number())) + " :" + e.Description() +
           " in: " + passo);
    return 0;
  }
}

}  // namespace AziendaUtil

// Opening of the company database: the suite ini found, the database's own
// ini chosen, the parameters confirmed when asked, the login.
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/ParametriMenu.h"
#include "common/frmConn.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

std::string Testo(const vb::Variant& v) { return v.IsEmpty() || v.IsNull() ? std::string() : v.ToString(); }

std::string IniSuite(const std::string& sezione, const std::string& chiave) {
  std::string v;
  Fc().LeggiIniFile(sezione, chiave, vb::Variant(""), v, G().gsFileIni);
  return v;
}

// GetPrivateProfileInt: the leading number of the value, the default when
// the key is absent.
long IntIni(const std::string& sezione, const std::string& chiave, long def) {
  std::string v;
  if (Fc().LeggiIniFile(sezione, chiave, vb::Variant(""), v, G().gsFileIni) == 0) return def;
  return static_cast<long>(vb::Val(v));
}

std::string CartellaProgramma() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : p.parent_path().string();
}

std::string CartellaCorrente() {
  std::error_code ec;
  auto p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : p.string();
}

int16_t Rinuncia() {
  mainDdt::RilasciaDopoErrore(-1);
  return -1;
}

}  // namespace

namespace utilprg {

int16_t ApriDbAzienda(const std::string& psFileIni, std::shared_ptr<dati::GestDatabase>& pgDb,
                      std::string& psConnAzienda, const std::string& psFileInst) {
  Globali& g = G();
  const auto& fc = Fc();
  const std::string crlf = "\r\n";
  // 1.
  g.gsPwdDbAzie = Testo(ComLock::LeggiParMenu("PwdDbAzie"));
  g.gsSepDecimali = fc.SepDecimali();
  g.gsSepOra = fc.SepOra();

  // 2. The suite ini, when the menu gave none.
  if (fc.Vuoto(vb::Variant(g.gsFileIni))) {
    std::vector<std::function<std::string()>> candidati = {
        [&] { return vb::Trim(fc.LeggiSwitch(g.gsRigaComando, "I")); },
        [&] {
          std::string v;
          fc.LeggiIniFile("Setup", "IniPrincipale", vb::Variant(""), v, psFileInst);
          return v;
        },
        [&] { return fc.CartellaSistema() + "\\" + psFileIni; },
        [&] { return CartellaProgramma() + "/main/" + psFileIni; },
        [&] { return CartellaCorrente() + "/" + psFileIni; },
        [&] { return CartellaProgramma() + "/" + psFileIni; },
    };
    for (const auto& c : candidati) {
      const std::string f = c();
      if (!f.empty() && fc.EsisteFile(f)) {
        g.gsFileIni = f;
        break;
      }
    }
    if (fc.Vuoto(vb::Variant(g.gsFileIni))) {
      vb::MsgBox("File ini non trovato" + crlf + "Sistemare e rieseguire", vb::vbCritical);
      return Rinuncia();
    }
  }

  while (true) {
    // 3. The database's ini: chosen from the list, or the default one.
    std::string scelta;
    const long n = IntIni("Parametri Generali", "NumIni", 0);
    if (n >= 1) {
      std::string prompt = "Numero di ini scelto" + crlf + "(da 0 a " + std::to_string(n) + ")";
      for (long i = 1; i <= n; ++i)
        prompt += crlf + std::to_string(i) + " -> " + IniSuite("Lista File Ini", "OrdIniDBase" + std::to_string(i));
      const int16_t r = fc.ValInt(vb::Variant(vb::InputBox(prompt, "Scelta dell'INI", "0")));
      if (r >= 1 && r <= n) scelta = IniSuite("Lista File Ini", "OrdIniDBase" + std::to_string(r));
    }
    if (scelta.empty()) {
      scelta = IniSuite("Parametri Generali", "OrdIniDBase");
      if (scelta.empty()) {
        vb::MsgBox(std::string("File di inizializzazione non trovato") + "\n" + "o con informazioni non corrette." +
                       "\n" + "Correggere e rieseguire il programma.",
                   vb::vbCritical);
        return Rinuncia();
      }
    }
    g.gsFileIniDb = scelta;
    // 4-5. The parameters shown for confirmation when asked.
    const std::string vis = vb::UCase(IniSuite("Parametri Generali", "VisParam"));
    if (vis == "TUTTO" || vis == "DB1") {
      const int r = vb::MsgBox("Parametri letti:" + crlf + "File dei parametri: " + scelta + crlf +
                                   "Database: " + g.gsNomeDBAzie + crlf +
                                   "Tipo Connessione: " + utilprg::SenzaPassword(g.gsConnectDBAzie) + crlf,
                               vb::vbYesNoCancel | vb::vbQuestion);
      if (r == vb::vbNo) continue;
      // Only a plain Yes goes on: a box closed without an answer gives up.
      if (r != vb::vbYes) return Rinuncia();
    }
    break;
  }

  // 6. The opening; an unreadable file may be repaired and opened again.
  while (true) {
    try {
      frmConn& f = FrmConn();
      f.Show(0);
      f.SetCaption("Connessione primaria al database");
      ui::DoEvents();
      if (!pgDb) vb::Solleva(91, "Variabile oggetto non impostata: goDbAzienda");
      psConnAzienda = Testo(AziendaUtil::ApriDbLogin(*pgDb, g.gsNomeDBAzie, g.gsPwdDbAzie, g.gsConnectDBAzie));
      break;
    } catch (const vb::Errore& e) {
      const long codice = fc.CodiceErrore(e.Number());
      if (codice == 3343) {
        const int r = vb::MsgBox("Errore nell'apertura del database " + g.gsNomeDBAzie + crlf +
                                     "Vuoi tentare di recuperarlo",
                                 vb::vbOKCancel | vb::vbQuestion);
        if (r == vb::vbOK && fc.VerifFile(g.gsNomeDBAzie) == 0) continue;
        return Rinuncia();
      }
      vb::MsgBox("Errore " + std::to_string(e.Number()) + " nell'apertura del database." + "\n" +
                     "Correggere e riprovare. (" + e.Description() + ") ",
                 vb::vbCritical);
      return Rinuncia();
    }
  }
  // 7.
  g.gsAccMenuPwd = Testo(ComLock::LeggiParMenu("AccMenuPwd"));
  return 0;
}

}  // namespace utilprg

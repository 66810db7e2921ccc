#include "common/ZelOpenDbMenu.h"

#include <functional>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/frmConn.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/menu/ClientMenu.h"
#include "platform/ui/Form.h"

namespace ZelOpenDbMenu {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

std::string Ini(const std::string& sezione, const std::string& chiave, std::string& valore) {
  return FunVarie::LeggiParIni(sezione, chiave, "", valore);
}

void ChiudiSplash() {
  membri::Ignora([] {
    if (FrmConn().Caricata()) FrmConn().Unload();
  });
}

// Runs one step of the opening; an unreadable file may be repaired and the
// step run again. False when the opening must stop (already told).
bool Passo(const std::function<void()>& passo) {
  const Globali& g = G();
  while (true) {
    try {
      passo();
      return true;
    } catch (const vb::Errore& e) {
      const long codice = Fc().CodiceErrore(e.Number());
      if (codice == 3343) {
        const int r = vb::MsgBox("Errore nell'apertura del database " + g.gsNomeDbMenu + "\r\n" +
                                     "Vuoi tentare di recuperarlo",
                                 vb::vbOKCancel | vb::vbQuestion);
        if (r == vb::vbOK && Fc().VerifFile(g.gsNomeDbMenu) == 0) continue;
        return false;
      }
      vb::MsgBox("Errore " + std::to_string(e.Number()) + " nell'apertura del database." + "\n" +
                     "Correggere e riprovare. (" + e.Description() + ") ",
                 vb::vbCritical);
      return false;
    }
  }
}

}  // namespace

vb::Variant ApriDbMenu() {
  Globali& g = G();
  std::string nome;
  if (Ini("Menu", "NomeDB", nome) == "0") {
    vb::MsgBox("File di inizializzazioni: \n" + g.gsFileIni + "\n" + " non trovato " + " o con informazioni non corrette." +
                   "\n" + "Correggere e rieseguire il programma.",
               vb::vbCritical);
    return -1;
  }
  // A drive, a network share or a path of this system stands as it is;
  // anything else is relative to DriveDB.
  if (vb::Mid(nome, 2, 1) != ":" && vb::Left(nome, 2) != "\\\\" && vb::Left(nome, 1) != "/") {
    std::string drive;
    Ini("Menu", "DriveDB", drive);
    nome = drive + nome;
  }
  g.gsNomeDbMenu = nome;
  std::string connect;
  Ini("Menu", "Connect", connect);
  g.gsConnectDbMenu = connect;

  bool ok = Passo([] {
    frmConn& f = FrmConn();
    f.Load();
    f.Show(0);
    f.SetCaption("Connessione database Comune");
    ui::DoEvents();
  });
  std::string chiave;
  ok = ok && Passo([&] {
         if (!g.goDbAzienda) vb::Solleva(91, "Variabile oggetto non impostata: goDbAzienda");
         chiave = AziendaUtil::ApriDbLogin(*g.goDbAzienda, g.gsNomeDbMenu, g.gsAccMenuPwd, g.gsConnectDbMenu).ToString();
       });
  // The login has told its own failure; a key that is no key is one.
  if (ok && (Fc().Vuoto(vb::Variant(chiave)) || vb::UgualeTesto(vb::Left(chiave, 4), "Err:"))) ok = false;
  if (ok) {
    g.gsConnMenu = chiave;
    std::string login, pwd;
    if (g.goMenuClient) {
      const vb::Variant l = g.goMenuClient->LeggiParam("SqlLogin", "");
      const vb::Variant p = g.goMenuClient->LeggiParam("SqlPwd", "");
      login = l.IsNull() ? "" : l.ToString();
      pwd = p.IsNull() ? "" : p.ToString();
    }
    ok = Passo([&] { g.goDbDaoMenu = utilprg::ApriDbDao(g.gsNomeDbMenu, login, pwd); });
    if (!ok) {
      membri::Ignora([&] { g.goDbAzienda->ChiudiDatabase(g.gsConnMenu); });
      g.gsConnMenu.clear();
    }
  }
  ChiudiSplash();
  return ok ? 0 : -1;
}

vb::Variant GestMemo(const std::string& psCodice, int16_t piNum, std::string& psMemo, std::string& psDescr) {
  bool risultato = false;
  if (piNum < 1 || piNum > 5) {
    psMemo.clear();
    psDescr.clear();
    return false;
  }
  const Globali& g = G();
  dati::GestRecordset rs;
  std::string k;
  try {
    if (!g.goDbAzienda) vb::Solleva(91, "Variabile oggetto non impostata: goDbAzienda");
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnMenu, "",
                         "Select * from Appoggio Where Codice = " + Fc().ValoreSql(vb::Variant(psCodice), vb::vbString),
                         false, 2);
    if (rs.NessunRecord(k)) {
      psMemo.clear();
      psDescr.clear();
    } else {
      const std::string n = std::to_string(piNum);
      const vb::Variant d = rs.LeggiCampo(k, "Descr" + n);
      const vb::Variant m = rs.LeggiCampo(k, "Memo" + n);
      psDescr = d.IsNull() ? "" : d.ToString();
      psMemo = m.IsNull() ? "" : m.ToString();
      risultato = true;
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore&) {
    frmMsgCom::MsgErrfrm();
    membri::Ignora([&] {
      if (!k.empty()) rs.ChiudiRecordset(k);
    });
    return false;
  }
  return risultato;
}

}  // namespace ZelOpenDbMenu

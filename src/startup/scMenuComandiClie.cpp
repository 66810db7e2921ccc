#include "startup/scMenuComandiClie.h"

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/UtilClient.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

ui::Form* Caricata(const std::string& nome) {
  for (ui::Form* f : ui::Forms())
    if (vb::UgualeTesto(f->Name(), nome)) return f;
  return nullptr;
}

int Avviso(const std::string& testo) { return frmMsgCom::msgCom(testo, "&Ok"); }

std::string Testo(const vb::Variant& v) { return v.IsEmpty() || v.IsNull() ? std::string() : v.ToString(); }

}  // namespace

scMenuComandiClie::scMenuComandiClie() : mgMenuClient(std::make_shared<menu::ClientMenu>()) { Aggancia(); }

scMenuComandiClie::~scMenuComandiClie() {
  if (mgMenuClient) mgMenuClient->EseguiComando = nullptr;
  mgMenuClient.reset();
}

void scMenuComandiClie::ogMenuClient(std::shared_ptr<menu::ClientMenu> pgMenuClient) {
  if (mgMenuClient) mgMenuClient->EseguiComando = nullptr;
  mgMenuClient = std::move(pgMenuClient);
  Aggancia();
}

void scMenuComandiClie::Aggancia() {
  if (!mgMenuClient) return;
  mgMenuClient->EseguiComando = [this](const std::string& psIdMenu, const std::string& psKeySec,
                                       const std::string& psCom, const menu::ValoreMenu& pvParam,
                                       vb::Variant& pvRitComando) {
    mgMenuClient_EseguiComando(psIdMenu, psKeySec, psCom, pvParam, pvRitComando);
  };
}

void scMenuComandiClie::mgMenuClient_EseguiComando(const std::string& psIdMenu, const std::string& psKeySec,
                                                   const std::string& psCom, const menu::ValoreMenu& pvParam,
                                                   vb::Variant& pvRitComando) {
  msUltCom = psCom;
  msUltParam = pvParam.Testo();
  mvUltParam = pvParam;
  // The command may close the program and release this holder: nothing of
  // it is touched afterwards.
  mainDdt::GestComandoMenu(psIdMenu, psKeySec, psCom, pvParam, pvRitComando);
}

namespace mainDdt {

void GestComandoMenu(const std::string& psIdMenu, const std::string& psKeySec, const std::string& psCom,
                     const menu::ValoreMenu& pvParam, vb::Variant& pvRitComando) {
  Globali& g = G();
  if (vb::LCase(psCom) == "fine") {
    // A new close request: what stopped an earlier one does not answer for it.
    g.gsMotivoNoChiudi.clear();
    int inDett = -1;
    if (ui::Form* testata = Caricata("frmDdtTest")) {
      try {
        inDett = testata->LeggiPerNome("oiInDett").ToInt();
      } catch (const vb::Errore&) {
        inDett = -1;
      }
    }
    if (inDett != -1) {
      std::string sotto = "frmSpeseDoc";
      if (inDett == 1) {
        int inDeLiv = 0;
        if (ui::Form* dett = Caricata("frmDDTDett"))
          membri::Ignora([&] { inDeLiv = dett->LeggiPerNome("oiInDeLiv").ToInt(); });
        sotto = inDeLiv == 1 ? "frmDDtDeLiv" : inDeLiv == 2 ? "frmGestLivelli" : "frmDDTDett";
      }
      if (ui::Form* f = Caricata(sotto)) membri::Ignora([&] { f->Show(0); });
      const int r = frmMsgCom::msgCom("Richiesta di chiusura del programma", "Conferma", vb::Variant("Annulla"),
                                      vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1);
      if (r != 1) {
        pvRitComando = g.gsMotivoNoChiudi.empty() ? std::string("No Chiudi") : g.gsMotivoNoChiudi;
        return;
      }
    }
  }
  UtilClient::EseguiComandoMenu(psIdMenu, psKeySec, psCom, pvParam, pvRitComando);
}

}  // namespace mainDdt

namespace UtilClient {

namespace {

void Ritornoa(const std::string& s) {
  const bool aperta = !Fc().Vuoto(vb::Variant(s)) && FunVarie::FormAperta(s).ToBool();
  if (!aperta) {
    membri::Ignora([] {
      ui::Form* aiuto = G().gfrmAiuto;
      if (aiuto && aiuto->Caricata() && aiuto->Visible()) {
        std::vector<vb::Variant> a{vb::Variant("Aggiorna")};
        aiuto->ChiamaPerNome("ButtonComando", a);
      }
      if (ui::Form* attiva = ui::Screen().ActiveForm) FuocoForm(*attiva);
    });
  }
  if (!Fc().Vuoto(vb::Variant(s)) && FunVarie::FormAperta(s).ToBool())
    mainDdt::ApriFormRichiesta(s, 0, "", "", "", "");
}

void FatturaElettronica(const std::string& com, const menu::ValoreMenu& p) {
  const vb::Variant codice = p.Elemento(2);
  const vb::Variant testo = p.Elemento(3);
  const std::string t3 = Testo(testo);
  const std::string crlf = "\r\n";
  if (Fc().ValLong(codice) != 0) {
    const std::string prima = com == "feinvio"    ? "Errore nell'invio delle fatture"
                              : com == "feattesa" ? "Errore nella richiesta di fatture in attesa"
                                                  : "Errore nella richiesta informazioni";
    Avviso(prima + crlf + "Err: " + Testo(codice) + " - " + t3);
    return;
  }
  if (com == "feinvio") {
    std::string msg = "Inviate " + vb::Trim(Fc().Formatta(p.Elemento(6), "#,##0")) + " fatture";
    if (!t3.empty()) msg += crlf + "Fatture non inviate per errori" + t3;
    Avviso(msg);
  } else if (com == "feattesa") {
    if (Fc().ValDouble(testo) > 0) Avviso("Ci sono " + t3 + " fatture in attesa");
  } else if (!t3.empty()) {
    membri::Ignora([&] {
      ui::Form* ricevente = G().goFeInfo;
      if (ricevente && ricevente->LeggiPerNome("oiFeInfo").ToLong() > 0) {
        std::vector<vb::Variant> a{testo};
        ricevente->ChiamaPerNome("FeInfoLetto", a);
      }
    });
  }
}

}  // namespace

void EseguiComandoMenu(const std::string&, const std::string& psKeySec, const std::string& psCom,
                       const menu::ValoreMenu& pvParam, vb::Variant& pvRitComando) {
  Globali& g = G();
  pvRitComando = std::string();
  const std::string com = vb::LCase(psCom);
  if (com == "fine") {
    g.gbNoRitornoMenu = true;
    mainDdt::EseguiChiusura();
    g.gbNoRitornoMenu = false;
    if (!ui::Forms().empty())
      pvRitComando = g.gsMotivoNoChiudi.empty() ? std::string("No Chiudi") : g.gsMotivoNoChiudi;
  } else if (com == "esiste") {
    pvRitComando = true;
  } else if (com == "ritornoa") {
    Ritornoa(pvParam.Testo());
  } else if (com == "attiva") {
    auto client = g.goMenuClient;
    if (!client) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
    client->PrendiInfoLancio(psKeySec);
    const menu::InfoLancio info = client->InfoLancio();
    const std::string form = vb::Trim(Fc().LeggiSwitch(info.osParam, "F"));
    mainDdt::ApriFormRichiesta(form, -1, psKeySec, info.osChiLancia, info.osKeySecLancia, info.osParamLancia);
  } else if (com == "preppassaa") {
    std::vector<ui::Form*> forms = ui::Forms();
    for (ui::Form* f : forms)
      membri::Ignora([&] {
        std::vector<vb::Variant> nessuno;
        f->ChiamaPerNome("PassaA", nessuno);
      });
  } else if (com == "passaa") {
    auto client = g.goMenuClient;
    if (!client) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
    const menu::InfoLancio info = client->InfoLancio();
    mainDdt::ApriFormRichiesta(pvParam.Testo(), 0, psKeySec, info.osChiLancia, info.osKeySecLancia,
                               info.osParamLancia);
  } else if (com == "keyprgprim") {
    pvRitComando = g.gsLanciaKeyPrim;
  } else if (com == "keyprgsec") {
    pvRitComando = g.gsLanciaKeySec;
  } else if (com == "paramprgclie") {
    pvRitComando = std::string("$Default$");
  } else if (com == "comandoprgclie") {
    pvRitComando = g.gsComandoPrgClie;
  } else if (com == "feinvio" || com == "feattesa" || com == "feinfo") {
    FatturaElettronica(com, pvParam);
  }
}

}  // namespace UtilClient

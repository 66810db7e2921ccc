// The start-up sequence: from the menu server's command line to the form
// the menu asked for.
#include <new>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "common/frmConn.h"
#include "common/frmMsgCom.h"
#include "common/frmPrincipale.h"
#include "common/mainDdt.h"
#include "common/scZelUtilPrg.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/menu/ClientMenu.h"
#include "startup/RegistroForm.h"
#include "startup/scMenuComandiClie.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

std::string Testo(const vb::Variant& v) { return v.IsEmpty() || v.IsNull() ? std::string() : v.ToString(); }

std::string Ini(const std::string& sezione, const std::string& chiave, const std::string& def) {
  std::string v;
  FunVarie::LeggiParIni(sezione, chiave, def, v);
  return v;
}

// The two-line notices of a start-up that cannot go on.
void Avviso(const std::string& riga1, const std::string& riga2) {
  frmMsgCom::msgCom(riga1 + "\r\n" + riga2, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600,
                    vb::Missing, 1);
}

// Failure C: a plain message box by the kind of error.
void ErroreAvvio(long numero, const std::string& descrizione) {
  const long n = Fc().CodiceErrore(numero);
  if (n == Fc().CodiceErrore(5)) {
    vb::MsgBox("Il menu principale non è in esecuzione\r\nQuesto programma non può essere eseguito autonomamente",
               vb::vbCritical | vb::vbOKOnly);
  } else if (n == Fc().CodiceErrore(7)) {
    vb::MsgBox("Memoria esaurita\r\nChiudere qualche programma e riprovare", vb::vbCritical | vb::vbOKOnly);
  } else {
    vb::MsgBox("Errore (" + std::to_string(n) + "): " + descrizione +
                   "\r\nProbabilmente il menù non è stato avviato correttamente",
               vb::vbOKOnly);
  }
}

// Start-up cannot go on: the end check closes the program, which then
// exits with a failure.
void Fallito() {
  G().giCodiceUscita = 1;
  mainDdt::ChiudiSubito();
}

menu::ClientMenu& Client() {
  auto& c = G().goMenuClient;
  if (!c) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  return *c;
}

// The screen factors of "Risoluzione Video"; the "Help" factor is handed
// back for the look-up window.
double FattoriVideo() {
  Globali& g = G();
  auto leggi = [](const char* chiave, const char* def) {
    return Fc().ValDouble(vb::Variant(Ini("Risoluzione Video", chiave, def)), true);
  };
  g.gdRisVidGenerale = leggi("Generale", "0");
  g.gdRisVidBase = g.gdRisVidGenerale == -2 ? leggi("PersBase", "0") : g.gdRisVidGenerale;
  auto fattore = [&](const char* chiave) {
    double v = leggi(chiave, "-2");
    if (v == -2) v = g.gdRisVidGenerale != -2 ? g.gdRisVidGenerale : g.gdRisVidBase;
    if (v == -2 || v == 0) {
      int larg = 0, alt = 0;
      v = Fc().ValDouble(FunVarie::CalcFattVideo(larg, alt), true);
    }
    return v;
  };
  g.gdRisVidStaVid = fattore("StaVid");
  const double help = fattore("Help");
  g.gdRisVidMsgCom = fattore("MsgCom");
  return help;
}

// The program-wide answerers of the shared services: company and personal
// parameters from the menu server, the splash of the form framework, the
// look-up library's way back to the menu.
void Collega() {
  Globali& g = G();
  g.gfLeggiParam = [](const std::string& nome, const vb::Variant& def) -> vb::Variant {
    auto& c = G().goMenuClient;
    if (!c) return def;
    vb::Variant v = c->LeggiParam(nome, "");
    return v.IsEmpty() ? def : v;
  };
  g.gfLeggiParPers = [](const std::string& sezione, const std::string& nome, const vb::Variant& def) {
    return AziendaUtil::LeggiParPers(sezione, nome, def);
  };
  g.gfPrepFrmConn = []() -> ui::Form* {
    AziendaUtil::PrepFrmConn(-1, 0);
    return &FrmConn();
  };
  scZelUtilPrg::ImpostaMostraMenu([] { mainDdt::MostraMenu(); });
}

}  // namespace

namespace mainDdt {

void Main() { AziendaUtil::AvviaPrg(40, ""); }

vb::Variant ApriFormRichiesta(const std::string& psNomeForm, int16_t piMostra, const std::string& psKeySec,
                              const std::string& psChiLancia, const std::string& psKeySecLancia,
                              const std::string& psParamLancia) {
  const std::string nome = vb::Trim(psNomeForm);
  ui::Form* form = nome.empty() ? nullptr : avvio::FormRegistrata(nome);
  if (form) {
    const std::string nomeForm = form->Name();
    UtilClient::ApriForm(form, nomeForm, piMostra, psKeySec, psChiLancia, psKeySecLancia, psParamLancia, -1);
  } else {
    G().giCodiceUscita = 1;
    UtilClient::MsgEChiudi("La form richiesta e' inesistente", vb::Missing, -1);
  }
  return vb::Variant();
}

}  // namespace mainDdt

namespace AziendaUtil {

void AvviaPrg(long piNumPrg, const std::string& psNomePrg) {
  Globali& g = G();
  const auto& fc = Fc();
  // 1-3. Settings of the run and the switches M and P.
  g.gsTipoIcone = "p";
  g.gbSuona = false;
  g.gsMotivoNoChiudi.clear();
  g.gsIdMenu = vb::Trim(fc.LeggiSwitch(g.gsRigaComando, "M"));
  const std::string p = vb::Trim(fc.LeggiSwitch(g.gsRigaComando, "P"));
  const long blank = vb::InStr(1, p, " ", vb::vbTextCompare);
  if (blank == 0) {
    g.gsKeyPrg = p;
    g.gsParamPrg.clear();
  } else {
    g.gsParamPrg = vb::Mid(p, blank + 1);
    g.gsKeyPrg = vb::Left(p, blank - 1);
  }

  // 4. The hidden main form.
  frmPrincipale& principale = FrmPrincipale();
  principale.Load();
  g.gfrmPrincipale = &principale;

  // 5. The menu connection (failure A).
  std::string prepProcCorr;
  try {
    if (!g.goMenuComandiClie) g.goMenuComandiClie = std::make_shared<scMenuComandiClie>();
    g.goMenuClient = g.goMenuComandiClie->ogMenuClient();
    g.goMenuClient->Connetti(g.gsIdMenu, g.gsKeyPrg, g.gsParamPrg);
    prepProcCorr = Testo(g.goMenuClient->EseguiFunzione("PrepProcCorr", "Tutti"));
  } catch (const vb::Errore&) {
    Avviso("Il menu principale non è in esecuzione", "Questo programma non può essere eseguito autonomamente");
    Fallito();
    return;
  }
  Collega();

  // 6. The help file of the launch (failure B).
  try {
    g.gsFileHelp = vb::Trim(fc.LeggiSwitch(Client().InfoLancio().osParam, "H"));
  } catch (const vb::Errore&) {
    Avviso("Problemi col collegamento col menù", "Forse questo programma non è stato lanciato correttamente");
    Fallito();
    return;
  }

  // 7-17 (failure C).
  try {
    menu::ClientMenu& client = Client();
    g.gsFileIni = client.PercorsoIni();
    PrepFrmConn(-1, -1);
    g.gsNomeDBAzie = Testo(client.LeggiParam("NomeDBAzie", ""));
    g.gsConnectDBAzie = Testo(client.LeggiParam("ConnectDBAzie", ""));
    if (!g.goDbAzienda) g.goDbAzienda = std::make_shared<dati::GestDatabase>();
    // The opening tells its own failures.
    if (utilprg::ApriDbAzienda("velnor.ini", g.goDbAzienda, g.gsConnAzienda, "C:\\VelnorInst.ini") != 0) {
      Fallito();
      return;
    }
    if (fc.Vuoto(vb::Variant(g.gsConnAzienda)) || vb::UgualeTesto(vb::Left(g.gsConnAzienda, 4), "Err:")) {
      Fallito();
      return;
    }
    mainDdt::PrepParamDdt();
    const double fattoreAiuto = FattoriVideo();
    PreparaAiuti(fattoreAiuto);
    const std::string form = vb::Trim(fc.LeggiSwitch(g.gsRigaComando, "F"));
    // Registration with the menu.
    const double versMenu = fc.ValDouble(client.LeggiParam("VersMenu", ""), true);
    const vb::Variant programma = piNumPrg == -1 ? vb::Variant(psNomePrg) : vb::Variant(piNumPrg);
    if (versMenu >= 1.07)
      client.EseguiFunzione("AddSeg", "Tutti", menu::ValoreMenu(std::vector<vb::Variant>{programma, prepProcCorr}));
    else
      client.EseguiFunzione("AddSeg", "Tutti", menu::ValoreMenu(programma));
    g.gsBeepCome = Ini("Parametri Generali", "BeepCome", "");
    g.gbLisSpostaCurs = vb::UCase(Ini("Config", "LisSpostaCurs", "N")) == "S";
    g.gbLisClickNoSel = vb::UCase(Ini("Config", "LisClickNoSel", "N")) == "S";
    g.gsDataMinima = Testo(LeggiParPers("Tutti", "DataMinima", "01/01/1900"));
    const menu::InfoLancio info = client.InfoLancio();
    mainDdt::ApriFormRichiesta(form, -1, g.gsParamPrg, info.osChiLancia, info.osKeySecLancia, info.osParamLancia);
  } catch (const vb::Errore& e) {
    ErroreAvvio(e.Number(), e.Description());
    Fallito();
  } catch (const std::bad_alloc&) {
    ErroreAvvio(7, vb::DescrizioneErrore(7));
    Fallito();
  }
}

}  // namespace AziendaUtil

#include "common/UtilClient.h"

#include <exception>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/frmConn.h"
#include "common/frmPrincipale.h"
#include "common/mainDdt.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/menu/ClientMenu.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"

namespace UtilClient {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Vuoto(const std::string& s) { return Fc().Vuoto(vb::Variant(s), vb::vbString); }

long Indice(const std::string& nome, const vb::Variant& caption = vb::Missing) {
  return Fc().ValLong(FunVarie::IndiceForm(nome, caption));
}

// The look-up window, when there is one.
ui::Form* Aiuto() { return G().gfrmAiuto; }

bool AiutoVisibile() {
  ui::Form* a = Aiuto();
  return a && a->Caricata() && a->Visible();
}

void NascondiAiuto() {
  ui::Form* a = Aiuto();
  if (!a) return;
  try {
    std::vector<vb::Variant> nessuno;
    a->ChiamaPerNome("HideFrm", nessuno);
  } catch (const vb::Errore&) {
    a->Hide();
  }
}

// Pushes the launch keys into a form, before it loads or when it is
// brought back by another program.
void SpingiChiavi(ui::Form& f, const std::string& keySec, const std::string& keyLancia,
                  const std::string& keySecLancia, const std::string& paramLancia) {
  f.ScriviPerNome("osKeySec", keySec);
  f.ScriviPerNome("osKeyLancia", keyLancia);
  f.ScriviPerNome("osKeySecLancia", keySecLancia);
  f.ScriviPerNome("osParamLancia", paramLancia);
  std::string param;
  if (G().goMenuClient) param = G().goMenuClient->InfoLancio().osParam;
  f.ScriviPerNome("osParam", param);
}

void AttivatoDaAltri(ui::Form& f) {
  membri::Ignora([&] {
    std::vector<vb::Variant> nessuno;
    f.ChiamaPerNome("AttivatoDaAltri", nessuno);
  });
}

// The error a catch block is handling, if it is a run-time error.
bool ErroreCorrente(long& numero, std::string& descrizione, std::string& origine) {
  std::exception_ptr e = std::current_exception();
  if (!e) return false;
  try {
    std::rethrow_exception(e);
  } catch (const vb::Errore& err) {
    numero = err.Number();
    descrizione = err.Description();
    origine = err.Source();
    return true;
  } catch (const std::bad_alloc&) {
    numero = 7;
    descrizione = vb::DescrizioneErrore(7);
    return true;
  } catch (const std::exception& err) {
    numero = 5;
    descrizione = err.what();
    return true;
  } catch (...) {
    return false;
  }
}

void ScaricaSplash() {
  membri::Ignora([] {
    std::vector<ui::Form*> aperte = ui::Forms();
    for (ui::Form* f : aperte)
      if (vb::UgualeTesto(f->Name(), "frmConn")) f->Unload();
  });
}

}  // namespace

void FuocoForm(ui::Form& f) {
  if (!f.Caricata() || !f.Visible() || !f.Enabled())
    vb::Solleva(5, "Chiamata di routine o argomento non validi");
  ui::Schermo& s = ui::Screen();
  if (s.ActiveForm != &f) {
    s.ActiveForm = &f;
    ui::BackendAttivo().FormMostrata(f);
    f.Form_Activate();
  }
  if (!f.ActiveControl())
    if (ui::Controllo* primo = f.Successivo(nullptr)) f.SpostaFuoco(primo);
}

vb::Variant ApriForm(ui::Form*& pgForm, const std::string& psNomeForm, int16_t piMostra,
                     const std::string& psKeySec, const std::string& psKeyLancia,
                     const std::string& psKeySecLancia, const std::string& psParamLancia, int16_t piPosiz,
                     const vb::Variant& pvCaption) {
  const Globali& g = G();
  bool aiutoNascosto = false;
  ui::Form* daAprire = pgForm;
  try {
    long indice = Indice(psNomeForm, pvCaption);
    bool carica = indice <= 0;
    if (!carica) {
      ui::Form* f = ui::Forms().at(static_cast<size_t>(indice));
      bool errore = false;
      try {
        if (!f->Visible()) f->Show(0);
      } catch (const vb::Errore&) {
        errore = true;
      }
      ui::Form* attiva = ui::Screen().ActiveForm;
      bool stessa = !errore && attiva && vb::UgualeTesto(attiva->Name(), psNomeForm);
      if (stessa && !pvCaption.IsMissing())
        stessa = vb::InStr(attiva->Caption(), pvCaption.ToString(), vb::vbTextCompare) > 0;
      bool vaiAl4 = !stessa;
      if (stessa) {
        if (AiutoVisibile()) {
          try {
            FuocoForm(*Aiuto());
            return true;
          } catch (const vb::Errore&) {
          }
        }
        try {
          FuocoForm(*attiva);
        } catch (const vb::Errore&) {
          vaiAl4 = true;
        }
        if (!vaiAl4) {
          if (!Vuoto(psKeyLancia)) {
            membri::Ignora([&] { SpingiChiavi(*attiva, psKeySec, psKeyLancia, psKeySecLancia, psParamLancia); });
            AttivatoDaAltri(*attiva);
          }
          return true;
        }
      }
      // Loaded but not the active form.
      bool riuscito = true;
      try {
        FuocoForm(*f);
      } catch (const vb::Errore&) {
        riuscito = false;
      }
      if (!riuscito) {
        bool altraForm = false;
        if (AiutoVisibile()) {
          try {
            ui::Form* servita = nullptr;
            if (ui::Oggetto* o = Aiuto()->OggettoPerNome("ofrmAttiva")) servita = dynamic_cast<ui::Form*>(o);
            altraForm = !servita || !vb::UgualeTesto(servita->Name(), psNomeForm);
          } catch (const vb::Errore&) {
            altraForm = true;
          }
        }
        if (altraForm) {
          NascondiAiuto();
          ui::DoEvents();
          aiutoNascosto = true;
          daAprire = f;
          carica = true;
        } else {
          membri::Ignora([] {
            if (ui::Form* a = ui::Screen().ActiveForm) FuocoForm(*a);
          });
        }
      }
      if (!carica) {
        if (!Vuoto(psKeyLancia)) {
          if (ui::Form* a = ui::Screen().ActiveForm) {
            membri::Ignora([&] { SpingiChiavi(*a, psKeySec, psKeyLancia, psKeySecLancia, psParamLancia); });
            AttivatoDaAltri(*a);
          }
        }
        return true;
      }
    }

    // Open the form.
    if (!daAprire) vb::Solleva(91, "Variabile oggetto non impostata: " + psNomeForm);
    if (AiutoVisibile()) {
      NascondiAiuto();
      ui::DoEvents();
      aiutoNascosto = true;
    }
    vb::Variant statoFin(g.gsStatoFinestra);
    int16_t stato = statoFin.IsNumeric() ? Fc().ValInt(statoFin)
                                          : Fc().ValInt(vb::Variant(g.goMenuClient ? g.goMenuClient->InfoLancio().osTipoForm
                                                                                   : std::string()));
    SpingiChiavi(*daAprire, psKeySec, psKeyLancia, psKeySecLancia, psParamLancia);
    daAprire->Load();
    if (daAprire->LeggiPerNome("oiLoadOk").ToLong() == -1) {
      daAprire->Unload();
      mainDdt::ChiudiProgramma(-1);
      return false;
    }
    pgForm = daAprire;
    if (piPosiz == -1) {
      long n = vb::FunzioniComuniUi::PosizForm(*daAprire, piMostra == 0 ? -1 : stato, 0, true);
      long codice = Fc().CodiceErrore(n);
      if (codice < 0) {
        MsgErrMenu(vb::Variant("Impossibile aprire il programma richiesto"), vb::Variant(-(codice + 100)));
        daAprire->Unload();
        return false;
      }
    }
    if (aiutoNascosto) {
      frmPrincipale& p = FrmPrincipale();
      p.oiFlagVarie = 1;
      p.osNomeForm = psNomeForm;
      p.timVarie().SetEnabled(true);
    }
    return true;
  } catch (const vb::Errore& e) {
    const long n = Fc().CodiceErrore(e.Number());
    if (n == 364 || n == 91) return false;
    MsgErrMenu();
    mainDdt::ChiudiProgramma(0);
    return false;
  }
}

void ChiudiFormLancio(ui::Form& pgForm, int16_t pbTorna) {
  Globali& g = G();
  if (pbTorna != 0 && !g.gbNoRitornoMenu) {
    std::string keyLancia, keySecLancia, paramLancia;
    membri::Ignora([&] {
      keyLancia = pgForm.LeggiPerNome("osKeyLancia").ToString();
      keySecLancia = pgForm.LeggiPerNome("osKeySecLancia").ToString();
      paramLancia = pgForm.LeggiPerNome("osParamLancia").ToString();
    });
    // A launcher or menu that is gone is told to the user, but the closing
    // goes on: a program that stopped here would never end.
    try {
      if (Vuoto(keyLancia))
        mainDdt::MostraMenu();
      else
        TornaAChiLancia(keyLancia, keySecLancia, paramLancia);
    } catch (const vb::Errore& e) {
      MsgErrMenu(vb::Variant(e.Description()), vb::Variant(static_cast<long long>(Fc().CodiceErrore(e.Number()))));
    }
  }
  g.gbNoRitornoMenu = false;
  mainDdt::ChiudiProgramma(0);
  membri::Ignora([&] {
    std::string key = pgForm.LeggiPerNome("osKeySec").ToString();
    if (!key.empty() && g.goMenuClient) g.goMenuClient->ChiusoForm(key);
  });
}

void TornaAChiLancia(const std::string& psKeyLancia, const std::string& psKeySecLancia,
                     const std::string& psParamLancia) {
  auto& client = G().goMenuClient;
  if (!client) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  client->TornaAChiama(psKeyLancia, psKeySecLancia, psParamLancia);
}

void TornaAlMenu() {
  auto client = G().goMenuClient;
  try {
    if (!client) vb::Solleva(91);
    client->TornaAlMenu("Tutti");
  } catch (const vb::Errore&) {
    vb::MsgBox("Il menu non è più disponibile", vb::vbOKOnly);
    return;
  }
  // Raising the menu's window belongs to the desktop: the menu server has
  // already brought itself to the front; its process id is all we could add.
  membri::Ignora([&] { client->LeggiParam("MenuProcId", ""); });
}

void MsgErrMenu(const vb::Variant& pvError, const vb::Variant& pverr, const std::string& psMsgAggPri,
                const std::string& psMsgAggDop) {
  long numero = 0;
  std::string descrizione, origine;
  const bool corrente = ErroreCorrente(numero, descrizione, origine);
  std::string descr;
  if (!pvError.IsMissing()) {
    descr = pvError.IsNull() ? std::string() : pvError.ToString();
  } else {
    descr = descrizione;
    if (corrente && !origine.empty()) descr += " - " + origine;
  }
  std::string num;
  if (!pverr.IsMissing())
    num = pverr.IsNull() ? std::string() : pverr.ToString();
  else
    num = std::to_string(Fc().CodiceErrore(numero));
  const std::string testo = psMsgAggPri + "Errore(" + num + "): " + descr + psMsgAggDop;
  try {
    auto& client = G().goMenuClient;
    if (!client || !client->Connesso()) vb::Solleva(5);
    client->EseguiFunzione("MsgBox", "Tutti", menu::ValoreMenu(vb::Variant(testo)));
  } catch (const vb::Errore&) {
    // With no menu to show it, the text still must reach someone.
    vb::MsgBox(testo, vb::vbCritical);
  }
  ScaricaSplash();
}

void MsgEChiudi(const std::string& psMsg, const vb::Variant& pvBottoni, int16_t piChiudi) {
  ScaricaSplash();
  try {
    const auto& forms = ui::Forms();
    if (forms.size() > 2)
      forms[2]->Show(0);
    else
      FrmPrincipale().Show(0);
    vb::MsgBox(psMsg, pvBottoni.IsMissing() ? static_cast<int>(vb::vbOKOnly) : pvBottoni.ToInt());
    FrmPrincipale().Hide();
    if (piChiudi == -1) mainDdt::ChiudiProgramma(0);
  } catch (const vb::Errore& e) {
    MsgErrMenu(vb::Variant(psMsg), vb::Variant(static_cast<long>(Fc().CodiceErrore(e.Number()))));
    mainDdt::ChiudiProgramma(0);
  }
}

void AvviaChiusura(int16_t piSubito) {
  try {
    if (piSubito == -1) {
      int16_t chiudi = 1;
      mainDdt::TentaChiusura(chiudi);
      return;
    }
    frmPrincipale& p = FrmPrincipale();
    if (!p.Caricata()) p.Load();
    p.oiChiudi = 1;
    p.oiTmpAttesa = 100;
    p.timChiudi().SetEnabled(false);
    p.timChiudi().SetInterval(1);
    p.timChiudi().SetEnabled(true);
  } catch (const vb::Errore&) {
    vb::MsgBox("Non riesco a chiudere il programma", vb::vbOKOnly);
  }
}

vb::Variant ChiudiTutto() {
  Globali& g = G();
  // Every attempt starts afresh: a modal window that blocked an earlier one
  // is no reason for this one.
  g.gsMotivoNoChiudi.clear();
  ui::DoEvents();
  frmPrincipale& p = FrmPrincipale();
  try {
    p.Show(0);
  } catch (const vb::Errore& e) {
    if (Fc().CodiceErrore(e.Number()) == vb::ErrFormModale) {
      g.gsMotivoNoChiudi = "Maschera Modal";
      return false;
    }
  }
  bool scaricate = false;
  membri::Ignora([&] { scaricate = mainDdt::ScaricaForms(vb::Variant(p.Caption())).ToBool(); });
  if (!scaricate) return false;
  try {
    mainDdt::Rilascia();
    p.Unload();
    return true;
  } catch (const vb::Errore& e) {
    FunVarie::MsgErr(e);
    return false;
  }
}

void RilasciaOggetti() {
  Globali& g = G();
  membri::Ignora([&] { g.goDbDao.reset(); });
  membri::Ignora([&] { g.goDbAzienda.reset(); });
  membri::Ignora([&] {
    if (g.goMenuClient) g.goMenuClient->Disconnetti();
  });
  membri::Ignora([&] { g.goMenuComandiClie.reset(); });
}

}  // namespace UtilClient

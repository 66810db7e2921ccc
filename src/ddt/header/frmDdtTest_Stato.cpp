// The window kept in step with the bar: after a change of mode (which
// commands and fields are available), after a record is shown (the joined
// read, the lines, the enabling by state, the focus, the snapshot) and
// after the record area is cleared (every decoded value of the previous
// DDT removed, an empty line grid).
#include <optional>
#include <string>

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Griglia.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }

}  // namespace

void frmDdtTest::DopoCambioModo(int16_t piModo) {
  const int m = piModo;
  const std::string stato = txt(110).Text();
  const bool statoVuoto = Fc().Vuoto(stato, vb::vbString, 1, false);
  ui::Controllo& tb = C("tolComPag");
  auto abil = [&](const char* key, bool v) {
    if (tb.HaElem(key)) tb.Elem(key).Enabled = v;
  };
  if (m == 1 || m == 2 || m == 7) {
    abil("Dettaglio", true);
    if (m == 2) {
      for (const char* k : {"Spese", "Ripristino", "Stampa", "CalcVuoti"}) abil(k, false);
    } else {
      abil("Spese", true);
      abil("Ripristino", Uguale(stato, "S"));
      abil("Stampa", true);
      abil("CalcVuoti", statoVuoto);
    }
  } else {
    for (const char* k : {"Ripristino", "Stampa", "Dettaglio", "Spese", "CalcVuoti"}) abil(k, false);
  }
  // Currency and VAT-inclusive prices are chosen before a stored DDT exists.
  const bool prima = m == 0 || m == 2;
  txt(400).SetEnabled(prima);
  if (ui::Controllo* c = Trova("ComHlp", 400)) c->SetEnabled(prima);
  if (ui::Controllo* c = Trova("che", 210)) c->SetEnabled(prima);
  if (Uguale(stato, "E")) {
    abil("Salva", false);
    abil("Cancella", false);
  }
  tb.ElementoCambiato();
  if (ui::Controllo* g = Trova("dbgDett")) g->SetEnabled(ogComPag().oiFlagOpe() == 1);

  const size_t n = miOrdInsCampi.size();
  if (m != 2) {
    if (mbOrdIns && n >= 2) {
      for (int16_t pos : miOrdInsPrec) {
        if (pos < 0 || static_cast<size_t>(pos) >= n || static_cast<size_t>(pos) >= miOrdInsTab.size()) continue;
        txt(miOrdInsCampi[static_cast<size_t>(pos)]).SetTabIndex(miOrdInsTab[static_cast<size_t>(pos)]);
      }
    }
    return;
  }
  if (miPagIns >= 0) {
    ui::Controllo& tab = C("TasPagine");
    if (miPagIns >= 1 && miPagIns <= tab.NumElementi()) tab.SetSelectedTab(miPagIns);
  }
  if (!mbOrdIns || n == 0) {
    if (ui::Controllo* primo = ogComPag().CtrlPrimoDato()) vb::FunzioniComuniUi::ImpostaFuoco(*primo, true);
    return;
  }
  if (n >= 2) {
    for (size_t i = 0; i < n; ++i) txt(miOrdInsCampi[i]).SetTabIndex(static_cast<int>(i));
    mbComandoInCorso = false;
  }
  ui::DoEvents();
  vb::FunzioniComuniUi::ImpostaFuoco(txt(miOrdInsCampi[0]), true);
}

void frmDdtTest::DopoMostra() {
  auto& barra = ogComPag();
  const int modo = barra.oiFlagOpe();
  // A step that fails is shown, and the others still run: above all the
  // snapshot, without which the next save would compare with the values of
  // the DDT shown before.
  std::optional<vb::Errore> errore;
  auto passo = [&](auto&& f) {
    try {
      f();
    } catch (const vb::Errore& e) {
      if (!errore) errore = e;
    }
  };

  int campoAttivo = 0;
  if (ui::Controllo* a = ui::Screen().ActiveControl(); a && Uguale(a->Name(), "txt")) campoAttivo = a->Index();

  if (modo == 1) {
    passo([&] { MostraTutto(); });
  } else if (modo == 2) {
    passo([&] { MostraScad(true); });
    passo([&] {
      bool modif = true, aiuto = false;
      MostraIva(modif, aiuto);
    });
  }
  passo([&] { AggNonText(); });
  passo([&] { SetLabBackColor(); });
  if (modo == 1) {
    passo([&] { MostraDett(); });
  } else if (ui::Controllo* c = Trova("lab", 180)) {
    c->SetVisible(false);
  }
  if (ui::Controllo* c = Trova("lab", 410)) c->SetVisible(modo == 2);

  const std::string stato = txt(110).Text();
  passo([&] {
    bool vuoto = Fc().Vuoto(stato, vb::vbString, 1, false), nonStampato = !Uguale(stato, "S");
    AbilDisabVariaz(vuoto, nonStampato);
  });

  passo([&] {
    ui::Controllo* a = ui::Screen().ActiveControl();
    const std::string attivo = a ? a->Name() : std::string();
    if (Uguale(stato, "E")) {
      vb::FunzioniComuniUi::ImpostaFuoco(C("TasPagine"), true);
      return;
    }
    const bool sposta = Uguale(attivo, "picdett") || Uguale(attivo, "taspagine") ||
                        (!Uguale(attivo, "txt") && Uguale(stato, "S") && campoAttivo > 0);
    if (!sposta) return;
    ui::Controllo* dove = nullptr;
    if (Uguale(attivo, "picdett") && Fc().Vuoto(stato, vb::vbString, 1, false)) {
      dove = &txt(30);
    } else {
      switch (C("TasPagine").SelectedTab()) {
        case 1: dove = txt(200).Enabled() ? &txt(200) : &txt(220); break;
        case 2: dove = &txt(400); break;
        case 3: dove = &txt(600); break;
        case 4: dove = &txt(800); break;
        case 5: dove = &txt(1660); break;
        default: break;
      }
    }
    if (dove) vb::FunzioniComuniUi::ImpostaFuoco(*dove, true);
  });

  SalDatiBase(false);
  passo([&] {
    ui::Controllo& tb = C("tolComPag");
    if (tb.HaElem("RipEvasione")) {
      tb.Elem("RipEvasione").Visible = false;
      tb.ElementoCambiato();
    }
  });
  if (modo == 1) passo([&] {
      if (C("TasPagine").SelectedTab() == 6) MostraProvenienza();
    });
  if (errore) frmMsgCom::MsgErrfrm(*errore);
}

void frmDdtTest::DopoSvuota(bool pbPredefiniti) {
  auto& barra = ogComPag();
  const int modo = barra.oiFlagOpe();
  if (!Uguale(barra.LeggiVarBarra("InMuovi", vb::vbString).ToString(), "S")) {
    if (modo == 0) txt(10).SetText("");
    txt(20).SetText(std::to_string(G().gtDataLavoro.Year()));
  }
  {
    bool vuoto = true, nonStampato = true;
    AbilDisabVariaz(vuoto, nonStampato);
  }
  auto svuota = [&](std::initializer_list<int> etichette) {
    for (int n : etichette)
      if (ui::Controllo* c = Trova("lab", n)) c->SetCaption("");
  };
  if (modo != 3) {
    bool si = true;
    AbilAspetto(si);
    AbilCauTras(true);
    AbilDestin(true);
    AbilResi(true);
    AbilTrasporto(true);
    AbilVettore(si);

    svuota({40, 80, 81, 82, 83, 84, 85});
    if (ui::Controllo* c = Trova("lab", 87)) c->SetVisible(false);
    svuota({110});
    if (ui::Controllo* c = Trova("labNoteCliente")) c->SetVisible(false);
    SetLabBackColor();

    svuota({180, 200, 220, 250, 270, 290, 88, 400, 410, 480, 481, 500, 501, 520});
    for (int n : {810, 820, 850, 860, 870, 880, 890, 960, 980, 990, 1000, 1010, 1015, 1070, 1100, 1130, 1160})
      if (ui::Controllo* c = Trova("txt", n)) c->SetText("");

    svuota({1610, 1620, 1630, 1640, 1650, 92, 1400});
    if (ui::Controllo* c = Trova("label1", 1402)) c->SetVisible(false);
    svuota({310});
    if (ui::Controllo* c = Trova("label1", 310)) c->SetBackColor(mlColSfondoLabel1);
    svuota({312, 314, 316, 318, 319});

    if (ui::Controllo* c = Trova("che", 430)) c->SetValue(0);
    if (ui::Controllo* c = Trova("che", 460)) c->SetValue(0);
    if (ui::Controllo* c = Trova("che", 260)) c->SetValue(2);

    msRegimeMargine.clear();
    AggNonText();

    msMagCausale.clear();
    msDdtInterno.clear();
    msTipoMov.clear();
    msQualeImporto.assign(1, 'L');
    msTabSconti.clear();
    msSegnoDoc.clear();
    msSpesaCli.clear();
    msMonetaListino.clear();
    msListinoDoc.clear();
    msListinoCli.clear();
    msPrezzoDdtDoc.clear();
    msPrezzoDdtCli.clear();
    msProvv1Cli.clear();
    msProvv2Cli.clear();
    msClasseAttrCli.clear();
    mlGgScadCli = 0;

    if (ui::Controllo* c = Trova("lab", 89)) c->SetVisible(false);
    for (int n : {80, 81})
      if (ui::Controllo* c = Trova("lab", n)) c->SetForeColor(0x00FF0000);

    miProvCaricata = 0;
    if (ui::Controllo* c = Trova("dbgProvenienza")) c->SetVisible(false);
    if (ui::Controllo* c = Trova("labProv")) c->SetVisible(true);

    msPagamentoDoc.clear();
    msPagamentoCli.clear();
    msPagamento2Cli.clear();
  }
  SalDatiBase(false);
  if (pbPredefiniti) DecodDefault();

  // An empty grid of lines: a query no row can answer.
  if (!msKeyRsDett.empty()) {
    try {
      mgRsDett.ChiudiRecordset(msKeyRsDett);
    } catch (const vb::Errore&) {
    }
  }
  const std::string righe = G().gsTabDett;
  std::string sql = "Select ";
  sql.append(righe).append(".Articolo from ").append(righe).append(" where ").append(righe).append(".Anno = -1234");
  msKeyRsDett = mgRsDett.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
  if (auto* d = dynamic_cast<ui::DatiControllo*>(Trova("DatDett"))) d->SetRecordset(&mgRsDett.RecordsetDao(msKeyRsDett));
}

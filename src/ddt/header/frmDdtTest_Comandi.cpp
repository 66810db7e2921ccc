// The window's commands: every toolbar key, shortcut, year button and
// command of the window's own code goes through ButtonComando, which hands
// the record keys to the bar and runs the document commands itself. The
// text box that had the focus runs its exit check before the command and
// is entered again after it, one timer tick later (timComPag).
//
// A command, a key or a timer never lets an error out to the event loop:
// the outermost of nested commands shows it and the window goes on.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/barre/frmImgComPag.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

// Shows an error caught at the edge of an event: the program goes on.
void MostraErrore(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const vb::Errore& err) {
    frmMsgCom::MsgErrfrm(err);
  } catch (const std::exception& err) {
    frmMsgCom::MsgErrfrm(vb::Variant(std::string(err.what())), vb::Variant(5));
  } catch (...) {
    frmMsgCom::MsgErrfrm(vb::Variant("errore imprevisto"), vb::Variant(5));
  }
}

}  // namespace

void frmDdtTest::ButtonComando(const std::string& psKey) {
  const bool esterno = miLivComando == 0;
  ++miLivComando;
  bool sottoFinestra = false;
  try {
    sottoFinestra = EseguiComando(psKey);
  } catch (...) {
    --miLivComando;
    // A command run by another command's code gives its error to that code.
    if (!esterno) throw;
    // Nothing was opened: the deferred step clears the command and puts the
    // focus back, as after any command.
    if (oiInDett <= 0) FineComando();
    MostraErrore(std::current_exception());
    return;
  }
  --miLivComando;
  // A refused line or expense window opened nothing: the command ends here
  // too, or it would be taken for running until the next one.
  if (sottoFinestra && oiInDett <= 0) FineComando();
}

bool frmDdtTest::EseguiComando(const std::string& psKey) {
  barre::BarraRecord& barra = ogComPag();
  // A duplicate asks first; in mode 3 its second step goes on without it.
  if (barra.oiFlagOpe() != 3 && vb::UgualeTesto(psKey, "Duplica")) {
    if (!ConfermaDupl()) return false;
  }

  // The focused box runs its exit check with the pending key known.
  msCtlAttivo.clear();
  ui::Controllo* attivo = ActiveControl();
  if (attivo) msCtlAttivo = attivo->Name();
  if (vb::UgualeTesto(msCtlAttivo, "txt")) {
    msTastoInCorso = psKey;
    try {
      txt_LostFocus(attivo->Index());
    } catch (...) {
      msTastoInCorso.clear();
      throw;
    }
    miTxtRientro = static_cast<int16_t>(attivo->Index());
    msTastoInCorso.clear();
  } else {
    miTxtRientro = -1;
  }

  const int modoPrima = barra.oiFlagOpe();
  mbComandoInCorso = true;

  if (!vb::UgualeTesto(psKey, "Dettaglio")) barra.EseguiTasto(psKey);
  // "Chiudi" may have closed the window and released its bar.
  if (mbScaricato) return false;

  if (vb::UgualeTesto(psKey, "Stampa")) {
    StampaDoc();
  } else if (vb::UgualeTesto(psKey, "Ripristino")) {
    Ripristino();
  } else if (vb::UgualeTesto(psKey, "RipEvasione")) {
    RipEvasione();
  } else if (vb::UgualeTesto(psKey, "Spese")) {
    // The expense window arms the deferred step when it closes.
    GestSpese();
    return true;
  } else {
    // "Dettaglio", or a new DDT that the command has just stored: the lines.
    if (vb::UgualeTesto(psKey, "Dettaglio") || (ogComPag().oiFlagOpe() == 1 && modoPrima == 2)) {
      int16_t gestDupl = 0;
      GestDettaglio(false, gestDupl);
      return true;
    }
    if (vb::UgualeTesto(psKey, "CalcVuoti")) CalcVuoti();
  }
  FineComando();
  return false;
}

void frmDdtTest::FineComando() {
  ui::Screen().MousePointer = 0;
  SetMousePointer(0);
  if (!mbScaricato) C("timComPag").SetEnabled(true);
}

void frmDdtTest::timComPag_Timer() {
  try {
    mbComandoInCorso = false;
    C("timComPag").SetEnabled(false);
    if (miTxtRientro < 0) return;
    if (vb::UgualeTesto(msCtlAttivo, "txt") && ui::Screen().ActiveForm == this) {
      ui::Controllo* attivo = ActiveControl();
      if (attivo && vb::UgualeTesto(attivo->Name(), msCtlAttivo) && attivo->Index() == miTxtRientro)
        txt_GotFocus(attivo->Index());
    }
    msCtlAttivo.clear();
    miTxtRientro = -1;
  } catch (...) {
    msCtlAttivo.clear();
    miTxtRientro = -1;
    MostraErrore(std::current_exception());
  }
}

void frmDdtTest::Form_KeyDown(int& KeyCode, int Shift) {
  try {
    if (KeyCode == ui::vbKeyF9 && Shift == 0) {
      mainDdt::CambiaRicCodice();
      return;
    }
    if (Shift == ui::vbAltMask && KeyCode >= '1' && KeyCode <= '6') {
      ui::Controllo* dati = HaBarra() ? ogComPag().PicDettaglio() : nullptr;
      if (dati && dati->Enabled()) {
        C("TasPagine").SetSelectedTab(KeyCode - '0');
        KeyCode = 0;
      }
    }
    if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, -1, 0, 0, 0, 0, 0, 0, false, true) > 0) return;

    std::string tastoAlt;
    if (Shift == ui::vbAltMask) {
      switch (KeyCode) {
        case 'E': tastoAlt = "Dettaglio"; break;
        case 'X': tastoAlt = "Spese"; break;
        case 'T': tastoAlt = "Stampa"; break;
        case 'N': tastoAlt = "Ripristino"; break;
        case 'O': tastoAlt = "RipEvasione"; break;
        case 'Z': tastoAlt = "CalcVuoti"; break;
        default: break;
      }
    } else if (KeyCode == ui::vbKeyF10 && Shift == 0) {
      tastoAlt = "Dettaglio";
      KeyCode = 0;
    }
    std::string tasto;
    AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, -1, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, true);
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDdtTest::Form_KeyPress(int& KeyAscii) {
  try {
    KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this, 0, 0, 0, 0, 0, 0, -1);
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDdtTest::ComAnno_Click(int Index) {
  ui::Controllo& anno = txt(20);
  if (Fc().Vuoto(vb::Variant(anno.Text()), vb::vbString, 1, false) || anno.BackColor() == G().glColoreErrore) {
    membri::Ignora([&] { anno.SetFocus(); });
    return;
  }
  try {
    // The year stays fixed while the bar moves to the first or last DDT.
    barre::CampoBarra& campo = ogComPag().Campi("Anno");
    campo.oiKeyFisso = 2;
    try {
      ButtonComando(Index == 0 ? "Inizio" : "Fine");
    } catch (...) {
      campo.oiKeyFisso = 0;
      throw;
    }
    campo.oiKeyFisso = 0;
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDdtTest::FineCaricamento() {
  // The visible boxes of page 4 take the length of the bound box that stores them.
  for (int n = 0; n < static_cast<int>(miCampoLegato.size()); ++n) {
    const int legato = miCampoLegato[static_cast<size_t>(n)];
    if (legato == 0) continue;
    ui::Controllo& visibile = txt(n);
    if (visibile.Visible()) visibile.SetMaxLength(txt(legato).MaxLength());
  }
  txt(50).SetToolTipText("Prefissi: " + AziendaUtil::LeggiPrefDdt());

  barre::BarraRecord& barra = ogComPag();
  barra.OpzioneAvvioD(0);
  ui::Controllo& barraCom = C("tolComPag");
  // The window's own picture list: the bar's keys, then the window's six
  // buttons at the places 16 to 21 that the toolbar names them by. It is
  // filled from the shared table without loading the shared picture form,
  // which, once loaded, would count as an open window and keep the end
  // check from ever closing the program.
  ui::Controllo& immagini = C("ImagePiccole");
  if (immagini.NumElementi() == 0) {
    for (const char* key : {"Ricerca", "Salva", "Cancella", "Annulla", "Duplica", "VarKey", "Lista", "ListaInd",
                            "ListaAvanti", "Inizio", "Precedente", "Successivo", "Fine", "Chiudi", "Menu",
                            "Dettaglio", "Spese", "Stampa", "Ripristino", "RipEvasione", "CalcVuoti"})
      immagini.AggiungiElemento(key).Image = barre::frmImgComPag::Immagine(key);
  }
  barra.ImpImmagini(G().gsTipoIcone, barraCom, &immagini, &immagini);
  if (G().gbDisabTermVisPrz) C("picTotPrz").SetVisible(false);

  AziendaUtil::CaricaFormDop(*this, -1, 0, 0, 0, 0, 0, 0, -1);
  SistemaPagina(0, false);

  // The window's own buttons: their pictures by place in the image list.
  const std::pair<const char*, int> proprie[] = {{"Dettaglio", 16}, {"Spese", 17},       {"Stampa", 18},
                                                 {"Ripristino", 19}, {"RipEvasione", 20}, {"CalcVuoti", 21}};
  for (const auto& [key, posizione] : proprie)
    if (immagini.NumElementi() >= posizione) barraCom.Elem(key).Image = immagini.Elem(posizione).Image;
  barraCom.Elem("RipEvasione").Visible = false;
  ui::Elemento& vuoti = barraCom.Elem("CalcVuoti");
  vuoti.Visible = mbGestVuotiCauz;
  if (!mbGestVuotiCauz) vuoti.Enabled = false;
  barraCom.ElementoCambiato();
  barra.OpzioneAvvioC(0);
}

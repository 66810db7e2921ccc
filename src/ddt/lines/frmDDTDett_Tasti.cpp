// The keyboard map of the line window: function keys and the Ctrl and Alt
// combinations of the window first, then the framework's keys (help, menu
// shortcuts, Enter) and the toolbar's keys. A command chosen here runs only
// while its toolbar button is visible and enabled.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
bool Vuoto(const std::string& s) { return vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(s)); }

}  // namespace

void frmDDTDett::Form_KeyDown(int& KeyCode, int Shift) {
  try {
    const std::string tipo = txt(18).Text();
    const bool nuova = HaPagina() && ogLinPag().Stato() == 2;
    if (Shift == 0) {
      switch (KeyCode) {
        case ui::vbKeyEscape:
          if (nuova) AnnullaIns(false);
          break;
        case ui::vbKeyF9:
          ComTipoRic_Click();
          return;
        case ui::vbKeyF12:
          if (C("ComPartLotti").Visible()) {
            ComPartLotti_Click();
            return;
          }
          break;
        case ui::vbKeyF8:
          if (Uguale(tipo, "A")) {
            if (C("ComTipoRiga", 0).Enabled()) ComTipoRiga_Click(0);
          } else {
            ComTipoRiga_Click(1);
          }
          return;
        case ui::vbKeyF5:
          if (Uguale(tipo, "C")) {
            if (C("ComTipoRiga", 0).Enabled()) ComTipoRiga_Click(0);
          } else {
            ComTipoRiga_Click(2);
          }
          return;
        case ui::vbKeyF6:
          if (Uguale(G().gsDaOrdi, "s")) {
            RicDaOrdi();
            return;
          }
          break;
        case ui::vbKeyF11:
          if (!msNotaLinguaStampa.empty() && Uguale(tipo, "A")) ChiediNotaLingua();
          break;
        default:
          break;
      }
    } else if (Shift == (ui::vbCtrlMask | ui::vbAltMask) && KeyCode == 'S') {
      obCodBarLostFocusSalva = !obCodBarLostFocusSalva;
      ColBackAutoSalva();
      return;
    } else if (Shift == ui::vbCtrlMask) {
      ui::Controllo& liv = C("picLivelli");
      switch (KeyCode) {
        case ui::vbKeyHome:
          liv.SetLeft(60);
          return;
        case ui::vbKeyEnd:
          liv.SetLeft(mlPicLivLeft);
          return;
        case ui::vbKeyPageUp:
          liv.SetTop(dbgRiga().Top() + 100);
          return;
        case ui::vbKeyPageDown:
          liv.SetTop(mlPicLivTop);
          return;
        default:
          break;
      }
    }

    if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, -1, 0, 0, 0, 0, false, true) > 0) return;

    std::string comando;
    if (Shift == 0 && KeyCode == ui::vbKeyF10 && nuova && (Uguale(tipo, "A") || Uguale(tipo, "M")) &&
        Vuoto(txt(20).Text()) && Vuoto(txt(26).Text())) {
      // F10 on an empty new article line ends the entry.
      AnnullaIns(false);
      KeyCode = 'H';
      comando = "Chiudi";
    } else {
      if (Shift == ui::vbAltMask && KeyCode >= '1' && KeyCode <= '4') {
        ui::Controllo* dett = Trova("PicDett", 0);
        if (!dett) dett = Trova("TasPagine");
        if (dett && dett->Enabled()) {
          C("TasPagine").SetSelectedTab(KeyCode - '0');
          KeyCode = 0;
          return;
        }
      }
      if (Shift == ui::vbAltMask) {
        switch (KeyCode) {
          case 'E': comando = "EsciNoSalva"; break;
          case 'O': comando = "Copia"; break;
          case 'X': comando = "Taglia"; break;
          case 'W': comando = "Incolla"; break;
          case 'L': comando = "Livelli"; break;
          case 'K': comando = "LivelliCrea"; break;
          case 'B': comando = "LetturaDaFile"; break;
          case 'J': comando = "MatrGest"; break;
          case 'Q': comando = "LettMatr"; break;
          case 'Z': comando = "Tracc"; break;
          default: break;
        }
      }
      if (Shift == 0 && KeyCode == ui::vbKeyF10) comando = "Inserisci";
    }

    // Up and Down inside the notes move inside the text, never to a line.
    bool navigazione = true;
    ui::Controllo* attivo = ActiveControl();
    if (!attivo || (Uguale(attivo->Name(), "txt") && (attivo->Index() == 420 || attivo->Index() == 440)))
      navigazione = false;
    const bool freccia = KeyCode == ui::vbKeyPageUp || KeyCode == ui::vbKeyPageDown || KeyCode == ui::vbKeyUp ||
                         KeyCode == ui::vbKeyDown;
    if (!freccia || navigazione) {
      std::string tasto;
      AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, -1, 0, 0, 0, 0, tasto, comando, false);
    }
    if (comando == "Inserisci") KeyCode = 0;
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

void frmDDTDett::Form_KeyPress(int& KeyAscii) {
  try {
    KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this, 0, 0, -1);
  } catch (...) {
    MostraErrore(std::current_exception());
  }
}

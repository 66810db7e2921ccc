// The keys every working form handles the same way, from its Form_KeyDown
// and Form_KeyPress (key preview is on).
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "common/modHTMLHelp.h"
#include "platform/Barre.h"
#include "platform/FunzioniComuni.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/menu/ClientMenu.h"
#include "platform/ui/Form.h"

namespace AziendaUtil {

namespace {

using membri::Ignora;

// Shared by all forms for the whole run: a find started in one form goes on
// in another.
struct StatoTasti {
  int ultimoCodice = 0;
  int ultimoShift = 0;
  bool invioMultiLinea = false;
  std::string cerca;
  std::string sostituisci;
  vb::Variant confronto;  // 1 ignores letter case (also while Empty), 0 exact
};

StatoTasti& Stato() {
  static StatoTasti s;
  return s;
}

std::string RispostaMenu(int codice) {
  auto& menu = G().goMenuClient;
  if (!menu) return {};
  vb::Variant r = menu->EseguiFunzione("TastiCtrl", "Tutti", menu::ValoreMenu(vb::Variant(codice)));
  return r.IsNull() ? std::string() : r.ToString();
}

RispostaTastiCtrl& Risposta() {
  static RispostaTastiCtrl r = RispostaMenu;
  return r;
}

void Comando(ui::Form& f, const std::string& tasto) { membri::Chiama(f, "ButtonComando", {vb::Variant(tasto)}); }

// A toolbar button, as its key names it: raises 35601 when the toolbar
// holds no such button.
ui::Elemento& Bottone(ui::Form& f, const char* barra, const std::string& tasto) {
  return f.C(barra).Elem(tasto);
}

bool Attivabile(const ui::Elemento& b) { return b.Visible && b.Enabled; }

// ---- Ctrl: asked to the menu server

int TastoCtrl(int& piKeyCode, int piShift, ui::Form& pgForm) {
  const int codice = piShift == 2 ? piKeyCode : -piKeyCode;
  const std::string risposta = Risposta()(codice);
  if (vb::FunzioniComuni::Istanza().ValInt(risposta) == 1) {
    // The menu server did the work.
    piKeyCode = 0;
    return 1;
  }
  const std::string primo = vb::UCase(vb::Left(risposta, 1));
  if (primo == "N" || primo == "D") {
    const std::string testo = vb::Trim(vb::Mid(risposta, 2));
    ui::Controllo* c = pgForm.ActiveControl();
    if (c && vb::UgualeTesto(c->Name(), "txt")) {
      if (c->MultiLine()) c->SetSelText(testo);
      else c->SetText(testo);
    }
    // The menu may have shown a window of its own to answer: the keyboard
    // comes back to the form.
    ui::Form* attiva = ui::Screen().ActiveForm ? ui::Screen().ActiveForm : &pgForm;
    try {
      attiva->SetFocus();
    } catch (const vb::Errore&) {
    }
    piKeyCode = 0;
    return 1;
  }
  return 0;
}

// ---- Ctrl+Alt: find and replace in a text box

enum class Verso { Avanti, Indietro, Precedente, Successivo };

void CercaSostituisci(int piKeyCode, int piShift, ui::Controllo& c) {
  StatoTasti& s = Stato();
  const auto& fc = vb::FunzioniComuni::Istanza();
  const int confronto = s.confronto.IsEmpty() ? 1 : s.confronto.ToInt();
  const vb::Confronto modo = confronto == 0 ? vb::vbBinaryCompare : vb::vbTextCompare;
  const bool trova = piKeyCode == 70, sostituisci = piKeyCode == 83;

  std::string testo;
  long scarto = 0;
  Verso verso = Verso::Successivo;
  if (trova || sostituisci) {
    const std::string risposta = vb::InputBox("Stringa da cercare", {}, s.cerca);
    if (risposta.empty()) return;
    s.cerca = risposta;
    testo = c.Text();
    verso = piShift == 7 ? Verso::Indietro : Verso::Avanti;
  }
  if (s.cerca.empty()) return;
  if (sostituisci) {
    const std::string risposta = vb::InputBox("Sostituire con", {}, s.sostituisci);
    if (risposta.empty()) return;
    s.sostituisci = risposta;
  }
  if (piKeyCode == ui::vbKeyPageUp) verso = Verso::Precedente;
  if (piKeyCode == ui::vbKeyPageDown) verso = Verso::Successivo;

  bool inSospeso = false;
  if (sostituisci || (piShift == 7 && (piKeyCode == ui::vbKeyPageUp || piKeyCode == ui::vbKeyPageDown))) {
    if (vb::StrComp(c.SelText(), s.cerca, vb::vbTextCompare) == 0) {
      // The caret stands after the replacement and counts as the selection
      // start of the search that follows.
      c.SetSelText(s.sostituisci);
      if (sostituisci) verso = piShift == 7 ? Verso::Precedente : Verso::Successivo;
    } else {
      inSospeso = true;
    }
  }
  if (verso == Verso::Precedente) {
    testo = vb::Left(c.Text(), c.SelStart());
    scarto = 0;
  } else if (verso == Verso::Successivo) {
    // Without the first character of the selection, so the occurrence
    // selected now is not found again.
    testo = vb::Mid(c.Text(), c.SelStart() + 2);
    scarto = c.SelStart() + 1;
  }
  long pos;
  if (verso == Verso::Indietro || verso == Verso::Precedente)
    pos = fc.CercaTesto(vb::Len(testo), testo, s.cerca, confronto);
  else
    pos = vb::InStr(1, testo, s.cerca, modo);
  if (pos == 0) {
    vb::MsgBox("Testo non trovato", vb::vbOKOnly);
    return;
  }
  c.SetSelStart(static_cast<int>(pos - 1 + scarto));
  c.SetSelLength(static_cast<int>(vb::Len(s.cerca)));
  if (inSospeso) {
    const int inizio = c.SelStart();
    c.SetSelText(s.sostituisci);
    c.SetSelStart(inizio);
    c.SetSelLength(static_cast<int>(vb::Len(s.sostituisci)));
  }
}

int TastoCtrlAlt(int& piKeyCode, int piShift, ui::Form& pgForm) {
  StatoTasti& s = Stato();
  if (piKeyCode == 92) s.confronto = piShift == 6 ? 1 : 0;
  if (s.confronto.IsEmpty()) s.confronto = 1;
  ui::Controllo* c = pgForm.ActiveControl();
  const bool tastoRicerca = piKeyCode == 70 || piKeyCode == 83 || piKeyCode == ui::vbKeyPageUp ||
                            piKeyCode == ui::vbKeyPageDown;
  if (!c || c->tipo() != ui::Tipo::TextBox || !tastoRicerca) return 0;
  Ignora([&] { CercaSostituisci(piKeyCode, piShift, *c); });
  piKeyCode = 0;
  return 1;
}

// ---- Enter and Shift+Enter: next and previous field

int Invio(int& piKeyCode, int piShift, ui::Form& pgForm, bool pbInvioAncheGriglia, bool pbVerifMultiLine) {
  StatoTasti& s = Stato();
  ui::Controllo* c = pgForm.ActiveControl();
  bool multi = false;
  // An Enter in a multi-line box stays a new line unless the whole text is
  // selected (an empty box counts as wholly selected).
  if (pbVerifMultiLine && c) multi = c->MultiLine() && vb::Len(c->Text()) != c->SelLength();
  s.invioMultiLinea = multi;
  const bool sposta = !multi && (pbInvioAncheGriglia || !c || c->tipo() != ui::Tipo::DataGrid);
  if (!sposta) return 0;
  Ignora([&] { FunVarie::SpostaFocus(1, piShift); });
  s.invioMultiLinea = false;
  piKeyCode = 0;
  return 1;
}

}  // namespace

void AzzeraStatoTasti() { Stato() = StatoTasti{}; }

RispostaTastiCtrl ImpostaRispostaTastiCtrl(RispostaTastiCtrl pfRisposta) {
  RispostaTastiCtrl prima = Risposta();
  Risposta() = pfRisposta ? std::move(pfRisposta) : RispostaTastiCtrl(RispostaMenu);
  return prima;
}

int GestKeyDown(int& piKeyCode, int piShift, ui::Form& pgForm, int, int, int, int, int, int, int,
                bool pbInvioAncheGriglia, bool pbVerifMultiLine) {
  if (modHTMLHelp::GestTastoF1(piKeyCode, piShift, pgForm, -1)) return 1;
  StatoTasti& s = Stato();
  s.ultimoCodice = piKeyCode;
  s.ultimoShift = piShift;
  if (piShift == ui::vbCtrlMask || piShift == (ui::vbCtrlMask | ui::vbShiftMask)) return TastoCtrl(piKeyCode, piShift, pgForm);
  if (piShift == 6 || piShift == 7) return TastoCtrlAlt(piKeyCode, piShift, pgForm);
  if (piKeyCode == ui::vbKeyReturn && (piShift == 0 || piShift == 1))
    return Invio(piKeyCode, piShift, pgForm, pbInvioAncheGriglia, pbVerifMultiLine);
  return 0;
}

int GestTastiBarra(int& piKeyCode, int piShift, ui::Form& pgForm, int piComPag, int, int piLinPag, int,
                   int piLisPag, int, int, std::string& psTasto, std::string& psTastoAlt, bool pbRicercaDopoSalva) {
  const bool alt = piShift == ui::vbAltMask;
  // ---- record bar
  if (piComPag == -1) {
    if (alt && psTasto.empty()) {
      switch (piKeyCode) {
        case ui::vbKeyPageUp: psTasto = "Precedente"; break;
        case ui::vbKeyPageDown: psTasto = "Successivo"; break;
        case ui::vbKeyHome: psTasto = "Inizio"; break;
        case ui::vbKeyEnd: psTasto = "Fine"; break;
        default: break;
      }
    }
    if (!psTasto.empty()) {
      ui::Elemento& b = Bottone(pgForm, "tolComPag", psTasto);
      if (b.Enabled) Comando(pgForm, b.Key);
    }
    if (alt && psTasto.empty() && psTastoAlt.empty())
      psTastoAlt = membri::Oggetto<barre::BarraNavigazione>(pgForm, "ogComPag").TastoPremuto(piKeyCode);
    if (!psTastoAlt.empty()) {
      ui::Elemento& b = Bottone(pgForm, "tolComPag", psTastoAlt);
      if (Attivabile(b)) Comando(pgForm, b.Key);
    } else if (piKeyCode == ui::vbKeyF10 && piShift == 0) {
      auto& barra = membri::Oggetto<barre::BarraNavigazione>(pgForm, "ogComPag");
      if (barra.oiFlagOpe() == 0) {
        Comando(pgForm, "Ricerca");
      } else {
        const int operazione = barra.oiFlagOpe();
        if (Attivabile(Bottone(pgForm, "tolComPag", "Salva"))) {
          Comando(pgForm, "Salva");
          ui::DoEvents();
        }
        // A good save leaves an edit idle and an insert ready for the next.
        const bool salvato = operazione == 1 || (operazione == 2 && barra.oiFlagOpe() == 1);
        if (salvato && barra.VarDati(-1).ToString().empty() && pbRicercaDopoSalva) Comando(pgForm, "Ricerca");
      }
      piKeyCode = 0;
    }
  }
  // ---- list page
  if (piLisPag == -1) {
    if (piShift == 0 && psTasto.empty()) {
      if (piKeyCode == ui::vbKeyUp) psTasto = "Precedente";
      else if (piKeyCode == ui::vbKeyDown) psTasto = "Successiva";
    }
    if (!psTasto.empty()) {
      Comando(pgForm, psTasto);
      return 0;
    }
    if (alt && psTastoAlt.empty()) {
      psTastoAlt = membri::Oggetto<barre::PaginaLista>(pgForm, "ogLisPag").TastoPremuto(piKeyCode);
      if (!psTastoAlt.empty()) {
        ui::Elemento& b = Bottone(pgForm, "tolComlin", psTastoAlt);
        if (Attivabile(b)) Comando(pgForm, b.Key);
      }
    }
  }
  // ---- line page, errors ignored
  if (piLinPag == -1) {
    Ignora([&] {
      bool multi = false;
      Ignora([&] {
        ui::Controllo* c = pgForm.ActiveControl();
        if (c) multi = c->MultiLine() && vb::Len(c->Text()) != c->SelLength();
      });
      if (piShift == 0 && psTasto.empty() && !multi) {
        switch (piKeyCode) {
          case ui::vbKeyPageUp: psTasto = "PageUp"; break;
          case ui::vbKeyPageDown: psTasto = "PageDown"; break;
          case ui::vbKeyUp: psTasto = "Precedente"; break;
          case ui::vbKeyDown: psTasto = "Successiva"; break;
          default: break;
        }
      }
      if (!psTasto.empty()) {
        Comando(pgForm, psTasto);
      } else {
        if (alt && psTastoAlt.empty())
          psTastoAlt = membri::Oggetto<barre::PaginaRighe>(pgForm, "ogLinPag").TastoPremuto(piKeyCode);
        // A key the form chose runs as its button would: not while hidden or
        // disabled.
        if (!psTastoAlt.empty()) {
          ui::Elemento& b = Bottone(pgForm, "tolLinPag", psTastoAlt);
          if (Attivabile(b)) Comando(pgForm, b.Key);
        }
      }
    });
  }
  return 0;
}

int GestKeyPress(int piKeyAscii, ui::Form&, int, int, int, int, int, int, int) {
  const StatoTasti& s = Stato();
  const bool tastierino = vb::UgualeTesto(G().gsTastierinoVirgola, "S") && s.ultimoCodice == 110 && s.ultimoShift == 0;
  if (piKeyAscii == '.' && tastierino) return ',';
  if (piKeyAscii == 13 && !s.invioMultiLinea) return 0;
  if (piKeyAscii == 27) return 0;
  return piKeyAscii;
}

}  // namespace AziendaUtil

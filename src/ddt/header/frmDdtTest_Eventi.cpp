// The events of the header's boxes: what the user types reaches the bar
// and the header logic here. On entry a box remembers its text (a box in
// error remembers a sentinel no typing can equal, so that its next exit
// always counts as a change); on exit dates, times, discount chains, the
// printed prefix and the customer code are checked, the visible boxes of
// page 4 are copied into the hidden boxes the bar stores, and every coded
// field goes to its decoder through VerificaCambiati. Flags and options are
// kept in hidden boxes too: the check and combo boxes write their codes
// there.
#include <array>
#include <utility>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

namespace {

// Check box value of a hidden flag: 1 "S", 0 "N", grayed for anything else.
int ValoreFlag(const std::string& codice) {
  if (vb::UgualeTesto(codice, "S")) return 1;
  if (vb::UgualeTesto(codice, "N")) return 0;
  return 2;
}

// An item by position; none when the list does not hold it.
void Scegli(ui::Controllo& c, int i) { c.SetListIndex(i >= 0 && i < c.ListCount() ? i : -1); }

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The visible boxes of page 4 and the hidden boxes bound to their columns;
// the load fills miCampoLegato with the same pairs.
constexpr std::array<std::pair<int, int>, 17> kCopie{{{810, 830},
                                                      {820, 840},
                                                      {850, 900},
                                                      {860, 910},
                                                      {870, 920},
                                                      {880, 930},
                                                      {890, 940},
                                                      {960, 970},
                                                      {980, 1020},
                                                      {990, 1030},
                                                      {1000, 1040},
                                                      {1010, 1050},
                                                      {1015, 1055},
                                                      {1070, 1080},
                                                      {1100, 1110},
                                                      {1130, 1140},
                                                      {1160, 1170}}};

int CampoLegatoFisso(int n) {
  for (const auto& [vis, nasc] : kCopie)
    if (vis == n) return nasc;
  return 0;
}

bool Tra(int n, std::initializer_list<int> elenco) {
  for (int x : elenco)
    if (x == n) return true;
  return false;
}

// The codes of the grouping combo, by the items' data 0 to 6.
constexpr std::array<const char*, 7> kCodiciRagDdt{"S", "N", "A", "D", "E", "O", "C"};
constexpr std::array<const char*, 3> kCodiciEvasioneNota{"N", "S", "E"};

// A panel of the status bar, when the window has one.
void ScriviPannello(const ui::Form& f, const std::string& psKey, const std::string& psTesto) {
  ui::Controllo* sta = f.Trova("staMessaggi");
  if (!sta || !sta->HaElem(psKey)) return;
  sta->Elem(psKey).Caption = psTesto;
  sta->ElementoCambiato();
}

}  // namespace

void frmDdtTest::txt_Change(int) {
  // Also for values set by code: the bar keeps its own account of changes.
  if (HaBarra()) ogComPag().CampoCambiato();
}

void frmDdtTest::txt_GotFocus(int Index) {
  if (Index < 0 || Index >= static_cast<int>(msValEntrata.size()) || !Esiste("txt", Index)) return;
  const bool statoVuoto = FC().Vuoto(vb::Variant(txt(110).Text()));
  const int primoDato = statoVuoto ? 30 : 220;
  // A box that takes the focus in the middle of a command is left alone.
  if (mbComandoInCorso && Index != 10 && Index != primoDato) return;

  ui::Controllo& t = txt(Index);
  // The number of a new DDT is typed over a blank box.
  if (Index == 10 && t.Text() == "0") t.SetText("");
  ScriviPannello(*this, "DescrCampo", t.ToolTipText());
  if (Index == 20 && txt(10).Text() == "0") return;

  msValEntrata[Index] = t.BackColor() == G().glColoreErrore ? std::string(kSentinellaErrore) : t.Text();
  if (Index == 80) {
    t.SetText(FC().FormatTipo(vb::Variant(t.Text()), "Conto"));
    t.SetBackColor(G().glColoreSfondo);
  } else {
    bool preparato = false;
    if (HaBarra()) {
      try {
        const std::string col = ogComPag().CampoGotFocus(t);
        ogComPag().CampoGotFocusDati(col, vb::Variant(""), vb::Variant(""), true);
        preparato = true;
      } catch (...) {
      }
    }
    // A box the bar does not bind (the visible copies of page 4).
    if (!preparato) {
      try {
        vb::FunzioniComuniUi::EntraCampo(t, 10, {}, vb::Missing, ui::vbWindowBackground);
      } catch (...) {
      }
    }
  }
  FunVarie::SelezTesto();
  if (!vb::UgualeTesto(txt(110).Text(), "E")) AziendaUtil::ColoraGotFocus(t, -1);
}

void frmDdtTest::txt_LostFocus(int Index) {
  // A command or a copy into the controls holds the fields.
  if (miEventiSospesi >= 0) return;
  if (Index < 0 || Index >= static_cast<int>(msValEntrata.size()) || !Esiste("txt", Index)) return;
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  const int modo = HaBarra() ? ogComPag().oiFlagOpe() : 0;

  if (Tra(Index, {30, 70, 1190, 1220})) {
    std::string msg;
    FunVarie::VerifData(t, -2, 1, G().glColoreSfondo, &msg, false);
    if (!msg.empty()) {
      // The date stays as typed, in red; the user may go on elsewhere.
      t.SetBackColor(G().glColoreErrore);
      ScriviPannello(*this, "Messaggio", msg);
    } else {
      if (Index == 30 && t.Text() != msValEntrata[30] && !FC().Vuoto(vb::Variant(t.Text()))) {
        const vb::Variant data = FC().ValData(vb::Variant(t.Text()), true);
        if (data.IsDate()) {
          const int anno = data.ToDate().Year();
          if (anno != FC().ValInt(vb::Variant(txt(20).Text()), true, true)) {
            // A stored DDT cannot move to another year by its date.
            if (modo != 2 && modo != 0) t.SetBackColor(G().glColoreErrore);
            else txt(20).SetText(std::to_string(anno));
          }
        }
      }
      if (txt(30).BackColor() != G().glColoreErrore) VerificaCambiati(Index, "");
    }
  } else if (Tra(Index, {1200, 1230})) {
    std::string msg;
    FunVarie::VerifOra(t, "hh:mm", 0, 1, 2, 0, G().glColoreSfondo, &msg, false, 0);
    if (!msg.empty()) {
      t.SetBackColor(G().glColoreErrore);
      ScriviPannello(*this, "Messaggio", msg);
    }
  } else if (Tra(Index, {230, 240})) {
    bool errore = false;
    AziendaUtil::CalcPercSconto(t.Text(), errore, 0, 6);
    if (errore) {
      ScriviPannello(*this, "Messaggio", "Sconto non valido");
      t.SetBackColor(G().glColoreErrore);
    } else {
      t.SetBackColor(G().glColoreSfondo);
    }
  } else if (Index == 80) {
    const std::string digitato = t.Text();
    if (vb::InStr(digitato, "-") > 0) {
      t.SetBackColor(G().glColoreErrore);
      lab(80).SetCaption("");
    } else {
      t.SetText(FC().Formatta(vb::Variant(digitato), "conto"));
    }
    VerificaCambiati(80, digitato);
    // Outside internal DDTs the destination column carries the customer.
    if (t.BackColor() != G().glColoreErrore && !vb::UgualeTesto(msDdtInterno, "S") && Esiste("txt", 88))
      txt(88).SetText(FC().FormatTipo(vb::Variant(t.Text()), "Conto"));
  } else if (Tra(Index, {530, 540, 550})) {
    AziendaUtil::DecodCodice("NotaFissa", t, &lab(Index), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1, -1);
  } else if (Tra(Index, {40, 88, 200, 220, 250, 270, 290, 310, 400, 480, 500, 560, 800, 950, 1060, 1090, 1120,
                         1150, 1400})) {
    VerificaCambiati(Index, "");
  } else if (CampoLegatoFisso(Index) > 0) {
    // A disabled copy shows the master's data: it stores nothing.
    const int legato = miCampoLegato[Index] > 0 ? miCampoLegato[Index] : CampoLegatoFisso(Index);
    if (t.Enabled() && Esiste("txt", legato)) txt(legato).SetText(t.Text());
  } else if (HaBarra()) {
    try {
      const std::string col = ogComPag().CampoGotFocus(t);
      ogComPag().CampoLostFocus(col, vb::Variant(""), vb::Variant(""));
    } catch (...) {
    }
  }

  if (Index == 10) {
    const std::string n = vb::Trim(t.Text());
    if (n != t.Text()) t.SetText(n);
    if (n == "0" && modo != 2 && (msComandoCorrente.empty() || vb::UgualeTesto(msComandoCorrente, "Ricerca"))) {
      // The number 0 asks for a new DDT: the field counts as changed, and
      // outside a command the search that starts it runs here.
      const bool avvia = msComandoCorrente.empty();
      barre::BarraRecord& b = ogComPag();
      b.ScriviVarBarra("InMuovi", vb::vbString, vb::Variant("S"));
      b.CampoModificato(0);
      b.ScriviVarBarra("InMuovi", vb::vbString, vb::Variant("N"));
      if (avvia) ButtonComando("Ricerca");
    }
  } else if (Index == 275) {
    if (t.Text() != msValEntrata[275]) MostraRitAcc();
  } else if (Index == 50) {
    std::string prefisso = t.Text();
    if (!AziendaUtil::VerifPrefDdt(prefisso, modo == 0 ? -1 : 0)) {
      t.SetBackColor(G().glColoreErrore);
      ScriviPannello(*this, "Messaggio", "Prefisso DDT inesistente nella lista validi");
    }
  } else if (Index == 410) {
    MostraTotMon();
  }
}

void frmDdtTest::VerificaCambiati(int Index) { VerificaCambiati(Index, ""); }

void frmDdtTest::VerificaCambiati(int Index, const std::string& psTxtHelp) {
  if (Index < 0 || Index >= static_cast<int>(msValEntrata.size()) || !Esiste("txt", Index)) return;
  ui::Controllo& t = txt(Index);
  // A box red on entry remembered the sentinel: it always counts as changed.
  bool pbModif = t.Text() != msValEntrata[Index] || t.BackColor() == G().glColoreErrore;
  bool pbFaiHelp = true;
  bool pbFocus = true;
  switch (Index) {
    case 30: MostraScad(true); break;
    case 40: MostraFattDoc(pbModif, pbFaiHelp); break;
    case 80: MostraCliente(pbModif, true, pbFaiHelp, psTxtHelp); break;
    case 88:
    case 290: MostraMagazzino(Index, pbModif, pbFaiHelp); break;
    case 200: MostraListino(pbModif, pbFaiHelp); break;
    case 220: MostraPagamento(pbModif, pbFaiHelp); break;
    case 250: MostraBanca(pbModif, pbFaiHelp); break;
    case 270: MostraIva(pbModif, pbFaiHelp); break;
    case 310: MostraPdcDicIntenti(pbModif, pbFaiHelp); break;
    case 400: MostraMoneta(pbModif, pbModif, false, pbFaiHelp); break;
    case 480: MostraAgente(480, 481, 490, pbModif, pbFaiHelp); break;
    case 500: MostraAgente(500, 501, 510, pbModif, pbFaiHelp); break;
    case 560: MostraLingua(pbModif, pbFaiHelp); break;
    case 800: MostraDestinazione(pbModif, pbFocus, pbFaiHelp); break;
    case 950: MostraVettore(pbModif, pbFocus, pbFaiHelp); break;
    case 1060: MostraCauTrasp(pbModif, pbFocus, pbFaiHelp); break;
    case 1090: MostraAspetto(pbModif, pbFocus, pbFaiHelp); break;
    case 1120: MostraResa(pbModif, pbFocus, pbFaiHelp); break;
    case 1150: MostraTrasporto(pbModif, pbFocus, pbFaiHelp); break;
    case 1400: MostraContratto(pbModif); break;
    default: break;
  }
}

void frmDdtTest::che_Click(int Index) {
  if (!Esiste("che", Index) || !Esiste("txt", Index)) return;
  ui::Controllo& c = C("che", Index);
  // A document type with a return movement cannot be invoiced. The rule
  // answers the user's tick only (the box has the focus and no copy into
  // the controls is running): a stored DDT shown as it is neither warns
  // nor loses its flag.
  if (Index == 300 && c.Value() == 1 && !vb::Trim(msMagCausaleRientro).empty() && miEventiSospesi < 0 &&
      ActiveControl() == &c) {
    frmMsgCom::msgCom("Non si puo' impostare da fatturare un DDT con questo tipo di documento", "&Ok");
    c.SetValue(0);
    txt(300).SetText("N");
    return;
  }
  if (!Tra(Index, {210, 235, 260, 280, 300, 600})) return;
  const int v = c.Value();
  const std::string codice = v == 1 ? "S" : v == 2 ? "" : "N";
  // "s" already says "S": rewriting it would only look like a change.
  if (!vb::UgualeTesto(txt(Index).Text(), codice)) txt(Index).SetText(codice);
}

// In the search state a flag may be left without a value: Delete or the
// right button grays the box and empties its hidden field.
void frmDdtTest::Che_KeyUp(int Index, int KeyCode, int Shift) {
  (void)Shift;
  if (KeyCode != ui::vbKeyDelete) return;
  if (!HaBarra() || ogComPag().oiFlagOpe() != 0) return;
  if (!Esiste("che", Index) || !Esiste("txt", Index)) return;
  C("che", Index).SetValue(2);
  txt(Index).SetText("");
}

void frmDdtTest::Che_MouseDown(int Index, int Button, int Shift, float X, float Y) {
  (void)Shift, (void)X, (void)Y;
  if (Button != 2) return;
  if (!HaBarra() || ogComPag().oiFlagOpe() != 0) return;
  if (!Esiste("che", Index) || !Esiste("txt", Index)) return;
  C("che", Index).SetValue(2);
  txt(Index).SetText("");
}

void frmDdtTest::Cob_Click(int Index) {
  // A command or a copy into the controls holds the combos.
  if (miEventiSospesi >= 0) return;
  if (!Esiste("cob", Index) || !Esiste("txt", Index)) return;
  ui::Controllo& c = C("cob", Index);
  try {
    const int i = c.ListIndex();
    switch (Index) {
      case 440: txt(440).SetText(i >= 0 ? std::to_string(c.ItemData(i)) : std::string()); break;
      case 450:
        if (i >= 0) {
          const long d = c.ItemData(i);
          if (d >= 0 && d < static_cast<long>(kCodiciRagDdt.size())) txt(450).SetText(kCodiciRagDdt[d]);
        }
        MostraOrdProv();
        break;
      case 470:
      case 515: {
        txt(Index).SetText(i >= 0 ? vb::Left(c.List(i), 1) : std::string());
        // The commission follows where it is now taken from.
        bool modif = true, aiuto = false;
        if (Index == 470) MostraAgente(480, 481, 490, modif, aiuto);
        else MostraAgente(500, 501, 510, modif, aiuto);
        break;
      }
      case 620:
        if (i >= 0 && i < static_cast<int>(kCodiciEvasioneNota.size())) txt(620).SetText(kCodiciEvasioneNota[i]);
        break;
      default: break;
    }
  } catch (...) {
  }
}

void frmDdtTest::cob_KeyDown(int Index, int& KeyCode, int Shift) {
  if (KeyCode == ui::vbKeyDelete && Shift == 0 && Tra(Index, {440, 450, 470, 515, 620}) && Esiste("cob", Index) &&
      Esiste("txt", Index)) {
    C("cob", Index).SetListIndex(-1);
    txt(Index).SetText("");
  }
  MostraOrdProv();
}

void frmDdtTest::AggNonText() {
  // The combo clicks fired by the copy must not write back.
  const bool sospendo = miEventiSospesi < 1;
  if (sospendo) miEventiSospesi = 1;
  struct Ripristina {
    int16_t& v;
    bool attivo;
    ~Ripristina() {
      if (attivo) v = -1;
    }
  } ripristina{miEventiSospesi, sospendo};

  const std::string stato = txt(110).Text();
  lab(110).SetCaption(vb::UgualeTesto(stato, "E") ? "Evaso" : vb::UgualeTesto(stato, "S") ? "Stampato" : "");
  for (int n : {210, 260, 280, 300, 235})
    if (ui::Controllo* c = Trova("che", n)) c->SetValue(ValoreFlag(txt(n).Text()));
  if (ui::Controllo* c = Trova("cob", 440)) vb::FunzioniComuniUi::SelezComboCtrl(*c, txt(440), true, true);
  if (ui::Controllo* c = Trova("cob", 450)) {
    int scelto = -1;
    for (size_t i = 0; i < kCodiciRagDdt.size(); ++i)
      if (vb::UgualeTesto(txt(450).Text(), kCodiciRagDdt[i])) scelto = static_cast<int>(i);
    Scegli(*c, scelto);
  }
  MostraOrdProv();
  for (int n : {470, 515})
    if (ui::Controllo* c = Trova("cob", n)) {
      if (!vb::FunzioniComuniUi::SelezCombo(*c, vb::Variant(txt(n).Text()))) c->SetListIndex(-1);
    }
  if (ui::Controllo* c = Trova("che", 600)) c->SetValue(ValoreFlag(txt(600).Text()));
  if (ui::Controllo* c = Trova("cob", 620)) {
    const std::string v = txt(620).Text();
    Scegli(*c, vb::UgualeTesto(v, "N") ? 0 : vb::UgualeTesto(v, "S") ? 1 : vb::UgualeTesto(v, "E") ? 2 : -1);
  }
  if (sospendo) miEventiSospesi = -1;
  ripristina.attivo = false;
  MostraRitAcc();
}

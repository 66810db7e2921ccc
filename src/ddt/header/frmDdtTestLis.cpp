#include "ddt/header/frmDdtTestLis.h"

#include <exception>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/barre/frmImgComPag.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"
#include "print/FrmComlinStampa.h"
#include "print/frmStampaInCorso.h"
#include "services/Impostazioni.h"

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

struct Bottone {
  const char* key;
  const char* caption;
  const char* tooltip;
};

// The toolbar as the window shows it: the tooltip opens with the letter of
// the Alt accelerator the list page binds to the button.
const Bottone kBottoni[] = {
    {"Ricerca", "Ricerca", "(R) Ricerca Dati"},
    {"AzzSel", "Azzera", "(Z) Azzera Selezioni"},
    {"Torna", "Torna", "(O) Torna alla maschera chiamante"},
    {"Seleziona", "Seleziona", "(E) Seleziona il dato cercato"},
    {"-1", "", ""},
    {"Punta", "Punta", "(P) Puntatore"},
    {"VaiA", "Vai a", "(V) Vai a"},
    {"Inizio", "Inizio", "(I) Inizio Archivio"},
    {"Posiz", "", ""},
    {"Fine", "Fine", "(F) Fine Archivio"},
    {"Aggiorna", "Aggiorna", "(G) Aggiorna"},
    {"Trova", "Trova", "(T) Trova"},
    {"Stampa", "Stampa", "(S) Stampa"},
    {"-2", "", ""},
    {"Chiudi", "Chiudi", "(H) Chiudi"},
    {"Menu", "Menu", "(M) Menu"},
};

}  // namespace

frmDdtTestLis::frmDdtTestLis() : ui::Form("frmDdtTestLis") { CreaControlli(); }

frmDdtTestLis::~frmDdtTestLis() {
  // The components hold the grid and the data control: they go first.
  lisPag_.reset();
  comlin_.reset();
}

barre::rowlib::ComandiLista& frmDdtTestLis::ogComlin() {
  if (!comlin_) comlin_ = std::make_unique<barre::rowlib::ComandiLista>();
  return *comlin_;
}

barre::navlib::PaginaLista& frmDdtTestLis::ogLisPag() {
  if (!lisPag_) lisPag_ = std::make_unique<barre::navlib::PaginaLista>();
  return *lisPag_;
}

void frmDdtTestLis::impOggBase(barre::BarraNavigazione* barra) {
  barraBase_ = barra;
  ogLisPag().BarraBase(barra);
}

ui::Griglia& frmDdtTestLis::dbgRiga() const { return static_cast<ui::Griglia&>(C("dbgRiga")); }

frmDdtTestLis& FrmDdtTestLis() {
  static frmDdtTestLis f;
  return f;
}

// ---------------------------------------------------------------- controls

void frmDdtTestLis::CreaControlli() {
  SetCaption("Lista Testate DDT");
  Move(0, 0, 11520, 8280);

  auto& tol = Crea(ui::Tipo::Toolbar, "tolComlin");
  tol.Move(0, 0, 11400, 420);
  for (const Bottone& b : kBottoni) {
    if (b.key[0] == '-') {
      tol.AggiungiElemento(b.key, {}, ui::tbrSeparator);
      continue;
    }
    ui::Elemento& e = tol.AggiungiElemento(b.key, b.caption);
    e.ToolTipText = b.tooltip;
    e.Image = b.key;
    // "Posiz" has no work of the window's own; "Stampa" is shown by the load.
    e.Visible = std::string(b.key) != "Posiz" && std::string(b.key) != "Stampa";
  }

  int etichetta = 0;
  auto label = [&](const std::string& testo, long x, long y, long w) {
    auto& l = Crea(ui::Tipo::Label, "label1", ++etichetta);
    l.SetCaption(testo);
    l.Move(x, y + 45, w, 285);
  };
  int ordine = 0;
  auto testo = [&](int n, long x, long y, long w) -> ui::Controllo& {
    auto& t = Crea(ui::Tipo::TextBox, "txt", n);
    t.Move(x, y, w, 330);
    t.SetTabIndex(++ordine);
    return t;
  };
  auto aiuto = [&](int n, long x, long y) {
    auto& b = Crea(ui::Tipo::CommandButton, "comHlp", n);
    b.SetCaption("..");
    b.Move(x, y, 300, 330);
    b.SetTabStop(false);
  };
  auto descrizione = [&](int n, long x, long y, long w) {
    auto& l = Crea(ui::Tipo::Label, "lab", n);
    l.Move(x, y, w, 330);
    l.SetBorderStyle(1);
    l.SetForeColor(ui::vbBlue);
  };
  auto combo = [&](int n, long x, long y, long w, const std::vector<std::string>& voci) {
    auto& c = Crea(ui::Tipo::ComboBox, "cob", n);
    c.SetStyle(2);
    c.Move(x, y, w, 330);
    c.SetTabIndex(++ordine);
    for (size_t i = 0; i < voci.size(); ++i) {
      c.AddItem(voci[i]);
      c.SetItemData(static_cast<int>(i), static_cast<long>(i) + 1);
    }
    // The hidden box that carries the criterion.
    auto& t = Crea(ui::Tipo::TextBox, "txt", n);
    t.Move(x, y, w, 330);
    t.SetVisible(false);
    t.SetTabStop(false);
  };

  long y = 510;
  const long passo = 405;
  label("Anno da:", 120, y, 1150);
  testo(10, 1300, y, 700);
  label("a:", 2080, y, 250);
  testo(20, 2350, y, 700);
  label("Numero Riferimento da:", 3300, y, 2200);
  testo(30, 5550, y, 1000);
  label("a:", 6630, y, 250);
  testo(40, 6900, y, 1000);

  y += passo;
  label("Data Inserimento da:", 120, y, 2000);
  testo(50, 2150, y, 1150);
  label("a:", 3380, y, 250);
  testo(60, 3650, y, 1150);
  label("Tipo Doc.:", 4950, y, 900);
  testo(70, 5900, y, 900);
  aiuto(70, 6820, y);
  descrizione(70, 7170, y, 4100);

  y += passo;
  label("Destinatario:", 120, y, 1150);
  combo(80, 1300, y, 1350, {"Cliente", "Fornitore"});
  testo(90, 2750, y, 1300);
  aiuto(90, 4070, y);
  descrizione(90, 4420, y, 6800);

  y += passo;
  label("Documento:", 120, y, 1150);
  testo(100, 1300, y, 450);
  label("da:", 1800, y, 300);
  testo(110, 2150, y, 950);
  label("a:", 3180, y, 250);
  testo(120, 3450, y, 950);
  label("Del da:", 4700, y, 700);
  testo(130, 5450, y, 1150);
  label("a:", 6680, y, 250);
  testo(140, 6950, y, 1150);

  y += passo;
  label("Stato:", 120, y, 1150);
  combo(150, 1300, y, 1350, {"Normale", "Stampata", "Evasa", "Tutti"});
  label("In Rifer. Cliente:", 2800, y, 1500);
  testo(160, 4350, y, 3750);

  y += passo;
  label("Articolo:", 120, y, 1150);
  testo(170, 1300, y, 2000);
  aiuto(170, 3320, y);
  descrizione(170, 3670, y, 7550);

  // The grid under the criteria; the row counter and the search strip
  // (worked by the list commands, hidden until "Trova") under the grid.
  y += passo + 60;
  auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "datRiga");
  dat.SetVisible(false);
  auto& dbg = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga");
  dbg.Move(0, y, 11400, 4300);
  dbg.SetAllowUpdate(false);
  const long basso = y + 4360;
  auto& riga = Crea(ui::Tipo::TextBox, "txtRiga");
  riga.Move(0, basso, 1500, 330);
  riga.SetText("99999 / 99999");
  riga.SetLocked(true);
  riga.SetTabStop(false);

  auto& fra = Crea(ui::Tipo::Frame, "FraCerca");
  fra.Move(1560, basso - 45, 9840, 420);
  fra.SetVisible(false);
  auto& cerca = Crea(ui::Tipo::TextBox, "txtCerca");
  cerca.SetContainer(&fra);
  cerca.Move(60, 45, 1800, 330);
  auto& comCerca = Crea(ui::Tipo::CommandButton, "ComCerca");
  comCerca.SetContainer(&fra);
  comCerca.SetCaption("Cerca in:");
  comCerca.Move(1920, 45, 1000, 330);
  auto& cobCerca = Crea(ui::Tipo::ComboBox, "CobCerca");
  cobCerca.SetContainer(&fra);
  cobCerca.SetStyle(2);
  cobCerca.Move(2980, 45, 1600, 330);
  auto& labCerca = Crea(ui::Tipo::Label, "LabCerca");
  labCerca.SetContainer(&fra);
  labCerca.SetCaption("Direzione ricerca:");
  labCerca.Move(4660, 90, 1450, 285);
  const char* direzioni[] = {"Primo", "Successivo", "Precedente", "Ultimo"};
  const long largDir[] = {750, 1050, 1050, 800};
  long xDir = 6140;
  for (int i = 0; i < 4; ++i) {
    auto& o = Crea(ui::Tipo::OptionButton, "optDirez", i);
    o.SetContainer(&fra);
    o.SetCaption(direzioni[i]);
    o.Move(xDir, 60, largDir[i], 300);
    xDir += largDir[i] + 60;
    if (i == 0) o.SetValue(-1);
  }

  Crea(ui::Tipo::ImageList, "ImagePiccole").SetVisible(false);

  for (const char* nome : {"timVarie", "timResize"}) {
    auto& t = Crea(ui::Tipo::Timer, nome);
    t.SetEnabled(false);
    t.SetInterval(1);
  }
}

// ---------------------------------------------------------------- load and unload

void frmDdtTestLis::Form_Load() {
  const Globali& g = G();
  miIndiceTxt = -1;
  mbInChiusura = false;
  // A window loaded again starts as a new one: no criterion, no description.
  for (int n : Indici("txt")) {
    txt(n).SetText("");
    txt(n).SetBackColor(g.glColoreSfondo);
  }
  for (int n : Indici("lab")) lab(n).SetCaption("");
  for (int n : Indici("cob")) cob(n).SetListIndex(-1);
  msBookmark.clear();
  msSql.clear();
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, -1, 0, 0, 0, -1, "");
  miTastoPremuto = 0;
  miAzioneTimer = 0;

  LeggiColonneAgg(servizi::Testo(servizi::ParPers("DDT", "ListaAggEle", "")));
  LeggiColonneNascoste(servizi::Testo(servizi::ParPers("DDT", "ListaHideCol", "")));

  cob(80).SetItemData(0, 3);
  cob(80).SetItemData(1, 2);

  // The grid shows what the list commands open: nothing of its own.
  dbgRiga().SetAllowUpdate(false);
  dbgRiga().SetAllowAddNew(false);

  ogLisPag().BarraStrumenti(C("tolComlin"));
  ogLisPag().OggettoBase(ogComlin());
  C("tolComlin").Elem("Stampa").Visible = true;
  C("tolComlin").ElementoCambiato();
  // "Stampa" opens the list-print dialog; the print shows its progress window.
  ogLisPag().OggStampa().ofrmComlinSTampa = &FrmComlinStampaGlob();
  ogLisPag().OggStampa().ofrmStampaInCorso = &FrmStampaInCorsoGlob();
  ogLisPag().Form(*this);
  ogLisPag().BarraBase(barraBase_);

  DefinisciCriteri();

  ogComlin().Form(*this);
  ogComlin().BarraStrumenti(C("tolComlin"));
  ogComlin().TestoContaRighe(C("txtRiga"));
  ogComlin().Griglia(dbgRiga());
  ogComlin().ControlloDati(static_cast<ui::DatiControllo&>(C("datRiga")));
  if (g.goDbAzienda) ogComlin().DatabaseDao(*g.goDbAzienda, g.gsConnAzienda);
  ogComlin().FormatoData("dd/mm/yyyy");

  ogLisPag().ColoreErrore(g.glColoreErrore);
  ogLisPag().ColoreSfondo(g.glColoreSfondo);

  // The key columns Anno and NumRif, wherever the additional columns put them.
  ogComlin().LeggiImpostazioneA(ColonnaChiave(1));
  ogComlin().LeggiImpostazioneA(ColonnaChiave(2));
  ogComlin().LeggiImpostazioneB(false);

  // The window's own picture list, filled from the shared table without
  // loading the shared picture form: once loaded, that form would count as
  // an open window and keep the end check from closing the program.
  ui::Controllo& immagini = C("ImagePiccole");
  if (immagini.NumElementi() == 0) {
    for (const Bottone& b : kBottoni)
      if (b.key[0] != '-') immagini.AggiungiElemento(b.key).Image = barre::frmImgComPag::Immagine(b.key);
  }
  ogLisPag().ImpImmagini(g.gsTipoIcone, &immagini, &immagini);

  mbNoSeleziona = false;
  ogLisPag().Prepara();
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, -1, 0, 0, -1);
}

void frmDdtTestLis::Form_Unload(int&) {
  mbInChiusura = true;
  try {
    if (lisPag_)
      if (barre::BarraNavigazione* b = lisPag_->BarraOrigine()) b->ChiudiLista(0);
  } catch (...) {
  }
  // A command that closed the window is still running inside the
  // components: they go when it ends.
  if (comandiInCorso_ > 0) {
    rilascia_ = true;
    return;
  }
  lisPag_.reset();
  comlin_.reset();
}

void frmDdtTestLis::ChiudiFrm() { Unload(); }

void frmDdtTestLis::MenuFrm() { mainDdt::MostraMenu(); }

int frmDdtTestLis::oiStaAtt() const { return G().giStaAtt; }

void frmDdtTestLis::SetoiStaAtt(int piStaAtt) { G().giStaAtt = static_cast<int16_t>(piStaAtt); }

void frmDdtTestLis::SetovfrmBookmark(const std::string& psBookmark) {
  msBookmark = psBookmark;
  ui::Controllo& tol = C("tolComlin");
  if (tol.HaElem("VaiA")) {
    tol.Elem("VaiA").Enabled = !psBookmark.empty();
    tol.ElementoCambiato();
  }
}

void frmDdtTestLis::DatRefresh() {
  ogComlin().FormatGriglia(true, "M", 0, "dd/mm/yyyy");
  PersColonne();
}

void frmDdtTestLis::Avviso(const std::string& psTesto) const {
  try {
    frmMsgCom::msgCom(psTesto);
  } catch (const vb::Errore&) {
    vb::MsgBox(psTesto, vb::vbExclamation);
  }
}

// ---------------------------------------------------------------- commands

void frmDdtTestLis::ButtonComando(const std::string& psKey) {
  ++comandiInCorso_;
  // 1. The criterion being typed is checked before the command.
  msNomeCtlAtt.clear();
  miIndiceTxt = -1;
  try {
    if (ui::Controllo* a = ActiveControl()) {
      msNomeCtlAtt = a->Name();
      if (Uguale(msNomeCtlAtt, "txt")) {
        txt_LostFocus(a->Index());
        miIndiceTxt = static_cast<int16_t>(a->Index());
      }
    }
  } catch (...) {
  }
  const bool stampa = Uguale(psKey, "Stampa");
  bool fatto = true;
  // 2. From here on the command's own errors are not the window's to tell,
  // except those of a print.
  try {
    if (stampa) {
      dati::Recordset* rs = ogComlin().Recordset();
      if (!rs || rs->LeggiFinoA(1) == 0) fatto = false;
    }
    if (fatto) {
      vb::Variant ris;
      ogComlin().EseguiTasto(psKey, -1, false, ris);
      if (!mbInChiusura) ogLisPag().EseguiTasto(psKey);
      if (!mbInChiusura && Uguale(psKey, "AzzSel")) AzzAltro();
    }
  } catch (const vb::Errore& e) {
    if (stampa) frmMsgCom::MsgErrfrm(e);
  } catch (const std::exception&) {
  }
  --comandiInCorso_;
  if (rilascia_ && comandiInCorso_ == 0) {
    rilascia_ = false;
    lisPag_.reset();
    comlin_.reset();
  }
  if (!fatto || mbInChiusura) return;
  miAzioneTimer = 2;
  AvviaTimer();
}

void frmDdtTestLis::AvviaTimer() {
  ui::Controllo& t = C("timVarie");
  t.SetEnabled(false);
  t.SetEnabled(true);
}

void frmDdtTestLis::timVarie_Timer() {
  C("timVarie").SetEnabled(false);
  if (miAzioneTimer == 1) {
    if (!mbNoSeleziona) ButtonComando("Seleziona");
    mbNoSeleziona = false;
  } else if (miAzioneTimer == 2 && miIndiceTxt >= 0) {
    ui::Controllo* a = ActiveControl();
    if (Uguale(msNomeCtlAtt, "txt") && a && Uguale(a->Name(), "txt") && a->Index() == miIndiceTxt)
      txt_GotFocus(miIndiceTxt);
    msNomeCtlAtt.clear();
    miIndiceTxt = -1;
  }
  miAzioneTimer = 0;
}

void frmDdtTestLis::Form_Resize() {
  if (Caricata()) C("timResize").SetEnabled(true);
}

void frmDdtTestLis::timResize_Timer() {
  C("timResize").SetEnabled(false);
  if (!comlin_ || !lisPag_) return;
  comlin_->Ridimensiona(false, 0, lisPag_->AreaUtile());
}

// ---------------------------------------------------------------- grid

void frmDdtTestLis::dbgRiga_Click() {
  if (G().gbLisClickNoSel) return;
  miAzioneTimer = 1;
  AvviaTimer();
}

void frmDdtTestLis::dbgRiga_DblClick() {
  miAzioneTimer = 1;
  AvviaTimer();
}

void frmDdtTestLis::dbgRiga_KeyDown(int& KeyCode, int) {
  miTastoPremuto = 1;
  // Enter chooses the row like a double click: "LisClickNoSel" is about the
  // mouse only.
  if (KeyCode == ui::vbKeyReturn) dbgRiga_DblClick();
}

void frmDdtTestLis::dbgRiga_ColResize(int) { mbNoSeleziona = true; }

void frmDdtTestLis::dbgRiga_HeadClick(int ColIndex) {
  mbNoSeleziona = true;
  int esito = 1;
  try {
    esito = ogComlin().OrdinaColonna(ColIndex, msSql);
  } catch (const vb::Errore&) {
    esito = 1;
  }
  if (esito == 1) vb::MsgBox("Impossibile ordinare su questo campo", vb::vbOKOnly);
}

void frmDdtTestLis::dbgRiga_SplitChange() {
  // The grid has one split.
  if (ogComlin().ColonnaSplit() != 1) ogComlin().SplitCambiato();
}

void frmDdtTestLis::dbgRiga_RowColChange(const vb::Variant& LastRow, int LastCol) {
  std::string a, b;
  ogComlin().RigaColCambiata(LastRow, LastCol, 0, a, b);
  C("txtRiga").SetText(a + " / " + b);
}

void frmDdtTestLis::dbgRiga_MouseMove(int, int, long, long Y) {
  if (!G().gbLisSpostaCurs) return;
  if (miTastoPremuto == 1) {
    miTastoPremuto = 0;
    return;
  }
  // Rows of a fixed height under the headings, the first one shown at the top.
  constexpr long kAltezzaTitoli = 285, kAltezzaRiga = 255;
  if (Y < kAltezzaTitoli) return;
  ui::Griglia& g = dbgRiga();
  const long riga = (Y - kAltezzaTitoli) / kAltezzaRiga + g.FirstRow();
  if (riga < g.NumRighe()) g.VaiARiga(riga);
}

void frmDdtTestLis::dbgRiga_Error(int DataError, int& Response) {
  dati::Recordset* rs = comlin_ ? comlin_->Recordset() : nullptr;
  ogComlin().ErroreDati(DataError, Response, rs);
}

// ---------------------------------------------------------------- keys and events

void frmDdtTestLis::Form_KeyDown(int& KeyCode, int Shift) {
  miTastoPremuto = 1;
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, -1, 0, 0, false, true) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, -1, 0, 0, tasto, tastoAlt, true);
}

void frmDdtTestLis::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this, 0, 0, 0, 0, -1); }

// The events of the criterion fields decode and open look-ups: an error
// there is told and the window goes on.
template <class F>
void frmDdtTestLis::Evento(F&& f) {
  try {
    f();
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
}

void frmDdtTestLis::Click(ui::Controllo& c) {
  const std::string& n = c.Name();
  Evento([&] {
    if (Uguale(n, "dbgRiga")) dbgRiga_Click();
    else if (Uguale(n, "comHlp")) comHlp_Click(c.Index());
    else if (Uguale(n, "cob")) cob_Click(c.Index());
    else if (Uguale(n, "ComCerca")) ButtonComando("Cerca");
  });
}

void frmDdtTestLis::DblClick(ui::Controllo& c) {
  if (Uguale(c.Name(), "dbgRiga")) dbgRiga_DblClick();
}

void frmDdtTestLis::GotFocus(ui::Controllo& c) {
  Evento([&] {
    if (Uguale(c.Name(), "txt")) {
      txt_GotFocus(c.Index());
    } else if (Uguale(c.Name(), "txtCerca")) {
      FunVarie::SelezTesto();
      AziendaUtil::ColoraGotFocus(c, 0);
    }
  });
}

void frmDdtTestLis::LostFocus(ui::Controllo& c) {
  Evento([&] {
    if (Uguale(c.Name(), "txt")) txt_LostFocus(c.Index());
    else if (Uguale(c.Name(), "txtCerca")) AziendaUtil::ColoraLostFocus(c, 0);
  });
}

void frmDdtTestLis::KeyDown(ui::Controllo& c, int& KeyCode, int Shift) {
  Evento([&] {
    if (Uguale(c.Name(), "cob")) cob_KeyDown(c.Index(), KeyCode, Shift);
    else if (Uguale(c.Name(), "dbgRiga")) dbgRiga_KeyDown(KeyCode, Shift);
  });
}

void frmDdtTestLis::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  Evento([&] {
    if (Uguale(c.Name(), "txt")) txt_KeyUp(c.Index(), KeyCode, Shift);
  });
}

void frmDdtTestLis::Timer(ui::Controllo& c) {
  Evento([&] {
    if (Uguale(c.Name(), "timVarie")) timVarie_Timer();
    else if (Uguale(c.Name(), "timResize")) timResize_Timer();
  });
}

void frmDdtTestLis::ButtonClick(ui::Controllo& barra, const std::string& key) {
  if (Uguale(barra.Name(), "tolComlin")) ButtonComando(key);
}

void frmDdtTestLis::RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) {
  if (Uguale(g.Name(), "dbgRiga")) dbgRiga_RowColChange(LastRow, LastCol);
}

// ---------------------------------------------------------------- by name

vb::Variant frmDdtTestLis::LeggiPerNome(const std::string& n) {
  if (Uguale(n, "osKeySec")) return osKeySec;
  if (Uguale(n, "osListaOrdin")) return osListaOrdin;
  if (Uguale(n, "osSql")) return msSql;
  if (Uguale(n, "ovfrmBookmark")) return msBookmark;
  if (Uguale(n, "oiStaAtt")) return static_cast<int16_t>(oiStaAtt());
  return ui::Form::LeggiPerNome(n);
}

void frmDdtTestLis::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Uguale(n, "osKeySec")) osKeySec = v.ToString();
  else if (Uguale(n, "osListaOrdin")) osListaOrdin = v.ToString();
  else if (Uguale(n, "ovfrmBookmark")) SetovfrmBookmark(v.ToString());
  else if (Uguale(n, "oiStaAtt")) SetoiStaAtt(v.ToInt());
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmDdtTestLis::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  auto arg = [&a](size_t i) { return i < a.size() ? a[i] : vb::Variant(); };
  if (Uguale(n, "ButtonComando")) {
    ButtonComando(arg(0).ToString());
    return {};
  }
  if (Uguale(n, "txt_KeyUp")) {
    txt_KeyUp(arg(0).ToInt(), arg(1).ToInt(), arg(2).ToInt());
    return {};
  }
  if (Uguale(n, "ChiudiFrm")) {
    ChiudiFrm();
    return {};
  }
  if (Uguale(n, "MenuFrm")) {
    MenuFrm();
    return {};
  }
  if (Uguale(n, "PersColonne")) {
    PersColonne();
    return {};
  }
  if (Uguale(n, "DatRefresh")) {
    DatRefresh();
    return {};
  }
  if (Uguale(n, "ListaAvanti")) {
    ListaAvanti();
    return {};
  }
  if (Uguale(n, "ListaIndietro")) {
    ListaIndietro();
    return {};
  }
  if (Uguale(n, "dbgRiga_HeadClick")) {
    dbgRiga_HeadClick(arg(0).ToInt());
    return {};
  }
  if (Uguale(n, "dbgRiga_ColResize")) {
    dbgRiga_ColResize(arg(0).ToInt());
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

ui::Oggetto* frmDdtTestLis::OggettoPerNome(const std::string& n) {
  if (Uguale(n, "ogLisPag")) return &ogLisPag();
  if (Uguale(n, "ogComlin")) return &ogComlin();
  return ui::Form::OggettoPerNome(n);
}

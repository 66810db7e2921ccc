#include "lots/frmPartLottoDiv.h"

#include <algorithm>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "lots/frmLisPartLot.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

constexpr long kLargh = 7620, kAlt = 4500;
constexpr long kPasso = 375;

bool BoxQta(int i) { return i >= 210 && i <= 250; }

// The three single-button messages of the checks.
void Avviso(const std::string& testo) {
  frmMsgCom::msgCom(testo, "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, G().gbSuona, 600, vb::Variant(12), 1);
}

}  // namespace

frmPartLottoDiv::frmPartLottoDiv() : ui::Form("frmPartLottoDiv") { CreaControlli(); }

void frmPartLottoDiv::CreaControlli() {
  SetCaption("Suddivisione riga per partite/lotti");
  Move(0, 0, kLargh, kAlt);
  SetBorderStyle(3);
  SetMinButton(false);
  SetMaxButton(false);
  int tab = 0;
  auto metti = [&](ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) -> ui::Controllo& {
    ui::Controllo& c = Crea(t, nome, indice);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab++);
    return c;
  };
  metti(ui::Tipo::Label, "label1", 1, 120, 150, 1020, 255).SetCaption("Articolo:");
  ui::Controllo& art = metti(ui::Tipo::TextBox, "txt", 1, 1200, 120, 1800, 300);
  art.SetLocked(true);
  art.SetTabStop(false);
  ui::Controllo& descr = metti(ui::Tipo::Label, "lab", 1, 3060, 150, kLargh - 3060 - 240, 255);
  descr.SetForeColor(ui::vbBlue);
  metti(ui::Tipo::Label, "label1", 2, 120, 525, 1020, 255).SetCaption("Quantità:");
  ui::Controllo& qta = metti(ui::Tipo::Label, "lab", 2, 1200, 525, 1800, 255);
  qta.SetForeColor(ui::vbBlue);
  const long y0 = 960;
  metti(ui::Tipo::Label, "label1", 10, 600, y0, 2400, 255).SetCaption("Partita");
  metti(ui::Tipo::Label, "label1", 110, 3420, y0, 2100, 255).SetCaption("Lotto");
  metti(ui::Tipo::Label, "label1", 210, 5640, y0, 1620, 255).SetCaption("Quantità");
  for (int i = 0; i < 5; ++i) {
    const long y = y0 + 300 + i * kPasso;
    metti(ui::Tipo::Label, "label1", 300 + i, 120, y + 30, 420, 255).SetCaption(std::to_string(i + 1) + ".");
    metti(ui::Tipo::TextBox, "txt", 10 + 10 * i, 600, y, 2400, 300);
    ui::Controllo& hlp = metti(ui::Tipo::CommandButton, "ComHlp", 10 + 10 * i, 3030, y, 300, 300);
    hlp.SetCaption("..");
    hlp.SetTabStop(false);
    metti(ui::Tipo::TextBox, "txt", 110 + 10 * i, 3420, y, 2100, 300);
    metti(ui::Tipo::TextBox, "txt", 210 + 10 * i, 5640, y, 1620, 300).SetAlignment(1);
  }
  const long yb = kAlt - 405 - 120 - 375;
  metti(ui::Tipo::CommandButton, "comOk", -1, kLargh - 2 * 1215 - 360, yb, 1215, 375).SetCaption("&Ok");
  ui::Controllo& annulla = metti(ui::Tipo::CommandButton, "ComAnnulla", -1, kLargh - 1215 - 240, yb, 1215, 375);
  annulla.SetCaption("&Annulla");
  annulla.SetCancel(true);
}

void frmPartLottoDiv::Form_Load() {
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  txt(1).SetText(osArticolo);
  lab(1).SetCaption(osDescArt);
  lab(2).SetCaption(FC().MascheraNum(vb::Variant(odQta), G().giNumDecQtaMag, {}, false, "#,##0", 0, {}, "0"));
  miIndCerca = 0;
  oiRigaVal = 0;
  oiPuntPartita = 10;
  oiPuntLotto = 110;
  oiPuntQta = 210;
  ovRigaDaEl.fill(0);
  for (int i = 0; i < 5; ++i) {
    txt(oiPuntPartita + 10 * i).SetText(osPartita);
    txt(oiPuntLotto + 10 * i).SetText("");
    txt(oiPuntQta + 10 * i).SetText("");
  }
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void frmPartLottoDiv::comOk_Click() {
  std::string nome;
  int indice = -1;
  bool trovato = false;
  if (vb::FunzioniComuniUi::VerifCampiTesto(*this, G().glColoreErrore, nome, indice, trovato)) {
    if (Nome(nome, "txt") && indice >= 0) txt(indice).SetFocus();
    Avviso("Dato Errato");
    return;
  }
  oiRigaVal = 0;
  ovRigaDaEl.fill(0);
  double totale = 0;
  for (int i = 0; i < 5; ++i) {
    const bool partita = !FC().Vuoto(vb::Variant(txt(oiPuntPartita + 10 * i).Text()));
    const bool lotto = !FC().Vuoto(vb::Variant(txt(oiPuntLotto + 10 * i).Text()));
    const std::string testoQta = txt(oiPuntQta + 10 * i).Text();
    const bool qta = !FC().Vuoto(vb::Variant(testoQta), vb::vbDouble);
    if (partita && !lotto && !qta) continue;
    if (partita && lotto && qta) {
      ++oiRigaVal;
      ovRigaDaEl[static_cast<size_t>(oiRigaVal)] = static_cast<int16_t>(i);
      totale += FC().ValDouble(vb::Variant(testoQta), true);
      continue;
    }
    if (partita || lotto || qta) {
      Avviso("Inserire tutti i tre valori di ogni riga da elaborare");
      txt(oiPuntPartita + 10 * i).SetFocus();
      return;
    }
  }
  if (oiRigaVal < 2) {
    Avviso("Inserire almeno due coppie partita/lotto per suddividere la riga originale");
    txt(oiPuntPartita).SetFocus();
    return;
  }
  for (int r = 1; r <= oiRigaVal; ++r) {
    const int i = ovRigaDaEl[static_cast<size_t>(r)];
    int16_t anno = oiAnno;
    std::string articolo = osArticolo, partita = txt(oiPuntPartita + 10 * i).Text(),
                lotto = txt(oiPuntLotto + 10 * i).Text();
    if (!mainDdt::VerifCaricoPartita(anno, articolo, partita, lotto).ToBool()) {
      txt(oiPuntPartita + 10 * i).SetFocus();
      return;
    }
  }
  if (FunVarie::ArrotConfronta(vb::Variant(totale), vb::Variant(odQta), -8) != 0 &&
      frmMsgCom::msgCom("Totale quantità diversa dalla riga originaria\r\nConfermi i dati inseriti", "&Sì",
                        std::string("&No"), vb::Missing, vb::Missing, 80, false, 600, vb::Missing, 1) != 1)
    return;
  obOk = true;
  Unload();
}

void frmPartLottoDiv::ComAnnulla_Click() {
  obOk = false;
  Unload();
}

void frmPartLottoDiv::Form_Unload(int&) {
  // A list of pairs still open goes first (it calls this dialog back).
  if (mfrmLista && mfrmLista->Caricata()) {
    try {
      mfrmLista->ofrmTest = nullptr;
      mfrmLista->Unload();
    } catch (...) {
    }
  }
  if (!ofrmDett) return;
  try {
    std::vector<vb::Variant> nessuno;
    ofrmDett->ChiamaPerNome("DopoPartLotti", nessuno);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

void frmPartLottoDiv::CercaPartita() {
  try {
    mfrmListaChiusa.reset();
    mfrmLista = std::make_shared<frmLisPartLot>();
    frmLisPartLot& f = *mfrmLista;
    f.oiAnno = oiAnno;
    f.osArticolo = osArticolo;
    f.osDescArt = osDescArt;
    f.osMagazzino = osMagazzino;
    f.osKeySec = osKeySec;
    f.ofrmTest = this;
    SetEnabled(false);
    f.Load();
    f.Show(0);
  } catch (...) {
    SetEnabled(true);
    frmMsgCom::MsgErrfrm();
    miIndCerca = 0;
  }
}

void frmPartLottoDiv::DopoCercaPartita(bool pbOk) {
  SetEnabled(true);
  Show();
  if (pbOk && miIndCerca > 0 && mfrmLista) {
    txt(miIndCerca).SetText(mfrmLista->osPartita);
    txt(miIndCerca + 100).SetText(mfrmLista->osLotto);
  }
  // The list is inside its own unload: released at the next opening.
  mfrmListaChiusa = std::move(mfrmLista);
}

void frmPartLottoDiv::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmPartLottoDiv::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmPartLottoDiv::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
  else if (Nome(c.Name(), "ComHlp")) FunVarie::SimulaTastoCampo(*this, c.Index(), 113, false);
}

void frmPartLottoDiv::GotFocus(ui::Controllo& c) {
  if (!Nome(c.Name(), "txt")) return;
  if (BoxQta(c.Index())) vb::FunzioniComuniUi::EntraCampo(c, 5);
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(c, 0);
}

void frmPartLottoDiv::LostFocus(ui::Controllo& c) {
  if (!Nome(c.Name(), "txt")) return;
  AziendaUtil::ColoraLostFocus(c, 0);
  if (BoxQta(c.Index())) vb::FunzioniComuniUi::EsceCampo(c, 5, G().gsMascQta);
}

void frmPartLottoDiv::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (!Nome(c.Name(), "txt") || Shift != 0 || KeyCode < 113 || KeyCode > 118) return;
  if (KeyCode == 113 && c.Index() >= 10 && c.Index() <= 50) {
    miIndCerca = static_cast<int16_t>(c.Index());
    CercaPartita();
  }
}

vb::Variant frmPartLottoDiv::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "oiAbilRW")) return oiAbilRW;
  if (Nome(n, "obOk")) return obOk;
  if (Nome(n, "oiRigaVal")) return oiRigaVal;
  return ui::Form::LeggiPerNome(n);
}

void frmPartLottoDiv::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else if (Nome(n, "oiAbilRW")) oiAbilRW = static_cast<int16_t>(v.ToInt());
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmPartLottoDiv::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (Nome(n, "DopoCercaPartita")) {
    DopoCercaPartita(!a.empty() && a[0].ToBool());
    return {};
  }
  if (Nome(n, "txt_KeyUp")) {
    a.resize(std::max<size_t>(a.size(), 3));
    int tasto = static_cast<int>(a[1].ToInt());
    const int indice = static_cast<int>(a[0].ToInt());
    if (Esiste("txt", indice)) KeyUp(txt(indice), tasto, static_cast<int>(a[2].ToInt()));
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

#include "common/frmMsgCom.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <new>
#include <vector>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/RisVid.h"
#include "common/Windll.h"
#include "common/modHTMLHelp.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"

using ui::Controllo;
using ui::Tipo;

namespace {

// Design sizes, in twips.
constexpr long kLargForm = 5445, kAltForm = 1350;
constexpr long kTopLabel = 180, kTopTesto = 120;
constexpr long kLargBottone = 1515, kAltBottone = 435;
// Room between the text and the buttons, below the buttons, beside each
// button.
constexpr long kSopraBottoni = 290, kSottoBottoni = 150, kAccantoBottone = 400;

std::unique_ptr<frmMsgCom>& Predefinita() {
  static std::unique_ptr<frmMsgCom> f;
  return f;
}

// A variant as text the way "&" joined it: Empty, Null and Missing as "".
std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

struct ErroreCorrente {
  long numero = 0;
  std::string descrizione;
  std::string origine;
};

// The error of the catch block we are called from, if any.
ErroreCorrente LeggiErroreCorrente() {
  ErroreCorrente e;
  std::exception_ptr p = std::current_exception();
  if (!p) return e;
  try {
    std::rethrow_exception(p);
  } catch (const vb::Errore& x) {
    e.numero = x.Number();
    e.descrizione = x.Description();
    e.origine = x.Source();
  } catch (const std::bad_alloc&) {
    e.numero = 7;
    e.descrizione = vb::DescrizioneErrore(7);
  } catch (const std::exception& x) {
    e.descrizione = x.what();
  } catch (...) {
  }
  return e;
}

}  // namespace

frmMsgCom::frmMsgCom() : Form("frmMsgCom") {
  SetCaption("Richiesta Comando");
  Move(0, 0, kLargForm, kAltForm);
  // Fixed, without title buttons: its layout is computed for its text and
  // the answer comes from its buttons.
  SetBorderStyle(1);
  SetControlBox(false);
  SetMinButton(false);
  SetMaxButton(false);

  auto& lab = Crea(Tipo::Label, "LabMessaggio");
  lab.Move(120, kTopLabel, kLargForm - 240, 195);
  lab.SetAlignment(2);
  lab.SetWordWrap(true);
  lab.SetAutoSize(true);

  auto& bottone = Crea(Tipo::CommandButton, "ComEsegui", 0);
  bottone.SetCaption("OK");
  bottone.Move(1965, 720, kLargBottone, kAltBottone);
  bottone.SetTabIndex(0);

  auto& txt = Crea(Tipo::TextBox, "txtMessaggio");
  txt.SetVisible(false);
  txt.SetMultiLine(true);
  txt.SetAlignment(2);
  txt.SetLocked(true);
  txt.Move(0, kTopTesto, kLargForm - 120, 495);
  txt.SetTabIndex(1);

  auto& rit = Crea(Tipo::TextBox, "txtComRit");
  rit.SetVisible(false);
  rit.SetTabIndex(2);
}

frmMsgCom* frmMsgCom::Istanza() { return Predefinita().get(); }

void frmMsgCom::Form_Load() {
  SetKeyPreview(true);
  // Scaled by the message window's own factor ("MsgCom" of "Risoluzione
  // Video"), worked out at start-up.
  double fattore = G().gdRisVidMsgCom;
  RisVid::ScalaForm(*this, 0, fattore);
}

void frmMsgCom::Form_KeyDown(int& KeyCode, int Shift) {
  modHTMLHelp::GestTastoF1(KeyCode, Shift, *this, -1);
}

void frmMsgCom::Click(Controllo& c) {
  if (vb::UgualeTesto(c.Name(), "ComEsegui")) ComEsegui_Click(c.Index());
}

void frmMsgCom::ComEsegui_Click(int Index) {
  C("txtComRit").SetText(std::to_string(Index + 1));
  Hide();
}

vb::Variant frmMsgCom::LeggiPerNome(const std::string& nome) {
  if (vb::UgualeTesto(nome, "osKeySec")) return osKeySec;
  if (vb::UgualeTesto(nome, "osRisVidKey")) return osRisVidKey;
  if (vb::UgualeTesto(nome, "odRisVidVal")) return odRisVidVal;
  return Form::LeggiPerNome(nome);
}

void frmMsgCom::ScriviPerNome(const std::string& nome, const vb::Variant& valore) {
  if (vb::UgualeTesto(nome, "osKeySec")) osKeySec = Testo(valore);
  else if (vb::UgualeTesto(nome, "osRisVidKey")) osRisVidKey = Testo(valore);
  else if (vb::UgualeTesto(nome, "odRisVidVal")) odRisVidVal = valore.ToDouble();
  else Form::ScriviPerNome(nome, valore);
}

void frmMsgCom::PrimoNellOrdine(Controllo& c) {
  const int vecchio = c.TabIndex();
  for (const auto& x : Controlli())
    if (x.get() != &c && x->TabIndex() < vecchio) x->SetTabIndex(x->TabIndex() + 1);
  c.SetTabIndex(0);
}

int frmMsgCom::msgCom(const std::string& psLabel, const std::string& psCom1, const vb::Variant& pvCom2,
                      const vb::Variant& pvCom3, const vb::Variant& pvTitolo, int piLargForm, bool pbSuona,
                      int piLatiForm, const vb::Variant& pvFontSize, int piComDefault,
                      const vb::Variant& pvWidthCom, bool pbSempreTxt) {
  // Asked again while the window waits for an answer: nothing is shown.
  if (Predefinita()) return kNessunaRisposta;
  Predefinita() = std::make_unique<frmMsgCom>();
  frmMsgCom& f = *Predefinita();
  struct Rilascio {
    ~Rilascio() {
      if (auto& p = Predefinita()) {
        p->Unload();
        p.reset();
      }
    }
  } rilascio;
  f.Load();
  return f.Esegui(psLabel, psCom1, pvCom2, pvCom3, pvTitolo, piLargForm, pbSuona, piLatiForm, pvFontSize,
                  piComDefault, pvWidthCom, pbSempreTxt);
}

int frmMsgCom::Esegui(const std::string& psLabel, const std::string& psCom1, const vb::Variant& pvCom2,
                      const vb::Variant& pvCom3, const vb::Variant& pvTitolo, int piLargForm, bool pbSuona,
                      int piLatiForm, const vb::Variant& pvFontSize, int piComDefault,
                      const vb::Variant& pvWidthCom, bool pbSempreTxt) {
  auto& schermo = ui::Screen();
  Controllo& lab = C("LabMessaggio");
  Controllo& txt = C("txtMessaggio");
  std::vector<Controllo*> bottoni{&C("ComEsegui", 0)};

  SetCaption(pvTitolo.IsMissing() ? vb::TitoloApplicazione() : Testo(pvTitolo));
  if (!pvWidthCom.IsMissing()) bottoni[0]->SetWidth(pvWidthCom.ToLong());
  const long largBottone = bottoni[0]->Width();

  Move(Left(), Top(), std::lround(static_cast<double>(schermo.Width) * piLargForm / 100.0), -1);
  const long bordo = Width() - ScaleWidth();

  bottoni[0]->SetCaption(psCom1);
  long spazioBottoni = largBottone + kAccantoBottone;
  auto aggiungi = [&](const vb::Variant& caption) {
    Controllo& b = CaricaElemento("ComEsegui", static_cast<int>(bottoni.size()));
    int ultimo = 0;
    for (const auto& x : Controlli()) ultimo = std::max(ultimo, x->TabIndex());
    b.SetTabIndex(ultimo + 1);
    b.SetCaption(Testo(caption));
    bottoni.push_back(&b);
    spazioBottoni += largBottone + kAccantoBottone;
  };
  if (!pvCom2.IsMissing()) {
    aggiungi(pvCom2);
    if (!pvCom3.IsMissing()) aggiungi(pvCom3);
  }
  const long n = static_cast<long>(bottoni.size());

  if (pvCom3.IsMissing()) {
    bottoni[0]->SetDefault(true);
    if (!pvCom2.IsMissing()) bottoni[1]->SetCancel(true);
  }

  if (!pvFontSize.IsMissing()) {
    ui::Carattere car = lab.Font();
    car.Size = pvFontSize.ToDouble();
    lab.SetFont(car);
    car = txt.Font();
    car.Size = pvFontSize.ToDouble();
    txt.SetFont(car);
  }

  lab.SetWordWrap(false);
  lab.SetCaption(psLabel);

  bool bottoniDannoLarghezza = false;
  const long spazioTesto = lab.Width() + piLatiForm;
  if (spazioBottoni > spazioTesto) {
    Move(Left(), Top(), spazioBottoni + bordo, -1);
    bottoniDannoLarghezza = true;
  } else if (spazioTesto <= ScaleWidth()) {
    Move(Left(), Top(), spazioTesto + bordo, -1);
  } else {
    lab.SetCaption("");
    lab.SetWidth(ScaleWidth());
    lab.SetWordWrap(true);
    lab.SetCaption(psLabel);
  }

  const long nonClient = Height() - ScaleHeight();
  const long necessaria = nonClient + lab.Top() + lab.Height() + kSopraBottoni + bottoni[0]->Height() + kSottoBottoni;
  // A window can be no taller than the screen.
  Move(Left(), Top(), -1, std::min(necessaria, schermo.Height));

  if (Height() < necessaria || pbSempreTxt) {
    Move(Left(), Top(), -1, Windll::AltezzaUtileSchermo());
    lab.SetVisible(false);
    txt.SetVisible(true);
    for (Controllo* b : bottoni) {
      b->SetTop(ScaleHeight() - b->Height() - kSopraBottoni);
      b->SetVisible(true);
    }
    txt.SetWidth(ScaleWidth());
    txt.SetHeight(bottoni[0]->Top() - txt.Top() - kSopraBottoni);
    txt.SetLeft((ScaleWidth() - txt.Width()) / 2);
    txt.SetText(psLabel);
  } else {
    for (Controllo* b : bottoni) {
      b->SetTop(lab.Top() + lab.Height() + kSopraBottoni);
      b->SetVisible(true);
    }
    Move(Left(), Top(), -1, nonClient + bottoni[0]->Top() + bottoni[0]->Height() + kSottoBottoni);
    lab.SetLeft((ScaleWidth() - lab.Width()) / 2);
  }

  const long spazio = bottoniDannoLarghezza ? kAccantoBottone : (ScaleWidth() - n * largBottone) / n;
  bottoni[0]->SetLeft(spazio / 2);
  for (size_t i = 1; i < bottoni.size(); ++i)
    bottoni[i]->SetLeft(bottoni[i - 1]->Left() + bottoni[i - 1]->Width() + spazio);

  if (pbSuona) FunVarie::Suona();

  int puntatore = -1;
  if (schermo.MousePointer != 0) {
    puntatore = schermo.MousePointer;
    schermo.MousePointer = 0;
  }

  if (piComDefault >= 1 && piComDefault <= n) PrimoNellOrdine(*bottoni[static_cast<size_t>(piComDefault - 1)]);

  // Centred on the screen, above a panel docked at the bottom.
  const long utile = Windll::AltezzaUtileSchermo();
  Move(std::max(0L, (schermo.Width - Width()) / 2), std::max(0L, (utile - Height()) / 2), -1, -1);
  Show(1);

  if (puntatore >= 0) schermo.MousePointer = puntatore;
  return vb::FunzioniComuni::Istanza().ValInt(vb::Variant(C("txtComRit").Text()));
}

bool frmMsgCom::Conferma(const std::string& psLabel, const std::string& psSi, const std::string& psNo,
                         const vb::Variant& pvTitolo, int piComDefault) {
  return msgCom(psLabel, psSi, psNo, vb::Missing, pvTitolo, 80, false, 600, vb::Missing, piComDefault) == 1;
}

int frmMsgCom::MsgErrfrm(const vb::Variant& pvError, const vb::Variant& pverr, const std::string& psMsgAggPri,
                         const std::string& psMsgAggDop, const vb::Variant& pvTitolo) {
  // Read first: nothing below may replace the error being handled.
  const ErroreCorrente corrente = LeggiErroreCorrente();
  std::string descrizione;
  if (pvError.IsMissing()) {
    descrizione = corrente.descrizione;
    if (!corrente.origine.empty()) descrizione += " - " + corrente.origine;
  } else {
    descrizione = Testo(pvError);
  }
  const std::string numero = pverr.IsMissing()
                                 ? std::to_string(vb::FunzioniComuni::Istanza().CodiceErrore(corrente.numero))
                                 : Testo(pverr);
  const std::string testo = psMsgAggPri + "Errore(" + numero + "): " + descrizione + psMsgAggDop;
  return msgCom(testo, "&Ok", vb::Missing, vb::Missing, pvTitolo, 80, false, 600, vb::Missing, 1, vb::Missing, false);
}

int frmMsgCom::MsgErrfrm(const vb::Errore& e, const std::string& psMsgAggPri, const std::string& psMsgAggDop,
                         const vb::Variant& pvTitolo) {
  std::string descrizione = e.Description();
  if (!e.Source().empty()) descrizione += " - " + e.Source();
  return MsgErrfrm(vb::Variant(descrizione),
                   vb::Variant(static_cast<long long>(vb::FunzioniComuni::Istanza().CodiceErrore(e.Number()))),
                   psMsgAggPri, psMsgAggDop, pvTitolo);
}

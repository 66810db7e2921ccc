// Field and focus utilities of the forms, and the automatic screen factor.
#include <cmath>
#include <exception>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/MembriForm.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"

namespace FunVarie {

namespace {

using membri::Ignora;

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

// Kinds that have no tab index in the legacy platform, and kinds that have
// one but no tab stop.
bool SenzaTabIndex(ui::Tipo t) {
  return t == ui::Tipo::Timer || t == ui::Tipo::Line || t == ui::Tipo::Image || t == ui::Tipo::ImageList;
}
bool SenzaTabStop(ui::Tipo t) {
  return SenzaTabIndex(t) || t == ui::Tipo::Label || t == ui::Tipo::Frame || t == ui::Tipo::Data;
}

long Colore(std::optional<long> v, long predefinito) { return v ? *v : predefinito; }

void FineErrore(ui::Controllo& c, int piAzione) {
  if (piAzione == 1 || piAzione == 3) c.SetBackColor(G().glColoreErrore);
  if (piAzione == 2 || piAzione == 3) Ignora([&] { c.SetFocus(); });
}

}  // namespace

vb::Variant CalcFattVideo(int& piLargh, int& piAlt) {
  ui::BackendAttivo().AggiornaSchermo();
  const ui::Schermo& s = ui::Screen();
  piLargh = static_cast<int>(s.Width / s.TwipsPerPixelX);
  piAlt = static_cast<int>(s.Height / s.TwipsPerPixelY);
  const float orizzontale = static_cast<float>(piLargh) / 800.0f;
  const float verticale = static_cast<float>(piAlt) / 600.0f;
  const double minimo = Fc().Minimo({vb::Variant(orizzontale), vb::Variant(verticale)}).ToDouble();
  double fattore = Fc().Arrotonda(minimo, "A", 1, -2);
  if (fattore == 0) fattore = 1;
  return fattore;
}

void SelezTesto() {
  Ignora([] {
    ui::Controllo* c = ui::Screen().ActiveControl();
    if (!c) vb::Solleva(vb::ErrOggettoNonImpostato);
    c->SetSelStart(0);
    c->SetSelLength(static_cast<int>(vb::Len(c->Text())));
  });
}

vb::Variant SpostaFocus(int piPassi, const vb::Variant& pvShift) {
  if (!pvShift.IsMissing()) {
    piPassi = std::abs(piPassi);
    if (pvShift.ToInt() == ui::vbShiftMask) piPassi = -piPassi;
  }
  ui::Form* f = ui::Screen().ActiveForm;
  ui::Controllo* attivo = f ? f->ActiveControl() : nullptr;
  if (!attivo) vb::Solleva(vb::ErrOggettoNonImpostato);
  const int t0 = attivo->TabIndex();

  int massimo = -1;
  for (const auto& c : f->Controlli())
    if (!SenzaTabStop(c->tipo()) && c->TabStop() && c->TabIndex() > massimo) massimo = c->TabIndex();
  if (massimo == -1) return false;

  int t = t0 + piPassi;
  if (t > massimo) t = t - massimo - 1;
  if (t < 0) t = massimo + t + 1;
  // The legacy designer kept the tab indexes contiguous and unique; here a
  // gap is passed over like a control that cannot take the focus.
  // Controls the designer left at a shared tab index (labels at 0) are all
  // tried.
  for (int giri = 0; giri <= massimo + 1; ++giri) {
    for (const auto& c : f->Controlli()) {
      if (SenzaTabIndex(c->tipo()) || c->TabIndex() != t) continue;
      if (SenzaTabStop(c->tipo()) || !c->TabStop() || c->tipo() == ui::Tipo::PictureBox || !c->PuoFuoco()) continue;
      bool preso = false;
      Ignora([&] {
        c->SetFocus();
        preso = true;
      });
      if (preso) return true;
    }
    if (piPassi > 0) t = t == massimo ? 0 : t + 1;
    else t = t == 0 ? massimo : t - 1;
    if (t == t0) return false;
  }
  return false;
}

vb::Variant VerifOra(ui::Controllo& pgCtl, const std::string& psFormato, const vb::Variant& pvOpz1, int piAzione,
                     const vb::Variant& pvOpz2, const vb::Variant& pvOpz3, std::optional<long> pvColoreOk,
                     std::string* pvMsgErr, bool pbMsg, const vb::Variant& pvOpz4) {
  const long ok = Colore(pvColoreOk, G().glColoreSfondo);
  const vb::Variant r = vb::FunzioniComuniUi::ControllaOra(pgCtl, psFormato, pvOpz1, pvOpz2, pvOpz3, pvOpz4);
  const vb::Variant d = Fc().ValData(r, true);
  const double n = d.IsEmpty() ? 0.5 : d.ToDate().Serial();
  std::string errore;
  if (n == -3) errore = "Ora Obbligatoria";
  else if (n == -2) errore = "Ora non valida";
  if (errore.empty()) {
    if (n != -1) pgCtl.SetText(r.ToString());
    pgCtl.SetBackColor(ok);
    return r;
  }
  if (pbMsg) vb::MsgBox(errore, vb::vbOKOnly);
  if (pvMsgErr) *pvMsgErr = errore;
  FineErrore(pgCtl, piAzione);
  return r;
}

long VerifData(ui::Controllo& pgCtl, const vb::Variant& pvModo, int piAzione, std::optional<long> pvColoreOk,
               std::string* pvMsgErr, bool pbMsg) {
  const long ok = Colore(pvColoreOk, G().glColoreSfondo);
  long r = -2;
  Ignora([&] { r = vb::FunzioniComuniUi::ControllaData(pgCtl, pvModo, pbMsg, pvMsgErr); });
  bool errore = r == -657434 || r == -2;
  if (!errore) {
    Ignora([&] {
      const std::string testo = pgCtl.Text();
      const std::string& minima = G().gsDataMinima;
      if (!Fc().Vuoto(testo, vb::vbDate) && !Fc().Vuoto(minima, vb::vbString)) {
        const vb::Variant data = Fc().ValData(testo, true), limite = Fc().ValData(minima, true);
        if (!data.IsEmpty() && !limite.IsEmpty() && data.ToDate() < limite.ToDate()) {
          if (pbMsg) vb::MsgBox("Data troppo piccola", vb::vbOKOnly);
          if (pvMsgErr) *pvMsgErr = "Data troppo piccola";
          r = -657434;
          errore = true;
          return;
        }
      }
      pgCtl.SetBackColor(ok);
    });
  }
  if (errore) Ignora([&] { FineErrore(pgCtl, piAzione); });
  return r;
}

int MsgErr(const vb::Errore& pErr, const std::string& psMsgAggPri, const std::string& psMsgAggDop) {
  std::string descrizione = pErr.Description();
  if (!pErr.Source().empty()) descrizione += " - " + pErr.Source();
  return MsgErr(vb::Variant(descrizione), vb::Variant(static_cast<long long>(Fc().CodiceErrore(pErr.Number()))),
                psMsgAggPri, psMsgAggDop);
}

int MsgErr(const vb::Variant& pvError, const vb::Variant& pverr, const std::string& psMsgAggPri,
           const std::string& psMsgAggDop) {
  // The error being handled, when called from a handler.
  long numero = 0;
  std::string descrizione, origine;
  if (std::exception_ptr in = std::current_exception()) {
    try {
      std::rethrow_exception(in);
    } catch (const vb::Errore& e) {
      numero = e.Number();
      descrizione = e.Description();
      origine = e.Source();
    } catch (...) {
    }
  }
  std::string errore = pvError.IsMissing() ? descrizione + (origine.empty() ? "" : " - " + origine)
                                           : (pvError.IsNull() ? std::string() : pvError.ToString());
  std::string codice = pverr.IsMissing() ? std::to_string(Fc().CodiceErrore(numero))
                                         : (pverr.IsNull() ? std::string() : pverr.ToString());
  const std::string testo = psMsgAggPri + "Errore(" + codice + "): " + errore + psMsgAggDop;
  return vb::MsgBox(testo, vb::vbOKOnly | vb::vbExclamation);
}

vb::Variant FormAperta(const std::string& psNomeForm) {
  for (const ui::Form* f : ui::Forms())
    if (vb::UgualeTesto(f->Name(), psNomeForm)) return true;
  return false;
}

vb::Variant IndiceForm(const std::string& psNomeForm, const vb::Variant& pvCaption) {
  const auto& forms = ui::Forms();
  const bool conCaption = !pvCaption.IsMissing();
  const std::string caption = conCaption && !pvCaption.IsNull() ? pvCaption.ToString() : std::string();
  for (size_t i = 0; i < forms.size(); ++i) {
    if (!vb::UgualeTesto(forms[i]->Name(), psNomeForm)) continue;
    if (conCaption && vb::InStr(forms[i]->Caption(), caption, vb::vbTextCompare) == 0) continue;
    return static_cast<int16_t>(i);
  }
  return static_cast<int16_t>(-1);
}

void Clessidra(int pbAttiva) {
  static int prima = 0;
  constexpr int kClessidra = 11;
  ui::Schermo& s = ui::Screen();
  if (pbAttiva != 0) {
    if (s.MousePointer != kClessidra) {
      prima = s.MousePointer;
      s.MousePointer = kClessidra;
    }
  } else {
    s.MousePointer = prima;
  }
}

void NascondiFormNoHelp() {
  const std::vector<ui::Form*> forms = ui::Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    ui::Form* f = *it;
    Ignora([f] {
      if (f->Visible() && f->LeggiPerNome("oiNoHelp").ToInt() > 0) {
        f->ScriviPerNome("oiNoHelp", static_cast<int16_t>(2));
        f->Hide();
      }
    });
  }
}

vb::Variant ElemCombo(const ui::Controllo& pgCombo, const std::vector<vb::Variant>& pvValori, long) {
  const int i = pgCombo.ListIndex();
  if (i == -1) return std::string();
  // The list's first item stands for the array's first element, whatever
  // its index.
  if (i < 0 || static_cast<size_t>(i) >= pvValori.size()) vb::Solleva(vb::ErrIndice);
  return pvValori[static_cast<size_t>(i)];
}

vb::Variant PosizCombo(ui::Controllo& pgCombo, const vb::Variant& pvValore, const std::vector<vb::Variant>& pvValori,
                       bool pbImposta, bool pbAncheNonTrovato, long plLBound) {
  long trovato = -1;
  int posizione = -1;
  if (!pvValore.IsNull()) {
    const std::string valore = pvValore.IsMissing() ? std::string() : pvValore.ToString();
    for (size_t i = 0; i < pvValori.size(); ++i) {
      if (pvValori[i].IsNull()) continue;
      if (vb::StrComp(pvValori[i].ToString(), valore, vb::vbTextCompare) == 0) {
        trovato = plLBound + static_cast<long>(i);
        posizione = static_cast<int>(i);
        break;
      }
    }
  }
  if (pbImposta && (trovato != -1 || pbAncheNonTrovato)) pgCombo.SetListIndex(posizione);
  return vb::Variant(trovato);
}

vb::Variant SimulaTastoCampo(ui::Form& pgForm, int piIndice, int piKeyCode, bool pbAppo) {
  const std::string nome = pbAppo ? "txtAppo" : "txt";
  pgForm.C(nome, piIndice).SetFocus();
  ui::DoEvents();
  membri::Chiama(pgForm, nome + "_KeyUp",
                 {vb::Variant(static_cast<int16_t>(piIndice)), vb::Variant(static_cast<int16_t>(piKeyCode)),
                  vb::Variant(static_cast<int16_t>(0))});
  return {};
}

vb::Variant NormVero(int piValore) { return static_cast<int16_t>(piValore == -1 ? -1 : 0); }

std::string EstraiCampo(std::string psTesto, std::string psSep, long plNum) {
  long inizio = 1;
  for (long k = 0; k < plNum; ++k) {
    const long p = vb::InStr(inizio, psTesto, psSep, vb::vbTextCompare);
    if (p == 0) return {};
    inizio = p + vb::Len(psSep);
  }
  const long fine = vb::InStr(inizio, psTesto, psSep, vb::vbTextCompare);
  if (inizio > vb::Len(psTesto)) return {};
  return fine == 0 ? vb::Mid(psTesto, inizio) : vb::Mid(psTesto, inizio, fine - inizio);
}

}  // namespace FunVarie

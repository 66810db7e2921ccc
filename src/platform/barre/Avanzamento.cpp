#include "platform/barre/Avanzamento.h"

#include <algorithm>
#include <climits>

#include "platform/Errore.h"

namespace barre {

Avanzamento::~Avanzamento() {
  // A job that ends without closing (an error on its way) leaves no window
  // up behind it.
  if (aperto_) Chiudi(false);
}

ui::Controllo* Avanzamento::Ctl(const char* nome) const { return form_ ? form_->Trova(nome) : nullptr; }

void Avanzamento::Apri(long plTotale, const std::string& psTesto, int, bool, bool pbContatori, int,
                       const std::string& psMessaggio, int, bool) {
  if (!form_) return;
  try {
    if (!form_->Caricata()) form_->Load();
    totale_ = std::max(0L, plTotale);
    passo_ = 0;
    contatori_ = pbContatori;
    if (auto* l = Ctl("LabMsgElab")) l->SetCaption(psMessaggio.empty() ? psTesto : psMessaggio);
    if (auto* p = Ctl("PicMsgElab")) p->SetVisible(true);
    Contatori();
    aperto_ = true;
  } catch (const vb::Errore&) {
  }
}

ui::Form& Avanzamento::ApriConForm(ui::Form& f, long plTotale, const std::string& psTesto, int piOpz, bool pbBarra,
                                   bool pbContatori, int piDimFont, const std::string& psTitolo, int piOpz2,
                                   bool pbOpz3) {
  form_ = &f;
  Apri(plTotale, psTesto, piOpz, pbBarra, pbContatori, piDimFont, psTesto, piOpz2, pbOpz3);
  if (!psTitolo.empty()) f.SetCaption(psTitolo);
  try {
    if (!f.Visible()) f.Show(0);
  } catch (const vb::Errore&) {
  }
  return f;
}

void Avanzamento::Contatori() {
  const bool mostra = contatori_ && totale_ > 0;
  for (const char* n : {"LabFatti", "LabDi", "labDaFare", "proDaFare"})
    if (auto* c = Ctl(n)) c->SetVisible(mostra);
  if (auto* c = Ctl("labDaFare")) c->SetCaption(std::to_string(totale_));
  if (auto* c = Ctl("LabFatti")) c->SetCaption(std::to_string(passo_));
  if (auto* p = Ctl("proDaFare")) {
    p->SetMin(0);
    p->SetMax(static_cast<int>(std::clamp<long>(totale_, 1, INT_MAX)));
    p->SetValue(static_cast<int>(std::clamp<long>(passo_, 0, std::max(1L, totale_))));
  }
}

void Avanzamento::Messaggio(long plTotale, int) {
  if (!form_) return;
  try {
    totale_ = std::max(0L, plTotale);
    passo_ = 0;
    Contatori();
  } catch (const vb::Errore&) {
  }
}

void Avanzamento::Titolo(const std::string& psTesto) {
  try {
    if (auto* l = Ctl("LabMsgElab")) l->SetCaption(psTesto);
  } catch (const vb::Errore&) {
  }
}

void Avanzamento::Avanza(long plPasso, const vb::Variant& pvTesto, bool pbEventi) {
  if (!form_) return;
  try {
    passo_ = std::max(0L, plPasso);
    if (totale_ > 0) passo_ = std::min(passo_, totale_);
    if (!pvTesto.IsMissing() && !pvTesto.IsEmpty() && !pvTesto.IsNull()) Titolo(pvTesto.ToString());
    if (auto* c = Ctl("LabFatti")) c->SetCaption(std::to_string(passo_));
    if (auto* p = Ctl("proDaFare")) p->SetValue(static_cast<int>(std::clamp<long>(passo_, p->Min(), p->Max())));
    if (pbEventi) ui::DoEvents();
  } catch (const vb::Errore&) {
  }
}

void Avanzamento::Chiudi(bool pbScarica) {
  aperto_ = false;
  if (!form_) return;
  try {
    if (pbScarica && form_->Caricata()) form_->Unload();
    else form_->Hide();
  } catch (const vb::Errore&) {
  }
}

}  // namespace barre

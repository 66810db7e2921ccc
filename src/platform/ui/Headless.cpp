#include "platform/ui/Headless.h"

#include <algorithm>

#include "platform/Testo.h"

namespace ui {

void Headless::AttendiModale(Form& f) {
  ++modali_;
  if (script_.empty()) {
    std::string testi;
    for (const auto& c : f.Controlli())
      if (!c->Text().empty() && c->Visible()) testi += " | " + c->Text();
    throw ModaleInattesa("Finestra modale inattesa: \"" + f.Caption() + "\"" + testi);
  }
  Passo p = std::move(script_.front());
  script_.pop_front();
  p(f);
  if (f.Visible() && f.Caricata())
    throw ModaleInattesa("La risposta dello script ha lasciato aperta la finestra \"" + f.Caption() + "\"");
}

void Headless::AttendiInput(Form& f) {
  EseguiTimerScaduti();
  if (script_.empty())
    throw ModaleInattesa("Finestra in attesa dell'utente senza script: \"" + f.Caption() + "\"");
  Passo p = std::move(script_.front());
  script_.pop_front();
  p(f);
}

Misura Headless::MisuraTesto(const Carattere& f, const std::string& testo, long larghezzaMax) {
  // Fixed metrics: every character as wide as 60% of the font size, lines
  // 1.2 times the size (1 point = 20 twips).
  const long car = std::max(1L, static_cast<long>(f.Size * 20 * 0.6 + 0.5));
  const long riga = static_cast<long>(f.Size * 20 * 1.2 + 0.5);
  long larghezza = 0, righe = 0;
  for (const std::string& linea : vb::Split(testo.empty() ? std::string(" ") : testo, "\n")) {
    std::string l = linea;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    const long w = vb::Len(l) * car;
    if (larghezzaMax > 0 && w > larghezzaMax) {
      const long perRiga = std::max(1L, larghezzaMax / car);
      righe += (vb::Len(l) + perRiga - 1) / perRiga;
      larghezza = std::max(larghezza, perRiga * car);
    } else {
      ++righe;
      larghezza = std::max(larghezza, w);
    }
  }
  return {larghezza, righe * riga};
}

void Headless::AvanzaTempo(int64_t ms) {
  const int64_t fine = ora_ + ms;
  while (true) {
    // Step to each due time in turn, so handlers see the clock they expect.
    ora_ = std::min(ora_ + 1, fine);
    EseguiTimerScaduti();
    if (ora_ >= fine) break;
  }
}

Headless& HeadlessAttivo() {
  Headless* h = dynamic_cast<Headless*>(&BackendAttivo());
  if (!h) {
    static Headless proprio;
    ImpostaBackend(&proprio);
    h = &proprio;
  }
  return *h;
}

namespace utente {

bool Fuoco(Controllo& c) {
  if (!c.PuoFuoco()) return false;
  Screen().ActiveForm = &c.Parent();
  return c.Parent().SpostaFuoco(&c);
}

void Digita(Controllo& c, const std::string& testo) {
  if (c.Parent().ActiveControl() != &c && !Fuoco(c)) return;
  for (char32_t ch : vb::InCodici(testo)) {
    int codice = ch < 128 ? static_cast<int>(std::toupper(static_cast<int>(ch))) : 0;
    c.Parent().PremiTasto(codice ? codice : 0xE5, 0, static_cast<int>(ch));
  }
}

void Premi(Form& f, int codice, int shift) { f.PremiTasto(codice, shift, 0); }

void Clicca(Controllo& c) {
  if (!c.Attivo()) return;
  if (c.PuoFuoco() && c.TabStop()) Fuoco(c);
  switch (c.tipo()) {
    case Tipo::CheckBox: c.SetValue(c.Value() == 1 ? 0 : 1); break;
    case Tipo::OptionButton:
      if (!c.Value()) c.SetValue(-1);
      else c.Parent().Click(c);
      break;
    default: c.Parent().Click(c); break;
  }
}

void DoppioClic(Controllo& c) {
  if (!c.Attivo()) return;
  c.Parent().Click(c);
  c.Parent().DblClick(c);
}

void PremiMouse(Controllo& c, int pulsante, int shift) {
  if (!c.Attivo()) return;
  c.Parent().MouseDown(c, pulsante, shift, 0, 0);
}

void BottoneBarra(Controllo& barra, const std::string& key) {
  Elemento& e = barra.Elem(key);
  if (!barra.Attivo() || !e.Enabled || !e.Visible || e.Style == tbrSeparator) return;
  barra.Parent().ButtonClick(barra, e.Key);
}

void Scegli(Controllo& lista, int indice) {
  if (!lista.Attivo()) return;
  if (lista.PuoFuoco()) Fuoco(lista);
  lista.SetListIndex(indice);
}

bool Chiudi(Form& f) { return f.Unload(vbFormControlMenu); }

}  // namespace utente

}  // namespace ui

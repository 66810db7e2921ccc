#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"

namespace ui {

// ------------------------------------------------------------ program-wide

namespace {

std::vector<Form*>& ElencoForm() {
  static std::vector<Form*> v;
  return v;
}

Backend*& Attivo() {
  static Backend* b = nullptr;
  return b;
}

// Timers: the enabled ones with the time of their next tick.
struct Scadenza {
  Controllo* timer;
  int64_t quando;
};
std::vector<Scadenza>& Timers() {
  static std::vector<Scadenza> v;
  return v;
}

void ProgrammaTimer(Controllo& t) {
  auto& v = Timers();
  v.erase(std::remove_if(v.begin(), v.end(), [&](const Scadenza& s) { return s.timer == &t; }), v.end());
  if (t.Enabled() && t.Interval() > 0 && t.Parent().Caricata())
    v.push_back({&t, BackendAttivo().Adesso() + t.Interval()});
}

void DimenticaTimer(Controllo& t) {
  auto& v = Timers();
  v.erase(std::remove_if(v.begin(), v.end(), [&](const Scadenza& s) { return s.timer == &t; }), v.end());
}

}  // namespace

const std::vector<Form*>& Forms() { return ElencoForm(); }

Schermo& Screen() {
  static Schermo s;
  return s;
}

Backend& BackendAttivo() {
  if (!Attivo()) {
    static Headless predefinito;
    Attivo() = &predefinito;
  }
  return *Attivo();
}

void ImpostaBackend(Backend* b) { Attivo() = b; }

void DoEvents() { BackendAttivo().DoEvents(); }
void AttendiInput(Form& f) { BackendAttivo().AttendiInput(f); }

void Backend::AttendiInput(Form&) {
  DoEvents();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

namespace {
struct Sorgente {
  int id;
  int fd;
  std::function<void()> servi;
};
std::vector<Sorgente>& Sorgenti() {
  static std::vector<Sorgente> v;
  return v;
}
}  // namespace

int AggiungiSorgente(int fd, std::function<void()> servi) {
  static int prossimo = 0;
  Sorgenti().push_back({++prossimo, fd, std::move(servi)});
  return prossimo;
}

void RimuoviSorgente(int id) {
  auto& v = Sorgenti();
  v.erase(std::remove_if(v.begin(), v.end(), [&](const Sorgente& s) { return s.id == id; }), v.end());
}

void ServiSorgenti() {
  // A source may remove itself or others while served: walk a copy of the
  // ids and look each one up again.
  std::vector<int> ids;
  for (const auto& s : Sorgenti()) ids.push_back(s.id);
  for (int id : ids) {
    auto& v = Sorgenti();
    auto it = std::find_if(v.begin(), v.end(), [&](const Sorgente& s) { return s.id == id; });
    if (it == v.end()) continue;
    auto servi = it->servi;
    servi();
  }
}

std::vector<int> DescrittoriSorgenti() {
  std::vector<int> fd;
  for (const auto& s : Sorgenti())
    if (s.fd >= 0) fd.push_back(s.fd);
  return fd;
}

void EseguiTimerScaduti() {
  ServiSorgenti();
  // One pass in time order; a handler may enable, disable or unload.
  for (int giri = 0; giri < 10000; ++giri) {
    auto& v = Timers();
    if (v.empty()) return;
    const int64_t ora = BackendAttivo().Adesso();
    auto it = std::min_element(v.begin(), v.end(), [](const Scadenza& a, const Scadenza& b) { return a.quando < b.quando; });
    if (it->quando > ora) return;
    Controllo* t = it->timer;
    it->quando = std::max(it->quando + t->Interval(), ora + 1);
    t->Parent().Timer(*t);
  }
}

// ------------------------------------------------------------ Controllo

Controllo::Controllo(Form& form, Tipo tipo, std::string nome, int indice)
    : form_(form), tipo_(tipo), nome_(std::move(nome)), indice_(indice) {
  switch (tipo) {
    case Tipo::Label: back_ = vbButtonFace; tabStop_ = false; break;
    case Tipo::CommandButton:
    case Tipo::CheckBox:
    case Tipo::OptionButton:
    case Tipo::Frame: back_ = vbButtonFace; break;
    // A picture box starts in the face colour, like the form around it.
    case Tipo::PictureBox: back_ = vbButtonFace; bordo_ = 1; break;
    case Tipo::TextBox: bordo_ = 1; break;
    case Tipo::Timer: enabled_ = true; intervallo_ = 0; tabStop_ = false; break;
    case Tipo::Image:
    case Tipo::Line:
    case Tipo::Toolbar:
    case Tipo::StatusBar:
    case Tipo::ProgressBar:
    case Tipo::Data:
    case Tipo::ImageList: tabStop_ = false; break;
    default: break;
  }
}

void Controllo::Notifica(Prop p) { form_.ControlloCambiato(*this, p); }

void Controllo::Move(long left, long top, long width, long height) {
  left_ = left;
  // -1 is the omitted argument; any other top, negative ones included,
  // is a place (a scrolled sheet sits above its window's edge).
  if (top != -1) top_ = top;
  if (width >= 0) width_ = width;
  if (height >= 0) height_ = height;
  Notifica(Prop::Geometria);
}

void Controllo::SetContainer(Controllo* c) {
  contenitore_ = c;
  Notifica(Prop::Contenitore);
}

void Controllo::ZOrder(int posizione) {
  static long contatore = 0;
  zOrdine_ = posizione == 0 ? ++contatore : -(++contatore);
  Notifica(Prop::Ordine);
}

void Controllo::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  if (tipo_ == Tipo::Timer) ProgrammaTimer(*this);
  Notifica(Prop::Enabled);
}

void Controllo::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Notifica(Prop::Visible);
}

bool Controllo::Attivo() const {
  for (const Controllo* c = this; c; c = c->contenitore_)
    if (!c->enabled_ || !c->visible_) return false;
  return form_.Enabled();
}

void Controllo::SetLocked(bool v) {
  locked_ = v;
  Notifica(Prop::Locked);
}

void Controllo::SetBackColor(long v) {
  if (back_ == v) return;
  back_ = v;
  Notifica(Prop::Colori);
}

void Controllo::SetForeColor(long v) {
  if (fore_ == v) return;
  fore_ = v;
  Notifica(Prop::Colori);
}

void Controllo::SetFont(const Carattere& f) {
  font_ = f;
  Notifica(Prop::Font);
  if (autoSize_) SetAutoSize(true);
}

void Controllo::SetDefault(bool v) {
  if (v)
    for (const auto& c : form_.Controlli())
      if (c.get() != this && c->default_) {
        c->default_ = false;
        c->Notifica(Prop::Stile);
      }
  default_ = v;
  Notifica(Prop::Stile);
}

void Controllo::SetCancel(bool v) {
  if (v)
    for (const auto& c : form_.Controlli())
      if (c.get() != this) c->cancel_ = false;
  cancel_ = v;
}

void Controllo::SetTabIndex(int v) {
  tabIndex_ = v;
  Notifica(Prop::Tab);
}

void Controllo::SetTabStop(bool v) {
  tabStop_ = v;
  Notifica(Prop::Tab);
}

void Controllo::SetToolTipText(const std::string& v) {
  tooltip_ = v;
  Notifica(Prop::Suggerimento);
}

void Controllo::CambiaTesto(const std::string& v) {
  if (testo_ == v) return;
  testo_ = v;
  const int n = static_cast<int>(vb::Len(testo_));
  if (selStart_ > n) selStart_ = n;
  if (selStart_ + selLength_ > n) selLength_ = n - selStart_;
  Notifica(Prop::Testo);
  if (tipo_ == Tipo::Label && autoSize_) SetAutoSize(true);
  if (tipo_ == Tipo::TextBox || tipo_ == Tipo::ComboBox || tipo_ == Tipo::Label) form_.Change(*this);
}

void Controllo::SetText(const std::string& v) {
  if (tipo_ == Tipo::ComboBox && stile_ == 2) {
    // A drop-down list takes only one of its items.
    for (int i = 0; i < ListCount(); ++i) {
      if (vb::UgualeTesto(lista_[static_cast<size_t>(i)], v)) {
        SetListIndex(i);
        return;
      }
    }
    if (!v.empty()) vb::Solleva(383, "Proprietà 'Text' di sola lettura");
    SetListIndex(-1);
    return;
  }
  std::string t = v;
  if (tipo_ == Tipo::TextBox && maxLength_ > 0 && vb::Len(t) > maxLength_) t = vb::Left(t, maxLength_);
  CambiaTesto(t);
}

void Controllo::SetSelStart(int v) {
  const int n = static_cast<int>(vb::Len(testo_));
  selStart_ = std::clamp(v, 0, n);
  selLength_ = 0;
  Notifica(Prop::Selezione);
}

void Controllo::SetSelLength(int v) {
  const int n = static_cast<int>(vb::Len(testo_));
  selLength_ = std::clamp(v, 0, n - selStart_);
  Notifica(Prop::Selezione);
}

std::string Controllo::SelText() const { return vb::Mid(testo_, selStart_ + 1, selLength_); }

void Controllo::SetSelText(const std::string& v) {
  std::string nuovo = vb::Left(testo_, selStart_) + v + vb::Mid(testo_, selStart_ + selLength_ + 1);
  const int dopo = selStart_ + static_cast<int>(vb::Len(v));
  if (tipo_ == Tipo::TextBox && maxLength_ > 0 && vb::Len(nuovo) > maxLength_) return;
  CambiaTesto(nuovo);
  selStart_ = dopo;
  selLength_ = 0;
  Notifica(Prop::Selezione);
}

void Controllo::SetAutoSize(bool v) {
  autoSize_ = v;
  if (v && tipo_ == Tipo::Label) {
    Misura m = BackendAttivo().MisuraTesto(font_, testo_, wordWrap_ ? width_ : 0);
    if (wordWrap_) Move(left_, top_, width_, m.altezza);
    else Move(left_, top_, m.larghezza, m.altezza);
  }
}

void Controllo::SetWordWrap(bool v) {
  wordWrap_ = v;
  if (autoSize_) SetAutoSize(true);
}

void Controllo::SetAlignment(int v) {
  alignment_ = v;
  Notifica(Prop::Stile);
}

void Controllo::SetValue(int v) {
  if (tipo_ == Tipo::OptionButton) v = v ? -1 : 0;
  if (valore_ == v) return;
  valore_ = v;
  Notifica(Prop::Valore);
  if (tipo_ == Tipo::OptionButton && v) {
    // One option per container is on.
    for (const auto& c : form_.Controlli())
      if (c.get() != this && c->tipo_ == Tipo::OptionButton && c->contenitore_ == contenitore_ && c->valore_) {
        c->valore_ = 0;
        c->Notifica(Prop::Valore);
      }
  }
  if (tipo_ == Tipo::CheckBox || (tipo_ == Tipo::OptionButton && v)) form_.Click(*this);
  if (tipo_ == Tipo::HScrollBar || tipo_ == Tipo::VScrollBar) form_.Change(*this);
}

void Controllo::SetMin(int v) {
  min_ = v;
  Notifica(Prop::Valore);
}

void Controllo::SetMax(int v) {
  max_ = v;
  Notifica(Prop::Valore);
}

void Controllo::AddItem(const std::string& voce, int posizione) {
  if (posizione < 0 || posizione > ListCount()) posizione = ListCount();
  lista_.insert(lista_.begin() + posizione, voce);
  itemData_.insert(itemData_.begin() + posizione, 0);
  selezionati_.insert(selezionati_.begin() + posizione, false);
  if (listIndex_ >= posizione) ++listIndex_;
  Notifica(Prop::Lista);
}

void Controllo::RemoveItem(int posizione) {
  if (posizione < 0 || posizione >= ListCount()) vb::Solleva(5, "Chiamata di routine o argomento non validi");
  lista_.erase(lista_.begin() + posizione);
  itemData_.erase(itemData_.begin() + posizione);
  selezionati_.erase(selezionati_.begin() + posizione);
  if (listIndex_ == posizione) listIndex_ = -1;
  else if (listIndex_ > posizione) --listIndex_;
  Notifica(Prop::Lista);
}

void Controllo::Clear() {
  lista_.clear();
  itemData_.clear();
  selezionati_.clear();
  listIndex_ = -1;
  if (tipo_ == Tipo::ComboBox) testo_.clear();
  Notifica(Prop::Lista);
}

const std::string& Controllo::List(int i) const {
  static const std::string vuota;
  if (i < 0 || i >= ListCount()) return vuota;
  return lista_[static_cast<size_t>(i)];
}

void Controllo::SetList(int i, const std::string& v) {
  if (i < 0 || i >= ListCount()) vb::Solleva(381, "Indice di matrice proprietà non valido");
  lista_[static_cast<size_t>(i)] = v;
  Notifica(Prop::Lista);
}

long Controllo::ItemData(int i) const {
  if (i < 0 || i >= ListCount()) vb::Solleva(381, "Indice di matrice proprietà non valido");
  return itemData_[static_cast<size_t>(i)];
}

void Controllo::SetItemData(int i, long v) {
  if (i < 0 || i >= ListCount()) vb::Solleva(381, "Indice di matrice proprietà non valido");
  itemData_[static_cast<size_t>(i)] = v;
}

void Controllo::SetListIndex(int i) {
  if (i < -1 || i >= ListCount()) vb::Solleva(380, "Valore della proprietà non valido");
  const bool cambia = listIndex_ != i;
  listIndex_ = i;
  if (tipo_ == Tipo::ComboBox) {
    std::string t = i >= 0 ? lista_[static_cast<size_t>(i)] : std::string();
    if (testo_ != t) {
      testo_ = t;
      Notifica(Prop::Testo);
    }
  }
  Notifica(Prop::Selezione);
  // The legacy fired Click whenever code set the index, changed or not.
  (void)cambia;
  form_.Click(*this);
}

void Controllo::SetStyle(int v) {
  stile_ = v;
  Notifica(Prop::Stile);
}

bool Controllo::Selected(int i) const {
  if (i < 0 || i >= ListCount()) return false;
  return selezionati_[static_cast<size_t>(i)];
}

void Controllo::SetSelected(int i, bool v) {
  if (i < 0 || i >= ListCount()) vb::Solleva(381, "Indice di matrice proprietà non valido");
  selezionati_[static_cast<size_t>(i)] = v;
  Notifica(Prop::Selezione);
}

void Controllo::SetInterval(long ms) {
  intervallo_ = ms;
  if (tipo_ == Tipo::Timer) ProgrammaTimer(*this);
  Notifica(Prop::Intervallo);
}

Elemento& Controllo::AggiungiElemento(const std::string& key, const std::string& caption, int stile) {
  if (!key.empty() && HaElem(key)) vb::Solleva(35602, "Chiave già presente nell'insieme: " + key);
  Elemento e;
  e.Key = key;
  e.Caption = caption;
  e.Style = stile;
  elementi_.push_back(std::move(e));
  Notifica(Prop::Elementi);
  return elementi_.back();
}

bool Controllo::HaElem(const std::string& key) const {
  for (const auto& e : elementi_)
    if (vb::UgualeTesto(e.Key, key)) return true;
  return false;
}

Elemento& Controllo::Elem(const std::string& key) {
  for (auto& e : elementi_)
    if (vb::UgualeTesto(e.Key, key)) return e;
  vb::Solleva(35601, "Elemento non trovato: " + key);
}

Elemento& Controllo::Elem(int posizione) {
  if (posizione < 1 || posizione > NumElementi()) vb::Solleva(35600, "Indice non compreso nell'intervallo");
  return elementi_[static_cast<size_t>(posizione - 1)];
}

void Controllo::SetSelectedTab(int posizione) {
  if (posizione < 1 || posizione > NumElementi()) vb::Solleva(35600, "Indice non compreso nell'intervallo");
  tabScelto_ = posizione;
  Notifica(Prop::Selezione);
  form_.Click(*this);
}

void Controllo::SetPicture(const std::string& v) {
  immagine_ = v;
  Notifica(Prop::Immagine);
}

bool Controllo::PuoFuoco() const {
  switch (tipo_) {
    case Tipo::Label:
    case Tipo::Frame:
    case Tipo::Image:
    case Tipo::Line:
    case Tipo::Timer:
    case Tipo::Data:
    case Tipo::ImageList:
    case Tipo::StatusBar:
    case Tipo::ProgressBar:
    case Tipo::Toolbar:
      return false;
    default:
      return Attivo() && form_.Caricata();
  }
}

void Controllo::SetFocus() {
  if (!PuoFuoco()) vb::Solleva(5, "Impossibile spostare lo stato attivo sul controllo: è invisibile, disattivato o di un tipo che non accetta lo stato attivo");
  form_.SpostaFuoco(this);
}

// ------------------------------------------------------------ Form

Form::Form(std::string nome) : nome_(std::move(nome)), caption_(nome_) {}

Form::~Form() {
  auto& v = ElencoForm();
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  for (auto& c : controlli_) DimenticaTimer(*c);
  if (Screen().ActiveForm == this) Screen().ActiveForm = nullptr;
}

void Form::Registra(std::unique_ptr<Controllo> c) {
  if (Trova(c->Name(), c->Index())) vb::Solleva(360, "Oggetto già caricato: " + c->Name());
  Controllo* p = c.get();
  controlli_.push_back(std::move(c));
  if (caricata_) BackendAttivo().ControlloCreato(*p);
}

void Form::Rimuovi(Controllo* c) {
  if (attivo_ == c) attivo_ = nullptr;
  DimenticaTimer(*c);
  if (caricata_) BackendAttivo().ControlloRimosso(*c);
  controlli_.erase(std::remove_if(controlli_.begin(), controlli_.end(),
                                  [&](const std::unique_ptr<Controllo>& x) { return x.get() == c; }),
                   controlli_.end());
}

void Form::ControlloCambiato(Controllo& c, Prop p) {
  if (caricata_) BackendAttivo().Cambiato(c, p);
  // A control that can no longer hold the focus gives it up.
  if ((p == Prop::Enabled || p == Prop::Visible) && attivo_ && !attivo_->Attivo()) attivo_ = nullptr;
}

Controllo* Form::Trova(const std::string& nome, int indice) const {
  for (const auto& c : controlli_)
    if (c->indice_ == indice && vb::UgualeTesto(c->nome_, nome)) return c.get();
  return nullptr;
}

Controllo& Form::C(const std::string& nome, int indice) const {
  Controllo* c = Trova(nome, indice);
  if (!c) {
    if (indice >= 0) vb::Solleva(340, "L'elemento " + std::to_string(indice) + " della matrice di controlli " + nome + " non esiste");
    vb::Solleva(730, "Il controllo " + nome + " non esiste nella form " + nome_);
  }
  return *c;
}

std::vector<int> Form::Indici(const std::string& nome) const {
  std::vector<int> v;
  for (const auto& c : controlli_)
    if (c->indice_ >= 0 && vb::UgualeTesto(c->nome_, nome)) v.push_back(c->indice_);
  std::sort(v.begin(), v.end());
  return v;
}

Controllo& Form::CaricaElemento(const std::string& nome, int indice) {
  auto indici = Indici(nome);
  if (indici.empty()) vb::Solleva(343, "L'oggetto " + nome + " non è una matrice di controlli");
  if (Trova(nome, indice)) vb::Solleva(360, "Oggetto già caricato");
  const Controllo& modello = C(nome, indici.front());
  Controllo& c = Crea(modello.tipo_, modello.nome_, indice);
  c.contenitore_ = modello.contenitore_;
  c.left_ = modello.left_;
  c.top_ = modello.top_;
  c.width_ = modello.width_;
  c.height_ = modello.height_;
  c.enabled_ = modello.enabled_;
  c.visible_ = false;  // a loaded element starts hidden
  c.locked_ = modello.locked_;
  c.back_ = modello.back_;
  c.fore_ = modello.fore_;
  c.font_ = modello.font_;
  c.tabStop_ = modello.tabStop_;
  c.maxLength_ = modello.maxLength_;
  c.alignment_ = modello.alignment_;
  c.stile_ = modello.stile_;
  c.wordWrap_ = modello.wordWrap_;
  c.autoSize_ = modello.autoSize_;
  c.bordo_ = modello.bordo_;
  c.intervallo_ = modello.intervallo_;
  if (caricata_) BackendAttivo().Cambiato(c, Prop::Geometria);
  return c;
}

void Form::ScaricaElemento(const std::string& nome, int indice) {
  auto indici = Indici(nome);
  if (!indici.empty() && indici.front() == indice)
    vb::Solleva(362, "Impossibile scaricare i controlli creati in fase di progettazione");
  Rimuovi(&C(nome, indice));
}

void Form::Load() {
  if (caricata_) return;
  caricata_ = true;
  ElencoForm().push_back(this);
  Form_Initialize();
  BackendAttivo().FormCaricata(*this);
  for (auto& c : controlli_)
    if (c->tipo_ == Tipo::Timer) ProgrammaTimer(*c);
  try {
    Form_Load();
  } catch (...) {
    // A form whose loading failed is not left half loaded.
    int annulla = 0;
    inScarico_ = true;
    try {
      Form_Unload(annulla);
    } catch (...) {
    }
    inScarico_ = false;
    caricata_ = false;
    visibile_ = false;
    for (auto& c : controlli_) DimenticaTimer(*c);
    BackendAttivo().FormScaricata(*this);
    auto& v = ElencoForm();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    throw;
  }
}

bool Form::Unload(int modo) {
  if (!caricata_) return true;
  if (inScarico_) return false;
  inScarico_ = true;
  int annulla = 0;
  Form_QueryUnload(annulla, modo);
  if (annulla == 0) Form_Unload(annulla);
  inScarico_ = false;
  if (annulla != 0) return false;
  caricata_ = false;
  visibile_ = false;
  modale_ = false;
  attivo_ = nullptr;
  for (auto& c : controlli_) DimenticaTimer(*c);
  BackendAttivo().FormScaricata(*this);
  auto& v = ElencoForm();
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  if (Screen().ActiveForm == this) Screen().ActiveForm = nullptr;
  Form_Terminate();
  return true;
}

void Form::Show(int modale) {
  Load();
  if (!caricata_) return;
  for (Form* f : ElencoForm())
    if (f != this && f->modale_ && f->visibile_ && !modale && !visibile_)
      vb::Solleva(401, "Impossibile visualizzare una form non a scelta obbligatoria quando è visualizzata una form a scelta obbligatoria");
  const bool eraVisibile = visibile_;
  visibile_ = true;
  modale_ = modale != 0;
  Form* prima = Screen().ActiveForm;
  Screen().ActiveForm = this;
  BackendAttivo().FormMostrata(*this);
  if (!eraVisibile) {
    Form_Activate();
    if (!attivo_) {
      if (Controllo* primo = Successivo(nullptr)) SpostaFuoco(primo);
    }
  }
  if (modale_) {
    BackendAttivo().AttendiModale(*this);
    modale_ = false;
    if (prima && prima->caricata_) Screen().ActiveForm = prima;
  }
}

void Form::Hide() {
  if (!visibile_) return;
  visibile_ = false;
  BackendAttivo().FormNascosta(*this);
  if (Screen().ActiveForm == this) Screen().ActiveForm = nullptr;
}

void Form::SetFocus() {
  if (!caricata_ || !visibile_ || !enabled_) vb::Solleva(5, "Impossibile spostare lo stato attivo sulla finestra");
  Screen().ActiveForm = this;
  BackendAttivo().FormAttivata(*this);
}

void Form::SetCaption(const std::string& v) {
  caption_ = v;
  if (caricata_) BackendAttivo().FormCambiata(*this);
}

void Form::Move(long left, long top, long width, long height) {
  left_ = left;
  // -1 is the omitted argument; any other top, negative ones included,
  // is a place (a scrolled sheet sits above its window's edge).
  if (top != -1) top_ = top;
  const bool dimensioni = (width >= 0 && width != width_) || (height >= 0 && height != height_);
  if (width >= 0) width_ = width;
  if (height >= 0) height_ = height;
  if (caricata_) BackendAttivo().FormCambiata(*this);
  if (dimensioni && caricata_) Form_Resize();
}

void Form::SetFont(const Carattere& f) {
  font_ = f;
  if (caricata_) BackendAttivo().FormCambiata(*this);
}

void Form::SetBackColor(long v) {
  back_ = v;
  if (caricata_) BackendAttivo().FormCambiata(*this);
}

void Form::SetEnabled(bool v) {
  enabled_ = v;
  if (caricata_) BackendAttivo().FormCambiata(*this);
}

void Form::SetWindowState(int v) {
  stato_ = v;
  if (caricata_) {
    BackendAttivo().FormCambiata(*this);
    Form_Resize();
  }
}

bool Form::SpostaFuoco(Controllo* nuovo) {
  if (nuovo == attivo_) return true;
  Controllo* vecchio = attivo_;
  if (vecchio && nuovo && nuovo->CausesValidation()) {
    bool annulla = false;
    Validate(*vecchio, annulla);
    if (annulla) return false;
  }
  attivo_ = nuovo;
  if (vecchio) LostFocus(*vecchio);
  // LostFocus may have moved the focus elsewhere already.
  if (attivo_ != nuovo) return attivo_ == nuovo;
  if (nuovo) {
    if (nuovo->tipo() == Tipo::TextBox || nuovo->tipo() == Tipo::ComboBox) {
      nuovo->selStart_ = 0;
      nuovo->selLength_ = 0;
    }
    BackendAttivo().Fuoco(*nuovo);
    GotFocus(*nuovo);
  }
  return true;
}

Controllo* Form::Successivo(Controllo* da, bool indietro) const {
  std::vector<Controllo*> ordine;
  for (const auto& c : controlli_)
    if (c->PuoFuoco() && c->TabStop()) ordine.push_back(c.get());
  if (ordine.empty()) return nullptr;
  std::stable_sort(ordine.begin(), ordine.end(), [](Controllo* a, Controllo* b) { return a->TabIndex() < b->TabIndex(); });
  if (!da) return indietro ? ordine.back() : ordine.front();
  auto it = std::find(ordine.begin(), ordine.end(), da);
  if (it == ordine.end()) {
    // Not a stop itself: the first stop after its tab index.
    for (Controllo* c : ordine)
      if (c->TabIndex() > da->TabIndex()) return c;
    return ordine.front();
  }
  if (indietro) return it == ordine.begin() ? ordine.back() : *(it - 1);
  return (it + 1) == ordine.end() ? ordine.front() : *(it + 1);
}

bool Form::PremiTasto(int codice, int shift, int carattere) {
  Controllo* c = attivo_;
  int kc = codice;
  if (keyPreview_) Form_KeyDown(kc, shift);
  if (kc != 0 && attivo_) KeyDown(*attivo_, kc, shift);
  if (kc == vbKeyTab && caricata_) {
    // Tab moves through the tab order instead of reaching the control.
    if (Controllo* dopo = Successivo(attivo_, (shift & vbShiftMask) != 0)) SpostaFuoco(dopo);
    return false;
  }
  if ((kc == vbKeyReturn || kc == vbKeyEscape) && (shift & (vbCtrlMask | vbAltMask)) == 0 && caricata_) {
    // Enter presses the button that holds the focus, else the default
    // button; Esc the cancel button. The key goes no further.
    Controllo* bottone = nullptr;
    if (kc == vbKeyReturn && attivo_ && attivo_->tipo() == Tipo::CommandButton) bottone = attivo_;
    for (size_t i = 0; !bottone && i < controlli_.size(); ++i) {
      Controllo* b = controlli_[i].get();
      if (b->tipo() == Tipo::CommandButton && (kc == vbKeyReturn ? b->Default() : b->Cancel()) && b->Attivo())
        bottone = b;
    }
    if (bottone) {
      Click(*bottone);
      return false;
    }
  }
  if (kc != 0 && carattere == 0) {
    if (kc == vbKeyReturn) carattere = 13;
    else if (kc == vbKeyEscape) carattere = 27;
    else if (kc == vbKeyBack) carattere = 8;
  }
  int ka = carattere;
  if (kc != 0 && ka != 0) {
    if (keyPreview_) Form_KeyPress(ka);
    if (ka != 0 && attivo_) KeyPress(*attivo_, ka);
    Controllo* t = attivo_;
    if (ka != 0 && t && !t->Locked() && (t->tipo() == Tipo::TextBox || (t->tipo() == Tipo::ComboBox && t->Style() != 2))) {
      if (ka == 8) {
        if (t->SelLength() > 0) {
          t->SetSelText("");
        } else if (t->SelStart() > 0) {
          const int s = t->SelStart();
          t->selStart_ = s - 1;
          t->selLength_ = 1;
          t->SetSelText("");
        }
      } else if (ka >= 32 || (ka == 13 && t->MultiLine())) {
        std::string ch = ka == 13 ? std::string("\r\n") : vb::DaCodici(std::u32string(1, static_cast<char32_t>(ka)));
        t->SetSelText(ch);
      }
    }
  }
  if (kc == vbKeyDelete && attivo_ && attivo_->tipo() == Tipo::TextBox && !attivo_->Locked()) {
    Controllo* t = attivo_;
    if (t->SelLength() == 0) t->selLength_ = t->SelStart() < vb::Len(t->Text()) ? 1 : 0;
    t->SetSelText("");
  }
  (void)c;
  int ku = codice;
  if (keyPreview_) Form_KeyUp(ku, shift);
  if (ku != 0 && attivo_) KeyUp(*attivo_, ku, shift);
  return kc != 0;
}

vb::Variant Form::ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>&) {
  vb::Solleva(438, "Proprietà o metodo non supportati dall'oggetto: " + nome_ + "." + nome);
}

vb::Variant Form::LeggiPerNome(const std::string& nome) {
  vb::Solleva(438, "Proprietà o metodo non supportati dall'oggetto: " + nome_ + "." + nome);
}

void Form::ScriviPerNome(const std::string& nome, const vb::Variant&) {
  vb::Solleva(438, "Proprietà o metodo non supportati dall'oggetto: " + nome_ + "." + nome);
}

Oggetto* Form::OggettoPerNome(const std::string& nome) {
  vb::Solleva(438, "Proprietà o metodo non supportati dall'oggetto: " + nome_ + "." + nome);
}

}  // namespace ui

#include "platform/qt/BackendQt.h"

#include <clocale>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMoveEvent>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/qt/Interno.h"

namespace ui {

namespace qt {
int Specchio::n = 0;
}

using namespace qt;

namespace {

// The window of a form. Closing it from its close box asks the form
// (QueryUnload with vbFormControlMenu); the window goes only when the form
// unloads.
class FinestraQt : public QWidget {
 public:
  explicit FinestraQt(Form* f) : QWidget(nullptr, Qt::Window), form_(f) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_DeleteOnClose, false);
  }
  Form* form() const { return form_; }
  void Stacca() { form_ = nullptr; }
  // Set when the window is being closed by the program itself.
  bool chiusa = false;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (!form_ || chiusa) {
      e->accept();
      return;
    }
    e->ignore();
    Form* f = form_;
    Protetto([&] { f->Unload(vbFormControlMenu); });
  }
  void resizeEvent(QResizeEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override {
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && form_ && form_->Caricata())
      Screen().ActiveForm = form_;
    QWidget::changeEvent(e);
  }

 private:
  Form* form_;
};

// What the backend keeps on a form (Form::datiBackend).
struct DatiForm {
  QPointer<FinestraQt> finestra;
  // Modal waits on this form, innermost last.
  std::vector<QEventLoop*> attese;
  ~DatiForm();
};

// What the backend keeps on a control (Controllo::datiBackend). The widget
// belongs to its window: Qt deletes it with its parent.
struct Aggancio {
  QPointer<QWidget> w;
};

// A mouse press that moved the focus to a control whose predecessor refused
// to let it go: the click that follows is lost, as it was.
Controllo* rifiutato = nullptr;
long rifiutoAllaPressione = -1;
long pressioni = 0;

BackendQt* istanza = nullptr;

DatiForm* Dati(const Form& f) { return static_cast<DatiForm*>(f.datiBackend.get()); }

FinestraQt* FinestraDi(const Form& f) {
  DatiForm* d = Dati(f);
  return d ? d->finestra.data() : nullptr;
}

// Detaches every widget of a window from the model, so that nothing the
// toolkit still does with them (focus moves while they go) reaches forms.
void StaccaTutto(FinestraQt* fin) {
  fin->Stacca();
  Slega(fin);
  for (QWidget* w : fin->findChildren<QWidget*>()) Slega(w);
}

DatiForm::~DatiForm() {
  if (finestra) {
    StaccaTutto(finestra);
    finestra->chiusa = true;
    finestra->hide();
    finestra->deleteLater();
  }
}

QWidget* GenitoreDi(const Controllo& c) {
  if (Controllo* k = c.Container()) {
    if (GenereDi(k->tipo()).contenitore) {
      if (QWidget* w = WidgetDi(*k)) return w;
    }
  }
  return FinestraDi(c.Parent());
}

void ApplicaGeometria(const Controllo& c, QWidget* w) {
  const Genere& g = GenereDi(c.tipo());
  QWidget* p = w->parentWidget();
  if (g.allineamento && p) {
    // Toolbars and status bars keep to their edge of the form, full width.
    const int h = std::max(PxY(c.Height()), w->sizeHint().height());
    w->setGeometry(0, g.allineamento == 1 ? 0 : p->height() - h, p->width(), h);
    return;
  }
  int larghezza = std::max(PxX(c.Width()), 0), altezza = std::max(PxY(c.Height()), 0);
  if (c.tipo() == Tipo::Line) {
    larghezza = std::max(larghezza, 1);
    altezza = std::max(altezza, 1);
  }
  w->setGeometry(PxX(c.Left()), PxY(c.Top()), larghezza, altezza);
}

void ApplicaColori(const Controllo& c, QWidget* w) {
  const Genere& g = GenereDi(c.tipo());
  QPalette pal = w->palette();
  // Only the enabled look: a disabled control keeps the toolkit's grey.
  for (QPalette::ColorGroup gr : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(gr, g.sfondo, Colore(c.BackColor()));
    pal.setColor(gr, g.primoPiano, Colore(c.ForeColor()));
  }
  w->setPalette(pal);
  w->setAutoFillBackground(g.riempie);
}

void ApplicaOrdine(const Controllo& c, QWidget* w) {
  if (c.ZOrdine() > 0) w->raise();
  else if (c.ZOrdine() < 0) w->lower();
}

// Geometry, container, colours, font, tooltip, enabled, visible.
void ApplicaComuni(Controllo& c, QWidget* w) {
  QWidget* genitore = GenitoreDi(c);
  if (genitore && w->parentWidget() != genitore) {
    w->setParent(genitore);
    ApplicaOrdine(c, w);
  }
  ApplicaGeometria(c, w);
  ApplicaColori(c, w);
  w->setFont(FontQt(c.Font()));
  w->setToolTip(Q(c.ToolTipText()));
  w->setEnabled(c.Enabled());
  w->setVisible(c.Visible());
}

void ApplicaTutto(Controllo& c) {
  QWidget* w = WidgetDi(c);
  if (!w) return;
  Specchio s;
  ApplicaComuni(c, w);
  const Genere& g = GenereDi(c.tipo());
  if (g.aggiorna)
    for (Prop p : kTutte) g.aggiorna(c, w, p);
}

QWidget* CreaWidget(Controllo& c, QWidget* genitore) {
  const Genere& g = GenereDi(c.tipo());
  if (!g.crea || !genitore) return nullptr;
  Specchio s;
  QWidget* w = g.crea(c, genitore);
  if (!w) return nullptr;
  Lega(w, &c);
  c.datiBackend = std::make_shared<Aggancio>(Aggancio{w});
  return w;
}

void AllineaBarre(QWidget* finestra) {
  for (QObject* o : finestra->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) continue;
    if (Controllo* c = ControlloDi(w))
      if (GenereDi(c->tipo()).allineamento) ApplicaGeometria(*c, w);
  }
}

void FinestraQt::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  {
    Specchio s;
    AllineaBarre(this);
  }
  // The user resized the window: the form learns its new size (Resize).
  if (form_ && e->spontaneous() && !Specchio::Attivo() && !isMaximized() && !isMinimized()) {
    if (PxX(form_->ScaleWidth()) != width() || PxY(form_->ScaleHeight()) != height()) {
      Form* f = form_;
      const long w = TwX(width()) + (f->Width() - f->ScaleWidth());
      const long h = TwY(height()) + (f->Height() - f->ScaleHeight());
      Protetto([&] { f->Move(f->Left(), f->Top(), w, h); });
    }
  }
}

void FinestraQt::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (form_ && e->spontaneous() && !Specchio::Attivo() && !isMaximized() && !isMinimized()) {
    if (PxX(form_->Left()) != x() || PxY(form_->Top()) != y()) {
      Form* f = form_;
      const long l = TwX(x()), t = TwY(y());
      Protetto([&] { f->Move(l, t); });
    }
  }
}

// The frame the form asks for: a fixed border takes no resizing and no
// maximising; without a control box the title bar has no buttons at all.
Qt::WindowFlags Cornice(const Form& f) {
  Qt::WindowFlags fl = Qt::Window;
  if (f.BorderStyle() == 0) return fl | Qt::FramelessWindowHint;
  if (f.ControlBox() && f.MinButton() && f.MaxButton() && f.Ridimensionabile()) return fl;
  fl |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (f.ControlBox()) {
    fl |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (f.MinButton()) fl |= Qt::WindowMinimizeButtonHint;
    if (f.MaxButton() && f.Ridimensionabile()) fl |= Qt::WindowMaximizeButtonHint;
  }
  return fl;
}

// The window's title, place, size, colour and enabled state from the form.
void ApplicaForm(const Form& f, FinestraQt* fin) {
  Specchio s;
  fin->setWindowTitle(Q(f.Caption()));
  if (f.WindowState() == vbNormal) {
    const QSize dim(std::max(PxX(f.ScaleWidth()), 1), std::max(PxY(f.ScaleHeight()), 1));
    if (!f.Ridimensionabile()) fin->setFixedSize(dim);
    if (fin->size() != dim) fin->resize(dim);
    const QPoint pos(PxX(f.Left()), PxY(f.Top()));
    if (fin->pos() != pos) fin->move(pos);
  }
  QPalette pal = fin->palette();
  for (QPalette::ColorGroup gr : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    pal.setColor(gr, QPalette::Window, Colore(f.BackColor()));
  fin->setPalette(pal);
  fin->setAutoFillBackground(true);
  fin->setFont(FontQt(f.Font()));
  fin->setEnabled(f.Enabled());
}

void ApplicaStato(const Form& f, FinestraQt* fin) {
  if (!fin->isVisible()) return;
  Specchio s;
  switch (f.WindowState()) {
    case vbMaximized:
      if (!fin->isMaximized()) fin->showMaximized();
      break;
    case vbMinimized:
      if (!fin->isMinimized()) fin->showMinimized();
      break;
    default:
      if (fin->isMaximized() || fin->isMinimized()) fin->showNormal();
      break;
  }
}

void RimettiFuoco(Form& f) {
  Controllo* a = f.ActiveControl();
  QWidget* w = a ? WidgetDi(*a) : nullptr;
  if (!w) return;
  Specchio s;
  w->setFocus(Qt::OtherFocusReason);
}

void QuitAttese(DatiForm* d) {
  for (QEventLoop* l : d->attese) l->quit();
}

}  // namespace

// ------------------------------------------------------------ shared helpers

namespace qt {

Controllo* ControlloVicino(QObject* o, QWidget** widget) {
  for (auto* w = qobject_cast<QWidget*>(o); w; w = w->parentWidget()) {
    if (Controllo* c = ControlloDi(w)) {
      if (widget) *widget = w;
      return c;
    }
    if (w->isWindow()) break;
  }
  return nullptr;
}

QWidget* WidgetDi(const Controllo& c) {
  auto* a = static_cast<Aggancio*>(c.datiBackend.get());
  return a ? a->w.data() : nullptr;
}

bool PrendiFuoco(Controllo& c) {
  Form& f = c.Parent();
  if (!c.PuoFuoco()) return c.Attivo();
  if (f.Visible()) Screen().ActiveForm = &f;
  if (f.ActiveControl() == &c) return true;
  if (rifiutato == &c && rifiutoAllaPressione + 1 == pressioni) return false;
  const bool ok = f.SpostaFuoco(&c) && f.ActiveControl() == &c;
  if (!ok) RimettiFuoco(f);
  return ok;
}

void ErroreNonGestito(const std::exception* e) {
  std::string testo;
  if (auto* v = dynamic_cast<const vb::Errore*>(e))
    testo = "Errore di run-time '" + std::to_string(v->Number()) + "':\n\n" + v->Description();
  else
    testo = "Errore di run-time:\n\n" + std::string(e ? e->what() : "errore sconosciuto");
  std::fprintf(stderr, "%s\n", testo.c_str());
  static bool inCorso = false;
  if (inCorso) return;
  inCorso = true;
  try {
    vb::MsgBox(testo, vb::vbCritical);
  } catch (...) {
  }
  inCorso = false;
}

}  // namespace qt

// ------------------------------------------------------------ the backend

struct BackendQt::Impl : public QObject {
  std::chrono::steady_clock::time_point inizio = std::chrono::steady_clock::now();
  QTimer orologio;
  QEventLoop* ciclo = nullptr;
  // The release after a double click does not click again.
  bool dopoDoppio = false;

  Impl() {
    orologio.setInterval(10);
    QObject::connect(&orologio, &QTimer::timeout, this, [] { Protetto([] { EseguiTimerScaduti(); }); });
    orologio.start();
    qApp->installEventFilter(this);
    QObject::connect(qApp, &QApplication::focusChanged, this,
                     [this](QWidget* prima, QWidget* ora) { FuocoCambiato(prima, ora); });
  }
  ~Impl() override {
    if (qApp) qApp->removeEventFilter(this);
  }

  // The user (or the window system) moved the focus: the model moves it
  // too, Validate first; when that refuses, the focus goes back.
  void FuocoCambiato(QWidget*, QWidget* ora) {
    if (Specchio::Attivo() || !ora) return;
    Controllo* c = ControlloVicino(ora);
    if (!c) return;
    Form& f = c->Parent();
    if (f.ActiveControl() == c) return;
    Protetto([&] {
      if (!c->PuoFuoco()) {
        RimettiFuoco(f);
        return;
      }
      Screen().ActiveForm = &f;
      Controllo* prima = f.ActiveControl();
      const bool ok = f.SpostaFuoco(c) && f.ActiveControl() == c;
      if (!ok) {
        if (f.ActiveControl() == prima) {
          rifiutato = c;
          rifiutoAllaPressione = pressioni;
        }
        RimettiFuoco(f);
      }
    });
  }

  // The key last handed on to a widget: if the widget does not want it, Qt
  // offers the same event to its parents, which must not give it to the
  // model a second time.
  struct Consegna {
    const QEvent* evento = nullptr;
    QPointer<QWidget> destinatario;
    int key = 0;
    Qt::KeyboardModifiers modificatori;
  } consegna;
  struct Pressione {
    const QEvent* evento = nullptr;
    QPointer<QWidget> destinatario;
    quint64 quando = 0;
  } pressione;

  bool GiaConsegnato(QWidget* w, const QKeyEvent* e) const {
    return consegna.evento == e && consegna.destinatario && consegna.key == e->key() &&
           consegna.modificatori == e->modifiers() && w != consegna.destinatario && w->isAncestorOf(consegna.destinatario);
  }

  // A key for a form: the model has it first (KeyDown, KeyPress, KeyUp, and
  // the text edit of a text box); the widget then gets what the model leaves
  // to it (answer false: Qt delivers it on).
  bool Tasto(QWidget* ricevente, QKeyEvent* e) {
    if (GiaConsegnato(ricevente, e)) return false;
    consegna = {};
    QWidget* wc = nullptr;
    Controllo* c = ControlloVicino(ricevente, &wc);
    Form* f = nullptr;
    if (c) {
      f = &c->Parent();
    } else if (auto* fin = dynamic_cast<FinestraQt*>(ricevente)) {
      f = fin->form();
    }
    if (!f || !f->Caricata()) return false;
    int codice = 0, shift = 0, carattere = 0;
    if (!TastoLegacy(e, codice, shift, carattere)) return false;
    QPointer<QWidget> vivo = wc;
    bool nativo = false;
    Protetto([&] {
      if (c && c->PuoFuoco() && f->ActiveControl() != c) {
        if (!(f->SpostaFuoco(c) && f->ActiveControl() == c)) {
          RimettiFuoco(*f);
          return;
        }
      }
      const Genere* g = c ? &GenereDi(c->tipo()) : nullptr;
      // The caret may have moved with the mouse since the last key.
      if (c && g->sincronizza) g->sincronizza(*c, wc);
      if (f->Visible()) Screen().ActiveForm = f;
      const bool passa = f->PremiTasto(codice, shift, carattere);
      if (!c || !passa || !vivo || ControlloDi(vivo) != c || f->ActiveControl() != c) return;
      nativo = g->tasto && g->tasto(*c, wc, e);
    });
    if (nativo) consegna = {e, ricevente, e->key(), e->modifiers()};
    return !nativo;
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    switch (e->type()) {
      case QEvent::KeyPress: {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) return false;
        return Tasto(w, static_cast<QKeyEvent*>(e));
      }
      case QEvent::KeyRelease:
        consegna = {};
        return false;
      case QEvent::MouseButtonPress: {
        ++pressioni;
        dopoDoppio = false;
        // A press the widget did not take goes on to its parents: one
        // MouseDown, for the control under the pointer.
        auto* w = qobject_cast<QWidget*>(o);
        auto* me = static_cast<QMouseEvent*>(e);
        if (!w) return false;
        if (pressione.evento == e && pressione.destinatario && pressione.quando == me->timestamp() &&
            w != pressione.destinatario && w->isAncestorOf(pressione.destinatario))
          return false;
        pressione = {e, w, me->timestamp()};
        QWidget* wc = nullptr;
        Controllo* c = ControlloVicino(o, &wc);
        if (!c || !wc || !c->Attivo()) return false;
        const int pulsante = me->button() == Qt::LeftButton    ? 1
                             : me->button() == Qt::RightButton ? 2
                             : me->button() == Qt::MiddleButton ? 4
                                                                : 0;
        if (pulsante == 0) return false;
        const Qt::KeyboardModifiers m = me->modifiers();
        const int shift = ((m & Qt::ShiftModifier) ? vbShiftMask : 0) | ((m & Qt::ControlModifier) ? vbCtrlMask : 0) |
                          ((m & Qt::AltModifier) ? vbAltMask : 0);
        // w is wc or a widget inside it (a grid's viewport, its row selectors)
        const QPoint p = w == wc ? me->position().toPoint() : w->mapTo(wc, me->position().toPoint());
        const float x = static_cast<float>(p.x() * Screen().TwipsPerPixelX);
        const float y = static_cast<float>(p.y() * Screen().TwipsPerPixelY);
        Protetto([&] { c->Parent().MouseDown(*c, pulsante, shift, x, y); });
        return false;
      }
      case QEvent::MouseButtonDblClick: {
        ++pressioni;
        QWidget* wc = nullptr;
        Controllo* c = ControlloVicino(o, &wc);
        if (!c || !c->Attivo()) return false;
        switch (c->tipo()) {
          case Tipo::CommandButton:
          case Tipo::CheckBox:
          case Tipo::Toolbar:
          case Tipo::StatusBar:
          case Tipo::TabStrip:
          case Tipo::HScrollBar:
          case Tipo::VScrollBar:
            return false;
          default:
            break;
        }
        dopoDoppio = true;
        Protetto([&] { c->Parent().DblClick(*c); });
        return false;
      }
      case QEvent::MouseButtonRelease: {
        if (dopoDoppio) {
          dopoDoppio = false;
          return false;
        }
        auto* w = qobject_cast<QWidget*>(o);
        QWidget* wc = nullptr;
        Controllo* c = ControlloVicino(o, &wc);
        if (!w || !c || !GenereDi(c->tipo()).clic || !c->Attivo()) return false;
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton) return false;
        const QPoint dove = w == wc ? me->position().toPoint() : w->mapTo(wc, me->position().toPoint());
        if (!wc->rect().contains(dove)) return false;
        Protetto([&] {
          if (c->tipo() == Tipo::StatusBar) {
            const QVariant k = w->property(kChiavePannello);
            if (k.isValid()) c->Parent().PanelClick(*c, S(k.toString()));
            return;
          }
          if (PrendiFuoco(*c)) c->Parent().Click(*c);
        });
        return false;
      }
      default:
        return false;
    }
  }
};

BackendQt::BackendQt() : d_(std::make_unique<Impl>()) {}

BackendQt::~BackendQt() {
  if (istanza == this) istanza = nullptr;
}

QWidget* BackendQt::Finestra(const Form& f) { return FinestraDi(f); }

QWidget* BackendQt::Widget(const Controllo& c) { return WidgetDi(c); }

void BackendQt::FormCaricata(Form& f) {
  auto d = std::make_shared<DatiForm>();
  auto* fin = new FinestraQt(&f);
  fin->setWindowFlags(Cornice(f));
  d->finestra = fin;
  f.datiBackend = d;
  ApplicaForm(f, fin);
  Specchio s;
  for (const auto& c : f.Controlli()) CreaWidget(*c, fin);
  for (const auto& c : f.Controlli()) ApplicaTutto(*c);
  // The saved stacking order, the oldest moves first.
  std::vector<Controllo*> ordinati;
  for (const auto& c : f.Controlli())
    if (c->ZOrdine() != 0) ordinati.push_back(c.get());
  std::stable_sort(ordinati.begin(), ordinati.end(),
                   [](Controllo* a, Controllo* b) { return std::labs(a->ZOrdine()) < std::labs(b->ZOrdine()); });
  for (Controllo* c : ordinati)
    if (QWidget* w = WidgetDi(*c)) ApplicaOrdine(*c, w);
}

void BackendQt::FormScaricata(Form& f) {
  auto d = std::static_pointer_cast<DatiForm>(f.datiBackend);
  if (!d) return;
  QuitAttese(d.get());
  for (const auto& c : f.Controlli()) c->datiBackend.reset();
  if (FinestraQt* fin = d->finestra) {
    StaccaTutto(fin);
    fin->chiusa = true;
    {
      Specchio s;
      fin->hide();
    }
    fin->deleteLater();
  }
  d->finestra = nullptr;
  f.datiBackend.reset();
  if (d_->ciclo) {
    // Checked once the unloading is over: a handler often unloads one form
    // and loads the next.
    QTimer::singleShot(0, d_.get(), [this] {
      if (d_->ciclo && Forms().empty()) d_->ciclo->quit();
    });
  }
}

void BackendQt::FormAttivata(Form& f) {
  FinestraQt* fin = FinestraDi(f);
  if (!fin || !fin->isVisible()) return;
  fin->raise();
  fin->activateWindow();
  RimettiFuoco(f);
}

void BackendQt::FormMostrata(Form& f) {
  FinestraQt* fin = FinestraDi(f);
  if (!fin) return;
  ApplicaForm(f, fin);
  Specchio s;
  const Qt::WindowModality modalita = f.Modale() ? Qt::ApplicationModal : Qt::NonModal;
  if (fin->windowModality() != modalita) {
    // Modality is fixed while a window is up.
    if (fin->isVisible()) fin->hide();
    fin->setWindowModality(modalita);
  }
  switch (f.WindowState()) {
    case vbMaximized: fin->showMaximized(); break;
    case vbMinimized: fin->showMinimized(); break;
    default: fin->show(); break;
  }
  // (the offscreen platform of the tests has no stacking to change)
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) fin->raise();
  fin->activateWindow();
  AllineaBarre(fin);
}

void BackendQt::FormNascosta(Form& f) {
  DatiForm* d = Dati(f);
  if (!d) return;
  if (FinestraQt* fin = d->finestra) {
    Specchio s;
    fin->hide();
    fin->setWindowModality(Qt::NonModal);
  }
  QuitAttese(d);
}

void BackendQt::FormCambiata(Form& f) {
  FinestraQt* fin = FinestraDi(f);
  if (!fin) return;
  ApplicaForm(f, fin);
  ApplicaStato(f, fin);
}

void BackendQt::AttendiModale(Form& f) {
  auto d = std::static_pointer_cast<DatiForm>(f.datiBackend);
  if (!d || !f.Visible() || !f.Caricata()) return;
  QEventLoop ciclo;
  d->attese.push_back(&ciclo);
  // A clock of this wait's own: Qt does not fire a timer again while its
  // handler runs, and a modal window opened from the clock's handler (a
  // menu command's message) would otherwise wait with no menu commands and
  // no timers served.
  QTimer orologio;
  orologio.setInterval(10);
  QObject::connect(&orologio, &QTimer::timeout, &ciclo, [] { Protetto([] { EseguiTimerScaduti(); }); });
  orologio.start();
  ciclo.exec(QEventLoop::DialogExec);
  d->attese.erase(std::remove(d->attese.begin(), d->attese.end(), &ciclo), d->attese.end());
}

void BackendQt::ControlloCreato(Controllo& c) {
  QWidget* genitore = GenitoreDi(c);
  if (!genitore) return;
  if (CreaWidget(c, genitore)) ApplicaTutto(c);
}

void BackendQt::ControlloRimosso(Controllo& c) {
  QWidget* w = WidgetDi(c);
  c.datiBackend.reset();
  if (!w) return;
  Specchio s;
  // Controls it held stay on the form.
  if (QWidget* fin = FinestraDi(c.Parent())) {
    for (QObject* o : w->children()) {
      auto* figlio = qobject_cast<QWidget*>(o);
      if (figlio && ControlloDi(figlio)) {
        const bool visibile = !figlio->isHidden();
        figlio->setParent(fin);
        figlio->setVisible(visibile);
      }
    }
  }
  Slega(w);
  for (QWidget* x : w->findChildren<QWidget*>()) Slega(x);
  w->hide();
  w->deleteLater();
}

void BackendQt::Cambiato(Controllo& c, Prop p) {
  QWidget* w = WidgetDi(c);
  if (!w) return;
  Specchio s;
  switch (p) {
    case Prop::Geometria:
    case Prop::Contenitore:
      // Also the way a loaded array element gets the state of its model.
      ApplicaComuni(c, w);
      break;
    case Prop::Enabled: w->setEnabled(c.Enabled()); break;
    case Prop::Visible: w->setVisible(c.Visible()); break;
    case Prop::Colori: ApplicaColori(c, w); break;
    case Prop::Font: w->setFont(FontQt(c.Font())); break;
    case Prop::Suggerimento: w->setToolTip(Q(c.ToolTipText())); break;
    case Prop::Ordine: ApplicaOrdine(c, w); break;
    default: break;
  }
  const Genere& g = GenereDi(c.tipo());
  if (g.aggiorna) g.aggiorna(c, w, p);
}

void BackendQt::Fuoco(Controllo& c) {
  QWidget* w = WidgetDi(c);
  if (!w) return;
  Specchio s;
  QWidget* fin = w->window();
  if (fin && fin->isVisible() && !fin->isActiveWindow() && !QApplication::activeModalWidget()) fin->activateWindow();
  if (!w->hasFocus()) w->setFocus(Qt::OtherFocusReason);
  const Genere& g = GenereDi(c.tipo());
  if (g.aggiorna) g.aggiorna(c, w, Prop::Selezione);
}

Misura BackendQt::MisuraTesto(const Carattere& f, const std::string& testo, long larghezzaMax) {
  const QFontMetrics fm(FontQt(f));
  QString t = TestoPerWidget(testo, true);
  const int riga = fm.lineSpacing();
  if (t.isEmpty()) return {0, TwY(riga)};
  QRect r;
  if (larghezzaMax > 0)
    r = fm.boundingRect(QRect(0, 0, std::max(PxX(larghezzaMax), 1), 1 << 20), Qt::TextWordWrap | Qt::TextExpandTabs, t);
  else
    r = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextExpandTabs, t);
  return {TwX(r.width()), TwY(std::max(r.height(), riga))};
}

bool BackendQt::ScegliCarattere(Carattere& f) {
  bool scelto = false;
  const QFont q = QFontDialog::getFont(&scelto, FontQt(f), QApplication::activeWindow());
  if (!scelto) return false;
  f.Name = S(QFontInfo(q).family());
  f.Size = q.pointSizeF();
  f.Bold = q.bold();
  f.Italic = q.italic();
  f.Underline = q.underline();
  return true;
}

int64_t BackendQt::Adesso() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - d_->inizio).count();
}

void BackendQt::AttendiInput(Form&) {
  // Blocks until an event came (input, a timer, a watched descriptor), then
  // handles what is pending. A wake-up of its own bounds the wait when the
  // caller runs inside the clock's handler.
  QTimer sveglia;
  sveglia.setSingleShot(true);
  sveglia.start(50);
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  EseguiTimerScaduti();
}

void BackendQt::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  EseguiTimerScaduti();
}

void BackendQt::AggiornaSchermo() {
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return;
  Schermo& sc = Screen();
  // 1440 twips to the inch.
  sc.TwipsPerPixelX = std::max(1L, std::lround(1440.0 / std::max(s->logicalDotsPerInchX(), 1.0)));
  sc.TwipsPerPixelY = std::max(1L, std::lround(1440.0 / std::max(s->logicalDotsPerInchY(), 1.0)));
  const QRect tutto = s->geometry(), utile = s->availableGeometry();
  sc.Width = tutto.width() * sc.TwipsPerPixelX;
  sc.Height = tutto.height() * sc.TwipsPerPixelY;
  // The desktop's panel is what the usable area leaves of the screen, on
  // the side where it is missing.
  Schermo::Barra b;
  const long sx = tutto.x(), su = tutto.y(), dx = tutto.x() + tutto.width(), giu = tutto.y() + tutto.height();
  const long usx = utile.x(), usu = utile.y(), udx = utile.x() + utile.width(), ugiu = utile.y() + utile.height();
  if (ugiu < giu) b = {3, false, true, ugiu, sx, dx, giu};
  else if (usu > su) b = {1, false, true, su, sx, dx, usu};
  else if (usx > sx) b = {0, false, true, su, sx, usx, giu};
  else if (udx < dx) b = {2, false, true, su, udx, dx, giu};
  sc.BarraApp = b;
}

void BackendQt::Ciclo() {
  if (Forms().empty()) return;
  QEventLoop ciclo;
  QEventLoop* prima = d_->ciclo;
  d_->ciclo = &ciclo;
  ciclo.exec();
  d_->ciclo = prima;
}

// ------------------------------------------------------------ start-up

namespace {

// While the application object is made, a desktop that does not answer is a
// fatal error of the toolkit, which would abort the program with its own
// English texts: the user gets ours and a plain failure code instead. The
// toolkit's other messages of that moment are held back and passed on once
// it has started.
QtMessageHandler gestorePrima = nullptr;
struct Messaggio {
  QtMsgType tipo;
  QString testo;
};
std::vector<Messaggio>* trattenuti = nullptr;

void FataleAllAvvio(QtMsgType tipo, const QMessageLogContext&, const QString& testo) {
  if (tipo == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr, "Impossibile aprire le finestre: il desktop%s%s%s non risponde.\n",
                 display && *display ? " (DISPLAY=" : "", display && *display ? display : "",
                 display && *display ? ")" : "");
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (trattenuti) trattenuti->push_back({tipo, testo});
}

}  // namespace

int AvviaQt(int argc, char** argv) {
  static int argcQt = 0;
  static char nome[] = "ddt";
  static char* argvVuoto[] = {nome, nullptr};
  if (!QApplication::instance()) {
    argcQt = argc > 0 && argv ? argc : 1;
    // Lives as long as the program: the windows of forms that outlive the
    // start-up function need it.
    std::vector<Messaggio> messaggi;
    trattenuti = &messaggi;
    gestorePrima = qInstallMessageHandler(FataleAllAvvio);
    auto* app = new QApplication(argcQt, argc > 0 && argv ? argv : argvVuoto);
    qInstallMessageHandler(gestorePrima);
    trattenuti = nullptr;
    for (const Messaggio& m : messaggi)
      if (gestorePrima) gestorePrima(m.tipo, QMessageLogContext(), m.testo);
    app->setQuitOnLastWindowClosed(false);
    // Qt takes the system's locale for the C library too; under an Italian
    // one strtod and the like would stop at the "." of the numbers the
    // program reads and writes in the C form (fields, the menu channel).
    std::setlocale(LC_NUMERIC, "C");
  }
  if (!istanza) istanza = new BackendQt;
  ImpostaBackend(istanza);
  istanza->AggiornaSchermo();
  return 0;
}

BackendQt* BackendQtAttivo() { return istanza; }

void CicloQt() {
  if (istanza) istanza->Ciclo();
}

bool SalvaSchermata(Form& f, const std::string& pngPath) {
  QWidget* w = BackendQt::Finestra(f);
  if (!w) return false;
  QCoreApplication::processEvents();
  const QPixmap p = w->grab();
  return !p.isNull() && p.save(Q(pngPath), "PNG");
}

}  // namespace ui

// The widget of each kind of control, in one place per kind: how it is made,
// how the model's changes reach it, what the user's actions on it become.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "platform/qt/Interno.h"

namespace ui::qt {

namespace {

// Room between a multi-line box's border and its text, in twips.
constexpr long kMargineInterno = 60;

Qt::Alignment Allineamento(int a) {
  switch (a) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

// A picture named by its file; an empty one when it cannot be read.
QPixmap Immagine(const std::string& percorso) {
  if (percorso.empty() || !QFileInfo::exists(Q(percorso))) return {};
  return QPixmap(Q(percorso));
}

// ------------------------------------------------------------ text editing
// Shared by text boxes and editable combos: the model edits the text, the
// editor shows it with the model's caret and selection.

bool Multi(const QWidget* w) { return qobject_cast<const QPlainTextEdit*>(w) != nullptr; }

QString TestoEditor(const QWidget* w) {
  if (auto* le = qobject_cast<const QLineEdit*>(w)) return le->text();
  if (auto* pe = qobject_cast<const QPlainTextEdit*>(w)) return pe->toPlainText();
  return {};
}

void MostraSelezione(const Controllo& c, QWidget* w) {
  if (!w) return;
  const bool multi = Multi(w);
  const int a = PosPerWidget(c.Text(), c.SelStart(), multi);
  const int b = PosPerWidget(c.Text(), c.SelStart() + c.SelLength(), multi);
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    const int s = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    const int l = le->hasSelectedText() ? le->selectionLength() : 0;
    if (s == a && l == b - a) return;
    if (b > a) le->setSelection(a, b - a);
    else le->setCursorPosition(a);
  } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor k = pe->textCursor();
    if (k.selectionStart() == a && k.selectionEnd() == b) return;
    k.setPosition(a);
    k.setPosition(b, QTextCursor::KeepAnchor);
    pe->setTextCursor(k);
  }
}

// The editor's caret and selection to the model (the mouse or a caret key
// moved them).
void PrendiSelezione(Controllo& c, QWidget* w) {
  if (!w) return;
  const bool multi = Multi(w);
  const QString t = TestoEditor(w);
  if (TestoPerModello(t, multi) != c.Text()) return;
  int a = 0, b = 0;
  if (auto* le = qobject_cast<QLineEdit*>(w)) {
    a = le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
    b = a + (le->hasSelectedText() ? le->selectionLength() : 0);
  } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
    a = pe->textCursor().selectionStart();
    b = pe->textCursor().selectionEnd();
  }
  const int sa = PosPerModello(t, a, multi), sb = PosPerModello(t, b, multi);
  if (sa == c.SelStart() && sb - sa == c.SelLength()) return;
  Specchio s;
  c.SetSelStart(sa);
  c.SetSelLength(sb - sa);
}

// Text the editor changed by itself (paste, cut, undo, an input method).
void TestoDaEditor(QWidget* editor, QWidget* w) {
  if (Specchio::Attivo()) return;
  Protetto([&] {
    Controllo* c = ControlloDi(w);
    if (!c) return;
    c->SetText(TestoPerModello(TestoEditor(editor), Multi(editor)));
    PrendiSelezione(*c, editor);
  });
}

// The caret or the selection moved in the editor (mouse, caret keys).
template <class Editor>
void SeguiSelezione(Editor* e, QWidget* w) {
  auto segui = [e, w] {
    if (Specchio::Attivo()) return;
    Protetto([&] {
      if (Controllo* c = ControlloDi(w)) PrendiSelezione(*c, e);
    });
  };
  QObject::connect(e, &Editor::selectionChanged, e, segui);
  QObject::connect(e, &Editor::cursorPositionChanged, e, segui);
}

// Keys an editor handles after the model: caret moves and the clipboard.
bool TastoEditor(const Controllo& c, QKeyEvent* e, bool multi) {
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return multi;
    case Qt::Key_Delete: return false;
    default: break;
  }
  if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll)) return true;
  if (c.Locked()) return false;
  return e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Undo) ||
         e->matches(QKeySequence::Redo);
}

// ------------------------------------------------------------ text box

// A multi-line box lays its lines out by the control's Alignment, with a
// little room inside its border, as the legacy box did.
void AllineaRighe(const Controllo& c, QPlainTextEdit* e) {
  QTextDocument* d = e->document();
  QTextOption o = d->defaultTextOption();
  const Qt::Alignment a = Allineamento(c.Alignment());
  if (o.alignment() == a) return;
  o.setAlignment(a);
  d->setDefaultTextOption(o);
}

QWidget* CreaTesto(Controllo& c, QWidget* p) {
  if (c.MultiLine()) {
    auto* e = new QPlainTextEdit(p);
    e->document()->setDocumentMargin(std::max(3, PxX(kMargineInterno)));
    e->setTabChangesFocus(true);
    e->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [e] { TestoDaEditor(e, e); });
    SeguiSelezione(e, e);
    return e;
  }
  auto* e = new QLineEdit(p);
  e->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(e, &QLineEdit::textEdited, e, [e] { TestoDaEditor(e, e); });
  SeguiSelezione(e, e);
  return e;
}

void AggiornaTesto(Controllo& c, QWidget* w, Prop p) {
  auto* le = qobject_cast<QLineEdit*>(w);
  auto* pe = qobject_cast<QPlainTextEdit*>(w);
  switch (p) {
    case Prop::Testo: {
      const QString t = TestoPerWidget(c.Text(), pe != nullptr);
      if (le) {
        le->setMaxLength(c.MaxLength() > 0 ? c.MaxLength() : 32767);
        le->setEchoMode(c.PasswordChar().empty() ? QLineEdit::Normal : QLineEdit::Password);
        if (le->text() != t) le->setText(t);
      } else if (pe && pe->toPlainText() != t) {
        pe->setPlainText(t);
        AllineaRighe(c, pe);
      }
      MostraSelezione(c, w);
      break;
    }
    case Prop::Selezione: MostraSelezione(c, w); break;
    case Prop::Locked:
      if (le) le->setReadOnly(c.Locked());
      if (pe) pe->setReadOnly(c.Locked());
      break;
    case Prop::Stile:
      if (le) le->setAlignment(Allineamento(c.Alignment()) | Qt::AlignVCenter);
      if (pe) AllineaRighe(c, pe);
      break;
    default: break;
  }
}

bool TastoTesto(Controllo& c, QWidget* w, QKeyEvent* e) { return TastoEditor(c, e, Multi(w)); }

void SincronizzaTesto(Controllo& c, QWidget* w) { PrendiSelezione(c, w); }

// ------------------------------------------------------------ label

QWidget* CreaEtichetta(Controllo&, QWidget* p) {
  auto* l = new QLabel(p);
  l->setTextFormat(Qt::PlainText);
  l->setFocusPolicy(Qt::NoFocus);
  return l;
}

void AggiornaEtichetta(Controllo& c, QWidget* w, Prop p) {
  auto* l = static_cast<QLabel*>(w);
  switch (p) {
    case Prop::Testo:
    case Prop::Stile:
    case Prop::Geometria: {
      QString t = c.UseMnemonic() ? SenzaAccesso(c.Caption()) : Q(c.Caption());
      t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      if (l->text() != t) l->setText(t);
      // A label of fixed size wraps at words, as the legacy one did.
      l->setWordWrap(!c.AutoSize() || c.WordWrap());
      l->setAlignment(Allineamento(c.Alignment()) | Qt::AlignTop);
      l->setFrameStyle(c.BorderStyle() == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
      break;
    }
    default: break;
  }
}

// ------------------------------------------------------------ check box
// The click goes to the model (0 <-> 1, grey goes to 1), which sets the box.

class CaselaQt : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    Protetto([this] {
      Controllo* c = ControlloDi(this);
      if (!c || !c->Attivo() || !PrendiFuoco(*c)) return;
      c->SetValue(c->Value() == 1 ? 0 : 1);
    });
  }
};

QWidget* CreaCasella(Controllo&, QWidget* p) {
  auto* b = new CaselaQt(p);
  b->setTristate(true);
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}

void AggiornaCasella(Controllo& c, QWidget* w, Prop p) {
  auto* b = static_cast<QCheckBox*>(w);
  if (p == Prop::Testo) b->setText(Q(c.Caption()));
  if (p == Prop::Valore)
    b->setCheckState(c.Value() == 1 ? Qt::Checked : c.Value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

bool TastoPulsante(Controllo&, QWidget*, QKeyEvent* e) { return e->key() == Qt::Key_Space; }

// ------------------------------------------------------------ option button
// One on per container: the model switches the others off.

class OpzioneQt : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void nextCheckState() override {
    Protetto([this] {
      Controllo* c = ControlloDi(this);
      if (!c || !c->Attivo() || !PrendiFuoco(*c)) return;
      if (!c->Value()) c->SetValue(-1);
      else c->Parent().Click(*c);
    });
  }
};

QWidget* CreaOpzione(Controllo&, QWidget* p) {
  auto* b = new OpzioneQt(p);
  b->setAutoExclusive(false);
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}

void AggiornaOpzione(Controllo& c, QWidget* w, Prop p) {
  auto* b = static_cast<QRadioButton*>(w);
  if (p == Prop::Testo) b->setText(Q(c.Caption()));
  if (p == Prop::Valore) b->setChecked(c.Value() != 0);
}

// ------------------------------------------------------------ combo box
// Style 0 (and 1) edits its text like a text box; style 2 only picks.

void MostraCombo(const Controllo& c, QComboBox* k) {
  if (k->count() != c.ListCount()) {
    k->clear();
    for (int i = 0; i < c.ListCount(); ++i) k->addItem(Q(c.List(i)));
  }
  if (k->currentIndex() != c.ListIndex()) k->setCurrentIndex(c.ListIndex());
  if (QLineEdit* le = k->lineEdit()) {
    le->setMaxLength(32767);
    if (le->text() != Q(c.Text())) le->setText(Q(c.Text()));
    le->setReadOnly(c.Locked());
    MostraSelezione(c, le);
  }
}

void PreparaCombo(const Controllo& c, QComboBox* k) {
  const bool modificabile = c.Style() != 2;
  if (k->isEditable() == modificabile) return;
  k->setEditable(modificabile);
  if (QLineEdit* le = k->lineEdit()) {
    k->setInsertPolicy(QComboBox::NoInsert);
    k->setCompleter(nullptr);
    QObject::connect(le, &QLineEdit::textEdited, le, [le, k] { TestoDaEditor(le, k); });
    SeguiSelezione(le, k);
  }
}

QWidget* CreaCombo(Controllo& c, QWidget* p) {
  auto* k = new QComboBox(p);
  k->setFocusPolicy(Qt::StrongFocus);
  k->setMaxVisibleItems(12);
  PreparaCombo(c, k);
  QObject::connect(k, &QComboBox::activated, k, [k](int i) {
    if (Specchio::Attivo()) return;
    Protetto([&] {
      Controllo* c = ControlloDi(k);
      if (!c) return;
      if (c->Locked() || !c->Attivo() || !PrendiFuoco(*c) || i >= c->ListCount()) {
        Specchio s;
        MostraCombo(*c, k);
        return;
      }
      c->SetListIndex(i);
    });
  });
  return k;
}

void AggiornaCombo(Controllo& c, QWidget* w, Prop p) {
  auto* k = static_cast<QComboBox*>(w);
  switch (p) {
    case Prop::Lista:
      k->clear();
      for (int i = 0; i < c.ListCount(); ++i) k->addItem(Q(c.List(i)));
      MostraCombo(c, k);
      break;
    case Prop::Stile:
      PreparaCombo(c, k);
      MostraCombo(c, k);
      break;
    case Prop::Testo:
    case Prop::Selezione:
    case Prop::Locked: MostraCombo(c, k); break;
    default: break;
  }
}

bool TastoCombo(Controllo& c, QWidget* w, QKeyEvent* e) {
  auto* k = static_cast<QComboBox*>(w);
  if (!k->isEditable()) return !c.Locked() || e->key() == Qt::Key_F4;
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return !c.Locked() || (e->modifiers() & Qt::AltModifier);
    case Qt::Key_F4: return true;
    default: return TastoEditor(c, e, false);
  }
}

void SincronizzaCombo(Controllo& c, QWidget* w) {
  if (QLineEdit* le = static_cast<QComboBox*>(w)->lineEdit()) PrendiSelezione(c, le);
}

// ------------------------------------------------------------ list box

void MostraLista(const Controllo& c, QListWidget* l) {
  if (l->count() != c.ListCount()) {
    l->clear();
    for (int i = 0; i < c.ListCount(); ++i) l->addItem(Q(c.List(i)));
  }
  if (l->currentRow() != c.ListIndex()) l->setCurrentRow(c.ListIndex());
}

QWidget* CreaLista(Controllo&, QWidget* p) {
  auto* l = new QListWidget(p);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setFocusPolicy(Qt::StrongFocus);
  l->setUniformItemSizes(true);
  QObject::connect(l, &QListWidget::currentRowChanged, l, [l](int r) {
    if (Specchio::Attivo() || r < 0) return;
    Protetto([&] {
      Controllo* c = ControlloDi(l);
      if (!c) return;
      if (!c->Attivo() || !PrendiFuoco(*c) || r >= c->ListCount()) {
        Specchio s;
        MostraLista(*c, l);
        return;
      }
      c->SetListIndex(r);
    });
  });
  return l;
}

void AggiornaLista(Controllo& c, QWidget* w, Prop p) {
  auto* l = static_cast<QListWidget*>(w);
  if (p == Prop::Lista) {
    l->clear();
    for (int i = 0; i < c.ListCount(); ++i) l->addItem(Q(c.List(i)));
  }
  if (p == Prop::Lista || p == Prop::Selezione) MostraLista(c, l);
}

bool TastoLibero(Controllo&, QWidget*, QKeyEvent*) { return true; }

// ------------------------------------------------------------ command button

// The button Enter would press is drawn as the default one: the button that
// holds the focus, else the form's Default button (the model's PremiTasto
// decides the same way). A caption wider than the button ends in "..."
// instead of losing both ends; the full caption stays the button's text, so
// its access key keeps working.
class BottoneQt : public QPushButton {
 public:
  using QPushButton::QPushButton;

  bool Segnato() const {
    Controllo* c = ControlloDi(this);
    if (!c) return isDefault();
    Controllo* attivo = c->Parent().ActiveControl();
    if (attivo && attivo->tipo() == Tipo::CommandButton) return attivo == c;
    return c->Default();
  }

  // The others of the window change with this one's focus.
  static void RidisegnaTutti(QWidget* finestra) {
    if (!finestra) return;
    for (BottoneQt* b : finestra->findChildren<BottoneQt*>()) b->update();
  }

  // The style's picture of the button: the mark and the caption that fits.
  QStyleOptionButton Opzione() const {
    QStyleOptionButton o;
    initStyleOption(&o);
    if (Segnato()) o.features |= QStyleOptionButton::DefaultButton;
    else o.features &= ~QStyleOptionButton::ButtonFeatures(QStyleOptionButton::DefaultButton);
    const QRect spazio = style()->subElementRect(QStyle::SE_PushButtonContents, &o, this);
    // Some room each side between the frame and the text.
    int largo = spazio.width() - std::max(8, style()->pixelMetric(QStyle::PM_ButtonMargin, &o, this));
    if (!o.icon.isNull()) largo -= o.iconSize.width() + 4;
    if (largo > 0 && o.fontMetrics.horizontalAdvance(SenzaAccesso(S(o.text))) > largo)
      o.text = o.fontMetrics.elidedText(o.text, Qt::ElideRight, largo, Qt::TextShowMnemonic);
    return o;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    p.drawControl(QStyle::CE_PushButton, Opzione());
  }
  void focusInEvent(QFocusEvent* e) override {
    QPushButton::focusInEvent(e);
    RidisegnaTutti(window());
  }
  void focusOutEvent(QFocusEvent* e) override {
    QPushButton::focusOutEvent(e);
    RidisegnaTutti(window());
  }
};

}  // namespace

bool BottoneSegnato(const QWidget* bottone) {
  const auto* b = dynamic_cast<const BottoneQt*>(bottone);
  return b && b->Segnato();
}

QString CaptionDisegnata(const QWidget* bottone) {
  const auto* b = dynamic_cast<const BottoneQt*>(bottone);
  return b ? b->Opzione().text : QString();
}

namespace {

QWidget* CreaBottone(Controllo&, QWidget* p) {
  auto* b = new BottoneQt(p);
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(b, &QPushButton::clicked, b, [b] {
    Protetto([&] {
      Controllo* c = ControlloDi(b);
      if (!c || !c->Attivo() || !PrendiFuoco(*c)) return;
      c->Parent().Click(*c);
    });
  });
  return b;
}

void AggiornaBottone(Controllo& c, QWidget* w, Prop p) {
  auto* b = static_cast<QPushButton*>(w);
  if (p == Prop::Testo) b->setText(Q(c.Caption()));
  if (p == Prop::Immagine) b->setIcon(QIcon(Immagine(c.Picture())));
  // Enter and Esc are the model's (PremiTasto): the widget only shows
  // which button Enter presses.
  if (p == Prop::Stile || p == Prop::Selezione) BottoneQt::RidisegnaTutti(b->window());
}

// ------------------------------------------------------------ frame and picture box

QWidget* CreaCornice(Controllo&, QWidget* p) {
  auto* g = new QGroupBox(p);
  g->setFocusPolicy(Qt::NoFocus);
  return g;
}

void AggiornaCornice(Controllo& c, QWidget* w, Prop p) {
  if (p == Prop::Testo) static_cast<QGroupBox*>(w)->setTitle(Q(c.Caption()));
}

class QuadroQt : public QFrame {
 public:
  using QFrame::QFrame;
  QPixmap figura;

 protected:
  void paintEvent(QPaintEvent* e) override {
    QFrame::paintEvent(e);
    if (figura.isNull()) return;
    QPainter p(this);
    p.drawPixmap(contentsRect().topLeft(), figura);
  }
};

QWidget* CreaQuadro(Controllo&, QWidget* p) {
  auto* q = new QuadroQt(p);
  q->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  q->setFocusPolicy(Qt::ClickFocus);
  return q;
}

void AggiornaQuadro(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Immagine) return;
  auto* q = static_cast<QuadroQt*>(w);
  q->figura = Immagine(c.Picture());
  q->update();
}

// ------------------------------------------------------------ image

QWidget* CreaFigura(Controllo&, QWidget* p) {
  auto* l = new QLabel(p);
  l->setFocusPolicy(Qt::NoFocus);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

void AggiornaFigura(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Immagine) return;
  auto* l = static_cast<QLabel*>(w);
  l->setScaledContents(c.Stretch());
  l->setPixmap(Immagine(c.Picture()));
}

// ------------------------------------------------------------ line
// From the top-left to the bottom-right corner of its box (flat when its
// height or width is 0), in its ForeColor.

class LineaQt : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(0, 0, width() - 1, height() - 1);
  }
};

QWidget* CreaLinea(Controllo&, QWidget* p) {
  auto* l = new LineaQt(p);
  l->setAttribute(Qt::WA_TransparentForMouseEvents);
  l->setFocusPolicy(Qt::NoFocus);
  return l;
}

// ------------------------------------------------------------ toolbar
// One tool button per button of the model, found again by its key.

QWidget* CreaBarra(Controllo&, QWidget* p) {
  auto* b = new QToolBar(p);
  b->setMovable(false);
  b->setFloatable(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

void AggiornaBarra(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Elementi && p != Prop::Enabled) return;
  auto* b = static_cast<QToolBar*>(w);
  QList<QAction*> azioni = b->actions();
  bool stesse = azioni.size() == c.NumElementi();
  for (int i = 0; stesse && i < c.NumElementi(); ++i)
    stesse = azioni[i]->data().toString() == Q(c.Elem(i + 1).Key) &&
             azioni[i]->isSeparator() == (c.Elem(i + 1).Style == tbrSeparator);
  if (!stesse) {
    // Rebuilt later than now: the change may come from a handler of one of
    // these very buttons.
    for (QAction* a : azioni) {
      b->removeAction(a);
      a->deleteLater();
    }
    for (int i = 1; i <= c.NumElementi(); ++i) {
      const std::string key = c.Elem(i).Key;
      // The toolbar draws a separator for an action marked so before it is
      // added; it stays in the list so that actions and buttons keep step.
      auto* a = new QAction(b);
      a->setSeparator(c.Elem(i).Style == tbrSeparator);
      a->setData(Q(key));
      b->addAction(a);
      QObject::connect(a, &QAction::triggered, b, [b, a] {
        Protetto([&] {
          Controllo* c = ControlloDi(b);
          const std::string k = S(a->data().toString());
          if (!c || !c->Attivo() || !c->HaElem(k)) return;
          const Elemento& e = c->Elem(k);
          if (!e.Enabled || !e.Visible || e.Style == tbrSeparator) return;
          c->Parent().ButtonClick(*c, e.Key);
        });
      });
      if (QWidget* t = b->widgetForAction(a)) t->setFocusPolicy(Qt::NoFocus);
    }
    azioni = b->actions();
  }
  bool icone = false, testi = false;
  for (int i = 0; i < c.NumElementi(); ++i) {
    const Elemento& e = c.Elem(i + 1);
    QAction* a = azioni[i];
    a->setVisible(e.Visible);
    if (e.Style == tbrSeparator) continue;
    a->setText(Q(e.Caption));
    a->setToolTip(Q(e.ToolTipText.empty() ? e.Caption : e.ToolTipText));
    a->setEnabled(e.Enabled);
    a->setVisible(e.Visible);
    // A picture file, else a name of the icon theme; without either a
    // captionless button shows its letter (the one in brackets opening its
    // tooltip).
    const QPixmap img = Immagine(e.Image);
    QIcon icona = !img.isNull() ? QIcon(img) : e.Image.empty() ? QIcon() : QIcon::fromTheme(Q(e.Image));
    a->setIcon(icona);
    if (icona.isNull() && e.Caption.empty() && !e.Key.empty()) {
      const std::string& t = e.ToolTipText;
      const char l = t.size() >= 3 && t[0] == '(' && t[2] == ')' ? t[1] : e.Key[0];
      a->setText(QString(QChar(l)).toUpper());
      testi = true;
    }
    icone = icone || !icona.isNull();
    testi = testi || !e.Caption.empty();
  }
  b->setToolButtonStyle(icone && testi ? Qt::ToolButtonTextUnderIcon
                        : icone        ? Qt::ToolButtonIconOnly
                                       : Qt::ToolButtonTextOnly);
}

// ------------------------------------------------------------ status bar
// A label per panel, found again by its key; a panel of width 0 takes the
// room left.

QWidget* CreaStato(Controllo&, QWidget* p) {
  auto* s = new QStatusBar(p);
  s->setSizeGripEnabled(false);
  s->setFocusPolicy(Qt::NoFocus);
  return s;
}

void AggiornaStato(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Elementi && p != Prop::Testo) return;
  auto* s = static_cast<QStatusBar*>(w);
  QList<QLabel*> pannelli = s->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
  pannelli.erase(std::remove_if(pannelli.begin(), pannelli.end(),
                                [](QLabel* l) { return !l->property(kChiavePannello).isValid(); }),
                 pannelli.end());
  const int n = std::max(c.NumElementi(), 1);
  bool stessi = pannelli.size() == n;
  for (int i = 0; stessi && i < c.NumElementi(); ++i)
    stessi = pannelli[i]->property(kChiavePannello).toString() == Q(c.Elem(i + 1).Key);
  if (!stessi) {
    for (QLabel* l : pannelli) {
      s->removeWidget(l);
      l->deleteLater();
    }
    pannelli.clear();
    for (int i = 0; i < n; ++i) {
      auto* l = new QLabel(s);
      l->setProperty(kChiavePannello, c.NumElementi() ? Q(c.Elem(i + 1).Key) : QString());
      l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      const long larghezza = c.NumElementi() ? c.Elem(i + 1).Width : 0;
      s->addWidget(l, larghezza > 0 ? 0 : 1);
      pannelli.push_back(l);
    }
  }
  if (c.NumElementi() == 0) {
    pannelli[0]->setText(Q(c.Text()));
    return;
  }
  for (int i = 0; i < c.NumElementi(); ++i) {
    const Elemento& e = c.Elem(i + 1);
    QLabel* l = pannelli[i];
    l->setText(Q(e.Caption));
    l->setToolTip(Q(e.ToolTipText));
    l->setEnabled(e.Enabled);
    l->setVisible(e.Visible);
    if (e.Width > 0) l->setMinimumWidth(PxX(e.Width));
  }
}

// ------------------------------------------------------------ tab strip
// The tabs over a panel; the controls of each page sit on the form above it.

// A tab with a width of its own in the model (the legacy fixed tab width)
// keeps it, so that a form can place things under a tab; the others take
// the style's.
class LinguetteQt : public QTabBar {
 public:
  using QTabBar::QTabBar;
  std::vector<int> larghezze;

 protected:
  QSize tabSizeHint(int i) const override {
    QSize s = QTabBar::tabSizeHint(i);
    if (i >= 0 && i < static_cast<int>(larghezze.size()) && larghezze[static_cast<size_t>(i)] > 0)
      s.setWidth(larghezze[static_cast<size_t>(i)]);
    return s;
  }
};

class SchedeQt : public QWidget {
 public:
  explicit SchedeQt(QWidget* p) : QWidget(p), barra(new LinguetteQt(this)) {}
  LinguetteQt* barra;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    barra->setGeometry(0, 0, width(), barra->sizeHint().height());
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    QStyleOptionTabWidgetFrame opt;
    opt.initFrom(this);
    opt.rect = rect().adjusted(0, barra->sizeHint().height() - 1, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
  }
};

void MostraSchede(const Controllo& c, SchedeQt* s) {
  LinguetteQt* b = s->barra;
  while (b->count() > c.NumElementi()) b->removeTab(b->count() - 1);
  Controllo& m = const_cast<Controllo&>(c);
  b->larghezze.clear();
  bool proprie = false;
  for (int i = 1; i <= c.NumElementi(); ++i) {
    b->larghezze.push_back(m.Elem(i).Width > 0 ? PxX(m.Elem(i).Width) : 0);
    proprie = proprie || m.Elem(i).Width > 0;
  }
  // Tabs of their own width are not stretched over the row.
  b->setExpanding(!proprie);
  for (int i = 0; i < c.NumElementi(); ++i) {
    const Elemento& e = m.Elem(i + 1);
    if (i >= b->count()) b->addTab(QString());
    b->setTabText(i, Q(e.Caption));
    b->setTabToolTip(i, Q(e.ToolTipText));
    b->setTabEnabled(i, e.Enabled);
    b->setTabVisible(i, e.Visible);
  }
  if (c.SelectedTab() - 1 != b->currentIndex() && c.SelectedTab() <= b->count()) b->setCurrentIndex(c.SelectedTab() - 1);
  b->setGeometry(0, 0, s->width(), b->sizeHint().height());
}

QWidget* CreaSchede(Controllo&, QWidget* p) {
  auto* s = new SchedeQt(p);
  s->barra->setFocusPolicy(Qt::StrongFocus);
  s->setFocusProxy(s->barra);
  QObject::connect(s->barra, &QTabBar::currentChanged, s, [s](int i) {
    if (Specchio::Attivo() || i < 0) return;
    Protetto([&] {
      Controllo* c = ControlloDi(s);
      if (!c) return;
      if (!c->Attivo() || !PrendiFuoco(*c) || i >= c->NumElementi()) {
        Specchio sp;
        MostraSchede(*c, s);
        return;
      }
      c->SetSelectedTab(i + 1);
    });
  });
  s->lower();
  return s;
}

void AggiornaSchede(Controllo& c, QWidget* w, Prop p) {
  if (p == Prop::Elementi || p == Prop::Selezione) MostraSchede(c, static_cast<SchedeQt*>(w));
}

// ------------------------------------------------------------ progress bar

QWidget* CreaAvanzamento(Controllo&, QWidget* p) {
  auto* b = new QProgressBar(p);
  b->setTextVisible(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

void AggiornaAvanzamento(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Valore) return;
  auto* b = static_cast<QProgressBar*>(w);
  const int lo = std::min(c.Min(), c.Max()), hi = std::max(c.Min(), c.Max());
  b->setRange(lo, hi);
  b->setValue(std::clamp(c.Value(), lo, hi));
}

// ------------------------------------------------------------ scroll bars

QWidget* CreaScorrimento(Controllo& c, QWidget* p) {
  auto* s = new QScrollBar(c.tipo() == Tipo::HScrollBar ? Qt::Horizontal : Qt::Vertical, p);
  s->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(s, &QScrollBar::valueChanged, s, [s](int v) {
    if (Specchio::Attivo()) return;
    Protetto([&] {
      Controllo* c = ControlloDi(s);
      if (!c) return;
      if (s->isSliderDown()) c->Parent().Scroll(*c);
      c->SetValue(v);
    });
  });
  return s;
}

void AggiornaScorrimento(Controllo& c, QWidget* w, Prop p) {
  if (p != Prop::Valore) return;
  auto* s = static_cast<QScrollBar*>(w);
  // The legacy allowed Min above Max: the bar then runs the other way.
  const int lo = std::min(c.Min(), c.Max()), hi = std::max(c.Min(), c.Max());
  s->setRange(lo, hi);
  s->setInvertedAppearance(c.Min() > c.Max());
  s->setSingleStep(c.SmallChange());
  s->setPageStep(c.LargeChange());
  s->setValue(std::clamp(c.Value(), lo, hi));
}

// ------------------------------------------------------------ the table

Genere Fai(QWidget* (*crea)(Controllo&, QWidget*), void (*aggiorna)(Controllo&, QWidget*, Prop)) {
  Genere g;
  g.crea = crea;
  g.aggiorna = aggiorna;
  return g;
}

Genere Genere_(Tipo t) {
  Genere g;
  switch (t) {
    case Tipo::TextBox:
      g = Fai(CreaTesto, AggiornaTesto);
      g.tasto = TastoTesto;
      g.sincronizza = SincronizzaTesto;
      g.sfondo = QPalette::Base;
      g.primoPiano = QPalette::Text;
      break;
    case Tipo::Label:
      g = Fai(CreaEtichetta, AggiornaEtichetta);
      g.riempie = true;
      g.clic = true;
      break;
    case Tipo::CheckBox:
      g = Fai(CreaCasella, AggiornaCasella);
      g.tasto = TastoPulsante;
      g.riempie = true;
      break;
    case Tipo::OptionButton:
      g = Fai(CreaOpzione, AggiornaOpzione);
      g.tasto = TastoPulsante;
      g.riempie = true;
      break;
    case Tipo::ComboBox:
      g = Fai(CreaCombo, AggiornaCombo);
      g.tasto = TastoCombo;
      g.sincronizza = SincronizzaCombo;
      g.sfondo = QPalette::Base;
      g.primoPiano = QPalette::Text;
      break;
    case Tipo::ListBox:
      g = Fai(CreaLista, AggiornaLista);
      g.tasto = TastoLibero;
      g.sfondo = QPalette::Base;
      g.primoPiano = QPalette::Text;
      break;
    case Tipo::CommandButton:
      g = Fai(CreaBottone, AggiornaBottone);
      g.tasto = TastoPulsante;
      g.sfondo = QPalette::Button;
      g.primoPiano = QPalette::ButtonText;
      break;
    case Tipo::Frame:
      g = Fai(CreaCornice, AggiornaCornice);
      g.riempie = true;
      g.contenitore = true;
      g.clic = true;
      break;
    case Tipo::PictureBox:
      g = Fai(CreaQuadro, AggiornaQuadro);
      g.riempie = true;
      g.contenitore = true;
      g.clic = true;
      g.tasto = TastoLibero;
      break;
    case Tipo::Image:
      g = Fai(CreaFigura, AggiornaFigura);
      g.clic = true;
      break;
    case Tipo::Line: g = Fai(CreaLinea, nullptr); break;
    case Tipo::Toolbar:
      g = Fai(CreaBarra, AggiornaBarra);
      g.allineamento = 1;
      g.sfondo = QPalette::Button;
      g.primoPiano = QPalette::ButtonText;
      break;
    case Tipo::StatusBar:
      g = Fai(CreaStato, AggiornaStato);
      g.allineamento = 2;
      g.clic = true;
      break;
    case Tipo::TabStrip:
      g = Fai(CreaSchede, AggiornaSchede);
      g.tasto = TastoLibero;
      break;
    case Tipo::ProgressBar: g = Fai(CreaAvanzamento, AggiornaAvanzamento); break;
    case Tipo::HScrollBar:
    case Tipo::VScrollBar:
      g = Fai(CreaScorrimento, AggiornaScorrimento);
      g.tasto = TastoLibero;
      break;
    case Tipo::DataGrid: return GenereGriglia();
    case Tipo::FlexGrid: return GenereFlexGrid();
    // No widget: the timer runs from the backend's clock, the data control
    // and the image list only serve other controls.
    case Tipo::Timer:
    case Tipo::Data:
    case Tipo::ImageList: break;
  }
  return g;
}

}  // namespace

const Genere& GenereDi(Tipo t) {
  static const std::vector<Genere> tabella = [] {
    std::vector<Genere> v;
    for (int i = 0; i <= static_cast<int>(Tipo::ImageList); ++i) v.push_back(Genere_(static_cast<Tipo>(i)));
    return v;
  }();
  return tabella[static_cast<size_t>(t)];
}

}  // namespace ui::qt

// Units, colours, fonts, texts and keys between the control model and Qt.
#include <QGuiApplication>
#include <QVariant>
#include <algorithm>
#include <cmath>

#include "platform/Testo.h"
#include "platform/qt/Interno.h"

namespace ui::qt {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::string S(const QString& s) { return s.toStdString(); }

namespace {
long TppX() { return std::max(1L, Screen().TwipsPerPixelX); }
long TppY() { return std::max(1L, Screen().TwipsPerPixelY); }
int Arrotonda(double v) { return static_cast<int>(std::lround(v)); }
}  // namespace

int PxX(long twips) { return Arrotonda(static_cast<double>(twips) / static_cast<double>(TppX())); }
int PxY(long twips) { return Arrotonda(static_cast<double>(twips) / static_cast<double>(TppY())); }
long TwX(int px) { return px * TppX(); }
long TwY(int px) { return px * TppY(); }

QColor Colore(long legacy) {
  if (legacy & 0x80000000L) {
    // The legacy system colours by their index, from the toolkit's palette.
    const QPalette pal = QGuiApplication::palette();
    switch (legacy & 0xFF) {
      case 0x00: return pal.color(QPalette::Mid);              // scroll bars
      case 0x01: return pal.color(QPalette::Dark);             // desktop
      case 0x02: return pal.color(QPalette::Highlight);        // active title bar
      case 0x03: return pal.color(QPalette::Mid);              // inactive title bar
      case 0x04: return pal.color(QPalette::Window);           // menu bar
      case 0x05: return pal.color(QPalette::Base);             // window background
      case 0x06: return pal.color(QPalette::Shadow);           // window frame
      case 0x07: return pal.color(QPalette::WindowText);       // menu text
      case 0x08: return pal.color(QPalette::Text);             // window text
      case 0x09: return pal.color(QPalette::HighlightedText);  // title bar text
      case 0x0A:
      case 0x0B: return pal.color(QPalette::Window);           // borders
      case 0x0C: return pal.color(QPalette::Dark);             // application workspace
      case 0x0D: return pal.color(QPalette::Highlight);
      case 0x0E: return pal.color(QPalette::HighlightedText);
      case 0x0F: return pal.color(QPalette::Button);           // button face
      case 0x10: return pal.color(QPalette::Dark);             // button shadow
      case 0x11: return pal.color(QPalette::Disabled, QPalette::Text);  // grey text
      case 0x12: return pal.color(QPalette::ButtonText);
      case 0x13: return pal.color(QPalette::Inactive, QPalette::WindowText);
      case 0x14: return pal.color(QPalette::Light);            // 3D highlight
      case 0x15: return pal.color(QPalette::Shadow);           // 3D dark shadow
      case 0x16: return pal.color(QPalette::Midlight);         // 3D light
      case 0x17: return pal.color(QPalette::ToolTipText);
      case 0x18: return pal.color(QPalette::ToolTipBase);
      default: return pal.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(legacy & 0xFF), static_cast<int>((legacy >> 8) & 0xFF),
                static_cast<int>((legacy >> 16) & 0xFF));
}

QFont FontQt(const Carattere& f) {
  QFont q(Q(f.Name));
  q.setStyleHint(QFont::SansSerif);
  q.setPointSizeF(f.Size > 0 ? f.Size : 8.25);
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  return q;
}

QString SenzaAccesso(const std::string& caption) {
  const QString t = Q(caption);
  QString r;
  r.reserve(t.size());
  for (qsizetype i = 0; i < t.size(); ++i) {
    if (t[i] == u'&') {
      if (i + 1 < t.size() && t[i + 1] == u'&') {
        r += u'&';
        ++i;
      }
      continue;
    }
    r += t[i];
  }
  return r;
}

// ------------------------------------------------------------ widget <-> control

namespace {
constexpr const char* kControllo = "ddtControllo";
}

Controllo* ControlloDi(const QObject* o) {
  if (!o) return nullptr;
  const QVariant v = o->property(kControllo);
  return v.isValid() ? reinterpret_cast<Controllo*>(v.value<quintptr>()) : nullptr;
}

void Lega(QWidget* w, Controllo* c) { w->setProperty(kControllo, QVariant::fromValue(reinterpret_cast<quintptr>(c))); }

void Slega(QWidget* w) {
  if (w->property(kControllo).isValid()) w->setProperty(kControllo, QVariant());
}

// ------------------------------------------------------------ texts

QString TestoPerWidget(const std::string& testo, bool multi) {
  QString t = Q(testo);
  if (multi) t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

std::string TestoPerModello(const QString& testo, bool multi) {
  if (!multi) return S(testo);
  QString t = testo;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(u'\n', QStringLiteral("\r\n"));
  return S(t);
}

int PosPerWidget(const std::string& testo, int pos, bool multi) {
  return static_cast<int>(TestoPerWidget(vb::Left(testo, std::max(pos, 0)), multi).size());
}

int PosPerModello(const QString& testo, int pos, bool multi) {
  QString prima = testo.left(std::max(pos, 0));
  if (multi) prima.replace(u'\n', QStringLiteral("\r\n"));
  return static_cast<int>(prima.toUcs4().size());
}

// ------------------------------------------------------------ keys

bool TastoLegacy(const QKeyEvent* e, int& codice, int& shift, int& carattere) {
  const Qt::KeyboardModifiers m = e->modifiers();
  shift = ((m & Qt::ShiftModifier) ? vbShiftMask : 0) | ((m & Qt::ControlModifier) ? vbCtrlMask : 0) |
          ((m & Qt::AltModifier) ? vbAltMask : 0);
  const int k = e->key();
  const bool tastierino = (m & Qt::KeypadModifier) != 0;
  codice = 0;
  if (k >= Qt::Key_A && k <= Qt::Key_Z) {
    codice = vbKeyA + (k - Qt::Key_A);
  } else if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    codice = (tastierino ? 96 : vbKey0) + (k - Qt::Key_0);  // vbKeyNumpad0..9
  } else if (k >= Qt::Key_F1 && k <= Qt::Key_F24) {
    codice = vbKeyF1 + (k - Qt::Key_F1);
  } else {
    switch (k) {
      case Qt::Key_Backspace: codice = vbKeyBack; break;
      case Qt::Key_Tab:
      case Qt::Key_Backtab: codice = vbKeyTab; break;
      case Qt::Key_Return:
      case Qt::Key_Enter: codice = vbKeyReturn; break;
      case Qt::Key_Shift: codice = vbKeyShift; break;
      case Qt::Key_Control: codice = vbKeyControl; break;
      case Qt::Key_Alt: codice = vbKeyMenu; break;
      case Qt::Key_Pause: codice = 19; break;
      case Qt::Key_CapsLock: codice = 20; break;
      case Qt::Key_Escape: codice = vbKeyEscape; break;
      case Qt::Key_Space: codice = vbKeySpace; break;
      case Qt::Key_PageUp: codice = vbKeyPageUp; break;
      case Qt::Key_PageDown: codice = vbKeyPageDown; break;
      case Qt::Key_End: codice = vbKeyEnd; break;
      case Qt::Key_Home: codice = vbKeyHome; break;
      case Qt::Key_Left: codice = vbKeyLeft; break;
      case Qt::Key_Up: codice = vbKeyUp; break;
      case Qt::Key_Right: codice = vbKeyRight; break;
      case Qt::Key_Down: codice = vbKeyDown; break;
      case Qt::Key_Print: codice = 44; break;
      case Qt::Key_Insert: codice = vbKeyInsert; break;
      case Qt::Key_Delete: codice = vbKeyDelete; break;
      // The two Windows keys and the context-menu key: Ctrl+Alt with the
      // right one switches the case rule of the find.
      case Qt::Key_Super_L: codice = 91; break;
      case Qt::Key_Super_R: codice = 92; break;
      case Qt::Key_Menu: codice = 93; break;
      case Qt::Key_NumLock: codice = 144; break;
      case Qt::Key_ScrollLock: codice = 145; break;
      case Qt::Key_Asterisk: codice = tastierino ? 106 : 0xBB; break;
      case Qt::Key_Plus: codice = tastierino ? 107 : 0xBB; break;
      case Qt::Key_Minus: codice = tastierino ? 109 : 0xBD; break;
      case Qt::Key_Period: codice = tastierino ? 110 : 0xBE; break;
      case Qt::Key_Comma: codice = tastierino ? 110 : 0xBC; break;
      case Qt::Key_Slash: codice = tastierino ? 111 : 0xBF; break;
      case Qt::Key_Semicolon: codice = 0xBA; break;
      case Qt::Key_Equal: codice = 0xBB; break;
      case Qt::Key_QuoteLeft: codice = 0xC0; break;
      case Qt::Key_BracketLeft: codice = 0xDB; break;
      case Qt::Key_Backslash: codice = 0xDC; break;
      case Qt::Key_BracketRight: codice = 0xDD; break;
      case Qt::Key_Apostrophe: codice = 0xDE; break;
      case Qt::Key_Less:
      case Qt::Key_Greater: codice = 0xE2; break;
      default: break;
    }
  }
  // The character KeyPress receives: none with Alt (the legacy had menus
  // there), control characters for Ctrl with a letter.
  carattere = 0;
  const QString t = e->text();
  if (!(m & Qt::AltModifier)) {
    if (k == Qt::Key_Return || k == Qt::Key_Enter) carattere = 13;
    else if (k == Qt::Key_Escape) carattere = 27;
    else if (k == Qt::Key_Backspace) carattere = 8;
    else if (k == Qt::Key_Tab || k == Qt::Key_Backtab) carattere = 9;
    else if (k == Qt::Key_Delete) carattere = 0;
    else if ((m & Qt::ControlModifier) && codice >= vbKeyA && codice < vbKeyA + 26) carattere = codice - vbKeyA + 1;
    else if (!t.isEmpty()) {
      const QList<uint> u = t.toUcs4();
      if (!u.isEmpty() && (u.front() >= 32 && u.front() != 127)) carattere = static_cast<int>(u.front());
    }
  }
  // A character without a legacy key code of its own (accented letters,
  // shifted symbols) comes as the code the legacy gave to composed input.
  if (codice == 0 && carattere != 0) codice = 0xE5;
  return codice != 0;
}

}  // namespace ui::qt

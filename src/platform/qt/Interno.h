#pragma once
// What the files of the Qt backend share: conversions between the model's
// units and Qt's, the link from a widget back to its control, and the table
// of control kinds (one entry per kind: how its widget is made, how the
// model's changes reach it, which keys it handles itself).
#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <exception>
#include <string>

#include "platform/ui/Controllo.h"
#include "platform/ui/Form.h"

namespace ui::qt {

QString Q(const std::string& s);
std::string S(const QString& s);

// Twips to pixels and back, by the screen's twips per pixel.
int PxX(long twips);
int PxY(long twips);
long TwX(int px);
long TwY(int px);

// A legacy colour (0x00BBGGRR, or a system colour with the high bit set).
QColor Colore(long legacy);
QFont FontQt(const Carattere& f);
// A caption's "&" marks the access key; labels show the text without it.
QString SenzaAccesso(const std::string& caption);

// The control a widget shows; nullptr for any other widget and once the
// widget has been detached (its form unloaded, the control removed).
Controllo* ControlloDi(const QObject* o);
void Lega(QWidget* w, Controllo* c);
void Slega(QWidget* w);
// The control of a widget or of the nearest of its parents inside the same
// window (the inner parts of a combo, of a grid, its cell editor).
Controllo* ControlloVicino(QObject* o, QWidget** widget = nullptr);
// The widget of a control (nullptr when it has none).
QWidget* WidgetDi(const Controllo& c);

// While a Specchio lives, widgets are being set from the model: their
// signals are our own doing, not the user's.
struct Specchio {
  Specchio() { ++n; }
  ~Specchio() { --n; }
  Specchio(const Specchio&) = delete;
  Specchio& operator=(const Specchio&) = delete;
  static bool Attivo() { return n > 0; }
  static int n;
};

// Before a click or a pick acts on a control: the control takes the focus as
// the click would have given it; false when the control that has it refused
// to let it go (Validate), and the click is then lost.
bool PrendiFuoco(Controllo& c);

// An error escaping an event handler reaches the user as the legacy run-time
// error did, instead of tearing through the toolkit.
void ErroreNonGestito(const std::exception* e);
template <class F>
void Protetto(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    ErroreNonGestito(&e);
  } catch (...) {
    ErroreNonGestito(nullptr);
  }
}

// Texts: the model keeps lines as "\r\n", a multi-line editor as "\n";
// positions are characters in the model and UTF-16 units in Qt.
QString TestoPerWidget(const std::string& testo, bool multi);
std::string TestoPerModello(const QString& testo, bool multi);
int PosPerWidget(const std::string& testo, int pos, bool multi);
int PosPerModello(const QString& testo, int pos, bool multi);

// Which legacy key a Qt key event is; false for keys the legacy had none for.
bool TastoLegacy(const QKeyEvent* e, int& codice, int& shift, int& carattere);

// Every property of a control, for a widget that has just been made.
inline constexpr Prop kTutte[] = {Prop::Testo, Prop::Lista, Prop::Valore, Prop::Selezione, Prop::Locked,
                                  Prop::Stile, Prop::Immagine, Prop::Elementi, Prop::Griglia, Prop::Font};

struct Genere {
  // Makes the widget (nullptr: the kind has none, as timers).
  QWidget* (*crea)(Controllo& c, QWidget* genitore) = nullptr;
  // A property of the model changed (the common ones, geometry, colours,
  // font, tooltip, enabled, visible, are already applied).
  void (*aggiorna)(Controllo& c, QWidget* w, Prop p) = nullptr;
  // After the model has had a key (KeyDown did not cancel it): whether the
  // widget handles it as well (caret moves, list moves, clipboard); may act
  // itself and answer false.
  bool (*tasto)(Controllo& c, QWidget* w, QKeyEvent* e) = nullptr;
  // Before the model has a key: the model catches up with what the widget
  // did by itself (a caret moved with the mouse).
  void (*sincronizza)(Controllo& c, QWidget* w) = nullptr;
  // Palette roles of BackColor and ForeColor; whether the background is
  // painted by the widget itself.
  QPalette::ColorRole sfondo = QPalette::Window;
  QPalette::ColorRole primoPiano = QPalette::WindowText;
  bool riempie = false;
  // A mouse click fires Click (for kinds without a click of their own).
  bool clic = false;
  // 1: along the top of the form, 2: along the bottom (toolbar, status bar).
  int allineamento = 0;
  // Can hold the container's children.
  bool contenitore = false;
};

const Genere& GenereDi(Tipo t);
const Genere& GenereGriglia();
const Genere& GenereFlexGrid();

// Command buttons: whether one is drawn as the button Enter presses (the
// one holding the focus, else the Default one), and its caption as drawn
// (cut with "..." when the button is too narrow, the "&" kept).
bool BottoneSegnato(const QWidget* bottone);
QString CaptionDisegnata(const QWidget* bottone);

// Status bar panels tell their key through this property.
inline constexpr const char* kChiavePannello = "ddtChiave";

}  // namespace ui::qt

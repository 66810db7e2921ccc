#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "ProvaQt.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/qt/BackendQt.h"
#include "platform/ui/Griglia.h"
#include "platform/ui/Headless.h"
#include "support/CartellaTemp.h"

using namespace ui;

namespace {

using prova::FileSchermata;

// A form that writes down its events.
class Prova : public Form {
 public:
  explicit Prova(const std::string& nome = "frmProva") : Form(nome) { SetCaption("Prova Qt"); }
  std::vector<std::string> eventi;
  bool bloccaValidate = false;
  bool bloccaChiusura = false;
  std::function<void(Controllo&, int&)> tasto;
  std::function<void(Controllo&)> clic;

  static std::string N(Controllo& c) { return c.Name() + (c.Index() >= 0 ? "(" + std::to_string(c.Index()) + ")" : ""); }
  void Form_QueryUnload(int& Cancel, int modo) override {
    eventi.push_back("QueryUnload" + std::to_string(modo));
    if (bloccaChiusura) Cancel = 1;
  }
  void Change(Controllo& c) override { eventi.push_back("Change " + N(c) + "=" + c.Text()); }
  void Click(Controllo& c) override {
    eventi.push_back("Click " + N(c));
    if (clic) clic(c);
  }
  void GotFocus(Controllo& c) override { eventi.push_back("GotFocus " + N(c)); }
  void LostFocus(Controllo& c) override { eventi.push_back("LostFocus " + N(c)); }
  void Validate(Controllo& c, bool& Cancel) override {
    eventi.push_back("Validate " + N(c));
    Cancel = bloccaValidate;
  }
  void KeyDown(Controllo& c, int& k, int s) override {
    eventi.push_back("KeyDown " + N(c) + " " + std::to_string(k) + "/" + std::to_string(s));
  }
  void KeyPress(Controllo& c, int& k) override {
    eventi.push_back("KeyPress " + N(c) + " " + std::to_string(k));
    if (tasto) tasto(c, k);
  }
  void ButtonClick(Controllo& b, const std::string& key) override { eventi.push_back("ButtonClick " + N(b) + " " + key); }
  void RowColChange(Controllo& g, const vb::Variant&, int) override { eventi.push_back("RowColChange " + N(g)); }
  void Timer(Controllo& t) override { eventi.push_back("Timer " + N(t)); }

  bool Ha(const std::string& e) const { return std::find(eventi.begin(), eventi.end(), e) != eventi.end(); }
};

template <class T>
T* W(const Controllo& c) {
  return qobject_cast<T*>(BackendQt::Widget(c));
}

// Lets the window system catch up (offscreen windows get shown and
// activated through the event loop).
void Attendi(int ms = 30) {
  QElapsedTimer t;
  t.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  } while (t.elapsed() < ms);
}

// Twips to pixels, rounded, on a square-pixel screen.
int Px(long twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / Screen().TwipsPerPixelX)); }

void Tasto(QWidget* w, int key, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& testo = {}) {
  QKeyEvent giu(QEvent::KeyPress, key, m, testo);
  QCoreApplication::sendEvent(w, &giu);
  QKeyEvent su(QEvent::KeyRelease, key, m, testo);
  QCoreApplication::sendEvent(w, &su);
}

void Scrivi(QWidget* w, const QString& testo) {
  for (QChar ch : testo) {
    const int key = ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : ch.unicode();
    Tasto(w, key, Qt::NoModifier, QString(ch));
  }
}

class QtBackend : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prova::AvviaQtProva();
  }
  void SetUp() override { ImpostaBackend(BackendQtAttivo()); }
  void TearDown() override {
    for (Form* f : std::vector<Form*>(Forms())) f->Unload();
    Attendi(5);
  }
};

}  // namespace

TEST_F(QtBackend, ScreenComesFromTheDisplayResolution) {
  ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  EXPECT_EQ(Screen().TwipsPerPixelX, std::lround(1440.0 / dpi));
  EXPECT_EQ(Screen().Width, QGuiApplication::primaryScreen()->geometry().width() * Screen().TwipsPerPixelX);
  // No desktop panel offscreen: the whole screen is usable.
  if (QGuiApplication::primaryScreen()->availableGeometry() == QGuiApplication::primaryScreen()->geometry()) {
    EXPECT_EQ(Screen().BarraApp.Lato, -1);
  }
  Misura corta = BackendQtAttivo()->MisuraTesto(Carattere{}, "Ok", 0);
  Misura lunga = BackendQtAttivo()->MisuraTesto(Carattere{}, "Documento di trasporto", 0);
  EXPECT_GT(corta.larghezza, 0);
  EXPECT_GT(lunga.larghezza, corta.larghezza);
  EXPECT_EQ(corta.altezza, lunga.altezza);
  Misura a_capo = BackendQtAttivo()->MisuraTesto(Carattere{}, "Documento di trasporto", lunga.larghezza / 2);
  EXPECT_GT(a_capo.altezza, lunga.altezza);
  Carattere grande;
  grande.Size = 16;
  EXPECT_GT(BackendQtAttivo()->MisuraTesto(grande, "Ok", 0).altezza, corta.altezza);
}

TEST_F(QtBackend, AFormBecomesAWindowWithItsWidgetsInPlace) {
  Prova f;
  f.Move(600, 450, 9000, 7000);
  f.Crea(Tipo::TextBox, "txt", 1).Move(120, 720, 2400, 315);
  auto& note = f.Crea(Tipo::TextBox, "txtNote");
  note.SetMultiLine(true);
  note.Move(120, 1200, 2400, 900);
  f.Crea(Tipo::Label, "lab").Move(2700, 720, 1500, 600);
  f.C("lab").SetCaption("&Cliente");
  f.Crea(Tipo::CheckBox, "che").SetCaption("Stampato");
  f.C("che").Move(2700, 1400, 1500, 300);
  auto& fra = f.Crea(Tipo::Frame, "fraTipo");
  fra.Move(4500, 720, 3000, 1500);
  fra.SetCaption("Tipo");
  for (int i : {0, 1}) {
    auto& o = f.Crea(Tipo::OptionButton, "opt", i);
    o.SetContainer(&fra);
    o.Move(150, 300 + i * 400, 2000, 300);
  }
  f.Crea(Tipo::ComboBox, "cobA").Move(120, 2300, 2000, 315);
  f.Crea(Tipo::ComboBox, "cobB").SetStyle(2);
  f.C("cobB").Move(2300, 2300, 2000, 315);
  f.Crea(Tipo::ListBox, "lst").Move(120, 2800, 2000, 1200);
  f.Crea(Tipo::CommandButton, "cmdOk").SetCaption("&Ok");
  f.C("cmdOk").Move(7200, 5400, 1200, 400);
  f.Crea(Tipo::PictureBox, "pic").Move(2300, 2800, 1500, 1200);
  f.Crea(Tipo::Image, "img");
  f.Crea(Tipo::Line, "lin").Move(120, 5000, 3000, 0);
  f.Crea(Tipo::Timer, "tim");
  auto& barra = f.Crea(Tipo::Toolbar, "tbr");
  barra.AggiungiElemento("Nuovo", "Nuovo").ToolTipText = "Nuovo documento";
  barra.AggiungiElemento("Salva", "Salva");
  auto& stato = f.Crea(Tipo::StatusBar, "stb");
  stato.AggiungiElemento("Ditta", "Ditta 1").Width = 2000;
  stato.AggiungiElemento("Msg", "Pronto");
  auto& schede = f.Crea(Tipo::TabStrip, "tab");
  schede.AggiungiElemento("Testata", "Testata");
  schede.AggiungiElemento("Righe", "Righe");
  schede.Move(4500, 2400, 4000, 1600);
  f.Crea(Tipo::ProgressBar, "prb").Move(120, 5400, 3000, 300);
  f.Crea(Tipo::HScrollBar, "hsb").Move(3300, 5400, 2500, 255);
  f.Crea(Tipo::VScrollBar, "vsb").Move(6000, 4200, 255, 1500);
  f.Crea<FlexGrid>(Tipo::FlexGrid, "flx").Move(4500, 4200, 1300, 900);
  f.Show();
  Attendi();

  QWidget* fin = BackendQt::Finestra(f);
  ASSERT_NE(fin, nullptr);
  EXPECT_TRUE(fin->isVisible());
  EXPECT_EQ(fin->windowTitle(), "Prova Qt");
  EXPECT_EQ(fin->size(), QSize(Px(9000 - 120), Px(7000 - 405)));
  ASSERT_NE(W<QLineEdit>(f.C("txt", 1)), nullptr);
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->geometry(), QRect(Px(120), Px(720), Px(2400), Px(315)));
  EXPECT_NE(W<QPlainTextEdit>(note), nullptr);
  ASSERT_NE(W<QLabel>(f.C("lab")), nullptr);
  EXPECT_EQ(W<QLabel>(f.C("lab"))->text(), "Cliente");
  EXPECT_TRUE(W<QLabel>(f.C("lab"))->wordWrap());
  EXPECT_NE(W<QCheckBox>(f.C("che")), nullptr);
  ASSERT_NE(W<QRadioButton>(f.C("opt", 1)), nullptr);
  EXPECT_EQ(W<QRadioButton>(f.C("opt", 1))->parentWidget(), W<QGroupBox>(fra));
  EXPECT_EQ(W<QRadioButton>(f.C("opt", 1))->pos(), QPoint(Px(150), Px(700)));
  EXPECT_EQ(W<QGroupBox>(fra)->title(), "Tipo");
  EXPECT_TRUE(W<QComboBox>(f.C("cobA"))->isEditable());
  EXPECT_FALSE(W<QComboBox>(f.C("cobB"))->isEditable());
  EXPECT_NE(W<QListWidget>(f.C("lst")), nullptr);
  EXPECT_EQ(W<QPushButton>(f.C("cmdOk"))->text(), "&Ok");
  EXPECT_NE(W<QFrame>(f.C("pic")), nullptr);
  EXPECT_NE(W<QLabel>(f.C("img")), nullptr);
  EXPECT_EQ(BackendQt::Widget(f.C("lin"))->height(), 1);
  EXPECT_EQ(BackendQt::Widget(f.C("tim")), nullptr);
  ASSERT_NE(W<QToolBar>(barra), nullptr);
  EXPECT_EQ(W<QToolBar>(barra)->width(), fin->width());
  EXPECT_EQ(W<QToolBar>(barra)->actions().size(), 2);
  EXPECT_EQ(W<QToolBar>(barra)->actions()[0]->toolTip(), "Nuovo documento");
  ASSERT_NE(W<QStatusBar>(stato), nullptr);
  EXPECT_EQ(W<QStatusBar>(stato)->geometry().bottom(), fin->height() - 1);
  EXPECT_EQ(W<QStatusBar>(stato)->findChildren<QLabel*>().size(), 2);
  ASSERT_NE(BackendQt::Widget(schede), nullptr);
  EXPECT_EQ(BackendQt::Widget(schede)->findChild<QTabBar*>()->count(), 2);
  EXPECT_NE(W<QProgressBar>(f.C("prb")), nullptr);
  EXPECT_EQ(W<QScrollBar>(f.C("hsb"))->orientation(), Qt::Horizontal);
  EXPECT_EQ(W<QScrollBar>(f.C("vsb"))->orientation(), Qt::Vertical);
  EXPECT_NE(W<QTableWidget>(f.C("flx")), nullptr);

  // The model's changes reach the widgets.
  f.C("lab").SetCaption("Destinatario");
  EXPECT_EQ(W<QLabel>(f.C("lab"))->text(), "Destinatario");
  f.C("txt", 1).SetText("abc");
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->text(), "abc");
  f.C("txt", 1).SetLocked(true);
  EXPECT_TRUE(W<QLineEdit>(f.C("txt", 1))->isReadOnly());
  f.C("txt", 1).SetBackColor(vbYellow);
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->palette().color(QPalette::Base), QColor(255, 255, 0));
  f.C("txt", 1).SetForeColor(0x00804020);
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->palette().color(QPalette::Text), QColor(0x20, 0x40, 0x80));
  Carattere grassetto;
  grassetto.Bold = true;
  f.C("txt", 1).SetFont(grassetto);
  EXPECT_TRUE(W<QLineEdit>(f.C("txt", 1))->font().bold());
  f.C("txt", 1).SetToolTipText("Numero del documento");
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->toolTip(), "Numero del documento");
  f.C("txt", 1).Move(240, 720, 3000, 315);
  EXPECT_EQ(W<QLineEdit>(f.C("txt", 1))->geometry().width(), Px(3000));
  f.C("che").SetValue(2);
  EXPECT_EQ(W<QCheckBox>(f.C("che"))->checkState(), Qt::PartiallyChecked);
  f.C("opt", 0).SetValue(-1);
  f.C("opt", 1).SetValue(-1);
  EXPECT_FALSE(W<QRadioButton>(f.C("opt", 0))->isChecked());
  EXPECT_TRUE(W<QRadioButton>(f.C("opt", 1))->isChecked());
  f.C("cobB").AddItem("Normale");
  f.C("cobB").AddItem("Stampata");
  f.C("cobB").SetListIndex(1);
  EXPECT_EQ(W<QComboBox>(f.C("cobB"))->count(), 2);
  EXPECT_EQ(W<QComboBox>(f.C("cobB"))->currentText(), "Stampata");
  f.C("cmdOk").SetEnabled(false);
  EXPECT_FALSE(W<QPushButton>(f.C("cmdOk"))->isEnabled());
  f.C("cmdOk").SetVisible(false);
  EXPECT_FALSE(W<QPushButton>(f.C("cmdOk"))->isVisible());
  barra.Elem("Salva").Enabled = false;
  barra.ElementoCambiato();
  EXPECT_FALSE(W<QToolBar>(barra)->actions()[1]->isEnabled());
  stato.Elem("Msg").Caption = "Salvato";
  stato.ElementoCambiato();
  EXPECT_TRUE(W<QStatusBar>(stato)->findChildren<QLabel*>()[1]->text() == "Salvato");
  schede.SetSelectedTab(2);
  EXPECT_EQ(BackendQt::Widget(schede)->findChild<QTabBar*>()->currentIndex(), 1);
  f.C("prb").SetMax(100);
  f.C("prb").SetValue(40);
  EXPECT_EQ(W<QProgressBar>(f.C("prb"))->value(), 40);
  auto& flx = static_cast<FlexGrid&>(f.C("flx"));
  flx.SetRows(3);
  flx.SetCols(3);
  flx.SetTextMatrix(2, 1, "Bianco");
  EXPECT_EQ(W<QTableWidget>(flx)->item(2, 1)->text(), "Bianco");
  EXPECT_TRUE(SalvaSchermata(f, FileSchermata("controlli-qt.png")));

  // A loaded array element and a control made at run time get their widgets.
  auto& nuovo = f.CaricaElemento("txt", 2);
  ASSERT_NE(W<QLineEdit>(nuovo), nullptr);
  EXPECT_FALSE(W<QLineEdit>(nuovo)->isVisible());
  nuovo.SetVisible(true);
  EXPECT_TRUE(W<QLineEdit>(nuovo)->isVisible());
  QPointer<QWidget> via = BackendQt::Widget(nuovo);
  f.ScaricaElemento("txt", 2);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(via.isNull());

  f.Unload();
  EXPECT_EQ(BackendQt::Finestra(f), nullptr);
}

TEST_F(QtBackend, KeysTypedGoThroughTheModelWhichEditsTheText) {
  Prova f;
  auto& t = f.Crea(Tipo::TextBox, "txt", 1);
  t.SetTabIndex(0);
  f.Crea(Tipo::TextBox, "txt", 2).SetTabIndex(1);
  f.Show();
  Attendi();
  QLineEdit* e = W<QLineEdit>(t);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(f.ActiveControl(), &t);
  f.eventi.clear();
  // The field turns the point into a comma and refuses an x.
  f.tasto = [](Controllo&, int& k) {
    if (k == '.') k = ',';
    if (k == 'x') k = 0;
  };
  Scrivi(e, "1.x5");
  EXPECT_EQ(t.Text(), "1,5");
  EXPECT_EQ(e->text(), "1,5");
  EXPECT_EQ(e->cursorPosition(), 3);
  EXPECT_TRUE(f.Ha("KeyDown txt(1) 49/0"));
  EXPECT_TRUE(f.Ha("KeyPress txt(1) 49"));
  EXPECT_TRUE(f.Ha("Change txt(1)=1,"));
  EXPECT_FALSE(f.Ha("Change txt(1)=1,x"));

  // The caret moves in the widget, and the model edits where it stands.
  Tasto(e, Qt::Key_Left);
  EXPECT_EQ(e->cursorPosition(), 2);
  Scrivi(e, "0");
  EXPECT_EQ(t.Text(), "1,05");
  EXPECT_EQ(e->cursorPosition(), 3);
  Tasto(e, Qt::Key_Backspace, Qt::NoModifier, "\b");
  EXPECT_EQ(e->text(), "1,5");
  Tasto(e, Qt::Key_Home);
  Tasto(e, Qt::Key_Delete);
  EXPECT_EQ(e->text(), ",5");
  EXPECT_EQ(t.SelStart(), 0);
  // Shift+End selects; typing replaces the selection.
  Tasto(e, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(t.SelLength(), 2);
  Scrivi(e, "9");
  EXPECT_EQ(t.Text(), "9");

  // Text set by code, selection set by code.
  t.SetText("abcdef");
  t.SetSelStart(1);
  t.SetSelLength(3);
  EXPECT_EQ(e->selectedText(), "bcd");

  // Tab moves the focus in the model's tab order, and Qt's focus follows.
  f.eventi.clear();
  Tasto(e, Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(f.ActiveControl(), &f.C("txt", 2));
  EXPECT_TRUE(f.Ha("LostFocus txt(1)"));
  EXPECT_TRUE(f.Ha("GotFocus txt(2)"));
  EXPECT_EQ(QApplication::focusWidget(), BackendQt::Widget(f.C("txt", 2)));
  // F-keys and shift masks reach KeyDown with the legacy codes.
  Tasto(BackendQt::Widget(f.C("txt", 2)), Qt::Key_F3, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_TRUE(f.Ha("KeyDown txt(2) 114/3"));
  // Ctrl+Alt with the right Windows key: the find's case switch.
  Tasto(BackendQt::Widget(f.C("txt", 2)), Qt::Key_Super_R, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(f.Ha("KeyDown txt(2) 92/6"));
  Tasto(BackendQt::Widget(f.C("txt", 2)), Qt::Key_Return, Qt::NoModifier, "\r");
  EXPECT_TRUE(f.Ha("KeyPress txt(2) 13"));
  EXPECT_EQ(f.C("txt", 2).Text(), "");

  // A multi-line box takes Return as a new line.
  Prova g("frmNote");
  auto& n = g.Crea(Tipo::TextBox, "txtNote");
  n.SetMultiLine(true);
  g.Show();
  Attendi();
  auto* pe = W<QPlainTextEdit>(n);
  ASSERT_NE(pe, nullptr);
  Scrivi(pe, "ab");
  Tasto(pe, Qt::Key_Return, Qt::NoModifier, "\r");
  Scrivi(pe, "c");
  EXPECT_EQ(n.Text(), "ab\r\nc");
  EXPECT_EQ(pe->toPlainText(), "ab\nc");
  EXPECT_EQ(pe->textCursor().position(), 4);
}

TEST_F(QtBackend, ClicksBecomeClickEventsUnlessTheFocusIsRefused) {
  Prova f;
  f.Crea(Tipo::TextBox, "txt").SetTabIndex(0);
  f.Crea(Tipo::CommandButton, "cmdOk").SetCaption("Ok");
  f.Crea(Tipo::CheckBox, "che").SetCaption("Stampato");
  f.C("che").Move(2700, 1400, 1500, 300);
  f.Crea(Tipo::OptionButton, "opt", 0);
  f.Crea(Tipo::OptionButton, "opt", 1);
  auto& cob = f.Crea(Tipo::ComboBox, "cob");
  cob.SetStyle(2);
  cob.AddItem("Uno");
  cob.AddItem("Due");
  f.Crea(Tipo::Label, "lab").SetCaption("Etichetta");
  f.Show();
  Attendi();
  f.eventi.clear();
  W<QPushButton>(f.C("cmdOk"))->click();
  EXPECT_EQ(f.eventi, (std::vector<std::string>{"Validate txt", "LostFocus txt", "GotFocus cmdOk", "Click cmdOk"}));

  W<QCheckBox>(f.C("che"))->click();
  EXPECT_EQ(f.C("che").Value(), 1);
  EXPECT_TRUE(f.Ha("Click che"));
  EXPECT_EQ(W<QCheckBox>(f.C("che"))->checkState(), Qt::Checked);
  f.C("che").SetValue(2);
  W<QCheckBox>(f.C("che"))->click();
  EXPECT_EQ(f.C("che").Value(), 1);

  W<QRadioButton>(f.C("opt", 1))->click();
  EXPECT_EQ(f.C("opt", 1).Value(), -1);
  W<QRadioButton>(f.C("opt", 0))->click();
  EXPECT_EQ(f.C("opt", 1).Value(), 0);
  EXPECT_FALSE(W<QRadioButton>(f.C("opt", 1))->isChecked());

  f.eventi.clear();
  emit W<QComboBox>(cob)->activated(1);
  EXPECT_EQ(cob.ListIndex(), 1);
  EXPECT_EQ(cob.Text(), "Due");
  EXPECT_TRUE(f.Ha("Click cob"));

  // A label clicked with the mouse.
  f.eventi.clear();
  QLabel* lab = W<QLabel>(f.C("lab"));
  QMouseEvent giu(QEvent::MouseButtonPress, QPointF(2, 2), lab->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(lab, &giu);
  QMouseEvent su(QEvent::MouseButtonRelease, QPointF(2, 2), lab->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                 Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(lab, &su);
  EXPECT_TRUE(f.Ha("Click lab"));

  // Validate keeps the focus in the text box: the button's click is lost.
  f.C("txt").SetFocus();
  f.bloccaValidate = true;
  f.eventi.clear();
  W<QPushButton>(f.C("cmdOk"))->click();
  EXPECT_EQ(f.eventi, (std::vector<std::string>{"Validate txt"}));
  EXPECT_EQ(f.ActiveControl(), &f.C("txt"));
  // The user clicking into the other control: Qt's focus goes back.
  f.eventi.clear();
  W<QCheckBox>(f.C("che"))->setFocus(Qt::MouseFocusReason);
  Attendi(5);
  EXPECT_EQ(f.ActiveControl(), &f.C("txt"));
  EXPECT_EQ(QApplication::focusWidget(), BackendQt::Widget(f.C("txt")));
  f.bloccaValidate = false;
  W<QCheckBox>(f.C("che"))->setFocus(Qt::MouseFocusReason);
  Attendi(5);
  EXPECT_EQ(f.ActiveControl(), &f.C("che"));
}

TEST_F(QtBackend, TheCloseBoxAsksTheForm) {
  Prova f;
  f.Crea(Tipo::CommandButton, "cmdOk");
  f.Show();
  Attendi();
  f.bloccaChiusura = true;
  BackendQt::Finestra(f)->close();
  EXPECT_TRUE(f.Ha("QueryUnload0"));
  EXPECT_TRUE(f.Caricata());
  EXPECT_TRUE(BackendQt::Finestra(f)->isVisible());
  f.bloccaChiusura = false;
  BackendQt::Finestra(f)->close();
  EXPECT_FALSE(f.Caricata());
  EXPECT_EQ(BackendQt::Finestra(f), nullptr);
}

TEST_F(QtBackend, AModalFormWaitsForItsAnswerWhileTimersRun) {
  Prova principale("frmPrincipale");
  principale.Crea(Tipo::CommandButton, "cmdApri");
  principale.Show();
  Attendi();

  Prova dialogo("frmDomanda");
  dialogo.SetCaption("Confermi?");
  dialogo.Crea(Tipo::Label, "lab").SetCaption("Confermi la stampa?");
  dialogo.Crea(Tipo::CommandButton, "cmdSi").SetCaption("&Sì");
  dialogo.Crea(Tipo::Timer, "tim").SetInterval(10);
  std::string risposta;
  dialogo.clic = [&](Controllo& c) {
    risposta = c.Name();
    c.Parent().Hide();
  };
  bool bloccata = false;
  QTimer::singleShot(120, [&] {
    bloccata = QApplication::activeModalWidget() == BackendQt::Finestra(dialogo);
    auto* b = W<QPushButton>(dialogo.C("cmdSi"));
    if (b) b->click();
  });
  // A safety net: a wait that never ended would hang the test run. Bound
  // to a local object so that, unused, it dies with the test.
  QObject rete;
  QTimer::singleShot(5000, &rete, [&] { dialogo.Unload(); });
  dialogo.Show(1);
  EXPECT_EQ(risposta, "cmdSi");
  EXPECT_TRUE(bloccata);
  EXPECT_FALSE(dialogo.Visible());
  EXPECT_TRUE(dialogo.Caricata());
  EXPECT_TRUE(dialogo.Ha("Timer tim"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // Shown again modally: the same window answers again.
  risposta.clear();
  QTimer::singleShot(30, [&] { W<QPushButton>(dialogo.C("cmdSi"))->click(); });
  dialogo.Show(1);
  EXPECT_EQ(risposta, "cmdSi");
  // A modal form unloaded by its answer.
  dialogo.clic = [&](Controllo& c) { c.Parent().Unload(); };
  QTimer::singleShot(30, [&] { W<QPushButton>(dialogo.C("cmdSi"))->click(); });
  dialogo.Show(1);
  EXPECT_FALSE(dialogo.Caricata());
}

TEST_F(QtBackend, ToolbarButtonsByKey) {
  Prova f;
  auto& barra = f.Crea(Tipo::Toolbar, "tbrComandi");
  barra.AggiungiElemento("Nuovo", "Nuovo");
  barra.AggiungiElemento("Elimina", "Elimina").Enabled = false;
  f.Show();
  Attendi();
  QToolBar* tb = W<QToolBar>(barra);
  ASSERT_NE(tb, nullptr);
  ASSERT_EQ(tb->actions().size(), 2);
  EXPECT_EQ(tb->actions()[0]->text(), "Nuovo");
  tb->actions()[0]->trigger();
  tb->actions()[1]->trigger();  // disabled
  EXPECT_EQ(f.eventi, (std::vector<std::string>{"ButtonClick tbrComandi Nuovo"}));
  barra.Elem("Elimina").Enabled = true;
  barra.Elem("Nuovo").Visible = false;
  barra.ElementoCambiato();
  EXPECT_FALSE(tb->actions()[0]->isVisible());
  tb->actions()[1]->trigger();
  EXPECT_TRUE(f.Ha("ButtonClick tbrComandi Elimina"));
  // A button added later.
  barra.AggiungiElemento("Stampa", "Stampa");
  ASSERT_EQ(tb->actions().size(), 3);
  tb->actions()[2]->trigger();
  EXPECT_TRUE(f.Ha("ButtonClick tbrComandi Stampa"));
  // A separator between groups: drawn as one, never clicked, and the
  // buttons after it still answer by their own key.
  f.eventi.clear();
  barra.AggiungiElemento("Sep1", "", tbrSeparator);
  ASSERT_EQ(tb->actions().size(), 4);
  EXPECT_TRUE(tb->actions()[3]->isSeparator());  // drawn as one already as the last button
  barra.AggiungiElemento("Esci", "Esci");
  ASSERT_EQ(tb->actions().size(), 5);
  EXPECT_TRUE(tb->actions()[3]->isSeparator());
  EXPECT_FALSE(tb->actions()[4]->isSeparator());
  tb->actions()[3]->trigger();
  tb->actions()[4]->trigger();
  ui::utente::BottoneBarra(barra, "Sep1");
  EXPECT_EQ(f.eventi, (std::vector<std::string>{"ButtonClick tbrComandi Esci"}));
}

TEST_F(QtBackend, ABoundGridShowsTheRecordsOfASQLiteTable) {
  prova::CartellaTemp dir("qtgriglia");
  dati::GestDatabase db;
  const std::string conn = db.CreaDatabase(dir.Percorso("ditta.db"));
  dati::Connessione& m = db.Motore(conn);
  m.Esegui("CREATE TABLE Clienti (Codice VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY, "
           "Descrizione VARCHAR(50) COLLATE NOCASE, Fido CURRENCY)");
  m.AzzeraCatalogo();
  db.EseguiSql(conn, "Insert into Clienti Values ('C1', 'Rossi Srl', 1000.5)");
  db.EseguiSql(conn, "Insert into Clienti Values ('C2', 'Bianchi Spa', 20)");
  db.EseguiSql(conn, "Insert into Clienti Values ('C3', 'Città è Bella', Null)");
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(db, conn, "", "Select Codice, Descrizione, Fido from Clienti order by Codice", false, 2);

  Prova f;
  f.Move(0, 0, 7000, 4000);
  auto& dat = f.Crea<DatiControllo>(Tipo::Data, "datClienti");
  auto& grd = f.Crea<Griglia>(Tipo::DataGrid, "grdClienti");
  grd.Move(120, 120, 6000, 2500);
  grd.SetDataSource(&dat);
  dat.SetRecordset(&rs.RecordsetDao(k));
  grd.ColonneDaCampi();
  grd.Colonna(2).NumberFormat = "#,##0.00";
  grd.Colonna(2).Alignment = 1;
  grd.ColonnaCambiata();
  f.Show();
  Attendi();

  QTableView* v = W<QTableView>(grd);
  ASSERT_NE(v, nullptr);
  QAbstractItemModel* mod = v->model();
  ASSERT_EQ(mod->rowCount(), 3);
  ASSERT_EQ(mod->columnCount(), 3);
  EXPECT_EQ(mod->headerData(1, Qt::Horizontal).toString(), "Descrizione");
  EXPECT_EQ(mod->data(mod->index(0, 1)).toString(), "Rossi Srl");
  EXPECT_EQ(mod->data(mod->index(2, 1)).toString(), "Città è Bella");
  EXPECT_EQ(mod->data(mod->index(0, 2)).toString(), "1.000,50");
  EXPECT_EQ(mod->data(mod->index(2, 2)).toString(), "");
  EXPECT_EQ(v->currentIndex().row(), 0);
  EXPECT_TRUE(SalvaSchermata(f, FileSchermata("griglia-qt.png")));

  // The selection follows the record: the model moves, the view follows...
  grd.VaiARiga(2);
  EXPECT_EQ(v->currentIndex().row(), 2);
  // ... and the user's move reaches the grid.
  f.eventi.clear();
  v->setCurrentIndex(mod->index(1, 1));
  EXPECT_EQ(rs.RecordsetDao(k).AbsolutePosition(), 1);
  EXPECT_EQ(grd.Col(), 1);
  EXPECT_TRUE(f.Ha("RowColChange grdClienti"));

  // A cell edited in the view goes to the record, stored when the row is left.
  EXPECT_TRUE(mod->setData(mod->index(1, 1), "Bianchi e Figli"));
  EXPECT_TRUE(grd.InModifica());
  EXPECT_EQ(mod->data(mod->index(0, 1)).toString(), "Rossi Srl");
  v->setCurrentIndex(mod->index(0, 1));
  EXPECT_FALSE(grd.InModifica());
  dati::GestRecordset rs2;
  const std::string k2 = rs2.ApriRecordset(db, conn, "", "Select Descrizione from Clienti where Codice = 'C2'");
  EXPECT_EQ(rs2.LeggiCampo(k2, "Descrizione").ToString(), "Bianchi e Figli");
  EXPECT_EQ(mod->data(mod->index(1, 1)).toString(), "Bianchi e Figli");
  f.Unload();
}

TEST_F(QtBackend, AScreenshotOfAFormIsWrittenAndNotBlank) {
  Prova f;
  f.SetCaption("Messaggio");
  f.Move(0, 0, 6000, 2600);
  auto& lab = f.Crea(Tipo::Label, "lblMessaggio");
  lab.Move(240, 240, 5400, 600);
  lab.SetCaption("Il documento è stato salvato. Stampare ora la bolla di consegna?");
  auto& t = f.Crea(Tipo::TextBox, "txtCopie");
  t.Move(240, 900, 1200, 315);
  t.SetText("2");
  f.Crea(Tipo::CheckBox, "chePdf").Move(1700, 900, 2400, 315);
  f.C("chePdf").SetCaption("Anche in PDF");
  f.C("chePdf").SetValue(1);
  f.Crea(Tipo::CommandButton, "cmdSi").Move(2400, 1500, 1500, 420);
  f.C("cmdSi").SetCaption("&Sì");
  f.Crea(Tipo::CommandButton, "cmdNo").Move(4080, 1500, 1500, 420);
  f.C("cmdNo").SetCaption("&No");
  f.Show();
  Attendi();
  const std::string png = FileSchermata("schermata-qt.png");
  ASSERT_TRUE(SalvaSchermata(f, png));
  QImage img(QString::fromStdString(png));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.size(), BackendQt::Finestra(f)->size() * BackendQt::Finestra(f)->devicePixelRatioF());
  std::set<QRgb> colori;
  for (int y = 0; y < img.height(); y += 2)
    for (int x = 0; x < img.width(); x += 2) colori.insert(img.pixel(x, y));
  EXPECT_GT(colori.size(), 4u);
}

TEST_F(QtBackend, TheProgramLoopEndsWithTheLastForm) {
  Prova f;
  f.Crea(Tipo::Timer, "tim").SetInterval(20);
  int giri = 0;
  struct Chiude : Prova {
    int* giri = nullptr;
    void Timer(Controllo&) override {
      if (++*giri == 3) Unload();
    }
  } g;
  g.giri = &giri;
  g.Crea(Tipo::Timer, "tim").SetInterval(20);
  g.Show();
  // A safety net, gone with the test when unused.
  QObject rete;
  QTimer::singleShot(5000, &rete, [&] { g.Unload(); });
  CicloQt();
  EXPECT_EQ(giri, 3);
  EXPECT_FALSE(g.Caricata());
}

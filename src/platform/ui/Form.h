#pragma once
// A form of the control model. A program form derives from it, creates its
// controls in its constructor (control arrays share a name and differ by
// index, the field number) and overrides the event handlers it needs: one
// handler per event kind, receiving the control (its Name and Index tell
// which), as the legacy event procedures received their Index.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Controllo.h"

namespace ui {

// Shift masks and a few key codes of the legacy platform.
enum : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum CodiceTasto : int {
  vbKeyBack = 8, vbKeyTab = 9, vbKeyReturn = 13, vbKeyShift = 16, vbKeyControl = 17, vbKeyMenu = 18,
  vbKeyEscape = 27, vbKeySpace = 32, vbKeyPageUp = 33, vbKeyPageDown = 34, vbKeyEnd = 35,
  vbKeyHome = 36, vbKeyLeft = 37, vbKeyUp = 38, vbKeyRight = 39, vbKeyDown = 40, vbKeyInsert = 45,
  vbKeyDelete = 46, vbKey0 = 48, vbKeyA = 65, vbKeyF1 = 112, vbKeyF2, vbKeyF3, vbKeyF4, vbKeyF5,
  vbKeyF6, vbKeyF7, vbKeyF8, vbKeyF9, vbKeyF10, vbKeyF11, vbKeyF12,
};
// Why a form is unloading (QueryUnload).
enum : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3, vbFormMDIForm = 4 };
enum : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

// An object a form exposes by name (its record bar, line page, list
// commands): the framework reaches it through Form::OggettoPerNome and casts
// it to the component it expects.
class Oggetto {
 public:
  virtual ~Oggetto() = default;
};

class Form {
 public:
  explicit Form(std::string nome);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return nome_; }

  // ---- life: Load runs Form_Load once; Unload asks QueryUnload and Unload
  // (either may cancel) and answers whether the form went.
  void Load();
  bool Unload(int modo = vbFormCode);
  bool Caricata() const { return caricata_; }
  // Show modeless (0) or modal (1): a modal show returns when the form has
  // been hidden or unloaded; meanwhile timers and menu commands still run.
  void Show(int modale = 0);
  void Hide();
  // A visible, enabled form becomes the active one, its window in front
  // with the keyboard (the legacy form's SetFocus).
  void SetFocus();
  bool Visible() const { return visibile_; }
  bool Modale() const { return modale_; }

  // ---- properties
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  long Left() const { return left_; }
  long Top() const { return top_; }
  long Width() const { return width_; }
  long Height() const { return height_; }
  long ScaleWidth() const { return width_ - 120; }
  long ScaleHeight() const { return height_ - 405; }
  void Move(long left, long top = -1, long width = -1, long height = -1);
  long BackColor() const { return back_; }
  void SetBackColor(long v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  int WindowState() const { return stato_; }
  void SetWindowState(int v);
  // The window's frame, fixed before the form is shown: BorderStyle 0 none,
  // 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5
  // sizable tool window; ControlBox the close box (and with it the other
  // title buttons); MinButton and MaxButton.
  int BorderStyle() const { return bordoForm_; }
  void SetBorderStyle(int v) { bordoForm_ = v; }
  bool Ridimensionabile() const { return bordoForm_ == 2 || bordoForm_ == 5; }
  bool ControlBox() const { return controlBox_; }
  void SetControlBox(bool v) { controlBox_ = v; }
  bool MinButton() const { return minButton_; }
  void SetMinButton(bool v) { minButton_ = v; }
  bool MaxButton() const { return maxButton_; }
  void SetMaxButton(bool v) { maxButton_ = v; }
  long HelpContextID() const { return helpId_; }
  void SetHelpContextID(long v) { helpId_ = v; }
  const vb::Variant& Tag() const { return tag_; }
  void SetTag(const vb::Variant& v) { tag_ = v; }
  const Carattere& Font() const { return font_; }
  void SetFont(const Carattere& f);
  Controllo* ActiveControl() const { return attivo_; }
  int MousePointer() const { return mouse_; }
  void SetMousePointer(int v) { mouse_ = v; }

  // ---- controls
  template <class T = Controllo>
  T& Crea(Tipo tipo, const std::string& nome, int indice = -1) {
    auto c = std::make_unique<T>(*this, tipo, nome, indice);
    T& rif = *c;
    Registra(std::move(c));
    return rif;
  }
  Controllo& Crea(Tipo tipo, const std::string& nome, int indice = -1) { return Crea<Controllo>(tipo, nome, indice); }
  // The control `nome` (index -1) or the element `indice` of the array
  // `nome`; raises 340 ("element of control array does not exist") or 730.
  Controllo& C(const std::string& nome, int indice = -1) const;
  Controllo* Trova(const std::string& nome, int indice = -1) const;
  bool Esiste(const std::string& nome, int indice = -1) const { return Trova(nome, indice) != nullptr; }
  // Indexes of a control array, ascending.
  std::vector<int> Indici(const std::string& nome) const;
  // Load: a new element of an existing array, a copy of its lowest element
  // (invisible, as the legacy made it); Unload removes it again.
  Controllo& CaricaElemento(const std::string& nome, int indice);
  void ScaricaElemento(const std::string& nome, int indice);
  const std::vector<std::unique_ptr<Controllo>>& Controlli() const { return controlli_; }

  // ---- focus and keys, as the backend or the headless driver report them
  // Moves the focus as the platform did: Validate of the control that has
  // it (when the new one causes validation; Cancel keeps the focus),
  // LostFocus, then GotFocus of the new one.
  bool SpostaFuoco(Controllo* nuovo);
  // The next control in tab order that can take the focus (backwards with
  // `indietro`).
  Controllo* Successivo(Controllo* da, bool indietro = false) const;
  // A key pressed while the form is active: KeyDown (the form first with
  // KeyPreview), the character through KeyPress (which may change or cancel
  // it, and which then edits the focused text box), then KeyUp. False when
  // KeyDown cancelled the key (or Tab moved the focus): a window system then
  // skips the control's own handling of it (caret moves, clipboard keys).
  bool PremiTasto(int codice, int shift = 0, int carattere = 0);

  // ---- event handlers (defaults do nothing)
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel; (void)UnloadMode; }
  virtual void Form_Unload(int& Cancel) { (void)Cancel; }
  virtual void Form_Terminate() {}
  virtual void Form_Resize() {}
  virtual void Form_KeyDown(int& KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
  virtual void Form_KeyPress(int& KeyAscii) { (void)KeyAscii; }
  virtual void Form_KeyUp(int& KeyCode, int Shift) { (void)KeyCode; (void)Shift; }
  virtual void Form_Click() {}

  virtual void Change(Controllo& c) { (void)c; }
  virtual void Click(Controllo& c) { (void)c; }
  virtual void DblClick(Controllo& c) { (void)c; }
  virtual void GotFocus(Controllo& c) { (void)c; }
  virtual void LostFocus(Controllo& c) { (void)c; }
  virtual void Validate(Controllo& c, bool& Cancel) { (void)c; (void)Cancel; }
  virtual void KeyDown(Controllo& c, int& KeyCode, int Shift) { (void)c; (void)KeyCode; (void)Shift; }
  virtual void KeyPress(Controllo& c, int& KeyAscii) { (void)c; (void)KeyAscii; }
  virtual void KeyUp(Controllo& c, int& KeyCode, int Shift) { (void)c; (void)KeyCode; (void)Shift; }
  // A mouse button pressed on a control: Button 1 left, 2 right, 4 middle;
  // X and Y in twips from the control's corner.
  virtual void MouseDown(Controllo& c, int Button, int Shift, float X, float Y) {
    (void)c; (void)Button; (void)Shift; (void)X; (void)Y;
  }
  virtual void Timer(Controllo& c) { (void)c; }
  virtual void Scroll(Controllo& c) { (void)c; }
  // Toolbar button by key; status bar panel by key; tab strip: Click.
  virtual void ButtonClick(Controllo& barra, const std::string& key) { (void)barra; (void)key; }
  virtual void PanelClick(Controllo& barra, const std::string& key) { (void)barra; (void)key; }
  // Grids: cell edits and moves.
  virtual void BeforeColUpdate(Controllo& g, int ColIndex, vb::Variant& OldValue, int& Cancel) {
    (void)g; (void)ColIndex; (void)OldValue; (void)Cancel;
  }
  virtual void AfterColUpdate(Controllo& g, int ColIndex) { (void)g; (void)ColIndex; }
  virtual void BeforeUpdate(Controllo& g, int& Cancel) { (void)g; (void)Cancel; }
  virtual void AfterUpdate(Controllo& g) { (void)g; }
  virtual void RowColChange(Controllo& g, const vb::Variant& LastRow, int LastCol) {
    (void)g; (void)LastRow; (void)LastCol;
  }
  virtual void SelChange(Controllo& g, int& Cancel) { (void)g; (void)Cancel; }
  virtual void Reposition(Controllo& d) { (void)d; }

  // A public member called by name (the legacy CallByName): forms that are
  // called so override it; unknown names raise 438.
  virtual vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti);
  // Public properties read and written by name (CallByName with VbGet and
  // VbLet: `oiAbilRW`, `osParam`, `odRisVidVal`) and public object members
  // (`ogComPag`; nullptr for one set to Nothing): forms reached so override
  // them; unknown names raise 438.
  virtual vb::Variant LeggiPerNome(const std::string& nome);
  virtual void ScriviPerNome(const std::string& nome, const vb::Variant& valore);
  virtual Oggetto* OggettoPerNome(const std::string& nome);

  // ---- for the backend
  std::shared_ptr<void> datiBackend;

 private:
  friend class Controllo;
  void Registra(std::unique_ptr<Controllo> c);
  void Rimuovi(Controllo* c);
  void ControlloCambiato(Controllo& c, Prop p);

  std::string nome_;
  std::string caption_;
  long left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
  long back_ = vbButtonFace;
  bool enabled_ = true, keyPreview_ = false, caricata_ = false, visibile_ = false, modale_ = false;
  bool inScarico_ = false;
  int stato_ = vbNormal;
  int bordoForm_ = 2;
  bool controlBox_ = true, minButton_ = true, maxButton_ = true;
  long helpId_ = 0;
  int mouse_ = 0;
  vb::Variant tag_;
  Carattere font_;
  Controllo* attivo_ = nullptr;
  std::vector<std::unique_ptr<Controllo>> controlli_;
};

// ---- the program-wide picture of the screen and the loaded forms

// The loaded forms, in load order (the legacy Forms collection).
const std::vector<Form*>& Forms();

struct Schermo {
  long Width = 12000, Height = 9000;  // twips
  long TwipsPerPixelX = 15, TwipsPerPixelY = 15;
  int MousePointer = 0;
  Form* ActiveForm = nullptr;
  Controllo* ActiveControl() const { return ActiveForm ? ActiveForm->ActiveControl() : nullptr; }
  // The desktop's panel (task bar) as the window system reports it, for the
  // usable screen height: edge 0 left, 1 top, 2 right, 3 bottom, -1 unknown
  // (no panel); rectangle in pixels. A backend fills it in AggiornaSchermo.
  struct Barra {
    int Lato = -1;
    bool NascondiAuto = false, SempreSopra = false;
    long Alto = 0, Sinistra = 0, Destra = 0, Basso = 0;
  } BarraApp;
};
Schermo& Screen();

// Lets pending window messages and due timers through (the legacy DoEvents).
void DoEvents();
// Waits for the next input on `f` and handles it (see Backend::AttendiInput).
void AttendiInput(Form& f);

}  // namespace ui

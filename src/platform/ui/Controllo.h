#pragma once
// The control model the program's forms are written against: a toolkit-free
// picture of the legacy windowing platform. Controls keep their properties
// here; a backend (headless for tests, Qt for real windows) shows them and
// feeds the user's input back as events. Every property write goes through
// a setter, so that events fire as the legacy platform fired them (Change
// also when code sets a text, Click when code sets a check box or a combo)
// and the backend hears of the change.
//
// Geometry is in twips, colours are legacy RGB longs (0x00BBGGRR).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace ui {

class Form;

enum class Tipo {
  TextBox, Label, CheckBox, OptionButton, ComboBox, ListBox, CommandButton, Frame, PictureBox,
  Image, Line, Timer, Toolbar, StatusBar, TabStrip, ProgressBar, HScrollBar, VScrollBar,
  Data, DataGrid, FlexGrid, ImageList,
};

// What changed, for the backend.
enum class Prop {
  Testo, Enabled, Visible, Locked, Colori, Font, Tab, Geometria, Valore, Lista, Selezione,
  Suggerimento, Intervallo, Elementi, Contenitore, Ordine, Stile, Immagine, Griglia,
};

struct Carattere {
  std::string Name = "MS Sans Serif";
  double Size = 8.25;
  bool Bold = false, Italic = false, Underline = false;
  friend bool operator==(const Carattere&, const Carattere&) = default;
};

// Legacy colours.
constexpr long vbBlack = 0x000000, vbWhite = 0xFFFFFF, vbRed = 0x0000FF, vbGreen = 0x00FF00,
               vbBlue = 0xFF0000, vbYellow = 0x00FFFF;
// System colours as the legacy wrote them (high bit set): resolved by the backend.
constexpr long vbWindowBackground = static_cast<long>(0x80000005), vbWindowText = static_cast<long>(0x80000008),
               vbButtonFace = static_cast<long>(0x8000000F), vbGrayText = static_cast<long>(0x80000011),
               vbHighlight = static_cast<long>(0x8000000D);

// A button of a toolbar, a panel of a status bar, a tab of a tab strip.
struct Elemento {
  std::string Key;
  std::string Caption;
  std::string ToolTipText;
  std::string Image;
  bool Enabled = true;
  bool Visible = true;
  long Width = 0;
  // Toolbar buttons: 0 a plain button, 3 a separator (no click, no caption).
  int Style = 0;
  vb::Variant Tag;
};
inline constexpr int tbrDefault = 0;
inline constexpr int tbrSeparator = 3;

class Controllo {
 public:
  Controllo(Form& form, Tipo tipo, std::string nome, int indice);
  virtual ~Controllo() = default;
  Controllo(const Controllo&) = delete;
  Controllo& operator=(const Controllo&) = delete;

  Tipo tipo() const { return tipo_; }
  const std::string& Name() const { return nome_; }
  int Index() const { return indice_; }  // -1 outside a control array
  Form& Parent() const { return form_; }

  // ---- geometry and place
  long Left() const { return left_; }
  long Top() const { return top_; }
  long Width() const { return width_; }
  long Height() const { return height_; }
  void Move(long left, long top = -1, long width = -1, long height = -1);
  void SetLeft(long v) { Move(v, top_, width_, height_); }
  void SetTop(long v) { Move(left_, v, width_, height_); }
  void SetWidth(long v) { Move(left_, top_, v, height_); }
  void SetHeight(long v) { Move(left_, top_, width_, v); }
  Controllo* Container() const { return contenitore_; }
  void SetContainer(Controllo* c);
  void ZOrder(int posizione = 0);
  // Positive after ZOrder(0) (brought to the front), negative after
  // ZOrder(1) (sent to the back), 0 when never moved.
  long ZOrdine() const { return zOrdine_; }

  // ---- common properties
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  // Enabled and visible up through its containers and the form.
  bool Attivo() const;
  bool Locked() const { return locked_; }
  void SetLocked(bool v);
  long BackColor() const { return back_; }
  void SetBackColor(long v);
  long ForeColor() const { return fore_; }
  void SetForeColor(long v);
  const Carattere& Font() const { return font_; }
  void SetFont(const Carattere& f);
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int v);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  const std::string& ToolTipText() const { return tooltip_; }
  void SetToolTipText(const std::string& v);
  long HelpContextID() const { return helpId_; }
  void SetHelpContextID(long v) { helpId_ = v; }
  const vb::Variant& Tag() const { return tag_; }
  void SetTag(const vb::Variant& v) { tag_ = v; }
  bool CausesValidation() const { return causesValidation_; }
  void SetCausesValidation(bool v) { causesValidation_ = v; }
  // Command buttons: Enter presses the default button (unless another
  // button holds the focus), Esc the cancel button; setting one clears the
  // flag on the form's other buttons.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v);

  // ---- text: Text of text boxes and combos, Caption of the others
  const std::string& Text() const { return testo_; }
  void SetText(const std::string& v);
  const std::string& Caption() const { return testo_; }
  void SetCaption(const std::string& v) { SetText(v); }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v) { maxLength_ = v; }
  // Selection, in characters.
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelStart(int v);
  void SetSelLength(int v);
  std::string SelText() const;
  void SetSelText(const std::string& v);
  // Labels: size to the caption, wrap lines.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  int Alignment() const { return alignment_; }
  void SetAlignment(int v);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool v) { multiLine_ = v; }
  std::string PasswordChar() const { return password_; }
  void SetPasswordChar(const std::string& v) { password_ = v; }

  // ---- value: check box 0, 1, 2; option button 0 / -1; scroll bars,
  // progress bar
  int Value() const { return valore_; }
  void SetValue(int v);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetMin(int v);
  void SetMax(int v);
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  void SetLargeChange(int v) { largeChange_ = v; }

  // ---- lists: combo and list boxes
  void AddItem(const std::string& voce, int posizione = -1);
  void RemoveItem(int posizione);
  void Clear();
  int ListCount() const { return static_cast<int>(lista_.size()); }
  const std::string& List(int i) const;
  void SetList(int i, const std::string& v);
  long ItemData(int i) const;
  void SetItemData(int i, long v);
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int i);
  int Style() const { return stile_; }  // combo: 0 dropdown, 2 dropdown list
  void SetStyle(int v);
  bool Selected(int i) const;
  void SetSelected(int i, bool v);

  // ---- timer
  long Interval() const { return intervallo_; }
  void SetInterval(long ms);

  // ---- toolbar buttons, status bar panels, tab strip tabs (by key or by
  // 1-based position, as the legacy collections)
  // `stile` of a toolbar button: tbrDefault or tbrSeparator (a style set
  // later through the reference reaches the window at the next change).
  Elemento& AggiungiElemento(const std::string& key, const std::string& caption = {}, int stile = 0);
  Elemento& Elem(const std::string& key);
  Elemento& Elem(int posizione);
  bool HaElem(const std::string& key) const;
  int NumElementi() const { return static_cast<int>(elementi_.size()); }
  void ElementoCambiato() { Notifica(Prop::Elementi); }
  int SelectedTab() const { return tabScelto_; }  // tab strip, 1-based
  void SetSelectedTab(int posizione);

  // ---- picture of an image or picture box
  const std::string& Picture() const { return immagine_; }
  void SetPicture(const std::string& v);
  // Image: the picture stretched to the control (False: the control takes
  // the picture's size).
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; Notifica(Prop::Immagine); }
  // Label: "&" marks an access key (True) or shows as itself (False).
  bool UseMnemonic() const { return mnemonico_; }
  void SetUseMnemonic(bool v) { mnemonico_ = v; Notifica(Prop::Testo); }
  // Labels, text and picture boxes: 0 no border, 1 a single fixed line.
  int BorderStyle() const { return bordo_; }
  void SetBorderStyle(int v) { bordo_ = v; Notifica(Prop::Stile); }

  // ---- behaviour the backend and the headless driver use
  bool PuoFuoco() const;  // can take the focus now
  void SetFocus();

  // Anything the backend keeps for its own widget.
  std::shared_ptr<void> datiBackend;

 protected:
  void Notifica(Prop p);
  // A text box or combo whose text changes fires Change; used by the setter
  // and by typing.
  void CambiaTesto(const std::string& v);

 private:
  friend class Form;
  Form& form_;
  Tipo tipo_;
  std::string nome_;
  int indice_;
  Controllo* contenitore_ = nullptr;
  long left_ = 0, top_ = 0, width_ = 1215, height_ = 375;
  bool enabled_ = true, visible_ = true, locked_ = false, tabStop_ = true;
  bool causesValidation_ = true;
  bool default_ = false, cancel_ = false;
  long back_ = vbWindowBackground, fore_ = vbWindowText;
  Carattere font_;
  int tabIndex_ = 0;
  std::string tooltip_;
  long helpId_ = 0;
  vb::Variant tag_;
  std::string testo_;
  int maxLength_ = 0;
  int selStart_ = 0, selLength_ = 0;
  bool autoSize_ = false, wordWrap_ = false, multiLine_ = false;
  int bordo_ = 0;
  int alignment_ = 0;
  std::string password_;
  int valore_ = 0, min_ = 0, max_ = 32767, smallChange_ = 1, largeChange_ = 1;
  std::vector<std::string> lista_;
  std::vector<long> itemData_;
  std::vector<bool> selezionati_;
  int listIndex_ = -1;
  int stile_ = 0;
  long intervallo_ = 0;
  std::vector<Elemento> elementi_;
  int tabScelto_ = 1;
  std::string immagine_;
  bool stretch_ = false, mnemonico_ = true;
  long zOrdine_ = 0;
};

}  // namespace ui

#pragma once
// The grids of the control model: the data control with its recordset, the
// grid bound to it (one row per record, columns by field), and the flexible
// grid of plain cells.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Controllo.h"

namespace dati {
class Recordset;
}

namespace ui {

// The data control: the recordset a bound grid shows.
class DatiControllo : public Controllo {
 public:
  using Controllo::Controllo;
  // Grids bound to it forget it (a form's controls go in creation order,
  // the data control often before its grid).
  ~DatiControllo() override;
  dati::Recordset* Recordset() const { return rs_; }
  // Binds a recordset (the layer's RecordsetDao); bound grids re-read it.
  void SetRecordset(dati::Recordset* rs);
  // Reads the recordset again and tells the bound grids.
  void Refresh();
  // The grids bound to this control, told of every change of position.
  void Lega(class Griglia* g);
  void Slega(class Griglia* g);
  void Riposizionato();

 private:
  dati::Recordset* rs_ = nullptr;
  std::vector<class Griglia*> griglie_;
};

struct ColonnaGriglia {
  std::string DataField;
  std::string Caption;
  long Width = 1000;
  std::string NumberFormat;
  bool Visible = true;
  bool Locked = false;
  int Alignment = 0;  // 0 left, 1 right, 2 centre
  std::string Tag;
};

// The grid bound to a data control: Row is the visible row, Col the column,
// Bookmark the current record. A cell typed into is written to the record
// (BeforeColUpdate may refuse it); leaving the row stores it (BeforeUpdate
// may refuse); every move fires RowColChange.
class Griglia : public Controllo {
 public:
  using Controllo::Controllo;
  ~Griglia() override;

  void SetDataSource(DatiControllo* d);
  DatiControllo* DataSource() const { return dati_; }

  // ---- columns
  ColonnaGriglia& Colonna(int i);
  int NumColonne() const { return static_cast<int>(colonne_.size()); }
  ColonnaGriglia& AggiungiColonna(const std::string& campo, const std::string& titolo = {});
  void TogliColonne() { colonne_.clear(); Notifica(Prop::Griglia); }
  // One column per field of the recordset (the legacy ReBind/ClearFields).
  void ColonneDaCampi();
  void ColonnaCambiata() { Notifica(Prop::Griglia); }

  // ---- place
  int Col() const { return col_; }
  void SetCol(int c);
  // The current record; "" when none.
  std::string Bookmark() const;
  void SetBookmark(const std::string& b);
  // The records known so far: a grid over a big table shows those read and
  // more appear as it scrolls (LeggiAltre); FineNota() tells whether they
  // are all. NumRigheEsatto() counts them all.
  long NumRighe() const;
  bool FineNota() const;
  long NumRigheEsatto() const;
  // Reads up to `quante` more records, if there are; the records known then.
  long LeggiAltre(long quante);
  // Moves to the record at 0-based position p among the records.
  void VaiARiga(long p);
  int FirstRow() const { return 0; }
  // The first record in view and the row the current record occupies
  // among those in view (negative above them); Scroll moves the view by
  // rows (columns are all in view).
  long TopRow() const { return topRow_; }
  int Row() const;
  void Scroll(long righe, long colonne);
  // The user scrolled the window's view (the backend tells, no notice).
  void SegnaTopRow(long v) { topRow_ = std::max(v, 0L); }
  long RowHeight() const { return rowHeight_; }
  void SetRowHeight(long v) { rowHeight_ = v; Notifica(Prop::Griglia); }
  // The rows the user selected, by bookmark (row selectors, Ctrl and Shift
  // with the mouse). CambiaSelezione sets them and fires SelChange, whose
  // Cancel keeps the previous ones; reading the records again clears them.
  const std::vector<std::string>& SelBookmarks() const { return selezione_; }
  bool CambiaSelezione(std::vector<std::string> segni);
  // The bookmark of the record at position p, the current one unmoved.
  std::string BookmarkDi(long p);
  // The position of a bookmark (-1 when it is no longer there).
  long PosizioneDi(const std::string& segno);
  bool AllowUpdate() const { return allowUpdate_; }
  void SetAllowUpdate(bool v) { allowUpdate_ = v; }
  bool AllowAddNew() const { return allowAddNew_; }
  void SetAllowAddNew(bool v) { allowAddNew_ = v; }
  // Font of the column headings.
  const Carattere& HeadFont() const { return headFont_; }
  void SetHeadFont(const Carattere& f) { headFont_ = f; Notifica(Prop::Font); }

  // ---- cells
  // Display text of a cell of the current record (column format applied).
  std::string TestoCella(int col) const;
  // Display text of a cell of the record at position p.
  std::string TestoCella(long riga, int col);
  vb::Variant ValoreCella(int col) const;
  // A value typed into a cell of the current record: BeforeColUpdate, the
  // write, AfterColUpdate. False when refused.
  bool ScriviCella(int col, const vb::Variant& valore);
  // The value being written into column `col` while its BeforeColUpdate
  // runs (the cell's new text, not yet in the record); nullptr otherwise.
  const vb::Variant* ValoreInScrittura(int col) const { return col == colScrittura_ ? inScrittura_ : nullptr; }
  // Leaves the row being edited: BeforeUpdate, the store, AfterUpdate.
  bool SalvaRiga();
  bool InModifica() const;

  // The data control moved (called by it).
  void Riposizionato();

 private:
  friend class DatiControllo;
  DatiControllo* dati_ = nullptr;
  std::vector<ColonnaGriglia> colonne_;
  int col_ = 0;
  bool allowUpdate_ = true, allowAddNew_ = false;
  Carattere headFont_;
  std::string ultimoSegnalibro_;
  long topRow_ = 0, rowHeight_ = 255;
  std::vector<std::string> selezione_;
  const vb::Variant* inScrittura_ = nullptr;
  int colScrittura_ = -1;
};

// The flexible grid: rows and columns of texts, fixed rows and columns for
// the headings.
class FlexGrid : public Controllo {
 public:
  using Controllo::Controllo;

  int Rows() const { return righe_; }
  int Cols() const { return colonne_; }
  void SetRows(int n);
  void SetCols(int n);
  int FixedRows() const { return fisseR_; }
  int FixedCols() const { return fisseC_; }
  void SetFixedRows(int n) { fisseR_ = n; Notifica(Prop::Griglia); }
  void SetFixedCols(int n) { fisseC_ = n; Notifica(Prop::Griglia); }
  int Row() const { return riga_; }
  int Col() const { return col_; }
  void SetRow(int r);
  void SetCol(int c);
  const std::string& TextMatrix(int r, int c) const;
  void SetTextMatrix(int r, int c, const std::string& v);
  long ColWidth(int c) const;
  void SetColWidth(int c, long w);

 private:
  void Ridimensiona();
  int righe_ = 2, colonne_ = 2, fisseR_ = 1, fisseC_ = 1, riga_ = 1, col_ = 1;
  std::vector<std::string> celle_ = std::vector<std::string>(4);
  std::vector<long> larghezze_ = std::vector<long>(2, 1000);
};

}  // namespace ui

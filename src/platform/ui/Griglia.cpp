#include "platform/ui/Griglia.h"

#include <algorithm>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"

namespace ui {

// ------------------------------------------------------------ data control

DatiControllo::~DatiControllo() {
  for (Griglia* g : griglie_) g->dati_ = nullptr;
}

void DatiControllo::SetRecordset(dati::Recordset* rs) {
  rs_ = rs;
  for (Griglia* g : griglie_) {
    g->selezione_.clear();
    g->topRow_ = 0;
    g->Riposizionato();
  }
  Notifica(Prop::Griglia);
}

void DatiControllo::Refresh() {
  if (rs_) rs_->Requery();
  for (Griglia* g : griglie_) {
    g->selezione_.clear();
    g->topRow_ = 0;
    g->Riposizionato();
  }
  Notifica(Prop::Griglia);
}

void DatiControllo::Lega(Griglia* g) {
  if (std::find(griglie_.begin(), griglie_.end(), g) == griglie_.end()) griglie_.push_back(g);
}

void DatiControllo::Slega(Griglia* g) { griglie_.erase(std::remove(griglie_.begin(), griglie_.end(), g), griglie_.end()); }

void DatiControllo::Riposizionato() {
  Parent().Reposition(*this);
  for (Griglia* g : griglie_) g->Riposizionato();
}

// ------------------------------------------------------------ bound grid

Griglia::~Griglia() {
  if (dati_) dati_->Slega(this);
}

void Griglia::SetDataSource(DatiControllo* d) {
  if (dati_) dati_->Slega(this);
  dati_ = d;
  if (d) d->Lega(this);
  Riposizionato();
}

ColonnaGriglia& Griglia::Colonna(int i) {
  if (i < 0 || i >= NumColonne()) vb::Solleva(6148, "Indice di colonna non valido");
  return colonne_[static_cast<size_t>(i)];
}

ColonnaGriglia& Griglia::AggiungiColonna(const std::string& campo, const std::string& titolo) {
  ColonnaGriglia c;
  c.DataField = campo;
  c.Caption = titolo.empty() ? campo : titolo;
  colonne_.push_back(std::move(c));
  Notifica(Prop::Griglia);
  return colonne_.back();
}

void Griglia::ColonneDaCampi() {
  colonne_.clear();
  if (dati_ && dati_->Recordset()) {
    const dati::Recordset& rs = *dati_->Recordset();
    for (int i = 0; i < rs.NumCampi(); ++i) {
      ColonnaGriglia c;
      c.DataField = c.Caption = rs.Campo(i).nome;
      colonne_.push_back(std::move(c));
    }
  }
  Notifica(Prop::Griglia);
}

void Griglia::SetCol(int c) {
  if (c < 0 || c >= NumColonne()) vb::Solleva(6148, "Indice di colonna non valido");
  if (c == col_) return;
  const int prima = col_;
  col_ = c;
  Notifica(Prop::Selezione);
  Parent().RowColChange(*this, vb::Variant(Bookmark()), prima);
}

std::string Griglia::Bookmark() const {
  if (!dati_ || !dati_->Recordset() || dati_->Recordset()->NessunaCorrente()) return {};
  return dati_->Recordset()->Bookmark();
}

void Griglia::SetBookmark(const std::string& b) {
  if (!dati_ || !dati_->Recordset()) vb::Solleva(7007, "Nessuna origine dati");
  if (InModifica() && !SalvaRiga()) return;
  dati_->Recordset()->SetBookmark(b);
  dati_->Riposizionato();
}

long Griglia::NumRighe() const { return dati_ && dati_->Recordset() ? dati_->Recordset()->RigheNote() : 0; }

bool Griglia::FineNota() const { return !dati_ || !dati_->Recordset() || dati_->Recordset()->FineNota(); }

long Griglia::NumRigheEsatto() const { return dati_ && dati_->Recordset() ? dati_->Recordset()->RecordCount() : 0; }

long Griglia::LeggiAltre(long quante) {
  if (!dati_ || !dati_->Recordset()) return 0;
  dati::Recordset& rs = *dati_->Recordset();
  // No notice: the window that asks adds the rows itself, keeping its
  // place.
  return rs.LeggiFinoA(rs.RigheNote() + std::max(quante, 1L));
}

void Griglia::VaiARiga(long p) {
  if (!dati_ || !dati_->Recordset()) return;
  if (InModifica() && !SalvaRiga()) return;
  dati_->Recordset()->SetAbsolutePosition(p);
  dati_->Riposizionato();
}

int Griglia::Row() const {
  if (!dati_ || !dati_->Recordset() || dati_->Recordset()->NessunaCorrente()) return -1;
  return static_cast<int>(dati_->Recordset()->AbsolutePosition() - topRow_);
}

void Griglia::Scroll(long righe, long) {
  const long ultima = std::max(NumRighe() - 1, 0L);
  topRow_ = std::clamp(topRow_ + righe, 0L, ultima);
  Notifica(Prop::Selezione);
}

bool Griglia::CambiaSelezione(std::vector<std::string> segni) {
  if (segni == selezione_) return true;
  std::vector<std::string> prima = std::move(selezione_);
  selezione_ = std::move(segni);
  int annulla = 0;
  Parent().SelChange(*this, annulla);
  if (annulla) selezione_ = std::move(prima);
  Notifica(Prop::Selezione);
  return annulla == 0;
}

std::string Griglia::BookmarkDi(long p) {
  if (!dati_ || !dati_->Recordset()) return {};
  dati::Recordset& rs = *dati_->Recordset();
  if (rs.InModifica()) return rs.AbsolutePosition() == p ? rs.Bookmark() : std::string();
  const std::string segno = rs.NessunaCorrente() ? std::string() : rs.Bookmark();
  rs.SetAbsolutePosition(p);
  std::string b = rs.NessunaCorrente() ? std::string() : rs.Bookmark();
  if (!segno.empty()) rs.SetBookmark(segno);
  return b;
}

long Griglia::PosizioneDi(const std::string& s) {
  if (!dati_ || !dati_->Recordset() || s.empty()) return -1;
  dati::Recordset& rs = *dati_->Recordset();
  if (rs.InModifica()) return -1;
  const std::string segno = rs.NessunaCorrente() ? std::string() : rs.Bookmark();
  long p = -1;
  try {
    rs.SetBookmark(s);
    if (!rs.NessunaCorrente()) p = rs.AbsolutePosition();
  } catch (const vb::Errore&) {
  }
  if (!segno.empty()) rs.SetBookmark(segno);
  return p;
}

vb::Variant Griglia::ValoreCella(int col) const {
  const ColonnaGriglia& c = const_cast<Griglia*>(this)->Colonna(col);
  if (!dati_ || !dati_->Recordset() || (dati_->Recordset()->NessunaCorrente() && !dati_->Recordset()->InModifica()))
    return vb::Variant(vb::Null);
  return dati_->Recordset()->Leggi(c.DataField);
}

std::string Griglia::TestoCella(int col) const {
  vb::Variant v = ValoreCella(col);
  if (v.IsNull() || v.IsEmpty()) return {};
  const ColonnaGriglia& c = const_cast<Griglia*>(this)->Colonna(col);
  if (!c.NumberFormat.empty()) return vb::FunzioniComuni::Istanza().Formatta(v, c.NumberFormat);
  return v.ToString();
}

std::string Griglia::TestoCella(long riga, int col) {
  if (!dati_ || !dati_->Recordset()) return {};
  dati::Recordset& rs = *dati_->Recordset();
  if (rs.InModifica()) {
    // Moving off the row being edited would drop the pending change: a
    // window repainting the other rows gets nothing for them meanwhile.
    if (rs.AbsolutePosition() == riga) return TestoCella(col);
    return {};
  }
  const std::string segno = rs.NessunaCorrente() ? std::string() : rs.Bookmark();
  rs.SetAbsolutePosition(riga);
  std::string t = TestoCella(col);
  if (!segno.empty()) rs.SetBookmark(segno);
  return t;
}

bool Griglia::InModifica() const { return dati_ && dati_->Recordset() && dati_->Recordset()->InModifica(); }

bool Griglia::ScriviCella(int col, const vb::Variant& valore) {
  ColonnaGriglia& c = Colonna(col);
  if (!allowUpdate_ || c.Locked || Locked()) return false;
  dati::Recordset& rs = *dati_->Recordset();
  vb::Variant vecchio = ValoreCella(col);
  int annulla = 0;
  // A check may write other cells of the row meanwhile: each write puts
  // back the one it interrupted.
  const vb::Variant* const fuori = inScrittura_;
  const int colFuori = colScrittura_;
  inScrittura_ = &valore;
  colScrittura_ = col;
  try {
    Parent().BeforeColUpdate(*this, col, vecchio, annulla);
  } catch (...) {
    inScrittura_ = fuori;
    colScrittura_ = colFuori;
    throw;
  }
  inScrittura_ = fuori;
  colScrittura_ = colFuori;
  if (annulla) return false;
  if (!rs.InModifica()) rs.Edit();
  rs.Scrivi(c.DataField, valore);
  Notifica(Prop::Griglia);
  Parent().AfterColUpdate(*this, col);
  return true;
}

bool Griglia::SalvaRiga() {
  if (!InModifica()) return true;
  int annulla = 0;
  Parent().BeforeUpdate(*this, annulla);
  if (annulla) return false;
  dati_->Recordset()->Update();
  Notifica(Prop::Griglia);
  Parent().AfterUpdate(*this);
  return true;
}

void Griglia::Riposizionato() {
  const std::string ora = Bookmark();
  Notifica(Prop::Griglia);
  if (ora != ultimoSegnalibro_) {
    vb::Variant prima = ultimoSegnalibro_.empty() ? vb::Variant(vb::Null) : vb::Variant(ultimoSegnalibro_);
    ultimoSegnalibro_ = ora;
    if (Parent().Caricata()) Parent().RowColChange(*this, prima, col_);
  }
}

// ------------------------------------------------------------ flexible grid

void FlexGrid::Ridimensiona() {
  std::vector<std::string> nuove(static_cast<size_t>(righe_ * colonne_));
  const int vecchieColonne = static_cast<int>(larghezze_.size());
  const int vecchieRighe = vecchieColonne ? static_cast<int>(celle_.size()) / vecchieColonne : 0;
  for (int r = 0; r < std::min(righe_, vecchieRighe); ++r)
    for (int c = 0; c < std::min(colonne_, vecchieColonne); ++c)
      nuove[static_cast<size_t>(r * colonne_ + c)] = std::move(celle_[static_cast<size_t>(r * vecchieColonne + c)]);
  celle_ = std::move(nuove);
  larghezze_.resize(static_cast<size_t>(colonne_), 1000);
  riga_ = std::min(riga_, righe_ - 1);
  col_ = std::min(col_, colonne_ - 1);
  Notifica(Prop::Griglia);
}

void FlexGrid::SetRows(int n) {
  if (n < 0) vb::Solleva(30009, "Numero di righe non valido");
  righe_ = n;
  Ridimensiona();
}

void FlexGrid::SetCols(int n) {
  if (n < 0) vb::Solleva(30010, "Numero di colonne non valido");
  colonne_ = n;
  Ridimensiona();
}

void FlexGrid::SetRow(int r) {
  if (r < 0 || r >= righe_) vb::Solleva(30009, "Riga non valida");
  riga_ = r;
  Notifica(Prop::Selezione);
}

void FlexGrid::SetCol(int c) {
  if (c < 0 || c >= colonne_) vb::Solleva(30010, "Colonna non valida");
  col_ = c;
  Notifica(Prop::Selezione);
}

const std::string& FlexGrid::TextMatrix(int r, int c) const {
  if (r < 0 || r >= righe_ || c < 0 || c >= colonne_) vb::Solleva(381, "Indice di matrice non valido");
  return celle_[static_cast<size_t>(r * colonne_ + c)];
}

void FlexGrid::SetTextMatrix(int r, int c, const std::string& v) {
  if (r < 0 || r >= righe_ || c < 0 || c >= colonne_) vb::Solleva(381, "Indice di matrice non valido");
  celle_[static_cast<size_t>(r * colonne_ + c)] = v;
  Notifica(Prop::Griglia);
}

long FlexGrid::ColWidth(int c) const {
  if (c < 0 || c >= colonne_) vb::Solleva(381, "Indice di matrice non valido");
  return larghezze_[static_cast<size_t>(c)];
}

void FlexGrid::SetColWidth(int c, long w) {
  if (c < 0 || c >= colonne_) vb::Solleva(381, "Indice di matrice non valido");
  larghezze_[static_cast<size_t>(c)] = w;
  Notifica(Prop::Griglia);
}

}  // namespace ui

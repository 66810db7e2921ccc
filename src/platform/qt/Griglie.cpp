// The two grids: the bound grid as a table view over the records of its data
// control, the flexible grid as a table of plain cells.
#include <QAbstractTableModel>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <limits>
#include <map>
#include <set>
#include <vector>

#include "platform/dati/Recordset.h"
#include "platform/qt/Interno.h"
#include "platform/ui/Griglia.h"

namespace ui::qt {

namespace {

// ------------------------------------------------------------ bound grid

long PosCorrente(const Griglia& g) {
  const DatiControllo* d = g.DataSource();
  if (!d || !d->Recordset()) return -1;
  return d->Recordset()->AbsolutePosition();
}

// The records as the view reads them: every cell through the grid (its
// columns' formats), kept until the model says something changed. The view
// asks for the rows it shows, and the grid reads each by moving over the
// records.
class ModelloGriglia : public QAbstractTableModel {
 public:
  explicit ModelloGriglia(QTableView* vista) : QAbstractTableModel(vista), vista_(vista) {}

  Griglia* G() const { return dynamic_cast<Griglia*>(ControlloDi(vista_)); }

  int rowCount(const QModelIndex& p) const override { return p.isValid() ? 0 : righe_; }
  int columnCount(const QModelIndex& p) const override { return p.isValid() ? 0 : static_cast<int>(titoli_.size()); }

  // The view shows the records read so far and asks for more as the user
  // scrolls towards the last of them: a big table opens at once.
  bool canFetchMore(const QModelIndex& p) const override {
    Griglia* g = G();
    return !p.isValid() && g && !g->FineNota() && !g->InModifica();
  }
  void fetchMore(const QModelIndex& p) override {
    Griglia* g = G();
    if (p.isValid() || !g) return;
    long n = righe_;
    Protetto([&] { n = g->LeggiAltre(kRigheAllaVolta); });
    Aggiungi(static_cast<int>(std::min<long>(n, std::numeric_limits<int>::max())));
  }

  QVariant data(const QModelIndex& i, int ruolo) const override {
    if (!i.isValid()) return {};
    Griglia* g = G();
    if (!g || i.column() >= g->NumColonne()) return {};
    if (ruolo == Qt::TextAlignmentRole) {
      switch (g->Colonna(i.column()).Alignment) {
        case 1: return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        case 2: return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignVCenter));
        default: return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
      }
    }
    if (ruolo == Qt::BackgroundRole || ruolo == Qt::ForegroundRole) {
      if (!selezionate_.count(i.row())) return {};
      const QPalette p = vista_->palette();
      return ruolo == Qt::BackgroundRole ? QVariant(p.brush(QPalette::Highlight)) : QVariant(p.brush(QPalette::HighlightedText));
    }
    if (ruolo != Qt::DisplayRole && ruolo != Qt::EditRole) return {};
    Riga& r = cache_[i.row()];
    // While a row is being edited the others cannot be read (moving off the
    // row would drop the edit): they show what was read before.
    const bool leggibile = !g->InModifica() || PosCorrente(*g) == i.row();
    if (r.generazione != generazione_ && leggibile) {
      r.celle.clear();
      r.generazione = generazione_;
      Protetto([&] {
        for (int c = 0; c < g->NumColonne(); ++c) r.celle.push_back(Q(g->TestoCella(static_cast<long>(i.row()), c)));
      });
    }
    return static_cast<size_t>(i.column()) < r.celle.size() ? QVariant(r.celle[static_cast<size_t>(i.column())]) : QVariant();
  }

  QVariant headerData(int s, Qt::Orientation o, int ruolo) const override {
    if (o == Qt::Horizontal && ruolo == Qt::DisplayRole && s >= 0 && s < static_cast<int>(titoli_.size()))
      return titoli_[static_cast<size_t>(s)];
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& i) const override {
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    Griglia* g = G();
    if (g && i.isValid() && i.column() < g->NumColonne() && g->AllowUpdate() && !g->Locked() &&
        !g->Colonna(i.column()).Locked)
      f |= Qt::ItemIsEditable;
    return f;
  }

  // A cell typed into: to the grid, which writes the record (or refuses).
  bool setData(const QModelIndex& i, const QVariant& v, int ruolo) override {
    if (ruolo != Qt::EditRole || !i.isValid()) return false;
    Griglia* g = G();
    if (!g) return false;
    bool fatto = false;
    Protetto([&] {
      if (PosCorrente(*g) != i.row()) g->VaiARiga(i.row());
      if (PosCorrente(*g) != i.row()) return;
      if (g->Col() != i.column()) g->SetCol(i.column());
      fatto = g->ScriviCella(i.column(), vb::Variant(S(v.toString())));
    });
    return fatto;
  }

  // The rows selected in the grid (by bookmark) as the view's rows, painted
  // in the selection colours.
  void PrendiSelezione() {
    Griglia* g = G();
    std::set<int> ora;
    if (g)
      Protetto([&] {
        for (const std::string& b : g->SelBookmarks())
          if (const long p = g->PosizioneDi(b); p >= 0 && p < righe_) ora.insert(static_cast<int>(p));
      });
    if (ora == selezionate_) return;
    selezionate_ = std::move(ora);
    if (righe_ > 0 && !titoli_.empty())
      emit dataChanged(index(0, 0), index(righe_ - 1, static_cast<int>(titoli_.size()) - 1),
                       {Qt::BackgroundRole, Qt::ForegroundRole});
  }
  const std::set<int>& Selezionate() const { return selezionate_; }
  // The row a Shift click extends from.
  int ancora = -1;

  // The grid changed: a new shape reads everything again, otherwise only the
  // texts (while a row is being edited, the others are kept: they cannot be
  // read without dropping the edit).
  void Ricarica() {
    Griglia* g = G();
    const int righe = g ? static_cast<int>(std::min<long>(g->NumRighe(), std::numeric_limits<int>::max())) : 0;
    std::vector<QString> titoli;
    if (g)
      for (int c = 0; c < g->NumColonne(); ++c) titoli.push_back(Q(g->Colonna(c).Caption));
    ++generazione_;
    // More records read (a move further on, the end reached): they are
    // added, the view keeps its place.
    if (righe > righe_ && righe_ > 0 && titoli == titoli_) {
      if (!titoli_.empty()) emit dataChanged(index(0, 0), index(righe_ - 1, static_cast<int>(titoli_.size()) - 1));
      Aggiungi(righe);
      return;
    }
    if (righe != righe_ || titoli != titoli_) {
      beginResetModel();
      righe_ = righe;
      titoli_ = std::move(titoli);
      cache_.clear();
      endResetModel();
      return;
    }
    if (righe_ > 0 && !titoli_.empty())
      emit dataChanged(index(0, 0), index(righe_ - 1, static_cast<int>(titoli_.size()) - 1));
  }

 private:
  static constexpr long kRigheAllaVolta = 256;

  void Aggiungi(int righe) {
    if (righe <= righe_) return;
    beginInsertRows({}, righe_, righe - 1);
    righe_ = righe;
    endInsertRows();
  }

  QTableView* vista_;
  int righe_ = 0;
  std::vector<QString> titoli_;
  struct Riga {
    std::vector<QString> celle;
    unsigned generazione = 0;
  };
  // Texts read, by row; those of an older generation are read again.
  mutable std::map<int, Riga> cache_;
  unsigned generazione_ = 1;
  std::set<int> selezionate_;
};

// The keys held at the last press on the row selectors (Ctrl, Shift).
class FiltroSelettori : public QObject {
 public:
  using QObject::QObject;
  Qt::KeyboardModifiers tasti;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress) tasti = static_cast<QMouseEvent*>(e)->modifiers();
    return QObject::eventFilter(o, e);
  }
};

ModelloGriglia* ModelloDi(QTableView* v) { return static_cast<ModelloGriglia*>(v->model()); }

// The current cell of the view from the grid's record and column.
void MostraPosizione(Griglia& g, QTableView* v) {
  Specchio s;
  // the first row in view as the grid has it (a scroll asked by the program)
  if (QScrollBar* b = v->verticalScrollBar(); b && b->value() != g.TopRow() && g.TopRow() <= b->maximum())
    b->setValue(static_cast<int>(g.TopRow()));
  const long r = PosCorrente(g);
  ModelloGriglia* m = ModelloDi(v);
  if (r >= 0 && r < m->rowCount({}) && g.Col() < m->columnCount({})) {
    const QModelIndex i = m->index(static_cast<int>(r), g.Col());
    if (v->currentIndex() != i) v->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    v->scrollTo(i);
  } else {
    v->selectionModel()->clearCurrentIndex();
    v->clearSelection();
  }
}

QWidget* CreaGriglia(Controllo&, QWidget* p) {
  auto* v = new QTableView(p);
  v->setModel(new ModelloGriglia(v));
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                     QAbstractItemView::AnyKeyPressed);
  v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
  v->verticalHeader()->setFixedWidth(14);
  v->horizontalHeader()->setHighlightSections(false);
  v->setFocusPolicy(Qt::StrongFocus);
  // The user moved to another cell: the grid moves to that record and
  // column (it may refuse to leave a row being edited).
  QObject::connect(v->selectionModel(), &QItemSelectionModel::currentChanged, v,
                   [v](const QModelIndex& ora, const QModelIndex&) {
                     if (Specchio::Attivo() || !ora.isValid()) return;
                     Protetto([&] {
                       auto* g = dynamic_cast<Griglia*>(ControlloDi(v));
                       if (!g) return;
                       if (g->Attivo() && PrendiFuoco(*g)) {
                         if (PosCorrente(*g) != ora.row()) g->VaiARiga(ora.row());
                         if (PosCorrente(*g) == ora.row() && g->Col() != ora.column() && ora.column() < g->NumColonne())
                           g->SetCol(ora.column());
                       }
                       if (ControlloDi(v) == g) MostraPosizione(*g, v);
                     });
                   });
  // The row selectors select whole rows: a click the one row, Ctrl+click
  // adds or takes off a row, Shift+click the rows from the last clicked
  // one; the grid fires SelChange and may keep the rows it had.
  auto* filtro = new FiltroSelettori(v);
  v->verticalHeader()->viewport()->installEventFilter(filtro);
  QObject::connect(v->verticalHeader(), &QHeaderView::sectionClicked, v, [v, filtro](int riga) {
    Protetto([&] {
      auto* g = dynamic_cast<Griglia*>(ControlloDi(v));
      if (!g || !g->Attivo() || g->InModifica()) return;
      ModelloGriglia* m = ModelloDi(v);
      const Qt::KeyboardModifiers mod = filtro->tasti | QGuiApplication::keyboardModifiers();
      std::set<int> righe;
      if (mod & Qt::ShiftModifier && m->ancora >= 0) {
        for (int r = std::min(m->ancora, riga); r <= std::max(m->ancora, riga); ++r) righe.insert(r);
      } else if (mod & Qt::ControlModifier) {
        righe = m->Selezionate();
        if (!righe.erase(riga)) righe.insert(riga);
        m->ancora = riga;
      } else {
        righe.insert(riga);
        m->ancora = riga;
      }
      std::vector<std::string> segni;
      for (int r : righe)
        if (std::string b = g->BookmarkDi(r); !b.empty()) segni.push_back(std::move(b));
      g->CambiaSelezione(std::move(segni));
      if (ControlloDi(v) == g) m->PrendiSelezione();
    });
  });
  // The user scrolled: the grid knows its first row in view.
  QObject::connect(v->verticalScrollBar(), &QScrollBar::valueChanged, v, [v](int valore) {
    if (Specchio::Attivo()) return;
    if (auto* g = dynamic_cast<Griglia*>(ControlloDi(v))) g->SegnaTopRow(valore);
  });
  // A click on a cell leaves the selected rows.
  QObject::connect(v, &QAbstractItemView::pressed, v, [v](const QModelIndex&) {
    Protetto([&] {
      auto* g = dynamic_cast<Griglia*>(ControlloDi(v));
      if (g && !g->SelBookmarks().empty()) g->CambiaSelezione({});
      if (ControlloDi(v) == g) ModelloDi(v)->PrendiSelezione();
    });
  });
  return v;
}

void AggiornaGriglia(Controllo& c, QWidget* w, Prop p) {
  auto* v = static_cast<QTableView*>(w);
  auto* g = dynamic_cast<Griglia*>(&c);
  if (!g) return;
  switch (p) {
    case Prop::Griglia: {
      ModelloDi(v)->Ricarica();
      for (int i = 0; i < g->NumColonne(); ++i) {
        const ColonnaGriglia& col = g->Colonna(i);
        v->setColumnHidden(i, !col.Visible);
        if (v->columnWidth(i) != PxX(col.Width)) v->setColumnWidth(i, PxX(col.Width));
      }
      ModelloDi(v)->PrendiSelezione();
      MostraPosizione(*g, v);
      break;
    }
    case Prop::Selezione:
      ModelloDi(v)->PrendiSelezione();
      MostraPosizione(*g, v);
      break;
    case Prop::Locked: v->viewport()->update(); break;
    case Prop::Font: v->horizontalHeader()->setFont(FontQt(g->HeadFont())); break;
    default: break;
  }
}

bool TastoGriglia(Controllo&, QWidget*, QKeyEvent*) { return true; }

// ------------------------------------------------------------ flexible grid

void MostraCella(const FlexGrid& f, QTableWidget* t) {
  if (f.Row() < t->rowCount() && f.Col() < t->columnCount() && (t->currentRow() != f.Row() || t->currentColumn() != f.Col()))
    t->setCurrentCell(f.Row(), f.Col());
}

void RiempiFlex(const FlexGrid& f, QTableWidget* t) {
  if (t->rowCount() != f.Rows()) t->setRowCount(f.Rows());
  if (t->columnCount() != f.Cols()) t->setColumnCount(f.Cols());
  const QBrush fisse = t->palette().brush(QPalette::Button);
  for (int r = 0; r < f.Rows(); ++r) {
    for (int c = 0; c < f.Cols(); ++c) {
      const QString testo = Q(f.TextMatrix(r, c));
      QTableWidgetItem* it = t->item(r, c);
      const bool fissa = r < f.FixedRows() || c < f.FixedCols();
      if (!it) {
        it = new QTableWidgetItem(testo);
        t->setItem(r, c, it);
      } else if (it->text() != testo) {
        it->setText(testo);
      }
      const Qt::ItemFlags flag = fissa ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (it->flags() != flag) {
        it->setFlags(flag);
        if (fissa) it->setBackground(fisse);
        else it->setBackground(QBrush());
      }
    }
  }
  for (int c = 0; c < f.Cols(); ++c)
    if (t->columnWidth(c) != PxX(f.ColWidth(c))) t->setColumnWidth(c, PxX(f.ColWidth(c)));
  MostraCella(f, t);
}

QWidget* CreaFlex(Controllo&, QWidget* p) {
  auto* t = new QTableWidget(p);
  t->horizontalHeader()->hide();
  t->verticalHeader()->hide();
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(t, &QTableWidget::currentCellChanged, t, [t](int r, int c, int rPrima, int cPrima) {
    if (Specchio::Attivo() || r < 0 || c < 0) return;
    Protetto([&] {
      auto* f = dynamic_cast<FlexGrid*>(ControlloDi(t));
      if (!f) return;
      if (f->Attivo() && PrendiFuoco(*f) && r < f->Rows() && c < f->Cols()) {
        f->SetRow(r);
        f->SetCol(c);
        f->Parent().RowColChange(*f, vb::Variant(rPrima), cPrima);
      }
      if (ControlloDi(t) == f) {
        Specchio s;
        MostraCella(*f, t);
      }
    });
  });
  return t;
}

void AggiornaFlex(Controllo& c, QWidget* w, Prop p) {
  auto* f = dynamic_cast<FlexGrid*>(&c);
  if (!f) return;
  auto* t = static_cast<QTableWidget*>(w);
  if (p == Prop::Griglia) RiempiFlex(*f, t);
  if (p == Prop::Selezione) MostraCella(*f, t);
}

}  // namespace

const Genere& GenereGriglia() {
  static const Genere g = [] {
    Genere x;
    x.crea = CreaGriglia;
    x.aggiorna = AggiornaGriglia;
    x.tasto = TastoGriglia;
    x.sfondo = QPalette::Base;
    x.primoPiano = QPalette::Text;
    x.clic = true;
    return x;
  }();
  return g;
}

const Genere& GenereFlexGrid() {
  static const Genere g = [] {
    Genere x;
    x.crea = CreaFlex;
    x.aggiorna = AggiornaFlex;
    x.tasto = TastoGriglia;
    x.sfondo = QPalette::Base;
    x.primoPiano = QPalette::Text;
    x.clic = true;
    return x;
  }();
  return g;
}

}  // namespace ui::qt

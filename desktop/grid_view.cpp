#include "desktop/grid_view.h"

#include "desktop/frozen_panes.h"
#include "desktop/grid_model.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <vector>
#include <optional>

namespace plumetra::qt {

namespace {

constexpr int DefaultColumnPixels = 80;
// Columns without a width of their own fit their texts within these bounds.
constexpr int MinFitPixels = 40, MaxFitPixels = 220, FitPadding = 14, FitSampleRows = 60;

// Control-key commands of the grids: A and keypad 1 copy all, C copies the selection,
// V and F1 paste, X cuts (copies, then clears); keypad + and - change the font size.
std::optional<GridKey> controlKey(const QKeyEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return std::nullopt;
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_A: return GridKey::CopyAll;
    case Qt::Key_1: return keypad ? std::optional(GridKey::CopyAll) : std::nullopt;
    case Qt::Key_End: return keypad ? std::optional(GridKey::CopyAll) : std::nullopt;  // keypad 1 without NumLock
    case Qt::Key_C: return GridKey::CopyHighlighted;
    case Qt::Key_V:
    case Qt::Key_F1: return GridKey::Paste;
    case Qt::Key_X: return GridKey::Cut;
    case Qt::Key_Plus: return keypad ? std::optional(GridKey::FontUp) : std::nullopt;
    case Qt::Key_Minus: return keypad ? std::optional(GridKey::FontDown) : std::nullopt;
    default: return std::nullopt;
  }
}

}  // namespace

GridView::GridView(Grid& grid, QWidget* parent) : QTableView(parent), model_(new GridModel(grid, this)) {
  setModel(model_);
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setDefaultSectionSize(DefaultColumnPixels);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  model_->setFont(font());
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { selectionToGrid(); });
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { selectionToGrid(); });
  const auto clicked = [this](const QModelIndex& index) { emit cellClicked(index.row(), index.column()); };
  connect(this, &QTableView::clicked, this, clicked);
  frozen_ = new FrozenPanes(this);
  for (QTableView* pane : frozen_->panes()) {
    connect(pane, &QTableView::clicked, this, clicked);
    pane->viewport()->installEventFilter(this);
  }
}

void GridView::setFrozen(int rows, int cols) { frozen_->setFrozen(rows, cols); }

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index, hint);
  if (!index.isValid() || !frozen_) return;
  const QSize covered = frozen_->covered();
  const QRect cell = visualRect(index);
  if (index.column() >= frozen_->frozenCols() && cell.left() < covered.width())
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + cell.left() - covered.width());
  if (index.row() >= frozen_->frozenRows() && cell.top() < covered.height())
    verticalScrollBar()->setValue(verticalScrollBar()->value() + cell.top() - covered.height());
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  for (QTableView* pane : frozen_->panes()) {
    if (watched != pane->viewport()) continue;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonRelease) {
      emit activated();
      if (mouse->button() == Qt::RightButton) emit popupRequested(mouse->globalPosition().toPoint());
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      doubleClicked(pane->indexAt(mouse->position().toPoint()));
      return true;
    }
  }
  return QTableView::eventFilter(watched, event);
}

Grid& GridView::grid() { return model_->grid(); }

void GridView::setPointSize(int points) {
  if (points <= 0) return;
  QFont f = font();
  if (f.pointSize() == points) return;
  f.setPointSize(points);
  setFont(f);
  model_->setFont(f);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
  frozen_->update();
}

int GridView::fittedWidth(int col) const {
  const Grid& g = model_->grid();
  const QFontMetrics plain(font());
  QFont boldFont = font();
  boldFont.setBold(true);
  const QFontMetrics bold(boldFont);
  int widest = 0;
  for (int r = 0; r < std::min(g.rows(), FitSampleRows); ++r) {
    const QString text = QString::fromStdString(g.text(r, col));
    widest = std::max(widest, (r < g.fixedRows() ? bold : plain).horizontalAdvance(text));
  }
  return std::clamp(widest + FitPadding, MinFitPixels, MaxFitPixels);
}

void GridView::refresh() {
  const bool reset = model_->refresh() || !shownOnce_;
  shownOnce_ = true;
  const Grid& g = model_->grid();
  for (int c = 0; c < g.cols(); ++c) {
    // The grid's own width is the least a column gets; texts that need more get more.
    int pixels = columnWidth(c);
    if (reset) pixels = std::max(g.colWidth(c) / TwipsPerPixel, fittedWidth(c));
    else if (g.colWidth(c) > 0) pixels = std::max(pixels, g.colWidth(c) / TwipsPerPixel);
    if (columnWidth(c) != pixels) setColumnWidth(c, pixels);
  }
  if (reset) gridToSelection();
  hideRowsOutOfSight();
  frozen_->update();
}

void GridView::setRowsOutOfSight(int first, int last) {
  firstOutOfSight_ = first;
  lastOutOfSight_ = last;
  hideRowsOutOfSight();
  frozen_->update();
}

void GridView::hideRowsOutOfSight() {
  std::vector<QTableView*> views{this};
  views.insert(views.end(), frozen_->panes().begin(), frozen_->panes().end());
  for (QTableView* view : views)
    for (int r = 0; r < model_->rowCount(); ++r) {
      const bool hidden = r >= firstOutOfSight_ && r <= lastOutOfSight_;
      if (view->isRowHidden(r) != hidden) view->setRowHidden(r, hidden);
    }
}

void GridView::reload() {
  model_->reload();
  shownOnce_ = false;
  refresh();
}

void GridView::selectionToGrid() {
  if (applyingGrid_) return;
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  // The selection is one block (contiguous selection), which Qt may hold in pieces: its
  // bounding box, with the current cell as one corner.
  int top = current.row(), bottom = top, left = current.column(), right = left;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    top = std::min(top, range.top());
    bottom = std::max(bottom, range.bottom());
    left = std::min(left, range.left());
    right = std::max(right, range.right());
  }
  const int row2 = current.row() == top ? bottom : top;
  const int col2 = current.column() == left ? right : left;
  model_->selectFromView({current.row(), current.column(), row2, col2});
}

void GridView::gridToSelection() {
  const Grid& g = model_->grid();
  if (g.rows() == 0 || g.cols() == 0) return;
  applyingGrid_ = true;
  const CellRange s = g.selection();
  const QModelIndex current = model_->index(g.row(), g.col());
  selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
  selectionModel()->select(QItemSelection(model_->index(s.row1, s.col1), model_->index(s.row2, s.col2)),
                           QItemSelectionModel::ClearAndSelect);
  applyingGrid_ = false;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  emit activated();
  if (const std::optional<GridKey> key = controlKey(event)) {
    emit keyCommand(*key);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  emit activated();
  if (event->button() == Qt::RightButton) emit popupRequested(event->globalPosition().toPoint());
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  doubleClicked(indexAt(event->position().toPoint()));
  event->accept();
}

void GridView::doubleClicked(const QModelIndex& index) {
  if (!index.isValid()) return;
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  // Headings are matched; data cells are edited, as in any spreadsheet.
  if (index.row() < std::max(model_->grid().fixedRows(), 1))
    emit cellDoubleClicked(index.row(), index.column());
  else
    edit(index);
}

}  // namespace plumetra::qt

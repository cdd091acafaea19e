#include "desktop/grid_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

namespace plumetra::qt {

GridModel::GridModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRevision_(grid.revision()) {
  headingFont_.setBold(true);
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown().rows(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown().cols(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const Grid& grid = shown();
  const int r = index.row(), c = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(grid.text(r, c));
    case Qt::BackgroundRole: {
      const bool fixed = r < grid.fixedRows() || c < grid.fixedCols();
      const Rgb bg = grid.background(r, c);
      if (!fixed && bg == colours::Window) return {};
      const Rgb colour = (fixed && bg == colours::Window) ? colours::ButtonFace : bg;
      return QBrush(QColor(colour.red, colour.green, colour.blue));
    }
    case Qt::FontRole: {
      if (r >= grid.fixedRows()) return {};
      return headingFont_;
    }
    case Qt::ToolTipRole:
      return grid.toolTip().empty() ? QVariant{} : QVariant(QString::fromStdString(grid.toolTip()));
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || frozen_) return false;
  const std::string before = grid_.text(index.row(), index.column());
  const std::string after = value.toString().toStdString();
  if (after == before) return false;
  grid_.setText(index.row(), index.column(), after);
  shownRevision_ = grid_.revision();
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit edited(index.row(), index.column(), before);
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::freeze() { frozen_ = grid_; }

void GridModel::thaw() { frozen_.reset(); }

void GridModel::setFont(const QFont& font) {
  headingFont_ = font;
  headingFont_.setBold(true);
  if (shown().rows() > 0 && shown().cols() > 0 && shown().fixedRows() > 0)
    emit dataChanged(index(0, 0), index(std::min(shown().fixedRows(), shown().rows()) - 1, shown().cols() - 1),
                     {Qt::FontRole});
}

bool GridModel::refresh() {
  if (frozen_ || grid_.revision() == shownRevision_) return false;
  beginResetModel();
  shownRevision_ = grid_.revision();
  endResetModel();
  return true;
}

void GridModel::reload() {
  if (frozen_) return;
  beginResetModel();
  shownRevision_ = grid_.revision();
  endResetModel();
}

void GridModel::selectFromView(const CellRange& range) {
  if (frozen_) return;
  const bool unchanged = grid_.revision() == shownRevision_;
  grid_.select(range);
  if (unchanged) shownRevision_ = grid_.revision();
}

}  // namespace plumetra::qt

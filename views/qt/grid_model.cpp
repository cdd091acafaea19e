#include "views/qt/grid_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

namespace plumetra::qt {

GridModel::GridModel(Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), shownRevision_(grid.revision()) {
  headingFont_.setBold(true);
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.rows(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.cols(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int r = index.row(), c = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(grid_.text(r, c));
    case Qt::BackgroundRole: {
      const bool fixed = r < grid_.fixedRows() || c < grid_.fixedCols();
      const Rgb bg = grid_.background(r, c);
      if (!fixed && bg == colours::Window) return {};
      const Rgb shown = (fixed && bg == colours::Window) ? colours::ButtonFace : bg;
      return QBrush(QColor(shown.red, shown.green, shown.blue));
    }
    case Qt::FontRole: {
      if (r >= grid_.fixedRows()) return {};
      return headingFont_;
    }
    case Qt::ToolTipRole:
      return grid_.toolTip().empty() ? QVariant{} : QVariant(QString::fromStdString(grid_.toolTip()));
    default:
      return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  grid_.setText(index.row(), index.column(), value.toString().toStdString());
  shownRevision_ = grid_.revision();
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void GridModel::setFont(const QFont& font) {
  headingFont_ = font;
  headingFont_.setBold(true);
  if (grid_.rows() > 0 && grid_.cols() > 0 && grid_.fixedRows() > 0)
    emit dataChanged(index(0, 0), index(std::min(grid_.fixedRows(), grid_.rows()) - 1, grid_.cols() - 1),
                     {Qt::FontRole});
}

bool GridModel::refresh() {
  if (grid_.revision() == shownRevision_) return false;
  beginResetModel();
  shownRevision_ = grid_.revision();
  endResetModel();
  return true;
}

void GridModel::selectFromView(const CellRange& range) {
  const bool unchanged = grid_.revision() == shownRevision_;
  grid_.select(range);
  if (unchanged) shownRevision_ = grid_.revision();
}

}  // namespace plumetra::qt

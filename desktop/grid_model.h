#pragma once
// A QAbstractTableModel over a core Grid: the view shows the grid's texts and colours and
// forwards edits; the core Grid stays the only owner of the data.

#include "controls/grid.h"

#include <QAbstractTableModel>
#include <QFont>

#include <optional>
#include <string>

namespace plumetra::qt {

class GridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(Grid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Call after the core changed the grid; resets the view when the grid's revision moved.
  // Returns whether it did.
  bool refresh();
  // Shows the grid afresh whatever its revision (a grid put back from a snapshot).
  void reload();
  // The view's current cell and selection, handed to the grid without resetting the view.
  void selectFromView(const CellRange& range);
  Grid& grid() { return grid_; }
  // While a command runs on a worker thread and may change the grid, the view shows a copy
  // taken before it started and takes no edits; thaw() shows the grid again.
  void freeze();
  void thaw();
  // The view's font: the heading rows show it in bold.
  void setFont(const QFont& font);

 signals:
  // The user typed a cell's new text; `before` is what it held.
  void edited(int row, int col, const std::string& before);

 private:
  const Grid& shown() const { return frozen_ ? *frozen_ : grid_; }

  Grid& grid_;
  std::optional<Grid> frozen_;
  unsigned long shownRevision_;
  QFont headingFont_;
};

}  // namespace plumetra::qt

#pragma once
// Keeps a table's heading rows and first columns in view while it scrolls: three more views
// over the same model and selection (heading rows, first columns, and their corner) lie over
// the table's edges and follow its scrolling, column widths, row heights and font.

#include <QObject>
#include <QSize>

#include <array>

class QTableView;

namespace plumetra::qt {

class FrozenPanes final : public QObject {
  Q_OBJECT
 public:
  explicit FrozenPanes(QTableView* table);

  void setFrozen(int rows, int cols);
  int frozenRows() const { return rows_; }
  int frozenCols() const { return cols_; }
  // The width of the first columns and the height of the heading rows as they lie over the
  // table's viewport: a cell of the scrolled part there is hidden.
  QSize covered() const { return covered_; }
  // The heading-row view, the first-column view and their corner (for the table's mouse handling).
  const std::array<QTableView*, 3>& panes() const { return panes_; }
  // After the table's font, column widths or row heights changed.
  void update();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* table_;
  std::array<QTableView*, 3> panes_{};  // top rows, left columns, corner
  int rows_ = 0, cols_ = 0;
  QSize covered_;
};

}  // namespace plumetra::qt

#pragma once
// A table view over one core Grid, with the grid keys and mouse of the program's grids:
// key presses and mouse releases make it the active grid, the right button asks for the
// popup menu, and the control-key commands are handed out as GridKey values. The view's
// current cell and selection are kept in the core Grid.

#include "controls/grid.h"

#include <QTableView>

namespace plumetra::qt {

// Widths are kept in twips, as the core grids hold them; 15 twips make a pixel at 96 dpi.
inline constexpr int TwipsPerPixel = 15;

class FrozenPanes;
class GridModel;

enum class GridKey { CopyAll, CopyHighlighted, Paste, Cut, Clear, FontUp, FontDown };

class GridView final : public QTableView {
  Q_OBJECT
 public:
  explicit GridView(Grid& grid, QWidget* parent = nullptr);

  Grid& grid();
  GridModel* gridModel() const { return model_; }
  // Shows the grid's content, column widths and selection after the core changed them.
  void refresh();
  // The same whatever the grid's revision (a grid put back from a snapshot).
  void reload();
  void setPointSize(int points);
  // The heading rows and first columns that stay in view while the grid scrolls.
  void setFrozen(int rows, int cols);
  // Rows first..last out of sight (none when first > last), kept so across refreshes.
  void setRowsOutOfSight(int first, int last);
  FrozenPanes* frozenPanes() const { return frozen_; }
  // Scrolls a cell into view, and out from under the frozen headings and first columns.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 signals:
  void activated();  // a key press or mouse release on the grid
  void keyCommand(plumetra::qt::GridKey key);
  void popupRequested(const QPoint& globalPos);
  void cellClicked(int row, int col);
  // A double-click on a heading row (a double-click on a data cell edits it).
  void cellDoubleClicked(int row, int col);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  // Mouse releases and double-clicks on the frozen panes count as on the grid.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int fittedWidth(int col) const;
  void selectionToGrid();
  void gridToSelection();
  void doubleClicked(const QModelIndex& index);
  void hideRowsOutOfSight();

  GridModel* model_;
  FrozenPanes* frozen_ = nullptr;  // made after the view, which may scroll before it
  bool applyingGrid_ = false;
  int firstOutOfSight_ = 1, lastOutOfSight_ = 0;
  bool shownOnce_ = false;
};

}  // namespace plumetra::qt

#pragma once
// The frame of the secondary windows that show one core Grid: a text above the grid, rows
// of controls, the grid itself with the copy keys (Ctrl+A all, Ctrl+C the selection) and a
// menu bar. The windows close with the main window and free themselves when closed.

#include "controls/clipboard.h"
#include "controls/grid.h"
#include "desktop/grid_view.h"

#include <QDialog>

#include <memory>

class QLabel;
class QMenuBar;
class QVBoxLayout;

namespace plumetra::qt {

class GridWindow : public QDialog {
  Q_OBJECT
 public:
  // `grid` null: the window shows a grid of its own (ownGrid()).
  GridWindow(const QString& caption, Grid* grid, Clipboard& clipboard, QWidget* parent);
  ~GridWindow() override;

  GridView* view() const { return view_; }
  QLabel* label() const { return label_; }
  QMenuBar* menus() const { return menus_; }
  // Adds a row of controls between the text and the grid.
  void addControls(std::initializer_list<QWidget*> widgets);
  // Shows the grid's current content.
  virtual void refresh();

 protected:
  // "Copy All" and "Copy Highlighted Cells" of the window's grid.
  void copyAll();
  void copyHighlighted();
  Clipboard& clipboard() { return clipboard_; }
  Grid& ownGrid() { return *ownGrid_; }

 private:
  Clipboard& clipboard_;
  std::unique_ptr<Grid> ownGrid_;
  GridView* view_;
  QLabel* label_;
  QMenuBar* menus_;
  QVBoxLayout* layout_;
};

}  // namespace plumetra::qt

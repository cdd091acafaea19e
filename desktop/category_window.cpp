#include "desktop/category_window.h"

#include "analysis/categories.h"
#include "desktop/control_binding.h"
#include "files/save_grids.h"

#include <QComboBox>
#include <QPushButton>

namespace plumetra::qt {

namespace {
constexpr char TValueCaption[] = "T-values between Categories";
}

TValueWindowView::TValueWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QString::fromUtf8(TValueCaption), &state.analysis.tValueWindow.tValues, clipboard, parent),
      state_(state),
      dialogs_(dialogs) {
  AnalysisState& st = state.analysis;
  loadTValueWindow(st.categoryWindow, static_cast<int>(st.categories.size()), st.tValueWindow);
  variables_ = new QComboBox(this);
  variables_->setMinimumWidth(220);
  connect(variables_, &QComboBox::activated, this, [this](int index) {
    state_.analysis.tValueWindow.variable.choose(index);
    calculate();
  });
  auto* calc = new QPushButton(QStringLiteral("Calculate"), this);
  calc->setToolTip(QStringLiteral("Works out the t-values between the categories for the chosen variable"));
  connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
  addControls({variables_, calc});
  refresh();
}

void TValueWindowView::calculate() {
  AnalysisState& st = state_.analysis;
  calculateTValues(st.tValueWindow, st.categoryWindow, st.categories, dialogs_);
  refresh();
}

void TValueWindowView::refresh() {
  showCombo(variables_, state_.analysis.tValueWindow.variable);
  GridWindow::refresh();
}

CategoryWindowView::CategoryWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(q(state.analysis.categoryWindow.caption), &state.analysis.categoryWindow.averages, clipboard, parent),
      state_(state),
      dialogs_(dialogs) {
  auto* copy = new QPushButton(QStringLiteral("Copy All"), this);
  copy->setToolTip(QStringLiteral("Copies the whole table, to paste into a spreadsheet"));
  connect(copy, &QPushButton::clicked, this, [this] { copyAll(); });
  auto* save = new QPushButton(QStringLiteral("Save to Excel"), this);
  save->setToolTip(QStringLiteral("Saves the table as a workbook"));
  connect(save, &QPushButton::clicked, this, [this] {
    saveGridToExcel(state_.analysis.categoryWindow.averages, state_.workspace.lastDir, dialogs_);
  });
  auto* tvalues = new QPushButton(QStringLiteral("Show T-values"), this);
  tvalues->setToolTip(QStringLiteral("Opens the t-values of the differences between the categories"));
  connect(tvalues, &QPushButton::clicked, this, [this] { showTValues(); });
  addControls({copy, save, tvalues});
  connect(view(), &GridView::cellDoubleClicked, this, [this] { showTValues(); });
  refresh();
}

void CategoryWindowView::showTValues() {
  auto* tval = new TValueWindowView(state_, dialogs_, clipboard(), this);
  tval->show();
}

void CategoryWindowView::refresh() {
  setWindowTitle(q(state_.analysis.categoryWindow.caption));
  GridWindow::refresh();
}

}  // namespace plumetra::qt

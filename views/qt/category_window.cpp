#include "views/qt/category_window.h"

#include "analysis/categories.h"
#include "views/qt/control_binding.h"
#include "views/save_grids.h"

#include <QComboBox>
#include <QPushButton>

namespace plumetra::qt {

namespace {
constexpr char TValueCaption[] = "T-values between Categories";
}

TValueWindowView::TValueWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(QString::fromUtf8(TValueCaption), &state.analysis.frmTval.GridTVal, clipboard, parent),
      state_(state),
      dialogs_(dialogs) {
  AnalysisState& st = state.analysis;
  loadTValueWindow(st.frmSort, static_cast<int>(st.Categories.size()), st.frmTval);
  variables_ = new QComboBox(this);
  variables_->setMinimumWidth(220);
  connect(variables_, &QComboBox::activated, this, [this](int index) {
    state_.analysis.frmTval.Combo2.choose(index);
    calculate();
  });
  auto* calc = new QPushButton(QStringLiteral("Calculate"), this);
  connect(calc, &QPushButton::clicked, this, [this] { calculate(); });
  addControls({variables_, calc});
  refresh();
}

void TValueWindowView::calculate() {
  AnalysisState& st = state_.analysis;
  calculateTValues(st.frmTval, st.frmSort, st.Categories, dialogs_);
  refresh();
}

void TValueWindowView::refresh() {
  showCombo(variables_, state_.analysis.frmTval.Combo2);
  GridWindow::refresh();
}

CategoryWindowView::CategoryWindowView(AppState& state, Dialogs& dialogs, Clipboard& clipboard, QWidget* parent)
    : GridWindow(q(state.analysis.frmSort.caption), &state.analysis.frmSort.Grid2, clipboard, parent),
      state_(state),
      dialogs_(dialogs) {
  auto* copy = new QPushButton(QStringLiteral("Copy All"), this);
  connect(copy, &QPushButton::clicked, this, [this] { copyAll(); });
  auto* save = new QPushButton(QStringLiteral("Save to Excel"), this);
  connect(save, &QPushButton::clicked, this, [this] {
    SaveToExcel(state_.analysis.frmSort.Grid2, state_.workspace.LastDir, dialogs_);
  });
  auto* tvalues = new QPushButton(QStringLiteral("Show T-values"), this);
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
  setWindowTitle(q(state_.analysis.frmSort.caption));
  GridWindow::refresh();
}

}  // namespace plumetra::qt

#pragma once
// "League": the farms ranked by adjusted FCR, a dot-and-interval chart over the table.

#include "analysis/league_table.h"
#include "controls/clipboard.h"
#include "state/app_state.h"

#include <QDialog>

class QChart;

namespace plumetra::qt {

class LeagueWindow final : public QDialog {
  Q_OBJECT
 public:
  LeagueWindow(const AppState& state, Clipboard& clipboard, QWidget* parent);
  const LeagueTable& league() const { return league_; }
  QChart* chart() const { return chart_; }

 private:
  LeagueTable league_;
  Grid grid_;
  QChart* chart_;
};

}  // namespace plumetra::qt

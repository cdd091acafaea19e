#include "analysis/analysis_legend.h"

#include "analysis/analysis_colours.h"

#include <array>
#include <utility>

namespace plumetra {

namespace ac = analysis_colours;

Grid analysisLegend() {
  static const std::array<std::pair<Rgb, const char*>, 8> meanings{{
      {ac::FirstGroup, "Low group: the lowest values of the sort (by feed conversion, the best flocks; "
                       "stored as Top)"},
      {ac::MiddleGroup, "Middle group"},
      {ac::LastGroup, "High group: the highest values of the sort (stored as Bottom)"},
      {ac::AllFlocks, "All flocks"},
      {ac::Significant05, "t value beyond the 0.05 critical value: the groups differ (p < 0.05)"},
      {ac::Significant10, "t value beyond the 0.10 critical value: the groups probably differ (p < 0.1)"},
      {colours::ButtonFace, "t value within the critical values: no difference shown"},
      {ac::TextHeading, "Heading of a text column (not averaged)"},
  }};
  Grid legend(static_cast<int>(meanings.size()) + 2, 2);
  legend.setText(0, 0, "Colour");
  legend.setText(0, 1, "Meaning");
  legend.setColWidth(0, 1200);
  legend.setColWidth(1, 9000);
  for (std::size_t i = 0; i < meanings.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    legend.setBackground(row, 0, meanings[i].first);
    legend.setText(row, 1, meanings[i].second);
  }
  legend.setText(static_cast<int>(meanings.size()) + 1, 1,
                 "Rows 19-21 compare the groups pairwise; the captions give the critical values at 0.10 / 0.05.");
  return legend;
}

}  // namespace plumetra

#pragma once
// A small analysis tab for the tests: an analysis grid with the statistics rows on top and
// flock rows from row 22, the controls the sorts read, numeric/text column flags and scripted dialogs.

#include "analysis/analysis_view.h"
#include "controls/number_format.h"
#include "controls/scripted_dialogs.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plumetra::test {

struct TabFixture {
  Grid anal;
  Grid flock;
  Combo firstSort, secondSort;
  std::array<std::int16_t, 101> nonNumeric{};
  AnalysisState state;
  SplitColumns columns;
  ScriptedDialogs dialogs;
  CategoryWindow window;

  // headings for columns 0..n-1; each flock row gives cells for those columns.
  TabFixture(const std::vector<std::string>& headings, const std::vector<std::vector<std::string>>& flocks) {
    const int cols = static_cast<int>(headings.size());
    anal.resize(FirstFlockRow + static_cast<int>(flocks.size()), cols);
    flock.resize(static_cast<int>(flocks.size()) + 1, cols);
    for (int c = 0; c < cols; ++c) {
      const std::string& h = headings[static_cast<std::size_t>(c)];
      anal.setText(0, c, h);
      flock.setText(0, c, h);
      firstSort.add(h);
      secondSort.add(h);
    }
    for (std::size_t r = 0; r < flocks.size(); ++r)
      for (std::size_t c = 0; c < flocks[r].size(); ++c) {
        anal.setText(FirstFlockRow + static_cast<int>(r), static_cast<int>(c), flocks[r][c]);
        flock.setText(static_cast<int>(r) + 1, static_cast<int>(c), flocks[r][c]);
      }
    state.splitFlockCount = static_cast<int>(flocks.size());
    state.splitCounted = true;
    nonNumeric[0] = -1;  // column 0 holds the farm names
    numberRows();
  }

  // What a run keeps of the grid it wrote: flock r in row r + 21, with the numbers its cells
  // hold. A test that changes cells afterwards calls it again.
  void numberRows() {
    ColumnNumbers numbers(anal.rows() - FirstFlockRow);
    for (int flock = 1; flock <= numbers.flocks(); ++flock)
      for (int c = 0; c < anal.cols(); ++c)
        if (const std::string& t = anal.text(LastStatisticsRow + flock, c); readsAsNumber(t))
          numbers.set(c, flock, readNumber(t));
    state.flockRows = FlockRows(std::move(numbers));
  }

  void markText(int col) { nonNumeric[static_cast<std::size_t>(col)] = -1; }

  AnalysisView tab() {
    return AnalysisView{anal, flock, firstSort, secondSort, nonNumeric, columns, state};
  }
};

}  // namespace plumetra::test

#include "analysis/correlations.h"

#include "analysis/analysis_colours.h"
#include "files/free_format.h"
#include "controls/number_format.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace plumetra {

namespace {

namespace ac = analysis_colours;

constexpr double StrongBand = 0.84;
constexpr double WeakBand = 0.4;

// One column's values, read once, and their deviations from the mean when every flock has a
// value. A column with unknown values (blank or text cells) is correlated pair by pair over
// the flocks both columns know.
struct ColumnDeviations {
  std::vector<double> value;
  std::vector<std::uint8_t> known;
  bool complete = true;
  std::vector<double> deviation;
  double sumSquares = 0.0;  // of the deviations
  bool hasSpread = false;   // at least two known values differ
};

ColumnDeviations deviationsOf(const FlockRows& rows, int col, int flocks) {
  ColumnDeviations d;
  std::optional<double> firstKnown;
  for (int r = FirstFlockRow; r <= LastStatisticsRow + flocks; ++r) {
    const std::optional<double> number = rows.numberAt(r, col);
    const bool known = number.has_value();
    d.value.push_back(number.value_or(0.0));
    d.known.push_back(known);
    d.complete = d.complete && known;
    if (!known) continue;
    if (!firstKnown) firstKnown = d.value.back();
    d.hasSpread = d.hasSpread || d.value.back() != *firstKnown;
  }
  if (!d.complete) return d;
  double sum = 0.0;
  for (double x : d.value) sum += x;
  const double mean = flocks > 0 ? sum / flocks : 0.0;
  for (double x : d.value) {
    d.deviation.push_back(x - mean);
    d.sumSquares += (x - mean) * (x - mean);
  }
  return d;
}

// r over the flocks both columns know; none without spread in either.
std::optional<double> correlationOf(const ColumnDeviations& x, const ColumnDeviations& y) {
  if (!x.hasSpread || !y.hasSpread) return std::nullopt;
  double sxy = 0.0, sxx = x.sumSquares, syy = y.sumSquares;
  if (x.complete && y.complete) {
    for (std::size_t r = 0; r < x.deviation.size(); ++r) sxy += x.deviation[r] * y.deviation[r];
  } else {
    double sumX = 0.0, sumY = 0.0;
    int n = 0;
    for (std::size_t r = 0; r < x.value.size(); ++r) {
      if (!x.known[r] || !y.known[r]) continue;
      sumX += x.value[r];
      sumY += y.value[r];
      ++n;
    }
    if (n < 2) return std::nullopt;
    const double meanX = sumX / n, meanY = sumY / n;
    sxx = syy = 0.0;
    for (std::size_t r = 0; r < x.value.size(); ++r) {
      if (!x.known[r] || !y.known[r]) continue;
      const double dx = x.value[r] - meanX, dy = y.value[r] - meanY;
      sxy += dx * dy;
      sxx += dx * dx;
      syy += dy * dy;
    }
  }
  if (!(sxx * syy > 0.0)) return std::nullopt;
  return std::clamp(sxy / std::sqrt(sxx * syy), -1.0, 1.0);
}

// Every correlation of the cache is forgotten before a new set is computed, so no pair keeps
// the value of an earlier flock set.
void clearCorrelations(ColumnStatsTable& stats) {
  for (int a = 0; a < ColumnStatsTable::Size; ++a)
    for (int b = 0; b < ColumnStatsTable::Size; ++b) stats.set(a, b, 0, 0.0);
}

std::uint8_t& pairAt(AnalysisState& st, std::size_t i, std::size_t j) {
  return st.correlDefined[i * st.correlColumns.size() + j];
}

Rgb bandOf(double v, bool& coloured) {
  coloured = true;
  if (v >= StrongBand) return ac::CorrStrongPositive;
  if (v > WeakBand) return ac::CorrPositive;
  if (v < -StrongBand) return ac::CorrStrongNegative;
  if (v < -WeakBand) return ac::CorrNegative;
  coloured = false;
  return colours::Window;
}

}  // namespace

void loadCorrelations(AnalysisView& tab, int flocks, Dialogs& dialogs) {
  AnalysisState& st = tab.state;
  const Grid& grid = tab.analysisGrid;
  st.correlColumns.clear();
  bool leftOut = false;
  for (int c = 0; c < grid.cols(); ++c) {
    if (tab.isText(c) || tab.isOrderColumn(c)) continue;
    if (static_cast<int>(st.correlColumns.size()) == MaxCorrelColumns) {
      leftOut = true;
      break;
    }
    st.correlColumns.push_back(c);
  }
  if (leftOut) dialogs.message("Only the first 60 numeric columns are correlated");
  const std::size_t k = st.correlColumns.size();
  st.correlDefined.assign(k * k, CorrelUndefined);
  clearCorrelations(st.columnStats);
  if (k < 2) return;

  const int n = std::clamp(flocks, 0, std::max(grid.rows() - FirstFlockRow, 0));
  std::vector<ColumnDeviations> columns;
  columns.reserve(k - 1);
  for (std::size_t i = 0; i + 1 < k; ++i) columns.push_back(deviationsOf(st.flockRows, st.correlColumns[i], n));

  for (std::size_t i = 0; i + 1 < k; ++i) {
    for (std::size_t j = i + 1; j + 1 < k; ++j) {
      const std::optional<double> correlation = correlationOf(columns[i], columns[j]);
      if (!correlation) continue;  // a column without spread has no r
      const double r = *correlation;
      const int a = st.correlColumns[i], b = st.correlColumns[j];
      st.columnStats.set(a, b, 0, r);
      st.columnStats.set(b, a, 0, r);
      pairAt(st, i, j) = pairAt(st, j, i) = CorrelComputed;
    }
  }
}

void buildCorrelationGrid(const Grid& analysisGrid, const AnalysisState& state, Grid& correlationGrid) {
  const int k = static_cast<int>(state.correlColumns.size());
  correlationGrid.clear();
  correlationGrid.clearBackgrounds();
  correlationGrid.resize(k + 1, k + 1);
  for (int m = 1; m <= k; ++m) {
    const std::string& title = analysisGrid.text(0, state.correlColumns[static_cast<std::size_t>(m - 1)]);
    correlationGrid.setText(m, 0, title);
    correlationGrid.setText(0, m, title);
  }
  for (int i = 1; i < k; ++i) {
    for (int j = 1; j < k; ++j) {
      if (i == j) continue;
      const auto pi = static_cast<std::size_t>(i - 1), pj = static_cast<std::size_t>(j - 1);
      if (state.correlDefined[pi * static_cast<std::size_t>(k) + pj] == CorrelUndefined) continue;
      const double r = state.columnStats.at(state.correlColumns[pi], state.correlColumns[pj], 0);
      const std::string shown = formatPattern(r, "0.##0");
      correlationGrid.setText(i, j, shown);
      // The band is the one of r as shown, so a cell never shows 0.840 without the strong colour.
      bool coloured = false;
      const Rgb band = bandOf(readNumber(shown), coloured);
      if (coloured) correlationGrid.setBackground(i, j, band);
    }
  }
}

std::string correlationListText(const ColumnStatsTable& stats) {
  FreeFormatWriter out;
  for (int a = 0; a < CorrelationListColumns; ++a) {
    for (int b = 0; b < CorrelationListColumns; ++b) {
      out.number(a).tab().number(b);
      for (int slot = 0; slot < ColumnStatsTable::Slots; ++slot) out.tab().number(stats.at(a, b, slot));
      out.endLine();
    }
  }
  return out.contents();
}

bool writeCorrelationList(const std::filesystem::path& folder, const ColumnStatsTable& stats,
                          std::string* error) {
  return writeFileAtomically(folder / CorrelationListFile, correlationListText(stats), error);
}

}  // namespace plumetra

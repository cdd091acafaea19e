#include "analysis/predicted_columns.h"

#include "controls/number_format.h"

#include <algorithm>
#include <string>

namespace plumetra {

namespace {

constexpr int LysinePhaseColumns = 4;
constexpr int IntakeColumns = 2 + LysinePhaseColumns;  // energy, total lysine, phases 1-4
constexpr int ColumnsAfterLegThigh = 8;
constexpr int SpareColumns = 30;
constexpr double GramsPerPercentKg = 10.0;  // kg x percent x 10 = grams

void writeIntakeHeadings(Grid& grid, int e) {
  grid.setText(0, e, "Energy per bird");
  grid.setText(0, e + 1, "g Lysine per bird");
  for (int d = 1; d <= LysinePhaseColumns; ++d) grid.setText(0, e + 1 + d, "Lysine Diet " + std::to_string(d));
}

}  // namespace

PredictedColumns predictedColumnsAfter(int l) {
  return {l + 1, l + 2, l + 3, l + 4, l + 5, l + 6, l + 7, l + 8, l + 9, l + 10, l + 11};
}

PredictedColumns predictedColumnsOf(const FlockTable& table) {
  const auto col = [&](int item) { return static_cast<int>(table.farmOrder[static_cast<std::size_t>(item)][4]); };
  return {col(25), col(26), col(29), col(34), col(27), col(28), col(33), col(30), col(31), col(32), col(35)};
}

void addPredictedColumns(Grid& analysisGrid, int flockGridCols, const PredictedColumns& c, const FlockTable& table,
                   int flocks, const DietTables& diets, const FlockPredictionTable& predictions, FlockRows& rows) {
  const auto& F = table.flockData;
  flocks = std::clamp(flocks, 0, MaxFlocks);
  for (int r = 1; r <= flocks; ++r) {
    const auto& p = predictions[static_cast<std::size_t>(r)];
    const double conversion = predictedFeedConversion(p);
    const double weight = p[1] / 1000.0;
    const double deltaWeight = F[0][static_cast<std::size_t>(r)] - weight;
    const double deltaConversion = F[3][static_cast<std::size_t>(r)] - conversion;
    const auto write = [&](int col, double value, const char* pattern) {
      rows.write(analysisGrid, col, r, value, formatPlain(value, pattern));
    };
    write(c.predWt, weight, "##.##0");
    write(c.deltaWt, deltaWeight, "#0.##0");
    write(c.predConvix, conversion, "#0.##0");
    write(c.deltaConvix, deltaConversion, "#0.##0");
    write(c.predAge, p[2], "#0.#0");
    write(c.deltaAge, F[2][static_cast<std::size_t>(r)] - p[2], "#0.#0");
    write(c.carc, p[3], "0.##");
    write(c.breast, p[6], "0.##");
    write(c.legThigh, p[7], "0.##");
    write(c.fatPad, p[8], "0.##");
    // The index uses the two differences as shown.
    const auto shown = [](double value) { return readNumber(formatPlain(value, "#0.##0")); };
    write(c.performance, shown(deltaWeight) - shown(deltaConversion), "0.##");
  }

  // Energy and lysine intakes start at the first free column after "Pred. Leg & Thigh".
  int e = c.legThigh + 1;
  while (!analysisGrid.text(0, e).empty()) ++e;
  // All intake columns stay, also when a "Feed Cost" column pushed them right; the grid is
  // widened once, every column it will hold at a time.
  int cols = std::max(c.legThigh + ColumnsAfterLegThigh, e + IntakeColumns);
  if (flockGridCols > cols) cols = flockGridCols + SpareColumns;
  cols += 2;
  analysisGrid.setCols(cols);
  writeIntakeHeadings(analysisGrid, e);
  for (int r = 1; r <= flocks; ++r) {
    const auto row = static_cast<std::size_t>(r);
    double energy = 0.0, lysine = 0.0;
    std::array<double, FeedPhases + 1> phaseLysine{};
    for (int d = 1; d <= FeedPhases; ++d) {
      const double intake = F[static_cast<std::size_t>(intakeColumn(d))][row];
      energy += intake * diets.dietData[NutEnergy][static_cast<std::size_t>(d)];
      phaseLysine[static_cast<std::size_t>(d)] =
          intake * diets.dietData[NutLysine][static_cast<std::size_t>(d)] * GramsPerPercentKg;
      lysine += phaseLysine[static_cast<std::size_t>(d)];
    }
    const double weight = F[0][row];
    if (weight > 0.0) {
      rows.write(analysisGrid, e, r, energy / weight, formatPlain(energy / weight, "####.0"));
      rows.write(analysisGrid, e + 1, r, lysine / weight, formatPlain(lysine / weight, "##.##"));
    }
    for (int d = 1; d <= LysinePhaseColumns; ++d)
      rows.write(analysisGrid, e + 1 + d, r, phaseLysine[static_cast<std::size_t>(d)],
                 formatPlain(phaseLysine[static_cast<std::size_t>(d)], "##.#"));
  }

  for (int r = 1; r <= flocks; ++r) rows.write(analysisGrid, cols - 2, r, numberText(r));
}

}  // namespace plumetra

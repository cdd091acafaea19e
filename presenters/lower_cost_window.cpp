#include "presenters/lower_cost_window.h"

#include "presenters/window_copy.h"
#include "controls/fixed_text.h"
#include "controls/number_format.h"
#include "presenters/group_captions.h"

namespace plumetra {

namespace {

constexpr int AmountDecimals = 3;  // costs, feed conversions and feed amounts
constexpr int AgeDecimals = 1;
constexpr double BirdsPerPercent = 1000;  // 100,000 birds / 100 %

// Costs are the kg of each diet fed times its "Feed Cost", so they come in the unit of cost
// the diets' prices are given in.
constexpr std::array<const char*, 6> ColumnCaptions{
    "", "Low Cost per Bird", "Cost per Bird Now", "Saving per Bird", "Feed Conv.", "Final Age, days"};
constexpr std::array<int, 6> ColumnDecimals{0, AmountDecimals, AmountDecimals, AmountDecimals, AmountDecimals,
                                             AgeDecimals};

std::string phaseCaption(int phase) { return "Diet " + std::to_string(phase) + ", kg per Bird"; }

}  // namespace

std::string lowerCostExplanation(double targetWeight) {
  return std::string(
             "When Sorted by Feed Conversion, the Flock Split shows the Low group (the lowest feed "
             "conversion, stored as Top), then Middle and then High (stored as Bottom).  Calibration "
             "of these groups allows different Feed Amounts at the farms in these groups.  ") +
         "  Flock Density is also a factor.  Increasing Density in the Low group's Flocks "
         "increases Payback for both the Company and the Farmer. Lowering Density in the High "
         "group will also result in better performance.  Tervalon\u2122 Feed Program has "
         "the potential to Optimize Both Feed Intake and Density." +
         "\n" + "With a Target Flock Weight of " + fixedText(targetWeight, AmountDecimals) +
         " kg, these are the outcome of a search for lower Prices with no Change " +
         "in Nutrition or carcass composition.  Using the Prices and Nutrients on the Diet Data Tab "
         "and monitoring " +
         "Carcass Composition the changes in feed weight can make possible lower costs as shown.  " +
         "Costs are per bird, in the unit of cost of the diets' Feed Cost; feed amounts in kg per bird.";
}

void fillLowerCostWindow(LowerCostWindowState& window, const LowerCostRecord& record,
                        const std::array<double, 4>& splitPercent) {
  // The search holds the target in grams; the window names kilograms.
  const double targetKg = record.targetWeight >= KilogramTargetLimit ? record.targetWeight / GramsPerKilogram
                                                                      : record.targetWeight;
  window.explanation.caption = lowerCostExplanation(targetKg);
  Grid& grid = window.results;
  grid.resize(LowerCostRows, LowerCostCols);
  grid.clear();

  grid.setText(0, 0, fixedText(targetKg, AmountDecimals) + " kg");
  for (int c = 1; c <= 5; ++c) grid.setText(0, c, ColumnCaptions[c]);
  double savingPer100000 = 0;
  double coveredPercent = 0;
  std::array<double, 6> weighted{};  // the searched groups' shown values times their shares
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const LowerCostGroup& group = record.groups[g];
    grid.setText(g, 0, GroupCaptions[g]);
    if (!group.searched) {  // left out of the averages, and the row says why
      grid.setText(g, 1, group.calibrated ? "target not reached" : "no calibration");
      continue;
    }
    coveredPercent += splitPercent[g];
    const std::array<double, 6> values{0, group.lowestCost, group.initialCost, group.saving(), group.feedConversion,
                                       group.finalAge};
    for (int c = 1; c <= 5; ++c) {
      const std::string text = fixedText(values[c], ColumnDecimals[c]);
      grid.setText(g, c, text);
      // The average is taken of the values as the window shows them.
      weighted[c] += readNumber(text) * splitPercent[g];
    }
    savingPer100000 += group.saving() * splitPercent[g] * BirdsPerPercent;
  }

  grid.setText(AverageRow, 0, "Average");
  for (int c = 1; c <= 5 && coveredPercent > 0; ++c)
    grid.setText(AverageRow, c, fixedText(weighted[c] / coveredPercent, ColumnDecimals[c]));
  grid.setText(SavingRow, 0, "Saving per 100,000 Birds");
  grid.setText(SavingRow, 3, fixedText(savingPer100000, AgeDecimals));

  for (int p = 1; p <= record.dietCount && p < LowerCostCols; ++p) grid.setText(PhaseCaptionRow, p, phaseCaption(p));
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const int row = FirstFeedRow + g - 1;
    grid.setText(row, 0, GroupCaptions[g]);
    for (int p = 1; p <= record.dietCount && p < LowerCostCols && record.groups[g].searched; ++p)
      grid.setText(row, p, fixedText(record.groups[g].bestFeed[p], AmountDecimals));
  }
  window.visible = true;
}

void copyLowerCostWindow(LowerCostWindowState& window, Clipboard& clipboard) {
  copyAllCells(window.results, clipboard);
}

}  // namespace plumetra

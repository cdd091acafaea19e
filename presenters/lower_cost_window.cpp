#include "presenters/lower_cost_window.h"

#include "presenters/window_copy.h"
#include "controls/fixed_text.h"
#include "controls/number_format.h"
#include "presenters/group_captions.h"

namespace plumetra {

namespace {

constexpr int kAmountDecimals = 3;  // costs, feed conversions and feed amounts
constexpr int kAgeDecimals = 1;
constexpr double kBirdsPerPercent = 1000;  // 100,000 birds / 100 %

// Costs are the kg of each diet fed times its "Feed Cost", so they come in the unit of cost
// the diets' prices are given in.
constexpr std::array<const char*, 6> kColumnCaptions{
    "", "Low Cost per Bird", "Cost per Bird Now", "Saving per Bird", "Feed Conv.", "Final Age, days"};
constexpr std::array<int, 6> kColumnDecimals{0, kAmountDecimals, kAmountDecimals, kAmountDecimals, kAmountDecimals,
                                             kAgeDecimals};

std::string phaseCaption(int phase) { return "Diet " + std::to_string(phase) + ", kg per Bird"; }

}  // namespace

std::string LowerCostExplanation(double targetWeight) {
  return std::string(
             "When Sorted by Feed Conversion, the Flock Split shows the Low group (the lowest feed "
             "conversion, stored as Top), then Middle and then High (stored as Bottom).  Calibration "
             "of these groups allows different Feed Amounts at the farms in these groups.  ") +
         "  Flock Density is also a factor.  Increasing Density in the Low group's Flocks "
         "increases Payback for both the Company and the Farmer. Lowering Density in the High "
         "group will also result in better performance.  Tervalon\u2122 Feed Program has "
         "the potential to Optimize Both Feed Intake and Density." +
         "\n" + "With a Target Flock Weight of " + fixedText(targetWeight, kAmountDecimals) +
         " kg, these are the outcome of a search for lower Prices with no Change " +
         "in Nutrition or carcass composition.  Using the Prices and Nutrients on the Diet Data Tab "
         "and monitoring " +
         "Carcass Composition the changes in feed weight can make possible lower costs as shown.  " +
         "Costs are per bird, in the unit of cost of the diets' Feed Cost; feed amounts in kg per bird.";
}

void fillLowerCostWindow(LowerCostWindowState& window, const LowerCostRecord& record,
                        const std::array<double, 4>& SplitPercent) {
  // The search holds the target in grams; the window names kilograms.
  const double targetKg = record.TargetWeight >= kKilogramTargetLimit ? record.TargetWeight / kGramsPerKilogram
                                                                      : record.TargetWeight;
  window.explanation.caption = LowerCostExplanation(targetKg);
  Grid& grid = window.results;
  grid.resize(kLowerCostRows, kLowerCostCols);
  grid.clear();

  grid.setText(0, 0, fixedText(targetKg, kAmountDecimals) + " kg");
  for (int c = 1; c <= 5; ++c) grid.setText(0, c, kColumnCaptions[c]);
  double savingPer100000 = 0;
  double coveredPercent = 0;
  std::array<double, 6> weighted{};  // the searched groups' shown values times their shares
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const LowerCostGroup& group = record.groups[g];
    grid.setText(g, 0, GroupCaptions[g]);
    if (!group.searched) {  // left out of the averages, and the row says why
      grid.setText(g, 1, group.calibrated ? "target not reached" : "no calibration");
      continue;
    }
    coveredPercent += SplitPercent[g];
    const std::array<double, 6> values{0, group.LowestCost, group.InitialCost, group.saving(), group.FeedConversion,
                                       group.FinalAge};
    for (int c = 1; c <= 5; ++c) {
      const std::string text = fixedText(values[c], kColumnDecimals[c]);
      grid.setText(g, c, text);
      // The average is taken of the values as the window shows them.
      weighted[c] += ReadNumber(text) * SplitPercent[g];
    }
    savingPer100000 += group.saving() * SplitPercent[g] * kBirdsPerPercent;
  }

  grid.setText(kAverageRow, 0, "Average");
  for (int c = 1; c <= 5 && coveredPercent > 0; ++c)
    grid.setText(kAverageRow, c, fixedText(weighted[c] / coveredPercent, kColumnDecimals[c]));
  grid.setText(kSavingRow, 0, "Saving per 100,000 Birds");
  grid.setText(kSavingRow, 3, fixedText(savingPer100000, kAgeDecimals));

  for (int p = 1; p <= record.DietCount && p < kLowerCostCols; ++p) grid.setText(kPhaseCaptionRow, p, phaseCaption(p));
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const int row = kFirstFeedRow + g - 1;
    grid.setText(row, 0, GroupCaptions[g]);
    for (int p = 1; p <= record.DietCount && p < kLowerCostCols && record.groups[g].searched; ++p)
      grid.setText(row, p, fixedText(record.groups[g].BestFeed[p], kAmountDecimals));
  }
  window.visible = true;
}

void copyLowerCostWindow(LowerCostWindowState& window, Clipboard& clipboard) {
  CopyAllCells(window.results, clipboard);
}

}  // namespace plumetra

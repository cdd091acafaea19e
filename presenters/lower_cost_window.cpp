#include "presenters/lower_cost_window.h"

#include "presenters/window_copy.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr const char* kAmountPattern = "##.##0";
constexpr const char* kAgePattern = "##.0";
constexpr const char* kAveragePattern = "##.0##";
constexpr const char* kSavingPattern = "#####.0#";
constexpr double kBirdsPerPercent = 1000;  // 100,000 birds / 100 %

constexpr std::array<const char*, 6> kColumnCaptions{
    "", "Low Cost", "Init. Cost at Target", "Savings", "Feed Conv.", "Final Age"};
constexpr std::array<const char*, 4> kGroupCaptions{"", "Lowest Convix", "Middle Convix",
                                                    "Highest Convix"};
constexpr std::array<const char*, kMaxDietPhases + 1> kPhaseCaptions{
    "", "Diet 1 wt", "Diet2 wt", "Diet 3  wt", "Diet 4 wt", "Diet 5 wt", "Diet 6 wt"};

}  // namespace

std::string LowerCostExplanation(double targetWeight) {
  return std::string(
             "When Sorted by Feed Conversion, the Flock Split  shows the Lowest Convix Group, then "
             "Middle and then the Bottom Percentage.  Calibration of these groups allows differernt "
             "Feed Amounts at the farms in these groups.  ") +
         "  Flock Density is also a factor.  Increasing Density in the Lowest Convix Flocks "
         "increases Payback for both the Company and the Farmer. Lowering Density in the high "
         "Convix group will also result in better performance.  Tervalon\u2122 Feed Program has "
         "the potential to Optimize Both Feed Intake and Density." +
         "\n" + "With a Target Flock Weight of " + numberText(targetWeight) +
         " kg., these are the outcome of a search for lower Prices with no Change " +
         "in Nutriton or carcass composition.  Using the Prices and Nutrients on the Diet Data Tab "
         "and monitoring " +
         "Carcass Compostion the changes in feed weight can make possible lower costs as shown.";
}

void fillLowerCostWindow(LowerCostWindowState& window, const LowerCostRecord& record,
                        const std::array<double, 4>& SplitPercent) {
  // The search holds the target in grams; the text names kilograms.
  const double targetKg = record.TargetWeight >= kKilogramTargetLimit ? record.TargetWeight / kGramsPerKilogram
                                                                      : record.TargetWeight;
  window.explanation.caption = LowerCostExplanation(targetKg);
  Grid& grid = window.results;
  grid.resize(kLowerCostRows, kLowerCostCols);
  grid.clear();

  grid.setText(0, 0, formatPattern(record.TargetWeight, kAmountPattern));
  for (int c = 1; c <= 5; ++c) grid.setText(0, c, kColumnCaptions[c]);
  double savingPer100000 = 0;
  double coveredPercent = 0;
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const LowerCostGroup& group = record.groups[g];
    grid.setText(g, 0, kGroupCaptions[g]);
    if (!group.searched) {  // left out of the averages, and the row says why
      grid.setText(g, 1, group.calibrated ? "target not reached" : "no calibration");
      continue;
    }
    coveredPercent += SplitPercent[g];
    grid.setText(g, 1, formatPattern(group.LowestCost, kAmountPattern));
    grid.setText(g, 2, formatPattern(group.InitialCost, kAmountPattern));
    grid.setText(g, 3, formatPattern(group.saving(), kAmountPattern));
    grid.setText(g, 4, formatPattern(group.FeedConversion, kAmountPattern));
    grid.setText(g, 5, formatPattern(group.FinalAge, kAgePattern));
    savingPer100000 += group.saving() * SplitPercent[g] * kBirdsPerPercent;
  }

  // The average is taken of the values as the grid shows them, over the searched groups.
  grid.setText(kAverageRow, 0, "Average");
  for (int c = 1; c <= 5 && coveredPercent > 0; ++c) {
    double weighted = 0;
    for (int g = kGroupTop; g <= kGroupBottom; ++g)
      if (record.groups[g].searched) weighted += grid.value(g, c) * SplitPercent[g];
    grid.setText(kAverageRow, c, formatPattern(weighted / coveredPercent, kAveragePattern));
  }
  grid.setText(kSavingRow, 3, formatPattern(savingPer100000, kSavingPattern));
  grid.setText(kSavingRow, 4, "per 100,000");
  grid.setText(kSavingRow, 5, "Birds");

  for (int p = 1; p <= kMaxDietPhases; ++p) grid.setText(kPhaseCaptionRow, p, kPhaseCaptions[p]);
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const int row = kFirstFeedRow + g - 1;
    grid.setText(row, 0, kGroupCaptions[g]);
    for (int p = 1; p <= record.DietCount && p < kLowerCostCols && record.groups[g].searched; ++p)
      grid.setText(row, p, formatPattern(record.groups[g].BestFeed[p], kAmountPattern));
  }
  window.visible = true;
}

void copyLowerCostWindow(LowerCostWindowState& window, Clipboard& clipboard) {
  CopyAllCells(window.results, clipboard);
}

}  // namespace plumetra

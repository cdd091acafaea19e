#include "workspace/flock_table.h"

#include "workspace/optional_items.h"

namespace plumetra {

namespace {

constexpr int DataIdSlots = 31;  // each list has room for entries 0-30

// Fields 0-2 of every item; items 34-35 are zero where not listed. Fields 3 and 4 are not
// written here: they start at 0 and carry grid columns recorded by matching and buildAnalysisGrid.
constexpr std::int16_t FarmOrderTable[FarmOrderItems][3] = {
    {1, 1, 1},   {1, 0, 0},   {4, 1, 0},   {3, 2, 0},   {7, 3, 0},   {10, 4, 0},
    {12, 5, 0},  {13, 6, 2},  {14, 7, 0},  {15, 8, 0},  {16, 9, 0},  {17, 10, 0},
    {18, 10, 0}, {19, 11, 0}, {20, 12, 0}, {21, 13, 0}, {22, 14, 0}, {23, 15, 0},
    {24, 16, 0}, {25, 17, 0}, {26, 18, 0}, {27, 19, 0}, {28, 3, 0},  {29, 4, 0},
    {30, 5, 0},  {5, 1, 2},   {6, 1, 3},   {11, 2, 2},  {8, 3, 2},   {9, 2, 3},
    {31, 4, 3},  {32, 21, 3}, {33, 6, 3},  {34, 20, 0}, {0, 2, 3},   {0, 0, 0}};

// The matched items copy into the flock table's own columns: a phase added to FeedPhases needs
// its intake's row here, and the density's row moved after it.
constexpr bool intakesAndDensityInTheirColumns() {
  for (int phase = 1; phase <= FeedPhases; ++phase)
    if (FarmOrderTable[ItemFirstIntake + phase - 1][1] != intakeColumn(phase)) return false;
  return FarmOrderTable[ItemDensity][1] == DensityColumn;
}
static_assert(intakesAndDensityInTheirColumns(), "each intake and the density go to their own flock-table column");

struct Caption {
  int entry;
  std::string_view text;
};
constexpr Caption PredictionCaptions[] = {
    {25, "Pred. WT."},    {26, "Delta WT."},    {27, "Pred. Age"},    {28, "Delta Age"},
    {29, "Pred. Convix"}, {30, "Pred. Carc."},  {31, "Pred. Breast"}, {32, "Pred. Leg & Thigh"},
    {33, "Fat Pad"},      {34, "Delta Convix"}, {36, "Performance"}};

}  // namespace

std::string_view dataIdList(int list, int index) {
  if (index < 0 || index >= DataIdSlots) return {};
  if (list == 0) {
    if (index < ItemFlockEnd) return FlockDataIds[static_cast<size_t>(index)];
    if (const auto optional = optionalItemAt(index)) return OptionalDataIds[static_cast<size_t>(*optional)];
    return index == FlockListEnd ? FlockDataIds[ItemFlockEnd] : "";
  }
  if (list == 1)
    return index < NutrientItemCount ? NutrientDataIds[static_cast<size_t>(index)] : "";
  return {};
}

void fillFarmOrder(FlockTable& table) {
  for (int item = 0; item < FarmOrderItems; ++item) {
    auto& fields = table.farmOrder[static_cast<size_t>(item)];
    for (int f = 0; f < 3; ++f) fields[static_cast<size_t>(f)] = FarmOrderTable[item][f];
  }
}

void calcNames(FlockTable& table) {
  for (const Caption& c : PredictionCaptions)
    table.itemHeader[static_cast<size_t>(c.entry)] = c.text;
  table.itemHeader[35].clear();
}

}  // namespace plumetra

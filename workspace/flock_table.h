#pragma once
// The numeric flock table, the Data ID lists and the item map that ties grid columns to
// table columns. Flock r is row r (rows count from 1); flockData[column][row].

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plumetra {

inline constexpr int FlockDataCols = 51;   // columns 0-10 matched items, 11-50 derived values
inline constexpr int FlockDataRows = 501;  // rows 1-500 hold flocks, row 0 unused
inline constexpr int MaxFlocks = FlockDataRows - 1;
inline constexpr int FarmOrderItems = 36;
inline constexpr int FarmOrderFields = 5;
inline constexpr int FlockColEntries = 21;
inline constexpr int ItemHeaderEntries = 101;
// Grid columns 0-100 carry a text flag (-1 text, 0 numeric).
inline constexpr int NonNumericEntries = 101;

// Import bounds: a grid holds at most these data rows below its header row.
inline constexpr int MaxFileFlocks = 499;   // the flock grid takes 500 rows from a file
inline constexpr int MaxPasteFlocks = 399;  // and 400 rows from a paste
// The flock grid keeps at most columns 0-100, so every column has a text flag.
inline constexpr int MaxGridColumns = 101;

// A flock's feed is recorded in up to this many diet phases, one intake item each.
inline constexpr int FeedPhases = 6;
// flockData's column of the intake of phase 1..FeedPhases, and of the density after them.
inline constexpr int intakeColumn(int phase) { return 3 + phase; }
inline constexpr int DensityColumn = intakeColumn(FeedPhases) + 1;

// Flock Data IDs (list 0), in combo order.
enum FlockItem : int {
  ItemHouseId = 0,
  ItemLiveWeight = 1,
  ItemBirds = 2,
  ItemAge = 3,
  ItemFeedConversion = 4,
  ItemFirstIntake = 5,  // a feed intake per phase, first to last
  ItemLastIntake = ItemFirstIntake + FeedPhases - 1,
  ItemDensity = ItemFirstIntake + FeedPhases,
  ItemFlockEnd = ItemDensity + 1,
};
inline constexpr int FlockItemCount = ItemFlockEnd + 1;  // "End" included
inline constexpr int NutrientItemCount = 10;  // 0-9, "End" included
inline constexpr int NutrientItemEnd = 9;

// One name per flock item: a feed phase added above needs its name here (the assertion says so).
inline constexpr auto FlockDataIds = std::to_array<std::string_view>({
    "HOUSE ID",
    "Live Weight per Bird *",
    "No. of Birds in House *",
    "Age at Slaughter *",
    "Feed Conversion",
    "First Feed Intake *",
    "Second Feed Intake *",
    "Third Feed Intake *",
    "Fourth Feed Intake",
    "Fifth Feed Intake",
    "Sixth Feed Intake",
    "Flock Density /sqm",
    "End"});
static_assert(FlockDataIds.size() == FlockItemCount, "every flock item has its Data ID name");

inline constexpr std::array<std::string_view, NutrientItemCount> NutrientDataIds = {
    "Feed Energy *", "Protein",  "Methionine", "Met Plus Cys *", "Lysine *",
    "Tryptophan",    "Arginine", "Threonine",  "Feed Cost",      "End"};

// dataIdList(list, index): list 0 the flock items (the fixed ones, the optional ones of
// workspace/optional_items.h, then "End"), list 1 the nutrient items; entries past "End" (up to
// 30) are empty.
std::string_view dataIdList(int list, int index);

// The flock-side state of the main window: what is matched where, and the numbers copied.
struct FlockTable {
  std::array<std::array<double, FlockDataRows>, FlockDataCols> flockData{};
  int flockCount = 0;
  // farmOrder[item][field]: 1 target column, 2 kind (1 text), 4 grid column read from.
  std::array<std::array<std::int16_t, FarmOrderFields>, FarmOrderItems> farmOrder{};
  std::array<std::int16_t, FlockColEntries> flockCol{};
  std::array<std::string, ItemHeaderEntries> itemHeader{};
  int selectedCol = 0;
  std::array<bool, FlockItemCount> flockIdSet{};
  std::array<bool, 4> nutrientIdSet{};  // 1 energy, 2 met+cys, 3 lysine
  std::array<std::int16_t, NonNumericEntries> nonNumeric{};
};

// Writes the fixed fields 0-2 of the item map; fields 3 and 4 keep their values.
void fillFarmOrder(FlockTable& table);
// Captions of the predicted and derived columns, itemHeader 25-36.
void calcNames(FlockTable& table);

}  // namespace plumetra

#pragma once
// The flocks of the feed-conversion split as typed records: which group each flock is in,
// the key that finds it in the user's table, and its recorded values in stated units. The
// analysis makes them when it sorts by feed conversion; calibration, the lower-cost search,
// revaluation, metrics, the model fit and the report read them, whatever order the analysis
// grid shows later.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/grid.h"
#include "workspace/flock_table.h"
#include "workspace/value_statistics.h"

namespace plumetra {

// What finds a flock in the user's table: its farm and house texts and its row there.
struct FlockKey {
  std::string farm;    // the leftmost text column that is not the house
  std::string house;
  int sourceRow = 0;   // row of the data table, 1 = the first row under the headings
  std::string date{};  // from the first column whose heading names a date; empty when none
};

// Every per-flock table starts with the key's columns, so its rows join back to the user's
// records: "Farm", "House", "Row".
inline constexpr int FlockKeyColumns = 3;
void writeFlockKeyHeadings(Grid& grid, int row);
void writeFlockKey(Grid& grid, int row, const FlockKey& key);

// The growth model's prediction of a flock from the feed it ate, at full precision.
struct FlockPredicted {
  double liveWeight = 0;  // kg per bird
  double age = 0;         // days
  double feedConversion = 0;
};

struct SplitFlock {
  int flock = 0;  // analysed flock number 1..n (row of the flock and prediction tables)
  int group = 0;  // 1 low, 2 middle, 3 high feed conversion
  FlockKey key{};
  double liveWeight = 0;  // kg per bird
  double birds = 0;
  double age = 0;  // days
  double feedConversion = 0;
  std::array<double, FeedPhases + 1> intake{};  // kg per bird of phases 1..FeedPhases
  double density = 0;                           // birds per m2, 0 when not matched
  double livability = -1;                       // percent of the birds placed, below 0 unknown
  std::optional<FlockPredicted> predicted{};    // none when the model did not run
  // The flock's own sex from the "Flock Sex" column (0 mixed, 1 male, 2 female); none without
  // that column or when its cell names no sex: the flock grows as the sex chosen.
  std::optional<int> sex{};
};

struct SplitFlocks {
  std::vector<SplitFlock> flocks;  // Low, then Middle, then High; lowest feed conversion first
  std::array<int, 4> sizes{};      // 1-3 the groups
  bool sexColumn = false;          // whether a "Flock Sex" column is matched
};

// The sex a flock grows as: its own, else the sex chosen (`chosenSex`, below 0 for mixed).
inline int sexOf(const SplitFlock& flock, int chosenSex) { return flock.sex.value_or(chosenSex < 0 ? 0 : chosenSex); }

// A flock's value of some kind; none when the flock has no such value.
using FlockValue = std::function<std::optional<double>(const SplitFlock&)>;
inline constexpr int AllGroups = 4;
// The groups' names by number (0 unused, AllGroups "All"), as every table and summary shows them.
inline constexpr std::array<const char*, AllGroups + 1> GroupNames{"", "Low", "Middle", "High", "All"};

// Statistics of the known values over the flocks of group 1-3 (AllGroups: every flock);
// none when no flock of the group has the value.
std::optional<MeanSdResult> groupStatistics(const SplitFlocks& split, int group, const FlockValue& value);
// Mean of a recorded value over the flocks of group 1-3 (AllGroups: every flock); 0 for no flocks.
double groupMean(const SplitFlocks& split, int group, double SplitFlock::*value);
// Mean intake of phase 1..FeedPhases over the flocks of group 1-3 (AllGroups: every flock).
double groupMeanIntake(const SplitFlocks& split, int group, int phase);

}  // namespace plumetra

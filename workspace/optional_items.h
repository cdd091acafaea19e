#pragma once
// The optional flock items: "Mortality %", "Birds Sold" and "Flock Sex". They are matched like
// the fixed flock items (by hand, by heading, by --map, from the Data ID list) but read from
// the flock grid when used, never copied into flockData, so the fixed items and the flockData
// columns keep their places. In the flock Data ID list they follow the fixed items, before
// "End".

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workspace/flock_table.h"

namespace plumetra {

enum class OptionalItem : int { Mortality = 0, BirdsSold = 1, FlockSex = 2 };
inline constexpr int OptionalItemCount = 3;

inline constexpr auto OptionalDataIds = std::to_array<std::string_view>({"Mortality %", "Birds Sold", "Flock Sex"});
static_assert(OptionalDataIds.size() == OptionalItemCount, "every optional item has its Data ID name");
inline constexpr std::string_view MortalityDataId = OptionalDataIds[0];
inline constexpr std::string_view FlockSexDataId = OptionalDataIds[2];

// Entries of the flock Data ID list: the fixed items 0-11, the optional items, then "End".
inline constexpr int FirstOptionalEntry = ItemFlockEnd;
inline constexpr int FlockListEnd = FirstOptionalEntry + OptionalItemCount;

constexpr int entryOf(OptionalItem item) { return FirstOptionalEntry + static_cast<int>(item); }
constexpr std::optional<OptionalItem> optionalItemAt(int entry) {
  if (entry < FirstOptionalEntry || entry >= FlockListEnd) return std::nullopt;
  return static_cast<OptionalItem>(entry - FirstOptionalEntry);
}

// The flock-grid column matched to each optional item, -1 for none.
struct OptionalColumns {
  std::array<int, OptionalItemCount> columns{-1, -1, -1};

  int operator[](OptionalItem item) const { return columns[static_cast<std::size_t>(item)]; }
  void set(OptionalItem item, int column) { columns[static_cast<std::size_t>(item)] = column; }
};

struct Workspace;

// The optional items still unmatched that a column's heading names, as (Data ID list entry,
// column): mortality in percent, birds sold (never the column matched as the number of birds),
// a flock sex column whose cells name sexes. Columns already matched are passed over; a
// mortality column left alone (a share below 1) is told in `notes`.
std::vector<std::pair<int, int>> optionalItemProposals(const Workspace& ws, std::vector<std::string>& notes);

}  // namespace plumetra

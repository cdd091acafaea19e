#pragma once
// A flock's own sex from the "Flock Sex" column, coded as the growth model codes it: 0 mixed,
// 1 male, 2 female.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int MixedSex = 0, MaleSex = 1, FemaleSex = 2;

// The sex a cell names, whatever the case and blanks: "M", "Male(s)", "Cockerels" are male;
// "F", "Female(s)", "Pullets", "Hens" female; "X", "Mixed", "As hatched", "Straight run",
// "Unsexed" mixed. std::nullopt for anything else (a blank too).
std::optional<int> sexOfText(std::string_view text);

// "Males", "Females", "Mixed": as the flock-sex list and the summaries name a sex.
std::string_view sexName(int sex);

// Whether a heading names a column of flock sexes ("Sex", "Flock Sex", "Gender", "Sex (M/F/X)").
bool namesFlockSex(std::string_view heading);

// Whether at least half of the filled cells of column `col` (rows 1..lastRow) name a sex.
bool holdsSexes(const Grid& grid, int col, int lastRow);

// The sex of every flock of a data set: each from the matched "Flock Sex" column; a flock whose
// cell names no sex grows as `chosenSex`, and is listed in `unknown` (flock number, text).
struct FlockSexes {
  std::vector<int> sexOf;  // flock 1..count, entry 0 unused
  std::vector<std::pair<int, std::string>> unknown;

  int of(int flock) const { return sexOf[static_cast<std::size_t>(flock)]; }
};
FlockSexes flockSexesOf(const Workspace& ws, int chosenSex);

// "3 flocks name no sex the program knows ("Broilers" for flock 4, ...): they grow as Mixed,
// the sex chosen."; empty when every flock's sex was read.
std::string unknownSexMessage(const FlockSexes& sexes, int chosenSex);

// The sex most flocks of group 1-3 grow as (AllGroups: every flock), each its own or the sex
// chosen; ties go to mixed, then males. The calibration grows a group as this one sex.
int groupMajoritySex(const SplitFlocks& split, int group, int chosenSex);

}  // namespace plumetra

#pragma once
// The analysis in the JSON summary of every command that analyses first.

#include "analysis/analysis_batch.h"
#include "analysis/league_table.h"
#include "analysis/tidy_tables.h"
#include "cli/json_writer.h"
#include "workspace/split_flock.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace plumetra::cli {

// The "analysis" member: the grouping, the flocks of the split with their groups, every
// group's n, mean, SD and the Low-against-High t and p of each measure (the rows of
// groups.tsv), what the feed costs are in, the outliers and the
// flocks left out.
void writeAnalysisMember(JsonWriter& json, const AnalysisSummary& summary, const TidyTables& tables);

// A member `name`: every pair of the league's ranked entries with the difference, Welch's t,
// degrees of freedom, p and Holm-adjusted p.
void writePairTestsMember(JsonWriter& json, const char* name, const LeagueTable& league);

// The "by_sex" member, with a Flock Sex column only: per sex its flocks, the flocks in each group
// of the split, its own Low and High, their mean feed conversions and Welch's difference, t and
// p; then "group_sexes", the sex each group is calibrated as.
void writeBySexMember(JsonWriter& json, const SplitFlocks& split, int chosenSex, const std::array<double, 4>& splitPercent);

// The "files" member: the files the command wrote.
void writeFilesMember(JsonWriter& json, const std::vector<std::filesystem::path>& files);

}  // namespace plumetra::cli

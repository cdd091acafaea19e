#pragma once
// Column headings reduced to comparable keys, and the headings that name each Data ID.
// Case, blanks, punctuation, bracketed parts and unit words do not count.

#include <optional>
#include <string>
#include <string_view>

#include "workspace/matching.h"

namespace plumetra {

struct HeadingKey {
  std::string full;      // every word, joined
  std::string stripped;  // without unit and filler words (the full key when nothing is left)
};

HeadingKey headingKey(std::string_view heading);

// The Data ID a heading names on one side, or std::nullopt. Feed intakes named by their
// phase ("Starter", "Grower", ...) are not answered here (see feedPhaseRank).
std::optional<int> itemForHeading(MatchSide side, std::string_view heading);

// For a heading that names a feed phase ("Starter", "Grower 2", "Feed 3", "Second Feed
// Intake", "Withdrawal kg"), a rank that orders the phases of a feeding programme.
std::optional<int> feedPhaseRank(std::string_view heading);

}  // namespace plumetra

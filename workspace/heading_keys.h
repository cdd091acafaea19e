#pragma once
// Column headings reduced to comparable keys, and the headings that name each Data ID.
// Case, blanks, punctuation, bracketed parts, unit words, periods ("d42", "0-42"), common
// abbreviations ("Hse", "Wt", "Grw") and CamelCase or snake_case joins do not count.

#include <optional>
#include <string>
#include <string_view>

#include "workspace/matching.h"

namespace plumetra {

struct HeadingKey {
  std::string full;      // every word, joined
  std::string stripped;  // without unit and filler words (the full key when nothing is left)
  std::string sorted;    // the stripped words in alphabetical order ("Weight Avg" as "Avg Weight")
};

HeadingKey headingKey(std::string_view heading);

// What a heading names on one side: a Data ID with the rank of the heading among that item's
// names (0 best: "Birds Placed" is preferred to "Birds Sold"), or nothing, with the reason when
// the heading looks like an item it must not be matched to ("Stocking density kg/m2", "FCR
// adj.", "Sq Ft/Bird", "Total Live Weight", "Starter days", "Grower price"). Feed intakes
// named by their phase ("Starter", "Grower", ...) are not answered here (see feedPhaseRank).
struct HeadingReading {
  std::optional<int> item;
  int rank = 0;
  std::string refusal;
};
HeadingReading readHeading(MatchSide side, std::string_view heading);
std::optional<int> itemForHeading(MatchSide side, std::string_view heading);

// Kilograms per unit of a weight heading: "Avg Wt (lb)" 0.45359237, "Mean BW (g)" 0.001, else 1.
double kilogramsPerHeadingUnit(std::string_view heading);

// Birds per m2 per unit of a density heading: "Birds/Sq.Ft." 10.76, else 1.
double birdsPerSquareMetrePerHeadingUnit(std::string_view heading);

// What a house total gives once divided by the birds in the house: the live weight ("Total
// Live Weight (kg)", "Live weight delivered (t)") or the feed of one phase ("Starter
// delivered (t)", "Grower total kg"), with the kilograms per unit of its cells. Nothing for
// any other heading, nor for a total of the whole feed, a "Sum of Avg Weight" (a sum of
// averages) or tons of no stated kind.
struct HouseTotal {
  std::optional<int> item;       // ItemLiveWeight, or none for a feed phase
  std::optional<int> phaseRank;  // the feed phase's rank (feedPhaseRank)
  double kilogramsPerUnit = 1;
};
std::optional<HouseTotal> houseTotalOf(std::string_view heading);

// How much a heading looks like one of the names of `item` (0 nothing alike, 1 one of them):
// to name the closest headings when no column names the item.
double headingLikeness(MatchSide side, int item, std::string_view heading);

// For a heading that names a feed phase ("Pre-starter", "Crumbs", "Starter pellets", "Grower
// II", "Feed 3", "1st feed", "Withdrawal kg", "Str 0-10 d (g/bird)"), a rank that orders the
// phases of a feeding programme; nothing for a phase's length, price, date or house total.
std::optional<int> feedPhaseRank(std::string_view heading);

}  // namespace plumetra

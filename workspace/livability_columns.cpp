#include "workspace/livability_columns.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "controls/number_format.h"
#include "workspace/lower_case_words.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

bool holdsAny(const std::vector<std::string>& words, std::initializer_list<std::string_view> wanted) {
  return std::any_of(words.begin(), words.end(),
                     [&](const std::string& w) { return std::find(wanted.begin(), wanted.end(), w) != wanted.end(); });
}

bool namesMortalityPercent(std::string_view heading) {
  const std::vector<std::string> words = lowerCaseWords(heading);
  return holdsAny(words, {"mortality", "mort", "mortalities"}) &&
         !holdsAny(words, {"birds", "bird", "no", "number", "count", "head", "nr"});
}

// "Feed delivered (t)" and "Live weight sold" are no bird counts.
bool namesBirdsSold(std::string_view heading) {
  const std::vector<std::string> words = lowerCaseWords(heading);
  return holdsAny(words, {"sold", "processed", "slaughtered", "delivered", "caught"}) &&
         !holdsAny(words, {"feed", "kg", "kgs", "t", "tonnes", "tons", "lb", "lbs", "weight", "wt", "cost", "price",
                           "value", "date", "pct", "percent", "mortality"});
}

bool namesPercent(std::string_view heading) {
  return heading.find('%') != std::string_view::npos ||
         holdsAny(lowerCaseWords(heading), {"pct", "percent", "percentage"});
}

// Whether every number of the column lies below 1, as a share written 0.032 for 3.2 % does.
bool holdsOnlyFractions(const Grid& grid, int col) {
  int numbers = 0;
  for (int r = 1; r < grid.rows(); ++r) {
    const std::optional<double> v = percentCell(grid.text(r, col));
    if (!v) continue;
    if (*v >= 1) return false;
    ++numbers;
  }
  return numbers > 0;
}

}  // namespace

std::optional<double> percentCell(std::string_view text) {
  const std::size_t last = text.find_last_not_of(" \t");
  if (last != std::string_view::npos && text[last] == '%') text = text.substr(0, last);
  if (!readsAsNumber(text)) return std::nullopt;
  return readNumber(text);
}

namespace {

// Takes column `c` as the mortality unless it holds a share below 1.
void takeMortality(const Grid& grid, int c, LivabilityColumns& found) {
  const std::string& heading = grid.text(0, c);
  if (!namesPercent(heading) && holdsOnlyFractions(grid, c))
    found.problem = "the column \"" + heading +
                    "\" holds only numbers below 1, a share rather than a percentage; give the mortality "
                    "in percent (3.2 for 3.2 %)";
  else
    found.mortality = c;
}

}  // namespace

LivabilityColumns findLivabilityColumns(const Grid& grid, int birdsColumn) {
  LivabilityColumns found;
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string& heading = grid.text(0, c);
    if (found.mortality < 0 && found.problem.empty() && namesMortalityPercent(heading)) takeMortality(grid, c, found);
    if (found.birdsSold < 0 && c != birdsColumn && namesBirdsSold(heading)) found.birdsSold = c;
  }
  return found;
}

LivabilityColumns livabilityColumnsOf(const Workspace& ws) {
  const int mortality = matchedFlockColumn(ws, entryOf(OptionalItem::Mortality));
  const int birdsSold = matchedFlockColumn(ws, entryOf(OptionalItem::BirdsSold));
  if (mortality < 0 && birdsSold < 0)
    return findLivabilityColumns(ws.flockGrid, ws.flockIdSet[ItemBirds] ? ws.flockCol[ItemBirds] : -1);
  LivabilityColumns matched;
  matched.birdsSold = birdsSold;
  if (mortality >= 0) takeMortality(ws.flockGrid, mortality, matched);
  return matched;
}

double livabilityPercent(const Grid& grid, int row, const LivabilityColumns& columns, double birdsPlaced) {
  auto within = [](double percent) { return percent >= 0 && percent <= 100 ? percent : -1.0; };
  if (columns.mortality >= 0)
    if (const std::optional<double> mortality = percentCell(grid.text(row, columns.mortality)))
      return within(100.0 - *mortality);
  if (columns.birdsSold >= 0 && birdsPlaced > 0 && readsAsNumber(grid.text(row, columns.birdsSold)))
    return within(grid.value(row, columns.birdsSold) / birdsPlaced * 100.0);
  return -1.0;
}

}  // namespace plumetra

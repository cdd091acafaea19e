#include "workspace/livability_columns.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "controls/number_format.h"

namespace plumetra {

namespace {

std::vector<std::string> wordsOf(std::string_view heading) {
  std::vector<std::string> words;
  std::string word;
  for (char c : heading) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) {
      word += static_cast<char>(std::tolower(u));
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool holdsAny(const std::vector<std::string>& words, std::initializer_list<std::string_view> wanted) {
  return std::any_of(words.begin(), words.end(), [&](const std::string& w) {
    return std::find(wanted.begin(), wanted.end(), w) != wanted.end();
  });
}

bool namesMortalityPercent(std::string_view heading) {
  const std::vector<std::string> words = wordsOf(heading);
  return holdsAny(words, {"mortality", "mort", "mortalities"}) &&
         !holdsAny(words, {"birds", "bird", "no", "number", "count", "head", "nr"});
}

bool namesBirdsSold(std::string_view heading) {
  return holdsAny(wordsOf(heading), {"sold", "processed", "slaughtered", "delivered", "caught"});
}

}  // namespace

LivabilityColumns findLivabilityColumns(const Grid& grid, int birdsColumn) {
  LivabilityColumns found;
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string& heading = grid.text(0, c);
    if (found.mortality < 0 && namesMortalityPercent(heading)) found.mortality = c;
    if (found.birdsSold < 0 && c != birdsColumn && namesBirdsSold(heading)) found.birdsSold = c;
  }
  return found;
}

double livabilityPercent(const Grid& grid, int row, const LivabilityColumns& columns, double birdsPlaced) {
  auto within = [](double percent) { return percent >= 0 && percent <= 100 ? percent : -1.0; };
  if (columns.mortality >= 0 && readsAsNumber(grid.text(row, columns.mortality)))
    return within(100.0 - grid.value(row, columns.mortality));
  if (columns.birdsSold >= 0 && birdsPlaced > 0 && readsAsNumber(grid.text(row, columns.birdsSold)))
    return within(grid.value(row, columns.birdsSold) / birdsPlaced * 100.0);
  return -1.0;
}

}  // namespace plumetra

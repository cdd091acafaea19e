#include "workspace/summary_rows.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

#include "controls/number_format.h"
#include "files/trimmed_text.h"
#include "workspace/lower_case_words.h"

namespace plumetra {

namespace {

// Summary labels as spreadsheets and farm software write them, in English, French, German,
// Dutch, Spanish, Portuguese and Italian.
constexpr std::string_view SummaryWords[] = {
    "average", "averages", "avg",     "ave",      "mean",      "means",      "total",  "totals",   "sum",
    "subtotal", "min",     "minimum", "max",      "maximum",   "sd",         "stdev",  "stddev",   "std",
    "count",   "n",        "median",  "cv",       "variance",  "var",        "range",  "overall",  "moyenne",
    "somme",   "ecart",    "durchschnitt", "mittelwert", "mittel", "summe", "gesamt", "gemiddelde", "totaal",
    "gem",     "promedio", "media",   "suma",     "minimo",    "maximo",     "medio",  "totale",   "stdv"};
// Words that may follow a summary word in its label: "Grand total", "Average of all flocks".
constexpr std::string_view LabelWords[] = {"grand", "sub",  "of",     "all",    "flocks", "houses", "dev",
                                           "deviation", "standard", "weighted", "the", "farm", "total",
                                           "general", "geral", "deviation"};
constexpr std::string_view UnitTexts[] = {"kg",  "g",   "lb",    "lbs",   "days", "day", "d",  "%",   "birds",
                                          "n",   "no",  "#",     "m2",    "ft2",  "ratio", "kg/kg", "kg/bird",
                                          "g/bird", "lb/bird", "birds/m2", "birds/ft2", "date", "text", "pct",
                                          "kcal/kg", "£/t", "$/t", "head", "number", "kg/m2", "units", "unit"};

template <std::size_t N>
bool listed(const std::string_view (&list)[N], std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool isSummaryLabel(const std::string& text) {
  if (readsAsNumber(text)) return false;
  const std::vector<std::string> words = lowerCaseWords(text);
  if (words.empty()) return false;
  bool summary = false;
  for (const std::string& w : words) {
    if (listed(SummaryWords, w)) {
      summary = true;
    } else if (!listed(LabelWords, w) && !std::all_of(w.begin(), w.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
      return false;
    }
  }
  return summary;
}

bool rowIsBlank(const Grid& grid, int row) {
  for (int c = 0; c < grid.cols(); ++c)
    if (!trimmed(grid.text(row, c)).empty()) return false;
  return true;
}

bool near(double a, double b) { return std::abs(a - b) <= 0.005 * std::max(std::abs(a), std::abs(b)) + 1e-9; }

// Whether every value column of `row` holds the mean or the sum of the flock rows.
bool holdsColumnSummaries(const Grid& grid, int row, const std::vector<int>& valueColumns,
                          const std::vector<int>& flockRows) {
  if (valueColumns.size() < 2 || flockRows.size() < 2) return false;
  for (int c : valueColumns) {
    if (!grid.isNumber(row, c)) return false;
    double sum = 0;
    int n = 0;
    for (int r : flockRows)
      if (r != row && grid.isNumber(r, c)) {
        sum += grid.value(r, c);
        ++n;
      }
    if (n == 0) return false;
    const double v = grid.value(row, c);
    if (!near(v, sum / n) && !near(v, sum)) return false;
  }
  return true;
}

// The texts that tell a row apart: the house and every cell that is not a number.
// The keys are built from views of the cells: a 500-flock table has tens of thousands.
std::string textKey(const Grid& grid, int row, int houseCol) {
  std::string key(trimmedView(grid.text(row, houseCol)));
  key += '\x1e';
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string_view text = trimmedView(grid.text(row, c));
    if (!readsAsNumber(text)) key += text;
    key += '\x1f';
  }
  return key;
}

std::string wholeKey(const Grid& grid, int row) {
  std::string key;
  for (int c = 0; c < grid.cols(); ++c) {
    key += trimmedView(grid.text(row, c));
    key += '\x1f';
  }
  return key;
}

}  // namespace

std::string summaryRowLabel(const Grid& grid, int row, const std::vector<int>& valueColumns,
                            const std::vector<int>& flockRows) {
  for (int c = 0; c < grid.cols(); ++c) {
    const std::string text = trimmed(grid.text(row, c));
    if (text.empty()) continue;
    if (isSummaryLabel(text)) return text;
    break;
  }
  // Text readers drop blank lines, so the last row counts as a footer too.
  const bool footer = (row > 1 && rowIsBlank(grid, row - 1)) || (!flockRows.empty() && row == flockRows.back());
  if (footer && holdsColumnSummaries(grid, row, valueColumns, flockRows)) return "the column averages or totals";
  return "";
}

bool isUnitsRow(const Grid& grid, int row) {
  bool any = false;
  for (int c = 0; c < grid.cols(); ++c) {
    std::string text = trimmed(grid.text(row, c));
    if (text.empty()) continue;
    if (readsAsNumber(text)) return false;
    if (text.size() >= 2 && (text.front() == '(' || text.front() == '[')) text = text.substr(1, text.size() - 2);
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    if (!listed(UnitTexts, text) && text.find('/') == std::string::npos) return false;
    any = true;
  }
  return any;
}

std::vector<RowPair> repeatedRows(const Grid& grid, const std::vector<int>& rows) {
  std::vector<RowPair> out;
  std::map<std::string, int> first;
  for (int r : rows) {
    const auto [at, added] = first.emplace(wholeKey(grid, r), r);
    if (!added) out.push_back({r, at->second});
  }
  return out;
}

std::vector<RowPair> nearRepeatedRows(const Grid& grid, const std::vector<int>& rows, int houseCol) {
  std::vector<RowPair> out;
  if (houseCol < 0) return out;
  std::map<std::string, int> first;
  std::map<std::string, int> whole;
  for (int r : rows) {
    if (!whole.emplace(wholeKey(grid, r), r).second) continue;  // an exact copy, told apart
    const std::string key = textKey(grid, r, houseCol);
    const auto [at, added] = first.emplace(key, r);
    if (!added) out.push_back({r, at->second});
  }
  return out;
}

}  // namespace plumetra

#include "workspace/heading_keys.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace plumetra {

namespace {

constexpr std::string_view UnitWords[] = {
    "kg",     "kgs",  "g",    "gr", "gram",  "grams",   "lb",  "lbs", "pound",
    "pounds", "kcal", "mcal", "mj", "pct",   "percent", "sqm", "m2",  "sqft",
    "ft2",    "day",  "days", "d",  "tonne", "ton",     "mt",  "usd", "eur"};
constexpr std::string_view FillerWords[] = {
    "per",       "bird", "no",         "nr",  "number", "of",        "the",   "in", "at",
    "slaughter", "dig",  "digestible", "sid", "avail",  "available", "total", "tot"};
constexpr std::string_view FeedWords[] = {"feed", "intake", "consumption", "eaten",
                                          "fi",   "phase",  "diet"};

struct Synonyms {
  int item;
  std::initializer_list<std::string_view> headings;
};

// The Data ID's own name comes first; the order of items decides between two that fit.
const Synonyms FlockSynonyms[] = {
    {ItemHouseId,
     {"HOUSE ID", "House", "House No", "House Number", "Flock", "Flock ID", "Flock No", "ID",
      "Shed", "Barn"}},
    {ItemLiveWeight,
     {"Live Weight per Bird", "Live Weight", "Avg Weight", "Average Weight", "Weight",
      "Body Weight", "Avg Live Weight", "Average Live Weight", "LW", "BW", "Avg BW"}},
    {ItemBirds,
     {"No. of Birds in House", "Birds", "Placed", "Birds Placed", "Number of Birds", "Birds Housed",
      "Chicks Placed", "Birds Sold", "Birds Processed", "Head Count"}},
    {ItemAge, {"Age at Slaughter", "Age", "Days", "Age Days", "Kill Age", "Processing Age"}},
    {ItemFeedConversion,
     {"Feed Conversion", "FCR", "Feed Conversion Ratio", "Convix", "FC", "Conversion",
      "Feed Conv"}},
    {ItemDensity,
     {"Flock Density /sqm", "Density", "Stocking Density", "Birds/m2", "Birds per sqm",
      "Birds/sqm"}},
};
const Synonyms NutrientSynonyms[] = {
    {NutEnergy,
     {"Feed Energy", "Energy", "ME", "AME", "AMEn", "MEn", "Metabolizable Energy",
      "Metabolisable Energy"}},
    {NutProtein, {"Protein", "CP", "Crude Protein"}},
    {NutMethionine, {"Methionine", "Met"}},
    {NutMetCys,
     {"Met Plus Cys", "M+C", "Met+Cys", "MET_CYS", "TSAA", "Methionine + Cystine", "Met Cys",
      "Meth + Cys"}},
    {NutLysine, {"Lysine", "Lys"}},
    {NutTryptophan, {"Tryptophan", "Trp"}},
    {NutArginine, {"Arginine", "Arg"}},
    {NutThreonine, {"Threonine", "Thr"}},
    {NutFeedCost, {"Feed Cost", "Cost", "Price", "Feed Price"}},
};

constexpr std::array<std::string_view, 6> Ordinals = {"first",  "second", "third",
                                                      "fourth", "fifth",  "sixth"};
struct Phase {
  std::string_view word;
  int base;
};
constexpr Phase Phases[] = {{"prestarter", 0}, {"prestart", 0}, {"starter", 1},  {"start", 1},
                            {"grower", 2},     {"grow", 2},     {"finisher", 3}, {"finish", 3},
                            {"withdrawal", 4}, {"withdraw", 4}};
constexpr int PhaseStep = 100;

template <std::size_t N>
bool contains(const std::string_view (&list)[N], std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// Lower-case words of a heading: letters and digits, everything in brackets left out.
std::vector<std::string> words(std::string_view heading) {
  std::vector<std::string> out;
  std::string word;
  int depth = 0;
  for (char ch : heading) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (ch == '(' || ch == '[')
      ++depth;
    else if ((ch == ')' || ch == ']') && depth > 0)
      --depth;
    else if (depth == 0 && std::isalnum(c)) {
      word += static_cast<char>(std::tolower(c));
      continue;
    }
    if (!word.empty()) out.push_back(std::move(word));
    word.clear();
  }
  if (!word.empty()) out.push_back(std::move(word));
  return out;
}

std::vector<std::string> significantWords(const std::vector<std::string>& all) {
  std::vector<std::string> kept;
  for (const std::string& w : all)
    if (!contains(UnitWords, w) && !contains(FillerWords, w)) kept.push_back(w);
  return kept;
}

std::string joined(const std::vector<std::string>& list) {
  std::string out;
  for (const std::string& w : list) out += w;
  return out;
}

// Splits "grower2" into "grower" and "2".
std::vector<std::string> splitDigits(const std::vector<std::string>& list) {
  std::vector<std::string> out;
  for (const std::string& w : list) {
    std::size_t start = 0;
    for (std::size_t i = 1; i <= w.size(); ++i)
      if (i == w.size() || (std::isdigit(static_cast<unsigned char>(w[i])) !=
                            std::isdigit(static_cast<unsigned char>(w[i - 1])))) {
        out.push_back(w.substr(start, i - start));
        start = i;
      }
  }
  return out;
}

bool isSmallNumber(const std::string& w) { return w.size() == 1 && w[0] >= '1' && w[0] <= '9'; }

}  // namespace

HeadingKey headingKey(std::string_view heading) {
  const std::vector<std::string> all = words(heading);
  HeadingKey key{joined(all), joined(significantWords(all))};
  if (key.stripped.empty()) key.stripped = key.full;
  return key;
}

std::optional<int> itemForHeading(MatchSide side, std::string_view heading) {
  const HeadingKey key = headingKey(heading);
  if (key.full.empty()) return std::nullopt;
  const auto search = [&](auto&& keyOf) -> std::optional<int> {
    const auto scan = [&](const auto& table) -> std::optional<int> {
      for (const Synonyms& s : table)
        for (std::string_view name : s.headings)
          if (keyOf(headingKey(name)) == keyOf(key)) return s.item;
      return std::nullopt;
    };
    return side == MatchSide::Flock ? scan(FlockSynonyms) : scan(NutrientSynonyms);
  };
  if (auto item = search([](const HeadingKey& k) { return k.full; })) return item;
  return search([](const HeadingKey& k) { return k.stripped; });
}

std::optional<int> feedPhaseRank(std::string_view heading) {
  std::vector<std::string> rest;
  bool feedWord = false;
  for (const std::string& w : splitDigits(significantWords(words(heading)))) {
    if (contains(FeedWords, w))
      feedWord = true;
    else
      rest.push_back(w);
  }
  if (rest.size() >= 2 && rest[0] == "pre") {  // "Pre-Starter"
    rest[1] = "pre" + rest[1];
    rest.erase(rest.begin());
  }
  if (rest.empty() || rest.size() > 2) return std::nullopt;
  const int number = rest.size() == 2 && isSmallNumber(rest[1]) ? rest[1][0] - '0' : 0;
  if (rest.size() == 2 && number == 0) return std::nullopt;
  for (const Phase& p : Phases)
    if (rest[0] == p.word) return p.base * PhaseStep + number;
  if (rest.size() != 1) return std::nullopt;
  for (std::size_t i = 0; i < Ordinals.size(); ++i)
    if (feedWord && rest[0] == Ordinals[i]) return static_cast<int>(i + 1) * PhaseStep;
  if (feedWord && isSmallNumber(rest[0])) return (rest[0][0] - '0') * PhaseStep;
  return std::nullopt;
}

}  // namespace plumetra

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
    "ft2",    "day",  "days", "d",  "tonne", "ton",     "mt",  "usd", "eur", "gbp"};
// Words that name an area: a heading with one of them gives an amount per m2 or ft2.
constexpr std::string_view AreaWords[] = {"m2", "sqm", "sqft", "ft2", "msq", "sqmt", "square"};
constexpr std::string_view MassWords[] = {"kg", "kgs", "lb", "lbs", "pound", "pounds", "g", "gram", "grams"};
// A feed conversion corrected to a standard weight is another figure than the one fed.
constexpr std::string_view AdjustedWords[] = {"adj", "adjusted", "corrected", "corr", "cfcr", "afcr",
                                              "standardised", "standardized", "std"};
constexpr std::string_view FillerWords[] = {
    "per",       "bird", "no",         "nr",  "number", "of",        "the",   "in", "at",
    "slaughter", "dig",  "digestible", "sid", "avail",  "available", "total", "tot"};
constexpr std::string_view FeedWords[] = {"feed",  "intake", "consumption", "eaten", "fi",
                                          "phase", "diet",   "pellets",     "pellet", "mash",
                                          "ration"};

struct Synonyms {
  int item;
  std::initializer_list<std::string_view> headings;
};

// The Data ID's own name comes first. Within an item the earlier heading is preferred when two
// columns fit (birds placed before birds sold); the order of items decides between two that fit.
const Synonyms FlockSynonyms[] = {
    {ItemHouseId,
     {"HOUSE ID", "House", "House No", "House Number", "Flock", "Flock ID", "Flock No", "ID",
      "Shed", "Barn", "Shed No", "House Name", "Flock Number", "Batch", "Batch No"}},
    {ItemLiveWeight,
     {"Live Weight per Bird", "Live Weight", "Avg Weight", "Average Weight", "Weight",
      "Body Weight", "Avg Live Weight", "Average Live Weight", "LW", "BW", "Avg BW", "Live Wt",
      "Avg Wt", "Average Wt", "Mean Weight", "Mean BW", "Mean Wt", "Catch Weight", "Final Weight",
      "Final Wt", "Final BW", "Slaughter Weight", "Kill Weight", "Body Wt", "Avg Bird Weight",
      "Average Bird Weight", "Weight per Bird", "Avg Live Wt", "ALW", "ABW"}},
    {ItemBirds,
     {"No. of Birds in House", "Birds Placed", "Placed", "Birds Housed", "Housed", "Chicks Placed",
      "Head Placed", "Chicks Housed", "Birds In", "Birds", "Number of Birds", "Head Count",
      "No of Birds", "Bird Numbers", "Birds Sold", "Birds Processed", "Birds Slaughtered",
      "Birds Caught", "Head Sold"}},
    {ItemAge,
     {"Age at Slaughter", "Age", "Days", "Age Days", "Kill Age", "Processing Age",
      "Age at Processing", "Age at Kill", "Slaughter Age", "Clearance Age", "Days to Market",
      "Days to Slaughter", "Market Age", "Age at Depletion", "Depletion Age", "Grow Out Days",
      "Catch Age", "Age at Catch"}},
    {ItemFeedConversion,
     {"Feed Conversion", "FCR", "Feed Conversion Ratio", "Feed Conversion Rate", "Convix", "FC",
      "Conversion", "Feed Conv", "F:G", "Feed:Gain", "Feed/Gain", "Feed to Gain", "FG",
      "Conversion Ratio", "Feed Efficiency Ratio"}},
    {ItemDensity,
     {"Flock Density /sqm", "Density", "Stocking Density", "Birds/m2", "Birds per sqm",
      "Birds/sqm", "Birds per m2", "No. of Birds per m2", "Birds per square metre",
      "Birds per square meter", "Birds/ft2", "Birds per sq ft", "Stocking Rate"}},
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
};constexpr std::array<std::string_view, 6> Ordinals = {"first",  "second", "third",
                                                      "fourth", "fifth",  "sixth"};
struct Phase {
  std::string_view word;
  int base;
};
constexpr int PhaseStep = 100;
// Crumbs (a crumbled starter) come after a pre-starter and before a pelleted starter.
constexpr Phase Phases[] = {{"prestarter", 0},      {"prestart", 0},   {"crumbs", 50},
                            {"crumb", 50},          {"crumbles", 50},  {"crumble", 50},
                            {"starter", 100},       {"start", 100},    {"grower", 200},
                            {"grow", 200},          {"finisher", 300}, {"finish", 300},
                            {"withdrawal", 400},    {"withdraw", 400}, {"wd", 400}};
constexpr std::string_view RomanNumbers[] = {"i", "ii", "iii", "iv", "v", "vi"};
constexpr std::string_view OrdinalNumbers[] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};

template <std::size_t N>
bool contains(const std::string_view (&list)[N], std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// "m²" and "m³" as "m2" and "m3" (UTF-8 superscripts).
std::string plainDigits(std::string_view heading) {
  std::string out;
  for (std::size_t i = 0; i < heading.size(); ++i) {
    if (heading[i] == '\xC2' && i + 1 < heading.size() && (heading[i + 1] == '\xB2' || heading[i + 1] == '\xB3')) {
      out += heading[++i] == '\xB2' ? '2' : '3';
      continue;
    }
    out += heading[i];
  }
  return out;
}

// Lower-case words of a heading: letters and digits; everything in brackets is left out unless
// `brackets` asks for it.
std::vector<std::string> words(std::string_view rawHeading, bool brackets = false) {
  const std::string heading = plainDigits(rawHeading);
  std::vector<std::string> out;
  std::string word;
  int depth = 0;
  for (char ch : heading) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (ch == '(' || ch == '[')
      ++depth;
    else if ((ch == ')' || ch == ']') && depth > 0)
      --depth;
    else if ((depth == 0 || brackets) && std::isalnum(c)) {
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

namespace {

bool hasAny(const std::vector<std::string>& list, std::initializer_list<std::string_view> wanted) {
  return std::any_of(list.begin(), list.end(), [&](const std::string& w) {
    return std::find(wanted.begin(), wanted.end(), w) != wanted.end();
  });
}

template <std::size_t N>
bool hasAnyOf(const std::vector<std::string>& list, const std::string_view (&wanted)[N]) {
  return std::any_of(list.begin(), list.end(), [&](const std::string& w) { return contains(wanted, w); });
}

// Density by its area unit: birds per m2 is the density, kilograms per m2 is not.
std::optional<HeadingReading> densityByArea(const std::vector<std::string>& all) {
  const bool area = hasAnyOf(all, AreaWords) || hasAny(all, {"sq"});
  if (!area) return std::nullopt;
  const bool densityWords = hasAny(all, {"bird", "birds", "chick", "chicks", "head", "density", "stocking"});
  if (!densityWords) return std::nullopt;
  if (hasAnyOf(all, MassWords))
    return HeadingReading{std::nullopt, 0,
                          "it gives kilograms of bird per area; \"" + std::string(FlockDataIds[ItemDensity]) +
                              "\" needs birds per area"};
  return HeadingReading{ItemDensity, 0, {}};
}

// The keys of every known heading, in the order they are preferred, worked out once.
struct KnownHeading {
  int item;
  int rank;
  HeadingKey key;
};

template <std::size_t N>
std::vector<KnownHeading> keysOf(const Synonyms (&table)[N]) {
  std::vector<KnownHeading> known;
  for (const Synonyms& s : table) {
    int rank = 0;
    for (std::string_view name : s.headings) known.push_back({s.item, rank++, headingKey(name)});
  }
  return known;
}

const std::vector<KnownHeading>& knownHeadings(MatchSide side) {
  static const std::vector<KnownHeading> flock = keysOf(FlockSynonyms);
  static const std::vector<KnownHeading> nutrient = keysOf(NutrientSynonyms);
  return side == MatchSide::Flock ? flock : nutrient;
}

}  // namespace

HeadingReading readHeading(MatchSide side, std::string_view heading) {
  const HeadingKey key = headingKey(heading);
  if (key.full.empty()) return {};
  const std::vector<std::string> all = words(heading, true);
  if (side == MatchSide::Flock)
    if (auto density = densityByArea(all)) return *density;
  const auto search = [&](auto&& keyOf) -> std::optional<HeadingReading> {
    for (const KnownHeading& known : knownHeadings(side))
      if (keyOf(known.key) == keyOf(key)) return HeadingReading{known.item, known.rank, {}};
    return std::nullopt;
  };
  std::optional<HeadingReading> found = search([](const HeadingKey& k) { return k.full; });
  if (!found) found = search([](const HeadingKey& k) { return k.stripped; });
  const bool looksLikeConversion =
      (found && found->item == ItemFeedConversion) || hasAny(all, {"fcr", "cfcr", "afcr", "conversion"});
  if (side == MatchSide::Flock && looksLikeConversion && hasAnyOf(all, AdjustedWords))
    return {std::nullopt, 0,
            "an adjusted (corrected) feed conversion is not the feed conversion the flock achieved; \"" +
                std::string(FlockDataIds[ItemFeedConversion]) + "\" needs the achieved one"};
  return found.value_or(HeadingReading{});
}

std::optional<int> itemForHeading(MatchSide side, std::string_view heading) {
  return readHeading(side, heading).item;
}

double kilogramsPerHeadingUnit(std::string_view heading) {
  const std::vector<std::string> all = words(heading, true);
  if (hasAny(all, {"lb", "lbs", "pound", "pounds"})) return 1.0 / 2.205;
  if (hasAny(all, {"g", "gr", "gram", "grams"}) && !hasAny(all, {"kg", "kgs"})) return 0.001;
  return 1.0;
}

std::optional<int> feedPhaseRank(std::string_view heading) {
  std::vector<std::string> rest;
  bool feedWord = false;
  for (std::string w : significantWords(words(heading))) {
    for (std::size_t i = 0; i < std::size(OrdinalNumbers); ++i)
      if (w == OrdinalNumbers[i]) w = std::string(Ordinals[i]);  // "1st feed"
    if (contains(FeedWords, w)) {
      feedWord = true;
      continue;
    }
    for (const std::string& part : splitDigits({w})) rest.push_back(part);
  }
  if (rest.size() >= 2 && rest[0] == "pre") {  // "Pre-Starter"
    rest[1] = "pre" + rest[1];
    rest.erase(rest.begin());
  }
  if (rest.empty()) return std::nullopt;
  // The phase's number: "Grower 2", "Grower II", and "Grower 1/2" (the first number counts).
  int number = 0;
  if (rest.size() >= 2) {
    if (isSmallNumber(rest[1])) number = rest[1][0] - '0';
    for (std::size_t i = 0; i < std::size(RomanNumbers); ++i)
      if (rest[1] == RomanNumbers[i]) number = static_cast<int>(i) + 1;
    if (number == 0) return std::nullopt;
    for (std::size_t i = 2; i < rest.size(); ++i)
      if (!isSmallNumber(rest[i])) return std::nullopt;
  }
  for (const Phase& p : Phases)
    if (rest[0] == p.word) return p.base + number;
  if (rest.size() != 1) return std::nullopt;
  for (std::size_t i = 0; i < Ordinals.size(); ++i)
    if (feedWord && rest[0] == Ordinals[i]) return static_cast<int>(i + 1) * PhaseStep;
  if (feedWord && isSmallNumber(rest[0])) return (rest[0][0] - '0') * PhaseStep;
  return std::nullopt;
}

}  // namespace plumetra

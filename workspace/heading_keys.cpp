#include "workspace/heading_keys.h"

#include "workspace/flock_table.h"
#include "workspace/units.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <regex>
#include <set>
#include <vector>

namespace plumetra {

namespace {

constexpr std::string_view UnitWords[] = {
    "kg",  "g",    "lb",   "kcal", "mcal", "mj",    "pct",  "percent", "m2",       "ft2",
    "day", "days", "d",    "tonne", "ton", "mt",    "usd",  "eur",     "gbp",      "currency",
    "n"};
// Words that name an area: a heading with one of them gives an amount per area, or an area.
constexpr std::string_view AreaWords[] = {"m2", "ft2", "sq", "square", "area", "space", "floor"};
constexpr std::string_view SquareFeetWords[] = {"ft2", "ft", "feet", "foot"};
constexpr std::string_view MassWords[] = {"kg", "lb", "g"};
constexpr std::string_view BirdWords[] = {"bird", "birds", "chick", "chicks", "head", "hd", "pb"};
// A feed conversion corrected to a standard weight is another figure than the one fed.
constexpr std::string_view AdjustedWords[] = {"adj", "adjusted", "corrected", "corr", "cfcr", "afcr",
                                              "standardised", "standardized", "std", "norm", "normalised",
                                              "normalized", "equivalent"};
constexpr std::string_view FillerWords[] = {
    "per",       "bird",    "no",   "nr",     "number", "of",    "the",   "in",     "at",   "a",
    "slaughter", "dig",     "digestible", "sid",  "avail", "available", "average", "mean", "flock",
    "actual",    "act",     "value", "val",   "final",  "amount", "total", "tot"};
constexpr std::string_view FeedWords[] = {"feed",  "intake", "consumption", "eaten", "fi",   "phase",
                                          "diet",  "pellets", "pellet",     "mash",  "ration", "consumed",
                                          "use",   "usage",  "cons"};
// With a phase word, these say the column holds the phase's length, start, change or price.
constexpr std::string_view PhaseLengthWords[] = {"day",  "days",     "length", "duration", "age",  "change",
                                                 "switch", "until",  "to",     "from",     "end",  "weeks",
                                                 "week", "wk",       "time",   "period"};
constexpr std::string_view PriceWords[] = {"price", "cost", "currency", "value", "rate", "usd", "eur", "gbp"};
// A weight taken on these days is the chicks' weight, not the slaughter weight.
constexpr std::string_view PlacementDays[] = {"d0", "day0", "d1", "day1", "0d", "1d"};
constexpr std::string_view DateWords[] = {"date", "dates", "dd", "mm", "yyyy"};
// A weight or feed heading with one of these gives the house's total, not an amount per bird.
constexpr std::string_view TotalWords[] = {"total", "tot", "sum", "cumulative", "cum", "delivered",
                                           "delivery", "deliveries", "tonnes", "tons", "t"};

// Shortened and spelled-out forms of one word, so "Hse Wt" reads as "House Weight".
constexpr std::pair<std::string_view, std::string_view> Abbreviations[] = {
    {"hse", "house"},        {"wt", "weight"},       {"wgt", "weight"},       {"wght", "weight"},
    {"avg", "average"},      {"ave", "average"},     {"av", "average"},       {"avge", "average"},
    {"str", "starter"},      {"strt", "starter"},    {"stt", "starter"},      {"grw", "grower"},
    {"grwr", "grower"},      {"gwr", "grower"},      {"fin", "finisher"},     {"fnsh", "finisher"},
    {"fnr", "finisher"},     {"wdl", "withdrawal"},  {"wdr", "withdrawal"},   {"conv", "conversion"},
    {"dens", "density"},     {"mort", "mortality"},  {"qty", "number"},       {"num", "number"},
    {"nbr", "number"},       {"nos", "number"},      {"kgs", "kg"},           {"kilos", "kg"},
    {"kilograms", "kg"},     {"kilogram", "kg"},     {"lbs", "lb"},           {"pounds", "lb"},
    {"pound", "lb"},         {"grams", "g"},         {"gram", "g"},           {"gms", "g"},
    {"gr", "g"},             {"sqm", "m2"},          {"sqmt", "m2"},          {"msq", "m2"},
    {"sqft", "ft2"},         {"brds", "birds"},      {"hd", "head"},          {"dys", "days"},
    {"wts", "weight"},       {"weights", "weight"},  {"fcrs", "fcr"},         {"plcd", "placed"},
    {"hsd", "housed"}};

struct Synonyms {
  int item;
  std::initializer_list<std::string_view> headings;
};

// The Data ID's own name comes first. Within an item the earlier heading is preferred when two
// columns fit (birds placed before birds sold); the order of items decides between two that fit.
// Abbreviations, units, periods ("d42", "0-42") and word order are read alike, so each entry
// stands for its shortened and reordered forms too.
const Synonyms FlockSynonyms[] = {
    {ItemHouseId,
     {"HOUSE ID", "House", "House No", "House Number", "Flock", "Flock ID", "Flock No", "ID", "Shed",
      "Barn", "Shed No", "House Name", "Flock Number", "Batch", "Batch No", "Shed ID", "Barn No", "Barn ID",
      "House Code", "Flock Code", "Batch ID", "Batch Code", "Pen", "Pen No", "Pen ID", "Lot", "Lot No",
      "Lot ID", "Poultry House", "Unit", "Unit No", "Broiler House", "Stall", "Stal", "Nave", "Galpon",
      "Aviario", "Pavillon", "Crop", "Crop ID", "Cycle ID", "Placement ID", "Flock Ref", "House Ref"}},
    {ItemLiveWeight,
     {"Live Weight per Bird", "Live Weight", "Avg Weight", "Weight", "Body Weight", "LW", "BW", "ABW",
      "ALW", "ABWT", "Catch Weight", "Catching Weight", "Slaughter Weight", "Kill Weight", "Weight per Bird",
      "Bird Weight", "Processing Weight", "Market Weight", "Harvest Weight", "Depletion Weight",
      "Sale Weight", "Sold Weight", "Clearance Weight", "Thinning Weight", "Live Weight at Slaughter",
      "Weight at Slaughter", "Weight at Processing", "Weight at Kill", "Bird Wt", "Live BW", "Body Mass",
      "Live Mass", "Peso", "Peso Vivo", "Peso Medio", "Poids", "Poids Vif", "Gewicht", "Lebendgewicht",
      "Gewicht Lebend", "Endgewicht", "Ausstallgewicht", "Gewicht Ausstallung", "Weight Out", "Out Weight",
      "Pickup Weight", "Plant Weight", "Live Weight Bird", "Weight Bird", "BWT"}},
    {ItemBirds,
     {"No. of Birds in House", "Birds Placed", "Placed", "Birds Housed", "Housed", "Chicks Placed",
      "Head Placed", "Chicks Housed", "Birds In", "Birds", "Number of Birds", "Head Count", "No of Birds",
      "Bird Numbers", "Chicks In", "Chicks", "DOC", "DOC Placed", "Day Old Chicks", "Day Old Chicks Placed",
      "Birds Started", "Started", "Head Started", "Initial Birds", "Initial Number", "Head In", "Head Housed",
      "Number Placed", "Chicks Delivered", "Population", "Flock Size", "Bird Count", "Birds Count",
      "Head", "Placement Number", "Birds per Pen", "Birds per House", "Birds per Shed", "Birds at Placement", "Chicks Set",
      "Eingestallt", "Einstallung", "Tiere", "Aves", "Aves Alojadas", "Pollitos", "Poussins", "Mis en Place",
      "Birds Placed per House", "Number of Chicks", "Number Housed",
      "Birds Sold", "Birds Processed", "Birds Slaughtered", "Birds Caught", "Head Sold"}},
    {ItemAge,
     {"Age at Slaughter", "Age", "Days", "Age Days", "Kill Age", "Processing Age", "Age at Processing",
      "Age at Kill", "Slaughter Age", "Clearance Age", "Days to Market", "Days to Slaughter", "Market Age",
      "Age at Depletion", "Depletion Age", "Grow Out Days", "Catch Age", "Age at Catch", "Sale Age",
      "Age at Sale", "Harvest Age", "Age at Harvest", "Marketing Age", "Age Sold", "Days of Age",
      "Depop Age", "Age at Depop", "Days to Process", "Days to Processing", "Days on Feed", "Grow Days",
      "Growout Days", "Growing Days", "Days Grown", "Age Out", "Age at Clearance", "Thinning Age",
      "Edad", "Alter", "Mastdauer", "Mast Tage", "Masttage", "Age Abattage", "Idade", "Days Old",
      "Age at Pickup", "Pickup Age", "Bird Age"}},
    {ItemFeedConversion,
     {"Feed Conversion", "FCR", "Feed Conversion Ratio", "Feed Conversion Rate", "Convix", "FC",
      "Conversion", "Feed Conv", "F:G", "Feed:Gain", "Feed/Gain", "Feed to Gain", "FG", "Conversion Ratio",
      "Feed Efficiency Ratio", "Feed per Gain", "Feed per kg Gain", "Feed per kg Live Weight",
      "Feed per kg Liveweight", "Kg Feed per kg Gain", "Feed Gain", "Feed Gain Ratio", "Live FCR", "Raw FCR",
      "Uncorrected FCR", "Unadjusted FCR", "FCR Live", "IC", "Indice de Conversion", "Conversion Alimenticia",
      "CA", "FVW", "Futterverwertung", "Futteraufwand", "Conversao Alimentar", "Feed Conversion Efficiency"}},
    {ItemDensity,
     {"Flock Density /sqm", "Density", "Stocking Density", "Birds/m2", "Birds per sqm", "Birds/sqm",
      "Birds per m2", "No. of Birds per m2", "Birds per square metre", "Birds per square meter", "Birds/ft2",
      "Birds per sq ft", "Stocking Rate", "Bird Density", "Placement Density", "Stocking", "Birds per Area",
      "Besatzdichte", "Densidad", "Densite", "Dichte", "Head per m2", "Chicks per m2"}},
};
const Synonyms NutrientSynonyms[] = {
    {NutEnergy,
     {"Feed Energy", "Energy", "ME", "AME", "AMEn", "MEn", "Metabolizable Energy", "Metabolisable Energy",
      "ME Poultry", "AMEn Poultry", "EM", "Energia", "Energie", "Energy ME", "AMEn Broiler", "ME Broiler",
      "MEn Broiler", "Nitrogen Corrected ME", "TMEn"}},
    {NutProtein, {"Protein", "CP", "Crude Protein", "Protein Crude", "PB", "Proteina", "Rohprotein", "XP"}},
    {NutMethionine, {"Methionine", "Met", "Meth", "Metionina", "Methionin"}},
    {NutMetCys,
     {"Met Plus Cys", "M+C", "Met+Cys", "MET_CYS", "TSAA", "Methionine + Cystine", "Met Cys", "Meth + Cys",
      "Methionine + Cysteine", "Met and Cys", "Met & Cys", "SAA", "Sulphur Amino Acids", "Sulfur Amino Acids",
      "MC", "Met + Cys", "M + C", "Met Cyst", "Met+Cyst"}},
    {NutLysine, {"Lysine", "Lys", "Lisina", "Lysin"}},
    {NutTryptophan, {"Tryptophan", "Trp", "Try", "Triptofano", "Tryptophane"}},
    {NutArginine, {"Arginine", "Arg", "Arginina", "Arginin"}},
    {NutThreonine, {"Threonine", "Thr", "Treonina", "Threonin"}},
    {NutFeedCost, {"Feed Cost", "Cost", "Price", "Feed Price", "Diet Cost", "Diet Price", "Cost per Tonne",
                   "Price per Tonne", "Ration Cost", "Unit Cost", "Preis", "Precio", "Prix", "Cost per kg",
                   "Price per kg", "Cost/t", "Price/t", "Feed Cost per Tonne"}},
};

constexpr std::array<std::string_view, 6> Ordinals = {"first", "second", "third", "fourth", "fifth", "sixth"};
struct Phase {
  std::string_view word;
  int base;
};
constexpr int PhaseStep = 100;
// Crumbs (a crumbled starter) come after a pre-starter and before a pelleted starter.
constexpr Phase Phases[] = {{"prestarter", 0},   {"prestart", 0},     {"crumbs", 50},     {"crumb", 50},
                            {"crumbles", 50},    {"crumble", 50},     {"starter", 100},   {"start", 100},
                            {"grower", 200},     {"grow", 200},       {"finisher", 300},  {"finish", 300},
                            {"finishing", 300},  {"withdrawal", 400}, {"withdraw", 400},
                            {"wd", 400},         {"iniciador", 100},  {"inicio", 100},     {"crecimiento", 200},
                            {"engorde", 300},    {"finalizador", 300}, {"retiro", 400}};
constexpr std::string_view RomanNumbers[] = {"i", "ii", "iii", "iv", "v", "vi"};
constexpr std::string_view OrdinalNumbers[] = {"1st", "2nd", "3rd", "4th", "5th", "6th"};
// A heading may number any feed phase in each of the three ways.
static_assert(Ordinals.size() >= FeedPhases && std::size(RomanNumbers) >= FeedPhases &&
                  std::size(OrdinalNumbers) >= FeedPhases,
              "every feed phase has its ordinal words");

constexpr std::size_t LongestHeading = 200;

template <std::size_t N>
bool contains(const std::string_view (&list)[N], std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool isDigits(std::string_view w) {
  return !w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// A period the figure was taken over: "42", "d42", "day42", "wk6", "42d".
bool isPeriodWord(std::string_view w) {
  if (isDigits(w)) return true;
  for (std::string_view prefix : {"d", "day", "wk", "w"})
    if (w.size() > prefix.size() && w.substr(0, prefix.size()) == prefix && isDigits(w.substr(prefix.size())))
      return true;
  for (std::string_view suffix : {"d", "days", "wk"})
    if (w.size() > suffix.size() && w.substr(w.size() - suffix.size()) == suffix &&
        isDigits(w.substr(0, w.size() - suffix.size())))
      return true;
  return false;
}

// The heading as plain ASCII words' material: "m²" is "m2", currency signs and "%" become words,
// and an age range the figure covers ("0-42", "d0-10 d", "11 to 24 days") is left out.
bool hasDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string preparedHeading(std::string_view heading) {
  std::string out;
  for (std::size_t i = 0; i < heading.size(); ++i) {
    const std::string_view rest = heading.substr(i);
    if (rest.substr(0, 2) == "\xC2\xB2" || rest.substr(0, 2) == "\xC2\xB3") {
      out += rest[1] == '\xB2' ? '2' : '3';
      ++i;
    } else if (rest.substr(0, 2) == "\xC2\xA3" || rest.substr(0, 3) == "\xE2\x82\xAC") {
      out += " currency ";
      i += rest[0] == '\xC2' ? 1 : 2;
    } else if (rest.substr(0, 3) == "\xE2\x80\x93") {  // an en dash
      out += '-';
      i += 2;
    } else if (rest[0] == '$') {
      out += " currency ";
    } else if (rest[0] == '%') {
      out += " pct ";
    } else if (rest[0] == '#') {
      out += " no ";
    } else if (rest[0] == '@') {
      out += " at ";
    } else {
      out += rest[0];
    }
  }
  // No heading that names an item is this long; the regular expression is kept to short texts,
  // whose matching depth stays small, and to texts with a digit, the only ones it can change
  // (most headings: this is read for every cell of a unit-bearing column).
  if (out.size() > LongestHeading || !hasDigit(out)) return out;
  static const std::regex range(R"((\b[dD](ay)?\s*)?\d+(\.\d+)?\s*(-|to)\s*([dD](ay)?\s*)?\d+(\.\d+)?\s*([dD]ays?|[dD])?\b)");
  return std::regex_replace(out, range, " ");
}

std::string canonicalWord(std::string word) {
  for (const auto& [shortForm, longForm] : Abbreviations)
    if (word == shortForm) return std::string(longForm);
  return word;
}

// Lower-case words of a heading: letters and digits, split where a lower-case letter meets an
// upper-case one ("AvgLiveWeightKg"); everything in brackets is left out unless `brackets` asks
// for it. "W/D" and "W-D" read as "withdrawal".
std::vector<std::string> words(std::string_view rawHeading, bool brackets = false) {
  const std::string heading = preparedHeading(rawHeading);
  std::vector<std::string> out;
  std::string word;
  const auto close = [&] {
    if (!word.empty()) out.push_back(canonicalWord(std::move(word)));
    word.clear();
  };
  int depth = 0;
  char previous = ' ';
  for (char ch : heading) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (ch == '(' || ch == '[') {
      ++depth;
    } else if ((ch == ')' || ch == ']') && depth > 0) {
      --depth;
    } else if ((depth == 0 || brackets) && std::isalnum(c)) {
      if (std::isupper(c) && std::islower(static_cast<unsigned char>(previous))) close();
      word += static_cast<char>(std::tolower(c));
      previous = ch;
      continue;
    }
    previous = ch;
    close();
  }
  close();
  for (std::size_t i = 0; i + 1 < out.size(); ++i)
    if (out[i] == "w" && out[i + 1] == "d") {
      out[i] = "withdrawal";
      out.erase(out.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    }
  return out;
}

std::vector<std::string> withoutPeriods(const std::vector<std::string>& all) {
  std::vector<std::string> kept;
  for (const std::string& w : all)
    if (!isPeriodWord(w)) kept.push_back(w);
  return kept;
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
  const std::vector<std::string> all = withoutPeriods(words(heading));
  std::vector<std::string> significant = significantWords(all);
  HeadingKey key{joined(all), joined(significant), {}};
  std::sort(significant.begin(), significant.end());
  key.sorted = joined(significant);
  if (key.stripped.empty()) key.stripped = key.sorted = key.full;
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

template <std::size_t N>
std::ptrdiff_t firstOf(const std::vector<std::string>& list, const std::string_view (&wanted)[N]) {
  const auto at = std::find_if(list.begin(), list.end(), [&](const std::string& w) { return contains(wanted, w); });
  return at == list.end() ? -1 : at - list.begin();
}

HeadingReading refused(std::string reason) { return {std::nullopt, 0, std::move(reason)}; }

std::string quotedId(int item) { return "\"" + std::string(FlockDataIds[static_cast<std::size_t>(item)]) + "\""; }

// Density by its area unit: birds per m2 or ft2 is the density; kilograms per m2 and an area
// per bird ("Sq Ft/Bird") are not.
std::optional<HeadingReading> densityByArea(const std::vector<std::string>& all) {
  const std::ptrdiff_t area = firstOf(all, AreaWords);
  if (area < 0) return std::nullopt;
  const std::ptrdiff_t bird = firstOf(all, BirdWords);
  const bool densityWords = bird >= 0 || hasAny(all, {"density", "stocking"});
  if (!densityWords) return std::nullopt;
  if (hasAnyOf(all, MassWords))
    return refused("it gives kilograms of bird per area; " + quotedId(ItemDensity) + " needs birds per area");
  if (bird >= 0 && area < bird)
    return refused("it gives the floor area per bird; " + quotedId(ItemDensity) +
                   " needs birds per area (birds per m2 = 1 / m2 per bird)");
  return HeadingReading{ItemDensity, 0, {}};
}

// Why a heading that names a feed phase does not give the feed eaten in it, or "".
std::string phaseRefusal(const std::vector<std::string>& all) {
  if (hasAnyOf(all, PriceWords)) return "it gives the price of a feed, not the feed eaten";
  if (hasAnyOf(all, DateWords)) return "it gives a date, not the feed eaten";
  if (hasAnyOf(all, PhaseLengthWords))
    return "it gives the length or the start of a feed phase, not the feed eaten in it";
  return "";
}

bool namesPhase(const std::vector<std::string>& all) {
  const std::vector<std::string> parts = splitDigits(all);
  return std::any_of(parts.begin(), parts.end(), [](const std::string& w) {
    return w == "pre" || std::any_of(std::begin(Phases), std::end(Phases), [&](const Phase& p) { return w == p.word; });
  });
}

// A weight or feed heading that gives the house's total ("Total Live Weight", "Feed delivered
// (t)") rather than an amount per bird.
bool namesHouseTotal(const std::vector<std::string>& all) {
  return hasAnyOf(all, TotalWords) && !hasAnyOf(all, BirdWords);
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

std::optional<HeadingReading> knownItem(MatchSide side, const HeadingKey& key) {
  const auto search = [&](auto&& keyOf) -> std::optional<HeadingReading> {
    for (const KnownHeading& known : knownHeadings(side))
      if (keyOf(known.key) == keyOf(key)) return HeadingReading{known.item, known.rank, {}};
    return std::nullopt;
  };
  if (auto found = search([](const HeadingKey& k) { return k.full; })) return found;
  if (auto found = search([](const HeadingKey& k) { return k.stripped; })) return found;
  return search([](const HeadingKey& k) { return k.sorted; });
}

// A feed conversion taken at a standard weight: "FCR @ 2.5 kg", "FCR 2.5kg".
bool namesStandardWeight(std::string_view heading) {
  if (heading.size() > LongestHeading || (!hasDigit(heading) && heading.find('@') == std::string_view::npos))
    return false;
  static const std::regex standard(R"((@|\d\s*(kg|g|lb)\b))", std::regex::icase);
  return std::regex_search(heading.begin(), heading.end(), standard);
}

HeadingReading readFlockHeading(std::string_view heading, const HeadingKey& key) {
  const std::vector<std::string> all = words(heading, true);
  if (auto density = densityByArea(all)) return *density;
  const std::ptrdiff_t gain = std::find(all.begin(), all.end(), "gain") - all.begin();
  const std::ptrdiff_t feed = std::find(all.begin(), all.end(), "feed") - all.begin();
  if (gain < feed && feed < static_cast<std::ptrdiff_t>(all.size()))
    return refused("it gives gain per feed, the inverse of the feed conversion " + quotedId(ItemFeedConversion) + " needs");
  std::optional<HeadingReading> found = knownItem(MatchSide::Flock, key);
  const bool looksLikeConversion =
      (found && found->item == ItemFeedConversion) || hasAny(all, {"fcr", "cfcr", "afcr", "conversion"});
  if (looksLikeConversion && (hasAnyOf(all, AdjustedWords) || namesStandardWeight(heading)))
    return refused("an adjusted (corrected) feed conversion is not the feed conversion the flock achieved; " +
                   quotedId(ItemFeedConversion) + " needs the achieved one");
  const bool weightLike = (found && isFlockWeightItem(*found->item)) || (!found && namesPhase(all));
  if (weightLike && namesHouseTotal(all))
    return refused("it gives a total for the house, not an amount per bird");
  if (!found && namesPhase(all))
    if (std::string why = phaseRefusal(all); !why.empty()) return refused(why);
  if (found && hasAnyOf(all, DateWords)) return refused("it gives a date");
  if (found && *found->item == ItemLiveWeight && hasAnyOf(words(heading), PlacementDays))
    return refused("it gives the chicks' weight at placement, not at slaughter");
  return found.value_or(HeadingReading{});
}

}  // namespace

HeadingReading readHeading(MatchSide side, std::string_view heading) {
  const HeadingKey key = headingKey(heading);
  if (key.full.empty()) return {};
  if (side == MatchSide::Flock) return readFlockHeading(heading, key);
  return knownItem(side, key).value_or(HeadingReading{});
}

std::optional<int> itemForHeading(MatchSide side, std::string_view heading) {
  return readHeading(side, heading).item;
}

double kilogramsPerHeadingUnit(std::string_view heading) {
  const std::vector<std::string> all = words(heading, true);
  if (hasAny(all, {"lb"})) return KilogramsPerPound;
  if (hasAny(all, {"g"}) && !hasAny(all, {"kg"})) return 0.001;
  return 1.0;
}

double birdsPerSquareMetrePerHeadingUnit(std::string_view heading) {
  constexpr double squareFeetPerSquareMetre = 10.7639104;
  return hasAnyOf(words(heading, true), SquareFeetWords) ? squareFeetPerSquareMetre : 1.0;
}

std::optional<HouseTotal> houseTotalOf(std::string_view heading) {
  if (heading.size() > LongestHeading) return std::nullopt;
  const std::vector<std::string> all = words(heading, true);
  if (!namesHouseTotal(all) || hasAny(all, {"average", "mean", "ton", "tons"})) return std::nullopt;
  // The heading without its total and tonne words names what the total is of.
  static const std::regex totalWords(
      R"(\b(total|tot|sum|cumulative|cum|delivered|delivery|deliveries|tonnes|tonne|t|mt)\b\.?)", std::regex::icase);
  const std::string rest = std::regex_replace(std::string(heading), totalWords, " ");
  const double kilograms = hasAny(all, {"t", "tonne", "tonnes", "mt"}) ? 1000.0 : kilogramsPerHeadingUnit(heading);
  const HeadingReading reading = readHeading(MatchSide::Flock, rest);
  if (reading.item == ItemLiveWeight) return HouseTotal{ItemLiveWeight, std::nullopt, kilograms};
  if (reading.item || !reading.refusal.empty()) return std::nullopt;
  if (const std::optional<int> rank = feedPhaseRank(rest)) return HouseTotal{std::nullopt, rank, kilograms};
  return std::nullopt;
}

std::optional<int> feedPhaseRank(std::string_view heading) {
  const std::vector<std::string> all = words(heading, true);
  if (!phaseRefusal(all).empty() || namesHouseTotal(all)) return std::nullopt;
  std::vector<std::string> rest;
  bool feedWord = false;
  for (std::string w : splitDigits(significantWords(words(heading)))) {
    if (contains(FeedWords, w)) {
      feedWord = true;
      continue;
    }
    rest.push_back(std::move(w));
  }
  // "1st feed": the ordinal came apart from its digit.
  for (std::size_t i = 0; i + 1 < rest.size(); ++i)
    for (std::size_t k = 0; k < std::size(OrdinalNumbers); ++k)
      if (rest[i] + rest[i + 1] == OrdinalNumbers[k]) {
        rest[i] = std::string(Ordinals[k]);
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i) + 1);
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

double headingLikeness(MatchSide side, int item, std::string_view heading) {
  // Dice coefficient of the letter pairs of two keys.
  const auto pairs = [](const std::string& key) {
    std::multiset<std::string> out;
    for (std::size_t i = 0; i + 1 < key.size(); ++i) out.insert(key.substr(i, 2));
    return out;
  };
  const auto dice = [&](const std::string& a, const std::string& b) {
    const std::multiset<std::string> pa = pairs(a), pb = pairs(b);
    if (pa.empty() || pb.empty()) return a == b ? 1.0 : 0.0;
    std::vector<std::string> common;
    std::set_intersection(pa.begin(), pa.end(), pb.begin(), pb.end(), std::back_inserter(common));
    return 2.0 * static_cast<double>(common.size()) / static_cast<double>(pa.size() + pb.size());
  };
  const HeadingKey key = headingKey(heading);
  if (key.full.empty()) return 0;
  double best = 0;
  for (const KnownHeading& known : knownHeadings(side))
    if (known.item == item)
      best = std::max({best, dice(key.full, known.key.full), dice(key.stripped, known.key.stripped)});
  return best;
}

}  // namespace plumetra

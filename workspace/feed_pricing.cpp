#include "workspace/feed_pricing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "workspace/diet_table.h"

namespace plumetra {

namespace {

constexpr std::array<double, CostUnitChoices> KilogramsPerUnit{1.0, 1000.0, KilogramsPerPound,
                                                               2000 * KilogramsPerPound, 100 * KilogramsPerPound};
constexpr std::array<std::string_view, CostUnitChoices> UnitNames{"kg", "tonne", "lb", "short ton", "100 lb"};

struct Sign {
  std::string_view text;
  std::string_view currency;
};
// Prefixed dollars before the plain sign, and "CA$" before "A$", so each is read whole.
constexpr Sign Signs[] = {{"US$", "USD"},          {"AU$", "AUD"},          {"NZ$", "NZD"}, {"CA$", "CAD"},
                          {"A$", "AUD"},           {"C$", "CAD"},           {"R$", "BRL"},  {"\xE2\x82\xAC", "EUR"},
                          {"\xC2\xA3", "GBP"},     {"\xE2\x82\xB9", "INR"}, {"$", "$"},     {"\xC2\xA5", "\xC2\xA5"}};
constexpr std::string_view Codes[] = {"eur", "usd", "gbp", "aud", "nzd", "cad", "zar", "brl", "mxn", "inr", "cny",
                                      "jpy", "chf", "sek", "nok", "dkk", "pln", "thb", "php", "idr", "myr", "ars",
                                      "clp", "cop", "pen", "kes", "ngn", "egp", "try", "czk", "huf", "ron", "vnd"};

std::vector<std::string> lowerWords(std::string_view text) {
  std::vector<std::string> words(1);
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)))
      words.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    else if (!words.back().empty())
      words.emplace_back();
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

std::optional<int> unitOfWords(const std::vector<std::string>& w) {
  for (std::size_t i = 0; i < w.size(); ++i) {
    const std::string& next = i + 1 < w.size() ? w[i + 1] : std::string();
    if (w[i] == "kg" || w[i] == "kilo" || w[i] == "kilogram") return 0;
    if (w[i] == "t" || w[i] == "tonne" || w[i] == "tonnes" || w[i] == "mt" || (w[i] == "metric" && next == "ton"))
      return 1;
    if (w[i] == "short" && (next == "ton" || next == "tons")) return 3;
    if (w[i] == "cwt" || w[i] == "100lb" || w[i] == "100lbs" || (w[i] == "100" && (next == "lb" || next == "lbs")))
      return 4;
    if (w[i] == "lb" || w[i] == "lbs" || w[i] == "pound") return 2;
  }
  return std::nullopt;
}

}  // namespace

double kilogramsPerCostUnit(int unit) { return KilogramsPerUnit[static_cast<std::size_t>(std::clamp(unit, 0, CostUnitChoices - 1))]; }

std::string_view costUnitName(int unit) { return UnitNames[static_cast<std::size_t>(std::clamp(unit, 0, CostUnitChoices - 1))]; }

FeedPricing pricingOfHeading(std::string_view heading) {
  FeedPricing pricing;
  const std::string source = "the heading \"" + std::string(heading) + "\"";
  for (const Sign& sign : Signs)
    if (heading.find(sign.text) != std::string_view::npos) {
      pricing.currency = sign.currency;
      break;
    }
  const std::vector<std::string> words = lowerWords(heading);
  if (pricing.currency.empty())
    for (const std::string& word : words)
      if (std::find(std::begin(Codes), std::end(Codes), word) != std::end(Codes)) {
        for (const char c : word) pricing.currency += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        break;
      }
  if (!pricing.currency.empty()) pricing.currencySource = source;
  pricing.unit = unitOfWords(words);
  if (pricing.unit) pricing.unitSource = source;
  return pricing;
}

FeedPricing pricingOfSettings(const UnitSettings& units, std::string source) {
  FeedPricing pricing;
  if (units.costChoice > 0 && units.costChoice < CostUnitChoices) {
    pricing.unit = units.costChoice;
    pricing.unitSource = std::move(source);
  }
  return pricing;
}

FeedPricing pricingInForce(const DietTables& diets) {
  FeedPricing pricing = diets.pricing;
  const FeedPricing named = pricingOfHeading(diets.dietFieldNames[ValFeedCost]);
  if (!pricing.unit && named.unit) {
    pricing.unit = named.unit;
    pricing.unitSource = named.unitSource;
  }
  if (pricing.currency.empty() && !named.currency.empty()) {
    pricing.currency = named.currency;
    pricing.currencySource = named.currencySource;
  }
  return pricing;
}

std::string currencyText(const FeedPricing& pricing) {
  return pricing.currency.empty() ? "per unit of cost" : pricing.currency;
}

}  // namespace plumetra

#pragma once
// What the diets' feed costs are priced in: the amount of feed a price is for (a unit choice of
// the settings: 0 per kg, 1 tonne, 2 lb, 3 short ton, 4 100 lb) and the currency. The user
// gives them (an option, a location's settings) or the diets' cost heading names them
// ("Price (EUR/t)", "Feed Cost £/tonne"); what neither gives stays unknown, never invented.

#include "workspace/units.h"

#include <optional>
#include <string>
#include <string_view>

namespace plumetra {

struct DietTables;

struct FeedPricing {
  std::optional<int> unit;  // a cost unit choice; none: not given
  std::string unitSource;   // where the unit came from: "--cost-unit", "the location", "the heading \"Price/t\""
  std::string currency;     // "EUR", "£"; empty: none given
  std::string currencySource;
};

inline constexpr int CostUnitChoices = 5;

// Kilograms of feed per unit a price is for: 1, 1000, 0.45359237, 907.18474, 45.359237.
double kilogramsPerCostUnit(int unit);

// "kg", "tonne", "lb", "short ton", "100 lb".
std::string_view costUnitName(int unit);

// The currency and the unit a cost heading names, each empty when it names none. Currency
// signs (€, £, $ and their prefixed forms such as "A$") and ISO codes count; a bare "ton" is
// left unknown, as it is a short ton in one country and a tonne or a long ton in others.
FeedPricing pricingOfHeading(std::string_view heading);

// The settings' cost unit as a unit the user gave, with its source. A stored 0 (per kg) names
// none, as it may be a unit nobody chose.
FeedPricing pricingOfSettings(const UnitSettings& units, std::string source);

// The pricing in force: what the user gave, completed by what the diets' cost heading names.
FeedPricing pricingInForce(const DietTables& diets);

// The currency for a text: "EUR", else "per unit of cost" when none was given.
std::string currencyText(const FeedPricing& pricing);

}  // namespace plumetra

// The currency and the amount of feed a price is for, as cost headings name them.

#include "workspace/feed_pricing.h"

#include <gtest/gtest.h>

#include "workspace/diet_table.h"
#include "workspace/matching.h"

namespace plumetra {
namespace {

TEST(FeedPricing, HeadingsNameCurrencyAndUnit) {
  struct Case {
    const char* heading;
    const char* currency;
    std::optional<int> unit;
  };
  const Case cases[] = {
      {"Feed Cost", "", std::nullopt},
      {"Price", "", std::nullopt},
      {"Price (EUR/t)", "EUR", 1},
      {"Feed Cost \xE2\x82\xAC/tonne", "EUR", 1},
      {"\xC2\xA3 per tonne", "GBP", 1},
      {"Cost per kg", "", 0},
      {"Price A$/t", "AUD", 1},
      {"Price US$/cwt", "USD", 4},
      {"Cost ($/short ton)", "$", 3},
      {"Price per 100 lb", "", 4},
      {"usd/lb", "USD", 2},
      {"R$/kg", "BRL", 0},
      // A bare ton is a short ton in one country and a tonne in another: not decided.
      {"$/ton", "$", std::nullopt},
      {"Price per metric ton", "", 1},
  };
  for (const Case& c : cases) {
    const FeedPricing p = pricingOfHeading(c.heading);
    EXPECT_EQ(p.currency, c.currency) << c.heading;
    EXPECT_EQ(p.unit, c.unit) << c.heading;
    if (p.unit) {
      EXPECT_EQ(p.unitSource, std::string("the heading \"") + c.heading + "\"");
    }
  }
}

TEST(FeedPricing, GivenWinsOverTheHeadingWhichFillsTheGaps) {
  DietTables diets;
  diets.dietFieldNames[ValFeedCost] = "Price (GBP/t)";
  diets.pricing.unit = 3;
  diets.pricing.unitSource = "--cost-unit";
  const FeedPricing p = pricingInForce(diets);
  EXPECT_EQ(p.unit, 3);
  EXPECT_EQ(p.unitSource, "--cost-unit");
  EXPECT_EQ(p.currency, "GBP");
  EXPECT_EQ(currencyText(p), "GBP");
  EXPECT_EQ(currencyText(FeedPricing{}), "per unit of cost");
  // Kilograms per unit: 1 lb = 0.45359237 kg, a short ton 2000 lb.
  EXPECT_DOUBLE_EQ(kilogramsPerCostUnit(3), 907.18474);
  EXPECT_DOUBLE_EQ(kilogramsPerCostUnit(4), 45.359237);
}

TEST(FeedPricing, TheSettingsUnitIsGivenUnlessPerKgAndOutlivesANewDietTable) {
  UnitSettings units;
  EXPECT_FALSE(pricingOfSettings(units, "the settings").unit);  // 0 may be a unit nobody chose
  units.costChoice = 1;
  Workspace ws;
  ws.diets.pricing = pricingOfSettings(units, "the settings");
  forgetDietMatches(ws);
  const FeedPricing p = pricingInForce(ws.diets);
  EXPECT_EQ(p.unit, 1);
  EXPECT_EQ(p.unitSource, "the settings");
}

}  // namespace
}  // namespace plumetra

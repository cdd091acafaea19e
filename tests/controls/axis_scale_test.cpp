// Round axis ticks for the charts, and which messages count as failures for their icon.

#include "controls/axis_scale.h"
#include "controls/message_kind.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plumetra {
namespace {

TEST(AxisScale, TicksFallOnOneTwoOrFiveTimesAPowerOfTenAndEveryInputGivesARange) {
  struct Case { double low, high, step, min, max; int ticks; };
  const Case cases[] = {
      // Live weights 1.437 .. 2.862 kg: span 1.425 / 7 gaps = 0.204, the next round step is 0.5.
      {1.437, 2.862, 0.5, 1.0, 3.0, 5},
      // Ages 33 .. 49 days: 16 / 7 = 2.29 -> step 5.
      {33, 49, 5, 30, 50, 5},
      // Negative values, reversed ends: -0.83 .. 0.12 -> 0.95 / 7 = 0.136 -> 0.2.
      {0.12, -0.83, 0.2, -1.0, 0.2, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.low);
    const AxisScale s = roundAxisScale(c.low, c.high, 8);
    EXPECT_DOUBLE_EQ(s.step, c.step);
    EXPECT_NEAR(s.min, c.min, 1e-12);
    EXPECT_NEAR(s.max, c.max, 1e-12);
    EXPECT_EQ(s.ticks, c.ticks);
  }

  // 2.5 alone: a tenth of it (0.25) rounded up to 0.5 each side -> 2.0 .. 3.0.
  const AxisScale one = roundAxisScale(2.5, 2.5);
  EXPECT_DOUBLE_EQ(one.min, 2.0);
  EXPECT_DOUBLE_EQ(one.max, 3.0);
  const AxisScale zero = roundAxisScale(0, 0);
  EXPECT_LT(zero.min, 0);
  EXPECT_GT(zero.max, 0);
  const AxisScale bad = roundAxisScale(std::nan(""), 3);
  EXPECT_LT(bad.min, bad.max);
}

TEST(MessageKind, FailuresAreToldFromInformation) {
  EXPECT_EQ(messageKind("The file /x/flocks.csv could not be opened."), MessageKind::Failure);
  EXPECT_EQ(messageKind("Can not find the file\nIf new just keep going /x/Farm.clb"), MessageKind::Failure);
  EXPECT_EQ(messageKind("No Data Here, Try Again"), MessageKind::Failure);
  EXPECT_EQ(messageKind("If This DataSet has No Calibration, Go to Set Values"), MessageKind::Information);
  EXPECT_EQ(messageKind("All required Data IDs are matched."), MessageKind::Information);
}

}  // namespace
}  // namespace plumetra

// The analysis grid built from the flock grid.

#include "workspace/new_grid.h"

#include <gtest/gtest.h>

#include "workspace_fixture.h"

namespace plumetra {
namespace {

// A flock grid as a load leaves it: heading row, `flocks` rows, one empty row and column.
Workspace withFlocks(int flocks) {
  Workspace ws = testing::loadedWorkspace();
  ws.gridflockin = Grid(flocks + 2, 5);
  const char* headings[] = {"House", "Weight", "Birds", "FCR"};
  for (int c = 0; c < 4; ++c) ws.gridflockin.setText(0, c, headings[c]);
  for (int r = 1; r <= flocks; ++r) {
    ws.gridflockin.setText(r, 0, "H" + std::to_string(r));
    ws.gridflockin.setText(r, 1, "2.5");
  }
  ws.FlockCount = flocks;
  return ws;
}

TEST(NEWgrid, ThirtyNineFlocksRunFromRow22To60InSixtyThreeRows) {
  Workspace ws = withFlocks(39);
  NEWgrid(ws);
  const Grid& g = ws.Gridanal;
  EXPECT_EQ(g.rows(), 63);
  EXPECT_EQ(g.text(22, 0), "H1");
  EXPECT_EQ(g.text(60, 0), "H39");
  EXPECT_EQ(g.text(61, 0), "");
  EXPECT_EQ(g.text(FlockHeaderRow, 3), "FCR");  // the heading row copied with the flocks
  EXPECT_EQ(g.cols(), 5 + 18);
}

TEST(NEWgrid, PredictionColumnsFollowTheLastHeadedColumnAndOldResultsGo) {
  Workspace ws = withFlocks(3);
  ws.NonNumeric[4] = -1;
  ws.NonNumeric[16] = -1;
  ws.NonNumeric[17] = -1;
  ws.Gridanal = Grid(80, 40);
  ws.Gridanal.setText(70, 30, "old result");
  NEWgrid(ws);
  const Grid& g = ws.Gridanal;
  EXPECT_EQ(g.text(0, 4), "Pred. WT.");
  EXPECT_EQ(g.text(0, 14), "Performance");
  EXPECT_EQ(ws.FarmOrder[35][4], 14);
  EXPECT_EQ(ws.FlockCol[14], 8);
  EXPECT_EQ(ws.ItemHeader[36], "Performance");
  EXPECT_EQ(ws.NonNumeric[4], 0);  // the 13 columns from the flock grid's last column (4)
  EXPECT_EQ(ws.NonNumeric[16], 0);
  EXPECT_EQ(ws.NonNumeric[17], -1);
  EXPECT_EQ(g.text(26, 30), "");
}

TEST(NEWgrid, WithTheModelSkippedThereAreNoPredictionColumns) {
  Workspace ws = withFlocks(3);
  ws.ModelSkipped = true;
  NEWgrid(ws);
  EXPECT_EQ(ws.Gridanal.cols(), ws.gridflockin.cols());
  EXPECT_EQ(ws.FlockCol[12], 0);
}

}  // namespace
}  // namespace plumetra

// A flock file with the two optional livability items beside the fixed Data IDs: the Data ID
// list file keeps its eleven lines and still replays, and the items are found by heading.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "state/load_inputs.h"
#include "state/startup.h"
#include "workspace/list_file.h"
#include "workspace/livability_columns.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

constexpr char Flocks[] =
    "House,Birds Placed,Age,Avg Weight,FCR,Starter,Grower,Finisher,Mortality %,Birds Sold\r\n"
    "1,20000,40,2.5,1.60,0.4,1.6,2.0,4,19200\r\n"
    "2,18000,35,2.2,1.50,0.4,1.3,1.6,,17460\r\n"
    "3,21000,45,2.8,1.75,0.4,2.0,2.5,5,19950\r\n";

struct Loaded {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  std::ostringstream messages;
  BatchDialogs dialogs{messages};
  Loaded(const fs::path& csv, ListFileChoice list) {
    startUp(*state, PLUMETRA_SOURCE_DIR "/data", dialogs);
    dialogs.answerYesNo("A list file", true);
    LoadInputsOptions options;
    options.flocks = csv;
    options.listFile = list;
    options.autoMatch = !list || list->empty();
    EXPECT_TRUE(loadInputs(*state, options, dialogs).ok) << messages.str();
  }
};

TEST(LivabilityData, OldListFileStillReplays) {
  const testing::TestTempFolder folder("plumetra_lst");
  const fs::path& dir = folder.path();
  const fs::path csv = dir / "flocks.csv";
  std::ofstream(csv, std::ios::binary) << Flocks;

  Loaded matched(csv, fs::path());
  const Workspace& first = matched.state->workspace;
  // The list keeps its eleven lines: the livability items are not in it.
  const std::string list = ListFileText(first);
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), ListFileLines);
  const fs::path lst = dir / "old.lst";
  std::ofstream(lst, std::ios::binary) << list;

  Loaded replayed(csv, lst);
  const Workspace& ws = replayed.state->workspace;
  for (int item = ItemLiveWeight; item <= ItemFirstIntake + 2; ++item) {
    EXPECT_TRUE(ws.FlockIdSet[static_cast<std::size_t>(item)]) << item;
    EXPECT_EQ(ws.FlockCol[static_cast<std::size_t>(item)], first.FlockCol[static_cast<std::size_t>(item)]) << item;
  }
  // Found by their headings, whatever the list replayed.
  const LivabilityColumns found = findLivabilityColumns(ws.flockGrid, ws.FlockCol[ItemBirds]);
  ASSERT_GE(found.mortality, 0);
  ASSERT_GE(found.birdsSold, 0);
  EXPECT_EQ(ws.flockGrid.text(0, found.mortality), "Mortality %");
  EXPECT_EQ(ws.flockGrid.text(0, found.birdsSold), "Birds Sold");
}

}  // namespace
}  // namespace plumetra
